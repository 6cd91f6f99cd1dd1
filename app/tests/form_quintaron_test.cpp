#include "app/form_quintaron.h"

#include "app/app_images.h"
#include "app/form_library.h"
#include "app/form_monitor.h"
#include "app/printer_target.h"
#include "app/sto_html_help.h"
#include "app/tests/main_window_fixture.h"
#include "app/tests/recording_help_library.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/preview/preview.h"
#include "model/print/print_target.h"
#include "model/program/config.h"
#include "platform/core/ini_file.h"
#include "platform/forms/printers.h"
#include "platform/forms/screen.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"
#include "platform/win/layered_windows.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/forms/recording_printer.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_menu_animation.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_shadow.h"

#include <algorithm>
#include <deque>
#include <fstream>
#include <map>
#include <regex>

namespace app::test {

namespace {

namespace forms = platform::forms;
namespace bars = toolkit::bars;
namespace pc = platform::core;
namespace pw = platform::win;

// Answers the message boxes in turn, writing each question down.
class QueuedDialogs : public RecordingDialogs {
public:
    // The open dialog gives OpenAnswer, or is cancelled when it is empty.
    bool OpenDialog(model::TFileDialogRequest& request) override {
        if (OpenAnswer.empty()) return false;
        request.FileName = OpenAnswer;
        return true;
    }
    model::TModalResult MessageDlg(const std::string& text, model::TMsgDlgType,
                                   model::TMsgDlgButtons) override {
        messages.push_back(text);
        if (answers.empty()) return model::mrNo;
        const model::TModalResult next = answers.front();
        answers.pop_front();
        return next;
    }
    std::deque<model::TModalResult> answers;
    std::string OpenAnswer;
};

class FormquintaronTest : public MainWindowTest {
protected:
    FormquintaronTest() { model::SetDialogs(&queued); }

    // A library file with one patch, written where the test keeps its files.
    std::string LibraryFile(const std::string& name) {
        model::TLibrary library;
        library.FileName = (folder / name).string();
        library.Add(std::make_unique<model::TPatch>(&library)).SetName(name, false);
        EXPECT_TRUE(library.SaveFile(false));
        return library.FileName;
    }
    TFormLibrary& LibraryWindow(int index) {
        auto* window = dynamic_cast<TFormLibrary*>(main.MDIChildren(index));
        EXPECT_NE(window, nullptr);
        return *window;
    }
    // The names of the enabled items among the commands.
    std::vector<std::string> EnabledCommands() {
        std::vector<std::string> names;
        for (bars::TdxBarItem* item : std::initializer_list<bars::TdxBarItem*>{
                 &main.FileNewItem,        &main.FileOpenItem,        &main.FileImportFrom,
                 &main.FileCloseItem,      &main.FileSaveItem,        &main.FileSaveAsItem,
                 &main.FileExportto,       &main.FileSaveAllItem,     &main.FilePrintItem,
                 &main.FileExitItem,       &main.SetMidiMidiPortItem, &main.SetPreviewItem,
                 &main.SetExpansionItem,   &main.SetPatchAndPerf,     &main.GadgetsKeyboardItem,
                 &main.GadgetsMonitorItem, &main.WindowCascadeItem,   &main.WindowTileItem,
                 &main.WindowArrangeItem,  &main.WindowMinimizeItem,  &main.Index1,
                 &main.HelpAboutItem})
            if (item->Enabled()) names.push_back(item->Name);
        return names;
    }
    pc::TIniFile Settings() { return pc::TIniFile(model::SettingsFileName); }

