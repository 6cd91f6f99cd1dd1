#include "toolkit/bars/customizing/dx_bar_customizing_design_pages.h"

#include "toolkit/bars/customizing/dx_bar_add_group_items.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_group.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/core/exception.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/shortcuts.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/text_out.h"
#include "platform/win/messages.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

std::string ShortCutText(const TdxBarItem* Item) {
    return Item->ShortCut() != 0 ? pf::ShortCutToText(Item->ShortCut()) : std::string();
}

int TextWidthIn(pg::TFont& Font, const std::string& Text) {
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    pg::SelectObject(DC, Font.Handle());
    pg::TSize Size{};
    pg::GetTextExtentPoint32(DC, Text.c_str(), static_cast<int>(Text.size()), &Size);
    pg::DeleteDC(DC);
    return Size.cx;
}

void SelectInDesigner(TdxBarManager& Manager, pc::TPersistent* Instance) {
    if (TdxBarDesigner* Designer = dxBarDesignerOf(Manager))
        Designer->SelectComponent(Manager, Instance);
}

} // namespace

bool dxBarItemPublishesShortCut(const TdxBarItem* Item) {
    return dynamic_cast<const TdxBarButton*>(Item) != nullptr;
}

// --- All commands ---

TdxBarAllCommandsList::TdxBarAllCommandsList(pc::TComponent* AOwner) : pf::TListBox(AOwner) {
    Style = pf::lbOwnerDrawFixed;
}

void TdxBarAllCommandsList::SetEntries(std::vector<TdxBarItem*> Entries) {
    FEntries = std::move(Entries);
    std::fill(std::begin(ColumnWidths), std::end(ColumnWidths), 0);
    Clear();
    Items().BeginUpdate();
    for (TdxBarItem* Item : FEntries) {
        Items().Add(Item->Name);
        ColumnWidths[0] = std::max(ColumnWidths[0], TextWidthIn(Font(), Item->Name));
        ColumnWidths[1] = std::max(ColumnWidths[1], TextWidthIn(Font(), Item->Caption()));
        ColumnWidths[2] = std::max(ColumnWidths[2], TextWidthIn(Font(), ShortCutText(Item)));
    }
    Items().EndUpdate();
}

TdxBarItem* TdxBarAllCommandsList::Entries(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FEntries.size())) return nullptr;
    return FEntries[static_cast<std::size_t>(Index)];
}

int TdxBarAllCommandsList::IndexOfEntry(const TdxBarItem* Item) const {
    const auto It = std::find(FEntries.begin(), FEntries.end(), Item);
    return It == FEntries.end() ? -1 : static_cast<int>(It - FEntries.begin());
}

int TdxBarAllCommandsList::FirstLine() const {
    return 5 + ColumnWidths[0] + 10;
}

int TdxBarAllCommandsList::SecondLine() const {
    return FirstLine() + 5 + ColumnWidths[1] + 10;
}

void TdxBarAllCommandsList::DrawItem(int Index, const pg::TRect& Rect, pf::TOwnerDrawState State) {
    TdxBarItem* Item = Entries(Index);
    if (Item == nullptr) return;
    pg::TCanvas& C = Canvas();
    const bool Selected = (State & pf::odSelected) != 0;
    C.Brush().SetStyle(pg::TBrushStyle::bsSolid);
    C.Brush().SetColor(Selected ? pg::clHighlight : Color());
    C.FillRect(Rect);
    C.Font().SetColor(Selected ? pg::clHighlightText : pg::clWindowText);
    C.Brush().SetStyle(pg::TBrushStyle::bsClear);
    const int Y = Rect.Top + 1;
    C.TextRect({Rect.Left, Rect.Top, FirstLine(), Rect.Bottom}, Rect.Left + 5, Y, Item->Name);
    C.TextRect({FirstLine() + 1, Rect.Top, SecondLine(), Rect.Bottom}, FirstLine() + 5, Y,
               Item->Caption());
    C.TextRect({SecondLine() + 1, Rect.Top, Rect.Right, Rect.Bottom}, SecondLine() + 5, Y,
               ShortCutText(Item));
    C.Pen().SetColor(Selected ? pg::clHighlightText : pg::clBtnShadow);
    for (const int X : {FirstLine(), SecondLine()}) {
        C.MoveTo(X, Rect.Top);
        C.LineTo(X, Rect.Bottom);
    }
}

