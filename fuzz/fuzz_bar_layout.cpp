// A bar manager's layout in the settings file. Whatever the file holds loads in bounded time
// and leaves the bars within what can be: counts under the caps, set bytes within their bits,
// ordinals within their enumerations, rows within the number of bars, sizes not below 0. What was
// loaded saves to a layout that loads back to the same bars with the same links (the dock sites
// may place them anew).

#include "fuzz/fuzz_world.h"
#include "platform/core/loading_bracket.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_storage.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace {

namespace bars = toolkit::bars;
namespace pc = platform::core;
namespace pf = platform::forms;

// A menu bar with a sub-item and a toolbar of three buttons, loaded as a form is.
struct TDesignedForm {
    TDesignedForm() {
        Form->Name = "LayoutForm";
        pc::TLoadingBracket Bracket;
        Manager = &Form->Own<bars::TdxBarManager>();
        Manager->Name = "Bars";
        Manager->SetStyle(bars::bmsOffice11);
        bars::TdxBarSubItem& File = Form->Own<bars::TdxBarSubItem>();
        File.Name = "FileMenu";
        Manager->AddItem(&File);
        bars::TdxBar& Menu = *Manager->Bars()->Add();
        Menu.SetCaption("Menu");
        Menu.ItemLinks().Add(&File);
        bars::TdxBar& Tools = *Manager->Bars()->Add();
        Tools.SetCaption("Tools");
        for (const char* Name : {"NewItem", "OpenItem", "SaveItem"}) {
            bars::TdxBarButton& Button = Form->Own<bars::TdxBarButton>();
            Button.Name = Name;
            Button.SetCaption(Name);
            Manager->AddItem(&Button);
            Tools.ItemLinks().Add(&Button);
            File.ItemLinks().Add(&Button);
        }
        Bracket.End();
    }
    ~TDesignedForm() {
        Form.reset();
        pc::ProcessMessages();
    }
    TDesignedForm(const TDesignedForm&) = delete;
    TDesignedForm& operator=(const TDesignedForm&) = delete;

    std::unique_ptr<pf::TForm> Form = std::make_unique<pf::TForm>(nullptr);
    bars::TdxBarManager* Manager = nullptr;
};

void CheckLinks(const bars::TdxBarItemLinks& Links) {
    FUZZ_CHECK(Links.Count() <= bars::MaxStoredLinkCount);
    for (int I = 0; I < Links.Count(); ++I) {
        const bars::TdxBarItemLink& Link = *Links.Items(I);
        FUZZ_CHECK(Link.Item() != nullptr);
        FUZZ_CHECK((Link.UserDefine() & ~0x0F) == 0);
        FUZZ_CHECK(Link.UserPaintStyle() >= bars::psStandard &&
                   Link.UserPaintStyle() <= bars::psCaptionGlyph);
        FUZZ_CHECK(Link.UserWidth() >= 0);
    }
}

void CheckLayout(const bars::TdxBarManager& Manager) {
    FUZZ_CHECK(Manager.MenuAnimations() >= bars::maNone &&
               Manager.MenuAnimations() <= bars::maFade);
    const int Count = Manager.Bars()->Count();
    FUZZ_CHECK(Count >= 2 && Count <= bars::MaxStoredBarCount);
    for (int I = 0; I < Count; ++I) {
        const bars::TdxBar& Bar = *Manager.Bars()->Items(I);
        FUZZ_CHECK(Bar.DockingStyle() >= bars::dsNone && Bar.DockingStyle() <= bars::dsBottom);
        FUZZ_CHECK(Bar.DockedDockingStyle >= bars::dsNone &&
                   Bar.DockedDockingStyle <= bars::dsBottom);
        FUZZ_CHECK(Bar.Row() >= 0 && Bar.Row() <= Count);
        FUZZ_CHECK(Bar.FloatClientWidth() >= 0 && Bar.FloatClientHeight() >= 0);
        CheckLinks(Bar.ItemLinks());
    }
}

// What a save keeps whatever the dock sites make of it: each bar's caption and linked items.
std::vector<std::string> Shape(const bars::TdxBarManager& Manager) {
    std::vector<std::string> Result;
    for (int I = 0; I < Manager.Bars()->Count(); ++I) {
        const bars::TdxBar& Bar = *Manager.Bars()->Items(I);
        std::string Line = Bar.Caption() + ":";
        for (int K = 0; K < Bar.ItemLinks().Count(); ++K)
            Line += " " + Bar.ItemLinks().Items(K)->Item()->Caption();
        Result.push_back(Line);
    }
    return Result;
}

} // namespace

// The font library keeps its caches for the life of the process; they are not the target's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Bar windows need the application object; nothing is shown.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication Application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fuzz;
    World& world = World::Get();
    const std::string Input = world.Path("layout.ini");
    const std::string Saved = world.Path("saved.ini");
    World::WriteFile(Input, std::span<const std::uint8_t>(data, size));

    std::vector<std::string> LoadedShape;
    {
        TDesignedForm Loaded;
        Loaded.Manager->LoadFromIniFile(Input);
        FUZZ_CHECK(World::ReadFile(Input) == Bytes(data, data + size));
        CheckLayout(*Loaded.Manager);
        LoadedShape = Shape(*Loaded.Manager);
        std::filesystem::remove(Saved);
        Loaded.Manager->SaveToIniFile(Saved);
    }
    TDesignedForm Reloaded;
    Reloaded.Manager->LoadFromIniFile(Saved);
    CheckLayout(*Reloaded.Manager);
    FUZZ_CHECK(Shape(*Reloaded.Manager) == LoadedShape);
    return 0;
}
