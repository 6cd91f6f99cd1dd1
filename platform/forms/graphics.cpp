#include "platform/forms/graphics.h"

#include "platform/core/exception.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"
#include "platform/win/load_image.h"

namespace platform::forms {

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    Release();
}

void TBitmap::Release() {
    canvas_.SetHandle(gdi::NullDC);
    if (dc_ != gdi::NullDC) {
        gdi::SelectObject(dc_, old_);
        gdi::DeleteDC(dc_);
        dc_ = gdi::NullDC;
    }
    if (bitmap_ != gdi::HBITMAP{}) gdi::DeleteObject(bitmap_);
    bitmap_ = {};
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_) return;
    gdi::BITMAPINFO info;
    info.bmiHeader.biWidth = std::max(1, width);
    info.bmiHeader.biHeight = -std::max(1, height);
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    gdi::HBITMAP next = gdi::CreateDIBSection(gdi::NullDC, &info, gdi::DIB_RGB_COLORS, &bits);
    gdi::HDC dc = gdi::CreateCompatibleDC(gdi::NullDC);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, next);
    gdi::PatBlt(dc, 0, 0, std::max(1, width), std::max(1, height), gdi::WHITENESS);
    if (bitmap_ != gdi::HBITMAP{})
        gdi::BitBlt(dc, 0, 0, std::min(width, width_), std::min(height, height_), dc_, 0, 0,
                    gdi::SRCCOPY);
    Release();
    bitmap_ = next;
    dc_ = dc;
    old_ = old;
    width_ = width;
    height_ = height;
    canvas_.SetHandle(dc_);
    canvas_.Refresh();
    if (OnChange) OnChange();
}

gdi::TCanvas& TBitmap::Canvas() {
    if (bitmap_ == gdi::HBITMAP{}) SetSize(std::max(1, width_), std::max(1, height_));
    return canvas_;
}

void TBitmap::LoadFromFile(const std::string& path) {
    gdi::HBITMAP image = win::LoadImage(path, win::IMAGE_BITMAP, 0, 0, win::LR_LOADFROMFILE);
    if (image == gdi::HBITMAP{}) throw core::Exception("Bitmap image is not valid");
    const gdi::Surface& pixels = *gdi::BitmapSurface(image);
    Release();
    width_ = height_ = 0;
    SetSize(pixels.Width(), pixels.Height());
    gdi::Surface* surface = gdi::BitmapSurface(bitmap_);
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            surface->SetPixel(x, y, pixels.Pixel(x, y));
    gdi::DeleteObject(image);
    if (OnChange) OnChange();
}

void TBitmap::Assign(const TBitmap& source) {
    Release();
    width_ = height_ = 0;
    SetSize(source.width_, source.height_);
    if (!source.Empty()) gdi::BitBlt(dc_, 0, 0, width_, height_, source.dc_, 0, 0, gdi::SRCCOPY);
    if (OnChange) OnChange();
}

gdi::TColor TBitmap::TransparentColor() const {
    if (Empty()) return gdi::clNone;
    return static_cast<gdi::TColor>(gdi::GetPixel(dc_, 0, height_ - 1));
}

void TBitmap::Draw(gdi::HDC dc, const gdi::TRect& dest) const {
    if (Empty()) return;
    if (dest.Width() == width_ && dest.Height() == height_)
        gdi::BitBlt(dc, dest.Left, dest.Top, width_, height_, dc_, 0, 0, gdi::SRCCOPY);
    else
        gdi::StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), dc_, 0, 0, width_,
                        height_, gdi::SRCCOPY);
}

void TBitmap::DrawPart(gdi::HDC dc, int x, int y, const gdi::TRect& source,
                       bool transparent) const {
    if (Empty()) return;
    if (!transparent) {
        gdi::BitBlt(dc, x, y, source.Width(), source.Height(), dc_, source.Left, source.Top,
                    gdi::SRCCOPY);
        return;
    }
    const gdi::COLORREF key = gdi::GetPixel(dc_, 0, height_ - 1);
    for (int j = 0; j < source.Height(); ++j)
        for (int i = 0; i < source.Width(); ++i) {
            gdi::COLORREF c = gdi::GetPixel(dc_, source.Left + i, source.Top + j);
            if (c != key) gdi::SetPixelV(dc, x + i, y + j, c);
        }
}

} // namespace platform::forms
