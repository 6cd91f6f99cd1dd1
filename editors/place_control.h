#pragma once
// The editors' forms place their controls with the class library's helper, under the name they
// have always used.

#include "platform/forms/place_control.h"

namespace editors {

using platform::forms::PlaceControl;

} // namespace editors
