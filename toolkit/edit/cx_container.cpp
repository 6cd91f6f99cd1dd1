#include "toolkit/edit/cx_container.h"

#include "toolkit/edit/desktop_composition.h"

#include "toolkit/base/cx_hooks.h"
#include "toolkit/base/office11.h"

#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/cursors.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
using toolkit::base::cxBorder;

namespace {

// The shift state of the last mouse press or release over any container.
pf::TShiftState LastMouseShift = 0;

bool WindowIsOrIsInside(pc::HWND Parent, pc::HWND Wnd) {
    return Wnd != pc::HWND{} && (Wnd == Parent || pw::IsChild(Parent, Wnd));
}

} // namespace

TcxContainer::TcxContainer(pc::TComponent* AOwner) : TcxControl(AOwner) {
    TabStop = true;
    RecreateStyles();
    RecreateViewInfo();
}

TcxContainer::~TcxContainer() {
    toolkit::base::EndMouseTracking(this);
    ReleaseFocusHook();
    FIsDestroying = true;
    if (FInnerControl) FInnerControl->RemoveFreeNotification(this);
    FViewInfo.reset();
    FStyles->SetOnChanged(nullptr);
    FStyles.reset();
}

// The constructor and a descendant's constructor make the styles the same way, so that the
// descendant's style class, and its answers on parent colour, take effect.
void TcxContainer::RecreateStyles() {
    FIsCreating = true;
    TcxControl::LookAndFeel().SetMasterLookAndFeel(nullptr);
    if (FStyles) FStyles->SetOnChanged(nullptr);
    FStyles = std::make_unique<TcxContainerStyles>(this, GetStyleClass());
    FStyles->SetOnChanged([this](TcxContainerStyle* Sender) { ContainerStyleChanged(Sender); });
    FActiveStyle = &Style();
    FActiveStyleState = cstNormal;
    TcxControl::LookAndFeel().SetMasterLookAndFeel(&Style().LookAndFeel());
    SetParentColor(UsesParentColorByDefault() && !IsInplace() && !Style().IsValueAssigned(svColor));
    if (!ParentColor()) SetColor(pg::clWindow);
    ResetInnerControlBounds();
    FIsCreating = false;
}

void TcxContainer::RecreateViewInfo() {
    FViewInfo = GetViewInfoClass()();
    FViewInfoCalculated = false;
    FActiveStyle = &Style();
    FActiveStyleState = FViewInfo->ContainerState;
}

TcxContainerViewInfoClass TcxContainer::GetViewInfoClass() {
    return [] { return std::make_unique<TcxContainerViewInfo>(); };
}

void TcxContainer::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    TcxControl::Notification(AComponent, Operation);
    if (Operation == pc::opRemove && AComponent == FInnerControlBoundsControl) {
        FInnerControlBoundsControl = nullptr;
        ResetInnerControlBounds();
    }
    if (Operation == pc::opRemove && AComponent == FInnerControl) {
        FInnerControl = nullptr;
        ReleaseFocusHook();
    }
}

// ---- inner control ----

void TcxContainer::SetInnerControl(pf::TWinControl* Value) {
    if (Value == FInnerControl) return;
    if (FInnerControl) FInnerControl->RemoveFreeNotification(this);
    FInnerControl = Value;
    if (FInnerControl) {
        FInnerControl->FreeNotification(this);
        InstallFocusHook();
    } else {
        ReleaseFocusHook();
    }
    ShortRefreshContainer(false);
}

bool TcxContainer::ProcessInnerControlMessage(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_CONTEXTMENU:
        Message.Result = Perform(Message.Msg, Message.WParam, Message.LParam);
        return Message.Result != 0;
    case DXM_BUFFEREDPAINTONGLASS:
        if (FInnerRepaintPending && HasInnerHandle())
            RepaintWindowBuffered(FInnerControl->Handle());
        FInnerRepaintPending = false;
        return true;
    default:
        // The platform's edit and list-box windows ask their parent for no colours, so no
        // repaint of the inner control on glass is ever requested.
        return false;
    }
}

bool TcxContainer::HandleInnerControlShortCut(pc::TMessage& Message) {
    // The platform hands key messages to the focused control itself, not reflected.
    if (Message.Msg != pw::WM_KEYDOWN && Message.Msg != pw::WM_SYSKEYDOWN) return false;
    if (!IsPopupMenuShortCut(Message)) return false;
    Message.Result = 1;
    return true;
}

