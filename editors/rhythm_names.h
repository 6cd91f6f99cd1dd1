#pragma once
// The names of the instrument's own rhythm sets, which the part page offers for part 10: user
// sets 1 and 2 and, with a data card installed, card sets 1 and 2. Receive asks for the 12 name
// bytes of each set, in that order, and waits. A reply is taken only when it is a data set of
// this instrument for a set asked for and not yet answered, exactly as long as a name, with a
// right checksum and every byte below 80H; its name goes to the set its address names. Anything
// else is ignored and does not prolong the wait. The wait ends with the last reply, or when
// 1000 ms pass without a reply ("The instruments is not responding.", OK keeps the names,
// Retry asks again). While it waits the fetch owns the input handler; the default one is back
// whenever the wait ends, its owner going included.

#include "model/transfer/input_guard.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace midi {
class TMyMidiEvent;
}
namespace platform::core {
class TTimer;
}

namespace editors {

inline constexpr const char* InstrumentSilentText = "The instruments is not responding.";

class TRhythmNameFetch {
public:
    static constexpr int SetCount = 4;
    static constexpr std::uint32_t TimeoutMs = 1000;

    TRhythmNameFetch();
    ~TRhythmNameFetch();
    TRhythmNameFetch(const TRhythmNameFetch&) = delete;
    TRhythmNameFetch& operator=(const TRhythmNameFetch&) = delete;

    // ReceiveRhythmName: the names back to "User 01", "User 02", "Data Card 01", "Data Card 02";
    // with the ports open, the requests and the wait.
    void Receive();
    // 0 user set 1, 1 user set 2, 2 card set 1, 3 card set 2.
    const std::string& Name(int set) const { return names_.at(static_cast<std::size_t>(set)); }
    bool Waiting() const { return guard_ != nullptr; }
    int Replies() const { return replies_; }
    // The instrument's address of a set's name.
    static std::uint32_t Address(int set);

private:
    void OnSysExMidiInput();
    void Timer1Timer();
    // The set the event answers, or -1.
    int AnsweredSet(const midi::TMyMidiEvent& event) const;
    void EndWait();

    std::array<std::string, SetCount> names_;
    std::array<bool, SetCount> answered_{};
    int expected_ = 0;
    int replies_ = 0;
    std::unique_ptr<platform::core::TTimer> timer_;
    std::unique_ptr<model::TInputHandlerGuard> guard_;
};

} // namespace editors
