#include "toolkit/base/cx_lf_painter_strokes.h"

#include "toolkit/base/cx_look_and_feel_painters.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/surface.h"

namespace toolkit::base {

namespace pg = platform::gdi;

void cxDrawExpandSign(TcxCanvas& ACanvas, const TRect& R, bool AExpanded, TColor AColor) {
    const int Length = 2 * ((cxRectWidth(R) - 4) / 2) + 1;
    if (Length <= 0 || cxRectHeight(R) <= 0) return;
    const int Left = R.Left + (cxRectWidth(R) - Length) / 2;
    const int Top = R.Top + (cxRectHeight(R) - Length) / 2;
    const int CX = Left + Length / 2;
    const int CY = Top + Length / 2;
    ACanvas.FillRect({Left, CY, Left + Length, CY + 1}, AColor);
    if (!AExpanded) ACanvas.FillRect({CX, Top, CX + 1, Top + Length}, AColor);
}

void cxFillScrollBarTrack(TcxCanvas& ACanvas, const TRect& R, bool APressed) {
    // A paint must not start the whole unit (it installs the look-and-feel's lookup): without
    // one alive, the fill makes its own checker.
    const int Index = APressed ? 1 : 0;
    if (TcxLookAndFeelPaintersUnit* Unit = cxLookAndFeelPaintersUnitAlive()) {
        ACanvas.FillRectWithBitmap(R, Unit->HalftoneBitmap(Index));
    } else {
        pg::GdiHandle Bitmap(cxCreateHalftoneBitmap(Index));
        ACanvas.FillRectWithBitmap(R, static_cast<HBITMAP>(Bitmap.Get()));
    }
    ACanvas.Brush().SetBitmap(HBITMAP{});
    ACanvas.Brush().SetStyle(pg::TBrushStyle::bsSolid);
}

void cxDrawSortingMarkOutline(TcxCanvas& ACanvas, const TRect& R, bool AAscending, TSize ASize,
                              TColor ALight, TColor AShadow) {
    const int W = ASize.cx, H = ASize.cy;
    if (W <= 0 || H <= 0) return;
    int Left = (R.Left + R.Right - W) / 2;
    if (W % 2 == 0) --Left;
    const int Top = (R.Top + R.Bottom - H) / 2;
    const int Right = Left + W - 1, Bottom = Top + H - 1;
    const int CX = Left + W / 2;
    const TPoint Apex = AAscending ? TPoint{CX, Top} : TPoint{CX, Bottom};
    const int BaseY = AAscending ? Bottom : Top;
    const TPoint Chain[4] = {Apex, {Left, BaseY}, {Right, BaseY}, Apex};
    const int LitSegments = AAscending ? 2 : 1;
    for (int I = 0; I < 3; ++I) {
        ACanvas.Pen().SetColor(I < LitSegments ? ALight : AShadow);
        ACanvas.Polyline({Chain[I], Chain[I + 1]});
    }
}

void cxDrawIndicatorMark(TcxCanvas& ACanvas, const TRect& R, int AMarkKind, TColor AColor) {
    int Width = cxRectHeight(R) / 2;
    if (Width % 2 == 0) --Width;
    if (Width <= 0) return;
    const int Rows = (Width + 1) / 2;
    const int CX = (R.Left + R.Right) / 2;
    const int CY = (R.Top + R.Bottom) / 2;
    const bool Up = AMarkKind == 1 || AMarkKind == 3;
    const bool Down = AMarkKind == 2 || AMarkKind == 3;
    // Both marks: the up one above the centre, the down one below it.
    const int UpTop = Down ? CY - Rows : CY - Rows / 2;
    const int DownTop = Up ? CY + 1 : CY - Rows / 2;
    for (int Row = 0; Row < Rows; ++Row) {
        if (Up) ACanvas.FillRect({CX - Row, UpTop + Row, CX + Row + 1, UpTop + Row + 1}, AColor);
        if (Down)
            ACanvas.FillRect(
                {CX - (Rows - 1 - Row), DownTop + Row, CX + Rows - Row, DownTop + Row + 1}, AColor);
    }
}

void cxDrawClassicHeaderBorder(TcxCanvas& ACanvas, const TRect& R, TcxNeighbors ANeighbors) {
    ACanvas.DrawEdge(R, false, false, cxBordersAll);
    if (ANeighbors & cxNeighbor(nLeft)) {
        ACanvas.SetPixel(R.Left, R.Top + 1, pg::clBtnFace);
        ACanvas.SetPixel(R.Left, R.Bottom - 2, pg::clBtnFace);
    }
    if (ANeighbors & cxNeighbor(nRight)) {
        ACanvas.SetPixel(R.Right - 1, R.Top, pg::clBtnHighlight);
        ACanvas.SetPixel(R.Right - 1, R.Top + 1, pg::clBtnFace);
        ACanvas.SetPixel(R.Right - 1, R.Bottom - 2, pg::clBtnFace);
    }
}

void cxDrawClassicPanelDropDownButton(const TcxCustomLookAndFeelPainter& APainter,
                                      TcxCanvas& ACanvas, const TRect& R, TcxButtonState AState,
                                      bool AIsActive) {
    if (AState == cxbsPressed)
        ACanvas.DrawEdge(R, true, true);
    else
        ACanvas.DrawEdge(R, false, false);
    const TRect Inner = cxRectInflate(R, -1, -1);
    ACanvas.FillRect(Inner, pg::clBtnFace);
    APainter.DrawTriangleMark(ACanvas, Inner, AIsActive ? pg::clBlue : pg::clBtnText);
}

void cxDrawClassicTabBorder(TcxCanvas& ACanvas, const TRect& R, int ASide, TcxBorders ABorders,
                            TcxButtonState AState, TColor APressedColor, TColor AColor) {
    TRect Strip = R;
    if (ASide == 0) {
        Strip.Top += ABorders & cxBorder(bTop) ? 2 : 1;
        if (ABorders & cxBorder(bBottom)) --Strip.Bottom;
        Strip.Right = Strip.Left + 1;
    } else {
        ++Strip.Left;
        --Strip.Right;
        Strip.Bottom = Strip.Top + 1;
    }
    ACanvas.FillRect(Strip, AState == cxbsPressed ? APressedColor : AColor);
    if (ABorders & cxBorder(bTop)) ACanvas.SetPixel(R.Left, R.Top, pg::clBtnHighlight);
    if (ABorders & cxBorder(bBottom)) ACanvas.SetPixel(R.Left, R.Bottom - 1, pg::clBtnHighlight);
}

} // namespace toolkit::base
