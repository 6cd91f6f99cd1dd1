#pragma once
// Sets of 8-bit characters, as the masks test typed characters against them.

#include <bitset>

namespace toolkit::base {

using TSysCharSet = std::bitset<256>;

// Only the low byte of the character counts.
inline bool dxCharInSet(char Ch, const TSysCharSet& Set) {
    return Set.test(static_cast<unsigned char>(Ch));
}

} // namespace toolkit::base
