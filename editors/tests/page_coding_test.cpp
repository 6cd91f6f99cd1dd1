// The encodings of the page tables: the value a control shows for a byte, and the byte stored
// for what the user left it at.

#include "editors/page_coding.h"

#include <gtest/gtest.h>

namespace editors {
namespace {

struct CodingCase {
    const char* name;
    TCoding coding;
    int byte;
    int shown;
    int stored; // the byte stored for the value shown
};

TEST(PageCodingTest, ShowsAndStoresEachEncoding) {
    const CodingCase cases[] = {
        {"plain", Plain, 100, 100, 100},
        {"bias 48 at its foot", Bias(48), 0, -48, 0},
        {"bias 48 raised", Bias(48), 60, 12, 60},
        {"bias 64 centre", Bias(64), 64, 0, 64},
        {"code", Code, 30, 30, 30},
        {"twice less 100 foot", TwiceLess100, 0, -100, 0},
        {"twice less 100 top", TwiceLess100, 125, 150, 125},
        {"plus one", PlusOne, 6, 7, 6},
        {"index", Index, 3, 3, 3},
        {"switch on", Switch, 1, 1, 1},
        {"switch, a byte no box holds", Switch, 2, 0, 0},
        {"fifty less 100 foot", Scaled(50, 100), 0, -100, 0},
        {"fifty less 100 minus fifty", Scaled(50, 100), 1, -50, 1},
        {"fifty less 100 top", Scaled(50, 100), 4, 100, 4},
        {"negate", Negate, 12, -12, 12},
        {"negate at zero", Negate, 0, 0, 0},
    };
    for (const CodingCase& c : cases) {
        EXPECT_EQ(c.coding.ToValue(static_cast<std::uint8_t>(c.byte)), c.shown) << c.name;
        EXPECT_EQ(c.coding.ToByte(c.shown), c.stored) << c.name;
    }
    // (code + 100) div 2 truncates toward zero; a bias sends value + b modulo 256.
    EXPECT_EQ(TwiceLess100.ToByte(-99), 0);
    EXPECT_EQ(TwiceLess100.ToByte(-101), 0);
    EXPECT_EQ(Bias(63).ToByte(-64), 0xFF);
    EXPECT_EQ(Scaled(50, 100).ToByte(-51), 0);
    EXPECT_EQ(Scaled(50, 100).ToByte(49), 2);
}

} // namespace
} // namespace editors
