#pragma once
// A Standard MIDI File of format 0 or 1, read into one list of the messages to play and the
// moment each is due. Tempo changes (of any track) and the file's time division decide the
// moments; running status is resolved, so every message stands complete. Meta events are
// skipped; a system-exclusive message is kept once it is complete (a message split into
// packets is joined), escaped packets are skipped.

#include "platform/core/clock.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace model {

struct TMidiFileEvent {
    // Milliseconds from the start of the file.
    platform::core::Millis Time = 0;
    // A channel message (2 or 3 bytes), or a system-exclusive message F0 .. F7.
    std::vector<std::uint8_t> Message;
};

class TMidiFile {
public:
    // False, leaving no events, when the file cannot be read or is not a whole Standard MIDI File
    // of format 0 or 1.
    bool LoadFromFile(const std::string& path);
    bool LoadFromBytes(std::span<const std::uint8_t> bytes);
    void Clear() { events_.clear(); }

    // In time order; messages due together keep the order of their tracks, track 1 first.
    const std::vector<TMidiFileEvent>& Events() const { return events_; }

private:
    std::vector<TMidiFileEvent> events_;
};

} // namespace model
