#include "toolkit/bars/model/dx_bar_painter_classes.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

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

// The painters built, one row each, as the painters floor registered them.
std::vector<TdxBarPainterRow>& PainterRows() {
    static std::vector<TdxBarPainterRow> rows;
    return rows;
}

std::vector<TdxBarPainterRow>& RunTimePainters() {
    static std::vector<TdxBarPainterRow> painters;
    return painters;
}

// Every row that draws for a class of its own, run-time registrations first.
std::vector<TdxBarPainterRow> RegisteredRows() {
    std::vector<TdxBarPainterRow> Result;
    auto AddUnique = [&Result](const TdxBarPainterRow& Row) {
        const bool Taken =
            std::any_of(Result.begin(), Result.end(),
                        [&Row](const TdxBarPainterRow& R) { return R.Class == Row.Class; });
        if (!Taken) Result.push_back(Row);
    };
    for (auto It = RunTimePainters().rbegin(); It != RunTimePainters().rend(); ++It)
        AddUnique(*It);
    for (const TdxBarPainterRow& Row : PainterRows())
        AddUnique(Row);
    return Result;
}

// The row of Class, or of its nearest registered ancestor.
TdxBarPainterRow RowFor(const pc::TClass& Class) {
    const std::vector<TdxBarPainterRow> Rows = RegisteredRows();
    for (const pc::TClass* C = &Class; C != nullptr; C = C->ClassParent())
        for (const TdxBarPainterRow& Row : Rows)
            if (Row.Class == C) return Row;
    // Every painter class descends from the base painter's, whose row the painters floor
    // registers: only a program without that floor gets here.
    throw std::logic_error("No bar painter is registered for " + Class.ClassName());
}

} // namespace

std::vector<TdxBarPainterClass> dxBarRegisteredPainters() {
    std::vector<TdxBarPainterClass> Result;
    for (const TdxBarPainterRow& Row : RegisteredRows())
        Result.push_back(Row.Painter);
    return Result;
}

const TdxBarItemControlPainter& dxBarPainter(const pc::TClass& Class) {
    return *RowFor(Class).Painter;
}

const TdxBarFramePainter& dxBarFramePainter(const pc::TClass& Class) {
    return *RowFor(Class).Frame;
}

TdxBarPainterRows::TdxBarPainterRows(std::vector<TdxBarPainterRow> Rows) : FRows(std::move(Rows)) {
    for (const TdxBarPainterRow& Row : FRows)
        PainterRows().push_back(Row);
}

TdxBarPainterRows::~TdxBarPainterRows() {
    auto& Rows = PainterRows();
    for (const TdxBarPainterRow& Row : FRows)
        if (const auto It = std::find_if(
                Rows.begin(), Rows.end(),
                [&Row](const TdxBarPainterRow& R) { return R.Painter == Row.Painter; });
            It != Rows.end())
            Rows.erase(It);
}

TdxBarPainterRegistration::TdxBarPainterRegistration(const TdxBarPainterRow& Row)
    : FPainter(Row.Painter) {
    RunTimePainters().push_back(Row);
}

TdxBarPainterRegistration::~TdxBarPainterRegistration() {
    auto& Painters = RunTimePainters();
    const auto It =
        std::find_if(Painters.rbegin(), Painters.rend(),
                     [this](const TdxBarPainterRow& R) { return R.Painter == FPainter; });
    if (It != Painters.rend()) Painters.erase(std::next(It).base());
}

} // namespace toolkit::bars
