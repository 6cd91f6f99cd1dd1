#include "toolkit/edit/cx_edit_list_box.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/window.h"
#include "testsupport/qt_test_environment.h"
#include "testsupport/win/input_driver.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

[[maybe_unused]] const auto* QtEnvironment =
    testsupport::AddQtTestEnvironment<QApplication>("toolkit_edit_tests");

// Records what the list draws and the scroll requests it sends itself.
class TRecordingListBox : public TcxCustomEditListBox {
public:
    using TcxCustomEditListBox::NeedsFocusRect;
    using TcxCustomEditListBox::TcxCustomEditListBox;

    struct Row {
        int Index;
        pf::TOwnerDrawState State;
        pg::TColor Brush;
        pg::TColor Font;
    };
    std::vector<Row> Rows;
    std::vector<pw::WPARAM> VScrolls;

    void Dispatch(pc::TMessage& Message) override {
        if (Message.Msg == pw::WM_VSCROLL) VScrolls.push_back(Message.WParam);
        TcxCustomEditListBox::Dispatch(Message);
    }

protected:
    bool DoDrawItem(int Index, const pg::TRect&, pf::TOwnerDrawState State) override {
        Rows.push_back({Index, State, Canvas().Brush().Color(), Canvas().Font().Color()});
        return false;
    }
};

class EditListBoxTest : public ::testing::Test {
protected:
    EditListBoxTest() : Root(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &Root->Own<pf::TForm>();
        Form->SetBounds(0, 0, 240, 240);
        Other = &Form->Own<pf::TListBox>();
        Other->SetParent(Form);
        Other->SetBounds(150, 10, 60, 60);
        List = &Form->Own<TRecordingListBox>();
        List->SetParent(Form);
        List->SetBounds(10, 10, 120, 200);
        List->OnGetItemText = [](int Index) { return "item " + std::to_string(Index); };
        List->OnItemIndexChanged = [this](pc::TObject* Sender) {
            EXPECT_EQ(Sender, List);
            Changes.push_back(List->ItemIndex());
        };
        List->SetItemCount(5);
        Form->Show();
        testsupport::PumpUntilIdle();
    }
    ~EditListBoxTest() override {
        Root.reset();
        testsupport::PumpUntilIdle();
    }

