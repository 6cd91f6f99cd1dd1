#pragma once
// Dragging an item link (or a command of the customizing form) while the user customizes. Like
// a bar drag, the session takes the mouse and the keys through thread hooks as they come from
// the queue, with the manager's capture window holding the capture, so that no loop of its own
// waits for them. The button going up drops: over a bar window the link moves there (a copy
// with Ctrl held, a new link for a command); over nothing a dragged link is deleted. Esc or a
// lost capture end the drag without a drop.

#include "toolkit/bars/dx_bar_manager.h"

#include "platform/gdi/geometry.h"
#include "platform/win/hooks.h"

namespace toolkit::bars {

class TCustomdxBarControl;

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

    // Where a drop at the screen point goes: the window and the index of the link the item
    // would stand before (the count at the end); nil when nothing there takes the item.
    static TCustomdxBarControl* DropTarget(TPoint Screen, int& Index);

private:
    void Start();
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

    friend class TdxBarManager;
};

} // namespace toolkit::bars
