#pragma once
// A control's hold on a custom action: the action's caption, enabled state, help context, hint,
// visibility and execute routine flow into the control, each only while the control still shows
// the action's value. The control makes it (TControl::CreateActionLink) and owns it; a windowed
// control's link is the same (TWinControlActionLink).

#include "platform/forms/actions.h"

#include <string>

namespace platform::forms {

class TControl;

class TControlActionLink : public TActionLink {
public:
    static const core::TClass& ClassRef();
    const core::TClass& ClassType() const override { return ClassRef(); }

    explicit TControlActionLink(TControl* client);
    TControl* Client() const { return client_; }

    // Each: the action is a custom action and the control shows its value.
    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHelpContextLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    // The control's OnClick is the action's execute routine.
    bool IsOnExecuteLinked() const override;

    void SetCaption(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetHelpContext(int value) override;
    void SetHint(const std::string& value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(const core::TNotifyEvent& value) override;

private:
    TControl* client_;
};

using TWinControlActionLink = TControlActionLink;

} // namespace platform::forms
