// The system setup page: the panel mode with the General MIDI off message, the patch and the
// performance by name list, bank select numbers as two bytes in one message, one undo list per
// notebook page, transpose and octave shift kept in 7 bits, and groups without a name list.

#include "editors/form_sys_setup.h"
#include "editors/names_window.h"
#include "editors/tests/system_fixture.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>

namespace editors::test {
namespace {

const Bytes GeneralMidiOff{0xF0, 0x7E, 0x7F, 0x09, 0x02, 0xF7};

// A names window with short lists, each entry named by its list; its chooser answers what the
// test tells it to.
class ListNames final : public TNamesWindow {
public:
    ListNames() {
        for (int list : {37, 57, 58, 59, 60, 61, 62})
            for (int n = 0; n < 8; ++n)
                lists_[list].Add("L" + std::to_string(list) + " " + std::to_string(n));
    }
    const platform::core::TStringList& List(int type) const override {
        const auto found = lists_.find(type);
        return found != lists_.end() ? found->second : empty_;
    }
    int Choose(int type, int chosen) override {
        shownType = type;
        return answer >= 0 ? answer : chosen;
    }

    int answer = -1;
    int shownType = -1;

private:
    std::map<int, platform::core::TStringList> lists_;
    platform::core::TStringList empty_;
};

class SetupPageTest : public SystemTest {
protected:
    SetupPageTest() { SetNamesWindow(&names); }
    ~SetupPageTest() override { SetNamesWindow(nullptr); }

    TFormSysSetup& Open() { return OpenPage<TFormSysSetup>(); }
    void Pick(platform::forms::TComboBox& list, int item) {
        Click(list);
        ASSERT_TRUE(list.DroppedDown());
        const platform::forms::TPoint row =
            list.ClientToScreen({20, list.Height() + 1 + item * list.ItemHeight + 6});
        driver.MoveTo(row);
        driver.Click(row);
    }
    void Turn(TFormSysSetup& page, int pageIndex) {
        page.Tabbed.SetPageIndex(pageIndex);
        testsupport::PumpUntilIdle();
    }

    ListNames names;
};

TEST_F(SetupPageTest, ShowsTheSetupOnThreeNotebookPages) {
    system.SetName("Studio", false);
    TFormSysSetup& page = Open();
    EXPECT_EQ(page.Caption(), "Studio [Setup] [Loc : " + model::ElemPath(system) + "]");
    EXPECT_EQ(page.HelpContext, 61);
    EXPECT_EQ(page.Width(), 493);
    EXPECT_EQ(page.Height(), 348);
    EXPECT_EQ(page.Tabbed.PageCount(), 3);
    EXPECT_EQ(page.Tabbed.PageIndex(), 0);
    EXPECT_TRUE(system.SetupWindow.Open);
    // The defaults: patch mode, group User, patch 1.
    EXPECT_TRUE(page.Patch.Checked());
    EXPECT_EQ(page.PatchGroup.ItemIndex(), 0);
    EXPECT_EQ(page.PatchName.Text(), "L61 0");
    EXPECT_TRUE(page.PatchGroup.Enabled());
    EXPECT_FALSE(page.PerfGroup.Enabled());
    EXPECT_FALSE(page.BtnUndo.Enabled());
    SavePagePng(page, "setup_page1.png");
    Turn(page, 1);
    SavePagePng(page, "setup_page2.png");
    Turn(page, 2);
    SavePagePng(page, "setup_page3.png");
}

TEST_F(SetupPageTest, ChoosingGmLeavesGeneralMidiThenSendsTheModeAndDisablesTheChoosers) {
    TFormSysSetup& page = Open();
    Click(page.GM);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{GeneralMidiOff, DataSet(0x00, {0x02})}));
    for (platform::forms::TControl* control : std::initializer_list<platform::forms::TControl*>{
             &page.PatchName, &page.PatchGroup, &page.ButPatch, &page.PerfName, &page.PerfGroup,
             &page.ButPerf})
        EXPECT_FALSE(control->Enabled());

    Click(page.Performance);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{GeneralMidiOff, DataSet(0x00, {0x02}), GeneralMidiOff,
                                          DataSet(0x00, {0x00})}));
    EXPECT_TRUE(page.PerfGroup.Enabled());
    EXPECT_FALSE(page.PatchGroup.Enabled());

    // Undo of a panel mode leaves General MIDI first too.
    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{GeneralMidiOff, DataSet(0x00, {0x02})}));
}

