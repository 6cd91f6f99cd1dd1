#include "toolkit/bars/painters/dx_bar_painter_office11.h"

#include "toolkit/base/office11.h"

#include "platform/gdi/canvas.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"

#include <algorithm>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pc = platform::core;
using namespace toolkit::base;

using O = TdxBarItemControlOffice11Painter;

namespace {

bool IsHorizontal(const TdxBarPaintedBar& ABar) {
    return ABar.DockingStyle == dsTop || ABar.DockingStyle == dsBottom;
}

bool IsDockedSideways(const TdxBarPaintedBar& ABar) {
    return ABar.DockingStyle == dsLeft || ABar.DockingStyle == dsRight;
}

// The Office 2003 fill is the toolbar's own, not the main menu's nor a bitmap's.
bool HasOffice11Fill(const TdxBarPaintedBar& ABar) {
    return ABar.Kind == bckToolbar && ABar.Bar.BorderStyle != 0 && !ABar.Bar.IsMainMenu &&
           ABar.BackgroundBitmap == nullptr;
}

void SetPixelColor(pg::HDC DC, int X, int Y, pg::TColor Color) {
    pg::SetPixel(DC, X, Y, pg::ColorToRGB(Color));
}

pg::TColor Mix(pg::TColor A, pg::TColor B) {
    return dxOffice11MixColors(A, B, 50);
}

int MarkState(const TdxBarPaintedBar& ABar) {
    return std::clamp(ABar.MarkState, 0, 2);
}

// The dock area's colour: a side dock shows one end of the dock gradient. The dock site's extent
// is not known to the painter, so a top or bottom dock is taken at its start.
pg::TColor DockColor(const TdxBarPaintedBar& ABar) {
    return ABar.DockingStyle == dsRight ? dxOffice11DockGradientEnd()
                                        : dxOffice11DockGradientStart();
}

// The toolbar gradient's rectangle within the window rectangle W: one pixel in on both sides
// across the bar.
pg::TRect GradientRect(const TdxBarPaintedBar& ABar, const pg::TRect& W) {
    pg::TRect G = W;
    if (IsHorizontal(ABar) || ABar.DockingStyle == dsNone) {
        ++G.Top;
        --G.Bottom;
    } else {
        ++G.Left;
        --G.Right;
    }
    return G;
}

// The window rectangle the toolbar gradient spans, so that client and frame continue one
// gradient: the window's whole rectangle when it gives one, else its client rectangle, else
// the painted one.
pg::TRect WindowRect(const TdxBarPaintedBar& ABar, const pg::TRect& R) {
    if (!pg::IsRectEmpty(ABar.WindowRect)) return ABar.WindowRect;
    return pg::IsRectEmpty(ABar.ClientRect) ? R : ABar.ClientRect;
}

// The toolbar gradient's colour at a position across the bar.
pg::TColor BarColorAt(const TdxBarPaintedBar& ABar, const pg::TRect& W, int Pos) {
    return GetGradientColorAtPos(GradientRect(ABar, W), Pos, dxOffice11BarGradientLight(),
                                 dxOffice11BarGradientDark(), IsDockedSideways(ABar));
}

// Coordinates along and across a bar: along runs left to right on a horizontal bar and top to
// bottom otherwise.
class TBarFrame {
public:
    TBarFrame(const pg::TRect& W, bool Horizontal) : FW(W), FHorz(Horizontal) {}
    int A0() const { return FHorz ? FW.Left : FW.Top; }
    int A1() const { return FHorz ? FW.Right : FW.Bottom; }
    int C0() const { return FHorz ? FW.Top : FW.Left; }
    int C1() const { return FHorz ? FW.Bottom : FW.Right; }
    pg::TPoint Pt(int A, int C) const { return FHorz ? pg::TPoint{A, C} : pg::TPoint{C, A}; }
    pg::TRect Rect(int AFrom, int CFrom, int ATo, int CTo) const {
        return FHorz ? pg::TRect{AFrom, CFrom, ATo, CTo} : pg::TRect{CFrom, AFrom, CTo, ATo};
    }

private:
    pg::TRect FW;
    bool FHorz;
};

class TClipSaver {
public:
    TClipSaver(pg::HDC DC, const pg::TRect& R) : FDC(DC), FLevel(pg::SaveDC(DC)) {
        pg::IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    }
    ~TClipSaver() { pg::RestoreDC(FDC, FLevel); }
    TClipSaver(const TClipSaver&) = delete;
    TClipSaver& operator=(const TClipSaver&) = delete;

private:
    pg::HDC FDC;
    int FLevel;
};

const TdxBarItemControlPainter& BasePainter() {
    return TdxBarItemControlPainter::Instance();
}

const TdxBarItemControlPainter& XPPainter() {
    return dxBarPainter(TdxBarItemControlXPPainterClassRef());
}

bool ThemesOn(const TdxBarPaintedBar& ABar) {
    return ABar.Manager != nullptr && ABar.Manager->ThemesAvailable();
}

} // namespace

