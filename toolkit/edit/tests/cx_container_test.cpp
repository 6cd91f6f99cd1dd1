#include "toolkit/edit/cx_container.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/base/cx_controls_unit.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/exception.h"
#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;
using toolkit::base::testing_support::TestSurface;

class TTestContainer : public TcxContainer {
public:
    using TcxContainer::CalculateViewInfo;
    using TcxContainer::GetBorderExtent;
    using TcxContainer::TcxContainer;
};

// A shown form on a manual clock: an edit, a container with an inner edit, another edit.
class ContainerTest : public ::testing::Test {
protected:
    ContainerTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Before = &MakeEdit({10, 10, 110, 31});
        Container = &Form->Own<TTestContainer>();
        Container->SetParent(Form);
        Container->TabOrder = 1;
        Container->SetBoundsRect({10, 50, 150, 75});
        After = &MakeEdit({10, 100, 110, 121});
        After->TabOrder = 2;
        Form->Show();
        Container->HandleNeeded();
        pc::ProcessMessages();
    }
    ~ContainerTest() override {
        pf::Application().OnException = nullptr;
        test::FreeTestForm(Owner);
    }
    pf::TEdit& MakeEdit(const TRect& R) {
        auto& Edit = Form->Own<pf::TEdit>();
        Edit.SetParent(Form);
        Edit.SetBoundsRect(R);
        return Edit;
    }
    // The container hosts an edit of its own as the inner control.
    pf::TEdit& HostInnerEdit() {
        auto& Inner = Form->Own<pf::TEdit>();
        Inner.SetParent(Container);
        Inner.TabStop = false;
        Container->SetInnerControl(&Inner);
        Inner.HandleNeeded();
        Container->ShortRefreshContainer(false);
        pc::ProcessMessages();
        return Inner;
    }
    pg::TPoint Screen(const pf::TControl& C, pg::TPoint P) { return C.ClientToScreen(P); }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    toolkit::base::TcxControlsUnit Unit;
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    pf::TEdit* Before = nullptr;
    TTestContainer* Container = nullptr;
    pf::TEdit* After = nullptr;
    testsupport::InputDriver Input;
};

TEST_F(ContainerTest, TheInnerControlFillsTheClientAreaInsideTheBorder) {
    pf::TEdit& Inner = HostInnerEdit();
    // Ultra-flat by default, drawn single; the transparent border takes 2 pixels.
    EXPECT_EQ(Container->ViewInfo().BorderStyle, cbsSingle);
    EXPECT_EQ(Container->ViewInfo().ClientRect, (TRect{2, 2, 138, 23}));
    EXPECT_EQ(Inner.BoundsRect(), (TRect{2, 2, 138, 23}));
    Container->Style().SetTransparentBorder(false);
    Container->Style().SetBorderStyle(cbsThick);
    Container->Style().SetShadow(true);
    EXPECT_EQ(Container->ViewInfo().ClientRect, (TRect{2, 2, 135, 20}));
    Container->Style().SetEdges(toolkit::base::cxBorder(toolkit::base::bLeft));
    EXPECT_EQ(Container->GetBorderExtent(), (TRect{2, 0, 3, 3}));
}

TEST_F(ContainerTest, FocusTakenFromOutsideGoesOnToTheInnerControl) {
    pf::TEdit& Inner = HostInnerEdit();
    Before->SetFocus();
    pw::SetFocus(Container->Handle());
    pc::ProcessMessages();
    EXPECT_EQ(pw::GetFocus(), Inner.Handle());
    EXPECT_TRUE(Container->IsContainerFocused());
    EXPECT_EQ(Container->ViewInfo().ContainerState & cstFocused, cstFocused);
    EXPECT_EQ(&Container->ActiveStyle(), &Container->StyleFocused());
}

