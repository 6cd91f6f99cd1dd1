#include "model/performance.h"

#include "midi/midi_event.h"
#include "model/element_files.h"
#include "model/patch.h"
#include "model/program_state.h"
#include "model/sysex.h"
#include "model/transfer_window.h"
#include "platform/core/timer.h"

#include <algorithm>

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
    if (CurrentPerformance == this) CurrentPerformance = nullptr;
}

std::string TPerformance::GetName() const {
    return NameFromData(Common->Data());
}

void TPerformance::SetName(std::string_view NewName, bool Send) {
    const auto bytes = PaddedName(NewName);
    if (Send)
        Common->SetParams(0, bytes);
    else
        std::copy(bytes.begin(), bytes.end(), Common->Data().begin());
}

void TPerformance::UpdateViews() {
    UpdateEditor();
    Common->CommonWindow.UpDateView();
    Common->EffectsWindow.UpDateView();
    PartWindow.UpDateView();
}

void TPerformance::BuildHeaders() {
    const std::uint32_t base =
        PerformanceBase(Temporary, Memory, AddressNumber(Number, PerformancesPerMemory));
    BuildSysExHeader(Common->Image, SysExAddress(base, CommonOffset, 0));
    for (const auto& part : Parts)
        BuildSysExHeader(part->Image, SysExAddress(base, PerformancePartOffset(part->Number), 0));
}

void TPerformance::WriteSysEx(pc::TByteWriter& File) {
    TLibElem::WriteSysEx(File);
    const bool shortLayout = ImportExportMode;
    WriteImage(File, Common->Image,
               shortLayout ? ShortPerformanceCommonDataLength : PerformanceCommonDataLength);
    for (const auto& part : Parts)
        WriteImage(File, part->Image,
                   shortLayout ? ShortPerformancePartDataLength : PerformancePartDataLength);
}

void TPerformance::ReadSysEx(pc::TByteReader& File) {
    const bool shortLayout = ImportExportMode;
    ReadImage(File, Common->Image,
              shortLayout ? ShortPerformanceCommonDataLength : PerformanceCommonDataLength);
    for (const auto& part : Parts)
        ReadImage(File, part->Image,
                  shortLayout ? ShortPerformancePartDataLength : PerformancePartDataLength);
}

void TPerformance::WriteRecord(pc::TByteWriter& File) {
    TLibElem::WriteRecord(File);
    for (const TEditorSlot* slot : {&PartWindow, &Common->CommonWindow, &Common->EffectsWindow}) {
        File.WriteI16(slot->Left);
        File.WriteI16(slot->Top);
    }
    WriteSysEx(File);
}

void TPerformance::ReadRecord(pc::TByteReader& File) {
    TLibElem::ReadRecord(File);
    for (TEditorSlot* slot : {&PartWindow, &Common->CommonWindow, &Common->EffectsWindow}) {
        ReadField(File, slot->Left);
        ReadField(File, slot->Top);
    }
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
    if (!MidiOnline) return;
    const std::uint32_t base = TransferBase(ToEditBuffer);
    if (base == PerformanceEditBuffer) {
        CurrentPerformance = this;
        PreviewChannel = 1;
    }
    for (int block = 0; block < BlockCount; ++block)
        SendBlock(base, Block(block));
}

void TPerformance::Receive(bool ToEditBuffer) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || window == nullptr) return;
    TLibElem::Receive(ToEditBuffer);
    BeginTransfer(*window);
    TransferAddress = TransferBase(ToEditBuffer);
    TransferCounter = 0;
    window->Start(0, BlockCount, "Performance", "Now Receiving Performance");
    RequestNext();
    window->AddElem(1);
    RunTransfer(*window);
    UpdateViews();
}

void TPerformance::RequestNext() {
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

void TPerformance::ReceiveInput() {
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

void TPerformance::AssignData(const TLibElem& Source) {
    const auto& source = static_cast<const TPerformance&>(Source);
    Common->Image = source.Common->Image;
    for (std::size_t p = 0; p < Parts.size(); ++p)
        Parts[p]->Image = source.Parts[p]->Image;
}

} // namespace model