const TdxBarItemControlOffice11Painter& TdxBarItemControlOffice11Painter::Instance() {
    static const TdxBarItemControlOffice11Painter instance;
    return instance;
}

const pc::TClass& O::ClassType() const {
    return TdxBarItemControlOffice11PainterClassRef();
}

// --- Caption and mark colours ---

pg::TColor O::GetCaptionColor(bool) const {
    return dxOffice11FloatingBarColor();
}
pg::TColor O::GetCaptionTextColor() const {
    return dxOffice11CaptionTextColor();
}
pg::TColor O::GetMarkArrowColor(const Bar&, int MarkState) const {
    if (MarkState == 1) return dxOffice11MarkArrowHotColor();
    if (MarkState == 2) return dxOffice11MarkArrowPressedColor();
    return dxOffice11CaptionTextColor();
}

// --- The docked mark ---

void O::DrawMarkBackground(const Bar& ABar, HDC DC, HBRUSH Brush, const TRect& R) const {
    const int S = MarkState(ABar);
    const TColor Light = dxOffice11MarkLightColors(S), Dark = dxOffice11MarkDarkColors(S);
    if (ABar.Bar.BorderStyle == 0 || ABar.Bar.IsMainMenu) {
        pg::FillRect(DC, &R, Brush);
        return;
    }
    const TRect W = WindowRect(ABar, R);
    TRect Fill;
    if (IsHorizontal(ABar)) {
        BasePainter().DrawDockedBarBackground(ABar, DC, {R.Left, R.Top, R.Left + 2, R.Bottom});
        SetPixelColor(DC, R.Left + 1, R.Top,
                      Mix(dxOffice11MarkMidColors(S), BarColorAt(ABar, W, R.Top + 2)));
        Fill = {R.Left + 2, R.Top - 2, R.Right, R.Bottom + 2};
    } else {
        BasePainter().DrawDockedBarBackground(ABar, DC, {R.Left, R.Top, R.Right, R.Top + 2});
        SetPixelColor(DC, R.Left, R.Top + 1,
                      Mix(dxOffice11MarkMidColors(S), BarColorAt(ABar, W, R.Left + 2)));
        Fill = {R.Left - 2, R.Top + 2, R.Right + 2, R.Bottom};
    }
    FillTwoStageGradientRect(DC, Fill, Light, Dark, !IsHorizontal(ABar));
}

