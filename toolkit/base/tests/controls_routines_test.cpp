#include "toolkit/base/cx_controls_routines.h"
#include "toolkit/base/settings_controller.h"
#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/forms/controls.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"

#include <string>

namespace toolkit::base::test {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

struct AccelCase {
    const char* Name;
    const char* Text;
    bool AppendUnderscore;
    const char* Expected;
};

class RemoveAccelChars : public ::testing::TestWithParam<AccelCase> {};

TEST_P(RemoveAccelChars, Removes) {
    EXPECT_EQ(cxRemoveAccelChars(GetParam().Text, GetParam().AppendUnderscore),
              GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveAccelChars,
    ::testing::Values(AccelCase{"Plain", "Open", true, "Open"},
                      AccelCase{"MarkBeforeALetter", "&Open", true, "Open"},
                      AccelCase{"MarkInside", "Sa&ve as", false, "Save as"},
                      AccelCase{"DoubledGivesOne", "Save && Exit", true, "Save & Exit"},
                      AccelCase{"TripledGivesOneAndDropsTheMark", "A&&&B", true, "A&B"},
                      AccelCase{"TrailingBecomesUnderscore", "Next&", true, "Next_"},
                      AccelCase{"TrailingDroppedUnlessAsked", "Next&", false, "Next"},
                      AccelCase{"DoubledAtTheEndIsNotTrailing", "Next&&", true, "Next&"},
                      AccelCase{"LoneMark", "&", true, "_"}, AccelCase{"Empty", "", true, ""}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(ControlsRoutines, NumericAndTextCharacters) {
    for (char Ch : std::string("+-0123456789"))
        for (int Kind = 0; Kind <= 2; ++Kind)
            EXPECT_TRUE(cxIsNumericChar(Ch, Kind)) << Ch << Kind;
    EXPECT_FALSE(cxIsNumericChar('.', 0));
    EXPECT_TRUE(cxIsNumericChar('.', 1));
    EXPECT_TRUE(cxIsNumericChar('.', 2));
    EXPECT_FALSE(cxIsNumericChar('e', 1));
    EXPECT_TRUE(cxIsNumericChar('e', 2));
    EXPECT_TRUE(cxIsNumericChar('E', 2));
    EXPECT_FALSE(cxIsNumericChar('x', 2));
    EXPECT_FALSE(cxIsTextChar('\t'));
    EXPECT_FALSE(cxIsTextChar('\x1f'));
    EXPECT_TRUE(cxIsTextChar(' '));
    EXPECT_TRUE(cxIsTextChar('\xe9'));
}

TEST(ControlsRoutines, ShiftStateToMouseKeys) {
    EXPECT_EQ(cxShiftStateToKeys(pf::ssShift), pw::MK_SHIFT);
    EXPECT_EQ(cxShiftStateToKeys(pf::ssCtrl), pw::MK_CONTROL);
    EXPECT_EQ(cxShiftStateToKeys(pf::ssLeft), pw::MK_LBUTTON);
    EXPECT_EQ(cxShiftStateToKeys(pf::ssRight), pw::MK_RBUTTON);
    EXPECT_EQ(cxShiftStateToKeys(pf::ssMiddle), pw::MK_MBUTTON);
    EXPECT_EQ(cxShiftStateToKeys(pf::ssAlt | pf::ssDouble), 0u);
    EXPECT_EQ(cxShiftStateToKeys(pf::ssShift | pf::ssCtrl | pf::ssLeft), 13u);
}

using ControlsRoutinesTest = ControlsUnitTest;

TEST_F(ControlsRoutinesTest, TheWorkAreaIsTheNearestMonitors) {
    EXPECT_EQ(cxGetWorkAreaFromPoint({10, 10}), (TRect{0, 0, 1024, 740}));
    EXPECT_EQ(cxGetWorkAreaFromPoint({1500, 100}), (TRect{1024, 0, 2048, 768}));
    EXPECT_EQ(cxGetWorkAreaFromPoint({3000, 5000}), (TRect{1024, 0, 2048, 768}));
    EXPECT_EQ(cxGetWorkAreaFromPoint({-50, 750}), (TRect{0, 0, 1024, 740}));
}

TEST_F(ControlsRoutinesTest, CursorCtrlAndDoubleClickTime) {
    pw::SetCursorPos(321, 123);
    EXPECT_EQ(cxGetCursorPos(), (TPoint{321, 123}));
    EXPECT_FALSE(cxIsCtrlPressed());
    pw::SetDoubleClickTime(345);
    EXPECT_EQ(cxGetDoubleClickTime(), 345u);
    pw::SetDoubleClickTime(500);
}

TEST_F(ControlsRoutinesTest, KeyCodesGiveTheirCharacter) {
    EXPECT_EQ(cxGetCharFromKeyCode('A'), 'a');
    EXPECT_EQ(cxGetCharFromKeyCode('7'), '7');
    EXPECT_EQ(cxGetCharFromKeyCode(pw::VK_CONTROL), '\0');
}

TEST_F(ControlsRoutinesTest, WindowsAndTheirChildren) {
    TCountingControl& Child = MakeControl({10, 20, 110, 60});
    pf::TForm& Parent = Form();
    EXPECT_TRUE(cxHasChildWindowStyle(Child.Handle()));
    EXPECT_FALSE(cxHasChildWindowStyle(Parent.Handle()));
    EXPECT_TRUE(cxIsWindowOrChild(Parent.Handle(), Child.Handle()));
    EXPECT_TRUE(cxIsWindowOrChild(Parent.Handle(), Parent.Handle()));
    EXPECT_FALSE(cxIsWindowOrChild(Child.Handle(), Parent.Handle()));
    EXPECT_FALSE(cxIsWindowOrChild(pw::NullHWnd, Child.Handle()));

    TPoint P{1, 2};
    cxMapWindowPoint(Child.Handle(), Parent.Handle(), P);
    EXPECT_EQ(P, (TPoint{11, 22}));
    TRect R{0, 0, 100, 40};
    cxMapWindowRect(Child.Handle(), Parent.Handle(), R);
    EXPECT_EQ(R, (TRect{10, 20, 110, 60}));

    EXPECT_TRUE(cxCanAllocateHandle(&Child));
    TCountingControl Orphan(nullptr);
    EXPECT_FALSE(cxCanAllocateHandle(&Orphan));
    Orphan.SetParent(&Parent);
    EXPECT_TRUE(cxCanAllocateHandle(&Orphan));
    Orphan.SetParent(nullptr);
}

class SettingsControllerTest : public ControlsUnitTest {
protected:
    void SendMetricsChange(pc::WPARAM Setting = pw::SPI_SETNONCLIENTMETRICS) {
        pc::SendMessage(cxSettingsController().Handle(), pw::WM_SETTINGCHANGE, Setting, 0);
    }
};

TEST_F(SettingsControllerTest, AMetricsChangeReachesEveryRegisteredControlOnce) {
    TCountingControl& First = MakeControl({0, 0, 50, 50});
    TCountingControl& Second = MakeControl({60, 0, 110, 50});
    TCountingControl& Unregistered = MakeControl({120, 0, 170, 50});
    TcxSettingsController& Controller = cxSettingsController();
    EXPECT_EQ(Controller.Handle(), pc::NullHWnd);
    Controller.AddListener(&First);
    Controller.AddListener(&Second);
    Controller.AddListener(&First);
    EXPECT_EQ(Controller.ListenerCount(), 2);
    ASSERT_NE(Controller.Handle(), pc::NullHWnd);

    SendMetricsChange(pw::SPI_SETNONCLIENTMETRICS + 1);
    EXPECT_EQ(First.Count(cxNCSizeChangedMessage), 0);
    SendMetricsChange();
    EXPECT_EQ(First.Count(cxNCSizeChangedMessage), 1);
    EXPECT_EQ(Second.Count(cxNCSizeChangedMessage), 1);
    EXPECT_EQ(Unregistered.Count(cxNCSizeChangedMessage), 0);

    Controller.RemoveListener(&First);
    SendMetricsChange();
    EXPECT_EQ(First.Count(cxNCSizeChangedMessage), 1);
    EXPECT_EQ(Second.Count(cxNCSizeChangedMessage), 2);

    // The window goes with the last listener.
    const pc::HWND Window = Controller.Handle();
    Controller.RemoveListener(&Second);
    EXPECT_EQ(Controller.Handle(), pc::NullHWnd);
    EXPECT_FALSE(pc::IsWindow(Window));
}

TEST_F(SettingsControllerTest, AControlWithoutAWindowIsSkippedAndOneRemovedOnTheWayIsNotTold) {
    class TRemovingControl : public TCountingControl {
    public:
        using TCountingControl::TCountingControl;
        void WndProc(pc::TMessage& Message) override {
            if (Message.Msg == cxNCSizeChangedMessage && Next)
                cxSettingsController().RemoveListener(Next);
            TCountingControl::WndProc(Message);
        }
        pf::TWinControl* Next = nullptr;
    };
    TCountingControl Windowless(nullptr);
    ASSERT_FALSE(Windowless.HandleAllocated());
    TRemovingControl Remover(nullptr);
    Remover.SetParent(&Form());
    Remover.HandleNeeded();
    TCountingControl& Removed = MakeControl({60, 0, 110, 50});
    Remover.Next = &Removed;

    TcxSettingsController& Controller = cxSettingsController();
    Controller.AddListener(&Windowless);
    Controller.AddListener(&Remover);
    Controller.AddListener(&Removed);
    SendMetricsChange();
    EXPECT_FALSE(Windowless.HandleAllocated());
    EXPECT_EQ(Windowless.Count(cxNCSizeChangedMessage), 0);
    EXPECT_EQ(Remover.Count(cxNCSizeChangedMessage), 1);
    EXPECT_EQ(Removed.Count(cxNCSizeChangedMessage), 0);
    Controller.RemoveListener(&Windowless);
    Controller.RemoveListener(&Remover);
}

} // namespace
} // namespace toolkit::base::test
