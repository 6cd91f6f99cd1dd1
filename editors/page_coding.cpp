#include "editors/page_coding.h"

namespace editors {

int TCoding::ToValue(std::uint8_t byte) const {
    switch (Kind) {
    case TEncoding::Bias:
        return byte - Bias;
    case TEncoding::TwiceLess100:
        return byte * 2 - 100;
    case TEncoding::PlusOne:
        return byte + 1;
    case TEncoding::Switch:
        return byte == 1 ? 1 : 0;
    case TEncoding::Scaled:
        return byte * Factor - Bias;
    case TEncoding::Negate:
        return -byte;
    case TEncoding::Plain:
    case TEncoding::Code:
    case TEncoding::Index:
        break;
    }
    return byte;
}

std::uint8_t TCoding::ToByte(int value) const {
    switch (Kind) {
    case TEncoding::Bias:
        return static_cast<std::uint8_t>(value + Bias);
    case TEncoding::TwiceLess100:
        return static_cast<std::uint8_t>((value + 100) / 2);
    case TEncoding::PlusOne:
        return static_cast<std::uint8_t>(value - 1);
    case TEncoding::Switch:
        return value != 0 ? 1 : 0;
    case TEncoding::Scaled:
        return static_cast<std::uint8_t>((value + Bias) / Factor);
    case TEncoding::Negate:
        return static_cast<std::uint8_t>(-value);
    case TEncoding::Plain:
    case TEncoding::Code:
    case TEncoding::Index:
        break;
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace editors
