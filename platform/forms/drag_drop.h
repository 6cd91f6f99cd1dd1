#pragma once
// The drag of the class library, in process: it starts with BeginDrag, holds the mouse capture
// on the source's window, follows the pointer from control to control asking each whether it
// accepts, and ends at the release (a drop, or a refusal), at Esc or at the loss of the capture.
// Each drag carries a drag object: the source may give one from inside DoStartDrag (SetDragObject),
// else the drag makes a TDragControlObject for it. The object chooses the cursor, may show drag
// images beside the pointer, and is told when the drag is over (Finished); the drag frees it.
// Used by the controls; nothing above them needs it.

#include "platform/forms/controls.h"

#include <memory>

namespace platform::forms::drag {

// What a drag shows under the pointer: the drag starts, moves and ends it; code that paints
// beneath it hides and shows it. HotSpot is the pointer's place inside the image.
class TDragImageList {
public:
    virtual ~TDragImageList() = default;
    TPoint HotSpot{0, 0};
    virtual void BeginDrag(TPoint screen) = 0;
    virtual void DragMove(TPoint screen) = 0;
    virtual void EndDrag() = 0;
    virtual void HideDragImage() = 0;
    virtual void ShowDragImage() = 0;
};

class TDragObject : public core::TObject {
public:
    explicit TDragObject(TControl* control) : control_(control) {}
    ~TDragObject() override = default;
    TDragObject(const TDragObject&) = delete;
    TDragObject& operator=(const TDragObject&) = delete;

    // The source of the drag.
    TControl* Control() const { return control_; }
    // X, Y: the pointer on the screen.
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
    // The drag is over: Target is the control that took the drop, or nullptr. The base tells the
    // source (DoEndDrag); the drag frees the object afterwards.
    virtual void Finished(core::TObject* Target, int X, int Y, bool Accepted);
    // The images to show beside the pointer; nullptr for none. The source owns them.
    virtual TDragImageList* GetDragImages() { return nullptr; }
    void HideDragImage();
    void ShowDragImage();

private:
    TControl* control_;
};

// The drag object the drag makes when the source gives none: the source's images
// (TControl::GetDragImages).
class TDragControlObject : public TDragObject {
public:
    using TDragObject::TDragObject;
    TDragImageList* GetDragImages() override;
};

void Begin(TControl* source, bool immediate, int threshold);
// Ends the drag of source: dropped where the pointer is, or cancelled.
void End(TControl* source, bool drop);
bool IsDragging(const TControl* source);
// A message for the window holding the drag's capture, or a key: true when the drag took it.
bool HandleMessage(HWND wnd, TMessage& message);
// A control goes away: a drag it takes part in forgets it.
void Forget(const TControl* control);

// The object of the drag in progress; nullptr when none (or while its source has not given it
// yet, inside DoStartDrag).
TDragObject* CurrentDragObject();
// From inside the source's DoStartDrag: the drag carries Object (nullptr: the default one).
void SetDragObject(std::unique_ptr<TDragObject> Object);

} // namespace platform::forms::drag
