#include "platform/gdi/printer.h"

#include "platform/core/exception.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace platform::gdi {
namespace {

class PrinterTest : public ::testing::Test {
protected:
    PrinterTest() { printer_.SetOutputFileName((dir_ / "out.pdf").string()); }
    void SetUp() override { ASSERT_FALSE(folder_.Path().empty()); }

    std::string Output() {
        std::ifstream in(dir_ / "out.pdf", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    testsupport::TempFolder folder_{"gdi_printer_"};
    std::filesystem::path dir_ = folder_.Path();
    TPrinter printer_;
};

TEST_F(PrinterTest, EachPageBecomesAPageOfTheDocument) {
    printer_.SetTitle("Library");
    printer_.BeginDoc();
    EXPECT_TRUE(printer_.Printing());
    EXPECT_EQ(printer_.PageNumber(), 1);
    TCanvas& canvas = printer_.Canvas();
    canvas.Font().SetName("Courier New");
    canvas.Font().SetSize(10);
    EXPECT_EQ(canvas.Font().Height(), -42);
    canvas.MoveTo(30, 100);
    canvas.LineTo(printer_.PageWidth() - 90, 100);
    EXPECT_EQ(canvas.Pixel(40, 100), clBlack);
    printer_.NewPage();
    EXPECT_EQ(canvas.Pixel(40, 100), clWhite); // a fresh page
    canvas.TextOut(100, 100, "Page 2");
    printer_.EndDoc();
    EXPECT_FALSE(printer_.Printing());
    std::string pdf = Output();
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    std::regex page("/Type\\s*/Page[^s]");
    EXPECT_EQ(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()),
        2);
}

TEST_F(PrinterTest, MisuseRaisesThePrintersErrors) {
    EXPECT_THROW(printer_.NewPage(), core::Exception);
    EXPECT_THROW(printer_.EndDoc(), core::Exception);
    printer_.BeginDoc();
    EXPECT_THROW(printer_.BeginDoc(), core::Exception);
    printer_.Abort();
    EXPECT_TRUE(printer_.Aborted());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.pdf"));
}

TEST_F(PrinterTest, AFileThatCannotBeWrittenIsReported) {
    printer_.SetOutputFileName((dir_ / "missing" / "out.pdf").string());
    EXPECT_THROW(printer_.BeginDoc(), core::Exception);
    EXPECT_FALSE(printer_.Printing());
}

} // namespace
} // namespace platform::gdi
