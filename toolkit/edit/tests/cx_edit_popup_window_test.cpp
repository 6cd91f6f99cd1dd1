#include "toolkit/edit/cx_edit_popup_window.h"

#include "toolkit/edit/edit_units.h"

#include "toolkit/base/cx_controls_routines.h"
#include "toolkit/base/cx_hooks.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/hooks.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

// A form that keeps the WM_NCACTIVATE flags it is sent.
class TRecordingForm : public pf::TForm {
public:
    using pf::TForm::TForm;
    std::vector<pc::WPARAM> NcActivates;
    void WndProc(pc::TMessage& Message) override {
        if (Message.Msg == pw::WM_NCACTIVATE) NcActivates.push_back(Message.WParam);
        pf::TForm::WndProc(Message);
    }
};

class TTestPopup : public TcxCustomPopupWindow {
public:
    using TcxCustomPopupWindow::TcxCustomPopupWindow;
    bool Consumes = false;
    bool CorrectsBounds = false;
    bool ConsumesOutsideClick(HWND, UINT, TPoint, TShiftState) override { return Consumes; }

protected:
    bool CanCorrectBoundsToDesktop() override { return CorrectsBounds; }
};

// The owner form at (100, 100) holds the owner button at (10, 10, 110, 34) of its client and an
// outside button below it; the popup (a 120 x 60 edit) opens under the owner button.
class EditPopupWindowTest : public ::testing::Test {
protected:
    EditPopupWindowTest() {
        pc::ResetMessageLoop();
        pw::ResetInputState();
        pw::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 740}}});
        Form = &FOwner->Own<TRecordingForm>();
        Form->AfterConstruction();
        Form->SetBounds(100, 100, 400, 300);
        Form->Show();
        OwnerButton = &MakeButton({10, 10, 110, 34});
        OwnerButton->OnClick = [this](pc::TObject*) { ++OwnerClicks; };
        OutsideButton = &MakeButton({10, 200, 110, 224});
        OutsideButton->OnClick = [this](pc::TObject*) { ++OutsideClicks; };
        Popup = std::make_unique<TTestPopup>(OwnerButton);
        Popup->ModalMode = false;
        Popup->OwnerParent = Form;
        Popup->OwnerBounds = OwnerButton->BoundsRect();
        Inner = &Popup->Own<pf::TEdit>();
        Inner->SetParent(Popup.get());
        Inner->SetBounds(0, 0, 120, 60);
        Inner->TabStop = true;
        testsupport::PumpUntilIdle();
    }
    ~EditPopupWindowTest() override {
        Popup.reset();
        FOwner.reset();
        pc::ProcessMessages();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pc::ResetMessageLoop();
        pw::ResetInputState();
    }

    pf::TButton& MakeButton(const TRect& R) {
        auto& Button = FOwner->Own<pf::TButton>();
        Button.SetParent(Form);
        Button.SetBoundsRect(R);
        Button.HandleNeeded();
        return Button;
    }
    TPoint ScreenCentre(pf::TControl& C) {
        return C.ClientToScreen({C.Width() / 2, C.Height() / 2});
    }
    void Open() {
        Popup->Popup(Inner);
        testsupport::PumpUntilIdle();
        ASSERT_TRUE(Popup->IsVisible());
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<pc::TComponent> FOwner = std::make_unique<pc::TComponent>(nullptr);
    TRecordingForm* Form = nullptr;
    pf::TButton* OwnerButton = nullptr;
    pf::TButton* OutsideButton = nullptr;
    pf::TEdit* Inner = nullptr;
    std::unique_ptr<TTestPopup> Popup;
    testsupport::InputDriver Input;
    int OwnerClicks = 0;
    int OutsideClicks = 0;
};

