#include "toolkit/base/cx_control.h"

#include "toolkit/base/cx_control_child_component.h"
#include "toolkit/base/cx_control_cursors.h"
#include "toolkit/base/cx_control_scroll_bars.h"
#include "toolkit/base/cx_drag_and_drop.h"
#include "toolkit/base/cx_drag_objects.h"
#include "toolkit/base/cx_panning_mark.h"
#include "toolkit/base/cx_timer.h"
#include "toolkit/base/object_links.h"
#include "toolkit/base/settings_controller.h"

#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/forms/menus.h"
#include "platform/forms/screen.h"
#include "platform/gdi/drawing.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::base {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

// Lines the wheel scrolls per notch (the platform's default).
constexpr int WheelScrollLines = 3;

bool IsControlKey(TcxControlKeys Keys, TcxControlKey Key) {
    return (Keys & (1u << Key)) != 0;
}

} // namespace

bool cxShowPopupMenu(pc::TComponent* Caller, pc::TComponent* Menu, int X, int Y) {
    if (auto* Popup = dynamic_cast<IcxPopupMenu*>(Menu)) {
        Popup->Popup(X, Y);
        return true;
    }
    if (auto* Popup = dynamic_cast<pf::TPopupMenu*>(Menu); Popup && Popup->AutoPopup) {
        Popup->SetPopupComponent(Caller);
        Popup->Popup(X, Y);
        return true;
    }
    return false;
}

bool cxIsPopupMenuShortCut(pc::TComponent* Menu, pc::TMessage& Message) {
    // The class library's menu items carry no shortcuts, so only the toolkit's menus have any.
    if (auto* Popup = dynamic_cast<IcxPopupMenu*>(Menu)) return Popup->IsShortCut(Message);
    return false;
}

