#include "model/elements/bank.h"

#include "midi/midi_event.h"
#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/rhythm.h"
#include "model/files/element_files.h"
#include "model/print/print_routines.h"
#include "model/print/print_target.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "model/sysex/sysex.h"
#include "model/transfer/transfer.h"
#include "model/transfer/transfer_window.h"
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

const TBankChildren PatchChildren{
    .Count = PatchesPerMemory,
    .BlockCount = TPatch::BlockCount,
    .MessageCount = TPatchBank::MessageCount,
    .Label = "Patch Number",
    .Base = PatchBase,
    .Block = [](TLibElem& child, int block) { return static_cast<TPatch&>(child).Block(block); },
    .NameList = PatchNameList,
    .CountsChildAtStart = false,
    .ChildBytes = TPatch::MessageBytes,
};

const TBankChildren PerformanceChildren{
    .Count = PerformancesPerMemory,
    .BlockCount = TPerformance::BlockCount,
    .MessageCount = TPerformanceBank::MessageCount,
    .Label = "Performance Number",
    .Base = PerformanceBase,
    .Block = [](TLibElem& child,
                int block) { return static_cast<TPerformance&>(child).Block(block); },
    .NameList = PerformanceNameList,
    .CountsChildAtStart = false,
    .ChildBytes = TPerformance::MessageBytes,
};

const TBankChildren RhythmChildren{
    .Count = RhythmsPerMemory,
    .BlockCount = TRhythm::BlockCount,
    .MessageCount = TRhythmBank::MessageCount,
    .Label = "Rhythm Number",
    .Base = RhythmBase,
    .Block = [](TLibElem& child, int block) { return static_cast<TRhythm&>(child).Block(block); },
    .NameList = nullptr,
    .CountsChildAtStart = true,
    // Counted block by block.
    .ChildBytes = 0,
};

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

void TBank::UpdateViews(TViewChange Change) {
    for (const auto& elem : Elems)
        elem->UpdateViews(Change);
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

void TBank::TransmitChildren(const TBankChildren& kind) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || window == nullptr) return;
    if (kind.NameList != nullptr) TransferNames.Load();
    Transfer.Begin(*window);
    Transfer.StartPacing(*window);
    Transfer.Index = 0;
    Transfer.Block = 0;
    Transfer.BlocksPerChild = kind.BlockCount;
    window->Start(0, kind.MessageCount, kind.Label, TransferCaption(true));
    window->SetTransmetting();
    if (kind.CountsChildAtStart) window->AddElem(1);
    Transfer.Step([this] { TransmitNext(); });
    Transfer.Run(*window);
}

void TBank::TransmitNextBlock(const TBankChildren& kind) {
    TTransferWindow* window = TransferWindow();
    if (!Transfer.Active() || window == nullptr || Transfer.Index >= kind.Count) return;
    const TTransferBlock block = kind.Block(Elem(Transfer.Index), Transfer.Block);
    SendBlock(ChildBase(kind), block);
    if (kind.CountsChildAtStart) window->AddSended(static_cast<int>(block.Image.size()), 1);
    if (++Transfer.Block < kind.BlockCount) return;
    if (!kind.CountsChildAtStart) window->AddSended(kind.ChildBytes, kind.BlockCount);
    ListChildName(kind);
    Transfer.Block = 0;
    ++Transfer.Index;
    // Counted as they begin, the next child is counted now; else the one just through is.
    if (!kind.CountsChildAtStart || Transfer.Index < kind.Count) window->AddElem(1);
    if (Transfer.Index < kind.Count) return;
    FinishChildren(*window, kind);
}

void TBank::ReceiveChildren(bool ToEditBuffer, const TBankChildren& kind) {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || window == nullptr) return;
    TLibElem::Receive(ToEditBuffer);
    if (kind.NameList != nullptr) TransferNames.Load();
    Transfer.Begin(*window);
    Transfer.Index = 0;
    Transfer.Block = 0;
    window->Start(0, kind.MessageCount, kind.Label, TransferCaption(false));
    Transfer.Step([this] { RequestNext(); });
    if (kind.CountsChildAtStart) window->AddElem(1);
    Transfer.Run(*window);
    UpdateViews();
}

std::uint32_t TBank::ChildBase(const TBankChildren& kind) const {
    return kind.Base(false, Memory, Transfer.Index + 1);
}

void TBank::ListChildName(const TBankChildren& kind) {
    if (kind.NameList == nullptr) return;
    TransferNames.SetName(kind.NameList(Memory), Transfer.Index, ListedName(Elem(Transfer.Index)));
}

void TBank::FinishChildren(TTransferWindow& window, const TBankChildren& kind) {
    window.SetDone(true);
    if (kind.NameList != nullptr) SaveTransferNames();
    Transfer.CloseSoon(window);
}

TPatchBank::TPatchBank(TLibElem* Owner) : TBank(Owner) {
    Type = etPatchBank;
    AddChildren<TPatch>(PatchesPerMemory);
}

TPatch& TPatchBank::Patch(int index) {
    return static_cast<TPatch&>(Elem(index));
}

void TPatchBank::Transmit(bool) {
    TransmitChildren(PatchChildren);
}

void TPatchBank::TransmitNext() {
    TransmitNextBlock(PatchChildren);
}

void TPatchBank::Receive(bool ToEditBuffer) {
    ReceiveChildren(ToEditBuffer, PatchChildren);
}

