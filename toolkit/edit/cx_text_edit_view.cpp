#include "toolkit/edit/cx_text_edit_view.h"

#include "toolkit/edit/cx_text_edit.h"
#include "toolkit/edit/cx_text_edit_properties.h"

#include "platform/gdi/text_out.h"

#include <algorithm>
#include <limits>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

// ---- view info ----

void TcxCustomTextEditViewInfo::Assign(const TcxContainerViewInfo& Source) {
    TcxCustomEditViewInfo::Assign(Source);
    const auto* S = dynamic_cast<const TcxCustomTextEditViewInfo*>(&Source);
    if (!S) return;
    Inverted = S->Inverted;
    EditingStyle = S->EditingStyle;
    HasPopupWindow = S->HasPopupWindow;
    IsReadOnly = S->IsReadOnly;
    Text = S->Text;
    Selection = S->Selection;
    TextRect = S->TextRect;
    DrawTextFlags = S->DrawTextFlags;
    VertAlignment = S->VertAlignment;
    IsTextOutDataPrepared = false;
}

void TcxCustomTextEditViewInfo::Offset(int DX, int DY) {
    TcxCustomEditViewInfo::Offset(DX, DY);
    pg::OffsetRect(TextRect, DX, DY);
    if (IsTextOutDataPrepared) cxOffsetTextOutData(TextOutData, DX, DY);
}

namespace {

// The font selected into the canvas's context, for the routines that measure on the context.
void SelectFont(TcxCanvas& Canvas, const pg::TFont* Font) {
    if (Font) Canvas.SetFont(*Font);
    Canvas.Canvas().Require(pg::TCanvas::FontValid);
}

} // namespace

void TcxCustomTextEditViewInfo::InternalPaint(TcxCanvas& Canvas) {
    TcxCustomEditViewInfo::InternalPaint(Canvas);
    // The inner edit paints the text itself while it is shown.
    if (!HasInnerEdit || !Edit) DrawText(Canvas);
}

void TcxCustomTextEditViewInfo::PrepareTextOutData(TcxCanvas& Canvas) {
    if (IsTextOutDataPrepared) return;
    SelectFont(Canvas, Font);
    cxPrepareTextOutData(Canvas.Handle(), Text, TextRect, DrawTextFlags, TextOutData);
    IsTextOutDataPrepared = true;
}

void TcxCustomTextEditViewInfo::DrawText(TcxCanvas& Canvas) {
    if (Text.empty()) return;
    SelectFont(Canvas, Font);
    PrepareTextOutData(Canvas);
    const HDC DC = Canvas.Handle();
    if (!Enabled) {
        // Embossed, as the canvas draws disabled text: a highlight one pixel down and right.
        cxSetTextOutSelection(TextOutData, 0, 0, Selection.TextColor, Selection.BackgroundColor);
        cxOffsetTextOutData(TextOutData, 1, 1);
        Canvas.Font().SetColor(pg::clBtnHighlight);
        Canvas.Canvas().Require(pg::TCanvas::FontValid);
        cxTextOut(DC, TextOutData);
        cxOffsetTextOutData(TextOutData, -1, -1);
    }
    cxSetTextOutSelection(TextOutData, Selection.Start, Selection.Length, Selection.TextColor,
                          Selection.BackgroundColor);
    Canvas.Font().SetColor(!Enabled ? pg::clBtnShadow : Inverted ? pg::clHighlightText : TextColor);
    Canvas.Canvas().Require(pg::TCanvas::FontValid);
    cxTextOut(DC, TextOutData);
}

int TcxCustomTextEditViewInfo::GetTextBaseLine(TcxCanvas& Canvas) const {
    if (Font) Canvas.SetFont(*Font);
    pg::TEXTMETRIC M{};
    pg::GetTextMetrics(Canvas.Handle(), &M);
    switch (VertAlignment) {
    case taTopJustify:
        return TextRect.Top + M.tmAscent + 1;
    case taBottomJustify:
        return TextRect.Bottom - M.tmDescent + 1;
    case taVCenter:
        break;
    }
    return (TextRect.Height() - M.tmHeight) / 2 + TextRect.Top + M.tmAscent + 1;
}

bool TcxCustomTextEditViewInfo::NeedShowHint(TcxCanvas& Canvas, const TPoint& P) const {
    if (!pg::PtInRect(TextRect, P) || Text.empty()) return false;
    SelectFont(Canvas, Font);
    return cxIsTextClipped(Canvas.Handle(), Text, TextRect, DrawTextFlags);
}

// ---- view data ----

