#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <memory>
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

// A menu without a font of its own follows the manager's font; one given its own keeps that.
TEST_F(PopupMenuTest, TheManagersNewFontReachesTheMenusWithoutAFontOfTheirOwn) {
    auto& Own = Form->Own<TdxBarPopupMenu>();
    Own.Font().SetName("Courier New");
    ASSERT_TRUE(Own.UseOwnFont());
    Manager->Font().SetStyle(pg::fsBold);
    EXPECT_EQ(Menu->Font().Style(), pg::fsBold);
    EXPECT_FALSE(Menu->UseOwnFont());
    EXPECT_EQ(Own.Font().Style(), 0);
    EXPECT_EQ(Own.Font().Name(), "Courier New");
}

// The window of a menu whose owner control is a windowed control belongs to that control's
// window; without one, to the manager's form.
TEST_F(PopupMenuTest, AnOwnerControlOwnsTheMenusWindow) {
    auto& Other = FRoot->Own<pf::TForm>();
    Other.SetBounds(400, 300, 200, 100);
    Other.Show();
    testsupport::PumpUntilIdle();
    Menu->ReturnAtOnce = true;
    Menu->Popup(100, 100);
    ASSERT_NE(Menu->GetSubMenuControl(), nullptr);
    EXPECT_EQ(pw::GetWindow(Menu->GetSubMenuControl()->Handle(), pw::GW_OWNER), Form->Handle());
    Menu->GetSubMenuControl()->HideAll();
    Menu->OwnerControl = &Other;
    Menu->Popup(420, 320);
    ASSERT_NE(Menu->GetSubMenuControl(), nullptr);
    EXPECT_EQ(pw::GetWindow(Menu->GetSubMenuControl()->Handle(), pw::GW_OWNER), Other.Handle());
    Menu->GetSubMenuControl()->HideAll();
}

// A menu that belongs to another form (one without a manager of its own) opens as that form's
// window.
TEST_F(PopupMenuTest, AMenuOwnedByAFormOpensAsThatFormsWindow) {
    auto& Other = FRoot->Own<pf::TForm>();
    Other.SetBounds(400, 300, 200, 100);
    Other.Show();
    testsupport::PumpUntilIdle();
    auto& Owned = Other.Own<TdxBarPopupMenu>();
    ASSERT_EQ(Owned.BarManager(), Manager);
    Button(Owned.ItemLinks(), "&Paste");
    Owned.ReturnAtOnce = true;
    Owned.Popup(420, 320);
    ASSERT_NE(Owned.GetSubMenuControl(), nullptr);
    EXPECT_EQ(pw::GetWindow(Owned.GetSubMenuControl()->Handle(), pw::GW_OWNER), Other.Handle());
    Owned.GetSubMenuControl()->HideAll();
}

// WM_PRINT draws the open menu into the caller's context as the screen shows it, frame and
// rows alike.
TEST_F(PopupMenuTest, PrintDrawsTheMenuAsItShows) {
    Menu->ReturnAtOnce = true;
    Menu->Popup(200, 150);
    TdxBarSubMenuControl* Window = Menu->GetSubMenuControl();
    ASSERT_NE(Window, nullptr);
    testsupport::PumpUntilIdle();
    const auto Shown = pw::WindowSurface(Window->Handle());
    ASSERT_NE(Shown, nullptr);
    pg::BITMAPINFO Info;
    Info.bmiHeader.biWidth = Window->Width();
    Info.bmiHeader.biHeight = -Window->Height();
    Info.bmiHeader.biBitCount = 32;
    void* Bits = nullptr;
    const pg::HBITMAP Image = pg::CreateDIBSection(pg::NullDC, &Info, pg::DIB_RGB_COLORS, &Bits);
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    const pg::HGDIOBJ Old = pg::SelectObject(DC, Image);
    // On the ground a new window starts on, as the menu's left border column is drawn by no one.
    const pg::RECT Whole{0, 0, Window->Width(), Window->Height()};
    pg::FillRect(DC, &Whole, pg::GetSysColorBrush(pg::COLOR_BTNFACE));
    pc::SendMessage(Window->Handle(), pw::WM_PRINT, static_cast<pw::WPARAM>(DC),
                    pw::PRF_NONCLIENT | pw::PRF_ERASEBKGND | pw::PRF_CLIENT);
    int Differing = 0, Ink = 0;
    for (int Y = 0; Y < Window->Height(); ++Y)
        for (int X = 0; X < Window->Width(); ++X) {
            const pg::COLORREF Printed = pg::GetPixel(DC, X, Y);
            if (Printed != pg::PixelToColor(Shown->Pixel(X, Y) & 0xFFFFFF)) ++Differing;
            if (IsInk(Printed)) ++Ink;
        }
    EXPECT_EQ(Differing, 0);
    EXPECT_GT(Ink, 20) << "the captions";
    pg::SelectObject(DC, Old);
    pg::DeleteDC(DC);
    pg::DeleteObject(Image);
    Window->HideAll();
}

