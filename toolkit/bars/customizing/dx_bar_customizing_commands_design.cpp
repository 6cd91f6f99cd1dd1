#include "toolkit/bars/customizing/dx_bar_customizing_commands_design.h"

#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"
#include "toolkit/bars/customizing/dx_bar_customizing_design_pages.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_item_add_editor.h"
#include "toolkit/bars/customizing/dx_bar_sub_menu_editor.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_list_item.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "platform/forms/dialogs.h"
#include "platform/forms/shortcuts.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

const char* const kDeleteCategoryQuestion = "Are you sure you want to delete the '%s' category?";
const char* const kClearCommandsQuestion =
    "Are you sure you want to delete all commands in the '%s' category?";

std::string Formatted(const char* Pattern, const std::string& Caption) {
    std::string Result = Pattern;
    Result.replace(Result.find("%s"), 2, Caption);
    return Result;
}

bool Asked(const char* Pattern, const std::string& Caption) {
    return pf::MessageBox(Formatted(Pattern, Caption), "", pf::MB_OKCANCEL | pf::MB_ICONQUESTION) ==
           pf::IDOK;
}

bool HasSubMenu(const TdxBarItem* Item) {
    return dynamic_cast<const TdxBarSubItem*>(Item) != nullptr ||
           dynamic_cast<const TdxBarContainerItem*>(Item) != nullptr;
}

} // namespace

// --- The drop-down button ---

TCheckableButton::TCheckableButton(pc::TComponent* Owner) : pf::TGraphicControl(Owner) {
    SetControlStyle(ControlStyle() & ~pf::csCaptureMouse);
}

void TCheckableButton::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    Invalidate();
}

void TCheckableButton::Paint() {
    pg::TCanvas& C = Canvas();
    pg::TRect R = ClientRect();
    C.Brush().SetColor(pg::clBtnFace);
    C.FillRect(R);
    if (FChecked) pg::DrawEdge(C.Handle(), &R, pg::BDR_SUNKENOUTER, pg::BF_RECT);
    const int CX = R.Left + R.Width() / 2 + (FChecked ? 1 : 0);
    const int CY = R.Top + R.Height() / 2 - 1 + (FChecked ? 1 : 0);
    const pg::TColor Arrow = Enabled() ? pg::clBtnText : pg::clGrayText;
    C.Brush().SetColor(Arrow);
    C.Pen().SetColor(Arrow);
    C.Polygon({{CX - 3, CY - 1}, {CX + 3, CY - 1}, {CX, CY + 2}});
}

void TCheckableButton::MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    pf::TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != pf::mbLeft) return;
    if (FClosedByClick) {
        FClosedByClick = false;
        return;
    }
    DropDown();
}

void TCheckableButton::DropDown() {
    if (PopupMenu == nullptr || PopupMenu->Shown()) return;
    FClosedByClick = false;
    SetChecked(true);
    const pg::TPoint P = ClientToScreen({0, Height()});
    PopupMenu->Popup(P.X, P.Y);
    SetChecked(false);
    // The click that closed the menu still reaches this button: it must not open it again.
    pg::TPoint Cursor;
    pw::GetCursorPos(&Cursor);
    const pg::TPoint Origin = ClientToScreen({0, 0});
    FClosedByClick =
        pw::GetKeyState(pw::VK_LBUTTON) < 0 &&
        pg::PtInRect({Origin.X, Origin.Y, Origin.X + Width(), Origin.Y + Height()}, Cursor);
}

// --- The editing ---

