#include "app/form_bank.h"

#include "app/form_global.h"
#include "app/tests/librarian_fixture.h"
#include "model/elements/bank.h"
#include "model/elements/global.h"
#include "model/preview/preview.h"
#include "platform/forms/screen.h"

#include <string>
#include <vector>

namespace pw = platform::win;

namespace app::test {

namespace {

namespace pc = platform::core;

class FormBankTest : public LibrarianTest {
protected:
    static std::vector<std::string> Names(model::TBank& bank, int from, int to) {
        std::vector<std::string> names;
        for (int i = from; i <= to; ++i)
            names.push_back(Trimmed(bank.Elem(i)));
        return names;
    }
};

TEST_F(FormBankTest, OpensFromTheLibraryWithItsColumnsAndClosesKeepingItsPlace) {
    TFormLibrary& library = OpenLibrary({{model::etPatchBank, "Leads"}});
    auto& bank = static_cast<model::TBank&>(library.Library().Elem(0));
    // A double click on the library's row opens the bank's window.
    driver.Click(RowPoint(library.DrawGrid, 0));
    driver.Click(RowPoint(library.DrawGrid, 0));
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(bank.EditorOpen);
    auto* window = dynamic_cast<TFormBank*>(main.ActiveMDIChild());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(&window->Bank(), &bank);
    EXPECT_EQ(window->Caption(), "Patch Bank Leads [Location : Untitled.Lib]");
    EXPECT_EQ(window->HelpContext, 13);
    EXPECT_EQ(window->DrawGrid.RowCount(), 128);
    const struct {
        const char* text;
        int width;
    } sections[] = {{"Type", 32}, {"  Name", 110}, {"  Number", 60}, {"  Modified Date", 90}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(window->Header.Sections(i).Text, sections[i].text);
        EXPECT_EQ(window->Header.Sections(i).Width, sections[i].width);
    }
    EXPECT_EQ(window->ImportFrom.Caption, "Import From Synth");
    EXPECT_EQ(window->Width(), window->Panel.Width() + 23);

    window->SetBounds(600, 20, window->Width(), window->Height());
    Run(1000);
    driver.Click(RowPoint(window->DrawGrid, 2));
    EXPECT_TRUE(bank.Elem(2).Selected);
    EXPECT_TRUE(testsupport::SaveWindowPng(window->Handle(), Png("bank.png")));

    window->Close();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(bank.EditorOpen);
    EXPECT_EQ(bank.Editor, nullptr);
    EXPECT_EQ(bank.EditorLeft, 600);
    EXPECT_EQ(bank.EditorTop, 20);
}

// Opened from the library and closed as it stood, the window of a bank or global set keeps the
// library saved: the place and size it was given are no change of the user's.
TEST_F(FormBankTest, AWindowOpenedAndClosedUnmovedLeavesTheLibrarySaved) {
    for (const std::int16_t type : {model::etPatchBank, model::etRhythmBank, model::etGlobal}) {
        SCOPED_TRACE(model::GetTypeName(type));
        TFormLibrary& library = OpenLibrary({{type, "Looked At"}});
        Run(1000);
        driver.Click(RowPoint(library.DrawGrid, 0));
        driver.Click(RowPoint(library.DrawGrid, 0));
        testsupport::PumpUntilIdle();
        model::TLibElem& opened = library.Library().Elem(0);
        ASSERT_TRUE(opened.EditorOpen);
        main.ActiveMDIChild()->Close();
        testsupport::PumpUntilIdle();
        EXPECT_FALSE(opened.EditorOpen);
        EXPECT_TRUE(library.Library().Saved);
        library.Close();
        testsupport::PumpUntilIdle();
    }
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{});
    EXPECT_EQ(main.MDIChildCount(), 0);
}

TEST_F(FormBankTest, ARhythmBankWindowIsLowAndItsPopupCannotImportOrExport) {
    TFormLibrary& library =
        OpenLibrary({{model::etRhythmBank, "Drums"}, {model::etPatchBank, "Leads"}});
    const struct {
        int entry;
        int height;
        bool importable;
    } cases[] = {{0, 114, false}, {1, 400, true}};
    for (const auto& c : cases) {
        TFormBank& window = OpenWindow<TFormBank>(library.Library().Elem(c.entry), 600, 0);
        EXPECT_EQ(window.Height(), c.height) << c.entry;
        After(100, [&] { driver.TypeKey(pw::VK_ESCAPE, "\x1b"); });
        const TPoint point = RowPoint(window.DrawGrid, 1);
        driver.Click(point, Qt::RightButton);
        Run(1000);
        EXPECT_EQ(window.PopupElem(), &window.Bank().Elem(1)) << c.entry;
        EXPECT_NEAR(window.PopupMenu.PopupPoint().X, point.X, 4);
        EXPECT_NEAR(window.PopupMenu.PopupPoint().Y, point.Y, 6);
        EXPECT_EQ(window.ImportFrom.Enabled, c.importable) << c.entry;
        EXPECT_EQ(window.ExportTo.Enabled, c.importable) << c.entry;
        window.Close();
        testsupport::PumpUntilIdle();
    }
}

TEST_F(FormBankTest, PatchesFromALibraryMustFitBelowTheDropRowAndTakeTheBanksPlaces) {
    TFormLibrary& library = OpenLibrary({{model::etPatch, "One"},
                                         {model::etPatch, "Two"},
                                         {model::etPatch, "Three"},
                                         {model::etPatchBank, "Leads"},
                                         {model::etPerformanceBank, "Stacks"}});
    auto& patches = static_cast<model::TBank&>(library.Library().Elem(3));
    TFormBank& window = OpenWindow<TFormBank>(patches, 600, 0);
    window.DrawGrid.SetTopRow(120);
    testsupport::PumpUntilIdle();
    // Rows 127 to 129 do not all exist.
    DragFromLibrary(library, {0, 1, 2}, RowPoint(window.DrawGrid, 126));
    EXPECT_FALSE(accepted);
    EXPECT_EQ(Trimmed(patches.Elem(126)), "");

    DragFromLibrary(library, {0, 1, 2}, RowPoint(window.DrawGrid, 124));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Names(patches, 124, 127), (std::vector<std::string>{"One", "Two", "Three", ""}));
    for (int i = 124; i <= 126; ++i) {
        EXPECT_EQ(patches.Elem(i).Number, i + 1);
        EXPECT_EQ(patches.Elem(i).Memory, patches.Memory);
        EXPECT_FALSE(patches.Elem(i).Temporary);
    }
    EXPECT_EQ(patches.Elem(124).GetLocation(), "User : 125");
    EXPECT_EQ(library.Library().Count(), 5); // a copy leaves the library whole

