#include "platform/core/exception.h"
#include "platform/core/message_loop.h"
#include "platform/core/timer.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/menus.h"
#include "platform/forms/printers.h"
#include "platform/forms/screen.h"
#include "platform/forms/tests/forms_test_support.h"
#include "platform/win/cursors.h"
#include "platform/win/input_state.h"
#include "platform/win/modal_loop.h"
#include "platform/win/painting.h"
#include "platform/win/print_spooler.h"
#include "platform/win/window.h"
#include "testsupport/forms/recording_printer.h"
#include "testsupport/pdf_file.h"
#include "testsupport/temp_folder.h"

#include <QImage>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace platform::forms::test {
namespace {

using namespace win;

class ApplicationTest : public FormsTest {};

TEST_F(ApplicationTest, ExceptionLeavingAHandlerIsShownInAMessageBox) {
    TForm& form = MakeForm();
    form.SetBounds(100, 100, 200, 100);
    TPanel& panel = form.Own<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(10, 10, 100, 50);
    panel.OnClick = [](TObject*) { throw core::Exception("Error Loading Library"); };
    form.Show();
    TDialogScript script;
    script.Answer("Error Loading Library.", IDOK);
    Click(panel);
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(script.Mismatches().empty());
    ASSERT_EQ(script.Asked().size(), 1u);
    EXPECT_EQ(script.Asked()[0].Caption, Application().Title);
    EXPECT_EQ(script.Asked()[0].Flags, MB_OK | MB_ICONSTOP);
}

TEST_F(ApplicationTest, AnExceptionHandedOnWithASenderReachesOnExceptionWithIt) {
    core::TComponent source(nullptr);
    TObject* seen = nullptr;
    std::string text;
    Application().OnException = [&](TObject* sender, const std::exception_ptr& e) {
        seen = sender;
        try {
            std::rethrow_exception(e);
        } catch (const core::Exception& error) {
            text = error.Message();
        }
    };
    try {
        throw core::Exception("from a handler");
    } catch (...) {
        Application().HandleException(&source, std::current_exception());
    }
    EXPECT_EQ(seen, &source);
    EXPECT_EQ(text, "from a handler");
    Application().HandleException(std::make_exception_ptr(core::Exception("x")));
    EXPECT_EQ(seen, &Application());
}

// A timer whose handler fails on every tick, as a transfer's did when its MIDI system went away:
// the box's own loop runs the timer, and each failure while the box is shown would open another
// box inside it until the stack ran out.
TEST_F(ApplicationTest, AFailureWhileOneIsShownIsNotStackedOnIt) {
    core::TTimer timer(nullptr);
    int failures = 0;
    int deepest = 0;
    timer.SetInterval(50);
    timer.SetOnTimer([&](TObject*) {
        deepest = std::max(deepest, win::ModalLoopDepth());
        // Enough to show stacking, few enough that stacked boxes can still be answered.
        if (++failures <= 5) throw core::Exception("No MIDI port is present");
        timer.SetEnabled(false);
    });
    for (int i = 1; i <= 6; ++i)
        After(1000 * i, [] { testsupport::InputDriver().TypeKey(win::VK_RETURN, "\r"); });
    Pump();
    while (timer.Enabled())
        core::RunFor(clock, 100);
    EXPECT_EQ(failures, 6);
    EXPECT_EQ(deepest, 1) << "a box was opened inside another";
}

TEST_F(ApplicationTest, ASilentAbortLeavingAHandlerIsIgnored) {
    TForm& form = MakeForm();
    form.SetBounds(100, 100, 200, 100);
    TPanel& panel = form.Own<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(10, 10, 100, 50);
    panel.OnClick = [](TObject*) { core::Abort(); };
    int seen = 0;
    Application().OnException = [&](TObject*, const std::exception_ptr&) { ++seen; };
    form.Show();
    TDialogScript script;
    Click(panel);
    Application().HandleException(std::make_exception_ptr(core::EAbort()));
    EXPECT_EQ(seen, 0);
    EXPECT_TRUE(script.Asked().empty());
}

TEST_F(ApplicationTest, DialogScriptChecksTheQuestion) {
    TDialogScript script;
    script.Answer("File Alredy Exist. Overwrite it ?", IDYES);
    script.Answer("The Instrument Is Not Responding.", mrRetry);
    EXPECT_EQ(MessageBox("File Alredy Exist. Overwrite it ?", "", MB_YESNO), IDYES);
    EXPECT_EQ(MessageDlg("Something else", mtWarning, mbRetry | mbCancel, 0), mrCancel);
    ASSERT_EQ(script.Mismatches().size(), 1u);
    EXPECT_EQ(script.Mismatches()[0],
              "expected \"The Instrument Is Not Responding.\", asked \"Something else\"");
    EXPECT_EQ(script.Asked()[1].Caption, "Warning");
    EXPECT_EQ(script.Asked()[1].Buttons, mbRetry | mbCancel);
    EXPECT_EQ(MessageBox("Unasked", "Title", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(script.Mismatches().size(), 2u);
}

TEST_F(ApplicationTest, MessageDialogWithoutAScriptIsAModalForm) {
    After(100, [] {
        // The dialog is the active window; Enter takes its default button.
        testsupport::InputDriver().TypeKey(win::VK_RETURN, "\r");
    });
    EXPECT_EQ(MessageDlg("Proceed?", mtConfirmation, mbYes | mbNo, 0), mrYes);
    After(100, [] { testsupport::InputDriver().TypeKey(win::VK_ESCAPE, "\x1b"); });
    EXPECT_EQ(MessageBox("Retry?", "Quintaron", MB_RETRYCANCEL), IDCANCEL);
}

// A message longer than half the screen breaks into lines between its words: the box is no
// wider than half the screen (and a little margin) and its text's ink stands on several lines.
TEST_F(ApplicationTest, ALongMessageBreaksIntoLinesWithinHalfTheScreen) {
    std::string text = "Error Loading Library:";
    for (int i = 0; i < 24; ++i)
        text += " /home/musician/Libraries/Part" + std::to_string(i);
    const int half = Screen().Width() / 2;
    struct Box {
        int width = 0;
        // The rows of the box that hold text ink.
        std::vector<int> inkRows;
    };
    auto Show = [&](const std::string& message) {
        Box box;
        After(100, [&] {
            const HWND wnd = GetActiveWindow();
            TRect bounds;
            win::GetWindowRect(wnd, &bounds);
            box.width = bounds.Right - bounds.Left;
            win::UpdateWindow(wnd);
            const auto surface = win::WindowSurface(wnd);
            // The form's own pixels: the buttons are windows of their own.
            for (int y = 0; y < surface->Height(); ++y) {
                bool ink = false;
                for (int x = 0; x < surface->Width(); ++x) {
                    const gdi::COLORREF c = gdi::PixelToColor(surface->Pixel(x, y) & 0xFFFFFF);
                    if (gdi::GetRValue(c) < 64 && gdi::GetGValue(c) < 64 &&
                        gdi::GetBValue(c) < 64) {
                        ink = true;
                        break;
                    }
                }
                if (ink) box.inkRows.push_back(y);
            }
            testsupport::InputDriver().TypeKey(win::VK_RETURN, "\r");
        });
        EXPECT_EQ(MessageDlg(message, mtError, mbOK, 0), mrOk);
        return box;
    };
    const Box shortBox = Show("Error Loading Library");
    const Box longBox = Show(text);
    ASSERT_FALSE(shortBox.inkRows.empty());
    ASSERT_FALSE(longBox.inkRows.empty());
    EXPECT_LE(longBox.width, half + 64);
    // Lines of text: runs of ink rows apart from each other.
    auto Lines = [](const std::vector<int>& rows) {
        int lines = rows.empty() ? 0 : 1;
        for (std::size_t i = 1; i < rows.size(); ++i)
            if (rows[i] > rows[i - 1] + 1) ++lines;
        return lines;
    };
    EXPECT_EQ(Lines(shortBox.inkRows), 1);
    EXPECT_GE(Lines(longBox.inkRows), 3);
}

TEST_F(ApplicationTest, FileDialogsAddTheDefaultExtensionAndCheckExistence) {
    const std::string folder = TempFolder().string();
    std::ofstream(folder + "/Bank.SYX") << "x";
    TDialogScript script;
    TOpenDialog open(nullptr);
    open.Title = "Open Library";
    open.Filter = "SysEx files (*.syx)|*.syx|All files (*.*)|*.*";
    open.DefaultExt = "syx";
    open.InitialDir = folder;
    open.Options |= ofFileMustExist;
    script.AnswerFile("Open Library", "Bank.SYX");
    script.AnswerFile("Open Library", "Missing");
    EXPECT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName, folder + "/Bank.SYX");
    EXPECT_FALSE(open.Execute());
    TSaveDialog save(nullptr);
    save.Title = "Save Library";
    save.DefaultExt = "lib";
    script.AnswerFile("Save Library", folder + "/New");
    script.AnswerFile("Save Library", "");
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName, folder + "/New.lib");
    EXPECT_FALSE(save.Execute());
    EXPECT_TRUE(script.Mismatches().empty());
    EXPECT_EQ(script.Asked()[0].Filter, open.Filter);
    EXPECT_EQ(script.Asked()[0].InitialDir, folder);
}

TEST_F(ApplicationTest, ScreenCursorOverridesAndCustomCursorsReplaceTheTable) {
    const HCURSOR before = Screen().Cursors(crHelp);
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::black);
    HCURSOR custom = CreateCursorFromImage(image, 0, 0);
    Screen().SetCursors(crHelp, custom);
    EXPECT_EQ(Screen().Cursors(crHelp), custom);
    TForm& form = MakeForm();
    form.SetBounds(100, 100, 200, 100);
    form.Show();
    Screen().SetCursor(crHelp);
    EXPECT_EQ(GetCursor(), custom);
    driver.MoveTo(At(form));
    EXPECT_EQ(GetCursor(), custom);
    Screen().SetCursor(crDefault);
    Screen().SetCursors(crHelp, before);
    DestroyCursor(custom);
}

