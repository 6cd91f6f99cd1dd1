#include "toolkit/bars/painters/dx_bar_painter_flat.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/bars/painters/dx_bar_painter_standard.h"
#include "toolkit/bars/painters/dx_bar_painter_support.h"

#include "toolkit/base/office11.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/region_handles.h"
#include "platform/gdi/text_out.h"
#include "platform/win/window.h"

#include <algorithm>

#include <climits>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pc = platform::core;
namespace tb = toolkit::base;

using F = TdxBarItemControlFlatPainter;
using Base = TdxBarItemControlPainter;

namespace {

// Messages to an item's inner edit window: its formatting rectangle (set without a repaint),
// and a command carrying a text-change notification.
constexpr pc::UINT EM_SETRECTNP = 180;
constexpr pc::UINT WM_COMMAND = 273;
constexpr unsigned EN_CHANGE = 768;

enum FlatBrushIndex : int { fbBorder, fbLight, fbDown, fbDownSelected, fbSelected };

pg::HBRUSH ManagerFlatBrush(const TdxBarManager* Manager, int Index) {
    return Manager ? Manager->FlatBrush(Index) : pg::GetSysColorBrush(pg::COLOR_BTNFACE);
}

pg::HBRUSH BkBrushOf(const TdxBarItemControlState& AItem) {
    return AItem.Parent ? AItem.Parent->BkBrush : SysBrushValue(pg::COLOR_BTNFACE);
}

void Fill(pg::HDC DC, const pg::TRect& R, pg::HBRUSH Brush) {
    pg::FillRect(DC, &R, Brush);
}

void Frame(pg::HDC DC, const pg::TRect& R, pg::HBRUSH Brush) {
    pg::FrameRect(DC, &R, Brush);
}

bool IsHorizontal(const TdxBarControlState& ABar) {
    return ABar.DockingStyle == dsTop || ABar.DockingStyle == dsBottom;
}

bool InMenuWindow(const TdxBarItemControlState& AItem) {
    return AItem.Parent != nullptr && AItem.Parent->Kind == bckSubMenu;
}

// Saves the clip region on construction and puts it back (or none) when it goes.
class TClipSaver {
public:
    explicit TClipSaver(pg::HDC DC) : FDC(DC), FRegion(pg::CreateRectRgn(0, 0, 0, 0)) {
        FHadRegion = pg::GetClipRgn(DC, FRegion) == 1;
    }
    ~TClipSaver() {
        pg::SelectClipRgn(FDC, FHadRegion ? FRegion : pg::HRGN{});
        pg::DeleteObject(FRegion);
    }
    TClipSaver(const TClipSaver&) = delete;
    TClipSaver& operator=(const TClipSaver&) = delete;

private:
    pg::HDC FDC;
    pg::HRGN FRegion;
    bool FHadRegion = false;
};

// The bar window's own background over R: the window's routine, or as a toolbar fills it: its
// dock site's when docked on one, else the bar's.
void FillBarWindowBackground(const F& Painter, const TdxBarControlState& ABar, pg::HDC DC,
                             const pg::TRect& R, pg::HBRUSH Brush) {
    if (ABar.OnFillBackground)
        ABar.OnFillBackground(DC, R);
    else if (ABar.DockSite != nullptr)
        Painter.DrawDockedBarBackground(ABar, DC, R);
    else
        Painter.FillBarBackground(ABar, DC, R, Brush);
}

} // namespace

const TdxBarItemControlFlatPainter& TdxBarItemControlFlatPainter::Instance() {
    static const TdxBarItemControlFlatPainter instance;
    return instance;
}

const pc::TClass& F::ClassType() const {
    return TdxBarItemControlFlatPainterClassRef();
}

// --- Glyph, check mark, mark ---

void F::DrawGlyphFrame(const Item& AItem, HDC DC, const States& S, const TRect& Cell,
                       bool DrawBackground, HBRUSH Brush) const {
    if (S.Down || (S.Selected && S.PaintType != ptMenu)) {
        if (S.Down && S.OpensMenu && AItem.Parent != nullptr)
            DrawOpenMenuButtonFrame(*AItem.Parent, DC, AItem.OpenMenu, &AItem, Cell);
        else
            FrameSelectedRect(DC, Cell);
    } else if (DrawBackground) {
        DrawBackgroundFrame(AItem, DC, Cell, Brush,
                            S.Down || S.Selected || S.Pressed || AItem.NonRecent);
    }
}

void F::DrawCheckMark(const Item&, HDC DC, int Left, int Top, int Scale, bool Enabled) const {
    const bool White = tb::IsHighContrastWhite() || tb::IsHighContrastBlackColoredText();
    const pg::COLORREF Color = !Enabled ? pg::GetSysColor(pg::COLOR_BTNSHADOW)
                               : White  ? pg::RGB(255, 255, 255)
                                        : pg::RGB(0, 0, 0);
    const pg::HPEN Pen = pg::CreatePen(pg::PS_SOLID, 1, Color);
    const pg::HGDIOBJ Old = pg::SelectObject(DC, Pen);
    // A disabled mark lies one pixel lower.
    const int First = Enabled ? 0 : 1;
    for (int K = First; K < First + 2 * Scale; ++K) {
        const int Y = Top + K;
        const pg::TPoint Points[] = {{Left + Scale, Y + 2 * Scale},
                                     {Left + 3 * Scale, Y + 4 * Scale},
                                     {Left + 8 * Scale, Y - Scale}};
        pg::Polyline(DC, Points, 3);
    }
    pg::SelectObject(DC, Old);
    pg::DeleteObject(Pen);
}

pg::TColor F::GetCaptionColor(bool) const {
    return pg::clInactiveCaption;
}

pg::TColor F::GetMarkArrowColor(const Bar& ABar, int MarkState) const {
    return MarkState != 0 ? pg::clBtnText : Base::GetMarkArrowColor(ABar, MarkState);
}

