#include "toolkit/edit/cx_custom_edit.h"

#include "toolkit/edit/cx_edit_repository.h"
#include "toolkit/edit/cx_edit_view_data.h"
#include "toolkit/edit/cx_variants.h"

#include "toolkit/base/cx_focus_listener.h"

#include "platform/core/exception.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/message_beep.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <cctype>
#include <climits>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// ---- data binding ----

TcxEditDataBinding::TcxEditDataBinding(TcxCustomEdit& AEdit)
    : Edit(AEdit), FProvider(std::make_unique<TcxCustomEditDefaultValuesProvider>(nullptr)) {}

TcxEditDataBinding::~TcxEditDataBinding() = default;

bool TcxEditDataBinding::CanPostEditorValue() {
    return Edit.ModifiedAfterEnter();
}

bool TcxEditDataBinding::IsEditing() {
    return Edit.ModifiedAfterEnter();
}

void TcxEditDataBinding::MarkEditorModified() {
    if (Edit.Focused()) Edit.MarkModifiedAfterEnter(true);
}

void TcxEditDataBinding::Reset() {
    Edit.AbandonChanges();
}

bool TcxEditDataBinding::SetEditMode() {
    Edit.MarkModifiedAfterEnter(true);
    return true;
}

Variant TcxEditDataBinding::GetStoredValue() {
    return Edit.EditValue();
}

void TcxEditDataBinding::UpdateDisplayValue() {
    Edit.SynchronizeDisplayValue();
}

// ---- construction ----

const pc::TComponentClass& TcxCustomEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCustomEdit", &pc::TComponent::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCustomEdit>(AOwner); });
    return Class;
}

TcxCustomEdit::TcxCustomEdit(pc::TComponent* AOwner, bool AIsInplace,
                             const TcxCustomEditPropertiesClass* APropertiesClass)
    : TcxContainer(AOwner), FIsInplace(AIsInplace) {
    FProperties = (APropertiesClass ? *APropertiesClass : TcxCustomEditProperties::ClassRef())
                      .CreateProperties(this);
    RecreateStyles();
    RecreateViewInfo();
    TabStop = true;
    FDataBinding = std::make_unique<TcxEditDataBinding>(*this);
    FAutoSize = !FIsInplace;
    FProperties->OnPropertiesChanged = [this](TcxCustomEditProperties* Sender) {
        PropertiesChanged(Sender);
    };
    FClickTimer = std::make_unique<toolkit::base::TcxTimer>(nullptr);
    FClickTimer->SetEnabled(false);
    FClickTimer->SetInterval(pw::GetDoubleClickTime());
    FClickTimer->SetOnTimer([this](pc::TObject*) { FClickTimer->SetEnabled(false); });
    if (!FIsInplace) FProperties->SetIDefaultValuesProvider(&FDataBinding->DefaultValuesProvider());
}

TcxCustomEdit::~TcxCustomEdit() {
    if (auto* Listener = toolkit::base::cxGetGlobalFocusListener())
        Listener->ControlDestroying(this);
    FClickTimer.reset();
    if (FLockedInnerEdit != pc::HWND{}) UnlockInnerEditRepainting();
    if (FRepositoryItem) {
        FRepositoryItem->RemoveListener(&FItemListener);
        FRepositoryItem->RemoveFreeNotification(this);
    }
    FProperties->OnPropertiesChanged = nullptr;
    if (!FIsInplace) FProperties->SetIDefaultValuesProvider(nullptr);
}

TcxContainerViewInfoClass TcxCustomEdit::GetViewInfoClass() {
    TcxCustomEditViewInfoClass Class =
        FProperties ? FProperties->GetViewInfoClass() : TcxCustomEditViewInfoClass{};
    if (!Class) return [] { return std::make_unique<TcxCustomEditViewInfo>(); };
    return [Class] { return std::unique_ptr<TcxContainerViewInfo>(Class()); };
}

TcxCustomEditViewInfo& TcxCustomEdit::EditViewInfo() const {
    return static_cast<TcxCustomEditViewInfo&>(ViewInfo());
}

TcxCustomEditProperties& TcxCustomEdit::ActiveProperties() const {
    return FRepositoryItem ? FRepositoryItem->Properties() : *FProperties;
}

