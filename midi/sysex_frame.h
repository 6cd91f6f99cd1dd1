#pragma once
// The frame of the instrument's system-exclusive messages: F0 id dev model cmd a3 a2 a1 a0 body
// sum F7. The data model builds and checks messages by it, and the simulated instrument of the
// tests answers by it; it lives here, below both, so that the two cannot disagree.

#include <cstdint>
#include <span>

namespace midi {

// The manufacturer id and the model id the instrument answers to (bytes 1 and 3).
inline constexpr std::uint8_t ManufacturerId = 0x41;
inline constexpr std::uint8_t ModelId = 0x6A;

// Of a framed message: 128 - (sum of the address and body bytes mod 128), 128 written as 0.
// The sum and F7 are not counted, whatever they hold yet.
std::uint8_t SysExChecksum(std::span<const std::uint8_t> message);

} // namespace midi
