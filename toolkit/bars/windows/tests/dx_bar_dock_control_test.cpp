#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/painters/dx_bar_painter.h"
#include "toolkit/bars/windows/dx_bar_dock_control.h"

#include "platform/core/loading_bracket.h"
#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

// A toolbar window reduced to what the row model asks of it: its lengths are given, its
// thickness is fixed, and its rectangle is only remembered.
class TFakeBarWindow : public TdxDockedBarWindow {
    TdxBar& FBar;

public:
    TFakeBarWindow(TdxBar& ABar, int AMin, int AFull, int AThickness)
        : FBar(ABar), Min(AMin), Full(AFull), Thickness(AThickness) {}
    TdxBar* Bar() const override { return &FBar; }
    pg::TSize GetMinSize(TdxBarDockingStyle) override { return {Min, Thickness}; }
    pg::TSize GetFullSize(TdxBarDockingStyle) override { return {Full, Thickness}; }
    pg::TSize GetSizeForLength(TdxBarDockingStyle, int Length) override {
        // A multi-line bar wraps onto a second line when it gets less than its full length.
        const int Lines = FBar.MultiLine() && Length < Full ? 2 : 1;
        return {Length, Thickness * Lines};
    }
    pg::TRect BoundsRect() const override { return FBounds; }
    void SetBoundsRect(const pg::TRect& R) override { FBounds = R; }
    void SetDockSite(TdxDockControl* Site, TdxBarDockingStyle AStyle) override {
        DockSite = Site;
        Style = AStyle;
    }
    void PlaceFloating(pg::TPoint Pos) override {
        FBounds = {Pos.X, Pos.Y, Pos.X + Full, Pos.Y + Thickness};
    }
    pg::TSize ClientSize() const override { return {FBounds.Width(), FBounds.Height()}; }
    void ShowNoActivate() override { Shown = true; }
    void SetTruncated(bool Value) override { FTruncated = Value; }
    bool Truncated() const override { return FTruncated; }
    void CalcItemRects() override { ++ItemPlacements; }
    void RefreshLayout() override {}
    void RepaintBar() override { ++Repaints; }
    bool Dragging() const override { return Dragged; }

    int Min;
    int Full;
    int Thickness;
    TdxDockControl* DockSite = nullptr;
    TdxBarDockingStyle Style = dsNone;
    bool Shown = false;
    bool Dragged = false;
    int Repaints = 0;
    int ItemPlacements = 0;

private:
    pg::TRect FBounds{};
    bool FTruncated = false;
};

struct TBarSizes {
    int Min;
    int Full;
    int Thickness;
};

class DockControlTest : public ::testing::Test {
protected:
    DockControlTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &FRoot->Own<pf::TForm>();
        Form->SetBounds(0, 0, 640, 480);
        Manager = &Form->Own<TdxBarManager>();
        Manager->Bars()->CreateBarControl = [this](TdxBar& Bar) {
            const TBarSizes S = Sizes[Bar.Name];
            auto Window = std::make_unique<TFakeBarWindow>(Bar, S.Min, S.Full, S.Thickness);
            Windows[Bar.Name] = Window.get();
            return Window;
        };
    }
    ~DockControlTest() override {
        FRoot.reset();
        pc::ProcessMessages();
    }

    TdxBar& NewBar(const std::string& Caption, TBarSizes S) {
        TdxBar& Bar = *Manager->Bars()->Add();
        Bar.SetCaption(Caption);
        Sizes[Bar.Name] = S;
        return Bar;
    }
    TdxBar& MenuBar() {
        TdxBar& Bar = NewBar("Main Menu", {100, 200, 20});
        Bar.SetIsMainMenu(true);
        Bar.SetDockingStyle(dsTop);
        return Bar;
    }
    TdxBar& ToolBar() {
        TdxBar& Bar = NewBar("ToolBar", {60, 180, 22});
        Bar.SetDockingStyle(dsTop);
        Bar.SetDockedTop(23);
        return Bar;
    }
    TdxDockControl& Top() { return *Manager->Bars()->DockControls(dsTop); }
    int RowOf(TdxBar& Bar) {
        const TdxDockCol* Col = Top().FindCol(Bar.Control());
        return Col ? Top().IndexOfRow(Col->Row) : -1;
    }
    // Three toolbars docked on top at Lefts, whose lengths on the site, frame and mark room
    // included, are 100, 80 and 120 with every item shown and 40, 30 and 50 with as many hidden
    // as can be.
    std::vector<TdxBar*> ThreeBarsInARow(int SiteLength, const std::vector<int>& Lefts) {
        Form->SetClientWidth(SiteLength);
        const std::vector<std::pair<int, int>> Lengths = {{40, 100}, {30, 80}, {50, 120}};
        TdxBar& Probe = NewBar("Probe", {});
        const int Frame = Border(Probe);
        const int Mark = Manager->Painter().HasHotMark() ? 0 : 11;
        Manager->Bars()->Delete(Probe.Index());
        std::vector<TdxBar*> Bars;
        for (std::size_t I = 0; I < Lengths.size(); ++I) {
            const auto [Min, Full] = Lengths[I];
            TdxBar& Bar = NewBar("Bar" + std::to_string(I), {Min - Frame - Mark, Full - Frame, 20});
            Bar.SetDockingStyle(dsTop);
            Bar.SetDockedLeft(Lefts[I]);
            Bar.SetVisible(true);
            Bars.push_back(&Bar);
        }
        return Bars;
    }
    // The length a bar takes on a top site for a client length, and back.
    int Border(TdxBar& Bar) { return Bar.GetNonClientWidth(dsTop); }
    int Across(TdxBar& Bar) { return Bar.GetNonClientHeight(dsTop); }

    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    std::map<std::string, TBarSizes> Sizes;
    std::map<std::string, TFakeBarWindow*> Windows;
};

