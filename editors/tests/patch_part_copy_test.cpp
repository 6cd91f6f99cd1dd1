// The bytes each page of a patch carries in a page copy: exactly its own parameters, into the
// target tone, and nothing of any other tone or block.

#include "editors/patch_part_copy.h"
#include "platform/core/date_time.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace editors::test {
namespace {

struct PageBytes {
    std::string name;
    model::TPageKind kind;
    // The parameters copied, of the target tone (or of the common block).
    std::vector<std::pair<std::size_t, std::size_t>> runs;
};

const PageBytes pageBytes[] = {
    {"Common", model::COMMON, {{0, 11}, {44, 72}}},
    {"Effects", model::EFFECTS, {{12, 43}}},
    {"Control", model::CONTROL, {{11, 44}, {125, 128}}},
    {"Wave", model::WAVE, {{0, 10}}},
    {"Pitch", model::PITCH, {{61, 77}}},
    {"Lfo1", model::LFO1, {{45, 52}, {78, 78}, {99, 99}, {117, 117}, {123, 123}}},
    {"Lfo2", model::LFO2, {{53, 60}, {79, 79}, {100, 100}, {118, 118}, {124, 124}}},
    {"Tva", model::TVA, {{101, 116}, {119, 122}}},
    {"Tvf", model::TVF, {{80, 98}}},
};

class PageBytesTest : public ::testing::TestWithParam<PageBytes> {
protected:
    // Elements are stamped with a known time, never the wall clock's.
    platform::core::NowOverride fixedNow{platform::core::EncodeDate(2026, 3, 7) +
                                         platform::core::EncodeTime(9, 0, 0, 0)};
};

template <class Record> void FillWith(Record& record, std::uint8_t value) {
    for (std::uint8_t& byte : record.Data())
        byte = value;
}

TEST_P(PageBytesTest, CopiesItsOwnParametersIntoTheTargetToneOnly) {
    model::TPatch source{nullptr};
    model::TPatch target{nullptr};
    FillWith(*source.Common, 0x55);
    for (int tone = 1; tone <= model::ToneCount; ++tone) {
        FillWith(source.Tone(tone), static_cast<std::uint8_t>(0x10 + tone));
        FillWith(target.Tone(tone), 0);
    }
    FillWith(*target.Common, 0);
    const PageBytes& page = GetParam();
    CopyPageBytes(source, 2, target, 3, page.kind);

    const bool common = page.kind == model::COMMON || page.kind == model::EFFECTS;
    auto inRuns = [&](std::size_t n) {
        for (const auto& [first, last] : page.runs)
            if (n >= first && n <= last) return true;
        return false;
    };
    const auto commonData = target.Common->Data();
    for (std::size_t n = 0; n < commonData.size(); ++n)
        EXPECT_EQ(commonData[n], common && inRuns(n) ? 0x55 : 0) << "common " << n;
    for (int tone = 1; tone <= model::ToneCount; ++tone) {
        const auto data = target.Tone(tone).Data();
        for (std::size_t n = 0; n < data.size(); ++n)
            EXPECT_EQ(data[n], !common && tone == 3 && inRuns(n) ? 0x12 : 0)
                << "tone " << tone << ", " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, PageBytesTest, ::testing::ValuesIn(pageBytes),
                         [](const auto& info) { return info.param.name; });

TEST(LfoCrosswiseTest, EachLfoGoesIntoTheOtherParameterForParameter) {
    // Elements are stamped with a known time, never the wall clock's.
    const platform::core::NowOverride fixedNow(platform::core::EncodeDate(2026, 3, 7) +
                                               platform::core::EncodeTime(9, 0, 0, 0));
    model::TPatch patch{nullptr};
    auto data = patch.Tone(1).Data();
    for (std::size_t n = 0; n < data.size(); ++n)
        data[n] = static_cast<std::uint8_t>(n);
    CopyLfoCrosswise(patch, 1, patch, 1, model::LFO2);
    const std::pair<std::size_t, std::size_t> pairs[] = {{45, 53},  {52, 60},   {78, 79},
                                                         {99, 100}, {117, 118}, {123, 124}};
    for (const auto& [lfo1, lfo2] : pairs) {
        EXPECT_EQ(patch.Tone(1).GetParam(lfo1), lfo2);
        EXPECT_EQ(patch.Tone(1).GetParam(lfo2), lfo2);
    }
}

} // namespace
} // namespace editors::test
