// The caption buttons of a maximised MDI child at the end of a main menu bar: where they stand,
// whether the child allows their commands, how they are drawn and pressed.

#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr int kMarkRoom = 11;
constexpr pw::WPARAM kButtonCommands[] = {pw::SC_MINIMIZE, pw::SC_RESTORE, pw::SC_CLOSE};

} // namespace

bool TdxBarControl::HasMDIChildSystemMenu() const {
    if (!FBar->IsMainMenu() || BarManager() == nullptr) return false;
    const pw::HWND Child = MaximizedMDIChild(*BarManager());
    return Child != pw::NullHWnd && pw::GetSystemMenu(Child, false) != nullptr;
}

bool TdxBarControl::HasMDIButtons() const {
    return HasMDIChildSystemMenu() ||
           (FBar->IsMainMenu() && BarManager() && BarManager()->ShowCloseButton());
}

bool TdxBarControl::IsMDIButtonEnabled(int Index, unsigned Mask) const {
    if (Index == 1) return true;
    const bool SystemMenu = HasMDIChildSystemMenu();
    if (Index == 2 && !SystemMenu && HasMDIButtons()) return true;
    if (!SystemMenu || Index < 0 || Index > 2) return false;
    const pw::HMENU Menu = pw::GetSystemMenu(MaximizedMDIChild(*BarManager()), false);
    const pw::UINT State =
        pw::GetMenuState(Menu, static_cast<pw::UINT>(kButtonCommands[Index]), pw::MF_BYCOMMAND);
    return State != static_cast<pw::UINT>(-1) && (State & Mask) == 0;
}

int TdxBarControl::MDIButtonWidth() const {
    return pg::GetSystemMetrics(pg::SM_CXMENUSIZE);
}

int TdxBarControl::MDIButtonHeight() const {
    return pg::GetSystemMetrics(pg::SM_CYMENUSIZE) - 2;
}

int TdxBarControl::GetMDIButtonsLength(bool Vertical) const {
    const int Size = Vertical ? MDIButtonHeight() : MDIButtonWidth();
    return HasMDIChildSystemMenu() ? 3 * Size + 2 : Size;
}

TdxBarControl::TRect TdxBarControl::GetMDIButtonRect(int Index) const {
    const bool Vertical = IsDockedVertically();
    const TRect Client = ClientRect();
    int L = Vertical ? Client.Height() : Client.Width();
    const int C = Vertical ? Client.Width() : Client.Height();
    if (HasMark()) L -= kMarkRoom;
    const int Along = Vertical ? MDIButtonHeight() : MDIButtonWidth();
    const int Across = Vertical ? MDIButtonWidth() : MDIButtonHeight();
    // Across: centred in a single line; in a wrapped bar, on the last line of items.
    int LineStart = 0, LineThickness = C;
    if (IsMultiLine() && ItemLinks())
        for (int I = ItemLinks()->VisibleItemCount() - 1; I >= 0; --I) {
            const TdxBarItemLink* Link = ItemLinks()->VisibleItems(I);
            if (pg::IsRectEmpty(Link->ItemRect)) continue;
            const auto Found = FLineThickness.find(Link);
            const TRect& R = Link->ItemRect;
            const int Own = Vertical ? R.Width() : R.Height();
            LineThickness = Found != FLineThickness.end() ? Found->second : Own;
            LineStart = (Vertical ? R.Left : R.Top) - (LineThickness - Own) / 2;
            if (Vertical) LineStart = C - (LineStart + LineThickness);
            // No room after the last item: the buttons make a line of their own below it.
            if ((Vertical ? R.Bottom : R.Right) + GetMDIButtonsLength() > L) {
                LineStart += LineThickness;
                LineThickness = Across;
            }
            break;
        }
    const int Cross = LineStart + (LineThickness - Across) / 2;
    int Start;
    if (HasMDIChildSystemMenu())
        Start = L - GetMDIButtonsLength() + Index * Along + (Index == 2 ? 2 : 0);
    else
        Start = L - Along;
    if (Vertical) return {C - Cross - Across, Start, C - Cross, Start + Along};
    return {Start, Cross, Start + Along, Cross + Across};
}

