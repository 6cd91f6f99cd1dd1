#include "toolkit/bars/windows/dx_bar_quick_customize.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_cust_items.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"
#include "toolkit/base/office11.h"

#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// The main window's two bars: "Main Menu" in row 0 of the top site and "ToolBar" with nine
// buttons in row 1, each counting its clicks.
class QuickCustomizeTest : public MenuFormFixture {
protected:
    QuickCustomizeTest() {
        MakeOffice11MainMenu();
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        for (int I = 0; I < 9; ++I) {
            Button(Tools->ItemLinks(), "Command" + std::to_string(I + 1)).OnClick =
                [this, I](pc::TObject*) { Clicked.push_back(I + 1); };
            Tools->ItemLinks().Items(I)->SetBeginGroup(I == 3 || I == 6);
        }
        Form->Show();
        Bar->SetVisible(true);
        Tools->SetVisible(true);
        testsupport::PumpUntilIdle();
    }

    TdxBarControl& Toolbar() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    TdxBarCustomizePopups& Popups() { return TdxBarCustomizePopups::Of(*Manager); }
    static pg::TPoint Centre(const pg::TRect& R) {
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
    void ClickMark() {
        Input.Click(Centre(Toolbar().GetMarkScreenRect()));
        testsupport::PumpUntilIdle();
    }
    // Opens "&Add or Remove Buttons" from the open quick menu.
    TdxBarItemLinks& OpenSubMenu() {
        TdxBarItemLinks& Quick = *Popups().QuickControl()->ItemLinks();
        Input.Click(CentreOf(Quick, Quick.VisibleItemCount() - 1));
        testsupport::PumpUntilIdle();
        return Popups().QuickSubItem().ItemLinks();
    }
    void SavePng(const std::string& Name) {
        const std::string Path = ::testing::TempDir() + Name;
        EXPECT_TRUE(testsupport::SaveWindowPng(Form->Handle(), Path));
    }

    std::vector<int> Clicked;
};

TEST_F(QuickCustomizeTest, RightClickOnTheDockSiteListsTheToolbarAndCustomize) {
    TdxDockControl& Site = *Toolbar().DockSite();
    Input.Click(Site.ClientToScreen({Site.Width() - 4, Site.Height() - 4}), Qt::RightButton);
    testsupport::PumpUntilIdle();
    TdxBarPopupMenu& Popup = Popups().ToolbarsPopup();
    ASSERT_NE(Popup.GetSubMenuControl(), nullptr);
    EXPECT_EQ(ShownCaptions(Popup.ItemLinks()),
              (std::vector<std::string>{"ToolBar", "&Customize..."}));
    auto* Entry = dynamic_cast<TdxBarButton*>(Popup.ItemLinks().VisibleItems(0)->Item());
    ASSERT_NE(Entry, nullptr);
    EXPECT_EQ(Entry->ButtonStyle(), bsChecked);
    EXPECT_TRUE(Entry->Down());
    SavePng("toolbars_popup.png");

    Input.Click(CentreOf(Popup.ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Manager->IsCustomizing());
    EXPECT_EQ(Popup.GetSubMenuControl(), nullptr);
}

TEST_F(QuickCustomizeTest, ADoubleClickOnTheDockSiteStartsCustomizingWhenTheManagerAllows) {
    TdxDockControl& Site = *Toolbar().DockSite();
    // Beside the toolbar, on the site itself.
    const pg::TPoint P = Site.ClientToScreen({Site.Width() - 4, Toolbar().Top() + 4});
    ASSERT_GT(Site.Width() - 4, Toolbar().Left() + Toolbar().Width());
    Manager->CanCustomize = false;
    Input.Click(P);
    Input.Click(P);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Manager->IsCustomizing());
    Clock.Advance(1000);
    Manager->CanCustomize = true;
    Input.Click(P);
    Input.Click(P);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Manager->IsCustomizing());
}

TEST_F(QuickCustomizeTest, WithoutCanCustomizeTheListsHaveNoCustomizeEntry) {
    Manager->CanCustomize = false;
    Input.Click(Toolbar().ClientToScreen({2, 2}), Qt::RightButton);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ShownCaptions(Popups().ToolbarsPopup().ItemLinks()),
              (std::vector<std::string>{"ToolBar"}));
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
    ClickMark();
    TdxBarItemLinks& Sub = OpenSubMenu();
    for (const std::string& Caption : ShownCaptions(Sub))
        EXPECT_NE(Caption, "&Customize...");
}

