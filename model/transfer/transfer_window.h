#pragma once
// The transfer progress window as the data model sees it. Every receive and every paced
// transmit runs inside it while it is shown modally: the model resets it, feeds it the counts,
// runs the transfer on the two timers it hosts and sets its done flag; closing it ends the
// transfer. The window is created once and reused.

#include <string>

namespace platform::core {
class TTimer;
}

namespace model {

class TTransferWindow {
public:
    virtual ~TTransferWindow() = default;

    // Zeroes the four counts and the element counter, keeps startNumber and totalMessages (the
    // gauge's 100 %), shows the receive layout with the operation text and the element label,
    // and clears the done flag.
    virtual void Start(int startNumber, int totalMessages, const std::string& elemLabel,
                       const std::string& operation) = 0;
    // The send layout: the gauge follows the messages sent.
    virtual void SetTransmetting() = 0;
    virtual void AddSended(int bytes, int messages) = 0;
    virtual void AddReceived(int bytes, int messages) = 0;
    virtual void AddElem(int n) = 0;
    virtual void Repaint() = 0;

    // Set by the model when the whole element or bank has arrived or been sent; read after the
    // window has closed to tell completion from cancel or time-out.
    virtual bool Done() const = 0;
    virtual void SetDone(bool value) = 0;

    // The transfer's time-out timer (the pacing timer of a paced transmit) and its re-request
    // timer. Both are disabled while no transfer runs.
    virtual platform::core::TTimer& Timer() = 0;
    virtual platform::core::TTimer& TimerCleanup() = 0;

    // Shows the window modally and returns when it has closed.
    virtual void ShowModal() = 0;
    // Closing, by the model, by the user's Cancel or otherwise, stops both timers and gives the
    // MIDI input back to the default handler.
    virtual void Close() = 0;
};

} // namespace model
