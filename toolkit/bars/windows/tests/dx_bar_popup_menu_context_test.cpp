#include "toolkit/bars/model/dx_bar_popup_menu_links.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/caret.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A panel bound to a popup menu, with an edit inside it and a second panel beside it.
class ContextPopupTest : public MenuFormFixture {
protected:
    ContextPopupTest() {
        MakeMainMenu();
        Panel = &Form->Own<pf::TPanel>();
        Panel->SetParent(Form);
        Panel->SetBounds(20, 80, 240, 120);
        Edit = &Form->Own<pf::TEdit>();
        Edit->SetParent(Panel);
        Edit->SetBounds(20, 20, 120, 21);
        Other = &Form->Own<pf::TPanel>();
        Other->SetParent(Form);
        Other->SetBounds(300, 80, 120, 120);
        ShowMainMenu();
        Menu = &Form->Own<TdxBarPopupMenu>();
        Menu->ReturnAtOnce = true;
        Button(Menu->ItemLinks(), "&Copy");
        Link = Manager->PopupMenuLinks()->Add();
        Link->SetControl(Panel);
        Link->SetPopupMenu(Menu);
        testsupport::PumpUntilIdle();
    }
    ~ContextPopupTest() override {
        if (TdxBarSubMenuControl* Window = Menu->GetSubMenuControl()) Window->HideAll();
    }

    static pg::TPoint Inside(pf::TControl& Control, pg::TPoint Client) {
        return Control.ClientToScreen(Client);
    }
    void RightClick(pg::TPoint Screen) {
        Input.Click(Screen, Qt::RightButton);
        testsupport::PumpUntilIdle();
    }
    // The menu's top-left corner, or (-1, -1) when it is not shown.
    pg::TPoint MenuAt() const {
        TdxBarSubMenuControl* Window = Menu->GetSubMenuControl();
        if (Window == nullptr || !Menu->Shown()) return {-1, -1};
        return {Window->Left(), Window->Top()};
    }

    pf::TPanel* Panel = nullptr;
    pf::TEdit* Edit = nullptr;
    pf::TPanel* Other = nullptr;
    TdxBarPopupMenu* Menu = nullptr;
    TdxBarPopupMenuLink* Link = nullptr;
};

TEST_F(ContextPopupTest, ARightClickOnTheBoundControlOpensTheMenuAtThePoint) {
    const pg::TPoint At = Inside(*Panel, {180, 90});
    RightClick(At);
    EXPECT_EQ(MenuAt(), At);
}

TEST_F(ContextPopupTest, ARightClickElsewhereOpensNothing) {
    RightClick(Inside(*Other, {50, 50}));
    EXPECT_FALSE(Menu->Shown());
}

TEST_F(ContextPopupTest, AChildOpensItsParentsMenuOnlyWhenTheLinkServesChildren) {
    struct Case {
        bool ProcessChildren;
        bool Opens;
    };
    for (const Case C : {Case{true, true}, Case{false, false}}) {
        Link->ProcessChildren = C.ProcessChildren;
        const pg::TPoint At = Inside(*Edit, {10, 10});
        RightClick(At);
        EXPECT_EQ(Menu->Shown(), C.Opens) << C.ProcessChildren;
        if (C.Opens) {
            EXPECT_EQ(MenuAt(), At);
        }
        if (TdxBarSubMenuControl* Window = Menu->GetSubMenuControl()) Window->HideAll();
        testsupport::PumpUntilIdle();
    }
}

TEST_F(ContextPopupTest, OnActionMovesOrCancelsTheMenu) {
    bool Allow = true;
    bool ByMouse = false;
    pg::TPoint Seen{};
    Link->OnAction = [&](TdxBarPopupMenuLink*, int& X, int& Y, bool ClickedByMouse,
                         bool& AllowPopup) {
        Seen = {X, Y};
        ByMouse = ClickedByMouse;
        X += 10;
        Y += 5;
        AllowPopup = Allow;
    };
    RightClick(Inside(*Panel, {100, 60}));
    EXPECT_EQ(Seen, (pg::TPoint{100, 60}));
    EXPECT_TRUE(ByMouse);
    EXPECT_EQ(MenuAt(), Inside(*Panel, {110, 65}));
    Menu->GetSubMenuControl()->HideAll();
    testsupport::PumpUntilIdle();

    Allow = false;
    RightClick(Inside(*Panel, {100, 60}));
    EXPECT_FALSE(Menu->Shown());
}

