// The painters floor at its start-up: every painter built takes its row in the painter class
// registry of the model (dx_bar_painter_classes.h), through which the manager and the windows
// reach it. A style's painter adds its row here.

#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/painters/dx_bar_painter_flat.h"
#include "toolkit/bars/painters/dx_bar_painter_office11.h"
#include "toolkit/bars/painters/dx_bar_painter_standard.h"
#include "toolkit/bars/painters/dx_bar_painter_xp.h"

namespace toolkit::bars {

namespace {

const TdxBarPainterRows Rows{{
    dxBarPainterRow(TdxBarItemControlPainter::Instance()),
    dxBarPainterRow(TdxBarItemControlFlatPainter::Instance()),
    dxBarPainterRow(TdxBarItemControlOffice11Painter::Instance()),
    dxBarPainterRow(TdxBarItemControlStandardPainter::Instance()),
    dxBarPainterRow(TdxBarItemControlEnhancedPainter::Instance()),
    dxBarPainterRow(TdxBarItemControlXPPainter::Instance()),
}};

} // namespace

} // namespace toolkit::bars
