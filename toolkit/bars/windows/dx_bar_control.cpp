#include "toolkit/bars/windows/dx_bar_control.h"

#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_button_control.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_hint_window.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_keyboard_hook.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_cust_items.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"
#include "toolkit/bars/windows/dx_bar_shadow.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/object_links.h"
#include "toolkit/base/settings_controller.h"

#include "platform/core/window_handle.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region_handles.h"
#include "platform/gdi/text_out.h"
#include "platform/win/edit_class.h"
#include "platform/win/input_state.h"
#include "platform/win/keyboard_layout.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

namespace toolkit::bars {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
TCustomdxBarControl* GActiveBarControl = nullptr;
bool GCustomizingWhenActivated = false;

bool IsMouseMessage(pw::UINT Msg) {
    return (Msg >= 0x200 && Msg <= 0x20A) || (Msg >= 0xA0 && Msg <= 0xA9);
}
} // namespace

TCustomdxBarControl* TCustomdxBarControl::ActiveBarControl() {
    return GActiveBarControl;
}

TCustomdxBarControl::TCustomdxBarControl(TdxBarManager* ABarManager)
    : TCustomControl(ABarManager), FBarManager(ABarManager) {
    dxBarUnit().AddBarControl(this);
    pf::TControlStyle Style = ControlStyle() & ~pf::csCaptureMouse;
    const bool StandardPlain = FBarManager && FBarManager->GetPaintStyle() == 0;
    if (StandardPlain && !(FBarManager && FBarManager->IsCustomizing()))
        Style &= ~pf::csDoubleClicks;
    else
        Style |= pf::csDoubleClicks;
    SetControlStyle(Style);
    SetColor(pg::clBtnFace);
    FShadow = std::make_unique<TdxBarShadow>(*this);
    SetVisible(false);
    SetBounds(100, 100, 50, 30);
}

TCustomdxBarControl::~TCustomdxBarControl() {
    FShadow.reset();
    if (IsSubMenuControl())
        SetActive(false);
    else
        HideAll();
    if (FBarManager && FBarManager->SelectedItem() && HasItemControl(FBarManager->SelectedItem()))
        FBarManager->ForgetSelectedItem();
    DestroyControls();
    if (FItemLinks && FItemLinks->BarControl() == this) FItemLinks->SetBarControl(nullptr);
    if (GActiveBarControl == this) GActiveBarControl = nullptr;
    dxBarUnit().RemoveBarControl(this);
}

bool TCustomdxBarControl::Alive() const {
    return dxBarUnit().BarControlExists(this);
}

const TdxBarItemControlPainter& TCustomdxBarControl::Painter() const {
    return FBarManager ? FBarManager->Painter() : TdxBarItemControlPainter::Instance();
}

void TCustomdxBarControl::ItemLinksGoing() {
    DestroyControls();
    FItemLinks = nullptr;
    Invalidate();
}

void TCustomdxBarControl::SetItemLinks(TdxBarItemLinks* Value) {
    if (FItemLinks == Value) return;
    DestroyControls();
    if (FItemLinks && FItemLinks->BarControl() == this) FItemLinks->SetBarControl(nullptr);
    FItemLinks = Value;
    if (FItemLinks) FItemLinks->SetBarControl(this);
    if (HandleAllocated()) CreateControls();
}

// --- Controls ---

void TCustomdxBarControl::CreateControls() {
    if (!FItemLinks) return;
    for (int I = 0; I < FItemLinks->CanVisibleItemCount(); ++I)
        FItemLinks->CanVisibleItems(I)->CreateControl();
}

void TCustomdxBarControl::DestroyControls() {
    if (!FItemLinks) return;
    const bool Saved = FDestroyingControls;
    FDestroyingControls = true;
    // Every link's, not only the shown ones': a link hidden since its control was made must
    // not keep a control that points at this window.
    for (int I = 0; I < FItemLinks->Count(); ++I)
        FItemLinks->Items(I)->DestroyControl();
    FDestroyingControls = Saved;
}

void TCustomdxBarControl::CreateWnd() {
    TCustomControl::CreateWnd();
    CreateControls();
    UpdateAlphaBlend();
    UpdateFont();
    CalcDrawingConsts();
}

void TCustomdxBarControl::DestroyWnd() {
    if (HandleAllocated()) FreeControlWindows();
    DestroyControls();
    TCustomControl::DestroyWnd();
}

void TCustomdxBarControl::FreeControlWindows() {
    if (FItemLinks == nullptr) return;
    for (int I = 0; I < FItemLinks->CanVisibleItemCount(); ++I)
        if (TdxBarItemControl* Control = FItemLinks->CanVisibleItems(I)->Control())
            Control->FreeWindow();
}

void TCustomdxBarControl::CalcDrawingConsts() {
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    pg::TSize Size{};
    pg::SelectObject(DC, Font().Handle());
    pg::GetTextExtentPoint32(DC, "0", 1, &Size);
    FTextSize = Size.cy + 6;
    FTextSizeFifth = std::max(FTextSize / 5, 4);
    if (const pg::HFONT ManagerFont = GetFontHandle(); ManagerFont != pg::HFONT{}) {
        pg::SelectObject(DC, ManagerFont);
        pg::GetTextExtentPoint32(DC, "0", 1, &Size);
    }
    FHeightMetric = Painter().GetEditHeight(PaintedBar(), DC, Size.cy);
    FWidthMetric = Painter().GetComboButtonWidth(PaintedBar(), DC, Size.cx);
    pg::DeleteDC(DC);
}

