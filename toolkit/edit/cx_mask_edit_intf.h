#pragma once
// The masked edit and its properties as the input modes see them. The modes edit the text of
// their edit through these services alone; the masked edit and its properties implement them.

#include "platform/core/variant.h"
#include "platform/forms/std_ctrls.h"

#include <cstdint>
#include <string>

namespace toolkit::edit {

enum TcxEditMaskKind : std::uint8_t { emkStandard, emkRegExpr, emkRegExprEx };

class IcxMaskEditProperties {
public:
    // The mask text in force (blank: no mask).
    virtual std::string EditMask() const = 0;
    virtual bool BeepOnError() const = 0;
    virtual bool CaseInsensitive() const = 0;
    virtual bool IgnoreMaskBlank() const = 0;
    virtual platform::forms::TEditCharCase CharCase() const = 0;
    // The edit value as the editor shows it, focused or not.
    virtual void PrepareDisplayValue(const platform::core::Variant& EditValue,
                                     platform::core::Variant& DisplayValue, bool Focused) = 0;

protected:
    ~IcxMaskEditProperties() = default;
};

class IcxMaskEdit {
public:
    virtual IcxMaskEditProperties& ActiveProperties() = 0;

    // The text the inner edit shows.
    virtual std::string GetDisplayText() const = 0;
    // Shows Text as it stands; the selection is the edit's own affair and the mode puts the
    // cursor where it wants it afterwards.
    virtual void ApplyDisplayValue(const std::string& Text) = 0;
    virtual platform::core::Variant GetEditValue() = 0;
    virtual void SetEditValue(const platform::core::Variant& Value) = 0;

    // The selection; setting SelStart collapses it there, SelLength extends it from SelStart.
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual void SetSelStart(int Value) = 0;
    virtual void SetSelLength(int Value) = 0;
    // Where the caret stands: at the selection's start or at its end.
    virtual int CursorPosition() const = 0;

    // Keys the edit sends itself: they take the inner edit's ordinary handling (with the Shift
    // state of ShiftDown) and never reach the mode.
    virtual void SendKey(std::uint16_t Key) = 0;
    virtual void SendChar(char Ch) = 0;
    // Shift was held at the last key down; a mode may consider it released.
    virtual bool ShiftDown() const = 0;
    virtual void SetShiftDown(bool Value) = 0;

    // A last word on a typed character at a position; it may clear Key to refuse it.
    virtual bool IsCharValid(char& Key, int Position) = 0;
    virtual bool Focused() const = 0;
    virtual bool IsPaintCopyDrawing() const = 0;
    virtual bool ModifiedAfterEnter() const = 0;

protected:
    ~IcxMaskEdit() = default;
};

} // namespace toolkit::edit
