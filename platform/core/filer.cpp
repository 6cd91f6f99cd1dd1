#include "platform/core/filer.h"

#include "platform/core/class_reference.h"
#include "platform/core/collection.h"
#include "platform/core/component.h"
#include "platform/core/loading_bracket.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

namespace platform::core {

namespace {

constexpr std::array<std::uint8_t, 4> Signature{'T', 'P', 'F', '0'};

bool SameName(const std::string& A, const std::string& B) {
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
               return std::tolower(static_cast<unsigned char>(X)) ==
                      std::tolower(static_cast<unsigned char>(Y));
           });
}

[[noreturn]] void InvalidStream() {
    throw EReadError("Invalid stream format");
}

} // namespace

// ---- TFiler ----

void TFiler::DefineBoolean(const std::string& Name, bool Value,
                           const std::function<void(bool)>& Set, bool Stored) {
    DefineProperty(
        Name, [Set](TReader& Reader) { Set(Reader.ReadBoolean()); },
        [Value](TWriter& Writer) { Writer.WriteBoolean(Value); }, Stored);
}

void TFiler::DefineInteger(const std::string& Name, std::int32_t Value,
                           const std::function<void(std::int32_t)>& Set, bool Stored) {
    DefineProperty(
        Name, [Set](TReader& Reader) { Set(Reader.ReadInteger()); },
        [Value](TWriter& Writer) { Writer.WriteInteger(Value); }, Stored);
}

void TFiler::DefineString(const std::string& Name, const std::string& Value,
                          const std::function<void(const std::string&)>& Set, bool Stored) {
    DefineProperty(
        Name, [Set](TReader& Reader) { Set(Reader.ReadString()); },
        [Value](TWriter& Writer) { Writer.WriteString(Value); }, Stored);
}

void TFiler::DefineEnum(const std::string& Name, int Value, std::span<const char* const> Names,
                        const std::function<void(int)>& Set, bool Stored) {
    DefineProperty(
        Name, [Set, Names](TReader& Reader) { Set(Reader.ReadEnum(Names)); },
        [Value, Names](TWriter& Writer) { Writer.WriteEnum(Value, Names); }, Stored);
}

void TFiler::DefineSet(const std::string& Name, unsigned Value, std::span<const char* const> Names,
                       const std::function<void(unsigned)>& Set, bool Stored) {
    DefineProperty(
        Name, [Set, Names](TReader& Reader) { Set(Reader.ReadSet(Names)); },
        [Value, Names](TWriter& Writer) { Writer.WriteSet(Value, Names); }, Stored);
}

void TFiler::DefineReference(const std::string& Name, const TComponent* Value,
                             const std::function<void(TComponent*)>& Set, bool Stored) {
    DefineProperty(
        Name, [Set](TReader& Reader) { Reader.ReadReference(Set); },
        [Value](TWriter& Writer) { Writer.WriteReference(Value); }, Stored);
}

// ---- TWriter ----

void TWriter::WriteBytes(const void* Bytes, std::size_t Count) {
    FStream.WriteBuffer(Bytes, Count);
}

void TWriter::WriteValue(TValueType Value) {
    const auto Byte = static_cast<std::uint8_t>(Value);
    WriteBytes(&Byte, 1);
}

void TWriter::WriteStr(const std::string& Value) {
    // Names longer than a length byte can count are cut, as the short string holds them.
    const auto Length = static_cast<std::uint8_t>(std::min<std::size_t>(Value.size(), 255));
    WriteBytes(&Length, 1);
    WriteBytes(Value.data(), Length);
}

void TWriter::WritePropName(const std::string& Name) {
    WriteStr(FPropPath + Name);
}

