#include "toolkit/bars/dx_bar_quick_customize_window.h"

#include "toolkit/bars/dx_bar_menu_control.h"
#include "toolkit/bars/dx_bar_popup_menu.h"
#include "toolkit/bars/dx_bar_quick_customize.h"

namespace toolkit::bars {

namespace pw = platform::win;

pw::HWND QuickCustomizeWindow(TdxBarManager& Manager) {
    TdxBarCustomizePopups* Popups = TdxBarCustomizePopups::Find(Manager);
    if (Popups == nullptr || Popups->QuickToolbar() == nullptr) return pw::NullHWnd;
    TdxBarSubMenuControl* Window = Popups->QuickControl().GetSubMenuControl();
    return Window && Window->HandleAllocated() ? Window->Handle() : pw::NullHWnd;
}

void CloseQuickCustomize(TdxBarManager& Manager) {
    if (TdxBarCustomizePopups* Popups = TdxBarCustomizePopups::Find(Manager);
        Popups && Popups->QuickToolbar())
        Popups->CloseQuickControl();
}

} // namespace toolkit::bars
