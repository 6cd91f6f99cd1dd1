#pragma once
// How a page shows a record byte and how it stores what the user chose: the encodings of the
// page tables. A value shown is what the control holds (a slider's value, a stepped field's
// code, a list's item, a check box's state as 0 or 1).

#include <cstdint>

namespace editors {

enum class TEncoding : std::uint8_t {
    Plain,        // the byte is the value
    Bias,         // value = byte - Bias; byte = value + Bias (modulo 256)
    Code,         // a stepped field's code is the byte
    TwiceLess100, // code = byte * 2 - 100; byte = (code + 100) / 2, truncated toward zero
    PlusOne,      // code = byte + 1; byte = code - 1
    Index,        // a list's item index or a button's Tag is the byte
    Switch,       // checked is 1, cleared 0; only a byte of 1 checks the box
    Scaled,       // code = byte * Factor - Bias; byte = (code + Bias) / Factor, toward zero
    Negate,       // code = -byte; byte = -code (a range that runs below 0 kept as its size)
};

struct TCoding {
    TEncoding Kind = TEncoding::Plain;
    int Bias = 0;
    int Factor = 1;

    int ToValue(std::uint8_t byte) const;
    std::uint8_t ToByte(int value) const;
};

inline constexpr TCoding Plain{TEncoding::Plain};
inline constexpr TCoding Code{TEncoding::Code};
inline constexpr TCoding TwiceLess100{TEncoding::TwiceLess100};
inline constexpr TCoding PlusOne{TEncoding::PlusOne};
inline constexpr TCoding Index{TEncoding::Index};
inline constexpr TCoding Switch{TEncoding::Switch};
inline constexpr TCoding Negate{TEncoding::Negate};
constexpr TCoding Bias(int b) {
    return {TEncoding::Bias, b};
}
constexpr TCoding Scaled(int factor, int bias) {
    return {TEncoding::Scaled, bias, factor};
}

} // namespace editors
