#include "platform/core/text.h"

#include <array>
#include <cstdint>

namespace platform::core {

namespace {

// Code points of the bytes 80H..9FH; the rest of the upper half is the byte's own value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char32_t CodePointOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte};
}

// The byte that stands for c, or '?' when Windows-1252 has none.
char ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Windows-1252 reaches no further than the basic plane.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one well-formed UTF-8 sequence at s[i]; its length, or 0 when it is malformed.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& c) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t length;
    char32_t min;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if (lead >= 0xC0 && lead < 0xE0) {
        length = 2, min = 0x80, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3, min = 0x800, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        length = 4, min = 0x10000, c = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

char UpperChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char LowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char byte : ansi)
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(byte)));
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c;
        if (std::size_t length = DecodeUtf8(utf8, i, c)) {
            out += ByteOf(c);
            i += length;
        } else {
            out += utf8[i++];
        }
    }
    return out;
}

namespace {

// Each character through a case rule.
template <class Rule> std::string MapCase(std::string_view s, Rule rule) {
    std::string out(s);
    for (char& c : out)
        c = rule(c);
    return out;
}

// The upper-case forms by a rule compared byte by byte as unsigned values.
template <class Rule> int CompareUpper(std::string_view a, std::string_view b, Rule upper) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(upper(a[i]));
        const auto y = static_cast<unsigned char>(upper(b[i]));
        if (x != y) return x - y;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

} // namespace

std::string UpperCase(std::string_view s) {
    return MapCase(s, UpperChar);
}

std::string LowerCase(std::string_view s) {
    return MapCase(s, LowerChar);
}

int CompareText(std::string_view a, std::string_view b) {
    return CompareUpper(a, b, UpperChar);
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

char AnsiUpperChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    // Š Œ Ž sit 10H below š œ ž; Ÿ has its lower case at FFH.
    if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 0x10);
    if (u == 0xFF) return static_cast<char>(0x9F);
    // à..þ to À..Þ, without the division sign (÷ F7H, × D7H).
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
    return c;
}

char AnsiLowerChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 0x10);
    if (u == 0x9F) return static_cast<char>(0xFF);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
    return c;
}

std::string AnsiUpperCase(std::string_view s) {
    return MapCase(s, AnsiUpperChar);
}

std::string AnsiLowerCase(std::string_view s) {
    return MapCase(s, AnsiLowerChar);
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    return CompareUpper(a, b, AnsiUpperChar);
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

std::string Trim(std::string_view s) {
    std::size_t first = 0, last = s.size();
    while (first < last && static_cast<unsigned char>(s[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(s[last - 1]) <= ' ')
        --last;
    return std::string(s.substr(first, last - first));
}

int StrToIntDef(std::string_view s, int def) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        hex = true, ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true, i += 2;
    }
    if (i == s.size()) return def;

    std::uint64_t value = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return def;
        }
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) return def;
    }
    if (hex) {
        // 32 bits taken as a signed number, then the sign applied, as the class library does.
        const auto bits = static_cast<std::uint32_t>(negative ? 0u - value : value);
        return static_cast<std::int32_t>(bits);
    }
    if (value > (negative ? 0x80000000u : 0x7FFFFFFFu)) return def;
    return static_cast<int>(negative ? -static_cast<std::int64_t>(value)
                                     : static_cast<std::int64_t>(value));
}

} // namespace platform::core
