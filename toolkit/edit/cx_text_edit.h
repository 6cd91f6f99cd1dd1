#pragma once
// The single-line text editor: an editor whose inner control is the platform's edit window. It
// keeps the edit value and the text shown in the inner edit in step, and every new text (typed,
// pasted, cut, cleared) is computed here, checked against the properties (maximum length,
// character case, lookup items, the editing style) and the editing check, and only then set.
// A refused insertion leaves text and selection as they were.
//
// Selection: SelStart and SelLength read 0 and ignore writes when the editing style allows no
// text editing (and read 0 in a fixed list without a completion shown).
//
// Lookup items: typed characters search them (incremental search), the found item's remaining
// characters are added selected (the completion); list styles refuse characters no item begins
// with. ItemIndex follows the lookup data's current key, also for a text set from outside.
// Editors that allow lookup navigation move through the items with Up, Down, PgUp, PgDn (and
// Home, End in a fixed list) and the wheel; the plain text edit does not. ItemObject is the
// object the current lookup item carries.

#include "toolkit/edit/cx_custom_edit.h"
#include "toolkit/edit/cx_inner_text_edit.h"
#include "toolkit/edit/cx_text_edit_lookup.h"
#include "toolkit/edit/cx_text_edit_properties.h"

#include <memory>
#include <string>

#include <functional>

namespace toolkit::edit {

class TcxCustomTextEditViewInfo;

// What the toolkit's global control hook hears about an inner edit window.
enum TcxTextEditHookEvent {
    thDeferredColorNotify,
    thInnerEditScrolled,
    thSelectionChanged,
    thTextChanged
};

// Regroups a number's text while it is typed: thousand separators every third digit left of the
// decimal separator; a sign or prefix and an exponent (from the first "E") stay as they are.
std::string cxRegroupNumericText(const std::string& Text, char DecimalSeparator,
                                 char ThousandSeparator);

class TcxCustomTextEdit : public TcxCustomEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomTextEdit(platform::core::TComponent* AOwner, bool AIsInplace = false,
                               const TcxCustomEditPropertiesClass* APropertiesClass = nullptr);
    ~TcxCustomTextEdit() override;

    TcxCustomTextEditProperties& Properties() const;
    TcxCustomTextEditProperties& ActiveProperties() const;
    TcxCustomInnerTextEdit& InnerTextEdit() const { return *FInnerEdit; }
    TcxCustomTextEditViewInfo& TextViewInfo() const;

    std::string Text();
    void SetText(const std::string& Value) override;
    int SelStart();
    void SetSelStart(int Value);
    int SelLength();
    void SetSelLength(int Value);
    std::string SelText();
    void SetSelection(int Start, int Length);
    void SelectAll() override;
    void CopyToClipboard() override;
    void CutToClipboard() override;
    void PasteFromClipboard() override;
    std::string GetDisplayText() override;

    bool BeepOnEnter = true;
    bool LookupCompletionActive() const { return FLookupCompletionActive; }

    // The text after replacing the selection with S and the caret after it; false when the
    // editing style, the maximum length, the lookup items or the editing check refuse it.
    virtual bool GetTextAfterInsertion(const std::string& S, std::string& NewText,
                                       int& NewSelStart);
    // Replaces the selection as typing would.
    virtual void ReplaceSelectedText(const std::string& S);
    virtual void DeleteSelectedText();
    virtual bool IsPlainTextModifiable();
    virtual void RefreshFromProperties();
    virtual void UndoHook() {}
    virtual void ResetLookupCompletion();
    virtual void LookupDataCurrentChanged();
    virtual void DoOnNewLookupDisplayText(const std::string& Text);
    virtual int GetInnerEditHeight();
    virtual void ClampValueIfNeeded();
    virtual void ClampValueToBounds() {}
    virtual bool IsDataBindingEditable() { return DataBinding().CanModify(); }
    virtual void SetTextChecked(const std::string& Text);
    // The editing style of the active properties.
    TcxTextEditingStyle EditingStyle() const { return ActiveProperties().GetEditingStyle(); }

