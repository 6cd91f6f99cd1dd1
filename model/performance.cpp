#include "model/performance.h"

#include "model/element_files.h"
#include "model/patch.h"
#include "model/program_state.h"
#include "model/sysex.h"

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

void TPerformance::AssignData(const TLibElem& Source) {
    const auto& source = static_cast<const TPerformance&>(Source);
    Common->Image = source.Common->Image;
    for (std::size_t p = 0; p < Parts.size(); ++p)
        Parts[p]->Image = source.Parts[p]->Image;
}

} // namespace model
