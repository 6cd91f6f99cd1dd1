#pragma once
// The class library's canvas over a device context: TPen, TBrush and TFont describe the drawing
// objects and make their handles on demand (kept until a property changes); the canvas selects
// them into its context before each operation that needs them, sets the background from the
// brush and the text colour from the font, and reports OnChanging and OnChange around every
// drawing operation.

#include "platform/core/object.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"

#include <string>
#include <vector>

namespace platform::gdi {

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum class TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
// A set of font styles as bits.
using TFontStyles = unsigned;
inline constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

// Owns one drawing-object handle.
class GdiHandle {
public:
    GdiHandle() = default;
    explicit GdiHandle(HGDIOBJ handle) : handle_(handle) {}
    ~GdiHandle() { Reset(); }
    GdiHandle(const GdiHandle&) = delete;
    GdiHandle& operator=(const GdiHandle&) = delete;
    HGDIOBJ Get() const { return handle_; }
    explicit operator bool() const { return handle_ != NullObject; }
    void Reset(HGDIOBJ handle = NullObject) {
        if (handle_ != NullObject) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    HGDIOBJ handle_{};
};

class TGraphicsObject : public core::TObject {
public:
    core::TNotifyEvent OnChange;

protected:
    void Changed();
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);
    // Made on the first request, kept until a property changes.
    HPEN Handle();
    void Assign(const TPen& source);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    TPenMode mode_ = TPenMode::pmCopy;
    GdiHandle handle_;
};

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);
    // A pattern bitmap (not owned); while set it takes the place of colour and style.
    HBITMAP Bitmap() const { return bitmap_; }
    void SetBitmap(HBITMAP value);
    HBRUSH Handle();
    void Assign(const TBrush& source);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    HBITMAP bitmap_{};
    GdiHandle handle_;
};

class TFont : public TGraphicsObject {
public:
    TFont();
    std::string Name() const { return name_; }
    void SetName(const std::string& value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height_; }
    void SetHeight(int value);
    // Points at PixelsPerInch: Size = -Height * 72 / PixelsPerInch, rounded.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    std::uint8_t Charset() const { return charset_; }
    void SetCharset(std::uint8_t value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    HFONT Handle();
    // Takes a font the caller made (the font owns it from now on): the properties are read from
    // it, and so are what the properties do not name, its escapement, orientation and output
    // precision, which every handle made from this font keeps until another is taken.
    void SetHandle(HFONT value);
    // Tenths of a degree, counter-clockwise; 0 unless a turned font was taken.
    int Escapement() const { return escapement_; }
    void Assign(const TFont& source);

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    std::uint8_t charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = TFontPitch::fpDefault;
    int pixelsPerInch_ = 96;
    int escapement_ = 0;
    int orientation_ = 0;
    std::uint8_t outPrecision_ = 0;
    GdiHandle handle_;
};

class TCanvas : public core::TObject {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The context; a canvas with none asks CreateHandle for one.
    HDC Handle();
    // Takes a context (not owned; the caller frees it after handing in NullDC or destroying
    // the canvas), or lets go of the current one with NullDC.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != NullDC; }

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD value) { copyMode_ = value; }
    TPoint PenPos();
    void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
    TRect ClipRect();

    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    void DrawFocusRect(const TRect& r);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void LineTo(int x, int y);
    void MoveTo(int x, int y);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    void TextOut(int x, int y, const std::string& text);
    // Text clipped to r, with the cell filled when the brush is not clear.
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // Forgets which objects are selected, so the next operation selects them again.
    void Refresh();
    // Selects the pen, brush or font (with the colours and modes they set) into the context
    // now, for code that draws on Handle() itself; what is already selected stays.
    enum State : unsigned { PenValid = 1, BrushValid = 2, FontValid = 4 };
    void Require(unsigned state);
    void Lock() { ++lockCount_; }
    void Unlock() { --lockCount_; }
    int LockCount() const { return lockCount_; }

    core::TNotifyEvent OnChange;
    core::TNotifyEvent OnChanging;

protected:
    // Called when a context is needed and there is none; a canvas of a window gets its own here.
    virtual void CreateHandle() {}
    void Changing();
    void Changed();

private:
    void Deselect();

    HDC dc_{};
    unsigned state_ = 0;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    DWORD copyMode_ = SRCCOPY;
    int lockCount_ = 0;
};

} // namespace platform::gdi