// --- Questions ---

bool TCustomdxBarControl::CanAlignControl(const TdxBarItemControl*) const {
    return false;
}

bool TCustomdxBarControl::IsItemCustomizingAllowed() const {
    if (FBarManager && FBarManager->IsDesigning()) return true;
    return Bar() != nullptr && Bar()->BarAllowCustomizing();
}

bool TCustomdxBarControl::IsFlatBorder() const {
    return Painter().IsFlatBarBorder();
}

pg::HFONT TCustomdxBarControl::GetFontHandle() const {
    return FBarManager ? FBarManager->Font().Handle() : pg::HFONT{};
}

pg::TRect TCustomdxBarControl::GetItemRect(const TdxBarItemControl* Control) const {
    if (Control == nullptr || Control->ItemLink() == nullptr) return {};
    return Control->ItemLink()->ItemRect;
}

bool TCustomdxBarControl::IsCustomizing() const {
    return FBarManager && FBarManager->IsCustomizing();
}

pg::HBRUSH TCustomdxBarControl::GetBkBrush() const {
    return Painter().GetBkBrush(PaintedBar());
}

bool TCustomdxBarControl::IsMouseStill(TPoint ScreenPoint) const {
    return IsCustomizing() || ScreenPoint == FLastMousePos;
}

bool TCustomdxBarControl::HasItemControl(const TdxBarItemControl* Control) const {
    if (Control == nullptr || FItemLinks == nullptr) return false;
    for (int I = 0; I < FItemLinks->CanVisibleItemCount(); ++I)
        if (FItemLinks->CanVisibleItems(I)->Control() == Control) return true;
    return false;
}

TdxBarItemControl* TCustomdxBarControl::ItemAtPos(TPoint ClientPoint) const {
    if (FItemLinks == nullptr) return nullptr;
    if (IsCustomizing() && !IsItemCustomizingAllowed()) return nullptr;
    for (int I = 0; I < FItemLinks->VisibleItemCount(); ++I) {
        TdxBarItemLink* Link = FItemLinks->VisibleItems(I);
        if (Link->Control() && pg::PtInRect(Link->ItemRect, ClientPoint)) return Link->Control();
    }
    return nullptr;
}

pg::TRect TCustomdxBarControl::GetItemRectEx(const TdxBarItemControl* Control) const {
    return GetItemRect(Control);
}

pg::HRGN TCustomdxBarControl::GetItemRegion(const TdxBarItemControl* Control) const {
    return pg::CreateRectRgnIndirect(GetItemRectEx(Control));
}

TdxBarItemControl* TCustomdxBarControl::ItemAtPosEx(TPoint ClientPoint, bool& Outside,
                                                    bool& Vertical, bool& Before) const {
    Outside = false;
    Vertical = IsSubMenuControl() || FDockingStyle == dsLeft || FDockingStyle == dsRight;
    Before = false;
    if (FItemLinks == nullptr) return nullptr;
    const bool Down = Vertical;
    for (int I = 0; I < FItemLinks->VisibleItemCount(); ++I) {
        TdxBarItemControl* Control = FItemLinks->VisibleItems(I)->Control();
        if (Control == nullptr || !Control->CanHit()) continue;
        const pg::HRGN Region = GetItemRegion(Control);
        const bool Hit = pg::PtInRegion(Region, ClientPoint.X, ClientPoint.Y);
        pg::DeleteObject(Region);
        if (!Hit) continue;
        const TRect R = GetItemRect(Control);
        Outside = !pg::PtInRect(R, ClientPoint);
        Vertical = Down || (Outside && ClientPoint.Y < R.Top);
        Before = Vertical ? ClientPoint.Y - R.Top < R.Bottom - ClientPoint.Y
                          : ClientPoint.X - R.Left < R.Right - ClientPoint.X;
        return Control;
    }
    return nullptr;
}

pg::TPoint TCustomdxBarControl::WindowToScreen(TPoint P) const {
    pg::TRect R{};
    if (HandleAllocated()) pw::GetWindowRect(handle_, &R);
    return {P.X + R.Left, P.Y + R.Top};
}

pg::TRect TCustomdxBarControl::GetItemScreenRect(const TdxBarItemControl* Control) const {
    pg::TRect R = GetItemRect(Control);
    const TPoint O = ClientToScreen({0, 0});
    return {R.Left + O.X, R.Top + O.Y, R.Right + O.X, R.Bottom + O.Y};
}

bool TCustomdxBarControl::IsAncestorOf(const TCustomdxBarControl* Control) const {
    for (const TCustomdxBarControl* C = Control; C; C = C->FParentBarControl)
        if (C->FParentBarControl == this) return true;
    return false;
}

// --- Selection ---

void TCustomdxBarControl::UpdateControl(TdxBarItemControl* Control) {
    UpdateBkBrush();
    if (Control == nullptr || !HandleAllocated()) return;
    const pg::TRect R = GetItemRect(Control);
    pw::InvalidateRect(handle_, &R, false);
    pw::UpdateWindow(handle_);
}

void TCustomdxBarControl::SelectionChanged(TdxBarItemControl* OldControl) {
    if (FDestroyingControls) return;
    const bool Saved = FRepaintingSelection;
    FRepaintingSelection = true;
    if (OldControl && HasItemControl(OldControl)) UpdateControl(OldControl);
    if (FSelectedControl) UpdateControl(FSelectedControl);
    FRepaintingSelection = Saved;
}