namespace {

// One glyph twice: the shadow one pixel right and down, then the glyph.
void DrawEmbossedPolygon(pg::HDC DC, std::initializer_list<pg::TPoint> Points) {
    for (const auto& [Color, Shift] : {std::pair{dxOffice11MarkGlyphShadowColor(), 1},
                                       std::pair{dxOffice11MarkGlyphColor(), 0}}) {
        std::vector<pg::TPoint> P;
        for (const pg::TPoint& Point : Points)
            P.push_back({Point.X + Shift, Point.Y + Shift});
        pg::GdiHandle Pen(pg::CreatePen(pg::PS_SOLID, 1, pg::ColorToRGB(Color)));
        pg::GdiHandle Brush(pg::CreateSolidBrush(pg::ColorToRGB(Color)));
        const pg::HGDIOBJ OldPen = pg::SelectObject(DC, Pen.Get());
        const pg::HGDIOBJ OldBrush = pg::SelectObject(DC, Brush.Get());
        pg::Polygon(DC, P.data(), static_cast<int>(P.size()));
        pg::SelectObject(DC, OldBrush);
        pg::SelectObject(DC, OldPen);
    }
}

void DrawEmbossedRect(pg::HDC DC, const pg::TRect& R) {
    FillRectByColor(DC, {R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1},
                    dxOffice11MarkGlyphShadowColor());
    FillRectByColor(DC, R, dxOffice11MarkGlyphColor());
}

} // namespace

void O::DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const {
    const bool Plain = ABar.Bar.BorderStyle == 0 || ABar.Bar.IsMainMenu;
    const int M1 = Plain ? 2 : 0, M2 = Plain ? 1 : 0;
    if (IsHorizontal(ABar)) {
        const int X = R.Right - 6 - M1, Y = R.Bottom - 8 - M2;
        DrawEmbossedRect(DC, {X, Y, X + 5, Y + 1});
        DrawEmbossedPolygon(DC, {{X, Y + 3}, {X + 4, Y + 3}, {X + 2, Y + 5}});
        if (ABar.LinksCutOff) {
            const int CX = R.Right - 7 - M1, CY = R.Top + 3 - M2;
            for (int D : {0, 4})
                DrawEmbossedPolygon(DC, {{CX + D, CY}, {CX + D + 1, CY + 1}, {CX + D, CY + 2}});
        }
    } else {
        const int X = R.Right - 8 - M2, Y = R.Bottom - 6 - M1;
        DrawEmbossedRect(DC, {X, Y, X + 1, Y + 5});
        DrawEmbossedPolygon(DC, {{X + 3, Y}, {X + 3, Y + 4}, {X + 5, Y + 2}});
        if (ABar.LinksCutOff) {
            const int CX = R.Left + 3 - M1, CY = R.Bottom - 7 - M2;
            for (int D : {0, 4})
                DrawEmbossedPolygon(DC, {{CX, CY + D}, {CX + 1, CY + D + 1}, {CX + 2, CY + D}});
        }
    }
}

// --- Metrics ---

int O::GetFloatingBorderWidth() const {
    return 3;
}
int O::GetFloatingBorderHeight() const {
    return 3;
}
int O::GetFloatingBorderOffset() const {
    return 2;
}
int O::GetDragGripOffset() const {
    return TdxBarItemControlFlatPainter::GetDragGripOffset() + GetButtonBorderExtra();
}
int O::GetComboButtonWidth(const Bar&, HDC, int) const {
    return 13;
}
int O::GetButtonBorderExtra() const {
    return 2;
}

// --- Backgrounds ---

void O::DrawDockControlBackground(const Dock&, HDC DC, const TRect& R, HBRUSH) const {
    FillGradientRect(DC, R, dxOffice11DockGradientStart(), dxOffice11DockGradientEnd(), true);
}

bool O::DrawsGlyphFrameFirst() const {
    return true;
}

pg::HBRUSH O::GetLightBkBrush(const TdxBarManager&) const {
    return dxOffice11ControlFillBrush();
}

void O::DrawDockedBarBackground(const Bar& ABar, HDC DC, const TRect& R) const {
    if (!HasOffice11Fill(ABar)) {
        TdxBarItemControlFlatPainter::DrawDockedBarBackground(ABar, DC, R);
        return;
    }
    TClipSaver Clip(DC, R);
    FillTwoStageGradientRect(DC, GradientRect(ABar, WindowRect(ABar, R)),
                             dxOffice11BarGradientLight(), dxOffice11BarGradientDark(),
                             IsDockedSideways(ABar));
}

