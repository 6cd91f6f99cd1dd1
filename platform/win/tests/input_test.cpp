#include "platform/core/message_loop.h"
#include "platform/win/hooks.h"
#include "platform/win/host_widget.h"
#include "platform/win/input_translator.h"
#include "platform/win/keyboard_layout.h"

#include "platform/win/tests/win_test_support.h"
#include <QCoreApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace platform::win::test {
namespace {

class CaptureTest : public WindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CaptureTest, TheReleaseGoesToTheCaptureWindowOrToTheWindowUnderTheCursor) {
    const bool capture = GetParam();
    HWND a = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND b = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(200, 0, 100, 100));
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (capture && h == a && msg == WM_LBUTTONDOWN) SetCapture(a);
        if (h == a && msg == WM_LBUTTONUP) ReleaseCapture();
        return false;
    };
    input.Press({50, 50});
    input.MoveTo({250, 40});
    input.Release({250, 40});

    const std::vector<UINT> mouse{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP};
    auto atA = Got(a, mouse);
    auto atB = Got(b, mouse);
    if (capture) {
        ASSERT_EQ(atA.size(), 3u);
        EXPECT_EQ(atA[1].msg, WM_MOUSEMOVE);
        EXPECT_EQ(LParamToPoint(atA[1].lParam), (TPoint{250, 40})); // outside A, A's coordinates
        EXPECT_EQ(atA[1].wParam & MK_LBUTTON, MK_LBUTTON);
        EXPECT_EQ(atA[2].msg, WM_LBUTTONUP);
        EXPECT_TRUE(atB.empty());
        EXPECT_EQ(GetCapture(), NullHWnd);
        EXPECT_EQ(Got(a, {WM_CAPTURECHANGED}).size(), 1u);
    } else {
        ASSERT_EQ(atA.size(), 1u);
        ASSERT_EQ(atB.size(), 2u);
        EXPECT_EQ(atB[1].msg, WM_LBUTTONUP);
        EXPECT_EQ(LParamToPoint(atB[1].lParam), (TPoint{50, 40}));
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutCapture, CaptureTest, ::testing::Bool(),
                         [](const auto& info) {
                             return std::string(info.param ? "WithCapture" : "WithoutCapture");
                         });

using MouseTest = WindowTest;

// Qt gives the moves of a held button and its release to the widget that got the press, and
// drops them once that widget is gone (a bar that leaves its dock site mid-drag for a window of
// its own); the capture window takes them all the same. The events come to the top-level
// window's QWindow, as the window system delivers them.
TEST_F(MouseTest, TheCaptureKeepsTheHeldButtonsMovesAndReleaseWhenThePressedWindowGoes) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 200, 200));
    HWND child = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(10, 10, 50, 50), top);
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (h == child && msg == WM_LBUTTONDOWN) {
            SetCapture(top);
            DestroyWindow(child);
        }
        if (h == top && msg == WM_LBUTTONUP) ReleaseCapture();
        return false;
    };
    QPointer<QWidget> pressed = HostWidgetOf(child);
    QWindow* window = HostWidgetOf(top)->windowHandle();
    ASSERT_NE(window, nullptr);
    const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButton button,
                          Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, at, at, button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
        PumpUntilIdle();
    };
    send(QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_FALSE(IsWindow(child));
    // As the running program's event loop does soon after.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(pressed.isNull()) << "the pressed window's widget is still there";
    send(QEvent::MouseMove, {150, 120}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {150, 120}, Qt::LeftButton, Qt::NoButton);

    auto got = Got(top, {WM_MOUSEMOVE, WM_LBUTTONUP});
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].msg, WM_MOUSEMOVE);
    EXPECT_EQ(LParamToPoint(got[0].lParam), (TPoint{150, 120}));
    EXPECT_EQ(got[1].msg, WM_LBUTTONUP);
    EXPECT_EQ(GetCapture(), NullHWnd);
    // Nothing of Qt's grab outlives the capture: the next window under the pointer gets it.
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(MouseTest, HitTestAndSetCursorComeBeforeEachMouseMessage) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND child = Create(WS_CHILD | WS_VISIBLE | WS_BORDER, gdi::Bounds(10, 10, 50, 50), top);
    Forget();
    input.MoveTo({30, 30});
    auto got = Got(child, {WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE});
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[got.size() - 2].msg, WM_SETCURSOR);
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(got[got.size() - 2].lParam)), HTCLIENT);
    EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(got[got.size() - 2].lParam)), WM_MOUSEMOVE);
    EXPECT_EQ(got.back().msg, WM_MOUSEMOVE);
    EXPECT_EQ(LParamToPoint(got.back().lParam), (TPoint{19, 19}));

    // On the border: the non-client message, with the hit code and the screen point.
    Forget();
    input.Press({10, 30});
    auto nc = Got(child, {WM_NCLBUTTONDOWN, WM_LBUTTONDOWN});
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(nc[0].msg, WM_NCLBUTTONDOWN);
    EXPECT_EQ(nc[0].wParam, static_cast<WPARAM>(HTBORDER));
    EXPECT_EQ(LParamToPoint(nc[0].lParam), (TPoint{10, 30}));
    input.Release({10, 30});
}

