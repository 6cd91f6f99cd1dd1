#include "toolkit/bars/customizing/dx_bar_customizing_commands_design.h"

#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_item_add_editor.h"
#include "toolkit/bars/customizing/dx_bar_sub_menu_editor.h"
#include "toolkit/bars/customizing/tests/dx_bar_design_fixture.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/forms/dialogs.h"
#include "platform/forms/screen.h"
#include "platform/forms/shortcuts.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A designing form with categories Default, File (Open, Save, the sub-item Recent) and Edit
// (Copy), and its Customize dialog open.
class CommandsDesignTest : public DesignFormFixture {
protected:
    CommandsDesignTest() {
        Open = &Item<TdxBarButton>("btnOpen", "&Open", 1);
        Save = &Item<TdxBarButton>("btnSave", "&Save", 1);
        Recent = &Item<TdxBarSubItem>("subRecent", "&Recent", 1);
        Recent->ItemLinks().Add(Open);
        Copy = &Item<TdxBarButton>("btnCopy", "&Copy", 2);
        Form->Show();
        ShowCustomizingForm(*Manager, true);
        testsupport::PumpUntilIdle();
        Dialog = GetCustomizingForm();
        Dialog->PageControl().SetActivePage(&Dialog->CommandsPage());
        Input.ActivateWindow(Dialog->Handle());
        testsupport::PumpUntilIdle();
    }
    TdxBarCustomizingCommandsDesign& Design() { return *Dialog->CommandsDesign(); }
    TdxBarCustomizingCommands& Page() { return Dialog->Commands(); }
    static pg::TPoint RowPoint(pf::TListBox& List, int Row) {
        const pg::TRect R = List.ItemRect(Row);
        return List.ClientToScreen({R.Left + 20, (R.Top + R.Bottom) / 2});
    }
    void ClickRow(pf::TListBox& List, int Row, Qt::MouseButton Button = Qt::LeftButton) {
        Input.Click(RowPoint(List, Row), Button);
        testsupport::PumpUntilIdle();
    }
    void Key(int QtKey, bool Ctrl = false) {
        if (Ctrl) Input.KeyDown(Qt::Key_Control);
        Input.Key(QtKey);
        if (Ctrl) Input.KeyUp(Qt::Key_Control);
        testsupport::PumpUntilIdle();
    }
    static pg::TPoint CentreOf(TdxBarItemLinks& Links, int Index) {
        const pg::TRect R = Links.VisibleItems(Index)->ItemRect;
        return Links.BarControl()->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }
    std::vector<std::string> CategoryNames() const {
        std::vector<std::string> Result;
        for (int I = 0; I < Manager->Categories().Count(); ++I)
            Result.push_back(Manager->Categories()[I]);
        return Result;
    }

    TdxBarButton* Open = nullptr;
    TdxBarButton* Save = nullptr;
    TdxBarSubItem* Recent = nullptr;
    TdxBarButton* Copy = nullptr;
    TdxBarCustomizingForm* Dialog = nullptr;
};

