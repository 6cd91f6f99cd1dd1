#include "app/form_library.h"

#include "app/app_images.h"
#include "app/printer_target.h"
#include "app/sto_html_help.h"
#include "app/tests/main_window_fixture.h"
#include "app/tests/recording_help_library.h"
#include "model/editing/drag_info.h"
#include "model/elements/element_factory.h"
#include "model/elements/library.h"
#include "model/preview/preview.h"
#include "model/print/print_target.h"
#include "model/program/config.h"
#include "platform/core/ini_file.h"
#include "platform/forms/screen.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/win/painting.h"
#include "testsupport/pdf_file.h"
#include "testsupport/win/input_driver.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace app::test {

namespace {

namespace pc = platform::core;
namespace pg = platform::gdi;
namespace pw = platform::win;
using forms::TPoint;

constexpr int RowHeight = 18;

struct TEntry {
    std::int16_t type;
    const char* name;
};

// The main window with one library window opened by File New and filled with the entries; the
// library counts as saved, as one read from its file does.
class FormLibraryTest : public MainWindowTest {
protected:
    TFormLibrary& OpenLibrary(const std::vector<TEntry>& entries) {
        main.FileNew();
        auto* window = dynamic_cast<TFormLibrary*>(main.ActiveMDIChild());
        EXPECT_NE(window, nullptr);
        for (const TEntry& entry : entries) {
            model::TLibElem& elem =
                window->Library().Add(model::CreateElemByType(entry.type, &window->Library()));
            elem.SetName(entry.name, false);
            // Created long ago, one after another, as the creation order sorts them.
            elem.CreatedDate = 1;
            elem.CreatedTime = window->Library().Count() / 100000.0;
        }
        window->Library().Saved = true;
        window->RefreshList(false, true);
        testsupport::PumpUntilIdle();
        return *window;
    }
    static const std::vector<TEntry>& Mixed() {
        static const std::vector<TEntry> entries = {
            {model::etPatch, "Delta"},         {model::etPatchBank, "Banks"},
            {model::etPerformance, "Alpha"},   {model::etRhythm, "Charlie"},
            {model::etSystem, "System"},       {model::etGlobal, "Everything"},
            {model::etPerformanceBank, "Ppp"}, {model::etRhythmBank, "Drums"},
        };
        return entries;
    }
    // The names of the rows, top to bottom, as CalcIndex maps them.
    static std::vector<std::string> RowNames(TFormLibrary& window) {
        std::vector<std::string> names;
        for (int row = 0; window.CalcIndex(row) >= 0; ++row) {
            std::string name = window.Library().Elem(window.CalcIndex(row)).GetName();
            names.push_back(name.substr(0, name.find_last_not_of(' ') + 1));
        }
        return names;
    }
    static std::vector<std::string> Names(model::TLibrary& library) {
        std::vector<std::string> names;
        for (const auto& elem : library.Elems) {
            const std::string name = elem->GetName();
            names.push_back(name.substr(0, name.find_last_not_of(' ') + 1));
        }
        return names;
    }
    // A screen point inside a row of the grid as it is scrolled now, right of the icon.
    static TPoint RowPoint(TFormLibrary& window, int row) {
        return window.DrawGrid.ClientToScreen(
            {120, (row - window.DrawGrid.TopRow()) * RowHeight + RowHeight / 2});
    }
    void ShiftClick(TPoint point) {
        driver.HoldKey(pw::VK_SHIFT);
        driver.Click(point);
        driver.ReleaseKey(pw::VK_SHIFT);
    }
    // Far enough from the last click that the next is no double click.
    void Later() { Run(1000); }
    // The colour of the grid's pixel between a row's icon and its text.
    static pg::COLORREF RowColour(TFormLibrary& window, int row) {
        const pw::HWND grid = window.DrawGrid.Handle();
        const pg::HDC dc = pw::GetDC(grid);
        const pg::COLORREF colour = pg::GetPixel(dc, 44, row * RowHeight + 8);
        pw::ReleaseDC(grid, dc);
        return colour;
    }
    static int SelectedCount(TFormLibrary& window) {
        int count = 0;
        for (const auto& elem : window.Library().Elems)
            count += elem->Selected ? 1 : 0;
        return count;
    }
    std::string Png(const char* name) { return (folder / name).string(); }
};

TEST_F(FormLibraryTest, ListsTheElementsOfEveryKindWithTheirColumns) {
    TFormLibrary& window = OpenLibrary(Mixed());
    EXPECT_EQ(window.Caption(), "Library : Untitled.Lib");
    EXPECT_EQ(window.HelpContext, 23);
    EXPECT_EQ(window.MaxVis(), 7);
    EXPECT_EQ(window.DrawGrid.RowCount(), 8);
    EXPECT_EQ(RowNames(window), (std::vector<std::string>{"Delta", "Banks", "Alpha", "Charlie",
                                                          "System", "Everything", "Ppp", "Drums"}));
    const int widths[] = {152, 110, 70, 90};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window.Header.Sections(i).Width, widths[i]);
    EXPECT_EQ(window.Header.Sections(2).Text, "    Src/Dst");
    EXPECT_EQ(window.DrawGrid.DefaultColWidth(), window.DrawGrid.ClientWidth());
    EXPECT_EQ(window.ImportFrom.Caption, "Import From Synth");

