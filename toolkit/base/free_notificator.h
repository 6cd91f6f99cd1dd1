#pragma once
// A component that hears when a watched component is removed, for objects that are not
// components themselves but keep a component reference.

#include "platform/core/component.h"

#include <functional>

namespace toolkit::base {

class TcxFreeNotificator : public platform::core::TComponent {
public:
    using TComponent::TComponent;

    std::function<void(platform::core::TComponent* AComponent)> OnFreeNotification;

protected:
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;
};

// Receiver hears when Component goes; both do nothing for a nullptr Component.
void cxAddFreeNotification(platform::core::TComponent* Receiver,
                           platform::core::TComponent* Component);
void cxRemoveFreeNotification(platform::core::TComponent* Receiver,
                              platform::core::TComponent* Component);

} // namespace toolkit::base
