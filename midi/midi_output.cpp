#include "midi/midi_output.h"

#include "midi/driver_devices.h"

#include <algorithm>
#include <cstring>

namespace midi {

using namespace platform::midi;
using platform::core::csDesigning;
using platform::core::csLoading;
using platform::core::MessageWindow;
using platform::core::TMessage;

namespace {

UINT DriverId(int id) {
    return id == -1 ? MIDI_MAPPER : static_cast<UINT>(id);
}

} // namespace

std::string MidiOutputErrorText(MMRESULT code) {
    return DriverErrorText(&midiOutGetErrorTextA, code);
}

TMidiOutput::TMidiOutput(platform::core::TComponent* owner) : TComponent(owner) {
    numDevs_ = static_cast<std::uint16_t>(midiOutGetNumDevs());
    if (!(ComponentState() & csDesigning))
        window_ = std::make_unique<MessageWindow>([this](TMessage& m) { NotifyWndProc(m); });
}

TMidiOutput::~TMidiOutput() {
    if (open_) {
        try {
            Close();
        } catch (const EmidioutputError&) {
            // Going away regardless; the device is released either way.
        }
    }
    record_.reset();
    window_.reset();
}

void TMidiOutput::Check(MMRESULT result) {
    error_ = result;
    if (result != MMSYSERR_NOERROR) throw EmidioutputError(MidiOutputErrorText(result));
}

void TMidiOutput::SetDeviceID(int id) {
    if (open_) throw EmidioutputError("Change to DeviceID while device was open");
    if (id < -1 || id >= numDevs_) throw EmidioutputError("Invalid device ID");
    caps_ = CapsOf(id);
    deviceId_ = id;
}

void TMidiOutput::SetProductName(const std::string& name) {
    if (open_) throw EmidioutputError("Change to ProductName while device was open");
    if (ComponentState() & csLoading) return;
    auto id =
        FindDeviceNamed(name, -1, numDevs_, [this](int candidate) { return CapsOf(candidate); });
    if (!id) throw EmidioutputError("MIDI output Device " + name + " not installed");
    SetDeviceID(*id);
}

MIDIOUTCAPSA TMidiOutput::CapsOf(int id) {
    MIDIOUTCAPSA caps;
    Check(midiOutGetDevCapsA(DriverId(id), &caps));
    return caps;
}

bool TMidiOutput::Open() {
    // Opening again would fail as busy and free the record the open device still calls with.
    if (open_) return true;
    if (!record_) record_ = std::make_unique<MidiCallbackRecord>();
    record_->Window = window_ ? window_->Handle() : platform::core::NullHWnd;
    error_ = midiOutOpen(&handle_, DriverId(deviceId_), &MidiInputCallback,
                         reinterpret_cast<DWORD_PTR>(record_.get()));
    if (error_ != MMSYSERR_NOERROR) {
        record_.reset();
        handle_ = HMIDIOUT{};
        return false;
    }
    open_ = true;
    return true;
}

bool TMidiOutput::Connected() const {
    return LinkState() == Link::Connected;
}

Link TMidiOutput::LinkState() const {
    return open_ ? midiOutLink(handle_) : Link::SystemGone;
}

Link TMidiOutput::Relink() {
    return open_ ? midiOutRelink(handle_) : Link::SystemGone;
}

int TMidiOutput::Undelivered() const {
    return open_ ? static_cast<int>(midiOutUndelivered(handle_)) : 0;
}

bool TMidiOutput::Close() {
    if (!open_) return false;
    MMRESULT result = midiOutClose(handle_);
    handle_ = HMIDIOUT{};
    open_ = false;
    Check(result);
    return true;
}

void TMidiOutput::SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    Check(midiOutShortMsg(handle_, DWORD{status} | DWORD{data1} << 8 | DWORD{data2} << 16));
}

void TMidiOutput::SendLong(const std::uint8_t* data, std::uint16_t length) {
    auto buffer = std::make_unique<TMyMidiHdr>(length);
    if (length > 0 && data) std::memcpy(buffer->Data(), data, length);
    MIDIHDR* header = buffer->Header();
    header->dwUser = reinterpret_cast<DWORD_PTR>(buffer.get());
    Check(midiOutPrepareHeader(handle_, header));
    inFlight_.emplace(header, std::move(buffer));
    MMRESULT result = midiOutLongMsg(handle_, header);
    if (result != MMSYSERR_NOERROR) {
        midiOutUnprepareHeader(handle_, header);
        inFlight_.erase(header);
        Check(result);
    }
}

void TMidiOutput::SendEvent(const TMyMidiEvent& event) {
    if (!open_) throw EmidioutputError("MIDI Output device not open");
    if (!event.Sysex.empty()) {
        auto length = std::min<std::size_t>(event.SysexLength, event.Sysex.size());
        SendLong(event.Sysex.data(), static_cast<std::uint16_t>(length));
    } else {
        SendShort(event.Status, event.Data1, event.Data2);
    }
}

void TMidiOutput::NotifyWndProc(TMessage& message) {
    if (message.Msg != MOM_DONE) return;
    auto* header = reinterpret_cast<MIDIHDR*>(message.LParam);
    auto it = inFlight_.find(header);
    if (it == inFlight_.end()) return;
    midiOutUnprepareHeader(handle_, header);
    inFlight_.erase(it);
    // A copy: the handler may install another one.
    if (auto handler = Onmidioutput) handler(this);
}

} // namespace midi
