#include "model/elements/system.h"

#include "model/files/element_files.h"
#include "model/program/quintaron.h"
#include "model/sysex/sysex.h"
#include "model/transfer/transfer_window.h"

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
    if (TQuintaron* app = AppState(); app != nullptr && app->CurrentSystem == this)
        app->CurrentSystem = nullptr;
}

void TSystem::UpdateViews(TViewChange Change) {
    UpdateEditor();
    for (TEditorSlot* page : Pages())
        page->UpDateView(Change);
}

void TSystem::BuildHeaders() {
    for (int block = 0; block < BlockCount; ++block)
        BuildBlockHeader(SystemBase, Block(block));
}

void TSystem::WriteSysEx(pc::TByteWriter& File) {
    TLibElem::WriteSysEx(File);
    WriteImage(File, Common->Image,
               ImportExportMode() ? ShortSystemCommonDataLength : SystemCommonDataLength);
    for (const auto& tune : ScaleTunes)
        WriteImage(File, tune->Image);
}

void TSystem::ReadSysEx(pc::TByteReader& File) {
    ReadImage(File, Common->Image,
              ImportExportMode() ? ShortSystemCommonDataLength : SystemCommonDataLength);
    for (const auto& tune : ScaleTunes)
        ReadImage(File, tune->Image);
}

void TSystem::WriteRecord(pc::TByteWriter& File) {
    TLibElem::WriteRecord(File);
    for (const TEditorSlot* page : Pages())
        WritePosition(File, *page);
    WriteSysEx(File);
}

void TSystem::ReadRecord(pc::TByteReader& File) {
    TLibElem::ReadRecord(File);
    for (TEditorSlot* page : Pages())
        ReadPosition(File, *page);
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
    if (!MidiOnline()) return;
    AppState()->CurrentSystem = this;
    AppState()->PreviewChannel = 1;
    for (int block = 0; block < BlockCount; ++block)
        SendBlock(SystemBase, Block(block));
}

void TSystem::Receive(bool ToEditBuffer) {
    Transfer.ReceiveElement(ToEditBuffer, SystemBase, BlockCount, "System", "Now Receiving System");
}

void TSystem::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || !Transfer.Active() || window == nullptr) return;
    Transfer.AskForBlock(*window, Transfer.Address, Block(Transfer.Counter),
                         [this] { ReceiveInput(); });
}

void TSystem::ReceiveInput() {
    Transfer.TakeBlockReplies(BlockCount, [this](int block) { return Block(block); });
}

void TSystem::AssignData(const TLibElem& Source) {
    const auto& source = static_cast<const TSystem&>(Source);
    Common->Image = source.Common->Image;
    for (std::size_t s = 0; s < ScaleTunes.size(); ++s)
        ScaleTunes[s]->Image = source.ScaleTunes[s]->Image;
}

} // namespace model
