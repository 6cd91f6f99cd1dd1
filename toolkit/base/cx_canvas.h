#pragma once
// The toolkit's canvas: a thin wrapper over a class-library canvas (not owned) that adds stacks
// of saved context states, clip regions and font/brush/pen states; clip-region arithmetic in
// logical coordinates; frame, edge and tiled-bitmap fills; and one text routine that aligns
// multi-line text vertically and draws disabled text embossed. Every rectangle is in logical
// coordinates of the wrapped canvas. Colours follow the library's rule: clNone draws nothing,
// clDefault keeps the brush that is selected.

#include "toolkit/base/cx_region.h"

#include "platform/gdi/canvas.h"

#include <memory>
#include <string>
#include <vector>

namespace toolkit::base {

using platform::gdi::HBITMAP;
using platform::gdi::HDC;
using platform::gdi::TBrush;
using platform::gdi::TCanvas;
using platform::gdi::TColor;
using platform::gdi::TFont;
using platform::gdi::TPen;
using platform::gdi::TPoint;
using platform::gdi::TSize;

enum TcxBorder { bLeft, bTop, bRight, bBottom };
// A set of borders as bits: left 1, top 2, right 4, bottom 8.
using TcxBorders = unsigned;
inline constexpr TcxBorders cxBordersAll = 15;
constexpr TcxBorders cxBorder(TcxBorder Border) {
    return 1u << Border;
}

// The library's text flags; cxFlagsToDTFlags turns them into the platform's DrawText format.
inline constexpr int cxAlignLeft = 0x0001;
inline constexpr int cxAlignRight = 0x0002;
inline constexpr int cxAlignHCenter = 0x0004;
inline constexpr int cxAlignTop = 0x0008;
inline constexpr int cxAlignBottom = 0x0010;
inline constexpr int cxAlignVCenter = 0x0020;
inline constexpr int cxSingleLine = 0x0040;
inline constexpr int cxDontClip = 0x0080;
inline constexpr int cxExpandTabs = 0x0100;
inline constexpr int cxShowPrefix = 0x0200;
inline constexpr int cxWordBreak = 0x0400;
inline constexpr int cxShowEndEllipsis = 0x0800;
inline constexpr int cxDontPrint = 0x1000;
inline constexpr int cxShowPathEllipsis = 0x2000;
inline constexpr int cxDontBreakChars = 0x4000;

// DT_NOPREFIX is always set unless cxShowPrefix; word break brings DT_EDITCONTROL along unless
// cxDontBreakChars.
unsigned cxFlagsToDTFlags(int Flags);

enum TcxAlignmentVert { vaTop, vaBottom, vaCenter };

// A fill for FrameAndFillRect: the bitmap tiles when it has pixels, else the colour fills.
struct TcxFillInfo {
    HBITMAP Bitmap{};
    TColor Color = platform::gdi::clDefault;
};

class TcxCanvas {
public:
    explicit TcxCanvas(TCanvas* ACanvas);
    virtual ~TcxCanvas();
    TcxCanvas(const TcxCanvas&) = delete;
    TcxCanvas& operator=(const TcxCanvas&) = delete;

    TCanvas& Canvas() const { return *FCanvas; }
    HDC Handle() const { return FCanvas->Handle(); }
    TBrush& Brush() const { return FCanvas->Brush(); }
    TFont& Font() const { return FCanvas->Font(); }
    void SetFont(const TFont& Value) const { FCanvas->SetFont(Value); }
    TPen& Pen() const { return FCanvas->Pen(); }

    TPoint GetWindowOrg() const;
    TPoint GetViewportOrg() const;
    void SetWindowOrg(const TPoint& P) const;
    // The device position of logical (0, 0).
    TPoint GetDCOrigin() const;

    void SetPixel(int X, int Y, TColor Color) const { FCanvas->SetPixel(X, Y, Color); }
    void MoveTo(int X, int Y) const { FCanvas->MoveTo(X, Y); }
    void LineTo(int X, int Y) const { FCanvas->LineTo(X, Y); }
    void Polygon(const std::vector<TPoint>& Points) const { FCanvas->Polygon(Points); }
    void Polyline(const std::vector<TPoint>& Points) const { FCanvas->Polyline(Points); }
    void CopyRect(const TRect& Dest, TCanvas& ASourceCanvas, const TRect& Source) const {
        FCanvas->CopyRect(Dest, ASourceCanvas, Source);
    }
    // The whole bitmap copied with its top-left corner at (X, Y).
    void Draw(int X, int Y, HBITMAP Bitmap) const;

