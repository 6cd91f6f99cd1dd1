#pragma once
// Controls paint their background first and their text over it, so the text brings no
// background of its own.

#include "platform/gdi/canvas.h"

#include <string>

namespace platform::forms {

// Text in the canvas's font and in color, laid out in r as gdi::DrawText does with format; the
// canvas's settings are as they were afterwards.
void DrawTransparentText(gdi::TCanvas& canvas, const std::string& text, gdi::TRect r,
                         gdi::UINT format, gdi::TColor color);

} // namespace platform::forms
