#pragma once
// Dragging a toolbar with the mouse. A press on a bar's drag area starts a session: the
// manager's form holds the mouse capture and the session takes the mouse and the keys through
// thread hooks as they come from the queue, so that no loop of its own waits for them and a
// test drives it with plain input. Each move finds the target under the cursor (a dock site of
// the manager, or none: floating) and moves the window within its site, on the screen, or to
// the new place. A floating bar docks only after the cursor has rested over a site for the
// manager's WaitForDockingTime; Ctrl held keeps it floating; the button going up, Esc or a
// lost capture end the drag where the bar is.

#include "toolkit/bars/model/dx_bar.h"

#include "toolkit/base/cx_timer.h"

#include "platform/gdi/geometry.h"
#include "platform/win/hooks.h"

#include <array>
#include <functional>
#include <memory>

namespace toolkit::bars {

class TdxBarControl;

class TdxBarMoving {
public:
    using TPoint = platform::gdi::TPoint;

    // The bar must be shown; Start takes the capture and the hooks.
    TdxBarMoving(TdxBar& ABar, TPoint Cursor);
    ~TdxBarMoving();
    TdxBarMoving(const TdxBarMoving&) = delete;
    TdxBarMoving& operator=(const TdxBarMoving&) = delete;

    void Start();
    TdxBar& Bar() const { return *FBar; }
    // Where the cursor holds the bar, from the window's origin: as grabbed for the style the bar
    // had when the drag began, else in the same proportion of the bar's size in that style.
    TPoint GetGrabOffset(TdxBarDockingStyle Style) const;
    // The bar's outer size in a style, as measured when the drag began.
    platform::gdi::TSize StyleSize(TdxBarDockingStyle Style) const {
        return FStyleSizes[static_cast<std::size_t>(Style)];
    }
    // Runs once as the drag ends; it may free the session.
    std::function<void()> OnEnd;

private:
    struct TTarget {
        TdxBarDockingStyle Style = dsNone;
        TdxDockControl* Site = nullptr;
    };
    TdxBarControl* Window() const;
    TTarget FindTarget(TPoint P) const;
    // One step of the drag with the cursor at P; the docking timer's pass docks a floating bar.
    void MoveStep(TPoint P, bool TimerPass);
    platform::win::LRESULT MouseHook(int Code, platform::win::WPARAM WParam,
                                     platform::win::LPARAM LParam);
    platform::win::LRESULT KeyboardHook(int Code, platform::win::WPARAM WParam,
                                        platform::win::LPARAM LParam);
    void DockingTimer();
    // Hooks, capture and timer go; the site lays out without the drag.
    void Release();
    void End();

    TdxBar* FBar;
    TdxBarDockingStyle FStartStyle;
    // The cursor from the window's origin when the drag began, and the window's size then.
    TPoint FGrab{};
    platform::gdi::TSize FGrabSize{};
    // The bar's outer size in each style (by ordinal).
    std::array<platform::gdi::TSize, 5> FStyleSizes{};
    TPoint FLastPos{};
    platform::win::HWND FCaptureWnd{};
    platform::win::HHOOK FMouseHook = platform::win::NullHook;
    platform::win::HHOOK FKeyboardHook = platform::win::NullHook;
    std::unique_ptr<toolkit::base::TcxTimer> FDockingTimer;
    bool FEnded = false;
};

} // namespace toolkit::bars
