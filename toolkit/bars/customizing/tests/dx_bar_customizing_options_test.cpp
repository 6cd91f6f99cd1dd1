#include "toolkit/bars/customizing/dx_bar_customizing_options.h"

#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/forms/application.h"
#include "platform/forms/dialogs.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <algorithm>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// The menu bar with one sub-item, in the style under test; the Customize dialog opened on its
// Options page.
class CustomizingOptionsTest : public MenuFormFixture {
protected:
    CustomizingOptionsTest() {
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        ShowMainMenu();
    }
    ~CustomizingOptionsTest() override {
        if (Manager->IsCustomizing()) Manager->Customizing(false);
        testsupport::PumpUntilIdle();
    }

    TdxBarCustomizingOptions& Open(TdxBarManagerStyle Style = bmsOffice11) {
        Manager->SetStyle(Style);
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
        TdxBarCustomizingForm* Dialog = GetCustomizingForm();
        EXPECT_NE(Dialog, nullptr);
        Dialog->PageControl().SetActivePage(&Dialog->OptionsPage());
        testsupport::PumpUntilIdle();
        return *Dialog->Options();
    }
    void ClickControl(pf::TControl& Control) {
        Input.Click(Control.ClientToScreen({8, Control.Height() / 2}));
        testsupport::PumpUntilIdle();
    }
    // Steps the focused combo to the entry at Index with the arrow keys, as a user would.
    void Choose(pf::TComboBox& Combo, int Index) {
        Combo.SetFocus();
        const int From = Combo.ItemIndex();
        for (int I = From; I < Index; ++I)
            Input.Key(Qt::Key_Down);
        for (int I = From; I > Index; --I)
            Input.Key(Qt::Key_Up);
        testsupport::PumpUntilIdle();
    }
    static bool Showing(pf::TControl& Control) {
        return Control.Visible() && pw::IsWindowVisible(Control.Parent()->Handle());
    }
};

TEST_F(CustomizingOptionsTest, TheEnhancedPanelShowsForEveryStyleButTheStandardOne) {
    struct Case {
        TdxBarManagerStyle Style;
        bool Enhanced;
    };
    for (const Case& C : {Case{bmsStandard, false}, Case{bmsEnhanced, true}, Case{bmsFlat, true},
                          Case{bmsXP, true}, Case{bmsOffice11, true}}) {
        SCOPED_TRACE(static_cast<int>(C.Style));
        TdxBarCustomizingOptions& Options = Open(C.Style);
        EXPECT_EQ(Options.EnhancedOptionsPanel().Visible(), C.Enhanced);
        EXPECT_EQ(Options.StandardOptionsPanel().Visible(), !C.Enhanced);
        Manager->Customizing(false);
        testsupport::PumpUntilIdle();
    }
}

TEST_F(CustomizingOptionsTest, AChangeOfStyleWhileOpenSwitchesThePanel) {
    TdxBarCustomizingOptions& Options = Open(bmsOffice11);
    Manager->SetStyle(bmsStandard);
    EXPECT_TRUE(Options.StandardOptionsPanel().Visible());
    EXPECT_FALSE(Options.EnhancedOptionsPanel().Visible());
}

