#pragma once
// The application state: the settings and whether the monitor and the keyboard are open.

#include "model/program/config.h"
#include "platform/core/object.h"

namespace model {

class TQuintaron : public platform::core::TObject {
public:
    TConfig Config;
    bool KeyboardOpen = false;
    bool MonitorOpen = false;
};

// The one application state of the run, owned by the main window; null before it exists.
inline TQuintaron* AppState = nullptr;

} // namespace model
