#include "model/system.h"

#include "midi/midi_event.h"
#include "model/element_files.h"
#include "model/program_state.h"
#include "model/sysex.h"
#include "model/transfer_window.h"
#include "platform/core/timer.h"

namespace model {

namespace pc = platform::core;

TSystem::TSystem(TLibElem* Owner) : TLibElem(Owner), Common(std::make_unique<TSystemCommon>()) {
    Type = etSystem;
    Name = "Untitled";
    for (int s = 1; s <= ScaleTuneCount; ++s)
        ScaleTunes[static_cast<std::size_t>(s - 1)] = std::make_unique<TPartScaleTune>(s);
}

TSystem::~TSystem() {
    CloseEditor();
    CloseEditors();
    if (CurrentSystem == this) CurrentSystem = nullptr;
}

void TSystem::UpdateViews() {
    UpdateEditor();
    for (TEditorSlot* page : Pages())
        page->UpDateView();
}

void TSystem::BuildHeaders() {
    BuildSysExHeader(Common->Image, SysExAddress(SystemBase, CommonOffset, 0));
    for (const auto& tune : ScaleTunes)
        BuildSysExHeader(tune->Image, SysExAddress(SystemBase, ScaleTuneOffset(tune->Number), 0));
}

void TSystem::WriteSysEx(pc::TByteWriter& File) {
    TLibElem::WriteSysEx(File);
    WriteImage(File, Common->Image,
               ImportExportMode ? ShortSystemCommonDataLength : SystemCommonDataLength);
    for (const auto& tune : ScaleTunes)
        WriteImage(File, tune->Image);
}

void TSystem::ReadSysEx(pc::TByteReader& File) {
    ReadImage(File, Common->Image,
              ImportExportMode ? ShortSystemCommonDataLength : SystemCommonDataLength);
    for (const auto& tune : ScaleTunes)
        ReadImage(File, tune->Image);
}

void TSystem::WriteRecord(pc::TByteWriter& File) {
    TLibElem::WriteRecord(File);
    for (const TEditorSlot* page : Pages()) {
        File.WriteI16(page->Left);
        File.WriteI16(page->Top);
    }
    WriteSysEx(File);
}

void TSystem::ReadRecord(pc::TByteReader& File) {
    TLibElem::ReadRecord(File);
    for (TEditorSlot* page : Pages()) {
        ReadField(File, page->Left);
        ReadField(File, page->Top);
    }
    ReadSysEx(File);
}

void TSystem::SetDefaults() {
    Common->Clear();
    for (const auto& tune : ScaleTunes)
        tune->Clear();
    UpdateViews();
}

void TSystem::SaveEditorPosition() {
    TLibElem::SaveEditorPosition();
    for (TEditorSlot* page : Pages())
        page->SavePosition();
}

void TSystem::SendAll() {
    Transmit(true);
}

void TSystem::CloseEditors() {
    for (TEditorSlot* page : Pages())
        page->Close();
}

TTransferBlock TSystem::Block(int block) {
    if (block == 0) return {CommonOffset, Common->Image, SystemCommonRequestSize};
    return {ScaleTuneOffset(block), ScaleTune(block).Image, ScaleTuneRequestSize};
}

void TSystem::Transmit(bool) {
    if (!MidiOnline) return;
    CurrentSystem = this;
    PreviewChannel = 1;
    for (int block = 0; block < BlockCount; ++block)
        SendBlock(SystemBase, Block(block));
}

void TSystem::Receive(bool ToEditBuffer) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || window == nullptr) return;
    TLibElem::Receive(ToEditBuffer);
    BeginTransfer(*window);
    TransferAddress = SystemBase;
    TransferCounter = 0;
    window->Start(0, BlockCount, "System", "Now Receiving System");
    RequestNext();
    window->AddElem(1);
    RunTransfer(*window);
    UpdateViews();
}

void TSystem::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || !Transferring || window == nullptr) return;
    StopTimer(window->Timer());
    RemoveInputHandler();
    DrainInput();
    window->AddSended(RequestMessageLength, 1);
    RequestBlock(TransferAddress, Block(TransferCounter));
    InstallInputHandler([this] { ReceiveInput(); });
    StartTimeout(*window);
}

void TSystem::ReceiveInput() {
    TTransferWindow* window = TransferWindow();
    while (Transferring && window != nullptr && TransferCounter < BlockCount) {
        const std::unique_ptr<midi::TMyMidiEvent> reply =
            NextReplyFor(TransferAddress, Block(TransferCounter));
        if (!reply) return;
        StopTimer(window->Timer());
        if (ReplyIsSound(*reply)) {
            const TTransferBlock block = Block(TransferCounter);
            PlaceReply(*reply, block.Image);
            window->AddReceived(static_cast<int>(block.Image.size()), 1);
            if (++TransferCounter == BlockCount) {
                window->SetDone(true);
                window->Close();
                return;
            }
        }
        RequestNext();
    }
}

void TSystem::AssignData(const TLibElem& Source) {
    const auto& source = static_cast<const TSystem&>(Source);
    Common->Image = source.Common->Image;
    for (std::size_t s = 0; s < ScaleTunes.size(); ++s)
        ScaleTunes[s]->Image = source.ScaleTunes[s]->Image;
}

} // namespace model
