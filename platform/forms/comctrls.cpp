#include "platform/forms/comctrls.h"

#include "platform/forms/canvas_text.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/input_state.h"

#include <algorithm>

namespace platform::forms {

using namespace win;

namespace {

constexpr int DividerSlop = 3;

} // namespace

// ---- THeaderControl ----

THeaderControl::THeaderControl(TComponent* owner) : TCustomControl(owner) {
    width_ = 200;
    height_ = 17;
    controlStyle_ = csCaptureMouse;
}

THeaderSection& THeaderControl::AddSection(const std::string& text, int width) {
    THeaderSection section;
    section.Text = text;
    section.Width = width;
    sections_.push_back(section);
    Invalidate();
    return sections_.back();
}

void THeaderControl::ClearSections() {
    sections_.clear();
    Invalidate();
}

int THeaderControl::SectionLeft(int index) const {
    int x = 0;
    for (int i = 0; i < index && i < SectionCount(); ++i)
        x += sections_[static_cast<std::size_t>(i)].Width;
    return x;
}

void THeaderControl::SetSectionWidth(int index, int width) {
    THeaderSection& s = Sections(index);
    s.Width = std::clamp(width, s.MinWidth, s.MaxWidth);
    Invalidate();
}

int THeaderControl::DividerAt(int x) const {
    int right = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        right += sections_[static_cast<std::size_t>(i)].Width;
        if (std::abs(x - right) <= DividerSlop) return i;
    }
    return -1;
}

int THeaderControl::SectionAt(int x) const {
    int left = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        const int right = left + sections_[static_cast<std::size_t>(i)].Width;
        if (x >= left && x < right) return i;
        left = right;
    }
    return -1;
}

void THeaderControl::Paint() {
    TRect r = ClientRect();
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(r);
    int left = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        const THeaderSection& s = sections_[static_cast<std::size_t>(i)];
        TRect cell{left, 0, left + s.Width, r.Bottom};
        gdi::DrawFrameControl(canvas_.Handle(), &cell, gdi::DFC_BUTTON,
                              gdi::DFCS_BUTTONPUSH | (i == pressed_ ? UINT(gdi::DFCS_PUSHED) : 0u));
        UINT format = gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX;
        if (s.Alignment == taCenter) format |= gdi::DT_CENTER;
        if (s.Alignment == taRightJustify) format |= gdi::DT_RIGHT;
        DrawTransparentText(canvas_, s.Text, {cell.Left + 4, cell.Top, cell.Right - 4, cell.Bottom},
                            format, font_.Color());
        left += s.Width;
    }
}

void THeaderControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        tracking_ = DividerAt(x);
        if (tracking_ < 0) {
            pressed_ = SectionAt(x);
            if (pressed_ >= 0 && !sections_[static_cast<std::size_t>(pressed_)].AllowClick)
                pressed_ = -1;
            Invalidate();
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void THeaderControl::MouseMove(TShiftState shift, int x, int y) {
    if (tracking_ >= 0) {
        SetSectionWidth(tracking_, x - SectionLeft(tracking_));
        if (OnSectionTrack) OnSectionTrack(this, &Sections(tracking_));
    }
    TCustomControl::MouseMove(shift, x, y);
}

void THeaderControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (tracking_ >= 0) {
            const int index = tracking_;
            tracking_ = -1;
            if (OnSectionResize) OnSectionResize(this, &Sections(index));
        } else if (pressed_ >= 0) {
            const int index = pressed_;
            pressed_ = -1;
            Invalidate();
            if (SectionAt(x) == index && OnSectionClick) OnSectionClick(this, &Sections(index));
        }
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

// ---- TCustomTabControl ----

TCustomTabControl::TCustomTabControl(TComponent* owner) : TCustomControl(owner) {
    width_ = 289;
    height_ = 193;
    TabStop = true;
    focusOnClick_ = true;
    controlStyle_ |= csAcceptsControls;
}

TRect TCustomTabControl::DisplayRect() const {
    TRect r = ClientRect();
    return {r.Left + 2, r.Top + TabHeight() + 2, r.Right - 2, r.Bottom - 2};
}

TRect TCustomTabControl::TabRect(int index) const {
    int x = 2;
    for (int i = 0; i < TabCount(); ++i) {
        const int w = MeasureText(font_, TabCaption(i)).cx + 12;
        if (i == index) return {x, 2, x + w, TabHeight()};
        x += w;
    }
    return {};
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const {
    for (int i = 0; i < TabCount(); ++i)
        if (gdi::PtInRect(TabRect(i), {x, y})) return i;
    return -1;
}

void TCustomTabControl::Paint() {
    TRect r = ClientRect();
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(r);
    TRect body{r.Left, r.Top + TabHeight(), r.Right, r.Bottom};
    gdi::DrawEdge(canvas_.Handle(), &body, gdi::EDGE_RAISED, gdi::BF_RECT);
    const int active = TabIndex();
    for (int i = 0; i < TabCount(); ++i) {
        TRect t = TabRect(i);
        if (i == active) {
            t.Top -= 2;
            t.Bottom += 1;
            gdi::InflateRect(t, 2, 0);
        }
        canvas_.Brush().SetColor(color_);
        canvas_.FillRect(t);
        gdi::DrawEdge(canvas_.Handle(), &t, gdi::EDGE_RAISED,
                      gdi::BF_LEFT | gdi::BF_TOP | gdi::BF_RIGHT);
        DrawTransparentText(canvas_, TabCaption(i), t,
                            gdi::DT_SINGLELINE | gdi::DT_CENTER | gdi::DT_VCENTER,
                            EnabledWithParents() ? font_.Color() : gdi::clGrayText);
        if (i == active && Focused()) {
            TRect f = t;
            gdi::InflateRect(f, -3, -3);
            canvas_.DrawFocusRect(f);
        }
    }
}

void TCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft)
        if (int index = IndexOfTabAt(x, y); index >= 0 && index != TabIndex()) TabClicked(index);
    TCustomControl::MouseDown(button, shift, x, y);
}

