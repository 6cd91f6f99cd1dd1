#include "platform/gdi/printer.h"

#include "platform/core/exception.h"
#include "testsupport/temp_folder.h"

#include <QImage>
#include <QPainter>
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

// An output that writes down what reaches it.
class RecordingOutput : public TPrintOutput {
public:
    explicit RecordingOutput(std::vector<std::string>& log) : log_(log) {}
    void PrintPage(const Surface& page) override {
        log_.push_back(page.Pixel(40, 100) == 0 ? "page with a line" : "blank page");
    }
    void EndDoc() override { log_.push_back("end"); }
    void Abort() override { log_.push_back("abort"); }

private:
    std::vector<std::string>& log_;
};

TEST_F(PrinterTest, PagesGoToTheDocumentsOutputAndADroppedDocumentIsNotHandedOver) {
    std::vector<std::string> log;
    printer_.BeginDoc(std::make_unique<RecordingOutput>(log));
    printer_.Canvas().MoveTo(30, 100);
    printer_.Canvas().LineTo(200, 100);
    printer_.NewPage();
    printer_.EndDoc();
    EXPECT_EQ(log, (std::vector<std::string>{"page with a line", "blank page", "end"}));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.pdf"));

    log.clear();
    printer_.BeginDoc(std::make_unique<RecordingOutput>(log));
    printer_.Abort();
    EXPECT_EQ(log, std::vector<std::string>{"abort"});
}

TEST(PrinterPage, AListingsPageIsOneBitPerPixelAndAColouredPageKeepsItsColours) {
    Surface page(PrintPageWidth, PrintPageHeight, 24);
    page.Fill(0xFFFFFF);
    page.SetPixel(10, 20, 0);
    const QImage listing = PrinterPageImage(page);
    EXPECT_EQ(listing.format(), QImage::Format_Mono);
    EXPECT_EQ(listing.pixel(10, 20), qRgb(0, 0, 0));
    EXPECT_EQ(listing.pixel(11, 20), qRgb(255, 255, 255));

    page.SetPixel(12, 20, ColorToPixel(0x0000FF));
    const QImage coloured = PrinterPageImage(page);
    EXPECT_EQ(coloured.pixel(12, 20), qRgb(255, 0, 0));
    EXPECT_EQ(coloured.pixel(10, 20), qRgb(0, 0, 0));
}

// A paint area narrower than A4's proportions: the page is scaled by its width and the area
// below it stays as it was.
TEST(PrinterPage, APageFitsThePaintAreaWithItsProportionsKept) {
    Surface page(PrintPageWidth, PrintPageHeight, 24);
    page.Fill(0);
    QImage area(620, 1000, QImage::Format_RGB32);
    area.fill(Qt::white);
    QPainter painter(&area);
    DrawPrinterPage(painter, PrinterPageImage(page));
    painter.end();
    // 3508 / 4 = 877 rows of the page.
    EXPECT_EQ(area.pixel(619, 875), qRgb(0, 0, 0));
    EXPECT_EQ(area.pixel(0, 878), qRgb(255, 255, 255));
}

} // namespace
} // namespace platform::gdi