TEST_F(MouseTest, ASecondPressInTimeIsADoubleClick) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    input.Click({20, 20});
    clock.Advance(GetDoubleClickTime() - 1);
    input.Click({21, 21});
    clock.Advance(GetDoubleClickTime() + 1);
    input.Click({21, 21});
    auto presses = Got(wnd, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    ASSERT_EQ(presses.size(), 3u);
    EXPECT_EQ(presses[0].msg, WM_LBUTTONDOWN);
    EXPECT_EQ(presses[1].msg, WM_LBUTTONDBLCLK);
    EXPECT_EQ(presses[2].msg, WM_LBUTTONDOWN);
}

TEST_F(MouseTest, TheWheelGoesToTheFocusWindowInNotchesOf120) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND child = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(0, 0, 50, 50), top);
    SetFocus(child);
    input.Wheel({80, 80}, -120);
    auto wheel = Got(child, {WM_MOUSEWHEEL});
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -120);
    // Unhandled, it goes on to the parent.
    EXPECT_EQ(Got(top, {WM_MOUSEWHEEL}).size(), 1u);
}

TEST_F(MouseTest, LeavingATrackedWindowPostsMouseLeaveOnce) {
    HWND a = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(100, 0, 100, 100));
    input.MoveTo({50, 50});
    TRACKMOUSEEVENT track{TME_LEAVE, a, 0};
    ASSERT_TRUE(TrackMouseEvent(&track));
    input.MoveTo({60, 50});
    EXPECT_TRUE(Got(a, {WM_MOUSELEAVE}).empty());
    input.MoveTo({150, 50});
    input.MoveTo({50, 50});
    input.MoveTo({150, 50});
    EXPECT_EQ(Got(a, {WM_MOUSELEAVE}).size(), 1u);
}

TEST_F(MouseTest, TheRightButtonMakesAContextMenuMessageThatClimbsToTheParent) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND child = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(10, 10, 50, 50), top);
    input.Click({20, 30}, Qt::RightButton);
    auto menu = Got(top, {WM_CONTEXTMENU});
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_EQ(menu[0].wParam, static_cast<WPARAM>(child));
    EXPECT_EQ(LParamToPoint(menu[0].lParam), (TPoint{20, 30}));
}

using KeyboardTest = WindowTest;

TEST_F(KeyboardTest, KeysReachTheFocusWindowWithTheirCharactersInWindows1252) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND edit = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(0, 0, 50, 20), top);
    SetFocus(edit);
    input.Key(Qt::Key_A, "a");
    input.Key(Qt::Key_Eacute, QString::fromUtf8("\xC3\xA9"));
    auto got = Got(edit, {WM_KEYDOWN, WM_CHAR, WM_KEYUP});
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].msg, WM_KEYDOWN);
    EXPECT_EQ(got[0].wParam, WPARAM{'A'});
    EXPECT_EQ(got[1].msg, WM_CHAR);
    EXPECT_EQ(got[1].wParam, WPARAM{'a'});
    EXPECT_EQ(got[2].msg, WM_KEYUP);
    EXPECT_EQ(got[2].lParam & KF_UP, KF_UP);
    EXPECT_EQ(got[3].msg, WM_CHAR);
    EXPECT_EQ(got[3].wParam, WPARAM{0xE9});
}

