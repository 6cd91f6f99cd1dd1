#pragma once
// The opening animation of a menu window: Unfold reveals it diagonally 8 pixels a frame, Slide
// downwards 17 pixels a frame, from an image of the finished menu painted once beforehand, so
// that the menu seems to slide out of the item that opened it. Only one menu animates at a time.
//
// Everything runs on the user-interface thread: a timer of the clock in force paces the frames
// at a fixed interval, so that the animation takes as long on every machine (18 Unfold frames
// are about 270 ms). Every key, mouse and close handler of the menu stops a running animation
// first: the menu then stands at once at its final place and size, and the message is handled.

#include "toolkit/bars/model/dx_bar_manager.h"

#include <cstdint>

namespace toolkit::bars {

class TdxBarSubMenuControl;

inline constexpr std::uint32_t dxBarMenuAnimationInterval = 15;
// The menu window's timer that paces the frames; its ticks go to dxBarMenuAnimationTimer.
inline constexpr std::uintptr_t dxBarMenuAnimationTimerId = 0x0D15;

// The number of frames of an animation of a client area of that size; 0 for the kinds that
// are not drawn frame by frame.
int dxBarMenuAnimationFrames(TdxBarMenuAnimations Kind, int ClientWidth, int ClientHeight);

// Picks Unfold, Slide or Fade for maRandom, each a third of the time; other kinds stay.
TdxBarMenuAnimations dxBarResolveMenuAnimation(TdxBarMenuAnimations Kind);

// Starts the animation of the menu, whose window exists at its final place and is not shown
// yet, and shows its first frame. FromRight keeps the right edge in place (the menu flipped to
// the left), FromBottom the bottom edge (it opened upwards). False, with nothing shown, when
// the menu is too small for a frame; a menu already animating is finished first.
bool dxBarStartMenuAnimation(TdxBarSubMenuControl& Menu, TdxBarMenuAnimations Kind, bool FromRight,
                             bool FromBottom);
// One tick of the menu's frame timer: the next frame, or after the last the end.
void dxBarMenuAnimationTimer(TdxBarSubMenuControl* Menu);
// Whether this menu is animating now; whether any is.
bool dxBarMenuAnimating(const TdxBarSubMenuControl* Menu);
bool dxBarMenuAnimationRunning();
// Finishes the menu's animation now: unless it is closing the menu stands at its final place
// and size, fully painted. Nothing when it does not animate.
void dxBarStopMenuAnimation(TdxBarSubMenuControl* Menu);
// Frames drawn by the running animation (tests watch it).
int dxBarMenuAnimationFrame();

} // namespace toolkit::bars