    // The inner edit's keys, mouse and text changes reach the editor through these.
    void InnerKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) {
        KeyDown(Key, Shift);
    }
    void InnerKeyPress(char& Key) { KeyPress(Key); }
    void InnerKeyUp(platform::forms::WORD& Key, platform::forms::TShiftState Shift) {
        KeyUp(Key, Shift);
    }
    void InnerTextChanged();
    // A key down the inner edit processed without any change.
    void InnerAfterKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) {
        DoAfterKeyDown(Key, Shift);
    }
    // After the inner edit processed a character; Changed: it went through and changed the text
    // or the selection, so that no completion is shown any more.
    void InnerCharProcessed(bool Changed) {
        FLookupDriven = false;
        if (Changed) FLookupCompletionActive = false;
    }
    void InnerClipboardMessage(platform::core::UINT Msg);
    // What the inner edit answers to WM_GETDLGCODE: characters always, Tab when the editor
    // needs tabs and Ctrl is up, the arrows when it wants navigation keys.
    platform::core::LRESULT InnerEditDialogCode();
    // Every message of the inner edit ends here.
    virtual void InnerEditWindowMessage(platform::core::TMessage& Message);

    // In place: the caret at the start, or the whole text selected with the properties'
    // AutoSelect.
    void Activate() override;
    // Replaces the selection as typing would; with Validate, an unfocused editor outside a host
    // posts the result as its edit value.
    virtual void InternalSetEditingValue(const std::string& Text, bool Validate);

    // The toolkit's global control hook; nothing registers one in this program.
    static std::function<void(platform::win::HWND, TcxTextEditHookEvent)>& ControlHook();
    void HookDeferredColorNotify();
    void HookInnerEditScrolled();
    void HookSelectionChanged();
    void HookTextChanged();
    // After a key or a button comes up: a scroll or a selection change goes to the hook.
    void CheckSelectionChange();

    // Posted to the inner edit after each paint; it runs HookDeferredColorNotify.
    static constexpr platform::core::UINT DeferredColorMessage = 0x80C8;
    static constexpr platform::core::UINT EN_HSCROLL = 0x0601;
    static constexpr platform::core::UINT EN_VSCROLL = 0x0602;

    // Lookup items (cx_text_edit_lookup.cpp, cx_text_edit_keys.cpp).
    IcxTextEditLookupData& ILookupData();
    TcxCustomTextEditLookupData& LookupData();
    virtual int GetItemIndex();
    virtual void SetItemIndex(int Value);
    int ItemIndex() { return GetItemIndex(); }
    // The object stored with the current lookup item, or null.
    virtual platform::core::TObject* GetItemObject();
    bool LookupDrivenChange() const { return FLookupDriven; }
    bool LookupNavigating() const { return FLookupNavigating; }
    // The editing check, as the lookup data asks it before committing an item.
    bool LookupDoEditing() { return DoEditing(); }
    // Marks a text change as caused by the lookup data.
    class TLookupDrivenScope {
    public:
        explicit TLookupDrivenScope(TcxCustomTextEdit& AEdit)
            : FEdit(AEdit), FSaved(AEdit.FLookupDriven) {
            AEdit.FLookupDriven = true;
        }
        ~TLookupDrivenScope() { FEdit.FLookupDriven = FSaved; }
        TLookupDrivenScope(const TLookupDrivenScope&) = delete;
        TLookupDrivenScope& operator=(const TLookupDrivenScope&) = delete;

    private:
        TcxCustomTextEdit& FEdit;
        bool FSaved;
    };

