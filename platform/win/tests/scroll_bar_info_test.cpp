#include "platform/win/panning_cursors.h"
#include "platform/win/scroll_bar_info.h"

#include "platform/win/tests/win_test_support.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>

namespace platform::win::test {
namespace {

TEST_F(WindowTest, ScrollBarInfoIsReportedUnavailableAndTheBarInvisible) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    EXPECT_FALSE(IsScrollBarInfoAvailable());
    for (std::int32_t id : {OBJID_HSCROLL, OBJID_VSCROLL}) {
        SCROLLBARINFO info;
        info.xyThumbTop = 7;
        EXPECT_FALSE(GetScrollBarInfo(wnd, id, &info));
        EXPECT_EQ(info.cbSize, 60u);
        EXPECT_EQ(info.xyThumbTop, 0);
        EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_INVISIBLE);
    }
}

TEST_F(WindowTest, EachPanningCursorIsMadeOnceWithItsHotSpotInTheMiddle) {
    const PanningCursor kinds[] = {
        PanningCursor::Full,  PanningCursor::Horizontal, PanningCursor::Vertical, PanningCursor::Up,
        PanningCursor::Right, PanningCursor::Down,       PanningCursor::Left};
    std::vector<HCURSOR> seen;
    for (PanningCursor kind : kinds) {
        const HCURSOR cursor = LoadPanningCursor(kind);
        ASSERT_NE(cursor, NullCursor);
        EXPECT_EQ(LoadPanningCursor(kind), cursor);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), cursor), 0);
        seen.push_back(cursor);
        const QCursor q = QtCursorOf(cursor);
        EXPECT_EQ(q.hotSpot(), QPoint(16, 16));
    }
    // The up arrow is drawn above the middle only; the vertical mark both above and below.
    const QImage up = QtCursorOf(LoadPanningCursor(PanningCursor::Up)).pixmap().toImage();
    const QImage vertical =
        QtCursorOf(LoadPanningCursor(PanningCursor::Vertical)).pixmap().toImage();
    EXPECT_EQ(qAlpha(up.pixel(16, 4)), 255);
    EXPECT_EQ(qAlpha(up.pixel(16, 27)), 0);
    EXPECT_EQ(qAlpha(vertical.pixel(16, 27)), 255);
    EXPECT_EQ(qAlpha(vertical.pixel(27, 16)), 0);
}

} // namespace
} // namespace platform::win::test