TcxCustomTextEditViewData::TcxCustomTextEditViewData(TcxCustomEditProperties& AProperties,
                                                     TcxCustomEditStyle& AStyle, bool AIsInplace)
    : TcxCustomEditViewData(AProperties, AStyle, AIsInplace) {
    IsDisplayFormatDefinedByProvider = AProperties.IsDisplayFormatDefined();
    ContentColor = AStyle.GetColor();
}

TcxCustomTextEditProperties& TcxCustomTextEditViewData::TextProperties() const {
    return static_cast<TcxCustomTextEditProperties&>(Properties);
}

unsigned TcxCustomTextEditViewData::GetDrawTextFlags() const {
    unsigned Flags = cxtfConstant;
    switch (Properties.Alignment().Horz()) {
    case pf::taRightJustify:
        Flags |= cxtfRight;
        break;
    case pf::taCenter:
        Flags |= cxtfHCenter;
        break;
    default:
        break;
    }
    switch (Properties.Alignment().Vert()) {
    case taBottomJustify:
        Flags |= cxtfBottom;
        break;
    case taVCenter:
        Flags |= cxtfVCenter;
        break;
    default:
        break;
    }
    if (GetTextFlags() & cxvtfEndEllipsis) Flags |= cxtfEndEllipsis;
    return Flags;
}

void TcxCustomTextEditViewData::CalculateTextFlags(TcxCanvas& Canvas,
                                                   TcxCustomTextEditViewInfo& V) {
    V.DrawTextFlags = GetDrawTextFlags();
    if (TextProperties().IsTextRowLayoutDisabled() || !(Properties.GetSupportedOperations() & 2) ||
        !(GetTextFlags() & cxvtfTextRows) || !Style || V.Text.empty())
        return;
    SelectFont(Canvas, &Style->GetVisibleFont());
    const unsigned Flags =
        (V.DrawTextFlags & ~cxtfSingleLine) | cxtfWordBreak | cxtfEditControl | cxtfCalcRowCount;
    toolkit::base::TcxTextParams Params;
    toolkit::base::cxCalcCanvasTextParams(Canvas, Flags, Params, 1.0);
    const TRect& Offsets = EditContentParams.Offsets;
    const int OffsetsWidth = GetEditContentOffsetsSize().cx;
    const int Width = V.TextRect.Width() + Offsets.Left + Offsets.Right - OffsetsWidth -
                      InplaceContentMargins.Left - InplaceContentMargins.Right +
                      ((V.DrawTextFlags & cxtfRight) ? 1 : 0);
    const int RowHeight = std::max(1, Params.RowHeight);
    const int MaxRows = (V.TextRect.Height() + RowHeight - 1) / RowHeight + 1;
    toolkit::base::TcxTextRows Rows;
    int RowCount = 0;
    toolkit::base::cxMakeTextRowsForCanvas(Canvas, V.Text,
                                           {0, 0, Width, std::numeric_limits<int>::max() / 4},
                                           Params, Rows, RowCount, MaxRows);
    if (RowCount <= 1) return;
    V.DrawTextFlags = (V.DrawTextFlags & ~cxtfSingleLine) | cxtfWordBreak | cxtfEditControl;
    if (RowCount * RowHeight > V.TextRect.Height()) V.DrawTextFlags &= ~(cxtfVCenter | cxtfBottom);
}

void TcxCustomTextEditViewData::CalculateSelectionColors(TColor& TextColor,
                                                         TColor& BackgroundColor) const {
    const bool HasText = SelTextColor != cxEditColorNotSet;
    const bool HasBack = SelBackgroundColor != cxEditColorNotSet;
    auto Inverse = [](TColor C) { return static_cast<TColor>(pg::ColorToRGB(C) ^ 0xFFFFFFu); };
    if (HasBack) {
        BackgroundColor = SelBackgroundColor;
        TextColor = HasText ? SelTextColor : Inverse(SelBackgroundColor);
    } else if (HasText) {
        TextColor = SelTextColor;
        BackgroundColor = Inverse(SelTextColor);
    } else if (ContentColor == pg::clHighlight) {
        BackgroundColor = 0;
        TextColor = 0xFFFFFF;
    } else {
        BackgroundColor = pg::clHighlight;
        TextColor = pg::clHighlightText;
    }
}

