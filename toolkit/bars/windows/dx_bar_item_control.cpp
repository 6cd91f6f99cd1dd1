#include "toolkit/bars/windows/dx_bar_item_control.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"

#include "toolkit/base/object_links.h"

#include "platform/win/input_state.h"

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

const TdxBarItemControlClass& TdxBarItemControl::ClassRef() {
    static const TdxBarItemControlClass Class(
        "TdxBarItemControl", &pc::TObject::ClassRef(),
        pc::ConstructorOf<TdxBarItemControl, TdxBarItemControl, TdxBarItemLink*>());
    return Class;
}

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* AItemLink)
    : FItemLink(AItemLink), FParent(AItemLink ? AItemLink->GetBarControl() : nullptr) {}

TdxBarItemControl::~TdxBarItemControl() {
    TdxBarManager* Manager = BarManager();
    if (Manager && Manager->SelectedItem() == this) Manager->ForgetSelectedItem();
    if (FParent && FParent->SelectedControl() == this) {
        // The link has already let go of this control: the window forgets it without asking
        // it anything more (an active window going down with its form would ask it). While
        // customizing, links come and go under the selection: it is forgotten all the same.
        FParent->FSelectedControl = nullptr;
        if (Manager && !Manager->IsDestroying() && !Manager->IsCustomizing())
            FParent->SelectionChanged(nullptr);
    }
    if (FParent && FParent->DownControl() == this) FParent->FDownControl = nullptr;
    toolkit::base::cxClearObjectLinks(this);
}

const TdxBarItemControlPainter& TdxBarItemControl::Painter() const {
    if (FParent) return FParent->Painter();
    if (TdxBarManager* Manager = BarManager()) return Manager->Painter();
    return TdxBarItemControlPainter::Instance();
}

void TdxBarItemControl::SetInClick(bool Value) {
    if (FInClick == Value) return;
    FInClick = Value;
    InClickChanged();
}

// --- Notifications ---

void TdxBarItemControl::Changed() {
    if (FParent) FParent->RefreshLayout();
}

void TdxBarItemControl::CaptionChanged() {
    if (GetAlign() == iaClient)
        Repaint();
    else
        Changed();
}

void TdxBarItemControl::EnabledChanged() {
    if (!GetEnabled() && FParent && FParent->SelectedControl() == this) {
        TdxBarItemControl* Old = this;
        FParent->FSelectedControl = nullptr;
        FParent->SelectionChanged(Old);
    }
    Repaint();
}

void TdxBarItemControl::GlyphChanged() {
    Repaint();
}

void TdxBarItemControl::InClickChanged() {
    if (!FInClick) Repaint();
}

void TdxBarItemControl::LayoutChanged() {
    Changed();
}

// --- Questions of the window ---

bool TdxBarItemControl::CanHit() const {
    TdxBarItem* AItem = Item();
    TdxBarManager* Manager = BarManager();
    return AItem != nullptr && Manager != nullptr && AItem->BarManager() == Manager;
}

bool TdxBarItemControl::CanSelectNow() const {
    if (FParent == nullptr || !FParent->IsCustomizing()) return true;
    return CanHit();
}

bool TdxBarItemControl::IsSelected() const {
    if (FParent == nullptr || !dxBarUnit().BarControlExists(FParent)) return false;
    return FParent->SelectedControl() == this && (GetEnabled() || !HideSelectionWhenDisabled);
}

void TdxBarItemControl::KeyDown(std::uint16_t) {}

bool TdxBarItemControl::WantsKey(std::uint16_t) const {
    return false;
}

bool TdxBarItemControl::HasToolbarHint() const {
    return !GetHint().empty() && FParent != nullptr && !FParent->IsSubMenuControl();
}

bool TdxBarItemControl::IsFlatWindow() const {
    return FParent != nullptr && FParent->IsFlatBorder();
}

bool TdxBarItemControl::HandlesDblClick() const {
    TdxBarManager* Manager = BarManager();
    return (Manager && Manager->IsDesigning()) || WantsDblClick();
}

// --- Clicking ---

