#include "toolkit/edit/cx_inner_list_box.h"

#include "toolkit/base/cx_controls_unit.h"
#include "toolkit/edit/cx_container.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"
#include "testsupport/qt_test_environment.h"
#include "testsupport/win/input_driver.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;
namespace pg = platform::gdi;

[[maybe_unused]] const auto* QtEnvironment =
    testsupport::AddQtTestEnvironment<QApplication>("toolkit_edit_tests");

class InnerListBoxTest : public ::testing::Test {
protected:
    InnerListBoxTest() : Root(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &Root->Own<pf::TForm>();
        Form->SetBounds(0, 0, 200, 200);
        List = &Form->Own<TcxCustomInnerListBox>();
        List->SetParent(Form);
        List->SetBounds(10, 10, 120, 150);
        for (const char* S : {"alpha", "beta", "Bravo", "brown", "charlie"})
            List->Items().Add(S);
        List->OnClick = [this](pc::TObject*) { ++Clicks; };
        Form->Show();
        testsupport::PumpUntilIdle();
        List->SetFocus();
        testsupport::PumpUntilIdle();
    }
    ~InnerListBoxTest() override {
        Root.reset();
        testsupport::PumpUntilIdle();
    }

    void Type(char C) {
        const QString Text(QChar::fromLatin1(C));
        Input.TypeKey(C == 8 ? pw::VK_BACK : 'A' + (C | 0x20) - 'a', Text);
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    testsupport::InputDriver Input;
    std::unique_ptr<pc::TComponent> Root;
    pf::TForm* Form = nullptr;
    TcxCustomInnerListBox* List = nullptr;
    int Clicks = 0;
};

TEST_F(InnerListBoxTest, TypingWithinTheDelaySearchesOnAfterItSearchesAnew) {
    struct Step {
        char Key;
        std::uint32_t After; // milliseconds since the key before
        const char* SearchText;
        int ItemIndex;
    } Steps[] = {
        {'b', 0, "b", 1},   {'r', 499, "br", 2}, {'o', 499, "bro", 3},
        {'c', 500, "c", 4}, {'a', 100, "ca", 4}, {'b', 1000, "b", 1},
        {'x', 10, "bx", 1}, {8, 10, "b", 1},     {8, 10, "", 0},
    };
    for (const auto& S : Steps) {
        Clock.Advance(S.After);
        Type(S.Key);
        EXPECT_EQ(List->SearchText(), S.SearchText) << S.Key << " after " << S.After;
        EXPECT_EQ(List->ItemIndex(), S.ItemIndex) << S.Key << " after " << S.After;
    }
    // Each search that finds an item (or empties the text) clicks; "ca" and "bx" find none.
    EXPECT_EQ(Clicks, 7);
}

TEST_F(InnerListBoxTest, WithoutAutoCompleteTypingSearchesNothing) {
    List->AutoComplete = false;
    List->SetItemIndex(0);
    Type('c');
    EXPECT_EQ(List->SearchText(), "");
    EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(InnerListBoxTest, AMultipleSelectionSearchLeavesTheFoundItemAloneSelected) {
    List->MultiSelect = true;
    List->SetSelected(0, true);
    List->SetSelected(1, true);
    Type('c');
    EXPECT_EQ(List->ItemIndex(), 4);
    for (int I = 0; I < List->Items().Count(); ++I)
        EXPECT_EQ(List->Selected(I), I == 4) << I;
}

// Without a container it answers as the plain list box: arrows and characters, no Tab.
TEST_F(InnerListBoxTest, WithoutAContainerItWantsNoTab) {
    const auto Code = List->Perform(pw::WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(Code & pw::DLGC_WANTTAB, 0);
    EXPECT_NE(Code & pw::DLGC_WANTARROWS, 0);
}

// Inside an editor's frame the list draws no border of its own.
TEST_F(InnerListBoxTest, TheWindowHasNoBorder) {
    const auto ExStyle = static_cast<pw::DWORD>(pw::GetWindowLong(List->Handle(), pw::GWL_EXSTYLE));
    EXPECT_EQ(ExStyle & pw::WS_EX_CLIENTEDGE, 0u);
    EXPECT_EQ(List->ClientWidth(), List->Width());
}

// A popup menu whose only shortcut is Ctrl+K.
class TCtrlKMenu : public pc::TComponent, public toolkit::base::IcxPopupMenu {
public:
    using pc::TComponent::TComponent;
    bool IsShortCut(pc::TMessage& Message) override {
        ++Asked;
        return Message.WParam == static_cast<pw::WPARAM>('K') &&
               pw::GetKeyState(pw::VK_CONTROL) < 0;
    }
    void Popup(int, int) override {}
    int Asked = 0;
};

// A container that records what the list box hands on to it.
class TPressRecordingContainer : public TcxContainer {
public:
    using TcxContainer::TcxContainer;
    std::vector<pg::TPoint> Presses;
    // What InnerControlMouseDown and CanFocusOnClick answered during each press.
    std::vector<std::pair<bool, bool>> PressStates;
    std::vector<int> Wheels;
    bool TakesWheel = false;
    int ContextPopups = 0;
    std::vector<pf::WORD> Keys;

protected:
    void MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) override {
        Presses.push_back({X, Y});
        PressStates.push_back({InnerControlMouseDown(), CanFocusOnClick()});
        TcxContainer::MouseDown(Button, Shift, X, Y);
    }
    bool DoMouseWheel(pf::TShiftState, int WheelDelta, pg::TPoint) override {
        Wheels.push_back(WheelDelta);
        return TakesWheel;
    }
    void DoContextPopup(pg::TPoint, bool& Handled) override {
        ++ContextPopups;
        Handled = true;
    }
    void KeyDown(pf::WORD& Key, pf::TShiftState Shift) override {
        Keys.push_back(Key);
        TcxContainer::KeyDown(Key, Shift);
    }
    void FocusChanged() override {
        ++FocusChanges;
        TcxContainer::FocusChanged();
    }

public:
    int FocusChanges = 0;
};

// Remakes its window when told, so that a selection kind set late takes effect.
class TRemadeInnerListBox : public TcxCustomInnerListBox {
public:
    using TcxCustomInnerListBox::RecreateWnd;
    using TcxCustomInnerListBox::TcxCustomInnerListBox;
};

// The list box inside a real container, between two edits of the form.
class ContainedInnerListBoxTest : public ::testing::Test {
protected:
    ContainedInnerListBoxTest() : Root(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &Root->Own<pf::TForm>();
        Form->SetBounds(100, 100, 300, 300);
        Before = MakeEdit({10, 10, 110, 31}, 0);
        Container = &Form->Own<TPressRecordingContainer>();
        Container->SetParent(Form);
        Container->TabOrder = 1;
        Container->SetBoundsRect({10, 40, 150, 120});
        List = &Form->Own<TRemadeInnerListBox>();
        List->SetParent(Container);
        List->Container = Container;
        Container->SetInnerControl(List);
        for (int I = 0; I < 30; ++I)
            List->Items().Add("item " + std::to_string(I));
        After = MakeEdit({10, 130, 110, 151}, 2);
        Form->Show();
        testsupport::PumpUntilIdle();
        Container->ShortRefreshContainer(false);
        List->SetFocus();
        testsupport::PumpUntilIdle();
    }
    ~ContainedInnerListBoxTest() override {
        Root.reset();
        testsupport::PumpUntilIdle();
    }
    pf::TEdit* MakeEdit(const pg::TRect& R, int TabOrder) {
        auto& Edit = Form->Own<pf::TEdit>();
        Edit.SetParent(Form);
        Edit.SetBoundsRect(R);
        Edit.TabOrder = TabOrder;
        return &Edit;
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    toolkit::base::TcxControlsUnit Unit;
    testsupport::InputDriver Input;
    std::unique_ptr<pc::TComponent> Root;
    pf::TForm* Form = nullptr;
    pf::TEdit* Before = nullptr;
    TPressRecordingContainer* Container = nullptr;
    TRemadeInnerListBox* List = nullptr;
    pf::TEdit* After = nullptr;
};

TEST_F(ContainedInnerListBoxTest, ItFillsTheFrameAndTabAndShiftTabMoveOn) {
    EXPECT_EQ(List->BoundsRect(), Container->ViewInfo().InnerRect);
    ASSERT_EQ(pw::GetFocus(), List->Handle());
    Input.TypeKey(pw::VK_TAB, "\t");
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pw::GetFocus(), After->Handle());
    List->SetFocus();
    testsupport::PumpUntilIdle();
    Input.HoldKey(pw::VK_SHIFT);
    Input.TypeKey(pw::VK_TAB, "\t");
    Input.ReleaseKey(pw::VK_SHIFT);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(pw::GetFocus(), Before->Handle());
}

TEST_F(ContainedInnerListBoxTest, TheContainerHearsAClickInContainerCoordinatesAndTheFocus) {
    Input.Click(List->ClientToScreen({5, 7}));
    testsupport::PumpUntilIdle();
    const pg::TRect Inner = Container->ViewInfo().InnerRect;
    EXPECT_EQ(Container->Presses, (std::vector<pg::TPoint>{{Inner.Left + 5, Inner.Top + 7}}));
    EXPECT_NE(Container->ViewInfo().ContainerState & cstFocused, 0);
}

TEST_F(ContainedInnerListBoxTest, TheContainerHearsItsListTakeAndLoseTheFocus) {
    After->SetFocus();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Container->ViewInfo().ContainerState & cstFocused, 0);
    Container->FocusChanges = 0;
    List->SetFocus();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Container->FocusChanges, 1);
    EXPECT_NE(Container->ViewInfo().ContainerState & cstFocused, 0);
    After->SetFocus();
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Container->FocusChanges, 2);
    EXPECT_EQ(Container->ViewInfo().ContainerState & cstFocused, 0);
}

