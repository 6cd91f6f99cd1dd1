// The multiple-document parent and its children: their order and activation, cascading and
// tiling, the child's caption and states, the client area's scroll bars and the icons of
// minimised children.

#include "platform/core/message_loop.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/menus.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_ctrls.h"
#include "platform/forms/tests/forms_test_support.h"
#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"

#include <QImage>

#include <algorithm>
#include <string>
#include <vector>

namespace platform::forms::test {
namespace {

using namespace win;

class MdiTest : public FormsTest {
protected:
    // The application's main form: an MDI frame of 800 x 600 at the screen's corner, shown.
    TForm& ShowMainFrame() {
        TForm& main = MakeForm<TForm>(fsMDIForm);
        Application().SetMainForm(&main);
        main.SetBounds(0, 0, 800, 600);
        main.Show();
        return main;
    }
    // A child of a border that keeps its size, at bounds.
    TForm& MakeFixedChild(TBorderStyle border, TRect bounds, const std::string& caption = {}) {
        TForm& child = Owner().Own<TForm>(fsMDIChild);
        child.SetBorderStyle(border);
        child.SetBoundsRect(bounds);
        child.SetCaption(caption);
        child.AfterConstruction();
        return child;
    }
    static TMDIClient& ClientOf(TCustomForm& main) {
        return *dynamic_cast<TMDIClient*>(FindControl(main.ClientHandle()));
    }
    // A screen point of a bar of the client, from a point of the bar (window coordinates).
    static TPoint OnScreen(TCustomForm& main, TPoint window) {
        TRect r;
        GetWindowRect(main.ClientHandle(), &r);
        return {r.Left + window.X, r.Top + window.Y};
    }
    // The centre of a caption button of a child (its icon's, when minimised), on the screen.
    static TPoint ButtonAt(TCustomForm& child, TCustomForm::TCaptionButton button) {
        TRect window;
        GetWindowRect(child.Handle(), &window);
        const TRect r = child.CaptionButtonRect(button);
        return {window.Left + (r.Left + r.Right) / 2, window.Top + (r.Top + r.Bottom) / 2};
    }
};

std::vector<TCustomForm*> Children(const TCustomForm& main) {
    std::vector<TCustomForm*> result;
    for (int i = 0; i < main.MDIChildCount(); ++i)
        result.push_back(main.MDIChildren(i));
    return result;
}

// Where a child's window lies in the client area: its icon while it is minimised.
TRect IconRect(TCustomForm& main, TCustomForm& child) {
    TRect r;
    GetWindowRect(child.Handle(), &r);
    TPoint corners[2] = {r.TopLeft(), r.BottomRight()};
    MapWindowPoints(NullHWnd, main.ClientHandle(), corners, 2);
    return {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
}

TEST_F(MdiTest, ChildrenOrderFollowsActivationAndMinimising) {
    TForm& main = ShowMainFrame();
    std::vector<std::string> changes;
    TForm& a = MakeForm<TForm>(fsMDIChild);
    a.SetCaption("A");
    TForm& b = MakeForm<TForm>(fsMDIChild);
    b.SetCaption("B");
    TForm& c = MakeForm<TForm>(fsMDIChild);
    c.SetCaption("C");
    for (TForm* f : {&a, &b, &c}) {
        f->OnActivate = [&changes, f](TObject*) { changes.push_back("+" + f->Caption()); };
        f->OnDeactivate = [&changes, f](TObject*) { changes.push_back("-" + f->Caption()); };
    }
    a.SetBounds(10, 10, 200, 150);
    b.SetBounds(40, 40, 200, 150);
    c.SetBounds(70, 70, 200, 150);
    EXPECT_EQ(Children(main), (std::vector<TCustomForm*>{&c, &b, &a}));
    EXPECT_EQ(main.ActiveMDIChild(), &c);

    // A click on what shows of the child at the back brings it forward.
    driver.Click(At(a, {5, 5}));
    EXPECT_EQ(main.ActiveMDIChild(), &a);
    EXPECT_EQ(Children(main), (std::vector<TCustomForm*>{&a, &c, &b}));
    EXPECT_EQ(changes, (std::vector<std::string>{"-C", "+A"}));

    // Minimising the front child activates the next; the icon goes to the back.
    changes.clear();
    a.SetWindowState(wsMinimized);
    EXPECT_EQ(main.ActiveMDIChild(), &c);
    EXPECT_EQ(Children(main), (std::vector<TCustomForm*>{&c, &b, &a}));
    EXPECT_EQ(changes, (std::vector<std::string>{"-A", "+C"}));
    TRect client;
    GetClientRect(main.ClientHandle(), &client);
    EXPECT_EQ(IconRect(main, a).Bottom, client.Bottom);
    EXPECT_EQ(IconRect(main, a).Left, 0);
    EXPECT_EQ(a.BoundsRect(), (TRect{10, 10, 210, 160}));

    a.SetWindowState(wsNormal);
    EXPECT_EQ(main.ActiveMDIChild(), &a);
    EXPECT_EQ(a.BoundsRect(), (TRect{10, 10, 210, 160}));
    Application().SetMainForm(nullptr);
}

TEST_F(MdiTest, CascadeAndTileLayTheChildrenOut) {
    TForm& main = ShowMainFrame();
    TForm& a = MakeForm<TForm>(fsMDIChild);
    TForm& b = MakeForm<TForm>(fsMDIChild);
    TRect client;
    GetClientRect(main.ClientHandle(), &client);
    main.Tile();
    EXPECT_EQ(b.BoundsRect(), (TRect{0, 0, client.Right, client.Bottom / 2}));
    EXPECT_EQ(a.BoundsRect(), (TRect{0, client.Bottom / 2, client.Right, client.Bottom}));
    main.Cascade();
    EXPECT_EQ(a.Left(), 0);
    EXPECT_GT(b.Left(), a.Left());
    EXPECT_EQ(b.Top() - a.Top(), b.Left() - a.Left());
    EXPECT_EQ(main.ActiveMDIChild(), &b);
    Application().SetMainForm(nullptr);
}

// Children placed by default each open below and right of the one before, by one step, and
// start again at the corner before one would reach past the client area; a child of designed
// place stands where it was put and leaves the steps alone.
TEST_F(MdiTest, ChildrenPlacedByDefaultStepDownAndRightAndWrap) {
    TForm& main = ShowMainFrame();
    TRect client;
    GetClientRect(main.ClientHandle(), &client);
    auto make = [&](TPosition position) -> TForm& {
        TForm& child = Owner().Own<TForm>(fsMDIChild);
        child.SetBounds(40, 30, 300, 200);
        child.Position = position;
        child.AfterConstruction();
        return child;
    };
    std::vector<TRect> places;
    for (int i = 0; i < 40; ++i) {
        if (i == 2) {
            TForm& designed = make(poDesigned);
            EXPECT_EQ(IconRect(main, designed), (TRect{40, 30, 340, 230}));
        }
        places.push_back(IconRect(main, make(i % 2 ? poDefault : poDefaultPosOnly)));
    }
    EXPECT_EQ(places[0], (TRect{0, 0, 300, 200}));
    const int step = places[1].Left;
    ASSERT_GT(step, 0);
    int wraps = 0;
    for (std::size_t i = 1; i < places.size(); ++i) {
        SCOPED_TRACE(i);
        const TRect& before = places[i - 1];
        EXPECT_EQ(places[i].Width(), 300);
        EXPECT_EQ(places[i].Height(), 200);
        EXPECT_LE(places[i].Bottom, client.Bottom);
        EXPECT_LE(places[i].Right, client.Right);
        if (places[i].Left == 0) {
            // One more step would have reached past the bottom.
            EXPECT_GT(before.Bottom + step, client.Bottom);
            EXPECT_EQ(places[i].Top, 0);
            ++wraps;
        } else {
            EXPECT_EQ(places[i].Left, before.Left + step);
            EXPECT_EQ(places[i].Top, before.Top + step);
        }
    }
    EXPECT_GE(wraps, 2);
    Application().SetMainForm(nullptr);
}

// A child that keeps a least height and one with a dialog border (only moved, as the platform
// moves a window it cannot size) push the others on: the tiled children never overlap.
TEST_F(MdiTest, TileKeepsChildrenThatHoldTheirSizeApart) {
    TForm& main = ShowMainFrame();
    TForm& tall = MakeForm<TForm>(fsMDIChild);
    tall.OnResize = [&tall](TObject*) {
        if (tall.Height() < 300) tall.SetHeight(300);
    };
    TForm& fixed = MakeForm<TForm>(fsMDIChild);
    fixed.SetBorderStyle(bsDialog);
    fixed.SetBounds(20, 20, 250, 120);
    TForm& plain = MakeForm<TForm>(fsMDIChild);
    for (const TTileMode mode : {tbHorizontal, tbVertical}) {
        SCOPED_TRACE(mode == tbHorizontal ? "horizontal" : "vertical");
        main.TileMode = mode;
        main.Tile();
        const std::vector<TRect> rects = {tall.BoundsRect(), fixed.BoundsRect(),
                                          plain.BoundsRect()};
        for (std::size_t i = 0; i < rects.size(); ++i)
            for (std::size_t j = i + 1; j < rects.size(); ++j) {
                TRect overlap;
                EXPECT_FALSE(platform::gdi::IntersectRect(overlap, rects[i], rects[j]))
                    << i << " and " << j;
            }
        EXPECT_GE(tall.Height(), 300);
        EXPECT_EQ(fixed.Width(), 250);
        EXPECT_EQ(fixed.Height(), 120);
    }
    Application().SetMainForm(nullptr);
}

// A child that keeps its size and is wider than its column: the next column starts at its right
// edge, so that the children of the two columns do not overlap.
TEST_F(MdiTest, TileStartsTheNextColumnRightOfAChildWiderThanItsColumn) {
    TForm& main = ShowMainFrame();
    std::vector<TForm*> children;
    for (int i = 0; i < 4; ++i)
        children.push_back(&MakeForm<TForm>(fsMDIChild));
    // Made last, it stands in front: the first of the first column (of two columns tiled
    // horizontally, of three vertically).
    TForm& wide = MakeFixedChild(bsDialog, {0, 0, 500, 120});
    children.push_back(&wide);
    for (const TTileMode mode : {tbHorizontal, tbVertical}) {
        SCOPED_TRACE(mode == tbHorizontal ? "horizontal" : "vertical");
        main.TileMode = mode;
        main.Tile();
        EXPECT_EQ(wide.BoundsRect(), (TRect{0, 0, 500, 120}));
        int nextColumn = 800;
        for (TForm* child : children)
            if (child->Left() > 0) nextColumn = std::min(nextColumn, child->Left());
        EXPECT_EQ(nextColumn, 500);
        for (std::size_t i = 0; i < children.size(); ++i)
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                TRect overlap;
                EXPECT_FALSE(platform::gdi::IntersectRect(overlap, children[i]->BoundsRect(),
                                                          children[j]->BoundsRect()))
                    << i << " and " << j;
            }
    }
    Application().SetMainForm(nullptr);
}

TEST_F(MdiTest, ChildCaptionMovesAndItsButtonsWork) {
    TForm& main = ShowMainFrame();
    TForm& child = MakeForm<TForm>(fsMDIChild);
    child.SetBounds(50, 60, 300, 200);
    TRect window;
    GetWindowRect(child.Handle(), &window);
    auto onScreen = [&](TRect r) {
        GetWindowRect(child.Handle(), &window);
        return TPoint{window.Left + (r.Left + r.Right) / 2, window.Top + (r.Top + r.Bottom) / 2};
    };
    const TPoint grip{window.Left + 40, window.Top + 10};
    driver.MoveTo(grip);
    driver.Drag(grip, {grip.X + 30, grip.Y + 20});
    EXPECT_EQ(child.BoundsRect(), (TRect{80, 80, 380, 280}));
    driver.Click(onScreen(child.CaptionButtonRect(TCustomForm::cbMaximize)));
    EXPECT_EQ(child.WindowState(), wsMaximized);
    TRect client;
    GetClientRect(main.ClientHandle(), &client);
    EXPECT_EQ(child.BoundsRect(), client);
    EXPECT_TRUE(IsZoomed(child.Handle()));
    BOOL maximized = 0;
    EXPECT_EQ(core::SendMessage(main.ClientHandle(), WM_MDIGETACTIVE, 0,
                                reinterpret_cast<LPARAM>(&maximized)),
              static_cast<LRESULT>(child.Handle()));
    EXPECT_TRUE(maximized);
    core::SendMessage(main.ClientHandle(), WM_MDIRESTORE, static_cast<WPARAM>(child.Handle()), 0);
    EXPECT_FALSE(IsZoomed(child.Handle()));
    child.SetWindowState(wsNormal);
    EXPECT_EQ(child.BoundsRect(), (TRect{80, 80, 380, 280}));
    int closes = 0;
    child.OnClose = [&](TObject*, TCloseAction& action) {
        ++closes;
        EXPECT_EQ(action, caMinimize);
        action = caNone;
    };
    driver.Click(onScreen(child.CaptionButtonRect(TCustomForm::cbClose)));
    EXPECT_EQ(closes, 1);
    Application().SetMainForm(nullptr);
}

TEST_F(MdiTest, ClosingTheActiveChildActivatesTheNext) {
    TForm& main = ShowMainFrame();
    TForm& a = MakeForm<TForm>(fsMDIChild);
    TForm& b = MakeForm<TForm>(fsMDIChild);
    int changes = 0;
    Screen().OnActiveFormChange = [&](TObject*) { ++changes; };
    b.OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    b.Close();
    EXPECT_EQ(main.ActiveMDIChild(), &a);
    EXPECT_GT(changes, 0);
    Pump();
    EXPECT_EQ(main.MDIChildCount(), 1);
    Application().SetMainForm(nullptr);
}

TEST_F(MdiTest, TheChildsSystemMenuCommandsWorkAsItsButtonsDo) {
    TForm& main = ShowMainFrame();
    TForm& a = MakeForm<TForm>(fsMDIChild);
    TForm& b = MakeForm<TForm>(fsMDIChild);
    a.SetBounds(10, 10, 200, 150);
    b.SetBounds(40, 40, 200, 150);
    int closes = 0;
    b.OnClose = [&](TObject*, TCloseAction& action) {
        ++closes;
        action = caNone;
    };
    struct Step {
        WPARAM command;
        TWindowState state;
        bool iconic;
        bool zoomed;
        TCustomForm* active;
    };
    const Step steps[] = {
        {SC_MAXIMIZE, wsMaximized, false, true, &b}, {SC_RESTORE, wsNormal, false, false, &b},
        {SC_MINIMIZE, wsMinimized, true, false, &a}, {SC_RESTORE, wsNormal, false, false, &b},
        {SC_NEXTWINDOW, wsNormal, false, false, &a}, {SC_CLOSE, wsNormal, false, false, &a},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(static_cast<int>(step.command));
        core::SendMessage(b.Handle(), WM_SYSCOMMAND, step.command, 0);
        EXPECT_EQ(b.WindowState(), step.state);
        EXPECT_EQ(static_cast<bool>(IsIconic(b.Handle())), step.iconic);
        EXPECT_EQ(static_cast<bool>(IsZoomed(b.Handle())), step.zoomed);
        EXPECT_TRUE(IsWindowVisible(b.Handle()));
        EXPECT_EQ(main.ActiveMDIChild(), step.active);
    }
    EXPECT_EQ(closes, 1);
    // The menu lists what the child's state allows.
    ShowWindow(b.Handle(), SW_SHOWNORMAL);
    HMENU menu = GetSystemMenu(b.Handle(), false);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(SC_RESTORE), MF_BYCOMMAND),
              MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(SC_NEXTWINDOW), MF_BYCOMMAND), MF_ENABLED);
    Application().SetMainForm(nullptr);
}

