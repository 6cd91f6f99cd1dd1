#include "platform/forms/buttons.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/screen.h"
#include "platform/forms/spin.h"
#include "platform/forms/std_ctrls.h"
#include "platform/forms/tests/forms_test_support.h"
#include "platform/gdi/drawing.h"
#include "platform/win/edit_class.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace platform::forms::test {
namespace {

using namespace win;

class ControlsTest : public FormsTest {
protected:
    TForm& ShownForm() {
        TForm& form = MakeForm();
        form.SetBounds(100, 100, 400, 300);
        form.Show();
        return form;
    }
    template <class T> T& Place(TWinControl& parent, TRect bounds) {
        T& control = parent.Owner()->Own<T>();
        control.SetParent(&parent);
        control.SetBoundsRect(bounds);
        return control;
    }
};

TEST_F(ControlsTest, RadioButtonsCheckedByProgramClickAndMayEndWithNone) {
    TForm& form = ShownForm();
    TRadioButton* radios[3];
    std::vector<int> clicks;
    for (int i = 0; i < 3; ++i) {
        radios[i] = &Place<TRadioButton>(form, {10, 10 + 20 * i, 120, 27 + 20 * i});
        radios[i]->OnClick = [&clicks, i](TObject*) { clicks.push_back(i); };
    }
    radios[1]->SetChecked(true);
    EXPECT_EQ(clicks, (std::vector<int>{1}));
    Click(*radios[2]);
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
    EXPECT_FALSE(radios[1]->Checked());
    EXPECT_TRUE(radios[2]->Checked());
    // A click on the one that is checked changes nothing.
    Click(*radios[2]);
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
    radios[2]->SetChecked(false);
    for (TRadioButton* r : radios)
        EXPECT_FALSE(r->Checked());
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
}

TEST_F(ControlsTest, CheckBoxRunsOnClickForChangesByProgramToo) {
    TForm& form = ShownForm();
    TCheckBox& box = Place<TCheckBox>(form, {10, 10, 110, 27});
    int clicks = 0;
    box.OnClick = [&](TObject*) { ++clicks; };
    box.SetChecked(true);
    box.SetChecked(true);
    EXPECT_EQ(clicks, 1);
    Click(box);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsTest, SpeedButtonGroupWithAllowAllUp) {
    TForm& form = ShownForm();
    TSpeedButton* buttons[3];
    int clicks = 0;
    for (int i = 0; i < 3; ++i) {
        buttons[i] = &Place<TSpeedButton>(form, {10 + 30 * i, 10, 33 + 30 * i, 32});
        buttons[i]->SetGroupIndex(1);
        buttons[i]->OnClick = [&](TObject*) { ++clicks; };
    }
    // Down by program: the others go up, no click.
    buttons[0]->SetDown(true);
    buttons[1]->SetDown(true);
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_EQ(clicks, 0);
    // Without AllowAllUp the group keeps one down.
    Click(*buttons[1]);
    EXPECT_TRUE(buttons[1]->Down());
    buttons[1]->SetDown(false);
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_EQ(clicks, 1);
    Click(*buttons[2]);
    EXPECT_TRUE(buttons[2]->Down());
    EXPECT_FALSE(buttons[1]->Down());
    buttons[0]->SetAllowAllUp(true);
    EXPECT_TRUE(buttons[2]->AllowAllUp());
    Click(*buttons[2]);
    for (TSpeedButton* b : buttons)
        EXPECT_FALSE(b->Down());
    EXPECT_EQ(clicks, 3);
}

TEST_F(ControlsTest, EditChangesByProgramAndTypingUpToMaxLength) {
    TForm& form = ShownForm();
    TEdit& edit = Place<TEdit>(form, {10, 10, 130, 31});
    std::vector<std::string> changes;
    edit.OnChange = [&](TObject*) { changes.push_back(edit.Text()); };
    edit.SetText("ab");
    edit.SetText("ab");
    EXPECT_EQ(changes, (std::vector<std::string>{"ab"}));
    edit.SetMaxLength(4);
    Click(edit);
    driver.TypeKey(win::VK_END);
    for (const char* c : {"c", "d", "e"})
        driver.TypeKey('C', c);
    EXPECT_EQ(edit.Text(), "abcd");
    EXPECT_EQ(changes, (std::vector<std::string>{"ab", "abc", "abcd"}));
    driver.TypeKey(win::VK_BACK, "\b");
    EXPECT_EQ(edit.Text(), "abc");
}

TEST_F(ControlsTest, AWindowMovedToAParentWithoutOneJoinsItsWindowLater) {
    TForm& form = ShownForm();
    TPanel& panel = Place<TPanel>(form, {10, 10, 110, 60});
    const HWND panelWnd = panel.Handle();
    TForm& host = MakeForm();
    ASSERT_FALSE(host.HandleAllocated());
    panel.SetParent(&host);
    // The panel keeps its window until the new parent has one, then it lies in that window.
    EXPECT_EQ(panel.Handle(), panelWnd);
    host.HandleNeeded();
    EXPECT_EQ(GetParent(panelWnd), host.Handle());
    EXPECT_TRUE(IsChild(host.Handle(), panelWnd));
}

TEST_F(ControlsTest, EditPropertiesAreThoseOfItsEditWindow) {
    TForm& form = ShownForm();
    TEdit& edit = Place<TEdit>(form, {10, 10, 130, 31});
    // Set before the window exists, they are handed to it.
    TEdit& later = form.Owner()->Own<TEdit>();
    later.SetMaxLength(5);
    later.SetReadOnly(true);
    later.SetPasswordChar('#');
    later.SetParent(&form);
    const HWND wnd = later.Handle();
    EXPECT_EQ(core::SendMessage(wnd, EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_NE(GetWindowLong(wnd, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(core::SendMessage(wnd, EM_GETPASSWORDCHAR, 0, 0), '#');

    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    edit.SetText("abcdef");
    core::SendMessage(edit.Handle(), EM_SETSEL, 4, 1);
    EXPECT_EQ(edit.SelStart(), 1);
    EXPECT_EQ(edit.SelText(), "bcd");
    // A change made by message reaches the control through its parent's WM_COMMAND.
    core::SendMessage(edit.Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("X"));
    EXPECT_EQ(edit.Text(), "aXef");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(edit.Modified());
    // Text set by program keeps the selection where it can, and the modified flag.
    edit.SetSelStart(1);
    edit.SetSelLength(2);
    edit.SetText("wxyz");
    EXPECT_EQ(edit.SelText(), "xy");
    EXPECT_TRUE(edit.Modified());
    EXPECT_EQ(changes, 3);
    edit.SetModified(false);
    EXPECT_EQ(core::SendMessage(edit.Handle(), EM_GETMODIFY, 0, 0), 0);
}

TEST_F(ControlsTest, EditTypingFollowsCharCaseReadOnlyAndUndo) {
    const struct {
        TEditCharCase charCase;
        bool readOnly;
        const char* typed;
        const char* shown;
    } cases[] = {
        {ecNormal, false, "aB", "aB"},
        {ecUpperCase, false, "aB", "AB"},
        {ecLowerCase, false, "aB", "ab"},
        {ecNormal, true, "aB", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed + std::string(" ") + std::to_string(c.charCase));
        TForm& form = ShownForm();
        TEdit& edit = Place<TEdit>(form, {10, 10, 130, 31});
        edit.SetCharCase(c.charCase);
        edit.SetReadOnly(c.readOnly);
        Click(edit);
        for (const char* k = c.typed; *k; ++k)
            driver.TypeKey('A', QString(QChar(*k)));
        EXPECT_EQ(edit.Text(), c.shown);
        if (c.readOnly) continue;
        // The class's one undo level: Ctrl+Z takes the typing back, and again brings it back.
        driver.HoldKey(win::VK_CONTROL);
        driver.TypeKey('Z', QString(QChar(26)));
        EXPECT_EQ(edit.Text(), "");
        driver.TypeKey('Z', QString(QChar(26)));
        driver.ReleaseKey(win::VK_CONTROL);
        EXPECT_EQ(edit.Text(), c.shown);
    }
}

class PasteCounter : public TEdit {
public:
    using TEdit::TEdit;
    int pastes = 0;
    bool swallow = false;
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_PASTE) {
            ++pastes;
            if (swallow) return;
        }
        TEdit::Dispatch(message);
    }
};

TEST_F(ControlsTest, EditPasteGoesThroughWmPasteJoinsLinesAndAsksTheControl) {
    TForm& form = ShownForm();
    PasteCounter& edit = Place<PasteCounter>(form, {10, 10, 130, 31});
    TSpinEdit& spin = Place<TSpinEdit>(form, {10, 40, 130, 61});
    const auto paste = [&](TWinControl& control, const std::string& text) {
        Clipboard().SetAsText(text);
        Click(control);
        driver.HoldKey(win::VK_CONTROL);
        driver.TypeKey('V', QString(QChar(22)));
        driver.ReleaseKey(win::VK_CONTROL);
    };
    paste(edit, "ab\r\ncd");
    EXPECT_EQ(edit.Text(), "abcd");
    EXPECT_EQ(edit.pastes, 1);
    edit.swallow = true;
    paste(edit, "zz");
    EXPECT_EQ(edit.Text(), "abcd");
    EXPECT_EQ(edit.pastes, 2);
    // The spin edit takes digits only, pasted as typed.
    spin.SetText("");
    paste(spin, "12\n3");
    EXPECT_EQ(spin.Text(), "123");
    paste(spin, "4x");
    EXPECT_EQ(spin.Text(), "123");
}

class CommandWatcher : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<WPARAM> reflected;
    void Dispatch(TMessage& message) override {
        if (message.Msg == CN_COMMAND) reflected.push_back(message.WParam);
        TCustomControl::Dispatch(message);
    }
};

TEST_F(ControlsTest, ParentReflectsAChildsCommandToTheChildOnly) {
    TForm& form = ShownForm();
    CommandWatcher& child = Place<CommandWatcher>(form, {10, 10, 50, 50});
    CommandWatcher& grandChild = Place<CommandWatcher>(child, {0, 0, 10, 10});
    const auto command = [](TWinControl& to, TWinControl& from, int code) {
        core::SendMessage(to.Handle(), WM_COMMAND, MAKEWPARAM(7, code),
                          static_cast<LPARAM>(from.Handle()));
    };
    command(form, child, 3);
    // Not the parent's own child, nor the control itself: nothing is reflected.
    command(form, grandChild, 4);
    command(child, child, 5);
    EXPECT_EQ(child.reflected, (std::vector<WPARAM>{MAKEWPARAM(7, 3)}));
    EXPECT_TRUE(grandChild.reflected.empty());
}

// A parent with a frame of 5 pixels that records what it is asked to align, and that lists its
// child in the tab order only when asked to.
class FramedParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<TControl*> aligned;
    bool hideChildren = false;

protected:
    void AdjustClientRect(TRect& rect) override { InflateRect(rect, -5, -5); }
    void AlignControls(TControl* control, TRect& rect) override {
        aligned.push_back(control);
        TCustomControl::AlignControls(control, rect);
    }
    void GetTabOrderList(std::vector<TWinControl*>& list) override {
        if (!hideChildren) TCustomControl::GetTabOrderList(list);
    }
};

TEST_F(ControlsTest, AligningHandsTheChangedChildAndTheAdjustedClientArea) {
    TForm& form = ShownForm();
    FramedParent& parent = Place<FramedParent>(form, {10, 10, 110, 110});
    TPanel& loose = Place<TPanel>(parent, {20, 20, 50, 50});
    TPanel& top = Place<TPanel>(parent, {0, 0, 30, 10});
    top.SetAlign(alTop);
    parent.aligned.clear();
    loose.SetBounds(25, 25, 30, 30);
    parent.SetBounds(10, 10, 120, 100);
    EXPECT_EQ(parent.aligned, (std::vector<TControl*>{&loose, nullptr}));
    // Aligned children share the client area less the frame.
    EXPECT_EQ(top.BoundsRect(), (TRect{5, 5, 115, 15}));
    // A child that is not aligned leaves the others where they are.
    EXPECT_EQ(loose.BoundsRect(), (TRect{25, 25, 55, 55}));
}

TEST_F(ControlsTest, TabWalksTheTabOrderListAControlGives) {
    TForm& form = ShownForm();
    TEdit& first = Place<TEdit>(form, {10, 10, 90, 30});
    FramedParent& parent = Place<FramedParent>(form, {10, 40, 110, 100});
    TEdit& inside = Place<TEdit>(parent, {10, 10, 90, 30});
    TEdit& last = Place<TEdit>(form, {10, 110, 90, 130});
    first.TabOrder = 0;
    parent.TabOrder = 1;
    last.TabOrder = 2;
    for (bool hide : {false, true}) {
        SCOPED_TRACE(hide);
        parent.hideChildren = hide;
        first.SetFocus();
        form.SelectNext(&first, true);
        EXPECT_EQ(form.ActiveControl(), hide ? &last : &inside);
    }
}

TEST_F(ControlsTest, LongTextScrollsToKeepTheCaretInView) {
    TForm& form = ShownForm();
    TEdit& edit = Place<TEdit>(form, {10, 10, 70, 31});
    edit.SetText("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    Click(edit);
    driver.TypeKey(win::VK_END);
    Pump();
    gdi::HDC dc = GetDC(edit.Handle());
    // The caret, a line in the text colour, stands at the right end of the box.
    bool caretSeen = false;
    for (int x = edit.Width() - 8; x < edit.Width() - 2; ++x)
        caretSeen =
            caretSeen || gdi::GetPixel(dc, x, 10) == gdi::GetSysColor(gdi::COLOR_WINDOWTEXT);
    ReleaseDC(edit.Handle(), dc);
    EXPECT_TRUE(caretSeen);
    driver.Click(At(edit, {edit.Width() - 4, 10}));
    EXPECT_GT(edit.SelStart(), 20);
}

TEST_F(ControlsTest, ComboBoxChangeEventOnlyOnAUsersChoice) {
    TForm& form = ShownForm();
    TComboBox& combo = Place<TComboBox>(form, {10, 10, 150, 31});
    combo.Style = csDropDownList;
    for (const char* s : {"One", "Two", "Three"})
        combo.Items().Add(s);
    int changes = 0;
    combo.OnChange = [&](TObject*) { ++changes; };
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.Text(), "Two");
    EXPECT_EQ(changes, 0);
    Click(combo);
    ASSERT_TRUE(combo.DroppedDown());
    // The list lies under the box, one item per 13 pixels.
    const TPoint under = At(combo, {20, combo.Height() + 1 + 2 * 13 + 6});
    driver.MoveTo(under);
    driver.Click(under);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.Text(), "Three");
    EXPECT_EQ(changes, 1);
    driver.TypeKey(win::VK_UP);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(changes, 2);
}