protected:
    virtual bool IsLookupNavigationAllowed() { return false; }
    virtual Variant ItemIndexToLookupKey(int Value) { return Variant::Integer(Value); }
    virtual int LookupKeyToItemIndex(const Variant& Key);
    virtual void LookupKeyToEditValue(const Variant& Key, Variant& EditValue);
    // After a properties change: a list style keeps only a text that is a lookup item.
    virtual void ValidateLookupText();
    // Searches the lookup items for Text and shows the completion; true when found.
    bool IncrementalSearchText(std::string& Text);
    bool CanSearchAtCaret();
    // Moves the lookup data for a navigation key or the wheel; true when it acted.
    bool NavigateLookupItems(TcxEditLookupDataGoDirection Direction);
    // The lookup data follows the properties and re-locates the text.
    void LookupPropertiesChanged();
    void DoExit() override;
    // Where lookup navigation is allowed, the wheel moves to the next item (towards the user)
    // or the previous one, as Down and Up do.
    bool DoMouseWheel(platform::forms::TShiftState Shift, int WheelDelta,
                      platform::gdi::TPoint MousePos) override;

    void Initialize();
    void WndProc(platform::core::TMessage& Message) override;
    // The inner edit's top follows the properties' vertical alignment; its window region
    // follows IsInnerEditShown.
    void AdjustInnerControlBounds() override;
    // False where the view info paints the text area itself: the inner edit then keeps the
    // focus and the keys but shows nothing (an empty window region), so that painting shows.
    virtual bool IsInnerEditShown() { return true; }
    TcxContainerInnerControlBounds
    GetInnerControlBounds(const TRect& Region, platform::forms::TControl* Control) override;
    virtual void RegroupNumericText();
    void CreateWnd() override;
    void InternalSetDisplayValue(const Variant& Value) override;
    void ApplyDisplayValue(const Variant& Value) override;
    void SynchronizeDisplayValue() override;
    virtual void SynchronizeEditValue();
    void UpdateDrawValue() override;
    void PropertiesChanged(TcxCustomEditProperties* Sender) override;
    bool CanStartEditing() override { return EditingStyle() != tesNoEdit; }
    bool CanKeyDownModifyEdit(platform::forms::WORD Key,
                              platform::forms::TShiftState Shift) override;
    bool CanKeyPressModifyEdit(char Key) override;
    void DoEditKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void DoEditKeyPress(char& Key) override;
    bool IsValidChar(char Key) override;
    bool WantNavigationKeys() override { return true; }
    bool HasPopupWindowEx() override;
    // Takes Text as the display value when valid and (for a user change) editing may start.
    virtual bool InternalSetText(const std::string& Text);
    // The text the window-text messages read and write; true when the new text is taken.
    virtual std::string GetInnerEditDisplayText();
    virtual bool SetInnerEditDisplayText(const std::string& Value);
    virtual void UpdateFixedListSelection();
    // The inner edit takes the view info's background colour and the style's visible font in
    // the view info's text colour.
    virtual void UpdateInnerEditColors();
    void AdjustInnerControl() override;

    bool FLookupCompletionActive = false;

private:
    TcxCustomInnerTextEdit* FInnerEdit = nullptr;
    std::string FSavedText;
    bool FSettingText = false;
    bool FSynchronizing = false;
    std::unique_ptr<TcxCustomTextEditLookupData> FLookupData;
    bool FLookupDriven = false;
    bool FLookupNavigating = false;
    bool FEditingValue = false;
    bool FWindowTextGuard = false;
    bool FAdjustingInnerEdit = false;
    int FInnerEditScrollPos = 0;
    int FCachedSelStart = 0;
    int FCachedSelLength = 0;

    void CallControlHook(TcxTextEditHookEvent Event);
    int InnerEditFirstVisibleChar();
};

// The published text edit.
class TcxTextEdit : public TcxCustomTextEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxTextEdit(platform::core::TComponent* AOwner, bool AIsInplace = false);
    TcxTextEditProperties& Properties() const;
};

} // namespace toolkit::edit
