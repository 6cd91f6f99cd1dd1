#pragma once
// How a change of the desktop's settings reaches the windows: the system colours changed
// (WM_SYSCOLORCHANGE) or the visual style did (WM_THEMECHANGED). The drawing layer makes the
// change and announces it here; the window system installs the broadcast that knows its windows.
// Until it does, every handle of the registry hears the message, oldest first.

#include "platform/core/window_handle.h"

#include <functional>

namespace platform::gdi {

inline constexpr core::UINT WM_SYSCOLORCHANGE = 0x0015;

using SettingChangeBroadcast = std::function<void(core::UINT msg)>;
void SetSettingChangeBroadcast(SettingChangeBroadcast broadcast);
// Sends msg (wParam and lParam 0) to the windows, at once, before returning.
void BroadcastSettingChange(core::UINT msg);

} // namespace platform::gdi
