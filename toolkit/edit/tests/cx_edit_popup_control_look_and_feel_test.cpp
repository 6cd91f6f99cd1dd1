#include "toolkit/edit/cx_edit_popup_control_look_and_feel.h"
#include "toolkit/edit/tests/combo_box_fixture.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_combo_box.h"
#include "toolkit/edit/cx_popup_edit.h"

#include "toolkit/base/cx_look_and_feel_painters.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace tb = toolkit::base;

// A combo box of ten items that shows three rows, so that its open list has a scroll bar.
class PopupControlLookAndFeelTest : public ::testing::Test {
protected:
    PopupControlLookAndFeelTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Edit = &test::ShowFocusedComboBox(*Form, test::TenItems);
        Edit->Properties().SetDropDownRows(3);
    }
    ~PopupControlLookAndFeelTest() override { test::FreeTestForm(Owner); }

    void Open() {
        Edit->SetDroppedDown(true);
        testsupport::PumpUntilIdle();
    }
    tb::TcxLookAndFeel& EditLookAndFeel() { return Edit->Style().LookAndFeel(); }
    TcxComboBoxListBox& List() { return *Edit->ComboLookupData().List(); }
    // The popup window in a picture; the picture's path stays when QUINTARON_KEEP_PNG names a
    // folder.
    QImage Picture(const std::string& Name) {
        std::string Png = Folder.PathOf(Name);
        if (const char* Keep = std::getenv("QUINTARON_KEEP_PNG"))
            Png = std::string(Keep) + "/" + Name;
        EXPECT_TRUE(testsupport::SaveWindowPng(Edit->PopupWindow()->Handle(), Png));
        return QImage(QString::fromStdString(Png));
    }

    tb::TcxLookAndFeelPaintersUnit Painters;
    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    TcxComboBox* Edit = nullptr;
    testsupport::InputDriver Input;
    testsupport::TempFolder Folder{"quintaron-popup-look-"};
};

TEST_F(PopupControlLookAndFeelTest, AnswersWithTheEditorsStyleAndSendsOnlyWhatMoved) {
    TcxEditPopupControlLookAndFeel& Popup = Edit->PopupControlsLookAndFeel();
    tb::TcxLookAndFeel Follower(nullptr);
    Follower.SetMasterLookAndFeel(&Popup);
    std::vector<tb::TcxLookAndFeelValues> Sent;
    Follower.OnChanged = [&](tb::TcxLookAndFeel*, tb::TcxLookAndFeelValues V) {
        Sent.push_back(V);
    };
    // Values assigned on the popup's look-and-feel itself are not its own: the editor's hold.
    Popup.SetKind(tb::lfOffice11);
    EXPECT_EQ(Popup.GetKind(), EditLookAndFeel().GetKind());

    const auto Kind = [&](tb::TcxLookAndFeelKind K) {
        return [&, K] { EditLookAndFeel().SetKind(K); };
    };
    const auto Native = [&](bool N) { return [&, N] { EditLookAndFeel().SetNativeStyle(N); }; };
    const struct {
        std::function<void()> Change;
        tb::TcxLookAndFeelKind Kind;
        bool NativeStyle;
        std::vector<tb::TcxLookAndFeelValues> Sent;
    } Cases[] = {
        {Kind(tb::lfFlat), tb::lfFlat, false, {tb::lfvKind}},
        {Kind(tb::lfFlat), tb::lfFlat, false, {}},
        {Native(true), tb::lfFlat, true, {tb::lfvNativeStyle}},
        {Kind(tb::lfStandard), tb::lfStandard, true, {tb::lfvKind}},
        {Native(false), tb::lfStandard, false, {tb::lfvNativeStyle}},
        {Kind(tb::lfOffice11), tb::lfOffice11, false, {tb::lfvKind}},
    };
    for (const auto& C : Cases) {
        Sent.clear();
        C.Change();
        EXPECT_EQ(Popup.GetKind(), C.Kind);
        EXPECT_EQ(Popup.GetNativeStyle(), C.NativeStyle);
        EXPECT_EQ(Follower.GetKind(), C.Kind);
        EXPECT_EQ(Follower.GetNativeStyle(), C.NativeStyle);
        EXPECT_EQ(Sent, C.Sent) << "kind " << C.Kind << ", native " << C.NativeStyle;
    }
}

TEST_F(PopupControlLookAndFeelTest, TheListAndTheFrameFollowAStyleChangeWhileOpen) {
    EditLookAndFeel().SetKind(tb::lfStandard);
    Open();
    ASSERT_TRUE(Edit->DroppedDown());
    auto& Window = static_cast<TcxCustomEditPopupWindow&>(*Edit->PopupWindow());
    EXPECT_EQ(List().LookAndFeel().GetKind(), tb::lfStandard);
    EXPECT_EQ(List().VScrollBar().LookAndFeel().GetKind(), tb::lfStandard);
    EXPECT_EQ(Window.Style().LookAndFeel().GetKind(), tb::lfStandard);
    for (const tb::TcxLookAndFeelKind Kind : {tb::lfFlat, tb::lfUltraFlat, tb::lfOffice11}) {
        EditLookAndFeel().SetKind(Kind);
        EXPECT_EQ(List().LookAndFeel().GetKind(), Kind);
        EXPECT_EQ(List().VScrollBar().LookAndFeel().GetKind(), Kind);
        EXPECT_EQ(Window.Style().LookAndFeel().GetKind(), Kind);
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Window.EditViewInfo().LookAndFeelKind, Kind);
    }
    EXPECT_TRUE(Edit->DroppedDown());
}

