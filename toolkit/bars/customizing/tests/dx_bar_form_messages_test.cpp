// What the manager does with the messages its form gets: minimising and restoring the form
// hides and shows its floating bars, a display change brings them back inside the work area,
// F1 on a menu entry asks for the entry's help (from another form too), a bar that waited for
// its dock site's window is placed when the form gets its own, the Customize dialog keeps the
// floating bars up and takes the activation its disabled form is given, and the quick-customise
// menu hides and shows with its form.

#include "toolkit/bars/customizing/tests/bar_help_viewer.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize_window.h"

#include "platform/core/window_handle.h"
#include "platform/forms/application.h"
#include "platform/forms/help_manager.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/hooks.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <QtCore/Qt>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

class FormMessagesTest : public MenuFormFixture {
protected:
    FormMessagesTest() { MakeMainMenu(); }

    // "ToolBar" floating at (Left, Top) with three buttons, the form shown and active.
    TdxBarControl& FloatingToolbar(int Left, int Top) {
        Sub(Bar->ItemLinks(), "&File");
        ShowMainMenu();
        Tools = Manager->Bars()->Add();
        Tools->SetCaption("ToolBar");
        for (const char* Caption : {"New", "Open", "Save"})
            Button(Tools->ItemLinks(), Caption);
        Tools->SetFloatLeft(Left);
        Tools->SetFloatTop(Top);
        Tools->SetDockingStyle(dsNone);
        Input.ActivateWindow(Form->Handle());
        Tools->SetVisible(true);
        testsupport::PumpUntilIdle();
        return *dynamic_cast<TdxBarControl*>(Tools->Control());
    }
    void SysCommand(pc::WPARAM Command) {
        pc::SendMessage(Form->Handle(), pw::WM_SYSCOMMAND, Command, 0);
        testsupport::PumpUntilIdle();
    }
};

// "ToolBar" floating far from the Customize dialog with two buttons, and a command "&Open"
// for the dialog's commands list.
class CustomizeDialogBarsTest : public FormMessagesTest {
protected:
    CustomizeDialogBarsTest() : Floating(FloatingToolbar(800, 80)) {
        Open = &Form->Own<TdxBarButton>();
        Open->SetCaption("&Open");
        Open->SetCategory(0);
    }
    ~CustomizeDialogBarsTest() override { EndCustomizing(); }
    TdxBarCustomizingForm& OpenDialog() {
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
        TdxBarCustomizingForm* Dialog = GetCustomizingForm();
        EXPECT_NE(Dialog, nullptr);
        return *Dialog;
    }
    static pg::TPoint Centre(const pg::TRect& R) {
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }

    TdxBarControl& Floating;
    TdxBarButton* Open = nullptr;
};

// The user opens the dialog, goes to it and drags a command onto the floating toolbar, which
// stays on the screen all along.
TEST_F(CustomizeDialogBarsTest, TheDialogLeavesFloatingBarsUpForCommandsToBeDroppedOnThem) {
    int Hidings = 0;
    pw::HHOOK Watch{};
    Watch = pw::SetWindowsHookEx(
        pw::WH_CALLWNDPROC, [&](int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
            const auto& Info = *reinterpret_cast<const pw::CWPSTRUCT*>(LParam);
            if (Info.hwnd == Floating.Handle() && Info.message == pw::WM_WINDOWPOSCHANGED &&
                (reinterpret_cast<const pw::WINDOWPOS*>(Info.lParam)->flags & pw::SWP_HIDEWINDOW))
                ++Hidings;
            return pw::CallNextHookEx(Watch, Code, WParam, LParam);
        });
    TdxBarCustomizingForm& Dialog = OpenDialog();
    EXPECT_EQ(pw::GetActiveWindow(), Dialog.Handle());
    Input.Click(Dialog.ClientToScreen({20, 10}));
    pw::UnhookWindowsHookEx(Watch);
    EXPECT_EQ(Hidings, 0);
    EXPECT_TRUE(pw::IsWindowVisible(Floating.Handle()));

    Dialog.PageControl().SetActivePage(&Dialog.CommandsPage());
    testsupport::PumpUntilIdle();
    pf::TListBox& Commands = Dialog.Commands().LCommands();
    const int Row = Commands.Items().IndexOf("&Open");
    ASSERT_GE(Row, 0);
    const pg::TPoint From = Commands.ClientToScreen(Centre(Commands.ItemRect(Row)));
    const pg::TRect Last = Tools->ItemLinks().VisibleItems(2)->ItemRect;
    const pg::TPoint To = Floating.ClientToScreen({Last.Right - 2, (Last.Top + Last.Bottom) / 2});
    Input.Press(From);
    Input.MoveTo({From.X + 8, From.Y});
    Input.MoveTo(To);
    Input.Release(To);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Tools->ItemLinks().Count(), 4);
    EXPECT_EQ(Tools->ItemLinks().Items(3)->Item(), Open);
    EXPECT_TRUE(pw::IsWindowVisible(Floating.Handle()));
}

