#include "toolkit/bars/model/dx_bar_backgrounds.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_group.h"
#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_list_item.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_popup_menu_links.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_button_control.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/dx_bar_quick_cust_items.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

#include "platform/core/exception.h"
#include "platform/core/loading_bracket.h"
#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <gtest/gtest.h>

#include <cctype>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;

// A toolbar's links as far as a list knows its owner.
class TTestBar : public TdxBarItemLinksOwner {
public:
    TdxBarLinksOwnerKind LinksOwnerKind() const override { return TdxBarLinksOwnerKind::Bar; }
    pc::TComponent* LinksOwnerComponent() override { return nullptr; }
    bool CanContainItem(const TdxBarItem*) const override { return true; }
};

class BarItemsTest : public ::testing::Test {
protected:
    BarItemsTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &FRoot->Own<pf::TForm>();
        Manager = &Form->Own<TdxBarManager>();
        pf::Application().OnException = [this](pc::TObject* Sender, const std::exception_ptr& E) {
            ExceptionSenders.push_back(Sender);
            try {
                std::rethrow_exception(E);
            } catch (const std::exception& Error) {
                ExceptionTexts.emplace_back(Error.what());
            }
        };
    }
    ~BarItemsTest() override {
        pf::Application().OnException = nullptr;
        FRoot.reset();
        pc::ProcessMessages();
    }

    TdxBarButton& Button(const std::string& Caption, int Category = 0) {
        auto& B = Form->Own<TdxBarButton>();
        B.SetCaption(Caption);
        B.SetCategory(Category);
        return B;
    }
    TdxBarSubItem& SubItem(const std::string& Caption) {
        auto& S = Form->Own<TdxBarSubItem>();
        S.SetCaption(Caption);
        return S;
    }

    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    std::vector<pc::TObject*> ExceptionSenders;
    std::vector<std::string> ExceptionTexts;
};

// Categories

TEST_F(BarItemsTest, DeletingACategoryFreesItsItemsAndRenumbersTheLaterOnes) {
    auto& Cats = Manager->Categories();
    Cats.Add("File");
    Cats.Add("Help");
    Button("a", 0);
    Button("b", 1);
    TdxBarButton& C = Button("c", 2);
    const int Components = Form->ComponentCount();
    Cats.Delete(1);
    EXPECT_EQ(Form->ComponentCount(), Components - 1);
    EXPECT_EQ(Manager->GetItemCount(), 2);
    EXPECT_EQ(C.Category(), 1);
    EXPECT_EQ(Cats[1], "Help");
}

TEST_F(BarItemsTest, DeletingTheLastCategoryLeavesDefault) {
    auto& Cats = Manager->Categories();
    Cats.SetStrings(0, "Only");
    Button("a", 0);
    Cats.Delete(0);
    ASSERT_EQ(Cats.Count(), 1);
    EXPECT_EQ(Cats[0], "Default");
    EXPECT_EQ(Manager->GetItemCount(), 0);
}

TEST_F(BarItemsTest, MovingCategoryZeroToTwoRenumbersEveryItem) {
    auto& Cats = Manager->Categories();
    Cats.Add("One");
    Cats.Add("Two");
    TdxBarButton& A = Button("a", 0);
    TdxBarButton& B = Button("b", 1);
    TdxBarButton& C = Button("c", 2);
    Cats.Move(0, 2);
    EXPECT_EQ(B.Category(), 0);
    EXPECT_EQ(C.Category(), 1);
    EXPECT_EQ(A.Category(), 2);
    EXPECT_EQ(Cats[2], "Default");
    Cats.Exchange(0, 2);
    EXPECT_EQ(A.Category(), 0);
    EXPECT_EQ(B.Category(), 2);
}

TEST_F(BarItemsTest, OutOfRangeCategoriesAreIgnoredAndItemsFollowTheCategoryVisibility) {
    TdxBarButton& A = Button("a", 0);
    A.SetCategory(5);
    EXPECT_EQ(A.Category(), 0);
    Manager->SetCategoryItemsVisible(0, ivNever);
    EXPECT_EQ(A.Visible(), ivNever);
}

// Groups