pf::TWinControl& TcxContainer::GetInnerControlOrSelf() {
    return FInnerControl ? *FInnerControl : static_cast<pf::TWinControl&>(*this);
}

bool TcxContainer::HasInnerHandle() const {
    return FInnerControl && FInnerControl->HandleAllocated();
}

void TcxContainer::InstallFocusHook() {
    if (FFocusHook != pw::HHOOK{}) return;
    // The inner control does not know its container: its focus changes reach the container
    // here, as a posted refresh, once the focus has settled.
    toolkit::base::cxSetHook(
        FFocusHook, pw::WH_CALLWNDPROC, [this](int Code, pc::WPARAM WParam, pc::LPARAM LParam) {
            const auto* Call = reinterpret_cast<const pw::CWPSTRUCT*>(LParam);
            if ((Call->message == pw::WM_SETFOCUS || Call->message == pw::WM_KILLFOCUS) &&
                HasInnerHandle() && Call->hwnd == FInnerControl->Handle() && HandleAllocated())
                pc::PostMessage(Handle(), DXM_CONTAINERSETFOCUS, 0, 0);
            return pw::CallNextHookEx(FFocusHook, Code, WParam, LParam);
        });
}

void TcxContainer::ReleaseFocusHook() {
    toolkit::base::cxReleaseHook(FFocusHook);
}

// ---- state ----

bool TcxContainer::Focused() const {
    if (FIsDestroying || (ComponentState() & (pc::csDesigning | pc::csDestroying))) return false;
    if (HandleAllocated() && pw::GetFocus() == handle_) return true;
    return HasInnerHandle() && FInnerControl->Focused();
}

bool TcxContainer::CanFocusEx() {
    if (!CanFocus()) return false;
    if (pf::TCustomForm* Form = ParentForm()) return Form->CanFocus() && Form->Enabled();
    return true;
}

bool TcxContainer::CanFocusOnClick() {
    return TcxControl::CanFocusOnClick() && !(HasInnerHandle() && FInnerControl->Focused()) &&
           !FInnerControlMouseDown;
}

bool TcxContainer::IsDestroyingOrLocked() const {
    return FIsDestroying || (ComponentState() & pc::csDestroying);
}

void TcxContainer::SetFocus() {
    if (IsDesigning() || IsContainerFocused()) return;
    TcxControl::SetFocus();
    if (HasInnerHandle() && pw::GetFocus() == Handle()) {
        SetInnerControlFocus();
        if (pf::TCustomForm* Form = ParentForm()) Form->FocusControl(FInnerControl);
    }
}

void TcxContainer::SetInnerControlFocus() {
    FInnerControl->SetFocus();
}

TcxContainerStyle& TcxContainer::InternalGetActiveStyle() {
    if (FViewInfo->ContainerState != FActiveStyleState) {
        FActiveStyleState = FViewInfo->ContainerState;
        FActiveStyle = &CalculateActiveStyle();
    }
    return *FActiveStyle;
}

TcxContainerStyle& TcxContainer::CalculateActiveStyle() {
    const TcxContainerState State = FViewInfo->ContainerState;
    if (State & cstDisabled) return StyleDisabled();
    if (State & cstFocused) return StyleFocused();
    if (Style().HotTrack() && (State & cstHot)) return StyleHot();
    return Style();
}

bool TcxContainer::IsNativeStyle() {
    // Visual styles are not offered on this platform.
    return false;
}

bool TcxContainer::HasShadow() {
    return ActiveStyle().Shadow() && !FViewInfo->NativeStyle;
}

bool TcxContainer::StyleOwnerParentControlColor(TColor& Color) {
    if (!Parent()) return false;
    Color = Parent()->Color();
    return true;
}

bool TcxContainer::IsStylePropertyPublished(const std::string& PropertyName,
                                            bool CheckStateDependence) {
    if (CheckStateDependence && !Style().IsStateDependentValueName(PropertyName)) return false;
    const TcxContainerStyleValue Value = Style().FindStyleValueByName(PropertyName);
    if (Value < 0) return true;
    return (InternalGetNotPublishedStyleValues() & cxStyleValue(Value)) == 0;
}

// ---- layout ----