void TcxCustomEdit::SetRepositoryItem(TcxEditRepositoryItem* Value) {
    if (Value == FRepositoryItem) return;
    if (Value && !Value->Properties().ClassType().InheritsFrom(&FProperties->ClassType()))
        throw EcxEditError("The repository item is not acceptable");
    RepositoryItemAssigning();
    if (FRepositoryItem) {
        FRepositoryItem->RemoveListener(&FItemListener);
        FRepositoryItem->RemoveFreeNotification(this);
    }
    FRepositoryItem = Value;
    if (FRepositoryItem) {
        FRepositoryItem->AddListener(&FItemListener);
        FRepositoryItem->FreeNotification(this);
    }
    PropertiesChanged(&ActiveProperties());
    RepositoryItemAssigned();
}

void TcxCustomEdit::TItemListener::ItemRemoved(TcxEditRepositoryItem* Sender) {
    if (Sender != Edit.FRepositoryItem) return;
    Sender->RemoveListener(this);
    Sender->RemoveFreeNotification(&Edit);
    Edit.FRepositoryItem = nullptr;
    Edit.PropertiesChanged(Edit.FProperties.get());
}

void TcxCustomEdit::TItemListener::PropertiesChanged(TcxEditRepositoryItem* Sender) {
    if (Sender == Edit.FRepositoryItem) Edit.PropertiesChanged(&Sender->Properties());
}

void TcxCustomEdit::Loaded() {
    TcxContainer::Loaded();
    LockChangeEvents(true);
    LockClick(true);
    try {
        FDataBinding->EditorLoaded();
        ShortRefreshContainer(false);
        if (!FRepositoryItem)
            FProperties->OnPropertiesChanged = [this](TcxCustomEditProperties* Sender) {
                PropertiesChanged(Sender);
            };
        PropertiesChanged(&ActiveProperties());
        ContainerStyleChanged(&ActiveStyle());
    } catch (...) {
        LockClick(false);
        LockChangeEvents(false, false);
        throw;
    }
    LockClick(false);
    // What loading set off is not news to the program.
    LockChangeEvents(false, false);
}

void TcxCustomEdit::Notification(pc::TComponent* AComponent, pc::TOperation Operation) {
    TcxContainer::Notification(AComponent, Operation);
    if (Operation == pc::opRemove && AComponent == FRepositoryItem) {
        FRepositoryItem = nullptr;
        PropertiesChanged(FProperties.get());
    }
}

TcxCustomEditStyle& TcxCustomEdit::ActiveEditStyle(TcxContainerState State) {
    TcxContainerStyle* Result = &Style();
    if (State & cstDisabled)
        Result = &StyleDisabled();
    else if (State & cstFocused)
        Result = &StyleFocused();
    else if (Style().HotTrack() && (State & cstHot))
        Result = &StyleHot();
    return static_cast<TcxCustomEditStyle&>(*Result);
}

std::unique_ptr<TcxCustomEditViewData> TcxCustomEdit::CreateViewData() {
    auto Result =
        ActiveProperties().CreateViewData(ActiveEditStyle(ViewInfo().ContainerState), FIsInplace);
    Result->Edit = this;
    return Result;
}

void TcxCustomEdit::CheckSizeConstraints(pg::TSize& /*Size*/) {
    // The class library's controls carry no size constraints: nothing limits the size.
}

// ---- layout ----

void TcxCustomEdit::CalculateEditViewInfo(pg::TPoint P, TcxMouseButton Button,
                                          pf::TShiftState Shift, bool IsMouseEvent) {
    auto Data = CreateViewData();
    Data->Enabled = Enabled();
    Data->Focused = !IsDesigning() && IsContainerFocused();
    toolkit::base::TcxCanvas& C = Canvas();
    Data->Calculate(C, GetControlRect(*this), P, Button, Shift, EditViewInfo(), IsMouseEvent);
}

void TcxCustomEdit::CalculateViewInfo(pg::TPoint P, bool /*Hot*/) {
    CalculateEditViewInfo(P, cxmbNone, 0, false);
}

