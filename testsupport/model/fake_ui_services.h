#pragma once
// The window services of a test: nothing is shown, what the model asked is written down, and
// the answers the windows would give are set by the test. Installed for its lifetime.

#include "model/program/ui_services.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace testsupport {

class FakeUiServices : public model::TUiServices {
public:
    FakeUiServices();
    ~FakeUiServices() override;
    FakeUiServices(const FakeUiServices&) = delete;
    FakeUiServices& operator=(const FakeUiServices&) = delete;

    void MonitorAddMessage(std::span<const std::uint8_t> message) override;
    void EnableMenuItems() override;
    model::TEditorView* CreateEditor(model::TLibElem& elem) override;
    model::TTransferWindow* TransferWindow() override;
    void ReloadNameLists() override;
    model::TMidiFilePlayer* MediaPlayer() override;
    std::optional<int> ActiveRhythmNoteKey() override;
    void SetScreenCursor(int cursor) override;

    // What the model asked.
    std::vector<std::vector<std::uint8_t>> monitor;
    int menuUpdates = 0;
    int nameListReloads = 0;
    std::vector<int> cursors;

    // What the windows answer: none of them stands unless set.
    std::function<model::TEditorView*(model::TLibElem&)> createEditor;
    model::TTransferWindow* transferWindow = nullptr;
    model::TMidiFilePlayer* mediaPlayer = nullptr;
    std::optional<int> rhythmNoteKey;
};

} // namespace testsupport
