#include "toolkit/edit/cx_text_edit.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/cx_text_edit_view.h"
#include "toolkit/edit/editor_registrations.h"

#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/forms.h"
#include "platform/win/edit_class.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

class TextEditTest : public ::testing::Test {
protected:
    TextEditTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Other = &Form->Own<pf::TEdit>();
        Other->SetParent(Form);
        Other->SetBoundsRect({10, 100, 110, 121});
        Edit = &Form->Own<TcxTextEdit>();
        Edit->SetParent(Form);
        Edit->SetBoundsRect({10, 10, 210, 31});
        Form->Show();
        Edit->HandleNeeded();
        pc::ProcessMessages();
    }
    ~TextEditTest() override { test::FreeTestForm(Owner); }
    void Focus() {
        Edit->SetFocus();
        testsupport::PumpUntilIdle();
    }
    void Type(const std::string& S) {
        for (char C : S)
            Input.TypeKey(0, QString(QChar(C)));
        testsupport::PumpUntilIdle();
    }

    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    pf::TEdit* Other = nullptr;
    TcxTextEdit* Edit = nullptr;
    testsupport::InputDriver Input;
};

// The inner edit holds the focus for the editor: the editor is entered when the focus comes in
// from another control, whichever of its windows takes it, and left when it goes to another.
TEST_F(TextEditTest, EnterAndExitFireOncePerRealFocusChange) {
    std::vector<std::string> Log;
    Edit->OnEnter = [&](pc::TObject*) { Log.push_back("enter"); };
    Edit->OnExit = [&](pc::TObject*) { Log.push_back("exit"); };
    ASSERT_TRUE(Other->Focused());
    Input.Click(Edit->ClientToScreen({20, 10}));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Edit->InnerTextEdit().Focused());
    EXPECT_EQ(Log, (std::vector<std::string>{"enter"}));
    Edit->SetFocus();
    Input.TypeKey(pw::VK_TAB, "\t");
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Log, (std::vector<std::string>{"enter", "exit"}));
    Input.HoldKey(pw::VK_SHIFT);
    Input.TypeKey(pw::VK_TAB, "\t");
    Input.ReleaseKey(pw::VK_SHIFT);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Edit->IsContainerFocused());
    EXPECT_EQ(Log, (std::vector<std::string>{"enter", "exit", "enter"}));
    Input.Click(Other->ClientToScreen({20, 10}));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Log, (std::vector<std::string>{"enter", "exit", "enter", "exit"}));
    Edit->OnEnter = nullptr;
    Edit->OnExit = nullptr;
}

TEST_F(TextEditTest, AnEditorFreedWhileFocusedIsForgottenByItsForm) {
    Focus();
    ASSERT_TRUE(Edit->InnerTextEdit().Focused());
    Form->FreeComponent(*Edit);
    Edit = nullptr;
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    int OtherEntered = 0;
    Other->OnEnter = [&](pc::TObject*) { ++OtherEntered; };
    Input.Click(Other->ClientToScreen({20, 10}));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Form->ActiveControl(), Other);
    EXPECT_EQ(OtherEntered, 1);
    Other->OnEnter = nullptr;
}

// The editor answers for its inner edit: focused while the inner edit holds the focus.
TEST_F(TextEditTest, TheEditorIsFocusedWhileItsInnerEditIs) {
    const pf::TWinControl& AsControl = *Edit;
    EXPECT_FALSE(AsControl.Focused());
    Focus();
    ASSERT_TRUE(Edit->InnerTextEdit().Focused());
    EXPECT_TRUE(AsControl.Focused());
    Input.TypeKey(pw::VK_TAB, "\t");
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Other->Focused());
    EXPECT_FALSE(AsControl.Focused());
}

// Enter keeps the editor modified since entering: Escape still gives the value of entering back,
// and leaving does not check the value again.
class TextEditValidationTest : public TextEditTest {
protected:
    TextEditValidationTest() {
        Edit->SetEditValue(Variant::String("a"));
        Edit->Properties().SetValidateOnEnter(true);
        Edit->Properties().OnValidate = [this](pc::TObject*, Variant&, std::string& Text,
                                               bool& Error) {
            ++Validations;
            if (Refuse) {
                Error = true;
                Text = "refused";
            }
        };
        Edit->OnExit = [this](pc::TObject*) { ++Exits; };
        pf::Application().OnException = [this](pc::TObject*, const std::exception_ptr& E) {
            try {
                std::rethrow_exception(E);
            } catch (const std::exception& Error) {
                Reported.push_back(Error.what());
            }
        };
    }
    ~TextEditValidationTest() override {
        pf::Application().OnException = nullptr;
        Edit->Properties().OnValidate = nullptr;
        Edit->OnExit = nullptr;
    }
    void Press(int Key, const QString& Text) {
        Input.TypeKey(Key, Text);
        testsupport::PumpUntilIdle();
    }

    int Validations = 0, Exits = 0;
    bool Refuse = false;
    std::vector<std::string> Reported;
};

TEST_F(TextEditValidationTest, EscapeAfterEnterAbandonsTheChanges) {
    Focus();
    // Entering selected the whole text (AutoSelect); the caret goes before it.
    Edit->SetSelection(0, 0);
    Type("b");
    Press(pw::VK_RETURN, "\r");
    EXPECT_EQ(Validations, 1);
    EXPECT_TRUE(Edit->ModifiedAfterEnter());
    EXPECT_EQ(Edit->EditValue().AsString(), "ba");
    Press(pw::VK_ESCAPE, QString(QChar(27)));
    EXPECT_EQ(Edit->Text(), "a");
    EXPECT_EQ(Edit->EditValue().AsString(), "a");
    EXPECT_FALSE(Edit->ModifiedAfterEnter());
}