// The system's scroll-bar information is not offered here: the list box keeps its own bars,
// ours stay hidden whatever happens to the items, and no size grip is painted.
TEST_F(ContainedInnerListBoxTest, WithoutScrollBarInformationTheExternalBarsStayHidden) {
    ASSERT_FALSE(IsGetScrollBarInfoAvailable());
    List->Items().Add("one more");
    List->SetTopIndex(10);
    List->Perform(pw::WM_SETREDRAW, 0, 0);
    List->Items().Add("while frozen");
    List->Perform(pw::WM_SETREDRAW, 1, 0);
    EXPECT_FALSE(List->HScrollBar().Visible());
    EXPECT_FALSE(List->VScrollBar().Visible());
    EXPECT_EQ(List->HScrollBar().Kind(), toolkit::base::sbHorizontal);
    EXPECT_EQ(List->VScrollBar().Kind(), toolkit::base::sbVertical);
    EXPECT_EQ(List->GetSizeGripRect(), pg::TRect{});
    EXPECT_NE(pw::GetWindowLong(List->Handle(), pw::GWL_STYLE) & pw::WS_VSCROLL, 0);
}

TEST_F(ContainedInnerListBoxTest, DuringItsPressTheContainerTakesNoFocusForTheClick) {
    EXPECT_FALSE(Container->InnerControlMouseDown());
    Input.Click(List->ClientToScreen({5, 7}));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Container->PressStates, (std::vector<std::pair<bool, bool>>{{true, false}}));
    EXPECT_FALSE(Container->InnerControlMouseDown());
    EXPECT_EQ(pw::GetFocus(), List->Handle());
}

