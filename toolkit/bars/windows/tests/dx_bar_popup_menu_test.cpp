#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

class PopupMenuTest : public MenuFormFixture {
protected:
    PopupMenuTest() {
        MakeMainMenu();
        ShowMainMenu();
        Menu = &Form->Own<TdxBarPopupMenu>();
        Cut = &Button(Menu->ItemLinks(), "Cu&t");
        Button(Menu->ItemLinks(), "&Copy");
        Menu->OnPopup = [this](pc::TObject*) { Events.push_back("popup"); };
        Menu->OnCloseUp = [this](pc::TObject*) { Events.push_back("closeup"); };
    }

    TdxBarPopupMenu* Menu = nullptr;
    TdxBarButton* Cut = nullptr;
    std::vector<std::string> Events;
};

TEST_F(PopupMenuTest, JoinsTheManagerOfItsForm) {
    EXPECT_EQ(Menu->BarManager(), Manager);
    EXPECT_EQ(Manager->GetPopupMenu(0), Menu);
    EXPECT_FALSE(Menu->ItemLinks().UseRecentItems);
    Menu->SetBarManager(nullptr);
    EXPECT_EQ(Menu->BarManager(), Manager);
}

TEST_F(PopupMenuTest, BarSizeIsNeverNegative) {
    Menu->SetBarSize(-5);
    EXPECT_EQ(Menu->BarSize(), 0);
    Menu->SetBarSize(12);
    EXPECT_EQ(Menu->BarSize(), 12);
}

TEST(PopupMenuWithoutManager, IsRefused) {
    TdxBarUnit Unit;
    pc::TComponent Root(nullptr);
    try {
        Root.Own<TdxBarPopupMenu>();
        FAIL() << "no exception";
    } catch (const pc::Exception& E) {
        EXPECT_EQ(std::string(E.what()), "There are no TdxBarManagers available");
    }
}

TEST_F(PopupMenuTest, ShowsItsLinksAtThePointAndClosesUp) {
    Menu->ReturnAtOnce = true;
    Menu->Popup(200, 150);
    TdxBarSubMenuControl* Window = Menu->GetSubMenuControl();
    ASSERT_NE(Window, nullptr);
    EXPECT_TRUE(Menu->Shown());
    EXPECT_TRUE(pw::IsWindowVisible(Window->Handle()));
    EXPECT_EQ(Window->Left(), 200);
    EXPECT_EQ(Window->Top(), 150);
    EXPECT_EQ(Menu->ItemLinks().VisibleItemCount(), 2);
    EXPECT_EQ(Events, (std::vector<std::string>{"popup"}));

    Window->HideAll();
    EXPECT_EQ(Menu->GetSubMenuControl(), nullptr);
    EXPECT_FALSE(Menu->Shown());
    EXPECT_EQ(Events, (std::vector<std::string>{"popup", "closeup"}));
}

TEST_F(PopupMenuTest, PoppingUpAnOpenMenuDoesNothing) {
    Menu->ReturnAtOnce = true;
    Menu->Popup(200, 150);
    TdxBarSubMenuControl* Window = Menu->GetSubMenuControl();
    ASSERT_NE(Window, nullptr);
    Menu->Popup(400, 300);
    EXPECT_EQ(Menu->GetSubMenuControl(), Window);
    EXPECT_EQ(Window->Left(), 200);
    EXPECT_EQ(Events, (std::vector<std::string>{"popup"}));
    Window->HideAll();
}

TEST_F(PopupMenuTest, ClickingAnEntryRunsItAndEndsTheLoop) {
    int Clicks = 0;
    Cut->OnClick = [&](pc::TObject*) { ++Clicks; };
    Clock.Schedule(Clock.Now() + 10, [&] { Input.Click(CentreOf(Menu->ItemLinks(), 0)); });
    Menu->Popup(200, 150);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Menu->GetSubMenuControl(), nullptr);
    EXPECT_EQ(Events, (std::vector<std::string>{"popup", "closeup"}));
}

