#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/bars/model/dx_bar_backgrounds.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_keyboard_hook.h"
#include "toolkit/bars/windows/dx_bar_menu_animation.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/win/input_state.h"
#include "platform/win/layered_windows.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::bars {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

TdxBarSubMenuControl::TdxBarSubMenuControl(TdxBarManager* ABarManager)
    : TCustomdxBarControl(ABarManager) {
    SetBounds(Left(), Top(), 0, Height());
}

TdxBarSubMenuControl::~TdxBarSubMenuControl() {
    FClosing = true;
    dxBarStopMenuAnimation(this);
    if (auto* Child = dynamic_cast<TdxBarSubMenuControl*>(SubMenuControl()))
        if (!Child->Closing()) Child->HideAndFree();
    if (TCustomdxBarControl* P = ParentBarControl();
        P && dxBarUnit().BarControlExists(P) && P->SubMenuControl() == this)
        P->SetSubMenuControl(nullptr);
    TdxBarItemControl* Opener = CustomizingOpener(SubItemControl);
    // The base destructor would no longer take the containers' entries out.
    DestroyControls();
    // The base destructor no longer knows this is a menu: it would close the opener's menus.
    SetActive(false);
    SetParentBarControl(nullptr);
    Closed();
    HandSelectionBack(Opener);
    if (FRarelyUsedBrush != pg::HBRUSH{}) pg::DeleteObject(FRarelyUsedBrush);
}

// --- Questions ---

TdxBarPopupMenu* TdxBarSubMenuControl::OwnerPopupMenu() const {
    return ItemLinks() ? dynamic_cast<TdxBarPopupMenu*>(ItemLinks()->Owner()) : nullptr;
}

TCustomdxBarSubItem* TdxBarSubMenuControl::OwnerSubItem() const {
    if (SubItemControl)
        if (TCustomdxBarSubItem* Sub = SubItemControl->SubItem()) return Sub;
    if (ItemLinks() && ItemLinks()->Owner()) return ItemLinks()->Owner()->LinksOwnerSubItem();
    return nullptr;
}

bool TdxBarSubMenuControl::IsItemCustomizingAllowed() const {
    if (TCustomdxBarControl::IsItemCustomizingAllowed() || OwnerPopupMenu()) return true;
    const auto* Sub = dynamic_cast<const TdxBarSubItem*>(OwnerSubItem());
    return Sub && Sub->AllowCustomizing;
}

int TdxBarSubMenuControl::GetBarSize() const {
    if (const TdxBarPopupMenu* Popup = OwnerPopupMenu()) return Popup->BarSize();
    if (const TCustomdxBarSubItem* Sub = OwnerSubItem()) return Sub->BarSize();
    return 0;
}

pg::TRect TdxBarSubMenuControl::GetBarRect() const {
    const int Size = GetBarSize();
    if (Size <= 0) return {};
    const TRect Client = ClientRect();
    return {Client.Left + 1, Client.Top + 1, Client.Left + 1 + Size, Client.Bottom - 1};
}

pf::TBitmap* TdxBarSubMenuControl::GetBackgroundBitmap() const {
    if (TdxBarPopupMenu* Popup = OwnerPopupMenu(); Popup && !Popup->BackgroundBitmap().Empty())
        return &Popup->BackgroundBitmap();
    TdxBarManager* Manager = BarManager();
    if (Manager && Manager->Backgrounds() && !Manager->Backgrounds()->SubMenu().Empty())
        return &Manager->Backgrounds()->SubMenu();
    return nullptr;
}

int TdxBarSubMenuControl::GetBorderSize() const {
    return Painter().GetSubMenuBorderSize();
}

int TdxBarSubMenuControl::GetSeparatorSize() const {
    return Painter().SubMenuBeginGroupSize();
}

pg::HFONT TdxBarSubMenuControl::GetFontHandle() const {
    if (TCustomdxBarControl* P = ParentBarControl(); P && P->IsSubMenuControl())
        return P->GetFontHandle();
    if (const TdxBarPopupMenu* Popup = OwnerPopupMenu(); Popup && Popup->UseOwnFont())
        return Popup->FontHandle();
    return TCustomdxBarControl::GetFontHandle();
}