TEST_F(QuickCustomizeTest, CustomizeInTheSubMenuStartsCustomizing) {
    ClickMark();
    TdxBarItemLinks& Sub = OpenSubMenu();
    Input.Click(CentreOf(Sub, Sub.VisibleItemCount() - 1));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Manager->IsCustomizing());
    EXPECT_TRUE(Clicked.empty());
}

TEST_F(QuickCustomizeTest, TheToolbarsEntryHidesAndTheRightClickOnAToolbarOpensIt) {
    Input.Click(Toolbar().ClientToScreen({2, 2}), Qt::RightButton);
    testsupport::PumpUntilIdle();
    TdxBarPopupMenu& Popup = Popups().ToolbarsPopup();
    ASSERT_NE(Popup.GetSubMenuControl(), nullptr);
    Input.Click(CentreOf(Popup.ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Tools->Visible());
    EXPECT_TRUE(Bar->Visible());
}

TEST_F(QuickCustomizeTest, TheMarkOpensTheQuickMenuAndItsSubMenuListsEveryLinkChecked) {
    Tools->ItemLinks().Items(1)->Item()->Hint = "Second|The second command";
    ClickMark();
    EXPECT_EQ(Toolbar().MarkState(), 2);
    TdxBarQuickControl* Quick = Popups().QuickControl();
    ASSERT_NE(Quick, nullptr);
    // Nothing is cut off: only the sub-menu.
    EXPECT_EQ(ShownCaptions(*Quick->ItemLinks()),
              (std::vector<std::string>{"&Add or Remove Buttons"}));
    EXPECT_EQ(Quick->BoundsRect().Right, Toolbar().GetMarkScreenRect().Right);

    TdxBarItemLinks& Sub = OpenSubMenu();
    ASSERT_GE(Sub.VisibleItemCount(), 9);
    for (int I = 0; I < 9; ++I) {
        auto* Entry = dynamic_cast<TdxBarButton*>(Sub.VisibleItems(I)->Item());
        ASSERT_NE(Entry, nullptr);
        EXPECT_EQ(Entry->Caption(), "Command" + std::to_string(I + 1));
        EXPECT_TRUE(Entry->Down()) << I;
    }
    EXPECT_EQ(Sub.VisibleItems(Sub.VisibleItemCount() - 1)->GetCaption(), "&Customize...");
    // An entry takes its toolbar link's hint.
    EXPECT_EQ(Sub.VisibleItems(1)->Item()->Hint, "Second|The second command");
    SavePng("quick_customize.png");

    // Unchecking the third entry hides its link on the toolbar at once.
    auto* Third = dynamic_cast<TdxBarButton*>(Sub.VisibleItems(2)->Item());
    Third->Click();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Third->Down());
    EXPECT_FALSE(Tools->ItemLinks().Items(2)->Visible());
    EXPECT_EQ(Tools->ItemLinks().VisibleItemCount(), 8);
    EXPECT_TRUE(Clicked.empty());
}

