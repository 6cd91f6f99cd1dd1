#include "model/transfer/input_guard.h"

#include "model/transfer/transfer.h"

#include <utility>

namespace model {

TInputHandlerGuard::~TInputHandlerGuard() {
    End();
}

void TInputHandlerGuard::Install(std::function<void()> handler) {
    RemoveInputHandler();
    DrainInput();
    InstallInputHandler(std::move(handler));
    installed_ = true;
}

void TInputHandlerGuard::End() {
    if (!installed_) return;
    installed_ = false;
    InstallDefaultInputHandler();
}

} // namespace model
