// The bar windows while customizing: a press selects a link instead of running it, a drag
// moves it, a right click opens the customising popup on it, and the selected link is framed.

#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

#include "toolkit/base/object_links.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;

void TCustomdxBarControl::CustomizingButtonDown(TdxBarItemControl* Control, TPoint ClientPoint) {
    // A press selects the link; it does not run. A link the window may not hand out (a
    // control of another manager's item, the MDI system menu) takes no press at all.
    if (Control && !Control->CanHit()) return;
    if (Control && Control == FSelectedControl) {
        // A second press on the selected link opens its menu, a third closes it again.
        auto Link = toolkit::base::cxAddObjectLink(Control);
        if (Control->Active())
            Control->ControlInactivate(true);
        else
            Control->ControlActivate(true);
        if (!Alive() || Link->Ref == nullptr || !HasItemControl(Control)) return;
        if (FBarManager) FBarManager->SetSelectedItem(Control);
        if (!Alive()) return;
        Control->Repaint();
    }
    SetMouseSelectedControl(Control);
    if (!Alive() || Control == nullptr || FSelectedControl != Control) return;
    if (FBarManager) FBarManager->SetSelectedItem(Control);
    FDragPending = true;
    FDragStartPos = ClientPoint;
    pw::SetCapture(Handle());
    Invalidate();
}

bool TCustomdxBarControl::CustomizingMouseMove(TPoint ClientPoint) {
    if (!FDragPending) return false;
    // The system's drag rectangle, centred on the press: a press becomes a drag once the mouse
    // leaves it.
    const int DX = pg::GetSystemMetrics(pg::SM_CXDRAG);
    const int DY = pg::GetSystemMetrics(pg::SM_CYDRAG);
    const pg::TRect Still{FDragStartPos.X - DX / 2, FDragStartPos.Y - DY / 2,
                          FDragStartPos.X - DX / 2 + DX, FDragStartPos.Y - DY / 2 + DY};
    if (pg::PtInRect(Still, ClientPoint)) return true;
    FDragPending = false;
    TdxBarItemControl* Control = FSelectedControl;
    if (pw::GetCapture() == handle_) pw::ReleaseCapture();
    if (Control == nullptr || !Alive() || !HasItemControl(Control)) return true;
    // The link leaves for the drag: a menu it has open closes first.
    auto Link = toolkit::base::cxAddObjectLink(Control);
    Control->ControlInactivate(true);
    if (!Alive() || Link->Ref == nullptr || !HasItemControl(Control)) return true;
    if (Control->ItemLink() && FBarManager)
        FBarManager->DragItem(Control->ItemLink()->Item(), Control->ItemLink());
    return true;
}

bool TCustomdxBarControl::CustomizingButtonUp() {
    if (!FDragPending) return false;
    FDragPending = false;
    if (pw::GetCapture() == handle_) pw::ReleaseCapture();
    return true;
}

void TCustomdxBarControl::CustomizingRightButtonDown(TPoint ClientPoint) {
    if (FSelectedControl && FSelectedControl->Active()) FSelectedControl->ControlInactivate(true);
    if (!Alive() || !pg::PtInRect(ClientRect(), ClientPoint)) return;
    TdxBarItemControl* Control = ItemAtPos(ClientPoint);
    if (Control == FSelectedControl && Control && FBarManager) {
        FBarManager->SetSelectedItem(Control);
        Invalidate();
    } else {
        SetMouseSelectedControl(Control);
        if (Control && FBarManager) FBarManager->SetSelectedItem(Control);
    }
    if (!Alive() || FBarManager == nullptr) return;
    if (Control == nullptr && !FBarManager->IsDesigning()) return;
    dxBarCustomizingServices().ShowCustomizingPopup(*FBarManager,
                                                    Control ? Control->ItemLink() : nullptr,
                                                    FItemLinks, ClientToScreen(ClientPoint));
}

TdxBarItemControl* TCustomdxBarControl::CustomizingOpener(TdxBarItemControl* Opener) const {
    if (FBarManager == nullptr || FBarManager->IsDestroying() || !IsCustomizing()) return nullptr;
    TCustomdxBarControl* Parent = FParentBarControl;
    if (Parent == nullptr || !dxBarUnit().BarControlExists(Parent) ||
        (Parent->ComponentState() & platform::core::csDestroying))
        return nullptr;
    if (Opener == nullptr) Opener = Parent->SelectedControl();
    if (Opener == nullptr || !Parent->HasItemControl(Opener)) return nullptr;
    // A selection that moved elsewhere (the menu closes because of it) stays there.
    TdxBarItemControl* Selected = FBarManager->SelectedItem();
    return Selected && HasItemControl(Selected) ? Opener : nullptr;
}

void TCustomdxBarControl::HandSelectionBack(TdxBarItemControl* Opener) {
    if (Opener == nullptr || FBarManager == nullptr) return;
    TCustomdxBarControl* Parent = Opener->Parent();
    if (!dxBarUnit().BarControlExists(Parent) || !Parent->HasItemControl(Opener)) return;
    auto Link = toolkit::base::cxAddObjectLink(Opener);
    Opener->FActive = false;
    FBarManager->SetSelectedItem(Opener);
    if (Link->Ref && dxBarUnit().BarControlExists(Parent) && Parent->HasItemControl(Opener))
        Opener->Repaint();
}

void TCustomdxBarControl::DrawSelectionFrame(pg::HDC DC) {
    if (!IsCustomizing() || FBarManager == nullptr) return;
    const TdxBarItemDragging* Drag = TdxBarItemDragging::Current();
    TdxBarItemControl* Control = nullptr;
    if (Drag && Drag->Link() && Drag->Link()->Links() == FItemLinks)
        Control = Drag->Link()->Control();
    else if (Drag == nullptr && FSelectedControl && FBarManager->SelectedItem() == FSelectedControl)
        Control = FSelectedControl;
    if (Control == nullptr) return;
    pg::TRect R = GetItemRect(Control);
    if (pg::IsRectEmpty(R)) return;
    if (IsSubMenuControl() && dynamic_cast<TdxBarSubItemControl*>(Control)) {
        // A menu entry that opens a menu of its own: inverted outlines, which show on the
        // entry's highlight as on the menu's face. They stand inside the highlight's own edge:
        // the outline's corners are pixels (the right and bottom edge come in by one), and each
        // ring lies one pixel further in than the last.
        pg::SetROP2(DC, pg::R2_NOT);
        R = {R.Left, R.Top, R.Right - 1, R.Bottom - 1};
        for (int Ring = 0; Ring < 2; ++Ring) {
            R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
            const pg::TPoint Corners[5] = {{R.Left, R.Top},
                                           {R.Right, R.Top},
                                           {R.Right, R.Bottom},
                                           {R.Left, R.Bottom},
                                           {R.Left, R.Top}};
            pg::Polyline(DC, Corners, 5);
        }
        pg::SetROP2(DC, pg::R2_COPYPEN);
        return;
    }
    const pg::HBRUSH Brush = pg::GetSysColorBrush(pg::COLOR_WINDOWTEXT);
    pg::FrameRect(DC, &R, Brush);
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    pg::FrameRect(DC, &R, Brush);
}

} // namespace toolkit::bars
