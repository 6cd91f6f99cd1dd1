#include "testsupport/win/input_driver.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/host_widget.h"
#include "platform/win/input_state.h"
#include "platform/win/input_translator.h"
#include "platform/win/layered_windows.h"
#include "platform/win/modal_loop.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace testsupport {

using namespace platform::win;
namespace core = platform::core;
namespace gdi = platform::gdi;

namespace {

// The top-level widget that the window system would give the event to; NullHWnd when none.
HWND HostAt(TPoint screen) {
    TRect rect;
    if (HWND capture = GetCapture(); GetWindowRect(capture, &rect))
        return GetAncestor(capture, GA_ROOT);
    for (HWND top : TopLevelWindows())
        if (IsWindowVisible(top) && GetWindowRect(top, &rect) && gdi::PtInRect(rect, screen))
            return top;
    return GetActiveWindow();
}

HWND KeyboardHost() {
    HWND active = GetActiveWindow();
    if (TRect rect; GetWindowRect(active, &rect)) return active;
    auto tops = TopLevelWindows();
    return tops.empty() ? NullHWnd : tops.front();
}

void Deliver(HWND host, QEvent& event, bool dispatch, bool leaveAtDesktop) {
    QWidget* widget = HostWidgetOf(host);
    if (widget && leaveAtDesktop) {
        // Qt takes the copy over.
        QCoreApplication::postEvent(widget, event.clone());
        return;
    }
    if (widget) {
        QCoreApplication::sendEvent(widget, &event);
    } else {
        TranslateQtEvent(host, &event);
    }
    if (dispatch && ModalLoopDepth() == 0) PumpUntilIdle();
}

Qt::KeyboardModifier ModifierOf(int key) {
    switch (key) {
    case Qt::Key_Shift:
        return Qt::ShiftModifier;
    case Qt::Key_Control:
        return Qt::ControlModifier;
    case Qt::Key_Alt:
        return Qt::AltModifier;
    default:
        return Qt::NoModifier;
    }
}

// The Qt key that the translator makes vk of, with the keypad's modifier for the keypad's keys;
// 0 for a code no key makes.
std::pair<int, Qt::KeyboardModifiers> QtKeyOf(int vk) {
    if (vk >= 'A' && vk <= 'Z') return {Qt::Key_A + (vk - 'A'), {}};
    if (vk >= '0' && vk <= '9') return {Qt::Key_0 + (vk - '0'), {}};
    if (vk >= VK_F1 && vk <= VK_F24) return {Qt::Key_F1 + (vk - VK_F1), {}};
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return {Qt::Key_0 + (vk - VK_NUMPAD0), Qt::KeypadModifier};
    static const std::pair<int, int> keys[] = {
        {VK_ESCAPE, Qt::Key_Escape},
        {VK_TAB, Qt::Key_Tab},
        {VK_BACK, Qt::Key_Backspace},
        {VK_RETURN, Qt::Key_Return},
        {VK_INSERT, Qt::Key_Insert},
        {VK_DELETE, Qt::Key_Delete},
        {VK_PAUSE, Qt::Key_Pause},
        {VK_SNAPSHOT, Qt::Key_Print},
        {VK_CLEAR, Qt::Key_Clear},
        {VK_HOME, Qt::Key_Home},
        {VK_END, Qt::Key_End},
        {VK_LEFT, Qt::Key_Left},
        {VK_UP, Qt::Key_Up},
        {VK_RIGHT, Qt::Key_Right},
        {VK_DOWN, Qt::Key_Down},
        {VK_PRIOR, Qt::Key_PageUp},
        {VK_NEXT, Qt::Key_PageDown},
        {VK_SHIFT, Qt::Key_Shift},
        {VK_LSHIFT, Qt::Key_Shift},
        {VK_CONTROL, Qt::Key_Control},
        {VK_LCONTROL, Qt::Key_Control},
        {VK_MENU, Qt::Key_Alt},
        {VK_LMENU, Qt::Key_Alt},
        {VK_RMENU, Qt::Key_AltGr},
        {VK_LWIN, Qt::Key_Meta},
        {VK_CAPITAL, Qt::Key_CapsLock},
        {VK_NUMLOCK, Qt::Key_NumLock},
        {VK_SCROLL, Qt::Key_ScrollLock},
        {VK_APPS, Qt::Key_Menu},
        {VK_HELP, Qt::Key_Help},
        {VK_SPACE, Qt::Key_Space},
        {VK_OEM_1, Qt::Key_Semicolon},
        {VK_OEM_PLUS, Qt::Key_Plus},
        {VK_OEM_COMMA, Qt::Key_Comma},
        {VK_OEM_MINUS, Qt::Key_Minus},
        {VK_OEM_PERIOD, Qt::Key_Period},
        {VK_OEM_2, Qt::Key_Slash},
        {VK_OEM_3, Qt::Key_QuoteLeft},
        {VK_OEM_4, Qt::Key_BracketLeft},
        {VK_OEM_5, Qt::Key_Backslash},
        {VK_MULTIPLY, Qt::Key_Asterisk},
        {VK_ADD, Qt::Key_Plus},
        {VK_SUBTRACT, Qt::Key_Minus},
        {VK_DECIMAL, Qt::Key_Period},
        {VK_DIVIDE, Qt::Key_Slash},
    };
    for (const auto& [code, key] : keys) {
        if (code != vk) continue;
        const bool keypad = vk == VK_MULTIPLY || vk == VK_ADD || vk == VK_SUBTRACT ||
                            vk == VK_DECIMAL || vk == VK_DIVIDE;
        return {key, keypad ? Qt::KeypadModifier : Qt::NoModifier};
    }
    return {0, {}};
}

} // namespace

