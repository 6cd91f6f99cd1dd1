#include "platform/core/message_loop.h"
#include "platform/core/timer.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_ctrls.h"
#include "platform/forms/tests/forms_test_support.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <string>
#include <utility>
#include <vector>

namespace platform::forms::test {
namespace {

using namespace win;

// A control owned by form and shown on it, at SetBounds's left, top, width and height.
template <class T> T& PlaceOn(TForm& form, int left, int top, int width, int height) {
    T& control = form.Own<T>();
    control.SetParent(&form);
    control.SetBounds(left, top, width, height);
    return control;
}

class CloseProtocolTest : public FormsTest {};

struct CloseCase {
    const char* name;
    TFormStyle style;
    bool canClose;
    bool changeAction;
    TCloseAction action;
    TCloseAction expectedDefault;
    bool expectVisible;
    TWindowState expectState;
    bool expectFreed;
};

TEST_F(CloseProtocolTest, ActionsDecideWhatCloseDoes) {
    const CloseCase cases[] = {
        {"hide by default", fsNormal, true, false, caNone, caHide, false, wsNormal, false},
        {"none keeps it", fsNormal, true, true, caNone, caHide, true, wsNormal, false},
        {"free releases it", fsNormal, true, true, caFree, caHide, false, wsNormal, true},
        {"minimise", fsNormal, true, true, caMinimize, caHide, true, wsMinimized, false},
        {"close query refuses", fsNormal, false, false, caNone, caHide, true, wsNormal, false},
        {"MDI child minimises by default", fsMDIChild, true, false, caNone, caMinimize, true,
         wsMinimized, false},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        TForm& main = MakeForm<TForm>(fsMDIForm);
        Application().SetMainForm(&main);
        main.SetBounds(10, 10, 600, 400);
        main.Show();
        TForm& form = MakeForm<TForm>(c.style);
        Application().SetMainForm(nullptr);
        form.SetBounds(20, 20, 200, 150);
        form.Show();
        bool closeRan = false;
        bool destroyed = false;
        TCloseAction seen = caNone;
        form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = c.canClose; };
        form.OnClose = [&](TObject*, TCloseAction& action) {
            closeRan = true;
            seen = action;
            if (c.changeAction) action = c.action;
        };
        form.OnDestroy = [&](TObject*) { destroyed = true; };
        // Owned by the fixture: the test must not touch form after a release is done.
        form.Close();
        EXPECT_EQ(closeRan, c.canClose);
        if (c.canClose) {
            EXPECT_EQ(seen, c.expectedDefault);
        }
        EXPECT_EQ(form.Visible(), c.expectVisible);
        EXPECT_EQ(form.WindowState(), c.expectState);
        EXPECT_FALSE(destroyed) << "a release frees later";
        Pump();
        EXPECT_EQ(destroyed, c.expectFreed);
        if (!destroyed) Owner().FreeComponent(form);
        Owner().FreeComponent(main);
    }
}

TEST_F(CloseProtocolTest, ClosingTheMainFormEndsTheProgram) {
    TForm& main = MakeForm();
    Application().SetMainForm(&main);
    main.Show();
    EXPECT_FALSE(Application().Terminated());
    main.Close();
    EXPECT_TRUE(Application().Terminated());
}

TEST_F(CloseProtocolTest, RunEndsWhenTheMainFormCloses) {
    TForm& main = MakeForm();
    Application().SetMainForm(&main);
    bool shown = false;
    main.OnShow = [&](TObject*) { shown = true; };
    After(50, [&] { main.Close(); });
    Application().Run();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Application().Terminated());
}

TEST_F(CloseProtocolTest, ReleasedFormPaintsNothingBeforeItIsFreed) {
    TForm& form = MakeForm();
    form.SetBounds(50, 50, 200, 100);
    int paints = 0;
    form.OnPaint = [&](TObject*) { ++paints; };
    form.Show();
    Pump();
    EXPECT_GT(paints, 0);
    paints = 0;
    form.Invalidate();
    form.Release();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    Pump();
    EXPECT_EQ(paints, 0);
    EXPECT_EQ(Owner().ComponentCount(), 0);
}

class FormEventsTest : public FormsTest {};

TEST_F(FormEventsTest, CreateOnceShowOnEveryShowing) {
    int creates = 0, shows = 0, hides = 0;
    TForm& form = Owner().Own<TForm>();
    form.OnCreate = [&](TObject*) { ++creates; };
    form.OnShow = [&](TObject*) { ++shows; };
    form.OnHide = [&](TObject*) { ++hides; };
    form.SetBounds(10, 10, 200, 100);
    form.Show();
    form.Hide();
    form.Show();
    EXPECT_EQ(creates, 1);
    EXPECT_EQ(shows, 2);
    EXPECT_EQ(hides, 1);
}

