#include "platform/midi/virtual_midi.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace platform::midi {

struct VirtualMidi::Pair {
    std::string name;
    // Guards everything below; held while a message is handed to the input, so that closing
    // the input waits for a delivery in progress.
    std::mutex mutex;
    FarSide farSide;
    ReceiveHandler receiver;
    std::uint32_t microsPerByte = 0;
    std::size_t bufferLimit = SIZE_MAX;
    // When each wire is free again, in microseconds of the clock.
    std::uint64_t inWireFree = 0;
    std::uint64_t outWireFree = 0;
    bool present = true;
    // The far side's program runs (StopPeer).
    bool peer = true;
    // Counts the unplugs: a connection lives in the generation it was opened in.
    std::uint64_t generation = 0;
    // Counts the times the peer stopped: what was on the wire before is lost.
    std::uint64_t peerRuns = 0;
    // The run of the peer that connections follow by themselves (StartPeer seen).
    std::uint64_t seenRun = 0;
    // The run of the peer the input's connection was last linked to.
    std::uint64_t receiverRun = 0;

    // Call with the mutex held. linkedRun is the peer's run the connection was last linked to.
    Link StateOf(std::uint64_t openedIn, std::uint64_t linkedRun) const {
        if (generation != openedIn) return Link::SystemGone;
        return peer && (linkedRun == peerRuns || seenRun == peerRuns) ? Link::Connected
                                                                      : Link::PeerGone;
    }
    // A connection linked to the peer's run of now, when the peer runs.
    void Relink(std::uint64_t& linkedRun) const {
        if (peer) linkedRun = peerRuns;
    }
};

struct VirtualMidi::Core {
    std::mutex mutex;
    std::vector<std::unique_ptr<Pair>> pairs;

    Pair* At(std::size_t index) {
        std::lock_guard lock(mutex);
        return index < pairs.size() ? pairs[index].get() : nullptr;
    }

    // The index-th of the pairs plugged in, as the lists number them.
    Pair* Listed(std::size_t index) {
        std::lock_guard lock(mutex);
        for (const auto& p : pairs) {
            std::lock_guard pairLock(p->mutex);
            if (p->present && index-- == 0) return p.get();
        }
        return nullptr;
    }
};

namespace {

// The millisecond in which a message that starts at startUs ends on the wire.
std::uint64_t Arrival(std::uint64_t& wireFree, std::uint64_t startUs, std::size_t bytes,
                      std::uint32_t microsPerByte) {
    std::uint64_t begin = std::max(startUs, wireFree);
    wireFree = begin + bytes * microsPerByte;
    return (wireFree + 999) / 1000;
}

class VirtualOutput final : public OutputConnection {
public:
    VirtualOutput(core::ManualClock& clock, std::weak_ptr<VirtualMidi::Core> core,
                  VirtualMidi::Pair& pair)
        : clock_(clock), core_(std::move(core)), pair_(pair), generation_(pair.generation) {}

    bool Send(const std::uint8_t* data, std::size_t length) override {
        std::vector<std::uint8_t> message(data, data + length);
        core::Millis at;
        std::uint64_t peerRun;
        {
            std::lock_guard lock(pair_.mutex);
            if (pair_.StateOf(generation_, linkedRun_) != Link::Connected) return false;
            at = Arrival(pair_.outWireFree, clock_.Now() * 1000, length, pair_.microsPerByte);
            peerRun = pair_.peerRuns;
        }
        ++*undelivered_;
        clock_.Schedule(at, [core = core_, pair = &pair_, message = std::move(message),
                             generation = generation_, peerRun, undelivered = undelivered_] {
            auto alive = core.lock();
            if (!alive) return;
            FarSide farSide;
            {
                std::lock_guard lock(pair->mutex);
                // The system or the peer went while the message was on the wire.
                if (pair->generation != generation || pair->peerRuns != peerRun) return;
                farSide = pair->farSide;
            }
            --*undelivered;
            if (farSide) farSide(message);
        });
        return true;
    }

    std::size_t Undelivered() const override { return *undelivered_; }

    Link State() const override {
        std::lock_guard lock(pair_.mutex);
        return pair_.StateOf(generation_, linkedRun_);
    }
    Link Relink() override {
        std::lock_guard lock(pair_.mutex);
        pair_.Relink(linkedRun_);
        return pair_.StateOf(generation_, linkedRun_);
    }

private:
    using FarSide = VirtualMidi::FarSide;
    core::ManualClock& clock_;
    std::weak_ptr<VirtualMidi::Core> core_;
    VirtualMidi::Pair& pair_;
    const std::uint64_t generation_;
    std::uint64_t linkedRun_ = pair_.peerRuns;
    std::shared_ptr<std::atomic<std::size_t>> undelivered_ =
        std::make_shared<std::atomic<std::size_t>>(0);
};

class VirtualInput final : public InputConnection {
public:
    explicit VirtualInput(VirtualMidi::Pair& pair) : pair_(pair), generation_(pair.generation) {}
    ~VirtualInput() override {
        std::lock_guard lock(pair_.mutex);
        // After an unplug the receiver may be a later connection's.
        if (pair_.generation == generation_) pair_.receiver = nullptr;
    }

