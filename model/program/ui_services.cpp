#include "model/program/ui_services.h"

namespace model {

namespace {
TUiServices* installed = nullptr;
}

TUiServices* UiServices() {
    return installed;
}

void SetUiServices(TUiServices* services) {
    installed = services;
}

} // namespace model
