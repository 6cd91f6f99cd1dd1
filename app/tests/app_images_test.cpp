// The program's own pictures: every one is drawn, differs from the others and has its size; a
// sheet of them all (menu images, element icons, bins, library tools, cursors, the intro) is
// written for a person to look at.

#include "app/app_images.h"

#include "model/elements/lib_elem.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <set>
#include <vector>

namespace app {
namespace {

namespace forms = platform::forms;
namespace pg = platform::gdi;

const pg::Surface& PixelsOf(const forms::TBitmap& bitmap) {
    return *pg::BitmapSurface(bitmap.Handle());
}

pg::COLORREF At(const forms::TBitmap& bitmap, int x, int y) {
    return pg::PixelToColor(PixelsOf(bitmap).Pixel(x, y)) & 0xFFFFFF;
}

// How many pixels are not the background.
int Drawn(const forms::TBitmap& bitmap) {
    int drawn = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            drawn += At(bitmap, x, y) != ImageBackground;
    return drawn;
}

std::vector<pg::COLORREF> Content(const forms::TBitmap& bitmap) {
    std::vector<pg::COLORREF> content;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            content.push_back(At(bitmap, x, y));
    return content;
}

TEST(MenuImagesTest, EveryCommandHasItsOwnDrawnImage) {
    forms::TImageList list(nullptr);
    FillMenuImages(list);
    ASSERT_EQ(list.Count(), MenuImageCount);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    std::set<int> indices;
    std::set<std::vector<pg::COLORREF>> pictures;
    for (int i = 0; i < MenuImageCount; ++i) {
        const int index = MenuImageIndex(static_cast<TMenuImage>(i));
        EXPECT_GE(index, 0);
        EXPECT_LT(index, list.Count());
        indices.insert(index);
        forms::TBitmap image;
        list.GetBitmap(index, image);
        EXPECT_GT(Drawn(image), 16) << "image " << i << " is all but blank";
        // The bars draw a list's image as a glyph: the bottom-left pixel is its transparent one.
        EXPECT_EQ(At(image, 0, 15), ImageBackground) << "image " << i;
        pictures.insert(Content(image));
    }
    EXPECT_EQ(indices.size(), static_cast<std::size_t>(MenuImageCount));
    EXPECT_EQ(pictures.size(), static_cast<std::size_t>(MenuImageCount));
}

TEST(ElemIconsTest, SingleKindsAreSquareBanksAndTheGlobalSetWide) {
    const struct {
        std::int16_t type;
        int width;
    } cases[] = {{model::etPatch, 16},       {model::etPatchBank, 32},
                 {model::etPerformance, 16}, {model::etPerformanceBank, 32},
                 {model::etRhythm, 16},      {model::etRhythmBank, 32},
                 {model::etSystem, 16},      {model::etGlobal, 32}};
    std::set<std::vector<pg::COLORREF>> pictures;
    for (const auto& c : cases) {
        forms::TBitmap icon;
        DrawElemIcon(icon, c.type);
        EXPECT_EQ(icon.Width(), c.width) << "type " << c.type;
        EXPECT_EQ(icon.Height(), 16) << "type " << c.type;
        EXPECT_GT(Drawn(icon), c.width * 4) << "type " << c.type;
        // Glyphs and transparent images take the bottom-left pixel as the transparent colour.
        EXPECT_EQ(At(icon, 0, icon.Height() - 1), ImageBackground) << "type " << c.type;
        pictures.insert(Content(icon));
    }
    EXPECT_EQ(pictures.size(), std::size(cases));
}

TEST(BinImagesTest, FullAndEmptyDifferAndAreTransparentAtTheCorner) {
    forms::TBitmap empty, full;
    DrawBin(empty, false);
    DrawBin(full, true);
    for (const forms::TBitmap* bin : {&empty, &full}) {
        EXPECT_EQ(bin->Width(), BinSize);
        EXPECT_EQ(bin->Height(), BinSize);
        EXPECT_GT(Drawn(*bin), BinSize * BinSize / 4);
        EXPECT_EQ(At(*bin, 0, BinSize - 1), ImageBackground);
    }
    EXPECT_NE(Content(empty), Content(full));
}

TEST(LibraryGlyphsTest, EveryToolHasItsOwnDrawnGlyph) {
    std::set<std::vector<pg::COLORREF>> pictures;
    for (int i = 0; i < LibraryGlyphCount; ++i) {
        forms::TBitmap glyph;
        DrawLibraryGlyph(glyph, static_cast<TLibraryGlyph>(i));
        EXPECT_EQ(glyph.Width(), 16) << "glyph " << i;
        EXPECT_EQ(glyph.Height(), 16) << "glyph " << i;
        EXPECT_GT(Drawn(glyph), 16) << "glyph " << i << " is all but blank";
        EXPECT_EQ(At(glyph, 0, 15), ImageBackground) << "glyph " << i;
        pictures.insert(Content(glyph));
    }
    EXPECT_EQ(pictures.size(), static_cast<std::size_t>(LibraryGlyphCount));
}

TEST(AppCursorsTest, BlackAndWhitePicturesMadeOnceIntoTwoCursors) {
    const TAppCursor cursors[] = {TAppCursor::Preview, TAppCursor::Drag};
    std::set<std::vector<pg::COLORREF>> pictures;
    for (const TAppCursor cursor : cursors) {
        forms::TBitmap picture;
        DrawCursorImage(picture, cursor);
        EXPECT_EQ(picture.Width(), CursorSize);
        EXPECT_EQ(picture.Height(), CursorSize);
        std::set<pg::COLORREF> colours;
        for (const pg::COLORREF colour : Content(picture))
            colours.insert(colour);
        EXPECT_EQ(colours, (std::set<pg::COLORREF>{pg::clBlack, pg::clWhite, ImageBackground}));
        pictures.insert(Content(picture));
        EXPECT_NE(AppCursor(cursor), platform::win::NullCursor);
        EXPECT_EQ(AppCursor(cursor), AppCursor(cursor));
    }
    EXPECT_EQ(pictures.size(), std::size(cursors));
    EXPECT_NE(AppCursor(TAppCursor::Preview), AppCursor(TAppCursor::Drag));
}

TEST(IntroPictureTest, HasItsSizeAndShowsTheNameOverTheGround) {
    forms::TBitmap intro;
    DrawIntroPicture(intro);
    EXPECT_EQ(intro.Width(), IntroWidth);
    EXPECT_EQ(intro.Height(), IntroHeight);
    // The name is written in white on the dark ground, the keys white below.
    int white = 0;
    for (int y = 20; y < 95; ++y)
        for (int x = 0; x < IntroWidth; ++x)
            white += At(intro, x, y) == pg::clWhite;
    EXPECT_GT(white, 500);
    EXPECT_EQ(At(intro, 3, 3) & 0xFF0000, pg::RGB(0, 0, 64) & 0xFF0000);
    EXPECT_EQ(At(intro, IntroWidth / 2, IntroHeight - 20), pg::clWhite);
}

TEST(IntroPictureTest, ReadsBackFromTheBmpTheBuildWrites) {
    testsupport::TempFolder folder("quintaron_app_intro_");
    ASSERT_FALSE(folder.Path().empty());
    forms::TBitmap intro, loaded;
    DrawIntroPicture(intro);
    ASSERT_TRUE(PixelsOf(intro).SaveBmp(folder.PathOf("introXP.bmp")));
    loaded.LoadFromFile(folder.PathOf("introXP.bmp"));
    ASSERT_EQ(loaded.Width(), IntroWidth);
    ASSERT_EQ(loaded.Height(), IntroHeight);
    EXPECT_EQ(Content(loaded), Content(intro));
}

// Not a check: every picture on one sheet, as drawn and three times enlarged, for a person.
TEST(AppImagesSheetTest, WritesEveryPictureOnOneSheet) {
    testsupport::TempFolder folder("quintaron_app_images_");
    ASSERT_FALSE(folder.Path().empty());
    std::vector<std::function<void(forms::TBitmap&)>> small;
    for (int i = 0; i < MenuImageCount; ++i)
        small.push_back([i](forms::TBitmap& b) { DrawMenuImage(b, static_cast<TMenuImage>(i)); });
    for (std::int16_t type = model::etPatch; type <= model::etGlobal; ++type)
        small.push_back([type](forms::TBitmap& b) { DrawElemIcon(b, type); });
    small.push_back([](forms::TBitmap& b) { DrawBin(b, false); });
    small.push_back([](forms::TBitmap& b) { DrawBin(b, true); });
    for (int i = 0; i < LibraryGlyphCount; ++i)
        small.push_back(
            [i](forms::TBitmap& b) { DrawLibraryGlyph(b, static_cast<TLibraryGlyph>(i)); });
    for (const TAppCursor cursor : {TAppCursor::Preview, TAppCursor::Drag})
        small.push_back([cursor](forms::TBitmap& b) { DrawCursorImage(b, cursor); });

    // A cell: the picture, beside it drawn transparent, below it twice enlarged.
    constexpr int cellWidth = 72, cellHeight = 104, perRow = 12;
    const int rows = (static_cast<int>(small.size()) + perRow - 1) / perRow;
    forms::TBitmap sheet;
    sheet.SetSize(perRow * cellWidth, rows * cellHeight + IntroHeight + 8);
    pg::TCanvas& canvas = sheet.Canvas();
    canvas.Brush().SetColor(pg::clBtnFace);
    canvas.FillRect({0, 0, sheet.Width(), sheet.Height()});
    for (std::size_t i = 0; i < small.size(); ++i) {
        forms::TBitmap picture;
        small[i](picture);
        const int w = picture.Width(), h = picture.Height();
        const int x = static_cast<int>(i % perRow) * cellWidth + 2,
                  y = static_cast<int>(i / perRow) * cellHeight + 2;
        picture.Draw(canvas.Handle(), {x, y, x + w, y + h});
        picture.DrawPart(canvas.Handle(), x + w + 4, y, {0, 0, w, h}, true);
        picture.Draw(canvas.Handle(), {x, y + 36, x + 2 * w, y + 36 + 2 * h});
    }
    forms::TBitmap intro;
    DrawIntroPicture(intro);
    const int introTop = rows * cellHeight + 4;
    intro.Draw(canvas.Handle(), {4, introTop, 4 + IntroWidth, introTop + IntroHeight});
    const std::string path = folder.PathOf("app_images.png");
    EXPECT_TRUE(PixelsOf(sheet).SavePng(path));
    std::cout << "the pictures: " << path << '\n';
}

} // namespace
} // namespace app
