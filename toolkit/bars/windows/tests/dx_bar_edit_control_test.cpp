#include "toolkit/bars/windows/dx_bar_edit_control.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pg = platform::gdi;

// A toolbar docked on top holding an edit item and a combo item with three entries.
class EditControlTest : public MenuFormFixture {
protected:
    EditControlTest() {
        Manager = &Form->Own<TdxBarManager>();
        Bar = Manager->Bars()->Add();
        Bar->SetCaption("Tools");
        Bar->SetDockingStyle(dsTop);
        Edit = &Form->Own<TdxBarEdit>();
        Edit->SetCaption("Name");
        Edit->SetText("start");
        Bar->ItemLinks().Add(Edit);
        Combo = &Form->Own<TdxBarCombo>();
        Combo->SetCaption("Kind");
        for (const char* E : {"alpha", "beta", "gamma"})
            Combo->Items().Add(E);
        Combo->SetItemIndex(0);
        Bar->ItemLinks().Add(Combo);
        ShowMainMenu();
    }

    TdxBarEditControl& EditControl() { return Control<TdxBarEditControl>(0); }
    TdxBarComboControl& ComboControl() { return Control<TdxBarComboControl>(1); }
    template <class T> T& Control(int Index) {
        auto* C = dynamic_cast<T*>(Bar->ItemLinks().VisibleItems(Index)->Control());
        EXPECT_NE(C, nullptr);
        return *C;
    }
    pg::TPoint Centre(int Index) { return CentreOf(Bar->ItemLinks(), Index); }
    void Type(const std::string& Text) {
        for (char C : Text)
            Input.Key(Qt::Key_unknown, QString(QChar(C)));
    }
    // Clicks into the edit part of link Index and types Text over the selected text.
    void TypeInto(int Index, const std::string& Text) {
        Input.Click(Centre(Index));
        testsupport::PumpUntilIdle();
        Type(Text);
    }

    TdxBarEdit* Edit = nullptr;
    TdxBarCombo* Combo = nullptr;
};

TEST_F(EditControlTest, TheRegistryShowsEditAndComboItemsWithTheirControls) {
    EXPECT_EQ(Unit.ItemClasses().GetItemControlClass(&TdxBarEdit::ClassRef()),
              &TdxBarEditControl::ClassRef());
    EXPECT_EQ(Unit.ItemClasses().GetItemControlClass(&TdxBarCombo::ClassRef()),
              &TdxBarComboControl::ClassRef());
    EXPECT_TRUE(EditControl().IsWindowControl());
    // The window exists, hidden, until the control takes the focus.
    ASSERT_NE(EditControl().Window(), nullptr);
    EXPECT_FALSE(EditControl().Window()->Visible());
}

TEST_F(EditControlTest, TypingAndEnterStoreAWhole300CharacterText) {
    int Changes = 0;
    Edit->OnChange = [&](pc::TObject*) { ++Changes; };
    TypeInto(0, std::string(300, 'q'));
    EXPECT_TRUE(EditControl().Focused());
    EXPECT_TRUE(EditControl().Window()->Visible());
    EXPECT_EQ(Edit->Text(), "start");
    Input.Key(Qt::Key_Return);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->Text(), std::string(300, 'q'));
    EXPECT_EQ(Changes, 1);
    EXPECT_FALSE(EditControl().Focused());
    EXPECT_FALSE(EditControl().Window()->Visible());
    // The focus is back with the form.
    EXPECT_EQ(platform::win::GetFocus(), Form->Handle());
}

TEST_F(EditControlTest, EscapeLeavesTheTextUnchanged) {
    TypeInto(0, "typed");
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->Text(), "start");
    EXPECT_FALSE(EditControl().Focused());
}

TEST_F(EditControlTest, LeavingTheFieldByClickingTheNextStoresTheText) {
    TypeInto(0, "kept");
    Input.Click(Centre(1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->Text(), "kept");
    EXPECT_TRUE(ComboControl().Focused());
}

// The window's own focus ends the edit, wherever the focus goes: to no window, another form or
// another control of this one.
TEST_F(EditControlTest, TheFocusLeavingTheWindowEndsTheEditAndStoresTheText) {
    int Enters = 0;
    Edit->OnEnter = [&](pc::TObject*) { ++Enters; };
    TypeInto(0, "kept");
    EXPECT_EQ(Enters, 1);
    platform::win::SetFocus(platform::win::NullHWnd);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(EditControl().Focused());
    EXPECT_FALSE(EditControl().Window()->Visible());
    EXPECT_EQ(Edit->Text(), "kept");
    EXPECT_EQ(Enters, 1);
}

TEST_F(EditControlTest, TheItemsKeyEventsSeeTheKeysFirstAndMaySwallowThem) {
    std::string Seen;
    Edit->OnKeyPress = [&](pc::TObject*, char& Key) {
        Seen += Key;
        if (Key == 'x') Key = 0;
    };
    TypeInto(0, "axb");
    Input.Key(Qt::Key_Return);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Seen, "axb");
    EXPECT_EQ(Edit->Text(), "ab");
}

