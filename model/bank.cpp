#include "model/bank.h"

#include "midi/midi_event.h"
#include "model/dialogs.h"
#include "model/element_files.h"
#include "model/patch.h"
#include "model/performance.h"
#include "model/print_routines.h"
#include "model/print_target.h"
#include "model/program_state.h"
#include "model/rhythm.h"
#include "model/sysex.h"
#include "model/transfer.h"
#include "model/transfer_window.h"
#include "model/ui_services.h"
#include "platform/core/exception.h"
#include "platform/core/timer.h"

namespace model {

namespace pc = platform::core;

namespace {

// A name as the name lists keep it: all 12 characters, as the instrument holds them, so that a
// blank name still takes its line and the names after it keep their places.
std::string ListedName(const TLibElem& elem) {
    const auto bytes = PaddedName(elem.GetName());
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TBank::TBank(TLibElem* Owner) : TLibElem(Owner) {
    Name = "Untitled";
    Temporary = false;
    Memory = true;
}

TBank::~TBank() {
    CloseEditor();
    Elems.clear();
}

void TBank::UpdateViews() {
    for (const auto& elem : Elems)
        elem->UpdateViews();
    UpdateEditor();
}

void TBank::BuildHeaders() {
    PlaceChildren();
    for (const auto& elem : Elems)
        elem->BuildHeaders();
}

void TBank::WriteSysEx(pc::TByteWriter& File) {
    TLibElem::WriteSysEx(File);
    for (const auto& elem : Elems)
        elem->WriteSysEx(File);
}

void TBank::ReadSysEx(pc::TByteReader& File) {
    for (const auto& elem : Elems)
        elem->ReadSysEx(File);
}

void TBank::WriteRecord(pc::TByteWriter& File) {
    TLibElem::WriteRecord(File);
    File.WriteI16(Width);
    File.WriteI16(Height);
    WriteSysEx(File);
}

void TBank::ReadRecord(pc::TByteReader& File) {
    TLibElem::ReadRecord(File);
    ReadField(File, Width);
    ReadField(File, Height);
    PlaceChildren();
    ReadSysEx(File);
}

void TBank::SetDefaults() {
    for (const auto& elem : Elems)
        elem->SetDefaults();
}

void TBank::SaveEditorPosition() {
    if (!EditorOpen || Editor == nullptr) return;
    TLibElem::SaveEditorPosition();
    const std::int16_t width = Editor->Width();
    const std::int16_t height = Editor->Height();
    if (width != Width || height != Height) MarkLibraryUnsaved();
    Width = width;
    Height = height;
}

void TBank::Print(int& Y, bool Extra) {
    if (PrintTarget() == nullptr) return;
    std::string heading = GetTypeName() + " " + GetName();
    if (Owner != nullptr && Owner->Type == etGlobal)
        heading += " [ Global : " + Owner->GetName() + " ]";
    if (PrintPageFull(Y)) PrintNextPage(Y);
    const int lineHeight = PrintLineHeight();
    PrintCentered(Y, heading);
    Y += lineHeight + 10;
    PrintRule(Y - 1);
    for (const auto& elem : Elems) {
        if (PrintPageFull(Y)) {
            // The table is closed at the foot of the page and opened again at the top.
            PrintRule(Y + 1);
            PrintNextPage(Y);
            PrintRule(Y - 1);
        }
        PrintElemLine(Y, *elem, Extra);
        Y += lineHeight;
    }
    PrintRule(Y + 1);
    Y += lineHeight + PrintBlockGap;
}

void TBank::SetMemory(bool userMemory) {
    Memory = userMemory;
    PlaceChildren();
}

void TBank::AssignData(const TLibElem& Source) {
    const auto& source = static_cast<const TBank&>(Source);
    for (std::size_t i = 0; i < Elems.size() && i < source.Elems.size(); ++i)
        Elems[i]->Assign(*source.Elems[i]);
}

void TBank::PlaceChildren() {
    for (std::size_t i = 0; i < Elems.size(); ++i) {
        TLibElem& elem = *Elems[i];
        elem.Temporary = false;
        elem.Memory = Memory;
        elem.Number = static_cast<std::int16_t>(i + 1);
    }
}

std::string TBank::TransferCaption(bool transmit) const {
    return std::string(transmit ? "Now Transmitting " : "Now Receiving ") +
           (Memory ? "User " : "Data Card ") + GetTypeName();
}

void TBank::SaveTransferNames() {
    try {
        TransferNames.Save();
    } catch (const pc::Exception& error) {
        MessageDlg(error.Message(), TMsgDlgType::mtError, mbOK);
    }
    if (TUiServices* ui = UiServices()) ui->ReloadNameLists();
}

TPatchBank::TPatchBank(TLibElem* Owner) : TBank(Owner) {
    Type = etPatchBank;
    for (int i = 0; i < PatchesPerMemory; ++i)
        Elems.push_back(std::make_unique<TPatch>(this));
    PlaceChildren();
}

TPatch& TPatchBank::Patch(int index) {
    return static_cast<TPatch&>(Elem(index));
}

void TPatchBank::Transmit(bool) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || window == nullptr) return;
    TransferNames.Load();
    BeginTransfer(*window);
    StartPacing(*window);
    TransferIndex = 0;
    TransferBlock = 0;
    window->Start(0, MessageCount, "Patch Number", TransferCaption(true));
    window->SetTransmetting();
    TransmitNext();
    RunTransfer(*window);
}

void TPatchBank::TransmitNext() {
    TTransferWindow* window = TransferWindow();
    if (!Transferring || window == nullptr || TransferIndex >= PatchesPerMemory) return;
    TPatch& patch = Patch(TransferIndex);
    SendBlock(PatchBase(false, Memory, TransferIndex + 1), patch.Block(TransferBlock));
    if (++TransferBlock < TPatch::BlockCount) return;
    window->AddSended(TPatch::MessageBytes, TPatch::BlockCount);
    TransferNames.SetName(PatchNameList(Memory), TransferIndex, ListedName(patch));
    TransferBlock = 0;
    ++TransferIndex;
    window->AddElem(1);
    if (TransferIndex < PatchesPerMemory) return;
    window->SetDone(true);
    SaveTransferNames();
    CloseSoon(*window);
}

void TPatchBank::Receive(bool ToEditBuffer) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || window == nullptr) return;
    TLibElem::Receive(ToEditBuffer);
    TransferNames.Load();
    BeginTransfer(*window);
    TransferIndex = 0;
    TransferBlock = 0;
    window->Start(0, MessageCount, "Patch Number", TransferCaption(false));
    RequestNext();
    RunTransfer(*window);
    UpdateViews();
}

