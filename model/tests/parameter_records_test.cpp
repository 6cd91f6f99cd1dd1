#include "model/sysex/patch_records.h"
#include "model/sysex/performance_records.h"
#include "model/sysex/rhythm_records.h"
#include "model/sysex/system_records.h"
#include "model/tests/send_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace model {
namespace {

using fixtures::Bytes;

class ParameterRecordsTest : public fixtures::SendFixture {};

TEST_F(ParameterRecordsTest, SettingTheCurrentValueSendsNothingAndDoesNotWait) {
    TCommon common;
    TTone tone(2);
    TPerformanceCommon performanceCommon;
    TPerformancePart part(4);
    TRhythmNote note(60);
    TSystemCommon systemCommon;
    TPartScaleTune tune(3);
    const platform::core::Millis start = clock.Now();
    common.SetParam(44, 1);
    tone.SetParam(12, 1);
    performanceCommon.SetParam(46, 4);
    part.SetParam(0, 0);
    note.SetParam(53, 1);
    systemCommon.SetParam(18, 0x61);
    tune.SetParam(11, 0x40);
    EXPECT_EQ(clock.Now(), start);
    EXPECT_TRUE(Received().empty());
}

TEST_F(ParameterRecordsTest, SettingANewValueStoresAndSendsOneByte) {
    TTone tone(4);
    tone.SetParam(12, 0x7F);
    EXPECT_EQ(tone.GetParam(12), 0x7F);
    EXPECT_EQ(Received(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x16, 0x0C,
                                               0x7F, 0x5C, 0xF7}}));
    tone.SetParam(12, 0x7F);
    EXPECT_EQ(Received().size(), 1u);
}

TEST_F(ParameterRecordsTest, ToneRunsSendOnlyWhenAByteChanges) {
    TTone tone(1);
    const Bytes same{1, 1};
    tone.SetParams(12, same);
    EXPECT_TRUE(Received().empty());
    const Bytes changed{1, 2};
    tone.SetParams(12, changed);
    ASSERT_EQ(Received().size(), 1u);
    EXPECT_EQ(Received()[0], (Bytes{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x10, 0x0C, 0x01,
                                    0x02, 0x5E, 0xF7}));
    EXPECT_EQ(tone.GetParam(13), 2);
}

TEST_F(ParameterRecordsTest, OtherRunsSendInEveryCase) {
    TCommon common;
    TPerformanceCommon performanceCommon;
    TPerformancePart part(1);
    TRhythmCommon rhythmCommon;
    TRhythmNote note(35);
    TSystemCommon systemCommon;
    const Bytes blanks(12, ' ');
    common.SetParams(0, blanks);
    performanceCommon.SetParams(0, blanks);
    rhythmCommon.SetParams(0, blanks);
    const Bytes zero{0};
    part.SetParams(0, zero);
    note.SetParams(0, zero);
    const Bytes one{1};
    systemCommon.SetParams(0, one);
    const std::vector<Bytes> received = Received();
    ASSERT_EQ(received.size(), 6u);
    const std::uint32_t addresses[] = {0x03000000, 0x01000000, 0x02090000,
                                       0x01001000, 0x02092300, 0x00000000};
    for (std::size_t i = 0; i < received.size(); ++i) {
        const std::uint32_t address =
            received[i][5] << 24 | received[i][6] << 16 | received[i][7] << 8 | received[i][8];
        EXPECT_EQ(address, addresses[i]) << i;
    }
}

TEST_F(ParameterRecordsTest, SendAllSendsTheWholeBlockWhileThePortsAreOpen) {
    TCommon common;
    TTone tone(3);
    TPerformanceCommon performanceCommon;
    common.SendAll();
    tone.SendAll();
    performanceCommon.SendAll();
    const std::vector<Bytes> received = Received();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0].size(), 84u);
    EXPECT_EQ(received[1].size(), 140u);
    EXPECT_EQ(received[2].size(), 77u);
    EXPECT_EQ(Bytes(received[1].begin() + 9, received[1].end() - 2),
              Bytes(tone.Data().begin(), tone.Data().end()));
    EXPECT_EQ(received[1][7], 0x14);
    EXPECT_TRUE(ui.monitor.empty());

    state.Midi.SetOnline(false);
    const platform::core::Millis start = clock.Now();
    common.SendAll();
    tone.SendAll();
    performanceCommon.SendAll();
    EXPECT_EQ(clock.Now(), start);
    EXPECT_EQ(Received().size(), 3u);
}

TEST_F(ParameterRecordsTest, PerformanceNameIsTheFirstTwelveBytes) {
    TPerformanceCommon common;
    const std::string name = "Strings Pad1";
    common.SetParams(0, Bytes(name.begin(), name.end()));
    EXPECT_EQ(common.GetName(), name);
}

class FakeView : public TEditorView {
public:
    FakeView(std::int16_t left, std::int16_t top, std::vector<std::string>& log, std::string name)
        : left_(left), top_(top), log_(log), name_(std::move(name)) {}
    void UpDateView() override {}
    std::int16_t Left() const override { return left_; }
    std::int16_t Top() const override { return top_; }
    void CloseByOwner() override { log_.push_back(name_); }

private:
    std::int16_t left_;
    std::int16_t top_;
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(RecordEditorsTest, WindowsStartAtZeroAndKeepTheirPositions) {
    std::vector<std::string> closed;
    FakeView common(-20, 35, closed, "common");
    FakeView lfo2(100, 200, closed, "lfo2");
    {
        TCommon record;
        EXPECT_EQ(record.CommonWindow.Left, 0);
        EXPECT_EQ(record.EffectsWindow.Top, 0);
        record.CommonWindow.Window = &common;
        record.CommonWindow.Open = true;
        record.SaveEditorPositions();
        EXPECT_EQ(record.CommonWindow.Left, -20);
        EXPECT_EQ(record.CommonWindow.Top, 35);
        EXPECT_EQ(record.EffectsWindow.Left, 0);
    }
    EXPECT_EQ(closed, (std::vector<std::string>{"common"}));

    TTone tone(2);
    tone.Pages[tpLFO2].Window = &lfo2;
    tone.Pages[tpLFO2].Open = true;
    tone.SaveEditorPositions();
    EXPECT_EQ(tone.Pages[tpLFO2].Left, 100);
    EXPECT_EQ(tone.Pages[tpWave].Left, 0);
    tone.CloseEditors();
    EXPECT_FALSE(tone.Pages[tpLFO2].Open);
    EXPECT_EQ(tone.Pages[tpLFO2].Window, nullptr);
    EXPECT_EQ(tone.Pages[tpLFO2].Top, 200);
    tone.CloseEditors();
    EXPECT_EQ(closed, (std::vector<std::string>{"common", "lfo2"}));
}

} // namespace
} // namespace model