TEST_F(EditControlTest, UpAndDownStepThroughTheEntriesWithoutOpeningTheList) {
    Input.Click(Centre(1));
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(ComboControl().Focused());
    Input.Key(Qt::Key_Down);
    Input.Key(Qt::Key_Down);
    EXPECT_FALSE(ComboControl().DroppedDown());
    EXPECT_EQ(ComboControl().Window()->Text(), "gamma");
    Input.Key(Qt::Key_Down);
    EXPECT_EQ(ComboControl().Window()->Text(), "gamma");
    Input.Key(Qt::Key_Up);
    Input.Key(Qt::Key_Return);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Combo->Text(), "beta");
}

TEST_F(EditControlTest, F4OpensAndClosesTheListUnderTheEditPart) {
    int Drops = 0, CloseUps = 0;
    Combo->OnDropDown = [&](pc::TObject*) { ++Drops; };
    Combo->OnCloseUp = [&](pc::TObject*) { ++CloseUps; };
    Input.Click(Centre(1));
    testsupport::PumpUntilIdle();
    Input.Key(Qt::Key_F4);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(ComboControl().DroppedDown());
    TdxBarComboDropDown* List = ComboControl().DropDownWindow();
    ASSERT_NE(List, nullptr);
    EXPECT_TRUE(platform::win::IsWindowVisible(List->Handle()));
    // Placed under the edit part of the horizontal toolbar.
    const pg::TRect Item = Bar->ItemLinks().VisibleItems(1)->ItemRect;
    const pg::TPoint Below = BarWindow().ClientToScreen({Item.Left, Item.Bottom});
    EXPECT_EQ(List->Top(), 0);
    EXPECT_EQ(List->BoundsRect().Top, Below.Y);
    EXPECT_GE(List->BoundsRect().Left, Below.X);
    Input.Key(Qt::Key_F4);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(ComboControl().DroppedDown());
    EXPECT_FALSE(platform::win::IsWindowVisible(List->Handle()));
    EXPECT_EQ(Drops, 1);
    EXPECT_EQ(CloseUps, 1);
}

TEST_F(EditControlTest, PickingFromTheDropDownSetsTheText) {
    Input.Click(Centre(1));
    testsupport::PumpUntilIdle();
    // A press on the drop-down button opens the list.
    const pg::TRect Item = Bar->ItemLinks().VisibleItems(1)->ItemRect;
    const pg::TRect Button = ComboControl().ButtonPart(Item);
    Input.Click(BarWindow().ClientToScreen(
        {(Button.Left + Button.Right) / 2, (Button.Top + Button.Bottom) / 2}));
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(ComboControl().DroppedDown());
    TdxBarComboDropDown* List = ComboControl().DropDownWindow();
    testsupport::TempFolder Folder("edit_control");
    EXPECT_TRUE(testsupport::SaveWindowPng(Form->Handle(), Folder.PathOf("combo_form.png")));
    EXPECT_TRUE(testsupport::SaveWindowPng(List->Handle(), Folder.PathOf("combo_list.png")));
    // The current entry is lit.
    const pg::HDC DC = platform::win::GetDC(List->Handle());
    const pg::COLORREF Lit = pg::GetPixel(DC, List->ClientWidth() - 3, List->RowHeight() / 2);
    const pg::COLORREF Plain =
        pg::GetPixel(DC, List->ClientWidth() - 3, List->RowHeight() * 2 + List->RowHeight() / 2);
    platform::win::ReleaseDC(List->Handle(), DC);
    EXPECT_EQ(Lit, pg::ColorToRGB(pg::clHighlight));
    EXPECT_EQ(Plain, pg::ColorToRGB(pg::clWindow));
    const pg::TRect L = List->BoundsRect();
    Input.Click({L.Left + 10, L.Top + 1 + List->RowHeight() * 2 + List->RowHeight() / 2});
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(ComboControl().DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_EQ(Combo->Text(), "gamma");
}

} // namespace
} // namespace toolkit::bars
