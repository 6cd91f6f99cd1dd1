// A maximised library window in the main window: its system menu becomes the menu bar's first
// entry and its caption buttons stand at the bar's right end, as long as it stays maximised.
// (The element windows have a fixed size and no maximise button; the library window has one.)

#include "app/form_quintaron.h"

#include "app/tests/librarian_fixture.h"
#include "platform/win/window.h"
#include "toolkit/bars/dx_bar.h"
#include "toolkit/bars/dx_bar_mdi.h"
#include "toolkit/bars/dx_bar_toolbar_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app::test {
namespace {

namespace bars = toolkit::bars;
namespace pg = platform::gdi;
namespace pw = platform::win;

// The main window, active, with a library window of two patches.
class MainWindowMDITest : public LibrarianTest {
protected:
    MainWindowMDITest() {
        driver.ActivateWindow(main.Handle());
        testsupport::PumpUntilIdle();
        window = &OpenLibrary({{model::etPatch, "Bright"}, {model::etPatch, "Dark"}});
    }

    bars::TdxBarItemLinks& MenuBar() { return main.dxBarManager1.MainMenuBar()->ItemLinks(); }
    bars::TdxBarControl& BarWindow() {
        return *dynamic_cast<bars::TdxBarControl*>(main.dxBarManager1.MainMenuBar()->Control());
    }
    static pg::TPoint CentreOf(bars::TdxBarItemLinks& links, int index) {
        const pg::TRect r = links.VisibleItems(index)->ItemRect;
        return links.BarControl()->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    pg::TPoint ButtonCentre(int index) {
        const pg::TRect r = BarWindow().GetMDIButtonRect(index);
        return BarWindow().ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    // A click on the window's own maximise caption button.
    void Maximise() {
        pw::TRect frame;
        pw::GetWindowRect(window->Handle(), &frame);
        const pg::TRect r = window->CaptionButtonRect(platform::forms::TCustomForm::cbMaximize);
        const pg::TPoint at{frame.Left + (r.Left + r.Right) / 2,
                            frame.Top + (r.Top + r.Bottom) / 2};
        driver.MoveTo(at);
        driver.Click(at);
        testsupport::PumpUntilIdle();
    }
    bars::TSystemMenuSubItem* Entry() {
        return MenuBar().Count() == 0
                   ? nullptr
                   : dynamic_cast<bars::TSystemMenuSubItem*>(MenuBar().Items(0)->Item());
    }

    TFormLibrary* window = nullptr;
};

TEST_F(MainWindowMDITest, MaximisingPutsTheSystemMenuFirstAndTheButtonsAtTheEndUntilRestored) {
    ASSERT_NE(window, nullptr);
    const int entries = MenuBar().Count();
    EXPECT_EQ(Entry(), nullptr);
    EXPECT_FALSE(BarWindow().HasMDIButtons());

    Maximise();
    ASSERT_EQ(window->WindowState(), platform::forms::wsMaximized);
    ASSERT_EQ(MenuBar().Count(), entries + 1);
    ASSERT_NE(Entry(), nullptr);
    EXPECT_EQ(Entry()->Wnd, window->Handle());
    EXPECT_TRUE(BarWindow().HasMDIChildSystemMenu());
    ASSERT_TRUE(BarWindow().HasMDIButtons());
    // The three buttons close the bar's row (the close button 2 pixels apart), after every
    // entry of the menu.
    const int w = BarWindow().MDIButtonWidth();
    const int end = BarWindow().ClientWidth() - (BarWindow().HasMark() ? 11 : 0);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(0).Left, end - 3 * w - 2);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(1).Left, end - 2 * w - 2);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(2).Left, end - w);
    EXPECT_EQ(BarWindow().GetMDIButtonRect(2).Right, end);
    const int last = MenuBar().VisibleItemCount() - 1;
    EXPECT_LT(MenuBar().VisibleItems(last)->ItemRect.Right, BarWindow().GetMDIButtonRect(0).Left);
    EXPECT_TRUE(testsupport::SaveWindowPng(main.Handle(), Png("main_window_maximised_child.png")));

    // The middle button restores the window: the entry and the buttons go, nothing is left.
    driver.MoveTo(ButtonCentre(1));
    driver.Click(ButtonCentre(1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(window->WindowState(), platform::forms::wsNormal);
    EXPECT_EQ(MenuBar().Count(), entries);
    EXPECT_EQ(Entry(), nullptr);
    EXPECT_FALSE(BarWindow().HasMDIButtons());
    EXPECT_EQ(barUnit.InternalItemCount(), 0);
}

TEST_F(MainWindowMDITest, CloseFromTheSystemMenuEntryClosesTheWindowAndTakesTheEntryAway) {
    ASSERT_NE(window, nullptr);
    const int children = main.MDIChildCount();
    Maximise();
    bars::TSystemMenuSubItem* entry = Entry();
    ASSERT_NE(entry, nullptr);
    driver.MoveTo(CentreOf(MenuBar(), 0));
    driver.Click(CentreOf(MenuBar(), 0));
    testsupport::PumpUntilIdle();
    bars::TdxBarItemLinks& menu = entry->ItemLinks();
    ASSERT_NE(menu.BarControl(), nullptr) << "the entry did not open";
    int close = -1;
    for (int i = 0; i < menu.VisibleItemCount(); ++i)
        if (menu.VisibleItems(i)->Item()->Caption() == "&Close") close = i;
    ASSERT_GE(close, 0);
    driver.MoveTo(CentreOf(menu, close));
    // The window's size went into the library, which asks to be saved: not now.
    dialogs.answer = model::mrNo;
    driver.Click(CentreOf(menu, close));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Untitled.Lib Was Not Saved, Save It ?"});

    EXPECT_EQ(main.MDIChildCount(), children - 1);
    EXPECT_EQ(main.ActiveMDIChild(), nullptr);
    EXPECT_EQ(Entry(), nullptr);
    EXPECT_FALSE(BarWindow().HasMDIButtons());
    EXPECT_EQ(barUnit.InternalItemCount(), 0);
}

} // namespace
} // namespace app::test
