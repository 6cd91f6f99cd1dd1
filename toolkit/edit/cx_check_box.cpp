#include "toolkit/edit/cx_check_box.h"

#include "toolkit/edit/cx_check_box_view.h"

#include "platform/forms/actions.h"
#include "platform/forms/forms.h"
#include "platform/win/messages.h"

#include <cctype>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// ---- TcxCustomCheckBox ----

const pc::TComponentClass& TcxCustomCheckBox::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCustomCheckBox", &TcxCustomEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCustomCheckBox>(AOwner); });
    return Class;
}

TcxCustomCheckBox::TcxCustomCheckBox(pc::TComponent* AOwner, bool AIsInplace,
                                     const TcxCustomEditPropertiesClass* APropertiesClass)
    : TcxCustomEdit(AOwner, AIsInplace,
                    APropertiesClass ? APropertiesClass
                                     : &TcxCustomCheckBoxProperties::ClassRef()) {
    RecreateViewInfo();
    SetControlStyle(ControlStyle() & ~pf::csDoubleClicks);
    SetWidth(121);
    // A check box shows no editor frame of its own.
    Style().SetBorderStyle(cbsNone);
    FEditValue = PrepareEditValue(cbsUnchecked);
    FShownState = State();
}

TcxCustomCheckBoxProperties& TcxCustomCheckBox::Properties() const {
    return static_cast<TcxCustomCheckBoxProperties&>(TcxCustomEdit::Properties());
}

TcxCustomCheckBoxProperties& TcxCustomCheckBox::ActiveProperties() const {
    return static_cast<TcxCustomCheckBoxProperties&>(TcxCustomEdit::ActiveProperties());
}

TcxCustomCheckBoxViewInfo& TcxCustomCheckBox::CheckBoxViewInfo() const {
    return static_cast<TcxCustomCheckBoxViewInfo&>(EditViewInfo());
}

TcxCheckBoxState TcxCustomCheckBox::State() const {
    return ActiveProperties().GetState(FEditValue);
}

void TcxCustomCheckBox::SetState(TcxCheckBoxState Value) {
    if (FIsLoadingState || (ComponentState() & pc::csLoading)) {
        FHasPendingState = true;
        FPendingState = Value;
        return;
    }
    if (Value != State()) SetEditValueChecked(PrepareEditValue(Value));
}

Variant TcxCustomCheckBox::PrepareEditValue(TcxCheckBoxState AState) const {
    return ActiveProperties().GetEditValue(AState);
}

std::string TcxCustomCheckBox::GetDisplayText() {
    return ActiveProperties().GetDisplayText(FEditValue);
}

void TcxCustomCheckBox::Toggle() {
    LockChangeEvents(true);
    try {
        FUserAction = true;
        try {
            switch (State()) {
            case cbsUnchecked:
                SetState(ActiveProperties().AllowGrayed() ? cbsGrayed : cbsChecked);
                break;
            case cbsChecked:
                SetState(cbsUnchecked);
                break;
            case cbsGrayed:
                SetState(cbsChecked);
                break;
            }
        } catch (...) {
            FUserAction = false;
            throw;
        }
        FUserAction = false;
        if (ActiveProperties().ImmediatePost() && DataBinding().CanModify() && ValidateEdit(true))
            InternalPostEditValue(false);
    } catch (...) {
        LockChangeEvents(false);
        throw;
    }
    LockChangeEvents(false);
}

TcxEditSizeProperties TcxCustomCheckBox::GetEditSizeProperties() {
    TcxEditSizeProperties Result = TcxCustomEdit::GetEditSizeProperties();
    Result.MaxLineCount = ActiveProperties().MultiLine() ? 0 : 1;
    return Result;
}

void TcxCustomCheckBox::Click() {
    if (FStateClick) TcxCustomEdit::Click();
}

void TcxCustomCheckBox::FireStateClick() {
    if (IsClickLocked()) return;
    FStateClick = true;
    try {
        Click();
    } catch (...) {
        FStateClick = false;
        throw;
    }
    FStateClick = false;
}

void TcxCustomCheckBox::StateChanged() {
    FShownState = State();
    ShortRefreshContainer(false);
    FireStateClick();
    DoChange();
}

void TcxCustomCheckBox::InternalSetEditValue(const Variant& Value, bool AValidateEditValue) {
    TcxCustomEdit::InternalSetEditValue(Value, AValidateEditValue);
    if (State() != FShownState) StateChanged();
    ShortRefreshContainer(false);
}

void TcxCustomCheckBox::PropertiesChanged(TcxCustomEditProperties* Sender) {
    TcxCustomCheckBoxProperties& P = ActiveProperties();
    if (P.CaptionChanged()) {
        P.SetCaptionChanged(false);
        SetCaption(P.Caption());
    }
    if (State() != FShownState) {
        FShownState = State();
        ShortRefreshContainer(false);
        if (!IsChangeEventsLocked()) {
            FireStateClick();
            DoChange();
        }
    }
    TcxCustomEdit::PropertiesChanged(Sender);
    // The editor base sizes itself only when AutoSize turns on; a check box's height follows its
    // caption's rows, which MultiLine and the font change.
    AdjustSize();
}