// The test driver's keys by virtual-key code reach the window as those very codes: the tests
// above this layer name keys as the program does.
TEST_F(KeyboardTest, TheDriversVirtualKeysArriveAsTheCodesTheyName) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    SetFocus(wnd);
    const int keys[] = {VK_RETURN, VK_ESCAPE, VK_TAB,   VK_BACK, VK_DELETE, VK_INSERT,
                        VK_HOME,   VK_END,    VK_LEFT,  VK_UP,   VK_RIGHT,  VK_DOWN,
                        VK_PRIOR,  VK_NEXT,   VK_SPACE, VK_APPS, VK_F1,     VK_F4,
                        'A',       'Z',       '0',      '9',     VK_ADD,    VK_NUMPAD0 + 7,
                        VK_SHIFT,  VK_CONTROL};
    for (int key : keys) {
        Forget();
        input.TypeKey(key);
        auto got = Got(wnd, {WM_KEYDOWN, WM_KEYUP});
        ASSERT_EQ(got.size(), 2u) << key;
        EXPECT_EQ(got[0].wParam, static_cast<WPARAM>(key)) << key;
        EXPECT_EQ(got[1].wParam, static_cast<WPARAM>(key)) << key;
    }
    // A modifier held by its code is down for the key typed under it.
    Forget();
    bool ctrlSeen = false;
    handler = [&](HWND h, UINT msg, WPARAM w, LPARAM, LRESULT&) {
        if (h == wnd && msg == WM_KEYDOWN && w == 'C') ctrlSeen = GetKeyState(VK_CONTROL) < 0;
        return false;
    };
    input.HoldKey(VK_CONTROL);
    input.TypeKey('C');
    input.ReleaseKey(VK_CONTROL);
    EXPECT_TRUE(ctrlSeen);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

TEST_F(KeyboardTest, AKeyDownHandlerCanTakeItsPendingCharacterFromTheQueue) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    SetFocus(wnd);
    std::vector<WPARAM> taken;
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (h != wnd || msg != WM_KEYDOWN) return false;
        MSG pending;
        if (core::PeekMessage(pending, wnd, WM_CHAR, WM_CHAR, core::PM_REMOVE))
            taken.push_back(pending.wParam);
        return true;
    };
    input.Key(Qt::Key_X, "x");
    EXPECT_EQ(taken, std::vector<WPARAM>{'x'});
    EXPECT_TRUE(Got(wnd, {WM_CHAR}).empty());
}

TEST_F(KeyboardTest, AltMakesSystemKeysAndTheKeyStateFollowsTheMessages) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    SetFocus(wnd);
    bool altDownSeen = false;
    handler = [&](HWND h, UINT msg, WPARAM w, LPARAM, LRESULT&) {
        if (h == wnd && msg == WM_SYSKEYDOWN && w == 'F') altDownSeen = GetKeyState(VK_MENU) < 0;
        return false;
    };
    input.KeyDown(Qt::Key_Alt);
    input.Key(Qt::Key_F, "f");
    input.KeyUp(Qt::Key_Alt);
    auto got = Got(wnd, {WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_KEYDOWN, WM_CHAR});
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0].wParam, WPARAM{VK_MENU});
    EXPECT_EQ(got[1].msg, WM_SYSKEYDOWN);
    EXPECT_EQ(got[1].lParam & KF_ALTDOWN, KF_ALTDOWN);
    EXPECT_EQ(got[2].msg, WM_SYSCHAR);
    EXPECT_TRUE(altDownSeen);
    EXPECT_GE(GetKeyState(VK_MENU), 0);
    EXPECT_GE(GetAsyncKeyState(VK_MENU), 0);

    Forget();
    input.Key(Qt::Key_F10);
    auto f10 = Got(wnd, {WM_SYSKEYDOWN, WM_KEYDOWN});
    ASSERT_EQ(f10.size(), 1u);
    EXPECT_EQ(f10[0].msg, WM_SYSKEYDOWN);
}

