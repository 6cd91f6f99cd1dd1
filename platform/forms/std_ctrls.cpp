#include "platform/forms/std_ctrls.h"

#include "platform/forms/canvas_text.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/forms.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/text_out.h"
#include "platform/win/edit_class.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cctype>

namespace platform::forms {

using namespace win;

namespace {

void Fill(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush().SetStyle(gdi::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
}

TColor TextColor(const TControl& control) {
    return control.EnabledWithParents() ? control.Font().Color() : gdi::clGrayText;
}

// A sunken client edge around r; returns what lies inside.
TRect SunkenEdge(TCanvas& canvas, TRect r) {
    gdi::DrawEdge(canvas.Handle(), &r, gdi::EDGE_SUNKEN, gdi::BF_RECT | gdi::BF_ADJUST);
    return r;
}

int TextWidthIn(const TFont& font, const std::string& text) {
    return MeasureText(font, text).cx;
}

} // namespace

gdi::TSize MeasureText(const TFont& font, const std::string& text) {
    TFont copy;
    copy.Assign(font);
    gdi::HDC dc = gdi::CreateCompatibleDC(gdi::NullDC);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, copy.Handle());
    gdi::TSize size;
    gdi::GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (text.empty()) {
        gdi::TEXTMETRIC tm;
        gdi::GetTextMetrics(dc, &tm);
        size.cy = tm.tmHeight;
    }
    gdi::SelectObject(dc, old);
    gdi::DeleteDC(dc);
    return size;
}

// ---- TLabel ----

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    width_ = 65;
    height_ = 13;
    controlStyle_ |= csSetCaption;
}

void TLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetFocusControl(TWinControl* value) {
    if (focusControl_) RemoveFreeNotification(focusControl_);
    focusControl_ = value;
    if (value) FreeNotification(value);
}

void TLabel::Notification(TComponent* component, core::TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == core::opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || WordWrap) return;
    std::string shown = text_;
    if (ShowAccelChar) std::erase(shown, '&');
    gdi::TSize size = MeasureText(font_, shown.empty() ? " " : shown);
    if (shown.empty()) size.cx = 0;
    int left = left_;
    if (Alignment == taRightJustify) left = left_ + width_ - size.cx;
    if (Alignment == taCenter) left = left_ + (width_ - size.cx) / 2;
    SetBounds(left, top_, size.cx, size.cy);
}

void TLabel::Dispatch(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) {
        AdjustBounds();
        Invalidate();
        return;
    }
    TGraphicControl::Dispatch(message);
}

void TLabel::Paint() {
    TRect r = ClientRect();
    if (!transparent_) Fill(canvas_, r, color_);
    UINT format = WordWrap ? gdi::DT_WORDBREAK : gdi::DT_SINGLELINE;
    if (!ShowAccelChar) format |= gdi::DT_NOPREFIX;
    if (Alignment == taCenter) format |= gdi::DT_CENTER;
    if (Alignment == taRightJustify) format |= gdi::DT_RIGHT;
    if (!WordWrap && Layout == tlCenter) format |= gdi::DT_VCENTER;
    if (!WordWrap && Layout == tlBottom) format |= gdi::DT_BOTTOM;
    DrawTransparentText(canvas_, text_, r, format, TextColor(*this));
}

// ---- TGroupBox ----

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
    width_ = 185;
    height_ = 105;
    controlStyle_ |= csAcceptsControls | csSetCaption;
}

void TGroupBox::Paint() {
    TRect r = ClientRect();
    Fill(canvas_, r, color_);
    const int h = MeasureText(font_, "0").cy;
    TRect frame{r.Left, r.Top + h / 2, r.Right, r.Bottom};
    gdi::DrawEdge(canvas_.Handle(), &frame, gdi::EDGE_ETCHED, gdi::BF_RECT);
    if (!text_.empty()) {
        TRect t{8, 0, 8 + TextWidthIn(font_, text_) + 4, h};
        Fill(canvas_, t, color_);
        DrawTransparentText(canvas_, text_, {t.Left + 2, 0, t.Right, h}, gdi::DT_SINGLELINE,
                            TextColor(*this));
    }
}

// ---- TButton ----

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    width_ = 75;
    height_ = 25;
    TabStop = true;
    focusOnClick_ = true;
    controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption;
}

void TButton::Click() {
    TCustomControl::Click();
    // After OnClick, so that the handler may still change or clear the result.
    if (ModalResult != 0)
        if (TCustomForm* form = ParentForm()) form->SetModalResult(ModalResult);
}

void TButton::Dispatch(TMessage& message) {
    if (message.Msg == WM_KILLFOCUS || message.Msg == WM_SETFOCUS) Invalidate();
    TCustomControl::Dispatch(message);
}

void TButton::DrawFace(const TRect& area, bool pressed) {
    TRect r = area;
    if (Default || Focused()) {
        canvas_.Brush().SetColor(gdi::clWindowFrame);
        canvas_.FrameRect(r);
        gdi::InflateRect(r, -1, -1);
    }
    gdi::DrawFrameControl(canvas_.Handle(), &r, gdi::DFC_BUTTON,
                          gdi::DFCS_BUTTONPUSH | (pressed ? UINT(gdi::DFCS_PUSHED) : 0u));
}

void TButton::Paint() {
    TRect r = ClientRect();
    DrawFace(r, pressed_);
    TRect t = r;
    if (pressed_) gdi::OffsetRect(t, 1, 1);
    DrawTransparentText(canvas_, text_, t, gdi::DT_SINGLELINE | gdi::DT_CENTER | gdi::DT_VCENTER,
                        EnabledWithParents() ? gdi::clBtnText : gdi::clGrayText);
    if (Focused()) {
        TRect f = r;
        gdi::InflateRect(f, -4, -4);
        canvas_.DrawFocusRect(f);
    }
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        pressed_ = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y) {
    if (PressedInside()) {
        const bool inside = gdi::PtInRect(ClientRect(), {x, y});
        if (inside != pressed_) {
            pressed_ = inside;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        spaceDown_ = true;
        pressed_ = true;
        Invalidate();
    }
}

void TButton::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE && spaceDown_) {
        spaceDown_ = false;
        pressed_ = false;
        Invalidate();
        Click();
    }
}

bool TButton::WantsKey(WORD) const {
    return false;
}

// ---- TCheckBox ----

