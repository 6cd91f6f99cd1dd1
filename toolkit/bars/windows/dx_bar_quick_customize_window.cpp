#include "toolkit/bars/windows/dx_bar_quick_customize_window.h"

#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"

namespace toolkit::bars {

namespace pw = platform::win;

pw::HWND QuickCustomizeWindow(TdxBarManager& Manager) {
    TdxBarCustomizePopups* Popups = TdxBarCustomizePopups::Find(Manager);
    TdxBarQuickControl* Quick = Popups != nullptr ? Popups->QuickControl() : nullptr;
    return Quick && Quick->HandleAllocated() ? Quick->Handle() : pw::NullHWnd;
}

void CloseQuickCustomize(TdxBarManager& Manager) {
    if (TdxBarCustomizePopups* Popups = TdxBarCustomizePopups::Find(Manager);
        Popups && Popups->QuickControl())
        Popups->CloseQuickControl();
}

} // namespace toolkit::bars
