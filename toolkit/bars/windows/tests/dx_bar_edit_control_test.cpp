#include "toolkit/bars/windows/dx_bar_edit_control.h"

#include "toolkit/bars/windows/tests/dx_bar_edit_form_fixture.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/win/hooks.h"
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
namespace pw = platform::win;

class EditControlTest : public EditFormFixture {
protected:
    EditControlTest() { Show(); }
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
    EXPECT_TRUE(Combo->GetDroppedDown());
    EXPECT_TRUE(ListShown());
    // Placed under the edit part of the horizontal toolbar.
    const pg::TRect Item = ScreenRect(1);
    EXPECT_EQ(List().TopIndex(), 0);
    EXPECT_EQ(List().BoundsRect().Top, Item.Bottom);
    EXPECT_EQ(List().BoundsRect().Left, Item.Left);
    Input.Key(Qt::Key_F4);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(ComboControl().DroppedDown());
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(Drops, 1);
    EXPECT_EQ(CloseUps, 1);
}

// The same form, shown by each test once it has set the items up.
class EditItemsTest : public EditFormFixture {
protected:
    // The first and last white pixel across the middle of Item in the bar window.
    std::pair<int, int> WhiteRun(const pg::TRect& Item) {
        const int Y = (Item.Top + Item.Bottom) / 2;
        int First = -1, Last = -1;
        for (int X = Item.Left; X < Item.Right; ++X)
            if (ClientPixel(BarWindow(), X, Y) == pg::ColorToRGB(pg::clWindow)) {
                if (First < 0) First = X;
                Last = X;
            }
        return {First, Last};
    }
};

// Laid out and painted alike: the caption takes its room beside the edit part, which keeps the
// item's Width (inside the part's two-pixel frame the edit is white), in a toolbar and in a menu.
TEST_F(EditItemsTest, WithItsCaptionShownTheEditPartKeepsTheItemsWidth) {
    Edit->SetText("");
    Edit->SetShowCaption(true);
    Show();
    const pg::TRect Item = Bar->ItemLinks().VisibleItems(0)->ItemRect;
    const int CaptionArea = EditControl().CaptionAreaWidth();
    EXPECT_EQ(CaptionArea, TextWidth("Name") + 6);
    EXPECT_EQ(Item.Width(), CaptionArea + Edit->Width());
    const auto [First, Last] = WhiteRun(Item);
    EXPECT_EQ(First, Item.Right - Edit->Width() + 2);
    EXPECT_EQ(Last, Item.Right - 3);
    // The editor window opens over the same part.
    Input.Click(Centre(0));
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(EditControl().Focused());
    EXPECT_EQ(EditControl().Window()->BoundsRect().Left, First);
    EXPECT_EQ(EditControl().Window()->BoundsRect().Right, Last + 1);
}

// Showing the caption lays the bar out again at once: the combo after the edit moves right by
// the caption's room, and back when it hides.
TEST_F(EditItemsTest, ShowingTheCaptionLaysTheBarOutAgain) {
    Show();
    const int Before = Bar->ItemLinks().VisibleItems(1)->ItemRect.Left;
    Edit->SetShowCaption(true);
    const int Moved = Bar->ItemLinks().VisibleItems(1)->ItemRect.Left;
    EXPECT_EQ(Moved, Before + EditControl().CaptionAreaWidth());
    Edit->SetShowCaption(false);
    EXPECT_EQ(Bar->ItemLinks().VisibleItems(1)->ItemRect.Left, Before);
}

// Alt with the caption's accelerator opens the edit only while the toolbar shows the caption.
TEST_F(EditItemsTest, TheAcceleratorReachesTheEditOnlyWhileItsCaptionShows) {
    Edit->SetCaption("&Name");
    Show();
    for (bool Shown : {false, true}) {
        Edit->SetShowCaption(Shown);
        testsupport::PumpUntilIdle();
        Input.HoldKey(platform::win::VK_MENU);
        Input.TypeKey('N', "n");
        Input.ReleaseKey(platform::win::VK_MENU);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(EditControl().Focused(), Shown) << "caption shown: " << Shown;
        CloseMenus();
    }
}

