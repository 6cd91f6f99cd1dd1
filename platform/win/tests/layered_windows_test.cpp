#include "platform/win/layered_windows.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/objects.h"
#include "platform/win/host_widget.h"
#include "platform/win/painting.h"
#include "platform/win/tests/win_test_support.h"

#include <QWidget>

namespace platform::win::test {
namespace {

class LayeredWindowTest : public WindowTest {
protected:
    LayeredWindowTest() { SetLayeredAlphaComposited(true); }
    ~LayeredWindowTest() override {
        if (dc_ != gdi::NullDC) gdi::DeleteDC(dc_);
        if (bitmap_ != gdi::HBITMAP{}) gdi::DeleteObject(bitmap_);
        SetLayeredAlphaComposited(std::nullopt);
    }
    // A 4 x 2 top-down 32-bit picture: alpha 60 in the first column, 15 in the others, colour 0.
    gdi::HDC Picture() {
        gdi::BITMAPINFO info;
        info.bmiHeader.biWidth = 4;
        info.bmiHeader.biHeight = -2;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = gdi::CreateDIBSection(gdi::NullDC, &info, gdi::DIB_RGB_COLORS, &bits);
        auto* pixels = static_cast<std::uint32_t*>(bits);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                pixels[y * 4 + x] = (x == 0 ? 60u : 15u) << 24;
        dc_ = gdi::CreateCompatibleDC(gdi::NullDC);
        gdi::SelectObject(dc_, bitmap_);
        return dc_;
    }
    gdi::HBITMAP bitmap_{};
    gdi::HDC dc_{};
};

TEST_F(LayeredWindowTest, ThePictureWithItsAlphaReplacesWhatTheWindowPaints) {
    HWND wnd = Create(WS_POPUP, gdi::Bounds(10, 20, 4, 2), NullHWnd, WS_EX_LAYERED);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const TPoint source{0, 0};
    ASSERT_TRUE(UpdateLayeredWindow(wnd, gdi::NullDC, nullptr, nullptr, Picture(), &source, 0,
                                    &blend, ULW_ALPHA));
    auto picture = LayeredPicture(wnd);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Pixel(0, 0), 60u << 24);
    EXPECT_EQ(picture->Pixel(3, 1), 15u << 24);
    EXPECT_TRUE(HostWidgetOf(wnd)->testAttribute(Qt::WA_TranslucentBackground));
}

TEST_F(LayeredWindowTest, ConstantAlphaScalesThePictureAndAPointAndSizeMoveTheWindow) {
    HWND wnd = Create(WS_POPUP, gdi::Bounds(10, 20, 50, 50), NullHWnd, WS_EX_LAYERED);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, AC_SRC_ALPHA};
    const TPoint to{100, 200};
    const gdi::TSize size{4, 2};
    ASSERT_TRUE(UpdateLayeredWindow(wnd, gdi::NullDC, &to, &size, Picture(), nullptr, 0, &blend,
                                    ULW_ALPHA));
    TRect r;
    GetWindowRect(wnd, &r);
    EXPECT_EQ(r, gdi::Bounds(100, 200, 4, 2));
    EXPECT_EQ(LayeredPicture(wnd)->Pixel(0, 0), (60u * 128 / 255) << 24);
}

TEST_F(LayeredWindowTest, RefusedWithoutTheLayeredStyleOrWherePerPixelAlphaIsNotComposited) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    HWND plain = Create(WS_POPUP, gdi::Bounds(0, 0, 4, 2));
    EXPECT_FALSE(UpdateLayeredWindow(plain, gdi::NullDC, nullptr, nullptr, Picture(), nullptr, 0,
                                     &blend, ULW_ALPHA));
    HWND layered = Create(WS_POPUP, gdi::Bounds(0, 0, 4, 2), NullHWnd, WS_EX_LAYERED);
    SetLayeredAlphaComposited(false);
    EXPECT_FALSE(IsLayeredAlphaComposited());
    EXPECT_FALSE(UpdateLayeredWindow(layered, gdi::NullDC, nullptr, nullptr, dc_, nullptr, 0,
                                     &blend, ULW_ALPHA));
    EXPECT_EQ(LayeredPicture(layered), nullptr);
}

TEST_F(LayeredWindowTest, ABlendShowsTheWindowOverItsTimeWithoutActivatingIt) {
    HWND active = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    SetActiveWindow(active);
    HWND wnd = Create(WS_POPUP, gdi::Bounds(10, 10, 40, 30));
    const core::Millis start = clock.Now();
    EXPECT_TRUE(AnimateWindow(wnd, 150, AW_BLEND));
    EXPECT_GE(clock.Now() - start, 150u);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(GetActiveWindow(), active);
    EXPECT_DOUBLE_EQ(HostWidgetOf(wnd)->windowOpacity(), 1.0);
    // Already shown: nothing to do.
    EXPECT_FALSE(AnimateWindow(wnd, 150, AW_BLEND));
    EXPECT_TRUE(AnimateWindow(wnd, 150, AW_BLEND | AW_HIDE));
    EXPECT_FALSE(IsWindowVisible(wnd));
}

} // namespace
} // namespace platform::win::test
