#include "model/elements/performance.h"

#include "model/elements/patch.h"
#include "model/files/element_files.h"
#include "model/program/quintaron.h"
#include "model/sysex/sysex.h"
#include "model/transfer/transfer_window.h"

namespace model {

namespace pc = platform::core;

TPerformance::TPerformance(TLibElem* Owner)
    : TLibElem(Owner), Common(std::make_unique<TPerformanceCommon>()) {
    Type = etPerformance;
    for (int p = 1; p <= PartCount; ++p)
        Parts[static_cast<std::size_t>(p - 1)] = std::make_unique<TPerformancePart>(p);
}

TPerformance::~TPerformance() {
    CloseEditor();
    CloseEditors();
    if (TQuintaron* app = AppState(); app != nullptr && app->CurrentPerformance == this)
        app->CurrentPerformance = nullptr;
}

std::string TPerformance::GetName() const {
    return NameFromData(Common->Data());
}

void TPerformance::SetName(std::string_view NewName, bool Send) {
    SetCommonName(*Common, NewName, Send);
}

void TPerformance::UpdateViews(TViewChange Change) {
    UpdateEditor();
    Common->CommonWindow.UpDateView(Change);
    Common->EffectsWindow.UpDateView(Change);
    PartWindow.UpDateView(Change);
}

void TPerformance::BuildHeaders() {
    const std::uint32_t base = TransferBase(false);
    for (int block = 0; block < BlockCount; ++block)
        BuildBlockHeader(base, Block(block));
}

void TPerformance::WriteSysEx(pc::TByteWriter& File) {
    TLibElem::WriteSysEx(File);
    const bool shortLayout = ImportExportMode();
    WriteImage(File, Common->Image,
               shortLayout ? ShortPerformanceCommonDataLength : PerformanceCommonDataLength);
    for (const auto& part : Parts)
        WriteImage(File, part->Image,
                   shortLayout ? ShortPerformancePartDataLength : PerformancePartDataLength);
}

void TPerformance::ReadSysEx(pc::TByteReader& File) {
    const bool shortLayout = ImportExportMode();
    ReadImage(File, Common->Image,
              shortLayout ? ShortPerformanceCommonDataLength : PerformanceCommonDataLength);
    for (const auto& part : Parts)
        ReadImage(File, part->Image,
                  shortLayout ? ShortPerformancePartDataLength : PerformancePartDataLength);
}

void TPerformance::WriteRecord(pc::TByteWriter& File) {
    TLibElem::WriteRecord(File);
    for (const TEditorSlot* slot : {&PartWindow, &Common->CommonWindow, &Common->EffectsWindow})
        WritePosition(File, *slot);
    WriteSysEx(File);
}

void TPerformance::ReadRecord(pc::TByteReader& File) {
    TLibElem::ReadRecord(File);
    for (TEditorSlot* slot : {&PartWindow, &Common->CommonWindow, &Common->EffectsWindow})
        ReadPosition(File, *slot);
    ReadSysEx(File);
}

void TPerformance::SetDefaults() {
    Common->Clear();
    for (const auto& part : Parts)
        part->Clear();
    UpdateViews();
}

void TPerformance::SaveEditorPosition() {
    TLibElem::SaveEditorPosition();
    PartWindow.SavePosition();
    Common->SaveEditorPositions();
}

void TPerformance::SendParts() const {
    for (const auto& part : Parts)
        SendDT1(PerformanceEditBuffer, PerformancePartOffset(part->Number), 0, part->Data());
}

void TPerformance::CloseEditors() {
    PartWindow.Close();
}

TTransferBlock TPerformance::Block(int block) {
    if (block == 0) return {CommonOffset, Common->Image, PerformanceCommonRequestSize};
    return {PerformancePartOffset(block), Part(block).Image, PerformancePartRequestSize};
}

std::uint32_t TPerformance::TransferBase(bool toEditBuffer) const {
    return PerformanceBase(toEditBuffer || Temporary, Memory,
                           AddressNumber(Number, PerformancesPerMemory));
}

void TPerformance::Transmit(bool ToEditBuffer) {
    if (!MidiOnline()) return;
    const std::uint32_t base = TransferBase(ToEditBuffer);
    if (base == PerformanceEditBuffer) {
        AppState()->CurrentPerformance = this;
        AppState()->PreviewChannel = 1;
    }
    for (int block = 0; block < BlockCount; ++block)
        SendBlock(base, Block(block));
}

void TPerformance::Receive(bool ToEditBuffer) {
    Transfer.ReceiveElement(ToEditBuffer, TransferBase(ToEditBuffer), BlockCount, "Performance",
                            "Now Receiving Performance");
}

void TPerformance::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || !Transfer.Active() || window == nullptr) return;
    Transfer.AskForBlock(*window, Transfer.Address, Block(Transfer.Counter),
                         [this] { ReceiveInput(); });
}

void TPerformance::ReceiveInput() {
    Transfer.TakeBlockReplies(BlockCount, [this](int block) { return Block(block); });
}

void TPerformance::AssignData(const TLibElem& Source) {
    const auto& source = static_cast<const TPerformance&>(Source);
    Common->Image = source.Common->Image;
    for (std::size_t p = 0; p < Parts.size(); ++p)
        Parts[p]->Image = source.Parts[p]->Image;
}

} // namespace model
