// Bar items bound to actions, where a user sees them: the action's caption, checked, enabled and
// visible states show on the toolbar button and the menu entry of its item; a click runs the
// action once; the idle step and the opening of a menu poll the action; an item copies itself
// into an action; an action may refuse its item's hint; the action going leaves the item as it
// was.

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/dx_bar_item_action_link.h"
#include "toolkit/bars/windows/dx_bar_hint_window.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/base/office11.h"

#include "platform/forms/actions.h"
#include "platform/forms/application.h"
#include "platform/forms/shortcuts.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_out.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A main menu with "&File", a toolbar under it, and the command "Open" on both: its button on
// the toolbar (after "First" and before "Last"), its entry in the File menu. The command's item
// is bound to the action before anything shows.
class ActionLinkTest : public MenuFormFixture {
protected:
    ActionLinkTest() {
        MakeOffice11MainMenu();
        MakeToolbar();
        File = &Sub(Bar->ItemLinks(), "&File");
        Button(Tools->ItemLinks(), "First");
        Open = &Form->Own<TdxBarButton>();
        Tools->ItemLinks().Add(Open);
        File->ItemLinks().Add(Open);
        Button(Tools->ItemLinks(), "Last");
        Action = &Form->Own<pf::TCustomAction>();
        Action->SetCaption("&Open");
        Action->SetHint("Open|Opens a library");
        Action->SetOnExecute([this](pc::TObject* Sender) {
            ++Runs;
            RunSender = Sender;
            RunComponent = Action ? Action->ActionComponent() : nullptr;
        });
        Open->SetAction(Action);
    }
    ~ActionLinkTest() override { dxBarFreeHintWindow(); }

    TdxBarControl& ToolWindow() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    // Open's rectangle on the toolbar (the second shown link).
    pg::TRect OpenRect() { return Tools->ItemLinks().Items(1)->ItemRect; }
    void Away() {
        Input.MoveTo(Form->ClientToScreen({600, 250}));
        testsupport::PumpUntilIdle();
    }
    void ClickOpen() {
        const pg::TPoint P = CentreOf(Tools->ItemLinks(), 1);
        Input.MoveTo(P);
        Input.Click(P);
        testsupport::PumpUntilIdle();
        Away();
    }
    TdxBarSubMenuControl* OpenFileMenu() {
        const pg::TPoint P = CentreOf(Bar->ItemLinks(), 0);
        Input.MoveTo(P);
        Input.Click(P);
        testsupport::PumpUntilIdle();
        return dynamic_cast<TdxBarSubMenuControl*>(File->ItemLinks().BarControl());
    }
    // How many columns the dark text pixels in R of W span; 0 when there are none.
    static int InkSpan(TCustomdxBarControl& W, const pg::TRect& R) {
        int First = R.Right, Last = R.Left - 1;
        for (int X = R.Left; X < R.Right; ++X)
            for (int Y = R.Top; Y < R.Bottom; ++Y) {
                const pg::COLORREF C = ClientPixel(W, X, Y);
                if (pg::GetRValue(C) < 64 && pg::GetGValue(C) < 64 && pg::GetBValue(C) < 64) {
                    First = std::min(First, X);
                    Last = std::max(Last, X);
                }
            }
        return Last < First ? 0 : Last - First + 1;
    }

    TdxBarSubItem* File = nullptr;
    TdxBarButton* Open = nullptr;
    pf::TCustomAction* Action = nullptr;
    int Runs = 0;
    pc::TObject* RunSender = nullptr;
    pc::TComponent* RunComponent = nullptr;
};

// The action's caption reaches the toolbar button, which grows by the text's difference and
// draws the new text, and the File menu's entry, in a menu opened before or after the change.
TEST_F(ActionLinkTest, TheActionsCaptionReachesTheShownButtonAndTheMenuEntry) {
    ShowBars();
    Away();
    ASSERT_EQ(Open->Caption(), "&Open");
    const int Before = OpenRect().Width();
    EXPECT_NEAR(InkSpan(ToolWindow(), OpenRect()), TextWidth("Open"), 2);
    const int LastLeft = Tools->ItemLinks().Items(2)->ItemRect.Left;

    Action->SetCaption("&Open the library");
    testsupport::PumpUntilIdle();
    const int Growth = TextWidth("Open the library") - TextWidth("Open");
    EXPECT_EQ(OpenRect().Width() - Before, Growth);
    EXPECT_NEAR(InkSpan(ToolWindow(), OpenRect()), TextWidth("Open the library"), 2);
    EXPECT_EQ(Tools->ItemLinks().Items(2)->ItemRect.Left - LastLeft, Growth) << "Last moved on";

    TdxBarSubMenuControl* Menu = OpenFileMenu();
    ASSERT_NE(Menu, nullptr);
    const pg::TRect Row = File->ItemLinks().Items(0)->ItemRect;
    EXPECT_NEAR(InkSpan(*Menu, Row), TextWidth("Open the library"), 2);
    Action->SetCaption("&Load");
    testsupport::PumpUntilIdle();
    EXPECT_NEAR(InkSpan(*Menu, File->ItemLinks().Items(0)->ItemRect), TextWidth("Load"), 2);
    CloseMenus();
}

