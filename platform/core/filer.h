#pragma once
// The class library's form streams: a component and its properties written to a stream and read
// back into a component. The binary form, from the start: the signature "TPF0", the class name
// and the component name as short strings (a length byte and the characters), the properties,
// a 0 byte, the (here always empty) list of child components and a 0 byte. A property is its
// name as a short string and a value: a type byte, then
//   02 one signed byte, 03 two, 04 four (integers, the shortest that holds the value)
//   06 a short string, 0C a 32-bit length and the characters, 14 the same in UTF-8
//   07 an identifier as a short string; 08 false; 09 true
//   0A a 32-bit length and that many bytes (binary data)
//   0E a collection: for each item 01, the item's properties and 00; then 00.
// All numbers are little-endian. An object defines its properties in DefinePublishedProperties
// (what a designer lists, written first) and DefineProperties (the rest); a property is written
// when it has data and read by whichever definition has its name. Reading refuses unknown
// properties and damaged data with EReadError.

#include "platform/core/byte_file.h"
#include "platform/core/persistent.h"
#include "platform/core/streams.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

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
    vaLString = 12,
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

    TStream& Stream() const { return FStream; }
    // The object that the one being written descends from, whose values need not be stored
    // again; nullptr when there is none. Always nullptr while reading.
    const TPersistent* Ancestor() const { return FAncestor; }

protected:
    TStream& FStream;
    const TPersistent* FAncestor = nullptr;
};

class TWriter : public TFiler {
public:
    using TFiler::TFiler;

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                        const TWriterProc& WriteData, bool HasData) override;
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                              const TStreamProc& WriteData, bool HasData) override;

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
    void WriteListBegin();
    void WriteListEnd();
    // Each item as a list of its properties; the ancestor does not reach into collections.
    void WriteCollection(const TCollection& Value);
    void WriteProperties(const TPersistent& Instance);

private:
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
    void ReadListBegin();
    void ReadListEnd();
    // Clears the collection, then adds and reads one item per list.
    void ReadCollection(TCollection& Value);
    void ReadProperties(TPersistent& Instance);

private:
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
};

} // namespace platform::core
