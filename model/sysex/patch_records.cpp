#include "model/sysex/patch_records.h"

#include "model/program/quintaron.h"
#include "model/sysex/sysex.h"

namespace model {

TCommon::TCommon() {
    Clear();
}

TCommon::~TCommon() {
    CloseEditors();
}

void TCommon::Clear() {
    ZeroImage();
    Fill(0, 11, ' ');
    Fill(44, 44, 1);
    Fill(45, 45, 4);
}

void TCommon::SetParam(std::size_t n, std::uint8_t value) {
    if (StoreParam(n, value))
        SendDT1Byte(PatchEditBuffer, CommonOffset, static_cast<std::uint16_t>(n), value);
}

void TCommon::SetParams(std::size_t first, std::span<const std::uint8_t> values) {
    StoreParams(first, values);
    SendDT1(PatchEditBuffer, CommonOffset, static_cast<std::uint16_t>(first), values);
}

void TCommon::SendAll() const {
    if (MidiOnline()) SendDT1(PatchEditBuffer, CommonOffset, 0, Data());
}

void TCommon::CloseEditors() {
    CommonWindow.Close();
    EffectsWindow.Close();
}

void TCommon::SaveEditorPositions() {
    CommonWindow.SavePosition();
    EffectsWindow.SavePosition();
}

TTone::TTone(int tone) : Number(static_cast<std::uint8_t>(tone)) {
    Clear();
}

TTone::~TTone() {
    CloseEditors();
}

void TTone::Clear() {
    ZeroImage();
    Fill(12, 13, 1);
    Fill(122, 122, 1);
}

void TTone::SetParam(std::size_t n, std::uint8_t value) {
    if (StoreParam(n, value))
        SendDT1Byte(PatchEditBuffer, ToneOffset(Number), static_cast<std::uint16_t>(n), value);
}

void TTone::SetParams(std::size_t first, std::span<const std::uint8_t> values) {
    if (StoreParams(first, values))
        SendDT1(PatchEditBuffer, ToneOffset(Number), static_cast<std::uint16_t>(first), values);
}

void TTone::SendAll() const {
    if (MidiOnline()) SendDT1(PatchEditBuffer, ToneOffset(Number), 0, Data());
}

void TTone::CloseEditors() {
    for (TEditorSlot& page : Pages)
        page.Close();
}

void TTone::SaveEditorPositions() {
    for (TEditorSlot& page : Pages)
        page.SavePosition();
}

} // namespace model
