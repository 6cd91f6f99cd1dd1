#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/region_handles.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/host_widget.h"
#include "platform/win/input_translator.h"
#include "platform/win/painting.h"
#include "platform/win/tests/win_test_support.h"
#include "platform/win/window_data.h"

#include <QImage>
#include <QMouseEvent>
#include <QWindow>

namespace platform::win::test {
namespace {

using WindowGeometryTest = WindowTest;

gdi::Pixel32 SysPixel(int index) {
    return gdi::ColorToPixel(gdi::GetSysColor(index)) & 0xFFFFFF;
}

gdi::Pixel32 PixelAt(HWND wnd, int x, int y) {
    return WindowSurface(wnd)->Pixel(x, y) & 0xFFFFFF;
}

TEST_F(WindowGeometryTest, ClientEdgeInsetsTheClientAreaAndChildrenSitAtItsOrigin) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(100, 100, 200, 150));
    HWND framed =
        Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(10, 10, 100, 80), top, WS_EX_CLIENTEDGE);
    HWND inner = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(0, 0, 20, 10), framed);

    TRect client;
    ASSERT_TRUE(GetClientRect(framed, &client));
    EXPECT_EQ(client, (TRect{0, 0, 96, 76}));
    TPoint origin{0, 0};
    ClientToScreen(framed, &origin);
    EXPECT_EQ(origin, (TPoint{112, 112}));
    TRect innerRect;
    GetWindowRect(inner, &innerRect);
    EXPECT_EQ(innerRect, (TRect{112, 112, 132, 122}));
    EXPECT_EQ(WindowFromPoint({115, 115}), inner);
    EXPECT_EQ(WindowFromPoint({140, 140}), framed);
    EXPECT_EQ(WindowFromPoint({105, 105}), top);

    // The default WM_NCPAINT draws the sunken edge: shadow and dark shadow above and left,
    // highlight and light below and right.
    PumpUntilIdle();
    EXPECT_EQ(PixelAt(framed, 0, 0), SysPixel(gdi::COLOR_BTNSHADOW));
    EXPECT_EQ(PixelAt(framed, 1, 1), SysPixel(gdi::COLOR_3DDKSHADOW));
    EXPECT_EQ(PixelAt(framed, 99, 79), SysPixel(gdi::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelAt(framed, 98, 78), SysPixel(gdi::COLOR_3DLIGHT));
    // The class background erased the client area.
    EXPECT_EQ(PixelAt(framed, 50, 50), SysPixel(gdi::COLOR_WINDOW));
}

TEST_F(WindowGeometryTest, HitTestCodesFollowTheFrame) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 400, 300));
    HWND edged = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(10, 10, 100, 80), top, WS_EX_CLIENTEDGE);
    HWND sizable = Create(WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME,
                          gdi::Bounds(200, 10, 150, 120), top);
    const int frame = gdi::GetSystemMetrics(gdi::SM_CXFRAME);
    const int caption = gdi::GetSystemMetrics(gdi::SM_CYCAPTION);
    struct Case {
        HWND wnd;
        TPoint screen;
        int code;
    };
    const Case cases[] = {
        {edged, {11, 11}, HTBORDER},
        {edged, {12, 12}, HTCLIENT},
        {edged, {109, 89}, HTBORDER},
        {edged, {110, 90}, HTNOWHERE},
        {sizable, {200, 10}, HTTOPLEFT},
        {sizable, {349, 129}, HTBOTTOMRIGHT},
        {sizable, {200, 60}, HTLEFT},
        {sizable, {270, 129}, HTBOTTOM},
        {sizable, {270, 10 + frame + caption / 2}, HTCAPTION},
        {sizable, {270, 10 + frame + caption + 5}, HTCLIENT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::SendMessage(c.wnd, WM_NCHITTEST, 0, PointToLParam(c.screen)), c.code)
            << c.screen.X << "," << c.screen.Y;
    }
    TRect client;
    GetClientRect(sizable, &client);
    EXPECT_EQ(client, (TRect{0, 0, 150 - 2 * frame, 120 - 2 * frame - caption}));
}

