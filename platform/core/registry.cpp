#include "platform/core/registry.h"

#include "platform/core/text.h"

#include <charconv>

namespace platform::core {

namespace {

// "a\\b\" and "\a\b" both become "a\b": empty key names are no keys.
std::string Normalised(const std::string& Path) {
    std::string result;
    std::size_t i = 0;
    while (i <= Path.size()) {
        std::size_t end = Path.find('\\', i);
        if (end == std::string::npos) end = Path.size();
        if (end > i) {
            if (!result.empty()) result += '\\';
            result += Path.substr(i, end - i);
        }
        i = end + 1;
    }
    return result;
}

bool IsBelowOrSame(const std::string& Section, const std::string& Key) {
    if (Section.size() < Key.size() || !SameText(Section.substr(0, Key.size()), Key)) return false;
    return Section.size() == Key.size() || Section[Key.size()] == '\\';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A line of the file ends at a line break, so a string holding one is kept escaped: "\n" for
// LF, "\r" for CR, "\\" for the backslash itself.
bool NeedsEscape(const std::string& Value) {
    return Value.find_first_of("\r\n") != std::string::npos;
}

std::string Escaped(const std::string& Value) {
    std::string Result;
    for (char c : Value) {
        if (c == '\\')
            Result += "\\\\";
        else if (c == '\n')
            Result += "\\n";
        else if (c == '\r')
            Result += "\\r";
        else
            Result += c;
    }
    return Result;
}

// Any other escape is the backslash and the character as they stand.
std::string Unescaped(const std::string& Data) {
    std::string Result;
    for (std::size_t i = 0; i < Data.size(); ++i) {
        if (Data[i] != '\\' || i + 1 == Data.size()) {
            Result += Data[i];
            continue;
        }
        const char Next = Data[++i];
        if (Next == 'n')
            Result += '\n';
        else if (Next == 'r')
            Result += '\r';
        else if (Next == '\\')
            Result += '\\';
        else
            Result.append({'\\', Next});
    }
    return Result;
}

} // namespace

TRegistry::TRegistry(std::string fileName) : FFile(std::move(fileName)) {}

TRegistry::~TRegistry() {
    try {
        Flush();
    } catch (const Exception&) {
        // A destructor cannot report it; Flush is there for callers who must know.
    }
}

void TRegistry::Flush() {
    if (!FChanged) return;
    FFile.UpdateFile();
    FChanged = false;
}

std::string TRegistry::Resolve(const std::string& Key) const {
    if (!Key.empty() && Key.front() == '\\') return Normalised(Key);
    return Normalised(FCurrentKey + "\\" + Key);
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
    const std::string Path = Resolve(Key);
    if (Path.empty()) return false;
    if (!FFile.SectionExists(Path)) {
        if (!CanCreate) return false;
        // Every key on the way exists as a section of its own, so that listing finds it.
        for (std::size_t i = Path.find('\\'); i != std::string::npos; i = Path.find('\\', i + 1))
            FFile.AddSection(Path.substr(0, i));
        FFile.AddSection(Path);
        FChanged = true;
    }
    FCurrentKey = Path;
    FOpen = true;
    return true;
}

bool TRegistry::KeyExists(const std::string& Key) const {
    const std::string Path = Resolve(Key);
    return !Path.empty() && FFile.SectionExists(Path);
}

bool TRegistry::DeleteKey(const std::string& Key) {
    const std::string Path = Resolve(Key);
    if (Path.empty() || !FFile.SectionExists(Path)) return false;
    for (const std::string& Section : FFile.ReadSections())
        if (IsBelowOrSame(Section, Path)) FFile.EraseSection(Section);
    FChanged = true;
    return true;
}

std::vector<std::string> TRegistry::GetKeyNames() const {
    std::vector<std::string> Names;
    if (!FOpen) return Names;
    for (const std::string& Section : FFile.ReadSections()) {
        if (!IsBelowOrSame(Section, FCurrentKey) || Section.size() == FCurrentKey.size()) continue;
        const std::string Rest = Section.substr(FCurrentKey.size() + 1);
        if (Rest.find('\\') == std::string::npos) Names.push_back(Rest);
    }
    return Names;
}

bool TRegistry::ValueExists(const std::string& Name) const {
    return FOpen && FFile.ValueExists(FCurrentKey, Name);
}

std::string TRegistry::ReadTyped(const std::string& Name, char Kind) const {
    const std::string Raw = FOpen ? FFile.ReadString(FCurrentKey, Name, "") : std::string();
    if (Raw.size() < 2 || Raw[0] != Kind || Raw[1] != ':')
        throw ERegistryException("Invalid data type for '" + Name + "'");
    return Raw.substr(2);
}

void TRegistry::WriteTyped(const std::string& Name, char Kind, const std::string& Data) {
    if (!FOpen) throw ERegistryException("Failed to set data for '" + Name + "'");
    FFile.WriteString(FCurrentKey, Name, std::string{Kind, ':'} + Data);
    FChanged = true;
}

std::string TRegistry::ReadString(const std::string& Name) const {
    if (FOpen && FFile.ReadString(FCurrentKey, Name, "").starts_with("m:"))
        return Unescaped(ReadTyped(Name, 'm'));
    return ReadTyped(Name, 's');
}

int TRegistry::ReadInteger(const std::string& Name) const {
    const std::string Data = ReadTyped(Name, 'i');
    int Value = 0;
    const auto [End, Error] = std::from_chars(Data.data(), Data.data() + Data.size(), Value);
    if (Error != std::errc() || End != Data.data() + Data.size())
        throw ERegistryException("Invalid data type for '" + Name + "'");
    return Value;
}

std::vector<std::uint8_t> TRegistry::ReadBinaryData(const std::string& Name) const {
    const std::string Data = ReadTyped(Name, 'b');
    if (Data.size() % 2 != 0) throw ERegistryException("Invalid data type for '" + Name + "'");
    std::vector<std::uint8_t> Bytes;
    for (std::size_t i = 0; i < Data.size(); i += 2) {
        const int High = HexDigit(Data[i]);
        const int Low = HexDigit(Data[i + 1]);
        if (High < 0 || Low < 0) throw ERegistryException("Invalid data type for '" + Name + "'");
        Bytes.push_back(static_cast<std::uint8_t>(High * 16 + Low));
    }
    return Bytes;
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
    // Strings without a line break stay as they were always written, escapes and all.
    if (NeedsEscape(Value))
        WriteTyped(Name, 'm', Escaped(Value));
    else
        WriteTyped(Name, 's', Value);
}

void TRegistry::WriteInteger(const std::string& Name, int Value) {
    WriteTyped(Name, 'i', std::to_string(Value));
}

void TRegistry::WriteBinaryData(const std::string& Name, const std::vector<std::uint8_t>& Value) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string Data;
    for (std::uint8_t Byte : Value) {
        Data += Digits[Byte >> 4];
        Data += Digits[Byte & 15];
    }
    WriteTyped(Name, 'b', Data);
}

} // namespace platform::core
