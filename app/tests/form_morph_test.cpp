// The morph window opened by the library window's morph button on two patches, on the simulated
// instrument with the manual clock: what the edit buffer holds at both ends of the factor, the
// automatic run with its step, the bank of the path from A to B, and the morph patch leaving
// the current-patch slot when the window goes.

#include "app/form_morph.h"

#include "app/form_library.h"
#include "app/tests/librarian_fixture.h"
#include "model/elements/bank.h"
#include "model/elements/patch.h"
#include "platform/core/message_loop.h"
#include "platform/win/messages.h"
#include "testsupport/win/input_driver.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace app::test {

namespace {

namespace pc = platform::core;
namespace pw = platform::win;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t EditCommon = 0x03000000;
constexpr std::uint32_t EditTones[] = {0x03001000, 0x03001200, 0x03001400, 0x03001600};
// A common parameter that every factor moves, 0 in A and 127 in B: it carries the factor.
constexpr std::size_t FactorWitness = 30;
const Bytes NoteOn{0x90, 64, 99};
const Bytes NoteOff{0x80, 64, 0};

class FormMorphTest : public WithPreview<LibrarianTest> {
protected:
    FormMorphTest() {
        window = &OpenLibrary({{model::etPatch, "Alpha"},
                               {model::etPerformance, "Between"},
                               {model::etPatch, "Bravo"},
                               {model::etPatch, "Charlie"}});
        a = &static_cast<model::TPatch&>(window->Library().Elem(0));
        b = &static_cast<model::TPatch&>(window->Library().Elem(2));
        Fill(*a, 0);
        Fill(*b, 127);
        a->SetName("Alpha", false);
        b->SetName("Bravo", false);
        b->Common->Data()[12] = a->Common->Data()[12];
        a->Common->Data()[FactorWitness] = 0;
        b->Common->Data()[FactorWitness] = 127;
        for (int i : {0, 1, 2})
            window->Library().Elem(i).Selected = true;
        window->Library().Saved = true;
    }
    // Every data byte differs between A (flip 0) and B (flip 127), and all are below 80H.
    static void Fill(model::TPatch& patch, int flip) {
        for (std::size_t n = 0; n < model::TCommon::DataSize; ++n)
            patch.Common->Data()[n] = static_cast<std::uint8_t>(flip ^ ((n * 7 + 3) % 128));
        for (int t = 1; t <= model::ToneCount; ++t)
            for (std::size_t n = 0; n < model::TTone::DataSize; ++n)
                patch.Tone(t).Data()[n] =
                    static_cast<std::uint8_t>(flip ^ ((n * 5 + 11 * t + 1) % 128));
    }
    // Clicks the morph button; the steps run while the window stands, a second apart, the
    // first a second after the click. Each sending of a patch takes its pacing's time of the
    // clock: a step never runs inside the sending of another.
    void Morph(std::vector<std::function<void()>> steps) {
        pc::Millis at = 1000;
        for (auto& step : steps) {
            After(at, std::move(step));
            at += 1000;
        }
        Click(window->speedMorph);
    }
    // A drag of the factor slider's thumb to the last pixel of the track: past the thumb's
    // last place.
    void DragFactorToTheEnd() {
        controls::TSlider& slider = morph.Slider.Slider();
        const int y = slider.Height() / 2;
        const forms::TPoint from = slider.ClientToScreen({slider.ThumbPosition() + 4, y});
        const forms::TPoint to = slider.ClientToScreen({slider.Width() - 1, y});
        driver.Press(from);
        driver.MoveTo({from.X + 10, from.Y});
        driver.MoveTo(to);
        driver.Release(to);
    }
    // The edit buffer's patch in the simulated instrument: the common block, then each tone.
    std::vector<Bytes> EditBuffer() {
        std::vector<Bytes> blocks{instrument().Read(EditCommon, model::TCommon::DataSize)};
        for (std::uint32_t tone : EditTones)
            blocks.push_back(instrument().Read(tone, model::TTone::DataSize));
        return blocks;
    }
    // Every data byte of A, except those that B gives.
    std::vector<Bytes> Expected(const std::function<bool(int)>& commonFromB,
                                const std::function<bool(int)>& toneFromB) const {
        std::vector<Bytes> blocks;
        Bytes common(model::TCommon::DataSize);
        for (std::size_t n = 0; n < common.size(); ++n)
            common[n] = (commonFromB(static_cast<int>(n)) ? b : a)->Common->Data()[n];
        blocks.push_back(common);
        for (int t = 1; t <= model::ToneCount; ++t) {
            Bytes tone(model::TTone::DataSize);
            for (std::size_t n = 0; n < tone.size(); ++n)
                tone[n] = (toneFromB(static_cast<int>(n)) ? b : a)->Tone(t).Data()[n];
            blocks.push_back(tone);
        }
        return blocks;
    }
    // The factor witness of every common data set the instrument took from message first on.
    std::vector<int> FactorsSent(std::size_t first) {
        std::vector<int> factors;
        const auto received = instrument().Received();
        for (std::size_t i = first; i < received.size(); ++i) {
            const Bytes& m = received[i];
            if (m.size() > 9 + FactorWitness && m[0] == 0xF0 && m[4] == 0x12 && m[5] == 0x03 &&
                m[6] == 0 && m[7] == 0 && m[8] == 0)
                factors.push_back(m[9 + FactorWitness]);
        }
        return factors;
    }
    int Count(std::size_t first, const Bytes& message) {
        const auto received = instrument().Received();
        int count = 0;
        for (std::size_t i = first; i < received.size(); ++i)
            count += received[i] == message ? 1 : 0;
        return count;
    }
    model::TPatchBank* NewBank() {
        for (const auto& elem : window->Library().Elems)
            if (elem->Type == model::etPatchBank)
                return static_cast<model::TPatchBank*>(elem.get());
        return nullptr;
    }

