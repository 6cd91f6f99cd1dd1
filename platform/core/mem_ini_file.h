#pragma once
// A settings file held in memory: read whole when made, written back whole by UpdateFile. The
// lines are read as TIniFile reads them (sections, keys, blanks, quotes, comments, the three
// line breaks); only the first section of a name counts, and in it the first key of a name.
// Writing rebuilds the file from the sections: comments and blank lines do not survive, which
// is why only stores that own their sections use it (a bar manager's layout).
//
// A missing or unreadable file reads as empty; UpdateFile raises EIniFileException when the
// file cannot be written, leaving it as it was.

#include "platform/core/ini_file.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::core {

class TMemIniFile {
public:
    // A name without '/' or '\' lies in SettingsFolder(), as for TIniFile.
    explicit TMemIniFile(std::string fileName);

    const std::string& Path() const { return path_; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view ident) const;
    // Section names in file order.
    std::vector<std::string> ReadSections() const;
    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view def) const;
    // As TIniFile::ReadInteger.
    int ReadInteger(std::string_view section, std::string_view ident, int def) const;
    bool ReadBool(std::string_view section, std::string_view ident, bool def) const;

    // A write to a missing section adds the section at the end.
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view ident, int value);
    void WriteBool(std::string_view section, std::string_view ident, bool value);
    // Adds an empty section when there is none of that name.
    void AddSection(std::string_view section);
    void EraseSection(std::string_view section);
    // Every key of the section goes but the section stays.
    void ClearSection(std::string_view section);

    void UpdateFile() const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> values;
    };
    const Section* Find(std::string_view section) const;
    Section& Need(std::string_view section);

    std::string path_;
    std::vector<Section> sections_;
};

} // namespace platform::core
