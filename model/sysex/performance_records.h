#pragma once
// The blocks of a performance: the common block and the 16 parts. The part page's window is
// kept by the performance itself.

#include "model/editing/editor_view.h"
#include "model/sysex/parameter_record.h"

#include <cstdint>
#include <span>
#include <string>

namespace model {

class TPerformanceCommon : public TParameterRecord<PerformanceCommonDataLength> {
public:
    TPerformanceCommon();
    ~TPerformanceCommon() override;

    void Clear();
    void SetParam(std::size_t n, std::uint8_t value);
    void SetParams(std::size_t first, std::span<const std::uint8_t> values);
    void SendAll() const;
    // The 12 name characters of data bytes 0..11.
    std::string GetName() const;

    void CloseEditors();
    void SaveEditorPositions();

    TEditorSlot CommonWindow;
    TEditorSlot EffectsWindow;
};

class TPerformancePart : public TParameterRecord<PerformancePartDataLength> {
public:
    // part: 1..16
    explicit TPerformancePart(int part);

    void Clear();
    void SetParam(std::size_t n, std::uint8_t value);
    void SetParams(std::size_t first, std::span<const std::uint8_t> values);

    std::uint8_t Number;
};

} // namespace model