void InputDriver::SendMouse(int type, TPoint screen, Qt::MouseButton button) {
    HWND host = HostAt(screen);
    QPointF global(screen.X, screen.Y);
    QPointF local = global;
    if (TRect rect; GetWindowRect(host, &rect))
        local = QPointF(screen.X - rect.Left, screen.Y - rect.Top);
    QMouseEvent event(static_cast<QEvent::Type>(type), local, local, global, button, buttons_,
                      modifiers_);
    Deliver(host, event, !HoldDispatch, LeaveAtDesktop);
}

void InputDriver::MoveTo(TPoint screen) {
    SendMouse(QEvent::MouseMove, screen, Qt::NoButton);
}

void InputDriver::Press(TPoint screen, Qt::MouseButton button) {
    buttons_ |= button;
    SendMouse(QEvent::MouseButtonPress, screen, button);
}

void InputDriver::Release(TPoint screen, Qt::MouseButton button) {
    buttons_ &= ~Qt::MouseButtons(button);
    SendMouse(QEvent::MouseButtonRelease, screen, button);
}

void InputDriver::Click(TPoint screen, Qt::MouseButton button) {
    MoveTo(screen);
    Press(screen, button);
    Release(screen, button);
}

void InputDriver::Drag(TPoint from, TPoint to, Qt::MouseButton button) {
    MoveTo(from);
    Press(from, button);
    MoveTo({(from.X + to.X) / 2, (from.Y + to.Y) / 2});
    MoveTo(to);
    Release(to, button);
}

void InputDriver::Wheel(TPoint screen, int delta) {
    HWND host = HostAt(screen);
    QPointF global(screen.X, screen.Y);
    QWheelEvent event(global, global, QPoint(), QPoint(0, delta), buttons_, modifiers_,
                      Qt::NoScrollPhase, false);
    Deliver(host, event, !HoldDispatch, LeaveAtDesktop);
}

void InputDriver::KeyDown(int qtKey, const QString& text) {
    SendKey(QEvent::KeyPress, qtKey, {}, text);
}

void InputDriver::KeyUp(int qtKey) {
    SendKey(QEvent::KeyRelease, qtKey, {}, {});
}

void InputDriver::HoldKey(int vk, const QString& text) {
    const auto [key, keypad] = QtKeyOf(vk);
    SendKey(QEvent::KeyPress, key, keypad, text);
}

void InputDriver::ReleaseKey(int vk) {
    const auto [key, keypad] = QtKeyOf(vk);
    SendKey(QEvent::KeyRelease, key, keypad, {});
}

void InputDriver::TypeKey(int vk, const QString& text) {
    HoldKey(vk, text);
    ReleaseKey(vk);
}

void InputDriver::SendKey(int type, int qtKey, Qt::KeyboardModifiers keypad, const QString& text) {
    if (type == QEvent::KeyPress)
        modifiers_ |= ModifierOf(qtKey);
    else
        modifiers_ &= ~Qt::KeyboardModifiers(ModifierOf(qtKey));
    QKeyEvent event(static_cast<QEvent::Type>(type), qtKey, modifiers_ | keypad, text);
    Deliver(KeyboardHost(), event, !HoldDispatch, LeaveAtDesktop);
}

void InputDriver::Key(int qtKey, const QString& text) {
    KeyDown(qtKey, text);
    KeyUp(qtKey);
}

void InputDriver::ActivateWindow(HWND wnd) {
    QEvent event(QEvent::WindowActivate);
    Deliver(GetAncestor(wnd, GA_ROOT), event, !HoldDispatch, false);
}

void InputDriver::DeactivateApplication() {
    QEvent event(QEvent::WindowDeactivate);
    Deliver(GetActiveWindow(), event, !HoldDispatch, false);
}

void InputDriver::MoveByWindowManager(HWND wnd, TRect screenRect) {
    QWidget* widget = HostWidgetOf(GetAncestor(wnd, GA_ROOT));
    if (!widget) return;
    widget->setGeometry(screenRect.Left, screenRect.Top, screenRect.Width(), screenRect.Height());
    QCoreApplication::processEvents();
    if (!HoldDispatch && ModalLoopDepth() == 0) PumpUntilIdle();
}

