// Quintaron's entry: the program block. The application state and the units first, then the
// services behind the data model, the main window and the intro; the message loop runs until
// the main window closes. The help viewer stays registered for the whole run, so that the help
// commands reach it.
#include "app/program.h"
#include "app/sto_html_help.h"
#include "model/program/quintaron.h"
#include "platform/forms/application.h"
#include "platform/win/desktop.h"
#include "toolkit/bars/dx_bar_unit.h"

int main(int argc, char** argv) {
    platform::win::TDesktop desktop(argc, argv);
    toolkit::bars::TdxBarUnit barUnit;
    app::TStoHtmlHelpRegistration help;
    model::TQuintaron state;
    app::InitialiseUnits();
    app::TProgramServices services(state);
    app::CreateProgramForms();
    platform::forms::Application().Run();
    return 0;
}
