#include "platform/win/scroll_bar_info.h"

namespace platform::win {

bool IsScrollBarInfoAvailable() {
    return false;
}

bool GetScrollBarInfo(HWND, std::int32_t, SCROLLBARINFO* info) {
    if (info) {
        *info = SCROLLBARINFO{};
        info->rgstate[0] = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    }
    return false;
}

} // namespace platform::win
