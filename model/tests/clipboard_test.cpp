#include "model/editing/clipboard.h"

#include "model/sysex/performance_records.h"
#include "model/sysex/rhythm_records.h"
#include "model/sysex/system_records.h"

#include <gtest/gtest.h>

#include <numeric>

namespace model {
namespace {

template <class Record> void FillImage(Record& record, std::uint8_t first) {
    std::iota(record.Image.begin(), record.Image.end(), first);
}

TEST(ClipboardTest, StartsEmpty) {
    const TClipboard clipboard;
    EXPECT_FALSE(clipboard.PartHeld);
    EXPECT_FALSE(clipboard.ScaleTuneHeld);
    EXPECT_TRUE(clipboard.RhythmKinds.empty());
    EXPECT_EQ(clipboard.PartBytes.size(), 30u);
    EXPECT_EQ(clipboard.ScaleTuneBytes.size(), 23u);
    EXPECT_EQ(clipboard.RhythmNoteBytes.size(), 58u);
}

TEST(ClipboardTest, PartPasteCopiesThirtyBytesAndKeepsTheLastFourParameters) {
    TPerformancePart source(2);
    TPerformancePart target(9);
    FillImage(source, 1);
    FillImage(target, 100);
    const auto before = target.Image;

    TClipboard clipboard;
    clipboard.CopyPart(source);
    EXPECT_TRUE(clipboard.PartHeld);
    clipboard.PastePart(target);

    for (std::size_t i = 0; i < 30; ++i)
        EXPECT_EQ(target.Image[i], source.Image[i]) << i;
    for (std::size_t i = 30; i < target.Image.size(); ++i)
        EXPECT_EQ(target.Image[i], before[i]);
    EXPECT_EQ(target.GetParam(20), source.GetParam(20));
    EXPECT_EQ(target.GetParam(21), before[9 + 21]);
    EXPECT_EQ(target.Number, 9);
}

TEST(ClipboardTest, ScaleTuneIsItsWholeImage) {
    TPartScaleTune source(1);
    TPartScaleTune target(17);
    FillImage(source, 7);
    TClipboard clipboard;
    clipboard.CopyScaleTune(source);
    EXPECT_TRUE(clipboard.ScaleTuneHeld);
    clipboard.PasteScaleTune(target);
    EXPECT_EQ(target.Image, source.Image);
}

TEST(ClipboardTest, RhythmPagesAreHeldSideBySide) {
    TRhythmNote pitchSource(40);
    TRhythmNote tvaSource(41);
    for (std::size_t n = 0; n < RhythmNoteDataLength; ++n) {
        pitchSource.Data()[n] = 1;
        tvaSource.Data()[n] = 2;
    }
    TClipboard clipboard;
    clipboard.CopyRhythmNote(pitchSource, RHYPITCH);
    clipboard.CopyRhythmNote(tvaSource, RHYTVA);
    EXPECT_EQ(clipboard.RhythmKinds, (std::set<TPageKind>{RHYPITCH, RHYTVA}));

    TRhythmNote target(60);
    for (std::size_t n = 0; n < RhythmNoteDataLength; ++n)
        target.Data()[n] = 9;
    clipboard.PasteRhythmNote(target, RHYPITCH);
    for (std::size_t n = 0; n < RhythmNoteDataLength; ++n)
        EXPECT_EQ(target.GetParam(n), n >= 12 && n <= 25 ? 1 : 9) << n;
    clipboard.PasteRhythmNote(target, RHYTVA);
    for (std::size_t n = 41; n <= 53; ++n)
        EXPECT_EQ(target.GetParam(n), 2) << n;
    EXPECT_EQ(target.GetParam(40), 9);
    EXPECT_EQ(target.GetParam(54), 9);
}

TEST(ClipboardTest, RhythmPageRanges) {
    const struct {
        TPageKind kind;
        std::vector<std::size_t> params;
    } cases[] = {
        {RHYMAIN, {0, 11, 54, 57}},
        {RHYPITCH, {12, 25}},
        {RHYTVF, {26, 40}},
        {RHYTVA, {41, 53}},
    };
    for (const auto& c : cases) {
        TRhythmNote source(35);
        for (std::size_t n = 0; n < RhythmNoteDataLength; ++n)
            source.Data()[n] = 5;
        TClipboard clipboard;
        clipboard.CopyRhythmNote(source, c.kind);
        TRhythmNote target(98);
        clipboard.PasteRhythmNote(target, c.kind);
        int pasted = 0;
        for (std::size_t n = 0; n < RhythmNoteDataLength; ++n)
            pasted += target.GetParam(n) == 5;
        int expected = 0;
        for (std::size_t i = 0; i < c.params.size(); i += 2)
            expected += static_cast<int>(c.params[i + 1] - c.params[i] + 1);
        EXPECT_EQ(pasted, expected) << int(c.kind);
        for (std::size_t i = 0; i < c.params.size(); i += 2) {
            EXPECT_EQ(target.GetParam(c.params[i]), 5);
            EXPECT_EQ(target.GetParam(c.params[i + 1]), 5);
        }
    }
}

TEST(ClipboardTest, OtherKindsAreNoRhythmPage) {
    TRhythmNote note(50);
    const auto before = note.Image;
    TClipboard clipboard;
    clipboard.CopyRhythmNote(note, WAVE);
    EXPECT_TRUE(clipboard.RhythmKinds.empty());
    clipboard.PasteRhythmNote(note, SYSMIDI);
    EXPECT_EQ(note.Image, before);
}

} // namespace
} // namespace model
