#include "toolkit/base/cx_control.h"
#include "toolkit/base/cx_control_cursors.h"
#include "toolkit/base/cx_drag_objects.h"
#include "toolkit/base/cx_popup_window.h"
#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/forms/drag_drop.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/screen.h"
#include "platform/gdi/drawing.h"
#include "platform/win/cursors.h"
#include "testsupport/win/input_driver.h"

#include <functional>
#include <vector>

namespace toolkit::base::test {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// A control that drags itself on a press and may give a picture of itself.
class TDragSource : public TcxControl {
public:
    using TcxControl::TcxControl;

    bool WithImages = false;
    pg::TSize ImageSize{20, 10};
    bool MayBegin = true;
    int DrawCount = 0;

protected:
    void MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) override {
        TcxControl::MouseDown(Button, Shift, X, Y);
        BeginDrag(false);
    }
    bool CanBeginDrag(pf::drag::TDragObject*) override { return MayBegin; }
    bool HasDragImages() override { return WithImages; }
    pg::TSize GetDragImagesSize() override { return ImageSize; }
    void DrawDragImage(TcxCanvas& ACanvas, const TRect& R) override {
        ++DrawCount;
        ACanvas.FillRect(R, pg::clRed);
    }
};

// A library control that accepts every drag and notes what the drag image did while it painted.
class TDropTarget : public TcxControl {
public:
    using TcxControl::TcxControl;

    std::function<void()> OnPainting;

protected:
    bool DragOver(pc::TObject* Source, int X, int Y, pf::TDragState State) override {
        TcxControl::DragOver(Source, X, Y, State);
        return true;
    }
    void Paint() override {
        TcxControl::Paint();
        if (OnPainting) OnPainting();
    }
};

class CxDragObjectsTest : public ControlsUnitTest {
protected:
    CxDragObjectsTest() {
        source.SetParent(&Form());
        source.SetBounds(10, 10, 100, 50);
        source.HandleNeeded();
        source.OnEndDrag = [this](pc::TObject*, pc::TObject* Target, int, int) {
            ++ends;
            endTarget = Target;
        };
        refusing.SetParent(&Form());
        refusing.SetBounds(150, 10, 100, 50);
        accepting.SetParent(&Form());
        accepting.SetBounds(150, 100, 100, 50);
        accepting.OnDragOver = [](pc::TObject*, pc::TObject*, int, int, pf::TDragState,
                                  bool& Accept) { Accept = true; };
        target.SetParent(&Form());
        target.SetBounds(10, 100, 100, 50);
        target.HandleNeeded();
        target.OnDragDrop = [this](pc::TObject*, pc::TObject*, int, int) { ++drops; };
    }
    ~CxDragObjectsTest() override { pf::Screen().SetCursor(pf::crDefault); }

    TPoint At(const pf::TControl& Control, TPoint Client) { return Control.ClientToScreen(Client); }
    // Presses on the source and moves past the drag threshold to Where.
    void DragTo(TPoint Where) {
        const TPoint Start = At(source, {20, 20});
        Input.MoveTo(Start);
        Input.Press(Start);
        Input.MoveTo(Where);
    }

    testsupport::InputDriver Input;
    TDragSource& source = Form().Own<TDragSource>();
    pf::TPanel& refusing = Form().Own<pf::TPanel>();
    pf::TPanel& accepting = Form().Own<pf::TPanel>();
    TDropTarget& target = Form().Own<TDropTarget>();
    int ends = 0;
    int drops = 0;
    pc::TObject* endTarget = nullptr;
};

struct CursorCase {
    const char* Name;
    bool CtrlDown;
    bool OverAccepting;
    pf::TCursor Expected;
};

class CxDragCursorTest : public CxDragObjectsTest,
                         public ::testing::WithParamInterface<CursorCase> {};