void TWriter::WriteInteger(std::int32_t Value) {
    if (Value >= -128 && Value <= 127) {
        WriteValue(vaInt8);
        const auto Byte = static_cast<std::int8_t>(Value);
        WriteBytes(&Byte, 1);
    } else if (Value >= -32768 && Value <= 32767) {
        WriteValue(vaInt16);
        const auto Word = static_cast<std::uint16_t>(Value);
        const std::array<std::uint8_t, 2> Bytes{static_cast<std::uint8_t>(Word),
                                                static_cast<std::uint8_t>(Word >> 8)};
        WriteBytes(Bytes.data(), 2);
    } else {
        WriteValue(vaInt32);
        const auto Long = static_cast<std::uint32_t>(Value);
        const std::array<std::uint8_t, 4> Bytes{
            static_cast<std::uint8_t>(Long), static_cast<std::uint8_t>(Long >> 8),
            static_cast<std::uint8_t>(Long >> 16), static_cast<std::uint8_t>(Long >> 24)};
        WriteBytes(Bytes.data(), 4);
    }
}

void TWriter::WriteBoolean(bool Value) {
    WriteValue(Value ? vaTrue : vaFalse);
}

void TWriter::WriteString(const std::string& Value) {
    if (Value.size() <= 255) {
        WriteValue(vaString);
        WriteStr(Value);
        return;
    }
    WriteValue(vaLString);
    const auto Length = static_cast<std::uint32_t>(Value.size());
    const std::array<std::uint8_t, 4> Bytes{
        static_cast<std::uint8_t>(Length), static_cast<std::uint8_t>(Length >> 8),
        static_cast<std::uint8_t>(Length >> 16), static_cast<std::uint8_t>(Length >> 24)};
    WriteBytes(Bytes.data(), 4);
    WriteBytes(Value.data(), Value.size());
}

void TWriter::WriteIdent(const std::string& Value) {
    WriteValue(vaIdent);
    WriteStr(Value);
}

void TWriter::WriteEnum(int Value, std::span<const char* const> Names) {
    WriteIdent(Names[static_cast<std::size_t>(Value)]);
}

void TWriter::WriteSet(unsigned Value, std::span<const char* const> Names) {
    WriteValue(vaSet);
    for (std::size_t I = 0; I < Names.size(); ++I)
        if (Value & (1u << I)) WriteStr(Names[I]);
    WriteStr("");
}

void TWriter::WriteListBegin() {
    WriteValue(vaList);
}

void TWriter::WriteListEnd() {
    WriteValue(vaNull);
}

void TWriter::DefineProperty(const std::string& Name, const TReaderProc&,
                             const TWriterProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc&,
                                   const TStreamProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    TMemoryStream Data;
    WriteData(Data);
    if (Data.Size() > std::numeric_limits<std::uint32_t>::max())
        throw EWriteError("Stream write error");
    WriteValue(vaBinary);
    const auto Size = static_cast<std::uint32_t>(Data.Size());
    const std::array<std::uint8_t, 4> Bytes{
        static_cast<std::uint8_t>(Size), static_cast<std::uint8_t>(Size >> 8),
        static_cast<std::uint8_t>(Size >> 16), static_cast<std::uint8_t>(Size >> 24)};
    WriteBytes(Bytes.data(), 4);
    WriteBytes(Data.Bytes().data(), Data.Size());
}

void TWriter::DefineNested(const std::string& Name, TPersistent& Object) {
    const std::string OldPath = FPropPath;
    FPropPath += Name + ".";
    WriteProperties(Object);
    FPropPath = OldPath;
}

void TWriter::WriteProperties(const TPersistent& Instance) {
    auto& Target = const_cast<TPersistent&>(Instance);
    Target.DefinePublishedProperties(*this);
    Target.DefineProperties(*this);
}

void TWriter::WriteCollection(const TCollection& Value) {
    std::vector<const TPersistent*> Items;
    for (int I = 0; I < Value.Count(); ++I)
        Items.push_back(Value.Items(I));
    WriteCollection(Items);
}

void TWriter::WriteCollection(const std::vector<const TPersistent*>& Items) {
    const TPersistent* OldAncestor = FAncestor;
    const std::string OldPath = FPropPath;
    FAncestor = nullptr;
    FPropPath.clear();
    WriteValue(vaCollection);
    for (const TPersistent* Item : Items) {
        WriteListBegin();
        WriteProperties(*Item);
        WriteListEnd();
    }
    WriteListEnd();
    FAncestor = OldAncestor;
    FPropPath = OldPath;
}

