#include "toolkit/bars/model/dx_bar_sub_item.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/core/filer.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

const pc::TComponentClass& TCustomdxBarSubItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TCustomdxBarSubItem", &TdxBarItem::ClassRef(),
        pc::ConstructorOf<TCustomdxBarSubItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

const pc::TComponentClass& TdxBarSubItem::ClassRef() {
    static const pc::TComponentClass cls(
        "TdxBarSubItem", &TCustomdxBarSubItem::ClassRef(),
        pc::ConstructorOf<TdxBarSubItem, pc::TComponent, pc::TComponent*>());
    return cls;
}

TCustomdxBarSubItem::TCustomdxBarSubItem(pc::TComponent* AOwner)
    : TdxBarItem(AOwner), FItemLinks(std::make_unique<TdxBarItemLinks>(BarManager(), this)) {}

TCustomdxBarSubItem::~TCustomdxBarSubItem() {
    if (FDetachingBar) FDetachingBar->RemoveDetachingSubItem(this);
    FDetachingBar = nullptr;
    FItemLinks.reset();
}

void TCustomdxBarSubItem::DefinePublishedProperties(pc::TFiler& Filer) {
    TdxBarItem::DefinePublishedProperties(Filer);
    Filer.DefineProperty(
        "BarSize", [this](pc::TReader& Reader) { SetBarSize(Reader.ReadInteger()); },
        [this](pc::TWriter& Writer) { Writer.WriteInteger(FBarSize); }, FBarSize != 0);
    Filer.DefineProperty(
        "Detachable", [this](pc::TReader& Reader) { Detachable = Reader.ReadBoolean(); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(Detachable); }, Detachable);
    Filer.DefineProperty(
        "DetachingBar", [this](pc::TReader& Reader) { SetDetachingBar(Reader.ReadInteger()); },
        [this](pc::TWriter& Writer) { Writer.WriteInteger(DetachingBar()); }, DetachingBar() != -1);
    DefineGlyph(Filer);
    DefineImageIndex(Filer);
    Filer.DefineProperty(
        "ShowCaption", [this](pc::TReader& Reader) { SetShowCaption(Reader.ReadBoolean()); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(FShowCaption); }, !FShowCaption);
}

void TdxBarSubItem::DefinePublishedProperties(pc::TFiler& Filer) {
    TCustomdxBarSubItem::DefinePublishedProperties(Filer);
    Filer.DefineProperty(
        "AllowCustomizing",
        [this](pc::TReader& Reader) { AllowCustomizing = Reader.ReadBoolean(); },
        [this](pc::TWriter& Writer) { Writer.WriteBoolean(AllowCustomizing); }, !AllowCustomizing);
    DefineItemLinks(Filer);
}

void TCustomdxBarSubItem::DefineItemLinks(pc::TFiler& Filer) {
    Filer.DefineProperty(
        "ItemLinks", [this](pc::TReader& Reader) { ItemLinks().ReadLinks(Reader); },
        [this](pc::TWriter& Writer) { ItemLinks().WriteLinks(Writer); }, ItemLinks().Count() > 0);
}

int TCustomdxBarSubItem::DetachingBar() const {
    return FDetachingBar ? FDetachingBar->Index() : -1;
}

void TCustomdxBarSubItem::SetDetachingBar(int Value) {
    TdxBars* Bars = BarManager() ? BarManager()->Bars() : nullptr;
    TdxBar* New = Bars ? Bars->Items(Value) : nullptr;
    if (New == FDetachingBar) return;
    if (FDetachingBar) FDetachingBar->RemoveDetachingSubItem(this);
    FDetachingBar = New;
    if (FDetachingBar) FDetachingBar->AddDetachingSubItem(this);
}

void TCustomdxBarSubItem::DetachingBarGoing(TdxBar* Bar) {
    if (Bar == FDetachingBar) FDetachingBar = nullptr;
}

void TCustomdxBarSubItem::BarManagerChanged() {
    if (FItemLinks) FItemLinks->SetBarManager(BarManager());
}

bool TCustomdxBarSubItem::CanContainItem(const TdxBarItem* Item) const {
    if (const auto* Sub = dynamic_cast<const TCustomdxBarSubItem*>(Item))
        return Sub != this && !Sub->ItemLinks().ContainsItem(this);
    if (const auto* Button = dynamic_cast<const TdxBarButton*>(Item))
        return !Button->DropDownLinks() || !Button->DropDownLinks()->ContainsItem(this);
    return true;
}

void TCustomdxBarSubItem::Activate(const std::function<void()>& Open) {
    if (FActivationPending) return;
    FActivationPending = true;
    RunGuarded([&] {
        DoClick();
        DoPopup();
        if (Open) Open();
    });
    FActivationPending = false;
}

void TCustomdxBarSubItem::DoPaintBar(pf::TCanvas& Canvas, const pg::TRect& R) {
    if (OnPaintBar) OnPaintBar(this, Canvas, R);
}

void TCustomdxBarSubItem::DoCloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomdxBarSubItem::DoDetaching() {
    if (OnDetaching) OnDetaching(this);
}

void TCustomdxBarSubItem::DoPopup() {
    if (OnPopup) OnPopup(this);
}

void TCustomdxBarSubItem::SetShowCaption(bool Value) {
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    if (!IsLoading()) UpdateBarWindows();
}

} // namespace toolkit::bars