TEST_F(KeyboardTest, TheKeyTableGivesThePlatformsCodes) {
    struct Case {
        int qt;
        Qt::KeyboardModifiers modifiers;
        int vk;
    };
    const Case cases[] = {
        {Qt::Key_Q, {}, 'Q'},
        {Qt::Key_7, {}, '7'},
        {Qt::Key_7, Qt::KeypadModifier, VK_NUMPAD0 + 7},
        {Qt::Key_F12, {}, VK_F1 + 11},
        {Qt::Key_Escape, {}, VK_ESCAPE},
        {Qt::Key_Return, {}, VK_RETURN},
        {Qt::Key_Enter, {}, VK_RETURN},
        {Qt::Key_PageDown, {}, VK_NEXT},
        {Qt::Key_Menu, {}, VK_APPS},
        {Qt::Key_Alt, {}, VK_LMENU},
        {Qt::Key_Minus, {}, VK_OEM_MINUS},
        {Qt::Key_Backtab, {}, VK_TAB},
        {Qt::Key_unknown, {}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.qt, c.modifiers), c.vk) << c.qt;
}

using HookTest = WindowTest;

TEST_F(HookTest, AKeyboardHookSwallowsAKeyBeforeTheFocusWindowSeesIt) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    SetFocus(wnd);
    std::vector<WPARAM> hooked;
    HHOOK hook = NullHook;
    hook = SetWindowsHookEx(WH_KEYBOARD, [&](int code, WPARAM w, LPARAM l) -> LRESULT {
        hooked.push_back(w);
        if (code == HC_ACTION && w == 'S') return 1;
        return CallNextHookEx(hook, code, w, l);
    });
    input.Key(Qt::Key_S, "s");
    input.Key(Qt::Key_T, "t");
    UnhookWindowsHookEx(hook);
    input.Key(Qt::Key_S, "s");

    auto got = Got(wnd, {WM_KEYDOWN, WM_CHAR});
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].wParam, WPARAM{'T'});
    EXPECT_EQ(got[1].wParam, WPARAM{'t'});
    EXPECT_EQ(got[2].wParam, WPARAM{'S'});
    EXPECT_EQ(got[3].wParam, WPARAM{'s'});
    EXPECT_EQ(hooked, (std::vector<WPARAM>{'S', 'S', 'T', 'T'}));
}

TEST_F(HookTest, AMouseHookSeesEachPhysicalPressOnceEvenWhenPeekedFirst) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    std::vector<WPARAM> hooked;
    HHOOK hook = SetWindowsHookEx(WH_MOUSE, [&](int code, WPARAM w, LPARAM l) -> LRESULT {
        auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(l);
        if (code == HC_ACTION && w != WM_MOUSEMOVE) {
            hooked.push_back(w);
            EXPECT_EQ(info->hwnd, wnd);
            EXPECT_EQ(info->pt, (TPoint{30, 40}));
        }
        return 0;
    });
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (h == wnd && msg == WM_LBUTTONDOWN) {
            // Drag detection looks ahead without taking.
            MSG ahead;
            core::PeekMessage(ahead, NullHWnd, WM_MOUSEFIRST, WM_MOUSELAST, core::PM_NOREMOVE);
        }
        return false;
    };
    input.MoveTo({30, 40});
    input.Press({30, 40});
    input.Release({30, 40});
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(hooked, (std::vector<WPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(Got(wnd, {WM_LBUTTONDOWN}).size(), 1u);
}

TEST_F(HookTest, AMouseHookThatSwallowsKeepsTheClickFromTheWindow) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HHOOK hook = SetWindowsHookEx(
        WH_MOUSE, [](int, WPARAM w, LPARAM) -> LRESULT { return w == WM_LBUTTONDOWN ? 1 : 0; });
    input.Click({10, 10});
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(Got(wnd, {WM_LBUTTONDOWN}).empty());
    EXPECT_EQ(Got(wnd, {WM_LBUTTONUP}).size(), 1u);
}

