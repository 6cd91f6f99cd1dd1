// Button controls where a user sees them: a menu command with a shortcut is wider by the
// shortcut's text and shows it at the right; a drop-down button opens its menu from its arrow
// part and from the keyboard; a check button set from code, a user caption and a lowered button
// show at once.

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/windows/dx_bar_button_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"

#include "toolkit/base/office11.h"

#include "platform/forms/shortcuts.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text_out.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <QtCore/Qt>

#include <string>
#include <utility>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

class ButtonControlTest : public MenuFormFixture {
protected:
    ButtonControlTest() { MakeOffice11MainMenu(); }

    static TdxBarSubMenuControl* MenuOf(TdxBarItemLinks& Links) {
        return dynamic_cast<TdxBarSubMenuControl*>(Links.BarControl());
    }
    void Open(int Entry) {
        Input.MoveTo(CentreOf(Bar->ItemLinks(), Entry));
        Input.Click(CentreOf(Bar->ItemLinks(), Entry));
        testsupport::PumpUntilIdle();
    }
};

// Two menus of one command each, alike but for the shortcut: the one with "Ctrl+F4" is wider by
// the text's width plus the row height less 6, and draws the text right-aligned, clear of the
// arrow column at the row's right end.
TEST_F(ButtonControlTest, AMenuCommandWithAShortcutIsWiderByItsTextAndShowsIt) {
    TdxBarSubItem& Plain = Sub(Bar->ItemLinks(), "&Plain");
    Button(Plain.ItemLinks(), "&Close");
    TdxBarSubItem& Keyed = Sub(Bar->ItemLinks(), "&Keyed");
    Button(Keyed.ItemLinks(), "&Close").SetShortCut(pf::ShortCut(pw::VK_F4, pf::scCtrl));
    ShowMainMenu();

    Open(0);
    TdxBarSubMenuControl* PlainMenu = MenuOf(Plain.ItemLinks());
    ASSERT_NE(PlainMenu, nullptr);
    const int PlainWidth = PlainMenu->Width();
    CloseMenus();
    Open(1);
    TdxBarSubMenuControl* KeyedMenu = MenuOf(Keyed.ItemLinks());
    ASSERT_NE(KeyedMenu, nullptr);
    const std::string Keys = pf::ShortCutToText(pf::ShortCut(pw::VK_F4, pf::scCtrl));
    EXPECT_EQ(Keys, "Ctrl+F4");
    EXPECT_EQ(KeyedMenu->Width() - PlainWidth, TextWidth(Keys) + KeyedMenu->TextSize() - 6);

    // The shortcut's ink lies in its column: right-aligned to the row's right less its height
    // and 5.
    const pg::TRect Row = Keyed.ItemLinks().Items(0)->ItemRect;
    const int ColumnRight = Row.Right - Row.Height() - 5;
    int First = Row.Right, Last = -1;
    for (int X = ColumnRight - TextWidth(Keys) - 2; X < Row.Right; ++X)
        for (int Y = Row.Top; Y < Row.Bottom; ++Y)
            if (IsInk(ClientPixel(*KeyedMenu, X, Y))) {
                First = std::min(First, X);
                Last = std::max(Last, X);
            }
    ASSERT_GE(Last, 0) << "the shortcut is drawn";
    EXPECT_GE(First, ColumnRight - TextWidth(Keys));
    EXPECT_LT(Last, ColumnRight);
}

