#include "model/program/config.h"

#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/ini_file.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace model {
namespace {

namespace fs = std::filesystem;

// Each test gets its own settings folder, since tests run in parallel processes.
class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(temp_.Path().empty()); }

    static void UseFolder(const fs::path& folder) {
        ::setenv("QUINTARON_CONFIG_DIR", folder.c_str(), 1);
    }
    fs::path SettingsPath() const { return folder_ / SettingsFileName; }
    void WriteSettings(const std::string& text) const {
        std::ofstream(SettingsPath(), std::ios::binary) << text;
    }

    testsupport::TempFolder temp_{"model_config_"};
    fs::path folder_ = temp_.Path();
    // Restores the variable however a test changed it with UseFolder.
    testsupport::EnvironmentOverride configDir_{"QUINTARON_CONFIG_DIR", temp_.Path()};
};

TEST_F(ConfigTest, ConstructorDefaults) {
    const TConfig config;
    EXPECT_EQ(config.DeviceID, 17);
    EXPECT_EQ(config.Thrue, 0);
    EXPECT_EQ(config.InPort, 0);
    EXPECT_EQ(config.OutPort, 0);
    EXPECT_EQ(config.ExpA + config.ExpB + config.ExpC + config.ExpD + config.PCMCard, 0);
    EXPECT_FALSE(config.DataCardInstalled);
    EXPECT_FALSE(config.SingleNote);
    EXPECT_EQ(config.PreviewNote, 0);
    EXPECT_EQ(config.PreviewVelocity, 0);
    EXPECT_EQ(config.MidiFile, "");
}

TEST_F(ConfigTest, LoadWithoutAFileGivesTheReadDefaults) {
    TConfig config;
    config.Thrue = 1;
    config.OutPort = 3;
    config.Load();
    // 17, not 16: the instrument ignores the device byte 0FH, so a first run could not reach it.
    EXPECT_EQ(config.DeviceID, 17);
    EXPECT_EQ(config.Thrue, 0);
    EXPECT_EQ(config.InPort, 0);
    EXPECT_EQ(config.OutPort, 0);
    EXPECT_TRUE(config.SingleNote);
    EXPECT_EQ(config.PreviewNote, 40);
    EXPECT_EQ(config.PreviewVelocity, 70);
    EXPECT_EQ(config.MidiFile, "Noname.Mid");
    EXPECT_FALSE(config.DataCardInstalled);
    EXPECT_FALSE(fs::exists(SettingsPath()));
}

TEST_F(ConfigTest, SaveAndLoadRoundTrip) {
    TConfig saved;
    saved.Thrue = 1;
    saved.DeviceID = 20;
    saved.InPort = 2;
    saved.OutPort = 3;
    saved.ExpA = 4;
    saved.ExpB = 5;
    saved.ExpC = 6;
    saved.ExpD = 7;
    saved.PCMCard = 8;
    saved.DataCardInstalled = true;
    saved.SingleNote = false;
    saved.PreviewNote = 61;
    saved.PreviewVelocity = 127;
    saved.MidiFile = "Demo Song.mid";
    ASSERT_TRUE(saved.Save());

    TConfig loaded;
    loaded.Load();
    EXPECT_EQ(loaded.Thrue, 1);
    EXPECT_EQ(loaded.DeviceID, 20);
    EXPECT_EQ(loaded.InPort, 2);
    EXPECT_EQ(loaded.OutPort, 3);
    EXPECT_EQ(loaded.ExpA, 4);
    EXPECT_EQ(loaded.ExpB, 5);
    EXPECT_EQ(loaded.ExpC, 6);
    EXPECT_EQ(loaded.ExpD, 7);
    EXPECT_EQ(loaded.PCMCard, 8);
    EXPECT_TRUE(loaded.DataCardInstalled);
    EXPECT_FALSE(loaded.SingleNote);
    EXPECT_EQ(loaded.PreviewNote, 61);
    EXPECT_EQ(loaded.PreviewVelocity, 127);
    EXPECT_EQ(loaded.MidiFile, "Demo Song.mid");

    const platform::core::TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadString("Data Card", "Installed", ""), "1");
    EXPECT_EQ(ini.ReadString("Preview", "Single Note", ""), "0");
}

