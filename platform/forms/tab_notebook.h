#pragma once
// The class library's tabbed notebook: named pages, one shown at a time, picked by its tab.

#include "platform/forms/comctrls.h"

#include <string>
#include <vector>

namespace platform::forms {

class TTabPage : public TCustomControl {
public:
    explicit TTabPage(TComponent* owner);

protected:
    void Paint() override;
};

using TTabChangeEvent = std::function<void(TObject* Sender, int NewTab, bool& AllowChange)>;

class TTabbedNotebook : public TCustomTabControl {
public:
    explicit TTabbedNotebook(TComponent* owner);

    // Pages are owned by the notebook's owner, as the form designer makes them.
    TTabPage& AddPage(const std::string& name);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabPage& Pages(int index) const { return *pages_.at(static_cast<std::size_t>(index)); }
    int PageIndex() const { return pageIndex_; }
    // By program too, OnChange is asked first.
    void SetPageIndex(int value);
    std::string ActivePage() const;
    void SetActivePage(const std::string& name);

    TTabChangeEvent OnChange;

protected:
    int TabCount() const override { return PageCount(); }
    std::string TabCaption(int index) const override { return Pages(index).Caption(); }
    int TabIndex() const override { return pageIndex_; }
    void TabClicked(int index) override { SetPageIndex(index); }
    void Resize() override;
    void Notification(TComponent* component, core::TOperation operation) override;

private:
    std::vector<TTabPage*> pages_;
    int pageIndex_ = -1;
};

} // namespace platform::forms
