#pragma once
// The kinds of parameter page, shared by page drags, page copies and the part clipboard.

#include <cstdint>

namespace model {

using TPageKind = std::uint8_t;

inline constexpr TPageKind COMMON = 0;
inline constexpr TPageKind EFFECTS = 1;
inline constexpr TPageKind CONTROL = 2;
inline constexpr TPageKind WAVE = 3;
inline constexpr TPageKind PITCH = 4;
inline constexpr TPageKind LFO1 = 5;
inline constexpr TPageKind LFO2 = 6;
inline constexpr TPageKind TVA = 7;
inline constexpr TPageKind TVF = 8;
inline constexpr TPageKind PERCOM = 9;
inline constexpr TPageKind PEREFF = 10;
inline constexpr TPageKind PERPARTS = 11;
inline constexpr TPageKind SYSSETUP = 12;
inline constexpr TPageKind SYSMIDI = 13;
inline constexpr TPageKind SYSPREVIEW = 14;
inline constexpr TPageKind SYSSCALETUNE = 15;
inline constexpr TPageKind RHYMAIN = 16;
inline constexpr TPageKind RHYPITCH = 17;
inline constexpr TPageKind RHYTVF = 18;
inline constexpr TPageKind RHYTVA = 19;

} // namespace model
