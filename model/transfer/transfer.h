#pragma once
// What every transfer between an element and the instrument shares: the transfer window and its
// timers, the exchange of the MIDI input handler, and the test that a received message is the
// reply a transfer waits for.

#include "model/sysex/address_map.h"

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
// ...and this long when another transfer follows it.
inline constexpr std::uint32_t TransferHandOverMs = 10;
// Bytes counted for each data request sent.
inline constexpr int RequestMessageLength = 15;

inline constexpr const char* NotRespondingText = "The Instrument Is Not Responding.";

// One block of an element as the transfers move it: its offset in the element, its message
// image, and the size bytes of the data request that fetches it alone.
struct TTransferBlock {
    std::uint16_t Offset = 0;
    std::span<std::uint8_t> Image;
    TRequestSize RequestSize{};
};

// Frames the block's image as the data set for base + its offset: header, address, checksum and
// F7, so that files and transfers address a block alike.
void BuildBlockHeader(std::uint32_t base, const TTransferBlock& block);
// Data set of the block's data at base + its offset (nothing while the ports are closed).
void SendBlock(std::uint32_t base, const TTransferBlock& block);
// Data request for the block alone at base + its offset.
void RequestBlock(std::uint32_t base, const TTransferBlock& block);

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
// Reads the waiting events up to the first reply for the block at base, dropping the others;
// null when none is waiting.
std::unique_ptr<midi::TMyMidiEvent> NextReplyFor(std::uint32_t base, const TTransferBlock& block);
// Copies the reply's message into image (of the same length).
void PlaceReply(const midi::TMyMidiEvent& event, std::span<std::uint8_t> image);

// Asks "The Instrument Is Not Responding.", or the text given, with Retry and Cancel; true for
// Retry.
bool AskRetry(const std::string& text = NotRespondingText);

} // namespace model
