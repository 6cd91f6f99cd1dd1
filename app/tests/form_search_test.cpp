// The search window on a library window's search and duplicate buttons: what a search by name,
// type, date and time finds, which banks of a global set it looks into, how duplicates are
// grouped, and what Print and Save To Disk make of the results.

#include "app/form_search.h"
#include "app/printer_target.h"
#include "app/tests/librarian_fixture.h"
#include "model/elements/bank.h"
#include "model/elements/global.h"
#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/system.h"
#include "model/files/data_folders.h"
#include "model/print/print_routines.h"
#include "platform/core/date_time.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/printers.h"
#include "platform/win/messages.h"
#include "testsupport/forms/recording_printer.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace pw = platform::win;

namespace app::test {

namespace {

namespace pc = platform::core;

// Message boxes written down as the fixture's are; the save dialog answered with a file of the
// test's folder (or cancelled when none is set).
class SavingDialogs : public RecordingDialogs {
public:
    bool SaveDialog(model::TFileDialogRequest& request) override {
        asked.push_back(request);
        if (fileName.empty()) return false;
        request.FileName = fileName;
        return true;
    }
    std::vector<model::TFileDialogRequest> asked;
    std::string fileName;
};

class FormSearchTest : public LibrarianTest {
protected:
    FormSearchTest() {
        model::SetDialogs(&saving);
        window.Library().FileName = "Sounds.Lib";
    }

    // Clicks the search (or duplicate) button; the steps run while the window stands, one every
    // 10 ms, and a click on Close ends it.
    void Search(bool duplicates, std::vector<std::function<void()>> steps) {
        pc::Millis at = 100;
        for (auto& step : steps) {
            After(at, std::move(step));
            at += 10;
        }
        After(at, [this] { Click(search.BitBtn1); });
        Click(duplicates ? window.Speeddebug : window.SpeedSearch);
    }
    // Inside the window's modal loop the driver leaves its input queued until the step returns;
    // each of a step's clicks and keys is taken at once, so that the step can look at its effect.
    void Click(const forms::TControl& control) {
        LibrarianTest::Click(control);
        testsupport::PumpUntilIdle();
    }
    // Types text where the focus is.
    void Type(const std::string& text) {
        for (char c : text) {
            int key = pw::VK_SPACE;
            if (c >= 'a' && c <= 'z') key = 'A' + (c - 'a');
            if (c >= 'A' && c <= 'Z') key = 'A' + (c - 'A');
            if (c >= '0' && c <= '9') key = '0' + (c - '0');
            driver.TypeKey(key, QString(QChar(c)));
        }
        testsupport::PumpUntilIdle();
    }
    void TypeInto(forms::TEdit& edit, const std::string& text) {
        Click(edit);
        driver.TypeKey(pw::VK_HOME);
        testsupport::PumpUntilIdle();
        Type(text);
    }
    // The names of the results, trailing blanks removed.
    std::vector<std::string> Found() const {
        std::vector<std::string> names;
        for (const model::TLibElem* elem : search.Results())
            names.push_back(Trimmed(*elem));
        return names;
    }
    model::TLibElem& Entry(int index) { return window.Library().Elem(index); }
    // The elements of a bank, named in order from the first.
    static void NameChildren(model::TBank& bank, const std::vector<const char*>& names) {
        for (std::size_t i = 0; i < names.size(); ++i)
            bank.Elem(static_cast<int>(i)).SetName(names[i], false);
    }

