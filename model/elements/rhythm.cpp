#include "model/elements/rhythm.h"

#include "midi/midi_event.h"
#include "model/elements/patch.h"
#include "model/files/element_files.h"
#include "model/program/quintaron.h"
#include "model/sysex/sysex.h"
#include "model/transfer/transfer_window.h"
#include "platform/core/timer.h"

namespace model {

namespace pc = platform::core;

TRhythm::TRhythm(TLibElem* Owner) : TLibElem(Owner), Common(std::make_unique<TRhythmCommon>()) {
    Type = etRhythm;
    for (int key = FirstRhythmKey; key <= LastRhythmKey; ++key)
        Notes[static_cast<std::size_t>(key - FirstRhythmKey)] = std::make_unique<TRhythmNote>(key);
}

TRhythm::~TRhythm() {
    CloseEditor();
    CloseEditors();
    if (TQuintaron* app = AppState(); app != nullptr && app->CurrentRhythm == this)
        app->CurrentRhythm = nullptr;
}

std::string TRhythm::GetName() const {
    return NameFromData(Common->Data());
}

void TRhythm::SetName(std::string_view NewName, bool Send) {
    SetCommonName(*Common, NewName, Send);
}

void TRhythm::UpdateViews(TViewChange Change) {
    UpdateEditor();
    for (TEditorSlot* page : Pages())
        page->UpDateView(Change);
}

void TRhythm::BuildHeaders() {
    const std::uint32_t base = TransferBase(false);
    for (int block = 0; block < BlockCount; ++block)
        BuildBlockHeader(base, Block(block));
}

void TRhythm::WriteSysEx(pc::TByteWriter& File) {
    TLibElem::WriteSysEx(File);
    WriteImage(File, Common->Image);
    for (const auto& note : Notes)
        WriteImage(File, note->Image);
}

void TRhythm::ReadSysEx(pc::TByteReader& File) {
    ReadImage(File, Common->Image);
    for (const auto& note : Notes)
        ReadImage(File, note->Image);
}

void TRhythm::WriteRecord(pc::TByteWriter& File) {
    TLibElem::WriteRecord(File);
    for (const TEditorSlot* page : Pages())
        WritePosition(File, *page);
    WriteSysEx(File);
}

void TRhythm::ReadRecord(pc::TByteReader& File) {
    TLibElem::ReadRecord(File);
    for (TEditorSlot* page : Pages())
        ReadPosition(File, *page);
    ReadSysEx(File);
}

void TRhythm::SetDefaults() {
    Common->Clear();
    for (const auto& note : Notes)
        note->Clear();
    UpdateViews();
}

void TRhythm::SaveEditorPosition() {
    TLibElem::SaveEditorPosition();
    for (TEditorSlot* page : Pages())
        page->SavePosition();
}

void TRhythm::SendAll() {
    Transmit(true);
}

void TRhythm::CloseEditors() {
    for (TEditorSlot* page : Pages())
        page->Close();
}

TTransferBlock TRhythm::Block(int block) {
    if (block == 0) return {CommonOffset, Common->Image, RhythmCommonRequestSize};
    const int key = FirstRhythmKey - 1 + block;
    return {RhythmNoteOffset(key), Note(key).Image, RhythmNoteRequestSize};
}

std::uint32_t TRhythm::TransferBase(bool toEditBuffer) const {
    return RhythmBase(toEditBuffer || Temporary, Memory, AddressNumber(Number, RhythmsPerMemory));
}

void TRhythm::Transmit(bool ToEditBuffer) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || window == nullptr) return;
    Transfer.Address = TransferBase(ToEditBuffer);
    if (Transfer.Address == RhythmEditBuffer) {
        AppState()->CurrentRhythm = this;
        AppState()->PreviewChannel = 10;
    }
    Transfer.Begin(*window);
    Transfer.StartPacing(*window);
    Transfer.Counter = 0;
    window->Start(0, BlockCount, "Rhythm Number", "Now Transmitting Rhythm");
    window->SetTransmetting();
    window->AddElem(1);
    Transfer.Step([this] { TransmitNext(); });
    Transfer.Run(*window);
}

void TRhythm::TransmitNext() {
    TTransferWindow* window = TransferWindow();
    if (!Transfer.Active() || window == nullptr || Transfer.Counter >= BlockCount) return;
    const TTransferBlock block = Block(Transfer.Counter);
    SendBlock(Transfer.Address, block);
    window->AddSended(static_cast<int>(block.Image.size()), 1);
    if (++Transfer.Counter == BlockCount) {
        window->SetDone(true);
        Transfer.CloseSoon(*window);
    }
}

void TRhythm::Receive(bool ToEditBuffer) {
    CompletionCount = 0;
    Transfer.ReceiveElement(ToEditBuffer, TransferBase(ToEditBuffer), BlockCount, "Rhythm Number",
                            "Now Receiving Rhythm");
}

void TRhythm::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || !Transfer.Active() || window == nullptr) return;
    if (CompletionCount >= 1) {
        window->SetDone(true);
        window->Repaint();
        Transfer.CloseSoon(*window);
        return;
    }
    Transfer.AskForBlock(*window, Transfer.Address, Block(Transfer.Counter),
                         [this] { ReceiveInput(); });
}

void TRhythm::ReceiveInput() {
    TTransferWindow* window = TransferWindow();
    while (Transfer.Active() && window != nullptr && Transfer.Counter < BlockCount) {
        const std::unique_ptr<midi::TMyMidiEvent> reply =
            NextReplyFor(Transfer.Address, Block(Transfer.Counter));
        if (!reply) return;
        StopTimer(window->Timer());
        if (ReplyIsSound(*reply)) {
            const TTransferBlock block = Block(Transfer.Counter);
            PlaceReply(*reply, block.Image);
            window->AddReceived(static_cast<int>(block.Image.size()), 1);
            if (++Transfer.Counter == BlockCount) ++CompletionCount;
        }
        RequestNext();
    }
}

void TRhythm::AssignData(const TLibElem& Source) {
    const auto& source = static_cast<const TRhythm&>(Source);
    Common->Image = source.Common->Image;
    for (std::size_t n = 0; n < Notes.size(); ++n)
        Notes[n]->Image = source.Notes[n]->Image;
}

} // namespace model
