#include "toolkit/edit/cx_drop_down_edit.h"
#include "toolkit/edit/cx_popup_edit.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/editor_registrations.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
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

// ---- properties ----

TEST(DropDownEditPropertiesTest, PopupSizesKeepTheirMinimums) {
    struct Case {
        int Min, Width, Expected;
    };
    const Case Cases[] = {{100, 50, 100}, {100, 0, 0}, {100, -5, 0}, {0, 70, 70}, {0, -5, 0}};
    for (const Case& C : Cases) {
        TcxCustomDropDownEditProperties P(nullptr);
        P.SetPopupMinWidth(C.Min);
        P.SetPopupWidth(C.Width);
        EXPECT_EQ(P.PopupWidth(), C.Expected) << C.Width << " with minimum " << C.Min;
    }
    TcxCustomDropDownEditProperties P(nullptr);
    P.SetPopupMinHeight(-3);
    EXPECT_EQ(P.PopupMinHeight(), 0);
    P.SetPopupHeight(40);
    P.SetPopupMinHeight(60);
    EXPECT_EQ(P.PopupHeight(), 60);
    P.SetPopupHeight(10);
    EXPECT_EQ(P.PopupHeight(), 60);
}

TEST(DropDownEditPropertiesTest, AlignmentIsStoredAsLeftCentreRight) {
    TcxCustomDropDownEditProperties P(nullptr);
    const std::pair<pf::TAlignment, int> Cases[] = {
        {pf::taRightJustify, 2}, {pf::taCenter, 1}, {pf::taLeftJustify, 0}};
    for (const auto& [Alignment, Stored] : Cases) {
        P.SetPopupAlignment(Alignment);
        EXPECT_EQ(P.PopupHorzAlignment(), Stored);
        EXPECT_EQ(P.PopupAlignment(), Alignment);
    }
}

TEST(DropDownEditPropertiesTest, DefaultsAndTheDropDownButton) {
    TcxCustomDropDownEditProperties P(nullptr);
    EXPECT_TRUE(P.ImmediateDropDown());
    EXPECT_FALSE(P.ImmediatePopup());
    EXPECT_TRUE(P.PopupAutoSize());
    EXPECT_TRUE(P.PopupDirectionVertical());
    EXPECT_EQ(P.PopupVertAlignment(), 2);
    ASSERT_EQ(P.Buttons().Count(), 1);
    EXPECT_EQ(P.Buttons().Items(P.DropDownButtonIndex()).Kind(), bkDown);
    // A glyph turns the arrow into a glyph button; clearing it gives the arrow back.
    pf::TBitmap Glyph;
    Glyph.SetSize(8, 8);
    P.SetButtonGlyph(&Glyph);
    EXPECT_EQ(P.Buttons().Items(0).Kind(), bkGlyph);
    pf::TBitmap Empty;
    P.SetButtonGlyph(&Empty);
    EXPECT_EQ(P.Buttons().Items(0).Kind(), bkDown);

    TcxPopupEditProperties Popup(nullptr);
    EXPECT_EQ(Popup.PopupWidth(), 250);
    EXPECT_EQ(Popup.PopupHeight(), 200);
    EXPECT_EQ(Popup.PopupMinWidth(), 100);
    EXPECT_EQ(Popup.PopupMinHeight(), 100);
    EXPECT_TRUE(Popup.PopupSizeable());
    EXPECT_TRUE(Popup.ImmediatePopup());
    EXPECT_TRUE(Popup.PopupWindowCapturesFocus());
    EXPECT_FALSE(P.PopupWindowCapturesFocus());
}

TEST(DropDownEditPropertiesTest, ThePopupEditIsRegistered) {
    InitializePopupEditUnit();
    EXPECT_GE(GetRegisteredEditProperties().IndexOf(&TcxPopupEditProperties::ClassRef()), 0);
    FinalizePopupEditUnit();
}

TEST(DropDownEditPropertiesTest, FreeingThePopupControlClearsIt) {
    TcxPopupEditProperties P(nullptr);
    auto Panel = std::make_unique<pf::TPanel>(nullptr);
    P.SetPopupControl(Panel.get());
    EXPECT_EQ(P.PopupControl(), Panel.get());
    Panel.reset();
    EXPECT_EQ(P.PopupControl(), nullptr);
}

