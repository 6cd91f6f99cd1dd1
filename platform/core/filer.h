#pragma once
// The class library's form streams: a component and its properties written to a stream and read
// back into a component. The binary form, from the start: the signature "TPF0", the class name
// and the component name as short strings (a length byte and the characters), the properties,
// a 0 byte, the child components and a 0 byte. A child is its class name, its name, its
// properties, a 0 byte, its own children and a 0 byte. A property is its name as a short string
// and a value: a type byte, then
//   02 one signed byte, 03 two, 04 four (integers, the shortest that holds the value)
//   06 a short string, 0C a 32-bit length and the characters, 14 the same in UTF-8
//   07 an identifier as a short string; 08 false; 09 true; 0D nil
//   0A a 32-bit length and that many bytes (binary data)
//   0B a set: the identifiers of its members as short strings, then an empty one
//   0E a collection: for each item 01, the item's properties and 00; then 00.
// All numbers are little-endian. An object defines its properties in DefinePublishedProperties
// (what a designer lists, written first) and DefineProperties (the rest); a property is written
// when it has data and read by whichever definition has its name. Reading refuses unknown
// properties and damaged data with EReadError.
//
// The children of a component are those its GetChildren hands over while the root is written
// (a form: its own components that have no parent component). Reading makes each child of the
// class its name registers (RegisterClass; EClassNotFound for another), owned by the root and
// handed the component it was written inside (SetParentComponent), and every component read
// loads until the whole stream is read: the root's Loaded runs first, then the children's in the
// order they were read. A reference to another component is written as its name (with its
// owner's in front when that is not the root) and resolved once everything is read, before any
// Loaded. A child that cannot be read whole is freed again.

#include "platform/core/byte_file.h"
#include "platform/core/persistent.h"
#include "platform/core/streams.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace platform::core {

class TCollection;
class TComponent;
class TReader;
class TWriter;

enum TValueType : std::uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaUTF8String = 20,
};

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;

class TFiler {
public:
    explicit TFiler(TStream& Stream) : FStream(Stream) {}
    virtual ~TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    // A property written by WriteData as values of the writer, read by ReadData.
    virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                                const TWriterProc& WriteData, bool HasData) = 0;
    // A property of raw bytes: WriteData writes them into a stream of its own, ReadData gets a
    // stream of exactly the bytes written.
    virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                      const TStreamProc& WriteData, bool HasData) = 0;
    // An object property: the object's own properties, each named "<Name>.<its name>".
    virtual void DefineNested(const std::string& Name, TPersistent& Object) = 0;
    // The common kinds of property: Value is written when Stored, Set takes the value read.
    void DefineBoolean(const std::string& Name, bool Value, const std::function<void(bool)>& Set,
                       bool Stored);
    void DefineInteger(const std::string& Name, std::int32_t Value,
                       const std::function<void(std::int32_t)>& Set, bool Stored);
    void DefineString(const std::string& Name, const std::string& Value,
                      const std::function<void(const std::string&)>& Set, bool Stored);
    void DefineEnum(const std::string& Name, int Value, std::span<const char* const> Names,
                    const std::function<void(int)>& Set, bool Stored);
    void DefineSet(const std::string& Name, unsigned Value, std::span<const char* const> Names,
                   const std::function<void(unsigned)>& Set, bool Stored);
    // Another component by name (TWriter::WriteReference); Set gets it once the stream is read.
    void DefineReference(const std::string& Name, const TComponent* Value,
                         const std::function<void(TComponent*)>& Set, bool Stored);

    TStream& Stream() const { return FStream; }
    // The object that the one being written descends from, whose values need not be stored
    // again; nullptr when there is none. Always nullptr while reading.
    const TPersistent* Ancestor() const { return FAncestor; }
    // The component the stream is written from or read into; nullptr outside a component.
    TComponent* Root() const { return FRoot; }

protected:
    TStream& FStream;
    const TPersistent* FAncestor = nullptr;
    TComponent* FRoot = nullptr;
};

