#pragma once
// The program block: what the program's units set up before its first window, the services the
// data model reaches the windows through, and the first windows. The entry (main.cpp) runs it
// in this order with the message loop between; tests run it as far as they need.

#include "app/app_dialogs.h"
#include "app/app_services.h"
#include "app/printer_target.h"

namespace model {
class TQuintaron;
}

namespace app {

class TFormintro;

// The user's data folders created when missing, and the shipped "Names.Txt" put into the data
// folder unless the user's own is there.
void InitialiseUnits();

// The windows, dialogs and printer behind the data model, installed while this lives.
class TProgramServices {
public:
    explicit TProgramServices(model::TQuintaron& state);
    ~TProgramServices();
    TProgramServices(const TProgramServices&) = delete;
    TProgramServices& operator=(const TProgramServices&) = delete;

    TAppServices& Services() { return services_; }

private:
    TAppServices services_;
    TAppDialogs dialogs_;
    TPrinterTarget printer_;
};

// Creates the main window, which becomes the application's main form, the intro and the
// random-generation window, owned by the application, and shows the intro: start-up runs once
// it has stood its time.
TFormintro& CreateProgramForms();

} // namespace app
