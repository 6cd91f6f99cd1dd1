#pragma once
// The name fetch ("Updating names"): reads the names of the instrument's card and user
// performances and patches with data requests, 16 names a step in 20 steps, into the four lists
// of "UserCard.Txt", saves them and has the names window read its lists again. Each step waits
// 800 ms for a reply, the wait starting again with each one. A silent card is taken as absent
// and its steps skipped; a silent user step asks "The Instrument Is Not Responding." with OK
// (stop) and Retry (the step again). Only data sets of this instrument long enough to hold a
// name count, in the order they come. While it runs the fetch owns the MIDI input; closing the
// window, however it closes, gives the input back to the default handler. Created once at
// start-up and shown modally by the main window's names command.

#include "model/files/name_lists.h"
#include "model/transfer/input_guard.h"
#include "platform/core/timer.h"
#include "platform/forms/buttons.h"
#include "platform/forms/forms.h"
#include "platform/forms/gauges.h"
#include "platform/forms/std_ctrls.h"

#include <cstdint>
#include <memory>

namespace midi {
class TMyMidiEvent;
}

namespace app {

namespace forms = platform::forms;

class TFormUpdateNames : public forms::TForm {
public:
    static constexpr int StepCount = 20;
    static constexpr int NamesPerStep = 16;
    static constexpr int NameCount = StepCount * NamesPerStep;
    static constexpr std::uint32_t TimeoutMs = 800;

    explicit TFormUpdateNames(forms::TComponent* owner);
    ~TFormUpdateNames() override;

    // Writes the four lists to "UserCard.Txt", then closes the window. A failed write raises
    // "Unable to Write UserCard.Txt"; the window closes all the same.
    void Save();
    // The four lists read back from "UserCard.Txt".
    void Load();

    const model::TUserCardNames& Names() const { return names_; }
    // The step being fetched, 0..19.
    int Step() const { return step_; }
    // Names received so far, the skipped steps of a missing card counted.
    int MessageCount() const { return messageCount_; }

    forms::TLabel& Label1;
    forms::TGauge& Gauge1;
    forms::TBitBtn& cancelBtn;
    platform::core::TTimer& Timer1;

private:
    void FormShow(forms::TObject* Sender);
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);
    void cancelBtnClick(forms::TObject* Sender);
    // Requests the step's 16 names and starts the wait; a press on Cancel waiting in the queue
    // stops the fetch first, and with the ports closed nothing is sent.
    void SendMsg();
    void OnSysExMidiInput();
    void Timer1Timer(forms::TObject* Sender);
    // The step has all its names: the next one requested, or after the last the lists saved.
    void StepDone();
    void ShowGauge();
    platform::core::TStringList& StepList();

    model::TUserCardNames names_;
    int step_ = 0;
    int messageCount_ = 0;
    // The message count and the length of the step's list when the step started.
    int savedCount_ = 0;
    int stepStart_ = 0;
    int stepCount_ = 0;
    bool running_ = false;
    std::unique_ptr<model::TInputHandlerGuard> guard_;
};

// The name fetch window while it lives; null before start-up made it and after it went.
TFormUpdateNames* FormUpdateNames();

} // namespace app
