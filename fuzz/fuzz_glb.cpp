// ".Glb" loading. A refused file leaves the global set as it was. An accepted one is one global
// set's record; it writes back at the same size with the same data in every message, and what is
// written loads and writes back unchanged.

#include "fuzz/file_checks.h"
#include "fuzz/fuzz_world.h"
#include "model/elements/global.h"
#include "model/elements/system.h"
#include "model/files/element_files.h"
#include "platform/core/byte_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fuzz;
    World& world = World::Get();
    const std::span<const std::uint8_t> file(data, size);

    // Where a global set's record holds its messages; the layout has no other.
    static const std::vector<DataSetAt> layout = [] {
        model::TGlobal fresh(nullptr);
        return FindDataSets(RecordOf(fresh));
    }();

    model::TGlobal global(nullptr);
    global.Name = "Before";
    global.System().Common->Data()[1] = 0x33;
    const Bytes before = RecordOf(global);

    const std::string path = world.Path("Input.Glb");
    World::WriteFile(path, file);
    world.dialogs.answer = path;
    world.dialogs.messages.clear();
    const bool loaded = global.LoadGlobalFile();

    if (!loaded) {
        FUZZ_CHECK(world.dialogs.messages.size() == 1);
        FUZZ_CHECK(world.dialogs.messages[0] == model::GlobalFileKind.LoadError);
        FUZZ_CHECK(global.FileName == model::UntitledGlobal);
        FUZZ_CHECK(RecordOf(global) == before);
        return 0;
    }
    FUZZ_CHECK(world.dialogs.messages.empty());
    FUZZ_CHECK(global.FileName == path);
    FUZZ_CHECK(size == model::GlobalFileSize);
    const Bytes written = RecordOf(global);
    CheckSameData(file, written, layout, false);

    model::TGlobal again(nullptr);
    platform::core::TByteReader reader(written);
    FUZZ_CHECK(reader.ReadI16() == model::etGlobal);
    again.ReadRecord(reader);
    FUZZ_CHECK(reader.Eof() && !reader.RanOut());
    FUZZ_CHECK(RecordOf(again) == written);
    return 0;
}
