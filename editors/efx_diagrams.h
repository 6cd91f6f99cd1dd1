#pragma once
// The two pictures of the effects window: the block diagram of an EFX type (its EFX page, an
// image of 263 × 111) and the reverb HF damp sketch (its first page, 64 × 46). Both fill their
// area with aqua inside a black frame and draw nothing outside it; they are pictures only.

#include "platform/forms/ext_ctrls.h"
#include "platform/gdi/canvas.h"

namespace editors {

inline constexpr int EfxDiagramWidth = 263;
inline constexpr int EfxDiagramHeight = 111;
inline constexpr int HFDampWidth = 64;
inline constexpr int HFDampHeight = 46;
inline constexpr int HFDampBypass = 17;

// The diagram of type number 1..40 in the area (0, 0)–(width, height) of the canvas, captions in
// the canvas's font; 0 (nothing chosen) or another number leaves the framed ground alone. The
// stereo delays (17, 18) draw their feedback Normal (feedbackMode 0) or Cross (any other).
void DrawEfxDiagram(platform::gdi::TCanvas& canvas, int width, int height, int number,
                    int feedbackMode);
// Into the image, in the font of the panel that holds it.
void DrawEFX(platform::forms::TImage& image, const platform::gdi::TFont& font, int number,
             int feedbackMode);

// The damping frequency of a step 0..17: "200" .. "8000", and "ByPass" at 17.
const char* HFDampText(int step);
// The sketch of a step: the text on top, the response flat and bending down at the step's
// frequency (two pixels right per step), or flat all along for ByPass.
void DrawHFDampSketch(platform::gdi::TCanvas& canvas, int width, int height, int step);
void DrawHFDamp(platform::forms::TImage& image, int step);

} // namespace editors
