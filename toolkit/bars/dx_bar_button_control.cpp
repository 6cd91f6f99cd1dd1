#include "toolkit/bars/dx_bar_button_control.h"

#include "toolkit/bars/dx_bar_control.h"
#include "toolkit/bars/dx_bar_unit.h"

#include "platform/gdi/device_context.h"
#include "platform/gdi/text_out.h"
#include "platform/win/input_state.h"

#include <algorithm>
#include <cstdlib>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pg = platform::gdi;

const TdxBarItemControlClass& TdxBarButtonControl::ClassRef() {
    static const TdxBarItemControlClass Class(
        "TdxBarButtonControl", &TdxBarItemControl::ClassRef(),
        pc::ConstructorOf<TdxBarButtonControl, TdxBarItemControl, TdxBarItemLink*>());
    return Class;
}

namespace {
// Width of a caption without its accelerator marks, in the manager's font.
int CaptionWidth(TdxBarManager* Manager, const std::string& Caption) {
    if (Manager == nullptr) return 0;
    const std::string Text = RemoveAccelChars(Caption);
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    pg::SelectObject(DC, Manager->Font().Handle());
    pg::TSize Size{};
    pg::GetTextExtentPoint32(DC, Text.c_str(), static_cast<int>(Text.size()), &Size);
    pg::DeleteDC(DC);
    return Size.cx;
}

bool IsCaptionStyle(TdxBarPaintStyle Style) {
    return Style == psCaption || Style == psCaptionGlyph;
}
} // namespace

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

void TdxBarButtonControl::MouseDown(bool ByMouse) {
    TdxBarItemControl::MouseDown(ByMouse);
    TdxBarButton* B = Button();
    if (B && B->ButtonStyle() == bsDropDown && IsDropDownPartPressed()) return;
    if (!IsInToolbar() && !(B && B->ButtonStyle() == bsDropDown)) return;
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
        const int H = Bar ? Bar->TextSize() : 0;
        Result = Caption + (H * 2 + 3) + 3;
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
        // The row draws its glyph cell and its caption in the caption column.
        S.Down = B && B->Down();
        Painter().DrawMenuButton(Painted, DC, R, S);
        return;
    }
    const bool DropDown = B && B->ButtonStyle() == bsDropDown;
    if (DropDown) R.Right -= GetDropDownWidth();
    const bool ByMouse = Selected && Parent()->Active() && IsPressedByMouse() &&
                         !IsDropDownPartPressed() && !FDroppedDown;
    S.Pressed = ByMouse || (InClick() && !(B && B->ButtonStyle() == bsChecked));
    S.Down = (B && B->Down()) || (FDroppedDown && Painter().IsHotTrackStyle());
    S.SplitButton = DropDown;
    const TdxBarPaintStyle Style = EffectivePaintStyle();
    if (IsCaptionStyle(Style)) {
        // The face covers the whole button; the caption goes beside the glyph, or alone.
        TRect Cell = R;
        if (Style == psCaptionGlyph && BarManager()) {
            Cell.Right = Cell.Left + BarManager()->ButtonWidth();
            Painter().DrawGlyph(Painted, R, S, &R, false);
            Painter().DrawGlyph(Painted, Cell, S, &Cell, false);
        } else {
            Painter().DrawGlyph(Painted, R, S, &R, false);
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