void TdxBarSubMenuControl::UpdateFont() {
    if (TCustomdxBarControl* P = ParentBarControl(); P && P->IsSubMenuControl())
        Font().Assign(P->Font());
    else if (TdxBarPopupMenu* Popup = OwnerPopupMenu(); Popup && Popup->UseOwnFont())
        Font().Assign(Popup->Font());
    else if (BarManager())
        Font().Assign(BarManager()->Font());
}

void TdxBarSubMenuControl::CalcDrawingConsts() {
    TCustomdxBarControl::CalcDrawingConsts();
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    const pg::HFONT MenuFont = GetFontHandle();
    pg::SelectObject(DC, MenuFont != pg::HFONT{} ? MenuFont : Font().Handle());
    int ItemHeight = TextSize();
    int WidthMetric = 0;
    Painter().CalcSubMenuItemSize(PaintedBar(), DC, ItemHeight, FReferenceGlyphSize,
                                  FExpandButtonHeight, WidthMetric);
    pg::DeleteDC(DC);
    SetTextSize(ItemHeight);
    SetWidthMetric(WidthMetric);
}

bool TdxBarSubMenuControl::RightButtonActsAsLeft() const {
    if (OwnerWidth == 0 && OwnerHeight == 0) return true;
    if (auto* P = dynamic_cast<const TdxBarSubMenuControl*>(ParentBarControl()))
        return P->RightButtonActsAsLeft();
    return false;
}

bool TdxBarSubMenuControl::IsBeginGroupRow(int VisibleIndex) const {
    // The row under the scroll-up area starts the rows shown: no separator above it.
    if (VisibleIndex <= FTopIndex || (CanScrollUp() && VisibleIndex == FTopIndex + 1)) return false;
    return ItemLinks()->VisibleItems(VisibleIndex)->BeginGroup();
}

// The separator above a begin-group row belongs to the row.
pg::TRect TdxBarSubMenuControl::GetItemRect(const TdxBarItemControl* Control) const {
    TRect R = TCustomdxBarControl::GetItemRect(Control);
    if (Control == nullptr || Control->ItemLink() == nullptr || R.Bottom <= R.Top) return R;
    if (Control->BlockStart && Painter().SeparatorIncreasesGap()) ++R.Top;
    if (IsBeginGroupRow(Control->ItemLink()->GetVisibleIndex())) R.Top -= GetSeparatorSize();
    return R;
}

TdxBarItemControl* TdxBarSubMenuControl::ItemAtPosEx(TPoint ClientPoint, bool& Outside,
                                                     bool& Vertical, bool& Before) const {
    if (pg::PtInRect(ScrollUpArea(), ClientPoint) || pg::PtInRect(ScrollDownArea(), ClientPoint) ||
        pg::PtInRect(ExpandArea(), ClientPoint)) {
        Outside = false;
        Vertical = true;
        Before = false;
        return nullptr;
    }
    return TCustomdxBarControl::ItemAtPosEx(ClientPoint, Outside, Vertical, Before);
}

// --- Layout ---

void TdxBarSubMenuControl::SetTopIndex(int Value) {
    Value = std::max(Value, 0);
    if (Value == FTopIndex) return;
    FTopIndex = Value;
    if (HandleAllocated()) {
        CalcLayout(false);
        Invalidate();
    }
}

