#include "platform/core/component.h"

#include "platform/core/loading_bracket.h"

#include <algorithm>

namespace platform::core {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    TLoadingBracket::Enlist(this);
}

TComponent::~TComponent() {
    TLoadingBracket::Forget(this);
    MarkDestroying();
    SendFreeNotifications();
    DestroyComponents();
}

const TComponentClass& TComponent::ClassRef() {
    static const TComponentClass cls("TComponent", &TPersistent::ClassRef(),
                                     ConstructorOf<TComponent, TComponent, TComponent*>());
    return cls;
}

TComponent& TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
    TComponent& inserted = *component;
    inserted.owner_ = this;
    components_.push_back(std::move(component));
    if (state_ & csDesigning) inserted.SetDesigning(true);
    Notification(&inserted, opInsert);
    return inserted;
}

void TComponent::FreeComponent(TComponent& component) {
    auto found = std::find_if(
        components_.begin(), components_.end(),
        [&](const std::unique_ptr<TComponent>& owned) { return owned.get() == &component; });
    // One already on its way out (its owner's destruction, or a handler below) is left to it.
    if (found == components_.end() || (component.state_ & csDestroying)) return;
    component.MarkDestroying();
    // Everyone hears while the component is still whole and still listed.
    Notification(&component, opRemove);
    component.SendFreeNotifications();
    // The handlers above may have freed others: look it up again.
    found = std::find_if(
        components_.begin(), components_.end(),
        [&](const std::unique_ptr<TComponent>& owned) { return owned.get() == &component; });
    if (found == components_.end()) return;
    std::unique_ptr<TComponent> freed = std::move(*found);
    components_.erase(found);
    freed.reset();
}

void TComponent::BeginLoading() {
    state_ |= csLoading;
}

void TComponent::EndLoading() {
    if (!(state_ & csLoading)) return;
    state_ &= ~csLoading;
    Loaded();
}

void TComponent::Loaded() {}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) const {}

void TComponent::FreeNotification(TComponent* other) {
    if (other == nullptr || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
        other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (other == nullptr) return;
    std::erase(freeNotifies_, other);
    std::erase(other->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) RemoveFreeNotification(component);
    // Counting down with a re-check, since a handler may free components of this one.
    for (std::size_t i = components_.size(); i-- > 0;) {
        if (i >= components_.size()) {
            i = components_.size();
            continue;
        }
        components_[i]->Notification(component, operation);
    }
}

void TComponent::SetDesigning(bool value) {
    if (value)
        state_ |= csDesigning;
    else
        state_ &= ~csDesigning;
    for (auto& component : components_)
        component->SetDesigning(value);
}

void TComponent::MarkDestroying() {
    if (state_ & csDestroying) return;
    state_ |= csDestroying;
    for (auto& component : components_)
        component->MarkDestroying();
}

void TComponent::SendFreeNotifications() {
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(other->freeNotifies_, this);
        other->Notification(this, opRemove);
    }
}

void TComponent::DestroyComponents() {
    // Last created first; each is taken off the list before it goes, so that what its
    // destruction triggers never sees it listed.
    while (!components_.empty()) {
        std::unique_ptr<TComponent> component = std::move(components_.back());
        components_.pop_back();
        component->SendFreeNotifications();
        component.reset();
    }
}

} // namespace platform::core
