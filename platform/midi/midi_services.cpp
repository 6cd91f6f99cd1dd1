#include "platform/midi/midi_services.h"

#include "platform/core/clock.h"
#include "platform/midi/midi_backend.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

namespace platform::midi {

namespace {

const std::string MapperName = "MIDI Mapper";

struct OutputDevice {
    MidiBackend* backend = nullptr;
    std::string name;
    std::unique_ptr<OutputConnection> connection;
    std::uintptr_t handle = 0;
    MIDICALLBACK callback = nullptr;
    DWORD_PTR instance = 0;

    void Notify(UINT msg, DWORD_PTR param1) const {
        if (callback) callback(handle, msg, instance, param1, 0);
    }
};

// The driver side of an input device. Receive runs on the back end's thread; the mutex keeps
// it apart from the buffer calls of the user-interface thread.
struct InputDevice {
    MidiBackend* backend = nullptr;
    std::string name;
    std::uintptr_t handle = 0;
    MIDICALLBACK callback = nullptr;
    DWORD_PTR instance = 0;
    std::unique_ptr<InputConnection> connection;

    std::mutex mutex;
    bool started = false;
    bool closed = false;
    core::Millis startTime = 0;
    std::deque<MIDIHDR*> buffers;

    // The connection's delivery thread writes into the members above: it stops before they go,
    // also for a device still open when the process ends.
    ~InputDevice() { connection.reset(); }
    InputDevice() = default;
    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    void Notify(UINT msg, DWORD_PTR param1, DWORD_PTR param2) const {
        if (callback) callback(handle, msg, instance, param1, param2);
    }

    void Receive(const std::uint8_t* data, std::size_t length) {
        std::lock_guard lock(mutex);
        if (closed || !started || length == 0) return;
        auto time = static_cast<DWORD>(core::CurrentClock().Now() - startTime);
        if (data[0] == 0xF0) {
            ReceiveSysex(data, length, time);
        } else if (data[0] >= 0x80 && length <= 3) {
            DWORD packed = 0;
            for (std::size_t i = 0; i < length; ++i)
                packed |= DWORD{data[i]} << (8 * i);
            Notify(MIM_DATA, packed, time);
        }
    }

    // Fills the queued buffers in order; what finds no buffer is lost, as with a driver.
    void ReceiveSysex(const std::uint8_t* data, std::size_t length, DWORD time) {
        std::size_t offset = 0;
        while (offset < length && !buffers.empty()) {
            MIDIHDR* header = buffers.front();
            buffers.pop_front();
            std::size_t piece = std::min<std::size_t>(length - offset, header->dwBufferLength);
            std::memcpy(header->lpData, data + offset, piece);
            offset += piece;
            header->dwBytesRecorded = static_cast<DWORD>(piece);
            header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
            Notify(MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(header), time);
        }
    }
};

struct Services {
    std::mutex mutex;
    std::map<std::uintptr_t, std::unique_ptr<OutputDevice>> outputs;
    std::map<std::uintptr_t, std::unique_ptr<InputDevice>> inputs;
    // Handles are never reused, so a stale one cannot reach a later device.
    std::uintptr_t nextHandle = 1;

