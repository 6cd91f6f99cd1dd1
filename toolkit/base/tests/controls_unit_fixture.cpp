#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "testsupport/qt_test_environment.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace toolkit::base::test {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

namespace {

[[maybe_unused]] auto* const environment =
    testsupport::AddQtTestEnvironment<QApplication>("toolkit_base_tests");

} // namespace

int TCountingControl::Count(pc::UINT Msg) const {
    return static_cast<int>(std::count_if(FSeen.begin(), FSeen.end(),
                                          [&](const pc::TMessage& M) { return M.Msg == Msg; }));
}

std::vector<pc::LPARAM> TCountingControl::LParams(pc::UINT Msg) const {
    std::vector<pc::LPARAM> Result;
    for (const pc::TMessage& M : FSeen)
        if (M.Msg == Msg) Result.push_back(M.LParam);
    return Result;
}

void TCountingControl::WndProc(pc::TMessage& Message) {
    FSeen.push_back(Message);
    pf::TCustomControl::WndProc(Message);
}

ControlsUnitTest::ControlsUnitTest() : FOwner(std::make_unique<pc::TComponent>(nullptr)) {
    pc::ResetMessageLoop();
    pw::ResetInputState();
    pw::SetMonitors(
        {{{0, 0, 1024, 768}, {0, 0, 1024, 740}}, {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}}});
}

ControlsUnitTest::~ControlsUnitTest() {
    FOwner.reset();
    pc::ProcessMessages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    pc::ResetMessageLoop();
    pw::ResetInputState();
}

pf::TForm& ControlsUnitTest::Form() {
    if (!FForm) {
        FForm = &FOwner->Own<pf::TForm>();
        FForm->AfterConstruction();
        FForm->SetBounds(100, 100, 400, 300);
        FForm->Show();
    }
    return *FForm;
}

TCountingControl& ControlsUnitTest::MakeControl(const platform::gdi::TRect& Bounds) {
    pf::TForm& Parent = Form();
    TCountingControl& Control = FOwner->Own<TCountingControl>();
    Control.SetParent(&Parent);
    Control.SetBoundsRect(Bounds);
    Control.HandleNeeded();
    return Control;
}

} // namespace toolkit::base::test
