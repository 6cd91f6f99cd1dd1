#include "platform/core/date_time.h"

#include "platform/core/clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <limits>

namespace platform::core {
namespace {

struct KnownDate {
    int year, month, day;
    double value;
};

const KnownDate kKnownDates[] = {
    {1899, 12, 30, 0},   {1899, 12, 29, -1},      {1900, 1, 1, 2},      {1900, 3, 1, 61},
    {1970, 1, 1, 25569}, {2000, 1, 1, 36526},     {2024, 2, 29, 45351}, {1600, 2, 29, -109512},
    {1, 1, 1, -693593},  {9999, 12, 31, 2958465},
};

TEST(DateTime, KnownDatesEncodeAndDecode) {
    for (const KnownDate& k : kKnownDates) {
        SCOPED_TRACE(k.value);
        EXPECT_EQ(EncodeDate(k.year, k.month, k.day), k.value);
        int y = 0, m = 0, d = 0;
        DecodeDate(k.value, y, m, d);
        EXPECT_EQ(y, k.year);
        EXPECT_EQ(m, k.month);
        EXPECT_EQ(d, k.day);
    }
}

TEST(DateTime, EveryDayOfFourCenturiesRoundTrips) {
    double expected = EncodeDate(1800, 1, 1);
    for (int y = 1800; y < 2200; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= 31; ++d) {
                TDateTime dt = 0;
                try {
                    dt = EncodeDate(y, m, d);
                } catch (const EConvertError&) {
                    continue;
                }
                ASSERT_EQ(dt, expected) << y << "-" << m << "-" << d;
                int yy = 0, mm = 0, dd = 0;
                // Before 1899-12-30 the time of day counts away from zero.
                DecodeDate(dt < 0 ? dt - 0.75 : dt + 0.75, yy, mm, dd);
                ASSERT_TRUE(yy == y && mm == m && dd == d) << y << "-" << m << "-" << d;
                expected += 1;
            }
        }
    }
}

TEST(DateTime, InvalidDatesAndTimesAreRefused) {
    const int dates[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2000, 4, 31}, {2000, 13, 1},
                            {2000, 0, 1},  {2000, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
    for (const auto& d : dates)
        EXPECT_THROW(EncodeDate(d[0], d[1], d[2]), EConvertError) << d[0];
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));

    const int times[][4] = {{24, 0, 0, 0},   {0, 60, 0, 0}, {0, 0, 60, 0},
                            {0, 0, 0, 1000}, {-1, 0, 0, 0}, {0, 0, 0, -1}};
    for (const auto& t : times)
        EXPECT_THROW(EncodeTime(t[0], t[1], t[2], t[3]), EConvertError) << t[0] << t[1] << t[2];
}

TEST(DateTime, TimesEncodeAndDecodeToTheMillisecond) {
    EXPECT_EQ(EncodeTime(0, 0, 0, 0), 0.0);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_EQ(EncodeTime(18, 0, 0, 0), 0.75);

    const int times[][4] = {{0, 0, 0, 1}, {12, 34, 56, 789}, {23, 59, 59, 999}, {14, 5, 9, 42}};
    for (const auto& t : times) {
        int h = -1, n = -1, s = -1, ms = -1;
        DecodeTime(EncodeDate(2026, 12, 9) + EncodeTime(t[0], t[1], t[2], t[3]), h, n, s, ms);
        EXPECT_EQ(h, t[0]);
        EXPECT_EQ(n, t[1]);
        EXPECT_EQ(s, t[2]);
        EXPECT_EQ(ms, t[3]);
    }
}

TEST(DateTime, NegativeValuesSplitAsTheClassLibraryDoes) {
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
    // Date part truncated toward zero, time part the absolute fraction.
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ((std::array{y, m, d, h, n, s, ms}), (std::array{1899, 12, 29, 6, 0, 0, 0}));

    DecodeDate(-0.75, y, m, d);
    DecodeTime(-0.75, h, n, s, ms);
    EXPECT_EQ((std::array{y, m, d, h, n, s, ms}), (std::array{1899, 12, 30, 18, 0, 0, 0}));
}

TEST(DateTime, ValueJustBelowMidnightRoundsIntoTheNextDay) {
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
    DecodeDate(1.9999999999, y, m, d);
    DecodeTime(1.9999999999, h, n, s, ms);
    EXPECT_EQ((std::array{y, m, d, h, n, s, ms}), (std::array{1900, 1, 1, 0, 0, 0, 0}));
}

