#pragma once
// The MIDI monitor's lines: one message as hexadecimal text.

#include "midi/midi_event.h"

#include <cstdint>
#include <span>
#include <string>

namespace app {

// A blank, then every byte of the message as two uppercase hexadecimal digits and a blank:
// " F0 41 10 ... F7 ".
std::string MonitorMessageLine(std::span<const std::uint8_t> bytes);
// Status, first and second data byte, each as two uppercase hexadecimal digits, separated by
// single blanks: "90 3C 40".
std::string MonitorMidiLine(const midi::TMyMidiEvent& event);

} // namespace app