TEST_F(ContainerTest, FocusArrivingFromTheInnerControlDoesNotBounceBack) {
    pf::TEdit& Inner = HostInnerEdit();
    Inner.SetFocus();
    ASSERT_EQ(pw::GetFocus(), Inner.Handle());
    pw::SetFocus(Container->Handle());
    pc::ProcessMessages();
    EXPECT_EQ(pw::GetFocus(), Container->Handle());
}

TEST_F(ContainerTest, LeavingTheInnerControlRefreshesTheContainerState) {
    pf::TEdit& Inner = HostInnerEdit();
    Inner.SetFocus();
    pc::ProcessMessages();
    EXPECT_EQ(Container->ViewInfo().ContainerState, cstFocused);
    After->SetFocus();
    pc::ProcessMessages();
    EXPECT_EQ(Container->ViewInfo().ContainerState, cstNormal);
}

struct TabCase {
    const char* Name;
    std::vector<int> Modifiers;
    const char* Expected; // "before", "container", "after"
};

class ContainerTabTest : public ContainerTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(ContainerTabTest, TabAndShiftTabMoveOnCtrlAndAltTabAreLeftAlone) {
    const TabCase& Case = GetParam();
    Container->SetFocus();
    ASSERT_EQ(pw::GetFocus(), Container->Handle());
    for (int Key : Case.Modifiers)
        Input.HoldKey(Key);
    Input.TypeKey(pw::VK_TAB);
    for (auto It = Case.Modifiers.rbegin(); It != Case.Modifiers.rend(); ++It)
        Input.ReleaseKey(*It);
    pc::ProcessMessages();
    const std::string Expected = Case.Expected;
    const pc::HWND Want = Expected == "before"  ? Before->Handle()
                          : Expected == "after" ? After->Handle()
                                                : Container->Handle();
    EXPECT_EQ(pw::GetFocus(), Want);
}

