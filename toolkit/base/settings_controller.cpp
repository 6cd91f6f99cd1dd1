#include "toolkit/base/settings_controller.h"

#include "platform/forms/controls.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::base {

namespace pc = platform::core;
namespace pw = platform::win;

void TcxSettingsController::AddListener(platform::forms::TWinControl* Control) {
    if (std::find(FList.begin(), FList.end(), Control) != FList.end()) return;
    if (FList.empty()) FWindow.emplace([this](pc::TMessage& Message) { WndProc(Message); });
    FList.push_back(Control);
}

void TcxSettingsController::RemoveListener(platform::forms::TWinControl* Control) {
    const auto Found = std::find(FList.begin(), FList.end(), Control);
    if (Found == FList.end()) return;
    FList.erase(Found);
    if (FList.empty()) FWindow.reset();
}

pc::HWND TcxSettingsController::Handle() const {
    return FWindow ? FWindow->Handle() : pc::NullHWnd;
}

void TcxSettingsController::WndProc(pc::TMessage& Message) {
    if (Message.Msg == pw::WM_SETTINGCHANGE && Message.WParam == pw::SPI_SETNONCLIENTMETRICS) {
        // A control may leave the list (and go) while it handles the notice: each of the ones
        // listed at the start is told only while it is still listed.
        const std::vector<platform::forms::TWinControl*> Listeners = FList;
        for (platform::forms::TWinControl* Control : Listeners)
            if (std::find(FList.begin(), FList.end(), Control) != FList.end() &&
                Control->HandleAllocated())
                pw::SendNotifyMessage(Control->Handle(), cxNCSizeChangedMessage, 0, 0);
        Message.Result = 0;
        return;
    }
    Message.Result = pw::DefWindowProc(Handle(), Message.Msg, Message.WParam, Message.LParam);
}

} // namespace toolkit::base
