// The preview set-up dialog: opened by Settings > Preview, it shows and writes the four preview
// settings; "Test" auditions what it shows, a MIDI file through the instrument with the ports
// closed, and leaves the settings as they were however the press ends.

#include "app/form_preview_setup.h"
#include "app/tests/main_window_fixture.h"
#include "model/files/data_folders.h"
#include "model/preview/midi_file_player.h"
#include "platform/core/ini_file.h"
#include "platform/forms/dialogs.h"
#include "platform/win/input_state.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace app::test {

namespace {

namespace pc = platform::core;
namespace pw = platform::win;
using Bytes = std::vector<std::uint8_t>;

// A message box takes the mouse from whatever held it, as a modal box does.
class ModalDialogs : public RecordingDialogs {
public:
    model::TModalResult MessageDlg(const std::string& text, model::TMsgDlgType type,
                                   model::TMsgDlgButtons buttons) override {
        if (pw::GetCapture() != pw::HWND{}) pw::ReleaseCapture();
        return RecordingDialogs::MessageDlg(text, type, buttons);
    }
};

struct TPreviewSettings {
    bool SingleNote;
    std::string MidiFile;
    int PreviewNote;
    int PreviewVelocity;
    bool operator==(const TPreviewSettings&) const = default;
    friend void PrintTo(const TPreviewSettings& s, std::ostream* os) {
        *os << "{single " << s.SingleNote << ", \"" << s.MidiFile << "\", note " << s.PreviewNote
            << ", velocity " << s.PreviewVelocity << "}";
    }
};

class FormPreviewSetupTest : public WithPreview<MainWindowTest> {
protected:
    FormPreviewSetupTest() {
        state.Config.MidiFile = "Before.Mid";
        state.Midi.OnDevs = [this](bool open) { devs.push_back(open ? "open" : "close"); };
    }
    ~FormPreviewSetupTest() override { state.Midi.OnDevs = nullptr; }

    TPreviewSettings Settings() const {
        const model::TConfig& c = state.Config;
        return {c.SingleNote, c.MidiFile, c.PreviewNote, c.PreviewVelocity};
    }
    // One note at 200 ms, released at 700 ms, 1 ms a tick.
    std::string SongFile() {
        const Bytes file = {'M',  'T',  'h',  'd',  0,    0,    0,    6,    0,    0,    0,    1,
                            0x01, 0xF4, 'M',  'T',  'r',  'k',  0,    0,    0,    13,   0x81, 0x48,
                            0x90, 0x3C, 0x50, 0x83, 0x74, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};
        const auto path = folder / "Song.Mid";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()),
                   static_cast<std::streamsize>(file.size()));
        return path.string();
    }
    forms::TPoint TestButton() const {
        const forms::TControl& test = setup.BitBtn1;
        return test.ClientToScreen({test.Width() / 2, test.Height() / 2});
    }
    // Settings > Preview; the steps run inside the dialog at 100 ms, 200 ms... after it opens,
    // and Cancel after the last.
    void WithDialog(std::vector<std::function<void()>> steps, bool cancel = true) {
        pc::Millis at = 100;
        for (auto& step : steps) {
            After(at, std::move(step));
            at += 100;
        }
        if (cancel) After(at, [this] { Click(setup.BitBtn3); });
        main.SetPreviewItem.Click();
    }
    std::vector<Bytes> Received() {
        Run(5);
        return instrument().Received();
    }

    TFormPreviewSetup& setup = MakeForm<TFormPreviewSetup>();
    std::vector<std::string> devs;
};

TEST_F(FormPreviewSetupTest, TestPlaysTheMidiFileWithThePortsClosedAndChangesNoSetting) {
    const TPreviewSettings before = Settings();
    const std::string song = SongFile();
    EXPECT_EQ(services.MediaPlayer(), &setup.MediaPlayer());
    std::vector<Bytes> duringPress;
    std::vector<std::string> devsDuringPress;
    bool noteEnabled = true, midiEnabled = false;
    // Input given inside the dialog is taken by its loop once the step has returned.
    WithDialog({[&] { Click(setup.RadioMidi); },
                [&] {
                    setup.MidiName.SetText(song);
                    noteEnabled = setup.PanelNote.Enabled();
                    midiEnabled = setup.PanelMidi.Enabled();
                    EXPECT_TRUE(testsupport::SaveWindowPng(
                        setup.Handle(), (folder / "preview_setup.png").string()));
                    driver.Press(TestButton());
                },
                [] {}, [] {},
                [&] {
                    duringPress = instrument().Received();
                    devsDuringPress = devs;
                    driver.Release(TestButton());
                }});

    EXPECT_FALSE(noteEnabled);
    EXPECT_TRUE(midiEnabled);
    EXPECT_EQ(duringPress, (std::vector<Bytes>{{0x90, 0x3C, 0x50}}));
    EXPECT_EQ(devsDuringPress, (std::vector<std::string>{"close"}));
    EXPECT_EQ(devs, (std::vector<std::string>{"close", "open"}));
    EXPECT_TRUE(state.Midi.Online());
    EXPECT_FALSE(setup.MediaPlayer().IsOpen());
    // The note still held was let go at the release.
    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x90, 0x3C, 0x50}, {0x80, 0x3C, 0x00}}));
    EXPECT_EQ(Settings(), before);
    EXPECT_FALSE(setup.Testing());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FormPreviewSetupTest, TestPlaysTheNoteTheDialogShowsAndStopsItAtTheRelease) {
    const TPreviewSettings before = Settings();
    std::vector<TPreviewSettings> duringPress;
    WithDialog({[&] {
                    setup.Note.SetCode(50);
                    setup.Velocity.SetValue(30);
                    driver.Press(TestButton());
                },
                [&] {
                    duringPress.push_back(Settings());
                    driver.Release(TestButton());
                }});
    EXPECT_EQ(duringPress, (std::vector<TPreviewSettings>{{true, "Before.Mid", 50, 30}}));
    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x90, 50, 30}, {0x80, 50, 0}}));
    EXPECT_EQ(Settings(), before);
}

