#pragma once
// A fixture for the class library's tests: a manual clock, two monitors, a clean queue and
// input state, an owner for the forms of the test, and helpers that click controls.

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/forms/application.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace platform::forms::test {

class FormsTest : public ::testing::Test {
protected:
    FormsTest();
    ~FormsTest() override;

    // Forms of the test, freed with the fixture (or earlier by their own Release).
    template <class T = TForm, class... Args> T& MakeForm(Args&&... args) {
        T& form = owner_->Own<T>(std::forward<Args>(args)...);
        form.AfterConstruction();
        return form;
    }
    TComponent& Owner() { return *owner_; }

    // The screen point of a point in a control's client area (its centre by default).
    static TPoint At(const TControl& control);
    static TPoint At(const TControl& control, TPoint client);
    void Click(const TControl& control) { driver.Click(At(control)); }
    // Runs action once the clock reaches now + ms (inside a modal loop, for instance).
    void After(core::Millis ms, std::function<void()> action);
    void Pump();
    std::filesystem::path TempFolder();

    core::ManualClock clock{1000};
    testsupport::InputDriver driver;

private:
    core::ClockOverride clockOverride_{clock};
    // Time stamps move with the clock, never with the wall clock.
    core::NowOverride clockDate{clock, core::EncodeDate(2026, 3, 7) + core::EncodeTime(9, 0, 0, 0)};
    std::unique_ptr<TComponent> owner_;
    std::optional<testsupport::TempFolder> temp_;
};

} // namespace platform::forms::test
