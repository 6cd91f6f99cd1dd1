#pragma once
// What a transfer needs around it when no user interface runs: a transfer window whose modal
// loop a caller drives (on the manual clock or in real time), dialogs that answer Cancel and count
// what they were asked, a documents folder of the run's own, and the application state whose MIDI
// connection is open on a named device pair. The window notes when each transfer was done and
// when its window closed, so that the time a finished window lingers can be told apart.

#include "midi/midi_input.h"
#include "midi/midi_output.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/transfer/transfer_window.h"
#include "platform/core/timer.h"
#include "platform/midi/midi_services.h"
#include "testsupport/model/fake_ui_services.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bench {

class BenchTransferWindow : public model::TTransferWindow {
public:
    // step runs the message loop a little and lets time pass; now tells the time in ms.
    BenchTransferWindow(std::function<void()> step, std::function<double()> now,
                        double longestModalMs)
        : step_(std::move(step)), now_(std::move(now)), longest_(longestModalMs) {
        timer_.SetEnabled(false);
        cleanup_.SetEnabled(false);
    }

    void Start(int, int, const std::string&, const std::string&) override { done_ = false; }
    void SetTransmetting() override {}
    void AddSended(int, int messages) override { messagesSent += messages; }
    void AddReceived(int, int messages) override { messagesReceived += messages; }
    void AddElem(int) override {}
    void Repaint() override {}
    bool Done() const override { return done_; }
    void SetDone(bool value) override {
        if (value && !done_) doneAt.push_back(now_());
        done_ = value;
    }
    platform::core::TTimer& Timer() override { return timer_; }
    platform::core::TTimer& TimerCleanup() override { return cleanup_; }

    void ShowModal() override {
        closed_ = false;
        const double opened = now_();
        while (!closed_) {
            if (now_() - opened > longest_) {
                timedOut = true;
                Close();
                break;
            }
            step_();
        }
    }
    void Close() override {
        timer_.SetEnabled(false);
        cleanup_.SetEnabled(false);
        closed_ = true;
        closedAt.push_back(now_());
        if (onClose) onClose();
    }

    // Time between each transfer's done flag and its window's close, for the windows that
    // closed before `until`.
    double LingerBefore(double until) const {
        double total = 0;
        for (std::size_t i = 0; i < doneAt.size() && i < closedAt.size(); ++i)
            if (closedAt[i] <= until) total += closedAt[i] - doneAt[i];
        return total;
    }

    std::vector<double> doneAt;
    std::vector<double> closedAt;
    int messagesSent = 0;
    int messagesReceived = 0;
    bool timedOut = false;
    std::function<void()> onClose;

private:
    std::function<void()> step_;
    std::function<double()> now_;
    double longest_;
    bool done_ = false;
    bool closed_ = true;
    platform::core::TTimer timer_{nullptr};
    platform::core::TTimer cleanup_{nullptr};
};

// Message boxes are counted and answered Retry as often as allowed, then Cancel; file dialogs are
// cancelled.
class CountingDialogs : public model::TDialogs {
public:
    bool OpenDialog(model::TFileDialogRequest&) override { return false; }
    bool SaveDialog(model::TFileDialogRequest&) override { return false; }
    model::TModalResult MessageDlg(const std::string& text, model::TMsgDlgType,
                                   model::TMsgDlgButtons) override {
        messages.push_back(text);
        if (retries == 0) return model::mrCancel;
        --retries;
        return model::mrRetry;
    }
    std::vector<std::string> messages;
    // How many times Retry is answered before Cancel: a lost reply is asked for again.
    int retries = 0;
};

// A documents folder of the run's own (the name lists live in its data folder), removed after.
class TempDocuments {
public:
    TempDocuments() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quintaron-bench-docs-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
        if (const char* old = std::getenv(Variable)) old_ = old;
        ::setenv(Variable, folder_.c_str(), 1);
    }
    ~TempDocuments() {
        if (old_)
            ::setenv(Variable, old_->c_str(), 1);
        else
            ::unsetenv(Variable);
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    TempDocuments(const TempDocuments&) = delete;
    TempDocuments& operator=(const TempDocuments&) = delete;

private:
    static constexpr const char* Variable = "QUINTARON_DOCUMENTS_DIR";
    std::filesystem::path folder_;
    std::optional<std::string> old_;
};

// The device number of the port component's product name, as the MIDI connection lists the
// devices; -1 when there is none of that name.
template <class Port> int DeviceNumberOf(const std::string& name, unsigned count) {
    Port probe(nullptr);
    for (unsigned id = 0; id < count; ++id) {
        probe.SetDeviceID(static_cast<int>(id));
        if (probe.ProductName() == name) return static_cast<int>(id);
    }
    return -1;
}

// The program's state for one transfer run: settings, window services around the given transfer
// window, dialogs, and the MIDI connection open on the devices of the given product names.
class TransferSession {
public:
    TransferSession(BenchTransferWindow& window, CountingDialogs& dialogs,
                    const std::string& outputName, const std::string& inputName) {
        model::SetDialogs(&dialogs);
        ui.transferWindow = &window;
        window.onClose = [this] { state.Midi.InstallDefaultMidiInput(); };
        state.Config.OutPort =
            DeviceNumberOf<midi::TMidiOutput>(outputName, platform::midi::midiOutGetNumDevs());
        state.Config.InPort =
            DeviceNumberOf<midi::TMidiInput>(inputName, platform::midi::midiInGetNumDevs());
        state.Midi.Create();
    }
    ~TransferSession() { model::SetDialogs(nullptr); }
    TransferSession(const TransferSession&) = delete;
    TransferSession& operator=(const TransferSession&) = delete;

    // Both ports opened.
    bool Opened() const { return state.Midi.Online(); }
    // The device byte the instrument must answer to.
    std::uint8_t DeviceByte() const { return static_cast<std::uint8_t>(state.Config.DeviceID - 1); }

    TempDocuments documents;
    model::TQuintaron state;
    testsupport::FakeUiServices ui;
};

} // namespace bench
