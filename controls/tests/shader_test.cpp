#include "controls/shader.h"

#include "controls/tests/controls_fixture.h"

#include "platform/gdi/colors.h"

namespace controls::test {
namespace {

namespace gdi = platform::gdi;

class ShaderTest : public ControlsFixture {
protected:
    TShader& Shader(forms::TRect bounds, forms::TColor from, forms::TColor to, int steps) {
        auto& shader = Place<TShader>(bounds);
        shader.SetFromColor(from);
        shader.SetToColor(to);
        shader.SetSteps(static_cast<std::uint16_t>(steps));
        testsupport::PumpUntilIdle();
        return shader;
    }
};

TEST_F(ShaderTest, StartsAsTheFormsExpect) {
    auto& shader = Place<TShader>({0, 0, 100, 100});
    EXPECT_EQ(shader.FromColor(), 0xFF0000);
    EXPECT_EQ(shader.ToColor(), 0);
    EXPECT_EQ(shader.Steps(), 20);
    EXPECT_FALSE(shader.Direction());
    EXPECT_EQ(shader.GetVersion(), 0x01010000u);
    shader.SetVersion("2.0.0.0");
    EXPECT_EQ(shader.Version(), "1.1.0.0");
}

// The element windows' background: 20 bands from 80FF00H (red 0, green 255, blue 128) to white
// on 200 pixels, so each band is 10 pixels and the red channel steps by 12.75.
TEST_F(ShaderTest, TwentyBandsRunFromTheFirstColourToAlmostWhite) {
    auto& shader = Shader({0, 0, 200, 200}, 0x80FF00, gdi::clWhite, 20);
    const struct {
        bool direction;
        forms::TPoint point;
        forms::TColor color;
    } cases[] = {
        {false, {100, 0}, 0x80FF00},   {false, {199, 9}, 0x80FF00},
        {false, {0, 10}, 0x86FF0D},    // 128 + Round(6.35), Round(12.75)
        {false, {100, 65}, 0xA6FF4C},  // band 6: red Round(76.5) = 76, halves to even
        {false, {100, 199}, 0xF9FFF2}, // band 19: (242, 255, 249), not white
        {true, {0, 100}, 0x80FF00},    {true, {65, 199}, 0xA6FF4C},
        {true, {199, 0}, 0xF9FFF2},
    };
    for (const auto& c : cases) {
        if (shader.Direction() != c.direction) {
            shader.SetDirection(c.direction);
            testsupport::PumpUntilIdle();
        }
        EXPECT_EQ(Pixel(shader, c.point), c.color)
            << c.direction << " " << c.point.X << "," << c.point.Y;
    }
    shader.SetDirection(false);
    testsupport::PumpUntilIdle();
    SavePng(shader, "shader");
}

// Bands 2.5 pixels tall start at rows 0, 2, 5 and 8 (Round(2.5) = 2, Round(7.5) = 8), each
// 3 rows tall and covered at its last row by the next.
TEST_F(ShaderTest, BandsStartAtTheirRoundedPositionAndOverlapByOneRow) {
    auto& shader = Shader({0, 0, 20, 10}, 0x000000, 0x0000FC, 4);
    const forms::TColor rows[10] = {0x00, 0x00, 0x3F, 0x3F, 0x3F, 0x7E, 0x7E, 0x7E, 0xBD, 0xBD};
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(Pixel(shader, {10, y}), rows[y]) << y;
}

TEST_F(ShaderTest, OneStepOrNoneIsOneBandOfTheFirstColour) {
    for (const int steps : {1, 0}) {
        auto& shader = Place<TShader>({0, 0, 50, 40});
        shader.SetFromColor(0x123456);
        shader.SetToColor(gdi::clWhite);
        shader.SetSteps(static_cast<std::uint16_t>(steps));
        EXPECT_EQ(shader.Steps(), steps);
        testsupport::PumpUntilIdle();
        for (const forms::TPoint p : {forms::TPoint{0, 0}, {49, 0}, {25, 20}, {0, 39}, {49, 39}})
            EXPECT_EQ(Pixel(shader, p), 0x123456) << steps << ": " << p.X << "," << p.Y;
        // Painting made no steps one step, and it stays so.
        EXPECT_EQ(shader.Steps(), 1) << steps;
    }
}

TEST_F(ShaderTest, ASystemColourIsKeptAsTheRgbItHadWhenSet) {
    auto& shader = Place<TShader>({0, 0, 50, 50});
    const gdi::SystemProfile profile = gdi::GetSystemProfile();
    const forms::TColor face = static_cast<forms::TColor>(gdi::ColorToRGB(gdi::clBtnFace));
    shader.SetFromColor(gdi::clBtnFace);
    shader.SetToColor(gdi::clBtnFace);
    int index = gdi::COLOR_BTNFACE;
    const gdi::COLORREF other = face ^ 0x808080;
    gdi::SetSysColors(1, &index, &other);
    EXPECT_EQ(shader.FromColor(), face);
    EXPECT_EQ(shader.ToColor(), face);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Pixel(shader, {25, 25}), face);
    gdi::SetSystemProfile(profile);
}

} // namespace
} // namespace controls::test
