#include "toolkit/base/cx_component.h"

#include "toolkit/base/object_links.h"

namespace toolkit::base {

using platform::core::TComponent;

TcxComponent::~TcxComponent() {
    cxClearObjectLinks(this);
}

void TcxComponent::Loaded() {
    TComponent::Loaded();
    const auto State = ComponentState();
    if (!(State & platform::core::csDesigning) || (State & platform::core::csDestroying) ||
        !Owner())
        return;
    std::vector<TComponent*> List;
    GetDesignTimeComponents(List);
    for (std::size_t I = 0; I < FDesignTimeComponents.size(); ++I) {
        FDesignTimeComponents[I] = I < List.size() ? List[I] : nullptr;
        // The references are plain pointers: hear when one goes, so that none dangles.
        if (FDesignTimeComponents[I]) FreeNotification(FDesignTimeComponents[I]);
    }
}

void TcxComponent::Notification(TComponent* AComponent, platform::core::TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != platform::core::opRemove) return;
    for (auto& Reference : FDesignTimeComponents)
        if (Reference == AComponent) Reference = nullptr;
}

void TcxComponent::GetDesignTimeComponents(std::vector<TComponent*>& /*List*/) {}

} // namespace toolkit::base
