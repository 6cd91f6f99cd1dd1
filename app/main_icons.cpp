#include "app/main_icons.h"

#include "app/form_quintaron.h"
#include "platform/gdi/colors.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace app {

namespace forms = platform::forms;
namespace gdi = platform::gdi;

namespace {

constexpr gdi::TColor Clear = 0xFF00FF;

gdi::TCanvas& Blank(forms::TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    gdi::TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(Clear);
    canvas.Pen().SetColor(Clear);
    canvas.FillRect({0, 0, width, height});
    canvas.Pen().SetColor(gdi::clBlack);
    return canvas;
}

void Box(gdi::TCanvas& canvas, int l, int t, int r, int b, gdi::TColor fill) {
    canvas.Brush().SetColor(fill);
    canvas.Rectangle(l, t, r, b);
}

void Page(gdi::TCanvas& canvas, int x, int y) {
    canvas.Brush().SetColor(gdi::clWhite);
    canvas.Polygon({{x, y}, {x + 7, y}, {x + 10, y + 3}, {x + 10, y + 13}, {x, y + 13}});
    canvas.MoveTo(x + 7, y);
    canvas.LineTo(x + 7, y + 3);
    canvas.LineTo(x + 10, y + 3);
}

void Disk(gdi::TCanvas& canvas, int x, int y) {
    Box(canvas, x, y, x + 12, y + 12, gdi::clNavy);
    Box(canvas, x + 2, y, x + 10, y + 5, gdi::clWhite);
    Box(canvas, x + 3, y + 7, x + 9, y + 12, gdi::clSilver);
}

void Keys(gdi::TCanvas& canvas, int x, int y, int w) {
    Box(canvas, x, y, x + w, y + 9, gdi::clWhite);
    for (int k = x + 3; k < x + w - 1; k += 3) {
        canvas.MoveTo(k, y + 1);
        canvas.LineTo(k, y + 8);
    }
    canvas.Brush().SetColor(gdi::clBlack);
    for (int k = x + 2; k < x + w - 2; k += 6)
        canvas.FillRect({k, y + 1, k + 2, y + 5});
}

void Note(gdi::TCanvas& canvas, int x, int y, gdi::TColor colour) {
    canvas.Brush().SetColor(colour);
    canvas.Pen().SetColor(colour);
    canvas.Ellipse(x, y + 9, x + 6, y + 14);
    canvas.FillRect({x + 4, y, x + 6, y + 11});
    canvas.FillRect({x + 6, y, x + 10, y + 2});
    canvas.Pen().SetColor(gdi::clBlack);
}

void DrawMenuIcon(forms::TBitmap& bitmap, TMenuIcon icon) {
    gdi::TCanvas& c = Blank(bitmap, 16, 16);
    switch (icon) {
    case iconNew:
        Page(c, 3, 1);
        break;
    case iconOpen:
        Box(c, 1, 4, 14, 14, gdi::clYellow);
        c.Brush().SetColor(gdi::clOlive);
        c.Polygon({{1, 14}, {4, 8}, {15, 8}, {13, 14}});
        break;
    case iconSave:
        Disk(c, 2, 2);
        break;
    case iconSaveAll:
        Disk(c, 0, 0);
        Disk(c, 4, 4);
        break;
    case iconPrint:
        Page(c, 4, 0);
        Box(c, 1, 7, 15, 13, gdi::clSilver);
        Box(c, 4, 11, 12, 15, gdi::clWhite);
        break;
    case iconMidi:
        c.Brush().SetColor(gdi::clGray);
        c.Ellipse(1, 1, 15, 15);
        c.Brush().SetColor(gdi::clBlack);
        for (auto [x, y] :
             std::array<std::pair<int, int>, 5>{{{4, 7}, {5, 4}, {7, 3}, {9, 4}, {10, 7}}})
            c.FillRect({x, y, x + 2, y + 2});
        break;
    case iconPreview:
        Note(c, 3, 1, gdi::clNavy);
        break;
    case iconKeyboard:
        Keys(c, 0, 4, 16);
        break;
    case iconMonitor:
        Box(c, 1, 1, 15, 12, gdi::clBlack);
        c.Pen().SetColor(gdi::clLime);
        c.MoveTo(3, 8);
        c.LineTo(6, 4);
        c.LineTo(9, 9);
        c.LineTo(13, 3);
        c.Pen().SetColor(gdi::clBlack);
        Box(c, 5, 12, 11, 15, gdi::clSilver);
        break;
    case MenuIconCount:
        break;
    }
}

// Single elements: a letter-like mark in the element's colour; banks: three of them.
void DrawElement(forms::TBitmap& bitmap, gdi::TColor colour, bool bank) {
    const int width = bank ? 32 : 16;
    gdi::TCanvas& c = Blank(bitmap, width, 16);
    const int copies = bank ? 3 : 1;
    for (int i = 0; i < copies; ++i) {
        const int x = 1 + i * 10;
        Box(c, x, 2 + i, x + 11, 14, colour);
        c.Brush().SetColor(gdi::clWhite);
        c.FillRect({x + 2, 4 + i, x + 9, 6 + i});
    }
}

// A 32 x 32 bin: empty, or with paper in it.
void DrawBin(forms::TImage& image, bool full) {
    forms::TBitmap& b = image.Picture().Bitmap();
    gdi::TCanvas& c = Blank(b, 32, 32);
    c.Brush().SetColor(gdi::clSilver);
    c.Polygon({{6, 8}, {26, 8}, {23, 30}, {9, 30}});
    for (int x : {11, 16, 21}) {
        c.MoveTo(x, 11);
        c.LineTo(x, 28);
    }
    Box(c, 4, 5, 28, 9, gdi::clGray);
    Box(c, 13, 2, 19, 5, gdi::clGray);
    if (full) {
        c.Brush().SetColor(gdi::clWhite);
        c.Polygon({{7, 4}, {15, 0}, {18, 6}, {10, 8}});
        c.Polygon({{17, 3}, {26, 1}, {27, 7}, {19, 8}});
    }
    image.Transparent = true;
}

platform::win::HCURSOR MakeCursor(std::string_view rows, int hotX, int hotY) {
    // '#' black, '.' white, anything else clear; 16 columns a row.
    constexpr int Size = 16;
    std::array<std::uint32_t, Size * Size> pixels{};
    for (std::size_t i = 0; i < rows.size() && i < pixels.size(); ++i)
        pixels[i] = rows[i] == '#' ? 0xFF000000u : rows[i] == '.' ? 0xFFFFFFFFu : 0u;
    return platform::win::CreateCursorFromPixels(Size, Size, pixels.data(), hotX, hotY);
}

} // namespace

