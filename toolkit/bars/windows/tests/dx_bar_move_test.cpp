#include "toolkit/bars/windows/dx_bar_move.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "toolkit/base/office11.h"

#include "platform/core/clock.h"
#include "platform/core/message_loop.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A form with the main window's two bars: the menu bar in row 0 of the top site and a toolbar
// of eight buttons in row 1, on a 1024 x 768 screen whose work area ends 40 pixels early.
class BarMoveTest : public MenuFormFixture {
protected:
    BarMoveTest() {
        pw::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 728}}});
        MakeOffice11MainMenu();
        for (const char* Caption : {"&File", "&Help"})
            Sub(Bar->ItemLinks(), Caption);
        MakeToolbar();
        Tools->SetDockedTop(40);
        for (int I = 0; I < 8; ++I)
            Button(Tools->ItemLinks(), "B" + std::to_string(I + 1));
        Form->Show();
        Bar->SetVisible(true);
        Tools->SetVisible(true);
        testsupport::PumpUntilIdle();
    }

    TdxBarControl& Window(TdxBar& Bar) { return *dynamic_cast<TdxBarControl*>(Bar.Control()); }
    TdxDockControl& Top() { return *Manager->Bars()->DockControls(dsTop); }
    int RowOf(TdxBar& Bar) {
        const TdxDockCol* Col = Top().FindCol(Bar.Control());
        return Col ? Top().IndexOfRow(Col->Row) : -1;
    }
    pw::TRect ScreenRect(TdxBar& Bar) {
        pw::TRect R;
        pw::GetWindowRect(Window(Bar).Handle(), &R);
        return R;
    }
    // The docked toolbar's drag handle, in the frame left of its client area.
    pg::TPoint Handle() { return Window(*Tools).WindowToScreen({3, Window(*Tools).Height() / 2}); }
    // A point on the floating toolbar's caption, left of its close button.
    pg::TPoint Caption(TdxBar* Of = nullptr) {
        TdxBarControl& W = Window(Of ? *Of : *Tools);
        const pg::TRect C = W.GetCaptionRect();
        return W.WindowToScreen({C.Left + 8, (C.Top + C.Bottom) / 2});
    }
    pg::TPoint TopSiteBottomLeft() { return Top().ClientToScreen({0, Top().ClientHeight()}); }
    // Drags the toolbar by its handle 100 pixels below the top site, a third into the form.
    void FloatByDrag() {
        const pg::TPoint From = Handle();
        const pg::TPoint To{From.X + 200, TopSiteBottomLeft().Y + 100};
        Input.Press(From);
        Input.MoveTo({From.X + 100, From.Y + 50});
        Input.MoveTo(To);
        Input.Release(To);
        testsupport::PumpUntilIdle();
    }
    void Wait(int Ms) { pc::RunFor(Clock, pc::Millis(Ms)); }
};

