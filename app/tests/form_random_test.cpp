// The random-generation window opened by a library window's random button on one patch bank:
// the patch on view on the instrument and in the current-patch slot, stepping through the new
// bank, the generation with every box unchecked, the copies into the library, the preview note,
// and the new bank freed on close.

#include "app/form_random.h"

#include "app/form_library.h"
#include "app/tests/librarian_fixture.h"
#include "model/elements/bank.h"
#include "model/elements/patch.h"
#include "model/preview/preview.h"
#include "model/sysex/address_map.h"
#include "platform/forms/screen.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace app::test {

namespace {

using TSteps = std::vector<std::function<void()>>;

class FormRandomTest : public WithPreview<LibrarianTest> {
protected:
    FormRandomTest() {
        library = &OpenLibrary({{model::etPatch, "Lone"}, {model::etPatchBank, "Source"}});
        source = &static_cast<model::TPatchBank&>(library->Library().Elem(1));
        for (int p = 0; p < model::PatchesPerMemory; ++p) {
            model::TPatch& patch = source->Patch(p);
            patch.SetName("Pad " + std::to_string(p), false);
            for (std::size_t n = 12; n < model::CommonDataLength; ++n)
                patch.Common->Data()[n] = static_cast<std::uint8_t>((p + n) % 128);
            for (int t = 1; t <= model::ToneCount; ++t)
                for (std::size_t n = 0; n < model::ToneDataLength; ++n)
                    patch.Tone(t).Data()[n] = static_cast<std::uint8_t>((p * t + n) % 128);
        }
        library->Library().Saved = true;
    }

    // Selects the source bank and clicks the random button; the steps run while the window
    // stands, each a second after the one before has ended. Sending a patch waits out its
    // pacing on the clock, and no step may fall due inside that wait.
    void OpenRandom(TSteps steps) {
        library->Library().Elem(0).Selected = false;
        source->Selected = true;
        auto shared = std::make_shared<TSteps>(std::move(steps));
        Chain(shared, 0);
        Click(library->RandomBtn);
        testsupport::PumpUntilIdle();
    }
    void Chain(const std::shared_ptr<TSteps>& steps, std::size_t index) {
        if (index >= steps->size()) return;
        After(1000, [this, steps, index] {
            (*steps)[index]();
            Chain(steps, index + 1);
        });
    }
    // A click inside a step, handled before the step goes on.
    void Tap(const forms::TControl& control) {
        Click(control);
        testsupport::PumpUntilIdle();
    }
    // The common block's data as the instrument's edit buffer holds it.
    std::vector<std::uint8_t> EditBufferCommon() {
        return instrument().Read(
            model::SysExAddress(model::PatchEditBuffer, model::CommonOffset, 0),
            model::CommonDataLength);
    }
    static std::vector<std::uint8_t> DataOf(const model::TCommon& common) {
        return {common.Data().begin(), common.Data().end()};
    }
    void ExpectOnView(int position, const char* shown) {
        SCOPED_TRACE(shown);
        model::TPatchBank* bank = random.NewBank();
        ASSERT_NE(bank, nullptr);
        EXPECT_EQ(random.CurrentPosition(), position);
        EXPECT_EQ(random.CurrPatch.Text(), shown);
        EXPECT_EQ(state.CurrentPatch, &bank->Patch(position));
        EXPECT_EQ(EditBufferCommon(), DataOf(*bank->Patch(position).Common));
    }
    static void ExpectEqualData(model::TPatch& made, model::TPatch& from) {
        EXPECT_EQ(DataOf(*made.Common), DataOf(*from.Common));
        for (int t = 1; t <= model::ToneCount; ++t)
            EXPECT_TRUE(std::equal(made.Tone(t).Data().begin(), made.Tone(t).Data().end(),
                                   from.Tone(t).Data().begin()))
                << "tone " << t;
    }