namespace {

// Raised while a change of state fires Click, so that Click reports the change instead of
// making another one; lowered however Click ends.
class ClickingFromState {
public:
    explicit ClickingFromState(bool& flag) : flag_(flag) { flag_ = true; }
    ~ClickingFromState() { flag_ = false; }
    ClickingFromState(const ClickingFromState&) = delete;
    ClickingFromState& operator=(const ClickingFromState&) = delete;

private:
    bool& flag_;
};

void PaintCheckLike(TCanvas& canvas, const TControl& control, TColor color, UINT kind, bool checked,
                    bool grayed, TAlignment alignment) {
    TRect r = control.ClientRect();
    Fill(canvas, r, color);
    constexpr int box = 13;
    const int top = (r.Height() - box) / 2;
    TRect b = alignment == taRightJustify ? TRect{0, top, box, top + box}
                                          : TRect{r.Right - box, top, r.Right, top + box};
    UINT state = kind | (checked || grayed ? UINT(gdi::DFCS_CHECKED) : 0u);
    if (!control.EnabledWithParents() || grayed) state |= gdi::DFCS_INACTIVE;
    gdi::DrawFrameControl(canvas.Handle(), &b, gdi::DFC_BUTTON, state);
    TRect t = alignment == taRightJustify ? TRect{box + 4, 0, r.Right, r.Bottom}
                                          : TRect{0, 0, r.Right - box - 4, r.Bottom};
    DrawTransparentText(canvas, control.Caption(), t, gdi::DT_SINGLELINE | gdi::DT_VCENTER,
                        TextColor(control));
}

} // namespace

TCheckBox::TCheckBox(TComponent* owner) : TCustomControl(owner) {
    width_ = 97;
    height_ = 17;
    TabStop = true;
    focusOnClick_ = true;
    controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption;
}

void TCheckBox::SetState(TCheckBoxState value) {
    if (value == state_) return;
    state_ = value;
    Invalidate();
    const ClickingFromState clicking(clicking_);
    Click();
}

void TCheckBox::Toggle() {
    switch (state_) {
    case cbUnchecked:
        SetState(AllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCheckBox::Click() {
    if (clicking_)
        TCustomControl::Click();
    else
        Toggle();
}

void TCheckBox::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE) Toggle();
}

void TCheckBox::Paint() {
    PaintCheckLike(canvas_, *this, color_, gdi::DFCS_BUTTONCHECK, state_ == cbChecked,
                   state_ == cbGrayed, Alignment);
}

// ---- TRadioButton ----

TRadioButton::TRadioButton(TComponent* owner) : TCustomControl(owner) {
    width_ = 113;
    height_ = 17;
    focusOnClick_ = true;
    controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption;
}

void TRadioButton::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    TabStop = value;
    Invalidate();
    if (!value) return;
    if (parent_)
        for (int i = 0; i < parent_->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent_->Controls(i));
                other && other != this && other->checked_) {
                other->checked_ = false;
                other->TabStop = false;
                other->Invalidate();
            }
    const ClickingFromState clicking(clicking_);
    Click();
}

void TRadioButton::Click() {
    if (clicking_)
        TCustomControl::Click();
    else
        SetChecked(true);
}

void TRadioButton::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE) SetChecked(true);
}

void TRadioButton::Paint() {
    PaintCheckLike(canvas_, *this, color_, gdi::DFCS_BUTTONRADIO, checked_, false, Alignment);
}

// ---- TEdit ----

namespace {

LRESULT Send(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return core::SendMessage(wnd, msg, wParam, lParam);
}

DWORD CharCaseStyle(TEditCharCase value) {
    return value == ecUpperCase ? ES_UPPERCASE : value == ecLowerCase ? ES_LOWERCASE : 0;
}

std::string InCase(std::string text, TEditCharCase charCase) {
    for (char& c : text) {
        if (charCase == ecUpperCase)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (charCase == ecLowerCase)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

TEdit::TEdit(TComponent* owner) : TCustomControl(owner) {
    width_ = 121;
    height_ = 21;
    color_ = gdi::clWindow;
    TabStop = true;
    focusOnClick_ = true;
    controlStyle_ = csCaptureMouse | csClickEvents | csDoubleClicks | csSetCaption;
    cursor_ = crIBeam;
}

void TEdit::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    CreateSubClass(params, EditClassName);
    params.className = "TEdit";
    params.style |= ES_AUTOHSCROLL | CharCaseStyle(charCase_);
    if (readOnly_) params.style |= ES_READONLY;
}

void TEdit::CreateWnd() {
    TCustomControl::CreateWnd();
    Send(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
    Send(handle_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_));
    Send(handle_, EM_SETMODIFY, modified_ ? 1 : 0);
    UpdateFormat();
    SetSel(selStart_, selLength_);
}

// The class measures and scrolls the line in the rectangle the library paints it in.
void TEdit::UpdateFormat() {
    if (!HandleAllocated()) return;
    Send(handle_, WM_SETFONT, static_cast<WPARAM>(font_.Handle()), 0);
    TRect e = EditRect();
    e.Right = std::max(e.Left, e.Right);
    Send(handle_, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&e));
}

int TEdit::MaxLength() const {
    if (!HandleAllocated()) return maxLength_;
    const auto limit = static_cast<int>(Send(handle_, EM_GETLIMITTEXT));
    return limit >= EditMaximumLimit ? 0 : limit;
}

void TEdit::SetMaxLength(int value) {
    maxLength_ = std::max(0, value);
    if (HandleAllocated()) Send(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

bool TEdit::ReadOnly() const {
    if (!HandleAllocated()) return readOnly_;
    return (static_cast<DWORD>(GetWindowLong(handle_, GWL_STYLE)) & ES_READONLY) != 0;
}

void TEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (HandleAllocated()) Send(handle_, EM_SETREADONLY, value ? 1 : 0);
}

char TEdit::PasswordChar() const {
    if (!HandleAllocated()) return passwordChar_;
    return static_cast<char>(Send(handle_, EM_GETPASSWORDCHAR));
}

void TEdit::SetPasswordChar(char value) {
    passwordChar_ = value;
    if (HandleAllocated()) Send(handle_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(value));
    Invalidate();
}

void TEdit::SetCharCase(TEditCharCase value) {
    charCase_ = value;
    if (!HandleAllocated()) return;
    const auto style = static_cast<DWORD>(GetWindowLong(handle_, GWL_STYLE));
    SetWindowLong(handle_, GWL_STYLE,
                  static_cast<std::intptr_t>((style & ~(ES_UPPERCASE | ES_LOWERCASE)) |
                                             CharCaseStyle(value)));
}

bool TEdit::Modified() const {
    if (!HandleAllocated()) return modified_;
    return Send(handle_, EM_GETMODIFY) != 0;
}

void TEdit::SetModified(bool value) {
    modified_ = value;
    if (HandleAllocated()) Send(handle_, EM_SETMODIFY, value ? 1 : 0);
}

int TEdit::SelStart() const {
    if (!HandleAllocated()) return selStart_;
    DWORD from = 0;
    Send(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), 0);
    return static_cast<int>(from);
}

int TEdit::SelLength() const {
    if (!HandleAllocated()) return selLength_;
    DWORD from = 0, to = 0;
    Send(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return static_cast<int>(to - from);
}

void TEdit::SetSel(int start, int count) {
    const int length = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, length);
    selLength_ = std::clamp(count, 0, length - selStart_);
    if (HandleAllocated())
        Send(handle_, EM_SETSEL, static_cast<WPARAM>(selStart_),
             static_cast<LPARAM>(selStart_ + selLength_));
    Invalidate();
}

void TEdit::SetSelStart(int value) {
    SetSel(value, 0);
}

void TEdit::SetSelLength(int value) {
    SetSel(SelStart(), value);
}

std::string TEdit::SelText() const {
    const int start = std::min(SelStart(), static_cast<int>(text_.size()));
    return text_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(SelLength()));
}

