#pragma once
// The regional settings beyond the date and time formats of FormatSettings(): the long date and
// short time formats, month names, the currency layout and the first day of the week, as the
// desktop's locale values give them. A fixed profile stands for tests; the user's locale gives
// the one in force otherwise. Texts are Windows-1252, as all of the program's text.

#include "platform/core/window_handle.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::core {

// What the desktop sends to every window when a settings section (lParam: a const char* with
// the section's name, "intl" for the regional settings) or the system time changes.
inline constexpr UINT WM_WININICHANGE = 0x001A;
inline constexpr UINT WM_TIMECHANGE = 0x001E;

// The members' defaults are the fixed profile.
struct TRegionalSettings {
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};
    std::string CurrencyString = "$";
    // 0 currency and number, 1 number and currency, 2 and 3 the same apart by a space.
    std::uint8_t CurrencyFormat = 0;
    // The sixteen layouts of a negative amount, 0..15 (LOCALE_INEGCURR).
    std::uint8_t NegCurrFormat = 0;
    std::uint8_t CurrencyDecimals = 2;
    // LOCALE_IFIRSTDAYOFWEEK: 0 Monday .. 6 Sunday.
    int FirstDayOfWeek = 6;

    bool operator==(const TRegionalSettings&) const = default;
};

// The settings of a POSIX locale by name (LC_TIME and LC_MONETARY); the fixed profile when the
// locale does not exist or is C or POSIX.
TRegionalSettings RegionalSettingsFromLocale(const std::string& LocaleName);

// The settings in force: those of a RegionalSettingsOverride when one is alive, else those of
// the user's locale (LC_ALL, then LC_TIME or LC_MONETARY, then LANG), read on first use and again
// after ReloadRegionalSettings.
const TRegionalSettings& RegionalSettings();
void ReloadRegionalSettings();

// Whether the program re-reads the regional settings when the desktop says they changed (the
// application's UpdateFormatSettings); on until switched off.
bool UpdateFormatSettings();
void SetUpdateFormatSettings(bool Value);

// Puts settings in force for its lifetime (tests). Overrides nest.
class RegionalSettingsOverride {
public:
    explicit RegionalSettingsOverride(TRegionalSettings Settings);
    ~RegionalSettingsOverride();
    RegionalSettingsOverride(const RegionalSettingsOverride&) = delete;
    RegionalSettingsOverride& operator=(const RegionalSettingsOverride&) = delete;

private:
    TRegionalSettings settings_;
    RegionalSettingsOverride* previous_;
    friend const TRegionalSettings& RegionalSettings();
};

} // namespace platform::core
