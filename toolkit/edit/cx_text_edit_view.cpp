#include "toolkit/edit/cx_text_edit_view.h"

#include "toolkit/edit/cx_text_edit.h"
#include "toolkit/edit/cx_text_edit_properties.h"

#include "platform/gdi/text_out.h"

#include <algorithm>

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
}

void TcxCustomTextEditViewInfo::Offset(int DX, int DY) {
    TcxCustomEditViewInfo::Offset(DX, DY);
    pg::OffsetRect(TextRect, DX, DY);
}

namespace {

// The toolkit's text flags as the canvas's.
int CanvasFlags(unsigned Flags) {
    int Result = toolkit::base::cxSingleLine;
    Result |= (Flags & cxtfRight)     ? toolkit::base::cxAlignRight
              : (Flags & cxtfHCenter) ? toolkit::base::cxAlignHCenter
                                      : toolkit::base::cxAlignLeft;
    Result |= (Flags & cxtfBottom)    ? toolkit::base::cxAlignBottom
              : (Flags & cxtfVCenter) ? toolkit::base::cxAlignVCenter
                                      : toolkit::base::cxAlignTop;
    return Result;
}

} // namespace

void TcxCustomTextEditViewInfo::InternalPaint(TcxCanvas& Canvas) {
    TcxCustomEditViewInfo::InternalPaint(Canvas);
    // The inner edit paints the text itself while it is shown.
    if (!HasInnerEdit || !Edit) DrawText(Canvas);
}

void TcxCustomTextEditViewInfo::DrawText(TcxCanvas& Canvas) {
    if (Text.empty()) return;
    if (Font) Canvas.SetFont(*Font);
    const int Flags = CanvasFlags(DrawTextFlags);
    Canvas.Font().SetColor(Inverted ? pg::clHighlightText : TextColor);
    Canvas.DrawText(Text, TextRect, Flags, Enabled);
    const int Length = static_cast<int>(Text.size());
    const int Start = std::clamp(Selection.Start, 0, Length);
    const int SelLength = std::clamp(Selection.Length, 0, Length - Start);
    if (SelLength == 0) return;
    // Where the whole text lies, so that the selected part is placed over its own characters.
    TRect Whole = TextRect;
    Canvas.TextExtent(Text, Whole, Flags);
    const int X0 = Whole.Left + Canvas.TextWidth(Text.substr(0, static_cast<std::size_t>(Start)));
    const int X1 =
        Whole.Left + Canvas.TextWidth(Text.substr(0, static_cast<std::size_t>(Start + SelLength)));
    TRect R{std::max(X0, TextRect.Left), Whole.Top, std::min(X1, TextRect.Right), Whole.Bottom};
    if (pg::IsRectEmpty(R)) return;
    Canvas.FillRect(R, Selection.BackgroundColor);
    Canvas.Font().SetColor(Selection.TextColor);
    Canvas.DrawText(
        Text.substr(static_cast<std::size_t>(Start), static_cast<std::size_t>(SelLength)),
        {X0, Whole.Top, X1 + 1, Whole.Bottom},
        toolkit::base::cxSingleLine | toolkit::base::cxAlignLeft | toolkit::base::cxAlignTop);
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
    if (Font) Canvas.SetFont(*Font);
    const pg::TSize Size = Canvas.TextExtent(Text);
    return Size.cx > TextRect.Width() || Size.cy > TextRect.Height();
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
    return Flags;
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
    V.DrawTextFlags = GetDrawTextFlags();
    V.VertAlignment = Properties.Alignment().Vert();
    if (auto* TextEdit = dynamic_cast<TcxCustomTextEdit*>(Edit)) {
        DisplayValueToDrawValue(Variant::String(TextEdit->Text()), V);
        V.HasPopupWindow = false;
    }
    V.Selection.Start = SelStart;
    V.Selection.Length = SelLength;
    if (SelLength != 0)
        CalculateSelectionColors(V.Selection.TextColor, V.Selection.BackgroundColor);
}

void TcxCustomTextEditViewData::DisplayValueToDrawValue(const Variant& DisplayValue,
                                                        TcxCustomTextEditViewInfo& V) {
    std::string Text =
        DisplayValue.IsNull() || DisplayValue.IsEmpty() ? std::string() : DisplayValue.AsString();
    TextProperties().DisplayValueToDisplayText(Text);
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
    if (Style) Canvas.SetFont(Style->GetVisibleFont());
    std::string Text = Value.IsNull() || Value.IsEmpty() ? std::string() : Value.AsString();
    TextProperties().DisplayValueToDisplayText(Text);
    const int Height = Canvas.TextHeight("Zg");
    if (SizeProperties.Width >= 0) {
        const int Rows = std::max(1, SizeProperties.MaxLineCount);
        return {SizeProperties.Width, Height * Rows};
    }
    return {Text.empty() ? 0 : Canvas.TextWidth(Text), Height};
}

} // namespace toolkit::edit
