#include "platform/win/cursors.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <map>
#include <optional>

namespace platform::win {

namespace {

struct CursorTable {
    std::map<HCURSOR, QCursor> own;
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
    auto& t = Table();
    HCURSOR handle{t.next++};
    t.own.emplace(handle, QCursor(QPixmap::fromImage(image), hotX, hotY));
    return handle;
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
    return it == own.end() ? QCursor(Qt::ArrowCursor) : it->second;
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
