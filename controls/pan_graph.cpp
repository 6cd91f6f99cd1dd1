#include "controls/pan_graph.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

namespace controls {

namespace gdi = platform::gdi;

namespace {

// Four segments of at most 127 each across the graph's width.
constexpr double FullTime = 508.0;
constexpr double FullLevel = 127.0;
constexpr int Centre = 63;
// How far from a handle's centre a press still grabs it, in x and in y.
constexpr int Reach = 4;

// Toward zero, kept inside int so that no value an envelope holds can overflow the cast.
int Trunc(double value) {
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, lo, hi));
}

} // namespace

TPanGraph::TPanGraph(forms::TComponent* owner) : forms::TPanel(owner) {
    for (int k = 2; k <= 5; ++k) {
        for (auto* boxes : {&levelBoxes_, &timeBoxes_}) {
            auto& box = Own<TClickEdit>();
            box.SetParent(this);
            box.SetParentFont(true);
            box.Tag = k;
            box.Onchange = [this](forms::TObject* sender) { BoxChange(sender); };
            box.OnEndchange = [this](forms::TObject*) {
                if (OnEndchange) OnEndchange(this);
            };
            (*boxes)[Slot(k)] = &box;
        }
    }
    width_ = 160;
    height_ = 140;
    font_.SetName("Small Fonts");
    font_.SetSize(7);
    LayoutBoxes();
}

void TPanGraph::SetEnvelope(const TEnvelope& envelope) {
    for (int k = 1; k <= 5; ++k) {
        Point(k).Time = envelope[static_cast<std::size_t>(2 * k - 2)];
        Point(k).Level = envelope[static_cast<std::size_t>(2 * k - 1)];
    }
    PaintNow();
}

TPanGraph::TEnvelope TPanGraph::GetEnvelope() const {
    TEnvelope envelope{};
    for (int k = 1; k <= 5; ++k) {
        envelope[static_cast<std::size_t>(2 * k - 2)] = Point(k).Time;
        envelope[static_cast<std::size_t>(2 * k - 1)] = Point(k).Level;
    }
    return envelope;
}

namespace {

template <class T> bool Change(T& field, T value) {
    if (field == value) return false;
    field = value;
    return true;
}

} // namespace

void TPanGraph::SetGLeft(int value) {
    if (Change(gLeft_, value)) PaintNow();
}
void TPanGraph::SetGWidth(int value) {
    if (Change(gWidth_, value)) PaintNow();
}
void TPanGraph::SetGTop(int value) {
    if (Change(gTop_, value)) PaintNow();
}
void TPanGraph::SetGHeight(int value) {
    if (Change(gHeight_, value)) PaintNow();
}
void TPanGraph::SetGraphBackGround(forms::TColor value) {
    if (Change(graphBackGround_, value)) PaintNow();
}
void TPanGraph::SetGraphColor(forms::TColor value) {
    if (Change(graphColor_, value)) PaintNow();
}
void TPanGraph::SetGraphType(TGraphType value) {
    if (Change(graphType_, value)) PaintNow();
}
void TPanGraph::SetELeft(int value) {
    if (Change(eLeft_, value)) LayoutBoxes();
}
void TPanGraph::SetEWidth(int value) {
    if (Change(eWidth_, value)) LayoutBoxes();
}
void TPanGraph::SetETop(int value) {
    if (Change(eTop_, value)) LayoutBoxes();
}
void TPanGraph::SetEHeight(int value) {
    if (Change(eHeight_, value)) LayoutBoxes();
}

void TPanGraph::LayoutBoxes() {
    if (!Caption().empty()) SetCaption("");
    const bool bipolar = graphType_ == FirstHalf;
    Point(1) = {0, bipolar ? Centre : 0};
    for (int k = 2; k <= 5; ++k) {
        TClickEdit& time = TimeBox(k);
        TClickEdit& level = LevelBox(k);
        // The boxes' own range is 0..127; a bipolar graph's level boxes show -63..63 instead.
        level.SetMax(bipolar ? Centre : 127);
        level.SetMin(bipolar ? -Centre : 0);
        time.SetValue(Point(k).Time);
        level.SetValue(Point(k).Level - (bipolar ? Centre : 0));
        const int left = (k - 2) * (eWidth_ + 7) + eLeft_;
        time.SetBounds(left, eTop_, eWidth_, eHeight_);
        level.SetBounds(left, eTop_ + eHeight_ + 4, eWidth_, eHeight_);
    }
    LevelBox(5).SetVisible(graphType_ != LastLocked);
}

void TPanGraph::PaintNow() {
    if (!HandleAllocated()) {
        LayoutBoxes();
        return;
    }
    TDrawingNow drawing(*this);
    Paint();
}

double TPanGraph::HorizontalScale() const {
    return FullTime / (gWidth_ - 10);
}
double TPanGraph::VerticalScale() const {
    return FullLevel / (gHeight_ - 10);
}

int TPanGraph::Clamp(int value) const {
    return std::clamp(value, 0, graphType_ == FirstHalf ? 126 : 127);
}