void TEdit::SelectAll() {
    SetSel(0, static_cast<int>(text_.size()));
}

void TEdit::SetText(const std::string& value) {
    if (value == text_) return;
    if (!HandleAllocated()) {
        TCustomControl::SetText(value);
        return;
    }
    const int start = SelStart();
    const int count = SelLength();
    const bool modified = Modified();
    // The class's EN_CHANGE tells the change (CN_COMMAND).
    TCustomControl::SetText(value);
    if (!HandleAllocated()) return;
    SetModified(modified);
    SetSel(start, count);
}

void TEdit::Change() {
    if (OnChange) OnChange(this);
}

bool TEdit::InText(TPoint) const {
    return true;
}

void TEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(static_cast<std::uintptr_t>(message.WParam)) == EN_CHANGE) {
            text_ = GetWindowText(handle_);
            Invalidate();
            Change();
        }
        return;
    case CM_TEXTCHANGED:
        selStart_ = std::min(selStart_, static_cast<int>(text_.size()));
        selLength_ = std::min(selLength_, static_cast<int>(text_.size()) - selStart_);
        Invalidate();
        // With a window the class has told the change already.
        if (!HandleAllocated()) Change();
        return;
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        UpdateFormat();
        return;
    case WM_SIZE:
        DefaultHandler(message);
        UpdateFormat();
        return;
    case WM_PASTE:
        PasteText();
        return;
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_SETCURSOR:
    case WM_TIMER:
        // The library paints; the class's blinking caret is drawn steady.
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const bool inText = InText(LParamToPoint(message.LParam));
        TCustomControl::Dispatch(message);
        // Focus arrived (and AutoSelect selected all) before; the press places the caret.
        if (inText && HandleAllocated()) DefaultHandler(message);
        return;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        TCustomControl::Dispatch(message);
        if (HandleAllocated()) DefaultHandler(message);
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

void TEdit::DoEnter() {
    if (AutoSelect) SelectAll();
    TCustomControl::DoEnter();
}

TRect TEdit::EditRect() const {
    TRect r = ClientRect();
    if (BorderStyle == bsSingleBorder) gdi::InflateRect(r, -2, -2);
    return {r.Left + 1, r.Top, r.Right - 1, r.Bottom};
}

std::string TEdit::DisplayText() const {
    if (const char c = PasswordChar()) return std::string(text_.size(), c);
    return text_;
}

void TEdit::Paint() {
    UpdateFormat();
    TRect r = ClientRect();
    if (BorderStyle == bsSingleBorder) r = SunkenEdge(canvas_, r);
    Fill(canvas_, r, EnabledWithParents() ? color_ : gdi::clBtnFace);
    TRect e = EditRect();
    const std::string shown = DisplayText();
    const int lineHeight = MeasureText(font_, "0").cy;
    const int top = e.Top + std::max(0, (e.Height() - lineHeight) / 2);
    const auto widthTo = [&](int chars) {
        return TextWidthIn(font_, shown.substr(0, static_cast<std::size_t>(chars)));
    };
    // The class scrolls the line to keep the caret in view; its first character tells how far.
    const auto origin = Send(handle_, EM_POSFROMCHAR, 0);
    const int x = origin == -1
                      ? e.Left
                      : static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(origin)));
    const int selStart = SelStart();
    const int selLength = SelLength();
    const int saved = gdi::SaveDC(canvas_.Handle());
    gdi::IntersectClipRect(canvas_.Handle(), e.Left, e.Top, e.Right, e.Bottom);
    DrawTransparentText(canvas_, shown,
                        {x, top, x + widthTo(static_cast<int>(shown.size())) + 1, top + lineHeight},
                        gdi::DT_SINGLELINE | gdi::DT_NOPREFIX, TextColor(*this));
    if (Focused()) {
        const int x0 = x + widthTo(selStart);
        if (selLength > 0) {
            const int x1 = x + widthTo(selStart + selLength);
            TRect sel{x0, top, x1, top + lineHeight};
            Fill(canvas_, sel, gdi::clHighlight);
            DrawTransparentText(canvas_,
                                shown.substr(static_cast<std::size_t>(selStart),
                                             static_cast<std::size_t>(selLength)),
                                sel, gdi::DT_SINGLELINE | gdi::DT_NOPREFIX, gdi::clHighlightText);
        } else {
            Fill(canvas_, {x0, top, x0 + 1, top + lineHeight}, gdi::clWindowText);
        }
    }
    gdi::RestoreDC(canvas_.Handle(), saved);
    canvas_.Refresh();
}

bool TEdit::AcceptInput(const std::string& text) const {
    return !ReadOnly() && !text.empty();
}

void TEdit::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    const unsigned char c = static_cast<unsigned char>(key);
    // Control characters are the class's editing keys; what is typed the control may refuse.
    if (c >= 32 && c != 127 && !AcceptInput(std::string(1, key))) key = 0;
}

// Pasted lines are joined into the one line.
void TEdit::PasteText() {
    if (ReadOnly()) return;
    std::string pasted = Clipboard().AsText();
    std::erase_if(pasted, [](char ch) { return ch == '\r' || ch == '\n'; });
    if (!AcceptInput(pasted)) return;
    Send(handle_, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(InCase(pasted, charCase_).c_str()));
}

// ---- TMemo ----

TMemo::TMemo(TComponent* owner) : TCustomControl(owner) {
    width_ = 185;
    height_ = 89;
    color_ = gdi::clWindow;
    TabStop = true;
    focusOnClick_ = true;
    cursor_ = crIBeam;
    lines_.OnChange = [this] { LinesChanged(); };
}