TEST_F(WindowGeometryTest, ASubclassSeesMessagesFirstAndPassesTheRestOn) {
    HWND wnd = Create(WS_POPUP, gdi::Bounds(0, 0, 50, 50));
    core::WNDPROC previous;
    int seen = 0;
    previous = core::SetWindowProc(wnd, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) return ++seen;
        return core::CallWindowProc(previous, h, m, w, l);
    });
    EXPECT_EQ(core::SendMessage(wnd, WM_USER, 0, 0), 1);
    EXPECT_EQ(GetWindowText(wnd), "");
    EXPECT_TRUE(SetWindowText(wnd, "Caption"));
    EXPECT_EQ(GetWindowText(wnd), "Caption");
    EXPECT_EQ(Got(wnd, {WM_USER}).size(), 0u);
    DestroyWindow(wnd); // the subclass refers to this test's locals
}

TEST_F(WindowGeometryTest, MovingAndSizingSendsTheirMessages) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 200, 200));
    HWND child = Create(WS_CHILD | WS_VISIBLE | WS_BORDER, gdi::Bounds(5, 5, 50, 40), top);
    Forget();
    MoveWindow(child, 20, 30, 60, 50, true);
    auto size = Got(child, {WM_SIZE});
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(size[0].lParam, MAKELPARAM(58, 48));
    auto move = Got(child, {WM_MOVE});
    ASSERT_EQ(move.size(), 1u);
    EXPECT_EQ(move[0].lParam, MAKELPARAM(21, 31));
    EXPECT_EQ(WindowSurface(child)->Width(), 60);
    EXPECT_EQ(Got(child, {WM_WINDOWPOSCHANGING}).size(), 1u);
}

TEST_F(WindowGeometryTest, DestroyingAWindowDestroysItsChildrenAndOwnedWindows) {
    HWND owner = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND child = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(0, 0, 10, 10), owner);
    HWND owned = Create(WS_POPUP, gdi::Bounds(0, 0, 10, 10), owner);
    EXPECT_EQ(GetParent(owned), owner);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    ASSERT_TRUE(DestroyWindow(owner));
    EXPECT_FALSE(core::IsWindow(owner));
    EXPECT_FALSE(core::IsWindow(child));
    EXPECT_FALSE(core::IsWindow(owned));
    EXPECT_EQ(Got(owner, {WM_DESTROY}).size(), 1u);
    EXPECT_EQ(Got(child, {WM_DESTROY}).size(), 1u);
}

// Help asked of a window that does not answer it goes up: to the parent of a child, to the
// owner of a top-level window, with the same record.
TEST_F(WindowGeometryTest, HelpNobodyAnswersGoesToTheParentAndThenTheOwner) {
    HWND owner = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND owned = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 80, 80), owner);
    HWND child = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(0, 0, 10, 10), owned);
    HELPINFO info;
    info.hItemHandle = child;
    core::SendMessage(child, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    for (HWND wnd : {child, owned, owner}) {
        auto got = Got(wnd, {WM_HELP});
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].lParam, reinterpret_cast<LPARAM>(&info));
    }
}

using PaintTest = WindowTest;

TEST_F(PaintTest, InvalidatingPartOfAWindowRepaintsExactlyThatPart) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(50, 50, 60, 40));
    gdi::COLORREF color = gdi::clRed;
    std::vector<TRect> painted;
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (h != wnd || msg != WM_PAINT) return false;
        PAINTSTRUCT ps;
        gdi::HDC dc = BeginPaint(h, &ps);
        painted.push_back(ps.rcPaint);
        gdi::HBRUSH brush = gdi::CreateSolidBrush(color);
        TRect all{0, 0, 60, 40};
        gdi::FillRect(dc, &all, brush);
        gdi::DeleteObject(brush);
        // Lifting the clip does not let the painting out of the update region.
        gdi::SelectClipRgn(dc, gdi::NullObject);
        gdi::HBRUSH again = gdi::CreateSolidBrush(color);
        gdi::FillRect(dc, &all, again);
        gdi::DeleteObject(again);
        EndPaint(h, &ps);
        return true;
    };
    PumpUntilIdle();
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], (TRect{0, 0, 60, 40}));

    color = gdi::clBlue;
    TRect part{10, 10, 30, 20};
    InvalidateRect(wnd, &part, false);
    PumpUntilIdle();
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(painted[1], part);
    auto surface = WindowSurface(wnd);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            gdi::Pixel32 expected = gdi::PtInRect(part, {x, y}) ? 0x0000FF : 0xFF0000;
            ASSERT_EQ(surface->Pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
        }

    auto png = (TempFolder() / "painted.png").string();
    ASSERT_TRUE(SaveWindowPng(wnd, png));
    QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(60, 40));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(255, 0, 0));
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceAndValidatedAreasAreSkipped) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 40, 40));
    PumpUntilIdle();
    Forget();
    InvalidateRect(wnd, nullptr, true);
    TRect half{0, 0, 40, 20};
    ValidateRect(wnd, &half);
    TRect update;
    EXPECT_TRUE(GetUpdateRect(wnd, &update, false));
    EXPECT_EQ(update, (TRect{0, 20, 40, 40}));
    UpdateWindow(wnd);
    EXPECT_EQ(Got(wnd, {WM_PAINT}).size(), 1u);
    EXPECT_EQ(Got(wnd, {WM_ERASEBKGND}).size(), 1u);
    EXPECT_FALSE(GetUpdateRect(wnd, &update, false));
    PumpUntilIdle();
    EXPECT_EQ(Got(wnd, {WM_PAINT}).size(), 1u);
}

