#include "toolkit/base/cx_lf_kind_painters.h"

namespace toolkit::base {

// Each kind draws with the base painter's operations until its own painter class is here.

TcxLookAndFeelPainterClass cxFlatLookAndFeelPainter() {
    return &TcxCustomLookAndFeelPainter::Instance();
}

TcxLookAndFeelPainterClass cxStandardLookAndFeelPainter() {
    return &TcxCustomLookAndFeelPainter::Instance();
}

TcxLookAndFeelPainterClass cxUltraFlatLookAndFeelPainter() {
    return &TcxCustomLookAndFeelPainter::Instance();
}

TcxLookAndFeelPainterClass cxOffice11LookAndFeelPainter() {
    return &TcxCustomLookAndFeelPainter::Instance();
}

} // namespace toolkit::base