TEST_F(TextEditValidationTest, LeavingAfterEnterChecksTheValueOnce) {
    Focus();
    // Entering selected the whole text (AutoSelect); the caret goes before it.
    Edit->SetSelection(0, 0);
    Type("b");
    Press(pw::VK_RETURN, "\r");
    Press(pw::VK_TAB, "\t");
    ASSERT_TRUE(Other->Focused());
    EXPECT_EQ(Validations, 1);
    EXPECT_EQ(Exits, 1);
    EXPECT_EQ(Edit->EditValue().AsString(), "ba");
    EXPECT_FALSE(Edit->ModifiedAfterEnter());
}

// The focus leaving for another control of the form checks the value quietly; the exit that
// follows reports a refusal once, and the focus it takes back checks nothing more.
TEST_F(TextEditValidationTest, ARefusedValueIsReportedOnceWhenTheFocusLeaves) {
    Focus();
    // Entering selected the whole text (AutoSelect); the caret goes before it.
    Edit->SetSelection(0, 0);
    Type("b");
    Refuse = true;
    Press(pw::VK_TAB, "\t");
    EXPECT_EQ(Reported, std::vector<std::string>{"refused"});
    EXPECT_TRUE(Edit->InnerTextEdit().Focused());
    EXPECT_EQ(Exits, 0);
    EXPECT_EQ(Edit->Text(), "ba");
    EXPECT_EQ(Edit->SelLength(), 2);
    const int Checked = Validations;
    Refuse = false;
    Press(pw::VK_TAB, "\t");
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Validations, Checked + 1);
    EXPECT_EQ(Exits, 1);
    EXPECT_EQ(Reported.size(), 1u);
}

// The focus going to another top-level window, and coming back while the form is activated, leaves
// the value unchecked until the editor is left.
TEST_F(TextEditValidationTest, TheFocusInAnotherWindowChecksNothing) {
    Focus();
    // Entering selected the whole text (AutoSelect); the caret goes before it.
    Edit->SetSelection(0, 0);
    Type("b");
    auto& Second = Owner->Own<pf::TForm>();
    Second.SetBounds(500, 100, 200, 100);
    auto& There = Second.Own<pf::TEdit>();
    There.SetParent(&Second);
    There.SetBoundsRect({10, 10, 110, 31});
    Second.Show();
    There.SetFocus();
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(There.Focused());
    EXPECT_EQ(Validations, 0);
    EXPECT_EQ(Exits, 0);
    EXPECT_TRUE(Edit->ModifiedAfterEnter());
    Input.Click(Edit->ClientToScreen({20, 10}));
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Edit->InnerTextEdit().Focused());
    EXPECT_EQ(Validations, 0);
    Press(pw::VK_TAB, "\t");
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Validations, 1);
    EXPECT_EQ(Exits, 1);
    EXPECT_TRUE(Reported.empty());
}

TEST_F(TextEditTest, TypedCharactersBecomeTheTextAndTheEditValue) {
    int Changes = 0;
    Edit->Properties().OnChange = [&](pc::TObject*) { ++Changes; };
    Focus();
    Type("abc");
    EXPECT_EQ(Edit->Text(), "abc");
    EXPECT_EQ(Edit->EditValue().AsString(), "abc");
    EXPECT_TRUE(Edit->ModifiedAfterEnter());
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(Edit->SelStart(), 3);
}

TEST_F(TextEditTest, TabIsNeverInserted) {
    Focus();
    Type("a");
    Input.TypeKey(pw::VK_TAB);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->Text(), "a");
}

// After-key-down hears only the keys that went through the inner edit without moving the caret,
// the selection or the text.
TEST_F(TextEditTest, AfterKeyDownHearsOnlyKeysThatChangedNothing) {
    Edit->SetEditValue(Variant::String("ab"));
    Focus();
    Edit->SetSelection(0, 0);
    std::vector<int> Heard;
    Edit->OnAfterKeyDown = [&](pc::TObject*, pf::WORD& Key, pf::TShiftState) {
        Heard.push_back(Key);
    };
    for (int Key : {pw::VK_LEFT, pw::VK_RIGHT, pw::VK_END, pw::VK_RIGHT, pw::VK_HOME})
        Input.TypeKey(Key);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Heard, (std::vector<int>{pw::VK_LEFT, pw::VK_RIGHT}))
        << "Left at the start and Right at the end";
    EXPECT_EQ(Edit->SelStart(), 0);
}

// A character that goes through and changes the text ends the completion shown.
TEST_F(TextEditTest, ATypedCharacterThatChangesTheTextEndsTheCompletion) {
    pc::TStringList Items;
    Items.Add("Apple");
    Edit->Properties().SetLookupItems(Items);
    Focus();
    Type("a");
    ASSERT_TRUE(Edit->LookupCompletionActive());
    ASSERT_EQ(Edit->Text(), "Apple");
    Type("x");
    EXPECT_EQ(Edit->Text(), "Ax");
    EXPECT_FALSE(Edit->LookupCompletionActive());
}

TEST_F(TextEditTest, TypingReplacesTheSelection) {
    Edit->SetEditValue(Variant::String("hello"));
    Focus();
    Edit->SetSelection(1, 3);
    EXPECT_EQ(Edit->SelText(), "ell");
    Type("X");
    EXPECT_EQ(Edit->Text(), "hXo");
    EXPECT_EQ(Edit->SelStart(), 2);
    EXPECT_EQ(Edit->SelLength(), 0);
}