void F::DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const {
    switch (ABar.MarkState) {
    case 2:
        DrawEditButtonBackground(ABar, DC, nullptr, R);
        break;
    case 1:
        FrameSelectedRect(DC, R);
        Fill(DC, Shrunk(R, 1), GetHotBrush(ABar));
        break;
    default:
        Frame(DC, R, Brush);
        FillBarWindowBackground(*this, ABar, DC, Shrunk(R, 1), ABar.BkBrush);
        break;
    }
}

void F::DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const {
    // Run as the Enhanced painter, whose body asks the bar window's own painter for the colour.
    const TRect Mark = R;
    dxBarPainter(TdxBarItemControlEnhancedPainterClassRef()).DrawMarkGlyphs(ABar, DC, Mark);
}

void F::GetFloatingCaptionTextLeft(const Bar& ABar, int& TextLeft, TRect& R) const {
    TextLeft += 2;
    R.Right = ABar.MarkWindowRect.Left;
}

int F::GetMarkGlyphColor(const Bar& ABar) const {
    if (tb::IsHighContrastWhite() && ABar.MarkState == 1) return pg::COLOR_BTNFACE;
    return Base::GetMarkGlyphColor(ABar);
}

void F::AdjustEditTextRect(TRect& R) const {
    R.Right += 2;
    R.Bottom += 2;
}

void F::DrawGlyphImage(const Item& AItem, HDC DC, const TRect& R, const States& S,
                       const TdxBarGlyphSource& Source, bool Framed) const {
    const TRect Cell = Framed ? Shrunk(R, 1) : R;
    const bool Bitmapped = AItem.Parent != nullptr && AItem.Parent->BackgroundBitmap != nullptr &&
                           !AItem.Parent->BackgroundBitmap->Empty();
    const bool Checked = S.Down || AItem.Checked;
    if (!AItem.NonRecent && Bitmapped)
        DrawBackground(AItem, DC, Cell, GetGlyphCellBrush(AItem, S),
                       S.Selected || S.Pressed || Checked || AItem.NonRecent);
    const TdxBarGlyphParams G = GlyphParams(AItem, Cell, S, Source, Bitmapped && !AItem.NonRecent);
    DrawBarItemGlyph(DC, G);
}

void F::DrawMenuButton(const Item& AItem, HDC DC, const TRect& R, const States& S) const {
    const HBRUSH Bk = BkBrushOf(AItem);
    const int H = R.Bottom - R.Top;
    if (S.Selected) {
        FrameSelectedRect(DC, R);
    } else {
        // The ring in six strips, so that a menu's glyph band runs on under the square's part.
        const int X = std::min(R.Left + H, R.Right);
        for (const TRect& Strip :
             {TRect{R.Left, R.Top, X, R.Top + 1}, TRect{R.Left, R.Bottom - 1, X, R.Bottom},
              TRect{R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1},
              TRect{X, R.Top, R.Right, R.Top + 1}, TRect{X, R.Bottom - 1, R.Right, R.Bottom},
              TRect{R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1}})
            if (!IsEmpty(Strip)) DrawBackground(AItem, DC, Strip, Bk, false);
    }
    const TRect A = Shrunk(R, 1);
    const int Side = A.Bottom - A.Top;
    const TRect Square{A.Left, A.Top, A.Left + Side, A.Bottom};
    States Glyph = S;
    Glyph.Enabled = S.Enabled && !AItem.Placeholder;
    // A selected row is selected across its glyph cell too.
    Glyph.PlainMenuSelection = S.Selected && !S.Down;
    DrawGlyph(AItem, Square, Glyph, &Square);
    const TRect Rest{Square.Right, A.Top, A.Right, A.Bottom};
    if (!IsEmpty(Rest)) {
        if (S.Selected && AItem.Parent != nullptr)
            DrawBackground(AItem, DC, Rest, GetHotBrush(*AItem.Parent), true);
        else
            DrawBackground(AItem, DC, Rest, Bk, false);
    }
    const TRect Text{Square.Right + 2 + 8, A.Top, A.Right, A.Bottom};
    DrawCaption(AItem, DC, Text, ItemCaption(AItem), S.Selected, S.Enabled,
                !tb::IsHighContrastWhite(), false, false, 0);
}

// --- Item backgrounds and borders ---

void F::DrawControlBorder(const Item&, HDC DC, TRect& R) const {
    Frame(DC, R, pg::GetSysColorBrush(pg::COLOR_BTNSHADOW));
    R = Shrunk(R, 1);
}

void F::DrawBorder(HDC DC, TRect& R, int Width, int) const {
    for (int I = 0; I < Width; ++I) {
        Frame(DC, R, GetBorderBrush());
        R = Shrunk(R, 1);
    }
}

void F::DrawEditButtonFrame(const Item& AItem, HDC DC, const TRect& R, const States& S) const {
    HBRUSH Face = BkBrushOf(AItem);
    if (S.Selected && AItem.Parent != nullptr) {
        FrameSelectedRect(DC, R);
        Face = S.Pressed ? GetDownBrush(*AItem.Parent) : GetHotBrush(*AItem.Parent);
    } else {
        Frame(DC, R, Face);
    }
    Fill(DC, Shrunk(R, 1), Face);
}

void F::GetComboColors(const Item& AItem, const States& S, int& TextColorIndex,
                       HBRUSH& Brush) const {
    TextColorIndex = pg::COLOR_BTNTEXT;
    Brush = BkBrushOf(AItem);
    if (!S.Selected || AItem.Parent == nullptr) return;
    if (S.DroppedDown || tb::IsHighContrastWhite()) {
        Brush = GetDownBrush(*AItem.Parent);
        TextColorIndex = pg::COLOR_HIGHLIGHTTEXT;
    } else {
        Brush = GetHotBrush(*AItem.Parent);
    }
}

