#pragma once
// A bar item's hold on a standard action: the action's caption, checked state (a button's Down),
// enabled state, help context, hint, image index, shortcut, visibility and execute routine flow
// into the item, each only while the item still shows the action's value. The item makes it
// through its GetActionLinkClass and owns it.

#include "platform/core/class_reference.h"
#include "platform/forms/actions.h"

namespace toolkit::bars {

class TdxBarItem;
class TdxBarItemActionLink;
// Link classes are made with their item.
using TdxBarItemActionLinkClass = platform::core::TClassOf<TdxBarItemActionLink, TdxBarItem*>;

class TdxBarItemActionLink : public platform::forms::TActionLink {
public:
    static const TdxBarItemActionLinkClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarItemActionLink(TdxBarItem* AClient);
    TdxBarItem* Client() const { return FClient; }

    // Each: the action is a custom action and the item shows its value. The hint also counts
    // as linked while it mirrors the caption; the checked state only for a button (its Down);
    // visibility compares the one waiting for the manager while that loads.
    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHelpContextLinked() const override;
    bool IsHintLinked() const override;
    bool IsImageIndexLinked() const override;
    bool IsShortCutLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsOnExecuteLinked() const override;

    void SetCaption(const std::string& Value) override;
    void SetChecked(bool Value) override;
    void SetEnabled(bool Value) override;
    void SetHelpContext(int Value) override;
    void SetHint(const std::string& Value) override;
    void SetImageIndex(int Value) override;
    void SetShortCut(platform::forms::TShortCut Value) override;
    void SetVisible(bool Value) override;
    void SetOnExecute(const platform::core::TNotifyEvent& Value) override;

private:
    TdxBarItem* FClient;
};

} // namespace toolkit::bars
