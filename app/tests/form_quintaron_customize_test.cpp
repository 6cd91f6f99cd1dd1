#include "app/form_quintaron.h"

#include "app/tests/main_window_fixture.h"
#include "platform/forms/dialogs.h"
#include "platform/gdi/surface.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_customizing_options.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include <string>
#include <vector>

namespace app::test {
namespace {

namespace pw = platform::win;

// The main window customised at run time: the toolbars popup, the toolbar's mark and the
// customizing mode that "&Customize..." turns on.
class MainCustomizeTest : public MainWindowTest {
protected:
    bars::TdxBarManager& manager = main.dxBarManager1;
    bars::TdxBar& tools = *manager.Bars()->FindByName("ToolBar");
    bars::TdxDockControl& top = *manager.Bars()->DockControls(bars::dsTop);

    bars::TdxBarControl& Toolbar() { return *dynamic_cast<bars::TdxBarControl*>(tools.Control()); }
    bars::TdxBarCustomizePopups& Popups() { return bars::TdxBarCustomizePopups::Of(manager); }
    static pw::TPoint Centre(const pw::TRect& r) {
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    static pw::TPoint CentreOf(bars::TdxBarItemLinks& links, int index) {
        return links.BarControl()->ClientToScreen(Centre(links.VisibleItems(index)->ItemRect));
    }
    static std::vector<std::string> Captions(const bars::TdxBarItemLinks& links) {
        std::vector<std::string> result;
        for (int i = 0; i < links.VisibleItemCount(); ++i)
            result.push_back(links.VisibleItems(i)->GetCaption());
        return result;
    }
    // Right-clicks the top site beside the toolbar.
    bars::TdxBarItemLinks& OpenToolbarsPopup() {
        const pw::TPoint p = top.ClientToScreen(
            {top.ClientWidth() - 4, Toolbar().BoundsRect().Top + Toolbar().Height() / 2});
        driver.Click(p, Qt::RightButton);
        testsupport::PumpUntilIdle();
        return Popups().ToolbarsPopup().ItemLinks();
    }
    void SavePng(const char* name) {
        testsupport::SaveWindowPng(main.Handle(), (folder / name).string());
    }
};

TEST_F(MainCustomizeTest, RightClickingTheTopSiteListsTheToolbarAndCustomize) {
    bars::TdxBarItemLinks& links = OpenToolbarsPopup();
    ASSERT_NE(Popups().ToolbarsPopup().GetSubMenuControl(), nullptr);
    EXPECT_EQ(Captions(links), (std::vector<std::string>{"ToolBar", "&Customize..."}));
    auto* entry = dynamic_cast<bars::TdxBarButton*>(links.VisibleItems(0)->Item());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->ButtonStyle(), bars::bsChecked);
    EXPECT_TRUE(entry->Down());
    SavePng("main_window_toolbars_popup.png");
}

TEST_F(MainCustomizeTest, TheMarkListsTheNineLinksWithCheckMarks) {
    ASSERT_TRUE(Toolbar().HasMark());
    driver.Click(Centre(Toolbar().GetMarkScreenRect()));
    testsupport::PumpUntilIdle();
    ASSERT_NE(Popups().QuickControl(), nullptr);
    bars::TdxBarItemLinks& quick = *Popups().QuickControl()->ItemLinks();
    driver.Click(CentreOf(quick, quick.VisibleItemCount() - 1));
    testsupport::PumpUntilIdle();
    bars::TdxBarItemLinks& sub = Popups().QuickSubItem().ItemLinks();
    ASSERT_GE(sub.VisibleItemCount(), 9);
    for (int i = 0; i < 9; ++i) {
        auto* entry = dynamic_cast<bars::TdxBarButton*>(sub.VisibleItems(i)->Item());
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->Caption(), tools.ItemLinks().Items(i)->GetCaption());
        EXPECT_TRUE(entry->Down()) << i;
    }
    SavePng("main_window_quick_customize.png");