TdxBarCustomizingCommandsDesign::TdxBarCustomizingCommandsDesign(TdxBarCustomizingForm& Form)
    : FForm(Form), FBarManager(Form.BarManager()) {
    FDialogManager = &Form.Own<TdxBarManager>();
    const auto Button = [this](const char* Caption, const char* ShortCut) {
        auto& Item = FForm.Own<TdxBarButton>();
        Item.SetCaption(Caption);
        if (ShortCut != nullptr) Item.SetShortCut(pf::TextToShortCut(ShortCut));
        return &Item;
    };
    FCategoriesAdd = Button("Add...", nullptr);
    FCategoriesInsert = Button("Insert...", "Ins");
    FCategoriesRename = Button("Rename...", nullptr);
    FCategoriesVisible = Button("Visible", nullptr);
    FCategoriesVisible->SetButtonStyle(bsChecked);
    FCategoriesItemsVisible = &FForm.Own<TdxBarCombo>();
    FCategoriesItemsVisible->SetCaption("Items Visible:");
    FCategoriesItemsVisible->SetShowCaption(true);
    FCategoriesItemsVisible->ShowEditor = false;
    FCategoriesItemsVisible->SetWidth(170);
    // In the order of TdxBarItemVisible.
    for (const char* Entry : {"Never", "InCustomizing", "Always"})
        FCategoriesItemsVisible->Items().Add(Entry);
    FCategoriesDelete = Button("Delete", "Del");
    FCommandsAdd = Button("Add...", "Ins");
    FCommandsDelete = Button("Delete", "Del");
    FCommandsClear = Button("Clear", nullptr);
    FCommandsMoveUp = Button("Move Up", "Ctrl+Up");
    FCommandsMoveDown = Button("Move Down", "Ctrl+Down");
    FCommandsSubMenuEditor = Button("SubMenu Editor...", nullptr);

    FCategoriesAdd->OnClick = [this](pc::TObject*) { CategoriesAddClick(); };
    FCategoriesInsert->OnClick = [this](pc::TObject*) { CategoriesInsertClick(); };
    FCategoriesRename->OnClick = [this](pc::TObject*) { CategoriesRenameClick(); };
    FCategoriesVisible->OnClick = [this](pc::TObject*) { CategoriesVisibleClick(); };
    FCategoriesItemsVisible->OnChange = [this](pc::TObject*) { CategoriesItemsVisibleChange(); };
    FCategoriesDelete->OnClick = [this](pc::TObject*) { CategoriesDeleteClick(); };
    FCommandsAdd->OnClick = [this](pc::TObject*) { CommandsAddClick(); };
    FCommandsDelete->OnClick = [this](pc::TObject*) { CommandsDeleteClick(); };
    FCommandsClear->OnClick = [this](pc::TObject*) { CommandsClearClick(); };
    FCommandsMoveUp->OnClick = [this](pc::TObject*) { CommandsMoveUpClick(); };
    FCommandsMoveDown->OnClick = [this](pc::TObject*) { CommandsMoveDownClick(); };
    FCommandsSubMenuEditor->OnClick = [this](pc::TObject*) { CommandsSubMenuEditorClick(); };

    FCategoriesPopupMenu = &FForm.Own<TdxBarPopupMenu>();
    FCategoriesPopupMenu->SetBarManager(FDialogManager);
    TdxBarItemLinks& Categories = FCategoriesPopupMenu->ItemLinks();
    Categories.Add(FCategoriesAdd);
    Categories.Add(FCategoriesInsert);
    Categories.Add(FCategoriesRename);
    Categories.Add(FCategoriesVisible)->SetBeginGroup(true);
    Categories.Add(FCategoriesItemsVisible);
    Categories.Add(FCategoriesDelete)->SetBeginGroup(true);
    FCategoriesPopupMenu->OnPopup = [this](pc::TObject*) { CategoriesPopupMenuPopup(); };

    FCommandsPopupMenu = &FForm.Own<TdxBarPopupMenu>();
    FCommandsPopupMenu->SetBarManager(FDialogManager);
    TdxBarItemLinks& Commands = FCommandsPopupMenu->ItemLinks();
    Commands.Add(FCommandsAdd);
    Commands.Add(FCommandsDelete);
    Commands.Add(FCommandsClear);
    Commands.Add(FCommandsMoveUp)->SetBeginGroup(true);
    Commands.Add(FCommandsMoveDown);
    Commands.Add(FCommandsSubMenuEditor)->SetBeginGroup(true);
    FCommandsPopupMenu->OnPopup = [this](pc::TObject*) { CommandsPopupMenuPopup(); };

    const auto PopupButton = [this](TdxBarPopupMenu* Menu, const pf::TListBox& Under) {
        auto& B = FForm.Own<TCheckableButton>();
        B.SetParent(&FForm.CommandsPage());
        B.SetBounds(Under.Left() + Under.Width() - 18, Under.Top() - 19, 18, 17);
        B.PopupMenu = Menu;
        return &B;
    };
    FCategoriesPopupButton = PopupButton(FCategoriesPopupMenu, Page().LCategories());
    FCommandsPopupButton = PopupButton(FCommandsPopupMenu, Page().LCommands());

    pf::TListBox& LCategories = Page().LCategories();
    LCategories.OnMouseDown = [this](pc::TObject*, pf::TMouseButton Button, pf::TShiftState, int X,
                                     int Y) { CategoriesMouseDown(Button, X, Y); };
    LCategories.OnDragOver = [this](pc::TObject*, pc::TObject* Source, int X, int Y, pf::TDragState,
                                    bool& Accept) { CategoriesDragOver(Source, X, Y, Accept); };
    LCategories.OnEndDrag = [this](pc::TObject*, pc::TObject*, int, int) { FDraggedCategory = -1; };
    LCategories.OnKeyDown = [this](pc::TObject*, pf::WORD& Key, pf::TShiftState Shift) {
        CategoriesKeyDown(Key, Shift);
    };
    Page().LCommands().OnDesignPopup = [this](pg::TPoint Screen) {
        FCommandsPopupMenu->Popup(Screen.X, Screen.Y);
    };
    Page().LCommands().OnDesignKeyDown = [this](pf::WORD Key, pf::TShiftState Shift) {
        return CommandsKeyDown(Key, Shift);
    };

    // The sub-menu editor shows the owner of the links it edits on this page.
    SetdxBarSelectLinksOwner([this](TdxBarItemLinks& Links) {
        TdxBarItemLinksOwner* Owner = Links.Owner();
        auto* Item = Owner ? dynamic_cast<TdxBarItem*>(Owner->LinksOwnerComponent()) : nullptr;
        if (Item == nullptr) return;
        FForm.PageControl().SetActivePage(&FForm.CommandsPage());
        SelectCustomizingBarItem(Item, false);
    });
}

