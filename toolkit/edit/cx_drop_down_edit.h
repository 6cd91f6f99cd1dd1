#pragma once
// The drop-down editor: a masked edit with a drop-down button that opens a popup window under
// (or above) it. Opening is posted: DropDown prepares and lays out the popup and posts it the
// show message, so that opening twice before it shows opens it once. Every closing carries a
// reason; Tab (with PostPopupValueOnTab), the toggle keys and accepting take the popup's value,
// none and cancel discard it.
//
// Keys while open: Alt+Up, Alt+Down and F4 (without Alt) toggle; Esc cancels without reverting
// the text; Enter accepts when editing may start, else cancels. A typed character opens the
// popup with ImmediateDropDown. The focus leaving the editor (not for its popup) closes it.
//
// A sizeable popup remembers the size the user gave it: in place through the edit data,
// standalone in the active properties' PopupWidth and PopupHeight.

#include "toolkit/edit/cx_custom_edit_popup_window.h"
#include "toolkit/edit/cx_edit_popup_control_look_and_feel.h"
#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/cx_mask_edit_properties.h"
#include "toolkit/edit/cx_text_edit_view.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace toolkit::edit {

class TcxCustomDropDownEdit;

// Sender, CanClose (in and out).
using TcxEditCloseQueryEvent = std::function<void(platform::core::TObject* Sender, bool& CanClose)>;

class TcxCustomDropDownEditProperties : public TcxCustomMaskEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomDropDownEditProperties(platform::core::TPersistent* AOwner);

    // Every field below and the five popup events, as one change.
    void Assign(const platform::core::TPersistent* Source) override;
    // The drop-down button shows its glyph when it has one, else the arrow.
    void Changed() override;

    // The drop-down button's index, the one the constructor adds.
    static int GetDropDownButtonIndex() { return 0; }
    // Whether the popup takes the keyboard (the popup edit's does).
    virtual bool PopupWindowCapturesFocus() const { return false; }
    // Whether a click in the text opens the popup.
    virtual bool DropDownOnClick() const { return false; }
    // The popup window's class, for the editor to create.
    virtual std::unique_ptr<TcxCustomEditPopupWindow>
    CreatePopupWindow(TcxCustomDropDownEdit* AEdit) const;
    bool IsPopupEditor() const override { return true; }
    std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle& AStyle,
                                                          bool AIsInplace) override;
    bool UseLookupData() const override { return false; }
    const platform::core::TComponentClass& GetContainerClass() const override;

    int DropDownButtonIndex() const { return FDropDownButtonIndex; }
    // The drop-down button's glyph; null when there is no such button.
    platform::forms::TBitmap* ButtonGlyph() const;
    void SetButtonGlyph(const platform::forms::TBitmap* Value);
    bool ImmediateDropDown() const { return FImmediateDropDown; }
    void SetImmediateDropDown(bool Value) { FImmediateDropDown = Value; }
    bool ImmediatePopup() const { return FImmediatePopup; }
    void SetImmediatePopup(bool Value) { FImmediatePopup = Value; }
    bool ShowDropDownButtonPressed() const { return FShowDropDownButtonPressed; }
    void SetShowDropDownButtonPressed(bool Value);
    bool PopupAutoSize() const { return FPopupAutoSize; }
    void SetPopupAutoSize(bool Value);
    bool PopupClientEdge() const { return FPopupClientEdge; }
    void SetPopupClientEdge(bool Value);
    bool PopupDirectionVertical() const { return FPopupDirectionVertical; }
    void SetPopupDirectionVertical(bool Value);
    // PopupAlignment, stored as 0 left, 1 centre, 2 right.
    platform::forms::TAlignment PopupAlignment() const;
    void SetPopupAlignment(platform::forms::TAlignment Value);
    std::uint8_t PopupHorzAlignment() const { return FPopupHorzAlignment; }
    std::uint8_t PopupVertAlignment() const { return FPopupVertAlignment; }
    void SetPopupVertAlignment(std::uint8_t Value);
    // Width and height never lie below their minimums; 0 (the editor's width, the content's
    // height) and negative widths store 0.
    int PopupHeight() const { return FPopupHeight; }
    void SetPopupHeight(int Value);
    int PopupMinHeight() const { return FPopupMinHeight; }
    void SetPopupMinHeight(int Value);
    int PopupMinWidth() const { return FPopupMinWidth; }
    void SetPopupMinWidth(int Value);
    int PopupWidth() const { return FPopupWidth; }
    void SetPopupWidth(int Value);
    bool PopupSizeable() const { return FPopupSizeable; }
    void SetPopupSizeable(bool Value);
    bool PopupSysPanelStyle() const { return FPopupSysPanelStyle; }
    void SetPopupSysPanelStyle(bool Value);
    bool PostPopupValueOnTab() const { return FPostPopupValueOnTab; }
    void SetPostPopupValueOnTab(bool Value) { FPostPopupValueOnTab = Value; }

    TcxEditCloseQueryEvent OnCloseQuery;
    TcxEditNotifyEvent OnCloseUp;
    TcxEditNotifyEvent OnPopupClosed;
    TcxEditNotifyEvent OnInitPopup;
    TcxEditNotifyEvent OnPopup;