INSTANTIATE_TEST_SUITE_P(Keys, ContainerTabTest,
                         ::testing::Values(TabCase{"Tab", {}, "after"},
                                           TabCase{"ShiftTab", {pw::VK_SHIFT}, "before"},
                                           TabCase{"CtrlTab", {pw::VK_CONTROL}, "container"},
                                           TabCase{"AltTab", {pw::VK_MENU}, "container"}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ContainerTest, TheFocusMovingBetweenTheContainerAndItsInnerControlNeitherEntersNorLeaves) {
    pf::TEdit& Inner = HostInnerEdit();
    std::vector<std::string> Log;
    Container->OnEnter = [&](pc::TObject*) { Log.push_back("enter"); };
    Container->OnExit = [&](pc::TObject*) { Log.push_back("exit"); };
    Before->SetFocus();
    Input.TypeKey(pw::VK_TAB, "\t");
    ASSERT_EQ(pw::GetFocus(), Inner.Handle());
    EXPECT_EQ(Log, (std::vector<std::string>{"enter"}));
    pw::SetFocus(Container->Handle());
    Inner.SetFocus();
    EXPECT_EQ(Log, (std::vector<std::string>{"enter"}));
    Input.Click(Screen(*After, {5, 5}));
    EXPECT_EQ(pw::GetFocus(), After->Handle());
    EXPECT_EQ(Log, (std::vector<std::string>{"enter", "exit"}));
}

TEST_F(ContainerTest, ExceptionsFromKeyAndExitHandlersReachTheApplicationAndAnAbortDoesNot) {
    std::vector<std::string> Seen;
    pf::Application().OnException = [&](pc::TObject*, const std::exception_ptr& E) {
        try {
            std::rethrow_exception(E);
        } catch (const pc::Exception& Error) {
            Seen.push_back(Error.Message());
        }
    };
    Container->SetFocus();
    Container->OnKeyDown = [](pc::TObject*, pf::WORD& Key, pf::TShiftState) {
        if (Key == 'A') throw pc::Exception("key");
        if (Key == 'B') pc::Abort();
    };
    Container->OnExit = [](pc::TObject*) { throw pc::Exception("exit"); };
    Input.TypeKey('A', "a");
    Input.TypeKey('B', "b");
    After->SetFocus();
    pc::ProcessMessages();
    EXPECT_EQ(Seen, (std::vector<std::string>{"key", "exit"}));
}

TEST_F(ContainerTest, TheHotStyleServesOnlyWhileHotTrackIsOn) {
    Input.MoveTo(Screen(*Container, {20, 10}));
    pc::ProcessMessages();
    EXPECT_EQ(Container->ViewInfo().ContainerState, cstNormal | cstHot);
    EXPECT_EQ(&Container->ActiveStyle(), &Container->StyleHot());
    EXPECT_EQ(Container->ViewInfo().HotState, 2);
    Container->Style().SetHotTrack(false);
    EXPECT_EQ(&Container->ActiveStyle(), &Container->Style());
    EXPECT_EQ(Container->ViewInfo().HotState, 0);
    Container->Style().SetHotTrack(true);
    Input.MoveTo(Screen(*Form, {300, 250}));
    platform::core::RunFor(Clock, 50);
    EXPECT_EQ(Container->ViewInfo().ContainerState, cstNormal);
}

TEST_F(ContainerTest, APictureOfTheBorderStylesNormalHotAndFocused) {
    toolkit::base::testing_support::ClassicColors Colors;
    const TcxContainerBorderStyle Borders[] = {cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat};
    const int W = 140, H = 25;
    TestSurface S(3 * (W + 8) + 8, 5 * (H + 8) + 8, pg::RGB(255, 255, 255));
    for (int Row = 0; Row < 5; ++Row) {
        Container->Style().SetTransparentBorder(false);
        Container->Style().SetBorderStyle(Borders[Row]);
        for (int Column = 0; Column < 3; ++Column) {
            const pg::TPoint Mouse = Column == 1 ? pg::TPoint{20, 10} : pg::TPoint{-1, -1};
            if (Column == 2)
                Container->SetFocus();
            else
                Before->SetFocus();
            Container->CalculateViewInfo(Mouse, true);
            TcxContainerViewInfo& V = Container->ViewInfo();
            V.Offset(8 + Column * (W + 8), 8 + Row * (H + 8));
            toolkit::base::TcxCanvas Canvas(&S.Canvas());
            V.Paint(Canvas);
        }
    }
    // Single normal is one pixel of the window frame; focused it is two.
    EXPECT_EQ(S.At(8, 20), pg::ColorToRGB(pg::clWindowFrame));
    EXPECT_EQ(S.At(9, 20), pg::ColorToRGB(pg::clWindow));
    const int FocusedLeft = 8 + 2 * (W + 8);
    EXPECT_EQ(S.At(FocusedLeft + 1, 20), pg::ColorToRGB(pg::clWindowFrame));
    testsupport::TempFolder Folder("container_");
    EXPECT_TRUE(S.Pixels().SavePng(Folder.PathOf("container_borders.png")));
}

TEST(ContainerRoutinesTest, FillRectBetweenPaintsOnlyTheStripsAroundTheInnerRectangle) {
    TestSurface S(10, 10, pg::RGB(255, 255, 255));
    toolkit::base::TcxCanvas Canvas(&S.Canvas());
    FillRectBetween(Canvas, {0, 0, 10, 10}, {0, 0, 10, 10}, pg::clBlack);
    EXPECT_EQ(S.At(0, 0), pg::RGB(255, 255, 255));
    FillRectBetween(Canvas, {0, 0, 10, 10}, {2, 2, 8, 8}, pg::clBlack);
    EXPECT_EQ(S.At(1, 5), pg::RGB(0, 0, 0));
    EXPECT_EQ(S.At(5, 9), pg::RGB(0, 0, 0));
    EXPECT_EQ(S.At(5, 5), pg::RGB(255, 255, 255));
}

TEST_F(ContainerTest, KillMessagesMeetingQuitPostsItAgainAndReportsWhatWentBefore) {
    const pc::HWND Wnd = Container->Handle();
    pc::ProcessMessages();
    pc::PostMessage(Wnd, 0x8000, 0, 0);
    pc::PostMessage(Wnd, pw::WM_QUIT, 7, 0);
    pc::PostMessage(Wnd, 0x8001, 0, 0);
    EXPECT_TRUE(KillMessages(Wnd, 0, 0xFFFF));
    pc::MSG Msg;
    ASSERT_TRUE(pc::PeekMessage(Msg, Wnd, 0, 0xFFFF, pc::PM_REMOVE));
    EXPECT_EQ(Msg.message, 0x8001u);
    ASSERT_TRUE(pc::PeekMessage(Msg, Wnd, 0, 0xFFFF, pc::PM_REMOVE));
    EXPECT_EQ(Msg.message, pw::WM_QUIT);
    EXPECT_EQ(Msg.wParam, 7u);
    EXPECT_FALSE(KillMessages(Wnd, 0, 0xFFFF));
}

TEST(ContainerRoutinesTest, BorderWidthsAndTrimming) {
    const int Expected[] = {0, 1, 2, 2, 2, 1, 1};
    for (int Style = cbsNone; Style <= cbsOffice11; ++Style)
        EXPECT_EQ(GetContainerBorderWidth(static_cast<TcxContainerBorderStyle>(Style)),
                  Expected[Style]);
    TRect R{0, 0, 10, 10};
    TrimRectByEdges(R, 2,
                    toolkit::base::cxBorder(toolkit::base::bLeft) |
                        toolkit::base::cxBorder(toolkit::base::bTop));
    EXPECT_EQ(R, (TRect{0, 0, 8, 8}));
}

TEST_F(ContainerTest, TheParentsFontReachesItWithoutBecomingTheStylesOwn) {
    Form->Font().SetSize(14);
    EXPECT_EQ(Container->Font().Size(), 14);
    EXPECT_EQ(Container->Style().Font().Size(), 14);
    EXPECT_TRUE(Container->ParentFont());
    EXPECT_EQ(Container->Style().AssignedValues() & cxStyleValue(svFont), 0u);
}

TEST_F(ContainerTest, TheParentsColourReachesItWithoutBecomingTheStylesOwn) {
    Container->SetParentColor(true);
    Form->SetColor(pg::clTeal);
    EXPECT_EQ(Container->Color(), pg::clTeal);
    EXPECT_EQ(Container->Style().AssignedValues() & cxStyleValue(svColor), 0u);
    // A colour set on the container is the style's own.
    Container->SetColor(pg::clYellow);
    EXPECT_EQ(Container->Style().GetColor(), pg::clYellow);
}

TEST_F(ContainerTest, WhileThePopupMenuIsLockedEveryContextRequestIsHandled) {
    const auto Request = [&] {
        return Container->Perform(pw::WM_CONTEXTMENU, 0, pw::MAKELPARAM(-1, -1));
    };
    EXPECT_EQ(Request(), 0);
    Container->LockPopupMenu(true);
    EXPECT_EQ(Request(), 1);
    Container->LockPopupMenu(false);
    EXPECT_EQ(Request(), 0);
}

struct ScaleCase {
    const char* Name;
    bool FontAssigned;
};

class ContainerScaleTest : public ContainerTest, public ::testing::WithParamInterface<ScaleCase> {};

TEST_P(ContainerScaleTest, ScalesOnlyAnAssignedStyleFont) {
    TcxContainerStyle& Style = Container->Style();
    if (GetParam().FontAssigned) Style.Font().SetSize(10);
    const int Before = Style.Font().Size();
    Container->ChangeScale(3, 2);
    EXPECT_EQ(Style.Font().Size(), GetParam().FontAssigned ? 15 : Before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ContainerScaleTest,
                         ::testing::Values(ScaleCase{"Assigned", true},
                                           ScaleCase{"NotAssigned", false}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
} // namespace toolkit::edit

namespace toolkit::edit {
namespace {

TEST_F(ContainerTest, WithTheFocusInATabStopInnerControlTabAndShiftTabLeaveTheContainer) {
    // The inner control stands in the tab order for the container: Shift+Tab from it does not
    // land on the container, which would hand the focus straight back.
    for (const bool Forward : {true, false}) {
        SCOPED_TRACE(Forward);
        pf::TEdit& Inner = HostInnerEdit();
        Inner.TabStop = true;
        Inner.SetFocus();
        pc::ProcessMessages();
        ASSERT_EQ(Form->ActiveControl(), &Inner);
        if (!Forward) Input.HoldKey(pw::VK_SHIFT);
        Input.TypeKey(pw::VK_TAB);
        if (!Forward) Input.ReleaseKey(pw::VK_SHIFT);
        pc::ProcessMessages();
        EXPECT_EQ(pw::GetFocus(), Forward ? After->Handle() : Before->Handle());
        Container->SetInnerControl(nullptr);
    }
}

TEST_F(ContainerTest, AChildWindowStickingOutOfTheFrameIsClippedByAWindowRegion) {
    pf::TEdit& Inner = HostInnerEdit();
    const TRect InnerRect = Container->ViewInfo().InnerRect;
    ASSERT_EQ(Inner.BoundsRect(), InnerRect);
    const auto RegionBox = [&] {
        pg::HRGN Region = pg::CreateRectRgn(0, 0, 0, 0);
        TRect Box{};
        if (pw::GetWindowRgn(Inner.Handle(), Region) != 0) pg::GetRgnBox(Region, &Box);
        pg::DeleteObject(Region);
        return Box;
    };
    EXPECT_EQ(RegionBox(), TRect{});
    Inner.SetBoundsRect({0, 0, InnerRect.Right + 4, InnerRect.Bottom});
    EXPECT_EQ(RegionBox(),
              (TRect{InnerRect.Left, InnerRect.Top, InnerRect.Right, InnerRect.Bottom}));
    Container->LockAlignControls(true);
    Inner.SetBoundsRect(InnerRect);
    EXPECT_NE(RegionBox(), TRect{}) << "locked: the region stays";
    Container->LockAlignControls(false);
    Inner.SetBoundsRect({InnerRect.Left, InnerRect.Top, InnerRect.Right, InnerRect.Bottom + 1});
    Inner.SetBoundsRect(InnerRect);
    EXPECT_EQ(RegionBox(), TRect{}) << "inside again: no region";
}

TEST_F(ContainerTest, DragModeAndDragKindReachTheInnerControl) {
    pf::TEdit& Inner = HostInnerEdit();
    Container->SetDragMode(pf::dmAutomatic);
    Container->SetDragKind(pf::dkDock);
    EXPECT_EQ(Inner.DragMode(), pf::dmAutomatic);
    EXPECT_EQ(Inner.DragKind(), pf::dkDock);
    EXPECT_EQ(Container->DragKind(), pf::dkDock);
}

// A descendant whose class answers differently: its constructor makes the styles again.
class TParentColoredContainer : public TcxContainer {
public:
    explicit TParentColoredContainer(pc::TComponent* AOwner) : TcxContainer(AOwner) {
        RecreateStyles();
        RecreateViewInfo();
    }

protected:
    bool UsesParentColorByDefault() override { return true; }
};

TEST_F(ContainerTest, StylesMadeAgainInADescendantTakeItsParentColourDefault) {
    auto& Plain = Form->Own<TTestContainer>();
    auto& Colored = Form->Own<TParentColoredContainer>();
    EXPECT_FALSE(Plain.ParentColor());
    EXPECT_EQ(Plain.Color(), pg::clWindow);
    EXPECT_TRUE(Colored.ParentColor());
    Colored.Style().SetBorderStyle(cbsSingle);
    EXPECT_TRUE(Colored.Style().IsValueAssigned(svBorderStyle)) << "the new styles are live";
}

} // namespace
} // namespace toolkit::edit
