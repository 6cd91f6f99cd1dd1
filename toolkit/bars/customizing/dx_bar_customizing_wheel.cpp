#include "toolkit/bars/customizing/dx_bar_customizing_wheel.h"

#include "toolkit/base/cx_hooks.h"

#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"

namespace toolkit::bars {

namespace pf = platform::forms;
namespace pw = platform::win;
namespace tb = toolkit::base;

TdxBarCustomizingWheel::TdxBarCustomizingWheel(pf::TCustomForm& Dialog) : FDialog(&Dialog) {
    tb::cxSetHook(FHook, pw::WH_GETMESSAGE, [this](int Code, pw::WPARAM W, pw::LPARAM L) {
        const pw::HHOOK Self = FHook;
        auto& Message = *reinterpret_cast<pw::MSG*>(L);
        // The list scrolled; the focused control does not hear of it.
        if (Code == pw::HC_ACTION && Message.message == pw::WM_MOUSEWHEEL && Scroll(Message))
            Message.message = pw::WM_NULL;
        return pw::CallNextHookEx(Self, Code, W, L);
    });
}

TdxBarCustomizingWheel::~TdxBarCustomizingWheel() {
    tb::cxReleaseHook(FHook);
}

bool TdxBarCustomizingWheel::Scroll(const pw::MSG& Message) {
    if (!FDialog->HandleAllocated()) return false;
    const pw::HWND Under = pw::WindowFromPoint(pw::LParamToPoint(Message.lParam));
    auto* List = dynamic_cast<pf::TListBox*>(pf::FindControl(Under));
    if (List == nullptr || pw::GetAncestor(Under, pw::GA_ROOT) != FDialog->Handle() ||
        Under == pw::GetFocus())
        return false;
    pw::UINT Lines = 3;
    pw::SystemParametersInfo(pw::SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    const int Delta = pw::GET_WHEEL_DELTA_WPARAM(Message.wParam);
    List->SetTopIndex(List->TopIndex() - Delta * static_cast<int>(Lines) / pw::WHEEL_DELTA);
    return true;
}

} // namespace toolkit::bars
