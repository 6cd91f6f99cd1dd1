#include "controls/click_edit.h"

#include "controls/tests/controls_fixture.h"

#include <string>
#include <vector>

namespace controls::test {
namespace {

namespace gdi = platform::gdi;

class ClickEditTest : public ControlsFixture {
protected:
    TClickEdit& Box(int min, int max, int value) {
        auto& box = Place<TClickEdit>({10, 10, 50, 30});
        box.SetMin(min);
        box.SetMax(max);
        box.SetValue(value);
        box.Onchange = [this, &box](forms::TObject* sender) {
            EXPECT_EQ(sender, &box);
            changes.push_back(box.Value());
        };
        box.OnEndchange = [this, &box](forms::TObject* sender) {
            EXPECT_EQ(sender, &box);
            ++ends;
        };
        return box;
    }
    forms::TPoint Middle(const TClickEdit& box) { return At(box, {20, 10}); }

    std::vector<int> changes;
    int ends = 0;
};

TEST_F(ClickEditTest, ShowsPanPositionsAndPlainNumbers) {
    auto& box = Box(-64, 63, 0);
    const struct {
        bool stereo;
        int value;
        std::string text;
    } cases[] = {{true, -64, "L 64"}, {true, 63, "R 63"}, {true, 0, "  0"},
                 {false, -5, "-5"},   {false, 0, "0"},    {false, 200, "200"}};
    for (const auto& c : cases) {
        box.SetStereo(c.stereo);
        box.SetValue(c.value);
        EXPECT_EQ(box.ValueText(), c.text) << c.value;
    }
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(ClickEditTest, HoldingAButtonStepsAtOnceThenAfter600MsThenEvery47Ms) {
    auto& box = Box(0, 127, 10);
    driver.Press(Middle(box), Qt::RightButton);
    EXPECT_EQ(changes, std::vector<int>{11});
    EXPECT_EQ(Pixel(box, {4, 4}), gdi::ColorToRGB(gdi::clAqua)); // the first step drew on it
    Wait(599);
    EXPECT_EQ(changes.size(), 1u);
    Wait(1);
    EXPECT_EQ(changes, (std::vector<int>{11, 12}));
    Wait(47 * 3);
    EXPECT_EQ(changes, (std::vector<int>{11, 12, 13, 14, 15}));
    driver.Release(Middle(box), Qt::RightButton);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(Pixel(box, {4, 4}), gdi::ColorToRGB(gdi::clWhite));
    Wait(1000);
    EXPECT_EQ(box.Value(), 15);
    SavePng(box, "click_edit");
}

TEST_F(ClickEditTest, TheLeftButtonStepsDownAndStopsAtMin) {
    auto& box = Box(-64, 63, -63);
    driver.Press(Middle(box));
    Wait(600 + 47 * 5);
    driver.Release(Middle(box));
    EXPECT_EQ(changes, std::vector<int>{-64});
    EXPECT_EQ(ends, 1);
    // At the bound a press changes nothing, and the release still ends the change.
    driver.Click(Middle(box));
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_EQ(ends, 2);
}

TEST_F(ClickEditTest, AValueOutsideTheRangeStepsOnlyTowardIt) {
    auto& box = Box(0, 127, 0);
    box.SetValue(140);
    driver.Click(Middle(box), Qt::RightButton);
    EXPECT_TRUE(changes.empty());
    driver.Click(Middle(box));
    EXPECT_EQ(changes, std::vector<int>{139});
}

TEST_F(ClickEditTest, MovingABoundPastTheValueMovesItWithoutAnEvent) {
    auto& box = Box(0, 127, 10);
    box.SetMin(20);
    EXPECT_EQ(box.Value(), 20);
    box.SetMax(15);
    EXPECT_EQ(box.Value(), 15);
    box.SetMin(0);
    EXPECT_EQ(box.Value(), 15);
    EXPECT_TRUE(changes.empty());
}

} // namespace
} // namespace controls::test
