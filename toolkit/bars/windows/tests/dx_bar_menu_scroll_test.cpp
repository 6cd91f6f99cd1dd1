#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_hint_window.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_menu_animation.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;

// Personalised menus in the Office11 style with the manager's defaults: "&File" holds five
// commands; a test uses Open ten times more than the rest, as a user would, by the menu.
class RecentItemsTest : public MenuFormFixture {
protected:
    RecentItemsTest() {
        MakeMainMenu();
        Manager->SetStyle(bmsOffice11);
        File = &Sub(Bar->ItemLinks(), "&File");
        for (const char* Caption : {"&New", "&Open", "&Save", "Save &As", "E&xit"})
            Button(File->ItemLinks(), Caption);
        ShowMainMenu();
    }
    void ClickFile() {
        Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
        Input.Click(CentreOf(Bar->ItemLinks(), 0));
        testsupport::PumpUntilIdle();
    }
    void UseOpenTenTimes() {
        for (int I = 0; I < 10; ++I) {
            ClickFile();
            ASSERT_NE(MenuOf(*File), nullptr);
            Input.MoveTo(CentreOf(File->ItemLinks(), 1));
            Input.Click(CentreOf(File->ItemLinks(), 1));
            testsupport::PumpUntilIdle();
            ASSERT_EQ(MenuOf(*File), nullptr);
        }
    }
    void MoveToExpandArea(TdxBarSubMenuControl& Menu) {
        const pg::TRect Expand = Menu.ExpandArea();
        Input.MoveTo(Menu.ClientToScreen({Expand.Left + 10, (Expand.Top + Expand.Bottom) / 2}));
        testsupport::PumpUntilIdle();
    }
    void CtrlDown() {
        Input.KeyDown(Qt::Key_Control);
        Input.Key(Qt::Key_Down);
        Input.KeyUp(Qt::Key_Control);
        testsupport::PumpUntilIdle();
    }
    // File's collapsed menu, opened with the slide animation and left to finish it.
    TdxBarSubMenuControl* OpenCollapsedSlidingMenu() {
        UseOpenTenTimes();
        Manager->SetMenuAnimations(maSlide);
        ClickFile();
        platform::core::RunFor(Clock, 1000);
        return MenuOf(*File);
    }
    void ExpectExpanded() {
        TdxBarSubMenuControl* Menu = MenuOf(*File);
        ASSERT_NE(Menu, nullptr);
        ASSERT_EQ(File->ItemLinks().VisibleItemCount(), 5);
        EXPECT_FALSE(Menu->HasHiddenLinks());
        EXPECT_TRUE(pg::IsRectEmpty(Menu->ExpandArea()));
        // The commands that were hidden are marked as rarely used; Open is not.
        for (int I = 0; I < 5; ++I) {
            const TdxBarItemControl* C = File->ItemLinks().VisibleItems(I)->Control();
            ASSERT_NE(C, nullptr);
            EXPECT_EQ(C->RarelyUsed, I != 1) << I;
            EXPECT_FALSE(pg::IsRectEmpty(File->ItemLinks().VisibleItems(I)->ItemRect)) << I;
        }
    }

    TdxBarSubItem* File = nullptr;
};

TEST_F(RecentItemsTest, AFreshMenuShowsEveryCommand) {
    ClickFile();
    ASSERT_NE(MenuOf(*File), nullptr);
    EXPECT_EQ(File->ItemLinks().VisibleItemCount(), 5);
    EXPECT_FALSE(MenuOf(*File)->HasHiddenLinks());
}

TEST_F(RecentItemsTest, AfterOpenIsUsedTenTimesMoreTheMenuShowsOnlyOpenAndTheExpandArea) {
    UseOpenTenTimes();
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    EXPECT_EQ(ShownCaptions(File->ItemLinks()), std::vector<std::string>{"&Open"});
    EXPECT_TRUE(Menu->HasHiddenLinks());
    const pg::TRect Open = File->ItemLinks().VisibleItems(0)->ItemRect;
    const pg::TRect Expand = Menu->ExpandArea();
    EXPECT_FALSE(pg::IsRectEmpty(Expand));
    EXPECT_GE(Expand.Top, Open.Bottom);
    EXPECT_LE(Expand.Bottom, Menu->ClientRect().Bottom);
    // The window holds the one row and the expand area, not the five rows.
    EXPECT_LT(Menu->Height(), 3 * Open.Height());
}

