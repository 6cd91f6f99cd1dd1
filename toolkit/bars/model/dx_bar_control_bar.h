#pragma once
// What a bar window needs of the bar (TdxBar) it shows, and no more: the toolbar window reads
// its bar through this, so that the bar definitions and the windows can be built apart. A menu
// window shows no bar and has none.

#include <string>

namespace toolkit::bars {

class TdxBarControlBar {
public:
    virtual ~TdxBarControlBar() = default;

    virtual std::string BarCaption() const = 0;
    // The form's main menu and the status bar draw differently.
    virtual bool BarIsMainMenu() const = 0;
    virtual bool BarIsStatusBar() const { return false; }
    // The user may customize this bar's items at run time.
    virtual bool BarAllowCustomizing() const { return false; }
    // A vertically docked bar turns its captions.
    virtual bool BarRotateWhenVertical() const { return true; }
};

} // namespace toolkit::bars
