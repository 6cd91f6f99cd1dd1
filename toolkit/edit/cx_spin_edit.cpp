#include "toolkit/edit/cx_spin_edit.h"

#include "toolkit/edit/cx_edit_paint_utils.h"
#include "toolkit/edit/regional_separators.h"

#include "toolkit/base/core_routines.h"

#include "platform/win/input_state.h"
#include "platform/win/message_beep.h"
#include "platform/win/messages.h"

#include <algorithm>

namespace toolkit::edit {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr std::uint32_t cxSpinFirstDelay = 400;
constexpr std::uint32_t cxSpinRepeatInterval = 100;

} // namespace

// ---- TcxCustomSpinEdit ----

const pc::TComponentClass& TcxCustomSpinEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxCustomSpinEdit", &TcxCustomMaskEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxCustomSpinEdit>(AOwner); });
    return Class;
}

TcxCustomSpinEdit::TcxCustomSpinEdit(pc::TComponent* AOwner, bool AIsInplace,
                                     const TcxCustomEditPropertiesClass* APropertiesClass)
    : TcxCustomMaskEdit(AOwner, AIsInplace,
                        APropertiesClass ? APropertiesClass
                                         : &TcxCustomSpinEditProperties::ClassRef()) {
    RecreateViewInfo();
    FPressedSpinButton = 0;
    FValue = ActiveProperties().PrepareSpinValue(Variant::Int64(0));
    SetEditValue(FValue);
}

TcxCustomSpinEdit::~TcxCustomSpinEdit() = default;

TcxCustomSpinEditProperties& TcxCustomSpinEdit::Properties() const {
    return static_cast<TcxCustomSpinEditProperties&>(TcxCustomMaskEdit::Properties());
}

TcxCustomSpinEditProperties& TcxCustomSpinEdit::ActiveProperties() const {
    return static_cast<TcxCustomSpinEditProperties&>(TcxCustomMaskEdit::ActiveProperties());
}

// ---- value ----

double TcxCustomSpinEdit::GetIncrement(int Button) {
    TcxCustomSpinEditProperties& P = ActiveProperties();
    double Inc = Button >= 2 ? P.LargeIncrement() : P.Increment();
    if (P.ValueType() == vtInt) Inc = static_cast<double>(cxSpinDoubleToInt64(Inc));
    return Button == 0 || Button == 2 ? -Inc : Inc;
}

Variant TcxCustomSpinEdit::GetValue() {
    TcxCustomSpinEditProperties& P = ActiveProperties();
    Variant Result;
    if (!InternalFocused()) {
        const Variant E = GetEditValue();
        if (E.IsNumeric()) {
            Result = E;
        } else if (E.IsStr() && !E.AsString().empty()) {
            const std::optional<Variant> Parsed = P.ParseText(E.AsString());
            Result = Parsed ? *Parsed : ZeroClamped();
        } else {
            Result = ZeroClamped();
        }
    } else {
        Result = FIsTextTyped ? TextToValue(Text(), true) : FValue;
        if (!Result.IsNumeric()) Result = ZeroClamped();
    }
    return P.PrepareSpinValue(Result);
}

std::string TcxCustomSpinEdit::GetDisplayTextOf(const Variant& Value) {
    Variant D;
    ActiveProperties().PrepareDisplayValue(Value, D, InternalFocused());
    return D.AsString();
}

void TcxCustomSpinEdit::DoSetValue(const Variant& Value) {
    FValue = ActiveProperties().PrepareSpinValue(Value);
    FIsTextTyped = false;
    SetEditValue(FValue);
}

Variant TcxCustomSpinEdit::TextToValue(const std::string& Text, bool Raise) {
    std::string ErrorText;
    bool Error = false;
    Variant Result = TextToValue(Text, ErrorText, Error);
    if (Error && Raise && ActiveProperties().ExceptionOnInvalidInput())
        throw EcxEditError(ErrorText);
    return Result;
}

