#include "toolkit/bars/painters/dx_bar_painter_xp.h"

#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/bars/painters/dx_bar_painter_standard.h"
#include "toolkit/bars/painters/dx_bar_painter_support.h"

#include "toolkit/base/office11.h"
#include "toolkit/base/theme_manager.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_out.h"
#include "platform/win/painting.h"

#include <algorithm>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pc = platform::core;
namespace tb = toolkit::base;

using X = TdxBarItemControlXPPainter;

namespace {

// Theme parts and states of the classes the style draws with.
enum : int {
    TP_BUTTON = 1,
    TP_SPLITBUTTON = 3,
    TP_SPLITBUTTONDROPDOWN = 4,
    TP_SEPARATOR = 5,
    TP_SEPARATORVERT = 6,
    RP_BACKGROUND = 0,
    RP_GRIPPER = 1,
    RP_GRIPPERVERT = 2,
    WP_SMALLCLOSEBUTTON = 19,
    WP_MDIMINBUTTON = 16,
    WP_MDICLOSEBUTTON = 20,
    WP_MDIRESTOREBUTTON = 22,
    SP_BACKGROUND = 0,
    SP_GRIPPER = 3,
    EP_EDITTEXT = 1,
    CP_DROPDOWNBUTTON = 1,
    SPNP_UP = 1,
    SPNP_DOWN = 2,
    PP_BAR = 1,
    PP_BARVERT = 2,
    PP_CHUNK = 3,
    PP_CHUNKVERT = 4,
};
enum : int { TS_NORMAL = 1, TS_HOT = 2, TS_PRESSED = 3, TS_DISABLED = 4, TS_CHECKED = 5 };
constexpr int TMT_FILLCOLOR = 3802;
constexpr int TMT_TEXTCOLOR = 3803;

void DrawPart(tb::TdxThemeClassKind Kind, pg::HDC DC, int Part, int State, const pg::TRect& R) {
    const tb::HTHEME Theme = tb::OpenTheme(Kind);
    if (Theme != tb::NullTheme) tb::DrawThemeBackground(Theme, DC, Part, State, &R);
}

// The part's true size; false when the class does not open or cannot tell.
bool PartSize(tb::TdxThemeClassKind Kind, int Part, int State, pg::TSize& Size) {
    const tb::HTHEME Theme = tb::OpenTheme(Kind);
    if (Theme == tb::NullTheme) return false;
    const pg::HDC DC = platform::win::GetDC(pc::HWND{});
    const bool Ok =
        tb::GetThemePartSize(Theme, DC, Part, State, nullptr, tb::TS_TRUE, &Size) == pg::S_OK;
    platform::win::ReleaseDC(pc::HWND{}, DC);
    return Ok;
}

// The content rectangle of a part laid over Bounds; false when the class cannot tell.
bool PartContent(tb::TdxThemeClassKind Kind, int Part, int State, const pg::TRect& Bounds,
                 pg::TRect& Content) {
    const tb::HTHEME Theme = tb::OpenTheme(Kind);
    if (Theme == tb::NullTheme) return false;
    const pg::HDC DC = platform::win::GetDC(pc::HWND{});
    const bool Ok =
        tb::GetThemeBackgroundContentRect(Theme, DC, Part, State, &Bounds, &Content) == pg::S_OK;
    platform::win::ReleaseDC(pc::HWND{}, DC);
    return Ok;
}

// The painter the look has no theme part for.
const TdxBarItemControlPainter& Flat() {
    return dxBarPainter(TdxBarItemControlFlatPainterClassRef());
}

// A part drawn into an off-screen bitmap of R's size and copied, so that the DC never shows it
// half drawn; false, drawing nothing, where the theme class does not open.
bool DrawPartBuffered(tb::TdxThemeClassKind Kind, pg::HDC DC, int Part, const pg::TRect& R) {
    const tb::HTHEME Theme = tb::OpenTheme(Kind);
    if (Theme == tb::NullTheme) return false;
    const pg::HDC Memory = pg::CreateCompatibleDC(DC);
    const pg::HBITMAP Bitmap = pg::CreateCompatibleBitmap(DC, R.Width(), R.Height());
    const pg::HGDIOBJ Old = pg::SelectObject(Memory, Bitmap);
    const pg::TRect Local{0, 0, R.Width(), R.Height()};
    tb::DrawThemeBackground(Theme, Memory, Part, 0, &Local);
    pg::BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), Memory, 0, 0, pg::SRCCOPY);
    pg::SelectObject(Memory, Old);
    pg::DeleteObject(Bitmap);
    pg::DeleteDC(Memory);
    return true;
}

