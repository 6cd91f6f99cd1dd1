#pragma once
// The editor base: the container that every edit control is, with one value model for all of
// them. It keeps an edit value and shows a display value, knows whether the user modified it
// (since entering, and at all), validates the shown value against its properties, posts a valid
// value to its data binding, and abandons changes on Escape. Value changes the user causes
// (keys, mouse, clipboard, the clear key) pass the editing check first (OnEditing).
//
// Change events: OnChange and OnEditValueChanged of the editor's own properties, then of its
// repository item's. While the events are locked each is collected and fires once at the last
// unlock, change first; LockChangeEvents(false, false) drops them.
//
// Buttons: the properties' buttons lie inside the frame; a press and release on one button
// fires OnButtonClick with the button's collection index. Keys: the clear key, the click key
// (the default button), Enter (with ValidateOnEnter), Escape, Tab and the navigation keys, which
// an editor consumes unless it wants them itself.
//
// Clipboard messages run the clipboard operations (cut and paste only where the value may be
// changed); an accelerator in a visible button's caption clicks that button; over a button the
// hint is the button's own (else the editor's). The editor listens to its repository item: it
// follows the item's properties' changes and forgets an item that is freed.
//
// In place, a host activates the editor for one cell (Activate, ActivateByKey, ActivateByMouse)
// and ends the editing with Deactivate; posting then fires OnPostEditValue.

#include "toolkit/edit/cx_container.h"
#include "toolkit/edit/cx_edit_properties.h"
#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/cx_edit_style.h"
#include "toolkit/edit/cx_edit_view_data.h"
#include "toolkit/edit/cx_edit_view_info.h"
#include "toolkit/edit/edit_error.h"

#include "toolkit/base/cx_timer.h"
#include "toolkit/base/object_links.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace toolkit::edit {

class TcxCustomEdit;
class TcxCustomEditViewData;
class TcxEditRepositoryItem;

// What a host keeps of an in-place editor between two activations (a drop-down's last popup
// size, say). Editors that keep nothing have none. Clear asks the editor using it to start it
// afresh.
// The host may keep it longer than the editor lives.
class TcxCustomEditData {
public:
    explicit TcxCustomEditData(TcxCustomEdit* AEdit);
    virtual ~TcxCustomEditData();
    TcxCustomEditData(const TcxCustomEditData&) = delete;
    TcxCustomEditData& operator=(const TcxCustomEditData&) = delete;

    void Clear();
    bool Cleared = false;
    // The editor it was made for; nullptr once that editor is freed.
    TcxCustomEdit* Edit() const;

private:
    std::unique_ptr<toolkit::base::TcxObjectLink> FEditLink;
};

class EcxEditValidationError : public EcxEditError {
public:
    using EcxEditError::EcxEditError;
};

// Collects the change events fired while locked.
struct TcxEditChangeEventsCatcher {
    int LockCount = 0;
    bool OnChangeEvent = false;
    bool OnEditValueChangedEvent = false;
    bool IsLocked() const { return LockCount > 0; }
};

// Where an editor's value is stored. The base stores nothing: the editor is its own storage.
class TcxEditDataBinding {
public:
    explicit TcxEditDataBinding(TcxCustomEdit& AEdit);
    virtual ~TcxEditDataBinding();
    TcxEditDataBinding(const TcxEditDataBinding&) = delete;
    TcxEditDataBinding& operator=(const TcxEditDataBinding&) = delete;

    virtual bool CanPostEditorValue();
    virtual bool CanModify() { return CanPostEditorValue(); }
    virtual void EditorLoaded() {}
    virtual bool IsEditing();
    virtual void MarkEditorModified();
    virtual void Reset();
    virtual bool SetEditMode();
    virtual void SetStoredValue(const Variant&) {}
    virtual Variant GetStoredValue();
    virtual void UpdateDisplayValue();
    IcxEditDefaultValuesProvider& DefaultValuesProvider() const { return *FProvider; }
    bool IsDataStorage() const { return FProvider->IsDataStorage(); }

protected:
    TcxCustomEdit& Edit;

private:
    std::unique_ptr<TcxCustomEditDefaultValuesProvider> FProvider;
};