Variant TcxCustomSpinEdit::TextToValue(const std::string& Text, std::string& ErrorText,
                                       bool& Error) {
    TcxCustomSpinEditProperties& P = ActiveProperties();
    Error = false;
    if (Text.empty()) {
        IcxEditDefaultValuesProvider* Provider = P.DefaultValuesProvider();
        return Provider && Provider->IsValueRequired() ? ZeroClamped() : Variant::Null();
    }
    if (std::optional<Variant> Parsed = P.ParseText(Text)) return P.PrepareSpinValue(*Parsed);
    Variant V = Variant::Null();
    Error = true;
    if (Properties().OnGetValue) Properties().OnGetValue(this, Text, V, ErrorText, Error);
    if (Error && RepositoryItem() && ActiveProperties().OnGetValue)
        ActiveProperties().OnGetValue(this, Text, V, ErrorText, Error);
    if (Error) {
        if (ErrorText.empty())
            ErrorText = toolkit::base::cxGetResourceString(cxSEditInvalidNumericValue);
        if (!P.ExceptionOnInvalidInput()) ErrorText.clear();
        V = FValue;
    }
    return P.PrepareSpinValue(V);
}

void TcxCustomSpinEdit::Spin(int Button) {
    LockChangeEvents(true);
    try {
        if (DoEditing()) {
            TcxCustomSpinEditProperties& P = ActiveProperties();
            const Variant Current = GetValue();
            const bool Up = Button == 1 || Button == 3;
            const bool Wrap = P.GetBoundBehaviour() == sbbWrap;
            const Variant Min = P.GetMinValueForSpin(), Max = P.GetMaxValueForSpin();
            std::optional<Variant> New;
            if (P.ValueType() == vtInt) {
                if (auto R =
                        cxSpinStep(Current.AsInt64(), cxSpinDoubleToInt64(GetIncrement(Button)),
                                   Min.AsInt64(), Max.AsInt64(), Up, Wrap))
                    New = Variant::Int64(*R);
            } else if (auto R = cxSpinStep(Current.AsDouble(), GetIncrement(Button), Min.AsDouble(),
                                           Max.AsDouble(), Up, Wrap)) {
                New = Variant::Double(*R);
            }
            if (New) {
                const std::string OldText = Text();
                const int OldStart = SelStart(), OldLength = SelLength();
                FValue = P.PrepareSpinValue(*New);
                FIsTextTyped = false;
                const std::string NewText = GetDisplayTextOf(FValue);
                const bool Saved = FUserAction;
                FUserAction = true;
                InternalSetDisplayValue(Variant::String(NewText));
                FUserAction = Saved;
                if (NewText != OldText) {
                    SetModified(true);
                    if (P.KeepSelectionAfterSpin())
                        SetSelection(OldStart, OldLength);
                    else
                        SetSelection(static_cast<int>(NewText.size()), 0);
                    if (P.ImmediatePost() && ValidateEdit(false)) {
                        PostEditValue();
                        SynchronizeDisplayValue();
                    }
                }
            }
        }
    } catch (...) {
        LockChangeEvents(false);
        throw;
    }
    LockChangeEvents(false);
}

void TcxCustomSpinEdit::ClampValueToBounds() {
    TcxCustomSpinEditProperties& P = ActiveProperties();
    const Variant V = GetValue();
    const Variant C = P.ClampSpinValue(V);
    if (!(C == V)) DoSetValue(C);
}

void TcxCustomSpinEdit::SynchronizeDisplayValue() {
    Variant V = GetEditValue();
    FValue = ActiveProperties().IsEditValueValid(V, InternalFocused()) ? V : ZeroClamped();
    FIsTextTyped = false;
    TcxCustomMaskEdit::SynchronizeDisplayValue();
}

void TcxCustomSpinEdit::SynchronizeEditValue() {
    FIsTextTyped = FIsTyping;
    FIsTyping = false;
    TcxCustomMaskEdit::SynchronizeEditValue();
}

// ---- clipboard ----

void TcxCustomSpinEdit::CutToClipboard() {
    if (InternalFocused() && !ActiveProperties().CanEdit()) return;
    FIsTyping = true;
    TcxCustomMaskEdit::CutToClipboard();
}