TcxControl::TcxControl(pc::TComponent* AOwner) : TCustomControl(AOwner) {
    FCanvas = std::make_unique<TcxCanvas>(&canvas_);
    FDefaultCursor = Cursor();
    FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
    FLookAndFeel->OnChanged = [this](TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {
        if (!FDestroying) LookAndFeelChanged(Sender, ChangedValues);
    };
    TabStop = MayFocus();
    cxRegisterControlCursors();
    CreateScrollBars();
}

void TcxControl::AddChildComponent(TcxControlChildComponent* AComponent) {
    AComponent->SetControl(this);
}

void TcxControl::RemoveChildComponent(TcxControlChildComponent* AComponent) {
    AComponent->SetControl(nullptr);
}

TcxControl::~TcxControl() {
    FDestroying = true;
    // A handler still running on this control sees its link cleared.
    cxClearObjectLinks(this);
    if (Dragging()) EndDrag(false);
    StopPanning();
    DestroyScrollBars();
    FDragAndDropObject.reset();
    FFontListeners.clear();
    FLookAndFeel.reset();
}

void TcxControl::SetBorderStyle(TcxControlBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    BoundsChanged();
    Invalidate();
}

void TcxControl::SetPopupMenu(pc::TComponent* Value) {
    if (Value && !dynamic_cast<IcxPopupMenu*>(Value) && !dynamic_cast<pf::TPopupMenu*>(Value))
        Value = nullptr;
    if (FPopupMenu == Value) return;
    if (FPopupMenu && FPopupMenu != FMouseCaptureObject) RemoveFreeNotification(FPopupMenu);
    FPopupMenu = Value;
    if (FPopupMenu) FreeNotification(FPopupMenu);
}

void TcxControl::SetMouseCaptureObject(pc::TComponent* Value) {
    if (FMouseCaptureObject == Value) return;
    pc::TComponent* Old = FMouseCaptureObject;
    FMouseCaptureObject = Value;
    if (auto* Capture = dynamic_cast<IcxMouseCaptureObject*>(Old)) Capture->DoCancelMode();
    if (Old && Old != FPopupMenu) RemoveFreeNotification(Old);
    if (Value) FreeNotification(Value);
    if (Value) {
        pw::SetCapture(Handle());
    } else {
        if (HandleAllocated() && pw::GetCapture() == handle_) pw::ReleaseCapture();
        if (FDragAndDropState == ddsStarting) Perform(pw::WM_CANCELMODE, 0, 0);
    }
}

void TcxControl::AddFontListener(IcxFontListener* Listener) {
    if (std::find(FFontListeners.begin(), FFontListeners.end(), Listener) == FFontListeners.end())
        FFontListeners.push_back(Listener);
}

void TcxControl::RemoveFontListener(IcxFontListener* Listener) {
    std::erase(FFontListeners, Listener);
}

TcxDragAndDropObject& TcxControl::DragAndDropObject() {
    if (!FDragAndDropObject) FDragAndDropObject = GetDragAndDropObjectClass()(*this);
    return *FDragAndDropObject;
}

void TcxControl::SetDragAndDropState(TcxDragAndDropState Value) {
    if (FDragAndDropState == Value) return;
    FDragAndDropState = Value;
    if (Value == ddsNone && !FFinishingDragAndDrop) DoCancelMode();
}

void TcxControl::FinishDragAndDrop(bool Accepted) {
    if (FFinishingDragAndDrop) return;
    FFinishingDragAndDrop = true;
    struct TLeave {
        TcxControl& Control;
        ~TLeave() { Control.FFinishingDragAndDrop = false; }
    } Leave{*this};
    if (FDragAndDropState == ddsInProcess)
        EndDragAndDrop(Accepted);
    else
        SetDragAndDropState(ddsNone);
    FDragAndDropObject.reset();
}

bool TcxControl::StartDragAndDrop(const TPoint&) {
    return false;
}

void TcxControl::BeginDragAndDrop() {
    DragAndDropObject().Init();
    pw::SetCapture(Handle());
    FSavedScreenCursor = pf::Screen().Cursor();
    SetDragAndDropState(ddsInProcess);
}

void TcxControl::DragAndDrop(const TPoint& P, bool& Accepted) {
    DragAndDropObject().DoDragAndDrop(P, Accepted);
}

void TcxControl::EndDragAndDrop(bool Accepted) {
    SetDragAndDropState(ddsNone);
    pf::Screen().SetCursor(FSavedScreenCursor);
    if (HandleAllocated() && pw::GetCapture() == handle_) pw::ReleaseCapture();
    SetMouseCaptureObject(nullptr);
    DragAndDropObject().DoEndDragAndDrop(Accepted);
}

TcxDragAndDropObjectClass TcxControl::GetDragAndDropObjectClass() {
    if (DragAndDropObjectClass) return DragAndDropObjectClass;
    return [](TcxControl& Control) { return std::make_unique<TcxDragAndDropObject>(Control); };
}

bool TcxControl::IsCopyDragDrop() {
    return pw::GetKeyState(pw::VK_CONTROL) < 0;
}

// ---- the platform's object drag ----

TcxDragControlObjectClass TcxControl::GetDragObjectClass() {
    return [](TcxControl& Control) { return std::make_unique<TcxDragControlObject>(&Control); };
}

TcxDragImageListClass TcxControl::GetDragImagesClass() {
    return [] { return std::make_unique<TcxDragImageList>(); };
}

pf::drag::TDragImageList* TcxControl::GetDragImages() {
    if (!HasDragImages()) return nullptr;
    if (!FDragImages) {
        FDragImages = GetDragImagesClass()();
        InitDragImages(*FDragImages);
    }
    return FDragImages->Count() == 0 ? nullptr : FDragImages.get();
}

void TcxControl::InitDragImages(TcxDragImageList& ADragImages) {
    const pg::TSize Size = GetDragImagesSize();
    ADragImages.SetSize(Size.cx, Size.cy);
    if (Size.cx == 0 || Size.cy == 0) return;
    TcxBitmap Bitmap(Size.cx, Size.cy);
    DrawDragImage(Bitmap.cxCanvas(), {0, 0, Size.cx, Size.cy});
    // The bitmap's transparent colour: its bottom-left pixel, as the class library takes it.
    const TColor Transparent =
        static_cast<TColor>(pg::GetPixel(Bitmap.Canvas().Handle(), 0, Size.cy - 1));
    ADragImages.AddMasked(Bitmap, Transparent);
}

void TcxControl::DoStartDrag() {
    // The source shows what it looks like now, before the image is taken.
    Update();
    auto Link = cxAddObjectLink(this);
    TCustomControl::DoStartDrag();
    if (!Link->Ref || !Dragging()) return;
    if (!pf::drag::CurrentDragObject())
        if (TcxDragControlObjectClass Class = GetDragObjectClass())
            pf::drag::SetDragObject(Class(*this));
    if (!CanBeginDrag(pf::drag::CurrentDragObject())) {
        pf::drag::SetDragObject(nullptr);
        EndDrag(false);
    }
}

void TcxControl::DoEndDrag(pc::TObject* Target, int X, int Y) {
    auto Link = cxAddObjectLink(this);
    TCustomControl::DoEndDrag(Target, X, Y);
    if (!Link->Ref) return;
    FDragImages.reset();
}

bool TcxControl::DragOver(pc::TObject* Source, int X, int Y, pf::TDragState State) {
    cxSetDragObject(State == pf::dsDragLeave ? nullptr : pf::drag::CurrentDragObject());
    return TCustomControl::DragOver(Source, X, Y, State);
}

bool TcxControl::IsMouseDownPointNear(int X, int Y) {
    return DragMode() == pf::dmManual || cxIsPointInDragDetectArea(FMouseDownPos, X, Y);
}

void TcxControl::InvalidateRect(const TRect& R, bool Erase) {
    if (HandleAllocated()) pw::InvalidateRect(handle_, &R, Erase);
}

bool TcxControl::CanFocusEx() {
    if (!CanFocus()) return false;
    pf::TCustomForm* Form = ParentForm();
    return !Form || static_cast<pf::TControl*>(Form) == this ||
           (Form->CanFocus() && Form->Enabled() && Form->Visible());
}

bool TcxControl::IsFocused() {
    return Focused();
}

TRect TcxControl::GetBounds() {
    if (!platform::gdi::IsRectEmpty(Bounds)) return Bounds;
    if (!HandleAllocated()) return {0, 0, Width(), Height()};
    return ClientRect();
}

TRect TcxControl::GetClientBounds() {
    TRect R = GetBounds();
    const int Border = GetBorderSize();
    R = {R.Left + Border, R.Top + Border, R.Right - Border, R.Bottom - Border};
    if (GetHScrollBarVisible()) R.Bottom -= GetHScrollBarHeight();
    if (GetVScrollBarVisible()) R.Right -= GetVScrollBarWidth();
    return R;
}

int TcxControl::GetBorderSize() {
    if (FBorderStyle == cbsNone) return 0;
    TcxLookAndFeelPainterClass Painter = GetPainter();
    return Painter ? Painter->BorderSize() : 0;
}

void TcxControl::ScrollContent(TcxDirection Direction) {
    if (Direction == dirNone) return;
    if (!HasScrollBars() && !CanScrollWithoutScrollBars(Direction)) return;
    const TcxScrollBarKind Kind =
        Direction == dirUp || Direction == dirDown ? sbVertical : sbHorizontal;
    // Line up (0) towards the start, line down (1) towards the end.
    const int Code = Direction == dirLeft || Direction == dirUp ? 0 : 1;
    int Position = HasScrollBars() ? GetScrollBarPosition(Kind) : 0;
    Scroll(Kind, Code, Position);
    Update();
}

// ---- messages ----

void TcxControl::WndProc(pc::TMessage& Message) {
    auto Link = cxAddObjectLink(this);
    const pw::UINT Msg = Message.Msg;
    bool Handled = false;
    if ((Msg == pw::WM_LBUTTONDOWN || Msg == pw::WM_LBUTTONDBLCLK) && !Dragging()) {
        const TPoint P = pw::LParamToPoint(Message.LParam);
        const bool Take =
            IsDesigning() ? GetDesignHitTest(P.X, P.Y, pf::ssLeft) : DragMode() == pf::dmAutomatic;
        // Straight to the handlers: the class library would start its drag at the press, and
        // ours waits for the mouse to leave the drag-detect area (AfterMouseDown).
        if (Take && !ControlAtPos(P) && EnabledWithParents()) {
            Dispatch(Message);
            Handled = true;
        }
    }
    if (!Handled && PanningMessage(Message)) Handled = true;
    if (!Handled) {
        if (Msg == pw::WM_RBUTTONUP) FRightButtonUpInProgress = true;
        TCustomControl::WndProc(Message);
    }
    if (!Link->Ref) return;
    switch (Msg) {
    case pw::WM_SETFOCUS:
    case pw::WM_KILLFOCUS:
        FocusChanged();
        break;
    case pw::WM_RBUTTONUP:
        FRightButtonUpInProgress = false;
        break;
    default:
        break;
    }
    if (!Link->Ref) return;
    if (Msg == pw::WM_LBUTTONDOWN || Msg == pw::WM_RBUTTONDOWN || Msg == pw::WM_MBUTTONDOWN) {
        // Our points are 32-bit, so the message's point holds however large the control is.
        const TPoint P = pw::LParamToPoint(Message.LParam);
        const pf::TMouseButton Button = Msg == pw::WM_LBUTTONDOWN   ? pf::mbLeft
                                        : Msg == pw::WM_RBUTTONDOWN ? pf::mbRight
                                                                    : pf::mbMiddle;
        AfterMouseDown(Button, P.X, P.Y);
    }
}

void TcxControl::Dispatch(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_CANCELMODE:
        TCustomControl::Dispatch(Message);
        FinishDragAndDrop(false);
        DoCancelMode();
        return;
    case pw::WM_CONTEXTMENU:
        HandleContextMenu(Message);
        return;
    case pw::WM_ERASEBKGND:
        if (!NeedsEraseBackground()) {
            Message.Result = 1;
            return;
        }
        break;
    case pw::WM_GETDLGCODE:
        Message.Result = DialogCode();
        return;
    case pw::WM_PAINT:
        // The drag image over this control must not be painted into it.
        if (pf::drag::TDragObject* Object = cxDragObject()) Object->HideDragImage();
        TCustomControl::Dispatch(Message);
        if (pf::drag::TDragObject* Object = cxDragObject()) Object->ShowDragImage();
        return;
    case pw::WM_NCCALCSIZE:
        TCustomControl::Dispatch(Message);
        if (HandleAllocated()) pc::PostMessage(handle_, cxNCSizeChangedMessage, 0, 0);
        return;
    case pw::WM_KEYDOWN:
    case pw::WM_SYSKEYDOWN:
        if (TakeKeyDown(Message)) return;
        break;
    case pw::WM_RBUTTONUP: {
        // The class library shows its own menu here; ours comes through WM_CONTEXTMENU, which
        // the window's default handling makes of the release.
        const TPoint P = pw::LParamToPoint(Message.LParam);
        MouseUp(pf::mbRight, pf::KeysToShiftState(Message.WParam), P.X, P.Y);
        TWinControl::DefaultHandler(Message);
        return;
    }
    case pf::CM_COLORCHANGED:
        ColorChanged();
        break;
    case pf::CM_CURSORCHANGED:
        CursorChanged();
        break;
    case pf::CM_DESIGNHITTEST:
        TCustomControl::Dispatch(Message);
        if (Message.Result == 0) {
            const TPoint P = pw::LParamToPoint(Message.LParam);
            Message.Result = GetDesignHitTest(P.X, P.Y, pf::KeysToShiftState(Message.WParam));
        }
        return;
    case pf::CM_FONTCHANGED:
        TCustomControl::Dispatch(Message);
        FontChanged();
        return;
    case pf::CM_MOUSEENTER:
    case pf::CM_MOUSELEAVE: {
        const pc::UINT Msg = Message.Msg;
        auto* Control = reinterpret_cast<pf::TControl*>(Message.LParam);
        TCustomControl::Dispatch(Message);
        if (!Control) Control = this;
        if (Msg == pf::CM_MOUSEENTER)
            MouseEnter(Control);
        else
            MouseLeave(Control);
        return;
    }
    case cxNCSizeChangedMessage:
        if (HasScrollBars()) ScrollBarMetricsChanged();
        return;
    case pf::CM_TEXTCHANGED:
        TCustomControl::Dispatch(Message);
        TextChanged();
        return;
    case pf::CM_VISIBLECHANGED:
        TCustomControl::Dispatch(Message);
        VisibleChanged();
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

pw::LRESULT TcxControl::DialogCode() const {
    pw::LRESULT Result = 0;
    if (IsControlKey(Keys, ckAll)) Result += pw::DLGC_WANTALLKEYS;
    if (IsControlKey(Keys, ckArrows)) Result += pw::DLGC_WANTARROWS;
    if (IsControlKey(Keys, ckChars)) Result += pw::DLGC_WANTCHARS;
    // Ctrl+Tab stays the form's, to move between pages.
    if (IsControlKey(Keys, ckTab) && pw::GetKeyState(pw::VK_CONTROL) >= 0)
        Result += pw::DLGC_WANTTAB;
    return Result;
}

bool TcxControl::WantsKey(pf::WORD Key) const {
    const pw::LRESULT Code = DialogCode();
    if (Code & pw::DLGC_WANTALLKEYS) return true;
    switch (Key) {
    case pw::VK_TAB:
        return (Code & pw::DLGC_WANTTAB) != 0;
    case pw::VK_LEFT:
    case pw::VK_RIGHT:
    case pw::VK_UP:
    case pw::VK_DOWN:
        return (Code & pw::DLGC_WANTARROWS) != 0;
    default:
        return false;
    }
}

bool TcxControl::IsPopupMenuShortCut(pc::TMessage& Message) {
    if (IsDesigning()) return false;
    for (pf::TControl* Control = this; Control; Control = Control->Parent())
        if (auto* CxControl = dynamic_cast<TcxControl*>(Control))
            if (cxIsPopupMenuShortCut(CxControl->FPopupMenu, Message)) return true;
    return false;
}

bool TcxControl::TakeKeyDown(pc::TMessage& Message) {
    if (IsPopupMenuShortCut(Message)) {
        Message.Result = 1;
        return true;
    }
    if (Message.Msg != pw::WM_KEYDOWN || FDragAndDropState == ddsNone) return false;
    // During drag and drop no key reaches the form; Escape only cancels the drag.
    if (Message.WParam == static_cast<pw::WPARAM>(pw::VK_ESCAPE)) {
        pf::WORD Key = pw::VK_ESCAPE;
        KeyDown(Key, pf::KeyboardShiftState());
    }
    return true;
}

void TcxControl::HandleContextMenu(pc::TMessage& Message) {
    if (Message.Result != 0 || IsDesigning()) {
        TCustomControl::Dispatch(Message);
        return;
    }
    TPoint P = pw::LParamToPoint(Message.LParam);
    const bool FromKeyboard = P.X == -1 && P.Y == -1;
    if (!FromKeyboard) {
        P = ScreenToClient(P);
        if (!platform::gdi::PtInRect(ClientRect(), P)) {
            TCustomControl::Dispatch(Message);
            return;
        }
    }
    bool Handled = false;
    DoContextPopup(P, Handled);
    if (Handled)
        Message.Result = 1;
    else
        TCustomControl::Dispatch(Message);
}

void TcxControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    TCustomControl::DoContextPopup(MousePos, Handled);
    if (Handled) return;
    if (MousePos.X == -1 && MousePos.Y == -1) MousePos = {0, 0};
    const TPoint P = ClientToScreen(MousePos);
    Handled = DoShowPopupMenu(FPopupMenu, P.X, P.Y);
}

bool TcxControl::DoShowPopupMenu(pc::TComponent* Menu, int X, int Y) {
    return cxShowPopupMenu(this, Menu, X, Y);
}

bool TcxControl::DoMouseWheel(pf::TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    const TcxMouseWheelScrollingKind Kind = GetMouseWheelScrollingKind();
    if (Kind == mwskNone) return false;
    TcxDirection Direction;
    if (Kind == mwskHorizontal)
        Direction = WheelDelta > 0 ? dirLeft : dirRight;
    else
        Direction = WheelDelta > 0 ? dirUp : dirDown;
    for (int I = 0; I < WheelScrollLines; ++I)
        ScrollContent(Direction);
    return true;
}

// ---- the platform's operations ----

void TcxControl::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != pc::opRemove) return;
    if (AComponent == FPopupMenu) FPopupMenu = nullptr;
    if (AComponent == FMouseCaptureObject) FMouseCaptureObject = nullptr;
}

