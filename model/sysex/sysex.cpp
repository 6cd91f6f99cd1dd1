#include "model/sysex/sysex.h"

#include "midi/midi_event.h"
#include "midi/midi_output.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/clock.h"

#include <algorithm>
#include <cassert>
#include <iostream>
#include <vector>

namespace model {

namespace {

constexpr std::size_t MonitoredBodyLength = 4;

// A byte of 80H or more would end the message early or turn into a status byte at the
// instrument; it is a fault of the caller, and the instrument gets the low 7 bits.
std::uint8_t SevenBits(std::uint32_t byte) {
    assert(byte < 0x80 && "system-exclusive byte of 80H or more");
    return static_cast<std::uint8_t>(byte & 0x7F);
}

void WriteHeader(std::span<std::uint8_t> message, std::uint8_t command, std::uint32_t address) {
    message[0] = 0xF0;
    message[1] = ManufacturerId;
    message[2] = SysExDeviceByte();
    message[3] = ModelId;
    message[4] = command;
    for (int i = 0; i < 4; ++i)
        message[5 + i] = SevenBits((address >> (24 - 8 * i)) & 0xFF);
}

// A data byte of 80H or more is a fault of the page or record that built it: such a message is
// refused whole, since any byte put in its place would write a value nobody chose.
bool RefusedBody(std::span<const std::uint8_t> body) {
    const auto high =
        std::find_if(body.begin(), body.end(), [](std::uint8_t b) { return b >= 0x80; });
    if (high == body.end()) return false;
    std::cerr << "Quintaron: system-exclusive data byte " << std::hex << std::uppercase
              << static_cast<int>(*high) << "H at " << std::dec << (high - body.begin())
              << " refused; nothing sent\n";
    assert(false && "system-exclusive data byte of 80H or more");
    return true;
}

void Send(std::uint8_t command, std::uint32_t address, std::span<const std::uint8_t> body) {
    if (RefusedBody(body)) return;
    platform::core::Sleep(SysExPacingMs);

    std::vector<std::uint8_t> message(MessageLength(body.size()));
    WriteHeader(message, command, address);
    for (std::size_t i = 0; i < body.size(); ++i)
        message[SysExHeaderLength + i] = body[i];
    message[message.size() - 2] = SysExChecksum(message);
    message[message.size() - 1] = 0xF7;

    if (!MidiOnline()) return;
    if (midi::TMidiOutput* output = AppState()->Midi.Output())
        output->SendLong(message.data(), static_cast<std::uint16_t>(message.size()));
    TUiServices* ui = UiServices();
    if (ui != nullptr && body.size() <= MonitoredBodyLength && AppState()->MonitorOpen)
        ui->MonitorAddMessage(message);
}

} // namespace

std::uint8_t SysExDeviceByte() {
    const std::int32_t id = AppState() != nullptr ? AppState()->Config.DeviceID : DefaultDeviceID;
    return SevenBits(static_cast<std::uint32_t>(id - 1) & 0xFF);
}

void SendDT1(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
             std::span<const std::uint8_t> data) {
    Send(SysExDataSet, SysExAddress(base, offset1, offset2), data);
}

void SendDT1Byte(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
                 std::uint8_t value) {
    const std::uint8_t body[] = {value};
    SendDT1(base, offset1, offset2, body);
}

void SendRQ1(std::uint32_t base, std::uint16_t offset1, std::uint16_t offset2,
             std::span<const std::uint8_t> size) {
    Send(SysExDataRequest, SysExAddress(base, offset1, offset2), size);
}

void BuildSysExHeader(std::span<std::uint8_t> buffer, std::uint32_t address) {
    if (buffer.size() < SysExFrameLength) return;
    WriteHeader(buffer, SysExDataSet, SysExAddress(address, 0, 0));
    buffer[buffer.size() - 2] = SysExChecksum(buffer);
    buffer[buffer.size() - 1] = 0xF7;
}

bool CheckSysExChecksum(std::span<const std::uint8_t> message) {
    if (message.size() < 8) return false;
    return message[message.size() - 2] == SysExChecksum(message);
}

bool CheckSysExChecksum(const midi::TMyMidiEvent& event) {
    const std::size_t length = std::min<std::size_t>(event.SysexLength, event.Sysex.size());
    return CheckSysExChecksum(std::span<const std::uint8_t>(event.Sysex.data(), length));
}

} // namespace model