void TMemo::LinesChanged() {
    if (updating_) return;
    updating_ = true;
    std::string text = lines_.Text();
    if (text.size() >= 2) text.resize(text.size() - 2);
    TCustomControl::SetText(text);
    caret_ = static_cast<int>(text_.size());
    updating_ = false;
    ScrollToCaret();
    Invalidate();
    if (OnChange) OnChange(this);
}

void TMemo::Dispatch(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED) {
        if (!updating_) {
            updating_ = true;
            lines_.SetText(text_);
            caret_ = static_cast<int>(text_.size());
            updating_ = false;
            ScrollToCaret();
            Invalidate();
            if (OnChange) OnChange(this);
        }
        return;
    }
    if (message.Msg == WM_MOUSEWHEEL) {
        // Three lines a notch; the caret stays where it is.
        SetTopLine(topLine_ - GET_WHEEL_DELTA_WPARAM(message.WParam) * 3 / WHEEL_DELTA);
        message.Result = 1;
        return;
    }
    TCustomControl::Dispatch(message);
}

bool TMemo::WantsKey(WORD key) const {
    switch (key) {
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        return true;
    default:
        return false;
    }
}

namespace {

// The length of the line break at offset, 0 when none starts there.
int BreakAt(const std::string& text, int offset) {
    const auto at = static_cast<std::size_t>(offset);
    if (at >= text.size()) return 0;
    if (text.compare(at, 2, "\r\n") == 0) return 2;
    return text[at] == '\r' || text[at] == '\n' ? 1 : 0;
}

// The length of the line break that ends just before offset, 0 when none.
int BreakBefore(const std::string& text, int offset) {
    if (offset >= 2 && text.compare(static_cast<std::size_t>(offset - 2), 2, "\r\n") == 0) return 2;
    if (offset < 1) return 0;
    const char c = text[static_cast<std::size_t>(offset - 1)];
    return c == '\r' || c == '\n' ? 1 : 0;
}

// The sunken edge and the margin above the first line.
constexpr int MemoTextTop = 3;

} // namespace

void TMemo::SetSelStart(int value) {
    value = std::clamp(value, 0, static_cast<int>(text_.size()));
    // Inside CR LF the caret goes back to the line's end.
    if (value > 0 && value < static_cast<int>(text_.size()) && text_[value - 1] == '\r' &&
        text_[value] == '\n')
        --value;
    if (value == caret_) return;
    caret_ = value;
    ScrollToCaret();
    Invalidate();
}

void TMemo::SetScrollBars(TScrollStyle value) {
    if (value == scrollBars_) return;
    scrollBars_ = value;
    Invalidate();
}

int TMemo::LineHeight() const {
    return std::max(1, MeasureText(font_, "0").cy);
}

int TMemo::VisibleLineCount() const {
    // The sunken edge takes two pixels at the top and two at the bottom, the text a margin of one.
    return std::max(1, (ClientHeight() - 5) / LineHeight());
}

int TMemo::LineCount() const {
    int count = 1;
    for (int at = 0; at < static_cast<int>(text_.size());) {
        const int length = BreakAt(text_, at);
        if (length > 0) {
            ++count;
            at += length;
        } else {
            ++at;
        }
    }
    return count;
}

void TMemo::SetTopLine(int value) {
    value = std::clamp(value, 0, std::max(0, LineCount() - VisibleLineCount()));
    if (value == topLine_) return;
    topLine_ = value;
    Invalidate();
}

int TMemo::StartOfLine(int index) const {
    int offset = 0;
    for (int line = 0; line < index; ++line) {
        const int end = LineEnd(offset);
        if (end >= static_cast<int>(text_.size())) return static_cast<int>(text_.size());
        offset = end + BreakAt(text_, end);
    }
    return offset;
}

int TMemo::LineOf(int offset) const {
    int line = 0;
    for (int at = 0; at < offset && at < static_cast<int>(text_.size());) {
        const int length = BreakAt(text_, at);
        if (length > 0) {
            if (at + length > offset) break;
            ++line;
            at += length;
        } else {
            ++at;
        }
    }
    return line;
}

void TMemo::ScrollToCaret() {
    const int line = LineOf(caret_);
    if (line < topLine_)
        SetTopLine(line);
    else if (line >= topLine_ + VisibleLineCount())
        SetTopLine(line - VisibleLineCount() + 1);
    else
        SetTopLine(topLine_);
}

void TMemo::Resize() {
    // A taller box shows more of the end; the caret stays in view.
    SetTopLine(topLine_);
    ScrollToCaret();
    TCustomControl::Resize();
}

int TMemo::LineStart(int offset) const {
    while (offset > 0 && text_[offset - 1] != '\n' && text_[offset - 1] != '\r')
        --offset;
    return offset;
}

int TMemo::LineEnd(int offset) const {
    while (offset < static_cast<int>(text_.size()) && BreakAt(text_, offset) == 0)
        ++offset;
    return offset;
}

int TMemo::OffsetAtX(int lineStart, int x) const {
    const int lineEnd = LineEnd(lineStart);
    const auto width = [&](int to) {
        return TextWidthIn(font_, text_.substr(static_cast<std::size_t>(lineStart),
                                               static_cast<std::size_t>(to - lineStart)));
    };
    for (int i = lineStart; i < lineEnd; ++i)
        if (x < (width(i) + width(i + 1)) / 2) return i;
    return lineEnd;
}

void TMemo::CaretToLine(int index) {
    index = std::clamp(index, 0, LineCount() - 1);
    const int lineStart = LineStart(caret_);
    const int x = TextWidthIn(font_, text_.substr(static_cast<std::size_t>(lineStart),
                                                  static_cast<std::size_t>(caret_ - lineStart)));
    SetSelStart(OffsetAtX(StartOfLine(index), x));
}

void TMemo::Edit(int from, int count, const std::string& text) {
    std::string next = text_;
    next.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(count), text);
    SetText(next);
    SetSelStart(from + static_cast<int>(text.size()));
}

bool TMemo::HasVerticalBar() const {
    return (scrollBars_ == ssVertical || scrollBars_ == ssBoth) && LineCount() > VisibleLineCount();
}

TRect TMemo::VerticalBar() const {
    // Inside the sunken edge.
    const int width = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    return {ClientWidth() - 2 - width, 2, ClientWidth() - 2, ClientHeight() - 2};
}