bool TcxCustomEdit::RefreshContainer(pg::TPoint P, int Button, pf::TShiftState Shift,
                                     bool IsMouseEvent) {
    if (IsDestroyingOrLocked()) return true;
    TcxCustomEditViewInfo Old;
    Old.Assign(EditViewInfo());
    Old.UseEditColorForButtons = EditViewInfo().UseEditColorForButtons;
    const bool HadOld = HandleAllocated() && !pg::IsRectEmpty(EditViewInfo().Bounds);
    CalculateEditViewInfo(P, static_cast<TcxMouseButton>(Button), Shift, IsMouseEvent);
    AdjustInnerControlBounds();
    AdjustInnerControl();
    SetShadowRegion();
    EditViewInfo().Repaint(*this, HadOld ? &Old : nullptr);
    if (HadOld && Old.ButtonCount() != EditViewInfo().ButtonCount()) Invalidate();
    if (EditViewInfo().ContainerState & cstHot)
        toolkit::base::BeginMouseTracking(this, GetMouseTrackingBounds(), this);
    return true;
}

TRect TcxCustomEdit::GetVisibleBounds() {
    // The container pulls ClientRect out by the border; an editor's ClientRect also leaves out
    // the button columns, and a window region cut to it would hide the buttons from the mouse.
    const TcxCustomEditViewInfo& V = EditViewInfo();
    TRect Covered = V.ClientRect;
    for (const TcxEditButtonViewInfo& B : V.ButtonsInfo)
        if (!pg::IsRectEmpty(B.Bounds)) pg::UnionRect(Covered, Covered, B.Bounds);
    TRect R = TcxContainer::GetVisibleBounds();
    R.Left -= V.ClientRect.Left - Covered.Left;
    R.Top -= V.ClientRect.Top - Covered.Top;
    R.Right += Covered.Right - V.ClientRect.Right;
    R.Bottom += Covered.Bottom - V.ClientRect.Bottom;
    return R;
}

// ---- messages ----

int TcxCustomEdit::VisibleButtonOfAccelerator(char Key) const {
    const char Lower = static_cast<char>(std::tolower(static_cast<unsigned char>(Key)));
    const TcxCustomEditViewInfo& V = EditViewInfo();
    for (int I = 0; I < V.ButtonCount(); ++I) {
        const TcxEditButton& B =
            ActiveProperties().Buttons().Items(V.ButtonsInfo[static_cast<std::size_t>(I)].Index);
        if (B.Visible() && Lower != 0 && pf::CaptionAccelerator(B.Caption()) == Lower) return I;
    }
    return -1;
}

void TcxCustomEdit::WndProc(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pf::CM_DIALOGCHAR:
        if (const int I = VisibleButtonOfAccelerator(static_cast<char>(Message.WParam)); I >= 0) {
            DoButtonClick(I);
            Message.Result = 1;
            return;
        }
        break;
    case pf::CM_HINTSHOW:
        HintShow(*reinterpret_cast<pf::THintInfo*>(Message.LParam), Message);
        return;
    case pw::WM_CONTEXTMENU:
        // The host of an in-place editor offers its own menu.
        if (FIsInplace) return;
        break;
    case pw::WM_NCCALCSIZE:
        // Sizing itself, the editor keeps its whole window as client area.
        if (FIsAdjustingSize) {
            Message.Result = 0;
            return;
        }
        break;
    case pw::WM_LBUTTONUP:
        // A press the editor saw, released on it, is the platform's click already.
        FReleaseIsClick =
            PressedInside() && pg::PtInRect(ClientRect(), pw::LParamToPoint(Message.LParam));
        break;
    case pw::WM_COPY:
        CopyToClipboard();
        return;
    case pw::WM_CUT:
        AsUserAction([this] {
            if (!ActiveProperties().ReadOnly() && FDataBinding->IsDataStorage())
                CutToClipboard();
            else
                CopyToClipboard();
        });
        return;
    case pw::WM_PASTE:
        if (!ActiveProperties().ReadOnly() && FDataBinding->IsDataStorage())
            AsUserAction([this] { PasteFromClipboard(); });
        return;
    case pw::WM_KILLFOCUS:
        // Handed to the inner control, the focus stays in the editor.
        if (InnerControl() && InnerControl()->HandleAllocated() &&
            static_cast<pc::HWND>(Message.WParam) == InnerControl()->Handle())
            break;
        WhileLosingFocusTo(static_cast<pc::HWND>(Message.WParam),
                           [&] { TcxContainer::WndProc(Message); });
        return;
    default:
        break;
    }
    TcxContainer::WndProc(Message);
}

void TcxCustomEdit::InnerControlFocusChanged(pc::UINT Msg, pc::HWND Other) {
    if (IsDestroyingOrLocked()) return;
    if (Msg == pw::WM_SETFOCUS) {
        if (HandleAllocated() && Other == Handle()) return;
        FocusChanged();
    } else {
        WhileLosingFocusTo(Other, [this] { FocusChanged(); });
    }
}

