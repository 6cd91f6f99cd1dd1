#pragma once
// The class library's buttons with pictures: TSpeedButton (a graphic control that can stay
// down, alone or as one of a group) and TBitBtn (a push button with a kind and a glyph).

#include "platform/forms/graphics.h"
#include "platform/forms/std_ctrls.h"

namespace platform::forms {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);

    // Buttons of one parent with the same non-zero index form a group: one at most is down.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // A group may end with none down: a click on the button that is down lets it up.
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Down() const { return down_; }
    // Set by program: the others of the group go up, and no OnClick runs.
    void SetDown(bool value);
    bool Flat = false;
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;
    // Glyph images side by side: up, disabled, pressed, down.
    TBitmap& Glyph() { return glyph_; }
    int NumGlyphs = 1;

    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void UpdateExclusive();
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;
    bool pressed_ = false;
    bool dragging_ = false;
    bool mouseInside_ = false;
    TBitmap glyph_;
};

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner);

    // A kind gives the caption, the modal result, Default or Cancel, as the platform's.
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind value);
    TBitmap& Glyph() { return glyph_; }
    int NumGlyphs = 1;
    TButtonLayout Layout = blGlyphLeft;
    int Spacing = 4;

    void Click() override;

protected:
    void Paint() override;

private:
    TBitBtnKind kind_ = bkCustom;
    TBitmap glyph_;
};

// Draws a glyph and a caption centred in r, as the picture buttons lay them out.
void DrawButtonFace(TCanvas& canvas, const TRect& r, const TBitmap& glyph, int numGlyphs,
                    int glyphIndex, const std::string& caption, TButtonLayout layout, int spacing,
                    TColor textColor);

} // namespace platform::forms
