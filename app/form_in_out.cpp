#include "app/form_in_out.h"

#include "model/program/quintaron.h"
#include "platform/forms/place_control.h"

namespace app {

namespace {

constexpr int LowestDeviceID = 17;
constexpr int HighestDeviceID = 32;

void ListDevices(forms::TListBox& list, const std::vector<std::string>& devices) {
    list.Clear();
    for (const std::string& name : devices)
        list.Items().Add(name);
    list.SetItemIndex(0);
}

} // namespace

TFormInOut::TFormInOut(forms::TComponent* owner)
    : TForm(owner), Panel2(forms::PlaceControl<forms::TPanel>(*this, *this, 8, 8, 314, 120)),
      Label2(forms::PlaceControl<forms::TLabel>(*this, Panel2, 8, 4, 60, 13, "Midi Input")),
      Label3(forms::PlaceControl<forms::TLabel>(*this, Panel2, 160, 4, 60, 13, "Midi Output")),
      InputPort(forms::PlaceControl<forms::TListBox>(*this, Panel2, 8, 20, 146, 92)),
      OutputPort(forms::PlaceControl<forms::TListBox>(*this, Panel2, 160, 20, 146, 92)),
      Panel1(forms::PlaceControl<forms::TPanel>(*this, *this, 8, 180, 314, 40)),
      CancelBtn(forms::PlaceControl<forms::TBitBtn>(*this, Panel1, 232, 8, 75, 25)),
      OkBtn(forms::PlaceControl<forms::TBitBtn>(*this, Panel1, 150, 8, 75, 25)),
      Panel3(forms::PlaceControl<forms::TPanel>(*this, *this, 8, 136, 200, 36)),
      Label1(forms::PlaceControl<forms::TLabel>(*this, Panel3, 8, 11, 90, 13, "Device Identifier")),
      SpinDeviceID(forms::PlaceControl<forms::TSpinEdit>(*this, Panel3, 120, 7, 60, 21)),
      panel(forms::PlaceControl<forms::TPanel>(*this, *this, 216, 136, 106, 36)),
      MidiThrue(forms::PlaceControl<forms::TCheckBox>(*this, panel, 8, 9, 90, 17, " Midi Thru")) {
    SetCaption("Midi Settings");
    SetBorderStyle(forms::bsDialog);
    Position = forms::poScreenCenter;
    SetClientWidth(330);
    SetClientHeight(228);
    CancelBtn.SetKind(forms::bkCancel);
    OkBtn.SetKind(forms::bkOK);
    OkBtn.SetCaption("Ok");
    SpinDeviceID.SetMinValue(LowestDeviceID);
    SpinDeviceID.SetMaxValue(HighestDeviceID);
    SpinDeviceID.SetValue(LowestDeviceID);

    OnCreate = [this](forms::TObject* sender) { FormCreate(sender); };
    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OkBtn.OnClick = [this](forms::TObject* sender) { OkBtnClick(sender); };
}

void TFormInOut::FormCreate(forms::TObject*) {
    HelpContext = 30;
    if (model::AppState() == nullptr) return;
    model::TMidiConnection& midi = model::AppState()->Midi;
    midi.Create();
    ListDevices(InputPort, midi.InputDevices());
    ListDevices(OutputPort, midi.OutputDevices());
}

void TFormInOut::FormShow(forms::TObject*) {
    if (model::AppState() == nullptr) return;
    const model::TConfig& config = model::AppState()->Config;
    model::TMidiConnection& midi = model::AppState()->Midi;
    // Devices come and go (a sound server started or stopped since the last showing).
    midi.ListDevices();
    ListDevices(InputPort, midi.InputDevices());
    ListDevices(OutputPort, midi.OutputDevices());
    // A port number of a device that is gone selects nothing.
    InputPort.SetItemIndex(midi.InPortIndex());
    OutputPort.SetItemIndex(midi.OutPortIndex());
    SpinDeviceID.SetValue(config.DeviceID);
    MidiThrue.SetChecked(config.Thrue == 1);
}

void TFormInOut::OkBtnClick(forms::TObject*) {
    if (model::AppState() == nullptr) return;
    model::TConfig& config = model::AppState()->Config;
    model::TMidiConnection& midi = model::AppState()->Midi;
    // Without a selection (the configured device is gone) the port stays as configured. The
    // name is kept beside the number: it finds the port wherever it stands in a later list.
    const auto choose = [](const forms::TListBox& list, const std::vector<std::string>& devices,
                           std::int32_t& number, std::string& name) {
        const int index = list.ItemIndex();
        if (index < 0 || index >= static_cast<int>(devices.size())) return;
        number = index;
        name = devices[static_cast<std::size_t>(index)];
    };
    choose(InputPort, midi.InputDevices(), config.InPort, config.InPortName);
    choose(OutputPort, midi.OutputDevices(), config.OutPort, config.OutPortName);
    config.DeviceID = SpinDeviceID.Value();
    config.Thrue = MidiThrue.Checked() ? 1 : 0;
    // Also when the ports were closed (no MIDI system at start-up, or its server stopped): the
    // ports chosen now open, so that sending and receiving work without a restart.
    midi.UsePorts();
    SetModalResult(forms::mrOk);
    config.Save();
}

} // namespace app