void TPatchBank::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || !Transferring || window == nullptr) return;
    StopTimer(window->Timer());
    StopTimer(window->TimerCleanup());
    if (TransferIndex >= PatchesPerMemory) {
        window->SetDone(true);
        SaveTransferNames();
        CloseSoon(*window);
        return;
    }
    RemoveInputHandler();
    model::DrainInput();
    window->AddSended(RequestMessageLength, 1);
    TransferBlock = 0;
    ReceivedBlocks = 0;
    SendRQ1(PatchBase(false, Memory, TransferIndex + 1), 0, 0, PatchRequestSize);
    InstallInputHandler([this] { ReceiveInput(); });
    StartTimeout(*window);
}

void TPatchBank::ReceiveInput() {
    constexpr unsigned allBlocks = (1u << TPatch::BlockCount) - 1;
    TTransferWindow* window = TransferWindow();
    while (Transferring && window != nullptr && TransferIndex < PatchesPerMemory) {
        const std::unique_ptr<midi::TMyMidiEvent> event = ReadInputEvent();
        if (!event) return;
        TPatch& patch = Patch(TransferIndex);
        const int block = patch.BlockOfReply(*event, PatchBase(false, Memory, TransferIndex + 1));
        if (block < 0) continue;
        if (!ReplyIsSound(*event)) {
            // The rest of the patch's answers are let pass before the patch is asked again.
            StopTimer(window->Timer());
            InstallInputHandler([this] { DrainInput(); });
            StartTimer(window->TimerCleanup(), TransferRetryMs, [this] { RetryTimer(); });
            return;
        }
        PlaceReply(*event, patch.Block(block).Image);
        ReceivedBlocks |= 1u << block;
        ++TransferBlock;
        if (ReceivedBlocks != allBlocks) continue;
        TransferNames.SetName(PatchNameList(Memory), TransferIndex, ListedName(patch));
        ++TransferIndex;
        TransferBlock = 0;
        window->AddReceived(TPatch::MessageBytes, TPatch::BlockCount);
        window->AddElem(1);
        RequestNext();
    }
}

