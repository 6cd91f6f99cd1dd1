#pragma once
// The shortest time any transfer that follows the instrument's protocol can take: every message
// waits 50 ms before it goes out, a MIDI cable carries one byte in 320 µs and one message at a
// time, and a request is answered completely before the next one may go. What a transfer takes
// beyond this is overhead of ours.

#include "model/sysex/address_map.h"
#include "model/sysex/sysex.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace bench {

inline constexpr double CableMsPerByte = 0.32;

// The messages of one element in the order they go out (transmit), by length in bytes.
using MessagePlan = std::vector<std::size_t>;
// One request and the bytes of all the replies it draws (receive).
struct Exchange {
    std::size_t Request = 0;
    std::size_t Replies = 0;
};
using ExchangePlan = std::vector<Exchange>;

// Message k goes out 50 ms after message k - 1 went out, and starts on the wire when the wire
// is free; the transfer ends when the last byte has arrived. With wholeMs, as on the virtual
// cable, a message is taken in only at the whole millisecond in which its last byte arrived.
inline double TransmitBound(const MessagePlan& plan, bool wholeMs = false) {
    double sent = 0;
    double wireFree = 0;
    for (std::size_t length : plan) {
        sent += model::SysExPacingMs;
        wireFree = std::max(sent, wireFree) + static_cast<double>(length) * CableMsPerByte;
    }
    return wholeMs ? std::ceil(wireFree - 1e-9) : wireFree;
}

// Each request waits 50 ms, crosses the wire, and its replies cross back before the next one.
inline double ReceiveBound(const ExchangePlan& plan, bool wholeMs = false) {
    auto wire = [wholeMs](std::size_t bytes) {
        const double ms = static_cast<double>(bytes) * CableMsPerByte;
        return wholeMs ? std::ceil(ms - 1e-9) : ms;
    };
    double total = 0;
    for (const Exchange& e : plan)
        total += model::SysExPacingMs + wire(e.Request) + wire(e.Replies);
    return total;
}

// Blocks of each element kind as messages: the common block, then tones, parts, notes or scale
// tunes.
inline MessagePlan ElementMessages(std::size_t common, int count, std::size_t block) {
    MessagePlan plan{model::MessageLength(common)};
    plan.insert(plan.end(), static_cast<std::size_t>(count), model::MessageLength(block));
    return plan;
}
inline MessagePlan PatchMessages() {
    return ElementMessages(model::CommonDataLength, model::ToneCount, model::ToneDataLength);
}
inline MessagePlan PerformanceMessages() {
    return ElementMessages(model::PerformanceCommonDataLength, model::PartCount,
                           model::PerformancePartDataLength);
}
inline MessagePlan RhythmMessages() {
    return ElementMessages(model::RhythmCommonDataLength, model::RhythmNoteCount,
                           model::RhythmNoteDataLength);
}
inline MessagePlan SystemMessages() {
    return ElementMessages(model::SystemCommonDataLength, model::ScaleTuneCount,
                           model::ScaleTuneDataLength);
}

inline MessagePlan Repeat(const MessagePlan& one, int times) {
    MessagePlan plan;
    for (int i = 0; i < times; ++i)
        plan.insert(plan.end(), one.begin(), one.end());
    return plan;
}
inline MessagePlan Join(std::initializer_list<MessagePlan> plans) {
    MessagePlan joined;
    for (const MessagePlan& plan : plans)
        joined.insert(joined.end(), plan.begin(), plan.end());
    return joined;
}

inline constexpr std::size_t RequestLength = model::MessageLength(4);

// A patch comes whole for one request; every other element one block a request.
inline ExchangePlan PatchExchanges() {
    std::size_t replies = 0;
    for (std::size_t length : PatchMessages())
        replies += length;
    return {{RequestLength, replies}};
}
inline ExchangePlan BlockExchanges(const MessagePlan& messages) {
    ExchangePlan plan;
    for (std::size_t length : messages)
        plan.push_back({RequestLength, length});
    return plan;
}
inline ExchangePlan Repeat(const ExchangePlan& one, int times) {
    ExchangePlan plan;
    for (int i = 0; i < times; ++i)
        plan.insert(plan.end(), one.begin(), one.end());
    return plan;
}
inline ExchangePlan Join(std::initializer_list<ExchangePlan> plans) {
    ExchangePlan joined;
    for (const ExchangePlan& plan : plans)
        joined.insert(joined.end(), plan.begin(), plan.end());
    return joined;
}

} // namespace bench