TEST_F(PaintTest, HiddenWindowsAreNotPainted) {
    HWND wnd = Create(WS_POPUP, gdi::Bounds(0, 0, 40, 40));
    PumpUntilIdle();
    EXPECT_TRUE(Got(wnd, {WM_PAINT}).empty());
    ShowWindow(wnd, SW_SHOWNA);
    PumpUntilIdle();
    EXPECT_EQ(Got(wnd, {WM_PAINT}).size(), 1u);
}

// With redrawing off, a window and its children keep what they show: no WM_PAINT, and their
// contexts draw nothing; turned on again, what was invalidated meanwhile paints.
TEST_F(PaintTest, RedrawOffHoldsPaintingOfTheWindowAndItsChildren) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 40, 40));
    HWND child = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(0, 0, 20, 20), top);
    PumpUntilIdle();
    Forget();
    core::SendMessage(top, WM_SETREDRAW, 0, 0);
    InvalidateRect(top, nullptr, true);
    InvalidateRect(child, nullptr, true);
    UpdateWindow(child);
    PumpUntilIdle();
    EXPECT_TRUE(Got(top, {WM_PAINT}).empty());
    EXPECT_TRUE(Got(child, {WM_PAINT}).empty());
    gdi::HBRUSH red = gdi::CreateSolidBrush(gdi::clRed);
    const TRect all{0, 0, 20, 20};
    gdi::HDC dc = GetDC(child);
    gdi::FillRect(dc, &all, red);
    ReleaseDC(child, dc);
    EXPECT_NE(WindowSurface(child)->Pixel(5, 5) & 0xFFFFFF, 0xFF0000u);
    core::SendMessage(top, WM_SETREDRAW, 1, 0);
    PumpUntilIdle();
    EXPECT_EQ(Got(top, {WM_PAINT}).size(), 1u);
    EXPECT_EQ(Got(child, {WM_PAINT}).size(), 1u);
    dc = GetDC(child);
    gdi::FillRect(dc, &all, red);
    ReleaseDC(child, dc);
    EXPECT_EQ(WindowSurface(child)->Pixel(5, 5) & 0xFFFFFF, 0xFF0000u);
    gdi::DeleteObject(red);
}

TEST_F(PaintTest, AWindowRegionShapesHitTesting) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 40, 40));
    SetWindowRgn(wnd, gdi::CreateRectRgn(10, 10, 30, 30), true);
    EXPECT_EQ(WindowFromPoint({5, 5}), NullHWnd);
    EXPECT_EQ(WindowFromPoint({15, 15}), wnd);
    gdi::HRGN copy = gdi::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(wnd, copy), gdi::SIMPLEREGION);
    TRect box;
    gdi::GetRgnBox(copy, &box);
    EXPECT_EQ(box, (TRect{10, 10, 30, 30}));
    gdi::DeleteObject(copy);
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

using TopLevelTest = WindowTest;

