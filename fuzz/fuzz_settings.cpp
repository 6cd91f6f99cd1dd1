// The settings file. Loading reads it without changing it and keeps every setting in its range;
// saving what was loaded writes settings that load back the same, and saving them again changes
// no byte of the file.

#include "fuzz/fuzz_world.h"
#include "model/program/config.h"
#include "platform/core/ini_file.h"

#include <cstddef>
#include <cstdint>

namespace {

bool SameSettings(const model::TConfig& a, const model::TConfig& b) {
    return a.Thrue == b.Thrue && a.DeviceID == b.DeviceID && a.InPort == b.InPort &&
           a.OutPort == b.OutPort && a.ExpA == b.ExpA && a.ExpB == b.ExpB && a.ExpC == b.ExpC &&
           a.ExpD == b.ExpD && a.PCMCard == b.PCMCard &&
           a.DataCardInstalled == b.DataCardInstalled && a.SingleNote == b.SingleNote &&
           a.PreviewNote == b.PreviewNote && a.PreviewVelocity == b.PreviewVelocity &&
           a.MidiFile == b.MidiFile;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fuzz;
    World& world = World::Get();
    const std::span<const std::uint8_t> file(data, size);
    const std::string path = world.SettingsFolder() + "/" + model::SettingsFileName;
    World::WriteFile(path, file);
    FUZZ_CHECK(platform::core::TIniFile(model::SettingsFileName).Path() == path);

    model::TConfig loaded;
    loaded.Load();
    FUZZ_CHECK(World::ReadFile(path) == Bytes(file.begin(), file.end()));
    FUZZ_CHECK(loaded.DeviceID >= 1 && loaded.DeviceID <= 128);
    FUZZ_CHECK(loaded.PreviewNote >= 0 && loaded.PreviewNote <= 127);
    FUZZ_CHECK(loaded.PreviewVelocity >= 0 && loaded.PreviewVelocity <= 127);

    FUZZ_CHECK(loaded.Save());
    const Bytes saved = World::ReadFile(path);
    model::TConfig reloaded;
    reloaded.Load();
    FUZZ_CHECK(SameSettings(loaded, reloaded));

    FUZZ_CHECK(reloaded.Save());
    FUZZ_CHECK(World::ReadFile(path) == saved);
    return 0;
}
