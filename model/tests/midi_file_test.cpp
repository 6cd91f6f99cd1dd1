// Standard MIDI Files built here from the format, read into timed messages, and played through
// a device to the simulated instrument on the manual clock.

#include "model/preview/midi_file.h"
#include "model/preview/midi_file_player.h"

#include "model/tests/transfer_window_fake.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace model {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Quantity(std::uint32_t value) {
    Bytes bytes{static_cast<std::uint8_t>(value & 0x7F)};
    while (value >>= 7)
        bytes.insert(bytes.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
    return bytes;
}

Bytes Chunk(const char* tag, const Bytes& body) {
    Bytes chunk(tag, tag + 4);
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(static_cast<std::uint8_t>(body.size() >> shift));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

// A track from (delta, event bytes) pairs; the end-of-track event is added.
Bytes Track(const std::vector<std::pair<std::uint32_t, Bytes>>& events) {
    Bytes body;
    for (const auto& [delta, event] : events) {
        const Bytes q = Quantity(delta);
        body.insert(body.end(), q.begin(), q.end());
        body.insert(body.end(), event.begin(), event.end());
    }
    body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
    return Chunk("MTrk", body);
}

Bytes File(int format, std::uint16_t division, const std::vector<Bytes>& tracks) {
    const Bytes header = {0,
                          static_cast<std::uint8_t>(format),
                          0,
                          static_cast<std::uint8_t>(tracks.size()),
                          static_cast<std::uint8_t>(division >> 8),
                          static_cast<std::uint8_t>(division)};
    Bytes file = Chunk("MThd", header);
    for (const Bytes& track : tracks)
        file.insert(file.end(), track.begin(), track.end());
    return file;
}

Bytes Tempo(std::uint32_t microsPerQuarter) {
    return {0xFF,
            0x51,
            0x03,
            static_cast<std::uint8_t>(microsPerQuarter >> 16),
            static_cast<std::uint8_t>(microsPerQuarter >> 8),
            static_cast<std::uint8_t>(microsPerQuarter)};
}

std::vector<std::pair<platform::core::Millis, Bytes>> Timed(const TMidiFile& file) {
    std::vector<std::pair<platform::core::Millis, Bytes>> result;
    for (const TMidiFileEvent& event : file.Events())
        result.emplace_back(event.Time, event.Message);
    return result;
}

TEST(MidiFileTest, FormatZeroWithRunningStatusAndATempoChange) {
    // 480 ticks a quarter at 120 a minute: 500 ms a quarter, then 60 a minute from beat 2 on.
    const Bytes file = File(0, 480,
                            {Track({{0, {0xFF, 0x03, 0x02, 'h', 'i'}},
                                    {0, {0x90, 0x3C, 0x64}},
                                    {480, {0x3C, 0x00}},
                                    {0, Tempo(1000000)},
                                    {0, {0xC1, 0x05}},
                                    {0, {0x91, 0x40, 0x50}},
                                    {240, {0x40, 0x00}}})});
    TMidiFile midiFile;
    ASSERT_TRUE(midiFile.LoadFromBytes(file));
    const std::vector<std::pair<platform::core::Millis, Bytes>> expected = {
        {0, {0x90, 0x3C, 0x64}},
        {500, {0x90, 0x3C, 0x00}},
        {500, {0xC1, 0x05}},
        {500, {0x91, 0x40, 0x50}},
        {1000, {0x91, 0x40, 0x00}}};
    EXPECT_EQ(Timed(midiFile), expected);
}

TEST(MidiFileTest, FormatOneTakesTheTempoOfItsFirstTrackForEveryTrack) {
    const Bytes file =
        File(1, 96,
             {Track({{0, Tempo(250000)}, {96, Tempo(1000000)}}),
              Track({{0, {0x99, 0x24, 0x7F}}, {96, {0x89, 0x24, 0x40}}, {96, {0x99, 0x26, 0x7F}}}),
              Track({{96, {0xB0, 0x07, 0x64}}})});
    TMidiFile midiFile;
    ASSERT_TRUE(midiFile.LoadFromBytes(file));
    const std::vector<std::pair<platform::core::Millis, Bytes>> expected = {
        {0, {0x99, 0x24, 0x7F}},
        {250, {0x89, 0x24, 0x40}},
        {250, {0xB0, 0x07, 0x64}},
        {1250, {0x99, 0x26, 0x7F}}};
    EXPECT_EQ(Timed(midiFile), expected);
}

std::vector<bool> EscapedFlags(const TMidiFile& file) {
    std::vector<bool> result;
    for (const TMidiFileEvent& event : file.Events())
        result.push_back(event.Escaped);
    return result;
}

TEST(MidiFileTest, ManyTempoChangesKeepTheTimeExact) {
    // 3 ticks a quarter and a new tempo at every tick: most ticks last no whole number of
    // microseconds, yet every third one ends on a whole millisecond.
    std::vector<std::pair<std::uint32_t, Bytes>> tempoMap;
    for (std::uint32_t tempo : {400000, 500000, 600000, 250000, 350000, 300000, 100000, 200000,
                                300000, 1000000, 1000000, 1000000})
        tempoMap.push_back({tempoMap.empty() ? 0 : 1, Tempo(tempo)});
    const Bytes file = File(1, 3,
                            {Track(tempoMap), Track({{1, {0x90, 0x3C, 0x64}},
                                                     {2, {0x3C, 0x00}},
                                                     {3, {0x90, 0x3E, 0x64}},
                                                     {3, {0x80, 0x3E, 0x40}},
                                                     {3, {0xC0, 0x05}},
                                                     {1, {0x90, 0x40, 0x64}}})});
    TMidiFile midiFile;
    ASSERT_TRUE(midiFile.LoadFromBytes(file));
    const std::vector<std::pair<platform::core::Millis, Bytes>> expected = {
        {133, {0x90, 0x3C, 0x64}},  // 400000/3 us
        {500, {0x90, 0x3C, 0x00}},  // (400000 + 500000 + 600000)/3
        {800, {0x90, 0x3E, 0x64}},  // + (250000 + 350000 + 300000)/3
        {1000, {0x80, 0x3E, 0x40}}, // + (100000 + 200000 + 300000)/3
        {2000, {0xC0, 0x05}},       // + 3 * 1000000/3
        {2333, {0x90, 0x40, 0x64}}, // + 1000000/3
    };
    EXPECT_EQ(Timed(midiFile), expected);
}

TEST(MidiFileTest, ThousandsOfTempoChangesDoNotDrift) {
    // 3 ticks a quarter, the tempo at every tick 1000000 and 500000 in turn: each pair of
    // ticks lasts (1000000 + 500000)/3 = 500000 us, so tick 4000 is 1000 s exactly, and tick
    // 4001, a third of 500000 us later, 1000166.67 ms.
    std::vector<std::pair<std::uint32_t, Bytes>> events;
    for (int tick = 0; tick < 4000; ++tick)
        events.push_back({tick == 0 ? 0 : 1, Tempo(tick % 2 == 0 ? 1000000 : 500000)});
    events.push_back({1, {0x90, 0x3C, 0x64}});
    events.push_back({1, {0x80, 0x3C, 0x40}});
    TMidiFile midiFile;
    ASSERT_TRUE(midiFile.LoadFromBytes(File(0, 3, {Track(events)})));
    const std::vector<std::pair<platform::core::Millis, Bytes>> expected = {
        {1000000, {0x90, 0x3C, 0x64}}, {1000166, {0x80, 0x3C, 0x40}}};
    EXPECT_EQ(Timed(midiFile), expected);
}

TEST(MidiFileTest, SystemExclusiveIsKeptWholeAndEscapedPacketsAsTheyStand) {
    const Bytes file = File(0, 1000,
                            {Track({{0, {0xF0, 0x03, 0x7E, 0x7F, 0xF7}},
                                    {0, {0xF0, 0x02, 0x41, 0x10}},
                                    {10, {0xF7, 0x02, 0x42, 0xF7}},
                                    {0, {0xF7, 0x01, 0xFA}},
                                    {0, {0x80, 0x3C, 0x00}}})});
    TMidiFile midiFile;
    ASSERT_TRUE(midiFile.LoadFromBytes(file));
    const std::vector<std::pair<platform::core::Millis, Bytes>> expected = {
        {0, {0xF0, 0x7E, 0x7F, 0xF7}},
        {5, {0xF0, 0x41, 0x10, 0x42, 0xF7}},
        {5, {0xFA}},
        {5, {0x80, 0x3C, 0x00}}};
    EXPECT_EQ(Timed(midiFile), expected);
    EXPECT_EQ(EscapedFlags(midiFile), (std::vector<bool>{false, false, true, false}));
}

TEST(MidiFileTest, EscapedPacketsKeepTheirBytesAndTimes) {
    // 1 ms a tick. The bytes of an escape need not make a message, nor be 7-bit data.
    const Bytes file = File(0, 500,
                            {Track({{0, {0xF7, 0x01, 0xF8}},
                                    {0, {0x90, 0x3C, 0x64}},
                                    {10, {0xF7, 0x03, 0xF2, 0x10, 0x20}},
                                    {0, {0xF7, 0x00}},
                                    {5, {0xF7, 0x03, 0x91, 0x3C, 0x7F}},
                                    {0, {0xF7, 0x04, 0xFF, 0x00, 0x80, 0x7F}},
                                    {5, {0xF7, 0x03, 0xF0, 0x43, 0x10}},
                                    {0, {0xF7, 0x02, 0x4C, 0xF7}},
                                    {1, {0x80, 0x3C, 0x00}}})});
    TMidiFile midiFile;
    ASSERT_TRUE(midiFile.LoadFromBytes(file));
    const std::vector<std::pair<platform::core::Millis, Bytes>> expected = {
        {0, {0xF8}},
        {0, {0x90, 0x3C, 0x64}},
        {10, {0xF2, 0x10, 0x20}},
        {15, {0x91, 0x3C, 0x7F}},
        {15, {0xFF, 0x00, 0x80, 0x7F}},
        {20, {0xF0, 0x43, 0x10}},
        {20, {0x4C, 0xF7}},
        {21, {0x80, 0x3C, 0x00}}};
    EXPECT_EQ(Timed(midiFile), expected);
    EXPECT_EQ(EscapedFlags(midiFile),
              (std::vector<bool>{true, false, true, true, true, true, true, false}));
}

TEST(MidiFileTest, TimeCodeDivisionCountsFrames) {
    // 25 frames a second of 40 ticks: a millisecond a tick.
    const Bytes file = File(0, static_cast<std::uint16_t>((0x100 - 25) << 8 | 40),
                            {Track({{1500, {0x90, 1, 1}}})});
    TMidiFile midiFile;
    ASSERT_TRUE(midiFile.LoadFromBytes(file));
    ASSERT_EQ(midiFile.Events().size(), 1u);
    EXPECT_EQ(midiFile.Events()[0].Time, 1500u);
}

TEST(MidiFileTest, DamagedOrForeignFilesAreRefused) {
    const Bytes good = File(0, 96, {Track({{0, {0x90, 0x3C, 0x64}}})});
    Bytes truncated = good;
    truncated.resize(truncated.size() - 3);
    Bytes notMidi = good;
    notMidi[0] = 'R';
    Bytes missingTrack = File(1, 96, {Track({})});
    missingTrack[11] = 2;
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"empty", {}},
        {"not a MIDI file", notMidi},
        {"format 2", File(2, 96, {Track({})})},
        {"division 0", File(0, 0, {Track({})})},
        {"truncated", truncated},
        {"fewer tracks than announced", missingTrack},
        {"data without a status", File(0, 96, {Track({{0, {0x3C, 0x64}}})})},
        {"status inside a message", File(0, 96, {Track({{0, {0x90, 0x3C, 0x90}}})})},
        {"system common message", File(0, 96, {Track({{0, {0xF2, 0x00, 0x00}}})})},
        {"five-byte delta",
         File(0, 96, {Chunk("MTrk", {0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 0x3C, 0x64})})},
    };
    for (const auto& c : cases) {
        TMidiFile midiFile;
        EXPECT_FALSE(midiFile.LoadFromBytes(c.file)) << c.what;
        EXPECT_TRUE(midiFile.Events().empty()) << c.what;
    }
    TMidiFile midiFile;
    EXPECT_TRUE(midiFile.LoadFromBytes(good));
}

