#include "platform/win/load_image.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/surface.h"

#include <QImage>

namespace platform::win {

gdi::HBITMAP LoadImage(const std::string& fileName, UINT type, int cx, int cy, UINT flags) {
    if (type != IMAGE_BITMAP || cx != 0 || cy != 0 || flags != LR_LOADFROMFILE) return {};
    QImage image;
    if (!image.load(QString::fromStdString(fileName)) || image.isNull()) return {};
    image = image.convertToFormat(QImage::Format_RGB32);
    gdi::BITMAPINFO info;
    info.bmiHeader.biWidth = image.width();
    info.bmiHeader.biHeight = -image.height();
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    gdi::HBITMAP bitmap = gdi::CreateDIBSection(gdi::NullDC, &info, gdi::DIB_RGB_COLORS, &bits);
    gdi::Surface* surface = gdi::BitmapSurface(bitmap);
    if (!surface) return {};
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            surface->SetPixel(
                x, y, gdi::ColorToPixel(gdi::RGB(qRed(row[x]), qGreen(row[x]), qBlue(row[x]))));
    }
    return bitmap;
}

} // namespace platform::win