// Docked at the side with its captions turned, the toolbar clicks the edit as a button: its
// OnClick runs; laid along the top it does not.
TEST_F(EditItemsTest, InAVerticalToolbarTheEditClicksAsAButton) {
    int Clicks = 0;
    Edit->OnClick = [&](pc::TObject*) { ++Clicks; };
    Show();
    Input.Click(Centre(0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Clicks, 0);
    CloseMenus();
    Bar->SetDockingStyle(dsLeft);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(BarWindow().ItemPaintType(), ptVert);
    Input.Click(Centre(0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Clicks, 1);
}

// A right press in the editor reaches the bar window, at the same place in its client area.
TEST_F(EditItemsTest, ARightPressInTheEditorGoesToTheBarWindow) {
    Show();
    TypeInto(0, "typed");
    ASSERT_TRUE(EditControl().Focused());
    std::vector<pg::TPoint> Seen;
    const pw::HWND BarHandle = BarWindow().Handle();
    pw::HHOOK Hook{};
    Hook = pw::SetWindowsHookEx(pw::WH_CALLWNDPROC, [&](int Code, pw::WPARAM W, pw::LPARAM L) {
        const auto& Info = *reinterpret_cast<const pw::CWPSTRUCT*>(L);
        if (Code >= 0 && Info.hwnd == BarHandle && Info.message == pw::WM_RBUTTONDOWN)
            Seen.push_back(pw::LParamToPoint(Info.lParam));
        return pw::CallNextHookEx(Hook, Code, W, L);
    });
    const pg::TPoint At = Centre(0);
    Input.Press(At, Qt::RightButton);
    Input.Release(At, Qt::RightButton);
    testsupport::PumpUntilIdle();
    pw::UnhookWindowsHookEx(Hook);
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(Seen[0], BarWindow().ScreenToClient(At));
    EXPECT_EQ(EditControl().Window()->Text(), "typed");
}

// Up and Down move within the entries: from a text that is none of them Up keeps showing the
// item's text, and past either end the entry shown stays.
TEST_F(EditItemsTest, UpAndDownStopAtTheEndsAndShowTheTextOutsideTheEntries) {
    Combo->SetText("custom");
    Show();
    ASSERT_EQ(Combo->ItemIndex(), -1);
    Input.Click(Centre(1));
    testsupport::PumpUntilIdle();
    const std::vector<std::pair<int, std::string>> Steps = {
        {Qt::Key_Up, "custom"}, {Qt::Key_Down, "alpha"}, {Qt::Key_Up, "alpha"},
        {Qt::Key_Down, "beta"}, {Qt::Key_Down, "gamma"}, {Qt::Key_Down, "gamma"}};
    for (const auto& [Key, Shown] : Steps) {
        Input.Key(Key);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(ComboControl().Window()->Text(), Shown);
    }
    EXPECT_FALSE(ComboControl().DroppedDown());
}

// The wheel over a closed combo steps through the entries as Up and Down do; over an open one
// it scrolls the list a line.
TEST_F(EditItemsTest, TheWheelStepsAClosedComboAndScrollsAnOpenList) {
    SetEntries({"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9", "b0", "b1"});
    Combo->SetItemIndex(0);
    Show();
    Input.Click(Centre(1));
    testsupport::PumpUntilIdle();
    Input.Wheel(Centre(1), -120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ComboControl().Window()->Text(), "a1");
    Input.Wheel(Centre(1), 120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ComboControl().Window()->Text(), "a0");
    EXPECT_FALSE(ComboControl().DroppedDown());
    Input.Key(Qt::Key_F4);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(ListShown());
    Input.Wheel(Centre(1), -120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(List().TopIndex(), 1);
    EXPECT_EQ(ComboControl().Window()->Text(), "a0");
}

// A caller opens the editor of the first link in a shown bar, reads what is being typed and
// whether the list is down, before anything is stored.
TEST_F(EditItemsTest, ACallerOpensTheEditorAndReadsTheTextBeingTyped) {
    Show();
    EXPECT_EQ(Combo->GetEditingLink(), nullptr);
    EXPECT_EQ(Combo->GetCurText(), "alpha");
    Combo->ActivateEditor(true);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(ComboControl().Focused());
    EXPECT_EQ(Combo->GetEditingLink(), Bar->ItemLinks().VisibleItems(1));
    Type("zz");
    EXPECT_EQ(Combo->GetCurText(), "zz");
    EXPECT_EQ(Combo->Text(), "alpha");
    EXPECT_FALSE(Combo->GetDroppedDown());
    Input.Key(Qt::Key_F4);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Combo->GetDroppedDown());
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Combo->GetEditingLink(), nullptr);
    EXPECT_EQ(Combo->Text(), "alpha");
}

} // namespace
} // namespace toolkit::bars
