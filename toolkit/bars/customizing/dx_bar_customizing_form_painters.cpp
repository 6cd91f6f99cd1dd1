#include "toolkit/bars/customizing/dx_bar_customizing_form_painters.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_list_item.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/painters/dx_bar_drawing.h"
#include "toolkit/base/office11.h"

#include "platform/forms/img_list.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/frame_controls.h"

#include <algorithm>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace tb = toolkit::base;
using TColor = pg::TColor;
using TRect = pg::TRect;

namespace {

// DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX.
constexpr pg::UINT kRowTextFlags = 0x924;

bool HighContrast() {
    return tb::IsHighContrastBlack() || tb::IsHighContrastWhite();
}

void Fill(pg::TCanvas& Canvas, const TRect& R, TColor Color) {
    Canvas.Brush().SetColor(Color);
    Canvas.FillRect(R);
}

void Frame(pg::TCanvas& Canvas, const TRect& R, TColor Color) {
    Canvas.Brush().SetColor(Color);
    Canvas.FrameRect(R);
}

bool IsDropDownButton(const TdxBarItem* Item) {
    const auto* Button = dynamic_cast<const TdxBarButton*>(Item);
    return Button != nullptr && Button->ButtonStyle() == bsDropDown;
}

// A container that splices its entries into the menu shows its caption in brackets.
bool ExpandsInPlace(const TdxBarItem* Item) {
    const auto* Container = dynamic_cast<const TCustomdxBarContainerItem*>(Item);
    return Container != nullptr && Container->ExpandsInPlace();
}

bool OpensSubMenu(const TdxBarItem* Item) {
    return dynamic_cast<const TCustomdxBarSubItem*>(Item) != nullptr && !ExpandsInPlace(Item);
}

const platform::forms::TImageList* ImagesOf(const TdxBarItem* Item) {
    return Item->BarManager() != nullptr ? Item->BarManager()->Images() : nullptr;
}

bool HasImage(const TdxBarItem* Item) {
    const platform::forms::TImageList* Images = ImagesOf(Item);
    return Images != nullptr && Item->ImageIndex() >= 0 && Item->ImageIndex() < Images->Count();
}

void DrawGlyph(pg::TCanvas& Canvas, const TRect& Column, TdxBarItem* Item, bool Flat) {
    const platform::forms::TImageList* Images = HasImage(Item) ? ImagesOf(Item) : nullptr;
    platform::forms::TBitmap* Bitmap = Item->Glyph().Empty() ? nullptr : &Item->Glyph();
    const int Width = Bitmap ? Bitmap->Width() : Images->Width();
    const int Height = Bitmap ? Bitmap->Height() : Images->Height();
    const int Left = Column.Left + (Column.Width() - Width) / 2;
    const int Top = Column.Top + (Column.Height() - Height) / 2;
    TdxBarGlyphParams Params;
    Params.Brush = Canvas.Brush().Handle();
    Params.ItemRect = {Left, Top, Left + Width, Top + Height};
    Params.GlyphRect = Params.ItemRect;
    Params.Glyph = Bitmap;
    Params.Images = Images;
    Params.ImageIndex = Item->ImageIndex();
    Params.Enabled = Item->Enabled();
    Params.Flat = Flat;
    Params.CopyBackground = true;
    DrawBarItemGlyph(Canvas.Handle(), Params);
    Canvas.Refresh();
}

} // namespace

// --- The base ---

const TdxBarCustomizingFormPainter& TdxBarCustomizingFormPainter::Instance() {
    static const TdxBarCustomizingFormPainter Painter;
    return Painter;
}

bool TdxBarCustomizingFormPainter::HasGlyph(const TdxBarItem* Item) {
    if (Item == nullptr) return false;
    return !const_cast<TdxBarItem*>(Item)->Glyph().Empty() || HasImage(Item);
}

bool TdxBarCustomizingFormPainter::IsEditItem(const TdxBarItem* Item) {
    return dynamic_cast<const TdxBarEdit*>(Item) != nullptr;
}

void TdxBarCustomizingFormPainter::DrawSubMenuArrow(TCanvas& Canvas, int X, bool Selected,
                                                    int Y) const {
    const TColor Color = Selected && HighContrast() ? pg::clWhite : Canvas.Font().Color();
    Canvas.Pen().SetColor(Color);
    Canvas.Brush().SetColor(Color);
    Canvas.Polygon({{X, Y}, {X, Y + 6}, {X + 3, Y + 3}});
}

