#include "toolkit/bars/windows/dx_bar_quick_customize.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_strings.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_cust_items.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/cx_timer.h"
#include "toolkit/base/resource_strings.h"

#include "platform/core/message_loop.h"
#include "platform/core/window_handle.h"

#include "platform/win/monitors.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

const toolkit::base::TResStringRec dxSBAR_ADDREMOVEBUTTONS{"&Add or Remove Buttons"};
const toolkit::base::TResStringRec dxSBAR_RESETTOOLBAR{"&Reset Toolbar"};
// Posted to the popups' own window: the closed quick bars go.
constexpr pc::UINT kFreeClosedQuickControls = pw::WM_USER + 1;

} // namespace

TdxBarCustomizePopups::TdxBarCustomizePopups(pc::TComponent* AOwner, TdxBarManager& AManager)
    : pc::TComponent(AOwner), FManager(&AManager) {
    FToolbarsPopup = &Own<TdxBarPopupMenu>();
    FToolbarsPopup->SetBarManager(&Manager());
    FToolbarsPopup->SetUseRecentItems(false);
    FQuickSubItem = &Own<TdxBarQuickSubItem>();
    FQuickSubItem->SetBarManager(&Manager());
    FQuickSubItem->SetCaption(base::cxGetResourceString(dxSBAR_ADDREMOVEBUTTONS));
    FQuickSubItem->ItemLinks().UseRecentItems = false;
    FQuickSubItem->OnPopup = [this](pc::TObject*) { BuildQuickSubMenu(); };
}

TdxBarCustomizePopups::~TdxBarCustomizePopups() = default;

TdxBarManager& TdxBarCustomizePopups::Manager() const {
    return *FManager;
}

TdxBarCustomizePopups* TdxBarCustomizePopups::Find(TdxBarManager& Manager) {
    pc::TComponent* Form = Manager.Form();
    if (Form == nullptr) return nullptr;
    for (int I = 0; I < Form->ComponentCount(); ++I)
        if (auto* Popups = dynamic_cast<TdxBarCustomizePopups*>(Form->Components(I)))
            if (Popups->FManager == &Manager) return Popups;
    return nullptr;
}

TdxBarCustomizePopups& TdxBarCustomizePopups::Of(TdxBarManager& Manager) {
    // The form owns them, made after its manager: they go first, their items with them.
    if (TdxBarCustomizePopups* Popups = Find(Manager)) return *Popups;
    return Manager.Form()->Own<TdxBarCustomizePopups>(Manager);
}

void TdxBarCustomizePopups::FreeItems(std::vector<TdxBarItem*>& Kept) {
    for (TdxBarItem* Item : Kept)
        FreeComponent(*Item);
    Kept.clear();
}

void TdxBarCustomizePopups::ShowToolbarsPopup(pg::TPoint P) {
    if (FToolbarsPopup->Shown()) return;
    if (TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl()) Active->HideAll();
    TdxBarItemLinks& Links = FToolbarsPopup->ItemLinks();
    // The entries of the last showing are linked nowhere else once cleared.
    Links.Clear();
    FreeUnusedInternalItems();
    Manager().AddToolbarsListItems(Links);
    if (Links.Count() == 0) return;
    FToolbarsPopup->ReturnAtOnce = true;
    FToolbarsPopup->Popup(P.X, P.Y);
}

void TdxBarCustomizePopups::ShowQuickControl(TdxBarControl& Toolbar) {
    // One quick bar at a time, whichever manager's.
    if (TdxBarQuickControl* Open = dxBarQuickControl()) {
        if (&Open->ParentBar() == &Toolbar) return;
        Open->Close();
    }
    if (!dxBarUnit().BarControlExists(&Toolbar)) return;
    FQuickToolbar = &Toolbar;
    FQuickBar = Toolbar.Bar();
    FQuickSubItem->SetEnabled(FQuickBar && FQuickBar->AllowQuickCustomizing());
    FQuickControl = std::make_unique<TdxBarQuickControl>(Toolbar, *FQuickSubItem);
    FQuickControl->ShowAt(Toolbar.GetMarkScreenRect());
    PlayBarSound(dxBarSoundMenuPopup);
}

pg::TRect QuickControlPlace(const pg::TRect& Mark, pg::TSize Size, bool Vertical, bool Floating,
                            bool LeftAligned) {
    pg::TPoint P;
    if (Vertical)
        P = {Mark.Right, Mark.Top};
    else if (Floating && LeftAligned)
        P = {Mark.Left, Mark.Bottom};
    else
        P = {Mark.Right - Size.cx, Mark.Bottom};
    const pg::TRect Work = GetMonitorWorkArea({Mark.Left, Mark.Top});
    if (Vertical) {
        // Beside the bar: to the mark's left when the right side has no room.
        if (P.X + Size.cx > Work.Right) P.X = Mark.Left - Size.cx;
        if (P.Y + Size.cy > Work.Bottom) P.Y = Work.Bottom - Size.cy;
        P.Y = std::max(P.Y, Work.Top);
    } else {
        if (P.X + Size.cx > Work.Right) P.X = Work.Right - Size.cx;
        P.X = std::max(P.X, Work.Left);
        if (P.Y + Size.cy > Work.Bottom) P.Y = Mark.Top - Size.cy;
    }
    return {P.X, P.Y, P.X + Size.cx, P.Y + Size.cy};
}