protected:
    int FDropDownButtonIndex = 0;
    bool FImmediateDropDown = true;
    bool FImmediatePopup = false;
    bool FIsChanging = false;
    bool FShowDropDownButtonPressed = false;
    bool FPopupAutoSize = true;
    bool FPopupClientEdge = false;
    bool FPopupDirectionVertical = true;
    int FPopupHeight = 0;
    std::uint8_t FPopupHorzAlignment = 0;
    int FPopupMinHeight = 0;
    int FPopupMinWidth = 0;
    bool FPopupSizeable = false;
    bool FPopupSysPanelStyle = false;
    std::uint8_t FPopupVertAlignment = 2;
    int FPopupWidth = 0;
    bool FPostPopupValueOnTab = false;
};

// What an in-place host keeps of the popup between activations.
struct TcxCustomDropDownEditData {
    bool SizeChanged = false;
    int Width = 0;
    int Height = 0;
};

class TcxCustomDropDownEdit : public TcxCustomMaskEdit, public IcxEditPopupWindowOwner {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomDropDownEdit(platform::core::TComponent* AOwner, bool AIsInplace = false,
                                   const TcxCustomEditPropertiesClass* APropertiesClass = nullptr);
    ~TcxCustomDropDownEdit() override;

    TcxCustomDropDownEditProperties& Properties() const;
    TcxCustomDropDownEditProperties& ActiveProperties() const;

    // The popup is open.
    bool DroppedDown();
    // True opens (once, even before a queued opening shows); false closes with no reason.
    void SetDroppedDown(bool Value);
    TcxCustomEditPopupWindow* PopupWindow() const { return FPopupWindow.get(); }
    // What the popup's frame and controls follow: this editor's style look-and-feel.
    TcxEditPopupControlLookAndFeel& PopupControlsLookAndFeel() const {
        return *FPopupControlsLookAndFeel;
    }
    TcxEditCloseUpReason CloseReason() const { return FCloseReason; }
    bool IsPopupPressedHot() const { return FIsPopupPressedHot; }
    bool PopupSizeChanged() const { return FPopupSizeChanged; }
    TcxCustomDropDownEditData& EditData() { return FEditData; }
    void InitializeEditData() override;
    void Activate() override;
    void ActivateByKey(char Key) override;
    void ActivateByMouse(platform::forms::TShiftState Shift, int X, int Y) override;
    bool Deactivate() override;
    void PasteFromClipboard() override;

    // IcxEditPopupWindowOwner.
    void PopupCloseUp(TcxEditCloseUpReason AReason) override { CloseUp(AReason); }
    void PopupWindowSized() override;
    // Fires OnPopupClosed once per opening.
    void DoFinalizePopup() override;
    TRect GetPopupOwnerBounds() override;
    bool IsPopupOwnerDestroying() override { return FDestroying; }

protected:
    // The virtual operations, in their slot order.
    virtual bool CanDropDown() { return false; }
    virtual void CloseUp(TcxEditCloseUpReason AReason);
    virtual void CreatePopupWindow();
    virtual void DoCloseUp();
    virtual void DoInitPopup();
    virtual void DoPopup();
    virtual void DropDown();
    virtual void Popup(platform::forms::TWinControl*) {}
    virtual platform::forms::TWinControl* GetPopupFocusedControl();
    virtual void GetPopupWindowClientPreferredSize(platform::gdi::TSize&) {}
    // The lookup data's list goes into the popup.
    virtual void PopupWindowShowing();
    virtual void SetupPopupWindow();
    virtual void PopupControlsLookAndFeelChanged() {}
    // The lookup data places its list in the popup's client rectangle.
    virtual void PositionPopupWindowChilds(const TRect& R);
    virtual void InternalDropDown();
    virtual bool IsEditorKeyHandledByPopup(platform::forms::WORD, platform::forms::TShiftState) {
        return true;
    }

