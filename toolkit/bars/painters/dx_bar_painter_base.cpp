// The base painter's bodies that do real drawing: backgrounds, the glyph cell, captions,
// toolbar parts, menu window parts and the rarer item kinds. The styles inherit them and call
// back into them, so each asks the painter it runs on for every sister answer.

#include "toolkit/bars/model/dx_bar_backgrounds.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/bars/painters/dx_bar_painter.h"
#include "toolkit/bars/painters/dx_bar_painter_support.h"

#include "toolkit/base/office11.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/region.h"
#include "platform/gdi/text_out.h"

#include <algorithm>
#include <iterator>

namespace toolkit::bars {

namespace pg = platform::gdi;

using P = TdxBarItemControlPainter;
using TRect = pg::TRect;
using HDC = pg::HDC;
using HBRUSH = pg::HBRUSH;
using TColor = pg::TColor;

namespace {

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

int MulDiv(int A, int B, int C) {
    return static_cast<int>(static_cast<long long>(A) * B / C);
}

bool HasImage(const platform::forms::TImageList* Images, int Index) {
    return Images != nullptr && Index >= 0 && Index < Images->Count();
}

// The manager's list an item's image comes from in a state: the large list in a toolbar with
// large icons (when large images are used), the hot list for the small image under the mouse,
// the disabled lists for a disabled item (each falling back to the list for the enabled look).
// Disabled tells whether the list holds the disabled look itself.
const platform::forms::TImageList* ImagesFor(const TdxBarItemControlState& AItem,
                                             const TdxBarItemStates& S, bool& Disabled) {
    Disabled = false;
    TdxBarManager* Manager = AItem.Manager();
    if (Manager == nullptr || AItem.Item == nullptr) return nullptr;
    const bool Large =
        S.PaintType != ptMenu && Manager->LargeIcons() && Manager->CanUseLargeImages();
    platform::forms::TImageList* Enabled = Large ? Manager->LargeImages() : Manager->Images();
    if (S.Enabled) {
        if (!Large && S.Selected && HasImage(Manager->HotImages(), AItem.Item->ImageIndex()))
            return Manager->HotImages();
        return Enabled;
    }
    platform::forms::TImageList* Own =
        Large ? Manager->DisabledLargeImages() : Manager->DisabledImages();
    Disabled = Own != nullptr;
    return Own ? Own : Enabled;
}

// Whether the item has an image of its own to show.
bool ItemHasGlyph(const TdxBarItemControlState& AItem) {
    if (AItem.Item == nullptr) return false;
    if (!AItem.Item->Glyph().Empty()) return true;
    TdxBarItemStates S;
    S.Enabled = AItem.Item->Enabled();
    if (AItem.Parent && AItem.Parent->Kind == bckSubMenu) S.PaintType = ptMenu;
    bool Disabled = false;
    return HasImage(ImagesFor(AItem, S, Disabled), AItem.Item->ImageIndex());
}

// The width of Text in the font of the item's menu, else in the manager's bar font (the system
// default font without a manager).
int BarTextWidth(const TdxBarItemControlState& AItem, const std::string& Text) {
    const HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    pg::HGDIOBJ Old{};
    if (AItem.Parent && AItem.Parent->FontHandle != pg::HFONT{})
        Old = pg::SelectObject(DC, AItem.Parent->FontHandle);
    else if (TdxBarManager* Manager = AItem.Manager())
        Old = pg::SelectObject(DC, Manager->Font().Handle());
    const int Width = Extent(DC, Text).cx;
    if (Old != pg::HGDIOBJ{}) pg::SelectObject(DC, Old);
    pg::DeleteDC(DC);
    return Width;
}

// A triangle of Size pointing up or down with its apex column at CX, its rows from Top.
void UpDownTriangle(HDC DC, pg::COLORREF Color, int CX, int Top, int Size, bool Up) {
    const int Base = Up ? Top + Size - 1 : Top, Apex = Up ? Top : Top + Size - 1;
    SolidTriangle(DC, Color, {{CX - (Size - 1), Base}, {CX + Size - 1, Base}, {CX, Apex}});
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
    DrawCheckMark(AItem, DC, (R.Left + R.Right - 9 * Scale) / 2, (R.Top + R.Bottom - 7 * Scale) / 2,
                  Scale, S.Enabled);
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
    DrawBarItemGlyph(DC, GlyphParams(AItem, Cell, S, Source, Bitmapped && !AItem.NonRecent));
}

TdxBarGlyphParams P::GlyphParams(const Item& AItem, const TRect& Cell, const States& S,
                                 const TdxBarGlyphSource& Source, bool CopyBackground) const {
    const bool UseBitmap = HasPixels(Source.Glyph);
    const int GW = UseBitmap ? Source.Glyph->Width() : Source.Images ? Source.Images->Width() : 0;
    const int GH = UseBitmap ? Source.Glyph->Height() : Source.Images ? Source.Images->Height() : 0;
    const int X = (Cell.Left + Cell.Right - GW) / 2, Y = (Cell.Top + Cell.Bottom - GH) / 2;
    TdxBarGlyphParams G;
    G.Brush = GetGlyphCellBrush(AItem, S);
    G.ItemRect = Cell;
    G.GlyphRect = {X, Y, X + GW, Y + GH};
    // DrawGlyph's scaled and offset place, where it gave one.
    const TRect& Given = Source.GlyphRect;
    if (Given.Right > Given.Left && Given.Bottom > Given.Top) G.GlyphRect = Given;
    G.Glyph = Source.Glyph;
    G.Images = Source.Images;
    G.ImageIndex = Source.ImageIndex;
    G.Enabled = S.Enabled || Source.DisabledImage;
    G.Selected = S.Selected;
    G.Down = S.Pressed || S.Down || AItem.Checked;
    G.CopyBackground = CopyBackground;
    if (AItem.Parent) {
        const TColor Faded = GetFadedImageColor(*AItem.Parent);
        G.TintColor = Faded == clNoColor ? pg::clNone : Faded;
    }
    if (AItem.Manager()) G.ImageListBkColor = AItem.Manager()->ImageListBkColor();
    return G;
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
    } else if (Window.OnFillBackground) {
        Window.OnFillBackground(DC, R);
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
    // A main-menu entry, or a row of the quick-customise bar, that shows only its caption is
    // framed as a whole, as a caption-only button is: its cell is the entry, not a glyph's
    // square.
    const bool WholeEntry =
        AItem.Parent != nullptr &&
        (AItem.Parent->Bar.IsMainMenu || AItem.Parent->Kind == bckQuickCustomize) &&
        AItem.Parent->ShowsCaptions && AItem.ShowsCaption && !ItemHasGlyph(AItem);
    if (!AItem.PlainImage && Manager && !WholeEntry) {
        if (S.PaintType == ptHorz) CellW = Manager->ButtonWidth();
        if (S.PaintType == ptVert) CellH = Manager->ButtonHeight();
    }
    TdxBarGlyphSource Source;
    bool HasGlyph = false;
    if (AItem.Item) {
        platform::forms::TBitmap& Bitmap = AItem.Item->Glyph();
        const int Index = AItem.Item->ImageIndex();
        bool Disabled = false;
        if (!Bitmap.Empty()) {
            Source.Glyph = &Bitmap;
            HasGlyph = true;
        } else if (const auto* Images = ImagesFor(AItem, S, Disabled); HasImage(Images, Index)) {
            Source.Images = Images;
            Source.ImageIndex = Index;
            Source.DisabledImage = Disabled;
            HasGlyph = true;
        }
    }
    TRect Cell{R.Left, R.Top, R.Left + CellW, R.Top + CellH};
    if (GlyphRect != nullptr) Cell = *GlyphRect;
    if (HasGlyph || ForceGlyph) {
        int GW = Source.Glyph ? Source.Glyph->Width() : Source.Images ? Source.Images->Width() : 0;
        int GH = Source.Glyph    ? Source.Glyph->Height()
                 : Source.Images ? Source.Images->Height()
                                 : 0;
        if (S.PaintType == ptMenu) {
            const int Reference = AItem.Parent ? AItem.Parent->ReferenceGlyphSize : 0;
            if (AItem.Parent && AItem.Parent->ScaleMenuGlyphs && Reference > 0) {
                GW = MulDiv(GW, AItem.PlainImage ? CellH : CellW, Reference);
                GH = MulDiv(GH, CellH, Reference);
            }
        } else if (Manager && Manager->LargeIcons()) {
            if (Manager->CanUseLargeImages()) {
                GW = Manager->LargeImages()->Width();
                GH = Manager->LargeImages()->Height();
            } else {
                GW *= 2;
                GH *= 2;
            }
        }
        int X = Cell.Left + (Cell.Right - Cell.Left - GW) / 2;
        int Y = Cell.Top + (Cell.Bottom - Cell.Top - GH) / 2;
        int Offset = S.Down ? GetDownGlyphOffset(AItem) : 0;
        if (S.Pressed) Offset += GetPressedGlyphOffset(AItem, S.Down);
        X += Offset;
        Y += Offset;
        Source.GlyphRect = {X, Y, X + GW, Y + GH};
    }
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
    const TRect Grip{R.Left, std::max(R.Top, R.Bottom - GetSizeGripSize(ABar).cy), R.Right,
                     R.Bottom};
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

void P::CalcSubMenuItemSize(const Bar&, HDC DC, int& ItemHeight, int& ReferenceGlyphSize,
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
    const HBRUSH Face = SysBrushValue(pg::COLOR_BTNFACE);
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

void P::DrawPushButton(const Item&, HDC DC, TRect& R, const std::string& Text, bool Pressed) const {
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
        pg::FillRect(DC, &Face, SysBrushValue(pg::COLOR_BTNFACE));
        Side(pg::COLOR_BTNFACE, L, B, L, T);
        Side(pg::COLOR_BTNFACE, L, T, Rt, T);
        Side(pg::COLOR_BTNTEXT, Rt, T, Rt, B);
        Side(pg::COLOR_BTNTEXT, L, B, Rt + 1, B);
        Side(pg::COLOR_BTNHIGHLIGHT, L + 1, B - 1, L + 1, T + 1);
        Side(pg::COLOR_BTNHIGHLIGHT, L + 1, T + 1, Rt - 1, T + 1);
        Side(pg::COLOR_BTNSHADOW, Rt - 1, T + 1, Rt - 1, B - 1);
        Side(pg::COLOR_BTNSHADOW, L + 1, B - 1, Rt, B - 1);
    } else {
        pg::FrameRect(DC, &R, SysBrushValue(pg::COLOR_BTNTEXT));
        const TRect Face = Shrunk(R, 1, 1);
        pg::FillRect(DC, &Face, SysBrushValue(pg::COLOR_BTNFACE));
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

// --- Floating caption ---

namespace {
// The caption's font: the desktop's small-caption font, its default interface font, in the
// manager's face unless the manager takes the system font.
pg::HFONT CreateFloatingCaptionFont(const TdxBarPaintedBar& ABar) {
    pg::LOGFONT Log;
    pg::GetObject(pg::GetStockObject(pg::DEFAULT_GUI_FONT), sizeof(Log), &Log);
    if (ABar.Manager && !ABar.Manager->UseSystemFont()) {
        if (Log.lfHeight > -11) Log.lfHeight = -11;
        const std::string Face = ABar.Manager->Font().Name();
        std::fill(std::begin(Log.lfFaceName), std::end(Log.lfFaceName), '\0');
        Face.copy(Log.lfFaceName, sizeof(Log.lfFaceName) - 1);
    }
    return pg::CreateFontIndirect(Log);
}
} // namespace

int P::GetFloatingCaptionWidth(const Bar& ABar) const {
    const pg::HDC DC = pg::CreateCompatibleDC(pg::NullDC);
    const pg::HFONT Font = CreateFloatingCaptionFont(ABar);
    const pg::HGDIOBJ OldFont = pg::SelectObject(DC, Font);
    const int Text = ABar.Bar.Caption.empty() ? 0 : Extent(DC, ABar.Bar.Caption).cx;
    pg::SelectObject(DC, OldFont);
    pg::DeleteObject(Font);
    pg::DeleteDC(DC);
    // The text's margins, then the close button and the mark beside it.
    int Width = 2 + Text + 2;
    if (ABar.Bar.CanClose) Width += GetSmallCaptionHeight();
    if (ABar.CaptionShowsMark) Width += ABar.MarkWindowRect.Width() + 3;
    return Width;
}

void P::DrawFloatingCaption(const Bar& ABar, HDC DC, const TRect& R, HBRUSH Brush) const {
    const TRect Below{R.Left, R.Bottom, R.Right, R.Bottom + 1};
    pg::FillRect(DC, &Below, Brush);
    const bool Themed = HasThemedCaption();
    if (Themed) DrawFloatingCaptionBackground(ABar, DC, R, Brush);
    TRect T = R;
    if (ABar.Bar.CanClose) {
        T.Right -= GetSmallCaptionHeight();
        if (ABar.OnDrawCloseButton) ABar.OnDrawCloseButton(DC, {T.Right, R.Top, R.Right, R.Bottom});
    }
    int TextLeft = T.Left + 2;
    if (ABar.CaptionShowsMark) {
        TextLeft = T.Left;
        GetFloatingCaptionTextLeft(ABar, TextLeft, T);
    }
    if (T.Right > T.Left) {
        const pg::HFONT Font = CreateFloatingCaptionFont(ABar);
        const pg::HGDIOBJ OldFont = pg::SelectObject(DC, Font);
        const std::string& Text = ABar.Bar.Caption;
        pg::SetTextColor(DC, pg::ColorToRGB(GetCaptionTextColor()));
        pg::SetBkColor(DC, pg::ColorToRGB(GetCaptionColor(ABar.Active)));
        if (Themed) pg::SetBkMode(DC, pg::TRANSPARENT);
        const int TextHeight = Extent(DC, Text.empty() ? std::string("0") : Text).cy;
        pg::ExtTextOut(DC, TextLeft, (T.Top + T.Bottom - TextHeight) / 2,
                       Themed ? pg::ETO_CLIPPED : pg::ETO_CLIPPED | pg::ETO_OPAQUE, &T, Text.data(),
                       static_cast<int>(Text.size()), nullptr);
        if (Themed) pg::SetBkMode(DC, pg::OPAQUE);
        pg::SelectObject(DC, OldFont);
        pg::DeleteObject(Font);
    }
    if (ABar.CaptionShowsMark && ABar.OnDrawMark) ABar.OnDrawMark(DC);
}

// --- Sub-items ---

int P::CalcSubItemHeight(const Item& AItem) const {
    if (AItem.Parent == nullptr) return 0;
    const Bar& Window = *AItem.Parent;
    if (Window.Kind != bckSubMenu) return Window.RowSize;
    TdxBarManager* Manager = AItem.Manager();
    int Height = 0;
    const bool Captions = Window.ShowsCaptions && AItem.ShowsCaption;
    if ((ItemHasGlyph(AItem) || !Captions) && Manager)
        Height = Window.Rotated ? Manager->ButtonWidth() : Manager->ButtonHeight();
    return std::max(Height, Window.RowSize);
}

int P::CalcSubItemWidth(const Item& AItem) const {
    if (AItem.Parent == nullptr) return 0;
    const Bar& Window = *AItem.Parent;
    const std::string Caption = RemoveAccelChars(ItemCaption(AItem));
    if (Window.Kind == bckSubMenu) return BarTextWidth(AItem, Caption) + 2 * Window.RowSize + 3;
    TdxBarManager* Manager = AItem.Manager();
    // A sub-item without its caption is as wide as a button.
    const bool Captions = Window.ShowsCaptions && AItem.ShowsCaption;
    int Width = Captions ? BarTextWidth(AItem, Caption) : 0;
    if (ItemHasGlyph(AItem) || !Captions) {
        if (Manager) Width += Window.Rotated ? Manager->ButtonHeight() : Manager->ButtonWidth();
        if (Captions) Width += 4;
    } else {
        Width += 2 * GetSubItemTextIndent(AItem);
    }
    if (!Window.Bar.IsMainMenu) Width += Window.RowSize / 2;
    return Width;
}

void P::DrawSubItem(const Item& AItem, HDC DC, const States& S, bool Highlighted,
                    const TRect& R) const {
    if (AItem.Parent == nullptr) return;
    const Bar& Window = *AItem.Parent;
    const bool Enabled = ItemEnabled(AItem);
    const int ArrowSize = S.PaintType == ptMenu ? Window.ArrowSize : Window.ArrowSize - 1;
    if (S.PaintType == ptMenu) {
        DrawMenuButton(AItem, DC, R, S);
        const TRect Area{R.Right - Window.ArrowAreaWidth, R.Top, R.Right, R.Bottom};
        DrawItemArrow(DC, Area, ArrowSize, false, Enabled, Highlighted, false);
        return;
    }
    const bool Vertical = S.PaintType == ptVert;
    DrawGlyph(AItem, R, S);
    TdxBarManager* Manager = AItem.Manager();
    TRect T = R;
    int Skip = 0;
    if (!ItemHasGlyph(AItem) && Window.ShowsCaptions)
        Skip = GetSubItemTextIndent(AItem);
    else if (Manager)
        Skip = Vertical ? Manager->ButtonHeight() : Manager->ButtonWidth();
    (Vertical ? T.Top : T.Left) += Skip;
    if (Highlighted && !IsMainMenuItem(AItem))
        T = {T.Left + 1, T.Top + 1, T.Right + 1, T.Bottom + 1};
    if (Window.ShowsCaptions)
        DrawCaption(AItem, DC, T, ItemCaption(AItem), S.Selected, Enabled, Highlighted, false,
                    Vertical, 0);
    if (Window.Bar.IsMainMenu) return;
    // The arrow takes the half row the width reserves for it at the item's end.
    const int Half = Window.RowSize / 2;
    const TRect Area = Vertical ? TRect{R.Left, R.Bottom - Half, R.Right, R.Bottom}
                                : TRect{R.Right - Half, R.Top, R.Right, R.Bottom};
    DrawItemArrow(DC, Area, ArrowSize, !Vertical, Enabled, Highlighted, false);
}

// --- Menu window parts ---

void P::DrawSubMenuParts(const Bar& AMenu, HDC DC) const {
    if (AMenu.CanScrollUp) {
        const TRect& Up = AMenu.FirstVisibleRect;
        DrawSubMenuScrollArrow(AMenu, DC, true, Up);
        DrawSubMenuBackground(AMenu, DC, Up, GetSubMenuBrush(AMenu));
        pg::SelectClipRgn(DC, HRGN{});
    }
    TRect Area = AMenu.AfterLastRect;
    if (AMenu.CanScrollDown) DrawSubMenuScrollArrow(AMenu, DC, false, Area);
    if (AMenu.LastStartsGroup) {
        const TRect Line{Area.Left, Area.Top, Area.Right, Area.Top + 1};
        pg::FillRect(
            DC, &Line,
            SysBrushValue(AMenu.LastIsNonRecent ? pg::COLOR_BTNSHADOW : pg::COLOR_BTNHIGHLIGHT));
        ++Area.Top;
    }
    if (!IsEmpty(Area)) DrawSubMenuBackground(AMenu, DC, Area, GetSubMenuBrush(AMenu));
    if (AMenu.CanScrollDown) pg::SelectClipRgn(DC, HRGN{});
    TRect Rest{Area.Left, Area.Bottom, Area.Right, AMenu.ClientRect.Bottom - GetMenuShadowSize()};
    if (AMenu.ChevronOffered) {
        TRect Chevron{Rest.Left, Rest.Bottom - AMenu.ChevronHeight, Rest.Right, Rest.Bottom};
        Rest.Bottom = Chevron.Top;
        if (AMenu.ChevronHighlighted) {
            Edge(DC, Chevron, pg::BDR_RAISEDINNER, pg::BF_RECT);
            const TRect Inner = Shrunk(Chevron, 1, 1);
            pg::FillRect(DC, &Inner, AMenu.NonRecentBrush);
        } else {
            pg::FillRect(DC, &Chevron, AMenu.BkBrush);
        }
        DrawSubMenuChevron(AMenu, DC, AMenu.ChevronHighlighted, Chevron);
    }
    if (!IsEmpty(Rest)) pg::FillRect(DC, &Rest, AMenu.BkBrush);
}

void P::DrawSubMenuScrollArrow(const Bar& AMenu, HDC DC, bool Up, const TRect& R) const {
    const int Width = AMenu.ClientRect.Right - AMenu.ClientRect.Left;
    const int CX = AMenu.ClientRect.Left + AMenu.BarSize + (Width - AMenu.BarSize) / 2;
    const int Size = AMenu.ArrowSize;
    const int Top = (R.Top + R.Bottom - Size) / 2;
    UpDownTriangle(DC, pg::GetSysColor(pg::COLOR_BTNTEXT), CX, Top, Size, Up);
    // The triangle stays out of the fill that follows.
    const int Base = Up ? Top + Size : Top - 1, Apex = Up ? Top - 1 : Top + Size;
    const pg::TPoint Corners[3] = {{CX - Size, Base}, {CX + Size, Base}, {CX, Apex}};
    const HRGN Triangle = pg::CreatePolygonRgn(Corners, 3, pg::WINDING);
    pg::ExtSelectClipRgn(DC, Triangle, pg::RGN_DIFF);
    pg::DeleteObject(Triangle);
}

void P::DrawSubMenuChevron(const Bar& AMenu, HDC DC, bool Highlighted, const TRect& R) const {
    const bool Light = Highlighted && toolkit::base::IsHighContrastWhite();
    const pg::HPEN Pen = pg::CreatePen(
        pg::PS_SOLID, 1, pg::GetSysColor(Light ? pg::COLOR_BTNFACE : pg::COLOR_BTNTEXT));
    const pg::HGDIOBJ Old = pg::SelectObject(DC, Pen);
    const int A = AMenu.ArrowSize, Half = std::max(1, A / 2);
    const int CX = (R.Left + R.Right) / 2, Top = (R.Top + R.Bottom) / 2 - A;
    // Two chevrons one below the other, each as thick as half the arrow size.
    for (int Group = 0; Group < 2; ++Group)
        for (int Row = 0; Row < Half; ++Row) {
            const int Y = Top + Group * A + Row;
            const pg::TPoint V[3] = {{CX - Half, Y}, {CX, Y + Half}, {CX + Half + 1, Y - 1}};
            pg::Polyline(DC, V, 3);
        }
    pg::SelectObject(DC, Old);
    pg::DeleteObject(Pen);
}

void P::DrawSubMenuSeparator(const Bar& AMenu, HDC DC, const TRect& R, const Item& AItem) const {
    TRect Strip = R;
    HBRUSH Brush = AMenu.BkBrush;
    if (AItem.NonRecent) {
        Brush = GetBkBrush(AMenu);
        --Strip.Top;
    }
    AItem.SeparatorRect = Strip;
    const int Indent = GetMenuSeparatorIndent();
    const int LineTop = Strip.Top + (Strip.Bottom - Strip.Top - 2) / 2;
    const TRect Line{Strip.Left + Indent, LineTop, Strip.Right - Indent, LineTop + 2};
    const TRect Pieces[4] = {{Strip.Left, Strip.Top, Strip.Right, Line.Top},
                             {Strip.Left, Line.Bottom, Strip.Right, Strip.Bottom},
                             {Strip.Left, Line.Top, Line.Left, Line.Bottom},
                             {Line.Right, Line.Top, Strip.Right, Line.Bottom}};
    for (const TRect& Piece : Pieces)
        if (!IsEmpty(Piece)) DrawBackground(AItem, DC, Piece, Brush, false);
    Edge(DC, Line, pg::EDGE_ETCHED, pg::BF_TOP);
}

// --- Edit items ---

void P::DrawEditBorder(const Item& AItem, HDC DC, TRect& R, bool Selected) const {
    const bool Enabled = ItemEnabled(AItem);
    if (Selected)
        Edge(DC, R, pg::BDR_SUNKENOUTER, pg::BF_RECT);
    else
        DrawBackgroundFrame(AItem, DC, R, ParentBkBrush(AItem), AItem.NonRecent);
    R = Shrunk(R, 1, 1);
    DrawBackgroundFrame(AItem, DC, R,
                        Enabled ? ParentBkBrush(AItem) : SysBrushValue(pg::COLOR_BTNHIGHLIGHT),
                        !(!Selected && !AItem.NonRecent && Enabled));
    R = Shrunk(R, 1, 1);
}

void P::DrawEditCaption(const Item& AItem, HDC DC, TRect& R, const States& S) const {
    const bool InMenu = S.PaintType == ptMenu;
    const std::string Caption = ItemCaption(AItem);
    const TRect Area{R.Left, R.Top, R.Left + 2 + Extent(DC, RemoveAccelChars(Caption)).cx,
                     R.Bottom};
    const HBRUSH Brush =
        S.Selected && InMenu && AItem.Parent ? GetHotBrush(*AItem.Parent) : ParentBkBrush(AItem);
    DrawBackground(AItem, DC, Area, Brush, InMenu && (S.Selected || AItem.NonRecent));
    DrawCaption(AItem, DC, Area, Caption, S.Selected, ItemEnabled(AItem), S.Selected && InMenu,
                true, false, 0);
    const TRect Gap{Area.Right, R.Top, Area.Right + 4, R.Bottom};
    DrawBackground(AItem, DC, Gap, ParentBkBrush(AItem), InMenu && AItem.NonRecent);
    R.Left = Gap.Right;
}

void P::DrawItemEditorArea(const Item& AItem, pg::TCanvas& Canvas, const TRect& R) const {
    if (auto* Edit = dynamic_cast<TdxBarEdit*>(AItem.Item))
        Edit->DrawEditorArea(Canvas, R, AItem.Link ? AItem.Link->Control() : nullptr);
    else
        DrawEditItemText(AItem, Canvas, R, AItem.ItemIndex, AItem.Text);
}

void P::DrawEditContent(const Item& AItem, HDC DC, const TRect& R) const {
    TColor TextColor, BkColor;
    GetEditColors(AItem, TextColor, BkColor);
    TdxClipRgnSave Saved = SaveClipRgn(DC);
    pg::IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    {
        pg::TCanvas Canvas;
        Canvas.SetHandle(DC);
        if (TdxBarManager* Manager = AItem.Manager()) Canvas.Font().Assign(Manager->Font());
        Canvas.Font().SetColor(TextColor);
        Canvas.Brush().SetColor(BkColor);
        DrawItemEditorArea(AItem, Canvas, R);
        Canvas.SetHandle(pg::NullDC);
    }
    RestoreClipRgn(DC, Saved);
}

// --- Further item kinds ---

void P::DrawEllipsisButton(const Item& AItem, HDC DC, TRect& R, const States& S) const {
    DrawBackgroundFrame(AItem, DC, R, ParentBkBrush(AItem), false);
    R = Shrunk(R, 0, 1);
    DrawBackgroundFrame(AItem, DC, R, ParentBkBrush(AItem), false);
    DrawEditButtonFrame(AItem, DC, R, S);
    TRect Dots = R;
    OffsetPressedRect(AItem, S.Pressed, Dots);
    const int D = (R.Right - R.Left) / 7;
    if (D <= 0) return;
    const int X = Dots.Left + (Dots.Right - Dots.Left - 5 * D) / 2;
    const int Y = Dots.Top + (Dots.Bottom - Dots.Top - D) / 2;
    const bool Light = S.Selected && toolkit::base::IsHighContrastWhite();
    for (int I = 0; I < 3; ++I) {
        const TRect Dot{X + 2 * D * I, Y, X + 2 * D * I + D, Y + D};
        if (S.Enabled)
            pg::FillRect(DC, &Dot, SysBrushValue(Light ? pg::COLOR_BTNFACE : pg::COLOR_BTNTEXT));
        else
            DrawEtchedLine(DC, Dot);
    }
}

void P::CalcCaptionedClientRect(const TRect& Window, bool CaptionOnTop, TRect& Client) const {
    Client = Window;
    if (CaptionOnTop)
        Client.Top += GetCaptionedFrameCaptionSize();
    else
        Client.Bottom -= GetCaptionedFrameCaptionSize();
}

void P::DrawCaptionedFrame(HDC DC, const TRect& R, const std::string& Caption,
                           bool CaptionOnTop) const {
    const int Size = GetCaptionedFrameCaptionSize();
    const TRect Strip = CaptionOnTop ? TRect{R.Left, R.Top, R.Right, R.Top + Size}
                                     : TRect{R.Left, R.Bottom - Size, R.Right, R.Bottom};
    pg::FillRect(DC, &Strip, SysBrushValue(pg::COLOR_BTNFACE));
    const int Button = pg::GetSystemMetrics(pg::SM_CYSIZE) - 4;
    TRect Close{Strip.Right - 2 - Button, (Strip.Top + Strip.Bottom - Button) / 2, Strip.Right - 2,
                (Strip.Top + Strip.Bottom - Button) / 2 + Button};
    pg::DrawFrameControl(DC, &Close, pg::DFC_CAPTION, pg::DFCS_CAPTIONCLOSE);
    TRect Text{Strip.Left + 2, Strip.Top, Close.Left - 2, Strip.Bottom};
    pg::SetBkMode(DC, pg::TRANSPARENT);
    pg::SetTextColor(DC, pg::GetSysColor(pg::COLOR_BTNTEXT));
    pg::DrawText(DC, Caption.data(), static_cast<int>(Caption.size()), &Text,
                 pg::DT_SINGLELINE | pg::DT_VCENTER | pg::DT_NOPREFIX | pg::DT_END_ELLIPSIS);
    pg::SetBkMode(DC, pg::OPAQUE);
}

int P::GetCaptionedFrameCaptionSize() const {
    return std::max(pg::GetSystemMetrics(pg::SM_CYCAPTION) + 2,
                    pg::GetSystemMetrics(pg::SM_CYSIZE)) +
           1;
}

void P::DrawSpinButton(const Item& AItem, HDC DC, const TRect& R, int Half, const States& S,
                       int ArrowSize) const {
    const int Middle = (R.Top + R.Bottom) / 2;
    const TRect Part = Half == 1 ? TRect{R.Left, R.Top, R.Right, Middle}
                                 : TRect{R.Left, Middle, R.Right, R.Bottom};
    DrawEditButtonFrame(AItem, DC, Part, S);
    int CX = (Part.Left + Part.Right) / 2, Top = (Part.Top + Part.Bottom - ArrowSize) / 2;
    if (S.Pressed) {
        ++CX;
        ++Top;
    }
    if (S.Enabled) {
        UpDownTriangle(DC, pg::GetSysColor(pg::COLOR_BTNTEXT), CX, Top, ArrowSize, Half == 1);
    } else {
        UpDownTriangle(DC, pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT), CX + 1, Top + 1, ArrowSize,
                       Half == 1);
        UpDownTriangle(DC, pg::GetSysColor(pg::COLOR_BTNSHADOW), CX, Top, ArrowSize, Half == 1);
    }
}

void P::DrawSpinButtonsBorder(const Item& AItem, HDC DC, TRect& R) const {
    DrawBackground(AItem, DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, ParentBkBrush(AItem), false);
    DrawBackground(AItem, DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, ParentBkBrush(AItem), false);
    R = Shrunk(R, 1, 0);
}

void P::DrawArrowItem(const Item& AItem, HDC DC, const TRect& R, bool Down, bool Selected) const {
    DrawBackground(AItem, DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, ParentBkBrush(AItem),
                   false);
    const TRect Face{R.Left, R.Top, R.Right, R.Bottom - 1};
    pg::FillRect(DC, &Face,
                 Selected && AItem.Parent ? GetHotBrush(*AItem.Parent) : GetArrowItemBrush());
    const bool Enabled = ItemEnabled(AItem);
    DrawCaption(AItem, DC, {Face.Left + 5, Face.Top, Face.Right, Face.Bottom}, ItemCaption(AItem),
                Selected, Enabled, false, false, false, 0);
    if (!Enabled || AItem.Parent == nullptr) return;
    const int Size = AItem.Parent->ArrowSize;
    const TRect Area{Face.Right - 3 * Size, Face.Top, Face.Right - Size, Face.Bottom};
    DrawItemArrow(DC, Area, Size, Down, Enabled, Selected, false);
}

} // namespace toolkit::bars
