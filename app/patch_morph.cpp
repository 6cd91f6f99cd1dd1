#include "app/patch_morph.h"

#include <cmath>
#include <cstddef>

namespace app {

namespace {

// The common block's EFX type, whose parameters follow it.
constexpr int EfxType = 12;
constexpr int FirstMorphedCommon = 12;
constexpr int LastMorphedCommon = 71;
constexpr int LastTone = 128;

// 1 / 127 as the factor's scale was always written; the product is rounded to a double before
// use, so that the bytes come out as they always have.
constexpr long double FactorScale = 0.007874015748031496L;

template <class TRecord>
void MorphRecord(TRecord& morph, const TRecord& a, const TRecord& b, int first, int last,
                 int factor, bool (*use)(int, const TMorphBoxes&), const TMorphBoxes& boxes) {
    const auto from = a.Data();
    const auto to = b.Data();
    auto into = morph.Data();
    for (int n = first; n <= last; ++n) {
        if (!use(n, boxes)) continue;
        const auto i = static_cast<std::size_t>(n);
        into[i] = MorphByte(from[i], to[i], factor);
    }
}

} // namespace

bool UseCommonParameter(int n, const TMorphBoxes& Boxes) {
    if (n == EfxType) return false;
    if (n >= 13 && n <= 24) return Boxes.efxparameter;
    if (n >= 60 && n <= 63) return Boxes.Holdpeak;
    switch (n) {
    case 25:
        return Boxes.efxoutassign;
    case 38:
        return Boxes.chorusoutassign;
    case 39:
        return Boxes.Reverbtype;
    case 51:
    case 54:
    case 55:
    case 56:
    case 64:
    case 67:
        return Boxes.OnOff;
    case 66:
        return Boxes.StretchTuneDepth;
    case 68:
    case 70:
        return Boxes.Structuretype;
    case 69:
    case 71:
        return Boxes.Boosterlevel;
    default:
        return true;
    }
}

bool UseToneParameter(int n, const TMorphBoxes& Boxes) {
    switch (n) {
    case 0:
    case 16:
    case 17:
    case 18:
    case 19:
    case 46:
    case 54:
        return Boxes.OnOff;
    case 3:
        return Boxes.Wavenumber;
    case 9:
        return Boxes.Tonedelaymode;
    case 20:
        return Boxes.PanCtrlSwitch;
    case 45:
    case 53:
        return Boxes.Lfowaveform;
    case 50:
    case 58:
        return Boxes.LFOfademode;
    case 52:
    case 60:
        return Boxes.LfoExtSync;
    case 61:
        return Boxes.coarsetune;
    case 62:
        return Boxes.finetune;
    case 80:
        return Boxes.TVFfiltertype;
    case 102:
        return Boxes.TVABiasDir;
    case 125:
        return Boxes.Outpuassign;
    default:
        return true;
    }
}

long double RoundEven(long double Value) {
    // The default rounding mode is to nearest, ties to even.
    return std::nearbyint(Value);
}

std::uint8_t MorphByte(std::uint8_t A, std::uint8_t B, int Factor) {
    const auto t = static_cast<long double>(static_cast<double>(Factor * FactorScale));
    return static_cast<std::uint8_t>(RoundEven((1.0L - t) * A + t * B));
}

void MorphPatch(model::TPatch& Morph, const model::TPatch& A, const model::TPatch& B, int Factor,
                const TMorphBoxes& Boxes) {
    Morph.Assign(A);
    if (Boxes.Common)
        MorphRecord(*Morph.Common, *A.Common, *B.Common, FirstMorphedCommon, LastMorphedCommon,
                    Factor, UseCommonParameter, Boxes);
    for (std::size_t t = 0; t < Morph.Tones.size(); ++t)
        if (Boxes.Tones[t])
            MorphRecord(*Morph.Tones[t], *A.Tones[t], *B.Tones[t], 0, LastTone, Factor,
                        UseToneParameter, Boxes);
}

} // namespace app