TEST_F(RecentItemsTest, CtrlDownExpandsTheCollapsedMenu) {
    UseOpenTenTimes();
    ClickFile();
    ASSERT_NE(MenuOf(*File), nullptr);
    const int CollapsedHeight = MenuOf(*File)->Height();
    CtrlDown();
    ExpectExpanded();
    EXPECT_GT(MenuOf(*File)->Height(), CollapsedHeight);
    EXPECT_TRUE(TCustomdxBarControl::RecentItemsExpanded());
}

// In the expanded menu a block of rarely used commands starts after a recent one; the first row
// starts one only under a detach strip, where it is no top edge of the window.
TEST_F(RecentItemsTest, ABlockOfRarelyUsedCommandsStartsAtTheFirstRowOnlyUnderADetachStrip) {
    UseOpenTenTimes();
    for (const bool Detachable : {false, true}) {
        SCOPED_TRACE(Detachable ? "detachable" : "plain");
        File->Detachable = Detachable;
        ClickFile();
        CtrlDown();
        TdxBarSubMenuControl* Menu = MenuOf(*File);
        ASSERT_NE(Menu, nullptr);
        ASSERT_EQ(Menu->IsDetachable(), Detachable);
        ASSERT_EQ(File->ItemLinks().VisibleItemCount(), 5);
        std::vector<bool> Starts;
        for (int I = 0; I < 5; ++I)
            Starts.push_back(File->ItemLinks().VisibleItems(I)->Control()->BlockStart);
        // New (rarely used), Open (recent), then Save, Save As and Exit (rarely used).
        EXPECT_EQ(Starts, (std::vector<bool>{Detachable, false, true, false, false}));
        CloseMenus();
    }
}

// The expanded menu opens again as the manager's animation shows menus: it slides out anew.
TEST_F(RecentItemsTest, ExpandingSlidesTheMenuOutAgain) {
    TdxBarSubMenuControl* Menu = OpenCollapsedSlidingMenu();
    ASSERT_NE(Menu, nullptr);
    ASSERT_FALSE(dxBarMenuAnimating(Menu));
    const auto WindowHeight = [Menu] {
        pg::TRect R{};
        pw::GetWindowRect(Menu->Handle(), &R);
        return R.Height();
    };
    const int CollapsedHeight = WindowHeight();
    CtrlDown();
    ASSERT_EQ(MenuOf(*File), Menu);
    EXPECT_TRUE(dxBarMenuAnimating(Menu));
    EXPECT_LT(WindowHeight(), CollapsedHeight);
    platform::core::RunFor(Clock, 1000);
    EXPECT_FALSE(dxBarMenuAnimating(Menu));
    ExpectExpanded();
    EXPECT_GT(WindowHeight(), CollapsedHeight);
}

// The menu growing under a resting pointer brings it a move to the same place: that is no
// move of the user's, and the menu slides out to the end.
TEST_F(RecentItemsTest, AMoveOfARestingPointerLetsTheExpansionSlideOut) {
    TdxBarSubMenuControl* Menu = OpenCollapsedSlidingMenu();
    ASSERT_NE(Menu, nullptr);
    ASSERT_FALSE(dxBarMenuAnimating(Menu));
    const pg::TPoint Rest = CentreOf(File->ItemLinks(), 0);
    Input.MoveTo(Rest);
    testsupport::PumpUntilIdle();
    CtrlDown();
    ASSERT_EQ(MenuOf(*File), Menu);
    ASSERT_TRUE(dxBarMenuAnimating(Menu));
    platform::core::SendMessage(Menu->Handle(), pw::WM_MOUSEMOVE, 0,
                                pw::PointToLParam(Menu->ScreenToClient(Rest)));
    EXPECT_TRUE(dxBarMenuAnimating(Menu));
    platform::core::RunFor(Clock, 1000);
    EXPECT_FALSE(dxBarMenuAnimating(Menu));
    ExpectExpanded();
}

