#pragma once
// The popup edit: a drop-down editor whose popup hosts a control of the application
// (PopupControl, often a panel or a form). Opening takes the control out of its parent into the
// popup and aligns it to fill it; closing gives it back its parent, alignment, bounds and
// visibility (a form also its border style). The popup takes the keyboard, and is sizeable and
// 250 x 200 by default, never below 100 x 100.

#include "toolkit/edit/cx_drop_down_edit.h"

#include "platform/forms/forms.h"

namespace toolkit::edit {

class TcxCustomPopupEditProperties : public TcxCustomDropDownEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomPopupEditProperties(platform::core::TPersistent* AOwner);
    ~TcxCustomPopupEditProperties() override;

    void Assign(const platform::core::TPersistent* Source) override;
    bool PopupWindowCapturesFocus() const override { return true; }
    std::unique_ptr<TcxCustomEditPopupWindow>
    CreatePopupWindow(TcxCustomDropDownEdit* AEdit) const override;
    const platform::core::TComponentClass& GetContainerClass() const override;

    platform::forms::TControl* PopupControl() const { return FPopupControl; }
    // Follows the control: freeing it clears the property.
    void SetPopupControl(platform::forms::TControl* Value);

protected:
    void FreeNotification(platform::core::TComponent* AComponent) override;

private:
    platform::forms::TControl* FPopupControl = nullptr;
};

class TcxPopupEditProperties : public TcxCustomPopupEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    explicit TcxPopupEditProperties(platform::core::TPersistent* AOwner);
};

// The popup edit's own flat frame (epbsFlat without native style or skin): two one-pixel rings,
// each drawn as its top-left and bottom-right edges, the outer in clInactiveBorder and the inner
// in clBtnFace. The rings fill the two pixels the flat frame reserves around the client, so the
// hosted control never covers them; every other style is drawn as the base draws it.
class TcxPopupEditPopupWindowViewInfo : public TcxCustomEditPopupWindowViewInfo {
public:
    void DrawBorder(TcxCanvas& Canvas, TRect R) override;
};

// Its client's preferred size is the hosted control's.
class TcxPopupEditPopupWindow : public TcxCustomEditPopupWindow {
public:
    explicit TcxPopupEditPopupWindow(TcxCustomEdit* AOwnerControl);

protected:
    TSize GetClientPreferredSize() override;
    TcxContainerViewInfoClass GetViewInfoClass() override;
};

class TcxCustomPopupEdit : public TcxCustomDropDownEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomPopupEdit(platform::core::TComponent* AOwner, bool AIsInplace = false,
                                const TcxCustomEditPropertiesClass* APropertiesClass = nullptr);
    ~TcxCustomPopupEdit() override;

    TcxCustomPopupEditProperties& Properties() const;
    TcxCustomPopupEditProperties& ActiveProperties() const;
    void GetPopupWindowClientPreferredSize(platform::gdi::TSize& Size) override;

    // The virtual operations, in their slot order.
    virtual void ClosePopupWithReason(platform::core::TObject* Sender,
                                      TcxEditCloseUpReason AReason);

protected:
    virtual void RestorePopupControl();
    virtual void SavePopupControlState();

    bool CanDropDown() override { return ActiveProperties().PopupControl() != nullptr; }
    // Raises EcxEditError "Circular referencing is not allowed" for a control that is the
    // popup, this editor or holds it.
    void DoInitPopup() override;
    platform::forms::TWinControl* GetPopupFocusedControl() override;
    void PositionPopupWindowChilds(const TRect& R) override;
    void InternalDropDown() override;
    void PopupWindowClosed() override;

private:
    platform::forms::TAlign FSavedAlign = platform::forms::alNone;
    TRect FSavedBounds;
    platform::forms::TWinControl* FSavedParent = nullptr;
    bool FSavedVisible = false;
    platform::forms::TBorderStyle FSavedBorderStyle = platform::forms::bsNone;
    // The control taken into the popup, until it is given back.
    platform::forms::TControl* FHostedControl = nullptr;
};

class TcxPopupEdit : public TcxCustomPopupEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxPopupEdit(platform::core::TComponent* AOwner, bool AIsInplace = false);
    TcxPopupEditProperties& Properties() const;
};

} // namespace toolkit::edit
