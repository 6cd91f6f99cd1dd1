#include "midi/midi_input.h"

#include "midi/driver_devices.h"
#include "platform/core/message_loop.h"

namespace midi {

using namespace platform::midi;
using platform::core::csDesigning;
using platform::core::csLoading;
using platform::core::MessageWindow;
using platform::core::TMessage;
using platform::core::WM_USER;

std::string MidiInputErrorText(MMRESULT code) {
    return DriverErrorText(&midiInGetErrorTextA, code);
}

TMidiInput::TMidiInput(platform::core::TComponent* owner) : TComponent(owner) {
    numDevs_ = static_cast<std::uint16_t>(midiInGetNumDevs());
    // Without any input device the port stays unusable rather than failing its owner's
    // construction; Open then reports the failure.
    if (numDevs_ > 0) SetDeviceID(0);
    if (!(ComponentState() & csDesigning))
        window_ = std::make_unique<MessageWindow>([this](TMessage& m) { NotifyWndProc(m); });
}

TMidiInput::~TMidiInput() {
    if (handle_ != HMIDIIN{}) {
        try {
            Close();
        } catch (const EMidiInputError&) {
            // Going away regardless.
        }
    }
    record_.reset();
    window_.reset();
}

void TMidiInput::Check(MMRESULT result) {
    error_ = result;
    if (result != MMSYSERR_NOERROR) throw EMidiInputError(MidiInputErrorText(result));
}

void TMidiInput::SetDeviceID(int id) {
    if (open_) throw EMidiInputError("Change to DeviceID while device was open");
    if (id < 0 || id >= numDevs_) throw EMidiInputError("Invalid device ID");
    caps_ = CapsOf(id);
    deviceId_ = id;
}

void TMidiInput::SetProductName(const std::string& name) {
    if (open_) throw EMidiInputError("Change to ProductName while device was open");
    if (ComponentState() & csLoading) return;
    auto id =
        FindDeviceNamed(name, 0, numDevs_, [this](int candidate) { return CapsOf(candidate); });
    if (!id) throw EMidiInputError("MIDI Input Device " + name + " not installed ");
    SetDeviceID(*id);
}

MIDIINCAPSA TMidiInput::CapsOf(int id) {
    MIDIINCAPSA caps;
    Check(midiInGetDevCapsA(static_cast<UINT>(id), &caps));
    return caps;
}

void TMidiInput::SetSysexBufferSize(std::uint16_t size) {
    if (open_) throw EMidiInputError("Change to SysexBufferSize while device was open");
    sysexBufferSize_ = size;
}

void TMidiInput::SetSysexBufferCount(std::uint16_t count) {
    if (open_) throw EMidiInputError("Change to SysexBuffercount while device was open");
    sysexBufferCount_ = count;
}

void TMidiInput::SetSysexOnly(bool value) {
    sysexOnly_ = value;
    if (record_) record_->SysexOnly.store(value);
}

MMRESULT TMidiInput::CreateSysexBuffers() {
    if (sysexBufferSize_ == 0 || sysexBufferCount_ == 0) return MMSYSERR_NOERROR;
    for (std::uint16_t i = 0; i < sysexBufferCount_; ++i) {
        auto buffer = std::make_unique<TMyMidiHdr>(sysexBufferSize_);
        buffer->Header()->dwUser = reinterpret_cast<DWORD_PTR>(buffer.get());
        MMRESULT result = midiInPrepareHeader(handle_, buffer->Header());
        if (result != MMSYSERR_NOERROR) return result;
        sysexBuffers_.push_back(std::move(buffer));
    }
    return MMSYSERR_NOERROR;
}

MMRESULT TMidiInput::QueueSysexBuffers() {
    for (auto& buffer : sysexBuffers_) {
        MMRESULT result = midiInAddBuffer(handle_, buffer->Header());
        if (result != MMSYSERR_NOERROR) return result;
    }
    return MMSYSERR_NOERROR;
}

MMRESULT TMidiInput::FreeSysexBuffers() {
    MMRESULT first = MMSYSERR_NOERROR;
    for (auto& buffer : sysexBuffers_) {
        MMRESULT result = midiInUnprepareHeader(handle_, buffer->Header());
        if (first == MMSYSERR_NOERROR) first = result;
    }
    sysexBuffers_.clear();
    return first;
}

bool TMidiInput::Open() {
    // Opening again would fail as busy and free the ring the open device writes to.
    if (open_) return true;
    if (!ring_) ring_ = EventRingCreate(capacity_);
    if (!record_) record_ = std::make_unique<MidiCallbackRecord>();
    record_->Ring = ring_.get();
    record_->Window = window_ ? window_->Handle() : platform::core::NullHWnd;
    record_->SysexOnly.store(sysexOnly_);
    record_->LostBufferSlots = sysexBufferSize_ == 0 ? 0 : sysexBufferCount_;
    record_->LostBuffers = std::make_unique<std::atomic<MIDIHDR*>[]>(record_->LostBufferSlots);

    error_ = midiInOpen(&handle_, static_cast<UINT>(deviceId_), &MidiInputCallback,
                        reinterpret_cast<DWORD_PTR>(record_.get()));
    if (error_ == MMSYSERR_NOERROR) error_ = CreateSysexBuffers();
    if (error_ == MMSYSERR_NOERROR) error_ = QueueSysexBuffers();
    if (error_ != MMSYSERR_NOERROR) {
        // The device must not stay open behind a port that says it is closed: the next Open
        // would find it busy.
        if (handle_ != HMIDIIN{}) {
            midiInReset(handle_);
            FreeSysexBuffers();
            midiInClose(handle_);
            handle_ = HMIDIIN{};
        }
        sysexBuffers_.clear();
        ring_.reset();
        record_.reset();
        return false;
    }
    open_ = true;
    return true;
}

void TMidiInput::Start() {
    if (open_) Check(midiInStart(handle_));
}

bool TMidiInput::Connected() const {
    return LinkState() == Link::Connected;
}

Link TMidiInput::LinkState() const {
    return open_ ? midiInLink(handle_) : Link::SystemGone;
}

Link TMidiInput::Relink() {
    return open_ ? midiInRelink(handle_) : Link::SystemGone;
}

void TMidiInput::Close() {
    if (!open_) return;
    open_ = false;
    // Every step runs even when one fails, so that the device is released; the first
    // failure is reported.
    MMRESULT result = midiInReset(handle_);
    MMRESULT freed = FreeSysexBuffers();
    if (result == MMSYSERR_NOERROR) result = freed;
    MMRESULT closed = midiInClose(handle_);
    if (result == MMSYSERR_NOERROR) result = closed;
    handle_ = HMIDIIN{};
    if (record_) record_->Ring = nullptr;
    ring_.reset();
    Check(result);
}

std::uint16_t TMidiInput::PendingCount() const {
    return open_ && ring_ ? ring_->Count() : 0;
}

std::unique_ptr<TMyMidiEvent> TMidiInput::ReadEvent() {
    if (!open_ || !ring_) return nullptr;
    EventRingEntry entry;
    if (!EventRingRead(*ring_, entry)) return nullptr;
    auto event = std::make_unique<TMyMidiEvent>();
    event->Time = entry.Time;
    if (MIDIHDR* header = entry.Header) {
        event->Status = 0xF0;
        event->SysexLength = static_cast<std::uint16_t>(header->dwBytesRecorded);
        event->Sysex.assign(header->lpData, header->lpData + event->SysexLength);
        // Removed before the buffer goes back, so that a failure cannot hand out the same
        // bytes twice.
        EventRingRemove(*ring_);
        MMRESULT result = midiInPrepareHeader(handle_, header);
        if (result == MMSYSERR_NOERROR) result = midiInAddBuffer(handle_, header);
        Check(result);
        return event;
    }
    event->Status = static_cast<std::uint8_t>(entry.Message);
    event->Data1 = static_cast<std::uint8_t>(entry.Message >> 8);
    event->Data2 = static_cast<std::uint8_t>(entry.Message >> 16);
    EventRingRemove(*ring_);
    return event;
}

void TMidiInput::RequeueLostBuffers() {
    if (!record_) return;
    for (std::size_t i = 0; i < record_->LostBufferSlots; ++i) {
        if (MIDIHDR* header = record_->LostBuffers[i].exchange(nullptr))
            midiInAddBuffer(handle_, header);
    }
}

void TMidiInput::NotifyWndProc(TMessage& message) {
    if (message.Msg == MIM_DATA) {
        if (!open_ || PendingCount() == 0) return;
        // A copy: the handler may install another one.
        if (auto handler = OnMidiInput) handler(this);
    } else if (message.Msg == WM_USER) {
        if (!open_) return;
        RequeueLostBuffers();
        if (auto handler = OnOverflow) handler(this);
    }
}

} // namespace midi
