#include "platform/win/edit_class.h"

#include "platform/core/text.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/text_out.h"
#include "platform/win/caret.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/system_clipboard.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <vector>

namespace platform::win {

namespace {

constexpr std::uintptr_t BlinkTimer = 1;

struct EditState {
    std::string text;
    int anchor = 0; // where the selection began; the caret is its other end
    int caret = 0;
    int limit = EditDefaultLimit;
    bool modified = false;
    char password = '\0';
    gdi::HFONT font = gdi::NullObject;
    int leftMargin = 0;
    int rightMargin = 0;
    bool formatSet = false; // EM_SETRECT's rectangle holds until the window is sized
    TRect format;
    int scroll = 0; // pixels of the line scrolled out at the left
    bool focused = false;
    bool caretOn = false;
    bool selecting = false; // the left button is down and drags the caret
    // The single undo level: the text and selection before the last change.
    bool canUndo = false;
    std::string undoText;
    int undoAnchor = 0;
    int undoCaret = 0;
    bool typing = false; // the last change typed a character at the caret
};

std::map<HWND, std::unique_ptr<EditState>>& States() {
    static std::map<HWND, std::unique_ptr<EditState>> states;
    return states;
}

EditState* StateOf(HWND wnd) {
    auto it = States().find(wnd);
    return it == States().end() ? nullptr : it->second.get();
}

DWORD Style(HWND wnd) {
    return static_cast<DWORD>(GetWindowLong(wnd, GWL_STYLE));
}

int Length(const EditState& s) {
    return static_cast<int>(s.text.size());
}

int SelMin(const EditState& s) {
    return std::min(s.anchor, s.caret);
}

int SelMax(const EditState& s) {
    return std::max(s.anchor, s.caret);
}

std::string Shown(const EditState& s) {
    return s.password ? std::string(s.text.size(), s.password) : s.text;
}

gdi::HFONT FontOf(const EditState& s) {
    return s.font != gdi::NullObject ? s.font : gdi::GetStockObject(gdi::SYSTEM_FONT);
}

// Measures in the window's font: the x of every character boundary from the line's start, and
// the line's height.
struct Measures {
    std::vector<int> x;
    int lineHeight = 0;
    int aveCharWidth = 0;
};

Measures Measure(HWND wnd, const EditState& s) {
    Measures m;
    const std::string shown = Shown(s);
    gdi::HDC dc = GetDC(wnd);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, FontOf(s));
    gdi::TEXTMETRIC tm;
    gdi::GetTextMetrics(dc, &tm);
    m.lineHeight = tm.tmHeight;
    m.aveCharWidth = tm.tmAveCharWidth;
    m.x.assign(shown.size() + 1, 0);
    if (!shown.empty()) {
        std::vector<int> extents(shown.size(), 0);
        gdi::TSize size;
        gdi::GetTextExtentExPoint(dc, shown.data(), static_cast<int>(shown.size()), 0, nullptr,
                                  extents.data(), &size);
        std::copy(extents.begin(), extents.end(), m.x.begin() + 1);
    }
    gdi::SelectObject(dc, old);
    ReleaseDC(wnd, dc);
    return m;
}

TRect FormatRect(HWND wnd, const EditState& s) {
    if (s.formatSet) return s.format;
    TRect client;
    GetClientRect(wnd, &client);
    return {client.Left + s.leftMargin, client.Top,
            std::max(client.Left + s.leftMargin, client.Right - s.rightMargin), client.Bottom};
}

// The client x of the line's start. A line narrower than the formatting rectangle sits at its
// right edge (ES_RIGHT, the caret's pixel kept inside) or in its middle (ES_CENTER); a wider one
// scrolls as a left-aligned one does.
int LineLeft(HWND wnd, const EditState& s, const Measures& m) {
    const TRect format = FormatRect(wnd, s);
    const int spare = format.Width() - m.x.back();
    const DWORD style = Style(wnd);
    if (spare > 0 && (style & ES_RIGHT)) return format.Left + std::max(0, spare - 1);
    if (spare > 0 && (style & ES_CENTER)) return format.Left + spare / 2;
    return format.Left - s.scroll;
}

// The character boundary nearest a client x.
int CharFromX(HWND wnd, const EditState& s, int x) {
    const Measures m = Measure(wnd, s);
    const int along = x - LineLeft(wnd, s, m);
    const int n = Length(s);
    for (int i = 0; i < n; ++i)
        if (2 * along < m.x[i] + m.x[i + 1]) return i;
    return n;
}

// With ES_AUTOHSCROLL the line scrolls just enough to show the caret and no more than it must
// past the text's end; without it the line never scrolls.
void ScrollToCaret(HWND wnd, EditState& s) {
    if (!(Style(wnd) & ES_AUTOHSCROLL)) {
        s.scroll = 0;
        return;
    }
    const Measures m = Measure(wnd, s);
    const int width = std::max(1, FormatRect(wnd, s).Width());
    const int x = m.x[static_cast<std::size_t>(s.caret)];
    if (x - s.scroll > width - 1) s.scroll = x - width + 1;
    if (x < s.scroll) s.scroll = x;
    s.scroll = std::clamp(s.scroll, 0, std::max(0, m.x.back() - width + 1));
}

void Redraw(HWND wnd) {
    InvalidateRect(wnd, nullptr, false);
}

// A moved caret shows at once and blinks from there; the system caret follows it, so that
// others can tell where the insertion point is.
void RestartBlink(HWND wnd, EditState& s) {
    if (!s.focused) return;
    s.caretOn = true;
    core::SetTimer(wnd, BlinkTimer, GetCaretBlinkTime());
    const Measures m = Measure(wnd, s);
    SetCaretPos(LineLeft(wnd, s, m) + m.x[static_cast<std::size_t>(s.caret)],
                FormatRect(wnd, s).Top);
}

void SelectionMoved(HWND wnd, EditState& s) {
    s.typing = false;
    ScrollToCaret(wnd, s);
    RestartBlink(wnd, s);
    Redraw(wnd);
}

void Notify(HWND wnd, UINT code) {
    const auto id = static_cast<int>(GetWindowLong(wnd, GWL_ID));
    core::SendMessage(GetParent(wnd), WM_COMMAND, MAKEWPARAM(id, static_cast<int>(code)),
                      static_cast<LPARAM>(wnd));
}

// One change: EN_UPDATE before the control shows it, EN_CHANGE after.
void Changed(HWND wnd, EditState& s) {
    ScrollToCaret(wnd, s);
    RestartBlink(wnd, s);
    Redraw(wnd);
    Notify(wnd, EN_UPDATE);
    if (IsWindow(wnd)) Notify(wnd, EN_CHANGE);
}

void SaveUndo(EditState& s) {
    s.canUndo = true;
    s.undoText = s.text;
    s.undoAnchor = s.anchor;
    s.undoCaret = s.caret;
}

bool WiderThanFormat(HWND wnd, EditState& s, const std::string& text) {
    EditState probe;
    probe.text = text;
    probe.password = s.password;
    probe.font = s.font;
    return Measure(wnd, probe).x.back() > FormatRect(wnd, s).Width();
}

enum class Input { Typed, Pasted, Program };

// Replaces the selection with text as one change; what the limit (or, without ES_AUTOHSCROLL,
// the width) leaves no room for is dropped with EN_MAXTEXT. False when nothing changed.
bool ReplaceSelection(HWND wnd, EditState& s, std::string text, Input kind, bool undoable) {
    const DWORD style = Style(wnd);
    if (kind != Input::Program) {
        // By the system locale's case rules, as the platform's edit does.
        if (style & ES_UPPERCASE) text = core::AnsiUpperCase(text);
        if (style & ES_LOWERCASE) text = core::AnsiLowerCase(text);
    }
    // One line: what follows a line break is not taken.
    text = text.substr(0, text.find_first_of("\r\n"));
    const int from = SelMin(s);
    const int to = SelMax(s);
    bool cut = false;
    const int room = std::max(0, s.limit - (Length(s) - (to - from)));
    if (static_cast<int>(text.size()) > room) {
        text.resize(static_cast<std::size_t>(room));
        cut = true;
    }
    if (!(style & ES_AUTOHSCROLL) && kind != Input::Program) {
        std::string next = s.text;
        next.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), text);
        while (!text.empty() && WiderThanFormat(wnd, s, next)) {
            text.pop_back();
            next.erase(static_cast<std::size_t>(from) + text.size(), 1);
            cut = true;
        }
    }
    if (cut) {
        Notify(wnd, EN_MAXTEXT);
        if (StateOf(wnd) != &s) return false;
    }
    if (text.empty() && from == to) return false;
    const bool continuesRun = kind == Input::Typed && s.typing && from == to && s.canUndo;
    if (undoable && !continuesRun) SaveUndo(s);
    s.text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), text);
    s.anchor = s.caret = from + static_cast<int>(text.size());
    s.modified = true;
    s.typing = kind == Input::Typed;
    Changed(wnd, s);
    return true;
}

