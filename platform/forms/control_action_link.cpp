#include "platform/forms/control_action_link.h"

#include "platform/forms/controls.h"

namespace platform::forms {

const core::TClass& TControlActionLink::ClassRef() {
    static const core::TClass cls("TControlActionLink", &TActionLink::ClassRef());
    return cls;
}

TControlActionLink::TControlActionLink(TControl* client) : TActionLink(client), client_(client) {}

bool TControlActionLink::IsCaptionLinked() const {
    return TActionLink::IsCaptionLinked() && client_->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const {
    return TActionLink::IsEnabledLinked() && client_->Enabled() == CustomAction()->Enabled();
}

bool TControlActionLink::IsHelpContextLinked() const {
    return TActionLink::IsHelpContextLinked() &&
           client_->HelpContext == CustomAction()->HelpContext();
}

bool TControlActionLink::IsHintLinked() const {
    return TActionLink::IsHintLinked() && client_->Hint == CustomAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() const {
    return TActionLink::IsVisibleLinked() && client_->Visible() == CustomAction()->Visible();
}

bool TControlActionLink::IsOnExecuteLinked() const {
    return TActionLink::IsOnExecuteLinked() && Action() &&
           SameRoutine(client_->OnClick, Action()->OnExecute());
}

void TControlActionLink::SetCaption(const std::string& value) {
    if (IsCaptionLinked()) client_->SetCaption(value);
}

void TControlActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) client_->SetEnabled(value);
}

void TControlActionLink::SetHelpContext(int value) {
    if (IsHelpContextLinked()) client_->HelpContext = value;
}

void TControlActionLink::SetHint(const std::string& value) {
    if (IsHintLinked()) client_->Hint = value;
}

void TControlActionLink::SetVisible(bool value) {
    if (IsVisibleLinked()) client_->SetVisible(value);
}

void TControlActionLink::SetOnExecute(const core::TNotifyEvent& value) {
    if (IsOnExecuteLinked()) client_->OnClick = value;
}

} // namespace platform::forms
