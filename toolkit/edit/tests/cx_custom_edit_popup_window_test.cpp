#include "toolkit/edit/cx_custom_edit_popup_window.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

// What the drop-down edit will do with its popup, as far as the window asks it: the size the
// user gave is kept when the popup closes and copied in at the next opening.
class TDropDownStub : public TcxCustomEdit, public IcxEditPopupWindowOwner {
public:
    explicit TDropDownStub(pc::TComponent* AOwner) : TcxCustomEdit(AOwner) {}
    TcxCustomEditPopupWindow* Popup = nullptr;
    bool SizeChangedNow = false;
    int PopupWidth = 200;
    int PopupHeight = 150;
    int Finalized = 0;
    int CloseReason = -1;

    void DropDown() {
        Popup->PreferredWidth = PopupWidth;
        Popup->PreferredHeight = PopupHeight;
        SizeChangedNow = false;
        Popup->Popup(nullptr);
        testsupport::PumpUntilIdle();
    }
    void PopupCloseUp(TcxEditCloseUpReason AReason) override {
        CloseReason = AReason;
        Popup->CloseUp();
    }
    void PopupWindowSized() override { SizeChangedNow = true; }
    void DoFinalizePopup() override {
        ++Finalized;
        if (!SizeChangedNow) return;
        PopupWidth = Popup->Width();
        PopupHeight = Popup->Height();
    }
    TRect GetPopupOwnerBounds() override { return BoundsRect(); }
    bool IsPopupOwnerDestroying() override { return false; }
};