void TdxBarCustomizePopups::StartQuickControlTimer() {
    if (FQuickTimer) return;
    FQuickTimer = std::make_unique<toolkit::base::TcxTimer>(nullptr);
    FQuickTimer->SetInterval(200);
    FQuickTimer->SetOnTimer([this](pc::TObject*) {
        // The handler frees the timer: nothing of it is touched afterwards.
        std::unique_ptr<toolkit::base::TcxTimer> Done = std::move(FQuickTimer);
        TdxBarQuickControl* Quick = FQuickControl.get();
        TdxBarItemControl* Selected = Manager().SelectedItem();
        if (Quick == nullptr || Selected == nullptr || Selected->Parent() == nullptr) return;
        if (GetItemControlRootBarControl(Selected) != Quick) Quick->Close();
    });
}

bool TdxBarCustomizePopups::TakeMarkClickClosed(const TdxBarControl& Toolbar) {
    const bool Closed = FMarkClickClosed == &Toolbar;
    FMarkClickClosed = nullptr;
    return Closed;
}

void TdxBarCustomizePopups::CloseQuickControl() {
    FQuickToolbar = nullptr;
    if (!FQuickControl) return;
    // Out of the member first: what its closing calls meets no quick bar.
    std::unique_ptr<TdxBarQuickControl> Going = std::move(FQuickControl);
    Going->Close();
    FClosedQuickControls.push_back(std::move(Going));
    if (!FReleaser)
        FReleaser = std::make_unique<pc::MessageWindow>([this](pc::TMessage& Message) {
            if (Message.Msg == kFreeClosedQuickControls) FreeClosedQuickControls();
        });
    pc::PostMessage(FReleaser->Handle(), kFreeClosedQuickControls, 0, 0);
}

void TdxBarCustomizePopups::FreeClosedQuickControls() {
    // Out of the member first: a bar's going may close another.
    std::vector<std::unique_ptr<TdxBarQuickControl>> Going = std::move(FClosedQuickControls);
    FClosedQuickControls.clear();
}

TdxBarQuickControl* dxBarQuickControl() {
    TdxBarManagerList& List = dxBarUnit().BarManagerList();
    for (int I = 0; I < List.GetCount(); ++I)
        if (TdxBarCustomizePopups* Popups = TdxBarCustomizePopups::Find(*List.GetItem(I)))
            if (TdxBarQuickControl* Quick = Popups->QuickControl()) return Quick;
    return nullptr;
}

void TdxBarCustomizePopups::BuildQuickSubMenu() {
    TdxBarItemLinks& Links = FQuickSubItem->ItemLinks();
    Links.Clear();
    FreeItems(FSubMenuItems);
    FreeUnusedInternalItems();
    if (!FQuickToolbar || !dxBarUnit().BarControlExists(FQuickToolbar) || !FQuickBar) return;
    TdxBar* Bar = FQuickBar;
    TdxBarItemLinks& Source = *FQuickToolbar->ItemLinks();
    for (int I = 0; I < Source.Count(); ++I) {
        TdxBarItemLink* Link = Source.Items(I);
        if (!Link->Item()) continue;
        auto& Entry = NewButton<TdxBarQuickCustItem>(FSubMenuItems, Link->GetCaption());
        Entry.SetButtonStyle(bsChecked);
        Entry.SetAllowAllUp(true);
        Entry.SetDown(Link->Visible());
        Entry.SetGlyph(Link->Item()->Glyph());
        Entry.SetImageIndex(Link->Item()->ImageIndex());
        Entry.SetShortCut(Link->Item()->ShortCut());
        Entry.Hint = Link->Item()->Hint;
        Entry.CloseSubMenuOnClick = false;
        // The toolbar's link by its place: the entry outlives no rebuild of the toolbar.
        Entry.Bar = Bar;
        Entry.LinkIndex = I;
        Links.Add(&Entry);
    }
    const bool CanReset = Manager().AllowReset && Bar->IsResetAllowed();
    if (CanReset) {
        auto& Reset = NewButton<TdxBarQuickCustExtButton>(
            FSubMenuItems, base::cxGetResourceString(dxSBAR_RESETTOOLBAR));
        // The user is asked first.
        Reset.OnClick = [Bar](pc::TObject*) { Bar->ResetWithConfirmation(); };
        Links.Add(&Reset)->SetBeginGroup(true);
    }
    AddCustomizeCommandLink(Manager(), Links, !CanReset, true);
}

void ShowToolbarsPopup(TdxBarManager& Manager, pg::TPoint P) {
    TdxBarCustomizePopups::Of(Manager).ShowToolbarsPopup(P);
}

} // namespace toolkit::bars
