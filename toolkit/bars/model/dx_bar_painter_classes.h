#pragma once
// The class objects of the item-control painter family, one per paint style, the bar manager's
// choice among them by paint style, and the registry that gives each class object its painter.
//
// The painters live a floor above: the painters floor gives the registry one row per painter
// built at its start-up (toolkit/bars/painters/dx_bar_painters_floor.cpp), and the manager and
// the windows reach a painter only through the registry. A class without a row of its own is
// drawn by the painter of its nearest ancestor that has one, so the choice by style works
// before every style's painter exists. A registration made at run time (a test's stand-in)
// goes before the rows until it ends.

#include "platform/core/class_reference.h"

#include <vector>

namespace toolkit::bars {

class TdxBarFramePainter;
class TdxBarItemControlPainter;
// A painter is called through a pointer to its class's one instance.
using TdxBarPainterClass = const TdxBarItemControlPainter*;

const platform::core::TClass& TdxBarItemControlPainterClassRef();
const platform::core::TClass& TdxBarItemControlStandardPainterClassRef();
const platform::core::TClass& TdxBarItemControlEnhancedPainterClassRef();
const platform::core::TClass& TdxBarItemControlFlatPainterClassRef();
const platform::core::TClass& TdxBarItemControlOffice11PainterClassRef();
const platform::core::TClass& TdxBarItemControlXPPainterClassRef();

// The painter class of an effective paint style: 0 Standard, 1 Enhanced, 2 Flat, 3 XP when
// visual styles are usable else Enhanced, 4 Office 2003, any other value Standard.
const platform::core::TClass& dxBarPainterClassOfStyle(int PaintStyle, bool VisualStylesUsable);

// The painter that draws for Class: its own, or its nearest registered ancestor's; and the same
// painter as the model asks it (dx_bar_frame_painter.h).
const TdxBarItemControlPainter& dxBarPainter(const platform::core::TClass& Class);
const TdxBarFramePainter& dxBarFramePainter(const platform::core::TClass& Class);
inline const TdxBarItemControlPainter& dxBarPainterOfStyle(int PaintStyle,
                                                           bool VisualStylesUsable) {
    return dxBarPainter(dxBarPainterClassOfStyle(PaintStyle, VisualStylesUsable));
}

// Every painter that draws for a class of its own, run-time registrations first.
std::vector<TdxBarPainterClass> dxBarRegisteredPainters();

// One painter in the registry: the class it draws for, and the painter both as the windows and
// as the model call it. A row is made where the painter's class is whole (dxBarPainterRow).
struct TdxBarPainterRow {
    const platform::core::TClass* Class;
    TdxBarPainterClass Painter;
    const TdxBarFramePainter* Frame;
};
template <class TPainter> TdxBarPainterRow dxBarPainterRow(const TPainter& Painter) {
    return {&Painter.ClassType(), &Painter, &Painter};
}

// The rows of the painters built, in order, for as long as it lives (the painters floor's
// start-up makes the one there is).
class TdxBarPainterRows {
public:
    explicit TdxBarPainterRows(std::vector<TdxBarPainterRow> Rows);
    ~TdxBarPainterRows();
    TdxBarPainterRows(const TdxBarPainterRows&) = delete;
    TdxBarPainterRows& operator=(const TdxBarPainterRows&) = delete;

private:
    std::vector<TdxBarPainterRow> FRows;
};

// A run-time registration for as long as it lives: Painter draws for its ClassType().
class TdxBarPainterRegistration {
public:
    template <class TPainter>
    explicit TdxBarPainterRegistration(const TPainter& Painter)
        : TdxBarPainterRegistration(dxBarPainterRow(Painter)) {}
    explicit TdxBarPainterRegistration(const TdxBarPainterRow& Row);
    ~TdxBarPainterRegistration();
    TdxBarPainterRegistration(const TdxBarPainterRegistration&) = delete;
    TdxBarPainterRegistration& operator=(const TdxBarPainterRegistration&) = delete;

private:
    TdxBarPainterClass FPainter;
};

} // namespace toolkit::bars
