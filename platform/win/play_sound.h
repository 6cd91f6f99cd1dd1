#pragma once
// The platform's event sounds. The desktop plays none of them: the service records which
// sound was asked for, so that tests can see it.

#include "platform/win/messages.h"

#include <string>
#include <vector>

namespace platform::win {

inline constexpr DWORD SND_ASYNC = 0x0001;
inline constexpr DWORD SND_NODEFAULT = 0x0002;
inline constexpr DWORD SND_NOWAIT = 0x2000;
inline constexpr DWORD SND_ALIAS = 0x10000;

// A nullptr sound stops the one that plays (recorded as an empty name).
BOOL PlaySound(const char* sound, DWORD flags);
// Every sound asked for since the last clear, in order.
const std::vector<std::string>& PlayedSounds();
void ClearPlayedSounds();

} // namespace platform::win
