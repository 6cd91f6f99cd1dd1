#include "model/program/quintaron.h"

#include <cassert>

namespace model {

namespace {
TQuintaron* installed = nullptr;
}

TQuintaron::TQuintaron() {
    assert(installed == nullptr && "a second application state");
    installed = this;
}

TQuintaron::~TQuintaron() {
    if (installed == this) installed = nullptr;
}

TQuintaron* AppState() {
    return installed;
}

} // namespace model
