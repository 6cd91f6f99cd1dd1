#include "midi/midi_callback.h"

#include "platform/core/message_loop.h"

namespace midi {

using namespace platform::midi;
using platform::core::LPARAM;
using platform::core::PostMessage;
using platform::core::WM_USER;

namespace {

void KeepLostBuffer(MidiCallbackRecord& record, MIDIHDR* header) {
    for (std::size_t i = 0; i < record.LostBufferSlots; ++i) {
        MIDIHDR* empty = nullptr;
        if (record.LostBuffers[i].compare_exchange_strong(empty, header)) return;
    }
}

} // namespace

void MidiInputCallback(std::uintptr_t, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                       DWORD_PTR param2) {
    auto* record = reinterpret_cast<MidiCallbackRecord*>(instance);
    if (!record) return;
    if (message == MOM_DONE) {
        PostMessage(record->Window, MOM_DONE, 0, static_cast<LPARAM>(param1));
        return;
    }
    if (message != MIM_DATA && message != MIM_LONGDATA && message != MIM_LONGERROR) return;
    if (param1 == 0xFE || param1 == 0xF8) return;
    if (message == MIM_DATA && record->SysexOnly.load(std::memory_order_relaxed)) return;
    if (!record->Ring) return;

    EventRingEntry entry;
    entry.Time = static_cast<std::uint32_t>(param2);
    if (message == MIM_DATA)
        entry.Message = static_cast<std::uint32_t>(param1);
    else
        entry.Header = reinterpret_cast<MIDIHDR*>(param1);

    if (EventRingPut(*record->Ring, entry)) {
        PostMessage(record->Window, MIM_DATA, 0, 0);
    } else {
        if (entry.Header) KeepLostBuffer(*record, entry.Header);
        PostMessage(record->Window, WM_USER, 0, 0);
    }
}

} // namespace midi
