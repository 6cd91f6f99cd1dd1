#include "midi/midi_header.h"

namespace midi {

TMyMidiHdr::TMyMidiHdr(std::uint16_t size) : data_(size) {
    if (size > 0) {
        header_.lpData = data_.data();
        header_.dwBufferLength = size;
    }
}

} // namespace midi
