#include "toolkit/edit/cx_custom_edit.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_check_box.h"
#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/cx_edit_view_data.h"
#include "toolkit/edit/edit_units.h"

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_focus_listener.h"
#include "toolkit/base/settings_controller.h"
#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/exception.h"
#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/forms/shortcuts.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/input_state.h"
#include "platform/win/message_beep.h"
#include "platform/win/messages.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
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

// Properties that validate and restore, so that the value model's checks all take part.
class TValidatingProperties : public TcxCustomEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef() {
        static const TcxCustomEditPropertiesClass Class(
            "TValidatingProperties", &TcxCustomEditProperties::ClassRef(),
            [](pc::TPersistent* AOwner) -> std::unique_ptr<toolkit::base::TcxInterfacedPersistent> {
                return std::make_unique<TValidatingProperties>(AOwner);
            });
        return Class;
    }
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    using TcxCustomEditProperties::TcxCustomEditProperties;
    bool CanValidate() const override { return true; }
    bool IsEditValueRestorable() const override { return true; }
    bool CanCompareEditValue() const override { return true; }
};

// An editor whose display is a plain text: the edit value shown as text.
class TTextEditor : public TcxCustomEdit {
public:
    explicit TTextEditor(pc::TComponent* AOwner, bool AIsInplace = false)
        : TcxCustomEdit(AOwner, AIsInplace, &TValidatingProperties::ClassRef()) {}
    std::string GetDisplayText() override { return Text; }
    // The user types a text.
    void Type(const std::string& Value) {
        FUserAction = true;
        Text = Value;
        MarkModifiedAfterEnter(true);
        DoChange();
        FUserAction = false;
    }
    using TcxCustomEdit::DoEditKeyDown;
    using TcxCustomEdit::InternalSetEditValue;
    using TcxCustomEdit::LockInnerEditRepainting;
    using TcxCustomEdit::UnlockInnerEditRepainting;
    void CopyToClipboard() override { Clipboard.push_back("copy"); }
    void CutToClipboard() override { Clipboard.push_back(FUserAction ? "cut by user" : "cut"); }
    void PasteFromClipboard() override {
        Clipboard.push_back(FUserAction ? "paste by user" : "paste");
    }
    std::string Text;
    int Applied = 0;
    std::vector<std::string> Clipboard;
    // What the editor went through: presses in its own coordinates, its display synchronised,
    // its properties applied, its edit data started afresh.
    std::vector<std::string> Presses;
    int Synchronized = 0;
    int PropertiesApplied = 0;
    int EditDataInitialized = 0;
    // Whether the editor keeps edit data between two activations in place.
    bool KeepsEditData = false;

protected:
    void SynchronizeDisplayValue() override {
        ++Synchronized;
        Text = FEditValue.IsNull() ? std::string() : FEditValue.AsString();
    }
    void PropertiesChanged(TcxCustomEditProperties* Sender) override {
        ++PropertiesApplied;
        TcxCustomEdit::PropertiesChanged(Sender);
    }
    std::unique_ptr<TcxCustomEditData> CreateEditData() override {
        return KeepsEditData ? std::make_unique<TcxCustomEditData>(this) : nullptr;
    }
    void InitializeEditData() override { ++EditDataInitialized; }
    void MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) override {
        Presses.push_back(std::to_string(X) + "," + std::to_string(Y));
        TcxCustomEdit::MouseDown(Button, Shift, X, Y);
    }
    void ApplyDisplayValue(const Variant& Value) override {
        ++Applied;
        Text = Value.AsString();
    }
    void InternalSetDisplayValue(const Variant& Value) override { FEditValue = Value; }
};

// A repository item of the validating properties, which the test editor accepts.
class TValidatingItem : public TcxEditRepositoryItem {
public:
    explicit TValidatingItem(pc::TComponent* AOwner) : TcxEditRepositoryItem(AOwner) {
        CreateProperties();
    }

protected:
    const TcxCustomEditPropertiesClass& GetPropertiesClass() const override {
        return TValidatingProperties::ClassRef();
    }
};

// An inner control that counts its paints.
class TPaintCounter : public pf::TCustomControl {
public:
    using pf::TCustomControl::TCustomControl;
    int Paints = 0;

protected:
    void Paint() override { ++Paints; }
};

// A control that records the mouse buttons it is given, in its own coordinates, and the context
// menus asked of it.
class TMouseRecorder : public pf::TCustomControl {
public:
    using pf::TCustomControl::TCustomControl;
    std::vector<std::string> Seen;
    int ContextMenus = 0;

protected:
    void MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) override {
        Seen.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
        pf::TCustomControl::MouseDown(Button, Shift, X, Y);
    }
    void MouseUp(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) override {
        Seen.push_back("up " + std::to_string(X) + "," + std::to_string(Y));
        pf::TCustomControl::MouseUp(Button, Shift, X, Y);
    }
    void WndProc(pc::TMessage& Message) override {
        if (Message.Msg == pw::WM_CONTEXTMENU) ++ContextMenus;
        pf::TCustomControl::WndProc(Message);
    }
};

