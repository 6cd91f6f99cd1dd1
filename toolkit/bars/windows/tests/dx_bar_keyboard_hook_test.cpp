#include "toolkit/bars/windows/dx_bar_keyboard_hook.h"

#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

// A form with a focused edit and a main-menu bar: "&File" holds "&Open", "&Copy", "&Close";
// "&Window" holds "&Tile". Every command counts its runs.
class KeyboardHookTest : public MenuFormFixture {
protected:
    KeyboardHookTest() {
        Edit = &Form->Own<pf::TEdit>();
        Edit->SetParent(Form);
        Edit->SetBounds(10, 100, 100, 20);
        MakeMainMenu();
        File = &Sub(Bar->ItemLinks(), "&File");
        Open = &Counted(File->ItemLinks(), "&Open");
        Copy = &Counted(File->ItemLinks(), "&Copy");
        Close = &Counted(File->ItemLinks(), "&Close");
        Window = &Sub(Bar->ItemLinks(), "&Window");
        Counted(Window->ItemLinks(), "&Tile");
        ShowMainMenu();
        pw::SetFocus(Edit->Handle());
        testsupport::PumpUntilIdle();
    }

    // A command that records its runs in Runs.
    TdxBarButton& Counted(TdxBarItemLinks& Links, const std::string& Caption) {
        TdxBarButton& B = Button(Links, Caption);
        B.OnClick = [this, Caption](pc::TObject*) { Runs.push_back(Caption); };
        return B;
    }
    static TdxBarSubMenuControl* MenuOf(TdxBarSubItem& S) {
        auto* M = dynamic_cast<TdxBarSubMenuControl*>(S.ItemLinks().BarControl());
        return M && !M->Closing() ? M : nullptr;
    }
    TdxBarItemControl* EntryControl(int Index) { return Bar->ItemLinks().Items(Index)->Control(); }
    static TdxBarItemControl* Selected(TdxBarSubItem& S) {
        TdxBarSubMenuControl* M = MenuOf(S);
        return M ? M->SelectedControl() : nullptr;
    }
    void Key(int QtKey, const QString& Text = {}) {
        Input.Key(QtKey, Text);
        testsupport::PumpUntilIdle();
    }
    void Chord(int Modifier, int QtKey, const QString& Text = {}) {
        Input.KeyDown(Modifier);
        Input.Key(QtKey, Text);
        Input.KeyUp(Modifier);
        testsupport::PumpUntilIdle();
    }
    void EnterByAlt() { Key(Qt::Key_Alt); }
    // Shows the toolbar and clicks its first link, an edit or a combo, into the focus; its
    // control, or null when the link has no edit control.
    TdxBarEditControl* ClickToolbarEdit() {
        Tools->SetVisible(true);
        testsupport::PumpUntilIdle();
        auto* Control = dynamic_cast<TdxBarEditControl*>(Tools->ItemLinks().Items(0)->Control());
        if (Control == nullptr) return nullptr;
        Input.Click(CentreOf(Tools->ItemLinks(), 0));
        testsupport::PumpUntilIdle();
        return Control;
    }

    pf::TEdit* Edit = nullptr;
    TdxBarSubItem* File = nullptr;
    TdxBarSubItem* Window = nullptr;
    TdxBarButton* Open = nullptr;
    TdxBarButton* Copy = nullptr;
    TdxBarButton* Close = nullptr;
    std::vector<std::string> Runs;
};

TEST_F(KeyboardHookTest, AltPressedAndReleasedAloneEntersMenuModeWithFileSelected) {
    EnterByAlt();
    EXPECT_TRUE(Manager->IsInMenuMode());
    EXPECT_EQ(Manager->MenuModeToolbar(), &BarWindow());
    EXPECT_TRUE(BarWindow().Active());
    EXPECT_EQ(BarWindow().SelectedControl(), EntryControl(0));
    EXPECT_EQ(MenuOf(*File), nullptr);
}

