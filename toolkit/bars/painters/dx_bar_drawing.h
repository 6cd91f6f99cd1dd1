#pragma once
// The plain drawing routines the bar windows, item controls and painters share: arrows,
// frames and gradients, tiled backgrounds, clip-region bookkeeping, the transparent size grip,
// the glyph drawer with its disabled, faded and shadowed forms, and the drag insertion mark.
// They draw on the context the caller gives and keep no state.

#include "platform/forms/graphics.h"
#include "platform/forms/img_list.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/geometry.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region_handles.h"
#include "platform/gdi/visual_styles.h"

namespace toolkit::bars {

using platform::gdi::HBITMAP;
using platform::gdi::HBRUSH;
using platform::gdi::HDC;
using platform::gdi::HRGN;
using platform::gdi::TColor;
using platform::gdi::TRect;

// An arrow sized from R: v = width - 8 pointing down, else height - 6; size (v - 1) / 2, one
// more when v is odd, never below 3.
void DrawArrowInRect(HDC DC, const TRect& R, bool Down, bool Enabled, bool Selected, bool Flat);
// A filled triangle of Size centred in R, pointing down or right: button text, highlight text
// when selected, button shadow when disabled (with a highlight rim unless Flat).
void DrawArrow(HDC DC, const TRect& R, bool Down, int Size, bool Selected, bool Enabled, bool Flat);

void FrameRectHighlight(HDC DC, const TRect& R);
TColor GetNearestScreenColor(TColor Color);
// 256 horizontal bands from the start colour at the top to the end colour at the bottom.
void FillGradientRect(HDC DC, const TRect& R, TColor StartColor, TColor EndColor);
// DestRect tiled with Bitmap (its tiles anchored so that SourceRect's top-left falls on
// DestRect's); without pixels, a fill with Brush, or without one the system colour.
void FillBackground(HDC DC, const TRect& DestRect, const TRect& SourceRect,
                    platform::forms::TBitmap* Bitmap, int SystemColorIndex, HBRUSH Brush);
// The system size grip over what R already shows.
void DrawSizeGripTransparent(HDC DC, const TRect& R);

// The visual-style state of an item control: 4 disabled, 6 selected, else 1.
int GetItemControlThemeState(bool Enabled, bool Selected);
// A theme part's fill and text colours; the window and window-text system colours when the
// theme does not give them (no theme class open).
TColor GetThemedFillColor(platform::gdi::HTHEME Theme, int PartId, int StateId);
TColor GetThemedTextColor(platform::gdi::HTHEME Theme, int PartId, int StateId);
// The fill colour of the toolbar theme's part 0; button face when the theme does not give it.
TColor GetXPThemeFillColor();
// The window theme's small close button: its size (empty without a theme), and the button
// drawn in R over a button-face fill, centred vertically and inset from the left edge (Side 1
// or 3) or the right edge (any other Side) by as much as it is from the top.
platform::gdi::TSize GetThemedCloseButtonSize();
void DrawThemedCloseButton(HDC DC, const TRect& R, bool Hot, int Side, bool Pressed);
// The corner a size grip faces.
enum TdxSizeGripCorner : int { sgcBottomRight, sgcBottomLeft, sgcTopLeft, sgcTopRight };
// The scroll-bar theme's size box plus 2 each way (2 x 2 without a theme); drawn in R's
// Corner over a button-face fill, mirrored to face that corner.
platform::gdi::TSize GetThemedSizeGripSize();
void DrawThemedSizeGrip(HDC DC, const TRect& R, TdxSizeGripCorner Corner);

// The DC's clip region: a copy, and whether there was one. Restoring selects it back (or no
// clip region) and deletes the copy.
struct TdxClipRgnSave {
    HRGN Region{};
    bool HadRegion = false;
};
TdxClipRgnSave SaveClipRgn(HDC DC);
void RestoreClipRgn(HDC DC, TdxClipRgnSave& Saved);
void AddClipRect(HDC DC, const TRect& R);
void ExcludeRectFromRgn(HRGN Region, const TRect& R);

// What DrawBarItemGlyph draws and how.
struct TdxBarGlyphParams {
    HBRUSH Brush{};
    TRect ItemRect{};
    TRect GlyphRect{};
    platform::forms::TBitmap* Glyph = nullptr;
    const platform::forms::TImageList* Images = nullptr;
    int ImageIndex = -1;
    bool Enabled = true;
    bool Grayed = false;
    bool Flat = false;
    bool Selected = false;
    bool Down = false;
    bool NoShadow = false;
    bool ShadowAllowed = false;
    // The item rectangle starts as what the DC shows there, else as a fill with Brush.
    bool CopyBackground = false;
    // clNone: no tint.
    TColor TintColor = platform::gdi::clNone;
    TColor ImageListBkColor = platform::gdi::clWhite;
};
// The glyph of an item control, drawn through a memory bitmap of the item rectangle: the image
// over the background through its mask (transparent colour: its bottom-left pixel), greyed,
// lightened, tinted or shadowed as asked; a disabled untinted glyph is embossed (a highlight
// copy one pixel right and down, then the shadow copy), plain shadow when Flat.
void DrawBarItemGlyph(HDC DC, const TdxBarGlyphParams& Params);

// The customising insertion mark between two links, drawn by inverting (drawn twice it goes).
void DrawDragInsertMark(HDC DC, const TRect& R, bool Horizontal);

} // namespace toolkit::bars
