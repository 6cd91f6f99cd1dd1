#include "toolkit/edit/cx_text_edit.h"

#include "toolkit/edit/cx_text_edit_view.h"
#include "toolkit/edit/regional_separators.h"

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_timer.h"

#include "platform/core/message_loop.h"
#include "platform/core/text.h"
#include "platform/forms/clipbrd.h"
#include "platform/win/edit_class.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// ---- TcxCustomInnerTextEdit ----

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(pc::TComponent* AOwner,
                                               TcxCustomTextEdit& AContainer)
    : pf::TEdit(AOwner), FContainer(AContainer) {
    BorderStyle = pf::bsNoBorder;
    AutoSelect = false;
    FClickTimer = std::make_unique<toolkit::base::TcxTimer>(nullptr);
    FClickTimer->SetEnabled(false);
    FClickTimer->SetInterval(pw::GetDoubleClickTime());
    FClickTimer->SetOnTimer([this](pc::TObject*) { FClickTimer->SetEnabled(false); });
}

TcxCustomInnerTextEdit::~TcxCustomInnerTextEdit() = default;

namespace {

pw::DWORD AlignmentStyle(pf::TAlignment Value) {
    switch (Value) {
    case pf::taRightJustify:
        return pw::ES_RIGHT;
    case pf::taCenter:
        return pw::ES_CENTER;
    default:
        return pw::ES_LEFT;
    }
}

} // namespace

bool TcxCustomInnerTextEdit::UsesLeftAlignmentOnEditing() {
    TcxCustomTextEditProperties& P = FContainer.ActiveProperties();
    return P.UseLeftAlignmentOnEditing() && P.Alignment().Horz() != pf::taLeftJustify;
}

void TcxCustomInnerTextEdit::SetAlignment(pf::TAlignment Value) {
    FAlignment = Value;
    ApplyFocusAlignment(FContainer.IsContainerFocused());
}

void TcxCustomInnerTextEdit::ApplyFocusAlignment(bool AFocused) {
    const pf::TAlignment Shown =
        AFocused && UsesLeftAlignmentOnEditing() ? pf::taLeftJustify : FAlignment;
    if (Shown == FShownAlignment) return;
    FShownAlignment = Shown;
    UpdateAlignmentStyle();
}

// The platform's edit reads its style at every paint and hit test, so the style changes in
// place: recreating the window under a click or a focus change would lose them.
void TcxCustomInnerTextEdit::UpdateAlignmentStyle() {
    if (!HandleAllocated()) return;
    auto Style = static_cast<pw::DWORD>(pw::GetWindowLong(Handle(), pw::GWL_STYLE));
    Style = (Style & ~(pw::ES_RIGHT | pw::ES_CENTER)) | AlignmentStyle(FShownAlignment);
    pw::SetWindowLong(Handle(), pw::GWL_STYLE, static_cast<std::intptr_t>(Style));
    Invalidate();
}

bool TcxCustomInnerTextEdit::ClickTimerRunning() const {
    return FClickTimer->Enabled();
}

int TcxCustomInnerTextEdit::EditSelStart() const {
    return FImeState > 0 ? FImeSelStart : SelStart();
}

int TcxCustomInnerTextEdit::EditSelLength() const {
    return FImeState > 0 ? FImeSelLength : SelLength();
}

void TcxCustomInnerTextEdit::StartClickTimer() {
    FClickTimer->SetEnabled(false);
    FClickTimer->SetEnabled(true);
}

void TcxCustomInnerTextEdit::CreateParams(TCreateParams& Params) {
    pf::TEdit::CreateParams(Params);
    Params.style |= AlignmentStyle(FShownAlignment);
    Params.style &= ~(pw::WS_BORDER | pw::WS_DLGFRAME | pw::WS_THICKFRAME);
    Params.style |= pw::ES_AUTOHSCROLL;
    Params.exStyle &= ~pw::WS_EX_CLIENTEDGE;
}

void TcxCustomInnerTextEdit::SetEchoMode(int Value) {
    FEchoMode = Value;
    UpdatePasswordChar();
}

void TcxCustomInnerTextEdit::SetEditPasswordChar(char Value) {
    FPasswordChar = Value;
    if (FEchoMode == 1) UpdatePasswordChar();
}

void TcxCustomInnerTextEdit::UpdatePasswordChar() {
    SetPasswordChar(FEchoMode == 0 ? '\0' : FPasswordChar ? FPasswordChar : '*');
}

pc::LRESULT TcxCustomInnerTextEdit::CallDefWndProc(pc::UINT Msg, pc::WPARAM WParam,
                                                   pc::LPARAM LParam) {
    pc::TMessage Message{Msg, WParam, LParam, 0};
    pf::TEdit::Dispatch(Message);
    return Message.Result;
}

