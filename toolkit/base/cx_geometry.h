#pragma once
// The rectangle arithmetic that painters and controls use everywhere. Rectangles are the
// platform's: {Left, Top, Right, Bottom}, Right and Bottom just outside.

#include "platform/gdi/geometry.h"

namespace toolkit::base {

using platform::gdi::TPoint;
using platform::gdi::TRect;
using platform::gdi::TSize;

inline int cxRectWidth(const TRect& R) {
    return R.Right - R.Left;
}
inline int cxRectHeight(const TRect& R) {
    return R.Bottom - R.Top;
}
inline bool cxRectIsEmpty(const TRect& R) {
    return R.Right <= R.Left || R.Bottom <= R.Top;
}
inline bool cxRectIsEqual(const TRect& R1, const TRect& R2) {
    return R1 == R2;
}

// Each side moved outward: by DX left and right, by DY at top and bottom.
TRect cxRectInflate(const TRect& R, int DX, int DY);
TRect cxRectInflate(const TRect& R, int DLeft, int DTop, int DRight, int DBottom);
TRect cxRectOffset(const TRect& R, int DX, int DY);
// R with Left = X and Right = X + Width.
TRect cxRectSetXPos(const TRect& R, int X, int Width);
// A rectangle of Size centred in R, its corner rounded toward zero.
TRect cxRectCenter(const TRect& R, const TSize& Size);
// Each side moved inward by the matching side of Margins.
void cxDeflateRectByMargins(TRect& R, const TRect& Margins);

inline TPoint cxPoint(int X, int Y) {
    return {X, Y};
}

} // namespace toolkit::base
