#include "toolkit/bars/customizing/dx_bar_add_group_items.h"

#include "toolkit/bars/model/dx_bar_categories.h"
#include "toolkit/bars/model/dx_bar_group.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/forms/place_control.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/text_out.h"

#include <memory>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

namespace {

bool AskWithDialog(TdxBarManager* Manager, TdxBarGroup* Group,
                   std::vector<pc::TComponent*>& Result) {
    auto Dialog = std::make_unique<TfrmAddGroupItems>(nullptr);
    Dialog->AfterConstruction();
    Dialog->Prepare(Manager, Group, &Result);
    return Dialog->ShowModal() == pf::mrOk;
}

TdxBarAddGroupItemsQuery& Query() {
    static TdxBarAddGroupItemsQuery Current = AskWithDialog;
    return Current;
}

} // namespace

int dxBarGroupListRowHeight(pg::TFont& Font) {
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    pg::SelectObject(DC, Font.Handle());
    pg::TSize Size{};
    pg::GetTextExtentPoint32(DC, "Qq", 2, &Size);
    pg::DeleteDC(DC);
    return Size.cy + 2;
}

// --- The list ---

TdxBarAddGroupItemsList::TdxBarAddGroupItemsList(pc::TComponent* AOwner) : pf::TListBox(AOwner) {
    Style = pf::lbOwnerDrawFixed;
    MultiSelect = true;
}

void TdxBarAddGroupItemsList::AddHeading(const std::string& Text) {
    FObjects.push_back(nullptr);
    Items().Add("~" + Text);
}

void TdxBarAddGroupItemsList::AddEntry(const std::string& Text, pc::TComponent* Entry) {
    FObjects.push_back(Entry);
    Items().Add(Text);
}

void TdxBarAddGroupItemsList::ClearEntries() {
    FObjects.clear();
    Clear();
}

pc::TComponent* TdxBarAddGroupItemsList::Objects(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FObjects.size())) return nullptr;
    return FObjects[static_cast<std::size_t>(Index)];
}

void TdxBarAddGroupItemsList::DrawItem(int Index, const pg::TRect& Rect,
                                       pf::TOwnerDrawState State) {
    pg::TCanvas& C = Canvas();
    const std::string Text = Items()[Index];
    C.Brush().SetStyle(pg::TBrushStyle::bsSolid);
    if (IsHeading(Text)) {
        C.Brush().SetColor(pg::clBtnFace);
        C.FillRect(Rect);
        C.Font().SetColor(pg::clBtnText);
        C.Brush().SetStyle(pg::TBrushStyle::bsClear);
        C.TextOut(Rect.Left + 2, Rect.Top + 1, Text.substr(1));
        return;
    }
    pc::TComponent* Entry = Objects(Index);
    const bool Selected = (State & pf::odSelected) != 0;
    const bool Member = Group != nullptr && Entry != nullptr && Group->IndexOf(Entry) >= 0;
    C.Brush().SetColor(Selected ? pg::clHighlight : pg::clWindow);
    C.FillRect(Rect);
    C.Font().SetColor(Member ? pg::clBtnFace : Selected ? pg::clHighlightText : pg::clWindowText);
    C.Brush().SetStyle(pg::TBrushStyle::bsClear);
    auto* Item = dynamic_cast<TdxBarItem*>(Entry);
    pg::TRect Left = Rect;
    if (Item != nullptr) Left.Right = (Rect.Left + Rect.Right) / 2;
    const std::string Shown = "   " + Text;
    pg::DrawText(C.Handle(), Shown.c_str(), static_cast<int>(Shown.size()), &Left,
                 pg::DT_SINGLELINE | pg::DT_VCENTER | pg::DT_NOPREFIX);
    if (Item == nullptr) return;
    C.Pen().SetColor(Selected ? pg::clHighlightText : pg::clWindowText);
    C.MoveTo(Left.Right, Rect.Top);
    C.LineTo(Left.Right, Rect.Bottom);
    C.TextRect({Left.Right + 1, Rect.Top, Rect.Right, Rect.Bottom}, Left.Right + 2, Rect.Top + 1,
               Item->Name);
}