// A popup menu cannot outlive its manager: freeing the manager frees its menus (a shown one
// closes first), and the form keeps no menu whose manager is gone.
TEST_F(PopupMenuTest, GoesWithItsManager) {
    Menu->ReturnAtOnce = true;
    Menu->Popup(200, 150);
    ASSERT_NE(Menu->GetSubMenuControl(), nullptr);
    Form->FreeComponent(*Manager);
    Manager = nullptr;
    testsupport::PumpUntilIdle();
    for (int I = 0; I < Form->ComponentCount(); ++I)
        EXPECT_EQ(dynamic_cast<TdxBarPopupMenu*>(Form->Components(I)), nullptr);
    EXPECT_FALSE(IsAnyPopupMenuShowing());
}

// A menu without an owner belongs to whoever made it: it stays when its manager goes, shows
// nothing more, and goes later without touching the manager.
TEST_F(PopupMenuTest, OneWithoutAnOwnerOutlivesItsManagerEmpty) {
    auto Lone = std::make_unique<TdxBarPopupMenu>(nullptr);
    Button(Lone->ItemLinks(), "&Paste");
    Lone->ReturnAtOnce = true;
    Form->FreeComponent(*Manager);
    Manager = nullptr;
    EXPECT_EQ(Lone->BarManager(), nullptr);
    EXPECT_EQ(Lone->ItemLinks().Count(), 0);
    Lone->Popup(200, 150);
    EXPECT_EQ(Lone->GetSubMenuControl(), nullptr);
    EXPECT_FALSE(Lone->Shown());
    Lone.reset();
    testsupport::PumpUntilIdle();
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

// A key message names its shortcut with Shift and Ctrl as they are held and Alt as the message
// says; a key code of 0 names none.
TEST_F(PopupMenuTest, AKeyMessageRunsTheShortCutItNames) {
    std::vector<std::string> Runs;
    Cut->OnClick = [&](pc::TObject*) { Runs.push_back("cut"); };
    Cut->SetShortCut(platform::forms::TextToShortCut("Ctrl+X"));
    TdxBarButton& Keep = Button(Menu->ItemLinks(), "&Keep");
    Keep.OnClick = [&](pc::TObject*) { Runs.push_back("keep"); };
    Keep.SetShortCut(platform::forms::TextToShortCut("Alt+K"));
    const pf::TMessage X{pw::WM_KEYDOWN, 'X', 0, 0};
    EXPECT_FALSE(Menu->IsShortCutKey(X));
    Input.KeyDown(Qt::Key_Control);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Menu->IsShortCutKey(X));
    Input.KeyUp(Qt::Key_Control);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Menu->IsShortCutKey({pw::WM_SYSKEYDOWN, 'K', pw::LPARAM{1} << 29, 0}));
    EXPECT_FALSE(Menu->IsShortCutKey({pw::WM_SYSKEYDOWN, 0, pw::LPARAM{1} << 29, 0}));
    EXPECT_EQ(Runs, (std::vector<std::string>{"cut", "keep"}));
}

} // namespace
} // namespace toolkit::bars
