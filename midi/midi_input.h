#pragma once
// The MIDI input port: one input device, chosen by id or product name. The driver's thread
// appends each event to a fixed ring and posts to the notify window; there, on the
// user-interface thread, OnMidiInput fires and its handler pulls the events with ReadEvent.
// System-exclusive bytes arrive in a pool of buffers queued at the driver, one event per
// filled buffer; each buffer goes back to the driver as soon as its event has been read.

#include "midi/event_ring.h"
#include "midi/midi_callback.h"
#include "midi/midi_event.h"
#include "midi/midi_header.h"
#include "platform/core/component.h"
#include "platform/core/exception.h"
#include "platform/core/window_handle.h"
#include "platform/midi/midi_services.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace midi {

class EMidiInputError : public platform::core::Exception {
public:
    using Exception::Exception;
};

// The driver's text for a result; "Specified error number is out of range" for one it does
// not know.
std::string MidiInputErrorText(platform::midi::MMRESULT code);

class TMidiInput : public platform::core::TComponent {
public:
    // Selects device 0 when there is one.
    explicit TMidiInput(platform::core::TComponent* owner);
    ~TMidiInput() override;

    std::string ProductName() const { return caps_.szPname; }
    void SetProductName(const std::string& name);
    int DeviceID() const { return deviceId_; }
    void SetDeviceID(int id);
    // Ring entries; takes effect at the next Open.
    std::uint16_t Capacity() const { return capacity_; }
    void SetCapacity(std::uint16_t capacity) { capacity_ = capacity; }
    // The last driver result.
    platform::midi::MMRESULT Error() const { return error_; }
    std::uint16_t SysexBufferSize() const { return sysexBufferSize_; }
    void SetSysexBufferSize(std::uint16_t size);
    std::uint16_t SysexBufferCount() const { return sysexBufferCount_; }
    void SetSysexBufferCount(std::uint16_t count);
    bool SysexOnly() const { return sysexOnly_; }
    // Takes effect at once, even while open.
    void SetSysexOnly(bool value);

    platform::core::TNotifyEvent OnMidiInput;
    // An event was lost because the ring was full.
    platform::core::TNotifyEvent OnOverflow;

    // Opens without starting. False, raising nothing, when the device cannot be opened or
    // does not take the buffers; the device is then closed again (Error tells why).
    bool Open();
    void Start();
    void Close();
    // Open, and the device is still there: false once the sound system behind it has gone, and
    // while the port at its other end has gone.
    bool Connected() const;
    // As TMidiOutput's.
    platform::midi::Link LinkState() const;
    platform::midi::Link Relink();
    std::uint16_t PendingCount() const;
    // The oldest event, or null when closed or when nothing is waiting.
    std::unique_ptr<TMyMidiEvent> ReadEvent();

private:
    void NotifyWndProc(platform::core::TMessage& message);
    void Check(platform::midi::MMRESULT result);
    platform::midi::MIDIINCAPSA CapsOf(int id);
    platform::midi::MMRESULT CreateSysexBuffers();
    platform::midi::MMRESULT QueueSysexBuffers();
    platform::midi::MMRESULT FreeSysexBuffers();
    void RequeueLostBuffers();

    std::uint16_t numDevs_ = 0;
    std::unique_ptr<platform::core::MessageWindow> window_;
    platform::midi::HMIDIIN handle_{};
    bool open_ = false;
    platform::midi::MMRESULT error_ = platform::midi::MMSYSERR_NOERROR;
    std::unique_ptr<EventRing> ring_;
    std::unique_ptr<MidiCallbackRecord> record_;
    std::vector<std::unique_ptr<TMyMidiHdr>> sysexBuffers_;
    platform::midi::MIDIINCAPSA caps_;
    int deviceId_ = 0;
    std::uint16_t capacity_ = 1024;
    std::uint16_t sysexBufferSize_ = 4096;
    std::uint16_t sysexBufferCount_ = 16;
    bool sysexOnly_ = false;
};

} // namespace midi
