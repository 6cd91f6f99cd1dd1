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

std::uint8_t PreviewChannelIndex() {
    return static_cast<std::uint8_t>((AppState()->PreviewChannel - 1) & 0x0F);
}

bool SingleNote() {
    return AppState() == nullptr || AppState()->Config.SingleNote;
}

void SetCursor(TUiServices* ui, int cursor) {
    if (ui != nullptr) ui->SetScreenCursor(cursor);
}

void SendNote(std::uint8_t status, TQuintaron::TSoundingNote note, std::uint8_t velocity) {
    if (midi::TMidiOutput* output = AppState()->Midi.Output())
        output->SendShort(static_cast<std::uint8_t>(status | note.Channel), note.Key, velocity);
}

// The note a release stops: the one that was started, so that a page or channel changed while
// the preview is held cannot leave it sounding; with none started, the current key and channel.
TQuintaron::TSoundingNote ReleasedNote() {
    TQuintaron& state = *AppState();
    const TQuintaron::TSoundingNote note = state.PreviewSounding.value_or(
        TQuintaron::TSoundingNote{PreviewChannelIndex(), DataByte(PreviewKey())});
    state.PreviewSounding.reset();
    return note;
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
        // A note still held from an earlier start is stopped first: only one preview note sounds.
        if (AppState()->PreviewSounding) SendNote(0x80, ReleasedNote(), 0);
        const TQuintaron::TSoundingNote note{PreviewChannelIndex(), DataByte(PreviewKey())};
        SendNote(0x90, note, DataByte(AppState()->Config.PreviewVelocity));
        AppState()->PreviewSounding = note;
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
        SendNote(0x80, ReleasedNote(), 0);
        return;
    }
    // The ports were opened again already when the file could not be played.
    TMidiFilePlayer* player = ui->MediaPlayer();
    if (player == nullptr || !player->IsOpen()) return;
    player->Close();
    AppState()->Midi.OpenDevs();
}

} // namespace model
