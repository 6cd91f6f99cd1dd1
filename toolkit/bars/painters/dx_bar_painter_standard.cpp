#include "toolkit/bars/painters/dx_bar_painter_standard.h"

#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/bars/painters/dx_bar_floating_frame.h"
#include "toolkit/bars/painters/dx_bar_painter_support.h"

#include "platform/core/window_handle.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/objects.h"

#include <algorithm>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pc = platform::core;

using S = TdxBarItemControlStandardPainter;
using E = TdxBarItemControlEnhancedPainter;

namespace {

void Edge(pg::HDC DC, pg::TRect R, pg::UINT Kind) {
    pg::DrawEdge(DC, &R, Kind, pg::BF_RECT);
}

// One-pixel lines in a colour, each drawn up to but not including its end point; a polyline
// goes on from where the last one ended.
class TLinePen {
public:
    TLinePen(pg::HDC DC, pg::COLORREF Color)
        : FDC(DC), FPen(pg::CreatePen(pg::PS_SOLID, 1, Color)), FOld(pg::SelectObject(DC, FPen)) {}
    ~TLinePen() {
        pg::SelectObject(FDC, FOld);
        pg::DeleteObject(FPen);
    }
    TLinePen(const TLinePen&) = delete;
    TLinePen& operator=(const TLinePen&) = delete;
    void Line(int X1, int Y1, int X2, int Y2) const {
        pg::MoveToEx(FDC, X1, Y1, nullptr);
        pg::LineTo(FDC, X2, Y2);
    }
    void To(int X, int Y) const { pg::LineTo(FDC, X, Y); }

private:
    pg::HDC FDC;
    pg::HPEN FPen;
    pg::HGDIOBJ FOld;
};

} // namespace

bool dxBarIsDockedVertically(const TdxBarControlState& ABar) {
    return ABar.Kind == bckToolbar && (ABar.DockingStyle == dsLeft || ABar.DockingStyle == dsRight);
}

// --- Standard ---

const TdxBarItemControlStandardPainter& S::Instance() {
    static const TdxBarItemControlStandardPainter instance;
    return instance;
}

const pc::TClass& S::ClassType() const {
    return TdxBarItemControlStandardPainterClassRef();
}

void S::FillBarWindowBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const {
    if (ABar.DockSite != nullptr)
        DrawDockedBarBackground(ABar, DC, R);
    else
        FillBarBackground(ABar, DC, R, Brush);
}

void S::DrawGlyphFrame(const Item& AItem, HDC DC, const States& St, const TRect& Cell,
                       bool DrawBackground, HBRUSH Brush) const {
    if (St.Down) {
        Edge(DC, Cell, pg::BDR_SUNKENOUTER);
        return;
    }
    if (St.Selected && !(St.PaintType == ptMenu && St.PlainMenuSelection)) {
        Edge(DC, Cell, St.Pressed ? pg::BDR_SUNKENOUTER : pg::BDR_RAISEDINNER);
        return;
    }
    if (DrawBackground)
        DrawBackgroundFrame(AItem, DC, Cell, Brush,
                            St.Selected || St.Down || St.Pressed || AItem.NonRecent);
}

void S::DrawCheckMark(const Item&, HDC DC, int Left, int Top, int Scale, bool Enabled) const {
    // Row K of the figure: down from (1, 2) to (3, 4), then up to (7, 0), all K lower.
    auto Stroke = [&](int K, int Dx) {
        pg::MoveToEx(DC, Left + 1 + Dx, Top + 2 + K, nullptr);
        pg::LineTo(DC, Left + 3 + Dx, Top + 4 + K);
        pg::LineTo(DC, Left + 8 + Dx, Top - 1 + K);
    };
    if (Scale <= 0) return;
    if (Enabled) {
        for (int K = 0; K < Scale; ++K)
            Stroke(K, 0);
        TLinePen Face(DC, pg::GetSysColor(pg::COLOR_BTNFACE));
        for (int K = Scale; K < 2 * Scale; ++K)
            Stroke(K, 0);
        return;
    }
    // The disabled figure: twice the rows in shadow with a highlight stroke under them.
    const int Rows = 2 * Scale;
    {
        TLinePen Highlight(DC, pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));
        Stroke(Rows, 1);
    }
    TLinePen Shadow(DC, pg::GetSysColor(pg::COLOR_BTNSHADOW));
    for (int K = 0; K < Rows; ++K)
        Stroke(K, 0);
}

