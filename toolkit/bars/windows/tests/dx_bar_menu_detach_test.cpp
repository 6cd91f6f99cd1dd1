#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_detach.h"
#include "toolkit/bars/windows/dx_bar_hint_window.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"

#include "platform/gdi/drawing.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;

std::vector<std::string> Captions(TdxBarItemLinks& Links) {
    std::vector<std::string> Result;
    for (int I = 0; I < Links.Count(); ++I)
        Result.push_back(Links.Items(I)->GetCaption());
    return Result;
}

// "&Tools" on the main menu allows detaching into the hidden toolbar "Tools", which holds the
// same three commands as the menu.
class MenuDetachTest : public MenuFormFixture {
protected:
    MenuDetachTest() {
        MakeMainMenu();
        Tools = &Sub(Bar->ItemLinks(), "&Tools");
        Sub(Bar->ItemLinks(), "&Help");
        Detached = Manager->Bars()->Add();
        Detached->SetCaption("Tools");
        Detached->SetDockingStyle(dsNone);
        for (const char* Caption : {"&Cut", "C&opy", "&Paste"}) {
            TdxBarButton& B = Button(Tools->ItemLinks(), Caption);
            Detached->ItemLinks().Add(&B);
        }
        Tools->Detachable = true;
        Tools->SetDetachingBar(Detached->Index());
        Tools->OnDetaching = [this](platform::core::TObject*) { ++Detachings; };
        ShowMainMenu();
    }
    TdxBarSubMenuControl* OpenTools() {
        Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
        Input.Click(CentreOf(Bar->ItemLinks(), 0));
        testsupport::PumpUntilIdle();
        return MenuOf(*Tools);
    }
    // The strip's centre on the screen.
    static pg::TPoint StripCentre(TdxBarSubMenuControl& Menu) {
        pw::TRect W{};
        pw::GetWindowRect(Menu.Handle(), &W);
        const pg::TRect S = Menu.GetDetachCaptionRect();
        return {W.Left + (S.Left + S.Right) / 2, W.Top + (S.Top + S.Bottom) / 2};
    }
    static pg::COLORREF StripPixel(TdxBarSubMenuControl& Menu) {
        const pg::TRect S = Menu.GetDetachCaptionRect();
        const pg::HDC DC = pw::GetWindowDC(Menu.Handle());
        const pg::COLORREF C = pg::GetPixel(DC, (S.Left + S.Right) / 2, (S.Top + S.Bottom) / 2);
        pw::ReleaseDC(Menu.Handle(), DC);
        return C;
    }

    TdxBarSubItem* Tools = nullptr;
    TdxBar* Detached = nullptr;
    int Detachings = 0;
};

TEST_F(MenuDetachTest, TheStripLiesAboveTheRowsAndTurnsHotUnderTheMouse) {
    TdxBarSubMenuControl* Menu = OpenTools();
    ASSERT_NE(Menu, nullptr);
    ASSERT_TRUE(Menu->IsDetachable());
    EXPECT_TRUE(Menu->CanDetach());
    const int Size = Menu->GetDetachCaptionSize();
    EXPECT_EQ(Size % 2, 1);
    // The rows start below the strip: the client area begins under it.
    pw::TRect W{};
    pw::GetWindowRect(Menu->Handle(), &W);
    const pg::TPoint ClientOrigin = Menu->ClientToScreen({0, 0});
    EXPECT_GE(ClientOrigin.Y - W.Top, Menu->GetDetachCaptionRect().Bottom);
    EXPECT_EQ(Menu->ClientToScreen({0, Tools->ItemLinks().VisibleItems(0)->ItemRect.Top}).Y,
              ClientOrigin.Y);

    EXPECT_EQ(StripPixel(*Menu), pg::GetSysColor(pg::COLOR_INACTIVECAPTION));
    Input.MoveTo(StripCentre(*Menu));
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Menu->DetachCaptionSelected());
    EXPECT_EQ(StripPixel(*Menu), pg::GetSysColor(pg::COLOR_ACTIVECAPTION));
    EXPECT_EQ(Menu->Cursor(), platform::forms::crSizeAll);
    testsupport::TempFolder Folder("menu_detach");
    EXPECT_TRUE(testsupport::SaveWindowPng(Menu->Handle(), Folder.PathOf("hot_detach_strip.png")));

    // Onto a row: the strip is cold again and the row is selected.
    Input.MoveTo(CentreOf(Tools->ItemLinks(), 1));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Menu->DetachCaptionSelected());
    EXPECT_EQ(StripPixel(*Menu), pg::GetSysColor(pg::COLOR_INACTIVECAPTION));
    EXPECT_EQ(Menu->Cursor(), platform::forms::crDefault);
}