TEST_F(FormEventsTest, PositionScreenCenterPlacesTheFormOnFirstShowing) {
    TForm& form = MakeForm();
    form.Position = poScreenCenter;
    form.SetBounds(0, 0, 200, 100);
    form.Show();
    EXPECT_EQ(form.Left(), (1024 - 200) / 2);
    EXPECT_EQ(form.Top(), (768 - 100) / 2);
}

TEST_F(FormEventsTest, KeyPreviewGivesTheFormTheKeysFirst) {
    TForm& form = MakeForm();
    form.SetBounds(10, 10, 300, 200);
    TEdit& edit = PlaceOn<TEdit>(form, 10, 10, 100, 21);
    std::vector<std::string> keys;
    form.KeyPreview = true;
    form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        keys.push_back("form " + std::to_string(key));
        if (key == VK_DELETE) key = 0;
    };
    edit.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        keys.push_back("edit " + std::to_string(key));
    };
    form.Show();
    edit.SetFocus();
    driver.TypeKey(win::VK_DELETE);
    driver.TypeKey(win::VK_HOME);
    EXPECT_EQ(keys, (std::vector<std::string>{"form 46", "form 36", "edit 36"}));
}

TEST_F(FormEventsTest, TabMovesTheFocusInTabOrder) {
    TForm& form = MakeForm();
    form.SetBounds(10, 10, 300, 200);
    TEdit& first = PlaceOn<TEdit>(form, 10, 10, 100, 21);
    first.TabOrder = 1;
    TEdit& second = PlaceOn<TEdit>(form, 10, 40, 100, 21);
    second.TabOrder = 0;
    std::vector<std::string> focus;
    first.OnEnter = [&](TObject*) { focus.push_back("enter first"); };
    first.OnExit = [&](TObject*) { focus.push_back("exit first"); };
    second.OnEnter = [&](TObject*) { focus.push_back("enter second"); };
    // Showing focuses the first control in tab order.
    form.Show();
    EXPECT_TRUE(second.Focused());
    first.SetFocus();
    driver.TypeKey(win::VK_TAB, "\t");
    EXPECT_TRUE(second.Focused());
    EXPECT_EQ(form.ActiveControl(), &second);
    EXPECT_EQ(focus, (std::vector<std::string>{"enter second", "enter first", "exit first",
                                               "enter second"}));
}

// A form whose edits A and B stand on panels of their own, and an edit C straight on the form;
// every enter and exit is logged by name.
class FocusWalkTest : public FormsTest {
protected:
    FocusWalkTest() {
        form.SetBounds(10, 10, 400, 300);
        p1.SetBounds(10, 10, 180, 100);
        p2.SetBounds(200, 10, 180, 100);
        a.SetParent(&p1);
        a.SetBounds(10, 10, 100, 21);
        b.SetParent(&p2);
        b.SetBounds(10, 10, 100, 21);
        c.SetBounds(10, 150, 100, 21);
        p1.TabOrder = 0;
        p2.TabOrder = 1;
        c.TabOrder = 2;
        for (const auto& [control, label] : {std::pair<TWinControl*, std::string>{&p1, "P1"},
                                             {&p2, "P2"},
                                             {&a, "A"},
                                             {&b, "B"},
                                             {&c, "C"}}) {
            // Some compilers cannot capture a structured binding in a lambda.
            const std::string name = label;
            control->OnEnter = [this, name](TObject*) { log.push_back("enter " + name); };
            control->OnExit = [this, name](TObject*) { log.push_back("exit " + name); };
        }
        form.Show();
    }
    // The events since the last call.
    std::vector<std::string> Taken() { return std::exchange(log, {}); }

    TForm& form = MakeForm();
    TPanel& p1 = PlaceOn<TPanel>(form, 0, 0, 0, 0);
    TPanel& p2 = PlaceOn<TPanel>(form, 0, 0, 0, 0);
    TEdit& a = form.Own<TEdit>();
    TEdit& b = form.Own<TEdit>();
    TEdit& c = PlaceOn<TEdit>(form, 0, 0, 0, 0);
    std::vector<std::string> log;
};

TEST_F(FocusWalkTest, ShowingEntersTheFirstControlThroughItsParents) {
    EXPECT_TRUE(a.Focused());
    EXPECT_EQ(Taken(), (std::vector<std::string>{"enter P1", "enter A"}));
}

