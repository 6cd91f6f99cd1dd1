// The compressed bitmap stream's run-length code. Whatever decodes, encodes back to packets
// that decode to the same bytes; nothing is read or written past a buffer, and no more bytes
// are produced than the limit allows.

#include "toolkit/base/cx_bitmap_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace toolkit::base;
    constexpr std::size_t Limit = 1 << 16;
    const std::span<const std::uint8_t> bytes(data, size);
    if (const auto decoded = cxRLEDecompress(bytes, Limit)) {
        if (decoded->size() > Limit) std::abort();
        const auto again = cxRLEDecompress(cxRLECompress(*decoded), decoded->size());
        if (!again || *again != *decoded) std::abort();
    }
    if (const auto stream = cxReadCompressedStream(bytes, Limit)) {
        if (stream->Consumed > size) std::abort();
        const auto written = cxWriteCompressedStream(stream->Content);
        const auto read = cxReadCompressedStream(written, stream->Content.size());
        if (!read || read->Content != stream->Content || read->Consumed != written.size())
            std::abort();
    }
    return 0;
}
