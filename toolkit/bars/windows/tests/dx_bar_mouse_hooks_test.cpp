#include "toolkit/bars/windows/dx_bar_mouse_hooks.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/core/clock.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A window of the form's client area (as an MDI client would be) that records the mouse
// buttons it receives.
class TRecorder : public pf::TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<pw::UINT> Buttons;

    void WndProc(pf::TMessage& Message) override {
        if ((Message.Msg >= pw::WM_LBUTTONDOWN && Message.Msg <= pw::WM_MBUTTONDBLCLK) ||
            Message.Msg == pw::WM_CONTEXTMENU)
            Buttons.push_back(Message.Msg);
        TCustomControl::WndProc(Message);
    }
};

// A form with a main-menu bar ("&File" holding "&Open") and a recording client window below it.
class MouseHooksTest : public MenuFormFixture {
protected:
    explicit MouseHooksTest(pf::TFormStyle Style = pf::fsNormal) : MenuFormFixture(Style) {
        Client = &Form->Own<TRecorder>();
        Client->SetParent(Form);
        Client->SetBounds(0, 100, 600, 150);
        MakeMainMenu();
        File = &Sub(Bar->ItemLinks(), "&File");
        Button(File->ItemLinks(), "&Open");
        ShowMainMenu();
    }

    TdxBarSubMenuControl* FileMenu() const {
        return dynamic_cast<TdxBarSubMenuControl*>(File->ItemLinks().BarControl());
    }
    pg::TPoint FilePoint() const { return CentreOf(Bar->ItemLinks(), 0); }
    void OpenFile() {
        const pg::TPoint P = FilePoint();
        Input.MoveTo(P);
        Input.Click(P);
        testsupport::PumpUntilIdle();
        ASSERT_NE(FileMenu(), nullptr);
        ASSERT_TRUE(FileMenu()->Visible());
    }
    pg::TPoint InClient() const { return Client->ClientToScreen({500, 100}); }

    TRecorder* Client = nullptr;
    TdxBarSubItem* File = nullptr;
};

TEST_F(MouseHooksTest, APressOnTheClientAreaClosesTheMenuAndStillReachesTheClient) {
    struct Case {
        const char* Name;
        Qt::MouseButton Button;
        pw::UINT Down;
    };
    for (const Case& C : {Case{"left", Qt::LeftButton, pw::WM_LBUTTONDOWN},
                          Case{"right", Qt::RightButton, pw::WM_RBUTTONDOWN},
                          Case{"middle", Qt::MiddleButton, pw::WM_MBUTTONDOWN}}) {
        SCOPED_TRACE(C.Name);
        OpenFile();
        Client->Buttons.clear();
        Input.Press(InClient(), C.Button);
        EXPECT_EQ(FileMenu(), nullptr);
        EXPECT_EQ(TCustomdxBarControl::ActiveBarControl(), nullptr);
        ASSERT_FALSE(Client->Buttons.empty());
        EXPECT_EQ(Client->Buttons.front(), C.Down);
        Input.Release(InClient(), C.Button);
    }
}

TEST_F(MouseHooksTest, ARightOrMiddleReleaseOutsideTheMenusIsSwallowed) {
    for (const Qt::MouseButton Button : {Qt::RightButton, Qt::MiddleButton}) {
        OpenFile();
        Client->Buttons.clear();
        // Released over the client without a press there: the menus stay as they are.
        Input.Release(InClient(), Button);
        EXPECT_TRUE(Client->Buttons.empty());
        ASSERT_NE(FileMenu(), nullptr);
        Input.Click(InClient());
        ASSERT_EQ(FileMenu(), nullptr);
    }
    // With no menu open the release passes.
    Client->Buttons.clear();
    Input.Release(InClient(), Qt::RightButton);
    ASSERT_FALSE(Client->Buttons.empty());
    EXPECT_EQ(Client->Buttons.front(), pw::WM_RBUTTONUP);
}

TEST_F(MouseHooksTest, APressInsideTheOpenMenuKeepsItOpen) {
    OpenFile();
    TdxBarSubMenuControl* Menu = FileMenu();
    const pg::TPoint InMenu = Menu->ClientToScreen({3, 3});
    Input.Press(InMenu);
    EXPECT_EQ(FileMenu(), Menu);
    EXPECT_TRUE(Menu->Visible());
}