TRect TMemo::ThumbRect() const {
    const TRect bar = VerticalBar();
    const int arrow = bar.Width();
    const int track = std::max(0, bar.Height() - 2 * arrow);
    const int shown = VisibleLineCount();
    const int size = std::min(track, std::max(8, track * shown / std::max(1, LineCount())));
    const int range = std::max(1, LineCount() - shown);
    const int top = bar.Top + arrow + (track - size) * topLine_ / range;
    return {bar.Left, top, bar.Right, top + size};
}

void TMemo::Paint() {
    TRect r = SunkenEdge(canvas_, ClientRect());
    Fill(canvas_, r, color_);
    const bool bar = HasVerticalBar();
    if (bar) r.Right = VerticalBar().Left;
    const int lineHeight = LineHeight();
    const int length = static_cast<int>(text_.size());
    int y = r.Top + 1;
    for (int lineStart = StartOfLine(topLine_); y < r.Bottom; y += lineHeight) {
        const int lineEnd = LineEnd(lineStart);
        const std::string line = text_.substr(static_cast<std::size_t>(lineStart),
                                              static_cast<std::size_t>(lineEnd - lineStart));
        DrawTransparentText(canvas_, line, {r.Left + 2, y, r.Right - 2, y + lineHeight},
                            gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_EXPANDTABS,
                            TextColor(*this));
        if (Focused() && caret_ >= lineStart && caret_ <= lineEnd) {
            const int x =
                r.Left + 2 +
                TextWidthIn(font_, line.substr(0, static_cast<std::size_t>(caret_ - lineStart)));
            Fill(canvas_, {x, y, x + 1, y + lineHeight}, gdi::clWindowText);
        }
        if (lineEnd >= length) break;
        lineStart = lineEnd + BreakAt(text_, lineEnd);
    }
    if (!bar) return;
    const TRect track = VerticalBar();
    Fill(canvas_, track, gdi::clScrollBar);
    const int arrow = track.Width();
    TRect up{track.Left, track.Top, track.Right, track.Top + arrow};
    TRect down{track.Left, track.Bottom - arrow, track.Right, track.Bottom};
    gdi::DrawFrameControl(canvas_.Handle(), &up, gdi::DFC_SCROLL, gdi::DFCS_SCROLLUP);
    gdi::DrawFrameControl(canvas_.Handle(), &down, gdi::DFC_SCROLL, gdi::DFCS_SCROLLDOWN);
    TRect thumb = ThumbRect();
    Fill(canvas_, thumb, gdi::clBtnFace);
    gdi::DrawEdge(canvas_.Handle(), &thumb, gdi::EDGE_RAISED, gdi::BF_RECT);
}

void TMemo::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const bool ctrl = (shift & ssCtrl) != 0;
    switch (key) {
    case VK_LEFT:
        SetSelStart(caret_ - std::max(1, BreakBefore(text_, caret_)));
        break;
    case VK_RIGHT:
        SetSelStart(caret_ + std::max(1, BreakAt(text_, caret_)));
        break;
    case VK_UP:
        CaretToLine(LineOf(caret_) - 1);
        break;
    case VK_DOWN:
        CaretToLine(LineOf(caret_) + 1);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        // A page moves the view and the caret together.
        const int page = std::max(1, VisibleLineCount() - 1) * (key == VK_PRIOR ? -1 : 1);
        SetTopLine(topLine_ + page);
        CaretToLine(LineOf(caret_) + page);
        break;
    }
    case VK_HOME:
        SetSelStart(ctrl ? 0 : LineStart(caret_));
        break;
    case VK_END:
        SetSelStart(ctrl ? static_cast<int>(text_.size()) : LineEnd(caret_));
        break;
    case VK_DELETE:
        if (!ReadOnly && caret_ < static_cast<int>(text_.size()))
            Edit(caret_, std::max(1, BreakAt(text_, caret_)), "");
        break;
    default:
        break;
    }
}

void TMemo::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    if (ReadOnly || key == 0) return;
    if (key == '\r')
        Edit(caret_, 0, "\r\n");
    else if (key == 8) {
        if (caret_ > 0) {
            const int count = std::max(1, BreakBefore(text_, caret_));
            Edit(caret_ - count, count, "");
        }
    } else if (static_cast<unsigned char>(key) >= 32)
        Edit(caret_, 0, std::string(1, key));
}

void TMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && HasVerticalBar() && x >= VerticalBar().Left) {
        const TRect bar = VerticalBar();
        const int arrow = bar.Width();
        const int page = std::max(1, VisibleLineCount() - 1);
        if (y < bar.Top + arrow)
            SetTopLine(topLine_ - 1);
        else if (y >= bar.Bottom - arrow)
            SetTopLine(topLine_ + 1);
        else if (y < ThumbRect().Top)
            SetTopLine(topLine_ - page);
        else if (y >= ThumbRect().Bottom)
            SetTopLine(topLine_ + page);
        TCustomControl::MouseDown(button, shift, x, y);
        return;
    }
    if (button == mbLeft) {
        const int row = std::max(0, (y - MemoTextTop) / LineHeight());
        const int index = std::min(topLine_ + row, LineCount() - 1);
        SetSelStart(OffsetAtX(StartOfLine(index), x - 4));
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

// ---- TListBox ----

namespace {

// Ids tell the window's WM_MEASUREITEM apart from its siblings'; they run round past 16 bits.
std::intptr_t NextListBoxId() {
    static std::intptr_t next = 0;
    next = next % 0xF000 + 1;
    return 0x0FFF + next;
}

} // namespace

TListBox::TListBox(TComponent* owner) : TCustomControl(owner) {
    width_ = 121;
    height_ = 97;
    color_ = gdi::clWindow;
    TabStop = true;
    focusOnClick_ = true;
    // The window reports clicks and double clicks; a press alone is no click.
    controlStyle_ &= ~(csClickEvents | csDoubleClicks);
    items_.OnChange = [this] { ItemsChanged(); };
}

LRESULT TListBox::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return core::SendMessage(handle_, msg, wParam, lParam);
}

win::DWORD TListBox::WindowStyle() const {
    win::DWORD style = WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    style |= Style == lbOwnerDrawVariable ? LBS_OWNERDRAWVARIABLE : LBS_OWNERDRAWFIXED;
    if (MultiSelect) style |= ExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    return style;
}

void TListBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    RegisterListBoxClass();
    CreateSubClass(params, WC_LISTBOX);
    params.className = "TListBox";
    params.style |= WindowStyle();
    params.exStyle |= WS_EX_CLIENTEDGE;
    params.id = NextListBoxId();
}

