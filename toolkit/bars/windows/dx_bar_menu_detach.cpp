// The menu window's detach strip: the band above the rows of a menu whose sub-item allows
// detaching, hot under the mouse, and the press on it that starts dragging the menu off into
// its detaching toolbar (dx_bar_detach.h).

#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_detach.h"
#include "toolkit/bars/windows/dx_bar_hint_window.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/text_out.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
// How far the cursor may stray from the strip before the menu detaches.
constexpr int DetachThreshold = 15;
} // namespace

bool TdxBarSubMenuControl::IsDetachable() const {
    if (SubItemControl == nullptr) return false;
    const TCustomdxBarSubItem* Sub = SubItemControl->SubItem();
    return Sub && Sub->Detachable;
}

bool TdxBarSubMenuControl::CanDetach() const {
    if (!IsDetachable()) return false;
    TdxBar* Bar = SubItemControl->SubItem()->GetDetachingToolbar();
    if (Bar == nullptr) return false;
    // A menu does not detach into the toolbar it was opened from.
    TCustomdxBarControl* Opener = GetRootBarControl(ParentBarControl());
    return Opener == nullptr || Bar->Control() == nullptr ||
           dynamic_cast<TCustomdxBarControl*>(Bar->Control()) != Opener;
}

int TdxBarSubMenuControl::GetDetachCaptionSize() const {
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    pg::SelectObject(DC, GetFontHandle());
    pg::TSize Size{};
    pg::GetTextExtentPoint32(DC, "Qq", 2, &Size);
    pg::DeleteDC(DC);
    const int Half = Size.cy / 2;
    return Half % 2 == 0 ? Half + 1 : Half;
}

pg::TRect TdxBarSubMenuControl::GetDetachCaptionRect() const {
    TRect R{0, 0, Width(), Height()};
    Painter().AdjustDetachCaptionRect(R);
    R.Bottom = R.Top + GetDetachCaptionSize();
    return R;
}

bool TdxBarSubMenuControl::InDetachCaption(TPoint ScreenPoint) {
    if (!HandleAllocated()) return false;
    TRect Window{};
    pw::GetWindowRect(Handle(), &Window);
    return pg::PtInRect(GetDetachCaptionRect(),
                        {ScreenPoint.X - Window.Left, ScreenPoint.Y - Window.Top});
}

void TdxBarSubMenuControl::SetDetachCaptionSelected(bool Value) {
    if (IsCustomizing() || pw::GetCapture() != pw::NullHWnd) return;
    if (Value == FDetachCaptionSelected) return;
    // Leaving the strip for the rows is noticed by a fresh leave tracking.
    if (Value) EndMouseTracking();
    FDetachCaptionSelected = Value;
    if (HandleAllocated())
        pw::RedrawWindow(Handle(), nullptr, pg::HRGN{},
                         pw::RDW_FRAME | pw::RDW_INVALIDATE | pw::RDW_UPDATENOW);
    if (Value) BeginMouseTracking();
    SetCursor(Value ? platform::forms::crSizeAll : platform::forms::crDefault);
    if (Value)
        UpdateHint(BarManager(), true,
                   toolkit::base::cxGetResourceString(dxSBAR_DRAGTOMAKEMENUFLOAT));
    else if (SelectedControl() == nullptr)
        UpdateHint(BarManager(), false);
}

void TdxBarSubMenuControl::DetachDrag() {
    if (!CanDetach() || !HandleAllocated()) return;
    TRect Window{};
    pw::GetWindowRect(Handle(), &Window);
    TRect Threshold = GetDetachCaptionRect();
    pg::OffsetRect(Threshold, Window.Left, Window.Top);
    pg::InflateRect(Threshold, DetachThreshold, DetachThreshold);
    TPoint Cursor{};
    pw::GetCursorPos(&Cursor);
    UpdateHint(BarManager(), false);
    dxBarStartDetaching(*SubItemControl->SubItem(),
                        *SubItemControl->SubItem()->GetDetachingToolbar(), Threshold, Cursor);
}

} // namespace toolkit::bars
