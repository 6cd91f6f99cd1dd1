#include "toolkit/edit/cx_combo_box.h"
#include "toolkit/edit/cx_combo_box_view.h"
#include "toolkit/edit/tests/combo_box_fixture.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/editor_registrations.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/forms.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// ---- properties ----

TEST(ComboBoxPropertiesTest, DefaultsRowsAndEditingStyles) {
    TcxComboBoxProperties P(nullptr);
    EXPECT_EQ(P.DropDownRows(), 8);
    EXPECT_EQ(P.DropDownListStyle(), lsEditList);
    EXPECT_TRUE(P.ImmediateDropDown());
    EXPECT_TRUE(P.IncrementalSearch());
    EXPECT_TRUE(P.ValidateOnEnter());
    EXPECT_TRUE(P.DropDownAutoWidth());
    EXPECT_FALSE(P.DropDownSizeable());
    EXPECT_TRUE(P.UseLookupData());
    int Changes = 0;
    P.OnPropertiesChanged = [&](pc::TObject*) { ++Changes; };
    P.SetDropDownRows(0);
    P.SetDropDownRows(8);
    EXPECT_EQ(P.DropDownRows(), 8);
    EXPECT_EQ(Changes, 0);
    P.SetDropDownRows(3);
    EXPECT_EQ(P.DropDownRows(), 3);
    EXPECT_EQ(P.GetDropDownPageRowCount(), 3);
    EXPECT_EQ(Changes, 1);

    const std::pair<TcxEditDropDownListStyle, TcxTextEditingStyle> Styles[] = {
        {lsEditFixedList, tesEditList}, {lsEditList, tesEdit}, {lsFixedList, tesFixedList}};
    for (const auto& [List, Editing] : Styles) {
        P.SetDropDownListStyle(List);
        EXPECT_EQ(P.GetEditingStyle(), Editing);
        EXPECT_EQ(P.DropDownOnClick(), List == lsFixedList);
    }

    TcxComboBoxProperties Copy(nullptr);
    P.SetItemHeight(14);
    P.SetRevertable(true);
    Copy.Assign(&P);
    EXPECT_EQ(Copy.DropDownRows(), 3);
    EXPECT_EQ(Copy.ItemHeight(), 14);
    EXPECT_TRUE(Copy.Revertable());
    EXPECT_EQ(Copy.DropDownListStyle(), lsFixedList);
}

TEST(ComboBoxPropertiesTest, TheComboBoxIsRegistered) {
    InitializeComboBoxUnit();
    EXPECT_GE(GetRegisteredEditProperties().IndexOf(&TcxComboBoxProperties::ClassRef()), 0);
    FinalizeComboBoxUnit();
}

// ---- the editor ----

class ComboBoxTest : public ::testing::Test {
protected:
    ComboBoxTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Edit = &test::ShowFocusedComboBox(*Form, test::TenItems);
    }
    ~ComboBoxTest() override { test::FreeTestForm(Owner); }
    void AltDown() {
        Input.HoldKey(pw::VK_MENU);
        Input.TypeKey(pw::VK_DOWN);
        Input.ReleaseKey(pw::VK_MENU);
        testsupport::PumpUntilIdle();
    }
    TcxComboBoxListBox& List() { return *Edit->ComboLookupData().List(); }
    // The centre of a row of the open list, on the screen.
    pg::TPoint RowCentre(int Index) {
        const pg::TRect R = List().ItemRect(Index);
        return List().ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    TcxComboBox* Edit = nullptr;
    testsupport::InputDriver Input;
};

