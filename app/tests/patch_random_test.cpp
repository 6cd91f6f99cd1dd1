// The recombination of a source bank's patches: what each draw decides, which parameters come
// with which draw, what stays the source's when its box is unchecked, and the scrambled names.

#include "app/patch_random.h"

#include "model/elements/bank.h"
#include "model/elements/patch.h"
#include "platform/core/date_time.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace app {
namespace {

// Gives the scripted values in turn, each taken modulo the range asked, and counts the draws.
class ScriptedRandom : public TRandomSource {
public:
    explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values)) {}
    int Random(int Range) override {
        const int value = values_.at(next_ % values_.size());
        ++next_;
        return value % Range;
    }
    void Randomize() override {}
    std::size_t Draws() const { return next_; }

private:
    std::vector<int> values_;
    std::size_t next_ = 0;
};

// A source bank in which every byte tells where it lies: common parameter n of patch p holds
// (p + n) % 128 and tone parameter n of tone t of patch p holds p; the tones' own marks are
// their images' first byte after the header (parameter 0), which holds t * 30.
class PatchRandomTest : public ::testing::Test {
protected:
    // Elements are stamped with a known time, never the wall clock's.
    platform::core::NowOverride fixedNow{platform::core::EncodeDate(2026, 3, 7) +
                                         platform::core::EncodeTime(9, 0, 0, 0)};
    PatchRandomTest() {
        for (int p = 0; p < model::PatchesPerMemory; ++p) {
            model::TPatch& patch = source.Patch(p);
            for (std::size_t n = 0; n < model::CommonDataLength; ++n)
                patch.Common->Data()[n] = static_cast<std::uint8_t>((p + n) % 128);
            for (int t = 1; t <= model::ToneCount; ++t)
                for (std::size_t n = 0; n < model::ToneDataLength; ++n)
                    patch.Tone(t).Data()[n] = static_cast<std::uint8_t>(n == 0 ? t * 30 : p);
        }
    }
    static TRandomOptions AllOff(bool toneComm) {
        TRandomOptions options;
        options.Common = false;
        options.Tones = {false, false, false, false};
        options.PatchName = false;
        options.ToneComm = toneComm;
        return options;
    }

    model::TPatchBank source{nullptr};
    model::TPatchBank target{nullptr};
};

TEST_F(PatchRandomTest, ADrawTakesAPatchOfTheBankAndTone1Twice2And3OnceAnd4Never) {
    const struct {
        int patchValue, toneValue;
        TRandomDraw expected;
    } cases[] = {{0, 0, {0, 1}}, {5, 1, {5, 2}}, {127, 2, {127, 3}}, {64, 3, {64, 1}}};
    for (const auto& c : cases) {
        ScriptedRandom random({c.patchValue, c.toneValue});
        const TRandomDraw draw = DrawSource(random);
        EXPECT_EQ(draw.Patch, c.expected.Patch) << c.patchValue;
        EXPECT_EQ(draw.Tone, c.expected.Tone) << c.toneValue;
        EXPECT_EQ(random.Draws(), 2U);
    }
}

TEST_F(PatchRandomTest, TheSevenGroupsHoldEveryToneParameterOnce) {
    std::multiset<int> params;
    for (const std::vector<int>& group : ToneGroups())
        params.insert(group.begin(), group.end());
    ASSERT_EQ(params.size(), model::ToneDataLength);
    for (int n = 0; n < static_cast<int>(model::ToneDataLength); ++n)
        EXPECT_EQ(params.count(n), 1U) << n;
}

TEST_F(PatchRandomTest, WithEveryBoxUncheckedTheNewBankEqualsItsSource) {
    for (bool toneComm : {false, true}) {
        SCOPED_TRACE(toneComm ? "tone/common oriented" : "group oriented");
        TClockRandom random(7);
        for (int p = 0; p < model::PatchesPerMemory; ++p)
            RandomizePatch(random, AllOff(toneComm), source, target, p);
        for (int p = 0; p < model::PatchesPerMemory; ++p) {
            EXPECT_EQ(target.Patch(p).Common->Image, source.Patch(p).Common->Image) << p;
            for (int t = 1; t <= model::ToneCount; ++t)
                EXPECT_EQ(target.Patch(p).Tone(t).Image, source.Patch(p).Tone(t).Image) << p;
        }
    }
}

TEST_F(PatchRandomTest, GroupOrientedTonesTakeEachGroupFromItsOwnDraw) {
    // Only tone 2 is checked: seven draws, group g from patch 10 + g, tone 3 (value 2).
    TRandomOptions options = AllOff(false);
    options.Tones = {false, true, false, false};
    std::vector<int> script;
    for (int g = 0; g < ToneGroupCount; ++g)
        script.insert(script.end(), {10 + g, 2});
    ScriptedRandom random(script);
    RandomizePatch(random, options, source, target, 40);
    EXPECT_EQ(random.Draws(), script.size());
    const model::TTone& tone = target.Patch(40).Tone(2);
    for (int g = 0; g < ToneGroupCount; ++g)
        for (int n : ToneGroups().at(static_cast<std::size_t>(g)))
            EXPECT_EQ(tone.GetParam(static_cast<std::size_t>(n)), n == 0 ? 90 : 10 + g)
                << "group " << g + 1 << ", parameter " << n;
    // The tone keeps its own header: group copies write parameter bytes only.
    EXPECT_TRUE(std::equal(tone.Image.begin(), tone.Image.begin() + model::SysExHeaderLength,
                           source.Patch(40).Tone(2).Image.begin()));
    for (int t : {1, 3, 4})
        EXPECT_EQ(target.Patch(40).Tone(t).Image, source.Patch(40).Tone(t).Image) << t;
}