void TcxCustomSpinEdit::PasteFromClipboard() {
    if (InternalFocused() && !ActiveProperties().CanEdit()) return;
    FIsTyping = true;
    TcxCustomMaskEdit::PasteFromClipboard();
}

void TcxCustomSpinEdit::DeleteSelectedText() {
    if (InternalFocused() && !ActiveProperties().CanEdit()) return;
    FIsTyping = true;
    TcxCustomMaskEdit::DeleteSelectedText();
}

// ---- keys ----

void TcxCustomSpinEdit::DoEditKeyDown(pf::WORD& Key, pf::TShiftState Shift) {
    TcxCustomSpinEditProperties& P = ActiveProperties();
    const bool SpinKey =
        Key == pw::VK_UP || Key == pw::VK_DOWN || Key == pw::VK_PRIOR || Key == pw::VK_NEXT;
    if (SpinKey && (!P.UseCtrlIncrement() || (Shift & pf::ssCtrl))) {
        if (!DataBinding().IsEditing() && !DoEditing()) {
            Key = 0;
            return;
        }
        const int Button = Key == pw::VK_PRIOR  ? 3
                           : Key == pw::VK_UP   ? 1
                           : Key == pw::VK_DOWN ? 0
                                                : 2;
        FPressedSpinButton = Button + 1;
        ReleaseEditorCapture();
        Spin(Button);
        ShortRefreshContainer(false);
        Key = 0;
        return;
    }
    StopSpinning();
    if (Key != pw::VK_ESCAPE) FIsTyping = true;
    if (!P.CanEdit() && CanKeyDownModifyEdit(Key, Shift)) {
        pw::MessageBeep(0);
        Key = 0;
        return;
    }
    TcxCustomMaskEdit::DoEditKeyDown(Key, Shift);
}

void TcxCustomSpinEdit::DoEditKeyUp(pf::WORD& Key, pf::TShiftState Shift) {
    FIsTyping = false;
    if (Key == pw::VK_UP || Key == pw::VK_DOWN || Key == pw::VK_PRIOR || Key == pw::VK_NEXT)
        StopSpinning();
    TcxCustomMaskEdit::DoEditKeyUp(Key, Shift);
}

void TcxCustomSpinEdit::DoEditKeyPress(char& Key) {
    if (Key == '.' || Key == ',') Key = CurrentDecimalSeparator();
    const auto C = static_cast<unsigned char>(Key);
    if (C >= 32 || Key == '\b') {
        if (!IsValidChar(Key)) {
            Key = 0;
            pw::MessageBeep(0);
            return;
        }
        FIsTyping = true;
    }
    TcxCustomMaskEdit::DoEditKeyPress(Key);
}

bool TcxCustomSpinEdit::IsValidChar(char Key) {
    TcxCustomSpinEditProperties& P = ActiveProperties();
    const auto C = static_cast<unsigned char>(Key);
    if (!P.CanEdit()) return C < 32 && Key != '\b';
    if (P.OnGetValue) return true;
    if (C < 32) return true;
    if (Key == '+' || Key == '-' || (Key >= '0' && Key <= '9') || Key == 'e' || Key == 'E')
        return true;
    if (P.ValueType() == vtFloat && Key == CurrentDecimalSeparator()) return true;
    return P.ValidChars().test(C);
}

// ---- buttons, mouse and wheel ----

void TcxCustomSpinEdit::DoButtonDown(int AButtonVisibleIndex) {
    TcxCustomMaskEdit::DoButtonDown(AButtonVisibleIndex);
    if (AButtonVisibleIndex < 0 || AButtonVisibleIndex >= EditViewInfo().ButtonCount()) return;
    // A spin is pending while a button repeats or a spin key is held.
    if (FRepeatTimer || FPressedSpinButton != 0) return;
    FPressedIndex = EditViewInfo().ButtonsInfo[static_cast<std::size_t>(AButtonVisibleIndex)].Index;
    FPressedSpinButton = FPressedIndex + 1;
    Spin(FPressedIndex);
    if (IsReadOnly() || !DataBinding().CanModify()) return;
    FRepeatTimer = std::make_unique<toolkit::base::TcxTimer>(nullptr);
    FRepeatTimer->SetInterval(cxSpinFirstDelay);
    FRepeatTimer->SetOnTimer([this](pc::TObject*) { RepeatTimerTick(); });
}

