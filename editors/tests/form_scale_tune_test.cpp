// The scale tune page: the signed tuning of each note of the selected part, one undo list per
// part, Revert All sending the system once, and copy and paste of a part's scale tune.

#include "editors/form_scale_tune.h"
#include "editors/tests/system_fixture.h"

#include <gtest/gtest.h>

namespace editors::test {
namespace {

class ScaleTunePageTest : public SystemTest {
protected:
    TFormScaleTune& Open() { return OpenPage<TFormScaleTune>(clipboard); }
    void Select(TFormScaleTune& page, int part) {
        Click(*page.SpeedButton[static_cast<std::size_t>(part - 1)]);
    }
    static controls::TMyEdit& Note(TFormScaleTune& page, int n) {
        return *page.Tune[static_cast<std::size_t>(n - 1)];
    }
};

TEST_F(ScaleTunePageTest, ShowsPartOneWithSignedTunings) {
    system.SetName("Studio", false);
    system.ScaleTune(1).Data()[11] = 0;
    TFormScaleTune& page = Open();
    EXPECT_EQ(page.Caption(), "Studio [Scale Tune] [Loc : " + model::ElemPath(system) + "]");
    EXPECT_EQ(page.HelpContext, 56);
    EXPECT_EQ(page.Selected(), 1);
    EXPECT_TRUE(page.SpeedButton[0]->Down());
    EXPECT_EQ(page.SpeedButton[16]->Caption(), "Patch Mode");
    EXPECT_EQ(Note(page, 1).Code(), 0);
    EXPECT_EQ(Note(page, 12).Code(), -64);
    EXPECT_EQ(Note(page, 10).Name, "tune10");
    EXPECT_EQ(Note(page, 1).GetMinCode(), -64);
    EXPECT_EQ(Note(page, 1).GetMaxCode(), 63);
    EXPECT_FALSE(page.PasteBtn.Enabled());
    EXPECT_TRUE(system.ScaleTuneWindow.Open);
    SavePagePng(page, "scale_tune.png");
}

TEST_F(ScaleTunePageTest, TuneForDOfPartThreeAtMinusOneIsOneDataSet) {
    TFormScaleTune& page = Open();
    Select(page, 3);
    Enter(Note(page, 3), -1);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x00, 0x00, 0x12, 0x02,
                                           0x3F, 0x2D, 0xF7}}));
    EXPECT_EQ(system.ScaleTune(3).GetParam(2), 0x3F);
}

TEST_F(ScaleTunePageTest, EachPartKeepsItsOwnUndo) {
    TFormScaleTune& page = Open();
    Enter(Note(page, 1), 5);
    Select(page, 2);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    Enter(Note(page, 2), -7);
    Select(page, 1);
    EXPECT_TRUE(page.BtnUndo.Enabled());
    Mark();
    Click(page.BtnUndo);
    EXPECT_EQ(Sent(), (std::vector<Bytes>{DataSet(0x1000, {0x40})}));
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_EQ(system.ScaleTune(2).GetParam(1), 64 - 7);
    Select(page, 2);
    EXPECT_TRUE(page.BtnUndo.Enabled());
}

TEST_F(ScaleTunePageTest, RevertAllRestoresEveryPartAndSendsTheSystemOnce) {
    TFormScaleTune& page = Open();
    for (int part : {1, 5, 17}) {
        Select(page, part);
        Enter(Note(page, 4), 10);
        Enter(Note(page, 4), 20);
    }
    Mark();
    Click(page.BtnReverAll);
    for (int part : {1, 5, 17})
        EXPECT_EQ(system.ScaleTune(part).GetParam(3), 0x40) << part;
    ExpectWholeSystem(Sent());
    EXPECT_EQ(page.Selected(), 1);
    EXPECT_TRUE(page.SpeedButton[0]->Down());
    for (int part : {5, 17}) {
        Select(page, part);
        EXPECT_FALSE(page.BtnUndo.Enabled()) << part;
    }
}

TEST_F(ScaleTunePageTest, APasteWritesTheCopiedPartSendsTheSystemAndCannotBeUndone) {
    TFormScaleTune& page = Open();
    Enter(Note(page, 6), 12);
    Click(page.CopyBtn);
    EXPECT_TRUE(page.PasteBtn.Enabled());
    Select(page, 9);
    Mark();
    Click(page.PasteBtn);
    EXPECT_EQ(system.ScaleTune(9).GetParam(5), 64 + 12);
    EXPECT_EQ(Note(page, 6).Code(), 12);
    ExpectWholeSystem(Sent());
    EXPECT_FALSE(page.BtnUndo.Enabled());
}

} // namespace
} // namespace editors::test
