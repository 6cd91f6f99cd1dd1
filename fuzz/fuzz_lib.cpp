// ".Lib" loading through the open dialog. A refused file is told and leaves the library as it
// was. An accepted one replaces it; one loaded in part is told so; a file read to its end without
// running out writes back at its size, and what is written loads and writes back unchanged,
// element for element.

#include "fuzz/file_checks.h"
#include "fuzz/fuzz_world.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/files/element_files.h"
#include "platform/core/byte_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fuzz;
    World& world = World::Get();
    const std::span<const std::uint8_t> file(data, size);

    model::TLibrary library;
    library.Add(std::make_unique<model::TPatch>(nullptr)).SetName("Kept", false);
    library.Comment.Add("kept");
    library.FileName = world.Path("Old.Lib");
    library.Saved = false;
    const Bytes before = LibraryOf(library);

    const std::string path = world.Path("Input.Lib");
    World::WriteFile(path, file);
    world.dialogs.answer = path;
    world.dialogs.messages.clear();
    const bool loaded = library.OpenFile();

    if (!loaded) {
        FUZZ_CHECK(world.dialogs.messages.size() == 1);
        FUZZ_CHECK(world.dialogs.messages[0].starts_with(model::LibraryFileKind.LoadError));
        FUZZ_CHECK(library.FileName == world.Path("Old.Lib"));
        FUZZ_CHECK(LibraryOf(library) == before);
        return 0;
    }
    FUZZ_CHECK(library.FileName == path);
    FUZZ_CHECK(library.Saved);
    const Bytes written = LibraryOf(library);

    model::TLibrary direct;
    platform::core::TByteReader fileReader(file);
    const bool whole = direct.ReadLibrary(fileReader);
    FUZZ_CHECK(whole == !fileReader.RanOut());
    FUZZ_CHECK(world.dialogs.messages.size() == (whole ? 0u : 1u));
    FUZZ_CHECK(LibraryOf(direct) == written);
    if (whole) FUZZ_CHECK(written.size() == size);

    model::TLibrary again;
    platform::core::TByteReader reader(written);
    FUZZ_CHECK(again.ReadLibrary(reader));
    FUZZ_CHECK(reader.Eof() && !reader.RanOut());
    FUZZ_CHECK(again.Count() == library.Count());
    for (int i = 0; i < library.Count(); ++i)
        FUZZ_CHECK(again.Elem(i).Type == library.Elem(i).Type);
    FUZZ_CHECK(LibraryOf(again) == written);
    return 0;
}
