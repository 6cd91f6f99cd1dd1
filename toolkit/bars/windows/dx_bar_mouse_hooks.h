#pragma once
// What the bar unit's mouse and call-window-procedure hooks do with a message; the manager list
// installs the hooks and calls these. Bars see here the input and the sends that go to windows
// that are not theirs: a press outside the open menus closes them (the press still reaches its
// window), a right or middle release outside them is swallowed, and a form's messages reach its
// manager (TdxBarManager::HandleFormMessage).

#include "platform/win/hooks.h"

namespace toolkit::bars {

// Whether the mouse message (wParam of the hook) is to be swallowed.
bool dxBarMouseHookSwallows(int Code, platform::win::UINT Message,
                            const platform::win::MOUSEHOOKSTRUCT& Info);
// Before the window procedure: passes the message to the manager it concerns, and sends help
// asked while a menu is open to the form of the menu's manager. Never swallows.
void dxBarCallWndProcHook(int Code, platform::win::CWPSTRUCT& Info);

} // namespace toolkit::bars
