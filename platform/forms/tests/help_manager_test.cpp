#include "platform/forms/help_manager.h"

#include "platform/forms/tests/forms_test_support.h"

#include <string>
#include <vector>

namespace platform::forms::test {
namespace {

// A viewer that writes down what it is asked to show. It understands what names its own
// file (every file when it has none) and releases itself when it goes.
class RecordingViewer : public IExtendedHelpViewer {
public:
    explicit RecordingViewer(std::string name, std::string file = "",
                             THelpManager& manager = HelpManager())
        : name_(std::move(name)), file_(std::move(file)) {
        manager.RegisterViewer(*this, manager_);
    }
    ~RecordingViewer() override {
        if (manager_) manager_->Release(id_);
    }

    std::string GetViewerName() override { return name_; }
    int UnderstandsKeyword(const std::string&) override { return Mine() ? 1 : 0; }
    std::vector<std::string> GetHelpStrings(const std::string& HelpString) override {
        return {name_ + ": " + HelpString};
    }
    bool CanShowTableOfContents() override { return Mine(); }
    void ShowTableOfContents() override { shown.push_back("contents " + File()); }
    void ShowHelp(const std::string& HelpString) override {
        shown.push_back("keyword " + HelpString);
    }
    void NotifyID(int ViewerID) override { id_ = ViewerID; }
    void ShutDown() override {
        shown.push_back("shut down");
        manager_ = nullptr;
    }
    bool UnderstandsTopic(const std::string&) override { return Mine(); }
    void DisplayTopic(const std::string& Topic) override {
        shown.push_back("topic " + Topic + " " + File());
    }
    bool UnderstandsContext(int, const std::string& HelpFileName) override {
        return Mine() && HelpFileName == File();
    }
    void DisplayHelpContext(int ContextID, const std::string& HelpFileName) override {
        shown.push_back("context " + std::to_string(ContextID) + " " + HelpFileName);
    }

    int Id() const { return id_; }
    std::vector<std::string> shown;

private:
    std::string File() { return manager_ ? manager_->GetHelpFile() : "?"; }
    bool Mine() { return !File().empty() && (file_.empty() || File() == file_); }

    std::string name_;
    std::string file_;
    IHelpManager* manager_ = nullptr;
    int id_ = 0;
};

class HelpManagerTest : public FormsTest {};

TEST_F(HelpManagerTest, TheApplicationsRequestsGoToTheViewerForItsHelpFile) {
    RecordingViewer viewer("Recording");
    Application().HelpFile = "Quintaron.chm";
    EXPECT_TRUE(Application().HelpContext(120));
    EXPECT_TRUE(Application().HelpCommand(HELP_CONTEXT, 20));
    EXPECT_TRUE(Application().HelpCommand(HELP_FINDER, 0));
    EXPECT_TRUE(Application().HelpKeyword("Tone"));
    EXPECT_TRUE(Application().HelpJump("intro"));
    EXPECT_FALSE(Application().HelpCommand(HELP_QUIT, 0));
    EXPECT_EQ(viewer.shown,
              (std::vector<std::string>{"context 120 Quintaron.chm", "context 20 Quintaron.chm",
                                        "contents Quintaron.chm", "keyword Recording: Tone",
                                        "topic intro Quintaron.chm"}));
    // Outside a request the manager names no file.
    EXPECT_EQ(HelpManager().GetHelpFile(), "");
    Application().HelpFile.clear();
    EXPECT_FALSE(Application().HelpContext(5));
}

TEST_F(HelpManagerTest, TheFirstViewerThatCanHandleARequestGetsIt) {
    RecordingViewer other("Other", "Other.chm");
    RecordingViewer first("First");
    RecordingViewer second("Second");
    EXPECT_GT(second.Id(), first.Id());
    Application().HelpFile = "Quintaron.chm";
    EXPECT_TRUE(Application().HelpContext(25));
    EXPECT_EQ(first.shown, (std::vector<std::string>{"context 25 Quintaron.chm"}));
    EXPECT_TRUE(other.shown.empty());
    EXPECT_TRUE(second.shown.empty());
}

class PickLast : public IHelpSelector {
public:
    int SelectKeyword(const std::vector<std::string>& Keywords) override {
        offered = Keywords;
        return static_cast<int>(Keywords.size()) - 1;
    }
    std::vector<std::string> offered;
};

TEST_F(HelpManagerTest, AKeywordSeveralViewersKnowGoesToTheSelectedOneOrTheFirst) {
    RecordingViewer first("First");
    RecordingViewer second("Second");
    Application().HelpFile = "Quintaron.chm";
    EXPECT_TRUE(Application().HelpKeyword("Tone"));
    PickLast selector;
    HelpManager().AssignHelpSelector(&selector);
    EXPECT_TRUE(Application().HelpKeyword("Wave"));
    HelpManager().AssignHelpSelector(nullptr);
    EXPECT_EQ(selector.offered, (std::vector<std::string>{"First: Wave", "Second: Wave"}));
    EXPECT_EQ(first.shown, (std::vector<std::string>{"keyword First: Tone"}));
    EXPECT_EQ(second.shown, (std::vector<std::string>{"keyword Second: Wave"}));
}

TEST_F(HelpManagerTest, AReleasedViewerIsAskedNoMoreAndTheManagersEndShutsTheOthersDown) {
    auto manager = std::make_unique<THelpManager>();
    RecordingViewer stays("Stays", "", *manager);
    {
        RecordingViewer goes("Goes", "", *manager);
        EXPECT_EQ(manager->ViewerCount(), 2);
    }
    EXPECT_EQ(manager->ViewerCount(), 1);
    manager.reset();
    EXPECT_EQ(stays.shown, (std::vector<std::string>{"shut down"}));
}

} // namespace
} // namespace platform::forms::test