void TcxCustomSpinEdit::RepeatTimerTick() {
    FRepeatTimer->SetInterval(cxSpinRepeatInterval);
    if (FPressedIndex >= 0) Spin(FPressedIndex);
}

void TcxCustomSpinEdit::DoButtonUp(int AButtonVisibleIndex) {
    StopSpinning();
    TcxCustomMaskEdit::DoButtonUp(AButtonVisibleIndex);
}

void TcxCustomSpinEdit::StopSpinning() {
    FPressedIndex = -1;
    bool Repaint = FPressedSpinButton != 0;
    FPressedSpinButton = 0;
    // The up and down buttons stop looking pressed at once, before the pointer moves.
    TcxCustomEditViewInfo& V = EditViewInfo();
    for (int I = 0; I < std::min(2, V.ButtonCount()); ++I) {
        TcxEditButtonViewInfo& B = V.ButtonsInfo[static_cast<std::size_t>(I)];
        if (B.State == ebsPressed) {
            B.State = ebsSelected;
            Repaint = true;
        }
    }
    if (Repaint && HandleAllocated()) ShortRefreshContainer(false);
    FRepeatTimer.reset();
    ReleaseEditorCapture();
}

void TcxCustomSpinEdit::ReleaseEditorCapture() {
    if (HandleAllocated() && pw::GetCapture() == Handle()) pw::ReleaseCapture();
}

bool TcxCustomSpinEdit::DoMouseWheel(pf::TShiftState Shift, int WheelDelta, pg::TPoint MousePos) {
    if (IsInplace() && !ActiveProperties().InplaceEditKeysEnabled() && !(Shift & pf::ssCtrl))
        return TcxCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
    Spin(WheelDelta < 0 ? 0 : 1);
    return true;
}

void TcxCustomSpinEdit::DoExit() {
    StopSpinning();
    TcxCustomMaskEdit::DoExit();
}

// ---- TcxSpinEdit ----

const pc::TComponentClass& TcxSpinEdit::ClassRef() {
    static const pc::TComponentClass Class(
        "TcxSpinEdit", &TcxCustomSpinEdit::ClassRef(),
        [](pc::TComponent* AOwner) { return std::make_unique<TcxSpinEdit>(AOwner); });
    return Class;
}

TcxSpinEdit::TcxSpinEdit(pc::TComponent* AOwner, bool AIsInplace)
    : TcxCustomSpinEdit(AOwner, AIsInplace, &TcxSpinEditProperties::ClassRef()) {}

TcxSpinEditProperties& TcxSpinEdit::Properties() const {
    return static_cast<TcxSpinEditProperties&>(TcxCustomSpinEdit::Properties());
}

// ---- TcxSpinEditViewData ----

int cxSpinButtonNativePart(TcxSpinEditButtonsPosition Position, int SpinIndex, int ButtonCount) {
    switch (SpinIndex) {
    case 0:
        return Position == sbpVert ? 2 : 4;
    case 1:
        return Position == sbpVert ? 1 : 3;
    case 2:
        return ButtonCount > 2 ? 4 : 0;
    case 3:
        return ButtonCount > 2 ? 3 : 0;
    default:
        return 0;
    }
}

void TcxSpinEditViewData::Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P,
                                    TcxMouseButton Button, pf::TShiftState Shift,
                                    TcxCustomEditViewInfo& V, bool IsMouseEvent) {
    auto& Props = static_cast<TcxCustomSpinEditProperties&>(Properties);
    if (auto* SV = dynamic_cast<TcxSpinEditViewInfo*>(&V)) {
        SV->Position = Props.SpinButtons().Position();
        SV->ShowFastButtons = Props.SpinButtons().ShowFastButtons();
        SV->ArrowSize = ArrowSize(Canvas);
        const auto* Spin = dynamic_cast<TcxCustomSpinEdit*>(Edit);
        SV->PressedSpinButton = Spin ? Spin->PressedSpinButton() : 0;
    }
    TcxCustomTextEditViewData::Calculate(Canvas, B, P, Button, Shift, V, IsMouseEvent);
    // A button the editor is too small for shows only its part within the editor.
    for (TcxEditButtonViewInfo& Info : V.ButtonsInfo) {
        TRect Inside{};
        if (!pg::IntersectRect(Inside, Info.VisibleBounds, B)) Inside = {};
        Info.VisibleBounds = Inside;
    }
    CalculateNativeInfo(V);
}