void TCustomdxBarControl::SetSelectedControl(TdxBarItemControl* Control) {
    if (FSelectedControl == Control) return;
    if (FSelectedControl && FSelectedControl->Active())
        FSelectedControl->ControlInactivate(Control != nullptr);
    if (!Alive()) return;
    if (auto* Sub = dynamic_cast<TdxBarSubItemControl*>(Control)) Sub->OpenedByMouse = false;
    DoSetSelectedControl(Control);
}

void TCustomdxBarControl::SetMouseSelectedControl(TdxBarItemControl* Control) {
    if (!HandleAllocated() || FSelectedControl == Control) return;
    // An edit that owns the input keeps the selection while the mouse wanders.
    if (const auto* Edit = dynamic_cast<const TdxBarWinControl*>(FSelectedControl);
        Edit && Edit->Focused())
        return;
    if (FSelectedControl && FSelectedControl->Active()) FSelectedControl->ControlInactivate(false);
    DoSetSelectedControl(Control);
    if (!Alive() || FSelectedControl == nullptr) return;
    // Hovering opens the menu of a sub-item once menus are open; not, during a drag, the menu
    // of a sub-item the dragged item may not go into.
    if (auto* Sub = dynamic_cast<TdxBarSubItemControl*>(FSelectedControl)) {
        if (const TdxBarItemDragging* Drag = TdxBarItemDragging::Current();
            Drag && Sub->SubItem() && !Sub->SubItem()->CanContainItem(Drag->Item()))
            return;
        Sub->OpenedByMouse = true;
    }
    FSelectedControl->ControlActivate(false);
}

TdxBarItemLink* TCustomdxBarControl::CustomizingSelectedLink() const {
    if (!IsCustomizing() || FBarManager == nullptr) return nullptr;
    TdxBarItemControl* Selected = FBarManager->SelectedItem();
    return Selected && HasItemControl(Selected) ? Selected->ItemLink() : nullptr;
}

void TCustomdxBarControl::SelectLinkAgain(TdxBarItemLink* Link) {
    if (Link == nullptr || !Alive() || !IsCustomizing()) return;
    if (TdxBarItemControl* Control = Link->Control(); Control && HasItemControl(Control))
        SetSelectedControl(Control);
}

void TCustomdxBarControl::DoSetSelectedControl(TdxBarItemControl* Control) {
    // Another bar takes the mouse while the quick-customise bar is open and not active: the
    // bar may have to close (its timer decides).
    if (Control && FBarManager && !FBarManager->IsDestroying())
        if (TdxBarCustomizePopups* Popups = TdxBarCustomizePopups::Find(*FBarManager))
            if (TdxBarQuickControl* Quick = Popups->QuickControl();
                Quick && Quick != this && !Quick->Active())
                Popups->StartQuickControlTimer();
    TdxBarItemControl* Old = FSelectedControl;
    FSelectedControl = Control;
    if (IsCustomizing()) {
        if (FBarManager) FBarManager->SetSelectedItem(Control);
        if (!Alive()) return;
    } else if (FBarManager) {
        FBarManager->SetSelectedItem(Control);
    }
    SelectionChanged(Old);
    pw::GetCursorPos(&FLastMousePos);
    if (Control == nullptr) SetCursor(pf::crDefault);
    // A move off an item is a request with nothing to show: it hides the hint and opens the
    // grace period, so that the neighbour's hint comes at once. Not off the items onto a
    // toolbar's lit mark, which shows a hint of its own; and nothing shows on a window that
    // shows no hints.
    if (!IsCustomizing() && Alive() && !(Control == nullptr && !IsSubMenuControl() && FMarkState))
        UpdateHint(FBarManager, CanShowHints());
    if (!Alive()) return;
    if (Control &&
        (Control->GetEnabled() || (FBarManager && FBarManager->ShowHintForDisabledItems)))
        Hint = pf::GetLongHint(Control->GetHint());
    else
        Hint.clear();
    // A pop-up menu tells the application what its entry does (a status line shows it).
    TCustomdxBarControl* Root = this;
    while (Root->FParentBarControl)
        Root = Root->FParentBarControl;
    if (auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(Root); Menu && Menu->OwnerPopupMenu())
        pf::Application().SetHint(Hint);
}

bool TCustomdxBarControl::RecentItemsExpanded() {
    return GCustomizingWhenActivated;
}

void TCustomdxBarControl::SetRecentItemsExpanded(bool Value) {
    GCustomizingWhenActivated = Value;
}

void TCustomdxBarControl::SetActive(bool Value) {
    if (FActive == Value) return;
    FActive = Value;
    if (Value) {
        if (GActiveBarControl == nullptr) GCustomizingWhenActivated = IsCustomizing();
        FPrevActiveBarControl = GActiveBarControl;
        GActiveBarControl = this;
        // What the user is about to choose from shows the actions' current state.
        if (!IsCustomizing() && FItemLinks) FItemLinks->UpdateActions();
        return;
    }
    if (IsCustomizing()) {
        TdxBarItemControl* Old = FSelectedControl;
        FSelectedControl = nullptr;
        SelectionChanged(Old);
    } else {
        SetSelectedControl(nullptr);
    }
    if (GActiveBarControl == this) {
        TCustomdxBarControl* Prev = FPrevActiveBarControl;
        GActiveBarControl =
            Prev && dxBarUnit().BarControlExists(Prev) && Prev->Active() ? Prev : nullptr;
    }
}