TEST_F(BarMoveTest, DraggedBelowTheTopSiteTheToolbarFloatsAsACaptionedToolWindow) {
    ASSERT_EQ(RowOf(*Tools), 1);
    const int MenuRow = Window(*Bar).Height();
    FloatByDrag();
    ASSERT_EQ(Tools->DockingStyle(), dsNone);
    TdxBarControl& W = Window(*Tools);
    EXPECT_EQ(pw::GetWindowLong(W.Handle(), pw::GWL_STYLE) & pw::WS_CHILD, 0);
    EXPECT_EQ(pw::GetWindow(W.Handle(), pw::GW_OWNER), Form->Handle());
    EXPECT_NE(pw::GetWindowLong(W.Handle(), pw::GWL_EXSTYLE) & pw::WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(pw::GetWindowText(W.Handle()), "ToolBar");
    EXPECT_TRUE(pw::IsWindowVisible(W.Handle()));
    // Where the bar keeps it, and where the cursor let go of it.
    const pw::TRect R = ScreenRect(*Tools);
    EXPECT_EQ(R.Left, Tools->FloatLeft());
    EXPECT_EQ(R.Top, Tools->FloatTop());
    EXPECT_TRUE(pg::PtInRect(R, {Handle().X + 200, TopSiteBottomLeft().Y + 100}) ||
                R.Top > TopSiteBottomLeft().Y);
    // The top site holds the menu row alone.
    EXPECT_EQ(Top().RowCount(), 1);
    EXPECT_EQ(Top().ClientHeight(), MenuRow);
    EXPECT_FALSE(Manager->IsDragging());
    EXPECT_EQ(pw::GetCapture(), pw::NullHWnd);

    testsupport::TempFolder Folder("bar_move");
    testsupport::SaveWindowPng(W.Handle(), Folder.PathOf("floating_toolbar.png"));
}

TEST_F(BarMoveTest, AFloatingBarDraggedBackDocksOnlyAfterTheDockingWait) {
    FloatByDrag();
    ASSERT_EQ(Tools->DockingStyle(), dsNone);
    const pg::TPoint Over = Window(*Bar).ClientToScreen({300, Window(*Bar).ClientHeight() / 2});
    Input.Press(Caption());
    Input.MoveTo({Over.X, Over.Y + 40});
    Input.MoveTo(Over);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->DockingStyle(), dsNone) << "docked before the wait";
    Wait(Manager->WaitForDockingTime() + 1);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->DockingStyle(), dsTop);
    Input.Release(Over);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->DockingStyle(), dsTop);
    EXPECT_NE(RowOf(*Tools), -1);
    EXPECT_EQ(Tools->Control()->Dragging(), false);
}

struct DockPointCase {
    const char* Name;
    // A panel fills the form below the top site.
    bool Panel;
    TdxBarDockingStyle Expected;
};

class BarDockPointTest : public BarMoveTest, public ::testing::WithParamInterface<DockPointCase> {};

