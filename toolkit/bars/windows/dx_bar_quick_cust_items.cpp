#include "toolkit/bars/windows/dx_bar_quick_cust_items.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/windows/dx_bar_control.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;

const pc::TComponentClass& TdxBarQuickCustExtButton::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarQuickCustExtButton", &TdxBarButton::ClassRef(),
        pc::ConstructorOf<TdxBarQuickCustExtButton, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarQuickCustItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarQuickCustItem", &TdxBarButton::ClassRef(),
        pc::ConstructorOf<TdxBarQuickCustItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarQuickSubItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarQuickSubItem", &TdxBarSubItem::ClassRef(),
        pc::ConstructorOf<TdxBarQuickSubItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

TdxBarItemLink* TdxBarQuickCustItem::ToolbarLink() const {
    return Bar ? Bar->ItemLinks().Items(LinkIndex) : nullptr;
}

void TdxBarQuickCustItem::DoClick() {
    TdxBarButton::DoClick();
    if (TdxBarItemLink* Target = ToolbarLink()) Target->SetVisible(!Target->Visible());
    RepaintControls();
}

// --- The controls ---

const TdxBarItemControlClass& TdxBarQuickCustExtButtonControl::ClassRef() {
    static const TdxBarItemControlClass Class(
        "TdxBarQuickCustExtButtonControl", &TdxBarButtonControl::ClassRef(),
        pc::ConstructorOf<TdxBarQuickCustExtButtonControl, TdxBarItemControl, TdxBarItemLink*>());
    return Class;
}

const TdxBarItemControlClass& TdxBarQuickCustItemControl::ClassRef() {
    static const TdxBarItemControlClass Class(
        "TdxBarQuickCustItemControl", &TdxBarQuickCustExtButtonControl::ClassRef(),
        pc::ConstructorOf<TdxBarQuickCustItemControl, TdxBarItemControl, TdxBarItemLink*>());
    return Class;
}

int TdxBarQuickCustExtButtonControl::GetButtonWidth() const {
    const int Width = TdxBarButtonControl::GetButtonWidth();
    if (IsInToolbar()) return Width;
    // The check column is as wide as the row is high.
    return Width + GetButtonHeight();
}

void TdxBarQuickCustExtButtonControl::Paint(const TRect& Rect, TdxBarPaintType Kind) {
    if (Kind != ptMenu || Parent() == nullptr || Rect.Right <= Rect.Left) {
        TdxBarButtonControl::Paint(Rect, Kind);
        return;
    }
    // The painter splits the row: the check column, then the button part.
    TdxBarItemControlState Column = PaintedItem();
    Column.Selected = IsSelected();
    TRect Check = Rect;
    const int Edge = Painter().CalcQuickCustItemRect(Column, Check);
    // The column shows the check mark alone: the glyph belongs to the button part.
    Column.Item = nullptr;
    Column.CheckStyle = true;
    Column.Checked = ColumnChecked();
    TdxBarItemStates S = PaintStates(Kind);
    S.Selected = false;
    S.Down = Column.Checked;
    // The painter frames the column for a check; where nothing is checked the whole square
    // shows the plain column, with no empty frame.
    TRect Cell = Check;
    if (!Column.Checked) Cell = {Rect.Left, Rect.Top, std::min(Edge, Rect.Right), Rect.Bottom};
    Painter().DrawGlyph(Column, Cell, S, &Cell, false);
    TRect Rest = Rect;
    Rest.Left = std::min(Edge, Rect.Right);
    TdxBarButtonControl::Paint(Rest, Kind);
    if (Column.Selected) {
        const TdxBarItemControlState& Row = PaintedItem();
        TdxBarItemControlState Finish = Row;
        Finish.Selected = true;
        Painter().DrawQuickCustItemCheck(Finish, Parent()->PaintDC(), Rect, Check);
    }
}

bool TdxBarQuickCustItemControl::ColumnChecked() const {
    const auto* Entry = dynamic_cast<const TdxBarQuickCustItem*>(Item());
    if (Entry == nullptr) return false;
    if (const TdxBarItemLink* Target = Entry->ToolbarLink()) return Target->Visible();
    return Entry->Down();
}

} // namespace toolkit::bars
