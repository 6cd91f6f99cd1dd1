// The effects window: a type change stores the type, sends it again and asks for the twelve EFX
// parameters at the patch's or the performance's addresses; the reply builds the type's
// controls without sending; a silent instrument brings the time-out box (Retry asks again, OK
// zeroes the twelve bytes unsent); only the awaited reply ends the wait; with the ports closed
// the page follows the new type at once; a window closed while it waits gives the input back.

#include "editors/efx_types.h"
#include "editors/form_effect.h"
#include "editors/patch_pages.h"
#include "editors/tests/page_fixture.h"
#include "midi/sysex_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace editors::test {
namespace {

using testsupport::SimInstrument;

constexpr int StereoDelay = 17;
constexpr std::uint32_t PatchType = 0x0300000C;
constexpr std::uint32_t PatchParams = 0x0300000D;
constexpr std::uint32_t PerformanceType = 0x0100000D;
constexpr std::uint32_t PerformanceParams = 0x0100000E;

// The twelve bytes the instrument holds for a stereo delay: every one inside its control's range.
const Bytes DelayBytes = {1, 100, 120, 0, 1, 60, 5, 10, 20, 64, 127, 0};

Bytes DataSetAt(std::uint32_t address, Bytes data) {
    return SimInstrument::MakeDataSet(0x10, address, data);
}

Bytes Request(std::uint32_t address) {
    return SimInstrument::MakeDataRequest(0x10, address, 12);
}

class EffectWindowTest : public PageTest {
protected:
    TFormEffect& OpenPatch() {
        TFormEffect& window = OpenEffectPatch(patch, *owner);
        testsupport::PumpUntilIdle();
        return window;
    }
    TFormEffect& OpenPerformance() {
        TFormEffect& window = OpenEffectPerformance(performance, *owner);
        testsupport::PumpUntilIdle();
        return window;
    }
    void ShowNotebookPage(TFormEffect& window, int index) {
        const platform::forms::TRect tab = window.TabbedNotebook1.TabRect(index);
        Click(window.TabbedNotebook1, {(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2});
        ASSERT_EQ(window.TabbedNotebook1.PageIndex(), index);
    }
    // A user's choice in a list: the item, then the list's change.
    static void Choose(platform::forms::TComboBox& list, int index) {
        list.SetItemIndex(index);
        if (list.OnChange) list.OnChange(&list);
    }
    // What the control at pos shows, as the byte its type stores for it.
    static std::uint8_t ShownByte(const TFormEffect& window, int pos) {
        const TEfxParam* param = EfxType(window.EFXNumber())->AtPos(pos);
        platform::forms::TControl* control = window.ParamControl(pos);
        if (auto* slider = dynamic_cast<controls::TPanSlider*>(control))
            return param->ToByte(slider->Value());
        if (auto* edit = dynamic_cast<controls::TMyEdit*>(control))
            return param->ToByte(edit->Code());
        return param->ToByte(dynamic_cast<platform::forms::TComboBox&>(*control).ItemIndex());
    }

    void Silence() {
        testsupport::SimFaults faults;
        faults.Silent = true;
        instrument().SetFaults(faults);
    }

    model::TPerformance performance{nullptr};
};

TEST_F(EffectWindowTest, PatchTypeChangeAsksForTheTwelveParametersAndBuildsTheTypesControls) {
    TFormEffect& window = OpenPatch();
    // After the window's activation sent the whole patch.
    instrument().Write(PatchParams, DelayBytes);
    // A change on the first page that the first fetch forgets.
    Choose(window.Outputassign, 2);
    ASSERT_EQ(window.PageUndoList(0).Count(), 1u);
    ShowNotebookPage(window, 1);
    Mark();
    Choose(window.EFXType, StereoDelay - 1);
    EXPECT_EQ(Sent(),
              (std::vector<Bytes>{DataSetAt(PatchType, {StereoDelay - 1}),
                                  DataSetAt(PatchType, {StereoDelay - 1}), Request(PatchParams)}));
    Mark();
    Run(10);
    EXPECT_TRUE(Sent().empty()) << "the reply is stored, not sent back";
    EXPECT_FALSE(window.Fetching());
    ASSERT_EQ(window.EFXNumber(), StereoDelay);
    ASSERT_EQ(window.ParamControlCount(), 11);
    const TEfxType& type = *EfxType(StereoDelay);
    for (int pos = 1; pos <= 11; ++pos) {
        const int param = type.AtPos(pos)->Param;
        EXPECT_EQ(window.ParamControl(pos)->Name, "Param" + std::to_string(pos));
        EXPECT_EQ(window.ParamControl(pos)->Tag, pos);
        EXPECT_EQ(ShownByte(window, pos), DelayBytes[static_cast<std::size_t>(param - 1)])
            << type.AtPos(pos)->Label;
        EXPECT_EQ(patch.Common->GetParam(static_cast<std::size_t>(12 + param)),
                  DelayBytes[static_cast<std::size_t>(param - 1)]);
    }
    EXPECT_EQ(window.LabelCtrl1.Caption(), type.Ctrl1);
    EXPECT_EQ(window.PageUndoList(0).Count(), 0u);
    EXPECT_EQ(window.PageUndoList(1).Count(), 0u);
    EXPECT_FALSE(window.BtnUndo.Enabled());
    SavePagePng(window, "effects_patch_type17_page2.png");
    ShowNotebookPage(window, 0);
    SavePagePng(window, "effects_patch_page1.png");

    // An edit of a built control goes by the type's table, one byte, undone on its page.
    Mark();
    auto& level = dynamic_cast<controls::TPanSlider&>(*window.ParamControl(11));
    ShowNotebookPage(window, 1);
    level.SetValue(90);
    level.OnEndchange(&level);
    EXPECT_EQ(Sent(), std::vector<Bytes>{DataSetAt(0x03000017, {90})});
    EXPECT_EQ(window.PageUndoList(1).Count(), 1u);
    Click(window.BtnUndo);
    EXPECT_EQ(patch.Common->GetParam(23), 127);
    EXPECT_EQ(level.Value(), 127);
}

TEST_F(EffectWindowTest, SilentInstrumentInPerformanceModeRetriesThenZeroesTheParameters) {
    Silence();
    for (int k = 0; k < 12; ++k)
        performance.Common->Data()[static_cast<std::size_t>(14 + k)] = 9;
    TFormEffect& window = OpenPerformance();
    EXPECT_EQ(window.HelpContext, TFormEffect::PerformanceHelpContext);
    EXPECT_TRUE(window.Panelefxsource.Visible());
    ShowNotebookPage(window, 1);
    Mark();
    Choose(window.EFXType, StereoDelay - 1);
    const std::vector<Bytes> fetch = {DataSetAt(PerformanceType, {StereoDelay - 1}),
                                      Request(PerformanceParams)};
    std::vector<Bytes> first = {DataSetAt(PerformanceType, {StereoDelay - 1})};
    first.insert(first.end(), fetch.begin(), fetch.end());
    EXPECT_EQ(Sent(), first);
    EXPECT_EQ(performance.Common->GetParam(13), StereoDelay - 1);

    dialogs.answer = model::mrRetry;
    Mark();
    Run(EfxFetchTimeoutMs);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{EfxNotRespondingText});
    EXPECT_EQ(Sent(), fetch) << "Retry sends the type and the request again";
    EXPECT_TRUE(window.Fetching());