TEST_F(BarItemsTest, ARecursiveGroupIsRefused) {
    auto& Outer = Form->Own<TdxBarGroup>();
    auto& Inner = Form->Own<TdxBarGroup>();
    Outer.Add(&Inner);
    try {
        Inner.Add(&Outer);
        FAIL() << "no exception";
    } catch (const pc::Exception& E) {
        EXPECT_EQ(E.Message(), "You cannot create recursive groups");
    }
    EXPECT_THROW(Outer.Add(&Outer), pc::Exception);
    EXPECT_EQ(Inner.Count(), 0);
    EXPECT_EQ(Manager->GetGroupCount(), 2);
    EXPECT_EQ(Inner.Index(), 1);
    Inner.SetIndex(0);
    EXPECT_EQ(Manager->GetGroup(0), &Inner);
}

TEST_F(BarItemsTest, ADisabledGroupDisablesItsNestedGroupsItems) {
    auto& Outer = Form->Own<TdxBarGroup>();
    auto& Inner = Form->Own<TdxBarGroup>();
    TdxBarButton& A = Button("a");
    TdxBarButton& B = Button("b");
    Outer.Add(&A);
    Outer.Add(&Inner);
    Inner.Add(&B);
    Outer.Add(Form); // neither an item nor a group
    EXPECT_EQ(Outer.Count(), 2);
    Outer.SetEnabled(false);
    EXPECT_FALSE(A.Enabled());
    EXPECT_FALSE(B.Enabled());
    EXPECT_FALSE(Inner.Enabled());
    EXPECT_FALSE(Manager->LockUpdate());
    Outer.SetVisible(ivNever);
    EXPECT_EQ(B.Visible(), ivNever);
    Form->FreeComponent(B);
    EXPECT_EQ(Inner.Count(), 0);
}

// Items

TEST_F(BarItemsTest, TheCaptionIsMirroredIntoAHintThatFollowsIt) {
    TdxBarButton& Open = Button("&Open...");
    Open.Hint = "Open|Opens a library file";
    Open.SetCaption("&Load...");
    EXPECT_EQ(Open.Hint, "Load|Opens a library file");
    Open.Hint = "Something|Long";
    Open.SetCaption("&Open...");
    EXPECT_EQ(Open.Hint, "Something|Long");
    TdxBarButton& Empty = Button("x");
    EXPECT_EQ(Empty.Hint, "x");
    TdxBarSubItem& File = SubItem("&File");
    EXPECT_EQ(File.Hint, "");
}

TEST_F(BarItemsTest, AVisibleSetWhileLoadingWaitsForTheManager) {
    Form->FreeComponent(*Manager);
    TdxBarButton* B = nullptr;
    {
        pc::TLoadingBracket Loading;
        Manager = &Form->Own<TdxBarManager>();
        B = &Form->Own<TdxBarButton>();
        B->SetVisible(ivNever);
        EXPECT_EQ(B->Visible(), ivAlways);
    }
    EXPECT_EQ(B->Visible(), ivNever);
}

TEST_F(BarItemsTest, ClickFiresTheManagersOnClickItemThenOnClick) {
    TdxBarButton& B = Button("&Open");
    std::vector<std::string> Calls;
    Manager->OnClickItem = [&](TdxBarManager*, TdxBarItem* Item) {
        EXPECT_EQ(Item, &B);
        Calls.push_back("manager");
    };
    B.OnClick = [&](pc::TObject* Sender) {
        EXPECT_EQ(Sender, &B);
        Calls.push_back("item");
    };
    B.Click();
    EXPECT_EQ(Calls, (std::vector<std::string>{"manager", "item"}));
    Calls.clear();
    B.SetEnabled(false);
    B.Click();
    B.DirectClick();
    EXPECT_TRUE(Calls.empty());
}

TEST_F(BarItemsTest, AnExceptionInOnClickGoesToTheApplicationAndThePathReturns) {
    TdxBarButton& B = Button("x");
    B.OnClick = [](pc::TObject*) { throw std::runtime_error("handler failed"); };
    EXPECT_NO_THROW(B.Click());
    ASSERT_EQ(ExceptionTexts.size(), 1u);
    EXPECT_EQ(ExceptionTexts[0], "handler failed");
    EXPECT_EQ(ExceptionSenders[0], &B);
}

