#pragma once
// What every transfer between an element and the instrument shares: the transfer window and its
// timers, the exchange of the MIDI input handler, and the test that a received message is the
// reply a transfer waits for.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace midi {
class TMyMidiEvent;
}
namespace platform::core {
class TTimer;
}

namespace model {

class TTransferWindow;

inline constexpr std::uint32_t TransferTimeoutMs = 2000;
inline constexpr std::uint32_t TransferRetryMs = 300;
inline constexpr std::uint32_t TransmitPacingMs = 50;
// A finished transfer's window stays this long before it closes by itself.
inline constexpr std::uint32_t TransferLingerMs = 1000;
// Bytes counted for each data request sent.
inline constexpr int RequestMessageLength = 15;

inline constexpr const char* NotRespondingText = "The Instrument Is Not Responding.";

// The installed transfer window; null without a user interface.
TTransferWindow* TransferWindow();

// (Re)starts timer with interval and handler; the period counts from now.
void StartTimer(platform::core::TTimer& timer, std::uint32_t interval,
                std::function<void()> handler);
void StopTimer(platform::core::TTimer& timer);

// The input component's handler: none, one of a transfer, or the main window's default one.
void RemoveInputHandler();
void InstallInputHandler(std::function<void()> handler);
void InstallDefaultInputHandler();
// Reads and frees every event waiting at the input.
void DrainInput();
// The oldest waiting event; null when none waits or the ports are closed.
std::unique_ptr<midi::TMyMidiEvent> ReadInputEvent();

// The event is a data set of this instrument (maker, model, configured device) for the block at
// address, as long as that block's image. The checksum is not looked at.
bool IsReplyFor(const midi::TMyMidiEvent& event, std::uint32_t address, std::size_t length);
// The reply's checksum is right and none of its bytes between F0 and F7 has the top bit set.
bool ReplyIsSound(const midi::TMyMidiEvent& event);
// Copies the reply's message into image (of the same length).
void PlaceReply(const midi::TMyMidiEvent& event, std::span<std::uint8_t> image);

// Asks "The Instrument Is Not Responding." with Retry and Cancel; true for Retry.
bool AskRetry();

} // namespace model
