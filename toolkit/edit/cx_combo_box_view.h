#pragma once
// The combo box's view: a fixed list with an OnDrawItem handler shows its current item in the
// text area drawn by the handler, as the list draws its rows. ItemIndex is -1 where the text
// is drawn as text.

#include "toolkit/edit/cx_drop_down_edit.h"

namespace toolkit::edit {

class TcxCustomComboBoxViewInfo : public TcxCustomTextEditViewInfo {
public:
    void Assign(const TcxContainerViewInfo& Source) override;

    int ItemIndex = -1;

protected:
    void InternalPaint(TcxCanvas& Canvas) override;
    // The item in the text area, in the background and text colours (the highlight pair when
    // shown inverted), with the owner-draw state of the editor's own area.
    virtual void DrawItem(TcxCanvas& Canvas);
};

class TcxCustomComboBoxViewData : public TcxCustomDropDownEditViewData {
public:
    using TcxCustomDropDownEditViewData::TcxCustomDropDownEditViewData;
    void Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P, TcxMouseButton Button,
                   platform::forms::TShiftState Shift, TcxCustomEditViewInfo& V,
                   bool IsMouseEvent) override;
    // Without an editor (a display-only cell) the item is the one whose text the value is.
    void DisplayValueToDrawValue(const Variant& DisplayValue,
                                 TcxCustomTextEditViewInfo& V) override;
};

} // namespace toolkit::edit
