#include "toolkit/edit/cx_check_box_view.h"

#include "toolkit/edit/cx_check_box.h"

#include "toolkit/base/cx_geometry.h"

#include "platform/gdi/frame_controls.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"

#include <algorithm>

namespace toolkit::edit {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace tb = toolkit::base;

namespace {

pg::HBITMAP MaskBitmap{};

constexpr int cxCheckTextOffset = 3;

} // namespace

int cxCheckBoxGlyphIndex(TcxCheckBoxState State, TcxCheckButtonState ButtonState, int GlyphCount) {
    const int PerRow = (GlyphCount % 3 != 0 && GlyphCount % 2 == 0) ? 2 : 3;
    int Index = static_cast<int>(State);
    if (ButtonState == ecsPressed) Index += PerRow;
    if (Index >= GlyphCount && Index >= PerRow) Index %= PerRow;
    return Index;
}

TcxContainerBorderStyle cxCheckBorderStyle(TcxEditBorderStyle EditBorderStyle) {
    // The views this editor is drawn in keep their border style for the check.
    return static_cast<TcxContainerBorderStyle>(EditBorderStyle);
}

pg::HBITMAP cxCheckBoxMaskBitmap() {
    return MaskBitmap;
}

void cxCreateCheckBoxMaskBitmap() {
    if (MaskBitmap != pg::HBITMAP{}) return;
    const pg::HBITMAP Strip = pg::LoadSystemBitmap(pg::OBM_CHECKBOXES);
    if (Strip == pg::HBITMAP{}) return;
    const pg::Surface& S = *pg::BitmapSurface(Strip);
    const int W = S.Width() / 4, H = S.Height() / 3;
    MaskBitmap = pg::CreateBitmap(W, H, 1, 32, nullptr);
    pg::Surface& M = *pg::BitmapSurface(MaskBitmap);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            M.SetPixel(X, Y,
                       pg::ColorToPixel((S.Pixel(X, Y) & 0xFFFFFF) != (S.Pixel(X + W, Y) & 0xFFFFFF)
                                            ? pg::RGB(0, 0, 0)
                                            : pg::RGB(255, 255, 255)));
    pg::DeleteObject(Strip);
}

void cxFreeCheckBoxMaskBitmap() {
    if (MaskBitmap == pg::HBITMAP{}) return;
    pg::DeleteObject(MaskBitmap);
    MaskBitmap = {};
}

// ---- view info ----

void TcxCustomCheckBoxViewInfo::Assign(const TcxContainerViewInfo& Source) {
    TcxCustomEditViewInfo::Assign(Source);
    const auto* S = dynamic_cast<const TcxCustomCheckBoxViewInfo*>(&Source);
    if (!S) return;
    CheckBorderStyle = S->CheckBorderStyle;
    Alignment = S->Alignment;
    CheckState = S->CheckState;
    CheckButtonState = S->CheckButtonState;
    CheckBoxRect = S->CheckBoxRect;
    TextRect = S->TextRect;
    FocusRect = S->FocusRect;
    Glyph = S->Glyph;
    GlyphCount = S->GlyphCount;
    NullStyle = S->NullStyle;
    IsGlyphValid = S->IsGlyphValid;
    CheckSize = S->CheckSize;
    IsNativeCheck = S->IsNativeCheck;
    Text = S->Text;
    MultiLine = S->MultiLine;
    DrawFocusRect = S->DrawFocusRect;
    Painter = S->Painter;
}

void TcxCustomCheckBoxViewInfo::Offset(int DX, int DY) {
    TcxCustomEditViewInfo::Offset(DX, DY);
    CheckBoxRect = tb::cxRectOffset(CheckBoxRect, DX, DY);
    TextRect = tb::cxRectOffset(TextRect, DX, DY);
    FocusRect = tb::cxRectOffset(FocusRect, DX, DY);
}

std::unique_ptr<tb::TcxRegion>
TcxCustomCheckBoxViewInfo::CreateUpdateRegion(const TcxContainerViewInfo& Other) {
    // The editor is small and its check, caption and focus all follow the state: redraw it.
    auto Result = TcxCustomEditViewInfo::CreateUpdateRegion(Other);
    Result->Combine(*tb::TcxRegion::CreateFromRect(Bounds), tb::rgnAdd);
    return Result;
}

void TcxCustomCheckBoxViewInfo::InternalPaint(TcxCanvas& Canvas) {
    TcxCustomEditViewInfo::InternalPaint(Canvas);
    if (!pg::IsRectEmpty(CheckBoxRect)) DrawCheck(Canvas);
    if (!Text.empty() && !pg::IsRectEmpty(TextRect)) {
        if (Font) Canvas.SetFont(*Font);
        Canvas.Font().SetColor(Enabled ? TextColor : pg::clGrayText);
        Canvas.Brush().SetStyle(pg::TBrushStyle::bsClear);
        int Flags = tb::cxShowPrefix | tb::cxAlignVCenter |
                    (MultiLine ? tb::cxWordBreak : tb::cxSingleLine);
        Flags |= Alignment == pf::taRightJustify ? tb::cxAlignRight : tb::cxAlignLeft;
        Canvas.DrawText(Text, TextRect, Flags, Enabled);
        Canvas.Brush().SetStyle(pg::TBrushStyle::bsSolid);
    }
    if (DrawFocusRect && !pg::IsRectEmpty(FocusRect)) {
        Canvas.Font().SetColor(pg::clBlack);
        Canvas.SetBrushColor(BackgroundColor);
        Canvas.DrawFocusRect(FocusRect);
    }
}

void TcxCustomCheckBoxViewInfo::DrawCheckBorder(TcxCanvas& Canvas, TRect& R) {
    const bool Hot = CheckButtonState == ecsHot, Pressed = CheckButtonState == ecsPressed;
    switch (CheckBorderStyle) {
    case cbsSingle:
        Canvas.FrameRect(R, IsInplace && Hot ? pg::clHighlight
                            : IsInplace      ? pg::clBtnShadow
                                             : pg::clWindowFrame);
        R = tb::cxRectInflate(R, -1, -1);
        break;
    case cbsThick:
        Canvas.FrameRect(R, pg::clWindowFrame, 2);
        R = tb::cxRectInflate(R, -2, -2);
        break;
    case cbsFlat:
        Canvas.FrameRect(R, pg::clBtnShadow);
        Canvas.FrameRect(tb::cxRectInflate(R, -1, -1), pg::clBtnFace);
        R = tb::cxRectInflate(R, -2, -2);
        break;
    case cbs3D:
        Canvas.DrawComplexFrame(R, pg::clBtnShadow, pg::clBtnHighlight);
        Canvas.DrawComplexFrame(tb::cxRectInflate(R, -1, -1), pg::cl3DDkShadow, pg::cl3DLight);
        R = tb::cxRectInflate(R, -2, -2);
        break;
    case cbsUltraFlat:
    case cbsOffice11:
        Canvas.FrameRect(R, Hot || Pressed ? pg::clHighlight : pg::clBtnShadow);
        R = tb::cxRectInflate(R, -1, -1);
        break;
    default:
        break;
    }
}

void TcxCustomCheckBoxViewInfo::DrawGlyph(TcxCanvas& Canvas) {
    const int W = Glyph->Width() / GlyphCount, H = Glyph->Height();
    const int Index = cxCheckBoxGlyphIndex(CheckState, CheckButtonState, GlyphCount);
    const pg::Surface& S = *pg::BitmapSurface(Glyph->Handle());
    // The class library's transparent colour: the strip's bottom-left pixel.
    const pg::Pixel32 Transparent = S.Pixel(0, H - 1) & 0xFFFFFF;
    const TRect R = tb::cxRectCenter(CheckBoxRect, {W, H});
    Canvas.FillRect(R, CheckButtonState >= ecsPressed ? pg::clBtnFace : pg::clWindow);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const pg::Pixel32 P = S.Pixel(Index * W + X, Y) & 0xFFFFFF;
            if (P == Transparent) continue;
            Canvas.SetPixel(R.Left + X, R.Top + Y,
                            CheckButtonState == ecsDisabled ? pg::ColorToRGB(pg::clBtnShadow)
                                                            : pg::PixelToColor(P));
        }
}

