#include "controls/fade_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace controls {

namespace gdi = platform::gdi;

namespace {

constexpr double StartPhase = 3.14;
constexpr double PhaseStep = 0.4;
// Near a zero crossing the swing is taken again, so the wave grows or shrinks in whole waves.
constexpr double RenewBelow = 0.2;

} // namespace

TFadeGraph::TFadeGraph(forms::TComponent* owner)
    : TGraphPanel(owner, 15, 20), boxA_(AddBox(1)), boxB_(AddBox(2)), boxC_(AddBox(3)) {
    boxB_.SetVisible(false);
}

int TFadeGraph::FadeTime() const {
    return IsIn() ? a_ : c_;
}
int TFadeGraph::FadeDelay() const {
    return IsIn() ? c_ : a_;
}

void TFadeGraph::SetFadeTime(int value) {
    SetAndPaint(IsIn() ? a_ : c_, value);
}
void TFadeGraph::SetFadeDelay(int value) {
    SetAndPaint(IsIn() ? c_ : a_, value);
}
void TFadeGraph::SetFadeDepth(int value) {
    SetAndPaint(b_, value);
}

void TFadeGraph::SetFadeMode(TFadeMode value) {
    SetAndPaint(fadeMode_, value);
}

int TFadeGraph::ToPixel(double value) const {
    const double reach = std::max(width_, height_) + 16.0;
    return static_cast<int>(std::clamp(value, -reach, reach));
}

int TFadeGraph::KeyPoint() const {
    const bool keyOff = fadeMode_ == OFF_IN || fadeMode_ == OFF_OUT;
    return GLeft() + 2 + (keyOff ? 44 : 22);
}

forms::TPoint TFadeGraph::Handle1() const {
    const double k0 = KeyPoint();
    const int ym = ToPixel(CentreLine());
    if (!Scaled()) return {ToPixel(k0), ym};
    const double h = HorizontalScale();
    return {ToPixel((IsIn() ? static_cast<double>(c_) : static_cast<double>(a_) + c_) / h + k0),
            ym};
}

forms::TPoint TFadeGraph::Handle2() const {
    const double k0 = KeyPoint();
    const double ym = CentreLine();
    if (!Scaled()) return {ToPixel(k0), ToPixel(ym)};
    const double h = HorizontalScale();
    return {ToPixel((IsIn() ? static_cast<double>(c_) + a_ : static_cast<double>(a_)) / h + k0),
            ToPixel(ym - b_ / VerticalScale())};
}

int TFadeGraph::ValueAt(int x, int from) const {
    return static_cast<int>(
        std::clamp((static_cast<double>(x) - from) * HorizontalScale(), 0.0, 127.0));
}

void TFadeGraph::Paint() {
    SetCaption("");
    boxA_.SetValue(a_);
    boxB_.SetValue(b_);
    boxC_.SetValue(c_);

    auto& canvas = Canvas();
    canvas.SetFont(Font());
    FillGraph(GLeft() + 2, GTop() + 2, GLeft() + GWidth() - 2, GTop() + GHeight() - 2);
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Brush().SetColor(Color());
    boxB_.SetVisible(false);
    const int afterDelay = canvas.TextWidth("Delay  ");
    canvas.TextOut(ELeft(), ETop() + 2, "Delay");
    canvas.TextOut(ELeft() + EWidth() + 40 + afterDelay, ETop() + 2, "Fade");
    const int delayLeft = ELeft() + afterDelay;
    const int fadeLeft = delayLeft + EWidth() + 40 + canvas.TextWidth("Fade  ");
    const int depthLeft = fadeLeft + EWidth() + 40 + canvas.TextWidth("Depth  ");
    DelayBox().SetBounds(delayLeft, ETop(), EWidth(), EHeight());
    FadeBox().SetBounds(fadeLeft, ETop(), EWidth(), EHeight());
    boxB_.SetBounds(depthLeft, ETop(), EWidth(), EHeight());

    DrawCurve();
}