void TcxCustomTextEditViewData::Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P,
                                          TcxMouseButton Button, pf::TShiftState Shift,
                                          TcxCustomEditViewInfo& AViewInfo, bool IsMouseEvent) {
    TcxCustomEditViewData::Calculate(Canvas, B, P, Button, Shift, AViewInfo, IsMouseEvent);
    auto& V = static_cast<TcxCustomTextEditViewInfo&>(AViewInfo);
    V.Inverted = false;
    V.EditingStyle = TextProperties().GetEditingStyle();
    V.IsReadOnly = Properties.ReadOnly();
    V.TextRect = V.ClientRect;
    if (V.Font) Canvas.SetFont(*V.Font);
    const int TextHeight = Canvas.TextHeight("Zg");
    if (TextHeight > V.TextRect.Height()) V.TextRect.Bottom = V.ClientRect.Bottom;
    V.VertAlignment = Properties.Alignment().Vert();
    // Without an editor the owner has given the draw text before the calculation.
    if (auto* TextEdit = dynamic_cast<TcxCustomTextEdit*>(Edit)) {
        DisplayValueToDrawValue(Variant::String(TextEdit->Text()), V);
        V.HasPopupWindow = false;
    }
    CalculateTextFlags(Canvas, V);
    V.IsTextOutDataPrepared = false;
    V.Selection.Start = SelStart;
    V.Selection.Length = SelLength;
    if (SelLength != 0)
        CalculateSelectionColors(V.Selection.TextColor, V.Selection.BackgroundColor);
}

bool TcxCustomTextEditViewData::DisplayValueToDisplayText(const Variant& Value, std::string& Text) {
    Text = Value.IsNull() || Value.IsEmpty() ? std::string() : Value.AsString();
    TextProperties().DisplayValueToDisplayText(Text);
    return true;
}

void TcxCustomTextEditViewData::DisplayValueToDrawValue(const Variant& DisplayValue,
                                                        TcxCustomTextEditViewInfo& V) {
    std::string Text;
    DisplayValueToDrawValue(DisplayValue, Text);
    V.Text = Text;
}

void TcxCustomTextEditViewData::EditValueToDrawValue(const Variant& EditValue,
                                                     TcxCustomTextEditViewInfo& V) {
    if (IsDisplayFormatDefinedByProvider) {
        DisplayValueToDrawValue(Variant::String(EditValue.IsNull() || EditValue.IsEmpty()
                                                    ? std::string()
                                                    : EditValue.AsString()),
                                V);
        return;
    }
    DisplayValueToDrawValue(TextProperties().PrepareValueText(EditValue, InternalFocused()), V);
}

TSize TcxCustomTextEditViewData::GetEditContentSize(TcxCanvas& Canvas, const Variant& Value,
                                                    const TcxEditSizeProperties& SizeProperties) {
    if (Style) SelectFont(Canvas, &Style->GetVisibleFont());
    std::string Text = Value.IsNull() || Value.IsEmpty() ? std::string() : Value.AsString();
    TextProperties().DisplayValueToDisplayText(Text);
    const HDC DC = Canvas.Handle();
    const int TextHeight = Canvas.TextHeight("Zg");
    const unsigned Flags = GetDrawTextFlags();
    const TcxTextEditingStyle EditingStyle = TextProperties().GetEditingStyle();
    // A fixed list drawn without themes counts one pixel more.
    const int FixedListPixel =
        !IsInplace && (EditingStyle == tesFixedList || EditingStyle == tesNoEdit) && !IsNativeStyle
            ? 1
            : 0;
    const bool ZeroHeight = GetTextFlags() & cxvtfAllowZeroHeight;
    const bool AsksForRows =
        (GetTextFlags() & cxvtfTextRows) && (Properties.GetSupportedOperations() & 2);
    TSize Size;
    if (SizeProperties.Width < 0) {
        if (!(Flags & cxtfSingleLine) || AsksForRows) {
            Size.cx = cxMeasureTextRows(DC, Text, 0, Flags).Width;
            Size.cy = TextHeight * std::max(1, SizeProperties.MaxLineCount);
        } else {
            Size.cx = Text.empty() ? 0 : Canvas.TextWidth(Text);
            Size.cy = TextHeight;
        }
        Size.cx += FixedListPixel;
        if (!IsInplace) Size.cx += GetEditContentOffsetsSize().cx;
    } else if (SizeProperties.MaxLineCount >= 1) {
        Size = {SizeProperties.Width, TextHeight * SizeProperties.MaxLineCount};
    } else {
        const int Usable = SizeProperties.Width - (IsInplace ? 2 : 0) - FixedListPixel;
        if (Usable < 1)
            Size = {0, Text.empty() && ZeroHeight ? 0 : TextHeight};
        else if (Text.empty())
            Size = {SizeProperties.Width, ZeroHeight ? 0 : TextHeight};
        else
            Size = {SizeProperties.Width,
                    cxMeasureTextRows(DC, Text, Usable, Flags).RowCount * TextHeight};
    }
    // The text sits inside the content offsets: an editor one text row high is that row and the
    // offsets above and below it (in place the wrapping width above already left them out).
    if (Size.cy > 0) Size.cy += GetEditContentOffsetsSize().cy;
    // Themed, the editor's frame takes one pixel of the content's height.
    if (!IsInplace && IsNativeStyle) ++Size.cy;
    return Size;
}

} // namespace toolkit::edit
