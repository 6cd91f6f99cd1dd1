#include "toolkit/bars/model/dx_bar_edit.h"

#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include <cctype>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

namespace {
char Lower(char C) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
}
} // namespace

const pc::TComponentClass& TdxBarWindowItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarWindowItem", &TdxBarItem::ClassRef(),
        pc::ConstructorOf<TdxBarWindowItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarEdit::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarEdit", &TdxBarWindowItem::ClassRef(),
        pc::ConstructorOf<TdxBarEdit, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TCustomdxBarCombo::ClassRef() {
    static const pc::TComponentClass cls(
        "TCustomdxBarCombo", &TdxBarEdit::ClassRef(),
        pc::ConstructorOf<TCustomdxBarCombo, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarCombo::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarCombo", &TCustomdxBarCombo::ClassRef(),
        pc::ConstructorOf<TdxBarCombo, pc::TComponent, pc::TComponent*>());
    return cls;
}

void TdxBarWindowItem::RepaintControls() {
    for (int I = 0; I < LinkCount(); ++I)
        if (TdxBarItemControl* Control = Links(I)->Control())
            dxBarWindowServices().RepaintControl(*Control);
}

void TdxBarWindowItem::SetText(const std::string& Value) {
    if (Value == FText) return;
    FText = Value;
    RepaintControls();
    Change();
    RepaintControls();
}

void TdxBarWindowItem::Change() {
    if (OnChange && !IsLoading()) OnChange(this);
}
void TdxBarWindowItem::CurChange() {
    if (OnCurChange) OnCurChange(this);
}
void TdxBarWindowItem::DoEnter() {
    if (OnEnter) OnEnter(this);
}
void TdxBarWindowItem::DoExit() {
    if (OnExit) OnExit(this);
}
void TdxBarWindowItem::KeyDown(std::uint16_t& Key, pf::TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TdxBarWindowItem::KeyPress(char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}
void TdxBarWindowItem::KeyUp(std::uint16_t& Key, pf::TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TdxBarEdit::SetShowCaption(bool Value) {
    if (Value == FShowCaption) return;
    FShowCaption = Value;
    if (!IsLoading()) RepaintControls();
}

void TdxBarEdit::SetWidth(int Value) {
    if (Value < 20) Value = 20;
    if (Value == FWidth) return;
    FWidth = Value;
    if (!IsLoading()) WidthChanged();
}

void TdxBarEdit::WidthChanged() {
    for (int I = 0; I < LinkCount(); ++I)
        if (TdxBarItemControl* Control = Links(I)->Control();
            Control && !(Links(I)->UserDefine() & dxUserDefineBit(udWidth)))
            dxBarWindowServices().ControlChanged(*Control, TdxBarControlChange::Layout);
}

TCustomdxBarCombo::TCustomdxBarCombo(pc::TComponent* AOwner) : TdxBarEdit(AOwner) {
    FItems.OnChange = [this] { ItemsChanged(); };
}

void TCustomdxBarCombo::ItemsChanged() {
    if (FItemIndex < FItems.Count())
        RepaintControls();
    else
        SetItemIndex(-1);
}

void TCustomdxBarCombo::SetItemIndex(int Value) {
    if (Value == FItemIndex) return;
    if (Value < 0 || Value >= FItems.Count()) Value = -1;
    FItemIndex = Value;
    const std::string NewText = Value >= 0 ? FItems[Value] : std::string();
    if (Text() == NewText) {
        RepaintControls();
        Change();
        RepaintControls();
    } else {
        TdxBarEdit::SetText(NewText);
    }
}

void TCustomdxBarCombo::SetSorted(bool Value) {
    if (Value == FItems.Sorted()) return;
    FItems.SetSorted(Value);
    FItemIndex = FItems.IndexOf(Text());
}

void TCustomdxBarCombo::SetText(const std::string& Value) {
    if (!(FItemIndex >= 0 && FItemIndex < FItems.Count() && FItems[FItemIndex] == Value))
        SetItemIndex(FItems.IndexOf(Value));
    TdxBarEdit::SetText(Value);
}

int TCustomdxBarCombo::FindPrefix(const std::string& Typed) const {
    std::size_t Best = 0;
    int BestIndex = -1;
    for (int I = 0; I < FItems.Count(); ++I) {
        const std::string& Entry = FItems[I];
        std::size_t L = 0;
        while (L < Best && L < Entry.size() && Lower(Entry[L]) == Lower(Typed[L]))
            ++L;
        if (L < Best) continue;
        while (L < Typed.size() && L < Entry.size() && Lower(Entry[L]) == Lower(Typed[L]))
            ++L;
        if (L > Best) {
            Best = L;
            BestIndex = I;
        }
        if (Best == Typed.size() && BestIndex == I) break;
    }
    return BestIndex;
}

} // namespace toolkit::bars
