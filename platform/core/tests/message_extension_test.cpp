#include "platform/core/message_loop.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform::core {
namespace {

// The points where real windows extend the queue: each test puts back what it installs.
class MessageExtensionTest : public ::testing::Test {
protected:
    MessageExtensionTest() { ResetMessageLoop(); }
    ~MessageExtensionTest() override {
        SetMessageFilter(nullptr);
        SetMessageSource(nullptr);
        SetSendMessageHook(nullptr);
        ResetMessageLoop();
    }

    ManualClock clock;
    ClockOverride useClock{clock};
    std::vector<UINT> seen;
    MessageWindow window{[this](TMessage& m) { seen.push_back(m.Msg); }};
};

TEST_F(MessageExtensionTest, TheFilterChangesOrDropsWhatIsTakenButNotWhatIsOnlyPeeked) {
    int filtered = 0;
    SetMessageFilter([&](MSG& m) {
        ++filtered;
        if (m.message == WM_USER + 1) return false;
        if (m.message == WM_USER + 2) m.message = WM_USER + 20;
        return true;
    });
    PostMessage(window.Handle(), WM_USER + 1, 0, 0);
    PostMessage(window.Handle(), WM_USER + 2, 0, 0);
    MSG peeked;
    ASSERT_TRUE(PeekMessage(peeked, NullHWnd, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(peeked.message, WM_USER + 1u);
    EXPECT_EQ(filtered, 0);
    ProcessMessages();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 20}));
    EXPECT_EQ(filtered, 2);
}

TEST_F(MessageExtensionTest, AMessagePostedAheadComesBeforeEverythingQueued) {
    PostMessage(window.Handle(), WM_USER + 1, 0, 0);
    PostMessageAhead(window.Handle(), WM_USER + 2, 0, 0);
    ProcessMessages();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 2, WM_USER + 1}));
}

TEST_F(MessageExtensionTest, TheSourceMakesUpMessagesAfterPostedOnesAndBeforeTimers) {
    int owed = 1;
    SetMessageSource([&](MSG& m, HWND, UINT, UINT, UINT remove) {
        if (owed == 0) return false;
        m = MSG{window.Handle(), WM_USER + 5, 0, 0, 0};
        if (remove & PM_REMOVE) --owed;
        return true;
    });
    SetTimer(window.Handle(), 1, 10);
    clock.Advance(10);
    PostMessage(window.Handle(), WM_USER, 0, 0);
    ProcessMessages();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER, WM_USER + 5, WM_TIMER}));
}

TEST_F(MessageExtensionTest, TheSendHookSeesSentMessagesOnlyAndMayReplaceTheProcedureFirst) {
    std::vector<UINT> hooked;
    SetSendMessageHook([&](HWND wnd, UINT msg, WPARAM, LPARAM) {
        hooked.push_back(msg);
        if (msg == WM_USER + 1) SetWindowProc(wnd, [](HWND, UINT, WPARAM, LPARAM) { return 7; });
    });
    SendMessage(window.Handle(), WM_USER, 0, 0);
    EXPECT_EQ(SendMessage(window.Handle(), WM_USER + 1, 0, 0), 7);
    PostMessage(window.Handle(), WM_USER + 2, 0, 0);
    ProcessMessages();
    EXPECT_EQ(hooked, (std::vector<UINT>{WM_USER, WM_USER + 1}));
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER}));
}

} // namespace
} // namespace platform::core
