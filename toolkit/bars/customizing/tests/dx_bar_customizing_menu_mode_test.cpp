#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/win/input_state.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;

// While customizing (the Customize dialog open over the form), a press on a bar that is not
// active puts that bar in menu mode with the pressed link; the press still selects and drags.
// The menu bar holds File and Help, the toolbar in row 1 three buttons.
class CustomizingMenuModeTest : public MenuFormFixture {
protected:
    CustomizingMenuModeTest() {
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        Sub(Bar->ItemLinks(), "&Help");
        MakeToolbar();
        for (const char* Caption : {"B1", "B2", "B3"})
            Button(Tools->ItemLinks(), Caption).OnClick = [this](platform::core::TObject*) {
                ++Clicks;
            };
        ShowBars();
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
    }
    ~CustomizingMenuModeTest() override { EndCustomizing(); }

    TdxBarControl& ToolWindow() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    void Click(pg::TPoint P) {
        Input.Click(P);
        testsupport::PumpUntilIdle();
    }
    void DragLink(pg::TPoint From, pg::TPoint To) {
        Input.Press(From);
        Input.MoveTo({From.X + 6, From.Y});
        Input.MoveTo(To);
        Input.Release(To);
        testsupport::PumpUntilIdle();
    }
    // The bar window in menu mode holds the link as its selection and as the manager's; the
    // press opened the menu of a sub-item's link, which is then the active window.
    void ExpectMenuModeWith(TdxBarControl& Window, TdxBarItemLink* Link) {
        EXPECT_TRUE(Window.Active());
        EXPECT_EQ(Manager->MenuModeToolbar(), &Window);
        TCustomdxBarControl* Opened =
            Link->Control() ? Link->Control()->GetSubBarControl() : nullptr;
        EXPECT_EQ(Opened != nullptr, dynamic_cast<TdxBarSubItem*>(Link->Item()) != nullptr);
        EXPECT_EQ(TCustomdxBarControl::ActiveBarControl(),
                  Opened ? Opened : static_cast<TCustomdxBarControl*>(&Window));
        ASSERT_NE(Link->Control(), nullptr);
        EXPECT_EQ(Window.SelectedControl(), Link->Control());
        EXPECT_EQ(Manager->SelectedItem(), Link->Control());
    }

    int Clicks = 0;
};

TEST_F(CustomizingMenuModeTest, APressOnAnInactiveToolbarEntersMenuModeWithTheLink) {
    ASSERT_NE(Manager->CustomizingFormHandle, platform::core::HWND{});
    ASSERT_FALSE(ToolWindow().Active());
    Click(CentreOf(Tools->ItemLinks(), 1));
    ExpectMenuModeWith(ToolWindow(), Tools->ItemLinks().Items(1));
    EXPECT_FALSE(BarWindow().Active());
    EXPECT_EQ(Clicks, 0);
    // The release gave the mouse back.
    EXPECT_EQ(platform::win::GetCapture(), platform::win::NullHWnd);

    // A press on another link of the same bar moves the selection there, still in menu mode.
    Click(CentreOf(Tools->ItemLinks(), 2));
    ExpectMenuModeWith(ToolWindow(), Tools->ItemLinks().Items(2));
    EXPECT_EQ(Clicks, 0);
}

TEST_F(CustomizingMenuModeTest, APressOnAnotherBarMovesMenuModeThere) {
    Click(CentreOf(Tools->ItemLinks(), 0));
    ExpectMenuModeWith(ToolWindow(), Tools->ItemLinks().Items(0));

    Click(CentreOf(Bar->ItemLinks(), 1));
    EXPECT_FALSE(ToolWindow().Active());
    EXPECT_EQ(ToolWindow().SelectedControl(), nullptr);
    ExpectMenuModeWith(BarWindow(), Bar->ItemLinks().Items(1));

    // And back again.
    Click(CentreOf(Tools->ItemLinks(), 2));
    EXPECT_FALSE(BarWindow().Active());
    ExpectMenuModeWith(ToolWindow(), Tools->ItemLinks().Items(2));
}

TEST_F(CustomizingMenuModeTest, AfterMenuModeOnOneBarALinkOfAnotherBarCanBeDragged) {
    Click(CentreOf(Tools->ItemLinks(), 0));
    ASSERT_TRUE(ToolWindow().Active());

    // "&Help" goes from the menu bar onto the toolbar, after B2.
    const pg::TRect B2 = Tools->ItemLinks().VisibleItems(1)->ItemRect;
    DragLink(CentreOf(Bar->ItemLinks(), 1),
             ToolWindow().ClientToScreen({B2.Right - 2, (B2.Top + B2.Bottom) / 2}));
    EXPECT_FALSE(Manager->IsDragging());
    EXPECT_EQ(TdxBarItemDragging::Current(), nullptr);
    EXPECT_EQ(ItemCaptions(Bar->ItemLinks()), (std::vector<std::string>{"&File"}));
    EXPECT_EQ(ItemCaptions(Tools->ItemLinks()),
              (std::vector<std::string>{"B1", "B2", "&Help", "B3"}));
    EXPECT_EQ(Clicks, 0);
}

TEST_F(CustomizingMenuModeTest, ALinkOfTheBarInMenuModeCanBeDragged) {
    Click(CentreOf(Tools->ItemLinks(), 0));
    ASSERT_TRUE(ToolWindow().Active());
    const pg::TRect B3 = Tools->ItemLinks().VisibleItems(2)->ItemRect;
    DragLink(CentreOf(Tools->ItemLinks(), 0),
             ToolWindow().ClientToScreen({B3.Right - 2, (B3.Top + B3.Bottom) / 2}));
    EXPECT_FALSE(Manager->IsDragging());
    EXPECT_EQ(ItemCaptions(Tools->ItemLinks()), (std::vector<std::string>{"B2", "B3", "B1"}));
}

} // namespace
} // namespace toolkit::bars