class CustomEditTest : public ::testing::Test {
protected:
    CustomEditTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
        // The editor is entered from another control.
        auto& Other = Form->Own<pf::TEdit>();
        Other.SetParent(Form);
        Other.SetBoundsRect({10, 100, 110, 121});
        Edit = &Form->Own<TTextEditor>();
        Edit->SetParent(Form);
        Edit->SetBoundsRect({10, 10, 210, 31});
        Form->Show();
        Edit->HandleNeeded();
        Other.SetFocus();
        pc::ProcessMessages();
    }
    ~CustomEditTest() override {
        pf::Application().OnException = nullptr;
        test::FreeTestForm(Owner);
    }
    // The editor entered with "a", then typed "b".
    void EnterAndType() {
        Edit->SetEditValue(Variant::String("a"));
        Edit->SetFocus();
        pc::ProcessMessages();
        Edit->Type("b");
    }
    TcxEditButton& AddButton(TcxEditButtonKind Kind) {
        TcxEditButton& B = Edit->Properties().Buttons().Add();
        B.SetKind(Kind);
        return B;
    }

    // A host (a grid, say) at (20, 40) on the form, with a hidden in-place editor at (30, 10) in
    // it, whose inner control records the mouse. Not activated yet.
    struct TInPlace {
        TMouseRecorder* Host;
        TTextEditor* Edit;
        TMouseRecorder* Inner;
    };
    TInPlace MakeInPlace() {
        auto& Host = Form->Own<TMouseRecorder>();
        Host.SetParent(Form);
        Host.SetBoundsRect({20, 40, 320, 140});
        auto& InPlace = Form->Own<TTextEditor>(true);
        InPlace.SetParent(&Host);
        InPlace.SetBoundsRect({30, 10, 230, 31});
        auto& Inner = Form->Own<TMouseRecorder>();
        InPlace.SetInnerControl(&Inner);
        Inner.SetParent(&InPlace);
        InPlace.ShortRefreshContainer(false);
        InPlace.HandleNeeded();
        // Hidden until the host activates it over a cell.
        InPlace.Hide();
        pc::ProcessMessages();
        return {&Host, &InPlace, &Inner};
    }

    pc::ManualClock Clock{1000};
    pc::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    pc::NowOverride ClockDate{Clock, pc::EncodeDate(2026, 3, 7) + pc::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
    TTextEditor* Edit = nullptr;
    testsupport::InputDriver Input;
};

// ---- validation ----

TEST_F(CustomEditTest, TheValidateHandlerRunsOncePerModification) {
    int Runs = 0;
    Edit->Properties().OnValidate = [&](pc::TObject*, Variant&, std::string&, bool&) { ++Runs; };
    EnterAndType();
    EXPECT_TRUE(Edit->ValidateEdit(false));
    EXPECT_TRUE(Edit->ValidateEdit(false));
    EXPECT_EQ(Runs, 1);
    Edit->Type("c");
    EXPECT_TRUE(Edit->ValidateEdit(false));
    EXPECT_EQ(Runs, 2);
}

TEST_F(CustomEditTest, AnUnmodifiedEditorValidatesWithoutTheHandler) {
    int Runs = 0;
    Edit->Properties().OnValidate = [&](pc::TObject*, Variant&, std::string&, bool&) { ++Runs; };
    Edit->SetEditValue(Variant::String("a"));
    EXPECT_TRUE(Edit->ValidateEdit(true));
    EXPECT_EQ(Runs, 0);
}

TEST_F(CustomEditTest, AnErrorThatLeavesTheValueShowsTheCurrentText) {
    Edit->Properties().OnValidate = [](pc::TObject*, Variant&, std::string&, bool& Error) {
        Error = true;
    };
    EnterAndType();
    EXPECT_FALSE(Edit->ValidateEdit(false));
    EXPECT_EQ(Edit->Text, "b");
    EXPECT_EQ(Edit->Applied, 0);
    EXPECT_FALSE(Edit->IsEditValidated());
}

TEST_F(CustomEditTest, AnErrorWithAChangedValueShowsTheHandlersValue) {
    Edit->Properties().OnValidate = [](pc::TObject*, Variant& Value, std::string&, bool& Error) {
        Value = Variant::String("fixed");
        Error = true;
    };
    EnterAndType();
    EXPECT_FALSE(Edit->ValidateEdit(false));
    EXPECT_EQ(Edit->Text, "fixed");
}

