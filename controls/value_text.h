#pragma once
// The display kinds of the stepped value field: for every kind the range its arrows step through
// and the text the instrument's own panel shows for a code. A code outside its kind's table has
// no text: the whole text is empty, without the leading blank every other text has.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace controls {

// Form files store a kind by its enumerator's name; the order is the stored ordinal.
enum class TEditType : std::uint8_t {
    IntM100P100,
    IntM100P200,
    IntM0P1200,
    Note,
    MinMax,
    MinMaxS,
    MinMaxDB,
    MinMaxPerc,
    Int100M8000HZ,
    Int200M8000HZ,
    Int200M8000HZBP,
    Int05M90,
    Int005M10HZ,
    Int005M10HZNote,
    Int0M100ms,
    Int0M500ms,
    Int200M1000ms,
    Int200M1000msNote,
    Balance,
    BalanceL,
    CC00CC95,
    CC00CC95StartStop,
    RealInt1M127,
    Int1M16Off,
    Int1M16RXCHOff,
    Int0M127Off,
    User01PRB32,
    Int427M452,
    Int0M880,
};

inline constexpr int EditTypeCount = 29;

std::string_view EditTypeName(TEditType kind);
std::optional<TEditType> EditTypeFromName(std::string_view name);

// The four MinMax kinds step through the field's own Min..Max; every other kind has fixed
// bounds and ignores them.
bool UsesMinMax(TEditType kind);
int GetMinCode(TEditType kind, int Min);
int GetMaxCode(TEditType kind, int Max);

// The text a field of the kind shows for a code, with its sign and leading blank; empty for a
// code outside the kind's table (the MinMax kinds show every code).
std::string CodeToText(TEditType kind, int code);

// "C -1" for 0, "C 4" for 60, "G 9" for 127: note name, blank, octave. Below 0: empty.
std::string NoteToText(int note);

// The number with 8 decimals, trailing zeros and then a trailing point dropped: 0.05, 5, 1000.
std::string FloatToTrimmedText(double number);

} // namespace controls