    dialogs.answer = model::mrOk;
    Mark();
    Run(EfxFetchTimeoutMs);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(Sent().empty()) << "OK zeroes the parameters without sending";
    EXPECT_FALSE(window.Fetching());
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(performance.Common->GetParam(static_cast<std::size_t>(14 + k)), 0);
    EXPECT_EQ(window.ParamControlCount(), 11);
    SavePagePng(window, "effects_performance_page2.png");
}

TEST_F(EffectWindowTest, OnlyTheAwaitedSoundReplyEndsTheWait) {
    TFormEffect& window = OpenPatch();
    const std::uint8_t before = patch.Common->GetParam(13);
    Silence();
    ShowNotebookPage(window, 1);
    Choose(window.EFXType, StereoDelay - 1);
    Bytes badSum = DataSetAt(PatchParams, DelayBytes);
    badSum[badSum.size() - 2] ^= 1;
    Bytes highByte = DataSetAt(PatchParams, DelayBytes);
    highByte[10] = 0x81;
    Bytes otherDevice = DataSetAt(PatchParams, DelayBytes);
    otherDevice[2] = 0x11;
    Bytes request = DataSetAt(PatchParams, DelayBytes);
    request[4] = 0x11;
    const std::vector<Bytes> ignored = {
        {0x90, 0x3C, 0x40},                   // a short message
        DataSetAt(0x0300000C, DelayBytes),    // another address
        DataSetAt(PatchParams, Bytes(11, 5)), // another length
        badSum,
        highByte,
        otherDevice,
        request, // a bad checksum, a byte of 80H, not ours
    };
    for (const Bytes& message : ignored) {
        FromInstrument(message);
        EXPECT_TRUE(window.Fetching()) << testing::PrintToString(message);
    }
    EXPECT_EQ(patch.Common->GetParam(13), before);
    EXPECT_TRUE(dialogs.messages.empty());
    Run(EfxFetchTimeoutMs);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{EfxNotRespondingText});
    EXPECT_FALSE(window.Fetching());
}

