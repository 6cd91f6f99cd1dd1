#include "controls/pan_graph.h"

#include "controls/tests/controls_fixture.h"

#include <cstdlib>
#include <string>

namespace controls::test {
namespace {

namespace gdi = platform::gdi;
using TEnvelope = TPanGraph::TEnvelope;

gdi::TColor Rgb(gdi::TColor color) {
    return static_cast<gdi::TColor>(gdi::ColorToRGB(color));
}
const gdi::TColor Red = Rgb(gdi::clRed);
const gdi::TColor Aqua = Rgb(gdi::clAqua);

// One pixel's worth of time and of level at the page geometry below.
constexpr double TimePerPixel = 508.0 / 145;
constexpr double LevelPerPixel = 127.0 / 85;

class PanGraphTest : public ControlsFixture {
protected:
    // The geometry the pages use.
    TPanGraph& Graph(TGraphType type, const TEnvelope& envelope) {
        auto& graph = Place<TPanGraph>({10, 10, 183, 174});
        graph.SetGLeft(8);
        graph.SetGWidth(155);
        graph.SetGTop(8);
        graph.SetGHeight(95);
        graph.SetELeft(43);
        graph.SetEWidth(25);
        graph.SetETop(120);
        graph.SetEHeight(15);
        graph.SetGraphType(type);
        graph.SetEnvelope(envelope);
        graph.OnChange = [this, &graph](forms::TObject* sender) {
            EXPECT_EQ(sender, &graph);
            ++changes;
        };
        graph.OnEndchange = [this, &graph](forms::TObject* sender) {
            EXPECT_EQ(sender, &graph);
            ++ends;
        };
        testsupport::PumpUntilIdle();
        return graph;
    }
    // Presses on point k's handle, moves to the client point and releases there.
    void DragPoint(TPanGraph& graph, int k, forms::TPoint to) {
        const int changesBefore = changes, endsBefore = ends;
        driver.Press(At(graph, graph.PointPixel(k)));
        driver.MoveTo(At(graph, to));
        EXPECT_EQ(changes, changesBefore) << "a drag fires nothing until the release";
        EXPECT_EQ(ends, endsBefore);
        driver.Release(At(graph, to));
    }
    // Red pixels in the 5 x 5 square around a handle's centre (the lines drawn after a handle
    // cross it, so its centre itself may be the line's).
    int RedAround(TPanGraph& graph, forms::TPoint centre) {
        int count = 0;
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy)
                count += Pixel(graph, {centre.X + dx, centre.Y + dy}) == Red ? 1 : 0;
        return count;
    }
    bool HandleAt(TPanGraph& graph, forms::TPoint centre) { return RedAround(graph, centre) >= 6; }
    static int Time(const TEnvelope& e, int k) { return e[static_cast<std::size_t>(2 * k - 2)]; }
    static int Level(const TEnvelope& e, int k) { return e[static_cast<std::size_t>(2 * k - 1)]; }

