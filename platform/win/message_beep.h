#pragma once
// The platform's warning sound. Tests read how many there were, as they cannot hear them.

#include "platform/win/messages.h"

namespace platform::win {

// type is the MessageBox icon whose sound it is; every kind sounds the desktop's one beep.
BOOL MessageBeep(UINT type);
int MessageBeepCount();

} // namespace platform::win