TEST_F(EffectWindowTest, WithThePortsClosedATypeChangeRebuildsTheSecondPageAtOnce) {
    TFormEffect& window = OpenPatch();
    ShowNotebookPage(window, 1);
    Choose(window.EFXType, StereoDelay - 1);
    Run(10);
    ASSERT_EQ(window.EFXNumber(), StereoDelay);
    state.Midi.SetOnline(false);
    constexpr int Chorus = 21;
    Choose(window.EFXType, Chorus - 1);
    EXPECT_EQ(window.EFXNumber(), Chorus);
    EXPECT_EQ(patch.Common->GetParam(12), Chorus - 1);
    const TEfxType& type = *EfxType(Chorus);
    ASSERT_EQ(window.ParamControlCount(), static_cast<int>(type.Params.size()));
    // The first control edits what the new type's first control edits, by its rule.
    const TEfxParam& first = *type.AtPos(1);
    platform::forms::TControl& control = *window.ParamControl(1);
    const int value = first.Highest();
    if (auto* slider = dynamic_cast<controls::TPanSlider*>(&control)) {
        slider->SetValue(value);
        slider->OnEndchange(slider);
    } else if (auto* edit = dynamic_cast<controls::TMyEdit*>(&control)) {
        edit->SetCode(value);
        edit->OnEndChange(edit);
    } else {
        Choose(dynamic_cast<platform::forms::TComboBox&>(control), value);
    }
    EXPECT_EQ(patch.Common->GetParam(static_cast<std::size_t>(first.WindowParam())),
              first.ToByte(value));
}

TEST_F(EffectWindowTest, ClosingTheWindowWhileItWaitsGivesTheInputBack) {
    int defaultCalls = 0;
    state.Midi.DefaultHandler = [&defaultCalls] { ++defaultCalls; };
    Silence();
    TFormEffect& window = OpenPatch();
    ShowNotebookPage(window, 1);
    Choose(window.EFXType, StereoDelay - 1);
    ASSERT_TRUE(window.Fetching());
    Click(window.Btnclose);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(patch.Common->EffectsWindow.Open);
    FromInstrument({0x90, 0x3C, 0x40});
    EXPECT_EQ(defaultCalls, 1);
    Run(EfxFetchTimeoutMs);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EffectWindowTest, ThePatchWindowsEffectsPanelOpensIt) {
    ASSERT_TRUE(OpenPatchPage(model::EFFECTS, patch, 0, *owner));
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(patch.Common->EffectsWindow.Open);
    TFormEffect& window = OpenPatch();
    EXPECT_EQ(window.HelpContext, TFormEffect::PatchHelpContext);
    EXPECT_FALSE(window.Panelefxsource.Visible());
    EXPECT_EQ(window.Caption().rfind(patch.GetName() + " [Effects] [Loc : ", 0), 0u);
}

TEST_F(EffectWindowTest, TheEfxSourceIsSentAndMarksThePerformanceButIsNotUndone) {
    TFormEffect& window = OpenPerformance();
    const auto modifiedTime = performance.ModifiedTime;
    clock.Advance(60000);
    Mark();
    Choose(window.efxsource, 10);
    EXPECT_EQ(Sent(), std::vector<Bytes>{DataSetAt(0x0100000C, {10})});
    EXPECT_NE(performance.ModifiedTime, modifiedTime);
    EXPECT_EQ(window.PageUndoList(0).Count(), 0u);
}

} // namespace
} // namespace editors::test
