#include "platform/forms/ext_ctrls.h"
#include "platform/forms/screen.h"
#include "platform/forms/tests/forms_test_support.h"
#include "platform/win/cursors.h"

#include <string>
#include <vector>

namespace platform::forms::test {
namespace {

using namespace win;

class DragDropTest : public FormsTest {
protected:
    DragDropTest() {
        form.SetBounds(100, 100, 400, 300);
        for (TPanel** p : {&source, &refusing, &accepting}) {
            *p = &form.Own<TPanel>();
            (*p)->SetParent(&form);
        }
        source->SetBounds(10, 10, 100, 50);
        refusing->SetBounds(150, 10, 100, 50);
        accepting->SetBounds(150, 100, 100, 50);
        source->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
            source->BeginDrag(false);
        };
        refusing->OnDragOver = [this](TObject*, TObject* src, int x, int y, TDragState state,
                                      bool& accept) {
            over.push_back({"refusing", src, {x, y}, state});
            accept = false;
        };
        accepting->OnDragOver = [this](TObject*, TObject* src, int x, int y, TDragState state,
                                       bool& accept) {
            over.push_back({"accepting", src, {x, y}, state});
            accept = true;
        };
        accepting->OnDragDrop = [this](TObject*, TObject*, int x, int y) { dropped = {x, y}; };
        source->OnEndDrag = [this](TObject*, TObject* target, int x, int y) {
            ++ends;
            endTarget = target;
            endPoint = {x, y};
        };
        form.Show();
    }

    struct Over {
        std::string who;
        TObject* source;
        TPoint point;
        TDragState state;
        friend bool operator==(const Over&, const Over&) = default;
    };

    TForm& form = MakeForm();
    TPanel* source = nullptr;
    TPanel* refusing = nullptr;
    TPanel* accepting = nullptr;
    std::vector<Over> over;
    TPoint dropped{-1, -1};
    int ends = 0;
    TObject* endTarget = nullptr;
    TPoint endPoint{-1, -1};
};

TEST_F(DragDropTest, DragOverRefusingAndAcceptingControlsThenDrop) {
    const TPoint start = At(*source, {20, 20});
    driver.MoveTo(start);
    driver.Press(start);
    driver.MoveTo({start.X + 3, start.Y});
    EXPECT_TRUE(over.empty()) << "still within the threshold";
    driver.MoveTo({start.X + 6, start.Y});
    EXPECT_TRUE(source->Dragging());
    driver.MoveTo(At(*refusing, {5, 6}));
    EXPECT_EQ(GetCursor(), ScreenCursor(crNoDrop));
    driver.MoveTo(At(*accepting, {7, 8}));
    EXPECT_EQ(GetCursor(), ScreenCursor(crDrag));
    driver.MoveTo(At(*accepting, {9, 10}));
    driver.Release(At(*accepting, {9, 10}));
    const std::vector<Over> expected = {
        {"refusing", source, {5, 6}, dsDragEnter},
        {"refusing", source, {7, 98}, dsDragLeave},
        {"accepting", source, {7, 8}, dsDragEnter},
        {"accepting", source, {9, 10}, dsDragMove},
    };
    EXPECT_TRUE(over == expected);
    EXPECT_EQ(dropped, (TPoint{9, 10}));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(endTarget, accepting);
    EXPECT_EQ(endPoint, (TPoint{9, 10}));
    EXPECT_FALSE(source->Dragging());
}

TEST_F(DragDropTest, EscapeCancelsTheDrag) {
    const TPoint start = At(*source, {20, 20});
    driver.MoveTo(start);
    driver.Press(start);
    driver.MoveTo({start.X + 10, start.Y});
    driver.MoveTo(At(*accepting, {7, 8}));
    driver.Key(Qt::Key_Escape, "\x1b");
    EXPECT_FALSE(source->Dragging());
    ASSERT_FALSE(over.empty());
    EXPECT_EQ(over.back().state, dsDragLeave);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(endTarget, nullptr);
    driver.Release(At(*accepting, {7, 8}));
    EXPECT_EQ(dropped, (TPoint{-1, -1}));
    EXPECT_EQ(ends, 1);
}

TEST_F(DragDropTest, PlainClickEndsTheDragWithoutTarget) {
    const TPoint start = At(*source, {20, 20});
    driver.MoveTo(start);
    driver.Click(start);
    EXPECT_TRUE(over.empty());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(endTarget, nullptr);
    EXPECT_EQ(endPoint, (TPoint{20, 20}));
}

TEST_F(DragDropTest, AutomaticDragStartsOnThePress) {
    source->OnMouseDown = nullptr;
    source->SetDragMode(dmAutomatic);
    const TPoint start = At(*source, {20, 20});
    driver.MoveTo(start);
    driver.Press(start);
    EXPECT_TRUE(source->Dragging());
    driver.MoveTo(At(*accepting, {3, 4}));
    driver.Release(At(*accepting, {3, 4}));
    EXPECT_EQ(endTarget, accepting);
    EXPECT_EQ(dropped, (TPoint{3, 4}));
}

} // namespace
} // namespace platform::forms::test
