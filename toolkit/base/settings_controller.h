#pragma once
// Tells registered controls that the non-client metrics may have changed: a change of them
// (WM_SETTINGCHANGE with SPI_SETNONCLIENTMETRICS) reaching its hidden window becomes the private
// message cxNCSizeChangedMessage to every listed control that has a window. The window exists only
// while someone listens. A control removes itself before it goes.

#include "platform/core/object.h"
#include "platform/core/window_handle.h"

#include <optional>
#include <vector>

namespace platform::forms {
class TWinControl;
}

namespace toolkit::base {

// The private "non-client metrics may have changed" message.
inline constexpr platform::core::UINT cxNCSizeChangedMessage = 0x8065;

class TcxSettingsController : public platform::core::TObject {
public:
    TcxSettingsController() = default;
    TcxSettingsController(const TcxSettingsController&) = delete;
    TcxSettingsController& operator=(const TcxSettingsController&) = delete;

    // Listing a control twice lists it once.
    void AddListener(platform::forms::TWinControl* Control);
    void RemoveListener(platform::forms::TWinControl* Control);
    int ListenerCount() const { return static_cast<int>(FList.size()); }
    // NullHWnd while nobody listens.
    platform::core::HWND Handle() const;

protected:
    virtual void WndProc(platform::core::TMessage& Message);

private:
    std::vector<platform::forms::TWinControl*> FList;
    std::optional<platform::core::MessageWindow> FWindow;
};

} // namespace toolkit::base
