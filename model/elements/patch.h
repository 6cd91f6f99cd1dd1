#pragma once
// A patch: the common block and four tones. The patch window is the element's editor; the page
// windows belong to the records.

#include "model/elements/lib_elem.h"
#include "model/sysex/patch_records.h"
#include "model/transfer/transfer.h"

#include <algorithm>
#include <array>
#include <memory>

namespace model {

class TPatch : public TLibElem {
public:
    explicit TPatch(TLibElem* Owner);
    // Closes the patch window and every page window; no longer the current patch.
    ~TPatch() override;

    // Data bytes 0..11 of the common block, trailing blanks removed.
    std::string GetName() const override;
    // Padded with blanks to 12 characters; with Send the 12 bytes go to the edit buffer as one
    // message.
    void SetName(std::string_view Name, bool Send) override;
    void UpdateViews(TViewChange Change = TViewChange::Data) override;
    void BuildHeaders() override;
    void WriteSysEx(platform::core::TByteWriter& File) override;
    void ReadSysEx(platform::core::TByteReader& File) override;
    void WriteRecord(platform::core::TByteWriter& File) override;
    void ReadRecord(platform::core::TByteReader& File) override;
    void SetDefaults() override;
    void SaveEditorPosition() override;
    // To the edit buffer (then the current patch) or to the patch's place in memory.
    void Transmit(bool ToEditBuffer) override;
    // One request for the whole patch, answered by its five blocks.
    void Receive(bool ToEditBuffer) override;
    void RequestNext() override;

    // Blocks of a transfer: 0 the common block, 1..4 the tones.
    static constexpr int BlockCount = 1 + ToneCount;
    // Bytes of the five messages of the whole patch.
    static constexpr int MessageBytes =
        static_cast<int>(TCommon::ImageSize + ToneCount * TTone::ImageSize);
    TTransferBlock Block(int block);
    // The block that the reply to a whole-patch request at base is for, or -1 when it is none.
    int BlockOfReply(const midi::TMyMidiEvent& event, std::uint32_t base);

    // tone: 1..4
    TTone& Tone(int tone) { return *Tones.at(static_cast<std::size_t>(tone - 1)); }

    std::unique_ptr<TCommon> Common;
    std::array<std::unique_ptr<TTone>, ToneCount> Tones;

protected:
    void AssignData(const TLibElem& Source) override;

private:
    std::uint32_t TransferBase(bool toEditBuffer) const;
    void ReceiveInput();

    // One bit per block of the current request's replies placed.
    unsigned ReceivedBlocks = 0;
};

// name as the 12 bytes of a name field: cut to 12 and padded with blanks.
std::array<std::uint8_t, 12> PaddedName(std::string_view name);
// The name held in 12 data bytes, trailing blanks removed.
std::string NameFromData(std::span<const std::uint8_t> data);
// Puts name into data bytes 0..11 of an element's common record; with send the 12 bytes also
// go to the edit buffer as one message.
template <class TCommonRecord>
void SetCommonName(TCommonRecord& common, std::string_view name, bool send) {
    const auto bytes = PaddedName(name);
    if (send)
        common.SetParams(0, bytes);
    else
        std::copy(bytes.begin(), bytes.end(), common.Data().begin());
}
// The element number a header addresses: number kept to 1..count, so that a stray number read
// from a file never builds an address outside the memory.
int AddressNumber(int number, int count);

} // namespace model