void O::FillBarBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const {
    if (ABar.Kind == bckQuickCustomize || ABar.BackgroundBitmap != nullptr) {
        TdxBarItemControlFlatPainter::FillBarBackground(ABar, DC, R, Brush);
        return;
    }
    TClipSaver Clip(DC, R);
    FillGradientRect(DC, WindowRect(ABar, R), dxOffice11BarGradientLight(),
                     dxOffice11BarGradientDark(), false);
}

void O::DrawOwnerJoin(const Bar& ABar, HDC DC) const {
    if (pg::IsRectEmpty(ABar.OwnerJoinRect)) return;
    pg::FillRect(DC, &ABar.OwnerJoinRect, dxOffice11MenuBrush());
}

bool O::HasRaisedFloatingBorder(const Bar& ABar) const {
    if (ABar.Kind == bckToolbar) return false;
    return TdxBarItemControlFlatPainter::HasRaisedFloatingBorder(ABar);
}

pg::HBRUSH O::GetBkBrush(const Bar&) const {
    return dxOffice11MenuBrush();
}

pg::HBRUSH O::GetToolbarBrush(const Bar& ABar) const {
    if (ABar.Bar.IsMainMenu || ABar.Bar.IsStatusBar) return pg::GetSysColorBrush(pg::COLOR_BTNFACE);
    return TdxBarItemControlFlatPainter::GetToolbarBrush(ABar);
}

pg::HBRUSH O::GetCheckedBrush(const Bar&) const {
    return dxOffice11PressedBrush();
}
pg::HBRUSH O::GetDownBrush(const Bar&) const {
    return dxOffice11CheckedSelectedBrush();
}
pg::HBRUSH O::GetHotBrush(const Bar&) const {
    return dxOffice11SelectedBrush();
}
pg::HBRUSH O::GetQuickControlBrush(const Bar&) const {
    return dxOffice11MenuBrush();
}
pg::TColor O::GetPushButtonColor() const {
    return dxOffice11DockGradientStart();
}
pg::HBRUSH O::GetArrowItemBrush() const {
    return dxOffice11MarkShadeBrush();
}
pg::HBRUSH O::GetBorderBrush() const {
    return dxOffice11MenuBorderBrush();
}
pg::HBRUSH O::GetSeparatorBrush() const {
    return dxOffice11SeparatorBrush();
}

void O::FrameControlRect(const Bar&, HDC DC, const TRect& R) const {
    pg::FrameRect(DC, &R, dxOffice11MenuBorderBrush());
}

// --- Borders ---

pg::TRect O::GetDockedBarBorderRect(const Bar& ABar) const {
    if (!ABar.Bar.IsMainMenu) return TdxBarItemControlFlatPainter::GetDockedBarBorderRect(ABar);
    if (IsHorizontal(ABar)) return {0, 2, 0, 2};
    return {2, 0, 2, 0};
}

void O::DrawToolbarSeparator(const Bar& ABar, HDC DC, const TRect& R, bool Across, HBRUSH) const {
    // Across: the separator lies across a vertical bar, so it is a horizontal line.
    const int Offset = GetToolbarSeparatorOffset();
    TRect S = R;
    if (!Across) {
        S.Left += Offset;
        S.Right -= Offset;
        const TRect Dark{S.Left, S.Top + 3, S.Left + 1, S.Bottom - 4};
        const TRect Light{S.Left + 1, S.Top + 4, S.Left + 2, S.Bottom - 3};
        pg::FillRect(DC, &Dark, dxOffice11SeparatorBrush());
        pg::FillRect(DC, &Light, dxOffice11SeparatorLightBrush());
    } else {
        S.Top += Offset;
        S.Bottom -= Offset;
        const TRect Dark{S.Left + 3, S.Top, S.Right - 4, S.Top + 1};
        const TRect Light{S.Left + 4, S.Top + 1, S.Right - 3, S.Top + 2};
        pg::FillRect(DC, &Dark, dxOffice11SeparatorBrush());
        pg::FillRect(DC, &Light, dxOffice11SeparatorLightBrush());
    }
    (void)ABar;
}