void PumpUntilIdle() {
    do {
        if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents();
    } while (core::ProcessMessages());
}

namespace {

// Paints wnd's visible children, bottom of the z-order first, each with its own children, into
// the picture of the window whose top-left corner on the screen is origin; a child shows only
// inside its parent's client area (and the parent's own clip) and inside its window region.
void PaintChildren(QPainter& painter, HWND wnd, TPoint origin, const QRegion& clip) {
    TRect client;
    TPoint clientOrigin{0, 0};
    if (!GetClientRect(wnd, &client) || !ClientToScreen(wnd, &clientOrigin)) return;
    const QRegion inside = clip.intersected(QRect(
        clientOrigin.X - origin.X, clientOrigin.Y - origin.Y, client.Width(), client.Height()));
    const auto children = ChildWindows(wnd);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const HWND child = *it;
        TRect rect;
        auto surface = WindowSurface(child);
        if (!(GetWindowLong(child, GWL_STYLE) & WS_VISIBLE) || !surface ||
            !GetWindowRect(child, &rect))
            continue;
        const QPoint at(rect.Left - origin.X, rect.Top - origin.Y);
        QRegion shown = inside.intersected(QRect(at, QSize(rect.Width(), rect.Height())));
        gdi::GdiHandle shape(gdi::CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(child, static_cast<gdi::HRGN>(shape.Get())) != gdi::RGN_ERROR) {
            QRegion mask;
            for (const TRect& r : gdi::RegionOf(static_cast<gdi::HRGN>(shape.Get()))->Rects())
                mask += QRect(r.Left, r.Top, r.Width(), r.Height());
            shown = shown.intersected(mask.translated(at));
        }
        if (shown.isEmpty()) continue;
        painter.setClipRegion(shown);
        // As the host widget shows it: opaque.
        painter.drawImage(at, surface->ToImage().convertToFormat(QImage::Format_RGB32));
        PaintChildren(painter, child, origin, shown);
    }
}

// The window with its children as the screen shows it; a null image when it has no surface.
QImage WindowPicture(HWND wnd) {
    auto surface = WindowSurface(wnd);
    TRect rect;
    if (!surface || !GetWindowRect(wnd, &rect)) return {};
    QImage image = surface->ToImage();
    QPainter painter(&image);
    PaintChildren(painter, wnd, rect.TopLeft(), QRegion(image.rect()));
    return image;
}

} // namespace

bool SaveWindowPng(HWND wnd, const std::string& path) {
    const QImage image = WindowPicture(wnd);
    return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

gdi::COLORREF ScreenPixel(TPoint screen) {
    double red = 0, green = 0, blue = 0;
    const auto windows = TopLevelWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const HWND wnd = *it;
        TRect rect;
        if (!IsWindowVisible(wnd) || IsIconic(wnd) || !GetWindowRect(wnd, &rect) ||
            !gdi::PtInRect(rect, screen))
            continue;
        const TPoint at{screen.X - rect.Left, screen.Y - rect.Top};
        gdi::GdiHandle shape(gdi::CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(wnd, static_cast<gdi::HRGN>(shape.Get())) != gdi::RGN_ERROR &&
            !gdi::PtInRegion(static_cast<gdi::HRGN>(shape.Get()), at.X, at.Y))
            continue;
        // Premultiplied source over what lies beneath.
        auto over = [&](double r, double g, double b, double alpha) {
            red = r + red * (1 - alpha);
            green = g + green * (1 - alpha);
            blue = b + blue * (1 - alpha);
        };
        if (const auto picture = LayeredPicture(wnd)) {
            if (!picture->Contains(at.X, at.Y)) continue;
            const gdi::Pixel32 p = picture->Pixel(at.X, at.Y);
            over((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF, ((p >> 24) & 0xFF) / 255.0);
            continue;
        }
        const QImage image = WindowPicture(wnd);
        if (image.isNull() || !image.rect().contains(at.X, at.Y)) continue;
        const QRgb p = image.pixel(at.X, at.Y);
        double alpha = 1;
        gdi::COLORREF key = 0;
        std::uint8_t constant = 255;
        DWORD flags = 0;
        if (GetLayeredWindowAttributes(wnd, &key, &constant, &flags)) {
            if ((flags & LWA_COLORKEY) && gdi::RGB(qRed(p), qGreen(p), qBlue(p)) == key) continue;
            if (flags & LWA_ALPHA) alpha = constant / 255.0;
        }
        over(qRed(p) * alpha, qGreen(p) * alpha, qBlue(p) * alpha, alpha);
    }
    auto channel = [](double v) {
        return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0)));
    };
    return gdi::RGB(channel(red), channel(green), channel(blue));
}

} // namespace testsupport
