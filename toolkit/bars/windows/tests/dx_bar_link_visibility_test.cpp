// A link hidden or shown on a toolbar that is on the screen: by the program, by the user in
// "&Add or Remove Buttons", or through an item group. The toolbar gives the link's room back
// (or takes it) at once: its width and the places of the buttons after the link follow.

#include "toolkit/bars/model/dx_bar_group.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"
#include "toolkit/base/office11.h"

#include "platform/gdi/visual_styles.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;

// How the third link is hidden and shown again.
enum class Route { Code, AddOrRemoveButtons, ItemGroup };

// The main menu bar and, under it, a toolbar of six buttons of different widths; the third,
// "Wider command", is the one hidden and shown again.
class LinkVisibilityTest : public MenuFormFixture, public ::testing::WithParamInterface<Route> {
protected:
    LinkVisibilityTest() {
        MakeOffice11MainMenu();
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        for (const char* Caption : {"One", "Two", "Wider command", "Four", "Five", "Six"})
            Button(Tools->ItemLinks(), Caption);
        ShowBars();
    }

    TdxBarControl& Toolbar() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    TdxBarItemLink& Link(int Index) { return *Tools->ItemLinks().Items(Index); }
    // What the user sees of the toolbar: its width and where each shown button begins.
    struct TLook {
        int Width;
        std::vector<int> Lefts;
    };
    TLook Look() {
        TLook L{Toolbar().Width(), {}};
        TdxBarItemLinks& Links = Tools->ItemLinks();
        for (int I = 0; I < Links.VisibleItemCount(); ++I) {
            const TdxBarItemLink* Shown = Links.VisibleItems(I);
            EXPECT_NE(Shown->Control(), nullptr) << I;
            EXPECT_FALSE(pg::IsRectEmpty(Shown->ItemRect)) << I;
            L.Lefts.push_back(Shown->ItemRect.Left);
        }
        return L;
    }
    static pg::TPoint Centre(const pg::TRect& R) {
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
    void SetThirdVisible(bool Visible) {
        switch (GetParam()) {
        case Route::Code:
            Link(2).SetVisible(Visible);
            break;
        case Route::AddOrRemoveButtons:
            ClickAddOrRemoveEntry();
            break;
        case Route::ItemGroup:
            if (Group == nullptr) {
                Group = &Form->Own<TdxBarGroup>();
                Group->Add(Link(2).Item());
            }
            Group->SetVisible(Visible ? ivAlways : ivNever);
            break;
        }
        testsupport::PumpUntilIdle();
    }
    // "&Add or Remove Buttons": the mark, the sub-menu, the entry clicked; the menus stay open
    // between the clicks.
    void ClickAddOrRemoveEntry() {
        TdxBarCustomizePopups& Popups = TdxBarCustomizePopups::Of(*Manager);
        if (Popups.QuickSubItem().ItemLinks().BarControl() == nullptr) {
            Input.Click(Centre(Toolbar().GetMarkScreenRect()));
            testsupport::PumpUntilIdle();
            ASSERT_NE(Popups.QuickControl(), nullptr);
            TdxBarItemLinks& Quick = *Popups.QuickControl()->ItemLinks();
            ASSERT_NE(Quick.BarControl(), nullptr);
            Input.Click(CentreOf(Quick, Quick.VisibleItemCount() - 1));
            testsupport::PumpUntilIdle();
        }
        TdxBarItemLinks& Entries = Popups.QuickSubItem().ItemLinks();
        ASSERT_NE(Entries.BarControl(), nullptr);
        Input.MoveTo(CentreOf(Entries, 2));
        Input.Click(CentreOf(Entries, 2));
    }

    TdxBarGroup* Group = nullptr;
};

TEST_P(LinkVisibilityTest, TheToolbarClosesTheGapAndOpensItAgain) {
    const TLook Before = Look();
    ASSERT_EQ(Before.Lefts.size(), 6u);
    const int Room = Before.Lefts[3] - Before.Lefts[2];
    ASSERT_GT(Room, 0);

    SetThirdVisible(false);
    EXPECT_FALSE(Link(2).CanVisible());
    EXPECT_EQ(Link(2).Control(), nullptr);
    const TLook Hidden = Look();
    EXPECT_EQ(Hidden.Width, Before.Width - Room);
    EXPECT_EQ(Hidden.Lefts, (std::vector<int>{Before.Lefts[0], Before.Lefts[1], Before.Lefts[2],
                                              Before.Lefts[4] - Room, Before.Lefts[5] - Room}));

    SetThirdVisible(true);
    EXPECT_TRUE(Link(2).CanVisible());
    const TLook Shown = Look();
    EXPECT_EQ(Shown.Width, Before.Width);
    EXPECT_EQ(Shown.Lefts, Before.Lefts);
    Input.Key(Qt::Key_Escape);
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
}

std::string RouteName(const ::testing::TestParamInfo<Route>& Info) {
    switch (Info.param) {
    case Route::Code:
        return "Code";
    case Route::AddOrRemoveButtons:
        return "AddOrRemoveButtons";
    case Route::ItemGroup:
        return "ItemGroup";
    }
    return "";
}

INSTANTIATE_TEST_SUITE_P(Routes, LinkVisibilityTest,
                         ::testing::Values(Route::Code, Route::AddOrRemoveButtons,
                                           Route::ItemGroup),
                         RouteName);

// A link deleted by the program from a toolbar on the screen: the toolbar closes the gap at once.
using LinkDeletionTest = LinkVisibilityTest;

TEST_F(LinkDeletionTest, ADeletedLinkLeavesNoGap) {
    const TLook Before = Look();
    ASSERT_EQ(Before.Lefts.size(), 6u);
    const int Room = Before.Lefts[3] - Before.Lefts[2];
    Tools->ItemLinks().Delete(2);
    testsupport::PumpUntilIdle();
    const TLook After = Look();
    EXPECT_EQ(After.Width, Before.Width - Room);
    EXPECT_EQ(After.Lefts,
              (std::vector<int>{Before.Lefts[0], Before.Lefts[1], Before.Lefts[3] - Room,
                                Before.Lefts[4] - Room, Before.Lefts[5] - Room}));
}

} // namespace
} // namespace toolkit::bars