// Going back and forth between the text and the one before: the part that differs comes back
// selected.
void Undo(HWND wnd, EditState& s) {
    if (!s.canUndo) return;
    std::string before = std::move(s.undoText);
    s.undoText = s.text;
    s.undoAnchor = s.anchor;
    s.undoCaret = s.caret;
    const std::size_t common =
        std::mismatch(before.begin(), before.end(), s.text.begin(), s.text.end()).first -
        before.begin();
    std::size_t tail = 0;
    while (tail < before.size() - common && tail < s.text.size() - common &&
           before[before.size() - 1 - tail] == s.text[s.text.size() - 1 - tail])
        ++tail;
    s.text = std::move(before);
    s.anchor = static_cast<int>(common);
    s.caret = static_cast<int>(s.text.size() - tail);
    s.modified = true;
    s.typing = false;
    Changed(wnd, s);
}

bool IsWordChar(char c) {
    return c != ' ' && c != '\t';
}

int NextWord(const EditState& s, int i) {
    const int n = Length(s);
    while (i < n && IsWordChar(s.text[static_cast<std::size_t>(i)]))
        ++i;
    while (i < n && !IsWordChar(s.text[static_cast<std::size_t>(i)]))
        ++i;
    return i;
}

int PreviousWord(const EditState& s, int i) {
    while (i > 0 && !IsWordChar(s.text[static_cast<std::size_t>(i - 1)]))
        --i;
    while (i > 0 && IsWordChar(s.text[static_cast<std::size_t>(i - 1)]))
        --i;
    return i;
}