bool TCustomTabControl::WantsKey(WORD key) const {
    return key == VK_LEFT || key == VK_RIGHT;
}

void TCustomTabControl::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (TabCount() == 0) return;
    if (key == VK_LEFT && TabIndex() > 0) TabClicked(TabIndex() - 1);
    if (key == VK_RIGHT && TabIndex() < TabCount() - 1) TabClicked(TabIndex() + 1);
}

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
    visible_ = false;
    controlStyle_ |= csAcceptsControls;
}

TTabSheet::~TTabSheet() {
    SetPageControl(nullptr);
}

void TTabSheet::SetPageControl(TPageControl* value) {
    if (value == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    pageControl_ = value;
    if (value) value->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    for (int i = 0; i < pageControl_->PageCount(); ++i)
        if (pageControl_->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::Dispatch(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->Invalidate();
    TCustomControl::Dispatch(message);
}

void TTabSheet::Paint() {
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(ClientRect());
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->SetParent(this);
    page->SetVisible(false);
    PlacePages();
    if (!active_) SetActivePage(page);
    Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page) {
    std::erase(pages_, page);
    if (active_ == page) {
        active_ = nullptr;
        auto tabs = VisibleTabs();
        SetActivePage(tabs.empty() ? nullptr : tabs.front());
    }
    if (page->Parent() == this) page->SetParent(nullptr);
    Invalidate();
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
    std::vector<TTabSheet*> tabs;
    for (TTabSheet* p : pages_)
        if (p->TabVisible) tabs.push_back(p);
    return tabs;
}

void TPageControl::PlacePages() {
    TRect d = DisplayRect();
    for (TTabSheet* p : pages_)
        p->SetBoundsRect(d);
}

void TPageControl::Resize() {
    PlacePages();
    TCustomTabControl::Resize();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this) return;
    if (page == active_) return;
    TTabSheet* old = active_;
    active_ = page;
    if (page) {
        page->BringToFront();
        page->SetVisible(true);
    }
    if (old) old->SetVisible(false);
    Invalidate();
}

int TPageControl::ActivePageIndex() const {
    return active_ ? active_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? Pages(index) : nullptr);
}

void TPageControl::SelectNextPage(bool forward) {
    auto tabs = VisibleTabs();
    if (tabs.empty()) return;
    auto it = std::find(tabs.begin(), tabs.end(), active_);
    int i = it == tabs.end() ? 0 : static_cast<int>(it - tabs.begin());
    const int n = static_cast<int>(tabs.size());
    i = ((i + (forward ? 1 : -1)) % n + n) % n;
    TabClicked(i);
}

int TPageControl::TabCount() const {
    return static_cast<int>(VisibleTabs().size());
}

std::string TPageControl::TabCaption(int index) const {
    return VisibleTabs().at(static_cast<std::size_t>(index))->Caption();
}

int TPageControl::TabIndex() const {
    auto tabs = VisibleTabs();
    auto it = std::find(tabs.begin(), tabs.end(), active_);
    return it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin());
}

void TPageControl::TabClicked(int index) {
    auto tabs = VisibleTabs();
    if (index < 0 || index >= static_cast<int>(tabs.size())) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return;
    SetActivePage(tabs[static_cast<std::size_t>(index)]);
    if (OnChange) OnChange(this);
}

} // namespace platform::forms
