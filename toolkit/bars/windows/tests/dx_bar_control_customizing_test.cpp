#include "toolkit/bars/windows/dx_bar_control.h"

#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;
using toolkit::base::testing_support::TestSurface;

constexpr pg::COLORREF White = 0xFFFFFF;

// Customizing, with a main menu whose "&File" holds "&Open", the cascading "&Recent" (one
// command) and, in a group of its own, "&Save"; and a toolbar of B1, B2 and, in a group of its
// own, B3.
class BarControlCustomizingTest : public MenuFormFixture {
protected:
    BarControlCustomizingTest() {
        MakeMainMenu();
        File = &Sub(Bar->ItemLinks(), "&File");
        Button(File->ItemLinks(), "&Open");
        Recent = &Sub(File->ItemLinks(), "&Recent");
        Button(Recent->ItemLinks(), "&1 a.lib");
        Button(File->ItemLinks(), "&Save");
        File->ItemLinks().Items(2)->SetBeginGroup(true);
        MakeToolbar();
        for (const char* Caption : {"B1", "B2", "B3"})
            Button(Tools->ItemLinks(), Caption);
        Tools->ItemLinks().Items(2)->SetBeginGroup(true);
        ShowBars();
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
    }
    ~BarControlCustomizingTest() override { EndCustomizing(); }

    void Click(pg::TPoint P) {
        Input.Click(P);
        testsupport::PumpUntilIdle();
    }
    // Presses at From, leaves the drag rectangle, moves to To and lets go there.
    void Drag(pg::TPoint From, pg::TPoint To) {
        Input.Press(From);
        Input.MoveTo({From.X + 6, From.Y});
        testsupport::PumpUntilIdle();
        ASSERT_NE(TdxBarItemDragging::Current(), nullptr);
        Input.MoveTo(To);
        Input.Release(To);
        testsupport::PumpUntilIdle();
    }
    void OpenFile() {
        Click(CentreOf(Bar->ItemLinks(), 0));
        ASSERT_NE(MenuOf(*File), nullptr);
    }
    TdxBarItemControl* FileControl() { return Bar->ItemLinks().Items(0)->Control(); }
    TdxBarItemControl* RecentControl() { return File->ItemLinks().Items(1)->Control(); }

    TdxBarSubItem* File = nullptr;
    TdxBarSubItem* Recent = nullptr;
};

// The user's selection in a menu goes back to the entry that opened the menu when the menu
// closes, and the entry shows closed; a selection the user moved elsewhere stays there.
TEST_F(BarControlCustomizingTest, AClosingMenuGivesTheSelectionBackToItsEntry) {
    struct Case {
        const char* name;
        std::function<void()> close;
        std::function<TdxBarItemControl*()> expected;
        bool entry; // the selection goes back to an entry, shown closed
    };
    const Case Cases[] = {
        {"the bar's menu closes",
         [this] {
             Click(CentreOf(File->ItemLinks(), 0));
             FileControl()->ControlInactivate(true);
         },
         [this] { return FileControl(); }, true},
        {"a cascading menu closes",
         [this] {
             Click(CentreOf(File->ItemLinks(), 1));
             ASSERT_NE(MenuOf(*Recent), nullptr);
             Click(CentreOf(Recent->ItemLinks(), 0));
             ASSERT_EQ(Manager->SelectedItem(), Recent->ItemLinks().Items(0)->Control());
             RecentControl()->ControlInactivate(true);
         },
         [this] { return RecentControl(); }, true},
        {"the user selects a toolbar button",
         [this] {
             Click(CentreOf(File->ItemLinks(), 0));
             Click(CentreOf(Tools->ItemLinks(), 0));
         },
         [this] { return Tools->ItemLinks().Items(0)->Control(); }, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.name);
        OpenFile();
        C.close();
        testsupport::PumpUntilIdle();
        TdxBarItemControl* Expected = C.expected();
        ASSERT_NE(Expected, nullptr);
        EXPECT_EQ(Manager->SelectedItem(), Expected);
        EXPECT_EQ(Expected->Parent()->SelectedControl(), Expected);
        if (C.entry) {
            EXPECT_FALSE(Expected->Active());
            // The screen shows the entry closed at once: painting its window anew changes none
            // of its pixels.
            TCustomdxBarControl& W = *Expected->Parent();
            const pg::TRect R = Expected->ItemLink()->ItemRect;
            const auto Pixels = [&] {
                std::vector<pg::COLORREF> Row;
                for (const int Y : {R.Top + 1, (R.Top + R.Bottom) / 2, R.Bottom - 2})
                    for (int X = R.Left; X < R.Right; ++X)
                        Row.push_back(ClientPixel(W, X, Y));
                return Row;
            };
            const std::vector<pg::COLORREF> Shown = Pixels();
            W.Invalidate();
            testsupport::PumpUntilIdle();
            EXPECT_EQ(Shown, Pixels());
        }
        // Closed all the way for the next case.
        if (MenuOf(*File)) FileControl()->ControlInactivate(true);
        testsupport::PumpUntilIdle();
        ASSERT_EQ(MenuOf(*File), nullptr);
    }
}