void MoveCaret(HWND wnd, EditState& s, int to, bool extend) {
    s.caret = std::clamp(to, 0, Length(s));
    if (!extend) s.anchor = s.caret;
    SelectionMoved(wnd, s);
}

void Copy(HWND wnd, const EditState& s) {
    if (s.password || s.anchor == s.caret) return;
    if (!OpenClipboard(wnd)) return;
    EmptyClipboard();
    SetClipboardData(CF_TEXT, s.text.substr(static_cast<std::size_t>(SelMin(s)),
                                            static_cast<std::size_t>(SelMax(s) - SelMin(s))));
    CloseClipboard();
}

bool ReadOnly(HWND wnd) {
    return (Style(wnd) & ES_READONLY) != 0;
}

void Paste(HWND wnd, EditState& s) {
    if (ReadOnly(wnd) || !OpenClipboard(wnd)) return;
    std::optional<std::string> text = GetClipboardData(CF_TEXT);
    CloseClipboard();
    if (text) ReplaceSelection(wnd, s, *text, Input::Pasted, true);
}

void Clear(HWND wnd, EditState& s) {
    if (ReadOnly(wnd) || s.anchor == s.caret) return;
    ReplaceSelection(wnd, s, {}, Input::Pasted, true);
}

// Deletes one character before or after the caret, or the selection.
void Delete(HWND wnd, EditState& s, bool before) {
    if (ReadOnly(wnd)) return;
    if (s.anchor == s.caret) {
        const int other = s.caret + (before ? -1 : 1);
        if (other < 0 || other > Length(s)) return;
        s.anchor = other;
    }
    ReplaceSelection(wnd, s, {}, Input::Pasted, true);
}

