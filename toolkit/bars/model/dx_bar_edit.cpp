#include "toolkit/bars/model/dx_bar_edit.h"

#include "toolkit/bars/model/dx_bar_frame_painter.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_window_item_control.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/filer.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

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

void TdxBarWindowItem::RepaintControls() {
    for (int I = 0; I < LinkCount(); ++I)
        if (TdxBarItemControl* Control = Links(I)->Control())
            dxBarWindowServices().RepaintControl(*Control);
}

TdxBarWindowItemControl* TdxBarWindowItem::ActiveEditorControl() const {
    TdxBarItemLink* Link = GetActiveLink();
    TdxBarItemControl* Control = Link ? Link->Control() : nullptr;
    return Control ? dxBarWindowServices().WindowItemControl(*Control) : nullptr;
}

TdxBarWindowItemControl* TdxBarWindowItem::EditingControl(TdxBarItemControl* LinkControl) {
    TdxBarWindowItemControl* Control =
        LinkControl ? dxBarWindowServices().WindowItemControl(*LinkControl) : nullptr;
    return Control && Control->HasEditor() ? Control : nullptr;
}

std::string TdxBarWindowItem::GetCurText() const {
    if (TdxBarWindowItemControl* Control = ActiveEditorControl()) return Control->GetCurText();
    return FText;
}

TdxBarItemLink* TdxBarWindowItem::GetEditingLink() const {
    TdxBarItemLink* Link = GetActiveLink();
    return Link && EditingControl(Link->Control()) ? Link : nullptr;
}

void TdxBarWindowItem::ActivateEditor(bool VisibleOnly) {
    for (int I = 0; I < LinkCount(); ++I) {
        TdxBarItemControl* Control = Links(I)->Control();
        TdxBarWindowItemControl* Editor =
            Control ? dxBarWindowServices().WindowItemControl(*Control) : nullptr;
        if (Editor == nullptr || (VisibleOnly && !Editor->BarWindowVisible())) continue;
        Editor->ActivateEditor();
        return;
    }
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
    if (!IsLoading()) UpdateBarWindows();
}

bool TdxBarEdit::HasAccessibleCaption(const TdxBarItemLink* Link) const {
    if (!TdxBarWindowItem::HasAccessibleCaption(Link)) return false;
    if (FShowCaption) return true;
    const TdxBarItemLinksOwner* Owner = Link ? Link->Links()->Owner() : nullptr;
    return Owner == nullptr || Owner->LinksOwnerKind() != TdxBarLinksOwnerKind::Bar;
}

void TdxBarEdit::DrawEditorArea(platform::gdi::TCanvas& Canvas, const platform::gdi::TRect& R,
                                TdxBarItemControl* LinkControl) {
    TdxBarManager* Manager = BarManager();
    if (Manager == nullptr) return;
    TdxBarItemControlState State;
    State.Item = this;
    State.Text = Text();
    if (TdxBarWindowItemControl* Editor = EditingControl(LinkControl))
        State.Text = Editor->GetCurText();
    Manager->FramePainter().DrawEditItemText(State, Canvas, R, State.ItemIndex, State.Text);
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

// --- Form streams ---

void TdxBarWindowItem::DefinePublishedProperties(pc::TFiler& Filer) {
    TdxBarItem::DefinePublishedProperties(Filer);
    Filer.DefineString(
        "Text", FText, [this](const std::string& Value) { SetText(Value); }, !FText.empty());
}

void TdxBarEdit::DefinePublishedProperties(pc::TFiler& Filer) {
    TdxBarWindowItem::DefinePublishedProperties(Filer);
    DefineGlyph(Filer);
    DefineImageIndex(Filer);
    Filer.DefineInteger(
        "MaxLength", FMaxLength, [this](std::int32_t Value) { SetMaxLength(Value); },
        FMaxLength != 0);
    Filer.DefineBoolean(
        "ReadOnly", ReadOnly, [this](bool Value) { ReadOnly = Value; }, ReadOnly);
    Filer.DefineBoolean(
        "ShowCaption", FShowCaption, [this](bool Value) { SetShowCaption(Value); }, FShowCaption);
    // Set by the constructor, without a default: always written.
    Filer.DefineInteger(
        "Width", FWidth, [this](std::int32_t Value) { SetWidth(Value); }, true);
}

} // namespace toolkit::bars
