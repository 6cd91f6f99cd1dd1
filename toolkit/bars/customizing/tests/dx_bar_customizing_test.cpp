#include "toolkit/bars/customizing/dx_bar_customizing_popup.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/forms/dialogs.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;

// The menu bar (File, Help) and, in row 1, a toolbar of four buttons that count their clicks.
class CustomizingTest : public MenuFormFixture {
protected:
    CustomizingTest() {
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        Sub(Bar->ItemLinks(), "&Help");
        Tools = Manager->Bars()->Add();
        Tools->SetCaption("ToolBar");
        Tools->SetDockingStyle(dsTop);
        Tools->SetRow(1);
        for (const char* Caption : {"B1", "B2", "B3", "B4"}) {
            TdxBarButton& B = Button(Tools->ItemLinks(), Caption);
            B.OnClick = [this](platform::core::TObject*) { ++Clicks; };
        }
        Manager->OnCustomizingChange = [this](platform::core::TObject*) { ++Changes; };
        ShowMainMenu();
        Tools->SetVisible(true);
        testsupport::PumpUntilIdle();
    }

    TdxBarItemLinks& ToolLinks() { return Tools->ItemLinks(); }
    // The screen point a fraction of the way across a toolbar link.
    pg::TPoint Across(TdxBarItemLinks& Links, int Index, int Percent) {
        const pg::TRect R = Links.VisibleItems(Index)->ItemRect;
        return Links.BarControl()->ClientToScreen(
            {R.Left + (R.Right - R.Left) * Percent / 100, (R.Top + R.Bottom) / 2});
    }
    void DragLink(pg::TPoint From, pg::TPoint To) {
        Input.Press(From);
        Input.MoveTo({From.X + 6, From.Y});
        Input.MoveTo(To);
        Input.Release(To);
        testsupport::PumpUntilIdle();
    }
    TdxBarCustomizingPopup* RightClick(int Index) {
        Input.Click(CentreOf(ToolLinks(), Index), Qt::RightButton);
        testsupport::PumpUntilIdle();
        return TdxBarCustomizingPopup::Current();
    }

    TdxBar* Tools = nullptr;
    int Clicks = 0;
    int Changes = 0;
};

TEST_F(CustomizingTest, AClickSelectsTheCommandInsteadOfRunningIt) {
    Manager->Customizing(true);
    EXPECT_TRUE(Manager->IsCustomizing());
    EXPECT_EQ(Changes, 1);
    Input.Click(CentreOf(ToolLinks(), 1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Clicks, 0);
    ASSERT_NE(Manager->SelectedItem(), nullptr);
    EXPECT_EQ(Manager->SelectedItem(), ToolLinks().Items(1)->Control());

    Manager->Customizing(false);
    EXPECT_EQ(Changes, 2);
    Input.Click(CentreOf(ToolLinks(), 1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Clicks, 1);
}

TEST_F(CustomizingTest, TurningItOnTwiceFiresOnce) {
    Manager->Customizing(true);
    Manager->Customizing(true);
    EXPECT_EQ(Changes, 1);
}

TEST_F(CustomizingTest, RightClickingALinkShowsTheEntries) {
    struct Case {
        int Index;
        bool BeginGroupEnabled;
    };
    Manager->Customizing(true);
    for (const Case C : {Case{0, false}, Case{2, true}}) {
        SCOPED_TRACE(C.Index);
        TdxBarCustomizingPopup* Popup = RightClick(C.Index);
        ASSERT_NE(Popup, nullptr);
        EXPECT_EQ(Popup->Link(), ToolLinks().Items(C.Index));
        EXPECT_EQ(ItemCaptions(Popup->Entries()),
                  (std::vector<std::string>{"&Reset", "&Delete", "&Name:", "Defa&ult style",
                                            "&Text Only (Always)", "Text &Only (in Menus)",
                                            "Image &and Text", "Begin a &Group"}));
        EXPECT_EQ(Popup->Entries().Items(7)->Item()->Enabled(), C.BeginGroupEnabled);
        EXPECT_TRUE(Popup->Entries().Items(3)->Item()->Enabled());
        EXPECT_EQ(Popup->NameEdit()->Text(), ToolLinks().Items(C.Index)->GetCaption());
        Popup->HideAndFree();
        testsupport::PumpUntilIdle();
    }
    EXPECT_EQ(Clicks, 0);
}

TEST_F(CustomizingTest, WithoutCustomizingARightClickShowsNoPopup) {
    EXPECT_EQ(RightClick(1), nullptr);
}

TEST_F(CustomizingTest, BeginAGroupTogglesTheLinksSeparator) {
    Manager->Customizing(true);
    TdxBarCustomizingPopup* Popup = RightClick(2);
    ASSERT_NE(Popup, nullptr);
    Popup->Entries().Items(7)->Item()->Click();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(ToolLinks().Items(2)->OwnBeginGroup());
}

TEST_F(CustomizingTest, TheNameEntrySetsTheUserCaption) {
    Manager->Customizing(true);
    TdxBarCustomizingPopup* Popup = RightClick(1);
    ASSERT_NE(Popup, nullptr);
    Popup->NameEdit()->SetText("Renamed");
    EXPECT_EQ(ToolLinks().Items(1)->UserCaption(), "Renamed");
    const std::string Long(300, 'n');
    Popup->NameEdit()->SetText(Long);
    EXPECT_EQ(ToolLinks().Items(1)->UserCaption(), Long);
    EXPECT_EQ(ToolLinks().Items(1)->Item()->Caption(), "B2");
}

TEST_F(CustomizingTest, AnEmptyNameIsRefusedAndTheCaptionKept) {
    Manager->Customizing(true);
    TdxBarCustomizingPopup* Popup = RightClick(1);
    ASSERT_NE(Popup, nullptr);
    Popup->NameEdit()->SetText("Kept");
    pf::TDialogScript Script;
    Script.Answer("A command name cannot be blank. Please enter a name.", pf::IDOK);
    Popup->NameEdit()->SetText("");
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Script.Done());
    EXPECT_TRUE(Script.Mismatches().empty());
    EXPECT_EQ(ToolLinks().Items(1)->UserCaption(), "Kept");
    EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
}

TEST_F(CustomizingTest, DraggingALinkMovesItWithinItsBar) {
    Manager->Customizing(true);
    DragLink(CentreOf(ToolLinks(), 0), Across(ToolLinks(), 2, 80));
    EXPECT_EQ(ItemCaptions(ToolLinks()), (std::vector<std::string>{"B2", "B3", "B1", "B4"}));
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(Manager->IsDragging());
    ASSERT_NE(Manager->SelectedItem(), nullptr);
    EXPECT_EQ(Manager->SelectedItem(), ToolLinks().Items(2)->Control());
}

TEST_F(CustomizingTest, DraggingALinkMovesItToAnotherBar) {
    Manager->Customizing(true);
    DragLink(CentreOf(ToolLinks(), 3), Across(Bar->ItemLinks(), 0, 80));
    EXPECT_EQ(ItemCaptions(ToolLinks()), (std::vector<std::string>{"B1", "B2", "B3"}));
    EXPECT_EQ(ItemCaptions(Bar->ItemLinks()), (std::vector<std::string>{"&File", "B4", "&Help"}));
}

TEST_F(CustomizingTest, DroppingALinkOnNothingDeletesIt) {
    Manager->Customizing(true);
    DragLink(CentreOf(ToolLinks(), 1), Form->ClientToScreen({300, 250}));
    EXPECT_EQ(ItemCaptions(ToolLinks()), (std::vector<std::string>{"B1", "B3", "B4"}));
}

TEST_F(CustomizingTest, EscEndsADragWithoutADrop) {
    Manager->Customizing(true);
    const pg::TPoint From = CentreOf(ToolLinks(), 0);
    Input.Press(From);
    Input.MoveTo({From.X + 6, From.Y});
    Input.Key(Qt::Key_Escape);
    Input.Release(Across(ToolLinks(), 2, 80));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ItemCaptions(ToolLinks()), (std::vector<std::string>{"B1", "B2", "B3", "B4"}));
    EXPECT_FALSE(Manager->IsDragging());
}

