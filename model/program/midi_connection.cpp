#include "model/program/midi_connection.h"

#include "model/program/config.h"
#include "model/program/dialog_services.h"
#include "platform/core/exception.h"
#include "platform/midi/midi_services.h"

#include <algorithm>

namespace model {

namespace pc = platform::core;
namespace pm = platform::midi;

TMidiConnection::TMidiConnection(const TConfig& config) : config_(config) {}

TMidiConnection::~TMidiConnection() {
    if (online_) ClosePorts();
}

void TMidiConnection::Create() {
    online_ = false;
    std::string failure;
    try {
        input_ = std::make_unique<midi::TMidiInput>(nullptr);
        output_ = std::make_unique<midi::TMidiOutput>(nullptr);
        ListDevices();
        failure = OpenConfiguredPorts();
    } catch (const pc::Exception& e) {
        failure = e.Message();
    }
    if (!failure.empty()) {
        MessageDlg(NoMidiSystem, TMsgDlgType::mtError, mbOK);
        return;
    }
    InstallDefaultMidiInput();
    online_ = true;
}

namespace {

// Counting asks the sound system once; each name is then read from that list.
template <class Caps>
std::vector<std::string> DeviceNames(pm::UINT (*count)(), pm::MMRESULT (*capsOf)(pm::UINT, Caps*)) {
    std::vector<std::string> names;
    const pm::UINT devices = count();
    for (pm::UINT id = 0; id < devices; ++id) {
        Caps caps;
        if (capsOf(id, &caps) == pm::MMSYSERR_NOERROR) names.push_back(caps.szPname);
    }
    return names;
}

int IndexOf(const std::vector<std::string>& devices, const std::string& name, int otherwise) {
    const auto it = std::find(devices.begin(), devices.end(), name);
    return it != devices.end() ? static_cast<int>(it - devices.begin()) : otherwise;
}

// The list position the settings choose: the port of the stored name wherever it stands, else
// the stored number.
int Chosen(const std::vector<std::string>& devices, const std::string& name, int number) {
    return name.empty() ? number : IndexOf(devices, name, number);
}

std::string Listed(const std::vector<std::string>& devices, int port) {
    return port >= 0 && port < static_cast<int>(devices.size())
               ? devices[static_cast<std::size_t>(port)]
               : std::string();
}

} // namespace

std::string PortGone(const std::string& port) {
    return "The instrument's port has gone: " + port +
           ". The connection is made again once it is back.";
}

void TMidiConnection::ListDevices() {
    if (!input_ || !output_) return;
    inputDevices_ = DeviceNames(&pm::midiInGetNumDevs, &pm::midiInGetDevCapsA);
    outputDevices_ = DeviceNames(&pm::midiOutGetNumDevs, &pm::midiOutGetDevCapsA);
}

int TMidiConnection::InPortIndex() const {
    const int chosen = Chosen(inputDevices_, config_.InPortName, config_.InPort);
    if (online_ && Connected()) return IndexOf(inputDevices_, inName_, chosen);
    return chosen;
}

int TMidiConnection::OutPortIndex() const {
    const int chosen = Chosen(outputDevices_, config_.OutPortName, config_.OutPort);
    if (online_ && Connected()) return IndexOf(outputDevices_, outName_, chosen);
    return chosen;
}

bool TMidiConnection::Connected() const {
    return input_ && output_ && input_->Connected() && output_->Connected();
}

std::string TMidiConnection::Trouble() const {
    namespace pm = platform::midi;
    if (!input_ || !output_) return PortsGone;
    const pm::Link in = input_->LinkState();
    const pm::Link out = output_->LinkState();
    if (in == pm::Link::SystemGone || out == pm::Link::SystemGone) return PortsGone;
    if (out == pm::Link::PeerGone) return PortGone(outName_);
    if (in == pm::Link::PeerGone) return PortGone(inName_);
    return {};
}

bool TMidiConnection::UsePorts() {
    const bool same =
        inName_ ==
            Listed(inputDevices_, Chosen(inputDevices_, config_.InPortName, config_.InPort)) &&
        outName_ ==
            Listed(outputDevices_, Chosen(outputDevices_, config_.OutPortName, config_.OutPort));
    if (online_ && same && Reconnect()) return true;
    if (online_) CloseDevs();
    online_ = OpenDevs();
    return online_;
}

bool TMidiConnection::Reconnect() {
    if (!online_ || !input_ || !output_) return false;
    if (Connected()) return true;
    // With the system there only the instrument's ports went: the ports follow them by name.
    if (input_->Relink() != platform::midi::Link::SystemGone &&
        output_->Relink() != platform::midi::Link::SystemGone)
        return Connected();
    // Copies: opening makes the names anew.
    const std::string inName = inName_;
    const std::string outName = outName_;
    ClosePorts();
    ListDevices();
    return OpenPortsNamed(inName, outName).empty();
}

bool TMidiConnection::OpenDevs() {
    if (OnDevs) OnDevs(true);
    const std::string failure = OpenConfiguredPorts();
    if (!failure.empty()) {
        // Senders obey Online; with a port closed every message would fail.
        online_ = false;
        MessageDlg(std::string(PortsNotOpened) + " " + failure, TMsgDlgType::mtError, mbOK);
        return false;
    }
    InstallDefaultMidiInput();
    return true;
}

void TMidiConnection::CloseDevs() {
    if (OnDevs) OnDevs(false);
    if (online_) ClosePorts();
}

std::string TMidiConnection::OpenConfiguredPorts() {
    // A port chosen by name that is not there now is missing, whatever stands at its number.
    if (!config_.InPortName.empty() && IndexOf(inputDevices_, config_.InPortName, -1) < 0)
        return "The MIDI input port " + config_.InPortName + " is missing.";
    if (!config_.OutPortName.empty() && IndexOf(outputDevices_, config_.OutPortName, -1) < 0)
        return "The MIDI output port " + config_.OutPortName + " is missing.";
    return OpenPorts(Chosen(inputDevices_, config_.InPortName, config_.InPort),
                     Chosen(outputDevices_, config_.OutPortName, config_.OutPort));
}

std::string TMidiConnection::OpenPorts(int inPort, int outPort) {
    if (!input_ || !output_) return NoMidiSystem;
    if (inPort < 0 || inPort >= static_cast<int>(inputDevices_.size()))
        return "There is no MIDI input device " + std::to_string(inPort) + ".";
    if (outPort < 0 || outPort >= static_cast<int>(outputDevices_.size()))
        return "There is no MIDI output device " + std::to_string(outPort) + ".";
    return OpenPortsNamed(inputDevices_[static_cast<std::size_t>(inPort)],
                          outputDevices_[static_cast<std::size_t>(outPort)]);
}

std::string TMidiConnection::OpenPortsNamed(const std::string& inName, const std::string& outName) {
    if (!input_ || !output_) return NoMidiSystem;
    std::string failure;
    try {
        // Fresh components count the devices there are now, as each does when it is made, and
        // open on fresh connections; the input's handler stays whose it was.
        ClosePorts();
        pc::TNotifyEvent handler = std::move(input_->OnMidiInput);
        input_ = std::make_unique<midi::TMidiInput>(nullptr);
        input_->OnMidiInput = std::move(handler);
        output_ = std::make_unique<midi::TMidiOutput>(nullptr);
        input_->SetProductName(inName);
        output_->SetProductName(outName);
        if (!input_->Open()) {
            failure = midi::MidiInputErrorText(input_->Error());
        } else {
            input_->Start();
            if (!output_->Open())
                failure = "The MIDI output device " + outName + " cannot be opened.";
        }
    } catch (const pc::Exception& e) {
        failure = e.Message();
    }
    if (failure.empty()) {
        inName_ = inName;
        outName_ = outName;
    } else {
        ClosePorts();
    }
    return failure;
}

void TMidiConnection::ClosePorts() {
    // Each port lets its device go even when closing reports a failure, and the other must
    // still be closed.
    try {
        if (output_) output_->Close();
    } catch (const pc::Exception&) {
    }
    try {
        if (input_) input_->Close();
    } catch (const pc::Exception&) {
    }
}

void TMidiConnection::InstallDefaultMidiInput() {
    if (!input_) return;
    input_->OnMidiInput = [this](pc::TObject*) {
        if (DefaultHandler)
            DefaultHandler();
        else
            DefaultMidiInput();
    };
}

void TMidiConnection::DefaultMidiInput() {
    if (!online_ || !input_) return;
    // Everything waiting: events left by a handler that was taken away must not hold back the
    // ones behind them (a note-off would sound late).
    while (std::unique_ptr<midi::TMyMidiEvent> event = input_->ReadEvent()) {
        const bool thru = config_.Thrue == 1;
        if (thru && event->Sysex.empty()) output_->SendEvent(*event);
        if (OnMonitor) OnMonitor(*event, thru);
    }
}

} // namespace model