int TdxBarControl::MDIButtonAt(TPoint P) const {
    if (!HasMDIButtons()) return -1;
    for (int I = HasMDIChildSystemMenu() ? 0 : 2; I < 3; ++I)
        if (pg::PtInRect(GetMDIButtonRect(I), P)) return I;
    return -1;
}

void TdxBarControl::DrawMDIButtons(pg::HDC DC) {
    if (!HasMDIButtons()) return;
    for (int I = HasMDIChildSystemMenu() ? 0 : 2; I < 3; ++I) {
        int State = 0;
        if (!IsMDIButtonEnabled(I, pw::MF_GRAYED | pw::MF_DISABLED))
            State = 3;
        else if (FMDIPressed == I && FMDIPressedInside)
            State = 2;
        else if (FMDIHot == I || FMDIPressed == I)
            State = 1;
        Painter().DrawMDIButton(PaintedBar(), I, DC, GetMDIButtonRect(I), State);
    }
}

void TdxBarControl::RepaintMDIButtons() {
    if (!HandleAllocated() || !HasMDIButtons()) return;
    // Through the window's own paint, as the items repaint: a face drawn straight on the
    // canvas outside it would never reach the screen.
    for (int I = HasMDIChildSystemMenu() ? 0 : 2; I < 3; ++I) {
        const TRect R = GetMDIButtonRect(I);
        pw::InvalidateRect(Handle(), &R, false);
    }
    pw::UpdateWindow(Handle());
}

bool TdxBarControl::PressMDIButton(TPoint P) {
    const int Index = pg::PtInRect(ClientRect(), P) ? MDIButtonAt(P) : -1;
    if (Index < 0 || !IsMDIButtonEnabled(Index, pw::MF_GRAYED | pw::MF_DISABLED)) return false;
    FMDIPressed = Index;
    FMDIPressedInside = true;
    RepaintMDIButtons();
    pw::SetCapture(Handle());
    return true;
}

void TdxBarControl::CancelMDIButtonPress() {
    if (FMDIPressed < 0) return;
    FMDIPressed = -1;
    FMDIPressedInside = false;
    if (pw::GetCapture() == Handle()) pw::ReleaseCapture();
    RepaintMDIButtons();
}

void TdxBarControl::WMMouseMove(TMessage& Message) {
    const TPoint P = pw::LParamToPoint(Message.LParam);
    if (FMDIPressed >= 0) {
        const bool Inside = pg::PtInRect(GetMDIButtonRect(FMDIPressed), P);
        if (Inside != FMDIPressedInside) {
            FMDIPressedInside = Inside;
            RepaintMDIButtons();
        }
        return;
    }
    const int Hot = Active() ? -1 : MDIButtonAt(P);
    if (Hot != FMDIHot) {
        FMDIHot = Hot;
        RepaintMDIButtons();
    }
    const bool OnMark = MarkMouseMove(P);
    if (!dxBarUnit().BarControlExists(this)) return;
    TCustomdxBarControl::WMMouseMove(Message);
    if (!OnMark && dxBarUnit().BarControlExists(this) && MarkState() == 1) SetMarkState(0);
}

void TdxBarControl::WMLButtonUp(TMessage& Message) {
    if (FMDIPressed < 0) {
        TCustomdxBarControl::WMLButtonUp(Message);
        return;
    }
    const int Index = FMDIPressed;
    const bool Run = pg::PtInRect(GetMDIButtonRect(Index), pw::LParamToPoint(Message.LParam));
    const bool SystemMenu = HasMDIChildSystemMenu();
    const pw::HWND Child = BarManager() ? MaximizedMDIChild(*BarManager()) : pw::NullHWnd;
    FMDIPressed = -1;
    FMDIPressedInside = false;
    if (pw::GetCapture() == Handle()) pw::ReleaseCapture();
    RepaintMDIButtons();
    if (!Run) return;
    if (SystemMenu)
        pc::SendMessage(Child, pw::WM_SYSCOMMAND, kButtonCommands[Index], 0);
    else if (BarManager())
        BarManager()->DoCloseButtonClick();
}

} // namespace toolkit::bars