TEST_F(DockControlTest, TheManagerHasFourAutomaticSitesOnItsFormSides) {
    ASSERT_NE(Manager->Bars(), nullptr);
    EXPECT_EQ(Manager->GetDockControlCount(), 4);
    const std::vector<std::pair<TdxBarDockingStyle, pf::TAlign>> Expected = {
        {dsLeft, pf::alLeft}, {dsTop, pf::alTop}, {dsRight, pf::alRight}, {dsBottom, pf::alBottom}};
    for (const auto& [Style, Align] : Expected) {
        TdxDockControl* Site = Manager->Bars()->DockControls(Style);
        ASSERT_NE(Site, nullptr);
        EXPECT_EQ(Site->Align(), Align);
        EXPECT_EQ(Site->DockingStyle(), Style);
        EXPECT_EQ(Site->Parent(), Form);
        EXPECT_TRUE(Site->IsAutomatic());
    }
    EXPECT_EQ(Manager->Bars()->DockControls(dsNone), nullptr);
}

class RowOrderTest : public DockControlTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RowOrderTest, TheMenuBarEndsInRowZeroAndTheToolbarInRowOne) {
    TdxBar& Menu = MenuBar();
    TdxBar& Tools = ToolBar();
    if (GetParam()) {
        Menu.SetVisible(true);
        Tools.SetVisible(true);
    } else {
        Tools.SetVisible(true);
        Menu.SetVisible(true);
    }
    EXPECT_EQ(Top().RowCount(), 2);
    EXPECT_EQ(RowOf(Menu), 0);
    EXPECT_EQ(RowOf(Tools), 1);
    const int MenuThickness = 20 + Across(Menu);
    const int ToolsThickness = 22 + Across(Tools);
    EXPECT_EQ(Top().GetRowThickness(0), MenuThickness);
    EXPECT_EQ(Top().GetRowThickness(1), ToolsThickness);
    EXPECT_EQ(Top().GetRowsSize(), MenuThickness + ToolsThickness);
    EXPECT_EQ(Top().Height(), MenuThickness + ToolsThickness);
    EXPECT_EQ(Tools.Control()->BoundsRect().Top, MenuThickness);
    EXPECT_TRUE(Windows["ToolBar"]->Shown);
}

INSTANTIATE_TEST_SUITE_P(ShownFirst, RowOrderTest, ::testing::Values(true, false),
                         [](const auto& Info) { return Info.param ? "Menu" : "Toolbar"; });

TEST_F(DockControlTest, AWholeRowBarNeverSharesItsRow) {
    TdxBar& Menu = MenuBar();
    Menu.SetVisible(true);
    // Dropped on the menu bar's own row, a toolbar opens a row of its own.
    TdxBar& Tools = ToolBar();
    Tools.SetDockedLeft(300);
    Tools.SetDockedTop(2);
    Tools.SetVisible(true);
    EXPECT_EQ(Top().RowCount(), 2);
    for (int R = 0; R < Top().RowCount(); ++R)
        EXPECT_EQ(Top().Rows(R)->ColCount(), 1);
    // And a whole-row bar shown on a toolbar's row takes a row of its own too.
    TdxBar& Status = NewBar("Wide", {50, 90, 18});
    Status.SetDockingStyle(dsTop);
    Status.SetWholeRow(true);
    Status.SetDockedTop(Tools.Control()->BoundsRect().Top + 2);
    Status.SetVisible(true);
    EXPECT_EQ(Top().RowCount(), 3);
    for (int R = 0; R < Top().RowCount(); ++R)
        EXPECT_EQ(Top().Rows(R)->ColCount(), 1);
}