void TdxBarItemControl::Click(bool ByMouse) {
    if (!GetEnabled()) return;
    auto Link = toolkit::base::cxAddObjectLink(this);
    MouseDown(ByMouse);
    if (Link->Ref == nullptr) return;
    if (FParent && dxBarUnit().BarControlExists(FParent) && FParent->HasItemControl(this))
        ControlClick(ByMouse);
}

void TdxBarItemControl::ControlActivate(bool) {
    FActive = true;
}

void TdxBarItemControl::ControlInactivate(bool) {
    FActive = false;
}

void TdxBarItemControl::MouseDown(bool) {}

// From the window's button-up over this control, or a key in a menu, to the item's OnClick.
// Menus close first (HideAll), so the command runs with none open; a toolbar button that
// unclicks afterwards shows itself pressed (InClick) until the command returns or raises.
void TdxBarItemControl::ControlClick(bool ByMouse) {
    (void)ByMouse;
    if (FParent && FParent->IsSubMenuControl() && dynamic_cast<TdxBarButton*>(Item()))
        PlayBarSound(dxBarSoundMenuCommand);
    TdxBarItemLink* Link = FItemLink;
    // A copy's click counts for the link it stands for, which outlives the copy's window.
    TdxBarItemLink* Origin = Link ? Link->GetOriginalLink() : nullptr;
    const bool CanClickNow = CanClick();
    const bool Closes = ClosesMenusOnClick();
    if (Closes && Link) {
        Link->BringToTopInRecentList(true);
        if (Origin != Link) Origin->BringToTopInRecentList(true);
    }

    auto Self = toolkit::base::cxAddObjectLink(this);
    const bool Unclick =
        UnclickAfterDoing() && (!Closes || (FParent && !FParent->IsSubMenuControl()));
    if (Unclick) SetInClick(true);
    struct Unclicker {
        toolkit::base::TcxObjectLink& Self;
        bool Unclick;
        ~Unclicker() {
            if (Unclick && Self.Ref != nullptr)
                static_cast<TdxBarItemControl*>(Self.Ref)->SetInClick(false);
        }
    } Finally{*Self, Unclick};

    TdxBarItem* AItem = Item();
    // Closing the menus frees their controls and links, and a menu of its own entries (the
    // customising popup) lets their items go: the item is touched afterwards only while it
    // lives, and its clicked link is the one clicked only while the item still has it.
    auto ItemAlive = toolkit::base::cxAddObjectLink(AItem);
    if (Closes) {
        if (FParent) FParent->HideAll();
    } else if (Origin == nullptr) {
        Origin = Link;
    }
    if (Origin == nullptr) Origin = Link;
    if (!CanClickNow || ItemAlive == nullptr || ItemAlive->Ref == nullptr) return;
    bool OriginKept = false;
    for (int I = 0; I < AItem->LinkCount() && !OriginKept; ++I)
        OriginKept = AItem->Links(I) == Origin;
    AItem->ClickedLink = OriginKept ? Origin : nullptr;
    AItem->DirectClick();
    if (ItemAlive->Ref != nullptr) AItem->ClickedLink = nullptr;
}

// --- What the control shows ---

std::string TdxBarItemControl::GetCaption() const {
    return FItemLink ? FItemLink->GetCaption() : std::string();
}

bool TdxBarItemControl::GetEnabled() const {
    TdxBarItem* AItem = Item();
    return AItem != nullptr && AItem->Enabled();
}

pf::TBitmap* TdxBarItemControl::GetGlyph() const {
    return FItemLink ? FItemLink->GetGlyph() : nullptr;
}

int TdxBarItemControl::GetImageIndex() const {
    TdxBarItem* AItem = Item();
    return AItem ? AItem->ImageIndex() : -1;
}

pf::TImageList* TdxBarItemControl::GetImages(bool LargeAllowed) const {
    TdxBarManager* Manager = BarManager();
    if (Manager == nullptr) return nullptr;
    const bool Large = LargeAllowed && Manager->LargeIcons() && Manager->CanUseLargeImages();
    if (GetEnabled()) return Large ? Manager->LargeImages() : Manager->Images();
    if (Large)
        return Manager->DisabledLargeImages() ? Manager->DisabledLargeImages()
                                              : Manager->LargeImages();
    return Manager->DisabledImages() ? Manager->DisabledImages() : Manager->Images();
}