// The menu of "Add or Remove Buttons" has a second glyph column after the check column,
// solid in the band's dark colour; an ordinary menu has none.
TEST_F(QuickCustomizeTest, TheAddOrRemoveMenuShowsASecondGlyphColumn) {
    // The longest run of the band's dark colour across the middle of a menu row.
    const auto Dark = static_cast<pg::COLORREF>(toolkit::base::dxOffice11BarGradientDark());
    auto DarkRun = [Dark](TdxBarSubMenuControl& Menu, const pg::TRect& Row) {
        int Longest = 0, Run = 0;
        for (int X = 0; X < Menu.ClientWidth(); ++X) {
            Run = ClientPixel(Menu, X, (Row.Top + Row.Bottom) / 2) == Dark ? Run + 1 : 0;
            Longest = std::max(Longest, Run);
        }
        return Longest;
    };
    ClickMark();
    TdxBarItemLinks& Sub = OpenSubMenu();
    auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(Sub.BarControl());
    ASSERT_NE(Menu, nullptr);
    const int W = Menu->GetGlyphAreaWidth();
    EXPECT_GE(W, Menu->TextSize());
    // "&Customize...": no check mark over the column.
    EXPECT_GE(DarkRun(*Menu, Sub.VisibleItems(Sub.VisibleItemCount() - 1)->ItemRect), W);
    CloseMenus();
    ASSERT_EQ(Popups().QuickControl(), nullptr);

    TdxBarSubItem& File = *dynamic_cast<TdxBarSubItem*>(Bar->ItemLinks().Items(0)->Item());
    Button(File.ItemLinks(), "&Open");
    Input.Click(CentreOf(Bar->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* FileMenu = MenuOf(File);
    ASSERT_NE(FileMenu, nullptr);
    EXPECT_EQ(FileMenu->GetGlyphAreaWidth(), 0);
    EXPECT_LT(DarkRun(*FileMenu, File.ItemLinks().VisibleItems(0)->ItemRect), 3);
}

TEST_F(QuickCustomizeTest, TheMouseUnchecksASubMenuEntryAndTheMenusStayOpen) {
    ClickMark();
    TdxBarItemLinks& Quick = *Popups().QuickControl()->ItemLinks();
    Input.MoveTo(CentreOf(Quick, Quick.VisibleItemCount() - 1));
    TdxBarItemLinks& Sub = OpenSubMenu();
    ASSERT_NE(Sub.BarControl(), nullptr);
    // The pointer travels onto the sub-menu and down to the third entry.
    const pg::TPoint Third = CentreOf(Sub, 2);
    const pg::TPoint First = CentreOf(Sub, 0);
    Input.MoveTo(First);
    testsupport::PumpUntilIdle();
    Input.MoveTo(Third);
    testsupport::PumpUntilIdle();
    ASSERT_NE(Sub.BarControl(), nullptr);
    ASSERT_NE(Popups().QuickControl(), nullptr);

    Input.Click(Third);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Tools->ItemLinks().Items(2)->Visible());
    EXPECT_EQ(Tools->ItemLinks().VisibleItemCount(), 8);
    EXPECT_TRUE(Clicked.empty());
    // The entry keeps its menu open: the next one goes as well.
    ASSERT_NE(Sub.BarControl(), nullptr);
    Input.Click(CentreOf(Sub, 3));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Tools->ItemLinks().Items(3)->Visible());
    EXPECT_EQ(Tools->ItemLinks().VisibleItemCount(), 7);
    SavePng("quick_customize_unchecked.png");
}

TEST_F(QuickCustomizeTest, ANarrowWindowPutsTheCutOffButtonsInTheQuickMenu) {
    // Find the width at which exactly the last three buttons no longer fit.
    const int Needed = Tools->ItemLinks().VisibleItems(5)->ItemRect.Right;
    const int Extra = Form->Width() - Toolbar().ClientWidth();
    Form->SetBounds(0, 0, Needed + Extra + 14, 300);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Toolbar().Truncated());
    ClickMark();
    TdxBarItemLinks& Quick = *Popups().QuickControl()->ItemLinks();
    EXPECT_EQ(ShownCaptions(Quick), (std::vector<std::string>{"Command7", "Command8", "Command9",
                                                              "&Add or Remove Buttons"}));
    SavePng("quick_customize_cut_off.png");
    Input.Click(CentreOf(Quick, 1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Clicked, (std::vector<int>{8}));
    EXPECT_EQ(Popups().QuickControl(), nullptr);
    EXPECT_EQ(Toolbar().MarkState(), 0);
}

TEST_F(QuickCustomizeTest, ASecondPressOnTheMarkClosesTheQuickMenu) {
    ClickMark();
    ASSERT_NE(Popups().QuickControl(), nullptr);
    ClickMark();
    EXPECT_EQ(Popups().QuickControl(), nullptr);
    EXPECT_NE(Toolbar().MarkState(), 2);
}

// "&Reset Toolbar" of a designed toolbar asks first; Cancel leaves the user's changes. The
// sub-menu's entries are the quick-customise items, each with its check column.
TEST_F(QuickCustomizeTest, ResetToolbarAsksBeforeItResets) {
    Tools->SetDesignIdentity(1);
    Tools->ItemLinks().Items(4)->SetVisible(false);
    testsupport::PumpUntilIdle();
    ClickMark();
    TdxBarItemLinks& Sub = OpenSubMenu();
    ASSERT_NE(Sub.BarControl(), nullptr);
    const std::vector<std::string> Entries = ShownCaptions(Sub);
    const auto Found = std::find(Entries.begin(), Entries.end(), "&Reset Toolbar");
    ASSERT_NE(Found, Entries.end());
    const int Reset = static_cast<int>(Found - Entries.begin());
    EXPECT_NE(dynamic_cast<TdxBarQuickCustExtButton*>(Sub.VisibleItems(Reset)->Item()), nullptr);
    EXPECT_NE(dynamic_cast<TdxBarQuickCustItem*>(Sub.VisibleItems(0)->Item()), nullptr);
    EXPECT_NE(dynamic_cast<TdxBarQuickCustItemControl*>(Sub.VisibleItems(0)->Control()), nullptr);

    pf::TDialogScript Script;
    Script.Answer("Are you sure you want to reset the changes made to the 'ToolBar' toolbar?",
                  pf::IDCANCEL);
    Input.MoveTo(CentreOf(Sub, Reset));
    Input.Click(CentreOf(Sub, Reset));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Script.Asked().size(), 1u);
    EXPECT_TRUE(Script.Mismatches().empty());
    EXPECT_TRUE(Script.Done());
    EXPECT_FALSE(Tools->ItemLinks().Items(4)->Visible()) << "not reset";
}