TEST_F(HookTest, APressOnADisabledWindowReachesTheMouseHookAsHtErrorOnItsTopWindow) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND child = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(10, 10, 50, 50), top);
    EnableWindow(top, 0);
    std::vector<std::pair<WPARAM, HWND>> hooked;
    std::vector<UINT> codes;
    HHOOK hook = SetWindowsHookEx(WH_MOUSE, [&](int code, WPARAM w, LPARAM l) -> LRESULT {
        auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(l);
        if (code == HC_ACTION && w != WM_NCMOUSEMOVE) {
            hooked.emplace_back(w, info->hwnd);
            codes.push_back(info->wHitTestCode);
            EXPECT_EQ(info->pt, (TPoint{30, 30}));
        }
        return 0;
    });
    Forget();
    input.Click({30, 30}, Qt::RightButton);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(hooked, (std::vector<std::pair<WPARAM, HWND>>{{WM_NCRBUTTONDOWN, top},
                                                            {WM_NCRBUTTONUP, top}}));
    EXPECT_EQ(codes, (std::vector<UINT>{static_cast<UINT>(HTERROR), static_cast<UINT>(HTERROR)}));
    // Nothing else hears of it: no client press, no context menu.
    EXPECT_TRUE(Got(child, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}).empty());
    EXPECT_TRUE(Got(top, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}).empty());
}

TEST_F(HookTest, AGetMessageHookCanTurnASystemKeyIntoNothing) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    SetFocus(wnd);
    HHOOK hook = SetWindowsHookEx(WH_GETMESSAGE, [](int, WPARAM, LPARAM l) -> LRESULT {
        auto* msg = reinterpret_cast<MSG*>(l);
        if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_SPACE) msg->message = WM_NULL;
        return 0;
    });
    input.KeyDown(Qt::Key_Alt);
    input.Key(Qt::Key_Space, " ");
    input.Key(Qt::Key_Down);
    input.KeyUp(Qt::Key_Alt);
    UnhookWindowsHookEx(hook);
    auto got = Got(wnd, {WM_SYSKEYDOWN, WM_SYSCHAR});
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].wParam, WPARAM{VK_MENU});
    EXPECT_EQ(got[1].wParam, WPARAM{VK_DOWN});
}

TEST_F(HookTest, TheCallWindowProcedureHookSeesSentMessagesAndCanSwallowOne) {
    HWND wnd = Create(WS_POPUP, gdi::Bounds(0, 0, 100, 100));
    std::vector<UINT> seen;
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROC, [&](int, WPARAM, LPARAM l) -> LRESULT {
        auto* info = reinterpret_cast<CWPSTRUCT*>(l);
        if (info->hwnd != wnd) return 0;
        seen.push_back(info->message);
        if (info->message == WM_USER + 1) {
            // Swallowing: the window's procedure is replaced for exactly one call.
            auto old = std::make_shared<core::WNDPROC>();
            *old = core::SetWindowProc(
                wnd, [wnd = info->hwnd, old](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
                    core::SetWindowProc(wnd, *old);
                    return 1;
                });
        }
        return 0;
    });
    core::SendMessage(wnd, WM_USER, 0, 0);
    EXPECT_EQ(core::SendMessage(wnd, WM_USER + 1, 0, 0), 1);
    core::SendMessage(wnd, WM_USER + 2, 0, 0);
    // Posted messages are dispatched, not sent: the hook does not see them.
    core::PostMessage(wnd, WM_USER + 3, 0, 0);
    PumpUntilIdle();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_USER + 2}));
    auto got = Got(wnd, {WM_USER, WM_USER + 1, WM_USER + 2, WM_USER + 3});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1].msg, WM_USER + 2);
}

