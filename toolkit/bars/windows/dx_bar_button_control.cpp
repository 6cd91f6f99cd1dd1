#include "toolkit/bars/windows/dx_bar_button_control.h"

#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "toolkit/base/object_links.h"
#include "toolkit/base/office11.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/text_out.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"

#include <algorithm>
#include <cstdlib>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

const TdxBarItemControlClass& TdxBarButtonControl::ClassRef() {
    static const TdxBarItemControlClass Class(
        "TdxBarButtonControl", &TdxBarItemControl::ClassRef(),
        pc::ConstructorOf<TdxBarButtonControl, TdxBarItemControl, TdxBarItemLink*>());
    return Class;
}

namespace {
// Width of a caption without its accelerator marks, in the manager's font, or in Font when
// given (a menu's).
int CaptionWidth(TdxBarManager* Manager, const std::string& Caption, pg::HFONT Font = {}) {
    if (Manager == nullptr) return 0;
    const std::string Text = RemoveAccelChars(Caption);
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    pg::SelectObject(DC, Font != pg::HFONT{} ? Font : Manager->Font().Handle());
    pg::TSize Size{};
    pg::GetTextExtentPoint32(DC, Text.c_str(), static_cast<int>(Text.size()), &Size);
    pg::DeleteDC(DC);
    return Size.cx;
}

bool IsCaptionStyle(TdxBarPaintStyle Style) {
    return Style == psCaption || Style == psCaptionGlyph;
}
} // namespace

TdxBarButtonControl::~TdxBarButtonControl() {
    if (FDroppedDown)
        if (TdxBarButton* B = Button(); B && B->DropDownMenu())
            if (TdxBarSubMenuControl* Menu = B->DropDownMenu()->GetSubMenuControl()) {
                FDroppedDown = false;
                Menu->HideAndFree();
            }
}

bool TdxBarButtonControl::IsDropDownButton() const {
    const TdxBarButton* B = Button();
    return B != nullptr && B->ButtonStyle() == bsDropDown;
}

bool TdxBarButtonControl::MenuRowChecked() const {
    const TdxBarButton* B = Button();
    return B != nullptr && B->Down();
}

std::string TdxBarButtonControl::ShortCutText() const {
    const pf::TShortCut Key = GetShortCut();
    return Key == 0 ? std::string() : pf::ShortCutToText(Key);
}

TdxBarPaintStyle TdxBarButtonControl::EffectivePaintStyle() const {
    TdxBarPaintStyle Style = ItemLink() ? ItemLink()->GetPaintStyle() : psStandard;
    if (IsInToolbar()) AdjustPaintStyle(Style);
    return Style;
}

void TdxBarButtonControl::AdjustPaintStyle(TdxBarPaintStyle& Style) const {
    if (Style == psStandard && !HasImage()) Style = psCaption;
}

void TdxBarButtonControl::GlyphChanged() {
    if (ItemLink() && ItemLink()->GetGlyph() && !ItemLink()->GetGlyph()->Empty())
        TdxBarItemControl::GlyphChanged();
    else
        Changed();
}

void TdxBarButtonControl::ControlInactivate(bool Immediately) {
    TdxBarItemControl::ControlInactivate(Immediately);
    if (!IsDropDownButton() || !FDroppedDown) return;
    if (TdxBarSubMenuControl* Menu =
            Button()->DropDownMenu() ? Button()->DropDownMenu()->GetSubMenuControl() : nullptr)
        Menu->HideAndFree();
}

void TdxBarButtonControl::MouseDown(bool ByMouse) {
    TdxBarItemControl::MouseDown(ByMouse);
    if (IsDropDownButton() && IsDropDownPartPressed()) {
        DropDown(true);
        return;
    }
    if (!IsInToolbar() && !IsDropDownButton()) return;
    Repaint();
}

void TdxBarButtonControl::KeyDown(std::uint16_t Key) {
    if (Key == pw::VK_UP || Key == pw::VK_RIGHT || Key == pw::VK_DOWN) DropDown(false);
}

bool TdxBarButtonControl::WantsKey(std::uint16_t Key) const {
    if (TdxBarItemControl::WantsKey(Key)) return true;
    if (!IsDropDownButton()) return false;
    if (IsInToolbar()) return Key == pw::VK_UP || Key == pw::VK_DOWN;
    return Key == pw::VK_RIGHT;
}

