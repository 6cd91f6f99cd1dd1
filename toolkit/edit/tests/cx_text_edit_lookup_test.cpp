#include "toolkit/edit/cx_text_edit.h"
#include "toolkit/edit/cx_text_edit_lookup.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

// Properties whose editing style a test chooses, as the list editors' properties do.
class StyledProperties : public TcxCustomTextEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef() {
        static const TcxCustomEditPropertiesClass Class(
            "StyledProperties", &TcxCustomTextEditProperties::ClassRef(),
            pc::ConstructorOf<StyledProperties, toolkit::base::TcxInterfacedPersistent,
                              pc::TPersistent*>());
        return Class;
    }
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    using TcxCustomTextEditProperties::TcxCustomTextEditProperties;
    TcxTextEditingStyle GetEditingStyle() const override { return Style; }
    TcxTextEditingStyle Style = tesEdit;
};

class StyledTextEdit : public TcxCustomTextEdit {
public:
    explicit StyledTextEdit(pc::TComponent* AOwner)
        : TcxCustomTextEdit(AOwner, false, &StyledProperties::ClassRef()) {}
    StyledProperties& Styled() { return static_cast<StyledProperties&>(Properties()); }
};

// An editor that lets the keys move through the items, as list editors do.
class NavigatingTextEdit : public StyledTextEdit {
public:
    using StyledTextEdit::StyledTextEdit;

protected:
    bool IsLookupNavigationAllowed() override { return true; }
};

class TextEditLookupTest : public ::testing::Test {
protected:
    TextEditLookupTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Form->Show();
    }
    ~TextEditLookupTest() override { test::FreeTestForm(Owner); }
    template <class T = StyledTextEdit>
    T& MakeEdit(TcxTextEditingStyle Style, const std::vector<std::string>& Items) {
        T& E = Form->Own<T>();
        E.SetParent(Form);
        E.SetBoundsRect({10, 10, 210, 31});
        pc::TStringList List;
        for (const std::string& S : Items)
            List.Add(S);
        E.Properties().SetLookupItems(List);
        E.Styled().Style = Style;
        E.Properties().Changed();
        E.HandleNeeded();
        E.SetFocus();
        testsupport::PumpUntilIdle();
        return E;
    }
    void Type(const std::string& S) {
        for (char C : S)
            Input.TypeKey(0, QString(QChar(C)));
        testsupport::PumpUntilIdle();
    }
    void Press(int Vk, bool Ctrl = false) {
        if (Ctrl) Input.HoldKey(pw::VK_CONTROL);
        Input.TypeKey(Vk, Vk == pw::VK_BACK ? QString(QChar(8)) : QString());
        if (Ctrl) Input.ReleaseKey(pw::VK_CONTROL);
        testsupport::PumpUntilIdle();
    }
    static std::string Selected(TcxCustomTextEdit& E) {
        return E.Text().substr(static_cast<std::size_t>(E.InnerTextEdit().SelStart()),
                               static_cast<std::size_t>(E.InnerTextEdit().SelLength()));
    }

    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    testsupport::InputDriver Input;
};

const std::vector<std::string> Fruits{"Apple", "apricot", "Banana"};

std::vector<std::string> Numbered(int N) {
    std::vector<std::string> Items;
    for (int I = 0; I < N; ++I)
        Items.push_back("item" + std::to_string(I));
    return Items;
}

TEST_F(TextEditLookupTest, LocateTakesTheFirstPrefixMatchInListOrderWithoutWrapping) {
    StyledTextEdit& E = MakeEdit(tesEdit, Fruits);
    TcxCustomTextEditLookupData& L = E.LookupData();
    std::string Text = "ap";
    std::string Tail;
    ASSERT_TRUE(L.Locate(Text, Tail, false));
    EXPECT_EQ(Text, "Ap");
    EXPECT_EQ(Tail, "ple");
    EXPECT_EQ(L.CurrentKey(), 0);
    Text = "ap";
    ASSERT_TRUE(L.Locate(Text, Tail, true));
    EXPECT_EQ(Text, "ap");
    EXPECT_EQ(Tail, "ricot");
    EXPECT_EQ(L.CurrentKey(), 1);
    Text = "ap";
    EXPECT_FALSE(L.Locate(Text, Tail, true));
    Text = "";
    EXPECT_FALSE(L.Locate(Text, Tail, false));
}

