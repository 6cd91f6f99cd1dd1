#pragma once
// Keyboard shortcuts as the class library codes them: the virtual key in the low byte with
// scShift, scCtrl and scAlt above it, and their text ("Ctrl+Shift+F5", "Alt+BkSp").

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::forms {

using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

// Shift is a set of scShift, scCtrl and scAlt.
TShortCut ShortCut(std::uint16_t Key, TShortCut Shift);
// Key and modifiers apart.
void ShortCutToKey(TShortCut ShortCut, std::uint16_t& Key, TShortCut& Shift);
// The modifiers as "Shift+", "Ctrl+", "Alt+" in that order, then the key's name; empty for a
// key without a name.
std::string ShortCutToText(TShortCut ShortCut);
// The inverse, modifiers in any order and without regard to case; 0 when the text names no key.
TShortCut TextToShortCut(std::string_view Text);

} // namespace platform::forms