pg::HBRUSH F::GetGlyphCellBrush(const Item& AItem, const States& S) const {
    if (AItem.Parent == nullptr) return BkBrushOf(AItem);
    const Bar& ABar = *AItem.Parent;
    if (!S.Selected) {
        if (S.Down) return GetCheckedBrush(ABar);
        if (S.PaintType == ptMenu && !S.PlainMenuSelection)
            return ManagerFlatBrush(ABar.Manager, fbLight);
        return ABar.BkBrush;
    }
    if (!S.Pressed && !S.Down) return GetHotBrush(ABar);
    // A button whose menu is open has the light face of the menu it joins.
    if (S.OpensMenu && S.Down && ABar.Manager != nullptr) return GetLightBkBrush(*ABar.Manager);
    return GetDownBrush(ABar);
}

int F::ButtonLoweredBorder(const Item&) const {
    return 1;
}

bool F::IsHotTrackStyle() const {
    return true;
}
bool F::ShowsCaptionBesideGlyph() const {
    return true;
}

int F::GetSubMenuItemHeight(const Item& AItem) const {
    if (!InMenuWindow(AItem)) return 0;
    const TdxBarManager* Manager = AItem.Manager();
    return (Manager ? Manager->ImageSize() : 16) + 3;
}

// --- Toolbar metrics ---

int F::GetDragGripOffset() const {
    return 1;
}
int F::GetDragGripAreaSize() const {
    return GetDragGripOffset() + GetDragGripBarSize() + 2;
}
int F::GetButtonArrowWidth(const TdxBarManager& Manager) const {
    return Base::GetButtonArrowWidth(Manager) - 1;
}
int F::GetLargeButtonArrowWidth(const TdxBarManager& Manager) const {
    return Base::GetLargeButtonArrowWidth(Manager) - 1;
}
int F::GetMenuSeparatorIndent() const {
    return 8;
}

// --- Bar window backgrounds and brushes ---

bool F::IsFlatBarBorder() const {
    return true;
}
bool F::HasRaisedFloatingBorder(const Bar& ABar) const {
    return ABar.DockingStyle == dsNone;
}
pg::HBRUSH F::GetBkBrush(const Bar& ABar) const {
    return ManagerFlatBrush(ABar.Manager, fbLight);
}
pg::HBRUSH F::GetToolbarBrush(const Bar& ABar) const {
    if (ABar.Bar.IsMainMenu || ABar.Bar.IsStatusBar) return pg::GetSysColorBrush(pg::COLOR_BTNFACE);
    return Base::GetToolbarBrush(ABar);
}
pg::HBRUSH F::GetCheckedBrush(const Bar& ABar) const {
    return ManagerFlatBrush(ABar.Manager, fbDown);
}
pg::HBRUSH F::GetDownBrush(const Bar& ABar) const {
    return ManagerFlatBrush(ABar.Manager, fbDownSelected);
}
pg::HBRUSH F::GetHotBrush(const Bar& ABar) const {
    return ManagerFlatBrush(ABar.Manager, fbSelected);
}

int F::GetEditVertPadding(const Bar&, HDC) const {
    return 7;
}
bool F::HasHotCloseButton() const {
    return true;
}
bool F::HasHotMark() const {
    return true;
}
int F::GetToolbarSeparatorOffset() const {
    return (GetToolbarSeparatorSize() - 1) / 2;
}
int F::GetToolbarSeparatorSize() const {
    return 5;
}

// --- Separators, borders, close button, mark ---

void F::DrawToolbarSeparator(const Bar& ABar, HDC DC, const TRect& R, bool Across,
                             HBRUSH Brush) const {
    const int D = GetToolbarSeparatorOffset();
    if (Across) {
        FillBarWindowBackground(*this, ABar, DC, {R.Left, R.Top, R.Right, R.Top + D}, Brush);
        FillBarWindowBackground(*this, ABar, DC, {R.Left, R.Bottom - D, R.Right, R.Bottom}, Brush);
        Fill(DC, {R.Left, R.Top + D, R.Right, R.Top + D + 1}, SysBrushValue(pg::COLOR_BTNSHADOW));
    } else {
        FillBarWindowBackground(*this, ABar, DC, {R.Left, R.Top, R.Left + D, R.Bottom}, Brush);
        FillBarWindowBackground(*this, ABar, DC, {R.Right - D, R.Top, R.Right, R.Bottom}, Brush);
        Fill(DC, {R.Left + D, R.Top, R.Left + D + 1, R.Bottom}, SysBrushValue(pg::COLOR_BTNSHADOW));
    }
}

void F::DrawCloseButton(const Bar& ABar, HDC DC, const TRect& R, int State) const {
    DrawCloseButtonBackground(ABar, DC, R, State);
    TRect C{R.Left + 3, R.Top + 4, R.Right - 3, R.Bottom - 4};
    if ((C.Right - C.Left) % 2 != 0) --C.Right;
    C.Bottom = C.Top + (C.Right - C.Left) - 1;
    const pg::HPEN Pen =
        pg::CreatePen(pg::PS_SOLID, 1, pg::ColorToRGB(GetMarkArrowColor(ABar, State)));
    const pg::HGDIOBJ Old = pg::SelectObject(DC, Pen);
    auto Line = [DC](int X1, int Y1, int X2, int Y2) {
        pg::MoveToEx(DC, X1, Y1, nullptr);
        pg::LineTo(DC, X2, Y2);
    };
    Line(C.Left, C.Top, C.Right - 1, C.Bottom);
    Line(C.Left + 1, C.Top, C.Right, C.Bottom);
    Line(C.Left, C.Bottom - 1, C.Right - 1, C.Top - 1);
    Line(C.Left + 1, C.Bottom - 1, C.Right, C.Top - 1);
    pg::SelectObject(DC, Old);
    pg::DeleteObject(Pen);
}

