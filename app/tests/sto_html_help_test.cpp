#include "app/sto_html_help.h"

#include "app/tests/app_fixture.h"
#include "app/tests/recording_help_library.h"
#include "platform/core/folders.h"
#include "platform/forms/application.h"

#include <filesystem>
#include <fstream>

namespace app {
namespace {

namespace forms = platform::forms;
namespace win = platform::win;
using forms::Application;
using forms::HelpManager;
using test::Call;
using test::RecordingLibrary;
using win::HWND;
using win::NullHWnd;
using win::UINT;

const std::string Beside = platform::core::ProgramFolder() + "/";

class HtmlHelpTest : public test::AppTest {
protected:
    HtmlHelpTest() { Application().HelpFile = "QUINTARON.chm"; }
    ~HtmlHelpTest() override {
        registration_.reset();
        Application().HelpFile.clear();
        win::SetHelpProcessStart(nullptr);
    }
    void Register() {
        registration_ = std::make_unique<TStoHtmlHelpRegistration>(
            [this] { return std::make_unique<RecordingLibrary>(calls); });
    }

    std::vector<Call> calls;

private:
    std::unique_ptr<TStoHtmlHelpRegistration> registration_;
};

struct RequestCase {
    const char* name;
    std::function<bool()> request;
    std::string file; // after the folder beside the program
    UINT command;
    std::uintptr_t data;
};

class HtmlHelpRequestTest : public HtmlHelpTest,
                            public ::testing::WithParamInterface<RequestCase> {};

TEST_P(HtmlHelpRequestTest, ReachesHtmlHelpWithTheMainWindowAndTheFileBesideTheProgram) {
    const RequestCase& c = GetParam();
    const HWND main = MakeMainWindow().Handle();
    Register();
    EXPECT_TRUE(c.request());
    EXPECT_EQ(calls, (std::vector<Call>{{main, Beside + c.file, c.command, c.data}}));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, HtmlHelpRequestTest,
    ::testing::Values(
        RequestCase{"HelpIndexContext", [] { return Application().HelpContext(20); },
                    "QUINTARON.chm", win::HH_HELP_CONTEXT, 20},
        RequestCase{"LibraryContext",
                    [] { return Application().HelpCommand(forms::HELP_CONTEXT, 23); },
                    "QUINTARON.chm", win::HH_HELP_CONTEXT, 23},
        RequestCase{"Contents", [] { return Application().HelpShowTableOfContents(); },
                    "QUINTARON.chm", win::HH_DISPLAY_TOC, 0},
        RequestCase{"KeywordTrimmed", [] { return Application().HelpKeyword("  Tone: Wave "); },
                    "QUINTARON.chm|Tone: Wave", win::HH_DISPLAY_INDEX, 0},
        RequestCase{"TopicGetsTheDefaultExtension", [] { return Application().HelpJump("intro"); },
                    "QUINTARON.chm::/intro.htm", win::HH_DISPLAY_TOPIC, 0},
        RequestCase{"TopicInCapitalHtml", [] { return Application().HelpJump("Page.HTML"); },
                    "QUINTARON.chm::/Page.HTML", win::HH_DISPLAY_TOPIC, 0},
        RequestCase{"TopicInHtm", [] { return Application().HelpJump("tone.htm"); },
                    "QUINTARON.chm::/tone.htm", win::HH_DISPLAY_TOPIC, 0},
        RequestCase{"TopicOfAnotherKind", [] { return Application().HelpJump("notes.txt"); },
                    "QUINTARON.chm::/notes.txt.htm", win::HH_DISPLAY_TOPIC, 0},
        RequestCase{"TheManagersFileFirst",
                    [] { return HelpManager().ShowContextHelp(25, "Other.CHM"); }, "Other.CHM",
                    win::HH_HELP_CONTEXT, 25}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HtmlHelpTest, OnlyAChmFileIsHandledAndOneWithAFolderStaysWhereItIs) {
    Register();
    for (const char* other : {"QUINTARON.hlp", "QUINTARON", "/opt/q.chm/QUINTARON"}) {
        Application().HelpFile = other;
        EXPECT_FALSE(Application().HelpContext(20)) << other;
        EXPECT_FALSE(Application().HelpJump("intro")) << other;
        EXPECT_FALSE(Application().HelpShowTableOfContents()) << other;
        EXPECT_FALSE(Application().HelpKeyword("Tone")) << other;
    }
    EXPECT_TRUE(calls.empty());
    Application().HelpFile = "/opt/q/Quintaron.Chm";
    EXPECT_TRUE(Application().HelpContext(13));
    EXPECT_EQ(calls, (std::vector<Call>{{NullHWnd, "/opt/q/Quintaron.Chm", 15, 13}}));
}

TEST_F(HtmlHelpTest, WithoutAHelpViewerRequestsAreTakenAndNothingIsShown) {
    std::vector<std::string> started;
    win::SetHelpProcessStart([&](const std::string& program, const std::vector<std::string>&) {
        started.push_back(program);
        return true;
    });
    const testsupport::TempFolder empty("html_help_none");
    TStoHtmlHelpRegistration registration(
        [&] { return win::THtmlHelpLibrary::Load(empty.Path()); });
    EXPECT_TRUE(Application().HelpContext(20));
    EXPECT_TRUE(Application().HelpJump("intro"));
    EXPECT_TRUE(Application().HelpShowTableOfContents());
    EXPECT_TRUE(Application().HelpKeyword("Tone"));
    HtmlHelpViewer()->ShutDown();
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(HelpManager().ViewerCount(), 0);
}

TEST_F(HtmlHelpTest, HelpIndexStartsTheViewerFoundOnTheSystemWithTheHelpFile) {
    std::vector<std::pair<std::string, std::vector<std::string>>> started;
    win::SetHelpProcessStart(
        [&](const std::string& program, const std::vector<std::string>& arguments) {
            started.emplace_back(program, arguments);
            return true;
        });
    const testsupport::TempFolder bin("html_help_bin");
    std::ofstream(bin.PathOf("xchm")) << "#!/bin/sh\n";
    std::filesystem::permissions(bin.PathOf("xchm"), std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    TStoHtmlHelpRegistration registration([&] { return win::THtmlHelpLibrary::Load(bin.Path()); });
    EXPECT_TRUE(Application().HelpContext(20));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].first, bin.PathOf("xchm"));
    EXPECT_EQ(started[0].second, (std::vector<std::string>{Beside + "QUINTARON.chm"}));
}

TEST_F(HtmlHelpTest, TheManagersEndClosesAllHelpWithoutWindowOrFile) {
    auto manager = std::make_unique<forms::THelpManager>();
    std::vector<Call> own;
    auto viewer = std::make_unique<TStoHtmlHelpViewer>(std::make_unique<RecordingLibrary>(own));
    viewer->Register(*manager);
    MakeMainWindow();
    // The manager's end is the viewer's shut-down; the main window is not the owner of it.
    manager.reset();
    EXPECT_EQ(own, (std::vector<Call>{{NullHWnd, "(none)", win::HH_CLOSE_ALL, 0}}));
    viewer.reset();
    EXPECT_EQ(own.size(), 1u);
}

TEST_F(HtmlHelpTest, TheViewersOwnHelpStringIsSelected) {
    Register();
    TStoHtmlHelpViewer& viewer = *HtmlHelpViewer();
    EXPECT_EQ(viewer.GetViewerName(), "StoHtmlHelp");
    EXPECT_EQ(viewer.GetHelpStrings("Tone"), (std::vector<std::string>{"StoHtmlHelp: Tone"}));
    EXPECT_EQ(viewer.SelectKeyword({"Other: Tone", "StoHtmlHelp: Tone", "StoHtmlHelp: Wave"}), 1);
    EXPECT_EQ(viewer.SelectKeyword({"Other: Tone", "StoHtmlHelp", "StoHtmlHelpX: Tone"}), -1);
}

TEST_F(HtmlHelpTest, TheOlderFormatIsDeclinedAndRegistrationsAreCounted) {
    Register();
    auto* tester = HelpManager().WinHelpTester();
    ASSERT_NE(tester, nullptr);
    EXPECT_FALSE(tester->CanShowALink("Tone", "QUINTARON.hlp"));
    EXPECT_FALSE(tester->CanShowTopic("intro", "QUINTARON.hlp"));
    EXPECT_FALSE(tester->CanShowContext(20, "QUINTARON.hlp"));
    EXPECT_TRUE(tester->GetHelpStrings("Tone").empty());
    EXPECT_EQ(tester->GetHelpPath(), "");
    EXPECT_EQ(tester->GetDefaultHelpFile(), "");

    TStoHtmlHelpViewer* first = HtmlHelpViewer();
    ASSERT_NE(first, nullptr);
    {
        TStoHtmlHelpRegistration second([] { return nullptr; });
        EXPECT_EQ(HtmlHelpViewer(), first);
        EXPECT_EQ(HelpManager().ViewerCount(), 1);
    }
    EXPECT_EQ(HtmlHelpViewer(), first);
    EXPECT_TRUE(Application().HelpContext(20));
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(HtmlHelpTest, TheLastRegistrationsEndUnregistersAndFreesTheViewer) {
    {
        TStoHtmlHelpRegistration registration(
            [this] { return std::make_unique<RecordingLibrary>(calls); });
        EXPECT_NE(HtmlHelpViewer(), nullptr);
        EXPECT_EQ(HelpManager().ViewerCount(), 1);
    }
    EXPECT_EQ(HtmlHelpViewer(), nullptr);
    EXPECT_EQ(HelpManager().ViewerCount(), 0);
    EXPECT_EQ(HelpManager().WinHelpTester(), nullptr);
    EXPECT_FALSE(Application().HelpContext(20));
    EXPECT_TRUE(calls.empty());
}

} // namespace
} // namespace app
