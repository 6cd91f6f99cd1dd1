#include "toolkit/edit/cx_drop_down_edit.h"

#include "toolkit/edit/cx_inner_list_box.h"
#include "toolkit/edit/desktop_composition.h"

#include "platform/core/message_loop.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <algorithm>
#include <utility>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr std::uint8_t AlignmentToHorz[] = {0, 2, 1}; // taLeftJustify, taRightJustify, taCenter
constexpr pf::TAlignment HorzToAlignment[] = {pf::taLeftJustify, pf::taCenter, pf::taRightJustify};

bool IsTextChar(char C) {
    return static_cast<unsigned char>(C) >= 32;
}

} // namespace

// ---- properties ----

const TcxCustomEditPropertiesClass& TcxCustomDropDownEditProperties::ClassRef() {
    static const TcxCustomEditPropertiesClass Class(
        "TcxCustomDropDownEditProperties", &TcxCustomMaskEditProperties::ClassRef(),
        pc::ConstructorOf<TcxCustomDropDownEditProperties, toolkit::base::TcxInterfacedPersistent,
                          pc::TPersistent*>());
    return Class;
}

TcxCustomDropDownEditProperties::TcxCustomDropDownEditProperties(pc::TPersistent* AOwner)
    : TcxCustomMaskEditProperties(AOwner) {
    BeginUpdate();
    FDropDownButtonIndex = GetDropDownButtonIndex();
    Buttons().Add().SetKind(bkDown);
    EndUpdate(false);
}

void TcxCustomDropDownEditProperties::Assign(const pc::TPersistent* Source) {
    const auto* S = dynamic_cast<const TcxCustomDropDownEditProperties*>(Source);
    if (!S) {
        TcxCustomMaskEditProperties::Assign(Source);
        return;
    }
    WithinUpdate([&] {
        TcxCustomMaskEditProperties::Assign(Source);
        FDropDownButtonIndex = S->FDropDownButtonIndex;
        FImmediateDropDown = S->FImmediateDropDown;
        FImmediatePopup = S->FImmediatePopup;
        FShowDropDownButtonPressed = S->FShowDropDownButtonPressed;
        FPopupAutoSize = S->FPopupAutoSize;
        FPopupClientEdge = S->FPopupClientEdge;
        FPopupDirectionVertical = S->FPopupDirectionVertical;
        FPopupHorzAlignment = S->FPopupHorzAlignment;
        FPopupVertAlignment = S->FPopupVertAlignment;
        // The minimums first: the sizes are clamped to them.
        FPopupMinHeight = S->FPopupMinHeight;
        FPopupMinWidth = S->FPopupMinWidth;
        FPopupHeight = S->FPopupHeight;
        FPopupWidth = S->FPopupWidth;
        FPopupSizeable = S->FPopupSizeable;
        FPopupSysPanelStyle = S->FPopupSysPanelStyle;
        FPostPopupValueOnTab = S->FPostPopupValueOnTab;
        OnCloseQuery = S->OnCloseQuery;
        OnCloseUp = S->OnCloseUp;
        OnPopupClosed = S->OnPopupClosed;
        OnInitPopup = S->OnInitPopup;
        OnPopup = S->OnPopup;
    });
}

void TcxCustomDropDownEditProperties::Changed() {
    if (FIsChanging) return;
    FIsChanging = true;
    try {
        if (FDropDownButtonIndex >= 0 && FDropDownButtonIndex < Buttons().Count()) {
            TcxEditButton& B = Buttons().Items(FDropDownButtonIndex);
            if (B.HasGlyph())
                B.SetKind(bkGlyph);
            else if (B.Kind() == bkGlyph)
                B.SetKind(bkDown);
        }
    } catch (...) {
        FIsChanging = false;
        throw;
    }
    FIsChanging = false;
    TcxCustomMaskEditProperties::Changed();
}

std::unique_ptr<TcxCustomEditPopupWindow>
TcxCustomDropDownEditProperties::CreatePopupWindow(TcxCustomDropDownEdit* AEdit) const {
    return std::make_unique<TcxCustomEditPopupWindow>(AEdit);
}

std::unique_ptr<TcxCustomEditViewData>
TcxCustomDropDownEditProperties::CreateViewData(TcxCustomEditStyle& AStyle, bool AIsInplace) {
    return std::make_unique<TcxCustomDropDownEditViewData>(*this, AStyle, AIsInplace);
}