TEST_F(TextEditTest, PasteWithMaxLengthCutsTheTail) {
    Edit->Properties().SetMaxLength(5);
    Edit->SetEditValue(Variant::String("abcde"));
    Focus();
    Edit->SetSelection(1, 2);
    pf::Clipboard().SetAsText("XYZ");
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->Text(), "aXYZd");
    EXPECT_EQ(Edit->SelStart(), 4);
}

TEST_F(TextEditTest, PasteBeyondTheMaxLengthIsRefused) {
    Edit->SetEditValue(Variant::String("abcdefg"));
    Edit->Properties().SetMaxLength(5);
    Focus();
    Edit->SetSelection(6, 0);
    pf::Clipboard().SetAsText("Q");
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->Text(), "abcdefg");
}

TEST_F(TextEditTest, FocusedCutAndPasteChangeTheTextOnce) {
    Edit->SetEditValue(Variant::String("hello"));
    int Changes = 0;
    Edit->Properties().OnChange = [&](pc::TObject*) { ++Changes; };
    Focus();
    Edit->SetSelection(0, 2);
    Edit->CutToClipboard();
    EXPECT_EQ(Edit->Text(), "llo");
    EXPECT_EQ(pf::Clipboard().AsText(), "he");
    EXPECT_EQ(Changes, 1);
    Edit->SetSelection(3, 0);
    // The inner edit's own keys reach the editor through WM_PASTE.
    Edit->InnerTextEdit().Perform(pw::WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->Text(), "llohe");
    EXPECT_EQ(Changes, 2);
}

TEST_F(TextEditTest, AReadOnlyEditorIgnoresTypingAndPaste) {
    Edit->SetEditValue(Variant::String("abc"));
    Edit->Properties().SetReadOnly(true);
    Focus();
    Type("x");
    pf::Clipboard().SetAsText("Q");
    Edit->InnerTextEdit().Perform(pw::WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->Text(), "abc");
    Edit->InnerTextEdit().Perform(pw::WM_CUT, 0, 0);
    EXPECT_EQ(Edit->Text(), "abc");
}

TEST_F(TextEditTest, CharacterCaseAppliesToTypedText) {
    struct Case {
        TEditCharCase CharCase;
        const char* Expected;
    };
    for (const Case& C :
         {Case{pf::ecNormal, "aB"}, Case{pf::ecUpperCase, "AB"}, Case{pf::ecLowerCase, "ab"}}) {
        Edit->Properties().SetCharCase(C.CharCase);
        Edit->SetEditValue(Variant::String(""));
        Focus();
        Type("aB");
        EXPECT_EQ(Edit->Text(), C.Expected) << C.CharCase;
    }
}

TEST_F(TextEditTest, PasswordEchoShowsStarsButKeepsTheText) {
    Edit->Properties().SetEchoMode(eemPassword);
    Edit->SetEditValue(Variant::String("secret"));
    EXPECT_EQ(Edit->Text(), "secret");
    EXPECT_EQ(Edit->InnerTextEdit().PasswordChar(), '*');
    EXPECT_EQ(Edit->Properties().GetDisplayText(Variant::String("abc")), "***");
    Edit->Properties().SetPasswordChar('#');
    EXPECT_EQ(Edit->InnerTextEdit().PasswordChar(), '#');
    EXPECT_FALSE(Edit->IsPlainTextModifiable());
}

TEST_F(TextEditTest, NoEditStyleReadsNoSelectionAndRefusesTyping) {
    Edit->SetEditValue(Variant::String("abc"));
    Edit->Properties().SetTextNotEditable(true);
    Focus();
    Edit->InnerTextEdit().SelectAll();
    EXPECT_EQ(Edit->SelStart(), 0);
    EXPECT_EQ(Edit->SelLength(), 0);
    Type("x");
    EXPECT_EQ(Edit->Text(), "abc");
}

TEST_F(TextEditTest, AlignmentGivesTheTextFlags) {
    struct Case {
        pf::TAlignment Horz;
        TcxEditVertAlignment Vert;
        unsigned Flags;
    };
    for (const Case& C : {Case{pf::taLeftJustify, taTopJustify, 0xC0200u},
                          Case{pf::taRightJustify, taVCenter, 0xC0200u | 2 | 0x10},
                          Case{pf::taCenter, taBottomJustify, 0xC0200u | 1 | 0x20}}) {
        Edit->Properties().Alignment().SetHorz(C.Horz);
        Edit->Properties().Alignment().SetVert(C.Vert);
        Edit->ShortRefreshContainer(false);
        EXPECT_EQ(Edit->TextViewInfo().DrawTextFlags, C.Flags);
        EXPECT_EQ(Edit->InnerTextEdit().Alignment(), C.Horz);
    }
}

TEST_F(TextEditTest, SelectionColours) {
    struct Case {
        TColor Text, Background, Content;
        TColor ExpectedText, ExpectedBackground;
    };
    const TColor NotSet = cxEditColorNotSet;
    for (const Case& C : {
             Case{NotSet, pg::clRed, pg::clWindow, 0xFFFF00, pg::clRed},
             Case{0x0000FF, NotSet, pg::clWindow, 0x0000FF, 0xFFFF00},
             Case{NotSet, NotSet, pg::clWindow, pg::clHighlightText, pg::clHighlight},
             Case{NotSet, NotSet, pg::clHighlight, 0xFFFFFF, 0},
             Case{pg::clBlue, pg::clYellow, pg::clWindow, pg::clBlue, pg::clYellow},
         }) {
        auto Data = Edit->CreateViewData();
        auto& TextData = static_cast<TcxCustomTextEditViewData&>(*Data);
        TextData.SelTextColor = C.Text;
        TextData.SelBackgroundColor = C.Background;
        TextData.ContentColor = C.Content;
        TColor T = 0, B = 0;
        TextData.CalculateSelectionColors(T, B);
        EXPECT_EQ(T, C.ExpectedText);
        EXPECT_EQ(B, C.ExpectedBackground);
    }
}

