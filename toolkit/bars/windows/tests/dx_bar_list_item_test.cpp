#include "toolkit/bars/model/dx_bar_list_item.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/dx_bar_customizing_services.h"

#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;

class ListItemTest : public MenuFormFixture {
protected:
    ListItemTest() {
        MakeMainMenu();
        List = &Form->Own<TdxBarListItem>();
        Target = std::make_unique<TdxBarItemLinks>(Manager, nullptr);
        Button(*Target, "Before");
        Button(*Target, "After");
    }
    void SetEntries(const std::vector<std::string>& Entries) {
        List->Items().BeginUpdate();
        List->Items().Clear();
        for (const std::string& E : Entries)
            List->Items().Add(E);
        List->Items().EndUpdate();
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> Out;
        for (int I = 0; I < Target->Count(); ++I)
            Out.push_back(Target->Items(I)->Item()->Caption());
        return Out;
    }

    TdxBarListItem* List = nullptr;
    std::unique_ptr<TdxBarItemLinks> Target;
};

TEST_F(ListItemTest, NumbersTheEntriesAndSkipsSeparators) {
    SetEntries({"a", "-", "b"});
    List->AddEntries(*Target, 1, nullptr, true);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Before", "&1 a", "&2 b", "After"}));
    EXPECT_TRUE(Target->Items(1)->OwnBeginGroup());
    EXPECT_TRUE(Target->Items(2)->OwnBeginGroup());
    EXPECT_FALSE(Target->Items(3)->OwnBeginGroup());
    List->ItemIndex = 2;
    EXPECT_EQ(List->DataIndex(), 1);

    List->RemoveEntries(*Target, 1);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Before", "After"}));
}

TEST_F(ListItemTest, TwelveEntriesNumberOneToNineThenLetters) {
    std::vector<std::string> Entries;
    for (int I = 0; I < 12; ++I)
        Entries.push_back("e" + std::to_string(I));
    SetEntries(Entries);
    List->AddEntries(*Target, 0, nullptr, true);
    const std::vector<std::string> C = Captions();
    EXPECT_EQ(C[0], "&1 e0");
    EXPECT_EQ(C[8], "&9 e8");
    EXPECT_EQ(C[9], "&A e9");
    EXPECT_EQ(C[10], "&B e10");
    EXPECT_EQ(C[11], "&C e11");
}

TEST_F(ListItemTest, WithoutNumbersTheCaptionIsTheEntry) {
    SetEntries({"a"});
    List->ShowNumbers = false;
    List->AddEntries(*Target, 0, nullptr, true);
    EXPECT_EQ(Target->Items(0)->Item()->Caption(), "a");
}

TEST_F(ListItemTest, DataIndexCountsRealEntries) {
    SetEntries({"a", "-", "b", "c"});
    struct Case {
        int ItemIndex;
        int DataIndex;
    };
    for (const Case& C : {Case{-1, -1}, Case{0, 0}, Case{2, 1}, Case{3, 2}, Case{4, -1}}) {
        List->ItemIndex = C.ItemIndex;
        EXPECT_EQ(List->DataIndex(), C.DataIndex) << C.ItemIndex;
    }
    for (const Case& C : {Case{0, 0}, Case{2, 1}, Case{3, 2}, Case{4, 9}}) {
        List->SetDataIndex(C.DataIndex);
        EXPECT_EQ(List->ItemIndex, C.ItemIndex) << C.DataIndex;
    }
    SetEntries({});
    List->SetDataIndex(0);
    EXPECT_EQ(List->ItemIndex, -1);
}

TEST_F(ListItemTest, ClickingAnEntryChecksItAndRunsTheListItem) {
    SetEntries({"a", "-", "b"});
    List->ShowCheck = true;
    List->ItemIndex = 0;
    int Seen = -2;
    List->OnClick = [&](pc::TObject*) { Seen = List->ItemIndex; };
    List->AddEntries(*Target, 0, nullptr, true);
    auto* A = dynamic_cast<TdxBarButton*>(Target->Items(0)->Item());
    ASSERT_NE(A, nullptr);
    EXPECT_TRUE(A->Down());
    Target->Items(1)->Item()->Click();
    EXPECT_EQ(Seen, 2);
}

TEST_F(ListItemTest, ContentComesFromEntriesOrTheDataEvent) {
    EXPECT_FALSE(List->HasContent());
    EXPECT_FALSE(List->ActuallyVisible());
    List->OnGetData = [&](pc::TObject*) {};
    EXPECT_TRUE(List->HasContent());
    List->OnGetData = nullptr;
    SetEntries({"a"});
    EXPECT_TRUE(List->HasContent());
}

