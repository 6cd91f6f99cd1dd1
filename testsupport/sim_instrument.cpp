#include "testsupport/sim_instrument.h"

#include "midi/sysex_frame.h"

#include <algorithm>

namespace testsupport {

namespace {

std::uint32_t Read7BitWord(const Bytes& message, std::size_t at) {
    return std::uint32_t{message[at]} << 24 | std::uint32_t{message[at + 1]} << 16 |
           std::uint32_t{message[at + 2]} << 8 | std::uint32_t{message[at + 3]};
}

void Append7BitWord(Bytes& message, std::uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8)
        message.push_back(static_cast<std::uint8_t>((word >> shift) & 0x7F));
}

Bytes Frame(std::uint8_t device, std::uint8_t command, std::uint32_t address, const Bytes& body) {
    Bytes message = {0xF0, midi::ManufacturerId, device, midi::ModelId, command};
    Append7BitWord(message, address);
    message.insert(message.end(), body.begin(), body.end());
    message.push_back(0);
    message.push_back(0xF7);
    message[message.size() - 2] = midi::SysExChecksum(message);
    return message;
}

} // namespace

std::uint32_t AddressToOffset(std::uint32_t address) {
    return (address >> 24 & 0x7F) << 21 | (address >> 16 & 0x7F) << 14 |
           (address >> 8 & 0x7F) << 7 | (address & 0x7F);
}

std::uint32_t OffsetToAddress(std::uint32_t offset) {
    return (offset >> 21 & 0x7F) << 24 | (offset >> 14 & 0x7F) << 16 | (offset >> 7 & 0x7F) << 8 |
           (offset & 0x7F);
}

BlockTable FlatBlockTable() {
    return [](std::uint32_t address, std::uint32_t size) {
        return std::vector<SimBlock>{SimBlock{address, size}};
    };
}

SimInstrument::SimInstrument(Transmitter transmit)
    : transmit_(std::move(transmit)), blocks_(FlatBlockTable()) {}

void SimInstrument::SetDeviceByte(std::uint8_t device) {
    std::lock_guard lock(mutex_);
    device_ = device;
}

std::uint8_t SimInstrument::DeviceByte() const {
    std::lock_guard lock(mutex_);
    return device_;
}

void SimInstrument::SetBlockTable(BlockTable table) {
    std::lock_guard lock(mutex_);
    blocks_ = std::move(table);
}

void SimInstrument::SetFaults(SimFaults faults) {
    std::lock_guard lock(mutex_);
    faults_ = std::move(faults);
}

SimFaults SimInstrument::Faults() const {
    std::lock_guard lock(mutex_);
    return faults_;
}

Bytes SimInstrument::Read(std::uint32_t address, std::uint32_t size) const {
    std::lock_guard lock(mutex_);
    Bytes bytes(size);
    std::uint32_t offset = AddressToOffset(address);
    for (auto it = memory_.lower_bound(offset); it != memory_.end() && it->first < offset + size;
         ++it)
        bytes[it->first - offset] = it->second;
    return bytes;
}

void SimInstrument::Write(std::uint32_t address, const Bytes& bytes) {
    std::lock_guard lock(mutex_);
    std::uint32_t offset = AddressToOffset(address);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        memory_[offset + static_cast<std::uint32_t>(i)] = bytes[i];
}

void SimInstrument::Receive(const Bytes& message) {
    std::lock_guard lock(mutex_);
    received_.push_back(message);
    if (message.size() < 11 || message.front() != 0xF0 || message.back() != 0xF7) return;
    if (message[1] != midi::ManufacturerId || message[3] != midi::ModelId) return;
    if (message[2] != device_ && message[2] != 0x7F) return;
    for (std::size_t i = 1; i + 1 < message.size(); ++i) {
        if (message[i] & 0x80) return;
    }
    std::uint8_t sum = message[message.size() - 2];
    if (midi::SysExChecksum(message) != sum) {
        ++checksumErrors_;
        return;
    }
    if (message[4] == DataSet && message.size() >= 12) ApplyDataSet(message);
    if (message[4] == DataRequest && message.size() == 15) AnswerRequest(message);
}