forms::TPoint TPanGraph::PointPixel(int k) const {
    const forms::TPoint start{gLeft_ + 5, gTop_ + gHeight_ - 4};
    if (!HasScale()) return start;
    double time = 0;
    for (int i = 1; i <= k; ++i)
        time += Point(i).Time;
    return {Trunc(time / HorizontalScale() + gLeft_ + 2.0) + 3,
            Trunc((gTop_ + gHeight_ - 2) - Point(k).Level / VerticalScale()) - 2};
}

TPanGraph::TEnvPoint TPanGraph::PointAt(int k, int x, int y) const {
    if (!HasScale()) return Point(k);
    const forms::TPoint reference = PointPixel(k - 1);
    TEnvPoint point;
    point.Time = Clamp(Trunc((x - reference.X) * HorizontalScale()));
    point.Level = Clamp(Trunc((reference.Y - y) * VerticalScale()) + Point(k - 1).Level);
    if (k == 5 && graphType_ == LastLocked) point.Level = 0;
    return point;
}

void TPanGraph::Paint() {
    LayoutBoxes();
    forms::TPanel::Paint();
    auto& canvas = Canvas();
    canvas.SetFont(Font());
    const int l = gLeft_, t = gTop_, r = gLeft_ + gWidth_, b = gTop_ + gHeight_;
    canvas.Pen().SetColor(graphBackGround_);
    canvas.Brush().SetColor(graphBackGround_);
    canvas.Polygon({{l, t}, {r - 1, t}, {r - 1, b}, {l, b}});
    canvas.Pen().SetColor(gdi::clGray);
    canvas.Polyline({{l, b}, {l, t}, {r, t}});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Polyline({{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}});
    canvas.Pen().SetColor(gdi::clWhite);
    canvas.Polyline({{l, b}, {r, b}, {r, t}});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Polyline({{l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t}});

    canvas.Brush().SetColor(Color());
    const int h = canvas.TextHeight("Time");
    canvas.TextOut(l, eTop_ + (eHeight_ - h) / 2, "Time");
    canvas.TextOut(l, eTop_ + eHeight_ + 4 + (eHeight_ - h) / 2, "Level");
    const int oneWidth = canvas.TextWidth("1");
    const int oneHeight = canvas.TextHeight("1");
    for (int i = 1; i <= 4; ++i)
        canvas.TextOut(eLeft_ + (eWidth_ - oneWidth) / 2 + (eWidth_ + 7) * (i - 1),
                       eTop_ - oneHeight - 2, std::to_string(i));
    DrawEnvelope(false);
}

void TPanGraph::DrawEnvelope(bool erase) {
    auto& canvas = Canvas();
    canvas.Pen().SetColor(erase ? graphBackGround_ : graphColor_);
    canvas.Brush().SetColor(erase ? graphBackGround_ : gdi::clRed);
    const auto handle = [&canvas](forms::TPoint p) {
        canvas.Ellipse(p.X - 3, p.Y - 3, p.X + 3, p.Y + 3);
    };
    const forms::TPoint first = PointPixel(1);
    handle(first);
    if (graphType_ == FirstHalf) {
        canvas.Pen().SetStyle(gdi::TPenStyle::psDot);
        canvas.MoveTo(first.X + 1, first.Y);
        canvas.LineTo(gLeft_ + gWidth_ - 2, first.Y);
        canvas.Pen().SetStyle(gdi::TPenStyle::psSolid);
    }
    canvas.MoveTo(first.X, first.Y);
    for (int k = 2; k <= 5; ++k) {
        const forms::TPoint p = PointPixel(k);
        canvas.LineTo(p.X, p.Y);
        handle(p);
    }
}

void TPanGraph::ShowInBoxes(int k) {
    TimeBox(k).SetValue(Point(k).Time);
    LevelBox(k).SetValue(Point(k).Level - (graphType_ == FirstHalf ? Centre : 0));
}

void TPanGraph::MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TPanel::MouseDown(button, shift, x, y);
    grabbing_ = false;
    for (int k = 2; k <= 5; ++k) {
        const forms::TPoint p = PointPixel(k);
        if (std::abs(p.X - x) <= Reach && std::abs(p.Y - y) <= Reach) {
            grabbed_ = k;
            grabbing_ = true;
            break;
        }
    }
}

void TPanGraph::MouseMove(forms::TShiftState shift, int x, int y) {
    if (grabbing_) {
        {
            TDrawingNow drawing(*this);
            DrawEnvelope(true);
            Point(grabbed_) = PointAt(grabbed_, x, y);
            DrawEnvelope(false);
        }
        ShowInBoxes(grabbed_);
    }
    forms::TPanel::MouseMove(shift, x, y);
}

void TPanGraph::MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TPanel::MouseUp(button, shift, x, y);
    if (grabbing_ && OnEndchange) OnEndchange(this);
    grabbing_ = false;
}

void TPanGraph::BoxChange(forms::TObject* sender) {
    const auto* box = dynamic_cast<const TClickEdit*>(sender);
    if (!box) return;
    const int k = static_cast<int>(box->Tag);
    {
        TDrawingNow drawing(*this);
        DrawEnvelope(true);
        Point(k).Time = TimeBox(k).Value();
        Point(k).Level = LevelBox(k).Value() + (graphType_ == FirstHalf ? Centre : 0);
        DrawEnvelope(false);
    }
    if (OnChange) OnChange(this);
}

} // namespace controls
