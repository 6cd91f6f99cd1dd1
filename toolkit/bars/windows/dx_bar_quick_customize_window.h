#pragma once
// The quick-customise window of a manager's toolbars as its form's messages and activation
// see it: shown without activation and hidden with the form, closed when the form goes
// inactive. Whatever window the quick customising shows, these reach it.

#include "platform/win/messages.h"

namespace toolkit::bars {

class TdxBarManager;

// The window while it is open for one of Manager's toolbars; NullHWnd otherwise.
platform::win::HWND QuickCustomizeWindow(TdxBarManager& Manager);
// Closes it when it is open for one of Manager's toolbars.
void CloseQuickCustomize(TdxBarManager& Manager);

} // namespace toolkit::bars