class TWriter : public TFiler {
public:
    using TFiler::TFiler;

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                        const TWriterProc& WriteData, bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                              const TStreamProc& WriteData, bool HasData) override;
    void DefineNested(const std::string& Name, TPersistent& Object) override;

    // Signature, component, its properties and the end markers. With an Ancestor, properties
    // equal to the ancestor's are left out (as each definition decides).
    void WriteRootComponent(const TComponent& Root);
    void WriteDescendent(const TComponent& Root, const TComponent* Ancestor);

    void WriteInteger(std::int32_t Value);
    void WriteBoolean(bool Value);
    void WriteString(const std::string& Value);
    void WriteIdent(const std::string& Value);
    // An enumerated value as its identifier: Names lists the identifiers in the type's order.
    void WriteEnum(int Value, std::span<const char* const> Names);
    // A set as its members' identifiers: bit n of Value stands for Names[n].
    void WriteSet(unsigned Value, std::span<const char* const> Names);
    void WriteListBegin();
    void WriteListEnd();
    // Each item as a list of its properties; the ancestor does not reach into collections.
    void WriteCollection(const TCollection& Value);
    // The items of a list kept otherwise, the same way; and of any container of pointers to
    // them (plain or owning).
    void WriteCollection(const std::vector<const TPersistent*>& Items);
    template <class TItems> void WriteCollectionOf(const TItems& Items) {
        std::vector<const TPersistent*> List;
        for (const auto& Item : Items)
            List.push_back(&*Item);
        WriteCollection(List);
    }
    void WriteProperties(const TPersistent& Instance);
    // Another component, by name; nil for nullptr.
    void WriteReference(const TComponent* Value);

private:
    void WriteComponent(const TComponent& Instance);
    void WriteChildren(const TComponent& Parent);
    void WriteValue(TValueType Value);
    void WriteStr(const std::string& Value);
    void WritePropName(const std::string& Name);
    void WriteBytes(const void* Bytes, std::size_t Count);
    std::string FPropPath;
};

class TReader : public TFiler {
public:
    using TFiler::TFiler;

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                        const TWriterProc& WriteData, bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                              const TStreamProc& WriteData, bool HasData) override;
    void DefineNested(const std::string& Name, TPersistent& Object) override;

    // Reads a stream written by WriteRootComponent into Root (whatever class the stream names),
    // with Root loading meanwhile (its Loaded runs at the end, also when reading fails).
    void ReadRootComponent(TComponent& Root);

    TValueType NextValue();
    bool EndOfList();
    std::int32_t ReadInteger();
    bool ReadBoolean();
    std::string ReadString();
    std::string ReadIdent();
    // An identifier written by WriteEnum, as its position in Names; one not there is a read
    // error.
    int ReadEnum(std::span<const char* const> Names);
    // A set written by WriteSet; a member not in Names is a read error.
    unsigned ReadSet(std::span<const char* const> Names);
    void ReadListBegin();
    void ReadListEnd();
    // Clears the collection, then adds and reads one item per list.
    void ReadCollection(TCollection& Value);
    // The same for a list kept otherwise: Add makes the next item, whose properties are read.
    void ReadCollection(const std::function<TPersistent&()>& Add);
    void ReadProperties(TPersistent& Instance);
    // A component written by WriteReference: Set gets it once the whole stream is read (nil at
    // once for nil); a name that no component has leaves Set uncalled.
    void ReadReference(const std::function<void(TComponent*)>& Set);

private:
    struct TFixup {
        std::string Name;
        std::function<void(TComponent*)> Set;
    };
    void ReadPropertyOf(TPersistent& Instance, const std::string& Name);
    void ReadChild(TComponent& Parent);
    void ResolveFixups();
    TComponent* FindReference(const std::string& Name) const;
    TValueType ReadValue();
    void CheckValue(TValueType Expected);
    std::string ReadStr();
    std::uint32_t ReadU32();
    void ReadProperty(TPersistent& Instance);
    [[noreturn]] void PropertyError(const std::string& Text) const;
    // While looking for a property's definition: its name, whether one was found and what
    // reads it.
    std::string FPropName;
    bool FFound = false;
    TReaderProc FPending;
    const TPersistent* FInstance = nullptr;
    std::vector<TFixup> FFixups;
};

} // namespace platform::core