TEST_F(ComboBoxTest, AnEmptyComboBoxDoesNotOpen) {
    Edit->Properties().Items().Clear();
    Edit->Properties().LookupItemsChanged();
    AltDown();
    EXPECT_FALSE(Edit->DroppedDown());
    Input.TypeKey(pw::VK_F4);
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(ComboBoxTest, AltDownOpensArrowsMoveAndEnterPicks) {
    AltDown();
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_TRUE(List().IsVisible());
    EXPECT_EQ(List().Parent(), Edit->PopupWindow());
    Input.TypeKey(pw::VK_DOWN);
    Input.TypeKey(pw::VK_DOWN);
    Input.TypeKey(pw::VK_DOWN);
    Input.TypeKey(pw::VK_UP);
    // The list highlights; the text waits for Enter.
    EXPECT_EQ(List().ItemIndex(), 1);
    Input.TypeKey(pw::VK_RETURN, "\r");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->CloseReason(), CloseReasonAccept);
    EXPECT_EQ(Edit->Text(), "Bravo");
    EXPECT_EQ(Edit->ItemIndex(), 1);

    // Esc leaves the picked item.
    AltDown();
    Input.TypeKey(pw::VK_DOWN);
    Input.TypeKey(pw::VK_ESCAPE, "\x1B");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "Bravo");
}

TEST_F(ComboBoxTest, ClickingARowPicksItAndCloses) {
    AltDown();
    ASSERT_TRUE(Edit->DroppedDown());
    Input.Click(RowCentre(3));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->CloseReason(), CloseReasonAccept);
    EXPECT_EQ(Edit->Text(), "Delta");
}

TEST_F(ComboBoxTest, APressOnTheEditorDraggedIntoTheListSelectsThere) {
    const pg::TPoint Start = Edit->ClientToScreen({Edit->Width() - 6, 10});
    Input.Press(Start);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Edit->DroppedDown());
    Input.MoveTo(RowCentre(2));
    Input.Release(RowCentre(2));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "Charlie");
}

TEST_F(ComboBoxTest, TypingOpensAndCompletes) {
    Input.TypeKey('D', "d");
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "Delta");
    EXPECT_EQ(Edit->SelStart(), 1);
    EXPECT_EQ(Edit->SelLength(), 4);
    EXPECT_EQ(List().ItemIndex(), 3);
    Input.TypeKey(pw::VK_RETURN, "\r");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "Delta");
    EXPECT_EQ(Edit->ItemIndex(), 3);
}

// Backspace that makes the text an item's names that item; one more makes it a text the item
// begins with, which still names it, and typing on makes a text no item begins with.
TEST_F(ComboBoxTest, BackspaceLooksTheShortenedTextUpAgain) {
    Edit->SetText("Deltas");
    ASSERT_EQ(Edit->ItemIndex(), -1);
    Input.TypeKey(pw::VK_END);
    Input.TypeKey(pw::VK_BACK, "\b");
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->Text(), "Delta");
    EXPECT_EQ(Edit->ItemIndex(), 3);
    EXPECT_EQ(Edit->EditValue().AsString(), "Delta");
    Input.TypeKey(pw::VK_BACK, "\b");
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->Text(), "Delt");
    EXPECT_EQ(Edit->ItemIndex(), 3);
}

// A paste opens the list, which then highlights the pasted item, if there is one; the pasted text
// stays whatever the list held before.
TEST_F(ComboBoxTest, APasteOpensTheListAndKeepsThePastedText) {
    struct Case {
        const char* Pasted;
        int Highlighted;
    };
    const Case Cases[] = {{"Delta", 3}, {"delta", 3}, {"Zulu", -1}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Pasted);
        Edit->SetItemIndex(1);
        testsupport::PumpUntilIdle();
        ASSERT_EQ(Edit->Text(), "Bravo");
        Edit->SelectAll();
        pf::Clipboard().SetAsText(C.Pasted);
        Input.HoldKey(pw::VK_CONTROL);
        Input.TypeKey('V', QString(QChar(0x16)));
        Input.ReleaseKey(pw::VK_CONTROL);
        testsupport::PumpUntilIdle();
        EXPECT_TRUE(Edit->DroppedDown());
        EXPECT_EQ(Edit->Text(), C.Pasted);
        if (C.Highlighted >= 0) {
            EXPECT_EQ(List().ItemIndex(), C.Highlighted);
        }
        Input.TypeKey(pw::VK_ESCAPE, "\x1B");
        testsupport::PumpUntilIdle();
        ASSERT_FALSE(Edit->DroppedDown());
    }
}

