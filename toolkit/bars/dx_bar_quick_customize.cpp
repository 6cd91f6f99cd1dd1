#include "toolkit/bars/dx_bar_quick_customize.h"

#include "toolkit/bars/dx_bar.h"
#include "toolkit/bars/dx_bar_button.h"
#include "toolkit/bars/dx_bar_mdi.h"
#include "toolkit/bars/dx_bar_menu_control.h"
#include "toolkit/bars/dx_bar_popup_menu.h"
#include "toolkit/bars/dx_bar_strings.h"
#include "toolkit/bars/dx_bar_sub_item.h"
#include "toolkit/bars/dx_bar_toolbar_control.h"
#include "toolkit/bars/dx_bar_unit.h"

#include "toolkit/base/resource_strings.h"

#include "platform/win/input_state.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;

namespace {

const toolkit::base::TResStringRec dxSBAR_ADDREMOVEBUTTONS{"&Add or Remove Buttons"};
const toolkit::base::TResStringRec dxSBAR_RESETTOOLBAR{"&Reset Toolbar"};

} // namespace

TdxBarCustomizePopups::TdxBarCustomizePopups(pc::TComponent* AOwner, TdxBarManager& AManager)
    : pc::TComponent(AOwner), FManager(&AManager) {
    FToolbarsPopup = &Own<TdxBarPopupMenu>();
    FToolbarsPopup->SetBarManager(&Manager());
    FToolbarsPopup->SetUseRecentItems(false);
    FQuickControl = &Own<TdxBarPopupMenu>();
    FQuickControl->SetBarManager(&Manager());
    FQuickControl->SetUseRecentItems(false);
    FQuickControl->OnCloseUp = [this](pc::TObject*) {
        TdxBarControl* Toolbar = FQuickToolbar;
        FQuickToolbar = nullptr;
        // A press on the mark closed the menu: the same press must not open it again.
        pg::TPoint Cursor{};
        platform::win::GetCursorPos(&Cursor);
        if (Toolbar && dxBarUnit().BarControlExists(Toolbar) && IsLeftMouseButtonPressed() &&
            pg::PtInRect(Toolbar->GetMarkScreenRect(), Cursor))
            FMarkClickClosed = Toolbar;
        if (Toolbar && dxBarUnit().BarControlExists(Toolbar) && Toolbar->MarkState() == 2)
            Toolbar->SetMarkState(0);
    };
    FQuickSubItem = &Own<TdxBarSubItem>();
    FQuickSubItem->SetBarManager(&Manager());
    FQuickSubItem->SetCaption(base::cxGetResourceString(dxSBAR_ADDREMOVEBUTTONS));
    FQuickSubItem->ItemLinks().UseRecentItems = false;
    FQuickSubItem->OnPopup = [this](pc::TObject*) { BuildQuickSubMenu(); };
}

TdxBarCustomizePopups::~TdxBarCustomizePopups() = default;

TdxBarManager& TdxBarCustomizePopups::Manager() const {
    return *FManager;
}

TdxBarCustomizePopups& TdxBarCustomizePopups::Of(TdxBarManager& Manager) {
    // The form owns them, made after its manager: they go first, their items with them.
    pc::TComponent& Form = *Manager.Form();
    for (int I = 0; I < Form.ComponentCount(); ++I)
        if (auto* Popups = dynamic_cast<TdxBarCustomizePopups*>(Form.Components(I)))
            if (Popups->FManager == &Manager) return *Popups;
    return Form.Own<TdxBarCustomizePopups>(Manager);
}

TdxBarButton& TdxBarCustomizePopups::NewButton(std::vector<TdxBarItem*>& Kept,
                                               const std::string& Caption) {
    auto& Button = Own<TdxBarButton>();
    Button.SetBarManager(&Manager());
    Button.SetCaption(Caption);
    Kept.push_back(&Button);
    return Button;
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
    CloseQuickControl();
    TdxBarItemLinks& Links = FQuickControl->ItemLinks();
    Links.Clear();
    FreeItems(FQuickItems);
    FQuickToolbar = &Toolbar;
    FQuickBar = dynamic_cast<TdxBar*>(Toolbar.Bar());
    // What the toolbar cuts off, or does not show at all, is reached here.
    TdxBarItemLinks& Source = *Toolbar.ItemLinks();
    for (int I = 0; I < Source.CanVisibleItemCount(); ++I) {
        TdxBarItemLink* Link = Source.CanVisibleItems(I);
        const bool Shown = Link->GetVisibleIndex() >= 0;
        if (Shown && !pg::IsRectEmpty(Link->ItemRect)) continue;
        TdxBarItemLink* Copy = Links.Add(Link->Item());
        Copy->SetBeginGroup(Link->OwnBeginGroup());
        if (!Link->UserCaption().empty()) Copy->SetUserCaption(Link->UserCaption());
    }
    FQuickSubItem->SetEnabled(FQuickBar && FQuickBar->AllowQuickCustomizing());
    Links.Add(FQuickSubItem)->SetBeginGroup(true);

    const pg::TRect Mark = Toolbar.GetMarkScreenRect();
    FQuickControl->ReturnAtOnce = true;
    FQuickControl->Popup(Mark.Left, Mark.Bottom);
    TdxBarSubMenuControl* Window = FQuickControl->GetSubMenuControl();
    if (!Window) return;
    Window->OwnerItemRect = Mark;
    // Right-aligned to the mark, kept on the screen.
    const int Left = std::max(Mark.Right - Window->Width(), 0);
    Window->SetBounds(Left, Window->Top(), Window->Width(), Window->Height());
    PlayBarSound(dxBarSoundMenuPopup);
}

bool TdxBarCustomizePopups::TakeMarkClickClosed(const TdxBarControl& Toolbar) {
    const bool Closed = FMarkClickClosed == &Toolbar;
    FMarkClickClosed = nullptr;
    return Closed;
}

void TdxBarCustomizePopups::CloseQuickControl() {
    if (TdxBarSubMenuControl* Window = FQuickControl->GetSubMenuControl()) Window->HideAll();
    FQuickToolbar = nullptr;
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
        TdxBarButton& Entry = NewButton(FSubMenuItems, Link->GetCaption());
        Entry.SetButtonStyle(bsChecked);
        Entry.SetAllowAllUp(true);
        Entry.SetDown(Link->Visible());
        Entry.SetGlyph(Link->Item()->Glyph());
        Entry.SetImageIndex(Link->Item()->ImageIndex());
        Entry.SetShortCut(Link->Item()->ShortCut());
        Entry.CloseSubMenuOnClick = false;
        // The toolbar's link by its place: the entry outlives no rebuild of the toolbar.
        Entry.OnClick = [Bar, I](pc::TObject*) {
            if (TdxBarItemLink* Target = Bar->ItemLinks().Items(I))
                Target->SetVisible(!Target->Visible());
        };
        Links.Add(&Entry);
    }
    const bool CanReset = Manager().AllowReset && Bar->IsResetAllowed();
    if (CanReset) {
        TdxBarButton& Reset =
            NewButton(FSubMenuItems, base::cxGetResourceString(dxSBAR_RESETTOOLBAR));
        Reset.OnClick = [Bar](pc::TObject*) { Bar->Reset(); };
        Links.Add(&Reset)->SetBeginGroup(true);
    }
    AddCustomizeCommandLink(Manager(), Links, !CanReset);
}

void ShowToolbarsPopup(TdxBarManager& Manager, pg::TPoint P) {
    TdxBarCustomizePopups::Of(Manager).ShowToolbarsPopup(P);
}

} // namespace toolkit::bars