void SimInstrument::ApplyDataSet(const Bytes& message) {
    Write(Read7BitWord(message, 5), Bytes(message.begin() + 9, message.end() - 2));
    ++applied_;
}

void SimInstrument::AnswerRequest(const Bytes& message) {
    const std::uint32_t address = Read7BitWord(message, 5);
    const bool cardMemory = (address >> 24) >= 0x20 && (address >> 24) < 0x30;
    if ((faults_.NoCard && cardMemory) || faults_.Unanswered.count(address)) return;
    std::uint32_t start = AddressToOffset(address);
    std::uint32_t end = start + AddressToOffset(Read7BitWord(message, 9));
    std::vector<Bytes> replies;
    // Each block the range touches answers with its part of the range: a request may start
    // inside a block (the effects window asks for a block's EFX bytes alone).
    for (const SimBlock& block : blocks_(OffsetToAddress(start), OffsetToAddress(end - start))) {
        const std::uint32_t blockStart = AddressToOffset(block.Address);
        const std::uint32_t from = std::max(start, blockStart);
        const std::uint32_t to = std::min(end, blockStart + block.Size);
        if (from >= to) continue;
        const std::uint32_t at = OffsetToAddress(from);
        replies.push_back(Frame(device_, DataSet, at, Read(at, to - from)));
    }
    if (faults_.Silent) return;
    ++answered_;
    if (faults_.StaleReplies) {
        for (const Bytes& reply : previousReplies_)
            Send(reply, faults_.ReplyDelay);
    }
    for (Bytes& reply : replies) {
        if (faults_.StrayEvents) {
            Send({0x90, 0x3C, 0x40}, faults_.ReplyDelay);
            Send({0xB0, 0x07, 0x64}, faults_.ReplyDelay);
            Send({0x80, 0x3C, 0x00}, faults_.ReplyDelay);
        }
        if (faults_.ForeignSysex) {
            Send({0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7}, faults_.ReplyDelay);
            Bytes otherModel = Frame(device_, DataSet, 0, {0x01});
            otherModel[3] = 0x16;
            Send(std::move(otherModel), faults_.ReplyDelay);
        }
        Bytes sent = reply;
        if (faults_.CorruptReplies.count(++replies_)) {
            std::uint8_t& sum = sent[sent.size() - 2];
            sum = static_cast<std::uint8_t>((sum + 1) & 0x7F);
        }
        Send(std::move(sent), faults_.ReplyDelay);
    }
    previousReplies_ = std::move(replies);
}

void SimInstrument::Transmit(Bytes message, platform::core::Millis delay) {
    std::lock_guard lock(mutex_);
    Send(std::move(message), delay);
}

void SimInstrument::Send(Bytes message, platform::core::Millis delay) {
    transmitted_.push_back(message);
    if (transmit_) transmit_(std::move(message), delay);
}

std::vector<Bytes> SimInstrument::Received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<Bytes> SimInstrument::Transmitted() const {
    std::lock_guard lock(mutex_);
    return transmitted_;
}

int SimInstrument::DataSetsApplied() const {
    std::lock_guard lock(mutex_);
    return applied_;
}

int SimInstrument::ChecksumErrors() const {
    std::lock_guard lock(mutex_);
    return checksumErrors_;
}

int SimInstrument::RequestsAnswered() const {
    std::lock_guard lock(mutex_);
    return answered_;
}

Bytes SimInstrument::MakeDataSet(std::uint8_t device, std::uint32_t address, const Bytes& data) {
    return Frame(device, DataSet, address, data);
}

Bytes SimInstrument::MakeDataRequest(std::uint8_t device, std::uint32_t address,
                                     std::uint32_t size) {
    Bytes body;
    Append7BitWord(body, size);
    return Frame(device, DataRequest, address, body);
}

} // namespace testsupport