    // A click selects the row alone: aqua behind it, white behind the others.
    driver.Click(RowPoint(window, 2));
    EXPECT_TRUE(window.Library().Elem(2).Selected);
    EXPECT_EQ(RowColour(window, 2), static_cast<pg::COLORREF>(pg::clAqua));
    EXPECT_EQ(RowColour(window, 1), static_cast<pg::COLORREF>(pg::clWhite));
    EXPECT_EQ(RowColour(window, 9), static_cast<pg::COLORREF>(pg::clWhite));
    EXPECT_TRUE(testsupport::SaveWindowPng(window.Handle(), Png("library.png")));
}

TEST_F(FormLibraryTest, SortsByNameAndBack) {
    TFormLibrary& window = OpenLibrary(Mixed());
    Click(window.SpeedName);
    EXPECT_TRUE(window.SpeedName.Down());
    EXPECT_EQ(RowNames(window), (std::vector<std::string>{"Alpha", "Banks", "Charlie", "Delta",
                                                          "Drums", "Everything", "Ppp", "System"}));
    // A second click lets the button up: the order of creation again.
    Later();
    Click(window.SpeedName);
    EXPECT_FALSE(window.SpeedName.Down());
    EXPECT_EQ(RowNames(window).front(), "Delta");
}

TEST_F(FormLibraryTest, MaskButtonsHideTheirKindsAndUnmaskAllBringsThemBack) {
    TFormLibrary& window = OpenLibrary(Mixed());
    Click(window.SpeedPatchBank);
    Click(window.SpeedRhythm);
    EXPECT_EQ(RowNames(window),
              (std::vector<std::string>{"Delta", "Alpha", "System", "Everything", "Ppp", "Drums"}));
    for (int type : {0, 2, 3, 5, 6, 7})
        Click(window.MaskButton(type));
    EXPECT_EQ(window.MaxVis(), -1);
    EXPECT_EQ(window.CalcIndex(0), -1);
    EXPECT_EQ(RowColour(window, 0), static_cast<pg::COLORREF>(pg::clWhite));
    Click(window.BtnUnmask);
    EXPECT_EQ(window.MaxVis(), 7);
    for (int type = 0; type < 8; ++type)
        EXPECT_FALSE(window.MaskButton(type).Down()) << type;
}

TEST_F(FormLibraryTest, DeletedRowsGoToTheTrashInListOrderAndTheBinOpensThem) {
    TFormLibrary& window = OpenLibrary(Mixed());
    driver.Click(RowPoint(window, 1));
    ShiftClick(RowPoint(window, 3));
    EXPECT_EQ(SelectedCount(window), 3);
    driver.TypeKey(pw::VK_DELETE);
    EXPECT_EQ(Names(main.TrashLibrary()), (std::vector<std::string>{"Banks", "Alpha", "Charlie"}));
    EXPECT_EQ(RowNames(window),
              (std::vector<std::string>{"Delta", "System", "Everything", "Ppp", "Drums"}));
    EXPECT_FALSE(window.Library().Saved);
    EXPECT_TRUE(main.TrashPieno.Visible());
    EXPECT_FALSE(main.TrashVuoto.Visible());

    Click(main.TrashPieno);
    Click(main.TrashPieno);
    ASSERT_NE(main.TrashWindow, nullptr);
    TFormLibrary& trash = *main.TrashWindow;
    EXPECT_EQ(trash.Caption(), "Trash Library");
    EXPECT_EQ(trash.HelpContext, 63);
    EXPECT_EQ(RowNames(trash), (std::vector<std::string>{"Banks", "Alpha", "Charlie"}));
    EXPECT_TRUE(trash.BtnEmpty.Visible());
    EXPECT_FALSE(trash.SpeedNuovo.Visible());
    EXPECT_FALSE(trash.NewPatch.Visible());
    EXPECT_EQ(trash.SpeedHelp.Left(), 506);
    EXPECT_EQ(trash.SpeedHelp.Top(), 292);
    EXPECT_EQ(trash.Header.Top(), 8);
    EXPECT_EQ(trash.Labelmask.Top(), trash.Header.Top());
    EXPECT_EQ(trash.Bevelmask.Top(), trash.DrawGrid.Top());
    EXPECT_EQ(trash.SpeedPatch.Top(), trash.Bevelmask.Top() + 6);
    EXPECT_EQ(trash.speedPerformance.Top(), trash.SpeedPatch.Top() + trash.SpeedPatch.Height() - 1);
    EXPECT_FALSE(main.PanelTrash.Visible());
    EXPECT_TRUE(testsupport::SaveWindowPng(trash.Handle(), Png("trash.png")));
}

