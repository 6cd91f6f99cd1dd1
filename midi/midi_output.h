#pragma once
// The MIDI output port: one output device, chosen by id or product name, through which short
// and system-exclusive messages go to the instrument. Sending never waits: each long message
// keeps its own copy until the driver reports it done on the notify window.

#include "midi/midi_callback.h"
#include "midi/midi_event.h"
#include "midi/midi_header.h"
#include "platform/core/component.h"
#include "platform/core/exception.h"
#include "platform/core/window_handle.h"
#include "platform/midi/midi_services.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace midi {

class EmidioutputError : public platform::core::Exception {
public:
    using Exception::Exception;
};

// The driver's text for a result; "Specified error number is out of range" for one it does
// not know.
std::string MidiOutputErrorText(platform::midi::MMRESULT code);

class TMidiOutput : public platform::core::TComponent {
public:
    explicit TMidiOutput(platform::core::TComponent* owner);
    ~TMidiOutput() override;

    std::string ProductName() const { return caps_.szPname; }
    // Picks the first device, the mapper (-1) included, whose name is exactly this one.
    void SetProductName(const std::string& name);
    int DeviceID() const { return deviceId_; }
    // -1 is the mapper.
    void SetDeviceID(int id);

    // After each long message is done.
    platform::core::TNotifyEvent Onmidioutput;

    // False, raising nothing, when the device cannot be opened (busy, gone).
    virtual bool Open();
    // False when it was not open.
    virtual bool Close();
    // Open, and the device is still there: false once the sound system behind it has gone, when
    // only closing and opening again brings it back, and while the port at its other end has gone.
    bool Connected() const;
    // What stands at the other end; SystemGone when not open.
    platform::midi::Link LinkState() const;
    // Connects again to the device's port when it is there again; the link after.
    platform::midi::Link Relink();
    // Long messages sent that the sound system may still lose (midiOutUndelivered).
    int Undelivered() const;
    virtual void SendEvent(const TMyMidiEvent& event);
    virtual void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // The caller may reuse its bytes as soon as this returns.
    virtual void SendLong(const std::uint8_t* data, std::uint16_t length);

private:
    void NotifyWndProc(platform::core::TMessage& message);
    void Check(platform::midi::MMRESULT result);
    platform::midi::MIDIOUTCAPSA CapsOf(int id);

    std::uint16_t numDevs_ = 0;
    std::unique_ptr<platform::core::MessageWindow> window_;
    platform::midi::HMIDIOUT handle_{};
    bool open_ = false;
    platform::midi::MMRESULT error_ = platform::midi::MMSYSERR_NOERROR;
    std::unique_ptr<MidiCallbackRecord> record_;
    platform::midi::MIDIOUTCAPSA caps_;
    int deviceId_ = 0;
    // Long messages between SendLong and their done message.
    std::map<platform::midi::MIDIHDR*, std::unique_ptr<TMyMidiHdr>> inFlight_;
};

} // namespace midi
