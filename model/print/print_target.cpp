#include "model/print/print_target.h"

namespace model {

namespace {
TPrintTarget* installed = nullptr;
}

TPrintTarget* PrintTarget() {
    return installed;
}

void SetPrintTarget(TPrintTarget* target) {
    installed = target;
}

} // namespace model