// The toolbar theme's state of a button or its drop-down part.
int ButtonPartState(bool Enabled, const TdxBarItemStates& St) {
    return !Enabled      ? TS_DISABLED
           : St.Pressed  ? TS_PRESSED
           : St.Down     ? TS_CHECKED
           : St.Selected ? TS_HOT
                         : TS_NORMAL;
}

// The theme state of an edit item: 4 disabled, 6 selected, 1 normal.
int EditThemeState(const TdxBarItemControlState& AItem, bool Selected) {
    return !ItemEnabled(AItem) ? 4 : Selected ? 6 : 1;
}

int MarkPartState(int MarkState) {
    return MarkState == 1 ? TS_HOT : MarkState == 2 ? TS_PRESSED : TS_NORMAL;
}

} // namespace

const TdxBarItemControlXPPainter& X::Instance() {
    static const TdxBarItemControlXPPainter instance;
    return instance;
}

const pc::TClass& X::ClassType() const {
    return TdxBarItemControlXPPainterClassRef();
}

void X::DrawGlyphFrame(const Item& AItem, HDC DC, const States& St, const TRect& Cell, bool,
                       HBRUSH Brush) const {
    const bool Enabled = St.Enabled && ItemEnabled(AItem);
    if (St.PaintType == ptMenu && (St.Selected || AItem.NonRecent) && Enabled && !St.Down) {
        pg::FillRect(DC, &Cell, Brush);
        return;
    }
    DrawBackground(AItem, DC, Cell, Brush, false);
    if (St.PaintType != ptMenu && IsMainMenuItem(AItem) && (St.Selected || St.Pressed || St.Down)) {
        pg::FillRect(DC, &Cell, SysBrushValue(pg::COLOR_HIGHLIGHT));
        return;
    }
    const int State = ButtonPartState(Enabled, St);
    DrawPart(tb::tcToolBar, DC, St.SplitButton ? TP_SPLITBUTTON : TP_BUTTON, State, Cell);
}

void X::DrawCheckMark(const Item& AItem, HDC DC, int Left, int Top, int Scale, bool Enabled) const {
    Flat().DrawCheckMark(AItem, DC, Left, Top, Scale, Enabled);
}

void X::DrawGlyphImage(const Item& AItem, HDC DC, const TRect& R, const States& St,
                       const TdxBarGlyphSource& Source, bool Framed) const {
    TRect Cell = R;
    if (Framed) pg::InflateRect(Cell, -1, -1);
    // The glyph frame went first: the image lies over it.
    TdxBarGlyphParams G = GlyphParams(AItem, Cell, St, Source, true);
    G.Enabled = (St.Enabled && ItemEnabled(AItem)) || Source.DisabledImage;
    DrawBarItemGlyph(DC, G);
}

pg::TColor X::GetFadedImageColor(const Bar&) const {
    pg::COLORREF Fill = pg::GetSysColor(pg::COLOR_BTNFACE);
    const tb::HTHEME Theme = tb::OpenTheme(tb::tcWindow);
    if (Theme != tb::NullTheme) tb::GetThemeColor(Theme, 0, 0, TMT_FILLCOLOR, &Fill);
    return tb::dxOffice11MixColors(static_cast<TColor>(Fill), pg::ColorToRGB(pg::clBtnShadow), 70);
}

bool X::IsMainMenuItem(const Item& AItem) const {
    return AItem.Parent != nullptr && AItem.Parent->Kind == bckToolbar &&
           AItem.Parent->Bar.IsMainMenu &&
           dynamic_cast<const TCustomdxBarSubItem*>(AItem.Item) != nullptr;
}