int TcxCustomEdit::ButtonAt(pg::TPoint P) const {
    const TcxCustomEditViewInfo& V = EditViewInfo();
    for (int I = 0; I < V.ButtonCount(); ++I)
        if (pg::PtInRect(V.ButtonsInfo[static_cast<std::size_t>(I)].Bounds, P)) return I;
    return -1;
}

void TcxCustomEdit::HintShow(pf::THintInfo& Info, pc::TMessage& Message) {
    Message.Result = 0;
    if (const int I = ButtonAt(Info.CursorPos); I >= 0) {
        const TcxEditButtonViewInfo& B = EditViewInfo().ButtonsInfo[static_cast<std::size_t>(I)];
        Info.HintStr = ActiveProperties().Buttons().Items(B.Index).Hint();
        if (Info.HintStr.empty() && HintShowing()) Info.HintStr = Hint;
        Info.CursorRect = B.Bounds;
        return;
    }
    // Off the frame and its buttons (the shadow, say) there is no hint; over the rest of the
    // editor, the editor's own, for the area up to the buttons.
    if (EditViewInfo().GetHotButtonIndex(Info.CursorPos) == -2) {
        Info.CursorRect = {Info.CursorPos.X, Info.CursorPos.Y, Info.CursorPos.X + 1,
                           Info.CursorPos.Y + 1};
        Message.Result = 1;
        return;
    }
    Info.CursorRect = EditViewInfo().GetPartRect(-1);
}

// ---- size ----

void TcxCustomEdit::SetAutoSize(bool Value) {
    if (Value == FAutoSize) return;
    FAutoSize = Value;
    if (!Value) return;
    AdjustSize();
    ShortRefreshContainer(false);
}

bool TcxCustomEdit::CanAutoWidth() {
    return ActiveProperties().ButtonsViewStyle() == bvsButtonsAutoWidth;
}

TcxEditSizeProperties TcxCustomEdit::GetEditSizeProperties() {
    TcxEditSizeProperties Result;
    Result.MaxLineCount = 1;
    Result.Width = CanAutoWidth() ? INT_MAX : Width();
    return Result;
}

void TcxCustomEdit::AdjustEditSize(int& ALeft, int& AWidth, int& AHeight) {
    auto Data = CreateViewData();
    TcxEditSizeProperties SizeProperties = GetEditSizeProperties();
    // The size asked for is the one at the width being given, not the one being left.
    if (!CanAutoWidth()) SizeProperties.Width = AWidth;
    // The control's canvas has a device context only while it paints; the screen's measures
    // the same font.
    const TSize Size =
        Data->GetEditSize(toolkit::base::cxScreenCanvas(), GetEditValue(), SizeProperties);
    AHeight = Size.cy;
    if (CanAutoWidth()) {
        if (AutoSizeKeepsRightEdge()) ALeft += AWidth - Size.cx;
        AWidth = Size.cx;
    }
}

void TcxCustomEdit::AdjustSize() {
    if (!CanAutoSize() || (ComponentState() & pc::csLoading) || IsDestroyingOrLocked()) return;
    int L = Left(), W = Width(), H = Height();
    AdjustEditSize(L, W, H);
    const bool Saved = FIsAdjustingSize;
    FIsAdjustingSize = true;
    try {
        SetBounds(L, Top(), W, H);
    } catch (...) {
        FIsAdjustingSize = Saved;
        throw;
    }
    FIsAdjustingSize = Saved;
}

void TcxCustomEdit::SetParent(pf::TWinControl* Value) {
    TcxContainer::SetParent(Value);
    if (!FFirstParentPending || !Value) return;
    // Made in code, the editor is "loaded" when it first stands somewhere.
    FFirstParentPending = false;
    FDataBinding->EditorLoaded();
    PropertiesChanged(FProperties.get());
    FDataBinding->UpdateDisplayValue();
}

void TcxCustomEdit::CreateHandle() {
    TcxContainer::CreateHandle();
    // A window made again while the editor has the focus hands it on to the inner edit.
    if (HandleAllocated() && InnerControl() && InnerControl()->HandleAllocated() &&
        pw::GetFocus() == Handle())
        InnerControl()->SetFocus();
}

// ---- inner edit repainting ----