TEST_F(CommandsDesignTest, PopupItemsAreItemsOfTheDialogsOwnManager) {
    TdxBarCustomizingCommandsDesign& D = Design();
    EXPECT_NE(&D.DialogBarManager(), Manager);
    EXPECT_EQ(D.CategoriesPopupMenu().BarManager(), &D.DialogBarManager());
    EXPECT_EQ(D.CommandsPopupMenu().BarManager(), &D.DialogBarManager());
    struct Row {
        TdxBarItem* Item;
        const char* Caption;
        const char* ShortCut;
    };
    const std::vector<Row> Table = {
        {&D.CategoriesAdd(), "Add...", ""},
        {&D.CategoriesInsert(), "Insert...", "Ins"},
        {&D.CategoriesRename(), "Rename...", ""},
        {&D.CategoriesVisible(), "Visible", ""},
        {&D.CategoriesItemsVisible(), "Items Visible:", ""},
        {&D.CategoriesDelete(), "Delete", "Del"},
        {&D.CommandsAdd(), "Add...", "Ins"},
        {&D.CommandsDelete(), "Delete", "Del"},
        {&D.CommandsClear(), "Clear", ""},
        {&D.CommandsMoveUp(), "Move Up", "Ctrl+Up"},
        {&D.CommandsMoveDown(), "Move Down", "Ctrl+Down"},
        {&D.CommandsSubMenuEditor(), "SubMenu Editor...", ""},
    };
    for (const Row& R : Table) {
        SCOPED_TRACE(R.Caption);
        EXPECT_EQ(R.Item->BarManager(), &D.DialogBarManager());
        EXPECT_EQ(R.Item->Caption(), R.Caption);
        EXPECT_EQ(pf::ShortCutToText(R.Item->ShortCut()), R.ShortCut);
    }
    EXPECT_EQ(D.CategoriesVisible().ButtonStyle(), bsChecked);
    EXPECT_FALSE(D.CategoriesItemsVisible().ShowEditor);
    EXPECT_EQ(Rows(Page().LCategories()), (std::vector<std::string>{"Default", "File", "Edit"}));
    std::vector<std::string> Entries;
    for (int I = 0; I < D.CategoriesItemsVisible().Items().Count(); ++I)
        Entries.push_back(D.CategoriesItemsVisible().Items()[I]);
    EXPECT_EQ(Entries, (std::vector<std::string>{"Never", "InCustomizing", "Always"}));
    EXPECT_EQ(D.CategoriesPopupMenu().ItemLinks().Count(), 6);
    EXPECT_EQ(D.CommandsPopupMenu().ItemLinks().Count(), 6);
}

TEST_F(CommandsDesignTest, CommandsMenuEnablingRules) {
    struct Case {
        const char* Name;
        int Category, Command;
        bool CanAdd, CanDelete;
        bool Add, Delete, Clear, Up, Down, SubMenu;
    };
    const std::vector<Case> Cases = {
        {"first command", 1, 0, true, true, true, true, true, false, true, false},
        {"middle command", 1, 1, true, true, true, true, true, true, true, false},
        {"last, a sub-item", 1, 2, true, true, true, true, true, true, false, true},
        {"no deleting", 1, 2, true, false, true, false, false, true, false, false},
        {"no adding", 1, 1, false, true, false, true, true, true, true, false},
        {"only command", 2, 0, true, true, true, true, true, false, false, false},
        {"nothing selected", 1, -1, true, true, true, false, true, false, false, false},
        {"empty category", 0, -1, true, true, true, false, false, false, false, false},
    };
    TdxBarCustomizingCommandsDesign& D = Design();
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Designer.CanAdd = C.CanAdd;
        Designer.CanDelete = C.CanDelete;
        Page().LCategories().SetItemIndex(C.Category);
        Page().LCategoriesClick();
        Page().LCommands().SetItemIndex(C.Command);
        D.CommandsPopupMenuPopup();
        EXPECT_EQ(D.CommandsAdd().Enabled(), C.Add);
        EXPECT_EQ(D.CommandsDelete().Enabled(), C.Delete);
        EXPECT_EQ(D.CommandsClear().Enabled(), C.Clear);
        EXPECT_EQ(D.CommandsMoveUp().Enabled(), C.Up);
        EXPECT_EQ(D.CommandsMoveDown().Enabled(), C.Down);
        EXPECT_EQ(D.CommandsSubMenuEditor().Enabled(), C.SubMenu);
    }
}