void TcxCustomInnerTextEdit::Dispatch(pc::TMessage& Message) {
    if (FContainer.ProcessInnerControlMessage(Message)) return;
    switch (Message.Msg) {
    case pw::WM_ERASEBKGND:
        // The outer editor paints the background; erasing would only flicker.
        Message.Result = 1;
        break;
    case pw::WM_NCPAINT:
        // The outer editor draws the frame.
        Message.Result = 0;
        break;
    case pw::WM_IME_CHAR:
        FImeState = static_cast<unsigned>(Message.WParam) > 0xFF ? 2 : 1;
        FImeLeadByte = static_cast<char>((static_cast<unsigned>(Message.WParam) >> 8) & 0xFF);
        FImeSelStart = SelStart();
        FImeSelLength = SelLength();
        pf::TEdit::Dispatch(Message);
        // Bytes the window did not type (a refused character) leave nothing pending.
        FImeState = 0;
        break;
    case pw::WM_IME_COMPOSITION:
        if (FContainer.LookupDoEditing()) pf::TEdit::Dispatch(Message);
        break;
    case pw::WM_CUT:
    case pw::WM_PASTE:
    case pw::WM_CLEAR:
        // The outer editor decides: the window never changes its text by itself here.
        FContainer.InnerClipboardMessage(Message.Msg);
        Message.Result = 0;
        return;
    case pw::WM_UNDO:
        pf::TEdit::Dispatch(Message);
        FContainer.UndoHook();
        return;
    case pw::EM_SETSEL:
        pf::TEdit::Dispatch(Message);
        if (OnSelChange) OnSelChange();
        break;
    case pw::WM_KEYDOWN: {
        if (FContainer.PassKeyToPopup(Message)) return;
        const TcxInnerTextEditPrevState Prev = SaveState();
        FKeyHandled = false;
        pf::TEdit::Dispatch(Message);
        // A key that went through without moving the caret or changing the text (Left at the
        // start, Home at the start) is the outer editor's after-key-down.
        if (!FKeyHandled && SameState(Prev)) {
            pf::WORD Key = static_cast<pf::WORD>(Message.WParam);
            FContainer.InnerAfterKeyDown(Key, pf::KeyboardShiftState());
        }
        break;
    }
    case pw::WM_CHAR: {
        const TcxInnerTextEditPrevState Prev = SaveState();
        FKeyHandled = false;
        pf::TEdit::Dispatch(Message);
        if (FImeState > 0 && --FImeState == 0 && FContainer.LookupCompletionActive()) {
            // The completion the input method's character made stays selected.
            SetSelStart(FImeSelStart);
            SetSelLength(FImeSelLength);
        }
        FContainer.InnerCharProcessed(!FKeyHandled && !SameState(Prev));
        break;
    }
    case pw::WM_LBUTTONDOWN:
    case pw::WM_LBUTTONDBLCLK: {
        const bool Double = Message.Msg == pw::WM_LBUTTONDBLCLK;
        const bool Focusing =
            !Double && UsesLeftAlignmentOnEditing() && FShownAlignment != pf::taLeftJustify;
        if ((Focusing || Double) && FContainer.DragMode() == pf::dmAutomatic &&
            !(FContainer.ComponentState() & pc::csDesigning)) {
            FContainer.BeginDrag(false);
            return;
        }
        if (Focusing) {
            // The text moves to the left under the click that focuses: the click lands where
            // it now points, and the next one within the double-click time is a double click.
            SetFocus();
            pf::TEdit::Dispatch(Message);
            StartClickTimer();
            FClickToFocus = true;
        } else if (ClickTimerRunning() && (!Double || FClickToFocus)) {
            // The window stays the same across the alignment change, so the platform may report
            // the click the focusing click waits for as a double click itself.
            pc::TMessage AsDouble{pw::WM_LBUTTONDBLCLK, Message.WParam, Message.LParam, 0};
            pf::TEdit::Dispatch(AsDouble);
            Message.Result = AsDouble.Result;
            StartClickTimer();
            FClickToFocus = false;
        } else if (Double && ClickTimerRunning()) {
            // The click before was made a double click already.
            Message.Result = 0;
        } else {
            FClickToFocus = false;
            pf::TEdit::Dispatch(Message);
        }
        break;
    }
    case pw::WM_SIZE:
        pf::TEdit::Dispatch(Message);
        SetMargins();
        break;
    case pw::WM_GETDLGCODE:
        Message.Result = FContainer.InnerEditDialogCode();
        break;
    case pw::WM_SETFOCUS:
    case pw::WM_KILLFOCUS:
        if (Message.Msg == pw::WM_KILLFOCUS) {
            FClickTimer->SetEnabled(false);
            FClickToFocus = false;
        }
        pf::TEdit::Dispatch(Message);
        ApplyFocusAlignment(Message.Msg == pw::WM_SETFOCUS);
        if (!(ComponentState() & pc::csDestroying))
            FContainer.InnerControlFocusChanged(Message.Msg, static_cast<pc::HWND>(Message.WParam));
        break;
    default:
        pf::TEdit::Dispatch(Message);
    }
    FContainer.InnerEditWindowMessage(Message);
}

TcxInnerTextEditPrevState TcxCustomInnerTextEdit::SaveState() {
    return {true, Text(), SelLength(), SelStart()};
}

bool TcxCustomInnerTextEdit::SameState(const TcxInnerTextEditPrevState& Prev) {
    return Prev.SelectionKnown && Prev.SelStart == SelStart() && Prev.SelLength == SelLength() &&
           pc::AnsiSameText(Prev.Text, Text());
}

void TcxCustomInnerTextEdit::KeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    FClickTimer->SetEnabled(false);
    FKeyHandled = false;
    FContainer.InnerKeyDown(Key, Shift);
    if (Key == 0) {
        FKeyHandled = true;
        return;
    }
    pf::TEdit::KeyDown(Key, Shift);
}

void TcxCustomInnerTextEdit::FilterOuterKey(char& Key) {
    if (Key != '\r' && Key != 27) return;
    if (FContainer.IsInplace() || FContainer.EscapeFlag()) {
        // The host (or the closed popup) had Enter and Escape.
        FContainer.SetEscapeFlag(false);
        Key = 0;
    } else if (Key == '\r' && !FContainer.BeepOnEnter) {
        // The window beeps on Enter: only with BeepOnEnter.
        Key = 0;
    }
}

