// The performance part page on the simulated instrument: copy and paste of a part through the
// main window's clipboard, the octave shift's bias, the part-10 rhythm chooser, and the
// rhythm-name requests with their replies, time-out and input handler.

#include "editors/clipboard_owner.h"
#include "editors/form_part.h"
#include "editors/tests/page_fixture.h"
#include "model/editing/clipboard.h"
#include "model/print/print_routines.h"
#include "model/transfer/transfer.h"
#include "testsupport/sim_instrument.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace editors::test {
namespace {

namespace forms = platform::forms;
using testsupport::SimInstrument;

// The main window as the pages know it: the multiple-document parent that owns the clipboard.
class ClipboardMain : public forms::TForm, public TClipboardOwner {
public:
    explicit ClipboardMain(forms::TComponent* owner) : forms::TForm(owner, forms::fsMDIForm) {}
    model::TClipboard& Clipboard() override { return clipboard; }
    model::TClipboard clipboard;
};

constexpr std::uint8_t Device = 0x10;
constexpr std::size_t PartBytes = model::PerformancePartDataLength;

class PartPageTest : public PageTest {
protected:
    PartPageTest() {
        ShowAsMainForm(MakeForm<ClipboardMain>());
        state.Midi.DefaultHandler = [this] {
            ++defaultInputs;
            model::DrainInput();
        };
    }

    TFormPart& Open() { return OpenPartPage(performance, *owner); }
    // A name of 12 characters, padded, as the instrument keeps it.
    static Bytes NameBytes(const std::string& name) {
        Bytes bytes(12, ' ');
        std::copy(name.begin(), name.end(), bytes.begin());
        return bytes;
    }
    static Bytes NameReply(int set, const std::string& name) {
        return SimInstrument::MakeDataSet(Device, TRhythmNameFetch::Address(set), NameBytes(name));
    }
    // A short message that only the default handler takes.
    void Stray() { FromInstrument({0x90, 0x3C, 0x40}); }
    void Silent() {
        testsupport::SimFaults faults;
        faults.Silent = true;
        instrument().SetFaults(faults);
    }
    static std::uint32_t AddressOf(const Bytes& message) {
        return std::uint32_t{message[5]} << 24 | std::uint32_t{message[6]} << 16 |
               std::uint32_t{message[7]} << 8 | message[8];
    }

    model::TPerformance performance{nullptr};
    int defaultInputs = 0;
};

TEST_F(PartPageTest, PartThreePastedIntoPartSevenReplacesItsPartBytesAndSendsEveryPart) {
    for (std::size_t n = 0; n < PartBytes; ++n) {
        performance.Part(3).Data()[n] = static_cast<std::uint8_t>(0x20 + n);
        performance.Part(7).Data()[n] = static_cast<std::uint8_t>(0x50 + n);
    }
    const Bytes kept(performance.Part(7).Data().begin() + 21, performance.Part(7).Data().end());
    TFormPart& page = Open();
    EXPECT_FALSE(page.PasteBtn.Enabled());
    page.SelectPart(7);
    page.PartLevel.SetValue(5);
    page.PartLevel.OnEndchange(&page.PartLevel);
    ASSERT_TRUE(page.BtnUndo.Enabled());

    page.SelectPart(3);
    Click(page.CopyBtn);
    EXPECT_TRUE(page.PasteBtn.Enabled());
    page.SelectPart(7);
    Mark();
    Click(page.PasteBtn);

    for (std::size_t n = 0; n <= 20; ++n)
        EXPECT_EQ(performance.Part(7).GetParam(n), 0x20 + n) << "parameter " << n;
    EXPECT_EQ(Bytes(performance.Part(7).Data().begin() + 21, performance.Part(7).Data().end()),
              kept);
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), static_cast<std::size_t>(model::PartCount));
    for (int part = 1; part <= model::PartCount; ++part) {
        const Bytes& message = sent[static_cast<std::size_t>(part - 1)];
        EXPECT_EQ(AddressOf(message), model::SysExAddress(model::PerformanceEditBuffer,
                                                          model::PerformancePartOffset(part), 0));
        EXPECT_EQ(
            Bytes(message.begin() + 9, message.end() - 2),
            Bytes(performance.Part(part).Data().begin(), performance.Part(part).Data().end()));
    }
    EXPECT_EQ(page.PartUndoList(7).Count(), 0);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_EQ(page.PartLevel.Value(), 0x26);
}