void TdxBarAllCommandsList::Paint() {
    pf::TListBox::Paint();
    const int Count = Items().Count();
    int Top = 0;
    if (Count > TopIndex()) Top = ItemRect(Count - 1).Bottom;
    if (Top >= ClientHeight()) return;
    Canvas().Pen().SetColor(pg::clBtnShadow);
    for (const int X : {FirstLine(), SecondLine()}) {
        Canvas().MoveTo(X, Top);
        Canvas().LineTo(X, ClientHeight());
    }
}

// --- Group lists ---

TdxBarGroupList::TdxBarGroupList(pc::TComponent* AOwner) : pf::TListBox(AOwner) {
    Style = pf::lbOwnerDrawFixed;
}

void TdxBarGroupList::SetEntries(std::vector<pc::TComponent*> Entries) {
    FEntries = std::move(Entries);
    Clear();
    Items().BeginUpdate();
    for (pc::TComponent* Entry : FEntries) {
        auto* Item = dynamic_cast<TdxBarItem*>(Entry);
        Items().Add(Item ? Item->Caption() + " (" + Entry->Name + ")" : Entry->Name);
    }
    Items().EndUpdate();
}

pc::TComponent* TdxBarGroupList::Entries(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FEntries.size())) return nullptr;
    return FEntries[static_cast<std::size_t>(Index)];
}

void TdxBarGroupList::DrawItem(int Index, const pg::TRect& Rect, pf::TOwnerDrawState State) {
    pg::TCanvas& C = Canvas();
    const bool Selected = (State & pf::odSelected) != 0;
    C.Brush().SetStyle(pg::TBrushStyle::bsSolid);
    C.Brush().SetColor(Selected ? pg::clHighlight : Color());
    C.FillRect(Rect);
    C.Font().SetColor(Selected ? pg::clHighlightText : pg::clWindowText);
    C.Font().SetStyle(dynamic_cast<TdxBarGroup*>(Entries(Index)) ? pg::fsBold : 0);
    C.Brush().SetStyle(pg::TBrushStyle::bsClear);
    C.TextRect(Rect, Rect.Left + 2, Rect.Top + 1, Items()[Index]);
    C.Font().SetStyle(0);
}

// --- The pages ---

