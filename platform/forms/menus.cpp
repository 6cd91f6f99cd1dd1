#include "platform/forms/menus.h"

#include "platform/forms/screen.h"
#include "platform/forms/std_ctrls.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/input_state.h"
#include "platform/win/modal_loop.h"
#include "platform/win/window.h"

#include <algorithm>

namespace platform::forms {

using namespace win;

namespace {

constexpr int ItemHeight = 18;
constexpr int LineHeight = 8;

int HeightOf(const TMenuItem& item) {
    return item.IsLine() ? LineHeight : ItemHeight;
}

} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem& TMenuItem::Add(const std::string& caption, TNotifyEvent onClick) {
    TMenuItem& item = Own<TMenuItem>();
    item.Caption = caption;
    item.OnClick = std::move(onClick);
    Add(&item);
    return item;
}

void TMenuItem::Add(TMenuItem* item) {
    if (item->parent_) item->parent_->Remove(item);
    item->parent_ = this;
    items_.push_back(item);
}

void TMenuItem::Remove(TMenuItem* item) {
    std::erase(items_, item);
    if (item->parent_ == this) item->parent_ = nullptr;
}

void TMenuItem::Click() {
    if (Enabled && OnClick) OnClick(this);
}

// The open menu: a pop-up window that holds the capture while it is open.
class TPopupMenu::TMenuWindow : public TCustomControl {
public:
    TMenuWindow(TPopupMenu& menu) : TCustomControl(nullptr), menu_(menu) {
        visible_ = false;
        color_ = gdi::clMenu;
    }
    TMenuItem* chosen = nullptr;
    int hot = -1;

    std::vector<TMenuItem*> Shown() const {
        std::vector<TMenuItem*> items;
        for (int i = 0; i < menu_.items_->Count(); ++i)
            if (menu_.items_->Items(i)->Visible) items.push_back(menu_.items_->Items(i));
        return items;
    }
    TRect ItemRect(int index) const {
        auto items = Shown();
        int top = 2;
        for (int i = 0; i < index; ++i)
            top += HeightOf(*items[static_cast<std::size_t>(i)]);
        return {2, top, width_ - 2, top + HeightOf(*items.at(static_cast<std::size_t>(index)))};
    }
    int ItemAt(TPoint p) const {
        auto items = Shown();
        for (int i = 0; i < static_cast<int>(items.size()); ++i)
            if (gdi::PtInRect(ItemRect(i), p)) return i;
        return -1;
    }
    void Choose(int index) {
        auto items = Shown();
        if (index < 0 || index >= static_cast<int>(items.size())) return;
        TMenuItem* item = items[static_cast<std::size_t>(index)];
        if (item->IsLine() || !item->Enabled) return;
        chosen = item;
        Close();
    }
    void Close() {
        if (GetCapture() == handle_ && handle_ != NullHWnd) ReleaseCapture();
    }
    void Move(int step) {
        auto items = Shown();
        const int n = static_cast<int>(items.size());
        for (int k = 1; k <= n; ++k) {
            const int i = ((hot < 0 ? (step > 0 ? -1 : n) : hot) + k * step % n + n) % n;
            if (!items[static_cast<std::size_t>(i)]->IsLine() &&
                items[static_cast<std::size_t>(i)]->Enabled) {
                hot = i;
                Invalidate();
                return;
            }
        }
    }

protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.className = "#32768";
        params.style = WS_POPUP;
        params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        params.parent = NullHWnd;
    }
    void Paint() override {
        TRect r = ClientRect();
        canvas_.Brush().SetColor(color_);
        canvas_.FillRect(r);
        gdi::DrawEdge(canvas_.Handle(), &r, gdi::EDGE_RAISED, gdi::BF_RECT);
        auto items = Shown();
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            TMenuItem* item = items[static_cast<std::size_t>(i)];
            TRect ir = ItemRect(i);
            if (item->IsLine()) {
                TRect line{ir.Left + 1, ir.Top + 3, ir.Right - 1, ir.Top + 5};
                gdi::DrawEdge(canvas_.Handle(), &line, gdi::EDGE_ETCHED, gdi::BF_TOP);
                continue;
            }
            const bool lit = i == hot;
            canvas_.Brush().SetColor(lit ? gdi::clHighlight : color_);
            canvas_.FillRect(ir);
            if (item->Checked) {
                TRect check{ir.Left + 2, ir.Top + 2, ir.Left + 16, ir.Bottom - 2};
                gdi::DrawFrameControl(canvas_.Handle(), &check, gdi::DFC_MENU,
                                      item->RadioItem ? gdi::DFCS_MENUBULLET : gdi::DFCS_MENUCHECK);
            }
            canvas_.Brush().SetStyle(gdi::TBrushStyle::bsClear);
            canvas_.Font().SetColor(!item->Enabled ? gdi::clGrayText
                                    : lit          ? gdi::clHighlightText
                                                   : gdi::clMenuText);
            TRect t{ir.Left + 20, ir.Top, ir.Right - 4, ir.Bottom};
            const int y = t.Top + (ItemHeight - canvas_.TextHeight("0")) / 2;
            canvas_.TextRect(t, t.Left, y, item->Caption);
            if (item->ShortCut != scNone) {
                const std::string keys = ShortCutToText(item->ShortCut);
                canvas_.TextRect(t, t.Right - 8 - canvas_.TextWidth(keys), y, keys);
            }
            canvas_.Brush().SetStyle(gdi::TBrushStyle::bsSolid);
        }
    }
    void Dispatch(TMessage& message) override {
        const TPoint p = LParamToPoint(message.LParam);
        switch (message.Msg) {
        case WM_MOUSEMOVE:
            if (int i = ItemAt(p); i != hot && gdi::PtInRect(ClientRect(), p)) {
                hot = i;
                Invalidate();
            }
            return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (!gdi::PtInRect(ClientRect(), p)) {
                if (message.Msg == WM_LBUTTONDOWN) menu_.closingClick_ = ClientToScreen(p);
                Close();
            }
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (gdi::PtInRect(ClientRect(), p)) Choose(ItemAt(p));
            return;
        default:
            break;
        }
        TCustomControl::Dispatch(message);
    }

