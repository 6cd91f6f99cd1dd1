#include "app/form_global.h"

#include "app/tests/librarian_fixture.h"
#include "model/elements/global.h"
#include "model/elements/system.h"

#include <string>
#include <vector>

namespace app::test {

namespace {

class FormGlobalTest : public LibrarianTest {
protected:
    model::TGlobal& GlobalOf(TFormLibrary& library, int index) {
        return static_cast<model::TGlobal&>(library.Library().Elem(index));
    }
};

TEST_F(FormGlobalTest, ShowsTheUserBanksAndTheSystemAndTheCardBanksOnlyWithADataCard) {
    TFormLibrary& library = OpenLibrary({{model::etGlobal, "Studio"}});
    model::TGlobal& global = GlobalOf(library, 0);
    TFormGlobal& window = OpenWindow<TFormGlobal>(global, 450, 0);
    EXPECT_EQ(window.Caption(), "Global Studio [Location : Untitled.Lib]");
    EXPECT_EQ(window.HelpContext, 14);
    const int widths[] = {147, 110, 70, 90};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window.Header.Sections(i).Width, widths[i]);
    EXPECT_EQ(window.Header.Sections(2).Text, "  Src/Dest");

    const struct {
        bool card;
        std::vector<int> entries;
    } cases[] = {{false, {0, 2, 4, 6}}, {true, {0, 1, 2, 3, 4, 5, 6}}};
    for (const auto& c : cases) {
        state.Config.DataCardInstalled = c.card;
        window.SetDimension();
        const int rows = static_cast<int>(c.entries.size());
        EXPECT_EQ(window.DrawGrid.RowCount(), rows) << c.card;
        EXPECT_EQ(window.DrawGrid.Height(), TElemListForm::RowHeight * rows + 3);
        EXPECT_EQ(window.Panel.Height(), window.DrawGrid.Height() + window.Header.Height() + 18);
        EXPECT_EQ(window.Height(), window.Panel.Height() + 33);
        for (int row = 0; row < rows; ++row)
            EXPECT_EQ(window.CalcInd(row), c.entries[static_cast<std::size_t>(row)]) << row;
        EXPECT_EQ(window.CalcInd(rows), -1);
    }
    testsupport::PumpUntilIdle();
    // Row 1 with a data card is the card patch bank.
    driver.Click(RowPoint(window.DrawGrid, 1));
    EXPECT_TRUE(global.CardPatchBank().Selected);
    EXPECT_TRUE(testsupport::SaveWindowPng(window.Handle(), Png("global.png")));
}

TEST_F(FormGlobalTest, ALibraryDropsOneBankOrSystemOntoItsPlaceInTheGlobal) {
    TFormLibrary& library = OpenLibrary({{model::etGlobal, "Studio"},
                                         {model::etPatchBank, "Card Leads"},
                                         {model::etPerformanceBank, "Stacks"},
                                         {model::etSystem, "New System"},
                                         {model::etPatch, "Solo"}});
    model::TGlobal& global = GlobalOf(library, 0);
    auto& cardBank = static_cast<model::TBank&>(library.Library().Elem(1));
    cardBank.SetMemory(false);
    cardBank.Elem(0).SetName("Card Saw", false);
    model::TLibElem& system = library.Library().Elem(3);
    // The system's memory flag, whatever it says, does not keep it from the global's system.
    system.Memory = !global.System().Memory;
    TFormGlobal& window = OpenWindow<TFormGlobal>(global, 450, 0);
    const TPoint target = RowPoint(window.DrawGrid, 0);

    // Two banks at once, and a patch, are refused.
    DragFromLibrary(library, {1, 2}, target);
    EXPECT_FALSE(accepted);
    DragFromLibrary(library, {4}, target);
    EXPECT_FALSE(accepted);

    DragFromLibrary(library, {1}, target);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Trimmed(global.CardPatchBank().Elem(0)), "Card Saw");
    EXPECT_EQ(global.CardPatchBank().GetName(), "Card Leads");
    EXPECT_NE(global.UserPatchBank().GetName(), "Card Leads");
    EXPECT_EQ(library.Library().Count(), 5); // a copy leaves the library whole

    // Moved: the global took the system, so it leaves the library.
    DragFromLibrary(library, {3}, target, /*move=*/true);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(global.System().GetName(), "New System");
    EXPECT_EQ(library.Library().Count(), 4);
    EXPECT_EQ(library.Library().Elem(3).GetName(), "Solo");
}

TEST_F(FormGlobalTest, AUserBankDraggedToAnotherGlobalReplacesItsUserBank) {
    TFormLibrary& library = OpenLibrary({{model::etGlobal, "Studio"}, {model::etGlobal, "Stage"}});
    model::TGlobal& studio = GlobalOf(library, 0);
    model::TGlobal& stage = GlobalOf(library, 1);
    studio.UserPatchBank().SetName("Studio Bank", false);
    TFormGlobal& from = OpenWindow<TFormGlobal>(studio, 0, 400);
    TFormGlobal& to = OpenWindow<TFormGlobal>(stage, 500, 0);
    Drag(RowPoint(from.DrawGrid, 0), RowPoint(to.DrawGrid, 2));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(stage.UserPatchBank().GetName(), "Studio Bank");
    EXPECT_NE(stage.UserPerformanceBank().GetName(), "Studio Bank");
}

TEST_F(FormGlobalTest, ClosingTheGlobalClosesTheBankWindowsItOpened) {
    TFormLibrary& library = OpenLibrary({{model::etGlobal, "Studio"}});
    model::TGlobal& global = GlobalOf(library, 0);
    TFormGlobal& window = OpenWindow<TFormGlobal>(global, 450, 0);
    // A double click on the user patch bank's row opens its bank window.
    driver.Click(RowPoint(window.DrawGrid, 0));
    driver.Click(RowPoint(window.DrawGrid, 0));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(global.UserPatchBank().EditorOpen);
    EXPECT_EQ(main.MDIChildCount(), 3);
    window.Close();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(global.EditorOpen);
    EXPECT_FALSE(global.UserPatchBank().EditorOpen);
    EXPECT_EQ(main.MDIChildCount(), 1);
}

} // namespace

} // namespace app::test