    SavingDialogs saving;
    TFormSearch& search = MakeForm<TFormSearch>();
    TFormLibrary& window = OpenLibrary({{model::etPatch, "Piano 1"},
                                        {model::etPerformance, "Piano Split"},
                                        {model::etSystem, "Studio"},
                                        {model::etPatchBank, "Bank A"},
                                        {model::etRhythmBank, "Drums"}});
};

TEST_F(FormSearchTest, TheButtonsShowTheWindowInItsModeAndLayout) {
    struct TModeCase {
        bool duplicates;
        const char* caption;
        int help;
        int searchLeft;
        int groupTop;
    };
    for (const TModeCase& c : {TModeCase{false, "Search Items", 57, 204, 40},
                               TModeCase{true, "Find Duplicate Items", 12, 144, 8}}) {
        SCOPED_TRACE(c.caption);
        Search(c.duplicates, {[&] {
                   EXPECT_TRUE(search.Visible());
                   EXPECT_EQ(search.Caption(), c.caption);
                   EXPECT_EQ(search.HelpContext, c.help);
                   EXPECT_EQ(search.Library, &window.Library());
                   EXPECT_EQ(search.GroupCaseDeb.Visible(), c.duplicates);
                   for (forms::TControl* control : std::initializer_list<forms::TControl*>{
                            &search.GroupDate, &search.GroupTime, &search.GroupOptions,
                            &search.LabelName, &search.SearchString})
                       EXPECT_EQ(control->Visible(), !c.duplicates);
                   EXPECT_EQ(search.Btnsearch.Left(), c.searchLeft);
                   EXPECT_EQ(search.Btnsearch.Top(), 8);
                   EXPECT_EQ(search.GroupSearchFor.Top(), c.groupTop);
                   EXPECT_GT(search.Header.Top(),
                             search.GroupSearchFor.Top() + search.GroupSearchFor.Height());
                   EXPECT_EQ(search.DrawGrid.Top(), search.Header.Top() + search.Header.Height());
                   EXPECT_EQ(search.DrawGrid.Top() + search.DrawGrid.Height(),
                             search.Panel.ClientHeight() - 10);
                   EXPECT_FALSE(search.FromDate.Enabled());
                   EXPECT_FALSE(search.Fromtime.Enabled());
                   EXPECT_EQ(search.Gauge.Progress(), 0);
               }});
        EXPECT_FALSE(search.Visible());
    }
}

TEST_F(FormSearchTest, AnEmptyTextListsEveryElementOfTheCheckedKinds) {
    auto& bank = static_cast<model::TBank&>(Entry(3));
    auto& drums = static_cast<model::TBank&>(Entry(4));
    struct TKindsCase {
        const char* name;
        bool patch, performance, rhythm, system;
        std::size_t count;
    };
    const std::size_t patches = 1 + static_cast<std::size_t>(bank.Count());
    const std::size_t rhythms = static_cast<std::size_t>(drums.Count());
    for (const TKindsCase& c :
         {TKindsCase{"all", true, true, true, true, patches + 1 + rhythms + 1},
          TKindsCase{"patches", true, false, false, false, patches},
          TKindsCase{"no patches", false, true, true, true, 1 + rhythms + 1},
          TKindsCase{"rhythm sets", false, false, true, false, rhythms}}) {
        SCOPED_TRACE(c.name);
        Search(false, {[&] {
                   const std::pair<forms::TCheckBox*, bool> boxes[] = {
                       {&search.Patch, c.patch},
                       {&search.Performance, c.performance},
                       {&search.Rhythm, c.rhythm},
                       {&search.system, c.system}};
                   for (const auto& [box, wanted] : boxes)
                       if (box->Checked() != wanted) Click(*box);
                   Click(search.Btnsearch);
                   EXPECT_EQ(search.Results().size(), c.count);
                   EXPECT_EQ(search.DrawGrid.RowCount(), static_cast<int>(c.count));
                   EXPECT_EQ(search.Gauge.Progress(), 100);
               }});
    }
    EXPECT_TRUE(search.Results().empty());
}

TEST_F(FormSearchTest, NamesMatchBySubstringOrWholeWithOrWithoutCase) {
    NameChildren(static_cast<model::TBank&>(Entry(3)), {"Bass", "E.Piano", "PIANO"});
    struct TNameCase {
        const char* text;
        bool caseSens, substring;
        std::vector<std::string> found;
    };
    const TNameCase cases[] = {
        {"pia", false, true, {"Piano 1", "Piano Split", "E.Piano", "PIANO"}},
        {"pia", true, true, {}},
        {"Pia", true, true, {"Piano 1", "Piano Split", "E.Piano"}},
        {"piano", false, false, {"PIANO"}},
        {"Piano 1", true, false, {"Piano 1"}},
        // Trailing blanks of the text do not count.
        {"bass  ", false, false, {"Bass"}},
    };
    for (const TNameCase& c : cases) {
        SCOPED_TRACE(c.text);
        Search(false, {[&] {
                   if (search.CaseSens.Checked() != c.caseSens) Click(search.CaseSens);
                   if (search.substring.Checked() != c.substring) Click(search.substring);
                   TypeInto(search.SearchString, c.text);
                   Click(search.Btnsearch);
                   EXPECT_EQ(Found(), c.found);
               }});
    }
}

TEST_F(FormSearchTest, DatesAndTimesBoundTheModifiedStamp) {
    pc::FormatSettingsOverride regional({"dd/mm/yyyy", '/', "hh:nn:ss", ':', "AM", "PM"});
    pc::NowOverride today(pc::EncodeDate(2026, 3, 7));
    for (auto& elem : window.Library().Elems) {
        elem->ModifiedDate = pc::EncodeDate(2026, 1, 1);
        elem->ModifiedTime = pc::EncodeTime(8, 0, 0, 0);
    }
    Entry(0).ModifiedDate = pc::EncodeDate(2026, 3, 5);
    Entry(0).ModifiedTime = pc::EncodeTime(14, 5, 9, 0);
    Entry(1).ModifiedDate = pc::EncodeDate(2026, 3, 6);
    Entry(1).ModifiedTime = pc::EncodeTime(9, 30, 0, 0);
    struct TRangeCase {
        const char* fromDate;
        const char* toDate;
        const char* fromTime;
        const char* toTime;
        std::vector<std::string> found;
    };
    const TRangeCase cases[] = {
        {"010326", "070326", nullptr, nullptr, {"Piano 1", "Piano Split"}},
        {"060326", "060326", nullptr, nullptr, {"Piano Split"}},
        {"010326", "070326", "120000", "235959", {"Piano 1"}},
        {nullptr, nullptr, "093000", "140509", {"Piano 1", "Piano Split"}},
        {nullptr, nullptr, "073000", "083000", {"Studio"}},
    };
    for (const TRangeCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.fromDate ? c.fromDate : "-") << " " << (c.fromTime ? c.fromTime : "-"));
        Search(false, {[&] {
                   // Only the single elements: the banks' children keep other stamps.
                   Click(search.Rhythm);
                   if (c.fromDate != nullptr) {
                       Click(search.Date);
                       TypeInto(search.FromDate, c.fromDate);
                       TypeInto(search.Todate, c.toDate);
                   }
                   if (c.fromTime != nullptr) {
                       Click(search.Time);
                       TypeInto(search.Fromtime, c.fromTime);
                       TypeInto(search.Totime, c.toTime);
                   }
                   Click(search.Btnsearch);
                   std::vector<std::string> single;
                   for (const std::string& name : Found())
                       if (!name.empty()) single.push_back(name);
                   EXPECT_EQ(single, c.found);
                   if (c.fromDate != nullptr) Click(search.Date);
                   if (c.fromTime != nullptr) Click(search.Time);
                   Click(search.Rhythm);
               }});
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FormSearchTest, TextThatIsNoDateOrTimeStopsTheSearch) {
    pc::FormatSettingsOverride regional({"dd/mm/yyyy", '/', "hh:nn:ss", ':', "AM", "PM"});
    struct TBadCase {
        const char* fromDate;
        const char* fromTime;
        const char* message;
        bool timeFocused;
    };
    const TBadCase cases[] = {
        {"", nullptr, "Incorrect Date Format.", false},
        {"310226", nullptr, "Incorrect Date Format.", false},
        {"010326", "", "Incorrect Time Format.", true},
        {nullptr, "250000", "Incorrect Time Format.", true},
    };
    for (const TBadCase& c : cases) {
        SCOPED_TRACE(c.message);
        saving.messages.clear();
        Search(false, {[&] {
                   if (c.fromDate != nullptr) {
                       Click(search.Date);
                       TypeInto(search.FromDate, c.fromDate);
                       TypeInto(search.Todate, "070326");
                   }
                   if (c.fromTime != nullptr) {
                       Click(search.Time);
                       TypeInto(search.Fromtime, c.fromTime);
                       TypeInto(search.Totime, "120000");
                   }
                   Click(search.Btnsearch);
                   EXPECT_EQ(saving.messages, std::vector<std::string>{c.message});
                   EXPECT_TRUE((c.timeFocused ? search.Fromtime : search.FromDate).Focused());
                   EXPECT_TRUE(search.Results().empty());
                   if (c.fromDate != nullptr) Click(search.Date);
                   if (c.fromTime != nullptr) Click(search.Time);
               }});
    }
}

TEST_F(FormSearchTest, SearchIntoSelectedLooksOnlyAtTheSelectedEntries) {
    NameChildren(static_cast<model::TBank&>(Entry(3)), {"Piano Bank"});
    Entry(3).Selected = true;
    Search(false, {[&] {
               Click(search.Selected);
               TypeInto(search.SearchString, "piano");
               Click(search.Btnsearch);
               // The bank is selected, its patches are not: they are searched all the same.
               EXPECT_EQ(Found(), std::vector<std::string>{"Piano Bank"});
               Click(search.Selected);
           }});
}

TEST_F(FormSearchTest, ACardBankOfAGlobalSetIsSearchedOnlyWithTheDataCard) {
    auto& global = static_cast<model::TGlobal&>(
        window.Library().Add(model::CreateElemByType(model::etGlobal, &window.Library())));
    global.SetName("Live Set", false);
    NameChildren(global.UserPatchBank(), {"Lead User"});
    NameChildren(global.CardPatchBank(), {"Lead Card"});
    NameChildren(global.CardPerformanceBank(), {"Lead Split"});
    global.System().SetName("Lead System", false);
    for (bool card : {false, true}) {
        SCOPED_TRACE(card);
        state.Config.DataCardInstalled = card;
        Search(false, {[&] {
                   TypeInto(search.SearchString, "lead");
                   Click(search.Btnsearch);
                   const std::vector<std::string> expected =
                       card ? std::vector<std::string>{"Lead User", "Lead Card", "Lead Split"}
                            : std::vector<std::string>{"Lead User"};
                   EXPECT_EQ(Found(), expected);
               }});
    }
}

TEST_F(FormSearchTest, DuplicatesStandTogetherSortedByName) {
    auto& global = static_cast<model::TGlobal&>(
        window.Library().Add(model::CreateElemByType(model::etGlobal, &window.Library())));
    NameChildren(static_cast<model::TBank&>(Entry(3)), {"Pad", "Bass", "Choir", "pad"});
    NameChildren(global.UserPatchBank(), {"Bass", "Pad"});
    Entry(0).SetName("Choir", false);
    struct TDuplicateCase {
        bool caseSens;
        std::vector<std::string> found;
    };
    for (const TDuplicateCase& c :
         {TDuplicateCase{false, {"Bass", "Bass", "Choir", "Choir", "Pad", "pad", "Pad"}},
          TDuplicateCase{true, {"Bass", "Bass", "Choir", "Choir", "Pad", "Pad"}}}) {
        SCOPED_TRACE(c.caseSens);
        Search(
            true, {[&] {
                if (search.DebCaseSens.Checked() != c.caseSens) Click(search.DebCaseSens);
                Click(search.Btnsearch);
                EXPECT_EQ(Found(), c.found);
                EXPECT_TRUE(testsupport::SaveWindowPng(
                    search.Handle(), Png(c.caseSens ? "duplicates_case.png" : "duplicates.png")));
            }});
    }
}

TEST_F(FormSearchTest, SaveToDiskWritesOnePaddedLinePerResult) {
    pc::FormatSettingsOverride regional({"dd/mm/yyyy", '/', "hh:nn:ss", ':', "AM", "PM"});
    auto& bank = static_cast<model::TBank&>(Entry(3));
    NameChildren(bank, {"Bass", "Bass", "Piano 2"});
    bank.SetName("Bank A", false);
    for (model::TLibElem* elem : {&Entry(0), &bank.Elem(2)}) {
        elem->ModifiedDate = pc::EncodeDate(2026, 3, 7);
        elem->ModifiedTime = pc::EncodeTime(14, 5, 9, 0);
    }
    saving.fileName = (folder / "Result.Txt").string();
    Search(false, {[&] {
               Click(search.Performance);
               TypeInto(search.SearchString, "piano");
               Click(search.Btnsearch);
               ASSERT_EQ(search.Results().size(), 2u);
               Click(search.Savetodisk);
               EXPECT_TRUE(testsupport::SaveWindowPng(search.Handle(), Png("search.png")));
               Click(search.Performance);
           }});
    ASSERT_EQ(saving.asked.size(), 1u);
    const model::TFileDialogRequest& asked = saving.asked[0];
    EXPECT_EQ(asked.Title, "Save as Text");
    EXPECT_EQ(asked.Filter, "Txt file|*.Txt");
    EXPECT_EQ(asked.DefaultExt, "Txt");
    EXPECT_EQ(asked.FileName, "Result.Txt");
    EXPECT_EQ(asked.InitialDir, model::GetDefaultDataFolder());
    std::ifstream file(saving.fileName, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(text, "Patch               Piano 1             Temporary      "
                    "07/03/2026  14:05:09     Loc : Sounds.Lib\r\n"
                    "Patch               Piano 2             User : 3       "
                    "07/03/2026  14:05:09     Loc : Bank A\r\n");
}

TEST_F(FormSearchTest, AFileThatCannotBeWrittenIsReported) {
    saving.fileName = (folder / "missing" / "Result.Txt").string();
    forms::TDialogScript script;
    script.Answer("Error Saving text file: " + saving.fileName + ": " + std::strerror(ENOENT) + ".",
                  forms::IDOK);
    Search(false, {[&] {
               Click(search.Btnsearch);
               Click(search.Savetodisk);
           }});
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(script.Mismatches().empty());
    EXPECT_FALSE(std::filesystem::exists(saving.fileName));
}

TEST_F(FormSearchTest, PrintListsEachResultWithItsPlace) {
    auto recording = std::make_unique<testsupport::TRecordingPrinter>();
    testsupport::TRecordingPrinter& printer = *recording;
    forms::SetPrinter(std::move(recording));
    TPrinterTarget target;
    model::SetPrintTarget(&target);
    NameChildren(static_cast<model::TBank&>(Entry(3)), {"Piano 2"});
    Search(false, {[&] {
               TypeInto(search.SearchString, "piano");
               Click(search.Btnsearch);
               Click(search.StampaBtn);
           }});
    model::SetPrintTarget(nullptr);
    // The listing is the searched library's: a PDF would be named after it.
    EXPECT_EQ(printer.FileName, (folder / "documents" / "Quintaron" / "Sounds.pdf").string());
    ASSERT_EQ(printer.Documents().size(), 1u);
    std::string calls;
    for (const auto& page : printer.Documents()[0].Pages)
        for (const std::string& call : page)
            calls += call + "\n";
    for (const char* text : {"Piano 1", "Piano Split", "Piano 2", "Loc : "})
        EXPECT_NE(calls.find(text), std::string::npos) << text;
    forms::SetPrinter(nullptr);
}

} // namespace

} // namespace app::test
