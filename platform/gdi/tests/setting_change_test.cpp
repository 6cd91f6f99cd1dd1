#include "platform/gdi/setting_change.h"

#include "platform/gdi/colors.h"
#include "platform/gdi/visual_styles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform::gdi {
namespace {

// Without the window system every handle hears the change; these record what they hear.
class SettingChange : public ::testing::Test {
protected:
    SettingChange() {
        SetVisualStyleScheme(VisualStyleScheme::Blue);
        for (auto* log : {&first_, &second_})
            windows_.push_back(core::AllocateHWnd([log](core::TMessage& m) {
                if (m.Msg == WM_SYSCOLORCHANGE || m.Msg == WM_THEMECHANGED) log->push_back(m.Msg);
            }));
    }
    ~SettingChange() override {
        for (core::HWND wnd : windows_)
            core::DeallocateHWnd(wnd);
        SetVisualStyleScheme(VisualStyleScheme::Blue);
    }

    std::vector<core::UINT> first_, second_;
    std::vector<core::HWND> windows_;
};

TEST_F(SettingChange, ANewSchemeTellsEveryWindowOfItsColoursAndItsStyle) {
    SetVisualStyleScheme(VisualStyleScheme::None);
    const std::vector<core::UINT> both{WM_SYSCOLORCHANGE, WM_THEMECHANGED};
    EXPECT_EQ(first_, both);
    EXPECT_EQ(second_, both);
    // Blue to olive keeps the colours: only the style changed.
    SetVisualStyleScheme(VisualStyleScheme::Blue);
    first_.clear();
    SetVisualStyleScheme(VisualStyleScheme::Olive);
    EXPECT_EQ(first_, (std::vector<core::UINT>{WM_THEMECHANGED}));
    // The same scheme again is no change.
    first_.clear();
    SetVisualStyleScheme(VisualStyleScheme::Olive);
    EXPECT_TRUE(first_.empty());
}

TEST_F(SettingChange, SettingSystemColoursTellsEveryWindow) {
    const int index = COLOR_BTNFACE;
    const COLORREF red = RGB(255, 0, 0);
    SetSysColors(1, &index, &red);
    EXPECT_EQ(first_, (std::vector<core::UINT>{WM_SYSCOLORCHANGE}));
    EXPECT_EQ(second_, (std::vector<core::UINT>{WM_SYSCOLORCHANGE}));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), red);
}

TEST_F(SettingChange, AWindowFreedByAListenerHearsNothingMore) {
    core::HWND later = core::NullHWnd;
    int heardByLater = 0;
    core::HWND earlier = core::AllocateHWnd([&later](core::TMessage& m) {
        if (m.Msg == WM_THEMECHANGED && later != core::NullHWnd) {
            core::DeallocateHWnd(later);
            later = core::NullHWnd;
        }
    });
    later = core::AllocateHWnd([&heardByLater](core::TMessage&) { ++heardByLater; });
    SetVisualStyleScheme(VisualStyleScheme::Silver);
    EXPECT_EQ(later, core::NullHWnd);
    EXPECT_EQ(heardByLater, 0);
    core::DeallocateHWnd(earlier);
}

// The first reading of the setting happens once a process, so it is watched in a fresh one: a
// listener that asks for the scheme when it hears of a change (as a theme manager being built
// does) must hear nothing, and colours set before the reading stay as they were set.
TEST(SettingChangeFirstReading, ReadingTheSchemeTheFirstTimeIsNoChange) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetSystemProfile(SystemProfile::Classic);
            const COLORREF face = GetSysColor(COLOR_BTNFACE);
            int heard = 0;
            core::HWND wnd = core::AllocateHWnd([&heard](core::TMessage& m) {
                if (m.Msg != WM_SYSCOLORCHANGE && m.Msg != WM_THEMECHANGED) return;
                ++heard;
                GetVisualStyleScheme();
            });
            GetVisualStyleScheme();
            core::DeallocateHWnd(wnd);
            std::fprintf(stderr, "heard %d, colours %s\n", heard,
                         GetSystemProfile() == SystemProfile::Classic &&
                                 GetSysColor(COLOR_BTNFACE) == face
                             ? "kept"
                             : "replaced");
            // Straight out: the process's statics are not ours to tear down here.
            std::fflush(stderr);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "heard 0, colours kept");
}

} // namespace
} // namespace platform::gdi