    // A performance bank takes no patches.
    TFormBank& stacks = OpenWindow<TFormBank>(library.Library().Elem(4), 600, 0);
    DragFromLibrary(library, {0}, RowPoint(stacks.DrawGrid, 0));
    EXPECT_FALSE(accepted);

    // Moved: the bank took all three, so they leave the library.
    stacks.Close();
    testsupport::PumpUntilIdle();
    DragFromLibrary(library, {0, 1, 2}, RowPoint(window.DrawGrid, 120), /*move=*/true);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Names(patches, 120, 123), (std::vector<std::string>{"One", "Two", "Three", ""}));
    EXPECT_EQ(library.Library().Count(), 2);
}

// Three entries dropped so that the last lands on the bank's last row fill the rows up to it;
// one row lower the last would fall past the bank, and the drop is refused, from a library or
// from another bank alike.
TEST_F(FormBankTest, ADropThatEndsOnTheLastRowFillsItAndOneRowLowerIsRefused) {
    TFormLibrary& library = OpenLibrary({{model::etPatch, "One"},
                                         {model::etPatch, "Two"},
                                         {model::etPatch, "Three"},
                                         {model::etPatchBank, "Leads"},
                                         {model::etPatchBank, "Pads"}});
    auto& leads = static_cast<model::TBank&>(library.Library().Elem(3));
    auto& pads = static_cast<model::TBank&>(library.Library().Elem(4));
    const char* padNames[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i)
        pads.Elem(i).SetName(padNames[i], false);
    TFormBank& window = OpenWindow<TFormBank>(leads, 600, 0);
    window.DrawGrid.SetTopRow(120);
    testsupport::PumpUntilIdle();

    DragFromLibrary(library, {0, 1, 2}, RowPoint(window.DrawGrid, 126));
    EXPECT_FALSE(accepted);
    EXPECT_EQ(Names(leads, 125, 127), (std::vector<std::string>{"", "", ""}));
    DragFromLibrary(library, {0, 1, 2}, RowPoint(window.DrawGrid, 125));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Names(leads, 124, 127), (std::vector<std::string>{"", "One", "Two", "Three"}));
    EXPECT_EQ(leads.Elem(127).Number, 128);
    EXPECT_EQ(leads.Elem(127).GetLocation(), "User : 128");

    // The first three entries of another bank, selected as a user selects them.
    TFormBank& from = OpenWindow<TFormBank>(pads, 0, 300);
    driver.Click(RowPoint(from.DrawGrid, 0));
    Run(1000);
    driver.HoldKey(pw::VK_SHIFT);
    driver.Click(RowPoint(from.DrawGrid, 2));
    driver.ReleaseKey(pw::VK_SHIFT);
    Run(1000);
    window.BringToFront();
    testsupport::PumpUntilIdle();
    Drag(RowPoint(from.DrawGrid, 0), RowPoint(window.DrawGrid, 126));
    EXPECT_FALSE(accepted);
    EXPECT_EQ(Names(leads, 125, 127), (std::vector<std::string>{"One", "Two", "Three"}));
    Drag(RowPoint(from.DrawGrid, 0), RowPoint(window.DrawGrid, 125));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Names(leads, 124, 127), (std::vector<std::string>{"", "A", "B", "C"}));
    EXPECT_EQ(leads.Elem(127).Number, 128);
}