void TcxControl::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.style |= pw::WS_CLIPCHILDREN;
}

void TcxControl::CreateWnd() {
    FCreatingWindow = true;
    TCustomControl::CreateWnd();
    if (HasScrollBars()) {
        CreateScrollBars();
        SetScrollBarsParent();
    } else {
        DestroyScrollBars();
    }
    FCreatingWindow = false;
}

void TcxControl::Paint() {
    if (TcxLookAndFeelPainterClass Painter = GetPainter(); Painter && FBorderStyle == cbsSingle) {
        Painter->DrawBorder(*FCanvas, GetBounds());
        FCanvas->IntersectClipRect(GetClientBounds());
    }
    TCustomControl::Paint();
    UpdateInternalControlsState();
}

void TcxControl::MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    FMouseDownPos = {X, Y};
    auto Link = cxAddObjectLink(this);
    if (CanFocusOnClickAt(X, Y) && !(Shift & pf::ssDouble)) {
        const TPoint Before = ClientOrigin();
        SetFocus();
        if (!Link->Ref) return;
        pf::TCustomForm* Form = ParentForm();
        if (Form && Form->ActiveControl() == this && !IsFocused() && HandleAllocated())
            pw::SetFocus(handle_);
        if (!IsFocused() && !KeepMouseCaptureUnfocused()) {
            if (HandleAllocated() && pw::GetCapture() == handle_) pw::ReleaseCapture();
            return;
        }
        const TPoint After = ClientOrigin();
        X -= After.X - Before.X;
        Y -= After.Y - Before.Y;
    }
    if (Button == pf::mbLeft && !(Shift & pf::ssDouble) && StartDragAndDrop({X, Y})) {
        if (DragAndDropObject().GetImmediateStart())
            BeginDragAndDrop();
        else
            SetDragAndDropState(ddsStarting);
    } else {
        FinishDragAndDrop(false);
    }
    if (!Link->Ref) return;
    BeforeMouseDown(Button, Shift, X, Y);
    if (!Link->Ref) return;
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Link->Ref) return;
    if (HandleAllocated() && pw::GetCapture() == handle_) FMouseButtonPressed = true;
}