TEST_F(BarControlCustomizingTest, ADragStartsOnlyOutsideTheSystemDragRectangle) {
    struct Case {
        pg::TPoint offset;
        bool drags;
    };
    // The system's rectangle is 4 x 4 centred on the press: two pixels before it, one after.
    ASSERT_EQ(pg::GetSystemMetrics(pg::SM_CXDRAG), 4);
    ASSERT_EQ(pg::GetSystemMetrics(pg::SM_CYDRAG), 4);
    for (const Case& C : {Case{{1, 1}, false}, Case{{-2, -2}, false}, Case{{2, 0}, true},
                          Case{{0, 2}, true}, Case{{-3, 0}, true}}) {
        SCOPED_TRACE(testing::Message() << C.offset.X << "," << C.offset.Y);
        const pg::TPoint Start = CentreOf(Tools->ItemLinks(), 0);
        const pg::TPoint To{Start.X + C.offset.X, Start.Y + C.offset.Y};
        Input.Press(Start);
        Input.MoveTo(To);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(TdxBarItemDragging::Current() != nullptr, C.drags);
        if (TdxBarItemDragging::Current()) Input.Key(Qt::Key_Escape);
        Input.Release(To);
        testsupport::PumpUntilIdle();
        ASSERT_EQ(TdxBarItemDragging::Current(), nullptr);
    }
}

TEST_F(BarControlCustomizingTest, DraggingAnEntryClosesItsMenu) {
    const pg::TPoint Start = CentreOf(Bar->ItemLinks(), 0);
    Input.Press(Start);
    testsupport::PumpUntilIdle();
    ASSERT_NE(MenuOf(*File), nullptr);
    Input.MoveTo({Start.X + 6, Start.Y});
    testsupport::PumpUntilIdle();
    ASSERT_NE(TdxBarItemDragging::Current(), nullptr);
    EXPECT_EQ(MenuOf(*File), nullptr);
    EXPECT_FALSE(FileControl()->Active());
    Input.Key(Qt::Key_Escape);
    Input.Release({Start.X + 6, Start.Y});
    testsupport::PumpUntilIdle();
}

// The frame as drawn onto white: a cascading entry of a menu gets two inverted rings inside the
// highlight's own edge, anything else two window-text frames on its edge.
TEST_F(BarControlCustomizingTest, TheSelectionFrameRingsStandWhereTheEntryKindSays) {
    struct Case {
        const char* name;
        int index;
        pg::COLORREF ink;
        std::vector<int> rings; // distances from the edge
    };
    const pg::COLORREF Text = pg::GetSysColor(pg::COLOR_WINDOWTEXT) & 0xFFFFFF;
    for (const Case& C :
         {Case{"cascading entry", 1, 0x000000, {1, 2}}, Case{"command", 0, Text, {0, 1}}}) {
        SCOPED_TRACE(C.name);
        OpenFile();
        Click(CentreOf(File->ItemLinks(), C.index));
        TdxBarSubMenuControl* Menu = MenuOf(*File);
        ASSERT_NE(Menu, nullptr);
        TdxBarItemControl* Control = File->ItemLinks().Items(C.index)->Control();
        ASSERT_EQ(Menu->SelectedControl(), Control);
        ASSERT_EQ(Manager->SelectedItem(), Control);
        TestSurface S(Menu->ClientWidth(), Menu->ClientHeight(), White);
        Menu->DrawSelectionFrame(S.DC());
        const pg::TRect R = Menu->GetItemRect(Control);
        const int MidX = (R.Left + R.Right) / 2, MidY = (R.Top + R.Bottom) / 2;
        for (int D = 0; D < 4; ++D) {
            const bool Ring = std::find(C.rings.begin(), C.rings.end(), D) != C.rings.end();
            const pg::COLORREF Want = Ring ? C.ink : White;
            EXPECT_EQ(S.At(R.Left + D, MidY), Want) << "left " << D;
            EXPECT_EQ(S.At(R.Right - 1 - D, MidY), Want) << "right " << D;
            EXPECT_EQ(S.At(MidX, R.Top + D), Want) << "top " << D;
            EXPECT_EQ(S.At(MidX, R.Bottom - 1 - D), Want) << "bottom " << D;
        }
        FileControl()->ControlInactivate(true);
        testsupport::PumpUntilIdle();
    }
}

// A drop on the separator before a group's first link puts the item before that link, not at
// the end of the bar or menu.
TEST_F(BarControlCustomizingTest, AnItemDroppedOnASeparatorGoesBeforeTheLinkAfterIt) {
    // The toolbar: B1 onto the separator before B3.
    {
        TdxBarItemControl* B3 = Tools->ItemLinks().Items(2)->Control();
        ASSERT_NE(B3, nullptr);
        const pg::TRect Sep = B3->SeparatorRect;
        ASSERT_FALSE(pg::IsRectEmpty(Sep));
        const pg::TPoint To = Tools->ItemLinks().BarControl()->ClientToScreen(
            {(Sep.Left + Sep.Right) / 2, (Sep.Top + Sep.Bottom) / 2});
        Drag(CentreOf(Tools->ItemLinks(), 0), To);
        EXPECT_EQ(ItemCaptions(Tools->ItemLinks()), (std::vector<std::string>{"B2", "B1", "B3"}));
    }
    // The menu: "&Open" onto the separator above "&Save".
    {
        OpenFile();
        TdxBarSubMenuControl* Menu = MenuOf(*File);
        TdxBarItemLink* Save = File->ItemLinks().Items(2);
        const pg::TRect Row = Save->ItemRect;
        const pg::TRect WithSeparator = Menu->GetItemRect(Save->Control());
        ASSERT_LT(WithSeparator.Top, Row.Top);
        const pg::TPoint To =
            Menu->ClientToScreen({(Row.Left + Row.Right) / 2, (WithSeparator.Top + Row.Top) / 2});
        Drag(CentreOf(File->ItemLinks(), 0), To);
        EXPECT_EQ(ItemCaptions(File->ItemLinks()),
                  (std::vector<std::string>{"&Recent", "&Open", "&Save"}));
    }
}

} // namespace
} // namespace toolkit::bars
