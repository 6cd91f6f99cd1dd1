#pragma once
// The abstract painter as the model knows it: what the model asks of a painter. That is the
// class the painter stands for (the registry finds painters by it, dx_bar_painter_classes.h),
// the frame a toolbar window adds around its client area (TdxBar::GetNonClientWidth and
// GetNonClientHeight), and what edit and combo items draw themselves: an edit's text, a combo's
// entry, and the border of a combo's drop-down list. The painters, a floor above, implement it: the
// item-control painter (toolkit/bars/painters/dx_bar_painter.h) with every other operation of the
// family, whose numbers name these operations' slots there.

#include "toolkit/bars/model/dx_bar_painter_state.h"

#include "platform/core/class_reference.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/geometry.h"

#include <string>

namespace toolkit::bars {

class TdxBarFramePainter {
public:
    virtual ~TdxBarFramePainter() = default;

    virtual const platform::core::TClass& ClassType() const = 0;
    virtual int GetFloatingBorderWidth() const = 0;
    virtual int GetFloatingBorderHeight() const = 0;
    virtual int GetDragGripAreaSize() const = 0;
    virtual platform::gdi::TRect GetDockedBarBorderRect(const TdxBarControlState& ABar) const = 0;
    virtual int GetFloatingCaptionHeight() const = 0;
    virtual int GetFloatingCaptionIndent() const = 0;
    virtual int GetFloatingTopMargin() const = 0;
    virtual int GetFloatingBottomMargin() const = 0;
    virtual platform::gdi::TSize GetSizeGripSize(const TdxBarControlState& ABar) const = 0;
    virtual int GetSizeGripIndent(const TdxBarControlState& ABar) const = 0;
    virtual int FixedGripSize() const = 0;

    // An edit item's text in R: AItem's Text when Index is AItem's ItemIndex, else Text.
    virtual void DrawEditItemText(const TdxBarItemControlState& AItem,
                                  platform::gdi::TCanvas& Canvas, const platform::gdi::TRect& R,
                                  int Index, const std::string& Text) const = 0;
    // A combo's entry Index (its Text for -1) in R, in the canvas's colours; InEditor (1) when
    // it goes into the combo's editor area rather than its list.
    virtual void DrawComboListItem(const TdxBarItemControlState& AItem,
                                   platform::gdi::TCanvas& Canvas, int Index,
                                   const platform::gdi::TRect& R, int InEditor) const = 0;
    // The border of a combo's drop-down list on every side, and its drawing into the list
    // window's context (R: the window rectangle at the origin).
    virtual int GetDropDownListBorder() const = 0;
    virtual void DrawDropDownListBorder(const TdxBarManager* Manager, platform::gdi::HDC DC,
                                        const platform::gdi::TRect& R) const = 0;
};

} // namespace toolkit::bars
