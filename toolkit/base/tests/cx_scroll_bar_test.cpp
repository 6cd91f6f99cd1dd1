#include "toolkit/base/cx_scroll_bar.h"
#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"
#include "testsupport/win/input_driver.h"

#include <string>
#include <vector>

namespace toolkit::base::test {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;

// --- Geometry, as a pure function ---

struct GeometryCase {
    std::string Name;
    TcxScrollBarGeometryParams Params;
    TRect Thumb;
};

class ScrollBarGeometry : public ::testing::TestWithParam<GeometryCase> {};

TcxScrollBarGeometryParams Horizontal121(int Min, int Max, int Page, int Pos) {
    TcxScrollBarGeometryParams P;
    P.Bounds = {0, 0, 121, 17};
    P.ButtonSize = 17;
    P.SystemThumbSize = 17;
    P.MinThumbSize = 8;
    P.Min = Min;
    P.Max = Max;
    P.PageSize = Page;
    P.Position = Pos;
    return P;
}

TEST_P(ScrollBarGeometry, PlacesTheThumb) {
    const TcxScrollBarRects R = cxCalculateScrollBarRects(GetParam().Params);
    EXPECT_EQ(R.Thumb, GetParam().Thumb);
    EXPECT_EQ(R.FirstButton, (TRect{0, 0, 17, 17}));
    EXPECT_EQ(R.SecondButton, (TRect{104, 0, 121, 17}));
    if (!pg::IsRectEmpty(R.Thumb)) {
        EXPECT_EQ(R.FirstPage, (TRect{17, 0, R.Thumb.Left, 17}));
        EXPECT_EQ(R.SecondPage, (TRect{R.Thumb.Right, 0, 104, 17}));
    } else {
        EXPECT_TRUE(pg::IsRectEmpty(R.FirstPage));
        EXPECT_TRUE(pg::IsRectEmpty(R.SecondPage));
    }
}

TcxScrollBarGeometryParams Disabled() {
    TcxScrollBarGeometryParams P = Horizontal121(0, 100, 0, 50);
    P.Enabled = false;
    return P;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScrollBarGeometry,
    ::testing::Values(
        // Track 87: the system's thumb of 17 at MulDiv(70, 50, 100).
        GeometryCase{"NoPageMiddle", Horizontal121(0, 100, 0, 50), {52, 0, 69, 17}},
        // Thumb MulDiv(10, 87, 100) = 9, at MulDiv(78, 45, 99 - 9).
        GeometryCase{"PageTen", Horizontal121(0, 99, 10, 45), {56, 0, 65, 17}},
        GeometryCase{"PageAtEnd", Horizontal121(0, 99, 10, 99), {95, 0, 104, 17}},
        GeometryCase{"NoPageAtMin", Horizontal121(0, 100, 0, 0), {17, 0, 34, 17}},
        GeometryCase{"SmallPageUsesMinimum", Horizontal121(0, 1000, 1, 0), {17, 0, 25, 17}},
        GeometryCase{"MinEqualsMaxNoPage", Horizontal121(5, 5, 0, 5), {}},
        GeometryCase{"MinEqualsMaxWithPage", Horizontal121(0, 0, 0, 0), {}},
        GeometryCase{"DisabledHasNoThumb", Disabled(), {}},
        // The page covers the range: nothing is left beside it, the thumb fills the track at
        // its start instead of a division by nothing.
        GeometryCase{"PageCoversRange", Horizontal121(5, 10, 10, 7), {17, 0, 104, 17}},
        GeometryCase{"PageBeyondRange", Horizontal121(10, 20, 20, 20), {17, 0, 104, 17}}),
    [](const auto& Info) { return Info.param.Name; });

TEST(ScrollBarGeometryVertical, ButtonsAtMostHalfTheLength) {
    TcxScrollBarGeometryParams P = Horizontal121(0, 100, 0, 0);
    P.Horizontal = false;
    P.Bounds = {0, 0, 17, 20};
    const TcxScrollBarRects R = cxCalculateScrollBarRects(P);
    EXPECT_EQ(R.FirstButton, (TRect{0, 0, 17, 10}));
    EXPECT_EQ(R.SecondButton, (TRect{0, 10, 17, 20}));
    EXPECT_TRUE(pg::IsRectEmpty(R.Thumb));
}

// --- The control ---

class ScrollBarTest : public ControlsUnitTest {
protected:
    TcxScrollBar& MakeBar(TScrollBarKind Kind = sbHorizontal) {
        TcxScrollBar& Bar = FOwner->Own<TcxScrollBar>();
        Bar.SetParent(&Form());
        Bar.SetKind(Kind);
        if (Kind == sbHorizontal)
            Bar.SetBounds(10, 10, 200, 16);
        else
            Bar.SetBounds(10, 10, 16, 200);
        Bar.HandleNeeded();
        Bar.OnScroll = [this](pc::TObject*, TScrollCode Code, int& Pos) {
            Codes.push_back(Code);
            Positions.push_back(Pos);
        };
        return Bar;
    }
    TPoint Screen(const TcxScrollBar& Bar, TPoint Client) const {
        return Bar.ClientToScreen(Client);
    }