// A click on a minimised child's icon drops its window menu below the icon (above it when the
// screen has no room below); what is chosen there is done, through the close protocol for
// Close, and Esc or a click elsewhere leaves the child as it was.
TEST_F(MdiTest, AClickOnAnIconOpensItsWindowMenu) {
    TForm& main = ShowMainFrame();
    TForm& other = MakeFixedChild(bsSizeable, {300, 20, 500, 170}, "Other");
    TForm& child = MakeFixedChild(bsSizeable, {30, 20, 330, 220}, "Child");
    bool allowClose = false;
    int asked = 0;
    child.OnCloseQuery = [&](TObject*, bool& canClose) {
        ++asked;
        canClose = allowClose;
    };
    child.OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    const int iconHeight = gdi::GetSystemMetrics(gdi::SM_CYMINIMIZED);
    // How the menu is left: by an item, Esc, or a click elsewhere.
    enum TLeave { byItem, byEscape, byClickElsewhere };
    struct Case {
        const char* name;
        TLeave leave;
        const char* item;
        bool allowClose;
        int frameTop;
        TWindowState state;
        int asked;
        bool gone;
    };
    const Case cases[] = {
        {"restore", byItem, "Restore", false, 0, wsNormal, 0, false},
        {"maximize", byItem, "Maximize", false, 0, wsMaximized, 0, false},
        {"close, refused", byItem, "Close", false, 0, wsMinimized, 1, false},
        {"escape, above", byEscape, nullptr, false, 168, wsMinimized, 0, false},
        {"click elsewhere", byClickElsewhere, nullptr, false, 0, wsMinimized, 0, false},
        {"close", byItem, "Close", true, 0, wsMinimized, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main.SetBounds(0, c.frameTop, 800, 600);
        child.SetWindowState(wsMinimized);
        Pump();
        allowClose = c.allowClose;
        asked = 0;
        const TRect icon = IconRect(main, child);
        const TPoint caption = main.ClientToScreen({icon.Left + 60, icon.Top + iconHeight / 2});
        TRect iconOnScreen;
        GetWindowRect(child.Handle(), &iconOnScreen);
        std::vector<std::string> shown;
        TRect menuRect{};
        After(100, [&] {
            TPopupMenu* menu = child.WindowMenu();
            ASSERT_NE(menu, nullptr);
            GetWindowRect(menu->WindowHandle(), &menuRect);
            int chosen = -1;
            for (int i = 0; i < menu->Items().Count(); ++i) {
                const TMenuItem& item = *menu->Items().Items(i);
                shown.push_back(item.Enabled ? item.Caption : "(" + item.Caption + ")");
                if (c.item && item.Caption == c.item) chosen = i;
            }
            switch (c.leave) {
            case byItem: {
                const TRect r = menu->ItemScreenRect(chosen);
                driver.Click({r.Left + 10, (r.Top + r.Bottom) / 2});
                break;
            }
            case byEscape:
                driver.TypeKey(VK_ESCAPE, "\x1b");
                break;
            case byClickElsewhere:
                driver.Click(main.ClientToScreen({600, 100}));
                break;
            }
        });
        driver.MoveTo(caption);
        driver.Click(caption);
        Pump();
        EXPECT_EQ(shown, (std::vector<std::string>{"Restore", "Move", "(Size)", "(Minimize)",
                                                   "Maximize", "-", "Close", "-", "Next"}));
        EXPECT_EQ(menuRect.Left, iconOnScreen.Left);
        if (c.frameTop == 0) {
            EXPECT_EQ(menuRect.Top, iconOnScreen.Bottom) << "below the icon";
        } else {
            EXPECT_EQ(menuRect.Bottom, iconOnScreen.Top) << "above the icon";
        }
        EXPECT_EQ(asked, c.asked);
        if (c.gone) {
            EXPECT_EQ(main.MDIChildCount(), 1);
            break;
        }
        EXPECT_EQ(child.WindowMenu(), nullptr);
        EXPECT_EQ(child.WindowState(), c.state);
        EXPECT_EQ(static_cast<bool>(IsIconic(child.Handle())), c.state == wsMinimized);
        if (c.state == wsNormal) {
            EXPECT_EQ(IconRect(main, child), (TRect{30, 20, 330, 220}));
        }
        child.SetWindowState(wsNormal);
    }
    EXPECT_EQ(main.MDIChildren(0), &other);
    Application().SetMainForm(nullptr);
}

// Two clicks on an icon's caption within the double-click time restore the child, though the
// first opened the window menu; a second click later only closes the menu.
TEST_F(MdiTest, ADoubleClickOnAnIconRestoresItThoughTheFirstClickOpensTheMenu) {
    TForm& main = ShowMainFrame();
    TForm& child = MakeFixedChild(bsSizeable, {30, 20, 330, 220}, "Child");
    const int iconHeight = gdi::GetSystemMetrics(gdi::SM_CYMINIMIZED);
    for (const auto& [gap, restored] :
         {std::pair{core::Millis(100), true},
          std::pair{core::Millis(GetDoubleClickTime()) + 100, false}}) {
        SCOPED_TRACE(gap);
        child.SetWindowState(wsMinimized);
        Pump();
        const TRect icon = IconRect(main, child);
        const TPoint caption = main.ClientToScreen({icon.Left + 60, icon.Top + iconHeight / 2});
        bool menuOpen = false;
        After(gap, [&] {
            menuOpen = child.WindowMenu() != nullptr;
            driver.Click(caption);
        });
        driver.MoveTo(caption);
        driver.Click(caption);
        Pump();
        EXPECT_TRUE(menuOpen);
        EXPECT_EQ(child.WindowMenu(), nullptr);
        EXPECT_EQ(child.WindowState(), restored ? wsNormal : wsMinimized);
        EXPECT_EQ(static_cast<bool>(IsIconic(child.Handle())), !restored);
        if (restored) {
            EXPECT_EQ(IconRect(main, child), (TRect{30, 20, 330, 220}));
        }
    }
    Application().SetMainForm(nullptr);
}

TEST_F(MdiTest, TiledChildrenThatSpillOverAreReachedThroughTheScrollBars) {
    TForm& main = ShowMainFrame();
    TMDIClient& client = ClientOf(main);
    // Seven pages that keep their size: tiled in two columns, they spill over the client area
    // to the right and downwards.
    std::vector<TForm*> pages;
    for (int i = 0; i < 7; ++i)
        pages.push_back(&MakeFixedChild(bsSingle, {0, 0, 450, 250}));
    main.Tile();
    Pump();
    ASSERT_TRUE(client.ScrollBarShown(true));
    ASSERT_TRUE(client.ScrollBarShown(false));
    const int bar = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    EXPECT_EQ(client.ClientRect(), (TRect{0, 0, 800 - bar, 600 - bar}));
    const auto lowest = *std::max_element(pages.begin(), pages.end(), [](TForm* a, TForm* b) {
        return a->Top() + a->Height() < b->Top() + b->Height();
    });
    const auto rightmost = *std::max_element(pages.begin(), pages.end(), [](TForm* a, TForm* b) {
        return a->Left() + a->Width() < b->Left() + b->Width();
    });
    // Whether all of a page shows, across (vertically) or down (horizontally).
    const auto inView = [&](TForm* page, bool vertical) {
        const TRect r = page->BoundsRect(), c = client.ClientRect();
        return vertical ? r.Top >= 0 && r.Bottom <= c.Bottom : r.Left >= 0 && r.Right <= c.Right;
    };
    ASSERT_FALSE(inView(lowest, true));
    ASSERT_FALSE(inView(rightmost, false));

    // The bars are drawn beside the client area, over whatever lies beyond it.
    const auto shot = TempFolder() / "client_with_scroll_bars.png";
    ASSERT_TRUE(testsupport::SaveWindowPng(main.Handle(), shot.string()));
    const QImage picture(QString::fromStdString(shot.string()));
    const TFrameScrollBar vertical = client.ScrollBar(true);
    const TPoint track{vertical.Bounds.Left + bar / 2, vertical.ThumbRect().Bottom + 4};
    EXPECT_EQ(gdi::RGB(qRed(picture.pixel(track.X, track.Y)),
                       qGreen(picture.pixel(track.X, track.Y)),
                       qBlue(picture.pixel(track.X, track.Y))),
              gdi::GetSysColor(gdi::COLOR_SCROLLBAR));

    // A click on the track below the thumb scrolls a page: the lowest page comes into view.
    driver.Click(OnScreen(main, track));
    Pump();
    EXPECT_TRUE(inView(lowest, true)) << lowest->Top();
    // The horizontal thumb dragged to the end of its track brings the rightmost page in.
    const TFrameScrollBar horizontal = client.ScrollBar(false);
    const TRect thumb = horizontal.ThumbRect();
    const TPoint grip{(thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2};
    driver.MoveTo(OnScreen(main, grip));
    driver.Drag(OnScreen(main, grip), OnScreen(main, {horizontal.Bounds.Right, grip.Y}));
    Pump();
    EXPECT_TRUE(inView(rightmost, false)) << rightmost->Left();

    // Once everything fits again, the bars go and the client area has its whole size back.
    main.Cascade();
    Pump();
    EXPECT_FALSE(client.ScrollBarShown(true));
    EXPECT_FALSE(client.ScrollBarShown(false));
    EXPECT_EQ(client.ClientRect(), (TRect{0, 0, 800, 600}));
    Application().SetMainForm(nullptr);
}

// A held arrow scrolls on the press, again after the first delay and then at the repeat
// interval, not while the pointer is off the arrow, and never after the release.
TEST_F(MdiTest, AHeldScrollArrowRepeats) {
    TForm& main = ShowMainFrame();
    TMDIClient& client = ClientOf(main);
    for (int i = 0; i < 7; ++i)
        MakeFixedChild(bsSingle, {0, 0, 450, 250});
    main.Tile();
    Pump();
    ASSERT_TRUE(client.ScrollBarShown(true));
    const int line = gdi::GetSystemMetrics(gdi::SM_CYICONSPACING) / 2;
    // The lines scrolled down: the client area's place below the top of the range.
    const auto lines = [&] {
        const TFrameScrollBar bar = client.ScrollBar(true);
        return (bar.Position - bar.Min) / line;
    };
    const TRect down = client.ScrollBar(true).LineDownRect();
    const TPoint arrow =
        OnScreen(main, {(down.Left + down.Right) / 2, (down.Top + down.Bottom) / 2});
    const TPoint away = OnScreen(main, {400, 300});
    ASSERT_EQ(client.ScrollBar(true).Position, 0);
    ASSERT_GE(client.ScrollBar(true).Max - client.ScrollBar(true).Page, 6 * line);
    // The down arrow as the client window's frame shows it.
    const auto arrowLook = [&] {
        Pump();
        const auto surface = WindowSurface(client.Handle());
        std::vector<std::uint32_t> pixels;
        for (int y = down.Top; y < down.Bottom; ++y)
            for (int x = down.Left; x < down.Right; ++x)
                pixels.push_back(surface->Pixel(x, y));
        return pixels;
    };
    const std::vector<std::uint32_t> raised = arrowLook();

    driver.MoveTo(arrow);
    driver.Press(arrow);
    EXPECT_EQ(lines(), 1) << "the press";
    // Held with the pointer on it, the arrow is pushed in.
    EXPECT_NE(arrowLook(), raised);
    core::RunFor(clock, FrameScrollFirstRepeat - 1);
    EXPECT_EQ(lines(), 1) << "before the first delay";
    core::RunFor(clock, 1);
    EXPECT_EQ(lines(), 2) << "after the first delay";
    core::RunFor(clock, 2 * FrameScrollRepeat);
    EXPECT_EQ(lines(), 4) << "two repeats";
    driver.MoveTo(away);
    core::RunFor(clock, 3 * FrameScrollRepeat);
    EXPECT_EQ(lines(), 4) << "off the arrow";
    EXPECT_EQ(arrowLook(), raised) << "off the arrow";
    driver.MoveTo(arrow);
    core::RunFor(clock, FrameScrollRepeat);
    EXPECT_EQ(lines(), 5) << "back on it";
    EXPECT_NE(arrowLook(), raised) << "back on it";
    driver.Release(arrow);
    core::RunFor(clock, 10 * FrameScrollRepeat);
    EXPECT_EQ(lines(), 5) << "after the release";
    EXPECT_EQ(arrowLook(), raised) << "after the release";
    Application().SetMainForm(nullptr);
}

TEST_F(MdiTest, TheScrollRangeFollowsTheChildren) {
    TForm& main = ShowMainFrame();
    TMDIClient& client = ClientOf(main);
    TForm& other = MakeForm<TForm>(fsMDIChild);
    other.SetBounds(10, 10, 200, 150);
    TForm& child = MakeForm<TForm>(fsMDIChild);
    child.SetBounds(100, 100, 300, 200);
    Pump();
    EXPECT_FALSE(client.ScrollBarShown(false));
    const auto shown = [&] {
        Pump();
        return std::pair{client.ScrollBarShown(false), client.ScrollBarShown(true)};
    };

    // Dragged by its caption half out of the right edge: the horizontal bar comes.
    TRect window;
    GetWindowRect(child.Handle(), &window);
    const TPoint grip{window.Left + 40, window.Top + 10};
    driver.MoveTo(grip);
    driver.Drag(grip, {grip.X + 500, grip.Y});
    EXPECT_EQ(shown(), std::pair(true, false));
    // While a child is maximised there are none; they come back with its restoring.
    other.SetWindowState(wsMaximized);
    EXPECT_EQ(shown(), std::pair(false, false));
    EXPECT_EQ(other.BoundsRect(), (TRect{0, 0, 800, 600}));
    other.SetWindowState(wsNormal);
    EXPECT_EQ(shown(), std::pair(true, false));
    // Dragged back, the bar goes; dragged out again and closed, it goes too.
    GetWindowRect(child.Handle(), &window);
    const TPoint moved{window.Left + 40, window.Top + 10};
    driver.MoveTo(moved);
    driver.Drag(moved, {moved.X - 500, moved.Y + 350});
    EXPECT_EQ(shown(), std::pair(false, true));
    child.OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    child.Close();
    EXPECT_EQ(shown(), std::pair(false, false));
    Application().SetMainForm(nullptr);
}

TEST_F(MdiTest, MinimisedChildrenAreCaptionBarsAlongTheBottomAndComeBackWhereTheyWere) {
    TForm& main = ShowMainFrame();
    TRect client;
    GetClientRect(main.ClientHandle(), &client);
    const int iconWidth = gdi::GetSystemMetrics(gdi::SM_CXMINIMIZED);
    const int iconHeight = gdi::GetSystemMetrics(gdi::SM_CYMINIMIZED);
    // A sizeable child laid out by alignment, a dialog-bordered one with a button, and four
    // more: six icons are more than a row of the client area holds.
    TForm& sizeable = MakeFixedChild(bsSizeable, {30, 20, 300, 200}, "Sizeable");
    TPanel& panel = sizeable.Own<TPanel>();
    panel.SetParent(&sizeable);
    panel.SetAlign(alClient);
    int resizes = 0;
    sizeable.OnResize = [&](TObject*) { ++resizes; };
    TForm& dialog = MakeFixedChild(bsDialog, {250, 120, 320, 180}, "A dialog-bordered window");
    TButton& button = dialog.Own<TButton>();
    button.SetParent(&dialog);
    button.SetBounds(10, 10, 75, 25);
    std::vector<TForm*> children{&sizeable, &dialog};
    for (int i = 0; i < 4; ++i)
        children.push_back(&MakeFixedChild(bsSingle, {60 * i, 40 * i, 200, 150}, "More"));
    std::vector<TRect> bounds;
    for (TForm* child : children)
        bounds.push_back(child->BoundsRect());
    const TRect panelBounds = panel.BoundsRect();

    // The first by its own minimise button, the others as Window > Minimize All does.
    driver.Click(ButtonAt(sizeable, TCustomForm::cbMinimize));
    for (std::size_t i = 1; i < children.size(); ++i)
        children[i]->SetWindowState(wsMinimized);
    Pump();
    for (std::size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(i);
        TForm& child = *children[i];
        EXPECT_TRUE(IsIconic(child.Handle()));
        const int row = static_cast<int>(i) / 5, column = static_cast<int>(i) % 5;
        EXPECT_EQ(IconRect(main, child),
                  gdi::Bounds(column * iconWidth, client.Bottom - (row + 1) * iconHeight, iconWidth,
                              iconHeight));
        TRect inside;
        GetClientRect(child.Handle(), &inside);
        EXPECT_TRUE(gdi::IsRectEmpty(inside)) << "an icon shows nothing of the window";
        EXPECT_EQ(child.BoundsRect(), bounds[i]) << "the form keeps its bounds";
    }
    EXPECT_EQ(panel.BoundsRect(), panelBounds);
    EXPECT_EQ(button.BoundsRect(), (TRect{10, 10, 85, 35}));
    EXPECT_EQ(resizes, 0);
    EXPECT_FALSE(ClientOf(main).ScrollBarShown(false));
    EXPECT_FALSE(ClientOf(main).ScrollBarShown(true));

    // The picture: caption bars in a raised frame, the active one in the active caption's
    // colour, each with its title; nothing of the windows themselves.
    const auto shot = TempFolder() / "minimised_children.png";
    ASSERT_TRUE(testsupport::SaveWindowPng(main.Handle(), shot.string()));
    const QImage picture(QString::fromStdString(shot.string()));
    const auto pixel = [&](TPoint p) {
        const QRgb c = picture.pixel(p.X, p.Y);
        return gdi::RGB(qRed(c), qGreen(c), qBlue(c));
    };
    const int frame = gdi::GetSystemMetrics(gdi::SM_CXDLGFRAME);
    for (TForm* child : children) {
        const TRect icon = IconRect(main, *child);
        const bool active = main.ActiveMDIChild() == child;
        EXPECT_EQ(pixel({icon.Left + 60, icon.Top + frame + 1}),
                  gdi::GetSysColor(active ? gdi::COLOR_ACTIVECAPTION : gdi::COLOR_INACTIVECAPTION));
        EXPECT_EQ(pixel({icon.Right - 1, icon.Top + iconHeight / 2}),
                  gdi::GetSysColor(gdi::COLOR_3DDKSHADOW));
        int title = 0;
        const gdi::COLORREF text =
            gdi::GetSysColor(active ? gdi::COLOR_CAPTIONTEXT : gdi::COLOR_INACTIVECAPTIONTEXT);
        for (int x = icon.Left + 22; x < icon.Left + 70; ++x)
            for (int y = icon.Top + frame; y < icon.Bottom - frame; ++y)
                title += pixel({x, y}) == text;
        EXPECT_GT(title, 20) << "the title is written";
    }
    const gdi::COLORREF workspace = gdi::ColorToRGB(gdi::clAppWorkSpace);
    EXPECT_EQ(pixel({5, client.Bottom - 2 * iconHeight - 2}), workspace);
    EXPECT_EQ(pixel({dialog.Left() + 40, dialog.Top() + 40}), workspace)
        << "the dialog's contents are gone with it";

    // A double click on an icon's caption (its first click opens the window menu, the second
    // closes it), or its restore button, brings the window back where it was, as it was.
    const TRect icon = IconRect(main, sizeable);
    const TPoint caption = main.ClientToScreen({icon.Left + 60, icon.Top + iconHeight / 2});
    driver.MoveTo(caption);
    After(100, [&] { driver.Click(caption); });
    driver.Click(caption);
    EXPECT_EQ(sizeable.WindowState(), wsNormal);
    EXPECT_FALSE(IsIconic(sizeable.Handle()));
    EXPECT_EQ(IconRect(main, sizeable), bounds[0]);
    EXPECT_EQ(panel.BoundsRect(), panelBounds);
    driver.Click(ButtonAt(dialog, TCustomForm::cbMinimize));
    EXPECT_EQ(dialog.WindowState(), wsNormal);
    EXPECT_EQ(IconRect(main, dialog), bounds[1]);
    EXPECT_EQ(button.BoundsRect(), (TRect{10, 10, 85, 35}));
    EXPECT_EQ(main.ActiveMDIChild(), &dialog);

    // Arrange Icons closes the row up again.
    main.ArrangeIcons();
    for (std::size_t i = 2; i < children.size(); ++i)
        EXPECT_EQ(IconRect(main, *children[i]),
                  gdi::Bounds(static_cast<int>(i - 2) * iconWidth, client.Bottom - iconHeight,
                              iconWidth, iconHeight));
    Application().SetMainForm(nullptr);
}

} // namespace
} // namespace platform::forms::test
