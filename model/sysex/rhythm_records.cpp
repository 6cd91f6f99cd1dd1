#include "model/sysex/rhythm_records.h"

#include "model/sysex/sysex.h"

namespace model {

TRhythmCommon::TRhythmCommon() {
    Clear();
}

void TRhythmCommon::Clear() {
    ZeroImage();
    Fill(0, 11, ' ');
}

void TRhythmCommon::SetParams(std::size_t first, std::span<const std::uint8_t> values) {
    StoreParams(first, values);
    SendDT1(RhythmEditBuffer, CommonOffset, static_cast<std::uint16_t>(first), values);
}

TRhythmNote::TRhythmNote(int key) : Key(static_cast<std::uint8_t>(key)) {
    Clear();
}

void TRhythmNote::Clear() {
    ZeroImage();
    Fill(53, 53, 1);
}

void TRhythmNote::SetParam(std::size_t n, std::uint8_t value) {
    if (StoreParam(n, value))
        SendDT1Byte(RhythmEditBuffer, RhythmNoteOffset(Key), static_cast<std::uint16_t>(n), value);
}

void TRhythmNote::SetParams(std::size_t first, std::span<const std::uint8_t> values) {
    StoreParams(first, values);
    SendDT1(RhythmEditBuffer, RhythmNoteOffset(Key), static_cast<std::uint16_t>(first), values);
}

} // namespace model