    // Sets the brush colour only when it differs, so the brush is not made again.
    void SetBrushColor(TColor Value) const;
    void FillRect(const TRect& R, TColor Color = platform::gdi::clDefault) const;
    // Tiles Bitmap over R, anchored at logical (0, 0); without one (or an empty one) a fill with
    // the brush. With ExcludeRect, R is then taken out of the clip region.
    void FillRectWithBitmap(const TRect& R, HBITMAP Bitmap, bool ExcludeRect = false) const;
    // Each chosen side a strip of LineWidth, drawn left, right, top, bottom; each strip stays
    // inside R. With ExcludeFrame each strip is then taken out of the clip region.
    void FrameRect(const TRect& R, TColor Color = platform::gdi::clDefault, int LineWidth = 1,
                   TcxBorders Borders = cxBordersAll, bool ExcludeFrame = false) const;
    // The frame, then what is inside the chosen sides filled.
    void FrameAndFillRect(const TRect& R, const TcxFillInfo& Fill, TcxBorders Borders,
                          TColor FrameColor, int LineWidth = 1, bool ExcludeRect = false) const;
    // Left and top in LeftTopColor, right and bottom in RightBottomColor, drawn in that order,
    // so the later sides own the corners they share.
    void DrawComplexFrame(const TRect& R, TColor LeftTopColor, TColor RightBottomColor,
                          TcxBorders Borders = cxBordersAll, int LineWidth = 1) const;
    // One-pixel three-dimensional edge in the system colours.
    void DrawEdge(const TRect& R, bool Sunken, bool Outer, TcxBorders Borders = cxBordersAll) const;
    void DrawFocusRect(const TRect& R) const;
    void InvertRect(const TRect& R) const;

    // Text in R by the library's text flags; a disabled text is drawn embossed: a highlight
    // copy one pixel down and right, then the shadow copy.
    void DrawText(const std::string& Text, TRect R, int Flags, bool Enabled = true) const;
    // The size of a one-line text; 0 x 0 when it cannot be measured.
    TSize TextExtent(const std::string& Text) const;
    // The rectangle the text needs under Flags, aligned in the initial R as Flags say.
    void TextExtent(const std::string& Text, TRect& R, int Flags) const;
    int TextWidth(const std::string& Text) const { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) const { return TextExtent(Text).cy; }
    // Sets the font, then the height of "Qq".
    int FontHeight(const TFont& AFont) const;
    // Moves R.Top so that the rows of Text sit at the bottom of R or in its middle.
    void AlignMultiLineTextRectVertically(TRect& R, const std::string& Text,
                                          TcxAlignmentVert AlignmentVert, bool WordBreak,
                                          bool ShowPrefix, bool Enabled = true,
                                          bool DontBreakChars = false) const;

    // Stacks; a restore with nothing saved does nothing.
    void SaveDC();
    void RestoreDC();
    void SaveClipRegion();
    void RestoreClipRegion();
    // Also keeps copies of the font, brush and pen.
    void SaveState();
    void RestoreState();

    void ExcludeClipRect(const TRect& R) const;
    void IntersectClipRect(const TRect& R) const;
    // A new region the caller owns: the clip region, or (0, 0, 30000, 30000) without one; with
    // ConsiderOrigin in logical coordinates.
    std::unique_ptr<TcxRegion> GetClipRegion(bool ConsiderOrigin = true) const;
    // Combines Region into the clip region (rgnSet replaces it); the first form frees Region,
    // the second leaves it as it was.
    void SetClipRegion(std::unique_ptr<TcxRegion> Region, TcxRegionOperation Operation,
                       bool ConsiderOrigin = true) const;
    void SetClipRegion(TcxRegion& Region, TcxRegionOperation Operation,
                       bool ConsiderOrigin = true) const;

protected:
    // A canvas that owns the canvas it wraps.
    explicit TcxCanvas(std::unique_ptr<TCanvas> AOwnedCanvas);

private:
    struct TcxCanvasState {
        std::unique_ptr<TFont> Font;
        std::unique_ptr<TBrush> Brush;
        std::unique_ptr<TPen> Pen;
    };
    void FillWithColor(const TRect& R, TColor Color) const;

    std::unique_ptr<TCanvas> FOwnedCanvas;
    TCanvas* FCanvas;
    std::vector<int> FSavedDCs;
    std::vector<std::unique_ptr<TcxRegion>> FSavedRegions;
    std::vector<TcxCanvasState> FSavedStates;
};

// A canvas over the whole screen, for measuring and copying by code without a window. It owns
// the canvas it wraps.
class TcxScreenCanvas : public TcxCanvas {
public:
    TcxScreenCanvas();
    ~TcxScreenCanvas() override;
};

// The process's screen canvas, made on the first call.
TcxScreenCanvas& cxScreenCanvas();

// The platform's text calls; a Length of -1 means the whole text.
bool cxGetTextExtentPoint(HDC DC, const std::string& Text, TSize& Size, int Length = -1);
int cxDrawText(HDC DC, const std::string& Text, TRect& R, unsigned Format, int Length = -1);
bool cxExtTextOut(HDC DC, const TPoint& P, unsigned Options, const TRect& R,
                  const std::string& Text, int Length = -1);

} // namespace toolkit::base