// Checked, Enabled and Visible of the action show on the button at once: the checked face,
// the grey (inkless) text of a disabled button that no click runs, and the button gone.
TEST_F(ActionLinkTest, CheckedEnabledAndVisibleOfTheActionShowOnTheButton) {
    Open->SetButtonStyle(bsChecked);
    ShowBars();
    Away();
    const pg::TRect R = OpenRect();
    const pg::COLORREF Up = ClientPixel(ToolWindow(), R.Left + 2, R.Top + 2);

    Action->SetChecked(true);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Open->Down());
    EXPECT_EQ(ClientPixel(ToolWindow(), R.Left, R.Top + 3),
              pg::ColorToRGB(toolkit::base::dxOffice11SelectedBorderColor()))
        << "framed as checked";
    Action->SetChecked(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ClientPixel(ToolWindow(), R.Left + 2, R.Top + 2), Up);

    ASSERT_GT(InkSpan(ToolWindow(), R), 0);
    Action->SetEnabled(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(InkSpan(ToolWindow(), R), 0) << "drawn disabled";
    ClickOpen();
    EXPECT_EQ(Runs, 0);
    Action->SetEnabled(true);
    testsupport::PumpUntilIdle();
    EXPECT_NEAR(InkSpan(ToolWindow(), R), TextWidth("Open"), 2);

    Action->SetVisible(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Open->Visible(), ivNever);
    EXPECT_EQ(Tools->ItemLinks().VisibleItemCount(), 2);
    EXPECT_EQ(Tools->ItemLinks().Items(1)->Control(), nullptr);
    EXPECT_EQ(Tools->ItemLinks().Items(2)->ItemRect.Left, R.Left) << "Last takes its place";
    Action->SetVisible(true);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->ItemLinks().VisibleItemCount(), 3);
    EXPECT_NEAR(InkSpan(ToolWindow(), OpenRect()), TextWidth("Open"), 2);
}

// A click on the button runs the action once, through its link: OnExecute with the action as
// sender and the item as the action's component, after the manager's OnClickItem. An OnClick of
// the item's own (not the action's routine) runs instead of the action.
TEST_F(ActionLinkTest, AClickRunsTheActionOnceUnlessTheItemHasAnOnClickOfItsOwn) {
    int ItemClicks = 0;
    Manager->OnClickItem = [&](pc::TObject*, TdxBarItem* Item) {
        if (Item == Open) ++ItemClicks;
    };
    ShowBars();
    ClickOpen();
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(RunSender, Action);
    EXPECT_EQ(RunComponent, Open);
    EXPECT_EQ(Action->ActionComponent(), nullptr) << "only while it runs";
    EXPECT_EQ(ItemClicks, 1);

    pc::TObject* OwnSender = nullptr;
    Open->OnClick = [&](pc::TObject* Sender) { OwnSender = Sender; };
    ClickOpen();
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(OwnSender, Open);
    EXPECT_EQ(ItemClicks, 2);
}

// The idle step polls the actions of the visible bars' items: what OnUpdate sets shows on the
// button. A menu that opens polls its entries' actions first.
TEST_F(ActionLinkTest, TheIdleStepAndAMenuOpeningPollTheActionAndTheButtonShowsIt) {
    ShowBars();
    Away();
    int Polls = 0;
    bool Ready = false;
    Action->OnUpdate = [&](pc::TObject*) {
        ++Polls;
        Action->SetEnabled(Ready);
    };
    const pg::TRect R = OpenRect();
    ASSERT_GT(InkSpan(ToolWindow(), R), 0);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Polls, 0) << "a pump of the queue is no idle step";

    Clock.Schedule(Clock.Now() + 50, [] { pf::Application().Terminate(); });
    pf::Application().Run();
    pf::Application().ResetTerminated();
    EXPECT_GT(Polls, 0);
    EXPECT_FALSE(Open->Enabled());
    EXPECT_EQ(InkSpan(ToolWindow(), R), 0) << "drawn disabled";

    Ready = true;
    TdxBarSubMenuControl* Menu = OpenFileMenu();
    ASSERT_NE(Menu, nullptr);
    EXPECT_TRUE(Open->Enabled());
    EXPECT_NEAR(InkSpan(*Menu, File->ItemLinks().Items(0)->ItemRect), TextWidth("Open"), 2);
    CloseMenus();
}

