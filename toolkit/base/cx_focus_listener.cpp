#include "toolkit/base/cx_focus_listener.h"

namespace toolkit::base {

namespace {
IcxFocusListener* GlobalFocusListener = nullptr;
}

IcxFocusListener* cxGetGlobalFocusListener() {
    return GlobalFocusListener;
}

void cxSetGlobalFocusListener(IcxFocusListener* AListener) {
    GlobalFocusListener = AListener;
}

} // namespace toolkit::base