void TCustomdxBarControl::HideAll() {
    SetActive(false);
    if (Alive() && FParentBarControl) FParentBarControl->HideAll();
}

void TCustomdxBarControl::SetDockingStyle(TdxBarDockingStyle Value) {
    if (FDockingStyle == Value) return;
    FDockingStyle = Value;
    Invalidate();
    // The font may turn with the side, and the metrics follow the font.
    Perform(pf::CM_FONTCHANGED, 0, 0);
    UpdateAlphaBlend();
}

void TCustomdxBarControl::ControlDblClick(TdxBarItemControl* Control) {
    if (Control == nullptr) return;
    if (FBarManager && FBarManager->IsDesigning()) {
        if (TdxBarDesigner* Designer = dxBarDesignerOf(*FBarManager))
            Designer->SelectComponent(*FBarManager, Control->Item());
        return;
    }
    // A double click on a sub-item whose personalised menu hides links shows them all.
    if (Control->WantsDblClick())
        if (auto* Sub = dynamic_cast<TCustomdxBarSubItem*>(Control->Item()))
            if (auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(Sub->ItemLinks().BarControl());
                Menu && !Menu->Closing() && Menu->HasMark()) {
                Menu->SetMarkState(2);
                return;
            }
    Control->DblClick();
}

// --- Shadow ---

bool TCustomdxBarControl::IsOwnerItemAdjacent() const {
    const TRect& O = OwnerItemRect;
    TRect W = BoundsRect();
    if (HandleAllocated()) pw::GetWindowRect(handle_, &W);
    return ((O.Bottom == W.Top || O.Top == W.Bottom) && O.Left < W.Right && O.Right > W.Left) ||
           ((O.Right == W.Left || O.Left == W.Right) && O.Top < W.Bottom && O.Bottom > W.Top);
}

bool TCustomdxBarControl::IsShadowVisible() const {
    return Painter().BarControlHasShadow(PaintedBar()) && HandleAllocated() &&
           pw::IsWindowVisible(handle_);
}

void TCustomdxBarControl::UpdateShadow() {
    if (!HandleAllocated() || !FShadow) return;
    TRect Window{};
    pw::GetWindowRect(handle_, &Window);
    const bool Joined = !pg::IsRectEmpty(OwnerItemRect) && IsOwnerItemAdjacent();
    FShadow->Update(Joined ? OwnerItemRect : TRect{}, Window);
    FShadow->SetVisible(IsShadowVisible());
}

// --- Painting ---

TdxBarPaintType TCustomdxBarControl::ItemPaintType() const {
    if (IsSubMenuControl()) return ptMenu;
    const bool Sideways = FDockingStyle == dsLeft || FDockingStyle == dsRight;
    return Sideways && Bar() && Bar()->BarRotateWhenVertical() ? ptVert : ptHorz;
}

bool TCustomdxBarControl::IsQuickCustomizeMenu() const {
    return FItemLinks && FItemLinks->Owner() &&
           dynamic_cast<TdxBarQuickSubItem*>(FItemLinks->Owner()->LinksOwnerComponent());
}

void TCustomdxBarControl::FillPaintedBar(TdxBarControlState& State) const {
    State.Manager = FBarManager;
    State.Kind = IsSubMenuControl() ? bckSubMenu : bckToolbar;
    State.QuickCustomizeMenu = IsQuickCustomizeMenu();
    if (const TdxBarControlBar* B = Bar()) {
        State.Bar.Caption = B->BarCaption();
        State.Bar.IsMainMenu = B->BarIsMainMenu();
        State.Bar.IsStatusBar = B->BarIsStatusBar();
    }
    State.Canvas = const_cast<TCustomdxBarControl*>(this)->canvas_.HandleAllocated()
                       ? &const_cast<TCustomdxBarControl*>(this)->canvas_
                       : nullptr;
    State.DockingStyle = FDockingStyle;
    State.Rotated = ItemPaintType() == ptVert;
    State.BkBrush = FBkBrush;
    State.RowSize = FTextSize;
    State.MarkState = FMarkState;
    State.Active = FActive;
    State.ClientRect = ClientRect();
    auto* Self = const_cast<TCustomdxBarControl*>(this);
    State.OnFillBackground = [Self](pg::HDC DC, const TRect& R) { Self->FillBackground(DC, R); };
}

TdxBarControlState& TCustomdxBarControl::PaintedBar() const {
    FPainted = TdxBarControlState{};
    FillPaintedBar(FPainted);
    return FPainted;
}

void TCustomdxBarControl::FillBackground(pg::HDC DC, const TRect& R) {
    if (FDockingStyle != dsNone)
        Painter().DrawDockedBarBackground(PaintedBar(), DC, R);
    else
        Painter().FillBarBackground(PaintedBar(), DC, R, GetBkBrush());
}

pg::HDC TCustomdxBarControl::PaintDC() {
    UpdateCanvasFont();
    canvas_.Require(pg::TCanvas::PenValid | pg::TCanvas::BrushValid | pg::TCanvas::FontValid);
    return canvas_.Handle();
}