pg::TSize TdxBarSubMenuControl::CalcLayout(bool Measuring) {
    pg::TSize Size{0, 0};
    if (ItemLinks() == nullptr) return Size;
    TdxBarControlState& State = PaintedBar();
    int LowestBottom = 0;
    TRect Area{};
    Painter().CalcSubMenuRect(State, Measuring, LowestBottom, Area);
    const int First = std::max(FTopIndex, 0);
    const bool ExpandedMode = RecentItemsMode() && RecentItemsExpanded();
    int RecentCount = ExpandedMode ? ItemLinks()->GetRecentItemCount() : -1;
    if (RecentCount < 0) RecentCount = ItemLinks()->CanVisibleItemCount();
    const auto IsRarelyUsed = [&](const TdxBarItemLink* Link) {
        return ExpandedMode && Link->GetRecentIndex() >= RecentCount;
    };
    bool PrevRarelyUsed = First > 0 && First <= ItemLinks()->VisibleItemCount() &&
                          IsRarelyUsed(ItemLinks()->VisibleItems(First - 1));
    // Under a detach strip the first row is no top edge of the window: a block may start there.
    const bool BlockAtFirst = IsDetachable();
    for (int I = 0; I < First && I < ItemLinks()->VisibleItemCount(); ++I)
        ItemLinks()->VisibleItems(I)->ItemRect = {};
    int Top = Area.Top;
    bool Full = false;
    for (int I = First; I < ItemLinks()->VisibleItemCount(); ++I) {
        TdxBarItemLink* Link = ItemLinks()->VisibleItems(I);
        TdxBarItemControl* Control = Link->Control();
        if (Full || Control == nullptr) {
            Link->ItemRect = {};
            continue;
        }
        Control->RarelyUsed = IsRarelyUsed(Link);
        Control->BlockStart = Control->RarelyUsed && !PrevRarelyUsed && (I > First || BlockAtFirst);
        PrevRarelyUsed = Control->RarelyUsed;
        if (Control->BlockStart && Painter().SeparatorIncreasesGap()) ++Top;
        if (IsBeginGroupRow(I)) Top += GetSeparatorSize();
        const int Bottom = Top + Control->GetHeight();
        if (Bottom > LowestBottom) {
            Full = true;
            Link->ItemRect = {};
            continue;
        }
        if (Measuring) Size.cx = std::max(Size.cx, Control->GetWidth());
        Link->ItemRect = {Area.Left, Top, Area.Right, Bottom};
        Top = Bottom;
    }
    Size.cy = Top - Area.Top;
    return Size;
}

pg::TSize TdxBarSubMenuControl::MeasureSize() {
    pg::TSize Size = CalcLayout(true);
    const bool Measured = Size.cx != 0;
    Painter().CalcSubMenuSize(PaintedBar(), Size);
    // The window's one-pixel frame (the non-client area) on each side, which the rows must
    // clear; a menu without rows keeps the painter's width as it is.
    if (Measured) Size.cx += 2;
    Size.cy += 2;
    return Size;
}

int TdxBarSubMenuControl::VisibleRowCount() const {
    if (ItemLinks() == nullptr) return 0;
    int Count = 0;
    for (int I = std::max(FTopIndex, 0); I < ItemLinks()->VisibleItemCount(); ++I) {
        if (ItemLinks()->VisibleItems(I)->ItemRect.Bottom == 0) break;
        ++Count;
    }
    return Count;
}

bool TdxBarSubMenuControl::CanScrollDown() const {
    if (ItemLinks() == nullptr) return false;
    return ItemLinks()->VisibleItemCount() - std::max(FTopIndex, 0) > VisibleRowCount();
}

// --- Placement ---

void TdxBarSubMenuControl::CalcPosition(bool& FlippedHorz, bool& FlippedVert) {
    FlippedHorz = false;
    FlippedVert = false;
    const pg::TSize Size = MeasureSize();
    int L = Left(), T = Top();
    const int W = Size.cx;
    int H = Size.cy;
    const TRect Work = GetMonitorWorkArea({L, T});
    if (L + W > Work.Right) {
        if (OwnerWidth != 0) {
            if (L - OwnerWidth - Work.Left > Work.Right - L) {
                L = L - OwnerWidth - W;
                FlippedHorz = true;
            }
        } else {
            L = Work.Right - W;
        }
    }
    if (L < Work.Left) {
        if (OwnerWidth == 0) {
            L = Work.Left;
        } else if (!AllowHorzFlip && Work.Right - (L + W + OwnerWidth) > L + W - Work.Left) {
            L = L + W + OwnerWidth;
            FlippedHorz = true;
        }
    }
    if (L + W > Work.Right) L = Work.Right - W;
    if (L < Work.Left) L = Work.Left;
    if (T + H > Work.Bottom) {
        if (OwnerHeight != 0) {
            if (T - OwnerHeight - Work.Top > Work.Bottom - T) {
                T = T - OwnerHeight - H;
                FlippedVert = true;
            } else {
                H = Work.Bottom - T;
            }
        } else if (T - H >= Work.Top) {
            T -= H;
            FlippedVert = true;
        } else {
            T = Work.Bottom - H;
        }
    }
    if (T < Work.Top) {
        if (!AllowVertFlip && OwnerHeight != 0) {
            if (Work.Bottom - (T + H + OwnerHeight) > T + H - Work.Top) {
                T = T + H + OwnerHeight;
                H = std::min(H, Work.Bottom - T);
            }
        } else if (AllowVertFlip) {
            // A menu that flipped upward keeps its bottom and loses what stood above the work
            // area; any other moves down whole.
            if (FlippedVert) H -= Work.Top - T;
            T = Work.Top;
            H = std::min(H, Work.Bottom - T);
        }
    }
    // FinalLeft and FinalTop keep where the menu was asked to open: a refresh places it from
    // there again, so that a menu that flipped stays on the side it flipped to.
    SetBounds(L, T, W, H);
}

