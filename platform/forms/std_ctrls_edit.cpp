// The one-line edit on the platform's EDIT class and the multi-line memo.

#include "platform/forms/std_ctrls.h"

#include "platform/core/text.h"
#include "platform/forms/canvas_text.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls_parts.h"
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
using namespace std_ctrls_parts;

// ---- TEdit ----

namespace {

DWORD CharCaseStyle(TEditCharCase value) {
    return value == ecUpperCase ? ES_UPPERCASE : value == ecLowerCase ? ES_LOWERCASE : 0;
}

std::string InCase(const std::string& text, TEditCharCase charCase) {
    if (charCase == ecUpperCase) return core::AnsiUpperCase(text);
    if (charCase == ecLowerCase) return core::AnsiLowerCase(text);
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
    if (!hideSelection_) params.style |= ES_NOHIDESEL;
    if (oemConvert_) params.style |= ES_OEMCONVERT;
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

void TEdit::SetStyleBit(DWORD bit, bool on) {
    if (!HandleAllocated()) return;
    const auto style = static_cast<DWORD>(GetWindowLong(handle_, GWL_STYLE));
    SetWindowLong(handle_, GWL_STYLE, static_cast<std::intptr_t>(on ? style | bit : style & ~bit));
}

void TEdit::SetHideSelection(bool value) {
    if (value == hideSelection_) return;
    hideSelection_ = value;
    SetStyleBit(ES_NOHIDESEL, !value);
    Invalidate();
}

void TEdit::SetOEMConvert(bool value) {
    oemConvert_ = value;
    SetStyleBit(ES_OEMCONVERT, value);
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
    // Without HideSelection the selection stays in view while another control has the focus.
    if (Focused() || (!hideSelection_ && selLength > 0)) {
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

} // namespace platform::forms