// "&Add or Remove Buttons" is a row of the quick bar: the pointer over it lights the whole
// row, not a button's square at its start, and resting there opens its menu after the menu
// delay, as a menu's sub-item does.
TEST_F(QuickCustomizeTest, HoveringAddOrRemoveButtonsLightsItsRowAndOpensItsMenuAfterTheDelay) {
    ClickMark();
    TdxBarQuickControl* Quick = Popups().QuickControl();
    ASSERT_NE(Quick, nullptr);
    TdxBarItemLinks& Links = *Quick->ItemLinks();
    const pg::TRect Row = Links.VisibleItems(Links.VisibleItemCount() - 1)->ItemRect;
    // Beside the caption's end, before the arrow: the caption leaves it blank.
    const pg::TPoint Start{Row.Left + 2, Row.Top + 2};
    const pg::TPoint End{Row.Right - Row.Height(), Row.Top + 2};
    const pg::COLORREF Unlit = ClientPixel(*Quick, End);
    Input.MoveTo(CentreOf(Links, Links.VisibleItemCount() - 1));
    testsupport::PumpUntilIdle();
    const pg::COLORREF Lit = ClientPixel(*Quick, Start);
    EXPECT_NE(Lit, Unlit);
    EXPECT_EQ(ClientPixel(*Quick, End), Lit);

    EXPECT_EQ(MenuOf(Popups().QuickSubItem()), nullptr);
    Clock.Advance(399);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(MenuOf(Popups().QuickSubItem()), nullptr);
    Clock.Advance(1);
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Menu = MenuOf(Popups().QuickSubItem());
    ASSERT_NE(Menu, nullptr);
    EXPECT_TRUE(pw::IsWindowVisible(Menu->Handle()));
    // A click on the row leaves the menu it opened.
    Input.Click(CentreOf(Links, Links.VisibleItemCount() - 1));
    testsupport::PumpUntilIdle();
    EXPECT_NE(MenuOf(Popups().QuickSubItem()), nullptr);
}

// The check column of the sub-menu frames a check only: "&Customize..." and the entry of a
// hidden link show the plain column, its edge the same as the column just inside it.
TEST_F(QuickCustomizeTest, RowsWithNothingCheckedShowNoFrameInTheCheckColumn) {
    Tools->ItemLinks().Items(2)->SetVisible(false);
    testsupport::PumpUntilIdle();
    ClickMark();
    TdxBarItemLinks& Sub = OpenSubMenu();
    auto* Menu = MenuOf(Popups().QuickSubItem());
    ASSERT_NE(Menu, nullptr);
    Input.MoveTo(CentreOf(Sub, 0));
    testsupport::PumpUntilIdle();
    const struct {
        const char* What;
        int Row;
        bool Framed;
    } Rows[] = {{"a checked entry", 1, true},
                {"the hidden link's entry", 2, false},
                {"\"&Customize...\"", Sub.VisibleItemCount() - 1, false}};
    for (const auto& Row : Rows) {
        const pg::TRect R = Sub.VisibleItems(Row.Row)->ItemRect;
        const int X = R.Left + R.Height() / 2;
        const bool TopEdge = ClientPixel(*Menu, X, R.Top) != ClientPixel(*Menu, X, R.Top + 1);
        const bool BottomEdge =
            ClientPixel(*Menu, X, R.Bottom - 1) != ClientPixel(*Menu, X, R.Bottom - 2);
        EXPECT_EQ(TopEdge, Row.Framed) << Row.What;
        EXPECT_EQ(BottomEdge, Row.Framed) << Row.What;
    }
    SavePng("quick_customize_check_column.png");
}

} // namespace
} // namespace toolkit::bars
