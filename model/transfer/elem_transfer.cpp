#include "model/transfer/elem_transfer.h"

#include "midi/midi_event.h"
#include "midi/midi_input.h"
#include "midi/midi_output.h"
#include "model/elements/lib_elem.h"
#include "model/program/quintaron.h"
#include "model/transfer/transfer.h"
#include "model/transfer/transfer_window.h"
#include "platform/core/timer.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace model {

void TElemTransfer::Begin(TTransferWindow& window) {
    StopTimer(window.Timer());
    StopTimer(window.TimerCleanup());
    Running = true;
    Paced = false;
    BlocksPerChild = 0;
}

void TElemTransfer::Run(TTransferWindow& window) {
    // A first step that was refused and cancelled has ended the transfer already.
    if (Running) window.ShowModal();
    Running = false;
    StopTimer(window.Timer());
    StopTimer(window.TimerCleanup());
    InstallDefaultInputHandler();
}

void TElemTransfer::StartTimeout(TTransferWindow& window) {
    StartTimer(window.Timer(), TransferTimeoutMs, [this] { Step([this] { TimeoutTimer(); }); });
}

void TElemTransfer::CloseSoon(TTransferWindow& window) {
    StartTimer(window.Timer(), MoreFollow ? TransferHandOverMs : TransferLingerMs,
               [this] { Step([this] { TimeoutTimer(); }); });
}

void TElemTransfer::StartPacing(TTransferWindow& window) {
    Paced = true;
    StartTimer(window.Timer(), TransmitPacingMs, [this] { Step([this] { TransmitTimer(); }); });
}

void TElemTransfer::StartRetry(TTransferWindow& window, std::function<void()> handler) {
    StartTimer(window.TimerCleanup(), TransferRetryMs,
               [this, handler = std::move(handler)] { Step(handler); });
}

void TElemTransfer::Listen(std::function<void()> onInput) {
    InstallInputHandler([this, onInput = std::move(onInput)] { Step(onInput); });
}

namespace {

// The text of a refusal of the MIDI system; none for any other failure, which is not the
// transfer's to handle.
template <class Action> std::optional<std::string> Refusal(const Action& action) {
    try {
        action();
    } catch (const midi::EmidioutputError& refusal) {
        return refusal.Message();
    } catch (const midi::EMidiInputError& refusal) {
        return refusal.Message();
    }
    return std::nullopt;
}

} // namespace

void TElemTransfer::Step(const std::function<void()>& step) {
    if (std::optional<std::string> text = Refusal(step)) Refused(std::move(*text));
}

void TElemTransfer::Refused(std::string text) {
    TTransferWindow* window = TransferWindow();
    if (window == nullptr) return;
    // Stopped before the user is asked: no tick may report again from inside this box.
    StopTimer(window->Timer());
    StopTimer(window->TimerCleanup());
    RemoveInputHandler();
    if (Paced) Rewind(*window);
    // Said as the connection stands: a port of the instrument gone rather than the driver's text.
    if (AppState() != nullptr && AppState()->Midi.Online()) {
        std::string trouble = AppState()->Midi.Trouble();
        if (!trouble.empty() && trouble != PortsGone) text = std::move(trouble);
    }
    while (Running && AskRetry(text)) {
        if (AppState() == nullptr || !AppState()->Midi.Reconnect()) {
            text = AppState() != nullptr ? AppState()->Midi.Trouble() : PortsGone;
            continue;
        }
        std::optional<std::string> again = Refusal([this, window] {
            if (!Paced) {
                Elem.RequestNext();
                return;
            }
            Elem.TransmitNext();
            // The block that finished the transmit has set the window's closing already.
            if (Running && !window->Timer().Enabled()) StartPacing(*window);
        });
        if (!again) return;
        text = std::move(*again);
    }
    Running = false;
    window->Close();
}

void TElemTransfer::Rewind(TTransferWindow& window) {
    const midi::TMidiOutput* output = AppState() != nullptr ? AppState()->Midi.Output() : nullptr;
    const int undelivered = output != nullptr ? output->Undelivered() : 0;
    if (BlocksPerChild <= 0) {
        Counter = 0;
        return;
    }
    const int from = std::max(0, Index * BlocksPerChild + Block - undelivered) / BlocksPerChild;
    // The children sent again are counted again as they go.
    if (from < Index) window.AddElem(from - Index);
    Index = from;
    Block = 0;
}

void TElemTransfer::AskForBlock(TTransferWindow& window, std::uint32_t base,
                                const TTransferBlock& block, std::function<void()> onInput) {
    StopTimer(window.Timer());
    RemoveInputHandler();
    DrainInput();
    window.AddSended(RequestMessageLength, 1);
    RequestBlock(base, block);
    Listen(std::move(onInput));
    StartTimeout(window);
}

void TElemTransfer::ReceiveElement(bool ToEditBuffer, std::uint32_t address, int messages,
                                   const char* label, const char* caption) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || window == nullptr) return;
    Elem.TLibElem::Receive(ToEditBuffer);
    Begin(*window);
    Address = address;
    Counter = 0;
    window->Start(0, messages, label, caption);
    Step([this] { Elem.RequestNext(); });
    window->AddElem(1);
    Run(*window);
    Elem.UpdateViews();
}

void TElemTransfer::TakeBlockReplies(int blockCount,
                                     const std::function<TTransferBlock(int)>& blockAt) {
    TTransferWindow* window = TransferWindow();
    while (Running && window != nullptr && Counter < blockCount) {
        const TTransferBlock block = blockAt(Counter);
        const std::unique_ptr<midi::TMyMidiEvent> reply = NextReplyFor(Address, block);
        if (!reply) return;
        StopTimer(window->Timer());
        if (ReplyIsSound(*reply)) {
            PlaceReply(*reply, block.Image);
            window->AddReceived(static_cast<int>(block.Image.size()), 1);
            if (++Counter == blockCount) {
                window->SetDone(true);
                window->Close();
                return;
            }
        }
        Elem.RequestNext();
    }
}

void TElemTransfer::TransmitTimer() {
    Elem.TransmitNext();
}

void TElemTransfer::TimeoutTimer() {
    TTransferWindow* window = TransferWindow();
    if (window == nullptr) return;
    StopTimer(window->Timer());
    StopTimer(window->TimerCleanup());
    RemoveInputHandler();
    if (window->Done() || !Running) {
        window->Close();
        return;
    }
    // The instrument may have been silent because its port or its MIDI system went away: that is
    // said rather than that it does not respond.
    if (AppState() != nullptr && !AppState()->Midi.Reconnect()) {
        Refused(AppState()->Midi.Trouble());
        return;
    }
    if (!AskRetry()) {
        window->Close();
        return;
    }
    if (AppState() != nullptr && !AppState()->Midi.Reconnect()) {
        Refused(AppState()->Midi.Trouble());
        return;
    }
    Step([this] { Elem.RequestNext(); });
}

} // namespace model