class MidiFilePlayerTest : public fakes::InstrumentFixture {
protected:
    std::string WriteFile(const Bytes& bytes) {
        const auto path = documents.DataFolder().parent_path() / "Preview.mid";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    // Messages the instrument received that are not system exclusive.
    std::vector<Bytes> Notes() {
        std::vector<Bytes> notes;
        for (const Bytes& message : instrument().Received())
            if (message.front() != 0xF0) notes.push_back(message);
        return notes;
    }
};

TEST_F(MidiFilePlayerTest, PlaysEachMessageAtItsMoment) {
    state.Midi.CloseDevs();
    TMidiFilePlayer player;
    player.FileName = WriteFile(File(0, 500,
                                     {Track({{100, {0x90, 0x3C, 0x64}},
                                             {200, {0x3C, 0x00}},
                                             {0, {0xF0, 0x03, 0x7E, 0x7F, 0xF7}}})}));
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(player.Play());
    Run(99);
    EXPECT_TRUE(Notes().empty());
    Run(1);
    EXPECT_EQ(Notes(), (std::vector<Bytes>{{0x90, 0x3C, 0x64}}));
    Run(199);
    EXPECT_EQ(Notes().size(), 1u);
    EXPECT_TRUE(player.Playing());
    Run(1);
    EXPECT_EQ(Notes(), (std::vector<Bytes>{{0x90, 0x3C, 0x64}, {0x90, 0x3C, 0x00}}));
    EXPECT_EQ(instrument().Received().back(), (Bytes{0xF0, 0x7E, 0x7F, 0xF7}));
    EXPECT_FALSE(player.Playing());
    player.Close();
}

TEST_F(MidiFilePlayerTest, SendsEscapedPacketsAsTheyStandAtTheirMoments) {
    state.Midi.CloseDevs();
    TMidiFilePlayer player;
    player.FileName = WriteFile(File(0, 500,
                                     {Track({{100, {0xF7, 0x01, 0xFA}},
                                             {0, {0x90, 0x3C, 0x64}},
                                             {50, {0xF7, 0x02, 0xF3, 0x05}},
                                             {0, {0xF7, 0x03, 0x99, 0x24, 0x7F}},
                                             {100, {0x80, 0x3C, 0x40}}})}));
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(player.Play());
    Run(99);
    EXPECT_TRUE(instrument().Received().empty());
    Run(1);
    EXPECT_EQ(instrument().Received(), (std::vector<Bytes>{{0xFA}, {0x90, 0x3C, 0x64}}));
    Run(49);
    EXPECT_EQ(instrument().Received().size(), 2u);
    Run(1);
    EXPECT_EQ(instrument().Received(),
              (std::vector<Bytes>{{0xFA}, {0x90, 0x3C, 0x64}, {0xF3, 0x05}, {0x99, 0x24, 0x7F}}));
    // The escaped note is the file's own business: stopping releases only the note it played.
    player.Stop();
    Run(200);
    EXPECT_EQ(
        instrument().Received(),
        (std::vector<Bytes>{
            {0xFA}, {0x90, 0x3C, 0x64}, {0xF3, 0x05}, {0x99, 0x24, 0x7F}, {0x80, 0x3C, 0x00}}));
}

TEST_F(MidiFilePlayerTest, StoppingReleasesWhatIsHeld) {
    state.Midi.CloseDevs();
    TMidiFilePlayer player;
    player.FileName = WriteFile(File(
        0, 1000,
        {Track({{0, {0x92, 0x30, 0x40}}, {0, {0xB2, 0x40, 0x7F}}, {5000, {0x82, 0x30, 0x00}}})}));
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(player.Play());
    Run(100);
    player.Stop();
    Run(6000);
    EXPECT_EQ(Notes(),
              (std::vector<Bytes>{
                  {0x92, 0x30, 0x40}, {0xB2, 0x40, 0x7F}, {0x82, 0x30, 0x00}, {0xB2, 0x40, 0x00}}));
}

TEST_F(MidiFilePlayerTest, AFileThatCannotBeReadIsNotOpened) {
    TMidiFilePlayer player;
    player.FileName = WriteFile({'M', 'T', 'h', 'd'});
    EXPECT_FALSE(player.Open());
    EXPECT_FALSE(player.IsOpen());
    EXPECT_FALSE(player.Play());
    player.FileName = documents.DataFolder().string() + "/Missing.mid";
    EXPECT_FALSE(player.Open());
}

} // namespace
} // namespace model
