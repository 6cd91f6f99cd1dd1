#pragma once
// One received MIDI event, handed to whoever reads it from the input port; it owns its copy of
// the system-exclusive bytes, so it stays valid whatever the port receives afterwards.

#include "platform/core/object.h"

#include <cstdint>
#include <vector>

namespace midi {

class TMyMidiEvent : public platform::core::TObject {
public:
    // F0 for a system-exclusive event.
    std::uint8_t Status = 0;
    std::uint8_t Data1 = 0;
    std::uint8_t Data2 = 0;
    // The driver's time stamp: milliseconds since input was started.
    std::uint32_t Time = 0;
    std::uint16_t SysexLength = 0;
    // Empty for a short message.
    std::vector<std::uint8_t> Sysex;
};

} // namespace midi