class TcxCustomEdit : public TcxContainer, public IcxEditValidation {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    // APropertiesClass: the class of the editor's own properties (the base's when null).
    explicit TcxCustomEdit(platform::core::TComponent* AOwner, bool AIsInplace = false,
                           const TcxCustomEditPropertiesClass* APropertiesClass = nullptr);
    ~TcxCustomEdit() override;

    TcxCustomEditProperties& Properties() const { return *FProperties; }
    // The repository item's properties when one is set, else the editor's own.
    TcxCustomEditProperties& ActiveProperties() const;
    TcxEditRepositoryItem* RepositoryItem() const { return FRepositoryItem; }
    // Raises EcxEditError "The repository item is not acceptable" for an item whose properties
    // are not of this editor's properties class.
    void SetRepositoryItem(TcxEditRepositoryItem* Value);
    TcxEditDataBinding& DataBinding() const { return *FDataBinding; }
    TcxCustomEditViewInfo& EditViewInfo() const;
    // The state style for a container state, as an edit style.
    TcxCustomEditStyle& ActiveEditStyle(TcxContainerState State);
    std::unique_ptr<TcxCustomEditViewData> CreateViewData();

    virtual Variant GetEditValue() const { return FEditValue; }
    virtual void SetEditValue(const Variant& Value) { InternalSetEditValue(Value, false); }
    Variant EditValue() const { return GetEditValue(); }
    virtual void Clear() { SetEditValueLocked(GetClearValue()); }
    virtual std::string GetDisplayText() { return {}; }

    bool Modified() const { return FModified; }
    void SetModified(bool Value);
    bool ModifiedAfterEnter() const { return FModifiedAfterEnter; }
    void MarkModifiedAfterEnter(bool Value);
    bool IsEditValidated() const { return FIsEditValidated; }
    bool IsInplace() override { return FIsInplace; }
    bool InternalFocused();
    int PressedButtonIndex() const { return FPressedButtonIndex; }
    // Where the mouse makes the editor hot.
    TRect InnerBounds() { return GetMouseTrackingBounds(); }
    virtual bool UseEditColorForButtons() { return false; }
    virtual bool IsTransparentBackground() { return !FIsInplace && Transparent; }
    bool IsTransparentBackgroundPublic() { return IsTransparentBackground(); }
    bool IsNativeBackgroundPublic() { return IsNativeBackground(); }
    void CheckSizeConstraints(platform::gdi::TSize& Size);

    // True when the shown value may be kept; with ARaiseExceptionOnError a refused value
    // raises EcxEditValidationError (or aborts silently with an empty error text).
    bool ValidateEdit(bool ARaiseExceptionOnError);
    void LockChangeEvents(bool ALock, bool AInvokeChangedOnUnlock = true);
    // Runs Body with the change events held; they come out when it ends, thrown or not.
    template <class F> void WithChangeEventsLocked(F&& Body) {
        LockChangeEvents(true);
        try {
            Body();
        } catch (...) {
            LockChangeEvents(false);
            throw;
        }
        LockChangeEvents(false);
    }
    // The shortcut value Key makes with the modifiers of Shift, as the clear and click keys hold.
    static platform::forms::TShortCut ShortCutOf(platform::forms::WORD Key,
                                                 platform::forms::TShiftState Shift);
    void LockClick(bool ALock) { FClickLockCount += ALock ? 1 : -1; }
    void SaveModified() { FModifiedStack.emplace_back(FModified, FModifiedAfterEnter); }
    void RestoreModified();
    // The user changed the value through a list or popup.
    void EditModified();
    void PostEditValue() { InternalPostEditValue(true); }

