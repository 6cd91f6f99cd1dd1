// The multiple-document parts of the forms: the parent's children (their order, activation,
// cascading, tiling and icons) and a child's window states, caption and icon.

#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/forms/menus.h"
#include "platform/forms/screen.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/system_menu.h"
#include "platform/win/window.h"
#include "platform/win/window_placement.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace platform::forms {

using namespace win;

namespace {

int CaptionHeight() {
    return gdi::GetSystemMetrics(gdi::SM_CYCAPTION) + 2 * gdi::GetSystemMetrics(gdi::SM_CYFRAME);
}

// Hit-test codes of the caption buttons.
constexpr int HTMINBUTTON = 8;
constexpr int HTMAXBUTTON = 9;
constexpr int HTCLOSE = 20;

} // namespace

// ---- a child's window states ----

void TCustomForm::MinimizeMDIChild() {
    TCustomForm* parent = MDIParent();
    if (!parent) return;
    // The icon has no client area; the controls keep the one they had.
    const TRect client = ClientRect();
    iconFrame_ = {width_ - client.Width(), height_ - client.Height()};
    // Whatever its border, the icon is a caption.
    SetWindowLong(handle_, GWL_STYLE, (GetWindowLong(handle_, GWL_STYLE) | WS_CAPTION));
    SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The window system puts the icon in the first free place along the bottom.
    ShowWindow(handle_, SW_MINIMIZE);
    if (parent->activeChild_ == this) {
        auto rest = parent->MDIChildList(false);
        std::erase_if(rest, [](TCustomForm* f) { return f->windowState_ == wsMinimized; });
        parent->ActivateMDIChild(rest.empty() ? this : rest.front());
    }
}