TEST(DateTime, ValuesOutsideTheCalendarDecodeAsZeros) {
    for (double dt : {-693594.0, -1e9, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity()}) {
        int y = 1, m = 1, d = 1;
        DecodeDate(dt, y, m, d);
        EXPECT_EQ((std::array{y, m, d}), (std::array{0, 0, 0})) << dt;
    }
    int h = 1, n = 1, s = 1, ms = 1;
    DecodeTime(std::numeric_limits<double>::quiet_NaN(), h, n, s, ms);
    EXPECT_EQ((std::array{h, n, s, ms}), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(DateToStr(std::numeric_limits<double>::quiet_NaN(), TFormatSettings{}), "0000-00-00");
}

TEST(DateTime, NowReadsTheSystemClockInLocalTime) {
    std::time_t before = std::time(nullptr);
    TDateTime now = Now();
    std::time_t after = std::time(nullptr);
    auto local = [](std::time_t t) {
        std::tm tm{};
        ::localtime_r(&t, &tm);
        return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
               EncodeTime(tm.tm_hour, tm.tm_min, std::min(tm.tm_sec, 59), 0);
    };
    // time() reads a coarse clock that may lag the precise one Now() reads by a tick.
    EXPECT_GE(now, local(before) - EncodeTime(0, 0, 1, 0));
    EXPECT_LT(now, local(after) + EncodeTime(0, 0, 2, 0));
    EXPECT_EQ(std::trunc(Date()), Date());
    EXPECT_LT(Time(), 1.0);
}

TEST(DateTime, NowCanBePinned) {
    {
        NowOverride pinned(EncodeDate(2000, 1, 1) + 0.5);
        EXPECT_EQ(Now(), 36526.5);
        EXPECT_EQ(Date(), 36526.0);
        EXPECT_EQ(Time(), 0.5);
        {
            double tick = 40000;
            NowOverride stepping([&] { return tick += 1; });
            EXPECT_EQ(Now(), 40001);
            EXPECT_EQ(Now(), 40002);
        }
        EXPECT_EQ(Now(), 36526.5);

        NowOverride before1900(-1.25);
        EXPECT_EQ(Date(), -1.0);
        EXPECT_EQ(Time(), 0.25);
    }
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

// A window test's time stamps move with its manual clock, a millisecond for a millisecond, and
// stand still while it does.
TEST(DateTime, NowCanFollowAManualClock) {
    ManualClock clock(5000);
    const TDateTime start = EncodeDate(2026, 3, 7) + EncodeTime(9, 0, 0, 0);
    NowOverride following(clock, start);
    EXPECT_EQ(Now(), start);
    EXPECT_EQ(Now(), start);
    clock.Advance(1);
    int hour = 0, minute = 0, second = 0, ms = 0;
    DecodeTime(Now(), hour, minute, second, ms);
    EXPECT_EQ((std::array{hour, minute, second, ms}), (std::array{9, 0, 0, 1}));
    clock.Advance(15 * 3600 * 1000 - 1);
    EXPECT_EQ(Date(), EncodeDate(2026, 3, 8));
    DecodeTime(Now(), hour, minute, second, ms);
    EXPECT_EQ((std::array{hour, minute, second, ms}), (std::array{0, 0, 0, 0}));
}

const TDateTime kAfternoon = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 9, 42);
const TDateTime kMidnight = EncodeDate(2026, 3, 7);

TEST(DateTime, FormatDateTimePatterns) {
    TFormatSettings fs; // '-' between date fields, ':' between time fields
    fs.TimeAMString = "vorm.";
    fs.TimePMString = "nachm.";
    struct Case {
        const char* format;
        TDateTime dt;
        const char* text;
    };
    const Case cases[] = {
        {"yyyy/mm/dd", kAfternoon, "2026-03-07"},
        {"d/m/yy", kAfternoon, "7-3-26"},
        {"DD/MM/YYYY", kAfternoon, "07-03-2026"},
        {"y", kAfternoon, "26"},
        {"yyy", kAfternoon, "2026"},
        {"ddd mmmm", kAfternoon, "07 03"},
        {"hh:nn:ss", kAfternoon, "14:05:09"},
        {"h:n:s", kAfternoon, "14:5:9"},
        {"h:mm:ss", kAfternoon, "14:05:09"},
        {"hh:nn:ss.zzz", kAfternoon, "14:05:09.042"},
        {"s.z", kAfternoon, "9.42"},
        {"h:nn am/pm", kAfternoon, "2:05 pm"},
        {"h:nn AM/PM", kAfternoon, "2:05 PM"},
        {"hh:nn a/p", kAfternoon, "02:05 p"},
        {"h:nn:ss ampm", kAfternoon, "2:05:09 nachm."},
        {"h:nn ampm", kMidnight, "12:00 vorm."},
        {"hh:nn AM/PM", kMidnight, "12:00 AM"},
        {"hh:nn", kMidnight, "00:00"},
        {"'at' hh \"o'clock\"", kAfternoon, "at 14 o'clock"},
        {"d.m.yyyy", kAfternoon, "7.3.2026"},
        {"\"unclosed", kAfternoon, "unclosed"},
        {"", kAfternoon, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, c.dt, fs), c.text) << c.format;
}

TEST(DateTime, ShortDateAndLongTimeFollowTheSettings) {
    TFormatSettings fixed;
    EXPECT_EQ(DateToStr(kAfternoon, fixed), "2026-03-07");
    EXPECT_EQ(TimeToStr(kAfternoon, fixed), "14:05:09");
    EXPECT_EQ(DateToStr(-1.25, fixed), "1899-12-29");
    EXPECT_EQ(TimeToStr(-1.25, fixed), "06:00:00");

    TFormatSettings italian{"dd/mm/yyyy", '/', "h.nn.ss", '.', "", ""};
    EXPECT_EQ(DateToStr(kAfternoon, italian), "07/03/2026");
    EXPECT_EQ(TimeToStr(kAfternoon, italian), "14.05.09");

    TFormatSettings us{"m/d/yyyy", '/', "h:nn:ss ampm", ':', "AM", "PM"};
    EXPECT_EQ(DateToStr(kAfternoon, us), "3/7/2026");
    EXPECT_EQ(TimeToStr(kAfternoon, us), "2:05:09 PM");
}

TEST(DateTime, DatesReadInTheOrderOfTheShortDateFormat) {
    NowOverride present(EncodeDate(2026, 3, 7));
    const TFormatSettings fixed;
    const TFormatSettings italian{"dd/mm/yyyy", '.', "hh:nn:ss", ':', "AM", "PM"};
    const TFormatSettings us{"m/d/yyyy", '/', "h:nn:ss ampm", ':', "AM", "PM"};
    struct Case {
        const TFormatSettings* settings;
        const char* text;
        TDateTime date;
    };
    const Case cases[] = {
        {&fixed, "2024-02-29", EncodeDate(2024, 2, 29)},
        // The '/' of a date mask is a separator whatever the settings say.
        {&fixed, "24/02/29", EncodeDate(2024, 2, 29)},
        {&italian, "12.05.99", EncodeDate(1999, 5, 12)},
        {&italian, "12/05/99", EncodeDate(1999, 5, 12)},
        {&italian, " 1/ 5/75", EncodeDate(2075, 5, 1)},
        {&italian, "1/5/76", EncodeDate(1976, 5, 1)},
        {&italian, "1/5/77", EncodeDate(1977, 5, 1)},
        {&italian, "1/5/0077", EncodeDate(77, 5, 1)},
        {&italian, "9.11", EncodeDate(2026, 11, 9)},
        {&us, "5/12/99", EncodeDate(1999, 5, 12)},
        {&fixed, "5-12", EncodeDate(2026, 5, 12)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrToDate(c.text, *c.settings), c.date) << c.text;
    for (const char* bad : {"", "  /  /  ", "12/05/", "31/02/26", "12/13/26", "12:05:26",
                            "12/05/26/1", "12/05/26x", "12345/1/1"})
        EXPECT_THROW(StrToDate(bad, italian), EConvertError) << bad;
}

TEST(DateTime, TimesReadWithSecondsAndHalvesOfTheDay) {
    const TFormatSettings fs{"dd/mm/yyyy", '.', "hh.nn.ss", '.', "vorm.", "nachm."};
    struct Case {
        const char* text;
        TDateTime time;
    };
    const Case cases[] = {
        {"14:05:09", EncodeTime(14, 5, 9, 0)},    {" 9:30:00", EncodeTime(9, 30, 0, 0)},
        {"14.05", EncodeTime(14, 5, 0, 0)},       {"14:05:09.042", EncodeTime(14, 5, 9, 42)},
        {"2:05 nachm.", EncodeTime(14, 5, 0, 0)}, {"12:00 AM", EncodeTime(0, 0, 0, 0)},
        {"PM 12:30", EncodeTime(12, 30, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrToTime(c.text, fs), c.time) << c.text;
    for (const char* bad : {"", "  :  :  ", "24:00:00", "12:60:00", "13:00 PM", "12", "12:00x"})
        EXPECT_THROW(StrToTime(bad, fs), EConvertError) << bad;
}

TEST(DateTime, SettingsCanBePinnedForEveryCaller) {
    const TFormatSettings before = FormatSettings();
    {
        FormatSettingsOverride pinned({"dd/mm/yyyy", '.', "hh:nn", ':', "AM", "PM"});
        EXPECT_EQ(DateToStr(kAfternoon), "07.03.2026");
        EXPECT_EQ(TimeToStr(kAfternoon), "14:05");
        {
            FormatSettingsOverride inner(TFormatSettings{});
            EXPECT_EQ(DateToStr(kAfternoon), "2026-03-07");
        }
        EXPECT_EQ(FormatDateTime("yyyy/mm/dd", kAfternoon), "2026.03.07");
    }
    EXPECT_EQ(FormatSettings(), before);
}

TEST(DateTime, SettingsFromLocaleFormats) {
    struct Case {
        const char* date;
        const char* time;
        const char* am;
        const char* pm;
        TFormatSettings expected;
    };
    const TFormatSettings fixed;
    const Case cases[] = {
        // en_US
        {"%m/%d/%Y", "%r", "AM", "PM", {"mm/dd/yyyy", '/', "hh:nn:ss ampm", ':', "AM", "PM"}},
        // de_DE
        {"%d.%m.%Y", "%T", "", "", {"dd/mm/yyyy", '.', "hh:nn:ss", ':', "", ""}},
        // fi_FI
        {"%d.%m.%Y", "%H.%M.%S", "", "", {"dd/mm/yyyy", '.', "hh:nn:ss", '.', "", ""}},
        // C
        {"%D", "%R", "AM", "PM", {"mm/dd/yy", '/', "hh:nn", ':', "AM", "PM"}},
        {"%F", "%l:%M %p", "am", "pm", {"yyyy/mm/dd", '-', "h:nn ampm", ':', "am", "pm"}},
        {"%-d/%-m/%y", "%-H:%M", "", "", {"d/m/yy", '/', "h:nn", ':', "", ""}},
        {"%e %Ey", "%OH h %M", "", "", {"d yy", '-', "hh \"h\" nn", ':', "", ""}},
        {"%Y/%m/%d %%", "%H:%M:%S", "", "", {"yyyy/mm/dd %", '/', "hh:nn:ss", ':', "", ""}},
        // A date with names, a time in non-ASCII text: each half keeps the fixed default.
        {"%a %d %b %Y", "%H\xE6\x99\x82%M", "", "", fixed},
        {"%Y\xE5\xB9\xB4%m",
         "%H:%M",
         "\xE5\x8D\x88",
         "PM",
         {fixed.ShortDateFormat, fixed.DateSeparator, fixed.LongTimeFormat, fixed.TimeSeparator,
          fixed.TimeAMString, fixed.TimePMString}},
        {"", "", "", "", fixed},
        {"%d/%m/%", "%", "", "", fixed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " | " + c.time);
        TFormatSettings got = FormatSettingsFromPosix(c.date, c.time, c.am, c.pm);
        EXPECT_EQ(got.ShortDateFormat, c.expected.ShortDateFormat);
        EXPECT_EQ(got.DateSeparator, c.expected.DateSeparator);
        EXPECT_EQ(got.LongTimeFormat, c.expected.LongTimeFormat);
        EXPECT_EQ(got.TimeSeparator, c.expected.TimeSeparator);
        EXPECT_EQ(got.TimeAMString, c.expected.TimeAMString);
        EXPECT_EQ(got.TimePMString, c.expected.TimePMString);
    }
}

TEST(DateTime, LocaleFormatsPrintAsTheLocaleWould) {
    TFormatSettings de = FormatSettingsFromPosix("%d.%m.%Y", "%H:%M:%S", "", "");
    EXPECT_EQ(DateToStr(kAfternoon, de), "07.03.2026");
    TFormatSettings us = FormatSettingsFromPosix("%m/%d/%Y", "%r", "AM", "PM");
    EXPECT_EQ(DateToStr(kAfternoon, us), "03/07/2026");
    EXPECT_EQ(TimeToStr(kAfternoon, us), "02:05:09 PM");
    TFormatSettings odd = FormatSettingsFromPosix("%Y-%m-%d", "%Hh%M:%S", "", "");
    EXPECT_EQ(DateToStr(kAfternoon, odd), "2026-03-07");
    EXPECT_EQ(TimeToStr(kAfternoon, odd), "14h05:09");
}

TEST(DateTime, NumericSeparatorsComeFromTheLocaleAndNeverClash) {
    struct Case {
        const char* decimal;
        const char* thousands;
        char expectedDecimal, expectedThousand;
    };
    const Case cases[] = {
        {".", ",", '.', ','},
        {",", ".", ',', '.'},
        {",", "'", ',', '\''},
        // A narrow no-break space, as some locales group digits, is shown as a space.
        {",", "\xE2\x80\xAF", ',', ' '},
        {",", "", ',', '.'},
        {",", ",", ',', '.'},
        {".", ".", '.', ','},
        {"", "", '.', ','},
        {"\xD9\xAB", "", '.', ','},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.decimal) + " | " + c.thousands);
        TFormatSettings got;
        ApplyPosixNumericSeparators(got, c.decimal, c.thousands);
        EXPECT_EQ(got.DecimalSeparator, c.expectedDecimal);
        EXPECT_EQ(got.ThousandSeparator, c.expectedThousand);
    }
}

} // namespace
} // namespace platform::core
