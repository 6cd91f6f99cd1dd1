#pragma once
// Recombining the patches of a source bank into new patches: whole records or groups of
// parameters taken from randomly drawn patches and tones, and names whose letters are redrawn.
// Nothing is sent to the instrument here.

#include "app/random_source.h"
#include "model/sysex/address_map.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace model {
class TPatchBank;
}

namespace app {

// What the window's check and radio boxes ask for.
struct TRandomOptions {
    bool Common = true;
    // Tones 1..4.
    std::array<bool, model::ToneCount> Tones{true, true, true, true};
    bool PatchName = true;
    // Whole records from one draw each; else groups of parameters from a draw each.
    bool ToneComm = false;
};

// One draw: a source patch 0..127 and a source tone 1..3. Tone 1 comes twice as often as 2 or 3,
// and tone 4 never.
struct TRandomDraw {
    int Patch;
    int Tone;
};
TRandomDraw DrawSource(TRandomSource& Random);

// The tone parameters of each group, in the order of their draws; together they hold 0..128
// once each.
inline constexpr int ToneGroupCount = 7;
const std::array<std::vector<int>, ToneGroupCount>& ToneGroups();

// Fills the patch at Position (0..127) of NewBank from Source: the common record, tones 1 to 4
// in order, then the name, each drawn as Options say; what is not drawn is the source patch at
// the same position.
void RandomizePatch(TRandomSource& Random, const TRandomOptions& Options, model::TPatchBank& Source,
                    model::TPatchBank& NewBank, int Position);

// Name with every vowel redrawn among the vowels and every consonant among the consonants,
// upper case where the letter replaced was not a lower-case one; other characters stay.
std::string ScrambleName(TRandomSource& Random, std::string_view Name);

} // namespace app