struct OctaveCase {
    int shift;
    std::uint8_t byte;
};

class OctaveShiftTest : public PartPageTest, public ::testing::WithParamInterface<OctaveCase> {};

TEST_P(OctaveShiftTest, StoredWithBiasThreeAndShownBack) {
    TFormPart& page = Open();
    page.SelectPart(4);
    Mark();
    page.Octaveshift.SetCode(GetParam().shift);
    page.Octaveshift.OnEndChange(&page.Octaveshift);
    EXPECT_EQ(performance.Part(4).GetParam(19), GetParam().byte);
    const std::vector<Bytes> sent = Sent();
    if (GetParam().byte != 0) {
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0][9], GetParam().byte);
        EXPECT_EQ(AddressOf(sent[0]), model::SysExAddress(model::PerformanceEditBuffer,
                                                          model::PerformancePartOffset(4), 19));
    }
    for (const Bytes& message : sent)
        EXPECT_NE(message[9], 0xFC);
    page.Octaveshift.SetCode(0);
    page.SelectPart(4);
    EXPECT_EQ(page.Octaveshift.Code(), GetParam().shift);
}

INSTANTIATE_TEST_SUITE_P(Shifts, OctaveShiftTest,
                         ::testing::Values(OctaveCase{-3, 0}, OctaveCase{-1, 2}, OctaveCase{0, 3},
                                           OctaveCase{3, 6}),
                         [](const auto& info) {
                             const int shift = info.param.shift;
                             return (shift < 0 ? "Minus" : "Plus") +
                                    std::to_string(std::abs(shift));
                         });

// A part's key range stepped with the arrows: a Lower key stepped past Upper is held at Upper,
// an Upper key stepped below Lower at Lower, and what is stored and sent is the held key. A range
// from a file with Lower above Upper comes right with the first step.
struct KeyRangeStep {
    const char* name;
    std::uint8_t lower, upper; // before
    bool stepLower;            // else the Upper key
    bool up;
    std::uint8_t lowerAfter, upperAfter;
    std::optional<std::uint8_t> sent; // the byte sent, at the stepped key's offset
};

class KeyRangeStepTest : public PartPageTest, public ::testing::WithParamInterface<KeyRangeStep> {};