bool TcxSpinEditViewData::CanPressButton(TcxCustomEditViewInfo& V, int Index) {
    const auto* SV = dynamic_cast<TcxSpinEditViewInfo*>(&V);
    if (!SV || SV->PressedSpinButton == 0 || Index < 0 || Index >= V.ButtonCount()) return true;
    return SV->PressedSpinButton == V.ButtonsInfo[static_cast<std::size_t>(Index)].Index + 1;
}

bool TcxSpinEditViewData::IsButtonPressed(TcxCustomEditViewInfo& V, int Index) {
    const auto* SV = dynamic_cast<TcxSpinEditViewInfo*>(&V);
    if (!SV || Index < 0 || Index >= V.ButtonCount()) return false;
    return SV->PressedSpinButton == V.ButtonsInfo[static_cast<std::size_t>(Index)].Index + 1;
}

bool TcxSpinEditViewData::IsButtonHidden(TcxCustomEditViewInfo& V, int Index) {
    if (Index < 0 || Index >= V.ButtonCount()) return true;
    const TcxSpinEditButtons& Spin =
        static_cast<TcxCustomSpinEditProperties&>(Properties).SpinButtons();
    const int SpinCount = !Spin.Visible() ? 0 : Spin.ShowFastButtons() ? 4 : 2;
    return V.ButtonsInfo[static_cast<std::size_t>(Index)].Index >= SpinCount;
}

void TcxSpinEditViewData::CalculateButtonViewInfo(TcxCanvas& Canvas, TcxCustomEditViewInfo& V,
                                                  int ButtonIndex, TRect& R) {
    TcxCustomTextEditViewData::CalculateButtonViewInfo(Canvas, V, ButtonIndex, R);
    // The spin buttons' side is their position's, not the edit buttons' own setting; the
    // framework asks for the buttons after the one that placed them all.
    TcxEditButtonViewInfo& B = V.ButtonsInfo[static_cast<std::size_t>(ButtonIndex)];
    B.LeftAlignment =
        static_cast<TcxCustomSpinEditProperties&>(Properties).SpinButtons().Position() ==
            sbpHorzLeftRight &&
        (B.Index == 0 || B.Index == 2);
}

void TcxSpinEditViewData::CalculateNativeInfo(TcxCustomEditViewInfo& V) {
    const TcxSpinEditButtonsPosition Position =
        static_cast<TcxCustomSpinEditProperties&>(Properties).SpinButtons().Position();
    for (TcxEditButtonViewInfo& B : V.ButtonsInfo)
        B.NativePart =
            IsNativeStyle ? cxSpinButtonNativePart(Position, B.Index, V.ButtonCount()) : 0;
}

int TcxSpinEditViewData::ArrowSize(TcxCanvas& Canvas) const {
    return std::max(2, Canvas.FontHeight(Style->GetVisibleFont()) * 2 / 5);
}

int TcxSpinEditViewData::SpinButtonWidth(TcxCanvas& Canvas, TcxCustomEditViewInfo& V) {
    if (!IsNativeStyle) return 4 * ArrowSize(Canvas) - 3;
    // A native button is as wide as half the text row it sits beside.
    const TRect Offsets = GetEditContentDefaultOffsets();
    const TRect Client = GetClientExtent(Canvas, V);
    const TRect Buttons = GetButtonsExtent();
    Canvas.SetFont(Style->GetVisibleFont());
    const int Height = Offsets.Top + Offsets.Bottom + Canvas.TextHeight("Zg") + Client.Top +
                       Client.Bottom - Buttons.Top - Buttons.Bottom - 1;
    return (Height + 1) / 2;
}

