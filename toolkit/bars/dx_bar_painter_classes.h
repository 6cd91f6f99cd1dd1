#pragma once
// The class objects of the item-control painter family, one per paint style, that the bar
// manager chooses from. The painters' operations come with the painter unit, which makes its
// classes under these class objects.

#include "platform/core/class_reference.h"

namespace toolkit::bars {

const platform::core::TClass& TdxBarItemControlPainterClassRef();
const platform::core::TClass& TdxBarItemControlStandardPainterClassRef();
const platform::core::TClass& TdxBarItemControlEnhancedPainterClassRef();
const platform::core::TClass& TdxBarItemControlFlatPainterClassRef();
const platform::core::TClass& TdxBarItemControlOffice11PainterClassRef();
const platform::core::TClass& TdxBarItemControlXPPainterClassRef();

} // namespace toolkit::bars
