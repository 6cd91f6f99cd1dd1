#include "platform/gdi/setting_change.h"

namespace platform::gdi {

namespace {

SettingChangeBroadcast& Installed() {
    static SettingChangeBroadcast broadcast;
    return broadcast;
}

} // namespace

void SetSettingChangeBroadcast(SettingChangeBroadcast broadcast) {
    Installed() = std::move(broadcast);
}

void BroadcastSettingChange(core::UINT msg) {
    if (const auto& broadcast = Installed()) {
        broadcast(msg);
        return;
    }
    // A listener may free a window on the way: a handle that is gone hears nothing.
    for (core::HWND wnd : core::WindowHandles())
        core::SendMessage(wnd, msg, 0, 0);
}

} // namespace platform::gdi
