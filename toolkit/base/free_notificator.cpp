#include "toolkit/base/free_notificator.h"

namespace toolkit::base {

using platform::core::TComponent;

void TcxFreeNotificator::Notification(TComponent* AComponent,
                                      platform::core::TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == platform::core::opRemove && OnFreeNotification) OnFreeNotification(AComponent);
}

void cxAddFreeNotification(TComponent* Receiver, TComponent* Component) {
    if (Component) Component->FreeNotification(Receiver);
}

void cxRemoveFreeNotification(TComponent* Receiver, TComponent* Component) {
    if (Component) Component->RemoveFreeNotification(Receiver);
}

} // namespace toolkit::base