    // Unchecking "&Open" by the mouse hides it on the toolbar at once.
    driver.MoveTo(CentreOf(sub, 0));
    driver.Click(CentreOf(sub, 1));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(tools.ItemLinks().Items(1)->Visible());
    EXPECT_EQ(tools.ItemLinks().VisibleItemCount(), 8);
}

// A button hidden or shown from "&Add or Remove Buttons" is on the toolbar as soon as the
// click is handled: what the toolbar shows then is what a fresh repaint of it shows.
TEST_F(MainCustomizeTest, HidingAndShowingAButtonReachesTheToolbarAtOnce) {
    const auto Pixels = [](platform::win::HWND wnd) {
        const auto surface = platform::win::WindowSurface(wnd);
        std::vector<platform::gdi::Pixel32> result;
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x)
                result.push_back(surface->Pixel(x, y));
        return result;
    };
    driver.Click(Centre(Toolbar().GetMarkScreenRect()));
    testsupport::PumpUntilIdle();
    ASSERT_NE(Popups().QuickControl(), nullptr);
    bars::TdxBarItemLinks& quick = *Popups().QuickControl()->ItemLinks();
    driver.MoveTo(CentreOf(quick, quick.VisibleItemCount() - 1));
    driver.Click(CentreOf(quick, quick.VisibleItemCount() - 1));
    testsupport::PumpUntilIdle();
    bars::TdxBarItemLinks& sub = Popups().QuickSubItem().ItemLinks();
    ASSERT_GE(sub.VisibleItemCount(), 9);
    const std::vector<platform::gdi::Pixel32> before = Pixels(Toolbar().Handle());
    for (bool shown : {false, true}) {
        driver.MoveTo(CentreOf(sub, 1));
        driver.Click(CentreOf(sub, 1));
        testsupport::PumpUntilIdle();
        ASSERT_EQ(tools.ItemLinks().Items(1)->Visible(), shown);
        const std::vector<platform::gdi::Pixel32> seen = Pixels(Toolbar().Handle());
        pw::InvalidateRect(Toolbar().Handle(), nullptr, true);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(seen, Pixels(Toolbar().Handle())) << (shown ? "shown" : "hidden");
        if (!shown) {
            EXPECT_NE(seen, before);
        }
    }
}

