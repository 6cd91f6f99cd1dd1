#pragma once
// The class library's common controls, drawn by us: the header with its sections, and the page
// control with its tab sheets.

#include "platform/forms/std_ctrls.h"

#include <string>
#include <vector>

namespace platform::forms {

class THeaderControl;

class THeaderSection {
public:
    std::string Text;
    int Width = 50;
    int MinWidth = 0;
    int MaxWidth = 10000;
    TAlignment Alignment = taLeftJustify;
    bool AllowClick = true;
};

using TSectionNotifyEvent =
    std::function<void(THeaderControl* HeaderControl, THeaderSection* Section)>;

class THeaderControl : public TCustomControl {
public:
    explicit THeaderControl(TComponent* owner);

    int SectionCount() const { return static_cast<int>(sections_.size()); }
    THeaderSection& Sections(int index) { return sections_.at(static_cast<std::size_t>(index)); }
    THeaderSection& AddSection(const std::string& text, int width);
    void ClearSections();
    // The left edge of a section in the client area.
    int SectionLeft(int index) const;
    void SetSectionWidth(int index, int width);

    // A press and release on a section; the end of dragging a section's right edge.
    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;
    TSectionNotifyEvent OnSectionTrack;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    int DividerAt(int x) const;
    int SectionAt(int x) const;
    std::vector<THeaderSection> sections_;
    int tracking_ = -1;
    int pressed_ = -1;
};

// Tabs along the top of a control; each tab selects a page below them.
class TCustomTabControl : public TCustomControl {
public:
    explicit TCustomTabControl(TComponent* owner);

    int TabHeight() const { return 20; }
    // The area under the tabs that the pages fill.
    TRect DisplayRect() const;
    TRect TabRect(int index) const;
    int IndexOfTabAt(int x, int y) const;

protected:
    virtual int TabCount() const = 0;
    virtual std::string TabCaption(int index) const = 0;
    virtual int TabIndex() const = 0;
    // The user picked a tab.
    virtual void TabClicked(int index) = 0;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    bool WantsKey(WORD key) const override;
};

class TPageControl;

class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    // Joins a page control (nullptr: leaves it).
    void SetPageControl(TPageControl* value);
    int PageIndex() const;
    bool TabVisible = true;
    int ImageIndex = -1;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    TTabSheet* ActivePage() const { return active_; }
    // By program: no OnChanging or OnChange.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    void SelectNextPage(bool forward);

    // The user picks a tab: OnChanging may refuse, OnChange follows the change.
    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    friend class TTabSheet;
    int TabCount() const override;
    std::string TabCaption(int index) const override;
    int TabIndex() const override;
    void TabClicked(int index) override;
    void Resize() override;

private:
    std::vector<TTabSheet*> VisibleTabs() const;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void PlacePages();
    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
};

} // namespace platform::forms
