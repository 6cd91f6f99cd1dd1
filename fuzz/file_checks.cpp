#include "fuzz/file_checks.h"

#include "model/elements/library.h"
#include "model/sysex/sysex.h"
#include "platform/core/byte_file.h"

#include <algorithm>

namespace fuzz {

namespace pc = platform::core;

namespace {

// Length of the data set at p, or 0 when none starts there.
std::size_t DataSetLength(std::span<const std::uint8_t> bytes, std::size_t p) {
    if (bytes.size() - p < 11) return 0;
    if (bytes[p] != 0xF0 || bytes[p + 1] != model::ManufacturerId || bytes[p + 2] >= 0x80 ||
        bytes[p + 3] != model::ModelId || bytes[p + 4] != model::SysExDataSet)
        return 0;
    std::size_t q = p + 1;
    while (q < bytes.size() && bytes[q] < 0x80)
        ++q;
    if (q == bytes.size() || bytes[q] != 0xF7 || q - p + 1 < 11) return 0;
    return q - p + 1;
}

} // namespace

Bytes RecordOf(model::TLibElem& elem) {
    pc::TByteWriter file;
    elem.WriteRecord(file);
    return file.TakeBytes();
}

Bytes SysExOf(model::TLibElem& elem) {
    pc::TByteWriter file;
    elem.WriteSysEx(file);
    return file.TakeBytes();
}

Bytes LibraryOf(model::TLibrary& library) {
    pc::TByteWriter file;
    library.WriteLibrary(file);
    return file.TakeBytes();
}

std::optional<std::vector<DataSetAt>> SplitDataSets(std::span<const std::uint8_t> bytes) {
    std::vector<DataSetAt> found;
    for (std::size_t p = 0; p < bytes.size();) {
        const std::size_t length = DataSetLength(bytes, p);
        if (length == 0) return std::nullopt;
        found.push_back({p, length});
        p += length;
    }
    return found;
}

std::vector<DataSetAt> FindDataSets(std::span<const std::uint8_t> bytes) {
    std::vector<DataSetAt> found;
    for (std::size_t p = 0; p < bytes.size();) {
        const std::size_t length = DataSetLength(bytes, p);
        if (length == 0) {
            ++p;
            continue;
        }
        found.push_back({p, length});
        p += length;
    }
    return found;
}

void CheckSameData(std::span<const std::uint8_t> file, std::span<const std::uint8_t> written,
                   const std::vector<DataSetAt>& messages, bool sameHeader) {
    FUZZ_CHECK(file.size() == written.size());
    for (const DataSetAt& at : messages) {
        FUZZ_CHECK(at.start + at.length <= file.size());
        const auto in = file.subspan(at.start, at.length);
        const auto out = written.subspan(at.start, at.length);
        FUZZ_CHECK(out[0] == 0xF0 && out[1] == model::ManufacturerId && out[3] == model::ModelId &&
                   out[4] == model::SysExDataSet);
        if (sameHeader)
            FUZZ_CHECK(in[0] == out[0] && in[1] == out[1] && in[3] == out[3] && in[4] == out[4]);
        FUZZ_CHECK(std::all_of(out.begin() + 1, out.end() - 1, [](auto b) { return b < 0x80; }));
        FUZZ_CHECK(std::equal(in.begin() + 9, in.end() - 2, out.begin() + 9,
                              [](auto a, auto b) { return (a & 0x7F) == b; }));
        FUZZ_CHECK(model::CheckSysExChecksum(out));
        FUZZ_CHECK(out[out.size() - 1] == 0xF7);
    }
}

} // namespace fuzz