TEST_F(ControlsTest, LongComboListScrollsToTheChosenItem) {
    TForm& form = ShownForm();
    TComboBox& combo = Place<TComboBox>(form, {10, 10, 150, 31});
    combo.Style = csDropDownList;
    for (int i = 0; i < 20; ++i)
        combo.Items().Add("Item " + std::to_string(i));
    combo.SetItemIndex(15);
    Click(combo);
    ASSERT_TRUE(combo.DroppedDown());
    // Eight rows show, the chosen item at the bottom: the first row holds item 8.
    const TPoint first = At(combo, {20, combo.Height() + 1 + 6});
    driver.MoveTo(first);
    driver.Click(first);
    EXPECT_EQ(combo.ItemIndex(), 8);
}

TEST_F(ControlsTest, SpinEditClampsAndReadsTextThatIsNoNumberAsTheMinimum) {
    TForm& form = ShownForm();
    TSpinEdit& spin = Place<TSpinEdit>(form, {10, 10, 80, 31});
    spin.SetMinValue(1);
    spin.SetMaxValue(16);
    int changes = 0;
    spin.OnChange = [&](TObject*) { ++changes; };
    spin.SetValue(40);
    EXPECT_EQ(spin.Value(), 16);
    EXPECT_EQ(spin.Text(), "16");
    spin.SetText("abc");
    EXPECT_EQ(spin.Value(), 1);
    spin.SetText("-5");
    EXPECT_EQ(spin.Value(), 1);
    spin.SetValue(8);
    // The up button.
    driver.Click(At(spin, {spin.Width() - 8, 5}));
    EXPECT_EQ(spin.Value(), 9);
    EXPECT_EQ(changes, 5);
}