TEST_F(ContainedInnerListBoxTest, TheContainerHearsTheWheelFirstAndMayKeepItFromTheList) {
    struct Case {
        bool TakesWheel;
        int TopIndexAfter;
    };
    for (const Case& C : {Case{true, 0}, Case{false, 3}}) {
        SCOPED_TRACE(C.TakesWheel);
        List->SetTopIndex(0);
        Container->Wheels.clear();
        Container->TakesWheel = C.TakesWheel;
        Input.Wheel(List->ClientToScreen({5, 7}), -120);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Container->Wheels, std::vector<int>{-120});
        EXPECT_EQ(List->TopIndex(), C.TopIndexAfter);
    }
}

TEST_F(ContainedInnerListBoxTest, TheContextMenuRequestIsTheContainersAndHeardOnce) {
    const pc::LRESULT Result =
        pc::SendMessage(List->Handle(), pw::WM_CONTEXTMENU, static_cast<pw::WPARAM>(List->Handle()),
                        static_cast<pw::LPARAM>(-1));
    EXPECT_EQ(Result, 1);
    EXPECT_EQ(Container->ContextPopups, 1);
}

TEST_F(ContainedInnerListBoxTest, APopupMenuShortcutOfTheContainerNeverReachesTheList) {
    auto& Menu = Form->Own<TCtrlKMenu>();
    Container->SetPopupMenu(&Menu);
    Input.HoldKey(pw::VK_CONTROL);
    Input.TypeKey('K', "");
    Input.ReleaseKey(pw::VK_CONTROL);
    testsupport::PumpUntilIdle();
    EXPECT_GT(Menu.Asked, 0);
    EXPECT_EQ(std::count(Container->Keys.begin(), Container->Keys.end(), 'K'), 0);
    Input.TypeKey(pw::VK_DOWN, "");
    testsupport::PumpUntilIdle();
    EXPECT_EQ(std::count(Container->Keys.begin(), Container->Keys.end(), pw::VK_DOWN), 1);
}

