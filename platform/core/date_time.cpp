#include "platform/core/date_time.h"

#include "platform/core/clock.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <langinfo.h>
#include <locale.h>
#include <optional>

namespace platform::core {

namespace {

constexpr std::int64_t kMSecsPerDay = 86400000;
// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kUnixDateDelta = -25569;
// 0001-01-01 as a TDateTime.
constexpr std::int64_t kFirstDay = -693593;
// Beyond this many days the milliseconds no longer fit 64 bits.
constexpr double kLargestDay = 1e11;

NowOverride* g_nowOverride = nullptr;
FormatSettingsOverride* g_formatOverride = nullptr;

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// dt rounded to whole milliseconds, the precision at which the class library splits it.
std::optional<std::int64_t> ToMillis(TDateTime dt) {
    if (!std::isfinite(dt) || std::fabs(dt) > kLargestDay) return std::nullopt;
    return std::llround(dt * static_cast<double>(kMSecsPerDay));
}

bool IsPlainAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) {
        auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u < 0x7F;
    });
}

// Turns a strftime pattern into the class library's format, the first punctuation mark becoming
// the separator that placeholder stands for. Fails on anything the formats cannot express.
class PosixFormat {
public:
    explicit PosixFormat(char placeholder) : placeholder_(placeholder) {}

    bool Translate(std::string_view posix) {
        for (std::size_t i = 0; i < posix.size(); ++i) {
            if (posix[i] != '%') {
                if (!Literal(posix[i])) return false;
                continue;
            }
            bool noPad = false;
            while (++i < posix.size() && std::string_view("-_0^#").find(posix[i]) != npos)
                noPad = noPad || posix[i] == '-' || posix[i] == '_';
            if (i < posix.size() && (posix[i] == 'E' || posix[i] == 'O')) ++i;
            if (i >= posix.size() || !Conversion(posix[i], noPad)) return false;
        }
        return true;
    }

    const std::string& Format() const { return format_; }
    char Separator(char fallback) const { return separator_ ? separator_ : fallback; }

private:
    static constexpr auto npos = std::string_view::npos;

    bool Conversion(char c, bool noPad) {
        switch (c) {
        case 'd':
            format_ += noPad ? "d" : "dd";
            return true;
        case 'e':
            format_ += "d";
            return true;
        case 'm':
            format_ += noPad ? "m" : "mm";
            return true;
        case 'y':
            format_ += "yy";
            return true;
        case 'Y':
            format_ += "yyyy";
            return true;
        case 'H':
        case 'I':
            format_ += noPad ? "h" : "hh";
            return true;
        case 'k':
        case 'l':
            format_ += "h";
            return true;
        case 'M':
            format_ += noPad ? "n" : "nn";
            return true;
        case 'S':
            format_ += noPad ? "s" : "ss";
            return true;
        case 'p':
        case 'P':
            format_ += "ampm";
            return true;
        case 'D':
            return Translate("%m/%d/%y");
        case 'F':
            return Translate("%Y-%m-%d");
        case 'T':
            return Translate("%H:%M:%S");
        case 'R':
            return Translate("%H:%M");
        case 'r':
            return Translate("%I:%M:%S %p");
        case '%':
            return Literal('%');
        default:
            return false;
        }
    }

    bool Literal(char c) {
        if (!IsPlainAscii(std::string_view(&c, 1))) return false;
        if (!separator_ && std::ispunct(static_cast<unsigned char>(c)) && c != '"' && c != '\'')
            separator_ = c;
        if (c == separator_) {
            format_ += placeholder_;
        } else if (c == '"') {
            format_ += "'\"'";
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '/' || c == ':' ||
                   c == '\'') {
            // Letters would read as specifiers and '/' ':' as separators: quote them.
            format_ += '"';
            format_ += c;
            format_ += '"';
        } else {
            format_ += c;
        }
        return true;
    }

    char placeholder_;
    char separator_ = 0;
    std::string format_;
};