void TdxBarAddGroupItemsList::Paint() {
    pf::TListBox::Paint();
    // The rest of the list below the last row shows the button face, not the window.
    const int Count = Items().Count();
    const pg::TRect Inner = ClientRect();
    int Top = Inner.Top;
    if (Count > TopIndex()) Top = ItemRect(Count - 1).Bottom;
    if (Top >= Inner.Bottom) return;
    const int Right = Count > 0 ? ItemRect(0).Right : Inner.Right;
    Canvas().Brush().SetStyle(pg::TBrushStyle::bsSolid);
    Canvas().Brush().SetColor(pg::clBtnFace);
    Canvas().FillRect({Inner.Left, Top, Right, Inner.Bottom});
}

// --- The dialog ---

TfrmAddGroupItems::TfrmAddGroupItems(pc::TComponent* AOwner)
    : pf::TForm(AOwner),
      lbGroupItems(pf::PlaceControl<TdxBarAddGroupItemsList>(*this, *this, 8, 8, 304, 250)),
      btnOk(pf::PlaceControl<pf::TButton>(*this, *this, 156, 266, 75, 25, "OK")),
      btnCancel(pf::PlaceControl<pf::TButton>(*this, *this, 237, 266, 75, 25, "Cancel")) {
    SetBorderStyle(pf::bsSizeable);
    SetBorderIcons(pf::biSystemMenu);
    Position = pf::poScreenCenter;
    SetCaption("Add Group Items");
    Font().SetHeight(-11);
    SetClientWidth(320);
    SetClientHeight(299);
    btnOk.Default = true;
    btnCancel.Cancel = true;
    btnCancel.ModalResult = pf::mrCancel;
    btnOk.OnClick = [this](pc::TObject*) { btnOkClick(); };
}

void TfrmAddGroupItems::Prepare(TdxBarManager* ABarManager, TdxBarGroup* AGroup,
                                std::vector<pc::TComponent*>* AResult) {
    FBarManager = ABarManager;
    FGroup = AGroup;
    FResult = AResult;
    lbGroupItems.Group = AGroup;
    lbGroupItems.ClearEntries();
    if (ABarManager == nullptr) return;
    lbGroupItems.Font().Assign(ABarManager->Font());
    lbGroupItems.SetItemHeight(dxBarGroupListRowHeight(lbGroupItems.Font()));
    if (ABarManager->GetGroupCount() > 1) {
        lbGroupItems.AddHeading("< Groups >");
        for (int I = 0; I < ABarManager->GetGroupCount(); ++I)
            if (TdxBarGroup* Group = ABarManager->GetGroup(I); Group != AGroup)
                lbGroupItems.AddEntry(Group->Name, Group);
    }
    const TdxBarManagerCategories& Categories = ABarManager->Categories();
    for (int C = 0; C < Categories.Count(); ++C) {
        bool Headed = false;
        for (int I = 0; I < ABarManager->GetItemCount(); ++I) {
            TdxBarItem* Item = ABarManager->GetItem(I);
            if (Item->Category() != C) continue;
            if (!Headed) lbGroupItems.AddHeading(Categories[C]);
            Headed = true;
            lbGroupItems.AddEntry(Item->Caption(), ABarManager->GetItemComponent(I));
        }
    }
    SetActiveControl(&lbGroupItems);
}

void TfrmAddGroupItems::btnOkClick() {
    if (FResult != nullptr)
        for (int I = 0; I < lbGroupItems.Items().Count(); ++I)
            if (pc::TComponent* Entry = lbGroupItems.Objects(I); Entry && lbGroupItems.Selected(I))
                FResult->push_back(Entry);
    SetModalResult(pf::mrOk);
}

TdxBarAddGroupItemsQuery SetdxBarAddGroupItemsQuery(TdxBarAddGroupItemsQuery Query) {
    TdxBarAddGroupItemsQuery Previous = std::move(::toolkit::bars::Query());
    ::toolkit::bars::Query() = Query ? std::move(Query) : TdxBarAddGroupItemsQuery(AskWithDialog);
    return Previous;
}

bool dxBarAddGroupItems(TdxBarManager* Manager, TdxBarGroup* Group,
                        std::vector<pc::TComponent*>& Result) {
    return Query()(Manager, Group, Result);
}

} // namespace toolkit::bars