TCustomdxBarControl* TdxBarButtonControl::GetSubBarControl() const {
    TdxBarButton* B = Button();
    if (!FDroppedDown || B == nullptr || B->DropDownMenu() == nullptr) return nullptr;
    return B->DropDownMenu()->GetSubMenuControl();
}

void TdxBarButtonControl::DropDown(bool ByMouse) {
    TdxBarButton* B = Button();
    TCustomdxBarControl* Window = Parent();
    if (FDroppedDown || !GetEnabled() || B == nullptr || !B->DropDownEnabled() ||
        B->DropDownMenu() == nullptr || Window == nullptr)
        return;
    FDroppedDown = true;
    if (!Active()) ControlActivate(true);
    Repaint();
    // Below the button in a horizontal toolbar; beside it in a menu or a vertical toolbar.
    const TRect R = Window->GetItemRect(this);
    const auto* Bar = dynamic_cast<TdxBarControl*>(Window);
    const bool Below = Bar != nullptr && !Bar->IsDockedVertically();
    pg::TPoint P = Below ? pg::TPoint{R.Left, R.Bottom} : pg::TPoint{R.Right, R.Top};
    if (auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(Window)) P.Y -= Menu->GetBorderSize();
    P = Window->ClientToScreen(P);
    auto Self = toolkit::base::cxAddObjectLink(this);
    OpenDropDownMenu(*B, P, !ByMouse);
    if (Self->Ref == nullptr) return;
    if (FDroppedDown && Painter().RepaintAfterMenuOpened()) Repaint();
}

void TdxBarButtonControl::OpenDropDownMenu(TdxBarButton& B, pg::TPoint P, bool ByKeyboard) {
    TdxBarPopupMenu* Menu = B.DropDownMenu();
    TCustomdxBarControl* Window = Parent();
    if (Menu == nullptr || Window == nullptr) return;
    const TRect Avoid = Window->GetItemScreenRect(this);
    const auto* Bar = dynamic_cast<TdxBarControl*>(Window);
    const bool Below = Bar != nullptr && !Bar->IsDockedVertically();
    const int OwnerWidth = Below ? 0 : Avoid.Right - Avoid.Left;
    const int OwnerHeight = Below ? Avoid.Bottom - Avoid.Top : 0;
    // The menu's window outlives this call: the control hears of its closing. Its window
    // belongs to the bar window the button stands on.
    const bool ReturnAtOnce = Menu->ReturnAtOnce;
    pc::TComponent* const OwnerControl = Menu->OwnerControl;
    Menu->ReturnAtOnce = true;
    Menu->OwnerControl = Window;
    try {
        Menu->PopupEx(P.X, P.Y, OwnerWidth, OwnerHeight, !ByKeyboard, &Avoid);
    } catch (...) {
        Menu->ReturnAtOnce = ReturnAtOnce;
        Menu->OwnerControl = OwnerControl;
        DropDownClosed();
        throw;
    }
    Menu->ReturnAtOnce = ReturnAtOnce;
    Menu->OwnerControl = OwnerControl;
    TdxBarSubMenuControl* Opened = Menu->GetSubMenuControl();
    if (Opened == nullptr || !dxBarUnit().BarControlExists(Window)) {
        DropDownClosed();
        return;
    }
    Opened->SetParentBarControl(Window);
    if (Window->IsSubMenuControl()) Window->SetSubMenuControl(Opened);
    std::shared_ptr<toolkit::base::TcxObjectLink> Link = toolkit::base::cxAddObjectLink(this);
    auto Closed = Opened->OnCloseUp;
    Opened->OnCloseUp = [Closed, Link](pc::TObject* Sender) {
        if (Closed) Closed(Sender);
        if (auto* C = dynamic_cast<TdxBarButtonControl*>(Link->Ref)) C->DropDownClosed();
    };
    if (ByKeyboard)
        if (TdxBarItemControl* First = Opened->FirstSelectableControl())
            Opened->SetSelectedControl(First);
}

void TdxBarButtonControl::DropDownClosed() {
    if (!FDroppedDown) return;
    FDroppedDown = false;
    TCustomdxBarControl* Window = Parent();
    if (Window == nullptr || !dxBarUnit().BarControlExists(Window)) return;
    if (auto* Bar = dynamic_cast<TdxBarControl*>(Window)) Bar->MenusOpen = false;
    // A menu forgets the child it opened.
    if (auto* Child = dynamic_cast<TdxBarSubMenuControl*>(Window->SubMenuControl());
        Child && Child->Closing())
        Window->SetSubMenuControl(nullptr);
    Repaint();
}