TEST_F(TextEditLookupTest, GoMovesWithoutWrappingAndIgnoresKeysOutsideTheItems) {
    StyledTextEdit& E = MakeEdit(tesEdit, Numbered(10));
    TcxCustomTextEditLookupData& L = E.LookupData();
    struct Case {
        int From;
        TcxEditLookupDataGoDirection Direction;
        int Expected;
    } Cases[] = {
        {9, egdNext, 9},     {0, egdPrior, 0},  {0, egdPageDown, 7}, {-1, egdPageDown, 7},
        {-1, egdPageUp, -1}, {9, egdPageUp, 2}, {3, egdPageUp, 0},   {5, egdPageDown, 9},
        {4, egdBegin, 0},    {4, egdEnd, 9},    {4, egdNext, 5},     {4, egdPrior, 3},
    };
    for (const Case& C : Cases) {
        L.SetCurrentKey(Variant::Integer(C.From));
        L.Go(C.Direction, false);
        EXPECT_EQ(L.CurrentKey(), C.Expected) << C.From << " " << int(C.Direction);
        if (C.Expected >= 0) {
            EXPECT_EQ(E.Text(), "item" + std::to_string(C.Expected));
        }
    }
    L.SetCurrentKey(Variant::Integer(4));
    L.SetCurrentKey(Variant::Integer(10));
    EXPECT_EQ(L.CurrentKey(), 4);
    L.Go(egdNext, true);
    L.Go(egdEnd, false);
    L.Go(egdNext, true);
    EXPECT_EQ(L.CurrentKey(), 0);
}

TEST_F(TextEditLookupTest, TypingCompletesFromTheItemsInFreeStyle) {
    StyledTextEdit& E = MakeEdit(tesEdit, Fruits);
    struct Step {
        char Key;
        std::string Text, Selection;
        int ItemIndex;
    } Steps[] = {
        {'a', "Apple", "pple", 0},
        {'p', "Apple", "ple", 0},
        {'r', "apricot", "icot", 1},
        {'x', "aprx", "", -1},
    };
    for (const Step& S : Steps) {
        Type(std::string(1, S.Key));
        EXPECT_EQ(E.Text(), S.Text) << S.Key;
        EXPECT_EQ(Selected(E), S.Selection) << S.Key;
        EXPECT_EQ(E.ItemIndex(), S.ItemIndex) << S.Key;
    }
    EXPECT_EQ(E.EditValue().AsString(), "aprx");
}

TEST_F(TextEditLookupTest, BackspaceWithACompletionSearchesOneCharacterShorter) {
    StyledTextEdit& E = MakeEdit(tesEdit, Fruits);
    Type("apr");
    ASSERT_EQ(E.Text(), "apricot");
    Press(pw::VK_BACK);
    EXPECT_EQ(E.Text(), "Apple");
    EXPECT_EQ(Selected(E), "ple");
    EXPECT_TRUE(E.LookupCompletionActive());
    Press(pw::VK_RIGHT);
    EXPECT_FALSE(E.LookupCompletionActive());
    EXPECT_EQ(E.InnerTextEdit().SelStart(), 5);
    // Without a completion Backspace deletes as it always does.
    Press(pw::VK_BACK);
    EXPECT_EQ(E.Text(), "Appl");
}

TEST_F(TextEditLookupTest, FreeStyleSearchesOnlyAtTheEnd) {
    StyledTextEdit& E = MakeEdit(tesEdit, Fruits);
    E.SetText("Bnana");
    E.InnerTextEdit().SetSelStart(1);
    E.InnerTextEdit().SetSelLength(0);
    Type("a");
    EXPECT_EQ(E.Text(), "Banana");
    EXPECT_FALSE(E.LookupCompletionActive());
    EXPECT_EQ(E.InnerTextEdit().SelStart(), 2);
}

TEST_F(TextEditLookupTest, EditListRefusesACharacterNoItemBeginsWith) {
    StyledTextEdit& E = MakeEdit(tesEditList, Fruits);
    Type("b");
    EXPECT_EQ(E.Text(), "Banana");
    Type("x");
    EXPECT_EQ(E.Text(), "Banana");
    EXPECT_EQ(E.ItemIndex(), 2);
    Press(pw::VK_DELETE);
    EXPECT_EQ(E.Text(), "Banana");
}

TEST_F(TextEditLookupTest, FixedListRefusesNonMatchingCharactersAndSwallowsCaretKeys) {
    StyledTextEdit& E = MakeEdit(tesFixedList, Fruits);
    Type("b");
    EXPECT_EQ(E.Text(), "Banana");
    EXPECT_EQ(E.ItemIndex(), 2);
    Type("q");
    EXPECT_EQ(E.Text(), "Banana");
    int AfterKeyDowns = 0;
    E.OnAfterKeyDown = [&](pc::TObject*, pf::WORD&, pf::TShiftState) { ++AfterKeyDowns; };
    for (int Key : {pw::VK_LEFT, pw::VK_RIGHT, pw::VK_DELETE}) {
        Press(Key);
        EXPECT_EQ(E.Text(), "Banana");
        EXPECT_FALSE(E.LookupCompletionActive());
    }
    EXPECT_EQ(AfterKeyDowns, 3);
    Type("a");
    EXPECT_EQ(E.Text(), "Apple");
}

TEST_F(TextEditLookupTest, FixedListBackspaceWithoutSelectionDisplayIsSwallowed) {
    StyledTextEdit& E = MakeEdit(tesFixedList, Fruits);
    E.Properties().SetShowFixedListSelection(false);
    Type("ap");
    ASSERT_EQ(E.Text(), "Apple");
    Press(pw::VK_BACK);
    EXPECT_EQ(E.Text(), "Apple");
    EXPECT_FALSE(E.LookupCompletionActive());
}

