// Quintaron's entry: the program block. The toolkit's units, the application state and the
// program's units first, then the services behind the data model, the main window and the
// intro; the message loop runs until the main window closes. The help viewer stays registered
// for the whole run, so that the help commands reach it.
#include "app/program.h"
#include "app/sto_html_help.h"
#include "model/program/quintaron.h"
#include "platform/forms/application.h"
#include "platform/win/desktop.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUINTARON_LEAK_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUINTARON_LEAK_CHECKED)
// In a sanitised build, leaks the program cannot free are not its own: the desktop bus library
// keeps its shared connection (Qt's, on the xcb platform) and that connection's read buffer for
// the life of the process; JACK's metadata store (a database every JACK server and client of the
// user shares) leaks what it held when another server, stopping, removed its files under it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\nleak:libdb-5.3.so\n";
}
#endif

int main(int argc, char** argv) {
    platform::win::TDesktop desktop(argc, argv);
    app::TToolkitUnits toolkitUnits;
    app::TStoHtmlHelpRegistration help;
    model::TQuintaron state;
    app::InitialiseUnits();
    app::TProgramServices services(state);
    app::CreateProgramForms();
    platform::forms::Application().Run();
    return 0;
}
