#include "platform/forms/help_manager.h"

#include "platform/forms/application.h"
#include "platform/forms/forms.h"

#include <algorithm>

namespace platform::forms {

THelpManager& HelpManager() {
    static THelpManager manager;
    return manager;
}

namespace {

// Sets the help file of the request for as long as it is served.
class TRequestFile {
public:
    TRequestFile(std::string& slot, const std::string& file) : slot_(slot) { slot_ = file; }
    ~TRequestFile() { slot_.clear(); }
    TRequestFile(const TRequestFile&) = delete;
    TRequestFile& operator=(const TRequestFile&) = delete;

private:
    std::string& slot_;
};

} // namespace

THelpManager::~THelpManager() {
    for (const TViewer& entry : Snapshot())
        if (Registered(entry.id)) entry.viewer->ShutDown();
    viewers_.clear();
}

int THelpManager::RegisterViewer(ICustomHelpViewer& Viewer, IHelpManager*& Manager) {
    const int id = ++nextId_;
    viewers_.push_back({id, &Viewer});
    Manager = this;
    Viewer.NotifyID(id);
    return id;
}

void THelpManager::Release(int ViewerID) {
    std::erase_if(viewers_, [&](const TViewer& entry) { return entry.id == ViewerID; });
}

bool THelpManager::Registered(int id) const {
    return std::any_of(viewers_.begin(), viewers_.end(),
                       [&](const TViewer& entry) { return entry.id == id; });
}

HWND THelpManager::GetHandle() {
    TCustomForm* main = Application().MainForm();
    return main && main->HandleAllocated() ? main->Handle() : NullHWnd;
}

bool THelpManager::ShowHelp(const std::string& HelpKeyword, const std::string& HelpFileName) {
    TRequestFile file(helpFile_, HelpFileName);
    std::vector<std::string> strings;
    std::vector<ICustomHelpViewer*> owners;
    for (const TViewer& entry : Snapshot()) {
        if (entry.viewer->UnderstandsKeyword(HelpKeyword) <= 0) continue;
        for (std::string& text : entry.viewer->GetHelpStrings(HelpKeyword)) {
            strings.push_back(std::move(text));
            owners.push_back(entry.viewer);
        }
    }
    if (strings.empty()) return false;
    int index = 0;
    if (strings.size() > 1 && selector_) index = selector_->SelectKeyword(strings);
    if (index < 0 || index >= static_cast<int>(strings.size())) return false;
    owners[index]->ShowHelp(strings[index]);
    return true;
}

bool THelpManager::ShowContextHelp(int ContextID, const std::string& HelpFileName) {
    TRequestFile file(helpFile_, HelpFileName);
    for (const TViewer& entry : Snapshot()) {
        auto* viewer = dynamic_cast<IExtendedHelpViewer*>(entry.viewer);
        if (viewer && viewer->UnderstandsContext(ContextID, HelpFileName)) {
            viewer->DisplayHelpContext(ContextID, HelpFileName);
            return true;
        }
    }
    return false;
}

bool THelpManager::ShowTopicHelp(const std::string& Topic, const std::string& HelpFileName) {
    TRequestFile file(helpFile_, HelpFileName);
    for (const TViewer& entry : Snapshot()) {
        auto* viewer = dynamic_cast<IExtendedHelpViewer*>(entry.viewer);
        if (viewer && viewer->UnderstandsTopic(Topic)) {
            viewer->DisplayTopic(Topic);
            return true;
        }
    }
    return false;
}

bool THelpManager::ShowTableOfContents(const std::string& HelpFileName) {
    TRequestFile file(helpFile_, HelpFileName);
    for (const TViewer& entry : Snapshot()) {
        if (entry.viewer->CanShowTableOfContents()) {
            entry.viewer->ShowTableOfContents();
            return true;
        }
    }
    return false;
}

} // namespace platform::forms