    // The latest lists, and the back end they came from.
    MidiBackend* listedFrom = nullptr;
    std::vector<std::string> inputNames;
    std::vector<std::string> outputNames;
    bool inputsListed = false;
    bool outputsListed = false;
};

Services& TheServices() {
    static Services services;
    return services;
}

// Call with the services' mutex held.
void Relist(Services& s, bool inputs, bool force) {
    MidiBackend& backend = CurrentBackend();
    if (s.listedFrom != &backend) {
        s.listedFrom = &backend;
        s.inputsListed = s.outputsListed = false;
    }
    if (inputs && (force || !s.inputsListed)) {
        s.inputNames = UniqueProductNames(backend.InputNames());
        s.inputsListed = true;
    }
    if (!inputs && (force || !s.outputsListed)) {
        s.outputNames = UniqueProductNames(backend.OutputNames());
        s.outputsListed = true;
    }
}

OutputDevice* FindOutput(Services& s, HMIDIOUT handle) {
    auto it = s.outputs.find(static_cast<std::uintptr_t>(handle));
    return it == s.outputs.end() ? nullptr : it->second.get();
}

InputDevice* FindInput(Services& s, HMIDIIN handle) {
    auto it = s.inputs.find(static_cast<std::uintptr_t>(handle));
    return it == s.inputs.end() ? nullptr : it->second.get();
}

template <class Devices>
bool InUse(const Devices& devices, MidiBackend* backend, const std::string& name) {
    return std::any_of(devices.begin(), devices.end(), [&](const auto& entry) {
        return entry.second->backend == backend && entry.second->name == name;
    });
}

std::size_t ShortMessageLength(std::uint8_t status) {
    if (status < 0xF0) return (status & 0xE0) == 0xC0 ? 2 : 3;
    switch (status) {
    case 0xF1:
    case 0xF3:
        return 2;
    case 0xF2:
        return 3;
    default:
        return 1;
    }
}

// A port whose system has gone is no device any more, one whose far port has gone is not ready;
// a connected one that refuses has no room.
MMRESULT SendFailure(const OutputDevice& device) {
    switch (device.connection->State()) {
    case Link::Connected:
        return MMSYSERR_ERROR;
    case Link::PeerGone:
        return MIDIERR_NOTREADY;
    case Link::SystemGone:
        break;
    }
    return MIDIERR_NODEVICE;
}

MMRESULT ErrorText(MMRESULT error, char* text, UINT size) {
    static const std::map<MMRESULT, const char*> texts = {
        {MMSYSERR_NOERROR, "The command completed without error."},
        {MMSYSERR_ERROR, "The MIDI driver reported an error it does not explain."},
        {MMSYSERR_BADDEVICEID, "There is no MIDI device with this device id."},
        {MMSYSERR_ALLOCATED, "The MIDI device is in use by another program or port."},
        {MMSYSERR_INVALHANDLE, "The MIDI device handle is not valid or the device is closed."},
        {MMSYSERR_NODRIVER, "No MIDI driver is installed."},
        {MMSYSERR_NOMEM, "The MIDI driver is out of memory or of buffer slots."},
        {MMSYSERR_INVALPARAM, "A parameter passed to the MIDI driver is not valid."},
        {MIDIERR_UNPREPARED, "The MIDI buffer header has not been prepared."},
        {MIDIERR_STILLPLAYING, "MIDI buffers are still queued at the device."},
        {MIDIERR_NOTREADY, "The port at the other end of the MIDI connection has gone; check the "
                           "connections."},
        {MIDIERR_NODEVICE, "No MIDI port is present; check the connections."},
    };
    auto it = texts.find(error);
    if (!text || size == 0) return MMSYSERR_INVALPARAM;
    if (it == texts.end()) {
        text[0] = '\0';
        return MMSYSERR_BADERRNUM;
    }
    std::size_t n = std::min<std::size_t>(std::strlen(it->second), size - 1);
    std::memcpy(text, it->second, n);
    text[n] = '\0';
    return MMSYSERR_NOERROR;
}

} // namespace

UINT midiOutGetNumDevs() {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    Relist(s, false, true);
    return static_cast<UINT>(s.outputNames.size());
}

MMRESULT midiOutGetDevCapsA(UINT deviceId, MIDIOUTCAPSA* caps) {
    if (!caps) return MMSYSERR_INVALPARAM;
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    Relist(s, false, false);
    *caps = MIDIOUTCAPSA{};
    caps->vDriverVersion = 0x0100;
    caps->wChannelMask = 0xFFFF;
    if (deviceId == MIDI_MAPPER) {
        caps->szPname = MapperName;
        caps->wTechnology = MOD_MAPPER;
        return MMSYSERR_NOERROR;
    }
    if (deviceId >= s.outputNames.size()) return MMSYSERR_BADDEVICEID;
    caps->szPname = s.outputNames[deviceId];
    caps->wTechnology = MOD_MIDIPORT;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutOpen(HMIDIOUT* handle, UINT deviceId, MIDICALLBACK callback, DWORD_PTR instance) {
    if (!handle) return MMSYSERR_INVALPARAM;
    *handle = HMIDIOUT{};
    auto& s = TheServices();
    std::unique_lock lock(s.mutex);
    Relist(s, false, false);
    if (deviceId == MIDI_MAPPER) {
        if (s.outputNames.empty()) return MIDIERR_NODEVICE;
        deviceId = 0;
    }
    if (deviceId >= s.outputNames.size()) return MMSYSERR_BADDEVICEID;
    MidiBackend* backend = s.listedFrom;
    const std::string& name = s.outputNames[deviceId];
    if (InUse(s.outputs, backend, name)) return MMSYSERR_ALLOCATED;
    auto device = std::make_unique<OutputDevice>();
    device->backend = backend;
    device->name = name;
    device->connection = backend->OpenOutput(deviceId);
    if (!device->connection) return MMSYSERR_ALLOCATED;
    device->handle = s.nextHandle++;
    device->callback = callback;
    device->instance = instance;
    OutputDevice& opened = *device;
    s.outputs.emplace(device->handle, std::move(device));
    *handle = HMIDIOUT{opened.handle};
    lock.unlock();
    opened.Notify(MOM_OPEN, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutShortMsg(HMIDIOUT handle, DWORD message) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    OutputDevice* device = FindOutput(s, handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    std::uint8_t bytes[3] = {static_cast<std::uint8_t>(message),
                             static_cast<std::uint8_t>(message >> 8),
                             static_cast<std::uint8_t>(message >> 16)};
    if (bytes[0] < 0x80) return MMSYSERR_INVALPARAM;
    return device->connection->Send(bytes, ShortMessageLength(bytes[0])) ? MMSYSERR_NOERROR
                                                                         : SendFailure(*device);
}

MMRESULT midiOutPrepareHeader(HMIDIOUT handle, MIDIHDR* header) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    if (!FindOutput(s, handle)) return MMSYSERR_INVALHANDLE;
    if (!header || !header->lpData || header->dwBufferLength == 0) return MMSYSERR_INVALPARAM;
    header->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutLongMsg(HMIDIOUT handle, MIDIHDR* header) {
    auto& s = TheServices();
    std::unique_lock lock(s.mutex);
    OutputDevice* device = FindOutput(s, handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    if (!header || !header->lpData) return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
    header->dwFlags &= ~MHDR_DONE;
    if (!device->connection->Send(header->lpData, header->dwBufferLength))
        return SendFailure(*device);
    header->dwFlags |= MHDR_DONE;
    lock.unlock();
    device->Notify(MOM_DONE, reinterpret_cast<DWORD_PTR>(header));
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    if (!FindOutput(s, handle)) return MMSYSERR_INVALHANDLE;
    if (!header) return MMSYSERR_INVALPARAM;
    header->dwFlags &= ~MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutClose(HMIDIOUT handle) {
    auto& s = TheServices();
    std::unique_ptr<OutputDevice> device;
    {
        std::lock_guard lock(s.mutex);
        auto it = s.outputs.find(static_cast<std::uintptr_t>(handle));
        if (it == s.outputs.end()) return MMSYSERR_INVALHANDLE;
        device = std::move(it->second);
        s.outputs.erase(it);
    }
    device->connection.reset();
    device->Notify(MOM_CLOSE, 0);
    return MMSYSERR_NOERROR;
}

bool midiOutConnected(HMIDIOUT handle) {
    return midiOutLink(handle) == Link::Connected;
}

Link midiOutLink(HMIDIOUT handle) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    OutputDevice* device = FindOutput(s, handle);
    return device ? device->connection->State() : Link::SystemGone;
}

Link midiOutRelink(HMIDIOUT handle) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    OutputDevice* device = FindOutput(s, handle);
    return device ? device->connection->Relink() : Link::SystemGone;
}

UINT midiOutUndelivered(HMIDIOUT handle) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    OutputDevice* device = FindOutput(s, handle);
    return device ? static_cast<UINT>(device->connection->Undelivered()) : 0;
}

MMRESULT midiOutGetErrorTextA(MMRESULT error, char* text, UINT size) {
    return ErrorText(error, text, size);
}

UINT midiInGetNumDevs() {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    Relist(s, true, true);
    return static_cast<UINT>(s.inputNames.size());
}

MMRESULT midiInGetDevCapsA(UINT deviceId, MIDIINCAPSA* caps) {
    if (!caps) return MMSYSERR_INVALPARAM;
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    Relist(s, true, false);
    if (deviceId >= s.inputNames.size()) return MMSYSERR_BADDEVICEID;
    *caps = MIDIINCAPSA{};
    caps->vDriverVersion = 0x0100;
    caps->szPname = s.inputNames[deviceId];
    return MMSYSERR_NOERROR;
}

MMRESULT midiInOpen(HMIDIIN* handle, UINT deviceId, MIDICALLBACK callback, DWORD_PTR instance) {
    if (!handle) return MMSYSERR_INVALPARAM;
    *handle = HMIDIIN{};
    auto& s = TheServices();
    std::unique_lock lock(s.mutex);
    Relist(s, true, false);
    if (deviceId >= s.inputNames.size()) return MMSYSERR_BADDEVICEID;
    MidiBackend* backend = s.listedFrom;
    const std::string& name = s.inputNames[deviceId];
    if (InUse(s.inputs, backend, name)) return MMSYSERR_ALLOCATED;
    auto device = std::make_unique<InputDevice>();
    device->backend = backend;
    device->name = name;
    device->handle = s.nextHandle++;
    device->callback = callback;
    device->instance = instance;
    InputDevice& opened = *device;
    device->connection =
        backend->OpenInput(deviceId, [&opened](const std::uint8_t* data, std::size_t length) {
            opened.Receive(data, length);
        });
    if (!device->connection) return MMSYSERR_ALLOCATED;
    s.inputs.emplace(opened.handle, std::move(device));
    *handle = HMIDIIN{opened.handle};
    lock.unlock();
    opened.Notify(MIM_OPEN, 0, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT midiInPrepareHeader(HMIDIIN handle, MIDIHDR* header) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    if (!FindInput(s, handle)) return MMSYSERR_INVALHANDLE;
    if (!header || !header->lpData || header->dwBufferLength == 0) return MMSYSERR_INVALPARAM;
    header->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiInUnprepareHeader(HMIDIIN handle, MIDIHDR* header) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    InputDevice* device = FindInput(s, handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    if (!header) return MMSYSERR_INVALPARAM;
    std::lock_guard deviceLock(device->mutex);
    if (header->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
    header->dwFlags &= ~MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiInAddBuffer(HMIDIIN handle, MIDIHDR* header) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    InputDevice* device = FindInput(s, handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    if (!header || !header->lpData || header->dwBufferLength == 0) return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
    std::size_t limit = device->connection->MaxQueuedBuffers();
    std::lock_guard deviceLock(device->mutex);
    if (header->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
    if (device->buffers.size() >= limit) return MMSYSERR_NOMEM;
    header->dwBytesRecorded = 0;
    header->dwFlags = (header->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
    device->buffers.push_back(header);
    return MMSYSERR_NOERROR;
}

MMRESULT midiInStart(HMIDIIN handle) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    InputDevice* device = FindInput(s, handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    std::lock_guard deviceLock(device->mutex);
    if (!device->started) {
        device->started = true;
        device->startTime = core::CurrentClock().Now();
    }
    return MMSYSERR_NOERROR;
}

MMRESULT midiInReset(HMIDIIN handle) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    InputDevice* device = FindInput(s, handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    std::lock_guard deviceLock(device->mutex);
    auto time = device->started ? static_cast<DWORD>(core::CurrentClock().Now() - device->startTime)
                                : DWORD{0};
    device->started = false;
    while (!device->buffers.empty()) {
        MIDIHDR* header = device->buffers.front();
        device->buffers.pop_front();
        header->dwBytesRecorded = 0;
        header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        device->Notify(MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(header), time);
    }
    return MMSYSERR_NOERROR;
}

MMRESULT midiInClose(HMIDIIN handle) {
    auto& s = TheServices();
    std::unique_ptr<InputDevice> device;
    {
        std::lock_guard lock(s.mutex);
        auto it = s.inputs.find(static_cast<std::uintptr_t>(handle));
        if (it == s.inputs.end()) return MMSYSERR_INVALHANDLE;
        {
            std::lock_guard deviceLock(it->second->mutex);
            if (!it->second->buffers.empty()) return MIDIERR_STILLPLAYING;
            it->second->closed = true;
        }
        device = std::move(it->second);
        s.inputs.erase(it);
    }
    // Outside every lock: the back end may wait here for a delivery in progress.
    device->connection.reset();
    device->Notify(MIM_CLOSE, 0, 0);
    return MMSYSERR_NOERROR;
}

bool midiInConnected(HMIDIIN handle) {
    return midiInLink(handle) == Link::Connected;
}

Link midiInLink(HMIDIIN handle) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    InputDevice* device = FindInput(s, handle);
    return device ? device->connection->State() : Link::SystemGone;
}

Link midiInRelink(HMIDIIN handle) {
    auto& s = TheServices();
    std::lock_guard lock(s.mutex);
    InputDevice* device = FindInput(s, handle);
    return device ? device->connection->Relink() : Link::SystemGone;
}

MMRESULT midiInGetErrorTextA(MMRESULT error, char* text, UINT size) {
    return ErrorText(error, text, size);
}

} // namespace platform::midi
