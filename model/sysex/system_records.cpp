#include "model/sysex/system_records.h"

#include "model/sysex/sysex.h"

namespace model {

TSystemCommon::TSystemCommon() {
    Clear();
}

void TSystemCommon::Clear() {
    ZeroImage();
    Fill(0, 0, 1);
    Fill(6, 6, 0x3F);
    Fill(8, 10, 1);
    Fill(12, 12, 1);
    Fill(17, 17, 2);
    Fill(18, 18, 0x61);
    Fill(19, 19, 0x0B);
    Fill(20, 27, 1);
    Fill(28, 28, 0x10);
    Fill(30, 30, 1);
    Fill(32, 32, 0x3C);
    Fill(33, 33, 0x7F);
    Fill(34, 34, 0x40);
    Fill(35, 35, 0x7F);
    Fill(36, 36, 0x43);
    Fill(37, 37, 0x7F);
    Fill(38, 38, 0x3D);
    Fill(39, 39, 0x7F);
}

void TSystemCommon::SetParam(std::size_t n, std::uint8_t value) {
    if (StoreParam(n, value))
        SendDT1Byte(SystemBase, CommonOffset, static_cast<std::uint16_t>(n), value);
}

void TSystemCommon::SetParams(std::size_t first, std::span<const std::uint8_t> values) {
    StoreParams(first, values);
    SendDT1(SystemBase, CommonOffset, static_cast<std::uint16_t>(first), values);
}

TPartScaleTune::TPartScaleTune(int number) : Number(static_cast<std::uint8_t>(number)) {
    Clear();
}

void TPartScaleTune::Clear() {
    ZeroImage();
    Fill(0, 11, 0x40);
}

void TPartScaleTune::SetParam(std::size_t n, std::uint8_t value) {
    if (StoreParam(n, value))
        SendDT1Byte(SystemBase, ScaleTuneOffset(Number), static_cast<std::uint16_t>(n), value);
}

} // namespace model
