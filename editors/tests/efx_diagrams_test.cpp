// The effects window's pictures: every type's block diagram inside its area, with the captions of
// its blocks; the HF damp sketch of every step, ByPass at the last. The sheet of all of them is
// written for a person to look at.

#include "editors/efx_diagrams.h"
#include "editors/efx_types.h"

#include "platform/forms/graphics.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"
#include "testsupport/gdi/recording_dc.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace editors {
namespace {

namespace gdi = platform::gdi;
namespace forms = platform::forms;

constexpr gdi::TColor Outside = gdi::clFuchsia;
constexpr int Margin = 12;

// A recording context over a bitmap larger than the picture's area, the margin in a colour no
// picture uses, so that a stroke past the area shows.
class TPictureCanvas {
public:
    TPictureCanvas(int width, int height) : width_(width), height_(height) {
        dc_ = testsupport::CreateRecordingDC();
        bitmap_ = gdi::CreateBitmap(width + Margin, height + Margin, 1, 32, nullptr);
        old_ = gdi::SelectObject(dc_, bitmap_);
        canvas.SetHandle(dc_);
    }
    ~TPictureCanvas() {
        canvas.SetHandle(gdi::NullDC);
        gdi::SelectObject(dc_, old_);
        gdi::DeleteDC(dc_);
        gdi::DeleteObject(bitmap_);
    }
    TPictureCanvas(const TPictureCanvas&) = delete;
    TPictureCanvas& operator=(const TPictureCanvas&) = delete;

    void Clear() {
        canvas.Brush().SetColor(Outside);
        canvas.FillRect({0, 0, width_ + Margin, height_ + Margin});
        testsupport::ClearRecordedCalls(dc_);
    }
    gdi::TColor At(int x, int y) const {
        return gdi::PixelToColor(gdi::BitmapSurface(bitmap_)->Pixel(x, y)) & 0xFFFFFF;
    }
    // Pixels drawn past the area.
    int Spilled() const {
        int spilled = 0;
        for (int y = 0; y < height_ + Margin; ++y)
            for (int x = 0; x < width_ + Margin; ++x)
                if ((x >= width_ || y >= height_) && At(x, y) != Outside) ++spilled;
        return spilled;
    }
    int Black() const {
        int black = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                black += At(x, y) == gdi::clBlack;
        return black;
    }
    bool Wrote(const std::string& text) const { return WroteAt("", text); }
    // Written with its left at x.
    bool WroteAt(const std::string& x, const std::string& text) const {
        for (const std::string& call : testsupport::RecordedCalls(dc_))
            if (call.rfind("ExtTextOut(" + x, 0) == 0 &&
                call.find('"' + text + "\")") != std::string::npos)
                return true;
        return false;
    }