void TWriter::WriteReference(const TComponent* Value) {
    if (Value == nullptr) {
        WriteValue(vaNil);
        return;
    }
    const TComponent* Owner = Value->Owner();
    if (Owner == nullptr || Owner == FRoot || Value == FRoot || Owner->Name.empty())
        WriteIdent(Value->Name);
    else
        WriteIdent(Owner->Name + "." + Value->Name);
}

void TWriter::WriteRootComponent(const TComponent& Root) {
    WriteDescendent(Root, nullptr);
}

void TWriter::WriteDescendent(const TComponent& Root, const TComponent* Ancestor) {
    FRoot = const_cast<TComponent*>(&Root);
    WriteBytes(Signature.data(), Signature.size());
    FAncestor = Ancestor;
    WriteStr(Root.ClassType().ClassName());
    WriteStr(Root.Name);
    WriteProperties(Root);
    WriteListEnd();
    // The ancestor stands for the root only.
    FAncestor = nullptr;
    WriteChildren(Root);
    WriteListEnd();
    FRoot = nullptr;
}

void TWriter::WriteChildren(const TComponent& Parent) {
    Parent.GetChildren([this](TComponent* Child) { WriteComponent(*Child); }, FRoot);
}

void TWriter::WriteComponent(const TComponent& Instance) {
    WriteStr(Instance.ClassType().ClassName());
    WriteStr(Instance.Name);
    WriteProperties(Instance);
    WriteListEnd();
    WriteChildren(Instance);
    WriteListEnd();
}

// ---- TReader ----

TValueType TReader::ReadValue() {
    std::uint8_t Byte = 0;
    FStream.ReadBuffer(&Byte, 1);
    return static_cast<TValueType>(Byte);
}

TValueType TReader::NextValue() {
    const TValueType Value = ReadValue();
    FStream.SetPosition(FStream.Position() - 1);
    return Value;
}

bool TReader::EndOfList() {
    return NextValue() == vaNull;
}

void TReader::CheckValue(TValueType Expected) {
    if (ReadValue() != Expected) PropertyError("Invalid property value");
}

std::string TReader::ReadStr() {
    std::uint8_t Length = 0;
    FStream.ReadBuffer(&Length, 1);
    std::string Result(Length, '\0');
    FStream.ReadBuffer(Result.data(), Length);
    return Result;
}

std::uint32_t TReader::ReadU32() {
    std::array<std::uint8_t, 4> Bytes{};
    FStream.ReadBuffer(Bytes.data(), 4);
    return Bytes[0] | Bytes[1] << 8 | Bytes[2] << 16 | static_cast<std::uint32_t>(Bytes[3]) << 24;
}

std::int32_t TReader::ReadInteger() {
    switch (ReadValue()) {
    case vaInt8: {
        std::int8_t Byte = 0;
        FStream.ReadBuffer(&Byte, 1);
        return Byte;
    }
    case vaInt16: {
        std::array<std::uint8_t, 2> Bytes{};
        FStream.ReadBuffer(Bytes.data(), 2);
        return static_cast<std::int16_t>(Bytes[0] | Bytes[1] << 8);
    }
    case vaInt32:
        return static_cast<std::int32_t>(ReadU32());
    default:
        PropertyError("Invalid property value");
    }
}

bool TReader::ReadBoolean() {
    const TValueType Value = ReadValue();
    if (Value != vaTrue && Value != vaFalse) PropertyError("Invalid property value");
    return Value == vaTrue;
}

std::string TReader::ReadString() {
    const TValueType Value = ReadValue();
    if (Value == vaString) return ReadStr();
    if (Value != vaLString && Value != vaUTF8String) PropertyError("Invalid property value");
    const std::uint32_t Length = ReadU32();
    if (Length > FStream.Remaining()) InvalidStream();
    std::string Result(Length, '\0');
    FStream.ReadBuffer(Result.data(), Length);
    return Result;
}

