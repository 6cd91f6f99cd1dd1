#pragma once
// A MIDI back end with nothing between the caller and the input device: Feed hands a message to
// the device on the calling thread, which then stands for the driver's thread. Outputs swallow
// what they are given. The input path is then measured without any test machinery in it.

#include "platform/midi/midi_backend.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace bench {

class DirectMidi final : public platform::midi::MidiBackend {
public:
    static constexpr const char* Name = "Direct";

    std::vector<std::string> InputNames() override { return {Name}; }
    std::vector<std::string> OutputNames() override { return {Name}; }
    std::unique_ptr<platform::midi::OutputConnection> OpenOutput(std::size_t) override {
        return std::make_unique<Sink>();
    }
    std::unique_ptr<platform::midi::InputConnection>
    OpenInput(std::size_t, platform::midi::ReceiveHandler onReceive) override {
        std::lock_guard lock(mutex_);
        receiver_ = std::move(onReceive);
        return std::make_unique<Input>(*this);
    }

    // The driver's side: one complete message off the wire.
    void Feed(const std::uint8_t* data, std::size_t length) {
        std::lock_guard lock(mutex_);
        if (receiver_) receiver_(data, length);
    }
    void Feed(const std::vector<std::uint8_t>& message) { Feed(message.data(), message.size()); }

private:
    struct Sink final : platform::midi::OutputConnection {
        bool Send(const std::uint8_t*, std::size_t) override { return true; }
    };
    struct Input final : platform::midi::InputConnection {
        explicit Input(DirectMidi& midi) : midi_(midi) {}
        ~Input() override {
            std::lock_guard lock(midi_.mutex_);
            midi_.receiver_ = nullptr;
        }
        DirectMidi& midi_;
    };

    std::mutex mutex_;
    platform::midi::ReceiveHandler receiver_;
};

} // namespace bench
