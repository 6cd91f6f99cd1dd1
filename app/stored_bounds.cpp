#include "app/stored_bounds.h"

#include "platform/forms/screen.h"

#include <algorithm>

namespace app {

namespace {

int ScreenExtent(bool vertical) {
    const auto& screen = platform::forms::Screen();
    return std::max(vertical ? screen.Height() : screen.Width(), 1);
}

} // namespace

int StoredSize(const platform::core::TIniFile& ini, std::string_view section, std::string_view key,
               int def, bool vertical) {
    const int value = ini.ReadInteger(section, key, def);
    return value >= 1 && value <= ScreenExtent(vertical) ? value : def;
}

int StoredPlace(const platform::core::TIniFile& ini, std::string_view section, std::string_view key,
                int def, bool vertical) {
    const int extent = ScreenExtent(vertical);
    const int value = ini.ReadInteger(section, key, def);
    return value >= -extent && value <= extent ? value : def;
}

} // namespace app
