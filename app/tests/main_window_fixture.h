#pragma once
// The program's main window on the world of AppTest: shown at (0, 0), 1000 x 700, as the
// application's main form, with its bar unit.

#include "app/app_services.h"
#include "app/form_quintaron.h"
#include "app/form_transmet.h"
#include "app/tests/app_fixture.h"
#include "toolkit/bars/model/dx_bar_unit.h"

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
        ShowAsMainForm(form);
        testsupport::PumpUntilIdle();
        return form;
    }

    toolkit::bars::TdxBarUnit barUnit;
    TFormTransmet& transmet = MakeForm<TFormTransmet>();
    TAppServices services{state.Midi, transmet};
    TFormquintaron& main;
};

// A world of Base (a MainWindowTest) on the simulated instrument's ports, with the main window's
// preview hook as the program installs it; the preview is one note, 64 at velocity 99.
template <class Base> class WithPreview : public Base {
protected:
    WithPreview() {
        this->state.Config.InPort = 0;
        this->state.Config.OutPort = 0;
        this->state.Config.SingleNote = true;
        this->state.Config.PreviewNote = 64;
        this->state.Config.PreviewVelocity = 99;
        this->state.Midi.Create();
        platform::forms::Application().OnMessage = [this](platform::core::MSG& msg, bool& handled) {
            this->main.Preview(msg, handled);
        };
    }
    ~WithPreview() override { platform::forms::Application().OnMessage = nullptr; }
};

} // namespace app::test