    std::size_t MaxQueuedBuffers() const override {
        std::lock_guard lock(pair_.mutex);
        return pair_.bufferLimit;
    }

    Link State() const override {
        std::lock_guard lock(pair_.mutex);
        return pair_.StateOf(generation_, pair_.receiverRun);
    }
    Link Relink() override {
        std::lock_guard lock(pair_.mutex);
        if (pair_.generation == generation_) pair_.Relink(pair_.receiverRun);
        return pair_.StateOf(generation_, pair_.receiverRun);
    }

private:
    VirtualMidi::Pair& pair_;
    const std::uint64_t generation_;
};

} // namespace

VirtualMidi::VirtualMidi(core::ManualClock& clock)
    : clock_(clock), core_(std::make_shared<Core>()) {}

VirtualMidi::~VirtualMidi() = default;

std::size_t VirtualMidi::AddPair(const std::string& name, FarSide farSide) {
    auto pair = std::make_unique<Pair>();
    pair->name = name;
    pair->farSide = std::move(farSide);
    std::lock_guard lock(core_->mutex);
    core_->pairs.push_back(std::move(pair));
    return core_->pairs.size() - 1;
}

void VirtualMidi::Deliver(std::size_t pair, std::vector<std::uint8_t> message, core::Millis at) {
    Pair* p = core_->At(pair);
    if (!p || message.empty()) return;
    {
        std::lock_guard lock(p->mutex);
        at = std::max<core::Millis>(
            at, Arrival(p->inWireFree, at * 1000, message.size(), p->microsPerByte));
    }
    clock_.Schedule(at, [core = std::weak_ptr<Core>(core_), p, message = std::move(message)] {
        auto alive = core.lock();
        if (!alive) return;
        std::lock_guard lock(p->mutex);
        if (p->receiver && p->StateOf(p->generation, p->receiverRun) == Link::Connected)
            p->receiver(message.data(), message.size());
    });
}

void VirtualMidi::SetWireTime(std::size_t pair, std::uint32_t microsecondsPerByte) {
    if (Pair* p = core_->At(pair)) {
        std::lock_guard lock(p->mutex);
        p->microsPerByte = microsecondsPerByte;
    }
}

void VirtualMidi::SetBufferLimit(std::size_t pair, std::size_t limit) {
    if (Pair* p = core_->At(pair)) {
        std::lock_guard lock(p->mutex);
        p->bufferLimit = limit;
    }
}

void VirtualMidi::Unplug(std::size_t pair) {
    if (Pair* p = core_->At(pair)) {
        std::lock_guard lock(p->mutex);
        p->present = false;
        ++p->generation;
        p->receiver = nullptr;
    }
}

void VirtualMidi::Replug(std::size_t pair) {
    if (Pair* p = core_->At(pair)) {
        std::lock_guard lock(p->mutex);
        p->present = true;
    }
}

void VirtualMidi::StopPeer(std::size_t pair) {
    if (Pair* p = core_->At(pair)) {
        std::lock_guard lock(p->mutex);
        p->present = false;
        p->peer = false;
        ++p->peerRuns;
    }
}

void VirtualMidi::StartPeer(std::size_t pair, bool seen) {
    if (Pair* p = core_->At(pair)) {
        std::lock_guard lock(p->mutex);
        p->present = true;
        p->peer = true;
        if (seen) p->seenRun = p->peerRuns;
    }
}

std::vector<std::string> VirtualMidi::InputNames() {
    std::lock_guard lock(core_->mutex);
    std::vector<std::string> names;
    for (const auto& p : core_->pairs) {
        std::lock_guard pairLock(p->mutex);
        if (p->present) names.push_back(p->name);
    }
    return names;
}

std::vector<std::string> VirtualMidi::OutputNames() {
    return InputNames();
}

std::unique_ptr<OutputConnection> VirtualMidi::OpenOutput(std::size_t index) {
    Pair* p = core_->Listed(index);
    if (!p) return nullptr;
    std::lock_guard lock(p->mutex);
    return std::make_unique<VirtualOutput>(clock_, core_, *p);
}

std::unique_ptr<InputConnection> VirtualMidi::OpenInput(std::size_t index,
                                                        ReceiveHandler onReceive) {
    Pair* p = core_->Listed(index);
    if (!p) return nullptr;
    std::lock_guard lock(p->mutex);
    if (p->receiver) return nullptr;
    p->receiver = std::move(onReceive);
    p->receiverRun = p->peerRuns;
    return std::make_unique<VirtualInput>(*p);
}

} // namespace platform::midi