void TdxBarButtonControl::ControlClick(bool ByMouse) {
    if (FDroppedDown) return;
    if (TdxBarButton* B = Button(); B && B->ButtonStyle() == bsChecked) B->SetDown(!B->Down());
    ControlInactivate(true);
    TdxBarItemControl::ControlClick(ByMouse);
}

bool TdxBarButtonControl::IsSelected() const {
    return (TdxBarItemControl::IsSelected() && !(Parent() && Parent()->IsCustomizing())) ||
           InClick();
}

bool TdxBarButtonControl::ClosesMenusOnClick() const {
    if (IsInToolbar()) return true;
    TdxBarButton* B = Button();
    return B == nullptr || B->CloseSubMenuOnClick;
}

int TdxBarButtonControl::GetDropDownWidth() const {
    if (!IsInToolbar()) return Parent() ? Parent()->WidthMetric() : 0;
    TdxBarManager* Manager = BarManager();
    return Manager ? Manager->ArrowWidth() : 0;
}

int TdxBarButtonControl::GetButtonHeight() const {
    TdxBarManager* Manager = BarManager();
    const TCustomdxBarControl* Bar = Parent();
    int Result = 0;
    if (!IsInToolbar()) {
        Result = Bar ? Bar->TextSize() : 0;
        Painter().AdjustGlyphAreaWidth(Result);
    } else {
        const TdxBarPaintStyle Style = EffectivePaintStyle();
        const int ButtonHeight = Manager ? Manager->ButtonHeight() : 0;
        if (IsCaptionStyle(Style))
            Result = std::max(Bar ? Bar->TextSize() : 0, ButtonHeight);
        else
            Result = ButtonHeight;
    }
    if (TdxBarButton* B = Button(); B && B->Lowered())
        Result += 2 * Painter().ButtonLoweredBorder(PaintedItem());
    return Result;
}

int TdxBarButtonControl::GetButtonWidth() const {
    TdxBarManager* Manager = BarManager();
    const TCustomdxBarControl* Bar = Parent();
    int Result = 0;
    const int Caption = CaptionWidth(Manager, GetCaption());
    if (!IsInToolbar()) {
        // A menu measures in its own font.
        const pg::HFONT MenuFont = Bar ? Bar->GetFontHandle() : pg::HFONT{};
        const int H = Bar ? Bar->TextSize() : 0;
        Result = CaptionWidth(Manager, GetCaption(), MenuFont) + (H * 2 + 3) + 3;
        // The shortcut's column: its text and a gap of the row's height less 6.
        if (const std::string Keys = ShortCutText(); !Keys.empty())
            Result += CaptionWidth(Manager, Keys, MenuFont) + H - 6;
        Painter().AdjustCaptionAreaWidth(Result);
    } else {
        const int ButtonWidth = Manager ? Manager->ButtonWidth() : 0;
        switch (EffectivePaintStyle()) {
        case psCaption:
            Result = Caption + (Manager ? std::abs(Manager->Font().Size()) : 0);
            break;
        case psCaptionGlyph:
            Result = Caption + ButtonWidth + 4;
            break;
        default:
            Result = ButtonWidth;
            break;
        }
    }
    if (TdxBarButton* B = Button(); B && B->Lowered())
        Result += 2 * Painter().ButtonLoweredBorder(PaintedItem());
    return Result;
}

int TdxBarButtonControl::GetDefaultHeight() const {
    if (Parent() && Parent()->ItemPaintType() == ptVert && IsCaptionStyle(EffectivePaintStyle()))
        return GetButtonWidth();
    return GetButtonHeight();
}

int TdxBarButtonControl::GetDefaultWidth() const {
    int Result = GetButtonWidth();
    if (Parent() && Parent()->ItemPaintType() == ptVert && IsCaptionStyle(EffectivePaintStyle()))
        Result = GetButtonHeight();
    if (IsInToolbar() && Button() && Button()->ButtonStyle() == bsDropDown)
        Result += GetDropDownWidth();
    return Result;
}