// In the trash, Delete does what it does in any library window: the selection goes to the
// trash, here the same library, so nothing is lost and the rows stand sorted and unselected.
TEST_F(FormLibraryTest, DeleteInTheTrashKeepsEveryElementAndClearsTheSelection) {
    TFormLibrary& window = OpenLibrary(Mixed());
    driver.Click(RowPoint(window, 1));
    ShiftClick(RowPoint(window, 3));
    driver.TypeKey(pw::VK_DELETE);
    Later();
    Click(main.TrashPieno);
    Click(main.TrashPieno);
    ASSERT_NE(main.TrashWindow, nullptr);
    TFormLibrary& trash = *main.TrashWindow;
    Later();
    driver.Click(RowPoint(trash, 0));
    ShiftClick(RowPoint(trash, 1));
    ASSERT_EQ(SelectedCount(trash), 2);
    driver.TypeKey(pw::VK_DELETE);
    EXPECT_EQ(SelectedCount(trash), 0);
    EXPECT_EQ(RowNames(trash), (std::vector<std::string>{"Banks", "Alpha", "Charlie"}));
    EXPECT_EQ(RowColour(trash, 0), static_cast<pg::COLORREF>(pg::clWhite));
}

// The Help button asks for the library's topic, in the trash too.
TEST_F(FormLibraryTest, TheHelpButtonAsksTheLibrarysTopicInBothModes) {
    TFormLibrary& window = OpenLibrary(Mixed());
    std::vector<Call> calls;
    forms::Application().HelpFile = "QUINTARON.chm";
    {
        TStoHtmlHelpRegistration registration(
            [&] { return std::make_unique<RecordingLibrary>(calls); });
        Click(window.SpeedHelp);
        Click(main.TrashVuoto);
        Click(main.TrashVuoto);
        ASSERT_NE(main.TrashWindow, nullptr);
        Click(main.TrashWindow->SpeedHelp);
    }
    forms::Application().HelpFile.clear();
    std::vector<std::uintptr_t> contexts;
    for (const Call& call : calls)
        if (call.command == platform::win::HH_HELP_CONTEXT) contexts.push_back(call.data);
    EXPECT_EQ(contexts, (std::vector<std::uintptr_t>{23, 23}));
}

TEST_F(FormLibraryTest, NormalLayoutStandsAsGiven) {
    TFormLibrary& window = OpenLibrary({});
    EXPECT_EQ(window.SpeedHelp.Left(), 438);
    EXPECT_EQ(window.SpeedHelp.Top(), 6);
    EXPECT_EQ(window.Header.Top(), 42);
    EXPECT_EQ(window.DrawGrid.Top(), window.Header.Top() + window.Header.Height());
    EXPECT_EQ(window.Labelmask.Top(), 154);
    EXPECT_EQ(window.Bevelmask.Top(), 174);
    EXPECT_EQ(window.BtnUnmask.Top(), 174 + window.Bevelmask.Height() + 6);
    EXPECT_FALSE(window.BtnEmpty.Visible());
    EXPECT_EQ(window.Width(), window.Panel.Width() + 23);
    EXPECT_EQ((window.DrawGrid.Height() - 4) % RowHeight, 0);
    EXPECT_EQ(window.SpeedType.Top(), window.BevelSort.Top() + 7);
    EXPECT_EQ(window.btnClose.Top(), window.BevelSort.Top());
}

TEST_F(FormLibraryTest, AnAdditionWithoutSortScrollsToTheLastRows) {
    std::vector<TEntry> many(40, TEntry{model::etPatch, "Many"});
    TFormLibrary& window = OpenLibrary(many);
    EXPECT_EQ(window.DrawGrid.TopRow(), 0);
    Click(window.NewPerformance);
    EXPECT_EQ(window.Library().Count(), 41);
    EXPECT_EQ(window.Library().Elems.back()->Type, model::etPerformance);
    EXPECT_FALSE(window.Library().Saved);
    const int shown = window.DrawGrid.Height() / RowHeight;
    EXPECT_EQ(window.DrawGrid.TopRow(), 40 - shown + 1);
    EXPECT_TRUE(main.FileSaveItem.Enabled());
}

TEST_F(FormLibraryTest, PopupDeleteDestroysTheSubjectAndMarksTheLibraryUnsaved) {
    TFormLibrary& window = OpenLibrary(Mixed());
    EXPECT_FALSE(main.FileSaveItem.Enabled());
    const TPoint point = RowPoint(window, 2);
    After(100, [&] {
        // Delete is the popup's last item.
        ClickPopupItem(window.PopupMenu, window.PopupMenu.Items().Count() - 1);
    });
    driver.Click(point, Qt::RightButton);
    // At the pointer (elem_popup_test.cpp).
    EXPECT_NEAR(window.PopupMenu.PopupPoint().X, point.X, 4);
    EXPECT_NEAR(window.PopupMenu.PopupPoint().Y, point.Y, 6);
    EXPECT_EQ(RowNames(window), (std::vector<std::string>{"Delta", "Banks", "Charlie", "System",
                                                          "Everything", "Ppp", "Drums"}));
    EXPECT_EQ(main.TrashLibrary().Count(), 0);
    EXPECT_FALSE(window.Library().Saved);
    EXPECT_TRUE(main.FileSaveItem.Enabled());
}

