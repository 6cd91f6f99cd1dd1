#include "toolkit/base/cx_lf_kind_painters.h"

#include "toolkit/base/cx_lf_painter_flat.h"
#include "toolkit/base/cx_lf_painter_office11.h"
#include "toolkit/base/cx_lf_painter_standard.h"

namespace toolkit::base {

TcxLookAndFeelPainterClass cxFlatLookAndFeelPainter() {
    return &TcxFlatLookAndFeelPainter::Instance();
}

TcxLookAndFeelPainterClass cxStandardLookAndFeelPainter() {
    return &TcxStandardLookAndFeelPainter::Instance();
}

TcxLookAndFeelPainterClass cxUltraFlatLookAndFeelPainter() {
    return &TcxUltraFlatLookAndFeelPainter::Instance();
}

TcxLookAndFeelPainterClass cxOffice11LookAndFeelPainter() {
    return &TcxOffice11LookAndFeelPainter::Instance();
}

} // namespace toolkit::base
