#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_customizing_popup.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/forms/screen.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;

// Customizing at run time (the Customize dialog open over the form) with a main menu of "&File"
// (three commands) and "&Help", and a toolbar of two buttons under it.
class CustomizingMenusTest : public MenuFormFixture {
protected:
    CustomizingMenusTest() {
        MakeMainMenu();
        File = &Sub(Bar->ItemLinks(), "&File");
        for (const char* Caption : {"&New", "&Open", "&Save"})
            Button(File->ItemLinks(), Caption).OnClick = [this](platform::core::TObject*) {
                ++Clicks;
            };
        Button(Sub(Bar->ItemLinks(), "&Help").ItemLinks(), "&About");
        MakeToolbar();
        for (const char* Caption : {"B1", "B2"})
            Button(Tools->ItemLinks(), Caption);
        ShowBars();
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
    }
    ~CustomizingMenusTest() override { EndCustomizing(); }

    void Click(pg::TPoint P, Qt::MouseButton Button = Qt::LeftButton) {
        Input.Click(P, Button);
        testsupport::PumpUntilIdle();
    }
    TdxBarItemControl* FileControl() { return Bar->ItemLinks().Items(0)->Control(); }

    TdxBarSubItem* File = nullptr;
    int Clicks = 0;
};

TEST_F(CustomizingMenusTest, APressOnAMainMenuEntryOpensItsMenuAndASecondPressClosesIt) {
    for (int Round = 0; Round < 2; ++Round) {
        SCOPED_TRACE(Round);
        Click(CentreOf(Bar->ItemLinks(), 0));
        TdxBarSubMenuControl* Menu = MenuOf(*File);
        ASSERT_NE(Menu, nullptr);
        EXPECT_TRUE(pw::IsWindowVisible(Menu->Handle()));
        EXPECT_EQ(BarWindow().SelectedControl(), FileControl());
        EXPECT_EQ(Manager->SelectedItem(), FileControl());
        Click(CentreOf(Bar->ItemLinks(), 0));
        EXPECT_EQ(MenuOf(*File), nullptr);
        EXPECT_EQ(BarWindow().SelectedControl(), FileControl());
    }
}

// However the menu opened, its commands are the user's to select, right-click and drag, and
// none of them runs.
TEST_F(CustomizingMenusTest, AMenuOpenedByClickKeyOrCodeLetsItsCommandsBeCustomized) {
    struct Case {
        const char* name;
        std::function<void()> open;
    };
    const Case Cases[] = {
        {"click", [this] { Click(CentreOf(Bar->ItemLinks(), 0)); }},
        {"key",
         [this] {
             // Opened and closed again by two presses, the entry stays selected; Down, as the
             // bar takes it in menu mode, opens its menu with the first command selected.
             Click(CentreOf(Bar->ItemLinks(), 0));
             Click(CentreOf(Bar->ItemLinks(), 0));
             ASSERT_EQ(MenuOf(*File), nullptr);
             platform::core::SendMessage(BarWindow().Handle(), pw::WM_KEYDOWN, pw::VK_DOWN, 0);
             testsupport::PumpUntilIdle();
         }},
        {"code",
         [this] {
             FileControl()->ControlActivate(true);
             testsupport::PumpUntilIdle();
         }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.name);
        C.open();
        TdxBarSubMenuControl* Menu = MenuOf(*File);
        ASSERT_NE(Menu, nullptr);
        ASSERT_TRUE(pw::IsWindowVisible(Menu->Handle()));

        Click(CentreOf(File->ItemLinks(), 1));
        ASSERT_EQ(MenuOf(*File), Menu);
        TdxBarItemControl* Open = File->ItemLinks().Items(1)->Control();
        ASSERT_NE(Open, nullptr);
        EXPECT_EQ(Menu->SelectedControl(), Open);
        EXPECT_EQ(Manager->SelectedItem(), Open);

        Click(CentreOf(File->ItemLinks(), 2), Qt::RightButton);
        TdxBarCustomizingPopup* Popup = TdxBarCustomizingPopup::Current();
        ASSERT_NE(Popup, nullptr);
        EXPECT_EQ(Popup->Link(), File->ItemLinks().Items(2));
        Popup->HideAndFree();
        testsupport::PumpUntilIdle();

        // "&Save" dragged onto the upper half of "&New" goes first; the menu stays open.
        const pg::TPoint From = CentreOf(File->ItemLinks(), 2);
        const pg::TRect New = File->ItemLinks().VisibleItems(0)->ItemRect;
        const pg::TPoint To = Menu->ClientToScreen({(New.Left + New.Right) / 2, New.Top + 2});
        Input.Press(From);
        Input.MoveTo({From.X, From.Y + 6});
        testsupport::PumpUntilIdle();
        ASSERT_NE(TdxBarItemDragging::Current(), nullptr);
        EXPECT_EQ(MenuOf(*File), Menu);
        Input.MoveTo(To);
        Input.Release(To);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(ItemCaptions(File->ItemLinks()),
                  (std::vector<std::string>{"&Save", "&New", "&Open"}));
        EXPECT_EQ(MenuOf(*File), Menu);
        EXPECT_EQ(Clicks, 0);

        // Back as it was, the menu closed.
        File->ItemLinks().Move(0, 2);
        Click(Form->ClientToScreen({300, 250}));
        FileControl()->ControlInactivate(true);
        testsupport::PumpUntilIdle();
        ASSERT_EQ(MenuOf(*File), nullptr);
    }
}