void TcxCustomInnerTextEdit::KeyPress(char& Key) {
    FKeyHandled = false;
    // Tab never reaches the window.
    if (Key == '\t') Key = 0;
    if (Key != 0) FContainer.InnerKeyPress(Key);
    FilterOuterKey(Key);
    if (Key == 0) {
        FKeyHandled = true;
        return;
    }
    pf::TEdit::KeyPress(Key);
}

void TcxCustomInnerTextEdit::KeyUp(pf::WORD& Key, pf::TShiftState Shift) {
    FKeyHandled = false;
    if (Key == pw::VK_TAB) Key = 0;
    if (Key != 0) FContainer.InnerKeyUp(Key, Shift);
    if (Key == pw::VK_RETURN || Key == pw::VK_ESCAPE) {
        char AsChar = static_cast<char>(Key);
        FilterOuterKey(AsChar);
        Key = static_cast<unsigned char>(AsChar);
    }
    if (Key == 0) {
        FKeyHandled = true;
        return;
    }
    pf::TEdit::KeyUp(Key, Shift);
}

void TcxCustomInnerTextEdit::Change() {
    pf::TEdit::Change();
    FContainer.InnerTextChanged();
}

void TcxCustomInnerTextEdit::LockBounds(bool Lock) {
    if (Lock)
        ++FBoundsLockCount;
    else if (FBoundsLockCount > 0)
        --FBoundsLockCount;
}

// The base class's constructor sizes the window before this class exists, so there is no
// creating state to test here.
void TcxCustomInnerTextEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FBoundsLockCount > 0) return;
    TcxContainer& Container = Outer();
    const bool WasLocked = Container.FInnerControlBoundsLock;
    Container.FInnerControlBoundsLock = true;
    pf::TEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    Container.FInnerControlBoundsLock = WasLocked;
}

void TcxCustomInnerTextEdit::DoWithoutAutoSelect() {
    const bool WasAutoSelect = AutoSelect;
    AutoSelect = false;
    DoEnter();
    AutoSelect = WasAutoSelect;
}

void TcxCustomInnerTextEdit::CreateWnd() {
    pf::TEdit::CreateWnd();
    SetMargins();
}

void TcxCustomInnerTextEdit::SetMargins() {
    if (!HandleAllocated()) return;
    pc::SendMessage(Handle(), pw::EM_SETMARGINS, pw::EC_LEFTMARGIN | pw::EC_RIGHTMARGIN,
                    pw::MAKELPARAM(0, 1));
}