TEST_F(ListItemTest, TheDataEventFillsTheEntries) {
    List->OnGetData = [&](pc::TObject*) { SetEntries({"x", "y"}); };
    List->AddEntries(*Target, 0, nullptr, true);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"&1 x", "&2 y", "Before", "After"}));
    EXPECT_FALSE(List->Filling());
}

TEST_F(ListItemTest, AClosedMenuFreesTheEntryButtonsAtTheNextShowing) {
    SetEntries({"a", "b"});
    List->AddEntries(*Target, 0, nullptr, false);
    TdxBarButton* First = List->EntryButtons(0);
    List->RemoveEntries(*Target, 0);
    List->MarkSubMenuClosed();
    SetEntries({"c"});
    List->AddEntries(*Target, 0, nullptr, false);
    EXPECT_EQ(List->EntryButtonCount(), 1);
    EXPECT_EQ(Captions()[0], "&1 c");
    EXPECT_FALSE(List->Released());
    (void)First;
}

TEST_F(ListItemTest, AContainerSplicesCopiesOfItsLinks) {
    auto& Container = Form->Own<TdxBarContainerItem>();
    EXPECT_FALSE(Container.HasVisibleLinks());
    Button(Container.ItemLinks(), "One");
    Button(Container.ItemLinks(), "Two");
    EXPECT_TRUE(Container.HasContent());
    Container.AddEntries(*Target, 1, nullptr, false);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Before", "One", "Two", "After"}));
    EXPECT_TRUE(Target->Items(1)->OwnBeginGroup());
    Container.RemoveEntries(*Target, 1);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Before", "After"}));
}

// While the customising popup adds an item, a change of a list's entries makes no visibility
// round: the list stays as the bar shows it until the adding is done.
TEST_F(ListItemTest, ChangingTheEntriesWhileThePopupAddsLeavesTheBarAlone) {
    struct Adding : TdxBarCustomizingServices {
        bool AddingItem() const override { return true; }
    } Popup;
    List->SetCaption("&Recent");
    MakeToolbar();
    Tools->ItemLinks().Add(List);
    ShowBars();
    TdxBarItemLink* Link = Tools->ItemLinks().Items(0);
    ASSERT_EQ(Link->Control(), nullptr);
    TdxBarCustomizingServices* Before = SetdxBarCustomizingServices(&Popup);
    SetEntries({"one.lib"});
    SetdxBarCustomizingServices(Before);
    EXPECT_EQ(Link->Control(), nullptr);
    // Once the popup is done, the next change shows the list.
    SetEntries({"one.lib", "two.lib"});
    EXPECT_NE(Link->Control(), nullptr);
}

// On a toolbar a list item is an entry of its own: it shows, a click opens a menu of its
// numbered entries, and closing the menu takes the entries out again. While the user
// customizes, it opens nothing.
TEST_F(ListItemTest, OnAToolbarAListItemShowsAndOpensItsEntries) {
    SetEntries({"one.lib", "two.lib"});
    List->SetCaption("&Recent");
    MakeToolbar();
    Tools->ItemLinks().Add(List);
    ShowBars();
    auto* Control =
        dynamic_cast<TdxBarContainerItemControl*>(Tools->ItemLinks().Items(0)->Control());
    ASSERT_NE(Control, nullptr);
    EXPECT_GT(Tools->ItemLinks().Items(0)->ItemRect.Width(), 0);

    Input.MoveTo(CentreOf(Tools->ItemLinks(), 0));
    Input.Click(CentreOf(Tools->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Menu = Control->GetSubMenuControl();
    ASSERT_NE(Menu, nullptr);
    EXPECT_TRUE(platform::win::IsWindowVisible(Menu->Handle()));
    ASSERT_NE(Menu->ItemLinks(), nullptr);
    std::vector<std::string> Shown;
    for (int I = 0; I < Menu->ItemLinks()->VisibleItemCount(); ++I)
        Shown.push_back(Menu->ItemLinks()->VisibleItems(I)->GetCaption());
    EXPECT_EQ(Shown, (std::vector<std::string>{"&1 one.lib", "&2 two.lib"}));
    int Seen = -2;
    List->OnClick = [&](pc::TObject*) { Seen = List->ItemIndex; };
    Input.MoveTo(CentreOf(*Menu->ItemLinks(), 1));
    Input.Click(CentreOf(*Menu->ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Seen, 1);
    EXPECT_EQ(Control->GetSubMenuControl(), nullptr);

    Manager->Customizing(true);
    testsupport::PumpUntilIdle();
    auto* Customized =
        dynamic_cast<TdxBarContainerItemControl*>(Tools->ItemLinks().Items(0)->Control());
    ASSERT_NE(Customized, nullptr);
    EXPECT_EQ(Customized->CreateSubMenuControl(), nullptr);
    EndCustomizing();
}

} // namespace
} // namespace toolkit::bars