    // In-place editing. AEditData: the host's edit data for this editor, made (owned by the
    // host) when null and the editor keeps some.
    virtual void Activate();
    void Activate(std::unique_ptr<TcxCustomEditData>& AEditData);
    virtual void ActivateByKey(char Key);
    void ActivateByKey(char Key, std::unique_ptr<TcxCustomEditData>& AEditData);
    virtual void ActivateByMouse(platform::forms::TShiftState Shift, int X, int Y);
    void ActivateByMouse(platform::forms::TShiftState Shift, int X, int Y,
                         std::unique_ptr<TcxCustomEditData>& AEditData);
    TcxCustomEditData* EditData() const { return FEditData; }
    virtual bool Deactivate();

    virtual void SelectAll() {}
    virtual void CopyToClipboard() {}
    virtual void CutToClipboard() {}
    virtual void PasteFromClipboard() {}

    bool Transparent = false;
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    // Takes the size the view data asks for (see CanAutoSize): when AutoSize turns on and when
    // the style (its font) changes.
    void AdjustSize();
    void SetParent(platform::forms::TWinControl* Value) override;
    std::function<void(platform::core::TObject* Sender, bool& CanEdit)> OnEditing;
    platform::core::TNotifyEvent OnPostEditValue;
    std::function<void(platform::core::TObject* Sender, platform::forms::WORD& Key,
                       platform::forms::TShiftState Shift)>
        OnAfterKeyDown;

    void WndProc(platform::core::TMessage& Message) override;
    // The inner control's window took (WM_SETFOCUS) or lost the focus; Other is the window the
    // focus came from or goes to. Focus coming over from the editor's own window changes nothing.
    void InnerControlFocusChanged(platform::core::UINT Msg, platform::core::HWND Other);

    // IcxEditValidation.
    bool HasValidateHandlers() override;
    void DoOnValidate(Variant& DisplayValue, std::string& ErrorText, bool& Error) override;
    std::string GetValidationDisplayText() override { return GetDisplayText(); }

protected:
    // Value model.
    virtual void InternalSetEditValue(const Variant& Value, bool AValidateEditValue);
    virtual void SetEditValueChecked(const Variant& Value);
    virtual void SetEditValueLocked(const Variant& Value);
    virtual void SetInternalDisplayValue(const Variant& Value);
    virtual void InternalSetDisplayValue(const Variant&) {}
    virtual void ApplyDisplayValue(const Variant&) {}
    virtual void SynchronizeDisplayValue() {}
    virtual void UpdateDrawValue() {}
    virtual Variant GetClearValue() { return Variant::Null(); }
    virtual bool CanStartEditing() { return true; }
    virtual bool CanModify();
    bool IsReadOnly() override;
    virtual bool DoEditing();
    virtual void DoChange();
    virtual void DoEditValueChanged();
    virtual void DoOnChange();
    virtual void DoOnEditValueChanged();
    virtual void ChangeHandler(platform::core::TObject* Sender);
    virtual void PropertiesChanged(TcxCustomEditProperties* Sender);
    virtual bool HandleValidationError(const std::string& AErrorText, bool ACanAbortExecution);
    virtual void InternalPostEditValue(bool AValidateEdit);
    virtual void BeforePosting() { FPosting = true; }
    virtual void AfterPosting() { FPosting = false; }
    virtual void AbandonChanges();
    virtual bool SynchronizesWithBinding() { return true; }
    virtual void SynchronizeOnEnter();
    virtual void ValidateAndPostOnExit(bool ACallExitEvent);
    virtual bool HasPopupWindowEx() { return false; }
    void DoEnter() override;
    void DoExit() override;
    // The container's window or the inner control took or lost the focus.
    void FocusChanged() override;
    // Draws the value for the new focus state; when the focus went to a window of the same
    // top-level window of an active form, checks the value without reporting a refusal (leaving
    // reports it).
    virtual void DoFocusChanged();
    // Applies what loading stored; the change events loading set off are dropped.
    void Loaded() override;

