#pragma once
// The custom control's own drag and drop: an in-control gesture (moving, sizing, selecting) that
// a descendant supplies as a TcxDragAndDropObject. It starts on a left press, becomes active when
// the mouse leaves the drag-detect area around the press point, follows the mouse and ends on the
// release (accepted), on Escape, cancel mode or the loss of the capture (not accepted). Also the
// modal drag-detect loop that code runs before it starts a platform drag.

#include "platform/forms/controls.h"
#include "platform/win/messages.h"

namespace toolkit::base {

class TcxCanvas;
class TcxControl;

class TcxDragAndDropObject {
public:
    explicit TcxDragAndDropObject(TcxControl& AControl);
    virtual ~TcxDragAndDropObject() = default;
    TcxDragAndDropObject(const TcxDragAndDropObject&) = delete;
    TcxDragAndDropObject& operator=(const TcxDragAndDropObject&) = delete;

    TcxControl& Control() const { return FControl; }
    TcxCanvas& Canvas() const { return FCanvas; }
    bool Dirty() const { return FDirty; }
    // A change calls DirtyChanged.
    void SetDirty(bool Value);
    // Client coordinates of the control; (-1, -1) before the first.
    platform::gdi::TPoint CurMousePos{-1, -1};
    platform::gdi::TPoint PrevMousePos{-1, -1};

    // CurMousePos := PrevMousePos := the cursor in client coordinates; BeginDragAndDrop.
    void Init();
    void DoDragAndDrop(const platform::gdi::TPoint& P, bool& Accepted);
    void DoEndDragAndDrop(bool Accepted);

    // True: the drag begins at the press, without waiting for the mouse to move away.
    virtual bool GetImmediateStart() { return false; }

protected:
    virtual void DirtyChanged() {}
    // The drag cursor when accepted, else the no-drop cursor.
    virtual platform::forms::TCursor GetDragAndDropCursor(bool Accepted);
    virtual void BeginDragAndDrop() { DirtyChanged(); }
    // Dirty := false; the screen cursor shows whether the point accepts.
    virtual void DragAndDrop(const platform::gdi::TPoint& P, bool& Accepted);
    virtual void BeforeEndDragAndDrop(bool Accepted);
    virtual void EndDragAndDrop(bool /*Accepted*/) {}

private:
    TcxControl& FControl;
    TcxCanvas& FCanvas;
    bool FDirty = false;
};

enum TcxDragDetect { ddNone = 0, ddDrag = 1, ddCancel = 2 };

// Holds the mouse on Wnd until the user releases it (ddNone), moves it out of a square twice the
// system drag threshold around the cursor (ddDrag) or presses Escape (ddCancel).
TcxDragDetect cxDragDetect(platform::win::HWND Wnd);
// Both distances from Origin below the system drag threshold.
bool cxIsPointInDragDetectArea(const platform::gdi::TPoint& Origin, int X, int Y);

} // namespace toolkit::base