TdxBarCustomizingCommandsDesign::~TdxBarCustomizingCommandsDesign() {
    SetdxBarSelectLinksOwner({});
}

TdxBarCustomizingCommands& TdxBarCustomizingCommandsDesign::Page() const {
    return FForm.Commands();
}

int TdxBarCustomizingCommandsDesign::SelectedCategory() const {
    return GetCategoryRealIndex(FBarManager, Page().LCategories().ItemIndex());
}

TdxBarItem* TdxBarCustomizingCommandsDesign::SelectedCommand() const {
    return Page().LCommands().SelectedItem();
}

bool TdxBarCustomizingCommandsDesign::CanDeleteCategoryItems() const {
    TdxBarDesigner* Designer = dxBarDesignerOf(FBarManager);
    const int Category = SelectedCategory();
    if (Designer == nullptr || Category < 0) return false;
    for (TdxBarItem* Item : GetVisibleItemsByCategory(FBarManager, Category))
        if (!Designer->CanDeleteComponent(FBarManager, Item)) return false;
    return true;
}

void TdxBarCustomizingCommandsDesign::DesignerModified() {
    if (TdxBarDesigner* Designer = dxBarDesignerOf(FBarManager)) Designer->Modified(FBarManager);
}

void TdxBarCustomizingCommandsDesign::RunIfEnabled(TdxBarButton& Item) {
    if (Item.Enabled()) Item.Click();
}

// --- Categories ---