TRect TcxContainer::GetBorderExtent() {
    TcxContainerStyle& Active = ActiveStyle();
    TRect Result{0, 0, 0, 0};
    if (Active.TransparentBorder() && !FViewInfo->Painter) {
        Result = {2, 2, 2, 2};
    } else if (Active.HasBorder()) {
        if (FViewInfo->NativeStyle) {
            const int W = FViewInfo->BorderStyle == cbsNone ? 0 : 2;
            Result = {W, W, W, W};
        } else {
            const int W = GetContainerBorderWidth(FViewInfo->BorderStyle);
            const TcxBorders Edges = Active.Edges();
            Result = {Edges & cxBorder(toolkit::base::bLeft) ? W : 0,
                      Edges & cxBorder(toolkit::base::bTop) ? W : 0,
                      Edges & cxBorder(toolkit::base::bRight) ? W : 0,
                      Edges & cxBorder(toolkit::base::bBottom) ? W : 0};
        }
    }
    if (HasShadow()) {
        Result.Right += 3;
        Result.Bottom += 3;
    }
    return Result;
}

TRect TcxContainer::GetVisibleBounds() {
    const TRect Extent = GetBorderExtent();
    TRect R = FViewInfo->ClientRect;
    R = {R.Left - Extent.Left, R.Top - Extent.Top, R.Right + Extent.Right,
         R.Bottom + Extent.Bottom};
    const int W = GetContainerBorderWidth(FViewInfo->BorderStyle);
    pg::InflateRect(R, W, W);
    TrimRectByEdges(R, W, ActiveStyle().Edges());
    return R;
}

TRect TcxContainer::GetMouseTrackingBounds() {
    TRect R{0, 0, Width(), Height()};
    if (!IsInplace()) {
        if (FViewInfo->Shadow) {
            R.Right -= 3;
            R.Bottom -= 3;
        }
        TcxContainerStyle& Active = ActiveStyle();
        const bool Transparent = Active.TransparentBorder();
        if (!Active.HasBorder() && Transparent) {
            pg::InflateRect(R, -2, -2);
        } else if (FViewInfo->NativeStyle) {
            if (Transparent && FViewInfo->BorderStyle == cbsNone) pg::InflateRect(R, -2, -2);
        } else if (Transparent) {
            const int W = GetContainerBorderWidth(FViewInfo->BorderStyle);
            pg::InflateRect(R, W - 2, W - 2);
            TrimRectByEdges(R, W, Active.Edges());
        }
    }
    if (R.Top > R.Bottom) R = {R.Left, 0, R.Right, 0};
    return R;
}

TRect TcxContainer::GetClientBounds() {
    return FViewInfo->InnerRect;
}

void TcxContainer::CalculateViewInfo(pg::TPoint P, bool Hot) {
    TcxContainerViewInfo& V = *FViewInfo;
    V.NativeStyle = IsNativeStyle();
    V.Painter = Style().LookAndFeel().SkinPainter();
    const int OldBorderWidth = GetContainerBorderWidth(V.BorderStyle);
    auto CalculateState = [&] {
        TcxContainerState State;
        if (!Enabled())
            State = cstDisabled;
        else if (IsDesigning())
            State = cstNormal;
        else
            State = IsContainerFocused() ? cstFocused : cstNormal;
        V.ContainerState = State;
        if (Hot && pg::PtInRect(GetMouseTrackingBounds(), P)) State |= cstHot;
        V.ContainerState = State;
        TcxContainerStyle& Active = InternalGetActiveStyle();
        V.HotState = !Active.HotTrack() ? 0 : (State & (cstFocused | cstHot)) ? 2 : 1;
        TcxContainerBorderStyle Border =
            V.NativeStyle ? Style().BorderStyle() : Active.BorderStyle();
        if (!V.NativeStyle && (Border == cbsUltraFlat || Border == cbsOffice11)) Border = cbsSingle;
        V.BorderStyle = Border;
    };
    CalculateState();
    // The active style may change with a narrower border: the hot bounds grew.
    if (!V.NativeStyle && GetContainerBorderWidth(V.BorderStyle) < OldBorderWidth) CalculateState();
    TcxContainerStyle& Active = InternalGetActiveStyle();
    V.Bounds = GetControlRect(*this);
    const TRect Extent = GetBorderExtent();
    V.ClientRect = {V.Bounds.Left + Extent.Left, V.Bounds.Top + Extent.Top,
                    V.Bounds.Right - Extent.Right, V.Bounds.Bottom - Extent.Bottom};
    V.InnerRect = V.ClientRect;
    V.BorderWidth = V.Painter ? 1 : GetContainerBorderWidth(V.BorderStyle);
    V.Edges = Active.Edges();
    V.Shadow = HasShadow();
    const TcxContainerBorderStyle StyleBorder = Active.BorderStyle();
    if (StyleBorder == cbsUltraFlat || StyleBorder == cbsOffice11) {
        const bool Highlighted = (V.ContainerState & cstFocused) ||
                                 ((V.ContainerState & cstHot) && Active.HotTrack()) ||
                                 (IsDesigning() && Enabled());
        V.BorderColor = !Highlighted ? pg::clBtnShadow
                        : StyleBorder == cbsUltraFlat
                            ? pg::clHighlight
                            : toolkit::base::dxOffice11SelectedBorderColor();
    } else {
        V.BorderColor = Active.BorderColor();
    }
    V.SetBackgroundColor(Active.GetColor());
}

