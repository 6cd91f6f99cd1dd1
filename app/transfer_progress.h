#pragma once
// The counts of the transfer progress window: bytes and messages sent and received, the
// elements done, and the gauge's position, which follows the messages of the direction shown.

#include <cstdint>

namespace app {

class TTransferProgress {
public:
    // All counts 0, the receive layout; startNumber is kept, totalMessages is the 100 % mark.
    void Start(int startNumber, int totalMessages);
    void SetTransmetting() { transmitting_ = true; }
    void AddSended(int bytes, int messages);
    void AddReceived(int bytes, int messages);
    void AddElem(int n) { elems_ += n; }

    // Percent of the total, truncated; 0 without a total.
    int Position() const;

    bool Transmitting() const { return transmitting_; }
    std::int32_t BytesSended() const { return bytesSended_; }
    std::int32_t MessagesSended() const { return messagesSended_; }
    std::int32_t BytesReceived() const { return bytesReceived_; }
    std::int32_t MessagesReceived() const { return messagesReceived_; }
    std::int32_t Elems() const { return elems_; }
    int StartNumber() const { return startNumber_; }
    int TotalMessages() const { return totalMessages_; }

private:
    std::int32_t bytesReceived_ = 0;
    std::int32_t bytesSended_ = 0;
    std::int32_t messagesReceived_ = 0;
    std::int32_t messagesSended_ = 0;
    int startNumber_ = 0;
    int totalMessages_ = 0;
    std::int32_t elems_ = 0;
    bool transmitting_ = false;
};

} // namespace app
