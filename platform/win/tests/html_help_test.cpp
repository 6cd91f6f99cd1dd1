#include "platform/win/html_help.h"

#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace platform::win {
namespace {

struct Started {
    std::string program;
    std::vector<std::string> arguments;
    bool operator==(const Started&) const = default;
};

// Folders of programs that are never run: the process start only writes down what it is given.
class HtmlHelpTest : public ::testing::Test {
protected:
    HtmlHelpTest() {
        SetHelpProcessStart([this](const std::string& program, const std::vector<std::string>& a) {
            started.push_back({program, a});
            return true;
        });
    }
    ~HtmlHelpTest() override { SetHelpProcessStart(nullptr); }

    std::string Folder(const std::string& name, const std::vector<std::string>& programs) {
        const std::string folder = temp_.PathOf(name);
        std::filesystem::create_directories(folder);
        for (const std::string& program : programs) {
            std::ofstream(folder + "/" + program) << "#!/bin/sh\n";
            std::filesystem::permissions(folder + "/" + program, std::filesystem::perms::owner_exec,
                                         std::filesystem::perm_options::add);
        }
        return folder;
    }

    std::vector<Started> started;

private:
    testsupport::TempFolder temp_{"html_help_test"};
};

TEST_F(HtmlHelpTest, TheLibraryIsTheFirstViewerFoundAndAbsentWithoutOne) {
    const std::string opener = Folder("opener", {"xdg-open"});
    const std::string both = Folder("both", {"xchm", "kchmviewer"});
    const std::string empty = Folder("empty", {});
    const std::string notProgram = Folder("plain", {});
    std::ofstream(notProgram + "/xchm") << "not a program\n";

    EXPECT_EQ(THtmlHelpLibrary::Load(opener + ":" + both)->Viewer(), both + "/kchmviewer");
    EXPECT_EQ(THtmlHelpLibrary::Load(opener)->Viewer(), opener + "/xdg-open");
    EXPECT_EQ(THtmlHelpLibrary::Load("::" + empty + ":" + opener)->Viewer(), opener + "/xdg-open");
    EXPECT_EQ(THtmlHelpLibrary::Load(empty + ":" + notProgram), nullptr);
    EXPECT_EQ(THtmlHelpLibrary::Load(""), nullptr);
    EXPECT_TRUE(started.empty());
}

TEST_F(HtmlHelpTest, OnlyHtmlHelpAIsExported) {
    THtmlHelpLibrary library("/usr/bin/xchm");
    EXPECT_TRUE(library.GetProcAddress("HtmlHelpA"));
    EXPECT_FALSE(library.GetProcAddress("HtmlHelpW"));
}

TEST_F(HtmlHelpTest, AViewerThatCannotStartShowsNothing) {
    SetHelpProcessStart(nullptr);
    const std::string missing = Folder("missing", {}) + "/xchm";
    const THtmlHelpA HtmlHelpA = THtmlHelpLibrary(missing).GetProcAddress("HtmlHelpA");
    EXPECT_FALSE(HtmlHelpA(NullHWnd, "/opt/q/QUINTARON.chm", HH_DISPLAY_TOC, 0));
}

struct CallCase {
    const char* name;
    std::string viewer;
    std::string file;
    UINT command;
    std::uintptr_t data;
    std::vector<std::string> arguments; // empty: nothing started
};

class HtmlHelpCallTest : public HtmlHelpTest, public ::testing::WithParamInterface<CallCase> {};

const char* const Keyword = "Tone";

TEST_P(HtmlHelpCallTest, StartsTheViewerDetachedAtWhatItCanTake) {
    const CallCase& c = GetParam();
    const THtmlHelpA HtmlHelpA = THtmlHelpLibrary(c.viewer).GetProcAddress("HtmlHelpA");
    const bool shown =
        HtmlHelpA(NullHWnd, c.file.empty() ? nullptr : c.file.c_str(), c.command, c.data);
    EXPECT_EQ(shown, !c.arguments.empty());
    if (c.arguments.empty())
        EXPECT_TRUE(started.empty());
    else
        EXPECT_EQ(started, (std::vector<Started>{{c.viewer, c.arguments}}));
}

const std::string Chm = "/opt/q/QUINTARON.chm";
const auto KeywordData = reinterpret_cast<std::uintptr_t>(Keyword);

INSTANTIATE_TEST_SUITE_P(
    Commands, HtmlHelpCallTest,
    ::testing::Values(
        CallCase{"TopicInAPageViewer",
                 "/b/kchmviewer",
                 Chm + "::/intro.htm",
                 HH_DISPLAY_TOPIC,
                 0,
                 {"-showPage", "intro.htm", Chm}},
        CallCase{"TopicInAFileViewer", "/b/xchm", Chm + "::/intro.htm", HH_DISPLAY_TOPIC, 0, {Chm}},
        CallCase{
            "TopicWithTheOpener", "/b/xdg-open", Chm + "::/intro.htm", HH_DISPLAY_TOPIC, 0, {Chm}},
        CallCase{"FileWithoutTopic", "/b/uchmviewer", Chm, HH_DISPLAY_TOPIC, 0, {Chm}},
        CallCase{"Contents", "/b/kchmviewer", Chm, HH_DISPLAY_TOC, 0, {Chm}},
        CallCase{"IndexWord",
                 "/b/kchmviewer",
                 Chm,
                 HH_DISPLAY_INDEX,
                 KeywordData,
                 {"-sindex", "Tone", Chm}},
        CallCase{"IndexWithoutWord", "/b/kchmviewer", Chm, HH_DISPLAY_INDEX, 0, {Chm}},
        CallCase{"IndexInAFileViewer", "/b/xchm", Chm, HH_DISPLAY_INDEX, KeywordData, {Chm}},
        CallCase{"Context", "/b/kchmviewer", Chm, HH_HELP_CONTEXT, 20, {Chm}},
        CallCase{"CloseAllStartsNothing", "/b/kchmviewer", "", HH_CLOSE_ALL, 0, {}},
        CallCase{"NoFile", "/b/xchm", "", HH_HELP_CONTEXT, 20, {}},
        CallCase{"UnknownCommand", "/b/xchm", Chm, 20, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace platform::win
