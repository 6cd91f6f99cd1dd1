// A maximised library window in the main window: its system menu becomes the menu bar's first
// entry and its caption buttons stand at the bar's right end, as long as it stays maximised.
// (The element windows have a fixed size and no maximise button; the library window has one.)
// Window > Minimize All turns every window into a caption bar along the bottom.

#include "app/form_quintaron.h"

#include "app/form_bank.h"
#include "app/tests/librarian_fixture.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/surface.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include <gtest/gtest.h>

#include <algorithm>
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

using MinimizeAllTest = LibrarianTest;

// Every window, the dialog-bordered bank window among them, becomes a caption bar along the
// bottom of the main window's client area, none over another, the windows themselves keeping
// their bounds; a double click on a bar, or its restore button, brings its window back there.
TEST_F(MinimizeAllTest, EveryWindowBecomesACaptionBarAlongTheBottomAndComesBackWhereItWas) {
    driver.ActivateWindow(main.Handle());
    testsupport::PumpUntilIdle();
    TFormLibrary& library = OpenLibrary({{model::etPatchBank, "Leads"}});
    TFormBank& bank = OpenWindow<TFormBank>(library.Library().Elem(0), 420, 10);
    main.GadgetsMonitorItem.Click();
    testsupport::PumpUntilIdle();
    ASSERT_EQ(main.MDIChildCount(), 3);
    std::vector<platform::forms::TCustomForm*> windows;
    std::vector<pg::TRect> bounds;
    for (int i = 0; i < main.MDIChildCount(); ++i) {
        windows.push_back(main.MDIChildren(i));
        bounds.push_back(windows.back()->BoundsRect());
    }

    main.WindowMinimizeItem.Click();
    testsupport::PumpUntilIdle();
    pw::TRect client;
    pw::GetClientRect(main.ClientHandle(), &client);
    const auto inClient = [&](platform::forms::TCustomForm& window) {
        pw::TRect r;
        pw::GetWindowRect(window.Handle(), &r);
        pg::TPoint corners[2] = {r.TopLeft(), r.BottomRight()};
        pw::MapWindowPoints(pw::NullHWnd, main.ClientHandle(), corners, 2);
        return pg::TRect{corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
    };
    const int width = pg::GetSystemMetrics(pg::SM_CXMINIMIZED);
    const int height = pg::GetSystemMetrics(pg::SM_CYMINIMIZED);
    std::vector<int> lefts;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        SCOPED_TRACE(windows[i]->Caption());
        EXPECT_EQ(windows[i]->WindowState(), platform::forms::wsMinimized);
        EXPECT_TRUE(pw::IsIconic(windows[i]->Handle()));
        const pg::TRect icon = inClient(*windows[i]);
        EXPECT_EQ(icon.Width(), width);
        EXPECT_EQ(icon.Height(), height);
        EXPECT_EQ(icon.Bottom, client.Bottom);
        lefts.push_back(icon.Left);
        EXPECT_EQ(windows[i]->BoundsRect(), bounds[i]);
    }
    std::sort(lefts.begin(), lefts.end());
    EXPECT_EQ(lefts, (std::vector<int>{0, width, 2 * width}));
    ASSERT_TRUE(testsupport::SaveWindowPng(main.Handle(), Png("minimized_all.png")));
    // Each bar is its window's caption, in the active or inactive caption's colour.
    for (platform::forms::TCustomForm* window : windows) {
        const auto surface = pw::WindowSurface(window->Handle());
        ASSERT_NE(surface, nullptr);
        const bool active = main.ActiveMDIChild() == window;
        EXPECT_EQ(pg::PixelToColor(surface->Pixel(60, 4)) & 0xFFFFFF,
                  pg::GetSysColor(active ? pg::COLOR_ACTIVECAPTION : pg::COLOR_INACTIVECAPTION))
            << window->Caption();
    }

    const pg::TRect libraryIcon = inClient(library);
    pg::TPoint caption{libraryIcon.Left + 60, libraryIcon.Top + height / 2};
    pw::ClientToScreen(main.ClientHandle(), &caption);
    driver.MoveTo(caption);
    driver.Click(caption);
    driver.Click(caption);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(library.WindowState(), platform::forms::wsNormal);
    EXPECT_EQ(inClient(library),
              bounds[static_cast<std::size_t>(std::find(windows.begin(), windows.end(), &library) -
                                              windows.begin())]);
    pw::TRect bankFrame;
    pw::GetWindowRect(bank.Handle(), &bankFrame);
    const pg::TRect restore = bank.CaptionButtonRect(platform::forms::TCustomForm::cbMinimize);
    const pg::TPoint button{bankFrame.Left + (restore.Left + restore.Right) / 2,
                            bankFrame.Top + (restore.Top + restore.Bottom) / 2};
    driver.MoveTo(button);
    driver.Click(button);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(bank.WindowState(), platform::forms::wsNormal);
    EXPECT_EQ(inClient(bank), pg::Bounds(420, 10, bank.Width(), bank.Height()));
}

} // namespace
} // namespace app::test
