#pragma once
// The main window's pictures, drawn here rather than loaded: the menu and toolbar icons, the
// element icons of its bitmap buttons, the two bin images and its two cursors.

#include "platform/forms/ext_ctrls.h"
#include "platform/forms/img_list.h"
#include "platform/win/cursors.h"

namespace app {

class TFormquintaron;

// Indexes in the main window's menu image list.
enum TMenuIcon {
    iconNew,
    iconOpen,
    iconSave,
    iconSaveAll,
    iconPrint,
    iconMidi,
    iconPreview,
    iconKeyboard,
    iconMonitor,
    MenuIconCount
};

// Fills the list with the menu icons, 16 x 16, in TMenuIcon order.
void DrawMenuIcons(platform::forms::TImageList& list);
// The glyphs of the element buttons: 16 x 16 for single elements, 32 x 16 for banks and the
// global set.
void DrawElementIcons(TFormquintaron& form);
void DrawTrashImages(platform::forms::TImage& full, platform::forms::TImage& empty);
// The preview cursor (a note) and the drag cursor (an arrow with a page), made once.
platform::win::HCURSOR PreviewCursor();
platform::win::HCURSOR DragCursor();

} // namespace app