// Items searched as in a combo box, in a popup that takes the keyboard (when Captures is set).
class TCapturingListProperties : public TcxComboBoxProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef() {
        static const TcxCustomEditPropertiesClass Class(
            "TCapturingListProperties", &TcxComboBoxProperties::ClassRef(),
            pc::ConstructorOf<TCapturingListProperties, toolkit::base::TcxInterfacedPersistent,
                              pc::TPersistent*>());
        return Class;
    }
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    using TcxComboBoxProperties::TcxComboBoxProperties;
    bool PopupWindowCapturesFocus() const override { return Captures; }
    bool Captures = false;
};

// Such a popup opens its list on the item that the text typed so far (before the caret)
// begins, whatever the list showed before.
TEST_F(ComboBoxTest, APopupTakingTheKeyboardOpensOnTheTypedItem) {
    auto& Capturing = Form->Own<TcxCustomComboBox>(false, &TCapturingListProperties::ClassRef());
    Capturing.SetParent(Form);
    Capturing.SetBoundsRect({10, 40, 160, 61});
    for (const char* N : test::TenItems)
        Capturing.Properties().Items().Add(N);
    Capturing.Properties().LookupItemsChanged();
    Capturing.SetFocus();
    testsupport::PumpUntilIdle();
    Input.TypeKey('G', "g");
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Capturing.DroppedDown());
    ASSERT_EQ(Capturing.Text(), "Golf");
    ASSERT_EQ(Capturing.SelStart(), 1);
    ASSERT_TRUE(Capturing.LookupCompletionActive());
    Capturing.SetDroppedDown(false);
    Capturing.ComboLookupData().SetActiveIndex(0);
    static_cast<TCapturingListProperties&>(Capturing.Properties()).Captures = true;
    Capturing.SetDroppedDown(true);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Capturing.DroppedDown());
    EXPECT_EQ(Capturing.ComboLookupData().ActiveIndex(), 6);
    EXPECT_EQ(Capturing.ComboLookupData().List()->ItemIndex(), 6);
}

// A mask refuses what it does not match only where the text is typed freely; a fixed list's
// typing searches its items whatever the mask says.
TEST_F(ComboBoxTest, TheMaskAppliesOnlyToAnEditList) {
    struct Case {
        TcxEditDropDownListStyle Style;
        bool Masked;
        const char* Text;
    };
    const Case Cases[] = {
        {lsEditList, true, ""}, {lsEditFixedList, false, "Delta"}, {lsFixedList, false, "Delta"}};
    for (const Case& C : Cases) {
        Edit->SetEditValue(Variant::String(""));
        Edit->Properties().SetDropDownListStyle(C.Style);
        Edit->Properties().SetMaskKind(emkRegExpr);
        Edit->Properties().SetEditMask("\\d*");
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Edit->IsMaskInForce(), C.Masked) << C.Style;
        Input.TypeKey('D', "d");
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Edit->Text(), C.Text) << C.Style;
        Edit->SetDroppedDown(false);
        testsupport::PumpUntilIdle();
    }
}

TEST_F(ComboBoxTest, ThreeRowsOfTenShowAScrollBar) {
    Edit->Properties().SetDropDownRows(3);
    AltDown();
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(List().Height(), 3 * 16);
    pg::TSize Size;
    Edit->ComboLookupData().GetPopupSize(0, 0, Size);
    int Widest = 0;
    for (int I = 0; I < 10; ++I)
        Widest = std::max(Widest, List().GetItemWidth(I));
    EXPECT_EQ(Size.cy, 48);
    EXPECT_EQ(Size.cx, Widest + 4 + pg::GetSystemMetrics(pg::SM_CXVSCROLL));
    // A width limit below the text's width adds the horizontal bar.
    Edit->ComboLookupData().GetPopupSize(0, 10, Size);
    EXPECT_EQ(Size.cy, 48 + pg::GetSystemMetrics(pg::SM_CYHSCROLL));
    // All rows fit: no vertical bar.
    Edit->Properties().SetDropDownRows(12);
    Edit->ComboLookupData().GetPopupSize(0, 0, Size);
    EXPECT_EQ(Size.cy, 160);
    EXPECT_EQ(Size.cx, Widest + 4);
}