TEST_F(HookTest, TheCallWindowProcedureHookMaySendAMessageToAnotherWindow) {
    HWND asked = Create(WS_POPUP, gdi::Bounds(0, 0, 100, 100));
    HWND instead = Create(WS_POPUP, gdi::Bounds(200, 0, 100, 100));
    HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROC, [&](int, WPARAM, LPARAM l) -> LRESULT {
        auto* info = reinterpret_cast<CWPSTRUCT*>(l);
        if (info->hwnd == asked && info->message == WM_USER + 1) info->hwnd = instead;
        return 0;
    });
    core::SendMessage(asked, WM_USER, 0, 0);
    core::SendMessage(asked, WM_USER + 1, 7, 0);
    UnhookWindowsHookEx(hook);
    auto atAsked = Got(asked, {WM_USER, WM_USER + 1});
    ASSERT_EQ(atAsked.size(), 1u);
    EXPECT_EQ(atAsked[0].msg, WM_USER);
    auto atInstead = Got(instead, {WM_USER, WM_USER + 1});
    ASSERT_EQ(atInstead.size(), 1u);
    EXPECT_EQ(atInstead[0].msg, WM_USER + 1);
    EXPECT_EQ(atInstead[0].wParam, 7u);
}

using ActivationTest = WindowTest;

TEST_F(ActivationTest, ShowingActivatesUnlessToldNotToAndFocusFollows) {
    HWND main = Create(WS_OVERLAPPEDWINDOW, gdi::Bounds(0, 0, 300, 200));
    HWND popup = Create(WS_POPUP, gdi::Bounds(10, 10, 50, 50), main);
    ShowWindow(main, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetFocus(), main);
    auto activate = Got(main, {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS});
    ASSERT_EQ(activate.size(), 4u);
    EXPECT_EQ(activate[0].wParam, WPARAM{1});
    EXPECT_EQ(activate[2].wParam, WA_ACTIVE);

    ShowWindow(popup, SW_SHOWNA);
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_TRUE(Got(popup, {WM_ACTIVATE}).empty());

    Forget();
    input.DeactivateApplication();
    EXPECT_EQ(GetActiveWindow(), NullHWnd);
    EXPECT_EQ(GetFocus(), NullHWnd);
    EXPECT_EQ(Got(main, {WM_ACTIVATE}).front().wParam, WA_INACTIVE);
    auto app = Got(main, {WM_ACTIVATEAPP});
    ASSERT_EQ(app.size(), 1u);
    EXPECT_EQ(app[0].wParam, WPARAM{0});
    EXPECT_EQ(Got(popup, {WM_ACTIVATEAPP}).size(), 1u);

    input.ActivateWindow(main);
    EXPECT_EQ(GetActiveWindow(), main);
}

TEST_F(ActivationTest, TheFrameLooksActiveAfterAnActiveNcActivateUntilAnInactiveOne) {
    HWND main = Create(WS_OVERLAPPEDWINDOW, gdi::Bounds(0, 0, 300, 200));
    HWND dialog = Create(WS_OVERLAPPEDWINDOW, gdi::Bounds(20, 20, 100, 80), main);
    ShowWindow(main, SW_SHOW);
    EXPECT_TRUE(IsFrameActive(main));
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_FALSE(IsFrameActive(main));
    // The owned window keeps its owner looking active, as a dialog that edits it does.
    core::SendMessage(main, WM_NCACTIVATE, 1, 0);
    EXPECT_TRUE(IsFrameActive(main));
    EXPECT_TRUE(IsFrameActive(dialog));
    input.DeactivateApplication();
    core::SendMessage(main, WM_NCACTIVATE, 0, 0);
    EXPECT_FALSE(IsFrameActive(main));
}