TdxBarCustomizingDesignPages::TdxBarCustomizingDesignPages(TdxBarCustomizingForm& Form)
    : FBarManager(Form.BarManager()) {
    pf::TPageControl& Pages = Form.PageControl();
    const auto AddPage = [&](const char* Caption) {
        auto& Page = Form.Own<pf::TTabSheet>();
        Page.SetCaption(Caption);
        Page.SetPageControl(&Pages);
        return &Page;
    };
    FTabSheet4 = AddPage(" All commands ");
    FTabSheet5 = AddPage("Groups");
    const auto Place = [&]<class T>(T* Made, pf::TWinControl* Parent, int X, int Y, int W, int H) {
        Made->SetParent(Parent);
        Made->SetBounds(X, Y, W, H);
        return Made;
    };
    const auto AddButton = [&](pf::TWinControl* Parent, const char* Caption, int X, int Y) {
        auto* B = Place(&Form.Own<pf::TButton>(), Parent, X, Y, 75, 23);
        B->SetCaption(Caption);
        return B;
    };

    FLAllCommands = Place(&Form.Own<TdxBarAllCommandsList>(), FTabSheet4, 8, 8, 330, 196);
    FLAllCommands->OnClick = [this](pc::TObject*) { LAllCommandsClick(); };
    FCBShowCommandsWithShortCut = Place(&Form.Own<pf::TCheckBox>(), FTabSheet4, 8, 212, 330, 17);
    FCBShowCommandsWithShortCut->SetCaption("Show commands that may have a shortcut");
    FCBShowCommandsWithShortCut->SetChecked(true);
    FCBShowCommandsWithShortCut->OnClick = [this](pc::TObject*) { UpdateAllCommands(); };

    FGroupBox1 = Place(&Form.Own<pf::TGroupBox>(), FTabSheet5, 8, 4, 160, 200);
    FGroupBox1->SetCaption(" Groups ");
    FGroupBox2 = Place(&Form.Own<pf::TGroupBox>(), FTabSheet5, 176, 4, 162, 200);
    FGroupBox2->SetCaption(" Items ");
    FlbGroups = Place(&Form.Own<TdxBarGroupList>(), FGroupBox1, 8, 18, 144, 144);
    FlbGroupItems = Place(&Form.Own<TdxBarGroupList>(), FGroupBox2, 8, 18, 146, 144);
    FlbGroupItems->MultiSelect = true;
    for (TdxBarGroupList* List : {FlbGroups, FlbGroupItems}) {
        List->Font().Assign(FBarManager.Font());
        List->SetItemHeight(dxBarGroupListRowHeight(List->Font()));
    }
    FbtnGroupAdd = AddButton(FGroupBox1, "Add", 8, 168);
    FbtnGroupDelete = AddButton(FGroupBox1, "Delete", 86, 168);
    FbtnGroupItemAdd = AddButton(FGroupBox2, "&Add...", 8, 168);
    FbtnGroupItemDelete = AddButton(FGroupBox2, "Delete", 86, 168);
    FbtnMoveUp = AddButton(FTabSheet5, "Move Up", 8, 210);
    FbtnMoveDown = AddButton(FTabSheet5, "Move Down", 90, 210);

    FlbGroups->OnClick = [this](pc::TObject*) {
        FGroupItemsFocused = false;
        UpdateGroupItems();
    };
    FlbGroupItems->OnClick = [this](pc::TObject*) {
        FGroupItemsFocused = true;
        UpdateGroupButtons();
    };
    FlbGroups->OnEnter = [this](pc::TObject*) {
        FGroupItemsFocused = false;
        UpdateGroupButtons();
    };
    FlbGroupItems->OnEnter = [this](pc::TObject*) {
        FGroupItemsFocused = true;
        UpdateGroupButtons();
    };
    FlbGroups->OnKeyDown = [this](pc::TObject*, pf::WORD& Key, pf::TShiftState Shift) {
        if (Shift == 0) ListKey(Key, *FbtnGroupAdd, *FbtnGroupDelete);
    };
    FlbGroupItems->OnKeyDown = [this](pc::TObject*, pf::WORD& Key, pf::TShiftState Shift) {
        if (Shift == 0) ListKey(Key, *FbtnGroupItemAdd, *FbtnGroupItemDelete);
    };
    FbtnGroupAdd->OnClick = [this](pc::TObject*) { btnGroupAddClick(); };
    FbtnGroupDelete->OnClick = [this](pc::TObject*) { btnGroupDeleteClick(); };
    FbtnGroupItemAdd->OnClick = [this](pc::TObject*) { btnGroupItemAddClick(); };
    FbtnGroupItemDelete->OnClick = [this](pc::TObject*) { btnGroupItemDeleteClick(); };
    FbtnMoveUp->OnClick = [this](pc::TObject*) { btnMoveUpClick(); };
    FbtnMoveDown->OnClick = [this](pc::TObject*) { btnMoveDownClick(); };

    UpdateAllCommands();
    UpdateGroups();
}

