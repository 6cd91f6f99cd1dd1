#include "platform/win/window.h"

#include "platform/gdi/drawing.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/edit_class.h"
#include "platform/win/host_widget.h"
#include "platform/win/input_state.h"
#include "platform/win/painting.h"
#include "platform/win/window_data.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QWindow>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <unordered_map>

namespace platform::win {

namespace {

// The system's own classes are known before any window is made.
struct WindowSystem {
    std::map<std::string, WNDCLASS> classes{{EditClassName, EditWindowClass()}};
    std::unordered_map<HWND, std::unique_ptr<WindowData>> windows;
    std::vector<HWND> topLevels; // top of the z-order first, stay-on-top windows ahead
};

WindowSystem& System() {
    static WindowSystem system;
    return system;
}

bool IsTopmost(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w && (w->exStyle & WS_EX_TOPMOST);
}

std::vector<HWND>& SiblingList(const WindowData& w) {
    if (w.IsChild()) return WindowOf(w.parent)->children;
    return System().topLevels;
}

// Puts wnd at the top of its siblings (after the stay-on-top ones for a normal top-level
// window), at the bottom, or right below another.
void PlaceInZOrder(WindowData& w, HWND after) {
    auto& list = SiblingList(w);
    std::erase(list, w.handle);
    auto firstNormal = [&] {
        if (w.IsChild()) return list.begin();
        return std::find_if(list.begin(), list.end(), [](HWND h) { return !IsTopmost(h); });
    };
    if (after == HWND_BOTTOM) {
        list.push_back(w.handle);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        list.insert((w.exStyle & WS_EX_TOPMOST) ? list.begin() : firstNormal(), w.handle);
        // The windows a top-level window owns stay above it, in their own order, as the
        // desktop shows them: a form brought to the top does not cover its tool windows.
        if (!w.IsChild()) {
            std::vector<HWND> owned;
            for (HWND h : list)
                for (const WindowData* o = WindowOf(h); o && o->owner != NullHWnd;
                     o = WindowOf(o->owner))
                    if (o->owner == w.handle) {
                        owned.push_back(h);
                        break;
                    }
            for (HWND h : owned)
                std::erase(list, h);
            const auto at = std::find(list.begin(), list.end(), w.handle);
            list.insert(at, owned.begin(), owned.end());
        }
    } else {
        auto it = std::find(list.begin(), list.end(), after);
        list.insert(it == list.end() ? list.begin() : it + 1, w.handle);
    }
}

Qt::WindowFlags QtFlagsFor(const WindowData& w) {
    if (w.IsChild()) return Qt::Widget;
    Qt::WindowFlags flags;
    if (w.desktopManaged && !w.ManagedFrame()) {
        flags = Qt::Window | Qt::FramelessWindowHint;
    } else if (!w.ManagedFrame()) {
        // Menus, hints and drop-downs: placed where the program says, never activated by the
        // window manager, and closed by the program's own rules (so no Qt::Popup).
        flags = Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                Qt::WindowDoesNotAcceptFocus;
    } else if (w.exStyle & WS_EX_TOOLWINDOW) {
        flags = Qt::Tool;
    } else if ((w.style & DS_MODALFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME)) {
        flags = Qt::Dialog;
    } else {
        flags = Qt::Window;
    }
    if (w.exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

void CreateHost(WindowData& w) {
    QWidget* parent = nullptr;
    if (w.IsChild()) {
        parent = WindowOf(w.parent)->host;
    } else if (auto* owner = WindowOf(w.owner)) {
        parent = owner->host; // the owner becomes the transient parent
    }
    // Qt owns the widget through its parent; a top-level one is released in DestroyWindow.
    w.host = new HostWidget(w.handle, parent, QtFlagsFor(w));
    w.host->setWindowTitle(QString::fromLatin1(w.text.c_str()));
    if (!w.IsChild()) ShowIconOnDesktop(w);
}

void ReleaseHost(WindowData& w) {
    if (!w.host) return;
    w.host->hide();
    // Later: the host may be inside its own event handler right now.
    w.host->deleteLater();
    w.host = nullptr;
}

// The client rectangle for a new window rectangle, asked of the window by WM_NCCALCSIZE.
TRect CalcClient(WindowData& w, const TRect& rect) {
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = rect;
    core::SendMessage(w.handle, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&params));
    TRect c = params.rgrc[0];
    gdi::OffsetRect(c, -rect.Left, -rect.Top);
    c.Left = std::clamp(c.Left, 0, rect.Width());
    c.Top = std::clamp(c.Top, 0, rect.Height());
    c.Right = std::clamp(c.Right, c.Left, rect.Width());
    c.Bottom = std::clamp(c.Bottom, c.Top, rect.Height());
    return c;
}

void CollectDestroyOrder(HWND wnd, std::vector<HWND>& order) {
    auto* w = WindowOf(wnd);
    if (!w) return;
    order.push_back(wnd);
    for (HWND child : w->children)
        CollectDestroyOrder(child, order);
}

void SendSizeAndMove(WindowData& w) {
    // Both are worked out first: the window may be gone after the first.
    const HWND wnd = w.handle;
    const WPARAM kind = w.minimized ? SIZE_MINIMIZED : w.maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
    const LPARAM size = MAKELPARAM(w.client.Width(), w.client.Height());
    const LPARAM origin = MAKELPARAM(w.rect.Left + w.client.Left, w.rect.Top + w.client.Top);
    core::SendMessage(wnd, WM_SIZE, kind, size);
    core::SendMessage(wnd, WM_MOVE, 0, origin);
}

} // namespace

TPoint ClientOriginOnScreen(const WindowData& w) {
    TPoint p = WindowScreenOrigin(w);
    return {p.X + w.client.Left, p.Y + w.client.Top};
}

bool WindowData::ManagedFrame() const {
    // A pop-up without a caption draws its own sizing frame (a floating toolbar does): only a
    // captioned window, or an overlapped one that can be sized, is framed by the desktop.
    return !IsChild() &&
           ((style & WS_CAPTION) == WS_CAPTION || ((style & WS_THICKFRAME) && !(style & WS_POPUP)));
}

WindowData* WindowOf(HWND wnd) {
    auto& windows = System().windows;
    auto it = windows.find(wnd);
    return it == windows.end() ? nullptr : it->second.get();
}

TPoint WindowScreenOrigin(const WindowData& w) {
    if (!w.IsChild()) return w.rect.TopLeft();
    auto* parent = WindowOf(w.parent);
    TPoint p = ClientOriginOnScreen(*parent);
    return {p.X + w.rect.Left, p.Y + w.rect.Top};
}

bool IsShowing(const WindowData& w) {
    for (const WindowData* p = &w; p; p = p->IsChild() ? WindowOf(p->parent) : nullptr) {
        if (!p->Visible() || p->HiddenByMinimize()) return false;
    }
    return true;
}

bool IsRedrawOff(const WindowData& w) {
    for (const WindowData* p = &w; p; p = p->IsChild() ? WindowOf(p->parent) : nullptr) {
        if (p->redrawOff) return true;
    }
    return false;
}

TRect FrameInsets(const WindowData& w) {
    if (w.ManagedFrame()) return {};
    int edge = 0;
    const bool caption = (w.style & WS_CAPTION) == WS_CAPTION;
    if (w.style & WS_THICKFRAME) {
        edge = gdi::GetSystemMetrics(gdi::SM_CXFRAME);
    } else if (caption || (w.exStyle & WS_EX_DLGMODALFRAME) ||
               (w.style & WS_CAPTION) == WS_DLGFRAME) {
        edge = gdi::GetSystemMetrics(gdi::SM_CXDLGFRAME);
    } else if (w.style & WS_BORDER) {
        edge = gdi::GetSystemMetrics(gdi::SM_CXBORDER);
    }
    if (w.exStyle & WS_EX_CLIENTEDGE) {
        edge += gdi::GetSystemMetrics(gdi::SM_CXEDGE);
    } else if (w.exStyle & WS_EX_STATICEDGE) {
        edge += gdi::GetSystemMetrics(gdi::SM_CXBORDER);
    }
    TRect insets{edge, edge, edge, edge};
    if (caption) {
        insets.Top += gdi::GetSystemMetrics((w.exStyle & WS_EX_TOOLWINDOW) ? gdi::SM_CYSMCAPTION
                                                                           : gdi::SM_CYCAPTION);
    }
    return insets;
}

void MatchSurfaceToWindow(WindowData& w) {
    const int width = std::max(w.rect.Width(), 0);
    const int height = std::max(w.rect.Height(), 0);
    if (w.surface && w.surface->Width() == width && w.surface->Height() == height) return;
    auto fresh = std::make_shared<gdi::Surface>(width, height, 32);
    fresh->Fill(gdi::ColorToPixel(gdi::GetSysColor(gdi::COLOR_BTNFACE)));
    if (w.surface && std::min(width, w.surface->Width()) > 0) {
        // Both are 32-bit and top-down: whole rows copy at once. A side of zero has no pixels.
        const int bytes = std::min(width, w.surface->Width()) * 4;
        const int rows = std::min(height, w.surface->Height());
        for (int y = 0; y < rows; ++y)
            std::memcpy(fresh->Bits() + static_cast<std::size_t>(y) * fresh->Stride(),
                        w.surface->Bits() + static_cast<std::size_t>(y) * w.surface->Stride(),
                        static_cast<std::size_t>(bytes));
    }
    w.surface = std::move(fresh);
}

namespace {

// Forms have no owner on the screen (the application's hidden window owns them), and a window
// manager stacks a window that belongs to none as any other: a click on the disabled window
// behind a modal box would lift that window over the box. A pop-up window (a dialog, a box)
// without an owner on the screen belongs, as a dialog does, to the window that is active when it
// shows, unless that window belongs to it in turn.
void BelongToActiveWindow(WindowData& w) {
    auto* owner = WindowOf(w.owner);
    if ((owner && owner->host && owner->host->isVisible()) || !w.ManagedByDesktop() ||
        !(w.style & WS_POPUP))
        return;
    auto* active = WindowOf(GetActiveWindow());
    if (!active || active == &w || active->IsChild() || !active->host || !active->host->isVisible())
        return;
    if (QWindow* window = w.host->windowHandle())
        for (QWindow* above = active->host->windowHandle(); above; above = above->transientParent())
            if (above == window) return;
    w.host->winId();
    active->host->winId();
    w.host->windowHandle()->setTransientParent(active->host->windowHandle());
}

} // namespace

void ShowIconOnDesktop(WindowData& w) {
    if (!w.host || w.IsChild()) return;
    QIcon icon;
    for (const HICON each : {w.smallIcon, w.bigIcon}) {
        const QImage image = IconImage(each);
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    w.host->setWindowIcon(icon);
}

void SyncHostGeometry(WindowData& w) {
    if (!w.host) return;
    QRect geometry;
    if (w.IsChild()) {
        auto* parent = WindowOf(w.parent);
        geometry = QRect(parent->client.Left + w.rect.Left, parent->client.Top + w.rect.Top,
                         w.rect.Width(), w.rect.Height());
    } else {
        geometry = QRect(w.rect.Left, w.rect.Top, w.rect.Width(), w.rect.Height());
    }
    if (!w.IsChild() && w.ManagedFrame() && w.Visible() && !w.host->isVisible()) {
        // About to reach the screen: the position is the frame's corner, as a window's position
        // is on the platform, so that the window manager's title bar is not pushed off the top
        // of the screen. Where the client then lies comes back through FollowHostGeometry.
        w.host->resize(geometry.size());
        w.host->move(geometry.topLeft());
    } else if (w.host->geometry() != geometry) {
        w.host->setGeometry(geometry);
    }
    // A child shows only inside its parent's client area: where it reaches into the parent's
    // frame (its scroll bars, its edge), the frame shows. A region of nothing would read as no
    // mask: a child wholly outside is hidden instead.
    bool masked = false, clippedAway = false;
    QRegion mask;
    if (w.IsChild()) {
        const auto* parent = WindowOf(w.parent);
        const QRect client(parent->client.Left, parent->client.Top, parent->client.Width(),
                           parent->client.Height());
        if (!client.contains(geometry)) {
            masked = true;
            mask = QRegion(client.intersected(geometry).translated(-geometry.topLeft()));
        }
    }
    if (w.shape) {
        QRegion shape;
        for (const TRect& r : w.shape->Rects())
            shape += QRect(r.Left, r.Top, r.Width(), r.Height());
        mask = masked ? mask.intersected(shape) : shape;
        masked = true;
    }
    if (masked && mask.isEmpty() && w.IsChild()) clippedAway = true;
    if (masked && !mask.isEmpty())
        w.host->setMask(mask);
    else if (!w.host->mask().isEmpty())
        w.host->clearMask();
    if (!w.IsChild())
        w.host->setWindowOpacity(w.layered && (w.layeredFlags & LWA_ALPHA) ? w.alpha / 255.0 : 1.0);
    const bool visible = w.Visible() && !w.HiddenByMinimize() && !clippedAway;
    if (visible && w.host->isHidden() && !w.IsChild()) BelongToActiveWindow(w);
    if (w.host->isHidden() == visible) w.host->setVisible(visible);
    // Our z-order: the widget of the window below each one stacks under it.
    auto& list = SiblingList(w);
    if (w.IsChild()) {
        auto it = std::find(list.begin(), list.end(), w.handle);
        if (it == list.begin()) {
            w.host->raise();
        } else if (it != list.end()) {
            if (auto* above = WindowOf(*(it - 1)); above && above->host)
                w.host->stackUnder(above->host);
        }
    } else if (!list.empty() && list.front() == w.handle && visible) {
        w.host->raise();
    }
}

bool HasNonClientArea(const WindowData& w) {
    return w.client != TRect{0, 0, w.rect.Width(), w.rect.Height()};
}

void InvalidateAll(WindowData& w, bool frame) {
    w.update = gdi::Region::FromRect({0, 0, w.client.Width(), w.client.Height()});
    w.erase = true;
    if (frame && HasNonClientArea(w)) w.frameDirty = true;
}

bool RegisterClass(const WNDCLASS& windowClass) {
    return System().classes.emplace(windowClass.lpszClassName, windowClass).second;
}

bool UnregisterClass(const std::string& className) {
    return System().classes.erase(className) > 0;
}

bool GetClassInfo(const std::string& className, WNDCLASS* windowClass) {
    auto it = System().classes.find(className);
    if (it == System().classes.end()) return false;
    if (windowClass) *windowClass = it->second;
    return true;
}

HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName,
                    DWORD style, int x, int y, int width, int height, HWND parent, std::intptr_t id,
                    void* param) {
    EnsureWindowSystem();
    auto cls = System().classes.find(className);
    if (cls == System().classes.end()) return NullHWnd;
    if ((style & WS_CHILD) && !WindowOf(parent)) return NullHWnd;

    auto data = std::make_unique<WindowData>();
    WindowData& w = *data;
    w.className = className;
    w.classStyle = cls->second.style;
    w.background = cls->second.hbrBackground;
    w.cursor = cls->second.hCursor;
    w.style = style & ~WS_VISIBLE;
    w.exStyle = exStyle;
    w.layered = (exStyle & WS_EX_LAYERED) != 0;
    if (style & WS_CHILD) {
        w.parent = parent;
    } else if (WindowOf(parent)) {
        w.owner = GetAncestor(parent, GA_ROOT);
    }
    w.id = id;
    w.text = windowName;
    w.rect = gdi::Bounds(x, y, std::max(width, 0), std::max(height, 0));
    w.handle = core::RegisterWindowHandle(cls->second.lpfnWndProc);
    const HWND wnd = w.handle;
    System().windows.emplace(wnd, std::move(data));
    PlaceInZOrder(w, HWND_TOP);
    CreateHost(w);

    CREATESTRUCT create{
        param, parent, x, y, width, height, style, exStyle, windowName.c_str(), className.c_str()};
    if (core::SendMessage(wnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == 0) {
        DestroyWindow(wnd);
        return NullHWnd;
    }
    if (!WindowOf(wnd)) return NullHWnd;
    const TRect client = CalcClient(w, w.rect);
    if (!WindowOf(wnd)) return NullHWnd;
    w.client = client;
    MatchSurfaceToWindow(w);
    InvalidateAll(w, true);
    SyncHostGeometry(w);
    if (core::SendMessage(wnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(wnd);
        return NullHWnd;
    }
    if (!WindowOf(wnd)) return NullHWnd;
    SendSizeAndMove(w);
    if (style & WS_VISIBLE) ShowWindow(wnd, SW_SHOW);
    return IsWindow(wnd) ? wnd : NullHWnd;
}

BOOL DestroyWindow(HWND wnd) {
    auto* w = WindowOf(wnd);
    if (!w || w->destroying) return false;
    // Owned windows go first, as on the platform.
    for (HWND owned : TopLevelWindows()) {
        if (auto* o = WindowOf(owned); o && o->owner == wnd) DestroyWindow(owned);
    }
    w = WindowOf(wnd);
    if (!w) return false;
    std::vector<HWND> order;
    CollectDestroyOrder(wnd, order);
    for (HWND h : order)
        WindowOf(h)->destroying = true;
    if (w->Visible())
        SetWindowPos(wnd, NullHWnd, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND h : order)
        ForgetInputWindow(h, true);
    for (HWND h : order)
        core::SendMessage(h, WM_DESTROY, 0, 0);
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        core::SendMessage(*it, WM_NCDESTROY, 0, 0);
    if (auto* self = WindowOf(wnd)) std::erase(SiblingList(*self), wnd);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (auto* d = WindowOf(*it)) ReleaseHost(*d);
        core::UnregisterWindowHandle(*it);
        System().windows.erase(*it);
    }
    return true;
}

BOOL SendNotifyMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(wnd)) return false;
    core::SendMessage(wnd, msg, wParam, lParam);
    return true;
}

std::intptr_t GetWindowLong(HWND wnd, int index) {
    auto* w = WindowOf(wnd);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<std::intptr_t>(w->style);
    case GWL_EXSTYLE:
        return static_cast<std::intptr_t>(w->exStyle);
    case GWL_ID:
        return w->id;
    case GWL_USERDATA:
        return w->userData;
    case GWL_HWNDPARENT:
        return static_cast<std::intptr_t>(w->IsChild() ? w->parent : w->owner);
    default:
        return 0;
    }
}

