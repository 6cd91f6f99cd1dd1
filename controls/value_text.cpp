#include "controls/value_text.h"

#include <array>
#include <cstdio>

namespace controls {

namespace {

std::string Num(int x) {
    return std::to_string(x);
}

// The instrument's figures are exact decimals; they are reckoned in the widest floating type
// so that rounding to 8 decimals gives the decimal the panel shows.
std::string Fmt(long double x) {
    return FloatToTrimmedText(static_cast<double>(x));
}

std::string TwoDigits(int n) {
    return Num(n / 10) + Num(n % 10);
}

std::string WithUnit(int c, const char* unit) {
    if (c > 0) return "+" + Num(c) + unit;
    if (c == 0) return std::string(" 0") + unit;
    return Num(c) + unit;
}

const char* const Frequencies[] = {"200",  "250",  "315",  "400",  "500",  "630",
                                   "800",  "1000", "1250", "1600", "2000", "2500",
                                   "3150", "4000", "5000", "6300", "8000"};

// The note lengths of tempo-synchronised rates and times, from code 116 on.
const char* const NoteLengths[] = {"1/16",    "1/8 (3)", "1/16 (.)", "1/8",     "1/4 (3)",
                                   "1/8 (.)", "1/4",     "1/2 (3)",  "1/4 (.)", "1/2"};

const char* const ControllerSwitches[] = {"Bender",     "AfterTouch",   "Prog-Up", "Prog-Down",
                                          "Start/Stop", "Punch-In/Out", "Tap-Temp"};

std::string LfoRate(int c) {
    if (c < 99) return Fmt(0.05L * c + 0.05L) + " Hz";
    if (c <= 118) return Fmt(0.1L * (c - 99) + 5.0L) + " Hz";
    return Fmt(0.5L * (c - 119) + 7.0L) + " Hz";
}

std::string LfoRateOrNote(int c) {
    if (c < 79) return Fmt(0.05L * c + 0.05L) + " Hz";
    if (c <= 108) return Fmt(0.1L * (c - 79) + 4.0L) + " Hz";
    if (c <= 115) return Fmt(0.5L * (c - 109) + 7.0L) + " Hz";
    return NoteLengths[c - 116];
}

std::string Time200To1000(int c) {
    if (c < 70) return Fmt(5.0L * c + 200);
    return Fmt(10.0L * (c - 70) + 550);
}

std::string Controller(int c) {
    if (c < 96) return "CC" + TwoDigits(c);
    return ControllerSwitches[c - 96];
}

struct TKindRow {
    std::string_view name;
    // The step bounds; the text's table covers them and nothing else (but see lastRunsOn), except
    // for the MinMax kinds, whose texts cover every code.
    int first;
    int last;
    bool usesMinMax;
    // The last text stands for every code above the bound too.
    bool lastRunsOn;
    // A positive number gets "+", zero shows as "  0".
    bool signRule;
    std::string (*text)(int c);
};

constexpr bool Fixed = false, OwnBounds = true;
constexpr bool RunsOn = true, Ends = false;
constexpr bool Signed = true, Plain = false;

// One row per kind, in the order of TEditType.
const std::array<TKindRow, EditTypeCount> Kinds{{
    {"IntM100P100", 0, 14, Fixed, Ends, Signed,
     [](int c) -> std::string {
         if (c == 0) return "-100";
         if (c == 1) return "-70";
         if (c <= 12) return Num((c - 7) * 10);
         return c == 13 ? "70" : "100";
     }},
    {"IntM100P200", 0, 15, Fixed, Ends, Signed,
     [](int c) -> std::string {
         static const char* const texts[] = {"-100", "-70", "-50", "-30", "-10", "0",
                                             "10",   "20",  "30",  "40",  "50",  "70",
                                             "100",  "120", "150", "200"};
         return texts[c];
     }},
    {"IntM0P1200", 0, 30, Fixed, Ends, Plain,
     [](int c) {
         if (c <= 10) return Num(c);
         if (c <= 19) return Num((c - 9) * 10);
         return Num((c - 18) * 100);
     }},
    {"Note", 0, 127, Fixed, Ends, Plain, [](int c) { return NoteToText(c); }},
    {"MinMax", 0, 0, OwnBounds, Ends, Plain, [](int c) { return Num(c); }},
    {"MinMaxS", 0, 0, OwnBounds, Ends, Signed, [](int c) { return Num(c); }},
    {"MinMaxDB", 0, 0, OwnBounds, Ends, Plain, [](int c) { return WithUnit(c, " dB"); }},
    {"MinMaxPerc", 0, 0, OwnBounds, Ends, Plain, [](int c) { return WithUnit(c, " %"); }},
    {"Int100M8000HZ", 0, 63, Fixed, Ends, Plain,
     [](int c) {
         if (c < 20) return Fmt(100 + 10 * c) + " Hz";
         if (c <= 54) return Fmt(300 + 20 * (c - 20)) + " Hz";
         return Fmt(1000 + 100 * (c - 55)) + " Hz";
     }},
    {"Int200M8000HZ", 0, 16, Fixed, Ends, Plain, [](int c) { return std::string(Frequencies[c]); }},
    {"Int200M8000HZBP", 0, 17, Fixed, Ends, Plain,
     [](int c) { return std::string(c == 17 ? "ByPass" : Frequencies[c]); }},
    {"Int05M90", 0, 4, Fixed, Ends, Plain,
     [](int c) -> std::string {
         static const char* const texts[] = {"0.5", "1.0", "2.0", "4.0", "9.0"};
         return texts[c];
     }},
    {"Int005M10HZ", 0, 125, Fixed, Ends, Plain, LfoRate},
    {"Int005M10HZNote", 0, 125, Fixed, Ends, Plain, LfoRateOrNote},
    {"Int0M100ms", 0, 125, Fixed, Ends, Plain,
     [](int c) {
         if (c < 50) return Fmt(0.1L * c) + " ms";
         if (c <= 59) return Fmt(0.5L * (c - 50) + 5.0L) + " ms";
         if (c <= 99) return Fmt(c - 50) + " ms";
         return Fmt(2 * (c - 100) + 50) + " ms";
     }},
    {"Int0M500ms", 0, 126, Fixed, Ends, Plain,
     [](int c) {
         if (c < 50) return Fmt(0.1L * c) + " ms";
         if (c <= 59) return Fmt(0.5L * (c - 50) + 5.0L) + " ms";
         if (c <= 89) return Fmt(c - 50) + " ms";
         if (c <= 115) return Fmt(10 * (c - 90) + 40) + " ms";
         return Fmt(20 * (c - 116) + 300) + " ms";
     }},
    {"Int200M1000ms", 0, 115, Fixed, Ends, Plain, Time200To1000},
    {"Int200M1000msNote", 0, 125, Fixed, Ends, Plain,
     [](int c) { return c <= 115 ? Time200To1000(c) : std::string(NoteLengths[c - 116]); }},
    {"Balance", 0, 100, Fixed, Ends, Plain,
     [](int c) { return "D" + Num(100 - c) + ":" + Num(c) + "E"; }},
    {"BalanceL", 0, 100, Fixed, Ends, Plain,
     [](int c) { return "A" + Num(100 - c) + ":" + Num(c) + "B"; }},
    {"CC00CC95", 0, 97, Fixed, RunsOn, Plain, Controller},
    {"CC00CC95StartStop", 0, 102, Fixed, Ends, Plain, Controller},
    {"RealInt1M127", 0, 127, Fixed, Ends, Plain,
     [](int c) { return c == 0 ? std::string("Real") : Num(c); }},
    {"Int1M16Off", 0, 16, Fixed, Ends, Plain,
     [](int c) { return c == 16 ? std::string("Off") : Num(c + 1); }},
    {"Int1M16RXCHOff", 0, 17, Fixed, Ends, Plain,
     [](int c) {
         if (c == 16) return std::string("RX-CH");
         if (c == 17) return std::string("Off");
         return Num(c + 1);
     }},
    {"Int0M127Off", 0, 128, Fixed, Ends, Plain,
     [](int c) { return c == 128 ? std::string("Off") : Num(c); }},
    {"User01PRB32", 0, 127, Fixed, Ends, Plain,
     [](int c) {
         static const char* const groups[] = {"User : ", "Card : ", "PR-A : ", "PR-B : "};
         return groups[c / 32] + TwoDigits(c % 32 + 1);
     }},
    {"Int427M452", 0, 126, Fixed, Ends, Plain,
     [](int c) {
         std::string text = Fmt(0.2L * c + 427.4L);
         if (text.size() < 4) text += ".0";
         return text;
     }},
    {"Int0M880", 0, 127, Fixed, Ends, Plain,
     [](int c) {
         if (c < 49) return Num(2 * c);
         if (c <= 72) return Num(4 * (c - 49) + 100);
         if (c <= 96) return Num(8 * (c - 73) + 200);
         return Num(16 * (c - 97) + 400);
     }},
}};

const TKindRow& Row(TEditType kind) {
    return Kinds.at(static_cast<std::size_t>(kind));
}

} // namespace

std::string_view EditTypeName(TEditType kind) {
    return Row(kind).name;
}

std::optional<TEditType> EditTypeFromName(std::string_view name) {
    for (std::size_t i = 0; i < Kinds.size(); ++i)
        if (Kinds[i].name == name) return static_cast<TEditType>(i);
    return std::nullopt;
}

bool UsesMinMax(TEditType kind) {
    return Row(kind).usesMinMax;
}

int GetMinCode(TEditType kind, int Min) {
    const TKindRow& row = Row(kind);
    return row.usesMinMax ? Min : row.first;
}

int GetMaxCode(TEditType kind, int Max) {
    const TKindRow& row = Row(kind);
    return row.usesMinMax ? Max : row.last;
}

std::string CodeToText(TEditType kind, int code) {
    const TKindRow& row = Row(kind);
    const int first = row.first;
    const int last = row.last;
    // The MinMax kinds' texts are plain numbers for any code: a stored value outside the field's
    // bounds still shows.
    if (!row.usesMinMax && (code < first || (code > last && !row.lastRunsOn))) return "";
    std::string text = row.text(!row.usesMinMax && code > last ? last : code);
    if (row.signRule) {
        if (text == "0")
            text = "  0";
        else if (std::stoi(text) > 0)
            text = "+" + text;
    }
    return " " + text;
}

std::string NoteToText(int note) {
    static const char* const names[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                        "F#", "G",  "G#", "A",  "A#", "B"};
    if (note < 0) return "";
    return std::string(names[note % 12]) + " " + Num(note / 12 - 1);
}

std::string FloatToTrimmedText(double number) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%10.8f", number);
    std::string text = buffer;
    while (text.size() > 1 && text.back() == '0')
        text.pop_back();
    if (text.size() >= 2 && text.back() == '.') text.pop_back();
    return text;
}

} // namespace controls