TEST_F(ApplicationTest, ActiveFormFollowsActivation) {
    TForm& a = MakeForm();
    a.SetBounds(10, 10, 200, 100);
    TForm& b = MakeForm();
    b.SetBounds(300, 10, 200, 100);
    int changes = 0;
    Screen().OnActiveFormChange = [&](TObject*) { ++changes; };
    a.Show();
    EXPECT_EQ(Screen().ActiveForm(), &a);
    b.Show();
    EXPECT_EQ(Screen().ActiveForm(), &b);
    EXPECT_EQ(Screen().Forms(0), &b);
    driver.ActivateWindow(a.Handle());
    EXPECT_EQ(Screen().ActiveForm(), &a);
    EXPECT_EQ(changes, 3);
}

TEST_F(ApplicationTest, PopupMenuRunsTheChosenItemAfterClosing) {
    TForm& form = MakeForm();
    form.SetBounds(100, 100, 300, 200);
    TPopupMenu& menu = form.Own<TPopupMenu>();
    std::vector<std::string> events;
    TMenuItem& move = menu.Items().Add("Move");
    TMenuItem& copy = menu.Items().Add("Copy");
    move.OnClick = [&](TObject*) { events.push_back("move"); };
    copy.OnClick = [&](TObject*) { events.push_back("move, re-pointed"); };
    copy.OnClick = [&](TObject*) {
        events.push_back(menu.WindowHandle() == NullHWnd ? "copy after close" : "copy open");
    };
    menu.OnPopup = [&](TObject*) { events.push_back("popup"); };
    TPanel& panel = form.Own<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(10, 10, 100, 50);
    panel.SetPopupMenu(&menu);
    form.Show();
    After(100, [&] {
        driver.Click([&] {
            TRect r = menu.ItemScreenRect(1);
            return TPoint{r.Left + 5, r.Top + 5};
        }());
    });
    driver.Click(At(panel), Qt::RightButton);
    EXPECT_EQ(events, (std::vector<std::string>{"popup", "copy after close"}));
    EXPECT_EQ(menu.PopupComponent(), &panel);
    events.clear();
    After(100, [&] { driver.TypeKey(win::VK_ESCAPE, "\x1b"); });
    menu.Popup(50, 50);
    EXPECT_EQ(events, (std::vector<std::string>{"popup"}));
}