TEST_F(EditPopupWindowTest, OpensUnderItsOwnerAndFocusesTheGivenControl) {
    Open();
    EXPECT_EQ(cxVisiblePopupWindowCount(), 1);
    EXPECT_EQ(Popup->BoundsRect(), (TRect{110, 134, 230, 194}));
    EXPECT_EQ(pw::GetFocus(), Inner->Handle());
    // Opening again changes nothing.
    Popup->Popup(nullptr);
    EXPECT_EQ(cxVisiblePopupWindowCount(), 1);
}

TEST_F(EditPopupWindowTest, AHiddenOwnerGetsNoPopup) {
    OwnerButton->Hide();
    Popup->Popup(Inner);
    EXPECT_FALSE(Popup->IsVisible());
    EXPECT_FALSE(Popup->Visible());
    EXPECT_EQ(cxVisiblePopupWindowCount(), 0);
}

struct OutsideClickCase {
    const char* Name;
    bool Consumes;
    int Delivered;
};

class EditPopupOutsideClickTest : public EditPopupWindowTest,
                                  public ::testing::WithParamInterface<OutsideClickCase> {};

TEST_P(EditPopupOutsideClickTest, ClosesAndIsDeliveredUnlessConsumed) {
    Popup->Consumes = GetParam().Consumes;
    Open();
    Input.Click(ScreenCentre(*OutsideButton));
    EXPECT_FALSE(Popup->IsVisible());
    EXPECT_FALSE(Popup->Visible());
    EXPECT_FALSE(Popup->ClosedByOwnerClick);
    EXPECT_EQ(OutsideClicks, GetParam().Delivered);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditPopupOutsideClickTest,
                         ::testing::Values(OutsideClickCase{"Delivered", false, 1},
                                           OutsideClickCase{"Consumed", true, 0}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(EditPopupWindowTest, AClickOnTheOwnerClosesItAndIsSwallowedAndMarked) {
    Open();
    Input.Click(ScreenCentre(*OwnerButton));
    EXPECT_FALSE(Popup->IsVisible());
    EXPECT_TRUE(Popup->ClosedByOwnerClick);
    EXPECT_EQ(OwnerClicks, 0);
}

TEST_F(EditPopupWindowTest, AClickInsideKeepsItOpen) {
    Open();
    Input.Click(ScreenCentre(*Inner));
    EXPECT_TRUE(Popup->IsVisible());
}

struct SysKeyCase {
    const char* Name;
    int Vk;
    pw::WPARAM VirtualKey;
    pc::UINT Seen;
};

class EditPopupSysKeyTest : public EditPopupWindowTest,
                            public ::testing::WithParamInterface<SysKeyCase> {};

TEST_P(EditPopupSysKeyTest, ANonModalPopupPassesOnlyNavigationKeys) {
    // Installed first, so it sees the message after the popup's hook.
    pw::HHOOK Hook{};
    std::vector<pc::UINT> Seen;
    const pw::WPARAM Key = GetParam().VirtualKey;
    toolkit::base::cxSetHook(Hook, pw::WH_GETMESSAGE, [&](int Code, pw::WPARAM W, pw::LPARAM L) {
        const auto& Msg = *reinterpret_cast<pw::MSG*>(L);
        if (Msg.wParam == Key && (Msg.message == pw::WM_SYSKEYDOWN || Msg.message == pw::WM_NULL))
            Seen.push_back(Msg.message);
        return pw::CallNextHookEx(Hook, Code, W, L);
    });
    Open();
    Input.HoldKey(pw::VK_MENU);
    Input.TypeKey(GetParam().Vk);
    Input.ReleaseKey(pw::VK_MENU);
    toolkit::base::cxReleaseHook(Hook);
    EXPECT_EQ(Seen, std::vector<pc::UINT>{GetParam().Seen});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditPopupSysKeyTest,
    ::testing::Values(SysKeyCase{"AltSpaceDiscarded", pw::VK_SPACE, pw::VK_SPACE, pw::WM_NULL},
                      SysKeyCase{"AltDownPasses", pw::VK_DOWN, pw::VK_DOWN, pw::WM_SYSKEYDOWN},
                      SysKeyCase{"AltF4Passes", pw::VK_F4, pw::VK_F4, pw::WM_SYSKEYDOWN}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(EditPopupWindowTest, EscapeClosesItAndTheOwnerGetsTheFocusBack) {
    Open();
    Input.TypeKey(pw::VK_ESCAPE);
    EXPECT_FALSE(Popup->IsVisible());
    EXPECT_EQ(pw::GetFocus(), OwnerButton->Handle());
}

TEST_F(EditPopupWindowTest, ActivatingAnotherWindowClosesIt) {
    auto& Other = FOwner->Own<pf::TForm>();
    Other.AfterConstruction();
    Other.SetBounds(600, 100, 200, 100);
    Other.Show();
    Open();
    Input.ActivateWindow(Other.Handle());
    EXPECT_FALSE(Popup->IsVisible());
}

TEST_F(EditPopupWindowTest, TheApplicationLosingTheActivationClosesIt) {
    Open();
    Input.DeactivateApplication();
    EXPECT_FALSE(Popup->IsVisible());
}

TEST_F(EditPopupWindowTest, HidingTheOwnerClosesIt) {
    Open();
    OwnerButton->Hide();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Popup->IsVisible());
}

TEST_F(EditPopupWindowTest, TheLastCloseDrawsAnInactiveOwnerFormsCaptionInactive) {
    auto& Other = FOwner->Own<pf::TForm>();
    Other.AfterConstruction();
    Other.SetBounds(600, 100, 200, 100);
    Other.Show();
    Input.ActivateWindow(Other.Handle());
    ASSERT_FALSE(Form->Active());
    Popup->SetCaptureFocus(false);
    Open();
    Form->NcActivates.clear();
    Popup->CloseUp();
    EXPECT_EQ(Form->NcActivates, std::vector<pc::WPARAM>{0});
}

TEST_F(EditPopupWindowTest, OnlyAPopupOfATopmostOwnerFormIsTopmost) {
    Popup->SetIsTopMost(true);
    Open();
    EXPECT_EQ(pw::GetWindowLong(Popup->Handle(), pw::GWL_EXSTYLE) & pw::WS_EX_TOPMOST, 0);
}

// The work area is (0, 0, 1024, 740).
struct BoundsCase {
    const char* Name;
    TPoint Position;
    int Width, Height;
    TPoint ExpectedPosition;
    int ExpectedWidth, ExpectedHeight;
};

class EditPopupBoundsTest : public EditPopupWindowTest,
                            public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(EditPopupBoundsTest, AreCutAtTheWorkAreasEdges) {
    const BoundsCase& Case = GetParam();
    Popup->CorrectsBounds = true;
    Popup->SetBounds(0, 0, Case.Width, Case.Height);
    TPoint P = Case.Position;
    Popup->CorrectBoundsWithDesktopWorkArea(P);
    EXPECT_EQ(P, Case.ExpectedPosition);
    EXPECT_EQ(Popup->Width(), Case.ExpectedWidth);
    EXPECT_EQ(Popup->Height(), Case.ExpectedHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditPopupBoundsTest,
    ::testing::Values(BoundsCase{"Inside", {100, 100}, 200, 150, {100, 100}, 200, 150},
                      BoundsCase{"PastTheRight", {900, 100}, 200, 150, {900, 100}, 124, 150},
                      BoundsCase{"PastTheBottom", {100, 700}, 200, 150, {100, 700}, 200, 40},
                      BoundsCase{"OverTheLeft", {-50, 100}, 200, 150, {0, 100}, 150, 150},
                      BoundsCase{"OverTheTop", {100, -30}, 200, 150, {100, 0}, 200, 120}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(EditPopupWindowTest, BoundsStayWhenThePopupMayNotCorrectThem) {
    Popup->SetBounds(0, 0, 200, 150);
    TPoint P{900, 700};
    Popup->CorrectBoundsWithDesktopWorkArea(P);
    EXPECT_EQ(P, (TPoint{900, 700}));
    EXPECT_EQ(Popup->Width(), 200);
}

// A style class of its own, to see that the popup makes the class its descendant names.
class TSingleBorderStyle : public TcxContainerStyle {
public:
    using TcxContainerStyle::TcxContainerStyle;

protected:
    TcxContainerBorderStyle DefaultBorderStyle() const override { return cbsSingle; }
};

// Lays its view info out as an editor's popup does: the style's border around a background.
class TStyledPopup : public TTestPopup {
public:
    using TTestPopup::TTestPopup;
    int StyleChanges = 0;

protected:
    TcxContainerStyleClass GetStyleClass() override {
        return [](platform::core::TPersistent* Owner, TcxContainerStyleState State,
                  TcxContainerStyle* Parent, bool Direct) -> std::unique_ptr<TcxContainerStyle> {
            return std::make_unique<TSingleBorderStyle>(Owner, State, Parent, Direct);
        };
    }
    void StyleChanged() override {
        ++StyleChanges;
        Calculate();
    }
    void Resize() override {
        TTestPopup::Resize();
        Calculate();
    }

private:
    void Calculate() {
        TcxContainerViewInfo& V = ViewInfo();
        V.Bounds = {0, 0, Width(), Height()};
        V.BorderStyle = Style().BorderStyle();
        V.BorderWidth = GetContainerBorderWidth(V.BorderStyle);
        V.BorderColor = Style().BorderColor();
        V.BackgroundColor = Style().GetColor();
        V.ClientRect = V.Bounds;
        platform::gdi::InflateRect(V.ClientRect, -V.BorderWidth, -V.BorderWidth);
        V.InnerRect = V.ClientRect;
        Invalidate();
    }
};

class EditPopupStyleTest : public EditPopupWindowTest {
protected:
    EditPopupStyleTest() {
        Styled = std::make_unique<TStyledPopup>(OwnerButton);
        Styled->ModalMode = false;
        Styled->OwnerParent = Form;
        Styled->OwnerBounds = OwnerButton->BoundsRect();
        Styled->BorderSpace = 6;
        auto& Edit = Styled->Own<pf::TEdit>();
        Edit.SetParent(Styled.get());
        Edit.SetBounds(0, 0, 120, 40);
    }
    ~EditPopupStyleTest() override { Styled.reset(); }
    std::unique_ptr<TStyledPopup> Styled;
};

TEST_F(EditPopupStyleTest, TakesItsDescendantsStyleClassAndPaintsItsViewInfo) {
    EXPECT_NE(dynamic_cast<TSingleBorderStyle*>(&Styled->Style()), nullptr);
    Styled->Style().SetBorderColor(platform::gdi::clRed);
    Styled->Style().SetColor(platform::gdi::clYellow);
    EXPECT_EQ(Styled->StyleChanges, 2);
    Styled->Popup(nullptr);
    testsupport::PumpUntilIdle();
    ASSERT_TRUE(Styled->IsVisible());
    EXPECT_EQ(Styled->GetClientBounds(), (TRect{1, 1, Styled->Width() - 1, Styled->Height() - 1}));
    testsupport::TempFolder Folder("quintaron-edit-popup-");
    ASSERT_FALSE(Folder.Path().empty());
    const std::string Png = Folder.PathOf("open-popup.png");
    ASSERT_TRUE(testsupport::SaveWindowPng(Styled->Handle(), Png));
    const QImage Image(QString::fromStdString(Png));
    ASSERT_EQ(Image.width(), Styled->Width());
    EXPECT_EQ(Image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(Image.pixelColor(Styled->Width() - 1, Styled->Height() - 1), QColor(Qt::red));
    EXPECT_EQ(Image.pixelColor(3, 3), QColor(Qt::yellow));
}

// A focus-capturing modal popup: its messages come posted before Popup runs its loop.
class TModalPopup : public TTestPopup {
public:
    static constexpr UINT WM_TESTACCEPT = platform::win::WM_APP + 1;
    using TTestPopup::TTestPopup;
    int SysKeys = 0;
    std::vector<platform::forms::TModalResult> ResultsSeen;
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == platform::win::WM_SYSKEYDOWN) ++SysKeys;
        if (Message.Msg == WM_TESTACCEPT) {
            ResultsSeen.push_back(ModalResult());
            SetModalResult(pf::mrOk);
            return;
        }
        TTestPopup::Dispatch(Message);
    }
};

TEST_F(EditPopupWindowTest, TheModalLoopRunsUntilAnAgreedModalResultClosesIt) {
    TModalPopup Modal(OwnerButton);
    Modal.OwnerParent = Form;
    Modal.OwnerBounds = OwnerButton->BoundsRect();
    auto& Edit = Modal.Own<pf::TEdit>();
    Edit.SetParent(&Modal);
    Edit.SetBounds(0, 0, 80, 24);
    Edit.TabStop = true;
    int Queries = 0;
    Modal.OnCloseQuery = [&](pc::TObject*, bool& CanClose) { CanClose = ++Queries > 1; };
    Modal.OnShowed = [&](pc::TObject*) {
        // Alt+Space would open the owner form's system menu behind the popup.
        pc::PostMessage(Modal.Handle(), pw::WM_SYSKEYDOWN, pw::VK_SPACE, 0);
        pc::PostMessage(Modal.Handle(), TModalPopup::WM_TESTACCEPT, 0, 0);
        pc::PostMessage(Modal.Handle(), TModalPopup::WM_TESTACCEPT, 0, 0);
    };
    Modal.Popup(&Edit);
    EXPECT_FALSE(Modal.IsVisible());
    EXPECT_EQ(Modal.SysKeys, 0);
    EXPECT_EQ(Queries, 2);
    // The refused result was cleared before the second request.
    EXPECT_EQ(Modal.ResultsSeen,
              (std::vector<platform::forms::TModalResult>{pf::mrNone, pf::mrNone}));
    EXPECT_EQ(pw::GetFocus(), OwnerButton->Handle());
}

TEST_F(EditPopupWindowTest, TheOwnersFormHoldsTheOpenPopupsWindows) {
    EXPECT_FALSE(HasHandle(Form, Inner->Handle(), true));
    Open();
    EXPECT_TRUE(HasHandle(Form, Inner->Handle(), true));
    EXPECT_TRUE(HasHandle(OwnerButton, Inner->Handle(), true));
    EXPECT_FALSE(HasHandle(OutsideButton, Inner->Handle(), true));
    EXPECT_FALSE(HasHandle(Form, Inner->Handle(), false));
    EXPECT_TRUE(IsRelatedWindow(OutsideButton, Inner->Handle()));
    Popup->CloseUp();
    EXPECT_FALSE(HasHandle(Form, Inner->Handle(), true));
    EXPECT_FALSE(IsRelatedWindow(OutsideButton, Inner->Handle()));
}

TEST_F(EditPopupWindowTest, TheOwnerWindowStandsForThePopupsWindowsOnceTheUnitsRun) {
    Popup->HandleNeeded();
    Inner->HandleNeeded();
    const HWND Outside = OutsideButton->Handle();
    EXPECT_EQ(GetPopupOwnerWindow(Inner->Handle()), OwnerButton->Handle());
    EXPECT_EQ(GetPopupOwnerWindow(Outside), Outside);
    EXPECT_EQ(toolkit::base::cxGetPopupOwnerWindow(Inner->Handle()), Inner->Handle());
    {
        TcxEditUnits Units;
        EXPECT_EQ(toolkit::base::cxGetPopupOwnerWindow(Inner->Handle()), OwnerButton->Handle());
    }
    EXPECT_EQ(toolkit::base::cxGetPopupOwnerWindow(Inner->Handle()), Inner->Handle());
}

} // namespace
} // namespace toolkit::edit