// A caption change lays the toolbar or the menu out anew with new controls: the link the user
// selected stays selected, and the menu stays open where it was.
TEST_F(CustomizingMenusTest, ACaptionChangeKeepsTheSelectedLink) {
    struct Case {
        const char* name;
        bool inMenu;
    };
    for (const Case& C : {Case{"toolbar", false}, Case{"menu", true}}) {
        SCOPED_TRACE(C.name);
        if (C.inMenu) Click(CentreOf(Bar->ItemLinks(), 0));
        TdxBarItemLinks& Links = C.inMenu ? File->ItemLinks() : Tools->ItemLinks();
        TdxBarItemLink* Link = Links.Items(1);
        Click(CentreOf(Links, 1));
        TCustomdxBarControl* Window = Links.BarControl();
        ASSERT_NE(Window, nullptr);
        TdxBarItemControl* Before = Link->Control();
        ASSERT_EQ(Manager->SelectedItem(), Before);
        const pg::TRect Bounds = Window->BoundsRect();

        Link->Item()->SetCaption("A much longer caption");
        testsupport::PumpUntilIdle();
        ASSERT_EQ(Links.BarControl(), Window);
        TdxBarItemControl* After = Link->Control();
        ASSERT_NE(After, nullptr);
        EXPECT_EQ(Window->SelectedControl(), After);
        EXPECT_EQ(Manager->SelectedItem(), After);
        EXPECT_TRUE(pw::IsWindowVisible(Window->Handle()));
        EXPECT_GT(Window->Width(), Bounds.Width());
        EXPECT_EQ(Window->Left(), Bounds.Left);
        EXPECT_EQ(Window->Top(), Bounds.Top);
        // The selection's frame stands around the new, wider link.
        const pg::TRect R = Window->GetItemRect(After);
        EXPECT_TRUE(IsInk(ClientPixel(*Window, R.Right - 1, (R.Top + R.Bottom) / 2)));
        EXPECT_TRUE(IsInk(ClientPixel(*Window, R.Left, (R.Top + R.Bottom) / 2)));
    }
}

// The focus a bar window is given while the user customizes goes to the Customize dialog, the
// form in use, not to the form the bars belong to.
TEST_F(CustomizingMenusTest, TheFocusABarWindowGetsGoesToTheCustomizeDialog) {
    TdxBarCustomizingForm* Dialog = GetCustomizingForm();
    ASSERT_NE(Dialog, nullptr);
    ASSERT_EQ(platform::forms::Screen().ActiveForm(), Dialog);
    struct Case {
        const char* name;
        std::function<TCustomdxBarControl*()> window;
    };
    const Case Cases[] = {
        {"menu",
         [this]() -> TCustomdxBarControl* {
             if (MenuOf(*File) == nullptr) Click(CentreOf(Bar->ItemLinks(), 0));
             return MenuOf(*File);
         }},
        {"toolbar", [this]() -> TCustomdxBarControl* { return &BarWindow(); }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.name);
        TCustomdxBarControl* Window = C.window();
        ASSERT_NE(Window, nullptr);
        pw::SetFocus(Window->Handle());
        testsupport::PumpUntilIdle();
        const pw::HWND Focus = pw::GetFocus();
        EXPECT_TRUE(Focus == Dialog->Handle() || pw::IsChild(Dialog->Handle(), Focus));
        EXPECT_EQ(platform::forms::Screen().ActiveForm(), Dialog);
    }
}

} // namespace
} // namespace toolkit::bars