void F::DrawBarBorder(const Bar& ABar, HDC DC, const TRect& R) const {
    TRect A = R;
    Frame(DC, A, pg::GetSysColorBrush(pg::COLOR_BTNFACE));
    A = Shrunk(A, 1);
    for (const pg::TPoint P :
         {pg::TPoint{A.Left, A.Top}, pg::TPoint{A.Right - 1, A.Top},
          pg::TPoint{A.Left, A.Bottom - 1}, pg::TPoint{A.Right - 1, A.Bottom - 1}})
        Fill(DC, {P.X, P.Y, P.X + 1, P.Y + 1}, SysBrushValue(pg::COLOR_BTNFACE));
    A = Shrunk(A, 1);
    if (!ABar.Bar.CanDock) return;
    // The grip: a striped handle across the bar at its near end.
    const int Bars = GetDragGripBarSize();
    const bool Horizontal = IsHorizontal(ABar);
    if (Horizontal) {
        A.Left += GetDragGripOffset();
        A.Right = A.Left + Bars;
        A.Top += 3;
        A.Bottom -= 3;
        for (int Y = A.Top; Y < A.Bottom; ++Y)
            Fill(DC, {A.Left, Y, A.Right, Y + 1},
                 (Y - A.Top) % 2 == 0 ? SysBrushValue(pg::COLOR_BTNSHADOW) : ABar.BkBrush);
    } else {
        A.Top += GetDragGripOffset();
        A.Bottom = A.Top + Bars;
        A.Left += 3;
        A.Right -= 3;
        for (int X = A.Left; X < A.Right; ++X)
            Fill(DC, {X, A.Top, X + 1, A.Bottom},
                 (X - A.Left) % 2 == 0 ? SysBrushValue(pg::COLOR_BTNSHADOW) : ABar.BkBrush);
    }
}

