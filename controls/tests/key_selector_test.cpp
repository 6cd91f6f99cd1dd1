#include "controls/key_selector.h"

#include "controls/tests/controls_fixture.h"

#include <string>
#include <vector>

namespace controls::test {
namespace {

namespace gdi = platform::gdi;

// Counts its paintings, to see that setting the selected key paints at once or not at all.
class CountingSelector : public TKeySelector {
public:
    using TKeySelector::TKeySelector;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        TKeySelector::Paint();
    }
};

// The rhythm pages' selector: 381 x 50, keys 10 px wide, black keys 30 px long.
class KeySelectorTest : public ControlsFixture {
protected:
    CountingSelector& Selector() {
        auto& selector = Place<CountingSelector>({10, 10, 391, 60});
        selector.OnChange = [this, &selector](forms::TObject* sender) {
            EXPECT_EQ(sender, &selector);
            events.push_back("change " + std::to_string(selector.KeySelected()));
        };
        selector.OnEndchange = [this, &selector](forms::TObject* sender) {
            EXPECT_EQ(sender, &selector);
            events.push_back("end " + std::to_string(selector.KeySelected()));
        };
        return selector;
    }

    std::vector<std::string> events;
};

TEST_F(KeySelectorTest, APressSelectsTheKeyUnderThePointer) {
    auto& selector = Selector();
    const struct {
        int x, y, key;
    } cases[] = {
        // Up to KeyWidth: the B below the first C, in either band.
        {10, 40, -1},
        {10, 5, -1},
        {1, 49, -1},
        // C: its black key from r > W div 2, down to the black-key length (30) inclusive.
        {15, 10, 0},
        {16, 10, 1},
        {16, 30, 1},
        {16, 31, 0},
        // D: C# up to r = W div 4, D# from r = W - W div 4.
        {22, 0, 1},
        {23, 0, 2},
        {27, 0, 2},
        {28, 0, 3},
        {22, 40, 2},
        // E: D# below r = W div 2.
        {34, 10, 3},
        {35, 10, 4},
        {34, 40, 4},
        // F, G, A, B.
        {45, 10, 5},
        {46, 10, 6},
        {52, 10, 6},
        {53, 10, 7},
        {58, 10, 8},
        {62, 10, 8},
        {63, 10, 9},
        {68, 10, 10},
        {74, 10, 10},
        {75, 10, 11},
        {79, 40, 11},
        // The next octave.
        {80, 40, 12},
        {86, 10, 13},
        {365, 10, 60},
        // The last key begins at 370; at its edge the hit test still counts octaves.
        {369, 10, 61},
        {370, 10, 61},
        {370, 40, 62},
        // Beyond its edge the last key takes the black band too: the band kept for key 61 ends
        // at KeyX(61) + W div 4 = 368, left of it.
        {371, 10, 62},
        {371, 40, 62},
        {380, 0, 62},
        {380, 49, 62}};
    for (const auto& c : cases) {
        driver.Click(At(selector, {c.x, c.y}));
        EXPECT_EQ(selector.KeySelected(), c.key) << c.x << "," << c.y;
    }
}

TEST_F(KeySelectorTest, DraggingAcrossKeysChangesOncePerKeyEntered) {
    auto& selector = Selector();
    driver.MoveTo(At(selector, {15, 40}));
    driver.Press(At(selector, {15, 40}));
    for (const forms::TPoint p : {forms::TPoint{25, 40}, {27, 40}, {35, 40}, {31, 10}, {32, 10}})
        driver.MoveTo(At(selector, p));
    driver.Release(At(selector, {32, 10}));
    EXPECT_EQ(events,
              (std::vector<std::string>{"end 0", "change 2", "change 4", "change 3", "end 3"}));
    // Moving with no button held, or pressing the right button, selects nothing.
    events.clear();
    driver.MoveTo(At(selector, {100, 40}));
    driver.Click(At(selector, {100, 40}), Qt::RightButton);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(selector.KeySelected(), 3);
}

TEST_F(KeySelectorTest, ThePressedKeyIsRedAtOnce) {
    auto& selector = Selector();
    // A new selector shows the leftmost key selected.
    EXPECT_EQ(selector.KeySelected(), -1);
    EXPECT_EQ(Pixel(selector, {5, 25}), gdi::clRed);
    EXPECT_EQ(Pixel(selector, {15, 40}), gdi::clWhite);
    const int paints = selector.paints;
    driver.MoveTo(At(selector, {15, 40}));
    driver.Press(At(selector, {15, 40}));
    EXPECT_EQ(selector.paints, paints); // drawn key by key, not repainted
    EXPECT_EQ(Pixel(selector, {15, 40}), gdi::clRed);
    EXPECT_EQ(Pixel(selector, {5, 25}), gdi::clWhite);
    driver.MoveTo(At(selector, {18, 10}));
    EXPECT_EQ(Pixel(selector, {18, 10}), gdi::clRed);
    EXPECT_EQ(Pixel(selector, {15, 40}), gdi::clWhite);
    driver.Release(At(selector, {18, 10}));
    SavePng(selector, "key_selector");
}

TEST_F(KeySelectorTest, SettingTheKeyRepaintsAtOnceAndFiresNothing) {
    auto& selector = Selector();
    const int paints = selector.paints;
    selector.SetKeySelected(-1);
    EXPECT_EQ(selector.paints, paints);
    selector.SetKeySelected(20); // the G# of the second octave, from x = 127
    EXPECT_EQ(selector.paints, paints + 1);
    EXPECT_EQ(Pixel(selector, {130, 10}), gdi::clRed);
    EXPECT_EQ(Pixel(selector, {5, 25}), gdi::clWhite);
    for (const int x : {15, 18, 85, 125, 137, 375})
        EXPECT_NE(Pixel(selector, {x, 10}), gdi::clRed) << x;
    // A key off the keyboard leaves none red.
    selector.SetKeySelected(63);
    EXPECT_EQ(Pixel(selector, {130, 10}), gdi::clBlack);
    EXPECT_EQ(Pixel(selector, {375, 40}), gdi::clWhite);
    EXPECT_TRUE(events.empty());
}

TEST_F(KeySelectorTest, AnotherKeyWidthRepaintsAtOnceAndMovesTheKeys) {
    auto& selector = Selector();
    const int paints = selector.paints;
    selector.SetKeyWidth(10);
    EXPECT_EQ(selector.paints, paints);
    selector.SetKeyWidth(20);
    EXPECT_EQ(selector.paints, paints + 1);
    EXPECT_EQ(Pixel(selector, {15, 40}), gdi::clRed); // the leftmost key, now 20 px wide
    driver.Click(At(selector, {25, 40}));
    EXPECT_EQ(selector.KeySelected(), 0);
}

TEST_F(KeySelectorTest, BlackKeysAre30PixelsLongAnd7Wide) {
    auto& selector = Selector();
    // C# from x = 16 over the white keys C and D: below the keyboard's top line (row 0) it is
    // black down to row 30, on columns 16 to 22; D# begins at 28.
    for (int y = 1; y < 49; ++y)
        EXPECT_EQ(Pixel(selector, {18, y}), y <= 30 ? gdi::clBlack : gdi::clWhite) << y;
    for (int x = 11; x < 30; ++x) {
        const bool black = (x >= 16 && x <= 22) || x >= 28;
        EXPECT_EQ(Pixel(selector, {x, 15}), black ? gdi::clBlack : gdi::clWhite) << x;
    }
}

} // namespace
} // namespace controls::test
