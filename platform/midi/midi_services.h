#pragma once
// The multimedia MIDI services: numbered input and output devices with capabilities, opened
// with a function callback that the driver calls on its own thread. Long messages travel in
// caller-owned headers that must be prepared first and come back through the callback.
// Devices come from the back end in force (midi_backend.h). UI thread, except the callback.

#include "platform/midi/midi_backend.h"

#include <cstdint>
#include <string>

namespace platform::midi {

using MMRESULT = std::uint32_t;
using DWORD = std::uint32_t;
using DWORD_PTR = std::uintptr_t;
using UINT = std::uint32_t;

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
inline constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
inline constexpr MMRESULT MMSYSERR_NODRIVER = 6;
inline constexpr MMRESULT MMSYSERR_NOMEM = 7;
inline constexpr MMRESULT MMSYSERR_BADERRNUM = 9;
inline constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
inline constexpr MMRESULT MIDIERR_UNPREPARED = 64;
inline constexpr MMRESULT MIDIERR_STILLPLAYING = 65;
inline constexpr MMRESULT MIDIERR_NOTREADY = 67;
inline constexpr MMRESULT MIDIERR_NODEVICE = 68;

// Messages of the driver callback.
inline constexpr UINT MIM_OPEN = 0x3C1;
inline constexpr UINT MIM_CLOSE = 0x3C2;
inline constexpr UINT MIM_DATA = 0x3C3;
inline constexpr UINT MIM_LONGDATA = 0x3C4;
inline constexpr UINT MIM_ERROR = 0x3C5;
inline constexpr UINT MIM_LONGERROR = 0x3C6;
inline constexpr UINT MOM_OPEN = 0x3C7;
inline constexpr UINT MOM_CLOSE = 0x3C8;
inline constexpr UINT MOM_DONE = 0x3C9;

// The output device id that stands for "whichever output the user prefers": the first one.
inline constexpr UINT MIDI_MAPPER = 0xFFFFFFFF;

enum class HMIDIIN : std::uintptr_t {};
enum class HMIDIOUT : std::uintptr_t {};

// handle is the HMIDIIN or HMIDIOUT, as a number; param1 and param2 depend on the message:
// MIM_DATA: packed message, time stamp; MIM_LONGDATA: MIDIHDR*, time stamp; MOM_DONE: MIDIHDR*.
using MIDICALLBACK = void (*)(std::uintptr_t handle, UINT msg, DWORD_PTR instance, DWORD_PTR param1,
                              DWORD_PTR param2);

inline constexpr DWORD MHDR_DONE = 0x1;
inline constexpr DWORD MHDR_PREPARED = 0x2;
inline constexpr DWORD MHDR_INQUEUE = 0x4;

struct MIDIHDR {
    std::uint8_t* lpData = nullptr;
    DWORD dwBufferLength = 0;
    DWORD dwBytesRecorded = 0;
    DWORD_PTR dwUser = 0;
    DWORD dwFlags = 0;
};

struct MIDIOUTCAPSA {
    std::uint16_t wMid = 0;
    std::uint16_t wPid = 0;
    std::uint32_t vDriverVersion = 0;
    // Unique among the outputs, and the same from run to run for the same port.
    std::string szPname;
    std::uint16_t wTechnology = 0;
    std::uint16_t wVoices = 0;
    std::uint16_t wNotes = 0;
    std::uint16_t wChannelMask = 0;
    DWORD dwSupport = 0;
};

struct MIDIINCAPSA {
    std::uint16_t wMid = 0;
    std::uint16_t wPid = 0;
    std::uint32_t vDriverVersion = 0;
    // Unique among the inputs, and the same from run to run for the same port.
    std::string szPname;
    DWORD dwSupport = 0;
};

inline constexpr std::uint16_t MOD_MIDIPORT = 1;
inline constexpr std::uint16_t MOD_MAPPER = 5;

// Counting the devices takes a fresh list from the back end; ids index the latest list.
UINT midiOutGetNumDevs();
MMRESULT midiOutGetDevCapsA(UINT deviceId, MIDIOUTCAPSA* caps);
MMRESULT midiOutOpen(HMIDIOUT* handle, UINT deviceId, MIDICALLBACK callback, DWORD_PTR instance);
// status | data1 << 8 | data2 << 16; running status is not accepted.
MMRESULT midiOutShortMsg(HMIDIOUT handle, DWORD message);
MMRESULT midiOutPrepareHeader(HMIDIOUT handle, MIDIHDR* header);
// Hands the bytes to the back end, then reports MOM_DONE once for the header.
MMRESULT midiOutLongMsg(HMIDIOUT handle, MIDIHDR* header);
MMRESULT midiOutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header);
MMRESULT midiOutClose(HMIDIOUT handle);
// Whether the port behind an open handle is still there: false once the sound system that
// carried it has gone (its server stopped), when sending fails with MIDIERR_NODEVICE and only a
// fresh open can bring the port back, and while the port at its other end has gone, when sending
// fails with MIDIERR_NOTREADY until the connection is made again; false for a handle that is not
// open. The handle stays open until closed.
bool midiOutConnected(HMIDIOUT handle);
// What stands at the other end of an open handle; SystemGone for a handle that is not open.
Link midiOutLink(HMIDIOUT handle);
// Connects the handle's port again to the port of its device's name when that is there again
// (the services do so by themselves when they see it come back); the link after.
Link midiOutRelink(HMIDIOUT handle);
// Long messages reported done that the sound system may still lose: those it holds queued, and
// those that were under way when the far port or the system went. 0 for a handle not open.
UINT midiOutUndelivered(HMIDIOUT handle);
// size counts the terminating zero; MMSYSERR_BADERRNUM for a code the services do not know.
MMRESULT midiOutGetErrorTextA(MMRESULT error, char* text, UINT size);

UINT midiInGetNumDevs();
MMRESULT midiInGetDevCapsA(UINT deviceId, MIDIINCAPSA* caps);
// Input flows only between midiInStart and midiInReset; system-exclusive bytes
// fill the queued buffers in order, one MIM_LONGDATA per filled buffer, and are dropped when
// no buffer is queued.
MMRESULT midiInOpen(HMIDIIN* handle, UINT deviceId, MIDICALLBACK callback, DWORD_PTR instance);
MMRESULT midiInPrepareHeader(HMIDIIN handle, MIDIHDR* header);
MMRESULT midiInUnprepareHeader(HMIDIIN handle, MIDIHDR* header);
MMRESULT midiInAddBuffer(HMIDIIN handle, MIDIHDR* header);
MMRESULT midiInStart(HMIDIIN handle);
// Stops input and returns every queued buffer through MIM_LONGDATA, marked done.
MMRESULT midiInReset(HMIDIIN handle);
// Once it returns, the callback is not called again for this handle.
MMRESULT midiInClose(HMIDIIN handle);
// As midiOutConnected: false once nothing can arrive at the handle any more, or while the port
// at its other end has gone.
bool midiInConnected(HMIDIIN handle);
Link midiInLink(HMIDIIN handle);
Link midiInRelink(HMIDIIN handle);
MMRESULT midiInGetErrorTextA(MMRESULT error, char* text, UINT size);

} // namespace platform::midi
