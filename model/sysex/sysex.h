#pragma once
// The instrument's system-exclusive messages (midi/sysex_frame.h): F0 id dev model cmd a3 a2 a1 a0
// body sum F7. Every send first waits 50 ms on the platform clock, whether or not the MIDI ports
// are open, since the instrument takes no more than one message per 50 ms; the message has reached
// the output before the send returns. No byte of 80H or more goes out inside a message: a
// data byte of 80H or more refuses the whole message (a debug assertion and a line on the error
// output), an address or device byte is cut to its low 7 bits.

#include "midi/sysex_frame.h"
#include "model/sysex/address_map.h"

#include <cstdint>
#include <span>

namespace midi {
class TMyMidiEvent;
}

namespace model {

inline constexpr std::uint8_t SysExDataSet = 0x12;
inline constexpr std::uint8_t SysExDataRequest = 0x11;
inline constexpr std::uint32_t SysExPacingMs = 50;

// Data set of data at base + offset1 + offset2.
void SendDT1(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
             std::span<const std::uint8_t> data);
void SendDT1Byte(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
                 std::uint8_t value);
// Data request; size is s3 s2 s1 s0.
void SendRQ1(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
             std::span<const std::uint8_t> size);

// Frames the data-set image in buffer around the body already at index 9 .. length - 3:
// header, address, checksum and F7. Sends nothing; a buffer too short to frame is left alone.
void BuildSysExHeader(std::span<std::uint8_t> buffer, std::uint32_t address);

// The frame's ids and checksum, as the model names them.
using midi::ManufacturerId;
using midi::ModelId;
using midi::SysExChecksum;
// The received message's checksum is right; false for no message or one under 8 bytes.
bool CheckSysExChecksum(std::span<const std::uint8_t> message);
bool CheckSysExChecksum(const midi::TMyMidiEvent& event);

// The device byte of the configured device id.
std::uint8_t SysExDeviceByte();

} // namespace model