void TcxCustomCheckBoxViewInfo::DrawCheck(TcxCanvas& Canvas) {
    if (IsGlyphValid && Glyph) {
        DrawGlyph(Canvas);
        return;
    }
    TRect R = tb::cxRectCenter(CheckBoxRect, CheckSize);
    if (CheckBorderStyle == cbsUltraFlat || CheckBorderStyle == cbsOffice11) {
        DrawCheckBorder(Canvas, R);
        const tb::TcxButtonState State = CheckButtonState == ecsHot        ? tb::cxbsHot
                                         : CheckButtonState == ecsPressed  ? tb::cxbsPressed
                                         : CheckButtonState == ecsDisabled ? tb::cxbsDisabled
                                                                           : tb::cxbsNormal;
        const bool Marked =
            CheckState == cbsChecked || (CheckState == cbsGrayed && NullStyle == nssGrayedChecked);
        const pg::TColor MarkColor =
            CheckState == cbsGrayed || State == tb::cxbsDisabled ? pg::clGrayText : pg::clBtnText;
        if (Painter)
            Painter->DrawCheck(Canvas, R, State, Marked, MarkColor);
        else
            Canvas.FillRect(R, State >= tb::cxbsPressed ? pg::clBtnFace : pg::clWindow);
        return;
    }
    // The system's check frame control draws its own sunken border.
    pg::UINT Flags = pg::DFCS_BUTTONCHECK;
    if (CheckBorderStyle != cbs3D) Flags |= pg::DFCS_FLAT;
    const bool GrayedChecked = CheckState == cbsGrayed && NullStyle == nssGrayedChecked;
    if (CheckButtonState == ecsDisabled) {
        Flags |= pg::DFCS_BUTTON3STATE | pg::DFCS_PUSHED;
        Flags |= CheckState == cbsChecked || GrayedChecked ? pg::DFCS_CHECKED : pg::DFCS_INACTIVE;
    } else {
        if (CheckState == cbsChecked) Flags |= pg::DFCS_CHECKED;
        if (CheckState == cbsGrayed) {
            Flags |= pg::DFCS_BUTTON3STATE;
            if (NullStyle == nssInactive) Flags |= pg::DFCS_INACTIVE;
            if (NullStyle == nssGrayedChecked) Flags |= pg::DFCS_CHECKED;
        }
        if (CheckButtonState == ecsPressed) Flags |= pg::DFCS_PUSHED;
    }
    pg::DrawFrameControl(Canvas.Handle(), &R, pg::DFC_BUTTON, Flags);
}

