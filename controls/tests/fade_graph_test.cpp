#include "controls/fade_graph.h"

#include "controls/tests/controls_fixture.h"

#include <climits>
#include <string>

namespace controls::test {
namespace {

namespace gdi = platform::gdi;

// The LFO page's graph: the time axis at y 74, key-on at x 29 and key-off at x 51; 381 / 122
// values per pixel across, 254 / 62 up.
class FadeGraphTest : public ControlsFixture {
protected:
    TFadeGraph& Graph(TFadeMode mode, int delay, int time, int depth) {
        auto& graph = Place<TFadeGraph>({10, 10, 170, 133});
        graph.SetGLeft(5);
        graph.SetGWidth(147);
        graph.SetGTop(34);
        graph.SetGHeight(81);
        graph.SetELeft(10);
        graph.SetEWidth(23);
        graph.SetETop(15);
        graph.SetEHeight(15);
        Set(graph, mode, delay, time, depth);
        graph.OnChange = [this](forms::TObject*) { ++changes; };
        graph.OnEndchange = [this, &graph](forms::TObject* sender) {
            EXPECT_EQ(sender, &graph);
            ++ends;
        };
        return graph;
    }
    static void Set(TFadeGraph& graph, TFadeMode mode, int delay, int time, int depth) {
        graph.SetFadeMode(mode);
        graph.SetFadeDelay(delay);
        graph.SetFadeTime(time);
        graph.SetFadeDepth(depth);
        graph.Invalidate();
        testsupport::PumpUntilIdle();
    }
    bool IsHandle(TFadeGraph& graph, forms::TPoint centre) {
        return static_cast<gdi::COLORREF>(Pixel(graph, centre)) == gdi::ColorToRGB(gdi::clRed);
    }

