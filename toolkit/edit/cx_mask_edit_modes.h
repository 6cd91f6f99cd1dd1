#pragma once
// The input modes of the masked edit: every keystroke, cursor move, paste and validation of a
// masked edit goes through the mode of its mask kind. The mode edits the edit's text itself and
// answers whether the key should still take the edit's ordinary handling (true) or was handled
// or refused (false).
//
// The standard mode keeps the text at the template's length and overwrites. The
// regular-expression modes split the text at the cursor: Head, fed into the automaton, and
// Tail; after every operation Head + Tail is the edit's text and Head ends at the selection's
// start. The extended mode also types the characters its expression forces.

#include "toolkit/edit/cx_mask_edit_intf.h"
#include "toolkit/edit/reg_expr.h"
#include "toolkit/edit/standard_mask.h"

#include <memory>
#include <string>

namespace toolkit::edit {

class TcxMaskEditCustomMode {
public:
    // Edit may be none (the properties format and check texts without an edit); Properties
    // serve then.
    TcxMaskEditCustomMode(IcxMaskEdit* AEdit, IcxMaskEditProperties* AProperties)
        : Edit(AEdit), Properties(AProperties) {}
    virtual ~TcxMaskEditCustomMode() = default;
    TcxMaskEditCustomMode(const TcxMaskEditCustomMode&) = delete;
    TcxMaskEditCustomMode& operator=(const TcxMaskEditCustomMode&) = delete;

    virtual TcxEditMaskKind GetMaskKind() const = 0;
    // Compiles the mask; an invalid regular expression raises EcxRegExprError.
    virtual void SetMask(const std::string& Text) = 0;
    virtual std::string GetEmptyString() = 0;
    virtual std::string GetFormattedText(const std::string& Text, bool TextHasLiterals) = 0;
    virtual void GetMaskedText(const std::string& Text, bool TextHasLiterals,
                               std::string& Result) = 0;
    virtual bool IsFullValidText(const std::string& Text) = 0;
    virtual bool IsCursorBegin() const = 0;
    virtual bool IsCursorEnd() const = 0;
    virtual void FeedTail() = 0;
    virtual void LeaveEdit() = 0;
    // Around a paste or a replacement of the selection; PendingInsert holds the inserted
    // text's length by then.
    virtual void BeforePaste() = 0;
    virtual void AfterPaste() = 0;
    virtual bool PressBackSpace() = 0;
    virtual bool PressDelete() = 0;
    virtual bool PressEnd() = 0;
    virtual bool PressHome() = 0;
    virtual bool PressLeft() = 0;
    virtual bool PressRight() = 0;
    virtual bool PressSymbol(char& Key) = 0;
    // The edit's text was set from outside the mode.
    virtual void TextChanged(const std::string& Text) = 0;
    virtual void Reformat() = 0;
    virtual void UpdateEditValue() = 0;

    const std::string& Mask() const { return FMask; }
    IcxMaskEditProperties& GetProperties() const;
    bool HasRealEdit() const { return Edit && !Edit->IsPaintCopyDrawing(); }

    std::uint8_t CharCaseMemo = 0;
    std::uint8_t EchoModeMemo = 0;
    int PendingInsert = 0;
    IcxMaskEdit* const Edit;
    IcxMaskEditProperties* const Properties;

protected:
    void BeepOnError() const;
    // The common part of Reformat: the display value anew, from the text when it was modified
    // since entering, else from the edit value.
    void ReformatDisplayValue();
    // Sets the edit's text; the mode's own change is not news to it.
    void SetDisplayText(const std::string& Text);
    std::string DisplayText() const { return Edit->GetDisplayText(); }
    int TextLength() const { return static_cast<int>(DisplayText().size()); }

    std::string FMask;
    bool NeedsUpdate = false;
    bool FSettingText = false;
};

class TcxMaskEditStandardMode : public TcxMaskEditCustomMode {
public:
    using TcxMaskEditCustomMode::TcxMaskEditCustomMode;

    TcxEditMaskKind GetMaskKind() const override { return emkStandard; }
    void SetMask(const std::string& Text) override;
    std::string GetEmptyString() override { return StandardMask.GetEmptyValue(); }
    std::string GetFormattedText(const std::string& Text, bool TextHasLiterals) override;
    void GetMaskedText(const std::string& Text, bool TextHasLiterals, std::string& Result) override;
    bool IsFullValidText(const std::string& Text) override;
    bool IsCursorBegin() const override;
    bool IsCursorEnd() const override;
    void FeedTail() override {}
    void LeaveEdit() override;
    void BeforePaste() override;
    void AfterPaste() override;
    bool PressBackSpace() override;
    bool PressDelete() override;
    bool PressEnd() override;
    bool PressHome() override;
    bool PressLeft() override;
    bool PressRight() override;
    bool PressSymbol(char& Key) override;
    void TextChanged(const std::string&) override { LeaveEdit(); }
    void Reformat() override;
    void UpdateEditValue() override;
    char GetBlankChar() const { return StandardMask.BlankChar; }