TEST_F(ConfigTest, ForeignSectionsAndKeysSurviveASave) {
    WriteSettings("[Desktop]\r\nLib0=/data/Pads.Lib\r\n[Midi]\r\nDeviceID=18\r\nColour=7\r\n"
                  "[Monitor]\r\nOpen=1\r\nWidth=400\r\n");
    TConfig config;
    config.Load();
    EXPECT_EQ(config.DeviceID, 18);
    config.Thrue = 1;
    ASSERT_TRUE(config.Save());

    const platform::core::TIniFile ini(SettingsFileName);
    EXPECT_EQ(ini.ReadString("Desktop", "Lib0", ""), "/data/Pads.Lib");
    EXPECT_EQ(ini.ReadString("Midi", "Colour", ""), "7");
    EXPECT_EQ(ini.ReadInteger("Monitor", "Open", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Monitor", "Width", 0), 400);
    EXPECT_EQ(ini.ReadInteger("Midi", "Thrue", 0), 1);
}

TEST_F(ConfigTest, FlagsAreTrueOnlyForOne) {
    WriteSettings("[Data Card]\nInstalled=2\n[Preview]\nSingle Note=0\n");
    TConfig config;
    config.Load();
    EXPECT_FALSE(config.DataCardInstalled);
    EXPECT_FALSE(config.SingleNote);

    WriteSettings("[Data Card]\nInstalled=1\n[Preview]\nSingle Note=2\n");
    config.Load();
    EXPECT_TRUE(config.DataCardInstalled);
    EXPECT_FALSE(config.SingleNote);
}

TEST_F(ConfigTest, StoredDeviceIdOutsideOneTo128ReadsAs17) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{"16", 16},  {"1", 1},   {"128", 128}, {"32", 32}, {"0", 17},
                 {"129", 17}, {"-4", 17}, {"999", 17},  {"abc", 17}};
    for (const auto& c : cases) {
        WriteSettings(std::string("[Midi]\nDeviceID=") + c.stored + "\n");
        TConfig config;
        config.Load();
        EXPECT_EQ(config.DeviceID, c.expected) << c.stored;
    }
}

TEST_F(ConfigTest, PreviewNoteAndVelocityAreKeptToMidiRange) {
    WriteSettings("[Preview]\nNote=200\nVelocity=-3\n");
    TConfig config;
    config.Load();
    EXPECT_EQ(config.PreviewNote, 127);
    EXPECT_EQ(config.PreviewVelocity, 0);
}

// A board or card id picks a name list: one past the tables (2 * id + 1 overflowing, even) would
// pick none.
TEST_F(ConfigTest, BoardAndCardIdsThatDoNotExistReadAsNone) {
    WriteSettings("[Expansion]\nExpA=17\nExpB=18\nExpC=-1\nExpD=2147483647\nPCMCard=9\n");
    TConfig config;
    config.Load();
    EXPECT_EQ(config.ExpA, 17);
    EXPECT_EQ(config.ExpB, 0);
    EXPECT_EQ(config.ExpC, 0);
    EXPECT_EQ(config.ExpD, 0);
    EXPECT_EQ(config.PCMCard, 0);
    WriteSettings("[Expansion]\nPCMCard=8\n");
    config.Load();
    EXPECT_EQ(config.PCMCard, 8);
}

TEST_F(ConfigTest, SaveReportsAFileThatCannotBeWritten) {
    // A folder that cannot be made: its parent is a file.
    std::ofstream(folder_ / "plain") << "x";
    UseFolder(folder_ / "plain" / "settings");
    TConfig config;
    EXPECT_FALSE(config.Save());
}

TEST_F(ConfigTest, LoadReopensOpenPortsOnly) {
    TQuintaron state;
    std::vector<std::string> calls;
    state.Midi.OnDevs = [&](bool open) { calls.push_back(open ? "OpenDevs" : "CloseDevs"); };
    TConfig config;
    state.Midi.SetOnline(false);
    config.Load();
    EXPECT_TRUE(calls.empty());
    state.Midi.SetOnline(true);
    config.Load();
    EXPECT_EQ(calls, (std::vector<std::string>{"CloseDevs", "OpenDevs"}));
}

TEST(ConfigSlotTest, ExpansionSlotOf) {
    TConfig config;
    config.ExpA = 3;
    config.ExpB = 5;
    config.ExpC = 5;
    config.ExpD = 0;
    EXPECT_EQ(config.ExpansionSlotOf(3), 0);
    EXPECT_EQ(config.ExpansionSlotOf(5), 1);
    EXPECT_EQ(config.ExpansionSlotOf(0), 3);
    EXPECT_EQ(config.ExpansionSlotOf(9), -2);
}

TEST(QuintaronTest, IsTheApplicationStateWhileItLives) {
    EXPECT_EQ(AppState(), nullptr);
    {
        TQuintaron state;
        EXPECT_EQ(AppState(), &state);
        EXPECT_FALSE(state.Midi.Online());
        EXPECT_FALSE(state.ImportExportMode);
        EXPECT_FALSE(state.DragRunning);
        EXPECT_FALSE(state.CloseCancelled);
        EXPECT_EQ(state.CurrentPatch, nullptr);
        EXPECT_EQ(state.CurrentLibrary, nullptr);
        EXPECT_EQ(state.PreviewChannel, 1);
        ::testing::FLAGS_gtest_death_test_style = "threadsafe";
        EXPECT_DEBUG_DEATH(TQuintaron second, "second application state");
    }
    EXPECT_EQ(AppState(), nullptr);
    EXPECT_FALSE(MidiOnline());
    EXPECT_FALSE(ImportExportMode());
}

TEST(QuintaronTest, StartsWithMonitorAndKeyboardClosed) {
    const TQuintaron state;
    EXPECT_FALSE(state.MonitorOpen);
    EXPECT_FALSE(state.KeyboardOpen);
    EXPECT_EQ(state.Config.DeviceID, 17);
}

} // namespace
} // namespace model