TEST_P(CxDragCursorTest, CtrlDownShowsTheCopyCursorOverAnAcceptingTarget) {
    const CursorCase& Case = GetParam();
    if (Case.CtrlDown) Input.HoldKey(pw::VK_CONTROL);
    DragTo(At(Case.OverAccepting ? static_cast<pf::TControl&>(accepting) : refusing, {5, 5}));
    ASSERT_NE(dynamic_cast<TcxDragControlObject*>(pf::drag::CurrentDragObject()), nullptr);
    EXPECT_EQ(pw::GetCursor(), pw::ScreenCursor(Case.Expected));
    Input.Release(At(accepting, {5, 5}));
    if (Case.CtrlDown) Input.ReleaseKey(pw::VK_CONTROL);
    EXPECT_EQ(pf::drag::CurrentDragObject(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cursors, CxDragCursorTest,
    ::testing::Values(CursorCase{"CtrlOverAccepting", true, true, crcxDragCopy},
                      CursorCase{"PlainOverAccepting", false, true, pf::crDrag},
                      CursorCase{"CtrlOverRefusing", true, false, pf::crNoDrop},
                      CursorCase{"PlainOverRefusing", false, false, pf::crNoDrop}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(CxDragObjectsTest, ADragThatMayNotBeginIsCancelledAtItsStart) {
    source.MayBegin = false;
    source.WithImages = true;
    DragTo(At(accepting, {5, 5}));
    EXPECT_FALSE(source.Dragging());
    EXPECT_EQ(pf::drag::CurrentDragObject(), nullptr);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(endTarget, nullptr);
    EXPECT_EQ(source.DragImages(), nullptr);
    Input.Release(At(accepting, {5, 5}));
    EXPECT_EQ(ends, 1);
}

TEST_F(CxDragObjectsTest, WithoutDragImagesNoListIsEverMade) {
    DragTo(At(accepting, {5, 5}));
    ASSERT_TRUE(source.Dragging());
    EXPECT_EQ(source.DragImages(), nullptr);
    EXPECT_EQ(source.GetDragImages(), nullptr);
    EXPECT_EQ(source.DragImages(), nullptr);
    Input.Release(At(accepting, {5, 5}));
    EXPECT_EQ(source.DrawCount, 0);
}

TEST_F(CxDragObjectsTest, AnEmptyImageSizeGivesNoImages) {
    source.WithImages = true;
    source.ImageSize = {0, 10};
    DragTo(At(accepting, {5, 5}));
    ASSERT_NE(source.DragImages(), nullptr);
    EXPECT_EQ(source.DragImages()->Count(), 0);
    EXPECT_EQ(source.GetDragImages(), nullptr);
    EXPECT_EQ(source.DrawCount, 0);
    Input.Release(At(accepting, {5, 5}));
    EXPECT_EQ(source.DragImages(), nullptr);
}

TEST_F(CxDragObjectsTest, TheImageFollowsThePointerLetsTheDropThroughAndGoesWithTheDrag) {
    source.WithImages = true;
    const TPoint Where = At(target, {30, 20});
    DragTo(Where);
    TcxDragImageList* Images = source.DragImages();
    ASSERT_NE(Images, nullptr);
    EXPECT_EQ(source.DrawCount, 1);
    ASSERT_EQ(Images->Count(), 1);
    EXPECT_EQ(Images->Width(), 20);
    EXPECT_EQ(Images->Height(), 10);
    TcxCustomDragImage* Window = Images->DragImage();
    ASSERT_NE(Window, nullptr);
    EXPECT_TRUE(Window->Visible());
    EXPECT_EQ(Window->BoundsRect(), (TRect{Where.X, Where.Y, Where.X + 20, Where.Y + 10}));
    const TPoint Next = At(target, {40, 25});
    Input.MoveTo(Next);
    EXPECT_EQ(Window->BoundsRect(), (TRect{Next.X, Next.Y, Next.X + 20, Next.Y + 10}));
    TcxImageInfo Info;
    Images->GetImageInfo(0, Info);
    ASSERT_TRUE(Info.Image);
    TcxBitmap Picture(20, 10);
    Picture.cxCanvas().FillRect({0, 0, 20, 10}, pg::clRed);
    EXPECT_EQ(Info.Image->GetPixels()[55] & 0xFFFFFF, Picture.GetPixels()[55] & 0xFFFFFF);
    // The image lies under the pointer, yet the drop reaches the control beneath it.
    Input.Release(Next);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(endTarget, &target);
    EXPECT_EQ(source.DragImages(), nullptr) << "freed as the drag ends";
}

TEST_F(CxDragObjectsTest, ALibraryControlHidesTheDragImageWhileItPaints) {
    source.WithImages = true;
    std::vector<bool> visibleWhilePainting;
    target.OnPainting = [&] {
        if (TcxDragImageList* Images = source.DragImages())
            visibleWhilePainting.push_back(Images->DragImage()->Visible());
    };
    DragTo(At(target, {30, 20}));
    EXPECT_EQ(cxDragObject(), pf::drag::CurrentDragObject());
    ASSERT_NE(cxDragObject(), nullptr);
    visibleWhilePainting.clear();
    target.Invalidate();
    target.Update();
    EXPECT_EQ(visibleWhilePainting, std::vector<bool>{false});
    EXPECT_TRUE(source.DragImages()->DragImage()->Visible()) << "shown again after";

    Input.MoveTo(At(accepting, {5, 5}));
    EXPECT_EQ(cxDragObject(), nullptr) << "the drag left the library control";
    Input.MoveTo(At(target, {30, 20}));
    Input.Release(At(target, {30, 20}));
    EXPECT_EQ(cxDragObject(), nullptr) << "forgotten when the drag ends";
}

} // namespace
} // namespace toolkit::base::test