// An item's shortcut stands in a column of its own at the row's right end; the menu is wide
// enough for both.
TEST_F(ApplicationTest, PopupMenuShowsShortcutsInTheirOwnColumn) {
    MakeForm().Show();
    // The menu's width and, for each row, the columns of its right third that hold text ink.
    auto Open = [&](TPopupMenu& menu, int& width, std::vector<int>& ink) {
        After(100, [&] {
            const HWND wnd = menu.WindowHandle();
            TRect bounds;
            win::GetWindowRect(wnd, &bounds);
            width = bounds.Right - bounds.Left;
            const auto surface = win::WindowSurface(wnd);
            for (int i = 0; i < menu.Items().Count(); ++i) {
                const TRect row = menu.ItemScreenRect(i);
                int columns = 0;
                for (int x = row.Right - (row.Right - row.Left) / 3; x < row.Right; ++x)
                    for (int y = row.Top; y < row.Bottom; ++y) {
                        const gdi::COLORREF c = gdi::PixelToColor(
                            surface->Pixel(x - bounds.Left, y - bounds.Top) & 0xFFFFFF);
                        if (gdi::GetRValue(c) < 96 && gdi::GetGValue(c) < 96 &&
                            gdi::GetBValue(c) < 96) {
                            ++columns;
                            break;
                        }
                    }
                ink.push_back(columns);
            }
            driver.TypeKey(win::VK_ESCAPE, "\x1b");
        });
        menu.Popup(50, 50);
    };
    TPopupMenu plain(nullptr);
    plain.Items().Add("Restore");
    plain.Items().Add("Move");
    int plainWidth = 0;
    std::vector<int> plainInk;
    Open(plain, plainWidth, plainInk);

    TPopupMenu keyed(nullptr);
    keyed.Items().Add("Restore").ShortCut = TextToShortCut("Ctrl+F5");
    keyed.Items().Add("Move");
    int width = 0;
    std::vector<int> ink;
    Open(keyed, width, ink);
    ASSERT_EQ(ink.size(), 2u);
    EXPECT_GT(ink[0], 10);
    EXPECT_EQ(ink[1], 0);
    EXPECT_GT(width, plainWidth + 30);
}

