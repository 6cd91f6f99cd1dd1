#include "platform/win/library_cursors.h"

#include "platform/win/tests/win_test_support.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>

#include <algorithm>
#include <vector>

namespace platform::win::test {
namespace {

TEST_F(WindowTest, EachLibraryCursorIsMadeOnceWithItsHotSpot) {
    struct Case {
        LibraryCursor kind;
        QPoint hotSpot;
    };
    const Case cases[] = {
        {LibraryCursor::DragCopy, {0, 0}},     {LibraryCursor::Remove, {0, 0}},
        {LibraryCursor::VertSize, {16, 16}},   {LibraryCursor::HorzSize, {16, 16}},
        {LibraryCursor::MultiDrag, {0, 0}},    {LibraryCursor::NoDrop, {16, 16}},
        {LibraryCursor::Drag, {0, 0}},         {LibraryCursor::ColorPicker, {2, 29}},
        {LibraryCursor::EditSizing, {16, 16}},
    };
    std::vector<HCURSOR> seen;
    for (const Case& c : cases) {
        const HCURSOR cursor = LoadLibraryCursor(c.kind);
        ASSERT_NE(cursor, NullCursor);
        EXPECT_EQ(LoadLibraryCursor(c.kind), cursor);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), cursor), 0);
        seen.push_back(cursor);
        EXPECT_EQ(QtCursorOf(cursor).hotSpot(), c.hotSpot);
        const QImage image = QtCursorOf(cursor).pixmap().toImage();
        // The hot spot is on the drawing, not on a transparent pixel beside it.
        if (c.kind != LibraryCursor::NoDrop) {
            EXPECT_EQ(qAlpha(image.pixel(c.hotSpot)), 255) << static_cast<int>(c.kind);
        }
    }
}

TEST_F(WindowTest, TheSplittersPointAlongTheirAxesAndTheCopyCursorCarriesAPlus) {
    const QImage vert = QtCursorOf(LoadLibraryCursor(LibraryCursor::VertSize)).pixmap().toImage();
    const QImage horz = QtCursorOf(LoadLibraryCursor(LibraryCursor::HorzSize)).pixmap().toImage();
    EXPECT_EQ(qAlpha(vert.pixel(16, 5)), 255);
    EXPECT_EQ(qAlpha(vert.pixel(5, 14)), 0);
    EXPECT_EQ(qAlpha(horz.pixel(5, 16)), 255);
    EXPECT_EQ(qAlpha(horz.pixel(14, 5)), 0);
    const QImage copy = QtCursorOf(LoadLibraryCursor(LibraryCursor::DragCopy)).pixmap().toImage();
    const QImage drag = QtCursorOf(LoadLibraryCursor(LibraryCursor::Drag)).pixmap().toImage();
    // The plus's centre is ink on the copy cursor and paper on the plain drag cursor.
    EXPECT_EQ(copy.pixel(16, 20), qRgba(0, 0, 0, 255));
    EXPECT_EQ(drag.pixel(16, 20), qRgba(255, 255, 255, 255));
    // The edit sizer: an arrow along the row across one upright bar, rimmed in white.
    const QImage sizer =
        QtCursorOf(LoadLibraryCursor(LibraryCursor::EditSizing)).pixmap().toImage();
    EXPECT_EQ(sizer.pixel(6, 16), qRgba(0, 0, 0, 255));
    EXPECT_EQ(sizer.pixel(16, 9), qRgba(0, 0, 0, 255));
    EXPECT_EQ(sizer.pixel(12, 17), qRgba(255, 255, 255, 255));
    EXPECT_EQ(qAlpha(sizer.pixel(6, 9)), 0);
}

} // namespace
} // namespace platform::win::test
