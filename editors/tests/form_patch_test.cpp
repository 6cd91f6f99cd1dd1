// The patch window: its panels and tone switches, opening pages by double-click, the page drag
// that copies pages between tones and patches (and sends the target whole, once), and its life
// with the patch's pages.

#include "editors/form_patch.h"
#include "editors/form_pitch.h"
#include "editors/form_wave.h"
#include "editors/patch_pages.h"
#include "editors/tests/page_fixture.h"
#include "model/print/print_routines.h"
#include "model/sysex/sysex.h"
#include "platform/gdi/colors.h"

#include <gtest/gtest.h>

#include <string>

namespace pw = platform::win;

namespace editors::test {
namespace {

using model::TPageKind;

class PatchWindowTest : public PageTest {
protected:
    // The patch's window as its open-editor operation makes it, placed at (left, top) so that
    // the pages (at 0, 0) open beside it.
    TFormPatch& OpenWindow(model::TPatch& shown, int left = 500, int top = 0) {
        TFormPatch& window = MakeForm<TFormPatch>(shown, dragInfo);
        window.Show();
        shown.Editor = &window.View();
        window.SetBounds(left, top, window.Width(), window.Height());
        testsupport::PumpUntilIdle();
        return window;
    }
    forms::TPanel& Panel(TFormPatch& window, TPageKind kind, int tone) {
        forms::TPanel* panel = window.PagePanel(kind, tone);
        EXPECT_NE(panel, nullptr) << int{kind} << " of tone " << tone;
        return *panel;
    }
    // Whether the target accepted the drag of from onto to.
    bool DragPanel(forms::TControl& from, forms::TControl& to) {
        return DragOnto(
            from, to, [this] { return dragInfo.Accept; }, 1000);
    }
    void DoubleClick(forms::TControl& control) {
        driver.Click(Centre(control));
        driver.Click(Centre(control));
        testsupport::PumpUntilIdle();
    }
    // Every tone byte of the patch set to a pattern of its own.
    static void Fill(model::TPatch& filled, int seed) {
        for (int tone = 1; tone <= model::ToneCount; ++tone) {
            auto data = filled.Tone(tone).Data();
            for (std::size_t n = 0; n < data.size(); ++n)
                data[n] = static_cast<std::uint8_t>((seed + 13 * tone + 7 * n) % 100);
        }
    }
    // The messages of the whole patch as it stands: the common block, then the four tones.
    void ExpectWholePatch(const std::vector<Bytes>& sent, const model::TPatch& whole) {
        ASSERT_EQ(sent.size(), 5u);
        const auto common = whole.Common->Data();
        EXPECT_TRUE(std::equal(common.begin(), common.end(), sent[0].begin() + 9));
        for (int tone = 1; tone <= model::ToneCount; ++tone) {
            const auto data = whole.Tones[static_cast<std::size_t>(tone - 1)]->Data();
            ASSERT_EQ(sent[static_cast<std::size_t>(tone)].size(), data.size() + 11);
            EXPECT_TRUE(std::equal(data.begin(), data.end(),
                                   sent[static_cast<std::size_t>(tone)].begin() + 9))
                << "tone " << tone;
        }
    }
    static Bytes ToneBytes(const model::TPatch& of, int tone,
                           std::initializer_list<std::size_t> at) {
        Bytes bytes;
        for (std::size_t n : at)
            bytes.push_back(of.Tones[static_cast<std::size_t>(tone - 1)]->GetParam(n));
        return bytes;
    }
    forms::TCustomForm* Active() {
        return platform::forms::Application().MainForm()->ActiveMDIChild();
    }

