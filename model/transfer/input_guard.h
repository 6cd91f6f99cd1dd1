#pragma once
// The MIDI input handler of an operation that waits for replies, owned by that operation. Made,
// the guard takes the handler off the input, drops every event waiting there and installs its
// own; Restore, or the guard's end while its handler is still installed, puts the default
// handler back, once. So a window that goes while it waits never stays the input's handler.

#include <functional>

namespace model {

class TInputGuard {
public:
    explicit TInputGuard(std::function<void()> handler);
    ~TInputGuard();
    TInputGuard(const TInputGuard&) = delete;
    TInputGuard& operator=(const TInputGuard&) = delete;

    // The default handler again; nothing when it is back already.
    void Restore();
    bool Installed() const { return installed_; }

private:
    bool installed_ = true;
};

} // namespace model
