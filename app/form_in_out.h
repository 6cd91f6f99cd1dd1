#pragma once
// The MIDI ports dialog ("Midi Settings"): it edits the application state's MIDI connection,
// the port choice, the device identifier and thru. Created once at start-up, which has the
// connection list the devices and open the ports.

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
};

} // namespace app
