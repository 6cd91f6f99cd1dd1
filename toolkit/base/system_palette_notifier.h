#pragma once
// Hears when the system colours change. While any notifier lives, one hidden window takes the
// change: it computes the Office 2003 colours again first, then tells the primary notifiers and
// after them the others, each group from the last made to the first, so that the shared
// resources (primary) are new before any control repaints with them.

#include "platform/core/object.h"
#include "platform/core/window_handle.h"

#include <functional>

namespace toolkit::base {

class TcxSystemPaletteChangedNotifier : public platform::core::TObject {
public:
    explicit TcxSystemPaletteChangedNotifier(bool AIsPrimary);
    ~TcxSystemPaletteChangedNotifier() override;
    TcxSystemPaletteChangedNotifier(const TcxSystemPaletteChangedNotifier&) = delete;
    TcxSystemPaletteChangedNotifier& operator=(const TcxSystemPaletteChangedNotifier&) = delete;

    bool IsPrimary() const { return FIsPrimary; }
    // Calls OnSystemPaletteChanged when set.
    virtual void DoChanged();

    std::function<void()> OnSystemPaletteChanged;

private:
    bool FIsPrimary;
};

// The hidden window of the notifiers; NullHWnd while none lives.
platform::core::HWND cxSystemPaletteChangedListenerHandle();

} // namespace toolkit::base
