#include "app/program.h"

#include "app/form_intro.h"
#include "app/form_quintaron.h"
#include "app/form_random.h"
#include "model/files/data_folders.h"
#include "model/files/name_lists.h"
#include "model/print/print_target.h"
#include "model/program/quintaron.h"
#include "platform/core/folders.h"
#include "platform/forms/application.h"

namespace app {

namespace forms = platform::forms;

void InitialiseUnits() {
    // Relative names the program meets are looked up beside it, wherever it was started from.
    platform::core::SetCurrentDir(model::ProgramDir());
    model::CreateDataFolders();
    // Without it the name lists read as empty; the program runs on.
    model::InstallNamesFile();
}

TProgramServices::TProgramServices(model::TQuintaron& state) : services_(state.Midi) {
    model::SetUiServices(&services_);
    model::SetDialogs(&dialogs_);
    model::SetPrintTarget(&printer_);
}

TProgramServices::~TProgramServices() {
    model::SetPrintTarget(nullptr);
    model::SetDialogs(nullptr);
    model::SetUiServices(nullptr);
}

TFormintro& CreateProgramForms() {
    forms::TApplication& application = forms::Application();
    TFormquintaron& main = application.CreateForm<TFormquintaron>();
    application.SetMainForm(&main);
    main.AfterConstruction();
    TFormintro& intro = application.CreateForm<TFormintro>();
    intro.AfterConstruction();
    application.CreateForm<TFormRandom>().AfterConstruction();
    intro.Show();
    return intro;
}

} // namespace app
