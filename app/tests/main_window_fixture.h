#pragma once
// The program's main window on the world of AppTest: shown at (0, 0), 1000 x 700, as the
// application's main form, with its bar unit.

#include "app/app_services.h"
#include "app/form_quintaron.h"
#include "app/form_transmet.h"
#include "app/tests/app_fixture.h"
#include "toolkit/bars/dx_bar_unit.h"

namespace app::test {

class MainWindowTest : public AppTest {
protected:
    MainWindowTest() : main(MakeMain()) {}
    // The windows go while the bar unit lives.
    ~MainWindowTest() override {
        platform::forms::Application().SetMainForm(nullptr);
        owner.reset();
        testsupport::PumpUntilIdle();
        model::SetUiServices(nullptr);
    }

    TFormquintaron& MakeMain() {
        model::SetUiServices(&services);
        TFormquintaron& form = MakeForm<TFormquintaron>();
        form.SetBounds(0, 0, 1000, 700);
        platform::forms::Application().SetMainForm(&form);
        form.Show();
        testsupport::PumpUntilIdle();
        return form;
    }

    toolkit::bars::TdxBarUnit barUnit;
    TFormTransmet& transmet = MakeForm<TFormTransmet>();
    TAppServices services{state.Midi, transmet};
    TFormquintaron& main;
};

} // namespace app::test
