#include "toolkit/edit/cx_inner_list_box.h"

#include "platform/core/clock.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"
#include "testsupport/qt_test_environment.h"
#include "testsupport/win/input_driver.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

[[maybe_unused]] const auto* QtEnvironment =
    testsupport::AddQtTestEnvironment<QApplication>("toolkit_edit_tests");

class InnerListBoxTest : public ::testing::Test {
protected:
    InnerListBoxTest() : Root(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &Root->Own<pf::TForm>();
        Form->SetBounds(0, 0, 200, 200);
        List = &Form->Own<TcxCustomInnerListBox>();
        List->SetParent(Form);
        List->SetBounds(10, 10, 120, 150);
        for (const char* S : {"alpha", "beta", "Bravo", "brown", "charlie"})
            List->Items().Add(S);
        List->OnClick = [this](pc::TObject*) { ++Clicks; };
        Form->Show();
        testsupport::PumpUntilIdle();
        List->SetFocus();
        testsupport::PumpUntilIdle();
    }
    ~InnerListBoxTest() override {
        Root.reset();
        testsupport::PumpUntilIdle();
    }

    void Type(char C) {
        const QString Text(QChar::fromLatin1(C));
        Input.Key(C == 8 ? Qt::Key_Backspace : Qt::Key_A + (C | 0x20) - 'a', Text);
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    testsupport::InputDriver Input;
    std::unique_ptr<pc::TComponent> Root;
    pf::TForm* Form = nullptr;
    TcxCustomInnerListBox* List = nullptr;
    int Clicks = 0;
};

TEST_F(InnerListBoxTest, TypingWithinTheDelaySearchesOnAfterItSearchesAnew) {
    struct Step {
        char Key;
        std::uint32_t After; // milliseconds since the key before
        const char* SearchText;
        int ItemIndex;
    } Steps[] = {
        {'b', 0, "b", 1},   {'r', 499, "br", 2}, {'o', 499, "bro", 3},
        {'c', 500, "c", 4}, {'a', 100, "ca", 4}, {'b', 1000, "b", 1},
        {'x', 10, "bx", 1}, {8, 10, "b", 1},     {8, 10, "", 0},
    };
    for (const auto& S : Steps) {
        Clock.Advance(S.After);
        Type(S.Key);
        EXPECT_EQ(List->SearchText(), S.SearchText) << S.Key << " after " << S.After;
        EXPECT_EQ(List->ItemIndex(), S.ItemIndex) << S.Key << " after " << S.After;
    }
    // Each search that finds an item (or empties the text) clicks; "ca" and "bx" find none.
    EXPECT_EQ(Clicks, 7);
}

TEST_F(InnerListBoxTest, WithoutAutoCompleteTypingSearchesNothing) {
    List->AutoComplete = false;
    List->SetItemIndex(0);
    Type('c');
    EXPECT_EQ(List->SearchText(), "");
    EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(InnerListBoxTest, AMultipleSelectionSearchLeavesTheFoundItemAloneSelected) {
    List->MultiSelect = true;
    List->SetSelected(0, true);
    List->SetSelected(1, true);
    Type('c');
    EXPECT_EQ(List->ItemIndex(), 4);
    for (int I = 0; I < List->Items().Count(); ++I)
        EXPECT_EQ(List->Selected(I), I == 4) << I;
}

// Without a container it answers as the plain list box: arrows and characters, no Tab.
TEST_F(InnerListBoxTest, WithoutAContainerItWantsNoTab) {
    const auto Code = List->Perform(pw::WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(Code & pw::DLGC_WANTTAB, 0);
    EXPECT_NE(Code & pw::DLGC_WANTARROWS, 0);
}

// Inside an editor's frame the list draws no border of its own.
TEST_F(InnerListBoxTest, TheWindowHasNoBorder) {
    const auto ExStyle = static_cast<pw::DWORD>(pw::GetWindowLong(List->Handle(), pw::GWL_EXSTYLE));
    EXPECT_EQ(ExStyle & pw::WS_EX_CLIENTEDGE, 0u);
    EXPECT_EQ(List->ClientWidth(), List->Width());
}

} // namespace
} // namespace toolkit::edit
