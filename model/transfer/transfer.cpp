#include "model/transfer/transfer.h"

#include "midi/midi_event.h"
#include "midi/midi_input.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "model/sysex/address_map.h"
#include "model/sysex/sysex.h"
#include "platform/core/timer.h"

#include <algorithm>

namespace model {

namespace {

midi::TMidiInput* Input() {
    return AppState() != nullptr ? AppState()->Midi.Input() : nullptr;
}

} // namespace

void BuildBlockHeader(std::uint32_t base, const TTransferBlock& block) {
    BuildSysExHeader(block.Image, SysExAddress(base, block.Offset, 0));
}

void SendBlock(std::uint32_t base, const TTransferBlock& block) {
    SendDT1(base, block.Offset, 0,
            block.Image.subspan(SysExHeaderLength, block.Image.size() - SysExFrameLength));
}

void RequestBlock(std::uint32_t base, const TTransferBlock& block) {
    SendRQ1(base, block.Offset, 0, block.RequestSize);
}

TTransferWindow* TransferWindow() {
    TUiServices* ui = UiServices();
    return ui != nullptr ? ui->TransferWindow() : nullptr;
}

void StartTimer(platform::core::TTimer& timer, std::uint32_t interval,
                std::function<void()> handler) {
    timer.SetEnabled(false);
    timer.SetInterval(interval);
    timer.SetOnTimer([handler = std::move(handler)](platform::core::TObject*) { handler(); });
    timer.SetEnabled(true);
}

void StopTimer(platform::core::TTimer& timer) {
    timer.SetEnabled(false);
}

void RemoveInputHandler() {
    if (midi::TMidiInput* input = Input()) input->OnMidiInput = nullptr;
}

void InstallInputHandler(std::function<void()> handler) {
    if (midi::TMidiInput* input = Input())
        input->OnMidiInput = [handler = std::move(handler)](platform::core::TObject*) {
            handler();
        };
}

void InstallDefaultInputHandler() {
    if (AppState() != nullptr) AppState()->Midi.InstallDefaultMidiInput();
}

void DrainInput() {
    while (ReadInputEvent()) {
    }
}

std::unique_ptr<midi::TMyMidiEvent> ReadInputEvent() {
    midi::TMidiInput* input = Input();
    if (!MidiOnline() || input == nullptr) return nullptr;
    return input->ReadEvent();
}

bool IsReplyFor(const midi::TMyMidiEvent& event, std::uint32_t address, std::size_t length) {
    const std::vector<std::uint8_t>& message = event.Sysex;
    if (message.size() != length || event.SysexLength != length || length < SysExFrameLength)
        return false;
    if (message[0] != 0xF0 || message[1] != ManufacturerId || message[2] != SysExDeviceByte() ||
        message[3] != ModelId || message[4] != SysExDataSet || message.back() != 0xF7)
        return false;
    const std::uint32_t carried = std::uint32_t{message[5]} << 24 |
                                  std::uint32_t{message[6]} << 16 | std::uint32_t{message[7]} << 8 |
                                  std::uint32_t{message[8]};
    return carried == SysExAddress(address, 0, 0);
}

std::unique_ptr<midi::TMyMidiEvent> NextReplyFor(std::uint32_t base, const TTransferBlock& block) {
    while (auto event = ReadInputEvent()) {
        if (IsReplyFor(*event, SysExAddress(base, block.Offset, 0), block.Image.size()))
            return event;
    }
    return nullptr;
}

bool ReplyIsSound(const midi::TMyMidiEvent& event) {
    const std::vector<std::uint8_t>& message = event.Sysex;
    if (message.size() < 2 || !CheckSysExChecksum(event)) return false;
    return std::all_of(message.begin() + 1, message.end() - 1,
                       [](std::uint8_t byte) { return byte < 0x80; });
}

void PlaceReply(const midi::TMyMidiEvent& event, std::span<std::uint8_t> image) {
    std::copy_n(event.Sysex.begin(), std::min(event.Sysex.size(), image.size()), image.begin());
}

bool AskRetry(const std::string& text) {
    return MessageDlg(text, TMsgDlgType::mtWarning, mbRetry | mbCancel) == mrRetry;
}

} // namespace model