// A label tells where it paints its text: the ink lies within the rectangle it names and reaches
// across it, however the label aligns, wraps or sizes itself; a caption wider than a label that
// keeps its size runs past the client area there, where the painting cuts it.
TEST_F(ControlsTest, ALabelsTextRectIsWhereItPaintsItsText) {
    struct Case {
        const char* name;
        TAlignment alignment;
        bool autoSize;
        bool wordWrap;
        int width;
    };
    const Case cases[] = {{"sized to its text", taLeftJustify, true, false, 0},
                          {"centred", taCenter, false, false, 200},
                          {"right", taRightJustify, false, false, 200},
                          {"wrapped", taLeftJustify, false, true, 60},
                          {"narrower than its text", taLeftJustify, false, false, 40}};
    TForm& form = ShownForm();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLabel& label = Place<TLabel>(form, {10, 10, 10 + std::max(c.width, 1), 60});
        label.SetAutoSize(c.autoSize);
        label.Alignment = c.alignment;
        label.WordWrap = c.wordWrap;
        label.SetCaption("Chorus Send Level");
        Pump();
        const TRect text = label.TextRect();
        TRect ink{label.Width(), label.Height(), 0, 0};
        gdi::HDC dc = GetDC(form.Handle());
        for (int y = 0; y < label.Height(); ++y)
            for (int x = 0; x < label.Width(); ++x)
                if (gdi::GetPixel(dc, label.Left() + x, label.Top() + y) !=
                    gdi::GetSysColor(gdi::COLOR_BTNFACE))
                    ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                           std::max(ink.Bottom, y + 1)};
        ReleaseDC(form.Handle(), dc);
        ASSERT_LT(ink.Left, ink.Right) << "no text painted";
        EXPECT_GE(ink.Left, text.Left);
        EXPECT_GE(ink.Top, text.Top);
        EXPECT_LE(ink.Right, text.Right);
        EXPECT_LE(ink.Bottom, text.Bottom);
        // The glyphs' side bearings leave a pixel or two.
        EXPECT_LE(ink.Left - text.Left, 2);
        EXPECT_LE(std::min(text.Right, label.Width()) - ink.Right, 2);
        EXPECT_EQ(text.Right > label.Width(), c.width == 40) << "runs past the label";
        EXPECT_EQ(text.Height() >= 2 * MeasureText(label.Font(), "C").cy, c.wordWrap)
            << "takes lines";
        Owner().FreeComponent(label);
    }
}

