#pragma once
// A simulated instrument for tests: it holds its memory as bytes at 4-byte 7-bit addresses,
// applies data sets (12H) whose checksum is right (midi/sysex_frame.h), answers data requests (11H)
// and records everything it received. Faults are switched on at will. It knows nothing of how
// messages travel: its owner feeds Receive and carries what it transmits.

#include "platform/core/clock.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace testsupport {

using Bytes = std::vector<std::uint8_t>;

// Addresses are written as the instrument's messages carry them, four 7-bit bytes most
// significant first (03001000H); offsets count bytes from address 0.
std::uint32_t AddressToOffset(std::uint32_t address);
std::uint32_t OffsetToAddress(std::uint32_t offset);

struct SimBlock {
    std::uint32_t Address = 0;
    std::uint32_t Size = 0;
};

// The blocks of memory that answer a request for Size bytes at Address. Blocks that start
// outside the request are ignored, and each is cut at its end.
using BlockTable = std::function<std::vector<SimBlock>(std::uint32_t address, std::uint32_t size)>;
// One block: exactly what was asked for.
BlockTable FlatBlockTable();

struct SimFaults {
    // Applies data sets but answers nothing.
    bool Silent = false;
    // Replies (data sets sent, counted from 1) that go out with a wrong checksum.
    std::set<int> CorruptReplies;
    // A note on, a controller and a note off ahead of every reply.
    bool StrayEvents = false;
    // System exclusive of another maker and of another model ahead of every reply.
    bool ForeignSysex = false;
    // Every reply leaves this much later.
    platform::core::Millis ReplyDelay = 0;
    // The replies to the previous request go out again ahead of those to the current one.
    bool StaleReplies = false;
    // No data card is in: requests for card memory (addresses 20000000H to 2F7F7F7FH) go
    // unanswered.
    bool NoCard = false;
    // Requests at these addresses go unanswered.
    std::set<std::uint32_t> Unanswered;
};

class SimInstrument {
public:
    static constexpr std::uint8_t DataRequest = 0x11;
    static constexpr std::uint8_t DataSet = 0x12;
    // Carries a message towards Quintaron, leaving `delay` ms from now.
    using Transmitter = std::function<void(Bytes message, platform::core::Millis delay)>;

    explicit SimInstrument(Transmitter transmit);

    // The device byte it answers to (besides 7FH); 10H by default, for Quintaron's default device
    // id 17.
    void SetDeviceByte(std::uint8_t device);
    std::uint8_t DeviceByte() const;
    void SetBlockTable(BlockTable table);
    void SetFaults(SimFaults faults);
    SimFaults Faults() const;

    // Unwritten bytes read as 0.
    Bytes Read(std::uint32_t address, std::uint32_t size) const;
    void Write(std::uint32_t address, const Bytes& bytes);

    // One complete message off the wire.
    void Receive(const Bytes& message);
    // Sends any message, e.g. a stray one.
    void Transmit(Bytes message, platform::core::Millis delay = 0);

    // Every message received, in order.
    std::vector<Bytes> Received() const;
    // Every message transmitted, in order.
    std::vector<Bytes> Transmitted() const;
    int DataSetsApplied() const;
    int ChecksumErrors() const;
    int RequestsAnswered() const;

    // A data set as the instrument sends it.
    static Bytes MakeDataSet(std::uint8_t device, std::uint32_t address, const Bytes& data);
    static Bytes MakeDataRequest(std::uint8_t device, std::uint32_t address, std::uint32_t size);

private:
    void ApplyDataSet(const Bytes& message);
    void AnswerRequest(const Bytes& message);
    void Send(Bytes message, platform::core::Millis delay);

    Transmitter transmit_;
    mutable std::recursive_mutex mutex_;
    std::uint8_t device_ = 0x10;
    BlockTable blocks_;
    SimFaults faults_;
    std::map<std::uint32_t, std::uint8_t> memory_;
    std::vector<Bytes> received_;
    std::vector<Bytes> transmitted_;
    std::vector<Bytes> previousReplies_;
    int replies_ = 0;
    int applied_ = 0;
    int checksumErrors_ = 0;
    int answered_ = 0;
};

} // namespace testsupport
