#pragma once
// The blocks of a patch: the common block and the four tones. Setting a parameter sends it to
// the instrument's edit buffer at once; the records also keep the editor windows of their pages.

#include "model/editing/editor_view.h"
#include "model/sysex/parameter_record.h"

#include <array>
#include <cstdint>
#include <span>

namespace model {

class TCommon : public TParameterRecord<CommonDataLength> {
public:
    TCommon();
    ~TCommon() override;

    void Clear();
    // Stores and sends one byte; a value equal to the stored one sends nothing.
    void SetParam(std::size_t n, std::uint8_t value);
    // Stores and sends a run of bytes as one data set.
    void SetParams(std::size_t first, std::span<const std::uint8_t> values);
    // The whole block, when the MIDI ports are open.
    void SendAll() const;

    void CloseEditors();
    void SaveEditorPositions();

    TEditorSlot CommonWindow;
    TEditorSlot EffectsWindow;
};

// Pages of a tone, in the order in which their windows and positions are kept.
enum TTonePage { tpWave, tpTVA, tpTVF, tpPitch, tpLFO1, tpLFO2, tpControl };
inline constexpr std::size_t TonePageCount = 7;

class TTone : public TParameterRecord<ToneDataLength> {
public:
    // tone: 1..4
    explicit TTone(int tone);
    ~TTone() override;

    void Clear();
    void SetParam(std::size_t n, std::uint8_t value);
    // Sends only when a byte of the run changes.
    void SetParams(std::size_t first, std::span<const std::uint8_t> values);
    void SendAll() const;

    void CloseEditors();
    void SaveEditorPositions();

    std::uint8_t Number;
    std::array<TEditorSlot, TonePageCount> Pages;
};

} // namespace model
