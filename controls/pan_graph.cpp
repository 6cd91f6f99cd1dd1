#include "controls/pan_graph.h"

#include <algorithm>
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

TPanGraph::TPanGraph(forms::TComponent* owner) : TGraphPanel(owner, 32, 15) {
    for (int k = 2; k <= 5; ++k) {
        levelBoxes_[Slot(k)] = &AddBox(k);
        timeBoxes_[Slot(k)] = &AddBox(k);
    }
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

void TPanGraph::SetGraphType(TGraphType value) {
    SetAndPaint(graphType_, value);
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
        const int left = (k - 2) * (EWidth() + 7) + ELeft();
        time.SetBounds(left, ETop(), EWidth(), EHeight());
        level.SetBounds(left, ETop() + EHeight() + 4, EWidth(), EHeight());
    }
    LevelBox(5).SetVisible(graphType_ != LastLocked);
}

void TPanGraph::PaintNow() {
    if (HandleAllocated())
        TGraphPanel::PaintNow();
    else
        LayoutBoxes();
}

double TPanGraph::HorizontalScale() const {
    return FullTime / (GWidth() - 10);
}
double TPanGraph::VerticalScale() const {
    return FullLevel / (GHeight() - 10);
}

int TPanGraph::Clamp(int value) const {
    return std::clamp(value, 0, graphType_ == FirstHalf ? 126 : 127);
}

forms::TPoint TPanGraph::PointPixel(int k) const {
    const forms::TPoint start{GLeft() + 5, GTop() + GHeight() - 4};
    if (!HasScale()) return start;
    double time = 0;
    for (int i = 1; i <= k; ++i)
        time += Point(i).Time;
    return {Trunc(time / HorizontalScale() + GLeft() + 2.0) + 3,
            Trunc((GTop() + GHeight() - 2) - Point(k).Level / VerticalScale()) - 2};
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
    const int l = GLeft();
    FillGraph(l, GTop(), l + GWidth() - 1, GTop() + GHeight());
    DrawBevel();

    canvas.Brush().SetColor(Color());
    const int h = canvas.TextHeight("Time");
    canvas.TextOut(l, ETop() + (EHeight() - h) / 2, "Time");
    canvas.TextOut(l, ETop() + EHeight() + 4 + (EHeight() - h) / 2, "Level");
    const int oneWidth = canvas.TextWidth("1");
    const int oneHeight = canvas.TextHeight("1");
    for (int i = 1; i <= 4; ++i)
        canvas.TextOut(ELeft() + (EWidth() - oneWidth) / 2 + (EWidth() + 7) * (i - 1),
                       ETop() - oneHeight - 2, std::to_string(i));
    DrawEnvelope(false);
}

void TPanGraph::DrawEnvelope(bool erase) {
    auto& canvas = Canvas();
    canvas.Pen().SetColor(erase ? GraphBackGround() : GraphColor());
    canvas.Brush().SetColor(erase ? GraphBackGround() : gdi::clRed);
    const auto handle = [&canvas](forms::TPoint p) {
        canvas.Ellipse(p.X - 3, p.Y - 3, p.X + 3, p.Y + 3);
    };
    const forms::TPoint first = PointPixel(1);
    handle(first);
    if (graphType_ == FirstHalf) {
        canvas.Pen().SetStyle(gdi::TPenStyle::psDot);
        canvas.MoveTo(first.X + 1, first.Y);
        canvas.LineTo(GLeft() + GWidth() - 2, first.Y);
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

int TPanGraph::HandleAt(int x, int y) const {
    for (int k = 2; k <= 5; ++k)
        if (Within(PointPixel(k), Reach, x, y)) return k;
    return 0;
}

void TPanGraph::MouseMove(forms::TShiftState shift, int x, int y) {
    if (Grabbing()) {
        {
            TDrawingNow drawing(*this);
            DrawEnvelope(true);
            Point(Grabbed()) = PointAt(Grabbed(), x, y);
            DrawEnvelope(false);
        }
        ShowInBoxes(Grabbed());
    }
    forms::TPanel::MouseMove(shift, x, y);
}

void TPanGraph::BoxChanged(forms::TObject* sender) {
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
