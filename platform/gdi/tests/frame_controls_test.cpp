#include "platform/gdi/frame_controls.h"

#include "platform/gdi/tests/gdi_test_support.h"

namespace platform::gdi {
namespace {

using testing::Canvas32;

class FrameControls : public ::testing::Test {
protected:
    FrameControls() { SetSystemProfile(SystemProfile::Classic); }
    ~FrameControls() override { SetSystemProfile(SystemProfile::XP); }
};

TEST_F(FrameControls, RaisedEdgeColoursAndCorners) {
    Canvas32 c(6, 6);
    TRect r{0, 0, 6, 6};
    DrawEdge(c.DC(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, (TRect{2, 2, 4, 4}));
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(c.At(5, 0), GetSysColor(COLOR_3DDKSHADOW)); // corners go to right and bottom
    EXPECT_EQ(c.At(0, 5), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c.At(4, 1), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(2, 2), 0xFFFFFFu); // no BF_MIDDLE
}

TEST_F(FrameControls, SunkenEdgeOnChosenSidesWithMiddle) {
    Canvas32 c(4, 4);
    TRect r{0, 0, 4, 4};
    DrawEdge(c.DC(), &r, EDGE_SUNKEN, BF_TOPLEFT | BF_MIDDLE);
    EXPECT_EQ(c.At(3, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(0, 3), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(c.At(3, 3), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(r, (TRect{0, 0, 4, 4})); // no BF_ADJUST
}

TEST_F(FrameControls, FlatAndMonoEdges) {
    Canvas32 c(4, 4);
    TRect r{0, 0, 4, 4};
    DrawEdge(c.DC(), &r, EDGE_RAISED, BF_RECT | BF_FLAT);
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(3, 3), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_BTNFACE));
    DrawEdge(c.DC(), &r, BDR_RAISEDOUTER, BF_RECT | BF_MONO);
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_WINDOWFRAME));
}

TEST_F(FrameControls, CheckBoxShowsItsMarkOnlyWhenChecked) {
    Canvas32 c(13, 13);
    TRect r{0, 0, 13, 13};
    DrawFrameControl(c.DC(), &r, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.At(6, 6), GetSysColor(COLOR_WINDOW));
    DrawFrameControl(c.DC(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_EQ(c.At(6, 8), GetSysColor(COLOR_WINDOWTEXT));
    DrawFrameControl(c.DC(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
    EXPECT_EQ(c.At(6, 6), GetSysColor(COLOR_BTNFACE));
}

TEST_F(FrameControls, PushButtonAdjustsToItsFace) {
    Canvas32 c(10, 10);
    TRect r{0, 0, 10, 10};
    DrawFrameControl(c.DC(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
    EXPECT_EQ(c.At(5, 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(FrameControls, ScrollArrowPointsUpAndMovesWhenPushed) {
    Canvas32 c(16, 16);
    TRect r{0, 0, 16, 16};
    DrawFrameControl(c.DC(), &r, DFC_SCROLL, DFCS_SCROLLUP);
    // The arrow widens downwards: one pixel on its first row, more on its last.
    int firstRow = -1, lastRow = -1;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (c.At(x, y) == GetSysColor(COLOR_BTNTEXT) && x > 2 && x < 13 && y > 2 && y < 13) {
                if (firstRow < 0) firstRow = y;
                lastRow = y;
            }
    ASSERT_GE(firstRow, 0);
    int top = 0, bottom = 0;
    for (int x = 0; x < 16; ++x) {
        top += c.At(x, firstRow) == GetSysColor(COLOR_BTNTEXT);
        bottom += c.At(x, lastRow) == GetSysColor(COLOR_BTNTEXT);
    }
    EXPECT_EQ(top, 1);
    EXPECT_GT(bottom, top);
}

TEST_F(FrameControls, DiagonalEdgesAreRefused) {
    Canvas32 c(4, 4);
    TRect r{0, 0, 4, 4};
    EXPECT_FALSE(DrawEdge(c.DC(), &r, EDGE_RAISED, BF_DIAGONAL | BF_TOPLEFT));
}

TEST_F(FrameControls, CheckBoxesBitmapHoldsTheFrameControlsInTwelveCells) {
    HBITMAP bitmap = LoadSystemBitmap(OBM_CHECKBOXES);
    BITMAP info;
    ASSERT_EQ(GetObject(bitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth / 4, 13);
    EXPECT_EQ(info.bmHeight / 3, 13);
    // The checked radio button (row 1, column 1) against one drawn on its own.
    Canvas32 c(13, 13);
    TRect r{0, 0, 13, 13};
    DrawFrameControl(c.DC(), &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    const Surface& cells = *BitmapSurface(bitmap);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(PixelToColor(cells.Pixel(13 + x, 13 + y) & 0xFFFFFF), c.At(x, y))
                << x << "," << y;
    DeleteObject(bitmap);
    EXPECT_EQ(LoadSystemBitmap(1), HBITMAP{});
}

} // namespace
} // namespace platform::gdi