bool S::IsGlyphBackgroundTransparent(const Item&, const TRect&) const {
    return true;
}

bool S::IsSmallMark(const Bar&, const TRect&) const {
    return false;
}

void S::DrawMarkChevron(const Bar& ABar, HDC DC, int O, const TRect&) const {
    const pg::COLORREF Highlight = pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT);
    const pg::COLORREF Shadow = pg::GetSysColor(pg::COLOR_BTNSHADOW);
    if (!dxBarIsDockedVertically(ABar)) {
        {
            TLinePen P(DC, Highlight);
            P.Line(O - 1, 1, O + 2, 4);
            P.Line(O + 3, 4, O - 1, 8);
        }
        TLinePen P(DC, Shadow);
        P.Line(O, 1, O + 2, 3);
        P.To(O + 2, 4);
        P.To(O - 1, 7);
        return;
    }
    const int X0 = ABar.ClientRect.Width() - 8;
    {
        TLinePen P(DC, Shadow);
        P.Line(X0, O, X0 + 4, O + 4);
        P.Line(X0 + 4, O + 1, X0 + 6, O - 1);
    }
    TLinePen P(DC, Highlight);
    P.Line(X0 + 1, O, X0 + 3, O + 2);
    P.To(X0 + 4, O + 2);
    P.To(X0 + 7, O - 1);
}

void S::DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const {
    FillBarWindowBackground(ABar, DC, R, Brush);
}

void S::DrawEtchedLine(HDC DC, const TRect& R) const {
    TRect Lower = R;
    pg::OffsetRect(Lower, 1, 1);
    pg::FillRect(DC, &Lower, SysBrushValue(pg::COLOR_BTNHIGHLIGHT));
    pg::FillRect(DC, &R, SysBrushValue(pg::COLOR_BTNSHADOW));
}

void dxBarDrawClassicMenuButton(const TdxBarItemControlPainter& Painter,
                                const TdxBarItemControlState& AItem, pg::HDC DC, const pg::TRect& R,
                                const TdxBarItemStates& St) {
    pg::TRect Text = R;
    const pg::TRect Cell{R.Left, R.Top, R.Left + R.Height(), R.Bottom};
    const bool Enabled = St.Enabled && ItemEnabled(AItem);
    Painter.DrawGlyph(AItem, Cell, St, nullptr, false);
    const bool Hot = St.Selected && Enabled && !St.Down;
    const pg::HBRUSH Brush =
        Hot && AItem.Parent ? Painter.GetHotBrush(*AItem.Parent) : ParentBkBrush(AItem);
    const bool Opaque = St.Selected || AItem.NonRecent;
    Text.Left = Cell.Right + 1;
    Painter.DrawBackground(AItem, DC, {Cell.Right, R.Top, Text.Left, R.Bottom}, Brush, Opaque);
    Painter.DrawBackground(AItem, DC, Text, Brush, Opaque);
    Text.Left += 2;
    const std::string Caption = ItemCaption(AItem);
    Painter.DrawCaption(AItem, DC, Text, Caption, St.Selected, Enabled, Hot, true, false, 0);
}

void S::DrawMenuButton(const Item& AItem, HDC DC, const TRect& R, const States& St) const {
    dxBarDrawClassicMenuButton(*this, AItem, DC, R, St);
}

void S::DrawControlBorder(const Item&, HDC DC, TRect& R) const {
    Edge(DC, R, pg::BDR_SUNKENOUTER);
    pg::InflateRect(R, -1, -1);
}

void S::DrawEditButtonFrame(const Item& AItem, HDC DC, const TRect& R, const States& St) const {
    const HBRUSH Brush = ParentBkBrush(AItem);
    if (St.Selected)
        Edge(DC, R, St.Pressed ? pg::BDR_SUNKENOUTER : pg::BDR_RAISEDINNER);
    else
        pg::FrameRect(DC, &R, Brush);
    TRect Inside = R;
    pg::InflateRect(Inside, -1, -1);
    pg::FillRect(DC, &Inside, Brush);
}