TEST_F(FocusWalkTest, TheFocusLeavesUpToTheCommonParentAndEntersDownFromIt) {
    Taken();
    driver.TypeKey(win::VK_TAB, "\t");
    EXPECT_TRUE(b.Focused());
    EXPECT_EQ(Taken(), (std::vector<std::string>{"exit A", "exit P1", "enter P2", "enter B"}));
    Click(c);
    EXPECT_TRUE(c.Focused());
    EXPECT_EQ(Taken(), (std::vector<std::string>{"exit B", "exit P2", "enter C"}));
    EXPECT_EQ(form.ActiveControl(), &c);
    Click(a);
    EXPECT_EQ(Taken(), (std::vector<std::string>{"exit C", "enter P1", "enter A"}));
}

TEST_F(FocusWalkTest, TheFocusMovingBetweenAParentAndItsChildNeitherLeavesNorEntersTheParent) {
    p1.TabStop = true;
    c.SetFocus();
    Taken();
    driver.TypeKey(win::VK_TAB, "\t");
    EXPECT_TRUE(p1.Focused());
    EXPECT_EQ(Taken(), (std::vector<std::string>{"exit C", "enter P1"}));
    driver.TypeKey(win::VK_TAB, "\t");
    EXPECT_TRUE(a.Focused());
    EXPECT_EQ(Taken(), (std::vector<std::string>{"enter A"}));
    driver.HoldKey(win::VK_SHIFT);
    driver.TypeKey(win::VK_TAB, "\t");
    driver.ReleaseKey(win::VK_SHIFT);
    EXPECT_TRUE(p1.Focused());
    EXPECT_EQ(Taken(), (std::vector<std::string>{"exit A"}));
}

TEST_F(FocusWalkTest, AnotherFormTakingTheFocusLeavesTheControlEntered) {
    TForm& other = MakeForm();
    other.SetBounds(450, 10, 200, 100);
    TEdit& elsewhere = PlaceOn<TEdit>(other, 10, 10, 100, 21);
    other.Show();
    elsewhere.SetFocus();
    EXPECT_TRUE(elsewhere.Focused());
    EXPECT_EQ(form.ActiveControl(), &a);
    Taken();
    Click(a);
    EXPECT_TRUE(a.Focused());
    EXPECT_EQ(Taken(), std::vector<std::string>{}) << "the form's focus never left A";
}

TEST_F(FocusWalkTest, AnExitHandlerThatMovesTheFocusEndsTheWalk) {
    a.OnExit = [this](TObject*) {
        log.push_back("exit A");
        c.SetFocus();
    };
    Taken();
    driver.TypeKey(win::VK_TAB, "\t");
    EXPECT_TRUE(c.Focused());
    EXPECT_EQ(Taken(), (std::vector<std::string>{"exit A", "exit P1", "enter C"}));
}

TEST_F(FocusWalkTest, AFocusedControlThatGoesIsForgottenAndHearsNothing) {
    form.FreeComponent(a);
    EXPECT_EQ(form.ActiveControl(), nullptr);
    Taken();
    Click(b);
    EXPECT_TRUE(b.Focused());
    EXPECT_EQ(Taken(), (std::vector<std::string>{"exit P1", "enter P2", "enter B"}));
    EXPECT_EQ(form.ActiveControl(), &b);
}

TEST_F(FormEventsTest, HintShowsAfterThePauseAndGoesAtAPress) {
    TForm& form = MakeForm();
    form.SetBounds(10, 10, 300, 200);
    TButton& button = PlaceOn<TButton>(form, 10, 10, 75, 25);
    button.Hint = "Send Selected|Sends the selected entries";
    button.ShowHint = true;
    form.Show();
    driver.MoveTo(At(form, {200, 150}));
    driver.MoveTo(At(button));
    EXPECT_EQ(Application().Hint, "Sends the selected entries");
    EXPECT_EQ(Application().HintText(), "");
    core::RunFor(clock, 499);
    EXPECT_EQ(Application().HintText(), "");
    core::RunFor(clock, 2);
    EXPECT_EQ(Application().HintText(), "Send Selected");
    driver.Press(At(button));
    EXPECT_EQ(Application().HintText(), "");
    driver.Release(At(button));
}

// A control with two halves: the left one answers a hint of its own, the right one none.
class THalvesHintControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int asked = 0;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == CM_HINTSHOW) {
            ++asked;
            auto& info = *reinterpret_cast<THintInfo*>(message.LParam);
            const int half = Width() / 2;
            if (info.CursorPos.X < half) {
                info.HintStr = "Left half";
                info.CursorRect = {0, 0, half, Height()};
                message.Result = 0;
            } else {
                info.CursorRect = {half, 0, Width(), Height()};
                message.Result = 1;
            }
            return;
        }
        TCustomControl::WndProc(message);
    }
};