TEST_F(MenuDetachTest, DraggingTheStripOffFloatsTheToolbarWithTheMenusCommands) {
    TdxBarSubMenuControl* Menu = OpenTools();
    ASSERT_NE(Menu, nullptr);
    const pg::TPoint From = StripCentre(*Menu);
    Input.MoveTo(From);
    Input.Press(From);
    ASSERT_NE(dxBarDetaching(), nullptr);
    EXPECT_TRUE(Manager->IsDragging());
    const pg::TPoint To{From.X + 150, From.Y + 120};
    Input.MoveTo({From.X + 60, From.Y + 40});
    Input.MoveTo(To);
    testsupport::PumpUntilIdle();
    // The menus closed; the toolbar floats with its caption's middle under the cursor.
    EXPECT_EQ(MenuOf(*Tools), nullptr);
    EXPECT_EQ(Detachings, 1);
    ASSERT_TRUE(Detached->Visible());
    EXPECT_EQ(Detached->DockingStyle(), dsNone);
    auto* W = dynamic_cast<TdxBarControl*>(Detached->Control());
    ASSERT_NE(W, nullptr);
    pw::TRect R{};
    pw::GetWindowRect(W->Handle(), &R);
    EXPECT_EQ((R.Left + R.Right) / 2, To.X) << R.Left << " " << R.Right;
    EXPECT_TRUE(pg::PtInRect(R, To));
    EXPECT_LT(To.Y - R.Top, 20);
    EXPECT_EQ(Captions(Detached->ItemLinks()), Captions(Tools->ItemLinks()));
    for (int I = 0; I < Detached->ItemLinks().Count(); ++I)
        EXPECT_FALSE(pg::IsRectEmpty(Detached->ItemLinks().Items(I)->ItemRect)) << I;
    Input.Release(To);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(dxBarDetaching(), nullptr);
    EXPECT_FALSE(Manager->IsDragging());
    EXPECT_EQ(pw::GetCapture(), pw::NullHWnd);
    EXPECT_TRUE(Detached->Visible());
    EXPECT_TRUE(pw::IsWindowVisible(W->Handle()));
    EXPECT_FALSE(Manager->IsInMenuMode());
    testsupport::TempFolder Folder("menu_detach");
    EXPECT_TRUE(testsupport::SaveWindowPng(W->Handle(), Folder.PathOf("detached_toolbar.png")));
}

// Within 15 pixels of the strip nothing detaches: a click, a short drag, and Esc each leave the
// menu open as it was.
TEST_F(MenuDetachTest, AClickAShortDragOrEscLeaveTheMenuAsItWas) {
    struct Case {
        const char* Name;
        int DX, DY;
        bool Escape;
    };
    for (const Case& C : {Case{"click", 0, 0, false}, Case{"short drag", 14, 14, false},
                          Case{"escape", 10, 0, true}}) {
        SCOPED_TRACE(C.Name);
        TdxBarSubMenuControl* Menu = MenuOf(*Tools) ? MenuOf(*Tools) : OpenTools();
        ASSERT_NE(Menu, nullptr);
        const pg::TPoint From = StripCentre(*Menu);
        Input.MoveTo(From);
        Input.Press(From);
        Input.MoveTo({From.X + C.DX, From.Y + C.DY});
        if (C.Escape) Input.Key(Qt::Key_Escape);
        Input.Release({From.X + C.DX, From.Y + C.DY});
        testsupport::PumpUntilIdle();
        EXPECT_EQ(dxBarDetaching(), nullptr);
        EXPECT_EQ(MenuOf(*Tools), Menu);
        EXPECT_FALSE(Detached->Visible());
        EXPECT_EQ(Detachings, 0);
        EXPECT_FALSE(Manager->IsDragging());
    }
}

