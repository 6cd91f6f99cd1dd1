#pragma once
// The fixed ring between the driver's thread, which appends, and the user-interface thread,
// which reads and removes. The count is the only datum both change; an entry is written
// completely before it is counted, so a counted entry is always whole.

#include "platform/midi/midi_services.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace midi {

struct EventRingEntry {
    std::uint32_t Time = 0;
    // The packed short message; 0 for a buffer.
    std::uint32_t Message = 0;
    // The driver's buffer; null for a short message.
    platform::midi::MIDIHDR* Header = nullptr;
};

class EventRing {
public:
    explicit EventRing(std::uint16_t capacity);
    EventRing(const EventRing&) = delete;
    EventRing& operator=(const EventRing&) = delete;

    std::uint16_t Capacity() const { return capacity_; }
    std::uint16_t Count() const { return count_.load(std::memory_order_acquire); }

private:
    friend bool EventRingPut(EventRing& ring, const EventRingEntry& entry);
    friend bool EventRingRead(const EventRing& ring, EventRingEntry& entry);
    friend bool EventRingRemove(EventRing& ring);

    std::vector<EventRingEntry> entries_;
    std::uint16_t capacity_;
    std::size_t write_ = 0; // driver side only
    std::size_t read_ = 0;  // user-interface side only
    std::atomic<std::uint16_t> count_{0};
};

std::unique_ptr<EventRing> EventRingCreate(std::uint16_t capacity);
// Driver side. False, and the entry is lost, when the ring is full.
bool EventRingPut(EventRing& ring, const EventRingEntry& entry);
// User-interface side. Copies the oldest entry without removing it; false when empty.
bool EventRingRead(const EventRing& ring, EventRingEntry& entry);
// User-interface side. Removes the oldest entry; false when empty.
bool EventRingRemove(EventRing& ring);

} // namespace midi
