#include "platform/core/mem_ini_file.h"

#include "platform/core/ini_names.h"

#include "platform/core/atomic_file.h"
#include "platform/core/byte_file.h"
#include "platform/core/text.h"

#include <algorithm>
#include <cstdint>

namespace platform::core {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string Unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// As TIniFile writes it: a value that would lose blanks or quotes on reading is quoted.
std::string Stored(const std::string& value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (!quoted && Trim(value) == value) return value;
    return "\"" + value + "\"";
}

} // namespace

TMemIniFile::TMemIniFile(std::string fileName)
    : path_(fileName.find_first_of("/\\") == std::string::npos ? SettingsFolder() + "/" + fileName
                                                               : fileName) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path_, bytes)) return;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    Section* current = nullptr;
    std::size_t i = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (i < text.size()) {
        std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(i, end - i);
        i = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        std::size_t start = 0;
        while (start < line.size() && IsBlank(line[start]))
            ++start;
        if (start == line.size() || line[start] == ';') continue;
        if (line[start] == '[') {
            // Without its ']' the header names its section by the rest of the line.
            const std::size_t close = line.find(']', start + 1);
            const std::string name = NameInFile(line.substr(
                start + 1, close == std::string_view::npos ? close : close - start - 1));
            // Only the first section of a name counts: later ones are read into nowhere.
            current = Find(name) ? nullptr : &Need(name);
            continue;
        }
        const std::size_t equals = line.find('=', start);
        if (equals == std::string_view::npos || current == nullptr) continue;
        std::string key = NameInFile(line.substr(0, equals));
        const bool known = std::any_of(current->values.begin(), current->values.end(),
                                       [&](const auto& v) { return SameText(v.first, key); });
        if (!known)
            current->values.emplace_back(std::move(key), Unquoted(Trim(line.substr(equals + 1))));
    }
}

const TMemIniFile::Section* TMemIniFile::Find(std::string_view section) const {
    const std::string name = NameFromCaller(section);
    for (const Section& s : sections_)
        if (SameText(s.name, name)) return &s;
    return nullptr;
}

TMemIniFile::Section& TMemIniFile::Need(std::string_view section) {
    if (const Section* found = Find(section)) return const_cast<Section&>(*found);
    sections_.push_back(Section{NameFromCaller(section), {}});
    return sections_.back();
}

bool TMemIniFile::SectionExists(std::string_view section) const {
    return Find(section) != nullptr;
}

bool TMemIniFile::ValueExists(std::string_view section, std::string_view ident) const {
    const Section* s = Find(section);
    if (!s) return false;
    const std::string key = NameFromCaller(ident);
    return std::any_of(s->values.begin(), s->values.end(),
                       [&](const auto& v) { return SameText(v.first, key); });
}

std::vector<std::string> TMemIniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_)
        names.push_back(s.name);
    return names;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view def) const {
    if (const Section* s = Find(section)) {
        const std::string key = NameFromCaller(ident);
        for (const auto& [name, value] : s->values)
            if (SameText(name, key)) return value;
    }
    while (!def.empty() && def.back() == ' ')
        def.remove_suffix(1);
    return std::string(def);
}

int TMemIniFile::ReadInteger(std::string_view section, std::string_view ident, int def) const {
    return StrToIntDef(ReadString(section, ident, ""), def);
}

bool TMemIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) const {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident,
                              std::string_view value) {
    Section& s = Need(section);
    const std::string key = NameFromCaller(ident);
    for (auto& [name, stored] : s.values)
        if (SameText(name, key)) {
            stored = std::string(value);
            return;
        }
    s.values.emplace_back(key, std::string(value));
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view ident, int value) {
    WriteString(section, ident, std::to_string(value));
}

void TMemIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TMemIniFile::AddSection(std::string_view section) {
    Need(section);
}

void TMemIniFile::EraseSection(std::string_view section) {
    const std::string name = NameFromCaller(section);
    std::erase_if(sections_, [&](const Section& s) { return SameText(s.name, name); });
}

void TMemIniFile::ClearSection(std::string_view section) {
    if (const Section* s = Find(section)) const_cast<Section&>(*s).values.clear();
}

void TMemIniFile::UpdateFile() const {
    std::string text;
    for (const Section& s : sections_) {
        text += "[" + s.name + "]\r\n";
        for (const auto& [name, value] : s.values)
            text += name + "=" + Stored(value) + "\r\n";
        text += "\r\n";
    }
    std::string error;
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!WriteFileAtomically(path_, {data, text.size()}, &error))
        throw EIniFileException("Unable to write to " + error);
}

} // namespace platform::core
