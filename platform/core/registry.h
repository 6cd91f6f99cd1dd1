#pragma once
// Our stand-in for the current user's branch of the platform's registry: a tree of keys, each
// with named values of three kinds (string, integer, binary). It lives in a settings file of
// its own, "Registry.ini" in SettingsFolder() unless another is named: one section per key,
// named by the key's whole path ("Software\Example\Bar0"), and one line per value,
// "Name=s:text", "Name=i:decimal" or "Name=b:hex bytes"; a string holding a line break is
// "Name=m:text" with "\n", "\r" and "\\" for LF, CR and the backslash. The file is read when the
// object is made and written back, whole, when it is freed or by Flush after a change.
//
// Paths take "\" between key names, compared without case. A path starting with "\" is taken
// from the root, any other from the open key. Reading a value that is missing or of another
// kind raises ERegistryException, as the platform's registry class does; writing without an
// open key does too.

#include "platform/core/exception.h"
#include "platform/core/mem_ini_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::core {

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class TRegistry {
public:
    explicit TRegistry(std::string fileName = "Registry.ini");
    // Writes the file back when it changed; a failure is swallowed here (call Flush to hear).
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // False when the key does not exist and CanCreate is off; creating makes every missing key
    // on the way.
    bool OpenKey(const std::string& Key, bool CanCreate);
    bool OpenKeyReadOnly(const std::string& Key) { return OpenKey(Key, false); }
    void CloseKey() {
        FCurrentKey.clear();
        FOpen = false;
    }
    // The open key's path from the root, without a leading "\".
    const std::string& CurrentPath() const { return FCurrentKey; }
    bool KeyExists(const std::string& Key) const;
    // Deletes the key with every key below it; false when there was none.
    bool DeleteKey(const std::string& Key);
    // The names of the open key's direct sub-keys.
    std::vector<std::string> GetKeyNames() const;

    bool ValueExists(const std::string& Name) const;
    std::string ReadString(const std::string& Name) const;
    int ReadInteger(const std::string& Name) const;
    bool ReadBool(const std::string& Name) const { return ReadInteger(Name) != 0; }
    std::vector<std::uint8_t> ReadBinaryData(const std::string& Name) const;
    void WriteString(const std::string& Name, const std::string& Value);
    void WriteInteger(const std::string& Name, int Value);
    void WriteBool(const std::string& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }
    void WriteBinaryData(const std::string& Name, const std::vector<std::uint8_t>& Value);

    // Raises EIniFileException when the file cannot be written.
    void Flush();

private:
    std::string Resolve(const std::string& Key) const;
    std::string ReadTyped(const std::string& Name, char Kind) const;
    void WriteTyped(const std::string& Name, char Kind, const std::string& Data);

    TMemIniFile FFile;
    std::string FCurrentKey;
    bool FOpen = false;
    bool FChanged = false;
};

} // namespace platform::core
