#pragma once
// The run-length code of the compressed bitmap stream. Packets of at most 125 bytes: a control
// byte below 0x80 repeats the one byte after it that many times; a control byte with 0x80 set
// is followed by (control & 0x7F) bytes taken as they are. A packet is a run when its first two
// bytes are equal, else a literal; a literal stops before two equal bytes, so that they start
// the next run.
//
// The stream: u32 size of the compressed bytes, the signature "XDBM", u16 version 1, the
// compressed bytes. Decoding checks every bound: truncated or overlong data is refused.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace toolkit::base {

inline constexpr std::size_t cxBitmapStreamHeaderSize = 10;
inline constexpr int cxRLEMaxPacket = 125;

std::vector<std::uint8_t> cxRLECompress(std::span<const std::uint8_t> Data);
// The decoded bytes, or nothing when a packet is cut short or the result would pass MaxSize.
std::optional<std::vector<std::uint8_t>> cxRLEDecompress(std::span<const std::uint8_t> Packed,
                                                         std::size_t MaxSize);

// Header and compressed Content.
std::vector<std::uint8_t> cxWriteCompressedStream(std::span<const std::uint8_t> Content);
// Whether Data starts with the header's signature.
bool cxIsCompressedStream(std::span<const std::uint8_t> Data);
// Content of a compressed stream at the start of Data, and the bytes the stream took; nothing
// when the header's size passes the data or the packets do not decode.
struct TcxDecodedStream {
    std::vector<std::uint8_t> Content;
    std::size_t Consumed = 0;
};
std::optional<TcxDecodedStream> cxReadCompressedStream(std::span<const std::uint8_t> Data,
                                                       std::size_t MaxSize);

} // namespace toolkit::base
