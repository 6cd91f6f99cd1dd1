#include "model/preview/midi_file.h"

#include "platform/core/byte_file.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <stdexcept>

namespace model {

namespace {

constexpr std::uint32_t DefaultTempo = 500000; // microseconds a quarter note: 120 a minute

// The file ended early or broke the format.
struct Malformed : std::runtime_error {
    Malformed() : std::runtime_error("malformed MIDI file") {}
};

class Cursor {
public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    std::uint8_t Byte() {
        if (AtEnd()) throw Malformed();
        return bytes_[pos_++];
    }
    std::uint8_t Peek() const {
        if (AtEnd()) throw Malformed();
        return bytes_[pos_];
    }
    std::uint32_t BigEndian(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value = value << 8 | Byte();
        return value;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    std::uint32_t Quantity() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t byte = Byte();
            value = value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0) return value;
        }
        throw Malformed();
    }
    std::span<const std::uint8_t> Take(std::size_t count) {
        if (count > bytes_.size() - pos_) throw Malformed();
        auto part = bytes_.subspan(pos_, count);
        pos_ += count;
        return part;
    }
    std::string Tag() {
        auto tag = Take(4);
        return std::string(tag.begin(), tag.end());
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

struct TrackEvent {
    std::uint64_t Tick = 0;
    std::size_t Track = 0;
    // A tempo change carries no message.
    std::optional<std::uint32_t> Tempo;
    std::vector<std::uint8_t> Message;
};

constexpr std::uint64_t Forever = std::numeric_limits<std::uint64_t>::max();

// a * b / c, and a + b, where a result too large to hold is a moment that never comes: a file
// may hold deltas that add up beyond any clock, and its moments must still never go back.
std::uint64_t MulDiv(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    if (b != 0 && a > Forever / b) return Forever;
    return a * b / c;
}

std::uint64_t Add(std::uint64_t a, std::uint64_t b) {
    return a > Forever - b ? Forever : a + b;
}

int DataBytesOf(std::uint8_t status) {
    const std::uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

void ReadTrack(std::span<const std::uint8_t> chunk, std::size_t track,
               std::vector<TrackEvent>& events) {
    Cursor in(chunk);
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    std::vector<std::uint8_t> pendingSysex;
    auto add = [&](std::optional<std::uint32_t> tempo, std::vector<std::uint8_t> message) {
        events.push_back({tick, track, tempo, std::move(message)});
    };
    while (!in.AtEnd()) {
        tick += in.Quantity();
        const std::uint8_t first = in.Byte();
        if (first == 0xFF) {
            running = 0;
            const std::uint8_t type = in.Byte();
            auto data = in.Take(in.Quantity());
            if (type == 0x2F) return;
            if (type == 0x51 && data.size() == 3) {
                const std::uint32_t tempo = std::uint32_t{data[0]} << 16 |
                                            std::uint32_t{data[1]} << 8 | std::uint32_t{data[2]};
                if (tempo > 0) add(tempo, {});
            }
        } else if (first == 0xF0 || first == 0xF7) {
            running = 0;
            auto data = in.Take(in.Quantity());
            if (first == 0xF0) {
                pendingSysex.assign(1, 0xF0);
            } else if (pendingSysex.empty()) {
                continue;
            }
            pendingSysex.insert(pendingSysex.end(), data.begin(), data.end());
            if (!data.empty() && data.back() == 0xF7) {
                add(std::nullopt, std::move(pendingSysex));
                pendingSysex.clear();
            }
        } else {
            std::vector<std::uint8_t> message;
            if (first & 0x80) {
                if (first > 0xEF) throw Malformed();
                running = first;
                message.push_back(first);
            } else {
                if (running == 0) throw Malformed();
                message = {running, first};
            }
            while (static_cast<int>(message.size()) < 1 + DataBytesOf(running)) {
                if (in.Peek() & 0x80) throw Malformed();
                message.push_back(in.Byte());
            }
            add(std::nullopt, std::move(message));
        }
    }
}

std::vector<TMidiFileEvent> Read(std::span<const std::uint8_t> bytes) {
    Cursor in(bytes);
    if (in.Tag() != "MThd") throw Malformed();
    const std::uint32_t headerLength = in.BigEndian(4);
    if (headerLength < 6) throw Malformed();
    Cursor header(in.Take(headerLength));
    const std::uint32_t format = header.BigEndian(2);
    const std::uint32_t trackCount = header.BigEndian(2);
    const std::uint32_t division = header.BigEndian(2);
    if (format > 1 || division == 0) throw Malformed();

    std::vector<TrackEvent> events;
    std::size_t track = 0;
    while (!in.AtEnd() && track < trackCount) {
        const std::string tag = in.Tag();
        auto chunk = in.Take(in.BigEndian(4));
        if (tag == "MTrk") ReadTrack(chunk, track++, events);
    }
    if (track < trackCount) throw Malformed();
    std::stable_sort(events.begin(), events.end(), [](const TrackEvent& a, const TrackEvent& b) {
        if (a.Tick != b.Tick) return a.Tick < b.Tick;
        return a.Track < b.Track;
    });

    // Microseconds at a tick: ticks count quarter notes of the tempo in force, or frames of a
    // time code (-fps in the high byte, ticks a frame in the low byte; 29 stands for 29.97).
    const bool timeCode = (division & 0x8000) != 0;
    const std::uint64_t framesPer100s = [&]() -> std::uint64_t {
        const int fps = -static_cast<std::int8_t>(division >> 8);
        return fps == 29 ? 2997 : static_cast<std::uint64_t>(fps) * 100;
    }();
    const std::uint64_t ticksPerUnit = timeCode ? (division & 0xFF) : division;
    if (timeCode && (framesPer100s == 0 || ticksPerUnit == 0)) throw Malformed();

    std::uint64_t segmentTick = 0;
    std::uint64_t segmentMicros = 0;
    std::uint32_t tempo = DefaultTempo;
    auto microsAt = [&](std::uint64_t tick) {
        if (timeCode) return MulDiv(tick, 100'000'000, framesPer100s * ticksPerUnit);
        return Add(segmentMicros, MulDiv(tick - segmentTick, tempo, ticksPerUnit));
    };
    std::vector<TMidiFileEvent> result;
    for (TrackEvent& event : events) {
        const std::uint64_t micros = microsAt(event.Tick);
        if (event.Tempo) {
            segmentMicros = micros;
            segmentTick = event.Tick;
            tempo = *event.Tempo;
        } else {
            result.push_back({micros / 1000, std::move(event.Message)});
        }
    }
    return result;
}

} // namespace

bool TMidiFile::LoadFromFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    events_.clear();
    if (!platform::core::ReadFileBytes(path, bytes)) return false;
    return LoadFromBytes(bytes);
}

bool TMidiFile::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    events_.clear();
    try {
        events_ = Read(bytes);
    } catch (const Malformed&) {
        return false;
    }
    return true;
}

} // namespace model