TEST_F(TextEditTest, EditListAcceptsOnlyLookupItems) {
    auto& P = Edit->Properties();
    pc::TStringList Items;
    Items.Add("Apple");
    P.SetLookupItems(Items);
    Variant V = Variant::String("apple");
    EXPECT_TRUE(P.FindLookupItem("APPLE"));
    EXPECT_TRUE(P.IsDisplayValueValid(V, true));
    P.SetTextNotEditable(false);
    Variant Empty = Variant::String("");
    EXPECT_TRUE(P.IsDisplayValueValid(Empty, true));
}

TEST_F(TextEditTest, PropertiesAssignAndMaxLength) {
    TcxTextEditProperties Source(nullptr);
    Source.SetCharCase(pf::ecUpperCase);
    Source.SetEchoMode(eemPassword);
    Source.SetMaxLength(-5);
    EXPECT_EQ(Source.MaxLength(), 0);
    EXPECT_TRUE(Source.AssignedValues().MaxLength());
    Source.SetMaxLength(7);
    TcxTextEditProperties Target(nullptr);
    Target.Assign(&Source);
    EXPECT_EQ(Target.CharCase(), pf::ecUpperCase);
    EXPECT_EQ(Target.EchoMode(), eemPassword);
    EXPECT_EQ(Target.MaxLength(), 7);
    Target.SetTextViewStyle(2);
    EXPECT_EQ(Target.ButtonsViewStyle(), bvsButtonsOnly);
    EXPECT_TRUE(Target.TextNotEditable());
    EXPECT_EQ(Target.GetTextViewStyle(), 2);
}

TEST_F(TextEditTest, TheBoundsLockNestsAndHoldsTheInnerEditInPlace) {
    struct Case {
        std::vector<bool> Locks; // true locks, false unlocks
        bool Moves;
    };
    const Case Cases[] = {
        {{true}, false},       {{true, true, false}, false},
        {{true, false}, true}, {{false, true}, false}, // an unlock without a lock does nothing
        {{false}, true},
    };
    for (const Case& C : Cases) {
        TcxCustomInnerTextEdit Inner(nullptr, *Edit);
        for (bool Lock : C.Locks)
            Inner.LockBounds(Lock);
        const pg::TRect Before = Inner.BoundsRect();
        const pg::TRect Wanted{Before.Left + 3, Before.Top + 2, Before.Right + 13,
                               Before.Bottom + 4};
        Inner.SetBoundsRect(Wanted);
        EXPECT_EQ(Inner.BoundsRect(), C.Moves ? Wanted : Before) << C.Locks.size();
        EXPECT_EQ(Inner.BoundsLocked(), !C.Moves);
    }
}

TEST_F(TextEditTest, TheEditorDoesNotLayItselfOutWhileItsInnerEditMoves) {
    TcxCustomInnerTextEdit& Inner = Edit->InnerTextEdit();
    std::vector<bool> Changing;
    Inner.OnResize = [&](pc::TObject*) { Changing.push_back(Edit->InnerControlBoundsChanging()); };
    const pg::TRect R = Inner.BoundsRect();
    Inner.SetBoundsRect({R.Left, R.Top, R.Right - 20, R.Bottom});
    ASSERT_FALSE(Changing.empty());
    for (bool B : Changing)
        EXPECT_TRUE(B);
    EXPECT_FALSE(Edit->InnerControlBoundsChanging());
    Inner.OnResize = nullptr;
}

TEST_F(TextEditTest, DoWithoutAutoSelectEntersWithoutSelectingAll) {
    TcxCustomInnerTextEdit& Inner = Edit->InnerTextEdit();
    Edit->SetText("abcd");
    Inner.AutoSelect = true;
    Inner.SetSelStart(1);
    Inner.SetSelLength(0);
    int Entered = 0;
    Inner.OnEnter = [&](pc::TObject*) { ++Entered; };
    Inner.DoWithoutAutoSelect();
    EXPECT_EQ(Entered, 1);
    EXPECT_EQ(Inner.SelStart(), 1);
    EXPECT_EQ(Inner.SelLength(), 0);
    EXPECT_TRUE(Inner.AutoSelect);
    Inner.OnEnter = nullptr;
    Inner.AutoSelect = false;
}

TEST_F(TextEditTest, TheTextEditIsRegistered) {
    InitializeTextEditUnit();
    EXPECT_GE(GetRegisteredEditProperties().IndexOf(&TcxTextEditProperties::ClassRef()), 0);
    FinalizeTextEditUnit();
}

struct GetTextCase {
    const char* name;
    int bufferSize;
    const char* copied;
    int result;
};

class TextEditGetTextTest : public TextEditTest,
                            public ::testing::WithParamInterface<GetTextCase> {};

