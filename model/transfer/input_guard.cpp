#include "model/transfer/input_guard.h"

#include "model/transfer/transfer.h"

#include <utility>

namespace model {

TInputGuard::TInputGuard(std::function<void()> handler) {
    RemoveInputHandler();
    DrainInput();
    InstallInputHandler(std::move(handler));
}

TInputGuard::~TInputGuard() {
    Restore();
}

void TInputGuard::Restore() {
    if (!installed_) return;
    installed_ = false;
    InstallDefaultInputHandler();
}

} // namespace model
