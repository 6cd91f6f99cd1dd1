#include "toolkit/base/cx_hooks.h"

#include <utility>

namespace toolkit::base {

void cxSetHook(HHOOK& Hook, int Kind, HOOKPROC Proc) {
    Hook = platform::win::SetWindowsHookEx(Kind, std::move(Proc));
}

void cxReleaseHook(HHOOK& Hook) {
    if (Hook == platform::win::NullHook) return;
    platform::win::UnhookWindowsHookEx(Hook);
    Hook = platform::win::NullHook;
}

} // namespace toolkit::base