// A window brought to the top keeps the windows it owns (and theirs) above it, in their order.
TEST_F(TopLevelTest, OwnedWindowsStayAboveTheirOwnerBroughtToTheTop) {
    HWND owner = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 200, 200));
    HWND lower = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(20, 20, 100, 100), owner);
    HWND upper = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(60, 60, 100, 100), owner);
    HWND ownedByUpper = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(150, 150, 20, 20), upper);
    HWND other = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 300, 300));
    ASSERT_EQ(WindowFromPoint({70, 70}), other);
    SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(WindowFromPoint({70, 70}), upper);
    EXPECT_EQ(WindowFromPoint({30, 30}), lower);
    EXPECT_EQ(WindowFromPoint({155, 155}), ownedByUpper);
    EXPECT_EQ(WindowFromPoint({190, 190}), owner);
    EXPECT_EQ(WindowFromPoint({250, 250}), other);
}

TEST_F(TopLevelTest, StayOnTopWindowsStayAheadOfTheOthers) {
    HWND onTop =
        Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100), NullHWnd, WS_EX_TOPMOST);
    HWND normal = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(50, 50, 100, 100));
    EXPECT_EQ(WindowFromPoint({75, 75}), onTop);
    BringWindowToTop(normal);
    EXPECT_EQ(WindowFromPoint({75, 75}), onTop);
    SetWindowPos(onTop, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    BringWindowToTop(normal);
    EXPECT_EQ(WindowFromPoint({75, 75}), normal);
    SetWindowPos(onTop, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint({75, 75}), onTop);
    EXPECT_EQ(GetWindowLong(onTop, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
}

// Under a window manager a window that bypasses it stays above every window it manages. A
// frameless window shown taking the activation (the intro) is the desktop's to stack, so that
// a box can come over it; frameless windows shown without it, tool windows and no-activate
// windows (menus, hints, drop-downs) bypass it. A pop-up shown with no owner on the screen
// belongs to the active window, as a dialog does, never to one that belongs to it.
TEST_F(TopLevelTest, FramelessWindowsTheUserActivatesAreTheWindowManagersToStack) {
    const auto bypasses = [](HWND wnd) {
        return HostWidgetOf(wnd)->windowFlags().testFlag(Qt::X11BypassWindowManagerHint);
    };
    HWND main = Create(WS_CAPTION | WS_THICKFRAME, gdi::Bounds(0, 0, 400, 300));
    ShowWindow(main, SW_SHOW);
    HWND intro = Create(WS_POPUP, gdi::Bounds(50, 50, 200, 100), NullHWnd, WS_EX_TOPMOST);
    HWND menu =
        Create(WS_POPUP, gdi::Bounds(0, 20, 100, 100), NullHWnd, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    HWND dragImage = Create(WS_POPUP, gdi::Bounds(0, 0, 20, 20));
    SetActiveWindow(main);
    ShowWindow(intro, SW_SHOW);
    ShowWindow(menu, SW_SHOWNA);
    ShowWindow(dragImage, SW_SHOWNA);
    EXPECT_FALSE(bypasses(intro));
    EXPECT_TRUE(HostWidgetOf(intro)->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(bypasses(menu));
    EXPECT_TRUE(bypasses(dragImage));

    ASSERT_EQ(GetActiveWindow(), intro);
    HWND box = Create(WS_POPUP | WS_CAPTION, gdi::Bounds(80, 80, 100, 60));
    ShowWindow(box, SW_SHOW);
    EXPECT_EQ(HostWidgetOf(box)->windowHandle()->transientParent(),
              HostWidgetOf(intro)->windowHandle());
    // Shown again while the box is active, the intro does not come to belong to the box, which
    // belongs to it.
    ShowWindow(intro, SW_HIDE);
    SetActiveWindow(box);
    ShowWindow(intro, SW_SHOW);
    EXPECT_NE(HostWidgetOf(intro)->windowHandle()->transientParent(),
              HostWidgetOf(box)->windowHandle());
}

// A pop-up with a sizing frame but no caption (a floating toolbar) frames itself: the window
// manager neither decorates it nor stacks it, and its client area lies inside the frame.
TEST_F(TopLevelTest, ACaptionlessPopUpWithASizingFrameFramesItself) {
    const TRect bounds = gdi::Bounds(40, 40, 120, 80);
    HWND popup = Create(WS_POPUP | WS_BORDER | WS_SYSMENU | WS_THICKFRAME, bounds, NullHWnd,
                        WS_EX_TOOLWINDOW);
    HWND framed = Create(WS_POPUP | WS_CAPTION | WS_THICKFRAME, bounds);
    ShowWindow(popup, SW_SHOWNA);
    const auto flags = [](HWND wnd) { return HostWidgetOf(wnd)->windowFlags(); };
    EXPECT_TRUE(flags(popup).testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags(popup).testFlag(Qt::X11BypassWindowManagerHint));
    EXPECT_FALSE(flags(framed).testFlag(Qt::FramelessWindowHint));
    TRect client{};
    GetClientRect(popup, &client);
    const int frame = gdi::GetSystemMetrics(gdi::SM_CXFRAME);
    EXPECT_EQ(client.Width(), bounds.Width() - 2 * frame);
    EXPECT_EQ(client.Height(), bounds.Height() - 2 * frame);
}

TEST_F(TopLevelTest, LayeredWindowsKeepAConstantAlpha) {
    HWND plain = Create(WS_POPUP, gdi::Bounds(0, 0, 10, 10));
    EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 180, LWA_ALPHA));
    HWND image = Create(WS_POPUP, gdi::Bounds(0, 0, 10, 10), NullHWnd, WS_EX_LAYERED);
    ASSERT_TRUE(SetLayeredWindowAttributes(image, 0, 180, LWA_ALPHA));
    std::uint8_t alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(image, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 180);
    EXPECT_EQ(flags, DWORD{LWA_ALPHA});
    EXPECT_DOUBLE_EQ(HostWidgetOf(image)->windowOpacity(), 180 / 255.0);
    // Taking the style away makes the window opaque on the screen, and forgets the alpha.
    SetWindowLong(image, GWL_EXSTYLE, GetWindowLong(image, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    EXPECT_DOUBLE_EQ(HostWidgetOf(image)->windowOpacity(), 1.0);
    EXPECT_FALSE(GetLayeredWindowAttributes(image, nullptr, &alpha, &flags));
    SetWindowLong(image, GWL_EXSTYLE, GetWindowLong(image, GWL_EXSTYLE) | WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredWindowAttributes(image, nullptr, &alpha, &flags));
    EXPECT_EQ(flags, DWORD{0});
}

// A window squeezed to no width keeps its height: its surface has rows but no pixels, and
// growing back starts from those.
TEST_F(TopLevelTest, AWindowSqueezedToNoWidthAndBackKeepsASoundSurface) {
    HWND w = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 10, 10));
    SetWindowPos(w, NullHWnd, 0, 0, 0, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(w, NullHWnd, 0, 0, 12, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    gdi::TRect r{};
    GetClientRect(w, &r);
    EXPECT_EQ(r.Width(), 12);
    EXPECT_EQ(r.Height(), 10);
}

TEST_F(TopLevelTest, TheWindowManagerResizingAWindowSendsSizeAndMove) {
    HWND main = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, gdi::Bounds(100, 100, 300, 200));
    Forget();
    input.MoveByWindowManager(main, gdi::Bounds(120, 110, 400, 250));
    TRect r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r, gdi::Bounds(120, 110, 400, 250));
    auto size = Got(main, {WM_SIZE});
    ASSERT_FALSE(size.empty());
    EXPECT_EQ(size.back().lParam, MAKELPARAM(400, 250));
    EXPECT_FALSE(Got(main, {WM_MOVE}).empty());
}

TEST_F(TopLevelTest, EraseBackgroundWithAContextDrawsIntoThatContext) {
    HWND wnd = Create(WS_POPUP, gdi::Bounds(0, 0, 8, 8));
    gdi::HDC memory = gdi::CreateCompatibleDC(gdi::NullDC);
    gdi::HBITMAP bitmap = gdi::CreateBitmap(8, 8, 1, 32, nullptr);
    gdi::HGDIOBJ old = gdi::SelectObject(memory, bitmap);
    EXPECT_EQ(core::SendMessage(wnd, WM_ERASEBKGND, static_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(gdi::GetPixel(memory, 4, 4), gdi::GetSysColor(gdi::COLOR_WINDOW));
    gdi::SelectObject(memory, old);
    gdi::DeleteObject(bitmap);
    gdi::DeleteDC(memory);
}

TEST_F(TopLevelTest, RegisteredMessagesAreSharedByName) {
    UINT a = RegisterWindowMessage("{B2CE3777-44D8-4998-9701-47BBBC10B656}");
    UINT b = RegisterWindowMessage("{B2CE3777-44D8-1321-4656-12C54AA613BB}");
    EXPECT_GE(a, 0xC000u);
    EXPECT_NE(a, b);
    EXPECT_EQ(RegisterWindowMessage("{b2ce3777-44d8-4998-9701-47bbbc10b656}"), a);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

TEST_F(TopLevelTest, MinimizingAndRestoringTellTheSizeKind) {
    HWND main = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, gdi::Bounds(100, 100, 300, 200));
    Forget();
    ShowWindow(main, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(main));
    auto size = Got(main, {WM_SIZE});
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(size[0].wParam, SIZE_MINIMIZED);
    EXPECT_FALSE(IsWindowVisible(main));
    ShowWindow(main, SW_RESTORE);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(Got(main, {WM_SIZE}).back().wParam, SIZE_RESTORED);
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

TEST_F(PaintTest, GetDcDrawsOnlyInTheClientAreaAndGetWindowDcEverywhere) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND framed = Create(WS_CHILD | WS_VISIBLE | WS_BORDER, gdi::Bounds(0, 0, 20, 20), top);
    PumpUntilIdle();
    gdi::HBRUSH red = gdi::CreateSolidBrush(gdi::clRed);
    TRect everywhere{-5, -5, 30, 30};
    gdi::HDC client = GetDC(framed);
    gdi::FillRect(client, &everywhere, red);
    ReleaseDC(framed, client);
    auto surface = WindowSurface(framed);
    EXPECT_EQ(surface->Pixel(0, 0) & 0xFFFFFF,
              gdi::ColorToPixel(gdi::GetSysColor(gdi::COLOR_WINDOWFRAME)));
    EXPECT_EQ(surface->Pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
    gdi::HDC whole = GetWindowDC(framed);
    gdi::FillRect(whole, &everywhere, red);
    ReleaseDC(framed, whole);
    EXPECT_EQ(surface->Pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
    gdi::DeleteObject(red);
}

using QueueTest = WindowTest;

TEST_F(QueueTest, PostedMessagesAndInputKeepTheirOrder) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    PumpUntilIdle();
    Forget();
    // Events and posts that arrive before anything is dispatched.
    auto mouse = [](QEvent::Type type) {
        QPointF p(10, 10);
        return QMouseEvent(type, p, p, p, Qt::LeftButton,
                           type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                           Qt::NoModifier);
    };
    core::PostMessage(wnd, WM_USER, 0, 0);
    auto press = mouse(QEvent::MouseButtonPress);
    TranslateQtEvent(wnd, &press);
    core::PostMessage(wnd, WM_USER + 1, 0, 0);
    auto release = mouse(QEvent::MouseButtonRelease);
    TranslateQtEvent(wnd, &release);
    EXPECT_TRUE(Got(wnd, {WM_USER, WM_LBUTTONDOWN}).empty());
    PumpUntilIdle();
    auto got = Got(wnd, {WM_USER, WM_USER + 1, WM_LBUTTONDOWN, WM_LBUTTONUP});
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].msg, WM_USER);
    EXPECT_EQ(got[1].msg, WM_LBUTTONDOWN);
    EXPECT_EQ(got[2].msg, WM_USER + 1);
    EXPECT_EQ(got[3].msg, WM_LBUTTONUP);
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

TEST_F(PaintTest, TheHostWidgetShowsTheSurfaceOpaque) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 30, 20));
    PumpUntilIdle();
    gdi::HDC dc = GetDC(wnd);
    gdi::HBRUSH green = gdi::CreateSolidBrush(gdi::clLime);
    TRect r{0, 0, 30, 20};
    gdi::FillRect(dc, &r, green);
    ReleaseDC(wnd, dc);
    gdi::DeleteObject(green);
    QImage shown = WindowOf(wnd)->host->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(30, 20));
    EXPECT_EQ(shown.pixelColor(10, 10), QColor(0, 255, 0, 255));
}

