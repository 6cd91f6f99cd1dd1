// The manager's options and style set at run time reach its windows at once: a new style
// repaints the bars, large icons resize them, the close button appears on the main menu bar,
// the dock sites take a sunken border, bars whose commands all went hide and come back, and
// floating bars follow HideFloatingBarsWhenInactive as soon as it changes.

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_dock_control.h"

#include "toolkit/base/office11.h"

#include "platform/gdi/visual_styles.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;

class ManagerRefreshTest : public MenuFormFixture {
protected:
    ManagerRefreshTest() {
        MakeOffice11MainMenu();
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        Button(Tools->ItemLinks(), "New");
        Button(Tools->ItemLinks(), "Open");
        ShowBars();
        Input.MoveTo(Form->ClientToScreen({600, 250}));
        testsupport::PumpUntilIdle();
    }
    TdxBarControl& ToolWindow() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    // A row of a window's client pixels.
    static std::vector<pg::COLORREF> Row(TCustomdxBarControl& W, int Y) {
        const pg::TPoint Client = W.ClientToScreen({0, 0}), Origin = W.WindowToScreen({0, 0});
        const auto Surface = pw::WindowSurface(W.Handle());
        std::vector<pg::COLORREF> Result;
        for (int X = 0; X < W.ClientWidth(); ++X)
            Result.push_back(pg::PixelToColor(
                Surface->Pixel(X + Client.X - Origin.X, Y + Client.Y - Origin.Y) & 0xFFFFFF));
        return Result;
    }
};

TEST_F(ManagerRefreshTest, ANewStyleRepaintsTheBarsAtOnce) {
    const std::vector<pg::COLORREF> Office = Row(ToolWindow(), 2);
    Manager->SetStyle(bmsStandard);
    testsupport::PumpUntilIdle();
    EXPECT_NE(Row(ToolWindow(), 2), Office);
    Manager->SetStyle(bmsOffice11);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Row(ToolWindow(), 2), Office);
}

TEST_F(ManagerRefreshTest, LargeIconsResizeTheToolbarsAtOnce) {
    const int Height = ToolWindow().Height();
    ASSERT_EQ(Tools->ItemLinks().Items(0)->ItemRect.Height(), Manager->ButtonHeight());
    Manager->SetLargeIcons(true);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Manager->ButtonHeight(), 32 + 6);
    EXPECT_EQ(Tools->ItemLinks().Items(0)->ItemRect.Height(), 32 + 6);
    EXPECT_EQ(ToolWindow().Height(), Height + 16);
    Manager->SetLargeIcons(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ToolWindow().Height(), Height);
}

TEST_F(ManagerRefreshTest, ShowCloseButtonPutsTheButtonOnTheMainMenuBar) {
    TdxBarControl& Menu = BarWindow();
    ASSERT_FALSE(Menu.HasMDIButtons());
    const std::vector<pg::COLORREF> Before = Row(Menu, Menu.ClientHeight() / 2);
    Manager->SetShowCloseButton(true);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Menu.HasMDIButtons());
    EXPECT_NE(Row(Menu, Menu.ClientHeight() / 2), Before);
}

TEST_F(ManagerRefreshTest, SunkenBorderFramesTheDockSitesAtOnce) {
    TdxDockControl& Top = *Manager->Bars()->DockControls(dsTop);
    const int Inset = Top.Width() - Top.ClientWidth();
    Manager->SetSunkenBorder(true);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Top.Width() - Top.ClientWidth(), Inset + 2);
    Manager->SetSunkenBorder(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Top.Width() - Top.ClientWidth(), Inset);
}

// The toolbar's commands are all of one category: hiding the category's items hides the bar,
// showing them shows it again; a bar that was empty before is left alone.
TEST_F(ManagerRefreshTest, AutoHideEmptyBarsHidesABarWhoseCommandsAllWent) {
    Manager->Categories().Add("Tools");
    for (int I = 0; I < Tools->ItemLinks().Count(); ++I)
        Tools->ItemLinks().Items(I)->Item()->SetCategory(1);
    Manager->SetAutoHideEmptyBars(true);
    Manager->SetCategoryItemsVisible(1, ivNever);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Tools->Visible());
    EXPECT_TRUE(Tools->HiddenBecauseEmpty);
    EXPECT_TRUE(Bar->Visible());
    Manager->SetCategoryItemsVisible(1, ivAlways);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Tools->Visible());
    EXPECT_FALSE(Tools->HiddenBecauseEmpty);
}

TEST_F(ManagerRefreshTest, HideFloatingBarsWhenInactiveActsWhenItChanges) {
    Tools->SetFloatLeft(300);
    Tools->SetFloatTop(200);
    Tools->SetDockingStyle(dsNone);
    Input.ActivateWindow(Form->Handle());
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(pw::IsWindowVisible(ToolWindow().Handle()));
    Input.DeactivateApplication();
    testsupport::PumpUntilIdle();
    ASSERT_FALSE(Manager->FormActive());
    ASSERT_FALSE(pw::IsWindowVisible(ToolWindow().Handle()));
    Manager->SetHideFloatingBarsWhenInactive(false);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(pw::IsWindowVisible(ToolWindow().Handle()));
    Manager->SetHideFloatingBarsWhenInactive(true);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(pw::IsWindowVisible(ToolWindow().Handle()));
}

} // namespace
} // namespace toolkit::bars