TEST_P(TextEditGetTextTest, CopiesAtMostOneLessThanTheBuffer) {
    const GetTextCase& c = GetParam();
    Edit->SetEditValue(Variant::String("hello"));
    char Buffer[16] = "xxxxxxxxxxxxxxx";
    const pc::LRESULT Result =
        pc::SendMessage(Edit->Handle(), pw::WM_GETTEXT, static_cast<pc::WPARAM>(c.bufferSize),
                        reinterpret_cast<pc::LPARAM>(Buffer));
    EXPECT_EQ(Result, c.result);
    if (c.bufferSize >= 1) {
        EXPECT_EQ(std::string(Buffer), c.copied);
    } else {
        EXPECT_EQ(Buffer[0], 'x');
    }
    EXPECT_EQ(pc::SendMessage(Edit->Handle(), pw::WM_GETTEXTLENGTH, 0, 0), 5);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextEditGetTextTest,
                         ::testing::Values(GetTextCase{"Zero", 0, "", 0},
                                           GetTextCase{"One", 1, "", 0},
                                           GetTextCase{"Three", 3, "he", 2},
                                           GetTextCase{"Whole", 16, "hello", 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextEditTest, SetTextIsTakenAsTheDisplayValue) {
    EXPECT_EQ(
        pc::SendMessage(Edit->Handle(), pw::WM_SETTEXT, 0, reinterpret_cast<pc::LPARAM>("two")), 1);
    EXPECT_EQ(Edit->Text(), "two");
    EXPECT_EQ(Edit->EditValue().AsString(), "two");
}

class TextEditActivateTest : public TextEditTest, public ::testing::WithParamInterface<bool> {};

TEST_P(TextEditActivateTest, InPlaceActivationSelectsAllOnlyWithAutoSelect) {
    Edit->Properties().SetAutoSelect(GetParam());
    Edit->SetEditValue(Variant::String("hello"));
    Edit->SetSelection(2, 1);
    Edit->Activate();
    EXPECT_EQ(Edit->SelStart(), 0);
    EXPECT_EQ(Edit->SelLength(), GetParam() ? 5 : 0);
}

INSTANTIATE_TEST_SUITE_P(AutoSelect, TextEditActivateTest, ::testing::Bool());

struct FocusAlignmentCase {
    const char* name;
    pf::TAlignment alignment;
    bool leftOnEditing;
    pw::DWORD unfocused;
    pw::DWORD focused;
};

class TextEditFocusAlignmentTest : public TextEditTest,
                                   public ::testing::WithParamInterface<FocusAlignmentCase> {
protected:
    pw::DWORD AlignmentStyle() {
        return static_cast<pw::DWORD>(
                   pw::GetWindowLong(Edit->InnerTextEdit().Handle(), pw::GWL_STYLE)) &
               (pw::ES_RIGHT | pw::ES_CENTER);
    }
};

TEST_P(TextEditFocusAlignmentTest, TheWindowIsLeftAlignedOnlyWhileFocused) {
    const FocusAlignmentCase& c = GetParam();
    Edit->Properties().SetUseLeftAlignmentOnEditing(c.leftOnEditing);
    Edit->Properties().Alignment().SetHorz(c.alignment);
    EXPECT_EQ(AlignmentStyle(), c.unfocused);
    Focus();
    EXPECT_EQ(AlignmentStyle(), c.focused);
    // A change while focused keeps the editing alignment until focus leaves.
    Edit->Properties().Alignment().SetHorz(c.alignment);
    EXPECT_EQ(AlignmentStyle(), c.focused);
    Other->SetFocus();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(AlignmentStyle(), c.unfocused);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextEditFocusAlignmentTest,
    ::testing::Values(
        FocusAlignmentCase{"Left", pf::taLeftJustify, true, pw::ES_LEFT, pw::ES_LEFT},
        FocusAlignmentCase{"RightLeftOnEditing", pf::taRightJustify, true, pw::ES_RIGHT,
                           pw::ES_LEFT},
        FocusAlignmentCase{"CentreLeftOnEditing", pf::taCenter, true, pw::ES_CENTER, pw::ES_LEFT},
        FocusAlignmentCase{"RightKept", pf::taRightJustify, false, pw::ES_RIGHT, pw::ES_RIGHT},
        FocusAlignmentCase{"CentreKept", pf::taCenter, false, pw::ES_CENTER, pw::ES_CENTER}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextEditTest, ASecondClickOnAFocusingRightAlignedEditorIsADoubleClick) {
    // Both clicks within the double-click time however slowly the machine runs.
    pc::ManualClock Clock;
    pc::ClockOverride UseClock(Clock);
    Edit->Properties().Alignment().SetHorz(pf::taRightJustify);
    Edit->SetEditValue(Variant::String("one two"));
    pc::ProcessMessages();
    const pg::TPoint P = Edit->InnerTextEdit().ClientToScreen(pg::TPoint{4, 5});
    Input.Click(P);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Edit->IsContainerFocused());
    EXPECT_EQ(Edit->SelLength(), 0);
    Input.Click(P);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->SelText(), "one");
}

// The editor hears the mouse in its text as the window heard it, in its own coordinates.
TEST_F(TextEditTest, TheMouseInTheTextReachesTheEditor) {
    Edit->SetEditValue(Variant::String("one two"));
    pc::ProcessMessages();
    std::vector<std::string> Heard;
    const auto At = [&](const char* What, int X, int Y) {
        Heard.push_back(std::string(What) + " " + std::to_string(X) + "," + std::to_string(Y));
    };
    Edit->OnMouseDown = [&](pc::TObject*, pf::TMouseButton, pf::TShiftState, int X, int Y) {
        At("down", X, Y);
    };
    Edit->OnMouseUp = [&](pc::TObject*, pf::TMouseButton, pf::TShiftState, int X, int Y) {
        At("up", X, Y);
    };
    Edit->OnClick = [&](pc::TObject*) { Heard.push_back("click"); };
    Edit->OnDblClick = [&](pc::TObject*) { Heard.push_back("double"); };
    auto& Inner = Edit->InnerTextEdit();
    const pg::TPoint P = Inner.ClientToScreen(pg::TPoint{4, 5});
    const std::string Where =
        std::to_string(4 + Inner.Left()) + "," + std::to_string(5 + Inner.Top());
    Input.Click(P);
    Input.Click(P);
    testsupport::PumpUntilIdle();
    const std::vector<std::string> Expected{"down " + Where, "click", "up " + Where, "double",
                                            "down " + Where, "click", "up " + Where};
    EXPECT_EQ(Heard, Expected);
    EXPECT_TRUE(Inner.Focused());
    EXPECT_EQ(Edit->SelText(), "one");
}

// The caret at the end of a right-aligned text keeps a pixel of its own; sizing keeps it.
TEST_F(TextEditTest, TheInnerEditKeepsNoLeftMarginAndOnePixelRight) {
    auto& Inner = Edit->InnerTextEdit();
    const auto Margins = [&] { return pc::SendMessage(Inner.Handle(), pw::EM_GETMARGINS, 0, 0); };
    EXPECT_EQ(Margins(), pw::MAKELPARAM(0, 1));
    pc::SendMessage(Inner.Handle(), pw::EM_SETMARGINS, pw::EC_LEFTMARGIN | pw::EC_RIGHTMARGIN,
                    pw::MAKELPARAM(5, 5));
    Edit->SetBoundsRect({10, 10, 260, 41});
    pc::ProcessMessages();
    EXPECT_EQ(Margins(), pw::MAKELPARAM(0, 1));
}

struct DialogCodeCase {
    const char* name;
    bool Inplace;
    bool CtrlDown;
    pc::LRESULT Expected;
};

class TextEditDialogCodeTest : public TextEditTest,
                               public ::testing::WithParamInterface<DialogCodeCase> {};

// Characters and arrows always; Tab only where the editor keeps it (in place), not with Ctrl.
TEST_P(TextEditDialogCodeTest, TheInnerEditAsksForWhatTheEditorTakes) {
    TcxTextEdit* Target = Edit;
    if (GetParam().Inplace) {
        Target = &Form->Own<TcxTextEdit>(true);
        Target->SetParent(Form);
        Target->SetBoundsRect({10, 50, 210, 71});
        Target->HandleNeeded();
    }
    if (GetParam().CtrlDown) Input.HoldKey(pw::VK_CONTROL);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pc::SendMessage(Target->InnerTextEdit().Handle(), pw::WM_GETDLGCODE, 0, 0),
              GetParam().Expected);
    if (GetParam().CtrlDown) Input.ReleaseKey(pw::VK_CONTROL);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextEditDialogCodeTest,
    ::testing::Values(
        DialogCodeCase{"Standalone", false, false, pw::DLGC_WANTCHARS | pw::DLGC_WANTARROWS},
        DialogCodeCase{"Inplace", true, false,
                       pw::DLGC_WANTCHARS | pw::DLGC_WANTARROWS | pw::DLGC_WANTTAB},
        DialogCodeCase{"InplaceWithCtrl", true, true, pw::DLGC_WANTCHARS | pw::DLGC_WANTARROWS}),
    [](const auto& info) { return std::string(info.param.name); });

