// What the manager does with the messages its form gets: minimising and restoring the form
// hides and shows its floating bars, a display change brings them back inside the work area,
// F1 on a menu entry asks for the entry's help, and a bar that waited for its dock site's
// window is placed when the form gets its own.

#include "toolkit/bars/tests/bar_help_viewer.h"
#include "toolkit/bars/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/dx_bar_dock_control.h"
#include "toolkit/bars/dx_bar_menu_control.h"

#include "platform/core/window_handle.h"
#include "platform/forms/application.h"
#include "platform/forms/help_manager.h"
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
        Tools->FloatLeft = Left;
        Tools->FloatTop = Top;
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
    Tools->FloatLeft = 760;
    Tools->FloatTop = 100;
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
    EXPECT_EQ(Tools->FloatLeft, 800 - Width);
    EXPECT_EQ(Tools->FloatTop, 100);
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
