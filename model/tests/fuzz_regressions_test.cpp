// Inputs that fuzzing found to break a reader, kept so that the fault stays fixed.

#include "model/elements/bank.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/preview/midi_file.h"
#include "platform/core/byte_file.h"
#include "platform/core/date_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace model {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A library record holds its messages as they are, and a damaged one held data bytes of 80H or
// more: they went into the element, broke every message it was sent in and made its own ".Syx"
// file one that loading refuses. They now keep their low 7 bits, as the instrument would.
TEST(FuzzRegressions, DataBytesOf80HOrMoreInARecordKeepTheirLowSevenBits) {
    // Elements are stamped with a known time, never the wall clock's.
    const platform::core::NowOverride fixedNow(platform::core::EncodeDate(2026, 3, 7) +
                                               platform::core::EncodeTime(9, 0, 0, 0));
    // No comment, window fields, then a patch record: type code, base fields and window
    // positions, and a common message cut short after three data bytes.
    Bytes file = {0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    file.resize(file.size() + 133 + 120, 0);
    const Bytes message = {0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x00, 0x00, 'A', 0x90, 0xFF};
    file.insert(file.end(), message.begin(), message.end());

    TLibrary library;
    platform::core::TByteReader reader(file);
    library.ReadLibrary(reader);
    ASSERT_EQ(library.Count(), 1);
    auto& patch = dynamic_cast<TPatch&>(library.Elem(0));
    EXPECT_EQ(patch.Common->GetParam(0), 'A');
    EXPECT_EQ(patch.Common->GetParam(1), 0x10);
    EXPECT_EQ(patch.Common->GetParam(2), 0x7F);

    platform::core::TByteWriter sysex;
    patch.WriteSysEx(sysex);
    const Bytes& written = sysex.Bytes();
    std::size_t inside = 0;
    for (std::uint8_t byte : written)
        if (byte >= 0x80 && byte != 0xF0 && byte != 0xF7) ++inside;
    EXPECT_EQ(inside, 0u);
    EXPECT_EQ(std::count(written.begin(), written.end(), 0xF0), 5);
}

// A global set's record that ended right after its window size, before its first child, was
// taken as whole: the reader did not tell that the file had run out inside the record.
TEST(FuzzRegressions, GlobalRecordEndingBeforeItsChildrenRunsOut) {
    // Elements are stamped with a known time, never the wall clock's.
    const platform::core::NowOverride fixedNow(platform::core::EncodeDate(2026, 3, 7) +
                                               platform::core::EncodeTime(9, 0, 0, 0));
    // No comment, window fields, the type code of a global set, its base fields and window size.
    Bytes file = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x00};
    file.resize(file.size() + 133, 0);
    file.insert(file.end(), {0x2C, 0x01, 0xC8, 0x00});

    TLibrary library;
    platform::core::TByteReader reader(file);
    library.ReadLibrary(reader);
    EXPECT_TRUE(reader.RanOut());
    ASSERT_EQ(library.Count(), 1);
    EXPECT_EQ(library.Elem(0).Type, etGlobal);
    EXPECT_EQ(static_cast<TBank&>(library.Elem(0)).Width, 300);
    EXPECT_EQ(static_cast<TBank&>(library.Elem(0)).Height, 200);
}

// The moments of a MIDI file whose deltas add up beyond what 64 bits of microseconds hold
// wrapped around and went back in time; they now stay at the end of time.
TEST(FuzzRegressions, MidiFileMomentsNeverGoBack) {
    // Format 0, one track, 25 frames a second of 40 ticks; a note, then 800 more notes each
    // the longest delta later (0FFFFFFFH ticks) by running status.
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0xE7, 0x28};
    Bytes track = {0x00, 0x90, 0x3C, 0x40};
    for (int i = 0; i < 800; ++i)
        track.insert(track.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0x3C, 0x40});
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, static_cast<std::uint8_t>(track.size() >> 8),
                             static_cast<std::uint8_t>(track.size() & 0xFF)});
    file.insert(file.end(), track.begin(), track.end());

    TMidiFile midiFile;
    ASSERT_TRUE(midiFile.LoadFromBytes(file));
    const auto& events = midiFile.Events();
    ASSERT_EQ(events.size(), 801u);
    EXPECT_EQ(events[0].Time, 0u);
    // 0FFFFFFFH ticks of 1/1000 s.
    EXPECT_EQ(events[1].Time, 268435455u);
    for (std::size_t i = 1; i < events.size(); ++i)
        EXPECT_GE(events[i].Time, events[i - 1].Time) << i;
}

} // namespace
} // namespace model
