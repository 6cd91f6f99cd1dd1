#include "toolkit/bars/customizing/dx_bar_add_group_items.h"
#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"
#include "toolkit/bars/customizing/dx_bar_customizing_design_pages.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_customizing_popup.h"
#include "toolkit/bars/customizing/dx_bar_customizing_refresh.h"
#include "toolkit/bars/customizing/dx_bar_sub_menu_editor.h"
#include "toolkit/bars/customizing/tests/dx_bar_design_fixture.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_group.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/forms/dialogs.h"
#include "platform/forms/shortcuts.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <algorithm>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A designing form with categories "File" and "Edit", two buttons (one with a shortcut), a
// sub-item with two links and two groups; the designer is the fake.
class CustomizingDesignTest : public DesignFormFixture {
protected:
    CustomizingDesignTest() {
        Open = &Item<TdxBarButton>("btnOpen", "&Open", 1);
        Open->SetShortCut(pf::TextToShortCut("Ctrl+O"));
        Copy = &Item<TdxBarButton>("btnCopy", "&Copy", 2);
        Menu = &Item<TdxBarSubItem>("subRecent", "&Recent", 1);
        Menu->ItemLinks().Add(Open);
        Menu->ItemLinks().Add(Copy);
        First = Manager->AddGroup();
        Second = Manager->AddGroup();
        Form->Show();
        testsupport::PumpUntilIdle();
    }
    TdxBarCustomizingDesignPages& OpenPages() {
        ShowCustomizingForm(*Manager, true);
        testsupport::PumpUntilIdle();
        TdxBarCustomizingForm* Dialog = GetCustomizingForm();
        EXPECT_NE(Dialog, nullptr);
        EXPECT_NE(Dialog->DesignPages(), nullptr);
        return *Dialog->DesignPages();
    }
    void Page(pf::TTabSheet& Sheet) {
        GetCustomizingForm()->PageControl().SetActivePage(&Sheet);
        testsupport::PumpUntilIdle();
    }

    TdxBarButton* Open = nullptr;
    TdxBarButton* Copy = nullptr;
    TdxBarSubItem* Menu = nullptr;
    TdxBarGroup* First = nullptr;
    TdxBarGroup* Second = nullptr;
};

TEST_F(CustomizingDesignTest, TheDesignerHearsOnlyADesigningManager) {
    EXPECT_TRUE(Manager->IsDesigning());
    EXPECT_EQ(dxBarDesignerOf(*Manager), &Designer);
    const int Before = Designer.Modifications;
    Manager->SetCategoryVisible(0, false);
    EXPECT_EQ(Designer.Modifications, Before + 1);

    // A manager of a form that is not designing never reaches it.
    auto& Plain = FRoot->Own<pf::TForm>();
    auto& RunTime = Plain.Own<TdxBarManager>();
    EXPECT_FALSE(RunTime.IsDesigning());
    EXPECT_EQ(dxBarDesignerOf(RunTime), nullptr);
    RunTime.DesignerModified();
    EXPECT_EQ(Designer.Modifications, Before + 1);
}