// The editor (200 x 21) lies at (10, 10) of a form's client; its sizeable popup has a system
// panel with a close button and a minimum of 120 x 80.
class CustomEditPopupWindowTest : public ::testing::Test {
protected:
    CustomEditPopupWindowTest() {
        Form = &test::MakeTestForm(*Owner);
        Edit = &Form->Own<TDropDownStub>();
        Edit->SetParent(Form);
        Edit->SetBoundsRect({10, 10, 210, 31});
        Form->Show();
        Edit->HandleNeeded();
        Popup = std::make_unique<TcxCustomEditPopupWindow>(Edit);
        Popup->ModalMode = false;
        Popup->SetCaptureFocus(false);
        Popup->Sizeable = true;
        Popup->SysPanelStyle = true;
        Popup->CloseButton = true;
        Popup->BorderStyle = epbsSingle;
        Popup->MinWidth = 120;
        Popup->MinHeight = 80;
        Edit->Popup = Popup.get();
        testsupport::PumpUntilIdle();
    }
    ~CustomEditPopupWindowTest() override {
        Popup.reset();
        test::FreeTestForm(Owner);
    }
    TRect EditScreenRect() {
        const TPoint P = Edit->ClientToScreen({0, 0});
        return {P.X, P.Y, P.X + Edit->Width(), P.Y + Edit->Height()};
    }
    TPoint GripCentre() {
        const TRect& G = Popup->EditViewInfo().GripRect;
        return Popup->ClientToScreen({(G.Left + G.Right) / 2, (G.Top + G.Bottom) / 2});
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<pc::TComponent> Owner = std::make_unique<pc::TComponent>(nullptr);
    pf::TForm* Form = nullptr;
    TDropDownStub* Edit = nullptr;
    std::unique_ptr<TcxCustomEditPopupWindow> Popup;
    testsupport::InputDriver Input;
};

TEST_F(CustomEditPopupWindowTest, OpensBelowWithTheGripAtTheBottomRight) {
    Edit->DropDown();
    ASSERT_TRUE(Popup->IsVisible());
    const TRect E = EditScreenRect();
    EXPECT_EQ(Popup->BoundsRect(), (TRect{E.Left, E.Bottom, E.Left + 200, E.Bottom + 150}));
    const TcxCustomEditPopupWindowViewInfo& V = Popup->EditViewInfo();
    EXPECT_EQ(V.GripCorner, gcBottomRight);
    EXPECT_EQ(V.GripRect.Right, Popup->Width() - 1 - 2);
    EXPECT_EQ(V.GripRect.Bottom, Popup->Height() - 1 - 2);
    // The panel lies under the client area, the close button at its left.
    EXPECT_EQ(V.PanelRect.Bottom, Popup->Height() - 1);
    EXPECT_LT(V.ClientRect.Bottom, V.PanelRect.Top);
    EXPECT_EQ(V.CloseButtonRect.Left, V.PanelRect.Left + 3);
}

TEST_F(CustomEditPopupWindowTest, OpensAboveWithoutRoomBelowAndPutsTheGripOnTop) {
    Form->SetBounds(100, 600, 400, 120);
    testsupport::PumpUntilIdle();
    Edit->DropDown();
    ASSERT_TRUE(Popup->IsVisible());
    const TRect E = EditScreenRect();
    EXPECT_EQ(Popup->BoundsRect(), (TRect{E.Left, E.Top - 150, E.Left + 200, E.Top}));
    const TcxCustomEditPopupWindowViewInfo& V = Popup->EditViewInfo();
    EXPECT_EQ(V.GripCorner, gcTopRight);
    EXPECT_EQ(V.GripRect.Top, 1 + 2);
    EXPECT_EQ(V.PanelRect.Top, 1);
    EXPECT_GT(V.ClientRect.Top, V.PanelRect.Bottom);
    // The grip sizes the window upwards: its bottom stays on the editor.
    const TPoint From = GripCentre();
    Input.Press(From);
    Input.MoveTo({From.X + 20, From.Y - 30});
    Input.Release({From.X + 20, From.Y - 30});
    EXPECT_EQ(Popup->BoundsRect(), (TRect{E.Left, E.Top - 180, E.Left + 220, E.Top}));
}

TEST_F(CustomEditPopupWindowTest, TheGripResizesWithTheMouseAndTheSizeIsRemembered) {
    Edit->DropDown();
    const TRect Before = Popup->BoundsRect();
    const TPoint From = GripCentre();
    EXPECT_EQ(Popup->Cursor(), pf::crDefault);
    Input.Press(From);
    ASSERT_TRUE(Popup->IsSizing());
    ASSERT_NE(Popup->SizeFrame(), nullptr);
    Input.MoveTo({From.X + 40, From.Y + 30});
    // While dragging only the size frame follows.
    EXPECT_EQ(Popup->BoundsRect(), Before);
    EXPECT_EQ(Popup->SizeFrame()->BoundsRect(),
              (TRect{Before.Left, Before.Top, Before.Right + 40, Before.Bottom + 30}));
    Input.Release({From.X + 40, From.Y + 30});
    EXPECT_FALSE(Popup->IsSizing());
    EXPECT_EQ(Popup->SizeFrame(), nullptr);
    EXPECT_EQ(Popup->BoundsRect(),
              (TRect{Before.Left, Before.Top, Before.Right + 40, Before.Bottom + 30}));
    EXPECT_TRUE(Edit->SizeChangedNow);

    Edit->PopupCloseUp(CloseReasonAccept);
    EXPECT_EQ(Edit->Finalized, 1);
    EXPECT_EQ(Edit->PopupWidth, 240);
    EXPECT_EQ(Edit->PopupHeight, 180);
    Edit->DropDown();
    EXPECT_EQ(Popup->Width(), 240);
    EXPECT_EQ(Popup->Height(), 180);
}

TEST_F(CustomEditPopupWindowTest, DraggingBelowTheMinimumStopsThereAndANonSizeablePopupHasNoGrip) {
    Edit->DropDown();
    const TPoint From = GripCentre();
    Input.Drag(From, {From.X - 150, From.Y - 120});
    EXPECT_EQ(Popup->Width(), 120);
    EXPECT_EQ(Popup->Height(), 80);

    Popup->CloseUp();
    Popup->Sizeable = false;
    Edit->DropDown();
    int DX = 0, DY = 0;
    EXPECT_FALSE(Popup->GetSizingDirection({Popup->Width() - 4, Popup->Height() - 4}, DX, DY));
    const TSize Was{Popup->Width(), Popup->Height()};
    Input.Drag(Popup->ClientToScreen({Popup->Width() - 4, Popup->Height() - 4}),
               Popup->ClientToScreen({Popup->Width() + 40, Popup->Height() + 40}));
    EXPECT_EQ(Popup->Width(), Was.cx);
    EXPECT_EQ(Popup->Height(), Was.cy);
}

TEST_F(CustomEditPopupWindowTest, TheCloseButtonClosesWithoutAReason) {
    Edit->DropDown();
    const TRect& B = Popup->EditViewInfo().CloseButtonRect;
    Input.Click(Popup->ClientToScreen({(B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2}));
    EXPECT_FALSE(Popup->IsVisible());
    EXPECT_EQ(Edit->CloseReason, CloseReasonNone);
    EXPECT_EQ(Edit->Finalized, 1);
}

TEST_F(CustomEditPopupWindowTest, PictureOfAnOpenPopupWithItsGrip) {
    Edit->DropDown();
    testsupport::TempFolder Folder("quintaron-edit-popup-grip-");
    ASSERT_FALSE(Folder.Path().empty());
    const std::string Png = Folder.PathOf("popup-with-grip.png");
    ASSERT_TRUE(testsupport::SaveWindowPng(Popup->Handle(), Png));
    const QImage Image(QString::fromStdString(Png));
    ASSERT_EQ(Image.width(), Popup->Width());
    // The single frame in the button text colour, the grip's ridges in shadow and highlight.
    EXPECT_EQ(Image.pixelColor(0, 0), QColor(Qt::black));
    const TRect& G = Popup->EditViewInfo().GripRect;
    bool Ridge = false;
    for (int X = G.Left; X < G.Right; ++X)
        for (int Y = G.Top; Y < G.Bottom; ++Y)
            Ridge = Ridge || Image.pixelColor(X, Y) != Image.pixelColor(G.Left, G.Top);
    EXPECT_TRUE(Ridge);
}

} // namespace
} // namespace toolkit::edit