void O::DrawCloseButtonBackground(const Bar& ABar, HDC DC, const TRect& R, int State) const {
    if (State == 0) {
        FillRectByColor(DC, R, GetCaptionColor(ABar.Active));
        return;
    }
    dxOffice11FrameSelectedRect(DC, R);
    TRect Inner = R;
    pg::InflateRect(Inner, -1, -1);
    FillRectByColor(DC, Inner,
                    State == 1 ? dxOffice11HotGradientLight() : dxOffice11HotGradientDark());
}

namespace {

// The rounded ends and the far-edge shadow of a toolbar with a single border.
void DrawBarEnds(const TdxBarItemControlOffice11Painter& Painter, const TdxBarPaintedBar& ABar,
                 pg::HDC DC, const pg::TRect& W) {
    const TdxBarItemControlPainter& Base = BasePainter();
    const TBarFrame F(W, IsHorizontal(ABar));
    const int A0 = F.A0(), A1 = F.A1(), C0 = F.C0(), C1 = F.C1();
    const pg::TColor Dock = DockColor(ABar), Corner = dxOffice11BarCornerColor();
    auto Pixel = [&](int A, int C, pg::TColor Color) {
        const pg::TPoint P = F.Pt(A, C);
        SetPixelColor(DC, P.X, P.Y, Color);
    };
    auto DockLook = [&](int AFrom, int CFrom, int ATo, int CTo) {
        Base.DrawDockedBarBackground(ABar, DC, F.Rect(AFrom, CFrom, ATo, CTo));
    };
    // Near end.
    DockLook(A0, C0, A0 + 2, C1);
    DockLook(A0 + 2, C0, A1, C0 + 1);
    DockLook(A0 + 2, C1 - 2, A0 + 3, C1 - 1);
    DockLook(A0 + 3, C1 - 1, A0 + 4, C1);
    Painter.DrawDockedBarBackground(ABar, DC, F.Rect(A0 + 2, C0 + 3, A0 + 3, C1 - 3));
    Pixel(A0 + 3, C1 - 3, Corner);
    Pixel(A0 + 2, C1 - 3, Mix(Dock, Corner));
    Pixel(A0 + 3, C1 - 2, Mix(Dock, Corner));
    const pg::TColor NearBar = BarColorAt(ABar, W, C0 + 2);
    Pixel(A0 + 2, C0 + 2, Mix(Dock, NearBar));
    Pixel(A0 + 3, C0 + 1, Mix(Dock, NearBar));

    // Far side.
    const bool MarkShown = ABar.Bar.ShowMark;
    const int LineEnd = MarkShown ? A1 - 13 : A1 - 2;
    // The body's first and last rows lie outside the client area: the bar's own background
    // there too, from the near end's rounding to the far end, so that nothing an earlier, shorter
    // bar drew there stays.
    const int BodyEnd = MarkShown ? A1 - 12 : A1 - 2;
    Painter.DrawDockedBarBackground(ABar, DC, F.Rect(A0 + 4, C0 + 1, BodyEnd, C0 + 2));
    Painter.DrawDockedBarBackground(ABar, DC, F.Rect(A0 + 4, C1 - 2, BodyEnd, C1 - 1));
    pg::GdiHandle Border(pg::CreateSolidBrush(pg::ColorToRGB(dxOffice11BarBorderColor())));
    const pg::TRect Line = F.Rect(A0 + 2, C1 - 1, LineEnd, C1);
    pg::FillRect(DC, &Line, static_cast<pg::HBRUSH>(Border.Get()));
    if (!MarkShown) {
        Pixel(A1 - 2, C1 - 2, Corner);
        Pixel(A1 - 2, C1 - 1, Mix(Corner, Dock));
        Pixel(A1 - 1, C1 - 2, Mix(Corner, Dock));
        return;
    }
    // The mark's 12 pixels at the far end, rounded like the near end.
    const int S = MarkState(ABar);
    const pg::TColor MarkDark = dxOffice11MarkDarkColors(S);
    const int M0 = A1 - 12;
    FillTwoStageGradientRect(DC, F.Rect(M0, C0, A1, C1), dxOffice11MarkLightColors(S), MarkDark,
                             !IsHorizontal(ABar));
    DockLook(A1 - 1, C0, A1, C0 + 1);
    DockLook(A1 - 1, C1 - 1, A1, C1);
    Pixel(A1 - 2, C0, Mix(MarkDark, Dock));
    Pixel(A1 - 1, C0 + 1, Mix(MarkDark, Dock));
    Pixel(A1 - 2, C1 - 1, Mix(MarkDark, Dock));
    Pixel(A1 - 1, C1 - 2, Mix(MarkDark, Dock));
    Pixel(M0, C0, Mix(MarkDark, BarColorAt(ABar, W, C0)));
    Pixel(M0, C1 - 1, Mix(MarkDark, BarColorAt(ABar, W, C1 - 1)));
    Pixel(M0, C0 + 1, dxOffice11MarkMidColors(S));
}

} // namespace