void KeyDown(HWND wnd, EditState& s, int key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_LEFT:
        if (ctrl)
            MoveCaret(wnd, s, PreviousWord(s, s.caret), shift);
        else if (!shift && s.anchor != s.caret)
            MoveCaret(wnd, s, SelMin(s), false);
        else
            MoveCaret(wnd, s, s.caret - 1, shift);
        break;
    case VK_RIGHT:
        if (ctrl)
            MoveCaret(wnd, s, NextWord(s, s.caret), shift);
        else if (!shift && s.anchor != s.caret)
            MoveCaret(wnd, s, SelMax(s), false);
        else
            MoveCaret(wnd, s, s.caret + 1, shift);
        break;
    case VK_HOME:
        MoveCaret(wnd, s, 0, shift);
        break;
    case VK_END:
        MoveCaret(wnd, s, Length(s), shift);
        break;
    case VK_DELETE:
        if (shift)
            core::SendMessage(wnd, WM_CUT, 0, 0);
        else if (s.anchor != s.caret)
            core::SendMessage(wnd, WM_CLEAR, 0, 0);
        else
            Delete(wnd, s, false);
        break;
    case VK_INSERT:
        if (shift) core::SendMessage(wnd, WM_PASTE, 0, 0);
        if (ctrl) core::SendMessage(wnd, WM_COPY, 0, 0);
        break;
    default:
        break;
    }
}

void Char(HWND wnd, EditState& s, char c) {
    switch (c) {
    case 1: // Ctrl+A
        s.anchor = 0;
        s.caret = Length(s);
        SelectionMoved(wnd, s);
        return;
    case 3:
        core::SendMessage(wnd, WM_COPY, 0, 0);
        return;
    case 22:
        core::SendMessage(wnd, WM_PASTE, 0, 0);
        return;
    case 24:
        core::SendMessage(wnd, WM_CUT, 0, 0);
        return;
    case 26:
        core::SendMessage(wnd, WM_UNDO, 0, 0);
        return;
    case '\b':
        Delete(wnd, s, true);
        return;
    default:
        break;
    }
    if (static_cast<unsigned char>(c) < 32 || c == 127 || ReadOnly(wnd)) return;
    if ((Style(wnd) & ES_NUMBER) && !std::isdigit(static_cast<unsigned char>(c))) return;
    ReplaceSelection(wnd, s, std::string(1, c), Input::Typed, true);
}

void SelectWordAt(HWND wnd, EditState& s, int i) {
    const int n = Length(s);
    int from = std::min(i, n);
    int to = from;
    const auto word = [&](int k) { return IsWordChar(s.text[static_cast<std::size_t>(k)]); };
    if (to < n && word(to)) {
        while (from > 0 && word(from - 1))
            --from;
        while (to < n && word(to))
            ++to;
    } else if (from > 0 && word(from - 1)) {
        while (from > 0 && word(from - 1))
            --from;
    }
    s.anchor = from;
    s.caret = to;
    SelectionMoved(wnd, s);
}