// ---- the drop-down state machine ----

// A drop-down edit whose popup is an empty window of 150 x 80.
class TTestDropDownEdit : public TcxCustomDropDownEdit {
public:
    using TcxCustomDropDownEdit::TcxCustomDropDownEdit;
    bool CanDropDown() override { return true; }
    void DestroyWindowHandle() { DestroyHandle(); }
};

class DropDownEditTest : public ::testing::Test {
protected:
    DropDownEditTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Edit = &Form->Own<TTestDropDownEdit>();
        Edit->SetParent(Form);
        Edit->SetBoundsRect({10, 10, 160, 31});
        Edit->Properties().SetPopupAutoSize(false);
        Edit->Properties().SetPopupWidth(150);
        Edit->Properties().SetPopupHeight(80);
        Edit->Properties().OnInitPopup = [this](pc::TObject*) { ++Inits; };
        Edit->Properties().OnPopup = [this](pc::TObject*) { ++Popups; };
        Edit->Properties().OnCloseUp = [this](pc::TObject*) {
            ++CloseUps;
            // Each closing tells the edit framework its reason before OnCloseUp.
            EXPECT_EQ(ClosePopupReasons.size(), static_cast<std::size_t>(CloseUps));
        };
        Edit->Properties().OnClosePopup = [this](pc::TObject* Sender, int Reason) {
            EXPECT_EQ(Sender, Edit);
            ClosePopupReasons.push_back(Reason);
        };
        Edit->Properties().OnPopupClosed = [this](pc::TObject*) { ++Finalized; };
        Form->Show();
        Edit->HandleNeeded();
        Edit->SetText("abc");
        Edit->SetFocus();
        testsupport::PumpUntilIdle();
    }
    ~DropDownEditTest() override { test::FreeTestForm(Owner); }
    void AltKey(int Vk) {
        Input.HoldKey(pw::VK_MENU);
        Input.TypeKey(Vk);
        Input.ReleaseKey(pw::VK_MENU);
    }
    void Open() {
        Input.TypeKey(pw::VK_F4);
        ASSERT_TRUE(Edit->DroppedDown());
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    TTestDropDownEdit* Edit = nullptr;
    testsupport::InputDriver Input;
    int Inits = 0, Popups = 0, CloseUps = 0, Finalized = 0;
    std::vector<int> ClosePopupReasons;
};

TEST_F(DropDownEditTest, KeysOpenAndCloseWithTheirReasons) {
    // F4 and Alt+Down open; the toggle keys, Esc and Enter close.
    struct Case {
        const char* Name;
        int OpenKey;
        bool OpenAlt;
        int CloseKey;
        bool CloseAlt;
        QString Text;
        TcxEditCloseUpReason Reason;
    };
    const Case Cases[] = {
        {"F4 / F4", pw::VK_F4, false, pw::VK_F4, false, {}, CloseReasonToggle},
        {"Alt+Down / Alt+Up", pw::VK_DOWN, true, pw::VK_UP, true, {}, CloseReasonToggle},
        {"Alt+Down / Alt+Down", pw::VK_DOWN, true, pw::VK_DOWN, true, {}, CloseReasonToggle},
        {"F4 / Esc", pw::VK_F4, false, pw::VK_ESCAPE, false, "\x1B", CloseReasonCancel},
        {"F4 / Enter", pw::VK_F4, false, pw::VK_RETURN, false, "\r", CloseReasonAccept},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        C.OpenAlt ? AltKey(C.OpenKey) : Input.TypeKey(C.OpenKey);
        ASSERT_TRUE(Edit->DroppedDown());
        EXPECT_TRUE(Edit->PopupWindow()->IsVisible());
        C.CloseAlt ? AltKey(C.CloseKey) : Input.TypeKey(C.CloseKey, C.Text);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->CloseReason(), C.Reason);
        ASSERT_FALSE(ClosePopupReasons.empty());
        EXPECT_EQ(ClosePopupReasons.back(), static_cast<int>(C.Reason));
        EXPECT_EQ(Edit->Text(), "abc");
    }
    const int N = static_cast<int>(std::size(Cases));
    EXPECT_EQ(Inits, N);
    EXPECT_EQ(Popups, N);
    EXPECT_EQ(CloseUps, N);
    EXPECT_EQ(Finalized, N);
}

