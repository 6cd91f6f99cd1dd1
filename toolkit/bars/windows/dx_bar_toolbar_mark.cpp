// The toolbar window's quick-customise mark: its states, the press that opens the quick menu
// and the rectangle the menu opens under. A floating bar shows it in its caption, where no
// leave tracking reaches it reliably: a 50 ms timer watches the cursor while it is hot.
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_painter_flat.h"
#include "toolkit/bars/windows/dx_bar_hint_window.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"

#include "platform/core/message_loop.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
constexpr std::uintptr_t kMarkTimer = 1;
constexpr std::uint32_t kMarkTimerInterval = 50;
} // namespace

bool TdxBarControl::HasCaptionMark() const {
    return DockingStyle() == dsNone && FBar->ShowMark() && FBar->AllowQuickCustomizing() &&
           Painter().HasHotMark();
}

pg::TRect TdxBarControl::CalcMarkWindowRect(TdxBarControlState& State) const {
    const TRect Caption = GetCaptionRect();
    const int Size = Caption.Height();
    // The flat painters end the caption text at the mark, which stands before the close
    // button with a one-pixel gap; the others begin the text after it, at the caption's left.
    TRect R{Caption.Left, Caption.Top, Caption.Left + Size, Caption.Bottom};
    if (dynamic_cast<const TdxBarItemControlFlatPainter*>(&Painter())) {
        const int Right = FBar->CanClose() ? Caption.Right - Size - 1 : Caption.Right;
        R = {Right - Size, Caption.Top, Right, Caption.Bottom};
    }
    // A painter may narrow the mark within that place.
    State.MarkWindowRect = R;
    const TRect Narrowed = Painter().GetMarkRect(State);
    if (!pg::IsRectEmpty(Narrowed)) R = Narrowed;
    State.MarkWindowRect = R;
    return R;
}

pg::TRect TdxBarControl::GetMarkWindowRect() const {
    if (!HasCaptionMark()) return {};
    return PaintedBar().MarkWindowRect;
}

pg::TRect TdxBarControl::GetMarkClientRect() const {
    if (DockingStyle() != dsNone) return Painter().GetMarkRect(PaintedBar());
    if (!HasCaptionMark() || !HandleAllocated()) return {};
    TRect R = GetMarkWindowRect();
    const TPoint Client = ClientToScreen({0, 0}), Origin = WindowToScreen({0, 0});
    pg::OffsetRect(R, Origin.X - Client.X, Origin.Y - Client.Y);
    return R;
}

void TdxBarControl::SetMarkState(int Value) {
    if (IsCustomizing() || Value == MarkState()) return;
    TCustomdxBarControl::SetMarkState(Value);
    TdxBarCustomizePopups& Popups = TdxBarCustomizePopups::Of(*BarManager());
    if (Value < 2 && Popups.QuickToolbar() == this) Popups.CloseQuickControl();
    if (!dxBarUnit().BarControlExists(this)) return;
    if (Value == 1 && DockingStyle() == dsNone) {
        StartMarkTimer();
        // The hot mark is drawn before its hint covers the caption.
        RefreshCaption();
        UpdateHint(BarManager(), true, toolkit::base::cxGetResourceString(dxSBAR_MOREBUTTONS));
    } else if (Value == 0 && SelectedControl() == nullptr) {
        UpdateHint(BarManager(), false);
    }
    if (Value == 2) Popups.ShowQuickControl(*this);
    if (dxBarUnit().BarControlExists(this)) RepaintBar();
}

void TdxBarControl::RefreshCaption() {
    if (HandleAllocated())
        pw::RedrawWindow(Handle(), nullptr, pg::NullObject,
                         pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_UPDATENOW);
}

void TdxBarControl::StartMarkTimer() {
    if (FMarkTimerOn || !HandleAllocated()) return;
    FMarkTimerOn = true;
    pc::SetTimer(Handle(), kMarkTimer, kMarkTimerInterval);
}

void TdxBarControl::StopMarkTimer() {
    if (!FMarkTimerOn) return;
    FMarkTimerOn = false;
    if (HandleAllocated()) pc::KillTimer(Handle(), kMarkTimer);
}

void TdxBarControl::MarkTimerTick() {
    TPoint Cursor{};
    pw::GetCursorPos(&Cursor);
    if (HandleAllocated() && pw::IsWindowVisible(Handle()) &&
        pg::PtInRect(GetMarkScreenRect(), Cursor))
        return;
    StopMarkTimer();
    if (MarkState() == 1) SetMarkState(0);
}

bool TdxBarControl::MarkMessage(TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_TIMER:
        if (Message.WParam != kMarkTimer || !FMarkTimerOn) return false;
        MarkTimerTick();
        return true;
    case pw::WM_DESTROY:
        StopMarkTimer();
        return false;
    default:
        return false;
    }
}

bool TdxBarControl::MarkMouseMove(TPoint P) {
    if (IsCustomizing() || ActiveBarControl() != nullptr || !Painter().HasHotMark()) return false;
    if (!HasMark() && !HasCaptionMark()) return false;
    if (!pg::PtInRect(GetMarkClientRect(), P)) return false;
    if (MarkState() == 0) SetMarkState(1);
    return true;
}

pg::TRect TdxBarControl::GetMarkScreenRect() const {
    const TRect Client = GetMarkClientRect();
    const TPoint TopLeft = ClientToScreen({Client.Left, Client.Top});
    return {TopLeft.X, TopLeft.Y, TopLeft.X + Client.Width(), TopLeft.Y + Client.Height()};
}

bool TdxBarControl::MarkMouseDown(TPoint P) {
    if (IsCustomizing() || (!HasMark() && !HasCaptionMark()) || !Painter().HasHotMark())
        return false;
    if (!pg::PtInRect(GetMarkClientRect(), P)) return false;
    if (TdxBarCustomizePopups::Of(*BarManager()).TakeMarkClickClosed(*this)) return true;
    SetMarkState(MarkState() == 2 ? 1 : 2);
    return true;
}

} // namespace toolkit::bars
