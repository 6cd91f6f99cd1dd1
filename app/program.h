#pragma once
// The program block: what the program's units set up before its first window, the services the
// data model reaches the windows through, and the first windows. The entry (main.cpp) runs it
// in this order with the message loop between; tests run it as far as they need.

#include "app/app_dialogs.h"
#include "app/app_services.h"
#include "app/printer_target.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/edit/edit_units.h"

namespace model {
class TQuintaron;
}

namespace app {

class TFormintro;

// The toolkit's units, started before anything else of the program and ended after it: the bar
// unit, then the edit framework's units (string groups, registries, the mouse-wheel cursor).
class TToolkitUnits {
public:
    TToolkitUnits() = default;
    TToolkitUnits(const TToolkitUnits&) = delete;
    TToolkitUnits& operator=(const TToolkitUnits&) = delete;

private:
    toolkit::bars::TdxBarUnit bars_;
    toolkit::edit::TcxEditUnits edit_;
};

// The program's folder made the current folder, the user's data folders created when missing,
// and the shipped "Names.Txt" put into the data folder unless the user's own is there.
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
