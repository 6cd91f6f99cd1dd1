#include "toolkit/edit/format_controller.h"

#include "platform/core/regional_settings.h"
#include "toolkit/edit/reg_expr.h"
#include "toolkit/edit/standard_mask.h"
#include "toolkit/edit/tests/reg_expr_test_support.h"

#include <gtest/gtest.h>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
using Kind = TcxDateTimeFormatItemKind;

pc::TFormatSettings Formats(const std::string& ShortDate, const std::string& LongTime,
                            char DateSeparator = '/', char TimeSeparator = ':') {
    pc::TFormatSettings Settings;
    Settings.ShortDateFormat = ShortDate;
    Settings.LongTimeFormat = LongTime;
    Settings.DateSeparator = DateSeparator;
    Settings.TimeSeparator = TimeSeparator;
    return Settings;
}

// The regional settings in force for one test: the fixed profile unless a test changes it.
class FormatControllerTest : public ::testing::Test {
protected:
    pc::FormatSettingsOverride FormatsInForce{Formats("d/M/yyyy", "hh:mm:ss AM/PM")};
    pc::RegionalSettingsOverride RegionalInForce{pc::TRegionalSettings{}};
};

bool Accepts(const std::string& Mask, const std::string& Text) {
    TcxRegExpr RegExpr;
    testing::Compile(RegExpr, Mask);
    return testing::Feed(RegExpr, Text) && RegExpr.IsFinal();
}

TEST_F(FormatControllerTest, ShortDateFormatGivesDoubledDateFormatAndItsStandardMask) {
    TcxFormatController Controller;
    EXPECT_EQ(Controller.DateFormat(), "dd/MM/yyyy");
    EXPECT_EQ(Controller.DateEditMask(), "!99/99/9999;1; ");
    EXPECT_EQ(Controller.StandardDateEditMask(), "!99/99/9999;1; ");
    EXPECT_EQ(Controller.DateDisplayFormat(), "dd/mm/yyyy");
    TcxStandardMask Mask;
    Mask.Compile(Controller.DateEditMask());
    EXPECT_EQ(Mask.Count(), 10);
    EXPECT_EQ(Mask.GetEmptyDisplayText(), "  /  /    ");
}

TEST_F(FormatControllerTest, OnlySingleDaysAndMonthsAreDoubled) {
    const std::pair<const char*, const char*> Cases[] = {{"d/M/yyyy", "dd/MM/yyyy"},
                                                         {"dd.MM.yy", "dd.MM.yy"},
                                                         {"M/d/yy", "MM/dd/yy"},
                                                         {"yyyy-MMM-d", "yyyy-MMM-dd"},
                                                         {"ddd d MMMM", "ddd dd MMMM"}};
    for (const auto& [Short, Expected] : Cases) {
        pc::FormatSettingsOverride InForce(Formats(Short, "hh:nn:ss"));
        TcxFormatController Controller;
        EXPECT_EQ(Controller.DateFormat(), Expected) << Short;
    }
}

TEST_F(FormatControllerTest, TwelveHourTimeFormat) {
    TcxDateTimeFormatInfo Info;
    ASSERT_TRUE(TcxFormatController::ParseFormat("hh:mm:ss AM/PM", Info));
    const std::vector<TcxDateTimeFormatItem> Expected = {
        {Kind::dtikHour, "12HH"},       {Kind::dtikTimeSeparator, ":"}, {Kind::dtikMin, "NN"},
        {Kind::dtikTimeSeparator, ":"}, {Kind::dtikSec, "SS"},          {Kind::dtikString, " "},
        {Kind::dtikTimeSuffix, "AM/PM"}};
    EXPECT_EQ(Info.Items, Expected);
    EXPECT_TRUE(Info.DefinedItems[static_cast<int>(Kind::dtikMin)]);
    EXPECT_FALSE(Info.DefinedItems[static_cast<int>(Kind::dtikMonth)]);

    EXPECT_EQ(TcxFormatController::GetStandardMask(Info, TcxStandardMaskMode::smmTime),
              "00:00:00\\ cc;1;0");
    const std::string RegExpr =
        TcxFormatController::GetRegExprMask(Info, TcxRegExprMaskMode::remmTime);
    EXPECT_EQ(RegExpr, "(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '(AM|PM)?");
    EXPECT_TRUE(Accepts(RegExpr, "11:59:07 PM"));
    EXPECT_FALSE(Accepts(RegExpr, "13:00:00 AM"));
    EXPECT_EQ(TcxFormatController::GetDisplayFormat(Info), "hh:nn:ss' 'am/pm");

    ASSERT_TRUE(TcxFormatController::ParseFormat("hh:mm", Info));
    EXPECT_EQ(Info.Items.front().Data, "24HH");
    EXPECT_EQ(TcxFormatController::GetRegExprMask(Info, TcxRegExprMaskMode::remmTime),
              "([01]?\\d|2[0-3])\\:[0-5]?\\d");
}

