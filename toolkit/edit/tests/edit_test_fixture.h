#pragma once
// The set-up and tear-down the editors' window tests share. The fixtures call them from their own
// constructor and destructor, so that a manual clock or a controls unit declared before the owner
// is in force while the form lives.

#include "platform/core/message_loop.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"

#include <QCoreApplication>
#include <QEvent>

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit::test {

// A clean queue and input state, one monitor of 1024 x 768 whose work area ends 28 pixels above
// the bottom, and a form at (100, 100), 400 x 300, that Owner owns; it is not shown yet.
inline platform::forms::TForm& MakeTestForm(platform::core::TComponent& Owner) {
    platform::core::ResetMessageLoop();
    platform::win::ResetInputState();
    platform::win::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 740}}});
    auto& Form = Owner.Own<platform::forms::TForm>();
    Form.SetBounds(100, 100, 400, 300);
    return Form;
}

// Frees Owner and what it owns, runs the deletions its windows left behind, and clears the queue
// and input state for the next test.
inline void FreeTestForm(std::unique_ptr<platform::core::TComponent>& Owner) {
    Owner.reset();
    platform::core::ProcessMessages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::core::ResetMessageLoop();
    platform::win::ResetInputState();
}

// The messages of the errors that reach the application from now on, as a user would see them
// reported; the caller clears Application().OnException when done.
inline void CollectReportedErrors(std::vector<std::string>& Reported) {
    platform::forms::Application().OnException = [&Reported](platform::core::TObject*,
                                                             const std::exception_ptr& E) {
        try {
            std::rethrow_exception(E);
        } catch (const std::exception& Error) {
            Reported.push_back(Error.what());
        }
    };
}

} // namespace toolkit::edit::test