TEST_F(WindowGeometryTest, SettingChangesReachTopLevelWindowsAndStyleChangesChildrenToo) {
    gdi::SetVisualStyleScheme(gdi::VisualStyleScheme::Blue);
    HWND top = Create(WS_POPUP, gdi::Bounds(0, 0, 100, 100));
    HWND child = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(10, 10, 20, 20), top);
    Forget();
    gdi::SetVisualStyleScheme(gdi::VisualStyleScheme::None);
    const auto Messages = [this](HWND wnd) {
        std::vector<UINT> out;
        for (const auto& r : Got(wnd, {WM_SYSCOLORCHANGE, WM_THEMECHANGED}))
            out.push_back(r.msg);
        return out;
    };
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_SYSCOLORCHANGE, WM_THEMECHANGED}));
    EXPECT_EQ(Messages(child), (std::vector<UINT>{WM_THEMECHANGED}));

    Forget();
    const int index = gdi::COLOR_WINDOW;
    const gdi::COLORREF colour = gdi::RGB(1, 2, 3);
    gdi::SetSysColors(1, &index, &colour);
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_SYSCOLORCHANGE}));
    EXPECT_TRUE(Messages(child).empty());
    gdi::SetVisualStyleScheme(gdi::VisualStyleScheme::Blue);
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