pg::HBRUSH S::GetGlyphCellBrush(const Item& AItem, const States& St) const {
    const bool Enabled = St.Enabled && ItemEnabled(AItem);
    if (AItem.Parent != nullptr) {
        if (St.Down && Enabled)
            return St.Selected ? GetDownBrush(*AItem.Parent) : GetCheckedBrush(*AItem.Parent);
        if (St.PaintType == ptMenu && St.Selected && St.PlainMenuSelection && !St.Down)
            return GetHotBrush(*AItem.Parent);
    }
    return ParentBkBrush(AItem);
}

int S::GetDownGlyphOffset(const Item&) const {
    return 1;
}
int S::GetPressedGlyphOffset(const Item&, bool) const {
    return 1;
}
bool S::ShowsCaptionBesideGlyph() const {
    return true;
}
int S::GetDragGripOffset() const {
    return 2;
}
int S::GetDragGripAreaSize() const {
    return GetDragGripOffset() + 2 * GetDragGripBarSize() + 1;
}
int S::GetMenuSeparatorIndent() const {
    return 2;
}

void S::DrawCloseButton(const Bar& ABar, HDC DC, const TRect& R, int State) const {
    // The classic floating frame's flat button on the caption's colour: raised while hot,
    // sunk while held.
    const pg::HBRUSH Caption = pg::CreateSolidBrush(pg::ColorToRGB(GetCaptionColor(ABar.Active)));
    pg::FillRect(DC, &R, Caption);
    pg::DeleteObject(Caption);
    TRect Button = R;
    DrawFloatingCloseButton(DC, Button, State != 0, 0, false, State == 2);
}

int S::GripBarCount() const {
    return 2;
}
int S::GripBarNarrowing() const {
    return 0;
}

void S::DrawBarBorder(const Bar& ABar, HDC DC, const TRect& R) const {
    TRect Inner = R;
    Edge(DC, Inner, pg::EDGE_RAISED);
    pg::InflateRect(Inner, -2, -2);
    if (!ABar.Bar.CanDock) return;
    const bool Vertical = dxBarIsDockedVertically(ABar);
    const int Offset = GetDragGripOffset();
    const int Size = GetDragGripBarSize() - GripBarNarrowing();
    TRect Grip =
        Vertical ? TRect{Inner.Left, Inner.Top + Offset, Inner.Right, Inner.Top + Offset + Size}
                 : TRect{Inner.Left + Offset, Inner.Top, Inner.Left + Offset + Size, Inner.Bottom};
    for (int I = 0; I < GripBarCount(); ++I) {
        Edge(DC, Grip, pg::BDR_RAISEDINNER);
        // The corner the edge leaves in shadow at the grip's far end belongs to the highlight.
        if (Vertical)
            pg::SetPixel(DC, Grip.Right - 1, Grip.Top, pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));
        else
            pg::SetPixel(DC, Grip.Left, Grip.Bottom - 1, pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));
        TRect Face = Grip;
        pg::InflateRect(Face, -1, -1);
        pg::FillRect(DC, &Face, SysBrushValue(pg::COLOR_BTNFACE));
        pg::ExcludeClipRect(DC, Grip.Left, Grip.Top, Grip.Right, Grip.Bottom);
        if (Vertical)
            pg::OffsetRect(Grip, 0, GetDragGripBarSize());
        else
            pg::OffsetRect(Grip, GetDragGripBarSize(), 0);
    }
}

void S::DrawFloatingBarBorder(const Bar&, HDC DC, const TRect& R, HBRUSH) const {
    TRect Inner = R;
    Edge(DC, Inner, pg::EDGE_RAISED);
    pg::InflateRect(Inner, -2, -2);
    pg::FrameRect(DC, &Inner, SysBrushValue(pg::COLOR_BTNFACE));
    pg::InflateRect(Inner, -1, -1);
    pg::FrameRect(DC, &Inner, SysBrushValue(pg::COLOR_BTNFACE));
}

