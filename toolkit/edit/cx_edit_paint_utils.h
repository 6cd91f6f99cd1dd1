#pragma once
// The free routines every editor paints with: arrows in rows of cached-brush rectangles, borders
// by edge flags, one-pixel polylines, filled strips, the popup border widths, the editors'
// highlight and button colours, the painter class of a look-and-feel kind and the conversions
// between the platform's text flags and the toolkit's. Solid fills take their brush from the
// brush cache, which the caller never deletes.

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_lf_painter.h"
#include "toolkit/base/look_and_feel_painter_lookup.h"

#include "platform/forms/graphics.h"
#include "platform/gdi/objects.h"

#include <vector>

namespace toolkit::edit {

class TcxCustomEditViewData;
class TcxCustomEditViewInfo;
class TcxEditButtonViewInfo;

using platform::gdi::HBRUSH;
using platform::gdi::HDC;
using platform::gdi::TColor;
using platform::gdi::TPoint;
using platform::gdi::TRect;
using platform::gdi::TSize;
using toolkit::base::TcxArrowDirection;
using toolkit::base::TcxBorders;
using toolkit::base::TcxCanvas;
using toolkit::base::TcxLookAndFeelKind;
using toolkit::base::TcxLookAndFeelPainterClass;

// The visual-style painter when Native and the styles are available, else the kind's painter;
// nullptr while the painters' unit has not started.
TcxLookAndFeelPainterClass GetPainterClass(bool Native, TcxLookAndFeelKind Kind);

// The arrow's size S and its width across: for a box of ASize, (min side - 1) / 2 made odd,
// and half of that plus one; swapped for left and right arrows.
TSize GetArrowSize(TSize ASize, TcxArrowDirection ADirection);
// N + 1 filled arrows of size S in a row along the direction, their box centred in R and moved
// one pixel right and down when pressed. Each row of an arrow is one rectangle.
void cxDrawArrow(TcxCanvas& ACanvas, int S, const TRect& R, TColor AColor, bool APressedOffset,
                 int N, TcxArrowDirection ADirection);

// One-pixel lines on the left, right, top and bottom sides named in AEdges; R shrinks by one on
// every drawn side.
void DrawBorderEdges(TcxCanvas& ACanvas, TRect& R, TcxBorders AEdges, TColor AColor);
// Through APoints[0..ALastIndex], the end pixel included. Without brush a pen line; with it each
// segment a one-pixel-wide rectangle of the colour's cached brush.
void InternalPolyLine(TcxCanvas& ACanvas, const std::vector<TPoint>& APoints, int ALastIndex,
                      bool AUseBrush, TColor AColor);

// The bitmap exists and has pixels.
bool IsGlyphAssigned(platform::gdi::HBITMAP ABitmap);

void FillRectByColor(TcxCanvas& ACanvas, const TRect& R, TColor AColor);
void FillRectByBrush(HDC ADC, const TRect& R, HBRUSH ABrush);
// The four strips of AOuter around AInner (AInner clipped to AOuter).
void FillRectBetweenByBrush(TcxCanvas& ACanvas, const TRect& AOuter, const TRect& AInner,
                            HBRUSH ABrush);

bool IsNumericChar(char C);

// DT_CENTER, DT_RIGHT, DT_WORDBREAK, DT_SINGLELINE, DT_EXTERNALLEADING and DT_NOCLIP against the
// toolkit's text flags; other bits are dropped.
unsigned DrawTextFlagsToCxTextFlags(unsigned AFlags);
unsigned CxTextFlagsToDrawTextFlags(unsigned AFlags);

// Popup border styles 0..6: 0, 4, 2, 2, 2, 2, 2; a native-styled popup takes the horizontal
// content inset of a push button's themed background, the table when styles are off.
int GetEditPopupBorderWidth(TcxCanvas& ACanvas, int APopupBorderStyle, bool ANative);
TColor GetEditBorderHighlightColor(bool AIsOffice11Style);
// The Office 2003 or ultra-flat painter's button colour, pressed or hot.
TColor GetEditButtonColor(bool AIsPressed, bool AIsOffice11Style);

// The frame's width beside a button: 2 for a thick border with a skin painter, 1 for any other
// border with one; without a skin painter the container's border width.
int GetEditButtonBorderWidth(int ABorderStyle, bool AHasSkinPainter);
// A button's width when the layout leaves it to the button: an explicit width (at least the
// content margin), else from the glyph or caption plus the margin, never below the system's
// scroll-bar width.
int CalculateEditDefaultButtonWidth(TcxCanvas& ACanvas, const TcxEditButtonViewInfo& AButton);
// The view data's style asks for a shadow and its look-and-feel is not native.
bool IsEditShadowNeeded(TcxCustomEditViewData& AViewData);
// The glyph at (X, Y) without its transparent colour (its bottom-left pixel), on ABackground
// unless that is clNone; a disabled glyph is drawn embossed in the button shadow colours.
void DrawGlyph(TcxCanvas& ACanvas, int X, int Y, const platform::forms::TBitmap& AGlyph,
               bool AEnabled, TColor ABackground = platform::gdi::clNone);
// The editor's frame (border, shadow) and background, with opaque buttons left out of the
// clip, then its buttons. ABackground fills the client area too.
void DrawCustomEdit(TcxCanvas& ACanvas, TcxCustomEditViewInfo& AViewInfo, bool ABackground,
                    bool AInplace);

} // namespace toolkit::edit