void TdxBarCustomizingCommandsDesign::CategoriesPopupMenuPopup() {
    const int Category = SelectedCategory();
    const bool Selected = Category >= 0;
    FPreparing = true;
    FCategoriesInsert->SetEnabled(Selected);
    FCategoriesRename->SetEnabled(Selected);
    FCategoriesVisible->SetEnabled(Selected);
    FCategoriesItemsVisible->SetEnabled(Selected);
    FCategoriesVisible->SetDown(Selected && FBarManager.GetCategoryVisible(Category));
    FCategoriesItemsVisible->SetItemIndex(
        Selected ? static_cast<int>(FBarManager.GetCategoryItemsVisible(Category)) : -1);
    FCategoriesDelete->SetEnabled(Selected && FBarManager.Categories().Count() > 1 &&
                                  CanDeleteCategoryItems());
    FPreparing = false;
}

void TdxBarCustomizingCommandsDesign::EditCategory(int At, bool Rename) {
    TdxBarManagerCategories& Categories = FBarManager.Categories();
    std::string Name = Rename ? Categories[At] : std::string();
    const TdxBarNameMode Mode = Rename   ? nmRenameCategory
                                : At < 0 ? nmNewCategory
                                         : nmInsertCategory;
    if (!dxBarAskName(Mode, Name, nullptr, nullptr)) return;
    pf::TListBox& List = Page().LCategories();
    int Index = At;
    if (Rename) {
        Categories.SetStrings(At, Name);
        List.Items().SetStrings(At, Name);
    } else if (At < 0) {
        Index = Categories.Add(Name);
        List.Items().Add(Name);
    } else {
        Categories.Insert(At, Name);
        List.Items().Insert(At, Name);
    }
    List.SetItemIndex(Index);
    Page().LCategoriesClick();
    DesignerModified();
}

void TdxBarCustomizingCommandsDesign::CategoriesAddClick() {
    EditCategory(-1, false);
}

void TdxBarCustomizingCommandsDesign::CategoriesInsertClick() {
    if (const int Category = SelectedCategory(); Category >= 0) EditCategory(Category, false);
}

void TdxBarCustomizingCommandsDesign::CategoriesRenameClick() {
    if (const int Category = SelectedCategory(); Category >= 0) EditCategory(Category, true);
}

void TdxBarCustomizingCommandsDesign::CategoriesVisibleClick() {
    if (const int Category = SelectedCategory(); Category >= 0 && !FPreparing)
        FBarManager.SetCategoryVisible(Category, FCategoriesVisible->Down());
}

void TdxBarCustomizingCommandsDesign::CategoriesItemsVisibleChange() {
    const int Category = SelectedCategory();
    const int Value = FCategoriesItemsVisible->ItemIndex();
    if (FPreparing || Category < 0 || Value < ivNever || Value > ivAlways) return;
    FBarManager.SetCategoryItemsVisible(Category, static_cast<TdxBarItemVisible>(Value));
}

void TdxBarCustomizingCommandsDesign::CategoriesDeleteClick() {
    TdxBarManagerCategories& Categories = FBarManager.Categories();
    const int Category = SelectedCategory();
    if (Category < 0 || Categories.Count() <= 1) return;
    if (!Asked(kDeleteCategoryQuestion, Categories[Category])) return;
    pf::TListBox& List = Page().LCategories();
    // The commands list holds the items that go with the category.
    Page().LCommands().SetCommands({});
    Categories.Delete(Category);
    List.Items().Delete(Category);
    List.SetItemIndex(std::min(Category, List.pf::TListBox::Items().Count() - 1));
    Page().LCategoriesClick();
    DesignerModified();
}

void TdxBarCustomizingCommandsDesign::CategoriesMouseDown(pf::TMouseButton Button, int X, int Y) {
    pf::TListBox& List = Page().LCategories();
    const int Index = List.ItemAtPos({X, Y}, true);
    if (Button == pf::mbLeft) {
        FDraggedCategory = Index;
        if (Index < 0) return;
        // The drag takes the release that would have told of the new selection.
        Page().LCategoriesClick();
        List.BeginDrag(false);
        return;
    }
    if (Button != pf::mbRight) return;
    if (Index >= 0 && Index != List.ItemIndex()) {
        List.SetItemIndex(Index);
        Page().LCategoriesClick();
    }
    const pg::TPoint P = List.ClientToScreen({X, Y});
    FCategoriesPopupMenu->Popup(P.X, P.Y);
}