TEST_F(FormBankTest, ADragWithinTheBankCopiesTheEntriesAsTheyStoodBeforeTheDrop) {
    TFormLibrary& library = OpenLibrary({{model::etPatchBank, "Leads"}});
    auto& bank = static_cast<model::TBank&>(library.Library().Elem(0));
    const char* names[] = {"A", "B", "C", "D"};
    for (int i = 0; i < 4; ++i)
        bank.Elem(i).SetName(names[i], false);
    TFormBank& window = OpenWindow<TFormBank>(bank, 600, 0);
    driver.Click(RowPoint(window.DrawGrid, 0));
    Run(1000);
    driver.HoldKey(pw::VK_SHIFT);
    driver.Click(RowPoint(window.DrawGrid, 2));
    driver.ReleaseKey(pw::VK_SHIFT);
    Run(1000);

    // Back onto the very rows: nothing changes.
    bank.Elem(0).ModifiedDate = 0;
    Drag(RowPoint(window.DrawGrid, 0), RowPoint(window.DrawGrid, 0));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Names(bank, 0, 3), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(bank.Elem(0).ModifiedDate, 0);

    // Entries 1 to 3 onto row 2: shifted by one, not the first repeated.
    Drag(RowPoint(window.DrawGrid, 0), RowPoint(window.DrawGrid, 1));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Names(bank, 0, 4), (std::vector<std::string>{"A", "A", "B", "C", ""}));
    EXPECT_EQ(bank.Elem(3).Number, 4);
}

TEST_F(FormBankTest, BanksTakeDropsFromBanksOfTheirKindOnly) {
    TFormLibrary& library = OpenLibrary({{model::etPatchBank, "Leads"},
                                         {model::etPatchBank, "Pads"},
                                         {model::etPerformanceBank, "Stacks"}});
    auto& leads = static_cast<model::TBank&>(library.Library().Elem(0));
    auto& pads = static_cast<model::TBank&>(library.Library().Elem(1));
    leads.Elem(0).SetName("Saw", false);
    TFormBank& from = OpenWindow<TFormBank>(leads, 0, 300);
    TFormBank& to = OpenWindow<TFormBank>(pads, 600, 0);
    Drag(RowPoint(from.DrawGrid, 0), RowPoint(to.DrawGrid, 3));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Trimmed(pads.Elem(3)), "Saw");
    EXPECT_EQ(pads.Elem(3).Number, 4);

    TFormBank& stacks = OpenWindow<TFormBank>(library.Library().Elem(2), 600, 0);
    Drag(RowPoint(stacks.DrawGrid, 0), RowPoint(from.DrawGrid, 5));
    EXPECT_FALSE(accepted);
}

TEST_F(FormBankTest, ADragOfEntriesOntoALibraryCopiesThemWithoutAsking) {
    TFormLibrary& library = OpenLibrary({{model::etPatchBank, "Leads"}});
    auto& bank = static_cast<model::TBank&>(library.Library().Elem(0));
    bank.Elem(5).SetName("Bell", false);
    TFormBank& window = OpenWindow<TFormBank>(bank, 600, 0);
    // Until the library window answers drags itself, it takes what comes from a bank.
    if (!library.DrawGrid.OnDragOver)
        library.DrawGrid.OnDragOver = [this](forms::TObject*, forms::TObject*, int, int,
                                             forms::TDragState, bool& accept) {
            accept = true;
            main.DragInfo().Accept = true;
        };
    Drag(RowPoint(window.DrawGrid, 5), RowPoint(library.DrawGrid, 3));
    EXPECT_TRUE(accepted);
    ASSERT_EQ(library.Library().Count(), 2);
    EXPECT_EQ(Trimmed(library.Library().Elem(1)), "Bell");
    EXPECT_EQ(library.Library().Elem(1).GetLocation(), "User : 6");
    EXPECT_FALSE(library.Library().Saved);
}