void TdxBarCustomizingDesignPages::UpdateAllCommands() {
    TdxBarItem* Selected = FLAllCommands->Entries(FLAllCommands->ItemIndex());
    const int Top = FLAllCommands->TopIndex();
    const bool OnlyShortCuts = FCBShowCommandsWithShortCut->Checked();
    std::vector<TdxBarItem*> Entries;
    for (int I = 0; I < FBarManager.GetItemCount(); ++I) {
        TdxBarItem* Item = FBarManager.GetItem(I);
        if (Item->Category() < 0) continue;
        if (OnlyShortCuts && !dxBarItemPublishesShortCut(Item)) continue;
        Entries.push_back(Item);
    }
    FLAllCommands->SetEntries(std::move(Entries));
    FLAllCommands->SetTopIndex(Top);
    FLAllCommands->SetItemIndex(FLAllCommands->IndexOfEntry(Selected));
    FLAllCommands->Invalidate();
}

void TdxBarCustomizingDesignPages::LAllCommandsClick() {
    TdxBarItem* Item = FLAllCommands->Entries(FLAllCommands->ItemIndex());
    SelectInDesigner(FBarManager, Item ? FBarManager.GetItemComponent(FBarManager.IndexOfItem(Item))
                                       : static_cast<pc::TPersistent*>(&FBarManager));
}

TdxBarGroup* TdxBarCustomizingDesignPages::SelectedGroup() const {
    // Compared, not read: the row may hold a group that is gone.
    const pc::TComponent* Entry = FlbGroups->Entries(FlbGroups->ItemIndex());
    for (int I = 0; Entry != nullptr && I < FBarManager.GetGroupCount(); ++I)
        if (static_cast<pc::TComponent*>(FBarManager.GetGroup(I)) == Entry)
            return FBarManager.GetGroup(I);
    return nullptr;
}

void TdxBarCustomizingDesignPages::UpdateGroups() {
    TdxBarGroup* Selected = SelectedGroup();
    std::vector<pc::TComponent*> Groups;
    int Index = Selected == nullptr && FBarManager.GetGroupCount() > 0 ? 0 : -1;
    for (int I = 0; I < FBarManager.GetGroupCount(); ++I) {
        if (FBarManager.GetGroup(I) == Selected) Index = I;
        Groups.push_back(FBarManager.GetGroup(I));
    }
    FlbGroups->SetEntries(std::move(Groups));
    FlbGroups->SetItemIndex(Index);
    UpdateGroupItems();
}

void TdxBarCustomizingDesignPages::UpdateGroupItems() {
    std::vector<pc::TComponent*> Members;
    if (TdxBarGroup* Group = SelectedGroup())
        for (int I = 0; I < Group->Count(); ++I)
            Members.push_back(Group->Items(I));
    FlbGroupItems->SetEntries(std::move(Members));
    UpdateGroupButtons();
}

void TdxBarCustomizingDesignPages::UpdateGroupButtons() {
    const bool HasGroup = SelectedGroup() != nullptr;
    int First = -1, Last = -1;
    for (int I = 0; I < FlbGroupItems->Items().Count(); ++I)
        if (FlbGroupItems->Selected(I)) {
            if (First < 0) First = I;
            Last = I;
        }
    FbtnGroupAdd->SetEnabled(true);
    FbtnGroupDelete->SetEnabled(HasGroup);
    FbtnGroupItemAdd->SetEnabled(HasGroup);
    FbtnGroupItemDelete->SetEnabled(First >= 0);
    if (FGroupItemsFocused) {
        FbtnMoveUp->SetEnabled(First > 0);
        FbtnMoveDown->SetEnabled(Last >= 0 && Last < FlbGroupItems->Items().Count() - 1);
    } else {
        const int Index = FlbGroups->ItemIndex();
        FbtnMoveUp->SetEnabled(HasGroup && Index > 0);
        FbtnMoveDown->SetEnabled(HasGroup && Index < FlbGroups->Items().Count() - 1);
    }
}

