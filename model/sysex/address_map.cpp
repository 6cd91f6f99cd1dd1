#include "model/sysex/address_map.h"

namespace model {

namespace {

std::uint32_t ElementBase(std::uint32_t editBuffer, std::uint32_t user, std::uint32_t card,
                          bool temporary, bool userMemory, int number) {
    if (temporary) return editBuffer;
    return (userMemory ? user : card) + static_cast<std::uint32_t>(number - 1) * ElementStep;
}

} // namespace

std::uint32_t PatchBase(bool temporary, bool userMemory, int number) {
    return ElementBase(PatchEditBuffer, PatchUserBase, PatchCardBase, temporary, userMemory,
                       number);
}

std::uint32_t PerformanceBase(bool temporary, bool userMemory, int number) {
    return ElementBase(PerformanceEditBuffer, PerformanceUserBase, PerformanceCardBase, temporary,
                       userMemory, number);
}

std::uint32_t RhythmBase(bool temporary, bool userMemory, int number) {
    return ElementBase(RhythmEditBuffer, RhythmUserBase, RhythmCardBase, temporary, userMemory,
                       number);
}

std::uint32_t SysExAddress(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2) {
    const std::uint32_t sum = base + offset1 + offset2;
    std::uint32_t result = 0;
    std::uint32_t carry = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t byte = ((sum >> shift) & 0xFF) + carry;
        carry = byte >> 7;
        result |= (byte & 0x7F) << shift;
    }
    // The top byte has nowhere to carry to; the sender keeps it to 7 bits.
    return result | ((((sum >> 24) + carry) & 0xFF) << 24);
}

} // namespace model
