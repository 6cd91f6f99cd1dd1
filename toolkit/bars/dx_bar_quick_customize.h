#pragma once
// Customising without the Customize dialog: the toolbars popup (a right click on a dock site
// or a toolbar: one check entry per toolbar that may be closed, then "&Customize...") and the
// quick-customise menu of a toolbar's mark (the links the toolbar cuts off, then "&Add or
// Remove Buttons", whose sub-menu lists every link of the toolbar with a check mark for its
// visibility, "&Reset Toolbar" and "&Customize...").
//
// Both are popup menus that a TdxBarCustomizePopups component of the manager's form holds;
// each showing rebuilds their entries. The toolbars popup is the manager's toolbars list
// (AddToolbarsListItems); "&Customize..." is the unit's internal command that turns the
// manager's customizing on.

#include "toolkit/bars/dx_bar_manager.h"

#include "platform/core/component.h"
#include "platform/gdi/geometry.h"

#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {

class TdxBar;
class TdxBarButton;
class TdxBarControl;
class TdxBarItem;
class TdxBarPopupMenu;
class TdxBarSubItem;
} // namespace toolkit::bars

namespace toolkit::base {
class TcxTimer;
}

namespace toolkit::bars {

class TdxBarCustomizePopups : public platform::core::TComponent {
public:
    TdxBarCustomizePopups(platform::core::TComponent* AOwner, TdxBarManager& AManager);
    ~TdxBarCustomizePopups() override;

    // The manager's own, made on first use; Find does not make it.
    static TdxBarCustomizePopups& Of(TdxBarManager& Manager);
    static TdxBarCustomizePopups* Find(TdxBarManager& Manager);

    // Hides the active bar window and shows the toolbars popup at the screen point; nothing
    // when no bar may be listed.
    void ShowToolbarsPopup(platform::gdi::TPoint P);
    TdxBarPopupMenu& ToolbarsPopup() const { return *FToolbarsPopup; }

    // Opens the quick-customise menu under the toolbar window's mark (right-aligned to it);
    // it closes with the mark's state going back to 0.
    void ShowQuickControl(TdxBarControl& Toolbar);
    void CloseQuickControl();
    TdxBarPopupMenu& QuickControl() const { return *FQuickControl; }
    // The toolbar window the quick menu was opened for; nil when it is closed.
    TdxBarControl* QuickToolbar() const { return FQuickToolbar; }
    TdxBarSubItem& QuickSubItem() const { return *FQuickSubItem; }
    // Whether the press that is going on closed Toolbar's quick menu (then it does not open
    // it again); asking forgets it.
    bool TakeMarkClickClosed(const TdxBarControl& Toolbar);
    // Once, 200 ms: the quick menu then closes when the manager's selected item lies in no
    // window of it (another bar took the mouse).
    void StartQuickControlTimer();
    bool QuickControlTimerRunning() const { return FQuickTimer != nullptr; }

private:
    TdxBarManager& Manager() const;
    template <class TButton>
    TButton& NewButton(std::vector<TdxBarItem*>& Kept, const std::string& Caption) {
        auto& Button = Own<TButton>();
        Button.SetBarManager(&Manager());
        Button.SetCaption(Caption);
        Kept.push_back(&Button);
        return Button;
    }
    void FreeItems(std::vector<TdxBarItem*>& Kept);
    // Fills the "&Add or Remove Buttons" sub-menu from the toolbar's links.
    void BuildQuickSubMenu();

    TdxBarManager* FManager;
    TdxBarPopupMenu* FToolbarsPopup = nullptr;
    TdxBarPopupMenu* FQuickControl = nullptr;
    TdxBarSubItem* FQuickSubItem = nullptr;
    TdxBarControl* FQuickToolbar = nullptr;
    TdxBar* FQuickBar = nullptr;
    const TdxBarControl* FMarkClickClosed = nullptr;
    std::vector<TdxBarItem*> FQuickItems;
    std::vector<TdxBarItem*> FSubMenuItems;
    std::unique_ptr<toolkit::base::TcxTimer> FQuickTimer;
};

// Where the quick menu of Size goes for a mark (screen): beside a vertical bar at the mark's
// right edge and top (its left when the right has no room); below the mark otherwise, its right
// edge at the mark's (a floating bar whose painter puts it beside: its left edge at the mark's);
// kept inside the work area, above the mark when below has no room.
platform::gdi::TRect QuickControlPlace(const platform::gdi::TRect& Mark, platform::gdi::TSize Size,
                                       bool Vertical, bool Floating, bool LeftAligned);

// The toolbars popup of Manager at the screen point P.
void ShowToolbarsPopup(TdxBarManager& Manager, platform::gdi::TPoint P);

} // namespace toolkit::bars