// The top site's docking zone reaches 23 pixels below it; the bar rests 20 pixels below.
TEST_P(BarDockPointTest, ABarDocksInTheZoneBelowASiteOnlyWhereNoOtherChildWindowLies) {
    const DockPointCase& C = GetParam();
    if (C.Panel) {
        auto& Panel = Form->Own<pf::TPanel>();
        Panel.SetParent(Form);
        Panel.SetAlign(pf::alClient);
        testsupport::PumpUntilIdle();
    }
    FloatByDrag();
    ASSERT_EQ(Tools->DockingStyle(), dsNone);
    const pg::TPoint Start = Caption();
    ASSERT_LT(Start.Y - ScreenRect(*Tools).Top, 20) << "the grab offset stays below the site";
    const pg::TPoint Below{TopSiteBottomLeft().X + 300, TopSiteBottomLeft().Y + 20};
    Input.Press(Start);
    Input.MoveTo({Below.X, Below.Y + 40});
    Input.MoveTo(Below);
    Wait(Manager->WaitForDockingTime() + 1);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->DockingStyle(), C.Expected);
    Input.Release(Below);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->DockingStyle(), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(Below, BarDockPointTest,
                         ::testing::Values(DockPointCase{"OverTheFormItself", false, dsTop},
                                           DockPointCase{"OverAPanel", true, dsNone}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

struct FrameStyleCase {
    const char* Name;
    TdxBarManagerStyle Style;
};

class BarFloatingFrameStyleTest : public BarMoveTest,
                                  public ::testing::WithParamInterface<FrameStyleCase> {};

// The hot close button of the floating frame in each painter style, as a PNG to look at.
TEST_P(BarFloatingFrameStyleTest, TheHotCloseButtonShowsItsGlyphInTheCaption) {
    Manager->SetStyle(GetParam().Style);
    testsupport::PumpUntilIdle();
    FloatByDrag();
    ASSERT_EQ(Tools->DockingStyle(), dsNone);
    TdxBarControl& W = Window(*Tools);
    const pg::TRect Close = W.GetCloseButtonRect();
    Input.MoveTo(
        W.WindowToScreen({(Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2}));
    testsupport::PumpUntilIdle();
    ASSERT_EQ(W.CloseButtonState(), 1);
    const auto Surface = pw::WindowSurface(W.Handle());
    auto At = [&](int X, int Y) { return pg::PixelToColor(Surface->Pixel(X, Y) & 0xFFFFFF); };
    // The cross's ink: a dark pixel inside the button.
    bool Ink = false;
    for (int Y = Close.Top; Y < Close.Bottom && !Ink; ++Y)
        for (int X = Close.Left; X < Close.Right && !Ink; ++X)
            Ink = pg::GetRValue(At(X, Y)) < 80 && pg::GetGValue(At(X, Y)) < 80 &&
                  pg::GetBValue(At(X, Y)) < 80;
    EXPECT_TRUE(Ink);
    if (GetParam().Style == bmsStandard) {
        // The classic frame's button: raised while hot, its highlight at the ring's top left.
        const int Size = pg::GetSystemMetrics(pg::SM_CXSMSIZE);
        const int Top = Close.Top + (Close.Height() - (Size + 1)) / 2;
        EXPECT_EQ(At(Close.Right - Size + 1, Top + 2), pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));
    }
    testsupport::TempFolder Folder("floating_frame_style");
    EXPECT_TRUE(testsupport::SaveWindowPng(W.Handle(),
                                           Folder.PathOf(std::string(GetParam().Name) + ".png")));
}

INSTANTIATE_TEST_SUITE_P(Styles, BarFloatingFrameStyleTest,
                         ::testing::Values(FrameStyleCase{"Standard", bmsStandard},
                                           FrameStyleCase{"Enhanced", bmsEnhanced},
                                           FrameStyleCase{"Flat", bmsFlat},
                                           FrameStyleCase{"XP", bmsXP},
                                           FrameStyleCase{"Office11", bmsOffice11}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(BarMoveTest, CtrlHeldKeepsTheBarFloatingOverADockSite) {
    FloatByDrag();
    const pg::TPoint Over = Window(*Bar).ClientToScreen({300, Window(*Bar).ClientHeight() / 2});
    Input.Press(Caption());
    Input.KeyDown(Qt::Key_Control);
    Input.MoveTo({Over.X, Over.Y + 40});
    Input.MoveTo(Over);
    Wait(200);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->DockingStyle(), dsNone);
    // Ctrl let go docks it once the cursor has rested there.
    Input.KeyUp(Qt::Key_Control);
    Wait(Manager->WaitForDockingTime() + 1);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Tools->DockingStyle(), dsTop);
    Input.Release(Over);
}

TEST_F(BarMoveTest, EscEndsTheDragWhereTheBarIs) {
    FloatByDrag();
    const pg::TPoint Start = Caption();
    Input.Press(Start);
    Input.MoveTo({Start.X + 30, Start.Y + 20});
    testsupport::PumpUntilIdle();
    const pw::TRect There = ScreenRect(*Tools);
    Input.Key(Qt::Key_Escape);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Manager->Bars()->Moving(), nullptr);
    EXPECT_EQ(pw::GetCapture(), pw::NullHWnd);
    Input.MoveTo({Start.X + 90, Start.Y + 80});
    Input.Release({Start.X + 90, Start.Y + 80});
    testsupport::PumpUntilIdle();
    EXPECT_EQ(ScreenRect(*Tools), There);
    EXPECT_EQ(Tools->FloatLeft(), There.Left);
}

TEST_F(BarMoveTest, DoubleClicksFloatTheDockedBarAndDockItAgainInItsRow) {
    // The docked handle floats it where it floated last.
    Tools->SetFloatLeft(200);
    Tools->SetFloatTop(400);
    Input.Click(Handle());
    Input.Click(Handle());
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Tools->DockingStyle(), dsNone);
    EXPECT_EQ(ScreenRect(*Tools).Left, 200);
    EXPECT_EQ(ScreenRect(*Tools).Top, 400);
    EXPECT_EQ(Top().RowCount(), 1);
    // The caption docks it in the row it left.
    Input.Click(Caption());
    Input.Click(Caption());
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Tools->DockingStyle(), dsTop);
    EXPECT_EQ(RowOf(*Tools), 1);
    EXPECT_EQ(RowOf(*Bar), 0);
}

