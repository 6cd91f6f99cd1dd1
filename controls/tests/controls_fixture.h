#pragma once
// A shown form on a 1024 x 768 screen and the manual clock, for the parameter controls' tests:
// Place puts a control on the form, the driver presses and drags as a user does, Pixel reads
// what the window shows, and SavePng writes it for a person to look at.

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace controls::test {

namespace forms = platform::forms;

class ControlsFixture : public ::testing::Test {
protected:
    ControlsFixture();
    ~ControlsFixture() override;

    template <class T, class... Args> T& Place(forms::TRect bounds, Args&&... args) {
        T& control = form_->Own<T>(std::forward<Args>(args)...);
        control.SetParent(form_);
        control.SetBoundsRect(bounds);
        testsupport::PumpUntilIdle();
        return control;
    }
    forms::TForm& Form() { return *form_; }

    // The screen point of a point in a control's client area.
    static forms::TPoint At(const forms::TControl& control, forms::TPoint client) {
        return control.ClientToScreen(client);
    }
    // The colour the window shows at a client point of the control.
    static forms::TColor Pixel(forms::TWinControl& control, forms::TPoint client);
    // The control's window as a PNG in the test's folder; the path.
    std::string SavePng(forms::TWinControl& control, const std::string& name);
    void Wait(int ms) { platform::core::RunFor(clock, platform::core::Millis(ms)); }

    platform::core::ManualClock clock{1000};
    testsupport::InputDriver driver;

private:
    platform::core::ClockOverride clockOverride_{clock};
    // Time stamps move with the clock, never with the wall clock.
    platform::core::NowOverride clockDate{clock, platform::core::EncodeDate(2026, 3, 7) +
                                                     platform::core::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<forms::TComponent> root_;
    forms::TForm* form_ = nullptr;
    std::optional<testsupport::TempFolder> temp_;
};

} // namespace controls::test