void DrawMenuIcons(forms::TImageList& list) {
    list.SetSize(16, 16);
    list.Clear();
    for (int i = 0; i < MenuIconCount; ++i) {
        forms::TBitmap bitmap;
        DrawMenuIcon(bitmap, static_cast<TMenuIcon>(i));
        list.AddMasked(bitmap, Clear);
    }
}

void DrawElementIcons(TFormquintaron& form) {
    DrawElement(form.Patch.Glyph(), gdi::clBlue, false);
    DrawElement(form.PatchBank.Glyph(), gdi::clBlue, true);
    DrawElement(form.Performance.Glyph(), gdi::clGreen, false);
    DrawElement(form.PerformanceBank.Glyph(), gdi::clGreen, true);
    DrawElement(form.Rhythm.Glyph(), gdi::clMaroon, false);
    DrawElement(form.RhythmBank.Glyph(), gdi::clMaroon, true);
    DrawElement(form.System.Glyph(), gdi::clTeal, false);
    DrawElement(form.global.Glyph(), gdi::clPurple, true);
}

void DrawTrashImages(forms::TImage& full, forms::TImage& empty) {
    DrawBin(full, true);
    DrawBin(empty, false);
}

platform::win::HCURSOR PreviewCursor() {
    static const platform::win::HCURSOR cursor = MakeCursor("    ######      "
                                                            "    #....#      "
                                                            "    #.####      "
                                                            "    #.#         "
                                                            "    #.#         "
                                                            "    #.#         "
                                                            "    #.#         "
                                                            "    #.#         "
                                                            " ####.#         "
                                                            "#.....#         "
                                                            "#.....#         "
                                                            " #####          "
                                                            "                "
                                                            "                "
                                                            "                "
                                                            "                ",
                                                            1, 10);
    return cursor;
}

platform::win::HCURSOR DragCursor() {
    static const platform::win::HCURSOR cursor = MakeCursor("#               "
                                                            "##              "
                                                            "#.#             "
                                                            "#..#            "
                                                            "#...#           "
                                                            "#....#          "
                                                            "#.....#         "
                                                            "#..#####        "
                                                            "#.#  ########   "
                                                            "##   #......#   "
                                                            "#    #......#   "
                                                            "     #......#   "
                                                            "     #......#   "
                                                            "     ########   "
                                                            "                "
                                                            "                ",
                                                            0, 0);
    return cursor;
}

} // namespace app
