#include "model/sysex/performance_records.h"

#include "model/program/quintaron.h"
#include "model/sysex/sysex.h"

namespace model {

namespace {
constexpr std::size_t NameLength = 12;
}

TPerformanceCommon::TPerformanceCommon() {
    Clear();
}

TPerformanceCommon::~TPerformanceCommon() {
    CloseEditors();
}

void TPerformanceCommon::Clear() {
    ZeroImage();
    Fill(0, 11, ' ');
    Fill(45, 45, 1);
    Fill(46, 46, 4);
}

void TPerformanceCommon::SetParam(std::size_t n, std::uint8_t value) {
    if (StoreParam(n, value))
        SendDT1Byte(PerformanceEditBuffer, CommonOffset, static_cast<std::uint16_t>(n), value);
}

void TPerformanceCommon::SetParams(std::size_t first, std::span<const std::uint8_t> values) {
    StoreParams(first, values);
    SendDT1(PerformanceEditBuffer, CommonOffset, static_cast<std::uint16_t>(first), values);
}

void TPerformanceCommon::SendAll() const {
    if (MidiOnline()) SendDT1(PerformanceEditBuffer, CommonOffset, 0, Data());
}

std::string TPerformanceCommon::GetName() const {
    return std::string(Data().begin(), Data().begin() + NameLength);
}

void TPerformanceCommon::CloseEditors() {
    CommonWindow.Close();
    EffectsWindow.Close();
}

void TPerformanceCommon::SaveEditorPositions() {
    CommonWindow.SavePosition();
    EffectsWindow.SavePosition();
}

TPerformancePart::TPerformancePart(int part) : Number(static_cast<std::uint8_t>(part)) {
    Clear();
}

void TPerformancePart::Clear() {
    ZeroImage();
}

void TPerformancePart::SetParam(std::size_t n, std::uint8_t value) {
    if (StoreParam(n, value))
        SendDT1Byte(PerformanceEditBuffer, PerformancePartOffset(Number),
                    static_cast<std::uint16_t>(n), value);
}

void TPerformancePart::SetParams(std::size_t first, std::span<const std::uint8_t> values) {
    StoreParams(first, values);
    SendDT1(PerformanceEditBuffer, PerformancePartOffset(Number), static_cast<std::uint16_t>(first),
            values);
}

} // namespace model
