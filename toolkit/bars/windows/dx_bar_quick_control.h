#pragma once
// The quick-customise bar: the small toolbar window a toolbar's mark opens under (or beside)
// it. It shows, as toolbar buttons with their glyphs, copies of the toolbar's links that are cut
// off or not shown, then "&Add or Remove Buttons", and goes when it closes: the mark back to
// normal, a command of it run, a press elsewhere (the mouse hook), or its window hidden.
//
// Its links belong to a bar of its own that the manager's list of bars does not hold, so that
// no toolbars list, Customize dialog, stored layout or designer meets it. It is a window of the
// quick-customise kind (bckQuickCustomize): the painters give it their quick-customise
// background, frame and shadow. It has no caption, and its frame neither moves nor sizes it.
//
// Closing hides the window, puts the mark back to normal and hands the window to its
// TdxBarCustomizePopups, which frees it with the next message: a bar may close from inside a
// handler of its own (a click or a key that runs one of its commands).

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include <memory>

namespace toolkit::bars {

class TdxBarSubItem;

// Holds the quick bar's own bar: a base, so that the bar is made before the window over it and
// goes after it.
class TdxBarQuickControlBar {
protected:
    explicit TdxBarQuickControlBar(TdxBarManager& Manager);
    ~TdxBarQuickControlBar();

    std::unique_ptr<TdxBar> FQuickBar;
};

class TdxBarQuickControl : private TdxBarQuickControlBar, public TdxBarControl {
public:
    // For ParentBar's mark: copies of its cut-off links, then a link to QuickSubItem beginning
    // a group; shown by ShowAt.
    TdxBarQuickControl(TdxBarControl& AParentBar, TdxBarSubItem& QuickSubItem);
    ~TdxBarQuickControl() override;

    // The toolbar window whose mark opened it.
    TdxBarControl& ParentBar() const { return *FParentBar; }
    // Sized to its links and placed for the mark (screen; QuickControlPlace), then shown
    // without activation.
    void ShowAt(const TRect& Mark);
    // Shows it again without activation, or hides it, which closes it.
    bool Shown() const;
    void SetShown(bool Value);
    // Once: leaves the active state, hides, the mark returns to normal and the popups let the
    // window go.
    void Close();
    bool Closing() const { return FClosing; }
    // The parent toolbar moved or changed size: the shadow joins the mark where it is now.
    void ParentBarMoved();

    // When it was active: the press that is closing it, when it lies on the parent's mark, is
    // remembered (it does not open the bar again); then it closes.
    void HideAll() override;
    platform::gdi::HBRUSH GetBkBrush() const override;
    bool IsQuickCustomizeMenu() const override { return true; }
    void WndProc(TMessage& Message) override;

protected:
    void FillPaintedBar(TdxBarControlState& State) const override;

private:
    // The frame: the painter's floating border, no caption.
    void NCCalcSize(TMessage& Message);
    void NCHitTest(TMessage& Message);
    void NCPaint();

    TdxBarControl* FParentBar;
    bool FClosing = false;
};

} // namespace toolkit::bars