TEST_F(SetupPageTest, ABankSelectNumberGoesAsItsTwoBytesInOneMessage) {
    TFormSysSetup& page = Open();
    Turn(page, 2);
    Click(*page.BankButton[2]); // SpeedButton4: bank group 3
    EXPECT_EQ(page.BankButton[2]->Name, "SpeedButton4");
    EXPECT_EQ(page.BankGroup(), 3);
    EXPECT_TRUE(Sent().empty());
    Enter(page.BankSel, 300);
    Enter(page.BankSel, 16383);
    EXPECT_EQ(Sent(),
              (std::vector<Bytes>{DataSet(0x44, {0x02, 0x2C}), DataSet(0x44, {0x7F, 0x7F})}));
    EXPECT_EQ(system.Common->GetParam(68), 0x7F);
    EXPECT_EQ(system.Common->GetParam(69), 0x7F);

    // Another group shows its own bytes and stores nothing.
    Mark();
    Click(*page.BankButton[0]);
    EXPECT_EQ(page.BankSel.Code(), 0);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(SetupPageTest, APatchGroupGoesAsTwoBytesThenTheNamedPatchAsFourAndUndoesInTwoSteps) {
    const std::uint8_t patch4[] = {0, 1, 0, 4};
    system.Common->SetParams(2, patch4);
    TFormSysSetup& page = Open();
    EXPECT_EQ(page.PatchNumber(), 4);
    EXPECT_EQ(page.PatchName.Text(), "L61 4");
    Pick(page.PatchGroup, 2); // "Preset A"
    EXPECT_EQ(page.PatchName.Text(), "L37 4");
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x02, {0x00, 0x03}),
                                          DataSet(0x02, {0x00, 0x03, 0x00, 0x04})}));
    Mark();
    Click(page.BtnUndo);
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x02, {0x00, 0x03, 0x00, 0x04}),
                                          DataSet(0x02, {0x00, 0x01})}));
    EXPECT_EQ(page.PatchGroup.ItemIndex(), 0);
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

TEST_F(SetupPageTest, APatchChosenByNameGoesWithItsGroup) {
    TFormSysSetup& page = Open();
    names.answer = 130;
    // The group goes as the record holds it (the defaults' id 0 shows as "User").
    Click(page.ButPatch);
    EXPECT_EQ(names.shownType, 61);
    // The list holds 8 names: a number past them shows none, but is the patch chosen.
    EXPECT_EQ(page.PatchName.Text(), "");
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x02, {0x00, 0x00, 0x08, 0x02})}));
}

TEST_F(SetupPageTest, PerformanceGroupsTakeTheUserAndCardListsInFileOrder) {
    const std::uint8_t performanceMode[] = {0, 5};
    system.Common->SetParams(0, performanceMode);
    TFormSysSetup& page = Open();
    EXPECT_EQ(page.PerfName.Text(), "L60 5");
    Pick(page.PerfGroup, 1); // "Card"
    EXPECT_EQ(page.PerfName.Text(), "L59 5");
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x01, {32 + 5})}));
    const struct {
        int group;
        int list;
    } cases[] = {{0, 60}, {1, 59}, {2, 57}, {3, 58}, {-1, 0}, {4, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TFormSysSetup::ListCodePerf(c.group), c.list) << c.group;
}

TEST_F(SetupPageTest, AnExpansionGroupWithNoBoardStaysOnThePreviousGroupAndStoresNothing) {
    state.Config.ExpA = 5;
    TFormSysSetup& page = Open();
    Pick(page.PatchGroup, 7); // "Expansion B": no board
    EXPECT_EQ(page.PatchGroup.ItemIndex(), 0);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(page.UndoList().Count(), 0u);
}

TEST_F(SetupPageTest, ListsOutsideTheKnownBoardsAndCardsGiveNoEntry) {
    const struct {
        std::int32_t board;
        std::int32_t card;
        int group;
        int list;
    } cases[] = {{5, 3, 6, 12}, {17, 8, 6, 36}, {5, 3, 10, 46}, {40, 3, 6, 0},
                 {5, 9, 10, 0}, {5, 0, 10, 0},  {0, 3, 6, 0},   {5, 3, -1, 0},
                 {5, 3, 11, 0}, {5, 3, 0, 61},  {5, 3, 1, 62},  {5, 3, 5, 40}};
    for (const auto& c : cases) {
        state.Config.ExpA = c.board;
        state.Config.PCMCard = c.card;
        EXPECT_EQ(TFormSysSetup::ListCode(c.group), c.list)
            << "board " << c.board << ", card " << c.card << ", group " << c.group;
    }
}

