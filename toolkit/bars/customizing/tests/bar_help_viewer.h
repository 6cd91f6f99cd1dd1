#pragma once
// A help viewer for the bar tests: it takes every help context asked for the help file
// "bars.chm" and keeps them, so that a test sees which context a key or button asked for.

#include "platform/forms/help_manager.h"

#include <string>
#include <vector>

namespace toolkit::bars {

class BarHelpViewer : public platform::forms::IExtendedHelpViewer {
public:
    BarHelpViewer() { Id = platform::forms::HelpManager().RegisterViewer(*this, Manager); }
    ~BarHelpViewer() override {
        if (Manager) Manager->Release(Id);
    }
    BarHelpViewer(const BarHelpViewer&) = delete;
    BarHelpViewer& operator=(const BarHelpViewer&) = delete;

    std::string GetViewerName() override { return "contexts"; }
    int UnderstandsKeyword(const std::string&) override { return 0; }
    std::vector<std::string> GetHelpStrings(const std::string&) override { return {}; }
    bool CanShowTableOfContents() override { return false; }
    void ShowTableOfContents() override {}
    void ShowHelp(const std::string&) override {}
    void NotifyID(int) override {}
    void ShutDown() override { Manager = nullptr; }
    bool UnderstandsTopic(const std::string&) override { return false; }
    void DisplayTopic(const std::string&) override {}
    bool UnderstandsContext(int, const std::string& File) override { return File == "bars.chm"; }
    void DisplayHelpContext(int Context, const std::string&) override { Shown.push_back(Context); }

    platform::forms::IHelpManager* Manager = nullptr;
    int Id = 0;
    std::vector<int> Shown;
};

} // namespace toolkit::bars
