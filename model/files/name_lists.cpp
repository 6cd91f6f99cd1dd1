#include "model/files/name_lists.h"

#include "model/files/data_folders.h"
#include "platform/core/atomic_file.h"
#include "platform/core/exception.h"
#include "platform/core/folders.h"

#include <functional>
#include <optional>

namespace model {

namespace {

using platform::core::TStringList;

// Hands each entry of the file to add with its list number, starting at number; the number
// reached at the end, or nothing when there is no such file.
std::optional<int> ReadListFile(const std::string& fileName, int number,
                                const std::function<void(int, const std::string&)>& add) {
    const std::string path = NameListPath(fileName);
    if (!platform::core::FileExists(path)) return std::nullopt;
    TStringList lines;
    lines.LoadFromFile(path);
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        if (line.front() == NameListSeparator) {
            ++number;
            continue;
        }
        add(number, line);
    }
    return number;
}

} // namespace

std::string WritableName(std::string name) {
    for (char& ch : name)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == '\x7F') ch = ' ';
    // An empty line would be skipped and a leading separator byte would end the list: either
    // would move every later name up one place.
    if (name.empty() || name.front() == NameListSeparator) name.insert(name.begin(), ' ');
    return name;
}

namespace {

std::string Numbered(const std::string& prefix, int n, int digits) {
    std::string number = std::to_string(n);
    if (static_cast<int>(number.size()) < digits)
        number.insert(0, static_cast<std::size_t>(digits) - number.size(), '0');
    return prefix + number;
}

struct ShippedList {
    std::string Prefix;
    int Count;
    int Digits;
};

constexpr int WaveCount = 256;
constexpr int PatchCount = 128;
constexpr int PerformanceCount = 32;
constexpr int ExpansionBoards = 17;
constexpr int PcmCards = 8;

ShippedList ShippedListOf(int number) {
    if (number == 1) return {"Int-A ", WaveCount, 3};
    if (number == 2) return {"Int-B ", WaveCount, 3};
    if (number <= 2 * ExpansionBoards + 2) {
        const int board = (number - 1) / 2;
        const bool waves = number % 2 == 1;
        return {Numbered("Exp", board, 2) + (waves ? " W " : " P "), waves ? WaveCount : PatchCount,
                3};
    }
    if (number == 37) return {"Preset A ", PatchCount, 3};
    if (number == 38) return {"Preset B ", PatchCount, 3};
    if (number == 39) return {"Preset C ", PatchCount, 3};
    if (number == 40) return {"GM ", PatchCount, 3};
    if (number <= 2 * PcmCards + 40) {
        const int card = (number - 39) / 2;
        const bool waves = number % 2 == 1;
        return {"PCM" + std::to_string(card) + (waves ? " W " : " P "),
                waves ? WaveCount : PatchCount, 3};
    }
    if (number == 57) return {"Perf A ", PerformanceCount, 2};
    return {"Perf B ", PerformanceCount, 2};
}

} // namespace

TUserCardList PatchNameList(bool userMemory) {
    return userMemory ? TUserCardList::UserPatches : TUserCardList::CardPatches;
}

TUserCardList PerformanceNameList(bool userMemory) {
    return userMemory ? TUserCardList::UserPerformances : TUserCardList::CardPerformances;
}

std::string NameListPath(const std::string& fileName) {
    const std::string folder = GetDefaultDataFolder();
    if (folder.empty()) return {};
    return platform::core::IncludeTrailingPathDelimiter(folder) + fileName;
}

TNameLists::TNameLists() : lists_(NameListCount) {}

void TNameLists::Load() {
    for (TStringList& list : lists_)
        list.Clear();
    auto add = [this](int number, const std::string& entry) {
        if (number >= 1 && number <= NameListCount) lists_[number - 1].Add(entry);
    };
    const int reached = ReadListFile(NamesFileName, 1, add).value_or(FixedNameListCount);
    ReadListFile(UserCardFileName, reached + 1, add);
}

const TStringList& TNameLists::List(int number) const {
    return lists_.at(static_cast<std::size_t>(number - 1));
}

void TUserCardNames::Load() {
    for (TStringList& list : lists_)
        list.Clear();
    ReadListFile(UserCardFileName, 0, [this](int number, const std::string& entry) {
        if (number >= 0 && number < UserCardListCount) lists_[number].Add(entry);
    });
}

void TUserCardNames::Save() const {
    TStringList lines;
    for (const TStringList& list : lists_) {
        for (const std::string& name : list)
            lines.Add(WritableName(name));
        lines.Add(std::string(1, NameListSeparator));
    }
    std::string error;
    if (!platform::core::WriteTextFileAtomically(NameListPath(UserCardFileName), lines.Text(),
                                                 &error))
        throw platform::core::Exception("Unable to Write UserCard.Txt: " + error);
}

TStringList& TUserCardNames::List(TUserCardList which) {
    return lists_[static_cast<std::size_t>(which)];
}

const TStringList& TUserCardNames::List(TUserCardList which) const {
    return lists_[static_cast<std::size_t>(which)];
}

void TUserCardNames::SetName(TUserCardList which, int index, const std::string& name) {
    TStringList& list = List(which);
    if (index >= 0 && index < list.Count())
        list.SetStrings(index, name);
    else
        list.Add(name);
}

std::string DefaultNamesText() {
    TStringList lines;
    for (int number = 1; number <= FixedNameListCount; ++number) {
        if (number > 1) lines.Add(std::string(1, NameListSeparator));
        const ShippedList list = ShippedListOf(number);
        for (int n = 1; n <= list.Count; ++n)
            lines.Add(Numbered(list.Prefix, n, list.Digits));
    }
    return lines.Text();
}

bool InstallNamesFile() {
    const std::string path = NameListPath(NamesFileName);
    if (platform::core::FileExists(path)) return true;
    TStringList text;
    text.SetText(DefaultNamesText());
    try {
        text.SaveToFile(path);
    } catch (const platform::core::Exception&) {
        return false;
    }
    return true;
}

} // namespace model