TEST_F(RecentItemsTest, DownPastTheLastShownCommandExpandsAndMovesOn) {
    UseOpenTenTimes();
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    Input.Key(Qt::Key_Down);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(ShownCaptions(File->ItemLinks()), std::vector<std::string>{"&Open"});
    ASSERT_EQ(Menu->SelectedControl(), File->ItemLinks().VisibleItems(0)->Control());
    Input.Key(Qt::Key_Down);
    testsupport::PumpUntilIdle();
    ExpectExpanded();
    EXPECT_EQ(Menu->SelectedControl(), File->ItemLinks().VisibleItems(2)->Control());
}

TEST_F(RecentItemsTest, DoubleClickingTheMenuEntryShowsTheHiddenCommands) {
    UseOpenTenTimes();
    ClickFile();
    ASSERT_NE(MenuOf(*File), nullptr);
    ASSERT_EQ(ShownCaptions(File->ItemLinks()), std::vector<std::string>{"&Open"});
    // The second click of a double click on "File".
    Input.Click(CentreOf(Bar->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    ExpectExpanded();
    EXPECT_TRUE(TCustomdxBarControl::RecentItemsExpanded());
}

// The letter of a command the collapsed menu hides expands the menu: the only command of that
// letter runs; of two, the first is selected in the expanded menu.
TEST_F(RecentItemsTest, TheLetterOfAHiddenCommandExpandsTheMenu) {
    std::vector<std::string> Runs;
    Button(File->ItemLinks(), "E&xport");
    for (int I = 0; I < File->ItemLinks().Count(); ++I) {
        TdxBarItem* Item = File->ItemLinks().Items(I)->Item();
        Item->OnClick = [&Runs, Item](platform::core::TObject*) {
            Runs.push_back(Item->Caption());
        };
    }
    UseOpenTenTimes();
    Runs.clear();
    struct Case {
        int key;
        const char* text;
        std::vector<std::string> runs;
        const char* selected; // in the menu left open
    };
    for (const Case& C :
         {Case{Qt::Key_A, "a", {"Save &As"}, nullptr}, Case{Qt::Key_X, "x", {}, "E&xit"}}) {
        SCOPED_TRACE(C.text);
        Runs.clear();
        TCustomdxBarControl::SetRecentItemsExpanded(false);
        ClickFile();
        ASSERT_NE(MenuOf(*File), nullptr);
        // Open shows (with, the second time, the command the first run made recent); the
        // commands of the letter do not.
        const std::vector<std::string> Shown = ShownCaptions(File->ItemLinks());
        ASSERT_EQ(Shown.front(), "&Open");
        ASSERT_EQ(std::count(Shown.begin(), Shown.end(), "E&xit"), 0);
        ASSERT_EQ(std::count(Shown.begin(), Shown.end(), "E&xport"), 0);
        ASSERT_EQ(std::count(Shown.begin(), Shown.end(), "Save &As"), C.runs.empty() ? 1 : 0);
        Input.Key(C.key, C.text);
        testsupport::PumpUntilIdle();
        EXPECT_TRUE(TCustomdxBarControl::RecentItemsExpanded());
        EXPECT_EQ(Runs, C.runs);
        if (C.selected == nullptr) continue;
        TdxBarSubMenuControl* Menu = MenuOf(*File);
        ASSERT_NE(Menu, nullptr);
        EXPECT_EQ(File->ItemLinks().VisibleItemCount(), 6);
        ASSERT_NE(Menu->SelectedControl(), nullptr);
        EXPECT_EQ(Menu->SelectedControl()->Item()->Caption(), C.selected);
        CloseMenus();
    }
}

TEST_F(RecentItemsTest, RestingFourSecondsExpandsTheMenu) {
    UseOpenTenTimes();
    ClickFile();
    ASSERT_NE(MenuOf(*File), nullptr);
    EXPECT_EQ(MenuOf(*File)->ExpandTimerId(), 3);
    Clock.Advance(3999);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(File->ItemLinks().VisibleItemCount(), 1);
    Clock.Advance(1);
    testsupport::PumpUntilIdle();
    ExpectExpanded();
    EXPECT_EQ(MenuOf(*File)->ExpandTimerId(), 0);
}

TEST_F(RecentItemsTest, ClickingTheExpandAreaExpandsTheMenu) {
    UseOpenTenTimes();
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    const pg::TRect Expand = Menu->ExpandArea();
    const pg::TPoint Centre =
        Menu->ClientToScreen({(Expand.Left + Expand.Right) / 2, (Expand.Top + Expand.Bottom) / 2});
    Input.MoveTo(Centre);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu->MarkState(), 1);
    Input.Click(Centre);
    testsupport::PumpUntilIdle();
    ExpectExpanded();
}

TEST_F(RecentItemsTest, RestingOneSecondOnTheHotExpandAreaExpandsTheMenu) {
    UseOpenTenTimes();
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    MoveToExpandArea(*Menu);
    EXPECT_EQ(Menu->ExpandTimerId(), 3);
    Clock.Advance(999);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(File->ItemLinks().VisibleItemCount(), 1);
    Clock.Advance(1);
    testsupport::PumpUntilIdle();
    ExpectExpanded();
}

// While the user types in an edit of a collapsed menu, the mouse on the expand area leaves it
// cold: the menu does not expand (and rebuild its rows) under the text being typed.
TEST_F(RecentItemsTest, TheExpandAreaStaysColdWhileAnEditOfTheMenuHasTheInput) {
    auto& Find = Form->Own<TdxBarEdit>();
    Find.SetCaption("Find");
    File->ItemLinks().Add(&Find);
    UseOpenTenTimes();
    // Find counts as used as much as Open.
    TdxBarItemLink& FindLink = *File->ItemLinks().Items(5);
    FindLink.SetMostRecentlyUsed(false);
    FindLink.SetMostRecentlyUsed(true);
    FindLink.UseCount = File->ItemLinks().Items(1)->UseCount;
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    ASSERT_EQ(File->ItemLinks().VisibleItemCount(), 2);
    Input.MoveTo(CentreOf(File->ItemLinks(), 1));
    Input.Click(CentreOf(File->ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    auto* Edit = dynamic_cast<TdxBarEditControl*>(File->ItemLinks().VisibleItems(1)->Control());
    ASSERT_NE(Edit, nullptr);
    ASSERT_TRUE(Edit->Focused());
    MoveToExpandArea(*Menu);
    EXPECT_EQ(Menu->MarkState(), 0);
    Clock.Advance(1000);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(File->ItemLinks().VisibleItemCount(), 2);
    EXPECT_EQ(File->ItemLinks().VisibleItems(1)->Control(), Edit);
    EXPECT_TRUE(Edit->Focused());
    CloseMenus();
}

// The menu bar decides for the menus hanging from it, however deep: a bar that does not
// personalise (false) shows its menus whole, used or not. "&File" holds a sub-menu "&Recent"
// too; the first library is used once by the menus, which with half the commands counted as
// most recent is enough to leave only it and "&Recent" in a personalised menu.
class RecentItemsOfTheBarTest : public RecentItemsTest, public ::testing::WithParamInterface<bool> {
protected:
    void ClickRecent() {
        const int Last = File->ItemLinks().VisibleItemCount() - 1;
        Input.MoveTo(CentreOf(File->ItemLinks(), Last));
        Input.Click(CentreOf(File->ItemLinks(), Last));
        testsupport::PumpUntilIdle();
    }
};

TEST_P(RecentItemsOfTheBarTest, TheMenusFollowTheMenuBar) {
    const bool Personalised = GetParam();
    TdxBarSubItem& Recent = Sub(File->ItemLinks(), "&Recent");
    for (const char* Caption : {"&1 a.lib", "&2 b.lib", "&3 c.lib"})
        Button(Recent.ItemLinks(), Caption);
    Bar->SetUseRecentItems(Personalised);
    Manager->SetMostRecentItemsPercents(50);
    ClickFile();
    ClickRecent();
    ASSERT_NE(MenuOf(Recent), nullptr);
    Input.MoveTo(CentreOf(Recent.ItemLinks(), 0));
    Input.Click(CentreOf(Recent.ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    ASSERT_EQ(MenuOf(*File), nullptr);
    TCustomdxBarControl::SetRecentItemsExpanded(false);
    ClickFile();
    ASSERT_NE(MenuOf(*File), nullptr);
    using Captions = std::vector<std::string>;
    const Captions WholeFile{"&New", "&Open", "&Save", "Save &As", "E&xit", "&Recent"};
    const Captions WholeRecent{"&1 a.lib", "&2 b.lib", "&3 c.lib"};
    EXPECT_EQ(ShownCaptions(File->ItemLinks()), Personalised ? Captions({"&Recent"}) : WholeFile);
    EXPECT_EQ(MenuOf(*File)->HasHiddenLinks(), Personalised);
    ClickRecent();
    ASSERT_NE(MenuOf(Recent), nullptr);
    EXPECT_EQ(ShownCaptions(Recent.ItemLinks()),
              Personalised ? Captions({"&1 a.lib"}) : WholeRecent);
    EXPECT_EQ(MenuOf(Recent)->HasHiddenLinks(), Personalised);
}

INSTANTIATE_TEST_SUITE_P(UseRecentItems, RecentItemsOfTheBarTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& Info) {
                             return std::string(Info.param ? "On" : "Off");
                         });

TEST_F(RecentItemsTest, WithoutTheDelayTheExpandAreaOnlyShowsItsHint) {
    Manager->SetShowFullMenusAfterDelay(false);
    UseOpenTenTimes();
    ClickFile();
    TdxBarSubMenuControl* Menu = MenuOf(*File);
    ASSERT_NE(Menu, nullptr);
    EXPECT_EQ(Menu->ExpandTimerId(), 0);
    MoveToExpandArea(*Menu);
    EXPECT_EQ(Menu->MarkState(), 1);
    EXPECT_EQ(Menu->ExpandTimerId(), 0);
    platform::core::RunFor(Clock, platform::core::Millis(1000));
    TdxBarHintWindow& Hint = dxBarHintWindow();
    ASSERT_TRUE(Hint.HandleAllocated() && pw::IsWindowVisible(Hint.Handle()));
    EXPECT_EQ(Hint.Caption(), "Expand (Ctrl-Down)");
    platform::core::RunFor(Clock, platform::core::Millis(5000));
    EXPECT_EQ(File->ItemLinks().VisibleItemCount(), 1);
}

// A command of a popup menu dropped down from a sub-menu is a use of that sub-menu's entry
// too: the collapsed menu above it shows the entry afterwards.
TEST_F(RecentItemsTest, UsingAPopupMenuOpenedFromASubMenuKeepsItsEntryRecent) {
    TdxBarSubItem& More = Sub(File->ItemLinks(), "&More");
    TdxBarButton& Send = Button(More.ItemLinks(), "Se&nd");
    Send.SetButtonStyle(bsDropDown);
    auto& Popup = Form->Own<TdxBarPopupMenu>();
    Popup.SetUseRecentItems(true);
    Button(Popup.ItemLinks(), "&Mail");
    Send.SetDropDownMenu(&Popup);
    UseOpenTenTimes();
    ClickFile();
    ASSERT_EQ(ShownCaptions(File->ItemLinks()), std::vector<std::string>{"&Open"});
    CtrlDown();
    ASSERT_NE(MenuOf(*File), nullptr);
    ASSERT_EQ(File->ItemLinks().VisibleItemCount(), 6);
    Input.MoveTo(CentreOf(File->ItemLinks(), 5));
    Input.Click(CentreOf(File->ItemLinks(), 5));
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* MoreMenu = MenuOf(More);
    ASSERT_NE(MoreMenu, nullptr);
    // Send's drop-down, by the keys.
    Input.Key(Qt::Key_Down);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(MoreMenu->SelectedControl(), More.ItemLinks().VisibleItems(0)->Control());
    Input.Key(Qt::Key_Right);
    testsupport::PumpUntilIdle();
    ASSERT_NE(Popup.GetSubMenuControl(), nullptr);
    ASSERT_EQ(Popup.GetSubMenuControl()->ParentBarControl(), MoreMenu);
    Input.Key(Qt::Key_Return);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(MenuOf(*File), nullptr);

    ClickFile();
    EXPECT_EQ(ShownCaptions(File->ItemLinks()), (std::vector<std::string>{"&Open", "&More"}));
}

// A sub-item with 60 commands on a screen whose work area is 600 pixels high.
class MenuScrollTest : public MenuFormFixture {
protected:
    MenuScrollTest() {
        pw::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 600}}});
        MakeMainMenu();
        Manager->SetStyle(bmsOffice11);
        Long = &Sub(Bar->ItemLinks(), "&Long");
        for (int I = 0; I < 60; ++I)
            Button(Long->ItemLinks(), "Command " + std::to_string(I + 1));
        ShowMainMenu();
        Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
        Input.Click(CentreOf(Bar->ItemLinks(), 0));
        testsupport::PumpUntilIdle();
        Menu = MenuOf(*Long);
    }
    pg::TPoint CentreOnScreen(const pg::TRect& R) const {
        return Menu->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    TdxBarSubItem* Long = nullptr;
    TdxBarSubMenuControl* Menu = nullptr;
};

TEST_F(MenuScrollTest, TheMenuIsCutAtTheWorkAreaAndShowsOnlyTheDownArrow) {
    ASSERT_NE(Menu, nullptr);
    EXPECT_EQ(Menu->Top() + Menu->Height(), 600);
    EXPECT_EQ(Menu->TopIndex(), 0);
    EXPECT_FALSE(Menu->CanScrollUp());
    EXPECT_TRUE(Menu->CanScrollDown());
    EXPECT_TRUE(pg::IsRectEmpty(Menu->ScrollUpArea()));
    EXPECT_FALSE(pg::IsRectEmpty(Menu->ScrollDownArea()));
}

TEST_F(MenuScrollTest, RestingOnTheBottomAreaScrollsOneRowPer80MsAndStopsAtTheLastCommand) {
    ASSERT_NE(Menu, nullptr);
    const int Rows = Menu->VisibleRowCount();
    ASSERT_LT(Rows, 60);
    Input.MoveTo(CentreOnScreen(Menu->ScrollDownArea()));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu->ScrollTimerId(), 1);
    EXPECT_EQ(Menu->SelectedControl(), nullptr);
    Clock.Advance(79);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu->TopIndex(), 0);
    int Ticks = 0;
    while (Menu->CanScrollDown() && Ticks < 100) {
        Clock.Advance(80);
        testsupport::PumpUntilIdle();
        ++Ticks;
        ASSERT_EQ(Menu->TopIndex(), Ticks) << "one row per tick";
    }
    EXPECT_EQ(Menu->TopIndex() + Menu->VisibleRowCount(), 60);
    EXPECT_FALSE(pg::IsRectEmpty(Long->ItemLinks().VisibleItems(59)->ItemRect));
    // The next tick finds nothing more to scroll and stops the timer.
    Clock.Advance(80);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu->ScrollTimerId(), 0);
    const int Top = Menu->TopIndex();
    Clock.Advance(800);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu->TopIndex(), Top);
    EXPECT_TRUE(Menu->CanScrollUp());
}