    model::TDragInfo dragInfo;
};

TEST_F(PatchWindowTest, ShowsThePatchAsPagePanelsOnAGradient) {
    patch.SetName("Warm Pad", false);
    patch.FileName = "/home/user/sounds/pads.syx";
    patch.Tone(1).Data()[0] = 1;
    patch.Tone(3).Data()[0] = 1;
    TFormPatch& window = OpenWindow(patch);
    EXPECT_EQ(window.Caption(),
              "Warm Pad [Filename : pads.syx]   [Loc : " + model::ElemPath(patch) + "]");
    EXPECT_EQ(window.HelpContext, 38);
    EXPECT_EQ(window.Width(), 482);
    EXPECT_EQ(window.Height(), 296);
    EXPECT_TRUE(patch.EditorOpen);
    const bool on[] = {true, false, true, false};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(window.CheckBox[k]->Checked(), on[k]) << k;
        EXPECT_EQ(window.CheckBox[k]->Caption(), "Tone " + std::to_string(k + 1));
    }
    EXPECT_EQ(Panel(window, model::LFO1, 1).Caption(), "LFO 1");
    EXPECT_EQ(Panel(window, model::LFO1, 2).Caption(), "LFO1");
    EXPECT_EQ(Panel(window, model::TVF, 1).Name, "TVF");
    EXPECT_EQ(Panel(window, model::CONTROL, 4).Name, "control4");
    EXPECT_EQ(window.PagePanels().size(), 30u);
    EXPECT_EQ(window.Shader1.FromColor(), 0x80FF00u);
    EXPECT_EQ(window.Shader1.ToColor(), platform::gdi::clWhite);
    EXPECT_EQ(window.SpeedSend.Hint, "Send ");
    Panel(window, model::PITCH, 2).SetColor(platform::gdi::clAqua);
    testsupport::PumpUntilIdle();
    SavePagePng(window, "patch_window.png");
}

TEST_F(PatchWindowTest, ToneSwitchSendsItsByteAndMarksThePatchWithoutUndo) {
    TFormPatch& window = OpenWindow(patch);
    const auto created = patch.ModifiedTime;
    clock.Advance(60000);
    Mark();
    Click(*window.CheckBox[1]);
    Bytes message{0xF0, 0x41, 0x10, 0x6A, 0x12, 0x03, 0x00, 0x12, 0x00, 0x01, 0, 0xF7};
    message[10] = model::SysExChecksum(message);
    EXPECT_EQ(Sent(), std::vector<Bytes>{message});
    EXPECT_EQ(patch.Tone(2).GetParam(0), 1);
    EXPECT_NE(patch.ModifiedTime, created);

    // Shown, a switch byte that no box holds stays as it is.
    patch.Tone(4).Data()[0] = 2;
    const auto modified = patch.ModifiedTime;
    clock.Advance(60000);
    Mark();
    window.UpdateView();
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(patch.Tone(4).GetParam(0), 2);
    EXPECT_FALSE(window.CheckBox[3]->Checked());
    EXPECT_EQ(patch.ModifiedTime, modified);
}

// The tone switch stands in the patch window and on the tone's wave page: a change made in
// either (a click, the page's Undo) shows in the other at once, so that a click on the other
// sends the value it shows.
TEST_F(PatchWindowTest, ToneBoxAndWavePageSwitchFollowEachOtherAndAClickSendsWhatItShows) {
    patch.Tone(2).Data()[0] = 1;
    TFormWave& page = OpenTone<TFormWave>(2);
    TFormPatch& window = OpenWindow(patch);
    forms::TCheckBox& box = *window.CheckBox[1];
    ASSERT_TRUE(box.Checked());
    ASSERT_TRUE(page.CheckToneSwitch.Checked());
    const struct {
        const char* step;
        forms::TControl& clicked;
        std::uint8_t sent;
    } steps[] = {
        {"page's switch", page.CheckToneSwitch, 0},
        {"window's box", box, 1},
        {"page's switch again", page.CheckToneSwitch, 0},
        {"page's Undo", page.BtnUndo, 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        Mark();
        Click(step.clicked);
        EXPECT_EQ(Sent(), std::vector<Bytes>{ToneByte(2, 0, step.sent)});
        EXPECT_EQ(patch.Tone(2).GetParam(0), step.sent);
        EXPECT_EQ(box.Checked(), step.sent == 1);
        EXPECT_EQ(page.CheckToneSwitch.Checked(), step.sent == 1);
        Run(1000);
    }
}

TEST_F(PatchWindowTest, DoubleClickOpensAPageOnceAndBringsItToTheFront) {
    TFormPatch& window = OpenWindow(patch);
    DoubleClick(Panel(window, model::PITCH, 2));
    auto* page = dynamic_cast<TFormPitch*>(Active());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Tone(), 2);
    EXPECT_EQ(&page->Patch(), &patch);
    EXPECT_TRUE(patch.Tone(2).Pages[model::tpPitch].Open);

    Click(window.PanelComEff);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Active(), &window);
    const int children = platform::forms::Application().MainForm()->MDIChildCount();
    Run(1000);
    DoubleClick(Panel(window, model::PITCH, 2));
    EXPECT_EQ(Active(), page);
    EXPECT_EQ(platform::forms::Application().MainForm()->MDIChildCount(), children);

    DoubleClick(Panel(window, model::PITCH, 3));
    auto* other = dynamic_cast<TFormPitch*>(Active());
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, page);
    EXPECT_EQ(other->Tone(), 3);
}

