#include "editors/efx_types.h"

#include <utility>

namespace editors {

namespace {

using controls::TEditType;
using TItems = std::vector<std::string>;

// The kinds of rows the types are made of; each maker gives the rule its value is stored by.
TEfxParam Row(std::string label, TEfxControl control, int param, TCoding coding) {
    TEfxParam row;
    row.Label = std::move(label);
    row.Control = control;
    row.Param = param;
    row.Coding = coding;
    return row;
}

TEfxParam Slider(std::string label, int param) {
    return Row(std::move(label), TEfxControl::Slider, param, Plain);
}

// A pan centred on 0, stored as value + 64; two types make theirs without the stereo look.
TEfxParam Pan(std::string label, int param, bool stereo = true) {
    TEfxParam row = Row(std::move(label), TEfxControl::Slider, param, Bias(64));
    row.Min = -64;
    row.Max = 63;
    row.Stereo = stereo;
    return row;
}

// A field of a kind with its own range; the code is the byte.
TEfxParam Field(std::string label, TEditType kind, int param, int box = 60) {
    TEfxParam row = Row(std::move(label), TEfxControl::Field, param, Code);
    row.EditType = kind;
    row.BoxWidth = box;
    return row;
}

// A field of one of the MinMax kinds, with its range, step and rule.
TEfxParam Ranged(std::string label, TEditType kind, int min, int max, int step, int param,
                 TCoding coding, int box = 60) {
    TEfxParam row = Field(std::move(label), kind, param, box);
    row.Coding = coding;
    row.Min = min;
    row.Max = max;
    row.Step = step;
    return row;
}

TEfxParam List(std::string label, TItems items, int param) {
    TEfxParam row = Row(std::move(label), TEfxControl::List, param, Index);
    row.Items = std::move(items);
    return row;
}

TEfxParam Gain(std::string label, int param) {
    return Ranged(std::move(label), TEditType::MinMaxDB, -15, 15, 1, param, Bias(15));
}

// −98..+98 % in steps of 2, stored as (value + 98) / 2: 0..98.
TEfxParam Feedback(std::string label, int param, int box = 55) {
    return Ranged(std::move(label), TEditType::MinMaxPerc, -98, 98, 2, param, Scaled(2, 98), box);
}

// 0..180 degrees in steps of 2, stored as value / 2.
TEfxParam Phase(std::string label, int param) {
    return Ranged(std::move(label), TEditType::MinMax, 0, 180, 2, param, Scaled(2, 0));
}

TEfxParam Balance(std::string label, int param) {
    return Field(std::move(label), TEditType::Balance, param, 70);
}

TEfxParam Rate(std::string label, int param) {
    return Field(std::move(label), TEditType::Int005M10HZ, param, 64);
}

TEfxParam Coarse(std::string label, int param) {
    return Ranged(std::move(label), TEditType::MinMaxS, -24, 12, 1, param, Bias(24));
}

// −100..+100 cents in steps of 2, stored as (value + 100) / 2.
TEfxParam Fine(std::string label, int param) {
    return Ranged(std::move(label), TEditType::MinMaxS, -100, 100, 2, param, TwiceLess100);
}

// A choice 1..5 stored as 0..4.
TEfxParam OneToFive(std::string label, int param) {
    return Ranged(std::move(label), TEditType::MinMax, 1, 5, 1, param, Bias(-1));
}

TEfxParam Accel(std::string label, int param) {
    return Ranged(std::move(label), TEditType::MinMax, 0, 15, 1, param, Code);
}

TEfxParam HFDamp(int param) {
    return Field("HF Damp", TEditType::Int200M8000HZBP, param);
}

// 5..500 ms in steps of 5 has a hundred values: stored as value / 5 − 1 (0..99), so that no
// byte reaches 80H, and shown as (byte + 1) · 5.
TEfxParam GateTime(int param) {
    return Ranged("Gate Time", TEditType::MinMax, 5, 500, 5, param, Scaled(5, -5));
}

const TItems AmpTypes = {"Small", "Built-In", "2-Stack", "3-Stack"};
const TItems PostGains = {"x1", "x2", "x4", "x8"};
const TItems FilterTypes = {"Off", "LPF", "BPF"};
const TItems NormalCross = {"Normal", "Cross"};
const TItems NormalInvert = {"Normal", "Invert"};

using TEditType::Int005M10HZNote;
using TEditType::Int05M90;
using TEditType::Int0M100ms;
using TEditType::Int0M500ms;
using TEditType::Int100M8000HZ;
using TEditType::Int200M1000ms;
using TEditType::Int200M1000msNote;
using TEditType::Int200M8000HZ;

// Overdrive or distortion alone: the same six controls.
std::vector<TEfxParam> DriveParams() {
    return {Slider("Drive", 1),
            Slider("Level", 6),
            Gain("Low Gain ", 4),
            Gain("Hi Gain ", 5),
            List("Amp Type", AmpTypes, 3),
            Pan("Pan", 2)};
}

// Overdrive or distortion into a chorus, a flanger (feedback) or a delay.
std::vector<TEfxParam> DriveChorusParams() {
    return {Slider("Drive", 1), Pan("Pan", 2),      Field("Pre Delay", Int0M500ms, 3),
            Rate("Rate", 4),    Slider("Depth", 5), Balance("Balance", 7),
            Slider("Level", 8)};
}
std::vector<TEfxParam> DriveFlangerParams() {
    return {Slider("Drive", 1),    Pan("Pan", 2),      Field("Pre Delay", Int0M500ms, 3),
            Rate("Rate", 4),       Slider("Depth", 5), Feedback("Feedback", 6),
            Balance("Balance", 7), Slider("Level", 8)};
}
std::vector<TEfxParam> DriveDelayParams() {
    return {Slider("Drive", 1),      Pan("Pan", 2), Field("Delay", Int0M500ms, 3),
            Feedback("Feedback", 4), HFDamp(5),     Balance("Balance", 6),
            Slider("Level", 7)};
}

std::vector<TEfxType> MakeTypes() {
    std::vector<TEfxType> types = {
        {1,
         "  1 : Stereo Equalizer",
         "Level",
         "----------",
         {List("Low Freq", {"200 Hz", "400 Hz"}, 1), Gain("Low Gain ", 2),
          List("Hi Freq", {"4 Khz", "8 Khz"}, 3), Gain("Hi Gain ", 4),
          Field("P1 Freq", Int200M8000HZ, 5), Field("P1 Q", Int05M90, 6), Gain("P1 Gain ", 7),
          Field("P2 Freq", Int200M8000HZ, 8), Field("P2 Q", Int05M90, 9), Gain("P2 Gain ", 10),
          Slider("Level Output", 11)}},
        {2, "  2 : Overdrive", "Drive", "Pan", DriveParams()},
        {3, "  3 : Distorsion", "Drive", "Pan", DriveParams()},
        {4,
         "  4 : Phaser",
         "Manual",
         "Rate",
         {Field("Manual", Int100M8000HZ, 1, 66), Rate("Rate", 2), Slider("Depth", 3),
          Slider("Resonance", 4), Slider("Mix Level", 5), Pan("Pan", 6), Slider("Level", 7)}},
        {5,
         "  5 : Spectrum",
         "Pan",
         "Level",
         {Gain("Band 1", 1), Gain("Band 2", 2), Gain("Band 3", 3), Gain("Band 4", 4),
          Gain("Band 5", 5), Gain("Band 6", 6), Gain("Band 7", 7), Gain("Band 8", 8),
          OneToFive("Width ", 9), Pan("Pan", 10), Slider("Level", 11)}},
        {6,
         "  6 : Enhancer",
         "Sens",
         "Mix",
         {Slider("Sens", 1), Slider("Mix Level", 2), Gain("Low Gain", 3), Gain("Hi Gain", 4),
          Slider("Level", 5)}},
        {7,
         "  7 : Auto-Waw",
         "Rate",
         "Manual",
         {List("Filter Type", {"LPF", "BPF"}, 1), Slider("Sens", 4), Slider("Manual", 5),
          Slider("Peak", 6), Rate("Rate", 2), Slider("Depth", 3), Slider("Level", 7)}},
        {8,
         "  8 : Rotary",
         "Speed",
         "Level",
         {Rate("Low Slow", 2), Rate("Low Fast", 4), Accel("Low Accel", 7), Slider("Low Level", 9),
          Rate("Hi Slow Rate", 1), Rate("Hi Fast Rate", 3), Accel("Hi Accel", 6),
          Slider("Hi Level", 8), Slider("Separation", 10), List("Speed", {"Slow", "Fast"}, 5),
          Slider("Level", 11)}},
        {9,
         "  9 : Compressor",
         "Pan",
         "Level",
         {Slider("Attack", 2), Slider("Sustain", 1), List("Post Gain", PostGains, 4),
          Gain("Low Gain", 5), Gain("Hi Gain", 6), Pan("Pan", 3, false), Slider("Level", 7)}},
        {10,
         "10 : Limiter",
         "Pan",
         "Level",
         {Slider("Threshold", 1), List("Ratio", {"1.5:1", "2:1", "4:1", "100:1"}, 3),
          Slider("Release", 2), List("Post Gain", PostGains, 5), Gain("Low Gain", 6),
          Gain("Hi Gain", 7), Pan("Pan", 4, false), Slider("Level", 8)}},
        {11,
         "11 : Hexa-Chorus",
         "Rate",
         "Balance",
         {Field("Pre Delay", Int0M100ms, 1), Rate("Rate", 2), Slider("Depth", 3),
          Ranged("Dly Dev", TEditType::MinMax, 0, 20, 1, 4, Code),
          Ranged("Dpt Dev", TEditType::MinMaxS, -20, 20, 1, 5, Bias(20)),
          Ranged("Pan Dev", TEditType::MinMax, 0, 20, 1, 6, Code), Balance("Balance", 7),
          Slider("Level", 8)}},
        {12,
         "12 : Tremolo-Chorus",
         "Trm Rate",
         "Balance",
         {Field("Pre Delay", Int0M100ms, 1), Rate("Chorus Rate", 2), Slider("Chorus Depth", 3),
          Phase("Phase", 6), Rate("Tremolo Rate", 4), Slider("Tremolo Sep", 5),
          Balance("Balance", 7), Slider("Level", 8)}},
        {13,
         "13 : Space-D",
         "Rate",
         "Balance",
         {Field("Pre Delay", Int0M100ms, 1), Rate("Chorus Rate", 2), Slider("Chorus Depth", 3),
          Phase("Phase", 6), Gain("Low Gain", 4), Gain("Hi Gain", 5), Balance("Balance", 7),
          Slider("Level", 8)}},
        {14,
         "14 : Stereo-Chorus",
         "Rate",
         "Balance",
         {Field("Pre Delay", Int0M100ms, 3), Rate("Chorus Rate", 4), Slider("Chorus Depth", 5),
          Phase("Phase", 6), List("Filter Type", FilterTypes, 1), Field("Cutoff", Int200M8000HZ, 2),
          Gain("Low Gain", 8), Gain("Hi Gain", 9), Balance("Balance", 10), Slider("Level", 11)}},
        {15,
         "15 : Stereo-Flanger",
         "Rate",
         "Feedback",
         {Field("Pre Delay", Int0M100ms, 3), Rate("LFO Rate", 4), Slider("LFO Depth", 5),
          Feedback("Feedback", 7), Phase("Phase", 6), List("Filter Type", FilterTypes, 1),
          Field("Cutoff", Int200M8000HZ, 2), Gain("Low Gain", 8), Gain("Hi Gain", 9),
          Balance("Balance", 10), Slider("Level", 11)}},
        {16,
         "16 : Step-Flanger",
         "Step Rate",
         "Feedback",
         {Field("Pre Delay", Int0M100ms, 1), Rate("LFO Rate", 2), Slider("LFO Depth", 3),
          Feedback("Feedback", 4, 60), Phase("Phase", 6),
          Field("Step Rate", Int005M10HZNote, 5, 64), Gain("Low Gain", 7), Gain("Hi Gain", 8),
          Balance("Balance", 9), Slider("Level", 10)}},
        {17,
         "17 : Stereo-Delay",
         "Feedback",
         "Balance",
         {Field("Delay L", Int0M500ms, 2), Field("Delay R", Int0M500ms, 3), Feedback("Feedback", 6),
          List("FeedBack Mode", NormalCross, 1), List("Phase L", NormalInvert, 4),
          List("Phase R", NormalInvert, 5), HFDamp(7), Gain("Low Gain", 8), Gain("Hi Gain", 9),
          Balance("Balance", 10), Slider("Level", 11)}},
        {18,
         "18 : Modulation-Delay",
         "Rate",
         "Balance",
         {Field("Delay L", Int0M500ms, 2), Field("Delay R", Int0M500ms, 3), Feedback("Feedback", 4),
          List("FeedBack Mode", NormalCross, 1), Rate("Rate", 6), Slider("Depth", 7),
          Phase("Phase", 8), HFDamp(5), Gain("Low Gain", 9), Gain("Hi Gain", 10),
          Balance("Balance", 11), Slider("Level", 12)}},
        {19,
         "19 : Triple-Tap-Delay",
         "FeedBack",
         "Balance",
         {Field("Delay C", Int200M1000msNote, 3), Field("Delay L", Int200M1000msNote, 1),
          Field("Delay R", Int200M1000msNote, 2), Feedback("Feedback", 4), Slider("Level C", 8),
          Slider("Level L", 6), Slider("Level R", 7), HFDamp(5), Gain("Low Gain", 9),
          Gain("Hi Gain", 10), Balance("Balance", 11), Slider("Level", 12)}},
        {20,
         "20 : Quadruple-Tap-Delay",
         "Feedback",
         "Balance",
         {Field("Delay 1", Int200M1000msNote, 1), Field("Delay 2", Int200M1000msNote, 2),
          Field("Delay 3", Int200M1000msNote, 3), Field("Delay 4", Int200M1000msNote, 4),
          Slider("Level 1", 5), Slider("Level 2", 6), Slider("Level 3", 7), Slider("Level 4", 8),
          Feedback("Feedback", 9), HFDamp(10), Balance("Balance", 11), Slider("Level", 12)}},
        {21,
         "21 : Time-Control-delay",
         "Delay",
         "Feedback",
         {Field("Delay", Int200M1000ms, 1), Accel("Accel", 3), Feedback("Feedback", 2),
          Pan("Pan", 5), HFDamp(4), Gain("Low Gain", 6), Gain("Hi Gain", 7), Balance("Balance", 8),
          Slider("Level", 9)}},
        {22,
         "22 : Voice-Pitch-Shifter",
         "Coarse A",
         "Coarse B",
         {Coarse("Coarse A", 2), Fine("Fine A", 4), Pan("Pan A", 8),
          Field("Pre Delay A", Int0M500ms, 6), Coarse("Coarse B", 3), Fine("Fine B", 5),
          Pan("Pan B", 9), Field("Pre Delay B", Int0M500ms, 7), OneToFive("Mode", 1),
          Field("Level Bal", TEditType::BalanceL, 10, 70), Balance("Balance", 11),
          Slider("Level", 12)}},
        {23,
         "23 : FBK-Pitch-Shifter",
         "Coarse",
         "Feedback",
         {Coarse("Coarse", 2), Fine("Fine", 3), Pan("Pan", 6), Field("Pre Delay", Int0M500ms, 4),
          OneToFive("Mode", 1), Feedback("Feedback", 5), Gain("Low Gain", 7), Gain("Hi Gain", 8),
          Balance("Balance", 9), Slider("Level", 10)}},
        {24,
         "24 : Reverb",
         "Time",
         "Balance",
         {List("Rverb Type", {"Room 1", "Room 2", "Stage 1", "Stage2", "Hall 1", "Hall 2"}, 1),
          Field("Pre Delay", Int0M500ms, 2), Slider("Time", 3), HFDamp(4), Gain("Low Gain", 5),
          Gain("Hi Gain", 6), Balance("Balance", 7), Slider("Level", 8)}},
        {25,
         "25 : Gate-Reverb",
         "Balance",
         "Level",
         {List("Rverb Type", {"Normal", "Revers", "Sweep1", "Sweep2"}, 1),
          Field("Pre Delay", Int0M500ms, 2), GateTime(3), Gain("Low Gain", 4), Gain("Hi Gain", 5),
          Balance("Balance", 6), Slider("Level", 7)}},
        {26, "26 : Overdrive -> Chorus", "Pan", "Balance", DriveChorusParams()},
        {27, "27 : Overdrive -> Flanger", "Pan", "Balance", DriveFlangerParams()},
        {28, "28 : Overdrive -> Delay", "Pan", "Balance", DriveDelayParams()},
        {29, "29 : Distorsion -> Chorus", "Pan", "Balance", DriveChorusParams()},
        {30, "30 : Distorsion -> Flanger", "Pan", "Balance", DriveFlangerParams()},
        {31, "31 : Distorsion -> Delay", "Pan", "Balance", DriveDelayParams()},
        {32,
         "32 : Enhancer -> Chorus",
         "Sens",
         "Balance",
         {Slider("Sens", 1), Slider("Mix", 2), Field("Pre Delay", Int0M100ms, 3), Rate("Rate", 4),
          Slider("Depth", 5), Balance("Balance", 7), Slider("Level", 8)}},
        {33,
         "33 : Enhancer -> Flanger",
         "Sens",
         "Balance",
         {Slider("Sens", 1), Slider("Mix", 2), Field("Pre Delay", Int0M500ms, 3), Rate("Rate", 4),
          Slider("Depth", 5), Feedback("Feedback", 6), Balance("Balance", 7), Slider("Level", 8)}},
        {34,
         "34 : Enhancer -> Delay",
         "Sens",
         "Balance",
         {Slider("Sens", 1), Slider("Mix", 2), Field("Delay", Int0M500ms, 3),
          Feedback("Feedback", 4), HFDamp(5), Balance("Balance", 7), Slider("Level", 8)}},
        {35,
         "35 : Chorus -> Delay",
         "Cho Balance",
         "Dly Balance",
         {Field("Delay", Int0M100ms, 1), Rate("Chorus Rate", 2), Slider("Chorus Depth", 3),
          Balance("Chorus Balance", 5), Field("Delay", Int0M500ms, 6), Feedback("Dly Feedback", 7),
          HFDamp(8), Balance("Dly Balance", 9), Slider("Level", 10)}},
        {36,
         "36 : Flanger -> Delay",
         "Flg Balance",
         "Dly Balance",
         {Field("Flg Pre Dly", Int0M100ms, 1), Rate("Flg Rate", 2), Slider("Flg Depth", 3),
          Feedback("Flg Feedback", 4), Balance("Flg Balance", 5), Field("Delay", Int0M500ms, 6),
          Feedback("Dly Feedback", 7), HFDamp(8), Balance("Dly Balance", 9), Slider("Level", 10)}},
        {37,
         "37 : Chorus -> Flanger",
         "Cho Balance",
         "Flg Balance",
         {Field("Cho Pre Dly", Int0M100ms, 1), Rate("Cho Rate", 2), Slider("Cho Depth", 3),
          Balance("Cho Bal", 4), Field("Flg Pre Dly", Int0M100ms, 5), Rate("Flg Rate", 6),
          Slider("Flg Depth", 7), Feedback("Flg Feedback", 8), Balance("Flg Balance", 9),
          Slider("Level", 10)}},
        {38,
         "38 : Chorus / Delay",
         "Cho Balance",
         "Dly Balance",
         {Field("Delay", Int0M100ms, 1), Rate("Chorus Rate", 2), Slider("Chorus Depth", 3),
          Balance("Chorus Balance", 5), Field("Delay", Int0M500ms, 6), Feedback("Dly Feedback", 7),
          HFDamp(8), Balance("Dly Balance", 9), Slider("Level", 10)}},
        // The list has always numbered this item 38; its type number is 39.
        {39,
         "38 : Flanger / Delay",
         "Flg Balance",
         "Dly Balance",
         {Field("Flg Pre Dly", Int0M100ms, 1), Rate("Flg Rate", 2), Slider("Flg Depth", 3),
          Feedback("Flg Feedback", 4), Balance("Flg Balance", 5), Field("Delay", Int0M500ms, 6),
          Feedback("Dly Feedback", 7), HFDamp(8), Balance("Dly Balance", 9), Slider("Level", 10)}},
        {40,
         "40 : Chorus / Flanger",
         "Cho Balance",
         "Flg Balance",
         {Field("Cho Pre Dly", Int0M100ms, 1), Rate("Cho Rate", 2), Slider("Cho Depth", 3),
          Balance("Cho Bal", 4), Field("Flg Pre Dly", Int0M100ms, 5), Rate("Flg Rate", 6),
          Slider("Flg Depth", 7), Feedback("Flg Feedback", 8), Balance("Flg Balance", 9),
          Slider("Level", 10)}},
    };
    return types;
}

} // namespace

int TEfxParam::Lowest() const {
    switch (Control) {
    case TEfxControl::Field:
        return controls::GetMinCode(EditType, Min);
    case TEfxControl::List:
        return 0;
    case TEfxControl::Slider:
        break;
    }
    return Min;
}

int TEfxParam::Highest() const {
    switch (Control) {
    case TEfxControl::Field:
        return controls::GetMaxCode(EditType, Max);
    case TEfxControl::List:
        return static_cast<int>(Items.size()) - 1;
    case TEfxControl::Slider:
        break;
    }
    return Max;
}

const TEfxParam* TEfxType::AtPos(int pos) const {
    if (pos < 1 || pos > static_cast<int>(Params.size())) return nullptr;
    return &Params[static_cast<std::size_t>(pos - 1)];
}

const std::vector<TEfxType>& EfxTypes() {
    static const std::vector<TEfxType> types = MakeTypes();
    return types;
}

const TEfxType* EfxType(int number) {
    if (number < 1 || number > EfxTypeCount) return nullptr;
    return &EfxTypes()[static_cast<std::size_t>(number - 1)];
}

std::vector<std::string> EfxTypeListItems() {
    std::vector<std::string> items;
    for (const TEfxType& type : EfxTypes())
        items.push_back(type.Name);
    return items;
}

} // namespace editors