// A drop-down toolbar button: a press on its arrow part opens its menu below the button; the
// menu's command runs and the menu closes, the button no longer dropped down. Down (the key) on
// the selected button in menu mode opens it again, with its first entry selected.
TEST_F(ButtonControlTest, ADropDownButtonOpensItsMenuFromTheArrowPartAndFromTheKeyboard) {
    MakeToolbar();
    Sub(Bar->ItemLinks(), "&File");
    TdxBarButton& Split = Button(Tools->ItemLinks(), "Send");
    Split.SetButtonStyle(bsDropDown);
    auto& Menu = Form->Own<TdxBarPopupMenu>();
    int Runs = 0;
    auto& Entry = Form->Own<TdxBarButton>();
    Entry.SetCaption("To &All");
    Entry.OnClick = [&](platform::core::TObject*) { ++Runs; };
    Menu.ItemLinks().Add(&Entry);
    Split.SetDropDownMenu(&Menu);
    ShowBars();
    auto& W = *dynamic_cast<TdxBarControl*>(Tools->Control());
    auto* Control = dynamic_cast<TdxBarButtonControl*>(Tools->ItemLinks().Items(0)->Control());
    ASSERT_NE(Control, nullptr);
    const pg::TRect R = Tools->ItemLinks().Items(0)->ItemRect;

    // The body of the button runs no menu: only the arrow part does.
    const pg::TPoint Arrow =
        W.ClientToScreen({R.Right - Control->GetDropDownWidth() / 2, (R.Top + R.Bottom) / 2});
    Input.MoveTo(Arrow);
    Input.Click(Arrow);
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Window = Menu.GetSubMenuControl();
    ASSERT_NE(Window, nullptr);
    EXPECT_TRUE(pw::IsWindowVisible(Window->Handle()));
    EXPECT_TRUE(Control->DroppedDown());
    EXPECT_EQ(Window->Left(), W.ClientToScreen({R.Left, R.Bottom}).X);
    EXPECT_EQ(Window->Top(), W.ClientToScreen({R.Left, R.Bottom}).Y);
    EXPECT_EQ(Window->ParentBarControl(), &W);

    Input.MoveTo(CentreOf(Menu.ItemLinks(), 0));
    Input.Click(CentreOf(Menu.ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(Menu.GetSubMenuControl(), nullptr);
    EXPECT_FALSE(Control->DroppedDown());

    // The keyboard: the toolbar in menu mode with the button selected, then Down.
    W.EnterMenuMode(Control);
    testsupport::PumpUntilIdle();
    Input.Key(Qt::Key_Down);
    testsupport::PumpUntilIdle();
    Window = Menu.GetSubMenuControl();
    ASSERT_NE(Window, nullptr);
    EXPECT_EQ(Window->SelectedControl(), Menu.ItemLinks().Items(0)->Control());
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu.GetSubMenuControl(), nullptr);
    EXPECT_FALSE(Control->DroppedDown());
    EXPECT_EQ(Runs, 1);
}

// The drop-down menu of a button on a floating toolbar belongs to that toolbar's window, which
// it stays above; the popup menu is left as it was.
TEST_F(ButtonControlTest, TheDropDownMenuOfAFloatingToolbarsButtonBelongsToTheToolbar) {
    MakeToolbar();
    Sub(Bar->ItemLinks(), "&File");
    TdxBarButton& Split = Button(Tools->ItemLinks(), "Send");
    Split.SetButtonStyle(bsDropDown);
    auto& Menu = Form->Own<TdxBarPopupMenu>();
    Button(Menu.ItemLinks(), "To &All");
    Split.SetDropDownMenu(&Menu);
    Tools->SetDockingStyle(dsNone);
    Tools->SetFloatLeft(300);
    Tools->SetFloatTop(400);
    ShowBars();
    auto& W = *dynamic_cast<TdxBarControl*>(Tools->Control());
    ASSERT_EQ(W.DockingStyle(), dsNone);
    auto* Control = dynamic_cast<TdxBarButtonControl*>(Tools->ItemLinks().Items(0)->Control());
    ASSERT_NE(Control, nullptr);
    const pg::TRect R = Tools->ItemLinks().Items(0)->ItemRect;
    const pg::TPoint Arrow =
        W.ClientToScreen({R.Right - Control->GetDropDownWidth() / 2, (R.Top + R.Bottom) / 2});
    Input.MoveTo(Arrow);
    Input.Click(Arrow);
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Window = Menu.GetSubMenuControl();
    ASSERT_NE(Window, nullptr);
    EXPECT_EQ(pw::GetWindow(Window->Handle(), pw::GW_OWNER), W.Handle());
    EXPECT_EQ(Menu.OwnerControl, nullptr);
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Menu.GetSubMenuControl(), nullptr);
}