    // Keys.
    void KeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    virtual void DoEditKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift);
    virtual void DoEditKeyPress(char& Key) { ValidateKeyPress(Key); }
    virtual void DoEditKeyUp(platform::forms::WORD&, platform::forms::TShiftState) {}
    virtual void DoEditProcessTab(platform::forms::TShiftState) {}
    // Whether the editor takes Tab as its own key (in place, its host steps on with it): Tab then
    // goes through DoEditKeyDown, DoEditProcessTab first, instead of the container moving the
    // focus on at once.
    virtual bool TabsNeeded() { return IsInplace(); }
    bool MovesFocusOnTab() override { return !TabsNeeded(); }
    virtual void DoAfterKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift);
    virtual bool ValidateKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift);
    virtual void ValidateKeyPress(char& Key);
    virtual bool CanKeyDownModifyEdit(platform::forms::WORD, platform::forms::TShiftState) {
        return false;
    }
    virtual bool CanKeyPressModifyEdit(char) { return false; }
    virtual bool IsValidChar(char Key);
    virtual bool IsClickKey(platform::forms::WORD Key, platform::forms::TShiftState Shift);
    virtual bool IsAfterKeyDownRequired() { return false; }
    virtual bool WantNavigationKeys() { return false; }
    virtual bool CanSendActivationKey(char) { return true; }

    // Buttons and mouse.
    virtual void DefaultButtonClick();
    virtual void DoButtonClick(int AButtonVisibleIndex);
    virtual void DoButtonDown(int) {}
    virtual void DoButtonUp(int) {}
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;
    void MouseUp(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                 int Y) override;

    // Layout.
    bool RefreshContainer(platform::gdi::TPoint P, int Button, platform::forms::TShiftState Shift,
                          bool IsMouseEvent) override;
    void CalculateViewInfo(platform::gdi::TPoint P, bool Hot) override;
    TcxContainerViewInfoClass GetViewInfoClass() override;
    TcxContainerStyleClass GetStyleClass() override { return cxEditStyleClass(); }
    // An auto-sized editor then takes the height of its new font.
    void ContainerStyleChanged(TcxContainerStyle* Sender) override;
    TcxContainerStyleValues InternalGetNotPublishedStyleValues() override { return 0xFC00; }
    bool HasParentDependentBackground() override {
        return IsNativeBackground() || IsTransparentBackground();
    }
    // Drawn by the visual style (its parts show the parent through): only where visual styles
    // are available.
    virtual bool IsNativeBackground() { return false; }
    // Size: an auto-sizing editor takes the height its view data asks for, and with
    // CanAutoWidth the width of its buttons, keeping the right edge when asked.
    virtual bool AutoSizeKeepsRightEdge() { return false; }
    virtual bool CanAutoSize() { return !FIsInplace && FAutoSize; }
    virtual bool CanAutoWidth();
    virtual TcxEditSizeProperties GetEditSizeProperties();
    void CreateHandle() override;
    void DblClick() override;
    // Edit data: editors that keep some make it (null: none).
    virtual std::unique_ptr<TcxCustomEditData> CreateEditData() { return nullptr; }
    virtual void InitializeEditData() {}
    // Around a change of RepositoryItem (after the acceptance check).
    virtual void RepositoryItemAssigning() {}
    virtual void RepositoryItemAssigned() {}
    // While locked the inner edit's window validates its paints without drawing; unlocking
    // repaints it whole. ActivateByKey locks around the activation.
    virtual void LockInnerEditRepainting();
    virtual void UnlockInnerEditRepainting();
    virtual platform::core::LRESULT LockedInnerEditWindowProc(platform::core::HWND Wnd,
                                                              platform::core::UINT Msg,
                                                              platform::core::WPARAM WParam,
                                                              platform::core::LPARAM LParam);
    // The container's visible bounds, widened over the buttons, which lie outside ClientRect.
    TRect GetVisibleBounds() override;
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;

    bool FUserAction = false;
    int FEditValueChangingLockCount = 0;
    Variant FEditValue = Variant::Null();
    Variant FEditValueOnEnter = Variant::Null();
    toolkit::base::TcxTimer& ClickTimer() const { return *FClickTimer; }
    bool IsClickLocked() const { return FClickLockCount > 0; }
    bool IsChangeEventsLocked() const { return FCatcher.IsLocked(); }

