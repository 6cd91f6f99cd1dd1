#include "platform/gdi/canvas.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/text_out.h"

#include <cmath>

namespace platform::gdi {

namespace {

int PenModeToRop2(TPenMode mode) {
    static constexpr int table[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return table[static_cast<int>(mode)];
}

int MulDivRound(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

} // namespace

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

void TPen::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    handle_.Reset();
    Changed();
}
void TPen::SetWidth(int value) {
    if (value == width_) return;
    width_ = value;
    handle_.Reset();
    Changed();
}
void TPen::SetStyle(TPenStyle value) {
    if (value == style_) return;
    style_ = value;
    handle_.Reset();
    Changed();
}
void TPen::SetMode(TPenMode value) {
    if (value == mode_) return;
    mode_ = value;
    Changed();
}
HPEN TPen::Handle() {
    if (!handle_) handle_.Reset(CreatePen(static_cast<UINT>(style_), width_, ColorToRGB(color_)));
    return handle_.Get();
}
void TPen::Assign(const TPen& source) {
    color_ = source.color_;
    width_ = source.width_;
    style_ = source.style_;
    mode_ = source.mode_;
    handle_.Reset();
    Changed();
}

void TBrush::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    // A colour makes a clear brush solid again, as the class library does.
    if (style_ == TBrushStyle::bsClear) style_ = TBrushStyle::bsSolid;
    handle_.Reset();
    Changed();
}
void TBrush::SetStyle(TBrushStyle value) {
    if (value == style_) return;
    style_ = value;
    handle_.Reset();
    Changed();
}
void TBrush::SetBitmap(HBITMAP value) {
    if (value == bitmap_) return;
    bitmap_ = value;
    handle_.Reset();
    Changed();
}
HBRUSH TBrush::Handle() {
    if (!handle_) {
        if (bitmap_ != NullObject)
            handle_.Reset(CreatePatternBrush(bitmap_));
        else if (style_ == TBrushStyle::bsSolid)
            handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
        else if (style_ == TBrushStyle::bsClear)
            handle_.Reset(CreateBrushIndirect({BS_NULL, 0, 0}));
        else
            handle_.Reset(CreateHatchBrush(static_cast<int>(style_) - 2, ColorToRGB(color_)));
    }
    return handle_.Get();
}
void TBrush::Assign(const TBrush& source) {
    color_ = source.color_;
    style_ = source.style_;
    bitmap_ = source.bitmap_;
    handle_.Reset();
    Changed();
}

TFont::TFont() = default;

void TFont::SetName(const std::string& value) {
    if (value == name_) return;
    name_ = value;
    handle_.Reset();
    Changed();
}
void TFont::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    handle_.Reset();
    Changed();
}
int TFont::Size() const {
    return -MulDivRound(height_, 72, pixelsPerInch_);
}
void TFont::SetSize(int value) {
    SetHeight(-MulDivRound(value, pixelsPerInch_, 72));
}
void TFont::SetStyle(TFontStyles value) {
    if (value == style_) return;
    style_ = value;
    handle_.Reset();
    Changed();
}
void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}
void TFont::SetCharset(std::uint8_t value) {
    if (value == charset_) return;
    charset_ = value;
    handle_.Reset();
    Changed();
}
void TFont::SetPitch(TFontPitch value) {
    if (value == pitch_) return;
    pitch_ = value;
    handle_.Reset();
    Changed();
}
HFONT TFont::Handle() {
    if (!handle_) {
        LOGFONT lf;
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = charset_;
        // DEFAULT_PITCH 0, FIXED_PITCH 1, VARIABLE_PITCH 2.
        lf.lfPitchAndFamily = pitch_ == TFontPitch::fpFixed      ? 1
                              : pitch_ == TFontPitch::fpVariable ? 2
                                                                 : 0;
        lf.lfEscapement = escapement_;
        lf.lfOrientation = orientation_;
        lf.lfOutPrecision = outPrecision_;
        SetFaceName(lf, name_);
        handle_.Reset(CreateFontIndirect(lf));
    }
    return handle_.Get();
}
void TFont::SetHandle(HFONT value) {
    LOGFONT lf;
    if (value == HFONT{} || GetObject(value, sizeof lf, &lf) != static_cast<int>(sizeof lf)) {
        handle_.Reset(value);
        Changed();
        return;
    }
    name_ = lf.lfFaceName;
    height_ = lf.lfHeight;
    style_ = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
             (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0);
    charset_ = lf.lfCharSet;
    pitch_ = (lf.lfPitchAndFamily & 3) == 1   ? TFontPitch::fpFixed
             : (lf.lfPitchAndFamily & 3) == 2 ? TFontPitch::fpVariable
                                              : TFontPitch::fpDefault;
    escapement_ = lf.lfEscapement;
    orientation_ = lf.lfOrientation;
    outPrecision_ = lf.lfOutPrecision;
    handle_.Reset(value);
    Changed();
}
void TFont::Assign(const TFont& source) {
    name_ = source.name_;
    height_ = source.height_;
    style_ = source.style_;
    color_ = source.color_;
    charset_ = source.charset_;
    pitch_ = source.pitch_;
    pixelsPerInch_ = source.pixelsPerInch_;
    escapement_ = source.escapement_;
    orientation_ = source.orientation_;
    outPrecision_ = source.outPrecision_;
    handle_.Reset();
    Changed();
}