    QueuedDialogs queued;
};

using Names = std::vector<std::string>;
const Names Always = {
    "FileNewItem",         "FileOpenItem",       "FileImportFrom",   "FileExitItem",
    "SetMidiMidiPortItem", "SetPreviewItem",     "SetExpansionItem", "SetPatchAndPerf",
    "GadgetsKeyboardItem", "GadgetsMonitorItem", "Index1",           "HelpAboutItem"};
const Names WindowItems = {"WindowCascadeItem", "WindowTileItem", "WindowArrangeItem",
                           "WindowMinimizeItem"};

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}
Names Plus(Names names, const Names& more, const Names& less = {}) {
    names.insert(names.end(), more.begin(), more.end());
    std::erase_if(names, [&](const std::string& n) {
        return std::find(less.begin(), less.end(), n) != less.end();
    });
    return Sorted(names);
}

TEST_F(FormquintaronTest, StandsAsTheMainWindowWithTheEmptyBinAndItsCaptions) {
    EXPECT_EQ(MainWindow(), &main);
    EXPECT_EQ(main.Caption(), "Quintaron 3.0");
    EXPECT_TRUE(main.TrashVuoto.Visible());
    EXPECT_FALSE(main.TrashPieno.Visible());
    EXPECT_EQ(main.FileImportFrom.Caption(), "Import From Synth");
    EXPECT_EQ(main.FileImportFrom.Hint, "Import From Synth");
    EXPECT_EQ(main.FileExportto.Caption(), "Export To Synth");
    EXPECT_EQ(main.HelpContext, 25);
    EXPECT_EQ(main.PanelTrash.Left(), main.ClientWidth() - main.PanelTrash.Width() - 15);
    EXPECT_EQ(main.PanelTrash.Top(), main.ClientHeight() - main.PanelTrash.Height() - 15);
    const std::string help = forms::Application().HelpFile;
    EXPECT_EQ(help.substr(help.size() - std::string("/QUINTARON.chm").size()), "/QUINTARON.chm");
}

// A bitmap's pixels, row by row.
std::vector<platform::gdi::TColor> PixelsOf(forms::TBitmap& bitmap) {
    std::vector<platform::gdi::TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(bitmap.Canvas().Pixel(x, y));
    return pixels;
}

// Whether the picture's drawn pixels (those not ImageBackground) stand somewhere inside rect of
// the window, exactly as drawn.
bool ShowsPicture(platform::win::HWND window, const platform::gdi::TRect& rect,
                  forms::TBitmap& picture) {
    const platform::gdi::HDC dc = platform::win::GetDC(window);
    bool found = false;
    for (int top = rect.Top; !found && top + picture.Height() <= rect.Bottom; ++top)
        for (int left = rect.Left; !found && left + picture.Width() <= rect.Right; ++left) {
            found = true;
            for (int y = 0; found && y < picture.Height(); ++y)
                for (int x = 0; found && x < picture.Width(); ++x) {
                    const platform::gdi::TColor colour = picture.Canvas().Pixel(x, y);
                    found = colour == ImageBackground ||
                            (platform::gdi::GetPixel(dc, left + x, top + y) & 0xFFFFFF) ==
                                static_cast<platform::gdi::COLORREF>(colour);
                }
        }
    platform::win::ReleaseDC(window, dc);
    return found;
}

TEST_F(FormquintaronTest, EveryCommandCarriesItsPictureAndTheToolbarShowsItsNine) {
    EXPECT_EQ(main.dxBarManager1.Images(), &main.ImageListMenu);
    EXPECT_EQ(main.ImageListMenu.Count(), MenuImageCount);
    const std::pair<bars::TdxBarItem*, TMenuImage> commands[] = {
        {&main.FileNewItem, TMenuImage::New},
        {&main.FileOpenItem, TMenuImage::Open},
        {&main.FileImportFrom, TMenuImage::ImportFromSynth},
        {&main.FileCloseItem, TMenuImage::Close},
        {&main.FileSaveItem, TMenuImage::Save},
        {&main.FileSaveAsItem, TMenuImage::SaveAs},
        {&main.FileExportto, TMenuImage::ExportToSynth},
        {&main.FileSaveAllItem, TMenuImage::SaveAll},
        {&main.FilePrintItem, TMenuImage::Print},
        {&main.FileExitItem, TMenuImage::Exit},
        {&main.SetMidiMidiPortItem, TMenuImage::Midi},
        {&main.SetPreviewItem, TMenuImage::Preview},
        {&main.SetExpansionItem, TMenuImage::Expansion},
        {&main.SetPatchAndPerf, TMenuImage::Names},
        {&main.GadgetsKeyboardItem, TMenuImage::Keyboard},
        {&main.GadgetsMonitorItem, TMenuImage::Monitor},
        {&main.WindowCascadeItem, TMenuImage::Cascade},
        {&main.WindowTileItem, TMenuImage::Tile},
        {&main.WindowArrangeItem, TMenuImage::Arrange},
        {&main.WindowMinimizeItem, TMenuImage::MinimizeAll},
        {&main.Index1, TMenuImage::HelpIndex},
        {&main.HelpAboutItem, TMenuImage::About}};
    for (const auto& [item, picture] : commands)
        EXPECT_EQ(item->ImageIndex(), MenuImageIndex(picture)) << item->Name;
    for (bars::TdxBarItem* menu : std::initializer_list<bars::TdxBarItem*>{
             &main.File1, &main.Settings1, &main.Gaggets1, &main.Window1, &main.Help1})
        EXPECT_EQ(menu->ImageIndex(), -1) << menu->Name;

    // With an unsaved library every toolbar button is enabled and shows its picture as drawn.
    main.FileNew();
    main.ActiveLibrary()->Saved = false;
    main.EnableMenuItems();
    bars::TdxBar& tools = *main.dxBarManager1.Bars()->Items(1);
    ASSERT_EQ(tools.Caption(), "ToolBar");
    bars::TdxBarItemLinks& links = tools.ItemLinks();
    ASSERT_NE(links.BarControl(), nullptr);
    links.BarControl()->Repaint();
    testsupport::PumpUntilIdle();
    const TMenuImage shown[] = {TMenuImage::New,     TMenuImage::Open,     TMenuImage::Save,
                                TMenuImage::SaveAll, TMenuImage::Print,    TMenuImage::Midi,
                                TMenuImage::Preview, TMenuImage::Keyboard, TMenuImage::Monitor};
    ASSERT_EQ(links.VisibleItemCount(), static_cast<int>(std::size(shown)));
    for (int i = 0; i < links.VisibleItemCount(); ++i) {
        forms::TBitmap picture;
        DrawMenuImage(picture, shown[i]);
        EXPECT_TRUE(
            ShowsPicture(links.BarControl()->Handle(), links.VisibleItems(i)->ItemRect, picture))
            << "toolbar button " << i;
    }
    testsupport::SaveWindowPng(main.Handle(), (folder / "main_window_toolbar.png").string());
}

TEST_F(FormquintaronTest, TheElementButtonsTheBinsAndTheCursorsAreTheProgramsPictures) {
    const std::pair<forms::TBitBtn*, std::int16_t> icons[] = {
        {&main.Patch, model::etPatch},
        {&main.PatchBank, model::etPatchBank},
        {&main.Performance, model::etPerformance},
        {&main.PerformanceBank, model::etPerformanceBank},
        {&main.Rhythm, model::etRhythm},
        {&main.RhythmBank, model::etRhythmBank},
        {&main.System, model::etSystem},
        {&main.global, model::etGlobal}};
    for (const auto& [button, type] : icons) {
        forms::TBitmap expected;
        DrawElemIcon(expected, type);
        EXPECT_EQ(PixelsOf(button->Glyph()), PixelsOf(expected)) << "type " << type;
    }
    for (const auto& [image, full] :
         {std::pair{&main.TrashPieno, true}, {&main.TrashVuoto, false}}) {
        forms::TBitmap expected;
        DrawBin(expected, full);
        EXPECT_EQ(PixelsOf(image->Picture().Bitmap()), PixelsOf(expected)) << "full " << full;
        EXPECT_TRUE(image->Transparent);
    }
    EXPECT_EQ(forms::Screen().Cursors(model::crHelp), AppCursor(TAppCursor::Preview));
    EXPECT_EQ(forms::Screen().Cursors(forms::crDrag), AppCursor(TAppCursor::Drag));
}

TEST_F(FormquintaronTest, TheMenusAreEnabledByTheActiveWindow) {
    EXPECT_EQ(Sorted(EnabledCommands()), Sorted(Always)) << "no child";

    main.GadgetsMonitor();
    EXPECT_EQ(Sorted(EnabledCommands()), Plus(Always, WindowItems, {"GadgetsMonitorItem"}))
        << "monitor open";
    main.Monitor()->Close();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(main.Monitor(), nullptr);
    EXPECT_EQ(Sorted(EnabledCommands()), Sorted(Always)) << "monitor closed";

    main.FileNew();
    const Names withLibrary = {"FileCloseItem", "FileSaveAsItem", "FilePrintItem"};
    const Names unsaved = {"FileSaveItem", "FileExportto", "FileSaveAllItem"};
    EXPECT_EQ(Sorted(EnabledCommands()), Plus(Always, Plus(withLibrary, WindowItems)))
        << "saved library";
    LibraryWindow(0).Library().Saved = false;
    main.EnableMenuItems();
    EXPECT_EQ(Sorted(EnabledCommands()),
              Plus(Always, Plus(Plus(withLibrary, unsaved), WindowItems)))
        << "unsaved library";

    Click(main.TrashVuoto);
    Click(main.TrashVuoto);
    testsupport::PumpUntilIdle();
    ASSERT_NE(main.TrashWindow, nullptr);
    EXPECT_EQ(main.ActiveMDIChild(), main.TrashWindow);
    // The library behind it is still unsaved.
    EXPECT_EQ(Sorted(EnabledCommands()), Plus(Always, Plus(WindowItems, {"FileSaveAllItem"})))
        << "trash window active";
}

TEST_F(FormquintaronTest, TheBinsDoubleClickOpensTheTrashWindowAndItsCloseShowsTheBinAgain) {
    Click(main.TrashVuoto);
    Click(main.TrashVuoto);
    testsupport::PumpUntilIdle();

    ASSERT_NE(main.TrashWindow, nullptr);
    EXPECT_EQ(main.TrashWindow->Caption(), "Trash Library");
    EXPECT_TRUE(main.TrashWindow->TrashMode());
    EXPECT_EQ(&main.TrashWindow->Library(), &main.TrashLibrary());
    EXPECT_FALSE(main.PanelTrash.Visible());

    main.TrashLibrary().Add(std::make_unique<model::TPatch>(&main.TrashLibrary()));
    main.TrashWindow->Close();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(main.TrashWindow, nullptr);
    EXPECT_EQ(main.MDIChildCount(), 0);
    EXPECT_TRUE(main.PanelTrash.Visible());
    EXPECT_TRUE(main.TrashPieno.Visible());
    EXPECT_FALSE(main.TrashVuoto.Visible());
}

// The desktop keys of three libraries, the second entry given.
void WriteDesktop(pc::TIniFile& ini, const std::vector<std::string>& files, int monitor) {
    ini.WriteInteger("Desktop", "Num Library", static_cast<int>(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i)
        ini.WriteString("Desktop", "Library" + std::to_string(i + 1), files[i]);
    ini.WriteInteger("Monitor", "Open", monitor);
}

TEST_F(FormquintaronTest, TheRestoreSkipsAnEmptyEntryOpensTheOthersInOrderAndReopensTheMonitor) {
    pc::TIniFile ini = Settings();
    WriteDesktop(ini, {LibraryFile("One.Lib"), "", LibraryFile("Three.Lib")}, 1);

    main.LoadDesktopLibrary();

    ASSERT_EQ(main.MDIChildCount(), 3);
    ASSERT_NE(main.Monitor(), nullptr);
    EXPECT_TRUE(state.MonitorOpen);
    // The front window came last.
    EXPECT_EQ(main.MDIChildren(0), main.Monitor());
    EXPECT_EQ(LibraryWindow(1).Caption(), "Library : Three.Lib");
    EXPECT_EQ(LibraryWindow(2).Caption(), "Library : One.Lib");
    EXPECT_TRUE(LibraryWindow(2).Library().Saved);
    EXPECT_EQ(LibraryWindow(2).Library().Count(), 1);
    // For a person to look at.
    testsupport::SaveWindowPng(
        main.Handle(),
        (std::filesystem::temp_directory_path() / "quintaron_main_window.png").string());
}

// A damaged or hand-edited settings file: the restore looks at no more entries than the file
// holds, and no size or place it reads can make a window beyond the screen.
TEST_F(FormquintaronTest, TheRestoreOfAnAbsurdDesktopEndsWithWhatTheFileHolds) {
    pc::TIniFile ini = Settings();
    ini.WriteString("Desktop", "Num Library", "2147483647");
    ini.WriteString("Desktop", "Library1", LibraryFile("One.Lib"));
    ini.WriteString("Desktop", "Library7", LibraryFile("Seven.Lib"));
    ini.WriteString("Desktop", "Library08", LibraryFile("NotAnEntry.Lib"));
    ini.WriteInteger("Monitor", "Open", 1);
    ini.WriteString("Monitor", "Width", "2147483647");
    ini.WriteString("Monitor", "Height", "-2147483648");
    ini.WriteString("Monitor", "Left", "$7FFFFFFF");
    ini.WriteString("Monitor", "Top", "garbage");
    ini.WriteInteger("Keyboard", "Open", 1);
    ini.WriteString("Keyboard", "Width", "2147483647");
    ini.WriteString("Keyboard", "Left", "-2147483648");

    main.LoadDesktopLibrary();

    ASSERT_EQ(main.MDIChildCount(), 4);
    EXPECT_EQ(LibraryWindow(2).Caption(), "Library : Seven.Lib");
    EXPECT_EQ(LibraryWindow(3).Caption(), "Library : One.Lib");
    ASSERT_NE(main.Monitor(), nullptr);
    const int screenWidth = forms::Screen().Width();
    const int screenHeight = forms::Screen().Height();
    for (int i = 0; i < 2; ++i) {
        const forms::TCustomForm& window = *main.MDIChildren(i);
        SCOPED_TRACE(window.Caption());
        EXPECT_LE(window.Width(), screenWidth);
        EXPECT_LE(window.Height(), screenHeight);
        EXPECT_GE(window.Left(), -screenWidth);
        EXPECT_LE(window.Left(), screenWidth);
        EXPECT_GE(window.Top(), -screenHeight);
        EXPECT_LE(window.Top(), screenHeight);
    }
}

// Files that are no library: opened or restored, each is refused aloud, no window comes up for
// it, and so the desktop written at the close does not name it.
TEST_F(FormquintaronTest, AFileThatIsNoLibraryOpensNoWindowAndStaysOffTheDesktop) {
    const auto write = [this](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    };
    std::vector<std::uint8_t> noise(2000);
    std::uint32_t seed = 45;
    for (std::uint8_t& byte : noise) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    const std::vector<std::uint8_t> comment = {5, 0, 'S', 'o', 'u', 'n', 'd', 0xFF, 0xFF, 1, 0};
    const std::vector<std::string> refused = {write("Empty.Lib", {}), write("Random.Lib", noise),
                                              write("Cut.Lib", comment)};
    for (const std::string& file : refused) {
        SCOPED_TRACE(file);
        queued.messages.clear();
        queued.OpenAnswer = file;
        main.FileOpen();
        testsupport::PumpUntilIdle();
        EXPECT_EQ(main.MDIChildCount(), 0);
        ASSERT_EQ(queued.messages.size(), 1u);
        EXPECT_EQ(queued.messages[0],
                  "Error Loading Library: " + std::filesystem::path(file).filename().string() +
                      " is not a library file.");
    }

    // Recorded by an earlier run, they are refused at the restore too.
    pc::TIniFile ini = Settings();
    const std::string kept = LibraryFile("Kept.Lib");
    WriteDesktop(ini, {refused[0], kept, refused[1], refused[2]}, 0);
    queued.messages.clear();
    main.LoadDesktopLibrary();
    ASSERT_EQ(main.MDIChildCount(), 1);
    EXPECT_EQ(LibraryWindow(0).Caption(), "Library : Kept.Lib");
    EXPECT_EQ(queued.messages.size(), 3u);

    main.Close();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(forms::Application().Terminated());
    EXPECT_EQ(Settings().ReadInteger("Desktop", "Num Library", -1), 1);
    EXPECT_EQ(Settings().ReadString("Desktop", "Library1", ""), kept);
    forms::Application().ResetTerminated();
    // The files are as they were.
    EXPECT_EQ(std::filesystem::file_size(refused[0]), 0u);
    EXPECT_EQ(std::filesystem::file_size(refused[1]), noise.size());
}

TEST_F(FormquintaronTest, ShutDownCancelledAtTheSecondQuestionKeepsTheProgramAndRecordsNoLibrary) {
    pc::TIniFile ini = Settings();
    WriteDesktop(ini, {LibraryFile("One.Lib"), LibraryFile("Two.Lib"), LibraryFile("Three.Lib")},
                 0);
    main.LoadDesktopLibrary();
    ASSERT_EQ(main.MDIChildCount(), 3);
    for (int i = 0; i < 3; ++i)
        LibraryWindow(i).Library().Saved = false;
    const std::string last = LibraryWindow(2).Library().GetName();
    const std::string middle = LibraryWindow(1).Library().GetName();
    queued.answers = {model::mrNo, model::mrCancel};

    main.Close();
    testsupport::PumpUntilIdle();

    EXPECT_EQ(queued.messages, (std::vector<std::string>{last + " Was Not Saved, Save It ?",
                                                         middle + " Was Not Saved, Save It ?"}));
    EXPECT_EQ(main.MDIChildCount(), 2);
    EXPECT_FALSE(forms::Application().Terminated());
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(state.CloseCancelled);
    EXPECT_EQ(Settings().ReadInteger("Desktop", "Num Library", -1), 0);
    // The menus still follow the active window.
    EXPECT_TRUE(forms::Screen().OnActiveFormChange != nullptr);
}

TEST_F(FormquintaronTest, ShutDownWithAFailedSaveCancelsTheCloseAndKeepsTheLibrary) {
    main.FileNew();
    LibraryWindow(0).Library().Add(std::make_unique<model::TPatch>(nullptr));
    LibraryWindow(0).Library().Saved = false;
    queued.answers = {model::mrYes}; // the save dialog is cancelled (RecordingDialogs)

    main.Close();
    testsupport::PumpUntilIdle();

    ASSERT_EQ(main.MDIChildCount(), 1);
    EXPECT_EQ(LibraryWindow(0).Library().Count(), 1);
    EXPECT_FALSE(LibraryWindow(0).Library().Saved);
    EXPECT_FALSE(forms::Application().Terminated());
    EXPECT_EQ(Settings().ReadInteger("Desktop", "Num Library", -1), 0);
}

TEST_F(FormquintaronTest, ShutDownRecordsSavedLibrariesButNotAnUntitledOne) {
    pc::TIniFile ini = Settings();
    const std::string file = LibraryFile("Kept.Lib");
    WriteDesktop(ini, {file}, 0);
    main.LoadDesktopLibrary();
    main.FileNew();
    LibraryWindow(0).Library().Saved = false;
    queued.answers = {model::mrNo};

    main.Close();
    testsupport::PumpUntilIdle();

    EXPECT_EQ(queued.messages, (std::vector<std::string>{"Untitled.Lib Was Not Saved, Save It ?"}));
    EXPECT_TRUE(forms::Application().Terminated());
    EXPECT_EQ(Settings().ReadInteger("Desktop", "Num Library", -1), 1);
    EXPECT_EQ(Settings().ReadString("Desktop", "Library1", ""), file);
    EXPECT_EQ(Settings().ReadString("Desktop", "Library2", ""), "");
    EXPECT_EQ(Settings().ReadInteger("Monitor", "Open", -1), 0);
    forms::Application().ResetTerminated();
}

// A library opened by File Open or by the desktop restore and left as it is closes at the exit
// without a question and stays as it was on the disk, whatever window place and size its file
// holds: the place and size its window is given on opening are no change of the user's.
struct UnchangedCase {
    const char* name;
    bool restored;
    // The window fields of the file: never placed or sized (-1), or a size the window cannot
    // take (its width is its panel's, its height at least what keeps its buttons clear).
    std::int16_t left, top, width, height;
};

void PrintTo(const UnchangedCase& c, std::ostream* os) {
    *os << c.name;
}

class UnchangedLibraryTest : public FormquintaronTest,
                             public ::testing::WithParamInterface<UnchangedCase> {};

TEST_P(UnchangedLibraryTest, IsNotAskedToBeSavedAtExit) {
    const UnchangedCase& c = GetParam();
    std::string file;
    {
        model::TLibrary library;
        library.FileName = (folder / "Kept.Lib").string();
        library.Add(std::make_unique<model::TPatch>(&library)).SetName("Kept", false);
        library.EditorLeft = c.left;
        library.EditorTop = c.top;
        library.Width = c.width;
        library.Height = c.height;
        ASSERT_TRUE(library.SaveFile(false));
        file = library.FileName;
    }
    const auto written = std::filesystem::last_write_time(file);
    const auto size = std::filesystem::file_size(file);
    if (c.restored) {
        pc::TIniFile ini = Settings();
        WriteDesktop(ini, {file}, 0);
        main.LoadDesktopLibrary();
    } else {
        queued.OpenAnswer = file;
        main.FileOpen();
    }
    testsupport::PumpUntilIdle();
    ASSERT_EQ(main.MDIChildCount(), 1);
    EXPECT_TRUE(LibraryWindow(0).Library().Saved);

    main.Close();
    testsupport::PumpUntilIdle();

    EXPECT_EQ(queued.messages, std::vector<std::string>{});
    EXPECT_TRUE(forms::Application().Terminated());
    forms::Application().ResetTerminated();
    EXPECT_EQ(Settings().ReadString("Desktop", "Library1", ""), file);
    EXPECT_EQ(std::filesystem::last_write_time(file), written);
    EXPECT_EQ(std::filesystem::file_size(file), size);
}

INSTANTIATE_TEST_SUITE_P(
    Openings, UnchangedLibraryTest,
    ::testing::Values(UnchangedCase{"OpenedNeverPlaced", false, -1, -1, -1, -1},
                      UnchangedCase{"OpenedOutOfSize", false, 30, 20, 900, 100},
                      UnchangedCase{"RestoredNeverPlaced", true, -1, -1, -1, -1},
                      UnchangedCase{"RestoredOutOfSize", true, 30, 20, 900, 100}),
    [](const auto& info) { return std::string(info.param.name); });

using PreviewTest = WithPreview<FormquintaronTest>;

TEST_F(PreviewTest, ShiftAndTheRightButtonOverTheBackgroundSoundTheNoteWhereverTheWindowSits) {
    ASSERT_TRUE(state.Midi.Online());
    for (const forms::TPoint origin : {forms::TPoint{0, 0}, forms::TPoint{150, 60}}) {
        SCOPED_TRACE(origin.X);
        main.SetBounds(origin.X, origin.Y, 800, 600);
        testsupport::PumpUntilIdle();
        const std::size_t before = instrument().Received().size();
        const forms::TPoint point = main.ClientToScreen({300, 300});

        driver.HoldKey(pw::VK_SHIFT);
        driver.Press(point, Qt::RightButton);
        Run(5);
        EXPECT_EQ(forms::Screen().Cursor(), model::crHelp);
        driver.Release(point, Qt::RightButton);
        driver.ReleaseKey(pw::VK_SHIFT);
        Run(5);

        const auto received = instrument().Received();
        ASSERT_EQ(received.size(), before + 2);
        EXPECT_EQ(received[before], (std::vector<std::uint8_t>{0x90, 64, 99}));
        EXPECT_EQ(received[before + 1], (std::vector<std::uint8_t>{0x80, 64, 0}));
        EXPECT_EQ(forms::Screen().Cursor(), forms::crDefault);
    }
}

TEST_F(FormquintaronTest, PrintingTheActiveLibraryFramesTheTitleAtTheTop) {
    auto recording = std::make_unique<testsupport::TRecordingPrinter>();
    testsupport::TRecordingPrinter& printer = *recording;
    forms::SetPrinter(std::move(recording));
    TPrinterTarget target;
    model::SetPrintTarget(&target);
    main.FileNew();
    LibraryWindow(0).Library().FileName = "Live.Lib";
    LibraryWindow(0).Library().Add(std::make_unique<model::TPatch>(nullptr));

    main.FilePrintItem.Click();

    model::SetPrintTarget(nullptr);
    // The listing is the active library's: a PDF would be named after it.
    EXPECT_EQ(printer.FileName, (folder / "documents" / "Quintaron" / "Live.pdf").string());
    ASSERT_EQ(printer.Documents().size(), 1u);
    const auto& page = printer.Documents()[0].Pages.at(0);
    std::smatch frame;
    const auto framed = std::find_if(page.begin(), page.end(), [&](const std::string& call) {
        return std::regex_match(call, frame, std::regex("Rectangle\\(30,10,(\\d+),(\\d+)\\)"));
    });
    ASSERT_NE(framed, page.end());
    EXPECT_EQ(std::stoi(frame[1]), printer.PageWidth() - 60);
    const int lineHeight = std::stoi(frame[2]) / 3;
    const std::regex title("ExtTextOut\\(\\d+," + std::to_string(10 + lineHeight) +
                           ",.*\"Library Live.Lib                Printed .*\"\\)");
    EXPECT_TRUE(std::any_of(page.begin(), page.end(), [&](const std::string& call) {
        return std::regex_match(call, title);
    }));
    forms::SetPrinter(nullptr);
}

// The screen centre of a link in the bar window that shows it.
forms::TPoint CentreOf(bars::TdxBarItemLinks& links, int index) {
    const platform::gdi::TRect r = links.VisibleItems(index)->ItemRect;
    return links.BarControl()->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
}

TEST_F(FormquintaronTest, FileOpensByMouseAndByAltFAndNewMakesALibraryWindow) {
    bars::TdxBar& menu = *main.dxBarManager1.MainMenuBar();
    ASSERT_NE(menu.Control(), nullptr);
    // The menu bar in row 0 at the top, the toolbar in row 1 below it.
    bars::TdxDockControl& top = *main.dxBarManager1.Bars()->DockControls(bars::dsTop);
    bars::TdxBar& tools = *main.dxBarManager1.Bars()->FindByName("ToolBar");
    ASSERT_NE(tools.Control(), nullptr);
    EXPECT_EQ(top.IndexOfRow(top.FindCol(menu.Control())->Row), 0);
    EXPECT_EQ(top.IndexOfRow(top.FindCol(tools.Control())->Row), 1);
    EXPECT_EQ(menu.Control()->BoundsRect().Top, 0);
    EXPECT_EQ(tools.Control()->BoundsRect().Top, menu.Control()->BoundsRect().Bottom);
    driver.ActivateWindow(main.Handle());
    testsupport::PumpUntilIdle();
    driver.MoveTo(CentreOf(menu.ItemLinks(), 0));
    driver.Click(CentreOf(menu.ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    ASSERT_NE(main.File1.ItemLinks().BarControl(), nullptr) << "File did not open";
    driver.MoveTo(CentreOf(main.File1.ItemLinks(), 0));
    driver.Click(CentreOf(main.File1.ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    ASSERT_EQ(main.MDIChildCount(), 1);
    EXPECT_EQ(main.MDIChildren(0)->Caption(), "Library : Untitled.Lib");

    driver.HoldKey(pw::VK_MENU);
    driver.TypeKey('F', "f");
    driver.ReleaseKey(pw::VK_MENU);
    testsupport::PumpUntilIdle();
    ASSERT_NE(main.File1.ItemLinks().BarControl(), nullptr) << "Alt+F did not open File";
    testsupport::SaveWindowPng(main.Handle(), (folder / "main_window.png").string());
    testsupport::SaveWindowPng(main.File1.ItemLinks().BarControl()->Handle(),
                               (folder / "file_menu.png").string());
    driver.TypeKey('N', "n");
    testsupport::PumpUntilIdle();
    EXPECT_EQ(main.MDIChildCount(), 2);
}

TEST_F(FormquintaronTest, TheFileMenuOpensAtOnceAndCastsItsShadowOverWhatLiesBelow) {
    namespace pg = platform::gdi;
    EXPECT_EQ(main.dxBarManager1.MenuAnimations(), bars::maNone);
    bars::TdxBar& menu = *main.dxBarManager1.MainMenuBar();
    driver.ActivateWindow(main.Handle());
    testsupport::PumpUntilIdle();
    driver.Click(CentreOf(menu.ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    auto* file = dynamic_cast<bars::TdxBarSubMenuControl*>(main.File1.ItemLinks().BarControl());
    ASSERT_NE(file, nullptr) << "File did not open";
    EXPECT_FALSE(bars::dxBarMenuAnimating(file));
    bars::TdxBarShadow& shadow = file->Shadow();
    ASSERT_TRUE(shadow.Visible());
    ASSERT_GE(shadow.PartCount(), 2);

    // The menu and its shadow as the screen shows them over a white desktop.
    pg::TRect w{};
    pw::GetWindowRect(file->Handle(), &w);
    const int s = bars::TdxBarShadow::Size();
    pg::Surface screen(w.Width() + s, w.Height() + s, 32);
    screen.Fill(0xFFFFFF);
    auto surface = pw::WindowSurface(file->Handle());
    for (int y = 0; y < w.Height(); ++y)
        for (int x = 0; x < w.Width(); ++x)
            screen.SetPixel(x, y, surface->Pixel(x, y));
    for (int i = 0; i < shadow.PartCount(); ++i) {
        pg::TRect r{};
        pw::GetWindowRect(shadow.Parts(i)->Handle(), &r);
        auto picture = pw::LayeredPicture(shadow.Parts(i)->Handle());
        ASSERT_NE(picture, nullptr);
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x) {
                const int sx = r.Left - w.Left + x, sy = r.Top - w.Top + y;
                if (!screen.Contains(sx, sy)) continue;
                const unsigned alpha = picture->Pixel(x, y) >> 24;
                const unsigned grey = 255 * (255 - alpha) / 255;
                screen.SetPixel(sx, sy, (grey << 16) | (grey << 8) | grey);
            }
    }
    // Darkest next to the menu's right edge, lighter outwards, white beyond.
    const int midY = w.Height() / 2;
    const auto grey = [&](int x) { return screen.Pixel(x, midY) & 0xFF; };
    EXPECT_LT(grey(w.Width()), grey(w.Width() + s - 1));
    EXPECT_LT(grey(w.Width() + s - 1), 255u);
    screen.SavePng((folder / "file_menu_shadow.png").string());
}

TEST_F(FormquintaronTest, HelpIndexAsksContextTwenty) {
    std::vector<Call> calls;
    forms::Application().HelpFile = "QUINTARON.chm";
    {
        TStoHtmlHelpRegistration registration(
            [&] { return std::make_unique<RecordingLibrary>(calls); });
        main.Index1.Click();
    }
    forms::Application().HelpFile.clear();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].command, platform::win::HH_HELP_CONTEXT);
    EXPECT_EQ(calls[0].data, 20u);
}

} // namespace

} // namespace app::test