int TcxSpinEditViewData::FastButtonWidth(int SpinButtonWidth) {
    return toolkit::base::MulDiv(SpinButtonWidth, 3, 2);
}

void TcxSpinEditViewData::CalculateButtonBounds(TcxCanvas& Canvas, TcxCustomEditViewInfo& V,
                                                TcxEditButtonViewInfo& B, TRect& R) {
    auto& P = static_cast<TcxCustomSpinEditProperties&>(Properties);
    // Every spin button is placed with the last one, the first the framework asks for.
    if (&B != &V.ButtonsInfo.back()) return;
    const int W = SpinButtonWidth(Canvas, V);
    const int WF = FastButtonWidth(W);
    const int WV = CalculateEditDefaultButtonWidth(Canvas, B);
    // The spin buttons are all visible: a button's view index is its spin index (the
    // framework has not yet numbered the ones before the last).
    auto Place = [&](int Index, TRect Bounds) {
        if (Index >= V.ButtonCount()) return;
        TcxEditButtonViewInfo& I = V.ButtonsInfo[static_cast<std::size_t>(Index)];
        I.Bounds = Bounds;
        I.VisibleBounds = Bounds;
    };
    const bool Fast = P.SpinButtons().ShowFastButtons();
    const TcxSpinEditButtonsPosition Pos = P.SpinButtons().Position();
    if (Fast) {
        Place(3, {R.Right - WF, R.Top, R.Right, R.Bottom});
        R.Right -= WF;
    }
    if (Pos == sbpVert) {
        const int Mid = R.Top + (R.Bottom - R.Top) / 2;
        Place(1, {R.Right - WV, R.Top, R.Right, Mid});
        Place(0, {R.Right - WV, Mid, R.Right, R.Bottom});
        R.Right -= WV;
    } else {
        Place(1, {R.Right - W, R.Top, R.Right, R.Bottom});
        R.Right -= W;
    }
    if (Pos == sbpHorzLeftRight) {
        if (Fast) {
            Place(2, {R.Left, R.Top, R.Left + WF, R.Bottom});
            R.Left += WF;
        }
        Place(0, {R.Left, R.Top, R.Left + W, R.Bottom});
        R.Left += W;
    } else {
        if (Pos == sbpHorzRight) {
            Place(0, {R.Right - W, R.Top, R.Right, R.Bottom});
            R.Right -= W;
        }
        if (Fast) {
            Place(2, {R.Right - WF, R.Top, R.Right, R.Bottom});
            R.Right -= WF;
        }
    }
    if (R.Right < R.Left) R.Right = R.Left;
}

// ---- TcxSpinEditViewInfo ----

void TcxSpinEditViewInfo::Assign(const TcxContainerViewInfo& Source) {
    TcxCustomTextEditViewInfo::Assign(Source);
    if (const auto* S = dynamic_cast<const TcxSpinEditViewInfo*>(&Source)) {
        Position = S->Position;
        ShowFastButtons = S->ShowFastButtons;
        ArrowSize = S->ArrowSize;
        PressedSpinButton = S->PressedSpinButton;
    }
}

int TcxSpinEditViewInfo::ViewIndexOf(int SpinIndex) const {
    for (int I = 0; I < ButtonCount(); ++I)
        if (ButtonsInfo[static_cast<std::size_t>(I)].Index == SpinIndex) return I;
    return -1;
}

TRect TcxSpinEditViewInfo::NativeSeparatorRect() const {
    const int Down = ViewIndexOf(0);
    if (!NativeStyle || Down < 0 || Position == sbpHorzLeftRight) return {};
    const TRect& D = ButtonsInfo[static_cast<std::size_t>(Down)].Bounds;
    if (Position == sbpHorzRight) return {D.Left, D.Top, D.Left + 1, D.Bottom};
    return {D.Left, D.Top, D.Right, D.Top + 1};
}

