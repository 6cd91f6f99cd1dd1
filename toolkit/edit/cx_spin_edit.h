#pragma once
// The spin editor: a number typed as text or stepped by its spin buttons, the arrow and page
// keys and the mouse wheel. A held button steps once at once, again after 400 ms, then every
// 100 ms (the platform clock's timer). Typed text is parsed and corrected, or refused with an
// edit error when the properties ask for exceptions. Stepping locks the change events, so that
// one step fires each of them once.
//
// Keys: Up and Down step by Increment, Page Up and Page Down by LargeIncrement (only with Ctrl
// held when UseCtrlIncrement); '.' and ',' type the decimal separator.

#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/cx_spin_edit_properties.h"
#include "toolkit/edit/cx_text_edit_view.h"

#include "toolkit/base/cx_timer.h"

#include <memory>
#include <string>

namespace toolkit::edit {

class TcxCustomSpinEdit : public TcxCustomMaskEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomSpinEdit(platform::core::TComponent* AOwner, bool AIsInplace = false,
                               const TcxCustomEditPropertiesClass* APropertiesClass = nullptr);
    ~TcxCustomSpinEdit() override;

    TcxCustomSpinEditProperties& Properties() const;
    TcxCustomSpinEditProperties& ActiveProperties() const;

    Variant Value() { return GetValue(); }
    void SetValue(const Variant& Value) { DoSetValue(Value); }
    bool IsTextTyped() const { return FIsTextTyped; }
    bool IsTyping() const { return FIsTyping; }
    // 0 none, else the pressed spin button's index + 1.
    int PressedSpinButton() const { return FPressedSpinButton; }
    // The auto-repeat timer while a button is held; nullptr otherwise.
    toolkit::base::TcxTimer* RepeatTimer() const { return FRepeatTimer.get(); }

    // Button: 0 down, 1 up (Increment), 2 fast down, 3 fast up (LargeIncrement).
    virtual double GetIncrement(int Button);
    virtual Variant GetValue();
    virtual std::string GetDisplayTextOf(const Variant& Value);
    virtual void DoSetValue(const Variant& Value);
    virtual void Spin(int Button);
    // Typed text as a number; unparsable text is corrected to Value, or with raise set and
    // ExceptionOnInvalidInput, raises EcxEditError. Empty text is no value, or 0 clamped into
    // the bounds when the default values provider requires a value.
    Variant TextToValue(const std::string& Text, bool Raise);
    // TextToValue that reports instead of raising: Error is set for unparsable text that no
    // OnGetValue handler mended, with ErrorText "Invalid numeric value" (or the handler's)
    // while ExceptionOnInvalidInput is set, else empty.
    Variant TextToValue(const std::string& Text, std::string& ErrorText, bool& Error);
    void ClampValueToBounds() override;
    void CutToClipboard() override;
    void PasteFromClipboard() override;
    void DeleteSelectedText() override;

protected:
    void SynchronizeDisplayValue() override;
    void SynchronizeEditValue() override;
    void DoEditKeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void DoEditKeyPress(char& Key) override;
    void DoEditKeyUp(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    bool IsValidChar(char Key) override;
    void DoButtonDown(int AButtonVisibleIndex) override;
    void DoButtonUp(int AButtonVisibleIndex) override;
    bool DoMouseWheel(platform::forms::TShiftState Shift, int WheelDelta,
                      platform::gdi::TPoint MousePos) override;
    void DoExit() override;

private:
    // Releases the held look, the repeat timer and the editor's mouse capture.
    void StopSpinning();
    void ReleaseEditorCapture();
    void RepeatTimerTick();
    Variant ZeroClamped() { return ActiveProperties().ClampSpinValue(Variant::Int64(0)); }

    Variant FValue = Variant::Double(0);
    bool FIsTextTyped = false;
    bool FIsTyping = false;
    int FPressedSpinButton = 0;
    int FPressedIndex = -1;
    std::unique_ptr<toolkit::base::TcxTimer> FRepeatTimer;
};

class TcxSpinEdit : public TcxCustomSpinEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxSpinEdit(platform::core::TComponent* AOwner, bool AIsInplace = false);
    TcxSpinEditProperties& Properties() const;
};