void X::DrawSizeGrip(const Bar&, HDC DC, const TRect& R) const {
    DrawPart(tb::tcStatus, DC, SP_GRIPPER, 0, R);
}

void X::DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const {
    if (ABar.DockSite != nullptr)
        DrawDockedBarBackground(ABar, DC, R);
    else
        FillBarBackground(ABar, DC, R, Brush);
    TRect Face = R;
    if (ABar.Bar.BorderStyle == 0) {
        if (dxBarIsDockedVertically(ABar))
            pg::InflateRect(Face, -2, 0);
        else
            pg::InflateRect(Face, 0, -2);
    }
    DrawPart(tb::tcToolBar, DC, TP_BUTTON, MarkPartState(ABar.MarkState), Face);
}

void X::DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const {
    Flat().DrawMarkGlyphs(ABar, DC, R);
}

void X::AdjustEditTextRect(TRect& R) const {
    R.Top += 2;
}

void X::DrawMenuButton(const Item& AItem, HDC DC, const TRect& R, const States& St) const {
    dxBarDrawClassicMenuButton(*this, AItem, DC, R, St);
}

void X::DrawControlBorder(const Item& AItem, HDC DC, TRect& R) const {
    TdxBarItemControlStandardPainter::Instance().DrawControlBorder(AItem, DC, R);
}

pg::HBRUSH X::GetGlyphCellBrush(const Item& AItem, const States& St) const {
    if (AItem.Parent != nullptr && St.PaintType == ptMenu && St.Selected && !St.Down &&
        St.Enabled && ItemEnabled(AItem))
        return GetHotBrush(*AItem.Parent);
    return ParentBkBrush(AItem);
}

int X::GetDownGlyphOffset(const Item&) const {
    return 1;
}
int X::GetPressedGlyphOffset(const Item&, bool Down) const {
    return Down ? 0 : 1;
}
int X::GetDragGripOffset() const {
    return 0;
}
int X::GetDragGripAreaSize() const {
    return GetDragGripOffset() + 2 * GetDragGripBarSize() + 1;
}
int X::GetDragGripBarSize() const {
    TSize Size{};
    return PartSize(tb::tcRebar, RP_GRIPPER, 0, Size)
               ? Size.cx
               : TdxBarItemControlPainter::GetDragGripBarSize();
}
int X::GetButtonArrowWidth(const TdxBarManager& Manager) const {
    return TdxBarItemControlPainter::GetButtonArrowWidth(Manager) + 3;
}
int X::GetLargeButtonArrowWidth(const TdxBarManager& Manager) const {
    return TdxBarItemControlPainter::GetLargeButtonArrowWidth(Manager) + 3;
}

void X::DrawDockControlBackground(const Dock& ADock, HDC DC, const TRect& R, HBRUSH Brush) const {
    if (!DrawPartBuffered(tb::tcRebar, DC, RP_BACKGROUND, R))
        TdxBarItemControlPainter::DrawDockControlBackground(ADock, DC, R, Brush);
}

bool X::DrawsGlyphFrameFirst() const {
    return true;
}
bool X::HasRaisedFloatingBorder(const Bar& ABar) const {
    return ABar.Kind == bckToolbar && ABar.DockingStyle == dsNone;
}

pg::HBRUSH X::GetBkBrush(const Bar&) const {
    pg::COLORREF Fill{};
    const tb::HTHEME Theme = tb::OpenTheme(tb::tcWindow);
    if (Theme == tb::NullTheme || tb::GetThemeColor(Theme, 0, 0, TMT_FILLCOLOR, &Fill) != pg::S_OK)
        return SysBrushValue(pg::COLOR_BTNFACE);
    // One brush of the theme's colour, made again when the theme changes it.
    struct TCached {
        pg::COLORREF Color{};
        pg::HBRUSH Brush{};
        ~TCached() {
            if (Brush != pg::HBRUSH{}) pg::DeleteObject(Brush);
        }
    };
    static TCached Cached;
    if (Cached.Brush == pg::HBRUSH{} || Cached.Color != Fill) {
        if (Cached.Brush != pg::HBRUSH{}) pg::DeleteObject(Cached.Brush);
        Cached.Brush = pg::CreateSolidBrush(Fill);
        Cached.Color = Fill;
    }
    return Cached.Brush;
}