// A bar that has only ever floated has no row to go back to: its caption docks it in a row of
// its own under the others, not above the main menu.
TEST_F(BarMoveTest, ADoubleClickDocksANeverDockedBarInANewRowUnderTheOthers) {
    TdxBar& Palette = *Manager->Bars()->Add();
    Palette.SetCaption("Palette");
    Palette.SetDockingStyle(dsNone);
    Palette.SetFloatLeft(300);
    Palette.SetFloatTop(400);
    Palette.SetFloatClientWidth(200);
    for (const char* Caption : {"P1", "P2"})
        Button(Palette.ItemLinks(), Caption);
    Palette.SetVisible(true);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Palette.DockingStyle(), dsNone);
    ASSERT_EQ(Top().RowCount(), 2);
    const int ToolsBottom = ScreenRect(*Tools).Bottom;
    Input.Click(Caption(&Palette));
    Input.Click(Caption(&Palette));
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Palette.DockingStyle(), dsTop);
    EXPECT_EQ(Top().RowCount(), 3);
    EXPECT_EQ(RowOf(*Bar), 0);
    EXPECT_EQ(RowOf(*Tools), 1);
    EXPECT_EQ(RowOf(Palette), 2);
    EXPECT_EQ(ScreenRect(*Tools).Bottom, ToolsBottom);
    EXPECT_GE(ScreenRect(Palette).Top, ToolsBottom);
    EXPECT_EQ(ScreenRect(Palette).Left, TopSiteBottomLeft().X);
}

TEST_F(BarMoveTest, TheCloseButtonHidesTheFloatingBar) {
    FloatByDrag();
    TdxBarControl& W = Window(*Tools);
    const pg::TRect Close = W.GetCloseButtonRect();
    const pg::TPoint At =
        W.WindowToScreen({(Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2});
    Input.MoveTo(At);
    EXPECT_EQ(W.CloseButtonState(), 1);
    Input.Press(At);
    EXPECT_EQ(W.CloseButtonState(), 2);
    // Off the button it comes up again; back on it, it is held.
    Input.MoveTo({At.X + 40, At.Y + 40});
    EXPECT_EQ(W.CloseButtonState(), 1);
    Input.MoveTo(At);
    Input.Release(At);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Tools->Visible());
    EXPECT_EQ(Tools->Control(), nullptr);
}

// Where floating bars stay while the user works elsewhere, a press on the close button brings
// the form back first; the closing is the manager's OnBarClose.
TEST_F(BarMoveTest, TheCloseButtonActivatesTheFormAndTellsTheManager) {
    Manager->SetHideFloatingBarsWhenInactive(false);
    FloatByDrag();
    std::vector<TdxBar*> Closed;
    Manager->OnBarClose = [&](TdxBarManager*, TdxBar* B) { Closed.push_back(B); };
    auto& Other = FRoot->Own<pf::TForm>();
    Other.SetBounds(700, 600, 200, 100);
    Other.Show();
    Input.ActivateWindow(Other.Handle());
    testsupport::PumpUntilIdle();
    ASSERT_EQ(pw::GetActiveWindow(), Other.Handle());
    TdxBarControl& W = Window(*Tools);
    const pg::TRect Close = W.GetCloseButtonRect();
    const pg::TPoint At =
        W.WindowToScreen({(Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2});
    Input.MoveTo(At);
    Input.Press(At);
    EXPECT_EQ(pw::GetActiveWindow(), Form->Handle());
    EXPECT_TRUE(Closed.empty());
    Input.Release(At);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Tools->Visible());
    EXPECT_EQ(Closed, std::vector<TdxBar*>{Tools});
}

// A form the designer edits, and a designer that counts the changes it hears of.
class TDesignedForm : public pf::TForm {
public:
    using pc::TComponent::SetDesigning;
    using pf::TForm::TForm;
};