TEST_F(BarItemsTest, AnExceptionInASubItemsOpeningReachesTheApplicationAndClearsThePending) {
    TdxBarSubItem& Sub = SubItem("&File");
    int Opened = 0;
    Sub.OnPopup = [&](pc::TObject*) {
        EXPECT_TRUE(Sub.ActivationPending());
        Sub.Activate([&] { ++Opened; }); // nested: ignored
        throw std::runtime_error("popup failed");
    };
    EXPECT_NO_THROW(Sub.Activate([&] { ++Opened; }));
    EXPECT_EQ(Opened, 0);
    EXPECT_FALSE(Sub.ActivationPending());
    ASSERT_EQ(ExceptionTexts.size(), 1u);
    EXPECT_EQ(ExceptionTexts[0], "popup failed");
    Sub.OnPopup = nullptr;
    Sub.OnClick = [](pc::TObject*) { throw std::runtime_error("click failed"); };
    Sub.Activate([&] { ++Opened; });
    EXPECT_EQ(ExceptionTexts.size(), 2u);
    Sub.OnClick = nullptr;
    Sub.Activate([&] { ++Opened; });
    EXPECT_EQ(Opened, 1);
    // A sub-item opens its menu; it runs no command.
    bool Clicked = false;
    Manager->OnClickItem = [&](TdxBarManager*, TdxBarItem*) { Clicked = true; };
    Sub.Click();
    EXPECT_FALSE(Clicked);
}

TEST_F(BarItemsTest, AnItemFreedByItsFormLeavesItsManagerAndItsLinks) {
    TTestBar Bar;
    TdxBarItemLinks Links(Manager, &Bar);
    TdxBarButton& B = Button("x");
    Links.Add(&B);
    Form->FreeComponent(B);
    EXPECT_EQ(Manager->GetItemCount(), 0);
    EXPECT_EQ(Links.Count(), 0);
}

TEST_F(BarItemsTest, AnItemFreedWithItsManagerLeavesTheFormOnce) {
    TdxBarSubItem& Sub = SubItem("&File");
    TdxBarButton& B = Button("x");
    Sub.ItemLinks().Add(&B);
    const int Components = Form->ComponentCount();
    Form->FreeComponent(*Manager);
    EXPECT_EQ(Form->ComponentCount(), Components - 3);
}

TEST_F(BarItemsTest, AFormFreesItemsMadeBeforeAndAfterItsManager) {
    Form->FreeComponent(*Manager);
    auto& Early = Form->Own<TdxBarSubItem>();
    EXPECT_EQ(Early.BarManager(), nullptr);
    Manager = &Form->Own<TdxBarManager>();
    Early.SetBarManager(Manager);
    auto& Late = Button("late");
    Early.ItemLinks().Add(&Late);
    FRoot->FreeComponent(*Form);
    Form = nullptr;
    SUCCEED();
}

// Check buttons

struct TCheckCase {
    const char* Name;
    TdxBarButtonStyle Style;
    int GroupIndex;
    bool AllowAllUp;
    // Clicks on buttons 0..2, then the expected down state of each.
    std::vector<int> Clicks;
    std::vector<bool> Down;
    int StoredGroup;
};

class CheckButtonTest : public BarItemsTest, public ::testing::WithParamInterface<TCheckCase> {};