std::intptr_t SetWindowLong(HWND wnd, int index, std::intptr_t value) {
    auto* w = WindowOf(wnd);
    if (!w) return 0;
    std::intptr_t previous = GetWindowLong(wnd, index);
    switch (index) {
    case GWL_STYLE:
        // Visibility changes through ShowWindow only.
        w->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
        break;
    case GWL_EXSTYLE: {
        const bool wasLayered = w->layered;
        w->exStyle = static_cast<DWORD>(value);
        w->layered = (w->exStyle & WS_EX_LAYERED) != 0;
        if (wasLayered && !w->layered) {
            // No longer layered: the window shows opaque what it paints, and being layered
            // again starts from no attributes.
            w->alpha = 255;
            w->colorKey = 0;
            w->layeredFlags = 0;
            w->layeredImage.reset();
            SyncHostGeometry(*w);
        }
        break;
    }
    case GWL_ID:
        w->id = value;
        break;
    case GWL_USERDATA:
        w->userData = value;
        break;
    case GWL_HWNDPARENT:
        if (!w->IsChild()) w->owner = static_cast<HWND>(value);
        break;
    default:
        return 0;
    }
    return previous;
}

WNDPROC SetWindowLongPtr(HWND wnd, int index, WNDPROC proc) {
    if (index != GWLP_WNDPROC || !WindowOf(wnd)) return {};
    return core::SetWindowProc(wnd, std::move(proc));
}

