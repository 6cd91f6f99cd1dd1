#pragma once
// Dates and times as the class library keeps them: a TDateTime is a double counting days since
// 1899-12-30 00:00 in local time, the fraction being the time of day. Values before that day
// are negative, and there the date part is the value truncated toward zero while the time part
// is the absolute fraction: -1.25 is 1899-12-29 06:00.
//
// Also the regional formats that turn them into text (short date, long time), and the decimal
// and digit-group separators of numbers, which come from the user's locale and which tests pin.

#include "platform/core/exception.h"

#include <functional>
#include <string>
#include <string_view>

namespace platform::core {

class Clock;

using TDateTime = double;

// The present local date and time, from the system's wall clock (not the platform tick clock,
// which only measures intervals) unless a NowOverride is alive.
TDateTime Now();
// The date part of Now(): midnight of today.
TDateTime Date();
// The time part of Now().
TDateTime Time();

// Makes Now() answer from now for its lifetime, so that time stamps in tests are known.
// Overrides nest.
class NowOverride {
public:
    explicit NowOverride(std::function<TDateTime()> now);
    explicit NowOverride(TDateTime fixed) : NowOverride([fixed] { return fixed; }) {}
    // Now() is start while clock reads what it reads at construction, and moves a millisecond
    // for every millisecond clock moves: with a manual clock, time stamps move only when the
    // test moves time. The clock must outlive the override.
    NowOverride(const Clock& clock, TDateTime start);
    ~NowOverride();
    NowOverride(const NowOverride&) = delete;
    NowOverride& operator=(const NowOverride&) = delete;

private:
    std::function<TDateTime()> now_;
    NowOverride* previous_;
    friend TDateTime Now();
};

// Year 1..9999, a real day of the Gregorian calendar; otherwise EConvertError.
TDateTime EncodeDate(int year, int month, int day);
// Hour 0..23, minute and second 0..59, millisecond 0..999; otherwise EConvertError.
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// The date of dt, rounded to the millisecond first (so 1.9999999999 is day 2). A value before
// 0001-01-01, or not a number, gives 0, 0, 0.
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
// The time of day of dt to the millisecond; always the absolute fraction, also for negative dt.
void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& millisecond);

// The regional settings the formats below use. In a format '/' stands for DateSeparator and
// ':' for TimeSeparator. The defaults are the fixed settings used when the locale gives none:
// ISO dates and a 24-hour clock.
struct TFormatSettings {
    std::string ShortDateFormat = "yyyy/mm/dd";
    char DateSeparator = '-';
    std::string LongTimeFormat = "hh:nn:ss";
    char TimeSeparator = ':';
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    // Numbers: the decimal point and the digit-group separator, never the same character.
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';

    bool operator==(const TFormatSettings&) const = default;
};

// Settings built from a POSIX locale's date format, time format and AM/PM strings (the
// strftime patterns of nl_langinfo). A format that uses anything but numeric fields and plain
// ASCII text keeps the fixed default for its half (date or time).
TFormatSettings FormatSettingsFromPosix(std::string_view dateFormat, std::string_view timeFormat,
                                        std::string_view am, std::string_view pm);

// The numeric separators of a POSIX locale (nl_langinfo's RADIXCHAR and THOUSEP) put into
// settings. Only a single ASCII character is taken for the decimal point; a digit-group
// separator the program cannot show (a no-break space) is a space, and a missing or clashing
// one is ',' or, next to a ',' decimal point, '.'.
void ApplyPosixNumericSeparators(TFormatSettings& settings, std::string_view decimalPoint,
                                 std::string_view thousandsSeparator);

// The settings in force: those of a FormatSettingsOverride when one is alive, else those of the
// user's locale (LC_ALL, then LC_TIME for dates and times and LC_NUMERIC for numbers, then
// LANG), read once; the C and POSIX locales give the fixed default.
const TFormatSettings& FormatSettings();

// Puts settings in force for its lifetime (tests). Overrides nest.
class FormatSettingsOverride {
public:
    explicit FormatSettingsOverride(TFormatSettings settings);
    ~FormatSettingsOverride();
    FormatSettingsOverride(const FormatSettingsOverride&) = delete;
    FormatSettingsOverride& operator=(const FormatSettingsOverride&) = delete;

private:
    TFormatSettings settings_;
    FormatSettingsOverride* previous_;
    friend const TFormatSettings& FormatSettings();
};

// dt as text by format. Specifiers, case-insensitive: d dd (day), m mm (month, or minutes right
// after an hour), yy yyyy (year), h hh (hour, 1..12 when an AM/PM specifier is present), n nn
// (minute), s ss (second), z zzz (millisecond), am/pm and a/p (in the specifier's case), ampm
// (TimeAMString or TimePMString), / and : (the separators). Text in single or double quotes and
// every other character are copied. Longer runs of d and m print two digits, as names of days
// and months are not used by the program.
std::string FormatDateTime(std::string_view format, TDateTime dt,
                           const TFormatSettings& settings = FormatSettings());
// dt in the short date format.
std::string DateToStr(TDateTime dt, const TFormatSettings& settings = FormatSettings());
// dt in the long time format.
std::string TimeToStr(TDateTime dt, const TFormatSettings& settings = FormatSettings());

// Text as a date, its numbers in the order of the short date format (as its first d, m or y
// say): day and month, or day, month and year, apart by DateSeparator or '/' (the separator a
// date mask shows), blanks around each number allowed. Two numbers are a day of the present
// year; a year of one or two digits falls within the fifty years either side of the present
// one. Anything else, or a day that does not exist, raises EConvertError.
TDateTime StrToDate(std::string_view text, const TFormatSettings& settings = FormatSettings());
// Text as a time of day: hour and minute, then seconds and after '.' milliseconds if given,
// apart by TimeSeparator or ':', blanks around each number allowed; TimeAMString or
// TimePMString (also "AM", "PM"), before or after, makes the hour one of 1..12 of that half of
// the day. Anything else raises EConvertError.
TDateTime StrToTime(std::string_view text, const TFormatSettings& settings = FormatSettings());

} // namespace platform::core