TEST_F(ComboBoxTest, ResizingSnapsToWholeRows) {
    Edit->Properties().SetDropDownRows(4);
    AltDown();
    ASSERT_TRUE(Edit->DroppedDown());
    ASSERT_EQ(List().Height(), 64);
    const int Width = List().Width();
    struct Case {
        int Requested, Expected;
    };
    // Growing keeps the last whole row below; shrinking the first whole row above.
    const Case Cases[] = {{64, 64}, {80, 80}, {90, 80}, {95, 80}, {50, 64}, {33, 48}, {20, 32}};
    for (const Case& C : Cases) {
        pg::TSize Size{Width + 1, C.Requested};
        Edit->ComboLookupData().AdjustPopupSize(Size, 0, 0);
        EXPECT_EQ(Size.cy, C.Expected) << C.Requested;
    }
    // Past the last row: all rows.
    pg::TSize Size{Width + 1, 500};
    Edit->ComboLookupData().AdjustPopupSize(Size, 0, 0);
    EXPECT_EQ(Size.cy, 160);
    // A height limit takes the boundary below it.
    Size = {Width + 1, 500};
    Edit->ComboLookupData().AdjustPopupSize(Size, 100, 0);
    EXPECT_EQ(Size.cy, 96);
}

TEST_F(ComboBoxTest, TheGripSizesTheListInWholeRows) {
    Edit->Properties().SetDropDownRows(4);
    Edit->Properties().SetDropDownSizeable(true);
    AltDown();
    ASSERT_TRUE(Edit->DroppedDown());
    TcxCustomEditPopupWindow& W = *Edit->PopupWindow();
    const int Before = W.Height();
    const pg::TRect Grip = W.EditViewInfo().GripRect;
    const pg::TPoint From =
        W.ClientToScreen({(Grip.Left + Grip.Right) / 2, (Grip.Top + Grip.Bottom) / 2});
    Input.Drag(From, {From.X, From.Y + 41});
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Edit->DroppedDown());
    // 41 pixels more: two rows of 16 (the third is not reached).
    EXPECT_EQ(W.Height(), Before + 32);
    EXPECT_EQ(List().Height(), 96);
}

TEST_F(ComboBoxTest, MeasureItemMakesRowsVariable) {
    std::vector<int> Asked;
    Edit->Properties().OnMeasureItem = [&](TcxCustomComboBox* Control, int Index, int& Height) {
        EXPECT_EQ(Control, Edit);
        EXPECT_EQ(Height, 16);
        Asked.push_back(Index);
        Height = 10 + 2 * Index;
    };
    Edit->Properties().SetDropDownRows(3);
    AltDown();
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(List().Style, pf::lbOwnerDrawVariable);
    EXPECT_EQ(List().GetItemsHeight(3), 10 + 12 + 14);
    EXPECT_EQ(List().GetItemsHeight(0), 0);
    EXPECT_EQ(List().Height(), 36);
    EXPECT_EQ(List().ItemRect(2).Height(), 14);
    EXPECT_FALSE(Asked.empty());

    Input.TypeKey(pw::VK_ESCAPE, "\x1B");
    Edit->Properties().OnMeasureItem = nullptr;
    AltDown();
    EXPECT_EQ(List().Style, pf::lbOwnerDrawFixed);
    EXPECT_EQ(List().Height(), 48);
}

TEST_F(ComboBoxTest, RevertableDoubleClickWrapsFromLastToFirst) {
    Edit->Properties().SetRevertable(true);
    Edit->Properties().SetDropDownListStyle(lsEditFixedList);
    Edit->SetItemIndex(9);
    ASSERT_EQ(Edit->Text(), "Juliet");
    const pg::TPoint P = Edit->ClientToScreen({20, 10});
    Input.Click(P);
    Input.Click(P);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->Text(), "Alpha");
}