struct RegroupCase {
    const char* text;
    const char* regrouped;
};

class TextEditRegroupTest : public ::testing::TestWithParam<RegroupCase> {};

TEST_P(TextEditRegroupTest, ThousandsAreGroupedLeftOfTheDecimalSeparator) {
    EXPECT_EQ(cxRegroupNumericText(GetParam().text, '.', ','), GetParam().regrouped);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextEditRegroupTest,
                         ::testing::Values(RegroupCase{"1234", "1,234"}, RegroupCase{"123", "123"},
                                           RegroupCase{"-1234567.891", "-1,234,567.891"},
                                           RegroupCase{"12,34", "1,234"},
                                           RegroupCase{"$1234", "$1,234"},
                                           RegroupCase{"12345E1234", "12,345E1234"},
                                           RegroupCase{".5", ".5"}));

TEST_F(TextEditTest, TheHookHearsSelectionAndTextChanges) {
    std::vector<TcxTextEditHookEvent> Heard;
    TcxCustomTextEdit::ControlHook() = [&](pw::HWND Wnd, TcxTextEditHookEvent Event) {
        EXPECT_EQ(Wnd, Edit->InnerTextEdit().Handle());
        Heard.push_back(Event);
    };
    Focus();
    Type("ab");
    Input.TypeKey(pw::VK_LEFT);
    testsupport::PumpUntilIdle();
    TcxCustomTextEdit::ControlHook() = nullptr;
    EXPECT_NE(std::count(Heard.begin(), Heard.end(), thTextChanged), 0);
    EXPECT_NE(std::count(Heard.begin(), Heard.end(), thSelectionChanged), 0);
    EXPECT_NE(std::count(Heard.begin(), Heard.end(), thDeferredColorNotify), 0);
}

TEST_F(TextEditTest, PictureOfATextEditWithASelection) {
    Edit->SetEditValue(Variant::String("Selected text"));
    Focus();
    Edit->SetSelection(0, 8);
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Folder("quintaron-text-edit-");
    const std::string Png = Folder.PathOf("text-edit-selection.png");
    ASSERT_TRUE(testsupport::SaveWindowPng(Edit->Handle(), Png));
    const QImage Image(QString::fromStdString(Png));
    ASSERT_EQ(Image.width(), Edit->Width());
    bool HasHighlight = false;
    const QColor Highlight(pg::ColorToRGB(pg::clHighlight) & 0xFF,
                           (pg::ColorToRGB(pg::clHighlight) >> 8) & 0xFF,
                           (pg::ColorToRGB(pg::clHighlight) >> 16) & 0xFF);
    for (int X = 0; X < Image.width(); ++X)
        if (Image.pixelColor(X, Image.height() / 2) == Highlight) HasHighlight = true;
    EXPECT_TRUE(HasHighlight);
}

