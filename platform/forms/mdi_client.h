#pragma once
// The client window of a multiple-document parent: the children's windows live in it. It
// answers the platform's MDI messages (WM_MDIGETACTIVE with the maximised flag through a BOOL*
// in lParam, WM_MDIMAXIMIZE, WM_MDIRESTORE, WM_MDINEXT, WM_MDICASCADE, WM_MDITILE,
// WM_MDIICONARRANGE); a child that becomes active gets WM_CHILDACTIVATE and WM_MDIACTIVATE
// (wParam the child losing the activation, lParam the one taking it); the active child that is
// maximised, restored or minimised gets WM_CHILDACTIVATE again. A minimised child is iconic
// (IsIconic) and lies as its icon along the bottom (window_placement.h), a maximised one zoomed
// (IsZoomed); its system menu's commands (SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE,
// SC_NEXTWINDOW, SC_PREVWINDOW) work as its buttons do.
//
// It scrolls as the platform's does. While a child (an icon too) lies partly outside the client
// area, scroll bars in its frame reach it: a bar's range is the union of the children's
// rectangles and the client area, whose own place is the position, so that scrolling moves the
// children (and where the minimised ones go back to). The range follows the children's moves,
// sizes, showing and going through WM_MDICALCCHILDSCROLL, which a child posts once for any
// number of changes. With a child maximised there are no bars. On a bar, an arrow scrolls a
// line and the track a page, again and again while held (frame_scroll_bar.h's timing) and the
// pointer stays on the part pressed; the thumb is dragged and the children move where it is
// let go, through WM_HSCROLL and WM_VSCROLL with the SB_ codes (SB_ENDSCROLL on the release),
// which others may send as well.

#include "platform/forms/controls.h"
#include "platform/forms/frame_scroll_bar.h"

#include <optional>

namespace platform::forms {

// The platform's messages to the client window of a multiple-document parent (WM_MDIACTIVATE
// comes with the window system's own).
inline constexpr UINT WM_MDIRESTORE = 0x0223;
inline constexpr UINT WM_MDINEXT = 0x0224;
inline constexpr UINT WM_MDIMAXIMIZE = 0x0225;
inline constexpr UINT WM_MDITILE = 0x0226;
inline constexpr UINT WM_MDICASCADE = 0x0227;
inline constexpr UINT WM_MDIICONARRANGE = 0x0228;
inline constexpr UINT WM_MDIGETACTIVE = 0x0229;
inline constexpr UINT WM_MDICALCCHILDSCROLL = 0x003F;

class TMDIClient : public TWinControl {
public:
    explicit TMDIClient(TComponent* owner);
    void Dispatch(TMessage& message) override;

    // A child moved, was sized, shown, hidden or went: the bars are worked out again once the
    // messages queued now are done.
    void ChildMoved();
    // Works the bars out again now.
    void CalcChildScroll();
    bool ScrollBarShown(bool vertical) const { return vertical ? vert_ : horz_; }
    // The bar as it shows (window coordinates), whether or not it does.
    TFrameScrollBar ScrollBar(bool vertical) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // A maximised child keeps filling the client area.
    void Resize() override;

private:
    // WM_HSCROLL, WM_VSCROLL.
    void ScrollChildren(bool vertical, int code, int thumb);
    bool NcLButtonDown(TMessage& message);
    bool TrackThumb(TMessage& message);
    // The held arrow or track: its ticks, the pointer's moves and the release.
    bool RepeatScroll(TMessage& message);
    void EndRepeat();
    void FitMaximized();
    void PaintBars();
    TPoint WindowPoint(TPoint screen) const;
    bool horz_ = false;
    bool vert_ = false;
    bool calcPosted_ = false;
    // The thumb being dragged: its bar as the press found it, where on the thumb the press was
    // and the position the thumb stands for now.
    struct TThumbDrag {
        TFrameScrollBar bar;
        int grab = 0;
        int position = 0;
    };
    std::optional<TThumbDrag> drag_;
    // The arrow or track held down, and the scroll code it repeats.
    struct THeldPart {
        bool vertical = true;
        TScrollBarPart part = sbpNone;
        WPARAM code = 0;
        // The pointer is on the part held.
        bool over = true;
    };
    std::optional<THeldPart> held_;
};

} // namespace platform::forms