// A control that takes text, reached by Tab, takes what is typed next: whether the program takes
// each key before the next arrives or the keys come faster than it takes them (a fast typist, a
// busy program), they reach the control the Tab moves to, never the one it leaves.
TEST_F(ControlsTest, TextTypedAfterTabGoesToTheControlTabReaches) {
    struct Case {
        const char* kind;
        std::function<TWinControl&(TForm&)> place;
    };
    const Case cases[] = {
        {"edit",
         [this](TForm& f) -> TWinControl& {
             return Place<TEdit>(f, {10, 40, 130, 61});
         }},
        // Its number is selected on entering: what is typed replaces it.
        {"spin edit",
         [this](TForm& f) -> TWinControl& {
             return Place<TSpinEdit>(f, {10, 40, 130, 61});
         }},
        {"memo",
         [this](TForm& f) -> TWinControl& {
             return Place<TMemo>(f, {10, 70, 210, 160});
         }},
    };
    for (const Case& c : cases) {
        for (const bool ahead : {false, true}) {
            SCOPED_TRACE(std::string(c.kind) + (ahead ? ", typed ahead" : ""));
            TForm& form = ShownForm();
            TEdit& first = Place<TEdit>(form, {10, 10, 130, 31});
            TWinControl& reached = c.place(form);
            first.SetFocus();
            driver.HoldDispatch = ahead;
            driver.TypeKey(VK_TAB, "\t");
            driver.TypeKey('2', "2");
            driver.TypeKey('5', "5");
            driver.HoldDispatch = false;
            testsupport::PumpUntilIdle();
            EXPECT_TRUE(reached.Focused());
            EXPECT_EQ(reached.Text(), "25");
            EXPECT_EQ(first.Text(), "");
            Owner().FreeComponent(form);
        }
    }
}