void TcxCustomEdit::LockInnerEditRepainting() {
    if (FLockedInnerEdit != pc::HWND{} || !InnerControl() || !InnerControl()->HandleAllocated())
        return;
    FLockedInnerEdit = InnerControl()->Handle();
    FSavedInnerEditWndProc = pw::SetWindowLongPtr(
        FLockedInnerEdit, pw::GWLP_WNDPROC,
        [this](pc::HWND Wnd, pc::UINT Msg, pc::WPARAM WParam, pc::LPARAM LParam) {
            return LockedInnerEditWindowProc(Wnd, Msg, WParam, LParam);
        });
}

void TcxCustomEdit::UnlockInnerEditRepainting() {
    if (FLockedInnerEdit == pc::HWND{}) return;
    const pc::HWND Wnd = FLockedInnerEdit;
    FLockedInnerEdit = pc::HWND{};
    pw::SetWindowLongPtr(Wnd, pw::GWLP_WNDPROC, std::move(FSavedInnerEditWndProc));
    FSavedInnerEditWndProc = nullptr;
    pw::InvalidateRect(Wnd, nullptr, true);
}

pc::LRESULT TcxCustomEdit::LockedInnerEditWindowProc(pc::HWND Wnd, pc::UINT Msg, pc::WPARAM WParam,
                                                     pc::LPARAM LParam) {
    switch (Msg) {
    case pw::WM_PAINT: {
        // The paint is owed, not lost: unlocking invalidates the whole window again.
        pw::PAINTSTRUCT Paint{};
        pw::BeginPaint(Wnd, &Paint);
        pw::EndPaint(Wnd, &Paint);
        return 0;
    }
    case pw::WM_ERASEBKGND:
        return 1;
    default:
        return pw::CallWindowProc(FSavedInnerEditWndProc, Wnd, Msg, WParam, LParam);
    }
}

bool TcxCustomEdit::InternalFocused() {
    // A conversion that does not depend on the focus is the focused one; the editor is focused
    // when its inner control is (the container's own window seldom holds the focus).
    if (!ActiveProperties().IsEditValueConversionDependOnFocused()) return true;
    return IsContainerFocused();
}

// ---- edit data ----

TcxCustomEditData::TcxCustomEditData(TcxCustomEdit* AEdit)
    : FEditLink(toolkit::base::cxAddObjectLink(AEdit)) {}

TcxCustomEditData::~TcxCustomEditData() {
    toolkit::base::cxRemoveObjectLink(FEditLink);
}

TcxCustomEdit* TcxCustomEditData::Edit() const {
    return FEditLink ? static_cast<TcxCustomEdit*>(FEditLink->Ref) : nullptr;
}

void TcxCustomEditData::Clear() {
    Cleared = true;
    if (TcxCustomEdit* E = Edit(); E && E->EditData() == this) {
        E->InitializeEditData();
        Cleared = false;
    }
}

// ---- modified flags ----

void TcxCustomEdit::SetModified(bool Value) {
    FModified = Value;
    if (!Value) FModifiedAfterEnter = false;
}

void TcxCustomEdit::MarkModifiedAfterEnter(bool Value) {
    FModifiedAfterEnter = Value;
    if (Value) {
        FIsEditValidated = false;
        FModified = true;
    }
}

void TcxCustomEdit::RestoreModified() {
    if (FModifiedStack.empty()) return;
    std::tie(FModified, FModifiedAfterEnter) = FModifiedStack.back();
    FModifiedStack.pop_back();
}

void TcxCustomEdit::EditModified() {
    MarkModifiedAfterEnter(true);
    if (FClickLockCount <= 0) Click();
}

// ---- value ----

bool TcxCustomEdit::IsReadOnly() {
    return ActiveProperties().ReadOnly() || !FDataBinding->IsDataStorage();
}

bool TcxCustomEdit::CanModify() {
    return ActiveProperties().CanModify();
}

void TcxCustomEdit::InternalSetEditValue(const Variant& Value, bool /*AValidateEditValue*/) {
    if (FUserAction && !DoEditing()) return;
    bool Changed = false;
    if (ActiveProperties().CanCompareEditValue()) {
        const bool Comparable = (Value.IsNumeric() && FEditValue.IsNumeric()) ||
                                Value.VarType() == FEditValue.VarType();
        Changed = !(Comparable && VarEqualsExact(Value, FEditValue));
    }
    FEditValue = Value;
    SynchronizeDisplayValue();
    if (FUserAction)
        MarkModifiedAfterEnter(true);
    else
        SetModified(false);
    if (Changed) {
        DoEditValueChanged();
        if (!ActiveProperties().NoChangeOnSetEditValue()) DoChange();
    }
}