// A right click asks the control's OnContextPopup first, at the click in its coordinates: when
// the handler handles it the control's pop-up menu stays closed.
TEST_F(ApplicationTest, OnContextPopupComesBeforeThePopupMenu) {
    TForm& form = MakeForm();
    form.SetBounds(100, 100, 300, 200);
    TPopupMenu& menu = form.Own<TPopupMenu>();
    menu.Items().Add("Copy");
    std::vector<std::string> events;
    menu.OnPopup = [&](TObject*) { events.push_back("popup"); };
    TPanel& panel = form.Own<TPanel>();
    panel.SetParent(&form);
    panel.SetBounds(10, 10, 100, 50);
    panel.SetPopupMenu(&menu);
    bool handle = true;
    TPoint seen{};
    panel.OnContextPopup = [&](TObject* sender, TPoint mousePos, bool& handled) {
        events.push_back(sender == &panel ? "panel" : "other");
        seen = mousePos;
        handled = handle;
    };
    form.Show();
    for (const bool handles : {true, false}) {
        handle = handles;
        events.clear();
        if (!handles) After(100, [&] { driver.TypeKey(win::VK_ESCAPE, "\x1b"); });
        driver.Click(panel.ClientToScreen({30, 20}), Qt::RightButton);
        const std::vector<std::string> want = handles ? std::vector<std::string>{"panel"}
                                                      : std::vector<std::string>{"panel", "popup"};
        EXPECT_EQ(events, want) << handles;
        EXPECT_EQ(seen, (TPoint{30, 20}));
    }
}

