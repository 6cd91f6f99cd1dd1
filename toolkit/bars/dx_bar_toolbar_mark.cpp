// The toolbar window's quick-customise mark: its states, the press that opens the quick menu
// and the rectangle the menu opens under.
#include "toolkit/bars/dx_bar_toolbar_control.h"

#include "toolkit/bars/dx_bar_quick_customize.h"
#include "toolkit/bars/dx_bar_unit.h"

namespace toolkit::bars {

namespace pg = platform::gdi;

void TdxBarControl::SetMarkState(int Value) {
    if (IsCustomizing() || Value == MarkState()) return;
    TCustomdxBarControl::SetMarkState(Value);
    TdxBarCustomizePopups& Popups = TdxBarCustomizePopups::Of(*BarManager());
    if (Value < 2 && Popups.QuickToolbar() == this) Popups.CloseQuickControl();
    if (!dxBarUnit().BarControlExists(this)) return;
    if (Value == 2) Popups.ShowQuickControl(*this);
    if (dxBarUnit().BarControlExists(this)) RepaintBar();
}

pg::TRect TdxBarControl::GetMarkScreenRect() const {
    const TRect Client = Painter().GetMarkRect(PaintedBar());
    const TPoint TopLeft = ClientToScreen({Client.Left, Client.Top});
    return {TopLeft.X, TopLeft.Y, TopLeft.X + Client.Width(), TopLeft.Y + Client.Height()};
}

bool TdxBarControl::MarkMouseDown(TPoint P) {
    if (IsCustomizing() || !HasMark() || !Painter().HasHotMark()) return false;
    if (!pg::PtInRect(Painter().GetMarkRect(PaintedBar()), P)) return false;
    if (TdxBarCustomizePopups::Of(*BarManager()).TakeMarkClickClosed(*this)) return true;
    SetMarkState(MarkState() == 2 ? 1 : 2);
    return true;
}

} // namespace toolkit::bars
