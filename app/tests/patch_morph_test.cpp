// The morph arithmetic: rounding, the ends of the factor's range, and which bytes of a patch take
// part by the check boxes.

#include "app/patch_morph.h"
#include "platform/core/date_time.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace app::test {

namespace {

TEST(PatchMorphTest, RoundingTakesHalvesToTheEvenNeighbour) {
    const struct {
        long double value;
        long double rounded;
    } cases[] = {
        {0.5L, 0},    {1.5L, 2},    {2.5L, 2},    {3.5L, 4},    {126.5L, 126}, {127.5L, 128},
        {0.4999L, 0}, {0.5001L, 1}, {2.4999L, 2}, {2.5001L, 3}, {7.0L, 7},     {0.0L, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundEven(c.value), c.rounded) << static_cast<double>(c.value);
}

TEST(PatchMorphTest, MorphByteRoundsTheLineFromAToBToTheNearestByte) {
    const struct {
        std::uint8_t a, b;
        int factor;
        std::uint8_t morphed;
    } cases[] = {
        // One step between A and B turns over just past the middle of the range: 63/127 is
        // below a half, 64/127 above.
        {0, 1, 63, 0},
        {0, 1, 64, 1},
        {1, 0, 63, 1},
        {1, 0, 64, 0},
        // 2 * 32/127 = 0.504 and 2 * 95/127 = 1.496, 2 * 96/127 = 1.512.
        {0, 2, 31, 0},
        {0, 2, 32, 1},
        {0, 2, 95, 1},
        {0, 2, 96, 2},
        // 10 + 10 * 64/127 = 15.04.
        {10, 20, 64, 15},
        {20, 10, 64, 15},
        // The full range gives the factor itself, and backwards its complement.
        {0, 127, 1, 1},
        {0, 127, 64, 64},
        {0, 127, 126, 126},
        {127, 0, 1, 126},
        {127, 0, 126, 1},
        // Equal ends stay put at every factor.
        {42, 42, 0, 42},
        {42, 42, 77, 42},
        {42, 42, 127, 42},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MorphByte(c.a, c.b, c.factor), c.morphed)
            << int{c.a} << " to " << int{c.b} << " at " << c.factor;
}

TEST(PatchMorphTest, FactorZeroIsAAndFactor127IsBForEveryPairOfBytes) {
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            const auto from = static_cast<std::uint8_t>(a);
            const auto to = static_cast<std::uint8_t>(b);
            ASSERT_EQ(MorphByte(from, to, 0), from) << a << " " << b;
            ASSERT_EQ(MorphByte(from, to, MorphFactorMax), to) << a << " " << b;
        }
}

// Two patches whose every data byte differs, with the same EFX type unless asked otherwise.
class PatchMorphFixture : public ::testing::Test {
protected:
    // Elements are stamped with a known time, never the wall clock's.
    platform::core::NowOverride fixedNow{platform::core::EncodeDate(2026, 3, 7) +
                                         platform::core::EncodeTime(9, 0, 0, 0)};
    PatchMorphFixture() {
        Fill(a, 0);
        Fill(b, 127);
        a.SetName("Alpha", false);
        b.SetName("Bravo", false);
        b.Common->Data()[12] = a.Common->Data()[12];
    }
    // Byte n of each record is a pattern below 128, or its complement with flip 127.
    static void Fill(model::TPatch& patch, int flip) {
        for (std::size_t n = 0; n < model::TCommon::DataSize; ++n)
            patch.Common->Data()[n] = static_cast<std::uint8_t>(flip ^ ((n * 7 + 3) % 128));
        for (int t = 1; t <= model::ToneCount; ++t)
            for (std::size_t n = 0; n < model::TTone::DataSize; ++n)
                patch.Tone(t).Data()[n] =
                    static_cast<std::uint8_t>(flip ^ ((n * 5 + 11 * t + 1) % 128));
    }
    // At factor 127: every common byte is B's but those kept, every tone byte B's but those
    // kept in tone t.
    void ExpectKept(const std::set<int>& common, const std::function<std::set<int>(int)>& tone) {
        for (int n = 0; n < static_cast<int>(model::TCommon::DataSize); ++n) {
            const auto i = static_cast<std::size_t>(n);
            const model::TPatch& from = common.contains(n) ? a : b;
            EXPECT_EQ(morph.Common->Data()[i], from.Common->Data()[i]) << "common " << n;
        }
        for (int t = 1; t <= model::ToneCount; ++t) {
            const std::set<int> kept = tone(t);
            for (int n = 0; n < static_cast<int>(model::TTone::DataSize); ++n) {
                const auto i = static_cast<std::size_t>(n);
                model::TPatch& from = kept.contains(n) ? a : b;
                EXPECT_EQ(morph.Tone(t).Data()[i], from.Tone(t).Data()[i])
                    << "tone " << t << " parameter " << n;
            }
        }
    }
    static std::set<int> Range(int first, int last) {
        std::set<int> range;
        for (int n = first; n <= last; ++n)
            range.insert(n);
        return range;
    }
    static std::set<int> Joined(std::set<int> x, const std::set<int>& y) {
        x.insert(y.begin(), y.end());
        return x;
    }