TEST_F(CustomizingDesignTest, AllCommandsListsNameCaptionAndShortCut) {
    TdxBarCustomizingDesignPages& Pages = OpenPages();
    TdxBarCustomizingForm& Dialog = *GetCustomizingForm();
    ASSERT_EQ(Dialog.PageControl().PageCount(), 5);
    EXPECT_EQ(Pages.AllCommandsPage().Caption(), " All commands ");
    EXPECT_EQ(Pages.GroupsPage().Caption(), "Groups");
    Page(Pages.AllCommandsPage());

    // Checked by default: only the buttons, whose class publishes ShortCut.
    EXPECT_TRUE(Pages.CBShowCommandsWithShortCut().Checked());
    EXPECT_EQ(Rows(Pages.LAllCommands()), (std::vector<std::string>{"btnOpen", "btnCopy"}));
    EXPECT_GT(Pages.LAllCommands().ColumnWidths[2], 0);
    EXPECT_EQ(Pages.LAllCommands().SecondLine() - Pages.LAllCommands().FirstLine(),
              Pages.LAllCommands().ColumnWidths[1] + 15);
    testsupport::TempFolder Folder("customizing_design");
    EXPECT_TRUE(testsupport::SaveWindowPng(Dialog.Handle(), Folder.PathOf("all_commands.png")));

    // Unchecked: every item with a category; the selection stays on its item.
    Pages.LAllCommands().SetItemIndex(1);
    Input.Click(Pages.CBShowCommandsWithShortCut().ClientToScreen({6, 8}));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Pages.CBShowCommandsWithShortCut().Checked());
    EXPECT_EQ(Rows(Pages.LAllCommands()),
              (std::vector<std::string>{"btnOpen", "btnCopy", "subRecent"}));
    EXPECT_EQ(Pages.LAllCommands().ItemIndex(), 1);

    // A click selects the item in the designer; the vertical lines run on to the bottom.
    const platform::gdi::TRect Row = Pages.LAllCommands().ItemRect(2);
    Input.Click(Pages.LAllCommands().ClientToScreen({Row.Left + 10, Row.Top + 3}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Designer.Selected, Menu);
    EXPECT_TRUE(testsupport::SaveWindowPng(Dialog.Handle(), Folder.PathOf("all_commands_all.png")));
}

TEST_F(CustomizingDesignTest, AllAndGroupsPagesExistOnlyInDesignMode) {
    auto& Plain = FRoot->Own<pf::TForm>();
    Plain.SetBounds(0, 0, 300, 200);
    auto& RunTime = Plain.Own<TdxBarManager>();
    Plain.Show();
    ShowCustomizingForm(RunTime, true);
    testsupport::PumpUntilIdle();
    ASSERT_NE(GetCustomizingForm(), nullptr);
    EXPECT_EQ(GetCustomizingForm()->DesignPages(), nullptr);
    EXPECT_EQ(GetCustomizingForm()->PageControl().PageCount(), 3);
    ShowCustomizingForm(RunTime, false);
    testsupport::PumpUntilIdle();
}

