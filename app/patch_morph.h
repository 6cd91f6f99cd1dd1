#pragma once
// The arithmetic of the morph window: a patch between A and B at a factor 0..127. Each byte
// that takes part moves in a straight line from A's value (factor 0) to B's (factor 127); every
// other byte, the name among them, keeps A's value. Which bytes take part follows the window's
// check boxes, given here as plain flags so that the arithmetic stands without the window.

#include "model/elements/patch.h"

#include <array>
#include <cstdint>

namespace app {

inline constexpr int MorphFactorMax = 127;

// The window's check boxes as the arithmetic reads them; the defaults are the window's.
struct TMorphBoxes {
    // "Morph On": the common block and each tone.
    bool Common = true;
    std::array<bool, model::ToneCount> Tones{true, true, true, true};
    // "Include Parameter": the switch-like parameters, morphed only when checked.
    bool OnOff = true;
    bool Wavenumber = true;
    bool PanCtrlSwitch = true;
    bool Tonedelaymode = true;
    bool LfoExtSync = true;
    bool Lfowaveform = true;
    bool LFOfademode = true;
    bool Outpuassign = true;
    bool TVABiasDir = true;
    bool TVFfiltertype = true;
    // Checked and enabled: the window enables it only when A and B have the same EFX type
    // (common parameter 12), as the EFX parameters mean nothing across types.
    bool efxparameter = true;
    bool chorusoutassign = true;
    bool Reverbtype = true;
    bool efxoutassign = true;
    bool Holdpeak = true;
    bool Structuretype = true;
    bool Boosterlevel = true;
    bool StretchTuneDepth = true;
    bool coarsetune = false;
    bool finetune = false;
};

// Whether common parameter n (12..71) takes part; 12, the EFX type, never does.
bool UseCommonParameter(int n, const TMorphBoxes& Boxes);
// Whether tone parameter n (0..128) takes part.
bool UseToneParameter(int n, const TMorphBoxes& Boxes);

// The nearest integer, halves to even, as the processor rounds by default.
long double RoundEven(long double Value);
// Round((1 - t) * A + t * B) with t = Factor / 127 held as a double and the sum in extended
// precision: A at factor 0, B at factor 127.
std::uint8_t MorphByte(std::uint8_t A, std::uint8_t B, int Factor);

// Morph := A (records and name), then the common parameters 12..71 and the tone parameters
// 0..128 that take part, each tone from the same tone of A and B.
void MorphPatch(model::TPatch& Morph, const model::TPatch& A, const model::TPatch& B, int Factor,
                const TMorphBoxes& Boxes);

} // namespace app
