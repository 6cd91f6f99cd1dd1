#pragma once
// The course of one element's transfer with the instrument: whether it runs, where it stands,
// and the steps every kind of element shares (the window's timers, the input handler, a block
// asked for and its replies taken). What block comes next and what a reply means stay with the
// element, whose RequestNext and TransmitNext the timers call.

#include <cstdint>
#include <functional>
#include <string>

namespace model {

class TLibElem;
class TTransferWindow;
struct TTransferBlock;

class TElemTransfer {
public:
    // Serves elem for the element's whole life; the element owns it.
    explicit TElemTransfer(TLibElem& elem) : Elem(elem) {}
    TElemTransfer(const TElemTransfer&) = delete;
    TElemTransfer& operator=(const TElemTransfer&) = delete;

    // Between Begin and the window's close; requests, replies and paced blocks of the element
    // are taken only then.
    bool Active() const { return Running; }

    // A transfer of the element starts: the window's timers are stopped until it arms them.
    void Begin(TTransferWindow& window);
    // Shows the transfer window until it closes. However it closed, its timers are stopped
    // then, the input goes back to the default handler, and nothing more of the transfer runs.
    void Run(TTransferWindow& window);
    // The time-out: 2000 ms from now.
    void StartTimeout(TTransferWindow& window);
    // A finished transfer's window closes a second from now, or at once when another transfer
    // of the same command follows (MoreFollow).
    void CloseSoon(TTransferWindow& window);
    // A paced transmit: the element's TransmitNext every 50 ms.
    void StartPacing(TTransferWindow& window);
    // A receive asks for one block at base: the time-out stopped, the input waiting dropped,
    // the request counted and sent, its reply left to onInput and the time-out started.
    void AskForBlock(TTransferWindow& window, std::uint32_t base, const TTransferBlock& block,
                     std::function<void()> onInput);
    // The receive of a single element at address, from its first block on: the element is
    // marked modified, the window is started with messages, label and caption and counts the
    // element; the element's views are refreshed once it has closed.
    void ReceiveElement(bool ToEditBuffer, std::uint32_t address, int messages, const char* label,
                        const char* caption);
    // The input handler of a receive block by block, blockAt(Counter) being the block awaited:
    // a bad reply asks for the same block again, and the last of blockCount closes the window
    // at once.
    void TakeBlockReplies(int blockCount, const std::function<TTransferBlock(int)>& blockAt);

    // Handlers of the transfer window's timer: the tick of a paced transmit, and the time-out,
    // which also closes the window of a finished transfer.
    void TransmitTimer();
    void TimeoutTimer();

    // A step of the transfer that talks to the instrument. When the MIDI system refuses it (its
    // server stopped, the instrument's port gone), nothing more of the transfer runs before the
    // user has answered one box that says why (the instrument's port that went, else the
    // refusal's text): Retry connects again (the ports opened afresh, or connected again to the
    // instrument's ports by name) and goes on (the box comes again while they are not back),
    // Cancel ends the transfer and closes the window. A receive asks again for the block whose
    // request was refused. A paced transmit sends again from the start of the element (the
    // bank's child, or the element itself) that holds the earliest block the system may have
    // lost with it (queued, or under way): a block may arrive twice, never not at all. Every timer
    // and input handler of the transfer runs as such a step, and so does its first block.
    void Step(const std::function<void()>& step);
    // The input handler of a receive, run as a step.
    void Listen(std::function<void()> onInput);
    // The patch bank's re-request after a bad reply: handler on the window's retry timer.
    void StartRetry(TTransferWindow& window, std::function<void()> handler);

    // The element's base address in the memory transferred to or from.
    std::uint32_t Address = 0;
    // Blocks of a single element sent or placed.
    std::int16_t Counter = 0;
    // In a bank: the child being transferred (0-based) and the block inside it.
    int Index = 0;
    int Block = 0;
    // In a paced transmit of a bank: the blocks of one child. 0 for a single element.
    int BlocksPerChild = 0;
    // Set by a global set on each of its parts but the last it transfers: the part's window
    // then makes way for the next part at once instead of standing for a second.
    bool MoreFollow = false;

private:
    // Asks the user about a refused step until the transfer goes on or the user cancels.
    void Refused(std::string text);
    // A paced transmit goes back to the start of the element that holds the earliest block the
    // output may have lost.
    void Rewind(TTransferWindow& window);

    TLibElem& Elem;
    bool Running = false;
    // A paced transmit, which goes on by sending; a receive goes on by asking.
    bool Paced = false;
};

} // namespace model
