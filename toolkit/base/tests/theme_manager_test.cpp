#include "toolkit/base/theme_manager.h"
#include "toolkit/base/ux_theme.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/visual_styles.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace toolkit::base {
namespace {

namespace pg = platform::gdi;

// Switches the stand-in's visual style, which tells every window of the change.
void SwitchVisualStyle(pg::VisualStyleScheme Scheme) {
    pg::SetVisualStyleScheme(Scheme);
    ASSERT_NE(dxThemeChangedEventReceiver(), nullptr);
}

class ThemeManager : public testing::Test {
protected:
    void SetUp() override { SwitchVisualStyle(pg::VisualStyleScheme::Blue); }
    void TearDown() override {
        SwitchVisualStyle(pg::VisualStyleScheme::Blue);
        platform::core::SetExceptionHandler(nullptr);
    }
};

TEST_F(ThemeManager, TheStandInLibraryIsBoundWithoutBufferedPainting) {
    EXPECT_TRUE(IsWinXPOrLater());
    EXPECT_TRUE(IsThemeLibraryLoaded());
    const TdxUxThemeEntryPoints& Cells = dxUxThemeEntryPoints();
    EXPECT_NE(Cells.CloseThemeData, nullptr);
    EXPECT_NE(Cells.OpenThemeData, nullptr);
    EXPECT_NE(Cells.SetWindowTheme, nullptr);
    EXPECT_EQ(Cells.BufferedPaintInit, nullptr);
    EXPECT_EQ(Cells.BeginBufferedPaint, nullptr);
    EXPECT_EQ(Cells.BufferedPaintSetAlpha, nullptr);
}

TEST_F(ThemeManager, AnUnboundEntryPointGivesAFailureWithoutBeingCalled) {
    HDC PaintDC = platform::gdi::NullDC;
    const TRect R{0, 0, 4, 4};
    EXPECT_EQ(BeginBufferedPaint(platform::gdi::NullDC, &R, BPBF_DIB, nullptr, &PaintDC),
              NullPaintBuffer);
    EXPECT_EQ(EndBufferedPaint(NullPaintBuffer, 1), pg::E_FAIL);
    EXPECT_EQ(BufferedPaintSetAlpha(NullPaintBuffer, &R, 255), pg::E_FAIL);

    TdxUxThemeEntryPoints& Cells = dxUxThemeEntryPoints();
    const TdxUxThemeEntryPoints Saved = Cells;
    Cells.GetThemeColor = nullptr;
    Cells.IsThemeActive = nullptr;
    Cells.DrawThemeBackground = nullptr;
    COLORREF Color = 0x123456;
    EXPECT_EQ(GetThemeColor(NullTheme, 1, 1, 3803, &Color), pg::E_FAIL);
    EXPECT_EQ(Color, 0x123456u);
    EXPECT_EQ(IsThemeActive(), 0);
    EXPECT_EQ(DrawThemeBackground(NullTheme, platform::gdi::NullDC, 1, 1, R), pg::E_FAIL);
    Cells = Saved;
}

TEST_F(ThemeManager, NoClassOpensOnTheStandIn) {
    EXPECT_TRUE(dxThemeActive());
    EXPECT_TRUE(AreVisualStylesAvailable());
    EXPECT_FALSE(AreVisualStylesAvailable(dxThemeClassKinds({tcButton})));
    EXPECT_EQ(OpenTheme(tcScrollBar), NullTheme);
    EXPECT_FALSE(IsThemePartAvailable(tcScrollBar));
    EXPECT_EQ(CloseTheme(tcScrollBar), 0);
}

TEST_F(ThemeManager, ASwitchedOffStyleMakesNothingAvailable) {
    SwitchVisualStyle(pg::VisualStyleScheme::None);
    EXPECT_FALSE(dxThemeActive());
    EXPECT_FALSE(AreVisualStylesAvailable());
    EXPECT_EQ(OpenTheme(tcButton), NullTheme);
    SwitchVisualStyle(pg::VisualStyleScheme::Silver);
    EXPECT_TRUE(AreVisualStylesAvailable());
}

// A library whose classes open, but for the names in Failing.
class OpeningLibrary : public ThemeManager {
protected:
    void SetUp() override {
        ThemeManager::SetUp();
        Saved = dxUxThemeEntryPoints();
        Self = this;
        dxUxThemeEntryPoints().OpenThemeData = [](platform::core::HWND,
                                                  const wchar_t* Name) -> HTHEME {
            Self->Opened.push_back(Name);
            for (const std::wstring& Failing : Self->Failing)
                if (Failing == Name) return NullTheme;
            return HTHEME{Self->Opened.size()};
        };
        dxUxThemeEntryPoints().CloseThemeData = [](HTHEME Theme) -> HRESULT {
            Self->Closed.push_back(static_cast<int>(Theme));
            return pg::S_OK;
        };
        // The table remembers names across tests: start each from the default ones.
        for (int Kind = 0; Kind < dxThemeClassKindCount; ++Kind) {
            const auto K = static_cast<TdxThemeClassKind>(Kind);
            OpenTheme(K, dxThemeClassName(K));
        }
        CloseAllThemes();
        Opened.clear();
        Closed.clear();
    }
    void TearDown() override {
        CloseAllThemes();
        dxUxThemeEntryPoints() = Saved;
        ThemeManager::TearDown();
    }

