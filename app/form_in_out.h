#pragma once
// The MIDI ports dialog ("Midi Settings"): it holds the program's only MIDI input and output
// components, lists the devices, opens and closes the ports, and edits the port choice, the
// device identifier and thru. Every other part of the program reaches the ports through it.
// Created once at start-up, which lists the devices and opens the ports.

#include "app/midi_ports.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/spin.h"
#include "platform/forms/std_ctrls.h"

namespace app {

namespace forms = platform::forms;

class TFormInOut : public forms::TForm {
public:
    explicit TFormInOut(forms::TComponent* owner);

    // The configured ports; see TMidiPorts.
    void OpenDevs() { ports_.OpenDevs(); }
    void CloseDevs() { ports_.CloseDevs(); }
    TMidiPorts& Ports() { return ports_; }

    forms::TPanel& Panel2;
    forms::TLabel& Label2;
    forms::TLabel& Label3;
    forms::TListBox& InputPort;
    forms::TListBox& OutputPort;
    forms::TPanel& Panel1;
    forms::TBitBtn& CancelBtn;
    forms::TBitBtn& OkBtn;
    forms::TPanel& Panel3;
    forms::TLabel& Label1;
    forms::TSpinEdit& SpinDeviceID;
    forms::TPanel& panel;
    forms::TCheckBox& MidiThrue;

private:
    void FormCreate(forms::TObject* Sender);
    void FormShow(forms::TObject* Sender);
    void OkBtnClick(forms::TObject* Sender);

    TMidiPorts ports_;
};

} // namespace app
