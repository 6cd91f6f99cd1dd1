#include "toolkit/bars/model/dx_bar_painter_classes.h"

#include "toolkit/bars/model/dx_bar_painter.h"
#include "toolkit/bars/painters/dx_bar_painter_flat.h"
#include "toolkit/bars/painters/dx_bar_painter_office11.h"
#include "toolkit/bars/painters/dx_bar_painter_standard.h"
#include "toolkit/bars/painters/dx_bar_painter_xp.h"

#include <algorithm>

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

const pc::TClass& dxBarPainterClassOfStyle(int PaintStyle, bool VisualStylesUsable) {
    switch (PaintStyle) {
    case 1:
        return TdxBarItemControlEnhancedPainterClassRef();
    case 2:
        return TdxBarItemControlFlatPainterClassRef();
    case 3:
        return VisualStylesUsable ? TdxBarItemControlXPPainterClassRef()
                                  : TdxBarItemControlEnhancedPainterClassRef();
    case 4:
        return TdxBarItemControlOffice11PainterClassRef();
    default:
        return TdxBarItemControlStandardPainterClassRef();
    }
}

namespace {

// The painters built, one row each; a style's painter adds its row here.
const std::vector<TdxBarPainterClass>& PainterRows() {
    static const std::vector<TdxBarPainterClass> rows{
        &TdxBarItemControlPainter::Instance(),
        &TdxBarItemControlFlatPainter::Instance(),
        &TdxBarItemControlOffice11Painter::Instance(),
        &TdxBarItemControlStandardPainter::Instance(),
        &TdxBarItemControlEnhancedPainter::Instance(),
        &TdxBarItemControlXPPainter::Instance(),
    };
    return rows;
}

std::vector<TdxBarPainterClass>& RunTimePainters() {
    static std::vector<TdxBarPainterClass> painters;
    return painters;
}

} // namespace

std::vector<TdxBarPainterClass> dxBarRegisteredPainters() {
    std::vector<TdxBarPainterClass> Result;
    auto AddUnique = [&Result](TdxBarPainterClass P) {
        const bool Taken = std::any_of(Result.begin(), Result.end(), [P](TdxBarPainterClass Q) {
            return &Q->ClassType() == &P->ClassType();
        });
        if (!Taken) Result.push_back(P);
    };
    for (auto It = RunTimePainters().rbegin(); It != RunTimePainters().rend(); ++It)
        AddUnique(*It);
    for (TdxBarPainterClass P : PainterRows())
        AddUnique(P);
    return Result;
}

const TdxBarItemControlPainter& dxBarPainter(const pc::TClass& Class) {
    const std::vector<TdxBarPainterClass> Painters = dxBarRegisteredPainters();
    for (const pc::TClass* C = &Class; C != nullptr; C = C->ClassParent())
        for (TdxBarPainterClass P : Painters)
            if (&P->ClassType() == C) return *P;
    return TdxBarItemControlPainter::Instance();
}

TdxBarPainterRegistration::TdxBarPainterRegistration(const TdxBarItemControlPainter& Painter)
    : FPainter(&Painter) {
    RunTimePainters().push_back(FPainter);
}

TdxBarPainterRegistration::~TdxBarPainterRegistration() {
    auto& Painters = RunTimePainters();
    const auto It = std::find(Painters.rbegin(), Painters.rend(), FPainter);
    if (It != Painters.rend()) Painters.erase(std::next(It).base());
}

} // namespace toolkit::bars
