#include "model/program/quintaron.h"

#include "model/program/dialog_services.h"

#include <cassert>

namespace model {

namespace {
TQuintaron* installed = nullptr;
}

TQuintaron::TQuintaron() {
    assert(installed == nullptr && "a second application state");
    installed = this;
}

TQuintaron::~TQuintaron() {
    if (installed == this) installed = nullptr;
}

TQuintaron* AppState() {
    return installed;
}

bool MidiReady() {
    if (installed == nullptr) return false;
    TMidiConnection& midi = installed->Midi;
    if (!midi.Online()) {
        MessageDlg(PortsNotOpened, TMsgDlgType::mtError, mbOK);
        return false;
    }
    if (midi.Reconnect()) return true;
    MessageDlg(midi.Trouble(), TMsgDlgType::mtError, mbOK);
    return false;
}

} // namespace model
