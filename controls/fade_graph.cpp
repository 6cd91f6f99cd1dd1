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
    : forms::TPanel(owner), boxA_(Own<TClickEdit>()), boxB_(Own<TClickEdit>()),
      boxC_(Own<TClickEdit>()) {
    width_ = 160;
    height_ = 140;
    Font().SetName("Small Fonts");
    Font().SetSize(7);
    int tag = 1;
    for (TClickEdit* box : {&boxA_, &boxB_, &boxC_}) {
        box->Tag = tag++;
        box->SetParent(this);
        box->SetParentFont(true);
        box->Onchange = [this](forms::TObject* sender) { BoxChanged(sender); };
        box->OnEndchange = [this](forms::TObject*) {
            if (OnEndchange) OnEndchange(this);
        };
    }
    boxB_.SetVisible(false);
}

int TFadeGraph::FadeTime() const {
    return IsIn() ? a_ : c_;
}
int TFadeGraph::FadeDelay() const {
    return IsIn() ? c_ : a_;
}

void TFadeGraph::SetGLeft(int value) {
    SetAndPaint(gLeft_, value);
}
void TFadeGraph::SetGWidth(int value) {
    SetAndPaint(gWidth_, value);
}
void TFadeGraph::SetGTop(int value) {
    SetAndPaint(gTop_, value);
}
void TFadeGraph::SetGHeight(int value) {
    SetAndPaint(gHeight_, value);
}
void TFadeGraph::SetELeft(int value) {
    SetAndPaint(eLeft_, value);
}
void TFadeGraph::SetEWidth(int value) {
    SetAndPaint(eWidth_, value);
}
void TFadeGraph::SetETop(int value) {
    SetAndPaint(eTop_, value);
}
void TFadeGraph::SetEHeight(int value) {
    SetAndPaint(eHeight_, value);
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

void TFadeGraph::SetGraphBackGround(forms::TColor value) {
    if (value == graphBackGround_) return;
    graphBackGround_ = value;
    PaintNow();
}

void TFadeGraph::SetGraphColor(forms::TColor value) {
    if (value == graphColor_) return;
    graphColor_ = value;
    PaintNow();
}

void TFadeGraph::SetFadeMode(TFadeMode value) {
    if (value == fadeMode_) return;
    fadeMode_ = value;
    PaintNow();
}

void TFadeGraph::SetAndPaint(int& field, int value) {
    if (value == field) return;
    field = value;
    PaintNow();
}

void TFadeGraph::PaintNow() {
    TDrawingNow drawing(*this);
    Paint();
}

int TFadeGraph::ToPixel(double value) const {
    const double reach = std::max(width_, height_) + 16.0;
    return static_cast<int>(std::clamp(value, -reach, reach));
}

int TFadeGraph::KeyPoint() const {
    const bool keyOff = fadeMode_ == OFF_IN || fadeMode_ == OFF_OUT;
    return gLeft_ + 2 + (keyOff ? 44 : 22);
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
    canvas.Pen().SetColor(graphBackGround_);
    canvas.Brush().SetColor(graphBackGround_);
    canvas.Polygon({{gLeft_ + 2, gTop_ + 2},
                    {gLeft_ + gWidth_ - 2, gTop_ + 2},
                    {gLeft_ + gWidth_ - 2, gTop_ + gHeight_ - 2},
                    {gLeft_ + 2, gTop_ + gHeight_ - 2}});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Brush().SetColor(Color());
    boxB_.SetVisible(false);
    const int afterDelay = canvas.TextWidth("Delay  ");
    canvas.TextOut(eLeft_, eTop_ + 2, "Delay");
    canvas.TextOut(eLeft_ + eWidth_ + 40 + afterDelay, eTop_ + 2, "Fade");
    const int delayLeft = eLeft_ + afterDelay;
    const int fadeLeft = delayLeft + eWidth_ + 40 + canvas.TextWidth("Fade  ");
    const int depthLeft = fadeLeft + eWidth_ + 40 + canvas.TextWidth("Depth  ");
    DelayBox().SetBounds(delayLeft, eTop_, eWidth_, eHeight_);
    FadeBox().SetBounds(fadeLeft, eTop_, eWidth_, eHeight_);
    boxB_.SetBounds(depthLeft, eTop_, eWidth_, eHeight_);

    DrawCurve();
}

void TFadeGraph::DrawCurve() {
    const int l = gLeft_;
    const int t = gTop_;
    const int r = l + gWidth_;
    const int b = t + gHeight_;
    const int ym = CentreLine();
    auto& canvas = Canvas();
    canvas.SetFont(Font());

    canvas.Pen().SetColor(graphBackGround_);
    canvas.Brush().SetColor(graphBackGround_);
    canvas.Polygon({{l + 10, t + 2}, {r - 2, t + 2}, {r - 2, b - 2}, {l + 10, b - 2}});
    canvas.Pen().SetColor(gdi::clGray);
    canvas.Polyline({{l, b}, {l, t}, {r, t}});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Polyline({{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}});
    canvas.Pen().SetColor(gdi::clWhite);
    canvas.Polyline({{l, b}, {r, b}, {r, t}});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Polyline({{l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t}});

    canvas.Brush().SetColor(Color());
    canvas.Polyline({{l + 6, ym}, {r - 6, ym}});
    canvas.Polyline({{l + 6, t + 4}, {l + 6, b - 4}});
    canvas.Brush().SetColor(gdi::clBlack);
    canvas.Polygon({{l + 6, t + 4}, {l + 8, t + 6}, {l + 4, t + 6}});
    canvas.Polygon({{l + 6, b - 4}, {l + 8, b - 6}, {l + 4, b - 6}});
    canvas.Polygon({{l + 24, ym + 2}, {l + 26, ym + 4}, {l + 22, ym + 4}});

    canvas.Brush().SetColor(graphBackGround_);
    canvas.Font().SetSize(7);
    canvas.Font().SetColor(gdi::clRed);
    canvas.TextOut(l + 13, ym + 8, "K on");
    if (fadeMode_ == OFF_IN || fadeMode_ == OFF_OUT) {
        canvas.Polygon({{l + 46, ym + 2}, {l + 48, ym + 4}, {l + 44, ym + 4}});
        canvas.TextOut(l + 35, ym + 8, "K off");
    }

    canvas.Pen().SetColor(graphColor_);
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
        const int end = std::min(gWidth_ - 6, width_);
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
    int x = ToPixel(gLeft_ + 24.0);
    int swing = swingAt(x);
    canvas.MoveTo(x, y1);
    while (x < x1) {
        ++x;
        phase += PhaseStep;
        canvas.LineTo(x, ToPixel(y1 + std::sin(phase) * swing));
        if (std::abs(std::sin(phase)) < RenewBelow) swing = swingAt(x);
    }
}

void TFadeGraph::MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TPanel::MouseDown(button, shift, x, y);
    grabbing_ = false;
    const forms::TPoint handles[] = {Handle1(), Handle2()};
    for (int i = 0; i < 2; ++i) {
        if (std::abs(x - handles[i].X) <= 3 && std::abs(y - handles[i].Y) <= 3) {
            grabbed_ = i + 1;
            grabbing_ = true;
            return;
        }
    }
}

void TFadeGraph::MouseMove(forms::TShiftState shift, int x, int y) {
    forms::TPanel::MouseMove(shift, x, y);
    if (!grabbing_ || !Scaled()) return;
    if (grabbed_ == 1) {
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

void TFadeGraph::MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TPanel::MouseUp(button, shift, x, y);
    const bool grabbed = grabbing_;
    grabbing_ = false;
    if (grabbed && OnEndchange) OnEndchange(this);
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
