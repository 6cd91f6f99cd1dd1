#include "toolkit/edit/cx_combo_box_view.h"

#include "toolkit/edit/cx_combo_box.h"

namespace toolkit::edit {

namespace pf = platform::forms;
namespace pg = platform::gdi;

void TcxCustomComboBoxViewInfo::Assign(const TcxContainerViewInfo& Source) {
    TcxCustomTextEditViewInfo::Assign(Source);
    if (const auto* S = dynamic_cast<const TcxCustomComboBoxViewInfo*>(&Source))
        ItemIndex = S->ItemIndex;
}

void TcxCustomComboBoxViewInfo::InternalPaint(TcxCanvas& Canvas) {
    if (ItemIndex == -1) {
        TcxCustomTextEditViewInfo::InternalPaint(Canvas);
        return;
    }
    TcxCustomEditViewInfo::InternalPaint(Canvas);
    DrawItem(Canvas);
}

void TcxCustomComboBoxViewInfo::DrawItem(TcxCanvas& Canvas) {
    pf::TOwnerDrawState State = odComboBoxEdit;
    if (ContainerState & cstFocused) State |= pf::odSelected | pf::odFocused;
    Canvas.SetBrushColor(Inverted ? pg::clHighlight : BackgroundColor);
    if (Font) Canvas.SetFont(*Font);
    Canvas.Font().SetColor(Inverted ? pg::clHighlightText : TextColor);
    if (auto* Combo = dynamic_cast<TcxCustomComboBox*>(Edit)) {
        Combo->DoDrawItem(Canvas, ItemIndex, TextRect, State);
        // No inner edit shows the caret here, so the focus shows as a list row's does.
        if (State & pf::odFocused) Canvas.DrawFocusRect(TextRect);
        return;
    }
    if (const auto* P = dynamic_cast<const TcxCustomComboBoxProperties*>(Properties);
        P && P->OnDrawItem)
        P->OnDrawItem(nullptr, Canvas, ItemIndex, TextRect, State);
}

void TcxCustomComboBoxViewData::Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P,
                                          TcxMouseButton Button, pf::TShiftState Shift,
                                          TcxCustomEditViewInfo& V, bool IsMouseEvent) {
    auto& CV = static_cast<TcxCustomComboBoxViewInfo&>(V);
    CV.ItemIndex = -1;
    TcxCustomDropDownEditViewData::Calculate(Canvas, B, P, Button, Shift, V, IsMouseEvent);
    auto* Combo = dynamic_cast<TcxCustomComboBox*>(Edit);
    if (Combo && TextProperties().GetEditingStyle() == tesFixedList && Combo->HasDrawItemHandler())
        CV.ItemIndex = Combo->ItemIndex();
}

void TcxCustomComboBoxViewData::DisplayValueToDrawValue(const Variant& DisplayValue,
                                                        TcxCustomTextEditViewInfo& V) {
    TcxCustomDropDownEditViewData::DisplayValueToDrawValue(DisplayValue, V);
    if (Edit) return;
    auto& P = static_cast<TcxCustomComboBoxProperties&>(Properties);
    auto& CV = static_cast<TcxCustomComboBoxViewInfo&>(V);
    CV.ItemIndex =
        P.GetEditingStyle() == tesFixedList && P.OnDrawItem ? P.Items().IndexOf(V.Text) : -1;
}

} // namespace toolkit::edit