TEST_P(KeyRangeStepTest, HoldsEachKeyOnItsSideOfTheOther) {
    const KeyRangeStep& c = GetParam();
    constexpr int Part = 2;
    performance.Part(Part).Data()[17] = c.lower;
    performance.Part(Part).Data()[18] = c.upper;
    TFormPart& page = Open();
    page.SelectPart(Part);
    Mark();
    controls::TMyEdit& key = c.stepLower ? page.Keylower : page.Keyupper;
    Click(c.up ? key.UpButton() : key.DownButton());
    EXPECT_EQ(page.Keylower.Code(), c.lowerAfter);
    EXPECT_EQ(page.Keyupper.Code(), c.upperAfter);
    const std::uint8_t offset = c.stepLower ? 17 : 18;
    const std::vector<Bytes> sent = Sent();
    if (!c.sent) {
        EXPECT_TRUE(sent.empty());
        EXPECT_EQ(performance.Part(Part).GetParam(17), c.lower);
        EXPECT_EQ(performance.Part(Part).GetParam(18), c.upper);
        return;
    }
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], SimInstrument::MakeDataSet(
                           Device,
                           model::SysExAddress(model::PerformanceEditBuffer,
                                               model::PerformancePartOffset(Part), offset),
                           {*c.sent}));
    EXPECT_EQ(performance.Part(Part).GetParam(offset), *c.sent);
    EXPECT_EQ(performance.Part(Part).GetParam(c.stepLower ? 18 : 17),
              c.stepLower ? c.upper : c.lower);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, KeyRangeStepTest,
    ::testing::Values(
        KeyRangeStep{"LowerUpAtUpperStays", 60, 60, true, true, 60, 60, std::nullopt},
        KeyRangeStep{"UpperDownAtLowerStays", 60, 60, false, false, 60, 60, std::nullopt},
        KeyRangeStep{"LowerUpBelowUpperSteps", 59, 60, true, true, 60, 60, 60},
        KeyRangeStep{"UpperDownAboveLowerSteps", 60, 61, false, false, 60, 60, 60},
        KeyRangeStep{"LowerAboveUpperIsHeldAtUpper", 65, 60, true, false, 60, 60, 60},
        KeyRangeStep{"UpperBelowLowerIsHeldAtLower", 65, 60, false, true, 65, 65, 65}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PartPageTest, PartTenOffersRhythmSetsAndClampsANumberBeyondThem) {
    model::TPerformancePart& part = performance.Part(10);
    part.Data()[2] = 0;
    part.Data()[3] = 3; // Preset A
    part.Data()[4] = 0;
    part.Data()[5] = 5;
    TFormPart& page = Open();
    EXPECT_EQ(page.ComboPatch.Items().Count(), 11);
    Mark();
    page.SelectPart(10);
    EXPECT_EQ(page.ComboPatch.Items().Count(), 6);
    EXPECT_EQ(page.LabelGroup.Caption(), "Rhythm Group");
    EXPECT_TRUE(page.ComboRhythmName.Visible());
    EXPECT_FALSE(page.Patchname.Visible());
    EXPECT_EQ(page.ComboPatch.ItemIndex(), 2);
    EXPECT_EQ(page.ComboRhythmName.ItemIndex(), 1);
    EXPECT_EQ(page.ComboRhythmName.Text(), "PopDrumSet 2");
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(part.GetParam(5), 5);

    // A group the part-10 list does not hold shows no set, and nothing is stored from it.
    part.Data()[2] = 1;
    page.Updateview();
    EXPECT_EQ(page.ComboRhythmName.ItemIndex(), -1);
    page.ComboRhythmNameChange(&page.ComboRhythmName);
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(page.BtnUndo.Enabled());

    page.SelectPart(9);
    EXPECT_EQ(page.ComboPatch.Items().Count(), 11);
    EXPECT_TRUE(page.Patchname.Visible());
    EXPECT_FALSE(page.ComboRhythmName.Visible());
}

TEST_F(PartPageTest, GroupsStoreTypeAndIdAndAnEmptySlotIsRefused) {
    TFormPart& page = Open();
    page.SelectPart(3);
    Mark();
    page.ComboPatch.SetItemIndex(3); // Preset B
    page.ComboPatch.OnChange(&page.ComboPatch);
    EXPECT_EQ(performance.Part(3).GetParam(2), 0);
    EXPECT_EQ(performance.Part(3).GetParam(3), 4);
    std::vector<Bytes> sent = Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(Bytes(sent[0].begin() + 9, sent[0].end() - 2), (Bytes{0x00, 0x04}));

    Mark();
    page.ComboPatch.SetItemIndex(7); // Expansion B: no board in slot B
    page.ComboPatch.OnChange(&page.ComboPatch);
    EXPECT_EQ(page.ComboPatch.ItemIndex(), 3);
    EXPECT_TRUE(Sent().empty());

    state.Config.ExpB = 2;
    page.ComboPatch.SetItemIndex(7);
    page.ComboPatch.OnChange(&page.ComboPatch);
    EXPECT_EQ(performance.Part(3).GetParam(2), 2);
    EXPECT_EQ(performance.Part(3).GetParam(3), 2);
    EXPECT_EQ(page.ListCode(7), 6);
}