void TdxBarCustomizingCommandsDesign::CategoriesDragOver(pc::TObject* Source, int X, int Y,
                                                         bool& Accept) {
    pf::TListBox& List = Page().LCategories();
    Accept = Source == &List && FDraggedCategory >= 0;
    if (!Accept) return;
    const int Index = List.ItemAtPos({X, Y}, true);
    if (Index < 0 || Index == FDraggedCategory) return;
    FBarManager.Categories().Move(FDraggedCategory, Index);
    const std::string Name = List.Items()[FDraggedCategory];
    List.Items().Delete(FDraggedCategory);
    List.Items().Insert(Index, Name);
    List.SetItemIndex(Index);
    FDraggedCategory = Index;
    DesignerModified();
}

void TdxBarCustomizingCommandsDesign::CategoriesKeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    if (!FBarManager.IsDesigning() || (Shift & (pf::ssShift | pf::ssCtrl | pf::ssAlt)) != 0) return;
    if (Key != pw::VK_INSERT && Key != pw::VK_DELETE) return;
    CategoriesPopupMenuPopup();
    RunIfEnabled(Key == pw::VK_INSERT ? *FCategoriesInsert : *FCategoriesDelete);
    Key = 0;
}

// --- Commands ---

void TdxBarCustomizingCommandsDesign::CommandsPopupMenuPopup() {
    TdxBarDesigner* Designer = dxBarDesignerOf(FBarManager);
    TCommandsListBox& List = Page().LCommands();
    TdxBarItem* Item = SelectedCommand();
    const int Index = List.ItemIndex();
    const bool CanDelete =
        Designer != nullptr && Item != nullptr && Designer->CanDeleteComponent(FBarManager, Item);
    FCommandsAdd->SetEnabled(Designer != nullptr && SelectedCategory() >= 0 &&
                             Designer->CanAddComponent(FBarManager));
    FCommandsDelete->SetEnabled(CanDelete);
    FCommandsClear->SetEnabled(List.pf::TListBox::Items().Count() > 0 && CanDeleteCategoryItems());
    FCommandsMoveUp->SetEnabled(Item != nullptr && Index > 0);
    FCommandsMoveDown->SetEnabled(Item != nullptr &&
                                  Index < List.pf::TListBox::Items().Count() - 1);
    FCommandsSubMenuEditor->SetEnabled(CanDelete && HasSubMenu(Item));
}

void TdxBarCustomizingCommandsDesign::CommandsAddClick() {
    const int Category = SelectedCategory();
    if (Category < 0) return;
    TdxBarItem* Item = dxBarItemAddEditor(&FBarManager, Category);
    if (Item == nullptr) return;
    SelectCustomizingBarItem(Item, true);
    Page().LCommandsClick();
    if (TdxBarCustomizingDesignPages* Pages = FForm.DesignPages()) Pages->UpdateAllCommands();
    if (Page().LCommands().CanFocus()) Page().LCommands().SetFocus();
}

void TdxBarCustomizingCommandsDesign::CommandsDeleteClick() {
    TdxBarDesigner* Designer = dxBarDesignerOf(FBarManager);
    TCommandsListBox& List = Page().LCommands();
    const int Index = List.ItemIndex();
    TdxBarItem* Item = SelectedCommand();
    if (Designer == nullptr || Item == nullptr) return;
    std::vector<TdxBarItem*> Rest = GetVisibleItemsByCategory(FBarManager, SelectedCategory());
    Rest.erase(std::find(Rest.begin(), Rest.end(), Item));
    // The list lets go of the item before it is freed.
    List.SetCommands(Rest);
    FDeleting = true;
    Designer->DeleteComponent(FBarManager, Item);
    FDeleting = false;
    Page().LCategoriesClick();
    Designer->Modified(FBarManager);
    List.SetItemIndex(std::min(Index, List.pf::TListBox::Items().Count() - 1));
    Page().LCommandsClick();
    if (TdxBarCustomizingDesignPages* Pages = FForm.DesignPages()) Pages->UpdateAllCommands();
}

