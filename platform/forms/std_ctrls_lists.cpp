// The list box on the platform's LISTBOX class and the combo box.

#include "platform/forms/std_ctrls.h"

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