TEST_F(CustomizingTest, APopupWithoutALinkAtRunTimeAsksTheApplicationAndGoesWhenEmpty) {
    int Asked = 0;
    TdxBarItemLinks* Shown = nullptr;
    Manager->OnShowCustomizingPopup = [&](platform::core::TObject*, TdxBarItemLinks* Links) {
        ++Asked;
        Shown = Links;
        EXPECT_EQ(Links->Count(), 0);
    };
    Manager->Customizing(true);
    EXPECT_EQ(TdxBarCustomizingPopup::ShowAt(*Manager, nullptr, &ToolLinks(), {100, 100}), nullptr);
    EXPECT_EQ(Asked, 1);
    EXPECT_NE(Shown, nullptr);
    EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
}

TEST_F(CustomizingTest, ClosingThePopupOutsideCustomizingClearsTheLinksSelection) {
    auto* Window = static_cast<TdxBarControl*>(Tools->Control());
    TdxBarItemControl* Control = ToolLinks().Items(1)->Control();
    ASSERT_NE(Control, nullptr);
    Window->SetSelectedControl(Control);
    Manager->SetSelectedItem(Control);
    TdxBarCustomizingPopup* Popup =
        TdxBarCustomizingPopup::ShowAt(*Manager, ToolLinks().Items(1), &ToolLinks(), {100, 100});
    ASSERT_NE(Popup, nullptr);
    Popup->HideAndFree();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
    EXPECT_EQ(Manager->SelectedItem(), nullptr);
    EXPECT_EQ(Window->SelectedControl(), nullptr);

    // While customizing the selection outlives the popup.
    Manager->Customizing(true);
    RightClick(1);
    ASSERT_NE(TdxBarCustomizingPopup::Current(), nullptr);
    TdxBarItemControl* Selected = ToolLinks().Items(1)->Control();
    TdxBarCustomizingPopup::Current()->HideAndFree();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Manager->SelectedItem(), Selected);
}

TEST_F(CustomizingTest, TheToolbarsListHasTheClosableBarsAndCustomize) {
    TdxBarItemLinks Links(Manager, nullptr);
    Manager->AddToolbarsListItems(Links);
    ASSERT_EQ(Links.Count(), 2);
    EXPECT_EQ(Links.Items(0)->Item()->Caption(), "ToolBar");
    EXPECT_TRUE(static_cast<TdxBarButton*>(Links.Items(0)->Item())->Down());
    EXPECT_EQ(Links.Items(1)->Item()->Caption(), "&Customize...");
    Links.Items(1)->Item()->Click();
    EXPECT_TRUE(Manager->IsCustomizing());
    Links.Items(0)->Item()->Click();
    EXPECT_FALSE(Tools->Visible());
}

} // namespace
} // namespace toolkit::bars