void TdxBarCustomizingCommandsDesign::CommandsClearClick() {
    TdxBarDesigner* Designer = dxBarDesignerOf(FBarManager);
    const int Category = SelectedCategory();
    if (Designer == nullptr || Category < 0) return;
    if (!Asked(kClearCommandsQuestion, FBarManager.Categories()[Category])) return;
    const std::vector<TdxBarItem*> Items = GetVisibleItemsByCategory(FBarManager, Category);
    Page().LCommands().SetCommands({});
    FDeleting = true;
    for (TdxBarItem* Item : Items)
        Designer->DeleteComponent(FBarManager, Item);
    FDeleting = false;
    Designer->Modified(FBarManager);
    Page().LCategoriesClick();
    Page().LCommandsClick();
    if (TdxBarCustomizingDesignPages* Pages = FForm.DesignPages()) Pages->UpdateAllCommands();
}

void TdxBarCustomizingCommandsDesign::MoveCommand(int Delta) {
    TCommandsListBox& List = Page().LCommands();
    TdxBarItem* Item = SelectedCommand();
    TdxBarItem* Neighbour = List.Items(List.ItemIndex() + Delta);
    if (Item == nullptr || Neighbour == nullptr) return;
    FBarManager.ExchangeItems(FBarManager.IndexOfItem(Item), FBarManager.IndexOfItem(Neighbour));
    Page().LCategoriesClick();
    List.SetItemIndex(List.IndexOfItem(Item));
    Page().LCommandsClick();
    if (TdxBarCustomizingDesignPages* Pages = FForm.DesignPages()) Pages->UpdateAllCommands();
}

void TdxBarCustomizingCommandsDesign::CommandsSubMenuEditorClick() {
    if (auto* Sub = dynamic_cast<TCustomdxBarSubItem*>(SelectedCommand()); Sub && HasSubMenu(Sub))
        ShowSubMenuEditor(&Sub->ItemLinks());
}

bool TdxBarCustomizingCommandsDesign::CommandsKeyDown(pf::WORD Key, pf::TShiftState Shift) {
    const pf::TShiftState Modifiers = Shift & (pf::ssShift | pf::ssCtrl | pf::ssAlt);
    TdxBarButton* Run = nullptr;
    if (Modifiers == pf::ssCtrl && Key == pw::VK_UP)
        Run = FCommandsMoveUp;
    else if (Modifiers == pf::ssCtrl && Key == pw::VK_DOWN)
        Run = FCommandsMoveDown;
    else if (Modifiers == 0 && Key == pw::VK_INSERT)
        Run = FCommandsAdd;
    else if (Modifiers == 0 && Key == pw::VK_DELETE)
        Run = FCommandsDelete;
    if (Run == nullptr) return false;
    CommandsPopupMenuPopup();
    RunIfEnabled(*Run);
    return true;
}

// --- The unit's routine ---

void SelectCustomizingBarItem(TdxBarItem* Item, bool Force) {
    TdxBarCustomizingForm* Dialog = GetCustomizingForm();
    if (Dialog == nullptr || Item == nullptr) return;
    TdxBarCustomizingCommands& Page = Dialog->Commands();
    TdxBarManager& Manager = Dialog->BarManager();
    Page.Updating = true;
    pf::TListBox& Categories = Page.LCategories();
    int Row = -1;
    for (int I = 0; I < Categories.Items().Count() && Row < 0; ++I)
        if (GetCategoryRealIndex(Manager, I) == Item->Category()) Row = I;
    if (Row >= 0 && (Row != Categories.ItemIndex() || Force)) {
        Categories.SetItemIndex(Row);
        Page.LCategoriesClick();
    }
    TCommandsListBox& Commands = Page.LCommands();
    Commands.SetItemIndex(Commands.IndexOfItem(Item));
    Page.LCommandsClick();
    Page.Updating = false;
}

} // namespace toolkit::bars
