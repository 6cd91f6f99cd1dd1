#include "app/form_quintaron.h"

#include "app/tests/main_window_fixture.h"
#include "testsupport/win/input_driver.h"
#include "toolkit/bars/dx_bar.h"
#include "toolkit/bars/dx_bar_item_control.h"
#include "toolkit/bars/dx_bar_menu_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app::test {
namespace {

namespace bars = toolkit::bars;
namespace pg = platform::gdi;

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
    driver.Key(Qt::Key_Escape);
    driver.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();

    UseOpenTenTimes();
    OpenFileMenu();
    EXPECT_EQ(Shown(), std::vector<std::string>{"&Open"});
    bars::TdxBarSubMenuControl* menu = FileMenu();
    EXPECT_TRUE(menu->HasHiddenLinks());
    EXPECT_FALSE(pg::IsRectEmpty(menu->ExpandArea()));
    testsupport::SaveWindowPng(menu->Handle(), (folder / "file_menu_collapsed.png").string());

    driver.KeyDown(Qt::Key_Control);
    driver.Key(Qt::Key_Down);
    driver.KeyUp(Qt::Key_Control);
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
    driver.Key(Qt::Key_Escape);
    driver.Key(Qt::Key_Escape);
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

} // namespace
} // namespace app::test
