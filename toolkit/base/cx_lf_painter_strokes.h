#pragma once
// Strokes that several look-and-feel painters draw alike: the plus/minus sign of expand buttons,
// the checker fill of scroll-bar tracks, the outlined sorting mark, the small marks of
// indicator cells and the classic three-dimensional header, tab and drop-down edges. The
// painters compose them (the base painter its indicator marks); callers use the painters, not
// these.

#include "toolkit/base/cx_lf_painter.h"

namespace toolkit::base {

// A bar 2 * ((width - 4) div 2) + 1 long through the centre of R, and a vertical one of the same
// length when not expanded, in AColor.
void cxDrawExpandSign(TcxCanvas& ACanvas, const TRect& R, bool AExpanded, TColor AColor);
// R through the painters' unit's halftone bitmap: clBtnFace and clBtnHighlight, or black and
// cl3DDkShadow when pressed (the track under the pressed mouse), as the unit last built them;
// with no unit alive, through a checker of the colours of the moment. The brush is solid again
// afterwards.
void cxFillScrollBarTrack(TcxCanvas& ACanvas, const TRect& R, bool APressed);
// A triangle outline of ASize centred in R (one pixel left when the width is even), apex up
// when ascending; drawn as one chain from the apex, its lit segments in ALight, the rest in
// AShadow; a descending mark turns to the shadow one segment earlier.
void cxDrawSortingMarkOutline(TcxCanvas& ACanvas, const TRect& R, bool AAscending, TSize ASize,
                              TColor ALight, TColor AShadow);
// Mark kinds 1 up, 2 down, 3 both: small triangles of one-pixel rows centred in R.
void cxDrawIndicatorMark(TcxCanvas& ACanvas, const TRect& R, int AMarkKind, TColor AColor);
// The raised header edge with the corner pixels that let neighbouring cells meet.
void cxDrawClassicHeaderBorder(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors);
// The drop-down button of a panel: a sunken edge when pressed, else raised; a face fill and the
// triangle mark, blue when active.
void cxDrawClassicPanelDropDownButton(const TcxCustomLookAndFeelPainter& APainter,
                                      TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AIsActive);
// The edge strip of a tab in clBtnShadow (pressed) or clBtnHighlight, with two lit corners.
void cxDrawClassicTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide, TcxBorders ABorders,
                            TcxButtonState AState, TColor APressedColor, TColor AColor);

} // namespace toolkit::base