TEST_F(CustomizingOptionsTest, CaptionsAndTheAnimationChoicesAreThoseOfTheDialog) {
    TdxBarCustomizingOptions& Options = Open();
    EXPECT_EQ(Options.CBMenusShowRecentItemsFirst().Caption(),
              "Me&nus show recently used commands first");
    EXPECT_EQ(Options.CBShowFullMenusAfterDelay().Caption(),
              "Show f&ull menus after a short delay");
    EXPECT_EQ(Options.BResetUsageData().Caption(), "&Reset my usage data");
    EXPECT_EQ(Options.CBLargeIconsEx().Caption(), "&Large icons");
    EXPECT_EQ(Options.CBHint1Ex().Caption(), "Show Tool&Tips on toolbars");
    EXPECT_EQ(Options.CBHint2Ex().Caption(), "Show s&hortcut keys in ToolTips");
    const std::vector<std::string> Expected = {"(None)", "Random", "Unfold", "Slide", "Fade"};
    for (pf::TComboBox* Combo :
         {&Options.ComboBoxMenuAnimations(), &Options.ComboBoxMenuAnimationsEx()}) {
        std::vector<std::string> Entries;
        int Widest = 0;
        for (int I = 0; I < Combo->Items().Count(); ++I) {
            Entries.push_back(Combo->Items()[I]);
            Widest =
                std::max(Widest, pf::MeasureText(GetCustomizingForm()->Font(), Entries.back()).cx);
        }
        EXPECT_EQ(Entries, Expected);
        EXPECT_EQ(Combo->Width(), Widest + 54);
    }
    testsupport::TempFolder Folder("customizing_options");
    EXPECT_TRUE(testsupport::SaveWindowPng(GetCustomizingForm()->Handle(),
                                           Folder.PathOf("customize_options.png")));
}

TEST_F(CustomizingOptionsTest, ReloadTakesTheManagersValues) {
    Manager->SetMenusShowRecentItemsFirst(false);
    Manager->SetShowFullMenusAfterDelay(true);
    Manager->SetLargeIcons(true);
    Manager->SetShowHint(false);
    Manager->SetShowShortCutInHint(true);
    Manager->SetMenuAnimations(maSlide);
    TdxBarCustomizingOptions& Options = Open();
    EXPECT_FALSE(Options.CBMenusShowRecentItemsFirst().Checked());
    EXPECT_TRUE(Options.CBShowFullMenusAfterDelay().Checked());
    EXPECT_FALSE(Options.CBShowFullMenusAfterDelay().Enabled());
    EXPECT_TRUE(Options.CBLargeIcons().Checked());
    EXPECT_TRUE(Options.CBLargeIconsEx().Checked());
    EXPECT_FALSE(Options.CBHint1().Checked());
    EXPECT_FALSE(Options.CBHint1Ex().Checked());
    EXPECT_TRUE(Options.CBHint2Ex().Checked());
    EXPECT_FALSE(Options.CBHint2Ex().Enabled());
    EXPECT_EQ(Options.ComboBoxMenuAnimations().ItemIndex(), 3);
    EXPECT_EQ(Options.ComboBoxMenuAnimationsEx().ItemIndex(), 3);
    // Reading back wrote nothing.
    EXPECT_FALSE(Manager->MenusShowRecentItemsFirst());
    EXPECT_EQ(Manager->MenuAnimations(), maSlide);
}

TEST_F(CustomizingOptionsTest, UncheckingRecentCommandsFirstDisablesTheFullMenusBox) {
    TdxBarCustomizingOptions& Options = Open();
    ASSERT_TRUE(Options.CBMenusShowRecentItemsFirst().Checked());
    EXPECT_TRUE(Options.CBShowFullMenusAfterDelay().Enabled());
    ClickControl(Options.CBMenusShowRecentItemsFirst());
    EXPECT_FALSE(Manager->MenusShowRecentItemsFirst());
    EXPECT_FALSE(Options.CBShowFullMenusAfterDelay().Enabled());
    ClickControl(Options.CBMenusShowRecentItemsFirst());
    EXPECT_TRUE(Manager->MenusShowRecentItemsFirst());
    EXPECT_TRUE(Options.CBShowFullMenusAfterDelay().Enabled());
}