void TcxControl::MouseMove(pf::TShiftState Shift, int X, int Y) {
    FSettingCurrentCursor = true;
    SetCursor(GetCurrentCursor(X, Y));
    FSettingCurrentCursor = false;
    auto Link = cxAddObjectLink(this);
    TCustomControl::MouseMove(Shift, X, Y);
    if (!Link->Ref) return;
    if (FDragAndDropState == ddsStarting) {
        if (!cxIsPointInDragDetectArea(FMouseDownPos, X, Y)) BeginDragAndDrop();
    } else if (FDragAndDropState == ddsInProcess) {
        bool Accepted = false;
        DragAndDrop({X, Y}, Accepted);
    }
}

void TcxControl::MouseUp(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    FMouseButtonPressed = false;
    auto Link = cxAddObjectLink(this);
    FinishMouseAction();
    if (!Link->Ref) return;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxControl::KeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    if (Key == pw::VK_ESCAPE) FinishDragAndDrop(false);
    TCustomControl::KeyDown(Key, Shift);
}

// ---- the base's answers ----

void TcxControl::AfterMouseDown(pf::TMouseButton Button, int X, int Y) {
    if (DragMode() == pf::dmAutomatic && Button == pf::mbLeft && HandleAllocated() &&
        pw::GetCapture() == handle_ && (!IsDesigning() || AllowAutoDragAndDropAtPoint(X, Y)) &&
        AllowAutoDragAtPoint(X, Y)) {
        if (cxDragDetect(handle_) == ddDrag) BeginDrag(true);
    }
    if (Button == pf::mbMiddle) StartPanning();
}

