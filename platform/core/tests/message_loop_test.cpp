#include "platform/core/message_loop.h"

#include <gtest/gtest.h>

namespace platform::core {
namespace {

TEST(MessageLoop, PostedMessagesReachTheirWindowInOrder) {
    ResetMessageLoop();
    std::vector<UINT> seen;
    MessageWindow window([&](TMessage& m) { seen.push_back(m.Msg); });
    PostMessage(window.Handle(), WM_USER + 1, 0, 0);
    PostMessage(window.Handle(), WM_USER + 2, 0, 0);
    ProcessMessages();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
}

} // namespace
} // namespace platform::core