void TcxContainer::AdjustInnerControl() {
    if (!FInnerControl) return;
    FInnerControl->SetColor(FViewInfo->BackgroundColor);
    FInnerControl->Font().Assign(ActiveStyle().GetVisibleFont());
}

void TcxContainer::AdjustInnerControlBounds() {
    if (!FInnerControl) return;
    const TRect R = FViewInfo->InnerRect;
    if (FInnerControl->BoundsRect() == R) return;
    FInnerControlBoundsLock = true;
    FInnerControl->SetBoundsRect(R);
    FInnerControlBoundsLock = false;
}

void TcxContainer::SetShadowRegion() {
    if (!HandleAllocated()) return;
    SetWindowShadowRegion(Handle(), GetVisibleBounds(), !CanHaveTransparentBorder(), TRect{},
                          FViewInfo->Shadow);
}

// ---- refreshing ----

bool TcxContainer::RefreshContainer(pg::TPoint P, int /*Button*/, pf::TShiftState Shift,
                                    bool /*IsMouseEvent*/) {
    if (FInnerControlBoundsLock || IsDestroyingOrLocked()) return true;
    FViewInfoCalculated = true;
    CalculateViewInfo(P, Shift == 0 && ActiveStyle().HotTrack());
    AdjustInnerControlBounds();
    AdjustInnerControl();
    SetShadowRegion();
    if (HandleAllocated()) {
        if (FInnerControl)
            InternalInvalidate(Handle(), GetControlRect(*this), FViewInfo->ClientRect, false);
        else
            Invalidate();
    }
    if (FViewInfo->ContainerState & cstHot)
        toolkit::base::BeginMouseTracking(this, GetMouseTrackingBounds(), this);
    return true;
}

void TcxContainer::ShortRefreshContainer(bool IsMouseEvent) {
    if (!HandleAllocated() || IsDestroyingOrLocked() || FRefreshLock) return;
    FRefreshLock = true;
    pg::TPoint P{-1, -1};
    pg::TPoint Cursor;
    pw::GetCursorPos(&Cursor);
    if (WindowIsOrIsInside(Handle(), pw::WindowFromPoint(Cursor))) P = ScreenToClient(Cursor);
    RefreshContainer(P, 0, pf::KeyboardShiftState() | LastMouseShift, IsMouseEvent);
    FRefreshLock = false;
}

void TcxContainer::ContainerStyleChanged(TcxContainerStyle* /*Sender*/) {
    if (FIsCreating || (ComponentState() & pc::csLoading)) return;
    ShortRefreshContainer(false);
    FStyleChanging = true;
    if (!(ParentColor() && !Style().IsValueAssigned(svColor)))
        SetColor(Style().GetContainerColor());
    Font().Assign(Style().Font());
    FStyleChanging = false;
    if (Style().IsValueAssigned(svFont)) SetParentFont(false);
}

void TcxContainer::ColorChanged() {
    // The platform hands the parent's colour down straight, with ParentColor still on: that
    // colour is not the style's own either.
    if (FStyleChanging || ParentColor()) {
        TcxControl::ColorChanged();
        ShortRefreshContainer(false);
    } else {
        Style().SetColor(Color());
    }
}

