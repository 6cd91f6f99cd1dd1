#pragma once
// Dragging a menu off by its detach strip. A press on the strip of a menu whose sub-item has a
// detaching toolbar starts a session: the manager's form holds the mouse capture and the
// session takes the mouse and the keys through thread hooks as they come from the queue, so
// that no loop of its own waits for them. While the cursor stays within the strip widened by
// 15 pixels on each side nothing happens; the first time it leaves, the menus close and the
// toolbar shows floating with the cursor at the middle of its caption, and follows the cursor
// from then on. Back within the strip the toolbar hides again and the drag ends; the button
// going up leaves it where it is; Esc hides it again (a menu not yet detached stays as it was).

#include "platform/gdi/geometry.h"
#include "platform/win/hooks.h"

#include <functional>

namespace toolkit::bars {

class TCustomdxBarSubItem;
class TdxBar;
class TdxBarManager;

class TdxBarDetaching {
public:
    using TPoint = platform::gdi::TPoint;
    using TRect = platform::gdi::TRect;

    // Threshold is the strip in screen coordinates, already widened.
    TdxBarDetaching(TCustomdxBarSubItem& SubItem, TdxBar& Bar, TRect Threshold, TPoint Cursor);
    ~TdxBarDetaching();
    TdxBarDetaching(const TdxBarDetaching&) = delete;
    TdxBarDetaching& operator=(const TdxBarDetaching&) = delete;

    // Takes the capture and the hooks; ends at once without the manager's form.
    void Start();
    bool Detached() const { return FDetached; }
    // Runs once as the drag ends; it may free the session.
    std::function<void()> OnEnd;

private:
    void MoveStep(TPoint P);
    // The menus close and the toolbar shows floating under the cursor.
    void Detach();
    void Follow(TPoint P);
    platform::win::LRESULT MouseHook(int Code, platform::win::WPARAM WParam,
                                     platform::win::LPARAM LParam);
    platform::win::LRESULT KeyboardHook(int Code, platform::win::WPARAM WParam,
                                        platform::win::LPARAM LParam);
    void Release();
    void End(bool HideBar);

    TCustomdxBarSubItem* FSubItem;
    TdxBar* FBar;
    TdxBarManager* FManager;
    TRect FThreshold;
    TPoint FLastPos;
    bool FDetached = false;
    bool FEnded = false;
    platform::win::HWND FCaptureWnd{};
    platform::win::HHOOK FMouseHook = platform::win::NullHook;
    platform::win::HHOOK FKeyboardHook = platform::win::NullHook;
};

// Starts the one drag of a detach strip the process runs at a time; it frees itself as it ends.
void dxBarStartDetaching(TCustomdxBarSubItem& SubItem, TdxBar& Bar, platform::gdi::TRect Threshold,
                         platform::gdi::TPoint Cursor);
// The drag under way, nil when none.
TdxBarDetaching* dxBarDetaching();

} // namespace toolkit::bars
