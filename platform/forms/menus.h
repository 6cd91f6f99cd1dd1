#pragma once
// The class library's pop-up menus: a tree of menu items, shown at a screen point by Popup
// (or dropped beside a rectangle by PopupBeside), which runs a modal loop of its own until an
// item is chosen, the user clicks elsewhere or presses Esc; the chosen item's OnClick runs
// after the menu has closed.

#include "platform/core/component.h"
#include "platform/forms/controls.h"
#include "platform/forms/shortcuts.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::forms {

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);

    // "-" is a separator line.
    std::string Caption;
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    bool RadioItem = false;
    int GroupIndex = 0;
    std::intptr_t Tag = 0;
    int ImageIndex = -1;
    std::string Hint;
    // Shown right-aligned in the item's row (the menu does not act on it).
    TShortCut ShortCut = scNone;
    // May be pointed elsewhere at any time.
    TNotifyEvent OnClick;

    // Children are owned by the item.
    TMenuItem& Add(const std::string& caption, TNotifyEvent onClick = nullptr);
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    TMenuItem* Parent() const { return parent_; }
    bool IsLine() const { return Caption == "-"; }
    virtual void Click();

private:
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TMenuItem& Items() { return *items_; }
    bool AutoPopup = true;
    // The control whose right click opened the menu.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* value) { popupComponent_ = value; }
    TPoint PopupPoint() const { return popupPoint_; }
    TNotifyEvent OnPopup;

    // Shows the menu with its top-left corner at the screen point and returns once it closed.
    virtual void Popup(int x, int y);
    // Shows the menu below anchor (a screen rectangle), from its left edge, or above it when
    // the screen has no room below; returns once it closed.
    void PopupBeside(const TRect& anchor);
    // Where the left click that closed the menu outside it landed (screen), for a caller to
    // whom a click there means something (a second click on what opened the menu); none when
    // an item, Esc or anything else closed it.
    std::optional<TPoint> ClosingClick() const { return closingClick_; }
    // The open menu's window (while Popup runs), for the drivers of tests.
    HWND WindowHandle() const;
    // The screen rectangle of a visible item of the open menu.
    TRect ItemScreenRect(int index) const;
    void CloseMenu();

protected:
    void Notification(TComponent* component, core::TOperation operation) override;

private:
    class TMenuWindow;
    // Popup's work; the menu goes above anchor when it has no room below it.
    void Track(int x, int y, const std::optional<TRect>& anchor);
    std::unique_ptr<TMenuItem> items_;
    TComponent* popupComponent_ = nullptr;
    TPoint popupPoint_;
    TMenuWindow* window_ = nullptr;
    std::optional<TPoint> closingClick_;
};

} // namespace platform::forms
