#include "toolkit/base/cx_control.h"
#include "toolkit/base/cx_drag_and_drop.h"
#include "toolkit/base/cx_look_and_feel_painters.h"
#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/forms/screen.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/input_state.h"
#include "testsupport/win/input_driver.h"

#include <functional>
#include <optional>
#include <vector>

namespace toolkit::base::test {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

class TTestControl : public TcxControl {
public:
    using TcxControl::GetClientBounds;
    using TcxControl::TcxControl;

    std::function<bool(const TPoint&)> OnStartDragAndDrop;
    std::vector<TPoint> AfterMouseDownPoints;

protected:
    bool StartDragAndDrop(const TPoint& P) override {
        return OnStartDragAndDrop && OnStartDragAndDrop(P);
    }
    void AfterMouseDown(pf::TMouseButton Button, int X, int Y) override {
        AfterMouseDownPoints.push_back({X, Y});
        TcxControl::AfterMouseDown(Button, X, Y);
    }
};

// Counts what the drag-and-drop object is told.
struct TDragLog {
    int Begins = 0;
    std::vector<bool> Ends;
    std::vector<TPoint> Moves;
};

class TLoggingDragObject : public TcxDragAndDropObject {
public:
    TLoggingDragObject(TcxControl& AControl, TDragLog& ALog)
        : TcxDragAndDropObject(AControl), Log(ALog) {}

protected:
    void BeginDragAndDrop() override {
        ++Log.Begins;
        TcxDragAndDropObject::BeginDragAndDrop();
    }
    void DragAndDrop(const TPoint& P, bool& Accepted) override {
        Log.Moves.push_back(P);
        TcxDragAndDropObject::DragAndDrop(P, Accepted);
    }
    void EndDragAndDrop(bool Accepted) override { Log.Ends.push_back(Accepted); }

private:
    TDragLog& Log;
};

class TFakePopupMenu : public pc::TComponent, public IcxPopupMenu {
public:
    using pc::TComponent::TComponent;
    bool IsShortCut(pc::TMessage&) override { return false; }
    void Popup(int X, int Y) override { Shown.push_back({X, Y}); }
    std::vector<TPoint> Shown;
};

class CxControlTest : public ControlsUnitTest {
protected:
    TTestControl& MakeCxControl(const TRect& R) {
        TTestControl& Control = Form().Own<TTestControl>();
        Control.SetParent(&Form());
        Control.SetBoundsRect(R);
        Control.HandleNeeded();
        return Control;
    }
    TPoint Screen(const pf::TControl& Control, TPoint Client) {
        return Control.ClientToScreen(Client);
    }
    testsupport::InputDriver Input;
};

struct DialogCodeCase {
    const char* Name;
    TcxControlKeys Keys;
    bool CtrlDown;
    pw::LRESULT Expected;
};

class CxControlDialogCodeTest : public CxControlTest,
                                public ::testing::WithParamInterface<DialogCodeCase> {};

TEST_P(CxControlDialogCodeTest, AnswersTheSumOfTheWantedKeys) {
    const DialogCodeCase& Case = GetParam();
    TTestControl& Control = MakeCxControl({10, 10, 110, 60});
    Control.Keys = Case.Keys;
    if (Case.CtrlDown) Input.HoldKey(pw::VK_CONTROL);
    EXPECT_EQ(Control.Perform(pw::WM_GETDLGCODE, 0, 0), Case.Expected);
    if (Case.CtrlDown) Input.ReleaseKey(pw::VK_CONTROL);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CxControlDialogCodeTest,
    ::testing::Values(
        DialogCodeCase{"None", 0, false, 0},
        DialogCodeCase{"All", cxKeys({ckAll}), false, pw::DLGC_WANTALLKEYS},
        DialogCodeCase{"Arrows", cxKeys({ckArrows}), false, pw::DLGC_WANTARROWS},
        DialogCodeCase{"Chars", cxKeys({ckChars}), false, pw::DLGC_WANTCHARS},
        DialogCodeCase{"Tab", cxKeys({ckTab}), false, pw::DLGC_WANTTAB},
        DialogCodeCase{"TabWithCtrl", cxKeys({ckTab}), true, 0},
        DialogCodeCase{"Every", cxKeys({ckAll, ckArrows, ckChars, ckTab}), false, 0x87},
        DialogCodeCase{"EveryWithCtrl", cxKeys({ckAll, ckArrows, ckChars, ckTab}), true, 0x85}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(CxControlTest, RightClickShowsThePopupMenuAtThePointAndTheMenuKeyAtTheClientOrigin) {
    TTestControl& Control = MakeCxControl({10, 10, 110, 60});
    auto& Menu = Form().Own<TFakePopupMenu>();
    Control.SetPopupMenu(&Menu);
    ASSERT_EQ(Control.PopupMenu(), &Menu);

    Input.Click(Screen(Control, {30, 20}), Qt::RightButton);
    ASSERT_EQ(Menu.Shown.size(), 1u);
    EXPECT_EQ(Menu.Shown[0], Screen(Control, {30, 20}));

    Control.SetFocus();
    Input.TypeKey(pw::VK_APPS);
    ASSERT_EQ(Menu.Shown.size(), 2u);
    EXPECT_EQ(Menu.Shown[1], Screen(Control, {0, 0}));
}

TEST_F(CxControlTest, OnlyAPopupMenuCanBecomeThePopupMenuAndAFreedOneIsForgotten) {
    TTestControl& Control = MakeCxControl({10, 10, 110, 60});
    auto& NotAMenu = Form().Own<pc::TComponent>();
    Control.SetPopupMenu(&NotAMenu);
    EXPECT_EQ(Control.PopupMenu(), nullptr);

    auto& Menu = Form().Own<TFakePopupMenu>();
    Control.SetPopupMenu(&Menu);
    Form().FreeComponent(Menu);
    EXPECT_EQ(Control.PopupMenu(), nullptr);
}

// Each handler frees the control while the press is being handled; nothing may touch it after.
enum class FreeingHandler { MouseDown, Enter, FocusChanged };

class CxControlFreedTest : public CxControlTest,
                           public ::testing::WithParamInterface<FreeingHandler> {};

TEST_P(CxControlFreedTest, APressWhoseHandlerFreesTheControlTouchesItNoMore) {
    TTestControl& Control = MakeCxControl({10, 10, 110, 60});
    const TPoint P = Screen(Control, {20, 20});
    bool Freed = false;
    auto Free = [&](pc::TObject*) {
        if (Freed) return;
        Freed = true;
        Form().FreeComponent(Control);
    };
    switch (GetParam()) {
    case FreeingHandler::MouseDown:
        Control.OnMouseDown = [&](pc::TObject* Sender, pf::TMouseButton, pf::TShiftState, int,
                                  int) { Free(Sender); };
        break;
    case FreeingHandler::Enter:
        Control.OnEnter = Free;
        break;
    case FreeingHandler::FocusChanged:
        Control.OnFocusChanged = Free;
        break;
    }
    Input.Press(P);
    EXPECT_TRUE(Freed);
    Input.Release(P);
    EXPECT_EQ(pw::GetCapture(), pw::NullHWnd);
}

INSTANTIATE_TEST_SUITE_P(Handlers, CxControlFreedTest,
                         ::testing::Values(FreeingHandler::MouseDown, FreeingHandler::Enter,
                                           FreeingHandler::FocusChanged),
                         [](const auto& Info) {
                             switch (Info.param) {
                             case FreeingHandler::MouseDown:
                                 return "MouseDown";
                             case FreeingHandler::Enter:
                                 return "Enter";
                             default:
                                 return "FocusChanged";
                             }
                         });

TEST_F(CxControlTest, AClickFocusesTheControlUnlessFocusOnClickIsOff) {
    TTestControl& First = MakeCxControl({10, 10, 110, 60});
    TTestControl& Second = MakeCxControl({10, 70, 110, 120});
    Second.FocusOnClick = false;
    int FocusChanges = 0;
    First.OnFocusChanged = [&](pc::TObject*) { ++FocusChanges; };
    Input.Click(Screen(First, {5, 5}));
    EXPECT_TRUE(First.Focused());
    EXPECT_EQ(FocusChanges, 1);
    Input.Click(Screen(Second, {5, 5}));
    EXPECT_TRUE(First.Focused());
    First.OnFocusChanged = nullptr;
}

TEST_F(CxControlTest, AControlLargerThanSixteenBitsTakesTheMessagesPoint) {
    TTestControl& Control = MakeCxControl({0, 0, 100, 40000});
    pw::SetCursorPos(900, 700);
    Control.Perform(pw::WM_RBUTTONDOWN, 0, pw::PointToLParam({12, 34}));
    ASSERT_EQ(Control.AfterMouseDownPoints.size(), 1u);
    EXPECT_EQ(Control.AfterMouseDownPoints[0], (TPoint{12, 34}));
}

TEST_F(CxControlTest, TheSingleBorderNarrowsTheClientBounds) {
    TcxLookAndFeelPaintersUnit Painters;
    TTestControl& Control = MakeCxControl({10, 10, 110, 60});
    EXPECT_EQ(Control.GetClientBounds(), (TRect{0, 0, 100, 50}));
    Control.SetBorderStyle(cbsSingle);
    const int Border = Control.Painter()->BorderSize();
    ASSERT_GT(Border, 0);
    EXPECT_EQ(Control.GetClientBounds(), (TRect{Border, Border, 100 - Border, 50 - Border}));
}

class CxControlDragTest : public CxControlTest {
protected:
    CxControlDragTest() : Control(MakeCxControl({10, 10, 210, 110})) {
        Control.OnStartDragAndDrop = [](const TPoint&) { return true; };
        Control.DragAndDropObjectClass = [this](TcxControl& C) {
            return std::make_unique<TLoggingDragObject>(C, Log);
        };
    }
    ~CxControlDragTest() override { pf::Screen().SetCursor(pf::crDefault); }

    TTestControl& Control;
    TDragLog Log;
};

TEST_F(CxControlDragTest, APressAndReleaseWithoutAMoveNeverStartsADrag) {
    const TPoint P = Screen(Control, {50, 50});
    Input.Press(P);
    EXPECT_EQ(Control.DragAndDropState(), ddsStarting);
    Input.MoveTo({P.X + 2, P.Y + 1});
    Input.Release({P.X + 2, P.Y + 1});
    EXPECT_EQ(Log.Begins, 0);
    EXPECT_TRUE(Log.Ends.empty());
    EXPECT_EQ(Control.DragAndDropState(), ddsNone);
}

TEST_F(CxControlDragTest, LeavingTheDetectAreaStartsTheDragAndTheReleaseAcceptsIt) {
    const TPoint P = Screen(Control, {50, 50});
    Input.Press(P);
    Input.MoveTo({P.X + 20, P.Y});
    EXPECT_EQ(Log.Begins, 1);
    EXPECT_EQ(Control.DragAndDropState(), ddsInProcess);
    Input.MoveTo({P.X + 30, P.Y + 5});
    EXPECT_EQ(Log.Moves.back(), (TPoint{80, 55}));
    Input.Release({P.X + 30, P.Y + 5});
    EXPECT_EQ(Log.Ends, std::vector<bool>{true});
    EXPECT_EQ(Control.DragAndDropState(), ddsNone);
    EXPECT_EQ(pw::GetCapture(), pw::NullHWnd);
}

TEST_F(CxControlDragTest, EscapeCancelsTheDragRestoresTheCursorAndIsSwallowed) {
    pf::Screen().SetCursor(pf::crHourGlass);
    int FormKeys = 0;
    Form().KeyPreview = true;
    Form().OnKeyDown = [&](pc::TObject*, pf::WORD&, pf::TShiftState) { ++FormKeys; };
    auto& Cancel = Form().Own<pf::TButton>();
    Cancel.SetParent(&Form());
    Cancel.SetBounds(300, 10, 60, 20);
    Cancel.Cancel = true;
    int CancelClicks = 0;
    Cancel.OnClick = [&](pc::TObject*) { ++CancelClicks; };

    const TPoint P = Screen(Control, {50, 50});
    Input.Press(P);
    Input.MoveTo({P.X + 20, P.Y});
    ASSERT_EQ(Control.DragAndDropState(), ddsInProcess);
    Input.MoveTo({P.X + 25, P.Y});
    EXPECT_EQ(pf::Screen().Cursor(), pf::crNoDrop);

    Input.TypeKey(pw::VK_ESCAPE);
    EXPECT_EQ(Log.Ends, std::vector<bool>{false});
    EXPECT_EQ(Control.DragAndDropState(), ddsNone);
    EXPECT_EQ(pf::Screen().Cursor(), pf::crHourGlass);
    EXPECT_EQ(FormKeys, 0);
    EXPECT_EQ(CancelClicks, 0);
    Input.Release({P.X + 25, P.Y});
    EXPECT_EQ(Log.Ends.size(), 1u);
    Form().OnKeyDown = nullptr;
    Cancel.OnClick = nullptr;
}

struct DragDetectCase {
    const char* Name;
    std::function<void(testsupport::InputDriver&, TPoint)> Act;
    TcxDragDetect Expected;
};

class CxDragDetectTest : public CxControlTest,
                         public ::testing::WithParamInterface<DragDetectCase> {};

TEST_P(CxDragDetectTest, EndsAsTheUserDoes) {
    TTestControl& Control = MakeCxControl({10, 10, 210, 110});
    const TPoint P = Screen(Control, {50, 50});
    Input.MoveTo(P);
    Clock.Schedule(Clock.Now() + 10, [&] { GetParam().Act(Input, P); });
    EXPECT_EQ(cxDragDetect(Control.Handle()), GetParam().Expected);
    EXPECT_EQ(pw::GetCapture(), pw::NullHWnd);
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, CxDragDetectTest,
    ::testing::Values(DragDetectCase{"ReleaseInside",
                                     [](testsupport::InputDriver& I, TPoint P) {
                                         I.Press(P);
                                         I.Release({P.X + 1, P.Y + 1});
                                     },
                                     ddNone},
                      DragDetectCase{"MoveOut",
                                     [](testsupport::InputDriver& I, TPoint P) {
                                         I.Press(P);
                                         I.MoveTo({P.X + 10, P.Y});
                                         I.Release({P.X + 10, P.Y});
                                     },
                                     ddDrag},
                      DragDetectCase{
                          "Escape",
                          [](testsupport::InputDriver& I, TPoint) { I.TypeKey(pw::VK_ESCAPE); },
                          ddCancel}),
    [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
} // namespace toolkit::base::test