void TFadeGraph::DrawCurve() {
    const int l = GLeft();
    const int t = GTop();
    const int r = l + GWidth();
    const int b = t + GHeight();
    const int ym = CentreLine();
    auto& canvas = Canvas();
    canvas.SetFont(Font());

    FillGraph(l + 10, t + 2, r - 2, b - 2);
    DrawBevel();

    canvas.Brush().SetColor(Color());
    canvas.Polyline({{l + 6, ym}, {r - 6, ym}});
    canvas.Polyline({{l + 6, t + 4}, {l + 6, b - 4}});
    canvas.Brush().SetColor(gdi::clBlack);
    canvas.Polygon({{l + 6, t + 4}, {l + 8, t + 6}, {l + 4, t + 6}});
    canvas.Polygon({{l + 6, b - 4}, {l + 8, b - 6}, {l + 4, b - 6}});
    canvas.Polygon({{l + 24, ym + 2}, {l + 26, ym + 4}, {l + 22, ym + 4}});

    canvas.Brush().SetColor(GraphBackGround());
    canvas.Font().SetSize(7);
    canvas.Font().SetColor(gdi::clRed);
    canvas.TextOut(l + 13, ym + 8, "K on");
    if (fadeMode_ == OFF_IN || fadeMode_ == OFF_OUT) {
        canvas.Polygon({{l + 46, ym + 2}, {l + 48, ym + 4}, {l + 44, ym + 4}});
        canvas.TextOut(l + 35, ym + 8, "K off");
    }

    canvas.Pen().SetColor(GraphColor());
    canvas.Brush().SetColor(gdi::clRed);
    const forms::TPoint p1 = Handle1();
    const forms::TPoint p2 = Handle2();
    const int y2m = p2.Y + 2 * (p1.Y - p2.Y);
    // IN modes run on to the right edge at full swing; OUT modes come from key-on at full swing.
    const int fullSwingEnd = IsIn() ? r - 6 : l + 24;
    canvas.Polyline({p1, p2, {fullSwingEnd, p2.Y}});
    canvas.Polyline({p1, {p2.X, y2m}, {fullSwingEnd, y2m}});
    DrawWave(p1.X, p1.Y, p2.X, y2m);
    for (const forms::TPoint& p : {p1, p2})
        canvas.Ellipse(p.X - 3, p.Y - 3, p.X + 3, p.Y + 3);
}

void TFadeGraph::DrawWave(int x1, int y1, int x2, int y2m) {
    auto& canvas = Canvas();
    const int fullSwing = std::abs(y2m - y1);
    double phase = StartPhase;
    if (IsIn()) {
        // Grows from nothing at the delay's end (x1) to the full swing at the fade's end (x2);
        // the wave starts at x1, so x + 3 < x2 also means x2 > x1.
        const auto swingAt = [&](int x) {
            if (x + 3 >= x2) return fullSwing;
            return ToPixel(double(x + 3 - x1) * (y2m - y1) / (x2 - x1));
        };
        int x = x1;
        int swing = swingAt(x);
        const int end = std::min(GWidth() - 6, width_);
        canvas.MoveTo(x, y1);
        do {
            ++x;
            phase += PhaseStep;
            canvas.LineTo(x, ToPixel(y1 + std::sin(phase) * swing));
            if (std::abs(std::sin(phase)) < RenewBelow) swing = swingAt(x);
        } while (x <= end);
        return;
    }
    // Full swing from key-on to the delay's end (x2), then shrinking to nothing at the fade's
    // end (x1).
    const auto swingAt = [&](int x) {
        if (x + 3 <= x2 || x1 == x2) return fullSwing;
        return ToPixel(double(x1 - (x + 3)) * (y2m - y1) / (x1 - x2));
    };
    int x = ToPixel(GLeft() + 24.0);
    int swing = swingAt(x);
    canvas.MoveTo(x, y1);
    while (x < x1) {
        ++x;
        phase += PhaseStep;
        canvas.LineTo(x, ToPixel(y1 + std::sin(phase) * swing));
        if (std::abs(std::sin(phase)) < RenewBelow) swing = swingAt(x);
    }
}

int TFadeGraph::HandleAt(int x, int y) const {
    if (Within(Handle1(), 3, x, y)) return 1;
    if (Within(Handle2(), 3, x, y)) return 2;
    return 0;
}

void TFadeGraph::MouseMove(forms::TShiftState shift, int x, int y) {
    forms::TPanel::MouseMove(shift, x, y);
    if (!Grabbing() || !Scaled()) return;
    if (Grabbed() == 1) {
        c_ = ValueAt(x, IsIn() ? KeyPoint() : Handle2().X);
        boxC_.SetValue(c_);
    } else {
        a_ = ValueAt(x, IsIn() ? Handle1().X : KeyPoint());
        b_ = 127;
        boxA_.SetValue(a_);
        boxB_.SetValue(b_);
    }
    TDrawingNow drawing(*this);
    DrawCurve();
}

void TFadeGraph::BoxChanged(forms::TObject* sender) {
    const auto* box = dynamic_cast<TClickEdit*>(sender);
    if (!box) return;
    if (box->Tag == 1) a_ = box->Value();
    if (box->Tag == 2) b_ = box->Value();
    if (box->Tag == 3) c_ = box->Value();
    TDrawingNow drawing(*this);
    DrawCurve();
}

} // namespace controls
