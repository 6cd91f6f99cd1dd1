#include "platform/win/icons.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <map>

namespace platform::win {

namespace {

struct IconTable {
    std::map<HICON, QImage> icons;
    std::uintptr_t next = 0x20000; // above every stock id
};

IconTable& Table() {
    static IconTable table;
    return table;
}

bool IsStock(HICON icon) {
    return static_cast<std::uintptr_t>(icon) == static_cast<std::uintptr_t>(IDI_APPLICATION);
}

// The stock program picture, 32 pixels square: a window frame, its caption bar and a white
// client area, on a transparent ground.
QImage ApplicationPicture() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(2, 4, 28, 24, QColor(0, 0, 0));
    painter.fillRect(3, 5, 26, 22, QColor(255, 255, 255));
    painter.fillRect(3, 5, 26, 6, QColor(0, 0, 128));
    painter.fillRect(24, 6, 4, 4, QColor(192, 192, 192));
    return image;
}

const QImage* Find(HICON icon) {
    if (IsStock(icon)) {
        static const QImage stock = ApplicationPicture();
        return &stock;
    }
    auto found = Table().icons.find(icon);
    return found == Table().icons.end() ? nullptr : &found->second;
}

HICON Add(QImage image) {
    IconTable& table = Table();
    const auto icon = static_cast<HICON>(table.next++);
    table.icons.emplace(icon, std::move(image));
    return icon;
}

QImage Scaled(const QImage& image, int cx, int cy) {
    const int width = cx > 0 ? cx : image.width();
    const int height = cy > 0 ? cy : image.height();
    if (width == image.width() && height == image.height()) return image;
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
    if (info == nullptr) return NullIcon;
    const gdi::Surface* color = gdi::BitmapSurface(info->hbmColor);
    if (color == nullptr) return NullIcon;
    const gdi::Surface* mask = gdi::BitmapSurface(info->hbmMask);
    QImage image(color->Width(), color->Height(), QImage::Format_ARGB32);
    for (int y = 0; y < color->Height(); ++y)
        for (int x = 0; x < color->Width(); ++x) {
            const bool transparent =
                mask && mask->Contains(x, y) && gdi::IsLightPixel(mask->Pixel(x, y) & 0xFFFFFF);
            image.setPixel(x, y,
                           transparent ? 0u : (0xFF000000u | (color->Pixel(x, y) & 0xFFFFFF)));
        }
    return Add(std::move(image));
}

HICON LoadIcon(int id) {
    return id == IDI_APPLICATION ? static_cast<HICON>(static_cast<std::uintptr_t>(id)) : NullIcon;
}

BOOL DestroyIcon(HICON icon) {
    return Table().icons.erase(icon) != 0;
}

gdi::TSize IconSize(HICON icon) {
    const QImage* image = Find(icon);
    return image ? gdi::TSize{image->width(), image->height()} : gdi::TSize{0, 0};
}

HICON CopyImage(HICON icon, UINT type, int cx, int cy, UINT) {
    const QImage* image = Find(icon);
    if (type != IMAGE_ICON || image == nullptr) return NullIcon;
    return Add(Scaled(*image, cx, cy));
}

BOOL DrawIconEx(gdi::HDC dc, int x, int y, HICON icon, int cx, int cy, UINT, gdi::HBRUSH,
                UINT flags) {
    const QImage* found = Find(icon);
    if (found == nullptr || (flags & DI_NORMAL) == 0) return 0;
    const QImage image = Scaled(*found, cx, cy);
    for (int j = 0; j < image.height(); ++j)
        for (int i = 0; i < image.width(); ++i) {
            const QRgb p = image.pixel(i, j);
            const int alpha = qAlpha(p);
            if ((flags & DI_NORMAL) == DI_MASK) {
                gdi::SetPixelV(dc, x + i, y + j, alpha < 128 ? gdi::RGB(255, 255, 255) : 0);
                continue;
            }
            if ((flags & DI_NORMAL) == DI_IMAGE || alpha == 255) {
                gdi::SetPixelV(dc, x + i, y + j, gdi::RGB(qRed(p), qGreen(p), qBlue(p)));
                continue;
            }
            if (alpha == 0) continue;
            const gdi::COLORREF under = gdi::GetPixel(dc, x + i, y + j);
            if (under == gdi::CLR_INVALID) continue;
            const auto mix = [alpha](int top, int bottom) {
                return (top * alpha + bottom * (255 - alpha) + 127) / 255;
            };
            gdi::SetPixelV(dc, x + i, y + j,
                           gdi::RGB(mix(qRed(p), gdi::GetRValue(under)),
                                    mix(qGreen(p), gdi::GetGValue(under)),
                                    mix(qBlue(p), gdi::GetBValue(under))));
        }
    return 1;
}

QImage IconImage(HICON icon) {
    const QImage* image = Find(icon);
    return image ? *image : QImage();
}

} // namespace platform::win