TEST_F(FormatControllerTest, ParsingEdgeCases) {
    TcxDateTimeFormatInfo Info;
    // Without an hour the designator goes; the minutes stay months, as no hour precedes them.
    ASSERT_TRUE(TcxFormatController::ParseFormat("mm:ss AM/PM", Info));
    EXPECT_FALSE(Info.DefinedItems[static_cast<int>(Kind::dtikTimeSuffix)]);
    for (const auto& Item : Info.Items)
        EXPECT_NE(Item.Kind, Kind::dtikTimeSuffix);
    // An era cannot be read.
    EXPECT_FALSE(TcxFormatController::ParseFormat("gg yyyy/MM/dd", Info));
    EXPECT_TRUE(Info.Items.empty());
    // An empty format is the short date and the long time; kinds come once, separators always.
    ASSERT_TRUE(TcxFormatController::ParseFormat("", Info));
    EXPECT_EQ(TcxFormatController::GetDisplayFormat(Info), "dd/mm/yyyy' 'hh:nn:ss' 'am/pm");
    ASSERT_TRUE(TcxFormatController::ParseFormat("d/d 'x''y' \"z\"", Info));
    EXPECT_EQ(Info.Items.size(), 3u);
    EXPECT_EQ(Info.Items.back().Data, " xy z");
}

TEST_F(FormatControllerTest, FirstWeekDayCountsFromSunday) {
    const std::pair<int, int> Cases[] = {{6, 0}, {0, 1}, {5, 6}};
    for (const auto& [LocaleValue, Expected] : Cases) {
        pc::TRegionalSettings Settings;
        Settings.FirstDayOfWeek = LocaleValue;
        pc::RegionalSettingsOverride InForce(Settings);
        TcxFormatController Controller;
        EXPECT_EQ(Controller.FirstWeekDay(), Expected) << LocaleValue;
    }
}

TEST(CurrencyFormatTest, AllSixteenNegativeLayouts) {
    const char* Expected[16] = {"($,0.00)", "-$,0.00",  "$-,0.00",   "$,0.00-",
                                "(,0.00$)", "-,0.00$",  ",0.00-$",   ",0.00$-",
                                "-,0.00 $", "-$ ,0.00", ",0.00 $-",  "$ ,0.00-",
                                "$ -,0.00", ",0.00- $", "($ ,0.00)", "(,0.00 $)"};
    for (int Layout = 0; Layout < 16; ++Layout)
        EXPECT_EQ(cxCurrencyFormatOf("$", 0, Layout, 2), std::string("$,0.00;") + Expected[Layout])
            << Layout;
}

TEST(CurrencyFormatTest, PositiveLayoutsQuoteSeparatorsOfTheCurrency) {
    EXPECT_EQ(cxCurrencyFormatOf("kr.", 3, 8, 0), ",0. kr'.';-,0. kr'.'");
    EXPECT_EQ(cxCurrencyFormatOf("R,", 1, 5, 1), ",0.0R',';-,0.0R','");
    EXPECT_EQ(cxCurrencyFormatOf("$", 2, 1, 2), "$ ,0.00;-$,0.00");
    EXPECT_EQ(cxCurrencyFormatOf("", 0, 1, 2), ";-,0.00");
}

TEST_F(FormatControllerTest, CurrencyFormatFollowsTheRegionalSettingsUnlessAssigned) {
    TcxFormatController Controller;
    EXPECT_EQ(Controller.CurrencyFormat(), "$,0.00;($,0.00)");
    Controller.SetCurrencyFormat("0.0");
    Controller.UpdateFormats();
    EXPECT_EQ(Controller.CurrencyFormat(), "0.0");
}

