#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"

#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"

#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cstdlib>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

int GetCategoryRealIndex(const TdxBarManager& Manager, int Index) {
    if (Index < 0) return -1;
    if (Manager.IsDesigning()) return Index < Manager.Categories().Count() ? Index : -1;
    for (int I = 0; I < Manager.Categories().Count(); ++I)
        if (Manager.GetCategoryVisible(I) && Index-- == 0) return I;
    return -1;
}

std::vector<TdxBarItem*> GetVisibleItemsByCategory(const TdxBarManager& Manager, int Category) {
    std::vector<TdxBarItem*> Result = Manager.GetItemsByCategory(Category);
    if (!Manager.IsDesigning())
        std::erase_if(Result, [](const TdxBarItem* Item) { return !Item->ActuallyVisible(); });
    return Result;
}

// --- The commands list ---

TCommandsListBox::TCommandsListBox(pc::TComponent* Owner, TdxBarManager& Manager)
    : pf::TListBox(Owner), FBarManager(&Manager) {
    Style = pf::lbOwnerDrawFixed;
    SetColor(pg::clBtnFace);
    SetItemHeight(22);
}

TdxBarItem* TCommandsListBox::Items(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FItems.size())) return nullptr;
    return FItems[static_cast<std::size_t>(Index)];
}

int TCommandsListBox::IndexOfItem(const TdxBarItem* Item) const {
    const auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TCommandsListBox::SetCommands(const std::vector<TdxBarItem*>& Commands) {
    pf::TListBox::Items().BeginUpdate();
    Clear();
    FItems = Commands;
    for (TdxBarItem* Item : FItems)
        pf::TListBox::Items().Add(Item->Caption());
    pf::TListBox::Items().EndUpdate();
}

TdxBarCustomizingFormPainterClass TCommandsListBox::Painter() const {
    return dxBarCustomizingFormPainter(*FBarManager);
}

void TCommandsListBox::DrawItem(int Index, const pg::TRect& Rect, pf::TOwnerDrawState State) {
    TdxBarItem* Item = Items(Index);
    if (Item == nullptr) return;
    TdxBarCustomizingFormPainterClass P = Painter();
    pg::TCanvas& C = Canvas();
    C.Font().Assign(Font());
    const bool Selected = (State & pf::odSelected) != 0;
    // The caption as the bars show it, without its accelerator marks: the painter draws the
    // text as it stands.
    const std::string Caption = RemoveAccelChars(Item->Caption());
    if (TdxBarCustomizingFormPainter::IsEditItem(Item))
        P->DrawEditRow(C, Rect, Selected, Caption, Item);
    else
        P->DrawCommandRow(C, Rect, Selected, Caption, Item);
    if (State & pf::odFocused) {
        // The list inverts a focus rectangle over the row after this; the first one cancels it
        // so that only the painter's shows.
        C.DrawFocusRect(Rect);
        P->DrawFocus(C, Rect, Item);
    }
    C.Font().Assign(Font());
}

void TCommandsListBox::Paint() {
    const int Count = pf::TListBox::Items().Count();
    if (Count <= TopIndex()) return;
    const pg::TRect Last = ItemRect(Count - 1);
    Canvas().Brush().SetStyle(pg::TBrushStyle::bsSolid);
    Canvas().Brush().SetColor(Painter()->GetRowColor(false, nullptr));
    Canvas().FillRect({Last.Left, Last.Bottom, Last.Right, ClientHeight()});
}

void TCommandsListBox::SelectAt(pg::TPoint P) {
    const int Index = ItemAtPos(P, true);
    if (Index < 0 || Index == ItemIndex()) return;
    SetItemIndex(Index);
    Click();
}

void TCommandsListBox::MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    FDragPending = false;
    if (Button == pf::mbRight) {
        if (CanFocus()) SetFocus();
        SelectAt({X, Y});
        pf::TListBox::MouseDown(Button, Shift, X, Y);
        if (FBarManager->IsDesigning() && OnDesignPopup) OnDesignPopup(ClientToScreen({X, Y}));
        return;
    }
    const int Before = ItemIndex();
    pf::TListBox::MouseDown(Button, Shift, X, Y);
    if (Button != pf::mbLeft) return;
    const int Index = ItemAtPos({X, Y}, true);
    // A native list tells of a new selection at the press already.
    if (ItemIndex() != Before) Click();
    if (Index >= 0 && Index == ItemIndex()) {
        FDragPending = true;
        FDragStart = {X, Y};
        FDragItem = Items(Index);
    }
}