// Ctrl+Tab in menu mode moves to the next toolbar with something to select, round the end.
TEST_F(ButtonControlTest, CtrlTabMovesMenuModeToTheNextToolbar) {
    MakeToolbar();
    Sub(Bar->ItemLinks(), "&File");
    Button(Tools->ItemLinks(), "New");
    ShowBars();
    BarWindow().EnterMenuMode(nullptr);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Manager->MenuModeToolbar(), &BarWindow());
    auto& W = *dynamic_cast<TdxBarControl*>(Tools->Control());
    Input.KeyDown(Qt::Key_Control);
    Input.Key(Qt::Key_Tab);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Manager->MenuModeToolbar(), &W);
    EXPECT_EQ(W.SelectedControl(), Tools->ItemLinks().Items(0)->Control());
    EXPECT_FALSE(BarWindow().Active());
    Input.Key(Qt::Key_Tab);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Manager->MenuModeToolbar(), &BarWindow());
    Input.KeyUp(Qt::Key_Control);
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
}

// With three toolbars, Ctrl+Shift+Tab in menu mode goes to the previous toolbar (from the first
// to the last) and Ctrl+Tab to the next (from the last to the first).
TEST_F(ButtonControlTest, CtrlShiftTabMovesMenuModeToThePreviousToolbar) {
    MakeToolbar();
    Sub(Bar->ItemLinks(), "&File");
    Button(Tools->ItemLinks(), "New");
    TdxBar* Edit = Manager->Bars()->Add();
    Edit->SetCaption("Edit");
    Edit->SetDockingStyle(dsTop);
    Edit->SetRow(2);
    Button(Edit->ItemLinks(), "Cut");
    ShowBars();
    Edit->SetVisible(true);
    testsupport::PumpUntilIdle();
    BarWindow().EnterMenuMode(nullptr);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Manager->MenuModeToolbar(), &BarWindow());
    const struct {
        bool Shift;
        TdxBar* Then;
    } Steps[] = {{true, Edit},   {true, Tools}, {true, Bar},
                 {false, Tools}, {false, Edit}, {false, Bar}};
    Input.KeyDown(Qt::Key_Control);
    for (const auto& Step : Steps) {
        SCOPED_TRACE(Step.Then->Caption() + (Step.Shift ? " by Ctrl+Shift+Tab" : " by Ctrl+Tab"));
        if (Step.Shift) Input.KeyDown(Qt::Key_Shift);
        Input.Key(Qt::Key_Tab);
        if (Step.Shift) Input.KeyUp(Qt::Key_Shift);
        testsupport::PumpUntilIdle();
        auto* Expected = dynamic_cast<TdxBarControl*>(Step.Then->Control());
        EXPECT_EQ(Manager->MenuModeToolbar(), Expected);
        EXPECT_EQ(Expected->SelectedControl(), Step.Then->ItemLinks().Items(0)->Control());
    }
    Input.KeyUp(Qt::Key_Control);
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
}

// A check button set down from code shows its checked face at once; up again, the plain face.
TEST_F(ButtonControlTest, ACheckButtonSetFromCodeShowsItsStateAtOnce) {
    MakeToolbar();
    TdxBarButton& Check = Button(Tools->ItemLinks(), "Thru");
    Check.SetButtonStyle(bsChecked);
    ShowBars();
    Input.MoveTo(Form->ClientToScreen({600, 250}));
    testsupport::PumpUntilIdle();
    auto& W = *dynamic_cast<TdxBarControl*>(Tools->Control());
    const pg::TRect R = Tools->ItemLinks().Items(0)->ItemRect;
    const pg::COLORREF Up = ClientPixel(W, R.Left + 2, R.Top + 2);
    Check.SetDown(true);
    testsupport::PumpUntilIdle();
    const pg::COLORREF Down = ClientPixel(W, R.Left + 2, R.Top + 2);
    EXPECT_NE(Down, Up);
    EXPECT_EQ(ClientPixel(W, R.Left, R.Top + 3),
              pg::ColorToRGB(toolkit::base::dxOffice11SelectedBorderColor()))
        << "framed as checked";
    Check.SetDown(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ClientPixel(W, R.Left + 2, R.Top + 2), Up);
}

