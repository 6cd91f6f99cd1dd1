#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/tests/bar_help_viewer.h"

#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/forms/application.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/help_manager.h"
#include "platform/win/cursors.h"
#include "platform/win/input_state.h"
#include "platform/win/message_beep.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// The menu bar, a toolbar of four buttons and a hidden bar; the Customize dialog opened by
// Customizing(true), with the name dialog answered by the test.
class CustomizingFormTest : public MenuFormFixture {
protected:
    CustomizingFormTest() {
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        for (const char* Caption : {"B1", "B2", "B3", "B4"})
            Button(Tools->ItemLinks(), Caption);
        Secret = Manager->Bars()->Add();
        Secret->SetCaption("Secret");
        Secret->SetHidden(true);
        Manager->OnShowCustomizingForm = [this](pc::TObject*) { Events.push_back("show"); };
        Manager->OnHideCustomizingForm = [this](pc::TObject*) { Events.push_back("hide"); };
        ShowBars();
        FPreviousQuery =
            SetdxBarNameQuery([this](TdxBarNameMode Mode, std::string& Name, TdxBar*, TdxBars*) {
                Proposals.push_back(Name);
                Modes.push_back(Mode);
                if (Answer.empty()) return false;
                Name = Answer;
                return true;
            });
    }
    ~CustomizingFormTest() override {
        EndCustomizing();
        SetdxBarNameQuery(FPreviousQuery);
    }

