#pragma once
// A system-exclusive buffer as the driver sees it: a header and the data block it points to.
// Its user field is set by whoever queues it, to find the object again from the header.

#include "platform/core/object.h"
#include "platform/midi/midi_services.h"

#include <cstdint>
#include <vector>

namespace midi {

class TMyMidiHdr : public platform::core::TObject {
public:
    // A size of 0 makes no data block; such a header is refused by the driver.
    explicit TMyMidiHdr(std::uint16_t size);
    TMyMidiHdr(const TMyMidiHdr&) = delete;
    TMyMidiHdr& operator=(const TMyMidiHdr&) = delete;

    platform::midi::MIDIHDR* Header() { return &header_; }
    std::uint8_t* Data() { return data_.data(); }

private:
    std::vector<std::uint8_t> data_;
    platform::midi::MIDIHDR header_;
};

} // namespace midi
