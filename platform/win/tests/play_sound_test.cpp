#include "platform/win/play_sound.h"

#include <gtest/gtest.h>

namespace platform::win {
namespace {

TEST(PlaySound, RecordsWhatWasAskedForAndAStop) {
    ClearPlayedSounds();
    EXPECT_TRUE(PlaySound("MenuPopup", SND_ASYNC | SND_ALIAS));
    EXPECT_TRUE(PlaySound(nullptr, 0));
    EXPECT_EQ(PlayedSounds(), (std::vector<std::string>{"MenuPopup", ""}));
    ClearPlayedSounds();
    EXPECT_TRUE(PlayedSounds().empty());
}

} // namespace
} // namespace platform::win
