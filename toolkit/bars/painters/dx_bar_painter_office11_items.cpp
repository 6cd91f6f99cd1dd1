// The Office 2003 painter's buttons, menus and edit-style items.

#include "toolkit/bars/painters/dx_bar_painter_office11.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/bars/painters/dx_bar_painter_support.h"

#include "toolkit/base/office11.h"

#include "platform/gdi/canvas.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/text_out.h"

#include <utility>

namespace toolkit::bars {

namespace pg = platform::gdi;
using namespace toolkit::base;

using O = TdxBarItemControlOffice11Painter;

namespace {

// The manager draws bars with the visual styles.
bool ThemesOn(const TdxBarPaintedItem& AItem) {
    return AItem.Manager() != nullptr && AItem.Manager()->ThemesAvailable();
}

bool InQuickCustomize(const TdxBarPaintedItem& AItem) {
    return AItem.Parent != nullptr && AItem.Parent->QuickCustomizeMenu;
}

bool InMenuWindow(const TdxBarPaintedItem& AItem) {
    return AItem.Parent != nullptr && AItem.Parent->Kind != bckToolbar;
}

// A control whose menu is open shows the toolbar's own gradient, joined to its menu.
bool MenuIsOpen(const TdxBarPaintedItem& AItem, const TdxBarItemStates& S) {
    return S.Down && S.OpensMenu && !InQuickCustomize(AItem);
}

// Text where the classic look uses the highlight-text colour.
pg::TColor HotTextColor() {
    if (IsHighContrastWhite()) return pg::clWhite;
    return dxOffice11IsVisualStyleScheme() ? pg::clWhite : pg::clBtnHighlight;
}

// The face of a hot, pressed or checked control: first and second colour of its gradient.
std::pair<pg::TColor, pg::TColor> FaceColors(const TdxBarPaintedItem& AItem,
                                             const TdxBarItemStates& S) {
    const bool P = S.Pressed || S.Down;
    if (InQuickCustomize(AItem)) {
        const pg::TColor C = P ? dxOffice11ControlFillColor() : dxOffice11HotGradientLight();
        return {C, C};
    }
    if (!P) return {dxOffice11HotGradientLight(), dxOffice11HotGradientDark()};
    if (S.Selected) return {dxOffice11DownGradientDark(), dxOffice11DownGradientLight()};
    const pg::TColor Light = dxOffice11DownGradientLight(), Dark = dxOffice11DownGradientDark();
    if (pg::ColorToRGB(Light) == pg::ColorToRGB(Dark))
        return {dxOffice11PressedColor(), dxOffice11PressedColor()};
    return {Light, Dark};
}

} // namespace

// --- Buttons ---

void O::DrawGlyphFrame(const Item& AItem, HDC DC, const States& S, const TRect& Cell,
                       bool DrawBackground, HBRUSH Brush) const {
    const bool InMenu = S.PaintType == ptMenu;
    if (InMenu && S.Selected && S.PlainMenuSelection && !S.Down) {
        pg::FillRect(DC, &Cell, Brush);
        return;
    }
    const bool Vertical = S.PaintType == ptVert;
    const bool Open = MenuIsOpen(AItem, S);
    const bool AnyState = S.Selected || S.Down || S.Pressed;
    if (Open) {
        toolkit::base::FillGradientRect(DC, Cell, dxOffice11BarGradientLight(),
                                        dxOffice11BarGradientDark(), Vertical);
    } else if (!InMenu && AnyState) {
        const auto [First, Second] = FaceColors(AItem, S);
        toolkit::base::FillGradientRect(DC, Cell, First, Second, Vertical);
    } else {
        this->DrawBackground(AItem, DC, Cell, Brush, AnyState);
    }
    if (S.Down || (S.Selected && !InMenu)) {
        if (Open && AItem.Parent != nullptr)
            DrawOpenMenuButtonFrame(*AItem.Parent, DC, AItem.OpenMenu, &AItem, Cell);
        else if (S.Selected || (S.Down && AItem.CheckStyle && AItem.Checked))
            FrameSelectedRect(DC, Cell);
        else
            pg::FrameRect(DC, &Cell, dxOffice11MenuBorderBrush());
    } else if (DrawBackground) {
        DrawBackgroundFrame(AItem, DC, Cell, Brush, AnyState);
    }
}

void O::FillDropDownPart(const Bar& ABar, HDC DC, const Item* AItem, const TRect& Strip,
                         const TRect& Button) const {
    if (AItem == nullptr || AItem->OpenMenu == nullptr || InQuickCustomize(*AItem)) {
        TdxBarItemControlFlatPainter::FillDropDownPart(ABar, DC, AItem, Strip, Button);
        return;
    }
    // The open control's face is the toolbar gradient: the strip continues it at the side of
    // the button the menu touches.
    TColor Color;
    if (Strip.Width() > Strip.Height())
        Color = Strip.Top > (Button.Top + Button.Bottom) / 2 ? dxOffice11BarGradientDark()
                                                             : dxOffice11BarGradientLight();
    else
        Color = Strip.Left > (Button.Left + Button.Right) / 2 ? dxOffice11BarGradientDark()
                                                              : dxOffice11BarGradientLight();
    FillRectByColor(DC, Strip, Color);
}

void O::FrameSelectedRect(HDC DC, const TRect& R) const {
    dxOffice11FrameSelectedRect(DC, R);
}

void O::DrawGlyphImage(const Item& AItem, HDC DC, const TRect& R, const States& S,
                       const TdxBarGlyphSource& Source, bool Framed) const {
    // No background first, and none under the image either: the face the glyph frame drew
    // (a gradient on a toolbar, the glyph band in a menu) shows round the image.
    const TRect Cell = Framed ? Shrunk(R) : R;
    DrawBarItemGlyph(DC, GlyphParams(AItem, Cell, S, Source, true));
}

void O::DrawItemArrowInRect(HDC DC, const TRect& R, bool Down, bool Enabled, bool Selected,
                            bool) const {
    dxOffice11DrawArrowInRect(DC, R, Down, Selected, Enabled);
}

void O::DrawItemArrow(HDC DC, const TRect& R, int Size, bool Down, bool Enabled, bool Selected,
                      bool) const {
    dxOffice11DrawArrow(DC, R, Down, Size, Selected, Enabled);
}

// --- Colours ---

void O::GetEditColors(const Item& AItem, TColor& TextColor, TColor& BkColor) const {
    if (ItemEnabled(AItem)) {
        TextColor = dxOffice11TextColor();
        BkColor = pg::clWindow;
    } else {
        TextColor = dxOffice11DisabledTextColor();
        BkColor = pg::clBtnFace;
    }
}

pg::TColor O::GetFadedImageColor(const Bar&) const {
    return dxOffice11MarkLightColors(0);
}

void O::GetTextColors(const Item&, bool Enabled, bool Selected, bool Highlight, TColor& EmbossColor,
                      TColor& TextColor) const {
    // Only where the base painter turns to the highlight-text colour (selected text that is not
    // highlighted) is the text light; a hot or open item keeps the normal text colour on the
    // scheme's light selection colours.
    if (!Enabled)
        TextColor = dxOffice11DisabledTextColor();
    else if (Selected && !Highlight)
        TextColor = HotTextColor();
    else
        TextColor = dxOffice11TextColor();
    EmbossColor = TextColor;
}

bool O::HandlesNonRecentItems() const {
    return true;
}

void O::DrawDropDownArrow(HDC DC, int SysColorIndex, int Width, int Top, int Left) const {
    const pg::COLORREF Color = pg::GetSysColor(SysColorIndex);
    pg::GdiHandle Pen(pg::CreatePen(pg::PS_SOLID, 1, Color));
    pg::GdiHandle Brush(pg::CreateSolidBrush(Color));
    const pg::HGDIOBJ OldPen = pg::SelectObject(DC, Pen.Get());
    const pg::HGDIOBJ OldBrush = pg::SelectObject(DC, Brush.Get());
    const pg::TPoint P[3] = {
        {Left, Top}, {Left + Width - 1, Top}, {Left + Width / 2, Top + Width / 2}};
    pg::Polygon(DC, P, 3);
    pg::SelectObject(DC, OldBrush);
    pg::SelectObject(DC, OldPen);
}

void O::DrawSubMenuChevron(const Bar&, HDC DC, bool, const TRect& R) const {
    const pg::HBITMAP Bitmap = dxOffice11SubMenuExpandBitmap();
    pg::BITMAP Info{};
    if (Bitmap == pg::HBITMAP{} || pg::GetObject(Bitmap, sizeof(Info), &Info) == 0) return;
    const TRect Inner = Shrunk(R);
    const int Left = (Inner.Left + Inner.Right) / 2 - Info.bmWidth / 2;
    const pg::HDC Source = pg::CreateCompatibleDC(DC);
    const pg::HGDIOBJ Old = pg::SelectObject(Source, Bitmap);
    // Transparent where the image shows its background (its top-left pixel).
    const pg::COLORREF Background = pg::GetPixel(Source, 0, 0);
    for (int Y = 0; Y < Info.bmHeight; ++Y)
        for (int X = 0; X < Info.bmWidth; ++X) {
            const pg::COLORREF C = pg::GetPixel(Source, X, Y);
            if (C != Background) pg::SetPixel(DC, Left + X, Inner.Top + Y, C);
        }
    pg::SelectObject(Source, Old);
    pg::DeleteDC(Source);
}

// --- Edit-style items ---

void O::DrawEditButtonFrame(const Item& AItem, HDC DC, const TRect& R, const States& S) const {
    const Bar* Parent = AItem.Parent;
    TRect Inner = Shrunk(R);
    if (S.Selected) {
        FrameSelectedRect(DC, R);
        const HBRUSH Face = Parent ? (S.Pressed ? GetDownBrush(*Parent) : GetHotBrush(*Parent))
                                   : dxOffice11SelectedBrush();
        pg::FillRect(DC, &Inner, Face);
    } else if (S.Enabled) {
        pg::FrameRect(DC, &R, ParentBkBrush(AItem));
        pg::FillRect(DC, &Inner, dxOffice11ControlFillBrush());
    } else {
        FrameRectByColor(DC, R, dxOffice11DisabledTextColor());
        pg::FillRect(DC, &Inner, pg::GetSysColorBrush(pg::COLOR_BTNFACE));
    }
}

void O::GetComboColors(const Item& AItem, const States& S, int& TextColorIndex,
                       HBRUSH& Brush) const {
    // The colour goes out as a system colour index: text colours of the scheme are the system's
    // button text and grey text.
    if (!S.Enabled) {
        TextColorIndex = pg::COLOR_GRAYTEXT;
        Brush = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
        return;
    }
    TextColorIndex = pg::COLOR_BTNTEXT;
    if (S.Selected && (IsHighContrastWhite() || (S.Pressed && !dxOffice11IsVisualStyleScheme())))
        TextColorIndex = pg::COLOR_HIGHLIGHTTEXT;
    const Bar* Parent = AItem.Parent;
    if (Parent == nullptr)
        Brush = HBRUSH{};
    else if (S.Selected)
        Brush = S.Pressed ? GetDownBrush(*Parent) : GetHotBrush(*Parent);
    else
        Brush = Parent->BkBrush;
}

pg::HBRUSH O::GetGlyphCellBrush(const Item& AItem, const States& S) const {
    // A selected row's cell takes the selection with the rest of its row (Flat's hot brush).
    if (S.PaintType == ptMenu && !S.Pressed && !S.Down && !S.PlainMenuSelection &&
        AItem.Parent != nullptr)
        return GetBkBrush(*AItem.Parent);
    return TdxBarItemControlFlatPainter::GetGlyphCellBrush(AItem, S);
}

bool O::CanHotTrackDisabled() const {
    if (dxOffice11IsVisualStyleScheme()) return false;
    return TdxBarItemControlFlatPainter::CanHotTrackDisabled();
}

int O::CalcQuickCustItemRect(const Item& AItem, TRect& R) const {
    const int H = R.Height();
    if (AItem.Parent != nullptr)
        DrawBackgroundFrame(AItem, AItem.Parent->Canvas ? AItem.Parent->Canvas->Handle() : HDC{},
                            {R.Left, R.Top, R.Left + H, R.Bottom}, GetBkBrush(*AItem.Parent), true);
    pg::InflateRect(R, -1, -1);
    R.Right = R.Left + R.Height();
    return R.Right + 1;
}

void O::DrawQuickCustItemCheck(const Item& AItem, HDC DC, const TRect& R,
                               const TRect& CheckRect) const {
    if (AItem.Parent == nullptr) return;
    FrameSelectedRect(DC, R);
    const TRect Strip{CheckRect.Right, R.Top, CheckRect.Right + 2, R.Bottom};
    pg::FillRect(DC, &Strip, GetHotBrush(*AItem.Parent));
}

void O::DrawDropDownButton(const Item& AItem, HDC DC, const TRect& R, const States& S,
                           bool InMenu) const {
    TRect Part = R;
    if (!InMenu) --Part.Left;
    const HBRUSH Brush = ParentBkBrush(AItem);
    const bool MenuShown = S.DroppedDown;
    if (InMenu || !MenuShown) {
        if (S.Selected)
            FrameSelectedRect(DC, Part);
        else if (InMenu)
            pg::FrameRect(DC, &Part, dxOffice11SeparatorBrush());
        else
            DrawBackgroundFrame(AItem, DC, Part, Brush, true);
        const TRect Inner = Shrunk(Part);
        this->DrawBackground(AItem, DC, Inner, Brush,
                             MenuShown || S.Pressed || S.Selected || AItem.NonRecent);
    }
    // A button whose drop-down part is switched off shows a disabled arrow.
    const auto* Button = dynamic_cast<const TdxBarButton*>(AItem.Item);
    const bool Enabled =
        S.Enabled && ItemEnabled(AItem) && (Button == nullptr || Button->DropDownEnabled());
    const bool White = IsHighContrastWhite();
    if (InMenu)
        DrawItemArrow(DC, Part, GetSubMenuArrowSize(Part.Height()), false, Enabled,
                      MenuShown || (S.Selected && White), false);
    else
        DrawItemArrowInRect(DC, Part, true, Enabled, S.Selected && !MenuShown && White, false);
}

void O::GetComboButtonColors(const Item& AItem, const States& S, int& ArrowColorIndex,
                             HBRUSH& Brush) const {
    TdxBarItemControlFlatPainter::GetComboButtonColors(AItem, S, ArrowColorIndex, Brush);
    if (AItem.Parent == nullptr || !S.Enabled) return;
    if (S.Selected)
        Brush = GetHotBrush(*AItem.Parent);
    else if (S.Pressed)
        Brush = GetDownBrush(*AItem.Parent);
}

void O::DrawComboButton(const Item& AItem, HDC DC, bool Pressed, const TRect& R,
                        const States& S) const {
    int ArrowColor = pg::COLOR_BTNTEXT;
    HBRUSH Brush{};
    GetComboButtonColors(AItem, S, ArrowColor, Brush);
    TRect B = R;
    if (S.Selected) {
        FrameSelectedRect(DC, B);
        B = Shrunk(B);
        States Face = S;
        Face.Pressed = Pressed;
        const auto [First, Second] = FaceColors(AItem, Face);
        toolkit::base::FillGradientRect(DC, B, First, Second, false);
    } else {
        const HBRUSH Frame = S.Enabled ? pg::GetSysColorBrush(pg::COLOR_WINDOW) : Brush;
        pg::FrameRect(DC, &B, Frame);
        if (S.PaintType == ptMenu && S.Enabled) pg::FrameRect(DC, &B, dxOffice11ControlFillBrush());
        B = Shrunk(B);
        this->DrawBackground(AItem, DC, B, Brush, true);
    }
    DrawItemArrowInRect(DC, B, true, S.Enabled, false, false);
}

void O::DrawDropDownListBorder(const TdxBarManager*, HDC DC, const TRect& R) const {
    pg::FrameRect(DC, &R, dxOffice11MenuBorderBrush());
    const TRect Inner = Shrunk(R);
    pg::FrameRect(DC, &Inner, dxOffice11MenuBrush());
}

int O::GetEditCaptionAreaWidth(const Item& AItem, int TextWidth) const {
    int Width = TdxBarItemControlFlatPainter::GetEditCaptionAreaWidth(AItem, TextWidth);
    if (InMenuWindow(AItem)) Width += GetMenuItemTextIndent(AItem) + 1;
    return Width;
}

void O::DrawEditBorder(const Item& AItem, HDC DC, TRect& R, bool Selected) const {
    const bool Enabled = ItemEnabled(AItem);
    if (Selected)
        FrameSelectedRect(DC, R);
    else if (Enabled)
        DrawBackgroundFrame(AItem, DC, R, ParentBkBrush(AItem), true);
    else
        FrameRectByColor(DC, R, dxOffice11DisabledTextColor());
    pg::InflateRect(R, -1, -1);
}

void O::DrawEditCaption(const Item& AItem, HDC DC, TRect& R, const States& S) const {
    const std::string Caption = ItemCaption(AItem);
    const std::string Plain = RemoveAccelChars(Caption);
    pg::TSize Extent{};
    pg::GetTextExtentPoint32(DC, Plain.c_str(), static_cast<int>(Plain.size()), &Extent);
    TRect Area = R;
    Area.Right = Area.Left + GetEditCaptionAreaWidth(AItem, Extent.cx);
    if (S.Selected && S.PaintType == ptMenu && AItem.Parent != nullptr) {
        FrameSelectedRect(DC, Area);
        const TRect Inner = Shrunk(Area);
        pg::FillRect(DC, &Inner, GetHotBrush(*AItem.Parent));
    } else {
        const HBRUSH Bk = ParentBkBrush(AItem);
        pg::FillRect(DC, &Area, Bk);
    }
    TRect Text = Area;
    Text.Right -= 5;
    DrawCaption(AItem, DC, Text, Caption, S.Selected, ItemEnabled(AItem), !IsHighContrastWhite(),
                false, false, 0);
    R.Left = Area.Right;
}

void O::DrawPushButton(const Item& AItem, HDC DC, TRect& R, const std::string& Text,
                       bool Pressed) const {
    if (ThemesOn(AItem))
        dxBarPainter(TdxBarItemControlXPPainterClassRef())
            .DrawPushButton(AItem, DC, R, Text, Pressed);
    else
        TdxBarItemControlFlatPainter::DrawPushButton(AItem, DC, R, Text, Pressed);
}

int O::GetMenuItemTextIndent(const Item& AItem) const {
    if (!InMenuWindow(AItem)) return 0;
    const Bar& Menu = *AItem.Parent;
    int Width = Menu.ReferenceGlyphSize + 2;
    AdjustGlyphAreaWidth(Width);
    return Menu.BarSize + Width + 2;
}

// --- Menu windows ---

void O::CalcSubMenuItemSize(const Bar& AMenu, HDC DC, int& ItemHeight, int& ReferenceGlyphSize,
                            int& ExpandButtonHeight, int& WidthMetric) const {
    TdxBarItemControlFlatPainter::CalcSubMenuItemSize(AMenu, DC, ItemHeight, ReferenceGlyphSize,
                                                      ExpandButtonHeight, WidthMetric);
    pg::BITMAP Info{};
    const pg::HBITMAP Bitmap = dxOffice11SubMenuExpandBitmap();
    if (Bitmap != pg::HBITMAP{} && pg::GetObject(Bitmap, sizeof(Info), &Info) != 0)
        ExpandButtonHeight = Info.bmHeight + 2;
}

int O::GetDetachCaptionAreaSize(const Bar& AMenu) const {
    return AMenu.DetachCaptionSize + 5;
}

void O::DrawSubMenuBackground(const Bar& AMenu, HDC DC, const TRect& R, HBRUSH Brush) const {
    if (AMenu.BackgroundBitmap != nullptr) {
        TdxBarItemControlFlatPainter::DrawSubMenuBackground(AMenu, DC, R, Brush);
        return;
    }
    const int Level = pg::SaveDC(DC);
    pg::IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    int Band = AMenu.ReferenceGlyphSize + 2;
    AdjustGlyphAreaWidth(Band);
    const int X = AMenu.BarSize + Band + 2;
    const TColor Light =
        AMenu.NonRecent ? dxOffice11NonRecentBandLight() : dxOffice11BarGradientLight();
    const TColor Dark =
        AMenu.NonRecent ? dxOffice11NonRecentBandDark() : dxOffice11BarGradientDark();
    FillTwoStageGradientRect(DC, {0, R.Top, X, R.Bottom}, Light, Dark, true);
    // The quick-customise menu's second glyph column.
    const int W = AMenu.GlyphAreaWidth;
    if (W > 0) FillRectByColor(DC, {X, R.Top, X + W, R.Bottom}, Dark);
    const TRect Rest{X + W, R.Top, R.Right, R.Bottom};
    pg::FillRect(DC, &Rest, Brush);
    pg::RestoreDC(DC, Level);
}

void O::DrawSubMenuBorder(const Bar& AMenu, HDC DC, HBRUSH, const TRect& R) const {
    if (AMenu.BackgroundBitmap == nullptr && AMenu.BarSize == 0) {
        const TRect Top{R.Left, R.Top, R.Right, R.Top + 1};
        const TRect Right{R.Right - 1, R.Top, R.Right, R.Bottom};
        const TRect Bottom{R.Left, R.Bottom - 1, R.Right, R.Bottom};
        for (const TRect& Edge : {Top, Right, Bottom})
            pg::FillRect(DC, &Edge, dxOffice11MenuBrush());
        FillRectByColor(DC, {R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1},
                        dxOffice11BarGradientLight());
        return;
    }
    pg::FrameRect(DC, &R, dxOffice11MenuBrush());
}

void O::DrawDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const {
    pg::FrameRect(DC, &R, dxOffice11MenuBorderBrush());
    DrawOwnerJoin(AMenu, DC);
    if (!AMenu.Detachable) return;
    const TRect Inner = Shrunk(R);
    const TRect Area{Inner.Left, Inner.Top, Inner.Right, Inner.Top + AMenu.DetachCaptionSize + 5};
    pg::FrameRect(DC, &Area, dxOffice11MenuBrush());
    const TRect Band{Area.Left + 1, Area.Top + 1, Area.Right - 1, Area.Top + 3};
    const TRect Row{Area.Left + 1, Area.Bottom - 2, Area.Right - 1, Area.Bottom - 1};
    pg::FillRect(DC, &Band, dxOffice11MenuBrush());
    pg::FillRect(DC, &Row, dxOffice11MenuBrush());
    FillDetachCaption(AMenu, DC, {Area.Left + 1, Band.Bottom, Area.Right - 1, Row.Top});
}

void O::FillDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const {
    TRect Strip = R;
    const int K = AMenu.DetachSelected ? 0 : 1;
    if (AMenu.DetachSelected) {
        FrameSelectedRect(DC, Strip);
        Strip = Shrunk(Strip);
        pg::FillRect(DC, &Strip, dxOffice11SelectedBrush());
    } else {
        pg::FillRect(DC, &Strip, dxOffice11DetachStripBrush());
    }
    const int DX = (Strip.Width() + 2 * K) / 4;
    pg::InflateRect(Strip, -DX, -(K + 1));
    DrawDragGripDots(DC, Strip, false);
}

void O::AdjustDetachCaptionRect(TRect& R) const {
    pg::InflateRect(R, -2, -4);
}

pg::HBRUSH O::GetSubMenuBrush(const Bar&) const {
    return dxOffice11MenuBrush();
}

} // namespace toolkit::bars