TEST_F(SetupPageTest, AnUnknownBoardShowsNoGroupNoNameKeepsTheBytesAndOffersNoChoice) {
    state.Config.ExpA = 5;
    const std::uint8_t unknownBoard[] = {2, 9, 0, 3};
    system.Common->SetParams(2, unknownBoard);
    const std::uint8_t farPerformance = 0x85; // from a file: beyond the four groups
    system.Common->Data()[1] = farPerformance;
    system.Common->Data()[0] = 0;
    // In the edit buffer already: the byte no message may carry is not sent on activation.
    state.CurrentSystem = &system;
    TFormSysSetup& page = Open();
    EXPECT_EQ(page.PatchGroup.ItemIndex(), -1);
    EXPECT_EQ(page.PatchName.Text(), "");
    EXPECT_EQ(page.PerfGroup.ItemIndex(), -1);
    EXPECT_EQ(page.PerfName.Text(), "");
    Click(page.ButPerf);
    system.Common->Data()[0] = 1;
    page.Updateview();
    Click(page.ButPatch);
    EXPECT_EQ(names.shownType, -1);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(system.Common->GetParam(1), farPerformance);
    EXPECT_EQ(system.Common->GetParam(3), 9);
    EXPECT_EQ(page.UndoList().Count(), 0u);
}

TEST_F(SetupPageTest, TransposeAndOctaveShiftAreSevenBitAndReadBackAsWritten) {
    TFormSysSetup& page = Open();
    Turn(page, 2);
    const struct {
        controls::TMyEdit* edit;
        std::size_t parameter;
        int value;
        std::uint8_t byte;
    } cases[] = {{&page.TransposeValue, 44, -5, 0}, {&page.TransposeValue, 44, 6, 11},
                 {&page.TransposeValue, 44, -1, 4}, {&page.TransposeValue, 44, 0, 5},
                 {&page.OctaveShift, 45, -3, 0},    {&page.OctaveShift, 45, 3, 6},
                 {&page.OctaveShift, 45, -1, 2},    {&page.OctaveShift, 45, 0, 3}};
    for (const auto& c : cases) {
        Enter(*c.edit, c.value);
        EXPECT_EQ(system.Common->GetParam(c.parameter), c.byte) << c.value;
        page.Updateview();
        EXPECT_EQ(c.edit->Code(), c.value);
    }
    EXPECT_EQ(page.TransposeValue.GetMinCode(), -5);
    EXPECT_EQ(page.TransposeValue.GetMaxCode(), 6);
    EXPECT_EQ(page.OctaveShift.GetMinCode(), -3);
    EXPECT_EQ(page.OctaveShift.GetMaxCode(), 3);
    for (const Bytes& message : Sent())
        for (std::size_t i = 1; i + 1 < message.size(); ++i)
            EXPECT_LT(message[i], 0x80);
}

TEST_F(SetupPageTest, ARadioPairOnAByteOfNeitherValueChecksNeitherAndStoresNothing) {
    system.Common->Data()[51] = 2;
    system.Common->Data()[0] = 3;
    TFormSysSetup& page = Open();
    EXPECT_FALSE(page.Pedal1Std.Checked());
    EXPECT_FALSE(page.Pedal1Rev.Checked());
    EXPECT_FALSE(page.Performance.Checked());
    EXPECT_FALSE(page.Patch.Checked());
    EXPECT_FALSE(page.GM.Checked());
    page.Updateview();
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(system.Common->GetParam(51), 2);
    EXPECT_EQ(system.Common->GetParam(0), 3);
    EXPECT_EQ(page.PageUndoList(0).Count() + page.PageUndoList(1).Count(), 0u);
    Turn(page, 1);
    Click(page.Pedal1Rev);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x33, {0x01})}));
}

TEST_F(SetupPageTest, AChangeOnOnePageIsUndoneOnlyFromThatPage) {
    TFormSysSetup& page = Open();
    Turn(page, 1);
    Enter(page.Pedal1, 20);
    EXPECT_TRUE(page.BtnUndo.Enabled());
    Turn(page, 0);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_FALSE(page.BtnRevert.Enabled());
    Mark();
    page.BtnUndoClick(&page.BtnUndo);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(system.Common->GetParam(49), 20);
    Turn(page, 1);
    EXPECT_TRUE(page.BtnUndo.Enabled());
    EXPECT_TRUE(page.BtnRevert.Enabled());
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x31, {0x00})}));
}

TEST_F(SetupPageTest, RevertOfThreeChangesOnPageThreeSendsTheWholeSystemOnce) {
    TFormSysSetup& page = Open();
    Turn(page, 2);
    Click(page.TrPrgChange);
    Enter(page.AftSens, 50);
    Enter(page.AftSens, 70);
    Mark();
    Click(page.BtnRevert);
    EXPECT_EQ(system.Common->GetParam(40), 0);
    EXPECT_EQ(system.Common->GetParam(48), 0);
    ExpectWholeSystem(Sent());
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

} // namespace
} // namespace editors::test