int X::GetComboButtonWidth(const Bar& ABar, HDC DC, int CharWidth) const {
    TSize Size{};
    return PartSize(tb::tcComboBox, CP_DROPDOWNBUTTON, TS_NORMAL, Size)
               ? Size.cx
               : TdxBarItemControlPainter::GetComboButtonWidth(ABar, DC, CharWidth);
}

int X::GetEditVertPadding(const Bar&, HDC) const {
    const TRect Bounds{0, 0, 100, 100};
    TRect Content = Bounds;
    PartContent(tb::tcEdit, EP_EDITTEXT, TS_NORMAL, Bounds, Content);
    return 100 - Content.Width() + 5;
}

bool X::HasHotCloseButton() const {
    return true;
}
bool X::HasHotMark() const {
    return true;
}
int X::GetToolbarSeparatorOffset() const {
    return (GetToolbarSeparatorSize() - 1) / 2;
}
int X::GetToolbarSeparatorSize() const {
    TSize Size{};
    return PartSize(tb::tcToolBar, TP_SEPARATOR, TS_NORMAL, Size)
               ? Size.cx
               : TdxBarItemControlPainter::GetToolbarSeparatorSize();
}
int X::GetFloatingBorderUnit() const {
    return 0;
}
void X::DrawFloatingCaptionBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH) const {
    const bool Active = ABar.Manager ? ABar.Manager->FormActive() : ABar.Active;
    pg::FillRect(
        DC, &R, pg::GetSysColorBrush(Active ? pg::COLOR_ACTIVECAPTION : pg::COLOR_INACTIVECAPTION));
}
bool X::HasThemedCaption() const {
    return true;
}
pg::TSize X::GetCloseButtonSize() const {
    TSize Size{};
    return PartSize(tb::tcWindow, WP_SMALLCLOSEBUTTON, TS_NORMAL, Size)
               ? Size
               : TdxBarItemControlPainter::GetCloseButtonSize();
}

void X::DrawToolbarSeparator(const Bar& ABar, HDC DC, const TRect& R, bool Across,
                             HBRUSH Brush) const {
    if (ABar.DockSite != nullptr)
        DrawDockedBarBackground(ABar, DC, R);
    else
        FillBarBackground(ABar, DC, R, Brush);
    DrawPart(tb::tcToolBar, DC, Across ? TP_SEPARATORVERT : TP_SEPARATOR, TS_NORMAL, R);
}

void X::DrawCloseButton(const Bar&, HDC DC, const TRect& R, int State) const {
    DrawPart(tb::tcWindow, DC, WP_SMALLCLOSEBUTTON, MarkPartState(State), R);
}

void X::DrawBarBorder(const Bar& ABar, HDC DC, const TRect& R) const {
    TRect Inner = R;
    pg::InflateRect(Inner, -2, -2);
    if (!ABar.Bar.CanDock) return;
    const bool Vertical = dxBarIsDockedVertically(ABar);
    const int Offset = GetDragGripOffset();
    const int Size = GetDragGripBarSize();
    const TRect Grip =
        Vertical ? TRect{Inner.Left, Inner.Top + Offset, Inner.Right, Inner.Top + Offset + Size}
                 : TRect{Inner.Left + Offset, Inner.Top, Inner.Left + Offset + Size, Inner.Bottom};
    DrawPart(tb::tcRebar, DC, Vertical ? RP_GRIPPERVERT : RP_GRIPPER, 1, Grip);
}