    gdi::TCanvas canvas;

private:
    int width_, height_;
    gdi::HDC dc_{};
    gdi::HBITMAP bitmap_{};
    gdi::HGDIOBJ old_{};
};

// A caption each type's diagram draws.
const char* const Captions[] = {
    "EQ",          "OverDrive", "Distorsion", "Phaser",  "Spectrum",    "Enhancer",
    "Auto-Wah",    "Rotary",    "Compressor", "Limiter", "Hexa Chorus", "Tremolo Chorus",
    "Space D",     "Chorus",    "Flanger",    "Flanger", "Delay",       "Delay",
    "Center Tap",  "Delay 4",   "Delay",      "Pitch 2", "Pitch",       "Delay",
    "Gate Reverb", "Chorus",    "Flanger",    "Delay",   "Distorsore",  "Flanger",
    "Delay",       "Enhancer",  "Flanger",    "Delay",   "Chorus",      "Flanger",
    "Flanger",     "Chorus",    "Flanger",    "Flanger",
};

TEST(EfxDiagramsTest, EveryTypeDrawsInsideItsAreaWithItsBlocks) {
    TPictureCanvas picture(EfxDiagramWidth, EfxDiagramHeight);
    for (int number = 0; number <= EfxTypeCount; ++number)
        for (int mode : {0, 1}) {
            picture.Clear();
            DrawEfxDiagram(picture.canvas, EfxDiagramWidth, EfxDiagramHeight, number, mode);
            const std::string where = "type " + std::to_string(number);
            EXPECT_EQ(picture.Spilled(), 0) << where;
            EXPECT_EQ(picture.At(0, 0), gdi::clBlack) << where;
            EXPECT_EQ(picture.At(EfxDiagramWidth - 1, EfxDiagramHeight - 1), gdi::clBlack);
            EXPECT_EQ(picture.At(EfxDiagramWidth / 2, 2), gdi::clAqua) << where;
            if (number == 0) {
                // The frame alone.
                EXPECT_EQ(picture.Black(), 2 * (EfxDiagramWidth + EfxDiagramHeight) - 4);
                continue;
            }
            EXPECT_GT(picture.Black(), 2 * (EfxDiagramWidth + EfxDiagramHeight) + 200) << where;
            EXPECT_TRUE(picture.Wrote(Captions[number - 1])) << where;
            // The equalizer names its channels further in, over its lines.
            EXPECT_TRUE(picture.WroteAt(number == 1 ? "16,24," : "10,", "L")) << where;
            EXPECT_TRUE(picture.WroteAt(number == 1 ? "16," : "10,", "R")) << where;
        }
}

TEST(EfxDiagramsTest, TheStereoDelaysCrossTheirFeedbackOnlyInCrossMode) {
    TPictureCanvas picture(EfxDiagramWidth, EfxDiagramHeight);
    for (int number : {17, 18}) {
        std::vector<gdi::TColor> normal, cross;
        for (auto* pixels : {&normal, &cross}) {
            picture.Clear();
            DrawEfxDiagram(picture.canvas, EfxDiagramWidth, EfxDiagramHeight, number,
                           pixels == &normal ? 0 : 1);
            for (int y = 0; y < EfxDiagramHeight; ++y)
                for (int x = 0; x < EfxDiagramWidth; ++x)
                    pixels->push_back(picture.At(x, y));
        }
        EXPECT_NE(normal, cross) << number;
    }
    // Other types take no notice of the mode.
    std::vector<gdi::TColor> first, second;
    for (auto* pixels : {&first, &second}) {
        picture.Clear();
        DrawEfxDiagram(picture.canvas, EfxDiagramWidth, EfxDiagramHeight, 15,
                       pixels == &first ? 0 : 1);
        for (int y = 0; y < EfxDiagramHeight; ++y)
            for (int x = 0; x < EfxDiagramWidth; ++x)
                pixels->push_back(picture.At(x, y));
    }
    EXPECT_EQ(first, second);
}

TEST(EfxDiagramsTest, EveryHFDampStepDrawsItsFrequencyAndTheLastByPass) {
    TPictureCanvas picture(HFDampWidth, HFDampHeight);
    for (int step = 0; step <= HFDampBypass; ++step) {
        picture.Clear();
        DrawHFDampSketch(picture.canvas, HFDampWidth, HFDampHeight, step);
        EXPECT_EQ(picture.Spilled(), 0) << step;
        EXPECT_TRUE(picture.Wrote(HFDampText(step))) << step;
        // The knee falls to the axis two pixels further right per step; ByPass stays flat.
        const int fallsAt = 2 * step + 1 + 20;
        int lowest = 0;
        for (int y = 21; y < HFDampHeight - 5; ++y)
            for (int x = 8; x < HFDampWidth - 4; ++x)
                if (picture.At(x, y) == gdi::clBlack) lowest = x;
        if (step == HFDampBypass) {
            EXPECT_EQ(lowest, 0);
            for (int x = 4; x < HFDampWidth - 4; ++x)
                EXPECT_EQ(picture.At(x, 20), gdi::clBlack) << x;
        } else {
            EXPECT_NEAR(lowest, fallsAt, 1) << step;
            EXPECT_EQ(picture.At(fallsAt + 4, 20), gdi::clAqua) << step;
        }
    }
    EXPECT_STREQ(HFDampText(17), "ByPass");
    EXPECT_STREQ(HFDampText(0), "200");
    EXPECT_STREQ(HFDampText(16), "8000");
}

// Not a check: every diagram, both feedback modes of the stereo delays and every HF damp step on
// one sheet, for a person.
TEST(EfxDiagramsSheetTest, WritesEveryDiagramOnOneSheet) {
    testsupport::TempFolder folder("quintaron_efx_diagrams_");
    ASSERT_FALSE(folder.Path().empty());
    std::vector<std::function<void(forms::TImage&)>> diagrams;
    const gdi::TFont font;
    for (int number = 1; number <= EfxTypeCount; ++number)
        diagrams.push_back(
            [&font, number](forms::TImage& image) { DrawEFX(image, font, number, 0); });
    for (int number : {17, 18})
        diagrams.push_back(
            [&font, number](forms::TImage& image) { DrawEFX(image, font, number, 1); });
    constexpr int perRow = 4, gap = 6;
    const int rows = (static_cast<int>(diagrams.size()) + perRow - 1) / perRow;
    const int dampTop = rows * (EfxDiagramHeight + gap) + gap;
    forms::TBitmap sheet;
    sheet.SetSize(perRow * (EfxDiagramWidth + gap) + gap, dampTop + 2 * (HFDampHeight + gap) + gap);
    gdi::TCanvas& canvas = sheet.Canvas();
    canvas.Brush().SetColor(gdi::clBtnFace);
    canvas.FillRect({0, 0, sheet.Width(), sheet.Height()});
    forms::TComponent owner(nullptr);
    for (std::size_t i = 0; i < diagrams.size(); ++i) {
        auto& image = owner.Own<forms::TImage>();
        image.SetBounds(0, 0, EfxDiagramWidth, EfxDiagramHeight);
        diagrams[i](image);
        const int x = gap + static_cast<int>(i % perRow) * (EfxDiagramWidth + gap);
        const int y = gap + static_cast<int>(i / perRow) * (EfxDiagramHeight + gap);
        image.Picture().Bitmap().Draw(canvas.Handle(),
                                      {x, y, x + EfxDiagramWidth, y + EfxDiagramHeight});
    }
    for (int step = 0; step <= HFDampBypass; ++step) {
        auto& image = owner.Own<forms::TImage>();
        image.SetBounds(0, 0, HFDampWidth, HFDampHeight);
        DrawHFDamp(image, step);
        const int x = gap + (step % 9) * (HFDampWidth + gap);
        const int y = dampTop + (step / 9) * (HFDampHeight + gap);
        image.Picture().Bitmap().Draw(canvas.Handle(), {x, y, x + HFDampWidth, y + HFDampHeight});
    }
    const std::string path = folder.PathOf("efx_diagrams.png");
    EXPECT_TRUE(gdi::BitmapSurface(sheet.Handle())->SavePng(path));
    std::cout << "the diagrams: " << path << '\n';
}

} // namespace
} // namespace editors