namespace {

// Marks a press or release as the inner control's: the outer editor takes no focus for it and
// hands the release back to no child.
class TInnerMouseScope {
public:
    explicit TInnerMouseScope(bool& AFlag) : FFlag(AFlag), FSaved(AFlag) { AFlag = true; }
    ~TInnerMouseScope() { FFlag = FSaved; }
    TInnerMouseScope(const TInnerMouseScope&) = delete;
    TInnerMouseScope& operator=(const TInnerMouseScope&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

} // namespace

TcxContainer& TcxCustomInnerTextEdit::Outer() {
    return FContainer;
}

void TcxCustomInnerTextEdit::MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X,
                                       int Y) {
    pf::TEdit::MouseDown(Button, Shift, X, Y);
    TInnerMouseScope Scope(FContainer.FInnerControlMouseDown);
    Outer().MouseDown(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerTextEdit::MouseMove(pf::TShiftState Shift, int X, int Y) {
    pf::TEdit::MouseMove(Shift, X, Y);
    Outer().MouseMove(Shift, X + Left(), Y + Top());
}

void TcxCustomInnerTextEdit::MouseUp(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    pf::TEdit::MouseUp(Button, Shift, X, Y);
    TInnerMouseScope Scope(FContainer.FInnerControlMouseDown);
    Outer().MouseUp(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerTextEdit::Click() {
    pf::TEdit::Click();
    Outer().Click();
}

void TcxCustomInnerTextEdit::DblClick() {
    pf::TEdit::DblClick();
    Outer().DblClick();
}

// ---- TcxCustomTextEdit ----

const pc::TComponentClass& TcxCustomTextEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCustomTextEdit", &TcxCustomEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCustomTextEdit>(AOwner); });
    return Class;
}

TcxCustomTextEdit::TcxCustomTextEdit(pc::TComponent* AOwner, bool AIsInplace,
                                     const TcxCustomEditPropertiesClass* APropertiesClass)
    : TcxCustomEdit(AOwner, AIsInplace,
                    APropertiesClass ? APropertiesClass
                                     : &TcxCustomTextEditProperties::ClassRef()) {
    RecreateViewInfo();
    Initialize();
}

TcxCustomTextEdit::~TcxCustomTextEdit() {
    if (FInnerEdit) {
        FSavedText = FInnerEdit->Text();
        FInnerEdit->OnSelChange = nullptr;
        FInnerEdit->ReleaseWindow();
    }
}

void TcxCustomTextEdit::Initialize() {
    BeepOnEnter = true;
    FLookupCompletionActive = false;
    FInnerEdit = &Own<TcxCustomInnerTextEdit>(*this);
    FInnerEdit->SetColor(pg::clWindow);
    FInnerEdit->SetParent(this);
    SetInnerControl(FInnerEdit);
    SetBounds(Left(), Top(), 121, 21);
    PropertiesChanged(&ActiveProperties());
}

void TcxCustomTextEdit::CreateWnd() {
    TcxCustomEdit::CreateWnd();
    FInnerEdit->HandleNeeded();
}

TcxCustomTextEditProperties& TcxCustomTextEdit::Properties() const {
    return static_cast<TcxCustomTextEditProperties&>(TcxCustomEdit::Properties());
}

TcxCustomTextEditProperties& TcxCustomTextEdit::ActiveProperties() const {
    return static_cast<TcxCustomTextEditProperties&>(TcxCustomEdit::ActiveProperties());
}

TcxCustomTextEditViewInfo& TcxCustomTextEdit::TextViewInfo() const {
    return static_cast<TcxCustomTextEditViewInfo&>(EditViewInfo());
}

// ---- text and selection ----

std::string TcxCustomTextEdit::Text() {
    return FInnerEdit ? FInnerEdit->Text() : FSavedText;
}

void TcxCustomTextEdit::SetText(const std::string& Value) {
    InternalSetText(Value);
}

std::string TcxCustomTextEdit::GetDisplayText() {
    return Text();
}

int TcxCustomTextEdit::SelStart() {
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style == tesNoEdit || (Style == tesFixedList && !FLookupCompletionActive)) return 0;
    return FInnerEdit->EditSelStart();
}

void TcxCustomTextEdit::SetSelStart(int Value) {
    if (EditingStyle() != tesNoEdit) FInnerEdit->SetSelStart(Value);
}

int TcxCustomTextEdit::SelLength() {
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style == tesNoEdit || (Style == tesFixedList && !FLookupCompletionActive)) return 0;
    return FInnerEdit->EditSelLength();
}

void TcxCustomTextEdit::SetSelLength(int Value) {
    if (EditingStyle() != tesNoEdit) FInnerEdit->SetSelLength(Value);
}

std::string TcxCustomTextEdit::SelText() {
    return FInnerEdit->SelText();
}

void TcxCustomTextEdit::SetSelection(int Start, int Length) {
    SetSelStart(Start);
    SetSelLength(Length);
}

void TcxCustomTextEdit::SelectAll() {
    FInnerEdit->SelectAll();
}

// ---- text to edit value ----

bool TcxCustomTextEdit::InternalSetText(const std::string& Text) {
    Variant V = Variant::String(Text);
    if (!ActiveProperties().IsDisplayValueValid(V, InternalFocused())) return false;
    if (FUserAction && !DoEditing()) return false;
    InternalSetDisplayValue(V);
    return true;
}

void TcxCustomTextEdit::InternalSetDisplayValue(const Variant& Value) {
    const std::string Text = Value.IsNull() || Value.IsEmpty() ? std::string() : Value.AsString();
    FSettingText = true;
    FInnerEdit->SetText(Text);
    FSettingText = false;
    if (!FUserAction) {
        ResetLookupCompletion();
        SynchronizeEditValue();
        FlushInnerChange();
        SetModified(false);
    } else {
        SynchronizeEditValue();
        FlushInnerChange();
    }
    UpdateDrawValue();
}

void TcxCustomTextEdit::ApplyDisplayValue(const Variant& Value) {
    InternalSetDisplayValue(Value);
}

void TcxCustomTextEdit::SynchronizeEditValue() {
    const Variant Old = FEditValue;
    const Variant New = Variant::String(Text());
    const bool Changed = !(Old.IsStr() && Old.AsString() == New.AsString());
    FEditValue = New;
    if (FUserAction)
        MarkModifiedAfterEnter(true);
    else
        SetModified(false);
    // The inner edit's change notification tells OnChange (ChangeHandler), for typed texts and
    // texts set by program alike.
    if (Changed) {
        DoEditValueChanged();
        if (!ActiveProperties().NoChangeOnSetEditValue()) DoChange();
    }
}

void TcxCustomTextEdit::SynchronizeDisplayValue() {
    Variant D;
    TcxCustomTextEditProperties& P = ActiveProperties();
    Variant V = FEditValue;
    if (P.IsEditValueValid(V, InternalFocused()))
        P.PrepareDisplayValue(V, D, InternalFocused());
    else if (!IsContainerFocused())
        D = P.PrepareValueText(FEditValue, false);
    else
        P.GetDefaultDisplayValue(D, true);
    SaveModified();
    FSynchronizing = true;
    const bool Saved = FUserAction;
    FUserAction = false;
    FSettingText = true;
    FInnerEdit->SetText(D.IsNull() ? std::string() : D.AsString());
    FSettingText = false;
    FUserAction = Saved;
    FSynchronizing = false;
    FlushInnerChange();
    RestoreModified();
    ResetLookupCompletion();
    UpdateDrawValue();
}

void TcxCustomTextEdit::InnerTextChanged() {
    // A text this editor sets is told once its edit value follows it, so that OnChange reads
    // the new value.
    if (FSettingText || FSynchronizing) {
        FInnerChangePending = true;
        return;
    }
    // The window changed its text itself: typing, Backspace, Delete, undo.
    const bool Saved = FUserAction;
    FUserAction = true;
    try {
        SynchronizeEditValue();
    } catch (...) {
        FUserAction = Saved;
        throw;
    }
    FUserAction = Saved;
    ChangeHandler(this);
}

void TcxCustomTextEdit::FlushInnerChange() {
    if (!FInnerChangePending) return;
    FInnerChangePending = false;
    ChangeHandler(this);
}

void TcxCustomTextEdit::ChangeHandler(pc::TObject* Sender) {
    TcxCustomEdit::ChangeHandler(Sender);
    UpdateDrawValue();
    if (IsContainerFocused() && ActiveProperties().HasNumericValue() &&
        ActiveProperties().IsNumericTextNormalized(FSynchronizing))
        RegroupNumericText();
}

void TcxCustomTextEdit::UpdateDrawValue() {
    if (!HandleAllocated()) return;
    UpdateFixedListSelection();
    ShortRefreshContainer(false);
    Invalidate();
}

void TcxCustomTextEdit::UpdateFixedListSelection() {
    TcxCustomTextEditViewInfo& V = TextViewInfo();
    V.Selection.Length = 0;
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style != tesFixedList && Style != tesNoEdit) return;
    if (Style == tesFixedList && FLookupCompletionActive &&
        ActiveProperties().ShowFixedListSelection()) {
        const int Start = FInnerEdit->SelStart();
        const int Length = FInnerEdit->SelLength();
        if (!V.Inverted)
            V.Selection = {Start, Length, pg::clHighlightText, pg::clHighlight};
        else
            V.Selection = {0, static_cast<int>(Text().size()) - Length, pg::clHighlight,
                           pg::clHighlightText};
    }
}

namespace {

bool SameFont(const pg::TFont& A, const pg::TFont& B) {
    return A.Name() == B.Name() && A.Height() == B.Height() && A.Style() == B.Style() &&
           A.Color() == B.Color() && A.Charset() == B.Charset() && A.Pitch() == B.Pitch();
}

} // namespace

void TcxCustomTextEdit::AdjustInnerControl() {
    UpdateInnerEditColors();
}

void TcxCustomTextEdit::UpdateInnerEditColors() {
    if (!FInnerEdit || IsStyleChanging()) return;
    // The style's font in the colour the view info gives the text (disabled, hot, focused).
    pg::TFont Font;
    Font.Assign(ActiveStyle().GetVisibleFont());
    Font.SetColor(EditViewInfo().TextColor);
    const TColor Color = EditViewInfo().BackgroundColor;
    // Only a real change repaints the inner edit: a refresh comes with every hover.
    if (FInnerEdit->Color() == Color && SameFont(FInnerEdit->Font(), Font)) return;
    LockInnerEditRepainting();
    FInnerEdit->SetColor(Color);
    FInnerEdit->Font().Assign(Font);
    UnlockInnerEditRepainting();
}

void TcxCustomTextEdit::ResetLookupCompletion() {
    FLookupCompletionActive = false;
    // A text set from outside moves the current item with it.
    if (!FLookupDriven && ActiveProperties().UseLookupData()) ILookupData().TextChanged();
}

void TcxCustomTextEdit::DoOnNewLookupDisplayText(const std::string& Text) {
    if (Properties().OnNewLookupDisplayText) Properties().OnNewLookupDisplayText(this, Text);
    if (RepositoryItem() && ActiveProperties().OnNewLookupDisplayText)
        ActiveProperties().OnNewLookupDisplayText(this, Text);
}

int TcxCustomTextEdit::GetInnerEditHeight() {
    toolkit::base::TcxScreenCanvas Canvas;
    Canvas.SetFont(FInnerEdit->Font());
    return Canvas.TextHeight("Qq");
}

void TcxCustomTextEdit::ClampValueIfNeeded() {
    if (IsDataBindingEditable() && ActiveProperties().HasNumericValue() &&
        ActiveProperties().IsAnyValueBoundDefined())
        ClampValueToBounds();
}

void TcxCustomTextEdit::SetTextChecked(const std::string& Text) {
    if (!DoEditing()) return;
    SetText(Text);
    MarkModifiedAfterEnter(true);
}

bool TcxCustomTextEdit::IsPlainTextModifiable() {
    return ActiveProperties().EchoMode() == eemNormal && ActiveProperties().CanModify();
}

void TcxCustomTextEdit::RefreshFromProperties() {
    ActiveProperties().Changed();
    SynchronizeDisplayValue();
}

bool TcxCustomTextEdit::HasPopupWindowEx() {
    return false;
}

bool TcxCustomTextEdit::PassKeyToPopup(pc::TMessage& Message) {
    if (!HasPopupWindowEx()) return false;
    const auto Key = static_cast<pf::WORD>(Message.WParam);
    if (!ActiveProperties().IsPopupKey(Key, pf::KeyboardShiftState())) return false;
    pf::TWinControl* Popup = GetPopupWindowControl();
    if (!Popup || !Popup->HandleAllocated()) return false;
    Message.Result = pc::SendMessage(Popup->Handle(), Message.Msg, Message.WParam, Message.LParam);
    return Message.Result == 0;
}

void TcxCustomTextEdit::KeyPress(char& Key) {
    if (Key == 27 && FEscapeFlag && !HasPopupWindowEx()) FEscapeFlag = false;
    TcxCustomEdit::KeyPress(Key);
}

// ---- inserting ----

bool TcxCustomTextEdit::GetTextAfterInsertion(const std::string& S, std::string& NewText,
                                              int& NewSelStart) {
    const TcxTextEditingStyle Style = EditingStyle();
    if (FUserAction && Style == tesNoEdit) return false;
    if (Style == tesFixedList || Style == tesNoEdit) FInnerEdit->SelectAll();
    const std::string Current = Text();
    const int Start = std::min(FInnerEdit->SelStart(), static_cast<int>(Current.size()));
    const int Length = std::min(FInnerEdit->SelLength(), static_cast<int>(Current.size()) - Start);
    const std::string Before = Current.substr(0, static_cast<std::size_t>(Start));
    const std::string After = Current.substr(static_cast<std::size_t>(Start + Length));
    const int MaxLength = ActiveProperties().MaxLength();
    if (!FUserAction || Style == tesEditList || Style == tesFixedList || MaxLength == 0) {
        NewText = Style == tesFixedList ? S : Before + S + After;
        NewSelStart = Start + static_cast<int>(S.size());
    } else {
        NewText = Before + S;
        NewSelStart = std::min(static_cast<int>(NewText.size()), MaxLength);
        NewText.resize(static_cast<std::size_t>(NewSelStart));
        if (Start > NewSelStart) return false;
        NewText += After;
        if (static_cast<int>(NewText.size()) > MaxLength)
            NewText.resize(static_cast<std::size_t>(MaxLength));
    }
    Variant V = Variant::String(NewText);
    if (!ActiveProperties().IsDisplayValueValid(V, true)) return false;
    if (FUserAction && !DoEditing()) return false;
    NewText = V.AsString();
    return true;
}

void TcxCustomTextEdit::ReplaceSelectedText(const std::string& S) {
    const bool Saved = FUserAction;
    if (IsContainerFocused() || FEditingValue) FUserAction = true;
    std::string NewText;
    int NewSelStart = 0;
    try {
        if (GetTextAfterInsertion(S, NewText, NewSelStart)) {
            InternalSetDisplayValue(Variant::String(NewText));
            FInnerEdit->SetSelStart(NewSelStart);
        }
    } catch (...) {
        FUserAction = Saved;
        throw;
    }
    FUserAction = Saved;
}

void TcxCustomTextEdit::DeleteSelectedText() {
    if (FInnerEdit->SelLength() <= 0) return;
    const bool Saved = FUserAction;
    if (IsContainerFocused() || FEditingValue) FUserAction = true;
    const int Start = FInnerEdit->SelStart();
    std::string NewText = Text();
    NewText.erase(static_cast<std::size_t>(Start),
                  static_cast<std::size_t>(FInnerEdit->SelLength()));
    bool Taken = false;
    try {
        Taken = InternalSetText(NewText);
    } catch (...) {
        FUserAction = Saved;
        throw;
    }
    FUserAction = Saved;
    if (Taken) FInnerEdit->SetSelStart(Start);
}

// ---- clipboard ----

void TcxCustomTextEdit::CopyToClipboard() {
    const TcxTextEditingStyle Style = EditingStyle();
    if (Style == tesFixedList || Style == tesNoEdit) FInnerEdit->SelectAll();
    if (FInnerEdit->SelLength() > 0) pf::Clipboard().SetAsText(FInnerEdit->SelText());
}

void TcxCustomTextEdit::CutToClipboard() {
    if (FInnerEdit->SelLength() <= 0) return;
    std::string NewText;
    int NewSelStart = 0;
    const bool Saved = FUserAction;
    FUserAction = IsContainerFocused();
    const bool Accepted = !IsContainerFocused() || GetTextAfterInsertion({}, NewText, NewSelStart);
    FUserAction = Saved;
    if (!Accepted) return;
    pf::Clipboard().SetAsText(FInnerEdit->SelText());
    ReplaceSelectedText({});
}

void TcxCustomTextEdit::PasteFromClipboard() {
    std::string Pasted = pf::Clipboard().AsText();
    if (Pasted.empty()) return;
    std::erase_if(Pasted, [](char C) { return C == '\r' || C == '\n'; });
    ReplaceSelectedText(Pasted);
}

pc::LRESULT TcxCustomTextEdit::InnerEditDialogCode() {
    pc::LRESULT Result = pw::DLGC_WANTCHARS;
    if (TabsNeeded() && pw::GetKeyState(pw::VK_CONTROL) >= 0) Result |= pw::DLGC_WANTTAB;
    if (WantNavigationKeys() || HasPopupWindowEx()) Result |= pw::DLGC_WANTARROWS;
    return Result;
}

void TcxCustomTextEdit::InnerClipboardMessage(pc::UINT Msg) {
    const bool Saved = FUserAction;
    FUserAction = true;
    try {
        if (Msg == pw::WM_CUT) {
            if (FInnerEdit->ReadOnly())
                CopyToClipboard();
            else
                CutToClipboard();
        } else if (!FInnerEdit->ReadOnly()) {
            if (Msg == pw::WM_PASTE)
                PasteFromClipboard();
            else
                DeleteSelectedText();
        }
    } catch (...) {
        FUserAction = Saved;
        throw;
    }
    FUserAction = Saved;
}

// ---- keys: cx_text_edit_keys.cpp ----

bool TcxCustomTextEdit::IsValidChar(char Key) {
    return TcxCustomEdit::IsValidChar(Key) ||
           ActiveProperties().ValidChars().test(static_cast<unsigned char>(Key));
}

// ---- properties ----

void TcxCustomTextEdit::PropertiesChanged(TcxCustomEditProperties* Sender) {
    if (!FInnerEdit) {
        TcxCustomEdit::PropertiesChanged(Sender);
        return;
    }
    TcxCustomTextEditProperties& P = ActiveProperties();
    FInnerEdit->SetAlignment(P.Alignment().Horz());
    LookupPropertiesChanged();
    ImeMode = P.ImeMode();
    ImeName = P.ImeName();
    FInnerEdit->AutoSelect = P.AutoSelect() && !IsInplace();
    FInnerEdit->SetCharCase(P.CharCase());
    FInnerEdit->SetEchoMode(P.EchoMode() == eemPassword ? 1 : 0);
    FInnerEdit->SetHideSelection(P.HideSelection());
    FInnerEdit->ImeMode = P.ImeMode();
    FInnerEdit->ImeName = P.ImeName();
    FInnerEdit->SetMaxLength(P.MaxLength());
    FInnerEdit->SetOEMConvert(P.OEMConvert());
    FInnerEdit->SetEditPasswordChar(P.PasswordChar());
    FInnerEdit->SetReadOnly(!P.CanModify() || EditingStyle() == tesNoEdit);
    ClampValueIfNeeded();
    if (!(ComponentState() & pc::csDestroying)) ValidateLookupText();
    TcxCustomEdit::PropertiesChanged(Sender);
    UpdateDrawValue();
    FInnerEdit->Invalidate();
}

// ---- in place, editing value, numeric text ----

void TcxCustomTextEdit::Activate() {
    TcxCustomEdit::Activate();
    if (!HandleAllocated()) return;
    SetSelStart(0);
    if (ActiveProperties().AutoSelect()) SelectAll();
}

void TcxCustomTextEdit::InternalSetEditingValue(const std::string& Text, bool Validate) {
    FEditingValue = true;
    try {
        ReplaceSelectedText(Text);
        if (Validate && !IsInplace() && DataBinding().CanModify() && !IsContainerFocused()) {
            WithChangeEventsLocked([&] {
                SetEditValue(Variant::String(GetDisplayText()));
                InternalPostEditValue(false);
            });
        }
        MarkModifiedAfterEnter(true);
    } catch (...) {
        FEditingValue = false;
        throw;
    }
    FEditingValue = false;
}

std::string cxRegroupNumericText(const std::string& Text, char DecimalSeparator,
                                 char ThousandSeparator) {
    std::size_t MantissaStart = 0;
    while (MantissaStart < Text.size() &&
           !std::isdigit(static_cast<unsigned char>(Text[MantissaStart])) &&
           Text[MantissaStart] != DecimalSeparator && Text[MantissaStart] != ThousandSeparator)
        ++MantissaStart;
    std::size_t ExponentStart = Text.find_first_of("eE", MantissaStart);
    if (ExponentStart == std::string::npos) ExponentStart = Text.size();
    std::string Mantissa = Text.substr(MantissaStart, ExponentStart - MantissaStart);
    std::erase(Mantissa, ThousandSeparator);
    while (!Mantissa.empty() && Mantissa.front() == ' ')
        Mantissa.erase(0, 1);
    while (!Mantissa.empty() && Mantissa.back() == ' ')
        Mantissa.pop_back();
    std::size_t Point = Mantissa.find(DecimalSeparator);
    if (Point == std::string::npos) Point = Mantissa.size();
    int Digits = 0;
    for (std::size_t I = Point; I > 0; --I) {
        if (!std::isdigit(static_cast<unsigned char>(Mantissa[I - 1]))) continue;
        if (Digits > 0 && Digits % 3 == 0) Mantissa.insert(I, 1, ThousandSeparator);
        ++Digits;
    }
    return Text.substr(0, MantissaStart) + Mantissa + Text.substr(ExponentStart);
}

void TcxCustomTextEdit::RegroupNumericText() {
    const char Thousand = CurrentThousandSeparator();
    const std::string Current = Text();
    const std::string Regrouped =
        cxRegroupNumericText(Current, CurrentDecimalSeparator(), Thousand);
    if (Regrouped == Current) return;
    std::string Plain = Regrouped;
    std::erase(Plain, Thousand);
    if (Plain.empty()) return;
    char* End = nullptr;
    std::strtod(Plain.c_str(), &End);
    if (End != Plain.c_str() + Plain.size()) return;
    const int Caret = std::min(FInnerEdit->SelStart(), static_cast<int>(Current.size()));
    const auto Kept = std::count_if(Current.begin(), Current.begin() + Caret,
                                    [Thousand](char C) { return C != Thousand; });
    ApplyDisplayValue(Variant::String(Regrouped));
    int NewCaret = 0;
    for (std::ptrdiff_t Seen = 0; NewCaret < static_cast<int>(Regrouped.size()) && Seen < Kept;
         ++NewCaret)
        if (Regrouped[static_cast<std::size_t>(NewCaret)] != Thousand) ++Seen;
    FInnerEdit->SetSelStart(NewCaret);
}

// ---- hooks and the inner edit's messages ----

std::function<void(pw::HWND, TcxTextEditHookEvent)>& TcxCustomTextEdit::ControlHook() {
    static std::function<void(pw::HWND, TcxTextEditHookEvent)> Hook;
    return Hook;
}

void TcxCustomTextEdit::CallControlHook(TcxTextEditHookEvent Event) {
    if (ControlHook() && FInnerEdit->HandleAllocated()) ControlHook()(FInnerEdit->Handle(), Event);
}

int TcxCustomTextEdit::InnerEditFirstVisibleChar() {
    if (!FInnerEdit->HandleAllocated()) return 0;
    return pw::LOWORD(static_cast<std::uintptr_t>(
        pc::SendMessage(FInnerEdit->Handle(), pw::EM_CHARFROMPOS, 0, 0)));
}

void TcxCustomTextEdit::HookDeferredColorNotify() {
    CallControlHook(thDeferredColorNotify);
}

void TcxCustomTextEdit::HookInnerEditScrolled() {
    FInnerEditScrollPos = InnerEditFirstVisibleChar();
    CallControlHook(thInnerEditScrolled);
}

void TcxCustomTextEdit::HookSelectionChanged() {
    CallControlHook(thSelectionChanged);
}

void TcxCustomTextEdit::HookTextChanged() {
    CallControlHook(thTextChanged);
}

void TcxCustomTextEdit::CheckSelectionChange() {
    if (!FInnerEdit->HandleAllocated()) return;
    if (InnerEditFirstVisibleChar() != FInnerEditScrollPos) {
        HookInnerEditScrolled();
        return;
    }
    const int Start = FInnerEdit->SelStart();
    const int Length = FInnerEdit->SelLength();
    if (Start == FCachedSelStart && Length == FCachedSelLength) return;
    FCachedSelStart = Start;
    FCachedSelLength = Length;
    HookSelectionChanged();
}

void TcxCustomTextEdit::InnerEditWindowMessage(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_SIZE:
    case pw::WM_SETFONT:
        HookInnerEditScrolled();
        break;
    case pw::WM_KEYUP:
    case pw::WM_LBUTTONUP:
    case pw::WM_RBUTTONUP:
    case pw::WM_MBUTTONUP:
        CheckSelectionChange();
        break;
    case pw::WM_PAINT:
        // The platform's edit asks its parent for no colours; its paint is the moment the
        // system would, so the deferred notification follows each paint.
        if (FInnerEdit->HandleAllocated())
            pc::PostMessage(FInnerEdit->Handle(), DeferredColorMessage, 0, 0);
        break;
    case DeferredColorMessage:
        HookDeferredColorNotify();
        break;
    default:
        break;
    }
}