void Paint(HWND wnd, EditState& s) {
    PAINTSTRUCT ps;
    gdi::HDC dc = BeginPaint(wnd, &ps);
    const DWORD style = Style(wnd);
    const bool enabled = IsWindowEnabled(wnd);
    TRect client;
    GetClientRect(wnd, &client);
    const bool grey = !enabled || (style & ES_READONLY);
    gdi::FillRect(dc, &client,
                  gdi::GetSysColorBrush(grey ? gdi::COLOR_BTNFACE : gdi::COLOR_WINDOW));
    const Measures m = Measure(wnd, s);
    const TRect format = FormatRect(wnd, s);
    const std::string shown = Shown(s);
    const int saved = gdi::SaveDC(dc);
    gdi::IntersectClipRect(dc, format.Left, format.Top, format.Right, format.Bottom);
    gdi::SelectObject(dc, FontOf(s));
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    const int x = LineLeft(wnd, s, m);
    const int y = format.Top;
    gdi::SetTextColor(dc, gdi::GetSysColor(enabled ? gdi::COLOR_WINDOWTEXT : gdi::COLOR_GRAYTEXT));
    gdi::TextOut(dc, x, y, shown.data(), static_cast<int>(shown.size()));
    if (s.anchor != s.caret && (s.focused || (style & ES_NOHIDESEL))) {
        const TRect sel{x + m.x[static_cast<std::size_t>(SelMin(s))], y,
                        x + m.x[static_cast<std::size_t>(SelMax(s))], y + m.lineHeight};
        gdi::FillRect(dc, &sel, gdi::GetSysColorBrush(gdi::COLOR_HIGHLIGHT));
        gdi::IntersectClipRect(dc, sel.Left, sel.Top, sel.Right, sel.Bottom);
        gdi::SetTextColor(dc, gdi::GetSysColor(gdi::COLOR_HIGHLIGHTTEXT));
        gdi::TextOut(dc, x, y, shown.data(), static_cast<int>(shown.size()));
    }
    gdi::RestoreDC(dc, saved);
    if (s.focused && s.caretOn) {
        const int cx = x + m.x[static_cast<std::size_t>(s.caret)];
        const TRect caret{cx, y, cx + 1, y + m.lineHeight};
        gdi::FillRect(dc, &caret, gdi::GetSysColorBrush(gdi::COLOR_WINDOWTEXT));
    }
    EndPaint(wnd, &ps);
}

LRESULT SetSel(HWND wnd, EditState& s, WPARAM wParam, LPARAM lParam) {
    const auto start = static_cast<std::int32_t>(wParam);
    const auto end = static_cast<std::int32_t>(lParam);
    const int n = Length(s);
    if (start == -1) {
        s.anchor = s.caret;
    } else {
        s.anchor = start < 0 ? n : std::min<int>(start, n);
        s.caret = end < 0 ? n : std::min<int>(end, n);
    }
    SelectionMoved(wnd, s);
    return 0;
}

void SetMargins(HWND wnd, EditState& s, WPARAM which, LPARAM values) {
    const int aveCharWidth = Measure(wnd, s).aveCharWidth;
    const auto margin = [&](int value) {
        return value == EC_USEFONTINFO ? aveCharWidth / 2 : value;
    };
    if (which & EC_LEFTMARGIN) s.leftMargin = margin(LOWORD(static_cast<std::uintptr_t>(values)));
    if (which & EC_RIGHTMARGIN) s.rightMargin = margin(HIWORD(static_cast<std::uintptr_t>(values)));
    s.formatSet = false;
    ScrollToCaret(wnd, s);
    Redraw(wnd);
}

} // namespace

UINT GetCaretBlinkTime() {
    return 530;
}

