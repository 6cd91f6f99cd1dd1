#pragma once
// A designing form on a 1024 x 768 screen with a bar manager and the categories "Default", "File"
// and "Edit", the manual clock and a designer the test controls, for the tests of the Customize
// dialog at design time. Each test makes its items with Item; the Customize dialog, the form and
// everything on it go with the test, and the designer before it comes back.

#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/model/dx_bar_designer.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/tests/dx_bar_fake_designer.h"

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/monitors.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {

class DesignFormFixture : public ::testing::Test {
protected:
    DesignFormFixture() : FRoot(std::make_unique<platform::core::TComponent>(nullptr)) {
        platform::win::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 768}}});
        FPrevious = SetdxBarDesigner(&Designer);
        Form = &FRoot->Own<DesignForm>();
        Form->SetDesigning(true);
        Form->SetBounds(0, 0, 640, 300);
        Manager = &Form->Own<TdxBarManager>();
        Manager->Categories().Add("File");
        Manager->Categories().Add("Edit");
    }
    ~DesignFormFixture() override {
        if (GetCustomizingForm()) ShowCustomizingForm(*Manager, false);
        testsupport::PumpUntilIdle();
        FRoot.reset();
        testsupport::PumpUntilIdle();
        SetdxBarDesigner(FPrevious);
        platform::win::SetMonitors({});
    }

    template <class T> T& Item(const std::string& Name, const std::string& Caption, int Category) {
        auto& Made = Form->Own<T>();
        Made.Name = Name;
        Made.SetCaption(Caption);
        Made.SetCategory(Category);
        return Made;
    }
    static std::vector<std::string> Rows(platform::forms::TListBox& List) {
        std::vector<std::string> Result;
        for (int I = 0; I < List.Items().Count(); ++I)
            Result.push_back(List.Items()[I]);
        return Result;
    }

    platform::core::ManualClock Clock{1000};
    platform::core::ClockOverride ClockOverride{Clock};
    // Time stamps move with the clock, never with the wall clock.
    platform::core::NowOverride ClockDate{Clock, platform::core::EncodeDate(2026, 3, 7) +
                                                     platform::core::EncodeTime(9, 0, 0, 0)};
    TdxBarUnit Unit;
    FakeDesigner Designer;
    TdxBarDesigner* FPrevious = nullptr;
    std::unique_ptr<platform::core::TComponent> FRoot;
    DesignForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    testsupport::InputDriver Input;
};

} // namespace toolkit::bars