    TFormMorph& morph = MakeForm<TFormMorph>();
    TFormLibrary* window = nullptr;
    model::TPatch* a = nullptr;
    model::TPatch* b = nullptr;
};

TEST_F(FormMorphTest, OpensOnTheFirstTwoSelectedPatchesAndSendsAAsItIs) {
    ASSERT_TRUE(state.Midi.Online());
    EXPECT_EQ(FormMorph(), &morph);
    const model::TPatch* shown = nullptr;
    std::vector<Bytes> buffer;
    Morph({[&] {
               EXPECT_TRUE(morph.Visible());
               EXPECT_EQ(morph.Caption(), "Patch Morphing");
               EXPECT_EQ(morph.HelpContext, 39);
               EXPECT_EQ(morph.PatchEdit1.Text(), "Alpha");
               EXPECT_EQ(morph.PatchEdit2.Text(), "Bravo");
               EXPECT_EQ(morph.Slider.Value(), 0);
               EXPECT_TRUE(morph.efxparameter.Enabled());
               EXPECT_EQ(morph.Notelength.Code(), 1000);
               EXPECT_EQ(morph.MorphStep.Code(), 1);
               EXPECT_FALSE(morph.coarsetune.Checked());
               EXPECT_FALSE(morph.finetune.Checked());
               EXPECT_TRUE(morph.StretchTuneDepth.Checked());
               shown = morph.MorphPatch();
               buffer = EditBuffer();
               EXPECT_TRUE(testsupport::SaveWindowPng(morph.Handle(), Png("morph.png")));
           },
           [&] {
               // The morph patch, not A, is the patch in the edit buffer.
               ASSERT_NE(shown, nullptr);
               EXPECT_EQ(state.CurrentPatch, shown);
               EXPECT_NE(state.CurrentPatch, a);
               Click(morph.Btnclose);
           }});
    EXPECT_FALSE(morph.Visible());
    EXPECT_EQ(buffer, Expected([](int) { return false; }, [](int) { return false; }));
    // Freed with the window, the morph patch is no longer the current patch.
    EXPECT_EQ(morph.MorphPatch(), nullptr);
    EXPECT_EQ(state.CurrentPatch, nullptr);
    EXPECT_TRUE(dialogs.messages.empty());
    // Only looking at morphs changes nothing of the library.
    EXPECT_TRUE(window->Library().Saved);
}

TEST_F(FormMorphTest, AtFactor127TheEditBufferHoldsBButTheNameAndWhatIsNotChecked) {
    const std::set<int> tunes = {61, 62};
    const struct {
        const char* name;
        bool sameEfxType;
        std::set<int> commonOfA;
    } cases[] = {
        {"same EFX type", true, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 72}},
        // The EFX parameters mean nothing across types: they stay A's.
        {"other EFX type", false, {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                   13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 72}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        b->Common->Data()[12] = c.sameEfxType ? a->Common->Data()[12] : a->Common->Data()[12] ^ 1;
        std::vector<Bytes> buffer;
        bool enabled = false;
        Morph({[&] {
                   enabled = morph.efxparameter.Enabled();
                   DragFactorToTheEnd();
               },
               [&] {
                   EXPECT_EQ(morph.Slider.Value(), 127);
                   buffer = EditBuffer();
                   Click(morph.Btnclose);
               }});
        EXPECT_EQ(enabled, c.sameEfxType);
        const std::vector<Bytes> expected =
            Expected([&](int n) { return !c.commonOfA.contains(n); },
                     [&](int n) { return !tunes.contains(n); });
        EXPECT_EQ(buffer, expected);
    }
}

TEST_F(FormMorphTest, PlayWithStep10SendsEveryTenthFactorThen127AndStops) {
    std::size_t before = 0;
    std::vector<int> factors;
    int noteOns = 0;
    int noteOffs = 0;
    Morph({[&] {
        // Nine clicks on the step's up arrow: 1 becomes 10.
        for (int i = 0; i < 9; ++i) {
            Click(morph.MorphStep.UpButton());
            Run(10);
        }
        EXPECT_EQ(morph.MorphStep.Code(), 10);
        before = instrument().Received().size();
        Click(morph.Play);
        Run(1);
        EXPECT_TRUE(morph.Playing());
        // Fourteen patches, each sent, its note half a second later, lasting a second.
        Run(14 * 1750);
        EXPECT_FALSE(morph.Playing());
        EXPECT_FALSE(morph.Starter.Enabled());
        EXPECT_FALSE(morph.Timer1.Enabled());
        factors = FactorsSent(before);
        noteOns = Count(before, NoteOn);
        noteOffs = Count(before, NoteOff);
        // Nothing more once the run ended.
        Run(5000);
        EXPECT_EQ(instrument().Received().size(), before + 14 * 5 + 14 * 2);
        Click(morph.Btnclose);
    }});
    EXPECT_EQ(factors,
              (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 127}));
    EXPECT_EQ(noteOns, 14);
    EXPECT_EQ(noteOffs, 14);
}