void O::DrawBarBorder(const Bar& ABar, HDC DC, const TRect& R) const {
    const bool Horz = IsHorizontal(ABar);
    if (ABar.Bar.IsMainMenu) {
        const TBarFrame F(R, Horz);
        BasePainter().DrawDockedBarBackground(ABar, DC, F.Rect(F.A0(), F.C0(), F.A1(), F.C0() + 2));
        BasePainter().DrawDockedBarBackground(ABar, DC, F.Rect(F.A0(), F.C1() - 2, F.A1(), F.C1()));
    } else if (ABar.Bar.BorderStyle == 1) {
        DrawBarEnds(*this, ABar, DC, R);
        for (const pg::TPoint P :
             {pg::TPoint{R.Left, R.Top}, pg::TPoint{R.Right - 1, R.Top},
              pg::TPoint{R.Left, R.Bottom - 1}, pg::TPoint{R.Right - 1, R.Bottom - 1}})
            BasePainter().DrawDockedBarBackground(ABar, DC, {P.X, P.Y, P.X + 1, P.Y + 1});
    }
    if (!ABar.Bar.CanDock) return;
    TRect G = R;
    pg::InflateRect(G, -2, -2);
    if (Horz) {
        G.Left += GetDragGripOffset();
        G.Right = G.Left + GetDragGripBarSize();
        G.Top += 3;
        G.Bottom -= 3;
    } else {
        G.Top += GetDragGripOffset();
        G.Bottom = G.Top + GetDragGripBarSize();
        G.Left += 3;
        G.Right -= 3;
    }
    DrawDragGripDots(DC, G, Horz);
}