TEST_F(ActivationTest, AClickOnAnInactiveWindowAsksWhetherToActivate) {
    HWND a = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND menu = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(200, 0, 100, 100), a);
    SetActiveWindow(a);
    Forget();
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT& result) {
        if (h == menu && msg == WM_MOUSEACTIVATE) {
            result = MA_NOACTIVATE;
            return true;
        }
        return false;
    };
    input.Click({250, 50});
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(Got(menu, {WM_LBUTTONDOWN}).size(), 1u);
    handler = nullptr;
    input.Click({250, 50});
    EXPECT_EQ(GetActiveWindow(), menu);
    auto activate = Got(menu, {WM_ACTIVATE});
    ASSERT_EQ(activate.size(), 1u);
    EXPECT_EQ(activate[0].wParam, WA_CLICKACTIVE);
}

TEST_F(ActivationTest, TimersOfRealWindowsArriveAsWmTimerOnTheManualClock) {
    HWND wnd = Create(WS_POPUP, gdi::Bounds(0, 0, 10, 10));
    core::SetTimer(wnd, 7, 50);
    core::RunFor(clock, 120);
    auto ticks = Got(wnd, {WM_TIMER});
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0].wParam, WPARAM{7});
}

using ScreenTest = WindowTest;

TEST_F(ScreenTest, TheMonitorOfAPointAndItsWorkArea) {
    MONITORINFO info;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint({1500, 100}, MONITOR_DEFAULTTONULL), &info));
    EXPECT_EQ(info.rcMonitor, (TRect{1024, 0, 2048, 768}));
    EXPECT_EQ(info.dwFlags, DWORD{0});
    EXPECT_EQ(MonitorFromPoint({5000, 100}, MONITOR_DEFAULTTONULL), NullMonitor);
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint({-50, 300}, MONITOR_DEFAULTTONEAREST), &info));
    EXPECT_EQ(info.rcWork, (TRect{0, 0, 1024, 740}));
    EXPECT_EQ(info.dwFlags, DWORD{MONITORINFOF_PRIMARY});
    TRect work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, (TRect{0, 0, 1024, 740}));
}

TEST(SystemParametersTest, OneWheelNotchScrollsThreeLines) {
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 3u);
    EXPECT_FALSE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, nullptr, 0));
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

using CursorTest = WindowTest;

TEST_F(CursorTest, TheDefaultSetCursorShowsTheClassCursorInTheClientAreaAndSizeCursorsOnTheFrame) {
    WNDCLASS cls;
    cls.lpfnWndProc = DefWindowProc;
    cls.hCursor = LoadCursor(IDC_IBEAM);
    cls.lpszClassName = "IBeamWindow";
    RegisterClass(cls);
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 200, 200));
    HWND edit = CreateWindowEx(0, "IBeamWindow", "", WS_CHILD | WS_VISIBLE | WS_THICKFRAME, 10, 10,
                               100, 100, top);
    input.MoveTo({50, 50});
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_IBEAM));
    input.MoveTo({10, 50});
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_SIZEWE));
    DestroyWindow(edit);
}

TEST_F(CursorTest, TheScreenCursorTableMapsNumbersToCursors) {
    EXPECT_EQ(ScreenCursor(-21), LoadCursor(IDC_HAND));
    EXPECT_EQ(ScreenCursor(2100), LoadCursor(IDC_ARROW));
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    HCURSOR own = CreateCursorFromImage(image, 3, 4);
    SetScreenCursor(2100, own);
    EXPECT_EQ(ScreenCursor(2100), own);
    EXPECT_EQ(QtCursorOf(own).hotSpot(), QPoint(3, 4));
    SetScreenCursor(2100, LoadCursor(IDC_ARROW));
    DestroyCursor(own);
}

using CancelModeTest = WindowTest;

TEST_F(CancelModeTest, LosingTheApplicationsActivationCancelsTheModeOfTheCaptureWindow) {
    HWND main = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    SetCapture(main);
    input.DeactivateApplication();
    EXPECT_EQ(Got(main, {WM_CANCELMODE}).size(), 1u);
    EXPECT_EQ(GetCapture(), NullHWnd);
}

