#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"

#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/forms/screen.h"
#include "platform/gdi/drawing.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A toolbar of two buttons in "Default"; categories "Default", "File" and the hidden "Secret"; the
// File commands are always, in customizing and never visible, one with a description.
class CustomizingCommandsTest : public MenuFormFixture {
protected:
    CustomizingCommandsTest() {
        MakeMainMenu();
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        for (const char* Caption : {"B1", "B2"})
            Button(Tools->ItemLinks(), Caption).SetCategory(0);
        Manager->Categories().Add("File");
        Manager->Categories().Add("Secret");
        Manager->SetCategoryVisible(2, false);
        Open = &Command("&Open", 1, ivAlways);
        Open->SetDescription("Opens a file");
        Command("Sa&ve", 1, ivInCustomizing);
        Command("Never", 1, ivNever);
        Command("Hidden", 2, ivAlways);
        ShowBars();
    }
    ~CustomizingCommandsTest() override { EndCustomizing(); }
    TdxBarButton& Command(const char* Caption, int Category, TdxBarItemVisible Visible) {
        auto& B = Form->Own<TdxBarButton>();
        B.SetCaption(Caption);
        B.SetCategory(Category);
        B.SetVisible(Visible);
        return B;
    }
    TdxBarCustomizingCommands& OpenCommands() {
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
        Dialog = GetCustomizingForm();
        EXPECT_NE(Dialog, nullptr);
        Dialog->PageControl().SetActivePage(&Dialog->CommandsPage());
        testsupport::PumpUntilIdle();
        return Dialog->Commands();
    }
    static std::vector<std::string> Rows(pf::TListBox& List) {
        std::vector<std::string> Result;
        for (int I = 0; I < List.Items().Count(); ++I)
            Result.push_back(List.Items()[I]);
        return Result;
    }
    pg::TPoint RowCentre(pf::TListBox& List, int Row) {
        const pg::TRect R = List.ItemRect(Row);
        return List.ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }
    void ClickRow(pf::TListBox& List, int Row) {
        Input.Click(RowCentre(List, Row));
        testsupport::PumpUntilIdle();
    }

    TdxBarButton* Open = nullptr;
    TdxBarCustomizingForm* Dialog = nullptr;
};

TEST_F(CustomizingCommandsTest, RunTimeListsShowVisibleCategoriesAndCommandsVisibleForCustomizing) {
    TdxBarCustomizingCommands& Page = OpenCommands();
    EXPECT_EQ(Page.LabelCategories().Caption(), "Cate&gories:");
    EXPECT_EQ(Page.LabelCommands().Caption(), "Comman&ds:");
    EXPECT_EQ(Rows(Page.LCategories()), (std::vector<std::string>{"Default", "File"}));
    EXPECT_EQ(Page.LCategories().ItemIndex(), 0);
    EXPECT_EQ(Rows(Page.LCommands()), (std::vector<std::string>{"B1", "B2"}));

    ClickRow(Page.LCategories(), 1);
    EXPECT_EQ(Rows(Page.LCommands()), (std::vector<std::string>{"&Open", "Sa&ve"}));
    EXPECT_EQ(Page.LCommands().Items(0), Open);
    EXPECT_EQ(GetCategoryRealIndex(*Manager, 1), 1);
    EXPECT_EQ(GetCategoryRealIndex(*Manager, 2), -1);
}