TEST_F(FormLibraryTest, PopupCaptionsFollowTheSubject) {
    TFormLibrary& window = OpenLibrary(Mixed());
    const struct {
        int row;
        const char* load;
        bool importable;
    } cases[] = {{0, "Load SysEx", true},
                 {5, "Load Global", true},
                 {3, "Load SysEx", false},
                 {7, "Load SysEx", false}};
    for (const auto& c : cases) {
        After(100, [&] { driver.TypeKey(pw::VK_ESCAPE, "\x1b"); });
        driver.Click(RowPoint(window, c.row), Qt::RightButton);
        Later();
        EXPECT_EQ(window.LoadSysex.Caption, c.load) << c.row;
        EXPECT_EQ(window.ImportFrom.Enabled, c.importable) << c.row;
        EXPECT_EQ(window.ExportTo.Enabled, c.importable) << c.row;
    }
}

// Without a printer, Print Selected and the popup's Print write their listings beside the
// library's file, each into a file of its own, and say which.
TEST_F(FormLibraryTest, PrintSelectedAndThePopupsPrintWriteBesideTheLibrary) {
    TPrinterTarget target;
    model::SetPrintTarget(&target);
    TFormLibrary& window = OpenLibrary(Mixed());
    std::filesystem::create_directories(folder / "songs");
    window.Library().FileName = (folder / "songs" / "Live.Lib").string();
    driver.Click(RowPoint(window, 0));
    Later();
    Click(window.SpeedPrint);
    Later();
    After(100, [&] {
        ClickPopupItem(window.PopupMenu, PopupItemIndex(window.PopupMenu, window.PopupMenu.Print));
    });
    driver.Click(RowPoint(window, 2), Qt::RightButton);
    model::SetPrintTarget(nullptr);
    const std::vector<std::filesystem::path> files = {folder / "songs" / "Live.pdf",
                                                      folder / "songs" / "Live (2).pdf"};
    ASSERT_EQ(dialogs.messages.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(testsupport::PdfPageCount(files[i]), 1) << files[i];
        EXPECT_EQ(dialogs.messages[i], PrintedTo + files[i].string());
    }
}

TEST_F(FormLibraryTest, MorphAndRandomReportAWrongSelection) {
    TFormLibrary& window = OpenLibrary(
        {{model::etPatch, "One"}, {model::etPatch, "Two"}, {model::etPatchBank, "Bank"}});
    const struct {
        const char* name;
        std::vector<int> selected;
        std::vector<std::string> messages;
    } cases[] = {
        {"nothing selected", {}, {"You Must Select two Patch.", "You Must Select One Patch Bank."}},
        {"two patches", {0, 1}, {"You Must Select One Patch Bank."}},
        {"one patch bank", {2}, {"You Must Select two Patch."}},
        {"both", {0, 1, 2}, {}},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i)
            window.Library().Elem(i).Selected = false;
        for (int i : c.selected)
            window.Library().Elem(i).Selected = true;
        dialogs.messages.clear();
        Click(window.speedMorph);
        Later();
        Click(window.RandomBtn);
        Later();
        EXPECT_EQ(dialogs.messages, c.messages) << c.name;
    }
}

TEST_F(FormLibraryTest, ClosingAnUnsavedLibraryAsksAndCancelKeepsIt) {
    TFormLibrary& window = OpenLibrary(Mixed());
    window.Library().Saved = false;
    dialogs.answer = model::mrCancel;
    Click(window.btnClose);
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{"Untitled.Lib Was Not Saved, Save It ?"}));
    EXPECT_EQ(main.MDIChildCount(), 1);
    EXPECT_TRUE(state.CloseCancelled);
    EXPECT_EQ(window.Library().Count(), 8);
    dialogs.answer = model::mrNo;
    Later();
    Click(window.btnClose);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(main.MDIChildCount(), 0);
}

TEST_F(FormLibraryTest, EmptyAsksAndClearsTheLibrary) {
    TFormLibrary& window = OpenLibrary(Mixed());
    window.Library().Comment.Add("a comment");
    dialogs.answer = model::mrNo;
    Click(window.SpeedNuovo);
    EXPECT_EQ(window.Library().Count(), 8);
    dialogs.answer = model::mrYes;
    Later();
    Click(window.SpeedNuovo);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Are You Sure ?", "Are You Sure ?"}));
    EXPECT_EQ(window.Library().Count(), 0);
    EXPECT_EQ(window.Library().Comment.Count(), 0);
    EXPECT_FALSE(window.Library().Saved);
}

TEST_F(FormLibraryTest, ThePreviewHookLeavesTheGridToItself) {
    TFormLibrary& window = OpenLibrary(Mixed());
    EXPECT_TRUE(window.PreviewGridHit(window.DrawGrid));
    EXPECT_FALSE(window.PreviewGridHit(window.Panel));
}