TEST_F(CustomEditTest, AValidationErrorRaisesWithItsTextAfterFocusingAndBeeping) {
    Edit->Properties().SetBeepOnError(true);
    Edit->Properties().OnValidate = [](pc::TObject*, Variant&, std::string& Text, bool& Error) {
        Text = "Not so";
        Error = true;
    };
    EnterAndType();
    const int Beeps = pw::MessageBeepCount();
    try {
        Edit->ValidateEdit(true);
        FAIL() << "no validation error";
    } catch (const EcxEditValidationError& E) {
        EXPECT_STREQ(E.what(), "Not so");
    }
    EXPECT_EQ(pw::MessageBeepCount(), Beeps + 1);
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(CustomEditTest, AnEditorThatCannotTakeTheFocusAcceptsAnInvalidValueSilently) {
    Edit->Properties().SetBeepOnError(true);
    Edit->Properties().OnValidate = [](pc::TObject*, Variant&, std::string& Text, bool& Error) {
        Text = "Not so";
        Error = true;
    };
    EnterAndType();
    Edit->SetEnabled(false);
    const int Beeps = pw::MessageBeepCount();
    bool Result = false;
    EXPECT_NO_THROW(Result = Edit->ValidateEdit(true));
    EXPECT_TRUE(Result);
    EXPECT_TRUE(Edit->IsEditValidated());
    EXPECT_EQ(pw::MessageBeepCount(), Beeps);
}

// ---- change events ----

TEST_F(CustomEditTest, ChangeFiresBeforeEditValueChanged) {
    std::vector<std::string> Events;
    Edit->Properties().OnChange = [&](pc::TObject*) { Events.push_back("change"); };
    Edit->Properties().OnEditValueChanged = [&](pc::TObject*) { Events.push_back("value"); };
    Edit->SetEditValue(Variant::String("x"));
    EXPECT_EQ(Events, (std::vector<std::string>{"value", "change"}));
    Events.clear();
    Edit->LockChangeEvents(true);
    Edit->SetEditValue(Variant::String("y"));
    Edit->SetEditValue(Variant::String("z"));
    EXPECT_TRUE(Events.empty());
    Edit->LockChangeEvents(false);
    EXPECT_EQ(Events, (std::vector<std::string>{"change", "value"}));
}

TEST_F(CustomEditTest, SettingTheSameValueFiresNothing) {
    int Events = 0;
    Edit->Properties().OnChange = [&](pc::TObject*) { ++Events; };
    Edit->SetEditValue(Variant::String("x"));
    Events = 0;
    Edit->SetEditValue(Variant::String("x"));
    EXPECT_EQ(Events, 0);
}

TEST_F(CustomEditTest, LockedChangeEventsAreDroppedWhenAsked) {
    int Events = 0;
    Edit->Properties().OnChange = [&](pc::TObject*) { ++Events; };
    Edit->Properties().OnEditValueChanged = [&](pc::TObject*) { ++Events; };
    Edit->LockChangeEvents(true);
    Edit->SetEditValue(Variant::String("y"));
    Edit->LockChangeEvents(false, false);
    EXPECT_EQ(Events, 0);
    // A later lock starts with nothing pending.
    Edit->LockChangeEvents(true);
    Edit->LockChangeEvents(false);
    EXPECT_EQ(Events, 0);
}

// ---- keys ----

TEST_F(CustomEditTest, EscapeAbandonsOnlyWhenModified) {
    Edit->SetEditValue(Variant::String("a"));
    Edit->SetFocus();
    pc::ProcessMessages();
    pf::WORD Key = pw::VK_ESCAPE;
    Edit->DoEditKeyDown(Key, 0);
    EXPECT_EQ(Key, pw::VK_ESCAPE) << "an unmodified editor leaves Escape to its container";
    Edit->Type("b");
    Key = pw::VK_ESCAPE;
    Edit->DoEditKeyDown(Key, 0);
    EXPECT_EQ(Key, 0);
    EXPECT_EQ(Edit->Text, "a");
    EXPECT_EQ(Edit->EditValue().AsString(), "a");
    EXPECT_FALSE(Edit->ModifiedAfterEnter());
}

TEST_F(CustomEditTest, EnterValidatesOnlyWithValidateOnEnter) {
    int Runs = 0;
    Edit->Properties().OnValidate = [&](pc::TObject*, Variant&, std::string&, bool&) { ++Runs; };
    EnterAndType();
    struct Case {
        bool ValidateOnEnter;
        pf::WORD KeyAfter;
        int Runs;
    };
    for (const Case& C : {Case{false, static_cast<pf::WORD>(pw::VK_RETURN), 0}, Case{true, 0, 1}}) {
        Edit->Properties().SetValidateOnEnter(C.ValidateOnEnter);
        pf::WORD Key = pw::VK_RETURN;
        Edit->DoEditKeyDown(Key, 0);
        EXPECT_EQ(Key, C.KeyAfter) << C.ValidateOnEnter;
        EXPECT_EQ(Runs, C.Runs) << C.ValidateOnEnter;
    }
    EXPECT_EQ(Edit->EditValue().AsString(), "b");
}

TEST_F(CustomEditTest, TheClearKeyClearsUnlessReadOnly) {
    Edit->Properties().SetClearKey(pf::ShortCut(pw::VK_DELETE, pf::scCtrl));
    for (const bool ReadOnly : {true, false}) {
        Edit->SetEditValue(Variant::String("a"));
        Edit->Properties().SetReadOnly(ReadOnly);
        pf::WORD Key = pw::VK_DELETE;
        Edit->DoEditKeyDown(Key, pf::ssCtrl);
        EXPECT_EQ(Key, 0);
        EXPECT_EQ(Edit->EditValue().IsNull(), !ReadOnly) << ReadOnly;
    }
}

TEST_F(CustomEditTest, NavigationKeysAreConsumedAfterTheAfterKeyDownEvent) {
    std::vector<pf::WORD> Seen;
    Edit->OnAfterKeyDown = [&](pc::TObject*, pf::WORD& Key, pf::TShiftState) {
        Seen.push_back(Key);
    };
    for (pf::WORD K = pw::VK_PRIOR; K <= pw::VK_DOWN; ++K) {
        pf::WORD Key = K;
        Edit->DoEditKeyDown(Key, 0);
        EXPECT_EQ(Key, 0) << K;
    }
    EXPECT_EQ(Seen.size(), 8u);
    pf::WORD Key = 'A';
    Edit->DoEditKeyDown(Key, 0);
    EXPECT_EQ(Key, 'A');
}

// ---- buttons ----

TEST_F(CustomEditTest, ButtonsFollowTheMouseAndClickOnRelease) {
    AddButton(bkEllipsis);
    AddButton(bkDown);
    std::vector<int> Clicks;
    Edit->Properties().OnButtonClick = [&](pc::TObject*, int Index) { Clicks.push_back(Index); };
    Edit->ShortRefreshContainer(false);
    const TcxCustomEditViewInfo& V = Edit->EditViewInfo();
    ASSERT_EQ(V.ButtonCount(), 2);
    const TRect B = V.ButtonsInfo[0].Bounds;
    const pg::TPoint Center{(B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2};
    // The user's mouse, through the window under the pointer.
    auto At = [&](pg::TPoint P) { return Edit->ClientToScreen(P); };
    const pg::TPoint Away{5, 5};
    Input.MoveTo(At(Center));
    EXPECT_EQ(V.ButtonsInfo[0].State, ebsSelected);
    EXPECT_EQ(V.ButtonsInfo[1].State, ebsNormal);
    Input.Press(At(Center));
    EXPECT_EQ(V.ButtonsInfo[0].State, ebsPressed);
    Input.MoveTo(At(Away));
    EXPECT_EQ(V.ButtonsInfo[0].State, ebsNormal);
    Input.MoveTo(At(Center));
    EXPECT_EQ(V.ButtonsInfo[0].State, ebsPressed) << "held and back over the button";
    Input.MoveTo(At(Away));
    Input.Release(At(Away));
    EXPECT_TRUE(Clicks.empty()) << "released outside";
    Input.Click(At(Center));
    EXPECT_EQ(Clicks, std::vector<int>{0});
    EXPECT_EQ(V.ButtonsInfo[0].State, ebsSelected);
    // Over the second button, then off the editor.
    const TRect B1 = V.ButtonsInfo[1].Bounds;
    Input.MoveTo(At({(B1.Left + B1.Right) / 2, (B1.Top + B1.Bottom) / 2}));
    EXPECT_EQ(V.ButtonsInfo[0].State, ebsNormal);
    EXPECT_EQ(V.ButtonsInfo[1].State, ebsSelected);
    Input.MoveTo(Form->ClientToScreen({300, 250}));
    pc::RunFor(Clock, 50);
    EXPECT_EQ(V.ButtonsInfo[1].State, ebsNormal);
    EXPECT_EQ(V.ContainerState & cstHot, 0);
}

TEST_F(CustomEditTest, RemovingAButtonInvalidatesAllAHotChangeOnlyTwoButtons) {
    for (int I = 0; I < 3; ++I)
        AddButton(bkEllipsis);
    Edit->ShortRefreshContainer(false);
    TcxCustomEditViewInfo& V = Edit->EditViewInfo();
    ASSERT_EQ(V.ButtonCount(), 3);
    const std::vector<TcxEditButtonViewInfo> Before = V.ButtonsInfo;
    auto UpdateContains = [&](const TRect& R) {
        auto Region = toolkit::base::TcxRegion::CreateEmpty();
        pw::GetUpdateRgn(Edit->Handle(), Region->Handle(), false);
        return pg::PtInRegion(Region->Handle(), (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2) !=
               0;
    };
    // Hot moves from the first button to the second.
    TcxCustomEditViewInfo Old;
    Old.Assign(V);
    Old.ButtonsInfo[0].State = ebsSelected;
    V.ButtonsInfo[1].State = ebsSelected;
    pw::ValidateRect(Edit->Handle(), nullptr);
    EXPECT_TRUE(V.Repaint(*Edit, &Old));
    EXPECT_TRUE(UpdateContains(Before[0].Bounds));
    EXPECT_TRUE(UpdateContains(Before[1].Bounds));
    EXPECT_FALSE(UpdateContains(Before[2].Bounds));
    // One of three buttons goes.
    Old.Assign(V);
    V.SetButtonCount(2);
    pw::ValidateRect(Edit->Handle(), nullptr);
    EXPECT_TRUE(V.Repaint(*Edit, &Old));
    for (const TcxEditButtonViewInfo& B : V.ButtonsInfo)
        EXPECT_TRUE(UpdateContains(B.Bounds));
    EXPECT_TRUE(UpdateContains({0, 0, 1, 1})) << "the frame";
}

TEST_F(CustomEditTest, AButtonCaptionsAcceleratorClicksTheButton) {
    AddButton(bkEllipsis);
    AddButton(bkText).SetCaption("&Go");
    std::vector<int> Clicks;
    Edit->Properties().OnButtonClick = [&](pc::TObject*, int Index) { Clicks.push_back(Index); };
    Edit->ShortRefreshContainer(false);
    EXPECT_TRUE(Form->DialogChar('G'));
    EXPECT_EQ(Clicks, std::vector<int>{1});
    EXPECT_FALSE(Form->DialogChar('o'));
    Edit->Properties().Buttons().Items(1).SetVisible(false);
    EXPECT_FALSE(Form->DialogChar('g')) << "a hidden button";
    EXPECT_EQ(Clicks, std::vector<int>{1});
}

// ---- messages ----

TEST_F(CustomEditTest, ClipboardMessagesChangeTheValueOnlyWhereItMayChange) {
    struct Case {
        pc::UINT Msg;
        bool ReadOnly;
        const char* Seen; // nullptr: nothing
    };
    for (const Case& C :
         {Case{pw::WM_COPY, false, "copy"}, Case{pw::WM_COPY, true, "copy"},
          Case{pw::WM_CUT, false, "cut by user"}, Case{pw::WM_CUT, true, "copy"},
          Case{pw::WM_PASTE, false, "paste by user"}, Case{pw::WM_PASTE, true, nullptr}}) {
        Edit->Properties().SetReadOnly(C.ReadOnly);
        Edit->Clipboard.clear();
        Edit->Perform(C.Msg, 0, 0);
        const std::vector<std::string> Expected =
            C.Seen ? std::vector<std::string>{C.Seen} : std::vector<std::string>{};
        EXPECT_EQ(Edit->Clipboard, Expected) << C.Msg << " read-only " << C.ReadOnly;
    }
}

TEST_F(CustomEditTest, TheEditorFollowsItsRepositoryItemAndForgetsItWhenFreed) {
    auto Item = std::make_unique<TValidatingItem>(nullptr);
    Edit->SetRepositoryItem(Item.get());
    ASSERT_EQ(Edit->EditViewInfo().ButtonCount(), 0);
    Item->Properties().Buttons().Add();
    EXPECT_EQ(Edit->EditViewInfo().ButtonCount(), 1) << "the item's properties changed";
    Item.reset();
    EXPECT_EQ(Edit->RepositoryItem(), nullptr);
    EXPECT_EQ(&Edit->ActiveProperties(), &Edit->Properties());
    EXPECT_EQ(Edit->EditViewInfo().ButtonCount(), 0);
}

TEST_F(CustomEditTest, LoadedAppliesThePropertiesAndDropsTheChangeEvents) {
    int Changes = 0;
    Edit->Properties().OnChange = [&](pc::TObject*) { ++Changes; };
    Edit->BeginLoading();
    // Reading the properties unhooks them from the editor.
    Edit->Properties().OnPropertiesChanged = nullptr;
    Edit->Properties().Buttons().Add();
    Edit->EndLoading();
    EXPECT_EQ(Edit->EditViewInfo().ButtonCount(), 1);
    EXPECT_EQ(Changes, 0);
    Edit->Properties().Buttons().Add();
    EXPECT_EQ(Edit->EditViewInfo().ButtonCount(), 2) << "hooked again";
}

TEST_F(CustomEditTest, LockingTheInnerEditsRepaintingDefersItsPaintsToTheUnlock) {
    auto& Inner = Form->Own<TPaintCounter>();
    Edit->SetInnerControl(&Inner);
    Inner.SetParent(Edit);
    pc::ProcessMessages();
    const int Before = Inner.Paints;
    Edit->LockInnerEditRepainting();
    Inner.Invalidate();
    pc::ProcessMessages();
    EXPECT_EQ(Inner.Paints, Before);
    Edit->UnlockInnerEditRepainting();
    pc::ProcessMessages();
    EXPECT_EQ(Inner.Paints, Before + 1);
}

// ---- painting ----

TEST_F(CustomEditTest, APictureOfTheButtonsInEveryStyleAndState) {
    toolkit::base::testing_support::ClassicColors Colors;
    AddButton(bkEllipsis);
    AddButton(bkDown);
    AddButton(bkGlyph);
    AddButton(bkText).SetCaption("Go");
    const TcxEditButtonStyle Styles[] = {bts3D,      btsFlat,      btsSimple,
                                         btsHotFlat, btsUltraFlat, btsOffice11};
    const TcxEditButtonState States[] = {ebsNormal, ebsSelected, ebsPressed, ebsDisabled};
    const int W = 140, H = 21;
    toolkit::base::testing_support::TestSurface S(4 * (W + 8) + 8, 6 * (H + 8) + 8,
                                                  pg::RGB(255, 255, 255));
    auto& Style = static_cast<TcxCustomEditStyle&>(Edit->Style());
    // The colour at the centre of a button's face, per row and state; the first row's
    // ellipsis and down buttons, kept for the contents.
    std::vector<std::vector<pg::COLORREF>> Faces(6);
    TRect Ellipsis{}, Down{};
    for (int Row = 0; Row < 6; ++Row) {
        Style.SetButtonStyle(Styles[Row]);
        for (int Column = 0; Column < 4; ++Column) {
            auto Data = Edit->CreateViewData();
            TcxCustomEditViewInfo V;
            Data->Calculate(Edit->Canvas(), {0, 0, W, H}, {-1, -1}, cxmbNone, 0, V, false);
            ASSERT_EQ(V.ButtonCount(), 4);
            for (TcxEditButtonViewInfo& B : V.ButtonsInfo)
                B.State = States[Column];
            const int X = 8 + Column * (W + 8), Y = 8 + Row * (H + 8);
            V.Offset(X, Y);
            toolkit::base::TcxCanvas Canvas(&S.Canvas());
            V.Paint(Canvas);
            // The text button's face, away from its caption.
            const TRect T = V.ButtonsInfo[3].Bounds;
            Faces[static_cast<std::size_t>(Row)].push_back(S.At(T.Left + 3, T.Bottom - 4));
            if (Row == 0 && Column == 0) {
                Ellipsis = V.ButtonsInfo[0].Bounds;
                Down = V.ButtonsInfo[1].Bounds;
            }
        }
    }
    testsupport::TempFolder Folder("edit_buttons_");
    EXPECT_TRUE(S.Pixels().SavePng(Folder.PathOf("edit_buttons.png")));
    // A 3D button's face is the button face colour; its ellipsis dots and down arrow are drawn
    // in the button text colour across the middle.
    const pg::COLORREF Face = pg::ColorToRGB(pg::clBtnFace);
    const pg::COLORREF Ink = pg::ColorToRGB(pg::clBtnText);
    EXPECT_EQ(Faces[0][0], Face);
    const int EllipsisMiddle = (Ellipsis.Top + Ellipsis.Bottom) / 2;
    int Dots = 0;
    for (int X = Ellipsis.Left; X < Ellipsis.Right; ++X)
        for (int Y = EllipsisMiddle - 2; Y <= EllipsisMiddle + 2; ++Y)
            if (S.At(X, Y) == Ink) ++Dots;
    EXPECT_GE(Dots, 3) << "three dots";
    bool Arrow = false;
    for (int Y = Down.Top; Y < Down.Bottom; ++Y)
        if (S.At((Down.Left + Down.Right) / 2, Y) == Ink) Arrow = true;
    EXPECT_TRUE(Arrow);
    // The last three styles (hot-flat, ultra-flat and the gradient one) fill the face when hot
    // and pressed (the plain flat style only changes its border).
    for (int Row : {3, 4, 5}) {
        const auto& F = Faces[static_cast<std::size_t>(Row)];
        EXPECT_NE(F[1], F[0]) << "hot, style row " << Row;
        EXPECT_NE(F[2], F[0]) << "pressed, style row " << Row;
    }
}

// ---- layout ----

TEST_F(CustomEditTest, ButtonsStretchOverTheFreeWidthInProportion) {
    Edit->Properties().SetButtonsViewStyle(bvsButtonsOnly);
    AddButton(bkEllipsis).SetWidth(15);
    AddButton(bkEllipsis).SetWidth(20);
    auto Data = Edit->CreateViewData();
    TcxCustomEditViewInfo V;
    // 35 for the buttons and 10 free inside the 2-pixel transparent border.
    Data->Calculate(Edit->Canvas(), {0, 0, 49, 21}, {-1, -1}, cxmbNone, 0, V, false);
    ASSERT_EQ(V.ButtonCount(), 2);
    EXPECT_EQ(V.ButtonsInfo[0].Bounds.Right - V.ButtonsInfo[0].Bounds.Left, 20);
    EXPECT_EQ(V.ButtonsInfo[1].Bounds.Right - V.ButtonsInfo[1].Bounds.Left, 25);
}

TEST_F(CustomEditTest, HiddenButtonsFollowTheTransparencyRules) {
    AddButton(bkDown);
    struct Case {
        TcxEditButtonTransparency Transparency;
        bool Focused;
        TPoint Mouse;
        int Count;
    };
    const TPoint Inside{20, 10}, Outside{-1, -1};
    for (const Case& C :
         {Case{ebtHideInactive, false, Inside, 0}, Case{ebtHideInactive, true, Outside, 1},
          Case{ebtHideUnselected, false, Outside, 0}, Case{ebtHideUnselected, false, Inside, 1}}) {
        static_cast<TcxCustomEditStyle&>(Edit->Style()).SetButtonTransparency(C.Transparency);
        auto Data = Edit->CreateViewData();
        Data->Edit = nullptr;
        Data->Focused = C.Focused;
        TcxCustomEditViewInfo V;
        Data->Calculate(Edit->Canvas(), {0, 0, 200, 21}, C.Mouse, cxmbNone, 0, V, false);
        EXPECT_EQ(V.ButtonCount(), C.Count) << int(C.Transparency) << C.Focused;
        if (C.Count == 0) {
            EXPECT_EQ(Data->FirstRightButton, -1);
        }
    }
}

TEST_F(CustomEditTest, AShadowWidensTheRightAndBottomBorder) {
    Edit->Style().SetTransparentBorder(false);
    Edit->Style().SetBorderStyle(ebsSingle);
    Edit->Style().SetShadow(true);
    TcxCustomEditViewData Data(Edit->Properties(), static_cast<TcxCustomEditStyle&>(Edit->Style()),
                               false);
    EXPECT_EQ(Data.GetBorderExtent(), (TRect{1, 1, 4, 4}));
    TcxCustomEditViewData Inplace(Edit->Properties(),
                                  static_cast<TcxCustomEditStyle&>(Edit->Style()), true);
    Inplace.InplaceContentMargins = {1, 2, 3, 4};
    EXPECT_EQ(Inplace.GetBorderExtent(), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(Inplace.GetContainerBorderStyle(), ebsNone);
}

} // namespace
} // namespace toolkit::edit

namespace toolkit::edit {
namespace {

struct HintCase {
    const char* Name;
    const char* ButtonHint;
    bool EditorShowsHints;
    bool OverButton;
    bool Shown;
    const char* Text;
};

TEST_F(CustomEditTest, ButtonHintIsTheButtonsOwnElseTheEditors) {
    const HintCase Cases[] = {
        {"button's own", "Open the list", false, true, true, "Open the list"},
        {"editor's when the button has none", "", true, true, true, "Editor hint"},
        {"none without either", "", false, true, true, ""},
        {"editor's over the text", "Open the list", true, false, true, "Editor hint"},
    };
    if (Edit->Properties().Buttons().Count() == 0) Edit->Properties().Buttons().Add();
    for (const HintCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Edit->Properties().Buttons().Items(0).SetHint(C.ButtonHint);
        Edit->Hint = "Editor hint";
        Edit->ShowHint = C.EditorShowsHints;
        Edit->ParentShowHint = false;
        Edit->ShortRefreshContainer(false);
        const TRect B = Edit->EditViewInfo().ButtonsInfo[0].Bounds;
        pf::THintInfo Info;
        Info.HintControl = Edit;
        Info.CursorPos = C.OverButton ? TPoint{B.Left + 1, B.Top + 1} : TPoint{3, 5};
        Info.CursorRect = Edit->ClientRect();
        Info.HintStr = Edit->HintShowing() ? Edit->Hint : std::string();
        const auto Result = Edit->Perform(pf::CM_HINTSHOW, 0, reinterpret_cast<pc::LPARAM>(&Info));
        EXPECT_EQ(Result == 0, C.Shown);
        EXPECT_EQ(Info.HintStr, C.Text);
        if (C.OverButton) {
            EXPECT_EQ(Info.CursorRect, B) << "the hint stands for the button";
        }
    }
}

class TRecordingFocusListener : public toolkit::base::IcxFocusListener {
public:
    std::vector<std::string> Calls;
    void FocusChanged(pf::TWinControl*, bool AFocused) override {
        Calls.push_back(AFocused ? "enter" : "exit");
    }
    void ControlDestroying(pf::TWinControl*) override { Calls.push_back("destroying"); }
};

TEST_F(CustomEditTest, TheGlobalFocusListenerHearsEnterExitAndDestruction) {
    TRecordingFocusListener Listener;
    toolkit::base::cxSetGlobalFocusListener(&Listener);
    Edit->SetFocus();
    pc::ProcessMessages();
    Form->SelectNext(Edit, true);
    pc::ProcessMessages();
    Form->FreeComponent(*Edit);
    Edit = nullptr;
    toolkit::base::cxSetGlobalFocusListener(nullptr);
    EXPECT_EQ(Listener.Calls, (std::vector<std::string>{"enter", "exit", "destroying"}));
}

// ---- first parenting ----

TEST_F(CustomEditTest, TheFirstParentAppliesThePropertiesAndShowsTheValueOnce) {
    auto& Made = Form->Own<TTextEditor>();
    Made.SetEditValue(Variant::String("v"));
    Made.Text.clear();
    const int Applied = Made.PropertiesApplied, Synchronized = Made.Synchronized;
    Made.SetParent(Form);
    EXPECT_EQ(Made.PropertiesApplied, Applied + 1);
    EXPECT_EQ(Made.Synchronized, Synchronized + 1);
    EXPECT_EQ(Made.Text, "v") << "the binding's value shown";
    // Later parents are moves, not a first standing.
    Made.SetParent(nullptr);
    Made.SetParent(Form);
    EXPECT_EQ(Made.PropertiesApplied, Applied + 1);
    EXPECT_EQ(Made.Synchronized, Synchronized + 1);
}

// ---- in-place activation ----

struct MouseActivationCase {
    const char* Name;
    bool DoubleClick; // the user double-clicked the cell, else clicked it once
    bool OnPress; // the host activates on the press (the button still down), else on the release
    bool PressReplayed;
    bool ReleaseReplayed;
    bool CaptureKept;
};

void PrintTo(const MouseActivationCase& C, std::ostream* Os) {
    *Os << C.Name;
}

class MouseActivationTest : public CustomEditTest,
                            public ::testing::WithParamInterface<MouseActivationCase> {};

TEST_P(MouseActivationTest, TheHostsClickIsReplayedWhereItFellOnTheEditor) {
    const MouseActivationCase& C = GetParam();
    const TInPlace P = MakeInPlace();
    // The host's point over the editor's (50, 8), which lies on the inner control.
    const pg::TPoint OnHost{30 + 50, 10 + 8};
    const pg::TPoint OnInner{50 - P.Inner->Left(), 8 - P.Inner->Top()};
    ASSERT_TRUE(pg::PtInRect(P.Inner->ClientRect(), OnInner));
    pf::TShiftState PressShift = 0;
    bool Activated = false;
    auto ActivateWith = [&](pf::TShiftState Shift, int X, int Y) {
        if (Activated || ((Shift & pf::ssDouble) != 0) != C.DoubleClick) return;
        Activated = true;
        P.Edit->ActivateByMouse(Shift, X, Y);
    };
    P.Host->OnMouseDown = [&](pc::TObject*, pf::TMouseButton, pf::TShiftState Shift, int X, int Y) {
        PressShift = Shift;
        if (C.OnPress) ActivateWith(Shift, X, Y);
    };
    P.Host->OnMouseUp = [&](pc::TObject*, pf::TMouseButton, pf::TShiftState, int X, int Y) {
        if (!C.OnPress) ActivateWith(PressShift, X, Y);
    };
    int Clicks = 0;
    P.Edit->OnClick = [&](pc::TObject*) { ++Clicks; };
    const pg::TPoint Screen = P.Host->ClientToScreen(OnHost);
    if (C.DoubleClick) Input.Click(Screen);
    Input.Press(Screen);
    if (!C.OnPress) Input.Release(Screen);
    ASSERT_TRUE(Activated);
    EXPECT_EQ(P.Edit->Presses,
              C.PressReplayed ? std::vector<std::string>{"50,8"} : std::vector<std::string>{});
    const std::string Up = "up " + std::to_string(OnInner.X) + "," + std::to_string(OnInner.Y);
    EXPECT_EQ(P.Inner->Seen,
              C.ReleaseReplayed ? std::vector<std::string>{Up} : std::vector<std::string>{});
    EXPECT_EQ(pw::GetCapture() == P.Edit->Handle(), C.CaptureKept);
    if (!C.CaptureKept) return;
    // The user lets go within the double-click time: the editor's click, the release passed on.
    Input.Release(Screen);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(P.Inner->Seen, std::vector<std::string>{Up});
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, MouseActivationTest,
    ::testing::Values(
        MouseActivationCase{"ClickActivatingOnPress", false, true, false, true, false},
        MouseActivationCase{"ClickActivatingOnRelease", false, false, false, true, false},
        MouseActivationCase{"DoubleClickHeld", true, true, true, false, true},
        MouseActivationCase{"DoubleClickReleased", true, false, true, false, false}),
    [](const ::testing::TestParamInfo<MouseActivationCase>& Info) { return Info.param.Name; });

TEST_F(CustomEditTest, TheHostKeepsTheEditDataAcrossActivations) {
    const TInPlace P = MakeInPlace();
    P.Edit->KeepsEditData = true;
    std::unique_ptr<TcxCustomEditData> First, Second;
    P.Edit->Activate(First);
    ASSERT_NE(First, nullptr);
    EXPECT_EQ(P.Edit->EditData(), First.get());
    EXPECT_EQ(First->Edit(), P.Edit);
    const TcxCustomEditData* Made = First.get();
    P.Edit->Deactivate();
    P.Edit->Activate(First);
    EXPECT_EQ(First.get(), Made) << "made once; the host keeps it";
    EXPECT_EQ(P.Edit->EditDataInitialized, 0);
    // Cleared while in use, it starts afresh at once.
    First->Clear();
    EXPECT_EQ(P.Edit->EditDataInitialized, 1);
    EXPECT_FALSE(First->Cleared);
    // Another cell's data in use: the first, cleared, starts afresh on its next activation.
    P.Edit->Deactivate();
    P.Edit->Activate(Second);
    EXPECT_EQ(P.Edit->EditData(), Second.get());
    First->Clear();
    EXPECT_TRUE(First->Cleared);
    EXPECT_EQ(P.Edit->EditDataInitialized, 1);
    P.Edit->Deactivate();
    P.Edit->Activate(First);
    EXPECT_EQ(P.Edit->EditDataInitialized, 2);
    EXPECT_FALSE(First->Cleared);
    // Both outlive the editor and forget it.
    Form->FreeComponent(*P.Edit);
    EXPECT_EQ(First->Edit(), nullptr);
    EXPECT_EQ(Second->Edit(), nullptr);
    Second->Clear();
    EXPECT_TRUE(Second->Cleared);
}

TEST_F(CustomEditTest, AnEditorThatKeepsNoEditDataLeavesTheHostsEmpty) {
    const TInPlace P = MakeInPlace();
    std::unique_ptr<TcxCustomEditData> Data;
    P.Edit->Activate(Data);
    EXPECT_EQ(Data, nullptr);
    EXPECT_EQ(P.Edit->EditData(), nullptr);
}

// ---- message reactions ----

TEST_F(CustomEditTest, OnlyANormalEditorPassesTheContextMenuOnToItsParent) {
    for (const bool InPlace : {false, true}) {
        auto& Host = Form->Own<TMouseRecorder>();
        Host.SetParent(Form);
        Host.SetBoundsRect({20, 150, 320, 250});
        auto& E = Form->Own<TTextEditor>(InPlace);
        E.SetParent(&Host);
        E.SetBoundsRect({10, 10, 210, 31});
        E.Show();
        pc::ProcessMessages();
        Input.Click(E.ClientToScreen({20, 10}), Qt::RightButton);
        EXPECT_EQ(Host.ContextMenus, InPlace ? 0 : 1) << "in place " << InPlace;
        Form->FreeComponent(Host);
    }
}

TEST_F(CustomEditTest, ADoubleClickOverAButtonIsASecondPressOfTheButton) {
    AddButton(bkEllipsis);
    Edit->ShortRefreshContainer(false);
    const TRect B = Edit->EditViewInfo().ButtonsInfo[0].Bounds;
    struct Case {
        const char* Where;
        pg::TPoint At;
        int ButtonClicks;
        int DoubleClicks;
    };
    for (const Case& C :
         {Case{"over the button", {(B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2}, 2, 0},
          Case{"over the text", {5, 5}, 0, 1}}) {
        int ButtonClicks = 0, DoubleClicks = 0;
        Edit->Properties().OnButtonClick = [&](pc::TObject*, int) { ++ButtonClicks; };
        Edit->OnDblClick = [&](pc::TObject*) { ++DoubleClicks; };
        const pg::TPoint Screen = Edit->ClientToScreen(C.At);
        Input.Click(Screen);
        Input.Click(Screen);
        EXPECT_EQ(ButtonClicks, C.ButtonClicks) << C.Where;
        EXPECT_EQ(DoubleClicks, C.DoubleClicks) << C.Where;
        pc::RunFor(Clock, 1000);
    }
}

TEST_F(CustomEditTest, AReleaseTheEditorCapturedIsPassedToTheChildUnderThePointer) {
    auto& Inner = Form->Own<TMouseRecorder>();
    Edit->SetInnerControl(&Inner);
    Inner.SetParent(Edit);
    Edit->ShortRefreshContainer(false);
    pc::ProcessMessages();
    // Pressed on the frame, off the inner control; released over it.
    const pg::TPoint Frame{0, 0};
    ASSERT_FALSE(pg::PtInRect(Inner.BoundsRect(), Frame));
    const pg::TPoint OnInner{Inner.Left() + 20, Inner.Top() + 3};
    Input.Press(Edit->ClientToScreen(Frame));
    ASSERT_EQ(pw::GetCapture(), Edit->Handle());
    Input.MoveTo(Edit->ClientToScreen(OnInner));
    Input.Release(Edit->ClientToScreen(OnInner));
    EXPECT_EQ(Inner.Seen, std::vector<std::string>{"up 20,3"});
}

TEST_F(CustomEditTest, SizingItselfTheEditorKeepsItsWholeWindowAsClientArea) {
    Edit->SetAutoSize(false);
    Edit->SetBounds(10, 10, 200, 60);
    pc::ProcessMessages();
    Edit->SetAutoSize(true);
    const int Asked = Edit->Height();
    EXPECT_GT(Asked, 0);
    EXPECT_LT(Asked, 60) << "the height the view data asks for";
    pc::MSG Msg;
    EXPECT_FALSE(pc::PeekMessage(Msg, Edit->Handle(), toolkit::base::cxNCSizeChangedMessage,
                                 toolkit::base::cxNCSizeChangedMessage, pc::PM_NOREMOVE))
        << "the non-client calculation was answered, not passed on";
    Edit->SetBounds(10, 10, 200, 40);
    EXPECT_TRUE(pc::PeekMessage(Msg, Edit->Handle(), toolkit::base::cxNCSizeChangedMessage,
                                toolkit::base::cxNCSizeChangedMessage, pc::PM_NOREMOVE))
        << "a size given from outside";
}

// ---- size ----

TEST_F(CustomEditTest, SwitchingAutoSizeOnTakesTheHeightTheViewDataAsksFor) {
    auto& Box = Form->Own<TcxCheckBox>();
    Box.SetParent(Form);
    // The base shows no content: its frame is all it asks for. The check box shows its text.
    struct Case {
        TcxCustomEdit* E;
        bool ShowsText;
    };
    for (const auto& [E, ShowsText] : {Case{Edit, false}, Case{&Box, true}}) {
        E->SetAutoSize(false);
        E->SetBounds(10, 150, 200, 60);
        EXPECT_EQ(E->Height(), 60) << "the size given";
        E->SetAutoSize(true);
        // Measured with the editor's font as the screen shows it (its own canvas has no device
        // context outside painting, which measured every text 0 high).
        TcxEditSizeProperties Size;
        Size.MaxLineCount = 1;
        Size.Width = 200;
        const int Asked = E->CreateViewData()
                              ->GetEditSize(toolkit::base::cxScreenCanvas(), E->EditValue(), Size)
                              .cy;
        EXPECT_EQ(E->Height(), Asked) << E->ClassType().ClassName();
        const int TextHeight =
            toolkit::base::cxScreenCanvas().FontHeight(E->Style().GetVisibleFont());
        EXPECT_GT(Asked, ShowsText ? TextHeight : 0) << E->ClassType().ClassName();
        EXPECT_EQ(E->Width(), 200);
    }
}

} // namespace
} // namespace toolkit::edit
