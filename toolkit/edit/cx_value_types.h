#pragma once
// Value types: how values of one kind live in a raw buffer (a memory cell a data store owns and
// sizes by GetDataSize), turn into variants and display texts, compare and travel through a
// stream. A value type is never made by a caller: each class has one immutable instance
// (Instance()), a caller holds a TcxValueTypeClass (a pointer to it) and calls through it. Value
// types keep no state, so an operation of the base that calls another gets the class's override.
// The operations are declared in the order of the family's operation table.
//
// Buffers: most types keep the raw value in the buffer. The string, wide string and variant
// types keep a pointer to a string or variant the buffer owns (null until a value is stored;
// FreeBuffer disposes of it), and the object type a reference to an object it owns. A cell
// starts zeroed. Display texts live apart, in a TcxDisplayTextSlot the caller holds.
//
// Integer comparisons answer the sign of the difference taken in 64 bits, so operands far apart
// and of opposite sign never overflow into the wrong order.
//
// Our variant has no kinds for packed decimals or time stamps: the BCD type hands its values
// out as doubles (its variant type is varDouble) and the time-stamp type as dates (varDate);
// within the buffer both keep their exact records.

#include "platform/core/streams.h"
#include "platform/core/variant.h"

#include <memory>
#include <string>

namespace toolkit::edit {

using platform::core::TStream;
using platform::core::TVarType;
using platform::core::Variant;

class TcxValueType;
using TcxValueTypeClass = const TcxValueType*;
// A display text: no text until one is set.
using TcxDisplayTextSlot = std::unique_ptr<std::string>;

class TcxValueType {
public:
    static const TcxValueType& Instance();
    virtual ~TcxValueType() = default;
    TcxValueType(const TcxValueType&) = delete;
    TcxValueType& operator=(const TcxValueType&) = delete;

    virtual const char* ClassName() const { return "TcxValueType"; }

    // PrepareValueBuffer on both buffers, then CompareValues.
    virtual int Compare(const void* Buffer1, const void* Buffer2) const;
    virtual void FreeBuffer(void* Buffer) const;
    virtual void FreeTextBuffer(TcxDisplayTextSlot& Text) const;
    virtual int GetDataSize() const { return 0; }
    // Null in the base.
    virtual void GetValue(const void* Buffer, Variant& Value) const;
    // The variant's text.
    virtual void GetDefaultDisplayText(const void* Buffer, std::string& Text) const;
    // "" when no text is stored.
    virtual void GetDisplayText(const TcxDisplayTextSlot& Slot, std::string& Text) const;
    // A tagged value (toolkit/edit/cx_variants.h), then SetValue.
    virtual void ReadValue(void* Buffer, TStream& Stream) const;
    // UTF-16 when the stream's wide flag is set, else an 8-bit string.
    virtual void ReadDisplayText(TcxDisplayTextSlot& Slot, TStream& Stream) const;
    virtual void SetValue(void* Buffer, const Variant& Value) const;
    virtual void SetDisplayText(TcxDisplayTextSlot& Slot, const std::string& Text) const;
    // GetValue, then a tagged value.
    virtual void WriteValue(const void* Buffer, TStream& Stream) const;
    virtual void WriteDisplayText(const TcxDisplayTextSlot& Slot, TStream& Stream) const;
    // The class name without "Tcx" and "ValueType": "DateTime".
    virtual std::string GetCaption() const;
    // Values given by pointer as PrepareValueBuffer leaves them; the base compares their
    // variants with VarCompare.
    virtual int CompareValues(const void* Value1, const void* Value2) const;
    // The value at a raw pointer (what a buffer would hold after PrepareValueBuffer).
    virtual void GetDataValue(const void* Data, Variant& Value) const;
    virtual TVarType GetVarType() const { return platform::core::varEmpty; }
    // Null and empty are valid unchanged, as is anything for a type of varVariant; otherwise
    // the value is converted in place to GetVarType(), and false (value unchanged) when that
    // fails.
    virtual bool IsValueValid(Variant& Value) const;
    virtual bool IsString() const { return false; }
    // The pointer types replace the buffer by the pointer stored in it.
    virtual void PrepareValueBuffer(const void*& Buffer) const;

protected:
    TcxValueType() = default;
};

// The whole family's instances, one function each.
TcxValueTypeClass TcxStringValueTypeClass();
TcxValueTypeClass TcxWideStringValueTypeClass();
TcxValueTypeClass TcxSmallintValueTypeClass();
TcxValueTypeClass TcxIntegerValueTypeClass();
TcxValueTypeClass TcxWordValueTypeClass();
TcxValueTypeClass TcxBooleanValueTypeClass();
TcxValueTypeClass TcxFloatValueTypeClass();
TcxValueTypeClass TcxCurrencyValueTypeClass();
TcxValueTypeClass TcxDateTimeValueTypeClass();
TcxValueTypeClass TcxLargeIntValueTypeClass();
TcxValueTypeClass TcxFMTBcdValueTypeClass();
TcxValueTypeClass TcxSQLTimeStampValueTypeClass();
TcxValueTypeClass TcxVariantValueTypeClass();
// Its buffer holds a reference (platform::core::TObject*) to an object the buffer owns; its
// variant is the reference as a 64-bit integer. Nothing of it is read or written.
TcxValueTypeClass TcxObjectValueTypeClass();

} // namespace toolkit::edit