TEST_F(CustomizingCommandsTest, ClickingACommandShowsItsDescriptionAndClearsTheBarsSelection) {
    TdxBarCustomizingCommands& Page = OpenCommands();
    ClickRow(Page.LCategories(), 1);
    // A link selected on a bar loses its selection to the list.
    Input.Click(CentreOf(Tools->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    ASSERT_NE(Manager->SelectedItem(), nullptr);
    ClickRow(Page.LCommands(), 0);
    EXPECT_EQ(Page.LCommands().SelectedItem(), Open);
    EXPECT_EQ(Page.DescriptionLabel().Caption(), "Opens a file");
    EXPECT_EQ(Manager->SelectedItem(), nullptr);
    ClickRow(Page.LCommands(), 1);
    EXPECT_EQ(Page.DescriptionLabel().Caption(), "");
    // Another category clears the description.
    ClickRow(Page.LCommands(), 0);
    ClickRow(Page.LCategories(), 0);
    EXPECT_EQ(Page.DescriptionLabel().Caption(), "");
}

TEST_F(CustomizingCommandsTest, TakingTheFocusWithNothingSelectedSelectsTheFirstCommand) {
    TdxBarCustomizingCommands& Page = OpenCommands();
    ClickRow(Page.LCategories(), 1);
    ASSERT_EQ(Page.LCommands().ItemIndex(), -1);
    Page.LCommands().SetFocus();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Page.LCommands().ItemIndex(), 0);
    EXPECT_EQ(Page.DescriptionLabel().Caption(), "Opens a file");
}

TEST_F(CustomizingCommandsTest, DraggingACommandOntoTheToolbarAddsALinkWhereItIsDropped) {
    TdxBarCustomizingCommands& Page = OpenCommands();
    ClickRow(Page.LCategories(), 1);
    ASSERT_FALSE(pw::IsWindowEnabled(Form->Handle()));
    const pg::TPoint From = RowCentre(Page.LCommands(), 0);
    // Between B1 and B2: the right part of B1.
    const pg::TRect B1 = Tools->ItemLinks().VisibleItems(0)->ItemRect;
    const pg::TPoint To =
        Tools->ItemLinks().BarControl()->ClientToScreen({B1.Right - 2, (B1.Top + B1.Bottom) / 2});
    Input.Press(From);
    Input.MoveTo({From.X + 1, From.Y});
    testsupport::PumpUntilIdle();
    // Within the drag threshold nothing is dragged yet.
    EXPECT_EQ(TdxBarItemDragging::Current(), nullptr);
    Input.MoveTo({From.X + 8, From.Y});
    testsupport::PumpUntilIdle();
    EXPECT_NE(TdxBarItemDragging::Current(), nullptr);
    Input.MoveTo(To);
    Input.Release(To);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(TdxBarItemDragging::Current(), nullptr);
    ASSERT_EQ(Tools->ItemLinks().Count(), 3);
    EXPECT_EQ(Tools->ItemLinks().Items(1)->Item(), Open);
    EXPECT_EQ(Page.LCommands().SelectedItem(), Open);
}

// Held over "&File", the command opens its menu; it drops between the menu's two commands.
TEST_F(CustomizingCommandsTest, ACommandHeldOverASubItemOpensItsMenuAndDropsIntoIt) {
    auto& File = *dynamic_cast<TdxBarSubItem*>(Bar->ItemLinks().Items(0)->Item());
    Button(File.ItemLinks(), "&New");
    Button(File.ItemLinks(), "E&xit");
    TdxBarCustomizingCommands& Page = OpenCommands();
    ClickRow(Page.LCategories(), 1);
    const pg::TPoint From = RowCentre(Page.LCommands(), 0);
    Input.Press(From);
    Input.MoveTo({From.X + 8, From.Y});
    testsupport::PumpUntilIdle();
    ASSERT_NE(TdxBarItemDragging::Current(), nullptr);
    ASSERT_EQ(MenuOf(File), nullptr);
    Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    TdxBarSubMenuControl* Menu = MenuOf(File);
    ASSERT_NE(Menu, nullptr);
    EXPECT_TRUE(pw::IsWindowVisible(Menu->Handle()));
    // Down into the menu, onto the lower half of "&New".
    const pg::TRect New = File.ItemLinks().VisibleItems(0)->ItemRect;
    const pg::TPoint To = Menu->ClientToScreen({(New.Left + New.Right) / 2, New.Bottom - 2});
    Input.MoveTo(To);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(MenuOf(File), Menu);
    Input.Release(To);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(TdxBarItemDragging::Current(), nullptr);
    EXPECT_EQ(ItemCaptions(File.ItemLinks()), (std::vector<std::string>{"&New", "&Open", "E&xit"}));
    EXPECT_EQ(ShownCaptions(File.ItemLinks()),
              (std::vector<std::string>{"&New", "&Open", "E&xit"}));
    // The dropped link is the selection, in the menu that stays open.
    ASSERT_EQ(MenuOf(File), Menu);
    ASSERT_NE(File.ItemLinks().Items(1)->Control(), nullptr);
    EXPECT_EQ(Manager->SelectedItem(), File.ItemLinks().Items(1)->Control());
    EXPECT_EQ(Tools->ItemLinks().Count(), 2);
}

// Dropped back onto the list, a command goes to the end of the category the list shows.
TEST_F(CustomizingCommandsTest, ACommandDroppedOnTheListMovesToTheEndOfItsCategory) {
    TdxBarCustomizingCommands& Page = OpenCommands();
    ClickRow(Page.LCategories(), 1);
    ASSERT_EQ(Rows(Page.LCommands()), (std::vector<std::string>{"&Open", "Sa&ve"}));
    const pg::TPoint From = RowCentre(Page.LCommands(), 0);
    const pg::TPoint To = RowCentre(Page.LCommands(), 1);
    Input.Press(From);
    Input.MoveTo({From.X + 8, From.Y});
    testsupport::PumpUntilIdle();
    ASSERT_NE(TdxBarItemDragging::Current(), nullptr);
    Input.MoveTo(To);
    EXPECT_EQ(pf::Screen().Cursor(), crdxBarDrag);
    Input.Release(To);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(TdxBarItemDragging::Current(), nullptr);
    EXPECT_EQ(Rows(Page.LCommands()), (std::vector<std::string>{"Sa&ve", "&Open"}));
    EXPECT_EQ(Open->Category(), 1);
    EXPECT_EQ(Tools->ItemLinks().Count(), 2);
}

// A command shown only while customizing: on and off, the toolbar, a menu and a popup menu
// follow.
TEST_F(CustomizingCommandsTest, ACommandForCustomizingOnlyComesAndGoesWithCustomizing) {
    TdxBarSubItem& Edit = Sub(Bar->ItemLinks(), "&Edit");
    Button(Edit.ItemLinks(), "Undo");
    Button(Edit.ItemLinks(), "Layout").SetVisible(ivInCustomizing);
    Button(Tools->ItemLinks(), "Layout tools").SetVisible(ivInCustomizing);
    auto& Context = Form->Own<TdxBarPopupMenu>();
    Button(Context.ItemLinks(), "Cut");
    Button(Context.ItemLinks(), "Layout here").SetVisible(ivInCustomizing);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Context.ItemLinks().VisibleItemCount(), 1);
    ASSERT_EQ(Tools->ItemLinks().VisibleItemCount(), 2);
    ASSERT_EQ(Edit.ItemLinks().VisibleItemCount(), 1);
    OpenCommands();
    EXPECT_EQ(Tools->ItemLinks().VisibleItemCount(), 3);
    EXPECT_NE(Tools->ItemLinks().Items(2)->Control(), nullptr);
    EXPECT_EQ(Edit.ItemLinks().VisibleItemCount(), 2);
    EXPECT_EQ(Context.ItemLinks().VisibleItemCount(), 2);
    EndCustomizing();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->ItemLinks().VisibleItemCount(), 2);
    EXPECT_EQ(Tools->ItemLinks().Items(2)->Control(), nullptr);
    EXPECT_EQ(Edit.ItemLinks().VisibleItemCount(), 1);
    EXPECT_EQ(Context.ItemLinks().VisibleItemCount(), 1);
}

