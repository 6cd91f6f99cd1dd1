#include "app/patch_random.h"

#include "model/elements/bank.h"
#include "model/elements/patch.h"

#include <cctype>
#include <numeric>

namespace app {

namespace {

constexpr std::string_view Vowels = "aeiou";
constexpr std::string_view Consonants = "pytrwqsdfghjklmnbvcxz";

// The name and the rest of the common record's tail go with one draw, the middle with another.
constexpr int CommonNameLast = 11;
constexpr int CommonSecondFirst = 12;
constexpr int CommonSecondLast = 43;

std::vector<int> Range(int first, int last) {
    std::vector<int> params(static_cast<std::size_t>(last - first + 1));
    std::iota(params.begin(), params.end(), first);
    return params;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

template <class TRecord> void CopyParams(const TRecord& from, TRecord& to, int first, int last) {
    for (int n = first; n <= last; ++n)
        to.Data()[static_cast<std::size_t>(n)] = from.Data()[static_cast<std::size_t>(n)];
}

void RandomizeCommon(TRandomSource& random, const TRandomOptions& options,
                     model::TPatchBank& source, model::TPatch& patch, int position) {
    if (!options.Common) {
        patch.Common->Image = source.Patch(position).Common->Image;
        return;
    }
    if (options.ToneComm) {
        patch.Common->Image = source.Patch(DrawSource(random).Patch).Common->Image;
        return;
    }
    const model::TCommon& first = *source.Patch(DrawSource(random).Patch).Common;
    CopyParams(first, *patch.Common, 0, CommonNameLast);
    CopyParams(first, *patch.Common, CommonSecondLast + 1,
               static_cast<int>(model::CommonDataLength) - 1);
    const model::TCommon& second = *source.Patch(DrawSource(random).Patch).Common;
    CopyParams(second, *patch.Common, CommonSecondFirst, CommonSecondLast);
}

void RandomizeTone(TRandomSource& random, const TRandomOptions& options, model::TPatchBank& source,
                   model::TPatch& patch, int position, int tone) {
    model::TTone& into = patch.Tone(tone);
    if (!options.Tones.at(static_cast<std::size_t>(tone - 1))) {
        into.Image = source.Patch(position).Tone(tone).Image;
        return;
    }
    if (options.ToneComm) {
        const TRandomDraw draw = DrawSource(random);
        into.Image = source.Patch(draw.Patch).Tone(draw.Tone).Image;
        return;
    }
    for (const std::vector<int>& group : ToneGroups()) {
        const TRandomDraw draw = DrawSource(random);
        const model::TTone& from = source.Patch(draw.Patch).Tone(draw.Tone);
        for (int n : group)
            into.Data()[static_cast<std::size_t>(n)] = from.Data()[static_cast<std::size_t>(n)];
    }
}

char Redrawn(TRandomSource& random, std::string_view letters, char replaced) {
    const char letter =
        letters[static_cast<std::size_t>(random.Random(static_cast<int>(letters.size())))];
    const bool lower = replaced >= 'a' && replaced <= 'z';
    return lower ? letter : static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

} // namespace

TRandomDraw DrawSource(TRandomSource& Random) {
    const int patch = Random.Random(model::PatchesPerMemory) % model::PatchesPerMemory;
    // mod 3 of 0..3: tone 1 twice as likely, tone 4 never.
    const int tone = Random.Random(4) % 3 + 1;
    return {patch, tone};
}

const std::array<std::vector<int>, ToneGroupCount>& ToneGroups() {
    static const std::array<std::vector<int>, ToneGroupCount> groups = {
        Range(0, 10),
        Join(Range(11, 44), Range(125, 128)),
        Join(Range(45, 52), {123, 117, 99, 78}),
        Join(Range(53, 60), {124, 118, 100, 79}),
        Range(61, 77),
        Range(80, 98),
        Join(Range(101, 116), Range(119, 122)),
    };
    return groups;
}

void RandomizePatch(TRandomSource& Random, const TRandomOptions& Options, model::TPatchBank& Source,
                    model::TPatchBank& NewBank, int Position) {
    model::TPatch& patch = NewBank.Patch(Position);
    RandomizeCommon(Random, Options, Source, patch, Position);
    for (int tone = 1; tone <= model::ToneCount; ++tone)
        RandomizeTone(Random, Options, Source, patch, Position, tone);
    if (Options.PatchName)
        patch.SetName(ScrambleName(Random, Source.Patch(Position).GetName()), false);
}

std::string ScrambleName(TRandomSource& Random, std::string_view Name) {
    std::string scrambled(Name);
    for (char& ch : scrambled) {
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (Vowels.find(lower) != std::string_view::npos)
            ch = Redrawn(Random, Vowels, ch);
        else if (Consonants.find(lower) != std::string_view::npos)
            ch = Redrawn(Random, Consonants, ch);
    }
    return scrambled;
}

} // namespace app
