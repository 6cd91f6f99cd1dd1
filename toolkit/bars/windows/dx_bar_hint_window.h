#pragma once
// Item hints: the bar unit's own tooltip (not the framework's) and the three timers that pace it.
//
// One hint window serves every manager. A request waits 1,000 ms of rest before the hint shows;
// a shown hint goes after 10,000 ms or at a hide request; a hide that follows a show request
// opens a 400 ms grace period in which the next request shows at once (moving along a toolbar).
// Bar windows and item controls talk to it only through UpdateHint.

#include "platform/forms/controls.h"
#include "platform/gdi/geometry.h"

#include <string>

namespace toolkit::bars {

class TdxBarManager;

// A raised tooltip-coloured popup that never takes the mouse nor the activation.
class TdxBarHintWindow : public platform::forms::TCustomControl {
public:
    using TPoint = platform::gdi::TPoint;

    TdxBarHintWindow();

    // Shows Text just below-right of Point (already moved below the cursor), kept inside the work
    // area of the monitor at Point: past the right edge it moves left; past the bottom it goes
    // above the cursor (its bottom at Point's y less 20).
    virtual void ActivateHint(TPoint Point, const std::string& Text, TdxBarManager* Manager);
    void HideHint();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(platform::forms::TMessage& Message) override;
};

// The single entry point: Show false hides. Text, when not empty, is shown instead of the
// hint of the manager's selected item control.
void UpdateHint(TdxBarManager* Manager, bool Show, const std::string& Text = {});
// Builds the text for the manager's selection (or the explicit text) and shows it now.
void ShowHintNow(TdxBarManager* Manager);
void StopHintTimer();
// Also ends the grace period.
void StopGraceTimer();

// The hint window; made on first need or by dxBarCreateHintWindow (first manager registered).
TdxBarHintWindow& dxBarHintWindow();
void dxBarCreateHintWindow();
// Last manager gone: the timers stop, the window goes.
void dxBarFreeHintWindow();
// A manager being destroyed: its hint timer stops (hiding a hint it showed), the grace ends.
void dxBarHintManagerDestroying(TdxBarManager* Manager);
// True while the grace period runs.
bool dxBarHintGraceActive();

} // namespace toolkit::bars