void S::DrawMDIButton(const Bar& ABar, int Kind, HDC DC, const TRect& R, int State) const {
    static constexpr pg::UINT KindStates[] = {pg::DFCS_CAPTIONMIN, pg::DFCS_CAPTIONRESTORE,
                                              pg::DFCS_CAPTIONCLOSE};
    if (Kind < 0 || Kind > 2) return;
    pg::UINT Flags = KindStates[Kind];
    if (State == 3)
        Flags |= pg::DFCS_INACTIVE;
    else if (State == 2)
        Flags |= pg::DFCS_PUSHED;
    TRect Button = R;
    const bool FlatClose = Kind == 2 && ABar.Bar.IsMainMenu && ABar.MDIChildHasSystemMenu &&
                           !ABar.ShowsAllMDIButtons && ABar.Manager != nullptr &&
                           ABar.Manager->FlatCloseButton();
    if (!FlatClose) {
        pg::DrawFrameControl(DC, &Button, pg::DFC_CAPTION, Flags);
        return;
    }
    // The flat button keeps its one-pixel rim for the edge drawn round it.
    TdxClipRgnSave Saved = SaveClipRgn(DC);
    pg::IntersectClipRect(DC, R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    pg::DrawFrameControl(DC, &Button, pg::DFC_CAPTION, Flags | pg::DFCS_FLAT);
    RestoreClipRgn(DC, Saved);
    Edge(DC, R, State == 2 ? pg::BDR_SUNKENOUTER : pg::BDR_RAISEDINNER);
}

int S::GetFloatingCaptionIndent() const {
    return 4;
}

pg::TRect S::CalcMarkRect(const Bar& ABar) const {
    const int W = ABar.ClientRect.Width();
    const int H = ABar.ClientRect.Height();
    switch (ABar.DockingStyle) {
    case dsNone:
        return {ABar.MarkWindowRect.Left, ABar.MarkWindowRect.Top, ABar.MarkWindowRect.Left + 13,
                ABar.MarkWindowRect.Bottom};
    case dsLeft:
    case dsRight:
        return {W - 9, H - 11, W, H};
    default:
        return {W - 11, 0, W, 9};
    }
}

int S::GetFloatingTopMargin() const {
    return 2;
}
int S::GetFloatingBottomMargin() const {
    return 1;
}
bool S::HasNCHitTestBorder() const {
    return true;
}
bool S::HasSystemBorder() const {
    return true;
}

void S::DrawDropDownButton(const Item& AItem, HDC DC, const TRect& R, const States& St,
                           bool InMenu) const {
    const bool Enabled = St.Enabled && ItemEnabled(AItem);
    DrawBackground(AItem, DC, R, ParentBkBrush(AItem),
                   (St.Selected || St.Pressed || AItem.NonRecent) &&
                       !IsGlyphBackgroundTransparent(AItem, R));
    if (St.Pressed || InMenu) Edge(DC, R, St.Pressed ? pg::BDR_SUNKENOUTER : pg::BDR_RAISEDINNER);
    TRect Arrow = R;
    if (InMenu) {
        if (St.Pressed) pg::OffsetRect(Arrow, 1, 1);
        DrawItemArrow(DC, Arrow, AItem.Parent ? AItem.Parent->ArrowSize : 4, false, Enabled,
                      St.Selected, false);
        return;
    }
    // A narrow arrow part has no pixel to spare for the pressed shift.
    if (St.Pressed && R.Width() > 9) pg::OffsetRect(Arrow, 1, 1);
    DrawItemArrowInRect(DC, Arrow, true, Enabled, St.Selected, false);
}

void S::OffsetPressedCaption(const Item& AItem, bool Pressed, TRect& R) const {
    if (AItem.DropDownPartPressed) pg::OffsetRect(R, 1, 1);
    if (Pressed) pg::OffsetRect(R, 1, 1);
}

void S::OffsetPressedRect(const Item&, bool Pressed, TRect& R) const {
    if (Pressed) pg::OffsetRect(R, 1, 1);
}

void S::DrawComboButton(const Item& AItem, HDC DC, bool Selected, const TRect& R,
                        const States& St) const {
    const bool Enabled = St.Enabled && ItemEnabled(AItem);
    const int Width = AItem.Parent ? AItem.Parent->ComboButtonWidth : 11;
    TRect Button{R.Right - Width, R.Top, R.Right, R.Bottom};
    AItem.ComboButtonRect = Button;
    int ArrowColor = pg::COLOR_BTNTEXT;
    HBRUSH Brush{};
    GetComboButtonColors(AItem, St, ArrowColor, Brush);
    HBRUSH Fill = Brush;
    if (Selected && Enabled) {
        Edge(DC, Button, St.DroppedDown ? pg::BDR_SUNKENOUTER : pg::BDR_RAISEDINNER);
        Fill = ParentBkBrush(AItem);
    } else {
        pg::FrameRect(DC, &Button,
                      Enabled ? SysBrushValue(pg::COLOR_BTNHIGHLIGHT) : ParentBkBrush(AItem));
    }
    TRect Inside = Button;
    pg::InflateRect(Inside, -1, -1);
    pg::FillRect(DC, &Inside, Fill);
    if (St.DroppedDown) pg::OffsetRect(Inside, 1, 1);
    int ArrowWidth = Button.Width() / 2;
    if (ArrowWidth % 2 == 0) ++ArrowWidth;
    const int Left = Inside.Left + (Inside.Width() - ArrowWidth) / 2;
    const int Top = Inside.Top + (Inside.Height() - (ArrowWidth / 2 + 1)) / 2;
    if (Enabled) {
        DrawDropDownArrow(DC, ArrowColor, ArrowWidth, Top, Left);
    } else {
        DrawDropDownArrow(DC, pg::COLOR_BTNHIGHLIGHT, ArrowWidth, Top + 1, Left + 1);
        DrawDropDownArrow(DC, pg::COLOR_BTNSHADOW, ArrowWidth, Top, Left);
    }
}

int S::GetDropDownListBorder() const {
    return 2;
}

void S::DrawDropDownListBorder(const TdxBarManager*, HDC DC, const TRect& R) const {
    Edge(DC, R, pg::EDGE_RAISED);
}

void S::DrawNonRecentBand(const Bar& AMenu, HDC DC, int ItemIndex, const TRect& R) const {
    const auto& Entries = AMenu.VisibleEntries;
    if (ItemIndex < 0 || ItemIndex >= static_cast<int>(Entries.size())) return;
    const TdxBarItemControlState* Entry = Entries[static_cast<std::size_t>(ItemIndex)];
    if (Entry == nullptr) return;
    auto Fill = [DC](const TRect& Line, HBRUSH Brush) { pg::FillRect(DC, &Line, Brush); };
    if (Entry->Link != nullptr && Entry->Link->BeginGroup())
        Fill({R.Left, R.Top - 1, R.Right, R.Top},
             SysBrushValue(Entry->NonRecent ? pg::COLOR_BTNSHADOW : pg::COLOR_BTNHIGHLIGHT));
    if (!Entry->NonRecent) return;
    const TdxBarItemControlState* Above =
        ItemIndex > 0 ? Entries[static_cast<std::size_t>(ItemIndex - 1)] : nullptr;
    const bool FirstOfRun = Above == nullptr || !Above->NonRecent;
    if (FirstOfRun && !AMenu.Detachable)
        Fill({R.Left, R.Top, R.Right, R.Top + 1}, SysBrushValue(pg::COLOR_BTNHIGHLIGHT));
    Fill({R.Left, R.Top, R.Left + 1, R.Bottom}, AMenu.BkBrush);
    Fill({R.Right - 1, R.Top, R.Right, R.Bottom}, AMenu.BkBrush);
    if (ItemIndex == static_cast<int>(Entries.size()) - 1) {
        Fill({R.Left, R.Bottom - 1, R.Right, R.Bottom}, AMenu.BkBrush);
        pg::SetPixel(DC, R.Left, R.Bottom - 1, pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));
    }
}

