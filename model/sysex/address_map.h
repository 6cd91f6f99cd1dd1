#pragma once
// Where every block of the instrument's memory lives, how long it is, and how it is requested.
// Addresses are 32-bit, written most significant byte first; an element number moves the third
// byte ((n - 1) * 10000H), a block offset the low two.

#include <array>
#include <cstddef>
#include <cstdint>

namespace model {

// Frame of every system-exclusive message: F0 41 dev 6A cmd a3 a2 a1 a0 ... sum F7.
inline constexpr std::size_t SysExHeaderLength = 9;
inline constexpr std::size_t SysExFrameLength = 11;
constexpr std::size_t MessageLength(std::size_t dataLength) {
    return dataLength + SysExFrameLength;
}

// Element bases: edit buffer (temporary area), user memory and card memory.
inline constexpr std::uint32_t PatchEditBuffer = 0x03000000;
inline constexpr std::uint32_t PatchUserBase = 0x11000000;
inline constexpr std::uint32_t PatchCardBase = 0x21000000;
inline constexpr std::uint32_t PerformanceEditBuffer = 0x01000000;
inline constexpr std::uint32_t PerformanceUserBase = 0x10000000;
inline constexpr std::uint32_t PerformanceCardBase = 0x20000000;
inline constexpr std::uint32_t RhythmEditBuffer = 0x02090000;
inline constexpr std::uint32_t RhythmUserBase = 0x10400000;
inline constexpr std::uint32_t RhythmCardBase = 0x20400000;
inline constexpr std::uint32_t SystemBase = 0x00000000;
inline constexpr std::uint32_t ElementStep = 0x10000;

inline constexpr int PatchesPerMemory = 128;
inline constexpr int PerformancesPerMemory = 32;
inline constexpr int RhythmsPerMemory = 2;

inline constexpr int ToneCount = 4;
inline constexpr int PartCount = 16;
inline constexpr int ScaleTuneCount = 17;
inline constexpr int FirstRhythmKey = 35;
inline constexpr int LastRhythmKey = 98;
inline constexpr int RhythmNoteCount = LastRhythmKey - FirstRhythmKey + 1;

// Data bytes (parameters) of each block.
inline constexpr std::size_t CommonDataLength = 73;
inline constexpr std::size_t ToneDataLength = 129;
inline constexpr std::size_t PerformanceCommonDataLength = 66;
inline constexpr std::size_t PerformancePartDataLength = 25;
inline constexpr std::size_t RhythmCommonDataLength = 12;
inline constexpr std::size_t RhythmNoteDataLength = 58;
inline constexpr std::size_t SystemCommonDataLength = 82;
inline constexpr std::size_t ScaleTuneDataLength = 12;

// Block offsets inside an element; numbers are 1-based, keys 35..98.
inline constexpr std::uint16_t CommonOffset = 0x0000;
constexpr std::uint16_t ToneOffset(int tone) {
    return static_cast<std::uint16_t>(0x1000 + (tone - 1) * 0x200);
}
constexpr std::uint16_t PerformancePartOffset(int part) {
    return static_cast<std::uint16_t>(0x1000 + (part - 1) * 0x100);
}
constexpr std::uint16_t RhythmNoteOffset(int key) {
    return static_cast<std::uint16_t>(0x2300 + (key - FirstRhythmKey) * 0x100);
}
constexpr std::uint16_t ScaleTuneOffset(int number) {
    return static_cast<std::uint16_t>(0x1000 + (number - 1) * 0x100);
}

// Base address of an element: the edit buffer when temporary, else number n of user or card memory.
std::uint32_t PatchBase(bool temporary, bool userMemory, int number);
std::uint32_t PerformanceBase(bool temporary, bool userMemory, int number);
std::uint32_t RhythmBase(bool temporary, bool userMemory, int number);

// Size bytes s3 s2 s1 s0 of the data requests.
using TRequestSize = std::array<std::uint8_t, 4>;
inline constexpr TRequestSize PatchRequestSize{0x00, 0x00, 0x17, 0x18};
inline constexpr TRequestSize PerformanceCommonRequestSize{0x00, 0x00, 0x00, 0x4D};
inline constexpr TRequestSize PerformancePartRequestSize{0x00, 0x00, 0x00, 0x24};
inline constexpr TRequestSize RhythmCommonRequestSize{0x00, 0x00, 0x00, 0x0C};
inline constexpr TRequestSize RhythmNoteRequestSize{0x00, 0x00, 0x00, 0x3A};
inline constexpr TRequestSize SystemCommonRequestSize{0x00, 0x00, 0x00, 0x5D};
inline constexpr TRequestSize ScaleTuneRequestSize{0x00, 0x00, 0x00, 0x17};

// The address a message carries for base + offset1 + offset2. The instrument counts each address
// byte in 7 bits, so a sum that runs past 7FH in a byte (byte 128 of a tone, 80H past the block)
// carries into the next byte, where the instrument keeps it (0100H past the block).
std::uint32_t SysExAddress(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2);

} // namespace model
