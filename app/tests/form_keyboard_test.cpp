// The on-screen keyboard: opened by Gadgets > Keyboard, it plays the pressed key on the preview
// channel at the preview velocity, one note at a time, never a data byte of 80H or more; its
// place and base octave come from the settings file and go back there at its close.

#include "app/form_keyboard.h"
#include "app/tests/main_window_fixture.h"
#include "platform/core/ini_file.h"

#include <algorithm>
#include <string>
#include <vector>

namespace app::test {

namespace {

namespace pc = platform::core;
using Bytes = std::vector<std::uint8_t>;

class FormKeyboardTest : public WithPreview<MainWindowTest> {
protected:
    // As a user opens it: Gadgets > Keyboard.
    TFormKeyboard& OpenKeyboard() {
        main.GadgetsKeyboardItem.Click();
        testsupport::PumpUntilIdle();
        for (int i = 0; i < main.MDIChildCount(); ++i)
            if (auto* keyboard = dynamic_cast<TFormKeyboard*>(main.MDIChildren(i)))
                return *keyboard;
        ADD_FAILURE() << "no keyboard window";
        throw std::runtime_error("no keyboard window");
    }
    // A point low on key i, on its white part for a white key, screen coordinates.
    static forms::TPoint OnKey(TFormKeyboard& keyboard, int i) {
        const controls::TKeySelector& keys = keyboard.KeySelector;
        const int y = keys.Height() - 5;
        // The left edge of a white key, or of the white key that a black key lies over.
        return keys.ClientToScreen({keys.KeyX(i) + 4, y});
    }
    void PlayKey(TFormKeyboard& keyboard, int i) {
        driver.Click(OnKey(keyboard, i));
        Run(5);
    }
    std::vector<Bytes> Received(std::size_t from = 0) {
        Run(5);
        const std::vector<Bytes> all = instrument().Received();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
    }
    static pc::TIniFile Settings() { return pc::TIniFile(model::SettingsFileName); }
};

TEST_F(FormKeyboardTest, APressAndReleaseOnKeyTwelvePlaysNoteTwelveOnceAtBaseOctaveZero) {
    TFormKeyboard& keyboard = OpenKeyboard();
    EXPECT_TRUE(state.KeyboardOpen);
    EXPECT_FALSE(main.GadgetsKeyboardItem.Enabled());
    std::vector<std::string> captions;
    driver.Press(OnKey(keyboard, 12));
    captions.push_back(keyboard.Caption());
    EXPECT_EQ(keyboard.LastNote(), 12);
    EXPECT_TRUE(testsupport::SaveWindowPng(keyboard.Handle(), (folder / "keyboard.png").string()));
    driver.Release(OnKey(keyboard, 12));
    captions.push_back(keyboard.Caption());

    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x90, 12, 99}, {0x80, 12, 99}}));
    EXPECT_EQ(captions, (std::vector<std::string>{"Keyboard", "Keyboard"}));
    EXPECT_EQ(keyboard.LastNote(), -1);
    EXPECT_EQ(keyboard.KeySelector.KeySelected(), -1);
}

TEST_F(FormKeyboardTest, ADragAcrossThreeKeysEndsEachNoteBeforeTheNextBegins) {
    TFormKeyboard& keyboard = OpenKeyboard();
    state.PreviewChannel = 10;
    driver.Press(OnKey(keyboard, 12));
    driver.MoveTo(OnKey(keyboard, 14));
    EXPECT_EQ(keyboard.Caption(), "Keyboard ( Play note : D 0 )");
    driver.MoveTo(OnKey(keyboard, 16));
    driver.Release(OnKey(keyboard, 16));

    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x99, 12, 99},
                                              {0x89, 12, 99},
                                              {0x99, 14, 99},
                                              {0x89, 14, 99},
                                              {0x99, 16, 99},
                                              {0x89, 16, 99}}));
    EXPECT_EQ(keyboard.Caption(), "Keyboard");
}

TEST_F(FormKeyboardTest, WithoutSettingsItOpensAtTheTopLeftAtTheLowestOctave) {
    TFormKeyboard& keyboard = OpenKeyboard();
    EXPECT_EQ(keyboard.BoundsRect(), (forms::TRect{0, 0, 384, 123}));
    EXPECT_EQ(keyboard.Caption(), "Keyboard");
    EXPECT_EQ(keyboard.HelpContext, 21);
    EXPECT_EQ(keyboard.BorderStyle(), forms::bsDialog);
    EXPECT_EQ(keyboard.BorderIcons(), forms::biSystemMenu | forms::biMinimize);
    std::vector<std::string> captions;
    for (const forms::TSpeedButton* button : keyboard.SpeedButtons)
        captions.push_back(button->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"-1", "0", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_TRUE(keyboard.SpeedButtons[0]->Down());
    EXPECT_EQ(keyboard.BaseOctave(), 0);
    PlayKey(keyboard, 0);
    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x90, 0, 99}, {0x80, 0, 99}}));
    // Sizing it by program does not take.
    keyboard.SetBounds(10, 10, 500, 300);
    EXPECT_EQ(keyboard.Width(), 384);
    EXPECT_EQ(keyboard.Height(), 123);
}