TEST_F(ComboBoxTest, AClickInTheTextOpensOnlyAFixedList) {
    const std::pair<TcxEditDropDownListStyle, bool> Cases[] = {
        {lsEditList, false}, {lsEditFixedList, false}, {lsFixedList, true}};
    for (const auto& [Style, Opens] : Cases) {
        Edit->Properties().SetDropDownListStyle(Style);
        testsupport::PumpUntilIdle();
        Input.Click(Edit->ClientToScreen({20, 10}));
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Edit->DroppedDown(), Opens) << Style;
        Edit->SetDroppedDown(false);
        testsupport::PumpUntilIdle();
    }
}

TEST_F(ComboBoxTest, TheWheelMovesTheItemOfAClosedComboAndScrollsAnOpenList) {
    Edit->SetItemIndex(2);
    const pg::TPoint Over = Edit->ClientToScreen({20, 10});
    Input.Wheel(Over, -120);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 3);
    Input.Wheel(Over, 120);
    Input.Wheel(Over, 120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Edit->ItemIndex(), 1);

    Edit->Properties().SetDropDownRows(3);
    AltDown();
    ASSERT_TRUE(Edit->DroppedDown());
    const int Top = List().TopIndex();
    Input.Wheel(Over, -120);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_GT(List().TopIndex(), Top);
    EXPECT_EQ(Edit->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, AFixedListWithADrawHandlerDrawsItsItemInTheTextArea) {
    struct Drawn {
        TcxCustomComboBox* Control;
        int Index;
        pg::TRect Rect;
        pf::TOwnerDrawState State;
    };
    std::vector<Drawn> Calls;
    Edit->Properties().OnDrawItem = [&](TcxCustomComboBox* Control, toolkit::base::TcxCanvas&,
                                        int Index, const pg::TRect& Rect,
                                        pf::TOwnerDrawState State) {
        Calls.push_back({Control, Index, Rect, State});
    };
    Edit->SetItemIndex(4);
    // Only a fixed list draws its text area as an item.
    const std::pair<TcxEditDropDownListStyle, int> Cases[] = {
        {lsEditList, -1}, {lsEditFixedList, -1}, {lsFixedList, 4}};
    for (const auto& [Style, Index] : Cases) {
        Edit->Properties().SetDropDownListStyle(Style);
        Edit->ShortRefreshContainer(false);
        EXPECT_EQ(static_cast<TcxCustomComboBoxViewInfo&>(Edit->EditViewInfo()).ItemIndex, Index)
            << Style;
    }
    Calls.clear();
    Edit->Repaint();
    testsupport::PumpUntilIdle();
    ASSERT_FALSE(Calls.empty());
    EXPECT_EQ(Calls.back().Control, Edit);
    EXPECT_EQ(Calls.back().Index, 4);
    EXPECT_EQ(Calls.back().Rect, Edit->TextViewInfo().TextRect);
    EXPECT_EQ(Calls.back().State, odComboBoxEdit | pf::odSelected | pf::odFocused);

    // A display-only cell finds the item by its text.
    TcxComboBoxProperties& P = Edit->Properties();
    auto Data = P.CreateViewData(static_cast<TcxCustomEditStyle&>(Edit->Style()), true);
    TcxCustomComboBoxViewInfo Cell;
    static_cast<TcxCustomTextEditViewData&>(*Data).DisplayValueToDrawValue(Variant::String("Golf"),
                                                                           Cell);
    EXPECT_EQ(Cell.ItemIndex, 6);
}

