#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/painters/dx_bar_painter.h"
#include "toolkit/bars/painters/dx_bar_painter_standard.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pg = platform::gdi;

TEST(BarPainterClassesTest, EachStyleChoosesItsClass) {
    struct Case {
        int Style;
        bool VisualStyles;
        const char* Class;
    };
    const Case Cases[] = {
        {0, true, "TdxBarItemControlStandardPainter"},
        {1, true, "TdxBarItemControlEnhancedPainter"},
        {2, true, "TdxBarItemControlFlatPainter"},
        {3, true, "TdxBarItemControlXPPainter"},
        {3, false, "TdxBarItemControlEnhancedPainter"},
        {4, false, "TdxBarItemControlOffice11Painter"},
        {4, true, "TdxBarItemControlOffice11Painter"},
        {5, true, "TdxBarItemControlStandardPainter"},
        {-1, true, "TdxBarItemControlStandardPainter"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(dxBarPainterClassOfStyle(C.Style, C.VisualStyles).ClassName(), C.Class)
            << C.Style << "/" << C.VisualStyles;
}

// What a painter of the family does not draw its own way it draws as its elder does: the
// Enhanced painter draws the etched line as the Standard one, unlike the base painter.
TEST(BarPainterClassesTest, EachPainterDrawsWhatItDoesNotOverrideAsItsElder) {
    toolkit::base::testing_support::ClassicColors Colors;
    using Picture = std::vector<pg::COLORREF>;
    const auto Draw = [](const std::function<void(pg::HDC)>& Paint) {
        toolkit::base::testing_support::TestSurface S(24, 12);
        Paint(S.DC());
        Picture Pixels;
        for (int Y = 0; Y < 12; ++Y)
            for (int X = 0; X < 24; ++X)
                Pixels.push_back(S.At(X, Y));
        return Pixels;
    };
    const auto Etched = [&](const TdxBarItemControlPainter& P) {
        return Draw([&](pg::HDC DC) { P.DrawEtchedLine(DC, {2, 5, 20, 6}); });
    };
    const TdxBarItemControlPainter& Base = TdxBarItemControlPainter::Instance();
    EXPECT_EQ(Etched(TdxBarItemControlEnhancedPainter::Instance()),
              Etched(TdxBarItemControlStandardPainter::Instance()));
    EXPECT_NE(Etched(TdxBarItemControlStandardPainter::Instance()), Etched(Base));
}

// The Office 2003 painter's colours and shapes are its own, so that its descent from the Flat
// one shows only in the family's tree, which the lookup of a class without a painter follows.
TEST(BarPainterClassesTest, TheClassTreeIsTheFamilys) {
    EXPECT_EQ(TdxBarItemControlEnhancedPainterClassRef().ClassParent(),
              &TdxBarItemControlStandardPainterClassRef());
    EXPECT_EQ(TdxBarItemControlOffice11PainterClassRef().ClassParent(),
              &TdxBarItemControlFlatPainterClassRef());
    for (const pc::TClass* C :
         {&TdxBarItemControlStandardPainterClassRef(), &TdxBarItemControlFlatPainterClassRef(),
          &TdxBarItemControlXPPainterClassRef()})
        EXPECT_EQ(C->ClassParent(), &TdxBarItemControlPainterClassRef()) << C->ClassName();
}

// Stands for the Flat painter in these tests.
class TFlatStandIn : public TdxBarItemControlPainter {
public:
    static const TFlatStandIn& Instance() {
        static const TFlatStandIn instance;
        return instance;
    }
    const pc::TClass& ClassType() const override { return TdxBarItemControlFlatPainterClassRef(); }
    int GetToolbarSeparatorSize() const override { return 10; }
};

TEST(BarPainterClassesTest, AClassWithoutPainterIsDrawnByItsNearestRegisteredAncestor) {
    const TdxBarItemControlPainter& Base = TdxBarItemControlPainter::Instance();
    EXPECT_EQ(&dxBarPainter(TdxBarItemControlPainterClassRef()), &Base);
    {
        TdxBarPainterRegistration Flat(TFlatStandIn::Instance());
        EXPECT_EQ(&dxBarPainter(TdxBarItemControlFlatPainterClassRef()), &TFlatStandIn::Instance());
        // A class below Flat without a painter of its own draws as Flat.
        static const pc::TClass BelowFlat("TBelowFlat", &TdxBarItemControlFlatPainterClassRef());
        EXPECT_EQ(&dxBarPainter(BelowFlat), &TFlatStandIn::Instance());
        const auto All = dxBarRegisteredPainters();
        EXPECT_EQ(All.front(), &TFlatStandIn::Instance());
        EXPECT_NE(std::find(All.begin(), All.end(), &Base), All.end());
    }
    EXPECT_NE(&dxBarPainter(TdxBarItemControlFlatPainterClassRef()), &TFlatStandIn::Instance());
}

TEST(BarPainterClassesTest, AnOverrideIsSeenInsideInheritedCode) {
    // The base separator offset is (size - 2) / 2 of whatever size the class answers.
    EXPECT_EQ(TdxBarItemControlPainter::Instance().GetToolbarSeparatorOffset(), 2);
    EXPECT_EQ(TFlatStandIn::Instance().GetToolbarSeparatorOffset(), 4);
}

} // namespace
} // namespace toolkit::bars
