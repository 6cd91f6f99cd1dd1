// The table of the multi-effect's types: every value a control can take stores a byte below 80H
// and shows again as itself; the rows the effects window reads by position.

#include "editors/efx_types.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace editors {
namespace {

TEST(EfxTypesTest, EveryValueOfEveryRowStoresABelow80HAndShowsAgain) {
    ASSERT_EQ(EfxTypes().size(), static_cast<std::size_t>(EfxTypeCount));
    for (const TEfxType& type : EfxTypes())
        for (const TEfxParam& row : type.Params) {
            const std::string where = std::to_string(type.Number) + " \"" + row.Label + "\"";
            ASSERT_LT(row.Lowest(), row.Highest()) << where;
            ASSERT_GT(row.Step, 0) << where;
            for (int value = row.Lowest(); value <= row.Highest(); value += row.Step) {
                const std::uint8_t byte = row.ToByte(value);
                EXPECT_LT(byte, 0x80) << where << " value " << value;
                EXPECT_EQ(row.ToValue(byte), value) << where << " value " << value;
            }
        }
}

TEST(EfxTypesTest, EachTypeEditsDistinctParametersWithAtMostTwelveControls) {
    int number = 0;
    for (const TEfxType& type : EfxTypes()) {
        EXPECT_EQ(type.Number, ++number);
        EXPECT_LE(type.Params.size(), static_cast<std::size_t>(EfxParamCount));
        std::set<int> params;
        for (const TEfxParam& row : type.Params) {
            EXPECT_GE(row.Param, 1) << type.Number;
            EXPECT_LE(row.Param, EfxParamCount) << type.Number;
            EXPECT_TRUE(params.insert(row.Param).second) << type.Number << " " << row.Label;
            EXPECT_EQ(row.WindowParam(), EfxFirstParam - 1 + row.Param);
        }
        EXPECT_FALSE(type.Ctrl1.empty());
        EXPECT_FALSE(type.Ctrl2.empty());
    }
}

TEST(EfxTypesTest, TheListReadsAsTheInstrumentsPanelNamesIt) {
    const std::vector<std::string> items = EfxTypeListItems();
    ASSERT_EQ(items.size(), 40u);
    EXPECT_EQ(items[0], "  1 : Stereo Equalizer");
    EXPECT_EQ(items[8], "  9 : Compressor");
    EXPECT_EQ(items[9], "10 : Limiter");
    EXPECT_EQ(items[24], "25 : Gate-Reverb");
    EXPECT_EQ(items[37], "38 : Chorus / Delay");
    EXPECT_EQ(items[38], "38 : Flanger / Delay");
    EXPECT_EQ(items[39], "40 : Chorus / Flanger");
    EXPECT_EQ(EfxType(0), nullptr);
    EXPECT_EQ(EfxType(41), nullptr);
    EXPECT_EQ(EfxType(39)->Name, items[38]);
    EXPECT_EQ(EfxType(17)->Ctrl1, "Feedback");
    EXPECT_EQ(EfxType(1)->Ctrl2, "----------");
}

struct RowCase {
    const char* name;
    int type;
    int pos;
    const char* label;
    int param;
    int value;
    int byte;
};

TEST(EfxTypesTest, RowsStoreByTheirOwnRule) {
    const RowCase cases[] = {
        {"coarse at its foot", 22, 1, "Coarse A", 2, -24, 0},
        {"coarse at its top", 22, 1, "Coarse A", 2, 12, 36},
        {"fine at its foot", 22, 2, "Fine A", 4, -100, 0},
        {"fine centred", 22, 2, "Fine A", 4, 0, 50},
        {"fine at its top", 22, 2, "Fine A", 4, 100, 100},
        {"feedback at its foot", 15, 4, "Feedback", 7, -98, 0},
        {"feedback centred", 15, 4, "Feedback", 7, 0, 49},
        {"feedback at its top", 15, 4, "Feedback", 7, 98, 98},
        {"width 1", 5, 9, "Width ", 9, 1, 0},
        {"width 5", 5, 9, "Width ", 9, 5, 4},
        {"phase 180", 12, 4, "Phase", 6, 180, 90},
        {"overdrive pan sixth", 2, 6, "Pan", 2, -64, 0},
        {"distortion pan sixth", 3, 6, "Pan", 2, 63, 127},
        {"modulation delay phase", 18, 7, "Phase", 8, 60, 30},
        {"modulation delay damp", 18, 8, "HF Damp", 5, 17, 17},
        {"gain at its foot", 1, 2, "Low Gain ", 2, -15, 0},
        {"list item", 24, 1, "Rverb Type", 1, 5, 5},
        // Overdrive and distortion into a flanger keep feedback and balance as their siblings do.
        {"overdrive flanger feedback", 27, 6, "Feedback", 6, -98, 0},
        {"overdrive flanger balance", 27, 7, "Balance", 7, 100, 100},
        {"distortion flanger feedback", 30, 6, "Feedback", 6, 98, 98},
        {"distortion flanger balance", 30, 7, "Balance", 7, 0, 0},
        // Gate time 5..500 ms by 5: a hundred bytes 0..99.
        {"gate time shortest", 25, 3, "Gate Time", 3, 5, 0},
        {"gate time 250", 25, 3, "Gate Time", 3, 250, 49},
        {"gate time longest", 25, 3, "Gate Time", 3, 500, 99},
    };
    for (const RowCase& c : cases) {
        const TEfxParam* row = EfxType(c.type)->AtPos(c.pos);
        ASSERT_NE(row, nullptr) << c.name;
        EXPECT_EQ(row->Label, c.label) << c.name;
        EXPECT_EQ(row->Param, c.param) << c.name;
        EXPECT_EQ(row->ToByte(c.value), c.byte) << c.name;
        EXPECT_EQ(row->ToValue(static_cast<std::uint8_t>(c.byte)), c.value) << c.name;
    }
}

TEST(EfxTypesTest, ControlsCarryTheirKindsRangesAndBoxes) {
    const TEfxParam& feedback = *EfxType(15)->AtPos(4);
    EXPECT_EQ(feedback.Control, TEfxControl::Field);
    EXPECT_EQ(feedback.EditType, controls::TEditType::MinMaxPerc);
    EXPECT_EQ(feedback.Step, 2);
    EXPECT_EQ(feedback.BoxWidth, 55);
    EXPECT_EQ(EfxType(16)->AtPos(4)->BoxWidth, 60);
    const TEfxParam& gate = *EfxType(25)->AtPos(3);
    EXPECT_EQ(gate.Lowest(), 5);
    EXPECT_EQ(gate.Highest(), 500);
    EXPECT_EQ(gate.Step, 5);
    EXPECT_TRUE(EfxType(4)->AtPos(6)->Stereo);
    EXPECT_FALSE(EfxType(9)->AtPos(6)->Stereo);
    EXPECT_EQ(EfxType(9)->AtPos(6)->Lowest(), -64);
    const TEfxParam& amp = *EfxType(2)->AtPos(5);
    EXPECT_EQ(amp.Control, TEfxControl::List);
    EXPECT_EQ(amp.Items, (std::vector<std::string>{"Small", "Built-In", "2-Stack", "3-Stack"}));
    EXPECT_EQ(EfxType(11)->AtPos(7)->BoxWidth, 70);
    EXPECT_EQ(EfxType(4)->AtPos(1)->BoxWidth, 66);
    // A Tag beyond the type's controls finds nothing.
    EXPECT_EQ(EfxType(6)->AtPos(6), nullptr);
    EXPECT_EQ(EfxType(6)->AtPos(0), nullptr);
    EXPECT_NE(EfxType(18)->AtPos(12), nullptr);
}

} // namespace
} // namespace editors