TEST_F(DropDownEditTest, TheMaskDecidesWhatIsTypedAndTheKeysStillOpenThePopup) {
    Edit->Properties().SetImmediateDropDown(false);
    Edit->Properties().SetMaskKind(emkRegExpr);
    Edit->Properties().SetEditMask("\\d+");
    Edit->SetText("");
    for (char C : std::string("1a2"))
        Input.TypeKey(C, QString(QChar(C)));
    EXPECT_EQ(Edit->Text(), "12");
    Open();
    Input.TypeKey(pw::VK_ESCAPE, "\x1B");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "12");
}

TEST_F(DropDownEditTest, AltF4IsNotAToggle) {
    AltKey(pw::VK_F4);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Inits, 0);
}

TEST_F(DropDownEditTest, EscapeClosesWithoutRevertingAndASecondEscapeReachesTheEditor) {
    Input.TypeKey(pw::VK_END);
    Input.TypeKey('X', "x");
    // Typing opened the popup (ImmediateDropDown) and the character went into the text.
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "abcx");
    Input.TypeKey(pw::VK_ESCAPE, "\x1B");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->CloseReason(), CloseReasonCancel);
    EXPECT_EQ(Edit->Text(), "abcx");
    // The editor abandons the typing now.
    Input.TypeKey(pw::VK_ESCAPE, "\x1B");
    EXPECT_NE(Edit->Text(), "abcx");
}

TEST_F(DropDownEditTest, EnterCancelsWhenEditingMayNotStart) {
    Open();
    Edit->OnEditing = [](pc::TObject*, bool& CanEdit) { CanEdit = false; };
    Input.TypeKey(pw::VK_RETURN, "\r");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->CloseReason(), CloseReasonCancel);
}

TEST_F(DropDownEditTest, OpeningTwiceBeforeItShowsOpensOnce) {
    Edit->SetDroppedDown(true);
    Edit->SetDroppedDown(true);
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Inits, 1);
    EXPECT_EQ(Popups, 1);
    Edit->SetDroppedDown(false);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->CloseReason(), CloseReasonNone);
    EXPECT_EQ(Finalized, 1);
}

TEST_F(DropDownEditTest, TheButtonOpensAndAClickOutsideCloses) {
    const TcxEditButtonViewInfo& B = Edit->EditViewInfo().ButtonsInfo.at(0);
    Input.Click(Edit->ClientToScreen(
        {(B.Bounds.Left + B.Bounds.Right) / 2, (B.Bounds.Top + B.Bounds.Bottom) / 2}));
    ASSERT_TRUE(Edit->DroppedDown());
    const TRect P = Edit->PopupWindow()->BoundsRect();
    const TPoint E = Edit->ClientToScreen({0, Edit->Height()});
    EXPECT_EQ(P, (TRect{E.X, E.Y, E.X + 150, E.Y + 80}));
    Input.Click(Form->ClientToScreen({300, 250}));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->CloseReason(), CloseReasonNone);
    EXPECT_EQ(CloseUps, 1);
}

TEST_F(DropDownEditTest, TabWithPostOnTabAcceptsAndMovesOn) {
    // Tab closes with the Tab reason only when the properties ask for it; either way the focus
    // moves to the next control.
    auto& Next = Form->Own<TcxTextEdit>();
    Next.SetParent(Form);
    Next.SetBoundsRect({10, 50, 160, 71});
    Next.HandleNeeded();
    struct Case {
        bool PostOnTab;
        TcxEditCloseUpReason Reason;
    };
    for (const Case C : {Case{true, CloseReasonTab}, Case{false, CloseReasonNone}}) {
        SCOPED_TRACE(C.PostOnTab);
        Edit->Properties().SetPostPopupValueOnTab(C.PostOnTab);
        Edit->SetFocus();
        testsupport::PumpUntilIdle();
        Open();
        Input.TypeKey(pw::VK_TAB, "\t");
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->CloseReason(), C.Reason);
        EXPECT_TRUE(Next.IsContainerFocused());
        EXPECT_EQ(Edit->Text(), "abc");
    }
    EXPECT_EQ(CloseUps, 2);
}

