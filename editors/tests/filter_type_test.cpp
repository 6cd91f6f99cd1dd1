// The filter-type sketch: aqua ground, the type's curve in black relative to the image's size,
// the type's name in the label.

#include "editors/filter_type.h"

#include "platform/gdi/colors.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace editors::test {
namespace {

namespace forms = platform::forms;
namespace gdi = platform::gdi;

struct SketchCase {
    int type;
    std::string name;
    // Eighths of the image (the curve's vertices): one on the curve, one well off it.
    int onX, onY, offX, offY;
};

class FilterTypeTest : public ::testing::TestWithParam<SketchCase> {
protected:
    // A pixel at eighths of the image, as the sketch scales them.
    gdi::TColor At(int x8, int y8) {
        return image.Canvas().Pixel(1 + x8 * (image.Width() - 3) / 8,
                                    1 + y8 * (image.Height() - 3) / 8);
    }

    std::unique_ptr<forms::TComponent> owner = std::make_unique<forms::TComponent>(nullptr);
    forms::TImage& image = owner->Own<forms::TImage>();
    forms::TLabel& label = owner->Own<forms::TLabel>();
};

TEST_P(FilterTypeTest, DrawsTheTypesCurveAndNamesIt) {
    const SketchCase& c = GetParam();
    for (const auto& [width, height] : {std::pair{96, 40}, std::pair{161, 67}}) {
        image.SetBounds(0, 0, width, height);
        image.Picture().Bitmap().SetSize(width, height);
        DrawFilterType(image, label, c.type);
        EXPECT_EQ(label.Caption(), c.name);
        EXPECT_EQ(image.Canvas().Pixel(width - 1, 0), gdi::clAqua);
        EXPECT_EQ(At(c.onX, c.onY), gdi::clBlack) << width << "x" << height;
        EXPECT_EQ(At(c.offX, c.offY), gdi::clAqua) << width << "x" << height;
    }
}

INSTANTIATE_TEST_SUITE_P(Types, FilterTypeTest,
                         ::testing::Values(SketchCase{1, "Low Pass", 4, 3, 4, 7},
                                           SketchCase{2, "Band Pass", 4, 1, 4, 6},
                                           SketchCase{3, "High Pass", 4, 3, 2, 3},
                                           SketchCase{4, "Peaking", 4, 1, 1, 1}),
                         [](const auto& info) { return "Type" + std::to_string(info.param.type); });

TEST(FilterTypeOffTest, TypeZeroPrintsOffAndSaysNoFilter) {
    auto owner = std::make_unique<forms::TComponent>(nullptr);
    auto& image = owner->Own<forms::TImage>();
    auto& label = owner->Own<forms::TLabel>();
    image.SetBounds(0, 0, 96, 40);
    DrawFilterType(image, label, 2);
    DrawFilterType(image, label, 0);
    EXPECT_EQ(label.Caption(), "No Filter");
    int black = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 96; ++x)
            if (image.Canvas().Pixel(x, y) == gdi::clBlack) {
                ++black;
                // The text alone, from (20, 12) on: the band-pass curve is gone.
                EXPECT_GE(x, 20);
                EXPECT_GE(y, 12);
            }
    EXPECT_GT(black, 10);
}

} // namespace
} // namespace editors::test
