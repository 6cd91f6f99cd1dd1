#include "toolkit/bars/model/dx_bar_item_action_link.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

const TdxBarItemActionLinkClass& TdxBarItemActionLink::ClassRef() {
    static const TdxBarItemActionLinkClass cls(
        "TdxBarItemActionLink", &pf::TActionLink::ClassRef(),
        pc::ConstructorOf<TdxBarItemActionLink, TdxBarItemActionLink, TdxBarItem*>());
    return cls;
}

TdxBarItemActionLink::TdxBarItemActionLink(TdxBarItem* AClient)
    : pf::TActionLink(AClient), FClient(AClient) {}

bool TdxBarItemActionLink::IsCaptionLinked() const {
    return pf::TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TdxBarItemActionLink::IsCheckedLinked() const {
    const auto* Button = dynamic_cast<const TdxBarButton*>(FClient);
    return pf::TActionLink::IsCheckedLinked() && Button &&
           Button->Down() == CustomAction()->Checked();
}

bool TdxBarItemActionLink::IsEnabledLinked() const {
    return pf::TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

bool TdxBarItemActionLink::IsHelpContextLinked() const {
    return pf::TActionLink::IsHelpContextLinked() &&
           FClient->HelpContext == CustomAction()->HelpContext();
}

bool TdxBarItemActionLink::IsHintLinked() const {
    return pf::TActionLink::IsHintLinked() &&
           (FClient->Hint == CustomAction()->Hint() || FClient->HintMirrorsCaption());
}

bool TdxBarItemActionLink::IsImageIndexLinked() const {
    return pf::TActionLink::IsImageIndexLinked() &&
           FClient->GetImageIndex() == CustomAction()->ImageIndex();
}

bool TdxBarItemActionLink::IsShortCutLinked() const {
    return pf::TActionLink::IsShortCutLinked() && FClient->ShortCut() == CustomAction()->ShortCut();
}

bool TdxBarItemActionLink::IsVisibleLinked() const {
    return pf::TActionLink::IsVisibleLinked() &&
           BoolToItemVisible(CustomAction()->Visible()) == FClient->VisibleToCome();
}

bool TdxBarItemActionLink::IsOnExecuteLinked() const {
    return pf::TActionLink::IsOnExecuteLinked() && Action() &&
           pf::SameRoutine(FClient->OnClick, Action()->OnExecute());
}

void TdxBarItemActionLink::SetCaption(const std::string& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TdxBarItemActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) dynamic_cast<TdxBarButton*>(FClient)->SetDown(Value);
}

void TdxBarItemActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}

void TdxBarItemActionLink::SetHelpContext(int Value) {
    if (IsHelpContextLinked()) FClient->HelpContext = Value;
}

void TdxBarItemActionLink::SetHint(const std::string& Value) {
    if (IsHintLinked()) FClient->Hint = Value;
}

void TdxBarItemActionLink::SetImageIndex(int Value) {
    if (IsImageIndexLinked()) FClient->SetImageIndexByAction(Value);
}

void TdxBarItemActionLink::SetShortCut(pf::TShortCut Value) {
    if (IsShortCutLinked()) FClient->SetShortCut(Value);
}

void TdxBarItemActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(BoolToItemVisible(Value));
}

void TdxBarItemActionLink::SetOnExecute(const pc::TNotifyEvent& Value) {
    if (IsOnExecuteLinked()) FClient->OnClick = Value;
}

} // namespace toolkit::bars