void TcxContainer::FocusChanged() {
    TcxControl::FocusChanged();
    ShortRefreshContainer(false);
}

void TcxContainer::Resize() {
    TcxControl::Resize();
    if (FIsCreating) return;
    FRefreshLock = false;
    ShortRefreshContainer(false);
}

void TcxContainer::CreateWnd() {
    TcxControl::CreateWnd();
    pc::PostMessage(Handle(), DXM_CONTAINERSETFOCUS, 0, 0);
}

void TcxContainer::Paint() {
    if (!FViewInfoCalculated) {
        FViewInfoCalculated = true;
        CalculateViewInfo({-1, -1}, false);
    }
    FViewInfo->Paint(Canvas());
}

// ---- keys and focus ----

void TcxContainer::KeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    TcxControl::KeyDown(Key, Shift);
    if (Key != pw::VK_TAB || (Shift & (pf::ssAlt | pf::ssCtrl)) || !IsContainerFocused() ||
        !MovesFocusOnTab())
        return;
    Key = 0;
    // The inner control stands in the tab order for the container while it has the focus.
    if (pf::TCustomForm* Form = ParentForm()) {
        pf::TWinControl* Current =
            FInnerControl && Form->ActiveControl() == FInnerControl ? FInnerControl : this;
        Form->SelectNext(Current, !(Shift & pf::ssShift));
    }
    if (HandleAllocated() && pw::GetFocus() == Handle() && HasInnerHandle()) SetInnerControlFocus();
}

