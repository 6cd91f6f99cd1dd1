// The application's idle step, as the controls that show actions meet it: each time the loop
// that runs (the program's, or a modal dialog's) has nothing left to dispatch, every visible
// control of every shown and enabled form is asked to bring its actions up to date.

#include "platform/forms/actions.h"
#include "platform/forms/control_action_link.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/tests/forms_test_support.h"

#include <gtest/gtest.h>

namespace platform::forms::test {
namespace {

// A panel that shows an action's caption, taken when the idle step reaches it.
class TActionPanel : public TPanel {
public:
    using TPanel::TPanel;
    TCustomAction* Shown = nullptr;
    int Updates = 0;
    void InitiateAction() override {
        ++Updates;
        if (Shown) {
            Shown->Update();
            SetCaption(Shown->Caption());
        }
    }
};

class ActionIdleTest : public FormsTest {
protected:
    TActionPanel& Panel(TWinControl& parent, int top) {
        auto& panel = parent.Own<TActionPanel>();
        panel.SetParent(&parent);
        panel.SetBounds(10, top, 100, 30);
        return panel;
    }
};

TEST_F(ActionIdleTest, TheLoopsQuietMomentsReachTheVisibleControlsOfShownEnabledForms) {
    TForm& main = MakeForm();
    main.SetBounds(0, 0, 300, 200);
    TCustomAction& action = main.Own<TCustomAction>();
    int polls = 0;
    action.OnUpdate = [&](TObject* sender) {
        ++polls;
        static_cast<TCustomAction*>(sender)->SetCaption("Polled");
    };
    TActionPanel& shown = Panel(main, 10);
    shown.Shown = &action;
    TPanel& hiddenParent = main.Own<TPanel>();
    hiddenParent.SetParent(&main);
    hiddenParent.SetBounds(10, 50, 200, 100);
    TActionPanel& underHidden = Panel(hiddenParent, 10);
    hiddenParent.SetVisible(false);
    TForm& hiddenForm = MakeForm();
    TActionPanel& onHiddenForm = Panel(hiddenForm, 10);
    main.Show();
    Pump();
    EXPECT_EQ(shown.Updates, 0) << "a pump of the queue is no idle step";

    After(50, [] { Application().Terminate(); });
    Application().Run();
    Application().ResetTerminated();
    EXPECT_GT(shown.Updates, 0);
    EXPECT_GT(polls, 0);
    EXPECT_EQ(shown.Caption(), "Polled");
    EXPECT_EQ(underHidden.Updates, 0);
    EXPECT_EQ(onHiddenForm.Updates, 0);

    // A modal dialog's loop: the dialog is reached, the form it disables is not.
    TForm& dialog = MakeForm();
    dialog.SetBounds(50, 50, 200, 100);
    TActionPanel& onDialog = Panel(dialog, 10);
    shown.Updates = 0;
    After(50, [&] { dialog.SetModalResult(mrOk); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_GT(onDialog.Updates, 0);
    EXPECT_EQ(shown.Updates, 0);
}

// A control linked to an action shows the action's caption, enabled state, help context, hint
// and visibility while it still shows the action's values, and a click runs the action unless
// the control was given a click routine of its own.
TEST_F(ActionIdleTest, AControlShowsItsActionAndRunsItOnAClick) {
    TForm& form = MakeForm();
    TCustomAction& action = form.Own<TCustomAction>();
    action.SetCaption("Run");
    action.SetHint("Runs it");
    action.SetHelpContext(7);
    action.SetEnabled(false);
    int runs = 0;
    action.SetOnExecute([&](TObject*) { ++runs; });
    TPanel& panel = form.Own<TPanel>();
    panel.SetAction(&action);
    EXPECT_EQ(panel.Caption(), "Run");
    EXPECT_EQ(panel.Hint, "Runs it");
    EXPECT_EQ(panel.HelpContext, 7);
    EXPECT_FALSE(panel.Enabled());
    ASSERT_NE(panel.ActionLink(), nullptr);
    EXPECT_TRUE(panel.ActionLink()->IsCaptionLinked());

    action.SetEnabled(true);
    action.SetCaption("Go");
    action.SetVisible(false);
    EXPECT_TRUE(panel.Enabled());
    EXPECT_EQ(panel.Caption(), "Go");
    EXPECT_FALSE(panel.Visible());
    // A caption of the control's own stays.
    panel.SetCaption("Mine");
    action.SetCaption("Again");
    EXPECT_EQ(panel.Caption(), "Mine");

    panel.Click();
    EXPECT_EQ(runs, 1);
    int own = 0;
    panel.OnClick = [&](TObject*) { ++own; };
    panel.Click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(own, 1);

    // The action going takes the link with it.
    form.FreeComponent(action);
    EXPECT_EQ(panel.Action(), nullptr);
    panel.Click();
    EXPECT_EQ(own, 2);
}

} // namespace
} // namespace platform::forms::test
