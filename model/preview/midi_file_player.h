#pragma once
// The media player of the MIDI-file preview: plays a Standard MIDI File through the configured
// MIDI output device, each message at its moment on the platform clock. It opens that device
// itself, so the program's own ports must be closed while it plays.

#include "model/preview/midi_file.h"
#include "platform/core/clock.h"

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>

namespace midi {
class TMidiOutput;
}
namespace platform::core {
class TTimer;
}

namespace model {

class TMidiFilePlayer {
public:
    TMidiFilePlayer();
    ~TMidiFilePlayer();
    TMidiFilePlayer(const TMidiFilePlayer&) = delete;
    TMidiFilePlayer& operator=(const TMidiFilePlayer&) = delete;

    std::string FileName;

    // Reads FileName and opens the output device of the settings; false, with nothing open,
    // when either fails.
    bool Open();
    // Plays from the start; false when not open.
    bool Play();
    // Stops where it is and releases the notes and the sustain still held.
    void Stop();
    // Stops and closes the output device.
    void Close();

    bool IsOpen() const { return output_ != nullptr; }
    // Between Play and the last message, or Stop.
    bool Playing() const;

private:
    void SendDue();
    void Send(const std::vector<std::uint8_t>& message);

    TMidiFile file_;
    std::unique_ptr<midi::TMidiOutput> output_;
    std::unique_ptr<platform::core::TTimer> timer_;
    platform::core::Millis start_ = 0;
    std::size_t next_ = 0;
    bool playing_ = false;
    // Channel and key of every note sounding, and the channels whose sustain is down.
    std::set<std::pair<std::uint8_t, std::uint8_t>> sounding_;
    std::array<bool, 16> sustained_{};
};

} // namespace model