TEST_F(CustomizingCommandsTest, APressOnACommandThenReleaseDoesNotDrag) {
    TdxBarCustomizingCommands& Page = OpenCommands();
    ClickRow(Page.LCategories(), 1);
    ClickRow(Page.LCommands(), 1);
    EXPECT_EQ(TdxBarItemDragging::Current(), nullptr);
    EXPECT_EQ(Tools->ItemLinks().Count(), 2);
    EXPECT_EQ(Page.LCommands().ItemIndex(), 1);
}

TEST_F(CustomizingCommandsTest, TheListDrawsItsRowsWithTheDialogPainter) {
    toolkit::base::testing_support::ClassicColors Classic;
    Manager->SetStyle(bmsStandard);
    TdxBarCustomizingCommands& Page = OpenCommands();
    ClickRow(Page.LCategories(), 1);
    ClickRow(Page.LCommands(), 0);
    TCommandsListBox& List = Page.LCommands();
    EXPECT_EQ(List.ItemHeight(), 22);
    EXPECT_EQ(List.Painter(), &TdxBarCustomizingFormStandardPainter::Instance());
    pw::UpdateWindow(List.Handle());
    testsupport::TempFolder Folder("customizing_commands");
    const std::string Path = Folder.Path() + "/customize_commands_page.png";
    ASSERT_TRUE(testsupport::SaveWindowPng(Dialog->Handle(), Path));
    // The selected row has no glyph: highlighted across the glyph column; the row under it and
    // the rest of the list are face-coloured.
    const pg::TRect R0 = List.ItemRect(0);
    const pg::TRect R1 = List.ItemRect(1);
    const pg::HDC DC = pw::GetDC(List.Handle());
    const auto At = [&](int X, int Y) { return pg::GetPixel(DC, X, Y); };
    EXPECT_EQ(At(R0.Left + 5, R0.Top + 5), pg::ColorToRGB(pg::clHighlight));
    EXPECT_EQ(At(R0.Left + 60, R0.Top + 3), pg::ColorToRGB(pg::clHighlight));
    EXPECT_EQ(At(R1.Left + 5, R1.Top + 5), pg::ColorToRGB(pg::clBtnFace));
    EXPECT_EQ(At(R1.Left + 5, R1.Bottom + 10), pg::ColorToRGB(pg::clBtnFace));
    pw::ReleaseDC(List.Handle(), DC);
}

