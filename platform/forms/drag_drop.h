#pragma once
// The drag of the class library, in process: it starts with BeginDrag, holds the mouse capture
// on the source's window, follows the pointer from control to control asking each whether it
// accepts, and ends at the release (a drop, or a refusal), at Esc or at the loss of the capture.
// Used by the controls; nothing above them needs it.

#include "platform/forms/controls.h"

namespace platform::forms::drag {

void Begin(TControl* source, bool immediate, int threshold);
// Ends the drag of source: dropped where the pointer is, or cancelled.
void End(TControl* source, bool drop);
bool IsDragging(const TControl* source);
// A message for the window holding the drag's capture, or a key: true when the drag took it.
bool HandleMessage(HWND wnd, TMessage& message);
// A control goes away: a drag it takes part in forgets it.
void Forget(const TControl* control);

} // namespace platform::forms::drag
