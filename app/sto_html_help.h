#pragma once
// The help bridge between the class library's help manager and the platform's HTML Help. One
// viewer, TStoHtmlHelpViewer, answers every help request for a ".chm" help file; the tester
// TStoWinHelpTester declines every request for the older help format, so that all help goes to
// HTML Help. Without a help library help is silent: requests are taken and nothing is shown.
//
// The help file of a request is the help manager's for it, else the application's; a name
// without a folder lies beside the program file.

#include "platform/forms/help_manager.h"
#include "platform/win/html_help.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace app {

class TStoHtmlHelpViewer : public platform::forms::IExtendedHelpViewer,
                           public platform::forms::IHelpSelector {
public:
    // library is the loaded help library, or null when none could be loaded.
    explicit TStoHtmlHelpViewer(std::unique_ptr<platform::win::THtmlHelpLibrary> library);
    // Leaves the manager if still registered and frees the help library.
    ~TStoHtmlHelpViewer() override;
    TStoHtmlHelpViewer(const TStoHtmlHelpViewer&) = delete;
    TStoHtmlHelpViewer& operator=(const TStoHtmlHelpViewer&) = delete;

    void Register(platform::forms::THelpManager& manager);
    void Unregister();

    // The help file of the request now, resolved as above.
    std::string GetHelpFile();
    // The help file ends in ".chm", in any case.
    bool HelpFileQualifies();

    std::string GetViewerName() override;
    int UnderstandsKeyword(const std::string& HelpString) override;
    // One string: "StoHtmlHelp: " and the keyword.
    std::vector<std::string> GetHelpStrings(const std::string& HelpString) override;
    bool CanShowTableOfContents() override;
    void ShowTableOfContents() override;
    // The keyword is what follows the first ':', trimmed; it is looked up in the index.
    void ShowHelp(const std::string& HelpString) override;
    void NotifyID(int ViewerID) override;
    // Closes every help window and leaves the manager.
    void ShutDown() override;
    bool UnderstandsTopic(const std::string& Topic) override;
    // Topic without ".htm" or ".html" gets DefaultExtension.
    void DisplayTopic(const std::string& Topic) override;
    bool UnderstandsContext(int ContextID, const std::string& HelpFileName) override;
    void DisplayHelpContext(int ContextID, const std::string& HelpFileName) override;
    // The first entry that is this viewer's ("StoHtmlHelp: ..."); -1 when none is.
    int SelectKeyword(const std::vector<std::string>& Keywords) override;

    inline static const std::string ViewerName = "StoHtmlHelp";
    inline static const std::string DefaultExtension = ".htm";

private:
    void HtmlHelp(platform::win::UINT command, const std::string& file, std::uintptr_t data);

    std::unique_ptr<platform::win::THtmlHelpLibrary> library_;
    platform::win::THtmlHelpA HtmlHelpA_;
    platform::forms::IHelpManager* helpManager_ = nullptr;
    int viewerID_ = 0;
};

// Declines everything: the older help format is never shown.
class TStoWinHelpTester : public platform::forms::IWinHelpTester {
public:
    bool CanShowALink(const std::string& ALink, const std::string& FileName) override;
    bool CanShowTopic(const std::string& Topic, const std::string& FileName) override;
    bool CanShowContext(int Context, const std::string& FileName) override;
    std::vector<std::string> GetHelpStrings(const std::string& ALink) override;
    std::string GetHelpPath() override;
    std::string GetDefaultHelpFile() override;
};

// The program's viewer; null outside a registration.
TStoHtmlHelpViewer* HtmlHelpViewer();

// Loads the help library; the program's looks for the system's help viewer.
using THtmlHelpLoad = std::function<std::unique_ptr<platform::win::THtmlHelpLibrary>()>;

// Program start: the first registration makes the viewer with the library load gives,
// registers it with the help manager and installs the tester. Program end: when the last
// registration ends, the viewer unregisters, the tester goes and the viewer is freed.
void StoHtmlHelpInitialization(const THtmlHelpLoad& load);
void StoHtmlHelpFinalization();

// A registration held for as long as the program runs.
class TStoHtmlHelpRegistration {
public:
    TStoHtmlHelpRegistration();
    explicit TStoHtmlHelpRegistration(const THtmlHelpLoad& load);
    ~TStoHtmlHelpRegistration();
    TStoHtmlHelpRegistration(const TStoHtmlHelpRegistration&) = delete;
    TStoHtmlHelpRegistration& operator=(const TStoHtmlHelpRegistration&) = delete;
};

} // namespace app