void TCommandsListBox::DetectDrag(bool LeftDown, pg::TPoint P) {
    if (!LeftDown) {
        FDragPending = false;
        return;
    }
    const int DX = pg::GetSystemMetrics(pg::SM_CXDRAG);
    const int DY = pg::GetSystemMetrics(pg::SM_CYDRAG);
    if (std::abs(P.X - FDragStart.X) < DX && std::abs(P.Y - FDragStart.Y) < DY) return;
    FDragPending = false;
    // The command pressed, wherever the pointer went since.
    TdxBarItem* Item = IndexOfItem(FDragItem) >= 0 ? FDragItem : nullptr;
    FDragItem = nullptr;
    if (Item == nullptr) return;
    if (pw::GetCapture() == Handle()) pw::ReleaseCapture();
    FBarManager->DragItem(Item, nullptr);
}

void TCommandsListBox::MouseUp(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    FDragPending = false;
    pf::TListBox::MouseUp(Button, Shift, X, Y);
}

void TCommandsListBox::KeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    if (FBarManager->IsDesigning() && OnDesignKeyDown && OnDesignKeyDown(Key, Shift)) {
        Key = 0;
        return;
    }
    pf::TListBox::KeyDown(Key, Shift);
}

void TCommandsListBox::Dispatch(pf::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_MOUSEMOVE:
        // Until the drag is told from a click the pointer belongs to the drag detection: the
        // list's own tracking would move the selection to the row under it.
        if (FDragPending) {
            DetectDrag((Message.WParam & pw::MK_LBUTTON) != 0, pw::LParamToPoint(Message.LParam));
            return;
        }
        break;
    case pw::WM_MOUSEACTIVATE: {
        pg::TPoint P;
        pw::GetCursorPos(&P);
        SelectAt(ScreenToClient(P));
        break;
    }
    case pw::WM_SETFOCUS:
        if (ItemIndex() < 0 && pf::TListBox::Items().Count() > 0) {
            SetItemIndex(0);
            Click();
        }
        break;
    default:
        break;
    }
    pf::TListBox::Dispatch(Message);
}

// --- The page ---

TdxBarCustomizingCommands::TdxBarCustomizingCommands(pf::TCustomForm& Form, pf::TWinControl& Page,
                                                     TdxBarManager& Manager)
    : FBarManager(&Manager) {
    FLabelCategories = &Form.Own<pf::TLabel>();
    FLabelCategories->SetParent(&Page);
    FLabelCategories->SetBounds(8, 6, 110, 13);
    FLabelCategories->SetCaption("Cate&gories:");
    FLCategories = &Form.Own<pf::TListBox>();
    FLCategories->SetParent(&Page);
    FLCategories->SetBounds(8, 22, 112, 150);
    FLCategories->OnClick = [this](pc::TObject*) { LCategoriesClick(); };
    FLabelCategories->SetFocusControl(FLCategories);

    FLabelCommands = &Form.Own<pf::TLabel>();
    FLabelCommands->SetParent(&Page);
    FLabelCommands->SetBounds(128, 6, 110, 13);
    FLabelCommands->SetCaption("Comman&ds:");
    FLCommands = &Form.Own<TCommandsListBox>(Manager);
    FLCommands->SetParent(&Page);
    FLCommands->SetBounds(128, 22, 210, 150);
    FLCommands->OnClick = [this](pc::TObject*) { LCommandsClick(); };
    FLabelCommands->SetFocusControl(FLCommands);

    FDescriptionPanel = &Form.Own<pf::TPanel>();
    FDescriptionPanel->SetParent(&Page);
    FDescriptionPanel->BevelOuter = pf::bvNone;
    FDescriptionPanel->SetBounds(8, 176, 330, 60);
    FLabelDescription = &Form.Own<pf::TLabel>();
    FLabelDescription->SetParent(FDescriptionPanel);
    FLabelDescription->SetBounds(0, 0, 64, 13);
    FLabelDescription->SetCaption("Description  ");
    FDescriptionBevel = &Form.Own<pf::TBevel>();
    FDescriptionBevel->SetParent(FDescriptionPanel);
    FDescriptionBevel->Shape = pf::bsTopLine;
    FDescriptionBevel->SetBounds(64, 6, 266, 2);
    FDescriptionLabel = &Form.Own<pf::TLabel>();
    FDescriptionLabel->SetParent(FDescriptionPanel);
    FDescriptionLabel->WordWrap = true;
    FDescriptionLabel->ShowAccelChar = false;
    FDescriptionLabel->SetBounds(8, 18, 318, 40);
    FDescriptionLabel->SetCaption("");

    FillCategories();
}

