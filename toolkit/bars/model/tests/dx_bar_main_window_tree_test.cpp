// The main window's whole item tree built in code: seven categories, the five menus of the
// menu bar with their commands, and the toolbar; every command runs through its click path.

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"

#include "platform/core/loading_bracket.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;

// The two bars' link lists, owned by a toolbar as far as the lists know.
class TBarLinksOwner : public TdxBarItemLinksOwner {
public:
    TdxBarLinksOwnerKind LinksOwnerKind() const override { return TdxBarLinksOwnerKind::Bar; }
    pc::TComponent* LinksOwnerComponent() override { return nullptr; }
    bool CanContainItem(const TdxBarItem*) const override { return true; }
};

struct TCommand {
    const char* Name;
    const char* Caption;
    const char* Hint;
};

struct TMenu {
    const char* Name;
    const char* Caption;
    const char* Hint;
    const char* Category;
    std::vector<TCommand> Commands;
};

const std::vector<TMenu>& MainMenu() {
    static const std::vector<TMenu> Menus{
        {"File1",
         "&File",
         "File related commands",
         "File",
         {{"FileNewItem", "&New", "Create a new file"},
          {"FileOpenItem", "&Open", "Open an existing file"},
          {"FileImportFrom", "Import From Synth", ""},
          {"FileCloseItem", "&Close", "Close current file"},
          {"FileSaveItem", "&Save", "Save current file"},
          {"FileSaveAsItem", "Save &As...", "Save current file as..."},
          {"FileExportto", "Export To Synth", ""},
          {"FileSaveAllItem", "Save A&ll", ""},
          {"FilePrintItem", "&Print", ""},
          {"FileExitItem", "E&xit", "Exit the application"}}},
        {"Settings1",
         "Settings",
         "",
         "Settings",
         {{"SetMidiMidiPortItem", "&Midi", ""},
          {"SetPreviewItem", "&Preview", ""},
          {"SetExpansionItem", "&Expansion", ""},
          {"SetPatchAndPerf", "&Names", ""}}},
        {"Gaggets1",
         "Gadgets",
         "",
         "Gadgets",
         {{"GadgetsKeyboardItem", "&Keyboard", ""}, {"GadgetsMonitorItem", "&Monitor", ""}}},
        {"Window1",
         "&Window",
         "Window related commands such as Tile and Cascade",
         "Window",
         {{"WindowCascadeItem", "&Cascade", "Arrange windows to overlap"},
          {"WindowTileItem", "&Tile", "Arrange windows without overlap"},
          {"WindowArrangeItem", "&Arrange Icons", "Arrange window icons at bottom of main window"},
          {"WindowMinimizeItem", "&Minimize All", "Minimize all windows"}}},
        {"Help1",
         "&Help",
         "Help topics",
         "Help",
         {{"Index1", "&Index", ""}, {"HelpAboutItem", "&About", ""}}},
    };
    return Menus;
}

class MainWindowTreeTest : public ::testing::Test {
protected:
    MainWindowTreeTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {}
    ~MainWindowTreeTest() override {
        FMenuBar.reset();
        FToolBar.reset();
        FRoot.reset();
        pc::ProcessMessages();
    }