bool TcxControl::AllowAutoDragAndDropAtPoint(int, int) {
    return true;
}

void TcxControl::BeforeMouseDown(pf::TMouseButton, pf::TShiftState, int, int) {}

void TcxControl::BringInternalControlsToFront() {}

void TcxControl::FinishMouseAction() {
    FinishDragAndDrop(true);
    SetMouseCaptureObject(nullptr);
}

bool TcxControl::CanFocusOnClick() {
    return !IsDesigning() && FocusOnClick && MayFocus() && CanFocus();
}

bool TcxControl::CanFocusOnClickAt(int, int) {
    return CanFocusOnClick();
}

bool TcxControl::FocusWhenChildIsClicked(pf::TControl*) {
    return CanFocusOnClick();
}

pf::TCursor TcxControl::GetCurrentCursor(int, int) {
    return FDefaultCursor;
}

bool TcxControl::IsDesigning() {
    return (ComponentState() & pc::csDesigning) != 0;
}

TcxMouseWheelScrollingKind TcxControl::GetMouseWheelScrollingKind() {
    return GetVScrollBarVisible() ? mwskVertical : mwskNone;
}

bool TcxControl::NeedsEraseBackground() {
    return false;
}

bool TcxControl::IsInternalControl(pf::TControl*) {
    return false;
}

