#pragma once
// The MIDI monitor: the traffic as hexadecimal text, received messages in the input pane and
// sent ones in the output pane. A child window of the main window that releases itself when
// closed and reopens where it was; it is the program's only trace of the traffic.

#include "midi/midi_event.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <cstdint>
#include <span>

namespace app {

namespace forms = platform::forms;

// Each pane keeps this many of the latest lines.
inline constexpr int MonitorPaneLines = 1000;

class TFormMonitor : public forms::TForm {
public:
    // The main window must be the multiple-document parent.
    explicit TFormMonitor(forms::TComponent* owner);

    // One line with every byte of the message.
    void AddMessage(std::span<const std::uint8_t> bytes, forms::TMemo& memo);
    // One line with the event's status and two data bytes.
    void AddMessageMidi(const midi::TMyMidiEvent& event, forms::TMemo& memo);

    forms::TPanel& PanelIn;
    forms::TMemo& MemoInput;
    forms::TPanel& PanelOut;
    forms::TMemo& MemoOutput;
    forms::TLabel& Label1;
    forms::TLabel& Label2;

private:
    void FormCreate(forms::TObject* Sender);
    void FormResize(forms::TObject* Sender);
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);
    void AddLine(forms::TMemo& memo, std::string line);
};

} // namespace app
