// Printed listings on a recording printer: the page footer, centring, rules, the table row of
// an element with and without its place, page breaks of single elements and banks, the global
// set's banks and the listing of a whole library.

#include "model/elements/bank.h"
#include "model/elements/global.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/elements/system.h"
#include "model/print/print_library.h"
#include "model/print/print_routines.h"
#include "model/program/quintaron.h"
#include "model/tests/print_target_fake.h"
#include "platform/core/date_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace model {
namespace {

namespace pc = platform::core;
using fakes::RecordingPrintTarget;
using Calls = std::vector<std::string>;

// 40 pixels with the recording printer's metrics.
constexpr int LH = 40;
constexpr int W = RecordingPrintTarget::Width;
constexpr int H = RecordingPrintTarget::Height;

const std::string Footer = "Page N\xBA ";

std::string Text(int x, int y, const std::string& text) {
    return "Text(" + std::to_string(x) + "," + std::to_string(y) + "," + text + ")";
}
std::string Line(int x1, int y1, int x2, int y2) {
    return "Line(" + std::to_string(x1) + "," + std::to_string(y1) + "," + std::to_string(x2) +
           "," + std::to_string(y2) + ")";
}
std::string Rule(int y) {
    return Line(30, y, W - 90, y);
}
std::string Centered(int y, const std::string& text) {
    return Text((W - 20 - 10 * static_cast<int>(text.size())) / 2, y, text);
}
std::string FooterOf(int page) {
    return Centered(H - LH - 70, Footer + std::to_string(page));
}

std::vector<std::string> Matching(const Calls& calls, const std::string& prefix) {
    std::vector<std::string> found;
    for (const auto& call : calls)
        if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
}

class PrintTest : public ::testing::Test {
protected:
    // Elements are stamped with a known time, never the wall clock's.
    platform::core::NowOverride fixedNow{platform::core::EncodeDate(2026, 3, 7) +
                                         platform::core::EncodeTime(9, 0, 0, 0)};
    // Every element of the test has this modified moment.
    static void Stamp(TLibElem& elem) {
        elem.ModifiedDate = pc::EncodeDate(2026, 12, 9);
        elem.ModifiedTime = pc::EncodeTime(20, 15, 30, 0);
    }
    static constexpr const char* Stamped = "2026-12-09  20:15:30";

    pc::FormatSettingsOverride formats{pc::TFormatSettings{}};
    TQuintaron state;
    RecordingPrintTarget printer;
};

TEST_F(PrintTest, ABeginAndEndPrintsOnePageWithItsFooterOnly) {
    PrintBegin(nullptr);
    PrintEnd();
    EXPECT_EQ(printer.calls, (Calls{"BeginDoc", "Font(Courier New,10)", FooterOf(1), "EndDoc"}));
    // "Page Nº 1" is 9 characters: (2480 - 20 - 90) / 2, and 3508 - 40 - 70.
    EXPECT_EQ(printer.calls[2], Text(1185, 3398, Footer + "1"));
    EXPECT_EQ(PrintPageNo, 2);
    EXPECT_EQ(PrintLineHeight(), LH);
}

TEST_F(PrintTest, CentringRoundsTowardZeroAndRulesSpanTheTable) {
    PrintCentered(100, "ab");
    PrintCentered(100, "abc");
    PrintRule(7);
    EXPECT_EQ(printer.calls,
              (Calls{Text(1220, 100, "ab"), Text(1215, 100, "abc"), Line(30, 7, 2390, 7)}));
}

struct RowCase {
    bool withLocation;
    std::vector<int> borders;
    std::vector<int> texts;
};

class PrintRowTest : public PrintTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(PrintRowTest, ARowHasItsBordersAndCellTextsAtTheColumns) {
    const RowCase& row = GetParam();
    TLibrary library;
    library.FileName = "/music/Mine.Lib";
    auto& global = static_cast<TGlobal&>(library.Add(std::make_unique<TGlobal>(&library)));
    global.SetName("Studio", false);
    TPatchBank& bank = global.UserPatchBank();
    bank.SetName("Pads", false);
    TPatch& patch = bank.Patch(4);
    patch.SetName("Warm", false);
    Stamp(patch);

    PrintElemLine(200, patch, row.withLocation);