    // The popup window's closed and shown events.
    virtual void PopupWindowClosed();
    virtual void PopupWindowShowed();
    // OnCloseQuery of the own, then the repository properties.
    bool DoCloseQuery();

    bool HasPopupWindowEx() override { return DroppedDown(); }
    void PropertiesChanged(TcxCustomEditProperties* Sender) override;
    void DoEditKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void DoEditKeyPress(char& Key) override;
    void DoEditProcessTab(platform::forms::TShiftState Shift) override;
    // Tab is the editor's while the popup is open and takes its value on Tab.
    bool TabsNeeded() override;
    bool CanSendActivationKey(char Key) override;
    bool IsClickKey(platform::forms::WORD Key, platform::forms::TShiftState Shift) override;
    void DoButtonDown(int AButtonVisibleIndex) override;
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;
    bool RefreshContainer(platform::gdi::TPoint P, int Button, platform::forms::TShiftState Shift,
                          bool IsMouseEvent) override;
    // With the popup open the wheel scrolls its list.
    bool DoMouseWheel(platform::forms::TShiftState Shift, int WheelDelta,
                      platform::gdi::TPoint MousePos) override;
    void ContainerStyleChanged(TcxContainerStyle* Sender) override;
    bool IsLookupNavigationAllowed() override;
    void FocusChanged() override;
    // The inner edit losing the focus to a window outside the popup closes it. A focus lost
    // to no window is an activation moving; the popup's own rules judge that. A click in the
    // text opens the popup where the properties ask for it; no hint shows over an open popup's
    // editor.
    void InnerEditWindowMessage(platform::core::TMessage& Message) override;
    void DoExit() override;
    void DestroyWnd() override;
    void WndProc(platform::core::TMessage& Message) override;

    bool FIsActivatingByMouse = false;
    bool FIgnoreListMouseMove = false;
    bool FPopupSizeChangedNow = false;
    // The character of the Enter or Esc that closed the popup, which typing then skips.
    char FKeyClosedPopup = 0;

private:
    void RecomputePopupPressedHot();
    // The left click at P (editor coordinates) in the text that opens the popup.
    void DropDownOnClickAt(platform::gdi::TPoint P);
    bool MayFocusOnClick();
    bool IsShowMessageQueued();

    // Made before the popup window, whose style follows it, and freed after it.
    std::unique_ptr<TcxEditPopupControlLookAndFeel> FPopupControlsLookAndFeel;
    std::unique_ptr<TcxCustomEditPopupWindow> FPopupWindow;
    TcxCustomDropDownEditData FEditData;
    TcxEditCloseUpReason FCloseReason = CloseReasonNone;
    bool FIsPopupPressedHot = false;
    bool FIsPopupInitialized = false;
    bool FPopupSizeChanged = false;
    bool FDestroying = false;
};

// The drop-down button is drawn pressed while the popup is open when the properties ask for it
// (ShowDropDownButtonPressed, or the native style under desktop composition); it is not
// hot-tracked while the popup is open under the mouse. A focused fixed list shows its text as a
// selected item.
class TcxCustomDropDownEditViewData : public TcxCustomTextEditViewData {
public:
    using TcxCustomTextEditViewData::TcxCustomTextEditViewData;
    void Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P, TcxMouseButton Button,
                   platform::forms::TShiftState Shift, TcxCustomEditViewInfo& V,
                   bool IsMouseEvent) override;
    bool CanPressButton(TcxCustomEditViewInfo& V, int Index) override;
    bool IsButtonPressed(TcxCustomEditViewInfo& V, int Index) override;

    // Filled by the editor as it creates the view data.
    bool IsDroppedDown = false;
    bool IsPopupPressedHot = false;
    // Filled by Calculate.
    bool IsButtonPressedWhenOpen = false;

private:
    bool IsDropDownButton(TcxCustomEditViewInfo& V, int Index) const;
};

// Posted to the editor itself after a paste opened the popup: the lookup selection follows the
// text.
inline constexpr platform::core::UINT CM_DROPDOWNLOOKUPSYNC = platform::win::WM_APP + 151;

} // namespace toolkit::edit
