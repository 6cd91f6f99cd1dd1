#include "toolkit/base/cx_popup_window.h"
#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/forms/ext_ctrls.h"
#include "platform/gdi/region_handles.h"
#include "platform/win/window.h"

#include <memory>

namespace toolkit::base::test {
namespace {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// The first monitor's work area is (0, 0, 1024, 740).
struct PlacementCase {
    const char* Name;
    TRect Owner;
    int Width, Height;
    TPoint Expected;
};

class CxPopupPlacementTest : public ControlsUnitTest,
                             public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(CxPopupPlacementTest, PlacesAgainstTheWorkArea) {
    const PlacementCase& Case = GetParam();
    TcxPopupWindow Popup(nullptr);
    Popup.OwnerBounds = Case.Owner;
    Popup.SetBounds(0, 0, Case.Width, Case.Height);
    EXPECT_EQ(Popup.CalculatePosition(), Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CxPopupPlacementTest,
    ::testing::Values(
        PlacementCase{"Below", {100, 100, 200, 120}, 150, 200, {100, 120}},
        // Near the bottom with more room above: it opens above.
        PlacementCase{"NearTheBottomFlipsAbove", {100, 650, 200, 670}, 150, 200, {100, 450}},
        // Less room above: it stays below and is not clamped along its direction.
        PlacementCase{"LessRoomAboveStaysBelow", {100, 60, 200, 80}, 150, 700, {100, 80}},
        PlacementCase{"WiderThanTheWorkAreaAtItsLeft", {500, 100, 600, 120}, 1100, 50, {0, 120}},
        PlacementCase{"PastTheRightEdgeMovesIn", {950, 100, 1000, 120}, 150, 50, {874, 120}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

class CxPopupWindowTest : public ControlsUnitTest {};

TEST_F(CxPopupWindowTest, ChildrenMoveIntoTheBorderOnceHoweverOftenItPopsUp) {
    TcxPopupWindow Popup(nullptr);
    Popup.FrameStyle = pfDouble3D;
    Popup.BorderSpace = 2;
    Popup.OwnerBounds = {100, 100, 200, 120};
    auto& Child = Popup.Own<pf::TPanel>();
    Child.SetParent(&Popup);
    Child.SetBounds(0, 0, 50, 20);
    for (int Round = 0; Round < 3; ++Round) {
        Popup.Popup();
        EXPECT_EQ(Child.BoundsRect(), (TRect{4, 4, 54, 24})) << "round " << Round;
        EXPECT_EQ(Popup.Width(), 58);
        EXPECT_EQ(Popup.Height(), 28);
        Popup.CloseUp();
    }
}

TEST_F(CxPopupWindowTest, TheDragImageLetsTheMouseThrough) {
    TcxCustomDragImage Image(nullptr);
    EXPECT_EQ(Image.Perform(pw::WM_NCHITTEST, 0, 0), pw::HTTRANSPARENT);
}

TEST_F(CxPopupWindowTest, TheSizeFrameRebuildsItsRegionFromItsSizeOnEverySetBounds) {
    TcxSizeFrame Frame(3);
    Frame.HandleNeeded();
    Frame.DrawSizeFrame({10, 10, 110, 60});
    const pg::HRGN Region = Frame.FrameRegion().Handle();
    EXPECT_TRUE(pg::PtInRegion(Region, 1, 1));
    EXPECT_TRUE(pg::PtInRegion(Region, 98, 48));
    EXPECT_FALSE(pg::PtInRegion(Region, 50, 25));

    Frame.SetBounds(10, 10, 200, 100);
    EXPECT_TRUE(pg::PtInRegion(Frame.FrameRegion().Handle(), 197, 97));
    EXPECT_TRUE(pg::PtInRegion(Frame.FrameRegion().Handle(), 100, 1));
    EXPECT_FALSE(pg::PtInRegion(Frame.FrameRegion().Handle(), 100, 50));
    EXPECT_FALSE(pg::PtInRegion(Frame.FrameRegion().Handle(), 3, 3));

    // Too small for a frame: the last shape stays.
    Frame.SetBounds(10, 10, 5, 5);
    EXPECT_TRUE(pg::PtInRegion(Frame.FrameRegion().Handle(), 197, 97));
}

} // namespace
} // namespace toolkit::base::test
