#include "platform/win/messages.h"

#include <gtest/gtest.h>

namespace platform::win::test {
namespace {

struct PressCase {
    UINT message;
    bool press;
};

class MouseButtonPressTest : public ::testing::TestWithParam<PressCase> {};

TEST_P(MouseButtonPressTest, OnlyAButtonGoingDownCountsAsAPress) {
    EXPECT_EQ(IsMouseButtonPress(GetParam().message), GetParam().press)
        << "message 0x" << std::hex << GetParam().message;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MouseButtonPressTest,
    ::testing::Values(PressCase{WM_LBUTTONDOWN, true}, PressCase{WM_LBUTTONDBLCLK, true},
                      PressCase{WM_RBUTTONDOWN, true}, PressCase{WM_RBUTTONDBLCLK, true},
                      PressCase{WM_MBUTTONDOWN, true}, PressCase{WM_MBUTTONDBLCLK, true},
                      PressCase{WM_NCLBUTTONDOWN, true}, PressCase{WM_NCLBUTTONDBLCLK, true},
                      PressCase{WM_NCRBUTTONDOWN, true}, PressCase{WM_NCRBUTTONDBLCLK, true},
                      PressCase{WM_NCMBUTTONDOWN, true}, PressCase{WM_NCMBUTTONDBLCLK, true},
                      PressCase{WM_LBUTTONUP, false}, PressCase{WM_RBUTTONUP, false},
                      PressCase{WM_MBUTTONUP, false}, PressCase{WM_NCLBUTTONUP, false},
                      PressCase{WM_NCRBUTTONUP, false}, PressCase{WM_NCMBUTTONUP, false},
                      PressCase{WM_MOUSEMOVE, false}, PressCase{WM_NCMOUSEMOVE, false},
                      PressCase{WM_MOUSEWHEEL, false}, PressCase{WM_KEYDOWN, false}));

} // namespace
} // namespace platform::win::test