TEST_F(PatchRandomTest, GroupOrientedCommonTakesTheMiddleFromASecondDraw) {
    TRandomOptions options = AllOff(false);
    options.Common = true;
    ScriptedRandom random({20, 0, 90, 0});
    RandomizePatch(random, options, source, target, 3);
    EXPECT_EQ(random.Draws(), 4U);
    const model::TCommon& common = *target.Patch(3).Common;
    for (std::size_t n = 0; n < model::CommonDataLength; ++n) {
        const int from = n >= 12 && n <= 43 ? 90 : 20;
        EXPECT_EQ(common.GetParam(n), (from + n) % 128) << n;
    }
}

TEST_F(PatchRandomTest, ToneCommonOrientedCopiesWholeRecordsOfOneDrawEach) {
    TRandomOptions options = AllOff(true);
    options.Common = true;
    options.Tones = {true, false, false, true};
    // Common from patch 7; tone 1 from tone 2 of patch 8; tone 4 from tone 3 of patch 9.
    ScriptedRandom random({7, 0, 8, 1, 9, 2});
    RandomizePatch(random, options, source, target, 0);
    EXPECT_EQ(random.Draws(), 6U);
    const model::TPatch& patch = target.Patch(0);
    EXPECT_EQ(patch.Common->Image, source.Patch(7).Common->Image);
    EXPECT_EQ(patch.Tones[0]->Image, source.Patch(8).Tone(2).Image);
    EXPECT_EQ(patch.Tones[3]->Image, source.Patch(9).Tone(3).Image);
    EXPECT_EQ(patch.Tones[1]->Image, source.Patch(0).Tone(2).Image);
}

TEST_F(PatchRandomTest, Tone4OfTheSourceNeverReachesACheckedTone) {
    for (bool toneComm : {false, true}) {
        SCOPED_TRACE(toneComm ? "tone/common oriented" : "group oriented");
        TRandomOptions options;
        options.ToneComm = toneComm;
        std::set<int> marks;
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            TClockRandom random(seed);
            for (int p = 0; p < model::PatchesPerMemory; ++p) {
                RandomizePatch(random, options, source, target, p);
                for (int t = 1; t <= model::ToneCount; ++t)
                    marks.insert(target.Patch(p).Tone(t).GetParam(0));
            }
        }
        // Tones 1, 2 and 3 of the source came, and never tone 4.
        EXPECT_EQ(marks, (std::set<int>{30, 60, 90}));
    }
}

// L for a lower-case letter, U for an upper-case one, the character itself otherwise.
std::string Pattern(const std::string& name) {
    std::string pattern;
    for (char ch : name)
        pattern += ch >= 'a' && ch <= 'z' ? 'L' : ch >= 'A' && ch <= 'Z' ? 'U' : ch;
    return pattern;
}

bool IsVowel(char ch) {
    return std::string_view("aeiou").find(static_cast<char>(
               std::tolower(static_cast<unsigned char>(ch)))) != std::string_view::npos;
}

TEST_F(PatchRandomTest, ScramblingKeepsLengthCasePatternVowelsAndEveryOtherCharacter) {
    const std::string names[] = {"Piano 1", "BRASS-x",       "aeiou",     "Zq9 !",
                                 "",        "\xE9t\xE9 Pad", "SynBass#12"};
    for (const std::string& name : names) {
        std::set<std::string> seen;
        for (std::uint32_t seed = 0; seed < 200; ++seed) {
            TClockRandom random(seed);
            const std::string scrambled = ScrambleName(random, name);
            seen.insert(scrambled);
            ASSERT_EQ(scrambled.size(), name.size()) << name;
            EXPECT_EQ(Pattern(scrambled), Pattern(name)) << name << " -> " << scrambled;
            for (std::size_t i = 0; i < name.size(); ++i) {
                if (std::isalpha(static_cast<unsigned char>(name[i])) && name[i] > 0) {
                    EXPECT_EQ(IsVowel(scrambled[i]), IsVowel(name[i])) << name << " " << i;
                }
            }
        }
        // Over 200 seeds a name with a letter comes out in more than one way.
        const bool hasLetter = Pattern(name).find_first_of("LU") != std::string::npos;
        EXPECT_EQ(seen.size() > 1, hasLetter) << name;
    }
}

TEST_F(PatchRandomTest, ANameAloneIsScrambledFromTheSourcePatchAtTheSamePlace) {
    source.Patch(9).SetName("Soft Pad 2", false);
    TRandomOptions options = AllOff(false);
    options.PatchName = true;
    // Every letter takes the first of its list: vowels 'a', consonants 'p'.
    ScriptedRandom random({0});
    RandomizePatch(random, options, source, target, 9);
    EXPECT_EQ(target.Patch(9).GetName(), "Papp Pap 2");
    for (std::size_t n = 12; n < model::CommonDataLength; ++n)
        EXPECT_EQ(target.Patch(9).Common->GetParam(n), source.Patch(9).Common->GetParam(n));
    for (int t = 1; t <= model::ToneCount; ++t)
        EXPECT_EQ(target.Patch(9).Tone(t).Image, source.Patch(9).Tone(t).Image);
}

} // namespace
} // namespace app
