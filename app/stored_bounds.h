#pragma once
// A window's size and place as the settings file keeps them. The file may be damaged or edited by
// hand, so what it says is checked before a window takes it: a size must be positive and no
// larger than the screen's, a place within a screen's width or height of the origin; anything
// else reads as the default. No stored value can then ask for a window whose picture cannot be
// allocated, or put one out of sight.

#include "platform/core/ini_file.h"

#include <string_view>

namespace app {

// The stored width (vertical: height), when it lies in 1..the screen's; else def.
int StoredSize(const platform::core::TIniFile& ini, std::string_view section, std::string_view key,
               int def, bool vertical);
// The stored left (vertical: top), when it lies within the screen's width (height) of the
// origin either way; else def.
int StoredPlace(const platform::core::TIniFile& ini, std::string_view section, std::string_view key,
                int def, bool vertical);

} // namespace app