TEST_F(CustomizingDesignTest, GroupsAreAddedFilledMovedAndDeleted) {
    First->Add(Open);
    First->Add(Second);
    std::vector<pc::TComponent*> Answer;
    bool Asked = false;
    const TdxBarAddGroupItemsQuery Previous = SetdxBarAddGroupItemsQuery(
        [&](TdxBarManager*, TdxBarGroup*, std::vector<pc::TComponent*>& Result) {
            Asked = true;
            Result.insert(Result.end(), Answer.begin(), Answer.end());
            return true;
        });
    TdxBarCustomizingDesignPages& Pages = OpenPages();
    Page(Pages.GroupsPage());
    EXPECT_EQ(Rows(Pages.lbGroups()), (std::vector<std::string>{"dxBarGroup1", "dxBarGroup2"}));
    EXPECT_EQ(Pages.lbGroups().ItemIndex(), 0);
    EXPECT_EQ(Rows(Pages.lbGroupItems()),
              (std::vector<std::string>{"&Open (btnOpen)", "dxBarGroup2"}));
    testsupport::TempFolder Folder("customizing_design");
    EXPECT_TRUE(
        testsupport::SaveWindowPng(GetCustomizingForm()->Handle(), Folder.PathOf("groups.png")));

    // &Add... appends the chosen entries.
    Answer = {Copy};
    Input.Click(Pages.btnGroupItemAdd().ClientToScreen({10, 10}));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Asked);
    EXPECT_EQ(First->Count(), 3);
    EXPECT_EQ(First->Items(2), Copy);

    // A group that would hold itself is refused with the message; the others are kept.
    pf::TDialogScript Script;
    Script.Answer("You cannot create recursive groups", pf::IDOK);
    Pages.lbGroups().SetItemIndex(1);
    Pages.UpdateGroupItems();
    Answer = {Menu, First};
    Pages.btnGroupItemAddClick();
    EXPECT_TRUE(Script.Done());
    EXPECT_TRUE(Script.Mismatches().empty());
    EXPECT_EQ(Second->Count(), 1);
    EXPECT_EQ(Second->IndexOf(First), -1);

    // Move Down on the members moves the selected block.
    Pages.lbGroups().SetItemIndex(0);
    Pages.UpdateGroupItems();
    Input.Click(
        Pages.lbGroupItems().ClientToScreen({10, Pages.lbGroupItems().ItemRect(0).Top + 3}));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Pages.GroupItemsFocused());
    EXPECT_FALSE(Pages.btnMoveUp().Enabled());
    Pages.btnMoveDownClick();
    EXPECT_EQ(First->IndexOf(Open), 1);
    EXPECT_TRUE(Pages.lbGroupItems().Selected(1));

    // The Delete key in the members list removes the selected members.
    Input.Key(Qt::Key_Delete);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(First->IndexOf(Open), -1);
    EXPECT_EQ(First->Count(), 2);

    // Insert in the groups list adds a group, named on, and selects it.
    Input.Click(Pages.lbGroups().ClientToScreen({10, Pages.lbGroups().ItemRect(1).Top + 3}));
    testsupport::PumpUntilIdle();
    Input.Key(Qt::Key_Insert);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Rows(Pages.lbGroups()),
              (std::vector<std::string>{"dxBarGroup1", "dxBarGroup2", "dxBarGroup3"}));
    EXPECT_EQ(Pages.lbGroups().ItemIndex(), 2);

    // Delete frees the group through the designer and selects its predecessor at the end.
    Pages.btnGroupDeleteClick();
    EXPECT_EQ(Designer.Deleted, (std::vector<std::string>{"dxBarGroup3"}));
    EXPECT_EQ(Manager->GetGroupCount(), 2);
    EXPECT_EQ(Pages.lbGroups().ItemIndex(), 1);
    SetdxBarAddGroupItemsQuery(Previous);
}

struct FillCase {
    const char* Name;
    bool SecondGroup;
    std::vector<std::string> Rows;
};

class AddGroupItemsFillTest : public CustomizingDesignTest,
                              public ::testing::WithParamInterface<FillCase> {};