std::string TcxCustomTextEdit::GetInnerEditDisplayText() {
    return FInnerEdit ? Text() : FSavedText;
}

bool TcxCustomTextEdit::SetInnerEditDisplayText(const std::string& Value) {
    return InternalSetText(Value);
}

void TcxCustomTextEdit::WndProc(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_GETTEXT: {
        const std::string Shown = GetInnerEditDisplayText();
        const auto Size = static_cast<std::int64_t>(Message.WParam);
        auto* Buffer = reinterpret_cast<char*>(Message.LParam);
        if (Size < 1 || !Buffer) {
            Message.Result = 0;
            return;
        }
        const auto Count =
            std::min<std::int64_t>(Size - 1, static_cast<std::int64_t>(Shown.size()));
        std::memcpy(Buffer, Shown.data(), static_cast<std::size_t>(Count));
        Buffer[Count] = '\0';
        Message.Result = static_cast<pc::LRESULT>(Count);
        return;
    }
    case pw::WM_GETTEXTLENGTH:
        Message.Result = static_cast<pc::LRESULT>(GetInnerEditDisplayText().size());
        return;
    case pw::WM_SETTEXT:
        if (FWindowTextGuard) break;
        FWindowTextGuard = true;
        try {
            const char* NewText = reinterpret_cast<const char*>(Message.LParam);
            Message.Result = SetInnerEditDisplayText(NewText ? NewText : "") ? 1 : 0;
        } catch (...) {
            FWindowTextGuard = false;
            throw;
        }
        FWindowTextGuard = false;
        return;
    case pw::WM_COMMAND:
        if (FInnerEdit && FInnerEdit->HandleAllocated() &&
            static_cast<pw::HWND>(Message.LParam) == FInnerEdit->Handle()) {
            const auto Code = pw::HIWORD(static_cast<std::uintptr_t>(Message.WParam));
            if (Code == pw::EN_CHANGE) HookTextChanged();
            if (Code == EN_HSCROLL || Code == EN_VSCROLL) HookInnerEditScrolled();
        }
        break;
    default:
        break;
    }
    TcxCustomEdit::WndProc(Message);
}

