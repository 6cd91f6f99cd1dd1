#include "platform/forms/actions.h"

#include <algorithm>
#include <utility>

namespace platform::forms {

namespace {

// The execute routine as the action hands it out: every copy shares the one routine, which is
// how SameRoutine knows it.
class TActionRoutine {
public:
    explicit TActionRoutine(std::shared_ptr<const core::TNotifyEvent> routine)
        : routine_(std::move(routine)) {}
    void operator()(core::TObject* sender) const { (*routine_)(sender); }
    const std::shared_ptr<const core::TNotifyEvent>& Routine() const { return routine_; }

private:
    std::shared_ptr<const core::TNotifyEvent> routine_;
};

core::TNotifyEvent Handed(const std::shared_ptr<const core::TNotifyEvent>& routine) {
    return routine ? core::TNotifyEvent(TActionRoutine(routine)) : core::TNotifyEvent();
}

} // namespace

bool SameRoutine(const core::TNotifyEvent& a, const core::TNotifyEvent& b) {
    if (!a || !b) return !a && !b;
    if (&a == &b) return true;
    const auto* ra = a.target<TActionRoutine>();
    const auto* rb = b.target<TActionRoutine>();
    return ra && rb && ra->Routine() == rb->Routine();
}

// ---- TBasicAction ----

const core::TComponentClass& TBasicAction::ClassRef() {
    static const core::TComponentClass cls(
        "TBasicAction", &core::TComponent::ClassRef(),
        core::ConstructorOf<TBasicAction, core::TComponent, core::TComponent*>());
    return cls;
}

TBasicAction::TBasicAction(core::TComponent* owner) : core::TComponent(owner) {}

TBasicAction::~TBasicAction() {
    while (!clients_.empty()) {
        TBasicActionLink* link = clients_.back();
        clients_.pop_back();
        link->action_ = nullptr;
    }
}

bool TBasicAction::Execute() {
    if (!execute_) return false;
    (*execute_)(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

core::TNotifyEvent TBasicAction::OnExecute() const {
    return Handed(execute_);
}

void TBasicAction::SetOnExecute(core::TNotifyEvent value) {
    std::shared_ptr<const core::TNotifyEvent> routine;
    if (const auto* held = value.target<TActionRoutine>())
        routine = held->Routine();
    else if (value)
        routine = std::make_shared<const core::TNotifyEvent>(std::move(value));
    if (routine == execute_) return;
    const core::TNotifyEvent handed = Handed(routine);
    for (TBasicActionLink* link : ClientsNow())
        if (HasClient(link)) link->SetOnExecute(handed);
    execute_ = std::move(routine);
}

void TBasicAction::Change() {
    if (OnChange) OnChange(this);
    for (TBasicActionLink* link : ClientsNow())
        if (HasClient(link)) link->Change();
}

TBasicActionLink* TBasicAction::Clients(int index) const {
    if (index < 0 || index >= ClientCount()) return nullptr;
    return clients_[static_cast<std::size_t>(index)];
}

bool TBasicAction::HasClient(const TBasicActionLink* link) const {
    return std::find(clients_.begin(), clients_.end(), link) != clients_.end();
}

// ---- TBasicActionLink ----

const core::TClass& TBasicActionLink::ClassRef() {
    static const core::TClass cls("TBasicActionLink", &core::TObject::ClassRef());
    return cls;
}

TBasicActionLink::TBasicActionLink(core::TObject* /*client*/) {}

TBasicActionLink::~TBasicActionLink() {
    SetAction(nullptr);
}

void TBasicActionLink::SetAction(TBasicAction* value) {
    if (value == action_) return;
    if (action_) std::erase(action_->clients_, this);
    action_ = value;
    if (action_) action_->clients_.push_back(this);
}

bool TBasicActionLink::Execute(core::TComponent* component) {
    if (!action_) return false;
    TBasicAction* action = action_;
    action->SetActionComponent(component);
    // The routine may free the action: the link then holds none, and nothing is reset.
    struct Reset {
        TBasicActionLink& link;
        TBasicAction* action;
        ~Reset() {
            if (link.action_ == action) action->SetActionComponent(nullptr);
        }
    } reset{*this, action};
    return action->Execute();
}

bool TBasicActionLink::Update() {
    return action_ && action_->Update();
}

void TBasicActionLink::Change() {
    if (OnChange) OnChange(action_);
}

// ---- TActionLink ----

const core::TClass& TActionLink::ClassRef() {
    static const core::TClass cls("TActionLink", &TBasicActionLink::ClassRef());
    return cls;
}

TCustomAction* TActionLink::CustomAction() const {
    return dynamic_cast<TCustomAction*>(Action());
}

bool TActionLink::IsCaptionLinked() const {
    return CustomAction() != nullptr;
}

bool TActionLink::IsCheckedLinked() const {
    return CustomAction() != nullptr;
}

bool TActionLink::IsEnabledLinked() const {
    return CustomAction() != nullptr;
}

bool TActionLink::IsHelpContextLinked() const {
    return CustomAction() != nullptr;
}

bool TActionLink::IsHintLinked() const {
    return CustomAction() != nullptr;
}

bool TActionLink::IsImageIndexLinked() const {
    return CustomAction() != nullptr;
}

bool TActionLink::IsShortCutLinked() const {
    return CustomAction() != nullptr;
}

bool TActionLink::IsVisibleLinked() const {
    return CustomAction() != nullptr;
}

// ---- TCustomAction ----

const core::TComponentClass& TCustomAction::ClassRef() {
    static const core::TComponentClass cls(
        "TCustomAction", &TBasicAction::ClassRef(),
        core::ConstructorOf<TCustomAction, core::TComponent, core::TComponent*>());
    return cls;
}

template <class F> void TCustomAction::TellLinks(F&& tell) {
    for (TBasicActionLink* link : ClientsNow())
        if (HasClient(link))
            if (auto* actionLink = dynamic_cast<TActionLink*>(link)) tell(*actionLink);
}

void TCustomAction::SetCaption(const std::string& value) {
    if (value == caption_) return;
    TellLinks([&](TActionLink& link) { link.SetCaption(value); });
    caption_ = value;
}

void TCustomAction::SetChecked(bool value) {
    if (value == checked_) return;
    TellLinks([&](TActionLink& link) { link.SetChecked(value); });
    checked_ = value;
}

void TCustomAction::SetEnabled(bool value) {
    if (value == enabled_) return;
    TellLinks([&](TActionLink& link) { link.SetEnabled(value); });
    enabled_ = value;
}

void TCustomAction::SetHelpContext(int value) {
    if (value == helpContext_) return;
    TellLinks([&](TActionLink& link) { link.SetHelpContext(value); });
    helpContext_ = value;
}

void TCustomAction::SetHint(const std::string& value) {
    if (value == hint_) return;
    TellLinks([&](TActionLink& link) { link.SetHint(value); });
    hint_ = value;
}

void TCustomAction::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    TellLinks([&](TActionLink& link) { link.SetImageIndex(value); });
    imageIndex_ = value;
}

void TCustomAction::SetShortCut(TShortCut value) {
    if (value == shortCut_) return;
    TellLinks([&](TActionLink& link) { link.SetShortCut(value); });
    shortCut_ = value;
}

void TCustomAction::SetVisible(bool value) {
    if (value == visible_) return;
    TellLinks([&](TActionLink& link) { link.SetVisible(value); });
    visible_ = value;
}

bool TCustomAction::Execute() {
    Update();
    if (!enabled_) return false;
    return TBasicAction::Execute();
}

bool TCustomAction::DoHint(std::string& hintStr) {
    bool canShow = true;
    if (OnHint) OnHint(hintStr, canShow);
    return canShow;
}

} // namespace platform::forms
