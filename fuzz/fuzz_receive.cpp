// Receiving elements over a noisy MIDI cable. A simulated instrument answers every request with
// its true blocks; the input decides what the cable does to each answer (passes it, delays it,
// drops it, repeats it, corrupts one of its bytes, cuts it short, wraps it in stray short
// messages and system exclusive of any length and content), how small the input's
// system-exclusive buffers are (so that answers arrive in pieces), and whether the user answers
// a time-out with Retry or Cancel. It also chooses the element: any kind, global sets with and
// without a data card, in the edit buffer, user or card memory.
//
// Every receive ends on the manual clock, never waiting with nothing to end it; nothing sent
// has a byte of 80H or more inside a message; and each block of the element is afterwards
// either as it was or exactly the instrument's, all of them the instrument's when the receive
// completed. When the input runs out, the cable passes everything and the user cancels.

#include "fuzz/file_checks.h"
#include "fuzz/fuzz_world.h"
#include "midi/midi_input.h"
#include "midi/midi_output.h"
#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/global.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/sysex/sysex.h"
#include "model/transfer/transfer.h"
#include "model/transfer/transfer_window.h"
#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/core/timer.h"
#include "platform/midi/midi_backend.h"
#include "platform/midi/virtual_midi.h"
#include "testsupport/instrument_address_map.h"
#include "testsupport/sim_instrument.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using fuzz::Bytes;
namespace pc = platform::core;

constexpr const char* DeviceName = "Fuzzed Instrument";
constexpr std::uint8_t DeviceByte = 0x10; // device id 17
// Time-outs answered with Retry at most, before the user gives up.
constexpr int MostRetries = 8;
// On the manual clock, far longer than any receive the input can drag out.
constexpr pc::Millis LongestReceiveMs = 6 * 60 * 60 * 1000;
constexpr long MostSteps = 50'000'000;

class Window : public model::TTransferWindow {
public:
    explicit Window(pc::ManualClock& clock) : clock_(clock) {
        timer_.SetEnabled(false);
        cleanup_.SetEnabled(false);
    }

    void Start(int, int, const std::string&, const std::string&) override { done_ = false; }
    void SetTransmetting() override {}
    void AddSended(int, int) override {}
    void AddReceived(int, int) override {}
    void AddElem(int) override {}
    void Repaint() override {}
    bool Done() const override { return done_; }
    void SetDone(bool value) override { done_ = value; }
    pc::TTimer& Timer() override { return timer_; }
    pc::TTimer& TimerCleanup() override { return cleanup_; }

    // Runs the clock from one due timer or arrival to the next until the window closes.
    void ShowModal() override {
        closed_ = false;
        const pc::Millis opened = clock_.Now();
        for (long step = 0; !closed_; ++step) {
            FUZZ_CHECK(step < MostSteps);
            FUZZ_CHECK(clock_.Now() - opened < LongestReceiveMs);
            std::optional<pc::Millis> next = pc::NextTimerDue();
            if (auto action = clock_.NextAction(); action && (!next || *action < *next))
                next = action;
            // Nothing will ever happen: the receive waits with nothing to end it.
            FUZZ_CHECK(next.has_value());
            pc::RunFor(clock_, *next > clock_.Now() ? *next - clock_.Now() : 0);
        }
    }
    void Close() override {
        timer_.SetEnabled(false);
        cleanup_.SetEnabled(false);
        closed_ = true;
        if (onClose) onClose();
    }

    std::function<void()> onClose;

private:
    pc::ManualClock& clock_;
    pc::TTimer timer_{nullptr};
    pc::TTimer cleanup_{nullptr};
    bool done_ = false;
    bool closed_ = true;
};

class Dialogs : public model::TDialogs {
public:
    explicit Dialogs(FuzzedDataProvider& in) : in_(in) {}
    bool OpenDialog(model::TFileDialogRequest&) override { return false; }
    bool SaveDialog(model::TFileDialogRequest&) override { return false; }
    model::TModalResult MessageDlg(const std::string& text, model::TMsgDlgType,
                                   model::TMsgDlgButtons) override {
        if (text != model::NotRespondingText) return model::mrOk;
        if (retries_ < MostRetries && in_.ConsumeBool()) {
            ++retries_;
            return model::mrRetry;
        }
        return model::mrCancel;
    }

private:
    FuzzedDataProvider& in_;
    int retries_ = 0;
};