using NonClientTest = WindowTest;

// A frame that no style gives: the window's own WM_NCCALCSIZE takes a strip off the left, and
// its WM_NCPAINT fills the strip through the window DC.
TEST_F(NonClientTest, AFrameOfTheWindowsOwnAnswerIsPaintedWheneverItIsInvalidated) {
    constexpr int Strip = 6;
    struct Case {
        const char* name;
        bool createdVisible;
        std::function<void(HWND)> invalidate;
    };
    const Case cases[] = {
        {"shown", false, [](HWND w) { ShowWindow(w, SW_SHOWNOACTIVATE); }},
        {"resized", true,
         [](HWND w) {
             SetWindowPos(w, NullHWnd, 0, 0, 50, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
         }},
        {"frame changed", true,
         [](HWND w) {
             SetWindowPos(w, NullHWnd, 0, 0, 0, 0,
                          SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                              SWP_NOACTIVATE);
         }},
        {"redrawn with the frame", true,
         [](HWND w) { RedrawWindow(w, nullptr, gdi::NullObject, RDW_FRAME | RDW_INVALIDATE); }},
    };
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 200, 100));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DWORD visible = c.createdVisible ? WS_VISIBLE : 0;
        HWND framed = Create(WS_CHILD | visible, gdi::Bounds(10, 10, 40, 20), top);
        HWND plain = Create(WS_CHILD | visible, gdi::Bounds(100, 10, 40, 20), top);
        gdi::TColor frameColor = gdi::clBlue;
        handler = [&](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            if (wnd != framed) return false;
            if (msg == WM_NCCALCSIZE) {
                result = DefWindowProc(wnd, msg, wParam, lParam);
                reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0].Left += Strip;
                return true;
            }
            if (msg != WM_NCPAINT) return false;
            gdi::HDC dc = GetWindowDC(wnd);
            gdi::HBRUSH brush = gdi::CreateSolidBrush(frameColor);
            TRect strip;
            GetWindowRect(wnd, &strip);
            strip = {0, 0, Strip, strip.Height()};
            gdi::FillRect(dc, &strip, brush);
            gdi::DeleteObject(brush);
            ReleaseDC(wnd, dc);
            result = 0;
            return true;
        };
        // The strip takes effect from the window's first WM_NCCALCSIZE on.
        SetWindowPos(framed, NullHWnd, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpUntilIdle();
        Forget();
        frameColor = gdi::clRed;
        c.invalidate(framed);
        c.invalidate(plain);
        PumpUntilIdle();
        EXPECT_EQ(Got(framed, {WM_NCPAINT}).size(), 1u);
        EXPECT_TRUE(Got(plain, {WM_NCPAINT}).empty());
        EXPECT_EQ(PixelAt(framed, 2, 5), 0xFF0000u); // red, as the surface holds it
        TRect client, window;
        GetClientRect(framed, &client);
        GetWindowRect(framed, &window);
        EXPECT_EQ(client.Width(), window.Width() - Strip);
        handler = nullptr;
    }
}