std::string TdxBarItemControl::GetHint() const {
    TdxBarItem* AItem = Item();
    return AItem ? AItem->Hint : std::string();
}

pf::TShortCut TdxBarItemControl::GetShortCut() const {
    TdxBarItem* AItem = Item();
    return AItem ? AItem->ShortCut() : pf::TShortCut{0};
}

void TdxBarItemControl::Paint(const TRect&, TdxBarPaintType) {}

void TdxBarItemControl::Repaint() {
    if (FParent == nullptr || FParent->DestroyingControls()) return;
    FParent->FRepaintingSelection = true;
    FParent->UpdateControl(this);
    FParent->FRepaintingSelection = false;
}

// --- Size ---

TdxBarItemAlign TdxBarItemControl::GetAlign() const {
    TdxBarItem* AItem = Item();
    if (AItem == nullptr || AItem->Align() == iaLeft) return iaLeft;
    if (FParent == nullptr || !FParent->CanAlignControl(this)) return iaLeft;
    return AItem->Align();
}

namespace {
bool DockedSideways(const TCustomdxBarControl* Parent) {
    return Parent && !Parent->IsSubMenuControl() &&
           (Parent->DockingStyle() == dsLeft || Parent->DockingStyle() == dsRight);
}
bool Rotated(const TCustomdxBarControl* Parent) {
    return DockedSideways(Parent) && Parent->Bar() && Parent->Bar()->BarRotateWhenVertical();
}
} // namespace

int TdxBarItemControl::GetHeight() const {
    if (GetAlign() == iaClient && DockedSideways(FParent))
        return Rotated(FParent) ? GetClientAlignedLength() : GetClientAlignedHeight();
    return GetDefaultHeight();
}

int TdxBarItemControl::GetWidth() const {
    if (GetAlign() == iaClient && !DockedSideways(FParent)) return GetClientAlignedLength();
    return GetDefaultWidth();
}

bool TdxBarItemControl::IsPressedByMouse() const {
    if (!GetEnabled() || FParent == nullptr || !FItemLink) return false;
    pg::TPoint P{};
    platform::win::GetCursorPos(&P);
    P = FParent->ScreenToClient(P);
    return pg::PtInRect(FItemLink->ItemRect, P) && IsLeftMouseButtonPressed();
}

bool TdxBarItemControl::HasImage() const {
    if (pf::TBitmap* Glyph = GetGlyph(); Glyph && !Glyph->Empty()) return true;
    pf::TImageList* Images = GetImages(false);
    const int Index = GetImageIndex();
    return Images != nullptr && Index >= 0 && Index < Images->Count();
}

bool TdxBarItemControl::IsInToolbar() const {
    return FParent != nullptr && !FParent->IsSubMenuControl();
}

bool TdxBarItemControl::UnclickAfterDoing() const {
    auto* Button = dynamic_cast<TdxBarButton*>(Item());
    return Button == nullptr || Button->UnclickAfterDoing;
}

// --- The painters' record ---

void TdxBarItemControl::FillPaintedItem(TdxBarItemControlState& State) const {
    State.Parent = FParent ? &FParent->PaintedBar() : nullptr;
    State.Item = Item();
    State.Link = FItemLink;
    State.NonRecent = RarelyUsed;
    // In a menu the glyph column is as wide as the row is high; a group separator's line
    // starts past it.
    if (FParent && FParent->IsSubMenuControl() && FItemLink)
        State.GlyphColumnWidth = FItemLink->ItemRect.Bottom - FItemLink->ItemRect.Top;
    if (TCustomdxBarControl* Open = GetSubBarControl()) State.OpenMenu = &Open->PaintedBar();
}

const TdxBarItemControlState& TdxBarItemControl::PaintedItem() const {
    FPainted = TdxBarItemControlState{};
    FillPaintedItem(FPainted);
    return FPainted;
}

TdxBarItemStates TdxBarItemControl::PaintStates(TdxBarPaintType Kind) const {
    TdxBarItemStates S;
    S.Selected = IsSelected();
    S.Enabled = GetEnabled();
    S.PaintType = Kind;
    return S;
}

} // namespace toolkit::bars