// ---- inner edit placement ----

void TcxCustomTextEdit::AdjustInnerControlBounds() {
    if (!FInnerEdit || FAdjustingInnerEdit) return;
    FAdjustingInnerEdit = true;
    const TRect R = EditViewInfo().InnerRect;
    const int H = GetInnerEditHeight();
    const int TopMargin = 0;
    const int BottomMargin = 0;
    int Top = R.Top + TopMargin;
    switch (ActiveProperties().Alignment().Vert()) {
    case taBottomJustify:
        Top = R.Bottom - H - BottomMargin;
        break;
    case taVCenter:
        Top = R.Top + TopMargin + (R.Height() - H - TopMargin - BottomMargin) / 2;
        break;
    default:
        break;
    }
    Top = std::max(Top, R.Top + TopMargin);
    const TRect Bounds{R.Left, Top, R.Right, std::min(R.Bottom, Top + H)};
    if (FInnerEdit->BoundsRect() != Bounds) FInnerEdit->SetBoundsRect(Bounds);
    // Whether the inner edit is shown may change with its bounds unchanged; the container keeps
    // the window region it last gave and only sets a different one.
    if (FInnerEdit->HandleAllocated()) AlignControl(FInnerEdit);
    FAdjustingInnerEdit = false;
}

TcxContainer::TcxContainerInnerControlBounds
TcxCustomTextEdit::GetInnerControlBounds(const TRect& Region, pf::TControl* Control) {
    if (Control && Control == FInnerEdit && (!FInnerEdit->Visible() || !IsInnerEditShown()))
        return {false, TRect{}};
    return TcxCustomEdit::GetInnerControlBounds(Region, Control);
}

// ---- TcxTextEdit ----

const pc::TComponentClass& TcxTextEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxTextEdit", &TcxCustomTextEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxTextEdit>(AOwner); });
    return Class;
}

TcxTextEdit::TcxTextEdit(pc::TComponent* AOwner, bool AIsInplace)
    : TcxCustomTextEdit(AOwner, AIsInplace, &TcxTextEditProperties::ClassRef()) {}

TcxTextEditProperties& TcxTextEdit::Properties() const {
    return static_cast<TcxTextEditProperties&>(TcxCustomTextEdit::Properties());
}

} // namespace toolkit::edit
