// The Standard MIDI File reader of the preview. A refused file leaves no events; an accepted one
// gives complete messages in time order: channel messages of the right length with data bytes
// below 80H, and system-exclusive messages from F0 to F7. Reading the file and reading its bytes
// agree.

#include "fuzz/fuzz_world.h"
#include "model/preview/midi_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

bool WellFormed(const std::vector<std::uint8_t>& message) {
    if (message.empty()) return false;
    const std::uint8_t status = message.front();
    if (status == 0xF0) return message.size() >= 2 && message.back() == 0xF7;
    if (status < 0x80 || status > 0xEF) return false;
    const std::uint8_t kind = status & 0xF0;
    const std::size_t length = kind == 0xC0 || kind == 0xD0 ? 2 : 3;
    return message.size() == length &&
           std::all_of(message.begin() + 1, message.end(), [](auto b) { return b < 0x80; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fuzz;
    World& world = World::Get();
    const std::span<const std::uint8_t> bytes(data, size);

    model::TMidiFile fromBytes;
    const bool loaded = fromBytes.LoadFromBytes(bytes);
    if (!loaded) FUZZ_CHECK(fromBytes.Events().empty());
    platform::core::Millis last = 0;
    for (const model::TMidiFileEvent& event : fromBytes.Events()) {
        FUZZ_CHECK(WellFormed(event.Message));
        FUZZ_CHECK(event.Time >= last);
        last = event.Time;
    }

    const std::string path = world.Path("Input.Mid");
    World::WriteFile(path, bytes);
    model::TMidiFile fromFile;
    FUZZ_CHECK(fromFile.LoadFromFile(path) == loaded);
    FUZZ_CHECK(fromFile.Events().size() == fromBytes.Events().size());
    for (std::size_t i = 0; i < fromFile.Events().size(); ++i) {
        FUZZ_CHECK(fromFile.Events()[i].Time == fromBytes.Events()[i].Time);
        FUZZ_CHECK(fromFile.Events()[i].Message == fromBytes.Events()[i].Message);
    }
    return 0;
}