void TCustomdxBarControl::Paint() {
    UpdateBkBrush();
    const pg::HDC DC = PaintDC();
    FillBackground(DC, ClientRect());
    if (FItemLinks == nullptr) return;
    const TdxBarPaintType Kind = ItemPaintType();
    for (int I = 0; I < FItemLinks->VisibleItemCount(); ++I) {
        TdxBarItemLink* Link = FItemLinks->VisibleItems(I);
        if (TdxBarItemControl* Control = Link->Control()) Control->Paint(Link->ItemRect, Kind);
    }
    DrawSelectionFrame(DC);
}

// --- Input ---

// While a bar window is active, mouse input reaches only it and the windows it was opened from.
bool TCustomdxBarControl::PassesActiveFilter(const TMessage& Message) const {
    if (!IsMouseMessage(Message.Msg) || GActiveBarControl == nullptr) return true;
    if (GActiveBarControl == this) return true;
    for (const TCustomdxBarControl* C = GActiveBarControl->FParentBarControl; C;
         C = C->FParentBarControl)
        if (C == this) return true;
    return false;
}

void TCustomdxBarControl::WndProc(TMessage& Message) {
    if (!PassesActiveFilter(Message)) return;
    switch (Message.Msg) {
    case toolkit::base::cxNCSizeChangedMessage:
        RefreshLayout();
        return;
    case pw::WM_MOUSEACTIVATE:
        Message.Result = pw::MA_NOACTIVATE;
        return;
    case pw::WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case pw::WM_LBUTTONDOWN:
        WMLButtonDown(Message);
        return;
    case pw::WM_LBUTTONDBLCLK:
        if (FSelectedControl && FSelectedControl->HandlesDblClick() &&
            pg::PtInRect(ClientRect(), pw::LParamToPoint(Message.LParam))) {
            ControlDblClick(FSelectedControl);
            return;
        }
        WMLButtonDown(Message);
        return;
    case pw::WM_LBUTTONUP:
        WMLButtonUp(Message);
        return;
    case pw::WM_MOUSEMOVE:
        WMMouseMove(Message);
        return;
    case pw::WM_RBUTTONDOWN:
        if (!IsCustomizing()) break;
        CustomizingRightButtonDown(pw::LParamToPoint(Message.LParam));
        return;
    case pw::WM_CAPTURECHANGED:
        WMCaptureChanged(Message);
        break;
    case pw::WM_NCHITTEST:
        TCustomControl::WndProc(Message);
        if (IsNonClientHit(Message)) EndMouseTracking();
        return;
    case pw::WM_MOUSELEAVE:
        FMouseTracked = false;
        WMMouseLeave(Message);
        return;
    case pw::WM_KEYDOWN:
        WMKeyDown(Message);
        return;
    case pw::WM_SETFOCUS:
        WMSetFocus(Message);
        return;
    case pw::WM_CTLCOLOREDIT:
    case pw::WM_CTLCOLORSTATIC: {
        // An embedded edit shows in the window colours whatever the bar behind it looks like.
        const auto DC = static_cast<pg::HDC>(Message.WParam);
        pg::SetTextColor(DC, pg::GetSysColor(pg::COLOR_WINDOWTEXT));
        pg::SetBkColor(DC, pg::GetSysColor(pg::COLOR_WINDOW));
        Message.Result =
            static_cast<platform::core::LRESULT>(pg::GetSysColorBrush(pg::COLOR_WINDOW));
        return;
    }
    case pw::WM_COMMAND:
        // A child edit's change goes back to the edit, which tells its control.
        if (((Message.WParam >> 16) & 0xFFFF) == pw::EN_CHANGE && Message.LParam != 0) {
            Message.Result =
                platform::core::SendMessage(static_cast<pw::HWND>(Message.LParam), pf::CN_COMMAND,
                                            Message.WParam, Message.LParam);
            return;
        }
        break;
    case pw::WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        if (Message.WParam == 0) HideAll();
        return;
    case pw::WM_NCACTIVATE:
        // The form keeps its active caption while one of its bars is used.
        if (Message.WParam != 0 && !IsCustomizing() && HandleAllocated())
            if (const pw::HWND Parent = pw::GetParent(handle_); Parent != pw::NullHWnd)
                platform::core::SendMessage(Parent, pw::WM_NCACTIVATE, 1, 0);
        Message.WParam = 1;
        break;
    case pw::WM_WINDOWPOSCHANGED: {
        TCustomControl::WndProc(Message);
        const auto* Pos = reinterpret_cast<const pw::WINDOWPOS*>(Message.LParam);
        if (!Alive() || Pos == nullptr) return;
        if ((Pos->flags & (pw::SWP_NOSIZE | pw::SWP_NOMOVE)) != (pw::SWP_NOSIZE | pw::SWP_NOMOVE))
            UpdateShadow();
        else if ((Pos->flags & (pw::SWP_SHOWWINDOW | pw::SWP_HIDEWINDOW)) && FShadow)
            FShadow->SetVisible(IsShadowVisible());
        return;
    }
    case pw::WM_DESTROY:
        // The parts are windows this one owns: they go first, through their own controls.
        if (FShadow) FShadow->SetVisible(false);
        if (!(ComponentState() & platform::core::csDestroying)) {
            EndMouseTracking();
            SetMarkState(0);
            FreeControlWindows();
        } else if (FMouseTracked) {
            pw::TRACKMOUSEEVENT Track{pw::TME_CANCEL | pw::TME_LEAVE, handle_, 0};
            pw::TrackMouseEvent(&Track);
            FMouseTracked = false;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TCustomdxBarControl::WMLButtonDown(TMessage& Message) {
    UpdateHint(FBarManager, false);
    if (IgnoreNextButtonUp || FItemLinks == nullptr || FItemLinks->VisibleItemCount() == 0) return;
    const TPoint P = pw::LParamToPoint(Message.LParam);
    TdxBarItemControl* Control = pg::PtInRect(ClientRect(), P) ? ItemAtPos(P) : nullptr;
    if (IsCustomizing()) {
        CustomizingButtonDown(Control, P);
        return;
    }
    if (Control == nullptr || !Control->GetEnabled() || !Control->IsSelectable()) return;
    SetSelectedControl(Control);
    if (!Alive() || !HasItemControl(Control)) return;
    if (auto* Sub = dynamic_cast<TdxBarSubItemControl*>(Control)) Sub->OpenedByMouse = true;
    auto Link = toolkit::base::cxAddObjectLink(Control);
    Control->MouseDown(true);
    if (!Alive() || Link->Ref == nullptr || !HasItemControl(Control)) return;
    if (!IsSubMenuControl() && FSelectedControl && FSelectedControl->TracksMouse()) {
        FDownControl = FSelectedControl;
        FDownInside = true;
        pw::SetCapture(Handle());
        FDownControl->Repaint();
    }
}

void TCustomdxBarControl::WMMouseMove(TMessage& Message) {
    if (FDestroyingControls) return;
    const TPoint P = pw::LParamToPoint(Message.LParam);
    if (CustomizingMouseMove(P)) return;
    TdxBarItemControl* Control = pg::PtInRect(ClientRect(), P) ? ItemAtPos(P) : nullptr;
    if (FDownControl) {
        const bool Inside = Control == FDownControl;
        if (Inside != FDownInside) {
            FDownInside = Inside;
            FDownControl->Repaint();
        }
    }
    const TPoint Screen = ClientToScreen(P);
    if (IsMouseStill(Screen)) return;
    FLastMousePos = Screen;
    if (GActiveBarControl == nullptr || GActiveBarControl == this) UpdateCursor(Control, P);
    BeginMouseTracking();
    if (Control && Control == FSelectedControl && dynamic_cast<TdxBarButtonControl*>(Control))
        Control->Repaint();
    if (Control && !Control->CanSelect()) Control = nullptr;
    if (Control == nullptr && FActive && !IsSubMenuControl()) return;
    if (FDownControl) return;
    if (Control == nullptr && FSelectedControl && FSelectedControl->GetSubBarControl()) return;
    SetMouseSelectedControl(Control);
}

// Over the text part of an edit the pointer is the I-beam, unless another edit is being typed
// into; elsewhere the window's own.
void TCustomdxBarControl::UpdateCursor(TdxBarItemControl* Control, TPoint ClientPoint) {
    pf::TCursor Shape = pf::crDefault;
    if (auto* Edit = dynamic_cast<TdxBarWinControl*>(Control);
        Edit && pg::PtInRect(Edit->GetWindowRect(), ClientPoint)) {
        const TdxBarItemControl* Editing = FBarManager ? FBarManager->SelectedItem() : nullptr;
        const bool OtherEdited =
            Editing && Editing != Edit && Editing->IsWindowControl() && Editing->Active();
        if (!OtherEdited) Shape = pf::crIBeam;
    }
    SetCursor(Shape);
}

// --- Leave tracking, focus and keys ---

void TCustomdxBarControl::BeginMouseTracking() {
    if (FMouseTracked || !HandleAllocated()) return;
    FMouseTracked = true;
    pw::TRACKMOUSEEVENT Track{pw::TME_LEAVE, handle_, 0};
    pw::TrackMouseEvent(&Track);
}

void TCustomdxBarControl::EndMouseTracking() {
    if (!FMouseTracked || !HandleAllocated()) return;
    pw::TRACKMOUSEEVENT Track{pw::TME_CANCEL | pw::TME_LEAVE, handle_, 0};
    pw::TrackMouseEvent(&Track);
    // The window hears the leave even when the cursor has not left yet (it went to the frame).
    platform::core::SendMessage(handle_, pw::WM_MOUSELEAVE, 0, 0);
}

bool TCustomdxBarControl::IsNonClientHit(const TMessage& Message) const {
    return Message.Result != pw::HTCLIENT;
}

void TCustomdxBarControl::WMMouseLeave(TMessage&) {
    if (FMarkState == 1) SetMarkState(0);
    if (!Alive() || IsCustomizing()) return;
    // A button held down keeps its selection until the button comes up.
    if (dynamic_cast<TdxBarButtonControl*>(FSelectedControl) &&
        (FSelectedControl == FDownControl || FSelectedControl->IsPressedByMouse()))
        return;
    // An edit that owns the input keeps it: the mouse left for the edit's own window, which
    // shows over the control as soon as it is clicked.
    if (FSelectedControl && FSelectedControl->IsWindowControl() && FSelectedControl->Active())
        return;
    SetMouseSelectedControl(nullptr);
}

void TCustomdxBarControl::WMSetFocus(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (FSelectedControl && FSelectedControl->IsWindowControl()) return;
    // While the user customizes, the focus goes back to the form in use (the Customize
    // dialog); the window stays above it meanwhile, so that the dialog does not cover it.
    if (pf::TCustomForm* Active = pf::Screen().ActiveForm();
        IsCustomizing() && Active && Active->HandleAllocated() && HandleAllocated()) {
        const pw::UINT Flags = pw::SWP_NOMOVE | pw::SWP_NOSIZE | pw::SWP_NOACTIVATE;
        const pw::HWND Wnd = handle_;
        pw::SetWindowPos(Wnd, pw::HWND_TOPMOST, 0, 0, 0, 0, Flags);
        // The focus change may close this window (a menu): only its handle is touched after.
        pw::SetFocus(Active->Handle());
        if (platform::core::IsWindow(Wnd))
            pw::SetWindowPos(Wnd, pw::HWND_NOTOPMOST, 0, 0, 0, 0, Flags);
        return;
    }
    pf::TCustomForm* Form = FBarManager ? FBarManager->Form() : nullptr;
    if (Form == nullptr || !Form->HandleAllocated()) return;
    pw::HWND Target = Form->Handle();
    if (!pw::IsWindowVisible(Target)) Target = pw::GetWindow(Target, pw::GW_HWNDNEXT);
    if (Target != pw::NullHWnd) pw::SetFocus(Target);
}

TdxBarItemControl* TCustomdxBarControl::SelectableControl(int Step, bool First) const {
    if (FItemLinks == nullptr) return nullptr;
    const int Count = FItemLinks->VisibleItemCount();
    auto Selectable = [this](int I) {
        TdxBarItemControl* C = FItemLinks->VisibleItems(I)->Control();
        return C && C->CanSelect() ? C : nullptr;
    };
    int Start = -1;
    for (int I = 0; I < Count && Step != 0; ++I)
        if (FItemLinks->VisibleItems(I)->Control() == FSelectedControl && FSelectedControl)
            Start = I;
    if (Step == 0 || Start < 0) {
        for (int N = 0; N < Count; ++N)
            if (TdxBarItemControl* C = Selectable(First || Step > 0 ? N : Count - 1 - N)) return C;
        return nullptr;
    }
    for (int N = 1; N <= Count; ++N)
        if (TdxBarItemControl* C = Selectable(((Start + Step * N) % Count + Count) % Count))
            return C;
    return nullptr;
}

void TCustomdxBarControl::WMKeyDown(TMessage& Message) {
    int Key = static_cast<int>(Message.WParam);
    if (Key == pw::VK_F1) {
        RequestHelp();
        return;
    }
    const bool Vertical =
        !IsSubMenuControl() && (FDockingStyle == dsLeft || FDockingStyle == dsRight);
    if (Vertical) {
        switch (Key) {
        case pw::VK_LEFT:
            Key = pw::VK_UP;
            break;
        case pw::VK_UP:
            Key = pw::VK_LEFT;
            break;
        case pw::VK_RIGHT:
            Key = pw::VK_DOWN;
            break;
        case pw::VK_DOWN:
            Key = pw::VK_RIGHT;
            break;
        default:
            break;
        }
    } else if (IsSubMenuControl()) {
        // A menu moves along its rows with Up and Down; Left and Right are its own.
        if (Key == pw::VK_LEFT || Key == pw::VK_RIGHT)
            Key = 0;
        else if (Key == pw::VK_UP)
            Key = pw::VK_LEFT;
        else if (Key == pw::VK_DOWN)
            Key = pw::VK_RIGHT;
    }
    const bool Tab = Key == pw::VK_TAB;
    if (Tab) {
        const bool Backward = pw::GetKeyState(pw::VK_SHIFT) < 0;
        if (pw::GetKeyState(pw::VK_CONTROL) < 0) {
            // Ctrl+Tab: menu mode goes on to another toolbar, from the one this window hangs on.
            if (auto* Toolbar = dynamic_cast<TdxBarControl*>(GetRootToolbarControl(this)))
                Toolbar->MoveToNextToolbar(Backward);
            return;
        }
        Key = Backward ? pw::VK_LEFT : pw::VK_RIGHT;
    }
    TdxBarItemControl* Next = nullptr;
    switch (Key) {
    case pw::VK_LEFT:
    case pw::VK_RIGHT:
        Next = SelectableControl(Key == pw::VK_LEFT ? -1 : 1, false);
        if (Tab && FSelectedControl && FSelectedControl->IsWindowControl())
            FSelectedControl->Click(false);
        break;
    case pw::VK_HOME:
    case pw::VK_END:
        Next = SelectableControl(0, Key == pw::VK_HOME);
        break;
    default:
        // A control that takes the key itself (an edit) has it before the accelerators.
        if (FSelectedControl && FSelectedControl->GetEnabled() && FSelectedControl->WantsKey(Key))
            return;
        if (SelectByAccel(static_cast<std::uint16_t>(Key))) Message.WParam = 0;
        return;
    }
    if (Next && Alive()) SetSelectedControl(Next);
}

bool TCustomdxBarControl::SelectByAccel(std::uint16_t Key) {
    const auto Char = pw::MapVirtualKey(Key, pw::MAPVK_VK_TO_CHAR);
    if (FItemLinks == nullptr || !IsAccelKey(static_cast<std::uint16_t>(Char))) return false;
    const pf::TShiftState Shift = GetShiftStateByKeys();
    const TdxBarItemLink* Start = FSelectedControl ? FSelectedControl->ItemLink() : nullptr;
    TdxBarItemLink* First = FItemLinks->FindAccel(Key, Shift, Start);
    // The letter of a disabled item is nobody's.
    if (First == nullptr || First->Control() == nullptr || !First->Control()->GetEnabled())
        return false;
    // Counted round the links back to the first match: two matches only move the selection.
    int Matches = 0;
    bool HiddenMatch = false;
    for (TdxBarItemLink* Link = First; Link && Matches < FItemLinks->CanVisibleItemCount();) {
        ++Matches;
        if (Link->GetVisibleIndex() < 0) HiddenMatch = true;
        Link = FItemLinks->FindAccel(Key, Shift, Link);
        if (Link == First) break;
    }
    // A collapsed personalised menu shows the link the letter asks for: it expands, and the
    // link's control is made anew.
    if (HiddenMatch && IsSubMenuControl() && FBarManager && FBarManager->GetPaintStyle() != 0) {
        SetMarkState(2);
        if (!Alive()) return true;
    }
    TdxBarItemControl* Control = First->Control();
    if (Control == nullptr || !HasItemControl(Control)) return true;
    SetSelectedControl(Control);
    // The only item of that letter runs, as Enter runs the selection.
    if (Matches == 1 && Alive() && HandleAllocated() && FSelectedControl == Control)
        platform::core::SendMessage(handle_, pw::WM_KEYDOWN, pw::VK_RETURN, 0);
    return true;
}

// While a bar window has the keys, F1 reaches it: it asks its manager's form for help with
// WM_HELP about this window, and the form's manager answers with the selected item's help.
void TCustomdxBarControl::RequestHelp() {
    pf::TCustomForm* Form = FBarManager ? FBarManager->Form() : nullptr;
    if (Form == nullptr || !Form->HandleAllocated() || !HandleAllocated()) return;
    pw::HELPINFO Info;
    Info.iContextType = pw::HELPINFO_WINDOW;
    Info.hItemHandle = Handle();
    pw::GetCursorPos(&Info.MousePos);
    // As the platform asks for help: of the window with the focus, else of the active one;
    // the bar unit's hook takes the request to the form whose menu is open.
    pw::HWND Target = pw::GetFocus();
    if (Target == pw::NullHWnd) Target = pw::GetActiveWindow();
    if (Target == pw::NullHWnd) Target = Form->Handle();
    platform::core::SendMessage(Target, pw::WM_HELP, 0,
                                reinterpret_cast<platform::core::LPARAM>(&Info));
}

void TCustomdxBarControl::WMLButtonUp(TMessage& Message) {
    if (IgnoreNextButtonUp) {
        IgnoreNextButtonUp = false;
        return;
    }
    if (CustomizingButtonUp()) return;
    const bool HadDown = FDownControl != nullptr;
    // Letting the capture go clears DownControl (WM_CAPTURECHANGED).
    if (HadDown && pw::GetCapture() == handle_) pw::ReleaseCapture();
    FDownControl = nullptr;
    const TPoint P = pw::LParamToPoint(Message.LParam);
    if (pg::PtInRect(ClientRect(), P) && FActive) {
        TdxBarItemControl* Control = ItemAtPos(P);
        if (Control && Control == FSelectedControl && Control->IsSelectable() &&
            Control->GetEnabled()) {
            Control->ControlClick(true);
        } else if (Control && !Control->GetEnabled() && Control != FSelectedControl &&
                   !IsSubMenuControl()) {
            HideAll();
        }
    }
    // The command may have freed this window (a modal loop in it let a closed quick-customise
    // bar go): nothing of it is touched unless it lives.
    if (HadDown && dxBarUnit().BarControlExists(this)) HideAll();
}

void TCustomdxBarControl::WMCaptureChanged(TMessage&) {
    FDragPending = false;
    if (FDownControl) {
        TdxBarItemControl* Old = FDownControl;
        FDownControl = nullptr;
        FDownInside = false;
        Old->Repaint();
    }
}

// --- Shared routines ---

TCustomdxBarControl* GetRootBarControl(TCustomdxBarControl* Window) {
    if (Window == nullptr) return nullptr;
    for (TCustomdxBarControl* Up = Window->ParentBarControl();
         Up && dxBarUnit().BarControlExists(Up) &&
         (Up->ComponentState() & platform::core::csDestroying) == 0;
         Up = Up->ParentBarControl())
        Window = Up;
    return Window;
}

TCustomdxBarControl* GetRootToolbarControl(TCustomdxBarControl* Window) {
    TCustomdxBarControl* Root = GetRootBarControl(Window);
    return Root && !Root->IsSubMenuControl() ? Root : nullptr;
}

TCustomdxBarControl* GetItemControlRootBarControl(const TdxBarItemControl* Control) {
    return Control ? GetRootBarControl(Control->Parent()) : nullptr;
}

TCustomdxBarControl* GetParentToolbarControl(const TdxBarItemControl* Control) {
    TCustomdxBarControl* Root = GetItemControlRootBarControl(Control);
    return Root && !Root->IsSubMenuControl() ? Root : nullptr;
}

bool IsVerticalBarControl(const TCustomdxBarControl* Window) {
    return Window && !Window->IsSubMenuControl() &&
           (Window->DockingStyle() == dsLeft || Window->DockingStyle() == dsRight);
}

bool IsRotatedBarControl(const TCustomdxBarControl* Window) {
    return IsVerticalBarControl(Window) && Window->Bar() && Window->Bar()->BarRotateWhenVertical();
}

} // namespace toolkit::bars