// A command is listed with its caption as the bars show it: the row of "&Keyboard" is drawn
// pixel for pixel as the row of "Keyboard", and "Save &As..." as "Save As...".
TEST_F(CustomizingCommandsTest, TheListShowsCaptionsWithoutTheirAccelerators) {
    Manager->Categories().Add("Gadgets");
    Command("Lead", 3, ivAlways);
    for (const char* Caption : {"&Keyboard", "Keyboard", "Save &As...", "Save As..."})
        Command(Caption, 3, ivAlways);
    TdxBarCustomizingCommands& Page = OpenCommands();
    ClickRow(Page.LCategories(), 2);
    TCommandsListBox& List = Page.LCommands();
    ASSERT_EQ(Rows(List), (std::vector<std::string>{"Lead", "&Keyboard", "Keyboard", "Save &As...",
                                                    "Save As..."}));
    pw::UpdateWindow(List.Handle());
    const pg::HDC DC = pw::GetDC(List.Handle());
    // Rows 1 and 2, 3 and 4, from the glyph column to the end.
    for (const int Row : {1, 3}) {
        SCOPED_TRACE(Row);
        const pg::TRect Marked = List.ItemRect(Row);
        const pg::TRect Plain = List.ItemRect(Row + 1);
        ASSERT_EQ(Marked.Height(), Plain.Height());
        int Ink = 0;
        int Differ = 0;
        for (int Y = 0; Y < Marked.Height(); ++Y)
            for (int X = Marked.Left; X < Marked.Right; ++X) {
                const pg::COLORREF A = pg::GetPixel(DC, X, Marked.Top + Y);
                if (A != pg::ColorToRGB(pg::clBtnFace)) ++Ink;
                if (A != pg::GetPixel(DC, X, Plain.Top + Y)) ++Differ;
            }
        EXPECT_GT(Ink, 0);
        EXPECT_EQ(Differ, 0);
    }
    pw::ReleaseDC(List.Handle(), DC);
}

// An item freed by the program while the list shows it: the list lets go of it at once and
// keeps its selection on the same row; painting and clicking the list touch only live items.
TEST_F(CustomizingCommandsTest, ACommandFreedWhileListedLeavesTheList) {
    TdxBarCustomizingCommands& Page = OpenCommands();
    ClickRow(Page.LCategories(), 1);
    ClickRow(Page.LCommands(), 1);
    ASSERT_EQ(Rows(Page.LCommands()), (std::vector<std::string>{"&Open", "Sa&ve"}));
    Form->FreeComponent(*Open);
    Open = nullptr;
    EXPECT_EQ(Rows(Page.LCommands()), (std::vector<std::string>{"Sa&ve"}));
    EXPECT_EQ(Page.LCommands().ItemIndex(), 0);
    EXPECT_EQ(Page.LCommands().SelectedItem()->Caption(), "Sa&ve");
    pw::UpdateWindow(Page.LCommands().Handle());
    ClickRow(Page.LCommands(), 0);
    EXPECT_EQ(Page.DescriptionLabel().Caption(), "");
    // The last row going moves the selection up.
    Form->FreeComponent(*Page.LCommands().SelectedItem());
    EXPECT_TRUE(Rows(Page.LCommands()).empty());
    EXPECT_EQ(Page.LCommands().ItemIndex(), -1);
    pw::UpdateWindow(Page.LCommands().Handle());
}

// The commands list and the options follow the edited manager's style while the dialog is open.
TEST_F(CustomizingCommandsTest, TheListTakesTheWindowColourUnderTheFlatStyle) {
    TdxBarCustomizingCommands& Page = OpenCommands();
    EXPECT_EQ(Page.LCommands().Color(), pg::clBtnFace);
    Manager->SetStyle(bmsFlat);
    EXPECT_EQ(Page.LCommands().Color(), pg::clWindow);
    Manager->SetStyle(bmsStandard);
    EXPECT_EQ(Page.LCommands().Color(), pg::clBtnFace);
}

} // namespace
} // namespace toolkit::bars
