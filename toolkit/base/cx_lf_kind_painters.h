#pragma once
// The painter classes of the four look-and-feel kinds, by which the painters' unit fills the
// look-and-feel's kind table.

#include "toolkit/base/cx_lf_painter.h"

namespace toolkit::base {

TcxLookAndFeelPainterClass cxFlatLookAndFeelPainter();
TcxLookAndFeelPainterClass cxStandardLookAndFeelPainter();
TcxLookAndFeelPainterClass cxUltraFlatLookAndFeelPainter();
TcxLookAndFeelPainterClass cxOffice11LookAndFeelPainter();

} // namespace toolkit::base