void TcxCustomEdit::SetEditValueChecked(const Variant& Value) {
    if (FEditValueChangingLockCount == 0 && (!FUserAction || DoEditing()))
        InternalSetEditValue(Value, true);
}

void TcxCustomEdit::SetEditValueLocked(const Variant& Value) {
    ++FClickLockCount;
    try {
        SetEditValueChecked(Value);
    } catch (...) {
        --FClickLockCount;
        throw;
    }
    --FClickLockCount;
}

void TcxCustomEdit::SetInternalDisplayValue(const Variant& Value) {
    SaveModified();
    InternalSetDisplayValue(Value);
    RestoreModified();
}

bool TcxCustomEdit::DoEditing() {
    bool Result = CanStartEditing();
    if (!Result) return false;
    if (FDataBinding->CanPostEditorValue()) return true;
    Result = CanModify();
    if (!Result) return false;
    FIsEditingStarting = true;
    ++FEditValueChangingLockCount;
    try {
        if (!FIsInplace) {
            if (FDataBinding->IsEditing()) {
                if (OnEditing) OnEditing(this, Result);
                if (Result) FDataBinding->MarkEditorModified();
            } else {
                if (OnEditing) OnEditing(this, Result);
                if (Result) Result = FDataBinding->SetEditMode();
            }
        } else if (OnEditing) {
            OnEditing(this, Result);
        }
    } catch (...) {
        --FEditValueChangingLockCount;
        FIsEditingStarting = false;
        throw;
    }
    --FEditValueChangingLockCount;
    FIsEditingStarting = false;
    return Result;
}

// ---- validation ----

bool TcxCustomEdit::HasValidateHandlers() {
    return FProperties->OnValidate || (FRepositoryItem && ActiveProperties().OnValidate);
}

void TcxCustomEdit::DoOnValidate(Variant& DisplayValue, std::string& ErrorText, bool& Error) {
    if (FProperties->OnValidate) FProperties->OnValidate(this, DisplayValue, ErrorText, Error);
    if (FRepositoryItem && ActiveProperties().OnValidate)
        ActiveProperties().OnValidate(this, DisplayValue, ErrorText, Error);
}

bool TcxCustomEdit::ValidateEdit(bool ARaiseExceptionOnError) {
    if (!FModifiedAfterEnter || FIsEditValidated || FValidationLockCount > 0) return true;
    FIsEditValidating = true;
    Variant DisplayValue = Variant::String(GetDisplayText());
    std::string ErrorText;
    bool Error = false;
    bool Result = false;
    // A refused value stays shown as it was given back, selected for the user to mend.
    auto ShowRefused = [&] {
        if (DisplayValue.AsString() != GetDisplayText()) {
            ApplyDisplayValue(DisplayValue);
            if (Visible()) SelectAll();
            if (!HasPopupWindowEx()) UpdateDrawValue();
        }
    };
    try {
        ActiveProperties().ValidateDisplayValue(DisplayValue, ErrorText, Error, this);
        Result = !Error;
        if (Error) {
            if (ARaiseExceptionOnError) {
                try {
                    HandleValidationError(ErrorText, true);
                } catch (...) {
                    ShowRefused();
                    throw;
                }
            }
            ShowRefused();
            // An editor that cannot take the focus keeps the value it was given.
            if (FIsEditValidated) Result = true;
        } else if (FUserAction && !DoEditing()) {
            pc::Abort();
        } else {
            SetInternalDisplayValue(DisplayValue);
            if (!FIsInplace && !Focused()) FModifiedAfterEnter = false;
            FIsEditValidated = true;
        }
    } catch (...) {
        FIsEditValidating = false;
        throw;
    }
    FIsEditValidating = false;
    return Result;
}

bool TcxCustomEdit::HandleValidationError(const std::string& AErrorText, bool ACanAbortExecution) {
    if (!CanFocusEx()) {
        // Nothing could take the user back to the value: it is accepted as it stands.
        FIsEditValidated = true;
        return true;
    }
    if (Visible()) {
        if (!Focused()) {
            FIsFocusingByValidation = true;
            try {
                SetFocus();
            } catch (...) {
                FIsFocusingByValidation = false;
                throw;
            }
            FIsFocusingByValidation = false;
        }
        SelectAll();
    }
    if (ActiveProperties().BeepOnError()) pw::MessageBeep(0);
    if (!AErrorText.empty()) throw EcxEditValidationError(AErrorText);
    if (ACanAbortExecution) pc::Abort();
    return false;
}