// The user's locale of a category, opened; null for none, C and POSIX.
locale_t OpenUserLocale(const char* categoryVariable, int categoryMask) {
    std::string name;
    for (const char* variable : {"LC_ALL", categoryVariable, "LANG"}) {
        const char* v = std::getenv(variable);
        if (v && *v) {
            name = v;
            break;
        }
    }
    if (name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.")) return nullptr;
    return ::newlocale(categoryMask, name.c_str(), static_cast<locale_t>(nullptr));
}

TFormatSettings LocaleFormatSettings() {
    TFormatSettings settings;
    if (locale_t locale = OpenUserLocale("LC_TIME", LC_TIME_MASK)) {
        settings = FormatSettingsFromPosix(
            ::nl_langinfo_l(D_FMT, locale), ::nl_langinfo_l(T_FMT, locale),
            ::nl_langinfo_l(AM_STR, locale), ::nl_langinfo_l(PM_STR, locale));
        ::freelocale(locale);
    }
    if (locale_t locale = OpenUserLocale("LC_NUMERIC", LC_NUMERIC_MASK)) {
        ApplyPosixNumericSeparators(settings, ::nl_langinfo_l(RADIXCHAR, locale),
                                    ::nl_langinfo_l(THOUSEP, locale));
        ::freelocale(locale);
    }
    return settings;
}

std::string Digits(std::int64_t value, int width) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
    return s;
}

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view prefix) {
    if (s.size() - at < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(s[at + i])) != prefix[i]) return false;
    }
    return true;
}

bool HasAmPm(std::string_view format) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c == '"' || c == '\'') {
            std::size_t close = format.find(c, i + 1);
            if (close == std::string_view::npos) return false;
            i = close;
        } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                   StartsWithNoCase(format, i, "ampm")) {
            return true;
        }
    }
    return false;
}

} // namespace

NowOverride::NowOverride(std::function<TDateTime()> now)
    : now_(std::move(now)), previous_(g_nowOverride) {
    g_nowOverride = this;
}

NowOverride::NowOverride(const Clock& clock, TDateTime start)
    : NowOverride([&clock, start, origin = clock.Now()] {
          return start + static_cast<double>(static_cast<std::int64_t>(clock.Now() - origin)) /
                             static_cast<double>(kMSecsPerDay);
      }) {}

NowOverride::~NowOverride() {
    g_nowOverride = previous_;
}

TDateTime Now() {
    if (g_nowOverride) return g_nowOverride->now_();
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    ::localtime_r(&ts.tv_sec, &local);
    // A leap second shows as second 60; the class library has no room for it.
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                      static_cast<int>(ts.tv_nsec / 1000000));
}

TDateTime Date() {
    return std::trunc(Now());
}

TDateTime Time() {
    double whole = 0;
    return std::fabs(std::modf(Now(), &whole));
}

TDateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        throw EConvertError("Invalid argument to date encode");
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) - kUnixDateDelta);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        throw EConvertError("Invalid argument to time encode");
    std::int64_t ms = ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<TDateTime>(ms) / static_cast<TDateTime>(kMSecsPerDay);
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
    year = month = day = 0;
    std::optional<std::int64_t> ms = ToMillis(dt);
    if (!ms) return;
    std::int64_t days = *ms / kMSecsPerDay;
    if (days < kFirstDay) return;
    std::int64_t y = 0;
    CivilFromDays(days + kUnixDateDelta, y, month, day);
    year = static_cast<int>(y);
}

void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& millisecond) {
    hour = minute = second = millisecond = 0;
    std::optional<std::int64_t> ms = ToMillis(dt);
    if (!ms) return;
    std::int64_t t = std::llabs(*ms) % kMSecsPerDay;
    millisecond = static_cast<int>(t % 1000);
    second = static_cast<int>(t / 1000 % 60);
    minute = static_cast<int>(t / 60000 % 60);
    hour = static_cast<int>(t / 3600000);
}

TFormatSettings FormatSettingsFromPosix(std::string_view dateFormat, std::string_view timeFormat,
                                        std::string_view am, std::string_view pm) {
    TFormatSettings settings;
    PosixFormat date('/');
    if (date.Translate(dateFormat) && !date.Format().empty()) {
        settings.ShortDateFormat = date.Format();
        settings.DateSeparator = date.Separator(settings.DateSeparator);
    }
    PosixFormat time(':');
    if (IsPlainAscii(am) && IsPlainAscii(pm) && time.Translate(timeFormat) &&
        !time.Format().empty()) {
        settings.LongTimeFormat = time.Format();
        settings.TimeSeparator = time.Separator(settings.TimeSeparator);
        settings.TimeAMString = am;
        settings.TimePMString = pm;
    }
    return settings;
}