TEST_F(FormKeyboardTest, TheStoredBaseOctaveSetsItsButtonDownAndMovesEveryKey) {
    const struct {
        int stored;
        std::size_t button; // the one down
        int key;
        int note;
    } cases[] = {
        {3, 4, 5, 53},
        {-1, 0, 5, 5},
        {7, 8, 31, 127},
        // Out of the buttons' range: the nearest button.
        {12, 8, 0, 96},
        {-5, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Settings().WriteInteger("Keyboard", "BaseOctave", c.stored);
        const std::size_t before = instrument().Received().size();
        TFormKeyboard& keyboard = OpenKeyboard();
        for (std::size_t i = 0; i < keyboard.SpeedButtons.size(); ++i)
            EXPECT_EQ(keyboard.SpeedButtons[i]->Down(), i == c.button) << i;
        PlayKey(keyboard, c.key);
        EXPECT_EQ(Received(before),
                  (std::vector<Bytes>{{0x90, static_cast<std::uint8_t>(c.note), 99},
                                      {0x80, static_cast<std::uint8_t>(c.note), 99}}));
        keyboard.Close();
        testsupport::PumpUntilIdle();
    }
}

TEST_F(FormKeyboardTest, EachButtonGivesItsOwnOctaveAndNoNoteAbove127IsSent) {
    TFormKeyboard& keyboard = OpenKeyboard();
    for (std::size_t i = 0; i < keyboard.SpeedButtons.size(); ++i) {
        Click(*keyboard.SpeedButtons[i]);
        EXPECT_EQ(keyboard.BaseOctave(), static_cast<int>(i))
            << keyboard.SpeedButtons[i]->Caption();
        EXPECT_TRUE(keyboard.SpeedButtons[i]->Down());
    }
    // At the "7" button key 31 is note 127 and key 32 would be 128.
    PlayKey(keyboard, 31);
    PlayKey(keyboard, 32);
    driver.Press(OnKey(keyboard, 31));
    driver.MoveTo(OnKey(keyboard, 33));
    driver.MoveTo(OnKey(keyboard, 29));
    driver.Release(OnKey(keyboard, 29));
    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x90, 127, 99},
                                              {0x80, 127, 99},
                                              {0x90, 127, 99},
                                              {0x80, 127, 99},
                                              {0x90, 125, 99},
                                              {0x80, 125, 99}}));
}

TEST_F(FormKeyboardTest, AVelocityPastTheDataRangeIsSentAs127) {
    state.Config.PreviewVelocity = 200;
    TFormKeyboard& keyboard = OpenKeyboard();
    PlayKey(keyboard, 2);
    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x90, 2, 127}, {0x80, 2, 127}}));
}

TEST_F(FormKeyboardTest, AReleaseOverTheHiddenLeftmostKeyStillEndsTheNote) {
    TFormKeyboard& keyboard = OpenKeyboard();
    const controls::TKeySelector& keys = keyboard.KeySelector;
    const forms::TPoint hidden = keys.ClientToScreen({3, keys.Height() - 5});
    driver.Press(OnKey(keyboard, 2));
    driver.MoveTo(hidden);
    EXPECT_EQ(keys.KeySelected(), -1);
    driver.Release(hidden);
    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x90, 2, 99}, {0x80, 2, 99}}));
    EXPECT_EQ(keyboard.LastNote(), -1);
    // The next press starts afresh.
    PlayKey(keyboard, 4);
    EXPECT_EQ(Received().size(), 4u);
}

TEST_F(FormKeyboardTest, ClosingEndsTheSoundingNoteAndKeepsPlaceAndOctave) {
    TFormKeyboard& keyboard = OpenKeyboard();
    Click(*keyboard.SpeedButtons[3]);
    keyboard.SetLeft(40);
    keyboard.SetTop(30);
    driver.Press(OnKey(keyboard, 7));
    keyboard.Close();
    EXPECT_EQ(Received(), (std::vector<Bytes>{{0x90, 43, 99}, {0x80, 43, 99}}));
    EXPECT_FALSE(state.KeyboardOpen);
    EXPECT_TRUE(main.GadgetsKeyboardItem.Enabled());
    driver.Release({0, 0});
    testsupport::PumpUntilIdle();
    EXPECT_EQ(main.MDIChildCount(), 0);
    EXPECT_EQ(Received().size(), 2u);

    const pc::TIniFile ini = Settings();
    EXPECT_EQ(ini.ReadInteger("Keyboard", "Left", -1), 40);
    EXPECT_EQ(ini.ReadInteger("Keyboard", "Top", -1), 30);
    EXPECT_EQ(ini.ReadInteger("Keyboard", "Width", -1), 384);
    EXPECT_EQ(ini.ReadInteger("Keyboard", "BaseOctave", -9), 2);
    TFormKeyboard& again = OpenKeyboard();
    EXPECT_EQ(again.BoundsRect(), (forms::TRect{40, 30, 424, 153}));
    EXPECT_TRUE(again.SpeedButtons[3]->Down());
}

TEST_F(FormKeyboardTest, TheDesktopReopensAKeyboardThatWasOpenAtShutDown) {
    Settings().WriteInteger("Keyboard", "Open", 1);
    main.LoadDesktopLibrary();
    ASSERT_EQ(main.MDIChildCount(), 1);
    EXPECT_NE(dynamic_cast<TFormKeyboard*>(main.MDIChildren(0)), nullptr);
    EXPECT_TRUE(state.KeyboardOpen);
    // The command makes no second one.
    main.GadgetsKeyboard();
    EXPECT_EQ(main.MDIChildCount(), 1);
}

} // namespace

} // namespace app::test
