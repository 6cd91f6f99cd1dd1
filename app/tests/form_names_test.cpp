// The names window: its lists from the name-list files, the chooser the editor pages open (six
// names a row, the chosen cell selected and scrolled to the top, OK only on a name, Cancel keeps
// the entry), and how it stands in for the names window while it lives.

#include "app/form_names.h"
#include "app/tests/main_window_fixture.h"
#include "editors/names_window.h"
#include "model/files/name_lists.h"
#include "testsupport/win/input_driver.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace app::test {

namespace {

class FormNamesTest : public MainWindowTest {
protected:
    void WriteNamesFile(const char* fileName, const std::string& text) {
        std::ofstream(std::filesystem::path(model::NameListPath(fileName)), std::ios::binary)
            << text;
    }
    void ClickCell(int col, int row) {
        const forms::TRect r = names.StringGrid1.CellRect(col, row);
        Click(names.StringGrid1, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }

    // The shipped names are there when the window reads its lists.
    bool installed = model::InstallNamesFile();
    TFormNames& names = MakeForm<TFormNames>();
};

TEST_F(FormNamesTest, TheChooserShowsSixNamesARowAndOKTakesTheSelectedOne) {
    ASSERT_TRUE(installed);
    EXPECT_EQ(names.Caption(), "Select Name");
    EXPECT_EQ(names.HelpContext, 32);
    EXPECT_EQ(names.FormWaveSelect.Caption(), "Wave List");
    EXPECT_EQ(names.StringGrid1.ColCount(), 6);
    EXPECT_EQ(names.StringGrid1.RowCount(), 43);
    EXPECT_EQ(names.StringGrid1.FixedCols(), 0);
    EXPECT_EQ(names.StringGrid1.FixedRows(), 0);
    EXPECT_EQ(names.StringGrid1.VisibleRowCount(), TFormNames::ShownRows);
    EXPECT_EQ(editors::NamesWindow(), &names);
    EXPECT_EQ(editors::NameOf(37, 4), "Preset A 005");

    bool shown = false;
    After(100, [&] {
        shown = names.Visible();
        const forms::TStringGrid& grid = names.StringGrid1;
        EXPECT_EQ(grid.Cells(0, 0), "Int-A 001");
        EXPECT_EQ(grid.Cells(5, 0), "Int-A 006");
        EXPECT_EQ(grid.Cells(0, 1), "Int-A 007");
        EXPECT_EQ(grid.Cells(3, 42), "Int-A 256");
        EXPECT_EQ(grid.Cells(4, 42), "");
        EXPECT_EQ(grid.Col(), 2);
        EXPECT_EQ(grid.Row(), 1);
        EXPECT_TRUE(testsupport::SaveWindowPng(names.Handle(), (folder / "names.png").string()));
        ClickCell(2, 3);
    });
    After(110, [&] { Click(names.BitBtn3); });
    EXPECT_EQ(editors::ChooseName(1, 8), 3 * 6 + 2);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(names.Visible());
    EXPECT_EQ(names.ChosenIndex, 20);
    EXPECT_EQ(names.Type(), 1);
}

TEST_F(FormNamesTest, OKOnAnEmptyCellKeepsTheChooserOpenAndCancelKeepsTheEntry) {
    // The preset performances of group A: 32 names, so that row 5 holds two.
    bool openAfterOK = false;
    After(100, [&] { ClickCell(2, 5); });
    After(110, [&] { Click(names.BitBtn3); });
    After(120, [&] {
        openAfterOK = names.Visible();
        EXPECT_EQ(names.ChosenIndex, 7);
        Click(names.BitBtn1);
    });
    EXPECT_EQ(editors::ChooseName(57, 7), 7);
    EXPECT_TRUE(openAfterOK);
    EXPECT_FALSE(names.Visible());
}

TEST_F(FormNamesTest, TheChosenRowComesToTheTopButTheGridScrollsNoFurtherThanItsLastTwelveRows) {
    const struct {
        int chosen;
        int topRow;
        int col;
    } cases[] = {{0, 0, 0}, {60, 10, 0}, {185, 30, 5}, {200, 31, 2}, {255, 31, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        names.ChosenIndex = c.chosen;
        names.SetType(1);
        EXPECT_EQ(names.StringGrid1.TopRow(), c.topRow);
        EXPECT_EQ(names.StringGrid1.Row(), c.chosen / 6);
        EXPECT_EQ(names.StringGrid1.Col(), c.col);
    }
    // The chooser shows the chosen name: index 200 is in view when the window stands.
    forms::TRect cell;
    After(100, [&] {
        cell = names.StringGrid1.CellRect(2, 33);
        EXPECT_TRUE(testsupport::SaveWindowPng(names.Handle(), (folder / "names200.png").string()));
        Click(names.BitBtn3);
    });
    EXPECT_EQ(editors::ChooseName(1, 200), 200);
    EXPECT_GT(cell.Bottom, cell.Top);
    EXPECT_LE(cell.Bottom, names.StringGrid1.ClientHeight());
}

TEST_F(FormNamesTest, LoadReadsTheFilesAgainAndALongListFillsOnlyTheCellsThatExist) {
    std::string longList;
    for (int i = 1; i <= 300; ++i)
        longList += "Entry " + std::to_string(i) + "\r\n";
    WriteNamesFile(model::NamesFileName, longList + "\xC7\r\n\xC7\r\nThird\r\n");
    WriteNamesFile(model::UserCardFileName, "Card Perf\r\n\xC7\r\nUser Perf\r\n\xC7\r\n");
    EXPECT_EQ(editors::NameOf(1, 0), "Int-A 001");
    // The data model's bank transfers ask for it through the window services.
    services.ReloadNameLists();
    EXPECT_EQ(editors::NameOf(1, 299), "Entry 300");
    EXPECT_EQ(names.List(2).Count(), 0);
    EXPECT_EQ(editors::NameOf(3, 0), "Third");
    EXPECT_EQ(editors::NameOf(4, 0), "Card Perf");
    EXPECT_EQ(editors::NameOf(5, 0), "User Perf");
    EXPECT_EQ(names.List(0).Count(), 0);
    EXPECT_EQ(names.List(66).Count(), 0);

    names.ChosenIndex = 0;
    names.SetType(1);
    EXPECT_EQ(names.StringGrid1.Cells(5, 42), "Entry 258");
    // Another list empties every cell first.
    names.SetType(3);
    EXPECT_EQ(names.StringGrid1.Cells(0, 0), "Third");
    EXPECT_EQ(names.StringGrid1.Cells(1, 0), "");
    EXPECT_EQ(names.StringGrid1.Cells(5, 42), "");
}

TEST_F(FormNamesTest, TheNamesWindowIsTheEditorPagesOnlyWhileItLives) {
    EXPECT_EQ(FormNames(), &names);
    owner.reset();
    EXPECT_EQ(FormNames(), nullptr);
    EXPECT_EQ(editors::NamesWindow(), nullptr);
    EXPECT_EQ(editors::ChooseName(1, 9), 9);
}

} // namespace

} // namespace app::test
