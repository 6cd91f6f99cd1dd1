#include "toolkit/base/cx_bitmap_codec.h"

#include <algorithm>

namespace toolkit::base {

namespace {

constexpr std::uint8_t Signature[4] = {'X', 'D', 'B', 'M'};

void PutU32(std::vector<std::uint8_t>& Out, std::uint32_t Value) {
    for (int I = 0; I < 4; ++I)
        Out.push_back(static_cast<std::uint8_t>(Value >> (8 * I)));
}

} // namespace

std::vector<std::uint8_t> cxRLECompress(std::span<const std::uint8_t> Data) {
    std::vector<std::uint8_t> Out;
    const std::size_t Size = Data.size();
    std::size_t I = 0;
    while (I < Size) {
        if (I + 1 < Size && Data[I + 1] == Data[I]) {
            std::size_t N = 2;
            while (N < cxRLEMaxPacket && I + N < Size && Data[I + N] == Data[I])
                ++N;
            Out.push_back(static_cast<std::uint8_t>(N));
            Out.push_back(Data[I]);
            I += N;
            continue;
        }
        std::size_t N = 1;
        while (N < cxRLEMaxPacket && I + N < Size) {
            if (Data[I + N] == Data[I + N - 1]) {
                --N; // the last byte starts the run that follows
                break;
            }
            ++N;
        }
        Out.push_back(static_cast<std::uint8_t>(0x80 | N));
        Out.insert(Out.end(), Data.begin() + static_cast<std::ptrdiff_t>(I),
                   Data.begin() + static_cast<std::ptrdiff_t>(I + N));
        I += N;
    }
    return Out;
}

std::optional<std::vector<std::uint8_t>> cxRLEDecompress(std::span<const std::uint8_t> Packed,
                                                         std::size_t MaxSize) {
    std::vector<std::uint8_t> Out;
    std::size_t I = 0;
    while (I < Packed.size()) {
        const std::uint8_t Control = Packed[I++];
        const std::size_t Count = Control & 0x7F;
        if (Count > MaxSize - Out.size()) return std::nullopt;
        if (Control & 0x80) {
            if (Count > Packed.size() - I) return std::nullopt;
            Out.insert(Out.end(), Packed.begin() + static_cast<std::ptrdiff_t>(I),
                       Packed.begin() + static_cast<std::ptrdiff_t>(I + Count));
            I += Count;
        } else {
            if (I >= Packed.size()) return std::nullopt;
            Out.insert(Out.end(), Count, Packed[I++]);
        }
    }
    return Out;
}

std::vector<std::uint8_t> cxWriteCompressedStream(std::span<const std::uint8_t> Content) {
    const std::vector<std::uint8_t> Packed = cxRLECompress(Content);
    std::vector<std::uint8_t> Out;
    PutU32(Out, static_cast<std::uint32_t>(Packed.size()));
    Out.insert(Out.end(), std::begin(Signature), std::end(Signature));
    Out.push_back(1);
    Out.push_back(0);
    Out.insert(Out.end(), Packed.begin(), Packed.end());
    return Out;
}

bool cxIsCompressedStream(std::span<const std::uint8_t> Data) {
    return Data.size() >= cxBitmapStreamHeaderSize &&
           std::equal(std::begin(Signature), std::end(Signature), Data.begin() + 4);
}

std::optional<TcxDecodedStream> cxReadCompressedStream(std::span<const std::uint8_t> Data,
                                                       std::size_t MaxSize) {
    if (!cxIsCompressedStream(Data)) return std::nullopt;
    std::size_t DataSize = 0;
    for (int I = 3; I >= 0; --I)
        DataSize = DataSize << 8 | Data[static_cast<std::size_t>(I)];
    if (DataSize > Data.size() - cxBitmapStreamHeaderSize) return std::nullopt;
    auto Content = cxRLEDecompress(Data.subspan(cxBitmapStreamHeaderSize, DataSize), MaxSize);
    if (!Content) return std::nullopt;
    return TcxDecodedStream{std::move(*Content), cxBitmapStreamHeaderSize + DataSize};
}

} // namespace toolkit::base