    int changes = 0;
    int ends = 0;
};

TEST_F(FadeGraphTest, SwitchingFromFadeInToFadeOutTradesTimeAndDelay) {
    auto& graph = Graph(ON_IN, 20, 10, 127);
    EXPECT_EQ(graph.DelayBox().Value(), 20);
    EXPECT_EQ(graph.FadeBox().Value(), 10);
    graph.SetFadeMode(ON_OUT);
    EXPECT_EQ(graph.FadeTime(), 20);
    EXPECT_EQ(graph.FadeDelay(), 10);
    EXPECT_EQ(graph.FadeDepth(), 127);
    EXPECT_EQ(graph.DelayBox().Value(), 10);
    EXPECT_EQ(graph.FadeBox().Value(), 20);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ends, 0);
}

TEST_F(FadeGraphTest, DraggingTheDepthHandleStoresAtOnceAndResetsTheDepth) {
    // Delay 30, fade 40, depth 50: the delay ends at (38, 74), the fade at (51, 61).
    auto& graph = Graph(ON_IN, 30, 40, 50);
    ASSERT_TRUE(IsHandle(graph, {51, 61}));
    driver.Press(At(graph, {51, 61}));
    driver.MoveTo(At(graph, {70, 61}));
    EXPECT_EQ(graph.FadeTime(), 99); // (70 - 38) * 381 / 122
    EXPECT_EQ(graph.FadeDepth(), 127);
    EXPECT_EQ(graph.FadeDelay(), 30);
    EXPECT_EQ(graph.FadeBox().Value(), 99);
    EXPECT_TRUE(IsHandle(graph, {70, 43})); // drawn at once, at full depth
    EXPECT_EQ(ends, 0);
    driver.Release(At(graph, {70, 61}));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(changes, 0);

    // Fading out, the same handle ends the delay; it too sets the full depth.
    Set(graph, OFF_OUT, 40, 60, 20);
    driver.Drag(At(graph, {63, 69}), At(graph, {70, 69}));
    EXPECT_EQ(graph.FadeDepth(), 127);
    EXPECT_EQ(graph.FadeDelay(), 59); // (70 - 51) * 381 / 122
    EXPECT_EQ(graph.FadeTime(), 60);
    EXPECT_EQ(ends, 2);
}

TEST_F(FadeGraphTest, APressGrabsAHandleWithinThreePixelsOnly) {
    // The delay ends at (38, 74), the fade at (51, 61).
    const struct {
        int dx, dy;
        bool grabs;
    } cases[] = {{3, 3, true}, {-3, -3, true}, {4, 0, false}, {0, -4, false}, {-4, 4, false}};
    auto& graph = Graph(ON_IN, 30, 40, 50);
    for (const auto& c : cases) {
        Set(graph, ON_IN, 30, 40, 50);
        ends = 0;
        driver.Drag(At(graph, {38 + c.dx, 74 + c.dy}), At(graph, {60, 74}));
        EXPECT_EQ(graph.FadeDelay() != 30, c.grabs) << c.dx << "," << c.dy;
        EXPECT_EQ(graph.FadeTime(), 40);
        EXPECT_EQ(graph.FadeDepth(), 50);
        EXPECT_EQ(ends, c.grabs ? 1 : 0) << c.dx << "," << c.dy;
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(FadeGraphTest, OverlappingHandlesGrabTheDelayEndFirst) {
    // No fade and no depth: both handles lie at (38, 74).
    auto& graph = Graph(ON_IN, 30, 0, 0);
    driver.Drag(At(graph, {38, 74}), At(graph, {48, 74}));
    EXPECT_EQ(graph.FadeDelay(), 59); // (48 - 29) * 381 / 122
    EXPECT_EQ(graph.FadeTime(), 0);
    EXPECT_EQ(graph.FadeDepth(), 0);
}

TEST_F(FadeGraphTest, DraggingLeftOfTheReferenceGivesZeroAndFarRight127) {
    // Delay 30, fade 40, depth 50. IN: handle 1 (38, 74) counts from key-on, handle 2
    // (51, 61) from handle 1. OUT: handle 2 (38, 61) from key-on, handle 1 (51, 74) from
    // handle 2.
    const struct {
        TFadeMode mode;
        forms::TPoint handle;
        int toX;
        int delay, time;
    } cases[] = {
        {ON_IN, {38, 74}, 20, 0, 40},  {ON_IN, {38, 74}, 400, 127, 40},
        {ON_IN, {51, 61}, 30, 30, 0},  {ON_IN, {51, 61}, 400, 30, 127},
        {ON_OUT, {38, 61}, 2, 0, 40},  {ON_OUT, {38, 61}, 400, 127, 40},
        {ON_OUT, {51, 74}, 35, 30, 0}, {ON_OUT, {51, 74}, 400, 30, 127},
    };
    auto& graph = Graph(ON_IN, 30, 40, 50);
    for (const auto& c : cases) {
        Set(graph, c.mode, 30, 40, 50);
        ASSERT_TRUE(IsHandle(graph, c.handle)) << c.mode << " " << c.handle.X;
        driver.Drag(At(graph, c.handle), At(graph, {c.toX, c.handle.Y}));
        EXPECT_EQ(graph.FadeDelay(), c.delay) << c.mode << " " << c.handle.X << " " << c.toX;
        EXPECT_EQ(graph.FadeTime(), c.time) << c.mode << " " << c.handle.X << " " << c.toX;
    }
    EXPECT_EQ(ends, 8);
}

TEST_F(FadeGraphTest, ABoxStepStoresAndRedrawsWithoutAnEventAndItsReleaseEndsTheChange) {
    auto& graph = Graph(ON_IN, 30, 40, 50);
    const forms::TPoint box = At(graph.DelayBox(), {10, 7});
    driver.Press(box, Qt::RightButton);
    Wait(600 + 47 * 19); // 21 steps
    EXPECT_EQ(graph.FadeDelay(), 51);
    EXPECT_TRUE(IsHandle(graph, {45, 74})); // the delay's end moved on at once
    EXPECT_FALSE(IsHandle(graph, {38, 74}));
    EXPECT_EQ(ends, 0);
    driver.Release(box, Qt::RightButton);
    EXPECT_EQ(ends, 1);

    driver.Click(At(graph.FadeBox(), {10, 7}));
    EXPECT_EQ(graph.FadeTime(), 39);
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(changes, 0);
}

TEST_F(FadeGraphTest, SettingValuesByProgramFiresNothing) {
    auto& graph = Graph(OFF_IN, 1, 2, 3);
    graph.SetFadeTime(90);
    graph.SetFadeDelay(5);
    graph.SetFadeDepth(70);
    graph.SetFadeMode(OFF_OUT);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ends, 0);
}

TEST_F(FadeGraphTest, DrawsTheFadeInAndTheFadeOut) {
    const struct {
        TFadeMode mode;
        forms::TPoint delayEnd, fadeEnd;
        const char* name;
    } cases[] = {
        {ON_IN, {41, 74}, {61, 49}, "fade_graph_in"},
        {OFF_OUT, {63, 49}, {83, 74}, "fade_graph_out"},
    };
    auto& graph = Graph(ON_IN, 40, 60, 100);
    for (const auto& c : cases) {
        Set(graph, c.mode, 40, 60, 100);
        EXPECT_TRUE(IsHandle(graph, c.delayEnd)) << c.name;
        EXPECT_TRUE(IsHandle(graph, c.fadeEnd)) << c.name;
        EXPECT_EQ(Pixel(graph, {17, 38}), gdi::ColorToRGB(gdi::clAqua)) << c.name;
        EXPECT_EQ(Pixel(graph, {11, 60}), gdi::ColorToRGB(gdi::clBlack)) << c.name; // level axis
        EXPECT_EQ(Pixel(graph, {5, 50}), gdi::ColorToRGB(gdi::clGray)) << c.name;   // bevel
        EXPECT_EQ(Pixel(graph, {29, 77}), gdi::ColorToRGB(gdi::clBlack)) << c.name; // key-on
        EXPECT_EQ(Pixel(graph, {2, 118}), gdi::ColorToRGB(gdi::clBtnFace)) << c.name;
        EXPECT_LT(graph.DelayBox().Left(), graph.FadeBox().Left()) << c.name;
        SavePng(graph, c.name);
    }
}

TEST_F(FadeGraphTest, AGraphTooSmallToScaleDrawsTheHandlesAtTheStartAndMapsNothing) {
    const struct { int width, height; } cases[] = {{25, 81}, {147, 19}, {0, 0}, {-40, -40}};
    auto& graph = Graph(ON_IN, 30, 40, 50);
    int expectedEnds = 0;
    for (const auto& c : cases) {
        for (TFadeMode mode : {ON_IN, ON_OUT}) {
            Set(graph, mode, 30, 40, 50);
            graph.SetGWidth(c.width);
            graph.SetGHeight(c.height);
            graph.Invalidate();
            testsupport::PumpUntilIdle();
            const forms::TPoint start{29, 34 + c.height / 2};
            EXPECT_TRUE(IsHandle(graph, start)) << c.width << "x" << c.height;
            driver.Drag(At(graph, start), At(graph, {start.X + 30, start.Y - 10}));
            EXPECT_EQ(++expectedEnds, ends);
            EXPECT_EQ(graph.FadeDelay(), 30) << c.width << "x" << c.height;
            EXPECT_EQ(graph.FadeTime(), 40) << c.width << "x" << c.height;
            EXPECT_EQ(graph.FadeDepth(), 50) << c.width << "x" << c.height;
        }
    }
    // Just large enough, a graph maps again: one pixel is 381 values across.
    graph.SetGWidth(26);
    graph.SetGHeight(20);
    Set(graph, ON_IN, 30, 40, 50);
    driver.Drag(At(graph, {29, 44}), At(graph, {30, 44}));
    EXPECT_EQ(graph.FadeDelay(), 127);
}

TEST_F(FadeGraphTest, ValuesFarOutOfRangeStillDrawAndEnd) {
    const struct {
        int delay, time, depth;
    } cases[] = {{INT_MAX, INT_MAX, INT_MAX},
                 {INT_MIN, INT_MIN, INT_MIN},
                 {INT_MAX, INT_MIN, 0},
                 {-5, 3, -127}};
    auto& graph = Graph(ON_IN, 30, 40, 50);
    for (const auto& c : cases) {
        for (TFadeMode mode : {ON_IN, ON_OUT, OFF_IN, OFF_OUT}) {
            Set(graph, mode, c.delay, c.time, c.depth);
            EXPECT_EQ(graph.FadeDelay(), c.delay);
            EXPECT_EQ(graph.FadeTime(), c.time);
        }
    }
    Set(graph, ON_IN, 0, 0, 127);
    EXPECT_TRUE(IsHandle(graph, {29, 43}));
}

} // namespace
} // namespace controls::test
