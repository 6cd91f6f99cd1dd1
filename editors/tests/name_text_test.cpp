// What a name box accepts: printable 7-bit characters only.

#include "editors/name_text.h"

#include <gtest/gtest.h>

namespace editors {
namespace {

TEST(NameTextTest, OnlyPrintableSevenBitCharactersPass) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"Pad", "Pad"},         {"Pad \x7E!", "Pad \x7E!"}, {"Caf\xE9", "Caf"},
        {"\x7F\x80\xFFX", "X"}, {"Tab\there", "Tabhere"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameText(c.typed), c.kept) << c.typed;
    EXPECT_TRUE(IsNameChar(' '));
    EXPECT_FALSE(IsNameChar('\x1F'));
    EXPECT_FALSE(IsNameChar('\x7F'));
    EXPECT_FALSE(IsNameChar(static_cast<char>(0xC0)));
}

} // namespace
} // namespace editors