TEST_F(CommandsDesignTest, CategoriesMenuEnablingRules) {
    struct Case {
        const char* Name;
        int Category;
        bool CanDelete;
        bool Visible;
        TdxBarItemVisible ItemsVisible;
        bool Selected, Down, Delete;
    };
    const std::vector<Case> Cases = {
        {"a visible category", 1, true, true, ivAlways, true, true, true},
        {"a hidden category", 2, true, false, ivInCustomizing, true, false, true},
        {"its items may not go", 1, false, true, ivNever, true, true, false},
        {"nothing selected", -1, true, true, ivAlways, false, false, false},
    };
    TdxBarCustomizingCommandsDesign& D = Design();
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Designer.CanDelete = C.CanDelete;
        if (C.Category >= 0) {
            Manager->SetCategoryVisible(C.Category, C.Visible);
            Manager->SetCategoryItemsVisible(C.Category, C.ItemsVisible);
        }
        Page().LCategories().SetItemIndex(C.Category);
        Page().LCategoriesClick();
        const int Modifications = Designer.Modifications;
        D.CategoriesPopupMenuPopup();
        // Bringing the menu up to date changes nothing in the manager.
        EXPECT_EQ(Designer.Modifications, Modifications);
        EXPECT_TRUE(D.CategoriesAdd().Enabled());
        EXPECT_EQ(D.CategoriesInsert().Enabled(), C.Selected);
        EXPECT_EQ(D.CategoriesRename().Enabled(), C.Selected);
        EXPECT_EQ(D.CategoriesVisible().Enabled(), C.Selected);
        EXPECT_EQ(D.CategoriesItemsVisible().Enabled(), C.Selected);
        EXPECT_EQ(D.CategoriesVisible().Down(), C.Down);
        EXPECT_EQ(D.CategoriesItemsVisible().ItemIndex(),
                  C.Selected ? static_cast<int>(C.ItemsVisible) : -1);
        EXPECT_EQ(D.CategoriesDelete().Enabled(), C.Delete);
    }
}

TEST_F(CommandsDesignTest, VisibleAndItemsVisibleWriteIntoTheManager) {
    TdxBarCustomizingCommandsDesign& D = Design();
    ClickRow(Page().LCategories(), 1);
    D.CategoriesPopupMenuPopup();
    D.CategoriesVisible().Click();
    EXPECT_FALSE(Manager->GetCategoryVisible(1));
    D.CategoriesItemsVisible().SetItemIndex(ivNever);
    EXPECT_EQ(Manager->GetCategoryItemsVisible(1), ivNever);
}

TEST_F(CommandsDesignTest, CategoriesAreAddedInsertedAndRenamedWithTheNameDialog) {
    std::vector<TdxBarNameMode> Modes;
    std::vector<std::string> Answers = {"Tools", "View", "Files"};
    const TdxBarNameQuery Previous =
        SetdxBarNameQuery([&](TdxBarNameMode Mode, std::string& Name, TdxBar*, TdxBars*) {
            Modes.push_back(Mode);
            if (Mode == nmRenameCategory) {
                EXPECT_EQ(Name, "File");
            }
            Name = Answers[Modes.size() - 1];
            return true;
        });
    TdxBarCustomizingCommandsDesign& D = Design();
    pf::TListBox& List = Page().LCategories();
    D.CategoriesAddClick();
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Default", "File", "Edit", "Tools"}));
    EXPECT_EQ(List.ItemIndex(), 3);
    // Insert comes before the selected category, by the list's key too; items follow.
    ClickRow(List, 1);
    Key(Qt::Key_Insert);
    EXPECT_EQ(CategoryNames(),
              (std::vector<std::string>{"Default", "View", "File", "Edit", "Tools"}));
    EXPECT_EQ(Open->Category(), 2);
    EXPECT_EQ(List.ItemIndex(), 1);
    List.SetItemIndex(2);
    D.CategoriesRenameClick();
    EXPECT_EQ(Rows(List), CategoryNames());
    EXPECT_EQ(Manager->Categories()[2], "Files");
    EXPECT_EQ(Modes,
              (std::vector<TdxBarNameMode>{nmNewCategory, nmInsertCategory, nmRenameCategory}));
    SetdxBarNameQuery(Previous);
}

TEST_F(CommandsDesignTest, CancelOnTheTwoQuestionsChangesNothing) {
    pf::TDialogScript Script;
    Script.Answer("Are you sure you want to delete the 'File' category?", pf::IDCANCEL);
    Script.Answer("Are you sure you want to delete all commands in the 'File' category?",
                  pf::IDCANCEL);
    ClickRow(Page().LCategories(), 1);
    Key(Qt::Key_Delete);
    Design().CommandsClearClick();
    EXPECT_TRUE(Script.Done());
    EXPECT_TRUE(Script.Mismatches().empty());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Default", "File", "Edit"}));
    EXPECT_EQ(Manager->GetItemCount(), 4);
    EXPECT_TRUE(Designer.Deleted.empty());
    EXPECT_EQ(Rows(Page().LCommands()), (std::vector<std::string>{"&Open", "&Save", "&Recent"}));
}