TEST_F(DropDownEditTest, AnotherControlTakingTheFocusClosesThePopupOnceAndLeavesTheEditor) {
    auto& Next = Form->Own<TcxTextEdit>();
    Next.SetParent(Form);
    Next.SetBoundsRect({10, 50, 160, 71});
    Next.HandleNeeded();
    int Exits = 0;
    Edit->OnExit = [&](pc::TObject*) {
        EXPECT_FALSE(Edit->DroppedDown()) << "the popup closes before the editor is left";
        ++Exits;
    };
    Open();
    Next.SetFocus();
    testsupport::PumpUntilIdle();
    EXPECT_TRUE(Next.IsContainerFocused());
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->CloseReason(), CloseReasonNone);
    EXPECT_EQ(CloseUps, 1);
    EXPECT_EQ(Finalized, 1);
    EXPECT_EQ(Exits, 1);
    Edit->OnExit = nullptr;
}

TEST_F(DropDownEditTest, TheCloseButtonFollowsTheStyleAndDiscards) {
    // The system panel shows the close button the edit style asks for; a click on it closes
    // with no reason, so the popup's value is discarded.
    Edit->Properties().SetPopupSizeable(true);
    Edit->Properties().SetPopupSysPanelStyle(true);
    EXPECT_TRUE(static_cast<TcxCustomEditStyle&>(Edit->Style()).PopupCloseButton());
    Open();
    const TRect B = Edit->PopupWindow()->EditViewInfo().CloseButtonRect;
    ASSERT_FALSE(pg::IsRectEmpty(B));
    Input.Click(
        Edit->PopupWindow()->ClientToScreen({(B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2}));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->CloseReason(), CloseReasonNone);
    EXPECT_EQ(CloseUps, 1);

    // A state style writes the option into the normal style, which the popup reads.
    static_cast<TcxCustomEditStyle&>(Edit->StyleFocused()).SetPopupCloseButton(false);
    EXPECT_FALSE(static_cast<TcxCustomEditStyle&>(Edit->Style()).PopupCloseButton());
    Open();
    EXPECT_TRUE(pg::IsRectEmpty(Edit->PopupWindow()->EditViewInfo().CloseButtonRect));
}

TEST_F(DropDownEditTest, NoHintShowsOverTheEditorOfAnOpenPopup) {
    Edit->ShowHint = true;
    Edit->Hint = "a hint";
    // What the application asks the control under the pointer: non-zero refuses the hint.
    auto Asks = [this](pf::TControl& Control) {
        pf::THintInfo Info;
        Info.HintControl = &Control;
        Info.CursorPos = {20, 10};
        Info.CursorRect = Control.ClientRect();
        Info.HintStr = Edit->Hint;
        return Control.Perform(pf::CM_HINTSHOW, 0, reinterpret_cast<pc::LPARAM>(&Info));
    };
    EXPECT_EQ(Asks(*Edit), 0);
    EXPECT_EQ(Asks(Edit->InnerTextEdit()), 0);
    Open();
    EXPECT_NE(Asks(*Edit), 0);
    EXPECT_NE(Asks(Edit->InnerTextEdit()), 0);
    Input.TypeKey(pw::VK_F4);
    EXPECT_EQ(Asks(*Edit), 0);
}

TEST_F(DropDownEditTest, TheWindowGoingClosesThePopupFirst) {
    Open();
    bool EditWindowDuringCloseUp = false;
    Edit->Properties().OnCloseUp = [&](pc::TObject*) {
        EditWindowDuringCloseUp = Edit->HandleAllocated();
    };
    Edit->DestroyWindowHandle();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_TRUE(EditWindowDuringCloseUp);
    EXPECT_EQ(Edit->CloseReason(), CloseReasonNone);
    EXPECT_EQ(Finalized, 1);
    EXPECT_FALSE(Edit->PopupWindow()->HandleAllocated());

    // An opening still queued goes with the popup's window: nothing shows afterwards.
    Edit->HandleNeeded();
    testsupport::PumpUntilIdle();
    Edit->SetDroppedDown(true);
    Edit->DestroyWindowHandle();
    Edit->HandleNeeded();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Inits, 2);
    EXPECT_EQ(Finalized, 2);
    EXPECT_EQ(Popups, 1);
}