// ---- posting ----

void TcxCustomEdit::InternalPostEditValue(bool AValidateEdit) {
    if (AValidateEdit) {
        const bool Saved = FUserAction;
        FUserAction = false;
        bool Valid = false;
        try {
            Valid = ValidateEdit(true);
        } catch (...) {
            FUserAction = Saved;
            throw;
        }
        FUserAction = Saved;
        if (!Valid) pc::Abort();
    }
    try {
        BeforePosting();
        if (FIsInplace) {
            if (OnPostEditValue) OnPostEditValue(this);
            SetModified(false);
        } else if (FDataBinding->CanPostEditorValue()) {
            FDataBinding->SetStoredValue(GetEditValue());
        }
        AfterPosting();
    } catch (...) {
        AfterPosting();
        if (FIsInplace) return;
        HandleValidationError({}, false);
        throw;
    }
}

bool TcxCustomEdit::Deactivate() {
    FClickTimer->SetEnabled(false);
    FUserAction = false;
    const bool Result = ValidateEdit(true);
    if (Result) {
        SynchronizeDisplayValue();
        FIsEditValidated = true;
    }
    return Result;
}

// ---- change events ----

void TcxCustomEdit::DoChange() {
    if (IsDestroyingOrLocked() || (ComponentState() & pc::csLoading)) return;
    if (FProperties->OnChange || ActiveProperties().OnChange) {
        if (FCatcher.IsLocked()) {
            FCatcher.OnChangeEvent = true;
        } else if (FIsInplace) {
            SaveModified();
            FModified = true;
            FModifiedAfterEnter = true;
            DoOnChange();
            RestoreModified();
        } else {
            DoOnChange();
        }
    }
    if (!ActiveProperties().NoChangeOnSetEditValue() && !ActiveProperties().CanCompareEditValue())
        DoEditValueChanged();
}

void TcxCustomEdit::DoEditValueChanged() {
    if (IsDestroyingOrLocked() || (ComponentState() & pc::csLoading)) return;
    if (!FProperties->OnEditValueChanged && !ActiveProperties().OnEditValueChanged) return;
    if (FCatcher.IsLocked()) {
        FCatcher.OnEditValueChangedEvent = true;
    } else if (FIsInplace) {
        SaveModified();
        FModified = true;
        FModifiedAfterEnter = true;
        DoOnEditValueChanged();
        RestoreModified();
    } else {
        DoOnEditValueChanged();
    }
}

void TcxCustomEdit::DoOnChange() {
    if (FProperties->OnChange) FProperties->OnChange(this);
    if (FRepositoryItem && ActiveProperties().OnChange) ActiveProperties().OnChange(this);
}

void TcxCustomEdit::DoOnEditValueChanged() {
    if (FProperties->OnEditValueChanged) FProperties->OnEditValueChanged(this);
    if (FRepositoryItem && ActiveProperties().OnEditValueChanged)
        ActiveProperties().OnEditValueChanged(this);
}

void TcxCustomEdit::LockChangeEvents(bool ALock, bool AInvokeChangedOnUnlock) {
    if (ALock) {
        if (FCatcher.LockCount == 0)
            FCatcher.OnChangeEvent = FCatcher.OnEditValueChangedEvent = false;
        ++FCatcher.LockCount;
        return;
    }
    if (FCatcher.LockCount < 1) return;
    if (--FCatcher.LockCount > 0 || !AInvokeChangedOnUnlock) return;
    if (IsDestroyingOrLocked() || (ComponentState() & pc::csLoading)) return;
    if (FCatcher.OnChangeEvent && (FProperties->OnChange || ActiveProperties().OnChange))
        DoOnChange();
    if (FCatcher.OnEditValueChangedEvent &&
        (FProperties->OnEditValueChanged || ActiveProperties().OnEditValueChanged))
        DoOnEditValueChanged();
    FCatcher.OnChangeEvent = FCatcher.OnEditValueChangedEvent = false;
}