// The theme part of a spin button of the "Spin" class drawn natively: down 2 and up 1 when
// stacked, down 4 and up 3 side by side; the fast buttons down 4 and up 3 (0 for none).
int cxSpinButtonNativePart(TcxSpinEditButtonsPosition Position, int SpinIndex, int ButtonCount);

// The spin buttons' layout: all placed at once when the framework asks for the last one, each
// taking its room from the content rectangle and clipped to the editor's bounds; the held
// button drawn pressed. The spin buttons keep their widths: they are never stretched.
class TcxSpinEditViewData : public TcxCustomTextEditViewData {
public:
    using TcxCustomTextEditViewData::TcxCustomTextEditViewData;
    // Records the buttons' position, the arrow size and the held button in the view info first.
    void Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P, TcxMouseButton Button,
                   platform::forms::TShiftState Shift, TcxCustomEditViewInfo& V,
                   bool IsMouseEvent) override;
    // While a spin button is held (a key or the mouse), no other one can be pressed.
    bool CanPressButton(TcxCustomEditViewInfo& V, int Index) override;
    bool IsButtonPressed(TcxCustomEditViewInfo& V, int Index) override;
    // A button the properties hold beyond the spin buttons is not shown.
    bool IsButtonHidden(TcxCustomEditViewInfo& V, int Index) override;
    void CalculateButtonViewInfo(TcxCanvas& Canvas, TcxCustomEditViewInfo& V, int ButtonIndex,
                                 TRect& R) override;
    void CalculateButtonBounds(TcxCanvas& Canvas, TcxCustomEditViewInfo& V,
                               TcxEditButtonViewInfo& Button, TRect& R) override;
    void StretchButtons(TcxCustomEditViewInfo&, int, int) override {}
    // Each spin button's theme part; 0 without the native look.
    void CalculateNativeInfo(TcxCustomEditViewInfo& V);
    // The arrow size from the font: two fifths of its height, at least 2.
    int ArrowSize(TcxCanvas& Canvas) const;
    // 4 arrow sizes less 3; with the native look half the height of a text row, rounded up
    // (visual styles are not offered here, so the native width is never in force).
    int SpinButtonWidth(TcxCanvas& Canvas, TcxCustomEditViewInfo& V);
    // Half as wide again as a spin button, rounded.
    static int FastButtonWidth(int SpinButtonWidth);
};

// Paints arrows (double arrows on the fast buttons) pointing by the buttons' position, no larger
// than the arrow size the view data took from the font; natively drawn buttons get a separator
// line.
class TcxSpinEditViewInfo : public TcxCustomTextEditViewInfo {
public:
    void Assign(const TcxContainerViewInfo& Source) override;
    void DrawButtonContent(TcxCanvas& Canvas, int Index, const TRect& R, bool Pressed,
                           TColor TextColor) override;
    // The native separator: along the left edge of the side-by-side buttons, along the top of
    // the lower stacked one; empty for buttons on both sides and without the native look.
    TRect NativeSeparatorRect() const;

    TcxSpinEditButtonsPosition Position = sbpVert;
    bool ShowFastButtons = false;
    int ArrowSize = 0;
    // As the editor's PressedSpinButton: 0 none, else the held button's index + 1.
    int PressedSpinButton = 0;

protected:
    // The editor, then the native separator within a saved clip region.
    void InternalPaint(TcxCanvas& Canvas) override;
    // Stacked buttons share one line: the lower button's frame starts a row higher, on the
    // upper one's bottom row, so no double line shows between them. The row shows the frame of
    // whichever of the two is hot or pressed. Both border the text on their left when the
    // column does. Other buttons are drawn as any edit button.
    void DrawButtonBorderHotFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B, TColor& Back,
                                 TColor& Text, TRect& R) override;
    void DrawButtonBorderUltraFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B, bool Office11,
                                   TColor& Back, TColor& Text, TRect& BackgroundRect,
                                   TRect& ContentRect) override;

private:
    // The view index of the spin button of SpinIndex; -1 when absent.
    int ViewIndexOf(int SpinIndex) const;
    // B as drawn in the stacked column (see DrawButtonBorderHotFlat); B itself elsewhere.
    TcxEditButtonViewInfo StackedButton(const TcxEditButtonViewInfo& B) const;
    bool IsStacked(const TcxEditButtonViewInfo& B) const;
};

} // namespace toolkit::edit