// --- Opening and closing ---

void TdxBarSubMenuControl::CreateParams(TCreateParams& Params) {
    TCustomdxBarControl::CreateParams(Params);
    Params.style = pw::WS_POPUP | pw::WS_CLIPSIBLINGS | pw::WS_CLIPCHILDREN;
    Params.exStyle |= pw::WS_EX_TOPMOST | pw::WS_EX_TOOLWINDOW;
    // Its own class: what a menu covers is saved and given back when it closes.
    Params.className = "TdxBarSubMenuControl";
    Params.classStyle =
        pw::CS_VREDRAW | pw::CS_HREDRAW | pw::CS_DBLCLKS | pw::CS_OWNDC | pw::CS_SAVEBITS;
    if (OwnerWindowHandle != pw::NullHWnd && platform::core::IsWindow(OwnerWindowHandle))
        Params.parent = OwnerWindowHandle;
    else if (BarManager() && BarManager()->Form() && BarManager()->Form()->HandleAllocated())
        Params.parent = BarManager()->Form()->Handle();
}

void TdxBarSubMenuControl::CreateWnd() {
    if (FRarelyUsedBrush == pg::HBRUSH{}) {
        const pg::COLORREF Face = pg::GetSysColor(pg::COLOR_BTNFACE);
        const auto Lighter = [](int C) { return std::min(C + 20, 255); };
        FRarelyUsedBrush =
            pg::CreateSolidBrush(pg::RGB(Lighter(pg::GetRValue(Face)), Lighter(pg::GetGValue(Face)),
                                         Lighter(pg::GetBValue(Face))));
    }
    TCustomdxBarControl::CreateWnd();
    FFinalLeft = Left();
    FFinalTop = Top();
    SetActive(true);
    ApplyRecentItemCount();
    FTopIndex = -1;
    SetTopIndex(0);
    CalcPosition(FFlippedHorz, FFlippedVert);
    PlayBarSound(dxBarSoundMenuPopup);
}

void TdxBarSubMenuControl::Show() {
    DoPopup();
    Animation = BarManager() ? dxBarResolveMenuAnimation(BarManager()->MenuAnimations()) : maNone;
    Animating = Animating && (Animation == maUnfold || Animation == maSlide) && ItemLinks() &&
                ItemLinks()->VisibleItemCount() > 0 && !IsCustomizing();
    Handle();
    if (!dxBarUnit().BarControlExists(this)) return;
    if (Animation == maFade) {
        ProcessPaintMessages();
        pw::AnimateWindow(Handle(), 150, pw::AW_BLEND);
        if (!dxBarUnit().BarControlExists(this)) return;
    } else if (Animating) {
        const bool FromRight = FFlippedHorz || !AllowHorzFlip;
        const bool FromBottom = FFlippedVert || !AllowVertFlip;
        Animating = dxBarStartMenuAnimation(*this, Animation, FromRight, FromBottom);
        if (!dxBarUnit().BarControlExists(this)) return;
        if (Animating) {
            SetVisible(true);
            return;
        }
    }
    ShowNoActivate();
}

void TdxBarSubMenuControl::ShowNoActivate() {
    SetVisible(true);
    pw::SetWindowPos(Handle(), pw::NullHWnd, 0, 0, 0, 0,
                     pw::SWP_NOSIZE | pw::SWP_NOMOVE | pw::SWP_NOZORDER | pw::SWP_NOACTIVATE |
                         pw::SWP_SHOWWINDOW);
    ProcessPaintMessages();
}

