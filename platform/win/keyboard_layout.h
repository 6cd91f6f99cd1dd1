#pragma once
// The keyboard layout in force: the US layout, mapping virtual keys, scan codes and characters
// as the platform's own calls do.

#include "platform/win/messages.h"

namespace platform::win {

enum : UINT { MAPVK_VK_TO_VSC = 0, MAPVK_VSC_TO_VK = 1, MAPVK_VK_TO_CHAR = 2 };
// 0 when there is no mapping.
UINT MapVirtualKey(UINT code, UINT mapType);
// The character the key makes under the given key state (Shift, Caps Lock, Ctrl) into chars[0]:
// 1, or 0 when it makes none.
int ToAscii(UINT virtualKey, UINT scanCode, const std::uint8_t* keyState256, std::uint16_t* chars,
            UINT flags);
// The key that makes the character in the low byte and the shift state it needs in the high
// byte (1 Shift, 2 Ctrl, 4 Alt), preferring the unshifted key; -1 when no key makes it.
std::int16_t VkKeyScan(char ch);

} // namespace platform::win