// Entries of a bank or a global never go into the trash by a drag: dropped on the bin, or on the
// trash window's list, they are refused and nothing lands in the trash.
TEST_F(FormBankTest, EntriesDraggedFromABankOrAGlobalOntoTheTrashAreRefused) {
    TFormLibrary& library =
        OpenLibrary({{model::etPatchBank, "Leads"}, {model::etGlobal, "Studio"}});
    auto& bank = static_cast<model::TBank&>(library.Library().Elem(0));
    bank.Elem(0).SetName("Saw", false);
    TFormBank& bankWindow = OpenWindow<TFormBank>(bank, 0, 0);
    TFormGlobal& globalWindow =
        OpenWindow<TFormGlobal>(static_cast<model::TGlobal&>(library.Library().Elem(1)), 0, 400);
    const struct {
        const char* name;
        TElemListForm* window;
    } sources[] = {{"bank", &bankWindow}, {"global", &globalWindow}};
    const auto expectNothingInTheTrash = [&] {
        EXPECT_FALSE(accepted);
        EXPECT_EQ(main.TrashLibrary().Count(), 0);
    };

    ASSERT_TRUE(main.TrashVuoto.Visible());
    const TPoint bin =
        main.TrashVuoto.ClientToScreen({main.TrashVuoto.Width() / 2, main.TrashVuoto.Height() / 2});
    for (const auto& source : sources) {
        SCOPED_TRACE(std::string(source.name) + " onto the bin");
        source.window->BringToFront();
        testsupport::PumpUntilIdle();
        Drag(RowPoint(source.window->DrawGrid, 0), bin);
        expectNothingInTheTrash();
        EXPECT_TRUE(main.TrashVuoto.Visible()) << "the bin shows full";
    }

    Click(main.TrashVuoto);
    Click(main.TrashVuoto);
    ASSERT_NE(main.TrashWindow, nullptr);
    TFormLibrary& trash = *main.TrashWindow;
    trash.SetBounds(500, 0, trash.Width(), trash.Height());
    testsupport::PumpUntilIdle();
    for (const auto& source : sources) {
        SCOPED_TRACE(std::string(source.name) + " onto the trash window");
        source.window->BringToFront();
        testsupport::PumpUntilIdle();
        Drag(RowPoint(source.window->DrawGrid, 0), RowPoint(trash.DrawGrid, 2));
        expectNothingInTheTrash();
    }
}

using BankPreviewTest = WithPreview<FormBankTest>;

TEST_F(BankPreviewTest, ShiftAndTheRightButtonSendTheRowsPatchThenTheNoteOneIntervalLater) {
    ASSERT_TRUE(state.Midi.Online());
    TFormLibrary& library = OpenLibrary({{model::etPatchBank, "Leads"}});
    auto& bank = static_cast<model::TBank&>(library.Library().Elem(0));
    TFormBank& window = OpenWindow<TFormBank>(bank, 600, 0);
    EXPECT_TRUE(window.PreviewGridHit(window.DrawGrid));
    const std::size_t before = instrument().Received().size();
    const TPoint point = RowPoint(window.DrawGrid, 3);

    driver.HoldKey(pw::VK_SHIFT);
    driver.Press(point, Qt::RightButton);
    Run(900);
    EXPECT_TRUE(bank.Elem(3).Selected);
    EXPECT_EQ(forms::Screen().Cursor(), model::crHelp);
    std::vector<std::vector<std::uint8_t>> received = instrument().Received();
    // The common block and the four tones, each a data set; no note yet.
    ASSERT_EQ(received.size(), before + 5);
    for (std::size_t i = before; i < received.size(); ++i)
        EXPECT_EQ(received[i].front(), 0xF0);
    Run(200);
    received = instrument().Received();
    ASSERT_EQ(received.size(), before + 6);
    EXPECT_EQ(received.back(), (std::vector<std::uint8_t>{0x90, 64, 99}));

    driver.Release(point, Qt::RightButton);
    driver.ReleaseKey(pw::VK_SHIFT);
    Run(5);
    received = instrument().Received();
    ASSERT_EQ(received.size(), before + 7);
    EXPECT_EQ(received.back(), (std::vector<std::uint8_t>{0x80, 64, 0}));
    EXPECT_EQ(forms::Screen().Cursor(), forms::crDefault);
}

} // namespace

} // namespace app::test
