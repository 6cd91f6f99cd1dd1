#include "app/form_quintaron.h"

#include "app/tests/main_window_fixture.h"
#include "platform/win/window.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

namespace app::test {
namespace {

namespace pw = platform::win;

// The main window's menus and toolbar with the Customize dialog open.
class MainCustomizeMenusTest : public MainWindowTest {
protected:
    MainCustomizeMenusTest() {
        manager.Customizing(true);
        testsupport::PumpUntilIdle();
    }
    ~MainCustomizeMenusTest() override {
        manager.Customizing(false);
        testsupport::PumpUntilIdle();
    }

    bars::TdxBarManager& manager = main.dxBarManager1;
    bars::TdxBarItemLinks& menuLinks = manager.MainMenuBar()->ItemLinks();

    static pw::TPoint Centre(const pw::TRect& r) {
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    static pw::TPoint CentreOf(bars::TdxBarItemLinks& links, int index) {
        return links.BarControl()->ClientToScreen(Centre(links.VisibleItems(index)->ItemRect));
    }
    void Click(pw::TPoint p) {
        driver.Click(p);
        testsupport::PumpUntilIdle();
    }
    // The menu windows the manager holds now.
    std::vector<bars::TdxBarSubMenuControl*> Menus() {
        std::vector<bars::TdxBarSubMenuControl*> result;
        for (int i = 0; i < manager.ComponentCount(); ++i)
            if (auto* menu = dynamic_cast<bars::TdxBarSubMenuControl*>(manager.Components(i)))
                result.push_back(menu);
        return result;
    }
};

// Every entry of the main menu opens its one menu at the first press, the next press on it
// closes it, and a press on another entry opens that one instead.
TEST_F(MainCustomizeMenusTest, EachMainMenuEntryOpensItsMenuAtEveryPress) {
    ASSERT_NE(bars::GetCustomizingForm(), nullptr);
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < menuLinks.VisibleItemCount(); ++i) {
            SCOPED_TRACE(menuLinks.VisibleItems(i)->GetCaption());
            auto& sub = *dynamic_cast<bars::TdxBarSubItem*>(menuLinks.VisibleItems(i)->Item());
            Click(CentreOf(menuLinks, i));
            auto* menu = dynamic_cast<bars::TdxBarSubMenuControl*>(sub.ItemLinks().BarControl());
            ASSERT_NE(menu, nullptr);
            EXPECT_TRUE(pw::IsWindowVisible(menu->Handle()));
            EXPECT_EQ(Menus(), std::vector<bars::TdxBarSubMenuControl*>{menu});
            if (round == 1) {
                Click(CentreOf(menuLinks, i));
                EXPECT_EQ(sub.ItemLinks().BarControl(), nullptr);
                EXPECT_TRUE(Menus().empty());
            }
        }
}

} // namespace
} // namespace app::test