void TdxBarSubMenuControl::HideAndFree() {
    if (FClosing) return;
    FClosing = true;
    dxBarStopMenuAnimation(this);
    if (auto* Child = dynamic_cast<TdxBarSubMenuControl*>(SubMenuControl())) Child->HideAndFree();
    if (HandleAllocated()) pw::ShowWindow(Handle(), pw::SW_HIDE);
    SetActive(false);
    Closed();
    if (TdxBarManager* M = BarManager()) M->FreeComponent(*this);
}

void TdxBarSubMenuControl::Closed() {
    if (FClosedUp) return;
    FClosedUp = true;
    DoCloseUp();
}

void TdxBarSubMenuControl::HideAll() {
    if (ParentBarControl()) {
        TCustomdxBarControl::HideAll();
        return;
    }
    SetSubMenuControl(nullptr);
    HideAndFree();
    // What the menu covered shows again at once.
    ProcessPaintMessages();
}

void TdxBarSubMenuControl::ItemLinksGoing() {
    TCustomdxBarControl::ItemLinksGoing();
    if (HandleAllocated()) SetVisible(false);
}

void TdxBarSubMenuControl::DoCloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TdxBarSubMenuControl::DoPopup() {
    if (OnPopup) OnPopup(this);
}

void TdxBarSubMenuControl::RefreshLayout() {
    if (FClosing || FExpandingContainers || !HandleAllocated()) return;
    TdxBarItemLink* Kept = CustomizingSelectedLink();
    DestroyControls();
    ApplyRecentItemCount();
    CreateControls();
    CalcDrawingConsts();
    const int OldTop = FTopIndex;
    const bool Shown = pw::IsWindowVisible(Handle());
    // Placed elsewhere than it was asked to open (flipped, or kept on the work area): it goes
    // back there unseen, and the placement runs again for its new size.
    if (Left() != FFinalLeft || Top() != FFinalTop) {
        pw::ShowWindow(Handle(), pw::SW_HIDE);
        SetBounds(FFinalLeft, FFinalTop, Width(), Height());
    }
    CalcPosition(FFlippedHorz, FFlippedVert);
    CalcLayout(false);
    if (CanScrollUp() && !CanScrollDown()) {
        while (FTopIndex > 0 && !CanScrollDown()) {
            --FTopIndex;
            CalcLayout(false);
        }
        if (CanScrollDown()) {
            ++FTopIndex;
            CalcLayout(false);
        }
    }
    // Shown again where it stands now, without the opening's animation and its OnPopup: the
    // menu did not open anew.
    if (Shown && !pw::IsWindowVisible(Handle())) ShowNoActivate();
    if (OldTop != FTopIndex) CalcLayout(false);
    Invalidate();
    SelectLinkAgain(Kept);
}

// --- Painting ---

int TdxBarSubMenuControl::GetGlyphAreaWidth() const {
    if (!IsQuickCustomizeMenu()) return 0;
    int Width = TextSize();
    Painter().AdjustGlyphAreaWidth(Width);
    return Width;
}

void TdxBarSubMenuControl::FillPaintedBar(TdxBarControlState& State) const {
    TCustomdxBarControl::FillPaintedBar(State);
    State.Kind = bckSubMenu;
    State.BarSize = GetBarSize();
    State.GlyphAreaWidth = GetGlyphAreaWidth();
    State.ItemHeight = TextSize();
    State.ReferenceGlyphSize = FReferenceGlyphSize;
    State.ArrowAreaWidth = WidthMetric();
    State.CanScrollUp = CanScrollUp();
    State.CanScrollDown = CanScrollDown();
    State.NonRecentBrush = FRarelyUsedBrush;
    State.ChevronOffered = HasHiddenLinks();
    State.ChevronHighlighted = MarkState() == 1;
    State.ChevronHeight = TextSize();
    State.ScrollUpRect = ScrollUpArea();
    State.ScrollDownRect = ScrollDownArea();
    State.FirstVisibleRect = State.ScrollUpRect;
    State.Detachable = IsDetachable();
    State.DetachSelected = FDetachCaptionSelected;
    State.DetachCaptionSize = GetDetachCaptionSize();
    State.BackgroundBitmap = GetBackgroundBitmap();
    State.FontHandle = GetFontHandle();
}

