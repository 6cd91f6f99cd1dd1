#pragma once
// What the input and the output port share in asking the driver about its devices; they
// differ only in which driver calls they make and where their numbering starts.

#include "platform/midi/midi_services.h"

#include <optional>
#include <string>

namespace midi {

using DriverErrorTextCall = platform::midi::MMRESULT (*)(platform::midi::MMRESULT, char*,
                                                         platform::midi::UINT);

// The driver's text for a result, through one of its error-text calls; "Specified error
// number is out of range" for one it does not know.
std::string DriverErrorText(DriverErrorTextCall call, platform::midi::MMRESULT code);

// The first id from first up to count whose device's product name is exactly name.
// capsOf(id) returns that device's capabilities and raises when the driver fails.
template <typename CapsOf>
std::optional<int> FindDeviceNamed(const std::string& name, int first, int count, CapsOf capsOf) {
    for (int id = first; id < count; ++id) {
        if (capsOf(id).szPname == name) return id;
    }
    return std::nullopt;
}

} // namespace midi
