#pragma once
// The blocks of a rhythm set: the common block (its name) and one note per key 35..98. The
// note pages' windows are kept by the rhythm set itself.

#include "model/sysex/parameter_record.h"

#include <cstdint>
#include <span>

namespace model {

class TRhythmCommon : public TParameterRecord<RhythmCommonDataLength> {
public:
    TRhythmCommon();

    void Clear();
    void SetParams(std::size_t first, std::span<const std::uint8_t> values);
};

class TRhythmNote : public TParameterRecord<RhythmNoteDataLength> {
public:
    // key: 35..98
    explicit TRhythmNote(int key);

    void Clear();
    void SetParam(std::size_t n, std::uint8_t value);
    void SetParams(std::size_t first, std::span<const std::uint8_t> values);

    std::uint8_t Key;
};

} // namespace model
