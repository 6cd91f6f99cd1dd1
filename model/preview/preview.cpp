#include "model/preview/preview.h"

#include "midi/midi_output.h"
#include "model/preview/midi_file_player.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"

#include <algorithm>
#include <cstdint>

namespace model {

namespace {

constexpr int RhythmKeyBase = 36;
constexpr int DefaultPreviewNote = 40;

// A data byte of 80H or more would be taken for a status byte by the instrument.
std::uint8_t DataByte(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 127));
}

std::uint8_t ChannelOf(std::uint8_t status) {
    return static_cast<std::uint8_t>(status | ((AppState()->PreviewChannel - 1) & 0x0F));
}

bool SingleNote() {
    return AppState() == nullptr || AppState()->Config.SingleNote;
}

void SetCursor(TUiServices* ui, int cursor) {
    if (ui != nullptr) ui->SetScreenCursor(cursor);
}

void SendNote(std::uint8_t status, std::uint8_t velocity) {
    if (midi::TMidiOutput* output = AppState()->Midi.Output())
        output->SendShort(ChannelOf(status), DataByte(PreviewKey()), velocity);
}

} // namespace

int PreviewKey() {
    if (TUiServices* ui = UiServices()) {
        if (const std::optional<int> key = ui->ActiveRhythmNoteKey())
            return DataByte(*key + RhythmKeyBase);
    }
    return DataByte(AppState() != nullptr ? AppState()->Config.PreviewNote : DefaultPreviewNote);
}

void PreviewNoteOn() {
    TUiServices* ui = UiServices();
    SetCursor(ui, crHelp);
    if (!MidiOnline() || ui == nullptr) return;
    if (SingleNote()) {
        SendNote(0x90, DataByte(AppState()->Config.PreviewVelocity));
        return;
    }
    TMidiFilePlayer* player = ui->MediaPlayer();
    AppState()->Midi.CloseDevs();
    if (player != nullptr) {
        player->FileName = AppState()->Config.MidiFile;
        if (player->Open() && player->Play()) return;
        player->Close();
    }
    SetCursor(ui, crDefault);
    MessageDlg(UnableToOpenMidiFile, TMsgDlgType::mtError, mbOK);
    AppState()->Midi.OpenDevs();
}

void PreviewNoteOff() {
    TUiServices* ui = UiServices();
    SetCursor(ui, crDefault);
    if (!MidiOnline() || ui == nullptr) return;
    if (SingleNote()) {
        SendNote(0x80, 0);
        return;
    }
    // The ports were opened again already when the file could not be played.
    TMidiFilePlayer* player = ui->MediaPlayer();
    if (player == nullptr || !player->IsOpen()) return;
    player->Close();
    AppState()->Midi.OpenDevs();
}

} // namespace model