void TdxBarSubMenuControl::FillBackground(pg::HDC DC, const TRect& R) {
    TdxBarControlState& State = PaintedBar();
    Painter().DrawSubMenuBackground(State, DC, R, Painter().GetSubMenuBrush(State));
}

void TdxBarSubMenuControl::PaintBar(pg::HDC DC) {
    const TRect Strip = GetBarRect();
    if (pg::IsRectEmpty(Strip)) return;
    if (BarManager() && BarManager()->IsDesigning()) {
        pg::FillRect(DC, &Strip, pg::GetSysColorBrush(pg::COLOR_BTNSHADOW));
        return;
    }
    // The window's own background under what the owner paints (an owner may paint nothing).
    pg::FillRect(DC, &Strip, GetBkBrush());
    if (TdxBarPopupMenu* Popup = OwnerPopupMenu())
        Popup->DoPaintBar(canvas_, Strip);
    else if (TCustomdxBarSubItem* Sub = OwnerSubItem())
        Sub->DoPaintBar(canvas_, Strip);
}

bool TdxBarSubMenuControl::IsCustomizing() const {
    if (TdxBarItemLinks* Links = ItemLinks(); Links && Links->Owner())
        if (const auto* Sub =
                dynamic_cast<const TCustomdxBarSubItem*>(Links->Owner()->LinksOwnerComponent());
            Sub && !Sub->CanCustomizeSubMenu())
            return false;
    return TCustomdxBarControl::IsCustomizing();
}

bool TdxBarSubMenuControl::IsShadowVisible() const {
    return TCustomdxBarControl::IsShadowVisible() && !dxBarMenuAnimating(this);
}

void TdxBarSubMenuControl::Paint() {
    // While the menu unfolds the frames are its picture.
    if (FClosing || dxBarMenuAnimating(this)) return;
    UpdateBkBrush();
    const pg::HDC DC = PaintDC();
    TRect R = ClientRect();
    TdxBarControlState State = PaintedBar();
    Painter().DrawSubMenuBorder(State, DC, State.BkBrush, R);
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    if (ItemLinks() == nullptr || ItemLinks()->VisibleItemCount() == 0) {
        FillBackground(DC, R);
        PaintBar(DC);
        return;
    }
    CalcLayout(false);
    const int Rows = std::max(VisibleRowCount(), 1);
    // The rows under the scroll arrows are not drawn.
    const int First = std::max(FTopIndex, 0) + (CanScrollUp() ? 1 : 0);
    const int End = std::max(FTopIndex, 0) + Rows - (CanScrollDown() ? 1 : 0);
    TdxBarItemControl* Last = nullptr;
    int LastBottom = 0;
    for (int I = First; I < End && I < ItemLinks()->VisibleItemCount(); ++I)
        if (TdxBarItemControl* C = ItemLinks()->VisibleItems(I)->Control()) {
            C->LastRow = false;
            Last = C;
            LastBottom = ItemLinks()->VisibleItems(I)->ItemRect.Bottom;
        }
    if (Last) Last->LastRow = true;
    TRect Area{R.Left, R.Top, R.Right, R.Bottom};
    Area.Left += GetBarSize();
    Painter().DrawSubMenuBackground(PaintedBar(), DC, Area, Painter().GetSubMenuBrush(State));
    for (int I = First; I < End && I < ItemLinks()->VisibleItemCount(); ++I)
        if (TdxBarItemControl* C = ItemLinks()->VisibleItems(I)->Control()) UpdateControl(C);
    // The scroll arrows, the space below the last row and the expand area.
    TdxBarControlState& Parts = PaintedBar();
    const TRect Client = ClientRect();
    Parts.AfterLastRect = {Area.Left, CanScrollDown() ? ScrollDownArea().Bottom : LastBottom,
                           Client.Right - 1, Client.Bottom};
    if (Parts.AfterLastRect.Top == 0) Parts.AfterLastRect.Top = Client.Bottom;
    Painter().DrawSubMenuParts(Parts, DC);
    PaintBar(DC);
    DrawSelectionFrame(DC);
}