// An item copied into an action: caption, Down as checked, enabled, help context, hint, image
// index, shortcut, visibility and its OnClick as the execute routine; the button of another item
// bound to that action shows the caption, and its click runs the copied routine.
TEST_F(ActionLinkTest, AnItemCopiedIntoAnActionReachesTheActionsOtherButtons) {
    auto& Print = Form->Own<TdxBarButton>();
    Print.SetCaption("&Print...");
    Print.Hint = "Print|Prints the library";
    Print.HelpContext = 7;
    Print.SetImageIndex(3);
    Print.SetShortCut(pf::ShortCut('P', pf::scCtrl));
    Print.SetButtonStyle(bsChecked);
    Print.SetDown(true);
    pc::TObject* PrintSender = nullptr;
    Print.OnClick = [&](pc::TObject* Sender) { PrintSender = Sender; };
    ShowBars();
    Away();

    Action->Assign(&Print);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Action->Caption(), "&Print...");
    EXPECT_TRUE(Action->Checked());
    EXPECT_TRUE(Action->Enabled());
    EXPECT_EQ(Action->HelpContext(), 7);
    EXPECT_EQ(Action->Hint(), "Print|Prints the library");
    EXPECT_EQ(Action->ImageIndex(), 3);
    EXPECT_EQ(Action->ShortCut(), pf::ShortCut('P', pf::scCtrl));
    EXPECT_EQ(Open->Caption(), "&Print...");
    EXPECT_NEAR(InkSpan(ToolWindow(), OpenRect()), TextWidth("Print..."), 2);
    ClickOpen();
    EXPECT_EQ(Runs, 0);
    EXPECT_EQ(PrintSender, Action) << "the routine runs as the action's";

    // ivInCustomizing leaves the action's visibility.
    const struct {
        TdxBarItemVisible Item;
        bool Was, Is;
    } Cases[] = {{ivNever, true, false},
                 {ivAlways, false, true},
                 {ivInCustomizing, false, false},
                 {ivInCustomizing, true, true}};
    for (const auto& C : Cases) {
        pf::TCustomAction Other(nullptr);
        Other.SetVisible(C.Was);
        Print.SetVisible(C.Item);
        Other.Assign(&Print);
        EXPECT_EQ(Other.Visible(), C.Is) << C.Item << " " << C.Was;
    }
}

// The action has the last word on its item's hint: it may rewrite it or refuse it.
TEST_F(ActionLinkTest, TheActionMayRewriteOrRefuseItsItemsHint) {
    ShowBars();
    const struct {
        const char* Name;
        pf::THintEvent Handler;
        std::string Shown;
    } Cases[] = {
        {"no handler", nullptr, "Open"},
        {"rewrites", [](std::string& S, bool&) { S += " now"; }, "Open now"},
        {"refuses", [](std::string&, bool& CanShow) { CanShow = false; }, ""},
    };
    for (const auto& C : Cases) {
        Action->OnHint = C.Handler;
        Away();
        pc::RunFor(Clock, 500);
        Input.MoveTo(CentreOf(Tools->ItemLinks(), 1));
        testsupport::PumpUntilIdle();
        pc::RunFor(Clock, 1000);
        TdxBarHintWindow& W = dxBarHintWindow();
        const bool Shown = W.HandleAllocated() && pw::IsWindowVisible(W.Handle());
        EXPECT_EQ(Shown ? W.Caption() : std::string(), C.Shown) << C.Name;
    }
}

// A caption the program gives the item of its own stays when the action's caption changes;
// the action's Change gives the item all of the action's properties again.
TEST_F(ActionLinkTest, AnItemsOwnCaptionStaysUntilTheActionChangesAsAWhole) {
    ShowBars();
    Away();
    Open->SetCaption("Mine");
    Action->SetCaption("&Load the library");
    testsupport::PumpUntilIdle();
    EXPECT_NEAR(InkSpan(ToolWindow(), OpenRect()), TextWidth("Mine"), 2);
    Action->Change();
    testsupport::PumpUntilIdle();
    EXPECT_NEAR(InkSpan(ToolWindow(), OpenRect()), TextWidth("Load the library"), 2);
    EXPECT_EQ(Open->Hint, "Open|Opens a library") << "the action's hint, not the caption's";
}

// The action freed, by its owner or outright: the item lets it go and keeps what it had, its
// button still showing the caption and its click still running the routine it took.
TEST_F(ActionLinkTest, TheActionGoingLeavesTheItemAsItWas) {
    ShowBars();
    Away();
    Form->FreeComponent(*Action);
    Action = nullptr;
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Open->Action(), nullptr);
    EXPECT_NEAR(InkSpan(ToolWindow(), OpenRect()), TextWidth("Open"), 2);
    ClickOpen();
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(RunSender, Open);

    auto Outright = std::make_unique<pf::TCustomAction>(nullptr);
    Outright->SetCaption("Save");
    Open->SetAction(Outright.get());
    EXPECT_EQ(Open->Caption(), "Save");
    Outright.reset();
    EXPECT_EQ(Open->Action(), nullptr);
    Open->SetCaption("Save as");
    testsupport::PumpUntilIdle();
    EXPECT_NEAR(InkSpan(ToolWindow(), OpenRect()), TextWidth("Save as"), 2);
}

} // namespace
} // namespace toolkit::bars
