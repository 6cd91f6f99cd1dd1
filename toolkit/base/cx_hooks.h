#pragma once
// Hooks of the calling thread, held in a variable that tells whether one is installed.

#include "platform/win/hooks.h"

namespace toolkit::base {

using platform::win::HHOOK;
using platform::win::HOOKPROC;

// Installs a hook of Kind for the calling thread and stores its handle in Hook.
void cxSetHook(HHOOK& Hook, int Kind, HOOKPROC Proc);
// Removes the hook when one is installed; Hook is null afterwards.
void cxReleaseHook(HHOOK& Hook);

} // namespace toolkit::base
