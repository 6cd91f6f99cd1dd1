#include "controls/pan_slider.h"

#include "controls/tests/controls_fixture.h"

#include <vector>

namespace controls::test {
namespace {

namespace gdi = platform::gdi;

// A typical page slider: 140 x 51, the slider at 10, 23 sized 120 x 20, the box at 90, 6 sized
// 22 x 15. With ThumbHeight 9 the slider's scale is (120 - 9 + 1) / range.
class PanSliderTest : public ControlsFixture {
protected:
    TPanSlider& Panel(int min, int max, int value) {
        auto& panel = Place<TPanSlider>({20, 20, 160, 71});
        panel.BevelWidth = 2;
        panel.BorderStyle = forms::bsSingleBorder;
        panel.Font().SetName("Small Fonts");
        panel.Font().SetHeight(-9);
        panel.Font().SetColor(gdi::clBlack);
        panel.SetMin(min);
        panel.SetMax(max);
        panel.SetValue(value);
        panel.SetVertical(false);
        panel.SetSLeft(10);
        panel.SetSWidth(120);
        panel.SetSTop(23);
        panel.SetSHeight(20);
        panel.SetELeft(90);
        panel.SetEWidth(22);
        panel.SetETop(6);
        panel.SetEHeight(15);
        panel.SetThumbColor(0xFF8080);
        panel.SetTrackColor(gdi::clAqua);
        panel.SetThumbHeight(9);
        panel.SetTrackWidth(7);
        panel.SetStereo(false);
        testsupport::PumpUntilIdle();
        panel.Onchange = [this, &panel](forms::TObject* sender) {
            senders.push_back(sender);
            values.push_back(panel.Value());
        };
        panel.OnEndchange = [this, &panel](forms::TObject* sender) {
            EXPECT_EQ(sender, &panel);
            ++ends;
        };
        return panel;
    }

    std::vector<forms::TObject*> senders;
    std::vector<int> values;
    int ends = 0;
};

TEST_F(PanSliderTest, ABipolarRangeRunsTheSliderShiftedAndADragToTheStartGivesMin) {
    auto& panel = Panel(-63, 63, 0);
    auto& slider = panel.Slider();
    EXPECT_EQ(slider.MinValue(), 0);
    EXPECT_EQ(slider.MaxValue(), 126);
    EXPECT_EQ(slider.Value(), 63);
    ASSERT_EQ(slider.ThumbPosition(), 56); // Trunc(63 * 112 / 126)

    driver.Press(At(slider, {60, 10}));
    driver.MoveTo(At(slider, {30, 10})); // Trunc(26 * 126 / 112) = 29, so -34
    driver.MoveTo(At(slider, {-200, 10}));
    driver.Release(At(slider, {-200, 10}));
    EXPECT_EQ(values, (std::vector<int>{-34, -63}));
    EXPECT_EQ(senders, (std::vector<forms::TObject*>{&slider, &slider}));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(panel.Value(), -63);
    EXPECT_EQ(panel.Box().Value(), -63);
    EXPECT_EQ(panel.Box().ValueText(), "-63");

    // A press on the track off the thumb fires nothing.
    driver.Press(At(slider, {80, 10}));
    driver.MoveTo(At(slider, {100, 10}));
    driver.Release(At(slider, {100, 10}));
    EXPECT_EQ(values.size(), 2u);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(panel.Value(), -63);
}

TEST_F(PanSliderTest, AClickStepInTheBoxReportsTheSliderThenTheBox) {
    auto& panel = Panel(-63, 63, 0);
    driver.Click(At(panel.Box(), {11, 7})); // the left button steps down
    EXPECT_EQ(panel.Value(), -1);
    EXPECT_EQ(panel.Slider().Value(), 62);
    EXPECT_EQ(senders, (std::vector<forms::TObject*>{&panel.Slider(), &panel.Box()}));
    EXPECT_EQ(values, (std::vector<int>{-1, -1}));
    EXPECT_EQ(ends, 1);
}

TEST_F(PanSliderTest, APositiveRangeRunsTheSliderUnshifted) {
    auto& panel = Panel(1, 127, 64);
    EXPECT_EQ(panel.Slider().MinValue(), 1);
    EXPECT_EQ(panel.Slider().MaxValue(), 127);
    EXPECT_EQ(panel.Slider().Value(), 64);
    const int p = panel.Slider().ThumbPosition();
    driver.Drag(At(panel.Slider(), {p + 4, 10}), At(panel.Slider(), {-50, 10}));
    EXPECT_EQ(panel.Value(), 1);
    EXPECT_EQ(panel.Box().Value(), 1);
    EXPECT_EQ(ends, 1);
}

TEST_F(PanSliderTest, AValueSetByProgramIsClampedAndReportsNothing) {
    auto& panel = Panel(-63, 63, 0);
    const struct { int set, value; } cases[] = {{100, 63}, {-200, -63}, {5, 5}, {60, 60}};
    for (const auto& c : cases) {
        panel.SetValue(c.set);
        EXPECT_EQ(panel.Value(), c.value) << c.set;
        EXPECT_EQ(panel.Box().Value(), c.value) << c.set;
        EXPECT_EQ(panel.Slider().Value(), c.value + 63) << c.set;
    }
    // A bound that leaves Value inside reaches the children at the next Paint, and the slider
    // clamping to its narrower range there does not move the panel's value or report.
    panel.SetMin(0);
    EXPECT_EQ(panel.Box().Min(), -63);
    EXPECT_EQ(panel.Slider().MaxValue(), 126);
    panel.Invalidate();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(panel.Box().Min(), 0);
    EXPECT_EQ(panel.Slider().MaxValue(), 63);
    EXPECT_EQ(panel.Value(), 60);
    EXPECT_EQ(panel.Slider().Value(), 60);
    EXPECT_TRUE(senders.empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(PanSliderTest, ThePageSliderShowsTrackThumbAndBox) {
    auto& panel = Panel(0, 127, 64);
    // Thumb at Trunc(64 * 112 / 127) = 56 in the slider, i.e. x 66 on the panel.
    ASSERT_EQ(panel.Slider().ThumbPosition(), 56);
    EXPECT_EQ(Pixel(panel.Slider(), {56, 10}), gdi::ColorToRGB(gdi::clBlack));
    EXPECT_EQ(Pixel(panel.Slider(), {59, 10}), gdi::ColorToRGB(gdi::clBtnFace));
    EXPECT_EQ(Pixel(panel.Slider(), {20, 10}), gdi::ColorToRGB(gdi::clAqua));
    EXPECT_EQ(Pixel(panel.Slider(), {20, 6}), gdi::ColorToRGB(gdi::clGray));
    EXPECT_EQ(panel.Box().ValueText(), "64");
    EXPECT_EQ(Pixel(panel.Box(), {3, 3}), gdi::ColorToRGB(gdi::clWhite));
    SavePng(panel, "pan_slider");
}

} // namespace
} // namespace controls::test
