#include "platform/forms/tab_notebook.h"

#include "platform/core/text.h"

#include <algorithm>

namespace platform::forms {

TTabPage::TTabPage(TComponent* owner) : TCustomControl(owner) {
    visible_ = false;
    controlStyle_ |= csAcceptsControls;
}

void TTabPage::Paint() {
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(ClientRect());
}

TTabbedNotebook::TTabbedNotebook(TComponent* owner) : TCustomTabControl(owner) {}

TTabPage& TTabbedNotebook::AddPage(const std::string& name) {
    TComponent* owner = Owner() ? Owner() : this;
    TTabPage& page = owner->Own<TTabPage>();
    page.SetCaption(name);
    page.SetParent(this);
    page.SetBoundsRect(DisplayRect());
    pages_.push_back(&page);
    FreeNotification(&page);
    if (pageIndex_ < 0) {
        pageIndex_ = 0;
        page.SetVisible(true);
    }
    Invalidate();
    return page;
}

void TTabbedNotebook::SetPageIndex(int value) {
    if (value < 0 || value >= PageCount() || value == pageIndex_) return;
    bool allow = true;
    if (OnChange) OnChange(this, value, allow);
    if (!allow) return;
    const int old = pageIndex_;
    pageIndex_ = value;
    Pages(value).BringToFront();
    Pages(value).SetVisible(true);
    if (old >= 0) Pages(old).SetVisible(false);
    Invalidate();
}

std::string TTabbedNotebook::ActivePage() const {
    return pageIndex_ >= 0 ? Pages(pageIndex_).Caption() : std::string();
}

void TTabbedNotebook::SetActivePage(const std::string& name) {
    for (int i = 0; i < PageCount(); ++i)
        if (core::SameText(Pages(i).Caption(), name)) SetPageIndex(i);
}

void TTabbedNotebook::Notification(TComponent* component, core::TOperation operation) {
    TCustomTabControl::Notification(component, operation);
    if (operation != core::opRemove) return;
    auto it = std::find(pages_.begin(), pages_.end(), component);
    if (it == pages_.end()) return;
    const int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    if (index == pageIndex_) pageIndex_ = -1;
    if (index < pageIndex_) --pageIndex_;
}

void TTabbedNotebook::Resize() {
    for (TTabPage* page : pages_)
        page->SetBoundsRect(DisplayRect());
    TCustomTabControl::Resize();
}

} // namespace platform::forms