bool IsSoundReply(const Bytes& m) {
    return m.size() >= 11 && m[0] == 0xF0 && m[1] == model::ManufacturerId && m[2] == DeviceByte &&
           m[3] == model::ModelId && m[4] == model::SysExDataSet && m.back() == 0xF7 &&
           std::all_of(m.begin() + 1, m.end() - 1, [](auto b) { return b < 0x80; }) &&
           model::CheckSysExChecksum(m);
}

// What the cable does to the instrument's answers.
class Cable {
public:
    Cable(FuzzedDataProvider& in, platform::midi::VirtualMidi& midi, pc::ManualClock& clock)
        : in_(in), midi_(midi), clock_(clock) {}

    void Carry(Bytes reply, pc::Millis delay) {
        switch (in_.ConsumeIntegralInRange<int>(0, 8)) {
        case 0:
            break;
        case 1: // lost
            return;
        case 2:
            delay += in_.ConsumeIntegralInRange<pc::Millis>(0, 3000);
            break;
        case 3: // one byte changed
            if (reply.size() > 2)
                reply[in_.ConsumeIntegralInRange<std::size_t>(1, reply.size() - 2)] =
                    in_.ConsumeIntegral<std::uint8_t>();
            break;
        case 4: // cut short, with or without its end
            reply.resize(in_.ConsumeIntegralInRange<std::size_t>(1, reply.size() - 1));
            if (in_.ConsumeBool()) reply.push_back(0xF7);
            break;
        case 5:
            Send(reply, delay);
            break;
        case 6:
            for (int n = in_.ConsumeIntegralInRange(1, 3); n > 0; --n)
                Send(Stray(), delay);
            break;
        case 7:
            Send(reply, delay);
            reply = Stray();
            break;
        case 8: // the checksum wrong
            if (reply.size() >= 2) reply[reply.size() - 2] ^= 0x01;
            break;
        }
        Send(std::move(reply), delay);
    }

    // A short message or system exclusive of any length and content, never one that the
    // receive could take for a true answer.
    Bytes Stray() {
        if (in_.ConsumeBool()) {
            Bytes message{static_cast<std::uint8_t>(0x80 | in_.ConsumeIntegral<std::uint8_t>())};
            for (int n = in_.ConsumeIntegralInRange(0, 2); n > 0; --n)
                message.push_back(in_.ConsumeIntegral<std::uint8_t>() & 0x7F);
            return message;
        }
        Bytes message{0xF0};
        const Bytes body = in_.ConsumeBytes<std::uint8_t>(in_.ConsumeIntegralInRange(0, 400));
        message.insert(message.end(), body.begin(), body.end());
        if (in_.ConsumeBool()) message.push_back(0xF7);
        if (IsSoundReply(message)) message[message.size() - 2] ^= 0x01;
        return message;
    }

private:
    void Send(Bytes message, pc::Millis delay) {
        midi_.Deliver(pair, std::move(message), clock_.Now() + delay);
    }

    FuzzedDataProvider& in_;
    platform::midi::VirtualMidi& midi_;
    pc::ManualClock& clock_;

public:
    std::size_t pair = 0;
};

// One block of the element, as its messages carry it.
struct Block {
    std::uint32_t address = 0;
    Bytes data;
    // A card bank of a global set without a data card: never received.
    bool skipped = false;
};

void AddBlocks(model::TLibElem& elem, bool skipped, std::vector<Block>& blocks) {
    const Bytes sysex = fuzz::SysExOf(elem);
    const auto messages = fuzz::SplitDataSets(sysex);
    FUZZ_CHECK(messages.has_value());
    for (const fuzz::DataSetAt& at : *messages) {
        const std::uint8_t* m = sysex.data() + at.start;
        Block block;
        block.address = std::uint32_t{m[5]} << 24 | std::uint32_t{m[6]} << 16 |
                        std::uint32_t{m[7]} << 8 | std::uint32_t{m[8]};
        block.data.assign(m + 9, m + at.length - 2);
        block.skipped = skipped;
        blocks.push_back(std::move(block));
    }
}

std::vector<Block> BlocksOf(model::TLibElem& elem, bool dataCard) {
    std::vector<Block> blocks;
    if (elem.Type != model::etGlobal) {
        AddBlocks(elem, false, blocks);
        return blocks;
    }
    auto& global = static_cast<model::TGlobal&>(elem);
    for (int i = 0; i < global.Count(); ++i) {
        const bool card = global.Elem(i).Type != model::etSystem && !global.Elem(i).Memory;
        AddBlocks(global.Elem(i), card && !dataCard, blocks);
    }
    return blocks;
}