void TdxBarSubMenuControl::PaintNonClient(pg::HDC DC) {
    TdxBarControlState State = PaintedBar();
    const TRect Window{0, 0, Width(), Height()};
    State.ClientRect = Window;
    State.WindowRect = Window;
    Painter().DrawDetachCaption(State, DC, Window);
}

void TdxBarSubMenuControl::UpdateControl(TdxBarItemControl* Control) {
    if (FClosing || Control == nullptr || Control->ItemLink() == nullptr || !HandleAllocated())
        return;
    if (!canvas_.HandleAllocated()) {
        // Outside a paint: the row is drawn by the next paint.
        TCustomdxBarControl::UpdateControl(Control);
        return;
    }
    TRect R = GetItemRect(Control);
    const TRect Client = ClientRect();
    pg::IntersectRect(R, R, Client);
    if (pg::IsRectEmpty(R)) return;
    const pg::HDC DC = PaintDC();
    TdxBarControlState& State = PaintedBar();
    pg::HBRUSH Brush = State.BkBrush;
    Painter().GetSubMenuItemBrush(State, Brush);
    const TdxBarItemLink* Link = Control->ItemLink();
    const TRect Row = Link->ItemRect;
    if (IsBeginGroupRow(Link->GetVisibleIndex())) {
        const TRect Sep{Row.Left, Row.Top - GetSeparatorSize(), Row.Right, Row.Top};
        Painter().DrawSubMenuSeparator(State, DC, Sep, Control->PaintedItem());
    } else {
        Painter().DrawSubMenuSeparatorLine(DC, {Row.Left, Row.Top, Row.Right, Row.Top});
    }
    const int Saved = pg::SaveDC(DC);
    pg::IntersectClipRect(DC, Row.Left, Row.Top, Row.Right, Row.Bottom);
    Control->Paint(Row, ptMenu);
    pg::RestoreDC(DC, Saved);
}

// --- Input ---

void TdxBarSubMenuControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_TIMER:
        if (Message.WParam == dxBarMenuAnimationTimerId) {
            dxBarMenuAnimationTimer(this);
            return;
        }
        break;
    case pw::WM_MOUSEMOVE:
        // A menu growing under a resting pointer is sent a move to the same place: that is no
        // move of the user's, and the animation goes on.
        if (dxBarMenuAnimating(this) &&
            IsMouseStill(ClientToScreen(pw::LParamToPoint(Message.LParam))))
            return;
        dxBarStopMenuAnimation(this);
        if (!dxBarUnit().BarControlExists(this)) return;
        break;
    case pw::WM_KEYDOWN:
    case pw::WM_SYSKEYDOWN:
    case pw::WM_LBUTTONDOWN:
    case pw::WM_LBUTTONUP:
    case pw::WM_LBUTTONDBLCLK:
    case pw::WM_RBUTTONDOWN:
    case pw::WM_RBUTTONUP:
    case pw::WM_MBUTTONDOWN:
    case pw::WM_MBUTTONUP:
    case pw::WM_CLOSE:
        // The menu stands finished before it answers a user.
        dxBarStopMenuAnimation(this);
        if (!dxBarUnit().BarControlExists(this)) return;
        break;
    default:
        break;
    }
    switch (Message.Msg) {
    case pw::WM_GETDLGCODE:
        Message.Result = 7;
        return;
    case pf::CM_FONTCHANGED:
        TCustomdxBarControl::WndProc(Message);
        // The rows are measured in the font: their height and arrow parts follow it.
        if (dxBarUnit().BarControlExists(this)) CalcDrawingConsts();
        return;
    case pw::WM_TIMER:
        if (Message.WParam == 1)
            ScrollTimerTick();
        else if (Message.WParam == 2 || Message.WParam == 3)
            ExpandTimerTick(static_cast<int>(Message.WParam));
        return;
    case pw::WM_DESTROY:
        StopScrollTimer();
        StopExpandTimer();
        break;
    case pw::WM_NCCALCSIZE: {
        TCustomdxBarControl::WndProc(Message);
        auto* Params = reinterpret_cast<pw::NCCALCSIZE_PARAMS*>(Message.LParam);
        TRect& R = Params->rgrc[0];
        R = {R.Left + 1, R.Top + 1, std::max(R.Right - 1, R.Left + 1),
             std::max(R.Bottom - 1, R.Top + 1)};
        if (IsDetachable())
            R.Top = std::min(R.Top + Painter().GetDetachCaptionAreaSize(PaintedBar()), R.Bottom);
        return;
    }
    case pw::WM_NCHITTEST:
        // The strip takes the mouse as the rows do.
        if (IsDetachable() && InDetachCaption(pw::LParamToPoint(Message.LParam))) {
            Message.Result = pw::HTCLIENT;
            return;
        }
        break;
    case pw::WM_MOUSELEAVE:
        SetDetachCaptionSelected(false);
        if (!dxBarUnit().BarControlExists(this)) return;
        break;
    case pw::WM_NCPAINT: {
        if (!HandleAllocated()) return;
        const pg::HDC DC = pw::GetWindowDC(Handle());
        PaintNonClient(DC);
        pw::ReleaseDC(Handle(), DC);
        return;
    }
    case pw::WM_PRINT:
        // The menu as it shows, into the caller's context: the client area as it paints, then
        // its own frame.
        TCustomdxBarControl::WndProc(Message);
        if ((Message.LParam & pw::PRF_NONCLIENT) && dxBarUnit().BarControlExists(this) &&
            HandleAllocated())
            PaintNonClient(static_cast<pg::HDC>(Message.WParam));
        return;
    case pw::WM_PRINTCLIENT: {
        TMessage Paint{pw::WM_PAINT, Message.WParam, 0, 0};
        TCustomdxBarControl::WndProc(Paint);
        return;
    }
    case pw::WM_RBUTTONDOWN:
    case pw::WM_RBUTTONUP: {
        TCustomdxBarControl::WndProc(Message);
        if (!dxBarUnit().BarControlExists(this) || !RightButtonActsAsLeft()) return;
        TMessage Left{Message.Msg == pw::WM_RBUTTONDOWN ? pw::WM_LBUTTONDOWN : pw::WM_LBUTTONUP,
                      Message.WParam, Message.LParam, 0};
        WndProc(Left);
        return;
    }
    default:
        break;
    }
    TCustomdxBarControl::WndProc(Message);
}

