// The name fetch from the main window's names command, against the simulated instrument: 20
// paced steps of 16 requests, a missing card skipped, the question of a silent user step and its
// Retry, what is not a name ignored, the file it writes and the names window reading it again,
// a press on Cancel that waits while the requests go out, and closed ports.

#include "app/form_names.h"
#include "app/form_update_names.h"
#include "app/tests/main_window_fixture.h"
#include "model/files/name_lists.h"
#include "model/sysex/address_map.h"
#include "testsupport/win/input_driver.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace app::test {

namespace {

using testsupport::Bytes;
using testsupport::SimFaults;
using testsupport::SimInstrument;

constexpr std::uint8_t Device = 0x10;

// The instrument's name of element n (0-based) of a memory, 12 bytes.
std::string NameIn(const char* prefix, int n) {
    std::string name = prefix + std::to_string(n + 1);
    name.resize(12, ' ');
    return name;
}

Bytes NameBytes(const std::string& name) {
    return {name.begin(), name.end()};
}

std::uint32_t Element(std::uint32_t base, int n) {
    return base + static_cast<std::uint32_t>(n) * model::ElementStep;
}

// The message boxes' questions written down; each is answered by the next of the test's
// answers, after the test's action for it.
class ScriptedDialogs : public RecordingDialogs {
public:
    model::TModalResult MessageDlg(const std::string& text, model::TMsgDlgType type,
                                   model::TMsgDlgButtons buttons) override {
        RecordingDialogs::MessageDlg(text, type, buttons);
        if (onQuestion) onQuestion();
        return answer;
    }
    std::function<void()> onQuestion;
};

class FormUpdateNamesTest : public MainWindowTest {
protected:
    FormUpdateNamesTest() {
        model::SetDialogs(&scripted);
        state.Config.InPort = 0;
        state.Config.OutPort = 0;
        state.Midi.Create();
        for (int n = 0; n < model::PerformancesPerMemory; ++n) {
            instrument().Write(Element(model::PerformanceUserBase, n),
                               NameBytes(NameIn("UPerf ", n)));
            instrument().Write(Element(model::PerformanceCardBase, n),
                               NameBytes(NameIn("CPerf ", n)));
        }
        for (int n = 0; n < model::PatchesPerMemory; ++n) {
            instrument().Write(Element(model::PatchUserBase, n), NameBytes(NameIn("UPatch ", n)));
            instrument().Write(Element(model::PatchCardBase, n), NameBytes(NameIn("CPatch ", n)));
        }
    }
    ~FormUpdateNamesTest() override { model::SetDialogs(nullptr); }

    // The names command, as the user gives it; the steps run while the fetch stands.
    void FetchNames() { main.SetPatchAndPerf.Click(); }