class RecordingListener : public IcxFormatControllerListener {
public:
    void FormatChanged() override { ++FormatChanges; }
    int FormatChanges = 0;
};

class TimeRecordingListener : public RecordingListener, public IcxFormatControllerListener2 {
public:
    void TimeChanged() override { ++TimeChanges; }
    int TimeChanges = 0;
};

void SendSettingChange(pc::HWND Window, pc::WPARAM WParam, const char* Section) {
    pc::SendMessage(Window, pc::WM_WININICHANGE, WParam, reinterpret_cast<pc::LPARAM>(Section));
}

TEST_F(FormatControllerTest, ListenersHearOnlyTheRegionalSettingsChange) {
    TcxFormatController Controller;
    EXPECT_EQ(Controller.WindowHandle(), pc::NullHWnd);
    RecordingListener Format;
    TimeRecordingListener Time;
    Controller.AddListener(&Format);
    Controller.AddListener(&Time);
    Controller.AddListener(&Format);
    EXPECT_EQ(Controller.ListenerCount(), 2);
    const pc::HWND Window = Controller.WindowHandle();
    ASSERT_TRUE(pc::IsWindow(Window));

    pc::FormatSettingsOverride Changed(Formats("yyyy/MM/dd", "HH:mm", '-', '.'));
    SendSettingChange(Window, 0, "windows");
    SendSettingChange(Window, 1, "intl");
    SendSettingChange(Window, 0, nullptr);
    EXPECT_EQ(Format.FormatChanges, 0);
    EXPECT_EQ(Controller.DateFormat(), "dd/MM/yyyy");

    pc::SetUpdateFormatSettings(false);
    SendSettingChange(Window, 0, "intl");
    pc::SetUpdateFormatSettings(true);
    EXPECT_EQ(Format.FormatChanges, 0);

    SendSettingChange(Window, 0, "intl");
    EXPECT_EQ(Format.FormatChanges, 1);
    EXPECT_EQ(Time.FormatChanges, 1);
    EXPECT_EQ(Controller.DateFormat(), "yyyy/MM/dd");
    EXPECT_EQ(Controller.DateEditMask(), "!9999/99/99;1; ");

    pc::SendMessage(Window, pc::WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(Time.TimeChanges, 1);
    EXPECT_EQ(Format.FormatChanges, 1);

    Controller.RemoveListener(&Format);
    EXPECT_TRUE(pc::IsWindow(Window));
    Controller.RemoveListener(&Time);
    EXPECT_FALSE(pc::IsWindow(Window));
    EXPECT_EQ(Controller.WindowHandle(), pc::NullHWnd);
}

TEST_F(FormatControllerTest, AssignedMasksAreKeptThroughUpdates) {
    TcxFormatController Controller;
    Controller.SetDateRegExprMask("\\d");
    Controller.SetDateTimeRegExprMask("\\d\\d");
    Controller.SetStandardDateEditMask("99");
    Controller.SetStandardDateTimeEditMask("999");
    Controller.SetFirstWeekDay(3);
    pc::FormatSettingsOverride Changed(Formats("yyyy/MM/dd", "HH:mm", '-', '.'));
    Controller.UpdateFormats();
    EXPECT_EQ(Controller.DateRegExprMask(), "\\d");
    EXPECT_EQ(Controller.DateTimeRegExprMask(), "\\d\\d");
    EXPECT_EQ(Controller.StandardDateEditMask(), "99");
    EXPECT_EQ(Controller.StandardDateTimeEditMask(), "999");
    EXPECT_EQ(Controller.FirstWeekDay(), 3);
    EXPECT_EQ(Controller.DateEditMask(), "!9999/99/99;1; ");
}

TEST_F(FormatControllerTest, DateMasksTakeDateWordsWithAnOffset) {
    TcxFormatController Controller;
    const std::string Date = Controller.DateRegExprMask();
    for (const char* Text : {"today", "tomorrow+3", "eom-1234", "Sunday", "31/12/2024", "1/2/2024"})
        EXPECT_TRUE(Accepts(Date, Text)) << Text;
    for (const char* Text : {"now", "today+12345", "32/1/2024"})
        EXPECT_FALSE(Accepts(Date, Text)) << Text;
    const std::string DateTime = Controller.DateTimeRegExprMask();
    // The space after the date stands outside the optional time.
    for (const char* Text : {"now", "now+1", "1/2/2024 ", "1/2/2024 3:04:05 PM"})
        EXPECT_TRUE(Accepts(DateTime, Text)) << Text;
}

std::string MonthName(int Index) {
    return pc::RegionalSettings().LongMonthNames.at(Index);
}

// Every mask the controller makes compiles with the mask engines, whatever the regional
// settings hold: quotes in literal text, month names and designators included.
TEST_F(FormatControllerTest, EveryGeneratedMaskCompiles) {
    struct Profile {
        const char* ShortDate;
        const char* LongTime;
        char DateSeparator;
        char TimeSeparator;
        const char* AM;
    };
    const Profile Profiles[] = {{"d/M/yyyy", "hh:mm:ss AM/PM", '/', ':', "AM"},
                                {"yyyy-MM-dd", "HH:mm:ss", '-', '.', "AM"},
                                {"dd.MM.yy", "H:mm", '.', ':', ""},
                                {"d MMMM yyyy", "hh:mm ampm", ' ', ' ', "a'm"},
                                {"MMM d, yyyy", "h:mm:ss.zzz a/p", ',', ':', "AM"},
                                {"d \"o'\" MMMM \"de l'an\" yyyy", "hh' h 'mm", '/', ':', "AM"},
                                {"dddd, d MMM yy", "hh:nn:ss tt", '\0', '\0', "AM"},
                                {"", "", '/', ':', "AM"}};
    pc::TRegionalSettings Regional;
    Regional.LongMonthNames[3] = "d'avril";
    Regional.ShortMonthNames[3] = "d'av";
    pc::RegionalSettingsOverride Names(Regional);
    for (const auto& P : Profiles) {
        auto Settings = Formats(P.ShortDate, P.LongTime, P.DateSeparator, P.TimeSeparator);
        Settings.TimeAMString = P.AM;
        pc::FormatSettingsOverride InForce(Settings);
        TcxFormatController Controller;
        for (const std::string& Mask :
             {Controller.DateRegExprMask(), Controller.DateTimeRegExprMask()}) {
            TcxRegExpr RegExpr;
            EXPECT_NO_THROW(testing::Compile(RegExpr, Mask)) << P.ShortDate << ": " << Mask;
        }
        for (const std::string& Mask :
             {Controller.StandardDateEditMask(), Controller.StandardDateTimeEditMask()}) {
            TcxStandardMask Standard;
            EXPECT_NO_THROW(Standard.Compile(Mask)) << P.ShortDate << ": " << Mask;
        }
    }
    EXPECT_EQ(MonthName(3), "d'avril");
}

// Apostrophes in quoted text are doubled, so that a month name that holds one is typed whole.
TEST_F(FormatControllerTest, MonthNameWithAnApostropheMatches) {
    pc::TRegionalSettings Regional;
    Regional.LongMonthNames[3] = "d'avril";
    pc::RegionalSettingsOverride Names(Regional);
    pc::FormatSettingsOverride InForce(Formats("d MMMM yyyy", "HH:mm", '/', ':'));
    TcxFormatController Controller;
    EXPECT_TRUE(Accepts(Controller.DateRegExprMask(), "3 d'avril 2024"));
    EXPECT_TRUE(Accepts(Controller.DateRegExprMask(), "3 January 2024"));
    EXPECT_FALSE(Accepts(Controller.DateRegExprMask(), "3 davril 2024"));

    pc::FormatSettingsOverride Literal(Formats("d \"o'\" M yyyy", "HH:mm", '/', ':'));
    TcxFormatController Quoted;
    EXPECT_TRUE(Accepts(Quoted.DateRegExprMask(), "3 o' 4 2024"));
}

TEST_F(FormatControllerTest, TheFirstControllerIsTheProcesssUntilItGoes) {
    {
        TcxFormatController Controller;
        EXPECT_EQ(&cxFormatController(), &Controller);
    }
    TcxFormatController& Made = cxFormatController();
    EXPECT_EQ(&cxFormatController(), &Made);
    TcxFormatController Other;
    EXPECT_EQ(&cxFormatController(), &Made);
    cxFreeFormatController();
}

} // namespace
} // namespace toolkit::edit
