#pragma once
// What a text editor shows when its inner edit is not visible (unfocused, in place, or a fixed
// list): the view data turns the display value into the draw text and decides the text's
// rectangle and alignment flags; the view info keeps them and paints the text, the selected part
// in the selection's own colours. The text is one row, or word-wrapped rows when the owner asks
// for rows (cxvtfTextRows) and the text needs more than one; the view info lays it out once per
// calculation (its text output record) and paints from that.
//
// Text flags, the toolkit's encoding (CXTO_*): left 0, centre 1, right 2; top 0, centre 0x10,
// bottom 0x20; the constant part 0xC0200 (0x200 single line); end ellipsis 0x800; multi-row text
// drops 0x200 for word break 0x100 and whole rows only 0x4000.

#include "toolkit/edit/cx_edit_properties.h"
#include "toolkit/edit/cx_edit_view_data.h"
#include "toolkit/edit/cx_edit_view_info.h"
#include "toolkit/edit/cx_text_out_data.h"

#include <string>

namespace toolkit::edit {

class TcxCustomTextEditProperties;

inline constexpr unsigned cxtfSingleLine = 0x200;
inline constexpr unsigned cxtfConstant = 0xC0200;
inline constexpr unsigned cxtfHCenter = 0x1, cxtfRight = 0x2;
inline constexpr unsigned cxtfVCenter = 0x10, cxtfBottom = 0x20;
inline constexpr unsigned cxtfEndEllipsis = 0x800;
inline constexpr unsigned cxtfWordBreak = 0x100, cxtfEditControl = 0x4000;
inline constexpr unsigned cxtfCalcRowCount = 0x200000;
// A colour that is not set.
inline constexpr TColor cxEditColorNotSet = 0x20000000;

// The part of the text painted selected, in its own colours.
struct TcxTextEditSelection {
    int Start = 0;
    int Length = 0;
    TColor TextColor = platform::gdi::clHighlightText;
    TColor BackgroundColor = platform::gdi::clHighlight;
};

class TcxCustomTextEditViewInfo : public TcxCustomEditViewInfo {
public:
    void Assign(const TcxContainerViewInfo& Source) override;
    void Offset(int DX, int DY) override;
    // The text's baseline by the vertical alignment, from the font's ascent and descent.
    int GetTextBaseLine(TcxCanvas& Canvas) const;
    // The full text needs a hint at P: P lies in the text rectangle and the text does not fit.
    bool NeedShowHint(TcxCanvas& Canvas, const TPoint& P) const;
    // Lays the text out in its rows unless that was done since the last calculation.
    void PrepareTextOutData(TcxCanvas& Canvas);

    bool Inverted = false;
    int EditingStyle = 0;
    bool HasPopupWindow = false;
    bool IsReadOnly = false;
    std::string Text;
    TcxTextEditSelection Selection;
    TRect TextRect{};
    unsigned DrawTextFlags = cxtfConstant;
    TcxEditVertAlignment VertAlignment = taTopJustify;
    // The text's rows, built by PrepareTextOutData; a calculation or an assignment drops them.
    TcxTextOutData TextOutData;
    bool IsTextOutDataPrepared = false;

protected:
    void InternalPaint(TcxCanvas& Canvas) override;
    virtual void DrawText(TcxCanvas& Canvas);
};

class TcxCustomTextEditViewData : public TcxCustomEditViewData {
public:
    TcxCustomTextEditViewData(TcxCustomEditProperties& AProperties, TcxCustomEditStyle& AStyle,
                              bool AIsInplace);

    void Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P, TcxMouseButton Button,
                   platform::forms::TShiftState Shift, TcxCustomEditViewInfo& V,
                   bool IsMouseEvent) override;
    TSize GetEditContentSize(TcxCanvas& Canvas, const Variant& Value,
                             const TcxEditSizeProperties& SizeProperties) override;
    // The display value's string, in password or character case.
    bool DisplayValueToDisplayText(const Variant& Value, std::string& Text) override;
    using TcxCustomEditViewData::DisplayValueToDrawValue;
    // The display value as V's draw text (the base's, with the owner's OnGetDisplayText).
    virtual void DisplayValueToDrawValue(const Variant& DisplayValue, TcxCustomTextEditViewInfo& V);
    // The edit value as the draw text, prepared for the current focus.
    virtual void EditValueToDrawValue(const Variant& EditValue, TcxCustomTextEditViewInfo& V);
    // Alignment flags of the properties, with the constant part and the owner's end ellipsis.
    unsigned GetDrawTextFlags() const;
    // V's text flags: single-line, or multi-row when the owner asks for rows, the properties
    // allow them and V's text wraps to more than one row in its rectangle; rows taller than it
    // start at its top.
    virtual void CalculateTextFlags(TcxCanvas& Canvas, TcxCustomTextEditViewInfo& V);
    // The selection's colours: an unset background takes the inverse of the text and the other
    // way round; with neither, the highlight pair, or white on black when the editor's content
    // colour is the highlight colour itself.
    void CalculateSelectionColors(TColor& TextColor, TColor& BackgroundColor) const;

    TcxCustomTextEditProperties& TextProperties() const;
    bool IsDisplayFormatDefinedByProvider = false;
    // Set by the editor before Calculate: what is selected and its colours (unset: defaults).
    int SelStart = 0;
    int SelLength = 0;
    TColor SelTextColor = cxEditColorNotSet;
    TColor SelBackgroundColor = cxEditColorNotSet;
    // The editor's content colour (the style's colour).
    TColor ContentColor = platform::gdi::clWindow;
};

} // namespace toolkit::edit
