#include "platform/win/print_spooler.h"

#include "platform/core/exception.h"
#include "platform/gdi/surface.h"
#include "testsupport/pdf_file.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace platform::win {
namespace {

// A printer canvas's page with a black mark.
gdi::Surface MarkedPage() {
    gdi::Surface page(gdi::PrintPageWidth, gdi::PrintPageHeight, 24);
    page.Fill(0xFFFFFF);
    for (int x = 100; x < 400; ++x)
        page.SetPixel(x, 100, 0);
    return page;
}

class PrintSpoolerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder.Path().empty()); }

    testsupport::TempFolder folder{"print_spooler_"};
    std::filesystem::path office = folder.PathOf("office.pdf");
};

TEST_F(PrintSpoolerTest, WithoutPrintersThereIsNoDefault) {
    PrintersOverride none({});
    std::string name = "stale";
    EXPECT_FALSE(GetDefaultPrinter(&name));
    EXPECT_EQ(name, "");
    EXPECT_TRUE(EnumPrinters().empty());
    EXPECT_THROW(StartDocPrinter("Office", {"Listing", {}}), core::Exception)
        << "no printer of the machine is reached while printers stand in";
}

TEST_F(PrintSpoolerTest, ADocumentReachesItsPrinterWholeWhenItEnds) {
    PrintersOverride printers({{"Office", office.string()}, {"Lab", folder.PathOf("lab.pdf")}});
    std::string name;
    EXPECT_TRUE(GetDefaultPrinter(&name));
    EXPECT_EQ(name, "Office");
    EXPECT_EQ(EnumPrinters(), (std::vector<std::string>{"Office", "Lab"}));

    auto document = StartDocPrinter("Office", {"Listing", {}});
    document->PrintPage(MarkedPage());
    document->PrintPage(MarkedPage());
    EXPECT_FALSE(std::filesystem::exists(office)) << "kept until the document ends";
    document->EndDoc();
    EXPECT_EQ(testsupport::PdfPageCount(office), 2);

    // A document dropped on the way prints nothing.
    std::filesystem::remove(office);
    auto dropped = StartDocPrinter("Office", {"Listing", {}});
    dropped->PrintPage(MarkedPage());
    dropped->Abort();
    EXPECT_FALSE(std::filesystem::exists(office));
}

} // namespace
} // namespace platform::win
