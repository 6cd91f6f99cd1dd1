#include "app/form_quintaron.h"

#include "app/tests/main_window_fixture.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

namespace app::test {
namespace {

namespace pw = platform::win;

// The main window's toolbar taken off the top site by its handle and back by its caption.
class MainToolbarTest : public MainWindowTest {
protected:
    bars::TdxBar& tools = *main.dxBarManager1.Bars()->FindByName("ToolBar");
    bars::TdxBar& menu = *main.dxBarManager1.MainMenuBar();
    bars::TdxDockControl& top = *main.dxBarManager1.Bars()->DockControls(bars::dsTop);

    bars::TdxBarControl& Window(bars::TdxBar& bar) {
        return *dynamic_cast<bars::TdxBarControl*>(bar.Control());
    }
};

TEST_F(MainToolbarTest, TheToolbarFloatsOffTheTopSiteAndDocksBackInItsRow) {
    driver.ActivateWindow(main.Handle());
    testsupport::PumpUntilIdle();
    ASSERT_EQ(tools.DockingStyle(), bars::dsTop);
    const int menuRow = Window(menu).Height();
    const pw::TPoint handle = Window(tools).WindowToScreen({3, Window(tools).Height() / 2});
    const pw::TPoint below{handle.X + 300, top.ClientToScreen({0, top.ClientHeight()}).Y + 100};
    driver.Press(handle);
    driver.MoveTo({handle.X + 150, handle.Y + 50});
    driver.MoveTo(below);
    driver.Release(below);
    testsupport::PumpUntilIdle();

    ASSERT_EQ(tools.DockingStyle(), bars::dsNone);
    const pw::HWND floating = Window(tools).Handle();
    EXPECT_NE(pw::GetWindowLong(floating, pw::GWL_EXSTYLE) & pw::WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(pw::GetWindowText(floating), "ToolBar");
    EXPECT_TRUE(pw::IsWindowVisible(floating));
    pw::TRect r;
    pw::GetWindowRect(floating, &r);
    EXPECT_EQ(r.Left, tools.FloatLeft());
    EXPECT_EQ(r.Top, tools.FloatTop());
    EXPECT_EQ(top.RowCount(), 1);
    EXPECT_EQ(top.ClientHeight(), menuRow);
    testsupport::SaveWindowPng(main.Handle(),
                               (folder / "main_window_floating_toolbar.png").string());
    testsupport::SaveWindowPng(floating, (folder / "floating_toolbar.png").string());

    // A double click on its caption docks it below the menu bar again.
    const pw::TRect caption = Window(tools).GetCaptionRect();
    const pw::TPoint on = Window(tools).WindowToScreen({caption.Left + 8, caption.Top + 4});
    driver.Click(on);
    driver.Click(on);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(tools.DockingStyle(), bars::dsTop);
    EXPECT_EQ(top.IndexOfRow(top.FindCol(tools.Control())->Row), 1);
    EXPECT_EQ(tools.Control()->BoundsRect().Top, menu.Control()->BoundsRect().Bottom);
}

TEST_F(MainToolbarTest, TheCommandsTakeTheirStatesAgainWhenCustomizingEnds) {
    // Without a library, Close is disabled; something enabled it meanwhile.
    ASSERT_FALSE(main.FileCloseItem.Enabled());
    main.dxBarManager1.Customizing(true);
    main.FileCloseItem.SetEnabled(true);
    main.dxBarManager1.Customizing(false);
    EXPECT_FALSE(main.dxBarManager1.IsCustomizing());
    EXPECT_FALSE(main.FileCloseItem.Enabled());
}

} // namespace
} // namespace app::test