TEST_F(DockControlTest, HidingAndShowingAToolbarRestoresItsRowAndPlace) {
    TdxBar& Menu = MenuBar();
    TdxBar& Tools = ToolBar();
    Tools.SetDockedLeft(120);
    Menu.SetVisible(true);
    Tools.SetVisible(true);
    const pg::TRect Before = Tools.Control()->BoundsRect();
    ASSERT_EQ(Before.Left, 120);

    Tools.SetVisible(false);
    EXPECT_EQ(Tools.Control(), nullptr);
    EXPECT_EQ(Top().RowCount(), 1);
    EXPECT_EQ(Tools.Row(), 1);
    EXPECT_TRUE(Tools.OneOnRow);
    EXPECT_EQ(Tools.DockedLeft(), 120);
    EXPECT_EQ(Tools.DockedTop(), Before.Top);
    EXPECT_EQ(Tools.DockedDockingStyle, dsTop);
    EXPECT_EQ(Tools.DockedDockControl(), nullptr);

    Tools.SetVisible(true);
    EXPECT_EQ(RowOf(Tools), 1);
    EXPECT_EQ(Tools.Control()->BoundsRect(), Before);
    Tools.SetVisible(false);
    EXPECT_EQ(Tools.Row(), 1);
    EXPECT_TRUE(Tools.OneOnRow);
    EXPECT_EQ(Tools.DockedLeft(), 120);
}

struct TLayoutCase {
    const char* Name;
    int SiteLength;
    std::vector<int> Lefts;
    std::vector<int> ExpectedLefts;
    std::vector<int> ExpectedLengths;
    std::vector<bool> ExpectedTruncated;
};

class RowLayoutTest : public DockControlTest, public ::testing::WithParamInterface<TLayoutCase> {};