    int changes = 0;
    int ends = 0;
};

TEST_F(PanGraphTest, DefaultsAndBoxes) {
    auto& graph = Place<TPanGraph>({10, 10, 170, 150});
    auto fresh = TPanGraph(nullptr);
    EXPECT_EQ(fresh.Width(), 160);
    EXPECT_EQ(fresh.Height(), 140);
    EXPECT_EQ(fresh.Font().Name(), "Small Fonts");
    EXPECT_EQ(fresh.Font().Size(), 7);
    EXPECT_EQ(graph.GLeft(), 5);
    EXPECT_EQ(graph.GTop(), 55);
    EXPECT_EQ(graph.GWidth(), 147);
    EXPECT_EQ(graph.GHeight(), 77);
    EXPECT_EQ(graph.GraphBackGround(), gdi::clAqua);
    EXPECT_EQ(graph.GraphColor(), gdi::clBlack);
    EXPECT_EQ(graph.GraphType(), LastLocked);
    EXPECT_EQ(graph.GetEnvelope(), TEnvelope{});
    for (int k = 2; k <= 5; ++k) {
        for (TClickEdit* box : {&graph.TimeBox(k), &graph.LevelBox(k)}) {
            EXPECT_EQ(box->Tag, k);
            EXPECT_TRUE(box->ParentFont());
            EXPECT_EQ(box->Parent(), &graph);
            EXPECT_EQ(box->Width(), 23);
            EXPECT_EQ(box->Left(), (k - 2) * 30 + 32);
        }
        EXPECT_EQ(graph.TimeBox(k).Top(), 15);
        EXPECT_EQ(graph.LevelBox(k).Top(), 34);
    }
    EXPECT_FALSE(graph.LevelBox(5).Visible()) << "a locked last point has no level box";
    graph.SetGraphType(Normal);
    EXPECT_TRUE(graph.LevelBox(5).Visible());
}

// Both directions truncate: a point is drawn at the pixel its value falls in, and a drag takes
// the value at the pointer's distance from the previous point's pixel, truncated again. A value
// comes back exactly where the previous point's truncation makes up for the point's own. At the
// page geometry a pixel is 508/145 = 3.503 time units and 127/85 = 1.494 level units.
struct RoundTrip {
    const char* name;
    TGraphType type;
    TEnvelope target;
    int k;
};
const RoundTrip roundTrips[] = {
    // 63 units are 17.98 px; point 4 lies 0.13 px into its pixel (60 units = 17.13 px), so
    // point 5 falls 18 px further on, and 18 px are 63.06 units: 63. Level 120 is 80.31 px up
    // and the reference's 70 is 46.85 px: drawn 81 - 47 = 34 px apart, 34 px are 50.8 levels,
    // 70 + 50 = 120.
    {"last_point_normal", Normal, {0, 0, 10, 100, 30, 50, 20, 70, 63, 120}, 5},
    // 14 units are 4.00 px (just under), the reference (35 units) 9.99 px: 4 px apart again,
    // 4 px are 14.01 units. Level 20 below the centre line's 30: 13.39 and 20.08 px, drawn
    // 21 - 14 = 7 px apart; -7 px are -10.46 levels, truncated toward zero -10: 30 - 10 = 20.
    {"bipolar_point_4", FirstHalf, {0, 63, 10, 100, 25, 30, 14, 20, 30, 63}, 4},
};

class PanGraphRoundTrip : public PanGraphTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(PanGraphRoundTrip, APointDraggedToThePixelOfAValueGetsItBack) {
    const RoundTrip& c = GetParam();
    auto& graph = Graph(c.type, c.target);
    const forms::TPoint target = graph.PointPixel(c.k);
    EXPECT_TRUE(HandleAt(graph, target)) << "the handle is drawn there";
    TEnvelope start = c.target;
    start[static_cast<std::size_t>(2 * c.k - 2)] = 2;
    start[static_cast<std::size_t>(2 * c.k - 1)] = 10;
    graph.SetEnvelope(start);
    EXPECT_EQ(changes + ends, 0) << "setting by program fires nothing";
    const forms::TPoint from = graph.PointPixel(c.k);
    ASSERT_NE(from, target);
    DragPoint(graph, c.k, target);
    EXPECT_EQ(graph.GetEnvelope(), c.target);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(graph.TimeBox(c.k).Value(), Time(c.target, c.k));
    EXPECT_EQ(graph.LevelBox(c.k).Value(), Level(c.target, c.k) - (c.type == FirstHalf ? 63 : 0));
    EXPECT_TRUE(HandleAt(graph, target));
    EXPECT_EQ(RedAround(graph, from), 0) << "the handle was erased where it was";
}

INSTANTIATE_TEST_SUITE_P(, PanGraphRoundTrip, ::testing::ValuesIn(roundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanGraphTest, EveryValueComesBackWithinAPixelsWorth) {
    // The pointer's pixel and the reference's each lose less than a pixel, the value truncates
    // once more: off by less than one pixel's worth plus one.
    const TEnvelope base{0, 0, 10, 100, 0, 0, 0, 0, 0, 0};
    auto& graph = Graph(Normal, base);
    // Among them the ones that come back 2 above (110 and 120 units, level 33 below the
    // reference: a negative distance truncates toward zero).
    for (int time : {0, 1, 37, 64, 110, 120, 126}) {
        for (int level : {0, 1, 33, 97, 127}) {
            TEnvelope target = base;
            target[4] = time;
            target[5] = level;
            graph.SetEnvelope(target);
            const forms::TPoint pixel = graph.PointPixel(3);
            graph.SetEnvelope(base);
            DragPoint(graph, 3, pixel);
            const TEnvelope got = graph.GetEnvelope();
            EXPECT_LT(std::abs(Time(got, 3) - time), TimePerPixel + 1) << time << " " << level;
            EXPECT_LT(std::abs(Level(got, 3) - level), LevelPerPixel + 1) << time << " " << level;
        }
    }
}

TEST_F(PanGraphTest, APressFivePixelsAwayGrabsNothingAndFourPixelsAwayGrabs) {
    const TEnvelope envelope{0, 0, 30, 100, 40, 40, 30, 90, 20, 0};
    auto& graph = Graph(Normal, envelope);
    const forms::TPoint p3 = graph.PointPixel(3);
    for (const forms::TPoint offset : {forms::TPoint{5, 0}, {-5, 0}, {0, 5}, {0, -5}, {5, 5}}) {
        const forms::TPoint press{p3.X + offset.X, p3.Y + offset.Y};
        driver.Press(At(graph, press));
        driver.MoveTo(At(graph, {press.X + 10, press.Y - 10}));
        driver.Release(At(graph, {press.X + 10, press.Y - 10}));
        EXPECT_EQ(graph.GetEnvelope(), envelope) << offset.X << "," << offset.Y;
    }
    EXPECT_EQ(ends, 0);
    driver.Press(At(graph, {p3.X + 4, p3.Y - 4}));
    driver.MoveTo(At(graph, {p3.X + 14, p3.Y - 14}));
    driver.Release(At(graph, {p3.X + 14, p3.Y - 14}));
    EXPECT_NE(graph.GetEnvelope(), envelope);
    EXPECT_EQ(ends, 1);
}

TEST_F(PanGraphTest, ALockedLastPointKeepsLevelZeroWhenDraggedUp) {
    auto& graph = Graph(LastLocked, {0, 0, 10, 100, 30, 50, 20, 70, 30, 0});
    const forms::TPoint p5 = graph.PointPixel(5);
    DragPoint(graph, 5, {p5.X + 20, p5.Y - 50});
    const TEnvelope got = graph.GetEnvelope();
    EXPECT_EQ(Level(got, 5), 0);
    EXPECT_GT(Time(got, 5), 30);
    EXPECT_EQ(graph.TimeBox(5).Value(), Time(got, 5));
    EXPECT_EQ(graph.PointPixel(5).Y, p5.Y);
    EXPECT_EQ(ends, 1);
}

TEST_F(PanGraphTest, OverlappingHandlesGrabTheLowestNumberedPoint) {
    // Point 4 lies 2 px right of point 3 (7 time units), at the same level.
    const TEnvelope envelope{0, 0, 20, 100, 30, 60, 7, 60, 30, 0};
    auto& graph = Graph(Normal, envelope);
    const forms::TPoint p4 = graph.PointPixel(4);
    ASSERT_LE(std::abs(p4.X - graph.PointPixel(3).X), 4);
    DragPoint(graph, 4, {p4.X, p4.Y - 30});
    const TEnvelope got = graph.GetEnvelope();
    EXPECT_GT(Level(got, 3), 60) << "point 3 was grabbed";
    EXPECT_EQ(Time(got, 4), 7);
    EXPECT_EQ(Level(got, 4), 60);
}

// The release lets the point go before OnEndchange: a pointer move while its handler runs (a
// handler that pumps messages) no longer drags the point.
TEST_F(PanGraphTest, AMoveWhileOnEndchangeRunsDragsNothing) {
    auto& graph = Graph(Normal, {0, 0, 30, 100, 40, 40, 30, 90, 20, 0});
    const forms::TPoint p3 = graph.PointPixel(3);
    TEnvelope atRelease{};
    graph.OnEndchange = [&](forms::TObject*) {
        atRelease = graph.GetEnvelope();
        driver.MoveTo(At(graph, {p3.X + 30, p3.Y + 20}));
    };
    DragPoint(graph, 3, {p3.X + 10, p3.Y - 10});
    EXPECT_NE(atRelease, TEnvelope{}) << "OnEndchange fired";
    EXPECT_EQ(graph.GetEnvelope(), atRelease);
}

TEST_F(PanGraphTest, DraggingPastTheEdgesClamps) {
    for (const auto& [type, top] : {std::pair{Normal, 127}, std::pair{FirstHalf, 126}}) {
        SCOPED_TRACE(type);
        auto& graph = Graph(type, {0, 63, 40, 80, 30, 70, 20, 63, 20, 63});
        const forms::TPoint p2 = graph.PointPixel(2);
        // Left of point 2 and above the graph (outside the control: the mouse is captured).
        DragPoint(graph, 3, {p2.X - 20, -15});
        const TEnvelope got = graph.GetEnvelope();
        EXPECT_EQ(Time(got, 3), 0);
        EXPECT_EQ(Level(got, 3), top);
        EXPECT_EQ(graph.LevelBox(3).Value(), type == FirstHalf ? 63 : 127);
    }
}

TEST_F(PanGraphTest, ABipolarGraphShowsLevelsAroundTheCentre) {
    auto& graph = Graph(FirstHalf, {0, 63, 10, 63, 10, 1, 10, 126, 10, 63});
    EXPECT_EQ(graph.LevelBox(2).Value(), 0);
    EXPECT_EQ(graph.LevelBox(2).ValueText(), "0");
    EXPECT_EQ(graph.LevelBox(3).Value(), -62);
    EXPECT_EQ(graph.LevelBox(4).Value(), 63);
    EXPECT_TRUE(graph.LevelBox(5).Visible());
    // A step down to the box's -63 stores level 0 and redraws at once.
    TClickEdit& box = graph.LevelBox(3);
    const forms::TPoint before = graph.PointPixel(3);
    driver.Press(At(box, {10, 7}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Level(graph.GetEnvelope(), 3), 0);
    EXPECT_TRUE(HandleAt(graph, graph.PointPixel(3)));
    EXPECT_NE(graph.PointPixel(3), before);
    driver.Release(At(box, {10, 7}));
    EXPECT_EQ(ends, 1);
    // At the box's minimum a step changes nothing; the release still ends the change.
    driver.Click(At(box, {10, 7}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(Level(graph.GetEnvelope(), 3), 0);
}

TEST_F(PanGraphTest, ATimeBoxStepMovesThePoint) {
    auto& graph = Graph(Normal, {0, 0, 10, 100, 30, 50, 20, 70, 30, 0});
    const forms::TPoint before = graph.PointPixel(4);
    TClickEdit& box = graph.TimeBox(4);
    driver.Press(At(box, {10, 7}), Qt::RightButton);
    Wait(600 + 47 * 20);
    driver.Release(At(box, {10, 7}), Qt::RightButton);
    EXPECT_EQ(Time(graph.GetEnvelope(), 4), 42);
    EXPECT_EQ(changes, 22);
    EXPECT_EQ(ends, 1);
    EXPECT_GT(graph.PointPixel(4).X, before.X);
    EXPECT_TRUE(HandleAt(graph, graph.PointPixel(4)));
    EXPECT_EQ(RedAround(graph, before), 0) << "the handle was erased where it was";
}

TEST_F(PanGraphTest, PointOneStaysAtTheStartWhateverTheEnvelopeSays) {
    for (const auto& [type, level] : {std::pair{LastLocked, 0}, std::pair{FirstHalf, 63}}) {
        SCOPED_TRACE(type);
        auto& graph = Graph(type, {10, 50, 10, 100, 10, 50, 10, 70, 10, 0});
        const TEnvelope got = graph.GetEnvelope();
        EXPECT_EQ(Time(got, 1), 0);
        EXPECT_EQ(Level(got, 1), level);
        const forms::TPoint p1 = graph.PointPixel(1);
        EXPECT_EQ(p1.X, 8 + 5);
        EXPECT_TRUE(HandleAt(graph, p1));
    }
}

TEST_F(PanGraphTest, DrawsTheBevelledAreaTheHandlesAndTheCaptions) {
    auto& graph = Graph(FirstHalf, {0, 63, 20, 110, 30, 40, 20, 90, 30, 63});
    const int l = 8, t = 8, r = 8 + 155, b = 8 + 95;
    EXPECT_EQ(Pixel(graph, {l, t + 20}), gdi::ColorToRGB(gdi::clGray));
    EXPECT_EQ(Pixel(graph, {l + 1, t + 20}), gdi::ColorToRGB(gdi::clBlack));
    EXPECT_EQ(Pixel(graph, {r, t + 20}), gdi::ColorToRGB(gdi::clWhite));
    EXPECT_EQ(Pixel(graph, {r - 1, t + 20}), gdi::ColorToRGB(gdi::clBlack));
    EXPECT_EQ(Pixel(graph, {l + 40, t + 5}), Aqua);
    EXPECT_EQ(Pixel(graph, {l + 40, b - 5}), Aqua);
    for (int k = 1; k <= 5; ++k)
        EXPECT_TRUE(HandleAt(graph, graph.PointPixel(k))) << k;
    // Something of "Time" is written left of the first time box.
    bool text = false;
    for (int x = l; x < 43 && !text; ++x)
        for (int y = 120; y < 135 && !text; ++y)
            text = Pixel(graph, {x, y}) == Rgb(gdi::clBlack);
    EXPECT_TRUE(text);
    SavePng(graph, "pan_graph");
}

// An area of 10 px or less has no scale: the points are drawn at the start and a drag leaves
// them as they are.
TEST_F(PanGraphTest, AGraphAreaOfTenPixelsOrLessMapsNothing) {
    const TEnvelope envelope{0, 0, 20, 100, 30, 40, 20, 90, 30, 0};
    for (const auto& [width, height] : {std::pair{10, 95}, std::pair{155, 10}, std::pair{4, 3}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        auto& graph = Graph(Normal, envelope);
        graph.SetGWidth(width);
        graph.SetGHeight(height);
        const forms::TPoint start{8 + 5, 8 + height - 4};
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(graph.PointPixel(k), start) << k;
        EXPECT_TRUE(HandleAt(graph, start));
        DragPoint(graph, 2, {start.X + 60, start.Y - 40});
        EXPECT_EQ(graph.GetEnvelope(), envelope);
        EXPECT_EQ(graph.TimeBox(2).Value(), 20);
        EXPECT_EQ(graph.LevelBox(2).Value(), 100);
        ends = 0;
    }
}

} // namespace
} // namespace controls::test
