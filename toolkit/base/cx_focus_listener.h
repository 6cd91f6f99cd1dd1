#pragma once
// The process-wide focus listener: one object that hears every editor of the toolkit enter, exit
// and go, for a host that follows the focus across its editors (a grid keeping its focused cell,
// a hint that follows the focused editor). Without one set, nothing listens.

namespace platform::forms {
class TWinControl;
}

namespace toolkit::base {

class IcxFocusListener {
public:
    virtual ~IcxFocusListener() = default;
    virtual void FocusChanged(platform::forms::TWinControl* AControl, bool AFocused) = 0;
    virtual void ControlDestroying(platform::forms::TWinControl* AControl) = 0;
};

// The listener set, or null. The caller keeps it alive while it is set.
IcxFocusListener* cxGetGlobalFocusListener();
void cxSetGlobalFocusListener(IcxFocusListener* AListener);

} // namespace toolkit::base
