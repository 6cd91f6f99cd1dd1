#pragma once
// A window class that records what its windows receive, and a fixture with the manual clock,
// one monitor and a clean input state.

#include "platform/core/clock.h"
#include "platform/core/date_time.h"
#include "platform/core/message_loop.h"
#include "platform/win/input_state.h"
#include "platform/win/monitors.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace platform::win::test {

using testsupport::InputDriver;
using testsupport::PumpUntilIdle;
using testsupport::SaveWindowPng;

struct Received {
    HWND wnd{};
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

public:
    LRESULT Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // A window of the recording class; handler, when set, answers before DefWindowProc.
    HWND Create(DWORD style, TRect bounds, HWND parent = NullHWnd, DWORD exStyle = 0);
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> handler;

    // What wnd received of the given messages (all messages when the list is empty), in order.
    std::vector<Received> Got(HWND wnd, std::vector<UINT> messages = {}) const;
    void Forget() { received_.clear(); }
    std::filesystem::path TempFolder();

    core::ManualClock clock{1000};
    core::ClockOverride clockOverride{clock};
    // Time stamps move with the clock, never with the wall clock.
    core::NowOverride clockDate{clock, core::EncodeDate(2026, 3, 7) + core::EncodeTime(9, 0, 0, 0)};
    InputDriver input;

private:
    std::vector<Received> received_;
    std::vector<HWND> created_;
    std::optional<testsupport::TempFolder> temp_;
};

} // namespace platform::win::test