void TListBox::CreateWnd() {
    TCustomControl::CreateWnd();
    if (Style != lbOwnerDrawVariable) Send(LB_SETITEMHEIGHT, 0, itemHeight_);
    windowItems_.clear();
    const std::vector<bool> selected = selected_;
    const int itemIndex = itemIndex_;
    const int top = topIndex_;
    SyncWindowItems();
    if (MultiSelect) {
        for (int i = 0; i < static_cast<int>(selected.size()) && i < items_.Count(); ++i)
            if (selected[static_cast<std::size_t>(i)]) Send(LB_SETSEL, 1, i);
        if (itemIndex >= 0) Send(LB_SETCARETINDEX, static_cast<WPARAM>(itemIndex));
    } else {
        Send(LB_SETCURSEL, static_cast<WPARAM>(itemIndex));
    }
    Send(LB_SETTOPINDEX, static_cast<WPARAM>(top));
}

void TListBox::DestroyWnd() {
    SaveState();
    TCustomControl::DestroyWnd();
}

void TListBox::SaveState() {
    if (!HasWindow() || syncing_) return;
    itemIndex_ = static_cast<int>(Send(LB_GETCURSEL));
    topIndex_ = static_cast<int>(Send(LB_GETTOPINDEX));
    const int count = static_cast<int>(Send(LB_GETCOUNT));
    selected_.assign(static_cast<std::size_t>(std::max(count, 0)), false);
    for (int i = 0; i < count; ++i)
        selected_[static_cast<std::size_t>(i)] = Send(LB_GETSEL, static_cast<WPARAM>(i)) > 0;
}

void TListBox::FollowStyle() {
    if (!HasWindow()) return;
    constexpr win::DWORD kinds =
        LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_MULTIPLESEL | LBS_EXTENDEDSEL;
    const auto now = static_cast<win::DWORD>(GetWindowLong(handle_, GWL_STYLE));
    if ((now & kinds) == (WindowStyle() & kinds)) return;
    SaveState();
    RecreateWnd();
}

void TListBox::SyncWindowItems() {
    const int oldCount = static_cast<int>(windowItems_.size());
    const int newCount = items_.Count();
    int head = 0;
    while (head < oldCount && head < newCount &&
           windowItems_[static_cast<std::size_t>(head)] == items_[head])
        ++head;
    int tail = 0;
    while (tail < oldCount - head && tail < newCount - head &&
           windowItems_[static_cast<std::size_t>(oldCount - 1 - tail)] ==
               items_[newCount - 1 - tail])
        ++tail;
    const int removed = oldCount - head - tail;
    const int added = newCount - head - tail;
    if (removed == 0 && added == 0) return;
    const bool quiet = removed + added > 1;
    if (quiet) Send(WM_SETREDRAW, 0);
    for (int i = 0; i < removed; ++i)
        Send(LB_DELETESTRING, static_cast<WPARAM>(head));
    for (int i = 0; i < added; ++i)
        Send(LB_INSERTSTRING, static_cast<WPARAM>(head + i),
             reinterpret_cast<LPARAM>(items_[head + i].c_str()));
    if (quiet) Send(WM_SETREDRAW, 1);
    windowItems_.clear();
    for (int i = 0; i < newCount; ++i)
        windowItems_.push_back(items_[i]);
}

// The selection stays at the same places while the items change, as it always has here: an
// index past the end goes.
void TListBox::ItemsChanged() {
    FollowStyle();
    SaveState();
    selected_.resize(static_cast<std::size_t>(items_.Count()), false);
    if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, items_.Count() - 1));
    if (!HasWindow()) return;
    syncing_ = true;
    SyncWindowItems();
    if (MultiSelect) {
        for (int i = 0; i < items_.Count(); ++i)
            if ((Send(LB_GETSEL, static_cast<WPARAM>(i)) > 0) !=
                selected_[static_cast<std::size_t>(i)])
                Send(LB_SETSEL, selected_[static_cast<std::size_t>(i)] ? 1 : 0, i);
        if (itemIndex_ >= 0) Send(LB_SETCARETINDEX, static_cast<WPARAM>(itemIndex_));
    } else if (Send(LB_GETCURSEL) != itemIndex_) {
        Send(LB_SETCURSEL, static_cast<WPARAM>(itemIndex_));
    }
    Send(LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_));
    syncing_ = false;
}

void TListBox::Clear() {
    items_.Clear();
    SetTopIndex(0);
}

int TListBox::ItemIndex() const {
    return HasWindow() ? static_cast<int>(Send(LB_GETCURSEL)) : itemIndex_;
}

void TListBox::SetItemIndex(int value) {
    FollowStyle();
    if (value < -1 || value >= items_.Count()) value = -1;
    if (value == ItemIndex()) return;
    if (!HasWindow()) {
        itemIndex_ = value;
        if (!MultiSelect) std::fill(selected_.begin(), selected_.end(), false);
        if (value >= 0) selected_[static_cast<std::size_t>(value)] = true;
        return;
    }
    if (!MultiSelect) {
        Send(LB_SETCURSEL, static_cast<WPARAM>(value));
    } else if (value >= 0) {
        Send(LB_SETSEL, 1, value);
        Send(LB_SETCARETINDEX, static_cast<WPARAM>(value));
    }
}

void TListBox::SetItemHeight(int value) {
    if (value > 0) itemHeight_ = value;
    if (HasWindow() && Style != lbOwnerDrawVariable) Send(LB_SETITEMHEIGHT, 0, itemHeight_);
    Invalidate();
}

int TListBox::TopIndex() const {
    return HasWindow() ? static_cast<int>(Send(LB_GETTOPINDEX)) : topIndex_;
}

void TListBox::SetTopIndex(int value) {
    value = std::clamp(value, 0, std::max(0, items_.Count() - 1));
    if (!HasWindow()) {
        topIndex_ = value;
        return;
    }
    Send(LB_SETTOPINDEX, static_cast<WPARAM>(value));
}