class TCountingDesigner : public TdxBarDesigner {
public:
    void SelectComponent(TdxBarManager&, pc::TPersistent*) override {}
    pc::TPersistent* SelectedComponent(TdxBarManager&) override { return nullptr; }
    bool CanAddComponent(TdxBarManager&) override { return true; }
    bool CanDeleteComponent(TdxBarManager&, pc::TComponent*) override { return true; }
    bool DeleteComponent(TdxBarManager&, pc::TComponent*) override { return false; }
    void Modified(TdxBarManager&) override { ++Changes; }
    int Changes = 0;
};

// While a form is designed, closing one of its floating bars with the close button changes the
// design: the designer hears of it, so that the form is saved with the bar hidden.
TEST_F(BarMoveTest, ClosingAFloatingBarOfADesignedFormTellsTheDesigner) {
    TCountingDesigner Designer;
    struct Installed {
        TdxBarDesigner* Previous;
        ~Installed() { SetdxBarDesigner(Previous); }
    } Guard{SetdxBarDesigner(&Designer)};
    auto& Design = FRoot->Own<TDesignedForm>();
    Design.SetDesigning(true);
    Design.SetBounds(100, 350, 300, 200);
    auto& DesignManager = Design.Own<TdxBarManager>();
    ASSERT_TRUE(DesignManager.IsDesigning());
    TdxBar& Floating = *DesignManager.Bars()->Add();
    Floating.SetCaption("Floating");
    Floating.SetFloatLeft(600);
    Floating.SetFloatTop(400);
    Floating.SetDockingStyle(dsNone);
    auto& Command = Design.Own<TdxBarButton>();
    Command.SetCaption("Command");
    Floating.ItemLinks().Add(&Command);
    Design.Show();
    Floating.SetVisible(true);
    testsupport::PumpUntilIdle();
    TdxBarControl& W = Window(Floating);
    ASSERT_EQ(W.DockingStyle(), dsNone);
    const pg::TRect Close = W.GetCloseButtonRect();
    const pg::TPoint At =
        W.WindowToScreen({(Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2});
    const int Before = Designer.Changes;
    Input.MoveTo(At);
    Input.Press(At);
    Input.Release(At);
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Floating.Visible());
    EXPECT_GT(Designer.Changes, Before);
}

// An open menu closes when the row under it goes: it would hang where its entry no longer is.
TEST_F(BarMoveTest, AnOpenMenuClosesWhenTheTopSiteChangesItsSize) {
    TdxBarSubItem& File = *dynamic_cast<TdxBarSubItem*>(Bar->ItemLinks().Items(0)->Item());
    Button(File.ItemLinks(), "&Open");
    Input.MoveTo(CentreOf(Bar->ItemLinks(), 0));
    Input.Click(CentreOf(Bar->ItemLinks(), 0));
    testsupport::PumpUntilIdle();
    ASSERT_NE(MenuOf(File), nullptr);
    const int Height = Top().Height();
    // The program hides the toolbar while the menu is open (a command's timer, say).
    Tools->SetVisible(false);
    testsupport::PumpUntilIdle();
    ASSERT_LT(Top().Height(), Height);
    EXPECT_EQ(MenuOf(File), nullptr);
    EXPECT_EQ(TCustomdxBarControl::ActiveBarControl(), nullptr);
}

// A pop-up menu closes too: the form's layout changed under it.
TEST_F(BarMoveTest, AnOpenPopupMenuClosesWhenTheTopSiteChangesItsSize) {
    auto& Popup = Form->Own<TdxBarPopupMenu>();
    Button(Popup.ItemLinks(), "&Open");
    Popup.ReturnAtOnce = true;
    Popup.Popup(300, 200);
    testsupport::PumpUntilIdle();
    ASSERT_NE(Popup.GetSubMenuControl(), nullptr);
    const int Height = Top().Height();
    Tools->SetVisible(false);
    testsupport::PumpUntilIdle();
    ASSERT_LT(Top().Height(), Height);
    EXPECT_EQ(Popup.GetSubMenuControl(), nullptr);
    EXPECT_EQ(TCustomdxBarControl::ActiveBarControl(), nullptr);
}