void X::DrawFloatingBarBorder(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const {
    Flat().DrawFloatingBarBorder(ABar, DC, R, Brush);
}

pg::TSize X::GetSizeGripSize(const Bar& ABar) const {
    TSize Size{};
    return PartSize(tb::tcStatus, SP_GRIPPER, 0, Size)
               ? Size
               : TdxBarItemControlPainter::GetSizeGripSize(ABar);
}

void X::DrawMDIButton(const Bar& ABar, int Kind, HDC DC, const TRect& R, int State) const {
    static constexpr int KindParts[] = {WP_MDIMINBUTTON, WP_MDIRESTOREBUTTON, WP_MDICLOSEBUTTON};
    if (Kind < 0 || Kind > 2) return;
    if (ABar.DockSite != nullptr)
        DrawDockedBarBackground(ABar, DC, R);
    else
        FillBarBackground(ABar, DC, R, ABar.BkBrush);
    const int PartState = State == 3   ? TS_DISABLED
                          : State == 2 ? TS_PRESSED
                          : State == 1 ? TS_HOT
                                       : TS_NORMAL;
    DrawPart(tb::tcWindow, DC, KindParts[Kind], PartState, R);
}

pg::TRect X::CalcMarkRect(const Bar& ABar) const {
    return Flat().CalcMarkRect(ABar);
}

void X::DrawToolbarBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const {
    if (!DrawPartBuffered(tb::tcStatus, DC, SP_BACKGROUND, R))
        TdxBarItemControlPainter::DrawToolbarBackground(ABar, DC, R, Brush);
}

bool X::IsQuickControlBeside() const {
    return true;
}

int X::GetButtonVertPadding() const {
    const TRect Bounds{0, 0, 100, 100};
    TRect Content = Bounds;
    if (!PartContent(tb::tcToolBar, TP_SPLITBUTTON, TS_NORMAL, Bounds, Content))
        return TdxBarItemControlPainter::GetButtonVertPadding();
    return Bounds.Height() - Content.Height();
}
int X::GetButtonHorzPadding() const {
    return GetButtonVertPadding();
}
void X::AdjustGlyphAreaWidth(int& Width) const {
    ++Width;
}

void X::DrawDropDownButton(const Item& AItem, HDC DC, const TRect& R, const States& St,
                           bool InMenu) const {
    const bool Enabled = St.Enabled && ItemEnabled(AItem);
    DrawBackground(AItem, DC, R, ParentBkBrush(AItem), St.Selected || AItem.NonRecent);
    if (InMenu) {
        DrawItemArrow(DC, R, AItem.Parent ? AItem.Parent->ArrowSize : 4, false, Enabled,
                      St.Selected, false);
        return;
    }
    const int State = ButtonPartState(Enabled, St);
    DrawPart(tb::tcToolBar, DC, St.SplitButton ? TP_SPLITBUTTONDROPDOWN : TP_BUTTON, State, R);
}

void X::OffsetPressedCaption(const Item& AItem, bool Pressed, TRect& R) const {
    TdxBarItemControlStandardPainter::Instance().OffsetPressedCaption(AItem, Pressed, R);
}
void X::OffsetPressedRect(const Item& AItem, bool Pressed, TRect& R) const {
    TdxBarItemControlStandardPainter::Instance().OffsetPressedRect(AItem, Pressed, R);
}
int X::GetComboButtonFrame() const {
    return 0;
}

void X::DrawComboButton(const Item& AItem, HDC DC, bool Selected, const TRect& R,
                        const States& St) const {
    const int Width = AItem.Parent ? AItem.Parent->ComboButtonWidth : 11;
    const TRect Button{R.Right - Width, R.Top, R.Right, R.Bottom};
    const int State = !(St.Enabled && ItemEnabled(AItem)) ? TS_DISABLED
                      : St.DroppedDown                    ? TS_PRESSED
                      : Selected                          ? TS_HOT
                                                          : TS_NORMAL;
    DrawPart(tb::tcComboBox, DC, CP_DROPDOWNBUTTON, State, Button);
}

int X::GetDropDownListBorder() const {
    return Flat().GetDropDownListBorder();
}
void X::DrawDropDownListBorder(const TdxBarManager* Manager, HDC DC, const TRect& R) const {
    Flat().DrawDropDownListBorder(Manager, DC, R);
}
int X::GetMenuShadowSize() const {
    return 1;
}
int X::GetDetachCaptionHeight() const {
    TSize Size{};
    return PartSize(tb::tcToolBar, TP_SEPARATORVERT, TS_NORMAL, Size)
               ? Size.cy
               : TdxBarItemControlPainter::GetDetachCaptionHeight();
}
int X::GetSubMenuBorderSize() const {
    return 1;
}
void X::CalcSubMenuRect(const Bar& AMenu, bool Measuring, int& LowestBottom,
                        TRect& ItemArea) const {
    Flat().CalcSubMenuRect(AMenu, Measuring, LowestBottom, ItemArea);
}
void X::CalcSubMenuSize(const Bar& AMenu, TSize& Size) const {
    Flat().CalcSubMenuSize(AMenu, Size);
}
int X::GetDetachCaptionAreaSize(const Bar& AMenu) const {
    return Flat().GetDetachCaptionAreaSize(AMenu);
}

void X::DrawDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const {
    pg::FrameRect(DC, &R, SysBrushValue(pg::COLOR_BTNSHADOW));
    if (!AMenu.Detachable) return;
    TRect Strip = R;
    pg::InflateRect(Strip, -1, -1);
    Strip.Bottom = Strip.Top + AMenu.DetachCaptionSize + 1;
    pg::FrameRect(DC, &Strip, GetSubMenuBrush(AMenu));
    pg::InflateRect(Strip, -1, -1);
    FillDetachCaption(AMenu, DC, Strip);
}

void X::DrawSubMenuBorder(const Bar& AMenu, HDC DC, HBRUSH, const TRect& R) const {
    pg::FrameRect(DC, &R, GetSubMenuBrush(AMenu));
}

void X::DrawSubMenuSeparator(const Bar& AMenu, HDC DC, const TRect& R, const Item& AItem) const {
    DrawBackground(AItem, DC, R, AMenu.BkBrush, AItem.NonRecent);
    DrawPart(tb::tcToolBar, DC, TP_SEPARATORVERT, TS_NORMAL, R);
}

void X::AdjustDetachCaptionRect(TRect& R) const {
    pg::InflateRect(R, -2, -2);
}
void X::GetSubMenuItemBrush(const Bar& AMenu, HBRUSH& Brush) const {
    Brush = GetSubMenuBrush(AMenu);
}
pg::HBRUSH X::GetSubMenuBrush(const Bar&) const {
    return SysBrushValue(pg::COLOR_MENU);
}
void X::DrawComboListItem(const Item& AItem, pg::TCanvas& Canvas, int Index, const TRect& R,
                          int InEditor) const {
    Flat().DrawComboListItem(AItem, Canvas, Index, R, InEditor);
}
int X::GetEditCaptionAreaWidth(const Item&, int TextWidth) const {
    return TextWidth + 11;
}

void X::DrawEditBorder(const Item& AItem, HDC DC, TRect& R, bool Selected) const {
    const int State = !ItemEnabled(AItem) ? 4 : Selected ? 6 : 1;
    TRect Content = R;
    PartContent(tb::tcEdit, EP_EDITTEXT, State, R, Content);
    const int Saved = pg::SaveDC(DC);
    pg::ExcludeClipRect(DC, Content.Left, Content.Top, Content.Right, Content.Bottom);
    DrawPart(tb::tcEdit, DC, EP_EDITTEXT, State, R);
    pg::RestoreDC(DC, Saved);
    R = Content;
    DrawBackground(AItem, DC, R, ParentBkBrush(AItem), false);
}

void X::DrawEditCaption(const Item& AItem, HDC DC, TRect& R, const States& St) const {
    const std::string Caption = RemoveAccelChars(ItemCaption(AItem));
    pg::TSize Extent{};
    pg::GetTextExtentPoint32(DC, Caption.data(), static_cast<int>(Caption.size()), &Extent);
    const bool InMenu = St.PaintType == ptMenu;
    const bool Highlighted = InMenu && St.Selected;
    const HBRUSH Brush =
        Highlighted && AItem.Parent ? GetHotBrush(*AItem.Parent) : ParentBkBrush(AItem);
    const TRect Area{R.Left, R.Top, R.Left + GetEditCaptionAreaWidth(AItem, Extent.cx), R.Bottom};
    DrawBackground(AItem, DC, Area, Brush, InMenu && (St.Selected || AItem.NonRecent));
    const TRect Text{Area.Left + 2, Area.Top, Area.Right, Area.Bottom};
    DrawCaption(AItem, DC, Text, Caption, Highlighted, St.Enabled && ItemEnabled(AItem),
                Highlighted, true, false, 0);
    R.Left = Area.Right;
}

void X::DrawEditContent(const Item& AItem, HDC DC, const TRect& R) const {
    if (AItem.Parent == nullptr || AItem.Parent->Canvas == nullptr) return;
    TColor TextColor{}, BkColor{};
    GetEditColors(AItem, TextColor, BkColor);
    const tb::HTHEME Theme = tb::OpenTheme(tb::tcEdit);
    if (Theme != tb::NullTheme) {
        const int State = EditThemeState(AItem, false);
        pg::COLORREF Color{};
        if (tb::GetThemeColor(Theme, EP_EDITTEXT, State, TMT_FILLCOLOR, &Color) == pg::S_OK)
            BkColor = static_cast<TColor>(Color);
        if (tb::GetThemeColor(Theme, EP_EDITTEXT, State, TMT_TEXTCOLOR, &Color) == pg::S_OK)
            TextColor = static_cast<TColor>(Color);
    }
    pg::TCanvas& Canvas = *AItem.Parent->Canvas;
    if (TdxBarManager* Manager = AItem.Manager()) Canvas.Font().Assign(Manager->Font());
    Canvas.Font().SetColor(TextColor);
    Canvas.Brush().SetColor(BkColor);
    TdxClipRgnSave Saved = SaveClipRgn(DC);
    pg::IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    DrawItemEditorArea(AItem, Canvas, R);
    RestoreClipRgn(DC, Saved);
}

unsigned X::GetEditStyle() const {
    return Flat().GetEditStyle();
}
void X::SetEditMargins(HWND Edit) const {
    Flat().SetEditMargins(Edit);
}
void X::SelectAllEditText(HWND Edit, bool SendChange) const {
    Flat().SelectAllEditText(Edit, SendChange);
}
void X::DrawEllipsisButton(const Item& AItem, HDC DC, TRect& R, const States& St) const {
    const HBRUSH Brush = ParentBkBrush(AItem);
    DrawBackgroundFrame(AItem, DC, R, Brush, false);
    R.Top += 1;
    R.Bottom -= 1;
    DrawBackgroundFrame(AItem, DC, R, Brush, false);
    DrawEditButtonFrame(AItem, DC, R, St);
    TRect Inside = R;
    pg::InflateRect(Inside, -1, -1);
    DrawBackground(AItem, DC, Inside, Brush, false);
    const int Dot = std::max(1, R.Width() / 7);
    TRect Dots{R.Left + (R.Width() - 5 * Dot) / 2, R.Top + (R.Height() - Dot) / 2, 0, 0};
    Dots.Right = Dots.Left + 5 * Dot;
    Dots.Bottom = Dots.Top + Dot;
    OffsetPressedRect(AItem, St.Pressed, Dots);
    const bool Enabled = St.Enabled && ItemEnabled(AItem);
    for (int I = 0; I < 3; ++I) {
        const TRect D{Dots.Left + 2 * I * Dot, Dots.Top, Dots.Left + (2 * I + 1) * Dot,
                      Dots.Bottom};
        if (Enabled)
            pg::FillRect(DC, &D, SysBrushValue(pg::COLOR_BTNTEXT));
        else
            DrawEtchedLine(DC, D);
    }
}

bool X::HasFlatCaptionedFrame() const {
    return true;
}

void X::DrawPushButton(const Item&, HDC DC, TRect& R, const std::string& Text, bool Pressed) const {
    pg::FillRect(DC, &R, SysBrushValue(pg::COLOR_BTNFACE));
    DrawPart(tb::tcToolBar, DC, TP_BUTTON, Pressed ? TS_PRESSED : TS_NORMAL, R);
    DrawButtonText(DC, Text, R, true);
}

void X::DrawSpinButton(const Item& AItem, HDC DC, const TRect& R, int Half, const States& St,
                       int) const {
    TRect Part = R;
    const int Middle = (R.Top + R.Bottom) / 2;
    if (Half == 1)
        Part.Bottom = Middle + 1;
    else
        Part.Top = Middle + 1;
    DrawBackground(AItem, DC, Part, ParentBkBrush(AItem), true);
    // The half passed is the active one when the control is selected.
    const int State = !(St.Enabled && ItemEnabled(AItem)) ? TS_DISABLED
                      : St.Selected && St.Pressed         ? TS_PRESSED
                      : St.Selected                       ? TS_HOT
                                                          : TS_NORMAL;
    DrawPart(tb::tcSpin, DC, Half == 1 ? SPNP_UP : SPNP_DOWN, State, Part);
}

void X::DrawSpinButtonsBorder(const Item&, HDC, TRect&) const {}

pg::TColor X::GetProgressBarColor() const {
    pg::COLORREF Color{};
    const tb::HTHEME Theme = tb::OpenTheme(tb::tcProgress);
    if (Theme != tb::NullTheme &&
        tb::GetThemeColor(Theme, PP_CHUNK, 1, TMT_FILLCOLOR, &Color) == pg::S_OK)
        return static_cast<TColor>(Color);
    return TdxBarItemControlPainter::GetProgressBarColor();
}

int X::GetProgressBarHeight() const {
    pg::TSize Chunk{};
    const TRect Bounds{0, 0, 100, 100};
    TRect Content = Bounds;
    if (!PartSize(tb::tcProgress, PP_CHUNK, 1, Chunk) ||
        !PartContent(tb::tcProgress, PP_BAR, 1, Bounds, Content))
        return TdxBarItemControlPainter::GetProgressBarHeight();
    return Chunk.cy + Bounds.Height() - Content.Height();
}

void X::DrawProgressBar(const Item& AItem, HDC DC, const TRect& R, int Min, int Max, int Position,
                        bool Vertical, bool Solid, TColor Color) const {
    const tb::HTHEME Theme = tb::OpenTheme(tb::tcProgress);
    if (Theme == tb::NullTheme) {
        TdxBarItemControlPainter::DrawProgressBar(AItem, DC, R, Min, Max, Position, Vertical, Solid,
                                                  Color);
        return;
    }
    const int BarPart = Vertical ? PP_BARVERT : PP_BAR;
    if (tb::IsThemeBackgroundPartiallyTransparent(Theme, BarPart, 1))
        DrawBackground(AItem, DC, R, ParentBkBrush(AItem), false);
    tb::DrawThemeBackground(Theme, DC, BarPart, 1, &R);
    TRect Content = R;
    PartContent(tb::tcProgress, BarPart, 1, R, Content);
    const int Length = Vertical ? Content.Height() : Content.Width();
    // An empty range shows an empty bar rather than dividing by zero.
    const int Done = Max == Min ? 0
                                : std::clamp(static_cast<int>(static_cast<long long>(Length) *
                                                              (Position - Min) / (Max - Min)),
                                             0, Length);
    if (Done <= 0) return;
    const TRect Chunk =
        Vertical ? TRect{Content.Left, Content.Bottom - Done, Content.Right, Content.Bottom}
                 : TRect{Content.Left, Content.Top, Content.Left + Done, Content.Bottom};
    tb::DrawThemeBackground(Theme, DC, Vertical ? PP_CHUNKVERT : PP_CHUNK, 1, &Chunk);
}

bool X::BarControlHasShadow(const Bar& ABar) const {
    return ABar.DockingStyle == dsNone;
}

} // namespace toolkit::bars