TEST_F(CustomizeDialogBarsTest, LeavingTheApplicationFromTheDialogHidesFloatingBarsUntilItsReturn) {
    TdxBarCustomizingForm& Dialog = OpenDialog();
    Input.DeactivateApplication();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(pw::IsWindowVisible(Floating.Handle()));
    // A click on the disabled main window brings the dialog forward, and the bars with it.
    Input.ActivateWindow(Form->Handle());
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pw::GetActiveWindow(), Dialog.Handle());
    EXPECT_TRUE(pw::IsWindowVisible(Floating.Handle()));
    EXPECT_TRUE(Tools->Visible());
}

// The program brings its main window (an edit on it) forward while the dialog is open: the
// dialog takes the activation, for good, and a press on a docked button still selects it for
// customizing.
TEST_F(FormMessagesTest, TheFormActivatedUnderTheCustomizeDialogHandsTheActivationToIt) {
    Sub(Bar->ItemLinks(), "&File");
    MakeToolbar();
    Button(Tools->ItemLinks(), "New");
    Button(Tools->ItemLinks(), "Save");
    auto& Edit = Form->Own<pf::TEdit>();
    Edit.SetParent(Form);
    Edit.SetBounds(20, 120, 120, 22);
    ShowBars();
    Manager->Customizing(true);
    testsupport::PumpUntilIdle();
    TdxBarCustomizingForm* Dialog = GetCustomizingForm();
    ASSERT_NE(Dialog, nullptr);
    ASSERT_FALSE(pw::IsWindowEnabled(Form->Handle()));
    Form->Show();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pw::GetActiveWindow(), Dialog->Handle());
    EXPECT_TRUE(Dialog->Active());
    EXPECT_TRUE(pw::IsFrameActive(Form->Handle()));
    Input.Click(CentreOf(Tools->ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    ASSERT_NE(Manager->SelectedItem(), nullptr);
    EXPECT_EQ(Manager->SelectedItem()->ItemLink(), Tools->ItemLinks().Items(1));
    EndCustomizing();
}

// A form without a manager borrows the main form's menu: F1 on an entry of it asks for the
// entry's help, though the focus is in the other form's edit.
TEST_F(FormMessagesTest, F1InTheMainMenuOpenedFromAnotherFormAsksForTheEntrysHelp) {
    Sub(Bar->ItemLinks(), "&File").HelpContext = 40;
    Sub(Bar->ItemLinks(), "&Edit").HelpContext = 50;
    ShowMainMenu();
    Manager->AllowCallFromAnotherForm = true;
    struct MainForm {
        explicit MainForm(pf::TForm* Form) { pf::Application().SetMainForm(Form); }
        ~MainForm() {
            pf::Application().SetMainForm(nullptr);
            pf::Application().HelpFile.clear();
        }
    } Main(Form);
    auto& Other = FRoot->Own<pf::TForm>();
    Other.SetBounds(300, 350, 300, 200);
    auto& Edit = Other.Own<pf::TEdit>();
    Edit.SetParent(&Other);
    Edit.SetBounds(10, 10, 120, 22);
    Other.Show();
    Edit.SetFocus();
    testsupport::PumpUntilIdle();
    ASSERT_EQ(pw::GetFocus(), Edit.Handle());
    BarHelpViewer Viewer;
    pf::Application().HelpFile = "bars.chm";
    Input.Key(Qt::Key_Alt);
    ASSERT_TRUE(Manager->IsInMenuMode());
    Input.Key(Qt::Key_Right);
    Input.Key(Qt::Key_F1);
    EXPECT_EQ(Viewer.Shown, (std::vector<int>{50}));
}

// The quick-customise menu of a floating toolbar whose form is not the active one goes with
// the form while it is hidden and comes back with it, without taking the activation.
// The form hidden hides the quick-customise bar with it, and a quick-customise bar that is hidden
// closes: the form shown again shows none.
TEST_F(FormMessagesTest, TheQuickCustomizeBarHidesWithItsFormAndSoCloses) {
    TdxBarControl& W = FloatingToolbar(300, 200);
    Manager->SetHideFloatingBarsWhenInactive(false);
    auto& Other = FRoot->Own<pf::TForm>();
    Other.SetBounds(700, 500, 200, 100);
    Other.Show();
    testsupport::PumpUntilIdle();
    const pg::TRect Mark = W.GetMarkScreenRect();
    Input.Click({(Mark.Left + Mark.Right) / 2, (Mark.Top + Mark.Bottom) / 2});
    const pw::HWND Quick = QuickCustomizeWindow(*Manager);
    ASSERT_NE(Quick, pw::NullHWnd);
    ASSERT_TRUE(pw::IsWindowVisible(Quick));
    Form->Hide();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(QuickCustomizeWindow(*Manager), pw::NullHWnd);
    EXPECT_FALSE(pw::IsWindowVisible(Quick));
    Form->Show();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(QuickCustomizeWindow(*Manager), pw::NullHWnd);
}

TEST_F(FormMessagesTest, MinimisingTheFormHidesItsFloatingBarsAndRestoringShowsThem) {
    TdxBarControl& W = FloatingToolbar(300, 200);
    ASSERT_TRUE(pw::IsWindowVisible(W.Handle()));
    SysCommand(pw::SC_MINIMIZE);
    EXPECT_TRUE(pw::IsIconic(Form->Handle()));
    EXPECT_FALSE(pw::IsWindowVisible(W.Handle()));
    SysCommand(pw::SC_RESTORE);
    EXPECT_FALSE(pw::IsIconic(Form->Handle()));
    EXPECT_TRUE(pw::IsWindowVisible(W.Handle()));
    EXPECT_NE(pw::GetActiveWindow(), W.Handle()) << "shown without activation";
}

// The display shrinks to 800 x 600: a floating bar beyond its right and bottom edges moves
// back inside; one that still lies inside stays where it is.
TEST_F(FormMessagesTest, ADisplayChangeMovesFloatingBarsBackIntoTheWorkArea) {
    TdxBarControl& W = FloatingToolbar(760, 560);
    const pg::TRect Before = W.BoundsRect();
    ASSERT_GT(Before.Right, 800);
    pw::SetMonitors({{{0, 0, 800, 600}, {0, 0, 800, 580}}});
    pc::SendMessage(Form->Handle(), pw::WM_DISPLAYCHANGE, 32, 0);
    testsupport::PumpUntilIdle();
    pg::TRect After{};
    pw::GetWindowRect(W.Handle(), &After);
    EXPECT_EQ(After.Right, 800);
    EXPECT_EQ(After.Bottom, 580);
    EXPECT_EQ(After.Width(), Before.Width());

    // A work-area change does the same; a bar inside stays.
    W.SetBounds(100, 100, W.Width(), W.Height());
    pc::SendMessage(Form->Handle(), pw::WM_SETTINGCHANGE, pw::SPI_SETWORKAREA, 0);
    testsupport::PumpUntilIdle();
    pw::GetWindowRect(W.Handle(), &After);
    EXPECT_EQ(After.Left, 100);
    EXPECT_EQ(After.Top, 100);
}

// A floating bar that reaches past the right edge of the work area by less than its own width,
// and no further down than the work area: after a display change or a change of the work area it
// moves left until its right edge meets the work area's, at the same height and size.
TEST_F(FormMessagesTest, AFloatingBarPastTheRightEdgeMovesLeftUntilItsRightEdgeMeetsIt) {
    TdxBarControl& W = FloatingToolbar(300, 100);
    const int Width = W.Width(), Height = W.Height();
    ASSERT_GT(Width, 2);
    const struct {
        const char* Name;
        pc::UINT Message;
        pc::WPARAM WParam;
        int Past;
    } Cases[] = {{"display, one pixel past", pw::WM_DISPLAYCHANGE, 32, 1},
                 {"display, all but one pixel past", pw::WM_DISPLAYCHANGE, 32, Width - 1},
                 {"work area, half past", pw::WM_SETTINGCHANGE, pw::SPI_SETWORKAREA, Width / 2}};
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        pw::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 768}}});
        W.SetBounds(800 - Width + Case.Past, 100, Width, Height);
        testsupport::PumpUntilIdle();
        pw::SetMonitors({{{0, 0, 800, 600}, {0, 0, 800, 580}}});
        pc::SendMessage(Form->Handle(), Case.Message, Case.WParam, 0);
        testsupport::PumpUntilIdle();
        pg::TRect After{};
        pw::GetWindowRect(W.Handle(), &After);
        EXPECT_EQ(After, (pg::TRect{800 - Width, 100, 800, 100 + Height}));
    }
}