TEST_F(FormPreviewSetupTest, APressThatEndsWithoutItsReleasePutsTheSettingsBack) {
    const TPreviewSettings before = Settings();
    ModalDialogs modal;
    model::SetDialogs(&modal);
    std::vector<TPreviewSettings> afterPress;
    std::vector<bool> testing;
    WithDialog({// An error box comes up during the press and takes the mouse.
                [&] { Click(setup.RadioMidi); },
                [&] {
                    setup.MidiName.SetText((folder / "Missing.Mid").string());
                    driver.Press(TestButton());
                },
                [&] {
                    afterPress.push_back(Settings());
                    testing.push_back(setup.Testing());
                    driver.Release(TestButton());
                },
                // Another program takes the focus while the note sounds.
                [&] { Click(setup.RadioSingle); },
                [&] {
                    setup.Note.SetCode(70);
                    driver.Press(TestButton());
                },
                [&] {
                    testing.push_back(setup.Testing());
                    driver.DeactivateApplication();
                },
                [&] {
                    afterPress.push_back(Settings());
                    testing.push_back(setup.Testing());
                    driver.ActivateWindow(setup.Handle());
                    driver.Release(TestButton());
                }});
    model::SetDialogs(&dialogs);

    EXPECT_EQ(modal.messages, (std::vector<std::string>{"Unable to Open Midi File."}));
    EXPECT_EQ(afterPress, (std::vector<TPreviewSettings>{before, before}));
    EXPECT_EQ(testing, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Settings(), before);
    EXPECT_EQ(devs, (std::vector<std::string>{"close", "open"}));
    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x90, 70, 99}, {0x80, 70, 0}}));
}

TEST_F(FormPreviewSetupTest, OkWritesTheControlsAndSavesTheSettingsFileCancelKeepsThem) {
    const TPreviewSettings before = Settings();
    WithDialog({[&] {
        EXPECT_TRUE(setup.RadioSingle.Checked());
        EXPECT_TRUE(setup.PanelNote.Enabled());
        EXPECT_FALSE(setup.PanelMidi.Enabled());
        EXPECT_EQ(setup.Note.Code(), 64);
        EXPECT_EQ(setup.Note.TextBox().Text(), " E 4");
        EXPECT_EQ(setup.Velocity.Value(), 99);
        EXPECT_EQ(setup.MidiName.Text(), "Before.Mid");
        setup.Note.SetCode(72);
        Click(setup.RadioMidi);
    }});
    EXPECT_EQ(Settings(), before);

    WithDialog({[&] {
                    EXPECT_EQ(setup.Note.Code(), 64);
                    setup.Note.SetCode(72);
                    setup.Velocity.SetValue(127);
                    setup.MidiName.SetText("After.Mid");
                    Click(setup.RadioMidi);
                },
                [&] { Click(setup.BitBtn2); }},
               false);
    EXPECT_EQ(setup.ModalResult(), forms::mrOk);
    EXPECT_EQ(Settings(), (TPreviewSettings{false, "After.Mid", 72, 127}));
    const pc::TIniFile ini(model::SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Preview", "Single Note", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Preview", "Note", -1), 72);
    EXPECT_EQ(ini.ReadInteger("Preview", "Velocity", -1), 127);
    EXPECT_EQ(ini.ReadString("Preview", "Midifile", ""), "After.Mid");
    EXPECT_EQ(setup.Caption(), "Preview Setup");
    EXPECT_EQ(setup.HelpContext, 19);
}

TEST_F(FormPreviewSetupTest, BrowseStartsInTheFilesFolderOrTheDataFolder) {
    const std::string song = SongFile();
    forms::TDialogScript script;
    script.AnswerFile("Select Midi File", song);
    script.AnswerFile("Select Midi File", "");
    std::string chosen;
    WithDialog({[&] {
                    setup.MidiName.SetText("");
                    Click(setup.RadioMidi);
                },
                [&] { Click(setup.Cercabtn); },
                [&] {
                    chosen = setup.MidiName.Text();
                    Click(setup.Cercabtn);
                }});
    EXPECT_EQ(chosen, song);
    EXPECT_EQ(setup.MidiName.Text(), song);
    ASSERT_EQ(script.Asked().size(), 2u);
    const forms::TDialogQuestion& first = script.Asked()[0];
    EXPECT_EQ(first.Kind, forms::TDialogKind::Open);
    EXPECT_EQ(first.InitialDir, model::GetDefaultDataFolder());
    EXPECT_EQ(first.Filter, "Mid file|*.Mid");
    EXPECT_EQ(first.DefaultExt, "Mid");
    EXPECT_EQ(script.Asked()[1].InitialDir, folder.string());
    EXPECT_EQ(script.Asked()[1].Text, "Song.Mid");
    EXPECT_TRUE(script.Mismatches().empty());
}

} // namespace

} // namespace app::test
