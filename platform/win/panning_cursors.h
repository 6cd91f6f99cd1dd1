#pragma once
// The cursors of middle-button panning: the mark with arrows in every direction it may scroll
// (both axes, horizontal only, vertical only) and a single arrow for each direction it scrolls.
// Drawn by us, made once per process and kept for its life.

#include "platform/win/cursors.h"

namespace platform::win {

enum class PanningCursor { Full, Horizontal, Vertical, Up, Right, Down, Left };

// 32 x 32 with the hot spot in the middle.
HCURSOR LoadPanningCursor(PanningCursor kind);

} // namespace platform::win