TEST_F(ControlsTest, MemoEditsAtTheCaretWithTheKeysAndAClick) {
    TForm& form = ShownForm();
    TMemo& memo = Place<TMemo>(form, {10, 10, 210, 110});
    int changes = 0;
    memo.OnChange = [&](TObject*) { ++changes; };
    memo.Lines().Add("abc");
    memo.Lines().Add("de");
    EXPECT_EQ(memo.SelStart(), 7);
    Click(memo);
    // The second line's middle is below the first line: the click puts the caret past "de".
    EXPECT_EQ(memo.SelStart(), 7);
    driver.TypeKey(win::VK_HOME);
    EXPECT_EQ(memo.SelStart(), 5);
    driver.TypeKey(win::VK_LEFT);
    EXPECT_EQ(memo.SelStart(), 3);
    // Delete takes the line break as one; Backspace the character before the caret.
    driver.TypeKey(win::VK_DELETE);
    EXPECT_EQ(memo.Text(), "abcde");
    driver.TypeKey(win::VK_BACK, "\b");
    driver.TypeKey('X', "x");
    EXPECT_EQ(memo.Text(), "abxde");
    driver.TypeKey(win::VK_RETURN, "\r");
    EXPECT_EQ(memo.Lines().Count(), 2);
    EXPECT_EQ(memo.Lines()[1], "de");
    driver.TypeKey(win::VK_END);
    driver.TypeKey(win::VK_DELETE);
    EXPECT_EQ(memo.Text(), "abx\r\nde");
    // A click at the start of the first line.
    driver.Click(At(memo, {3, 5}));
    EXPECT_EQ(memo.SelStart(), 0);
    driver.TypeKey(win::VK_DELETE);
    EXPECT_EQ(memo.Lines()[0], "bx");
    EXPECT_EQ(changes, 7);
}

TEST_F(ControlsTest, DoubleClickRunsBeforeTheSecondPressMouseDown) {
    TForm& form = ShownForm();
    TPanel& panel = Place<TPanel>(form, {10, 10, 110, 60});
    std::vector<std::string> events;
    panel.OnMouseDown = [&](TObject*, TMouseButton, TShiftState shift, int, int) {
        events.push_back((shift & ssDouble) ? "down double" : "down");
    };
    panel.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        events.push_back("up");
    };
    panel.OnClick = [&](TObject*) { events.push_back("click"); };
    panel.OnDblClick = [&](TObject*) { events.push_back("dblclick"); };
    Click(panel);
    Click(panel);
    EXPECT_EQ(events, (std::vector<std::string>{"down", "click", "up", "dblclick", "down double",
                                                "click", "up"}));
}

TEST_F(ControlsTest, GraphicControlsGetTheirOwnMouseEventsAndCursor) {
    TForm& form = ShownForm();
    TLabel& label = Place<TLabel>(form, {20, 30, 80, 43});
    label.SetCaption("Hello");
    EXPECT_GT(label.Width(), 10);
    EXPECT_EQ(label.Height(), 13);
    TPoint seen{-1, -1};
    label.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { seen = {x, y}; };
    label.SetCursor(crHandPoint);
    driver.MoveTo(At(label, {2, 3}));
    driver.Press(At(label, {2, 3}));
    driver.Release(At(label, {2, 3}));
    EXPECT_EQ(seen, (TPoint{2, 3}));
    EXPECT_EQ(GetCursor(), ScreenCursor(crHandPoint));
}

// A window control that changes its cursor while the pointer rests on it (a part of it it now
// points at) shows the new one at once, and the arrow again for the default.
TEST_F(ControlsTest, ACursorSetUnderThePointerShowsAtOnce) {
    TForm& form = ShownForm();
    TPanel& panel = Place<TPanel>(form, {10, 10, 110, 60});
    driver.MoveTo(At(panel, {5, 5}));
    ASSERT_EQ(GetCursor(), LoadCursor(IDC_ARROW));
    panel.SetCursor(crIBeam);
    EXPECT_EQ(GetCursor(), ScreenCursor(crIBeam));
    panel.SetCursor(crDefault);
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_ARROW));
    // Not under the pointer: the cursor stays.
    driver.MoveTo(At(form, {200, 150}));
    panel.SetCursor(crIBeam);
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_ARROW));
}

class MouseEnterLabel : public TLabel {
public:
    using TLabel::TLabel;
    std::vector<std::string> events;
    void Dispatch(TMessage& message) override {
        if (message.Msg == CM_MOUSEENTER) events.push_back("enter");
        if (message.Msg == CM_MOUSELEAVE) events.push_back("leave");
        TLabel::Dispatch(message);
    }
};

