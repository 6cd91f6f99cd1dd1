// The name-list files. The first two bytes (little-endian, modulo what follows) give the length
// of "Names.Txt"; the rest is "UserCard.Txt". Every entry read is a whole line that is neither
// empty nor a separator, and no more entries are read than the files hold. The user and card
// names save and load back as written (control characters as blanks), each at its place, and
// saving them again changes no byte.

#include "fuzz/fuzz_world.h"
#include "model/files/name_lists.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

bool IsEntry(const std::string& line) {
    return !line.empty() && line.front() != model::NameListSeparator &&
           line.find_first_of("\r\n") == std::string::npos;
}

std::size_t LineCount(std::span<const std::uint8_t> bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) +
           static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')) + 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fuzz;
    if (size < 2) return 0;
    World& world = World::Get();
    const std::size_t split = (data[0] | std::size_t{data[1]} << 8) % (size - 1);
    const std::span<const std::uint8_t> names(data + 2, split);
    const std::span<const std::uint8_t> userCard(data + 2 + split, size - 2 - split);
    const std::string userCardPath = world.DataFolder() + "/" + model::UserCardFileName;
    World::WriteFile(world.DataFolder() + "/" + model::NamesFileName, names);
    World::WriteFile(userCardPath, userCard);

    model::TNameLists lists;
    lists.Load();
    std::size_t entries = 0;
    for (int number = 1; number <= model::NameListCount; ++number) {
        for (const std::string& entry : lists.List(number))
            FUZZ_CHECK(IsEntry(entry));
        entries += static_cast<std::size_t>(lists.List(number).Count());
    }
    FUZZ_CHECK(entries <= LineCount(names) + LineCount(userCard));

    model::TUserCardNames userCardNames;
    userCardNames.Load();
    for (int which = 0; which < model::UserCardListCount; ++which)
        for (const std::string& entry :
             userCardNames.List(static_cast<model::TUserCardList>(which)))
            FUZZ_CHECK(IsEntry(entry));
    userCardNames.Save();
    const Bytes saved = World::ReadFile(userCardPath);
    model::TUserCardNames reloaded;
    reloaded.Load();
    for (int which = 0; which < model::UserCardListCount; ++which) {
        const auto list = static_cast<model::TUserCardList>(which);
        FUZZ_CHECK(reloaded.List(list).Count() == userCardNames.List(list).Count());
        for (int i = 0; i < reloaded.List(list).Count(); ++i)
            FUZZ_CHECK(reloaded.List(list)[i] == model::WritableName(userCardNames.List(list)[i]));
    }
    reloaded.Save();
    FUZZ_CHECK(World::ReadFile(userCardPath) == saved);
    return 0;
}
