#include "midi/event_ring.h"

namespace midi {

EventRing::EventRing(std::uint16_t capacity) : entries_(capacity), capacity_(capacity) {}

std::unique_ptr<EventRing> EventRingCreate(std::uint16_t capacity) {
    return std::make_unique<EventRing>(capacity);
}

bool EventRingPut(EventRing& ring, const EventRingEntry& entry) {
    if (ring.count_.load(std::memory_order_acquire) >= ring.capacity_) return false;
    ring.entries_[ring.write_] = entry;
    ring.write_ = (ring.write_ + 1) % ring.capacity_;
    ring.count_.fetch_add(1, std::memory_order_release);
    return true;
}

bool EventRingRead(const EventRing& ring, EventRingEntry& entry) {
    if (ring.count_.load(std::memory_order_acquire) == 0) return false;
    entry = ring.entries_[ring.read_];
    return true;
}

bool EventRingRemove(EventRing& ring) {
    if (ring.count_.load(std::memory_order_acquire) == 0) return false;
    ring.read_ = (ring.read_ + 1) % ring.capacity_;
    ring.count_.fetch_sub(1, std::memory_order_release);
    return true;
}

} // namespace midi