// ---- undo, change notification, the inner edit's messages ----

QImage Shot(pc::HWND Wnd) {
    testsupport::TempFolder Folder("quintaron-text-edit-");
    const std::string Png = Folder.PathOf("shot.png");
    EXPECT_TRUE(testsupport::SaveWindowPng(Wnd, Png));
    return QImage(QString::fromStdString(Png));
}

bool ShowsColour(const QImage& Image, pg::TColor Colour) {
    const pg::TColor Rgb = pg::ColorToRGB(Colour);
    const QColor Wanted(Rgb & 0xFF, (Rgb >> 8) & 0xFF, (Rgb >> 16) & 0xFF);
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if (Image.pixelColor(X, Y) == Wanted) return true;
    return false;
}

// Typing is the window's own change: Ctrl+Z (or WM_UNDO) takes the run of typing back, value
// and picture with it, and a second undo brings it back.
TEST_F(TextEditTest, TypingIsTakenBackByUndo) {
    for (const bool ByMessage : {false, true}) {
        Edit->SetEditValue(Variant::String(""));
        Focus();
        testsupport::PumpUntilIdle();
        const QImage Empty = Shot(Edit->Handle());
        Type("abc");
        ASSERT_EQ(Edit->Text(), "abc") << ByMessage;
        const QImage Typed = Shot(Edit->Handle());
        std::vector<std::string> Changes;
        Edit->Properties().OnChange = [&](pc::TObject*) {
            Changes.push_back(Edit->EditValue().AsString());
        };
        const auto Undo = [&] {
            if (ByMessage) {
                Edit->InnerTextEdit().Perform(pw::WM_UNDO, 0, 0);
            } else {
                Input.HoldKey(pw::VK_CONTROL);
                Input.TypeKey('Z', QString(QChar(26)));
                Input.ReleaseKey(pw::VK_CONTROL);
            }
            testsupport::PumpUntilIdle();
        };
        Undo();
        EXPECT_EQ(Edit->Text(), "") << ByMessage;
        EXPECT_EQ(Edit->EditValue().AsString(), "") << ByMessage;
        EXPECT_EQ(Changes, std::vector<std::string>{""}) << ByMessage;
        Edit->SetSelection(0, 0);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Shot(Edit->Handle()), Empty) << ByMessage;
        Undo();
        EXPECT_EQ(Edit->Text(), "abc") << ByMessage;
        EXPECT_EQ(Edit->EditValue().AsString(), "abc") << ByMessage;
        Edit->SetSelection(3, 0);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Shot(Edit->Handle()), Typed) << ByMessage;
        Edit->Properties().OnChange = nullptr;
    }
}

// A text or value set by the program tells OnChange once, with the edit value already the new
// one; setting the same text again tells nothing.
TEST_F(TextEditTest, TextSetByTheProgramTellsOnChange) {
    struct Case {
        const char* Name;
        std::function<void(TcxTextEdit&, const std::string&)> Set;
    };
    const Case Cases[] = {
        {"Text", [](TcxTextEdit& E, const std::string& S) { E.SetText(S); }},
        {"EditValue",
         [](TcxTextEdit& E, const std::string& S) { E.SetEditValue(Variant::String(S)); }},
        {"WM_SETTEXT", [](TcxTextEdit& E, const std::string& S) {
             pc::SendMessage(E.Handle(), pw::WM_SETTEXT, 0,
                             reinterpret_cast<pc::LPARAM>(S.c_str()));
         }}};
    for (const Case& C : Cases) {
        Edit->SetEditValue(Variant::String("start"));
        std::vector<std::string> Seen;
        Edit->Properties().OnChange = [&](pc::TObject*) {
            Seen.push_back(Edit->EditValue().AsString());
        };
        C.Set(*Edit, "new text");
        C.Set(*Edit, "new text");
        EXPECT_EQ(Seen, std::vector<std::string>{"new text"}) << C.Name;
        EXPECT_FALSE(Edit->ModifiedAfterEnter()) << C.Name;
        Edit->Properties().OnChange = nullptr;
    }
}

// HideSelection off keeps the selection painted while another control has the focus.
TEST_F(TextEditTest, WithoutHideSelectionTheSelectionStaysShownUnfocused) {
    for (const bool Hide : {true, false}) {
        Edit->Properties().SetHideSelection(Hide);
        Edit->SetEditValue(Variant::String("Selected text"));
        Focus();
        Edit->SetSelection(0, 8);
        Other->SetFocus();
        testsupport::PumpUntilIdle();
        ASSERT_FALSE(Edit->IsContainerFocused());
        EXPECT_EQ(ShowsColour(Shot(Edit->Handle()), pg::clHighlight), !Hide) << Hide;
    }
}

// The properties' input method settings and OEM conversion reach the control and its window.
TEST_F(TextEditTest, InputMethodAndOemSettingsReachTheInnerEdit) {
    Edit->Properties().SetImeMode(pf::imHira);
    Edit->Properties().SetImeName("Input method");
    Edit->Properties().SetOEMConvert(true);
    auto& Inner = Edit->InnerTextEdit();
    EXPECT_EQ(Edit->ImeMode, pf::imHira);
    EXPECT_EQ(Edit->ImeName, "Input method");
    EXPECT_EQ(Inner.ImeMode, pf::imHira);
    EXPECT_EQ(Inner.ImeName, "Input method");
    EXPECT_TRUE(Inner.OEMConvert());
    const auto Style = static_cast<pw::DWORD>(pw::GetWindowLong(Inner.Handle(), pw::GWL_STYLE));
    EXPECT_NE(Style & pw::ES_OEMCONVERT, 0u);
}

