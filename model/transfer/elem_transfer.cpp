#include "model/transfer/elem_transfer.h"

#include "midi/midi_event.h"
#include "model/elements/lib_elem.h"
#include "model/program/quintaron.h"
#include "model/transfer/transfer.h"
#include "model/transfer/transfer_window.h"

#include <memory>
#include <utility>

namespace model {

void TElemTransfer::Begin(TTransferWindow& window) {
    StopTimer(window.Timer());
    StopTimer(window.TimerCleanup());
    Running = true;
}

void TElemTransfer::Run(TTransferWindow& window) {
    window.ShowModal();
    Running = false;
    StopTimer(window.Timer());
    StopTimer(window.TimerCleanup());
    InstallDefaultInputHandler();
}

void TElemTransfer::StartTimeout(TTransferWindow& window) {
    StartTimer(window.Timer(), TransferTimeoutMs, [this] { TimeoutTimer(); });
}

void TElemTransfer::CloseSoon(TTransferWindow& window) {
    StartTimer(window.Timer(), MoreFollow ? TransferHandOverMs : TransferLingerMs,
               [this] { TimeoutTimer(); });
}

void TElemTransfer::StartPacing(TTransferWindow& window) {
    StartTimer(window.Timer(), TransmitPacingMs, [this] { TransmitTimer(); });
}

void TElemTransfer::AskForBlock(TTransferWindow& window, std::uint32_t base,
                                const TTransferBlock& block, std::function<void()> onInput) {
    StopTimer(window.Timer());
    RemoveInputHandler();
    DrainInput();
    window.AddSended(RequestMessageLength, 1);
    RequestBlock(base, block);
    InstallInputHandler(std::move(onInput));
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
    Elem.RequestNext();
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
    if (AskRetry())
        Elem.RequestNext();
    else
        window->Close();
}

} // namespace model
