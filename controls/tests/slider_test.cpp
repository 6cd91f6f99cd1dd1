#include "controls/slider.h"

#include "controls/tests/controls_fixture.h"

#include <vector>

namespace controls::test {
namespace {

namespace gdi = platform::gdi;

// A 160 x 26 slider over 0..100 at 30: S = (160 - 10 + 1) / 100 = 1.51, so the thumb starts at
// Trunc(30 * 1.51) = 45 and covers 45..55.
class SliderTest : public ControlsFixture {
protected:
    TSlider& Slider(forms::TRect bounds = {10, 10, 170, 36}) {
        auto& slider = Place<TSlider>(bounds);
        slider.SetTrackColor(gdi::clAqua);
        slider.OnValueChange = [this, &slider](forms::TObject* sender) {
            EXPECT_EQ(sender, &slider);
            changes.push_back(slider.Value());
        };
        slider.OnEndChange = [this, &slider](forms::TObject* sender) {
            EXPECT_EQ(sender, &slider);
            ++ends;
        };
        testsupport::PumpUntilIdle();
        return slider;
    }

    std::vector<int> changes;
    int ends = 0;
};

TEST_F(SliderTest, DrawsTheSunkenTrackAndTheBevelledThumbAtItsPosition) {
    auto& slider = Slider();
    ASSERT_EQ(slider.ThumbPosition(), 45);
    const gdi::COLORREF face = gdi::ColorToRGB(gdi::clBtnFace);
    // The track runs from y 9 to 16: grey above, white below, the track colour between.
    EXPECT_EQ(Pixel(slider, {20, 9}), gdi::ColorToRGB(gdi::clGray));
    EXPECT_EQ(Pixel(slider, {20, 12}), gdi::ColorToRGB(gdi::clAqua));
    EXPECT_EQ(Pixel(slider, {20, 16}), gdi::ColorToRGB(gdi::clWhite));
    EXPECT_EQ(Pixel(slider, {20, 3}), face);
    // The thumb: black edge, white and grey bevels, a button-face face whatever ThumbColor is.
    slider.SetThumbColor(gdi::clRed);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Pixel(slider, {45, 12}), gdi::ColorToRGB(gdi::clBlack));
    EXPECT_EQ(Pixel(slider, {46, 12}), gdi::ColorToRGB(gdi::clWhite));
    EXPECT_EQ(Pixel(slider, {49, 12}), face);
    EXPECT_EQ(Pixel(slider, {51, 12}), gdi::ColorToRGB(gdi::clGray));
    EXPECT_EQ(Pixel(slider, {53, 12}), gdi::ColorToRGB(gdi::clBlack));
    EXPECT_EQ(Pixel(slider, {54, 12}), gdi::ColorToRGB(gdi::clAqua));
    SavePng(slider, "slider");
}

TEST_F(SliderTest, SettingAValueClampsItAndReportsOnlyAChange) {
    auto& slider = Slider();
    const struct {
        int set, value;
        bool reported;
    } cases[] = {{150, 100, true}, {200, 100, false}, {-5, 0, true}, {0, 0, false}, {64, 64, true}};
    for (const auto& c : cases) {
        changes.clear();
        slider.SetValue(c.set);
        EXPECT_EQ(slider.Value(), c.value) << c.set;
        EXPECT_EQ(changes.size(), c.reported ? 1u : 0u) << c.set;
    }
    // Lowering MaxValue below Value moves Value down to it, and reports it.
    changes.clear();
    slider.SetMaxValue(40);
    EXPECT_EQ(changes, std::vector<int>{40});
    slider.SetMaxValue(100);
    slider.SetMinValue(50);
    EXPECT_EQ(changes, (std::vector<int>{40, 50}));
    EXPECT_EQ(ends, 0);
}

TEST_F(SliderTest, DraggingTheThumbReportsEveryMoveAndTheEndOnce) {
    auto& slider = Slider();
    driver.Press(At(slider, {50, 12})); // 5 px into the thumb
    EXPECT_TRUE(slider.DraggingThumb());
    driver.MoveTo(At(slider, {65, 12}));  // Trunc(60 / 1.51) = 39
    driver.MoveTo(At(slider, {65, 20}));  // across the track: the same value, reported again
    driver.MoveTo(At(slider, {-40, 12})); // past the start
    EXPECT_EQ(changes, (std::vector<int>{39, 39, 0}));
    // Drawn at once: the thumb is at the start before any repaint.
    EXPECT_EQ(Pixel(slider, {4, 12}), gdi::ColorToRGB(gdi::clBtnFace));
    driver.MoveTo(At(slider, {400, 12})); // past the end
    driver.Release(At(slider, {400, 12}));
    EXPECT_EQ(changes.back(), 100);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(slider.DraggingThumb());
}

TEST_F(SliderTest, APressOffTheThumbOrWithTheRightButtonStartsNoDrag) {
    auto& slider = Slider();
    const struct {
        forms::TPoint at;
        Qt::MouseButton button;
    } cases[] = {{{20, 12}, Qt::LeftButton},
                 {{44, 12}, Qt::LeftButton},
                 {{56, 12}, Qt::LeftButton},
                 {{50, 12}, Qt::RightButton},
                 {{50, 12}, Qt::MiddleButton}};
    for (const auto& c : cases) {
        driver.Press(At(slider, c.at), c.button);
        driver.MoveTo(At(slider, {c.at.X + 30, 12}));
        driver.Release(At(slider, {c.at.X + 30, 12}), c.button);
        EXPECT_EQ(slider.Value(), 30) << c.at.X;
    }
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(SliderTest, WithMaxValueEqualToMinValueTheThumbStaysAtTheStartAndADragMapsNothing) {
    auto& slider = Slider();
    slider.SetMinValue(50);
    slider.SetMaxValue(50);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(slider.ThumbPosition(), 0);
    EXPECT_EQ(Pixel(slider, {4, 12}), gdi::ColorToRGB(gdi::clBtnFace));
    changes.clear();
    driver.Drag(At(slider, {3, 12}), At(slider, {120, 12}));
    EXPECT_EQ(changes, (std::vector<int>{50, 50}));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(Pixel(slider, {4, 12}), gdi::ColorToRGB(gdi::clBtnFace));
}

TEST_F(SliderTest, AVerticalSliderHasItsMaximumAtTheTopForDrawingPressingAndDragging) {
    auto& slider = Slider({10, 10, 36, 170});
    slider.SetOrientation(slVertical);
    slider.SetValue(0);
    testsupport::PumpUntilIdle();
    changes.clear();
    // At 0 the thumb lies at the bottom, rows 150..159; the track runs down the middle.
    EXPECT_EQ(Pixel(slider, {12, 155}), gdi::ColorToRGB(gdi::clBtnFace));
    EXPECT_EQ(Pixel(slider, {12, 100}), gdi::ColorToRGB(gdi::clAqua));
    driver.Press(At(slider, {12, 100}));
    EXPECT_FALSE(slider.DraggingThumb());
    driver.Release(At(slider, {12, 100}));
    driver.Press(At(slider, {12, 155}));  // 5 px into the thumb from its low end
    driver.MoveTo(At(slider, {12, 80}));  // Trunc((160 - 80 - 5) / 1.51) = 49
    driver.MoveTo(At(slider, {12, -60})); // past the top
    driver.Release(At(slider, {12, -60}));
    EXPECT_EQ(changes, (std::vector<int>{49, 100}));
    EXPECT_EQ(ends, 1);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Pixel(slider, {12, 4}), gdi::ColorToRGB(gdi::clBtnFace));
    EXPECT_EQ(Pixel(slider, {12, 155}), gdi::ColorToRGB(gdi::clAqua));
}

} // namespace
} // namespace controls::test