TEST_F(TextEditLookupTest, KeysMoveThroughTheItemsWhereNavigationIsAllowed) {
    NavigatingTextEdit& E = MakeEdit<NavigatingTextEdit>(tesFixedList, Numbered(12));
    E.SetItemIndex(0);
    ASSERT_EQ(E.Text(), "item0");
    struct Step {
        int Key;
        bool Ctrl;
        int Expected;
    } Steps[] = {
        {pw::VK_NEXT, false, 7},  {pw::VK_DOWN, false, 8}, {pw::VK_UP, false, 7},
        {pw::VK_PRIOR, false, 0}, {pw::VK_NEXT, true, 11}, {pw::VK_DOWN, false, 11},
        {pw::VK_HOME, false, 0},  {pw::VK_UP, false, 0},   {pw::VK_END, false, 11},
        {pw::VK_PRIOR, true, 0},
    };
    for (const Step& S : Steps) {
        Press(S.Key, S.Ctrl);
        EXPECT_EQ(E.ItemIndex(), S.Expected) << S.Key;
        EXPECT_EQ(E.Text(), "item" + std::to_string(S.Expected));
    }
    EXPECT_TRUE(E.ModifiedAfterEnter());
}

// The wheel moves one item per turn, towards the user to the next; the plain text edit lets it
// pass.
TEST_F(TextEditLookupTest, TheWheelMovesThroughTheItemsWhereNavigationIsAllowed) {
    NavigatingTextEdit& E = MakeEdit<NavigatingTextEdit>(tesFixedList, Numbered(3));
    E.SetItemIndex(1);
    struct Turn {
        int Delta;
        int Expected;
    } Turns[] = {{-120, 2}, {-120, 2}, {120, 1}, {120, 0}, {120, 0}};
    for (const Turn& T : Turns) {
        Input.Wheel(E.ClientToScreen({20, 10}), T.Delta);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(E.ItemIndex(), T.Expected) << T.Delta;
        EXPECT_EQ(E.Text(), "item" + std::to_string(T.Expected));
    }
    EXPECT_TRUE(E.ModifiedAfterEnter());

    StyledTextEdit& Plain = MakeEdit(tesEdit, Fruits);
    Plain.SetItemIndex(1);
    int Passed = 0;
    Form->OnMouseWheel = [&](pc::TObject*, pf::TShiftState, int, pf::TPoint, bool&) { ++Passed; };
    Input.Wheel(Plain.ClientToScreen({20, 10}), -120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Plain.ItemIndex(), 1);
    EXPECT_EQ(Passed, 1) << "an unhandled turn goes on to the parent";
}

// Each item may carry an object, also after the items are sorted; ItemObject is the current one's.
TEST_F(TextEditLookupTest, ItemObjectIsTheObjectTheCurrentItemCarries) {
    StyledTextEdit& E = MakeEdit(tesEdit, {});
    pc::TObject Cherry, Apple;
    pc::TStringList Items;
    Items.AddObject("cherry", &Cherry);
    Items.Add("banana");
    Items.AddObject("Apple", &Apple);
    E.Properties().SetLookupItems(Items);
    E.Properties().SetLookupItemsSorted(true);
    EXPECT_EQ(E.GetItemObject(), nullptr);
    E.SetItemIndex(0);
    EXPECT_EQ(E.Text(), "Apple");
    EXPECT_EQ(E.GetItemObject(), &Apple);
    E.SetText("CHERRY");
    EXPECT_EQ(E.GetItemObject(), &Cherry);
    E.SetItemIndex(1);
    EXPECT_EQ(E.GetItemObject(), nullptr);
}

TEST_F(TextEditLookupTest, ThePlainTextEditSwallowsUpAndDownWithoutMoving) {
    StyledTextEdit& E = MakeEdit(tesEdit, Fruits);
    E.SetItemIndex(1);
    ASSERT_EQ(E.Text(), "apricot");
    Press(pw::VK_DOWN);
    Press(pw::VK_NEXT);
    EXPECT_EQ(E.ItemIndex(), 1);
    EXPECT_EQ(E.Text(), "apricot");
}

TEST_F(TextEditLookupTest, ItemIndexFollowsATextSetFromOutside) {
    StyledTextEdit& E = MakeEdit(tesEdit, Fruits);
    int Clicks = 0;
    E.OnClick = [&](pc::TObject*) { ++Clicks; };
    E.SetText("banana");
    EXPECT_EQ(E.ItemIndex(), 2);
    E.SetText("cherry");
    EXPECT_EQ(E.ItemIndex(), -1);
    E.SetItemIndex(0);
    EXPECT_EQ(E.Text(), "Apple");
    EXPECT_EQ(Clicks, 1);
    E.SetItemIndex(0);
    EXPECT_EQ(Clicks, 1);
}

} // namespace
} // namespace toolkit::edit
