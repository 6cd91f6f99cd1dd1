#pragma once
// The class library's extra controls: panels and bevels, shapes, images, and the timer (the
// core's component, under the name the forms use).

#include "platform/core/timer.h"
#include "platform/forms/graphics.h"
#include "platform/forms/std_ctrls.h"

namespace platform::forms {

using core::TTimer;

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);

    TPanelBevel BevelInner = bvNone;
    TPanelBevel BevelOuter = bvRaised;
    int BevelWidth = 1;
    int BorderWidth = 0;
    TFormBorderStyle BorderStyle = bsNoBorder;
    TAlignment Alignment = taCenter;

protected:
    void Paint() override;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);
    TBevelShape Shape = bsBox;
    TBevelStyle Style = bsLowered;

protected:
    void Paint() override;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* owner);
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType value);
    // Changes repaint the shape.
    gdi::TPen& Pen() { return pen_; }
    gdi::TBrush& Brush() { return brush_; }

protected:
    void Paint() override;

private:
    TShapeType shape_ = stRectangle;
    gdi::TPen pen_;
    gdi::TBrush brush_;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() { return picture_; }
    // The picture's own canvas: a picture of the control's size is made when there is none.
    TCanvas& Canvas();
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center = false;
    bool Transparent = false;
    bool AutoSize = false;

protected:
    void Paint() override;

private:
    TPicture picture_;
    bool stretch_ = false;
};

} // namespace platform::forms
