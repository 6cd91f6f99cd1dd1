#include "platform/core/loading_bracket.h"

#include "platform/core/component.h"

#include <algorithm>
#include <exception>

namespace platform::core {

namespace {

// Brackets live on the user-interface thread, as the components they load.
TLoadingBracket*& Innermost() {
    static TLoadingBracket* innermost = nullptr;
    return innermost;
}

} // namespace

TLoadingBracket::TLoadingBracket() : FPrevious(Innermost()) {
    Innermost() = this;
}

TLoadingBracket::~TLoadingBracket() noexcept(false) {
    if (FEnded) return;
    if (std::uncaught_exceptions() > 0) {
        try {
            End();
        } catch (...) {
        }
        return;
    }
    End();
}

void TLoadingBracket::End() {
    if (FEnded) return;
    FEnded = true;
    // Out of force first, so that what Loaded makes is not loading.
    if (Innermost() == this) {
        Innermost() = FPrevious;
    } else {
        for (TLoadingBracket* b = Innermost(); b; b = b->FPrevious)
            if (b->FPrevious == this) {
                b->FPrevious = FPrevious;
                break;
            }
    }
    // A Loaded may free components further on: each is taken off the list before its turn.
    while (!FComponents.empty()) {
        TComponent* component = FComponents.front();
        FComponents.erase(FComponents.begin());
        component->EndLoading();
    }
}

void TLoadingBracket::Enlist(TComponent* Component) {
    TLoadingBracket* bracket = Innermost();
    if (!bracket) return;
    bracket->FComponents.push_back(Component);
    Component->BeginLoading();
}

void TLoadingBracket::Forget(TComponent* Component) {
    for (TLoadingBracket* b = Innermost(); b; b = b->FPrevious)
        std::erase(b->FComponents, Component);
}

} // namespace platform::core