std::string TReader::ReadIdent() {
    CheckValue(vaIdent);
    return ReadStr();
}

int TReader::ReadEnum(std::span<const char* const> Names) {
    const std::string Ident = ReadIdent();
    for (std::size_t I = 0; I < Names.size(); ++I)
        if (Ident == Names[I]) return static_cast<int>(I);
    PropertyError("Invalid property value");
}

unsigned TReader::ReadSet(std::span<const char* const> Names) {
    CheckValue(vaSet);
    unsigned Result = 0;
    for (std::string Member = ReadStr(); !Member.empty(); Member = ReadStr()) {
        const auto Found =
            std::find_if(Names.begin(), Names.end(), [&](const char* N) { return Member == N; });
        if (Found == Names.end()) PropertyError("Invalid property value");
        Result |= 1u << (Found - Names.begin());
    }
    return Result;
}

void TReader::ReadListBegin() {
    CheckValue(vaList);
}

void TReader::ReadListEnd() {
    CheckValue(vaNull);
}

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                             const TWriterProc&, bool) {
    if (FFound || !SameName(Name, FPropName)) return;
    FFound = true;
    if (!ReadData) PropertyError("Property " + FPropName + " cannot be read");
    // Read once the definitions are through, so that what the reading defines in its turn
    // (a collection's items) starts afresh.
    FPending = [ReadData](TReader& Reader) { ReadData(Reader); };
}

void TReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                   const TStreamProc&, bool) {
    if (FFound || !SameName(Name, FPropName)) return;
    FFound = true;
    if (!ReadData) PropertyError("Property " + FPropName + " cannot be read");
    FPending = [ReadData](TReader& Reader) {
        if (Reader.ReadValue() != vaBinary) Reader.PropertyError("Invalid property value");
        const std::uint32_t Size = Reader.ReadU32();
        if (Size > Reader.FStream.Remaining()) InvalidStream();
        std::vector<std::uint8_t> Bytes(Size);
        Reader.FStream.ReadBuffer(Bytes.data(), Size);
        TMemoryStream Data(std::move(Bytes));
        ReadData(Data);
    };
}

void TReader::DefineNested(const std::string& Name, TPersistent& Object) {
    const std::string Prefix = Name + ".";
    if (FFound || FPropName.size() <= Prefix.size() ||
        !SameName(FPropName.substr(0, Prefix.size()), Prefix))
        return;
    FFound = true;
    FPending = [&Object, Rest = FPropName.substr(Prefix.size())](TReader& Reader) {
        Reader.ReadPropertyOf(Object, Rest);
    };
}

void TReader::PropertyError(const std::string& Text) const {
    const std::string Owner = FInstance ? FInstance->ClassType().ClassName() : "";
    throw EReadError("Error reading " + Owner + "." + FPropName + ": " + Text);
}

void TReader::ReadProperty(TPersistent& Instance) {
    ReadPropertyOf(Instance, ReadStr());
}

void TReader::ReadPropertyOf(TPersistent& Instance, const std::string& Name) {
    FInstance = &Instance;
    FPropName = Name;
    FFound = false;
    FPending = nullptr;
    Instance.DefinePublishedProperties(*this);
    if (!FFound) Instance.DefineProperties(*this);
    if (!FFound) PropertyError("Property " + FPropName + " does not exist");
    const TReaderProc Read = std::move(FPending);
    FPending = nullptr;
    Read(*this);
}

void TReader::ReadProperties(TPersistent& Instance) {
    while (!EndOfList())
        ReadProperty(Instance);
    ReadListEnd();
}

void TReader::ReadCollection(TCollection& Value) {
    Value.Clear();
    ReadCollection([&Value]() -> TPersistent& { return Value.Add(); });
}

