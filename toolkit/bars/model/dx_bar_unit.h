#pragma once
// The bar unit's process-wide state and the small routines every bar class shares.
//
// The unit object is the state: the manager list, the item-class registry, the live bar
// windows, the items the library makes for itself, the screen colour depth and the checker
// brush. Making it is the unit's start-up, destroying it the shut-down. The unit in force is
// the innermost one alive (tests make their own); with none alive, the process's own, made on
// first use and gone at exit.

#include "toolkit/bars/model/dx_bar_item_classes.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_manager_list.h"

#include "platform/core/component.h"
#include "platform/forms/controls.h"
#include "platform/gdi/objects.h"

#include <concepts>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {

class TCustomdxBarControl;

class TdxBarUnit {
public:
    // Start-up: the internal item list and the manager list; the screen colour depth and the
    // checker brush; the streamed classes; the item-class registry with the item classes of
    // dxBarUnitItemClasses, in order.
    TdxBarUnit();
    // Shut-down: the item classes unregistered in reverse order; the bar window list and what
    // is left in the registry (last first); the checker brush; the manager list (which only
    // detaches: every manager should be gone with its form) and the internal items.
    ~TdxBarUnit();
    TdxBarUnit(const TdxBarUnit&) = delete;
    TdxBarUnit& operator=(const TdxBarUnit&) = delete;

    TdxBarManagerList& BarManagerList() { return *FManagerList; }
    TdxBarItemClasses& ItemClasses() { return *FItemClasses; }

    // Live bar windows; each adds itself when made and removes itself when it goes.
    void AddBarControl(TCustomdxBarControl* Control);
    void RemoveBarControl(TCustomdxBarControl* Control);
    // False for nil.
    bool BarControlExists(const TCustomdxBarControl* Control) const;
    int BarControlCount() const { return static_cast<int>(FBarControls.size()); }

    // Items the library makes for its own menus, without owner: the list owns them.
    template <class TItem>
    requires std::derived_from<TItem, platform::core::TComponent> TItem&
    AddInternalItem(std::unique_ptr<TItem> Item) {
        TItem& Result = *Item;
        FInternalItems.push_back(std::move(Item));
        return Result;
    }
    // Frees an internal item now; false when it is not one.
    bool FreeInternalItem(platform::core::TComponent* Item);
    int InternalItemCount() const { return static_cast<int>(FInternalItems.size()); }
    platform::core::TComponent* InternalItem(int Index) const {
        return FInternalItems.at(static_cast<std::size_t>(Index)).get();
    }

    int ScreenColorDepth() const { return FScreenColorDepth; }
    // An 8 x 8 pattern of the 3-D highlight colour with button-face pixels where x and y are
    // both even or both odd; owned by the unit.
    platform::gdi::HBRUSH CheckerBrush() const { return FCheckerBrush; }
    // Reads the colour depth again and remakes the checker brush (system colours changed).
    void RefreshDrawingResources();

private:
    TdxBarUnit* FPrevious;
    std::unique_ptr<TdxBarManagerList> FManagerList;
    std::vector<std::unique_ptr<platform::core::TComponent>> FInternalItems;
    std::unique_ptr<TdxBarItemClasses> FItemClasses;
    std::vector<TCustomdxBarControl*> FBarControls;
    int FScreenColorDepth = 32;
    platform::gdi::HBRUSH FCheckerBrush{};
};

// The unit in force.
TdxBarUnit& dxBarUnit();

// The item classes the unit registers at start-up, in order, each with the control class that
// shows it (the windows floor names them all, dx_bar_window_services.h; none without it), and
// the further classes it registers with the streaming system.
const std::vector<TRegItemRecord>& dxBarUnitItemClasses();
const std::vector<const platform::core::TClass*>& dxBarUnitStreamedClasses();

// The manager whose form is Control (walking the manager list in order); nil for nil.
TdxBarManager* GetBarManagerByControl(const platform::core::TComponent* Control);
// The class name without its first letter, followed by 1, 2, ... until no item of the manager
// has that name (compared without regard to case).
std::string GetUniqueItemName(const TdxBarManager* Manager,
                              const platform::core::TClass& ItemClass);
inline TdxBarItemVisible BoolToItemVisible(bool Value) {
    return Value ? ivAlways : ivNever;
}
// Deletes each "&" that stands before the last character, skipping the character after it:
// "&&" becomes "&", a final "&" stays.
std::string RemoveAccelChars(const std::string& Caption);
// Raises a width below 20 to 20.
void CheckMinEditWidth(int& Width);
void DesignerModifiedIfAssigned(TdxBarManager* Manager);

// Sounds by index: 0 "MenuPopup", 1 "MenuCommand"; 2 stops the sound that plays.
enum : int { dxBarSoundMenuPopup = 0, dxBarSoundMenuCommand = 1, dxBarSoundNone = 2 };
void PlayBarSound(int Index);

// The primary and secondary mouse buttons, swapped buttons honoured.
bool IsLeftMouseButtonPressed();
bool IsRightMouseButtonPressed();

// The work area of the monitor nearest to the screen point.
platform::gdi::TRect GetMonitorWorkArea(platform::gdi::TPoint Point);
// The first window of the framework from Wnd upward through its parents; nil when none.
platform::forms::TWinControl* FindControlUp(platform::core::HWND Wnd);
// Whether Parent is among the window's ancestors.
bool IsChildWindowOf(platform::core::HWND Wnd, platform::core::HWND Parent);
// The deepest visible child window at a screen point, from the window found there down.
platform::core::HWND GetWindowAtPoint(platform::gdi::TPoint ScreenPoint);
// Dispatches the mouse messages (WM_PAINT messages) waiting in the queue now; a WM_QUIT met on
// the way is posted again and ends the loop.
void ProcessMouseMessages();
void ProcessPaintMessages();
// The window's opacity: below 255 it is made layered with that alpha; at 255 or more a layered
// window is opaque again, redrawn with its frame and children.
void SetWindowAlpha(platform::core::HWND Wnd, int Alpha);
// A new font handle with the same description; the caller deletes it.
platform::gdi::HFONT CopyFontHandle(platform::gdi::HFONT Font);
// Frees, last first, every item the library made for itself that no link shows any more.
void FreeUnusedInternalItems();

// The system menu font, as the bar manager's Font follows it.
void dxBarGetSystemMenuFont(platform::gdi::TFont& Font);

} // namespace toolkit::bars
