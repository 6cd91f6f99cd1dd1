#include "model/program/midi_connection.h"

#include "model/program/config.h"
#include "model/program/dialog_services.h"
#include "platform/core/exception.h"
#include "platform/midi/midi_services.h"

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
        inputDevices_.clear();
        for (pm::UINT id = 0; id < pm::midiInGetNumDevs(); ++id) {
            input_->SetDeviceID(static_cast<int>(id));
            inputDevices_.push_back(input_->ProductName());
        }
        outputDevices_.clear();
        for (pm::UINT id = 0; id < pm::midiOutGetNumDevs(); ++id) {
            output_->SetDeviceID(static_cast<int>(id));
            outputDevices_.push_back(output_->ProductName());
        }
        failure = OpenPorts(config_.InPort, config_.OutPort);
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

bool TMidiConnection::OpenDevs() {
    if (OnDevs) OnDevs(true);
    const std::string failure = OpenPorts(config_.InPort, config_.OutPort);
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

std::string TMidiConnection::OpenPorts(int inPort, int outPort) {
    if (!input_ || !output_) return NoMidiSystem;
    std::string failure;
    try {
        if (inPort < 0 || inPort >= static_cast<int>(inputDevices_.size()))
            failure = "There is no MIDI input device " + std::to_string(inPort) + ".";
        else if (outPort < 0 || outPort >= static_cast<int>(outputDevices_.size()))
            failure = "There is no MIDI output device " + std::to_string(outPort) + ".";
        if (failure.empty()) {
            input_->SetProductName(inputDevices_[static_cast<std::size_t>(inPort)]);
            output_->SetProductName(outputDevices_[static_cast<std::size_t>(outPort)]);
            if (!input_->Open()) {
                failure = midi::MidiInputErrorText(input_->Error());
            } else {
                input_->Start();
                if (!output_->Open())
                    failure = "The MIDI output device " +
                              outputDevices_[static_cast<std::size_t>(outPort)] +
                              " cannot be opened.";
            }
        }
    } catch (const pc::Exception& e) {
        failure = e.Message();
    }
    if (!failure.empty()) ClosePorts();
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