bool TListBox::Selected(int index) const {
    if (index < 0 || index >= items_.Count()) return false;
    if (!HasWindow())
        return index < static_cast<int>(selected_.size()) &&
               selected_[static_cast<std::size_t>(index)];
    return Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

void TListBox::SetSelected(int index, bool value) {
    FollowStyle();
    if (index < 0 || index >= items_.Count()) return;
    if (!MultiSelect) {
        if (value) {
            SetItemIndex(index);
        } else if (ItemIndex() == index) {
            if (HasWindow()) Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
            itemIndex_ = -1;
        }
        return;
    }
    if (!HasWindow()) {
        selected_.resize(static_cast<std::size_t>(items_.Count()), false);
        selected_[static_cast<std::size_t>(index)] = value;
        return;
    }
    Send(LB_SETSEL, value ? 1 : 0, index);
}

TRect TListBox::ItemRect(int index) const {
    TRect r;
    if (HasWindow() &&
        Send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        return r;
    // Rows past the last one lie below it at the fixed height.
    const int top = TopIndex();
    return {0, (index - top) * itemHeight_, ClientWidth(), (index - top + 1) * itemHeight_};
}

int TListBox::ItemAtPos(TPoint p, bool existing) const {
    const int count = items_.Count();
    const int top = TopIndex();
    if (p.Y < 0) return existing ? -1 : top;
    int index = top + p.Y / itemHeight_;
    if (HasWindow() && count > 0) {
        // The window knows the rows' heights; the column does not matter.
        const LRESULT hit = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(0, p.Y));
        index = HIWORD(static_cast<std::uintptr_t>(hit)) ? count
                                                         : LOWORD(static_cast<std::uintptr_t>(hit));
    }
    if (index >= count) return existing ? -1 : count;
    return index;
}

void TListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (Style != lbStandard && OnDrawItem) {
        canvas_.Brush().SetColor((state & odSelected) ? gdi::clHighlight : color_);
        canvas_.Font().SetColor((state & odSelected) ? gdi::clHighlightText : font_.Color());
        OnDrawItem(this, index, rect, state);
        canvas_.Font().Assign(font_);
        return;
    }
    Fill(canvas_, rect, (state & odSelected) ? gdi::clHighlight : color_);
    DrawTransparentText(canvas_, items_[index], {rect.Left + 2, rect.Top, rect.Right, rect.Bottom},
                        gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX,
                        (state & odSelected) ? gdi::clHighlightText : TextColor(*this));
}

void TListBox::CNDrawItem(TMessage& message) {
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    const int index = static_cast<int>(draw.itemID);
    message.Result = 1;
    if (index < 0 || index >= items_.Count()) return;
    TOwnerDrawState state = 0;
    if (draw.itemState & ODS_SELECTED) state |= odSelected;
    if (draw.itemState & ODS_FOCUS) state |= odFocused;
    // A disabled parent disables the rows too, though the window itself stays enabled.
    if (!EnabledWithParents()) state |= odDisabled;
    canvas_.SetHandle(draw.hDC);
    canvas_.Refresh();
    canvas_.Font().Assign(font_);
    try {
        DrawItem(index, draw.rcItem, state);
        if ((state & odFocused) && NeedsFocusRect()) canvas_.DrawFocusRect(draw.rcItem);
    } catch (...) {
        canvas_.SetHandle(gdi::NullDC);
        throw;
    }
    canvas_.SetHandle(gdi::NullDC);
}

void TListBox::CNMeasureItem(TMessage& message) {
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    int height = itemHeight_;
    MeasureItem(static_cast<int>(measure.itemID), height);
    measure.itemHeight = static_cast<UINT>(std::max(height, 1));
    message.Result = 1;
}

bool TListBox::WantsKey(WORD key) const {
    return key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END || key == VK_PRIOR ||
           key == VK_NEXT;
}

void TListBox::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
}

void TListBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(static_cast<std::uintptr_t>(message.WParam)) == LBN_SELCHANGE) Click();
        if (HIWORD(static_cast<std::uintptr_t>(message.WParam)) == LBN_DBLCLK) DblClick();
        return;
    case CN_DRAWITEM:
        CNDrawItem(message);
        return;
    case CN_MEASUREITEM:
        CNMeasureItem(message);
        return;
    case WM_PAINT: {
        DefaultHandler(message);
        TDrawingNow drawing(*this);
        // Below the rows the list shows its own colour.
        const int count = items_.Count();
        const int bottom = count > TopIndex() ? ItemRect(count - 1).Bottom : 0;
        if (bottom < ClientHeight())
            Fill(canvas_, {0, bottom, ClientWidth(), ClientHeight()}, color_);
        Paint();
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        DefaultHandler(message);
        if (!HasWindow()) return;
        break;
    case WM_MOUSEWHEEL:
        DefaultHandler(message);
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (message.WParam == static_cast<WPARAM>(HTVSCROLL)) {
            // A press beside the thumb turns a whole page here, where the window keeps one row
            // of the last page in sight; a line or the thumb moves by one row at most. The
            // press takes the focus as a press on the rows does.
            if (!Focused() && CanFocus()) SetFocus();
            const int before = TopIndex();
            DefaultHandler(message);
            const int moved = TopIndex() - before;
            if (moved > 1 || moved < -1) SetTopIndex(TopIndex() + (moved > 0 ? 1 : -1));
            return;
        }
        break;
    case WM_DESTROY:
        SaveState();
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

// The rows move by the keys they always have (up, down, home, end and the pages); the window's
// moves by left and right and its Space toggling stay out.
void TListBox::DefaultHandler(TMessage& message) {
    if (message.Msg == WM_KEYDOWN &&
        (message.WParam == VK_LEFT || message.WParam == VK_RIGHT || message.WParam == VK_SPACE))
        return;
    if (message.Msg == WM_CHAR) return;
    TCustomControl::DefaultHandler(message);
}

// ---- TComboBox ----

// The list that drops down: a pop-up window of its own that holds the capture while open, so
// that a press anywhere else closes it.
class TComboBox::TDropDownList : public TCustomControl {
public:
    explicit TDropDownList(TComboBox& combo) : TCustomControl(nullptr), combo_(combo) {
        visible_ = false;
        color_ = gdi::clWindow;
    }
    int hot = -1;
    // The first item shown; the list scrolls when it holds more than DropDownCount.
    int top = 0;

    int Rows() const { return std::max(1, std::min(combo_.items_.Count(), combo_.DropDownCount)); }
    void ShowHot() {
        if (hot >= 0 && hot < top) top = hot;
        if (hot >= top + Rows()) top = hot - Rows() + 1;
        top = std::clamp(top, 0, std::max(0, combo_.items_.Count() - Rows()));
        Invalidate();
    }
    void SetHot(int index) {
        hot = std::clamp(index, 0, std::max(0, combo_.items_.Count() - 1));
        ShowHot();
    }

    void Open() {
        const int count = std::min(combo_.items_.Count(), std::max(1, combo_.DropDownCount));
        TPoint p = combo_.ClientToScreen({0, combo_.Height()});
        SetBounds(p.X, p.Y, combo_.Width(), std::max(1, count) * combo_.ItemHeight + 2);
        hot = combo_.itemIndex_;
        top = 0;
        ShowHot();
        HandleNeeded();
        ShowWindow(handle_, SW_SHOWNA);
        visible_ = true;
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        win::SetCapture(handle_);
    }
    void Close() {
        if (!visible_) return;
        visible_ = false;
        if (GetCapture() == handle_) ReleaseCapture();
        if (handle_ != NullHWnd) ShowWindow(handle_, SW_HIDE);
    }
    bool IsOpen() const { return visible_; }

protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.className = "ComboLBox";
        params.style = WS_POPUP | WS_BORDER;
        params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        params.parent = NullHWnd;
    }
    void Paint() override {
        TRect r = ClientRect();
        Fill(canvas_, r, color_);
        const int first = top;
        for (int i = first; i < combo_.items_.Count(); ++i) {
            TRect item{0, (i - first) * combo_.ItemHeight, r.Right,
                       (i - first + 1) * combo_.ItemHeight};
            if (item.Top >= r.Bottom) break;
            const bool lit = i == hot;
            Fill(canvas_, item, lit ? gdi::clHighlight : color_);
            DrawTransparentText(canvas_, combo_.items_[i],
                                {item.Left + 2, item.Top, item.Right, item.Bottom},
                                gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX,
                                lit ? gdi::clHighlightText : gdi::clWindowText);
        }
    }
    void Dispatch(TMessage& message) override {
        const TPoint p = LParamToPoint(message.LParam);
        switch (message.Msg) {
        case WM_MOUSEMOVE:
            if (gdi::PtInRect(ClientRect(), p)) {
                const int index = top + p.Y / combo_.ItemHeight;
                if (index != hot && index < combo_.items_.Count()) {
                    hot = index;
                    Invalidate();
                }
            }
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!gdi::PtInRect(ClientRect(), p)) Close();
            return;
        case WM_LBUTTONUP:
            if (gdi::PtInRect(ClientRect(), p)) {
                const int index = top + p.Y / combo_.ItemHeight;
                Close();
                if (index < combo_.items_.Count()) combo_.UserSelect(index);
            }
            return;
        case WM_MOUSEWHEEL:
            top = std::clamp(top - GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA, 0,
                             std::max(0, combo_.items_.Count() - Rows()));
            Invalidate();
            return;
        case WM_CAPTURECHANGED:
            visible_ = false;
            if (handle_ != NullHWnd) ShowWindow(handle_, SW_HIDE);
            return;
        default:
            break;
        }
        TCustomControl::Dispatch(message);
    }

