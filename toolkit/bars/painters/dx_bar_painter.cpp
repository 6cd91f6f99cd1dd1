#include "toolkit/bars/painters/dx_bar_painter.h"

#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_painter_support.h"

#include "toolkit/base/office11.h"

#include "platform/core/window_handle.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pc = platform::core;

using P = TdxBarItemControlPainter;

const TdxBarItemControlPainter& TdxBarItemControlPainter::Instance() {
    static const TdxBarItemControlPainter instance;
    return instance;
}

const pc::TClass& P::ClassType() const {
    return TdxBarItemControlPainterClassRef();
}

// --- Glyph, check mark and arrows ---

void P::DrawGlyphFrame(const Item&, HDC, const States&, const TRect&, bool, HBRUSH) const {}
void P::DrawCheckMark(const Item&, HDC, int, int, int, bool) const {}

void P::GetEditColors(const Item& AItem, TColor& TextColor, TColor& BkColor) const {
    const bool Enabled = AItem.Item == nullptr || AItem.Item->Enabled();
    if (Enabled) {
        TextColor = pg::clWindowText;
        BkColor = pg::clWindow;
        return;
    }
    TextColor = pg::clGrayText;
    BkColor = pg::clBtnFace;
    if (AItem.Parent && AItem.Parent->BkBrush != HBRUSH{}) {
        pg::LOGBRUSH LB{};
        if (pg::GetObject(AItem.Parent->BkBrush, sizeof(LB), &LB) != 0) BkColor = LB.lbColor;
    }
}

pg::TColor P::GetFadedImageColor(const Bar& ABar) const {
    if (ABar.Manager == nullptr || !ABar.Manager->MakeDisabledImagesFaded()) return clNoColor;
    return toolkit::base::dxOffice11MixColors(pg::ColorToRGB(pg::clBtnShadow), 0xFFFFFF, 70);
}

bool P::IsGlyphBackgroundTransparent(const Item&, const TRect&) const {
    return false;
}
bool P::HandlesNonRecentItems() const {
    return false;
}
bool P::IsMainMenuItem(const Item&) const {
    return false;
}
bool P::IsSmallMark(const Bar&, const TRect& MarkRect) const {
    return MarkRect.Bottom - MarkRect.Top <= 16;
}

// --- Floating caption colours, size grip, mark ---

pg::TColor P::GetCaptionColor(bool Active) const {
    return Active ? pg::clActiveCaption : pg::clInactiveCaption;
}
pg::TColor P::GetCaptionTextColor() const {
    return pg::clCaptionText;
}
pg::TColor P::GetMarkArrowColor(const Bar&, int) const {
    return pg::clCaptionText;
}
void P::DrawMarkChevron(const Bar&, HDC, int, const TRect&) const {}
void P::DrawMarkBackground(const Bar&, HDC, HBRUSH, const TRect&) const {}
void P::GetFloatingCaptionTextLeft(const Bar& ABar, int& TextLeft, TRect&) const {
    TextLeft = ABar.MarkWindowRect.Right + 3;
}
int P::GetMarkGlyphColor(const Bar&) const {
    return pg::COLOR_BTNTEXT;
}

// --- Drop-down arrows, menu arrows, edit text ---

void P::AdjustEditTextRect(TRect&) const {}

// --- Item backgrounds, glyph cell, captions ---

void P::DrawEtchedLine(HDC DC, const TRect& R) const {
    pg::FillRect(DC, &R, SysBrushValue(pg::COLOR_BTNSHADOW));
}
void P::DrawMenuButton(const Item&, HDC, const TRect&, const States&) const {}
void P::DrawControlBorder(const Item&, HDC, TRect&) const {}
void P::DrawEditButtonFrame(const Item&, HDC, const TRect&, const States&) const {}
void P::GetComboColors(const Item& AItem, const States&, int& TextColorIndex, HBRUSH& Brush) const {
    TextColorIndex = pg::COLOR_BTNTEXT;
    Brush = AItem.Parent ? AItem.Parent->BkBrush : HBRUSH{};
}
pg::HBRUSH P::GetGlyphCellBrush(const Item& AItem, const States&) const {
    return AItem.Parent ? AItem.Parent->BkBrush : HBRUSH{};
}
int P::GetDownGlyphOffset(const Item&) const {
    return 0;
}
int P::GetPressedGlyphOffset(const Item&, bool) const {
    return 0;
}
bool P::IsHotTrackStyle() const {
    return false;
}
bool P::CanHotTrackDisabled() const {
    return true;
}
bool P::ShowsCaptionBesideGlyph() const {
    return false;
}
int P::GetSubMenuItemHeight(const Item& AItem) const {
    if (AItem.Parent == nullptr || AItem.Parent->Kind != bckSubMenu) return 0;
    return AItem.Parent->ItemHeight + 1;
}

// --- Toolbar metrics ---

