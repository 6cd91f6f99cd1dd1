#pragma once
// The LFO fade graph: a delay, then a fade over a time, around key-on (ON modes) or key-off (OFF
// modes), drawn as a wave whose swing grows (IN modes) or shrinks (OUT modes). Two handles on the
// graph and two click boxes edit the delay and the fade time; a handle drag or a box step stores
// and redraws at once without an event, and OnEndchange (Sender = the graph) ends the user's
// action. A value set by program redraws at once and fires nothing.
//
// The graph keeps three values by their place on the time axis: A, the depth B and C. The IN
// modes show the delay C first and the fade A after it; the OUT modes the delay A, then the fade
// C. Switching FadeMode keeps A, B and C, so FadeTime and FadeDelay trade places.
//
// A graph no wider than 25 or no taller than 19 pixels has no scale: it draws both handles at
// the start and maps no drag to values.

#include "controls/graph_panel.h"

namespace controls {

enum TFadeMode { ON_IN, ON_OUT, OFF_IN, OFF_OUT };

class TFadeGraph : public TGraphPanel {
public:
    explicit TFadeGraph(forms::TComponent* owner);

    // The boxes start at ELeft 15, ETop 20, in one row; a change of their layout, the graph
    // area or the colours paints the graph at once, and so does each setter below that changes
    // its value.
    TFadeMode FadeMode() const { return fadeMode_; }
    int FadeTime() const;
    int FadeDelay() const;
    int FadeDepth() const { return b_; }
    void SetFadeMode(TFadeMode value);
    void SetFadeTime(int value);
    void SetFadeDelay(int value);
    void SetFadeDepth(int value);

    // OnChange is declared for the forms that bind it; the graph never fires it.

    // The box that shows the delay, and the one that shows the fade time.
    TClickEdit& DelayBox() { return IsIn() ? boxC_ : boxA_; }
    TClickEdit& FadeBox() { return IsIn() ? boxA_ : boxC_; }

protected:
    void Paint() override;
    void MouseMove(forms::TShiftState shift, int x, int y) override;
    // The boxes are placed as the graph is painted.
    void BoxLayoutChanged() override { PaintNow(); }
    void BoxChanged(forms::TObject* sender) override;
    // 1 and 2, as Handle1 and Handle2.
    int HandleAt(int x, int y) const override;

private:
    bool IsIn() const { return fadeMode_ == ON_IN || fadeMode_ == OFF_IN; }
    bool Scaled() const { return GWidth() > 25 && GHeight() > 19; }
    // Values per pixel along the time axis and up the level axis.
    double HorizontalScale() const { return 381.0 / (GWidth() - 25); }
    double VerticalScale() const { return 254.0 / (GHeight() - 19); }
    // Key-on, or key-off in the OFF modes: where the time axis starts counting.
    int KeyPoint() const;
    int CentreLine() const { return GTop() + GHeight() / 2; }
    // Drops the fraction (toward zero), as the drawing does throughout, and stays a little
    // outside the client area: values a program sets far out of range, or a graph larger than
    // its panel, would otherwise draw (and walk the wave over) pixels no one sees.
    int ToPixel(double value) const;
    // The handles' centres: 1 ends the delay in IN modes and the fade in OUT modes, and lies on
    // the centre line; 2 is the other end and shows the depth.
    forms::TPoint Handle1() const;
    forms::TPoint Handle2() const;
    // The value a handle dragged to x gives, counted from the pixel from.
    int ValueAt(int x, int from) const;
    void DrawCurve();
    void DrawWave(int x1, int y1, int x2, int y2m);

    int a_ = 127;
    int b_ = 127;
    int c_ = 127;
    TClickEdit& boxA_;
    TClickEdit& boxB_;
    TClickEdit& boxC_;
    TFadeMode fadeMode_ = ON_IN;
};

} // namespace controls
