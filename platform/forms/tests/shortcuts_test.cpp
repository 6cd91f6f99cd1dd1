#include "platform/forms/shortcuts.h"

#include <gtest/gtest.h>

namespace platform::forms {
namespace {

TEST(ShortCuts, TextBothWays) {
    const struct {
        TShortCut shortCut;
        const char* text;
    } cases[] = {
        {ShortCut('O', scCtrl), "Ctrl+O"},
        {ShortCut(0x74, 0), "F5"},
        {ShortCut(0x2E, scShift | scCtrl), "Shift+Ctrl+Del"},
        {ShortCut(0x08, scAlt), "Alt+BkSp"},
        {ShortCut('1', scCtrl | scAlt), "Ctrl+Alt+1"},
        {ShortCut(0x21, 0), "PgUp"},
        {ShortCut(0x60, 0), "Num 0"},
        {ShortCut(0x7B, scShift), "Shift+F12"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortCutToText(c.shortCut), c.text);
        EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
    }
}

TEST(ShortCuts, ReadingTakesModifiersInAnyOrderWithoutCase) {
    EXPECT_EQ(TextToShortCut("alt+CTRL+s"), ShortCut('S', scCtrl | scAlt));
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), scNone);
    EXPECT_EQ(TextToShortCut(""), scNone);
}

TEST(ShortCuts, KeyAndModifiersApart) {
    std::uint16_t key = 0;
    TShortCut shift = 0;
    ShortCutToKey(ShortCut('N', scCtrl | scShift), key, shift);
    EXPECT_EQ(key, 'N');
    EXPECT_EQ(shift, scCtrl | scShift);
    EXPECT_EQ(ShortCutToText(ShortCut(0x07, scCtrl)), "") << "a key without a name";
}

} // namespace
} // namespace platform::forms