TEST_F(ContainedInnerListBoxTest, AutomaticDragStartsOnTheContainerAndKeepsAPressedSelection) {
    struct Case {
        const char* Name;
        int Item;
        bool Ctrl;
        bool Drags;
        std::vector<int> SelectedAfter; // checked when not empty
    };
    const std::vector<Case> Cases = {
        {"a selected item drags the selection as it is", 2, false, true, {2, 3}},
        {"another item is selected alone, then dragged", 5, false, true, {5}},
        {"Ctrl adds to the selection and drags nothing", 5, true, false, {}},
    };
    List->MultiSelect = true;
    List->RecreateWnd();
    Container->SetDragMode(pf::dmAutomatic);
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        for (int I = 0; I < List->Items().Count(); ++I)
            List->SetSelected(I, I == 2 || I == 3);
        const pg::TRect R = List->ItemRect(C.Item);
        const pg::TPoint P = List->ClientToScreen({R.Left + 3, R.Top + 2});
        if (C.Ctrl) Input.HoldKey(pw::VK_CONTROL);
        Input.Press(P);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Container->Dragging(), C.Drags);
        EXPECT_FALSE(List->Dragging());
        Input.Release(P);
        if (C.Ctrl) Input.ReleaseKey(pw::VK_CONTROL);
        testsupport::PumpUntilIdle();
        if (Container->Dragging()) Container->EndDrag(false);
        EXPECT_EQ(List->DragMode(), pf::dmAutomatic);
        if (C.SelectedAfter.empty()) continue;
        std::vector<int> Selected;
        for (int I = 0; I < List->Items().Count(); ++I)
            if (List->Selected(I)) Selected.push_back(I);
        EXPECT_EQ(Selected, C.SelectedAfter);
    }
}

// The external bars stay hidden here, so their scrolling is driven by calling it.
TEST_F(ContainedInnerListBoxTest, TheExternalBarsScrollTheListAndReadItsPositionBack) {
    struct Case {
        toolkit::base::TScrollCode Code;
        int Pos;
        int TopIndexAfter;
    };
    List->SetTopIndex(5);
    for (const Case& C :
         {Case{toolkit::base::scTrack, 7, 7}, Case{toolkit::base::scLineDown, 8, 8},
          Case{toolkit::base::scPosition, 2, 2}, Case{toolkit::base::scBottom, 0, -1},
          Case{toolkit::base::scTop, 12, 0}}) {
        SCOPED_TRACE(static_cast<int>(C.Code));
        int Pos = C.Pos;
        List->VScrollBar().OnScroll(&List->VScrollBar(), C.Code, Pos);
        if (C.TopIndexAfter >= 0) {
            EXPECT_EQ(List->TopIndex(), C.TopIndexAfter);
        }
        EXPECT_EQ(Pos, List->TopIndex());
    }
    int Pos = 4;
    List->HScrollBar().OnScroll(&List->HScrollBar(), toolkit::base::scPageDown, Pos);
    EXPECT_EQ(Pos, 0);
    EXPECT_FALSE(Container->SizeGripBounds().Visible);
}

TEST_F(ContainedInnerListBoxTest, ADragOverTheListIsADragOverTheContainerInItsCoordinates) {
    std::vector<pg::TPoint> Overs;
    Container->OnDragOver = [&](pc::TObject*, pc::TObject*, int X, int Y, pf::TDragState,
                                bool& Accept) {
        Overs.push_back({X, Y});
        Accept = true;
    };
    EXPECT_TRUE(List->DragOver(nullptr, 3, 4, pf::dsDragMove));
    EXPECT_EQ(Overs, (std::vector<pg::TPoint>{{List->Left() + 3, List->Top() + 4}}));
}

} // namespace
} // namespace toolkit::edit