// The same for a floating bar whose window is not made yet (its form has not been shown): the
// position it stores, and the bounds its window will be made with, move left until the window's
// right edge meets the work area's.
TEST_F(FormMessagesTest, AFloatingBarWithoutAWindowYetHasItsPlaceMovedTheSame) {
    Tools = Manager->Bars()->Add();
    Tools->SetCaption("ToolBar");
    for (const char* Caption : {"New", "Open", "Save"})
        Button(Tools->ItemLinks(), Caption);
    Tools->SetFloatLeft(760);
    Tools->SetFloatTop(100);
    Tools->SetDockingStyle(dsNone);
    Form->HandleNeeded();
    Tools->SetVisible(true);
    testsupport::PumpUntilIdle();
    auto* W = dynamic_cast<TdxBarControl*>(Tools->Control());
    ASSERT_NE(W, nullptr);
    ASSERT_FALSE(W->HandleAllocated());
    const int Width = W->Width(), Height = W->Height();
    ASSERT_GT(760 + Width, 800);

    pw::SetMonitors({{{0, 0, 800, 600}, {0, 0, 800, 580}}});
    pc::SendMessage(Form->Handle(), pw::WM_DISPLAYCHANGE, 32, 0);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->FloatLeft(), 800 - Width);
    EXPECT_EQ(Tools->FloatTop(), 100);
    EXPECT_EQ(W->BoundsRect(), (pg::TRect{800 - Width, 100, 800, 100 + Height}));
}