TEST_F(MenuDetachTest, EscAfterDetachingHidesTheToolbarAgainAndSoDoesComingBack) {
    for (const bool Escape : {true, false}) {
        SCOPED_TRACE(Escape ? "escape" : "back into the strip");
        TdxBarSubMenuControl* Menu = OpenTools();
        ASSERT_NE(Menu, nullptr);
        const pg::TPoint From = StripCentre(*Menu);
        Input.MoveTo(From);
        Input.Press(From);
        Input.MoveTo({From.X + 100, From.Y + 100});
        ASSERT_TRUE(Detached->Visible());
        if (Escape)
            Input.Key(Qt::Key_Escape);
        else
            Input.MoveTo({From.X + 5, From.Y});
        testsupport::PumpUntilIdle();
        EXPECT_EQ(dxBarDetaching(), nullptr);
        EXPECT_FALSE(Detached->Visible());
        Input.Release({From.X + 5, From.Y});
        testsupport::PumpUntilIdle();
        EXPECT_FALSE(Detached->Visible());
    }
}

TEST_F(MenuDetachTest, WithoutADetachingToolbarTheStripShowsButDoesNotDrag) {
    Tools->SetDetachingBar(-1);
    TdxBarSubMenuControl* Menu = OpenTools();
    ASSERT_NE(Menu, nullptr);
    EXPECT_TRUE(Menu->IsDetachable());
    EXPECT_FALSE(Menu->CanDetach());
    const pg::TPoint From = StripCentre(*Menu);
    Input.MoveTo(From);
    Input.Press(From);
    EXPECT_EQ(dxBarDetaching(), nullptr);
    Input.Release(From);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(MenuOf(*Tools), Menu);
}

// A bar shown floating from hidden lays its buttons out at once.
TEST_F(MenuDetachTest, AToolbarShownFloatingLaysOutItsButtons) {
    Detached->SetFloatLeft(100);
    Detached->SetFloatTop(100);
    Detached->SetVisible(true);
    testsupport::PumpUntilIdle();
    for (int I = 0; I < Detached->ItemLinks().Count(); ++I)
        EXPECT_FALSE(pg::IsRectEmpty(Detached->ItemLinks().Items(I)->ItemRect)) << I;
}

TEST_F(MenuDetachTest, TheDetachingBarIndexFollowsTheBarsAndForgetsAFreedOne) {
    EXPECT_EQ(Tools->DetachingBar(), Detached->Index());
    Tools->SetDetachingBar(7);
    EXPECT_EQ(Tools->DetachingBar(), -1);
    Tools->SetDetachingBar(-5);
    EXPECT_EQ(Tools->DetachingBar(), -1);
    Tools->SetDetachingBar(Detached->Index());
    Manager->Bars()->Delete(Detached->Index());
    EXPECT_EQ(Tools->DetachingBar(), -1);
    EXPECT_EQ(Tools->GetDetachingToolbar(), nullptr);
}

// The opener keeps its item highlighted while the mouse moves in the menu, even after the
// mouse passed over another entry of the main menu and back.
TEST_F(MenuDetachTest, TheMainMenuKeepsTheOpenersItemSelectedWhileTheMouseIsInTheMenu) {
    TdxBarSubMenuControl* Menu = OpenTools();
    ASSERT_NE(Menu, nullptr);
    Input.MoveTo(CentreOf(Tools->ItemLinks(), 2));
    testsupport::PumpUntilIdle();
    ASSERT_NE(BarWindow().SelectedControl(), nullptr);
    EXPECT_EQ(BarWindow().SelectedControl()->ItemLink(), Bar->ItemLinks().VisibleItems(0));
    EXPECT_EQ(Menu->SelectedControl()->ItemLink(), Tools->ItemLinks().VisibleItems(2));
}

} // namespace
} // namespace toolkit::bars
