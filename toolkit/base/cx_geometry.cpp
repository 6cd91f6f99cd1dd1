#include "toolkit/base/cx_geometry.h"

namespace toolkit::base {

TRect cxRectInflate(const TRect& R, int DX, int DY) {
    return cxRectInflate(R, DX, DY, DX, DY);
}

TRect cxRectInflate(const TRect& R, int DLeft, int DTop, int DRight, int DBottom) {
    return {R.Left - DLeft, R.Top - DTop, R.Right + DRight, R.Bottom + DBottom};
}

TRect cxRectOffset(const TRect& R, int DX, int DY) {
    return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
}

TRect cxRectSetXPos(const TRect& R, int X, int Width) {
    return {X, R.Top, X + Width, R.Bottom};
}

TRect cxRectCenter(const TRect& R, const TSize& Size) {
    // Integer division in C++ rounds toward zero, as the routine is meant to.
    const int Left = (R.Left + R.Right - Size.cx) / 2;
    const int Top = (R.Top + R.Bottom - Size.cy) / 2;
    return {Left, Top, Left + Size.cx, Top + Size.cy};
}

void cxDeflateRectByMargins(TRect& R, const TRect& Margins) {
    R.Left += Margins.Left;
    R.Top += Margins.Top;
    R.Right -= Margins.Right;
    R.Bottom -= Margins.Bottom;
}

} // namespace toolkit::base
