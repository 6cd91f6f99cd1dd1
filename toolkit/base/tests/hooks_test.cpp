#include "toolkit/base/cx_hooks.h"
#include "toolkit/base/theme_manager.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/messages.h"

#include <gtest/gtest.h>

#include <vector>

namespace toolkit::base {
namespace {

namespace pw = platform::win;

TEST(Hooks, ReleasingANullHookDoesNothing) {
    HHOOK Hook = pw::NullHook;
    cxReleaseHook(Hook);
    EXPECT_EQ(Hook, pw::NullHook);
}

TEST(Hooks, AThreadHookSeesTheThemeChangeOnItsWayToTheReceiver) {
    std::vector<platform::core::UINT> Seen;
    HHOOK Hook = pw::NullHook;
    cxSetHook(Hook, pw::WH_CALLWNDPROC, [&](int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
        const auto* Message = reinterpret_cast<const pw::CWPSTRUCT*>(LParam);
        if (Message->hwnd == dxThemeChangedEventReceiver()->Handle())
            Seen.push_back(Message->message);
        return pw::CallNextHookEx(Hook, Code, WParam, LParam);
    });
    ASSERT_NE(Hook, pw::NullHook);
    bool Heard = false;
    TdxThemeChangedNotificator Listener;
    Listener.OnThemeChanged = [&] { Heard = true; };

    // The platform tells every window of the new colours and the new style.
    platform::gdi::SetVisualStyleScheme(platform::gdi::VisualStyleScheme::None);
    EXPECT_EQ(Seen,
              (std::vector<platform::core::UINT>{pw::WM_SYSCOLORCHANGE, pw::WM_THEMECHANGED}));
    EXPECT_TRUE(Heard);
    EXPECT_FALSE(dxThemeActive());

    cxReleaseHook(Hook);
    EXPECT_EQ(Hook, pw::NullHook);
    platform::gdi::SetVisualStyleScheme(platform::gdi::VisualStyleScheme::Blue);
    EXPECT_EQ(Seen.size(), 2u);
    EXPECT_TRUE(dxThemeActive());
}

TEST(Hooks, AGetMessageHookSeesPostedMessages) {
    platform::core::MessageWindow Window([](platform::core::TMessage&) {});
    int Seen = 0;
    HHOOK Hook = pw::NullHook;
    cxSetHook(Hook, pw::WH_GETMESSAGE, [&](int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
        const auto* Msg = reinterpret_cast<const platform::core::MSG*>(LParam);
        if (Msg->hwnd == Window.Handle() && Msg->message == platform::core::WM_USER + 7) ++Seen;
        return pw::CallNextHookEx(Hook, Code, WParam, LParam);
    });
    platform::core::PostMessage(Window.Handle(), platform::core::WM_USER + 7, 0, 0);
    platform::core::ProcessMessages();
    EXPECT_EQ(Seen, 1);
    cxReleaseHook(Hook);
    platform::core::PostMessage(Window.Handle(), platform::core::WM_USER + 7, 0, 0);
    platform::core::ProcessMessages();
    EXPECT_EQ(Seen, 1);
}

} // namespace
} // namespace toolkit::base
