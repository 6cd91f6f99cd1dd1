#include "platform/gdi/surface.h"

#include "testsupport/temp_folder.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace platform::gdi {
namespace {

TEST(Surface, MonochromeAnd24BitSurfacesKeepWhatTheyCanHold) {
    Surface mono(9, 1, 1);
    mono.SetPixel(8, 0, 0xC0C0C0);
    mono.SetPixel(0, 0, 0x404040);
    EXPECT_EQ(mono.Pixel(8, 0), 0xFFFFFFu);
    EXPECT_EQ(mono.Pixel(0, 0), 0u);
    EXPECT_EQ(mono.Stride(), 4);
    Surface rgb(1, 1, 24);
    rgb.SetPixel(0, 0, 0xFF123456);
    EXPECT_EQ(rgb.Pixel(0, 0), 0x123456u);
}

TEST(Surface, BottomUpRowsAreStoredLastRowFirst) {
    Surface s(1, 2, 32, true);
    s.SetPixel(0, 1, 0x01020304);
    EXPECT_EQ(s.Bits()[0], 0x04);
    EXPECT_EQ(s.Pixel(0, 1), 0x01020304u);
}

TEST(Surface, SavesAsAnOpaqueBmp) {
    testsupport::TempFolder folder("gdi_surface_");
    ASSERT_FALSE(folder.Path().empty());
    Surface s(3, 2, 32);
    s.SetPixel(0, 0, 0x0000FF);
    s.SetPixel(2, 1, 0x80FF8000);
    const std::string path = folder.PathOf("s.bmp");
    ASSERT_TRUE(s.SaveBmp(path));
    QImage loaded(QString::fromStdString(path), "BMP");
    ASSERT_EQ(loaded.width(), 3);
    ASSERT_EQ(loaded.height(), 2);
    EXPECT_FALSE(loaded.hasAlphaChannel());
    EXPECT_EQ(loaded.pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(loaded.pixel(2, 1), 0xFFFF8000u);
    EXPECT_FALSE(s.SaveBmp(folder.PathOf("missing/s.bmp")));
}

TEST(Surface, SavesAsPng) {
    testsupport::TempFolder folder("gdi_surface_");
    ASSERT_FALSE(folder.Path().empty());
    Surface s(2, 1, 32);
    s.SetPixel(0, 0, 0x0000FF);
    s.SetPixel(1, 0, 0x00FF00);
    const std::string path = folder.PathOf("s.png");
    ASSERT_TRUE(s.SavePng(path));
    QImage loaded(QString::fromStdString(path));
    ASSERT_EQ(loaded.width(), 2);
    EXPECT_EQ(loaded.pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(loaded.pixel(1, 0), 0xFF00FF00u);
}

} // namespace
} // namespace platform::gdi
