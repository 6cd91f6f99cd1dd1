#pragma once
// The check box editor: a three-state check with a caption on the editor base. Its edit value
// is any value; the properties map it to unchecked, checked or grayed (State). A click (press
// and release over the editor) or Space (down, then up) toggles: unchecked to grayed when
// AllowGrayed, else to checked; checked to unchecked; grayed to checked. A toggle is a user's
// change: it passes the editing check (read-only refuses it) and, with ImmediatePost, posts
// once validated. A changed state fires OnClick and the change events; setting the state it
// has fires nothing. The caption's accelerator character focuses the editor and toggles it.
// Linked to an action, the box also shows the action's Checked (TcxCheckBoxActionLink), and its
// State is not stored while the action gives it.

#include "toolkit/edit/cx_check_box_properties.h"
#include "toolkit/edit/cx_custom_edit.h"

#include "platform/forms/control_action_link.h"

#include <memory>

namespace toolkit::edit {

class TcxCustomCheckBox;
class TcxCustomCheckBoxViewInfo;

// Besides what a control's link carries, the action's Checked, while the box shows it (a grayed
// box shows none). A new Checked reaches the box without OnClick or change events.
class TcxCheckBoxActionLink : public platform::forms::TWinControlActionLink {
public:
    static const platform::core::TClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TcxCheckBoxActionLink(TcxCustomCheckBox* AClient);

    bool IsCheckedLinked() const override;
    void SetChecked(bool Value) override;

private:
    TcxCustomCheckBox* FClient;
};

class TcxCustomCheckBox : public TcxCustomEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TcxCustomCheckBox(platform::core::TComponent* AOwner, bool AIsInplace = false,
                               const TcxCustomEditPropertiesClass* APropertiesClass = nullptr);

    TcxCustomCheckBoxProperties& Properties() const;
    TcxCustomCheckBoxProperties& ActiveProperties() const;
    TcxCustomCheckBoxViewInfo& CheckBoxViewInfo() const;

    TcxCheckBoxState State() const;
    // While loading, remembered until Loaded; otherwise the state's value as if set in code.
    void SetState(TcxCheckBoxState Value);
    bool Checked() const { return State() == cbsChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbsChecked : cbsUnchecked); }
    void Clear() override { SetChecked(false); }
    virtual void Toggle();
    bool SpacePressed() const { return FSpacePressed; }
    std::string GetDisplayText() override;
    // False while a custom action is linked whose Checked gives the box's state.
    bool IsStateStored() const;

protected:
    Variant PrepareEditValue(TcxCheckBoxState AState) const;
    void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
    void PropertiesChanged(TcxCustomEditProperties* Sender) override;
    void Loaded() override;
    void DoEditKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void DoEditKeyUp(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void DoEditKeyPress(char& Key) override;
    // A release of the left button over the pressed check toggles.
    bool RefreshContainer(platform::gdi::TPoint P, int Button, platform::forms::TShiftState Shift,
                          bool IsMouseEvent) override;
    Variant GetClearValue() override { return PrepareEditValue(cbsUnchecked); }
    // One text row unless MultiLine; the caption then wraps in the text area the width leaves.
    TcxEditSizeProperties GetEditSizeProperties() override;
    // OnClick reports a changed state only, not the mouse's click.
    void Click() override;
    void WndProc(platform::core::TMessage& Message) override;
    // The control's values, then the action's Checked, quietly; left for Loaded when a state
    // waits there.
    void ActionChange(platform::core::TObject* Sender, bool CheckDefaults) override;
    std::unique_ptr<platform::forms::TControlActionLink> CreateActionLink() override;

private:
    friend class TcxCheckBoxActionLink;

    // Checked with clicks and change events held back, and none fired afterwards.
    void SetCheckedQuietly(bool Value);
    // The shown state follows the value: repaint, then OnClick and the change events.
    void StateChanged();
    void FireStateClick();

    bool FSpacePressed = false;
    bool FStateClick = false;
    bool FIsLoadingState = false;
    bool FHasPendingState = false;
    TcxCheckBoxState FPendingState = cbsUnchecked;
    TcxCheckBoxState FShownState = cbsUnchecked;
};

class TcxCheckBox : public TcxCustomCheckBox {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxCheckBox(platform::core::TComponent* AOwner, bool AIsInplace = false);
    TcxCheckBoxProperties& Properties() const;
};

} // namespace toolkit::edit