void O::DrawFloatingBarBorder(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const {
    TRect F = R;
    if (ABar.Kind == bckQuickCustomize) {
        pg::FrameRect(DC, &F, dxOffice11MenuBorderBrush());
        for (int I = 1; I < GetFloatingBorderWidth(); ++I) {
            pg::InflateRect(F, -1, -1);
            pg::FrameRect(DC, &F, Brush);
        }
        return;
    }
    pg::GdiHandle Outer(pg::CreateSolidBrush(pg::ColorToRGB(dxOffice11FloatingBarColor())));
    pg::GdiHandle Inner(pg::CreateSolidBrush(pg::ColorToRGB(dxOffice11FloatingBarInnerColor())));
    const auto OuterBrush = static_cast<pg::HBRUSH>(Outer.Get());
    pg::FrameRect(DC, &F, OuterBrush);
    pg::InflateRect(F, -1, -1);
    pg::FrameRect(DC, &F, OuterBrush);
    pg::InflateRect(F, -1, -1);
    pg::FrameRect(DC, &F, static_cast<pg::HBRUSH>(Inner.Get()));
    for (const pg::TPoint P :
         {pg::TPoint{F.Left, F.Top}, pg::TPoint{F.Right - 1, F.Top},
          pg::TPoint{F.Right - 1, F.Bottom - 1}, pg::TPoint{F.Left, F.Bottom - 1}}) {
        const TRect Cell{P.X, P.Y, P.X + 1, P.Y + 1};
        pg::FillRect(DC, &Cell, OuterBrush);
    }
}

void O::DrawFloatingCaption(const Bar& ABar, HDC DC, const TRect& R, HBRUSH) const {
    pg::GdiHandle Light(pg::CreateSolidBrush(pg::ColorToRGB(dxOffice11BarGradientLight())));
    dxBarPainter(TdxBarItemControlFlatPainterClassRef())
        .TdxBarItemControlPainter::DrawFloatingCaption(ABar, DC, R,
                                                       static_cast<pg::HBRUSH>(Light.Get()));
}

void O::DrawSizeGripArea(const Bar& ABar, HDC DC, const TRect& R) const {
    if (ThemesOn(ABar))
        XPPainter().DrawSizeGripArea(ABar, DC, R);
    else
        TdxBarItemControlFlatPainter::DrawSizeGripArea(ABar, DC, R);
}

void O::DrawStatusBarBorder(const Bar& ABar, HDC DC, const TRect& R) const {
    if (ThemesOn(ABar))
        XPPainter().DrawStatusBarBorder(ABar, DC, R);
    else
        TdxBarItemControlFlatPainter::DrawStatusBarBorder(ABar, DC, R);
}

void O::DrawToolbarBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const {
    if (ThemesOn(ABar))
        XPPainter().DrawToolbarBackground(ABar, DC, R, Brush);
    else
        TdxBarItemControlFlatPainter::DrawToolbarBackground(ABar, DC, R, Brush);
}

pg::TSize O::GetSizeGripSize(const Bar& ABar) const {
    return ThemesOn(ABar) ? XPPainter().GetSizeGripSize(ABar)
                          : TdxBarItemControlFlatPainter::GetSizeGripSize(ABar);
}
int O::GetSizeGripIndent(const Bar& ABar) const {
    return ThemesOn(ABar) ? XPPainter().GetSizeGripIndent(ABar)
                          : TdxBarItemControlFlatPainter::GetSizeGripIndent(ABar);
}

pg::TRect O::GetMarkRect(const Bar& ABar) const {
    TRect R = TdxBarItemControlFlatPainter::GetMarkRect(ABar);
    if (ABar.Bar.BorderStyle == 0 || ABar.Bar.IsMainMenu) return R;
    if (IsDockedSideways(ABar)) {
        --R.Left;
        ++R.Right;
        R.Bottom += 2;
    } else if (IsHorizontal(ABar)) {
        --R.Top;
        R.Right += 2;
        ++R.Bottom;
    }
    return R;
}

void O::InvalidateMark(const Bar& ABar) const {
    TdxBarItemControlFlatPainter::InvalidateMark(ABar);
    // The mark's rounded end lies in the non-client border of a docked bar.
    if (ABar.DockingStyle != dsNone && ABar.OnInvalidate) ABar.OnInvalidate(GetMarkRect(ABar));
}

void O::DrawDragGripDots(HDC DC, const TRect& R, bool Vertical) const {
    dxOffice11DrawGripDots(DC, R, Vertical);
}

bool O::BarControlHasShadow(const Bar& ABar) const {
    return ABar.Kind != bckToolbar && TdxBarItemControlFlatPainter::BarControlHasShadow(ABar);
}

} // namespace toolkit::bars
