#pragma once
// The main menu bar of a multiple-document frame takes over two duties of the platform's menu
// bar. While the active child is maximised, the child's system menu is the bar's first entry
// (a TSystemMenuSubItem, an internal item that draws the child's icon and builds its menu from
// the child's system menu each time it opens, each command with its picture) and the bar
// shows the child's caption buttons at its right end (TdxBarControl's MDI buttons). And a child
// form's own main menu bar is merged into it while the child is active and maximised (always
// with the frame manager's AlwaysMerge): the frame's bar gets copies of the child bar's links,
// or the frame manager's OnMenuMerge does the merge, told to add and later to remove; the
// child's bar is hidden meanwhile and shown again after, the child window keeping its place.
// Floating toolbars follow the activation of their form: hidden while another application or
// another of our forms is active (when the manager's HideFloatingBarsWhenInactive is on; the
// Customize dialog of a customizing manager does not count), shown again without taking the
// activation.
//
// The call-window-procedure hook calls dxBarMDIChildMessage for the children's messages; the
// manager calls UpdateFloatingBars with its form's activation.

#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

#include "platform/win/icons.h"
#include "platform/win/messages.h"

namespace toolkit::bars {

class TSystemMenuSubItem : public TCustomdxBarSubItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TSystemMenuSubItem(platform::core::TComponent* AOwner);
    // The child whose system menu the entry shows.
    platform::win::HWND Wnd{};

    // Frees the unused internal items and builds the entries from the child's system menu:
    // the text before the TAB as caption, the text after it as shortcut, grayed commands
    // disabled, checked ones down, separators as group starts; a click sends the child
    // WM_SYSCOMMAND with the command.
    void DoPopup() override;
};

class TSystemMenuSubItemControl : public TdxBarSubItemControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TSystemMenuSubItemControl(TdxBarItemLink* AItemLink)
        : TdxBarSubItemControl(AItemLink) {}

    bool CanHit() const override { return false; }
    bool CanSelectNow() const override;
    // A small icon's size.
    int GetDefaultHeight() const override;
    int GetDefaultWidth() const override;
    bool IsFlatWindow() const override { return false; }
    bool WantsDblClick() const override { return false; }
    bool HandlesDblClick() const override { return true; }
    // Closes the menus and runs the child's default system command.
    void DblClick() override;
    // The bar's background with the child's small icon over it.
    void Paint(const TRect& R, TdxBarPaintType Kind) override;
    platform::win::HWND ChildWnd() const;
    // A 16 x 16 copy of the child's small icon (else its big one), for the caller to destroy;
    // NullIcon when it has none.
    platform::win::HICON GetChildSmallIcon() const;
};

// The first entry of Manager's main menu bar becomes Child's system menu (when it has one).
void AddSystemMenuItem(TdxBarManager& Manager, platform::win::HWND Child);
// The system-menu entry leaves the main menu bar, when it is there.
void RemoveSystemMenuItem(TdxBarManager& Manager);
// The frame's main menu bar follows the active child and its maximised state.
void UpdateMDIChildMenus(TdxBarManager& Manager);
// A message sent to Wnd, seen before its window procedure: the frame's manager follows the
// child's activation, sizing and destruction.
void dxBarMDIChildMessage(platform::win::HWND Wnd, platform::win::UINT Message);
// Floating bars follow their form's activation (Other: the window on the other side of it).
void UpdateFloatingBars(TdxBarManager& Manager, bool Active, bool Force, platform::win::HWND Other);
// The active MDI child of the manager's frame when it is maximised; NullHWnd otherwise.
platform::win::HWND MaximizedMDIChild(const TdxBarManager& Manager);

} // namespace toolkit::bars
