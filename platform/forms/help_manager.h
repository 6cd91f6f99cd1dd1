#pragma once
// The class library's help manager. Help viewers register with it and get the manager's
// interface back; the application's help requests (a context, a keyword, a topic, the table of
// contents) go to the registered viewers, and the first that says it can handle a request gets
// it. When several viewers offer help for a keyword, an assigned selector picks among their help
// strings, else the first is shown. A tester for the older help format can be installed: this
// desktop has no viewer of that format, so the tester is only what such a viewer would ask.
// Viewers belong to their registrars and release themselves before they go.

#include "platform/forms/controls.h"

#include <memory>
#include <string>
#include <vector>

namespace platform::forms {

// What a viewer knows of the manager it registered with.
class IHelpManager {
public:
    virtual ~IHelpManager() = default;
    // The help file named by the request being served; empty when it named none.
    virtual std::string GetHelpFile() = 0;
    // The window help is shown for: the main form's, when it has one.
    virtual HWND GetHandle() = 0;
    // The viewer with this identifier leaves the manager.
    virtual void Release(int ViewerID) = 0;
};

class ICustomHelpViewer {
public:
    virtual ~ICustomHelpViewer() = default;
    virtual std::string GetViewerName() = 0;
    // How many help entries the viewer has for the keyword (0: none).
    virtual int UnderstandsKeyword(const std::string& HelpString) = 0;
    // The viewer's entries for the keyword, as ShowHelp takes them back.
    virtual std::vector<std::string> GetHelpStrings(const std::string& HelpString) = 0;
    virtual bool CanShowTableOfContents() = 0;
    virtual void ShowTableOfContents() = 0;
    virtual void ShowHelp(const std::string& HelpString) = 0;
    // The identifier the manager gave the viewer at registration.
    virtual void NotifyID(int ViewerID) = 0;
    // The manager ends: the viewer closes what it shows and forgets the manager.
    virtual void ShutDown() = 0;
};

// A viewer that also shows topics and help contexts.
class IExtendedHelpViewer : public ICustomHelpViewer {
public:
    virtual bool UnderstandsTopic(const std::string& Topic) = 0;
    virtual void DisplayTopic(const std::string& Topic) = 0;
    virtual bool UnderstandsContext(int ContextID, const std::string& HelpFileName) = 0;
    virtual void DisplayHelpContext(int ContextID, const std::string& HelpFileName) = 0;
};

// Picks one of several help strings; gives its index (-1: none).
class IHelpSelector {
public:
    virtual ~IHelpSelector() = default;
    virtual int SelectKeyword(const std::vector<std::string>& Keywords) = 0;
};

// What a viewer of the older help format asks before it shows anything.
class IWinHelpTester {
public:
    virtual ~IWinHelpTester() = default;
    virtual bool CanShowALink(const std::string& ALink, const std::string& FileName) = 0;
    virtual bool CanShowTopic(const std::string& Topic, const std::string& FileName) = 0;
    virtual bool CanShowContext(int Context, const std::string& FileName) = 0;
    virtual std::vector<std::string> GetHelpStrings(const std::string& ALink) = 0;
    virtual std::string GetHelpPath() = 0;
    virtual std::string GetDefaultHelpFile() = 0;
};

class THelpManager : public IHelpManager {
public:
    THelpManager() = default;
    // The manager's end: every viewer still registered is told to shut down.
    ~THelpManager() override;
    THelpManager(const THelpManager&) = delete;
    THelpManager& operator=(const THelpManager&) = delete;

    // Registers viewer, which stays the caller's; Manager receives this manager. Gives the
    // viewer's identifier, which the viewer is also told through NotifyID.
    int RegisterViewer(ICustomHelpViewer& Viewer, IHelpManager*& Manager);
    int ViewerCount() const { return static_cast<int>(viewers_.size()); }

    // Each is true when a viewer took the request.
    bool ShowHelp(const std::string& HelpKeyword, const std::string& HelpFileName);
    bool ShowContextHelp(int ContextID, const std::string& HelpFileName);
    bool ShowTopicHelp(const std::string& Topic, const std::string& HelpFileName);
    bool ShowTableOfContents(const std::string& HelpFileName);

    // The selector stays the caller's; nullptr removes it.
    void AssignHelpSelector(IHelpSelector* Selector) { selector_ = Selector; }
    void SetWinHelpTester(std::unique_ptr<IWinHelpTester> Tester) { tester_ = std::move(Tester); }
    IWinHelpTester* WinHelpTester() const { return tester_.get(); }

    std::string GetHelpFile() override { return helpFile_; }
    HWND GetHandle() override;
    void Release(int ViewerID) override;

private:
    struct TViewer {
        int id;
        ICustomHelpViewer* viewer;
    };
    // The registered viewers as they stand when a request starts: a viewer may leave during it.
    std::vector<TViewer> Snapshot() const { return viewers_; }
    bool Registered(int id) const;

    std::vector<TViewer> viewers_;
    int nextId_ = 0;
    std::string helpFile_;
    IHelpSelector* selector_ = nullptr;
    std::unique_ptr<IWinHelpTester> tester_;
};

// The help manager of the process.
THelpManager& HelpManager();

} // namespace platform::forms