int P::GetDragGripOffset() const {
    return 0;
}
int P::GetFloatingBorderWidth() const {
    return pg::GetSystemMetrics(pg::SM_CXFRAME);
}
int P::GetFloatingBorderHeight() const {
    return pg::GetSystemMetrics(pg::SM_CYFRAME);
}
int P::GetFloatingBorderOffset() const {
    return 0;
}
int P::GetDragGripAreaSize() const {
    return 0;
}
int P::GetDragGripBarSize() const {
    return 3;
}
int P::GetButtonArrowWidth(const TdxBarManager& Manager) const {
    int Width = (Manager.LargeIcons() ? 2 : 1) * Manager.ButtonArrowWidth();
    if (Width % 2 == 0) ++Width;
    return Width;
}
int P::GetLargeButtonArrowWidth(const TdxBarManager& Manager) const {
    return Manager.LargeButtonArrowWidth();
}
int P::GetMenuSeparatorIndent() const {
    return 0;
}

// --- Bar window backgrounds and brushes ---

bool P::DrawsGlyphFrameFirst() const {
    return false;
}
bool P::IsFlatBarBorder() const {
    return false;
}
pg::HBRUSH P::GetLightBkBrush(const TdxBarManager& Manager) const {
    return Manager.FlatBrush(1);
}
bool P::HasRaisedFloatingBorder(const Bar&) const {
    return false;
}
pg::HBRUSH P::GetBkBrush(const Bar&) const {
    return pg::GetSysColorBrush(pg::COLOR_BTNFACE);
}
pg::HBRUSH P::GetToolbarBrush(const Bar& ABar) const {
    return GetBkBrush(ABar);
}
pg::HBRUSH P::GetCheckedBrush(const Bar&) const {
    return dxBarUnit().CheckerBrush();
}
pg::HBRUSH P::GetDownBrush(const Bar&) const {
    return pg::GetSysColorBrush(pg::COLOR_BTNFACE);
}
pg::HBRUSH P::GetHotBrush(const Bar&) const {
    return pg::GetSysColorBrush(pg::COLOR_HIGHLIGHT);
}

// --- Edit and combo metrics, hot parts, toolbar separators ---

int P::GetComboButtonWidth(const Bar&, HDC, int CharWidth) const {
    return 2 * CharWidth - 1;
}
int P::GetEditVertPadding(const Bar&, HDC) const {
    return 6;
}
int P::GetEditHeight(const Bar& ABar, HDC DC, int CharHeight) const {
    return CharHeight + GetEditVertPadding(ABar, DC);
}
bool P::HasHotCloseButton() const {
    return false;
}
bool P::HasHotMark() const {
    return false;
}
int P::GetToolbarSeparatorOffset() const {
    return (GetToolbarSeparatorSize() - 2) / 2;
}
int P::GetToolbarSeparatorSize() const {
    return 6;
}

// --- Floating bars, docked borders, caption, close button, mark ---