WNDCLASS EditWindowClass() {
    WNDCLASS cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = EditWindowProc;
    cls.hCursor = LoadCursor(IDC_IBEAM);
    cls.lpszClassName = EditClassName;
    return cls;
}
namespace {

// The EDIT window's messages, one handler each.

LRESULT OnNcDestroy(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    core::KillTimer(wnd, BlinkTimer);
    States().erase(wnd);
    return DefWindowProc(wnd, msg, wParam, lParam);
}

LRESULT OnSetText(EditState& s, HWND wnd, LPARAM lParam) {
    s.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    s.anchor = s.caret = 0;
    s.scroll = 0;
    s.modified = false;
    s.canUndo = false;
    s.typing = false;
    Changed(wnd, s);
    return 1;
}

LRESULT OnGetText(EditState& s, WPARAM wParam, LPARAM lParam) {
    if (wParam == 0) return 0;
    auto* buffer = reinterpret_cast<char*>(lParam);
    const std::size_t n = std::min<std::size_t>(s.text.size(), wParam - 1);
    std::copy_n(s.text.data(), n, buffer);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT OnSetFont(EditState& s, HWND wnd, WPARAM wParam, LPARAM lParam) {
    s.font = static_cast<gdi::HFONT>(wParam);
    s.formatSet = false;
    ScrollToCaret(wnd, s);
    if (lParam) Redraw(wnd);
    return 0;
}

LRESULT OnSize(EditState& s, HWND wnd) {
    s.formatSet = false;
    ScrollToCaret(wnd, s);
    Redraw(wnd);
    return 0;
}

LRESULT OnEraseBkgnd() {
    return 1; // painting fills the whole client area
}

LRESULT OnPaint(EditState& s, HWND wnd) {
    Paint(wnd, s);
    return 0;
}

LRESULT OnEnable(HWND wnd) {
    Redraw(wnd);
    return 0;
}

LRESULT OnSetFocus(EditState& s, HWND wnd) {
    s.focused = true;
    CreateCaret(wnd, 1, FormatRect(wnd, s).Height());
    RestartBlink(wnd, s);
    Redraw(wnd);
    Notify(wnd, EN_SETFOCUS);
    return 0;
}

LRESULT OnKillFocus(EditState& s, HWND wnd) {
    s.focused = false;
    s.caretOn = false;
    DestroyCaret(wnd);
    core::KillTimer(wnd, BlinkTimer);
    Redraw(wnd);
    Notify(wnd, EN_KILLFOCUS);
    return 0;
}

LRESULT OnTimer(EditState& s, HWND wnd, WPARAM wParam) {
    if (wParam != BlinkTimer) return 0;
    s.caretOn = !s.caretOn;
    Redraw(wnd);
    return 0;
}

LRESULT OnKeyDown(EditState& s, HWND wnd, WPARAM wParam) {
    KeyDown(wnd, s, static_cast<int>(wParam));
    return 0;
}

LRESULT OnChar(EditState& s, HWND wnd, WPARAM wParam) {
    Char(wnd, s, static_cast<char>(wParam));
    return 0;
}

LRESULT OnLButtonDown(HWND wnd, WPARAM wParam, LPARAM lParam) {
    if (GetFocus() != wnd) SetFocus(wnd);
    EditState* again = StateOf(wnd);
    if (!again) return 0;
    const int at = CharFromX(wnd, *again, GET_X_LPARAM(lParam));
    again->selecting = true;
    SetCapture(wnd);
    MoveCaret(wnd, *again, at, (wParam & MK_SHIFT) != 0);
    return 0;
}

LRESULT OnMouseMove(EditState& s, HWND wnd, LPARAM lParam) {
    if (s.selecting) MoveCaret(wnd, s, CharFromX(wnd, s, GET_X_LPARAM(lParam)), true);
    return 0;
}

LRESULT OnLButtonUp(EditState& s) {
    if (s.selecting) {
        s.selecting = false;
        ReleaseCapture();
    }
    return 0;
}

LRESULT OnCaptureChanged(EditState& s) {
    s.selecting = false;
    return 0;
}

LRESULT OnLButtonDblClk(EditState& s, HWND wnd, LPARAM lParam) {
    SelectWordAt(wnd, s, CharFromX(wnd, s, GET_X_LPARAM(lParam)));
    return 0;
}

LRESULT OnCut(EditState& s, HWND wnd) {
    if (ReadOnly(wnd) || s.password) return 0;
    Copy(wnd, s);
    Clear(wnd, s);
    return 0;
}

LRESULT OnCopy(EditState& s, HWND wnd) {
    Copy(wnd, s);
    return 0;
}

LRESULT OnPaste(EditState& s, HWND wnd) {
    Paste(wnd, s);
    return 0;
}

LRESULT OnClear(EditState& s, HWND wnd) {
    Clear(wnd, s);
    return 0;
}

LRESULT OnUndo(EditState& s, HWND wnd) {
    if (ReadOnly(wnd) || !s.canUndo) return 0;
    Undo(wnd, s);
    return 1;
}

LRESULT OnEmptyUndoBuffer(EditState& s) {
    s.canUndo = false;
    s.typing = false;
    return 0;
}

LRESULT OnGetSel(EditState& s, WPARAM wParam, LPARAM lParam) {
    const auto from = static_cast<DWORD>(SelMin(s));
    const auto to = static_cast<DWORD>(SelMax(s));
    if (wParam) *reinterpret_cast<DWORD*>(wParam) = from;
    if (lParam) *reinterpret_cast<DWORD*>(lParam) = to;
    return MAKELPARAM(static_cast<int>(from), static_cast<int>(to));
}

LRESULT OnScrollCaret(EditState& s, HWND wnd) {
    ScrollToCaret(wnd, s);
    Redraw(wnd);
    return 1;
}

LRESULT OnReplaceSel(EditState& s, HWND wnd, WPARAM wParam, LPARAM lParam) {
    ReplaceSelection(wnd, s, lParam ? reinterpret_cast<const char*>(lParam) : "", Input::Program,
                     wParam != 0);
    return 0;
}

LRESULT OnLimitText(EditState& s, WPARAM wParam) {
    s.limit = wParam == 0 ? EditMaximumLimit
                          : static_cast<int>(std::min<WPARAM>(wParam, EditMaximumLimit));
    return 0;
}

LRESULT OnSetModify(EditState& s, WPARAM wParam) {
    s.modified = wParam != 0;
    return 0;
}

LRESULT OnSetPasswordChar(EditState& s, HWND wnd, WPARAM wParam) {
    s.password = static_cast<char>(wParam);
    const DWORD style = Style(wnd);
    SetWindowLong(
        wnd, GWL_STYLE,
        static_cast<std::intptr_t>(s.password ? style | ES_PASSWORD : style & ~ES_PASSWORD));
    ScrollToCaret(wnd, s);
    Redraw(wnd);
    return 0;
}

LRESULT OnSetReadOnly(HWND wnd, WPARAM wParam) {
    const DWORD style = Style(wnd);
    SetWindowLong(wnd, GWL_STYLE,
                  static_cast<std::intptr_t>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
    Redraw(wnd);
    return 1;
}

LRESULT OnSetMargins(EditState& s, HWND wnd, WPARAM wParam, LPARAM lParam) {
    SetMargins(wnd, s, wParam, lParam);
    return 0;
}

LRESULT OnGetRect(EditState& s, HWND wnd, LPARAM lParam) {
    if (lParam) *reinterpret_cast<TRect*>(lParam) = FormatRect(wnd, s);
    return 0;
}

LRESULT OnSetRect(EditState& s, HWND wnd, UINT msg, LPARAM lParam) {
    if (lParam) {
        s.format = *reinterpret_cast<const TRect*>(lParam);
        s.formatSet = true;
    } else {
        s.formatSet = false;
    }
    ScrollToCaret(wnd, s);
    if (msg == EM_SETRECT) Redraw(wnd);
    return 0;
}

LRESULT OnPosFromChar(EditState& s, HWND wnd, WPARAM wParam) {
    const auto index = static_cast<std::int64_t>(wParam);
    if (index < 0 || index > Length(s)) return -1;
    const TRect format = FormatRect(wnd, s);
    const Measures m = Measure(wnd, s);
    return MAKELPARAM(LineLeft(wnd, s, m) + m.x[static_cast<std::size_t>(index)], format.Top);
}

} // namespace

LRESULT EditWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto state = std::make_unique<EditState>();
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (create && create->lpszName) state->text = create->lpszName;
        if (create && (create->style & ES_PASSWORD)) state->password = '*';
        States()[wnd] = std::move(state);
        return DefWindowProc(wnd, msg, wParam, lParam);
    }
    EditState* state = StateOf(wnd);
    if (!state) return DefWindowProc(wnd, msg, wParam, lParam);
    EditState& s = *state;
    // clang-format off
    switch (msg) {
    case WM_NCDESTROY: return OnNcDestroy(wnd, msg, wParam, lParam);
    case WM_SETTEXT: return OnSetText(s, wnd, lParam);
    case WM_GETTEXT: return OnGetText(s, wParam, lParam);
    case WM_GETTEXTLENGTH: return Length(s);
    case WM_SETFONT: return OnSetFont(s, wnd, wParam, lParam);
    case WM_GETFONT: return static_cast<LRESULT>(s.font);
    case WM_SIZE: return OnSize(s, wnd);
    case WM_ERASEBKGND: return OnEraseBkgnd();
    case WM_PAINT: return OnPaint(s, wnd);
    case WM_ENABLE: return OnEnable(wnd);
    case WM_SETFOCUS: return OnSetFocus(s, wnd);
    case WM_KILLFOCUS: return OnKillFocus(s, wnd);
    case WM_TIMER: return OnTimer(s, wnd, wParam);
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_KEYDOWN: return OnKeyDown(s, wnd, wParam);
    case WM_CHAR: return OnChar(s, wnd, wParam);
    case WM_LBUTTONDOWN: return OnLButtonDown(wnd, wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(s, wnd, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(s);
    case WM_CAPTURECHANGED: return OnCaptureChanged(s);
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(s, wnd, lParam);
    case WM_CUT: return OnCut(s, wnd);
    case WM_COPY: return OnCopy(s, wnd);
    case WM_PASTE: return OnPaste(s, wnd);
    case WM_CLEAR: return OnClear(s, wnd);
    case WM_UNDO: return OnUndo(s, wnd);
    case EM_UNDO: return OnUndo(s, wnd);
    case EM_CANUNDO: return s.canUndo ? 1 : 0;
    case EM_EMPTYUNDOBUFFER: return OnEmptyUndoBuffer(s);
    case EM_GETSEL: return OnGetSel(s, wParam, lParam);
    case EM_SETSEL: return SetSel(wnd, s, wParam, lParam);
    case EM_SCROLLCARET: return OnScrollCaret(s, wnd);
    case EM_REPLACESEL: return OnReplaceSel(s, wnd, wParam, lParam);
    case EM_LIMITTEXT: return OnLimitText(s, wParam);
    case EM_GETLIMITTEXT: return s.limit;
    case EM_GETMODIFY: return s.modified ? 1 : 0;
    case EM_SETMODIFY: return OnSetModify(s, wParam);
    case EM_SETPASSWORDCHAR: return OnSetPasswordChar(s, wnd, wParam);
    case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(s.password);
    case EM_SETREADONLY: return OnSetReadOnly(wnd, wParam);
    case EM_SETMARGINS: return OnSetMargins(s, wnd, wParam, lParam);
    case EM_GETMARGINS: return MAKELPARAM(s.leftMargin, s.rightMargin);
    case EM_GETRECT: return OnGetRect(s, wnd, lParam);
    case EM_SETRECT: return OnSetRect(s, wnd, msg, lParam);
    case EM_SETRECTNP: return OnSetRect(s, wnd, msg, lParam);
    case EM_POSFROMCHAR: return OnPosFromChar(s, wnd, wParam);
    case EM_CHARFROMPOS: return MAKELPARAM(CharFromX(wnd, s, GET_X_LPARAM(lParam)), 0);
    default: return DefWindowProc(wnd, msg, wParam, lParam);
    }
    // clang-format on
}

} // namespace platform::win
