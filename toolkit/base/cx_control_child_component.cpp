#include "toolkit/base/cx_control_child_component.h"

#include "toolkit/base/cx_control.h"

namespace toolkit::base {

namespace pc = platform::core;

TcxControlChildComponent::TcxControlChildComponent(pc::TComponent* AOwner) : TcxComponent(AOwner) {}

TcxControlChildComponent::~TcxControlChildComponent() {
    if (FControl) FControl->RemoveChildComponent(this);
}

pc::TComponent* TcxControlChildComponent::OwnerOf(TcxControl& AControl) {
    return AControl.Owner();
}

void TcxControlChildComponent::SetParentComponent(pc::TComponent* Value) {
    if (FControl) FControl->RemoveChildComponent(this);
    if (auto* Control = dynamic_cast<TcxControl*>(Value)) Control->AddChildComponent(this);
}

pc::TComponent* TcxControlChildComponent::GetParentComponent() const {
    return FControl;
}

bool TcxControlChildComponent::IsDestroying() const {
    return (ComponentState() & pc::csDestroying) != 0;
}

void TcxControlChildComponent::SetControl(TcxControl* Value) {
    if (FControl == Value) return;
    if (FControl) RemoveFreeNotification(FControl);
    FControl = Value;
    // The control may go first: then this component is left without one.
    if (FControl) FreeNotification(FControl);
}

void TcxControlChildComponent::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    TcxComponent::Notification(AComponent, Operation);
    if (Operation == pc::opRemove && AComponent == FControl) FControl = nullptr;
}

} // namespace toolkit::base
