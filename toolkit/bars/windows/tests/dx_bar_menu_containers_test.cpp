#include "toolkit/bars/model/dx_bar_list_item.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;

// A popup menu of "Before", a list item with the entries a, "-", b, and "After".
class MenuContainersTest : public MenuFormFixture {
protected:
    MenuContainersTest() {
        MakeMainMenu();
        ShowMainMenu();
        Menu = &Form->Own<TdxBarPopupMenu>();
        Menu->ReturnAtOnce = true;
        Button(Menu->ItemLinks(), "Before");
        List = &Form->Own<TdxBarListItem>();
        List->SetCaption("List");
        for (const char* Entry : {"a", "-", "b"})
            List->Items().Add(Entry);
        List->OnGetData = [this](pc::TObject*) { ++Fills; };
        Menu->ItemLinks().Add(List);
        Button(Menu->ItemLinks(), "After");
    }
    ~MenuContainersTest() override { Close(); }

    void Close() {
        if (TdxBarSubMenuControl* Window = Menu->GetSubMenuControl()) Window->HideAll();
        testsupport::PumpUntilIdle();
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> Out;
        const TdxBarItemLinks& Links = Menu->ItemLinks();
        for (int I = 0; I < Links.VisibleItemCount(); ++I)
            Out.push_back(Links.VisibleItems(I)->Item()->Caption());
        return Out;
    }
    std::vector<std::string> All() const {
        std::vector<std::string> Out;
        const TdxBarItemLinks& Links = Menu->ItemLinks();
        for (int I = 0; I < Links.Count(); ++I)
            Out.push_back(Links.Items(I)->Item()->Caption());
        return Out;
    }

    TdxBarPopupMenu* Menu = nullptr;
    TdxBarListItem* List = nullptr;
    int Fills = 0;
};

TEST_F(MenuContainersTest, AnOpenMenuShowsTheEntriesInPlaceOfTheList) {
    Menu->Popup(200, 150);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Before", "&1 a", "&2 b", "After"}));
    EXPECT_EQ(Fills, 1);
    ASSERT_NE(Menu->GetSubMenuControl(), nullptr);
    EXPECT_NE(Menu->ItemLinks().VisibleItems(1)->Control(), nullptr);
}

TEST_F(MenuContainersTest, ClosingTakesTheEntriesOutAndMarksTheListReleased) {
    Menu->Popup(200, 150);
    testsupport::PumpUntilIdle();
    Close();
    EXPECT_EQ(All(), (std::vector<std::string>{"Before", "List", "After"}));
    EXPECT_TRUE(List->Released());
    EXPECT_FALSE(Menu->ItemLinks().Items(1)->HiddenByContainer);

    // The next showing fills the entries again, from the released ones.
    Menu->Popup(200, 150);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Before", "&1 a", "&2 b", "After"}));
    EXPECT_EQ(Fills, 2);
    EXPECT_FALSE(List->Released());
}

TEST_F(MenuContainersTest, ClickingAnEntryRunsTheList) {
    int Clicked = -1;
    List->OnClick = [&](pc::TObject*) { Clicked = List->ItemIndex; };
    Menu->Popup(200, 150);
    testsupport::PumpUntilIdle();
    Input.Click(CentreOf(Menu->ItemLinks(), 2));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Clicked, 2);
    EXPECT_FALSE(Menu->Shown());
    EXPECT_EQ(All(), (std::vector<std::string>{"Before", "List", "After"}));
}

// Personalised menus: a click on an entry of a list or of a container is a use of the
// container's own link, which the menu keeps in its recent order.
TEST_F(MenuContainersTest, ClickingAnEntryCountsAUseOfTheContainersLink) {
    Manager->SetStyle(bmsEnhanced);
    Menu->SetUseRecentItems(true);
    auto& Container = Form->Own<TdxBarContainerItem>();
    Container.SetCaption("Container");
    Button(Container.ItemLinks(), "One");
    Button(Container.ItemLinks(), "Two");
    Menu->ItemLinks().Add(&Container);
    TdxBarItemLink* ListLink = Menu->ItemLinks().Items(1);
    TdxBarItemLink* ContainerLink = Menu->ItemLinks().Items(3);
    const struct {
        const char* What;
        int Row;
        TdxBarItemLink* Link;
    } Cases[] = {{"the list's second entry", 2, ListLink},
                 {"the container's first entry", 4, ContainerLink}};
    for (const auto& Case : Cases) {
        const int Before = Case.Link->UseCount;
        Menu->Popup(200, 150);
        testsupport::PumpUntilIdle();
        ASSERT_EQ(Shown(),
                  (std::vector<std::string>{"Before", "&1 a", "&2 b", "After", "One", "Two"}))
            << Case.What;
        EXPECT_EQ(Menu->ItemLinks().VisibleItems(Case.Row)->GetOriginalLink(), Case.Link)
            << Case.What;
        Input.Click(CentreOf(Menu->ItemLinks(), Case.Row));
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Case.Link->UseCount, Before + 1) << Case.What;
    }
}

} // namespace
} // namespace toolkit::bars
