#include "controls/my_edit.h"

#include "controls/tests/controls_fixture.h"

#include <string>
#include <vector>

namespace pw = platform::win;

namespace controls::test {
namespace {

namespace gdi = platform::gdi;
using K = TEditType;

class MyEditTest : public ControlsFixture {
protected:
    TMyEdit& Field(K kind, int code, int min = 0, int max = 0, int step = 1) {
        auto& field = Place<TMyEdit>({10, 10, 70, 34});
        field.Min = min;
        field.Max = max;
        field.Step = step;
        field.SetEditType(kind);
        field.SetCode(code);
        field.Onchange = [this, &field](forms::TObject* sender) {
            EXPECT_EQ(sender, &field);
            changes.push_back(field.Code());
            texts.push_back(field.TextBox().Text());
        };
        field.OnEndChange = [this, &field](forms::TObject* sender) {
            EXPECT_EQ(sender, &field);
            ++ends;
        };
        return field;
    }
    static forms::TPoint Up(TMyEdit& field) { return At(field.UpButton(), {7, 5}); }
    static forms::TPoint Down(TMyEdit& field) { return At(field.DownButton(), {7, 5}); }

    std::vector<int> changes;
    std::vector<std::string> texts;
    int ends = 0;
};

TEST_F(MyEditTest, HoldingAnArrowStepsAtOnceThenAfter600MsThenEvery47Ms) {
    auto& field = Field(K::IntM100P100, 7);
    EXPECT_EQ(field.TextBox().Text(), "   0");
    driver.Press(Up(field));
    EXPECT_EQ(changes, std::vector<int>{8});
    EXPECT_EQ(texts, std::vector<std::string>{" +10"});
    EXPECT_TRUE(field.Held());
    Wait(599);
    EXPECT_EQ(changes.size(), 1u);
    Wait(1);
    EXPECT_EQ(changes, (std::vector<int>{8, 9}));
    Wait(46);
    EXPECT_EQ(changes.size(), 2u);
    Wait(1);
    EXPECT_EQ(changes, (std::vector<int>{8, 9, 10}));
    Wait(47 * 2);
    EXPECT_EQ(changes, (std::vector<int>{8, 9, 10, 11, 12}));
    EXPECT_EQ(ends, 0);
    driver.Release(Up(field));
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(field.Held());
    EXPECT_TRUE(field.Focused()); // the field, not the arrow, has the focus afterwards
    Wait(1000);
    EXPECT_EQ(field.Code(), 12);
    EXPECT_EQ(field.TextBox().Text(), " +50");
    SavePng(field, "my_edit");
}

TEST_F(MyEditTest, AnyButtonOnTheDownArrowStepsDown) {
    auto& field = Field(K::MinMaxS, 0, -3, 3);
    driver.Press(Down(field), Qt::RightButton);
    Wait(600 + 47);
    driver.Release(Down(field), Qt::RightButton);
    EXPECT_EQ(changes, (std::vector<int>{-1, -2, -3}));
    EXPECT_EQ(texts.back(), " -3");
    EXPECT_EQ(ends, 1);
}

TEST_F(MyEditTest, AtTheBoundAPressChangesNothingButTheReleaseStillEndsTheChange) {
    auto& field = Field(K::Int05M90, 4);
    driver.Press(Up(field));
    EXPECT_FALSE(field.Held());
    Wait(1000);
    driver.Release(Up(field));
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(field.TextBox().Text(), " 9.0");
    // Holding past the bound stops there; every release ends a change once.
    field.SetCode(2);
    driver.Press(Up(field));
    Wait(600 + 47 * 10);
    driver.Release(Up(field));
    EXPECT_EQ(changes, (std::vector<int>{3, 4}));
    EXPECT_EQ(ends, 2);
}

// A code off the step grid stops at the kind's bound instead of stepping past it.
TEST_F(MyEditTest, StepsStopAtTheBoundFromAnOffGridCode) {
    const struct {
        K kind;
        int min, max, step, code;
        bool up;
        std::vector<int> steps;
    } cases[] = {
        {K::MinMaxS, -100, 150, 2, 149, true, {150}},
        {K::MinMaxS, -100, 150, 2, 146, true, {148, 150}},
        {K::MinMax, 0, 14, 2, 13, true, {14}},
        {K::MinMaxS, -100, 100, 50, -75, false, {-100}},
        {K::IntM100P100, 0, 0, 4, 12, true, {14}},
    };
    for (const auto& c : cases) {
        changes.clear();
        auto& field = Field(c.kind, c.code, c.min, c.max, c.step);
        const forms::TPoint arrow = c.up ? Up(field) : Down(field);
        driver.Press(arrow);
        Wait(600 + 47 * 5);
        driver.Release(arrow);
        EXPECT_EQ(changes, c.steps) << c.code;
        EXPECT_EQ(field.Code(), c.steps.back());
        Form().FreeComponent(field);
    }
}

TEST_F(MyEditTest, TheNoteKindIgnoresMinAndMax) {
    auto& field = Field(K::Note, 126, 10, 20);
    EXPECT_EQ(field.GetMinCode(), 0);
    EXPECT_EQ(field.GetMaxCode(), 127);
    driver.Press(Up(field));
    driver.Release(Up(field));
    EXPECT_EQ(changes, std::vector<int>{127});
    EXPECT_EQ(field.TextBox().Text(), " G 9");
    field.SetCode(5);
    EXPECT_EQ(field.TextBox().Text(), " F -1");
}

TEST_F(MyEditTest, ACodeSetByProgramIsShownAsItIsWithoutAnEvent) {
    auto& field = Field(K::IntM100P100, 7);
    field.SetCode(20);
    EXPECT_EQ(field.Code(), 20);
    EXPECT_EQ(field.TextBox().Text(), "");
    field.SetCode(14);
    EXPECT_EQ(field.TextBox().Text(), " +100");
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(ends, 0);
}

TEST_F(MyEditTest, ChangingTheKindRenewsTextAndLayoutAtOnce) {
    auto& field = Field(K::IntM100P100, 7);
    field.SetBounds(10, 10, 100, 30);
    field.SetEditType(K::Note);
    EXPECT_EQ(field.TextBox().Text(), " G -1");
    EXPECT_EQ(field.TextBox().BoundsRect(), (forms::TRect{1, 1, 99, 29}));
    EXPECT_EQ(field.UpButton().BoundsRect(), (forms::TRect{84, 1, 99, 15}));
    EXPECT_EQ(field.DownButton().BoundsRect(), (forms::TRect{84, 15, 99, 29}));
    // Min, Max and Step are plain settings: the text stays until something renews it.
    field.SetEditType(K::MinMaxS);
    EXPECT_EQ(field.TextBox().Text(), " +7");
    field.SetEditType(K::MinMax);
    EXPECT_EQ(field.TextBox().Text(), " 7");
}

TEST_F(MyEditTest, TheArrowsCarryBlackTrianglesAtTheRightEdge) {
    auto& field = Field(K::IntM100P100, 7);
    EXPECT_EQ(field.TextBox().BoundsRect(), (forms::TRect{1, 1, 59, 23}));
    EXPECT_EQ(field.UpButton().BoundsRect(), (forms::TRect{44, 1, 59, 12}));
    EXPECT_EQ(field.DownButton().BoundsRect(), (forms::TRect{44, 12, 59, 23}));
    EXPECT_TRUE(field.TextBox().ReadOnly());
    const forms::TColor black = gdi::ColorToRGB(gdi::clBlack);
    // The 11 x 6 glyph lies centred in the 15 x 11 button, from (2, 2).
    EXPECT_EQ(Pixel(field.UpButton(), {7, 6}), black);   // near the up triangle's base
    EXPECT_NE(Pixel(field.UpButton(), {2, 3}), black);   // beside its tip
    EXPECT_EQ(Pixel(field.DownButton(), {7, 3}), black); // near the down triangle's base
    EXPECT_NE(Pixel(field.DownButton(), {2, 6}), black); // beside its tip
}

// Nothing is typed in a value box: a click on its text gives the focus to the field, and no caret
// ever shows in the text; with the focus, Up and Down step as the arrows do, within the bounds.
TEST_F(MyEditTest, AClickOnTheTextFocusesTheFieldWithoutACaretAndTheArrowKeysStep) {
    auto& field = Field(K::MinMaxS, 2, -3, 3);
    forms::TEdit& text = field.TextBox();
    const auto picture = [&text] {
        std::vector<forms::TColor> pixels;
        for (int y = 0; y < text.Height(); ++y)
            for (int x = 0; x < text.Width(); ++x)
                pixels.push_back(Pixel(text, {x, y}));
        return pixels;
    };
    testsupport::PumpUntilIdle();
    const std::vector<forms::TColor> atRest = picture();
    driver.Click(At(text, {12, text.Height() / 2}));
    EXPECT_TRUE(field.Focused());
    EXPECT_FALSE(text.Focused());
    // A caret would blink: the text looks the same through a whole blink.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(picture(), atRest) << "after " << i * 300 << " ms";
        Wait(300);
    }
    EXPECT_TRUE(changes.empty());

    driver.TypeKey(pw::VK_UP);
    EXPECT_EQ(changes, std::vector<int>{3});
    EXPECT_EQ(texts, std::vector<std::string>{" +3"});
    EXPECT_EQ(ends, 1);
    driver.TypeKey(pw::VK_UP); // at the bound
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_EQ(ends, 1);
    driver.TypeKey(pw::VK_DOWN);
    driver.TypeKey(pw::VK_DOWN);
    EXPECT_EQ(changes, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(ends, 3);
    EXPECT_TRUE(field.Focused());
    EXPECT_EQ(text.Text(), " +1");
}

} // namespace
} // namespace controls::test
