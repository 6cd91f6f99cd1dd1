#include "app/form_quintaron.h"

#include "app/tests/main_window_fixture.h"
#include "model/program/config.h"
#include "platform/core/mem_ini_file.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_item_link.h"

#include <string>
#include <vector>

namespace app::test {
namespace {

// The main window's bars against their design: resetting them, and what is kept of them when
// the program closes.
class MainLayoutTest : public MainWindowTest {
protected:
    static bars::TdxBar& Tools(TFormquintaron& form) {
        return *form.dxBarManager1.Bars()->FindByName("ToolBar");
    }
    static std::vector<std::string> Captions(const bars::TdxBarItemLinks& links) {
        std::vector<std::string> captions;
        for (int i = 0; i < links.Count(); ++i)
            captions.push_back(links.Items(i)->Item()->Caption());
        return captions;
    }
    // The toolbar as it was designed: nine commands, groups opening at "&Midi" and
    // "&Keyboard".
    static void ExpectDesignedToolbar(TFormquintaron& form) {
        const bars::TdxBarItemLinks& links = Tools(form).ItemLinks();
        EXPECT_EQ(Captions(links),
                  (std::vector<std::string>{"&New", "&Open", "&Save", "Save A&ll", "&Print",
                                            "&Midi", "&Preview", "&Keyboard", "&Monitor"}));
        ASSERT_EQ(links.Count(), 9);
        for (int i = 0; i < links.Count(); ++i)
            EXPECT_EQ(links.Items(i)->BeginGroup(), i == 5 || i == 7) << i;
        // The links are to the window's own items, which run its commands.
        EXPECT_EQ(links.Items(1)->Item(), &form.FileOpenItem);
        EXPECT_TRUE(links.Items(1)->Item()->OnClick != nullptr);
    }
};

TEST_F(MainLayoutTest, TheBarsKnowTheirDesign) {
    EXPECT_EQ(main.dxBarManager1.MainMenuBar()->DesignIdentity(), 0);
    EXPECT_EQ(Tools(main).DesignIdentity(), 1);
    EXPECT_TRUE(Tools(main).Predefined());
    EXPECT_TRUE(main.dxBarManager1.DesignRoutine != nullptr);
}

TEST_F(MainLayoutTest, ResetBringsBackTheNineDesignedLinks) {
    bars::TdxBar& tools = Tools(main);
    tools.ItemLinks().Delete(8);
    tools.ItemLinks().Delete(0);
    tools.ItemLinks().Items(0)->SetBeginGroup(true);
    tools.ItemLinks().Add(&main.HelpAboutItem);
    ASSERT_EQ(tools.ItemLinks().Count(), 8);

    tools.Reset();

    ExpectDesignedToolbar(main);
    EXPECT_TRUE(tools.Visible());
    // The menu bar was left as it was.
    EXPECT_EQ(main.dxBarManager1.MainMenuBar()->ItemLinks().Count(), 5);
}

TEST_F(MainLayoutTest, ResetFindsTheToolbarsDesignAfterTheBarsBeforeItWent) {
    bars::TdxBars& list = *main.dxBarManager1.Bars();
    // A user bar comes and goes, and the bar in front of the toolbar goes too: the toolbar
    // stands first now, where the design has the menu bar.
    bars::TdxBar& mine = *list.Add();
    mine.SetCaption("Custom 1");
    mine.ItemLinks().Add(&main.HelpAboutItem);
    list.Delete(list.IndexOf(&mine));
    list.Delete(list.IndexOf(main.dxBarManager1.MainMenuBar()));
    testsupport::PumpUntilIdle();
    bars::TdxBar& tools = Tools(main);
    ASSERT_EQ(tools.Index(), 0);
    while (tools.ItemLinks().Count() > 2)
        tools.ItemLinks().Delete(0);

    tools.Reset();

    ExpectDesignedToolbar(main);
    EXPECT_FALSE(tools.IsMainMenu());
    EXPECT_EQ(list.Count(), 1);
}

// The main window keeps no layout of its bars (neither store is on): what the user did to the
// toolbar lasts until the program closes, and the next start shows the design again.
TEST_F(MainLayoutTest, AClosedAndReopenedMainWindowShowsTheDesignedToolbar) {
    EXPECT_FALSE(main.dxBarManager1.StoreInIniFile);
    EXPECT_FALSE(main.dxBarManager1.StoreInRegistry);
    Tools(main).SetDockingStyle(bars::dsLeft);
    Tools(main).ItemLinks().Delete(0);
    testsupport::PumpUntilIdle();

    main.Close();
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(platform::forms::Application().Terminated());
    // The program ends here, and its windows go with it.
    platform::forms::Application().SetMainForm(nullptr);
    platform::forms::FreeForm(main);
    testsupport::PumpUntilIdle();
    platform::forms::Application().ResetTerminated();
    ASSERT_EQ(MainWindow(), nullptr);
    TFormquintaron& again = MakeMain();

    EXPECT_EQ(Tools(again).DockingStyle(), bars::dsTop);
    EXPECT_EQ(Tools(again).Row(), 1);
    ExpectDesignedToolbar(again);
    // Nothing of the bars went into the settings file.
    const platform::core::TMemIniFile ini((folder / "config" / model::SettingsFileName).string());
    for (const std::string& section : ini.ReadSections())
        EXPECT_EQ(section.find("dxBarManager1"), std::string::npos) << section;
    EXPECT_FALSE(std::filesystem::exists(folder / "config" / "Registry.ini"));
}

} // namespace
} // namespace app::test