void TdxBarSubMenuControl::WMKeyDown(TMessage& Message) {
    if (ExpandByKey(static_cast<std::uint16_t>(Message.WParam))) return;
    if (ClosesBarWindows(static_cast<std::uint16_t>(Message.WParam), BarManager())) {
        HideAll();
        return;
    }
    TCustomdxBarControl::WMKeyDown(Message);
    if (!dxBarUnit().BarControlExists(this) || ActiveBarControl() == nullptr) return;
    TdxBarItemControl* Selected = SelectedControl();
    const auto Key = static_cast<std::uint16_t>(Message.WParam);
    if (Selected && Selected->GetEnabled() && Selected->WantsKey(Key)) {
        Selected->KeyDown(Key);
        return;
    }
    TCustomdxBarControl* P = ParentBarControl();
    switch (Key) {
    case pw::VK_RETURN:
        if (Selected) Selected->Click(false);
        return;
    case pw::VK_ESCAPE:
        if (P && P->SelectedControl()) {
            if (auto* Bar = dynamic_cast<TdxBarControl*>(P)) Bar->MenusOpen = false;
            P->SelectedControl()->ControlInactivate(true);
        } else {
            HideAndFree();
        }
        return;
    case pw::VK_LEFT:
        if (P && P->IsSubMenuControl()) {
            if (P->SelectedControl()) P->SelectedControl()->ControlInactivate(true);
        } else if (auto* Bar = dynamic_cast<TdxBarControl*>(P)) {
            if (Bar->IsDockedVertically())
                Message.Result =
                    platform::core::SendMessage(Handle(), pw::WM_KEYDOWN, pw::VK_ESCAPE, 0);
            else
                Message.Result =
                    platform::core::SendMessage(Bar->Handle(), pw::WM_KEYDOWN, pw::VK_LEFT, 0);
        }
        return;
    case pw::VK_RIGHT: {
        if (TCustomdxBarControl* Root = GetRootToolbarControl(P))
            Message.Result =
                platform::core::SendMessage(Root->Handle(), pw::WM_KEYDOWN, pw::VK_RIGHT, 0);
        return;
    }
    default:
        return;
    }
}

} // namespace toolkit::bars