TEST_F(ApplicationTest, RecordingPrinterKeepsEachPage) {
    auto previous = SetPrinter(std::make_unique<testsupport::TRecordingPrinter>());
    auto& printer = static_cast<testsupport::TRecordingPrinter&>(Printer());
    printer.Title = "Library";
    EXPECT_EQ(printer.PageWidth(), 2480);
    EXPECT_EQ(printer.PageHeight(), 3508);
    printer.BeginDoc();
    printer.Canvas().TextOut(100, 100, "Page one");
    printer.NewPage();
    printer.Canvas().TextOut(100, 100, "Page two");
    EXPECT_EQ(printer.PageNumber(), 2);
    printer.EndDoc();
    ASSERT_EQ(printer.Documents().size(), 1u);
    const auto& doc = printer.Documents()[0];
    EXPECT_EQ(doc.Title, "Library");
    ASSERT_EQ(doc.Pages.size(), 2u);
    auto drew = [](const std::vector<std::string>& calls, const std::string& text) {
        return std::any_of(calls.begin(), calls.end(), [&](const std::string& call) {
            return call.find("ExtTextOut(100,100,0,nil,\"" + text + "\")") != std::string::npos;
        });
    };
    EXPECT_TRUE(drew(doc.Pages[0], "Page one"));
    EXPECT_FALSE(drew(doc.Pages[0], "Page two"));
    EXPECT_TRUE(drew(doc.Pages[1], "Page two"));
    EXPECT_THROW(printer.EndDoc(), core::Exception);
    SetPrinter(std::move(previous));
}

// The system's default printer takes the document; without one it is written to its file.
TEST_F(ApplicationTest, APrinterTakesTheDocumentAndWithoutOneItIsWrittenToItsFile) {
    const std::string folder = TempFolder().string();
    const std::string office = folder + "/office.pdf";
    const std::string file = folder + "/Listing.pdf";
    for (const bool withPrinter : {true, false}) {
        SCOPED_TRACE(withPrinter);
        PrintersOverride printers(withPrinter ? std::vector<StandInPrinter>{{"Office", office}}
                                              : std::vector<StandInPrinter>{});
        TPrinter printer;
        printer.Title = "Listing";
        printer.FileName = file;
        printer.BeginDoc();
        printer.Canvas().TextOut(300, 300, "Hello");
        printer.NewPage();
        printer.EndDoc();
        EXPECT_EQ(printer.PrinterName(), withPrinter ? "Office" : "");
        EXPECT_EQ(testsupport::PdfPageCount(withPrinter ? office : file), 2);
        EXPECT_EQ(std::filesystem::exists(withPrinter ? file : office), false);
        std::filesystem::remove(withPrinter ? office : file);
    }
}

TEST_F(ApplicationTest, WithoutAFileNameTheDocumentIsNamedAfterItsTitleInTheDocumentsFolder) {
    const std::string folder = TempFolder().string();
    const testsupport::EnvironmentOverride documents("QUINTARON_DOCUMENTS_DIR", folder);
    TPrinter printer;
    printer.Title = "Listing";
    EXPECT_EQ(printer.OutputFileName(), folder + "/Listing.pdf");
}

TEST_F(ApplicationTest, ClipboardTextAndBeeps) {
    Clipboard().SetAsText("Patch A-11");
    EXPECT_EQ(Clipboard().AsText(), "Patch A-11");
    EXPECT_TRUE(Clipboard().HasText());
    const int before = MessageBeepCount();
    MessageBeep(0);
    MessageBeep(0x30);
    EXPECT_EQ(MessageBeepCount(), before + 2);
}

} // namespace
} // namespace platform::forms::test