void TcxContainer::WndProc(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_NCPAINT:
        Message.Result = 0;
        return;
    case pw::WM_SETFOCUS:
        if (!Visible()) return;
        // Focus handed back from the inner control stays where the user put it.
        if (HandleAllocated() && HasInnerHandle() &&
            static_cast<pc::HWND>(Message.WParam) == FInnerControl->Handle()) {
            Message.Result = 0;
            return;
        }
        TcxControl::WndProc(Message);
        if (HasInnerHandle() && FInnerControl->CanFocus()) FInnerControl->SetFocus();
        return;
    case pw::WM_KILLFOCUS:
        if (HasInnerHandle() && static_cast<pc::HWND>(Message.WParam) == FInnerControl->Handle()) {
            Message.Result = 0;
            return;
        }
        break;
    case pw::WM_KEYDOWN:
    case pw::WM_KEYUP:
    case pw::WM_CHAR:
        if (HasInnerHandle()) {
            Message.Result = FInnerControl->Perform(Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        break;
    case DXM_CONTAINERSETFOCUS:
        ShortRefreshContainer(false);
        return;
    case pw::WM_SETCURSOR:
        // The frame around the inner control shows the arrow, not the inner control's cursor.
        if (FInnerControl && HandleAllocated() &&
            static_cast<pc::HWND>(Message.WParam) == Handle() &&
            static_cast<std::int16_t>(Message.LParam & 0xFFFF) == pw::HTCLIENT) {
            pg::TPoint Cursor;
            pw::GetCursorPos(&Cursor);
            if (!pg::PtInRect(FViewInfo->InnerRect, ScreenToClient(Cursor))) {
                pw::SetCursor(pw::LoadCursor(pw::IDC_ARROW));
                Message.Result = 1;
                return;
            }
        }
        break;
    case pw::WM_WINDOWPOSCHANGING:
        if (IsDestroyingOrLocked()) {
            Message.Result = 0;
            return;
        }
        TcxControl::WndProc(Message);
        if (HandleAllocated() && pw::GetFocus() == Handle() && FInnerControl &&
            FInnerControl->CanFocus())
            if (pf::TCustomForm* Form = ParentForm()) Form->FocusControl(FInnerControl);
        return;
    case pw::WM_WINDOWPOSCHANGED:
        TcxControl::WndProc(Message);
        if (!IsDestroyingOrLocked() && HasParentDependentBackground()) ShortRefreshContainer(false);
        return;
    case pw::WM_PAINT:
        if (BufferedPaintOnComposition && IsCompositionEnabled()) {
            PaintWindowBuffered(Handle());
            Message.Result = 0;
            return;
        }
        break;
    case DXM_BUFFEREDPAINTONGLASS:
        if (FRepaintPending) {
            RepaintWindowBuffered(Handle());
            FRepaintPending = false;
        }
        return;
    case pf::CM_FONTCHANGED:
        if (FStyleChanging) {
            TcxControl::WndProc(Message);
            AdjustInnerControlBounds();
            ShortRefreshContainer(false);
            return;
        }
        {
            // A font that reaches the container from its parent is not the style's own. One set
            // on the control itself (ParentFont is then off) is: left unassigned, the style would
            // fall back to the default font and throw it away.
            const bool WasAssigned = Style().AssignedValues() & cxStyleValue(svFont);
            Style().BeginUpdate();
            Style().SetFont(&Font());
            if (!WasAssigned && ParentFont())
                Style().SetAssignedValues(Style().AssignedValues() & ~cxStyleValue(svFont));
            Style().EndUpdate();
        }
        break;
    case pf::CM_PARENTFONTCHANGED: {
        const bool WasAssigned = Style().AssignedValues() & cxStyleValue(svFont);
        TcxControl::WndProc(Message);
        if (!ParentFont()) Style().UpdateFont();
        if (!WasAssigned || ParentFont())
            Style().SetAssignedValues(Style().AssignedValues() & ~cxStyleValue(svFont));
        return;
    }
    case pf::CM_PARENTCOLORCHANGED: {
        const bool WasAssigned = Style().AssignedValues() & cxStyleValue(svColor);
        TcxControl::WndProc(Message);
        if (!WasAssigned || ParentColor())
            Style().SetAssignedValues(Style().AssignedValues() & ~cxStyleValue(svColor));
        if (Style().GetColor() != Color()) ContainerStyleChanged(&Style());
        if (HasParentDependentBackground() && !ParentColor()) Invalidate();
        return;
    }
    case DXM_UPDATESCROLLBARS:
        // The system's scroll-bar information is not offered, so there is nothing to copy.
        return;
    case pf::CM_ENABLEDCHANGED:
    case pf::CM_SYSCOLORCHANGE:
        TcxControl::WndProc(Message);
        ShortRefreshContainer(false);
        return;
    default:
        break;
    }
    TcxControl::WndProc(Message);
}

// ---- popup menu, cursor and scaling ----

// ---- child windows, tab order and dragging ----

void TcxContainer::LockAlignControls(bool Lock) {
    if (Lock)
        ++FAlignControlsLockCount;
    else if (FAlignControlsLockCount > 0)
        --FAlignControlsLockCount;
}

void TcxContainer::AdjustClientRect(TRect& Rect) {
    if (!IsDestroyingOrLocked()) Rect = FViewInfo->InnerRect;
}

TcxContainer::TcxContainerInnerControlBounds
TcxContainer::GetInnerControlBounds(const TRect& Region, pf::TControl* Control) {
    TcxContainerInnerControlBounds Result;
    if (!Control) return Result;
    const TRect Bounds = Control->BoundsRect();
    const TRect Own{0, 0, Bounds.Width(), Bounds.Height()};
    Result.Rect = Own;
    if (Bounds.Left < Region.Left) Result.Rect.Left += Region.Left - Bounds.Left;
    if (Bounds.Top < Region.Top) Result.Rect.Top += Region.Top - Bounds.Top;
    if (Bounds.Right > Region.Right) Result.Rect.Right -= Bounds.Right - Region.Right;
    if (Bounds.Bottom > Region.Bottom) Result.Rect.Bottom -= Bounds.Bottom - Region.Bottom;
    Result.IsEmpty = Result.Rect == Own;
    return Result;
}

void TcxContainer::AlignControls(pf::TControl* AControl, TRect& Rect) {
    if (HostsChildControls()) {
        TcxControl::AlignControls(AControl, Rect);
        return;
    }
    if (FAlignControlsLockCount > 0 || FIsCreating) return;
    if (!AControl) {
        TcxControl::AlignControls(AControl, Rect);
        return;
    }
    auto* Child = dynamic_cast<pf::TWinControl*>(AControl);
    if (!Child || !Child->HandleAllocated()) return;
    const TcxContainerInnerControlBounds Bounds = GetInnerControlBounds(Rect, Child);
    if (Child == FInnerControlBoundsControl && Bounds.IsEmpty == FInnerControlBounds.IsEmpty &&
        (Bounds.IsEmpty || Bounds.Rect == FInnerControlBounds.Rect))
        return;
    pg::HRGN Region = Bounds.IsEmpty ? pg::HRGN{} : pg::CreateRectRgnIndirect(Bounds.Rect);
    pw::SetWindowRgn(Child->Handle(), Region, 1);
    if (FInnerControlBoundsControl && FInnerControlBoundsControl != Child)
        FInnerControlBoundsControl->RemoveFreeNotification(this);
    if (Child != FInnerControlBoundsControl) Child->FreeNotification(this);
    FInnerControlBoundsControl = Child;
    FInnerControlBounds = Bounds;
}

void TcxContainer::GetTabOrderList(std::vector<pf::TWinControl*>& List) {
    if (HostsChildControls()) {
        TcxControl::GetTabOrderList(List);
        return;
    }
    pf::TCustomForm* Form = ParentForm();
    if (FInnerControl && Form && Form->ActiveControl() == FInnerControl && CanFocus()) {
        List.push_back(FInnerControl);
        std::erase(List, static_cast<pf::TWinControl*>(this));
    }
}

void TcxContainer::SetDragMode(pf::TDragMode Value) {
    TcxControl::SetDragMode(Value);
    if (FInnerControl) FInnerControl->SetDragMode(Value);
}

void TcxContainer::SetDragKind(pf::TDragKind Value) {
    TcxControl::SetDragKind(Value);
    if (FInnerControl) FInnerControl->SetDragKind(Value);
}

pf::drag::TDragImageList* TcxContainer::GetDragImages() {
    return FInnerControl ? FInnerControl->GetDragImages() : TcxControl::GetDragImages();
}

void TcxContainer::LockPopupMenu(bool Lock) {
    if (Lock)
        ++FPopupMenuLockCount;
    else if (FPopupMenuLockCount > 0)
        --FPopupMenuLockCount;
}

void TcxContainer::DoContextPopup(pg::TPoint MousePos, bool& Handled) {
    if (FPopupMenuLockCount > 0 ||
        (!(MousePos.X == -1 && MousePos.Y == -1) && !CanShowPopupMenu(MousePos))) {
        Handled = true;
        return;
    }
    TcxControl::DoContextPopup(MousePos, Handled);
}

void TcxContainer::CursorChanged() {
    TcxControl::CursorChanged();
    if (FInnerControl) FInnerControl->SetCursor(Cursor());
}

void TcxContainer::ChangeScale(int M, int D) {
    if (M == D || D == 0 || !Style().IsValueAssigned(svFont)) return;
    if (Style().AssignedValues() & cxStyleValue(svFont)) {
        Style().Font().SetSize(Style().Font().Size() * M / D);
    } else if (ComponentState() & pc::csLoading) {
        if (TcxStyleController* Controller = Style().StyleController())
            Controller->ChangeScale(M, D);
    }
}

// ---- mouse ----

void TcxContainer::MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    TcxControl::MouseDown(Button, Shift, X, Y);
    LastMouseShift = Shift & ~(pf::ssShift | pf::ssAlt | pf::ssCtrl);
    RefreshContainer({X, Y}, static_cast<int>(Button) + 1, Shift, true);
}

void TcxContainer::MouseUp(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    TcxControl::MouseUp(Button, Shift, X, Y);
    LastMouseShift = Shift & ~(pf::ssShift | pf::ssAlt | pf::ssCtrl);
    RefreshContainer({X, Y}, static_cast<int>(Button) + 1, Shift, true);
}

void TcxContainer::MouseMove(pf::TShiftState Shift, int X, int Y) {
    TcxControl::MouseMove(Shift, X, Y);
    RefreshContainer({X, Y}, 0, Shift, true);
    toolkit::base::BeginMouseTracking(this, GetMouseTrackingBounds(), this);
}

void TcxContainer::MouseEnter(pf::TControl* AControl) {
    TcxControl::MouseEnter(AControl);
    ShortRefreshContainer(true);
    toolkit::base::BeginMouseTracking(this, GetMouseTrackingBounds(), this);
}

void TcxContainer::MouseLeave(pf::TControl* AControl) {
    TcxControl::MouseLeave(AControl);
    LastMouseShift = 0;
    ShortRefreshContainer(true);
    toolkit::base::EndMouseTracking(this);
}

void TcxContainer::MouseLeave() {
    MouseLeave(nullptr);
}

} // namespace toolkit::edit
