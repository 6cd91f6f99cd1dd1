#include "platform/core/regional_settings.h"

#include "platform/core/text.h"

#include <cstdlib>
#include <langinfo.h>
#include <locale.h>
#include <optional>

namespace platform::core {

namespace {

RegionalSettingsOverride* g_override = nullptr;
bool g_updateFormatSettings = true;

std::optional<TRegionalSettings>& LocaleCache() {
    static std::optional<TRegionalSettings> cache;
    return cache;
}

// A one-byte monetary value of nl_langinfo; CHAR_MAX (unset) reads as Fallback.
int ByteItem(nl_item Item, locale_t Locale, int Fallback) {
    const char* s = ::nl_langinfo_l(Item, Locale);
    if (!s || !*s || static_cast<unsigned char>(*s) == 127) return Fallback;
    return static_cast<unsigned char>(*s);
}

// The LOCALE_INEGCURR layout nearest to the POSIX description of a negative amount.
std::uint8_t NegativeLayout(bool Precedes, bool Space, int SignPosition) {
    switch (SignPosition) {
    case 0: // parentheses
        return Precedes ? (Space ? 14 : 0) : (Space ? 15 : 4);
    case 2: // sign after the amount and the currency
        return Precedes ? (Space ? 11 : 3) : (Space ? 10 : 7);
    case 3: // sign just before the currency
        return Precedes ? (Space ? 9 : 1) : (Space ? 13 : 6);
    case 4: // sign just after the currency
        return Precedes ? (Space ? 12 : 2) : (Space ? 10 : 7);
    default: // sign before the amount and the currency
        return Precedes ? (Space ? 9 : 1) : (Space ? 8 : 5);
    }
}

std::string UserLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_TIME", "LC_MONETARY", "LANG"}) {
        const char* v = std::getenv(variable);
        if (v && *v) return v;
    }
    return {};
}

} // namespace

TRegionalSettings RegionalSettingsFromLocale(const std::string& LocaleName) {
    TRegionalSettings settings;
    if (LocaleName.empty() || LocaleName == "C" || LocaleName == "POSIX" ||
        LocaleName.starts_with("C."))
        return settings;
    locale_t locale = ::newlocale(LC_TIME_MASK | LC_MONETARY_MASK, LocaleName.c_str(),
                                  static_cast<locale_t>(nullptr));
    if (!locale) return settings;
    // The long date and short time formats stay the fixed profile's: a POSIX locale has neither.
    for (int i = 0; i < 12; ++i) {
        std::string shortName = Utf8ToAnsi(::nl_langinfo_l(ABMON_1 + i, locale));
        std::string longName = Utf8ToAnsi(::nl_langinfo_l(MON_1 + i, locale));
        if (!shortName.empty()) settings.ShortMonthNames[i] = shortName;
        if (!longName.empty()) settings.LongMonthNames[i] = longName;
    }
    std::string currency = Utf8ToAnsi(::nl_langinfo_l(CURRENCY_SYMBOL, locale));
    if (!currency.empty()) {
        settings.CurrencyString = currency;
        settings.CurrencyDecimals = static_cast<std::uint8_t>(ByteItem(FRAC_DIGITS, locale, 2));
        bool precedes = ByteItem(P_CS_PRECEDES, locale, 1) != 0;
        bool space = ByteItem(P_SEP_BY_SPACE, locale, 0) != 0;
        settings.CurrencyFormat = static_cast<std::uint8_t>((precedes ? 0 : 1) + (space ? 2 : 0));
        settings.NegCurrFormat = NegativeLayout(ByteItem(N_CS_PRECEDES, locale, 1) != 0,
                                                ByteItem(N_SEP_BY_SPACE, locale, 0) != 0,
                                                ByteItem(N_SIGN_POSN, locale, 1));
    }
    // The locale counts its first weekday from Sunday as 1; the desktop's value from Monday as 0.
    int firstWeekday = ByteItem(_NL_TIME_FIRST_WEEKDAY, locale, 1);
    if (firstWeekday >= 1 && firstWeekday <= 7) settings.FirstDayOfWeek = (firstWeekday + 5) % 7;
    ::freelocale(locale);
    return settings;
}

const TRegionalSettings& RegionalSettings() {
    if (g_override) return g_override->settings_;
    auto& cache = LocaleCache();
    if (!cache) cache = RegionalSettingsFromLocale(UserLocaleName());
    return *cache;
}

void ReloadRegionalSettings() {
    LocaleCache().reset();
}

bool UpdateFormatSettings() {
    return g_updateFormatSettings;
}

void SetUpdateFormatSettings(bool Value) {
    g_updateFormatSettings = Value;
}

RegionalSettingsOverride::RegionalSettingsOverride(TRegionalSettings Settings)
    : settings_(std::move(Settings)), previous_(g_override) {
    g_override = this;
}

RegionalSettingsOverride::~RegionalSettingsOverride() {
    g_override = previous_;
}

} // namespace platform::core