private:
    TComboBox& combo_;
};

TComboBox::TComboBox(TComponent* owner) : TCustomControl(owner) {
    width_ = 145;
    height_ = 21;
    color_ = gdi::clWindow;
    TabStop = true;
    focusOnClick_ = true;
    controlStyle_ = csCaptureMouse | csSetCaption | csDoubleClicks;
    items_.OnChange = [this] {
        if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
        Invalidate();
    };
}

TComboBox::~TComboBox() = default;

void TComboBox::Clear() {
    items_.Clear();
    itemIndex_ = -1;
    TCustomControl::SetText("");
}

void TComboBox::SetItemIndex(int value) {
    if (value < -1 || value >= items_.Count()) value = -1;
    itemIndex_ = value;
    TCustomControl::SetText(value >= 0 ? items_[value] : std::string());
    Invalidate();
}

bool TComboBox::DroppedDown() const {
    return list_ && list_->IsOpen();
}

void TComboBox::SetDroppedDown(bool value) {
    if (value == DroppedDown()) return;
    if (!value) {
        list_->Close();
        return;
    }
    if (OnDropDown) OnDropDown(this);
    if (!list_) list_ = std::make_unique<TDropDownList>(*this);
    list_->Open();
}

void TComboBox::UserSelect(int index) {
    if (index == itemIndex_) return;
    SetItemIndex(index);
    Click();
    if (OnChange) OnChange(this);
}

void TComboBox::Paint() {
    TRect r = SunkenEdge(canvas_, ClientRect());
    Fill(canvas_, r, EnabledWithParents() ? color_ : gdi::clBtnFace);
    const int button = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    TRect b{r.Right - button, r.Top, r.Right, r.Bottom};
    gdi::DrawFrameControl(canvas_.Handle(), &b, gdi::DFC_SCROLL,
                          gdi::DFCS_SCROLLCOMBOBOX |
                              (EnabledWithParents() ? 0u : UINT(gdi::DFCS_INACTIVE)));
    TRect t{r.Left + 2, r.Top, b.Left - 1, r.Bottom};
    const bool lit = Focused() && Style == csDropDownList;
    if (lit) Fill(canvas_, t, gdi::clHighlight);
    DrawTransparentText(canvas_, text_, t, gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX,
                        lit ? gdi::clHighlightText : TextColor(*this));
}

void TComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        const int buttonWidth = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
        if (Style == csDropDownList || x >= Width() - buttonWidth - 2) {
            if (GetCapture() == handle_) ReleaseCapture();
            SetDroppedDown(!DroppedDown());
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

bool TComboBox::WantsKey(WORD key) const {
    return key == VK_UP || key == VK_DOWN ||
           (DroppedDown() && (key == VK_RETURN || key == VK_ESCAPE));
}

void TComboBox::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (DroppedDown()) {
        if (key == VK_RETURN) {
            const int hot = list_->hot;
            SetDroppedDown(false);
            if (hot >= 0) UserSelect(hot);
        } else if (key == VK_ESCAPE) {
            SetDroppedDown(false);
        } else if (key == VK_DOWN || key == VK_UP) {
            list_->SetHot(list_->hot + (key == VK_DOWN ? 1 : -1));
        }
        return;
    }
    if (key == VK_DOWN && (shift & ssAlt)) {
        SetDroppedDown(true);
        return;
    }
    if ((key == VK_DOWN || key == VK_UP) && items_.Count() > 0)
        UserSelect(std::clamp(itemIndex_ + (key == VK_DOWN ? 1 : -1), 0, items_.Count() - 1));
}

void TComboBox::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    if (Style == csDropDownList || key == 0) return;
    std::string text = text_;
    if (key == 8) {
        if (text.empty()) return;
        text.pop_back();
    } else if (static_cast<unsigned char>(key) >= 32) {
        text += key;
    } else {
        return;
    }
    itemIndex_ = items_.IndexOf(text);
    TCustomControl::SetText(text);
    if (OnChange) OnChange(this);
}

void TComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_KILLFOCUS:
        if (DroppedDown()) SetDroppedDown(false);
        Invalidate();
        break;
    case WM_SETFOCUS:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

} // namespace platform::forms
