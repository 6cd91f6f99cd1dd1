#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_edit.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;

class EditItemTest : public MenuFormFixture {
protected:
    EditItemTest() { MakeMainMenu(); }
    TdxBarCombo& Combo(const std::vector<std::string>& Entries) {
        auto& C = Form->Own<TdxBarCombo>();
        for (const std::string& E : Entries)
            C.Items().Add(E);
        C.OnChange = [this](pc::TObject*) { ++Changes; };
        return C;
    }
    int Changes = 0;
};

TEST_F(EditItemTest, KeepsAWholeLongText) {
    auto& Edit = Form->Own<TdxBarEdit>();
    const std::string Long(300, 'x');
    Edit.SetText(Long);
    EXPECT_EQ(Edit.Text().size(), 300u);
}

TEST_F(EditItemTest, ANewTextFiresOnChangeOnce) {
    auto& Edit = Form->Own<TdxBarEdit>();
    int Changes = 0;
    Edit.OnChange = [&](pc::TObject* Sender) {
        EXPECT_EQ(Sender, &Edit);
        ++Changes;
    };
    Edit.SetText("abc");
    Edit.SetText("abc");
    EXPECT_EQ(Changes, 1);
}

TEST_F(EditItemTest, ClampsMaxLengthAndWidth) {
    auto& Edit = Form->Own<TdxBarEdit>();
    EXPECT_EQ(Edit.Width(), 100);
    Edit.SetMaxLength(-5);
    EXPECT_EQ(Edit.MaxLength(), 0);
    Edit.SetWidth(5);
    EXPECT_EQ(Edit.Width(), 20);
    EXPECT_FALSE(Edit.CanBeClicked());
}

TEST_F(EditItemTest, ComboItemIndexOutsideTheEntriesClearsTheText) {
    auto& C = Combo({"one", "two", "three"});
    C.SetItemIndex(1);
    EXPECT_EQ(C.Text(), "two");
    C.SetItemIndex(10);
    EXPECT_EQ(C.ItemIndex(), -1);
    EXPECT_EQ(C.Text(), "");
    EXPECT_EQ(Changes, 2);
}

TEST_F(EditItemTest, ComboTextSelectsItsEntry) {
    auto& C = Combo({"one", "two"});
    C.SetText("two");
    EXPECT_EQ(C.ItemIndex(), 1);
    C.SetText("zzz");
    EXPECT_EQ(C.ItemIndex(), -1);
    EXPECT_EQ(C.Text(), "zzz");
}

TEST_F(EditItemTest, SortingReFindsTheText) {
    auto& C = Combo({"b", "c", "a"});
    C.SetText("a");
    EXPECT_EQ(C.ItemIndex(), 2);
    C.SetSorted(true);
    EXPECT_EQ(C.ItemIndex(), 0);
    EXPECT_EQ(C.Text(), "a");
}

TEST_F(EditItemTest, RemovingTheChosenEntryClearsTheChoice) {
    auto& C = Combo({"a", "b"});
    C.SetItemIndex(1);
    C.Items().Delete(1);
    EXPECT_EQ(C.ItemIndex(), -1);
}

TEST_F(EditItemTest, PrefixSearchTakesTheLongestMatch) {
    struct Case {
        std::vector<std::string> Entries;
        std::string Typed;
        int Index;
    };
    const std::vector<Case> Cases = {
        {{"Abbey", "Abacus"}, "aba", 1},
        {{"Abbey", "Abacus"}, "x", -1},
        {{"Xy", "Ab"}, "ab", 1},
        {{"Abbey", "Abacus"}, "ab", 0},
    };
    for (const Case& K : Cases) {
        auto& C = Combo(K.Entries);
        EXPECT_EQ(C.FindPrefix(K.Typed), K.Index) << K.Typed;
    }
}

} // namespace
} // namespace toolkit::bars