TEST_F(FormEventsTest, ControlAnswersTheHintTextAndAreaOfItsParts) {
    TForm& form = MakeForm();
    form.SetBounds(10, 10, 300, 200);
    auto& control = PlaceOn<THalvesHintControl>(form, 10, 10, 100, 30);
    // No hint of its own, and not showing hints: the control still answers one for a part.
    form.Show();
    driver.MoveTo(At(form, {200, 150}));
    driver.MoveTo(At(control, {80, 10}));
    core::RunFor(clock, 501);
    EXPECT_EQ(control.asked, 1);
    EXPECT_EQ(Application().HintText(), "");
    // Leaving the refused area asks again.
    driver.MoveTo(At(control, {20, 10}));
    core::RunFor(clock, 501);
    EXPECT_EQ(control.asked, 2);
    EXPECT_EQ(Application().HintText(), "Left half");
    // Inside the area the hint stays; out of it, it goes.
    driver.MoveTo(At(control, {30, 12}));
    EXPECT_EQ(Application().HintText(), "Left half");
    driver.MoveTo(At(control, {70, 12}));
    EXPECT_EQ(Application().HintText(), "");
}

// A form with state of its own that its OnDestroy handler still reads.
class TFormWithList : public TForm {
public:
    explicit TFormWithList(TComponent* owner) : TForm(owner) {
        entries.assign(100, 7);
        OnDestroy = [this](TObject*) { seenAtDestroy = static_cast<int>(entries.size()); };
    }
    std::vector<int> entries;
    int* report = nullptr;
    int seenAtDestroy = -1;
    ~TFormWithList() override {
        if (report) *report = seenAtDestroy;
    }
};

TEST_F(FormEventsTest, OnDestroyRunsWhileTheWholeFormExists) {
    int seen = -2;
    TFormWithList& released = MakeForm<TFormWithList>();
    released.report = &seen;
    released.Show();
    released.Release();
    Pump();
    EXPECT_EQ(seen, 100);
    seen = -2;
    TFormWithList& owned = MakeForm<TFormWithList>();
    owned.report = &seen;
    Owner().FreeComponent(owned);
    EXPECT_EQ(seen, 100);
}

TEST_F(FormEventsTest, AcceleratorsClickTheirButtons) {
    TForm& form = MakeForm();
    form.SetBounds(10, 10, 300, 200);
    TEdit& edit = PlaceOn<TEdit>(form, 10, 10, 100, 21);
    TButton& close = PlaceOn<TButton>(form, 10, 40, 75, 25);
    close.SetCaption("&Close");
    int clicks = 0;
    close.OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    edit.SetFocus();
    driver.TypeKey('C', "c");
    EXPECT_EQ(edit.Text(), "c") << "the edit takes plain letters";
    EXPECT_EQ(clicks, 0);
    driver.HoldKey(win::VK_MENU);
    driver.TypeKey('C', "c");
    driver.ReleaseKey(win::VK_MENU);
    EXPECT_EQ(clicks, 1);
    close.SetFocus();
    driver.TypeKey('C', "c");
    EXPECT_EQ(clicks, 2);
}

class ModalTest : public FormsTest {};

