#pragma once
// What the bar definitions and the dock sites need of a toolbar window: its sizes for a docking
// style, its place, showing, and what a row's layout tells it back. The toolbar window
// implements it; TdxBar and TdxDockControl know the window only through it, so that the row
// model can be laid out and tested on its own.
//
// Sizes are client sizes (without the frame the bar adds around them, TdxBar::GetNonClientWidth
// and GetNonClientHeight) in the window's own orientation: width first, also on vertical sites.

#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/gdi/geometry.h"

namespace toolkit::bars {

class TdxDockedBarWindow {
public:
    virtual ~TdxDockedBarWindow() = default;

    virtual TdxBar* Bar() const = 0;

    // With as many items hidden as can be, and with every item shown.
    virtual platform::gdi::TSize GetMinSize(TdxBarDockingStyle Style) = 0;
    virtual platform::gdi::TSize GetFullSize(TdxBarDockingStyle Style) = 0;
    // The size for a client Length along a site of Style (the width on top and bottom sites, the
    // height on left and right ones); a multi-line bar wraps to fit it.
    virtual platform::gdi::TSize GetSizeForLength(TdxBarDockingStyle Style, int Length) = 0;

    // The window rectangle in its parent's client coordinates (the screen's while floating).
    virtual platform::gdi::TRect BoundsRect() const = 0;
    // Moves and sizes without z-order change or activation.
    virtual void SetBoundsRect(const platform::gdi::TRect& R) = 0;
    // Takes a dock site and its style, parented to it; nil and dsNone make it float.
    virtual void SetDockSite(TdxDockControl* Site, TdxBarDockingStyle Style) = 0;
    // Floating: takes its floating size and stands at Pos (screen).
    virtual void PlaceFloating(platform::gdi::TPoint Pos) = 0;
    // Client size, for storing a floating bar's size.
    virtual platform::gdi::TSize ClientSize() const = 0;
    // SW_SHOWNA.
    virtual void ShowNoActivate() = 0;

    // The layout's answers: items do not fit and the mark shows them; place the items now.
    virtual void SetTruncated(bool Value) = 0;
    virtual bool Truncated() const = 0;
    virtual void CalcItemRects() = 0;
    // Measure and lay out again after a change of the bar; repaint frame and client.
    virtual void RefreshLayout() = 0;
    virtual void RepaintBar() = 0;
    // The bar's AlphaBlendValue changed: a floating window takes it as its opacity.
    virtual void UpdateAlphaBlend() {}
    // The bar's Caption changed: the window's text follows and its frame shows it.
    virtual void CaptionChanged() {}

    // Non-zero while the window handle is being recreated: the bar is placed by its Row.
    virtual int RecreateCount() const { return 0; }
    // Being dragged with the mouse.
    virtual bool Dragging() const { return false; }
    // Where the cursor holds the bar, from the window origin, for a docking style.
    virtual platform::gdi::TPoint GetGrabOffset(TdxBarDockingStyle) const { return {}; }
};

} // namespace toolkit::bars