    Calls expected;
    for (int x : row.borders)
        expected.push_back(Line(x, 200, x, 200 + LH));
    // (40 - 30) / 2 below the row's top.
    const std::vector<std::string> cells = {"Patch", "Warm", "User : 5", Stamped,
                                            "Loc : Studio\\Pads"};
    for (std::size_t i = 0; i < row.texts.size(); ++i)
        expected.push_back(Text(row.texts[i], 205, cells[i]));
    EXPECT_EQ(printer.calls, expected);
}

// Usable width 2420: four columns of 605, or five of 484 with the date column a third (161)
// narrower.
INSTANTIATE_TEST_SUITE_P(
    Columns, PrintRowTest,
    ::testing::Values(RowCase{false, {30, 635, 1240, 1845, 2390}, {40, 645, 1250, 1855}},
                      RowCase{true, {30, 514, 998, 1321, 1805, 2390}, {40, 524, 1008, 1331, 1815}}),
    [](const auto& info) {
        return std::string(info.param.withLocation ? "FiveWithTheLocation" : "Four");
    });

TEST_F(PrintTest, AnElementsPathNamesItsContainers) {
    TLibrary library;
    library.FileName = "/music/Mine.Lib";
    TPatch& loose = static_cast<TPatch&>(library.Add(std::make_unique<TPatch>(&library)));
    auto& bank = static_cast<TPatchBank&>(library.Add(std::make_unique<TPatchBank>(&library)));
    bank.SetName("Leads", false);
    auto& global = static_cast<TGlobal&>(library.Add(std::make_unique<TGlobal>(&library)));
    global.SetName("Studio", false);
    TPatch orphan(nullptr);

    EXPECT_EQ(ElemPath(loose), "Mine.Lib");
    EXPECT_EQ(ElemPath(bank.Patch(0)), "Leads");
    EXPECT_EQ(ElemPath(global.CardPatchBank().Patch(0)), "Studio\\Untitled");
    EXPECT_EQ(ElemPath(global.System()), "Studio");
    EXPECT_EQ(ElemPath(global), "Mine.Lib");
    EXPECT_EQ(ElemPath(orphan), "");
}

TEST_F(PrintTest, AnElementPrintsItsRowBetweenRulesAndLeavesAGap) {
    TPatch patch(nullptr);
    patch.SetName("Bell", false);
    Stamp(patch);
    int y = 100;
    patch.Print(y, false);

    EXPECT_EQ(y, 100 + LH + 70);
    ASSERT_FALSE(printer.calls.empty());
    EXPECT_EQ(printer.calls.front(), Rule(99));
    EXPECT_EQ(printer.calls.back(), Rule(100 + LH + 1));
    EXPECT_EQ(Matching(printer.calls, "Text"),
              (Calls{Text(40, 105, "Patch"), Text(645, 105, "Bell"), Text(1250, 105, "Temporary"),
                     Text(1855, 105, Stamped)}));
}

TEST_F(PrintTest, AnElementThatWouldReachTheFooterGoesToANewPage) {
    struct Case {
        int y;
        bool newPage;
    };
    // The row, two lines and the 70 pixels above the footer must fit in the page.
    for (const Case c : {Case{H - 2 * LH - 70, false}, Case{H - 2 * LH - 69, true}}) {
        SCOPED_TRACE(c.y);
        printer.calls.clear();
        PrintPageNo = 3;
        TPatch patch(nullptr);
        int y = c.y;
        patch.Print(y, false);
        if (c.newPage) {
            ASSERT_GE(printer.calls.size(), 3u);
            EXPECT_EQ(printer.calls[0], FooterOf(3));
            EXPECT_EQ(printer.calls[1], "NewPage");
            EXPECT_EQ(printer.calls[2], Rule(9));
            EXPECT_EQ(y, 10 + LH + 70);
            EXPECT_EQ(PrintPageNo, 4);
        } else {
            EXPECT_EQ(printer.calls[0], Rule(c.y - 1));
            EXPECT_EQ(y, c.y + LH + 70);
            EXPECT_EQ(PrintPageNo, 3);
        }
    }
}

TEST_F(PrintTest, ABankPrintsAHeadingAndOneTableThatBreaksAcrossPages) {
    TPatchBank bank(nullptr);
    bank.SetName("Strings", false);
    PrintPageNo = 1;
    int y = 10;
    bank.Print(y, false);

    const Calls& calls = printer.calls;
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], Centered(10, "Patch Bank Strings"));
    EXPECT_EQ(calls[1], Rule(10 + LH + 10 - 1));
    // Rows from 60 every 40; the row at 3380 would reach into the footer: 83 rows fit.
    const auto page = std::find(calls.begin(), calls.end(), "NewPage");
    ASSERT_NE(page, calls.end());
    EXPECT_EQ(*(page - 2), Rule(3381));
    EXPECT_EQ(*(page - 1), FooterOf(1));
    EXPECT_EQ(*(page + 1), Rule(9));
    const Calls typeCells = Matching(calls, "Text(40,");
    ASSERT_EQ(typeCells.size(), 128u);
    EXPECT_EQ(typeCells[0], Text(40, 65, "Patch"));
    EXPECT_EQ(typeCells[82], Text(40, 60 + 82 * LH + 5, "Patch"));
    EXPECT_EQ(typeCells[83], Text(40, 15, "Patch"));
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "NewPage"), 1);
    // 45 rows on the second page end at 1810.
    EXPECT_EQ(calls.back(), Rule(1811));
    EXPECT_EQ(y, 1810 + LH + 70);
    EXPECT_EQ(PrintPageNo, 2);
}

