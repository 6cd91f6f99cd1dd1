#pragma once
// The filter-type sketch of the filter pages: the image filled with aqua and the type's curve
// drawn in black relative to the image's size, the type's name in the label. Type 0 prints "OFF"
// ("No Filter"); 1 low-pass, 2 band-pass, 3 high-pass, 4 peaking. Any other type leaves the
// image blank and the label empty.

#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"

#include <string>

namespace editors {

// The label's text for a filter type.
std::string FilterTypeName(int type);

void DrawFilterType(platform::forms::TImage& image, platform::forms::TLabel& label, int type);

} // namespace editors
