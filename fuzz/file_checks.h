#pragma once
// What the file targets compare: an element's bytes, and the data sets a file holds.

#include "fuzz/fuzz_world.h"
#include "model/elements/lib_elem.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace model {
class TLibrary;
}

namespace fuzz {

// The element's library record; what any change to it would show in.
Bytes RecordOf(model::TLibElem& elem);
// The element's messages in the file layout in force.
Bytes SysExOf(model::TLibElem& elem);
// The whole library file.
Bytes LibraryOf(model::TLibrary& library);

struct DataSetAt {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The data sets of this instrument that bytes consists of, one after the other; none when bytes
// are anything else.
std::optional<std::vector<DataSetAt>> SplitDataSets(std::span<const std::uint8_t> bytes);
// The data sets found anywhere in bytes, as a record holds them between its other fields.
std::vector<DataSetAt> FindDataSets(std::span<const std::uint8_t> bytes);

// At each of the messages, written holds a data set of this instrument with the file's data
// bytes (a damaged byte of 80H or more kept as its low 7 bits), a right checksum and F7. The
// header, the address and the checksum are the element's own, rebuilt on writing; sameHeader
// also asks for the file's maker, model and command, where the file had to hold data sets.
void CheckSameData(std::span<const std::uint8_t> file, std::span<const std::uint8_t> written,
                   const std::vector<DataSetAt>& messages, bool sameHeader);

} // namespace fuzz