// Every message sent is whole, and no byte inside it has the top bit set.
void CheckSent(const Bytes& message) {
    FUZZ_CHECK(!message.empty() && message.front() >= 0x80);
    if (message.front() == 0xF0) {
        FUZZ_CHECK(message.size() >= 2 && message.back() == 0xF7);
        FUZZ_CHECK(
            std::all_of(message.begin() + 1, message.end() - 1, [](auto b) { return b < 0x80; }));
    } else {
        FUZZ_CHECK(message.size() <= 3);
        FUZZ_CHECK(
            std::all_of(message.begin() + 1, message.end(), [](auto b) { return b < 0x80; }));
    }
}

int NumbersOf(std::int16_t type) {
    if (type == model::etPatch) return 128;
    if (type == model::etPerformance) return 32;
    if (type == model::etRhythm) return 2;
    return 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::World& world = fuzz::World::Get();
    FuzzedDataProvider in(data, size);

    pc::ResetMessageLoop();
    pc::ManualClock clock;
    pc::ClockOverride clockOverride(clock);
    platform::midi::VirtualMidi midi(clock);
    platform::midi::BackendOverride backendOverride(midi);
    Cable cable(in, midi, clock);
    testsupport::SimInstrument instrument(
        [&](Bytes message, pc::Millis delay) { cable.Carry(std::move(message), delay); });
    instrument.SetDeviceByte(DeviceByte);
    instrument.SetBlockTable(testsupport::InstrumentBlockTable());
    cable.pair = midi.AddPair(DeviceName, [&](Bytes message) {
        CheckSent(message);
        instrument.Receive(message);
    });

    // The element, and the instrument's memory behind it, different from it in every block.
    const auto type = static_cast<std::int16_t>(in.ConsumeIntegralInRange(0, 7));
    const bool dataCard = in.ConsumeBool();
    world.state.Config.DataCardInstalled = dataCard;
    auto elem = model::CreateElemByType(type, nullptr);
    if (auto* bank = dynamic_cast<model::TBank*>(elem.get()); bank && type != model::etGlobal) {
        bank->SetMemory(in.ConsumeBool());
    } else if (type != model::etGlobal) {
        elem->Temporary = in.ConsumeBool();
        elem->Memory = in.ConsumeBool();
        elem->Number = static_cast<std::int16_t>(in.ConsumeIntegralInRange(1, NumbersOf(type)));
    }
    const std::vector<Block> before = BlocksOf(*elem, dataCard);
    std::vector<Bytes> instrumentData;
    for (const Block& block : before) {
        Bytes bytes(block.data.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>((~block.data[i] + i * 5) & 0x7F);
        if (bytes == block.data) bytes[0] ^= 1;
        instrument.Write(block.address, bytes);
        instrumentData.push_back(std::move(bytes));
    }

    // The program's connection on the one device there is, its input buffers as the input says.
    model::TMidiConnection& connection = world.state.Midi;
    connection.Create();
    FUZZ_CHECK(connection.Online());
    if (in.ConsumeBool()) {
        connection.CloseDevs();
        connection.Input()->SetSysexBufferSize(in.ConsumeIntegralInRange<std::uint16_t>(8, 300));
        connection.Input()->SetSysexBufferCount(in.ConsumeIntegralInRange<std::uint16_t>(1, 16));
        FUZZ_CHECK(connection.OpenDevs());
    }
    Window window(clock);
    window.onClose = [&] { connection.InstallDefaultMidiInput(); };
    world.ui.transferWindow = &window;
    Dialogs dialogs(in);
    model::SetDialogs(&dialogs);

    elem->Receive(false);

    const bool complete = window.Done();
    const std::vector<Block> after = BlocksOf(*elem, dataCard);
    FUZZ_CHECK(after.size() == before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        FUZZ_CHECK(after[i].address == before[i].address);
        const bool unchanged = after[i].data == before[i].data;
        const bool received = after[i].data == instrumentData[i];
        if (before[i].skipped)
            FUZZ_CHECK(unchanged);
        else if (complete)
            FUZZ_CHECK(received);
        else
            FUZZ_CHECK(unchanged || received);
    }

    connection.CloseDevs();
    connection.SetOnline(false);
    world.state.CurrentPatch = nullptr;
    world.state.CurrentPerformance = nullptr;
    world.state.CurrentRhythm = nullptr;
    world.state.CurrentSystem = nullptr;
    world.state.PreviewChannel = 1;
    model::SetDialogs(&world.dialogs);
    world.ui.transferWindow = nullptr;
    world.state.Config.DataCardInstalled = false;
    elem.reset();
    pc::ResetMessageLoop();
    return 0;
}