    testsupport::InputDriver Input;
    std::vector<TScrollCode> Codes;
    std::vector<int> Positions;

private:
    std::unique_ptr<pc::TComponent> FOwner = std::make_unique<pc::TComponent>(nullptr);

public:
    ~ScrollBarTest() override { FOwner.reset(); }
};

TEST_F(ScrollBarTest, StartsAsTheSystemsHorizontalBar) {
    TcxScrollBar Bar(nullptr);
    EXPECT_EQ(Bar.Width(), 121);
    EXPECT_EQ(Bar.Height(), pg::GetSystemMetrics(pg::SM_CYHSCROLL));
    EXPECT_EQ(Bar.Kind(), sbHorizontal);
    EXPECT_EQ(Bar.Min(), 0);
    EXPECT_EQ(Bar.Max(), 100);
    EXPECT_EQ(Bar.Position(), 0);
}

TEST_F(ScrollBarTest, ParamsOutOfRangeRaiseAndKeepTheValues) {
    TcxScrollBar& Bar = MakeBar();
    Bar.SetScrollParams(0, 50, 10, 5);
    EXPECT_THROW(Bar.SetScrollParams(10, 5, 0, 0), pf::EInvalidOperation);
    EXPECT_THROW(Bar.SetScrollParams(0, 5, 0, 6), pf::EInvalidOperation);
    EXPECT_EQ(Bar.Min(), 0);
    EXPECT_EQ(Bar.Max(), 50);
    EXPECT_EQ(Bar.PageSize(), 5);
    EXPECT_EQ(Bar.Position(), 10);
}

TEST_F(ScrollBarTest, PositionIsClampedAndOnlyAMoveCallsChange) {
    TcxScrollBar& Bar = MakeBar();
    int Changes = 0;
    Bar.OnChange = [&](pc::TObject*) { ++Changes; };
    Bar.SetPosition(500);
    EXPECT_EQ(Bar.Position(), 100);
    EXPECT_EQ(Changes, 1);
    Bar.SetPosition(100);
    Bar.SetPageSize(10);
    EXPECT_EQ(Changes, 1);
    Bar.SetMax(50);
    EXPECT_EQ(Bar.Position(), 50);
    EXPECT_EQ(Changes, 2);
}

TEST_F(ScrollBarTest, HeldArrowRepeatsAfter400ThenEvery60WhileOverIt) {
    TcxScrollBar& Bar = MakeBar();
    const TPoint Arrow = Screen(Bar, {190, 8});
    Input.Press(Arrow);
    EXPECT_EQ(Bar.Position(), 1);
    EXPECT_EQ(Bar.PressedPart(), sbpLineDown);
    RunFor(399);
    EXPECT_EQ(Bar.Position(), 1);
    RunFor(1);
    EXPECT_EQ(Bar.Position(), 2);
    RunFor(59);
    EXPECT_EQ(Bar.Position(), 2);
    RunFor(1);
    EXPECT_EQ(Bar.Position(), 3);
    RunFor(60);
    EXPECT_EQ(Bar.Position(), 4);

    Input.MoveTo(Screen(Bar, {100, 8}));
    RunFor(300);
    EXPECT_EQ(Bar.Position(), 4);
    Input.MoveTo(Arrow);
    RunFor(60);
    EXPECT_EQ(Bar.Position(), 5);

    Input.Release(Arrow);
    RunFor(300);
    EXPECT_EQ(Bar.Position(), 5);
    EXPECT_EQ(Bar.PressedPart(), sbpNone);
    EXPECT_FALSE(Bar.TimerRunning());
    EXPECT_EQ(Codes.back(), scEndScroll);
}

TEST_F(ScrollBarTest, PagePressScrollsByLargeChangeAndStopsUnderTheCursor) {
    TcxScrollBar& Bar = MakeBar();
    Bar.LargeChange = 10;
    // Track 168 (16 to 184), thumb 16: the thumb is at 16 + MulDiv(152, Pos, 100).
    const TPoint Page = Screen(Bar, {60, 8});
    Input.Press(Page);
    EXPECT_EQ(Bar.Position(), 10);
    EXPECT_EQ(Codes, (std::vector<TScrollCode>{scPageDown}));
    RunFor(400 + 60 * 5);
    // The thumb reached the cursor: its page area is gone from under it, and the repeat with it.
    const int Reached = Bar.Position();
    EXPECT_LT(Reached, 60);
    RunFor(600);
    EXPECT_EQ(Bar.Position(), Reached);
    Input.Release(Page);
}

TEST_F(ScrollBarTest, ThumbDragTracksAndEndsWithPosition) {
    TcxScrollBar& Bar = MakeBar();
    const TRect Thumb = Bar.ViewInfo().Rects().Thumb;
    const TPoint From = Screen(Bar, {Thumb.Left + 8, 8});
    Input.Press(From);
    Input.MoveTo({From.X + 76, From.Y});
    EXPECT_EQ(Bar.Position(), 50);
    EXPECT_EQ(Bar.ViewInfo().Rects().Thumb.Left, Thumb.Left + 76);
    // Past the track's end but inside the tracking limit: the thumb stops at the end.
    Input.MoveTo({From.X + 160, From.Y + 20});
    EXPECT_EQ(Bar.Position(), 100);
    Input.Release({From.X + 160, From.Y + 20});
    EXPECT_EQ(Codes.front(), scTrack);
    EXPECT_EQ(Codes[Codes.size() - 2], scPosition);
    EXPECT_EQ(Codes.back(), scEndScroll);
    EXPECT_EQ(Bar.Position(), 100);
}

TEST_F(ScrollBarTest, ThumbSnapsBackBeyondTheTrackingLimit) {
    TcxScrollBar& Bar = MakeBar(sbVertical);
    Bar.SetPosition(20);
    const TRect Thumb = Bar.ViewInfo().Rects().Thumb;
    const TPoint From = Screen(Bar, {8, Thumb.Top + 4});
    Input.Press(From);
    Input.MoveTo({From.X + 100, From.Y + 76});
    EXPECT_EQ(Bar.Position(), 70);
    // 136 to the side of the bar is still inside; 137 is beyond.
    Input.MoveTo({From.X - 8 + 16 + 136 - 1, From.Y + 76});
    EXPECT_EQ(Bar.Position(), 70);
    Input.MoveTo({From.X - 8 + 16 + 136, From.Y + 76});
    EXPECT_EQ(Bar.Position(), 20);
    EXPECT_EQ(Bar.ViewInfo().Rects().Thumb, Thumb);
    Input.MoveTo({From.X, From.Y + 76});
    EXPECT_EQ(Bar.Position(), 70);

    Bar.UnlimitedTracking = true;
    Input.MoveTo({From.X + 400, From.Y + 38});
    EXPECT_EQ(Bar.Position(), 45);
    Input.Release({From.X + 400, From.Y + 38});
    EXPECT_EQ(Bar.Position(), 45);
}

TEST_F(ScrollBarTest, DragOfAThumbThatFillsItsTrackChangesNothing) {
    TcxScrollBar& Bar = MakeBar();
    // The page is larger than the range: nothing is left beside it.
    Bar.SetScrollParams(5, 10, 7, 10);
    const TRect Thumb = Bar.ViewInfo().Rects().Thumb;
    EXPECT_EQ(Thumb, (TRect{16, 0, 184, 16}));
    Input.Press(Screen(Bar, {100, 8}));
    Input.MoveTo(Screen(Bar, {150, 8}));
    Input.MoveTo(Screen(Bar, {20, 8}));
    EXPECT_EQ(Bar.Position(), 7);
    Input.Release(Screen(Bar, {20, 8}));
    EXPECT_EQ(Bar.Position(), 7);
}

TEST_F(ScrollBarTest, ScrollHandlerPositionIsClamped) {
    TcxScrollBar& Bar = MakeBar();
    Bar.OnScroll = [](pc::TObject*, TScrollCode Code, int& Pos) {
        if (Code == scLineDown) Pos = 1000;
    };
    Input.Click(Screen(Bar, {190, 8}));
    EXPECT_EQ(Bar.Position(), 100);
}

TEST_F(ScrollBarTest, MinEqualsMaxHasNoThumbAndAPressOnTheTrackDoesNothing) {
    TcxScrollBar& Bar = MakeBar();
    Bar.SetScrollParams(3, 3, 3, 0);
    EXPECT_FALSE(Bar.ViewInfo().HasThumb());
    EXPECT_EQ(Bar.GetScrollBarPart({100, 8}), sbpNone);
    Input.Click(Screen(Bar, {100, 8}));
    EXPECT_EQ(Bar.Position(), 3);
}

TEST_F(ScrollBarTest, HitTestFindsEveryPart) {
    TcxScrollBar& Bar = MakeBar();
    Bar.SetPosition(50);
    const TRect Thumb = Bar.ViewInfo().Rects().Thumb;
    EXPECT_EQ(Bar.GetScrollBarPart({-1, 8}), sbpNone);
    EXPECT_EQ(Bar.GetScrollBarPart({0, 8}), sbpLineUp);
    EXPECT_EQ(Bar.GetScrollBarPart({199, 8}), sbpLineDown);
    EXPECT_EQ(Bar.GetScrollBarPart({Thumb.Left, 8}), sbpThumbnail);
    EXPECT_EQ(Bar.GetScrollBarPart({Thumb.Left - 1, 8}), sbpPageUp);
    EXPECT_EQ(Bar.GetScrollBarPart({Thumb.Right, 8}), sbpPageDown);
}

TEST_F(ScrollBarTest, DisablingEndsAPressAndHidesTheThumb) {
    TcxScrollBar& Bar = MakeBar();
    Input.Press(Screen(Bar, {190, 8}));
    EXPECT_TRUE(Bar.TimerRunning());
    Bar.SetEnabled(false);
    EXPECT_FALSE(Bar.TimerRunning());
    EXPECT_EQ(Bar.PressedPart(), sbpNone);
    EXPECT_FALSE(Bar.ViewInfo().HasThumb());
    Input.Release(Screen(Bar, {190, 8}));
}

} // namespace
} // namespace toolkit::base::test