TEST_F(ControlsTest, MouseEnterAndLeaveReachGraphicControls) {
    TForm& form = ShownForm();
    MouseEnterLabel& label = Place<MouseEnterLabel>(form, {20, 30, 80, 43});
    label.SetCaption("Hover");
    driver.MoveTo(At(form, {5, 5}));
    driver.MoveTo(At(label, {2, 2}));
    driver.MoveTo(At(label, {3, 2}));
    driver.MoveTo(At(form, {5, 5}));
    EXPECT_EQ(label.events, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(ControlsTest, ApplicationHookSeesRightButtonMessagesWithTheirKeys) {
    TForm& form = ShownForm();
    TPanel& panel = Place<TPanel>(form, {10, 10, 110, 60});
    std::vector<std::pair<UINT, WPARAM>> seen;
    Application().OnMessage = [&](core::MSG& msg, bool& handled) {
        if (msg.message == WM_RBUTTONDOWN || msg.message == WM_RBUTTONUP) {
            seen.emplace_back(msg.message, msg.wParam);
            handled = msg.message == WM_RBUTTONDOWN;
        }
    };
    int downs = 0;
    panel.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    driver.HoldKey(win::VK_SHIFT);
    driver.Click(At(panel), Qt::RightButton);
    driver.ReleaseKey(win::VK_SHIFT);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, 0x204u);
    EXPECT_EQ(seen[0].second, MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(seen[1].first, 0x205u);
    EXPECT_EQ(seen[1].second & MK_SHIFT, MK_SHIFT);
    EXPECT_EQ(downs, 0) << "a handled message is not dispatched";
}

TEST_F(ControlsTest, DisabledParentKeepsInputFromItsChildren) {
    TForm& form = ShownForm();
    TPanel& panel = Place<TPanel>(form, {10, 10, 210, 110});
    TButton& button = Place<TButton>(panel, {10, 10, 85, 35});
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    panel.SetEnabled(false);
    EXPECT_TRUE(button.Enabled());
    EXPECT_FALSE(button.EnabledWithParents());
    Click(button);
    EXPECT_EQ(clicks, 0);
    panel.SetEnabled(true);
    Click(button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, AlignPlacesChildrenInTheClientArea) {
    TForm& form = ShownForm();
    TPanel& top = Place<TPanel>(form, {0, 0, 10, 30});
    top.SetAlign(alTop);
    TPanel& left = Place<TPanel>(form, {0, 0, 50, 10});
    left.SetAlign(alLeft);
    TPanel& rest = Place<TPanel>(form, {0, 0, 10, 10});
    rest.SetAlign(alClient);
    const TRect client = form.ClientRect();
    EXPECT_EQ(top.BoundsRect(), (TRect{0, 0, client.Right, 30}));
    EXPECT_EQ(left.BoundsRect(), (TRect{0, 30, 50, client.Bottom}));
    EXPECT_EQ(rest.BoundsRect(), (TRect{50, 30, client.Right, client.Bottom}));
    form.SetBounds(form.Left(), form.Top(), 500, 350);
    EXPECT_EQ(rest.BoundsRect(), (TRect{50, 30, form.ClientWidth(), form.ClientHeight()}));
}

TEST_F(ControlsTest, ListBoxSelectionByProgramAndByUser) {
    TForm& form = ShownForm();
    TListBox& list = Place<TListBox>(form, {10, 10, 130, 110});
    for (const char* s : {"a", "b", "c", "d"})
        list.Items().Add(s);
    int clicks = 0, dbl = 0;
    list.OnClick = [&](TObject*) { ++clicks; };
    list.OnDblClick = [&](TObject*) { ++dbl; };
    list.SetItemIndex(3);
    EXPECT_EQ(clicks, 0);
    driver.Click(At(list, {10, 2 + 13 + 5}));
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    driver.Click(At(list, {10, 2 + 13 + 5}));
    EXPECT_EQ(dbl, 1);
    driver.TypeKey(win::VK_DOWN);
    EXPECT_EQ(list.ItemIndex(), 2);
}

// A multi-select list as a user works it: a click selects one item alone, a click with Ctrl held
// toggles the item clicked and leaves the others as they are.
TEST_F(ControlsTest, ListBoxCtrlClickTogglesOneItemOfAMultiSelection) {
    TForm& form = ShownForm();
    TListBox& list = Place<TListBox>(form, {10, 10, 130, 110});
    list.MultiSelect = true;
    for (const char* s : {"a", "b", "c", "d"})
        list.Items().Add(s);
    auto selection = [&list] {
        std::string selected;
        for (int i = 0; i < list.Items().Count(); ++i)
            if (list.Selected(i)) selected += list.Items()[i];
        return selected;
    };
    struct Step {
        bool ctrl;
        int item;
        const char* selected;
    };
    const Step steps[] = {
        {false, 0, "a"},  {true, 2, "ac"}, {true, 3, "acd"}, {true, 0, "cd"},
        {true, 0, "acd"}, {false, 1, "b"}, {true, 1, ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.ctrl ? "Ctrl+" : "") + "click on item " +
                     std::to_string(step.item));
        // A user's pace: two clicks on one item are two clicks, not a double click.
        clock.Advance(1000);
        const TPoint point = At(list, {10, 2 + 13 * step.item + 5});
        if (step.ctrl) driver.HoldKey(win::VK_CONTROL);
        driver.MoveTo(point);
        driver.Press(point);
        driver.Release(point);
        if (step.ctrl) driver.ReleaseKey(win::VK_CONTROL);
        EXPECT_EQ(selection(), step.selected);
        EXPECT_EQ(list.ItemIndex(), step.item);
    }
}

TEST_F(ControlsTest, ListBoxCtrlClickOnASingleSelectionSelectsTheItemAlone) {
    TForm& form = ShownForm();
    TListBox& list = Place<TListBox>(form, {10, 10, 130, 110});
    for (const char* s : {"a", "b", "c"})
        list.Items().Add(s);
    driver.Click(At(list, {10, 2 + 5}));
    driver.HoldKey(win::VK_CONTROL);
    driver.Click(At(list, {10, 2 + 26 + 5}));
    driver.ReleaseKey(win::VK_CONTROL);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_FALSE(list.Selected(0));
    EXPECT_TRUE(list.Selected(2));
}

TEST_F(ControlsTest, BitBtnKindsAndGlyph) {
    TForm& form = ShownForm();
    TBitBtn& cancel = Place<TBitBtn>(form, {10, 10, 85, 35});
    cancel.SetKind(bkCancel);
    EXPECT_EQ(cancel.Caption(), "Cancel");
    EXPECT_EQ(cancel.ModalResult, mrCancel);
    EXPECT_TRUE(cancel.Cancel);
    TBitBtn& ok = Place<TBitBtn>(form, {100, 10, 175, 35});
    ok.SetKind(bkOK);
    EXPECT_TRUE(ok.Default);
    ok.SetCaption("");
    ok.Glyph().SetSize(8, 8);
    ok.Glyph().Canvas().Brush().SetColor(gdi::clFuchsia);
    ok.Glyph().Canvas().FillRect({0, 0, 8, 8});
    ok.Glyph().Canvas().Brush().SetColor(gdi::clGreen);
    ok.Glyph().Canvas().FillRect({0, 0, 4, 4});
    Pump();
    gdi::HDC dc = GetDC(ok.Handle());
    // The glyph is centred: 8 pixels in a 75 x 25 button start at 33, 8.
    EXPECT_EQ(gdi::GetPixel(dc, 34, 9), gdi::ColorToRGB(gdi::clGreen));
    EXPECT_EQ(gdi::GetPixel(dc, 39, 14), gdi::GetSysColor(gdi::COLOR_BTNFACE))
        << "the transparent colour is left out";
    ReleaseDC(ok.Handle(), dc);
}

TEST_F(ControlsTest, ListBoxScrollsByItsBarAndTheWheel) {
    TForm& form = ShownForm();
    TListBox& list = Place<TListBox>(form, {10, 10, 130, 107});
    for (int i = 0; i < 20; ++i)
        list.Items().Add("Item " + std::to_string(i));
    const int right = list.Width() - 2 - 8;
    driver.Click(At(list, {right, list.Height() - 2 - 8}));
    EXPECT_EQ(list.TopIndex(), 1);
    driver.Click(At(list, {right, list.Height() - 2 - 20}));
    EXPECT_EQ(list.TopIndex(), 8);
    driver.Wheel(At(list), 120);
    EXPECT_EQ(list.TopIndex(), 5);
    list.SetTopIndex(100);
    EXPECT_EQ(list.TopIndex(), 20 - 7);
    EXPECT_EQ(list.ItemAtPos({10, 2 + 5}, true), 13);
}

// The wheel asks OnMouseWheel, then OnMouseWheelDown or OnMouseWheelUp by the turn's sign; what
// the control leaves unhandled goes on to its parent.
TEST_F(ControlsTest, MouseWheelReachesTheControlsEventsThenItsParent) {
    TForm& form = ShownForm();
    TPanel& outer = Place<TPanel>(form, {10, 10, 210, 210});
    TPanel& inner = Place<TPanel>(outer, {10, 10, 110, 110});
    std::vector<std::string> heard;
    bool takeWheel = false;
    inner.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint pos, bool& handled) {
        heard.push_back("wheel " + std::to_string(delta));
        EXPECT_EQ(pos, At(inner)) << "the position is on the screen";
        handled = takeWheel;
    };
    inner.OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { heard.push_back("down"); };
    inner.OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
        heard.push_back("up");
        handled = true;
    };
    outer.OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool&) {
        heard.push_back("outer");
    };
    inner.SetFocus(); // the wheel turns the focused window's content
    driver.Wheel(At(inner), -120);
    driver.Wheel(At(inner), 120);
    takeWheel = true;
    driver.Wheel(At(inner), -120);
    EXPECT_EQ(heard, (std::vector<std::string>{"wheel -120", "down", "outer", "wheel 120", "up",
                                               "wheel -120"}));
}