pg::TRect P::GetFloatingBorderRect() const {
    const int U = GetFloatingBorderUnit();
    return {U, U, U, U};
}
int P::GetFloatingBorderUnit() const {
    return 1;
}
pg::TRect P::GetDockedBarBorderRect(const Bar&) const {
    return {2, 2, 2, 2};
}
int P::GetFloatingCaptionHeight() const {
    return GetSmallCaptionHeight() + 1;
}
void P::DrawFloatingCaptionBackground(const Bar&, HDC DC, const TRect& R, HBRUSH Brush) const {
    pg::FillRect(DC, &R, Brush);
}
int P::GetSmallCaptionHeight() const {
    return pg::GetSystemMetrics(pg::SM_CYSMCAPTION);
}
bool P::HasThemedCaption() const {
    return false;
}
pg::TSize P::GetCloseButtonSize() const {
    const int H = GetSmallCaptionHeight();
    return {H, H};
}
void P::DrawCloseButton(const Bar&, HDC, const TRect&, int) const {}
void P::DrawBarBorder(const Bar&, HDC, const TRect&) const {}
void P::DrawFloatingBarBorder(const Bar&, HDC, const TRect&, HBRUSH) const {}
void P::DrawDockedMark(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const {
    DrawMarkBackground(ABar, DC, Brush, R);
    DrawMarkGlyphs(ABar, DC, R);
}
void P::DrawMDIButton(const Bar&, int, HDC, const TRect&, int) const {}
int P::GetFloatingCaptionIndent() const {
    return 0;
}
pg::TRect P::GetMarkRect(const Bar& ABar) const {
    return CalcMarkRect(ABar);
}
pg::TRect P::CalcMarkRect(const Bar&) const {
    return {};
}
int P::GetFloatingTopMargin() const {
    return 0;
}
int P::GetFloatingBottomMargin() const {
    return 0;
}
bool P::HasNCHitTestBorder() const {
    return false;
}
bool P::HasSystemBorder() const {
    return false;
}

// --- Toolbar background and size grip ---

pg::TSize P::GetSizeGripSize(const Bar&) const {
    return {pg::GetSystemMetrics(pg::SM_CXHSCROLL), pg::GetSystemMetrics(pg::SM_CYHSCROLL)};
}
int P::GetSizeGripIndent(const Bar&) const {
    return 2;
}

// --- Quick-customise popup ---

pg::HBRUSH P::GetQuickControlBrush(const Bar& ABar) const {
    return GetToolbarBrush(ABar);
}
int P::CalcQuickCustItemRect(const Item&, TRect& R) const {
    R.Right = R.Left + (R.Bottom - R.Top);
    return R.Right;
}
void P::DrawQuickCustItemCheck(const Item&, HDC, const TRect&, const TRect&) const {}
bool P::IsQuickControlBeside() const {
    return false;
}

// --- Button metrics, drop-down buttons, combos ---

int P::GetButtonVertPadding() const {
    return 6;
}
int P::GetButtonHorzPadding() const {
    return 7;
}
void P::AdjustGlyphAreaWidth(int&) const {}
void P::AdjustCaptionAreaWidth(int&) const {}
void P::DrawDropDownButton(const Item&, HDC, const TRect&, const States&, bool) const {}
bool P::HasSplitDropDownButton() const {
    return false;
}
void P::OffsetPressedCaption(const Item&, bool, TRect&) const {}
void P::OffsetPressedRect(const Item&, bool, TRect&) const {}
int P::GetComboButtonFrame() const {
    return 1;
}
void P::DrawComboButton(const Item&, HDC, bool, const TRect&, const States&) const {}
void P::GetComboButtonColors(const Item& AItem, const States& S, int& ArrowColorIndex,
                             HBRUSH& Brush) const {
    GetComboColors(AItem, S, ArrowColorIndex, Brush);
}
int P::GetDropDownListBorder() const {
    return 0;
}
void P::DrawDropDownListBorder(const TdxBarManager*, HDC, const TRect&) const {}

// --- Sub-items and menu windows ---

int P::GetMenuShadowSize() const {
    return 2;
}
int P::GetDetachCaptionHeight() const {
    return 10;
}
int P::GetSubMenuBorderSize() const {
    return 3;
}
int P::GetDetachCaptionAreaSize(const Bar&) const {
    return GetDetachCaptionHeight() + 3;
}
void P::FillDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const {
    pg::FillRect(
        DC, &R,
        SysBrushValue(AMenu.DetachSelected ? pg::COLOR_ACTIVECAPTION : pg::COLOR_INACTIVECAPTION));
}
void P::DrawNonRecentBand(const Bar&, HDC, int, const TRect&) const {}
bool P::HasSubMenuSideBar() const {
    return false;
}
int P::GetSubMenuArrowSize(int ItemHeight) const {
    return (ItemHeight - 6) / 2;
}
int P::GetSubMenuSeparatorHeight(const Bar&) const {
    return 1;
}
void P::AdjustDetachCaptionRect(TRect& R) const {
    R = {R.Left + 3, R.Top + 3, R.Right - 3, R.Bottom - 3};
}
void P::GetSubMenuItemBrush(const Bar&, HBRUSH&) const {}
pg::HBRUSH P::GetSubMenuBrush(const Bar&) const {
    return SysBrushValue(pg::COLOR_BTNFACE);
}

// --- Edits and combo lists ---

int P::GetEditCaptionAreaWidth(const Item&, int TextWidth) const {
    return TextWidth + 6;
}
unsigned P::GetEditStyle() const {
    return 0x80;
}
void P::SetEditMargins(HWND) const {}
void P::SelectAllEditText(HWND Edit, bool) const {
    constexpr pc::UINT EM_SETSEL = 0xB1;
    pc::SendMessage(Edit, EM_SETSEL, 0, -1);
}

// --- Further item kinds ---

bool P::HasFlatCaptionedFrame() const {
    return false;
}
pg::TColor P::GetPushButtonColor() const {
    return pg::clBtnFace;
}
pg::TColor P::GetProgressBarColor() const {
    return pg::clHighlight;
}
int P::GetProgressBarHeight() const {
    return 12;
}
int P::GetMenuItemTextIndent(const Item&) const {
    return 0;
}
int P::GetBarItemTextIndent() const {
    return 0;
}
pg::HBRUSH P::GetArrowItemBrush() const {
    return pg::GetSysColorBrush(pg::COLOR_BTNSHADOW);
}

// --- Answers beyond the table ---

bool P::SubMenuIgnoresBackgroundBitmap() const {
    return false;
}
bool P::ShowsCheckedAsPressed() const {
    return true;
}
int P::ButtonLoweredBorder(const Item&) const {
    return 0;
}
int P::FixedGripSize() const {
    return 0;
}
bool P::IsDockControlBackgroundPainted() const {
    return false;
}
void P::FillDockControlBackground(const Bar& ABar, HDC DC, const TRect& R) const {
    pg::FillRect(DC, &R, GetBkBrush(ABar));
}
bool P::BarControlHasShadow(const Bar&) const {
    return false;
}
bool P::CloseButtonHitIsSystem() const {
    return false;
}
bool P::RepaintAfterMenuOpened() const {
    return false;
}
void P::DrawButtonCaptionArea(const Item&, HDC, const TRect&) const {}
int P::SubMenuBeginGroupSize() const {
    return 10;
}
bool P::SeparatorIncreasesGap() const {
    return false;
}
int P::SubMenuItemAreaIndent(const Bar&) const {
    return 1;
}
int P::SubMenuScrollButtonHeight() const {
    return 16;
}

} // namespace toolkit::bars