void TcxSpinEditViewInfo::InternalPaint(TcxCanvas& Canvas) {
    TcxCustomTextEditViewInfo::InternalPaint(Canvas);
    const TRect Separator = NativeSeparatorRect();
    if (pg::IsRectEmpty(Separator)) return;
    Canvas.SaveClipRegion();
    Canvas.IntersectClipRect(Bounds);
    Canvas.FillRect(Separator, pg::clBtnShadow);
    Canvas.RestoreClipRegion();
}

bool TcxSpinEditViewInfo::IsStacked(const TcxEditButtonViewInfo& B) const {
    return Position == sbpVert && (B.Index == 0 || B.Index == 1) && ViewIndexOf(0) >= 0 &&
           ViewIndexOf(1) >= 0;
}

TcxEditButtonViewInfo TcxSpinEditViewInfo::StackedButton(const TcxEditButtonViewInfo& B) const {
    TcxEditButtonViewInfo Result = B;
    if (!IsStacked(B)) return Result;
    const TcxEditButtonViewInfo& Lower = ButtonsInfo[static_cast<std::size_t>(ViewIndexOf(0))];
    const TcxEditButtonViewInfo& Upper = ButtonsInfo[static_cast<std::size_t>(ViewIndexOf(1))];
    // The view data marks one of the column's two buttons as its end; the column's left edge
    // is both buttons' left edge.
    Result.LeftEnd = Lower.LeftEnd || Upper.LeftEnd;
    Result.RightEnd = Lower.RightEnd || Upper.RightEnd;
    const bool LowerShows = Lower.State == ebsPressed || Lower.State == ebsSelected;
    const bool UpperShows = Upper.State == ebsPressed || Upper.State == ebsSelected;
    if (B.Index == 0 && Lower.Bounds.Top == Upper.Bounds.Bottom)
        --Result.Bounds.Top;
    else if (B.Index == 1 && LowerShows && !UpperShows)
        // The shared row is the hot lower button's; the upper one, drawn after it, leaves it.
        --Result.Bounds.Bottom;
    return Result;
}

void TcxSpinEditViewInfo::DrawButtonBorderHotFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B,
                                                  TColor& Back, TColor& Text, TRect& R) {
    const TcxEditButtonViewInfo Drawn = StackedButton(B);
    // The hot-flat frame has one colour in every state: the shared row needs no owner.
    TRect Frame = R;
    if (IsStacked(B) && B.Index == 0) Frame.Top = Drawn.Bounds.Top;
    TcxCustomTextEditViewInfo::DrawButtonBorderHotFlat(C, Drawn, Back, Text, Frame);
    R = Frame;
}

void TcxSpinEditViewInfo::DrawButtonBorderUltraFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B,
                                                    bool Office11, TColor& Back, TColor& Text,
                                                    TRect& BackgroundRect, TRect& ContentRect) {
    TcxCustomTextEditViewInfo::DrawButtonBorderUltraFlat(C, StackedButton(B), Office11, Back, Text,
                                                         BackgroundRect, ContentRect);
}

void TcxSpinEditViewInfo::DrawButtonContent(TcxCanvas& Canvas, int Index, const TRect& R,
                                            bool Pressed, TColor TextColor) {
    if (Index < 0 || Index >= ButtonCount()) return;
    const int Kind = ButtonsInfo[static_cast<std::size_t>(Index)].Index;
    const bool Up = Kind == 1 || Kind == 3;
    const TcxArrowDirection Direction = Position == sbpVert && Kind < 2
                                            ? (Up ? toolkit::base::adUp : toolkit::base::adDown)
                                        : Up ? toolkit::base::adRight
                                             : toolkit::base::adLeft;
    const TSize Size = GetArrowSize({R.Right - R.Left, R.Bottom - R.Top}, Direction);
    int S = std::max(1, std::min(Size.cx, Size.cy));
    if (ArrowSize > 0) S = std::min(S, ArrowSize);
    cxDrawArrow(Canvas, S, R, Enabled ? TextColor : platform::gdi::clBtnShadow, Pressed,
                Kind >= 2 ? 1 : 0, Direction);
}

} // namespace toolkit::edit