void TdxBarCustomizingCommands::FillCategories() {
    FLCategories->Clear();
    for (int I = 0;; ++I) {
        const int Real = GetCategoryRealIndex(*FBarManager, I);
        if (Real < 0) break;
        FLCategories->Items().Add(FBarManager->Categories()[Real]);
    }
    FLCategories->SetItemIndex(FLCategories->Items().Count() > 0 ? 0 : -1);
    LCategoriesClick();
}

void TdxBarCustomizingCommands::LCategoriesClick() {
    const int Category = GetCategoryRealIndex(*FBarManager, FLCategories->ItemIndex());
    FLCommands->SetCommands(Category < 0 ? std::vector<TdxBarItem*>{}
                                         : GetVisibleItemsByCategory(*FBarManager, Category));
    FDescriptionLabel->SetCaption("");
}

void TdxBarCustomizingCommands::LCommandsClick() {
    FBarManager->SetSelectedItem(nullptr);
    TdxBarItem* Item = FLCommands->SelectedItem();
    FDescriptionLabel->SetCaption(Item != nullptr ? Item->Description() : std::string());
    if (TdxBarDesigner* Designer = dxBarDesignerOf(*FBarManager); Designer && !Updating)
        Designer->SelectComponent(*FBarManager, Item != nullptr
                                                    ? static_cast<pc::TPersistent*>(Item)
                                                    : static_cast<pc::TPersistent*>(FBarManager));
}

bool TdxBarCustomizingCommands::ListAt(pg::TPoint Screen) const {
    if (!FLCommands->HandleAllocated() || !pw::IsWindowVisible(FLCommands->Handle())) return false;
    return pw::WindowFromPoint(Screen) == FLCommands->Handle();
}

void TdxBarCustomizingCommands::DropCommand(TdxBarItem& Item) {
    const int Category = GetCategoryRealIndex(*FBarManager, FLCategories->ItemIndex());
    const int From = FBarManager->IndexOfItem(&Item);
    if (Category < 0 || From < 0) return;
    int Last = -1;
    for (int I = 0; I < FBarManager->GetItemCount(); ++I)
        if (I != From && FBarManager->GetItem(I)->Category() == Category) Last = I;
    // Just after the last item of the category, counted without the command itself.
    const int To = Last < 0 ? From : (Last < From ? Last + 1 : Last);
    FBarManager->MoveItem(From, To);
    Item.SetCategory(Category);
    LCategoriesClick();
    const std::vector<TdxBarItem*> Shown = GetVisibleItemsByCategory(*FBarManager, Category);
    const auto It = std::find(Shown.begin(), Shown.end(), &Item);
    if (It != Shown.end()) FLCommands->SetItemIndex(static_cast<int>(It - Shown.begin()));
}

} // namespace toolkit::bars