TEST_F(ModalTest, ButtonSetsTheResultAfterItsClick) {
    TForm& dialog = MakeForm();
    dialog.SetBounds(100, 100, 300, 200);
    TButton& ok = PlaceOn<TButton>(dialog, 20, 20, 75, 25);
    ok.ModalResult = mrOk;
    std::vector<std::string> events;
    ok.OnClick = [&](TObject*) {
        events.push_back("click, result " + std::to_string(dialog.ModalResult()));
    };
    dialog.OnClose = [&](TObject*, TCloseAction& action) {
        events.push_back("close " + std::to_string(action));
    };
    After(100, [&] { Click(ok); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(events, (std::vector<std::string>{"click, result 0", "close 1"}));
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(ModalTest, CloseInsideAModalFormOnlySetsTheResult) {
    TForm& dialog = MakeForm();
    dialog.SetBounds(100, 100, 300, 200);
    std::vector<std::string> events;
    dialog.OnClose = [&](TObject*, TCloseAction&) { events.push_back("OnClose"); };
    After(100, [&] {
        dialog.Close();
        events.push_back("after Close, result " + std::to_string(dialog.ModalResult()));
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(events, (std::vector<std::string>{"after Close, result 2", "OnClose"}));
}

TEST_F(ModalTest, CloseActionNoneKeepsTheDialogOpen) {
    TForm& dialog = MakeForm();
    dialog.SetBounds(100, 100, 300, 200);
    int closes = 0;
    dialog.OnClose = [&](TObject*, TCloseAction& action) {
        if (++closes == 1) action = caNone;
    };
    After(100, [&] { dialog.SetModalResult(mrOk); });
    After(200, [&] { dialog.SetModalResult(mrYes); });
    EXPECT_EQ(dialog.ShowModal(), mrYes);
    EXPECT_EQ(closes, 2);
}

TEST_F(ModalTest, OtherFormsTakeNoInputWhileADialogRuns) {
    TForm& main = MakeForm();
    main.SetBounds(10, 10, 400, 300);
    TButton& other = PlaceOn<TButton>(main, 10, 10, 75, 25);
    int otherClicks = 0;
    other.OnClick = [&](TObject*) { ++otherClicks; };
    main.Show();
    TForm& dialog = MakeForm();
    dialog.SetBounds(500, 100, 200, 100);
    After(100, [&] { Click(other); });
    After(200, [&] { dialog.SetModalResult(mrCancel); });
    dialog.ShowModal();
    EXPECT_EQ(otherClicks, 0);
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
}

// A stay-on-top form (the intro) stands over the dialog that start-up shows: the dialog must take
// the click the user aims at it, and the form is on top again once the dialog is gone.
TEST_F(ModalTest, ADialogTakesClicksOverAStayOnTopForm) {
    TForm& intro = MakeForm<TForm>(fsStayOnTop);
    intro.SetBounds(50, 50, 500, 400);
    intro.Show();
    TForm& dialog = MakeForm();
    dialog.SetBounds(100, 100, 300, 200);
    TButton& ok = PlaceOn<TButton>(dialog, 20, 20, 75, 25);
    ok.ModalResult = mrOk;
    HWND underPointer = NullHWnd;
    After(100, [&] {
        underPointer = WindowFromPoint(At(ok));
        Click(ok);
    });
    // Were the click lost, the dialog would end here.
    After(200, [&] { dialog.SetModalResult(mrCancel); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(underPointer, ok.Handle());
    EXPECT_NE(GetWindowLong(intro.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    TForm& later = MakeForm();
    later.SetBounds(100, 100, 300, 200);
    later.Show();
    EXPECT_EQ(WindowFromPoint({120, 120}), intro.Handle());
}

// A box shown right after a file dialog of the desktop's, while none of the program's windows
// was active, hands the activation to the main form when it closes; else the user's next click
// on the main form would only activate it.
TEST_F(ModalTest, ADialogShownWhileNoFormWasActiveLeavesTheMainFormActive) {
    TForm& main = MakeForm();
    main.SetBounds(10, 10, 400, 300);
    main.Show();
    Application().SetMainForm(&main);
    struct Forget {
        ~Forget() { Application().SetMainForm(nullptr); }
    } forget;
    SetActiveWindow(NullHWnd);
    ASSERT_EQ(GetActiveWindow(), NullHWnd);
    TForm& box = MakeForm();
    box.SetBounds(100, 100, 200, 100);
    After(100, [&] { box.SetModalResult(mrOk); });
    box.ShowModal();
    EXPECT_EQ(GetActiveWindow(), main.Handle());
}

TEST_F(ModalTest, TimerKeepsTickingInsideAModalDialog) {
    TForm& dialog = MakeForm();
    dialog.SetBounds(100, 100, 300, 200);
    TButton& ok = PlaceOn<TButton>(dialog, 20, 20, 75, 25);
    ok.ModalResult = mrOk;
    core::TTimer& timer = Owner().Own<core::TTimer>();
    timer.SetInterval(100);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    After(1050, [&] { Click(ok); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(ticks, 10);
}

TEST_F(ModalTest, EnterAndEscapeClickTheDefaultAndCancelButtons) {
    TForm& dialog = MakeForm();
    dialog.SetBounds(100, 100, 300, 200);
    TEdit& edit = PlaceOn<TEdit>(dialog, 10, 10, 100, 21);
    TButton& ok = PlaceOn<TButton>(dialog, 10, 50, 75, 25);
    ok.Default = true;
    ok.ModalResult = mrOk;
    TButton& cancel = PlaceOn<TButton>(dialog, 100, 50, 75, 25);
    cancel.Cancel = true;
    cancel.ModalResult = mrCancel;
    dialog.SetActiveControl(&edit);
    After(100, [&] { driver.TypeKey(win::VK_RETURN, "\r"); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    After(100, [&] { driver.TypeKey(win::VK_ESCAPE, "\x1b"); });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

} // namespace
} // namespace platform::forms::test
