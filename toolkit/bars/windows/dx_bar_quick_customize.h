#pragma once
// Customising without the Customize dialog: the toolbars popup (a right click on a dock site
// or a toolbar: one check entry per toolbar that may be closed, then "&Customize...") and the
// quick-customise bar of a toolbar's mark (the links the toolbar cuts off, then "&Add or
// Remove Buttons", whose sub-menu lists every link of the toolbar with a check mark for its
// visibility, "&Reset Toolbar" and "&Customize...").
//
// A TdxBarCustomizePopups component of the manager's form holds both: the toolbars popup is a
// popup menu whose entries each showing rebuilds (the manager's toolbars list,
// AddToolbarsListItems; "&Customize..." is the unit's internal command that turns the
// manager's customizing on); the quick-customise bar is a TdxBarQuickControl, made for each
// opening of a mark and freed when it closes.

#include "toolkit/bars/model/dx_bar_manager.h"

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
class TdxBarQuickControl;
class TdxBarSubItem;
} // namespace toolkit::bars

namespace toolkit::base {
class TcxTimer;
}

namespace platform::core {
class MessageWindow;
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

    // Opens the quick-customise bar under the toolbar window's mark (QuickControlPlace); it
    // closes with the mark's state going back below 2. One is open at a time, whichever
    // manager's: opening one closes another.
    void ShowQuickControl(TdxBarControl& Toolbar);
    // Closes the open quick bar (TdxBarQuickControl::Close) and frees it with the next message.
    void CloseQuickControl();
    // The open quick bar; nil when none.
    TdxBarQuickControl* QuickControl() const { return FQuickControl.get(); }
    // The toolbar window the quick bar was opened for; nil when it is closed.
    TdxBarControl* QuickToolbar() const { return FQuickToolbar; }
    TdxBarSubItem& QuickSubItem() const { return *FQuickSubItem; }
    // The press that is going on closed Toolbar's quick bar: it does not open it again.
    void MarkClickClosed(const TdxBarControl& Toolbar) { FMarkClickClosed = &Toolbar; }
    // Whether the press that is going on closed Toolbar's quick bar; asking forgets it.
    bool TakeMarkClickClosed(const TdxBarControl& Toolbar);
    // Once, 200 ms: the quick bar then closes when the manager's selected item lies in no
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
    void FreeClosedQuickControls();

    TdxBarManager* FManager;
    TdxBarPopupMenu* FToolbarsPopup = nullptr;
    TdxBarSubItem* FQuickSubItem = nullptr;
    TdxBarControl* FQuickToolbar = nullptr;
    TdxBar* FQuickBar = nullptr;
    const TdxBarControl* FMarkClickClosed = nullptr;
    std::vector<TdxBarItem*> FSubMenuItems;
    std::unique_ptr<toolkit::base::TcxTimer> FQuickTimer;
    std::unique_ptr<platform::core::MessageWindow> FReleaser;
    std::unique_ptr<TdxBarQuickControl> FQuickControl;
    // Closed, and freed with the next message: one may be closing from inside a handler of its
    // own.
    std::vector<std::unique_ptr<TdxBarQuickControl>> FClosedQuickControls;
};

// The open quick-customise bar, whichever manager's; nil when none.
TdxBarQuickControl* dxBarQuickControl();

// Where the quick bar of Size goes for a mark (screen): beside a vertical bar at the mark's
// right edge and top (its left when the right has no room); below the mark otherwise, its right
// edge at the mark's (a floating bar whose painter puts it beside: its left edge at the mark's);
// kept inside the work area, above the mark when below has no room.
platform::gdi::TRect QuickControlPlace(const platform::gdi::TRect& Mark, platform::gdi::TSize Size,
                                       bool Vertical, bool Floating, bool LeftAligned);

// The toolbars popup of Manager at the screen point P.
void ShowToolbarsPopup(TdxBarManager& Manager, platform::gdi::TPoint P);

} // namespace toolkit::bars
