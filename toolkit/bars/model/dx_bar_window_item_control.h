#pragma once
// What an edit or combo item asks of the item control that edits it (the control that hosts
// the editor window): the editor's text, a combo control's list index and drop-down, where the
// control stands and its bar window, and opening its editor. The window-hosting controls of
// the windows floor implement it; the items reach it through the window services
// (TdxBarWindowServices::WindowItemControl), never through the control's own class.

#include "platform/core/window_handle.h"
#include "platform/gdi/geometry.h"

#include <string>

namespace toolkit::bars {

class TdxBarWindowItemControl {
public:
    virtual ~TdxBarWindowItemControl() = default;

    // The editor window's current text.
    virtual std::string GetCurText() const = 0;
    // The control has its editor window (shown, with the focus).
    virtual bool HasEditor() const = 0;

    // A combo control: one with a drop-down; its list is dropped down.
    virtual bool IsComboControl() const { return false; }
    virtual bool IsDroppedDown() const { return false; }
    // The list index a combo control steps through (-1 none, and for the others); storing it
    // changes nothing shown.
    virtual int GetListIndex() const { return -1; }
    virtual void SetListIndex(int) {}
    // The drop-down list's entry Index was chosen (a click or a key in the list): the control
    // takes it and shows its text.
    virtual void ListIndexChosen(int) {}

    // The control's rectangle on the screen, and the width its drop-down button takes from it.
    virtual platform::gdi::TRect GetScreenRect() const = 0;
    virtual int GetDropDownButtonWidth() const { return 0; }
    // Shown by a toolbar laid out horizontally (docked on top or at the bottom, or floating);
    // not by a menu or a toolbar docked at a side.
    virtual bool InHorizontalToolbar() const = 0;
    // Its bar window, and whether that is visible.
    virtual platform::core::HWND BarWindowHandle() const = 0;
    virtual bool BarWindowVisible() const = 0;

    // Keyboard menu mode in the control's toolbar with the control selected, then the control's
    // click, which opens its editor.
    virtual void ActivateEditor() = 0;
};

} // namespace toolkit::bars
