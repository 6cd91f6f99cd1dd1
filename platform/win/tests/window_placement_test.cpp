// Minimised child windows as icons along the bottom of their parent, where they go back to,
// scrolling a window's children, and children cut to their parent's client area on the screen.

#include "platform/gdi/colors.h"
#include "platform/win/host_widget.h"
#include "platform/win/painting.h"
#include "platform/win/tests/win_test_support.h"
#include "platform/win/window_placement.h"

#include <QRegion>
#include <QWidget>

namespace platform::win::test {
namespace {

using PlacementTest = WindowTest;

// A window's rectangle in its parent's client coordinates.
TRect InParent(HWND wnd) {
    TRect r;
    GetWindowRect(wnd, &r);
    TPoint corners[2] = {r.TopLeft(), r.BottomRight()};
    MapWindowPoints(NullHWnd, GetParent(wnd), corners, 2);
    return {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
}

TRect NormalPosition(HWND wnd) {
    WINDOWPLACEMENT placement;
    EXPECT_TRUE(GetWindowPlacement(wnd, &placement));
    return placement.rcNormalPosition;
}

TEST_F(PlacementTest, AMinimisedChildIsAnIconInTheFirstFreePlaceAlongTheBottom) {
    // Room for three icons in a row.
    HWND parent = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 500, 300));
    const int width = gdi::GetSystemMetrics(gdi::SM_CXMINIMIZED);
    const int height = gdi::GetSystemMetrics(gdi::SM_CYMINIMIZED);
    const DWORD sizable = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME;
    std::vector<HWND> children;
    for (int i = 0; i < 4; ++i)
        children.push_back(Create(sizable, gdi::Bounds(20 * i, 10 * i, 200, 150), parent,
                                  i == 1 ? WS_EX_DLGMODALFRAME : 0));
    const auto place = [&](int index) {
        return gdi::Bounds(index % 3 * width, 300 - (index / 3 + 1) * height, width, height);
    };

    Forget();
    ShowWindow(children[0], SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(children[0]));
    EXPECT_EQ(InParent(children[0]), place(0));
    TRect client;
    GetClientRect(children[0], &client);
    EXPECT_TRUE(gdi::IsRectEmpty(client));
    const auto sizes = Got(children[0], {WM_SIZE});
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].wParam, SIZE_MINIMIZED);
    EXPECT_EQ(sizes[0].lParam, 0);
    TRect icon;
    GetWindowRect(children[0], &icon);
    EXPECT_EQ(core::SendMessage(children[0], WM_NCHITTEST, 0,
                                PointToLParam({icon.Left + 5, icon.Top + height / 2})),
              HTCAPTION);
    EXPECT_EQ(NormalPosition(children[0]), gdi::Bounds(0, 0, 200, 150));
    for (int i = 1; i < 4; ++i) {
        ShowWindow(children[i], SW_MINIMIZE);
        EXPECT_EQ(InParent(children[i]), place(i)) << i;
    }

    // Restored, a child goes back where it was; the next icon takes the place it left.
    Forget();
    ShowWindow(children[1], SW_RESTORE);
    EXPECT_EQ(InParent(children[1]), gdi::Bounds(20, 10, 200, 150));
    GetClientRect(children[1], &client);
    EXPECT_FALSE(gdi::IsRectEmpty(client));
    EXPECT_EQ(Got(children[1], {WM_SIZE}).back().wParam, SIZE_RESTORED);
    ShowWindow(children[1], SW_MINIMIZE);
    EXPECT_EQ(InParent(children[1]), place(1));

    // A new normal position is kept for later; arranging closes the rows up, lowest first.
    WINDOWPLACEMENT placement;
    GetWindowPlacement(children[2], &placement);
    placement.rcNormalPosition = gdi::Bounds(5, 5, 100, 100);
    SetWindowPlacement(children[2], &placement);
    EXPECT_EQ(InParent(children[2]), place(2));
    ShowWindow(children[0], SW_RESTORE);
    EXPECT_EQ(ArrangeIconicWindows(parent), static_cast<UINT>(height));
    EXPECT_EQ(InParent(children[1]), place(0));
    EXPECT_EQ(InParent(children[2]), place(1));
    EXPECT_EQ(InParent(children[3]), place(2));
    ShowWindow(children[2], SW_SHOWNORMAL);
    EXPECT_EQ(InParent(children[2]), gdi::Bounds(5, 5, 100, 100));
}

TEST_F(PlacementTest, ScrollingAWindowMovesItsChildrenAndWhereItsIconsGoBack) {
    HWND parent = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 500, 300));
    HWND child = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(50, 60, 100, 80), parent);
    HWND icon = Create(WS_CHILD | WS_VISIBLE | WS_CAPTION, gdi::Bounds(200, 20, 100, 80), parent);
    ShowWindow(icon, SW_MINIMIZE);
    const TRect iconAt = InParent(icon);
    PumpUntilIdle();
    ScrollWindow(parent, -30, -20, nullptr, nullptr);
    EXPECT_EQ(InParent(child), gdi::Bounds(20, 40, 100, 80));
    EXPECT_EQ(InParent(icon),
              gdi::Bounds(iconAt.Left - 30, iconAt.Top - 20, iconAt.Width(), iconAt.Height()));
    EXPECT_EQ(NormalPosition(icon), gdi::Bounds(170, 0, 100, 80));
    TRect update;
    EXPECT_TRUE(GetUpdateRect(parent, &update, 0));
}

TEST_F(PlacementTest, AChildShowsOnlyInsideItsParentsClientArea) {
    // A parent whose sunken edge takes two pixels all round.
    HWND top = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 300, 200));
    HWND parent =
        Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(10, 10, 104, 84), top, WS_EX_CLIENTEDGE);
    HWND across = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(-10, 20, 50, 20), parent);
    HWND inside = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(10, 10, 20, 20), parent);
    HWND outside = Create(WS_CHILD | WS_VISIBLE, gdi::Bounds(100, 10, 20, 20), parent);
    PumpUntilIdle();
    EXPECT_EQ(HostWidgetOf(across)->mask(), QRegion(10, 0, 40, 20));
    EXPECT_TRUE(HostWidgetOf(inside)->mask().isEmpty());
    EXPECT_TRUE(HostWidgetOf(inside)->isVisible());
    EXPECT_FALSE(HostWidgetOf(outside)->isVisible());
    // Moved in, it shows whole.
    MoveWindow(outside, 60, 10, 20, 20, 1);
    EXPECT_TRUE(HostWidgetOf(outside)->isVisible());
    EXPECT_TRUE(HostWidgetOf(outside)->mask().isEmpty());
}

} // namespace
} // namespace platform::win::test