const pc::TComponentClass& TcxCustomDropDownEditProperties::GetContainerClass() const {
    return TcxCustomDropDownEdit::ClassRef();
}

pf::TBitmap* TcxCustomDropDownEditProperties::ButtonGlyph() const {
    if (FDropDownButtonIndex < 0 || FDropDownButtonIndex >= Buttons().Count()) return nullptr;
    return &Buttons().Items(FDropDownButtonIndex).Glyph();
}

void TcxCustomDropDownEditProperties::SetButtonGlyph(const pf::TBitmap* Value) {
    if (FDropDownButtonIndex < 0 || FDropDownButtonIndex >= Buttons().Count()) return;
    Buttons().Items(FDropDownButtonIndex).SetGlyph(Value);
    Changed();
}

void TcxCustomDropDownEditProperties::SetShowDropDownButtonPressed(bool Value) {
    if (FShowDropDownButtonPressed == Value) return;
    FShowDropDownButtonPressed = Value;
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupAutoSize(bool Value) {
    if (FPopupAutoSize == Value) return;
    FPopupAutoSize = Value;
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupClientEdge(bool Value) {
    if (FPopupClientEdge == Value) return;
    FPopupClientEdge = Value;
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupDirectionVertical(bool Value) {
    if (FPopupDirectionVertical == Value) return;
    FPopupDirectionVertical = Value;
    Changed();
}

pf::TAlignment TcxCustomDropDownEditProperties::PopupAlignment() const {
    return HorzToAlignment[std::min<int>(FPopupHorzAlignment, 2)];
}

void TcxCustomDropDownEditProperties::SetPopupAlignment(pf::TAlignment Value) {
    const std::uint8_t Horz = AlignmentToHorz[Value];
    if (FPopupHorzAlignment == Horz) return;
    FPopupHorzAlignment = Horz;
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupVertAlignment(std::uint8_t Value) {
    if (FPopupVertAlignment == Value) return;
    FPopupVertAlignment = Value;
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupHeight(int Value) {
    Value = std::max(Value, FPopupMinHeight);
    if (FPopupHeight == Value) return;
    FPopupHeight = Value;
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupMinHeight(int Value) {
    Value = std::max(Value, 0);
    if (FPopupMinHeight == Value) return;
    FPopupMinHeight = Value;
    FPopupHeight = std::max(FPopupHeight, Value);
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupMinWidth(int Value) {
    Value = std::max(Value, 0);
    if (FPopupMinWidth == Value) return;
    FPopupMinWidth = Value;
    if (FPopupWidth != 0) FPopupWidth = std::max(FPopupWidth, Value);
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupWidth(int Value) {
    // 0 keeps its meaning (the editor's width); below it nothing is a width.
    Value = Value <= 0 ? 0 : std::max(Value, FPopupMinWidth);
    if (FPopupWidth == Value) return;
    FPopupWidth = Value;
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupSizeable(bool Value) {
    if (FPopupSizeable == Value) return;
    FPopupSizeable = Value;
    Changed();
}

void TcxCustomDropDownEditProperties::SetPopupSysPanelStyle(bool Value) {
    if (FPopupSysPanelStyle == Value) return;
    FPopupSysPanelStyle = Value;
    Changed();
}

// ---- view data ----

void TcxCustomDropDownEditViewData::Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P,
                                              TcxMouseButton Button, pf::TShiftState Shift,
                                              TcxCustomEditViewInfo& V, bool IsMouseEvent) {
    if (auto* E = dynamic_cast<TcxCustomDropDownEdit*>(Edit)) {
        IsDroppedDown = E->DroppedDown();
        IsPopupPressedHot = E->IsPopupPressedHot();
    }
    auto& Props = static_cast<TcxCustomDropDownEditProperties&>(Properties);
    // The native drop-down button of a composed desktop stays down while its list is open.
    IsButtonPressedWhenOpen =
        Props.ShowDropDownButtonPressed() || (IsNativeStyleUsed() && IsCompositionEnabled());
    TcxCustomTextEditViewData::Calculate(Canvas, B, P, Button, Shift, V, IsMouseEvent);
    auto& TV = static_cast<TcxCustomTextEditViewInfo&>(V);
    TV.HasPopupWindow = IsDroppedDown;
    TV.Inverted = Props.GetEditingStyle() == tesFixedList && Focused && !Props.ReadOnly() &&
                  !TV.TransparentBackground && !(IsNativeStyle && IsCompositionEnabled());
}

bool TcxCustomDropDownEditViewData::IsDropDownButton(TcxCustomEditViewInfo& V, int Index) const {
    const auto& P = static_cast<TcxCustomDropDownEditProperties&>(Properties);
    return Index >= 0 && Index < V.ButtonCount() &&
           V.ButtonsInfo[static_cast<std::size_t>(Index)].Index == P.DropDownButtonIndex();
}

bool TcxCustomDropDownEditViewData::CanPressButton(TcxCustomEditViewInfo& V, int Index) {
    return !(IsPopupPressedHot && IsDropDownButton(V, Index));
}

bool TcxCustomDropDownEditViewData::IsButtonPressed(TcxCustomEditViewInfo& V, int Index) {
    if (TcxCustomTextEditViewData::IsButtonPressed(V, Index)) return true;
    return Edit && (IsDroppedDown || IsPopupPressedHot) && IsButtonPressedWhenOpen &&
           IsDropDownButton(V, Index);
}

// ---- editor ----

const pc::TComponentClass& TcxCustomDropDownEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCustomDropDownEdit", &TcxCustomMaskEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCustomDropDownEdit>(AOwner); });
    return Class;
}

TcxCustomDropDownEdit::TcxCustomDropDownEdit(pc::TComponent* AOwner, bool AIsInplace,
                                             const TcxCustomEditPropertiesClass* APropertiesClass)
    : TcxCustomMaskEdit(AOwner, AIsInplace,
                        APropertiesClass ? APropertiesClass
                                         : &TcxCustomDropDownEditProperties::ClassRef()) {
    RecreateViewInfo();
    FPopupControlsLookAndFeel = std::make_unique<TcxEditPopupControlLookAndFeel>(*this);
    FPopupControlsLookAndFeel->OnChanged = [this](toolkit::base::TcxLookAndFeel*,
                                                  toolkit::base::TcxLookAndFeelValues) {
        PopupControlsLookAndFeelChanged();
    };
    if (!(ComponentState() & pc::csDesigning)) CreatePopupWindow();
    InitializeEditData();
}

TcxCustomDropDownEdit::~TcxCustomDropDownEdit() {
    FDestroying = true;
    if (FPopupWindow) {
        // A queued opening that never showed still owes its closing.
        if (FPopupWindow->HandleAllocated() && IsShowMessageQueued()) {
            KillMessages(FPopupWindow->Handle(), CXM_POPUPWINDOW, CXM_POPUPWINDOW);
            PopupWindowClosed();
        }
        FPopupWindow->OnClosed = nullptr;
        FPopupWindow->OnShowed = nullptr;
        FPopupWindow->CloseUp();
        FPopupWindow.reset();
    }
}

TcxCustomDropDownEditProperties& TcxCustomDropDownEdit::Properties() const {
    return static_cast<TcxCustomDropDownEditProperties&>(TcxCustomMaskEdit::Properties());
}

TcxCustomDropDownEditProperties& TcxCustomDropDownEdit::ActiveProperties() const {
    return static_cast<TcxCustomDropDownEditProperties&>(TcxCustomMaskEdit::ActiveProperties());
}

bool TcxCustomDropDownEdit::DroppedDown() {
    return FPopupWindow && FPopupWindow->IsVisible();
}

bool TcxCustomDropDownEdit::IsShowMessageQueued() {
    if (!FPopupWindow || !FPopupWindow->HandleAllocated()) return false;
    pw::MSG Pending{};
    return pc::PeekMessage(Pending, FPopupWindow->Handle(), CXM_POPUPWINDOW, CXM_POPUPWINDOW,
                           pc::PM_NOREMOVE);
}

void TcxCustomDropDownEdit::SetDroppedDown(bool Value) {
    if (DroppedDown() == Value) return;
    if (Value) {
        if (!IsShowMessageQueued()) DropDown();
    } else {
        CloseUp(CloseReasonNone);
    }
}

void TcxCustomDropDownEdit::InitializeEditData() {
    FEditData.SizeChanged = false;
    FEditData.Width = ActiveProperties().PopupWidth();
    FEditData.Height = ActiveProperties().PopupHeight();
}

void TcxCustomDropDownEdit::CreatePopupWindow() {
    FPopupWindow = ActiveProperties().CreatePopupWindow(this);
    // The editor runs the popup from its own keys and the popup hooks: no loop of its own.
    FPopupWindow->ModalMode = false;
    FPopupWindow->Style().LookAndFeel().SetMasterLookAndFeel(FPopupControlsLookAndFeel.get());
    FPopupWindow->OnClosed = [this](pc::TObject*) { PopupWindowClosed(); };
    FPopupWindow->OnShowed = [this](pc::TObject*) { PopupWindowShowed(); };
    FPopupWindow->OnCloseQuery = [this](pc::TObject*, bool& CanClose) {
        CanClose = DoCloseQuery();
    };
}

bool TcxCustomDropDownEdit::DoCloseQuery() {
    bool CanClose = true;
    if (Properties().OnCloseQuery) Properties().OnCloseQuery(this, CanClose);
    if (RepositoryItem() && &ActiveProperties() != &Properties() && ActiveProperties().OnCloseQuery)
        ActiveProperties().OnCloseQuery(this, CanClose);
    return CanClose;
}

// ---- opening ----

void TcxCustomDropDownEdit::DoInitPopup() {
    FIsPopupInitialized = true;
    if (Properties().OnInitPopup) Properties().OnInitPopup(this);
    if (RepositoryItem() && ActiveProperties().OnInitPopup) ActiveProperties().OnInitPopup(this);
    if (ActiveProperties().UseLookupData()) ILookupData().DropDown();
}

void TcxCustomDropDownEdit::DoFinalizePopup() {
    if (!FIsPopupInitialized) return;
    FIsPopupInitialized = false;
    if (Properties().OnPopupClosed) Properties().OnPopupClosed(this);
    if (RepositoryItem() && ActiveProperties().OnPopupClosed)
        ActiveProperties().OnPopupClosed(this);
    if (ActiveProperties().UseLookupData()) ILookupData().CloseUp();
}

void TcxCustomDropDownEdit::PopupWindowShowing() {
    const TcxCustomDropDownEditProperties& P = ActiveProperties();
    if (!P.UseLookupData() || !P.IsPopupEditor() || (ComponentState() & pc::csDesigning)) return;
    if (TcxCustomInnerListBox* List = ILookupData().GetListBox())
        List->SetParent(FPopupWindow.get());
}

void TcxCustomDropDownEdit::PositionPopupWindowChilds(const TRect& R) {
    if (ActiveProperties().UseLookupData()) ILookupData().PositionList(R);
}

void TcxCustomDropDownEdit::DoPopup() {
    FCloseReason = CloseReasonNone;
    if (Properties().OnPopup) Properties().OnPopup(this);
    if (RepositoryItem() && ActiveProperties().OnPopup) ActiveProperties().OnPopup(this);
}

void TcxCustomDropDownEdit::DoCloseUp() {
    // The edit framework hears the reason first (OnClosePopup), then the drop-down's own event.
    const int Reason = static_cast<int>(FCloseReason);
    if (Properties().OnClosePopup) Properties().OnClosePopup(this, Reason);
    if (RepositoryItem() && &ActiveProperties() != &Properties() && ActiveProperties().OnClosePopup)
        ActiveProperties().OnClosePopup(this, Reason);
    if (Properties().OnCloseUp) Properties().OnCloseUp(this);
    if (RepositoryItem() && ActiveProperties().OnCloseUp) ActiveProperties().OnCloseUp(this);
}

void TcxCustomDropDownEdit::DropDown() {
    if (!HandleAllocated() || !pw::IsWindowVisible(Handle()) || !FPopupWindow) return;
    DoInitPopup();
    if (!CanDropDown()) {
        DoFinalizePopup();
        return;
    }
    InternalDropDown();
    FPopupWindow->HandleNeeded();
    FPopupWindow->SetFocusedControl(GetPopupFocusedControl());
    pc::PostMessage(FPopupWindow->Handle(), CXM_POPUPWINDOW, 0, 0);
}

pf::TWinControl* TcxCustomDropDownEdit::GetPopupFocusedControl() {
    return &InnerTextEdit();
}

void TcxCustomDropDownEdit::SetupPopupWindow() {
    TcxCustomDropDownEditProperties& P = ActiveProperties();
    TcxCustomEditPopupWindow& W = *FPopupWindow;
    W.OwnerParent = Parent();
    W.Direction =
        P.PopupDirectionVertical() ? toolkit::base::psVertical : toolkit::base::psHorizontal;
    W.AlignHorz = static_cast<toolkit::base::TcxPopupHorzAlign>(P.PopupHorzAlignment());
    W.AlignVert = static_cast<toolkit::base::TcxPopupVertAlign>(P.PopupVertAlignment());
    W.ClientEdge = P.PopupClientEdge();
    W.MinHeight = P.PopupMinHeight();
    W.MinWidth = P.PopupMinWidth();
    W.AutoSize = P.PopupAutoSize();
    W.Sizeable = P.PopupSizeable();
    W.SysPanelStyle = P.PopupSysPanelStyle();
    if (IsInplace() && P.PopupSizeable()) {
        W.PreferredWidth = FEditData.Width;
        W.PreferredHeight = FEditData.Height;
    } else {
        W.PreferredWidth = P.PopupWidth();
        W.PreferredHeight = P.PopupHeight();
    }
    W.CloseButton = static_cast<TcxCustomEditStyle&>(Style()).PopupCloseButton();
    W.BorderStyle = EditViewInfo().PopupBorderStyle;
    W.NativeStyle = ViewInfo().NativeStyle;
    W.Shadow = ViewInfo().Shadow;
}

void TcxCustomDropDownEdit::InternalDropDown() {
    FPopupWindow->SetCaptureFocus(ActiveProperties().PopupWindowCapturesFocus());
    PopupWindowShowing();
    SetupPopupWindow();
    FPopupWindow->IsLayoutLocked = true;
    FPopupWindow->CalculateSize();
    const TPoint P = FPopupWindow->CalculatePosition();
    FPopupWindow->IsLayoutLocked = false;
    FPopupWindow->SetBounds(P.X, P.Y, FPopupWindow->Width(), FPopupWindow->Height());
    PositionPopupWindowChilds(FPopupWindow->GetClientBounds());
}

void TcxCustomDropDownEdit::PopupWindowShowed() {
    PositionPopupWindowChilds(FPopupWindow->GetClientBounds());
    DoPopup();
    UpdateDrawValue();
    Invalidate();
    // A popup that takes the keyboard from a search in progress opens its list on the item the
    // typed part (the text before the caret) begins.
    const TcxCustomDropDownEditProperties& P = ActiveProperties();
    if (P.UseLookupData() && LookupCompletionActive() && P.ImmediateDropDown() &&
        P.PopupWindowCapturesFocus()) {
        std::string Typed = Text().substr(0, static_cast<std::size_t>(std::max(SelStart(), 0)));
        std::string Tail;
        ILookupData().Locate(Typed, Tail, false);
    }
    FPopupSizeChangedNow = false;
}

// ---- closing ----

void TcxCustomDropDownEdit::CloseUp(TcxEditCloseUpReason AReason) {
    if (!DroppedDown()) return;
    WithChangeEventsLocked([&] {
        const bool Accepts = AReason == CloseReasonTab || AReason == CloseReasonToggle ||
                             AReason == CloseReasonAccept;
        if (Accepts && ActiveProperties().UseLookupData()) {
            const Variant OldKey = ILookupData().GetCurrentKey();
            const bool WasModified = Modified();
            {
                TLookupDrivenScope Driven(*this);
                ILookupData().SelectItem();
            }
            if (WasModified && !VarEqualsExact(OldKey, ILookupData().GetCurrentKey()))
                DoEditValueChanged();
        }
        if (Accepts && ActiveProperties().ImmediatePost() && Modified() &&
            DataBinding().CanPostEditorValue())
            InternalPostEditValue(true);
    });
    FCloseReason = AReason;
    FPopupWindow->CloseUp();
}

void TcxCustomDropDownEdit::PopupWindowClosed() {
    TcxCustomDropDownEditProperties& P = ActiveProperties();
    if (P.PopupSizeable() && FPopupSizeChangedNow) {
        if (IsInplace()) {
            FEditData.SizeChanged = true;
            FEditData.Width = FPopupWindow->Width();
            FEditData.Height = FPopupWindow->Height();
        } else {
            P.BeginUpdate();
            P.SetPopupWidth(FPopupWindow->Width());
            P.SetPopupHeight(FPopupWindow->Height());
            P.EndUpdate(false);
        }
    }
    DoFinalizePopup();
    if (EditingStyle() == tesFixedList) SelectAll();
    DoCloseUp();
    WithChangeEventsLocked([&] {
        if (ActiveProperties().ImmediatePost() && Modified() &&
            DataBinding().CanPostEditorValue() && ValidateEdit(false))
            InternalPostEditValue(false);
    });
    if (!IsContainerFocused()) RecomputePopupPressedHot();
    Invalidate();
}

void TcxCustomDropDownEdit::PopupWindowSized() {
    FPopupSizeChanged = true;
    FPopupSizeChangedNow = true;
}

TRect TcxCustomDropDownEdit::GetPopupOwnerBounds() {
    TRect R = BoundsRect();
    if (ViewInfo().Shadow) R.Right += 3;
    return R;
}

void TcxCustomDropDownEdit::RecomputePopupPressedHot() {
    FIsPopupPressedHot = DroppedDown() && (ViewInfo().ContainerState & cstHot) != 0;
}

// ---- keys ----

void TcxCustomDropDownEdit::DoEditKeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    const bool Alt = (Shift & pf::ssAlt) != 0;
    if (((Key == pw::VK_UP || Key == pw::VK_DOWN) && Alt) || (Key == pw::VK_F4 && !Alt)) {
        if (DroppedDown())
            CloseUp(CloseReasonToggle);
        else
            SetDroppedDown(true);
        Key = 0;
        return;
    }
    if ((Key == pw::VK_RETURN || Key == pw::VK_ESCAPE) && !Alt && DroppedDown()) {
        FKeyClosedPopup = Key == pw::VK_RETURN ? '\r' : '\x1B';
        if (Key == pw::VK_ESCAPE)
            CloseUp(CloseReasonCancel);
        else
            CloseUp(DoEditing() ? CloseReasonAccept : CloseReasonCancel);
        if (!DroppedDown()) {
            if (Key == pw::VK_ESCAPE) pw::ReleaseCapture();
            Key = 0;
            return;
        }
        FKeyClosedPopup = 0;
    }
    TcxCustomMaskEdit::DoEditKeyDown(Key, Shift);
}

void TcxCustomDropDownEdit::DoEditKeyPress(char& Key) {
    if (FKeyClosedPopup != 0 && Key == FKeyClosedPopup) {
        FKeyClosedPopup = 0;
        Key = 0;
        return;
    }
    FKeyClosedPopup = 0;
    TcxCustomDropDownEditProperties& P = ActiveProperties();
    if (IsTextChar(Key) && P.ImmediateDropDown() && !DroppedDown()) SetDroppedDown(true);
    if (P.PopupWindowCapturesFocus() && Key != '\r' && CanDropDown() && GetPopupFocusedControl() &&
        FPopupWindow && FPopupWindow->HandleAllocated()) {
        pc::PostMessage(FPopupWindow->Handle(), CM_POPUPPROCESSCHAR,
                        static_cast<unsigned char>(Key), 0);
        Key = 0;
        return;
    }
    TcxCustomMaskEdit::DoEditKeyPress(Key);
}

void TcxCustomDropDownEdit::DoEditProcessTab(pf::TShiftState Shift) {
    if (DroppedDown() && ActiveProperties().PostPopupValueOnTab()) CloseUp(CloseReasonTab);
    TcxCustomMaskEdit::DoEditProcessTab(Shift);
}

bool TcxCustomDropDownEdit::TabsNeeded() {
    return TcxCustomMaskEdit::TabsNeeded() ||
           (DroppedDown() && ActiveProperties().PostPopupValueOnTab());
}

bool TcxCustomDropDownEdit::CanSendActivationKey(char Key) {
    const TcxCustomDropDownEditProperties& P = ActiveProperties();
    if (!P.ImmediateDropDown() || !P.PopupWindowCapturesFocus()) return true;
    return Key == '\r';
}

bool TcxCustomDropDownEdit::IsClickKey(pf::WORD Key, pf::TShiftState Shift) {
    if (TcxCustomMaskEdit::IsClickKey(Key, Shift)) return true;
    if (!IsInplace() || !DroppedDown()) return false;
    if (Shift & (pf::ssAlt | pf::ssCtrl)) return true;
    // Keys that type no character belong to the popup.
    const bool Types = (Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z') ||
                       Key == pw::VK_SPACE || (Key >= 0xBA && Key <= 0xE2);
    return !Types;
}

// ---- activation, mouse and focus ----

void TcxCustomDropDownEdit::Activate() {
    TcxCustomMaskEdit::Activate();
    FPopupSizeChanged = FEditData.SizeChanged && ActiveProperties().PopupSizeable();
    if (ActiveProperties().ImmediatePopup()) SetDroppedDown(true);
}

void TcxCustomDropDownEdit::ActivateByKey(char Key) {
    TcxCustomMaskEdit::ActivateByKey(Key);
    const TcxCustomDropDownEditProperties& P = ActiveProperties();
    if (IsTextChar(Key) && P.ImmediateDropDown() && !P.ImmediatePopup() &&
        !CanSendActivationKey(Key))
        SetDroppedDown(true);
    if (!CanSendActivationKey(Key) && CanDropDown() && GetPopupFocusedControl() && FPopupWindow &&
        FPopupWindow->HandleAllocated())
        pc::PostMessage(FPopupWindow->Handle(), CM_POPUPPROCESSCHAR,
                        static_cast<unsigned char>(Key), 0);
}

void TcxCustomDropDownEdit::ActivateByMouse(pf::TShiftState Shift, int X, int Y) {
    FIsActivatingByMouse = true;
    try {
        TcxCustomMaskEdit::ActivateByMouse(Shift, X, Y);
    } catch (...) {
        FIsActivatingByMouse = false;
        throw;
    }
    FIsActivatingByMouse = false;
}

bool TcxCustomDropDownEdit::Deactivate() {
    CloseUp(CloseReasonNone);
    FEditData.SizeChanged = FPopupSizeChanged;
    RecomputePopupPressedHot();
    return TcxCustomMaskEdit::Deactivate();
}

void TcxCustomDropDownEdit::DoButtonDown(int AButtonVisibleIndex) {
    TcxCustomMaskEdit::DoButtonDown(AButtonVisibleIndex);
    const TcxCustomEditViewInfo& V = EditViewInfo();
    if (AButtonVisibleIndex >= 0 && AButtonVisibleIndex < V.ButtonCount() &&
        V.ButtonsInfo[static_cast<std::size_t>(AButtonVisibleIndex)].Index ==
            ActiveProperties().DropDownButtonIndex())
        SetDroppedDown(true);
}

void TcxCustomDropDownEdit::MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X,
                                      int Y) {
    TcxCustomMaskEdit::MouseDown(Button, Shift, X, Y);
    if (Button == pf::mbLeft) DropDownOnClickAt({X, Y});
}

void TcxCustomDropDownEdit::DropDownOnClickAt(TPoint P) {
    if (FIsActivatingByMouse) return;
    if (ActiveProperties().DropDownOnClick() && pg::PtInRect(ViewInfo().ClientRect, P) &&
        !DroppedDown() && !FIsPopupPressedHot && MayFocusOnClick())
        SetDroppedDown(true);
}

bool TcxCustomDropDownEdit::MayFocusOnClick() {
    // The container's own answer is false once its inner edit has the focus or the click; the
    // editor as a whole may still take a click.
    return toolkit::base::TcxControl::CanFocusOnClick();
}

bool TcxCustomDropDownEdit::DoMouseWheel(pf::TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TcxCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (!IsLookupNavigationAllowed() || !DroppedDown() || !ActiveProperties().UseLookupData() ||
        ILookupData().IsEmpty())
        return false;
    if (TcxCustomInnerListBox* List = ILookupData().GetListBox(); List && List->HandleAllocated())
        pc::SendMessage(List->Handle(), pw::WM_MOUSEWHEEL, pw::MAKEWPARAM(0, WheelDelta),
                        pw::MAKELPARAM(MousePos.X, MousePos.Y));
    return true;
}

bool TcxCustomDropDownEdit::RefreshContainer(TPoint P, int Button, pf::TShiftState Shift,
                                             bool IsMouseEvent) {
    const bool Result = TcxCustomMaskEdit::RefreshContainer(P, Button, Shift, IsMouseEvent);
    if (!(IsMouseEvent && Button == 0)) RecomputePopupPressedHot();
    if (FPopupControlsLookAndFeel) FPopupControlsLookAndFeel->Synchronize();
    return Result;
}

void TcxCustomDropDownEdit::ContainerStyleChanged(TcxContainerStyle* Sender) {
    TcxCustomMaskEdit::ContainerStyleChanged(Sender);
    // Called while the base is made and freed too, when the popup's look-and-feel is not there.
    if (FPopupControlsLookAndFeel) FPopupControlsLookAndFeel->Synchronize();
}

bool TcxCustomDropDownEdit::IsLookupNavigationAllowed() {
    if (FDestroying) return false;
    return !IsInplace() || DroppedDown();
}

void TcxCustomDropDownEdit::FocusChanged() {
    TcxCustomMaskEdit::FocusChanged();
    // Closing on a focus lost is the inner edit's (InnerEditWindowMessage) and DoExit's.
    if (!IsContainerFocused()) RecomputePopupPressedHot();
}

void TcxCustomDropDownEdit::InnerEditWindowMessage(pc::TMessage& Message) {
    TcxCustomMaskEdit::InnerEditWindowMessage(Message);
    if (Message.Msg == pf::CM_HINTSHOW) {
        if (DroppedDown()) Message.Result = 1;
        return;
    }
    if (Message.Msg == pw::WM_LBUTTONDOWN) {
        // The inner edit keeps the click: the editor sees it where the text lies.
        const TPoint P = pw::LParamToPoint(Message.LParam);
        const pf::TWinControl& Inner = InnerTextEdit();
        DropDownOnClickAt({P.X + Inner.Left(), P.Y + Inner.Top()});
        return;
    }
    if (Message.Msg != pw::WM_KILLFOCUS || !DroppedDown() || (ComponentState() & pc::csDestroying))
        return;
    const HWND Focus = static_cast<HWND>(Message.WParam);
    if (Focus == pw::NullHWnd || FPopupWindow->HasWindow(Focus) ||
        (HandleAllocated() && Focus == Handle()))
        return;
    CloseUp(CloseReasonNone);
    RecomputePopupPressedHot();
}

void TcxCustomDropDownEdit::DoExit() {
    const HWND Focus = pw::GetFocus();
    if (DroppedDown() && !(Focus != pw::NullHWnd && FPopupWindow->HasWindow(Focus)))
        CloseUp(CloseReasonNone);
    TcxCustomMaskEdit::DoExit();
}

void TcxCustomDropDownEdit::DestroyWnd() {
    // The popup goes before the window it drops from; a queued opening goes with its handle.
    if (FPopupWindow) {
        CloseUp(CloseReasonNone);
        DoFinalizePopup();
        if (FPopupWindow->HandleAllocated()) FPopupWindow->DestroyPopupHandle();
    }
    TcxCustomMaskEdit::DestroyWnd();
}

void TcxCustomDropDownEdit::PropertiesChanged(TcxCustomEditProperties* Sender) {
    if (!ActiveProperties().PopupSizeable()) FPopupSizeChanged = false;
    if (DroppedDown()) SetupPopupWindow();
    TcxCustomMaskEdit::PropertiesChanged(Sender);
}

void TcxCustomDropDownEdit::PasteFromClipboard() {
    if (!IsContainerFocused()) {
        TcxCustomMaskEdit::PasteFromClipboard();
        return;
    }
    const std::string Before = Text();
    TcxCustomMaskEdit::PasteFromClipboard();
    if (Text() != Before && ActiveProperties().ImmediateDropDown() && !DroppedDown()) {
        SetDroppedDown(true);
        if (ActiveProperties().UseLookupData() && HandleAllocated())
            pc::PostMessage(Handle(), CM_DROPDOWNLOOKUPSYNC, 0, 0);
    }
}

void TcxCustomDropDownEdit::WndProc(pc::TMessage& Message) {
    if (Message.Msg == CM_DROPDOWNLOOKUPSYNC) {
        // The list follows the pasted text; the text stays as pasted.
        if (ActiveProperties().UseLookupData()) ILookupData().TextChanged();
        return;
    }
    TcxCustomMaskEdit::WndProc(Message);
    // The open popup is what the user looks at: no hint over its editor.
    if (Message.Msg == pf::CM_HINTSHOW && DroppedDown()) Message.Result = 1;
}

platform::forms::TWinControl* TcxCustomDropDownEdit::GetPopupWindowControl() {
    return DroppedDown() ? FPopupWindow.get() : nullptr;
}

} // namespace toolkit::edit
