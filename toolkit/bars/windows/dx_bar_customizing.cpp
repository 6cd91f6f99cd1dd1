// Run-time customizing: the manager turns it on and off and lists the toolbars; the bar
// windows select links instead of running them, drag them and open the customising popup.

#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_customizing_popup.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_quick_cust_items.h"

#include "platform/forms/forms.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <cstdlib>
#include <memory>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

// Half the system drag rectangle: a press becomes a drag once the mouse leaves it.
constexpr int kDragThreshold = 2;
// The toolbars list's entry that starts customizing.
constexpr int kCustomizeTag = 1000;

} // namespace

// --- The manager ---

void TdxBarManager::SetIsCustomizing(bool Value) {
    if (FIsCustomizing == Value) return;
    if (Value && CustomizingFormHandle != pc::HWND{}) return;
    // Each bar window rebuilds its controls for the new mode.
    std::vector<TCustomdxBarControl*> Windows;
    for (int I = 0; I < FBars->Count(); ++I)
        if (auto* W = dynamic_cast<TCustomdxBarControl*>(FBars->Items(I)->Control()))
            Windows.push_back(W);
    for (TCustomdxBarControl* W : Windows)
        if (dxBarUnit().BarControlExists(W)) {
            W->HideAll();
            if (dxBarUnit().BarControlExists(W)) W->DestroyControls();
        }
    FIsCustomizing = Value;
    if (!Value) SetSelectedItem(nullptr);
    ShowCustomizingForm(*this, Value);
    for (TCustomdxBarControl* W : Windows)
        if (dxBarUnit().BarControlExists(W)) {
            if (W->HandleAllocated()) W->CreateControls();
            W->RefreshLayout();
            W->Invalidate();
        }
    if (OnCustomizingChange) OnCustomizingChange(this);
}

pc::HWND TdxBarManager::GetCaptureWindow() const {
    if (FIsCustomizing && CustomizingFormHandle != pc::HWND{}) return CustomizingFormHandle;
    return FForm && FForm->HandleAllocated() ? FForm->Handle() : pc::HWND{};
}

void TdxBarManager::AddToolbarsListItems(TdxBarItemLinks& Links) {
    for (int I = 0; I < FBars->Count(); ++I) {
        TdxBar* Bar = FBars->Items(I);
        if (!Bar->CanClose() || Bar->Hidden) continue;
        auto& B = dxBarUnit().AddInternalItem(std::make_unique<TdxBarButton>(nullptr));
        B.SetBarManager(this);
        B.SetCaption(Bar->Caption());
        B.SetButtonStyle(bsChecked);
        B.SetDown(Bar->Visible());
        B.OnClick = [this, I](pc::TObject*) { ToolbarsPopupClick(I); };
        Links.Add(&B);
    }
    AddCustomizeCommandLink(*this, Links, true);
    DoShowToolbarsPopup(&Links);
}

void TdxBarManager::ToolbarsPopupClick(int Tag) {
    if (Tag == kCustomizeTag)
        Customizing(true);
    else if (TdxBar* Bar = FBars->Items(Tag))
        Bar->SetVisible(!Bar->Visible());
}

TdxBarItem* AddCustomizeCommandLink(TdxBarManager& Manager, TdxBarItemLinks& Links, bool BeginGroup,
                                    bool QuickCustomize) {
    if (!Manager.CanCustomize) return nullptr;
    std::unique_ptr<TdxBarButton> Made;
    if (QuickCustomize)
        Made = std::make_unique<TdxBarQuickCustExtButton>(nullptr);
    else
        Made = std::make_unique<TdxBarButton>(nullptr);
    auto& B = dxBarUnit().AddInternalItem(std::move(Made));
    B.SetBarManager(&Manager);
    B.SetCaption(toolkit::base::cxGetResourceString(dxSBAR_CUSTOMIZE));
    B.SetEnabled(Manager.CustomizingFormHandle == pc::HWND{});
    TdxBarManager* Owner = &Manager;
    B.OnClick = [Owner](pc::TObject*) { Owner->ToolbarsPopupClick(kCustomizeTag); };
    Links.Add(&B)->SetBeginGroup(BeginGroup);
    return &B;
}

// --- The bar windows ---

void TCustomdxBarControl::CustomizingButtonDown(TdxBarItemControl* Control, TPoint ClientPoint) {
    // A press selects the link; it does not run.
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
    if (std::abs(ClientPoint.X - FDragStartPos.X) <= kDragThreshold &&
        std::abs(ClientPoint.Y - FDragStartPos.Y) <= kDragThreshold)
        return true;
    FDragPending = false;
    TdxBarItemControl* Control = FSelectedControl;
    if (pw::GetCapture() == handle_) pw::ReleaseCapture();
    if (Control && Control->ItemLink() && FBarManager)
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
    TdxBarCustomizingPopup::ShowAt(*FBarManager, Control ? Control->ItemLink() : nullptr,
                                   FItemLinks, ClientToScreen(ClientPoint));
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
    const pg::HBRUSH Brush = pg::GetSysColorBrush(pg::COLOR_WINDOWTEXT);
    pg::FrameRect(DC, &R, Brush);
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    pg::FrameRect(DC, &R, Brush);
}

} // namespace toolkit::bars