void TReader::ReadCollection(const std::function<TPersistent&()>& Add) {
    CheckValue(vaCollection);
    while (!EndOfList()) {
        // A stored item may be preceded by its index; the order of the stream is what counts.
        const TValueType Next = NextValue();
        if (Next == vaInt8 || Next == vaInt16 || Next == vaInt32) ReadInteger();
        TPersistent& Item = Add();
        ReadListBegin();
        ReadProperties(Item);
    }
    ReadListEnd();
}

void TReader::ReadReference(const std::function<void(TComponent*)>& Set) {
    const TValueType Value = ReadValue();
    if (Value == vaNil) {
        Set(nullptr);
        return;
    }
    if (Value != vaIdent) PropertyError("Invalid property value");
    FFixups.push_back({ReadStr(), Set});
}

namespace {

TComponent* FindOwned(const TComponent* Owner, const std::string& Name) {
    if (Owner == nullptr || Name.empty()) return nullptr;
    for (int I = 0; I < Owner->ComponentCount(); ++I)
        if (SameName(Owner->Components(I)->Name, Name)) return Owner->Components(I);
    return nullptr;
}

} // namespace

TComponent* TReader::FindReference(const std::string& Name) const {
    if (FRoot == nullptr) return nullptr;
    const std::size_t Dot = Name.find('.');
    if (Dot == std::string::npos) {
        if (TComponent* Found = FindOwned(FRoot, Name)) return Found;
        if (SameName(FRoot->Name, Name)) return FRoot;
        // A component read on its own may name one next to it.
        return FindOwned(FRoot->Owner(), Name);
    }
    // Another component's own: the root itself, or one next to the root.
    const std::string OwnerName = Name.substr(0, Dot);
    const TComponent* Owner =
        SameName(FRoot->Name, OwnerName) ? FRoot : FindOwned(FRoot->Owner(), OwnerName);
    return FindOwned(Owner, Name.substr(Dot + 1));
}

void TReader::ResolveFixups() {
    const std::vector<TFixup> Fixups = std::move(FFixups);
    FFixups.clear();
    for (const TFixup& Fixup : Fixups)
        if (TComponent* Found = FindReference(Fixup.Name)) Fixup.Set(Found);
}

void TReader::ReadChild(TComponent& Parent) {
    const std::string ClassName = ReadStr();
    const std::string Name = ReadStr();
    const auto* Class = dynamic_cast<const TComponentClass*>(&FindClass(ClassName));
    if (Class == nullptr) throw EReadError("Invalid stream format");
    TComponent& Child = FRoot->InsertComponent(Class->Create(FRoot));
    try {
        Child.SetParentComponent(&Parent);
        Child.SetName(Name);
        ReadProperties(Child);
        while (!EndOfList())
            ReadChild(Child);
        ReadListEnd();
    } catch (...) {
        FRoot->FreeComponent(Child);
        throw;
    }
}

void TReader::ReadRootComponent(TComponent& Root) {
    FRoot = &Root;
    FFixups.clear();
    Root.BeginLoading();
    // The children made while reading load until the whole stream is read.
    TLoadingBracket Children;
    try {
        std::array<std::uint8_t, 4> Head{};
        FStream.ReadBuffer(Head.data(), Head.size());
        if (Head != Signature) InvalidStream();
        ReadStr(); // the class the stream was written from; it is read into Root as it is
        const std::string Name = ReadStr();
        if (Root.Name.empty()) Root.Name = Name;
        ReadProperties(Root);
        while (!EndOfList())
            ReadChild(Root);
        ReadListEnd();
        ResolveFixups();
    } catch (...) {
        FFixups.clear();
        FRoot = nullptr;
        Root.EndLoading();
        throw;
    }
    FRoot = nullptr;
    Root.EndLoading();
    Children.End();
}

// ---- TStream ----

void TStream::WriteComponent(const TComponent& Instance) {
    TWriter Writer(*this);
    Writer.WriteRootComponent(Instance);
}

void TStream::ReadComponent(TComponent& Instance) {
    TReader Reader(*this);
    Reader.ReadRootComponent(Instance);
}

} // namespace platform::core