// Pointing at an entry of a pop-up menu tells the application the entry's long hint, as it
// tells it what any control under the pointer is for; a status line shows it.
TEST_F(PopupMenuTest, PointingAtAnEntryGivesTheApplicationItsLongHint) {
    Cut->Hint = "Cut|Moves the selection to the clipboard";
    dynamic_cast<TdxBarButton*>(Menu->ItemLinks().Items(1)->Item())->Hint = "Copies the selection";
    std::vector<std::string> Hints;
    pf::Application().OnHint = [&](pc::TObject*) { Hints.push_back(pf::Application().Hint); };
    Menu->ReturnAtOnce = true;
    Menu->Popup(200, 150);
    ASSERT_NE(Menu->GetSubMenuControl(), nullptr);
    Input.MoveTo(CentreOf(Menu->ItemLinks(), 0));
    EXPECT_EQ(pf::Application().Hint, "Moves the selection to the clipboard");
    Input.MoveTo(CentreOf(Menu->ItemLinks(), 1));
    EXPECT_EQ(pf::Application().Hint, "Copies the selection");
    ASSERT_FALSE(Hints.empty());
    EXPECT_EQ(Hints.back(), "Copies the selection");
    Menu->GetSubMenuControl()->HideAll();
    pf::Application().OnHint = nullptr;
}

// A top-level window at (700, 500) that records the messages it is sent.
class PopupMenuSinkTest : public PopupMenuTest {
protected:
    PopupMenuSinkTest() {
        pw::WNDCLASS Class;
        Class.lpszClassName = "PopupMenuTestSink";
        Class.lpfnWndProc = [this](pw::HWND W, pc::UINT Msg, pc::WPARAM WP, pc::LPARAM LP) {
            if (Msg == 0x0111 || Msg == pw::WM_USER || Msg == pw::WM_LBUTTONDOWN)
                Seen.push_back(Msg);
            return pw::DefWindowProc(W, Msg, WP, LP);
        };
        pw::RegisterClass(Class);
        Sink = pw::CreateWindowEx(0, Class.lpszClassName, "", pw::WS_POPUP | pw::WS_VISIBLE, 700,
                                  500, 100, 100, pw::NullHWnd);
    }
    ~PopupMenuSinkTest() override {
        pw::DestroyWindow(Sink);
        pw::UnregisterClass("PopupMenuTestSink");
    }
    pw::HWND Sink{};
    std::vector<pc::UINT> Seen;
};

TEST_F(PopupMenuSinkTest, TheClickThatClosesTheMenuStillReachesItsWindow) {
    Clock.Schedule(Clock.Now() + 10, [&] { Input.Click({750, 550}); });
    Menu->Popup(200, 150);
    EXPECT_EQ(Menu->GetSubMenuControl(), nullptr);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Seen, (std::vector<pc::UINT>{pw::WM_LBUTTONDOWN}));
}

TEST_F(PopupMenuSinkTest, DropsMenuCommandsWhileOpen) {
    Clock.Schedule(Clock.Now() + 5, [&] {
        pc::PostMessage(Sink, 0x0111, 1, 0);
        pc::PostMessage(Sink, pw::WM_USER, 2, 0);
    });
    Clock.Schedule(Clock.Now() + 10, [&] { Input.Click({750, 550}); });
    Menu->Popup(200, 150);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Seen, (std::vector<pc::UINT>{pw::WM_USER, pw::WM_LBUTTONDOWN}));
}

TEST_F(PopupMenuTest, RunsTheShortCutOfItsItems) {
    int Clicks = 0;
    Cut->OnClick = [&](pc::TObject*) { ++Clicks; };
    Cut->SetShortCut(platform::forms::TextToShortCut("Ctrl+X"));
    EXPECT_TRUE(Menu->IsShortCut(Cut->ShortCut()));
    EXPECT_EQ(Clicks, 1);
}

} // namespace
} // namespace toolkit::bars