// Dragged along its row by the handle, a docked bar takes its neighbour's place only once the
// cursor is its own length past the neighbour's start.
TEST_F(BarMoveTest, ABarDraggedAlongItsRowPassesItsNeighbourAfterItsOwnLength) {
    TdxBar& More = *Manager->Bars()->Add();
    More.SetCaption("More");
    More.SetDockingStyle(dsTop);
    More.SetRow(1);
    More.SetDockedLeft(400);
    More.SetDockedTop(Window(*Tools).Top());
    for (const char* Caption : {"M1", "M2"})
        Button(More.ItemLinks(), Caption);
    More.SetVisible(true);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(RowOf(More), 1);
    auto Order = [&] {
        const TdxDockRow& Row = *Top().Rows(1);
        std::vector<std::string> Result;
        for (int I = 0; I < Row.ColCount(); ++I)
            Result.push_back(Row.Col(I)->BarControl->Bar()->Caption());
        return Result;
    };
    ASSERT_EQ(Order(), (std::vector<std::string>{"ToolBar", "More"}));
    const int Length = Window(*Tools).Width();
    // High on the handle: the row's upper band joins the row (lower down the cursor would
    // open a new row, or join the next).
    const pg::TPoint From = Window(*Tools).WindowToScreen({3, 4});
    const int MoreLeft = ScreenRect(More).Left;
    Input.Press(From);
    Input.MoveTo({MoreLeft + 5, From.Y});
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Order(), (std::vector<std::string>{"ToolBar", "More"})) << "just past its start";
    Input.MoveTo({MoreLeft + Length + 5, From.Y});
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Order(), (std::vector<std::string>{"More", "ToolBar"}));
    Input.Release({MoreLeft + Length + 5, From.Y});
    testsupport::PumpUntilIdle();
    EXPECT_LT(ScreenRect(More).Left, ScreenRect(*Tools).Left);
}

TEST_F(BarMoveTest, ReleasedOffTheCloseButtonTheBarStays) {
    FloatByDrag();
    TdxBarControl& W = Window(*Tools);
    const pg::TRect Close = W.GetCloseButtonRect();
    const pg::TPoint At =
        W.WindowToScreen({(Close.Left + Close.Right) / 2, (Close.Top + Close.Bottom) / 2});
    Input.Press(At);
    Input.MoveTo({At.X + 40, At.Y + 40});
    Input.Release({At.X + 40, At.Y + 40});
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Tools->Visible());
    EXPECT_EQ(W.CloseButtonState(), 0);
}

TEST_F(BarMoveTest, SizingByTheLeftEdgeChangesTheWidthAndTheHeightFollows) {
    // A bar that does not personalise keeps every button and wraps them.
    Tools->SetUseRecentItems(false);
    FloatByDrag();
    TdxBarControl& W = Window(*Tools);
    const pw::TRect Before = ScreenRect(*Tools);
    const pg::TPoint Edge{Before.Left, (Before.Top + Before.Bottom) / 2};
    Input.Press(Edge);
    Input.MoveTo({Edge.X + Before.Width() / 2, Edge.Y});
    Input.Release({Edge.X + Before.Width() / 2, Edge.Y});
    testsupport::PumpUntilIdle();
    const pw::TRect After = ScreenRect(*Tools);
    EXPECT_EQ(After.Right, Before.Right);
    EXPECT_EQ(After.Top, Before.Top);
    EXPECT_LT(After.Width(), Before.Width());
    EXPECT_GT(After.Height(), Before.Height()) << "the items wrap into more lines";
    // The height is what the items need at that width.
    const pg::TSize Client = W.GetSizeForDockingStyle(dsNone, W.ClientWidth());
    EXPECT_EQ(W.ClientHeight(), Client.cy);
    EXPECT_EQ(Tools->FloatClientWidth(), W.ClientWidth());
}

