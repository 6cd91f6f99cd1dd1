#include "controls/my_edit.h"

#include <algorithm>

namespace controls {

namespace gdi = platform::gdi;

namespace {

constexpr std::uint32_t FirstRepeatMs = 600;
constexpr std::uint32_t RepeatMs = 47;
constexpr int ArrowWidth = 15;

// An 11 x 6 filled black triangle; its outline is in the window colour, which the button
// draws transparent as it does the glyph's background.
void DrawArrowGlyph(forms::TBitmap& glyph, bool up) {
    glyph.SetSize(11, 6);
    auto& canvas = glyph.Canvas();
    canvas.Pen().SetColor(gdi::clWindow);
    canvas.Brush().SetColor(gdi::clBlack);
    if (up)
        canvas.Polygon({{0, 5}, {10, 5}, {5, 0}});
    else
        canvas.Polygon({{0, 0}, {10, 0}, {5, 5}});
}

// The field's text box: shown, never typed in. A press on it gives the focus to the field
// rather than to the box, so no caret ever blinks where typing does nothing.
class TFieldTextBox final : public forms::TEdit {
public:
    explicit TFieldTextBox(forms::TComponent* owner) : forms::TEdit(owner) {
        TabStop = false;
        cursor_ = forms::crDefault;
    }

protected:
    void WndProc(forms::TMessage& message) override {
        switch (message.Msg) {
        case platform::win::WM_LBUTTONDOWN:
        case platform::win::WM_LBUTTONDBLCLK:
        case platform::win::WM_RBUTTONDOWN:
        case platform::win::WM_RBUTTONDBLCLK:
        case platform::win::WM_MBUTTONDOWN:
        case platform::win::WM_MBUTTONDBLCLK:
            if (forms::TWinControl* field = Parent(); field != nullptr && field->CanFocus())
                field->SetFocus();
            return;
        default:
            forms::TEdit::WndProc(message);
        }
    }
};

} // namespace

TMyEdit::TMyEdit(forms::TComponent* owner)
    : forms::TCustomControl(owner), edit_(Own<TFieldTextBox>()), up_(Own<forms::TBitBtn>()),
      down_(Own<forms::TBitBtn>()), timer_(Own<forms::TTimer>()) {
    edit_.SetParent(this);
    TabStop = true;
    width_ = 60;
    height_ = 24;
    for (forms::TBitBtn* arrow : {&up_, &down_}) {
        arrow->SetParent(this);
        arrow->OnMouseDown = [this, arrow](forms::TObject*, forms::TMouseButton, forms::TShiftState,
                                           int, int) { Press(arrow == &up_); };
        arrow->OnMouseUp = [this](forms::TObject*, forms::TMouseButton, forms::TShiftState, int,
                                  int) { Release(); };
        arrow->SetWidth(ArrowWidth);
        DrawArrowGlyph(arrow->Glyph(), arrow == &up_);
    }
    edit_.SetReadOnly(true);
    Layout();
    timer_.SetEnabled(false);
    timer_.SetOnTimer([this](forms::TObject*) { StepOnce(); });
}

void TMyEdit::SetCode(int value) {
    if (value == code_) return;
    code_ = value;
    edit_.SetText(CodeToText());
}

void TMyEdit::SetEditType(TEditType value) {
    if (value == editType_) return;
    editType_ = value;
    Layout();
}

std::string TMyEdit::CodeToText() const {
    return controls::CodeToText(editType_, code_);
}

int TMyEdit::GetMinCode() const {
    return controls::GetMinCode(editType_, Min);
}

int TMyEdit::GetMaxCode() const {
    return controls::GetMaxCode(editType_, Max);
}

void TMyEdit::Layout() {
    edit_.SetText(CodeToText());
    edit_.SetBounds(1, 1, Width() - 2, Height() - 2);
    const int arrowLeft = edit_.Width() - ArrowWidth + 1;
    const int arrowHeight = Height() / 2 - 1;
    up_.SetBounds(arrowLeft, 1, ArrowWidth, arrowHeight);
    down_.SetBounds(arrowLeft, arrowHeight + 1, ArrowWidth, arrowHeight);
}

void TMyEdit::Paint() {
    Layout();
    forms::TCustomControl::Paint();
}

void TMyEdit::Press(bool up) {
    if (up ? GetMaxCode() <= code_ : GetMinCode() >= code_) return;
    goingUp_ = up;
    timer_.SetEnabled(true);
    StepOnce();
    timer_.SetInterval(FirstRepeatMs);
}

void TMyEdit::Release() {
    timer_.SetEnabled(false);
    if (CanFocus()) SetFocus();
    if (OnEndChange) OnEndChange(this);
}

bool TMyEdit::WantsKey(forms::WORD key) const {
    return key == platform::win::VK_UP || key == platform::win::VK_DOWN;
}

void TMyEdit::KeyDown(forms::WORD& key, forms::TShiftState shift) {
    forms::TCustomControl::KeyDown(key, shift);
    if (key != platform::win::VK_UP && key != platform::win::VK_DOWN) return;
    const bool up = key == platform::win::VK_UP;
    key = 0;
    // A key is a press and a release of its arrow at once, without the repeat timer (the key
    // repeats by itself); at a bound nothing happens.
    if (up ? GetMaxCode() <= code_ : GetMinCode() >= code_) return;
    goingUp_ = up;
    StepOnce();
    if (OnEndChange) OnEndChange(this);
}

void TMyEdit::StepOnce() {
    timer_.SetInterval(RepeatMs);
    // A code off the step grid (set by program) stops at the bound instead of passing it.
    if (goingUp_) {
        if (GetMaxCode() <= code_) return;
        code_ = std::min(code_ + Step, GetMaxCode());
    } else {
        if (GetMinCode() >= code_) return;
        code_ = std::max(code_ - Step, GetMinCode());
    }
    edit_.SetText(CodeToText());
    if (Onchange) Onchange(this);
}

} // namespace controls