TEST_F(FormLibraryTest, PanelClickClearsTheSelection) {
    TFormLibrary& window = OpenLibrary(Mixed());
    driver.Click(RowPoint(window, 1));
    EXPECT_EQ(SelectedCount(window), 1);
    Later();
    Click(window.Panel, {window.Panel.Width() - 4, window.Panel.Height() / 2 + 40});
    EXPECT_EQ(SelectedCount(window), 0);
}

// Two library windows side by side, apart (a click brings a window to the front), A (the Mixed
// entries) left and B (one patch) right, and a user who drags between them with the left button.
class LibraryDragTest : public FormLibraryTest {
protected:
    LibraryDragTest() {
        main.PopupCopyMove.OnPopup = [this](forms::TObject*) { ++popups; };
    }
    void OpenBoth() {
        a = &OpenLibrary(Mixed());
        a->SetBounds(0, 0, a->Width(), a->Height());
        b = &OpenLibrary({{model::etPatch, "Resident"}});
        b->SetBounds(LeftOfB, 0, b->Width(), b->Height());
        testsupport::PumpUntilIdle();
    }
    // Presses on from, moves past the drag threshold and on to to, and releases there; choose,
    // when given, picks an item of the Copy/Move popup that the release opens.
    void DragTo(TPoint from, TPoint to, std::optional<int> choose = {}) {
        if (choose) {
            After(100, [this, choose] { ClickPopupItem(main.PopupCopyMove, *choose); });
        }
        driver.Press(from);
        driver.MoveTo({from.X + 10, from.Y + 10});
        driver.MoveTo(to);
        driver.Release(to);
        testsupport::PumpUntilIdle();
    }
    // The point in the middle of B's empty rows, where a drop lands.
    TPoint IntoB() const { return b->DrawGrid.ClientToScreen({120, 5 * RowHeight}); }

    static constexpr int LeftOfB = 590;
    static constexpr int MoveItem = 0;
    static constexpr int CopyItem = 1;
    TFormLibrary* a = nullptr;
    TFormLibrary* b = nullptr;
    int popups = 0;
};