bool S::HasSubMenuSideBar() const {
    return true;
}

int S::GetSubMenuSeparatorHeight(const Bar& AMenu) const {
    return TdxBarItemControlPainter::GetSubMenuSeparatorHeight(AMenu) + 1;
}

void S::SetEditMargins(HWND Edit) const {
    constexpr pc::UINT EM_SETMARGINS = 0xD3;
    constexpr pc::WPARAM EC_LEFTMARGIN_RIGHTMARGIN = 3;
    pc::SendMessage(Edit, EM_SETMARGINS, EC_LEFTMARGIN_RIGHTMARGIN,
                    static_cast<pc::LPARAM>(2 | (2 << 16)));
}

// --- Enhanced ---

const TdxBarItemControlEnhancedPainter& E::Instance() {
    static const TdxBarItemControlEnhancedPainter instance;
    return instance;
}

const pc::TClass& E::ClassType() const {
    return TdxBarItemControlEnhancedPainterClassRef();
}

void E::DrawMarkChevron(const Bar& ABar, HDC DC, int O, const TRect& R) const {
    TLinePen P(DC, pg::GetSysColor(pg::COLOR_BTNTEXT));
    if (!dxBarIsDockedVertically(ABar)) {
        const int Y0 = IsSmallMark(ABar, R) ? 3 : 4;
        P.Line(O, Y0, O + 2, Y0 + 2);
        P.To(O - 1, Y0 + 5);
        P.Line(O + 1, Y0, O + 3, Y0 + 2);
        P.To(O, Y0 + 5);
        return;
    }
    const int X0 = ABar.ClientRect.Width() - 8;
    P.Line(X0, O, X0 + 2, O + 2);
    P.To(X0 + 5, O - 1);
    P.Line(X0, O + 1, X0 + 2, O + 3);
    P.To(X0 + 5, O);
}