private:
    TPopupMenu& menu_;
};

TPopupMenu::TPopupMenu(TComponent* owner)
    : TComponent(owner), items_(std::make_unique<TMenuItem>(this)) {}

TPopupMenu::~TPopupMenu() {
    if (window_) window_->Close();
}

void TPopupMenu::Notification(TComponent* component, core::TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == core::opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

HWND TPopupMenu::WindowHandle() const {
    return window_ ? window_->Handle() : NullHWnd;
}

TRect TPopupMenu::ItemScreenRect(int index) const {
    if (!window_) return {};
    TRect r = window_->ItemRect(index);
    TPoint o = window_->ClientOrigin();
    return {r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y};
}

void TPopupMenu::CloseMenu() {
    if (window_) window_->Close();
}

void TPopupMenu::Popup(int x, int y) {
    Track(x, y, std::nullopt);
}

void TPopupMenu::PopupBeside(const TRect& anchor) {
    Track(anchor.Left, anchor.Bottom, anchor);
}

void TPopupMenu::Track(int x, int y, const std::optional<TRect>& anchor) {
    if (window_) return;
    closingClick_.reset();
    popupPoint_ = {x, y};
    if (OnPopup) OnPopup(this);
    TMenuWindow window(*this);
    auto shown = window.Shown();
    if (shown.empty()) return;
    int width = 80, height = 4;
    for (TMenuItem* item : shown) {
        int itemWidth = MeasureText(window.Font(), item->Caption).cx + 40;
        // The keys stand in a column of their own, apart from the caption.
        if (item->ShortCut != scNone)
            itemWidth += MeasureText(window.Font(), ShortCutToText(item->ShortCut)).cx + 24;
        width = std::max(width, itemWidth);
        height += HeightOf(*item);
    }
    if (anchor && y + height > Screen().Height()) y = anchor->Top - height;
    x = std::clamp(x, 0, std::max(0, Screen().Width() - width));
    y = std::clamp(y, 0, std::max(0, Screen().Height() - height));
    window.SetBounds(x, y, width, height);
    window.HandleNeeded();
    ShowWindow(window.Handle(), SW_SHOWNA);
    window_ = &window;
    // The open menu is forgotten however its loop ends (one left with nothing to wait for
    // throws).
    struct Forget {
        TMenuWindow*& window;
        ~Forget() { window = nullptr; }
    } forget{window_};
    if (GetCapture() != NullHWnd) ReleaseCapture();
    win::SetCapture(window.Handle());
    ModalLoop loop(window.Handle());
    loop.OnMessage = [&window](core::MSG& msg) {
        if (msg.message != WM_KEYDOWN) return true;
        switch (msg.wParam) {
        case VK_ESCAPE:
            window.Close();
            return false;
        case VK_DOWN:
            window.Move(1);
            return false;
        case VK_UP:
            window.Move(-1);
            return false;
        case VK_RETURN:
            window.Choose(window.hot);
            return false;
        default:
            return false;
        }
    };
    loop.Run();
    window_ = nullptr;
    window.Close();
    TMenuItem* chosen = window.chosen;
    ShowWindow(window.Handle(), SW_HIDE);
    // The chosen item's handler runs once the menu is gone.
    if (chosen) chosen->Click();
}

} // namespace platform::forms