TEST_F(DropDownEditTest, TheDropDownButtonShowsPressedWhileOpenWhenAsked) {
    struct Case {
        bool ShowPressed;
        bool Open;
        bool Pressed;
    };
    const Case Cases[] = {
        {false, false, false}, {false, true, false}, {true, false, false}, {true, true, true}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.ShowPressed << " " << C.Open);
        Edit->Properties().SetShowDropDownButtonPressed(C.ShowPressed);
        if (C.Open) Open();
        Edit->ShortRefreshContainer(false);
        EXPECT_EQ(Edit->EditViewInfo().ButtonsInfo.at(0).State == ebsPressed, C.Pressed);
        if (C.Open) Input.TypeKey(pw::VK_F4);
    }
}

// ---- the popup edit ----

class PopupEditTest : public ::testing::Test {
protected:
    PopupEditTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        Edit = &Form->Own<TcxPopupEdit>();
        Edit->SetParent(Form);
        Edit->SetBoundsRect({10, 10, 160, 31});
        Panel = &Form->Own<pf::TPanel>();
        Panel->SetParent(Form);
        Panel->SetBoundsRect({20, 60, 140, 150});
        Panel->SetAlign(pf::alNone);
        Panel->SetVisible(false);
        Inner = &Form->Own<TcxTextEdit>();
        Inner->SetParent(Panel);
        Inner->SetBoundsRect({5, 5, 105, 26});
        Form->Show();
        Edit->HandleNeeded();
        testsupport::PumpUntilIdle();
    }
    ~PopupEditTest() override { test::FreeTestForm(Owner); }
    void ClickButton() {
        const TcxEditButtonViewInfo& B = Edit->EditViewInfo().ButtonsInfo.at(0);
        Input.Click(Edit->ClientToScreen(
            {(B.Bounds.Left + B.Bounds.Right) / 2, (B.Bounds.Top + B.Bounds.Bottom) / 2}));
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    TcxPopupEdit* Edit = nullptr;
    pf::TPanel* Panel = nullptr;
    TcxTextEdit* Inner = nullptr;
    testsupport::InputDriver Input;
};

TEST_F(PopupEditTest, WithoutAControlTheButtonDoesNothing) {
    ClickButton();
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(PopupEditTest, HostsTheControlAndGivesItBack) {
    Edit->Properties().SetPopupControl(Panel);
    Edit->Properties().SetPopupAutoSize(false);
    ClickButton();
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Panel->Parent(), Edit->PopupWindow());
    EXPECT_TRUE(Panel->Visible());
    EXPECT_EQ(Panel->Align(), pf::alClient);
    EXPECT_EQ(Edit->PopupWindow()->Width(), 250);
    EXPECT_EQ(Edit->PopupWindow()->Height(), 200);
    // Esc in the popup closes it.
    Input.TypeKey(pw::VK_ESCAPE, "\x1B");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Panel->Parent(), Form);
    EXPECT_EQ(Panel->Align(), pf::alNone);
    EXPECT_EQ(Panel->BoundsRect(), (TRect{20, 60, 140, 150}));
    EXPECT_FALSE(Panel->Visible());
}

TEST_F(PopupEditTest, TheHostedControlTakesTheKeyboard) {
    // A panel takes no focus itself: its first tab stop does, and typing goes there; closing
    // gives the keyboard back to the editor.
    Edit->Properties().SetPopupControl(Panel);
    Edit->SetFocus();
    testsupport::PumpUntilIdle();
    Input.TypeKey(pw::VK_F4);
    ASSERT_TRUE(Edit->DroppedDown());
    EXPECT_TRUE(Inner->IsContainerFocused());
    Input.TypeKey('H', "h");
    Input.TypeKey('I', "i");
    EXPECT_EQ(Inner->Text(), "hi");
    EXPECT_EQ(Edit->Text(), "");
    Input.TypeKey(pw::VK_ESCAPE, "\x1B");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_TRUE(Edit->IsContainerFocused());
}

