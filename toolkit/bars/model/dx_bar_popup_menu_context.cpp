#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_popup_menu_links.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "platform/core/message_loop.h"
#include "platform/win/caret.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

bool TdxBarPopupMenuLink::OpenContextPopup(pw::HWND Window, pg::TPoint Point) {
    // The request may have come as a right button release whose context message still waits.
    pc::MSG Waiting{};
    while (
        pc::PeekMessage(Waiting, Window, pw::WM_CONTEXTMENU, pw::WM_CONTEXTMENU, pc::PM_REMOVE)) {
    }
    const bool ByMouse = Point.X != -1;
    pg::TPoint P{0, 0};
    if (ByMouse) {
        P = Point;
        pw::ScreenToClient(Window, &P);
    } else if (pw::HideCaret(Window)) {
        // The keyboard: at the caret when the window has it (only its owner can hide it).
        pw::GetCaretPos(&P);
        pw::ShowCaret(Window);
    }
    if (FControl) {
        // The control's own handling comes first, at the point in its coordinates.
        pg::TPoint Screen = P;
        pw::ClientToScreen(Window, &Screen);
        const pg::TPoint Own = FControl->ScreenToClient(Screen);
        bool Handled = false;
        FControl->DoContextPopup(Own, Handled);
        if (Handled) return true;
    }
    bool AllowPopup = FPopupMenu != nullptr;
    if (OnAction && FControl) {
        // The handler speaks in the control's coordinates.
        pg::TPoint Screen = P;
        pw::ClientToScreen(Window, &Screen);
        pg::TPoint Own = FControl->ScreenToClient(Screen);
        OnAction(this, Own.X, Own.Y, ByMouse, AllowPopup);
        P = FControl->ClientToScreen(Own);
        pw::ScreenToClient(Window, &P);
    }
    if (!AllowPopup || FPopupMenu == nullptr) return AllowPopup;
    if (pw::IsWindowEnabled(Window)) pw::SetFocus(Window);
    pw::ClientToScreen(Window, &P);
    dxBarWindowServices().PopupMenu(*FPopupMenu, P.X, P.Y);
    return true;
}

bool TdxBarPopupMenuLinks::ProcessContextPopup(pf::TWinControl* Control, pw::HWND Window,
                                               pg::TPoint Point) {
    if (!Control || !FManager || FManager->IsDesigning()) return false;
    for (std::size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I]->FControl == Control && FItems[I]->OpenContextPopup(Window, Point))
            return true;
    for (pf::TWinControl* Parent = Control->Parent(); Parent; Parent = Parent->Parent())
        for (std::size_t I = 0; I < FItems.size(); ++I)
            if (FItems[I]->ProcessChildren && FItems[I]->FControl == Parent &&
                FItems[I]->OpenContextPopup(Window, Point))
                return true;
    return false;
}

} // namespace toolkit::bars
