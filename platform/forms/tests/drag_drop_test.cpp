#include "platform/forms/drag_drop.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/screen.h"
#include "platform/forms/tests/forms_test_support.h"
#include "platform/win/cursors.h"

#include <memory>
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
    driver.TypeKey(win::VK_ESCAPE, "\x1b");
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

// What a drag did to its images, in order.
class TLoggingImages : public drag::TDragImageList {
public:
    std::vector<std::string> log;
    void BeginDrag(TPoint p) override { log.push_back(Step("begin", p)); }
    void DragMove(TPoint p) override { log.push_back(Step("move", p)); }
    void EndDrag() override { log.push_back("end"); }
    void HideDragImage() override { log.push_back("hide"); }
    void ShowDragImage() override { log.push_back("show"); }

private:
    static std::string Step(const char* what, TPoint p) {
        return std::string(what) + " " + std::to_string(p.X) + "," + std::to_string(p.Y);
    }
};

class TImagePanel : public TPanel {
public:
    using TPanel::TPanel;
    TLoggingImages images;
    drag::TDragImageList* GetDragImages() override { return &images; }
};

// A drag object of the source's own: a cursor of its own and a record of its end.
class TOwnDragObject : public drag::TDragObject {
public:
    TOwnDragObject(TControl* control, bool& freed, std::vector<bool>& finished)
        : TDragObject(control), freed_(freed), finished_(finished) {}
    ~TOwnDragObject() override { freed_ = true; }
    TCursor GetDragCursor(bool Accepted, int X, int Y) override {
        return Accepted ? crHandPoint : TDragObject::GetDragCursor(Accepted, X, Y);
    }
    void Finished(core::TObject* Target, int X, int Y, bool Accepted) override {
        finished_.push_back(Accepted);
        TDragObject::Finished(Target, X, Y, Accepted);
    }

private:
    bool& freed_;
    std::vector<bool>& finished_;
};

TEST_F(DragDropTest, WithoutAnObjectOfItsOwnTheSourceDragsADefaultObject) {
    drag::TDragObject* during = nullptr;
    accepting->OnDragDrop = [&](TObject*, TObject*, int, int) {
        during = drag::CurrentDragObject();
    };
    const TPoint start = At(*source, {20, 20});
    driver.MoveTo(start);
    driver.Press(start);
    EXPECT_EQ(drag::CurrentDragObject(), nullptr) << "made when the drag starts";
    driver.MoveTo(At(*accepting, {7, 8}));
    drag::TDragObject* object = drag::CurrentDragObject();
    ASSERT_NE(dynamic_cast<drag::TDragControlObject*>(object), nullptr);
    EXPECT_EQ(object->Control(), source);
    EXPECT_EQ(object->GetDragImages(), nullptr);
    driver.Release(At(*accepting, {7, 8}));
    EXPECT_EQ(during, nullptr) << "the object ends before the target hears of the drop";
    EXPECT_EQ(drag::CurrentDragObject(), nullptr);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(endTarget, accepting);
}

TEST_F(DragDropTest, TheSourceGivesItsOwnObjectFromDoStartDrag) {
    bool freed = false;
    std::vector<bool> finished;
    source->OnStartDrag = [&](TObject*) {
        drag::SetDragObject(std::make_unique<TOwnDragObject>(source, freed, finished));
    };
    const TPoint start = At(*source, {20, 20});
    driver.MoveTo(start);
    driver.Press(start);
    driver.MoveTo(At(*refusing, {5, 6}));
    ASSERT_NE(dynamic_cast<TOwnDragObject*>(drag::CurrentDragObject()), nullptr);
    EXPECT_EQ(GetCursor(), ScreenCursor(crNoDrop));
    driver.MoveTo(At(*accepting, {7, 8}));
    EXPECT_EQ(GetCursor(), ScreenCursor(crHandPoint));
    driver.Release(At(*accepting, {7, 8}));
    EXPECT_EQ(finished, std::vector<bool>{true});
    EXPECT_TRUE(freed);
    EXPECT_EQ(ends, 1) << "the base Finished tells the source";
    EXPECT_EQ(endPoint, (TPoint{7, 8}));
}

TEST_F(DragDropTest, CancelledDragFinishesTheObjectNotAccepted) {
    bool freed = false;
    std::vector<bool> finished;
    source->OnStartDrag = [&](TObject*) {
        drag::SetDragObject(std::make_unique<TOwnDragObject>(source, freed, finished));
    };
    const TPoint start = At(*source, {20, 20});
    driver.MoveTo(start);
    driver.Press(start);
    driver.MoveTo(At(*accepting, {7, 8}));
    driver.TypeKey(win::VK_ESCAPE, "\x1b");
    EXPECT_EQ(finished, std::vector<bool>{false});
    EXPECT_TRUE(freed);
    EXPECT_EQ(endTarget, nullptr);
    driver.Release(At(*accepting, {7, 8}));
}

TEST_F(DragDropTest, TheSourcesImagesFollowThePointerFromStartToEnd) {
    auto& imaged = form.Own<TImagePanel>();
    imaged.SetParent(&form);
    imaged.SetBounds(10, 100, 100, 50);
    imaged.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        imaged.BeginDrag(false);
    };
    const TPoint start = At(imaged, {20, 20});
    driver.MoveTo(start);
    driver.Press(start);
    driver.MoveTo({start.X + 3, start.Y});
    EXPECT_TRUE(imaged.images.log.empty()) << "nothing before the drag starts";
    const TPoint a = At(*accepting, {7, 8});
    driver.MoveTo(a);
    drag::CurrentDragObject()->HideDragImage();
    drag::CurrentDragObject()->ShowDragImage();
    driver.Release(a);
    auto at = [](const char* what, TPoint p) {
        return std::string(what) + " " + std::to_string(p.X) + "," + std::to_string(p.Y);
    };
    const std::vector<std::string> expected = {at("begin", a), at("move", a), "hide", "show",
                                               "end"};
    EXPECT_EQ(imaged.images.log, expected);
}

TEST_F(DragDropTest, ASourceThatCancelsInDoStartDragShowsNoImage) {
    auto& imaged = form.Own<TImagePanel>();
    imaged.SetParent(&form);
    imaged.SetBounds(10, 100, 100, 50);
    int imagedEnds = 0;
    imaged.OnEndDrag = [&](TObject*, TObject*, int, int) { ++imagedEnds; };
    imaged.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        imaged.BeginDrag(false);
    };
    imaged.OnStartDrag = [&](TObject*) { imaged.EndDrag(false); };
    const TPoint start = At(imaged, {20, 20});
    driver.MoveTo(start);
    driver.Press(start);
    driver.MoveTo(At(*accepting, {7, 8}));
    EXPECT_FALSE(imaged.Dragging());
    driver.Release(At(*accepting, {7, 8}));
    EXPECT_TRUE(imaged.images.log.empty());
    EXPECT_EQ(imagedEnds, 1);
    EXPECT_TRUE(over.empty());
}

} // namespace
} // namespace platform::forms::test