    // Built as the form builds it: inside a loading bracket.
    void Build() {
        pc::TLoadingBracket Loading;
        Form = &FRoot->Own<pf::TForm>();
        Manager = &Form->Own<TdxBarManager>();
        Manager->Name = "dxBarManager1";
        for (const char* Category :
             {"Default", "File", "Settings", "Gadgets", "Window", "Help", "Menus"})
            Manager->Categories().Add(Category);
        for (const TMenu& Menu : MainMenu()) {
            auto& Sub = Form->Own<TdxBarSubItem>();
            Sub.Name = Menu.Name;
            Sub.SetCaption(Menu.Caption);
            Sub.Hint = Menu.Hint;
            Sub.SetCategory(Manager->Categories().IndexOf("Menus"));
            SubItems.push_back(&Sub);
            for (const TCommand& Command : Menu.Commands) {
                auto& Button = Form->Own<TdxBarButton>();
                Button.Name = Command.Name;
                Button.SetCaption(Command.Caption);
                if (*Command.Hint) Button.Hint = Command.Hint;
                Button.SetCategory(Manager->Categories().IndexOf(Menu.Category));
                Button.OnClick = [this](pc::TObject* Sender) {
                    Ran.push_back(static_cast<pc::TComponent*>(Sender)->Name);
                };
                Commands[Command.Name] = &Button;
                Sub.ItemLinks().Add(&Button);
            }
        }
        Loading.End();
        // Run-time captions of the form's creation.
        Commands["FileImportFrom"]->SetCaption("Import From Synth");
        Commands["FileExportto"]->SetCaption("Export To Synth");

        FMenuBar = std::make_unique<TdxBarItemLinks>(Manager, &FBarOwner);
        for (TdxBarSubItem* Sub : SubItems)
            FMenuBar->Add(Sub);
        FToolBar = std::make_unique<TdxBarItemLinks>(Manager, &FBarOwner);
        for (const char* Name :
             {"FileNewItem", "FileOpenItem", "FileSaveItem", "FileSaveAllItem", "FilePrintItem",
              "WindowCascadeItem", "WindowTileItem", "WindowArrangeItem", "WindowMinimizeItem"})
            FToolBar->Add(Commands[Name]);
        FToolBar->Items(4)->SetBeginGroup(true);
        FToolBar->Items(5)->SetBeginGroup(true);
    }

    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
    TBarLinksOwner FBarOwner;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    std::vector<TdxBarSubItem*> SubItems;
    std::map<std::string, TdxBarButton*> Commands;
    std::unique_ptr<TdxBarItemLinks> FMenuBar;
    std::unique_ptr<TdxBarItemLinks> FToolBar;
    std::vector<std::string> Ran;
};

TEST_F(MainWindowTreeTest, TheTreeHasItsCategoriesMenusAndBars) {
    Build();
    EXPECT_EQ(Manager->Categories().Count(), 7);
    EXPECT_EQ(Manager->Categories()[6], "Menus");
    EXPECT_EQ(Manager->GetItemCount(), 5 + 22);
    ASSERT_EQ(FMenuBar->VisibleItemCount(), 5);
    std::vector<std::string> Captions;
    for (int I = 0; I < FMenuBar->Count(); ++I)
        Captions.push_back(FMenuBar->Items(I)->GetCaption());
    EXPECT_EQ(Captions,
              (std::vector<std::string>{"&File", "Settings", "Gadgets", "&Window", "&Help"}));
    EXPECT_EQ(SubItems[0]->Hint, "File related commands");
    EXPECT_EQ(FMenuBar->FindAccel('W', pf::ssAlt, nullptr), FMenuBar->Items(3));
    EXPECT_EQ(SubItems[0]->ItemLinks().Count(), 10);
    EXPECT_EQ(SubItems[0]->ItemLinks().FindAccel('L', 0, nullptr)->Item(),
              Commands["FileSaveAllItem"]);
    EXPECT_EQ(FToolBar->VisibleItemCount(), 9);
    int Separators = 0;
    for (int I = 0; I < FToolBar->Count(); ++I)
        Separators += FToolBar->Items(I)->BeginGroup() ? 1 : 0;
    EXPECT_EQ(Separators, 2);
    EXPECT_EQ(Commands["FileNewItem"]->LinkCount(), 2);
}

TEST_F(MainWindowTreeTest, EveryCommandRunsThroughItsClickPath) {
    Build();
    std::vector<std::string> Seen;
    Manager->OnClickItem = [&](TdxBarManager*, TdxBarItem* Item) { Seen.push_back(Item->Name); };
    std::vector<std::string> Expected;
    for (const TMenu& Menu : MainMenu()) {
        const int Category = Manager->Categories().IndexOf(Menu.Category);
        for (const TCommand& Command : Menu.Commands) {
            TdxBarButton* Button = Commands[Command.Name];
            EXPECT_EQ(Button->Category(), Category) << Command.Name;
            Button->Click();
            Expected.push_back(Command.Name);
        }
    }
    EXPECT_EQ(Ran.size(), 22u);
    EXPECT_EQ(Ran, Expected);
    EXPECT_EQ(Seen, Expected);
    // The menu enabling greys a command; its click then does nothing.
    Commands["FileSaveItem"]->SetEnabled(false);
    Commands["FileSaveItem"]->Click();
    EXPECT_EQ(Ran.size(), 22u);
}

TEST_F(MainWindowTreeTest, FreeingTheFormFreesTheTreeOnce) {
    Build();
    FMenuBar.reset();
    FToolBar.reset();
    FRoot->FreeComponent(*Form);
    EXPECT_EQ(Unit.BarManagerList().GetCount(), 0);
}

} // namespace
} // namespace toolkit::bars
