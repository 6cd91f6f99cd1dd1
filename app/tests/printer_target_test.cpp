// A library listing printed through the class library's printer: to the recording printer,
// where the calls of each page can be read, and to the PDF printer.

#include "app/printer_target.h"
#include "app/tests/app_fixture.h"
#include "model/elements/bank.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/print/print_library.h"
#include "model/print/print_routines.h"
#include "platform/forms/printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>
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
    auto recording = std::make_unique<forms::TRecordingPrinter>();
    forms::TRecordingPrinter& printer = *recording;
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

TEST_F(PrinterTargetTest, AListingOnThePdfPrinterBecomesADocumentOfAsManyPages) {
    EXPECT_EQ(target.OutputFileName(), (folder / "documents" / "Quintaron" / "Quintaron.pdf"));
    FillLibrary();
    model::PrintLibrary(library);

    const int pages = model::PrintPageNo - 1;
    std::ifstream in(target.OutputFileName(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string pdf = bytes.str();
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    const std::regex page("/Type\\s*/Page[^s]");
    EXPECT_EQ(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()),
        pages);
    EXPECT_GE(pages, 3);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{PrintedTo + target.OutputFileName()});
}

TEST_F(PrinterTargetTest, ListingsAreInCourierNewTenPoint) {
    forms::SetPrinter(std::make_unique<forms::TRecordingPrinter>());
    model::PrintBegin();
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
