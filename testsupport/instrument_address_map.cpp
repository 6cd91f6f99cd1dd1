#include "testsupport/instrument_address_map.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace testsupport {

namespace {

struct BlockShape {
    std::uint32_t offset;
    std::uint32_t size;
};

struct ElementShape {
    std::vector<BlockShape> blocks;
    // Edit buffer, then the first element of user and of card memory; 0 for none.
    std::uint32_t editBuffer;
    std::uint32_t user;
    std::uint32_t card;
    int perMemory;
};

std::vector<BlockShape> Blocks(std::uint32_t commonSize, std::uint32_t first, int count,
                               std::uint32_t step, std::uint32_t size) {
    std::vector<BlockShape> blocks{{0x0000, commonSize}};
    for (int i = 0; i < count; ++i)
        blocks.push_back({first + static_cast<std::uint32_t>(i) * step, size});
    return blocks;
}

void AddElement(std::vector<SimBlock>& all, std::uint32_t base,
                const std::vector<BlockShape>& blocks) {
    for (const BlockShape& block : blocks)
        all.push_back(
            {OffsetToAddress(AddressToOffset(base) + AddressToOffset(block.offset)), block.size});
}

std::vector<SimBlock> BuildBlocks() {
    const ElementShape patch{Blocks(73, 0x1000, 4, 0x200, 129), 0x03000000, 0x11000000, 0x21000000,
                             128};
    const ElementShape performance{Blocks(66, 0x1000, 16, 0x100, 25), 0x01000000, 0x10000000,
                                   0x20000000, 32};
    const ElementShape rhythm{Blocks(12, 0x2300, 64, 0x100, 58), 0x02090000, 0x10400000, 0x20400000,
                              2};

    std::vector<SimBlock> all;
    for (const ElementShape* shape : {&patch, &performance, &rhythm}) {
        AddElement(all, shape->editBuffer, shape->blocks);
        for (int n = 0; n < shape->perMemory; ++n) {
            const auto step = static_cast<std::uint32_t>(n) * 0x10000;
            AddElement(all, shape->user + step, shape->blocks);
            AddElement(all, shape->card + step, shape->blocks);
        }
    }
    AddElement(all, 0x00000000, Blocks(82, 0x1000, 17, 0x100, 12));
    std::sort(all.begin(), all.end(), [](const SimBlock& a, const SimBlock& b) {
        return AddressToOffset(a.Address) < AddressToOffset(b.Address);
    });
    return all;
}

} // namespace

const std::vector<SimBlock>& InstrumentBlocks() {
    static const std::vector<SimBlock> blocks = BuildBlocks();
    return blocks;
}

BlockTable InstrumentBlockTable() {
    return [](std::uint32_t address, std::uint32_t size) {
        const std::vector<SimBlock>& blocks = InstrumentBlocks();
        const std::uint32_t start = AddressToOffset(address);
        const std::uint32_t end = start + AddressToOffset(size);
        auto first = std::upper_bound(blocks.begin(), blocks.end(), start,
                                      [](std::uint32_t offset, const SimBlock& block) {
                                          return offset < AddressToOffset(block.Address);
                                      });
        // The block the range starts inside, if it does.
        if (first != blocks.begin() &&
            AddressToOffset(std::prev(first)->Address) + std::prev(first)->Size > start)
            --first;
        std::vector<SimBlock> result;
        for (auto it = first; it != blocks.end() && AddressToOffset(it->Address) < end; ++it)
            result.push_back(*it);
        return result;
    };
}

Bytes PatternBytes(const SimBlock& block) {
    constexpr std::uint32_t NameLength = 12;
    const std::uint32_t start = AddressToOffset(block.Address);
    Bytes bytes(block.Size);
    for (std::uint32_t i = 0; i < block.Size; ++i)
        bytes[i] = i < NameLength ? static_cast<std::uint8_t>('A' + (start / 0x80 + i) % 26)
                                  : static_cast<std::uint8_t>((start * 3 + i * 7) % 0x80);
    return bytes;
}

void FillWithPattern(SimInstrument& instrument) {
    for (const SimBlock& block : InstrumentBlocks())
        instrument.Write(block.Address, PatternBytes(block));
}

} // namespace testsupport
