#include "midi/sysex_frame.h"

namespace midi {

std::uint8_t SysExChecksum(std::span<const std::uint8_t> message) {
    unsigned sum = 0;
    for (std::size_t i = 5; i + 2 < message.size(); ++i)
        sum += message[i];
    return static_cast<std::uint8_t>((128 - sum % 128) % 128);
}

} // namespace midi
