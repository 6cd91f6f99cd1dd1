#include "toolkit/base/string_conversion.h"

#include "platform/core/text.h"

#include <cstring>

namespace toolkit::base {

namespace {

constexpr wchar_t Replacement = 0xFFFD;

std::wstring DecodeUtf8(std::string_view S) {
    std::wstring Result;
    std::size_t I = 0;
    while (I < S.size()) {
        const auto Lead = static_cast<unsigned char>(S[I]);
        int Extra = 0;
        char32_t Code = Lead;
        char32_t Min = 0;
        if (Lead >= 0xF0 && Lead <= 0xF4) {
            Extra = 3, Code = Lead & 0x07, Min = 0x10000;
        } else if (Lead >= 0xE0 && Lead <= 0xEF) {
            Extra = 2, Code = Lead & 0x0F, Min = 0x800;
        } else if (Lead >= 0xC2 && Lead <= 0xDF) {
            Extra = 1, Code = Lead & 0x1F, Min = 0x80;
        } else if (Lead >= 0x80) {
            Result += Replacement;
            ++I;
            continue;
        }
        std::size_t J = I + 1;
        bool Valid = true;
        for (int K = 0; K < Extra; ++K, ++J) {
            if (J >= S.size() || (static_cast<unsigned char>(S[J]) & 0xC0) != 0x80) {
                Valid = false;
                break;
            }
            Code = (Code << 6) | (static_cast<unsigned char>(S[J]) & 0x3F);
        }
        if (!Valid || Code < Min || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) {
            // A broken sequence yields one replacement and resumes at the byte that broke it.
            Result += Replacement;
            I = J;
            continue;
        }
        Result += static_cast<wchar_t>(Code);
        I = J;
    }
    return Result;
}

} // namespace

std::wstring dxMultiByteToWideString(const char* Source, int Length, std::uint32_t CodePage) {
    if (!Source) return {};
    const std::size_t Size = Length < 0 ? std::strlen(Source) : static_cast<std::size_t>(Length);
    const std::string_view Text(Source, Size);
    if (CodePage == CP_UTF8) return DecodeUtf8(Text);
    return DecodeUtf8(platform::core::AnsiToUtf8(Text));
}

} // namespace toolkit::base