TEST(KeyboardLayoutTest, CharactersOfKeysFollowShiftCapsLockAndCtrl) {
    std::uint8_t state[256] = {};
    std::uint16_t c = 0;
    struct Case {
        UINT vk;
        bool shift, caps, ctrl;
        int count;
        std::uint16_t ch;
    };
    const Case cases[] = {
        {'A', false, false, false, 1, 'a'},          {'A', true, false, false, 1, 'A'},
        {'A', false, true, false, 1, 'A'},           {'A', true, true, false, 1, 'a'},
        {'2', true, false, false, 1, '@'},           {'A', false, false, true, 1, 1},
        {VK_OEM_MINUS, false, false, false, 1, '-'}, {VK_F1, false, false, false, 0, 0},
    };
    for (const auto& k : cases) {
        state[VK_SHIFT] = k.shift ? 0x80 : 0;
        state[VK_CAPITAL] = k.caps ? 0x01 : 0;
        state[VK_CONTROL] = k.ctrl ? 0x80 : 0;
        c = 0;
        EXPECT_EQ(ToAscii(k.vk, MapVirtualKey(k.vk, MAPVK_VK_TO_VSC), state, &c, 0), k.count)
            << k.vk;
        if (k.count) {
            EXPECT_EQ(c, k.ch) << k.vk;
        }
    }
    EXPECT_EQ(MapVirtualKey(MapVirtualKey('Q', MAPVK_VK_TO_VSC), MAPVK_VSC_TO_VK), UINT{'Q'});
}

TEST(KeyboardLayoutTest, VkKeyScanGivesTheKeyAndTheShiftThatMakeACharacter) {
    struct Case {
        char ch;
        int result;
    };
    for (const Case& c : {Case{'a', 'A'}, Case{'A', 0x100 | 'A'}, Case{'5', '5'},
                          Case{'%', 0x100 | '5'}, Case{'-', VK_OEM_MINUS},
                          Case{'?', 0x100 | VK_OEM_2}, Case{' ', VK_SPACE}, Case{'\x01', -1}})
        EXPECT_EQ(VkKeyScan(c.ch), c.result) << c.ch;
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

TEST_F(ActivationTest, ClosingTheActiveWindowActivatesItsOwner) {
    HWND main = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, gdi::Bounds(0, 0, 300, 200));
    HWND dialog = Create(WS_CAPTION | WS_SYSMENU | WS_VISIBLE, gdi::Bounds(20, 20, 100, 80), main,
                         WS_EX_DLGMODALFRAME);
    HWND edit = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(0, 0, 50, 20), dialog);
    SetFocus(edit);
    EXPECT_EQ(GetActiveWindow(), dialog);
    Forget();
    core::PostMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpUntilIdle();
    EXPECT_FALSE(core::IsWindow(dialog));
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetFocus(), main);
    EXPECT_EQ(Got(main, {WM_ACTIVATEAPP}).size(), 0u);
    EXPECT_EQ(Got(edit, {WM_KILLFOCUS}).size(), 1u);
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

TEST_F(MouseTest, CaptureTakenWhileLaterInputWaitsInTheQueueStillGetsThatInput) {
    HWND a = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND b = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(200, 0, 100, 100));
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (h == a && msg == WM_LBUTTONDOWN) SetCapture(a);
        return false;
    };
    auto send = [](QEvent::Type type, QPointF p, Qt::MouseButtons buttons) {
        QMouseEvent e(type, p, p, p, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
        TranslateQtEvent(NullHWnd, &e);
    };
    // All three arrive before the press is dispatched.
    send(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton);
    send(QEvent::MouseMove, {250, 50}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {250, 50}, Qt::NoButton);
    PumpUntilIdle();
    auto atA = Got(a, {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP});
    ASSERT_EQ(atA.size(), 3u);
    EXPECT_EQ(LParamToPoint(atA[2].lParam), (TPoint{250, 50}));
    EXPECT_TRUE(Got(b, {WM_MOUSEMOVE, WM_LBUTTONUP}).empty());
    ReleaseCapture();
}

} // namespace
} // namespace platform::win::test
