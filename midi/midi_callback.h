#pragma once
// What the driver's thread may touch: the callback record of a port and the callback itself,
// which only appends to the input ring and posts to the port's notify window.

#include "midi/event_ring.h"
#include "platform/core/window_handle.h"
#include "platform/midi/midi_services.h"

#include <atomic>
#include <cstddef>
#include <memory>

namespace midi {

// One per port, made on the first open; its address is the callback's instance.
struct MidiCallbackRecord {
    // Null for output.
    EventRing* Ring = nullptr;
    platform::core::HWND Window{};
    // Input only; may change while the port is open.
    std::atomic<bool> SysexOnly{false};
    // Buffers whose entry found the ring full. Without them the driver would be short of
    // those buffers for good; the user-interface thread gives them back on the overflow
    // message. Sized at open, so the callback allocates nothing.
    std::unique_ptr<std::atomic<platform::midi::MIDIHDR*>[]> LostBuffers;
    std::size_t LostBufferSlots = 0;
};

void MidiInputCallback(std::uintptr_t handle, platform::midi::UINT message,
                       platform::midi::DWORD_PTR instance, platform::midi::DWORD_PTR param1,
                       platform::midi::DWORD_PTR param2);

} // namespace midi