TEST_F(PopupEditTest, AClickOutsideClosesAndTheControlComesBack) {
    Edit->Properties().SetPopupControl(Panel);
    ClickButton();
    ASSERT_TRUE(Edit->DroppedDown());
    // Auto size: the client takes the control's size.
    EXPECT_EQ(Edit->PopupWindow()->GetClientBounds().Width(), 120);
    Input.Click(Form->ClientToScreen({300, 250}));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Panel->Parent(), Form);
    EXPECT_EQ(Panel->BoundsRect(), (TRect{20, 60, 140, 150}));
}

TEST_F(PopupEditTest, ACircularReferenceRaises) {
    Edit->Properties().SetPopupControl(Form);
    try {
        Edit->SetDroppedDown(true);
        FAIL() << "no error";
    } catch (const EcxEditError& E) {
        EXPECT_STREQ(E.what(), "Circular referencing is not allowed");
    }
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(PopupEditTest, PictureOfAnOpenPopupEdit) {
    Panel->SetCaption("hosted panel");
    Edit->Properties().SetPopupControl(Panel);
    Edit->Properties().SetPopupAutoSize(false);
    Edit->SetText("popup edit");
    ClickButton();
    ASSERT_TRUE(Edit->DroppedDown());
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Folder("quintaron-popup-edit-");
    const std::string Png = Folder.PathOf("popup-edit.png");
    ASSERT_TRUE(testsupport::SaveWindowPng(Edit->PopupWindow()->Handle(), Png));
    EXPECT_FALSE(QImage(QString::fromStdString(Png)).isNull());
}

// The popup edit's flat frame: two rings in the two pixels the frame reserves, the outer in the
// inactive border colour and the inner in the button face, with the hosted control inside them.
TEST_F(PopupEditTest, TheFlatFrameIsTwoRingsAroundTheHostedControl) {
    Edit->Properties().SetPopupControl(Panel);
    static_cast<TcxCustomEditStyle&>(Edit->Style()).SetPopupBorderStyle(epbsFlat);
    ClickButton();
    ASSERT_TRUE(Edit->DroppedDown());
    testsupport::PumpUntilIdle();
    testsupport::TempFolder Folder("quintaron-popup-edit-flat-");
    const std::string Png = Folder.PathOf("popup-edit-flat.png");
    ASSERT_TRUE(testsupport::SaveWindowPng(Edit->PopupWindow()->Handle(), Png));
    const QImage Image(QString::fromStdString(Png));
    ASSERT_FALSE(Image.isNull());
    const auto RGB = [&](int X, int Y) {
        const QColor C = Image.pixelColor(X, Y);
        return pg::RGB(C.red(), C.green(), C.blue());
    };
    const TRect F = Edit->PopupWindow()->EditViewInfo().FrameRect;
    const int MidX = (F.Left + F.Right) / 2, MidY = (F.Top + F.Bottom) / 2;
    const std::pair<pg::TPoint, pg::TColor> Samples[] = {
        {{F.Left, F.Top}, pg::clInactiveBorder},      {{MidX, F.Top}, pg::clInactiveBorder},
        {{F.Right - 1, MidY}, pg::clInactiveBorder},  {{MidX, F.Bottom - 1}, pg::clInactiveBorder},
        {{F.Left + 1, MidY}, pg::clBtnFace},          {{MidX, F.Top + 1}, pg::clBtnFace},
        {{F.Right - 2, F.Bottom - 2}, pg::clBtnFace}, {{MidX, F.Bottom - 2}, pg::clBtnFace},
    };
    for (const auto& [P, Colour] : Samples)
        EXPECT_EQ(RGB(P.X, P.Y), pg::ColorToRGB(Colour)) << P.X << "," << P.Y;
    EXPECT_NE(pg::ColorToRGB(pg::clInactiveBorder), pg::ColorToRGB(pg::clBtnFace));
    EXPECT_EQ(Edit->PopupWindow()->EditViewInfo().GetFrameWidth(), 2);
    // The hosted control starts inside the rings.
    EXPECT_EQ(Panel->Left(), F.Left + 2);
    EXPECT_EQ(Panel->Top(), F.Top + 2);
}

} // namespace
} // namespace toolkit::edit
