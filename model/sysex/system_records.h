#pragma once
// The blocks of the system settings: the common block and the 17 scale tunes. The system's
// page windows are kept by the system element itself.

#include "model/sysex/parameter_record.h"

#include <cstdint>
#include <span>

namespace model {

class TSystemCommon : public TParameterRecord<SystemCommonDataLength> {
public:
    TSystemCommon();

    void Clear();
    void SetParam(std::size_t n, std::uint8_t value);
    void SetParams(std::size_t first, std::span<const std::uint8_t> values);
};

class TPartScaleTune : public TParameterRecord<ScaleTuneDataLength> {
public:
    // number: 1..17
    explicit TPartScaleTune(int number);

    void Clear();
    void SetParam(std::size_t n, std::uint8_t value);

    std::uint8_t Number;
};

} // namespace model
