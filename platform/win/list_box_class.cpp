#include "platform/win/list_box_class.h"

#include "platform/core/clock.h"
#include "platform/core/text.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/text_out.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform::win {
namespace {

// The platform's default height of a text row and of an owner-drawn row before the parent
// answers WM_MEASUREITEM; an item is never taller than this limit.
constexpr int MaxItemHeight = 255;
constexpr int TextMargin = 2;
constexpr int WheelLines = 3;

struct Item {
    std::string text;
    std::uintptr_t data = 0;
    bool selected = false;
    int height = 0; // variable owner-draw only
};

// What a mouse press on the scroll bar is doing until the button comes up.
enum class BarTrack { None, Thumb };

struct ListBox {
    HWND wnd{};
    DWORD style = 0;
    std::vector<Item> items;
    int curSel = -1; // single selection
    int caret = -1;
    int anchor = -1;
    int top = 0;
    int itemHeight = 0;
    gdi::HFONT font{};
    bool focused = false;
    bool redraw = true;
    bool tracking = false; // the left button went down on an item and is held
    bool barShown = false;
    BarTrack barTrack = BarTrack::None;
    int thumbGrab = 0; // where in the thumb the press took it
    std::string typed;
    std::uint32_t lastTyped = 0;

    bool MultiSel() const { return (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool Extended() const { return (style & LBS_EXTENDEDSEL) != 0; }
    bool OwnerDraw() const { return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool Variable() const { return (style & LBS_OWNERDRAWVARIABLE) != 0; }
    bool HasStrings() const { return !OwnerDraw() || (style & LBS_HASSTRINGS) != 0; }
    int Count() const { return static_cast<int>(items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    int HeightOf(int index) const {
        return Variable() && Valid(index) ? items[index].height : itemHeight;
    }
    bool IsSelected(int index) const {
        return MultiSel() ? Valid(index) && items[index].selected : index == curSel && index >= 0;
    }
};

std::map<HWND, std::unique_ptr<ListBox>>& Boxes() {
    static std::map<HWND, std::unique_ptr<ListBox>> boxes;
    return boxes;
}

ListBox* BoxOf(HWND wnd) {
    auto it = Boxes().find(wnd);
    return it == Boxes().end() ? nullptr : it->second.get();
}

int ClientHeight(const ListBox& lb) {
    TRect client;
    GetClientRect(lb.wnd, &client);
    return client.Height();
}

int ClientWidth(const ListBox& lb) {
    TRect client;
    GetClientRect(lb.wnd, &client);
    return client.Width();
}

UINT ControlId(const ListBox& lb) {
    return static_cast<UINT>(GetWindowLong(lb.wnd, GWL_ID));
}

void Notify(const ListBox& lb, int code) {
    if (!(lb.style & LBS_NOTIFY)) return;
    core::SendMessage(GetParent(lb.wnd), WM_COMMAND,
                      MAKEWPARAM(static_cast<int>(ControlId(lb)), code),
                      static_cast<LPARAM>(lb.wnd));
}

int TextHeight(const ListBox& lb) {
    gdi::HDC dc = GetDC(lb.wnd);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, lb.font);
    gdi::TEXTMETRIC metrics;
    gdi::GetTextMetrics(dc, &metrics);
    gdi::SelectObject(dc, old);
    ReleaseDC(lb.wnd, dc);
    return std::clamp(metrics.tmHeight, 1, MaxItemHeight);
}

int MeasureItem(const ListBox& lb, int index, std::uintptr_t data) {
    MEASUREITEMSTRUCT measure{ODT_LISTBOX,
                              ControlId(lb),
                              static_cast<UINT>(index),
                              static_cast<UINT>(ClientWidth(lb)),
                              static_cast<UINT>(TextHeight(lb)),
                              data};
    core::SendMessage(GetParent(lb.wnd), WM_MEASUREITEM, ControlId(lb),
                      reinterpret_cast<LPARAM>(&measure));
    return std::clamp(static_cast<int>(measure.itemHeight), 1, MaxItemHeight);
}

// The largest top index that still fills the window from the top item to the last one.
int MaxTop(const ListBox& lb) {
    const int height = ClientHeight(lb);
    int used = 0;
    for (int i = lb.Count() - 1; i >= 0; --i) {
        used += lb.HeightOf(i);
        if (used > height) return std::min(i + 1, lb.Count() - 1);
    }
    return 0;
}

// Items from the top that fit whole (at least one).
int PageSize(const ListBox& lb) {
    const int height = ClientHeight(lb);
    int used = 0;
    int n = 0;
    for (int i = lb.top; i < lb.Count(); ++i) {
        used += lb.HeightOf(i);
        if (used > height) break;
        ++n;
    }
    return std::max(n, 1);
}

// Client y of an item's top, relative to the top item.
int ItemTop(const ListBox& lb, int index) {
    int y = 0;
    if (index >= lb.top) {
        for (int i = lb.top; i < index; ++i)
            y += lb.HeightOf(i);
    } else {
        for (int i = index; i < lb.top; ++i)
            y -= lb.HeightOf(i);
    }
    return y;
}

TRect ItemRect(const ListBox& lb, int index) {
    const int y = ItemTop(lb, index);
    return {0, y, ClientWidth(lb), y + lb.HeightOf(index)};
}

// The item at a client y, the nearest one when y lies above or below them; -1 for an empty list.
int ItemAtY(const ListBox& lb, int y, bool* outside) {
    if (outside) *outside = false;
    if (lb.Count() == 0) return -1;
    if (y < 0) {
        if (outside) *outside = true;
        return std::max(lb.top - 1, 0);
    }
    int bottom = 0;
    for (int i = lb.top; i < lb.Count(); ++i) {
        bottom += lb.HeightOf(i);
        if (y < bottom) return i;
    }
    if (outside) *outside = true;
    return lb.Count() - 1;
}

// Scroll-bar geometry in window coordinates.
struct BarParts {
    TRect bar, up, down, thumb;
};

BarParts BarGeometry(const ListBox& lb) {
    TRect window;
    GetWindowRect(lb.wnd, &window);
    TPoint origin{0, 0};
    ClientToScreen(lb.wnd, &origin);
    const int left = origin.X - window.Left + ClientWidth(lb);
    const int top = origin.Y - window.Top;
    const int width = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    const int height = ClientHeight(lb);
    BarParts p;
    p.bar = {left, top, left + width, top + height};
    const int arrow = std::min(width, height / 2);
    p.up = {left, top, left + width, top + arrow};
    p.down = {left, top + height - arrow, left + width, top + height};
    const int track = height - 2 * arrow;
    const int maxTop = MaxTop(lb);
    if (maxTop > 0 && lb.Count() > 0) {
        const int thumb = std::clamp(track * PageSize(lb) / lb.Count(), std::min(8, track), track);
        const int at = p.up.Bottom + (track - thumb) * std::min(lb.top, maxTop) / maxTop;
        p.thumb = {left, at, left + width, at + thumb};
    }
    return p;
}

void Invalidate(const ListBox& lb) {
    if (lb.redraw) InvalidateRect(lb.wnd, nullptr, 1);
}

void UpdateScrollBar(ListBox& lb) {
    if (!(lb.style & WS_VSCROLL) || !lb.redraw) return;
    const bool need = (lb.style & LBS_DISABLENOSCROLL) || MaxTop(lb) > 0 || lb.top > 0;
    if (need != lb.barShown) {
        lb.barShown = need;
        SetWindowPos(lb.wnd, NullHWnd, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (need) {
        RedrawWindow(lb.wnd, nullptr, gdi::NullObject, RDW_FRAME | RDW_INVALIDATE);
    }
}

void SetTop(ListBox& lb, int index) {
    const int top = std::clamp(index, 0, MaxTop(lb));
    if (top == lb.top) return;
    lb.top = top;
    Invalidate(lb);
    UpdateScrollBar(lb);
}

void MakeVisible(ListBox& lb, int index) {
    if (!lb.Valid(index)) return;
    if (index < lb.top) {
        SetTop(lb, index);
        return;
    }
    const int height = ClientHeight(lb);
    int top = lb.top;
    auto bottomOf = [&] {
        int y = 0;
        for (int i = top; i <= index; ++i)
            y += lb.HeightOf(i);
        return y;
    };
    while (top < index && bottomOf() > height)
        ++top;
    SetTop(lb, top);
}

void AfterItemsChanged(ListBox& lb) {
    lb.top = std::clamp(lb.top, 0, MaxTop(lb));
    Invalidate(lb);
    UpdateScrollBar(lb);
}

LRESULT InsertItem(ListBox& lb, int index, LPARAM lParam) {
    Item item;
    if (lb.HasStrings()) {
        item.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    } else {
        item.data = static_cast<std::uintptr_t>(lParam);
    }
    if (index < 0 || index > lb.Count()) index = lb.Count();
    if (lb.Variable()) item.height = MeasureItem(lb, index, item.data);
    lb.items.insert(lb.items.begin() + index, std::move(item));
    if (lb.curSel >= index) ++lb.curSel;
    if (lb.caret >= index) ++lb.caret;
    if (lb.anchor >= index) ++lb.anchor;
    AfterItemsChanged(lb);
    return index;
}

LRESULT AddString(ListBox& lb, LPARAM lParam) {
    int index = lb.Count();
    if ((lb.style & LBS_SORT) && lb.HasStrings()) {
        const std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        auto it = std::upper_bound(lb.items.begin(), lb.items.end(), text,
                                   [](const std::string& t, const Item& item) {
                                       return core::CompareText(t, item.text) < 0;
                                   });
        index = static_cast<int>(it - lb.items.begin());
    }
    return InsertItem(lb, index, lParam);
}

LRESULT DeleteItem(ListBox& lb, int index) {
    if (!lb.Valid(index)) return LB_ERR;
    lb.items.erase(lb.items.begin() + index);
    auto shift = [&](int& i) {
        if (i == index) {
            i = -1;
        } else if (i > index) {
            --i;
        }
    };
    shift(lb.curSel);
    shift(lb.caret);
    shift(lb.anchor);
    AfterItemsChanged(lb);
    return lb.Count();
}

// Case-insensitive; prefix or whole text; from the item after start round to start itself.
LRESULT FindString(const ListBox& lb, int start, LPARAM lParam, bool exact) {
    const int n = lb.Count();
    if (n == 0) return LB_ERR;
    if (start < -1 || start >= n) start = -1;
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        const Item& item = lb.items[i];
        if (!lb.HasStrings()) {
            if (item.data == static_cast<std::uintptr_t>(lParam)) return i;
            continue;
        }
        const std::string_view wanted = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (exact) {
            if (core::CompareText(item.text, wanted) == 0) return i;
        } else if (item.text.size() >= wanted.size() &&
                   core::CompareText(std::string_view(item.text).substr(0, wanted.size()),
                                     wanted) == 0) {
            return i;
        }
    }
    return LB_ERR;
}

void InvalidateItem(const ListBox& lb, int index) {
    if (!lb.redraw || !lb.Valid(index)) return;
    const TRect r = ItemRect(lb, index);
    InvalidateRect(lb.wnd, &r, 1);
}

void SetCaret(ListBox& lb, int index) {
    if (index == lb.caret) return;
    InvalidateItem(lb, lb.caret);
    lb.caret = index;
    InvalidateItem(lb, lb.caret);
}

// Single selection; true when it changed.
bool SelectOne(ListBox& lb, int index) {
    if (!lb.Valid(index)) index = -1;
    const bool changed = index != lb.curSel;
    InvalidateItem(lb, lb.curSel);
    lb.curSel = index;
    InvalidateItem(lb, index);
    SetCaret(lb, index);
    return changed;
}

bool SetSelected(ListBox& lb, int index, bool selected) {
    if (!lb.Valid(index) || lb.items[index].selected == selected) return false;
    lb.items[index].selected = selected;
    InvalidateItem(lb, index);
    return true;
}

// Extended selection: exactly the range from the anchor to index.
bool SelectRange(ListBox& lb, int from, int to) {
    if (from > to) std::swap(from, to);
    bool changed = false;
    for (int i = 0; i < lb.Count(); ++i)
        changed |= SetSelected(lb, i, i >= from && i <= to);
    return changed;
}

// A move or click of the user's to an item, with the keys held.
void UserChoose(ListBox& lb, int index, bool shift, bool control, bool toggle) {
    if (!lb.Valid(index) || (lb.style & LBS_NOSEL)) return;
    bool changed = false;
    if (!lb.MultiSel()) {
        changed = SelectOne(lb, index);
    } else if (!lb.Extended()) {
        if (toggle) changed = SetSelected(lb, index, !lb.items[index].selected);
        SetCaret(lb, index);
    } else {
        if (shift) {
            if (lb.anchor < 0) lb.anchor = index;
            changed = control ? SetSelected(lb, index, true) : SelectRange(lb, lb.anchor, index);
        } else if (control) {
            if (toggle) changed = SetSelected(lb, index, !lb.items[index].selected);
            lb.anchor = index;
        } else {
            changed = SelectRange(lb, index, index);
            lb.anchor = index;
        }
        SetCaret(lb, index);
    }
    MakeVisible(lb, index);
    if (changed) Notify(lb, LBN_SELCHANGE);
}

bool KeyHeld(int key) {
    return GetKeyState(key) < 0;
}

void KeyDown(ListBox& lb, int key) {
    if (lb.Count() == 0) return;
    const int from = lb.MultiSel() ? lb.caret : (lb.curSel >= 0 ? lb.curSel : lb.caret);
    const int page = PageSize(lb);
    int to = from;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        to = from - 1;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        to = from + 1;
        break;
    case VK_PRIOR:
        to = from - std::max(page - 1, 1);
        break;
    case VK_NEXT:
        to = from + std::max(page - 1, 1);
        break;
    case VK_HOME:
        to = 0;
        break;
    case VK_END:
        to = lb.Count() - 1;
        break;
    case VK_SPACE:
        if (lb.MultiSel() && lb.Valid(lb.caret))
            UserChoose(lb, lb.caret, false, lb.Extended() ? KeyHeld(VK_CONTROL) : false, true);
        return;
    default:
        return;
    }
    if (from < 0) to = 0;
    to = std::clamp(to, 0, lb.Count() - 1);
    const bool shift = KeyHeld(VK_SHIFT);
    const bool control = KeyHeld(VK_CONTROL);
    if (lb.Extended() && control && !shift) {
        SetCaret(lb, to);
        MakeVisible(lb, to);
        return;
    }
    UserChoose(lb, to, shift, false, false);
}

// Typing selects the next item that starts with what was typed; characters that follow each
// other within the double-click time twice over make one prefix.
void TypeToSelect(ListBox& lb, char c) {
    if (!lb.HasStrings() || lb.Count() == 0) return;
    const std::uint32_t now = core::GetTickCount();
    if (now - lb.lastTyped >= 2 * GetDoubleClickTime()) lb.typed.clear();
    lb.lastTyped = now;
    lb.typed += c;
    const int current = lb.MultiSel() ? lb.caret : lb.curSel;
    // A longer prefix may still fit the current item; a first character looks past it.
    const int start = lb.typed.size() > 1 ? current - 1 : current;
    const LRESULT found = FindString(lb, start, reinterpret_cast<LPARAM>(lb.typed.c_str()), false);
    if (found != LB_ERR) UserChoose(lb, static_cast<int>(found), false, false, false);
}

void MouseAt(ListBox& lb, TPoint p, WPARAM keys, bool press) {
    bool outside = false;
    const int index = ItemAtY(lb, p.Y, &outside);
    if (index < 0) return;
    if (press && outside && p.Y >= 0) return; // a press below the last item chooses nothing
    const bool shift = (keys & MK_SHIFT) != 0;
    const bool control = (keys & MK_CONTROL) != 0;
    if (press) {
        UserChoose(lb, index, shift, control, lb.MultiSel() && (control || !lb.Extended()));
    } else if (!lb.MultiSel() || lb.Extended()) {
        UserChoose(lb, index, lb.Extended() || shift, false, false);
    }
}

void Scroll(ListBox& lb, WPARAM code) {
    switch (LOWORD(code)) {
    case SB_LINEUP:
        SetTop(lb, lb.top - 1);
        break;
    case SB_LINEDOWN:
        SetTop(lb, lb.top + 1);
        break;
    case SB_PAGEUP:
        SetTop(lb, lb.top - std::max(PageSize(lb) - 1, 1));
        break;
    case SB_PAGEDOWN:
        SetTop(lb, lb.top + std::max(PageSize(lb) - 1, 1));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetTop(lb, HIWORD(code));
        break;
    case SB_TOP:
        SetTop(lb, 0);
        break;
    case SB_BOTTOM:
        SetTop(lb, lb.Count());
        break;
    default:
        break;
    }
}

void Paint(ListBox& lb) {
    PAINTSTRUCT ps;
    gdi::HDC dc = BeginPaint(lb.wnd, &ps);
    const int width = ClientWidth(lb);
    const int height = ClientHeight(lb);
    const bool enabled = IsWindowEnabled(lb.wnd) != 0;
    gdi::HGDIOBJ oldFont = gdi::SelectObject(dc, lb.font);
    int y = 0;
    for (int i = lb.top; i < lb.Count() && y < height; ++i) {
        const TRect r{0, y, width, y + lb.HeightOf(i)};
        y = r.Bottom;
        const bool selected = lb.IsSelected(i);
        const bool focus = lb.focused && i == lb.caret;
        if (lb.OwnerDraw()) {
            DRAWITEMSTRUCT draw{ODT_LISTBOX,
                                ControlId(lb),
                                static_cast<UINT>(i),
                                ODA_DRAWENTIRE,
                                (selected ? ODS_SELECTED : 0u) | (focus ? ODS_FOCUS : 0u) |
                                    (enabled ? 0u : ODS_DISABLED),
                                lb.wnd,
                                dc,
                                r,
                                lb.items[i].data};
            core::SendMessage(GetParent(lb.wnd), WM_DRAWITEM, ControlId(lb),
                              reinterpret_cast<LPARAM>(&draw));
            continue;
        }
        gdi::SetBkColor(dc, gdi::GetSysColor(selected ? gdi::COLOR_HIGHLIGHT : gdi::COLOR_WINDOW));
        gdi::SetTextColor(dc, gdi::GetSysColor(!enabled   ? gdi::COLOR_GRAYTEXT
                                               : selected ? gdi::COLOR_HIGHLIGHTTEXT
                                                          : gdi::COLOR_WINDOWTEXT));
        const std::string& text = lb.items[i].text;
        gdi::ExtTextOut(dc, r.Left + TextMargin, r.Top, gdi::ETO_OPAQUE | gdi::ETO_CLIPPED, &r,
                        text.c_str(), static_cast<int>(text.size()), nullptr);
        if (focus) gdi::DrawFocusRect(dc, &r);
    }
    if (y < height) {
        const TRect rest{0, y, width, height};
        gdi::FillRect(dc, &rest, gdi::GetSysColorBrush(gdi::COLOR_WINDOW));
    }
    gdi::SelectObject(dc, oldFont);
    EndPaint(lb.wnd, &ps);
}

void PaintScrollBar(ListBox& lb) {
    if (!lb.barShown) return;
    BarParts p = BarGeometry(lb);
    gdi::HDC dc = GetWindowDC(lb.wnd);
    gdi::FillRect(dc, &p.bar, gdi::GetSysColorBrush(gdi::COLOR_SCROLLBAR));
    const UINT inactive = MaxTop(lb) > 0 ? 0u : static_cast<UINT>(gdi::DFCS_INACTIVE);
    gdi::DrawFrameControl(dc, &p.up, gdi::DFC_SCROLL, gdi::DFCS_SCROLLUP | inactive);
    gdi::DrawFrameControl(dc, &p.down, gdi::DFC_SCROLL, gdi::DFCS_SCROLLDOWN | inactive);
    if (!gdi::IsRectEmpty(p.thumb)) {
        gdi::FillRect(dc, &p.thumb, gdi::GetSysColorBrush(gdi::COLOR_BTNFACE));
        gdi::DrawEdge(dc, &p.thumb, gdi::EDGE_RAISED, gdi::BF_RECT);
    }
    ReleaseDC(lb.wnd, dc);
}

TPoint ScreenToWindow(const ListBox& lb, TPoint screen) {
    TRect window;
    GetWindowRect(lb.wnd, &window);
    return {screen.X - window.Left, screen.Y - window.Top};
}

void BarPress(ListBox& lb, TPoint screen) {
    const BarParts p = BarGeometry(lb);
    const TPoint at = ScreenToWindow(lb, screen);
    if (gdi::PtInRect(p.up, at)) {
        Scroll(lb, SB_LINEUP);
    } else if (gdi::PtInRect(p.down, at)) {
        Scroll(lb, SB_LINEDOWN);
    } else if (!gdi::IsRectEmpty(p.thumb) && at.Y < p.thumb.Top) {
        Scroll(lb, SB_PAGEUP);
    } else if (!gdi::IsRectEmpty(p.thumb) && at.Y >= p.thumb.Bottom) {
        Scroll(lb, SB_PAGEDOWN);
    } else if (gdi::PtInRect(p.thumb, at)) {
        lb.barTrack = BarTrack::Thumb;
        lb.thumbGrab = at.Y - p.thumb.Top;
        SetCapture(lb.wnd);
    }
}

void ThumbDrag(ListBox& lb, TPoint client) {
    const BarParts p = BarGeometry(lb);
    TPoint screen = client;
    ClientToScreen(lb.wnd, &screen);
    const TPoint at = ScreenToWindow(lb, screen);
    const int track = p.down.Top - p.up.Bottom - p.thumb.Height();
    if (track <= 0) return;
    const int offset = std::clamp(at.Y - lb.thumbGrab - p.up.Bottom, 0, track);
    SetTop(lb, (offset * MaxTop(lb) + track / 2) / track);
}
// The list box's messages, one handler each.

LRESULT OnCreate(ListBox* lb) {
    lb->itemHeight = TextHeight(*lb);
    if (lb->style & LBS_OWNERDRAWFIXED) lb->itemHeight = MeasureItem(*lb, 0, 0);
    UpdateScrollBar(*lb);
    return 0;
}

LRESULT OnNcDestroy(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto owned = std::move(Boxes()[wnd]);
    Boxes().erase(wnd);
    return DefWindowProc(wnd, msg, wParam, lParam);
}

LRESULT OnNcCalcSize(ListBox* lb, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = DefWindowProc(wnd, msg, wParam, lParam);
    if (lb->barShown) {
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        params->rgrc[0].Right -= gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    }
    return r;
}

LRESULT OnNcPaint(ListBox* lb, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DefWindowProc(wnd, msg, wParam, lParam);
    PaintScrollBar(*lb);
    return 0;
}

LRESULT OnNcHitTest(ListBox* lb, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (lb->barShown &&
        gdi::PtInRect(BarGeometry(*lb).bar, ScreenToWindow(*lb, LParamToPoint(lParam))))
        return HTVSCROLL;
    return DefWindowProc(wnd, msg, wParam, lParam);
}

LRESULT OnNcLButtonDown(ListBox* lb, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (wParam == static_cast<WPARAM>(HTVSCROLL)) {
        BarPress(*lb, LParamToPoint(lParam));
        return 0;
    }
    return DefWindowProc(wnd, msg, wParam, lParam);
}

LRESULT OnSize(ListBox* lb) {
    AfterItemsChanged(*lb);
    return 0;
}

LRESULT OnPaint(ListBox* lb) {
    Paint(*lb);
    return 0;
}

LRESULT OnEraseBkgnd() {
    return 1; // painting covers every pixel
}

LRESULT OnSetFont(ListBox* lb, WPARAM wParam) {
    lb->font = static_cast<gdi::HFONT>(wParam);
    if (!lb->OwnerDraw()) lb->itemHeight = TextHeight(*lb);
    AfterItemsChanged(*lb);
    return 0;
}

LRESULT OnSetRedraw(ListBox* lb, WPARAM wParam) {
    lb->redraw = wParam != 0;
    if (lb->redraw) AfterItemsChanged(*lb);
    return 0;
}

LRESULT OnEnable(ListBox* lb) {
    Invalidate(*lb);
    return 0;
}

LRESULT OnSetFocus(ListBox* lb) {
    lb->focused = true;
    InvalidateItem(*lb, lb->caret);
    Notify(*lb, LBN_SETFOCUS);
    return 0;
}

LRESULT OnKillFocus(ListBox* lb) {
    lb->focused = false;
    InvalidateItem(*lb, lb->caret);
    Notify(*lb, LBN_KILLFOCUS);
    return 0;
}

LRESULT OnKeyDown(ListBox* lb, WPARAM wParam) {
    KeyDown(*lb, static_cast<int>(wParam));
    return 0;
}

LRESULT OnChar(ListBox* lb, WPARAM wParam) {
    if (wParam >= 0x20 && !(lb->MultiSel() && wParam == ' '))
        TypeToSelect(*lb, static_cast<char>(wParam));
    return 0;
}

LRESULT OnLButtonDown(ListBox* lb, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (GetFocus() != wnd) SetFocus(wnd);
    if (!BoxOf(wnd)) return 0;
    MouseAt(*lb, LParamToPoint(lParam), wParam, true);
    lb->tracking = true;
    SetCapture(wnd);
    if (msg == WM_LBUTTONDBLCLK) Notify(*lb, LBN_DBLCLK);
    return 0;
}

LRESULT OnMouseMove(ListBox* lb, WPARAM wParam, LPARAM lParam) {
    if (lb->barTrack == BarTrack::Thumb) {
        ThumbDrag(*lb, LParamToPoint(lParam));
    } else if (lb->tracking) {
        const TPoint p = LParamToPoint(lParam);
        if (p.Y < 0) SetTop(*lb, lb->top - 1);
        if (p.Y >= ClientHeight(*lb)) SetTop(*lb, lb->top + 1);
        MouseAt(*lb, p, wParam, false);
    }
    return 0;
}

LRESULT OnLButtonUp(ListBox* lb) {
    if (lb->tracking || lb->barTrack != BarTrack::None) ReleaseCapture();
    return 0;
}

LRESULT OnCaptureChanged(ListBox* lb) {
    lb->tracking = false;
    lb->barTrack = BarTrack::None;
    return 0;
}

LRESULT OnMouseWheel(ListBox* lb, WPARAM wParam) {
    SetTop(*lb, lb->top - GET_WHEEL_DELTA_WPARAM(wParam) * WheelLines / WHEEL_DELTA);
    return 0;
}

LRESULT OnVScroll(ListBox* lb, WPARAM wParam) {
    Scroll(*lb, wParam);
    return 0;
}

LRESULT OnResetContent(ListBox* lb) {
    lb->items.clear();
    lb->curSel = lb->caret = lb->anchor = -1;
    lb->top = 0;
    AfterItemsChanged(*lb);
    return LB_OKAY;
}

LRESULT OnGetText(ListBox* lb, WPARAM wParam, LPARAM lParam) {
    const int i = static_cast<int>(wParam);
    if (!lb->Valid(i)) return LB_ERR;
    if (!lb->HasStrings()) {
        std::memcpy(reinterpret_cast<void*>(lParam), &lb->items[i].data, sizeof(lb->items[i].data));
        return sizeof(lb->items[i].data);
    }
    const std::string& text = lb->items[i].text;
    std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

LRESULT OnGetTextLen(ListBox* lb, WPARAM wParam) {
    const int i = static_cast<int>(wParam);
    if (!lb->Valid(i)) return LB_ERR;
    return lb->HasStrings() ? static_cast<LRESULT>(lb->items[i].text.size())
                            : static_cast<LRESULT>(sizeof(std::uintptr_t));
}

LRESULT OnSetItemData(ListBox* lb, WPARAM wParam, LPARAM lParam) {
    const int i = static_cast<int>(wParam);
    if (!lb->Valid(i)) return LB_ERR;
    lb->items[i].data = static_cast<std::uintptr_t>(lParam);
    return LB_OKAY;
}

LRESULT OnGetItemData(ListBox* lb, WPARAM wParam) {
    const int i = static_cast<int>(wParam);
    return lb->Valid(i) ? static_cast<LRESULT>(lb->items[i].data) : LB_ERR;
}

LRESULT OnSetCurSel(ListBox* lb, WPARAM wParam) {
    if (lb->MultiSel()) return LB_ERR;
    const int i = static_cast<int>(wParam);
    SelectOne(*lb, i);
    MakeVisible(*lb, i);
    return lb->Valid(i) ? i : LB_ERR;
}

LRESULT OnSetSel(ListBox* lb, WPARAM wParam, LPARAM lParam) {
    if (!lb->MultiSel()) return LB_ERR;
    const int i = static_cast<int>(lParam);
    if (i == -1) {
        for (int k = 0; k < lb->Count(); ++k)
            SetSelected(*lb, k, wParam != 0);
        return LB_OKAY;
    }
    if (!lb->Valid(i)) return LB_ERR;
    SetSelected(*lb, i, wParam != 0);
    SetCaret(*lb, i);
    lb->anchor = i;
    return LB_OKAY;
}

LRESULT OnSelItemRange(ListBox* lb, WPARAM wParam, LPARAM lParam) {
    if (!lb->MultiSel()) return LB_ERR;
    const int first = std::max(0, static_cast<int>(LOWORD(lParam)));
    const int last = std::min(lb->Count() - 1, static_cast<int>(HIWORD(lParam)));
    for (int k = first; k <= last; ++k)
        SetSelected(*lb, k, wParam != 0);
    return LB_OKAY;
}

LRESULT OnGetSel(ListBox* lb, WPARAM wParam) {
    const int i = static_cast<int>(wParam);
    return lb->Valid(i) ? (lb->IsSelected(i) ? 1 : 0) : LB_ERR;
}

LRESULT OnGetSelCount(ListBox* lb) {
    if (!lb->MultiSel()) return LB_ERR;
    return std::count_if(lb->items.begin(), lb->items.end(),
                         [](const Item& item) { return item.selected; });
}

LRESULT OnGetSelItems(ListBox* lb, WPARAM wParam, LPARAM lParam) {
    if (!lb->MultiSel()) return LB_ERR;
    auto* out = reinterpret_cast<int*>(lParam);
    int n = 0;
    for (int k = 0; k < lb->Count() && n < static_cast<int>(wParam); ++k)
        if (lb->items[k].selected) out[n++] = k;
    return n;
}

LRESULT OnSelectString(ListBox* lb, WPARAM wParam, LPARAM lParam) {
    const LRESULT found = FindString(*lb, static_cast<int>(wParam), lParam, false);
    if (found == LB_ERR) return LB_ERR;
    if (lb->MultiSel()) {
        SetCaret(*lb, static_cast<int>(found));
    } else {
        SelectOne(*lb, static_cast<int>(found));
    }
    MakeVisible(*lb, static_cast<int>(found));
    return found;
}

LRESULT OnSetTopIndex(ListBox* lb, WPARAM wParam) {
    const int i = static_cast<int>(wParam);
    if (!lb->Valid(i) && !(i == 0 && lb->Count() == 0)) return LB_ERR;
    SetTop(*lb, i);
    return LB_OKAY;
}

LRESULT OnSetCaretIndex(ListBox* lb, WPARAM wParam) {
    const int i = static_cast<int>(wParam);
    if (!lb->Valid(i)) return LB_ERR;
    SetCaret(*lb, i);
    MakeVisible(*lb, i);
    return LB_OKAY;
}

LRESULT OnSetAnchorIndex(ListBox* lb, WPARAM wParam) {
    const int i = static_cast<int>(wParam);
    if (!lb->Valid(i)) return LB_ERR;
    lb->anchor = i;
    return LB_OKAY;
}

LRESULT OnSetItemHeight(ListBox* lb, WPARAM wParam, LPARAM lParam) {
    const int height = LOWORD(static_cast<std::uintptr_t>(lParam));
    if (height < 1 || height > MaxItemHeight) return LB_ERR;
    if (lb->Variable()) {
        const int i = static_cast<int>(wParam);
        if (!lb->Valid(i)) return LB_ERR;
        lb->items[i].height = height;
    } else {
        lb->itemHeight = height;
    }
    AfterItemsChanged(*lb);
    return LB_OKAY;
}

LRESULT OnGetItemHeight(ListBox* lb, WPARAM wParam) {
    if (!lb->Variable()) return lb->itemHeight;
    const int i = static_cast<int>(wParam);
    return lb->Valid(i) ? lb->items[i].height : LB_ERR;
}

LRESULT OnGetItemRect(ListBox* lb, WPARAM wParam, LPARAM lParam) {
    const int i = static_cast<int>(wParam);
    if (!lb->Valid(i)) return LB_ERR;
    *reinterpret_cast<TRect*>(lParam) = ItemRect(*lb, i);
    return LB_OKAY;
}

LRESULT OnItemFromPoint(ListBox* lb, LPARAM lParam) {
    const TPoint p = LParamToPoint(lParam);
    bool outside = false;
    const int i = ItemAtY(*lb, p.Y, &outside);
    if (i < 0) return MAKELPARAM(0, 1);
    outside = outside || p.X < 0 || p.X >= ClientWidth(*lb);
    return MAKELPARAM(i, outside ? 1 : 0);
}

LRESULT ListBoxProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto box = std::make_unique<ListBox>();
        box->wnd = wnd;
        box->style = reinterpret_cast<const CREATESTRUCT*>(lParam)->style;
        box->font = static_cast<gdi::HFONT>(gdi::GetStockObject(gdi::DEFAULT_GUI_FONT));
        Boxes()[wnd] = std::move(box);
        return DefWindowProc(wnd, msg, wParam, lParam);
    }
    ListBox* lb = BoxOf(wnd);
    if (!lb) return DefWindowProc(wnd, msg, wParam, lParam);
    lb->style = static_cast<DWORD>(GetWindowLong(wnd, GWL_STYLE));
    // clang-format off
    switch (msg) {
    case WM_CREATE: return OnCreate(lb);
    case WM_NCDESTROY: return OnNcDestroy(wnd, msg, wParam, lParam);
    case WM_NCCALCSIZE: return OnNcCalcSize(lb, wnd, msg, wParam, lParam);
    case WM_NCPAINT: return OnNcPaint(lb, wnd, msg, wParam, lParam);
    case WM_NCHITTEST: return OnNcHitTest(lb, wnd, msg, wParam, lParam);
    case WM_NCLBUTTONDOWN: return OnNcLButtonDown(lb, wnd, msg, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: return OnNcLButtonDown(lb, wnd, msg, wParam, lParam);
    case WM_SIZE: return OnSize(lb);
    case WM_PAINT: return OnPaint(lb);
    case WM_ERASEBKGND: return OnEraseBkgnd();
    case WM_SETFONT: return OnSetFont(lb, wParam);
    case WM_GETFONT: return static_cast<LRESULT>(static_cast<std::uintptr_t>(lb->font));
    case WM_SETREDRAW: return OnSetRedraw(lb, wParam);
    case WM_ENABLE: return OnEnable(lb);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: return OnSetFocus(lb);
    case WM_KILLFOCUS: return OnKillFocus(lb);
    case WM_KEYDOWN: return OnKeyDown(lb, wParam);
    case WM_CHAR: return OnChar(lb, wParam);
    case WM_LBUTTONDOWN: return OnLButtonDown(lb, wnd, msg, wParam, lParam);
    case WM_LBUTTONDBLCLK: return OnLButtonDown(lb, wnd, msg, wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(lb, wParam, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(lb);
    case WM_CAPTURECHANGED: return OnCaptureChanged(lb);
    case WM_MOUSEWHEEL: return OnMouseWheel(lb, wParam);
    case WM_VSCROLL: return OnVScroll(lb, wParam);
    case LB_ADDSTRING: return AddString(*lb, lParam);
    case LB_INSERTSTRING: return InsertItem(*lb, static_cast<int>(wParam), lParam);
    case LB_DELETESTRING: return DeleteItem(*lb, static_cast<int>(wParam));
    case LB_RESETCONTENT: return OnResetContent(lb);
    case LB_GETCOUNT: return lb->Count();
    case LB_GETTEXT: return OnGetText(lb, wParam, lParam);
    case LB_GETTEXTLEN: return OnGetTextLen(lb, wParam);
    case LB_SETITEMDATA: return OnSetItemData(lb, wParam, lParam);
    case LB_GETITEMDATA: return OnGetItemData(lb, wParam);
    case LB_SETCURSEL: return OnSetCurSel(lb, wParam);
    case LB_GETCURSEL: return lb->MultiSel() ? lb->caret : lb->curSel;
    case LB_SETSEL: return OnSetSel(lb, wParam, lParam);
    case LB_SELITEMRANGE: return OnSelItemRange(lb, wParam, lParam);
    case LB_GETSEL: return OnGetSel(lb, wParam);
    case LB_GETSELCOUNT: return OnGetSelCount(lb);
    case LB_GETSELITEMS: return OnGetSelItems(lb, wParam, lParam);
    case LB_FINDSTRING: return FindString(*lb, static_cast<int>(wParam), lParam, msg == LB_FINDSTRINGEXACT);
    case LB_FINDSTRINGEXACT: return FindString(*lb, static_cast<int>(wParam), lParam, msg == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: return OnSelectString(lb, wParam, lParam);
    case LB_SETTOPINDEX: return OnSetTopIndex(lb, wParam);
    case LB_GETTOPINDEX: return lb->top;
    case LB_SETCARETINDEX: return OnSetCaretIndex(lb, wParam);
    case LB_GETCARETINDEX: return lb->caret >= 0 ? lb->caret : (lb->Count() > 0 ? 0 : LB_ERR);
    case LB_SETANCHORINDEX: return OnSetAnchorIndex(lb, wParam);
    case LB_GETANCHORINDEX: return lb->anchor;
    case LB_SETITEMHEIGHT: return OnSetItemHeight(lb, wParam, lParam);
    case LB_GETITEMHEIGHT: return OnGetItemHeight(lb, wParam);
    case LB_GETITEMRECT: return OnGetItemRect(lb, wParam, lParam);
    case LB_ITEMFROMPOINT: return OnItemFromPoint(lb, lParam);
    case LB_SETHORIZONTALEXTENT: return 0;
    case LB_GETHORIZONTALEXTENT: return 0;
    default: return DefWindowProc(wnd, msg, wParam, lParam);
    }
    // clang-format on
}

} // namespace

void RegisterListBoxClass() {
    WNDCLASS cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = ListBoxProc;
    cls.hCursor = LoadCursor(IDC_ARROW);
    cls.lpszClassName = WC_LISTBOX;
    RegisterClass(cls);
}

} // namespace platform::win