void TcxCustomCheckBox::Loaded() {
    LockChangeEvents(true);
    LockClick(true);
    FIsLoadingState = true;
    try {
        TcxCustomEdit::Loaded();
        FIsLoadingState = false;
        if (FHasPendingState) {
            FHasPendingState = false;
            SetState(FPendingState);
        } else if (!DataBinding().DefaultValuesProvider().IsDataAvailable()) {
            SetState(cbsUnchecked);
        }
    } catch (...) {
        FIsLoadingState = false;
        LockClick(false);
        LockChangeEvents(false, false);
        throw;
    }
    LockClick(false);
    LockChangeEvents(false, false);
}

void TcxCustomCheckBox::DoEditKeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    TcxCustomEdit::DoEditKeyDown(Key, Shift);
    if (Key != pw::VK_SPACE || FSpacePressed) return;
    FSpacePressed = true;
    ShortRefreshContainer(false);
    Key = 0;
}

void TcxCustomCheckBox::DoEditKeyUp(pf::WORD& Key, pf::TShiftState Shift) {
    TcxCustomEdit::DoEditKeyUp(Key, Shift);
    if (Key != pw::VK_SPACE || CheckBoxViewInfo().CheckButtonState != ecsPressed) return;
    FSpacePressed = false;
    ShortRefreshContainer(false);
    Toggle();
}

void TcxCustomCheckBox::DoEditKeyPress(char& Key) {
    TcxCustomEdit::DoEditKeyPress(Key);
    if (Key != ' ') return;
    if (IsInplace() && CheckBoxViewInfo().CheckButtonState == ecsNormal) Toggle();
    Key = 0;
}

bool TcxCustomCheckBox::RefreshContainer(pg::TPoint P, int Button, pf::TShiftState Shift,
                                         bool IsMouseEvent) {
    const TcxCheckButtonState Old = CheckBoxViewInfo().CheckButtonState;
    const bool Result = TcxCustomEdit::RefreshContainer(P, Button, Shift, IsMouseEvent);
    if (IsMouseEvent && Old == ecsPressed && CheckBoxViewInfo().CheckButtonState == ecsHot)
        Toggle();
    return Result;
}

void TcxCustomCheckBox::WndProc(pc::TMessage& Message) {
    if (Message.Msg == pf::CM_DIALOGCHAR && Message.WParam != 0 &&
        pf::CaptionAccelerator(Caption()) ==
            std::tolower(static_cast<unsigned char>(Message.WParam))) {
        if (CanFocus()) SetFocus();
        if (Focused()) Toggle();
        Message.Result = 1;
        return;
    }
    TcxCustomEdit::WndProc(Message);
}

bool TcxCustomCheckBox::IsStateStored() const {
    const auto* Action =
        ActionLink() ? dynamic_cast<const pf::TCustomAction*>(ActionLink()->Action()) : nullptr;
    return !Action || State() != (Action->Checked() ? cbsChecked : cbsUnchecked);
}

void TcxCustomCheckBox::SetCheckedQuietly(bool Value) {
    LockClick(true);
    LockChangeEvents(true);
    try {
        SetChecked(Value);
    } catch (...) {
        LockChangeEvents(false, false);
        LockClick(false);
        throw;
    }
    LockChangeEvents(false, false);
    LockClick(false);
}

void TcxCustomCheckBox::ActionChange(pc::TObject* Sender, bool CheckDefaults) {
    TcxCustomEdit::ActionChange(Sender, CheckDefaults);
    const auto* Action = dynamic_cast<pf::TCustomAction*>(Sender);
    if (!Action || (FHasPendingState && (ComponentState() & pc::csLoading))) return;
    if (!CheckDefaults || !Checked()) SetCheckedQuietly(Action->Checked());
}

std::unique_ptr<pf::TControlActionLink> TcxCustomCheckBox::CreateActionLink() {
    return std::make_unique<TcxCheckBoxActionLink>(this);
}

// ---- TcxCheckBoxActionLink ----

const pc::TClass& TcxCheckBoxActionLink::ClassRef() {
    static const pc::TClass Class("TcxCheckBoxActionLink", &pf::TControlActionLink::ClassRef());
    return Class;
}

TcxCheckBoxActionLink::TcxCheckBoxActionLink(TcxCustomCheckBox* AClient)
    : pf::TWinControlActionLink(AClient), FClient(AClient) {}

bool TcxCheckBoxActionLink::IsCheckedLinked() const {
    return pf::TWinControlActionLink::IsCheckedLinked() && FClient->State() != cbsGrayed &&
           FClient->Checked() == CustomAction()->Checked();
}

void TcxCheckBoxActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) FClient->SetCheckedQuietly(Value);
}

// ---- TcxCheckBox ----

const pc::TComponentClass& TcxCheckBox::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCheckBox", &TcxCustomCheckBox::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCheckBox>(AOwner); });
    return Class;
}

TcxCheckBox::TcxCheckBox(pc::TComponent* AOwner, bool AIsInplace)
    : TcxCustomCheckBox(AOwner, AIsInplace, &TcxCheckBoxProperties::ClassRef()) {}

TcxCheckBoxProperties& TcxCheckBox::Properties() const {
    return static_cast<TcxCheckBoxProperties&>(TcxCustomCheckBox::Properties());
}

} // namespace toolkit::edit