TEST_F(PrintTest, AGlobalSetPrintsItsCardBanksOnlyWithADataCard) {
    for (bool card : {false, true}) {
        SCOPED_TRACE(card);
        state.Config.DataCardInstalled = card;
        printer.calls.clear();
        TGlobal global(nullptr);
        global.SetName("Gig", false);
        int y = 10;
        global.Print(y, false);

        Calls headings;
        for (const auto& call : Matching(printer.calls, "Text("))
            if (call.find("[ Global") != std::string::npos) headings.push_back(call);
        Calls expected;
        auto heading = [&](const std::string& text) {
            for (const auto& call : headings)
                if (call.find("," + text + ")") != std::string::npos) expected.push_back(call);
        };
        heading("Patch Bank Untitled [ Global : Gig ]");
        heading("Performance Bank Untitled [ Global : Gig ]");
        heading("Rhythm Bank Untitled [ Global : Gig ]");
        heading("System  [ Global : Gig ]");
        EXPECT_EQ(headings.size(), card ? 7u : 4u);
        // The same heading twice for a user and a card bank of a kind.
        EXPECT_EQ(expected.size(), card ? 7u : 4u);
        EXPECT_NE(headings.back().find("System  [ Global : Gig ]"), std::string::npos);
        // 128 + 32 + 2 rows per memory, and the system's row.
        EXPECT_EQ(Matching(printer.calls, "Text(40,").size(), (card ? 2u : 1u) * 162u + 1u);
    }
}

TEST_F(PrintTest, ALibraryListingHasAFramedTitleItsElementsAndNumberedFooters) {
    pc::NowOverride now(pc::EncodeDate(2026, 12, 10) + pc::EncodeTime(9, 5, 0, 0));
    TLibrary library;
    library.FileName = "/music/Live.Lib";
    TPatch& patch = static_cast<TPatch&>(library.Add(std::make_unique<TPatch>(&library)));
    patch.SetName("Solo", false);
    library.Add(std::make_unique<TPatchBank>(&library));
    library.Add(std::make_unique<TPatchBank>(&library));

    PrintLibrary(library);

    const Calls& calls = printer.calls;
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[0], "BeginDoc");
    // The job is the library's: the printer names what it writes after it.
    EXPECT_EQ(printer.library, &library);
    EXPECT_EQ(calls[1], "Font(Courier New,10)");
    EXPECT_EQ(calls[2], "Rect(30,10,2420,120)");
    EXPECT_EQ(calls[3], Centered(10 + LH, "Library Live.Lib                Printed 2026-12-10  "
                                          "09:05:00"));
    // The first element from 4 lines + 10 down.
    EXPECT_EQ(calls[4], Rule(4 * LH + 10 - 1));
    EXPECT_EQ(calls.back(), "EndDoc");
    // 1 + 128 + 128 rows on four pages, each closed by its footer: the first bank breaks after
    // 76 rows, the second after 28 and again after 83.
    Calls footers;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].find(Footer) == std::string::npos) continue;
        footers.push_back(calls[i]);
        EXPECT_TRUE(calls[i + 1] == "NewPage" || calls[i + 1] == "EndDoc") << calls[i + 1];
    }
    EXPECT_EQ(footers, (Calls{FooterOf(1), FooterOf(2), FooterOf(3), FooterOf(4)}));
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "NewPage"), 3);
    EXPECT_EQ(calls[calls.size() - 2], FooterOf(4));
    EXPECT_FALSE(printer.printing);
}

TEST_F(PrintTest, AListingThatFailsOnTheWayDropsTheJobSoTheNextCanStart) {
    TLibrary library;
    library.Add(std::make_unique<TPatchBank>(&library));
    library.Add(std::make_unique<TPatchBank>(&library));
    printer.failOnNewPage = "Out of paper";

    EXPECT_THROW(PrintLibrary(library), pc::Exception);
    EXPECT_EQ(printer.calls.back(), "Abort");
    EXPECT_FALSE(printer.printing);

    printer.failOnNewPage.reset();
    printer.calls.clear();
    PrintLibrary(library);
    EXPECT_EQ(printer.calls.back(), "EndDoc");
}

TEST_F(PrintTest, WithoutAPrinterNothingIsPrintedAndNothingMoves) {
    SetPrintTarget(nullptr);
    TPatchBank bank(nullptr);
    int y = 10;
    bank.Print(y, true);
    TLibrary library;
    PrintLibrary(library);
    EXPECT_EQ(y, 10);
    EXPECT_TRUE(printer.calls.empty());
    SetPrintTarget(&printer);
}

} // namespace
} // namespace model