void E::DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const {
    switch (ABar.MarkState) {
    case 1:
        Edge(DC, R, pg::BDR_RAISEDINNER);
        break;
    case 2:
        Edge(DC, R, pg::BDR_SUNKENOUTER);
        break;
    default:
        pg::FrameRect(DC, &R, Brush);
        break;
    }
    TRect Inside = R;
    pg::InflateRect(Inside, -1, -1);
    FillBarWindowBackground(ABar, DC, Inside, Brush);
}

void E::DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const {
    const TdxBarItemControlPainter& Own = ABar.Manager ? ABar.Manager->Painter() : *this;
    const pg::COLORREF Color = pg::GetSysColor(Own.GetMarkGlyphColor(ABar));
    const pg::HPEN Pen = pg::CreatePen(pg::PS_SOLID, 1, Color);
    const pg::HBRUSH Brush = pg::CreateSolidBrush(Color);
    const pg::HGDIOBJ OldPen = pg::SelectObject(DC, Pen);
    const pg::HGDIOBJ OldBrush = pg::SelectObject(DC, Brush);
    if (!dxBarIsDockedVertically(ABar)) {
        const int X = R.Left + 3;
        const int Y = R.Bottom - 7 + (IsSmallMark(ABar, R) ? 1 : 0);
        const pg::TPoint Corners[] = {{X, Y}, {X + 4, Y}, {X + 2, Y + 2}};
        pg::Polygon(DC, Corners, 3);
    } else {
        const int X = R.Left + 5;
        const int Y = R.Top + 3;
        const pg::TPoint Corners[] = {{X, Y}, {X, Y + 4}, {X - 2, Y + 2}};
        pg::Polygon(DC, Corners, 3);
    }
    pg::SelectObject(DC, OldBrush);
    pg::SelectObject(DC, OldPen);
    pg::DeleteObject(Brush);
    pg::DeleteObject(Pen);
    TdxBarItemControlStandardPainter::DrawMarkGlyphs(ABar, DC, R);
}

int E::GetDragGripOffset() const {
    return 1;
}
int E::GetMenuSeparatorIndent() const {
    return 12;
}
bool E::HasHotMark() const {
    return true;
}

pg::TRect E::CalcMarkRect(const Bar& ABar) const {
    const int W = ABar.ClientRect.Width();
    const int H = ABar.ClientRect.Height();
    switch (ABar.DockingStyle) {
    case dsNone:
        return TdxBarItemControlStandardPainter::CalcMarkRect(ABar);
    case dsLeft:
    case dsRight:
        return {0, H - 11, W, H};
    default:
        return {W - 11, 0, W, H};
    }
}

int E::GripBarCount() const {
    return 1;
}
int E::GripBarNarrowing() const {
    return 1;
}

} // namespace toolkit::bars
