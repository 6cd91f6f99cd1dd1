#include "toolkit/base/object_links.h"

#include <algorithm>

namespace toolkit::base {

namespace {

std::unique_ptr<TcxObjectLinkController>& Controller() {
    static std::unique_ptr<TcxObjectLinkController> controller;
    return controller;
}

} // namespace

TcxObjectLink::~TcxObjectLink() {
    auto& controller = Controller();
    if (!controller) return;
    if (Ref) std::erase(controller->FLinks, this);
    if (--controller->FRefCount == 0) controller.reset();
}

void TcxObjectLinkController::ClearLinks(const platform::core::TObject* Obj) {
    std::erase_if(FLinks, [Obj](TcxObjectLink* Link) {
        if (Link->Ref != Obj) return false;
        Link->Ref = nullptr;
        return true;
    });
}

std::unique_ptr<TcxObjectLink> cxAddObjectLink(platform::core::TObject* Obj) {
    if (!Obj) return nullptr;
    auto& controller = Controller();
    if (!controller) controller = std::make_unique<TcxObjectLinkController>();
    auto Link = std::make_unique<TcxObjectLink>(TcxObjectLink::TKey{}, Obj);
    controller->FLinks.push_back(Link.get());
    ++controller->FRefCount;
    return Link;
}

void cxRemoveObjectLink(std::unique_ptr<TcxObjectLink>& Link) {
    Link.reset();
}

void cxClearObjectLinks(const platform::core::TObject* Obj) {
    if (auto& controller = Controller()) controller->ClearLinks(Obj);
}

TcxObjectLinkController* cxObjectLinkController() {
    return Controller().get();
}

} // namespace toolkit::base