bool TdxBarButtonControl::IsDropDownPartPressed() const {
    if (!IsPressedByMouse() || !ItemLink() || !Parent()) return false;
    TRect Arrow = ItemLink()->ItemRect;
    Arrow.Left = Arrow.Right - GetDropDownWidth();
    pg::TPoint P{};
    platform::win::GetCursorPos(&P);
    return pg::PtInRect(Arrow, Parent()->ScreenToClient(P));
}

void TdxBarButtonControl::FillPaintedItem(TdxBarItemControlState& State) const {
    TdxBarItemControl::FillPaintedItem(State);
    if (TdxBarButton* B = Button()) {
        State.CheckStyle = B->ButtonStyle() == bsChecked;
        State.Checked = B->Down();
    }
}

void TdxBarButtonControl::Paint(const TRect& Rect, TdxBarPaintType Kind) {
    if (pg::IsRectEmpty(Rect) || Parent() == nullptr) return;
    TdxBarButton* B = Button();
    TRect R = Rect;
    const TdxBarItemControlState& Painted = PaintedItem();
    const pg::HDC DC = Parent()->PaintDC();
    if (B && B->Lowered()) Painter().DrawControlBorder(Painted, DC, R);
    const bool Selected = IsSelected();
    TdxBarItemStates S = PaintStates(Kind);
    S.Selected = Selected;
    if (Kind == ptMenu) {
        // The row draws its glyph cell and its caption in the caption column; the shortcut
        // goes at the right, clear of the arrow column.
        S.Down = MenuRowChecked();
        Painter().DrawMenuButton(Painted, DC, R, S);
        if (const std::string Keys = ShortCutText(); !Keys.empty()) {
            TRect Text = R;
            Text.Right -= R.Height() + 5;
            // The flat looks keep the row's text colour on their light selection.
            const bool Flat = Painter().IsHotTrackStyle() &&
                              !toolkit::base::IsHighContrastWhite() &&
                              !toolkit::base::IsHighContrastBlack();
            Painter().DrawCaption(Painted, DC, Text, Keys, Selected, S.Enabled, Flat, false, false,
                                  pg::DT_RIGHT);
        }
        if (IsDropDownButton()) {
            TRect Arrow = R;
            Arrow.Left = R.Right - GetDropDownWidth();
            S.DroppedDown = FDroppedDown && GetSubBarControl() != nullptr;
            Painter().DrawDropDownButton(Painted, DC, Arrow, S, true);
        }
        return;
    }
    const bool DropDown = B && B->ButtonStyle() == bsDropDown;
    if (DropDown) R.Right -= GetDropDownWidth();
    const bool ByMouse = Selected && Parent()->Active() && IsPressedByMouse() &&
                         !IsDropDownPartPressed() && !FDroppedDown;
    S.Pressed = ByMouse || (InClick() && !(B && B->ButtonStyle() == bsChecked));
    S.Down = (B && B->Down()) || (FDroppedDown && Painter().IsHotTrackStyle());
    S.SplitButton = DropDown;
    // A button whose menu is open joins it as an open menu-bar entry does.
    S.OpensMenu = FDroppedDown;
    S.DroppedDown = FDroppedDown && GetSubBarControl() != nullptr;
    const TdxBarPaintStyle Style = EffectivePaintStyle();
    if (IsCaptionStyle(Style)) {
        // The face covers the whole button, without the image: "Text Only" shows the caption
        // alone, "Image and Text" its image once, in the cell before the caption.
        TRect Cell = R;
        Painter().DrawGlyphCell(Painted, R, S, TdxBarGlyphSource{}, true, false);
        if (Style == psCaptionGlyph && BarManager()) {
            Cell.Right = Cell.Left + BarManager()->ButtonWidth();
            Painter().DrawGlyph(Painted, Cell, S, &Cell, false);
        }
        TRect Text = R;
        if (Style == psCaptionGlyph) Text.Left = Cell.Right;
        Painter().DrawButtonCaptionArea(Painted, DC, Text);
        Painter().OffsetPressedCaption(Painted, S.Pressed, Text);
        Painter().DrawCaption(Painted, DC, Text, GetCaption(), Selected, S.Enabled, true, true,
                              Kind == ptVert, 1);
    } else {
        Painter().DrawGlyph(Painted, R, S);
    }
    if (DropDown) {
        TRect Arrow = Rect;
        Arrow.Left = R.Right;
        Painter().DrawDropDownButton(Painted, DC, Arrow, S, false);
    }
}

} // namespace toolkit::bars