void ApplyPosixNumericSeparators(TFormatSettings& settings, std::string_view decimalPoint,
                                 std::string_view thousandsSeparator) {
    const auto single = [](std::string_view s) {
        return s.size() == 1 && static_cast<unsigned char>(s[0]) >= 32 &&
               static_cast<unsigned char>(s[0]) < 127;
    };
    settings.DecimalSeparator = single(decimalPoint) ? decimalPoint[0] : '.';
    const char fallback = settings.DecimalSeparator == ',' ? '.' : ',';
    char thousand = fallback;
    if (single(thousandsSeparator))
        thousand = thousandsSeparator[0];
    else if (!thousandsSeparator.empty())
        thousand = ' ';
    settings.ThousandSeparator = thousand == settings.DecimalSeparator ? fallback : thousand;
}

FormatSettingsOverride::FormatSettingsOverride(TFormatSettings settings)
    : settings_(std::move(settings)), previous_(g_formatOverride) {
    g_formatOverride = this;
}

FormatSettingsOverride::~FormatSettingsOverride() {
    g_formatOverride = previous_;
}

const TFormatSettings& FormatSettings() {
    if (g_formatOverride) return g_formatOverride->settings_;
    static const TFormatSettings locale = LocaleFormatSettings();
    return locale;
}

std::string FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& settings) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDate(dt, year, month, day);
    DecodeTime(dt, hour, minute, second, msec);
    const bool twelveHour = HasAmPm(format);
    const bool pm = hour >= 12;
    const int shownHour = !twelveHour ? hour : (hour % 12 == 0 ? 12 : hour % 12);

    std::string out;
    bool afterHour = false;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (c == '"' || c == '\'') {
            std::size_t close = format.find(c, i + 1);
            if (close == std::string_view::npos) close = format.size();
            out.append(format.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        if (upper == 'A') {
            if (StartsWithNoCase(format, i, "am/pm")) {
                bool caps = std::isupper(static_cast<unsigned char>(c));
                out += pm ? (caps ? "PM" : "pm") : (caps ? "AM" : "am");
                i += 5;
            } else if (StartsWithNoCase(format, i, "a/p")) {
                bool caps = std::isupper(static_cast<unsigned char>(c));
                out += pm ? (caps ? 'P' : 'p') : (caps ? 'A' : 'a');
                i += 3;
            } else if (StartsWithNoCase(format, i, "ampm")) {
                out += pm ? settings.TimePMString : settings.TimeAMString;
                i += 4;
            } else {
                out += c;
                ++i;
                continue;
            }
            afterHour = false;
            continue;
        }
        if (std::string_view("DMYHNSZ").find(upper) == std::string_view::npos) {
            if (c == '/')
                out += settings.DateSeparator;
            else if (c == ':')
                out += settings.TimeSeparator;
            else
                out += c;
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() &&
               std::toupper(static_cast<unsigned char>(format[i + run])) == upper)
            ++run;
        i += run;
        const int width = run >= 2 ? 2 : 1;
        switch (upper) {
        case 'D':
            out += Digits(day, width);
            break;
        case 'M':
            out += Digits(afterHour ? minute : month, width);
            break;
        case 'Y':
            out += run <= 2 ? Digits(year % 100, 2) : Digits(year, 4);
            break;
        case 'H':
            out += Digits(shownHour, width);
            break;
        case 'N':
            out += Digits(minute, width);
            break;
        case 'S':
            out += Digits(second, width);
            break;
        case 'Z':
            out += Digits(msec, run >= 3 ? 3 : 1);
            break;
        }
        afterHour = upper == 'H';
    }
    return out;
}

std::string DateToStr(TDateTime dt, const TFormatSettings& settings) {
    return FormatDateTime(settings.ShortDateFormat, dt, settings);
}

std::string TimeToStr(TDateTime dt, const TFormatSettings& settings) {
    return FormatDateTime(settings.LongTimeFormat, dt, settings);
}

namespace {

// Reads a date or time text from left to right; every read skips the blanks before it.
class TTextScanner {
public:
    explicit TTextScanner(std::string_view text) : text_(text) {}