void TCustomForm::MaximizeMDIChild() {
    TCustomForm* parent = MDIParent();
    if (!parent) return;
    // A maximised child shows no caption: its caption buttons go to the main form's menu bar.
    SetWindowLong(handle_, GWL_STYLE,
                  static_cast<std::intptr_t>(GetWindowLong(handle_, GWL_STYLE) & ~WS_CAPTION &
                                             ~WS_THICKFRAME));
    SetWindowPos(handle_, NullHWnd, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The platform's flag, so that IsZoomed answers for the child; with a child maximised the
    // client shows no scroll bars, and the child fills all of it.
    ShowWindow(handle_, SW_MAXIMIZE);
    parent->client_->CalcChildScroll();
    SetBoundsRect(parent->client_->ClientRect());
    parent->ActivateMDIChild(this);
}

void TCustomForm::RestoreMDIChild() {
    TCustomForm* parent = MDIParent();
    if (!parent) return;
    TCreateParams params;
    CreateParams(params);
    if (IsZoomed(handle_) || IsIconic(handle_)) ShowWindow(handle_, SW_RESTORE);
    SetWindowLong(handle_, GWL_STYLE, static_cast<std::intptr_t>(params.style | WS_VISIBLE));
    SetWindowPos(handle_, NullHWnd, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetBoundsRect(normalBounds_);
    parent->ActivateMDIChild(this);
}

// ---- the multiple-document parent ----

std::vector<TCustomForm*> TCustomForm::MDIChildList(bool includeHidden) const {
    std::vector<TCustomForm*> result;
    if (!client_ || !client_->HandleAllocated()) return result;
    for (HWND wnd : ChildWindows(client_->Handle())) {
        auto* form = dynamic_cast<TCustomForm*>(FindControl(wnd));
        if (!form || form->formStyle_ != fsMDIChild || form->released_) continue;
        if (!includeHidden && !form->visible_) continue;
        result.push_back(form);
    }
    return result;
}

int TCustomForm::MDIChildCount() const {
    return static_cast<int>(MDIChildList(true).size());
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    return MDIChildList(true).at(static_cast<std::size_t>(index));
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    return activeChild_;
}

void TCustomForm::ActivateMDIChild(TCustomForm* child) {
    if (child && child->handle_ != NullHWnd)
        SetWindowPos(child->handle_, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (child == activeChild_) {
        // The platform tells an MDI child that is sized or brought forward again, too.
        if (child && child->handle_ != NullHWnd)
            core::SendMessage(child->handle_, WM_CHILDACTIVATE, 0, 0);
        return;
    }
    TCustomForm* old = activeChild_;
    activeChild_ = child;
    if (old) {
        old->active_ = false;
        if (old->handle_ != NullHWnd) core::SendMessage(old->handle_, WM_NCACTIVATE, 0, 0);
        old->Deactivate();
    }
    const auto handleOf = [](TCustomForm* f) {
        return f && f->handle_ != NullHWnd ? static_cast<LPARAM>(f->handle_) : 0;
    };
    if (old && old->handle_ != NullHWnd)
        core::SendMessage(old->handle_, win::WM_MDIACTIVATE, static_cast<WPARAM>(handleOf(old)),
                          handleOf(child));
    if (child) {
        child->active_ = true;
        if (child->handle_ != NullHWnd) {
            core::SendMessage(child->handle_, WM_NCACTIVATE, 1, 0);
            core::SendMessage(child->handle_, WM_CHILDACTIVATE, 0, 0);
            core::SendMessage(child->handle_, win::WM_MDIACTIVATE,
                              static_cast<WPARAM>(handleOf(old)), handleOf(child));
        }
        child->Activate();
        if (child->activeControl_ && child->activeControl_->CanFocus() &&
            GetActiveWindow() == handle_)
            win::SetFocus(child->activeControl_->Handle());
    }
    Screen().ActiveFormChanged();
}

void TCustomForm::MDIChildGone(TCustomForm* child) {
    if (activeChild_ != child) return;
    activeChild_ = nullptr;
    auto rest = MDIChildList(false);
    std::erase(rest, child);
    std::erase_if(rest, [](TCustomForm* f) { return f->windowState_ == wsMinimized; });
    ActivateMDIChild(rest.empty() ? nullptr : rest.front());
    if (!activeChild_) Screen().ActiveFormChanged();
}

void TCustomForm::Next() {
    auto list = MDIChildList(false);
    if (list.size() < 2) return;
    // The front child goes to the back, the next one comes forward.
    TCustomForm* front = list.front();
    SetWindowPos(front->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ActivateMDIChild(list[1]);
}

void TCustomForm::Previous() {
    auto list = MDIChildList(false);
    if (list.size() < 2) return;
    ActivateMDIChild(list.back());
}

TRect TCustomForm::AreaAboveIcons() {
    TRect area = client_->ClientRect();
    const auto list = MDIChildList(false);
    if (std::none_of(list.begin(), list.end(), [](TCustomForm* f) { return f->Iconic(); }))
        return area;
    ArrangeIcons();
    for (TCustomForm* f : MDIChildList(false))
        if (f->Iconic()) {
            TRect icon;
            GetWindowRect(f->handle_, &icon);
            TPoint top{0, icon.Top};
            win::ScreenToClient(client_->Handle(), &top);
            area.Bottom = std::min(area.Bottom, top.Y);
        }
    area.Bottom = std::max(area.Top, area.Bottom);
    return area;
}

TPoint TCustomForm::NextDefaultChildPlace(int width, int height) {
    const TRect area = client_->ClientRect();
    const int step = CaptionHeight();
    int offset = (defaultPlaceStep_ + 1) * step;
    if (offset + width > area.Width() || offset + height > area.Height()) offset = 0;
    defaultPlaceStep_ = offset / step;
    return {area.Left + offset, area.Top + offset};
}

void TCustomForm::Cascade() {
    if (!client_) return;
    auto list = MDIChildList(false);
    std::erase_if(list, [](TCustomForm* f) { return f->windowState_ == wsMinimized; });
    if (list.empty()) return;
    for (TCustomForm* f : list)
        if (f->windowState_ == wsMaximized) f->SetWindowState(wsNormal);
    const TRect client = AreaAboveIcons();
    const int step = CaptionHeight();
    const int width = client.Width() * 3 / 4, height = client.Height() * 3 / 4;
    // The back child first, so that the front one ends at the last step, still in front; the
    // steps start again at the top before a child would reach below the area.
    int i = 0;
    for (auto it = list.rbegin(); it != list.rend(); ++it, ++i) {
        int offset = (i * step) % std::max(1, client.Height() - height + 1);
        (*it)->SetBounds(offset, offset, width, height);
    }
}

void TCustomForm::Tile() {
    if (!client_) return;
    auto list = MDIChildList(false);
    std::erase_if(list, [](TCustomForm* f) { return f->windowState_ == wsMinimized; });
    if (list.empty()) return;
    for (TCustomForm* f : list)
        if (f->windowState_ == wsMaximized) f->SetWindowState(wsNormal);
    const TRect area = AreaAboveIcons();
    const int n = static_cast<int>(list.size());
    // Horizontal tiling stacks the children from top to bottom; more than three go in columns.
    int columns = n <= 3 ? 1 : static_cast<int>(std::floor(std::sqrt(n)));
    if (TileMode == tbVertical) columns = n <= 3 ? n : static_cast<int>(std::ceil(std::sqrt(n)));
    // Each child takes its cell; one without a sizing border keeps its size and is only moved,
    // and one that keeps a size of its own (a least height, a fixed width) pushes the next
    // further down and the next column further right, so that no two children overlap.
    int index = 0;
    int columnLeft = area.Left;
    for (int c = 0; c < columns; ++c) {
        const int cellLeft = area.Left + area.Width() * c / columns;
        const int cellRight = area.Left + area.Width() * (c + 1) / columns;
        const int left = std::max(cellLeft, columnLeft);
        const int inColumn = n / columns + (c >= columns - n % columns ? 1 : 0);
        int below = area.Top;
        int right = left;
        for (int r = 0; r < inColumn; ++r, ++index) {
            const int cellTop = area.Top + area.Height() * r / inColumn;
            const int cellBottom = area.Top + area.Height() * (r + 1) / inColumn;
            const int top = std::max(cellTop, below);
            TCustomForm* child = list[static_cast<std::size_t>(index)];
            const bool sizable =
                child->borderStyle_ == bsSizeable || child->borderStyle_ == bsSizeToolWin;
            if (sizable)
                child->SetBounds(left, top, cellRight - cellLeft, cellBottom - cellTop);
            else
                child->SetBounds(left, top, child->Width(), child->Height());
            below = child->Top() + child->Height();
            right = std::max(right, child->Left() + child->Width());
        }
        columnLeft = right;
    }
}

void TCustomForm::ArrangeIcons() {
    if (client_ && client_->HandleAllocated()) ArrangeIconicWindows(client_->Handle());
}

// ---- the caption of a multiple-document child ----

bool TCustomForm::Iconic() const {
    return handle_ != NullHWnd && IsIconic(handle_);
}

TRect TCustomForm::ClientRect() const {
    if (formStyle_ == fsMDIChild && Iconic())
        return {0, 0, std::max(0, width_ - iconFrame_.cx), std::max(0, height_ - iconFrame_.cy)};
    return TCustomControl::ClientRect();
}

TRect TCustomForm::CaptionBar() const {
    if (handle_ == NullHWnd) return {};
    TRect window;
    GetWindowRect(handle_, &window);
    if (Iconic()) {
        // The icon is all caption, inside a fixed frame.
        const int frame = gdi::GetSystemMetrics(gdi::SM_CXDLGFRAME);
        return {frame, frame, window.Width() - frame, window.Height() - frame};
    }
    TPoint origin{0, 0};
    win::ClientToScreen(handle_, &origin);
    const int left = origin.X - window.Left, top = origin.Y - window.Top;
    const int height = gdi::GetSystemMetrics(gdi::SM_CYCAPTION);
    TRect client;
    GetClientRect(handle_, &client);
    return {left, top - height, left + client.Width(), top};
}

bool TCustomForm::HasCaptionButton(TCaptionButton button) const {
    switch (button) {
    case cbMinimize:
        // An icon always has the button that restores it.
        return (borderIcons_ & biMinimize) || Iconic();
    case cbMaximize:
        return (borderIcons_ & biMaximize) != 0;
    case cbClose:
        return (borderIcons_ & biSystemMenu) != 0;
    }
    return false;
}

TRect TCustomForm::CaptionButtonRect(TCaptionButton button) const {
    TRect bar = CaptionBar();
    const int size = std::max(0, bar.Height() - 4);
    // From the right; an icon has no room to spare, so its buttons close up.
    int slot = 2 - static_cast<int>(button);
    if (Iconic()) {
        slot = 0;
        for (int b = button + 1; b <= cbClose; ++b)
            if (HasCaptionButton(static_cast<TCaptionButton>(b))) ++slot;
    }
    const int right = bar.Right - 2 - slot * (size + 2);
    return {right - size, bar.Top + 2, right, bar.Top + 2 + size};
}

int TCustomForm::ChildHitTest(TPoint screen) const {
    TRect window;
    GetWindowRect(handle_, &window);
    const TPoint p{screen.X - window.Left, screen.Y - window.Top};
    if (!gdi::PtInRect(CaptionBar(), p)) return HTNOWHERE;
    if (HasCaptionButton(cbClose) && gdi::PtInRect(CaptionButtonRect(cbClose), p)) return HTCLOSE;
    if (HasCaptionButton(cbMaximize) && gdi::PtInRect(CaptionButtonRect(cbMaximize), p))
        return HTMAXBUTTON;
    if (HasCaptionButton(cbMinimize) && gdi::PtInRect(CaptionButtonRect(cbMinimize), p))
        return HTMINBUTTON;
    return HTCAPTION;
}

void TCustomForm::PaintChildCaption() {
    TRect bar = CaptionBar();
    if (bar.Height() <= 0) return;
    const bool icon = Iconic();
    gdi::HDC dc = GetWindowDC(handle_);
    gdi::FillRect(
        dc, &bar,
        gdi::GetSysColorBrush(active_ ? gdi::COLOR_ACTIVECAPTION : gdi::COLOR_INACTIVECAPTION));
    int textLeft = bar.Left + 4;
    if (icon) {
        const int size = std::min(gdi::GetSystemMetrics(gdi::SM_CXSMICON), bar.Height());
        const int top = bar.Top + (bar.Height() - size) / 2;
        DrawIconEx(dc, bar.Left + 2, top, GetIconHandle(), size, size, 0, gdi::HBRUSH{}, DI_NORMAL);
        textLeft = bar.Left + 2 + size + 3;
    }
    TFont font;
    font.Assign(font_);
    font.SetStyle(gdi::fsBold);
    const int saved = gdi::SaveDC(dc);
    gdi::SelectObject(dc, font.Handle());
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::SetTextColor(
        dc, gdi::GetSysColor(active_ ? gdi::COLOR_CAPTIONTEXT : gdi::COLOR_INACTIVECAPTIONTEXT));
    int textRight = bar.Right - 2;
    for (const TCaptionButton b : {cbMinimize, cbMaximize, cbClose})
        if (HasCaptionButton(b)) {
            textRight = CaptionButtonRect(b).Left - 2;
            break;
        }
    TRect text{textLeft, bar.Top, textRight, bar.Bottom};
    gdi::DrawText(dc, text_.c_str(), static_cast<int>(text_.size()), &text,
                  gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX |
                      (icon ? gdi::DT_END_ELLIPSIS : 0u));
    gdi::RestoreDC(dc, saved);
    struct {
        TCaptionButton button;
        UINT kind;
    } const buttons[] = {
        {cbMinimize, icon ? UINT(gdi::DFCS_CAPTIONRESTORE) : UINT(gdi::DFCS_CAPTIONMIN)},
        {cbMaximize,
         windowState_ == wsMaximized ? UINT(gdi::DFCS_CAPTIONRESTORE) : UINT(gdi::DFCS_CAPTIONMAX)},
        {cbClose, UINT(gdi::DFCS_CAPTIONCLOSE)},
    };
    for (const auto& b : buttons) {
        if (!HasCaptionButton(b.button)) continue;
        TRect r = CaptionButtonRect(b.button);
        gdi::DrawFrameControl(dc, &r, gdi::DFC_CAPTION, b.kind);
    }
    ReleaseDC(handle_, dc);
}

namespace {

// A system menu entry's text as a menu item shows it: without its shortcut (which the item
// shows in its own column) and its accelerator's mark.
std::string ItemCaption(const std::string& text) {
    std::string caption = text.substr(0, text.find('\t'));
    std::erase(caption, '&');
    return caption;
}

} // namespace

void TCustomForm::ShowIconMenu() {
    const HMENU system = GetSystemMenu(handle_, false);
    if (system == nullptr || windowMenu_) return;
    TPopupMenu menu(nullptr);
    const HWND wnd = handle_;
    for (int i = 0; i < GetMenuItemCount(system); ++i) {
        MENUITEMINFO info;
        GetMenuItemInfo(system, static_cast<UINT>(i), true, &info);
        if (info.fType == MFT_SEPARATOR) {
            menu.Items().Add("-");
            continue;
        }
        const WPARAM command = info.wID;
        TMenuItem& item = menu.Items().Add(ItemCaption(info.dwTypeData), [wnd, command](TObject*) {
            core::SendMessage(wnd, WM_SYSCOMMAND, command, 0);
        });
        item.Enabled = (info.fState & MFS_GRAYED) == 0;
        if (const std::size_t tab = info.dwTypeData.find('\t'); tab != std::string::npos)
            item.ShortCut = TextToShortCut(std::string_view(info.dwTypeData).substr(tab + 1));
    }
    TRect icon;
    GetWindowRect(handle_, &icon);
    windowMenu_ = &menu;
    struct Forget {
        TPopupMenu*& menu;
        ~Forget() { menu = nullptr; }
    } forget{windowMenu_};
    menu.PopupBeside(icon);
    // A command may have closed the child.
    if (!core::IsWindow(wnd)) return;
    // The menu took the second press of a double click on the icon: the double click restores.
    const std::optional<TPoint> click = menu.ClosingClick();
    if (!click || !Iconic() || ChildHitTest(*click) != HTCAPTION) return;
    const bool soon = core::CurrentClock().Now() - iconPressTime_ <= GetDoubleClickTime();
    const bool near =
        std::abs(click->X - iconPress_.X) <= gdi::GetSystemMetrics(gdi::SM_CXDOUBLECLK) / 2 &&
        std::abs(click->Y - iconPress_.Y) <= gdi::GetSystemMetrics(gdi::SM_CYDOUBLECLK) / 2;
    if (soon && near) SetWindowState(wsNormal);
}

bool TCustomForm::WMNCHitTest(TMessage& message) {
    DefaultHandler(message);
    if (formStyle_ == fsMDIChild && message.Result == HTCAPTION)
        message.Result = ChildHitTest(LParamToPoint(message.LParam));
    return true;
}

bool TCustomForm::WMNCLButtonDown(TMessage& message) {
    if (formStyle_ != fsMDIChild) return false;
    switch (static_cast<int>(message.WParam)) {
    case HTCAPTION:
        // A double click on an icon restores it, a click opens its window menu; an icon or a
        // maximised child does not move.
        if (message.Msg == WM_NCLBUTTONDBLCLK && windowState_ == wsMinimized) {
            SetWindowState(wsNormal);
        } else if (windowState_ == wsMinimized && Iconic()) {
            iconPressed_ = true;
            iconPress_ = LParamToPoint(message.LParam);
            iconPressTime_ = core::CurrentClock().Now();
            win::SetCapture(handle_);
            return true;
        }
        if (windowState_ != wsNormal) return true;
        moving_ = true;
        GetCursorPos(&moveStart_);
        moveBounds_ = BoundsRect();
        win::SetCapture(handle_);
        return true;
    case HTMINBUTTON:
        SetWindowState(windowState_ == wsMinimized ? wsNormal : wsMinimized);
        return true;
    case HTMAXBUTTON:
        SetWindowState(windowState_ == wsMaximized ? wsNormal : wsMaximized);
        return true;
    case HTCLOSE:
        Close();
        return true;
    default:
        return false;
    }
    return false;
}

} // namespace platform::forms