// A personalised floating bar (the Office11 style) keeps to one row: narrowed, it shows the
// most recently used buttons that fit, in their order on the bar. The buttons were added last
// to first in the recent order; B1 is then used.
TEST_F(BarMoveTest, ANarrowedPersonalisedFloatingBarShowsTheRecentButtonsThatFitInOneRow) {
    FloatByDrag();
    TdxBarControl& W = Window(*Tools);
    ASSERT_EQ(Tools->ItemLinks().VisibleItemCount(), 8);
    const pg::TPoint B1 = CentreOf(Tools->ItemLinks(), 0);
    Input.MoveTo(B1);
    Input.Click(B1);
    testsupport::PumpUntilIdle();
    const pw::TRect Before = ScreenRect(*Tools);
    const pg::TPoint Edge{Before.Left, (Before.Top + Before.Bottom) / 2};
    Input.Press(Edge);
    Input.MoveTo({Edge.X + Before.Width() / 2, Edge.Y});
    Input.Release({Edge.X + Before.Width() / 2, Edge.Y});
    testsupport::PumpUntilIdle();
    EXPECT_LT(ScreenRect(*Tools).Width(), Before.Width());
    EXPECT_EQ(ScreenRect(*Tools).Height(), Before.Height()) << "one row still";
    const std::vector<std::string> Shown = ShownCaptions(Tools->ItemLinks());
    ASSERT_GE(Shown.size(), 3u);
    ASSERT_LT(Shown.size(), 8u);
    EXPECT_EQ(Shown[0], "B1");
    EXPECT_EQ(Shown[1], "B" + std::to_string(8 - Shown.size() + 2)) << "B2 on are left out";
    EXPECT_EQ(Shown.back(), "B8");
    const int Row = Tools->ItemLinks().VisibleItems(0)->ItemRect.Top;
    for (int I = 0; I < Tools->ItemLinks().VisibleItemCount(); ++I) {
        const pg::TRect R = Tools->ItemLinks().VisibleItems(I)->ItemRect;
        EXPECT_EQ(R.Top, Row) << I;
        EXPECT_LE(R.Right, W.ClientWidth()) << I;
    }
}

struct OffScreenCase {
    const char* Name;
    pg::TPoint To;
    // -1: the left or top of the work area; -2: its right or bottom less the bar's size; else
    // the coordinate as given.
    int Left;
    int Top;
};

class BarOffScreenTest : public BarMoveTest, public ::testing::WithParamInterface<OffScreenCase> {};

TEST_P(BarOffScreenTest, ABarOffEveryScreenComesBackToTheWorkArea) {
    FloatByDrag();
    TdxBarControl& W = Window(*Tools);
    const OffScreenCase& C = GetParam();
    Input.MoveTo({500, 300});
    W.SetBounds(C.To.X, C.To.Y, W.Width(), W.Height());
    const pw::TRect R = ScreenRect(*Tools);
    const int Left = C.Left == -1 ? 0 : C.Left == -2 ? 1024 - R.Width() : C.Left;
    const int Top = C.Top == -1 ? 0 : C.Top == -2 ? 728 - R.Height() : C.Top;
    EXPECT_EQ(R.Left, Left);
    EXPECT_EQ(R.Top, Top);
}

INSTANTIATE_TEST_SUITE_P(Sides, BarOffScreenTest,
                         ::testing::Values(OffScreenCase{"Left", {-900, 200}, -1, 200},
                                           OffScreenCase{"Above", {300, -600}, 300, -1},
                                           OffScreenCase{"Right", {1100, 200}, -2, 200},
                                           OffScreenCase{"Below", {300, 800}, 300, -2},
                                           OffScreenCase{"RightAndBelow", {3000, 3000}, -2, -2},
                                           OffScreenCase{
                                               "PartlyOnScreenStays", {1000, 700}, 1000, 700}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(BarMoveTest, AFloatingBarHidesAndShowsWithoutTakingActivation) {
    FloatByDrag();
    TdxBarControl& W = Window(*Tools);
    const pw::HWND Active = pw::GetActiveWindow();
    W.SetFloatingShown(false);
    EXPECT_FALSE(pw::IsWindowVisible(W.Handle()));
    W.SetFloatingShown(true);
    EXPECT_TRUE(pw::IsWindowVisible(W.Handle()));
    EXPECT_EQ(pw::GetActiveWindow(), Active);
}

} // namespace
} // namespace toolkit::bars