TcxLookAndFeel& TcxControl::GetLookAndFeel() {
    return *FLookAndFeel;
}

TcxLookAndFeelPainterClass TcxControl::GetPainter() {
    return FLookAndFeel->GetPainter();
}

void TcxControl::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}

bool TcxControl::CanScrollWithoutScrollBars(TcxDirection) {
    return false;
}

bool TcxControl::HasScrollBars() {
    return true;
}

TRect TcxControl::GetHScrollBarBounds() {
    TRect R = GetClientBounds();
    R.Top = R.Bottom;
    R.Bottom = R.Top + GetHScrollBarHeight();
    return R;
}

TRect TcxControl::GetVScrollBarBounds() {
    TRect R = GetClientBounds();
    R.Left = R.Right;
    R.Right = R.Left + GetVScrollBarWidth();
    return R;
}

TRect TcxControl::GetSizeGripBounds() {
    const TRect H = GetHScrollBarBounds();
    const TRect V = GetVScrollBarBounds();
    return {V.Left, H.Top, V.Right, H.Bottom};
}

bool TcxControl::IsPixelScrollBar(TcxScrollBarKind) {
    return false;
}

bool TcxControl::KeepScrollBarsOnTop() {
    return !IsDesigning();
}

void TcxControl::Scroll(TcxScrollBarKind, int, int&) {}

bool TcxControl::KeepMouseCaptureUnfocused() {
    return false;
}

void TcxControl::BoundsChanged() {
    UpdateScrollBars();
}

bool TcxControl::AllowAutoDragAtPoint(int, int) {
    return FDragAndDropState == ddsNone;
}

void TcxControl::CursorChanged() {
    if (!FSettingCurrentCursor) FDefaultCursor = Cursor();
}

void TcxControl::DoCancelMode() {
    FMouseButtonPressed = false;
    SetMouseCaptureObject(nullptr);
}

void TcxControl::FocusChanged() {
    if (OnFocusChanged) OnFocusChanged(this);
}

void TcxControl::FontChanged() {
    for (IcxFontListener* Listener : std::vector<IcxFontListener*>(FFontListeners))
        Listener->Changed(this, Font());
    Invalidate();
}

bool TcxControl::GetDesignHitTest(int, int, pf::TShiftState) {
    return FDragAndDropState != ddsNone || FMouseButtonPressed;
}

bool TcxControl::MayFocus() {
    return true;
}

void TcxControl::MouseEnter(pf::TControl*) {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TcxControl::MouseLeave(pf::TControl*) {
    if (OnMouseLeave) OnMouseLeave(this);
}

} // namespace toolkit::base
