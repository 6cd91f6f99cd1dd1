#pragma once
// The abstract painter as the model knows it: what the model asks of a painter. That is the
// class the painter stands for (the registry finds painters by it, dx_bar_painter_classes.h) and
// the frame a toolbar window adds around its client area (TdxBar::GetNonClientWidth and
// GetNonClientHeight). The painters, a floor above, implement it: the item-control painter
// (toolkit/bars/painters/dx_bar_painter.h) with every other operation of the family, whose
// numbers name these operations' slots there.

#include "toolkit/bars/model/dx_bar_painter_state.h"

#include "platform/core/class_reference.h"
#include "platform/gdi/geometry.h"

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
};

} // namespace toolkit::bars
