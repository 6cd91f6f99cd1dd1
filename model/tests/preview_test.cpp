// The preview held and released: a note on the preview channel, or a MIDI file played with the
// ports closed, at the simulated instrument.

#include "model/preview/preview.h"

#include "model/program/quintaron.h"
#include "model/tests/transfer_window_fake.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace model {
namespace {

using Bytes = std::vector<std::uint8_t>;

class PreviewTest : public fakes::InstrumentFixture {
protected:
    void SetUp() override {
        InstrumentFixture::SetUp();
        state.Config.SingleNote = true;
        state.Config.PreviewNote = 40;
        state.Config.PreviewVelocity = 70;
    }
    std::vector<Bytes> Received() {
        Run(10);
        return instrument().Received();
    }
};

TEST_F(PreviewTest, ANoteOnThePreviewChannel) {
    const struct {
        const char* what;
        int channel;
        std::optional<int> rhythmNoteKey;
        int velocity;
        Bytes on;
        Bytes off;
    } cases[] = {
        {"patch", 1, std::nullopt, 70, {0x90, 40, 70}, {0x80, 40, 0}},
        {"rhythm set", 10, std::nullopt, 70, {0x99, 40, 70}, {0x89, 40, 0}},
        {"rhythm note page at key 0", 10, 0, 70, {0x99, 36, 70}, {0x89, 36, 0}},
        {"velocity out of range", 1, std::nullopt, 200, {0x90, 40, 127}, {0x80, 40, 0}},
    };
    for (const auto& c : cases) {
        state.PreviewChannel = c.channel;
        ui.rhythmNoteKey = c.rhythmNoteKey;
        state.Config.PreviewVelocity = c.velocity;
        const std::size_t before = instrument().Received().size();
        PreviewNoteOn();
        PreviewNoteOff();
        const std::vector<Bytes> received = Received();
        ASSERT_EQ(received.size(), before + 2) << c.what;
        EXPECT_EQ(received[before], c.on) << c.what;
        EXPECT_EQ(received[before + 1], c.off) << c.what;
    }
    EXPECT_EQ(ui.cursors.size(), 8u);
    EXPECT_EQ(ui.cursors[0], crHelp);
    EXPECT_EQ(ui.cursors[1], crDefault);
}

// While the preview is held the user may bring another rhythm note page to the front, or send
// another element to the edit buffer and so change the preview channel: the release still stops
// the note that sounds, not one that was never started.
TEST_F(PreviewTest, TheReleaseStopsTheNoteThatWasStarted) {
    const struct {
        const char* what;
        std::optional<int> keyAtRelease;
        int channelAtRelease;
    } cases[] = {
        {"another rhythm note page", 12, 10},
        {"no rhythm note page any more", std::nullopt, 10},
        {"a patch sent meanwhile", 7, 1},
    };
    for (const auto& c : cases) {
        state.PreviewChannel = 10;
        ui.rhythmNoteKey = 7; // the page of key 43
        const std::size_t before = instrument().Received().size();
        PreviewNoteOn();
        ui.rhythmNoteKey = c.keyAtRelease;
        state.PreviewChannel = c.channelAtRelease;
        PreviewNoteOff();
        const std::vector<Bytes> received = Received();
        ASSERT_EQ(received.size(), before + 2) << c.what;
        EXPECT_EQ(received[before], (Bytes{0x99, 43, 70})) << c.what;
        EXPECT_EQ(received[before + 1], (Bytes{0x89, 43, 0})) << c.what;
    }
}

// A second start while a note sounds (a timer's start after the hook's) stops the first note, so
// that one release leaves nothing sounding.
TEST_F(PreviewTest, OnlyOneNoteSoundsAtATime) {
    ui.rhythmNoteKey = 0;
    state.PreviewChannel = 10;
    PreviewNoteOn();
    ui.rhythmNoteKey = 1;
    PreviewNoteOn();
    PreviewNoteOff();
    PreviewNoteOff(); // nothing sounds: a note-off at the current key does no harm
    EXPECT_EQ(Received(),
              (std::vector<Bytes>{
                  {0x99, 36, 70}, {0x89, 36, 0}, {0x99, 37, 70}, {0x89, 37, 0}, {0x89, 37, 0}}));
}

TEST_F(PreviewTest, WithThePortsClosedOnlyTheCursorChanges) {
    state.Midi.SetOnline(false);
    for (bool single : {true, false}) {
        state.Config.SingleNote = single;
        PreviewNoteOn();
        PreviewNoteOff();
    }
    EXPECT_TRUE(Received().empty());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(ui.cursors, (std::vector<int>{crHelp, crDefault, crHelp, crDefault}));
}

TEST_F(PreviewTest, AMidiFilePlaysWithThePortsClosedAndTheyOpenAgainAfter) {
    // 1 ms a tick: a note at 200 ms, released at 700 ms.
    const Bytes file = {'M',  'T',  'h',  'd',  0,    0,    0,    6,    0,    0,    0,    1,
                        0x01, 0xF4, 'M',  'T',  'r',  'k',  0,    0,    0,    13,   0x81, 0x48,
                        0x90, 0x3C, 0x50, 0x83, 0x74, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};
    const auto path = documents.DataFolder().parent_path() / "Song.Mid";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    state.Config.SingleNote = false;
    state.Config.MidiFile = path.string();

    const platform::core::Millis pressed = clock.Now();
    PreviewNoteOn();
    EXPECT_EQ(calls, (std::vector<std::string>{"CloseDevs"}));
    Run(199);
    EXPECT_TRUE(instrument().Received().empty());
    Run(1);
    EXPECT_EQ(instrument().Received(), (std::vector<Bytes>{{0x90, 0x3C, 0x50}}));
    Run(500);
    EXPECT_EQ(clock.Now() - pressed, 700u);
    EXPECT_EQ(instrument().Received(),
              (std::vector<Bytes>{{0x90, 0x3C, 0x50}, {0x90, 0x3C, 0x00}}));

    PreviewNoteOff();
    EXPECT_EQ(calls, (std::vector<std::string>{"CloseDevs", "OpenDevs"}));
    EXPECT_FALSE(mediaPlayer.IsOpen());
    EXPECT_EQ(ui.cursors, (std::vector<int>{crHelp, crDefault}));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PreviewTest, AnUnreadableFileSaysSoAndOpensThePortsOnce) {
    state.Config.SingleNote = false;
    state.Config.MidiFile = documents.DataFolder().string() + "/Missing.Mid";
    PreviewNoteOn();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].Text, "Unable to Open Midi File.");
    EXPECT_EQ(dialogs.messages[0].Buttons, static_cast<TMsgDlgButtons>(mbOK));
    EXPECT_EQ(ui.cursors, (std::vector<int>{crHelp, crDefault}));
    EXPECT_EQ(calls, (std::vector<std::string>{"CloseDevs", "OpenDevs"}));
    PreviewNoteOff();
    EXPECT_EQ(calls, (std::vector<std::string>{"CloseDevs", "OpenDevs"}));
    EXPECT_TRUE(Received().empty());
}

} // namespace
} // namespace model
