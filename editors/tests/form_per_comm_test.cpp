// The performance common page: the tempo in two bytes, the name in twelve, its table through a
// user's changes with the bytes the instrument receives, undo and revert, and the limit of 64
// voices on the reserves of the 16 parts.

#include "editors/form_per_comm.h"
#include "editors/tests/page_fixture.h"
#include "model/print/print_routines.h"
#include "model/sysex/sysex.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace editors::test {
namespace {

class PerCommPageTest : public PageTest {
protected:
    TFormPerComm& Open() {
        TFormPerComm& page = OpenPerCommPage(performance, *owner);
        testsupport::PumpUntilIdle();
        return page;
    }
    // The data set of bytes of the performance common block: address 01 00 00 offset.
    static Bytes CommonBytes(std::uint8_t offset, Bytes data) {
        Bytes message{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x01, 0x00, 0x00, offset};
        message.insert(message.end(), data.begin(), data.end());
        message.push_back(0);
        message.push_back(0xF7);
        message[message.size() - 2] = model::SysExChecksum(message);
        return message;
    }
    static Bytes NameBytes(const std::string& name) {
        Bytes bytes(name.begin(), name.end());
        bytes.resize(12, ' ');
        return bytes;
    }
    void SetReserves(std::array<std::uint8_t, 16> reserves) {
        for (std::size_t k = 0; k < reserves.size(); ++k)
            performance.Common->Data()[48 + k] = reserves[k];
    }
    controls::TMyEdit& Reserve(TFormPerComm& page, int part) {
        return *page.Part[static_cast<std::size_t>(part - 1)];
    }
};

TEST_F(PerCommPageTest, ShowsTheCommonBlockWithTheVoicesLeft) {
    performance.SetName("Split Keys", false);
    performance.Common->Data()[45] = 7;
    performance.Common->Data()[46] = 8;
    performance.Common->Data()[47] = 1;
    performance.Common->Data()[64] = 1;
    performance.Common->Data()[65] = 0;
    SetReserves({8, 8, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2});
    const auto modified = performance.ModifiedTime;
    clock.Advance(60000);
    TFormPerComm& page = Open();
    EXPECT_EQ(performance.ModifiedTime, modified);
    EXPECT_EQ(page.Caption(), "Split Keys [Common] [Loc : " + model::ElemPath(performance) + "]");
    EXPECT_EQ(page.HelpContext, 40);
    EXPECT_TRUE(performance.Common->CommonWindow.Open);
    EXPECT_EQ(page.EditName.Text(), "Split Keys");
    EXPECT_EQ(page.DefaultTempo.Code(), 120);
    EXPECT_TRUE(page.VelRangeSwitch.Checked());
    EXPECT_TRUE(page.Radiosingle.Checked());
    EXPECT_FALSE(page.RadioLayer.Checked());
    EXPECT_TRUE(page.RadioPerformance.Checked());
    EXPECT_EQ(Reserve(page, 1).Code(), 8);
    EXPECT_EQ(Reserve(page, 16).Code(), 2);
    EXPECT_EQ(Reserve(page, 16).Name, "Part16");
    EXPECT_EQ(page.EditTotalVoice.Text(), "   42");
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_FALSE(page.BtnRevert.Enabled());
    SavePagePng(page, "performance_common_page.png");

    page.Btnclose.Click();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(performance.Common->CommonWindow.Open);
}

TEST_F(PerCommPageTest, TempoTwoHundredFiftyGoesAsBytesFifteenAndTenInOneMessage) {
    performance.Common->Data()[45] = 0x0F;
    performance.Common->Data()[46] = 0x09;
    TFormPerComm& page = Open();
    Mark();
    Click(page.DefaultTempo.UpButton());
    EXPECT_EQ(page.DefaultTempo.Code(), 250);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x01, 0x00, 0x00, 0x2D,
                                           0x0F, 0x0A, 0x39, 0xF7}}));
    EXPECT_EQ(page.UndoList().Count(), 2u);

    // The lowest tempo, 20: 01H and 04H.
    performance.Common->Data()[45] = 0x01;
    performance.Common->Data()[46] = 0x05;
    page.Updateview();
    Mark();
    Click(page.DefaultTempo.DownButton());
    EXPECT_EQ(Sent(), std::vector<Bytes>{CommonBytes(45, {0x01, 0x04})});

    // Undo takes both bytes back in one message.
    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), std::vector<Bytes>{CommonBytes(45, {0x01, 0x05})});
    EXPECT_EQ(page.DefaultTempo.Code(), 21);
}

