#pragma once
// Placing an editor window at the position its element keeps for it.

#include "platform/forms/forms.h"

#include <cstdint>

namespace editors {

// The value of Top for a window never placed.
inline constexpr std::uint16_t NeverPlaced = 0xFFFF;

// Top = NeverPlaced: the window keeps the position the platform gave it, pulled inside the main
// window's client area (45 pixels short of its bottom, for the bars), and Left and Top take that
// position. Then the form goes to Left and Top read as signed 16-bit numbers. The main window is
// the application's main form; without one the client area is taken as unbounded.
void PlaceChildForm(std::uint16_t& Left, std::uint16_t& Top, platform::forms::TCustomForm& Form);

} // namespace editors