private:
    friend class TcxEditDataBinding;
    // A filter row sets the value it was given as the program does, without change events.
    friend class TcxFilterTextEditHelper;
    friend class TcxCustomEditData;
    // Hears the repository item for the editor.
    class TItemListener : public IcxEditRepositoryItemListener {
    public:
        explicit TItemListener(TcxCustomEdit& AEdit) : Edit(AEdit) {}
        void ItemRemoved(TcxEditRepositoryItem* Sender) override;
        void PropertiesChanged(TcxEditRepositoryItem* Sender) override;

    private:
        TcxCustomEdit& Edit;
    };
    // The view index of the visible button whose caption has Key as accelerator; -1 for none.
    int VisibleButtonOfAccelerator(char Key) const;

    void CalculateEditViewInfo(platform::gdi::TPoint P, TcxMouseButton Button,
                               platform::forms::TShiftState Shift, bool IsMouseEvent);
    // Runs F with the user-action flag set.
    template <class F> void AsUserAction(F&& Body) {
        const bool Saved = FUserAction;
        FUserAction = true;
        try {
            Body();
        } catch (...) {
            FUserAction = Saved;
            throw;
        }
        FUserAction = Saved;
    }

    // The pixel size the view data asks for at the current width (width too with CanAutoWidth).
    void AdjustEditSize(int& ALeft, int& AWidth, int& AHeight);
    // The button under a client point, by view index; -1 for none.
    int ButtonAt(platform::gdi::TPoint P) const;
    void HintShow(platform::forms::THintInfo& Info, platform::core::TMessage& Message);
    void ForwardMouseUp(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift,
                        int X, int Y);
    // Runs Body as the handling of a loss of the focus to Target: the focus still lies where it
    // was until the loss is handled.
    template <class F> void WhileLosingFocusTo(platform::core::HWND Target, F&& Body) {
        const bool SavedLosing = FLosingFocus;
        const platform::core::HWND SavedTarget = FFocusTarget;
        FLosingFocus = true;
        FFocusTarget = Target;
        try {
            Body();
        } catch (...) {
            FLosingFocus = SavedLosing;
            FFocusTarget = SavedTarget;
            throw;
        }
        FLosingFocus = SavedLosing;
        FFocusTarget = SavedTarget;
    }

    std::unique_ptr<TcxCustomEditProperties> FProperties;
    std::unique_ptr<TcxEditDataBinding> FDataBinding;
    std::unique_ptr<toolkit::base::TcxTimer> FClickTimer;
    TItemListener FItemListener{*this};
    platform::core::HWND FLockedInnerEdit{};
    platform::core::WNDPROC FSavedInnerEditWndProc;
    // While a loss of the focus is handled: the window the focus goes to (null: none).
    bool FLosingFocus = false;
    platform::core::HWND FFocusTarget{};
    TcxEditRepositoryItem* FRepositoryItem = nullptr;
    TcxEditChangeEventsCatcher FCatcher;
    std::vector<std::pair<bool, bool>> FModifiedStack;
    bool FIsInplace;
    bool FModified = false;
    bool FModifiedAfterEnter = false;
    bool FIsEditValidated = false;
    bool FIsEditValidating = false;
    bool FIsEditingStarting = false;
    bool FIsFocusingByValidation = false;
    bool FEscapePressed = false;
    bool FEscapeKeyDown = false;
    bool FPosting = false;
    bool FIsActivated = false;
    bool FAutoSize = true;
    bool FIsAdjustingSize = false;
    bool FReleaseIsClick = false;
    bool FFirstParentPending = true;
    TcxCustomEditData* FEditData = nullptr;
    int FClickLockCount = 0;
    int FValidationLockCount = 0;
    int FPressedButtonIndex = -1;
};

} // namespace toolkit::edit
