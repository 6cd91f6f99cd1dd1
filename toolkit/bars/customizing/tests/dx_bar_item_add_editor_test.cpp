#include "toolkit/bars/customizing/dx_bar_item_add_editor.h"

#include "toolkit/bars/model/dx_bar_categories.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_classes.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/forms/screen.h"

#include <string>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;

// A manager with the categories Default, File and Edit.
class ItemAddEditorTest : public MenuFormFixture {
protected:
    ItemAddEditorTest() {
        MakeMainMenu();
        ShowMainMenu();
        Manager->Categories().Add("File");
        Manager->Categories().Add("Edit");
    }
    std::string FirstClassName() const {
        return dxBarUnit().ItemClasses().GetRegisteredItemClass(0)->ClassName();
    }
    // The name the dialog proposes for the first class after N taken ones.
    std::string Proposed(int N) const { return FirstClassName().substr(1) + std::to_string(N); }
};

TEST_F(ItemAddEditorTest, ListsTheCategoriesAndTheItemClasses) {
    struct Case {
        int CategoryIndex;
        int Selected;
    };
    for (const Case C : {Case{2, 2}, Case{0, 0}, Case{99, 0}, Case{-1, 0}}) {
        TdxBarItemAddEditor Dialog(nullptr);
        Dialog.AfterConstruction();
        Dialog.Prepare(Manager, C.CategoryIndex);
        EXPECT_EQ(Dialog.ComboBox2.Items().Count(), Manager->Categories().Count());
        EXPECT_EQ(Dialog.ComboBox2.ItemIndex(), C.Selected) << C.CategoryIndex;
        EXPECT_EQ(Dialog.ComboBox1.Items().Count(),
                  dxBarUnit().ItemClasses().GetRegisteredItemClassCount());
        EXPECT_EQ(Dialog.ComboBox1.Items()[0], FirstClassName());
        EXPECT_EQ(Dialog.ComboBox1.ItemIndex(), 0);
        EXPECT_EQ(Dialog.Edit2.Text(), "New Item");
    }
}

TEST_F(ItemAddEditorTest, ProposesANameNoComponentHas) {
    TdxBarItemAddEditor Dialog(nullptr);
    Dialog.AfterConstruction();
    Dialog.Prepare(Manager, 0);
    EXPECT_EQ(Dialog.Edit1.Text(), Proposed(1));
    Form->Own<pf::TLabel>().Name = Proposed(1);
    Dialog.ComboBox1Click();
    EXPECT_EQ(Dialog.Edit1.Text(), Proposed(2));
}

TEST_F(ItemAddEditorTest, OkMakesTheItemOnTheForm) {
    Clock.Schedule(Clock.Now() + 100, [this] {
        TdxBarItemAddEditor* Dialog = nullptr;
        for (int I = 0; I < pf::Screen().FormCount() && !Dialog; ++I)
            Dialog = dynamic_cast<TdxBarItemAddEditor*>(pf::Screen().Forms(I));
        ASSERT_NE(Dialog, nullptr);
        Dialog->Edit2.SetText("Play");
        Input.Click(Dialog->BOk.ClientToScreen({10, 10}));
        testsupport::PumpUntilIdle();
        if (Dialog->ModalResult() == pf::mrNone) Dialog->SetModalResult(pf::mrCancel);
    });
    TdxBarItem* Item = dxBarItemAddEditor(Manager, 1);
    ASSERT_NE(Item, nullptr);
    EXPECT_EQ(Item->Owner(), Form);
    EXPECT_EQ(Item->Name, Proposed(1));
    EXPECT_EQ(Item->Caption(), "Play");
    EXPECT_EQ(Item->Category(), 1);
    EXPECT_EQ(&Item->ClassType(), dxBarUnit().ItemClasses().GetRegisteredItemClass(0));
}

} // namespace
} // namespace toolkit::bars