TEST_P(AddGroupItemsFillTest, HeadingsPrecedeGroupsAndEachCategory) {
    if (!GetParam().SecondGroup) Form->FreeComponent(*Second);
    TfrmAddGroupItems Dialog(nullptr);
    std::vector<pc::TComponent*> Result;
    Dialog.Prepare(Manager, First, &Result);
    EXPECT_EQ(Rows(Dialog.lbGroupItems), GetParam().Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, AddGroupItemsFillTest,
    ::testing::Values(FillCase{"TwoGroups",
                               true,
                               {"~< Groups >", "dxBarGroup2", "~File", "&Open", "&Recent", "~Edit",
                                "&Copy"}},
                      FillCase{"OneGroup", false, {"~File", "&Open", "&Recent", "~Edit", "&Copy"}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(CustomizingDesignTest, ARenamedGroupShowsItsNewNameOnTheGroupsPage) {
    First->Add(Second);
    TdxBarCustomizingDesignPages& Pages = OpenPages();
    Page(Pages.GroupsPage());
    Second->SetName("grpEdit");
    EXPECT_EQ(Rows(Pages.lbGroups()), (std::vector<std::string>{"dxBarGroup1", "grpEdit"}));
    EXPECT_EQ(Rows(Pages.lbGroupItems()), (std::vector<std::string>{"grpEdit"}));
}

// A command renamed in the designer shows its new name in the All commands list, whose name
// column widens to it, and among the selected group's members.
TEST_F(CustomizingDesignTest, ARenamedCommandShowsItsNewNameOnTheDesignPages) {
    First->Add(Open);
    TdxBarCustomizingDesignPages& Pages = OpenPages();
    Page(Pages.AllCommandsPage());
    const int NameColumn = Pages.LAllCommands().ColumnWidths[0];
    Open->SetName("btnOpenLibraryFromDisk");
    EXPECT_EQ(Rows(Pages.LAllCommands()),
              (std::vector<std::string>{"btnOpenLibraryFromDisk", "btnCopy"}));
    EXPECT_GT(Pages.LAllCommands().ColumnWidths[0], NameColumn);
    Page(Pages.GroupsPage());
    Open->SetName("btnLoad");
    EXPECT_EQ(Rows(Pages.lbGroupItems()), (std::vector<std::string>{"&Open (btnLoad)"}));
}

TEST_F(CustomizingDesignTest, AddGroupItemsOkAppendsTheSelectedEntries) {
    First->Add(Copy);
    TfrmAddGroupItems& Dialog = Form->Own<TfrmAddGroupItems>();
    std::vector<pc::TComponent*> Result{Second};
    Dialog.Prepare(Manager, First, &Result);
    Dialog.Show();
    testsupport::PumpUntilIdle();
    TdxBarAddGroupItemsList& List = Dialog.lbGroupItems;
    EXPECT_TRUE(List.MultiSelect);
    EXPECT_EQ(List.ItemHeight(), dxBarGroupListRowHeight(List.Font()));
    // A heading shows the button face; a member is drawn greyed; the rest below the rows too.
    List.SetSelected(1, true);
    List.SetSelected(3, true);
    List.SetSelected(0, true);
    List.Invalidate();
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Folder("customizing_design");
    EXPECT_TRUE(testsupport::SaveWindowPng(Dialog.Handle(), Folder.PathOf("add_group_items.png")));
    Dialog.btnOkClick();
    EXPECT_EQ(Dialog.ModalResult(), pf::mrOk);
    EXPECT_EQ(Result, (std::vector<pc::TComponent*>{Second, Second, Open}));
}

TEST_F(CustomizingDesignTest, OneSubMenuEditorFollowsItsMenuAndGoesWithItsOwner) {
    auto& Other = Item<TdxBarSubItem>("subMore", "&More", 1);
    Other.ItemLinks().Add(Copy);
    std::vector<TdxBarItemLinks*> Selected;
    const TdxBarSelectLinksOwner Previous =
        SetdxBarSelectLinksOwner([&](TdxBarItemLinks& Links) { Selected.push_back(&Links); });
    ShowSubMenuEditor(&Menu->ItemLinks());
    testsupport::PumpUntilIdle();
    TdxBarSubMenuEditor* Editor = GetSubMenuEditor();
    ASSERT_NE(Editor, nullptr);
    EXPECT_EQ(Selected, (std::vector<TdxBarItemLinks*>{&Menu->ItemLinks()}));
    EXPECT_EQ(Editor->Caption(), "SubMenu Editor");
    EXPECT_EQ(Editor->ClientHeight(), 0);
    EXPECT_EQ(Editor->Tag, 100);
    pw::SetForegroundWindow(Editor->Handle());
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Window = Editor->SubMenuControl();
    ASSERT_NE(Window, nullptr);
    EXPECT_EQ(Window->Left(), Editor->Left());
    EXPECT_EQ(Window->Top(), Editor->Top() + Editor->Height());
    EXPECT_EQ(Editor->Width(), Window->Width());

    // Moving the editor takes the menu along.
    Editor->SetBounds(Editor->Left() + 40, Editor->Top() + 30, Editor->Width(), Editor->Height());
    testsupport::PumpUntilIdle();
    pw::TRect R;
    pw::GetWindowRect(Window->Handle(), &R);
    EXPECT_EQ(R.Left, Editor->Left());
    EXPECT_EQ(R.Top, Editor->Top() + Editor->Height());

    // Other links re-target the same editor.
    ShowSubMenuEditor(&Other.ItemLinks());
    testsupport::PumpUntilIdle();
    EXPECT_EQ(GetSubMenuEditor(), Editor);
    EXPECT_EQ(Editor->ItemLinks(), &Other.ItemLinks());

    // The owner of the links goes: the editor goes too.
    Form->FreeComponent(Other);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(GetSubMenuEditor(), nullptr);
    SetdxBarSelectLinksOwner(Previous);
}

TEST_F(CustomizingDesignTest, APageChangeFollowsTheDesignersSelection) {
    TdxBarCustomizingDesignPages& Pages = OpenPages();
    TdxBarCustomizingForm& Dialog = *GetCustomizingForm();
    TdxBarCustomizingCommands& Commands = Dialog.Commands();
    // A page set from code does not hear of its change: the dialog is told, as a tab click does.
    const auto Change = [&](pf::TTabSheet& Sheet) {
        Page(Sheet);
        CustomizingPageChanged(Dialog);
        testsupport::PumpUntilIdle();
    };
    // The Commands page shows the designer's item in its own category.
    Designer.Selected = Copy;
    Change(Dialog.CommandsPage());
    EXPECT_EQ(Commands.LCategories().ItemIndex(), 2);
    EXPECT_EQ(Commands.LCommands().SelectedItem(), Copy);
    // The All commands page selects its row.
    Designer.Selected = Open;
    Change(Pages.AllCommandsPage());
    EXPECT_EQ(Pages.LAllCommands().ItemIndex(), Pages.LAllCommands().IndexOfEntry(Open));
    // With the manager selected, the commands click runs: the designer takes the list's item.
    Designer.Selected = Manager;
    Change(Dialog.CommandsPage());
    EXPECT_EQ(Designer.Selected,
              Commands.LCommands().SelectedItem() != nullptr
                  ? static_cast<pc::TPersistent*>(Commands.LCommands().SelectedItem())
                  : Manager);
    // The Groups page reads the groups again.
    TdxBarGroup* Third = Manager->AddGroup();
    Change(Pages.GroupsPage());
    EXPECT_EQ(Pages.lbGroups().Items().Count(), 3);
    (void)Third;
}

TEST_F(CustomizingDesignTest, TheDesignEntriesAddItemsAfterTheLinkAndDeleteTheBar) {
    TdxBar* Tools = Manager->Bars()->Add();
    Tools->SetCaption("Tools");
    Tools->SetDockingStyle(dsTop);
    Tools->ItemLinks().Add(Open);
    Tools->ItemLinks().Add(Copy);
    Tools->SetVisible(true);
    testsupport::PumpUntilIdle();
    ShowCustomizingForm(*Manager, true);
    testsupport::PumpUntilIdle();
    TdxBarItemLinks& Links = Tools->ItemLinks();
    TdxBarCustomizingPopup* Popup =
        TdxBarCustomizingPopup::ShowAt(*Manager, Links.Items(0), &Links, {100, 100});
    ASSERT_NE(Popup, nullptr);
    EXPECT_EQ(Popup->DesignEntryCount(), 4);
    std::vector<std::string> Captions;
    for (int I = 0; I < Popup->Entries().Count(); ++I)
        Captions.push_back(Popup->Entries().Items(I)->Item()->Caption());
    ASSERT_GE(Captions.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(Captions.begin(), Captions.begin() + 6),
              (std::vector<std::string>{"Add &SubItem", "Add &Button", "Add &Item", "Delete Bar",
                                        "&Reset", "&Delete"}));
    EXPECT_TRUE(Popup->Entries().Items(3)->BeginGroup());
    // "Add &Item" lists the public item classes by name.
    auto* Classes = dynamic_cast<TdxBarSubItem*>(Popup->Entries().Items(2)->Item());
    ASSERT_NE(Classes, nullptr);
    ASSERT_GT(Classes->ItemLinks().Count(), 0);
    EXPECT_EQ(Classes->ItemLinks().Items(0)->Item()->Caption(), "TdxBarButton");

    // The user's click on an entry closes the popup before the command runs.
    const auto ClickEntry = [this](TdxBarCustomizingPopup& Shown, int Index) {
        const pg::TRect R = Shown.Entries().Items(Index)->ItemRect;
        const pg::TPoint P = Shown.ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
        Input.MoveTo(P);
        Input.Click(P);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
    };
    // "Add &Button": a new button right after the clicked link, in the first category, shown
    // on the toolbar at once.
    const pg::TRect Second = Links.Items(1)->ItemRect;
    ClickEntry(*Popup, 1);
    ASSERT_EQ(Links.Count(), 3);
    EXPECT_EQ(Links.Items(1)->ItemRect.Left, Second.Left);
    EXPECT_GT(Links.Items(2)->ItemRect.Left, Second.Left);
    TdxBarItem* Made = Links.Items(1)->Item();
    EXPECT_EQ(Made->Caption(), "New Item");
    EXPECT_EQ(Made->Name, "dxBarButton1");
    EXPECT_EQ(Made->Category(), 0);
    EXPECT_EQ(&Made->ClassType(), &TdxBarButton::ClassRef());
    EXPECT_FALSE(TdxBarCustomizingPopup::Adding());

    // "Delete Bar": the toolbar goes, and its row in the dialog with it.
    Popup = TdxBarCustomizingPopup::ShowAt(*Manager, nullptr, &Links, {100, 100});
    ASSERT_NE(Popup, nullptr);
    ASSERT_EQ(Popup->Entries().Count(), 4);
    const int Bars = Manager->Bars()->Count();
    ClickEntry(*Popup, 3);
    EXPECT_EQ(Manager->Bars()->Count(), Bars - 1);
    EXPECT_EQ(GetCustomizingForm()->BarsListBox().IndexOfBar(Tools), -1);
}

TEST_F(CustomizingDesignTest, RenamingInThePopupRenamesTheCommandInTheDialog) {
    TdxBar* Tools = Manager->Bars()->Add();
    Tools->SetDockingStyle(dsTop);
    Tools->ItemLinks().Add(Open);
    Tools->SetVisible(true);
    testsupport::PumpUntilIdle();
    OpenPages();
    TdxBarCustomizingCommands& Page = GetCustomizingForm()->Commands();
    Page.LCategories().SetItemIndex(Open->Category());
    Page.LCategoriesClick();
    const std::vector<std::string> Before = Rows(Page.LCommands());
    const auto OpenRow = std::find(Before.begin(), Before.end(), "&Open");
    ASSERT_NE(OpenRow, Before.end());
    std::vector<std::string> After = Before;
    After[OpenRow - Before.begin()] = "&Load";
    TdxBarItemLinks& Links = Tools->ItemLinks();
    TdxBarCustomizingPopup* Popup =
        TdxBarCustomizingPopup::ShowAt(*Manager, Links.Items(0), &Links, {100, 100});
    ASSERT_NE(Popup, nullptr);
    Popup->NameEdit()->SetText("&Load");
    EXPECT_EQ(Open->Caption(), "&Load");
    EXPECT_EQ(Rows(Page.LCommands()), After);
}

// "Add &Item" opens a menu of the item classes whose entries run while the manager customizes:
// the user's click on one adds an item of that class after the link.
TEST_F(CustomizingDesignTest, AnEntryOfAddItemAddsAnItemOfItsClass) {
    TdxBar* Tools = Manager->Bars()->Add();
    Tools->SetDockingStyle(dsTop);
    Tools->ItemLinks().Add(Open);
    Tools->SetVisible(true);
    testsupport::PumpUntilIdle();
    ShowCustomizingForm(*Manager, true);
    testsupport::PumpUntilIdle();
    TdxBarItemLinks& Links = Tools->ItemLinks();
    TdxBarCustomizingPopup* Popup =
        TdxBarCustomizingPopup::ShowAt(*Manager, Links.Items(0), &Links, {100, 100});
    ASSERT_NE(Popup, nullptr);
    const auto Centre = [](TCustomdxBarControl& Window, const pg::TRect& R) {
        return Window.ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    };
    const pg::TPoint AddItem = Centre(*Popup, Popup->Entries().Items(2)->ItemRect);
    Input.MoveTo(AddItem);
    Input.Click(AddItem);
    testsupport::PumpUntilIdle();
    auto* Classes = dynamic_cast<TdxBarSubItem*>(Popup->Entries().Items(2)->Item());
    ASSERT_NE(Classes, nullptr);
    auto* Menu = dynamic_cast<TCustomdxBarControl*>(Classes->ItemLinks().BarControl());
    ASSERT_NE(Menu, nullptr);
    EXPECT_FALSE(Menu->IsCustomizing());
    const pg::TPoint Entry = Centre(*Menu, Classes->ItemLinks().Items(0)->ItemRect);
    Input.MoveTo(Entry);
    Input.Click(Entry);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Links.Count(), 2);
    TdxBarItem* Made = Links.Items(1)->Item();
    EXPECT_EQ(&Made->ClassType(), &TdxBarButton::ClassRef());
    EXPECT_EQ(Made->Caption(), "New Item");
}

// In design mode the toolbars list tells the designer: a click on a toolbar's row selects that
// toolbar; closing the dialog selects the manager.
TEST_F(CustomizingDesignTest, TheToolbarsListSelectsInTheDesignerAndClosingSelectsTheManager) {
    // The first toolbar is the one selected when the dialog opens.
    TdxBar* Other = Manager->Bars()->Add();
    Other->SetCaption("Other");
    Other->SetDockingStyle(dsTop);
    Other->ItemLinks().Add(Copy);
    Other->SetVisible(true);
    TdxBar* Tools = Manager->Bars()->Add();
    Tools->SetCaption("Tools");
    Tools->SetDockingStyle(dsTop);
    Tools->ItemLinks().Add(Open);
    Tools->SetVisible(true);
    testsupport::PumpUntilIdle();
    ShowCustomizingForm(*Manager, true);
    testsupport::PumpUntilIdle();
    TdxBarCustomizingForm* Dialog = GetCustomizingForm();
    ASSERT_NE(Dialog, nullptr);
    Designer.Selected = nullptr;
    const int Row = Dialog->BarsListBox().IndexOfBar(Tools);
    ASSERT_GE(Row, 0);
    const pg::TRect Check = Dialog->BarsListBox().CheckRect(Row);
    Input.Click(
        Dialog->BarsListBox().ClientToScreen({Check.Right + 30, (Check.Top + Check.Bottom) / 2}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Designer.Selected, static_cast<pc::TPersistent*>(Tools));
    Input.Click(Dialog->BClose().ClientToScreen({10, 10}));
    testsupport::PumpUntilIdle();
    ASSERT_EQ(GetCustomizingForm(), nullptr);
    EXPECT_EQ(Designer.Selected, static_cast<pc::TPersistent*>(Manager));
}

// The unit's refresh routines: a renamed command shows its new name in the All commands columns
// and among the members of its group.
TEST_F(CustomizingDesignTest, TheRefreshRoutinesShowARenamedCommand) {
    First->Add(Open);
    TdxBarCustomizingDesignPages& Pages = OpenPages();
    Page(Pages.GroupsPage());
    ASSERT_EQ(Rows(Pages.lbGroupItems()), (std::vector<std::string>{"&Open (btnOpen)"}));
    const int NameColumn = Pages.LAllCommands().ColumnWidths[0];
    Open->Name = "btnOpenTheLibraryFromAFile";
    UpdateCustomizingAllCommands();
    EXPECT_GT(Pages.LAllCommands().ColumnWidths[0], NameColumn);
    UpdateCustomizingGroupItems();
    EXPECT_EQ(Rows(Pages.lbGroupItems()),
              (std::vector<std::string>{"&Open (btnOpenTheLibraryFromAFile)"}));
}

} // namespace
} // namespace toolkit::bars