// A sorted list places a line with its object; sorting later moves the objects along.
TEST(Strings, ObjectsFollowTheirLinesIntoSortedPlaces) {
    TObject a, b, c;
    TStrings list;
    list.AddObject("c", &c);
    list.AddObject("A", &a);
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.SetSorted(true);
    EXPECT_EQ(list.AddObject("b", &b), 1);
    EXPECT_EQ(list.Text(), "A\r\nb\r\nc\r\n");
    EXPECT_EQ(list.Objects(0), &a);
    EXPECT_EQ(list.Objects(1), &b);
    EXPECT_EQ(list.Objects(2), &c);
    list.SetObjects(2, nullptr);
    EXPECT_EQ(list.IndexOfObject(&c), -1);
    EXPECT_EQ(changes, 3);
}

// The list box is a window of the platform's LISTBOX class: what the control says is what the
// window holds, and the window's notifications come back to the control through its parent.
TEST_F(ControlsTest, ListBoxIsALISTBOXWindowThatReportsUserChangesAsClicks) {
    TForm& form = ShownForm();
    TListBox& list = Place<TListBox>(form, {10, 10, 130, 110});
    for (const char* s : {"d", "a", "c"})
        list.Items().Add(s);
    list.SetSorted(true);
    list.Items().Insert(0, "b"); // sorted on insertion as well
    int clicks = 0;
    list.OnClick = [&](TObject*) { ++clicks; };
    list.SetItemIndex(2);
    EXPECT_EQ(core::SendMessage(list.Handle(), LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(core::SendMessage(list.Handle(), LB_GETCURSEL, 0, 0), 2);
    char text[8] = {};
    core::SendMessage(list.Handle(), LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "c");
    EXPECT_EQ(clicks, 0) << "a change by program is no click";
    driver.Click(At(list, {10, 5}));
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_EQ(clicks, 1);
    driver.TypeKey(win::VK_END);
    EXPECT_EQ(list.ItemIndex(), 3);
    EXPECT_EQ(clicks, 2);
    list.Items().Delete(3);
    EXPECT_EQ(list.ItemIndex(), -1) << "a selection past the end goes";
    EXPECT_EQ(core::SendMessage(list.Handle(), LB_GETCOUNT, 0, 0), 3);
}

// Rows of a variable owner-drawn list take the heights OnMeasureItem gives, and OnDrawItem draws
// each at its place; WM_MEASUREITEM and WM_DRAWITEM reach the control from its parent.
TEST_F(ControlsTest, ListBoxOwnerDrawnRowsOfVariableHeight) {
    TForm& form = ShownForm();
    TListBox& list = Place<TListBox>(form, {10, 10, 130, 110});
    list.Style = lbOwnerDrawVariable;
    list.OnMeasureItem = [](TWinControl*, int index, int& height) { height = 10 + 5 * index; };
    std::vector<std::pair<int, TRect>> drawn;
    list.OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState) {
        drawn.emplace_back(index, rect);
    };
    for (const char* s : {"a", "b", "c"})
        list.Items().Add(s);
    struct Row {
        int top, bottom;
    } const rows[] = {{0, 10}, {10, 25}, {25, 45}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list.ItemRect(i).Top, rows[i].top);
        EXPECT_EQ(list.ItemRect(i).Bottom, rows[i].bottom);
        EXPECT_EQ(list.ItemAtPos({5, rows[i].bottom - 1}, true), i);
    }
    EXPECT_EQ(list.ItemAtPos({5, 50}, true), -1);
    EXPECT_EQ(list.ItemAtPos({5, 50}, false), 3);
    drawn.clear();
    list.Repaint();
    ASSERT_EQ(drawn.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(drawn[static_cast<std::size_t>(i)].first, i);
        EXPECT_EQ(drawn[static_cast<std::size_t>(i)].second.Top, rows[i].top);
    }
}