// The handler paints each item in its own colour; the picture of the editor tells which item
// its text area shows, and that no inner edit covers it.
TEST_F(ComboBoxTest, AFixedListWithADrawHandlerShowsTheDrawnItemAndKeepsItsKeys) {
    const auto ColorOf = [](int Index) { return pg::RGB(40 * (Index % 6), 200, 255 - 20 * Index); };
    Edit->Properties().OnDrawItem = [&](TcxCustomComboBox*, toolkit::base::TcxCanvas& Canvas,
                                        int Index, const pg::TRect& Rect, pf::TOwnerDrawState) {
        Canvas.FillRect(Rect, ColorOf(Index));
    };
    const auto Shape = [&] {
        pg::GdiHandle Region(pg::CreateRectRgn(0, 0, 0, 0));
        return pw::GetWindowRgn(Edit->InnerTextEdit().Handle(),
                                static_cast<pg::HRGN>(Region.Get()));
    };
    // Editable styles show their inner edit whole.
    EXPECT_EQ(Shape(), pg::RGN_ERROR);
    Edit->Properties().SetDropDownListStyle(lsFixedList);
    Edit->SetItemIndex(2);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Shape(), pg::NULLREGION);
    EXPECT_TRUE(Edit->InnerTextEdit().Focused());

    testsupport::TempFolder Folder("quintaron-combo-box-");
    const auto ShownItem = [&] {
        testsupport::PumpUntilIdle();
        std::string Png = Folder.PathOf("combo-box-item.png");
        if (const char* Keep = std::getenv("QUINTARON_KEEP_PNG")) Png = Keep;
        EXPECT_TRUE(testsupport::SaveWindowPng(Edit->Handle(), Png));
        const QImage Image(QString::fromStdString(Png));
        const pg::TRect R = Edit->TextViewInfo().TextRect;
        const QRgb Pixel = Image.pixel((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        for (int I = 0; I < 10; ++I)
            if (pg::RGB(qRed(Pixel), qGreen(Pixel), qBlue(Pixel)) == ColorOf(I)) return I;
        return -1;
    };
    EXPECT_EQ(ShownItem(), 2);
    // The arrows move the item.
    Input.TypeKey(pw::VK_DOWN);
    EXPECT_EQ(Edit->ItemIndex(), 3);
    EXPECT_EQ(ShownItem(), 3);
    // F4 and Alt+Down open the list.
    Input.TypeKey(pw::VK_F4);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Edit->DroppedDown());
    Input.TypeKey(pw::VK_F4);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Edit->DroppedDown());
    AltDown();
    EXPECT_TRUE(Edit->DroppedDown());
    Input.TypeKey(pw::VK_ESCAPE, "\x1B");
    EXPECT_FALSE(Edit->DroppedDown());
    // Typing searches.
    Input.TypeKey('G', "g");
    testsupport::PumpUntilIdle();
    EXPECT_EQ(List().ItemIndex(), 6);
    Input.TypeKey(pw::VK_RETURN, "\r");
    EXPECT_EQ(Edit->ItemIndex(), 6);
    EXPECT_EQ(ShownItem(), 6);
    EXPECT_TRUE(Edit->InnerTextEdit().Focused());
    // A click on the drawn item opens the list.
    const pg::TRect R = Edit->TextViewInfo().TextRect;
    Input.Click(Edit->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Edit->DroppedDown());
    Input.TypeKey(pw::VK_ESCAPE, "\x1B");
    EXPECT_FALSE(Edit->DroppedDown());

    // Without the handler the inner edit shows again.
    Edit->Properties().OnDrawItem = nullptr;
    Edit->ShortRefreshContainer(false);
    EXPECT_EQ(Shape(), pg::RGN_ERROR);
}

TEST_F(ComboBoxTest, PictureOfAnOpenList) {
    Edit->Properties().SetDropDownRows(5);
    Edit->SetItemIndex(2);
    AltDown();
    ASSERT_TRUE(Edit->DroppedDown());
    Input.TypeKey(pw::VK_DOWN);
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Folder("quintaron-combo-box-");
    std::string Png = Folder.PathOf("combo-box.png");
    if (const char* Keep = std::getenv("QUINTARON_KEEP_PNG")) Png = Keep;
    ASSERT_TRUE(testsupport::SaveWindowPng(Edit->PopupWindow()->Handle(), Png));
    const QImage Image(QString::fromStdString(Png));
    ASSERT_FALSE(Image.isNull());
    EXPECT_EQ(Image.height(), Edit->PopupWindow()->Height());
}

} // namespace
} // namespace toolkit::edit