TColor TdxBarCustomizingFormPainter::GetRowColor(bool Selected, const TdxBarItem*) const {
    return Selected ? pg::clHighlight : pg::clBtnFace;
}

TColor TdxBarCustomizingFormPainter::GetTextColor(bool Selected) const {
    return Selected ? pg::clHighlightText : pg::clBtnText;
}

void TdxBarCustomizingFormPainter::DrawCommandRow(TCanvas& Canvas, const TRect& R, bool Selected,
                                                  const std::string& Caption,
                                                  TdxBarItem* Item) const {
    DrawCommandRowAs(Canvas, R, Selected, Caption, Item, ekEdges);
}

void TdxBarCustomizingFormPainter::DrawEditRow(TCanvas& Canvas, const TRect& R, bool Selected,
                                               const std::string& Caption, TdxBarItem* Item) const {
    DrawEditRowAs(Canvas, R, Selected, Caption, Item, ekEdges);
}

void TdxBarCustomizingFormPainter::FillGlyphColumn(TCanvas& Canvas, const TRect& Column,
                                                   bool Selected, TdxBarItem* Item) const {
    Fill(Canvas, Column, GetRowColor(Selected && !HasGlyph(Item), Item));
    Canvas.Pen().SetColor(Canvas.Brush().Color());
    Canvas.MoveTo(Column.Right, Column.Top);
    Canvas.LineTo(Column.Right, Column.Bottom);
}

void TdxBarCustomizingFormPainter::DrawRaised(TCanvas& Canvas, const TRect& R, TEdgeKind Edges) {
    TRect Edge = R;
    if (Edges == ekEdges)
        pg::DrawEdge(Canvas.Handle(), &Edge, pg::BDR_RAISEDINNER, pg::BF_RECT);
    else
        Frame(Canvas, Edge, pg::clHighlight);
    Canvas.Refresh();
}

void TdxBarCustomizingFormPainter::DrawTextIn(TCanvas& Canvas, TRect R, const std::string& Text,
                                              TColor Color) {
    Canvas.Require(TCanvas::FontValid);
    const pg::HDC DC = Canvas.Handle();
    pg::SetTextColor(DC, pg::ColorToRGB(Color));
    pg::SetBkMode(DC, pg::TRANSPARENT);
    pg::DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &R, kRowTextFlags);
}

void TdxBarCustomizingFormPainter::DrawCommandRowAs(TCanvas& Canvas, const TRect& R, bool Selected,
                                                    const std::string& Caption, TdxBarItem* Item,
                                                    TEdgeKind Edges) const {
    const TRect Column{R.Left, R.Top, R.Left + GlyphColumnWidth, R.Bottom};
    FillGlyphColumn(Canvas, Column, Selected, Item);
    if (HasGlyph(Item)) {
        if (Selected) DrawRaised(Canvas, Column, Edges);
        DrawGlyph(Canvas, Column, Item, Edges == ekFrames);
    }

    const bool DropDown = IsDropDownButton(Item);
    TRect Text{R.Left + GlyphColumnWidth + 1, R.Top, R.Right, R.Bottom};
    if (DropDown) Text.Right -= ArrowPartWidth;
    Fill(Canvas, Text, GetRowColor(Selected, Item));
    const std::string Shown = ExpandsInPlace(Item) ? "(" + Caption + ")" : Caption;
    DrawTextIn(Canvas, {R.Left + 26, R.Top, Text.Right, R.Bottom}, Shown, GetTextColor(Selected));

    const int ArrowY = R.Top + 7;
    if (DropDown) {
        TRect Part{R.Right - ArrowPartWidth, R.Top, R.Right, R.Bottom};
        if (Selected) {
            DrawRaised(Canvas, Part, Edges);
            pg::InflateRect(Part, -1, -1);
        } else if (Edges == ekEdges) {
            TRect Edge = Part;
            pg::DrawEdge(Canvas.Handle(), &Edge, pg::EDGE_ETCHED, pg::BF_LEFT);
            Canvas.Refresh();
            Part.Left += 2;
        } else {
            Frame(Canvas, {Part.Left, Part.Top, Part.Left + 1, Part.Bottom}, pg::clBtnShadow);
            Part.Left += 1;
        }
        Fill(Canvas, Part, GetRowColor(false, Item));
        Canvas.Font().SetColor(GetTextColor(false));
        DrawSubMenuArrow(Canvas, R.Right - 9, false, ArrowY);
    } else if (OpensSubMenu(Item)) {
        Canvas.Font().SetColor(GetTextColor(Selected));
        DrawSubMenuArrow(Canvas, R.Right - 9, Selected, ArrowY);
    }
}