void TPatchBank::DrainInput() {
    model::DrainInput();
}

void TPatchBank::RetryTimer() {
    if (TTransferWindow* window = TransferWindow()) StopTimer(window->TimerCleanup());
    RequestNext();
}

TPerformanceBank::TPerformanceBank(TLibElem* Owner) : TBank(Owner) {
    Type = etPerformanceBank;
    for (int i = 0; i < PerformancesPerMemory; ++i)
        Elems.push_back(std::make_unique<TPerformance>(this));
    PlaceChildren();
}

TPerformance& TPerformanceBank::Performance(int index) {
    return static_cast<TPerformance&>(Elem(index));
}

void TPerformanceBank::Transmit(bool) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || window == nullptr) return;
    TransferNames.Load();
    BeginTransfer(*window);
    StartPacing(*window);
    TransferIndex = 0;
    TransferBlock = 0;
    window->Start(0, MessageCount, "Performance Number", TransferCaption(true));
    window->SetTransmetting();
    TransmitNext();
    RunTransfer(*window);
}

void TPerformanceBank::TransmitNext() {
    TTransferWindow* window = TransferWindow();
    if (!Transferring || window == nullptr || TransferIndex >= PerformancesPerMemory) return;
    TPerformance& performance = Performance(TransferIndex);
    SendBlock(PerformanceBase(false, Memory, TransferIndex + 1), performance.Block(TransferBlock));
    if (++TransferBlock < TPerformance::BlockCount) return;
    window->AddSended(TPerformance::MessageBytes, TPerformance::BlockCount);
    TransferNames.SetName(PerformanceNameList(Memory), TransferIndex, ListedName(performance));
    TransferBlock = 0;
    ++TransferIndex;
    window->AddElem(1);
    if (TransferIndex < PerformancesPerMemory) return;
    window->SetDone(true);
    SaveTransferNames();
    CloseSoon(*window);
}

void TPerformanceBank::Receive(bool ToEditBuffer) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || window == nullptr) return;
    TLibElem::Receive(ToEditBuffer);
    TransferNames.Load();
    BeginTransfer(*window);
    TransferIndex = 0;
    TransferBlock = 0;
    window->Start(0, MessageCount, "Performance Number", TransferCaption(false));
    RequestNext();
    RunTransfer(*window);
    UpdateViews();
}

void TPerformanceBank::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || !Transferring || window == nullptr) return;
    if (TransferIndex >= PerformancesPerMemory) return;
    StopTimer(window->Timer());
    RemoveInputHandler();
    DrainInput();
    window->AddSended(RequestMessageLength, 1);
    RequestBlock(PerformanceBase(false, Memory, TransferIndex + 1),
                 Performance(TransferIndex).Block(TransferBlock));
    InstallInputHandler([this] { ReceiveInput(); });
    StartTimeout(*window);
}

