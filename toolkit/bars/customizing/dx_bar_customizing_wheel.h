#pragma once
// The mouse wheel over a list of the Customize dialog that does not have the focus scrolls that
// list, one row per configured wheel line, rather than the focused control: the user reads the
// list under the pointer. Lives as long as the dialog.

#include "platform/win/hooks.h"

namespace platform::forms {
class TCustomForm;
}

namespace toolkit::bars {

class TdxBarCustomizingWheel {
public:
    explicit TdxBarCustomizingWheel(platform::forms::TCustomForm& Dialog);
    ~TdxBarCustomizingWheel();
    TdxBarCustomizingWheel(const TdxBarCustomizingWheel&) = delete;
    TdxBarCustomizingWheel& operator=(const TdxBarCustomizingWheel&) = delete;

private:
    // True when the wheel message went to a list under the pointer.
    bool Scroll(const platform::win::MSG& Message);

    platform::forms::TCustomForm* FDialog;
    platform::win::HHOOK FHook{};
};

} // namespace toolkit::bars
