#include "platform/core/ini_file.h"

#include "platform/core/ini_names.h"

#include "platform/core/atomic_file.h"
#include "platform/core/byte_file.h"
#include "platform/core/folders.h"
#include "platform/core/text.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace platform::core {

namespace {

struct Line {
    std::string text; // without its line break
    std::string eol;  // "\r\n", "\n", "\r", or empty for a last line without a break
};

struct File {
    std::vector<Line> lines;
    std::string eol = "\r\n"; // for new lines: the file's own
};

// A line ends at CR LF, at LF, or at a CR alone, as the platform reads a file edited elsewhere.
File Split(std::string_view bytes) {
    File file;
    bool eolKnown = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t end = bytes.find_first_of("\r\n", i);
        Line line;
        if (end == std::string_view::npos) {
            line.text = bytes.substr(i);
            i = bytes.size();
        } else {
            line.text = bytes.substr(i, end - i);
            const bool crLf = bytes.substr(end, 2) == "\r\n";
            const std::string_view eol = bytes.substr(end, crLf ? 2 : 1);
            // Built, not assigned: GCC 12 at -O3 reports a false overlap when a string_view is
            // assigned to the already-filled eol, and warnings fail the optimised build.
            line.eol = std::string(eol);
            i = end + eol.size();
            if (!eolKnown) {
                file.eol = std::string(eol);
                eolKnown = true;
            }
        }
        file.lines.push_back(std::move(line));
    }
    return file;
}

std::string Join(const File& file) {
    std::string bytes;
    for (const Line& line : file.lines)
        bytes += line.text + line.eol;
    return bytes;
}

enum class Kind { Other, Section, Key };

struct Entry {
    Kind kind = Kind::Other;
    std::string name;
    std::size_t valueStart = 0; // keys: where the value begins in the line
};

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

Entry Classify(std::string_view text, bool firstLine) {
    Entry entry;
    // A byte order mark that an editor put before the first line.
    const std::size_t begin = firstLine && text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    std::size_t start = begin;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    if (start == text.size() || text[start] == ';') return entry;
    // The name ends at the first ']'; whatever follows it is ignored. Without a ']' the rest of
    // the line is the name: the header still opens its section.
    if (text[start] == '[') {
        const std::size_t close = text.find(']', start + 1);
        entry.kind = Kind::Section;
        entry.name = NameInFile(text.substr(start + 1, close == std::string_view::npos
                                                           ? std::string_view::npos
                                                           : close - start - 1));
        return entry;
    }
    const std::size_t equals = text.find('=', start);
    if (equals == std::string_view::npos) return entry;
    entry.kind = Kind::Key;
    entry.name = NameInFile(text.substr(begin, equals - begin));
    entry.valueStart = equals + 1;
    while (entry.valueStart < text.size() && IsBlank(text[entry.valueStart]))
        ++entry.valueStart;
    return entry;
}

std::string ValueOf(std::string_view text, const Entry& entry) {
    std::string value = Trim(text.substr(entry.valueStart));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

// A value with blanks at either end, or enclosed in a pair of matching quotes, would read back
// without them; enclosed in double quotes it reads back as given, here and on the platform.
std::string StoredValue(std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (!quoted && Trim(value) == value) return std::string(value);
    return "\"" + std::string(value) + "\"";
}

// The default as the platform gives it: without its trailing spaces (leading ones stay).
std::string_view WithoutTrailingSpaces(std::string_view def) {
    while (!def.empty() && def.back() == ' ')
        def.remove_suffix(1);
    return def;
}

// Lines of the first section named section: its header, the first key named ident in it, and
// its last non-blank line. -1 where there is none. Names are given trimmed (NameFromCaller).
struct Place {
    int section = -1;
    int key = -1;
    int last = -1;
};

Place Find(const File& file, std::string_view section, std::string_view ident) {
    Place place;
    for (int i = 0; i < static_cast<int>(file.lines.size()); ++i) {
        const std::string& text = file.lines[static_cast<std::size_t>(i)].text;
        const Entry entry = Classify(text, i == 0);
        if (entry.kind == Kind::Section) {
            if (place.section >= 0) break;
            if (SameText(entry.name, section)) place.section = place.last = i;
        } else if (place.section >= 0) {
            if (!Trim(text).empty()) place.last = i;
            if (entry.kind == Kind::Key && SameText(entry.name, ident)) {
                place.key = i;
                break;
            }
        }
    }
    return place;
}

// The file's lines; a missing file has none. False when it exists but cannot be read; error
// then tells why.
bool Load(const std::string& path, File& file, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, &error)) {
        file = File{};
        std::error_code statError;
        return !std::filesystem::exists(path, statError) && !statError;
    }
    file = Split(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return true;
}

