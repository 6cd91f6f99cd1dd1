#pragma once
// The MIDI input handler of one wait for replies, owned: Install drains what is waiting and puts
// the handler in, and the default handler comes back when the wait ends, by End or by the guard
// going (a window closed while its fetch runs), exactly once and only when this guard's handler
// was the one put in.

#include <functional>

namespace model {

class TInputHandlerGuard {
public:
    TInputHandlerGuard() = default;
    ~TInputHandlerGuard();
    TInputHandlerGuard(const TInputHandlerGuard&) = delete;
    TInputHandlerGuard& operator=(const TInputHandlerGuard&) = delete;

    // The input's handler is cleared, the waiting events are read and freed, then handler is
    // installed. Installing again replaces this guard's handler.
    void Install(std::function<void()> handler);
    // The default handler back, when this guard's handler is in.
    void End();
    bool Installed() const { return installed_; }

private:
    bool installed_ = false;
};

} // namespace model