TEST_F(PopupControlLookAndFeelTest, TheFrameTakesTheEditorsPopupBorderStyle) {
    // The focused editor's state style maps the border; the view info holds the result.
    for (const TcxEditBorderStyle Border : {ebsSingle, ebsFlat, ebs3D, ebsNone}) {
        Edit->Style().SetBorderStyle(Border);
        testsupport::PumpUntilIdle();
        Open();
        ASSERT_TRUE(Edit->DroppedDown());
        auto& Window = static_cast<TcxCustomEditPopupWindow&>(*Edit->PopupWindow());
        EXPECT_EQ(int(Window.BorderStyle), int(Edit->EditViewInfo().PopupBorderStyle))
            << "border " << int(Border);
        EXPECT_NE(int(Window.BorderStyle), int(epbsDefault)) << "border " << int(Border);
        // The list lies inside the frame.
        const int F = Window.EditViewInfo().GetFrameWidth();
        EXPECT_GT(F, 0);
        EXPECT_EQ(List().Left(), F) << "border " << int(Border);
        EXPECT_EQ(List().Top(), F) << "border " << int(Border);
        Edit->SetDroppedDown(false);
        testsupport::PumpUntilIdle();
    }
}

TEST_F(PopupControlLookAndFeelTest, PictureOfAnOpenListInTwoLooks) {
    // Sizeable: the popup has a system panel with a close button, drawn in the popup's look.
    Edit->Properties().SetDropDownSizeable(true);
    static_cast<TcxCustomEditStyle&>(Edit->Style()).SetPopupCloseButton(true);
    EditLookAndFeel().SetKind(tb::lfStandard);
    Open();
    ASSERT_TRUE(Edit->DroppedDown());
    auto& Window = static_cast<TcxCustomEditPopupWindow&>(*Edit->PopupWindow());
    const pg::TRect Button = Window.EditViewInfo().CloseButtonRect;
    ASSERT_GT(Button.Width(), 4);
    const QImage Standard = Picture("combo-standard.png");
    // Changed while open: the window paints again in the new look.
    EditLookAndFeel().SetKind(tb::lfUltraFlat);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Edit->DroppedDown());
    const QImage UltraFlat = Picture("combo-ultra-flat.png");
    ASSERT_FALSE(Standard.isNull());
    ASSERT_EQ(Standard.size(), UltraFlat.size());

    const auto At = [](const QImage& I, int X, int Y) { return I.pixel(X, Y) | 0xFF000000u; };
    int Differ = 0;
    for (int Y = Button.Top; Y < Button.Bottom; ++Y)
        for (int X = Button.Left; X < Button.Right; ++X)
            Differ += At(Standard, X, Y) != At(UltraFlat, X, Y);
    EXPECT_GT(Differ, 0);
    // A raised standard button: its top-left and bottom-right edges differ in colour.
    EXPECT_NE(At(Standard, Button.Left, Button.Top),
              At(Standard, Button.Right - 1, Button.Bottom - 1));
    // The rows and the frame are the same in both looks.
    const pg::TPoint Row = Window.ScreenToClient(List().ClientToScreen({2, 2}));
    EXPECT_EQ(At(Standard, Row.X, Row.Y), At(UltraFlat, Row.X, Row.Y));
    EXPECT_EQ(At(Standard, 0, 0), At(UltraFlat, 0, 0));
}

TEST_F(PopupControlLookAndFeelTest, ThePopupEditsFrameFollowsItsEditor) {
    auto& Popup = Form->Own<TcxPopupEdit>();
    Popup.SetParent(Form);
    Popup.SetBoundsRect({10, 40, 160, 61});
    auto& Panel = Form->Own<pf::TPanel>();
    Panel.SetParent(Form);
    Panel.SetBoundsRect({20, 80, 140, 170});
    Popup.Properties().SetPopupControl(&Panel);
    Popup.Style().LookAndFeel().SetKind(tb::lfFlat);
    Popup.SetDroppedDown(true);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Popup.DroppedDown());
    auto& Window = static_cast<TcxCustomEditPopupWindow&>(*Popup.PopupWindow());
    EXPECT_EQ(Window.Style().LookAndFeel().GetKind(), tb::lfFlat);
    // The hosted control fills the client area inside the frame.
    const int F = Window.EditViewInfo().GetFrameWidth();
    EXPECT_EQ(Panel.BoundsRect(), Window.EditViewInfo().ClientRect);
    EXPECT_EQ(Panel.Left(), F);
    Popup.Style().LookAndFeel().SetKind(tb::lfOffice11);
    EXPECT_EQ(Window.Style().LookAndFeel().GetKind(), tb::lfOffice11);
    Popup.SetDroppedDown(false);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Panel.BoundsRect(), (pg::TRect{20, 80, 140, 170}));
}

} // namespace
} // namespace toolkit::edit
