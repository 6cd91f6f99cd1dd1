#include "toolkit/base/cx_canvas.h"

#include "toolkit/base/cx_geometry.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/region_handles.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/text_out.h"

#include <algorithm>

namespace toolkit::base {

namespace pg = platform::gdi;
using pg::clDefault;
using pg::clNone;

namespace {

inline constexpr int NoClipRegionExtent = 30000;

// A memory context with the bitmap selected. A bitmap that lives in another context (a bitmap
// object's own) cannot be selected a second time, so its pixels are copied for the while.
class BitmapSource {
public:
    explicit BitmapSource(HBITMAP Bitmap) : FDC(pg::CreateCompatibleDC(pg::NullDC)) {
        FOld = pg::SelectObject(FDC, Bitmap);
        if (FOld != pg::NullObject) return;
        const pg::Surface* Pixels = pg::BitmapSurface(Bitmap);
        if (Pixels == nullptr) return;
        FCopy =
            pg::CreateBitmap(Pixels->Width(), Pixels->Height(), 1, Pixels->BitsPerPixel(), nullptr);
        *pg::BitmapSurface(FCopy) = *Pixels;
        FOld = pg::SelectObject(FDC, FCopy);
    }
    ~BitmapSource() {
        pg::SelectObject(FDC, FOld);
        pg::DeleteDC(FDC);
        if (FCopy != pg::NullObject) pg::DeleteObject(FCopy);
    }
    BitmapSource(const BitmapSource&) = delete;
    BitmapSource& operator=(const BitmapSource&) = delete;
    HDC DC() const { return FDC; }

private:
    HDC FDC;
    pg::HGDIOBJ FOld{};
    HBITMAP FCopy{};
};

TSize BitmapSize(HBITMAP Bitmap) {
    pg::BITMAP Info;
    if (Bitmap == pg::NullObject || pg::GetObject(Bitmap, sizeof(Info), &Info) == 0) return {};
    return {Info.bmWidth, Info.bmHeight};
}

} // namespace

unsigned cxFlagsToDTFlags(int Flags) {
    unsigned Result = pg::DT_NOPREFIX;
    if (Flags & cxAlignRight) Result |= pg::DT_RIGHT;
    if (Flags & cxAlignHCenter) Result |= pg::DT_CENTER;
    if (Flags & cxAlignBottom) Result |= pg::DT_BOTTOM;
    if (Flags & cxAlignVCenter) Result |= pg::DT_VCENTER;
    if (Flags & cxSingleLine) Result |= pg::DT_SINGLELINE;
    if (Flags & cxDontClip) Result |= pg::DT_NOCLIP;
    if (Flags & cxExpandTabs) Result |= pg::DT_EXPANDTABS;
    if (Flags & cxShowPrefix) Result &= ~pg::DT_NOPREFIX;
    if (Flags & cxWordBreak) {
        Result |= pg::DT_WORDBREAK;
        if (!(Flags & cxDontBreakChars)) Result |= pg::DT_EDITCONTROL;
    }
    if (Flags & cxShowEndEllipsis) Result |= pg::DT_END_ELLIPSIS;
    if (Flags & cxDontPrint) Result |= pg::DT_CALCRECT;
    if (Flags & cxShowPathEllipsis) Result |= pg::DT_PATH_ELLIPSIS;
    return Result;
}

TcxCanvas::TcxCanvas(TCanvas* ACanvas) : FCanvas(ACanvas) {}

TcxCanvas::TcxCanvas(std::unique_ptr<TCanvas> AOwnedCanvas)
    : FOwnedCanvas(std::move(AOwnedCanvas)), FCanvas(FOwnedCanvas.get()) {}

TcxCanvas::~TcxCanvas() = default;

TPoint TcxCanvas::GetWindowOrg() const {
    TPoint P;
    pg::GetWindowOrgEx(Handle(), &P);
    return P;
}

TPoint TcxCanvas::GetViewportOrg() const {
    TPoint P;
    pg::GetViewportOrgEx(Handle(), &P);
    return P;
}

void TcxCanvas::SetWindowOrg(const TPoint& P) const {
    pg::SetWindowOrgEx(Handle(), P.X, P.Y, nullptr);
}

TPoint TcxCanvas::GetDCOrigin() const {
    const TPoint Viewport = GetViewportOrg();
    const TPoint Window = GetWindowOrg();
    return {Viewport.X - Window.X, Viewport.Y - Window.Y};
}

void TcxCanvas::Draw(int X, int Y, HBITMAP Bitmap) const {
    const TSize Size = BitmapSize(Bitmap);
    if (Size.cx <= 0 || Size.cy <= 0) return;
    BitmapSource Source(Bitmap);
    FCanvas->Require(TCanvas::BrushValid | TCanvas::FontValid);
    pg::BitBlt(Handle(), X, Y, Size.cx, Size.cy, Source.DC(), 0, 0, pg::SRCCOPY);
}

void TcxCanvas::SetBrushColor(TColor Value) const {
    if (Brush().Color() != Value) Brush().SetColor(Value);
}

void TcxCanvas::FillRect(const TRect& R, TColor Color) const {
    if (Color == clNone) return;
    if (Color != clDefault) SetBrushColor(Color);
    FCanvas->FillRect(R);
}

void TcxCanvas::FillWithColor(const TRect& R, TColor Color) const {
    FillRect(R, Color);
}

void TcxCanvas::FillRectWithBitmap(const TRect& R, HBITMAP Bitmap, bool ExcludeRect) const {
    const TSize Size = BitmapSize(Bitmap);
    if (Size.cx <= 0 || Size.cy <= 0) {
        FillRect(R);
    } else if (!cxRectIsEmpty(R)) {
        BitmapSource Source(Bitmap);
        FCanvas->Require(TCanvas::BrushValid | TCanvas::FontValid);
        const int BW = Size.cx, BH = Size.cy;
        const int FirstCol = R.Left / BW, FirstRow = R.Top / BH;
        const int LastCol = R.Right / BW - (R.Right % BW == 0 ? 1 : 0);
        const int LastRow = R.Bottom / BH - (R.Bottom % BH == 0 ? 1 : 0);
        for (int Row = FirstRow; Row <= LastRow; ++Row)
            for (int Col = FirstCol; Col <= LastCol; ++Col) {
                TRect Tile;
                const TRect Whole{Col * BW, Row * BH, Col * BW + BW, Row * BH + BH};
                if (!pg::IntersectRect(Tile, Whole, R)) continue;
                pg::BitBlt(Handle(), Tile.Left, Tile.Top, Tile.Width(), Tile.Height(), Source.DC(),
                           Tile.Left - Whole.Left, Tile.Top - Whole.Top, FCanvas->CopyMode());
            }
    }
    if (ExcludeRect) SetClipRegion(TcxRegion::CreateRect(R), rgnSubtract);
}

void TcxCanvas::FrameRect(const TRect& R, TColor Color, int LineWidth, TcxBorders Borders,
                          bool ExcludeFrame) const {
    if (cxRectIsEmpty(R) || Color == clNone) return;
    if (Color != clDefault) SetBrushColor(Color);
    const int W = LineWidth;
    auto Strip = [&](const TRect& S) {
        FCanvas->FillRect(S);
        if (ExcludeFrame) ExcludeClipRect(S);
    };
    if (Borders & cxBorder(bLeft)) Strip({R.Left, R.Top, std::min(R.Left + W, R.Right), R.Bottom});
    if (Borders & cxBorder(bRight))
        Strip({std::max(R.Right - W, R.Left), R.Top, R.Right, R.Bottom});
    if (Borders & cxBorder(bTop)) Strip({R.Left, R.Top, R.Right, std::min(R.Top + W, R.Bottom)});
    if (Borders & cxBorder(bBottom))
        Strip({R.Left, std::max(R.Bottom - W, R.Top), R.Right, R.Bottom});
}

void TcxCanvas::FrameAndFillRect(const TRect& R, const TcxFillInfo& Fill, TcxBorders Borders,
                                 TColor FrameColor, int LineWidth, bool ExcludeRect) const {
    FrameRect(R, FrameColor, LineWidth, Borders, ExcludeRect);
    TRect Inner = R;
    if (Borders & cxBorder(bLeft)) Inner.Left += LineWidth;
    if (Borders & cxBorder(bRight)) Inner.Right -= LineWidth;
    if (Borders & cxBorder(bTop)) Inner.Top += LineWidth;
    if (Borders & cxBorder(bBottom)) Inner.Bottom -= LineWidth;
    // The fill colour follows the same rules as every other colour: clNone paints nothing and
    // clDefault keeps the brush (a bitmap, when there is one, tiles regardless).
    if (BitmapSize(Fill.Bitmap).cx > 0 && BitmapSize(Fill.Bitmap).cy > 0) {
        FillRectWithBitmap(Inner, Fill.Bitmap, ExcludeRect);
        return;
    }
    FillWithColor(Inner, Fill.Color);
    if (ExcludeRect) SetClipRegion(TcxRegion::CreateRect(Inner), rgnSubtract);
}

void TcxCanvas::DrawComplexFrame(const TRect& R, TColor LeftTopColor, TColor RightBottomColor,
                                 TcxBorders Borders, int LineWidth) const {
    const int W = LineWidth;
    if (Borders & cxBorder(bLeft)) FillRect({R.Left, R.Top, R.Left + W, R.Bottom}, LeftTopColor);
    if (Borders & cxBorder(bTop)) FillRect({R.Left, R.Top, R.Right, R.Top + W}, LeftTopColor);
    if (Borders & cxBorder(bRight))
        FillRect({R.Right - W, R.Top, R.Right, R.Bottom}, RightBottomColor);
    if (Borders & cxBorder(bBottom))
        FillRect({R.Left, R.Bottom - W, R.Right, R.Bottom}, RightBottomColor);
}

void TcxCanvas::DrawEdge(const TRect& R, bool Sunken, bool Outer, TcxBorders Borders) const {
    static constexpr TColor Colors[2][2][2] = {
        {{pg::clBtnHighlight, pg::clBtnShadow}, {pg::cl3DLight, pg::cl3DDkShadow}},
        {{pg::cl3DDkShadow, pg::cl3DLight}, {pg::clBtnShadow, pg::clBtnHighlight}}};
    const auto& Pair = Colors[Sunken ? 1 : 0][Outer ? 1 : 0];
    DrawComplexFrame(R, Pair[0], Pair[1], Borders, 1);
}

void TcxCanvas::DrawFocusRect(const TRect& R) const {
    SetBrushColor(pg::clWhite);
    Font().SetColor(pg::clBlack);
    FCanvas->Require(TCanvas::FontValid);
    FCanvas->DrawFocusRect(R);
}

void TcxCanvas::InvertRect(const TRect& R) const {
    FCanvas->SetCopyMode(pg::DSTINVERT);
    FCanvas->CopyRect(R, *FCanvas, R);
    FCanvas->SetCopyMode(pg::SRCCOPY);
}

void TcxCanvas::DrawText(const std::string& Text, TRect R, int Flags, bool Enabled) const {
    if (Text.empty()) return;
    const bool UseDrawText = !(Flags & cxSingleLine) ||
                             (Flags & (cxShowPrefix | cxShowEndEllipsis | cxShowPathEllipsis));
    const TSize Size = TextExtent(Text);
    if (R.Width() >= Size.cx && R.Height() >= Size.cy) Flags |= cxDontClip;
    const int Disabled = Enabled ? 0 : 1;
    unsigned Format = 0;
    unsigned Options = 0;
    if (UseDrawText) {
        // The platform aligns only single lines vertically.
        if (!(Flags & cxSingleLine) && (Flags & (cxAlignBottom | cxAlignVCenter)))
            AlignMultiLineTextRectVertically(R, Text, (Flags & cxAlignBottom) ? vaBottom : vaCenter,
                                             Flags & cxWordBreak, Flags & cxShowPrefix, Enabled,
                                             Flags & cxDontBreakChars);
        Format = cxFlagsToDTFlags(Flags);
    } else {
        if (R.Width() > Size.cx) {
            if (Flags & cxAlignRight)
                R.Left = R.Right - Size.cx - Disabled;
            else if (Flags & cxAlignHCenter)
                R.Left = (R.Left + R.Right - Size.cx) / 2;
        }
        if (R.Height() > Size.cy) {
            if (Flags & cxAlignBottom)
                R.Top = R.Bottom - Size.cy - Disabled;
            else if (Flags & cxAlignVCenter)
                R.Top = (R.Top + R.Bottom - Size.cy) / 2;
        }
        Options = (Flags & cxDontClip) ? 0u : unsigned{pg::ETO_CLIPPED};
    }
    const pg::TBrushStyle BrushStyle = Brush().Style();
    const TColor FontColor = Font().Color();
    auto Out = [&] {
        FCanvas->Require(TCanvas::BrushValid | TCanvas::FontValid);
        if (UseDrawText)
            cxDrawText(Handle(), Text, R, Format);
        else
            cxExtTextOut(Handle(), R.TopLeft(), Options, R, Text);
    };
    if (!Enabled) {
        ++R.Left;
        ++R.Top;
        Brush().SetStyle(pg::TBrushStyle::bsClear);
        Font().SetColor(pg::clBtnHighlight);
        Out();
        R = {R.Left - 1, R.Top - 1, R.Right - 1, R.Bottom - 1};
        Font().SetColor(pg::clBtnShadow);
    }
    Out();
    if (Brush().Style() != BrushStyle) Brush().SetStyle(BrushStyle);
    Font().SetColor(FontColor);
}

TSize TcxCanvas::TextExtent(const std::string& Text) const {
    FCanvas->Require(TCanvas::FontValid);
    TSize Size;
    if (!cxGetTextExtentPoint(Handle(), Text, Size)) Size = {};
    return Size;
}

void TcxCanvas::TextExtent(const std::string& Text, TRect& R, int Flags) const {
    const int W = R.Width(), H = R.Height();
    const unsigned Format = cxFlagsToDTFlags(Flags);
    const unsigned CalcFormat = (Format & ~pg::DT_VCENTER) | pg::DT_CALCRECT;
    // A zero width would make the platform measure a single line.
    if (W <= 0 && !Text.empty()) R.Right = R.Left + 1;
    FCanvas->Require(TCanvas::FontValid);
    if (cxDrawText(Handle(), Text, R, CalcFormat) == 0) R = {R.Left, R.Top, R.Left, R.Top};
    if (Format & pg::DT_CENTER)
        pg::OffsetRect(R, (W - R.Width()) / 2, 0);
    else if (Format & pg::DT_RIGHT)
        pg::OffsetRect(R, W - R.Width(), 0);
    if (Format & pg::DT_VCENTER)
        pg::OffsetRect(R, 0, (H - R.Height()) / 2);
    else if (Format & pg::DT_BOTTOM)
        pg::OffsetRect(R, 0, H - R.Height());
}

int TcxCanvas::FontHeight(const TFont& AFont) const {
    SetFont(AFont);
    return TextHeight("Qq");
}

void TcxCanvas::AlignMultiLineTextRectVertically(TRect& R, const std::string& Text,
                                                 TcxAlignmentVert AlignmentVert, bool WordBreak,
                                                 bool ShowPrefix, bool Enabled,
                                                 bool DontBreakChars) const {
    int Flags = cxAlignLeft | cxAlignTop;
    if (WordBreak) Flags |= cxWordBreak;
    if (ShowPrefix) Flags |= cxShowPrefix;
    if (DontBreakChars) Flags |= cxDontBreakChars;
    const int Disabled = Enabled ? 0 : 1;
    TRect Measured = R;
    Measured.Right -= Disabled;
    TextExtent(Text, Measured, Flags);
    const int Height = Measured.Height();
    if (AlignmentVert == vaBottom)
        R.Top = R.Bottom - Height - Disabled;
    else if (AlignmentVert == vaCenter)
        R.Top = (R.Top + R.Bottom - Height) / 2;
}

void TcxCanvas::SaveDC() {
    FSavedDCs.push_back(pg::SaveDC(Handle()));
}

void TcxCanvas::RestoreDC() {
    if (FSavedDCs.empty()) return;
    pg::RestoreDC(Handle(), FSavedDCs.back());
    FSavedDCs.pop_back();
    // The context has its earlier objects back; the canvas must select its own again.
    FCanvas->Refresh();
}

void TcxCanvas::SaveClipRegion() {
    FSavedRegions.push_back(GetClipRegion(true));
}

void TcxCanvas::RestoreClipRegion() {
    if (FSavedRegions.empty()) return;
    std::unique_ptr<TcxRegion> Region = std::move(FSavedRegions.back());
    FSavedRegions.pop_back();
    SetClipRegion(std::move(Region), rgnSet, true);
}

void TcxCanvas::SaveState() {
    SaveDC();
    TcxCanvasState State{std::make_unique<TFont>(), std::make_unique<TBrush>(),
                         std::make_unique<TPen>()};
    State.Font->Assign(Font());
    State.Brush->Assign(Brush());
    State.Pen->Assign(Pen());
    FSavedStates.push_back(std::move(State));
}

void TcxCanvas::RestoreState() {
    if (FSavedStates.empty()) return;
    const TcxCanvasState& State = FSavedStates.back();
    Font().Assign(*State.Font);
    Brush().Assign(*State.Brush);
    Pen().Assign(*State.Pen);
    FSavedStates.pop_back();
    RestoreDC();
}

void TcxCanvas::ExcludeClipRect(const TRect& R) const {
    pg::ExcludeClipRect(Handle(), R.Left, R.Top, R.Right, R.Bottom);
}

void TcxCanvas::IntersectClipRect(const TRect& R) const {
    pg::IntersectClipRect(Handle(), R.Left, R.Top, R.Right, R.Bottom);
}

std::unique_ptr<TcxRegion> TcxCanvas::GetClipRegion(bool ConsiderOrigin) const {
    auto Result = TcxRegion::CreateEmpty();
    if (pg::GetClipRgn(Handle(), Result->Handle()) == 0)
        pg::SetRectRgn(Result->Handle(), 0, 0, NoClipRegionExtent, NoClipRegionExtent);
    if (ConsiderOrigin) {
        const TPoint Origin = GetDCOrigin();
        Result->Offset(-Origin.X, -Origin.Y);
    }
    return Result;
}

void TcxCanvas::SetClipRegion(std::unique_ptr<TcxRegion> Region, TcxRegionOperation Operation,
                              bool ConsiderOrigin) const {
    if (!Region) return;
    SetClipRegion(*Region, Operation, ConsiderOrigin);
}

void TcxCanvas::SetClipRegion(TcxRegion& Region, TcxRegionOperation Operation,
                              bool ConsiderOrigin) const {
    if (Operation != rgnSet) {
        auto Current = GetClipRegion(ConsiderOrigin);
        Current->Combine(Region, Operation);
        SetClipRegion(std::move(Current), rgnSet, ConsiderOrigin);
        return;
    }
    const TPoint Origin = ConsiderOrigin ? GetDCOrigin() : TPoint{};
    Region.Offset(Origin.X, Origin.Y);
    pg::SelectClipRgn(Handle(), Region.Handle());
    Region.Offset(-Origin.X, -Origin.Y);
}

namespace {

// The desktop's context without clipping: the whole screen surface.
class TScreenCanvas : public TCanvas {
public:
    // The context is made at once, so that the drawing layer's tables, which its release at
    // exit needs, are made before this lives and are gone only after it.
    TScreenCanvas() { Handle(); }
    ~TScreenCanvas() override {
        const HDC DC = HandleAllocated() ? Handle() : pg::NullDC;
        SetHandle(pg::NullDC);
        if (DC != pg::NullDC) pg::DeleteDC(DC);
    }

protected:
    void CreateHandle() override { SetHandle(pg::CreateSurfaceDC(pg::ScreenSurface())); }
};

} // namespace

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(std::make_unique<TScreenCanvas>()) {}

TcxScreenCanvas::~TcxScreenCanvas() = default;

TcxScreenCanvas& cxScreenCanvas() {
    static TcxScreenCanvas Canvas;
    return Canvas;
}

bool cxGetTextExtentPoint(HDC DC, const std::string& Text, TSize& Size, int Length) {
    const int Count = Length < 0 ? static_cast<int>(Text.size()) : Length;
    return pg::GetTextExtentPoint32(DC, Text.c_str(), Count, &Size) != 0;
}

int cxDrawText(HDC DC, const std::string& Text, TRect& R, unsigned Format, int Length) {
    return pg::DrawText(DC, Text.c_str(), Length, &R, Format);
}

bool cxExtTextOut(HDC DC, const TPoint& P, unsigned Options, const TRect& R,
                  const std::string& Text, int Length) {
    const int Count = Length < 0 ? static_cast<int>(Text.size()) : Length;
    return pg::ExtTextOut(DC, P.X, P.Y, Options, &R, Text.c_str(), Count, nullptr) != 0;
}

} // namespace toolkit::base
