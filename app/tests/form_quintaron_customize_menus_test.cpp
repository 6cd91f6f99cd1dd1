#include "app/form_quintaron.h"

#include "app/tests/main_window_fixture.h"
#include "platform/forms/dialogs.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_customizing_popup.h"
#include "toolkit/bars/customizing/dx_bar_name_ed.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include <algorithm>
#include <string>
#include <vector>

namespace app::test {
namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;

// The main window's menus and toolbar with the Customize dialog open.
class MainCustomizeMenusTest : public MainWindowTest {
protected:
    MainCustomizeMenusTest() {
        manager.Customizing(true);
        testsupport::PumpUntilIdle();
    }
    ~MainCustomizeMenusTest() override {
        manager.Customizing(false);
        testsupport::PumpUntilIdle();
    }

    bars::TdxBarManager& manager = main.dxBarManager1;
    bars::TdxBarItemLinks& menuLinks = manager.MainMenuBar()->ItemLinks();
    bars::TdxBar& tools = *manager.Bars()->FindByName("ToolBar");

    bars::TdxBarControl& Toolbar() { return *dynamic_cast<bars::TdxBarControl*>(tools.Control()); }
    // What a bar window shows now, row by row, its size first; with Width, only the window's
    // columns left of it.
    static std::vector<pg::COLORREF> Picture(bars::TCustomdxBarControl& window, int width = -1) {
        const auto surface = pw::WindowSurface(window.Handle());
        if (width < 0) width = surface->Width();
        std::vector<pg::COLORREF> result{static_cast<pg::COLORREF>(surface->Width()),
                                         static_cast<pg::COLORREF>(surface->Height())};
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < std::min(width, surface->Width()); ++x)
                result.push_back(surface->Pixel(x, y) & 0xFFFFFF);
        return result;
    }
    std::vector<pg::COLORREF> Picture(int width = -1) { return Picture(Toolbar(), width); }
    // The window column where the toolbar's links end (the mark follows, drawn for the bar's
    // state: in menu mode or not).
    int LinksEnd() {
        bars::TdxBarItemLinks& links = tools.ItemLinks();
        const pw::TRect last = links.VisibleItems(links.VisibleItemCount() - 1)->ItemRect;
        return Toolbar().ClientToScreen({last.Right, 0}).X - Toolbar().WindowToScreen({0, 0}).X;
    }
    // What a bar window shows once it is laid out and painted from scratch.
    static std::vector<pg::COLORREF> FreshPicture(bars::TCustomdxBarControl& window) {
        window.RefreshLayout();
        pw::RedrawWindow(window.Handle(), nullptr, pg::NullObject,
                         pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_UPDATENOW);
        testsupport::PumpUntilIdle();
        return Picture(window);
    }
    std::vector<pg::COLORREF> FreshPicture() { return FreshPicture(Toolbar()); }
    // Where two pictures of one window differ: "" when they are the same, else the size or the
    // box of the differing pixels.
    static std::string Difference(const std::vector<pg::COLORREF>& a,
                                  const std::vector<pg::COLORREF>& b) {
        if (a.size() < 2 || a[0] != b.at(0) || a[1] != b.at(1) || a.size() != b.size())
            return "another size";
        const int width = static_cast<int>(a[0]);
        int left = width, top = 1 << 30, right = -1, bottom = -1;
        for (std::size_t i = 2; i < a.size(); ++i)
            if (a[i] != b[i]) {
                const int x = static_cast<int>(i - 2) % width, y = static_cast<int>(i - 2) / width;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        if (right < 0) return "";
        return "differs in x " + std::to_string(left) + ".." + std::to_string(right) + ", y " +
               std::to_string(top) + ".." + std::to_string(bottom);
    }
    void Drag(pw::TPoint from, pw::TPoint to) {
        driver.Press(from);
        driver.MoveTo({from.X + 8, from.Y});
        driver.MoveTo(to);
        driver.Release(to);
        testsupport::PumpUntilIdle();
    }

    // Presses on the first command of the Help category in the Customize dialog's Commands
    // page and moves on until its drag starts; that command.
    bars::TdxBarItem& PressHelpCommand() {
        bars::TdxBarCustomizingForm* dialog = bars::GetCustomizingForm();
        EXPECT_NE(dialog, nullptr);
        dialog->PageControl().SetActivePage(&dialog->CommandsPage());
        testsupport::PumpUntilIdle();
        bars::TdxBarCustomizingCommands& page = dialog->Commands();
        const int help = page.LCategories().Items().IndexOf("Help");
        EXPECT_GE(help, 0);
        Click(RowCentre(page.LCategories(), help));
        const pw::TPoint from = RowCentre(page.LCommands(), 0);
        driver.Press(from);
        driver.MoveTo({from.X + 8, from.Y});
        testsupport::PumpUntilIdle();
        bars::TdxBarItemDragging* drag = bars::TdxBarItemDragging::Current();
        EXPECT_NE(drag, nullptr);
        EXPECT_EQ(drag->Link(), nullptr);
        return *drag->Item();
    }
    static pw::TPoint RowCentre(platform::forms::TListBox& list, int row) {
        return list.ClientToScreen(Centre(list.ItemRect(row)));
    }
    static pw::TPoint Centre(const pw::TRect& r) {
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    static pw::TPoint CentreOf(bars::TdxBarItemLinks& links, int index) {
        return links.BarControl()->ClientToScreen(Centre(links.VisibleItems(index)->ItemRect));
    }
    void Click(pw::TPoint p) {
        driver.Click(p);
        testsupport::PumpUntilIdle();
    }
    // The menu windows the manager holds now.
    std::vector<bars::TdxBarSubMenuControl*> Menus() {
        std::vector<bars::TdxBarSubMenuControl*> result;
        for (int i = 0; i < manager.ComponentCount(); ++i)
            if (auto* menu = dynamic_cast<bars::TdxBarSubMenuControl*>(manager.Components(i)))
                result.push_back(menu);
        return result;
    }
};

// Every entry of the main menu opens its one menu at the first press, the next press on it
// closes it, and a press on another entry opens that one instead.
TEST_F(MainCustomizeMenusTest, EachMainMenuEntryOpensItsMenuAtEveryPress) {
    ASSERT_NE(bars::GetCustomizingForm(), nullptr);
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < menuLinks.VisibleItemCount(); ++i) {
            SCOPED_TRACE(menuLinks.VisibleItems(i)->GetCaption());
            auto& sub = *dynamic_cast<bars::TdxBarSubItem*>(menuLinks.VisibleItems(i)->Item());
            Click(CentreOf(menuLinks, i));
            auto* menu = dynamic_cast<bars::TdxBarSubMenuControl*>(sub.ItemLinks().BarControl());
            ASSERT_NE(menu, nullptr);
            EXPECT_TRUE(pw::IsWindowVisible(menu->Handle()));
            EXPECT_EQ(Menus(), std::vector<bars::TdxBarSubMenuControl*>{menu});
            if (round == 1) {
                Click(CentreOf(menuLinks, i));
                EXPECT_EQ(sub.ItemLinks().BarControl(), nullptr);
                EXPECT_TRUE(Menus().empty());
            }
        }
}

// A button dragged off the toolbar leaves no gap, and Reset brings the nine buttons back drawn
// as they were, both at once: nothing waits for the window to be laid out by a resize.
TEST_F(MainCustomizeMenusTest, ADraggedOffButtonAndResetRedrawTheToolbarAtOnce) {
    ASSERT_EQ(tools.ItemLinks().Count(), 9);
    const int designedEnd = LinksEnd();
    const std::vector<pg::COLORREF> designed = Picture(designedEnd);
    Drag(CentreOf(tools.ItemLinks(), 1),
         main.ClientToScreen({main.ClientWidth() / 2, main.ClientHeight() / 2}));
    ASSERT_EQ(tools.ItemLinks().Count(), 8);
    const std::vector<pg::COLORREF> dragged = Picture();
    EXPECT_EQ(dragged, FreshPicture());

    bars::TdxBarCustomizingForm* dialog = bars::GetCustomizingForm();
    ASSERT_NE(dialog, nullptr);
    dialog->BarsListBox().SetItemIndex(dialog->BarsListBox().IndexOfBar(&tools));
    dialog->BarsListBoxClick();
    {
        platform::forms::TDialogScript script;
        script.Answer("Are you sure you want to reset the changes made to the 'ToolBar' toolbar?",
                      platform::forms::IDOK);
        Click(dialog->BBarReset().ClientToScreen({10, 10}));
        EXPECT_TRUE(script.Done());
    }
    ASSERT_EQ(tools.ItemLinks().Count(), 9);
    EXPECT_EQ(LinksEnd(), designedEnd);
    EXPECT_EQ(Picture(designedEnd), designed);
}

// "Text Only (Always)" from the customising popup: the button shows its caption alone, without
// its image, as wide as the caption, at once.
TEST_F(MainCustomizeMenusTest, TextOnlyAlwaysRedrawsTheButtonAtItsNewWidth) {
    bars::TdxBarItemLink* link = tools.ItemLinks().Items(0);
    const int before = link->ItemRect.Width();
    driver.Click(CentreOf(tools.ItemLinks(), 0), Qt::RightButton);
    testsupport::PumpUntilIdle();
    bars::TdxBarCustomizingPopup* popup = bars::TdxBarCustomizingPopup::Current();
    ASSERT_NE(popup, nullptr);
    bars::TdxBarItemLinks& entries = popup->Entries();
    int textOnly = -1;
    for (int i = 0; i < entries.VisibleItemCount(); ++i)
        if (entries.VisibleItems(i)->GetCaption() == "&Text Only (Always)") textOnly = i;
    ASSERT_GE(textOnly, 0);
    Click(CentreOf(entries, textOnly));
    ASSERT_EQ(link->GetPaintStyle(), bars::psCaption);
    EXPECT_NE(link->ItemRect.Width(), before);
    // What shows is what the bar draws from scratch with the command's image gone.
    const std::vector<pg::COLORREF> shown = Picture();
    ASSERT_GE(link->Item()->ImageIndex(), 0);
    link->Item()->SetImageIndex(-1);
    EXPECT_EQ(shown, FreshPicture());
}

// A command dragged from the Customize dialog's Commands page onto the toolbar shows there at
// once, the toolbar laid out and drawn as from scratch.
TEST_F(MainCustomizeMenusTest, ACommandDroppedOnTheToolbarShowsThereAtOnce) {
    bars::TdxBarItem& about = PressHelpCommand();
    const pw::TRect first = tools.ItemLinks().VisibleItems(0)->ItemRect;
    const pw::TPoint to = Toolbar().ClientToScreen({first.Right - 2, Centre(first).Y});
    driver.MoveTo(to);
    driver.Release(to);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(tools.ItemLinks().Count(), 10);
    EXPECT_EQ(tools.ItemLinks().Items(1)->Item(), &about);
    const std::vector<pg::COLORREF> shown = Picture();
    EXPECT_EQ(Difference(shown, FreshPicture()), "");
}

// Held over "&File", a command dragged from the Customize dialog opens the File menu; dropped
// there it shows at once in the menu, which stays open.
TEST_F(MainCustomizeMenusTest, ACommandHeldOverFileOpensItsMenuAndDropsIntoIt) {
    bars::TdxBarItem& about = PressHelpCommand();
    auto& file = *dynamic_cast<bars::TdxBarSubItem*>(menuLinks.Items(0)->Item());
    bars::TdxBarItemLinks& links = file.ItemLinks();
    ASSERT_EQ(links.BarControl(), nullptr);
    driver.MoveTo(CentreOf(menuLinks, 0));
    testsupport::PumpUntilIdle();
    auto* menu = dynamic_cast<bars::TdxBarSubMenuControl*>(links.BarControl());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(pw::IsWindowVisible(menu->Handle()));
    const int count = links.Count();
    // Down into the menu, onto the lower half of its first command.
    const pw::TRect first = links.VisibleItems(0)->ItemRect;
    const pw::TPoint to = menu->ClientToScreen({Centre(first).X, first.Bottom - 2});
    driver.MoveTo(to);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(links.BarControl(), menu);
    driver.Release(to);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(bars::TdxBarItemDragging::Current(), nullptr);
    ASSERT_EQ(links.Count(), count + 1);
    EXPECT_EQ(links.Items(1)->Item(), &about);
    ASSERT_EQ(links.BarControl(), menu);
    EXPECT_TRUE(pw::IsWindowVisible(menu->Handle()));
    const std::vector<pg::COLORREF> shown = Picture(*menu);
    EXPECT_EQ(Difference(shown, FreshPicture(*menu)), "");
}

// In the File menu opened by a press on its entry, a command dragged up to the top: the menu
// stays open from the drag's start to the drop, and shows the command first at once.
TEST_F(MainCustomizeMenusTest, ACommandDraggedInsideItsOpenMenuMovesThere) {
    auto& file = *dynamic_cast<bars::TdxBarSubItem*>(menuLinks.Items(0)->Item());
    bars::TdxBarItemLinks& links = file.ItemLinks();
    Click(CentreOf(menuLinks, 0));
    auto* menu = dynamic_cast<bars::TdxBarSubMenuControl*>(links.BarControl());
    ASSERT_NE(menu, nullptr);
    const int last = links.VisibleItemCount() - 1;
    bars::TdxBarItem* exit = links.VisibleItems(last)->Item();
    const pw::TPoint from = CentreOf(links, last);
    driver.Press(from);
    driver.MoveTo({from.X, from.Y - 6});
    testsupport::PumpUntilIdle();
    ASSERT_NE(bars::TdxBarItemDragging::Current(), nullptr);
    ASSERT_EQ(links.BarControl(), menu);
    EXPECT_TRUE(pw::IsWindowVisible(menu->Handle()));
    const pw::TRect first = links.VisibleItems(0)->ItemRect;
    const pw::TPoint to = menu->ClientToScreen({Centre(first).X, first.Top + 2});
    driver.MoveTo(to);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(links.BarControl(), menu);
    driver.Release(to);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(links.Items(0)->Item(), exit);
    ASSERT_EQ(links.BarControl(), menu);
    EXPECT_TRUE(pw::IsWindowVisible(menu->Handle()));
    const std::vector<pg::COLORREF> shown = Picture(*menu);
    EXPECT_EQ(Difference(shown, FreshPicture(*menu)), "");
}

// A new toolbar floats wide enough for its caption and its close box.
TEST_F(MainCustomizeMenusTest, ANewToolbarShowsItsCaptionAndCloseBox) {
    auto previous = bars::SetdxBarNameQuery(
        [](bars::TdxBarNameMode, std::string&, bars::TdxBar*, bars::TdxBars*) { return true; });
    bars::TdxBarCustomizingForm* dialog = bars::GetCustomizingForm();
    ASSERT_NE(dialog, nullptr);
    Click(dialog->BBarNew().ClientToScreen({10, 10}));
    bars::SetdxBarNameQuery(previous);
    bars::TdxBar* bar = manager.Bars()->FindByName("Custom 1");
    ASSERT_NE(bar, nullptr);
    auto& window = *dynamic_cast<bars::TdxBarControl*>(bar->Control());
    ASSERT_TRUE(pw::IsWindowVisible(window.Handle()));
    testsupport::SaveWindowPng(window.Handle(), (folder / "new_toolbar.png").string());
    const pw::TRect caption = window.GetCaptionRect();
    const pw::TRect close = window.GetCloseButtonRect();
    // The close box lies whole in the caption, the mark (when shown) before it, and the caption's
    // text before both, whole: its light ink ends before them, not cut by them.
    EXPECT_GE(close.Left, caption.Left);
    EXPECT_LE(close.Right, caption.Right);
    const int textEnd = window.HasCaptionMark()
                            ? std::min(window.GetMarkWindowRect().Left, close.Left)
                            : close.Left;
    const auto surface = pw::WindowSurface(window.Handle());
    const auto light = [&](int x, int y) {
        const pg::COLORREF c = surface->Pixel(x, y) & 0xFFFFFF;
        return pg::GetRValue(c) > 200 && pg::GetGValue(c) > 200 && pg::GetBValue(c) > 200;
    };
    int lastText = -1;
    for (int x = caption.Left; x < textEnd; ++x)
        for (int y = caption.Top; y < caption.Bottom; ++y)
            if (light(x, y)) lastText = x;
    EXPECT_GT(lastText, caption.Left + 20) << "no caption";
    EXPECT_LT(lastText, textEnd - 1) << "the caption is cut";
    // The close box's glyph is drawn whole.
    int glyph = 0;
    for (int x = close.Left; x < close.Right; ++x)
        for (int y = close.Top; y < close.Bottom; ++y)
            if (light(x, y)) ++glyph;
    EXPECT_GT(glyph, 8);
}

// Dragged by its caption to any side of the main window and held there, the floating toolbar
// docks on that side's site: over the edge of the work area as over a site with bars.
TEST_F(MainWindowTest, AFloatingToolbarDocksOnEverySideOfTheMainWindow) {
    bars::TdxBarManager& manager = main.dxBarManager1;
    bars::TdxBar& tools = *manager.Bars()->FindByName("ToolBar");
    bars::TdxBars& bars = *manager.Bars();
    const int w = main.ClientWidth(), h = main.ClientHeight();
    const struct {
        const char* side;
        pw::TPoint at; // in the main window's client area
        bars::TdxBarDockingStyle style;
    } sides[] = {
        {"left", {5, h / 2}, bars::dsLeft},
        {"right", {w - 5, h / 2}, bars::dsRight},
        {"top", {w / 2, 5}, bars::dsTop}, // below the site, which the menu bar alone fills
        {"bottom", {w / 2, h - 5}, bars::dsBottom},
    };
    for (const auto& side : sides) {
        SCOPED_TRACE(side.side);
        tools.SetDockingStyle(bars::dsNone);
        testsupport::PumpUntilIdle();
        auto& window = *dynamic_cast<bars::TdxBarControl*>(tools.Control());
        ASSERT_EQ(window.DockingStyle(), bars::dsNone);
        const pw::TRect caption = window.GetCaptionRect();
        const pw::TPoint grab = window.WindowToScreen({caption.Left + 6, caption.Top + 3});
        pw::TPoint at = side.at;
        if (side.style == bars::dsTop) at.Y += bars.DockControls(bars::dsTop)->Height();
        const pw::TPoint to = main.ClientToScreen(at);
        driver.Press(grab);
        driver.MoveTo({grab.X + 10, grab.Y + 10});
        driver.MoveTo(to);
        testsupport::PumpUntilIdle();
        Run(platform::core::Millis(manager.WaitForDockingTime() + 1));
        testsupport::PumpUntilIdle();
        driver.Release(to);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(tools.DockingStyle(), side.style);
        EXPECT_EQ(dynamic_cast<bars::TdxBarControl*>(tools.Control())->DockingStyle(), side.style);
    }
}

} // namespace
} // namespace app::test