    TFormRandom& random = MakeForm<TFormRandom>();
    TFormLibrary* library = nullptr;
    model::TPatchBank* source = nullptr;
};

TEST_F(FormRandomTest, ShowingSendsPatchOneAndClosingFreesTheBankAndTheCurrentPatchSlot) {
    EXPECT_EQ(FormRandom(), &random);
    EXPECT_EQ(random.Caption(), "Bank Random");
    for (const forms::TCheckBox* box : {&random.Common, &random.Tone1, &random.Tone2, &random.Tone3,
                                        &random.Tone4, &random.PatchName})
        EXPECT_TRUE(box->Checked()) << box->Caption();
    EXPECT_FALSE(random.ToneComm.Checked());
    EXPECT_TRUE(random.RadioButton2.Checked());
    EXPECT_EQ(random.Btnclose.Caption(), "&Close");
    bool shown = false;
    OpenRandom({[&] {
                    shown = random.Visible();
                    ExpectOnView(1, " 1");
                    EXPECT_EQ(random.SourceBank, source);
                    EXPECT_EQ(random.LibraryWindow, library);
                    EXPECT_EQ(forms::Screen().Cursor(), forms::crDefault);
                    EXPECT_TRUE(testsupport::SaveWindowPng(random.Handle(), Png("random.png")));
                },
                [&] { Click(random.Btnclose); }});
    EXPECT_TRUE(shown);
    EXPECT_FALSE(random.Visible());
    EXPECT_EQ(random.NewBank(), nullptr);
    // The patch that the instrument's edit buffer held went with the bank.
    EXPECT_EQ(state.CurrentPatch, nullptr);
    // Generating alone leaves the library as it was.
    EXPECT_EQ(library->Library().Count(), 2);
    EXPECT_TRUE(library->Library().Saved);
}

TEST_F(FormRandomTest, PreviousAndNextStepThroughTheBankAndStopAtItsEnds) {
    OpenRandom({[&] {
                    Tap(random.Precedente);
                    ExpectOnView(0, " 0");
                    const std::size_t before = instrument().Received().size();
                    Tap(random.Precedente);
                    ExpectOnView(0, " 0");
                    EXPECT_EQ(instrument().Received().size(), before);
                    Tap(random.Successivo);
                    ExpectOnView(1, " 1");
                },
                [&] {
                    for (int i = 0; i < 11; ++i)
                        Tap(random.Successivo);
                    ExpectOnView(12, "12");
                    for (int i = 0; i < 115; ++i)
                        Tap(random.Successivo);
                    ExpectOnView(127, "127");
                    const std::size_t before = instrument().Received().size();
                    Tap(random.Successivo);
                    ExpectOnView(127, "127");
                    EXPECT_EQ(instrument().Received().size(), before);
                },
                [&] {
                    // Randomize Bank comes back to 1.
                    Tap(random.BitBtn1);
                    ExpectOnView(1, " 1");
                },
                [&] { Click(random.Btnclose); }});
    EXPECT_EQ(state.CurrentPatch, nullptr);
}

TEST_F(FormRandomTest, EveryBoxUncheckedGivesTheSourceBankAndCreateBankAddsIt) {
    OpenRandom({[&] {
                    for (forms::TCheckBox* box : {&random.Common, &random.Tone1, &random.Tone2,
                                                  &random.Tone3, &random.Tone4, &random.PatchName})
                        Tap(*box);
                    Tap(random.BitBtn1);
                    for (int p = 0; p < model::PatchesPerMemory; ++p) {
                        SCOPED_TRACE(p);
                        ExpectEqualData(random.NewBank()->Patch(p), source->Patch(p));
                    }
                    ExpectOnView(1, " 1");
                    Tap(random.CreateBank);
                },
                [&] { Click(random.Btnclose); }});
    model::TLibrary& lib = library->Library();
    ASSERT_EQ(lib.Count(), 3);
    auto& made = dynamic_cast<model::TPatchBank&>(lib.Elem(2));
    EXPECT_EQ(made.GetName(), "RandomBank");
    EXPECT_EQ(made.Owner, &lib);
    for (int p = 0; p < model::PatchesPerMemory; ++p) {
        SCOPED_TRACE(p);
        ExpectEqualData(made.Patch(p), source->Patch(p));
    }
    EXPECT_FALSE(lib.Saved);
    EXPECT_EQ(library->DrawGrid.RowCount(), 3);
    EXPECT_TRUE(main.FileSaveItem.Enabled());
}

TEST_F(FormRandomTest, CreatePatchAtFiveAddsATemporaryRndPatch5) {
    std::vector<std::uint8_t> onView;
    OpenRandom({[&] {
                    for (int i = 0; i < 4; ++i)
                        Tap(random.Successivo);
                    ExpectOnView(5, " 5");
                    // Randomize Patch draws the patch on view again and sends it.
                    Tap(random.BitBtn2);
                    ExpectOnView(5, " 5");
                    onView = DataOf(*random.NewBank()->Patch(5).Common);
                    Tap(random.CreatePatch);
                    // The window stays open.
                    EXPECT_TRUE(random.Visible());
                },
                [&] { Click(random.Btnclose); }});
    model::TLibrary& lib = library->Library();
    ASSERT_EQ(lib.Count(), 3);
    auto& made = dynamic_cast<model::TPatch&>(lib.Elem(2));
    EXPECT_EQ(made.GetName(), "Rnd Patch5");
    EXPECT_TRUE(made.Temporary);
    EXPECT_EQ(DataOf(*made.Common).size(), onView.size());
    // The name replaced the first twelve bytes; the rest is the patch that was on view.
    EXPECT_TRUE(std::equal(onView.begin() + 12, onView.end(), made.Common->Data().begin() + 12));
    EXPECT_FALSE(lib.Saved);
    EXPECT_EQ(library->DrawGrid.RowCount(), 3);
    EXPECT_TRUE(main.FileSaveItem.Enabled());
    // The copy outlives the window's bank; the current-patch slot does not hold a freed patch.
    EXPECT_EQ(state.CurrentPatch, nullptr);
}

TEST_F(FormRandomTest, TestSoundsThePreviewNoteWhileItIsHeld) {
    OpenRandom(
        {[&] {
             const forms::TPoint point =
                 random.BitBtn4.ClientToScreen({random.BitBtn4.Width() / 2, 10});
             driver.Press(point);
             testsupport::PumpUntilIdle();
             Run(5);
             EXPECT_EQ(forms::Screen().Cursor(), model::crHelp);
             EXPECT_EQ(instrument().Received().back(), (std::vector<std::uint8_t>{0x90, 64, 99}));
             driver.Release(point);
             testsupport::PumpUntilIdle();
             Run(5);
             EXPECT_EQ(forms::Screen().Cursor(), forms::crDefault);
             EXPECT_EQ(instrument().Received().back(), (std::vector<std::uint8_t>{0x80, 64, 0}));
         },
         [&] { Click(random.Btnclose); }});
}

TEST_F(FormRandomTest, WithoutOnePatchBankSelectedTheWindowStaysShut) {
    source->Selected = false;
    library->Library().Elem(0).Selected = true;
    Click(library->RandomBtn);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"You Must Select One Patch Bank."}));
    EXPECT_FALSE(random.Visible());
    EXPECT_EQ(random.NewBank(), nullptr);
}

} // namespace

} // namespace app::test
