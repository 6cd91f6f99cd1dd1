// A library listing printed through the class library's printer: to the recording printer,
// where the calls of each page can be read, to a printer of the system's, and without one to a
// PDF file.

#include "app/printer_target.h"
#include "app/tests/app_fixture.h"
#include "model/elements/bank.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/print/print_library.h"
#include "model/print/print_routines.h"
#include "platform/forms/printers.h"
#include "platform/win/print_spooler.h"
#include "testsupport/forms/recording_printer.h"
#include "testsupport/pdf_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>

namespace app {
namespace {

namespace forms = platform::forms;

class PrinterTargetTest : public test::AppTest {
protected:
    PrinterTargetTest() { model::SetPrintTarget(&target); }
    ~PrinterTargetTest() override {
        model::SetPrintTarget(nullptr);
        forms::SetPrinter(nullptr);
    }

    // A patch and two patch banks: more than one page.
    void FillLibrary() {
        library.FileName = "Live.Lib";
        library.Add(std::make_unique<model::TPatch>(&library)).SetName("Solo", false);
        library.Add(std::make_unique<model::TPatchBank>(&library));
        library.Add(std::make_unique<model::TPatchBank>(&library));
    }

    model::TLibrary library;
    TPrinterTarget target;
};

// The calls of a page that draw text at y, with their text.
std::vector<std::string> TextsAt(const std::vector<std::string>& page, int y) {
    std::vector<std::string> texts;
    const std::regex call("ExtTextOut\\((\\d+)," + std::to_string(y) + ",.*\"(.*)\"\\)");
    for (const std::string& c : page) {
        std::smatch match;
        if (std::regex_match(c, match, call)) texts.push_back(match[2]);
    }
    return texts;
}

TEST_F(PrinterTargetTest, AListingOnTheRecordingPrinterHasItsHeaderRulesAndFooters) {
    auto recording = std::make_unique<testsupport::TRecordingPrinter>();
    testsupport::TRecordingPrinter& printer = *recording;
    forms::SetPrinter(std::move(recording));
    TPrinterTarget target;
    FillLibrary();
    model::PrintLibrary(library);

    ASSERT_EQ(printer.Documents().size(), 1u);
    const auto& document = printer.Documents()[0];
    EXPECT_EQ(document.Title, PrintJobTitle);
    EXPECT_FALSE(document.Aborted);
    // It went to no file.
    EXPECT_TRUE(dialogs.messages.empty());
    const int pages = model::PrintPageNo - 1;
    ASSERT_EQ(static_cast<int>(document.Pages.size()), pages);
    EXPECT_GE(pages, 3);

    // The frame of the title is three lines high.
    const auto& first = document.Pages[0];
    std::smatch frame;
    const auto framed = std::find_if(first.begin(), first.end(), [&](const std::string& c) {
        return std::regex_match(c, frame, std::regex("Rectangle\\(30,10,2420,(\\d+)\\)"));
    });
    ASSERT_NE(framed, first.end());
    const int lh = std::stoi(frame[1]) / 3;
    const auto titles = TextsAt(first, 10 + lh);
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0].rfind("Library Live.Lib                Printed ", 0), 0u) << titles[0];
    // The patch's row, between its rules, from four lines and 10 down.
    const int row = 4 * lh + 10;
    for (int y : {row - 1, row + lh + 1}) {
        EXPECT_NE(std::find(first.begin(), first.end(), "MoveTo(30," + std::to_string(y) + ")"),
                  first.end())
            << y;
    }
    std::vector<std::string> cells;
    for (int y = row; y < row + lh && cells.empty(); ++y)
        cells = TextsAt(first, y);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0], "Patch");
    EXPECT_EQ(cells[1], "Solo");

    const int footer = forms::Printer().PageHeight() - lh - 70;
    for (int page = 0; page < pages; ++page) {
        SCOPED_TRACE(page);
        const auto& calls = document.Pages[static_cast<std::size_t>(page)];
        EXPECT_EQ(TextsAt(calls, footer),
                  std::vector<std::string>{"Page N\xBA " + std::to_string(page + 1)});
        // A bank's table goes on at the top of the next page.
        if (page > 0) {
            EXPECT_EQ(calls[0], "MoveTo(30,9)");
        }
    }
}

// Without a printer (the fixture's system has none) a listing is written beside its library,
// named after it, and a second never over the first.
TEST_F(PrinterTargetTest, WithoutAPrinterAListingIsWrittenBesideItsLibraryNeverOverAnEarlierOne) {
    const std::filesystem::path songs = folder / "songs";
    std::filesystem::create_directories(songs);
    library.FileName = (songs / "Live.Lib").string();
    library.Add(std::make_unique<model::TPatch>(&library)).SetName("Solo", false);

    model::PrintLibrary(library);
    const std::filesystem::path first = songs / "Live.pdf";
    EXPECT_EQ(testsupport::PdfPageCount(first), 1);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{PrintedTo + first.string()});
    const std::string firstBytes = testsupport::FileBytes(first);

    library.Add(std::make_unique<model::TPatch>(&library)).SetName("Duet", false);
    model::PrintLibrary(library);
    const std::filesystem::path second = songs / "Live (2).pdf";
    EXPECT_EQ(testsupport::PdfPageCount(second), 1);
    EXPECT_NE(testsupport::FileBytes(second), firstBytes);
    EXPECT_EQ(testsupport::FileBytes(first), firstBytes);
    EXPECT_EQ(dialogs.messages.back(), PrintedTo + second.string());
}

// A library never saved has no folder of its own: its listing goes to the data folder, named
// after its name; so does one whose file lies in a folder of another system.
TEST_F(PrinterTargetTest, AListingOfALibraryWithoutAFolderGoesToTheDataFolder) {
    const std::filesystem::path data = folder / "documents" / "Quintaron";
    for (const char* fileName : {model::UntitledLibrary, "C:\\Synth\\Untitled.Lib"}) {
        SCOPED_TRACE(fileName);
        library.FileName = fileName;
        model::PrintLibrary(library);
    }
    EXPECT_EQ(testsupport::PdfPageCount(data / "Untitled.pdf"), 1);
    EXPECT_EQ(testsupport::PdfPageCount(data / "Untitled (2).pdf"), 1);
    EXPECT_EQ(dialogs.messages.back(), PrintedTo + (data / "Untitled (2).pdf").string());
}

// With a printer set up the listing is printed on it, and no file is written beside the library.
TEST_F(PrinterTargetTest, WithAPrinterAListingIsPrintedOnIt) {
    const std::filesystem::path office = folder / "office.pdf";
    platform::win::PrintersOverride printers({{"Office", office.string()}});
    FillLibrary();
    library.FileName = (folder / "Live.Lib").string();
    model::PrintLibrary(library);
    EXPECT_EQ(testsupport::PdfPageCount(office), model::PrintPageNo - 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "Live.pdf"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrinterTargetTest, ListingsAreInCourierNewTenPoint) {
    forms::SetPrinter(std::make_unique<testsupport::TRecordingPrinter>());
    model::PrintBegin(nullptr);
    const auto& font = forms::Printer().Canvas().Font();
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Size(), 10);
    EXPECT_EQ(font.Style(), 0u);
    EXPECT_EQ(font.Pitch(), platform::gdi::TFontPitch::fpDefault);
    EXPECT_EQ(model::PrintLineHeight(), target.TextHeight("HHHHH") * 4 / 3);
    model::PrintEnd();
}

} // namespace
} // namespace app
