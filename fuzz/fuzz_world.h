#pragma once
// The world every fuzz target runs in: a folder of the process's own that is the documents and
// settings folder, a fixed "now", the application state, window services that show nothing,
// and file dialogs that answer the open dialog with the file under test. libFuzzer runs one
// input at a time in one process, so one world serves every input.

#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "testsupport/model/fake_ui_services.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

using Bytes = std::vector<std::uint8_t>;

// Stops the run with the failed invariant, as a crash would, so that libFuzzer keeps the input.
[[noreturn]] void Fail(const char* what, const char* file, int line);

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) ::fuzz::Fail(#condition, __FILE__, __LINE__);                            \
    } while (false)

class AnsweringDialogs : public model::TDialogs {
public:
    // The open dialog chooses answer; the save dialog is cancelled.
    bool OpenDialog(model::TFileDialogRequest& request) override;
    bool SaveDialog(model::TFileDialogRequest& request) override;
    model::TModalResult MessageDlg(const std::string& text, model::TMsgDlgType type,
                                   model::TMsgDlgButtons buttons) override;

    std::string answer;
    std::vector<std::string> messages;
};

class World {
public:
    // The process's world, made on first use.
    static World& Get();

    // A path in the world's folder.
    std::string Path(std::string_view name) const;
    // The documents folder's data folder, where the name lists live.
    std::string DataFolder() const;
    // The settings folder.
    std::string SettingsFolder() const;

    static void WriteFile(const std::string& path, std::span<const std::uint8_t> bytes);
    static Bytes ReadFile(const std::string& path);

    AnsweringDialogs dialogs;
    testsupport::FakeUiServices ui;
    model::TQuintaron state;

private:
    World();
    std::string folder_;
};

} // namespace fuzz