    TcxStandardMask StandardMask;

private:
    bool IsLiteral(int Position) const;
    bool IsMaskInForce() const { return StandardMask.Count() > 0; }
    int PasteStart = 0;
};

class TcxMaskEditRegExprMode : public TcxMaskEditCustomMode {
public:
    TcxMaskEditRegExprMode(IcxMaskEdit* AEdit, IcxMaskEditProperties* AProperties);

    TcxEditMaskKind GetMaskKind() const override { return emkRegExpr; }
    void SetMask(const std::string& Text) override;
    std::string GetEmptyString() override { return {}; }
    std::string GetFormattedText(const std::string& Text, bool TextHasLiterals) override;
    void GetMaskedText(const std::string& Text, bool, std::string& Result) override {
        Result = Text;
    }
    bool IsFullValidText(const std::string& Text) override;
    bool IsCursorBegin() const override;
    bool IsCursorEnd() const override;
    void FeedTail() override;
    void LeaveEdit() override { NeedsSync = true; }
    void BeforePaste() override {}
    void AfterPaste() override;
    bool PressBackSpace() override;
    bool PressDelete() override;
    bool PressEnd() override;
    bool PressHome() override;
    bool PressLeft() override;
    bool PressRight() override;
    bool PressSymbol(char& Key) override;
    void TextChanged(const std::string& Text) override;
    void Reformat() override;
    void UpdateEditValue() override {}
    // Takes the selection out of Head or Tail into CutSelection, and puts it back.
    virtual void DeleteSelection();
    virtual void RestoreSelection();

    const std::string& Head() const { return FHead; }
    const std::string& Tail() const { return FTail; }
    TcxRegExpr RegExpr;

protected:
    virtual void Sync();
    // Whether Tail may follow Head; the automaton is left as it was.
    bool TailFits();
    void DropTail();
    bool HasSelection() const { return Edit->SelLength() > 0; }
    int HeadLength() const { return static_cast<int>(FHead.size()); }
    // Feeds Text and appends what is accepted to Head.
    void FeedToHead(const std::string& Text);
    void StepBack(int Count);
    // Moves characters between Head and Tail until Head ends at Position.
    void MoveHeadTo(int Position);

    bool SelectionInTail = false;
    std::string FHead;
    std::string CutSelection;
    std::string FTail;
    bool NeedsSync = false;
};

class TcxMaskEditRegExprExMode : public TcxMaskEditRegExprMode {
public:
    TcxMaskEditRegExprExMode(IcxMaskEdit* AEdit, IcxMaskEditProperties* AProperties);

    TcxEditMaskKind GetMaskKind() const override { return emkRegExprEx; }
    void SetMask(const std::string& Text) override;
    std::string GetEmptyString() override;
    std::string GetFormattedText(const std::string& Text, bool TextHasLiterals) override;
    bool IsFullValidText(const std::string& Text) override;
    void AfterPaste() override;
    bool PressBackSpace() override;
    bool PressDelete() override;
    bool PressEnd() override;
    bool PressHome() override;
    bool PressLeft() override;
    bool PressRight() override;
    bool PressSymbol(char& Key) override;
    void TextChanged(const std::string& Text) override;
    void UpdateEditValue() override;

private:
    // The forced start of the expression ("ID" of 'ID'\d+), by a fresh compile.
    std::string ForcedPrefix();
    void BeginKey();
    // The characters the expression forces from here go into AutoText; the automaton takes them.
    void CompleteHere();
    bool NextCompleting(char& Ch);
    // Steps back over Head's last character and the forced ones before it; OnlyForced: every
    // character stepped over was forced (the steps reached the start).
    int StepBackOverForced(bool& OnlyForced);
    // After an edit at the cursor: a fitting Tail is fed through and the characters forced
    // after it are typed, else Tail is dropped.
    void MergeOrDropTail();
    bool DeleteSelected(std::uint16_t Key);
    // A cut that reached the start took the forced prefix with it: the prefix goes back into
    // Head, the rest of the cut back in front of Tail, and the selection is made again behind
    // the prefix. False (nothing changed) without a prefix at the text's start.
    bool KeepForcedPrefix();

    int StepBackCount = 0;
    int PendingCursor = -1;
    std::string AutoText;
};

std::unique_ptr<TcxMaskEditCustomMode> cxCreateMaskEditMode(TcxEditMaskKind Kind, IcxMaskEdit* Edit,
                                                            IcxMaskEditProperties* Properties);

} // namespace toolkit::edit
