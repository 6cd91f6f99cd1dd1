#include "platform/win/system_clipboard.h"

#include <gtest/gtest.h>

namespace platform::win {
namespace {

// The clipboard is handed out to one opener at a time, and data goes in and out only while it
// is open; the text survives closing and crosses to the desktop's clipboard and back.
TEST(SystemClipboard, TextGoesInAndOutOnlyWhileOpen) {
    ASSERT_TRUE(OpenClipboard(NullHWnd));
    EXPECT_FALSE(OpenClipboard(NullHWnd)) << "open already";
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_FALSE(GetClipboardData(CF_TEXT).has_value());
    EXPECT_TRUE(SetClipboardData(CF_TEXT, "caf\xe9"));
    EXPECT_FALSE(SetClipboardData(CF_TEXT + 1, "other")) << "text is the only format";
    EXPECT_TRUE(CloseClipboard());

    EXPECT_FALSE(GetClipboardData(CF_TEXT).has_value()) << "closed";
    EXPECT_FALSE(SetClipboardData(CF_TEXT, "late"));
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    ASSERT_TRUE(OpenClipboard(NullHWnd));
    EXPECT_EQ(GetClipboardData(CF_TEXT), std::optional<std::string>("caf\xe9"));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(CloseClipboard()) << "closed already";
}

} // namespace
} // namespace platform::win
