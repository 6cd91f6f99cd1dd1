#include "platform/forms/tests/forms_test_support.h"

#include "platform/core/message_loop.h"
#include "platform/forms/screen.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "testsupport/qt_test_environment.h"

#include <QApplication>
#include <QEvent>

namespace platform::forms::test {

namespace {

[[maybe_unused]] auto* const environment =
    testsupport::AddQtTestEnvironment<QApplication>("platform_forms_tests");

} // namespace

FormsTest::FormsTest() : owner_(std::make_unique<TComponent>(nullptr)) {
    core::ResetMessageLoop();
    win::ResetInputState();
    win::SetMonitors(
        {{{0, 0, 1024, 768}, {0, 0, 1024, 740}}, {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}}});
    Application().ResetTerminated();
    temp_.reset();
}

FormsTest::~FormsTest() {
    Application().OnMessage = nullptr;
    Application().OnException = nullptr;
    Application().HelpFile.clear();
    Screen().OnActiveFormChange = nullptr;
    Screen().SetCursor(crDefault);
    owner_.reset();
    Application().SetMainForm(nullptr);
    testsupport::PumpUntilIdle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    core::ResetMessageLoop();
    win::ResetInputState();
    Application().ResetTerminated();
}

TPoint FormsTest::At(const TControl& control) {
    return At(control, {control.Width() / 2, control.Height() / 2});
}

TPoint FormsTest::At(const TControl& control, TPoint client) {
    return control.ClientToScreen(client);
}

void FormsTest::After(core::Millis ms, std::function<void()> action) {
    clock.Schedule(clock.Now() + ms, std::move(action));
}

void FormsTest::Pump() {
    testsupport::PumpUntilIdle();
}

std::filesystem::path FormsTest::TempFolder() {
    if (!temp_) temp_.emplace("platform_forms_test_");
    return temp_->Path();
}

} // namespace platform::forms::test
