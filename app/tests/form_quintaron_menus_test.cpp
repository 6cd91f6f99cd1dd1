#include "app/form_quintaron.h"

#include "app/tests/main_window_fixture.h"
#include "platform/gdi/drawing.h"
#include "platform/win/painting.h"
#include "testsupport/win/input_driver.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace app::test {
namespace {

namespace bars = toolkit::bars;
namespace pg = platform::gdi;
namespace pw = platform::win;

// The main window's menus are personalised as the bar manager's defaults have them: a menu
// shows every command until some are used far more than the rest, then only those and an
// expand area, and expands by Ctrl+Down or after resting 4 s.
class MainWindowMenusTest : public MainWindowTest {
protected:
    MainWindowMenusTest() {
        driver.ActivateWindow(main.Handle());
        testsupport::PumpUntilIdle();
    }
    bars::TdxBarItemLinks& MenuBar() { return main.dxBarManager1.MainMenuBar()->ItemLinks(); }
    bars::TdxBarItemLinks& File() { return main.File1.ItemLinks(); }
    bars::TdxBarSubMenuControl* FileMenu() {
        return dynamic_cast<bars::TdxBarSubMenuControl*>(File().BarControl());
    }
    static pg::TPoint CentreOf(bars::TdxBarItemLinks& links, int index) {
        const pg::TRect r = links.VisibleItems(index)->ItemRect;
        return links.BarControl()->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    void OpenFileMenu() {
        driver.MoveTo(CentreOf(MenuBar(), 0));
        driver.Click(CentreOf(MenuBar(), 0));
        testsupport::PumpUntilIdle();
        ASSERT_NE(FileMenu(), nullptr) << "File did not open";
    }
    int OpenIndex() {
        for (int i = 0; i < File().VisibleItemCount(); ++i)
            if (File().VisibleItems(i)->Item() == &main.FileOpenItem) return i;
        return -1;
    }
    // Open asks for a file each time; the test's dialogs cancel it.
    void UseOpenTenTimes() {
        for (int use = 0; use < 10; ++use) {
            OpenFileMenu();
            const int open = OpenIndex();
            ASSERT_GE(open, 0);
            driver.MoveTo(CentreOf(File(), open));
            driver.Click(CentreOf(File(), open));
            testsupport::PumpUntilIdle();
            ASSERT_EQ(FileMenu(), nullptr);
        }
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> captions;
        for (int i = 0; i < File().VisibleItemCount(); ++i)
            captions.push_back(File().VisibleItems(i)->GetCaption());
        return captions;
    }
};

TEST_F(MainWindowMenusTest, TheFileMenuCollapsesToOpenAfterTenUsesAndCtrlDownExpandsIt) {
    OpenFileMenu();
    const int all = File().VisibleItemCount();
    EXPECT_GT(all, 5);
    driver.TypeKey(pw::VK_ESCAPE);
    driver.TypeKey(pw::VK_ESCAPE);
    testsupport::PumpUntilIdle();

    UseOpenTenTimes();
    OpenFileMenu();
    EXPECT_EQ(Shown(), std::vector<std::string>{"&Open"});
    bars::TdxBarSubMenuControl* menu = FileMenu();
    EXPECT_TRUE(menu->HasHiddenLinks());
    EXPECT_FALSE(pg::IsRectEmpty(menu->ExpandArea()));
    testsupport::SaveWindowPng(menu->Handle(), (folder / "file_menu_collapsed.png").string());

    driver.HoldKey(pw::VK_CONTROL);
    driver.TypeKey(pw::VK_DOWN);
    driver.ReleaseKey(pw::VK_CONTROL);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(FileMenu(), menu);
    EXPECT_EQ(File().VisibleItemCount(), all);
    EXPECT_FALSE(menu->HasHiddenLinks());
    EXPECT_FALSE(File().VisibleItems(OpenIndex())->Control()->RarelyUsed);
    EXPECT_TRUE(File().VisibleItems(OpenIndex() == 0 ? 1 : 0)->Control()->RarelyUsed);
    testsupport::SaveWindowPng(menu->Handle(), (folder / "file_menu_expanded.png").string());
}

TEST_F(MainWindowMenusTest, TheCollapsedFileMenuExpandsAfterResting4Seconds) {
    OpenFileMenu();
    const int all = File().VisibleItemCount();
    driver.TypeKey(pw::VK_ESCAPE);
    driver.TypeKey(pw::VK_ESCAPE);
    testsupport::PumpUntilIdle();

    UseOpenTenTimes();
    OpenFileMenu();
    clock.Advance(3999);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(File().VisibleItemCount(), 1);
    clock.Advance(1);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(File().VisibleItemCount(), all);
}

// Under the pointer an entry of the menu bar is framed as a whole: the frame reaches over the
// ink of its whole caption, the last letter included.
TEST_F(MainWindowMenusTest, TheHotFrameOfAMenuBarEntryCoversItsCaption) {
    bars::TdxBarItemLinks& bar = MenuBar();
    const pw::HWND window = bar.BarControl()->Handle();
    using Picture = std::vector<std::vector<pg::COLORREF>>;
    const auto picture = [window](const pg::TRect& r) {
        testsupport::PumpUntilIdle();
        const pg::HDC dc = pw::GetDC(window);
        Picture rows;
        for (int y = r.Top; y < r.Bottom; ++y) {
            rows.emplace_back();
            for (int x = r.Left; x < r.Right; ++x)
                rows.back().push_back(pg::GetPixel(dc, x, y) & 0xFFFFFF);
        }
        pw::ReleaseDC(window, dc);
        return rows;
    };
    // Parked on the bar's empty end, where no entry is hot.
    const pg::TRect barRect = bar.BarControl()->ClientRect();
    const pg::TPoint away = bar.BarControl()->ClientToScreen({barRect.Right - 4, barRect.Top + 4});
    for (int i = 0; i < bar.VisibleItemCount(); ++i) {
        SCOPED_TRACE(bar.VisibleItems(i)->GetCaption());
        const pg::TRect item = bar.VisibleItems(i)->ItemRect;
        driver.MoveTo(away);
        const Picture cold = picture(item);
        driver.MoveTo(CentreOf(bar, i));
        const Picture hot = picture(item);
        // The caption's ink: dark pixels of the entry at rest.
        int inkLeft = item.Right, inkRight = -1;
        for (const auto& row : cold)
            for (int x = 0; x < static_cast<int>(row.size()); ++x) {
                const pg::COLORREF c = row[static_cast<std::size_t>(x)];
                if ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 96) {
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x);
                }
            }
        ASSERT_GE(inkRight, inkLeft) << "no caption ink";
        // The frame: what changed in the entry's top rows, above the caption.
        int frameLeft = item.Right, frameRight = -1;
        for (std::size_t y = 0; y < 3 && y < hot.size(); ++y)
            for (std::size_t x = 0; x < hot[y].size(); ++x)
                if (hot[y][x] != cold[y][x]) {
                    frameLeft = std::min(frameLeft, static_cast<int>(x));
                    frameRight = std::max(frameRight, static_cast<int>(x));
                }
        ASSERT_GE(frameRight, frameLeft) << "no hot frame";
        EXPECT_LE(frameLeft, inkLeft);
        EXPECT_GE(frameRight, inkRight);
        if (i == bar.VisibleItemCount() - 1)
            testsupport::SaveWindowPng(window, (folder / "menu_bar_hot.png").string());
    }
}

} // namespace
} // namespace app::test