    model::TPatch a{nullptr};
    model::TPatch b{nullptr};
    model::TPatch morph{nullptr};
};

// The name, the EFX type and common 72 are never morphed.
const std::set<int> NeverMorphed = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 72};

TEST_F(PatchMorphFixture, FactorZeroReproducesAByteForByte) {
    TMorphBoxes all;
    all.coarsetune = all.finetune = true;
    MorphPatch(morph, a, b, 0, all);
    EXPECT_EQ(morph.Common->Image, a.Common->Image);
    for (int t = 1; t <= model::ToneCount; ++t)
        EXPECT_EQ(morph.Tone(t).Image, a.Tone(t).Image) << t;
    EXPECT_EQ(morph.GetName(), "Alpha");
}

TEST_F(PatchMorphFixture, Factor127WithTheDefaultBoxesKeepsOnlyTheNameAndTheTunesOfA) {
    MorphPatch(morph, a, b, MorphFactorMax, TMorphBoxes{});
    ExpectKept(NeverMorphed, [](int) { return std::set<int>{61, 62}; });
    EXPECT_EQ(morph.GetName(), "Alpha");
}

TEST_F(PatchMorphFixture, EachUncheckedBoxKeepsItsParametersAsAs) {
    const struct {
        const char* box;
        bool TMorphBoxes::*flag;
        std::set<int> common;
        std::set<int> tone;
    } cases[] = {
        {"OnOff", &TMorphBoxes::OnOff, {51, 54, 55, 56, 64, 67}, {0, 16, 17, 18, 19, 46, 54}},
        {"Wavenumber", &TMorphBoxes::Wavenumber, {}, {3}},
        {"PanCtrlSwitch", &TMorphBoxes::PanCtrlSwitch, {}, {20}},
        {"Tonedelaymode", &TMorphBoxes::Tonedelaymode, {}, {9}},
        {"LfoExtSync", &TMorphBoxes::LfoExtSync, {}, {52, 60}},
        {"Lfowaveform", &TMorphBoxes::Lfowaveform, {}, {45, 53}},
        {"LFOfademode", &TMorphBoxes::LFOfademode, {}, {50, 58}},
        {"Outpuassign", &TMorphBoxes::Outpuassign, {}, {125}},
        {"TVABiasDir", &TMorphBoxes::TVABiasDir, {}, {102}},
        {"TVFfiltertype", &TMorphBoxes::TVFfiltertype, {}, {80}},
        {"efxparameter", &TMorphBoxes::efxparameter, Range(13, 24), {}},
        {"chorusoutassign", &TMorphBoxes::chorusoutassign, {38}, {}},
        {"Reverbtype", &TMorphBoxes::Reverbtype, {39}, {}},
        {"efxoutassign", &TMorphBoxes::efxoutassign, {25}, {}},
        {"Holdpeak", &TMorphBoxes::Holdpeak, {60, 61, 62, 63}, {}},
        {"Structuretype", &TMorphBoxes::Structuretype, {68, 70}, {}},
        {"Boosterlevel", &TMorphBoxes::Boosterlevel, {69, 71}, {}},
        {"StretchTuneDepth", &TMorphBoxes::StretchTuneDepth, {66}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        TMorphBoxes boxes;
        boxes.coarsetune = boxes.finetune = true;
        boxes.*c.flag = false;
        MorphPatch(morph, a, b, MorphFactorMax, boxes);
        ExpectKept(Joined(NeverMorphed, c.common), [&](int) { return c.tone; });
    }
}

TEST_F(PatchMorphFixture, TheMorphOnBoxesKeepWholeRecordsAsAs) {
    TMorphBoxes boxes;
    boxes.coarsetune = boxes.finetune = true;
    boxes.Common = false;
    boxes.Tones[1] = false;
    MorphPatch(morph, a, b, MorphFactorMax, boxes);
    ExpectKept(Range(0, 72), [](int t) { return t == 2 ? Range(0, 128) : std::set<int>{}; });
}

TEST_F(PatchMorphFixture, TheTuneBoxesMorphCoarseAndFineTuneWhenChecked) {
    TMorphBoxes boxes;
    boxes.coarsetune = true;
    MorphPatch(morph, a, b, MorphFactorMax, boxes);
    ExpectKept(NeverMorphed, [](int) { return std::set<int>{62}; });
    boxes.coarsetune = false;
    boxes.finetune = true;
    MorphPatch(morph, a, b, MorphFactorMax, boxes);
    ExpectKept(NeverMorphed, [](int) { return std::set<int>{61}; });
}

TEST_F(PatchMorphFixture, BetweenTheEndsEachMorphedByteLiesOnItsLine) {
    TMorphBoxes boxes;
    MorphPatch(morph, a, b, 50, boxes);
    for (std::size_t n = 12; n <= 71; ++n) {
        const std::uint8_t expected = NeverMorphed.contains(static_cast<int>(n))
                                          ? a.Common->Data()[n]
                                          : MorphByte(a.Common->Data()[n], b.Common->Data()[n], 50);
        EXPECT_EQ(morph.Common->Data()[n], expected) << n;
    }
    EXPECT_EQ(morph.Tone(3).Data()[100],
              MorphByte(a.Tone(3).Data()[100], b.Tone(3).Data()[100], 50));
}

} // namespace

} // namespace app::test
