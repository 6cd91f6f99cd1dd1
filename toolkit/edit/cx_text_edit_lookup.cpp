#include "toolkit/edit/cx_text_edit_lookup.h"

#include "toolkit/edit/cx_inner_list_box.h"
#include "toolkit/edit/cx_text_edit.h"

#include "platform/core/text.h"

namespace toolkit::edit {

namespace pc = platform::core;
namespace pg = platform::gdi;

// ---- the properties' lookup data class ----

std::unique_ptr<TcxCustomTextEditLookupData>
TcxCustomTextEditProperties::CreateLookupData(TcxCustomTextEdit& AOwner) const {
    return std::make_unique<TcxCustomTextEditLookupData>(AOwner);
}

// ---- TcxCustomTextEditLookupData ----

TcxCustomTextEditLookupData::TcxCustomTextEditLookupData(TcxCustomTextEdit& AOwner)
    : TcxInterfacedPersistent(nullptr), FOwner(AOwner) {}

TcxCustomTextEditLookupData::~TcxCustomTextEditLookupData() = default;

std::string TcxCustomTextEditLookupData::GetItem(int Index) {
    return FOwner.ActiveProperties().LookupItems()[Index];
}

int TcxCustomTextEditLookupData::GetItemCount() {
    return FOwner.ActiveProperties().LookupItems().Count();
}

bool TcxCustomTextEditLookupData::IsOwnerDestroying() const {
    return (FOwner.ComponentState() & pc::csDestroying) != 0;
}

int TcxCustomTextEditLookupData::FindItemIndex(const std::string& Text) {
    const int Count = GetItemCount();
    for (int I = 0; I < Count; ++I)
        if (pc::AnsiSameText(GetItem(I), Text)) return I;
    return -1;
}

std::string TcxCustomTextEditLookupData::GetDisplayText(const Variant& Key) {
    if (!Key.IsOrdinal()) return {};
    const std::int64_t Index = Key.AsInt64();
    if (Index < 0 || Index >= GetItemCount()) return {};
    return GetItem(static_cast<int>(Index));
}

void TcxCustomTextEditLookupData::ResetIfNotFound(const std::string& Text, bool Exact) {
    bool Reset = true;
    switch (FOwner.EditingStyle()) {
    case tesEditList:
        Reset = Exact || Text.empty();
        break;
    case tesFixedList:
        Reset = Exact;
        break;
    default:
        break;
    }
    if (Reset) {
        FCurrentKey = -1;
        SetActiveIndex(-1);
    }
}

bool TcxCustomTextEditLookupData::Locate(std::string& Text, std::string& Tail, bool Exact,
                                         bool Next) {
    Tail.clear();
    const int Count = GetItemCount();
    if (Count == 0) {
        ResetIfNotFound(Text, Exact);
        return false;
    }
    if (Exact && FOwner.ActiveProperties().ExactTextLookup()) {
        const int I = FindItemIndex(Text);
        FCurrentKey = I;
        SetActiveIndex(I);
        return I != -1;
    }
    const int Start = Next ? FActiveIndex : -1;
    const std::size_t L = Text.size();
    for (int I = Start + 1; I < Count && L > 0; ++I) {
        const std::string Item = GetItem(I);
        if (!pc::AnsiSameText(std::string_view(Item).substr(0, L), Text)) continue;
        Text = Item.substr(0, L);
        Tail = Item.substr(L);
        FCurrentKey = I;
        SetActiveIndex(I);
        return true;
    }
    ResetIfNotFound(Text, Exact);
    return false;
}

void TcxCustomTextEditLookupData::Go(TcxEditLookupDataGoDirection Direction, bool Circular) {
    const int N = GetItemCount();
    if (N <= 0) return;
    const int C = FActiveIndex != -1 ? FActiveIndex : FCurrentKey;
    const int R = FOwner.ActiveProperties().GetDropDownPageRowCount();
    int Target = C;
    switch (Direction) {
    case egdBegin:
        Target = 0;
        break;
    case egdEnd:
        Target = N - 1;
        break;
    case egdNext:
        Target = C + 1 >= N ? (Circular ? 0 : C) : C + 1;
        break;
    case egdPrior:
        Target = C - 1 < 0 ? (Circular ? N - 1 : C) : C - 1;
        break;
    case egdPageUp:
        if (C == -1)
            Target = Circular ? N - 1 : -1;
        else {
            Target = C - R + 1;
            if (Target < 0) Target = Circular ? (C == 0 ? N - 1 : 0) : 0;
        }
        break;
    case egdPageDown:
        Target = C == -1 ? R - 1 : C + R - 1;
        if (Target >= N) Target = Circular ? (C == N - 1 ? 0 : N - 1) : N - 1;
        break;
    }
    if (IsListVisible() &&
        (!FOwner.ActiveProperties().ImmediateUpdateText() || !FOwner.LookupDoEditing()))
        SetActiveIndex(Target);
    else
        SetCurrentKeyIndex(Target);
}

void TcxCustomTextEditLookupData::SetCurrentKey(const Variant& Key) {
    if (!Key.IsOrdinal()) return;
    const std::int64_t Value = Key.AsInt64();
    if (Value < -1 || Value >= GetItemCount()) return;
    SetCurrentKeyIndex(static_cast<int>(Value));
}

void TcxCustomTextEditLookupData::SetCurrentKeyIndex(int Key) {
    if (Key < -1 || Key >= GetItemCount()) return;
    const int Old = FCurrentKey;
    FCurrentKey = Key;
    SetActiveIndex(Key);
    TcxCustomTextEdit::TLookupDrivenScope Driven(FOwner);
    // An unchanged key still restores the item's text when the editor shows another one.
    if (Key == Old && GetDisplayText(Variant::Integer(Key)) == FOwner.Text()) return;
    if (FOnCurrentChanged) FOnCurrentChanged(this);
}

void TcxCustomTextEditLookupData::SelectItem() {
    if (FActiveIndex == -1) return;
    if (FActiveIndex != FCurrentKey && !FOwner.LookupDoEditing()) return;
    SetCurrentKeyIndex(FActiveIndex);
}

void TcxCustomTextEditLookupData::CloseUp() {
    if (!IsOwnerDestroying()) SetActiveIndex(FCurrentKey);
}

void TcxCustomTextEditLookupData::SetActiveIndex(int Value) {
    if (Value < -1 || Value >= GetItemCount()) return;
    if (Value == FActiveIndex && Value != -1) return;
    if (FListBox) {
        if (Value == -1) FListBox->SetItemIndex(0);
        FListBox->SetItemIndex(Value);
    }
    FActiveIndex = Value;
}

void TcxCustomTextEditLookupData::TextChanged() {
    if (IsOwnerDestroying()) return;
    const std::string Text = FOwner.Text();
    if (FActiveIndex != -1 && FActiveIndex < GetItemCount() &&
        pc::AnsiSameText(GetItem(FActiveIndex), Text))
        return;
    std::string Search = Text;
    std::string Tail;
    Locate(Search, Tail, true, false);
}

// ---- the list ----

TcxCustomInnerListBox* TcxCustomTextEditLookupData::GetListBox() {
    if (!FListBox) {
        TListBoxFactory Factory = GetListBoxClass();
        if (!Factory) return nullptr;
        FListBox = Factory(FOwner);
        if (!FListBox) return nullptr;
        FListBox->SetColor(FOwner.ActiveStyle().GetColor());
        FListBox->Font().Assign(FOwner.ActiveStyle().GetVisibleFont());
        ItemsChanged();
        FListBox->SetItemIndex(FActiveIndex);
        FListBox->OnClick = [this](pc::TObject*) { UpdateActiveIndexFromList(); };
    }
    return FListBox.get();
}

void TcxCustomTextEditLookupData::ItemsChanged() {
    if (!FListBox) return;
    platform::forms::TStrings& Items = FListBox->Items();
    const int N = GetItemCount();
    if (Items.Count() == N) return;
    Items.BeginUpdate();
    while (Items.Count() > N)
        Items.Delete(Items.Count() - 1);
    while (Items.Count() < N)
        Items.Add({});
    Items.EndUpdate();
}

void TcxCustomTextEditLookupData::UpdateActiveIndexFromList() {
    if (FListBox) FActiveIndex = FListBox->ItemIndex();
}

bool TcxCustomTextEditLookupData::IsListVisible() const {
    return FListBox && FListBox->HandleAllocated() && FListBox->Visible();
}

bool TcxCustomTextEditLookupData::IsMouseOverList(pg::TPoint ScreenPoint) {
    if (!FListBox) return false;
    return pg::PtInRect(FListBox->ClientRect(), FListBox->ScreenToClient(ScreenPoint));
}

void TcxCustomTextEditLookupData::PositionList(const pg::TRect& R) {
    if (FListBox) FListBox->SetBoundsRect(R);
}

} // namespace toolkit::edit