void F::DrawFloatingBarBorder(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const {
    TRect A = R;
    Frame(DC, A, ManagerFlatBrush(ABar.Manager, fbBorder));
    A = Shrunk(A, 1);
    Frame(DC, A, pg::GetSysColorBrush(pg::COLOR_BTNHIGHLIGHT));
    for (int I = 2; I < GetFloatingBorderWidth(); ++I) {
        A = Shrunk(A, 1);
        Frame(DC, A, Brush);
    }
}

void F::DrawFloatingMark(const Bar& ABar, HDC DC, const TRect& R) const {
    if (ABar.Bar.CanClose) {
        const pg::HBRUSH Caption =
            pg::CreateSolidBrush(pg::ColorToRGB(GetCaptionColor(ABar.Active)));
        Fill(DC, {R.Right, R.Top, R.Right + 1, R.Bottom}, Caption);
        pg::DeleteObject(Caption);
    }
    if (ABar.MarkState == 2)
        DrawEditButtonBackground(ABar, DC, nullptr, R);
    else
        DrawCloseButtonBackground(ABar, DC, R, ABar.MarkState);
    Base::DrawFloatingMark(ABar, DC, R);
}

pg::TRect F::CalcMarkRect(const Bar& ABar) const {
    const int W = ABar.ClientRect.Right - ABar.ClientRect.Left;
    const int H = ABar.ClientRect.Bottom - ABar.ClientRect.Top;
    switch (ABar.DockingStyle) {
    case dsLeft:
    case dsRight:
        return {0, H - 11, W, H};
    case dsTop:
    case dsBottom:
        return {W - 11, 0, W, H};
    default:
        // The floating mark's place needs the caption's rectangles, which the window keeps.
        return Base::CalcMarkRect(ABar);
    }
}

// --- Quick-customise popup ---

pg::HBRUSH F::GetQuickControlBrush(const Bar&) const {
    return pg::GetSysColorBrush(pg::COLOR_WINDOW);
}

int F::CalcQuickCustItemRect(const Item& AItem, TRect& R) const {
    // The item draws on its window's canvas; without one there is nothing to frame.
    if (!AItem.Selected && AItem.Manager() != nullptr && AItem.Parent->Canvas != nullptr)
        DrawBackgroundFrame(AItem, AItem.Parent->Canvas->Handle(),
                            {R.Left, R.Top, R.Left + (R.Bottom - R.Top), R.Bottom},
                            ManagerFlatBrush(AItem.Manager(), fbLight), false);
    R = Shrunk(R, 1);
    R.Right = R.Left + (R.Bottom - R.Top);
    return R.Right + 1;
}

void F::DrawQuickCustItemCheck(const Item& AItem, HDC DC, const TRect& R,
                               const TRect& CheckRect) const {
    if (!AItem.Selected || AItem.Parent == nullptr) return;
    FrameSelectedRect(DC, R);
    Fill(DC, {CheckRect.Right, CheckRect.Top, CheckRect.Right + 2, CheckRect.Bottom},
         GetHotBrush(*AItem.Parent));
}

bool F::IsQuickControlBeside() const {
    return true;
}

// --- Buttons and combos ---

void F::AdjustGlyphAreaWidth(int& Width) const {
    Width += 2;
}
void F::AdjustCaptionAreaWidth(int& Width) const {
    Width += 9;
}

void F::DrawDropDownButton(const Item& AItem, HDC DC, const TRect& R, const States& S,
                           bool InMenu) const {
    TRect A = R;
    // Outside menus the part starts on the button part's right frame line.
    if (!InMenu) --A.Left;
    const bool MenuOpen = S.DroppedDown;
    // The face brush the button control hands over: its combo colours for these states.
    int TextColor = pg::COLOR_BTNTEXT;
    HBRUSH Brush = BkBrushOf(AItem);
    GetComboColors(AItem, S, TextColor, Brush);
    if (InMenu || !MenuOpen) {
        if (S.Selected)
            FrameSelectedRect(DC, A);
        else
            Frame(DC, A, InMenu ? pg::GetSysColorBrush(pg::COLOR_BTNSHADOW) : Brush);
        DrawBackground(AItem, DC, Shrunk(A, 1), Brush,
                       MenuOpen || S.Pressed || S.Selected || AItem.NonRecent);
    }
    const auto* Button = dynamic_cast<const TdxBarButton*>(AItem.Item);
    const bool Enabled = S.Enabled && (Button == nullptr || Button->DropDownEnabled());
    const bool WhiteHC = tb::IsHighContrastWhite();
    if (InMenu)
        DrawItemArrow(DC, A, AItem.Parent ? AItem.Parent->ArrowSize : 4, false, Enabled,
                      MenuOpen || (S.Selected && WhiteHC), true);
    else
        DrawItemArrowInRect(DC, A, true, Enabled, S.Selected && !MenuOpen && WhiteHC, true);
}

bool F::HasSplitDropDownButton() const {
    return true;
}

void F::DrawComboButton(const Item& AItem, HDC DC, bool, const TRect& R, const States& S) const {
    const int Width = AItem.Parent ? AItem.Parent->ComboButtonWidth : 11;
    TRect K{R.Right - Width, R.Top, R.Right, R.Bottom};
    AItem.ComboButtonRect = K;
    int ArrowColor = pg::COLOR_BTNTEXT;
    HBRUSH Brush{};
    GetComboButtonColors(AItem, S, ArrowColor, Brush);
    if (S.Selected) {
        FrameSelectedRect(DC, Shrunk(K, -1));
        Fill(DC, K, Brush);
    } else {
        const HBRUSH Edge =
            S.Enabled ? pg::GetSysColorBrush(pg::COLOR_BTNHIGHLIGHT) : BkBrushOf(AItem);
        Frame(DC, K, Edge);
        Fill(DC, {K.Left - 1, K.Top, K.Left, K.Bottom}, Edge);
        K = Shrunk(K, 1);
        Fill(DC, K, Brush);
        if (S.DroppedDown) K = {K.Left + 1, K.Top + 1, K.Right + 1, K.Bottom + 1};
    }
    int W = (K.Right - K.Left) / 2;
    if (W % 2 == 0) ++W;
    DrawDropDownArrow(DC, ArrowColor, W, (K.Top + K.Bottom - W / 2) / 2,
                      (K.Left + K.Right - W) / 2);
}

void F::GetComboButtonColors(const Item& AItem, const States& S, int& ArrowColorIndex,
                             HBRUSH& Brush) const {
    Base::GetComboButtonColors(AItem, S, ArrowColorIndex, Brush);
    if (S.PaintType == ptMenu && !S.Selected && AItem.Parent != nullptr)
        Brush = GetBkBrush(*AItem.Parent);
    if (!S.Enabled) ArrowColorIndex = pg::COLOR_BTNSHADOW;
}

int F::GetDropDownListBorder() const {
    return 2;
}

void F::DrawDropDownListBorder(const TdxBarManager*, HDC DC, const TRect& R) const {
    Frame(DC, R, pg::GetSysColorBrush(pg::COLOR_BTNSHADOW));
    Frame(DC, Shrunk(R, 1), pg::GetSysColorBrush(pg::COLOR_WINDOW));
}

// --- Sub-items and menu windows ---

int F::GetSubItemTextIndent(const Item& AItem) const {
    if (AItem.Parent != nullptr && AItem.Parent->Bar.IsMainMenu) return 8;
    return Base::GetSubItemTextIndent(AItem);
}

int F::CalcSubItemHeight(const Item& AItem) const {
    const bool InToolbar = AItem.Parent != nullptr && AItem.Parent->Kind == bckToolbar;
    return Base::CalcSubItemHeight(AItem) + (InToolbar ? 0 : 2);
}

int F::CalcSubItemWidth(const Item& AItem) const {
    return Base::CalcSubItemWidth(AItem) + (InMenuWindow(AItem) ? 9 : 0);
}

int F::GetDetachCaptionHeight() const {
    return 5;
}
int F::GetSubMenuBorderSize() const {
    return 2;
}

void F::CalcSubMenuRect(const Bar& AMenu, bool Measuring, int& LowestBottom,
                        TRect& ItemArea) const {
    const int W = AMenu.ClientRect.Right - AMenu.ClientRect.Left;
    const int H = AMenu.ClientRect.Bottom - AMenu.ClientRect.Top;
    ItemArea = {AMenu.BarSize + 1, 1, W - 1, 1};
    if (Measuring)
        LowestBottom = INT_MAX;
    else
        LowestBottom = H - 1 - (AMenu.ChevronOffered ? AMenu.RowSize : 0);
}

int F::GetDetachCaptionAreaSize(const Bar&) const {
    return GetDetachCaptionHeight() + 1;
}

void F::DrawDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const {
    Frame(DC, R, ManagerFlatBrush(AMenu.Manager, fbBorder));
    DrawOwnerJoin(AMenu, DC);
    if (!AMenu.Detachable) return;
    const TRect A = Shrunk(R, 1);
    const int StripBottom = A.Top + 1 + AMenu.DetachCaptionSize;
    Fill(DC, {A.Left, A.Top, A.Right, A.Top + 1}, SysBrushValue(pg::COLOR_WINDOW));
    Fill(DC, {A.Left, A.Top + 1, A.Left + 1, StripBottom}, SysBrushValue(pg::COLOR_WINDOW));
    Fill(DC, {A.Right - 1, A.Top + 1, A.Right, StripBottom}, SysBrushValue(pg::COLOR_WINDOW));
    FillDetachCaption(AMenu, DC, {A.Left + 1, A.Top + 1, A.Right - 1, StripBottom});
}

void F::DrawSubMenuBorder(const Bar& AMenu, HDC DC, HBRUSH Brush, const TRect& R) const {
    Frame(DC, R, GetSubMenuBrush(AMenu));
    Fill(DC, {R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1}, Brush);
}

void F::FillDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const {
    TRect A = R;
    const bool Hot = AMenu.DetachSelected;
    if (Hot) {
        FrameSelectedRect(DC, A);
        A = Shrunk(A, 1);
        Fill(DC, A, GetHotBrush(AMenu));
    } else {
        Fill(DC, A, ManagerFlatBrush(AMenu.Manager, fbLight));
    }
    const int Left = A.Left + (A.Right - A.Left - 33) / 2;
    const TRect G{Left, A.Top + 1, Left + 33, A.Bottom - 1};
    for (int Y = G.Top; Y < G.Bottom; Y += 2)
        Fill(DC, {G.Left, Y, G.Right, Y + 1},
             SysBrushValue(Hot ? pg::COLOR_BTNTEXT : pg::COLOR_BTNSHADOW));
}

int F::GetSubMenuArrowSize(int ItemHeight) const {
    const int A = (ItemHeight - 4) / 2;
    return A >= 5 && A % 2 != 0 ? A - 1 : A;
}

void F::AdjustDetachCaptionRect(TRect& R) const {
    R = Shrunk(R, 2);
}

pg::HBRUSH F::GetSubMenuBrush(const Bar&) const {
    return pg::GetSysColorBrush(pg::COLOR_WINDOW);
}

// --- Edits and combo lists ---

void F::DrawComboListItem(const Item& AItem, pg::TCanvas& Canvas, int Index, const TRect& R,
                          int InEditor) const {
    std::string Text = AItem.Text;
    if (Index >= 0 && Index < static_cast<int>(AItem.Entries.size()))
        Text = AItem.Entries[static_cast<std::size_t>(Index)];
    Canvas.TextOut(R.Left + 2, R.Top + 2 * InEditor, Text);
}

int F::GetEditCaptionAreaWidth(const Item&, int TextWidth) const {
    return TextWidth + 11;
}

void F::DrawEditBorder(const Item& AItem, HDC DC, TRect& R, bool Selected) const {
    if (Selected)
        FrameSelectedRect(DC, R);
    else if (!InMenuWindow(AItem) && ItemEnabled(AItem))
        DrawBackgroundFrame(AItem, DC, R, BkBrushOf(AItem), false);
    else if (InMenuWindow(AItem))
        Frame(DC, R, GetBkBrush(*AItem.Parent));
    else
        Frame(DC, R, pg::GetSysColorBrush(pg::COLOR_BTNSHADOW));
    R = Shrunk(R, 1);
}

unsigned F::GetEditStyle() const {
    return Base::GetEditStyle() | 4u;
}

// --- Further item kinds ---

bool F::HasFlatCaptionedFrame() const {
    return true;
}

void F::DrawPushButton(const Item& AItem, HDC DC, TRect& R, const std::string& Text,
                       bool Pressed) const {
    Frame(DC, R, pg::GetSysColorBrush(pg::COLOR_BTNSHADOW));
    R = Shrunk(R, 1);
    Frame(DC, R, pg::GetSysColorBrush(pg::COLOR_BTNFACE));
    R = Shrunk(R, 1);
    Base::DrawPushButton(AItem, DC, R, Text, Pressed);
}

int F::GetBarItemTextIndent() const {
    return 9;
}

// --- Sub-items, menu rows and menu windows ---

void F::DrawSubItem(const Item& AItem, HDC DC, const States& S, bool Highlighted,
                    const TRect& R) const {
    if (AItem.Parent == nullptr) return;
    const Bar& ABar = *AItem.Parent;
    const bool WhiteHC = tb::IsHighContrastWhite();
    if (S.PaintType == ptMenu) {
        DrawMenuButton(AItem, DC, R, S);
        const int Size = ABar.ArrowSize;
        const int X = R.Right - ABar.ArrowAreaWidth + Size;
        DrawItemArrow(DC, {X, R.Top, X + Size, R.Bottom}, Size, false, S.Enabled,
                      Highlighted && WhiteHC, true);
        return;
    }
    DrawGlyph(AItem, R, S);
    const bool Vertical = S.PaintType == ptVert;
    const TdxBarManager* Manager = AItem.Manager();
    int Indent = Manager ? (Vertical ? Manager->ButtonHeight() : Manager->ButtonWidth()) : 0;
    if (AItem.ShowsCaption && !AItem.Placeholder) Indent = GetSubItemTextIndent(AItem);
    TRect Text = R;
    if (Vertical)
        Text.Top += Indent;
    else
        Text.Left += Indent;
    if (AItem.ShowsCaption)
        DrawCaption(AItem, DC, Text, ItemCaption(AItem), Highlighted, S.Enabled,
                    !(WhiteHC && Highlighted && !S.Pressed), false, Vertical, 0);
    if (ABar.Bar.IsMainMenu) return;
    // The arrow area is the last half row of the item.
    const int Area = ABar.RowSize / 2;
    const TRect Box = Vertical ? TRect{R.Left, R.Bottom - Area, R.Right, R.Bottom}
                               : TRect{R.Right - Area, R.Top, R.Right, R.Bottom};
    DrawItemArrow(DC, Box, ABar.ArrowSize - 1, !Vertical, S.Enabled, false, true);
}

void F::CalcSubMenuItemSize(const Bar&, HDC DC, int& ItemHeight, int& ReferenceGlyphSize,
                            int& ExpandButtonHeight, int& WidthMetric) const {
    const int H = ++ItemHeight;
    WidthMetric = (H / 4) * 3 + 1;
    pg::TSize Zero{};
    pg::GetTextExtentPoint32(DC, "0", 1, &Zero);
    ExpandButtonHeight = Zero.cy + 1;
    const int Arrow = GetSubMenuArrowSize(ExpandButtonHeight - 2);
    if (Arrow % 2 != 0) ExpandButtonHeight = (Arrow - 1) * 2 + 6;
    ReferenceGlyphSize = 20;
}

void F::CalcSubMenuSize(const Bar& AMenu, TSize& Size) const {
    if (Size.cx != 0)
        Size.cx += AMenu.BarSize + 4;
    else
        Size.cx = 100;
    // The expand row is as high as the layout keeps free for it (CalcSubMenuRect).
    if (AMenu.ChevronOffered)
        Size.cy += AMenu.RowSize;
    else if (Size.cy <= 2)
        Size.cy += AMenu.Manager ? AMenu.Manager->ImageSize() : 16;
    Size.cy += 3;
    if (AMenu.Detachable) Size.cy += GetDetachCaptionAreaSize(AMenu);
}

void F::DrawSubMenuParts(const Bar& AMenu, HDC DC) const {
    // The parts are painted like the rows' background: the window's own, bitmap included.
    Item Window;
    Window.Parent = const_cast<Bar*>(&AMenu);
    const HBRUSH Brush = GetSubMenuBrush(AMenu);
    auto Area = [&](const TRect& R) {
        if (!IsEmpty(R)) DrawBackground(Window, DC, R, Brush, false);
    };
    if (AMenu.CanScrollUp) {
        Area(AMenu.ScrollUpRect);
        DrawSubMenuScrollArrow(AMenu, DC, true, AMenu.ScrollUpRect);
    }
    if (AMenu.CanScrollDown) {
        Area(AMenu.ScrollDownRect);
        DrawSubMenuScrollArrow(AMenu, DC, false, AMenu.ScrollDownRect);
    }
    const int H = AMenu.ClientRect.Bottom - AMenu.ClientRect.Top;
    TRect Rest = AMenu.AfterLastRect;
    const int Expand = AMenu.ChevronOffered ? AMenu.RowSize : 0;
    Rest.Bottom = std::min(Rest.Bottom, H - 1 - Expand);
    Area(Rest);
    if (!AMenu.ChevronOffered) return;
    int Lowest = 0;
    TRect Items{};
    CalcSubMenuRect(AMenu, false, Lowest, Items);
    TRect Row{Items.Left, H - 1 - Expand, Items.Right, H - 1};
    if (AMenu.ChevronHighlighted) {
        FrameSelectedRect(DC, Row);
        Fill(DC, Shrunk(Row, 1), GetHotBrush(AMenu));
    } else {
        Area(Row);
    }
    DrawSubMenuChevron(AMenu, DC, AMenu.ChevronHighlighted, Row);
}

// R is the separator's own strip, the rows above the item that begins the group: its bottom is
// the item's top, its height the window's separator height.
void F::DrawSubMenuSeparator(const Bar& AMenu, HDC DC, const TRect& R, const Item& AItem) const {
    const int T = R.Bottom, H = R.Bottom - R.Top;
    const int X = std::min(R.Left + AItem.GlyphColumnWidth, R.Right);
    AItem.SeparatorRect = R;
    const HBRUSH Light = ManagerFlatBrush(AMenu.Manager, fbLight);
    DrawBackground(AItem, DC, {R.Left, R.Top, X, T}, Light, false);
    const HBRUSH Rest =
        AItem.NonRecent && !HandlesNonRecentItems() ? GetSubMenuBrush(AMenu) : AMenu.BkBrush;
    DrawBackground(AItem, DC, {X, R.Top, R.Right, T}, Rest, false);
    const int M = (2 * T - H) / 2;
    Fill(DC, {X + GetMenuSeparatorIndent(), M, R.Right + 1, M + 1}, GetSeparatorBrush());
}

// --- Edits ---

void F::DrawEditCaption(const Item& AItem, HDC DC, TRect& R, const States& S) const {
    const std::string Caption = RemoveAccelChars(ItemCaption(AItem));
    pg::TSize Extent{};
    pg::GetTextExtentPoint32(DC, Caption.data(), static_cast<int>(Caption.size()), &Extent);
    TRect A{R.Left, R.Top, R.Left + GetEditCaptionAreaWidth(AItem, Extent.cx), R.Bottom};
    R.Left = A.Right;
    const bool InMenu = S.PaintType == ptMenu;
    HBRUSH Brush = BkBrushOf(AItem);
    if (S.Selected && InMenu && AItem.Parent != nullptr) {
        ++A.Right;
        FrameSelectedRect(DC, A);
        A = Shrunk(A, 1);
        Brush = GetHotBrush(*AItem.Parent);
    }
    DrawBackground(AItem, DC, A, Brush, InMenu && (S.Selected || AItem.NonRecent));
    A.Right -= 5;
    DrawCaption(AItem, DC, A, Caption, S.Selected && InMenu, ItemEnabled(AItem),
                !tb::IsHighContrastWhite(), false, false, 2);
}

void F::DrawEditContent(const Item& AItem, HDC DC, const TRect& R) const {
    // The base body serves both looks; the flat one has no part of its own.
    Base::DrawEditContent(AItem, DC, R);
}

void F::SetEditMargins(HWND Edit) const {
    TRect R{};
    platform::win::GetClientRect(Edit, &R);
    R = Shrunk(R, 2);
    pc::SendMessage(Edit, EM_SETRECTNP, 0, reinterpret_cast<pc::LPARAM>(&R));
}

void F::SelectAllEditText(HWND Edit, bool SendChange) const {
    if (SendChange)
        pc::SendMessage(Edit, WM_COMMAND, static_cast<pc::WPARAM>(EN_CHANGE) << 16,
                        static_cast<pc::LPARAM>(Edit));
    Base::SelectAllEditText(Edit, SendChange);
}

// --- Main menu's child-window buttons ---

void F::DrawMDIButton(const Bar& ABar, int Kind, HDC DC, const TRect& R, int State) const {
    const bool Selected = (State & 1) != 0, Pressed = (State & 2) != 0;
    const TRect Inner = Shrunk(R, 1);
    const int W = Inner.Right - Inner.Left, H = Inner.Bottom - Inner.Top;
    if (W <= 0 || H <= 0) return;
    platform::forms::TBitmap Symbol;
    Symbol.SetSize(W, H);
    static constexpr unsigned KindState[] = {pg::DFCS_CAPTIONMIN, pg::DFCS_CAPTIONRESTORE,
                                             pg::DFCS_CAPTIONCLOSE};
    unsigned Flags = KindState[std::clamp(Kind, 0, 2)] | pg::DFCS_FLAT;
    if (!ABar.MDIButtonsEnabled[std::clamp(Kind, 0, 2)]) Flags |= pg::DFCS_INACTIVE;
    // One pixel larger on every side: the system button's outer edge falls outside.
    TRect Button{-1, -1, W + 1, H + 1};
    pg::DrawFrameControl(Symbol.Canvas().Handle(), &Button, pg::DFC_CAPTION, Flags);
    if (!Selected && !Pressed)
        FillBarWindowBackground(*this, ABar, DC, R, ABar.BkBrush);
    else
        Fill(DC, Inner,
             Selected && Pressed ? GetDownBrush(ABar)
             : Pressed           ? GetCheckedBrush(ABar)
                                 : GetHotBrush(ABar));
    TdxBarGlyphParams G;
    G.ItemRect = Inner;
    G.GlyphRect = Inner;
    G.Glyph = &Symbol;
    G.CopyBackground = true;
    DrawBarItemGlyph(DC, G);
    if (Selected || Pressed) FrameSelectedRect(DC, R);
}

// --- Spin buttons and arrow items ---

void F::DrawSpinButton(const Item& AItem, HDC DC, const TRect& R, int Half, const States& S,
                       int ArrowSize) const {
    const int W = ArrowSize, HalfHeight = (R.Bottom - R.Top) / 2;
    const int Offset = (R.Right - R.Left - W) / 2;
    const bool Upper = Half == 1;
    TRect H = Upper ? TRect{R.Left, R.Top, R.Right, R.Top + HalfHeight + 1}
                    : TRect{R.Left, R.Top + HalfHeight, R.Right, R.Bottom};
    States Frame = S;
    Frame.Enabled = ItemEnabled(AItem);
    DrawEditButtonFrame(AItem, DC, H, Frame);
    H = Shrunk(H, 1);
    const int X = H.Left + Offset;
    const int Y = (H.Top + H.Bottom - Offset) / 2 + (Upper ? Offset - 1 : 0);
    int Color = pg::COLOR_BTNSHADOW;
    if (Frame.Enabled)
        Color = tb::IsHighContrastWhite() && S.Selected ? pg::COLOR_BTNFACE : pg::COLOR_BTNTEXT;
    const int Tip = Upper ? Y - W / 2 : Y + W / 2;
    SolidTriangle(DC, pg::GetSysColor(Color), {{X, Y}, {X + W - 1, Y}, {X + W / 2, Tip}});
}

void F::DrawArrowItem(const Item& AItem, HDC DC, const TRect& R, bool Down, bool Selected) const {
    Fill(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, BkBrushOf(AItem));
    TRect A{R.Left, R.Top, R.Right, R.Bottom - 1};
    HBRUSH Face = GetArrowItemBrush();
    if (Selected && AItem.Parent != nullptr) {
        FrameSelectedRect(DC, A);
        Face = GetHotBrush(*AItem.Parent);
    } else {
        Frame(DC, A, Face);
    }
    A = Shrunk(A, 1);
    Fill(DC, A, Face);
    const bool WhiteHC = tb::IsHighContrastWhite();
    DrawCaption(AItem, DC, {A.Left + 5, A.Top, A.Right, A.Bottom}, ItemCaption(AItem), true, true,
                Selected && !WhiteHC, false, false, 0);
    if (!ItemEnabled(AItem) || AItem.Parent == nullptr) return;
    const Bar& ABar = *AItem.Parent;
    TRect Box = A;
    Box.Left = A.Right - ABar.RowSize + (Down ? 0 : ABar.ArrowSize);
    DrawItemArrow(DC, Box, ABar.ArrowSize, Down, true, !(Selected && !WhiteHC), true);
}

// --- Flat's own operations ---

void F::FrameSelectedRect(HDC DC, const TRect& R) const {
    if (tb::IsHighContrastBlack() || tb::IsHighContrastBlackColoredText())
        tb::FrameRectByColor(DC, R, pg::clHighlightText);
    else
        Frame(DC, R, pg::GetSysColorBrush(pg::COLOR_HIGHLIGHT));
}

pg::HBRUSH F::GetBorderBrush() const {
    return pg::GetSysColorBrush(pg::COLOR_BTNSHADOW);
}

void F::DrawEditButtonBackground(const Bar& ABar, HDC DC, const Bar* OpenMenu,
                                 const TRect& R) const {
    DrawOpenMenuButtonFrame(ABar, DC, OpenMenu, nullptr, R);
    if (ABar.Manager != nullptr) Fill(DC, Shrunk(R, 1), GetLightBkBrush(*ABar.Manager));
}

void F::DrawOpenMenuButtonFrame(const Bar& ABar, HDC DC, const Bar* OpenMenu, const Item* AItem,
                                const TRect& R) const {
    TClipSaver Clip(DC);
    if (OpenMenu != nullptr && !IsEmpty(OpenMenu->OwnerJoinRect)) {
        // The menu keeps its join strip in its own coordinates.
        TRect J = OpenMenu->OwnerJoinRect;
        pg::OffsetRect(J, OpenMenu->Position.X - ABar.Position.X,
                       OpenMenu->Position.Y - ABar.Position.Y);
        FillDropDownPart(ABar, DC, AItem, J, R);
        pg::ExcludeClipRect(DC, J.Left, J.Top, J.Right, J.Bottom);
    }
    FrameControlRect(ABar, DC, R);
}

void F::FrameControlRect(const Bar& ABar, HDC DC, const TRect& R) const {
    Frame(DC, R, ManagerFlatBrush(ABar.Manager, fbBorder));
}

void F::FillDropDownPart(const Bar& ABar, HDC DC, const Item*, const TRect& Strip,
                         const TRect&) const {
    if (ABar.Manager != nullptr) Fill(DC, Strip, GetLightBkBrush(*ABar.Manager));
}

pg::HBRUSH F::GetSeparatorBrush() const {
    return pg::GetSysColorBrush(pg::COLOR_BTNSHADOW);
}

bool F::BarControlHasShadow(const Bar& ABar) const {
    return ABar.DockingStyle == dsNone;
}

} // namespace toolkit::bars
