#pragma once
// Where the painter tests that need a real bar manager start: classic system colours, the bar
// unit, and a form that owns the manager. The form goes (and the messages it posted are
// handled) before the unit and the colours do.

#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "platform/core/component.h"
#include "platform/core/message_loop.h"
#include "platform/forms/forms.h"
#include "platform/gdi/colors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace toolkit::bars::testing_support {

class BarPainterFixture : public ::testing::Test {
protected:
    BarPainterFixture() : FRoot(std::make_unique<platform::core::TComponent>(nullptr)) {
        Form = &FRoot->Own<platform::forms::TForm>();
        Manager = &Form->Own<TdxBarManager>();
    }
    ~BarPainterFixture() override {
        FRoot.reset();
        platform::core::ProcessMessages();
    }

    TdxBarUnit Unit;
    toolkit::base::testing_support::ClassicColors Colors;
    std::unique_ptr<platform::core::TComponent> FRoot;
    platform::forms::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
};

// A system colour as the pixels show it.
inline platform::gdi::COLORREF Sys(int Index) {
    return platform::gdi::GetSysColor(Index);
}

// A 4 x 4 glyph on magenta with one red pixel at (1, 1): where the red lands and how large it
// is tell where a painter drew the glyph and at what scale.
inline constexpr platform::gdi::COLORREF GlyphMark = 0x0000FF;
inline void MakeMarkedGlyph(platform::forms::TBitmap& Glyph) {
    Glyph.SetSize(4, 4);
    Glyph.Canvas().Brush().SetColor(0xFF00FF);
    Glyph.Canvas().FillRect({0, 0, 4, 4});
    Glyph.Canvas().Brush().SetColor(GlyphMark);
    Glyph.Canvas().FillRect({1, 1, 2, 2});
}

struct GlyphMarkSpot {
    int Count = 0, Left = -1, Top = -1;
};
inline GlyphMarkSpot FindGlyphMark(const toolkit::base::testing_support::TestSurface& S) {
    GlyphMarkSpot Spot;
    for (int Y = 0; Y < S.Pixels().Height(); ++Y)
        for (int X = 0; X < S.Pixels().Width(); ++X)
            if (S.At(X, Y) == GlyphMark) {
                Spot.Left = Spot.Count == 0 ? X : std::min(Spot.Left, X);
                Spot.Top = Spot.Count == 0 ? Y : Spot.Top;
                ++Spot.Count;
            }
    return Spot;
}

} // namespace toolkit::bars::testing_support
