#pragma once
// What a name box of a page accepts: the instrument keeps names as 7-bit data bytes, so only
// printable 7-bit characters (20H..7EH) may be typed or pasted into one.

#include <string>
#include <string_view>

namespace editors {

bool IsNameChar(char ch);
// text without the characters a name box refuses.
std::string NameText(std::string_view text);

} // namespace editors