// What a window DC or a client DC draws while a paint is under way stays, inside the frame too;
// the paint context itself never leaves the area it was given, whatever its clip becomes.
TEST_F(PaintTest, ContextsOpenedDuringAPaintKeepWhatTheyDrew) {
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND framed = Create(WS_CHILD | WS_VISIBLE | WS_BORDER, gdi::Bounds(10, 10, 40, 40), top);
    PumpUntilIdle();
    handler = [&](HWND wnd, UINT msg, WPARAM, LPARAM, LRESULT& result) {
        if (wnd != framed || msg != WM_PAINT) return false;
        PAINTSTRUCT ps;
        BeginPaint(wnd, &ps);
        gdi::HDC whole = GetWindowDC(wnd);
        gdi::SetPixel(whole, 0, 0, gdi::clRed);
        ReleaseDC(wnd, whole);
        gdi::HDC client = GetDC(wnd);
        gdi::SetPixel(client, 30, 30, gdi::clBlue);
        ReleaseDC(wnd, client);
        gdi::SelectClipRgn(ps.hdc, gdi::NullObject);
        gdi::HBRUSH green = gdi::CreateSolidBrush(gdi::clLime);
        TRect everywhere{-5, -5, 50, 50};
        gdi::FillRect(ps.hdc, &everywhere, green);
        gdi::DeleteObject(green);
        EndPaint(wnd, &ps);
        result = 0;
        return true;
    };
    TRect part{5, 5, 15, 15};
    InvalidateRect(framed, &part, false);
    PumpUntilIdle();
    // Surface pixels: red is 0xFF0000, blue 0x0000FF.
    EXPECT_EQ(PixelAt(framed, 0, 0), 0xFF0000u);   // the window DC, in the border
    EXPECT_EQ(PixelAt(framed, 31, 31), 0x0000FFu); // the client DC, outside the update area
    EXPECT_EQ(PixelAt(framed, 11, 11), 0x00FF00u); // the paint context, inside its area
    EXPECT_EQ(PixelAt(framed, 25, 25), SysPixel(gdi::COLOR_WINDOW));
    EXPECT_EQ(PixelAt(framed, 39, 39), SysPixel(gdi::COLOR_WINDOWFRAME));
}