TEST_F(LibraryDragTest, AMoveOrCopyFromTheLibraryPopupFillsTheTargetAndMoveEmptiesTheSource) {
    const struct {
        const char* name;
        int item;
        std::vector<std::string> leftInA;
        bool aSaved;
    } cases[] = {
        {"move", MoveItem, {"Alpha", "Charlie", "System", "Everything", "Ppp", "Drums"}, false},
        {"copy",
         CopyItem,
         {"Delta", "Banks", "Alpha", "Charlie", "System", "Everything", "Ppp", "Drums"},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        popups = 0;
        OpenBoth();
        driver.Click(RowPoint(*a, 0));
        ShiftClick(RowPoint(*a, 1));
        Later();
        // A press on a selected row keeps the selection and drags all of it.
        const TPoint drop = IntoB();
        DragTo(RowPoint(*a, 1), drop, c.item);

        EXPECT_EQ(popups, 1);
        // At the drop, within the grid's place in its window (elem_popup_test.cpp).
        EXPECT_NEAR(main.PopupCopyMove.PopupPoint().X, drop.X, 12);
        EXPECT_NEAR(main.PopupCopyMove.PopupPoint().Y, drop.Y, 12);
        EXPECT_EQ(RowNames(*b), (std::vector<std::string>{"Resident", "Delta", "Banks"}));
        EXPECT_FALSE(b->Library().Saved);
        // The copies come selected, the rest of B not.
        EXPECT_FALSE(b->Library().Elem(0).Selected);
        EXPECT_TRUE(b->Library().Elem(1).Selected);
        EXPECT_NE(&b->Library().Elem(1), &a->Library().Elem(0));
        EXPECT_EQ(RowNames(*a), c.leftInA);
        EXPECT_EQ(a->Library().Saved, c.aSaved);
        EXPECT_EQ(main.TrashLibrary().Count(), 0);
        Later();
    }
}

TEST_F(LibraryDragTest, ADropOntoItsOwnWindowOrItsPanelIsRefused) {
    OpenBoth();
    driver.Click(RowPoint(*a, 2));
    Later();
    for (const TPoint to : {RowPoint(*a, 5), a->Panel.ClientToScreen({a->Panel.Width() - 4, 250}),
                            b->Panel.ClientToScreen({b->Panel.Width() - 4, 250})}) {
        SCOPED_TRACE(to.Y);
        DragTo(RowPoint(*a, 2), to);
        EXPECT_FALSE(main.DragInfo().Accept);
        EXPECT_EQ(popups, 0);
        EXPECT_EQ(a->Library().Count(), 8);
        EXPECT_EQ(b->Library().Count(), 1);
        EXPECT_TRUE(a->Library().Saved);
        Later();
    }
}

TEST_F(LibraryDragTest, ADropOnTheTrashWindowMovesWithoutAPopup) {
    OpenBoth();
    Click(main.TrashVuoto);
    Click(main.TrashVuoto);
    ASSERT_NE(main.TrashWindow, nullptr);
    TFormLibrary& trash = *main.TrashWindow;
    trash.SetBounds(LeftOfB, 0, trash.Width(), trash.Height());
    testsupport::PumpUntilIdle();
    Later();
    driver.Click(RowPoint(*a, 3));
    Later();
    DragTo(RowPoint(*a, 3), trash.DrawGrid.ClientToScreen({120, 3 * RowHeight}));

    EXPECT_EQ(popups, 0);
    EXPECT_EQ(Names(main.TrashLibrary()), (std::vector<std::string>{"Charlie"}));
    EXPECT_EQ(RowNames(trash), (std::vector<std::string>{"Charlie"}));
    EXPECT_EQ(a->Library().Count(), 7);
    EXPECT_FALSE(a->Library().Saved);
}

TEST_F(LibraryDragTest, ADropOnTheBinMovesTheSelectionToTheTrashAsDeleteDoes) {
    OpenBoth();
    ASSERT_TRUE(main.TrashVuoto.Visible());
    driver.Click(RowPoint(*a, 1));
    driver.HoldKey(pw::VK_CONTROL);
    driver.Click(RowPoint(*a, 4));
    driver.ReleaseKey(pw::VK_CONTROL);
    Later();
    DragTo(RowPoint(*a, 4), main.TrashVuoto.ClientToScreen(
                                {main.TrashVuoto.Width() / 2, main.TrashVuoto.Height() / 2}));

    EXPECT_EQ(popups, 0);
    EXPECT_EQ(Names(main.TrashLibrary()), (std::vector<std::string>{"Banks", "System"}));
    EXPECT_EQ(RowNames(*a), (std::vector<std::string>{"Delta", "Alpha", "Charlie", "Everything",
                                                      "Ppp", "Drums"}));
    EXPECT_FALSE(a->Library().Saved);
    EXPECT_TRUE(main.TrashPieno.Visible());
    EXPECT_FALSE(main.TrashVuoto.Visible());
}

// The library windows on the simulated instrument, with the main window's preview hook as the
// program installs it.
class LibraryTransferTest : public WithPreview<FormLibraryTest> {
protected:
    // The addresses of the data sets (command 12H) among messages, in order.
    static std::vector<std::uint32_t>
    DataSetAddresses(const std::vector<std::vector<std::uint8_t>>& messages) {
        std::vector<std::uint32_t> addresses;
        for (const auto& message : messages)
            if (message.size() > 9 && message[0] == 0xF0 && message[4] == 0x12)
                addresses.push_back(static_cast<std::uint32_t>(message[5]) << 24 |
                                    static_cast<std::uint32_t>(message[6]) << 16 |
                                    static_cast<std::uint32_t>(message[7]) << 8 | message[8]);
        return addresses;
    }
};

TEST_F(LibraryTransferTest, ShiftRightOnAPatchSendsItAndTheNoteFollowsOneIntervalLater) {
    ASSERT_TRUE(state.Midi.Online());
    TFormLibrary& window = OpenLibrary({{model::etPerformance, "Perf"}, {model::etPatch, "Lead"}});
    const std::size_t before = instrument().Received().size();
    const TPoint point = RowPoint(window, 1);
    driver.HoldKey(pw::VK_SHIFT);
    driver.Press(point, Qt::RightButton);
    Run(5);
    const auto received = instrument().Received();
    const std::vector<std::vector<std::uint8_t>> sent(
        received.begin() + static_cast<std::ptrdiff_t>(before), received.end());
    // The common part and the four tones, into the edit buffer's patch; no note yet.
    EXPECT_EQ(
        DataSetAddresses(sent),
        (std::vector<std::uint32_t>{0x03000000, 0x03001000, 0x03001200, 0x03001400, 0x03001600}));
    EXPECT_EQ(sent.size(), 5u);
    EXPECT_TRUE(window.Library().Elem(1).Selected);
    EXPECT_EQ(forms::Screen().Cursor(), model::crHelp);

    const std::vector<std::uint8_t> noteOn{0x90, 64, 99};
    Run(990);
    EXPECT_EQ(instrument().Received().size(), before + 5);
    Run(10);
    EXPECT_EQ(instrument().Received().back(), noteOn);
    driver.Release(point, Qt::RightButton);
    driver.ReleaseKey(pw::VK_SHIFT);
    Run(5);
    EXPECT_EQ(instrument().Received().back(), (std::vector<std::uint8_t>{0x80, 64, 0}));
    EXPECT_EQ(forms::Screen().Cursor(), forms::crDefault);
}

TEST_F(LibraryTransferTest, ACancelledReceiveStopsReceiveSelected) {
    ASSERT_TRUE(state.Midi.Online());
    testsupport::SimFaults faults;
    faults.Silent = true;
    instrument().SetFaults(faults);
    TFormLibrary& window =
        OpenLibrary({{model::etPatch, "One"}, {model::etPatch, "Two"}, {model::etPatch, "Three"}});
    for (int i = 0; i < 3; ++i)
        window.Library().Elem(i).Selected = true;
    const std::size_t before = instrument().Received().size();
    After(500, [&] { Click(transmet.BitBtn1); });
    Click(window.speedreceive);
    Run(10000);

    // One request, for the first patch; the others are never asked for.
    EXPECT_EQ(instrument().Received().size(), before + 1);
    EXPECT_FALSE(transmet.Visible());
    EXPECT_FALSE(transmet.Done());
    EXPECT_TRUE(dialogs.messages.empty());
}

// The pixels of a bitmap, row by row.
std::vector<pg::TColor> PixelsOf(forms::TBitmap& bitmap) {
    std::vector<pg::TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(bitmap.Canvas().Pixel(x, y));
    return pixels;
}

TEST_F(FormLibraryTest, ButtonsShowTheToolPicturesAndTheElementIconsOfTheirKinds) {
    TFormLibrary& window = OpenLibrary({});
    const std::pair<forms::TSpeedButton*, TLibraryGlyph> tools[] = {
        {&window.SpeedNuovo, TLibraryGlyph::New},
        {&window.Speedcomment, TLibraryGlyph::Comment},
        {&window.SpeedPrint, TLibraryGlyph::Print},
        {&window.SpeedDelete, TLibraryGlyph::Delete},
        {&window.speedtransmet, TLibraryGlyph::Send},
        {&window.speedreceive, TLibraryGlyph::Receive},
        {&window.SpeedSearch, TLibraryGlyph::Search},
        {&window.Speeddebug, TLibraryGlyph::Duplicate},
        {&window.speedMorph, TLibraryGlyph::Morph},
        {&window.RandomBtn, TLibraryGlyph::Random},
        {&window.SpeedHelp, TLibraryGlyph::Help}};
    for (const auto& [button, glyph] : tools) {
        forms::TBitmap expected;
        DrawLibraryGlyph(expected, glyph);
        EXPECT_EQ(PixelsOf(button->Glyph()), PixelsOf(expected)) << button->Hint;
    }
    for (std::int16_t type = model::etPatch; type <= model::etGlobal; ++type) {
        forms::TBitmap expected;
        DrawElemIcon(expected, type);
        EXPECT_EQ(PixelsOf(window.NewButton(type).Glyph()), PixelsOf(expected)) << "type " << type;
        EXPECT_EQ(PixelsOf(window.MaskButton(type).Glyph()), PixelsOf(expected)) << "type " << type;
    }
}

TEST_F(FormLibraryTest, RowsShowTheElementIconOnTheRowsColour) {
    TFormLibrary& window = OpenLibrary({{model::etPatch, "Delta"}, {model::etRhythm, "Drums"}});
    window.DrawGrid.Repaint();
    testsupport::PumpUntilIdle();
    const pw::HWND grid = window.DrawGrid.Handle();
    for (int row = 0; row < 2; ++row) {
        forms::TBitmap icon;
        DrawElemIcon(icon, window.Library().Elem(row).Type);
        // The icon stands somewhere at the row's left, its background white.
        const pg::HDC dc = pw::GetDC(grid);
        bool found = false;
        for (int top = row * RowHeight; !found && top + 16 <= (row + 1) * RowHeight; ++top)
            for (int left = 0; !found && left < 40; ++left) {
                found = true;
                for (int y = 0; found && y < 16; ++y)
                    for (int x = 0; found && x < icon.Width(); ++x) {
                        const pg::TColor colour = icon.Canvas().Pixel(x, y);
                        found = (pg::GetPixel(dc, left + x, top + y) & 0xFFFFFF) ==
                                static_cast<pg::COLORREF>(colour == ImageBackground ? pg::clWhite
                                                                                    : colour);
                    }
            }
        pw::ReleaseDC(grid, dc);
        EXPECT_TRUE(found) << "row " << row;
    }
}

// A library file keeps where its window stood and its size; the window opens there, read as
// signed numbers, and one never placed stays where the window system put it, pulled above the
// bars.
TEST_F(FormLibraryTest, OpensAtThePlaceTheLibraryKeeps) {
    const struct {
        std::int16_t left, top, height;
        bool placed;
    } cases[] = {
        {40, 30, 420, true}, {-10, 20, 420, true}, {7, -1, 420, false}, {7, -1, 680, false}};
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(index);
        model::TLibrary stored;
        stored.FileName = (folder / ("Placed" + std::to_string(index++) + ".Lib")).string();
        stored.EditorLeft = c.left;
        stored.EditorTop = c.top;
        stored.Width = 583;
        stored.Height = c.height;
        ASSERT_TRUE(stored.SaveFile(false));
        {
            platform::core::TIniFile ini(model::SettingsFileName);
            ini.WriteInteger("Desktop", "Num Library", 1);
            ini.WriteString("Desktop", "Library1", stored.FileName);
        }
        main.LoadDesktopLibrary();
        testsupport::PumpUntilIdle();
        auto* window = dynamic_cast<TFormLibrary*>(main.ActiveMDIChild());
        ASSERT_NE(window, nullptr);
        if (c.placed) {
            EXPECT_EQ(window->Left(), c.left);
            EXPECT_EQ(window->Top(), c.top);
        } else {
            const int bottom = main.ClientHeight() - 45;
            if (c.height > 420) {
                EXPECT_EQ(window->Top(), bottom - window->Height() - 1);
            } else {
                EXPECT_LT(window->Top() + window->Height(), bottom);
            }
        }
        // The library keeps the place it was given: closing the unmoved window is no change.
        EXPECT_EQ(window->Library().EditorLeft, window->Left());
        EXPECT_EQ(window->Library().EditorTop, window->Top());
        dialogs.messages.clear();
        window->Close();
        testsupport::PumpUntilIdle();
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{});
        EXPECT_EQ(main.MDIChildCount(), 0);
    }
}