TEST_F(MenuScrollTest, LeavingTheAreaStopsTheScrolling) {
    ASSERT_NE(Menu, nullptr);
    Input.MoveTo(CentreOnScreen(Menu->ScrollDownArea()));
    testsupport::PumpUntilIdle();
    for (int Tick = 0; Tick < 2; ++Tick) {
        Clock.Advance(80);
        testsupport::PumpUntilIdle();
    }
    EXPECT_EQ(Menu->TopIndex(), 2);
    Input.MoveTo(CentreOf(Long->ItemLinks(), 5));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu->ScrollTimerId(), 0);
    Clock.Advance(800);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu->TopIndex(), 2);
    EXPECT_EQ(Menu->SelectedControl(), Long->ItemLinks().VisibleItems(5)->Control());
    // Both arrows now; the picture stays with QUINTARON_KEEP_TEST_FILES.
    EXPECT_FALSE(pg::IsRectEmpty(Menu->ScrollUpArea()));
    EXPECT_FALSE(pg::IsRectEmpty(Menu->ScrollDownArea()));
    testsupport::TempFolder Temp("menu_scroll_");
    ASSERT_FALSE(Temp.Path().empty());
    EXPECT_TRUE(testsupport::SaveWindowPng(Menu->Handle(), Temp.PathOf("scrolled_menu.png")));
}

TEST_F(MenuScrollTest, SelectingTheLastCommandByKeyboardScrollsItIntoView) {
    ASSERT_NE(Menu, nullptr);
    Input.Key(Qt::Key_End);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Menu->SelectedControl(), Long->ItemLinks().VisibleItems(59)->Control());
    EXPECT_FALSE(Menu->CanScrollDown());
    EXPECT_FALSE(pg::IsRectEmpty(Long->ItemLinks().VisibleItems(59)->ItemRect));
    Input.Key(Qt::Key_Home);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu->TopIndex(), 0);
}

} // namespace
} // namespace toolkit::bars