TEST_F(PerCommPageTest, UserChangesSendTheirBytesAndMarkThePerformance) {
    SetReserves({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    TFormPerComm& page = Open();
    struct Change {
        const char* what;
        std::function<void()> act;
        Bytes expected;
    };
    const Change changes[] = {
        {"velocity range switch on", [&] { Click(page.VelRangeSwitch); }, CommonBytes(47, {1})},
        {"part 7 reserve stepped up", [&] { Click(Reserve(page, 7).UpButton()); },
         CommonBytes(54, {1})},
        {"keyboard mode single", [&] { Click(page.Radiosingle); }, CommonBytes(64, {1})},
        {"clock source sequencer", [&] { Click(page.RadioSequencer); }, CommonBytes(65, {1})},
    };
    for (const Change& change : changes) {
        const auto modified = performance.ModifiedTime;
        clock.Advance(60000);
        Mark();
        change.act();
        EXPECT_EQ(Sent(), std::vector<Bytes>{change.expected}) << change.what;
        EXPECT_NE(performance.ModifiedTime, modified) << change.what;
    }
    EXPECT_EQ(page.EditTotalVoice.Text(), "   63");
    EXPECT_TRUE(page.BtnUndo.Enabled());
}

TEST_F(PerCommPageTest, TypingANameSendsTwelveBytesPerKeyAndUndoTakesBackOneKey) {
    performance.SetName("", false);
    TFormPerComm& page = Open();
    Mark();
    Click(page.EditName);
    for (char key : std::string("Pad"))
        driver.TypeKey('A' + (std::toupper(key) - 'A'), QString(QChar(key)));
    EXPECT_EQ(Sent(),
              (std::vector<Bytes>{CommonBytes(0, NameBytes("P")), CommonBytes(0, NameBytes("Pa")),
                                  CommonBytes(0, NameBytes("Pad"))}));
    EXPECT_EQ(page.UndoList().Count(), 36u);

    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), std::vector<Bytes>{CommonBytes(0, NameBytes("Pa"))});
    EXPECT_EQ(page.EditName.Text(), "Pa");
    EXPECT_EQ(page.UndoList().Count(), 24u);
}

TEST_F(PerCommPageTest, RevertSendsTheWholeBlockOnceWithTheOldBytes) {
    SetReserves({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    TFormPerComm& page = Open();
    const auto old = performance.Common->Data();
    const Bytes before(old.begin(), old.end());
    Click(page.VelRangeSwitch);
    Click(Reserve(page, 2).UpButton());
    Click(Reserve(page, 2).UpButton());
    Click(page.RadioSequencer);
    Mark();
    Click(page.BtnRevert);
    const std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    const auto data = performance.Common->Data();
    EXPECT_EQ(sent[0], CommonBytes(0, Bytes(data.begin(), data.end())));
    EXPECT_EQ(Bytes(data.begin(), data.end()), before);
    EXPECT_EQ(Reserve(page, 2).Code(), 0);
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

// A reserve stepped with its arrow: an up-step that would bring the voices in all past 64 is
// taken back and sends nothing; a down-step is taken even while the sum (from a file) stands
// above 64, and no field steps below 0.
struct ReserveStep {
    std::string name;
    std::array<std::uint8_t, 16> reserves;
    int part;
    bool up;
    int shown;
    Bytes sentData; // empty: nothing is sent
    std::string voicesLeft;
};

const ReserveStep reserveSteps[] = {
    {"UpOnAnEmptyPartAtSixtyFour", {16, 16, 16, 16}, 5, true, 0, {}, "   0"},
    {"UpOnAFullPartAtSixtyFour", {16, 16, 16, 16}, 1, true, 16, {}, "   0"},
    {"DownAtSixtyFour", {16, 16, 16, 16}, 1, false, 15, {15}, "   1"},
    {"UpToSixtyFour", {16, 16, 16, 15}, 4, true, 16, {16}, "   0"},
    {"DownWhileAboveSixtyFour", {20, 20, 20, 20}, 2, false, 19, {19}, "   -15"},
    {"UpWhileAboveSixtyFour", {20, 20, 20, 20}, 2, true, 20, {}, "   -16"},
    {"DownAtZero", {16, 16, 16, 16}, 9, false, 0, {}, "   0"},
};

class ReserveStepTest : public PerCommPageTest,
                        public ::testing::WithParamInterface<ReserveStep> {};

TEST_P(ReserveStepTest, OnlyAnUpStepPastSixtyFourVoicesIsTakenBack) {
    const ReserveStep& step = GetParam();
    SetReserves(step.reserves);
    TFormPerComm& page = Open();
    controls::TMyEdit& field = Reserve(page, step.part);
    const int at = field.Code();
    Mark();
    Click(step.up ? field.UpButton() : field.DownButton());
    EXPECT_EQ(field.Code(), step.shown);
    EXPECT_EQ(page.EditTotalVoice.Text(), step.voicesLeft);
    const std::vector<Bytes> sent = Sent();
    if (step.sentData.empty()) {
        EXPECT_TRUE(sent.empty());
        EXPECT_EQ(page.UndoList().Count(), 0u);
        EXPECT_EQ(performance.Common->GetParam(47 + step.part), at);
    } else {
        EXPECT_EQ(sent, std::vector<Bytes>{
                            CommonBytes(static_cast<std::uint8_t>(47 + step.part), step.sentData)});
        EXPECT_EQ(performance.Common->GetParam(47 + step.part), step.shown);
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, ReserveStepTest, ::testing::ValuesIn(reserveSteps),
                         [](const auto& info) { return info.param.name; });

TEST_F(PerCommPageTest, AnArrowHeldPastTheLimitStaysAtTheLastVoiceLeft) {
    SetReserves({16, 16, 16, 10});
    TFormPerComm& page = Open();
    controls::TMyEdit& field = Reserve(page, 4);
    Mark();
    const auto arrow = field.UpButton().ClientToScreen(
        {field.UpButton().Width() / 2, field.UpButton().Height() / 2});
    driver.Press(arrow);
    Run(2000);
    driver.Release(arrow);
    EXPECT_EQ(field.Code(), 16);
    EXPECT_EQ(page.EditTotalVoice.Text(), "   0");
    EXPECT_EQ(Sent(), std::vector<Bytes>{CommonBytes(51, {16})});
}

} // namespace
} // namespace editors::test