    // A number of at most four digits (more would be no date's or time's); digits counts them.
    bool Number(int& value, int& digits) {
        SkipBlanks();
        value = 0;
        digits = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            if (++digits > 4) return false;
            value = value * 10 + (text_[pos_++] - '0');
        }
        return digits > 0;
    }
    bool Number(int& value) {
        int digits = 0;
        return Number(value, digits);
    }
    // One of the separators.
    bool Separator(char first, char second) {
        SkipBlanks();
        if (pos_ < text_.size() && (text_[pos_] == first || text_[pos_] == second)) {
            ++pos_;
            return true;
        }
        return false;
    }
    // The word, in any case.
    bool Word(std::string_view word) {
        SkipBlanks();
        if (word.empty() || text_.size() - pos_ < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(text_[pos_ + i])) !=
                std::toupper(static_cast<unsigned char>(word[i])))
                return false;
        pos_ += word.size();
        return true;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

enum class TDateOrder { DMY, MDY, YMD };

// The order of the short date format's first day, month or year specifier.
TDateOrder DateOrder(std::string_view format) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(format[i])));
        if (format[i] == '"' || format[i] == '\'') {
            const std::size_t close = format.find(format[i], i + 1);
            if (close == std::string_view::npos) break;
            i = close;
        } else if (c == 'D') {
            return TDateOrder::DMY;
        } else if (c == 'M') {
            return TDateOrder::MDY;
        } else if (c == 'Y') {
            return TDateOrder::YMD;
        }
    }
    return TDateOrder::MDY;
}

[[noreturn]] void NotValid(std::string_view text, const char* what) {
    throw EConvertError("'" + std::string(text) + "' is not a valid " + what);
}

// Whether the scanner stands at the AM or PM word; pm tells which.
bool ScanAmPm(TTextScanner& scan, const TFormatSettings& settings, bool& pm) {
    if (scan.Word(settings.TimeAMString) || scan.Word("AM")) {
        pm = false;
        return true;
    }
    if (scan.Word(settings.TimePMString) || scan.Word("PM")) {
        pm = true;
        return true;
    }
    return false;
}

} // namespace

TDateTime StrToDate(std::string_view text, const TFormatSettings& settings) {
    TTextScanner scan(text);
    int n[3] = {};
    int digits[3] = {};
    int count = 0;
    if (!scan.Number(n[0], digits[0])) NotValid(text, "date");
    for (count = 1; count < 3 && scan.Separator(settings.DateSeparator, '/'); ++count)
        if (!scan.Number(n[count], digits[count])) NotValid(text, "date");
    if (count < 2 || !scan.AtEnd()) NotValid(text, "date");
    int presentYear = 0, presentMonth = 0, presentDay = 0;
    DecodeDate(Now(), presentYear, presentMonth, presentDay);
    // Where day, month and year stand among three numbers; without a year the other two keep
    // their order.
    int dayAt = 0, monthAt = 1, yearAt = 2;
    switch (DateOrder(settings.ShortDateFormat)) {
    case TDateOrder::DMY:
        break;
    case TDateOrder::MDY:
        dayAt = 1;
        monthAt = 0;
        break;
    case TDateOrder::YMD:
        yearAt = 0;
        dayAt = count == 3 ? 2 : 1;
        monthAt = count == 3 ? 1 : 0;
        break;
    }
    const int day = n[dayAt];
    const int month = n[monthAt];
    int year = count == 3 ? n[yearAt] : presentYear;
    const int yearDigits = count == 3 ? digits[yearAt] : 4;
    if (yearDigits <= 2) {
        const int pivot = presentYear - 50;
        year += pivot / 100 * 100;
        if (year < pivot) year += 100;
    }
    try {
        return EncodeDate(year, month, day);
    } catch (const EConvertError&) {
        NotValid(text, "date");
    }
}

TDateTime StrToTime(std::string_view text, const TFormatSettings& settings) {
    TTextScanner scan(text);
    bool pm = false;
    bool half = ScanAmPm(scan, settings, pm);
    int hour = 0, minute = 0, second = 0, msec = 0;
    if (!scan.Number(hour) || !scan.Separator(settings.TimeSeparator, ':') || !scan.Number(minute))
        NotValid(text, "time");
    if (scan.Separator(settings.TimeSeparator, ':')) {
        if (!scan.Number(second)) NotValid(text, "time");
        if (scan.Separator('.', '.') && !scan.Number(msec)) NotValid(text, "time");
    }
    if (!half) half = ScanAmPm(scan, settings, pm);
    if (!scan.AtEnd()) NotValid(text, "time");
    if (half) {
        if (hour < 1 || hour > 12) NotValid(text, "time");
        hour = hour % 12 + (pm ? 12 : 0);
    }
    try {
        return EncodeTime(hour, minute, second, msec);
    } catch (const EConvertError&) {
        NotValid(text, "time");
    }
}

} // namespace platform::core