    std::vector<std::string> List(model::TUserCardList which) const {
        const auto& list = fetch.Names().List(which);
        return {list.begin(), list.end()};
    }
    static std::vector<std::string> Names(const char* prefix, int count) {
        std::vector<std::string> names;
        for (int n = 0; n < count; ++n)
            names.push_back(NameIn(prefix, n));
        return names;
    }
    std::string UserCardFile() const {
        std::ifstream in(std::filesystem::path(model::NameListPath(model::UserCardFileName)),
                         std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Data requests the instrument received.
    int Requests() {
        int count = 0;
        for (const Bytes& m : instrument().Received())
            if (m.size() > 4 && m[4] == SimInstrument::DataRequest) ++count;
        return count;
    }
    // The name file the fetch writes when there is no card.
    static std::string NoCardFile() {
        std::string text = "\xC7\r\n";
        for (const std::string& name : Names("UPerf ", model::PerformancesPerMemory))
            text += name + "\r\n";
        text += "\xC7\r\n";
        for (const std::string& name : Names("UPatch ", model::PatchesPerMemory))
            text += name + "\r\n";
        return text + "\xC7\r\n\xC7\r\n";
    }

    ScriptedDialogs scripted;
    TFormNames& names = MakeForm<TFormNames>();
    TFormUpdateNames& fetch = MakeForm<TFormUpdateNames>();
};

TEST_F(FormUpdateNamesTest, WithoutACardTheFetchRunsAllStepsAndKeepsTheCardListsEmpty) {
    Bytes otherModel =
        SimInstrument::MakeDataSet(Device, model::PerformanceUserBase, NameBytes(NameIn("X", 0)));
    otherModel[3] = 0x16;
    const struct {
        const char* name;
        bool strayEvents;
        // A message that comes in mid-fetch, during the user performances.
        Bytes midFetch;
    } cases[] = {
        {"no card", false, {}},
        {"a note, a controller and a note off ahead of every reply", true, {}},
        {"a data set of the instrument too short to hold a name", false,
         SimInstrument::MakeDataSet(Device, model::PerformanceUserBase, NameBytes("Short"))},
        {"a data set of another model", false, otherModel},
        {"another maker's message", false, {0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7}},
        {"a short message", false, {0x90, 0x3C, 0x40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimFaults faults;
        faults.NoCard = true;
        faults.StrayEvents = c.strayEvents;
        instrument().SetFaults(faults);
        scripted.messages.clear();
        const int requestsBefore = Requests();
        std::string label;
        int gauge = -1;
        After(3500, [&] {
            label = fetch.Label1.Caption();
            gauge = fetch.Gauge1.Progress();
            EXPECT_TRUE(
                testsupport::SaveWindowPng(fetch.Handle(), (folder / "update_names.png").string()));
            if (!c.midFetch.empty()) instrument().Transmit(c.midFetch);
        });
        FetchNames();

        EXPECT_FALSE(fetch.Visible());
        EXPECT_EQ(fetch.Step(), TFormUpdateNames::StepCount - 1);
        EXPECT_EQ(fetch.MessageCount(), TFormUpdateNames::NameCount);
        EXPECT_EQ(Requests() - requestsBefore, 320);
        EXPECT_TRUE(scripted.messages.empty());
        // Two card steps of 1600 ms each, then the user performances.
        EXPECT_EQ(label, "Now Receving User Performance Names");
        EXPECT_EQ(gauge, 10);
        EXPECT_TRUE(List(model::TUserCardList::CardPerformances).empty());
        EXPECT_TRUE(List(model::TUserCardList::CardPatches).empty());
        EXPECT_EQ(List(model::TUserCardList::UserPerformances),
                  Names("UPerf ", model::PerformancesPerMemory));
        EXPECT_EQ(List(model::TUserCardList::UserPatches),
                  Names("UPatch ", model::PatchesPerMemory));
        EXPECT_EQ(UserCardFile(), NoCardFile());
        // The names window read the file again: the user lists follow the shipped ones.
        EXPECT_EQ(names.List(59).Count(), 0);
        EXPECT_EQ(editors::NameOf(60, 31), NameIn("UPerf ", 31));
        EXPECT_EQ(editors::NameOf(61, 0), NameIn("UPatch ", 0));
        EXPECT_EQ(names.List(62).Count(), 0);
        // The default handler has the input again.
        ASSERT_NE(state.Midi.Input(), nullptr);
        EXPECT_TRUE(static_cast<bool>(state.Midi.Input()->OnMidiInput));
    }
}

TEST_F(FormUpdateNamesTest, RetryAfterTenNamesOfAUserStepHoldsEachNameOnce) {
    SimFaults faults;
    faults.NoCard = true;
    // The user performances 11 to 16 do not answer the first time.
    for (int n = 10; n < 16; ++n)
        faults.Unanswered.insert(Element(model::PerformanceUserBase, n));
    instrument().SetFaults(faults);
    int inStep = -1;
    bool inputTaken = false;
    scripted.answer = model::mrRetry;
    scripted.onQuestion = [&] {
        inStep =
            static_cast<int>(fetch.Names().List(model::TUserCardList::UserPerformances).Count());
        inputTaken = !state.Midi.Input()->OnMidiInput;
        SimFaults answering;
        answering.NoCard = true;
        instrument().SetFaults(answering);
    };
    FetchNames();

    EXPECT_EQ(scripted.messages, std::vector<std::string>{"The Instrument Is Not Responding."});
    EXPECT_EQ(inStep, 10);
    EXPECT_TRUE(inputTaken);
    EXPECT_EQ(List(model::TUserCardList::UserPerformances),
              Names("UPerf ", model::PerformancesPerMemory));
    EXPECT_EQ(fetch.MessageCount(), TFormUpdateNames::NameCount);
    EXPECT_EQ(UserCardFile(), NoCardFile());
}

// The gauge shows the names received before the last one, in percent of all 320: a half goes
// to the even percent.
TEST_F(FormUpdateNamesTest, TheGaugeRoundsAHalfToTheEvenPercent) {
    const struct {
        int firstUnanswered; // of the user performances, 0-based; the rest of its step is silent
        int gauge;
    } cases[] = {
        {9, 12},  // 40 of 320: 12.5
        {25, 18}, // 56 of 320: 17.5
        {10, 13}, // 41 of 320: 12.8
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstUnanswered);
        SimFaults faults;
        faults.NoCard = true;
        for (int n = c.firstUnanswered; n < (c.firstUnanswered / 16 + 1) * 16; ++n)
            faults.Unanswered.insert(Element(model::PerformanceUserBase, n));
        instrument().SetFaults(faults);
        int gauge = -1;
        scripted.answer = model::mrOk;
        scripted.onQuestion = [&] { gauge = fetch.Gauge1.Progress(); };
        FetchNames();
        EXPECT_EQ(gauge, c.gauge);
    }
}

TEST_F(FormUpdateNamesTest, OKOnTheQuestionEndsTheFetchAndGivesTheInputBack) {
    SimFaults faults;
    faults.Silent = true;
    instrument().SetFaults(faults);
    scripted.answer = model::mrOk;
    FetchNames();
    EXPECT_EQ(scripted.messages, std::vector<std::string>{"The Instrument Is Not Responding."});
    EXPECT_FALSE(fetch.Visible());
    EXPECT_EQ(fetch.Step(), 2);
    EXPECT_EQ(Requests(), 48);
    EXPECT_TRUE(static_cast<bool>(state.Midi.Input()->OnMidiInput));
    EXPECT_FALSE(std::filesystem::exists(model::NameListPath(model::UserCardFileName)));
}

TEST_F(FormUpdateNamesTest, ACardStepThatFallsSilentPartWayKeepsItsPlacesWithBlankNames) {
    SimFaults faults;
    for (int n = 5; n < 16; ++n)
        faults.Unanswered.insert(Element(model::PerformanceCardBase, n));
    instrument().SetFaults(faults);
    FetchNames();

    std::vector<std::string> expected = Names("CPerf ", 5);
    expected.resize(16, std::string(12, ' '));
    for (int n = 16; n < model::PerformancesPerMemory; ++n)
        expected.push_back(NameIn("CPerf ", n));
    EXPECT_EQ(List(model::TUserCardList::CardPerformances), expected);
    EXPECT_EQ(List(model::TUserCardList::CardPatches), Names("CPatch ", model::PatchesPerMemory));
    EXPECT_TRUE(scripted.messages.empty());
    EXPECT_EQ(editors::NameOf(59, 16), NameIn("CPerf ", 16));
}

TEST_F(FormUpdateNamesTest, APressOnCancelWaitingWhileTheRequestsGoOutStopsTheFetch) {
    // The first step is answered at once; the second step's 800 ms of requests start when its
    // last name has come, at 800 ms. Meanwhile its 16 names come, and the user presses Cancel.
    SimFaults faults;
    for (int n = 16; n < model::PerformancesPerMemory; ++n)
        faults.Unanswered.insert(Element(model::PerformanceCardBase, n));
    instrument().SetFaults(faults);
    After(900, [&] {
        for (int n = 16; n < model::PerformancesPerMemory; ++n)
            instrument().Transmit(SimInstrument::MakeDataSet(
                Device, Element(model::PerformanceCardBase, n), NameBytes(NameIn("CPerf ", n))));
    });
    After(1000, [&] {
        driver.HoldDispatch = true;
        driver.Press(fetch.cancelBtn.ClientToScreen({10, 10}));
    });
    FetchNames();
    driver.HoldDispatch = false;
    driver.Release(fetch.cancelBtn.ClientToScreen({10, 10}));
    Run(100);

    EXPECT_FALSE(fetch.Visible());
    EXPECT_EQ(fetch.Step(), 2);
    EXPECT_EQ(List(model::TUserCardList::CardPerformances),
              Names("CPerf ", model::PerformancesPerMemory));
    // The third step sent nothing.
    EXPECT_EQ(Requests(), 32);
    EXPECT_TRUE(scripted.messages.empty());
    EXPECT_TRUE(static_cast<bool>(state.Midi.Input()->OnMidiInput));
}

TEST_F(FormUpdateNamesTest, WithThePortsClosedNothingIsSentAndTheWindowStaysUntilCancel) {
    state.Midi.CloseDevs();
    state.Midi.SetOnline(false);
    bool shown = false;
    After(5000, [&] {
        shown = fetch.Visible();
        Click(fetch.cancelBtn);
    });
    FetchNames();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(fetch.Visible());
    EXPECT_EQ(fetch.ModalResult(), forms::mrCancel);
    EXPECT_TRUE(instrument().Received().empty());
    EXPECT_TRUE(scripted.messages.empty());
    EXPECT_EQ(fetch.Label1.Caption(), "Receiving");
}

} // namespace

} // namespace app::test
