#pragma once
// The class library's actions: a command held apart from the controls and menu entries that run
// it. Each such client holds an action link. The action tells its links of every change of a
// property, and a link passes the change to its client only while the client still shows the
// action's value (the property is "linked"); a value the client was given of its own stays.
// Running the client runs the action through its link. The client asks the action for a free
// notification and lets the link go when the action goes.

#include "platform/core/class_reference.h"
#include "platform/core/component.h"
#include "platform/forms/shortcuts.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::forms {

class TBasicActionLink;

// Whether two events hold one routine: both unassigned, or both copies of one action's execute
// routine (TBasicAction::OnExecute). Routines given otherwise cannot be told apart, and count as
// different.
bool SameRoutine(const core::TNotifyEvent& a, const core::TNotifyEvent& b);

class TBasicAction : public core::TComponent {
public:
    static const core::TComponentClass& ClassRef();
    const core::TClass& ClassType() const override { return ClassRef(); }

    explicit TBasicAction(core::TComponent* owner);
    // The links that still hold the action keep none.
    ~TBasicAction() override;

    // OnExecute with the action as sender; false when there is none to run.
    virtual bool Execute();
    // OnUpdate with the action as sender, so that it can set the action's state; false when
    // there is none.
    virtual bool Update();
    // The component that runs the action through its link; nil outside that run.
    core::TComponent* ActionComponent() const { return actionComponent_; }
    void SetActionComponent(core::TComponent* value) { actionComponent_ = value; }

    // The execute routine. Each copy handed out is known to SameRoutine as this routine.
    core::TNotifyEvent OnExecute() const;
    // The links hear of it first (while the action still holds the old routine).
    void SetOnExecute(core::TNotifyEvent value);
    core::TNotifyEvent OnUpdate;
    // Fired by Change.
    core::TNotifyEvent OnChange;
    // The action changed as a whole: OnChange, then every link's Change, whose clients take all
    // of the action's properties again.
    void Change();

    int ClientCount() const { return static_cast<int>(clients_.size()); }
    TBasicActionLink* Clients(int index) const;

protected:
    // The links as they are now: a client's reaction may take links away.
    std::vector<TBasicActionLink*> ClientsNow() const { return clients_; }
    bool HasClient(const TBasicActionLink* link) const;

private:
    friend class TBasicActionLink;

    std::shared_ptr<const core::TNotifyEvent> execute_;
    std::vector<TBasicActionLink*> clients_;
    core::TComponent* actionComponent_ = nullptr;
};

// A client's hold on an action. The client makes and owns it.
class TBasicActionLink : public core::TObject {
public:
    static const core::TClass& ClassRef();
    const core::TClass& ClassType() const override { return ClassRef(); }

    explicit TBasicActionLink(core::TObject* client);
    // Leaves the action.
    ~TBasicActionLink() override;
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* value);

    // Runs the action with component as its ActionComponent; false when there is no action or
    // it ran nothing.
    virtual bool Execute(core::TComponent* component = nullptr);
    // The action's Update; false without an action.
    virtual bool Update();
    // Fires OnChange with the action as sender.
    virtual void Change();
    core::TNotifyEvent OnChange;

    // Whether the client's click event is the action's execute routine; true in the base.
    virtual bool IsOnExecuteLinked() const { return true; }
    // The action's execute routine changes; the client takes it while linked. Nothing in the
    // base.
    virtual void SetOnExecute(const core::TNotifyEvent& /*value*/) {}

private:
    friend class TBasicAction;
    TBasicAction* action_ = nullptr;
};

class TCustomAction;

// The link of a client that shows a custom action's properties. Each test answers whether the
// client shows the action's value; each setter is the action's new value, passed on while the
// property is linked. In the base the tests answer whether the action is a custom action and the
// setters do nothing.
class TActionLink : public TBasicActionLink {
public:
    static const core::TClass& ClassRef();
    const core::TClass& ClassType() const override { return ClassRef(); }

    using TBasicActionLink::TBasicActionLink;

    // The action as a custom action; nil for any other.
    TCustomAction* CustomAction() const;

    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsHelpContextLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsShortCutLinked() const;
    virtual bool IsVisibleLinked() const;

    virtual void SetCaption(const std::string& /*value*/) {}
    virtual void SetChecked(bool /*value*/) {}
    virtual void SetEnabled(bool /*value*/) {}
    virtual void SetHelpContext(int /*value*/) {}
    virtual void SetHint(const std::string& /*value*/) {}
    virtual void SetImageIndex(int /*value*/) {}
    virtual void SetShortCut(TShortCut /*value*/) {}
    virtual void SetVisible(bool /*value*/) {}
};

// A hint about to show for a client of the action: the handler may rewrite it, or refuse it
// (CanShow false).
using THintEvent = std::function<void(std::string& HintStr, bool& CanShow)>;

// An action with the properties its clients show. Each setter, for a new value, tells the links
// (which still see the old value in the action) and then stores it.
class TCustomAction : public TBasicAction {
public:
    static const core::TComponentClass& ClassRef();
    const core::TClass& ClassType() const override { return ClassRef(); }

    using TBasicAction::TBasicAction;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value);
    // Short part, "|", long part.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    // Update first, so that the state is current; a disabled action runs nothing.
    bool Execute() override;
    // Asks OnHint about a hint that is to show for a client; false: none shows.
    virtual bool DoHint(std::string& hintStr);
    THintEvent OnHint;

private:
    template <class F> void TellLinks(F&& tell);

    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int helpContext_ = 0;
    std::string hint_;
    int imageIndex_ = -1;
    TShortCut shortCut_ = 0;
    bool visible_ = true;
};

} // namespace platform::forms
