#include "toolkit/edit/cx_value_types.h"

#include "toolkit/edit/cx_variants.h"

#include "platform/core/fmt_bcd.h"
#include "platform/core/object.h"
#include "platform/core/sql_time_stamp.h"

#include <cstdint>
#include <cstring>

namespace toolkit::edit {

using namespace platform::core;

namespace {

template <class T> T Load(const void* Buffer) {
    T Value;
    std::memcpy(&Value, Buffer, sizeof Value);
    return Value;
}

template <class T> void Store(void* Buffer, const T& Value) {
    std::memcpy(Buffer, &Value, sizeof Value);
}

// The cell of a pointer type: it owns what it points at.
template <class T> T* Cell(const void* Buffer) {
    return Load<T*>(Buffer);
}

template <class T> void FreeCell(void* Buffer) {
    std::unique_ptr<T> Owned(Cell<T>(Buffer));
    Store<T*>(Buffer, nullptr);
}

template <class T> void AssignCell(void* Buffer, T Value) {
    if (T* Existing = Cell<T>(Buffer)) {
        *Existing = std::move(Value);
    } else {
        Store<T*>(Buffer, std::make_unique<T>(std::move(Value)).release());
    }
}

template <class T> int Sign(T A, T B) {
    return A < B ? -1 : (B < A ? 1 : 0);
}

// Integers compare by the sign of their difference in 64 bits.
int IntegerOrder(std::int64_t A, std::int64_t B) {
    const std::int64_t Difference = A - B;
    return Difference < 0 ? -1 : (Difference > 0 ? 1 : 0);
}

// Unset values sort first; otherwise By decides.
template <class T, class F> int CompareCells(const void* Value1, const void* Value2, F By) {
    const T* A = static_cast<const T*>(Value1);
    const T* B = static_cast<const T*>(Value2);
    if (!A || !B) return (A ? 1 : 0) - (B ? 1 : 0);
    return By(*A, *B);
}

class TcxStringValueType : public TcxValueType {
public:
    const char* ClassName() const override { return "TcxStringValueType"; }
    int CompareValues(const void* Value1, const void* Value2) const override {
        return CompareCells<std::string>(
            Value1, Value2,
            [](const std::string& A, const std::string& B) { return Sign(A.compare(B), 0); });
    }
    void FreeBuffer(void* Buffer) const override { FreeCell<std::string>(Buffer); }
    int GetDataSize() const override { return sizeof(void*); }
    void GetValue(const void* Buffer, Variant& Value) const override {
        const std::string* S = Cell<std::string>(Buffer);
        Value = S ? Variant::String(*S) : Variant::Null();
    }
    void ReadValue(void* Buffer, TStream& Stream) const override {
        if (Stream.WideText) {
            SetValue(Buffer, Variant::WideString(ReadWideStringFunc(Stream)));
        } else {
            SetValue(Buffer, Variant::String(ReadAnsiStringFunc(Stream)));
        }
    }
    void SetValue(void* Buffer, const Variant& Value) const override {
        AssignCell(Buffer, Value.AsString());
    }
    void WriteValue(const void* Buffer, TStream& Stream) const override {
        Variant Value;
        GetValue(Buffer, Value);
        if (Stream.WideText) {
            WriteWideStringProc(Stream, Value.AsWideString());
        } else {
            WriteAnsiStringProc(Stream, Value.AsString());
        }
    }
    void GetDataValue(const void* Data, Variant& Value) const override { GetValue(&Data, Value); }
    TVarType GetVarType() const override { return varString; }
    bool IsString() const override { return true; }
    void PrepareValueBuffer(const void*& Buffer) const override { Buffer = Load<void*>(Buffer); }
};

class TcxWideStringValueType : public TcxStringValueType {
public:
    const char* ClassName() const override { return "TcxWideStringValueType"; }
    int CompareValues(const void* Value1, const void* Value2) const override {
        return CompareCells<std::u16string>(
            Value1, Value2,
            [](const std::u16string& A, const std::u16string& B) { return Sign(A.compare(B), 0); });
    }
    void FreeBuffer(void* Buffer) const override { FreeCell<std::u16string>(Buffer); }
    void GetValue(const void* Buffer, Variant& Value) const override {
        const std::u16string* S = Cell<std::u16string>(Buffer);
        Value = S ? Variant::WideString(*S) : Variant::Null();
    }
    void SetValue(void* Buffer, const Variant& Value) const override {
        AssignCell(Buffer, Value.AsWideString());
    }
    TVarType GetVarType() const override { return varOleStr; }
};

// A type whose buffer holds the raw value T, handed out as a variant of kind Kind.
template <class T, TVarType Kind> class TcxRawValueType : public TcxValueType {
public:
    int GetDataSize() const override { return sizeof(T); }
    TVarType GetVarType() const override { return Kind; }
};

template <class T, TVarType Kind> class TcxOrdinalValueType : public TcxRawValueType<T, Kind> {
public:
    int CompareValues(const void* Value1, const void* Value2) const override {
        return IntegerOrder(Load<T>(Value1), Load<T>(Value2));
    }
    void GetValue(const void* Buffer, Variant& Value) const override {
        Value = Variant::Ordinal(Kind, Load<T>(Buffer));
    }
    void SetValue(void* Buffer, const Variant& Value) const override {
        Store(Buffer, static_cast<T>(Value.AsInt64()));
    }
};

class TcxSmallintValueType : public TcxOrdinalValueType<std::int16_t, varSmallint> {
public:
    const char* ClassName() const override { return "TcxSmallintValueType"; }
    void ReadValue(void* Buffer, TStream& Stream) const override {
        Store(Buffer, ReadSmallIntFunc(Stream));
    }
    void WriteValue(const void* Buffer, TStream& Stream) const override {
        WriteSmallIntProc(Stream, Load<std::int16_t>(Buffer));
    }
};

class TcxIntegerValueType : public TcxOrdinalValueType<std::int32_t, varInteger> {
public:
    const char* ClassName() const override { return "TcxIntegerValueType"; }
    void ReadValue(void* Buffer, TStream& Stream) const override {
        Store(Buffer, ReadIntegerFunc(Stream));
    }
    void WriteValue(const void* Buffer, TStream& Stream) const override {
        WriteIntegerProc(Stream, Load<std::int32_t>(Buffer));
    }
};

class TcxWordValueType : public TcxOrdinalValueType<std::uint16_t, varWord> {
public:
    const char* ClassName() const override { return "TcxWordValueType"; }
    void ReadValue(void* Buffer, TStream& Stream) const override {
        Store(Buffer, ReadWordFunc(Stream));
    }
    void WriteValue(const void* Buffer, TStream& Stream) const override {
        WriteWordProc(Stream, Load<std::uint16_t>(Buffer));
    }
};

class TcxLargeIntValueType : public TcxOrdinalValueType<std::int64_t, varInt64> {
public:
    const char* ClassName() const override { return "TcxLargeIntValueType"; }
    // The full 64-bit range has no room for a difference: the values' own order.
    int CompareValues(const void* Value1, const void* Value2) const override {
        return Sign(Load<std::int64_t>(Value1), Load<std::int64_t>(Value2));
    }
    void ReadValue(void* Buffer, TStream& Stream) const override {
        Store(Buffer, ReadLargeIntFunc(Stream));
    }
    void WriteValue(const void* Buffer, TStream& Stream) const override {
        WriteLargeIntProc(Stream, Load<std::int64_t>(Buffer));
    }
};

class TcxBooleanValueType : public TcxRawValueType<std::uint8_t, varBoolean> {
public:
    const char* ClassName() const override { return "TcxBooleanValueType"; }
    int CompareValues(const void* Value1, const void* Value2) const override {
        return IntegerOrder(Load<std::uint8_t>(Value1) != 0, Load<std::uint8_t>(Value2) != 0);
    }
    void GetValue(const void* Buffer, Variant& Value) const override {
        Value = Variant::Boolean(Load<std::uint8_t>(Buffer) != 0);
    }
    void SetValue(void* Buffer, const Variant& Value) const override {
        Store<std::uint8_t>(Buffer, Value.AsBoolean() ? 1 : 0);
    }
    void ReadValue(void* Buffer, TStream& Stream) const override {
        Store(Buffer, ReadByteFunc(Stream));
    }
    void WriteValue(const void* Buffer, TStream& Stream) const override {
        WriteByteProc(Stream, Load<std::uint8_t>(Buffer));
    }
};

class TcxFloatValueType : public TcxRawValueType<double, varDouble> {
public:
    const char* ClassName() const override { return "TcxFloatValueType"; }
    int CompareValues(const void* Value1, const void* Value2) const override {
        return Sign(Load<double>(Value1), Load<double>(Value2));
    }
    void GetValue(const void* Buffer, Variant& Value) const override {
        Value = Variant::Double(Load<double>(Buffer));
    }
    void SetValue(void* Buffer, const Variant& Value) const override {
        Store(Buffer, Value.AsDouble());
    }
    void ReadValue(void* Buffer, TStream& Stream) const override {
        Store(Buffer, ReadFloatFunc(Stream));
    }
    void WriteValue(const void* Buffer, TStream& Stream) const override {
        WriteFloatProc(Stream, Load<double>(Buffer));
    }
};

class TcxCurrencyValueType : public TcxRawValueType<std::int64_t, varCurrency> {
public:
    const char* ClassName() const override { return "TcxCurrencyValueType"; }
    int CompareValues(const void* Value1, const void* Value2) const override {
        return Sign(Load<std::int64_t>(Value1), Load<std::int64_t>(Value2));
    }
    void GetValue(const void* Buffer, Variant& Value) const override {
        Value = Variant::Currency(Load<std::int64_t>(Buffer));
    }
    void SetValue(void* Buffer, const Variant& Value) const override {
        Store(Buffer, Value.AsCurrencyScaled());
    }
    void ReadValue(void* Buffer, TStream& Stream) const override {
        Store(Buffer, ReadCurrencyFunc(Stream));
    }
    void WriteValue(const void* Buffer, TStream& Stream) const override {
        WriteCurrencyProc(Stream, Load<std::int64_t>(Buffer));
    }
};

class TcxDateTimeValueType : public TcxRawValueType<double, varDate> {
public:
    const char* ClassName() const override { return "TcxDateTimeValueType"; }
    int CompareValues(const void* Value1, const void* Value2) const override {
        return Sign(Load<double>(Value1), Load<double>(Value2));
    }
    void GetValue(const void* Buffer, Variant& Value) const override {
        Value = Variant::Date(Load<double>(Buffer));
    }
    void SetValue(void* Buffer, const Variant& Value) const override {
        Store(Buffer, VarAsType(Value, varDate).AsDouble());
    }
    void ReadValue(void* Buffer, TStream& Stream) const override {
        Store(Buffer, ReadDateTimeFunc(Stream));
    }
    void WriteValue(const void* Buffer, TStream& Stream) const override {
        WriteDateTimeProc(Stream, Load<double>(Buffer));
    }
};

class TcxFMTBcdValueType : public TcxRawValueType<TBcd, varDouble> {
public:
    const char* ClassName() const override { return "TcxFMTBcdValueType"; }
    TVarType GetVarType() const override { return platform::core::VarFMTBcd(); }
    int CompareValues(const void* Value1, const void* Value2) const override {
        return BcdCompare(Load<TBcd>(Value1), Load<TBcd>(Value2));
    }
    void GetValue(const void* Buffer, Variant& Value) const override {
        Value = Variant::Bcd(Load<TBcd>(Buffer));
    }
    void GetDefaultDisplayText(const void* Buffer, std::string& Text) const override {
        Text = BcdToStr(Load<TBcd>(Buffer));
    }
    // Texts, integers and currency convert exactly; other numbers through their text.
    void SetValue(void* Buffer, const Variant& Value) const override {
        const bool Exact = Value.IsStr() || Value.IsOrdinal() || Value.VarType() == varCurrency;
        if (Value.VarType() == platform::core::VarFMTBcd()) {
            Store(Buffer, Value.AsBcd());
        } else if (Value.VarType() == varBoolean) {
            Store(Buffer, StrToBcd(Value.AsBoolean() ? "-1" : "0"));
        } else {
            Store(Buffer, StrToBcd(Exact ? Value.AsString()
                                         : Variant::Double(Value.AsDouble()).AsString()));
        }
    }
};

class TcxSQLTimeStampValueType : public TcxRawValueType<TSQLTimeStamp, varDate> {
public:
    const char* ClassName() const override { return "TcxSQLTimeStampValueType"; }
    TVarType GetVarType() const override { return platform::core::VarSQLTimeStamp(); }
    int CompareValues(const void* Value1, const void* Value2) const override {
        const TSQLTimeStamp A = Load<TSQLTimeStamp>(Value1), B = Load<TSQLTimeStamp>(Value2);
        const int Fields[] = {A.Year - B.Year, A.Month - B.Month,   A.Day - B.Day,
                              A.Hour - B.Hour, A.Minute - B.Minute, A.Second - B.Second};
        for (int Difference : Fields)
            if (Difference != 0) return Difference;
        return Sign(A.Fractions, B.Fractions);
    }
    void GetValue(const void* Buffer, Variant& Value) const override {
        Value = Variant::Date(SQLTimeStampToDateTime(Load<TSQLTimeStamp>(Buffer)));
    }
    void SetValue(void* Buffer, const Variant& Value) const override {
        Store(Buffer, Value.VarType() == platform::core::VarSQLTimeStamp()
                          ? Value.AsSQLTimeStamp()
                          : DateTimeToSQLTimeStamp(VarAsType(Value, varDate).AsDouble()));
    }
};

class TcxVariantValueType : public TcxValueType {
public:
    const char* ClassName() const override { return "TcxVariantValueType"; }
    int CompareValues(const void* Value1, const void* Value2) const override {
        return CompareCells<Variant>(Value1, Value2, VarCompare);
    }
    void FreeBuffer(void* Buffer) const override { FreeCell<Variant>(Buffer); }
    int GetDataSize() const override { return sizeof(void*); }
    void GetValue(const void* Buffer, Variant& Value) const override {
        const Variant* V = Cell<Variant>(Buffer);
        Value = V ? *V : Variant::Null();
    }
    void SetValue(void* Buffer, const Variant& Value) const override { AssignCell(Buffer, Value); }
    void GetDataValue(const void* Data, Variant& Value) const override { GetValue(&Data, Value); }
    TVarType GetVarType() const override { return varVariant; }
    void PrepareValueBuffer(const void*& Buffer) const override { Buffer = Load<void*>(Buffer); }
};

class TcxObjectValueType : public TcxValueType {
public:
    const char* ClassName() const override { return "TcxObjectValueType"; }
    int CompareValues(const void* Value1, const void* Value2) const override {
        return Sign(Load<std::uintptr_t>(Value1), Load<std::uintptr_t>(Value2));
    }
    void FreeBuffer(void* Buffer) const override { FreeCell<TObject>(Buffer); }
    int GetDataSize() const override { return sizeof(TObject*); }
    void GetValue(const void* Buffer, Variant& Value) const override {
        Value = Variant::Int64(static_cast<std::int64_t>(Load<std::intptr_t>(Buffer)));
    }
    // The caller hands over the object the integer refers to.
    void SetValue(void* Buffer, const Variant& Value) const override {
        Store(Buffer, static_cast<std::intptr_t>(Value.AsInt64()));
    }
    void ReadValue(void*, TStream&) const override {}
    void WriteValue(const void*, TStream&) const override {}
    TVarType GetVarType() const override { return varInt64; }
};

template <class T> TcxValueTypeClass InstanceOf() {
    static const T Instance;
    return &Instance;
}

} // namespace

const TcxValueType& TcxValueType::Instance() {
    static const TcxValueType Base;
    return Base;
}

int TcxValueType::Compare(const void* Buffer1, const void* Buffer2) const {
    PrepareValueBuffer(Buffer1);
    PrepareValueBuffer(Buffer2);
    return CompareValues(Buffer1, Buffer2);
}

void TcxValueType::FreeBuffer(void*) const {}

void TcxValueType::FreeTextBuffer(TcxDisplayTextSlot& Text) const {
    Text.reset();
}

void TcxValueType::GetValue(const void*, Variant& Value) const {
    Value = Variant::Null();
}

void TcxValueType::GetDefaultDisplayText(const void* Buffer, std::string& Text) const {
    Variant Value;
    GetValue(Buffer, Value);
    Text = Value.AsString();
}

void TcxValueType::GetDisplayText(const TcxDisplayTextSlot& Slot, std::string& Text) const {
    Text = Slot ? *Slot : std::string();
}

void TcxValueType::ReadValue(void* Buffer, TStream& Stream) const {
    Variant Value;
    ReadVariant(Stream, Value);
    SetValue(Buffer, Value);
}

void TcxValueType::ReadDisplayText(TcxDisplayTextSlot& Slot, TStream& Stream) const {
    SetDisplayText(Slot, Stream.WideText ? WideToAnsi(ReadWideStringFunc(Stream))
                                         : ReadAnsiStringFunc(Stream));
}

void TcxValueType::SetValue(void*, const Variant&) const {}

void TcxValueType::SetDisplayText(TcxDisplayTextSlot& Slot, const std::string& Text) const {
    if (!Slot) Slot = std::make_unique<std::string>();
    *Slot = Text;
}

void TcxValueType::WriteValue(const void* Buffer, TStream& Stream) const {
    Variant Value;
    GetValue(Buffer, Value);
    WriteVariant(Stream, Value);
}

void TcxValueType::WriteDisplayText(const TcxDisplayTextSlot& Slot, TStream& Stream) const {
    std::string Text;
    GetDisplayText(Slot, Text);
    if (Stream.WideText) {
        WriteWideStringProc(Stream, AnsiToWide(Text));
    } else {
        WriteAnsiStringProc(Stream, Text);
    }
}

std::string TcxValueType::GetCaption() const {
    std::string Name = ClassName();
    if (Name.rfind("Tcx", 0) == 0) Name.erase(0, 3);
    const std::string Suffix = "ValueType";
    if (Name.size() >= Suffix.size() &&
        Name.compare(Name.size() - Suffix.size(), Suffix.size(), Suffix) == 0)
        Name.erase(Name.size() - Suffix.size());
    return Name;
}

int TcxValueType::CompareValues(const void* Value1, const void* Value2) const {
    Variant A, B;
    GetValue(Value1, A);
    GetValue(Value2, B);
    return VarCompare(A, B);
}

void TcxValueType::GetDataValue(const void* Data, Variant& Value) const {
    GetValue(Data, Value);
}

bool TcxValueType::IsValueValid(Variant& Value) const {
    if (Value.IsNull() || Value.IsEmpty() || GetVarType() == varVariant) return true;
    try {
        Value = VarAsType(Value, GetVarType());
        return true;
    } catch (const EVariantError&) {
        return false;
    }
}

void TcxValueType::PrepareValueBuffer(const void*&) const {}

TcxValueTypeClass TcxStringValueTypeClass() {
    return InstanceOf<TcxStringValueType>();
}
TcxValueTypeClass TcxWideStringValueTypeClass() {
    return InstanceOf<TcxWideStringValueType>();
}
TcxValueTypeClass TcxSmallintValueTypeClass() {
    return InstanceOf<TcxSmallintValueType>();
}
TcxValueTypeClass TcxIntegerValueTypeClass() {
    return InstanceOf<TcxIntegerValueType>();
}
TcxValueTypeClass TcxWordValueTypeClass() {
    return InstanceOf<TcxWordValueType>();
}
TcxValueTypeClass TcxBooleanValueTypeClass() {
    return InstanceOf<TcxBooleanValueType>();
}
TcxValueTypeClass TcxFloatValueTypeClass() {
    return InstanceOf<TcxFloatValueType>();
}
TcxValueTypeClass TcxCurrencyValueTypeClass() {
    return InstanceOf<TcxCurrencyValueType>();
}
TcxValueTypeClass TcxDateTimeValueTypeClass() {
    return InstanceOf<TcxDateTimeValueType>();
}
TcxValueTypeClass TcxLargeIntValueTypeClass() {
    return InstanceOf<TcxLargeIntValueType>();
}
TcxValueTypeClass TcxFMTBcdValueTypeClass() {
    return InstanceOf<TcxFMTBcdValueType>();
}
TcxValueTypeClass TcxSQLTimeStampValueTypeClass() {
    return InstanceOf<TcxSQLTimeStampValueType>();
}
TcxValueTypeClass TcxVariantValueTypeClass() {
    return InstanceOf<TcxVariantValueType>();
}
TcxValueTypeClass TcxObjectValueTypeClass() {
    return InstanceOf<TcxObjectValueType>();
}

} // namespace toolkit::edit
