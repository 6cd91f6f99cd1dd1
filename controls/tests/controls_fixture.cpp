#include "controls/tests/controls_fixture.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/drawing.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "platform/win/painting.h"
#include "testsupport/qt_test_environment.h"

#include <QApplication>

#include <filesystem>

namespace controls::test {

namespace {

[[maybe_unused]] auto* const environment =
    testsupport::AddQtTestEnvironment<QApplication>("controls_tests");

} // namespace

ControlsFixture::ControlsFixture() : root_(std::make_unique<forms::TComponent>(nullptr)) {
    platform::core::ResetMessageLoop();
    platform::win::ResetInputState();
    platform::win::SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 768}}});
    form_ = &root_->Own<forms::TForm>();
    form_->AfterConstruction();
    form_->SetBounds(100, 100, 600, 400);
    form_->Show();
    testsupport::PumpUntilIdle();
}

ControlsFixture::~ControlsFixture() {
    root_.reset();
    testsupport::PumpUntilIdle();
    platform::core::ResetMessageLoop();
    platform::win::ResetInputState();
    platform::win::SetMonitors({});
}

forms::TColor ControlsFixture::Pixel(forms::TWinControl& control, forms::TPoint client) {
    const auto dc = platform::win::GetDC(control.Handle());
    const forms::TColor color = platform::gdi::GetPixel(dc, client.X, client.Y);
    platform::win::ReleaseDC(control.Handle(), dc);
    return color;
}

std::string ControlsFixture::SavePng(forms::TWinControl& control, const std::string& name) {
    if (!temp_) temp_.emplace("controls_test_");
    const std::string path = (std::filesystem::path(temp_->Path()) / (name + ".png")).string();
    EXPECT_TRUE(testsupport::SaveWindowPng(control.Handle(), path)) << path;
    return path;
}

} // namespace controls::test