TEST_F(FormMorphTest, ANoteFollowsEachPatchHalfASecondLaterAndLastsTheNoteLength) {
    std::vector<Bytes> last;
    std::size_t before = 0;
    std::vector<int> next;
    Morph({[&] {
        Click(morph.Play);
        // The click is taken and the patch sent, at its pacing.
        Run(1);
        last.push_back(instrument().Received().back());
        // Its note starts half a second after the patch went.
        Run(497);
        last.push_back(instrument().Received().back());
        Run(4);
        last.push_back(instrument().Received().back());
        // It sounds for the note length; then the next patch follows at once.
        Run(994);
        last.push_back(instrument().Received().back());
        before = instrument().Received().size();
        Run(6);
        last.push_back(instrument().Received().at(before));
        next = FactorsSent(before);
        Click(morph.Btnclose);
    }});
    std::vector<std::uint8_t> kinds;
    for (const Bytes& message : last)
        kinds.push_back(message.front());
    EXPECT_EQ(kinds, (std::vector<std::uint8_t>{0xF0, 0xF0, 0x90, 0x90, 0x80}));
    EXPECT_EQ(last[2], NoteOn);
    EXPECT_EQ(last[4], NoteOff);
    EXPECT_EQ(next, std::vector<int>{1});
}

TEST_F(FormMorphTest, ABoxClickedDuringARunEndsItAndPlaysTheChangedPatchOnce) {
    std::size_t before = 0;
    std::vector<int> factors;
    int noteOns = 0;
    Morph({[&] {
        Click(morph.Play);
        Run(1);
        EXPECT_TRUE(morph.Playing());
        before = instrument().Received().size();
        Click(morph.Tone1);
        Run(1);
        EXPECT_FALSE(morph.Playing());
        EXPECT_FALSE(morph.Tone1.Checked());
        Run(5000);
        factors = FactorsSent(before);
        noteOns = Count(before, NoteOn);
        Click(morph.Btnclose);
    }});
    // The changed patch at the same factor, its one note, and nothing after it.
    EXPECT_EQ(factors, std::vector<int>{0});
    EXPECT_EQ(noteOns, 1);
}

