// A row of the element lists: its colour across the given width by the element's selection, the
// pen it leaves for the texts, and the icon merged so that the picture's background takes the
// row's colour.

#include "app/elem_rows.h"

#include "app/app_images.h"
#include "model/elements/element_factory.h"
#include "model/elements/lib_elem.h"
#include "platform/core/date_time.h"
#include "platform/gdi/colors.h"

#include <gtest/gtest.h>

#include <memory>

namespace app {
namespace {

namespace forms = platform::forms;
namespace pg = platform::gdi;

constexpr int Width = 60;
constexpr int Top = 20;

// A canvas in black, wider than the row, with a red pen.
struct TSheet {
    TSheet() {
        bitmap.SetSize(Width + 20, 60);
        canvas().Brush().SetColor(pg::clBlack);
        canvas().FillRect({0, 0, bitmap.Width(), bitmap.Height()});
        canvas().Pen().SetColor(pg::clRed);
    }
    pg::TCanvas& canvas() { return bitmap.Canvas(); }
    forms::TBitmap bitmap;
};

TEST(ElemRowsTest, TheRowsColourFollowsTheSelectionAndOnlyAnElementsRowSetsThePen) {
    // Elements are stamped with a known time, never the wall clock's.
    const platform::core::NowOverride fixedNow(platform::core::EncodeDate(2026, 3, 7) +
                                               platform::core::EncodeTime(9, 0, 0, 0));
    const std::unique_ptr<model::TLibElem> elem = model::CreateElemByType(model::etPatch, nullptr);
    ASSERT_NE(elem, nullptr);
    const struct {
        const char* name;
        bool hasElem;
        bool selected;
        pg::TColor fill;
        pg::TColor pen;
    } cases[] = {{"no element", false, false, pg::clWhite, pg::clRed},
                 {"not selected", true, false, pg::clWhite, pg::clBlack},
                 {"selected", true, true, pg::clAqua, pg::clBlack}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSheet sheet;
        elem->Selected = c.selected;
        EXPECT_EQ(FillElemRow(sheet.canvas(), Top, Width, c.hasElem ? elem.get() : nullptr),
                  c.hasElem);
        EXPECT_EQ(sheet.canvas().Pixel(0, Top), c.fill);
        EXPECT_EQ(sheet.canvas().Pixel(Width - 1, Top + ElemRowHeight - 1), c.fill);
        EXPECT_EQ(sheet.canvas().Pixel(Width, Top), pg::clBlack);
        EXPECT_EQ(sheet.canvas().Pixel(0, Top - 1), pg::clBlack);
        EXPECT_EQ(sheet.canvas().Pixel(0, Top + ElemRowHeight), pg::clBlack);
        EXPECT_EQ(sheet.canvas().Pen().Color(), c.pen);
    }
}

TEST(ElemRowsTest, TheIconsBackgroundTakesTheRowsColour) {
    // Elements are stamped with a known time, never the wall clock's.
    const platform::core::NowOverride fixedNow(platform::core::EncodeDate(2026, 3, 7) +
                                               platform::core::EncodeTime(9, 0, 0, 0));
    for (const pg::TColor row : {pg::clWhite, pg::clAqua}) {
        SCOPED_TRACE(row);
        TSheet sheet;
        sheet.canvas().Brush().SetColor(row);
        sheet.canvas().FillRect({0, Top, Width, Top + ElemRowHeight});
        TRowIcons icons;
        icons.Draw(sheet.canvas(), model::etPatch, 10, Top);
        forms::TBitmap picture;
        DrawElemIcon(picture, model::etPatch);
        int background = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                if (picture.Canvas().Pixel(x, y) == ImageBackground) {
                    ++background;
                    EXPECT_EQ(sheet.canvas().Pixel(10 + x, Top + y), row) << x << "," << y;
                }
        EXPECT_GT(background, 0);
        // Left of the icon the row stays as it was.
        EXPECT_EQ(sheet.canvas().Pixel(9, Top), row);
    }
}

} // namespace
} // namespace app
