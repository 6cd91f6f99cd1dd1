#include "toolkit/bars/dx_bar_sub_item_control.h"

#include "toolkit/bars/dx_bar_control.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;

const TdxBarItemControlClass& TdxBarSubItemControl::ClassRef() {
    static const TdxBarItemControlClass Class(
        "TdxBarSubItemControl", &TdxBarItemControl::ClassRef(),
        pc::ConstructorOf<TdxBarSubItemControl, TdxBarItemControl, TdxBarItemLink*>());
    return Class;
}

int TdxBarSubItemControl::GetSubItemHeight() const {
    return Painter().CalcSubItemHeight(PaintedItem());
}

int TdxBarSubItemControl::GetSubItemWidth() const {
    return Painter().CalcSubItemWidth(PaintedItem());
}

int TdxBarSubItemControl::GetDefaultHeight() const {
    if (Parent() && Parent()->ItemPaintType() == ptVert) return GetSubItemWidth();
    return GetSubItemHeight();
}

int TdxBarSubItemControl::GetDefaultWidth() const {
    if (Parent() && Parent()->ItemPaintType() == ptVert) return GetSubItemHeight();
    return GetSubItemWidth();
}

bool TdxBarSubItemControl::HandlesDblClick() const {
    TdxBarManager* Manager = BarManager();
    if (Manager && Manager->IsDesigning()) return false;
    return TdxBarItemControl::HandlesDblClick();
}

void TdxBarSubItemControl::Paint(const TRect& R, TdxBarPaintType Kind) {
    if (pg::IsRectEmpty(R) || Parent() == nullptr) return;
    TdxBarItemStates S = PaintStates(Kind);
    S.OpensMenu = true;
    // Open: active with its menu window shown (the menu windows come later).
    S.Down = Active() && GetSubBarControl() != nullptr;
    Painter().DrawSubItem(PaintedItem(), Parent()->PaintDC(), S, S.Selected, R);
}

} // namespace toolkit::bars
