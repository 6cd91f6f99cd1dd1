#include "platform/win/cursors.h"

#include "platform/gdi/objects.h"

#include <QBitmap>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <map>
#include <optional>
#include <vector>

namespace platform::win {

namespace {

// What a cursor of our own shows, kept so that its image can be read back.
struct OwnCursor {
    QCursor cursor;
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    // Per pixel, row by row: true where the cursor leaves the screen.
    std::vector<bool> andPlane;
    // A two-plane cursor's XOR bits; empty for a colour cursor.
    std::vector<bool> xorPlane;
    // A colour cursor's pixels, 0xRRGGBB.
    std::vector<std::uint32_t> colors;
};

struct CursorTable {
    std::map<HCURSOR, OwnCursor> own;
    std::map<int, HCURSOR> screen;
    std::uintptr_t next = 0x10000; // above every stock id
    HCURSOR current{};
    bool overriding = false;
};

CursorTable& Table() {
    static CursorTable table;
    return table;
}

std::optional<Qt::CursorShape> StockShape(int id) {
    switch (id) {
    case IDC_ARROW:
        return Qt::ArrowCursor;
    case IDC_IBEAM:
        return Qt::IBeamCursor;
    case IDC_WAIT:
        return Qt::WaitCursor;
    case IDC_CROSS:
        return Qt::CrossCursor;
    case IDC_UPARROW:
        return Qt::UpArrowCursor;
    case IDC_SIZENWSE:
        return Qt::SizeFDiagCursor;
    case IDC_SIZENESW:
        return Qt::SizeBDiagCursor;
    case IDC_SIZEWE:
        return Qt::SizeHorCursor;
    case IDC_SIZENS:
        return Qt::SizeVerCursor;
    case IDC_SIZEALL:
        return Qt::SizeAllCursor;
    case IDC_NO:
        return Qt::ForbiddenCursor;
    case IDC_HAND:
        return Qt::PointingHandCursor;
    case IDC_APPSTARTING:
        return Qt::BusyCursor;
    case IDC_HELP:
        return Qt::WhatsThisCursor;
    default:
        return std::nullopt;
    }
}

// The class library's own numbers for the stock cursors.
HCURSOR DefaultScreenCursor(int number) {
    switch (number) {
    case -3:
        return LoadCursor(IDC_CROSS);
    case -4:
        return LoadCursor(IDC_IBEAM);
    case -6:
        return LoadCursor(IDC_SIZENESW);
    case -7:
        return LoadCursor(IDC_SIZENS);
    case -8:
        return LoadCursor(IDC_SIZENWSE);
    case -9:
        return LoadCursor(IDC_SIZEWE);
    case -10:
        return LoadCursor(IDC_UPARROW);
    case -11:
        return LoadCursor(IDC_WAIT);
    case -18:
        return LoadCursor(IDC_NO);
    case -19:
        return LoadCursor(IDC_APPSTARTING);
    case -20:
        return LoadCursor(IDC_HELP);
    case -21:
        return LoadCursor(IDC_HAND);
    case -22:
        return LoadCursor(IDC_SIZEALL);
    default:
        return LoadCursor(IDC_ARROW);
    }
}

} // namespace

HCURSOR LoadCursor(int id) {
    return StockShape(id) ? static_cast<HCURSOR>(id) : NullCursor;
}

HCURSOR CreateCursorFromImage(const QImage& image, int hotX, int hotY) {
    OwnCursor own;
    own.cursor = QCursor(QPixmap::fromImage(image), hotX, hotY);
    own.width = image.width();
    own.height = image.height();
    own.hotX = hotX;
    own.hotY = hotY;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            own.andPlane.push_back(qAlpha(p) == 0);
            own.colors.push_back(qAlpha(p) == 0 ? 0u : (p & 0xFFFFFFu));
        }
    auto& t = Table();
    HCURSOR handle{t.next++};
    t.own.emplace(handle, std::move(own));
    return handle;
}