TEST_F(MouseHooksTest, DeactivatingTheApplicationClosesEveryMenu) {
    OpenFile();
    Input.DeactivateApplication();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(FileMenu(), nullptr);
    EXPECT_EQ(TCustomdxBarControl::ActiveBarControl(), nullptr);
    EXPECT_EQ(Manager->SelectedItem(), nullptr);
    EXPECT_FALSE(Manager->FormActive());
}

TEST_F(MouseHooksTest, ALeftReleaseOutsideTheMenusAfterADragClosesThem) {
    Input.MoveTo(FilePoint());
    Input.Drag(FilePoint(), InClient());
    testsupport::PumpUntilIdle();
    EXPECT_EQ(FileMenu(), nullptr);
    EXPECT_EQ(TCustomdxBarControl::ActiveBarControl(), nullptr);
}

TEST_F(MouseHooksTest, DeactivatingTheApplicationClearsTheHoveredItem) {
    Input.ActivateWindow(Form->Handle());
    Input.MoveTo(FilePoint());
    testsupport::PumpUntilIdle();
    ASSERT_NE(Manager->SelectedItem(), nullptr);
    Input.DeactivateApplication();
    EXPECT_EQ(Manager->SelectedItem(), nullptr);
}

TEST_F(MouseHooksTest, TheFormStaysActiveForItsOwnBarWindow) {
    Input.ActivateWindow(Form->Handle());
    ASSERT_TRUE(Manager->FormActive());
    const pw::HWND BarWindow = Bar->ItemLinks().BarControl()->Handle();
    pc::SendMessage(Form->Handle(), pw::WM_ACTIVATE, pw::WA_INACTIVE,
                    static_cast<pw::LPARAM>(BarWindow));
    EXPECT_TRUE(Manager->FormActive());
    pc::SendMessage(Form->Handle(), pw::WM_ACTIVATE, pw::WA_INACTIVE, 0);
    EXPECT_FALSE(Manager->FormActive());
}

TEST_F(MouseHooksTest, TheFormsActivationReachesItsManager) {
    Input.ActivateWindow(Form->Handle());
    EXPECT_TRUE(Manager->FormActive());
    Input.DeactivateApplication();
    EXPECT_FALSE(Manager->FormActive());
    Input.ActivateWindow(Form->Handle());
    EXPECT_TRUE(Manager->FormActive());
}

class MdiMouseHooksTest : public MouseHooksTest {
protected:
    MdiMouseHooksTest() : MouseHooksTest(pf::fsMDIForm) { Client->SetVisible(false); }
};

TEST_F(MdiMouseHooksTest, APressOnTheMdiClientAreaClosesTheMenu) {
    const pw::HWND MdiClient = Form->ClientHandle();
    ASSERT_NE(MdiClient, pw::NullHWnd);
    pg::TRect R;
    pw::GetWindowRect(MdiClient, &R);
    const pg::TPoint P{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    ASSERT_EQ(pw::WindowFromPoint(P), MdiClient);
    OpenFile();
    Input.Click(P);
    EXPECT_EQ(FileMenu(), nullptr);
    EXPECT_EQ(TCustomdxBarControl::ActiveBarControl(), nullptr);
}

TEST(BarManagerRegistrationTest, TheFirstManagerBringsTheHooksAndTheLastTakesThem) {
    TdxBarUnit Unit;
    auto Root = std::make_unique<pc::TComponent>(nullptr);
    TdxBarManagerList& List = Unit.BarManagerList();
    auto& FormA = Root->Own<pf::TForm>();
    auto& FormB = Root->Own<pf::TForm>();
    auto& A = FormA.Own<TdxBarManager>();
    EXPECT_TRUE(List.HooksInstalled());
    const pw::HHOOK Mouse = List.MouseHook();
    auto& B = FormB.Own<TdxBarManager>();
    EXPECT_EQ(List.MouseHook(), Mouse);
    EXPECT_EQ(List.GetCount(), 2);
    FormA.FreeComponent(A);
    EXPECT_TRUE(List.HooksInstalled());
    FormB.FreeComponent(B);
    EXPECT_FALSE(List.HooksInstalled());
    EXPECT_EQ(List.KeyboardHook(), pw::NullHook);
    EXPECT_EQ(List.CallWndProcHook(), pw::NullHook);
}

} // namespace
} // namespace toolkit::bars
