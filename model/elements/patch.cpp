#include "model/elements/patch.h"

#include "midi/midi_event.h"
#include "model/files/element_files.h"
#include "model/program/quintaron.h"
#include "model/sysex/sysex.h"
#include "model/transfer/transfer_window.h"
#include "platform/core/timer.h"

#include <algorithm>

namespace model {

namespace pc = platform::core;

std::array<std::uint8_t, 12> PaddedName(std::string_view name) {
    std::array<std::uint8_t, 12> bytes;
    bytes.fill(' ');
    for (std::size_t i = 0; i < std::min(name.size(), bytes.size()); ++i)
        bytes[i] = static_cast<std::uint8_t>(name[i]);
    return bytes;
}

std::string NameFromData(std::span<const std::uint8_t> data) {
    std::string name(data.begin(), data.begin() + std::min<std::size_t>(data.size(), 12));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

int AddressNumber(int number, int count) {
    return std::clamp(number, 1, count);
}

TPatch::TPatch(TLibElem* Owner) : TLibElem(Owner), Common(std::make_unique<TCommon>()) {
    Type = etPatch;
    for (int t = 1; t <= ToneCount; ++t)
        Tones[static_cast<std::size_t>(t - 1)] = std::make_unique<TTone>(t);
}

TPatch::~TPatch() {
    CloseEditor();
    // While the patch is whole: closing a page can activate a sibling page, which sends the patch.
    for (const auto& tone : Tones)
        tone->CloseEditors();
    Common->CloseEditors();
    if (TQuintaron* app = AppState(); app != nullptr && app->CurrentPatch == this)
        app->CurrentPatch = nullptr;
}

std::string TPatch::GetName() const {
    return NameFromData(Common->Data());
}

void TPatch::SetName(std::string_view NewName, bool Send) {
    SetCommonName(*Common, NewName, Send);
}

void TPatch::UpdateViews(TViewChange Change) {
    UpdateEditor();
    Common->CommonWindow.UpDateView(Change);
    Common->EffectsWindow.UpDateView(Change);
    for (const auto& tone : Tones)
        for (const TEditorSlot& page : tone->Pages)
            page.UpDateView(Change);
}

void TPatch::BuildHeaders() {
    const std::uint32_t base = TransferBase(false);
    for (int block = 0; block < BlockCount; ++block)
        BuildBlockHeader(base, Block(block));
}

void TPatch::WriteSysEx(pc::TByteWriter& File) {
    TLibElem::WriteSysEx(File);
    WriteImage(File, Common->Image, ImportExportMode() ? ShortCommonDataLength : CommonDataLength);
    for (const auto& tone : Tones)
        WriteImage(File, tone->Image);
}

void TPatch::ReadSysEx(pc::TByteReader& File) {
    ReadImage(File, Common->Image, ImportExportMode() ? ShortCommonDataLength : CommonDataLength);
    for (const auto& tone : Tones)
        ReadImage(File, tone->Image);
}

void TPatch::WriteRecord(pc::TByteWriter& File) {
    TLibElem::WriteRecord(File);
    for (const auto& tone : Tones)
        for (const TEditorSlot& page : tone->Pages)
            WritePosition(File, page);
    for (const TEditorSlot* slot : {&Common->CommonWindow, &Common->EffectsWindow})
        WritePosition(File, *slot);
    WriteSysEx(File);
}

void TPatch::ReadRecord(pc::TByteReader& File) {
    TLibElem::ReadRecord(File);
    for (const auto& tone : Tones)
        for (TEditorSlot& page : tone->Pages)
            ReadPosition(File, page);
    for (TEditorSlot* slot : {&Common->CommonWindow, &Common->EffectsWindow})
        ReadPosition(File, *slot);
    ReadSysEx(File);
}

void TPatch::SetDefaults() {
    Common->Clear();
    for (const auto& tone : Tones)
        tone->Clear();
    UpdateViews();
}

void TPatch::SaveEditorPosition() {
    TLibElem::SaveEditorPosition();
    for (const auto& tone : Tones)
        tone->SaveEditorPositions();
    Common->SaveEditorPositions();
}

TTransferBlock TPatch::Block(int block) {
    if (block == 0) return {CommonOffset, Common->Image, PatchRequestSize};
    return {ToneOffset(block), Tone(block).Image, PatchRequestSize};
}

int TPatch::BlockOfReply(const midi::TMyMidiEvent& event, std::uint32_t base) {
    for (int block = 0; block < BlockCount; ++block) {
        const TTransferBlock expected = Block(block);
        if (IsReplyFor(event, SysExAddress(base, expected.Offset, 0), expected.Image.size()))
            return block;
    }
    return -1;
}

std::uint32_t TPatch::TransferBase(bool toEditBuffer) const {
    return PatchBase(toEditBuffer || Temporary, Memory, AddressNumber(Number, PatchesPerMemory));
}

void TPatch::Transmit(bool ToEditBuffer) {
    if (!MidiOnline()) return;
    const std::uint32_t base = TransferBase(ToEditBuffer);
    if (base == PatchEditBuffer) {
        AppState()->CurrentPatch = this;
        AppState()->PreviewChannel = 1;
    }
    for (int block = 0; block < BlockCount; ++block)
        SendBlock(base, Block(block));
}

void TPatch::Receive(bool ToEditBuffer) {
    Transfer.ReceiveElement(ToEditBuffer, TransferBase(ToEditBuffer), 1, "Pacth",
                            "Now Receiving Patch");
}

void TPatch::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || !Transfer.Active() || window == nullptr) return;
    StopTimer(window->Timer());
    RemoveInputHandler();
    DrainInput();
    Transfer.Counter = 0;
    ReceivedBlocks = 0;
    SendRQ1(Transfer.Address, 0, 0, PatchRequestSize);
    Transfer.Listen([this] { ReceiveInput(); });
    Transfer.StartTimeout(*window);
}

void TPatch::ReceiveInput() {
    constexpr unsigned allBlocks = (1u << BlockCount) - 1;
    TTransferWindow* window = TransferWindow();
    while (Transfer.Active() && window != nullptr) {
        const std::unique_ptr<midi::TMyMidiEvent> event = ReadInputEvent();
        if (!event) return;
        const int block = BlockOfReply(*event, Transfer.Address);
        if (block < 0) continue;
        StopTimer(window->Timer());
        if (!ReplyIsSound(*event)) {
            // One request brings the whole patch, so the whole patch is asked for again.
            RequestNext();
            continue;
        }
        PlaceReply(*event, Block(block).Image);
        ReceivedBlocks |= 1u << block;
        ++Transfer.Counter;
        if (ReceivedBlocks != allBlocks) {
            // The rest of the patch gets its own time, so that a lost block is not waited for
            // for ever.
            Transfer.StartTimeout(*window);
            continue;
        }
        window->SetDone(true);
        window->AddReceived(MessageBytes, BlockCount);
        window->Close();
        return;
    }
}

void TPatch::AssignData(const TLibElem& Source) {
    const auto& source = static_cast<const TPatch&>(Source);
    Common->Image = source.Common->Image;
    for (std::size_t t = 0; t < Tones.size(); ++t)
        Tones[t]->Image = source.Tones[t]->Image;
}

} // namespace model