void TPatchBank::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || !Transfer.Active() || window == nullptr) return;
    StopTimer(window->Timer());
    StopTimer(window->TimerCleanup());
    if (Transfer.Index >= PatchesPerMemory) {
        FinishChildren(*window, PatchChildren);
        return;
    }
    RemoveInputHandler();
    model::DrainInput();
    window->AddSended(RequestMessageLength, 1);
    Transfer.Block = 0;
    ReceivedBlocks = 0;
    SendRQ1(ChildBase(PatchChildren), 0, 0, PatchRequestSize);
    Transfer.Listen([this] { ReceiveInput(); });
    Transfer.StartTimeout(*window);
}

void TPatchBank::ReceiveInput() {
    constexpr unsigned allBlocks = (1u << TPatch::BlockCount) - 1;
    TTransferWindow* window = TransferWindow();
    while (Transfer.Active() && window != nullptr && Transfer.Index < PatchesPerMemory) {
        const std::unique_ptr<midi::TMyMidiEvent> event = ReadInputEvent();
        if (!event) return;
        TPatch& patch = Patch(Transfer.Index);
        const int block = patch.BlockOfReply(*event, ChildBase(PatchChildren));
        if (block < 0) continue;
        if (!ReplyIsSound(*event)) {
            // The rest of the patch's answers are let pass before the patch is asked again.
            StopTimer(window->Timer());
            Transfer.Listen([this] { DrainInput(); });
            Transfer.StartRetry(*window, [this] { RetryTimer(); });
            return;
        }
        PlaceReply(*event, patch.Block(block).Image);
        ReceivedBlocks |= 1u << block;
        ++Transfer.Block;
        if (ReceivedBlocks != allBlocks) continue;
        ListChildName(PatchChildren);
        ++Transfer.Index;
        Transfer.Block = 0;
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
    AddChildren<TPerformance>(PerformancesPerMemory);
}

TPerformance& TPerformanceBank::Performance(int index) {
    return static_cast<TPerformance&>(Elem(index));
}

void TPerformanceBank::Transmit(bool) {
    TransmitChildren(PerformanceChildren);
}

void TPerformanceBank::TransmitNext() {
    TransmitNextBlock(PerformanceChildren);
}

void TPerformanceBank::Receive(bool ToEditBuffer) {
    ReceiveChildren(ToEditBuffer, PerformanceChildren);
}

void TPerformanceBank::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || !Transfer.Active() || window == nullptr) return;
    if (Transfer.Index >= PerformancesPerMemory) return;
    Transfer.AskForBlock(*window, ChildBase(PerformanceChildren),
                         Performance(Transfer.Index).Block(Transfer.Block),
                         [this] { ReceiveInput(); });
}

void TPerformanceBank::ReceiveInput() {
    TTransferWindow* window = TransferWindow();
    while (Transfer.Active() && window != nullptr && Transfer.Index < PerformancesPerMemory) {
        const TTransferBlock block = Performance(Transfer.Index).Block(Transfer.Block);
        const std::unique_ptr<midi::TMyMidiEvent> reply =
            NextReplyFor(ChildBase(PerformanceChildren), block);
        if (!reply) return;
        if (ReplyIsSound(*reply)) {
            PlaceReply(*reply, block.Image);
            window->AddReceived(static_cast<int>(block.Image.size()), 1);
            if (++Transfer.Block == TPerformance::BlockCount) {
                ListChildName(PerformanceChildren);
                Transfer.Block = 0;
                if (++Transfer.Index == PerformancesPerMemory) {
                    // Unlike the other banks, the last performance closes the window at once.
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
    AddChildren<TRhythm>(RhythmsPerMemory);
}

TRhythm& TRhythmBank::Rhythm(int index) {
    return static_cast<TRhythm&>(Elem(index));
}

void TRhythmBank::Transmit(bool) {
    TransmitChildren(RhythmChildren);
}

void TRhythmBank::TransmitNext() {
    TransmitNextBlock(RhythmChildren);
}

void TRhythmBank::Receive(bool ToEditBuffer) {
    ReceiveChildren(ToEditBuffer, RhythmChildren);
}

void TRhythmBank::RequestNext() {
    TTransferWindow* window = TransferWindow();
    if (!MidiOnline() || !Transfer.Active() || window == nullptr) return;
    if (Transfer.Index >= RhythmsPerMemory) {
        window->SetDone(true);
        window->Repaint();
        Transfer.CloseSoon(*window);
        return;
    }
    Transfer.AskForBlock(*window, ChildBase(RhythmChildren),
                         Rhythm(Transfer.Index).Block(Transfer.Block), [this] { ReceiveInput(); });
}

void TRhythmBank::ReceiveInput() {
    TTransferWindow* window = TransferWindow();
    while (Transfer.Active() && window != nullptr && Transfer.Index < RhythmsPerMemory) {
        const TTransferBlock block = Rhythm(Transfer.Index).Block(Transfer.Block);
        const std::unique_ptr<midi::TMyMidiEvent> reply =
            NextReplyFor(ChildBase(RhythmChildren), block);
        if (!reply) return;
        StopTimer(window->Timer());
        if (ReplyIsSound(*reply)) {
            PlaceReply(*reply, block.Image);
            window->AddReceived(static_cast<int>(block.Image.size()), 1);
            if (++Transfer.Block == TRhythm::BlockCount) {
                Transfer.Block = 0;
                if (++Transfer.Index == 1) window->AddElem(1);
            }
        }
        RequestNext();
    }
}

} // namespace model