TEST_P(RowLayoutTest, ARowLaysOutOnTheSiteLength) {
    const TLayoutCase& Case = GetParam();
    const std::vector<TdxBar*> Bars = ThreeBarsInARow(Case.SiteLength, Case.Lefts);
    ASSERT_EQ(Top().ClientWidth(), Case.SiteLength);
    ASSERT_EQ(Top().RowCount(), 1);
    for (std::size_t I = 0; I < Bars.size(); ++I) {
        SCOPED_TRACE(I);
        const pg::TRect R = Bars[I]->Control()->BoundsRect();
        EXPECT_EQ(Top().Rows(0)->Col(static_cast<int>(I))->BarControl, Bars[I]->Control());
        EXPECT_EQ(R.Left, Case.ExpectedLefts[I]);
        EXPECT_EQ(R.Width(), Case.ExpectedLengths[I]);
        EXPECT_EQ(Bars[I]->Control()->Truncated(), Case.ExpectedTruncated[I]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowLayoutTest,
    ::testing::Values(
        // Each keeps its full length at its docked-left place.
        TLayoutCase{"AllFitAtTheirPlaces",
                    600,
                    {0, 200, 400},
                    {0, 200, 400},
                    {100, 80, 120},
                    {false, false, false}},
        // The last would overrun the site: it moves back to end at the site's end.
        TLayoutCase{"AllFitTheLastMovesBack",
                    400,
                    {0, 150, 350},
                    {0, 150, 280},
                    {100, 80, 120},
                    {false, false, false}},
        // Too long: the last bar is cut and stretched to the site's end.
        TLayoutCase{"TooLongTheLastIsCut",
                    250,
                    {0, 110, 200},
                    {0, 100, 180},
                    {100, 80, 70},
                    {false, false, true}},
        // Far too long: every bar is cut, the last keeps its minimum beyond the site's end.
        TLayoutCase{"FarTooLongTheLastKeepsItsMinimum",
                    150,
                    {0, 110, 200},
                    {0, 70, 100},
                    {70, 30, 50},
                    {true, true, true}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// In a row too long for its site, a bar dragged back over its neighbour takes the bar after it
// along: that bar starts where the dragged one ends, and keeps the place once it is let go.
TEST_F(DockControlTest, TheBarAfterADraggedOneFollowsItBackAlongAFullRow) {
    const std::vector<TdxBar*> Bars = ThreeBarsInARow(250, {0, 110, 200});
    auto& Dragged = *Windows[Bars[1]->Name];
    Dragged.Dragged = true;
    Top().FindCol(&Dragged)->Pos.X = 60;
    Top().LayoutRows();
    const std::vector<int> Lefts = {0, 60, 140};
    const std::vector<int> Lengths = {60, 80, 110};
    for (int Pass = 0; Pass < 2; ++Pass) {
        SCOPED_TRACE(Pass);
        for (std::size_t I = 0; I < Bars.size(); ++I) {
            SCOPED_TRACE(I);
            const pg::TRect R = Bars[I]->Control()->BoundsRect();
            EXPECT_EQ(R.Left, Lefts[I]);
            EXPECT_EQ(R.Width(), Lengths[I]);
        }
        EXPECT_EQ(Top().FindCol(Bars[2]->Control())->Pos.X, 140);
        Dragged.Dragged = false;
        Top().LayoutRows();
    }
}

TEST_F(DockControlTest, AWholeRowBarTakesTheSiteLengthAndAMultiLineOneWraps) {
    Form->SetClientWidth(150);
    TdxBar& Menu = MenuBar();
    Menu.SetVisible(true);
    const pg::TRect R = Menu.Control()->BoundsRect();
    EXPECT_EQ(R.Left, 0);
    EXPECT_EQ(R.Width(), Top().ClientWidth());
    EXPECT_FALSE(Menu.Control()->Truncated());
    EXPECT_EQ(R.Height(), 2 * 20 + Across(Menu));
    EXPECT_EQ(Top().Height(), R.Height());
}

TEST_F(DockControlTest, RowBandsOfATopSite) {
    TdxBar& Tools = ToolBar();
    Tools.SetDockedTop(0);
    Tools.SetVisible(true);
    const int H = Top().GetRowThickness(0);
    struct TBand {
        int Row, Part, From, To;
    };
    for (const TBand& B : {TBand{-1, 0, -23, -14}, TBand{-1, 1, -14, -9}, TBand{-1, 2, -9, 0},
                           TBand{0, 0, 0, 9}, TBand{0, 1, 9, 14}, TBand{0, 2, 14, H},
                           TBand{1, 0, H, H + 9}, TBand{1, 1, H + 9, H + 14}}) {
        int From = 0;
        int To = 0;
        Top().GetRowBand(B.Row, B.Part, From, To);
        EXPECT_EQ(From, B.From) << B.Row << "/" << B.Part;
        EXPECT_EQ(To, B.To) << B.Row << "/" << B.Part;
    }
    struct TInsert {
        int Y, Row;
        bool NewRow;
    };
    for (const TInsert& I : {TInsert{-20, 0, false}, TInsert{-12, 0, true}, TInsert{-5, 0, false},
                             TInsert{4, 0, false}, TInsert{11, 1, true}, TInsert{H - 1, 1, true},
                             TInsert{H + 30, 1, true}}) {
        bool NewRow = false;
        const int Row = Top().GetRowInsertPos(Top().ClientToScreen({10, I.Y}), NewRow);
        EXPECT_EQ(Row, I.Row) << I.Y;
        EXPECT_EQ(NewRow, I.NewRow) << I.Y;
    }
}

TEST_F(DockControlTest, ABottomSiteGrowsUpwards) {
    Form->Show();
    TdxDockControl& Bottom = *Manager->Bars()->DockControls(dsBottom);
    const int BottomEdge = Bottom.BoundsRect().Bottom;
    TdxBar& Bar = NewBar("Low", {40, 100, 20});
    Bar.SetDockingStyle(dsBottom);
    Bar.SetVisible(true);
    EXPECT_GT(Bottom.Height(), 0);
    EXPECT_EQ(Bottom.BoundsRect().Bottom, BottomEdge);
    Bar.SetVisible(false);
    EXPECT_EQ(Bottom.Height(), 0);
}

TEST_F(DockControlTest, ACaptionOfAnotherBarIsIgnoredAndAnEmptyNameFollowsTheCaption) {
    TdxBar& First = NewBar("Tools", {});
    EXPECT_EQ(First.Name, "Tools");
    TdxBar& Second = *Manager->Bars()->Add();
    Second.SetCaption("Tools");
    EXPECT_EQ(Second.Caption(), "");
    // A caption that is another bar's Name (but not its caption) gives a numbered name.
    First.SetCaption("Other");
    Second.SetCaption("Tools");
    EXPECT_EQ(Second.Caption(), "Tools");
    EXPECT_EQ(Second.Name, "Tools1");
    TdxBar& Third = *Manager->Bars()->Add();
    Third.Name = "";
    Second.SetCaption("Renamed");
    Third.SetCaption("Tools");
    EXPECT_EQ(Third.Name, "Tools2");
}

TEST_F(DockControlTest, TheMainMenuFlagIsUniqueAndHoldsWholeRowAndMultiLine) {
    TdxBar& A = NewBar("A", {});
    TdxBar& B = NewBar("B", {});
    A.SetIsMainMenu(true);
    EXPECT_EQ(Manager->MainMenuBar(), &A);
    EXPECT_TRUE(A.WholeRow());
    EXPECT_TRUE(A.MultiLine());
    A.SetMultiLine(false);
    EXPECT_TRUE(A.MultiLine()) << "the main-menu bar stays multi-line";
    EXPECT_FALSE(A.CanClose());
    B.SetIsMainMenu(true);
    EXPECT_EQ(Manager->MainMenuBar(), &B);
    EXPECT_FALSE(A.IsMainMenu());
    EXPECT_FALSE(A.WholeRow());
    EXPECT_FALSE(A.MultiLine());
    Manager->Bars()->Delete(B.Index());
    EXPECT_EQ(Manager->MainMenuBar(), nullptr);
}

TEST_F(DockControlTest, AssignCopiesTheBarButNotItsAlphaOrBitmap) {
    TdxBar& Source = NewBar("Source", {40, 100, 20});
    Source.SetDockingStyle(dsLeft);
    Source.SetRow(2);
    Source.OneOnRow = true;
    Source.SetDockedLeft(7);
    Source.SetShowMark(false);
    Source.SetAlphaBlendValue(100);
    TdxBar& Copy = NewBar("Copy", {});
    Copy.Assign(Source);
    EXPECT_EQ(Copy.Caption(), "Copy") << "a caption another bar has is refused";
    EXPECT_EQ(Copy.DockingStyle(), dsLeft);
    EXPECT_EQ(Copy.Row(), 2);
    EXPECT_TRUE(Copy.OneOnRow);
    EXPECT_EQ(Copy.DockedLeft(), 7);
    EXPECT_FALSE(Copy.ShowMark());
    EXPECT_EQ(Copy.AlphaBlendValue(), 255);
}

TEST_F(DockControlTest, NegativePlacesAreStoredAsZero) {
    TdxBar& Bar = NewBar("Bar", {});
    Bar.SetRow(-3);
    Bar.SetDockedLeft(-1);
    Bar.SetDockedTop(-9);
    EXPECT_EQ(Bar.Row(), 0);
    EXPECT_EQ(Bar.DockedLeft(), 0);
    EXPECT_EQ(Bar.DockedTop(), 0);
}

TEST_F(DockControlTest, AChangeOfDockingStyleMovesTheShownWindowToTheOtherSite) {
    TdxBar& Bar = ToolBar();
    Bar.SetVisible(true);
    ASSERT_NE(Top().FindCol(Bar.Control()), nullptr);
    std::vector<std::string> Heard;
    Manager->OnBarDockingStyleChange = [&](TdxBarManager*, TdxBar* B) { Heard.push_back(B->Name); };
    Bar.SetDockingStyle(dsLeft);
    TdxDockControl& Left = *Manager->Bars()->DockControls(dsLeft);
    EXPECT_EQ(Top().RowCount(), 0);
    EXPECT_EQ(Top().Height(), 0);
    ASSERT_NE(Left.FindCol(Bar.Control()), nullptr);
    EXPECT_EQ(Windows["ToolBar"]->DockSite, &Left);
    EXPECT_EQ(Left.Width(), 22 + Bar.GetNonClientWidth(dsLeft));
    EXPECT_EQ(Heard, std::vector<std::string>{"ToolBar"});
}

TEST_F(DockControlTest, WhileTheManagerLoadsBarsWaitAndLoadedShowsThemInTheirRows) {
    pf::TForm& Other = FRoot->Own<pf::TForm>();
    Other.SetBounds(0, 0, 500, 300);
    TdxBarManager* Loading = nullptr;
    std::vector<TdxBar*> Bars;
    {
        pc::TLoadingBracket Bracket;
        Loading = &Other.Own<TdxBarManager>();
        Loading->Bars()->CreateBarControl = [](TdxBar& Bar) {
            return std::make_unique<TFakeBarWindow>(Bar, 50, 150, 20);
        };
        for (const char* Caption : {"ToolBar", "Main Menu"}) {
            TdxBar& Bar = *Loading->Bars()->Add();
            Bar.SetCaption(Caption);
            Bar.Name = Caption;
            Bar.SetDockingStyle(dsTop);
            Bar.SetVisible(true);
            Bars.push_back(&Bar);
        }
        Bars[0]->SetDockedTop(25);
        Bars[1]->SetIsMainMenu(true);
        EXPECT_FALSE(Bars[0]->Visible());
        EXPECT_EQ(Bars[0]->DockingStyle(), dsNone);
        EXPECT_EQ(Bars[0]->Control(), nullptr);
    }
    TdxDockControl& Site = *Loading->Bars()->DockControls(dsTop);
    ASSERT_NE(Bars[0]->Control(), nullptr);
    EXPECT_TRUE(Bars[0]->Predefined());
    EXPECT_EQ(Site.IndexOfRow(Site.FindCol(Bars[1]->Control())->Row), 0);
    EXPECT_EQ(Site.IndexOfRow(Site.FindCol(Bars[0]->Control())->Row), 1);
}

// Placed sites

TEST_F(DockControlTest, TurningAPlacedSiteTurnsItsDockedBars) {
    auto& Site = Form->Own<TdxBarDockControl>();
    Site.SetBarManager(Manager);
    Site.SetParent(Form);
    TdxBar& Bar = NewBar("ToolBar", {60, 180, 22});
    Bar.SetDockControl(&Site);
    Bar.SetVisible(true);
    ASSERT_EQ(Windows["ToolBar"]->DockSite, &Site);
    EXPECT_EQ(Site.Height(), 22 + Across(Bar));

    Site.SetAlign(pf::alLeft);
    EXPECT_EQ(Bar.DockingStyle(), dsLeft);
    EXPECT_EQ(Windows["ToolBar"]->Style, dsLeft);
    EXPECT_EQ(Site.DockingStyle(), dsLeft);
    // Across a left site the row is as thick as the bar is wide.
    EXPECT_EQ(Site.Width(), Windows["ToolBar"]->BoundsRect().Width());
    EXPECT_GT(Site.Width(), 0);
    // Hidden and shown again, it comes back to the turned site.
    Bar.SetVisible(false);
    Bar.SetVisible(true);
    EXPECT_EQ(Windows["ToolBar"]->DockSite, &Site);
    EXPECT_EQ(Windows["ToolBar"]->Style, dsLeft);
}

TEST_F(DockControlTest, AnEmptyPlacedSiteTakesNoRoom) {
    auto& Site = Form->Own<TdxBarDockControl>();
    Site.SetBarManager(Manager);
    Site.SetParent(Form);
    Form->Show();
    Site.SetHeight(40);
    EXPECT_EQ(Site.Height(), 0);
}

// A bar shown on a placed site that is on nothing yet waits; it shows as soon as the site gets
// its window, also where the form has had its own for long.
TEST_F(DockControlTest, ABarWaitingForItsPlacedSiteShowsWhenTheSiteGetsItsWindow) {
    Form->Show();
    auto& Site = Form->Own<TdxBarDockControl>();
    Site.SetBarManager(Manager);
    TdxBar& Bar = NewBar("ToolBar", {60, 180, 22});
    Bar.SetDockControl(&Site);
    Bar.SetVisible(true);
    ASSERT_EQ(Manager->GetPendingBarCount(), 1);
    ASSERT_EQ(Bar.Control(), nullptr);
    Site.SetParent(Form);
    ASSERT_TRUE(Site.HandleAllocated());
    EXPECT_EQ(Manager->GetPendingBarCount(), 0);
    ASSERT_NE(Bar.Control(), nullptr);
    EXPECT_EQ(Windows["ToolBar"]->DockSite, &Site);
    EXPECT_TRUE(Windows["ToolBar"]->Shown);
    EXPECT_EQ(Site.Height(), 22 + Across(Bar));
}

TEST_F(DockControlTest, ASunkenBorderFramesThePlacedSite) {
    auto& Site = Form->Own<TdxBarDockControl>();
    Site.SetBarManager(Manager);
    Site.SetParent(Form);
    TdxBar& Bar = NewBar("ToolBar", {60, 180, 22});
    Bar.SetDockControl(&Site);
    Bar.SetVisible(true);
    Form->Show();
    pc::ProcessMessages();
    const int Plain = Site.Height();
    Site.SetSunkenBorder(true);
    pc::ProcessMessages();
    EXPECT_EQ(Site.Height(), Plain + 2);
    EXPECT_EQ(Site.ClientWidth(), Site.Width() - 2);
    EXPECT_EQ(Site.ClientHeight(), Site.Height() - 2);
    // The sunken outer edge: shadow along the top and left, highlight along the bottom and right.
    Site.Perform(platform::win::WM_NCPAINT, 1, 0);
    const auto Surface = platform::win::WindowSurface(Site.Handle());
    ASSERT_NE(Surface, nullptr);
    auto At = [&](int X, int Y) { return pg::PixelToColor(Surface->Pixel(X, Y) & 0xFFFFFF); };
    EXPECT_EQ(At(5, 0), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(At(0, 5), pg::GetSysColor(pg::COLOR_BTNSHADOW));
    EXPECT_EQ(At(5, Site.Height() - 1), pg::GetSysColor(pg::COLOR_BTNHIGHLIGHT));
}

// A site's pixel as its window holds it, in its client coordinates.
pg::COLORREF SitePixel(TdxDockControl& Site, int X, int Y) {
    const auto Surface = platform::win::WindowSurface(Site.Handle());
    const pg::TPoint Client = Site.ClientToScreen({0, 0});
    pg::TRect Window{};
    platform::win::GetWindowRect(Site.Handle(), &Window);
    return pg::PixelToColor(Surface->Pixel(X + Client.X - Window.Left, Y + Client.Y - Window.Top) &
                            0xFFFFFF);
}

// A new picture shows at once: on the site, and the docked bars are painted again over it.
TEST_F(DockControlTest, ANewBackgroundBitmapRepaintsTheSiteAndItsBars) {
    TdxBar& Bar = ToolBar();
    Bar.SetVisible(true);
    Form->Show();
    pc::ProcessMessages();
    // Right of the bar, where the site shows through.
    const int X = Windows["ToolBar"]->BoundsRect().Right + 20;
    ASSERT_LT(X, Top().ClientWidth());
    ASSERT_NE(SitePixel(Top(), X, 5), pg::ColorToRGB(pg::clRed));
    const int Repaints = Windows["ToolBar"]->Repaints;
    pf::TBitmap Red;
    Red.SetSize(8, 8);
    Red.Canvas().Brush().SetColor(pg::clRed);
    Red.Canvas().FillRect({0, 0, 8, 8});
    Top().BackgroundBitmap().Assign(Red);
    pc::ProcessMessages();
    EXPECT_EQ(SitePixel(Top(), X, 5), pg::ColorToRGB(pg::clRed));
    EXPECT_GT(Windows["ToolBar"]->Repaints, Repaints);
}

// A colour set on a placed site is its own: the manager's dock colour no longer reaches it,
// while it still reaches a site that takes it. So is the parent's colour, once the site is told
// to take it.
class OwnColourTest : public DockControlTest, public ::testing::WithParamInterface<bool> {};

TEST_P(OwnColourTest, AColourSetOnAPlacedSiteStaysItsOwn) {
    auto& Own = Form->Own<TdxBarDockControl>();
    auto& Taking = Form->Own<TdxBarDockControl>();
    for (TdxBarDockControl* Site : {&Own, &Taking}) {
        Site->SetBarManager(Manager);
        Site->SetParent(Form);
    }
    Form->Show();
    if (GetParam()) {
        Form->SetColor(pg::clRed);
        Own.SetParentColor(true);
    } else {
        Own.SetColor(pg::clRed);
    }
    Manager->SetDockColor(pg::clBlue);
    // Empty placed sites take no room: each is given some to show its colour.
    for (TdxBarDockControl* Site : {&Own, &Taking}) {
        auto& Bar = NewBar(Site == &Own ? "OnOwn" : "OnTaking", {60, 180, 22});
        Bar.SetDockControl(Site);
        Bar.SetVisible(true);
    }
    pc::ProcessMessages();
    const int X = Own.ClientWidth() - 5;
    EXPECT_EQ(SitePixel(Own, X, 5), pg::ColorToRGB(pg::clRed));
    EXPECT_EQ(SitePixel(Taking, X, 5), pg::ColorToRGB(pg::clBlue));
}

INSTANTIATE_TEST_SUITE_P(Sites, OwnColourTest, ::testing::Values(false, true),
                         [](const auto& Info) { return Info.param ? "ParentColor" : "Color"; });

// A form the designer edits.
class TDesignForm : public pf::TForm {
public:
    using pc::TComponent::SetDesigning;
    using pf::TForm::TForm;
};

// At design time an empty placed site keeps a sliver, framed with dashes so that it is found.
TEST_F(DockControlTest, AtDesignTimeAPlacedSiteShowsADashedFrame) {
    auto& Design = FRoot->Own<TDesignForm>();
    Design.SetDesigning(true);
    Design.SetBounds(0, 0, 400, 200);
    auto& DesignManager = Design.Own<TdxBarManager>();
    ASSERT_TRUE(DesignManager.IsDesigning());
    auto& Site = Design.Own<TdxBarDockControl>();
    Site.SetBarManager(&DesignManager);
    Site.SetParent(&Design);
    Design.Show();
    pc::ProcessMessages();
    ASSERT_EQ(Site.Height(), 3);
    const pg::COLORREF Shadow = pg::GetSysColor(pg::COLOR_BTNSHADOW);
    int Dash = 0, Gap = 0;
    for (int X = 0; X < Site.ClientWidth(); ++X)
        ++(SitePixel(Site, X, 0) == Shadow ? Dash : Gap);
    EXPECT_GT(Dash, Site.ClientWidth() / 3);
    EXPECT_GT(Gap, 0) << "dashes, not a line";
    EXPECT_EQ(SitePixel(Site, 0, 1), Shadow);
    EXPECT_NE(SitePixel(Site, 5, 1), Shadow);
}

TEST_F(DockControlTest, AMovedBottomSiteRepaintsItsStatusBar) {
    TdxBar& Status = NewBar("Status", {60, 180, 22});
    Status.SetBorderStyle(bbsNone);
    Status.SetWholeRow(true);
    Status.SetDockingStyle(dsBottom);
    Status.SetVisible(true);
    Form->Show();
    pc::ProcessMessages();
    TdxDockControl& Bottom = *Manager->Bars()->DockControls(dsBottom);
    const int Before = Windows["Status"]->Repaints;
    Form->SetBounds(0, 0, 640, 400);
    pc::ProcessMessages();
    EXPECT_GT(Windows["Status"]->Repaints, Before);
    EXPECT_EQ(Bottom.Top() + Bottom.Height(), Form->ClientHeight());
    EXPECT_FALSE(Manager->LockUpdate());
}

// The status bar's size grip

TEST_F(DockControlTest, TheSizeGripShowsOnlyInTheCornerOfARestoredForm) {
    TdxBar& Status = NewBar("Status", {60, 180, 22});
    Status.SetBorderStyle(bbsNone);
    Status.SetWholeRow(true);
    Status.SetDockingStyle(dsBottom);
    Status.SetVisible(true);
    Form->Show();
    pc::ProcessMessages();
    EXPECT_TRUE(Status.SizeGripVisible());
    Status.SetSizeGrip(false);
    EXPECT_FALSE(Status.SizeGripVisible());
    Status.SetSizeGrip(true);

    // On a placed bottom site inside a panel that stands at the top of the form.
    auto& Panel = Form->Own<pf::TCustomControl>();
    Panel.SetParent(Form);
    Panel.SetBounds(0, 0, 200, 100);
    auto& Site = Form->Own<TdxBarDockControl>();
    Site.SetBarManager(Manager);
    Site.SetParent(&Panel);
    Site.SetAlign(pf::alBottom);
    Status.SetDockControl(&Site);
    ASSERT_EQ(Windows["Status"]->DockSite, &Site);
    ASSERT_TRUE(Status.IsStatusBar());
    EXPECT_FALSE(Status.SizeGripVisible());
    Panel.SetAlign(pf::alBottom);
    EXPECT_TRUE(Status.SizeGripVisible());

    Form->SetWindowState(pf::wsMaximized);
    pc::ProcessMessages();
    EXPECT_FALSE(Status.SizeGripVisible());
}

// Fonts

TEST_F(DockControlTest, ChangingTheBarFontMakesItTheBarsOwn) {
    TdxBar& Bar = NewBar("ToolBar", {60, 180, 22});
    EXPECT_FALSE(Bar.UseOwnFont());
    EXPECT_EQ(Bar.FontHandle(), pg::HFONT{});
    Bar.Font().SetSize(Manager->Font().Size() + 4);
    EXPECT_TRUE(Bar.UseOwnFont());
    EXPECT_NE(Bar.FontHandle(), pg::HFONT{});
    Bar.SetUseOwnFont(false);
    EXPECT_EQ(Bar.FontHandle(), pg::HFONT{});
    EXPECT_EQ(Bar.Font().Size(), Manager->Font().Size());
    EXPECT_FALSE(Bar.UseOwnFont());
    Bar.SetUseOwnFont(true);
    EXPECT_NE(Bar.FontHandle(), pg::HFONT{});
}

// Floating bars of an inactive form

struct TFloatingShowCase {
    bool HideWhenInactive;
    bool FormActive;
    bool Shown;
};

class FloatingShowTest : public DockControlTest,
                         public ::testing::WithParamInterface<TFloatingShowCase> {};

TEST_P(FloatingShowTest, AFloatingBarShowsUnlessItsFormIsInactive) {
    const TFloatingShowCase C = GetParam();
    Manager->SetHideFloatingBarsWhenInactive(C.HideWhenInactive);
    auto& Other = FRoot->Own<pf::TForm>();
    Form->Show();
    Other.Show();
    if (C.FormActive) Form->SetFocus();
    pc::ProcessMessages();
    ASSERT_EQ(platform::win::GetActiveWindow() == Form->Handle(), C.FormActive);
    TdxBar& Bar = NewBar("Floating", {60, 180, 22});
    Bar.SetVisible(true);
    ASSERT_NE(Windows["Floating"], nullptr);
    EXPECT_EQ(Windows["Floating"]->Shown, C.Shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, FloatingShowTest,
                         ::testing::Values(TFloatingShowCase{true, false, false},
                                           TFloatingShowCase{false, false, true},
                                           TFloatingShowCase{true, true, true}));

} // namespace
} // namespace toolkit::bars