void TdxBarCustomizingFormPainter::DrawEditRowAs(TCanvas& Canvas, const TRect& R, bool Selected,
                                                 const std::string& Caption, TdxBarItem* Item,
                                                 TEdgeKind Edges) const {
    Canvas.Require(TCanvas::FontValid);
    const TRect Label{R.Left, R.Top, R.Left + Canvas.TextWidth(Caption) + 3, R.Bottom};
    Fill(Canvas, Label, GetRowColor(Selected, Item));
    DrawTextIn(Canvas, {R.Left + 2, R.Top, Label.Right, R.Bottom}, Caption, GetTextColor(Selected));
    const TRect Gap{Label.Right, R.Top, Label.Right + 4, R.Bottom};
    Fill(Canvas, Gap, GetRowColor(false, Item));

    TRect Box{Gap.Right, R.Top, std::max(Gap.Right, R.Right), R.Bottom};
    if (Selected && Edges == ekEdges) {
        pg::DrawEdge(Canvas.Handle(), &Box, pg::BDR_SUNKENOUTER, pg::BF_RECT);
        Canvas.Refresh();
    } else {
        Frame(Canvas, Box, Selected ? pg::clHighlight : GetRowColor(false, Item));
    }
    pg::InflateRect(Box, -1, -1);
    Frame(Canvas, Box, Edges == ekEdges ? pg::clBtnFace : pg::clWindow);
    pg::InflateRect(Box, -1, -1);
    Fill(Canvas, Box, pg::clWindow);

    if (dynamic_cast<const TCustomdxBarCombo*>(Item) == nullptr) return;
    TRect Button{Box.Right - 12, Box.Top, Box.Right, Box.Bottom};
    if (Selected)
        DrawRaised(Canvas, Button, Edges);
    else
        Frame(Canvas, Button, pg::cl3DLight);
    Canvas.Pen().SetColor(Edges == ekEdges ? pg::clBtnFace : pg::clWindow);
    Canvas.MoveTo(Button.Left, Button.Top);
    Canvas.LineTo(Button.Left, Button.Bottom);
    pg::InflateRect(Button, -1, -1);
    Button.Left += 1;
    Fill(Canvas, Button, GetRowColor(false, Item));
    DrawArrowInRect(Canvas.Handle(), Button, true, true, false, Edges == ekFrames);
    Canvas.Refresh();
}

// --- Standard ---

const TdxBarCustomizingFormPainter& TdxBarCustomizingFormStandardPainter::Instance() {
    static const TdxBarCustomizingFormStandardPainter Painter;
    return Painter;
}

void TdxBarCustomizingFormStandardPainter::DrawFocus(TCanvas& Canvas, const TRect& R,
                                                     const TdxBarItem*) const {
    TRect Focus = R;
    pg::InflateRect(Focus, -2, -2);
    Canvas.DrawFocusRect(Focus);
}

// --- Flat ---

const TdxBarCustomizingFormPainter& TdxBarCustomizingFormFlatPainter::Instance() {
    static const TdxBarCustomizingFormFlatPainter Painter;
    return Painter;
}

TColor TdxBarCustomizingFormFlatPainter::GetRowColor(bool Selected, const TdxBarItem* Item) const {
    if (!Selected) return pg::clWindow;
    if (Item != nullptr && Item->BarManager() != nullptr)
        return Item->BarManager()->GetFlatSelectedColor();
    return pg::clHighlight;
}

TColor TdxBarCustomizingFormFlatPainter::GetTextColor(bool Selected) const {
    return Selected && HighContrast() ? pg::clBtnFace : pg::clBtnText;
}

void TdxBarCustomizingFormFlatPainter::DrawCommandRow(TCanvas& Canvas, const TRect& R,
                                                      bool Selected, const std::string& Caption,
                                                      TdxBarItem* Item) const {
    DrawCommandRowAs(Canvas, R, Selected, Caption, Item, ekFrames);
}

void TdxBarCustomizingFormFlatPainter::DrawEditRow(TCanvas& Canvas, const TRect& R, bool Selected,
                                                   const std::string& Caption,
                                                   TdxBarItem* Item) const {
    DrawEditRowAs(Canvas, R, Selected, Caption, Item, ekFrames);
}

