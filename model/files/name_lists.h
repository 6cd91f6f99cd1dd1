#pragma once
// The name lists by which the editor pages show and choose waves, patches and performances: the
// fixed lists shipped as "Names.Txt" and the instrument's user and card names kept in
// "UserCard.Txt", both in the data folder. Both files are 8-bit text, one entry a line; a line
// whose first byte is C7H ends a list and moves to the next list number, an empty line counts
// for nothing. A missing file reads as empty lists.

#include "platform/core/string_list.h"

#include <array>
#include <string>
#include <vector>

namespace model {

inline constexpr const char* NamesFileName = "Names.Txt";
inline constexpr const char* UserCardFileName = "UserCard.Txt";
inline constexpr char NameListSeparator = '\xC7';

// Lists 1..65; "Names.Txt" fills 1..58, so that the lists of "UserCard.Txt" follow from 59 on.
inline constexpr int NameListCount = 65;
inline constexpr int FixedNameListCount = 58;

// The four lists of "UserCard.Txt", in file order; list 59 onwards in the same order.
enum class TUserCardList { CardPerformances, UserPerformances, UserPatches, CardPatches };
inline constexpr int UserCardListCount = 4;

// The list that takes the names of a patch bank or a performance bank of user or card memory.
TUserCardList PatchNameList(bool userMemory);
TUserCardList PerformanceNameList(bool userMemory);

// name as "UserCard.Txt" holds it, so that it reads back as one entry at its place: control
// characters as blanks, and a blank before an empty name or one that starts with the separator
// byte.
std::string WritableName(std::string name);

// Where the name-list files live: the data folder; empty when it is unknown.
std::string NameListPath(const std::string& fileName);

// The 65 lists that the name chooser offers.
class TNameLists {
public:
    TNameLists();

    // Clears every list, then reads "Names.Txt" and "UserCard.Txt". The lines of "UserCard.Txt"
    // go on from one above the list number reached at the end of "Names.Txt" (59 for the shipped
    // file, and for a missing one). Raises the file error of a file that exists but cannot be read.
    void Load();

    // List 1..NameListCount.
    const platform::core::TStringList& List(int number) const;

private:
    std::vector<platform::core::TStringList> lists_;
};

// The instrument's names of user and card patches and performances, as fetched from it or
// brought along by bank transfers.
class TUserCardNames {
public:
    // Clears the four lists and reads them from "UserCard.Txt".
    void Load();
    // Writes "UserCard.Txt": each list, one name a line (control characters as blanks),
    // followed by a separator line. The file that was there stays whole when writing fails,
    // which raises "Unable to Write UserCard.Txt".
    void Save() const;

    platform::core::TStringList& List(TUserCardList which);
    const platform::core::TStringList& List(TUserCardList which) const;
    // Replaces entry index, or appends the name when the list is shorter.
    void SetName(TUserCardList which, int index, const std::string& name);

private:
    std::array<platform::core::TStringList, UserCardListCount> lists_;
};

// The "Names.Txt" shipped until the instrument's own names are supplied, with the list layout
// that the editor pages index and numbered entries:
//   1, 2        internal wave groups A and B: "Int-A 001" .. "Int-A 256", "Int-B ..."
//   2b+1, 2b+2  expansion board b = 1..17: waves "Exp01 W 001" .. (256), patches "Exp01 P 001" ..
//   37..40      preset patch groups A, B, C and GM: "Preset A 001" .. "GM 128" (128 each)
//   2c+39, 2c+40  PCM card c = 1..8: waves "PCM1 W 001" .. (256), patches "PCM1 P 001" .. (128)
//   57, 58      preset performance groups A and B: "Perf A 01" .. "Perf B 32" (32 each)
// Expansion board patch lists hold 128 entries, like the other patch lists. Lists are separated
// by a separator line; the last list has none, so that reading ends at list 58.
std::string DefaultNamesText();

// Puts the shipped "Names.Txt" into the data folder unless a file of that name is there
// already (a user's own names are kept). False when it could not be written.
bool InstallNamesFile();

} // namespace model
