#pragma once
// The modal dialog that shows the progress of every transmission and reception of system-
// exclusive data. It owns none of the transfer: the data model resets it, feeds it the counts,
// runs its time-out and re-request timers and sets its done flag. Closing it, whoever closes
// it, stops the timers and gives the MIDI input back to the default handler. Created once and
// reused.

#include "app/transfer_progress.h"
#include "model/transfer/transfer_window.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/gauges.h"
#include "platform/forms/std_ctrls.h"

#include <string>

namespace app {

namespace forms = platform::forms;

class TFormTransmet : public forms::TForm, public model::TTransferWindow {
public:
    explicit TFormTransmet(forms::TComponent* owner);

    void Start(int startNumber, int totalMessages, const std::string& elemLabel,
               const std::string& operation) override;
    void SetTransmetting() override;
    void AddSended(int bytes, int messages) override;
    void AddReceived(int bytes, int messages) override;
    void AddElem(int n) override;
    void Repaint() override { forms::TForm::Repaint(); }
    bool Done() const override { return done_; }
    void SetDone(bool value) override { done_ = value; }
    platform::core::TTimer& Timer() override { return timer_; }
    platform::core::TTimer& TimerCleanup() override { return timerCleanup_; }
    void ShowModal() override { forms::TForm::ShowModal(); }
    void Close() override;

    const TTransferProgress& Progress() const { return progress_; }

    forms::TPanel& panel;
    forms::TPanel& Panel1;
    forms::TGauge& Gauge;
    forms::TPanel& Panel3;
    forms::TBitBtn& BitBtn1;
    forms::TGroupBox& GroupBox1;
    forms::TGroupBox& GroupBox2;
    forms::TLabel& LabelByteSended;
    forms::TLabel& LabelMessageSended;
    forms::TLabel& LabelBytereceived;
    forms::TLabel& LabelMessageReceived;
    forms::TLabel& Label1;
    forms::TLabel& Label5;
    forms::TLabel& Label2;
    forms::TLabel& Label6;
    forms::TGroupBox& GroupBox3;
    forms::TLabel& LabelReceiving;
    forms::TGroupBox& GroupBox4;
    forms::TLabel& LabelElem;
    forms::TLabel& LabelElemNum;

private:
    void FormShow(forms::TObject* Sender);
    void FormActivate(forms::TObject* Sender);
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);
    void BitBtn1Click(forms::TObject* Sender);
    // The gauge follows the messages of the layout shown.
    void ShowPosition();
    void StopTimers();

    platform::core::TTimer& timer_;
    platform::core::TTimer& timerCleanup_;
    TTransferProgress progress_;
    bool done_ = false;
};

} // namespace app
