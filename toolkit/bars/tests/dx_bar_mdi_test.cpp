#include "toolkit/bars/dx_bar_mdi.h"
#include "toolkit/bars/tests/dx_bar_menu_form_fixture.h"

#include "platform/forms/application.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// An MDI frame with a main menu ("&File") and one child, shown and active.
class MDIChildMenuTest : public MenuFormFixture {
protected:
    MDIChildMenuTest() : MenuFormFixture(pf::fsMDIForm) {
        pf::Application().SetMainForm(Form);
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        ShowMainMenu();
        Child = &Form->Own<pf::TForm>(pf::fsMDIChild);
        Child->SetBounds(10, 10, 200, 150);
        Child->Show();
        testsupport::PumpUntilIdle();
    }
    ~MDIChildMenuTest() override { pf::Application().SetMainForm(nullptr); }

    TdxBarItemLinks& Links() { return Bar->ItemLinks(); }
    pg::TPoint ButtonCentre(int Index) {
        const pg::TRect R = BarWindow().GetMDIButtonRect(Index);
        return BarWindow().ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    pf::TForm* Child = nullptr;
};

TEST_F(MDIChildMenuTest, MaximisingPutsTheSystemMenuFirstAndTheButtonsAtTheEnd) {
    EXPECT_EQ(Links().Count(), 1);
    EXPECT_FALSE(BarWindow().HasMDIButtons());
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Links().Count(), 2);
    auto* Entry = dynamic_cast<TSystemMenuSubItem*>(Links().Items(0)->Item());
    ASSERT_NE(Entry, nullptr);
    EXPECT_EQ(Entry->Wnd, Child->Handle());
    EXPECT_TRUE(dynamic_cast<TSystemMenuSubItemControl*>(Links().Items(0)->Control()));
    ASSERT_TRUE(BarWindow().HasMDIChildSystemMenu());
    // Three buttons at the right end (before the mark's room), the close button 2 pixels
    // apart, the File entry before them.
    const int W = BarWindow().MDIButtonWidth();
    const int End = BarWindow().ClientWidth() - (BarWindow().HasMark() ? 11 : 0);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(0).Left, End - 3 * W - 2);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(1).Left, End - 2 * W - 2);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(2).Left, End - W);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(2).Right, End);
    EXPECT_LT(Links().Items(1)->ItemRect.Right, BarWindow().GetMDIButtonRect(0).Left);
    EXPECT_TRUE(BarWindow().IsMDIButtonEnabled(0, pw::MF_GRAYED));
    const std::string Png = ::testing::TempDir() + "mdi_main_menu.png";
    EXPECT_TRUE(testsupport::SaveWindowPng(BarWindow().Handle(), Png));

    Child->SetWindowState(pf::wsNormal);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Links().Count(), 1);
    EXPECT_FALSE(BarWindow().HasMDIButtons());
    // Nothing internal is left over.
    EXPECT_EQ(Unit.InternalItemCount(), 0);
}

TEST_F(MDIChildMenuTest, TheEntryListsTheChildsCommandsAndCloseClosesIt) {
    int Closes = 0;
    Child->OnClose = [&](pc::TObject*, pf::TCloseAction& Action) {
        ++Closes;
        Action = pf::caNone;
    };
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    auto* Entry = dynamic_cast<TSystemMenuSubItem*>(Links().Items(0)->Item());
    ASSERT_NE(Entry, nullptr);
    Input.Click(CentreOf(Links(), 0));
    testsupport::PumpUntilIdle();
    TdxBarItemLinks& Menu = Entry->ItemLinks();
    std::vector<std::string> Captions;
    int CloseIndex = -1;
    for (int I = 0; I < Menu.Count(); ++I) {
        TdxBarItem* Item = Menu.Items(I)->Item();
        std::string Text = Item->Caption();
        if (!Item->Enabled()) Text = "~" + Text;
        if (Item->ShortCut() != 0) Text += " " + pf::ShortCutToText(Item->ShortCut());
        if (Menu.Items(I)->BeginGroup()) Text = "| " + Text;
        if (Item->Caption() == "&Close") CloseIndex = I;
        Captions.push_back(Text);
    }
    EXPECT_EQ(Captions, (std::vector<std::string>{
                            "&Restore Ctrl+F5", "~&Move Ctrl+F7", "~&Size Ctrl+F8", "Mi&nimize",
                            "~Ma&ximize Ctrl+F10", "| &Close Ctrl+F4", "| Nex&t Ctrl+F6"}));
    ASSERT_GE(CloseIndex, 0);
    ASSERT_NE(Menu.BarControl(), nullptr);
    // "Ctrl+F4" stands in the Close row's shortcut column: right-aligned to the row's right
    // edge less the row's height and 5, the arrow column beyond it left clear.
    {
        TCustomdxBarControl& Window = *Menu.BarControl();
        const pg::TRect Row = Menu.Items(CloseIndex)->ItemRect;
        const int ColumnRight = Row.Right - Row.Height() - 5;
        const auto Surface = pw::WindowSurface(Window.Handle());
        const pg::TPoint Client = Window.ClientToScreen({0, 0});
        const pg::TPoint Origin = Window.WindowToScreen({0, 0});
        auto Ink = [&](int X, int Y) {
            const pg::COLORREF C = pg::PixelToColor(
                Surface->Pixel(X + Client.X - Origin.X, Y + Client.Y - Origin.Y) & 0xFFFFFF);
            return pg::GetRValue(C) < 64 && pg::GetGValue(C) < 64 && pg::GetBValue(C) < 64;
        };
        int InColumn = 0, Beyond = 0;
        for (int Y = Row.Top; Y < Row.Bottom; ++Y) {
            for (int X = ColumnRight - 40; X < ColumnRight; ++X)
                InColumn += Ink(X, Y);
            for (int X = ColumnRight; X < Row.Right; ++X)
                Beyond += Ink(X, Y);
        }
        EXPECT_GT(InColumn, 10);
        EXPECT_EQ(Beyond, 0);
        EXPECT_TRUE(testsupport::SaveWindowPng(Window.Handle(),
                                               ::testing::TempDir() + "mdi_system_menu.png"));
    }
    Input.Click(CentreOf(Menu, CloseIndex));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Closes, 1);
}

