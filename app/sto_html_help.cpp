#include "app/sto_html_help.h"

#include "platform/core/folders.h"
#include "platform/core/text.h"
#include "platform/forms/application.h"

namespace app {

namespace forms = platform::forms;
namespace win = platform::win;
using platform::core::ExtractFileExt;
using platform::core::ExtractFilePath;
using platform::core::LowerCase;
using platform::core::SameText;
using platform::win::HWND;
using platform::win::NullHWnd;
using platform::win::UINT;

namespace {

std::unique_ptr<TStoHtmlHelpViewer>& Viewer() {
    static std::unique_ptr<TStoHtmlHelpViewer> viewer;
    return viewer;
}

int& RegCount() {
    static int count = 0;
    return count;
}

std::string ModuleFolder() {
    return platform::core::IncludeTrailingPathDelimiter(platform::core::ProgramFolder());
}

// The command HTML Help answers with its last error: the bridge never asks for it.
constexpr UINT HH_GET_LAST_ERROR = 0x0014;

} // namespace

TStoHtmlHelpViewer::TStoHtmlHelpViewer(std::unique_ptr<win::THtmlHelpLibrary> library)
    : library_(std::move(library)) {
    if (library_) HtmlHelpA_ = library_->GetProcAddress("HtmlHelpA");
}

TStoHtmlHelpViewer::~TStoHtmlHelpViewer() {
    Unregister();
    HtmlHelpA_ = nullptr;
    library_.reset();
}

void TStoHtmlHelpViewer::Register(forms::THelpManager& manager) {
    viewerID_ = manager.RegisterViewer(*this, helpManager_);
}

void TStoHtmlHelpViewer::Unregister() {
    if (!helpManager_) return;
    forms::IHelpManager* manager = helpManager_;
    helpManager_ = nullptr;
    manager->Release(viewerID_);
}

std::string TStoHtmlHelpViewer::GetHelpFile() {
    std::string file = helpManager_ ? helpManager_->GetHelpFile() : std::string();
    if (file.empty()) file = forms::Application().HelpFile;
    if (ExtractFilePath(file).empty()) file = ModuleFolder() + file;
    return file;
}

bool TStoHtmlHelpViewer::HelpFileQualifies() {
    const std::string file = GetHelpFile();
    const auto dot = file.rfind('.');
    return dot != std::string::npos && SameText(file.substr(dot), ".chm");
}

void TStoHtmlHelpViewer::HtmlHelp(UINT command, const std::string& file, std::uintptr_t data) {
    if (!HtmlHelpA_) return;
    if (command == win::HH_CLOSE_ALL) {
        HtmlHelpA_(NullHWnd, nullptr, command, data);
        return;
    }
    if (command == HH_GET_LAST_ERROR) return;
    const HWND owner = helpManager_ ? helpManager_->GetHandle() : NullHWnd;
    HtmlHelpA_(owner, file.c_str(), command, data);
}

std::string TStoHtmlHelpViewer::GetViewerName() {
    return ViewerName;
}

int TStoHtmlHelpViewer::UnderstandsKeyword(const std::string&) {
    return HelpFileQualifies() ? 1 : 0;
}

std::vector<std::string> TStoHtmlHelpViewer::GetHelpStrings(const std::string& HelpString) {
    return {ViewerName + ": " + HelpString};
}

bool TStoHtmlHelpViewer::CanShowTableOfContents() {
    return HelpFileQualifies();
}

void TStoHtmlHelpViewer::ShowTableOfContents() {
    HtmlHelp(win::HH_DISPLAY_TOC, GetHelpFile(), 0);
}

void TStoHtmlHelpViewer::ShowHelp(const std::string& HelpString) {
    const auto colon = HelpString.find(':');
    const std::string keyword = platform::core::Trim(
        colon == std::string::npos ? HelpString : HelpString.substr(colon + 1));
    HtmlHelp(win::HH_DISPLAY_INDEX, GetHelpFile(),
             reinterpret_cast<std::uintptr_t>(keyword.c_str()));
}

void TStoHtmlHelpViewer::NotifyID(int ViewerID) {
    viewerID_ = ViewerID;
}

void TStoHtmlHelpViewer::ShutDown() {
    HtmlHelp(win::HH_CLOSE_ALL, "", 0);
    Unregister();
}

bool TStoHtmlHelpViewer::UnderstandsTopic(const std::string&) {
    return HelpFileQualifies();
}

void TStoHtmlHelpViewer::DisplayTopic(const std::string& Topic) {
    std::string topic = Topic;
    const std::string extension = LowerCase(ExtractFileExt(topic));
    if (extension != ".htm" && extension != ".html") topic += DefaultExtension;
    HtmlHelp(win::HH_DISPLAY_TOPIC, GetHelpFile() + "::/" + topic, 0);
}

bool TStoHtmlHelpViewer::UnderstandsContext(int, const std::string&) {
    return HelpFileQualifies();
}

void TStoHtmlHelpViewer::DisplayHelpContext(int ContextID, const std::string&) {
    HtmlHelp(win::HH_HELP_CONTEXT, GetHelpFile(), static_cast<std::uintptr_t>(ContextID));
}

int TStoHtmlHelpViewer::SelectKeyword(const std::vector<std::string>& Keywords) {
    for (std::size_t i = 0; i < Keywords.size(); ++i) {
        const auto colon = Keywords[i].find(':');
        if (colon != std::string::npos && Keywords[i].substr(0, colon) == ViewerName)
            return static_cast<int>(i);
    }
    return -1;
}

bool TStoWinHelpTester::CanShowALink(const std::string&, const std::string&) {
    return false;
}

bool TStoWinHelpTester::CanShowTopic(const std::string&, const std::string&) {
    return false;
}

bool TStoWinHelpTester::CanShowContext(int, const std::string&) {
    return false;
}

std::vector<std::string> TStoWinHelpTester::GetHelpStrings(const std::string&) {
    return {};
}

std::string TStoWinHelpTester::GetHelpPath() {
    return "";
}

std::string TStoWinHelpTester::GetDefaultHelpFile() {
    return "";
}

TStoHtmlHelpViewer* HtmlHelpViewer() {
    return Viewer().get();
}

void StoHtmlHelpInitialization(const THtmlHelpLoad& load) {
    if (RegCount()++ != 0) return;
    Viewer() = std::make_unique<TStoHtmlHelpViewer>(load());
    Viewer()->Register(forms::HelpManager());
    forms::HelpManager().SetWinHelpTester(std::make_unique<TStoWinHelpTester>());
}

void StoHtmlHelpFinalization() {
    if (RegCount() == 0 || --RegCount() != 0) return;
    if (dynamic_cast<TStoWinHelpTester*>(forms::HelpManager().WinHelpTester()))
        forms::HelpManager().SetWinHelpTester(nullptr);
    if (Viewer()) Viewer()->Unregister();
    Viewer().reset();
}

TStoHtmlHelpRegistration::TStoHtmlHelpRegistration()
    : TStoHtmlHelpRegistration([] { return win::THtmlHelpLibrary::Load(); }) {}

TStoHtmlHelpRegistration::TStoHtmlHelpRegistration(const THtmlHelpLoad& load) {
    StoHtmlHelpInitialization(load);
}

TStoHtmlHelpRegistration::~TStoHtmlHelpRegistration() {
    StoHtmlHelpFinalization();
}

} // namespace app
