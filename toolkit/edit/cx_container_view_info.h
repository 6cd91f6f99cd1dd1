#pragma once
// What a container needs to paint itself: its rectangles, state, border and colours, filled in
// by the container's CalculateViewInfo and asked to paint; and the container unit's small
// routines that the editors and the popup window share (border widths, shadow strips and
// regions, frame invalidation, window ownership tests, message purging).

#include "toolkit/edit/cx_container_style.h"

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_lf_painter.h"
#include "toolkit/base/cx_region.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/geometry.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform::forms {
class TControl;
class TWinControl;
} // namespace platform::forms

namespace toolkit::edit {

using platform::gdi::TRect;
using toolkit::base::TcxCanvas;

// The container's state: a set of the bits below.
using TcxContainerState = std::uint8_t;
inline constexpr TcxContainerState cstNormal = 1, cstFocused = 2, cstDisabled = 4, cstHot = 8;

// The container unit's routines.
int GetContainerBorderWidth(TcxContainerBorderStyle Style);
TRect GetControlRect(const platform::forms::TControl& Control);
// Moves each side that is missing from Edges inward by W.
void TrimRectByEdges(TRect& R, int W, TcxBorders Edges);
// The 3-pixel shadow strips under and to the right of R, each excluded from the clip once filled.
void DrawContainerShadow(TcxCanvas& Canvas, const TRect& R);
// The strips of Outer around Inner; nothing when Outer is empty or equals Inner.
void FillRectBetween(TcxCanvas& Canvas, const TRect& Outer, const TRect& Inner, TColor Color);
// The same strips invalidated in Wnd (the whole of Outer when Inner is empty).
void InternalInvalidate(platform::core::HWND Wnd, const TRect& Outer, const TRect& Inner,
                        bool Erase);
// Null with NoRegion; else R, with its copy moved by (3, 3) when Shadow, less Excluded.
std::unique_ptr<toolkit::base::TcxRegion> CreateShadowRegion(const TRect& R, bool NoRegion,
                                                             const TRect& Excluded, bool Shadow);
// Sets the window region only when it differs from the current one.
void SetWindowShadowRegion(platform::core::HWND Wnd, const TRect& R, bool NoRegion,
                           const TRect& Excluded, bool Shadow);
// The window, or its first ancestor without WS_CHILD.
platform::core::HWND GetFirstNonChildWindow(platform::core::HWND Wnd);
bool IsControlWindowVisible(platform::forms::TWinControl& Control);
// Wnd is the control's window, or (IncludeChildren) a window inside it, inside one of its
// window controls, or inside a visible popup window that the control, or a control of the form
// that the control is, has opened.
bool HasHandle(platform::forms::TWinControl* Control, platform::core::HWND Wnd,
               bool IncludeChildren);
// The control's form (the control itself when it lies on none) holds Wnd as HasHandle sees it;
// or, for such a form without parent control, the top-level window above it holds Wnd.
bool IsRelatedWindow(platform::forms::TWinControl* Control, platform::core::HWND Wnd);
// Removes Wnd's queued messages First..Last (all, or only the first without KillAll). A WM_QUIT
// met on the way is posted again (to its window) and ends the purge. True when any message went.
bool KillMessages(platform::core::HWND Wnd, platform::core::UINT First, platform::core::UINT Last,
                  bool KillAll = true);
bool InternalCompareString(const std::string& A, const std::string& B, bool CaseSensitive);
// The system's scroll-bar information is not offered on this platform.
bool IsGetScrollBarInfoAvailable();

class TcxContainerViewInfo {
public:
    TcxContainerViewInfo() = default;
    virtual ~TcxContainerViewInfo() = default;
    TcxContainerViewInfo(const TcxContainerViewInfo&) = delete;
    TcxContainerViewInfo& operator=(const TcxContainerViewInfo&) = delete;

    TColor BackgroundColor = platform::gdi::clWindow;
    TColor BorderColor = platform::gdi::clWindowFrame;
    // Bounds less the frame.
    TRect ClientRect;
    // As shown: without visual styles ultra-flat and Office 2003 borders are drawn single.
    TcxContainerBorderStyle BorderStyle = cbsNone;
    int BorderWidth = 0;
    // Rect(0, 0, Width, Height) of the control.
    TRect Bounds;
    // Where the inner control lies; editors narrow it.
    TRect InnerRect;
    TcxContainerState ContainerState = cstNormal;
    TcxBorders Edges = toolkit::base::cxBordersAll;
    // 0 hot tracking off, 1 normal, 2 hot or focused.
    int HotState = 0;
    int NativePart = 0;
    int NativeState = 0;
    bool NativeStyle = false;
    // The look-and-feel's skin painter; null when none.
    toolkit::base::TcxLookAndFeelPainterClass Painter = nullptr;
    bool Shadow = false;
    int ThemedObjectType = 0;

    // Copies InnerRect from another view info.
    virtual void Assign(const TcxContainerViewInfo& Source) { InnerRect = Source.InnerRect; }
    // The parts that differ from Other; empty here.
    virtual std::unique_ptr<toolkit::base::TcxRegion>
    CreateUpdateRegion(const TcxContainerViewInfo& Other);
    virtual void Offset(int DX, int DY);
    void Paint(TcxCanvas& Canvas) { InternalPaint(Canvas); }
    virtual void SetBackgroundColor(TColor Value) { BackgroundColor = Value; }
    virtual void DrawBorder(TcxCanvas& Canvas, TRect R);

protected:
    virtual void InternalPaint(TcxCanvas& Canvas);
};

} // namespace toolkit::edit
