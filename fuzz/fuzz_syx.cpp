// ".Syx" loading for every element kind, in the normal and the import/export layout. The first
// byte chooses the kind (its value mod 7: patch, patch bank ... system) and the layout (its value
// div 7, odd: import/export); the rest is the file.
//
// A refused file leaves the element as it was. An accepted one has the element's size and
// framing, and writes back the same messages with the same data bytes, its headers, addresses and
// checksums rebuilt for the element; what is written loads and writes back unchanged.

#include "fuzz/file_checks.h"
#include "fuzz/fuzz_world.h"
#include "model/elements/element_factory.h"
#include "model/files/element_files.h"
#include "model/program/quintaron.h"
#include "platform/core/byte_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fuzz;
    if (size < 1) return 0;
    World& world = World::Get();
    const auto type = static_cast<std::int16_t>(data[0] % 7);
    const std::span<const std::uint8_t> file(data + 1, size - 1);
    world.state.ImportExportMode = data[0] / 7 % 2 == 1;

    auto elem = model::CreateElemByType(type, nullptr);
    FUZZ_CHECK(elem != nullptr);
    elem->Name = "Before";
    elem->SetName("Before", false);
    const Bytes before = RecordOf(*elem);

    const std::string path = world.Path("Input.Syx");
    World::WriteFile(path, file);
    world.dialogs.answer = path;
    world.dialogs.messages.clear();
    const bool loaded = elem->LoadSysExFile();

    if (!loaded) {
        FUZZ_CHECK(world.dialogs.messages.size() == 1);
        FUZZ_CHECK(world.dialogs.messages[0] == model::IncorrectSysExText);
        FUZZ_CHECK(elem->FileName == model::UntitledSysEx);
        FUZZ_CHECK(RecordOf(*elem) == before);
    } else {
        FUZZ_CHECK(world.dialogs.messages.empty());
        FUZZ_CHECK(elem->FileName == path);
        FUZZ_CHECK(file.size() == static_cast<std::size_t>(elem->ExpectedSysExSize()));
        const Bytes written = SysExOf(*elem);
        const auto messages = SplitDataSets(file);
        const auto writtenMessages = SplitDataSets(written);
        FUZZ_CHECK(messages && writtenMessages);
        FUZZ_CHECK(messages->size() == writtenMessages->size());
        for (std::size_t i = 0; i < messages->size(); ++i)
            FUZZ_CHECK((*messages)[i].length == (*writtenMessages)[i].length);
        CheckSameData(file, written, *messages, true);

        auto again = model::CreateElemByType(type, nullptr);
        platform::core::TByteReader reader(written);
        again->ReadSysEx(reader);
        FUZZ_CHECK(reader.Eof() && !reader.RanOut());
        FUZZ_CHECK(SysExOf(*again) == written);
    }
    world.state.ImportExportMode = false;
    return 0;
}
