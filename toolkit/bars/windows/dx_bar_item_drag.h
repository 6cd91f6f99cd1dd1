#pragma once
// Dragging an item link (or a command of the customizing form) while the user customizes. Like
// a bar drag, the session takes the mouse and the keys through thread hooks as they come from
// the queue, with the manager's capture window holding the capture, so that no loop of its own
// waits for them. The button going up drops: over a bar window the link moves there (a copy
// with Ctrl held, a new link for a command); over nothing a dragged link is deleted. Esc or a
// lost capture end the drag without a drop. While it runs the cursor tells what a drop would do
// (move, copy, or nothing takes the item), and a mark between two links shows where it would go.

#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/forms/controls.h"
#include "platform/gdi/geometry.h"
#include "platform/win/hooks.h"

namespace toolkit::bars {

class TCustomdxBarControl;

// The screen cursor numbers of the drag cursors.
inline constexpr int crdxBarDrag = 1041;
inline constexpr int crdxBarDragCopy = 1042;
inline constexpr int crdxBarDragNoDrop = 1043;
// Changing the width of an edit item while customizing.
inline constexpr int crdxBarEditSizing = 1044;

// Puts the drag cursors and the edit sizing cursor into the screen's cursor table (done once at the
// bar unit's start-up).
void RegisterDragCursors();

class TdxBarWindowsFloor;

class TdxBarItemDragging {
public:
    using TPoint = platform::gdi::TPoint;

    // Link may be nil (a command: Item is dropped as a new link).
    TdxBarItemDragging(TdxBarManager& AManager, TdxBarItem* AItem, TdxBarItemLink* ALink);
    ~TdxBarItemDragging();
    TdxBarItemDragging(const TdxBarItemDragging&) = delete;
    TdxBarItemDragging& operator=(const TdxBarItemDragging&) = delete;

    // The one session running now; nil when none.
    static TdxBarItemDragging* Current();
    TdxBarItemLink* Link() const { return FLink; }
    // The item dragged: the link's, or the command's.
    TdxBarItem* Item() const { return FItem; }

    // Where a drop at the screen point goes: the window and the index of the link the item
    // would stand before (the count at the end); nil when nothing there takes the item (a
    // window whose links the user may not change, a menu the item would put inside itself).
    TCustomdxBarControl* DropTarget(TPoint Screen, int& Index) const;

private:
    void Start();
    // The cursor and the mark for the mouse at Screen with the keys as they are now.
    void UpdateFeedback(TPoint Screen);
    // The link under the mouse in a bar window becomes its selection, as a hover does: a
    // sub-item held over opens its menu, so that the item can be dropped into it. False when
    // nothing changed.
    bool HoverOver(TPoint Screen);
    bool WouldChange(TCustomdxBarControl& Target, int Index, bool Copy) const;
    // The Customize dialog's command list lies under the cursor and takes the dragged command.
    bool OverCommandList(TPoint Screen) const;
    void ShowMark(TCustomdxBarControl* Window, int Index);
    void ToggleMark();
    void Drop(TPoint Screen);
    platform::win::LRESULT MouseHook(int Code, platform::win::WPARAM WParam,
                                     platform::win::LPARAM LParam);
    platform::win::LRESULT KeyboardHook(int Code, platform::win::WPARAM WParam,
                                        platform::win::LPARAM LParam);
    void End();

    TdxBarManager* FManager;
    TdxBarItem* FItem;
    TdxBarItemLink* FLink;
    platform::win::HWND FCaptureWnd{};
    platform::win::HHOOK FMouseHook = platform::win::NullHook;
    platform::win::HHOOK FKeyboardHook = platform::win::NullHook;
    bool FEnded = false;
    TPoint FLastPos{};
    platform::forms::TCursor FSavedCursor{};
    // The mark drawn now (inverted, so drawing it again takes it away); nil window for none.
    TCustomdxBarControl* FMarkWindow = nullptr;
    platform::gdi::TRect FMarkRect{};
    bool FMarkHorizontal = true;

    friend class TdxBarWindowsFloor;
};

} // namespace toolkit::bars