TEST_F(PartPageTest, UndoIsPerPartAndRevertAllRestoresEveryPart) {
    TFormPart& page = Open();
    page.SelectPart(2);
    page.PartLevel.SetValue(90);
    page.PartLevel.OnEndchange(&page.PartLevel);
    page.SelectPart(5);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    page.OutputLevel.SetValue(40);
    page.OutputLevel.OnEndchange(&page.OutputLevel);
    EXPECT_TRUE(page.BtnUndo.Enabled());
    Mark();
    Click(page.BtnReverAll);
    EXPECT_EQ(performance.Part(2).GetParam(6), 0);
    EXPECT_EQ(performance.Part(5).GetParam(11), 0);
    EXPECT_EQ(page.SelectedPart(), 1);
    EXPECT_TRUE(page.SpeedButtons[0]->Down());
    EXPECT_EQ(Sent().size(), static_cast<std::size_t>(model::PartCount));
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

TEST_F(PartPageTest, WithADataCardFourNamesAreAskedAndPlacedByAddress) {
    state.Config.DataCardInstalled = true;
    Silent();
    Mark();
    TFormPart& page = Open();
    // Activating the page sends the performance too.
    std::vector<Bytes> sent;
    for (const Bytes& message : Sent())
        if (message[4] == SimInstrument::DataRequest) sent.push_back(message);
    ASSERT_EQ(sent.size(), 4u);
    for (int set = 0; set < 4; ++set) {
        const Bytes& request = sent[static_cast<std::size_t>(set)];
        EXPECT_EQ(request[4], SimInstrument::DataRequest);
        EXPECT_EQ(AddressOf(request), TRhythmNameFetch::Address(set));
        EXPECT_EQ(Bytes(request.begin() + 9, request.begin() + 13), (Bytes{0, 0, 0, 0x0C}));
    }
    EXPECT_EQ(TRhythmNameFetch::Address(3), 0x20410000u);

    // The replies come in another order than the requests went.
    const char* const names[] = {"Kit One", "Kit Two", "Card Kit A", "Card Kit B"};
    for (int set : {3, 0, 2}) {
        FromInstrument(NameReply(set, names[set]));
        Stray();
        EXPECT_EQ(defaultInputs, 0) << "after the reply for set " << set;
        EXPECT_TRUE(page.RhythmNames().Waiting());
    }
    FromInstrument(NameReply(1, names[1]));
    EXPECT_FALSE(page.RhythmNames().Waiting());
    Stray();
    EXPECT_EQ(defaultInputs, 1);
    for (int set = 0; set < 4; ++set)
        EXPECT_EQ(page.RhythmNames().Name(set), names[set]);

    performance.Part(10).Data()[3] = 2; // Card
    page.SelectPart(10);
    ASSERT_EQ(page.ComboRhythmName.Items().Count(), 2);
    EXPECT_EQ(page.ComboRhythmName.Items()[0], "Card Kit A");
    EXPECT_EQ(page.ComboRhythmName.Items()[1], "Card Kit B");
    Run(3000);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PartPageTest, WithoutADataCardTheInstrumentAnswersTwoRequests) {
    instrument().Write(TRhythmNameFetch::Address(0), NameBytes("House Kit"));
    instrument().Write(TRhythmNameFetch::Address(1), NameBytes("Dusty Kit"));
    TFormPart& page = Open();
    Run(200);
    EXPECT_EQ(instrument().RequestsAnswered(), 2);
    EXPECT_FALSE(page.RhythmNames().Waiting());
    EXPECT_EQ(page.RhythmNames().Name(0), "House Kit");
    EXPECT_EQ(page.RhythmNames().Name(1), "Dusty Kit");
    EXPECT_EQ(page.RhythmNames().Name(2), "Data Card 01");
    Stray();
    EXPECT_EQ(defaultInputs, 1);
}

struct BadReply {
    std::string name;
    Bytes message;
};

Bytes WithWrongChecksum(Bytes message) {
    message[message.size() - 2] =
        static_cast<std::uint8_t>((message[message.size() - 2] + 1) & 0x7F);
    return message;
}

Bytes NameFor(std::uint32_t address, std::size_t length, std::uint8_t device = Device) {
    return SimInstrument::MakeDataSet(device, address, Bytes(length, 'x'));
}

class BadReplyTest : public PartPageTest, public ::testing::WithParamInterface<BadReply> {};

TEST_P(BadReplyTest, IsIgnoredAndTheTimeOutStillEndsTheWait) {
    Silent();
    // Already in the edit buffer: activating the page sends nothing, and the wait starts now.
    state.CurrentPerformance = &performance;
    TFormPart& page = Open();
    // The time-out runs from the last request, which went before now: a reply it took would
    // give the instrument another second from the second delivery.
    FromInstrument(GetParam().message);
    Run(595);
    FromInstrument(GetParam().message);
    EXPECT_TRUE(page.RhythmNames().Waiting());
    EXPECT_EQ(page.RhythmNames().Replies(), 0);
    EXPECT_EQ(page.RhythmNames().Name(0), "User 01");
    EXPECT_EQ(page.RhythmNames().Name(1), "User 02");
    EXPECT_EQ(defaultInputs, 0);
    Run(400);
    EXPECT_FALSE(page.RhythmNames().Waiting());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "The instruments is not responding.");
    Stray();
    EXPECT_EQ(defaultInputs, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, BadReplyTest,
    ::testing::Values(BadReply{"WrongChecksum", WithWrongChecksum(NameFor(0x10400000, 12))},
                      BadReply{"OtherAddress", NameFor(0x10420000, 12)},
                      BadReply{"CardSetWithoutCard", NameFor(0x20400000, 12)},
                      BadReply{"ShortName", NameFor(0x10400000, 11)},
                      BadReply{"OtherDevice", NameFor(0x10400000, 12, 0x11)},
                      BadReply{"Request", SimInstrument::MakeDataRequest(Device, 0x10400000, 12)}),
    [](const auto& info) { return info.param.name; });

TEST_F(PartPageTest, RetryAfterTheTimeOutAsksAgain) {
    Silent();
    Open();
    dialogs.answer = model::mrRetry;
    Mark();
    Run(1000);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(Sent().size(), 2u);
    dialogs.answer = model::mrOk;
    Run(1000);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    Stray();
    EXPECT_EQ(defaultInputs, 1);
}

TEST_F(PartPageTest, ClosingThePageWhileItWaitsGivesTheInputBackToTheDefaultHandler) {
    Silent();
    TFormPart& page = Open();
    ASSERT_TRUE(page.RhythmNames().Waiting());
    Click(page.Btnclose);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(performance.PartWindow.Open);
    Stray();
    EXPECT_EQ(defaultInputs, 1);
    Run(2000);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PartPageTest, PagesOfPartOneAndPartTen) {
    for (std::size_t n = 0; n < PartBytes; ++n)
        performance.Part(1).Data()[n] = static_cast<std::uint8_t>(n * 3);
    performance.Part(1).Data()[2] = 0;
    performance.Part(1).Data()[3] = 3;
    performance.Part(1).Data()[10] = 1;
    performance.Part(1).Data()[22] = 2;
    performance.Part(10).Data()[3] = 6;
    performance.Part(10).Data()[5] = 1;
    TFormPart& page = Open();
    Run(1000);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(SavePagePng(page, "part_page_1.png").empty());
    page.SelectPart(10);
    EXPECT_EQ(page.ComboRhythmName.Text(), "BrusDrumSet");
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(SavePagePng(page, "part_page_10.png").empty());
    EXPECT_EQ(page.Caption(),
              performance.GetName() + " [Parts] [Loc : " + model::ElemPath(performance) + "]");
}

} // namespace
} // namespace editors::test
