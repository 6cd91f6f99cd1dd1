#include "toolkit/bars/dx_bar_painter_classes.h"

namespace toolkit::bars {

namespace pc = platform::core;

const pc::TClass& TdxBarItemControlPainterClassRef() {
    static const pc::TClass cls("TdxBarItemControlPainter", &pc::TObject::ClassRef());
    return cls;
}

const pc::TClass& TdxBarItemControlStandardPainterClassRef() {
    static const pc::TClass cls("TdxBarItemControlStandardPainter",
                                &TdxBarItemControlPainterClassRef());
    return cls;
}

const pc::TClass& TdxBarItemControlEnhancedPainterClassRef() {
    static const pc::TClass cls("TdxBarItemControlEnhancedPainter",
                                &TdxBarItemControlStandardPainterClassRef());
    return cls;
}

const pc::TClass& TdxBarItemControlFlatPainterClassRef() {
    static const pc::TClass cls("TdxBarItemControlFlatPainter",
                                &TdxBarItemControlPainterClassRef());
    return cls;
}

const pc::TClass& TdxBarItemControlOffice11PainterClassRef() {
    static const pc::TClass cls("TdxBarItemControlOffice11Painter",
                                &TdxBarItemControlFlatPainterClassRef());
    return cls;
}

const pc::TClass& TdxBarItemControlXPPainterClassRef() {
    static const pc::TClass cls("TdxBarItemControlXPPainter", &TdxBarItemControlPainterClassRef());
    return cls;
}

} // namespace toolkit::bars