namespace toolkit::edit {

// ---- the text editor's side ----

IcxTextEditLookupData& TcxCustomTextEdit::ILookupData() {
    return LookupData();
}

TcxCustomTextEditLookupData& TcxCustomTextEdit::LookupData() {
    if (!FLookupData) {
        FLookupData = ActiveProperties().CreateLookupData(*this);
        FLookupData->SetCurrentChangedEvent([this](pc::TObject*) { LookupDataCurrentChanged(); });
    }
    return *FLookupData;
}

int TcxCustomTextEdit::LookupKeyToItemIndex(const Variant& Key) {
    return Key.IsOrdinal() ? static_cast<int>(Key.AsInt64()) : -1;
}

void TcxCustomTextEdit::LookupKeyToEditValue(const Variant& Key, Variant& EditValue) {
    // A text editor's edit value is its text.
    EditValue = Variant::String(ILookupData().GetDisplayText(Key));
}

int TcxCustomTextEdit::GetItemIndex() {
    return LookupKeyToItemIndex(ILookupData().GetCurrentKey());
}

void TcxCustomTextEdit::SetItemIndex(int Value) {
    const int Old = GetItemIndex();
    WithChangeEventsLocked([&] {
        ILookupData().SetCurrentKey(ItemIndexToLookupKey(Value));
        Variant V;
        LookupKeyToEditValue(ILookupData().GetCurrentKey(), V);
        if (!VarEqualsExact(V, FEditValue)) SetEditValueLocked(V);
    });
    if (GetItemIndex() != Old) {
        SetModified(false);
        Click();
    }
}

pc::TObject* TcxCustomTextEdit::GetItemObject() {
    const int Index = GetItemIndex();
    const pc::TStringList& Items = ActiveProperties().LookupItems();
    if (Index < 0 || Index >= Items.Count()) return nullptr;
    return Items.Objects(Index);
}

void TcxCustomTextEdit::LookupDataCurrentChanged() {
    Variant V;
    LookupKeyToEditValue(ILookupData().GetCurrentKey(), V);
    const bool Changed = !VarEqualsExact(V, FEditValue);
    if (Changed && !DoEditing()) return;
    SaveModified();
    {
        TLookupDrivenScope Driven(*this);
        SetEditValueChecked(V);
    }
    RestoreModified();
    if (Changed) MarkModifiedAfterEnter(true);
    SelectAll();
    ShortRefreshContainer(false);
}

void TcxCustomTextEdit::LookupPropertiesChanged() {
    if (!ActiveProperties().UseLookupData()) return;
    ILookupData().PropertiesChanged();
    if (!FLookupDriven) ILookupData().TextChanged();
}

void TcxCustomTextEdit::ValidateLookupText() {
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style != tesEditList && Style != tesFixedList) return;
    if (!IsDataBindingEditable()) {
        SynchronizeDisplayValue();
        return;
    }
    Variant Shown = Variant::String(Text());
    if (ActiveProperties().IsDisplayValueValid(Shown, InternalFocused())) return;
    Variant D;
    ActiveProperties().GetDefaultDisplayValue(D, InternalFocused());
    SaveModified();
    InternalSetDisplayValue(D);
    RestoreModified();
}

} // namespace toolkit::edit