void TcxCustomEdit::ChangeHandler(pc::TObject* /*Sender*/) {
    if (Focused())
        MarkModifiedAfterEnter(true);
    else if (!ActiveProperties().IsChanging())
        FDataBinding->MarkEditorModified();
    DoChange();
}

void TcxCustomEdit::PropertiesChanged(TcxCustomEditProperties* /*Sender*/) {
    FIsEditValidated = false;
    if (FModifiedAfterEnter && IsReadOnly()) FModifiedAfterEnter = false;
    if (ActiveProperties().Transparent()) Transparent = true;
    ShortRefreshContainer(false);
}

void TcxCustomEdit::ContainerStyleChanged(TcxContainerStyle* Sender) {
    TcxContainer::ContainerStyleChanged(Sender);
    // The style's font sets the text row an auto-sized editor is as high as.
    AdjustSize();
}

// ---- enter and exit ----

void TcxCustomEdit::DoEnter() {
    if (IsDestroyingOrLocked()) return;
    if (!FIsFocusingByValidation) SynchronizeOnEnter();
    ShortRefreshContainer(false);
    if (auto* Listener = toolkit::base::cxGetGlobalFocusListener())
        Listener->FocusChanged(this, true);
}

void TcxCustomEdit::FocusChanged() {
    TcxContainer::FocusChanged();
    if (!IsDestroyingOrLocked()) DoFocusChanged();
}

void TcxCustomEdit::DoFocusChanged() {
    UpdateDrawValue();
    // A refused value that takes the focus back is checked by the validation that moves it.
    if (FIsFocusingByValidation || FIsEditValidating) return;
    const pc::HWND Target = FLosingFocus ? FFocusTarget : pw::GetFocus();
    pf::TCustomForm* Form = ParentForm();
    if (Target == pc::HWND{} || !Form || !Form->Active() || !HandleAllocated()) return;
    if (pw::GetAncestor(Target, pw::GA_ROOT) != pw::GetAncestor(Handle(), pw::GA_ROOT)) return;
    ValidateEdit(false);
}

void TcxCustomEdit::SynchronizeOnEnter() {
    SaveModified();
    TcxContainer::DoEnter();
    if (SynchronizesWithBinding()) FDataBinding->UpdateDisplayValue();
    if (ActiveProperties().IsEditValueRestorable()) FEditValueOnEnter = GetEditValue();
    if (SynchronizesWithBinding()) SynchronizeDisplayValue();
    RestoreModified();
    FModifiedAfterEnter = false;
}

void TcxCustomEdit::DoExit() {
    const bool Saved = FUserAction;
    FUserAction = false;
    try {
        if (auto* Listener = toolkit::base::cxGetGlobalFocusListener())
            Listener->FocusChanged(this, false);
        ValidateAndPostOnExit(true);
    } catch (...) {
        FUserAction = Saved;
        throw;
    }
    FUserAction = Saved;
}

void TcxCustomEdit::ValidateAndPostOnExit(bool ACallExitEvent) {
    if (IsDestroyingOrLocked() || FIsFocusingByValidation) return;
    SaveModified();
    LockChangeEvents(true);
    bool Valid = false;
    try {
        Valid = ValidateEdit(true);
        if (Valid && !FIsInplace && FDataBinding->CanModify()) InternalPostEditValue(false);
    } catch (...) {
        LockChangeEvents(false);
        RestoreModified();
        throw;
    }
    LockChangeEvents(false);
    if (Valid) {
        if (SynchronizesWithBinding()) FDataBinding->UpdateDisplayValue();
        UpdateDrawValue();
        ShortRefreshContainer(false);
        RestoreModified();
        if (ACallExitEvent) TcxContainer::DoExit();
        FModifiedAfterEnter = false;
        SaveModified();
    }
    RestoreModified();
}

void TcxCustomEdit::AbandonChanges() {
    if (!FModifiedAfterEnter || !ActiveProperties().IsEditValueRestorable()) return;
    WithChangeEventsLocked([&] {
        FModifiedAfterEnter = false;
        const Variant Value = FDataBinding->DefaultValuesProvider().IsDataAvailable()
                                  ? FDataBinding->GetStoredValue()
                                  : FEditValueOnEnter;
        SetEditValueChecked(Value);
        SetModified(true);
        SelectAll();
        if (ActiveProperties().ImmediatePost() && FDataBinding->CanModify())
            InternalPostEditValue(false);
    });
}

} // namespace toolkit::edit