TEST_F(PatchWindowTest, DragWaveOfToneOneOntoToneThreeCopiesItAndSendsThePatchOnce) {
    Fill(patch, 0);
    TFormPatch& window = OpenWindow(patch);
    const Bytes toneOne = ToneBytes(patch, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    const Bytes pitchThree = ToneBytes(patch, 3, {11, 61, 77, 128});
    clock.Advance(60000);
    const auto before = patch.ModifiedTime;
    Mark();
    EXPECT_TRUE(DragPanel(Panel(window, model::WAVE, 1), Panel(window, model::WAVE, 3)));

    EXPECT_EQ(ToneBytes(patch, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), toneOne);
    EXPECT_EQ(ToneBytes(patch, 3, {11, 61, 77, 128}), pitchThree);
    ExpectWholePatch(Sent(), patch);
    EXPECT_NE(patch.ModifiedTime, before);
    EXPECT_FALSE(state.DragRunning);
    EXPECT_EQ(Panel(window, model::WAVE, 3).Color(), platform::gdi::clAqua);
    EXPECT_EQ(Active(), &window);
}

struct RefusedDrag {
    std::string name;
    TPageKind fromKind;
    int fromTone;
    TPageKind toKind;
    int toTone;
};

class RefusedDragTest : public PatchWindowTest,
                        public ::testing::WithParamInterface<RefusedDrag> {};

TEST_P(RefusedDragTest, CopiesAndSendsNothing) {
    Fill(patch, 0);
    TFormPatch& window = OpenWindow(patch);
    const model::TPatch& shown = patch;
    std::vector<Bytes> tones;
    for (const auto& tone : shown.Tones)
        tones.emplace_back(tone->Data().begin(), tone->Data().end());
    Mark();
    const RefusedDrag& drag = GetParam();
    EXPECT_FALSE(DragPanel(Panel(window, drag.fromKind, drag.fromTone),
                           Panel(window, drag.toKind, drag.toTone)));
    EXPECT_TRUE(Sent().empty());
    for (std::size_t k = 0; k < tones.size(); ++k)
        EXPECT_TRUE(std::equal(tones[k].begin(), tones[k].end(), shown.Tones[k]->Data().begin()));
    EXPECT_FALSE(state.DragRunning);
}

const RefusedDrag refusedDrags[] = {
    {"OntoItself", model::WAVE, 1, model::WAVE, 1},
    {"OntoAnotherKind", model::WAVE, 1, model::PITCH, 3},
    {"OntoItsOwnGroup", model::LFO1, 2, model::LFO1, 2},
    {"CommonOntoItself", model::COMMON, 0, model::COMMON, 0},
};

INSTANTIATE_TEST_SUITE_P(Drags, RefusedDragTest, ::testing::ValuesIn(refusedDrags),
                         [](const auto& info) { return info.param.name; });

TEST_F(PatchWindowTest, LfoOneOntoLfoTwoCopiesCrosswise) {
    Fill(patch, 0);
    TFormPatch& window = OpenWindow(patch);
    const Bytes lfo1 = ToneBytes(patch, 2, {45, 46, 47, 48, 49, 50, 51, 52, 78, 99, 117, 123});
    Mark();
    EXPECT_TRUE(DragPanel(Panel(window, model::LFO1, 2), Panel(window, model::LFO2, 2)));
    EXPECT_EQ(ToneBytes(patch, 2, {53, 54, 55, 56, 57, 58, 59, 60, 79, 100, 118, 124}), lfo1);
    EXPECT_EQ(ToneBytes(patch, 2, {45, 46, 47, 48, 49, 50, 51, 52, 78, 99, 117, 123}), lfo1);
    ExpectWholePatch(Sent(), patch);
    EXPECT_EQ(Panel(window, model::LFO2, 2).Color(), platform::gdi::clAqua);
}

TEST_F(PatchWindowTest, ASelectionOfLfoAndPitchOntoTheOtherLfoIsRefused) {
    Fill(patch, 0);
    TFormPatch& window = OpenWindow(patch);
    Click(Panel(window, model::LFO1, 2));
    Run(1000);
    driver.HoldKey(pw::VK_CONTROL);
    Click(Panel(window, model::PITCH, 2));
    driver.ReleaseKey(pw::VK_CONTROL);
    Run(1000);
    Mark();
    EXPECT_FALSE(DragPanel(Panel(window, model::PITCH, 2), Panel(window, model::LFO2, 3)));
    EXPECT_TRUE(Sent().empty());
}

TEST_F(PatchWindowTest, AToneGroupDraggedOntoAnotherToneCopiesAllSevenPages) {
    Fill(patch, 0);
    TFormPatch& window = OpenWindow(patch);
    // The group's click selects its pages; a press on one of them drags them all.
    Click(*window.PanelTone[0], {3, 3});
    Run(1000);
    Mark();
    EXPECT_TRUE(DragPanel(Panel(window, model::TVA, 1), Panel(window, model::WAVE, 4)));
    const auto one = patch.Tone(1).Data();
    const auto four = patch.Tone(4).Data();
    EXPECT_TRUE(std::equal(one.begin(), one.end(), four.begin()));
    ExpectWholePatch(Sent(), patch);
}

TEST_F(PatchWindowTest, CommonDroppedOnAnotherPatchCopiesItsNameAndSendsThatPatch) {
    model::TPatch other{nullptr};
    patch.SetName("Source", false);
    patch.Common->Data()[50] = 9;
    other.SetName("Target", false);
    other.Common->Data()[20] = 33;
    TFormPatch& from = OpenWindow(patch);
    TFormPatch& to = OpenWindow(other, 500, 300);
    // The user comes back to the first window: its patch goes to the edit buffer.
    from.View().BringToFront();
    testsupport::PumpUntilIdle();
    ASSERT_EQ(state.CurrentPatch, &patch);
    Mark();
    EXPECT_TRUE(DragPanel(from.Common, to.Common));
    EXPECT_EQ(other.GetName(), "Source");
    EXPECT_EQ(other.Common->GetParam(50), 9);
    EXPECT_EQ(other.Common->GetParam(20), 33); // an effects byte stays
    ExpectWholePatch(Sent(), other);
    EXPECT_EQ(state.CurrentPatch, &other);
    EXPECT_EQ(Active(), &to);
    EXPECT_EQ(to.Caption().substr(0, 6), "Source");
}

TEST_F(PatchWindowTest, ADragCopyIntoAnOpenPageForgetsItsUndo) {
    Fill(patch, 0);
    patch.Tone(1).Data()[61] = 60;
    patch.Tone(3).Data()[61] = 48;
    TFormPatch& window = OpenWindow(patch);
    TFormPitch& page = OpenTonePage<TFormPitch>(patch, 3, window);
    testsupport::PumpUntilIdle();
    DragSlider(page.CoarseTune, 5);
    ASSERT_TRUE(page.BtnUndo.Enabled());

    window.View().BringToFront();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(DragPanel(Panel(window, model::PITCH, 1), Panel(window, model::PITCH, 3)));
    EXPECT_EQ(page.UndoList().Count(), 0u);
    EXPECT_FALSE(page.BtnUndo.Enabled());
    EXPECT_FALSE(page.BtnRevert.Enabled());
    EXPECT_EQ(page.CoarseTune.Value(), 12);
    Mark();
    page.BtnUndoClick(&page.BtnUndo);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(patch.Tone(3).GetParam(61), 60);
}

TEST_F(PatchWindowTest, ClosingTheWindowClosesThePatchsPagesAndKeepsItsPlace) {
    TFormPatch& window = OpenWindow(patch);
    DoubleClick(Panel(window, model::PITCH, 1));
    ASSERT_TRUE(patch.Tone(1).Pages[model::tpPitch].Open);
    window.SetBounds(40, 30, window.Width(), window.Height());
    window.Close();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(patch.EditorOpen);
    EXPECT_EQ(patch.Editor, nullptr);
    EXPECT_FALSE(patch.Tone(1).Pages[model::tpPitch].Open);
    EXPECT_EQ(patch.Tone(1).Pages[model::tpPitch].Window, nullptr);
    EXPECT_EQ(patch.EditorLeft, 40);
    EXPECT_EQ(patch.EditorTop, 30);
    EXPECT_EQ(platform::forms::Application().MainForm()->MDIChildCount(), 0);
}

TEST_F(PatchWindowTest, EveryPageOfTheTableOpensFromItsPanels) {
    TFormPatch& window = OpenWindow(patch);
    for (const TPatchPageEntry& entry : PatchPages()) {
        const int tone = entry.Kind == model::COMMON || entry.Kind == model::EFFECTS ? 0 : 4;
        forms::TPanel& panel = Panel(window, entry.Kind, tone);
        Run(1000);
        DoubleClick(panel);
        auto* page = dynamic_cast<TEditorPage*>(Active());
        ASSERT_NE(page, nullptr) << panel.Name;
        EXPECT_EQ(&page->Elem(), &patch) << panel.Name;
    }
}

} // namespace
} // namespace editors::test