    pg::TPoint RowPoint(int Index) {
        const auto R = List->ItemRect(Index);
        return List->ClientToScreen({R.Left + 20, (R.Top + R.Bottom) / 2});
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    testsupport::InputDriver Input;
    std::unique_ptr<pc::TComponent> Root;
    pf::TForm* Form = nullptr;
    pf::TListBox* Other = nullptr;
    TRecordingListBox* List = nullptr;
    std::vector<int> Changes;
};

TEST_F(EditListBoxTest, TheItemUnderTheMouseBecomesCurrentButNotBelowTheLast) {
    struct Step {
        int Row; // -1: below the last row
        int ItemIndex;
        std::vector<int> Changes;
    } Steps[] = {
        {2, 2, {2}}, {2, 2, {}}, {0, 0, {0}}, {-1, 0, {}}, {4, 4, {4}},
    };
    for (const auto& S : Steps) {
        Changes.clear();
        const pg::TPoint P = S.Row >= 0 ? RowPoint(S.Row)
                                        : List->ClientToScreen({20, List->ItemRect(4).Bottom + 20});
        Input.MoveTo(P);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(List->ItemIndex(), S.ItemIndex) << S.Row;
        EXPECT_EQ(Changes, S.Changes) << S.Row;
    }
}

TEST_F(EditListBoxTest, WithoutHotTrackTheMouseSelectsOnlyByClicking) {
    List->HotTrack = false;
    Input.MoveTo(RowPoint(3));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_TRUE(Changes.empty());
    Input.Click(RowPoint(3));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(List->ItemIndex(), 3);
    ASSERT_FALSE(Changes.empty());
    EXPECT_EQ(Changes.back(), 3);
}

TEST_F(EditListBoxTest, SettingTheItemIndexTellsTheLookupData) {
    List->SetItemIndex(1);
    List->SetItemIndex(3);
    EXPECT_EQ(Changes, (std::vector<int>{1, 3}));
}

TEST_F(EditListBoxTest, TheItemCountDeletesFromTheEndOrAppendsEmptyPlaceholders) {
    struct Case {
        int From, To;
    } Cases[] = {{10, 3}, {3, 10}, {4, 4}, {2, 0}};
    for (const auto& C : Cases) {
        List->SetItemCount(C.From);
        for (int I = 0; I < C.From; ++I)
            List->Items().SetStrings(I, "kept " + std::to_string(I));
        List->SetItemCount(C.To);
        ASSERT_EQ(List->Items().Count(), C.To) << C.From << " to " << C.To;
        for (int I = 0; I < C.To; ++I)
            EXPECT_EQ(List->Items()[I], I < C.From ? "kept " + std::to_string(I) : "")
                << C.From << " to " << C.To << " at " << I;
        EXPECT_EQ(List->Perform(pw::LB_GETCOUNT, 0, 0), C.To);
    }
}

TEST_F(EditListBoxTest, AWheelNotchScrollsByTheWheelScrollLines) {
    struct Case {
        int Delta;
        pw::WPARAM Code;
    } Cases[] = {{-120, pw::SB_LINEDOWN}, {120, pw::SB_LINEUP}, {0, pw::SB_LINEDOWN}};
    List->SetItemCount(40);
    for (const auto& C : Cases) {
        List->VScrolls.clear();
        List->Perform(pw::WM_MOUSEWHEEL, pw::MAKEWPARAM(0, C.Delta), 0);
        EXPECT_EQ(List->VScrolls, std::vector<pw::WPARAM>(3, C.Code)) << C.Delta;
    }
    // Through the window: a notch down from the top shows the fourth row first.
    List->SetTopIndex(0);
    List->SetFocus();
    testsupport::PumpUntilIdle();
    Input.Wheel(RowPoint(1), -120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(List->TopIndex(), 3);
}

TEST_F(EditListBoxTest, RowsShowTheLookupTextOnTheirStateColours) {
    List->SetItemIndex(2);
    List->Rows.clear();
    List->Invalidate();
    List->Update();
    ASSERT_EQ(List->Rows.size(), 5u);
    for (const auto& R : List->Rows) {
        const bool Selected = R.Index == 2;
        EXPECT_EQ((R.State & pf::odSelected) != 0, Selected) << R.Index;
        EXPECT_EQ(R.Brush, Selected ? pg::clHighlight : List->Color()) << R.Index;
        if (Selected) {
            EXPECT_EQ(R.Font, pg::clHighlightText);
        }
    }
    EXPECT_EQ(List->GetItemWidth(3), pf::MeasureText(List->Font(), "item 3").cx);
    EXPECT_EQ(List->GetItemHeight(), pf::MeasureText(List->Font(), "Wg").cy);
    EXPECT_EQ(List->GetHeight(4), 4 * List->GetItemHeight());
}

TEST_F(EditListBoxTest, AFixedListOrNoEditingDrawsTheFocusRectangle) {
    EXPECT_FALSE(List->NeedsFocusRect());
    const bool Expected[] = {false, false, true, true};
    for (int Style = 0; Style < 4; ++Style) {
        List->OnGetEditingStyle = [Style] { return Style; };
        EXPECT_EQ(List->NeedsFocusRect(), Expected[Style]) << Style;
    }
}

TEST_F(EditListBoxTest, ShownTheListDrawsItsSelectionFocusedWhileTheFocusStaysElsewhere) {
    List->SetVisible(false);
    testsupport::PumpUntilIdle();
    Other->SetFocus();
    List->SetItemIndex(1);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(List->IsVisible());
    List->Rows.clear();
    List->SetVisible(true);
    List->Update();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(List->IsVisible());
    EXPECT_EQ(pw::GetFocus(), Other->Handle());
    bool SawFocusedRow = false;
    for (const auto& R : List->Rows)
        if (R.Index == 1) SawFocusedRow = (R.State & pf::odFocused) != 0;
    EXPECT_TRUE(SawFocusedRow);
}

} // namespace
} // namespace toolkit::edit
