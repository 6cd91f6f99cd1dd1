#pragma once
// Conversions between the program's 8-bit text and wide text, for text drawn through wide
// platform calls.

#include <cstdint>
#include <string>

namespace toolkit::base {

inline constexpr std::uint32_t CP_ACP = 0;
inline constexpr std::uint32_t CP_UTF8 = 65001;

// Length bytes of Source (a negative Length: up to the terminating zero) as wide text. UTF-8
// for CP_UTF8; any other code page is the platform's 8-bit one (Windows-1252). Malformed UTF-8
// gives U+FFFD. A nullptr Source gives an empty result.
std::wstring dxMultiByteToWideString(const char* Source, int Length, std::uint32_t CodePage);

// The code page is ignored: our strings are 8-bit text already.
inline std::string dxAnsiStringToString(const std::string& S, std::uint32_t /*CodePage*/ = CP_ACP) {
    return S;
}
inline std::string dxStringToAnsiString(const std::string& S, std::uint32_t /*CodePage*/ = CP_ACP) {
    return S;
}

} // namespace toolkit::base