namespace {

bool PlaneBit(const void* plane, int width, int x, int y) {
    const int rowBytes = (width + 15) / 16 * 2;
    const auto* bytes = static_cast<const std::uint8_t*>(plane);
    return (bytes[static_cast<std::size_t>(y) * rowBytes + x / 8] >> (7 - x % 8)) & 1;
}

// Bits of a picture as Qt's monochrome images take them: rows padded to a byte, high bit first.
QBitmap MonoBitmap(int width, int height, const std::vector<bool>& bits) {
    const int rowBytes = (width + 7) / 8;
    std::vector<uchar> data(static_cast<std::size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (bits[static_cast<std::size_t>(y) * width + x])
                data[static_cast<std::size_t>(y) * rowBytes + x / 8] |=
                    static_cast<uchar>(0x80 >> (x % 8));
    return QBitmap::fromData(QSize(width, height), data.data(), QImage::Format_Mono);
}

// Bits as our bitmaps take them: rows padded to 16 bits, high bit first.
std::vector<std::uint8_t> BitmapBits(int width, const std::vector<bool>& bits) {
    const int rowBytes = (width + 15) / 16 * 2;
    const int height = width > 0 ? static_cast<int>(bits.size()) / width : 0;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (bits[static_cast<std::size_t>(y) * width + x])
                data[static_cast<std::size_t>(y) * rowBytes + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
    return data;
}

} // namespace

HCURSOR CreateCursor(int hotX, int hotY, int width, int height, const void* andPlane,
                     const void* xorPlane) {
    if (width <= 0 || height <= 0 || andPlane == nullptr || xorPlane == nullptr) return NullCursor;
    OwnCursor own;
    own.width = width;
    own.height = height;
    own.hotX = hotX;
    own.hotY = hotY;
    // Qt's two bitmaps: set in the mask where the cursor shows; in the picture where it is
    // black, or inverts the screen.
    std::vector<bool> picture, mask;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool a = PlaneBit(andPlane, width, x, y), o = PlaneBit(xorPlane, width, x, y);
            own.andPlane.push_back(a);
            own.xorPlane.push_back(o);
            picture.push_back(a == o);
            mask.push_back(!a);
        }
    own.cursor =
        QCursor(MonoBitmap(width, height, picture), MonoBitmap(width, height, mask), hotX, hotY);
    auto& t = Table();
    HCURSOR handle{t.next++};
    t.own.emplace(handle, std::move(own));
    return handle;
}

BOOL GetIconInfo(HCURSOR cursor, ICONINFO* info) {
    if (info == nullptr) return 0;
    auto& own = Table().own;
    const auto it = own.find(cursor);
    if (it == own.end()) return 0;
    const OwnCursor& c = it->second;
    info->fIcon = 0;
    info->xHotspot = static_cast<DWORD>(c.hotX);
    info->yHotspot = static_cast<DWORD>(c.hotY);
    std::vector<bool> mask = c.andPlane;
    mask.insert(mask.end(), c.xorPlane.begin(), c.xorPlane.end());
    const int maskHeight = c.xorPlane.empty() ? c.height : 2 * c.height;
    const std::vector<std::uint8_t> bits = BitmapBits(c.width, mask);
    info->hbmMask = gdi::CreateBitmap(c.width, maskHeight, 1, 1, bits.data());
    info->hbmColor = c.colors.empty()
                         ? gdi::HBITMAP{}
                         : gdi::CreateBitmap(c.width, c.height, 1, 32, c.colors.data());
    return 1;
}

HCURSOR CreateCursorFromPixels(int width, int height, const std::uint32_t* argb, int hotX,
                               int hotY) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, argb[static_cast<std::size_t>(y) * width + x]);
    return CreateCursorFromImage(image, hotX, hotY);
}

bool DestroyCursor(HCURSOR cursor) {
    return Table().own.erase(cursor) > 0;
}

QCursor QtCursorOf(HCURSOR cursor) {
    if (cursor == NullCursor) return QCursor(Qt::BlankCursor);
    if (auto shape = StockShape(static_cast<int>(cursor))) return QCursor(*shape);
    auto& own = Table().own;
    auto it = own.find(cursor);
    return it == own.end() ? QCursor(Qt::ArrowCursor) : it->second.cursor;
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& t = Table();
    HCURSOR previous = t.current;
    if (cursor == previous && t.overriding) return previous;
    t.current = cursor;
    // One cursor for the whole screen, as on the platform: Qt's override cursor.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (t.overriding) {
            QGuiApplication::changeOverrideCursor(QtCursorOf(cursor));
        } else {
            QGuiApplication::setOverrideCursor(QtCursorOf(cursor));
            t.overriding = true;
        }
    }
    return previous;
}

HCURSOR GetCursor() {
    return Table().current;
}

void SetScreenCursor(int number, HCURSOR cursor) {
    Table().screen[number] = cursor;
}

HCURSOR ScreenCursor(int number) {
    auto& screen = Table().screen;
    auto it = screen.find(number);
    return it == screen.end() ? DefaultScreenCursor(number) : it->second;
}

} // namespace platform::win
