#include "app/transfer_progress.h"

namespace app {

void TTransferProgress::Start(int startNumber, int totalMessages) {
    bytesReceived_ = bytesSended_ = messagesReceived_ = messagesSended_ = 0;
    elems_ = 0;
    startNumber_ = startNumber;
    totalMessages_ = totalMessages;
    transmitting_ = false;
}

void TTransferProgress::AddSended(int bytes, int messages) {
    bytesSended_ += bytes;
    messagesSended_ += messages;
}

void TTransferProgress::AddReceived(int bytes, int messages) {
    bytesReceived_ += bytes;
    messagesReceived_ += messages;
}

int TTransferProgress::Position() const {
    if (totalMessages_ <= 0) return 0;
    const std::int64_t done = transmitting_ ? messagesSended_ : messagesReceived_;
    return static_cast<int>(done * 100 / totalMessages_);
}

} // namespace app
