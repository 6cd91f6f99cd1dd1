#pragma once
// A fixture for the controls unit's tests: a manual clock, a clean queue and input state, two
// monitors, a controls unit of the test's own, and a shown form to put controls on.

#include "toolkit/base/cx_controls_unit.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace toolkit::base::test {

// A window that counts the messages it is sent.
class TCountingControl : public platform::forms::TCustomControl {
public:
    using platform::forms::TCustomControl::TCustomControl;

    int Count(platform::core::UINT Msg) const;
    std::vector<platform::core::LPARAM> LParams(platform::core::UINT Msg) const;
    void WndProc(platform::core::TMessage& Message) override;

private:
    std::vector<platform::core::TMessage> FSeen;
};

class ControlsUnitTest : public ::testing::Test {
protected:
    ControlsUnitTest();
    ~ControlsUnitTest() override;

    // Shown at (100, 100), 400 x 300, on the first monitor.
    platform::forms::TForm& Form();
    // A control with a window on the form, at Bounds in the form's client area.
    TCountingControl& MakeControl(const platform::gdi::TRect& Bounds);
    // Frees a control made by MakeControl now.
    void FreeControl(TCountingControl& Control) { FOwner->FreeComponent(Control); }
    void RunFor(platform::core::Millis Ms) { platform::core::RunFor(Clock, Ms); }

    platform::core::ManualClock Clock{1000};

private:
    platform::core::ClockOverride FClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    platform::core::NowOverride FClockDate{Clock, platform::core::EncodeDate(2026, 3, 7) +
                                                      platform::core::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<platform::core::TComponent> FOwner;
    platform::forms::TForm* FForm = nullptr;

protected:
    // In force for the test; it shuts down after the fixture has freed the controls, and
    // before the clock goes.
    TcxControlsUnit Unit;
};

} // namespace toolkit::base::test