TEST_P(CheckButtonTest, ClicksFollowTheGroupRules) {
    const TCheckCase& Case = GetParam();
    std::vector<TdxBarButton*> Buttons;
    for (int I = 0; I < 3; ++I) {
        TdxBarButton& B = Button("b" + std::to_string(I));
        B.SetButtonStyle(Case.Style);
        B.SetGroupIndex(Case.GroupIndex);
        Buttons.push_back(&B);
    }
    Buttons[0]->SetAllowAllUp(Case.AllowAllUp);
    for (TdxBarButton* B : Buttons)
        EXPECT_EQ(B->AllowAllUp(), Case.AllowAllUp && Case.StoredGroup != 0);
    EXPECT_EQ(Buttons[2]->GroupIndex(), Case.StoredGroup);
    int Commands = 0;
    for (TdxBarButton* B : Buttons)
        B->OnClick = [&](pc::TObject*) { ++Commands; };
    for (int Index : Case.Clicks)
        Buttons[static_cast<std::size_t>(Index)]->Click();
    EXPECT_EQ(Commands, static_cast<int>(Case.Clicks.size()));
    for (std::size_t I = 0; I < 3; ++I)
        EXPECT_EQ(Buttons[I]->Down(), Case.Down[I]) << I;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckButtonTest,
    ::testing::Values(
        TCheckCase{
            "PlainButtonsNeverGoDown", bsDefault, 5, false, {0, 1}, {false, false, false}, 0},
        TCheckCase{
            "UngroupedCheckButtonsToggle", bsChecked, 0, false, {0, 1, 1}, {true, false, false}, 0},
        TCheckCase{"AGroupKeepsOneDown", bsChecked, 1, false, {0, 1}, {false, true, false}, 1},
        TCheckCase{
            "TheLastDownButtonStaysDown", bsChecked, 1, false, {1, 1}, {false, true, false}, 1},
        TCheckCase{
            "AllowAllUpReleasesTheLast", bsChecked, 1, true, {1, 1}, {false, false, false}, 1}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(BarItemsTest, ChangingTheStyleOrGroupReleasesAButton) {
    TdxBarButton& B = Button("b");
    B.SetDown(true);
    EXPECT_FALSE(B.Down());
    B.SetButtonStyle(bsChecked);
    B.SetDown(true);
    B.SetButtonStyle(bsDropDown);
    EXPECT_FALSE(B.Down());
    B.SetButtonStyle(bsChecked);
    B.SetDown(true);
    B.SetGroupIndex(3);
    EXPECT_TRUE(B.Down()) << "the group's only down button is not released";
    EXPECT_EQ(B.GroupIndex(), 3);
    B.SetAllowAllUp(true);
    B.SetGroupIndex(4);
    EXPECT_FALSE(B.Down());
}

// Links

TEST_F(BarItemsTest, TheFirstShownLinkNeverShowsASeparatorAndAHiddenOneHandsItOn) {
    TTestBar Bar;
    TdxBarItemLinks Links(Manager, &Bar);
    TdxBarItemLink* A = Links.Add(&Button("a"));
    TdxBarItemLink* B = Links.Add(&Button("b"));
    TdxBarItemLink* C = Links.Add(&Button("c"));
    A->SetBeginGroup(true);
    B->SetBeginGroup(true);
    EXPECT_FALSE(A->BeginGroup());
    EXPECT_TRUE(B->BeginGroup());
    EXPECT_FALSE(C->BeginGroup());
    B->SetVisible(false);
    EXPECT_EQ(Links.VisibleItemCount(), 2);
    EXPECT_TRUE(B->BeginGroup()) << "a hidden link answers its own flag";
    EXPECT_TRUE(C->BeginGroup());
    A->SetVisible(false);
    EXPECT_FALSE(C->BeginGroup()) << "now the first shown link";
}

struct TRecentCase {
    const char* Name;
    // Use counts in recent order (most recent first).
    std::vector<int> Counts;
    int Expected;
};

class RecentCountTest : public BarItemsTest, public ::testing::WithParamInterface<TRecentCase> {};

TEST_P(RecentCountTest, TheThresholdAt95PercentSetsHowManyLinksShow) {
    const TRecentCase& Case = GetParam();
    TdxBarSubItem& Menu = SubItem("&File");
    std::vector<TdxBarItemLink*> Links;
    for (std::size_t I = 0; I < Case.Counts.size(); ++I)
        Links.push_back(Menu.ItemLinks().Add(&Button("b" + std::to_string(I))));
    for (std::size_t I = 0; I < Links.size(); ++I) {
        Links[I]->UseCount = Case.Counts[I];
        Links[I]->MoveInRecentList(static_cast<int>(I));
    }
    EXPECT_EQ(Manager->MostRecentItemsPercents(), 95);
    EXPECT_EQ(Menu.ItemLinks().GetRecentItemCount(), Case.Expected);
    Menu.ItemLinks().SetRecentItemCount(Case.Expected);
    if (Case.Expected > 0) {
        EXPECT_EQ(Menu.ItemLinks().VisibleItemCount(), Case.Expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RecentCountTest,
    ::testing::Values(TRecentCase{"TheRarelyUsedLastIsCollapsed", {40, 21, 20}, 2},
                      TRecentCase{"AFrequentLinkLastShowsAll", {21, 20, 40}, -1},
                      TRecentCase{"OnlyTheTopLinkAboveTheThreshold", {40, 20, 20}, 1},
                      TRecentCase{"EqualCountsShowAll", {20, 20, 20}, -1}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(BarItemsTest, ALinkFreshlyMadeCountsTheManagersStepAndGoesOnTop) {
    TdxBarSubItem& Menu = SubItem("&File");
    TdxBarItemLink* A = Menu.ItemLinks().Add(&Button("a"));
    TdxBarItemLink* B = Menu.ItemLinks().Add(&Button("b"));
    EXPECT_EQ(A->UseCount, 20);
    EXPECT_EQ(B->GetRecentIndex(), 0);
    B->SetMostRecentlyUsed(false);
    EXPECT_EQ(B->UseCount, 0);
    EXPECT_EQ(B->GetRecentIndex(), 1);
}

struct TAccelCase {
    const char* Caption;
    std::uint16_t Key;
    pf::TShiftState Shift;
    bool Matches;
};

class AccelTest : public BarItemsTest, public ::testing::WithParamInterface<TAccelCase> {};

TEST_P(AccelTest, KeysMatchTheCharacterAfterTheLastSingleAmpersand) {
    const TAccelCase& Case = GetParam();
    TdxBarItemLinks Links(Manager, nullptr);
    TdxBarItemLink* Link = Links.Add(&Button(Case.Caption));
    EXPECT_EQ(Link->IsAccel(Case.Key, Case.Shift), Case.Matches) << Case.Caption;
    EXPECT_EQ(Links.FindAccel(Case.Key, Case.Shift | pf::ssAlt, nullptr),
              Case.Matches ? Link : nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AccelTest,
    ::testing::Values(TAccelCase{"&File", 'F', 0, true}, TAccelCase{"&file", 'F', 0, true},
                      TAccelCase{"&File", 'F', pf::ssShift, false},
                      TAccelCase{"Save A&ll", 'L', 0, true}, TAccelCase{"Save A&ll", 'A', 0, false},
                      TAccelCase{"Tom && Jerry", 'J', 0, false},
                      TAccelCase{"Tom && &Jerry", 'J', 0, true}, TAccelCase{"&&Tom", 'T', 0, false},
                      TAccelCase{"Item &2", '2', 0, true},
                      TAccelCase{"Item &2", '2', pf::ssShift, false},
                      TAccelCase{"Percent &%", '5', pf::ssShift, true}),
    [](const ::testing::TestParamInfo<TAccelCase>& Info) {
        // "Tom && &Jerry" and J -> Tom_Amp_Amp_Amp_Jerry_J
        std::string Name;
        for (const char* C = Info.param.Caption; *C; ++C)
            Name += std::isalnum(static_cast<unsigned char>(*C)) ? std::string(1, *C)
                    : *C == '&'                                  ? std::string("_Amp_")
                    : *C == '%'                                  ? std::string("Percent")
                                                                 : std::string("_");
        Name += (Info.param.Shift & pf::ssShift) ? "_Shift" : "_";
        Name += static_cast<char>(Info.param.Key);
        std::string Clean;
        for (char C : Name)
            if (C != '_' || (!Clean.empty() && Clean.back() != '_')) Clean += C;
        return Clean;
    });

TEST_F(BarItemsTest, FindAccelSkipsDisabledItemsAndWrapsAfterTheStart) {
    TdxBarItemLinks Links(Manager, nullptr);
    TdxBarItemLink* A = Links.Add(&Button("&Alpha"));
    TdxBarItemLink* B = Links.Add(&Button("&Apple"));
    TdxBarItemLink* C = Links.Add(&Button("&Avocado"));
    EXPECT_EQ(Links.FindAccel('A', 0, A), B);
    EXPECT_EQ(Links.FindAccel('A', 0, C), A);
    B->Item()->SetEnabled(false);
    EXPECT_EQ(Links.FindAccel('A', 0, A), C);
}

TEST_F(BarItemsTest, AShortcutIsFoundInsideANestedSubItem) {
    TTestBar Bar;
    TdxBarItemLinks MainMenu(Manager, &Bar);
    TdxBarSubItem& File = SubItem("&File");
    TdxBarSubItem& Recent = SubItem("&Recent");
    TdxBarButton& Open = Button("&Open");
    const pf::TShortCut CtrlO = pf::ShortCut('O', pf::scCtrl);
    Open.SetShortCut(CtrlO);
    int Runs = 0;
    Open.OnClick = [&](pc::TObject*) { ++Runs; };
    MainMenu.Add(&File);
    File.ItemLinks().Add(&Recent);
    Recent.ItemLinks().Add(&Open);
    EXPECT_FALSE(MainMenu.IsShortCut(0));
    EXPECT_TRUE(MainMenu.IsShortCut(CtrlO));
    EXPECT_EQ(Runs, 1);
    EXPECT_TRUE(File.ExecuteShortCut(CtrlO));
    EXPECT_EQ(Runs, 2);
    Recent.SetEnabled(false);
    EXPECT_FALSE(MainMenu.IsShortCut(CtrlO));
}

TEST_F(BarItemsTest, ARecursiveSubItemIsRefusedAndTheLinkKeepsNoItem) {
    TdxBarSubItem& File = SubItem("&File");
    TdxBarSubItem& Recent = SubItem("&Recent");
    File.ItemLinks().Add(&Recent);
    try {
        Recent.ItemLinks().Add(&File);
        FAIL() << "no exception";
    } catch (const pc::Exception& E) {
        EXPECT_EQ(E.Message(), "You cannot create recursive subitems");
    }
    EXPECT_EQ(Recent.ItemLinks().Count(), 0);
    TdxBarItemLink* Link = File.ItemLinks().Add();
    EXPECT_THROW(Link->SetItem(&File), pc::Exception);
    EXPECT_EQ(Link->Item(), nullptr);
    EXPECT_EQ(File.LinkCount(), 0);
    EXPECT_FALSE(File.CanContainItem(&File));
    EXPECT_TRUE(File.CanContainItem(&Button("x")));
}

TEST_F(BarItemsTest, UserValuesAndSettingItemToNil) {
    TdxBarItemLinks Links(Manager, nullptr);
    TdxBarButton& B = Button("&Save");
    TdxBarItemLink* Link = Links.Add(&B);
    Link->SetUserWidth(5);
    EXPECT_EQ(Link->UserWidth(), 20);
    Link->SetUserCaption("Keep");
    EXPECT_EQ(Link->GetCaption(), "Keep");
    Link->SetUserDefine(0);
    EXPECT_EQ(Link->GetCaption(), "&Save");
    EXPECT_EQ(Link->UserWidth(), 0);
    int Deleted = 0;
    Manager->OnItemLinkDelete = [&](TdxBarManager*, TdxBarItemLink*) { ++Deleted; };
    Link->SetItem(nullptr);
    EXPECT_EQ(Links.Count(), 0);
    EXPECT_EQ(B.LinkCount(), 0);
    EXPECT_EQ(Deleted, 1);
}

TEST_F(BarItemsTest, AnItemHiddenLeavesEveryListButTheCollection) {
    TdxBarItemLinks Links(Manager, nullptr);
    TdxBarButton& B = Button("b");
    Links.Add(&Button("a"));
    Links.Add(&B);
    B.SetVisible(ivNever);
    EXPECT_EQ(Links.AvailableItemCount(), 1);
    EXPECT_EQ(Links.VisibleItemCount(), 1);
    EXPECT_EQ(Links.Items(1)->GetRecentIndex(), 1);
    B.SetVisible(ivAlways);
    EXPECT_EQ(Links.VisibleItemCount(), 2);
}

// Popup-menu links and backgrounds

TEST_F(BarItemsTest, APopupMenuLinkRefusesAControlOfAnotherForm) {
    auto& Other = FRoot->Own<pf::TForm>();
    auto& Foreign = Other.Own<pf::TEdit>();
    Foreign.SetParent(&Other);
    auto& Mine = Form->Own<pf::TEdit>();
    Mine.SetParent(Form);
    TdxBarPopupMenuLink* Link = Manager->PopupMenuLinks()->Add();
    Link->SetControl(&Foreign);
    EXPECT_EQ(Link->Control(), nullptr);
    Link->SetControl(&Mine);
    EXPECT_EQ(Link->Control(), &Mine);
    Form->FreeComponent(Mine);
    EXPECT_EQ(Link->Control(), nullptr);
}

TEST_F(BarItemsTest, AShortcutTypedInAChildRunsThroughTheParentsLinkWhenItServesChildren) {
    auto& Panel = Form->Own<pf::TPanel>();
    Panel.SetParent(Form);
    auto& Edit = Form->Own<pf::TEdit>();
    Edit.SetParent(&Panel);
    TdxBarItemLinks MenuLinks(Manager, nullptr);
    TdxBarButton& Copy = Button("&Copy");
    const pf::TShortCut CtrlC = pf::ShortCut('C', pf::scCtrl);
    Copy.SetShortCut(CtrlC);
    int Runs = 0;
    Copy.OnClick = [&](pc::TObject*) { ++Runs; };
    MenuLinks.Add(&Copy);
    TdxBarPopupMenuLink* Link = Manager->PopupMenuLinks()->Add();
    Link->SetControl(&Panel);
    Link->SetPopupMenuParts(reinterpret_cast<TdxBarPopupMenu*>(&MenuLinks), nullptr, &MenuLinks);
    EXPECT_TRUE(Manager->PopupMenuLinks()->ProcessShortCut(&Edit, CtrlC));
    EXPECT_EQ(Runs, 1);
    Link->OnAction = [](TdxBarPopupMenuLink*, int& X, int& Y, bool ByMouse, bool& Allow) {
        EXPECT_EQ(X, -1);
        EXPECT_EQ(Y, -1);
        EXPECT_FALSE(ByMouse);
        Allow = false;
    };
    EXPECT_FALSE(Manager->PopupMenuLinks()->ProcessShortCut(&Edit, CtrlC));
    Link->OnAction = nullptr;
    Link->ProcessChildren = false;
    EXPECT_FALSE(Manager->PopupMenuLinks()->ProcessShortCut(&Edit, CtrlC));
    EXPECT_TRUE(Manager->PopupMenuLinks()->ProcessShortCut(&Panel, CtrlC));
}

TEST(BarBackgroundsTest, AnEmptyBitmapOverAnEmptyBarChangesNoStyle) {
    TdxBarBackgrounds Backgrounds;
    int Changes = 0;
    Backgrounds.OnBarChange = [&] { ++Changes; };
    pf::TBitmap Empty;
    Backgrounds.SetBar(Empty);
    EXPECT_EQ(Changes, 0);
    pf::TBitmap Picture;
    Picture.SetSize(8, 8);
    Backgrounds.SetBar(Picture);
    EXPECT_EQ(Changes, 1);
    Backgrounds.SetBar(Empty);
    EXPECT_EQ(Changes, 2);
    Backgrounds.SetSubMenu(Picture);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Backgrounds.SubMenu().Width(), 8);
}

// The unit registers eleven item classes in a fixed order; seven are offered to the user, and
// each class gets the control its row names (matched by the class itself, not an ancestor).
TEST_F(BarItemsTest, TheUnitRegistersTheItemClassesInOrderSevenOfThemPublic) {
    const TdxBarItemClasses& Classes = Unit.ItemClasses();
    struct Row {
        const pc::TClass* Item;
        const pc::TClass* Control;
        bool Public;
    };
    const std::vector<Row> Expected{
        {&TdxBarButton::ClassRef(), &TdxBarButtonControl::ClassRef(), true},
        {&TdxBarEdit::ClassRef(), &TdxBarEditControl::ClassRef(), true},
        {&TCustomdxBarCombo::ClassRef(), &TCustomdxBarComboControl::ClassRef(), true},
        {&TdxBarCombo::ClassRef(), &TdxBarComboControl::ClassRef(), true},
        {&TdxBarSubItem::ClassRef(), &TdxBarSubItemControl::ClassRef(), true},
        {&TdxBarListItem::ClassRef(), &TdxBarContainerItemControl::ClassRef(), true},
        {&TdxBarContainerItem::ClassRef(), &TdxBarContainerItemControl::ClassRef(), true},
        {&TdxBarQuickCustExtButton::ClassRef(), &TdxBarQuickCustExtButtonControl::ClassRef(),
         false},
        {&TdxBarQuickCustItem::ClassRef(), &TdxBarQuickCustItemControl::ClassRef(), false},
        {&TdxBarQuickSubItem::ClassRef(), &TdxBarSubItemControl::ClassRef(), false},
        {&TSystemMenuSubItem::ClassRef(), &TSystemMenuSubItemControl::ClassRef(), false},
    };
    ASSERT_EQ(Classes.Count(), static_cast<int>(Expected.size()));
    for (std::size_t I = 0; I < Expected.size(); ++I) {
        const TRegItemRecord& R = Classes.Records(static_cast<int>(I));
        EXPECT_EQ(R.ItemClass, Expected[I].Item) << I;
        EXPECT_EQ(R.ControlClass, Expected[I].Control) << I;
        EXPECT_EQ(R.Public, Expected[I].Public) << I;
    }
    EXPECT_EQ(Classes.GetRegisteredItemClassCount(), 7);
    EXPECT_EQ(Classes.GetRegisteredItemClass(0), &TdxBarButton::ClassRef());
    EXPECT_EQ(Classes.GetRegisteredItemClass(7), nullptr);
    EXPECT_NE(Manager->Backgrounds(), nullptr);
}

} // namespace
} // namespace toolkit::bars
