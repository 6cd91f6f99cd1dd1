#include "toolkit/bars/model/dx_bar_popup_menu_links.h"

#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/forms/forms.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

namespace {

pc::TComponent* FindFormComponent(TdxBarManager* Manager, const pc::TComponent* Like) {
    if (!Like || !Manager || Like->Name.empty()) return nullptr;
    pf::TCustomForm* Form = Manager->Form();
    for (int I = 0; I < Form->ComponentCount(); ++I)
        if (Form->Components(I)->Name == Like->Name) return Form->Components(I);
    return nullptr;
}

} // namespace

const pc::TClass& TdxBarPopupMenuLink::ClassRef() {
    static const pc::TClass cls("TdxBarPopupMenuLink", &pc::TPersistent::ClassRef());
    return cls;
}

void TdxBarPopupMenuLink::DefinePublishedProperties(pc::TFiler& Filer) {
    pc::TPersistent::DefinePublishedProperties(Filer);
    Filer.DefineReference(
        "Control", FControl,
        [this](pc::TComponent* Value) { SetControl(dynamic_cast<pf::TWinControl*>(Value)); },
        FControl != nullptr);
    Filer.DefineReference(
        "PopupMenu", FPopupMenuComponent,
        [this](pc::TComponent* Value) {
            TdxBarPopupMenu* Menu = nullptr;
            TdxBarItemLinks* Links = nullptr;
            if (dxBarWindowServices().PopupMenuOf(Value, Menu, Links))
                SetPopupMenuParts(Menu, Value, Links);
        },
        FPopupMenuComponent != nullptr);
    Filer.DefineBoolean(
        "ProcessChildren", ProcessChildren, [this](bool Value) { ProcessChildren = Value; },
        !ProcessChildren);
}

void TdxBarPopupMenuLink::SetControl(pf::TWinControl* Value) {
    TdxBarManager* Manager = FCollection->BarManager();
    if (Value && (!Manager || Value->ParentForm() != Manager->Form())) Value = nullptr;
    FControl = Value;
    if (Value && Manager) Manager->FreeNotification(Value);
}

void TdxBarPopupMenuLink::SetPopupMenuParts(TdxBarPopupMenu* Menu, pc::TComponent* Component,
                                            TdxBarItemLinks* Links) {
    FPopupMenu = Menu;
    FPopupMenuComponent = Component;
    FPopupMenuLinks = Links;
    if (Component && FCollection->BarManager())
        FCollection->BarManager()->FreeNotification(Component);
}

void TdxBarPopupMenuLink::Assign(const TdxBarPopupMenuLink& Source) {
    TdxBarManager* Manager = FCollection->BarManager();
    SetControl(dynamic_cast<pf::TWinControl*>(FindFormComponent(Manager, Source.FControl)));
    pc::TComponent* Menu = FindFormComponent(Manager, Source.FPopupMenuComponent);
    if (Menu && Source.FPopupMenuComponent &&
        &Menu->ClassType() == &Source.FPopupMenuComponent->ClassType())
        SetPopupMenuParts(Source.FPopupMenu, Menu, Source.FPopupMenuLinks);
    else
        SetPopupMenuParts(nullptr, nullptr, nullptr);
    ProcessChildren = Source.ProcessChildren;
}

bool TdxBarPopupMenuLink::HandleShortCut(pf::TShortCut ShortCut) {
    bool AllowPopup = FPopupMenu != nullptr;
    if (OnAction) {
        int X = -1;
        int Y = -1;
        OnAction(this, X, Y, false, AllowPopup);
    }
    return AllowPopup && FPopupMenuLinks && FPopupMenuLinks->IsShortCut(ShortCut);
}

TdxBarPopupMenuLink* TdxBarPopupMenuLinks::Add() {
    FItems.push_back(std::make_unique<TdxBarPopupMenuLink>(this));
    return FItems.back().get();
}

void TdxBarPopupMenuLinks::Delete(int Index) {
    if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
}

TdxBarPopupMenuLink* TdxBarPopupMenuLinks::Items(int Index) const {
    if (Index < 0 || Index >= Count()) return nullptr;
    return FItems[static_cast<std::size_t>(Index)].get();
}

bool TdxBarPopupMenuLinks::ProcessShortCut(pf::TWinControl* Control, pf::TShortCut ShortCut) {
    if (!Control) return false;
    for (const auto& Link : FItems)
        if (Link->FControl == Control && Link->HandleShortCut(ShortCut)) return true;
    for (pf::TWinControl* Parent = Control->Parent(); Parent; Parent = Parent->Parent())
        for (const auto& Link : FItems)
            if (Link->ProcessChildren && Link->FControl == Parent && Link->HandleShortCut(ShortCut))
                return true;
    return false;
}

void TdxBarPopupMenuLinks::WriteLinks(pc::TWriter& Writer) const {
    Writer.WriteCollectionOf(FItems);
}

void TdxBarPopupMenuLinks::ReadLinks(pc::TReader& Reader) {
    FItems.clear();
    Reader.ReadCollection([this]() -> pc::TPersistent& { return *Add(); });
}

void TdxBarPopupMenuLinks::ComponentRemoved(pc::TComponent* Component) {
    for (const auto& Link : FItems) {
        if (Link->FControl == Component) Link->FControl = nullptr;
        if (Link->FPopupMenuComponent == Component) {
            Link->FPopupMenu = nullptr;
            Link->FPopupMenuComponent = nullptr;
            Link->FPopupMenuLinks = nullptr;
        }
    }
}

} // namespace toolkit::bars