// --- Office 2003 ---

const TdxBarCustomizingFormPainter& TdxBarCustomizingFormOffice11Painter::Instance() {
    static const TdxBarCustomizingFormOffice11Painter Painter;
    return Painter;
}

TColor TdxBarCustomizingFormOffice11Painter::GetRowColor(bool Selected, const TdxBarItem*) const {
    return Selected ? tb::dxOffice11SelectedColor() : tb::dxOffice11MenuColor();
}

TColor TdxBarCustomizingFormOffice11Painter::GetTextColor(bool Selected) const {
    return Selected && HighContrast() ? pg::clBtnFace : tb::dxOffice11TextColor();
}

void TdxBarCustomizingFormOffice11Painter::DrawCommandRow(TCanvas& Canvas, const TRect& R,
                                                          bool Selected, const std::string& Caption,
                                                          TdxBarItem* Item) const {
    DrawCommandRowAs(Canvas, R, Selected, Caption, Item, ekFrames);
}

void TdxBarCustomizingFormOffice11Painter::DrawEditRow(TCanvas& Canvas, const TRect& R,
                                                       bool Selected, const std::string& Caption,
                                                       TdxBarItem* Item) const {
    DrawEditRowAs(Canvas, R, Selected, Caption, Item, ekFrames);
}

void TdxBarCustomizingFormOffice11Painter::FillGlyphColumn(TCanvas& Canvas, const TRect& Column,
                                                           bool Selected, TdxBarItem* Item) const {
    // A selected command without a glyph is highlighted across the column as in every style.
    if (Selected && !HasGlyph(Item)) {
        TdxBarCustomizingFormFlatPainter::FillGlyphColumn(Canvas, Column, Selected, Item);
        return;
    }
    tb::FillGradientRect(Canvas.Handle(), Column, tb::dxOffice11BarGradientLight(),
                         tb::dxOffice11BarGradientDark(), true);
    Canvas.Refresh();
    Canvas.Brush().SetColor(GetRowColor(false, Item));
    Canvas.Pen().SetColor(GetRowColor(false, Item));
    Canvas.MoveTo(Column.Right, Column.Top);
    Canvas.LineTo(Column.Right, Column.Bottom);
}

// --- XP ---

const TdxBarCustomizingFormPainter& TdxBarCustomizingFormXPPainter::Instance() {
    static const TdxBarCustomizingFormXPPainter Painter;
    return Painter;
}

void TdxBarCustomizingFormXPPainter::DrawCommandRow(TCanvas& Canvas, const TRect& R, bool Selected,
                                                    const std::string& Caption,
                                                    TdxBarItem* Item) const {
    DrawCommandRowAs(Canvas, R, Selected, Caption, Item, ekFrames);
}

void TdxBarCustomizingFormXPPainter::DrawEditRow(TCanvas& Canvas, const TRect& R, bool Selected,
                                                 const std::string& Caption,
                                                 TdxBarItem* Item) const {
    DrawEditRowAs(Canvas, R, Selected, Caption, Item, ekFrames);
}

void TdxBarCustomizingFormXPPainter::DrawFocus(TCanvas& Canvas, const TRect& R,
                                               const TdxBarItem* Item) const {
    TRect Focus = R;
    if (!IsEditItem(Item)) Focus.Left += GlyphColumnWidth + 1;
    Canvas.DrawFocusRect(Focus);
}

// --- The choice ---

TdxBarCustomizingFormPainterClass dxBarCustomizingFormPainter(const TdxBarManager& Manager) {
    const platform::core::TClass* Class = Manager.PainterClass();
    if (Class == nullptr) return &TdxBarCustomizingFormStandardPainter::Instance();
    if (Class->InheritsFrom(&TdxBarItemControlXPPainterClassRef()))
        return &TdxBarCustomizingFormXPPainter::Instance();
    if (Class->InheritsFrom(&TdxBarItemControlOffice11PainterClassRef()))
        return &TdxBarCustomizingFormOffice11Painter::Instance();
    if (Class->InheritsFrom(&TdxBarItemControlFlatPainterClassRef()))
        return &TdxBarCustomizingFormFlatPainter::Instance();
    return &TdxBarCustomizingFormStandardPainter::Instance();
}

} // namespace toolkit::bars