TEST_F(CommandsDesignTest, OkDeletesTheCategoryOrItsCommandsButNeverTheOnlyCategory) {
    pf::TDialogScript Script;
    Script.Answer("Are you sure you want to delete all commands in the 'Edit' category?", pf::IDOK);
    Script.Answer("Are you sure you want to delete the 'Edit' category?", pf::IDOK);
    Script.Answer("Are you sure you want to delete the 'File' category?", pf::IDOK);
    pf::TListBox& List = Page().LCategories();
    ClickRow(List, 2);
    Design().CommandsClearClick();
    EXPECT_EQ(Designer.Deleted, (std::vector<std::string>{"btnCopy"}));
    EXPECT_EQ(Page().LCommands().SelectedItem(), nullptr);
    EXPECT_TRUE(Rows(Page().LCommands()).empty());
    // The last category goes: the new last one takes the selection.
    Key(Qt::Key_Delete);
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Default", "File"}));
    EXPECT_EQ(List.ItemIndex(), 1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Default"}));
    EXPECT_EQ(Manager->GetItemCount(), 0);
    Design().CategoriesPopupMenuPopup();
    EXPECT_FALSE(Design().CategoriesDelete().Enabled());
    Key(Qt::Key_Delete);
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Default"}));
    EXPECT_TRUE(Script.Done());
}

TEST_F(CommandsDesignTest, DeleteKeepsTheSelectionAtItsPosition) {
    ClickRow(Page().LCategories(), 1);
    TCommandsListBox& List = Page().LCommands();
    ClickRow(List, 1);
    EXPECT_EQ(Designer.Selected, Save);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Designer.Deleted, (std::vector<std::string>{"btnSave"}));
    EXPECT_EQ(Rows(List), (std::vector<std::string>{"&Open", "&Recent"}));
    EXPECT_EQ(List.ItemIndex(), 1);
    EXPECT_EQ(Designer.Selected, Recent);
    // At the last entry the selection moves up.
    Key(Qt::Key_Delete);
    EXPECT_EQ(Rows(List), (std::vector<std::string>{"&Open"}));
    EXPECT_EQ(List.ItemIndex(), 0);
    EXPECT_EQ(Designer.Selected, Open);
}

TEST_F(CommandsDesignTest, CommandsMoveWithCtrlArrowsButNotPastTheEnds) {
    ClickRow(Page().LCategories(), 1);
    TCommandsListBox& List = Page().LCommands();
    ClickRow(List, 0);
    const int Modifications = Designer.Modifications;
    Key(Qt::Key_Up, true);
    EXPECT_EQ(Rows(List), (std::vector<std::string>{"&Open", "&Save", "&Recent"}));
    EXPECT_EQ(List.ItemIndex(), 0);
    EXPECT_EQ(Designer.Modifications, Modifications);
    Key(Qt::Key_Down, true);
    EXPECT_EQ(Rows(List), (std::vector<std::string>{"&Save", "&Open", "&Recent"}));
    EXPECT_EQ(List.ItemIndex(), 1);
    EXPECT_LT(Manager->IndexOfItem(Save), Manager->IndexOfItem(Open));
    Key(Qt::Key_Down, true);
    Key(Qt::Key_Down, true);
    EXPECT_EQ(Rows(List), (std::vector<std::string>{"&Save", "&Recent", "&Open"}));
    EXPECT_EQ(List.ItemIndex(), 2);
    Design().CommandsMoveUpClick();
    EXPECT_EQ(Rows(List), (std::vector<std::string>{"&Save", "&Open", "&Recent"}));
}