TEST_F(CustomizingOptionsTest, EveryBoxWritesStraightIntoTheManager) {
    TdxBarCustomizingOptions& Options = Open();
    ClickControl(Options.CBShowFullMenusAfterDelay());
    EXPECT_FALSE(Manager->ShowFullMenusAfterDelay());
    ClickControl(Options.CBLargeIconsEx());
    EXPECT_TRUE(Manager->LargeIcons());
    EXPECT_TRUE(Options.CBLargeIcons().Checked());
    ClickControl(Options.CBHint2Ex());
    EXPECT_TRUE(Manager->ShowShortCutInHint());
    EXPECT_TRUE(Options.CBHint2().Checked());
    ClickControl(Options.CBHint1Ex());
    EXPECT_FALSE(Manager->ShowHint());
    EXPECT_FALSE(Options.CBHint1().Checked());
    EXPECT_FALSE(Options.CBHint2Ex().Enabled());
}

TEST_F(CustomizingOptionsTest, TheStandardPanelsBoxesWriteIntoTheManager) {
    TdxBarCustomizingOptions& Options = Open(bmsStandard);
    ClickControl(Options.CBLargeIcons());
    EXPECT_TRUE(Manager->LargeIcons());
    ClickControl(Options.CBHint1());
    EXPECT_FALSE(Manager->ShowHint());
    ClickControl(Options.CBHint2());
    EXPECT_TRUE(Manager->ShowShortCutInHint());
    Choose(Options.ComboBoxMenuAnimations(), 4);
    EXPECT_EQ(Manager->MenuAnimations(), maFade);
}

TEST_F(CustomizingOptionsTest, TheAnimationComboSetsMenuAnimations) {
    TdxBarCustomizingOptions& Options = Open();
    for (TdxBarMenuAnimations Value : {maRandom, maUnfold, maSlide, maFade, maNone}) {
        SCOPED_TRACE(static_cast<int>(Value));
        Choose(Options.ComboBoxMenuAnimationsEx(), static_cast<int>(Value));
        EXPECT_EQ(Manager->MenuAnimations(), Value);
        EXPECT_EQ(Options.ComboBoxMenuAnimations().ItemIndex(), static_cast<int>(Value));
    }
}

TEST_F(CustomizingOptionsTest, ResetMyUsageDataAsksAndResetsOnlyOnYes) {
    int Resets = 0;
    Manager->DesignRoutine = [&Resets](pf::TForm&) { ++Resets; };
    TdxBarCustomizingOptions& Options = Open();
    const std::string Question =
        "This will delete the record of the commands you've used in this application and "
        "restore the default set of visible commands to the menus and toolbars. It will not "
        "undo any explicit customizations.   Are you sure you want to proceed?";
    for (const int Answer : {pf::IDNO, pf::IDYES}) {
        pf::TDialogScript Script;
        Script.Answer(Question, Answer);
        ClickControl(Options.BResetUsageData());
        EXPECT_TRUE(Script.Done());
        EXPECT_TRUE(Script.Mismatches().empty());
        ASSERT_EQ(Script.Asked().size(), 1u);
        EXPECT_EQ(Script.Asked()[0].Flags,
                  pf::MB_YESNO | pf::MB_ICONEXCLAMATION | pf::MB_DEFBUTTON2);
        EXPECT_EQ(Script.Asked()[0].Caption, pf::Application().Title);
        EXPECT_EQ(Resets, Answer == pf::IDYES ? 1 : 0);
    }
}

// "&Large icons" resizes the toolbars as it is ticked, while the dialog is open.
TEST_F(CustomizingOptionsTest, TickingLargeIconsResizesTheToolbarsAtOnce) {
    MakeToolbar();
    Button(Tools->ItemLinks(), "New");
    Tools->SetVisible(true);
    testsupport::PumpUntilIdle();
    const int Height = Tools->Control()->BoundsRect().Height();
    TdxBarCustomizingOptions& Options = Open();
    ClickControl(Options.CBLargeIconsEx());
    ASSERT_TRUE(Manager->LargeIcons());
    EXPECT_EQ(Tools->ItemLinks().Items(0)->ItemRect.Height(), 32 + 6);
    EXPECT_EQ(Tools->Control()->BoundsRect().Height(), Height + 16);
}

} // namespace
} // namespace toolkit::bars
