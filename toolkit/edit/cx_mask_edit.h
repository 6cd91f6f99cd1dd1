#pragma once
// The masked edit: a text edit whose keys, pastes, cuts and cursor moves go through the input
// mode of its mask kind (cx_mask_edit_modes.h). The mode decides each change and the edit
// carries it out; without a mask (a blank EditMask) the edit is a plain text edit.
//
// The edit does the plain edit's handling of the keys the mode lets through itself (and of the
// keys the mode sends it), so that it always knows where the caret stands. Any other change of
// the selection (the mouse, a program) tells the mode to leave its edit before its next step.
//
// The edit value is the masked text (GetMaskedText with literals); the text shown is the
// formatted one while focused, and the masked one for an unfocused standard mask unless
// AlwaysShowBlanksAndLiterals.

#include "toolkit/edit/cx_mask_edit_intf.h"
#include "toolkit/edit/cx_mask_edit_properties.h"
#include "toolkit/edit/cx_text_edit.h"

#include <memory>
#include <string>

namespace toolkit::edit {

class TcxMaskEditCustomMode;

class TcxCustomMaskEdit : public TcxCustomTextEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomMaskEdit(platform::core::TComponent* AOwner, bool AIsInplace = false,
                               const TcxCustomEditPropertiesClass* APropertiesClass = nullptr);
    ~TcxCustomMaskEdit() override;

    TcxCustomMaskEditProperties& Properties() const;
    TcxCustomMaskEditProperties& ActiveProperties() const;
    TcxMaskEditCustomMode* Mode() const { return FMode.get(); }
    // A mask is set and its mode made.
    bool IsMaskInForce() const;
    // The text through GetMaskedText, as of the last change.
    const std::string& MaskedText() const { return FMaskedText; }
    bool KeySimulating() const { return FKeySimulating; }

    void CutToClipboard() override;
    void PasteFromClipboard() override;
    void ReplaceSelectedText(const std::string& S) override;
    bool IsPlainTextModifiable() override;
    void UndoHook() override;
    void InnerEditWindowMessage(platform::core::TMessage& Message) override;

    virtual bool CanSetTextThroughMode() { return true; }
    // The last word on a typed character at Position; clear Key to refuse it.
    virtual bool IsCharValid(char& Key, int Position);
    virtual void SetEditValueFromText();

protected:
    void PropertiesChanged(TcxCustomEditProperties* Sender) override;
    void DoEditKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void DoEditKeyPress(char& Key) override;
    void DoEnter() override;
    void DblClick() override;
    void Loaded() override;
    void InternalSetDisplayValue(const Variant& Value) override;
    void SynchronizeDisplayValue() override;
    void SynchronizeEditValue() override;
    void LockInnerEditRepainting() override;
    // The masked text while a mask is in force.
    std::string GetInnerEditDisplayText() override;
    // With a mask, the text becomes the edit value, which is stored as its masked text.
    bool SetInnerEditDisplayText(const std::string& Value) override;
    void UnlockInnerEditRepainting() override;
    // The edit value of a shown text.
    std::string PrepareEditValue(const std::string& DisplayText);

private:
    class TModeSite;
    friend class TModeSite;

    void CreateMode();
    // The mode hears of a selection it did not make.
    void CheckSelection();
    void RememberSelection();
    // The plain edit's handling of a key or a character, as a one-line edit does it.
    void PlainKey(std::uint16_t Key, bool Shift);
    void PlainChar(char Ch);
    void SetInnerSelection(int Start, int Length, bool CaretAtStart);
    // Shows Text as it stands (the mode computed it), as the user's change when focused.
    void SetTextAsIs(const std::string& Text);
    int CursorPosition();
    int TextLength() { return static_cast<int>(Text().size()); }
    void RefreshMaskedText();

    std::unique_ptr<TModeSite> FSite;
    std::unique_ptr<TcxMaskEditCustomMode> FMode;
    std::string FMaskedText;
    bool FKeySimulating = false;
    bool FShiftDown = false;
    bool FCaretAtStart = false;
    bool FInternalCursorChange = false;
    int FKnownSelStart = -1;
    int FKnownSelLength = -1;
};

// The published masked edit.
class TcxMaskEdit : public TcxCustomMaskEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxMaskEdit(platform::core::TComponent* AOwner, bool AIsInplace = false);
    TcxMaskEditProperties& Properties() const;
    // The editable plain text is the text edit's unless a mask is in force.
    bool IsEditablePlainText() { return IsPlainTextModifiable(); }
};

} // namespace toolkit::edit
