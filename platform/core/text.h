#pragma once
// Text as the program keeps it: 8-bit strings holding Windows-1252 bytes, as on the platform the
// program comes from. Only display and file names speak UTF-8; the conversions between the two
// sit here. Case rules are the class library's: ASCII letters only.

#include <string>
#include <string_view>

namespace platform::core {

// Windows-1252 to UTF-8, lossless for all 256 bytes: the five bytes that Windows-1252 leaves
// undefined (81H, 8DH, 8FH, 90H, 9DH) become the control characters U+0081, U+008D, U+008F,
// U+0090 and U+009D, as the platform's own conversion does.
std::string AnsiToUtf8(std::string_view ansi);

// UTF-8 to Windows-1252; AnsiToUtf8 undone exactly. A character that Windows-1252 cannot hold
// becomes '?', as the platform's conversion does. Input that is not valid UTF-8 (a stray or
// missing continuation byte, an overlong form, a surrogate, a value above U+10FFFF) is most
// likely Windows-1252 already: each byte of a malformed sequence is kept as it is.
std::string Utf8ToAnsi(std::string_view utf8);

// 'a'..'z' to 'A'..'Z' and back; every other byte is left alone.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);

// Compares without case (ASCII letters only), byte by byte as unsigned values; a string that is
// a prefix of the other is smaller. Negative, zero or positive.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// The system locale's case rules for the program's code page: besides the ASCII letters, the
// accented Latin letters and the pairs the code page holds both cases of (Š, Œ, Ž, Ÿ and theirs);
// ß, µ, ƒ and the ordinal signs have no other case here and stay.
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
// Compares without case by the system locale's rules, byte by byte of the upper-case forms as
// unsigned values; a string that is a prefix of the other is smaller.
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

// Without leading and trailing blanks and control characters (every byte up to 20H).
std::string Trim(std::string_view s);

// The class library's integer parse: leading blanks, an optional sign, then decimal digits or a
// hexadecimal number introduced by '$', 'x' or "0x" (either case of x). Hexadecimal numbers of
// up to 32 bits wrap into the signed range ("$FFFFFFFF" is -1); a decimal number outside the
// 32-bit range, trailing characters or nothing to parse give def.
int StrToIntDef(std::string_view s, int def);

} // namespace platform::core