// A list that stands on its own as a pop-up owned by another window, as a drop-down list does.
class PopupListBox : public TListBox {
public:
    explicit PopupListBox(HWND owner) : TListBox(nullptr), owner_(owner) { visible_ = false; }

protected:
    void CreateParams(TCreateParams& params) override {
        TListBox::CreateParams(params);
        params.style = (params.style & ~WS_CHILD) | WS_POPUP;
        params.parent = owner_;
    }

private:
    HWND owner_;
};

// Its owner hands it its measuring, drawing and selection notifications, as a parent hands a
// child's back.
TEST_F(ControlsTest, APopupListHearsItsNotificationsThroughItsOwner) {
    TForm& form = ShownForm();
    PopupListBox list(form.Handle());
    list.Style = lbOwnerDrawVariable;
    list.SetBounds(150, 150, 120, 80);
    list.OnMeasureItem = [](TWinControl*, int index, int& height) { height = 10 + 5 * index; };
    std::vector<int> drawn;
    list.OnDrawItem = [&](TWinControl*, int index, TRect, TOwnerDrawState) {
        drawn.push_back(index);
    };
    int clicks = 0;
    list.OnClick = [&](core::TObject*) { ++clicks; };
    for (const char* s : {"a", "b", "c"})
        list.Items().Add(s);
    ASSERT_EQ(GetWindow(list.Handle(), GW_OWNER), form.Handle());
    ShowWindow(list.Handle(), SW_SHOWNA);
    list.Repaint();
    EXPECT_EQ(list.ItemRect(1).Top, 10);
    EXPECT_EQ(list.ItemRect(1).Bottom, 25);
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2}));
    core::SendMessage(list.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(clicks, 1);
}

// Marks its top-left corner red at once when pressed, as a value box does under the mouse.
class DrawsOnPress : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        Mark(gdi::clWhite);
    }
    void MouseDown(TMouseButton, TShiftState, int, int) override {
        TDrawingNow drawing(*this);
        Mark(gdi::clRed);
    }

private:
    void Mark(TColor color) {
        TDrawingNow nested(*this); // inside Paint it keeps Paint's own context
        Canvas().Brush().SetColor(color);
        Canvas().FillRect({0, 0, 4, 4});
    }
};

TEST_F(ControlsTest, CustomControlDrawsAtOnceOutsidePaint) {
    TForm& form = ShownForm();
    auto& control = Place<DrawsOnPress>(form, {10, 10, 40, 40});
    Pump();
    const int paints = control.paints;
    auto pixel = [&] {
        gdi::HDC dc = GetDC(control.Handle());
        const auto color = gdi::GetPixel(dc, 1, 1);
        ReleaseDC(control.Handle(), dc);
        return color;
    };
    EXPECT_EQ(pixel(), gdi::ColorToRGB(gdi::clWhite));
    driver.Press(At(control));
    EXPECT_EQ(pixel(), gdi::ColorToRGB(gdi::clRed));
    EXPECT_EQ(control.paints, paints); // drawn without a repaint
    EXPECT_FALSE(control.Canvas().HandleAllocated());
    driver.Release(At(control));
}

} // namespace
} // namespace platform::forms::test
