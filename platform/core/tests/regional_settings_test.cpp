#include "platform/core/regional_settings.h"

#include <gtest/gtest.h>

namespace platform::core {
namespace {

TEST(RegionalSettingsTest, LocalesWithoutSettingsGiveTheFixedProfile) {
    for (const char* Name : {"", "C", "POSIX", "C.UTF-8", "xx_NONE.UTF-8"})
        EXPECT_EQ(RegionalSettingsFromLocale(Name), TRegionalSettings{}) << Name;
    const TRegionalSettings Fixed;
    EXPECT_EQ(Fixed.LongMonthNames[11], "December");
    EXPECT_EQ(Fixed.ShortMonthNames[0], "Jan");
    EXPECT_EQ(Fixed.FirstDayOfWeek, 6);
}

TEST(RegionalSettingsTest, OverridesNestAndReloadKeepsThem) {
    TRegionalSettings Outer;
    Outer.CurrencyString = "EUR";
    TRegionalSettings Inner;
    Inner.NegCurrFormat = 15;
    {
        RegionalSettingsOverride OuterInForce(Outer);
        {
            RegionalSettingsOverride InnerInForce(Inner);
            ReloadRegionalSettings();
            EXPECT_EQ(RegionalSettings(), Inner);
        }
        EXPECT_EQ(RegionalSettings(), Outer);
    }
    EXPECT_NE(RegionalSettings().CurrencyString, "EUR");
}

TEST(RegionalSettingsTest, TheProgramFollowsChangesUntilToldNotTo) {
    EXPECT_TRUE(UpdateFormatSettings());
    SetUpdateFormatSettings(false);
    EXPECT_FALSE(UpdateFormatSettings());
    SetUpdateFormatSettings(true);
}

} // namespace
} // namespace platform::core
