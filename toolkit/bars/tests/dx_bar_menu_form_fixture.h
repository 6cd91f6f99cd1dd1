#pragma once
// A form on a 1024 x 768 screen with a bar manager and a main-menu bar docked on top, on the
// manual clock, for the tests of menus, menu mode and the hooks. Each test puts its own windows
// on the form, then calls MakeMainMenu, fills the bar with Sub and Button, and calls
// ShowMainMenu; the form and everything on it go with the test.

#include "toolkit/bars/dx_bar.h"
#include "toolkit/bars/dx_bar_button.h"
#include "toolkit/bars/dx_bar_manager.h"
#include "toolkit/bars/dx_bar_sub_item.h"
#include "toolkit/bars/dx_bar_toolbar_control.h"
#include "toolkit/bars/dx_bar_unit.h"

#include "platform/core/clock.h"
#include "platform/forms/forms.h"
#include "platform/win/monitors.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace toolkit::bars {

class MenuFormFixture : public ::testing::Test {
protected:
    explicit MenuFormFixture(platform::forms::TFormStyle Style = platform::forms::fsNormal)
        : FRoot(std::make_unique<platform::core::TComponent>(nullptr)) {
        platform::win::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 768}}});
        Form = &FRoot->Own<platform::forms::TForm>(Style);
        Form->SetBounds(0, 0, 640, 300);
    }
    ~MenuFormFixture() override {
        FRoot.reset();
        testsupport::PumpUntilIdle();
        platform::win::SetMonitors({});
    }

    void MakeMainMenu() {
        Manager = &Form->Own<TdxBarManager>();
        Bar = Manager->Bars()->Add();
        Bar->SetCaption("Main Menu");
        Bar->SetIsMainMenu(true);
        Bar->SetDockingStyle(dsTop);
    }
    void ShowMainMenu() {
        Form->Show();
        Bar->SetVisible(true);
        testsupport::PumpUntilIdle();
    }
    TdxBarSubItem& Sub(TdxBarItemLinks& Links, const std::string& Caption) {
        auto& S = Form->Own<TdxBarSubItem>();
        S.SetCaption(Caption);
        Links.Add(&S);
        return S;
    }
    TdxBarButton& Button(TdxBarItemLinks& Links, const std::string& Caption) {
        auto& B = Form->Own<TdxBarButton>();
        B.SetCaption(Caption);
        Links.Add(&B);
        return B;
    }
    TdxBarControl& BarWindow() { return *dynamic_cast<TdxBarControl*>(Bar->Control()); }
    // The screen centre of a link's row in the window that shows it.
    static platform::gdi::TPoint CentreOf(TdxBarItemLinks& Links, int Index) {
        const platform::gdi::TRect R = Links.VisibleItems(Index)->ItemRect;
        return Links.BarControl()->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
    }

    platform::core::ManualClock Clock{1000};
    platform::core::ClockOverride ClockOverride{Clock};
    TdxBarUnit Unit;
    std::unique_ptr<platform::core::TComponent> FRoot;
    platform::forms::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
    TdxBar* Bar = nullptr;
    testsupport::InputDriver Input;
};

} // namespace toolkit::bars