// Upper and lower case follow the code page's letters, accented ones too, as typed and as set.
TEST_F(TextEditTest, CharCaseConvertsAccentedLetters) {
    Edit->Properties().SetCharCase(pf::ecUpperCase);
    Focus();
    for (const char C : std::string("\xE9t\xE9"))
        Input.TypeKey(0, QString(QChar(static_cast<unsigned char>(C))));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->Text(), "\xC9T\xC9");
    EXPECT_EQ(Edit->ActiveProperties().GetDisplayText(Variant::String("\xE0 la"), false, false),
              "\xC0 LA");
    Edit->Properties().SetCharCase(pf::ecLowerCase);
    EXPECT_EQ(Edit->ActiveProperties().GetDisplayText(Variant::String("\xC0 LA"), false, false),
              "\xE0 la");
    pc::TStringList Items;
    Items.Add("\xC9t\xE9");
    Edit->Properties().SetLookupItems(Items);
    EXPECT_TRUE(Edit->ActiveProperties().FindLookupItem("\xE9T\xC9"));
}

// The inner edit draws no background and no frame of its own: the editor draws them.
TEST_F(TextEditTest, TheInnerEditErasesNothingAndPaintsNoFrame) {
    auto& Inner = Edit->InnerTextEdit();
    EXPECT_EQ(pc::SendMessage(Inner.Handle(), pw::WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(pc::SendMessage(Inner.Handle(), pw::WM_NCPAINT, 1, 0), 0);
}

// Enter reaches the window only with BeepOnEnter; in place, neither Enter nor Escape reaches
// it; Tab never does.
TEST_F(TextEditTest, EnterAndEscapeReachTheWindowOnlyWhereTheEditorLetsThem) {
    struct Case {
        bool Inplace;
        bool BeepOnEnter;
        pf::WORD Key;
        bool Reaches;
    };
    for (const Case& C :
         {Case{false, true, pw::VK_RETURN, true}, Case{false, false, pw::VK_RETURN, false},
          Case{false, true, pw::VK_ESCAPE, true}, Case{true, true, pw::VK_RETURN, false},
          Case{true, true, pw::VK_ESCAPE, false}, Case{false, true, pw::VK_TAB, false}}) {
        auto& E = Form->Own<TcxTextEdit>(C.Inplace);
        E.SetParent(Form);
        E.SetBoundsRect({10, 50, 210, 71});
        E.BeepOnEnter = C.BeepOnEnter;
        E.HandleNeeded();
        int Reached = 0;
        E.InnerTextEdit().OnKeyUp = [&](pc::TObject*, pf::WORD&, pf::TShiftState) { ++Reached; };
        E.InnerTextEdit().Perform(pw::WM_KEYUP, C.Key, 0);
        EXPECT_EQ(Reached, C.Reaches ? 1 : 0) << C.Inplace << C.BeepOnEnter << C.Key;
        E.InnerTextEdit().OnKeyUp = nullptr;
        Form->FreeComponent(E);
    }
}

// A character the input method finished is typed as the keyboard types one.
TEST_F(TextEditTest, AnInputMethodCharacterIsTyped) {
    Focus();
    Type("a");
    pc::SendMessage(Edit->InnerTextEdit().Handle(), pw::WM_IME_CHAR, 'b', 0);
    EXPECT_EQ(Edit->Text(), "ab");
    EXPECT_EQ(Edit->EditValue().AsString(), "ab");
    EXPECT_EQ(Edit->SelStart(), 2);
}

// ---- size ----

// An auto-sized editor follows its font, set through its style or on the control; one with
// AutoSize off keeps the height it was given.
TEST_F(TextEditTest, AnAutoSizedEditorFollowsItsFont) {
    struct Case {
        bool ThroughStyle;
        bool AutoSize;
    };
    for (const auto& [ThroughStyle, AutoSize] :
         {Case{true, true}, Case{false, true}, Case{false, false}, Case{true, false}}) {
        auto& E = Form->Own<TcxTextEdit>();
        E.SetParent(Form);
        E.SetAutoSize(AutoSize);
        E.SetBounds(10, 150, 200, 21);
        E.HandleNeeded();
        const int Before = E.Height();
        pg::TFont Large;
        Large.Assign(E.Font());
        Large.SetSize(E.Font().Size() * 3);
        if (ThroughStyle)
            E.Style().SetFont(&Large);
        else
            E.Font().Assign(Large);
        pc::ProcessMessages();
        if (!AutoSize) {
            EXPECT_EQ(E.Height(), Before) << ThroughStyle;
            continue;
        }
        TcxEditSizeProperties Size;
        Size.MaxLineCount = 1;
        Size.Width = 200;
        const int Asked = E.CreateViewData()
                              ->GetEditSize(toolkit::base::cxScreenCanvas(), E.EditValue(), Size)
                              .cy;
        EXPECT_EQ(E.Height(), Asked) << ThroughStyle;
        EXPECT_GT(E.Height(), Before + 10) << ThroughStyle;
        EXPECT_GT(E.Height(), toolkit::base::cxScreenCanvas().FontHeight(Large)) << ThroughStyle;
    }
}

} // namespace
} // namespace toolkit::edit
