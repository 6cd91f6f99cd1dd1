#pragma once
// The platform's section-and-key settings files ("[Section]" lines, then "Key=Value" lines), read
// and written as the platform does, so that files written on Windows serve unchanged:
// - A line ends at CR LF, LF or a CR alone. A section header is a line starting with '[': its
//   name ends at the first ']', and what follows that is ignored. A header without ']' still
//   opens its section, named by the rest of the line.
// - Section and key names are compared without case (ASCII letters) and may hold blanks.
//   Spaces around names are not part of them, in the file and in the names given here, but
//   tabs are; blanks around values are not part of them; a default loses its trailing spaces.
//   A value enclosed in a pair of matching quotes (" or ') reads without them. Only the first
//   section of a name counts, and in it only the first key of a name. Lines starting with ';' are
//   comments; lines without '=' are no keys.
// - A value with blanks at either end, or itself enclosed in a pair of quotes, is written enclosed
//   in double quotes, so that every value reads back as written.
// - A write changes only the line of its key (the text before the value is kept as it was);
//   a new key goes after the last non-blank line of its section, a new section right after the
//   file's last line. A line written, or followed by new lines, ends with a line break even
//   where it was the last line without one. Every other byte of the file stays as it was. New
//   lines end as the file's first line does (CR LF for a new file, as on Windows).
// - An object reads its file once and again only when the file changed on disk (its identity,
//   size or times), so that a long run of reads costs one read of the file, while several
//   objects on one file (and other programs) still see each other's writes. A missing or
//   unreadable file reads as empty: every read gives its default.
// - Every write lands whole or not at all (WriteFileAtomically). A write that fails raises
//   EIniFileException and leaves the file as it was; a file that exists but cannot be read is
//   not overwritten.

#include "platform/core/exception.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// Where a settings file named without a folder lives, our stand-in for the platform's folder:
// $QUINTARON_CONFIG_DIR when set (tests, or several instances kept apart), else
// $XDG_CONFIG_HOME/quintaron, else ~/.config/quintaron. The folder is created on the first write.
std::string SettingsFolder();

class TIniFile {
public:
    // A name without '/' or '\' lies in SettingsFolder() (taken at construction); any other name
    // is used as the path it is.
    explicit TIniFile(std::string fileName);

    // The name as given.
    const std::string& FileName() const { return fileName_; }
    // Where the file is read and written.
    const std::string& Path() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view def) const;
    // The value parsed as StrToIntDef does (decimal, $hex, 0x hex); def when it is missing or is
    // not such a number.
    int ReadInteger(std::string_view section, std::string_view ident, int def) const;
    // ReadInteger, nonzero being true.
    bool ReadBool(std::string_view section, std::string_view ident, bool def) const;

    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    // Decimal.
    void WriteInteger(std::string_view section, std::string_view ident, int value);
    // "1" or "0".
    void WriteBool(std::string_view section, std::string_view ident, bool value);

    // The key names of the first section of that name, in file order; none when there is no
    // such section.
    std::vector<std::string> ReadSection(std::string_view section) const;

private:
    // The file as last read, with what identified it on disk then.
    struct Snapshot;
    // The file as it is on disk now: the snapshot, read again when the file changed.
    const Snapshot& Current() const;

    std::string fileName_;
    std::string path_;
    mutable std::shared_ptr<const Snapshot> snapshot_;
};

} // namespace platform::core