// F1 on a menu entry asks for the entry's help context; an entry without one gives the help of
// the entry whose menu it is in.
TEST_F(FormMessagesTest, F1OnAMenuEntryAsksForItsHelpContext) {
    TdxBarSubItem& File = Sub(Bar->ItemLinks(), "&File");
    File.HelpContext = 40;
    Button(File.ItemLinks(), "&Open").HelpContext = 41;
    Button(File.ItemLinks(), "&Save");
    ShowMainMenu();
    BarHelpViewer Viewer;
    pf::Application().HelpFile = "bars.chm";
    Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
    Input.Click(CentreOf(Bar->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    ASSERT_NE(File.ItemLinks().BarControl(), nullptr);
    Input.MoveTo(CentreOf(File.ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    Input.Key(Qt::Key_F1);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Viewer.Shown, (std::vector<int>{41}));
    Input.MoveTo(CentreOf(File.ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    Input.Key(Qt::Key_F1);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Viewer.Shown, (std::vector<int>{41, 40}));
    pf::Application().HelpFile.clear();
}

// A bar docked on a dock site that is on no parent yet waits; the form places it when it gets
// its window (the site is on the form by then).
TEST_F(FormMessagesTest, ABarWaitingForItsDockSiteIsPlacedWhenTheFormGetsItsWindow) {
    auto& Site = Form->Own<TdxBarDockControl>();
    Site.SetBarManager(Manager);
    Site.SetAlign(pf::alTop);
    Tools = Manager->Bars()->Add();
    Tools->SetCaption("ToolBar");
    Button(Tools->ItemLinks(), "New");
    Tools->SetDockControl(&Site);
    Tools->SetVisible(true);
    EXPECT_EQ(Manager->GetPendingBarCount(), 1);
    EXPECT_EQ(Tools->Control(), nullptr);
    Site.SetParent(Form);
    ASSERT_FALSE(Form->HandleAllocated());
    Form->Show();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Manager->GetPendingBarCount(), 0);
    ASSERT_NE(Tools->Control(), nullptr);
    auto* W = dynamic_cast<TdxBarControl*>(Tools->Control());
    ASSERT_NE(W, nullptr);
    EXPECT_TRUE(pw::IsWindowVisible(W->Handle()));
    EXPECT_EQ(W->DockSite(), &Site);
}

} // namespace
} // namespace toolkit::bars