TCanvas::TCanvas() {
    pen_.OnChange = [this](core::TObject*) { state_ &= ~PenValid; };
    brush_.OnChange = [this](core::TObject*) { state_ &= ~BrushValid; };
    font_.OnChange = [this](core::TObject*) { state_ &= ~FontValid; };
}

TCanvas::~TCanvas() {
    Deselect();
}

HDC TCanvas::Handle() {
    if (dc_ == NullDC) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    Deselect();
    dc_ = dc;
}

void TCanvas::Deselect() {
    if (dc_ != NullDC && state_) {
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
        SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    }
    state_ = 0;
}

void TCanvas::Refresh() {
    Deselect();
}

void TCanvas::Require(unsigned wanted) {
    HDC dc = Handle();
    if (dc == NullDC) return;
    unsigned missing = wanted & ~state_;
    if (missing & PenValid) {
        SelectObject(dc, pen_.Handle());
        SetROP2(dc, PenModeToRop2(pen_.Mode()));
    }
    if (missing & BrushValid) {
        SelectObject(dc, brush_.Handle());
        SetBkColor(dc, ColorToRGB(brush_.Color()));
        SetBkMode(dc, brush_.Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
    }
    if (missing & FontValid) {
        SelectObject(dc, font_.Handle());
        SetTextColor(dc, ColorToRGB(font_.Color()));
    }
    state_ |= missing;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
    TPoint p;
    GetCurrentPositionEx(Handle(), &p);
    return p;
}

TRect TCanvas::ClipRect() {
    TRect r;
    GetClipBox(Handle(), &r);
    return r;
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    Require(PenValid | BrushValid);
    gdi::Arc(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    Require(PenValid | BrushValid);
    gdi::Chord(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    Require(PenValid | BrushValid);
    gdi::Pie(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    Changing();
    Require(BrushValid | FontValid);
    source.Require(BrushValid | FontValid);
    StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), source.dc_, sourceRect.Left,
               sourceRect.Top, sourceRect.Width(), sourceRect.Height(), copyMode_);
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Changing();
    Require(BrushValid);
    gdi::DrawFocusRect(dc_, &r);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Changing();
    Require(PenValid | BrushValid);
    gdi::Ellipse(dc_, x1, y1, x2, y2);
    Changed();
}

void TCanvas::FillRect(const TRect& r) {
    Changing();
    Require(BrushValid);
    gdi::FillRect(dc_, &r, brush_.Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    Changing();
    Require(BrushValid);
    gdi::FrameRect(dc_, &r, brush_.Handle());
    Changed();
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    Require(PenValid | BrushValid);
    gdi::LineTo(dc_, x, y);
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    Require(0);
    MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    Changing();
    Require(PenValid | BrushValid);
    gdi::Polygon(dc_, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    Changing();
    Require(PenValid | BrushValid);
    gdi::Polyline(dc_, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    Require(PenValid | BrushValid);
    gdi::Rectangle(dc_, x1, y1, x2, y2);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    Changing();
    Require(PenValid | BrushValid);
    gdi::RoundRect(dc_, x1, y1, x2, y2, x3, y3);
    Changed();
}

TColor TCanvas::Pixel(int x, int y) {
    Require(0);
    return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    Changing();
    Require(PenValid);
    gdi::SetPixel(dc_, x, y, ColorToRGB(color));
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    Require(FontValid | BrushValid);
    gdi::TextOut(dc_, x, y, text.data(), static_cast<int>(text.size()));
    MoveToEx(dc_, x + TextWidth(text), y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    Changing();
    Require(FontValid | BrushValid);
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
    ExtTextOut(dc_, x, y, options, &r, text.data(), static_cast<int>(text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
    Require(FontValid);
    TSize size;
    GetTextExtentPoint32(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

} // namespace platform::gdi
