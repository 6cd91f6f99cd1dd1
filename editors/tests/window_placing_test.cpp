// Placing an editor window, and the element a window edits.

#include "editors/elem_window.h"
#include "editors/place_child_form.h"
#include "testsupport/desktop/desktop_fixture.h"

#include "model/elements/library.h"

namespace editors::test {
namespace {

namespace forms = platform::forms;

class PlaceChildFormTest : public testsupport::DesktopTest {
protected:
    forms::TForm& main = MakeMainWindow();
    // A child where the platform put it.
    forms::TForm& Child(int left, int top, int width, int height) {
        auto& child = MakeForm<forms::TForm>(forms::fsMDIChild);
        child.SetBounds(left, top, width, height);
        return child;
    }
    int W() const { return main.ClientWidth(); }
    int H() const { return main.ClientHeight(); }
};

TEST_F(PlaceChildFormTest, NeverPlacedWindowInsideTheClientAreaStaysWhereItIs) {
    forms::TForm& child = Child(30, 40, 200, 100);
    std::uint16_t left = 0, top = NeverPlaced;
    PlaceChildForm(left, top, child);
    EXPECT_EQ(left, 30);
    EXPECT_EQ(top, 40);
    EXPECT_EQ(child.Left(), 30);
    EXPECT_EQ(child.Top(), 40);
}

TEST_F(PlaceChildFormTest, NeverPlacedWindowReachingBelowIsMovedUpAboveTheBars) {
    // The bottom would lie exactly at the client height less 45: that is already too low.
    forms::TForm& child = Child(30, H() - 45 - 100, 200, 100);
    std::uint16_t left = 0, top = NeverPlaced;
    PlaceChildForm(left, top, child);
    EXPECT_EQ(child.Top() + child.Height(), H() - 46);
    EXPECT_EQ(top, H() - 146);
    EXPECT_EQ(child.Left(), 30);
}

TEST_F(PlaceChildFormTest, NeverPlacedWindowReachingPastTheRightIsMovedLeft) {
    forms::TForm& child = Child(W() - 150, 20, 300, 100);
    std::uint16_t left = 0, top = NeverPlaced;
    PlaceChildForm(left, top, child);
    EXPECT_EQ(child.Left() + child.Width(), W() - 1);
    EXPECT_EQ(left, W() - 301);
    EXPECT_EQ(child.Top(), 20);
}

TEST_F(PlaceChildFormTest, SavedPositionIsTakenExactlyNegativeIncluded) {
    const struct {
        std::uint16_t left, top;
        int expectLeft, expectTop;
    } cases[] = {{120, 80, 120, 80}, {0xFFF6, 0xFFEC, -10, -20}, {5000, 0xFFFE, 5000, -2}};
    for (const auto& c : cases) {
        forms::TForm& child = Child(30, 40, 200, 100);
        std::uint16_t left = c.left, top = c.top;
        PlaceChildForm(left, top, child);
        EXPECT_EQ(child.Left(), c.expectLeft);
        EXPECT_EQ(child.Top(), c.expectTop);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(top, c.top);
    }
}

// A window kind that edits an element, as the element windows will.
class ElemForm : public forms::TForm, public TElemWindow {
public:
    ElemForm(forms::TComponent* owner, model::TLibElem& elem) : TForm(owner), elem_(elem) {}
    model::TLibElem* FormElem() override { return model::TopOwner(&elem_); }

private:
    model::TLibElem& elem_;
};

using ElemWindowTest = testsupport::DesktopTest;

TEST_F(ElemWindowTest, GetFormElemAsksTheWindowAndIsNullForOtherWindows) {
    model::TLibrary library;
    model::TLibElem& patch = library.Add(std::make_unique<model::TLibElem>(&library));
    EXPECT_EQ(GetFormElem(&MakeForm<ElemForm>(patch)), &library);
    EXPECT_EQ(GetFormElem(&MakeForm<forms::TForm>()), nullptr);
    EXPECT_EQ(GetFormElem(nullptr), nullptr);
}

} // namespace
} // namespace editors::test
