#pragma once
// The painter classes of the four look-and-feel kinds, by which the painters' unit fills the
// look-and-feel's kind table, and the Standard painter, to which the native painter degrades
// when a visual style part cannot be drawn.

#include "toolkit/base/cx_lf_painter.h"

namespace toolkit::base {

TcxLookAndFeelPainterClass cxFlatLookAndFeelPainter();
TcxLookAndFeelPainterClass cxStandardLookAndFeelPainter();
TcxLookAndFeelPainterClass cxUltraFlatLookAndFeelPainter();
TcxLookAndFeelPainterClass cxOffice11LookAndFeelPainter();

// The class the native painter derives from.
using TcxStandardLookAndFeelPainterBase = TcxCustomLookAndFeelPainter;

} // namespace toolkit::base
