#include "platform/win/tests/win_test_support.h"

#include "platform/gdi/colors.h"
#include "testsupport/qt_test_environment.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>
#include <memory>

namespace platform::win::test {

namespace {

[[maybe_unused]] auto* const environment =
    testsupport::AddQtTestEnvironment<QApplication>("platform_win_tests");

const char* const ClassName = "RecordingWindow";
WindowTest* current = nullptr;

LRESULT RecordingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (current) return current->Dispatch(wnd, msg, wParam, lParam);
    return DefWindowProc(wnd, msg, wParam, lParam);
}

} // namespace

WindowTest::WindowTest() {
    core::ResetMessageLoop();
    ResetInputState();
    SetMonitors(
        {{{0, 0, 1024, 768}, {0, 0, 1024, 740}}, {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}}});
    WNDCLASS cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = RecordingProc;
    cls.hbrBackground = gdi::GetSysColorBrush(gdi::COLOR_WINDOW);
    cls.lpszClassName = ClassName;
    RegisterClass(cls);
    current = this;
}

WindowTest::~WindowTest() {
    handler = nullptr; // it refers to the test body's locals, which are gone
    for (auto it = created_.rbegin(); it != created_.rend(); ++it)
        DestroyWindow(*it);
    current = nullptr;
    PumpUntilIdle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    core::ResetMessageLoop();
    ResetInputState();
    temp_.reset();
}

LRESULT WindowTest::Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    received_.push_back({wnd, msg, wParam, lParam});
    LRESULT result = 0;
    if (handler && handler(wnd, msg, wParam, lParam, result)) return result;
    return DefWindowProc(wnd, msg, wParam, lParam);
}

HWND WindowTest::Create(DWORD style, TRect bounds, HWND parent, DWORD exStyle) {
    HWND wnd = CreateWindowEx(exStyle, ClassName, "", style, bounds.Left, bounds.Top,
                              bounds.Width(), bounds.Height(), parent);
    created_.push_back(wnd);
    return wnd;
}

std::vector<Received> WindowTest::Got(HWND wnd, std::vector<UINT> messages) const {
    std::vector<Received> result;
    for (const auto& r : received_) {
        if (r.wnd != wnd) continue;
        if (messages.empty() ||
            std::find(messages.begin(), messages.end(), r.msg) != messages.end())
            result.push_back(r);
    }
    return result;
}

std::filesystem::path WindowTest::TempFolder() {
    if (!temp_) temp_.emplace("platform_win_test_");
    return temp_->Path();
}

} // namespace platform::win::test