    TdxBarCustomizingForm& Open() {
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
        TdxBarCustomizingForm* Dialog = GetCustomizingForm();
        EXPECT_NE(Dialog, nullptr);
        return *Dialog;
    }
    void ClickControl(pf::TControl& Control) {
        Input.Click(Control.ClientToScreen({Control.Width() / 2, Control.Height() / 2}));
        testsupport::PumpUntilIdle();
    }
    std::vector<std::string> Rows(TdxBarCustomizingForm& Dialog) {
        std::vector<std::string> Result;
        for (int I = 0; I < Dialog.BarsListBox().Items().Count(); ++I)
            Result.push_back(Dialog.BarsListBox().Items()[I]);
        return Result;
    }
    // The centre of a row's check box or of its text, on the screen.
    pg::TPoint CheckOf(TdxBarCustomizingForm& Dialog, int Row) {
        const pg::TRect R = Dialog.BarsListBox().CheckRect(Row);
        return Dialog.BarsListBox().ClientToScreen(
            {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    TdxBar* Secret = nullptr;
    std::vector<std::string> Events;
    std::vector<std::string> Proposals;
    std::vector<TdxBarNameMode> Modes;
    std::string Answer;

private:
    TdxBarNameQuery FPreviousQuery;
};

TEST_F(CustomizingFormTest, OpeningDisablesTheFormAndClosingEnablesItAndEndsCustomizing) {
    TdxBarCustomizingForm& Dialog = Open();
    EXPECT_TRUE(Manager->IsCustomizing());
    EXPECT_EQ(Events, (std::vector<std::string>{"show"}));
    EXPECT_EQ(Manager->CustomizingFormHandle, Dialog.Handle());
    EXPECT_TRUE(pw::IsWindowVisible(Dialog.Handle()));
    EXPECT_FALSE(pw::IsWindowEnabled(Form->Handle()));
    EXPECT_EQ(Dialog.Caption(), "Customize");
    EXPECT_EQ(Dialog.ClientWidth(), 366);
    EXPECT_EQ(Dialog.ClientHeight(), 310);
    ASSERT_EQ(Dialog.PageControl().PageCount(), 3);
    EXPECT_EQ(Dialog.PageControl().ActivePage(), &Dialog.ToolbarsPage());
    testsupport::TempFolder Folder("customizing_form");
    EXPECT_TRUE(testsupport::SaveWindowPng(Dialog.Handle(), Folder.PathOf("customize_dialog.png")));

    // A second opening does nothing.
    ShowCustomizingForm(*Manager, true);
    EXPECT_EQ(GetCustomizingForm(), &Dialog);
    EXPECT_EQ(Events.size(), 1u);

    ClickControl(Dialog.BClose());
    EXPECT_EQ(GetCustomizingForm(), nullptr);
    EXPECT_FALSE(Manager->IsCustomizing());
    EXPECT_EQ(Manager->CustomizingFormHandle, pw::HWND{});
    EXPECT_TRUE(pw::IsWindowEnabled(Form->Handle()));
    EXPECT_EQ(Events, (std::vector<std::string>{"show", "hide"}));
}

TEST_F(CustomizingFormTest, EndingCustomizingByProgramClosesTheDialog) {
    Open();
    Manager->Customizing(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(GetCustomizingForm(), nullptr);
    EXPECT_TRUE(pw::IsWindowEnabled(Form->Handle()));
    EXPECT_EQ(Events, (std::vector<std::string>{"show", "hide"}));
}

// A manager freed while the user customizes takes the dialog along and gives the forms back.
TEST_F(CustomizingFormTest, FreeingTheManagerClosesTheDialogAndEnablesTheForm) {
    Open();
    ASSERT_FALSE(pw::IsWindowEnabled(Form->Handle()));
    Form->FreeComponent(*Manager);
    Manager = nullptr;
    testsupport::PumpUntilIdle();
    EXPECT_EQ(GetCustomizingForm(), nullptr);
    EXPECT_TRUE(pw::IsWindowEnabled(Form->Handle()));
    EXPECT_EQ(Events, (std::vector<std::string>{"show", "hide"}));
}

TEST_F(CustomizingFormTest, TheListHasTheBarsThatAreNotHiddenAndTheirChecksToggleThem) {
    TdxBarCustomizingForm& Dialog = Open();
    EXPECT_EQ(Rows(Dialog), (std::vector<std::string>{"Main Menu", "ToolBar"}));
    EXPECT_EQ(Dialog.BarsListBox().ItemIndex(), 0);

    // The main menu cannot be closed: its check beeps.
    const int Beeps = pw::MessageBeepCount();
    Input.Click(CheckOf(Dialog, 0));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pw::MessageBeepCount(), Beeps + 1);
    EXPECT_TRUE(Bar->Visible());

    Input.Click(CheckOf(Dialog, 1));
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Tools->Visible());
    EXPECT_EQ(Dialog.BarsListBox().ItemIndex(), 1);
    // Space on the selected row shows it again.
    Input.Key(Qt::Key_Space, " ");
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Tools->Visible());

    // The buttons follow the selection: a designed toolbar is not the user's to rename.
    EXPECT_TRUE(Dialog.BBarNew().Enabled());
    EXPECT_TRUE(Dialog.BBarDelete().Enabled());
    Dialog.BarsListBox().SetItemIndex(0);
    Dialog.BarsListBoxClick();
    EXPECT_FALSE(Dialog.BBarDelete().Enabled());
}

// A bar that can no longer be closed (or can again) shows it in its row at once.
TEST_F(CustomizingFormTest, ABarsRowRedrawsWhenItsCloseFlagsChange) {
    TdxBarCustomizingForm& Dialog = Open();
    TCheckListBox& List = Dialog.BarsListBox();
    auto CheckBox = [&](int Row) {
        const pg::TRect R = List.CheckRect(Row);
        pw::TRect Window;
        pw::GetWindowRect(List.Handle(), &Window);
        const pg::TPoint Client = List.ClientToScreen({0, 0});
        const auto Surface = pw::WindowSurface(List.Handle());
        std::vector<pg::Pixel32> Pixels;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                Pixels.push_back(
                    Surface->Pixel(X + Client.X - Window.Left, Y + Client.Y - Window.Top) &
                    0xFFFFFF);
        return Pixels;
    };
    // Both bars are shown; the main menu's check is drawn inactive.
    const std::vector<pg::Pixel32> Closable = CheckBox(1);
    const std::vector<pg::Pixel32> Fixed = CheckBox(0);
    ASSERT_NE(Closable, Fixed);

    Tools->SetAllowClose(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(CheckBox(1), Fixed);
    Tools->SetAllowClose(true);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(CheckBox(1), Closable);
    Bar->SetIsMainMenu(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(CheckBox(0), Closable);
}

TEST_F(CustomizingFormTest, NewProposesCustomOneThenTheNextFreeNumberAndFloatsTheBar) {
    TdxBarCustomizingForm& Dialog = Open();
    Answer = "Custom 1";
    ClickControl(Dialog.BBarNew());
    ASSERT_EQ(Proposals, (std::vector<std::string>{"Custom 1"}));
    EXPECT_EQ(Modes, (std::vector<TdxBarNameMode>{nmNewToolbar}));
    TdxBar* Made = Manager->Bars()->Items(Manager->Bars()->Count() - 1);
    EXPECT_EQ(Made->Caption(), "Custom 1");
    EXPECT_TRUE(Made->Visible());
    EXPECT_EQ(Made->DockingStyle(), dsNone);
    EXPECT_EQ(Rows(Dialog), (std::vector<std::string>{"Main Menu", "ToolBar", "Custom 1"}));
    EXPECT_EQ(Dialog.BarsListBox().ItemIndex(), 2);
    // The user's own bar may be renamed and deleted.
    EXPECT_TRUE(Dialog.BBarRename().Enabled());
    EXPECT_TRUE(Dialog.BBarDelete().Enabled());

    Answer.clear();
    ClickControl(Dialog.BBarNew());
    EXPECT_EQ(Proposals.back(), "Custom 2");
    EXPECT_EQ(Rows(Dialog).size(), 3u);

    Answer = "Mine";
    ClickControl(Dialog.BBarRename());
    EXPECT_EQ(Proposals.back(), "Custom 1");
    EXPECT_EQ(Made->Caption(), "Mine");
    EXPECT_EQ(Rows(Dialog).back(), "Mine");
}

TEST_F(CustomizingFormTest, DeleteAsksAndCancelKeepsTheBar) {
    TdxBarCustomizingForm& Dialog = Open();
    Dialog.BarsListBox().SetItemIndex(1);
    Dialog.BarsListBoxClick();
    const std::string Question = "Are you sure you want to delete the 'ToolBar' toolbar?";
    {
        pf::TDialogScript Script;
        Script.Answer(Question, pf::IDCANCEL);
        ClickControl(Dialog.BBarDelete());
        EXPECT_TRUE(Script.Done());
        EXPECT_TRUE(Script.Mismatches().empty());
    }
    EXPECT_EQ(Manager->Bars()->IndexOf(Tools), 1);
    {
        pf::TDialogScript Script;
        Script.Answer(Question, pf::IDOK);
        ClickControl(Dialog.BBarDelete());
        EXPECT_TRUE(Script.Done());
        ASSERT_EQ(Script.Asked().size(), 1u);
        EXPECT_EQ(Script.Asked()[0].Flags, pf::MB_OKCANCEL | pf::MB_ICONQUESTION);
        // Captioned with the application's title.
        EXPECT_EQ(Script.Asked()[0].Caption, pf::Application().Title);
    }
    EXPECT_EQ(Manager->Bars()->FindByName("ToolBar"), nullptr);
    EXPECT_EQ(Rows(Dialog), (std::vector<std::string>{"Main Menu"}));
    EXPECT_EQ(Dialog.BarsListBox().ItemIndex(), 0);
}

TEST_F(CustomizingFormTest, TheDisabledFormsBarsStillTakeClicksAndDrags) {
    Open();
    ASSERT_FALSE(pw::IsWindowEnabled(Form->Handle()));
    TdxBarItemLinks& Links = Tools->ItemLinks();
    Input.Click(CentreOf(Links, 1));
    testsupport::PumpUntilIdle();
    ASSERT_NE(Manager->SelectedItem(), nullptr);
    EXPECT_EQ(Manager->SelectedItem(), Links.Items(1)->Control());
    EXPECT_NE(GetCustomizingForm(), nullptr);

    // B1 dragged past B3 lands after it.
    const pg::TPoint From = CentreOf(Links, 0);
    const pg::TRect R3 = Links.VisibleItems(2)->ItemRect;
    const pg::TPoint To =
        Links.BarControl()->ClientToScreen({R3.Right - 2, (R3.Top + R3.Bottom) / 2});
    Input.Press(From);
    Input.MoveTo({From.X + 6, From.Y});
    Input.MoveTo(To);
    Input.Release(To);
    testsupport::PumpUntilIdle();
    std::vector<std::string> Captions;
    for (int I = 0; I < Links.Count(); ++I)
        Captions.push_back(Links.Items(I)->Item()->Caption());
    EXPECT_EQ(Captions, (std::vector<std::string>{"B2", "B3", "B1", "B4"}));
}

// An MDI frame with a main menu, and a child with a manager of its own and a toolbar of two
// buttons, shown and active.
class CustomizingMDIChildTest : public MenuFormFixture {
protected:
    CustomizingMDIChildTest() : MenuFormFixture(pf::fsMDIForm) {
        pf::Application().SetMainForm(Form);
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        ShowMainMenu();
        Child = &Form->Own<pf::TForm>(pf::fsMDIChild);
        Child->SetBounds(10, 10, 320, 200);
        ChildManager = &Child->Own<TdxBarManager>();
        ChildTools = ChildManager->Bars()->Add();
        ChildTools->SetCaption("Child Tools");
        ChildTools->SetDockingStyle(dsTop);
        for (const char* Caption : {"C1", "C2"}) {
            auto& B = Child->Own<TdxBarButton>();
            B.SetCaption(Caption);
            ChildTools->ItemLinks().Add(&B);
        }
        ChildTools->SetVisible(true);
        Child->Show();
        testsupport::PumpUntilIdle();
    }
    ~CustomizingMDIChildTest() override {
        if (ChildManager->IsCustomizing()) ChildManager->Customizing(false);
        testsupport::PumpUntilIdle();
        pf::Application().SetMainForm(nullptr);
    }

    pf::TForm* Child = nullptr;
    TdxBarManager* ChildManager = nullptr;
    TdxBar* ChildTools = nullptr;
};

// The child's own bars customized: the frame, and the child inside it, are disabled while the
// dialog is open, and a click on the child's toolbar still selects the command there.
TEST_F(CustomizingMDIChildTest, TheDisabledChildsToolbarTakesClicks) {
    ChildManager->Customizing(true);
    testsupport::PumpUntilIdle();
    ASSERT_NE(GetCustomizingForm(), nullptr);
    ASSERT_FALSE(pw::IsWindowEnabled(Form->Handle()));
    TdxBarItemLinks& Links = ChildTools->ItemLinks();
    Input.Click(CentreOf(Links, 1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ChildManager->SelectedItem(), Links.Items(1)->Control());
}

TEST_F(CustomizingFormTest, TheDialogFollowsItsFormAndKeepsItLookingActive) {
    TdxBarCustomizingForm& Dialog = Open();
    EXPECT_EQ(pw::GetActiveWindow(), Dialog.Handle());
    EXPECT_TRUE(pw::IsFrameActive(Form->Handle()));
    Form->Hide();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(pw::IsWindowVisible(Dialog.Handle()));
    Form->Show();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(pw::IsWindowVisible(Dialog.Handle()));
    EXPECT_EQ(GetCustomizingForm(), &Dialog);
}

TEST_F(CustomizingFormTest, TheHelpButtonFollowsTheManagerAndAsksForItsHelp) {
    TdxBarCustomizingForm& Dialog = Open();
    pf::TBitBtn& Help = Dialog.BHelp();
    EXPECT_FALSE(Help.Visible());
    EXPECT_EQ(Help.BoundsRect(), (pg::TRect{6, 281, 30, 304}));
    Manager->SetShowHelpButton(true);
    EXPECT_TRUE(Help.Visible());
    Manager->HelpButtonGlyph().SetSize(16, 16);
    EXPECT_EQ(Help.Glyph().Width(), 16);

    BarHelpViewer Viewer;
    pf::Application().HelpFile = "bars.chm";
    int Clicks = 0;
    Manager->OnHelpButtonClick = [&](pc::TObject* Sender) {
        EXPECT_EQ(Sender, Manager);
        ++Clicks;
    };
    ClickControl(Help);
    // Without a help context only the program's handler hears of it.
    EXPECT_EQ(Clicks, 1);
    EXPECT_TRUE(Viewer.Shown.empty());
    Manager->HelpContext = 31;
    ClickControl(Help);
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(Viewer.Shown, (std::vector<int>{31}));
    pf::Application().HelpFile.clear();

    Manager->SetShowHelpButton(false);
    EXPECT_FALSE(Help.Visible());
}

TEST_F(CustomizingFormTest, TheWheelScrollsTheListUnderThePointerNotTheFocusedControl) {
    for (int I = 0; I < 30; ++I)
        Manager->Bars()->Add()->SetCaption("Bar " + std::to_string(I));
    TdxBarCustomizingForm& Dialog = Open();
    TCheckListBox& List = Dialog.BarsListBox();
    Dialog.BBarNew().SetFocus();
    testsupport::PumpUntilIdle();
    const pg::TPoint Over = List.ClientToScreen({40, 20});
    Input.MoveTo(Over);
    // Three lines a notch, down for a negative delta.
    Input.Wheel(Over, -120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(List.TopIndex(), 3);
    Input.Wheel(Over, -240);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(List.TopIndex(), 9);
    Input.Wheel(Over, 120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(List.TopIndex(), 6);
    EXPECT_TRUE(Dialog.BBarNew().Focused());
    // Away from the list the wheel stays with the focused control.
    Input.Wheel(Dialog.BClose().ClientToScreen({5, 5}), -120);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(List.TopIndex(), 6);
}

TEST_F(CustomizingFormTest, TheDragHandleShowsTheSizeAllCursor) {
    Tools->SetBorderStyle(bbsSingle);
    testsupport::PumpUntilIdle();
    auto* Window = dynamic_cast<TdxBarControl*>(Tools->Control());
    ASSERT_NE(Window, nullptr);
    ASSERT_FALSE(pg::IsRectEmpty(Window->GetDragHandleRect()));
    const pg::TRect Links = Tools->ItemLinks().VisibleItems(0)->ItemRect;
    // The handle lies just before the client area.
    Input.MoveTo(Window->ClientToScreen({-3, Links.Top + 2}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pw::GetCursor(), pw::ScreenCursor(pf::crSizeAll));
    Input.MoveTo(CentreOf(Tools->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    EXPECT_NE(pw::GetCursor(), pw::ScreenCursor(pf::crSizeAll));
}

} // namespace
} // namespace toolkit::bars
