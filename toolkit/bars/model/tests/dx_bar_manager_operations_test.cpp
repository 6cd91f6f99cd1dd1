// The manager's bookkeeping as a program sees it: a bar the user hid is not shown again by its
// category's items, loading a form fires no docking-style change, the lookups find what they
// name, a renamed manager renames its items in design mode, and every change the designer must
// hear of reaches it.

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_group.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/tests/dx_bar_fake_designer.h"

#include "platform/core/loading_bracket.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;

class ManagerOperationsTest : public ::testing::Test {
protected:
    ManagerOperationsTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {}
    ~ManagerOperationsTest() override {
        FRoot.reset();
        pc::ProcessMessages();
    }

    TdxBarButton& Button(pc::TComponent& Owner, const std::string& Name, int Category) {
        auto& B = Owner.Own<TdxBarButton>();
        B.Name = Name;
        B.SetCategory(Category);
        return B;
    }

    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
};

// A bar hidden because its only command went out of sight comes back with the command, unless
// the user (or the program) showed or hid it in between.
TEST_F(ManagerOperationsTest, ABarTheUserHidStaysHiddenWhenItsItemsComeBack) {
    struct Case {
        const char* What;
        std::function<void(TdxBar&)> Meanwhile;
        bool ShownAtTheEnd;
    };
    const Case Cases[] = {
        {"nothing in between", [](TdxBar&) {}, true},
        {"hidden by the user", [](TdxBar& B) { B.SetVisible(false); }, false},
        {"shown and hidden again",
         [](TdxBar& B) {
             B.SetVisible(true);
             B.SetVisible(false);
         },
         false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        auto& Form = FRoot->Own<pf::TForm>();
        auto& Manager = Form.Own<TdxBarManager>();
        Manager.Categories().Add("Tools");
        Manager.SetAutoHideEmptyBars(true);
        TdxBar& Tools = *Manager.Bars()->Add();
        Tools.SetCaption("Tools");
        Tools.ItemLinks().Add(&Button(Form, "Tune", 1));
        Tools.SetVisible(true);

        Manager.SetCategoryItemsVisible(1, ivNever);
        ASSERT_FALSE(Tools.Visible());
        C.Meanwhile(Tools);
        Manager.SetCategoryItemsVisible(1, ivAlways);
        EXPECT_EQ(Tools.Visible(), C.ShownAtTheEnd);
        FRoot->FreeComponent(Form);
    }
}

TEST_F(ManagerOperationsTest, LoadingAFormFiresNoDockingStyleChange) {
    auto& Form = FRoot->Own<pf::TForm>();
    std::vector<std::string> Changes;
    TdxBarManager* Manager = nullptr;
    TdxBar* Tools = nullptr;
    {
        pc::TLoadingBracket Loading;
        Manager = &Form.Own<TdxBarManager>();
        Manager->OnBarDockingStyleChange = [&](TdxBarManager*, TdxBar* Bar) {
            Changes.push_back(Bar->Caption());
        };
        Tools = Manager->Bars()->Add();
        Tools->SetCaption("Tools");
        Tools->SetDockingStyle(dsLeft);
        Tools->SetVisible(true);
    }
    EXPECT_EQ(Tools->DockingStyle(), dsLeft);
    EXPECT_TRUE(Changes.empty());
    // Once loaded, the program hears of each change.
    Tools->SetDockingStyle(dsRight);
    EXPECT_EQ(Changes, (std::vector<std::string>{"Tools"}));
}

TEST_F(ManagerOperationsTest, LookupsFindWhatTheyName) {
    auto& Form = FRoot->Own<pf::TForm>();
    auto& Other = FRoot->Own<pf::TForm>();
    auto& Manager = Form.Own<TdxBarManager>();
    Manager.Categories().Add("File");
    TdxBarButton& Open = Button(Form, "Open", 1);
    TdxBarButton& Help = Button(Form, "Help", 0);
    TdxBarButton& Save = Button(Form, "Save", 1);
    // An internal command has no category; one owned elsewhere is not the form's.
    TdxBarButton& Internal = Form.Own<TdxBarButton>();
    TdxBarButton& Elsewhere = Other.Own<TdxBarButton>();
    Elsewhere.SetBarManager(&Manager);
    Elsewhere.SetCategory(1);
    TdxBarGroup* Group = Manager.AddGroup();

    EXPECT_EQ(Manager.GetItemsByCategory(1), (std::vector<TdxBarItem*>{&Open, &Save, &Elsewhere}));
    EXPECT_EQ(Manager.GetItemsByCategory(0), (std::vector<TdxBarItem*>{&Help}));
    EXPECT_TRUE(Manager.GetItemsByCategory(2).empty());

    std::vector<pc::TComponent*> Children;
    Manager.GetChildrenOf(&Form, [&](pc::TComponent* C) { Children.push_back(C); });
    EXPECT_EQ(Children, (std::vector<pc::TComponent*>{&Open, &Help, &Save, Group}));
    (void)Internal;

    TdxBar& Tools = *Manager.Bars()->Add();
    Tools.SetCaption("Tools");
    EXPECT_EQ(Manager.BarByCaption("Tools"), &Tools);
    EXPECT_EQ(Manager.BarByCaption("tools"), nullptr);
    EXPECT_EQ(Manager.BarByName("Tools"), &Tools);
}

TEST_F(ManagerOperationsTest, AnEditsLinkIsAsWideAsTheEditUnlessTheUserSetAWidth) {
    auto& Form = FRoot->Own<pf::TForm>();
    auto& Manager = Form.Own<TdxBarManager>();
    TdxBar& Tools = *Manager.Bars()->Add();
    auto& Find = Form.Own<TdxBarEdit>();
    Find.SetWidth(140);
    TdxBarItemLink& EditLink = *Tools.ItemLinks().Add(&Find);
    TdxBarItemLink& ButtonLink = *Tools.ItemLinks().Add(&Button(Form, "Go", 0));
    EXPECT_EQ(EditLink.GetWidth(), 140);
    EXPECT_EQ(ButtonLink.GetWidth(), 0);
    Find.SetWidth(90);
    EXPECT_EQ(EditLink.GetWidth(), 90);
    EditLink.SetUserWidth(60);
    EXPECT_EQ(EditLink.GetWidth(), 60);
}

class ManagerDesignTest : public ManagerOperationsTest {
protected:
    ManagerDesignTest() {
        Form = &FRoot->Own<DesignForm>();
        Form->SetDesigning(true);
        Manager = &Form->Own<TdxBarManager>();
        Manager->Name = "dxBarManager1";
    }

    FakeDesigner Designer;
    InstalledDesigner Installed{Designer};
    DesignForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
};

TEST_F(ManagerDesignTest, RenamingTheManagerRenamesTheItemsNamedAfterIt) {
    TdxBarButton& Button1 = Button(*Form, "dxBarManager1Button1", 0);
    TdxBarButton& Lower = Button(*Form, "DXBARMANAGER1Open", 0);
    TdxBarButton& Other = Button(*Form, "SaveButton", 0);
    TdxBarButton& Exact = Button(*Form, "dxBarManager1", 0);
    Manager->SetName("Bars");
    EXPECT_EQ(Manager->Name, "Bars");
    EXPECT_EQ(Button1.Name, "BarsButton1");
    EXPECT_EQ(Lower.Name, "BarsOpen");
    EXPECT_EQ(Other.Name, "SaveButton");
    EXPECT_EQ(Exact.Name, "dxBarManager1") << "only names longer than the manager's";

    // At run time a manager's name is only its own.
    auto& RunTimeForm = FRoot->Own<pf::TForm>();
    auto& RunTime = RunTimeForm.Own<TdxBarManager>();
    RunTime.Name = "Menus";
    TdxBarButton& Kept = Button(RunTimeForm, "MenusOpen", 0);
    RunTime.SetName("Bars");
    EXPECT_EQ(Kept.Name, "MenusOpen");
}

// Each change the designer must hear of, made once: the designer hears it.
TEST_F(ManagerDesignTest, TheDesignerHearsOfEveryChange) {
    Manager->Categories().Add("File");
    TdxBar& Tools = *Manager->Bars()->Add();
    Tools.SetCaption("Tools");
    TdxBarButton& Open = Button(*Form, "Open", 1);
    TdxBarButton& Save = Button(*Form, "Save", 1);
    struct Case {
        const char* What;
        std::function<void()> Change;
    };
    const Case Cases[] = {
        {"DockedLeft", [&] { Tools.SetDockedLeft(12); }},
        {"DockedTop", [&] { Tools.SetDockedTop(7); }},
        {"FloatLeft", [&] { Tools.SetFloatLeft(300); }},
        {"FloatTop", [&] { Tools.SetFloatTop(200); }},
        {"FloatClientWidth", [&] { Tools.SetFloatClientWidth(150); }},
        {"FloatClientHeight", [&] { Tools.SetFloatClientHeight(40); }},
        {"Hidden", [&] { Tools.SetHidden(true); }},
        {"DockingStyle", [&] { Tools.SetDockingStyle(dsBottom); }},
        {"a link added", [&] { Tools.ItemLinks().Add(&Open); }},
        {"a category added", [&] { Manager->Categories().Add("Edit"); }},
        {"a category renamed", [&] { Manager->Categories().SetStrings(2, "Edit it"); }},
        {"categories exchanged", [&] { Manager->Categories().Exchange(1, 2); }},
        {"a category inserted", [&] { Manager->Categories().Insert(1, "View"); }},
        {"a category deleted", [&] { Manager->Categories().Delete(1); }},
        {"ButtonArrowWidth", [&] { Manager->SetButtonArrowWidth(15); }},
        {"an item's Caption", [&] { Open.SetCaption("&Open..."); }},
        {"an item's Description", [&] { Open.SetDescription("Opens a library"); }},
        {"an item's ImageIndex", [&] { Open.SetImageIndex(2); }},
        {"an item's Glyph", [&] { Open.Glyph().SetSize(16, 16); }},
        {"an item's ShortCut", [&] { Open.SetShortCut(0x4F | 0x4000); }},
        {"a button's ButtonStyle", [&] { Open.SetButtonStyle(bsChecked); }},
    };
    for (const Case& C : Cases) {
        const int Before = Designer.Modifications;
        C.Change();
        EXPECT_GT(Designer.Modifications, Before) << C.What;
    }
    // What does not change tells nothing.
    const int Before = Designer.Modifications;
    Tools.SetFloatLeft(300);
    Tools.SetHidden(true);
    EXPECT_EQ(Designer.Modifications, Before);
    (void)Save;
}

} // namespace
} // namespace toolkit::bars