TEST_F(MDIChildMenuTest, TheButtonsRunTheChildsCommands) {
    struct Case {
        const char* Name;
        int Button;
        pf::TWindowState After;
        int Closes;
    };
    const Case Cases[] = {{"minimise", 0, pf::wsMinimized, 0},
                          {"restore", 1, pf::wsNormal, 0},
                          {"close", 2, pf::wsMaximized, 1}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        int Closes = 0;
        Child->OnClose = [&](pc::TObject*, pf::TCloseAction& Action) {
            ++Closes;
            Action = pf::caNone;
        };
        Child->SetWindowState(pf::wsMaximized);
        testsupport::PumpUntilIdle();
        ASSERT_TRUE(BarWindow().HasMDIButtons());
        // A press that leaves the button before the release does nothing.
        Input.Press(ButtonCentre(C.Button));
        EXPECT_EQ(BarWindow().PressedMDIButton(), C.Button);
        Input.MoveTo(BarWindow().ClientToScreen({2, 2}));
        Input.Release(BarWindow().ClientToScreen({2, 2}));
        EXPECT_EQ(Child->WindowState(), pf::wsMaximized);
        Input.Click(ButtonCentre(C.Button));
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Child->WindowState(), C.After);
        EXPECT_EQ(Closes, C.Closes);
        Child->SetWindowState(pf::wsNormal);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Links().Count(), 1);
    }
}

TEST_F(MDIChildMenuTest, ClosingTheMaximisedChildTakesItsEntryAway) {
    Child->OnClose = [](pc::TObject*, pf::TCloseAction& Action) { Action = pf::caFree; };
    Child->SetWindowState(pf::wsMaximized);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Links().Count(), 2);
    Input.Click(ButtonCentre(2));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Form->MDIChildCount(), 0);
    EXPECT_EQ(Links().Count(), 1);
    EXPECT_FALSE(BarWindow().HasMDIButtons());
    EXPECT_EQ(Unit.InternalItemCount(), 0);
}

// A frame with a docked main menu and a toolbar floating by the program.
class FloatingBarActivationTest : public MenuFormFixture {
protected:
    FloatingBarActivationTest() {
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        ShowMainMenu();
        Floating = Manager->Bars()->Add();
        Floating->SetCaption("ToolBar");
        Button(Floating->ItemLinks(), "Open");
        Floating->FloatLeft = 300;
        Floating->FloatTop = 200;
        Floating->SetDockingStyle(dsNone);
        Input.ActivateWindow(Form->Handle());
        Floating->SetVisible(true);
        testsupport::PumpUntilIdle();
    }
    pw::HWND FloatingWnd() { return dynamic_cast<TdxBarControl*>(Floating->Control())->Handle(); }
    TdxBar* Floating = nullptr;
};

TEST_F(FloatingBarActivationTest, DeactivatingTheApplicationHidesFloatingBarsUntilItComesBack) {
    ASSERT_NE(Floating->Control(), nullptr);
    ASSERT_TRUE(pw::IsWindowVisible(FloatingWnd()));
    Input.DeactivateApplication();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(pw::IsWindowVisible(FloatingWnd()));
    EXPECT_TRUE(Floating->Visible());
    Input.ActivateWindow(Form->Handle());
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(pw::IsWindowVisible(FloatingWnd()));
    EXPECT_EQ(pw::GetActiveWindow(), Form->Handle());
}

TEST_F(FloatingBarActivationTest, WithoutHidingTheBarsStayAndAMinimisedFormShowsNone) {
    Manager->SetHideFloatingBarsWhenInactive(false);
    Input.DeactivateApplication();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(pw::IsWindowVisible(FloatingWnd()));
    Manager->SetHideFloatingBarsWhenInactive(true);
    UpdateFloatingBars(*Manager, false, false, pw::NullHWnd);
    EXPECT_FALSE(pw::IsWindowVisible(FloatingWnd()));
    pw::ShowWindow(Form->Handle(), pw::SW_MINIMIZE);
    UpdateFloatingBars(*Manager, true, false, pw::NullHWnd);
    EXPECT_FALSE(pw::IsWindowVisible(FloatingWnd()));
}

} // namespace
} // namespace toolkit::bars
