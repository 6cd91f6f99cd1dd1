#include "testsupport/model/fake_ui_services.h"

namespace testsupport {

FakeUiServices::FakeUiServices() {
    model::SetUiServices(this);
}

FakeUiServices::~FakeUiServices() {
    if (model::UiServices() == this) model::SetUiServices(nullptr);
}

void FakeUiServices::MonitorAddMessage(std::span<const std::uint8_t> message) {
    monitor.emplace_back(message.begin(), message.end());
}

void FakeUiServices::EnableMenuItems() {
    ++menuUpdates;
}

model::TEditorView* FakeUiServices::CreateEditor(model::TLibElem& elem) {
    return createEditor ? createEditor(elem) : nullptr;
}

model::TTransferWindow* FakeUiServices::TransferWindow() {
    return transferWindow;
}

void FakeUiServices::ReloadNameLists() {
    ++nameListReloads;
}

model::TMidiFilePlayer* FakeUiServices::MediaPlayer() {
    return mediaPlayer;
}

std::optional<int> FakeUiServices::ActiveRhythmNoteKey() {
    return rhythmNoteKey;
}

void FakeUiServices::SetScreenCursor(int cursor) {
    cursors.push_back(cursor);
}

} // namespace testsupport
