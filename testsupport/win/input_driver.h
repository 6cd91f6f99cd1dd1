#pragma once
// Test drivers: a user's clicks, drags, wheel turns and keys made as Qt events and sent to the
// window's widget, so that they pass the translator as real input does; after each, the queue
// is dispatched until idle (unless a modal loop runs: it dispatches itself, or HoldDispatch is
// set). Screen coordinates.

#include "platform/gdi/colors.h"
#include "platform/win/messages.h"

#include <QString>
#include <Qt>

#include <string>

namespace testsupport {

class InputDriver {
public:
    using TPoint = platform::win::TPoint;

    void MoveTo(TPoint screen);
    void Press(TPoint screen, Qt::MouseButton button = Qt::LeftButton);
    void Release(TPoint screen, Qt::MouseButton button = Qt::LeftButton);
    void Click(TPoint screen, Qt::MouseButton button = Qt::LeftButton);
    void Drag(TPoint from, TPoint to, Qt::MouseButton button = Qt::LeftButton);
    // Notches of 120.
    void Wheel(TPoint screen, int delta);

    // Keys by the program's virtual-key codes (VK_*, 'A'..'Z', '0'..'9'), as tests above the
    // window layer name them: each goes to Qt as the key the translator makes that code of.
    // text is what the key types (empty for none); modifiers (VK_SHIFT, VK_CONTROL, VK_MENU) go
    // down with HoldKey of their own.
    void HoldKey(int vk, const QString& text = {});
    void ReleaseKey(int vk);
    void TypeKey(int vk, const QString& text = {});

    // The same by Qt's key codes, for the window layer's own tests, which drive Qt itself, and
    // the bars' tests, which name their keys so still.
    void KeyDown(int qtKey, const QString& text = {});
    void KeyUp(int qtKey);
    void Key(int qtKey, const QString& text = {});

    // While set, input is translated and queued but not dispatched, as when it comes faster
    // than the program takes it (a busy program, a tool that types); PumpUntilIdle takes it.
    bool HoldDispatch = false;
    // While set, input waits at the desktop (Qt's posted events), as input made while the
    // program is busy does, until a loop of the program asks the desktop for it.
    bool LeaveAtDesktop = false;

    // The window manager activates the window's top-level widget, or the application loses
    // the activation.
    void ActivateWindow(platform::win::HWND wnd);
    void DeactivateApplication();
    // The user moves or sizes a top-level window through the window manager's frame.
    void MoveByWindowManager(platform::win::HWND wnd, platform::win::TRect screenRect);

private:
    void SendMouse(int type, TPoint screen, Qt::MouseButton button);
    // A press or release of qtKey, keypad adding the keypad's modifier to this key alone.
    void SendKey(int type, int qtKey, Qt::KeyboardModifiers keypad, const QString& text);
    Qt::MouseButtons buttons_;
    Qt::KeyboardModifiers modifiers_;
};

// Dispatches until nothing is left, painting included; Qt's own posted events too.
void PumpUntilIdle();
// The window as the screen shows it, as a PNG file: its surface with its visible child windows
// composited in their z-order, each inside its parent's client area and its window region.
// False when it cannot be written.
bool SaveWindowPng(platform::win::HWND wnd, const std::string& path);
// What the screen shows at a point: the visible top-level windows from the bottom of the
// z-order up, each as SaveWindowPng pictures it (inside its window region), laid over what lies
// beneath by its layered attributes (a constant alpha, a colour key) or by the per-pixel alpha
// of the picture UpdateLayeredWindow gave it; black where no window is.
platform::gdi::COLORREF ScreenPixel(platform::win::TPoint screen);

} // namespace testsupport