// A press on an entry of a bar not in use puts the bar in menu mode with that entry; leaving
// gives the focus back to where it was.
TEST_F(KeyboardHookTest, APressOnAnEntryBeginsMenuMode) {
    GTEST_SKIP() << "menu mode on a press waits until a sub-item's menu still opens on the "
                    "next press after a command ran (RecentItemsTest)";
    const pw::TRect R = BarWindow().GetItemScreenRect(EntryControl(0));
    const pw::TPoint P{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    Input.Press(P);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Manager->IsInMenuMode());
    EXPECT_EQ(Manager->MenuModeToolbar(), &BarWindow());
    EXPECT_EQ(BarWindow().SelectedControl(), EntryControl(0));
    Input.Release(P);
    testsupport::PumpUntilIdle();
    ASSERT_NE(MenuOf(*File), nullptr);
    CloseMenus();
    EXPECT_FALSE(Manager->IsInMenuMode());
    EXPECT_EQ(pw::GetFocus(), Edit->Handle());
}

// In menu mode a press on an entry that cannot be used ends the bar's use.
TEST_F(KeyboardHookTest, APressOnADisabledEntryLeavesMenuMode) {
    Window->SetEnabled(false);
    EnterByAlt();
    ASSERT_TRUE(Manager->IsInMenuMode());
    const pw::TRect R = BarWindow().GetItemScreenRect(EntryControl(1));
    Input.Click({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Manager->IsInMenuMode());
    EXPECT_FALSE(BarWindow().Active());
    EXPECT_TRUE(Runs.empty());
}

// A dialog's navigation leaves every key to a toolbar.
TEST_F(KeyboardHookTest, AToolbarWantsArrowsTabAndAllKeys) {
    EXPECT_EQ(pc::SendMessage(BarWindow().Handle(), pw::WM_GETDLGCODE, 0, 0),
              pw::DLGC_WANTARROWS | pw::DLGC_WANTTAB | pw::DLGC_WANTALLKEYS);
}

// While customizing a right press on a bar in use leaves menu mode and lets the mouse go: the
// press is the customizing popup's.
TEST_F(KeyboardHookTest, WhileCustomizingARightPressLeavesTheActiveState) {
    Manager->Customizing(true);
    testsupport::PumpUntilIdle();
    const pw::TRect R = BarWindow().GetItemScreenRect(EntryControl(1));
    const pw::TPoint P{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    Input.Press(P);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(BarWindow().Active());
    ASSERT_EQ(pw::GetCapture(), BarWindow().Handle());
    Input.Press(P, Qt::RightButton);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(BarWindow().Active());
    EXPECT_NE(pw::GetCapture(), BarWindow().Handle());
    EXPECT_EQ(Manager->SelectedItem(), EntryControl(1));
    Input.Release(P, Qt::RightButton);
    Input.Release(P);
    EndCustomizing();
}

TEST_F(KeyboardHookTest, DeactivatingTheApplicationLeavesMenuMode) {
    EnterByAlt();
    ASSERT_TRUE(Manager->IsInMenuMode());
    platform::core::SendMessage(Form->Handle(), pw::WM_ACTIVATEAPP, 0, 0);
    EXPECT_FALSE(Manager->IsInMenuMode());
    EXPECT_FALSE(BarWindow().Active());
}

TEST_F(KeyboardHookTest, RightMovesTheSelectionAndDownOpensWithTheFirstEntrySelected) {
    EnterByAlt();
    Key(Qt::Key_Right);
    EXPECT_EQ(BarWindow().SelectedControl(), EntryControl(1));
    EXPECT_EQ(MenuOf(*Window), nullptr);
    Key(Qt::Key_Left);
    Key(Qt::Key_Down);
    ASSERT_NE(MenuOf(*File), nullptr);
    EXPECT_EQ(Selected(*File), File->ItemLinks().Items(0)->Control());
    // With a menu open, moving along the bar opens the next entry's menu.
    Key(Qt::Key_Right);
    EXPECT_EQ(MenuOf(*File), nullptr);
    ASSERT_NE(MenuOf(*Window), nullptr);
    EXPECT_EQ(Selected(*Window), Window->ItemLinks().Items(0)->Control());
}

// The mouse opens a menu with nothing selected in it, also when the keyboard opened the
// previous one.
TEST_F(KeyboardHookTest, AClickOnAnotherEntryInMenuModeOpensItsMenuAsTheMouseDoes) {
    EnterByAlt();
    Key(Qt::Key_Down);
    const pw::TRect R = BarWindow().GetItemScreenRect(EntryControl(1));
    Input.Click({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    testsupport::PumpUntilIdle();
    EXPECT_EQ(MenuOf(*File), nullptr);
    ASSERT_NE(MenuOf(*Window), nullptr);
    EXPECT_EQ(Selected(*Window), nullptr);
}

TEST_F(KeyboardHookTest, EnterRunsTheSelectedCommandAndLeavesMenuMode) {
    EnterByAlt();
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(Runs, (std::vector<std::string>{"&Open"}));
    EXPECT_EQ(MenuOf(*File), nullptr);
    EXPECT_FALSE(Manager->IsInMenuMode());
}

TEST_F(KeyboardHookTest, EscapeClosesTheOpenMenuThenASecondLeavesMenuModeAndRestoresFocus) {
    EnterByAlt();
    Key(Qt::Key_Down);
    ASSERT_NE(MenuOf(*File), nullptr);
    Key(Qt::Key_Escape);
    EXPECT_EQ(MenuOf(*File), nullptr);
    EXPECT_TRUE(Manager->IsInMenuMode());
    EXPECT_EQ(BarWindow().SelectedControl(), EntryControl(0));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Manager->IsInMenuMode());
    EXPECT_FALSE(BarWindow().Active());
    EXPECT_EQ(BarWindow().SelectedControl(), nullptr);
    EXPECT_EQ(pw::GetFocus(), Edit->Handle());
}

TEST_F(KeyboardHookTest, LeavingMenuModeHotTracksTheEntryUnderTheRestingMouse) {
    const pw::TRect R = BarWindow().GetItemScreenRect(EntryControl(1));
    Input.MoveTo({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    testsupport::PumpUntilIdle();
    ASSERT_EQ(BarWindow().SelectedControl(), EntryControl(1));
    EnterByAlt();
    EXPECT_EQ(BarWindow().SelectedControl(), EntryControl(0));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Manager->IsInMenuMode());
    EXPECT_EQ(BarWindow().SelectedControl(), EntryControl(1));
}

TEST_F(KeyboardHookTest, F10EntersMenuModeAndShiftF10DoesNot) {
    Chord(Qt::Key_Shift, Qt::Key_F10);
    EXPECT_FALSE(Manager->IsInMenuMode());
    Key(Qt::Key_F10);
    EXPECT_TRUE(Manager->IsInMenuMode());
    EXPECT_EQ(BarWindow().SelectedControl(), EntryControl(0));
}

TEST_F(KeyboardHookTest, F10DoesNothingWhenTheManagerDoesNotUseIt) {
    Manager->UseF10ForMenu = false;
    Key(Qt::Key_F10);
    EXPECT_FALSE(Manager->IsInMenuMode());
}

TEST_F(KeyboardHookTest, AltFOpensFileWithTheFirstEntrySelectedAndOThenRunsOpen) {
    Chord(Qt::Key_Alt, Qt::Key_F, "f");
    ASSERT_NE(MenuOf(*File), nullptr);
    EXPECT_TRUE(Manager->IsInMenuMode());
    EXPECT_TRUE(BarWindow().MenusOpen);
    EXPECT_EQ(Selected(*File), File->ItemLinks().Items(0)->Control());
    // Releasing Alt after the letter does not leave or re-enter menu mode.
    EXPECT_TRUE(Manager->IsInMenuMode());
    Key(Qt::Key_O, "o");
    EXPECT_EQ(Runs, (std::vector<std::string>{"&Open"}));
    EXPECT_EQ(MenuOf(*File), nullptr);
    EXPECT_FALSE(Manager->IsInMenuMode());
}

// A tool types Alt+F faster than the program takes the keys: Alt is up on the keyboard before
// the letter's message is handled. The keys count as they were when each was pressed.
TEST_F(KeyboardHookTest, AltFTypedFasterThanTheProgramTakesItOpensFile) {
    Input.HoldDispatch = true;
    Input.KeyDown(Qt::Key_Alt);
    Input.Key(Qt::Key_F, "f");
    Input.KeyUp(Qt::Key_Alt);
    Input.HoldDispatch = false;
    testsupport::PumpUntilIdle();
    ASSERT_NE(MenuOf(*File), nullptr);
    EXPECT_TRUE(Manager->IsInMenuMode());
    EXPECT_EQ(Selected(*File), File->ItemLinks().Items(0)->Control());
}

TEST_F(KeyboardHookTest, ALetterSharedByTwoEntriesSelectsEachInTurnAndRunsNothing) {
    Chord(Qt::Key_Alt, Qt::Key_F, "f");
    Key(Qt::Key_C, "c");
    EXPECT_EQ(Selected(*File), File->ItemLinks().Items(1)->Control());
    Key(Qt::Key_C, "c");
    EXPECT_EQ(Selected(*File), File->ItemLinks().Items(2)->Control());
    EXPECT_TRUE(Runs.empty());
    ASSERT_NE(MenuOf(*File), nullptr);
}

TEST_F(KeyboardHookTest, AltWithALetterNoEntryHasPassesTheKeyOn) {
    std::vector<pw::WPARAM> Seen;
    Edit->OnKeyDown = [&](pc::TObject*, std::uint16_t& Key, pf::TShiftState) {
        Seen.push_back(Key);
    };
    Chord(Qt::Key_Alt, Qt::Key_S, "s");
    EXPECT_FALSE(Manager->IsInMenuMode());
    EXPECT_EQ(MenuOf(*File), nullptr);
    EXPECT_NE(std::find(Seen.begin(), Seen.end(), pw::WPARAM{'S'}), Seen.end());
}

// The first entry whose letter Alt types is disabled: the key is no one's and goes on.
TEST_F(KeyboardHookTest, AltWithTheLetterOfADisabledCommandPassesTheKeyOn) {
    TdxBarButton& Help = Counted(Bar->ItemLinks(), "&Help");
    Help.SetPaintStyle(psCaption);
    Help.SetEnabled(false);
    BarWindow().RefreshLayout();
    testsupport::PumpUntilIdle();
    std::vector<pw::WPARAM> Seen;
    Edit->OnKeyDown = [&](pc::TObject*, std::uint16_t& Key, pf::TShiftState) {
        Seen.push_back(Key);
    };
    Chord(Qt::Key_Alt, Qt::Key_H, "h");
    EXPECT_TRUE(Runs.empty());
    EXPECT_FALSE(Manager->IsInMenuMode());
    EXPECT_NE(std::find(Seen.begin(), Seen.end(), pw::WPARAM{'H'}), Seen.end());
}

TEST_F(KeyboardHookTest, AnotherKeyBetweenAltDownAndUpKeepsMenuModeOff) {
    Chord(Qt::Key_Alt, Qt::Key_S, "s");
    EXPECT_FALSE(Manager->IsInMenuMode());
    Input.KeyDown(Qt::Key_Alt);
    Input.KeyDown(Qt::Key_Shift);
    Input.KeyUp(Qt::Key_Alt);
    Input.KeyUp(Qt::Key_Shift);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Manager->IsInMenuMode());
}

TEST_F(KeyboardHookTest, AShortcutOfAMenuCommandRunsFromTheForm) {
    Open->SetShortCut(static_cast<pf::TShortCut>('O' | pf::scCtrl));
    Chord(Qt::Key_Control, Qt::Key_O);
    EXPECT_EQ(Runs, (std::vector<std::string>{"&Open"}));
    EXPECT_FALSE(Manager->IsInMenuMode());
}

struct CloseKeyCase {
    const char* Name;
    int QtKey;
    bool UseF10;
    bool Closes;
};

class KeyboardHookCloseKeyTest : public KeyboardHookTest,
                                 public ::testing::WithParamInterface<CloseKeyCase> {};

// Alt always, and F10 while the manager uses it, close every open menu and leave menu mode;
// releasing Alt afterwards does not enter it again.
TEST_P(KeyboardHookCloseKeyTest, ClosesTheMenusAndLeavesMenuMode) {
    const CloseKeyCase& C = GetParam();
    EnterByAlt();
    Key(Qt::Key_Down);
    ASSERT_NE(MenuOf(*File), nullptr);
    Manager->UseF10ForMenu = C.UseF10;
    Key(C.QtKey);
    EXPECT_EQ(MenuOf(*File) == nullptr, C.Closes);
    EXPECT_EQ(Manager->IsInMenuMode(), !C.Closes);
    EXPECT_TRUE(Runs.empty());
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyboardHookCloseKeyTest,
                         ::testing::Values(CloseKeyCase{"Alt", Qt::Key_Alt, true, true},
                                           CloseKeyCase{"AltWithoutF10", Qt::Key_Alt, false, true},
                                           CloseKeyCase{"F10", Qt::Key_F10, true, true},
                                           CloseKeyCase{"F10Unused", Qt::Key_F10, false, false}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(KeyboardHookTest, TheKeyUpOfTheKeyThatLeftMenuModeDoesNotReachTheForm) {
    std::vector<std::uint16_t> Ups;
    Edit->OnKeyUp = [&](pc::TObject*, std::uint16_t& Key, pf::TShiftState) { Ups.push_back(Key); };
    EnterByAlt();
    Key(Qt::Key_Escape);
    ASSERT_FALSE(Manager->IsInMenuMode());
    EXPECT_EQ(std::count(Ups.begin(), Ups.end(), std::uint16_t{pw::VK_ESCAPE}), 0);
    // The next Esc is the form's again.
    Key(Qt::Key_Escape);
    EXPECT_EQ(std::count(Ups.begin(), Ups.end(), std::uint16_t{pw::VK_ESCAPE}), 1);
}

TEST_F(KeyboardHookTest, AltWithTheLetterOfACommandOnTheMenuBarRunsItWithoutMenuMode) {
    // A button shows (and answers to) its caption's letter when it paints its caption.
    Counted(Bar->ItemLinks(), "&Help").SetPaintStyle(psCaption);
    BarWindow().RefreshLayout();
    testsupport::PumpUntilIdle();
    Chord(Qt::Key_Alt, Qt::Key_H, "h");
    EXPECT_EQ(Runs, (std::vector<std::string>{"&Help"}));
    EXPECT_FALSE(Manager->IsInMenuMode());
}

TEST_F(KeyboardHookTest, AltWithALetterTwoEntriesShareSelectsTheFirstInMenuModeAndOpensNothing) {
    Sub(Bar->ItemLinks(), "&Format");
    BarWindow().RefreshLayout();
    testsupport::PumpUntilIdle();
    Chord(Qt::Key_Alt, Qt::Key_F, "f");
    EXPECT_TRUE(Manager->IsInMenuMode());
    EXPECT_EQ(BarWindow().SelectedControl(), EntryControl(0));
    EXPECT_EQ(MenuOf(*File), nullptr);
    // In menu mode the letter alone moves on to the other entry.
    Key(Qt::Key_F, "f");
    EXPECT_EQ(BarWindow().SelectedControl(), EntryControl(2));
    EXPECT_EQ(MenuOf(*File), nullptr);
}

TEST_F(KeyboardHookTest, WhileACaptionButtonHoldsTheMouseEveryKeyIsSwallowed) {
    std::vector<std::uint16_t> Downs;
    Edit->OnKeyDown = [&](pc::TObject*, std::uint16_t& Key, pf::TShiftState) {
        Downs.push_back(Key);
    };
    SetBarCaptionButtonCapture(true);
    Key(Qt::Key_A, "a");
    EnterByAlt();
    SetBarCaptionButtonCapture(false);
    EXPECT_TRUE(Downs.empty());
    EXPECT_FALSE(Manager->IsInMenuMode());
    Key(Qt::Key_A, "a");
    EXPECT_EQ(Downs, (std::vector<std::uint16_t>{'A'}));
}

// A second form without a manager of its own reaches the main form's menu only when the
// manager allows it.
TEST_F(KeyboardHookTest, AFormWithoutAManagerUsesTheMainFormsMenuOnlyWhenAllowed) {
    pf::Application().SetMainForm(Form);
    auto& Other = FRoot->Own<pf::TForm>();
    Other.SetBounds(300, 300, 200, 100);
    Other.Show();
    Input.ActivateWindow(Other.Handle());
    testsupport::PumpUntilIdle();
    ASSERT_EQ(pw::GetActiveWindow(), Other.Handle());
    EnterByAlt();
    EXPECT_FALSE(Manager->IsInMenuMode());
    Manager->AllowCallFromAnotherForm = true;
    EnterByAlt();
    EXPECT_TRUE(Manager->IsInMenuMode());
    Key(Qt::Key_Escape);
    pf::Application().SetMainForm(nullptr);
}

// A toolbar's edit with the focus keeps the keys it takes, typing and its own editing keys;
// the shortcuts and accelerators of the other commands still run from it.
TEST_F(KeyboardHookTest, WhileAToolbarEditHasTheFocusOtherCommandsShortcutsStillRun) {
    Copy->SetShortCut(static_cast<pf::TShortCut>('C' | pf::scCtrl));
    MakeToolbar();
    auto& Name = Form->Own<TdxBarEdit>();
    Name.SetCaption("Name");
    Tools->ItemLinks().Add(&Name);
    TdxBarButton& Save = Counted(Tools->ItemLinks(), "&Save");
    Save.SetShortCut(static_cast<pf::TShortCut>('S' | pf::scCtrl));
    Counted(Bar->ItemLinks(), "&Help").SetPaintStyle(psCaption);
    BarWindow().RefreshLayout();
    TdxBarEditControl* Control = ClickToolbarEdit();
    ASSERT_NE(Control, nullptr);
    ASSERT_TRUE(Control->Focused());
    Key(Qt::Key_A, "a");
    Key(Qt::Key_B, "b");
    Key(Qt::Key_Left);
    Chord(Qt::Key_Control, Qt::Key_C, QString(QChar(3)));
    Chord(Qt::Key_Control, Qt::Key_S, QString(QChar(19)));
    EXPECT_EQ(Runs, (std::vector<std::string>{"&Save"}));
    Chord(Qt::Key_Alt, Qt::Key_H, "h");
    EXPECT_EQ(Runs, (std::vector<std::string>{"&Save", "&Help"}));
    EXPECT_TRUE(Control->Focused());
    EXPECT_EQ(Control->GetText(), "ab");
}

// The bar edit's own keys (Enter, Esc, Tab, Up, Down, F4) belong to a toolbar edit or combo
// that has the focus, even where another command has one of them as its shortcut.
struct EditKeyCase {
    const char* Name;
    bool Combo;
    int QtKey;
    std::uint16_t Key;
};

class KeyboardHookEditKeyTest : public KeyboardHookTest,
                                public ::testing::WithParamInterface<EditKeyCase> {};

TEST_P(KeyboardHookEditKeyTest, TheKeyReachesTheFocusedEditAndNotTheShortcut) {
    const EditKeyCase& Case = GetParam();
    Counted(File->ItemLinks(), "&Find").SetShortCut(static_cast<pf::TShortCut>(Case.Key));
    MakeToolbar();
    TdxBarEdit& Name = Case.Combo ? Form->Own<TdxBarCombo>() : Form->Own<TdxBarEdit>();
    Name.SetCaption("Name");
    std::vector<std::uint16_t> Downs;
    Name.OnKeyDown = [&](pc::TObject*, std::uint16_t& Key, pf::TShiftState) {
        Downs.push_back(Key);
    };
    Tools->ItemLinks().Add(&Name);
    TdxBarEditControl* Control = ClickToolbarEdit();
    ASSERT_NE(Control, nullptr);
    ASSERT_TRUE(Control->Focused());
    Key(Case.QtKey);
    EXPECT_EQ(Downs, (std::vector<std::uint16_t>{Case.Key}));
    EXPECT_TRUE(Runs.empty());
}

INSTANTIATE_TEST_SUITE_P(
    EditAndCombo, KeyboardHookEditKeyTest,
    ::testing::Values(EditKeyCase{"EditF4", false, Qt::Key_F4, pw::VK_F4},
                      EditKeyCase{"EditEscape", false, Qt::Key_Escape, pw::VK_ESCAPE},
                      EditKeyCase{"ComboF4", true, Qt::Key_F4, pw::VK_F4},
                      EditKeyCase{"ComboEscape", true, Qt::Key_Escape, pw::VK_ESCAPE}),
    [](const ::testing::TestParamInfo<EditKeyCase>& Info) { return Info.param.Name; });

// A modal dialog keeps its keys from the bars of the form that owns its window.
TEST_F(KeyboardHookTest, AModalDialogOwnedByTheFormDoesNotReachItsMenu) {
    pf::Application().SetMainForm(Form);
    auto& Dialog = FRoot->Own<pf::TForm>();
    Dialog.SetBounds(300, 300, 200, 100);
    bool MenuModeInDialog = true;
    Clock.Schedule(Clock.Now() + 100, [&] {
        pw::SetWindowLong(Dialog.Handle(), pw::GWL_HWNDPARENT,
                          static_cast<std::intptr_t>(Form->Handle()));
        Key(Qt::Key_Alt);
        MenuModeInDialog = Manager->IsInMenuMode();
        if (MenuModeInDialog) Key(Qt::Key_Escape);
        Dialog.SetModalResult(pf::mrOk);
    });
    EXPECT_EQ(Dialog.ShowModal(), pf::mrOk);
    EXPECT_FALSE(MenuModeInDialog);
    pf::Application().SetMainForm(nullptr);
}

// An MDI child without a manager of its own uses its frame's main menu, whatever
// AllowCallFromAnotherForm says.
TEST(KeyboardHookMdiTest, AnMdiChildWithoutAManagerUsesTheFramesMainMenu) {
    pw::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 768}}});
    pc::ManualClock Clock{1000};
    pc::ClockOverride Override{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    TdxBarUnit Unit;
    testsupport::InputDriver Input;
    {
        auto Root = std::make_unique<pc::TComponent>(nullptr);
        auto& Frame = Root->Own<pf::TForm>(pf::fsMDIForm);
        pf::Application().SetMainForm(&Frame);
        Frame.SetBounds(0, 0, 640, 400);
        auto& Manager = Frame.Own<TdxBarManager>();
        TdxBar* Bar = Manager.Bars()->Add();
        Bar->SetIsMainMenu(true);
        Bar->SetDockingStyle(dsTop);
        auto& File = Frame.Own<TdxBarSubItem>();
        File.SetCaption("&File");
        Bar->ItemLinks().Add(&File);
        Frame.Show();
        Bar->SetVisible(true);
        auto& Child = Root->Own<pf::TForm>(pf::fsMDIChild);
        Child.SetBounds(10, 10, 200, 150);
        Child.Show();
        testsupport::PumpUntilIdle();
        ASSERT_EQ(Frame.ActiveMDIChild(), &Child);
        EXPECT_FALSE(Manager.AllowCallFromAnotherForm);
        Input.Key(Qt::Key_Alt);
        testsupport::PumpUntilIdle();
        EXPECT_TRUE(Manager.IsInMenuMode());
        Input.Key(Qt::Key_Escape);
        testsupport::PumpUntilIdle();
        EXPECT_FALSE(Manager.IsInMenuMode());
        pf::Application().SetMainForm(nullptr);
    }
    testsupport::PumpUntilIdle();
    pw::SetMonitors({});
}

} // namespace
} // namespace toolkit::bars
