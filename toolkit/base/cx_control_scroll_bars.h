#pragma once
// The scroll bars and size grip a TcxControl owns inside its client area, and the arithmetic of
// its middle-button panning. The control fills each bar's data (TcxScrollBarData) while it
// calculates, then the bar applies it in one step, so a calculation that tries both bars'
// visibilities never shows a bar it will hide again.

#include "toolkit/base/cx_control.h"
#include "toolkit/base/cx_scroll_bar.h"
#include "toolkit/base/look_and_feel.h"

#include "platform/forms/controls.h"

#include <cstdint>
#include <memory>

namespace toolkit::base {

struct TcxScrollBarData {
    int Min = 0, Max = 100, Position = 0, PageSize = 0;
    std::uint16_t SmallChange = 1, LargeChange = 1;
    bool Enabled = true, Visible = false, AllowShow = true, AllowHide = true;
};

class TcxControlScrollBar : public TcxScrollBar {
public:
    // Hidden, out of the tab order, in the button-face colour.
    explicit TcxControlScrollBar(platform::core::TComponent* AOwner);

    TcxScrollBarData Data;
    // Shows the data: the range when it is Visible, then Enabled and Visible.
    void ApplyData();

    void WndProc(platform::core::TMessage& Message) override;

protected:
    // A click on the bar gives its control the focus when the control wants it.
    virtual void FocusParent();
};

// The corner between the two bars.
class TcxSizeGrip : public platform::forms::TCustomControl {
public:
    explicit TcxSizeGrip(platform::core::TComponent* AOwner);
    ~TcxSizeGrip() override;

    TcxLookAndFeel& LookAndFeel() { return *FLookAndFeel; }
    void WndProc(platform::core::TMessage& Message) override;

protected:
    // The painter's size-grip area colour over the whole grip.
    void Paint() override;

private:
    std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
};

// The panning mark's size: the dead zone around the point where the middle button went down.
inline constexpr int cxPanningMarkSize = 32;
// The panning timer's interval; the content scrolls a line every (13 - speed) ticks.
inline constexpr std::uint32_t cxPanningInterval = 20;

struct TcxPanningMotion {
    TcxDirection Direction = dirNone;
    // 0 in the dead zone, else 1..12.
    int Speed = 0;
};

// Where and how fast panning scrolls with the mouse at P, having begun at Start. The dead zone
// is the mark centred on Start, as wide as the screen without a horizontal bar and as tall as
// the screen without a vertical one; LeftMark says the mouse has been outside the mark since.
TcxPanningMotion cxPanningMotion(TPoint Start, TPoint P, bool HVisible, bool VVisible,
                                 bool LeftMark, const TRect& ScreenRect);

// The screen cursor numbers of panning: 2101 both axes, 2102 horizontal, 2103 vertical, 2104 up,
// 2105 right, 2106 down, 2107 left. Registered with the screen on first use.
platform::forms::TCursor cxPanningCursor(TcxDirection Direction, bool HVisible, bool VVisible);

} // namespace toolkit::base