// What tells one state of the file on disk from another. An atomic save gives the file a new
// identity, and every write changes its times; a file that is missing or cannot be looked at is
// told apart from any that exists.
struct DiskState {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modified = 0; // nanoseconds
    std::int64_t changed = 0;

    bool operator==(const DiskState&) const = default;
};

DiskState StateOnDisk(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    const auto nanos = [](const timespec& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
    };
    return {true, info.st_dev, info.st_ino, info.st_size, nanos(info.st_mtim), nanos(info.st_ctim)};
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return ".";
}

} // namespace

struct TIniFile::Snapshot {
    DiskState state;
    File file;
    // False when the file exists but could not be read: it is not to be overwritten.
    bool readable = true;
    std::string error;
};

std::string SettingsFolder() {
    if (const char* dir = std::getenv("QUINTARON_CONFIG_DIR"); dir && *dir) return dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        return std::string(xdg) + "/quintaron";
    return HomeFolder() + "/.config/quintaron";
}

TIniFile::TIniFile(std::string fileName)
    : fileName_(std::move(fileName)),
      path_(fileName_.find_first_of("/\\") == std::string::npos ? SettingsFolder() + "/" + fileName_
                                                                : fileName_) {}

const TIniFile::Snapshot& TIniFile::Current() const {
    // Looked at before reading: a change while reading shows at the next look.
    const DiskState state = StateOnDisk(path_);
    if (snapshot_ && snapshot_->state == state) return *snapshot_;
    auto fresh = std::make_shared<Snapshot>();
    fresh->state = state;
    fresh->readable = Load(path_, fresh->file, fresh->error);
    snapshot_ = std::move(fresh);
    return *snapshot_;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    const File& file = Current().file;
    const std::string name = NameFromCaller(section);
    std::vector<std::string> keys;
    bool inside = false;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const Entry entry = Classify(file.lines[i].text, i == 0);
        if (entry.kind == Kind::Section) {
            if (inside) break;
            inside = SameText(entry.name, name);
        } else if (inside && entry.kind == Kind::Key) {
            keys.push_back(entry.name);
        }
    }
    return keys;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view ident,
                                 std::string_view def) const {
    const File& file = Current().file;
    const Place place = Find(file, NameFromCaller(section), NameFromCaller(ident));
    if (place.key < 0) return std::string(WithoutTrailingSpaces(def));
    const std::string& text = file.lines[static_cast<std::size_t>(place.key)].text;
    return ValueOf(text, Classify(text, place.key == 0));
}

int TIniFile::ReadInteger(std::string_view section, std::string_view ident, int def) const {
    return StrToIntDef(ReadString(section, ident, ""), def);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) const {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view ident,
                           std::string_view value) {
    // A copy: the snapshot stays as the disk holds it until the write has landed.
    const Snapshot& current = Current();
    if (!current.readable) throw EIniFileException("Unable to write to " + current.error);
    File file = current.file;
    std::string error;

    const std::string sectionName = NameFromCaller(section);
    const std::string keyName = NameFromCaller(ident);
    const Place place = Find(file, sectionName, keyName);
    auto& lines = file.lines;
    // A line that is written, or that new lines follow, ends with a line break even where it was
    // the file's last line without one.
    const auto endLine = [&](int index) {
        if (index >= 0 && lines[static_cast<std::size_t>(index)].eol.empty())
            lines[static_cast<std::size_t>(index)].eol = file.eol;
    };
    const auto insertAfter = [&](int index, std::vector<Line> added) {
        endLine(index);
        lines.insert(lines.begin() + (index + 1), added.begin(), added.end());
    };
    const std::string stored = StoredValue(value);
    const std::string keyLine = keyName + "=" + stored;
    if (place.key >= 0) {
        Line& line = lines[static_cast<std::size_t>(place.key)];
        line.text = line.text.substr(0, Classify(line.text, place.key == 0).valueStart) + stored;
        endLine(place.key);
    } else if (place.section >= 0) {
        insertAfter(place.last, {{keyLine, file.eol}});
    } else {
        // Right after the file's last line, blank or not, as the platform appends it.
        insertAfter(static_cast<int>(lines.size()) - 1,
                    {{"[" + sectionName + "]", file.eol}, {keyLine, file.eol}});
    }

    const std::string folder = ExtractFileDir(path_);
    if (!folder.empty() && !ForceDirectories(folder))
        throw EIniFileException("Unable to write to " + path_ + ": cannot create the folder " +
                                folder);
    const std::string bytes = Join(file);
    if (!WriteFileAtomically(
            path_, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
            &error))
        throw EIniFileException("Unable to write to " + error);
    auto written = std::make_shared<Snapshot>();
    written->state = StateOnDisk(path_);
    written->file = std::move(file);
    snapshot_ = std::move(written);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view ident, int value) {
    WriteString(section, ident, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

} // namespace platform::core