// A drop-down button's DropDownEnabled set from code: the painters that draw a disabled arrow
// (Flat, Office 2003) show it at once, and the enabled arrow again when it is set back.
TEST_F(ButtonControlTest, DropDownEnabledSetFromCodeRepaintsTheArrowPartAtOnce) {
    MakeToolbar();
    Sub(Bar->ItemLinks(), "&File");
    TdxBarButton& Split = Button(Tools->ItemLinks(), "Send");
    Split.SetButtonStyle(bsDropDown);
    auto& Menu = Form->Own<TdxBarPopupMenu>();
    Button(Menu.ItemLinks(), "To &All");
    Split.SetDropDownMenu(&Menu);
    ShowBars();
    Input.MoveTo(Form->ClientToScreen({600, 250}));
    for (const auto& [Style, Name] :
         {std::pair{bmsFlat, "Flat"}, std::pair{bmsOffice11, "Office 2003"}}) {
        SCOPED_TRACE(Name);
        Manager->SetStyle(Style);
        Split.SetDropDownEnabled(true);
        testsupport::PumpUntilIdle();
        auto& W = *dynamic_cast<TdxBarControl*>(Tools->Control());
        auto* Control = dynamic_cast<TdxBarButtonControl*>(Tools->ItemLinks().Items(0)->Control());
        ASSERT_NE(Control, nullptr);
        const pg::TRect R = Tools->ItemLinks().Items(0)->ItemRect;
        const auto ArrowPart = [&] {
            std::vector<pg::COLORREF> Pixels;
            for (int X = R.Right - Control->GetDropDownWidth(); X < R.Right; ++X)
                for (int Y = R.Top; Y < R.Bottom; ++Y)
                    Pixels.push_back(ClientPixel(W, X, Y));
            return Pixels;
        };
        const std::vector<pg::COLORREF> Enabled = ArrowPart();
        Split.SetDropDownEnabled(false);
        testsupport::PumpUntilIdle();
        EXPECT_NE(ArrowPart(), Enabled) << "the arrow still looks enabled";
        Split.SetDropDownEnabled(true);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(ArrowPart(), Enabled);
    }
}

// A caption the user gives a link is what the menu shows and measures, at once.
TEST_F(ButtonControlTest, AUserCaptionIsDrawnAndMeasuredAtOnce) {
    TdxBarSubItem& File = Sub(Bar->ItemLinks(), "&File");
    Button(File.ItemLinks(), "&Open");
    ShowMainMenu();
    Open(0);
    TdxBarSubMenuControl* Menu = MenuOf(File.ItemLinks());
    ASSERT_NE(Menu, nullptr);
    const int Before = Menu->Width();
    const std::string Longer = "&Open the library from a file";
    File.ItemLinks().Items(0)->SetUserCaption(Longer);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(MenuOf(File.ItemLinks()), Menu);
    EXPECT_EQ(Menu->Width() - Before,
              TextWidth("Open the library from a file") - TextWidth("Open"));
    // The item keeps its own caption.
    EXPECT_EQ(File.ItemLinks().Items(0)->Item()->Caption(), "&Open");
}

// A lowered button and a sub-item without caption change their size: the bar lays out again.
TEST_F(ButtonControlTest, LoweredAndShowCaptionReLayTheBarOut) {
    MakeToolbar();
    TdxBarButton& B = Button(Tools->ItemLinks(), "New");
    Sub(Tools->ItemLinks(), "More");
    ShowBars();
    const int Width = Tools->ItemLinks().Items(0)->ItemRect.Width();
    B.SetLowered(true);
    testsupport::PumpUntilIdle();
    EXPECT_GT(Tools->ItemLinks().Items(0)->ItemRect.Width(), Width);
    const int SubWidth = Tools->ItemLinks().Items(1)->ItemRect.Width();
    dynamic_cast<TdxBarSubItem*>(Tools->ItemLinks().Items(1)->Item())->SetShowCaption(false);
    testsupport::PumpUntilIdle();
    EXPECT_LT(Tools->ItemLinks().Items(1)->ItemRect.Width(), SubWidth);
}

} // namespace
} // namespace toolkit::bars