void TPerformanceBank::ReceiveInput() {
    TTransferWindow* window = TransferWindow();
    while (Transferring && window != nullptr && TransferIndex < PerformancesPerMemory) {
        TPerformance& performance = Performance(TransferIndex);
        const std::unique_ptr<midi::TMyMidiEvent> reply = NextReplyFor(
            PerformanceBase(false, Memory, TransferIndex + 1), performance.Block(TransferBlock));
        if (!reply) return;
        if (ReplyIsSound(*reply)) {
            const TTransferBlock block = performance.Block(TransferBlock);
            PlaceReply(*reply, block.Image);
            window->AddReceived(static_cast<int>(block.Image.size()), 1);
            if (++TransferBlock == TPerformance::BlockCount) {
                TransferNames.SetName(PerformanceNameList(Memory), TransferIndex,
                                      ListedName(performance));
                TransferBlock = 0;
                if (++TransferIndex == PerformancesPerMemory) {
                    StopTimer(window->Timer());
                    window->SetDone(true);
                    SaveTransferNames();
                    window->Close();
                    return;
                }
                window->AddElem(1);
            }
        }
        RequestNext();
    }
}

TRhythmBank::TRhythmBank(TLibElem* Owner) : TBank(Owner) {
    Type = etRhythmBank;
    for (int i = 0; i < RhythmsPerMemory; ++i)
        Elems.push_back(std::make_unique<TRhythm>(this));
    PlaceChildren();
}

TRhythm& TRhythmBank::Rhythm(int index) {
    return static_cast<TRhythm&>(Elem(index));
}

void TRhythmBank::Transmit(bool) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || window == nullptr) return;
    BeginTransfer(*window);
    StartPacing(*window);
    TransferIndex = 0;
    TransferBlock = 0;
    window->Start(0, MessageCount, "Rhythm Number", TransferCaption(true));
    window->SetTransmetting();
    window->AddElem(1);
    TransmitNext();
    RunTransfer(*window);
}

void TRhythmBank::TransmitNext() {
    TTransferWindow* window = TransferWindow();
    if (!Transferring || window == nullptr || TransferIndex >= RhythmsPerMemory) return;
    const TTransferBlock block = Rhythm(TransferIndex).Block(TransferBlock);
    SendBlock(RhythmBase(false, Memory, TransferIndex + 1), block);
    window->AddSended(static_cast<int>(block.Image.size()), 1);
    if (++TransferBlock < TRhythm::BlockCount) return;
    TransferBlock = 0;
    if (++TransferIndex == 1) window->AddElem(1);
    if (TransferIndex < RhythmsPerMemory) return;
    window->SetDone(true);
    CloseSoon(*window);
}

void TRhythmBank::Receive(bool ToEditBuffer) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || window == nullptr) return;
    TLibElem::Receive(ToEditBuffer);
    BeginTransfer(*window);
    TransferIndex = 0;
    TransferBlock = 0;
    window->Start(0, MessageCount, "Rhythm Number", TransferCaption(false));
    RequestNext();
    window->AddElem(1);
    RunTransfer(*window);
    UpdateViews();
}

void TRhythmBank::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline || !Transferring || window == nullptr) return;
    if (TransferIndex >= RhythmsPerMemory) {
        window->SetDone(true);
        window->Repaint();
        CloseSoon(*window);
        return;
    }
    StopTimer(window->Timer());
    RemoveInputHandler();
    DrainInput();
    window->AddSended(RequestMessageLength, 1);
    RequestBlock(RhythmBase(false, Memory, TransferIndex + 1),
                 Rhythm(TransferIndex).Block(TransferBlock));
    InstallInputHandler([this] { ReceiveInput(); });
    StartTimeout(*window);
}

void TRhythmBank::ReceiveInput() {
    TTransferWindow* window = TransferWindow();
    while (Transferring && window != nullptr && TransferIndex < RhythmsPerMemory) {
        const TTransferBlock block = Rhythm(TransferIndex).Block(TransferBlock);
        const std::unique_ptr<midi::TMyMidiEvent> reply =
            NextReplyFor(RhythmBase(false, Memory, TransferIndex + 1), block);
        if (!reply) return;
        StopTimer(window->Timer());
        if (ReplyIsSound(*reply)) {
            PlaceReply(*reply, block.Image);
            window->AddReceived(static_cast<int>(block.Image.size()), 1);
            if (++TransferBlock == TRhythm::BlockCount) {
                TransferBlock = 0;
                if (++TransferIndex == 1) window->AddElem(1);
            }
        }
        RequestNext();
    }
}

} // namespace model