// ---- view data ----

TcxCustomCheckBoxViewData::TcxCustomCheckBoxViewData(TcxCustomCheckBoxProperties& AProperties,
                                                     TcxCustomEditStyle& AStyle, bool AIsInplace)
    : TcxCustomEditViewData(AProperties, AStyle, AIsInplace), CheckBoxProperties(AProperties) {}

TSize TcxCustomCheckBoxViewData::GetCheckSize() {
    if (CheckBoxProperties.IsGlyphValid()) {
        const pf::TBitmap& G = CheckBoxProperties.Glyph();
        return {G.Width() / CheckBoxProperties.GlyphCount(), G.Height()};
    }
    const auto Painter = Style->LookAndFeel().GetPainter();
    return Painter ? Painter->CheckButtonSize() : TSize{13, 13};
}

TcxCheckButtonState
TcxCustomCheckBoxViewData::GetCheckButtonState(const TcxCustomCheckBoxViewInfo& Old,
                                               const TPoint& P, TcxMouseButton Button,
                                               pf::TShiftState Shift) {
    if (!Enabled) return ecsDisabled;
    if (SpacePressed) return ecsPressed;
    if (PaintCopy) return ecsNormal;
    if (!pg::PtInRect(Bounds, P)) return ecsNormal;
    if (!(Shift & pf::ssLeft) && Button == cxmbLeft && Old.CheckButtonState == ecsPressed)
        return ecsHot;
    if (!(Shift & pf::ssLeft)) return ecsHot;
    // A press over the check box holds it; moving back in with the button down does not.
    if (Button == cxmbLeft || Old.CheckButtonState == ecsPressed) return ecsPressed;
    return ecsNormal;
}

void TcxCustomCheckBoxViewData::Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P,
                                          TcxMouseButton Button, pf::TShiftState Shift,
                                          TcxCustomEditViewInfo& V, bool IsMouseEvent) {
    auto& CV = static_cast<TcxCustomCheckBoxViewInfo&>(V);
    if (const auto* Box = dynamic_cast<const TcxCustomCheckBox*>(Edit))
        SpacePressed = Box->SpacePressed();
    Bounds = B;
    const TcxCheckButtonState Pressed = GetCheckButtonState(CV, P, Button, Shift);
    TcxCustomEditViewData::Calculate(Canvas, B, P, Button, Shift, V, IsMouseEvent);
    CV.CheckButtonState = Pressed;
    CV.CheckState = Edit ? CheckBoxProperties.GetState(Edit->EditValue()) : cbsUnchecked;
    CV.CheckBorderStyle = cxCheckBorderStyle(V.EditBorderStyle);
    CV.Alignment = Properties.Alignment().Horz();
    CV.Glyph = CheckBoxProperties.IsGlyphValid() ? &CheckBoxProperties.Glyph() : nullptr;
    CV.GlyphCount = CheckBoxProperties.GlyphCount();
    CV.IsGlyphValid = CheckBoxProperties.IsGlyphValid();
    CV.NullStyle = CheckBoxProperties.NullStyle();
    CV.MultiLine = CheckBoxProperties.MultiLine();
    CV.CheckSize = GetCheckSize();
    CV.IsNativeCheck = IsNativeStyle && !CV.IsGlyphValid;
    CV.Painter = Style->LookAndFeel().GetPainter();
    CV.DrawFocusRect = Focused && !IsInplace;
    CV.Text = Edit ? Edit->Caption() : std::string();
    CalculateCheckBoxLayout(CV);
}

