// The base painter's bodies that do real drawing: backgrounds, the glyph cell, captions,
// toolbar parts, menu window parts and the rarer item kinds. The styles inherit them and call
// back into them, so each asks the painter it runs on for every sister answer.

#include "toolkit/bars/dx_bar_backgrounds.h"
#include "toolkit/bars/dx_bar_drawing.h"
#include "toolkit/bars/dx_bar_item.h"
#include "toolkit/bars/dx_bar_painter.h"
#include "toolkit/bars/dx_bar_unit.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/text_out.h"

#include <algorithm>

namespace toolkit::bars {

namespace pg = platform::gdi;

using P = TdxBarItemControlPainter;
using TRect = pg::TRect;
using HDC = pg::HDC;
using HBRUSH = pg::HBRUSH;
using TColor = pg::TColor;

namespace {

HBRUSH SystemBrushValue(int Index) {
    return static_cast<HBRUSH>(Index + 1);
}

TRect Shrunk(const TRect& R, int DX, int DY) {
    return {R.Left + DX, R.Top + DY, R.Right - DX, R.Bottom - DY};
}

void Edge(HDC DC, TRect R, unsigned EdgeKind, unsigned Flags) {
    pg::DrawEdge(DC, &R, EdgeKind, Flags);
}

// The position of the accelerator marker in Text (an "&" that is not doubled), or npos.
std::size_t AccelPosition(const std::string& Text) {
    for (std::size_t I = 0; I + 1 < Text.size(); ++I) {
        if (Text[I] != '&') continue;
        if (Text[I + 1] != '&') return I;
        ++I;
    }
    return std::string::npos;
}

pg::TSize Extent(HDC DC, const std::string& Text) {
    pg::TSize Size{};
    pg::GetTextExtentPoint32(DC, Text.data(), static_cast<int>(Text.size()), &Size);
    return Size;
}

HDC BarDC(const TdxBarItemControlState& AItem) {
    return AItem.Parent && AItem.Parent->Canvas ? AItem.Parent->Canvas->Handle() : HDC{};
}

void SolidTriangle(HDC DC, pg::COLORREF Color, const pg::TPoint (&Points)[3]) {
    const pg::HPEN Pen = pg::CreatePen(pg::PS_SOLID, 1, Color);
    const HBRUSH Brush = pg::CreateSolidBrush(Color);
    const pg::HGDIOBJ OldPen = pg::SelectObject(DC, Pen), OldBrush = pg::SelectObject(DC, Brush);
    pg::Polygon(DC, Points, 3);
    pg::SelectObject(DC, OldPen);
    pg::SelectObject(DC, OldBrush);
    pg::DeleteObject(Pen);
    pg::DeleteObject(Brush);
}

bool HasPixels(const platform::forms::TBitmap* Bitmap) {
    return Bitmap != nullptr && !Bitmap->Empty();
}

} // namespace

// --- Glyph, check mark and arrows ---

void P::DrawCheckCell(const Item& AItem, HDC DC, const TRect& R, const States& S, HBRUSH Brush,
                      bool Framed) const {
    const TRect Fill = Framed ? Shrunk(R, 1, 1) : R;
    if (!DrawsGlyphFrameFirst())
        DrawBackground(AItem, DC, Fill, Brush,
                       S.Selected || S.Down || S.Pressed || AItem.Checked || AItem.NonRecent);
    if (!(AItem.CheckStyle && AItem.Checked)) return;
    const int FontSize = AItem.Manager() ? AItem.Manager()->Font().Size() : 8;
    const int Scale = FontSize >= 16 ? 2 : 1;
    DrawCheckMark(DC, (R.Left + R.Right - 9 * Scale) / 2, (R.Top + R.Bottom - 7 * Scale) / 2,
                  Scale);
}

void P::DrawGlyphImage(const Item& AItem, HDC DC, const TRect& R, const States& S,
                       const TdxBarGlyphSource& Source, bool Framed) const {
    const TRect Cell = Framed ? Shrunk(R, 1, 1) : R;
    const bool Checked = S.Down || AItem.Checked;
    const bool Bitmapped = AItem.Parent && HasPixels(AItem.Parent->BackgroundBitmap);
    if (!AItem.NonRecent && Bitmapped)
        DrawBackground(
            AItem, DC, Cell, GetGlyphCellBrush(AItem, S),
            (!IsGlyphBackgroundTransparent(AItem, Cell) && (S.Selected || S.Pressed || Checked)) ||
                AItem.NonRecent);
    const bool UseBitmap = HasPixels(Source.Glyph);
    const int GW = UseBitmap ? Source.Glyph->Width() : Source.Images ? Source.Images->Width() : 0;
    const int GH = UseBitmap ? Source.Glyph->Height() : Source.Images ? Source.Images->Height() : 0;
    const int X = (Cell.Left + Cell.Right - GW) / 2, Y = (Cell.Top + Cell.Bottom - GH) / 2;
    TdxBarGlyphParams G;
    G.Brush = GetGlyphCellBrush(AItem, S);
    G.ItemRect = Cell;
    G.GlyphRect = {X, Y, X + GW, Y + GH};
    G.Glyph = Source.Glyph;
    G.Images = Source.Images;
    G.ImageIndex = Source.ImageIndex;
    G.Enabled = S.Enabled;
    G.Selected = S.Selected;
    G.Down = S.Pressed || Checked;
    G.CopyBackground = Bitmapped && !AItem.NonRecent;
    if (AItem.Parent) {
        const TColor Faded = GetFadedImageColor(*AItem.Parent);
        G.TintColor = Faded == clNoColor ? pg::clNone : Faded;
    }
    if (AItem.Manager()) G.ImageListBkColor = AItem.Manager()->ImageListBkColor();
    DrawBarItemGlyph(DC, G);
}

void P::DrawItemArrowInRect(HDC DC, const TRect& R, bool Down, bool Enabled, bool Selected,
                            bool Flat) const {
    DrawArrowInRect(DC, R, Down, Enabled, Selected, Flat);
}

void P::DrawItemArrow(HDC DC, const TRect& R, int Size, bool Down, bool Enabled, bool Selected,
                      bool Flat) const {
    DrawArrow(DC, R, Down, Size, Selected, Enabled, Flat);
}

void P::GetTextColors(const Item&, bool Enabled, bool Selected, bool Highlight, TColor& EmbossColor,
                      TColor& TextColor) const {
    if (Enabled) {
        EmbossColor = TextColor = Selected && !Highlight ? pg::clHighlightText : pg::clBtnText;
    } else if (Selected || Highlight) {
        EmbossColor = TextColor = pg::clGrayText;
    } else {
        EmbossColor = pg::clBtnHighlight;
        TextColor = pg::clBtnShadow;
    }
}

// --- Size grip and mark ---

void P::DrawSizeGrip(const Bar& ABar, HDC DC, const TRect& R) const {
    FillBarBackground(ABar, DC, R, GetToolbarBrush(ABar));
    DrawSizeGripTransparent(DC, R);
}

void P::DrawMarkArrow(const Bar& ABar, HDC DC, const TRect& R) const {
    const int X = (R.Left + R.Right - 7) / 2;
    const int Y = (R.Top + R.Bottom - 4) / 2 + (R.Top + R.Bottom - 4) % 2;
    SolidTriangle(DC, pg::ColorToRGB(GetMarkArrowColor(ABar, ABar.MarkState)),
                  {{X, Y}, {X + 6, Y}, {X + 3, Y + 3}});
}

void P::DrawMarkGlyphs(const Bar& ABar, HDC DC, const TRect& R) const {
    if (!ABar.LinksCutOff) return;
    if (ABar.DockingStyle == dsTop || ABar.DockingStyle == dsBottom) {
        DrawMarkChevron(ABar, DC, R.Left + 2, R);
        DrawMarkChevron(ABar, DC, R.Left + 6, R);
    } else {
        DrawMarkChevron(ABar, DC, R.Bottom - 9, R);
        DrawMarkChevron(ABar, DC, R.Bottom - 5, R);
    }
}

void P::DrawFloatingMark(const Bar& ABar, HDC DC, const TRect& R) const {
    DrawMarkArrow(ABar, DC, R);
}

// --- Drop-down arrows, edit text ---

void P::DrawDropDownArrow(HDC DC, int SysColorIndex, int Width, int Top, int Left) const {
    SolidTriangle(DC, pg::GetSysColor(SysColorIndex),
                  {{Left, Top}, {Left + Width - 1, Top}, {Left + Width / 2, Top + Width / 2}});
}

void P::DrawButtonText(HDC DC, const std::string& Text, const TRect& R, bool Transparent) const {
    TRect T = R;
    const int OldMode = pg::SetBkMode(DC, Transparent ? pg::TRANSPARENT : pg::OPAQUE);
    const pg::COLORREF OldText = pg::SetTextColor(DC, pg::GetSysColor(pg::COLOR_BTNTEXT));
    const pg::COLORREF OldBk = pg::SetBkColor(DC, pg::GetSysColor(pg::COLOR_BTNFACE));
    pg::DrawText(DC, Text.data(), static_cast<int>(Text.size()), &T,
                 pg::DT_CENTER | pg::DT_VCENTER | pg::DT_SINGLELINE);
    pg::SetBkColor(DC, OldBk);
    pg::SetTextColor(DC, OldText);
    pg::SetBkMode(DC, OldMode);
}

// --- Item backgrounds, glyph cell, captions ---

void P::DrawBackground(const Item& AItem, HDC DC, const TRect& R, HBRUSH Brush, bool Opaque) const {
    if (Opaque || AItem.Parent == nullptr) {
        pg::FillRect(DC, &R, Brush);
        return;
    }
    Bar& Window = *AItem.Parent;
    if (Window.Kind == bckSubMenu) {
        // The menu draws a non-recent entry on its non-recent brush for the call only.
        Window.NonRecent = AItem.NonRecent;
        DrawSubMenuBackground(Window, DC, R, Brush);
        Window.NonRecent = false;
    } else if (Window.DockSite != nullptr) {
        DrawDockedBarBackground(Window, DC, R);
    } else {
        FillBarBackground(Window, DC, R, Brush);
    }
}

void P::DrawBackgroundFrame(const Item& AItem, HDC DC, const TRect& R, HBRUSH Brush,
                            bool Opaque) const {
    if (Opaque) {
        pg::FrameRect(DC, &R, Brush);
        return;
    }
    TdxClipRgnSave Saved = SaveClipRgn(DC);
    const TRect Inner = Shrunk(R, 1, 1);
    pg::ExcludeClipRect(DC, Inner.Left, Inner.Top, Inner.Right, Inner.Bottom);
    DrawBackground(AItem, DC, R, Brush, false);
    RestoreClipRgn(DC, Saved);
}

void P::DrawGlyph(const Item& AItem, const TRect& R, const States& S, const TRect* GlyphRect,
                  bool ForceGlyph) const {
    TdxBarManager* Manager = AItem.Manager();
    int CellW = R.Right - R.Left, CellH = R.Bottom - R.Top;
    if (!AItem.PlainImage && Manager) {
        if (S.PaintType == ptHorz) CellW = Manager->ButtonWidth();
        if (S.PaintType == ptVert) CellH = Manager->ButtonHeight();
    }
    TdxBarGlyphSource Source;
    bool HasGlyph = false;
    if (AItem.Item) {
        platform::forms::TBitmap& Bitmap = AItem.Item->Glyph();
        const int Index = AItem.Item->ImageIndex();
        if (!Bitmap.Empty()) {
            Source.Glyph = &Bitmap;
            HasGlyph = true;
        } else if (Manager && Manager->Images() && Index >= 0 &&
                   Index < Manager->Images()->Count()) {
            Source.Images = Manager->Images();
            Source.ImageIndex = Index;
            HasGlyph = true;
        }
    }
    TRect Cell{R.Left, R.Top, R.Left + CellW, R.Top + CellH};
    if (GlyphRect != nullptr) Cell = *GlyphRect;
    DrawGlyphCell(AItem, Cell, S, Source, !HasGlyph, ForceGlyph);
}

void P::DrawGlyphCell(const Item& AItem, const TRect& Cell, const States& S,
                      const TdxBarGlyphSource& Source, bool NoImage, bool ForceGlyphSize) const {
    const HDC DC = BarDC(AItem);
    int GW = 16, GH = 16;
    if (ForceGlyphSize || NoImage) {
        if (AItem.Manager()) GW = GH = AItem.Manager()->ImageSize();
    } else if (HasPixels(Source.Glyph)) {
        GW = Source.Glyph->Width();
        GH = Source.Glyph->Height();
    } else if (Source.Images) {
        GW = Source.Images->Width();
        GH = Source.Images->Height();
    }
    // Only a cell with a pixel to spare on every side gets a frame.
    const bool Framed = Cell.Right - Cell.Left >= GW + 2 && Cell.Bottom - Cell.Top >= GH + 2;
    const HBRUSH Brush = GetGlyphCellBrush(AItem, S);
    if (DrawsGlyphFrameFirst()) DrawGlyphFrame(AItem, DC, S, Cell, Framed, Brush);
    if (!NoImage)
        DrawGlyphImage(AItem, DC, Cell, S, Source, Framed);
    else
        DrawCheckCell(AItem, DC, Cell, S, Brush, Framed);
    if (!DrawsGlyphFrameFirst()) DrawGlyphFrame(AItem, DC, S, Cell, Framed, Brush);
}

void P::DrawCaption(const Item& AItem, HDC DC, const TRect& R, const std::string& Text,
                    bool Selected, bool Enabled, bool Highlight, bool Clip, bool Vertical,
                    int Alignment) const {
    pg::SetBkMode(DC, pg::TRANSPARENT);
    unsigned Flags = pg::DT_SINGLELINE;
    if (!Clip) Flags |= pg::DT_NOCLIP;
    TdxClipRgnSave Saved;
    const bool ClipVertical = Clip && Vertical;
    if (ClipVertical) {
        Flags |= pg::DT_NOCLIP;
        Saved = SaveClipRgn(DC);
        pg::IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    }
    TColor Emboss, TextColor;
    GetTextColors(AItem, Enabled, Selected, Highlight && IsHotTrackStyle(), Emboss, TextColor);

    std::string Shown = Text;
    TRect T = R;
    std::size_t Accel = std::string::npos;
    int UnderlineFrom = 0, UnderlineLength = 0, TextHeight = 0;
    if (!Vertical) {
        Flags |= static_cast<unsigned>(Alignment) | pg::DT_VCENTER;
    } else {
        // The font is turned by the caller, so the text drawer cannot underline: the markers
        // go and the underline is drawn here.
        Accel = AccelPosition(Text);
        if (Accel != std::string::npos) {
            Shown = RemoveAccelChars(Text);
            Flags |= pg::DT_NOPREFIX;
            const std::string Before = RemoveAccelChars(Text.substr(0, Accel) + "_");
            UnderlineFrom = Extent(DC, Before.substr(0, Before.size() - 1)).cx;
            UnderlineLength = Extent(DC, Text.substr(Accel + 1, 1)).cx;
        }
        const pg::TSize Size = Extent(DC, Shown);
        TextHeight = Size.cy;
        const int Height = R.Bottom - R.Top, Width = R.Right - R.Left;
        int Offset = 0;
        if (Alignment == 1) Offset = (Height - Size.cx) / 2;
        if (Alignment == 2) Offset = Height - Size.cx;
        T = {R.Left + (Width + TextHeight) / 2, R.Top + Offset, R.Right, R.Bottom};
    }
    auto Draw = [&](const TRect& At, TColor Color) {
        pg::SetTextColor(DC, pg::ColorToRGB(Color));
        TRect Box = At;
        pg::DrawText(DC, Shown.data(), static_cast<int>(Shown.size()), &Box, Flags);
        if (!Vertical || Accel == std::string::npos || UnderlineLength <= 0) return;
        // One pixel on the baseline side of the turned text, along the accelerator.
        const TRect Line{At.Left - TextHeight, At.Top + UnderlineFrom, At.Left - TextHeight + 1,
                         At.Top + UnderlineFrom + UnderlineLength};
        const HBRUSH B = pg::CreateSolidBrush(pg::ColorToRGB(Color));
        pg::FillRect(DC, &Line, B);
        pg::DeleteObject(B);
    };
    if (Emboss != TextColor) Draw({T.Left + 1, T.Top + 1, T.Right + 1, T.Bottom + 1}, Emboss);
    Draw(T, TextColor);
    if (ClipVertical) RestoreClipRgn(DC, Saved);
    pg::SetBkMode(DC, pg::OPAQUE);
}

void P::DrawBorder(HDC DC, TRect& R, int Width, int Style) const {
    if (Style == 0) return;
    if (Style == 4) {
        Edge(DC, R, pg::BDR_RAISEDINNER, pg::BF_RECT);
        R = Shrunk(R, 1, 1);
        Edge(DC, R, pg::BDR_SUNKENOUTER, pg::BF_RECT);
        R = Shrunk(R, 1, 1);
        return;
    }
    const unsigned Kinds[] = {pg::BDR_SUNKENOUTER, pg::BDR_RAISEDINNER, pg::EDGE_ETCHED};
    Edge(DC, R, Kinds[std::clamp(Style, 1, 3) - 1], pg::BF_RECT);
    R = Shrunk(R, Width, Width);
}

// --- Bar window backgrounds ---

void P::DrawDockControlBackground(const Dock&, HDC DC, const TRect& R, HBRUSH Brush) const {
    FillBackground(DC, R, R, nullptr, pg::COLOR_BTNFACE, Brush);
}

void P::DrawDockedBarBackground(const Bar& ABar, HDC DC, const TRect& R) const {
    if (ABar.DockSite == nullptr) {
        FillBarBackground(ABar, DC, R, GetToolbarBrush(ABar));
        return;
    }
    // The dock site paints in its own coordinates: the window's position moves the source.
    const TRect Source{R.Left + ABar.Position.X, R.Top + ABar.Position.Y, R.Right + ABar.Position.X,
                       R.Bottom + ABar.Position.Y};
    const Dock& Site = *ABar.DockSite;
    if (HasPixels(Site.BackgroundBitmap))
        FillBackground(DC, R, Source, Site.BackgroundBitmap, pg::COLOR_BTNFACE, Site.BkBrush);
    else
        DrawDockControlBackground(Site, DC, R, Site.BkBrush);
}

void P::FillBarBackground(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const {
    platform::forms::TBitmap* Bitmap = nullptr;
    if (ABar.Manager && ABar.Manager->Backgrounds()) Bitmap = &ABar.Manager->Backgrounds()->Bar();
    FillBackground(DC, R, R, Bitmap, pg::COLOR_BTNFACE, Brush);
}

void P::DrawOwnerJoin(const Bar& ABar, HDC DC) const {
    const TRect& J = ABar.OwnerJoinRect;
    if (J.Right <= J.Left || J.Bottom <= J.Top || ABar.Manager == nullptr) return;
    pg::FillRect(DC, &J, GetLightBkBrush(*ABar.Manager));
}

// --- Toolbar parts ---

void P::DrawToolbarSeparator(const Bar& ABar, HDC DC, const TRect& R, bool Across,
                             HBRUSH Brush) const {
    const int D = GetToolbarSeparatorOffset();
    TRect Line = R;
    if (Across) {
        FillBarBackground(ABar, DC, {R.Left, R.Top, R.Right, R.Top + D}, Brush);
        FillBarBackground(ABar, DC, {R.Left, R.Bottom - D, R.Right, R.Bottom}, Brush);
        Line.Top += D;
        Line.Bottom -= D;
        Edge(DC, Line, pg::EDGE_ETCHED, pg::BF_TOP);
    } else {
        FillBarBackground(ABar, DC, {R.Left, R.Top, R.Left + D, R.Bottom}, Brush);
        FillBarBackground(ABar, DC, {R.Right - D, R.Top, R.Right, R.Bottom}, Brush);
        Line.Left += D;
        Line.Right -= D;
        Edge(DC, Line, pg::EDGE_ETCHED, pg::BF_LEFT);
    }
}

void P::DrawCloseButtonBackground(const Bar& ABar, HDC DC, const TRect& R, int State) const {
    if (State == 0) {
        const HBRUSH B = pg::CreateSolidBrush(pg::ColorToRGB(GetCaptionColor(ABar.Active)));
        pg::FillRect(DC, &R, B);
        pg::DeleteObject(B);
        return;
    }
    FrameRectHighlight(DC, R);
    const TRect Inner = Shrunk(R, 1, 1);
    pg::FillRect(DC, &Inner, State == 1 ? GetHotBrush(ABar) : GetDownBrush(ABar));
}

void P::DrawSizeGripArea(const Bar& ABar, HDC DC, const TRect& R) const {
    const TRect Grip{R.Left, std::max(R.Top, R.Bottom - GetSizeGripSize().cy), R.Right, R.Bottom};
    if (Grip.Top > R.Top)
        FillBarBackground(ABar, DC, {R.Left, R.Top, R.Right, Grip.Top}, GetToolbarBrush(ABar));
    DrawSizeGrip(ABar, DC, Grip);
}

void P::DrawStatusBarBorder(const Bar& ABar, HDC DC, const TRect& R) const {
    FillBarBackground(ABar, DC, R, GetToolbarBrush(ABar));
}

void P::InvalidateMark(const Bar& ABar) const {
    if (ABar.OnInvalidate) ABar.OnInvalidate(GetMarkRect(ABar));
}

void P::DrawToolbarBackground(const Bar&, HDC DC, const TRect& R, HBRUSH Brush) const {
    FillBackground(DC, R, R, nullptr, pg::COLOR_BTNFACE, Brush);
}

// --- Menu windows ---

int P::GetSubItemTextIndent(const Item& AItem) const {
    TdxBarManager* Manager = AItem.Manager();
    return Manager ? -Manager->Font().Height() / 2 : 0;
}

void P::CalcSubMenuItemSize(const Bar&, HDC DC, int ItemHeight, int& ReferenceGlyphSize,
                            int& ExpandButtonHeight, int& WidthMetric) const {
    ReferenceGlyphSize = 19;
    ExpandButtonHeight = Extent(DC, "0").cy + 1;
    const int Arrow = GetSubMenuArrowSize(ExpandButtonHeight);
    if (Arrow % 2 != 0) ExpandButtonHeight = (Arrow - 1) * 2 + 6;
    WidthMetric = 3 * (ItemHeight / 4) + 1;
}

void P::CalcSubMenuRect(const Bar& AMenu, bool Measuring, int& LowestBottom,
                        TRect& ItemArea) const {
    const int ClientW = AMenu.ClientRect.Right - AMenu.ClientRect.Left;
    const int ClientH = AMenu.ClientRect.Bottom - AMenu.ClientRect.Top;
    ItemArea = {AMenu.BarSize + 2, AMenu.Detachable ? 0 : 2, ClientW - 2, ClientH - 2};
    if (Measuring) {
        LowestBottom = 0x7FFFFFFF;
        return;
    }
    LowestBottom = ClientH - 2 - (AMenu.ChevronOffered ? AMenu.ChevronHeight : 0);
}

void P::CalcSubMenuSize(const Bar& AMenu, TSize& Size) const {
    if (Size.cx == 0)
        Size.cx = 100;
    else
        Size.cx += GetSubMenuBorderSize() + 6 + AMenu.BarSize;
    if (Size.cy <= 2 || AMenu.ChevronOffered) Size.cy += AMenu.ChevronHeight;
    Size.cy += 4;
    if (AMenu.Detachable) Size.cy += GetDetachCaptionAreaSize(AMenu);
}

void P::DrawSubMenuBackground(const Bar& AMenu, HDC DC, const TRect& R, HBRUSH Brush) const {
    const HBRUSH Fill =
        AMenu.NonRecent && AMenu.NonRecentBrush != HBRUSH{} ? AMenu.NonRecentBrush : Brush;
    FillBackground(DC, R, R, AMenu.BackgroundBitmap, pg::COLOR_BTNFACE, Fill);
}

void P::DrawDetachCaption(const Bar& AMenu, HDC DC, const TRect& R) const {
    const HBRUSH Face = SystemBrushValue(pg::COLOR_BTNFACE);
    const TRect Bottom{R.Left, R.Bottom - 1, R.Right, R.Bottom};
    const TRect Top{R.Left, R.Top, R.Right, R.Top + 1};
    pg::FillRect(DC, &Bottom, Face);
    pg::FillRect(DC, &Top, Face);
    Edge(DC, R, pg::BDR_RAISEDOUTER, pg::BF_RIGHT | pg::BF_BOTTOM);
    if (!AMenu.Detachable) return;
    TRect Strip = Shrunk(R, 1, 1);
    Edge(DC, Strip, pg::BDR_RAISEDINNER, pg::BF_LEFT | pg::BF_TOP | pg::BF_RIGHT);
    Strip = Shrunk(Strip, 1, 1);
    Strip.Bottom = Strip.Top + GetDetachCaptionHeight() - 1;
    pg::FrameRect(DC, &Strip, Face);
    FillDetachCaption(AMenu, DC, Shrunk(Strip, 1, 1));
}

void P::DrawSubMenuBorder(const Bar& AMenu, HDC DC, HBRUSH Brush, const TRect& R) const {
    TRect B = R;
    if (AMenu.Detachable) B.Top -= 2;
    Edge(DC, B, pg::BDR_RAISEDINNER, pg::BF_RECT);
    B = Shrunk(B, 1, 1);
    pg::FrameRect(DC, &B, Brush);
}

void P::DrawSubMenuSeparatorLine(HDC DC, const TRect& R) const {
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    const int Indent = GetMenuSeparatorIndent();
    Edge(DC, {R.Left + Indent, R.Top, R.Right - Indent, R.Bottom}, pg::EDGE_ETCHED, pg::BF_TOP);
}

// --- Edits and combo lists ---

void P::DrawEditItemText(const Item& AItem, pg::TCanvas& Canvas, const TRect& R, int Index,
                         const std::string& Text) const {
    Canvas.FillRect(R);
    TRect T{R.Left + 2, R.Top, R.Right - 2, R.Bottom};
    AdjustEditTextRect(T);
    const std::string& Shown = Index == AItem.ItemIndex ? AItem.Text : Text;
    const HDC DC = Canvas.Handle();
    pg::SetBkMode(DC, pg::TRANSPARENT);
    pg::DrawText(DC, Shown.data(), static_cast<int>(Shown.size()), &T, pg::DT_NOPREFIX);
    pg::SetBkMode(DC, pg::OPAQUE);
}

void P::DrawComboListItem(const Item& AItem, pg::TCanvas& Canvas, int Index, const TRect& R,
                          int) const {
    std::string Text = AItem.Text;
    if (Index >= 0 && Index < static_cast<int>(AItem.Entries.size()))
        Text = AItem.Entries[static_cast<std::size_t>(Index)];
    Canvas.FillRect(R);
    Canvas.TextOut(R.Left + 2, R.Top, Text);
}

// --- Further item kinds ---

void P::DrawPushButton(HDC DC, TRect& R, const std::string& Text, bool Pressed) const {
    if (!Pressed) {
        auto Side = [DC](int Color, int X1, int Y1, int X2, int Y2) {
            const pg::HPEN Pen = pg::CreatePen(pg::PS_SOLID, 1, pg::GetSysColor(Color));
            const pg::HGDIOBJ Old = pg::SelectObject(DC, Pen);
            pg::MoveToEx(DC, X1, Y1, nullptr);
            pg::LineTo(DC, X2, Y2);
            pg::SelectObject(DC, Old);
            pg::DeleteObject(Pen);
        };
        const int L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 1;
        const TRect Face = Shrunk(R, 2, 2);
        pg::FillRect(DC, &Face, SystemBrushValue(pg::COLOR_BTNFACE));
        Side(pg::COLOR_BTNFACE, L, B, L, T);
        Side(pg::COLOR_BTNFACE, L, T, Rt, T);
        Side(pg::COLOR_BTNTEXT, Rt, T, Rt, B);
        Side(pg::COLOR_BTNTEXT, L, B, Rt + 1, B);
        Side(pg::COLOR_BTNHIGHLIGHT, L + 1, B - 1, L + 1, T + 1);
        Side(pg::COLOR_BTNHIGHLIGHT, L + 1, T + 1, Rt - 1, T + 1);
        Side(pg::COLOR_BTNSHADOW, Rt - 1, T + 1, Rt - 1, B - 1);
        Side(pg::COLOR_BTNSHADOW, L + 1, B - 1, Rt, B - 1);
    } else {
        pg::FrameRect(DC, &R, SystemBrushValue(pg::COLOR_BTNTEXT));
        const TRect Face = Shrunk(R, 1, 1);
        pg::FillRect(DC, &Face, SystemBrushValue(pg::COLOR_BTNFACE));
    }
    R = Shrunk(R, 2, 2);
    DrawButtonText(DC, Text, R, Pressed);
}

void P::DrawProgressBar(const Item& AItem, HDC DC, const TRect& R, int Min, int Max, int Position,
                        bool Vertical, bool Solid, TColor Color) const {
    const HBRUSH Background = AItem.Parent ? AItem.Parent->BkBrush : HBRUSH{};
    const int Length = Vertical ? R.Bottom - R.Top : R.Right - R.Left;
    const int Thickness = Vertical ? R.Right - R.Left : R.Bottom - R.Top;
    // An empty range draws an empty bar rather than dividing by zero.
    const int Bar = Max == Min ? 0
                               : std::clamp(static_cast<int>(static_cast<long long>(Length) *
                                                             (Position - Min) / (Max - Min)),
                                            0, Length);
    auto Part = [&](int From, int To) {
        return Vertical ? TRect{R.Left, R.Bottom - To, R.Right, R.Bottom - From}
                        : TRect{R.Left + From, R.Top, R.Left + To, R.Bottom};
    };
    auto FillBack = [&](const TRect& Area) {
        FillBackground(DC, Area, Area, nullptr, pg::COLOR_BTNFACE, Background);
    };
    const HBRUSH Brush = pg::CreateSolidBrush(pg::ColorToRGB(Color));
    if (Solid) {
        const TRect Filled = Part(0, Bar);
        pg::FillRect(DC, &Filled, Brush);
    } else {
        const int Block = std::max(1, Thickness * 2 / 3);
        for (int At = 0; At < Bar; At += Block + 2) {
            const TRect B = Part(At, std::min(At + Block, Bar));
            pg::FillRect(DC, &B, Brush);
            if (At + Block < Bar) FillBack(Part(At + Block, std::min(At + Block + 2, Bar)));
        }
    }
    pg::DeleteObject(Brush);
    if (Bar < Length) FillBack(Part(Bar, Length));
}

} // namespace toolkit::bars