// The context-menu key and Shift+F10 open the menu at the caret of the focused edit: after
// typed text the caret stands past it; a control without a caret gets its top-left corner.
TEST_F(ContextPopupTest, TheMenuKeyOpensTheMenuAtTheCaretOfTheFocusedEdit) {
    struct Case {
        int Key;
        bool Shift;
    };
    Edit->SetFocus();
    testsupport::PumpUntilIdle();
    Input.Key(Qt::Key_A, "a");
    Input.Key(Qt::Key_B, "b");
    Input.Key(Qt::Key_C, "c");
    testsupport::PumpUntilIdle();
    pg::TPoint Caret{};
    ASSERT_TRUE(pw::GetCaretPos(&Caret));
    EXPECT_EQ(pw::GetCaretOwner(), Edit->Handle());
    EXPECT_GT(Caret.X, 0) << "past the typed text";
    for (const Case C : {Case{Qt::Key_Menu, false}, Case{Qt::Key_F10, true}}) {
        Edit->SetFocus();
        testsupport::PumpUntilIdle();
        if (C.Shift) Input.KeyDown(Qt::Key_Shift);
        Input.Key(C.Key);
        if (C.Shift) Input.KeyUp(Qt::Key_Shift);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(MenuAt(), Inside(*Edit, Caret)) << C.Key;
        if (TdxBarSubMenuControl* Window = Menu->GetSubMenuControl()) Window->HideAll();
        testsupport::PumpUntilIdle();
    }
    // The panel itself has no caret.
    Panel->SetFocus();
    testsupport::PumpUntilIdle();
    Input.Key(Qt::Key_Menu);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(MenuAt(), Inside(*Panel, {0, 0}));
}

// The bound control's own context-popup handler is asked first, at the point in its own
// coordinates (for a child's request too, and for the context-menu key at the caret); when it
// handles the request the bound menu stays closed, else the menu opens after it. Once per
// request either way.
TEST_F(ContextPopupTest, TheControlsOwnHandlerComesBeforeTheBoundMenu) {
    std::vector<std::string> Events;
    bool Handle = true;
    pg::TPoint Seen{};
    Panel->OnContextPopup = [&](pc::TObject* Sender, pg::TPoint MousePos, bool& Handled) {
        Events.push_back(Sender == Panel ? "panel's handler" : "someone else's handler");
        Seen = MousePos;
        Handled = Handle;
    };
    Menu->OnPopup = [&](pc::TObject*) { Events.push_back("menu"); };
    struct Case {
        const char* Way;
        bool Handles;
    };
    for (const Case C : {Case{"panel", true}, Case{"panel", false}, Case{"edit", true},
                         Case{"edit", false}, Case{"key", true}, Case{"key", false}}) {
        Handle = C.Handles;
        Events.clear();
        const std::string Way = C.Way;
        pg::TPoint Expected{};
        if (Way == "key") {
            Edit->SetFocus();
            testsupport::PumpUntilIdle();
            pg::TPoint Caret{};
            ASSERT_TRUE(pw::GetCaretPos(&Caret));
            Expected = Panel->ScreenToClient(Edit->ClientToScreen(Caret));
            Input.Key(Qt::Key_Menu);
            testsupport::PumpUntilIdle();
        } else {
            pf::TControl& Target = Way == "panel" ? static_cast<pf::TControl&>(*Panel) : *Edit;
            const pg::TPoint At = Inside(Target, {12, 9});
            Expected = Panel->ScreenToClient(At);
            RightClick(At);
        }
        const std::vector<std::string> Want =
            C.Handles ? std::vector<std::string>{"panel's handler"}
                      : std::vector<std::string>{"panel's handler", "menu"};
        EXPECT_EQ(Events, Want) << C.Way << " " << C.Handles;
        EXPECT_EQ(Seen, Expected) << C.Way;
        EXPECT_EQ(Menu->Shown(), !C.Handles) << C.Way;
        if (TdxBarSubMenuControl* Window = Menu->GetSubMenuControl()) Window->HideAll();
        testsupport::PumpUntilIdle();
    }
}

} // namespace
} // namespace toolkit::bars
