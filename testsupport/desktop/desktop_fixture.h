#pragma once
// A test's world for the windows above the data model (editor pages and the application's
// windows) and their ports: the simulated instrument and a second device pair on the virtual back
// end, all timed by a manual clock; a screen, a clean queue and input state and a user's input
// driver; the application state; settings and documents folders of the test's own; a system
// without printers, so that nothing a test prints reaches a printer of the machine; message boxes
// that are written down and answered OK; a user's clicks on a popup's items.

#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/forms/menus.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "platform/win/print_spooler.h"
#include "testsupport/temp_folder.h"
#include "testsupport/virtual_instrument.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace testsupport {

class RecordingDialogs : public model::TDialogs {
public:
    bool OpenDialog(model::TFileDialogRequest&) override { return false; }
    bool SaveDialog(model::TFileDialogRequest&) override { return false; }
    model::TModalResult MessageDlg(const std::string& text, model::TMsgDlgType,
                                   model::TMsgDlgButtons) override {
        messages.push_back(text);
        return answer;
    }
    std::vector<std::string> messages;
    model::TModalResult answer = model::mrOk;
};

class DesktopTest : public ::testing::Test {
    // The test's name is in its folder's so that a folder left behind tells whose it was.
    static std::string TestFolderPrefix() {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& ch : name)
            if (ch == '/') ch = '_';
        return "quintaron_" + name + "_";
    }

protected:
    static constexpr const char* OtherName = "Other Synth";

    DesktopTest() {
        if (tempFolder.Path().empty()) ADD_FAILURE() << "no temporary folder";
        platform::core::ResetMessageLoop();
        platform::win::ResetInputState();
        platform::win::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 740}}});
        platform::forms::Application().ResetTerminated();
        otherPair = virtualInstrument.Midi().AddPair(
            OtherName, [this](std::vector<std::uint8_t> m) { toOther.push_back(std::move(m)); });
        model::SetDialogs(&dialogs);
    }
    ~DesktopTest() override {
        owner.reset();
        platform::forms::Application().SetMainForm(nullptr);
        testsupport::PumpUntilIdle();
        model::SetDialogs(nullptr);
        model::SetUiServices(nullptr);
        platform::core::ResetMessageLoop();
        platform::win::ResetInputState();
    }

    // A window of the test, made as the program makes it.
    template <class T, class... Args> T& MakeForm(Args&&... args) {
        T& form = owner->Own<T>(std::forward<Args>(args)...);
        form.AfterConstruction();
        return form;
    }
    // The multiple-document main window that child windows need.
    platform::forms::TForm& MakeMainWindow() {
        auto& main = MakeForm<platform::forms::TForm>(platform::forms::fsMDIForm);
        ShowAsMainForm(main);
        return main;
    }
    // Shows form at (0, 0), 1000 x 700, as the application's main form.
    static void ShowAsMainForm(platform::forms::TForm& form) {
        form.SetBounds(0, 0, 1000, 700);
        platform::forms::Application().SetMainForm(&form);
        form.Show();
    }
    void Run(platform::core::Millis ms) { platform::core::RunFor(clock, ms); }
    // Runs action once the clock reaches now + ms (inside a modal loop, for instance).
    void After(platform::core::Millis ms, std::function<void()> action) {
        clock.Schedule(clock.Now() + ms, std::move(action));
    }
    static platform::forms::TPoint Centre(const platform::forms::TControl& control) {
        return control.ClientToScreen({control.Width() / 2, control.Height() / 2});
    }
    void Click(const platform::forms::TControl& control) { driver.Click(Centre(control)); }
    // A press on from, moved past the drag threshold and onto to, released there; what accepted
    // said just before the release. The clock then runs settle ms, so that the next press is no
    // double-click and what the drop sent has gone out.
    bool DragOnto(const platform::forms::TControl& from, const platform::forms::TControl& to,
                  const std::function<bool()>& accepted, platform::core::Millis settle) {
        const platform::forms::TPoint start = Centre(from);
        driver.Press(start);
        driver.MoveTo({start.X + 8, start.Y + 8});
        driver.MoveTo(Centre(to));
        const bool result = accepted();
        driver.Release(Centre(to));
        testsupport::PumpUntilIdle();
        Run(settle);
        return result;
    }
    void Click(const platform::forms::TControl& control, platform::forms::TPoint client) {
        driver.Click(control.ClientToScreen(client));
    }
    // The place of item among popup's items; -1 when it is none of them.
    static int PopupItemIndex(platform::forms::TPopupMenu& popup,
                              const platform::forms::TMenuItem& item) {
        for (int i = 0; i < popup.Items().Count(); ++i)
            if (popup.Items().Items(i) == &item) return i;
        return -1;
    }
    // A click on the item at index of popup, which is open.
    void ClickPopupItem(const platform::forms::TPopupMenu& popup, int index) {
        const platform::forms::TRect item = popup.ItemScreenRect(index);
        driver.Click({item.Left + 5, item.Top + 3});
    }
    testsupport::SimInstrument& instrument() { return virtualInstrument.Instrument(); }
    // What the instrument sends, delivered at once.
    void FromInstrument(const std::vector<std::uint8_t>& message) {
        instrument().Transmit(message);
        Run(5);
    }

    platform::core::ManualClock clock{1000};
    platform::core::ClockOverride clockOverride{clock};
    // Time stamps move with the clock, never with the wall clock.
    platform::core::NowOverride clockDate{clock, platform::core::EncodeDate(2026, 3, 7) +
                                                     platform::core::EncodeTime(9, 0, 0, 0)};
    testsupport::TempFolder tempFolder{TestFolderPrefix()};
    std::filesystem::path folder = tempFolder.Path();
    testsupport::EnvironmentOverride settings{"QUINTARON_CONFIG_DIR", (folder / "config").string()};
    testsupport::EnvironmentOverride documents{"QUINTARON_DOCUMENTS_DIR",
                                               (folder / "documents").string()};
    platform::win::PrintersOverride noPrinters{{}};
    testsupport::VirtualInstrument virtualInstrument{clock};
    std::size_t otherPair = 0;
    std::vector<std::vector<std::uint8_t>> toOther;
    model::TQuintaron state;
    RecordingDialogs dialogs;
    testsupport::InputDriver driver;
    // The windows of the test, freed before the rest of its world.
    std::unique_ptr<platform::forms::TComponent> owner =
        std::make_unique<platform::forms::TComponent>(nullptr);
};

} // namespace testsupport