TEST_F(CommandsDesignTest, ACategoryIsDraggedToANewPlace) {
    pf::TListBox& List = Page().LCategories();
    const pg::TPoint From = RowPoint(List, 2);
    Input.MoveTo(From);
    Input.Press(From);
    Input.MoveTo({From.X, From.Y - 3});
    Input.MoveTo({From.X, From.Y - 8});
    Input.MoveTo(RowPoint(List, 0));
    EXPECT_EQ(Design().DraggedCategory(), 0);
    Input.Release(RowPoint(List, 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Edit", "Default", "File"}));
    EXPECT_EQ(Rows(List), CategoryNames());
    EXPECT_EQ(List.ItemIndex(), 0);
    EXPECT_EQ(Copy->Category(), 0);
    EXPECT_EQ(Open->Category(), 2);
    EXPECT_EQ(Design().DraggedCategory(), -1);
}

TEST_F(CommandsDesignTest, AddMakesTheItemAndSelectsIt) {
    ClickRow(Page().LCategories(), 2);
    ClickRow(Page().LCommands(), 0);
    Clock.Schedule(Clock.Now() + 100, [] {
        TdxBarItemAddEditor* Editor = nullptr;
        for (int I = 0; I < pf::Screen().FormCount() && !Editor; ++I)
            Editor = dynamic_cast<TdxBarItemAddEditor*>(pf::Screen().Forms(I));
        ASSERT_NE(Editor, nullptr);
        EXPECT_EQ(Editor->ComboBox2.ItemIndex(), 2);
        Editor->Edit2.SetText("&Paste");
        Editor->BOkClick();
    });
    Key(Qt::Key_Insert);
    TCommandsListBox& List = Page().LCommands();
    EXPECT_EQ(Rows(List), (std::vector<std::string>{"&Copy", "&Paste"}));
    EXPECT_EQ(List.ItemIndex(), 1);
    ASSERT_NE(List.SelectedItem(), nullptr);
    EXPECT_EQ(List.SelectedItem()->Category(), 2);
    EXPECT_EQ(Designer.Selected, List.SelectedItem());
}

TEST_F(CommandsDesignTest, SubMenuEditorOpensOnTheSelectedSubItem) {
    ClickRow(Page().LCategories(), 1);
    TCommandsListBox& List = Page().LCommands();
    // A right click selects the entry and pops up the commands menu; its entry runs.
    TdxBarPopupMenu& Menu = Design().CommandsPopupMenu();
    bool Enabled = false;
    Clock.Schedule(Clock.Now() + 10, [&] {
        Enabled = Design().CommandsSubMenuEditor().Enabled();
        Input.Click(CentreOf(Menu.ItemLinks(), 5));
    });
    ClickRow(List, 2, Qt::RightButton);
    EXPECT_TRUE(Enabled);
    EXPECT_FALSE(Menu.Shown());
    testsupport::PumpUntilIdle();
    ASSERT_NE(GetSubMenuEditor(), nullptr);
    EXPECT_EQ(GetSubMenuEditor()->ItemLinks(), &Recent->ItemLinks());

    // The editor asks the page to show the owner of its links.
    Dialog->PageControl().SetActivePage(&Dialog->ToolbarsPage());
    List.SetItemIndex(0);
    ShowSubMenuEditor(&Recent->ItemLinks());
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Dialog->PageControl().ActivePage(), &Dialog->CommandsPage());
    EXPECT_EQ(List.SelectedItem(), Recent);
}

TEST_F(CommandsDesignTest, ThePopupButtonShowsItsMenuBelowIt) {
    TCheckableButton& Button = Design().CategoriesPopupButton();
    TdxBarPopupMenu& Menu = Design().CategoriesPopupMenu();
    ClickRow(Page().LCategories(), 1);
    testsupport::TempFolder Folder("customizing_commands_design");
    bool Checked = false;
    pg::TPoint At{};
    Clock.Schedule(Clock.Now() + 10, [&] {
        Checked = Button.Checked();
        TdxBarSubMenuControl* Window = Menu.GetSubMenuControl();
        ASSERT_NE(Window, nullptr);
        At = {Window->Left(), Window->Top()};
        testsupport::PumpUntilIdle();
        EXPECT_TRUE(testsupport::SaveWindowPng(Dialog->Handle(), Folder.PathOf("page.png")));
        EXPECT_TRUE(
            testsupport::SaveWindowPng(Window->Handle(), Folder.PathOf("categories_menu.png")));
        // A press on the button closes the menu and does not open it again.
        Input.Click(Button.ClientToScreen({5, 5}));
    });
    Input.Click(Button.ClientToScreen({5, 5}));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Checked);
    EXPECT_EQ(At, Button.ClientToScreen({0, Button.Height()}));
    EXPECT_FALSE(Menu.Shown());
    EXPECT_FALSE(Button.Checked());
}

} // namespace
} // namespace toolkit::bars