void TcxCustomCheckBoxViewData::CalculateCheckBoxLayout(TcxCustomCheckBoxViewInfo& V) {
    const TSize Size = V.CheckSize;
    TRect Text = V.ClientRect, Check = V.ClientRect;
    const bool Custom = CheckBoxProperties.HasCustomCheckLayout();
    TAlignment Alignment = V.Alignment;
    if (IsInplace && !CheckBoxProperties.UseAlignmentWhenInplace() && V.Text.empty())
        Alignment = pf::taCenter;
    if (IsInplace) {
        if (!Custom) {
            if (Alignment == pf::taRightJustify) {
                Text.Left += 2;
                Check.Right -= 2;
            } else {
                Text.Right -= 2;
                Check.Left += 2;
            }
        }
    } else {
        Text = tb::cxRectInflate(Text, -2, -2);
        if (!IsNativeStyle) --Text.Top;
        if (!(IsNativeStyle && !Custom)) Check = tb::cxRectInflate(Check, -2, -2);
    }
    if (Check.Bottom - Check.Top > Size.cy) {
        Check.Top += (Check.Bottom - Check.Top - Size.cy) / 2;
        Check.Bottom = Check.Top + Size.cy;
    }
    if (Check.Right - Check.Left <= Size.cx) {
        Text.Left = Check.Left;
    } else if (Alignment == pf::taCenter) {
        Check.Left += (Check.Right - Check.Left - Size.cx) / 2;
        Check.Right = Check.Left + Size.cx;
        Text = {};
    } else if (Alignment == pf::taRightJustify) {
        Check.Left = Check.Right - Size.cx;
        Text.Right = Check.Left - (Custom ? 2 : cxCheckTextOffset);
    } else {
        Check.Right = Check.Left + Size.cx;
        Text.Left = Check.Right + cxCheckTextOffset;
    }
    if (pg::IsRectEmpty(Check)) Check = {};
    if (pg::IsRectEmpty(Text)) Text = {};
    V.CheckBoxRect = Check;
    V.TextRect = Text;
    V.FocusRect = {};
    // The caption's rectangle: the focus frames the caption, or with FullFocusRect all of it.
    if (!pg::IsRectEmpty(Text) && !V.Text.empty()) V.FocusRect = Text;
}

TSize TcxCustomCheckBoxViewData::GetEditContentSize(TcxCanvas& Canvas, const Variant&,
                                                    const TcxEditSizeProperties& SizeProperties) {
    const TSize Check = GetCheckSize();
    // The check, its 2-pixel margins and the gap before the caption.
    const int CheckRoom = Check.cx + 2 * 2 + cxCheckTextOffset;
    TSize Result{Check.cx + 2 * 2, Check.cy + 2 * 2};
    if (!Edit) return Result;
    const std::string Caption = Edit->Caption();
    if (Caption.empty()) return Result;
    if (Style) Canvas.SetFont(Style->GetVisibleFont());
    // The caption wraps in the text area the requested width leaves beside the check; a width
    // too narrow for any text still wraps (a word to a row) rather than counting as unbounded.
    const bool Wraps = SizeProperties.MaxLineCount != 1 && SizeProperties.Width >= 0;
    const int TextWidth =
        SizeProperties.Width >= 0 ? std::max(1, SizeProperties.Width - CheckRoom) : 0x7FFF;
    TRect R{0, 0, TextWidth, 0};
    Canvas.TextExtent(Caption, R, tb::cxShowPrefix | (Wraps ? tb::cxWordBreak : tb::cxSingleLine));
    Result.cx += cxCheckTextOffset + (R.Right - R.Left);
    Result.cy = std::max(Result.cy, R.Bottom - R.Top + 2 * 2);
    return Result;
}

} // namespace toolkit::edit