void TdxBarCustomizingDesignPages::btnGroupAddClick() {
    TdxBarGroup* Group = FBarManager.AddGroup();
    UpdateGroups();
    FlbGroups->SetItemIndex(FBarManager.IndexOfGroup(Group));
    FGroupItemsFocused = false;
    UpdateGroupItems();
}

void TdxBarCustomizingDesignPages::btnGroupDeleteClick() {
    TdxBarGroup* Group = SelectedGroup();
    if (Group == nullptr) return;
    const int Index = FlbGroups->ItemIndex();
    FlbGroupItems->SetEntries({});
    TdxBarDesigner* Designer = dxBarDesignerOf(FBarManager);
    if (Designer == nullptr || !Designer->DeleteComponent(FBarManager, Group))
        if (pc::TComponent* Owner = Group->Owner()) Owner->FreeComponent(*Group);
    FBarManager.DesignerModified();
    UpdateGroups();
    FlbGroups->SetItemIndex(std::min(Index, FlbGroups->Items().Count() - 1));
    UpdateGroupItems();
}

void TdxBarCustomizingDesignPages::btnGroupItemAddClick() {
    TdxBarGroup* Group = SelectedGroup();
    if (Group == nullptr) return;
    std::vector<pc::TComponent*> Chosen;
    if (!dxBarAddGroupItems(&FBarManager, Group, Chosen)) return;
    try {
        for (pc::TComponent* Entry : Chosen)
            Group->Add(Entry);
    } catch (const pc::Exception& E) {
        UpdateGroupItems();
        pf::MessageBox(E.Message(), "", pf::MB_ICONERROR);
        return;
    }
    FBarManager.DesignerModified();
    UpdateGroupItems();
}

void TdxBarCustomizingDesignPages::btnGroupItemDeleteClick() {
    TdxBarGroup* Group = SelectedGroup();
    if (Group == nullptr) return;
    for (int I = FlbGroupItems->Items().Count() - 1; I >= 0; --I)
        if (FlbGroupItems->Selected(I)) Group->Remove(FlbGroupItems->Entries(I));
    FBarManager.DesignerModified();
    UpdateGroupItems();
}

void TdxBarCustomizingDesignPages::MoveSelection(int Delta) {
    TdxBarGroup* Group = SelectedGroup();
    if (Group == nullptr) return;
    if (!FGroupItemsFocused) {
        const int Index = Group->Index();
        if (Index + Delta < 0 || Index + Delta >= FBarManager.GetGroupCount()) return;
        Group->SetIndex(Index + Delta);
        FBarManager.DesignerModified();
        UpdateGroups();
        return;
    }
    const int Count = FlbGroupItems->Items().Count();
    std::vector<pc::TComponent*> Moved;
    for (int I = 0; I < Count; ++I)
        if (FlbGroupItems->Selected(I)) Moved.push_back(FlbGroupItems->Entries(I));
    if (Moved.empty()) return;
    // The block moves as a whole; at an end nothing moves.
    if ((Delta < 0 && Group->IndexOf(Moved.front()) == 0) ||
        (Delta > 0 && Group->IndexOf(Moved.back()) == Count - 1))
        return;
    if (Delta > 0) std::reverse(Moved.begin(), Moved.end());
    for (pc::TComponent* Entry : Moved) {
        const int Index = Group->IndexOf(Entry);
        Group->Move(Index, Index + Delta);
    }
    FBarManager.DesignerModified();
    UpdateGroupItems();
    for (pc::TComponent* Entry : Moved)
        FlbGroupItems->SetSelected(Group->IndexOf(Entry), true);
    UpdateGroupButtons();
}

void TdxBarCustomizingDesignPages::ListKey(pf::WORD& Key, pf::TButton& Insert,
                                           pf::TButton& Delete) {
    pf::TButton* Button = Key == pw::VK_INSERT ? &Insert : Key == pw::VK_DELETE ? &Delete : nullptr;
    if (Button == nullptr || !Button->Enabled()) return;
    Key = 0;
    Button->Click();
}

} // namespace toolkit::bars