std::string GetClassName(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w ? w->className : std::string();
}

BOOL SetWindowText(HWND wnd, const std::string& text) {
    if (!WindowOf(wnd)) return false;
    return core::SendMessage(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

std::string GetWindowText(HWND wnd) {
    if (!WindowOf(wnd)) return {};
    auto length = core::SendMessage(wnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    auto n = core::SendMessage(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(n, 0)));
    return text;
}

HWND GetParent(HWND wnd) {
    auto* w = WindowOf(wnd);
    if (!w) return NullHWnd;
    return w->IsChild() ? w->parent : w->owner;
}

HWND SetParent(HWND wnd, HWND newParent) {
    auto* w = WindowOf(wnd);
    if (!w) return NullHWnd;
    auto* p = WindowOf(newParent);
    if (p && (newParent == wnd || IsChild(wnd, newParent))) return NullHWnd;
    HWND previous = w->IsChild() ? w->parent : GetDesktopWindow();
    std::erase(SiblingList(*w), wnd);
    if (p) {
        w->style = (w->style | WS_CHILD) & ~WS_POPUP;
        w->parent = newParent;
        w->owner = NullHWnd;
    } else {
        w->style &= ~WS_CHILD;
        w->parent = NullHWnd;
    }
    PlaceInZOrder(*w, HWND_TOP);
    if (w->host) {
        w->host->setParent(p ? static_cast<QWidget*>(p->host) : nullptr, QtFlagsFor(*w));
        SyncHostGeometry(*w);
    }
    return previous;
}

HWND GetWindow(HWND wnd, UINT relation) {
    auto* w = WindowOf(wnd);
    if (!w) return NullHWnd;
    if (relation == GW_OWNER) return w->owner;
    if (relation == GW_CHILD) return w->children.empty() ? NullHWnd : w->children.front();
    const auto& list = SiblingList(*w);
    auto it = std::find(list.begin(), list.end(), wnd);
    switch (relation) {
    case GW_HWNDFIRST:
        return list.front();
    case GW_HWNDLAST:
        return list.back();
    case GW_HWNDNEXT:
        return it + 1 == list.end() ? NullHWnd : *(it + 1);
    case GW_HWNDPREV:
        return it == list.begin() ? NullHWnd : *(it - 1);
    default:
        return NullHWnd;
    }
}

HWND GetAncestor(HWND wnd, UINT kind) {
    auto* w = WindowOf(wnd);
    if (!w) return NullHWnd;
    if (kind == GA_PARENT) return w->IsChild() ? w->parent : GetDesktopWindow();
    while (w->IsChild())
        w = WindowOf(w->parent);
    if (kind == GA_ROOTOWNER) {
        while (auto* o = WindowOf(w->owner))
            w = o;
    }
    return w->handle;
}

BOOL IsChild(HWND parent, HWND wnd) {
    for (auto* w = WindowOf(wnd); w && w->IsChild(); w = WindowOf(w->parent)) {
        if (w->parent == parent) return true;
    }
    return false;
}

std::vector<HWND> TopLevelWindows() {
    return System().topLevels;
}

void BroadcastSettingChangeToWindows(UINT msg) {
    // The colours go to the top-level windows (our message-only windows stand for the hidden
    // ones); a change of visual style reaches child windows as well.
    const bool children = msg == WM_THEMECHANGED;
    for (HWND wnd : core::WindowHandles()) {
        const WindowData* w = WindowOf(wnd);
        if (w && (w->destroying || (w->IsChild() && !children))) continue;
        core::SendMessage(wnd, msg, 0, 0);
    }
}

std::vector<HWND> ChildWindows(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w ? w->children : std::vector<HWND>{};
}

HWND GetDesktopWindow() {
    // The screen has no window of ours; its handle is the null one, as MapWindowPoints takes it.
    return NullHWnd;
}

BOOL GetWindowRect(HWND wnd, TRect* rect) {
    auto* w = WindowOf(wnd);
    if (!w || !rect) return false;
    TPoint origin = WindowScreenOrigin(*w);
    *rect = gdi::Bounds(origin.X, origin.Y, w->rect.Width(), w->rect.Height());
    return true;
}

BOOL GetClientRect(HWND wnd, TRect* rect) {
    auto* w = WindowOf(wnd);
    if (!w || !rect) return false;
    *rect = {0, 0, w->client.Width(), w->client.Height()};
    return true;
}

BOOL ClientToScreen(HWND wnd, TPoint* point) {
    auto* w = WindowOf(wnd);
    if (!w || !point) return false;
    TPoint origin = ClientOriginOnScreen(*w);
    point->X += origin.X;
    point->Y += origin.Y;
    return true;
}

BOOL ScreenToClient(HWND wnd, TPoint* point) {
    auto* w = WindowOf(wnd);
    if (!w || !point) return false;
    TPoint origin = ClientOriginOnScreen(*w);
    point->X -= origin.X;
    point->Y -= origin.Y;
    return true;
}

int MapWindowPoints(HWND from, HWND to, TPoint* points, UINT count) {
    TPoint a{}, b{};
    if (auto* f = WindowOf(from)) a = ClientOriginOnScreen(*f);
    if (auto* t = WindowOf(to)) b = ClientOriginOnScreen(*t);
    const int dx = a.X - b.X, dy = a.Y - b.Y;
    for (UINT i = 0; i < count; ++i) {
        points[i].X += dx;
        points[i].Y += dy;
    }
    return MAKELPARAM(dx, dy);
}

BOOL SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    WINDOWPOS pos{wnd, insertAfter, x, y, width, height, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.Left;
        pos.y = w->rect.Top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->rect.Width();
        pos.cy = w->rect.Height();
    }
    if ((flags & SWP_SHOWWINDOW) && w->Visible()) pos.flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !w->Visible()) pos.flags &= ~SWP_HIDEWINDOW;
    core::SendMessage(wnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = WindowOf(wnd))) return false;

    const TRect newRect = gdi::Bounds(pos.x, pos.y, std::max(pos.cx, 0), std::max(pos.cy, 0));
    const bool moved = newRect.TopLeft() != w->rect.TopLeft();
    const bool sized = newRect.Width() != w->rect.Width() || newRect.Height() != w->rect.Height();
    if (!moved) pos.flags |= SWP_NOMOVE;
    if (!sized) pos.flags |= SWP_NOSIZE;
    if (sized || moved || (pos.flags & SWP_FRAMECHANGED)) {
        const TRect oldClient = w->client;
        w->client = CalcClient(*w, newRect);
        if (!(w = WindowOf(wnd))) return false;
        w->rect = newRect;
        if (sized || w->client != oldClient) {
            MatchSurfaceToWindow(*w);
            if (!(pos.flags & SWP_NOREDRAW)) InvalidateAll(*w, true);
        }
        if (w->client != oldClient) {
            for (HWND child : w->children)
                if (auto* c = WindowOf(child)) SyncHostGeometry(*c);
        }
    }
    if (pos.flags & SWP_FRAMECHANGED) {
        w->frameDirty = HasNonClientArea(*w);
    }
    if (!(pos.flags & SWP_NOZORDER)) {
        if (!w->IsChild()) {
            if (pos.hwndInsertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
            if (pos.hwndInsertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
            if (w->host) {
                const bool onTop = (w->exStyle & WS_EX_TOPMOST) != 0;
                if (w->host->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
                    // On the window itself where it exists: the widget would make it afresh,
                    // hidden, and the desktop would see a new window.
                    const Qt::WindowFlags flags =
                        w->host->windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
                    if (QWindow* window = w->host->windowHandle()) {
                        w->host->overrideWindowFlags(flags);
                        window->setFlags(flags);
                    } else {
                        w->host->setWindowFlags(flags);
                    }
                }
            }
        }
        PlaceInZOrder(*w, pos.hwndInsertAfter);
    }
    if (pos.flags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
        InvalidateAll(*w, true);
        // Whether the window manager takes a frameless window in is settled before it first
        // reaches the screen: under one, a window that bypasses it stays above every window it
        // manages, and a borderless form such as the intro would cover the boxes shown over it.
        if (!w->everShown && !w->IsChild() && !w->ManagedFrame() && !(pos.flags & SWP_NOACTIVATE) &&
            !(w->exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) && !(w->style & WS_DISABLED)) {
            w->desktopManaged = true;
            if (w->host) w->host->setWindowFlags(QtFlagsFor(*w));
        }
        w->everShown = true;
        if (w->host)
            w->host->setAttribute(Qt::WA_ShowWithoutActivating,
                                  (pos.flags & SWP_NOACTIVATE) || !w->ManagedByDesktop());
    }
    if (pos.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
    SyncHostGeometry(*w);
    if (!(pos.flags & SWP_NOZORDER) && w->IsChild()) {
        for (HWND sibling : SiblingList(*w))
            if (auto* s = WindowOf(sibling)) SyncHostGeometry(*s);
    }
    if ((pos.flags & SWP_SHOWWINDOW) && !w->IsChild() && !(pos.flags & SWP_NOACTIVATE))
        ActivateShownWindow(wnd);
    if (pos.flags & SWP_HIDEWINDOW) ForgetInputWindow(wnd, false);
    core::SendMessage(wnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return true;
}

BOOL MoveWindow(HWND wnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(wnd, NullHWnd, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND wnd, int command) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    const bool wasVisible = w->Visible();
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    switch (command) {
    case SW_HIDE:
        if (!wasVisible) return false;
        core::SendMessage(wnd, WM_SHOWWINDOW, 0, 0);
        SetWindowPos(wnd, NullHWnd, 0, 0, 0, 0, flags | SWP_HIDEWINDOW | SWP_NOACTIVATE);
        return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (w->minimized) return wasVisible;
        w->minimized = true;
        if (w->host && !w->IsChild()) w->host->showMinimized();
        if (w->IsChild()) {
            w->maximized = false;
            // Sized to its icon, the window heard WM_SIZE with the move.
            if (MoveChildToIcon(wnd)) return wasVisible;
            if (!(w = WindowOf(wnd))) return false;
        }
        SendSizeAndMove(*w);
        return wasVisible;
    case SW_MAXIMIZE:
        if (!w->maximized || w->minimized) {
            const bool icon = w->minimized && w->IsChild();
            w->minimized = false;
            w->maximized = true;
            if (w->host && !w->IsChild()) w->host->showMaximized();
            if (!icon || !MoveChildFromIcon(wnd)) {
                if (!(w = WindowOf(wnd))) return false;
                SendSizeAndMove(*w);
            }
            if (!(w = WindowOf(wnd))) return false;
        }
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (w->minimized || w->maximized) {
            const bool icon = w->minimized && w->IsChild();
            w->minimized = false;
            w->maximized = false;
            if (w->host && !w->IsChild() && wasVisible) w->host->showNormal();
            if (!icon || !MoveChildFromIcon(wnd)) {
                if (!(w = WindowOf(wnd))) return false;
                SendSizeAndMove(*w);
            }
            if (!(w = WindowOf(wnd))) return false;
        }
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        flags |= SWP_NOACTIVATE;
        break;
    default:
        break;
    }
    if (!wasVisible) {
        core::SendMessage(wnd, WM_SHOWWINDOW, 1, 0);
        if (!WindowOf(wnd)) return false;
    }
    if (w->IsChild()) flags |= SWP_NOACTIVATE;
    SetWindowPos(wnd, NullHWnd, 0, 0, 0, 0, flags | SWP_SHOWWINDOW);
    return wasVisible;
}

BOOL IsWindowVisible(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w && IsShowing(*w);
}

BOOL IsIconic(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w && w->minimized;
}

BOOL IsZoomed(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w && w->maximized;
}

BOOL EnableWindow(HWND wnd, BOOL enable) {
    auto* w = WindowOf(wnd);
    if (!w) return false;
    const bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        HWND focus = GetFocus();
        if (focus == wnd || IsChild(wnd, focus)) SetFocus(NullHWnd);
        if (GetCapture() == wnd) ReleaseCapture();
    }
    core::SendMessage(wnd, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool IsFrameActive(HWND wnd) {
    const HWND root = GetAncestor(wnd, GA_ROOT);
    const WindowData* w = WindowOf(root);
    return w != nullptr && (w->frameActive || GetActiveWindow() == root);
}

BOOL IsWindowEnabled(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL BringWindowToTop(HWND wnd) {
    return SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

int SetWindowRgn(HWND wnd, gdi::HRGN region, BOOL redraw) {
    auto* w = WindowOf(wnd);
    if (!w) return 0;
    if (auto* r = gdi::RegionOf(region)) {
        w->shape = *r;
        gdi::DeleteObject(region); // the window owns it now
    } else {
        w->shape.reset();
    }
    SyncHostGeometry(*w);
    if (redraw) InvalidateAll(*w, true);
    return 1;
}

int GetWindowRgn(HWND wnd, gdi::HRGN region) {
    auto* w = WindowOf(wnd);
    auto* target = gdi::RegionOf(region);
    if (!w || !w->shape || !target) return gdi::RGN_ERROR;
    *target = *w->shape;
    return target->Kind();
}

BOOL SetLayeredWindowAttributes(HWND wnd, gdi::COLORREF key, std::uint8_t alpha, DWORD flags) {
    auto* w = WindowOf(wnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED)) return false;
    w->layered = true;
    w->colorKey = key;
    w->alpha = alpha;
    w->layeredFlags = flags;
    SyncHostGeometry(*w);
    return true;
}

BOOL GetLayeredWindowAttributes(HWND wnd, gdi::COLORREF* key, std::uint8_t* alpha, DWORD* flags) {
    auto* w = WindowOf(wnd);
    if (!w || !w->layered) return false;
    if (key) *key = w->colorKey;
    if (alpha) *alpha = w->alpha;
    if (flags) *flags = w->layeredFlags;
    return true;
}

} // namespace platform::win