    static inline OpeningLibrary* Self = nullptr;
    TdxUxThemeEntryPoints Saved;
    std::vector<std::wstring> Opened;
    std::vector<std::wstring> Failing;
    std::vector<int> Closed;
};

TEST_F(OpeningLibrary, KeepsOneHandlePerClassAndReopensForAnotherName) {
    const HTHEME Button = OpenTheme(tcButton);
    EXPECT_NE(Button, NullTheme);
    EXPECT_EQ(OpenTheme(tcButton), Button);
    EXPECT_EQ(Opened, std::vector<std::wstring>{L"Button"});

    const HTHEME Explorer = OpenTheme(tcButton, L"Explorer::Button");
    EXPECT_NE(Explorer, Button);
    EXPECT_EQ(Closed, std::vector<int>{static_cast<int>(Button)});
    EXPECT_EQ(OpenTheme(tcButton, L"EXPLORER::BUTTON"), Explorer);
    EXPECT_EQ(OpenTheme(tcButton), Explorer);
    EXPECT_EQ(Opened.size(), 2u);
    EXPECT_TRUE(IsThemePartAvailable(tcButton));
    EXPECT_EQ(CloseTheme(tcButton), pg::S_OK);
    EXPECT_EQ(CloseTheme(tcButton), 0);
}

// The names are the library's class names, the contract with it: each kind opens its own.
TEST_F(OpeningLibrary, EachKindOpensTheLibrarysClassOfItsName) {
    for (int Kind = 0; Kind < dxThemeClassKindCount; ++Kind)
        EXPECT_NE(OpenTheme(static_cast<TdxThemeClassKind>(Kind)), NullTheme);
    const std::vector<std::wstring> Expected = {
        L"Button",   L"Clock",    L"ComboBox",   L"Edit",     L"ExplorerBar",
        L"Header",   L"ListBox",  L"ListView",   L"Menu",     L"Page",
        L"Progress", L"Rebar",    L"ScrollBar",  L"Spin",     L"StartPanel",
        L"Status",   L"Tab",      L"TaskBand",   L"TaskBar",  L"ToolBar",
        L"ToolTip",  L"TrackBar", L"TrayNotify", L"TreeView", L"Window"};
    EXPECT_EQ(Opened, Expected);
    EXPECT_EQ(dxThemeClassName(tcTrayNotify), L"TrayNotify");
}

// A set of kinds tries them in ordinal order, Window (the last) after Button (the first).
TEST_F(OpeningLibrary, ASetOfKindsOpensThemInOrdinalOrder) {
    EXPECT_EQ(dxThemeClassKinds({tcButton, tcWindow}), (1u << 0) | (1u << 24));
    EXPECT_TRUE(AreVisualStylesAvailable(dxThemeClassKinds({tcWindow, tcButton})));
    EXPECT_EQ(Opened, (std::vector<std::wstring>{L"Button", L"Window"}));
}

TEST_F(OpeningLibrary, AThemeChangeClosesEveryHandleAndTheNextOpenUsesTheLastName) {
    OpenTheme(tcButton, L"Explorer::Button");
    OpenTheme(tcWindow);
    SwitchVisualStyle(pg::VisualStyleScheme::Olive);
    EXPECT_EQ(Closed.size(), 2u);
    Opened.clear();
    EXPECT_NE(OpenTheme(tcButton), NullTheme);
    EXPECT_EQ(Opened, std::vector<std::wstring>{L"Explorer::Button"});
}

TEST_F(OpeningLibrary, AvailabilityStopsAtTheFirstClassThatDoesNotOpen) {
    Failing = {L"Clock"};
    EXPECT_FALSE(AreVisualStylesAvailable(dxThemeClassKinds({tcButton, tcClock, tcEdit})));
    EXPECT_EQ(Opened, (std::vector<std::wstring>{L"Button", L"Clock"}));
    EXPECT_TRUE(AreVisualStylesAvailable());
    EXPECT_TRUE(AreVisualStylesAvailable(dxThemeClassKinds({tcButton, tcEdit})));
    // A class that failed is tried again each time.
    Opened.clear();
    EXPECT_EQ(OpenTheme(tcClock), NullTheme);
    EXPECT_EQ(Opened, std::vector<std::wstring>{L"Clock"});
}

TEST_F(ThemeManager, NotificatorsHearAChangeInOrderUntilOneFails) {
    std::vector<std::string> Heard;
    TdxThemeChangedNotificator First, Silent, Failing, Last;
    First.OnThemeChanged = [&] { Heard.push_back("first"); };
    Failing.OnThemeChanged = [&] {
        Heard.push_back("failing");
        throw std::runtime_error("listener failed");
    };
    Last.OnThemeChanged = [&] { Heard.push_back("last"); };
    int Handled = 0;
    platform::core::SetExceptionHandler([&](std::exception_ptr) { ++Handled; });
    SwitchVisualStyle(pg::VisualStyleScheme::Silver);
    EXPECT_EQ(Heard, (std::vector<std::string>{"first", "failing"}));
    EXPECT_EQ(Handled, 1);

    Failing.OnThemeChanged = nullptr;
    Heard.clear();
    {
        TdxThemeChangedNotificator Gone;
        Gone.OnThemeChanged = [&] { Heard.push_back("gone"); };
    }
    SwitchVisualStyle(pg::VisualStyleScheme::Blue);
    EXPECT_EQ(Heard, (std::vector<std::string>{"first", "last"}));
}

TEST_F(ThemeManager, OtherMessagesAreLeftAlone) {
    bool Heard = false;
    TdxThemeChangedNotificator Listener;
    Listener.OnThemeChanged = [&] { Heard = true; };
    EXPECT_EQ(platform::core::SendMessage(dxThemeChangedEventReceiver()->Handle(),
                                          platform::core::WM_USER, 0, 0),
              0);
    EXPECT_FALSE(Heard);
}

} // namespace
} // namespace toolkit::base