// After Save As, or Save All of an untitled library, the library's windows take its new name at
// once: the library window's caption, and the bank and global windows' locations.
class LibrarySaveTest : public FormLibraryTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LibrarySaveTest, NamesTheLibrarysWindowsAtOnce) {
    const bool saveAll = GetParam();
    class SavingDialogs : public RecordingDialogs {
    public:
        bool SaveDialog(model::TFileDialogRequest& request) override {
            requests.push_back(request);
            request.FileName = answer;
            return true;
        }
        std::string answer;
        std::vector<model::TFileDialogRequest> requests;
    } saving;
    saving.answer = (folder / "Renamed.Lib").string();
    TFormLibrary& window = OpenLibrary({{model::etPatchBank, "Leads"}, {model::etGlobal, "All"}});
    std::vector<forms::TCustomForm*> opened;
    for (int i = 0; i < 2; ++i) {
        window.Library().Elem(i).OpenEditor();
        testsupport::PumpUntilIdle();
        opened.push_back(main.ActiveMDIChild());
    }
    window.Library().Saved = !saveAll;
    main.EnableMenuItems();
    model::SetDialogs(&saving);
    (saveAll ? main.FileSaveAllItem : main.FileSaveAsItem).Click();
    testsupport::PumpUntilIdle();
    model::SetDialogs(&dialogs);
    ASSERT_EQ(saving.requests.size(), 1u);
    EXPECT_EQ(saving.requests[0].FileName, "Untitled.Lib");
    EXPECT_EQ(saving.requests[0].Filter, "Lib file|*.Lib");
    EXPECT_EQ(window.Library().FileName, saving.answer);
    EXPECT_TRUE(window.Library().Saved);
    EXPECT_TRUE(std::filesystem::exists(saving.answer));
    EXPECT_EQ(window.Caption(), "Library : Renamed.Lib");
    EXPECT_EQ(opened[0]->Caption(), "Patch Bank Leads [Location : Renamed.Lib]");
    EXPECT_EQ(opened[1]->Caption(), "Global All [Location : Renamed.Lib]");
}

