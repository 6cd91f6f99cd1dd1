#include "toolkit/bars/windows/dx_bar_quick_control.h"

#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"

#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;

TdxBarQuickControlBar::TdxBarQuickControlBar(TdxBarManager& Manager)
    : FQuickBar(TdxBar::CreateInternal(Manager.Bars())) {}

TdxBarQuickControlBar::~TdxBarQuickControlBar() = default;

TdxBarQuickControl::TdxBarQuickControl(TdxBarControl& AParentBar, TdxBarSubItem& QuickSubItem)
    : TdxBarQuickControlBar(*AParentBar.BarManager()), TdxBarControl(*FQuickBar),
      FParentBar(&AParentBar) {
    TdxBar& Own = *FQuickBar;
    // Neither a mark nor a close button of its own.
    Own.SetShowMark(false);
    Own.SetAllowClose(false);
    if (TdxBar* Parent = AParentBar.Bar()) {
        Own.Font().Assign(Parent->Font());
        Own.SetUseOwnFont(Parent->UseOwnFont());
    }
    // What the toolbar does not show, or cuts off, is reached here.
    TdxBarItemLinks& Links = Own.ItemLinks();
    if (TdxBarItemLinks* Source = AParentBar.ItemLinks())
        for (int I = 0; I < Source->CanVisibleItemCount(); ++I) {
            TdxBarItemLink* Link = Source->CanVisibleItems(I);
            const bool Shown = Link->GetVisibleIndex() >= 0;
            if (Shown && !(Link->Control() && pg::IsRectEmpty(Link->ItemRect))) continue;
            TdxBarItemLink* Copy = Links.Add();
            Copy->Assign(*Link);
            Copy->SetOriginalLink(Link);
        }
    Links.Add(&QuickSubItem)->SetBeginGroup(true);
    OwnerItemRect = AParentBar.GetMarkScreenRect();
    SetDockSite(nullptr, dsNone);
}

TdxBarQuickControl::~TdxBarQuickControl() {
    FClosing = true;
}

void TdxBarQuickControl::ShowAt(const TRect& Mark) {
    OwnerItemRect = Mark;
    // The item controls measure themselves with the window's font and metrics.
    HandleNeeded();
    const TdxBarItemControlPainter& P = Painter();
    const TSize Client = GetSizeForDockingStyle(dsNone, -1);
    const TSize Size{Client.cx + 2 * P.GetFloatingBorderWidth(),
                     Client.cy + 2 * P.GetFloatingBorderHeight()};
    const TRect R =
        QuickControlPlace(Mark, Size, FParentBar->IsDockedVertically(),
                          FParentBar->DockingStyle() == dsNone, P.IsQuickControlBeside());
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
    CalcItemRects();
    ShowNoActivate();
}

bool TdxBarQuickControl::Shown() const {
    return HandleAllocated() && pw::IsWindowVisible(handle_);
}

void TdxBarQuickControl::SetShown(bool Value) {
    if (!HandleAllocated() || Value == Shown()) return;
    pw::ShowWindow(Handle(), Value ? pw::SW_SHOWNA : pw::SW_HIDE);
}

void TdxBarQuickControl::Close() {
    if (FClosing) return;
    FClosing = true;
    TdxBarControl::HideAll();
    if (HandleAllocated()) pw::ShowWindow(handle_, pw::SW_HIDE);
    if (dxBarUnit().BarControlExists(FParentBar) && FParentBar->MarkState() == 2)
        FParentBar->SetMarkState(0);
    // The popups let it go when the mark did not (customizing leaves the mark alone).
    if (TdxBarManager* Manager = BarManager())
        if (TdxBarCustomizePopups* Popups = TdxBarCustomizePopups::Find(*Manager);
            Popups && Popups->QuickControl() == this)
            Popups->CloseQuickControl();
}

void TdxBarQuickControl::ParentBarMoved() {
    if (!dxBarUnit().BarControlExists(FParentBar)) return;
    OwnerItemRect = FParentBar->GetMarkScreenRect();
    UpdateShadow();
    if (HandleAllocated())
        pw::RedrawWindow(Handle(), nullptr, pg::NullObject, pw::RDW_FRAME | pw::RDW_INVALIDATE);
}

void TdxBarQuickControl::HideAll() {
    const bool WasActive = Active();
    TdxBarControl::HideAll();
    if (!WasActive || FClosing) return;
    TdxBarManager* Manager = BarManager();
    pg::TPoint Cursor{};
    pw::GetCursorPos(&Cursor);
    // The press on the mark that closes the bar must not open it again.
    if (Manager && IsLeftMouseButtonPressed() && dxBarUnit().BarControlExists(FParentBar) &&
        pg::PtInRect(FParentBar->GetMarkScreenRect(), Cursor))
        TdxBarCustomizePopups::Of(*Manager).MarkClickClosed(*FParentBar);
    Close();
}

pg::HBRUSH TdxBarQuickControl::GetBkBrush() const {
    return Painter().GetQuickControlBrush(PaintedBar());
}

void TdxBarQuickControl::FillPaintedBar(TdxBarControlState& State) const {
    TdxBarControl::FillPaintedBar(State);
    State.Kind = bckQuickCustomize;
}

// --- The frame ---

void TdxBarQuickControl::NCCalcSize(TMessage& Message) {
    auto* Params = reinterpret_cast<pw::NCCALCSIZE_PARAMS*>(Message.LParam);
    TRect& R = Params->rgrc[0];
    const int BW = Painter().GetFloatingBorderWidth();
    const int BH = Painter().GetFloatingBorderHeight();
    R = {R.Left + BW, R.Top + BH, R.Right - BW, R.Bottom - BH};
    R.Right = std::max(R.Right, R.Left);
    R.Bottom = std::max(R.Bottom, R.Top);
    Message.Result = 0;
}

void TdxBarQuickControl::NCHitTest(TMessage& Message) {
    // The frame neither moves nor sizes the bar.
    const TPoint P = ScreenToClient(pw::LParamToPoint(Message.LParam));
    Message.Result = pg::PtInRect(ClientRect(), P) ? pw::HTCLIENT : pw::HTBORDER;
    if (Message.Result != pw::HTCLIENT) EndMouseTracking();
}

void TdxBarQuickControl::NCPaint() {
    if (!HandleAllocated()) return;
    const pg::HDC DC = pw::GetWindowDC(Handle());
    TdxBarControlState State = PaintedBar();
    State.WindowRect = {0, 0, Width(), Height()};
    Painter().DrawFloatingBarBorder(State, DC, State.WindowRect, GetBkBrush());
    pw::ReleaseDC(Handle(), DC);
}

void TdxBarQuickControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_NCCALCSIZE:
        NCCalcSize(Message);
        return;
    case pw::WM_NCHITTEST:
        NCHitTest(Message);
        return;
    case pw::WM_NCPAINT:
        NCPaint();
        return;
    case pw::WM_RBUTTONDOWN:
        // No toolbars popup over the quick bar.
        DefaultHandler(Message);
        return;
    case pw::WM_WINDOWPOSCHANGED: {
        TdxBarControl::WndProc(Message);
        const auto* Pos = reinterpret_cast<const pw::WINDOWPOS*>(Message.LParam);
        // Hidden by anyone else: it closes.
        if (Pos && (Pos->flags & pw::SWP_HIDEWINDOW) && !FClosing &&
            !(ComponentState() & pc::csDestroying))
            Close();
        return;
    }
    default:
        break;
    }
    TdxBarControl::WndProc(Message);
}

} // namespace toolkit::bars
