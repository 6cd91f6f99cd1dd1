#pragma once
// What the painters draw with that outlives a call: the indicator images, the size of the
// platform's check-box glyph and the shared radio-button images. The painters' unit makes them
// at its start-up and hands them here; the base painter only reads them. Until then indicator
// images and radio buttons draw nothing and measure 0 x 0, and the check-box glyph is 13 x 13.

#include "toolkit/base/cx_lf_painter.h"

#include <functional>

namespace toolkit::base {

struct TcxLookAndFeelPainterImages {
    // Not owned: the unit that installs it keeps it alive until it installs another.
    const platform::forms::TImageList* IndicatorImages = nullptr;
    TSize CheckButtonSize{13, 13};
    std::function<TSize()> RadioButtonSize;
    // The image for the combination of style, state, checked, focused and highlight at (X, Y).
    std::function<void(TcxCanvas& ACanvas, int X, int Y, TcxLookAndFeelStyle AStyle,
                       TcxButtonState AState, bool AChecked, bool AFocused, TColor ABrushColor,
                       bool AIsHighlighted)>
        DrawRadioButton;
};

// Replaces the images (an empty member stands for "none").
void cxSetLookAndFeelPainterImages(TcxLookAndFeelPainterImages Images);
const TcxLookAndFeelPainterImages& cxLookAndFeelPainterImages();

} // namespace toolkit::base