// The picture shows the children as the screen does: stacked in their z-order, the hidden ones
// left out, each inside its parent's client area.
TEST_F(PaintTest, ASnapshotCompositesTheVisibleChildWindows) {
    HWND top =
        Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 80), NullHWnd, WS_EX_CLIENTEDGE);
    HWND below = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(10, 10, 40, 30), top);
    HWND above = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(30, 20, 40, 30), top);
    HWND hidden = Create(WS_CHILD, gdi::Bounds(60, 0, 30, 20), top);
    HWND inner = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(0, 20, 30, 30), below);
    PumpUntilIdle();
    auto fill = [](HWND wnd, gdi::TColor color) {
        gdi::HDC dc = GetDC(wnd);
        gdi::HBRUSH brush = gdi::CreateSolidBrush(color);
        TRect r{0, 0, 100, 100};
        gdi::FillRect(dc, &r, brush);
        gdi::DeleteObject(brush);
        ReleaseDC(wnd, dc);
    };
    fill(top, gdi::clWhite);
    fill(below, gdi::clRed);
    fill(above, gdi::clBlue);
    fill(hidden, gdi::clLime);
    fill(inner, gdi::clYellow);
    auto png = (TempFolder() / "composited.png").string();
    ASSERT_TRUE(SaveWindowPng(top, png));
    QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(100, 80));
    // The client area starts 2 pixels in, past the sunken edge.
    struct Sample {
        const char* what;
        int x, y;
        QColor color;
    };
    const gdi::COLORREF shadow = gdi::GetSysColor(gdi::COLOR_BTNSHADOW);
    const Sample samples[] = {
        {"the parent", 5, 5, Qt::white},
        {"the lower child", 14, 14, Qt::red},
        {"the upper child over the lower one", 35, 25, Qt::blue},
        {"a hidden child shows nothing", 70, 5, Qt::white},
        {"the grandchild", 20, 36, Qt::yellow},
        {"the grandchild past its parent's client area", 20, 50, Qt::white},
        {"the parent's edge", 0, 0,
         QColor(gdi::GetRValue(shadow), gdi::GetGValue(shadow), gdi::GetBValue(shadow))},
    };
    for (const Sample& s : samples)
        EXPECT_EQ(image.pixelColor(s.x, s.y), s.color) << s.what;
}

} // namespace
} // namespace platform::win::test
