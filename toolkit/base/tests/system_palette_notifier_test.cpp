#include "toolkit/base/look_and_feel.h"
#include "toolkit/base/office11.h"
#include "toolkit/base/system_palette_notifier.h"
#include "toolkit/base/theme_manager.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/messages.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;

void SendSysColorChange() {
    const platform::core::HWND Wnd = cxSystemPaletteChangedListenerHandle();
    ASSERT_NE(Wnd, platform::core::NullHWnd);
    platform::core::SendMessage(Wnd, platform::win::WM_SYSCOLORCHANGE, 0, 0);
}

std::vector<TColor> Palette() {
    std::vector<TColor> Result;
    for (int Entry = 1; Entry <= dxOffice11PaletteSize; ++Entry)
        Result.push_back(dxOffice11Palette(Entry));
    return Result;
}

class SystemPalette : public testing::Test {
protected:
    void SetUp() override { UseScheme(pg::VisualStyleScheme::None); }
    void TearDown() override {
        pg::SetSystemProfile(pg::GetSystemProfile());
        UseScheme(pg::VisualStyleScheme::Blue);
    }
    static void UseScheme(pg::VisualStyleScheme Scheme) {
        pg::SetVisualStyleScheme(Scheme);
        platform::core::SendMessage(dxThemeChangedEventReceiver()->Handle(), pg::WM_THEMECHANGED, 0,
                                    0);
        dxOffice11RefreshColors();
    }
};

TEST_F(SystemPalette, PrimaryNotifiersHearFirstEachGroupFromTheLast) {
    std::vector<std::string> Log;
    std::vector<std::unique_ptr<TcxSystemPaletteChangedNotifier>> Notifiers;
    for (const char* Name : {"other 1", "primary 1", "other 2", "primary 2"}) {
        auto& N = Notifiers.emplace_back(
            std::make_unique<TcxSystemPaletteChangedNotifier>(Name[0] == 'p'));
        N->OnSystemPaletteChanged = [&Log, Name] { Log.push_back(Name); };
    }
    SendSysColorChange();
    EXPECT_EQ(Log, (std::vector<std::string>{"primary 2", "primary 1", "other 2", "other 1"}));
}

TEST_F(SystemPalette, TheOffice11ColoursAreNewBeforeAnyNotifierHears) {
    std::vector<TColor> Heard;
    TcxSystemPaletteChangedNotifier Notifier(true);
    Notifier.OnSystemPaletteChanged = [&] { Heard = Palette(); };
    const std::vector<TColor> Before = Palette();
    const int Index = pg::COLOR_BTNFACE;
    const COLORREF Green = pg::RGB(0, 128, 0);
    pg::SetSysColors(1, &Index, &Green);
    SendSysColorChange();
    EXPECT_NE(Heard, Before);
    EXPECT_EQ(Heard, Palette());
}

TEST_F(SystemPalette, ANotifierFreedDuringTheWalkIsNotCalled) {
    std::vector<std::string> Log;
    auto First = std::make_unique<TcxSystemPaletteChangedNotifier>(false);
    First->OnSystemPaletteChanged = [&] { Log.push_back("first"); };
    TcxSystemPaletteChangedNotifier Second(false);
    Second.OnSystemPaletteChanged = [&] {
        Log.push_back("second");
        First.reset();
    };
    SendSysColorChange();
    EXPECT_EQ(Log, (std::vector<std::string>{"second"}));
}

TEST_F(SystemPalette, ALookAndFeelHearsAChangeOfTheNativeStyle) {
    TcxLookAndFeel Control(nullptr);
    std::vector<TcxLookAndFeelValues> Changes;
    Control.OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues Values) {
        Changes.push_back(Values);
    };
    SendSysColorChange();
    // Its own notifier, then the root's passed down.
    EXPECT_EQ(Changes, (std::vector<TcxLookAndFeelValues>{lfvNativeStyle, lfvNativeStyle}));
}

} // namespace
} // namespace toolkit::base
