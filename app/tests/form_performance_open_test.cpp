// The performance window as the librarian opens it: a library row's double click makes it a
// child of the main window (after the performance went to the edit buffer), a second one brings
// it back, and its Common drag onto another performance window runs on the main window's drag
// information and sends the target once.

#include "app/tests/element_window_fixture.h"
#include "editors/form_performance.h"
#include "model/elements/performance.h"

namespace app::test {

namespace {

using PerformanceWindowOpenTest = ElementWindowOpenTest;

TEST_F(PerformanceWindowOpenTest, ALibraryRowsDoubleClickOpensThePerformanceWindowOnce) {
    TFormLibrary& library =
        OpenLibrary({{model::etPerformance, "Stage"}, {model::etPerformance, "Split"}});
    auto& performance = static_cast<model::TPerformance&>(library.Library().Elem(1));
    const std::size_t before = DataSets();
    DoubleClickRow(library, 1);
    ASSERT_TRUE(performance.EditorOpen);
    auto* window = dynamic_cast<editors::TFormPerformance*>(main.ActiveMDIChild());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(&window->Performance(), &performance);
    EXPECT_EQ(performance.Editor, &window->View());
    EXPECT_EQ(window->Caption().substr(0, 18), "Split [Filename : ");
    EXPECT_EQ(DataSets() - before, 17u);
    EXPECT_EQ(state.CurrentPerformance, &performance);

    ExpectBroughtBackThenClosed(library, 1, *window, performance);
}

TEST_F(PerformanceWindowOpenTest, ACommonDragBetweenTwoPerformanceWindowsSendsTheTargetOnce) {
    TFormLibrary& library =
        OpenLibrary({{model::etPerformance, "Stage"}, {model::etPerformance, "Split"}});
    auto& stage = static_cast<model::TPerformance&>(library.Library().Elem(0));
    auto& split = static_cast<model::TPerformance&>(library.Library().Elem(1));
    stage.Common->Data()[45] = 0x0F;
    stage.Common->Data()[46] = 0x0A;
    stage.Common->Data()[44] = 0x11;
    split.Common->Data()[44] = 0x22;
    auto& from = OpenWindow<editors::TFormPerformance>(stage, 500, 0);
    auto& to = OpenWindow<editors::TFormPerformance>(split, 500, 200);
    from.View().BringToFront();
    testsupport::PumpUntilIdle();
    const std::size_t before = DataSets();
    Run(1000);

    Drag(from.PerCom.ClientToScreen({20, 12}), to.PerCom.ClientToScreen({20, 12}));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(split.GetName(), stage.GetName());
    EXPECT_EQ(split.Common->GetParam(45), 0x0F);
    EXPECT_EQ(split.Common->GetParam(46), 0x0A);
    EXPECT_EQ(split.Common->GetParam(44), 0x22);
    EXPECT_EQ(DataSets() - before, 17u);
    EXPECT_EQ(state.CurrentPerformance, &split);
    EXPECT_FALSE(state.DragRunning);
    EXPECT_EQ(main.ActiveMDIChild(), &to);
}

} // namespace
} // namespace app::test