TEST_F(FormMorphTest, ClosingByTheTitleBarDuringARunEndsTheNoteAndTheRun) {
    Morph({[&] {
        Click(morph.Play);
        Run(1);
        Run(600);
        EXPECT_EQ(instrument().Received().back(), NoteOn);
        pc::PostMessage(morph.Handle(), pw::WM_SYSCOMMAND, pw::SC_CLOSE, 0);
    }});
    EXPECT_FALSE(morph.Visible());
    EXPECT_EQ(morph.MorphPatch(), nullptr);
    // The note off on its way.
    Run(5);
    const std::size_t after = instrument().Received().size();
    Run(5000);
    // No tick reaches the patch that went: the note was ended, and nothing follows.
    EXPECT_EQ(instrument().Received().size(), after);
    EXPECT_EQ(instrument().Received().back(), NoteOff);
    EXPECT_FALSE(morph.Starter.Enabled());
    EXPECT_FALSE(morph.Timer1.Enabled());
}

TEST_F(FormMorphTest, MoreThanTwoSelectedPatchesKeepTheWindowShut) {
    window->Library().Elem(3).Selected = true;
    bool shown = false;
    After(1000, [&] {
        shown = morph.Visible();
        if (shown) Click(morph.Btnclose);
    });
    Click(window->speedMorph);
    Run(2000);
    EXPECT_FALSE(shown);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"You Must Select two Patch."});
}

TEST_F(FormMorphTest, CreateBankStoresThePathFromAToBAsANewBankOfTheLibrary) {
    const struct {
        const char* name;
        bool tunesChecked;
        const char* last;
    } cases[] = {
        // The tune boxes unchecked: patch 127 is a morph, named as its place.
        {"default boxes", false, "Morph127"},
        // Every box checked: patch 127 is B itself.
        {"every box", true, "Bravo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->Library().Saved = true;
        Morph({[&] {
            if (c.tunesChecked) {
                Click(morph.coarsetune);
                Click(morph.finetune);
            }
            Click(morph.CreateBank);
        }});
        EXPECT_FALSE(morph.Visible());
        EXPECT_EQ(morph.MorphPatch(), nullptr);
        EXPECT_EQ(state.CurrentPatch, nullptr);
        model::TPatchBank* bank = NewBank();
        ASSERT_NE(bank, nullptr);
        EXPECT_EQ(bank->GetName(), "MorphBank");
        EXPECT_FALSE(window->Library().Saved);
        ASSERT_EQ(bank->Count(), 128);
        EXPECT_EQ(Trimmed(bank->Elem(0)), "Alpha");
        EXPECT_EQ(Trimmed(bank->Elem(1)), "Morph001");
        EXPECT_EQ(Trimmed(bank->Elem(7)), "Morph007");
        EXPECT_EQ(Trimmed(bank->Elem(126)), "Morph126");
        EXPECT_EQ(Trimmed(bank->Elem(127)), c.last);
        for (int i = 0; i < bank->Count(); ++i) {
            auto& patch = static_cast<model::TPatch&>(bank->Elem(i));
            EXPECT_FALSE(patch.Selected) << i;
            // Each stands at its own place in the bank.
            EXPECT_EQ(patch.Number, i + 1) << i;
            EXPECT_FALSE(patch.Temporary) << i;
            EXPECT_EQ(patch.Common->Data()[FactorWitness], i) << i;
        }
        auto& last = static_cast<model::TPatch&>(bank->Elem(127));
        // Coarse tune of tone 1: morphed only when its box is checked.
        EXPECT_EQ(last.Tone(1).Data()[61], (c.tunesChecked ? b : a)->Tone(1).Data()[61]);
        EXPECT_EQ(static_cast<model::TPatch&>(bank->Elem(0)).Common->Image, a->Common->Image);
        window->Library().Elems.erase(window->Library().Elems.end() - 1);
        window->RefreshList(false, true);
    }
}

} // namespace

} // namespace app::test
