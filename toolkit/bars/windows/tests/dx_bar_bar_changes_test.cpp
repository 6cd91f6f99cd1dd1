// Changes of bars and links as the windows show them: a change of the recent list lays the
// toolbar out again once the queued messages are handled, a placed dock site that hides takes
// its bars with it and gives back those nobody hid meanwhile, and at design time a link changed
// on an open bar tells the designer.

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/tests/dx_bar_fake_designer.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"

#include "toolkit/base/settings_controller.h"

#include "platform/core/message_loop.h"

#include <gtest/gtest.h>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

class BarChangesTest : public MenuFormFixture {
protected:
    BarChangesTest() {
        MakeOffice11MainMenu();
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        Button(Tools->ItemLinks(), "New");
        Button(Tools->ItemLinks(), "Open");
    }
    TdxBarControl& ToolWindow() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    bool RelayoutQueued() {
        pc::MSG Msg;
        return pc::PeekMessage(Msg, ToolWindow().Handle(), toolkit::base::cxNCSizeChangedMessage,
                               toolkit::base::cxNCSizeChangedMessage, pc::PM_NOREMOVE);
    }
};

TEST_F(BarChangesTest, AChangeOfTheRecentListLaysTheToolbarOutAgain) {
    ShowBars();
    TdxBarItemLinks& Links = Tools->ItemLinks();
    const pg::TRect Open = Links.Items(1)->ItemRect;
    ASSERT_FALSE(pg::IsRectEmpty(Open));
    // The link leaves the shown ones' order: the toolbar is told to lay out again, and does
    // so when the message comes.
    Links.ClearItemRects();
    Links.Items(1)->SendToBottomInRecentList();
    EXPECT_TRUE(RelayoutQueued());
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(RelayoutQueued());
    EXPECT_EQ(Links.Items(1)->ItemRect, Open);

    // A link shown already, brought to the top, changes nothing there.
    Links.Items(1)->BringToTopInRecentList(false);
    EXPECT_FALSE(RelayoutQueued());
    // The standard paint style keeps no recent order on toolbars.
    Manager->SetStyle(bmsStandard);
    testsupport::PumpUntilIdle();
    Links.Items(1)->SendToBottomInRecentList();
    EXPECT_FALSE(RelayoutQueued());
}

TEST_F(BarChangesTest, APlacedSiteThatHidesGivesBackTheBarsNobodyHidMeanwhile) {
    auto& Site = Form->Own<TdxBarDockControl>();
    Site.SetBarManager(Manager);
    Site.SetParent(Form);
    TdxBar& Other = *Manager->Bars()->Add();
    Other.SetCaption("Other");
    Button(Other.ItemLinks(), "Cut");
    Other.SetDockControl(&Site);
    Tools->SetDockControl(&Site);
    ShowBars();
    Other.SetVisible(true);
    testsupport::PumpUntilIdle();

    Site.SetVisible(false);
    EXPECT_FALSE(Tools->Visible());
    EXPECT_FALSE(Other.Visible());
    EXPECT_TRUE(Bar->Visible()) << "a bar on another site stays";
    // The user hides one while the site is away: it stays hidden when the site comes back.
    Other.SetVisible(false);
    Site.SetVisible(true);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Tools->Visible());
    ASSERT_NE(Tools->Control(), nullptr);
    EXPECT_EQ(ToolWindow().Parent(), &Site);
    EXPECT_FALSE(Other.Visible());
    EXPECT_EQ(Manager->GetHiddenBarCount(), 0);
}

class DesignBarChangesTest : public BarChangesTest {
protected:
    DesignBarChangesTest() {
        // The bars are made on a designing form instead.
        Design = &FRoot->Own<DesignForm>();
        Design->SetDesigning(true);
        Design->SetBounds(0, 0, 640, 300);
        DesignManager = &Design->Own<TdxBarManager>();
        DesignBar = DesignManager->Bars()->Add();
        DesignBar->SetCaption("Tools");
        DesignBar->SetDockingStyle(dsTop);
        auto& Item = Design->Own<TdxBarButton>();
        Item.SetCaption("New");
        DesignBar->ItemLinks().Add(&Item);
        auto& Second = Design->Own<TdxBarButton>();
        Second.SetCaption("Open");
        DesignBar->ItemLinks().Add(&Second);
    }

    FakeDesigner Designer;
    InstalledDesigner Installed{Designer};
    DesignForm* Design = nullptr;
    TdxBarManager* DesignManager = nullptr;
    TdxBar* DesignBar = nullptr;
};

TEST_F(DesignBarChangesTest, ALinkChangedOnAnOpenBarTellsTheDesigner) {
    Design->Show();
    DesignBar->SetVisible(true);
    testsupport::PumpUntilIdle();
    ASSERT_NE(DesignBar->Control(), nullptr);
    TdxBarItemLink& Open = *DesignBar->ItemLinks().Items(1);
    int Before = Designer.Modifications;
    Open.SetBeginGroup(true);
    EXPECT_GT(Designer.Modifications, Before);
    Before = Designer.Modifications;
    Open.SetUserCaption("&Open it");
    EXPECT_GT(Designer.Modifications, Before);

    // Without an open bar, the link's change is its own.
    DesignBar->SetVisible(false);
    Before = Designer.Modifications;
    Open.SetBeginGroup(false);
    EXPECT_EQ(Designer.Modifications, Before);
}

} // namespace
} // namespace toolkit::bars