INSTANTIATE_TEST_SUITE_P(Commands, LibrarySaveTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "SaveAll" : "SaveAs"; });

// However short the window is made, the Close button stays below the right-hand column's
// buttons: the mask buttons and Unmask All, or the trash's Empty and Help.
TEST_F(FormLibraryTest, AShortWindowKeepsItsCloseButtonClearOfTheButtonsAbove) {
    TFormLibrary& window = OpenLibrary(Mixed());
    Click(main.TrashVuoto);
    Click(main.TrashVuoto);
    testsupport::PumpUntilIdle();
    ASSERT_NE(main.TrashWindow, nullptr);
    for (TFormLibrary* each : {&window, main.TrashWindow}) {
        SCOPED_TRACE(each->TrashMode() ? "trash" : "library");
        each->SetHeight(100);
        testsupport::PumpUntilIdle();
        const forms::TRect close = each->btnClose.BoundsRect();
        for (int i = 0; i < each->Panel.ControlCount(); ++i) {
            forms::TControl* control = each->Panel.Controls(i);
            if (control == &each->btnClose || !control->Visible()) continue;
            forms::TRect overlap;
            EXPECT_FALSE(pg::IntersectRect(overlap, close, control->BoundsRect()))
                << control->Name << " " << control->Top();
        }
        EXPECT_LE(close.Bottom, each->Panel.ClientHeight());
        EXPECT_GT(each->DrawGrid.Height(), 0);
    }
}

// Window > Tile lays two libraries and the monitor out without overlap, though the libraries
// keep a least height and a width of their own.
TEST_F(FormLibraryTest, TileLaysTheWindowsOutApart) {
    OpenLibrary(Mixed());
    OpenLibrary({});
    main.GadgetsMonitorItem.Click();
    testsupport::PumpUntilIdle();
    ASSERT_EQ(main.MDIChildCount(), 3);
    main.WindowTileItem.Click();
    testsupport::PumpUntilIdle();
    std::vector<forms::TRect> rects;
    for (int i = 0; i < main.MDIChildCount(); ++i)
        rects.push_back(main.MDIChildren(i)->BoundsRect());
    for (std::size_t i = 0; i < rects.size(); ++i)
        for (std::size_t j = i + 1; j < rects.size(); ++j) {
            forms::TRect overlap;
            EXPECT_FALSE(pg::IntersectRect(overlap, rects[i], rects[j])) << i << " and " << j;
        }
    testsupport::SaveWindowPng(main.Handle(), Png("tiled.png"));
}

} // namespace

} // namespace app::test
