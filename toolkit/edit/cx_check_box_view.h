#pragma once
// The check box's layout and painting. The view data places the check (the glyph's size, or
// the look-and-feel's check size) and the caption in the client area by the alignment, and
// works out the check's button state from the mouse and Space; the view info draws the check
// (a glyph strip image, the system's check frame control, or the look-and-feel's own mark for
// the ultra-flat and Office 2003 borders), the caption and the focus rectangle.

#include "toolkit/edit/cx_check_box_properties.h"
#include "toolkit/edit/cx_edit_view_data.h"
#include "toolkit/edit/cx_edit_view_info.h"

#include <string>

namespace toolkit::edit {

// The check's button state: 0 normal, 1 hot, 2 pressed, 3 disabled.
enum TcxCheckButtonState : std::uint8_t { ecsNormal, ecsHot, ecsPressed, ecsDisabled };

// The image of a glyph strip for a state: three images a row (two when GlyphCount is even and
// not a multiple of 3), the pressed row after the normal one; past the strip, the first row.
int cxCheckBoxGlyphIndex(TcxCheckBoxState State, TcxCheckButtonState ButtonState, int GlyphCount);
// The check's border style for an editor's border style.
TcxContainerBorderStyle cxCheckBorderStyle(TcxEditBorderStyle EditBorderStyle);
// The two-colour mask of the system's check-box strip (black where the first image differs
// from the second), made by the check box unit's start; null before it and after its end.
platform::gdi::HBITMAP cxCheckBoxMaskBitmap();
void cxCreateCheckBoxMaskBitmap();
void cxFreeCheckBoxMaskBitmap();

class TcxCustomCheckBoxViewInfo : public TcxCustomEditViewInfo {
public:
    void Assign(const TcxContainerViewInfo& Source) override;
    void Offset(int DX, int DY) override;
    // The check's rectangle; the whole editor when the caption's look changed.
    std::unique_ptr<toolkit::base::TcxRegion>
    CreateUpdateRegion(const TcxContainerViewInfo& Other) override;

    TcxContainerBorderStyle CheckBorderStyle = cbsNone;
    TAlignment Alignment = platform::forms::taLeftJustify;
    TcxCheckBoxState CheckState = cbsUnchecked;
    TcxCheckButtonState CheckButtonState = ecsNormal;
    TRect CheckBoxRect{};
    TRect TextRect{};
    TRect FocusRect{};
    platform::forms::TBitmap* Glyph = nullptr;
    int GlyphCount = 6;
    TcxCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
    bool IsGlyphValid = false;
    TSize CheckSize{13, 13};
    bool IsNativeCheck = false;
    std::string Text;
    bool MultiLine = false;
    bool DrawFocusRect = false;
    toolkit::base::TcxLookAndFeelPainterClass Painter = nullptr;

protected:
    void InternalPaint(TcxCanvas& Canvas) override;

private:
    void DrawCheck(TcxCanvas& Canvas);
    void DrawGlyph(TcxCanvas& Canvas);
    void DrawCheckBorder(TcxCanvas& Canvas, TRect& R);
};

class TcxCustomCheckBoxViewData : public TcxCustomEditViewData {
public:
    TcxCustomCheckBoxViewData(TcxCustomCheckBoxProperties& AProperties, TcxCustomEditStyle& AStyle,
                              bool AIsInplace);

    void Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P, TcxMouseButton Button,
                   platform::forms::TShiftState Shift, TcxCustomEditViewInfo& V,
                   bool IsMouseEvent) override;
    TSize GetEditContentSize(TcxCanvas& Canvas, const Variant& Value,
                             const TcxEditSizeProperties& SizeProperties) override;

    // Lays out the check and the caption in V's client rectangle.
    void CalculateCheckBoxLayout(TcxCustomCheckBoxViewInfo& V);
    TcxCheckButtonState GetCheckButtonState(const TcxCustomCheckBoxViewInfo& Old, const TPoint& P,
                                            TcxMouseButton Button,
                                            platform::forms::TShiftState Shift);
    TSize GetCheckSize();

    TcxCustomCheckBoxProperties& CheckBoxProperties;
    // Set by the editor: Space is held down.
    bool SpacePressed = false;
    bool PaintCopy = false;
};

} // namespace toolkit::edit