TEST_F(MainCustomizeTest, WhileCustomizingACommandDoesNotRunAndEndingRestoresTheStates) {
    // Without a library, Close is disabled.
    ASSERT_FALSE(main.FileCloseItem.Enabled());
    bars::TdxBarItemLinks& links = OpenToolbarsPopup();
    ASSERT_EQ(links.VisibleItemCount(), 2);
    driver.Click(CentreOf(links, 1));
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(manager.IsCustomizing());

    // "&New" is selected, not run.
    driver.Click(CentreOf(tools.ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(main.MDIChildCount(), 0);
    SavePng("main_window_customizing.png");

    // Something enabled Close meanwhile: ending customizing gives it its state again.
    main.FileCloseItem.SetEnabled(true);
    manager.Customizing(false);
    EXPECT_FALSE(main.FileCloseItem.Enabled());
    driver.Click(CentreOf(tools.ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(main.MDIChildCount(), 1);
}

TEST_F(MainCustomizeTest, CustomizeFromTheToolbarsPopupOpensTheDialogOverADisabledWindow) {
    std::vector<std::string> proposals;
    auto previous = bars::SetdxBarNameQuery(
        [&](bars::TdxBarNameMode, std::string& name, bars::TdxBar*, bars::TdxBars*) {
            proposals.push_back(name);
            return true;
        });
    bars::TdxBarItemLinks& links = OpenToolbarsPopup();
    driver.Click(CentreOf(links, 1));
    testsupport::PumpUntilIdle();
    bars::TdxBarCustomizingForm* dialog = bars::GetCustomizingForm();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(manager.IsCustomizing());
    EXPECT_FALSE(pw::IsWindowEnabled(main.Handle()));
    testsupport::SaveWindowPng(dialog->Handle(),
                               (folder / "main_window_customize_dialog.png").string());
    const auto click = [&](platform::forms::TControl& control) {
        driver.Click(control.ClientToScreen({control.Width() / 2, control.Height() / 2}));
        testsupport::PumpUntilIdle();
    };

    // The toolbar still takes a drag: "&Open" dropped on nothing goes.
    ASSERT_EQ(tools.ItemLinks().Count(), 9);
    const pw::TPoint from = CentreOf(tools.ItemLinks(), 1);
    driver.Press(from);
    driver.MoveTo({from.X + 6, from.Y});
    driver.MoveTo(main.ClientToScreen({main.ClientWidth() / 2, main.ClientHeight() / 2}));
    driver.Release(main.ClientToScreen({main.ClientWidth() / 2, main.ClientHeight() / 2}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(tools.ItemLinks().Count(), 8);

    // "New..." proposes "Custom 1"; the user's bar goes again.
    click(dialog->BBarNew());
    EXPECT_EQ(proposals, (std::vector<std::string>{"Custom 1"}));
    bars::TdxBar* mine = manager.Bars()->FindByName("Custom 1");
    ASSERT_NE(mine, nullptr);
    {
        platform::forms::TDialogScript script;
        script.Answer("Are you sure you want to delete the 'Custom 1' toolbar?",
                      platform::forms::IDOK);
        click(dialog->BBarDelete());
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(manager.Bars()->FindByName("Custom 1"), nullptr);

    // Reset brings the nine designed links back.
    const int row = dialog->BarsListBox().IndexOfBar(&tools);
    ASSERT_GE(row, 0);
    dialog->BarsListBox().SetItemIndex(row);
    dialog->BarsListBoxClick();
    ASSERT_TRUE(dialog->BBarReset().Enabled());
    {
        platform::forms::TDialogScript script;
        script.Answer("Are you sure you want to reset the changes made to the 'ToolBar' toolbar?",
                      platform::forms::IDOK);
        click(dialog->BBarReset());
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(tools.ItemLinks().Count(), 9);

    click(dialog->BClose());
    EXPECT_EQ(bars::GetCustomizingForm(), nullptr);
    EXPECT_FALSE(manager.IsCustomizing());
    EXPECT_TRUE(pw::IsWindowEnabled(main.Handle()));
    bars::SetdxBarNameQuery(previous);
}

// The program's own toolbars (present when the main window was loaded) are not the user's to
// rename: Rename stays disabled on them as Delete does on the main menu, which cannot be closed;
// on a toolbar the user made, both are enabled.
TEST_F(MainCustomizeTest, RenameIsDisabledForTheToolbarsTheProgramDesigned) {
    auto previous = bars::SetdxBarNameQuery(
        [&](bars::TdxBarNameMode, std::string&, bars::TdxBar*, bars::TdxBars*) { return true; });
    manager.Customizing(true);
    testsupport::PumpUntilIdle();
    bars::TdxBarCustomizingForm* dialog = bars::GetCustomizingForm();
    ASSERT_NE(dialog, nullptr);
    dialog->BBarNew().Click();
    testsupport::PumpUntilIdle();
    bars::TdxBar* mine = manager.Bars()->FindByName("Custom 1");
    ASSERT_NE(mine, nullptr);
    bars::TdxBar* menu = manager.Bars()->FindByName("Main Menu");
    ASSERT_NE(menu, nullptr);

    const struct {
        const char* what;
        bars::TdxBar* bar;
        bool rename, remove;
    } rows[] = {
        {"the program's toolbar", &tools, false, true},
        {"the program's main menu", menu, false, false},
        {"the user's toolbar", mine, true, true},
        {"the program's toolbar again", &tools, false, true},
    };
    for (const auto& row : rows) {
        // A click on the row's caption, beside its check box.
        const int index = dialog->BarsListBox().IndexOfBar(row.bar);
        ASSERT_GE(index, 0) << row.what;
        const pw::TRect check = dialog->BarsListBox().CheckRect(index);
        driver.Click(dialog->BarsListBox().ClientToScreen(
            {check.Right + 30, (check.Top + check.Bottom) / 2}));
        testsupport::PumpUntilIdle();
        ASSERT_EQ(dialog->BarsListBox().ItemIndex(), index) << row.what;
        EXPECT_EQ(dialog->BBarRename().Enabled(), row.rename) << row.what;
        EXPECT_EQ(dialog->BBarDelete().Enabled(), row.remove) << row.what;
    }
    manager.Customizing(false);
    testsupport::PumpUntilIdle();
    bars::SetdxBarNameQuery(previous);
}

TEST_F(MainCustomizeTest, DraggingOpenFromTheCommandsPageOntoTheToolbarAddsALink) {
    manager.Customizing(true);
    testsupport::PumpUntilIdle();
    bars::TdxBarCustomizingForm* dialog = bars::GetCustomizingForm();
    ASSERT_NE(dialog, nullptr);
    ASSERT_FALSE(pw::IsWindowEnabled(main.Handle()));
    dialog->PageControl().SetActivePage(&dialog->CommandsPage());
    testsupport::PumpUntilIdle();
    bars::TdxBarCustomizingCommands& page = dialog->Commands();
    const auto rowCentre = [](platform::forms::TListBox& list, int row) {
        return list.ClientToScreen(Centre(list.ItemRect(row)));
    };

    // The category of "&Open", then the command itself.
    bars::TdxBarItem* open = nullptr;
    for (int i = 0; i < manager.GetItemCount() && open == nullptr; ++i)
        if (manager.GetItem(i)->Caption() == "&Open") open = manager.GetItem(i);
    ASSERT_NE(open, nullptr);
    int categoryRow = -1;
    for (int row = 0; row < page.LCategories().Items().Count(); ++row)
        if (bars::GetCategoryRealIndex(manager, row) == open->Category()) categoryRow = row;
    ASSERT_GE(categoryRow, 0);
    driver.Click(rowCentre(page.LCategories(), categoryRow));
    testsupport::PumpUntilIdle();
    const int commandRow = page.LCommands().IndexOfItem(open);
    ASSERT_GE(commandRow, 0);
    driver.Click(rowCentre(page.LCommands(), commandRow));
    testsupport::PumpUntilIdle();
    testsupport::SaveWindowPng(dialog->Handle(),
                               (folder / "main_window_customize_commands.png").string());

    // Dropped on the right half of the last link, "&Open" goes to the toolbar's end.
    const int count = tools.ItemLinks().Count();
    bars::TdxBarItemLinks& links = tools.ItemLinks();
    const pw::TRect last = links.VisibleItems(links.VisibleItemCount() - 1)->ItemRect;
    const pw::TPoint to = Toolbar().ClientToScreen({last.Right - 2, Centre(last).Y});
    const pw::TPoint from = rowCentre(page.LCommands(), commandRow);
    driver.Press(from);
    driver.MoveTo({from.X + 8, from.Y});
    driver.MoveTo(to);
    driver.Release(to);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(links.Count(), count + 1);
    EXPECT_EQ(links.Items(count)->Item(), open);
    SavePng("main_window_customize_commands_dropped.png");

    // A drag whose first move goes straight to the toolbar still carries the command pressed,
    // not the one the list's own tracking would select on the way.
    const int next = commandRow + 1 < page.LCommands().platform::forms::TListBox::Items().Count()
                         ? commandRow + 1
                         : 0;
    driver.Click(rowCentre(page.LCommands(), next));
    testsupport::PumpUntilIdle();
    const pw::TPoint pressed = rowCentre(page.LCommands(), next);
    bars::TdxBarItem* expected = page.LCommands().Items(next);
    const pw::TRect end = links.VisibleItems(links.VisibleItemCount() - 1)->ItemRect;
    const pw::TPoint toEnd = Toolbar().ClientToScreen({end.Right - 2, Centre(end).Y});
    driver.Press(pressed);
    driver.MoveTo(toEnd);
    driver.Release(toEnd);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(links.Count(), count + 2);
    EXPECT_EQ(links.Items(count + 1)->Item(), expected);

    driver.Click(dialog->BClose().ClientToScreen({10, 10}));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(pw::IsWindowEnabled(main.Handle()));
}

TEST_F(MainCustomizeTest, WithTheDialogOpenAPressPutsTheBarUnderItInMenuMode) {
    manager.Customizing(true);
    testsupport::PumpUntilIdle();
    ASSERT_NE(bars::GetCustomizingForm(), nullptr);
    bars::TdxBarItemLinks& menuLinks = manager.MainMenuBar()->ItemLinks();
    auto& menu = *dynamic_cast<bars::TdxBarControl*>(manager.MainMenuBar()->Control());

    driver.Click(CentreOf(tools.ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(manager.MenuModeToolbar(), &Toolbar());
    EXPECT_EQ(Toolbar().SelectedControl(), tools.ItemLinks().Items(1)->Control());

    // The menu bar takes menu mode over; its link can be dragged to the toolbar's end.
    driver.Click(CentreOf(menuLinks, 1));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Toolbar().Active());
    EXPECT_EQ(manager.MenuModeToolbar(), &menu);
    EXPECT_EQ(menu.SelectedControl(), menuLinks.Items(1)->Control());
    bars::TdxBarItem* moved = menuLinks.Items(1)->Item();
    const int count = tools.ItemLinks().Count();
    const pw::TRect last =
        tools.ItemLinks().VisibleItems(tools.ItemLinks().VisibleItemCount() - 1)->ItemRect;
    const pw::TPoint from = CentreOf(menuLinks, 1);
    const pw::TPoint to = Toolbar().ClientToScreen({last.Right - 2, Centre(last).Y});
    driver.Press(from);
    driver.MoveTo({from.X + 8, from.Y});
    driver.MoveTo(to);
    driver.Release(to);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(tools.ItemLinks().Count(), count + 1);
    EXPECT_EQ(tools.ItemLinks().Items(count)->Item(), moved);
    manager.Customizing(false);
    testsupport::PumpUntilIdle();
}

TEST_F(MainCustomizeTest, TheDialogsOptionsPageShowsTheEnhancedPanel) {
    bars::TdxBarItemLinks& links = OpenToolbarsPopup();
    driver.Click(CentreOf(links, 1));
    testsupport::PumpUntilIdle();
    bars::TdxBarCustomizingForm* dialog = bars::GetCustomizingForm();
    ASSERT_NE(dialog, nullptr);
    platform::forms::TPageControl& pages = dialog->PageControl();
    driver.Click(pages.ClientToScreen(Centre(pages.TabRect(2))));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pages.ActivePage(), &dialog->OptionsPage());
    bars::TdxBarCustomizingOptions& options = *dialog->Options();
    EXPECT_TRUE(options.EnhancedOptionsPanel().Visible());
    EXPECT_FALSE(options.StandardOptionsPanel().Visible());
    EXPECT_TRUE(options.CBMenusShowRecentItemsFirst().Checked());
    testsupport::SaveWindowPng(dialog->Handle(),
                               (folder / "main_window_customize_options.png").string());
    driver.Click(dialog->BClose().ClientToScreen({10, 10}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(bars::GetCustomizingForm(), nullptr);
}

} // namespace
} // namespace app::test
