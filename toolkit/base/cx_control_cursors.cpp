#include "toolkit/base/cx_control_cursors.h"

#include "toolkit/base/cx_control_scroll_bars.h"

#include "platform/forms/screen.h"
#include "platform/win/library_cursors.h"

namespace toolkit::base {

namespace pw = platform::win;

void cxRegisterControlCursors() {
    static bool Registered = false;
    if (Registered) return;
    Registered = true;
    struct Entry {
        platform::forms::TCursor Number;
        pw::LibraryCursor Kind;
    };
    const Entry Entries[] = {
        {crcxDragCopy, pw::LibraryCursor::DragCopy},
        {crcxRemove, pw::LibraryCursor::Remove},
        {crcxVertSize, pw::LibraryCursor::VertSize},
        {crcxHorzSize, pw::LibraryCursor::HorzSize},
        {crcxMultiDrag, pw::LibraryCursor::MultiDrag},
        {crcxNoDrop, pw::LibraryCursor::NoDrop},
        {crcxDrag, pw::LibraryCursor::Drag},
        {crcxColorPicker, pw::LibraryCursor::ColorPicker},
    };
    for (const Entry& E : Entries)
        platform::forms::Screen().SetCursors(E.Number, pw::LoadLibraryCursor(E.Kind));
    platform::forms::Screen().SetCursors(crcxHandPoint, pw::LoadCursor(pw::IDC_HAND));
    // The panning cursors register on their first use.
    cxPanningCursor(dirNone, true, true);
}

} // namespace toolkit::base
