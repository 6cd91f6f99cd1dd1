#include "app/app_images.h"

#include "model/elements/lib_elem.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <vector>

namespace app {

namespace forms = platform::forms;
namespace pg = platform::gdi;

namespace {

using pg::TCanvas;
using pg::TColor;

// Shapes in inclusive pixel coordinates: a box from (l, t) to (r, b) covers both corners.
void Fill(TCanvas& c, int l, int t, int r, int b, TColor color) {
    c.Brush().SetStyle(pg::TBrushStyle::bsSolid);
    c.Brush().SetColor(color);
    c.FillRect({l, t, r + 1, b + 1});
}

void UsePen(TCanvas& c, TColor frame) {
    c.Pen().SetStyle(pg::TPenStyle::psSolid);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(frame);
}

void UseBrush(TCanvas& c, TColor fill) {
    c.Brush().SetStyle(pg::TBrushStyle::bsSolid);
    c.Brush().SetColor(fill);
}

void Box(TCanvas& c, int l, int t, int r, int b, TColor fill, TColor frame) {
    UsePen(c, frame);
    UseBrush(c, fill);
    c.Rectangle(l, t, r + 1, b + 1);
}

void Oval(TCanvas& c, int l, int t, int r, int b, TColor fill, TColor frame) {
    UsePen(c, frame);
    UseBrush(c, fill);
    c.Ellipse(l, t, r + 1, b + 1);
}

void Shape(TCanvas& c, const std::vector<pg::TPoint>& points, TColor fill, TColor frame) {
    UsePen(c, frame);
    UseBrush(c, fill);
    c.Polygon(points);
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2, TColor color) {
    UsePen(c, color);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
    c.SetPixel(x2, y2, color);
}

// Pixel art: one string a row, one character a pixel; '.' leaves the pixel as it is.
TColor PaletteColor(char code) {
    switch (code) {
    case 'k':
        return pg::clBlack;
    case 'w':
        return pg::clWhite;
    case 'n':
        return pg::clNavy;
    case 'b':
        return pg::clBlue;
    case 'y':
        return pg::clYellow;
    case 'o':
        return pg::clOlive;
    case 'g':
        return pg::clGray;
    case 's':
        return pg::clSilver;
    case 'r':
        return pg::clRed;
    case 'm':
        return pg::clMaroon;
    case 't':
        return pg::clTeal;
    case 'a':
        return pg::clAqua;
    case 'G':
        return pg::clGreen;
    case 'l':
        return pg::clLime;
    default:
        return pg::clPurple;
    }
}

void Pixels(TCanvas& c, int x, int y, std::initializer_list<const char*> rows) {
    for (const char* row : rows) {
        for (int i = 0; row[i] != '\0'; ++i)
            if (row[i] != '.') c.SetPixel(x + i, y, PaletteColor(row[i]));
        ++y;
    }
}

void Start(forms::TBitmap& into, int width, int height) {
    into.SetSize(width, height);
    Fill(into.Canvas(), 0, 0, width - 1, height - 1, ImageBackground);
}

// A sheet of paper with its top-right corner folded.
void Sheet(TCanvas& c, int l, int t, int r, int b) {
    Shape(c, {{l, t}, {r - 3, t}, {r, t + 3}, {r, b}, {l, b}}, pg::clWhite, pg::clBlack);
    Line(c, r - 3, t, r - 3, t + 3, pg::clBlack);
    Line(c, r - 3, t + 3, r, t + 3, pg::clBlack);
}

void TextLines(TCanvas& c, int l, int t, int r, int count, TColor color) {
    for (int i = 0; i < count; ++i)
        Line(c, l, t + 2 * i, i % 2 ? r - 2 : r, t + 2 * i, color);
}

void Floppy(TCanvas& c, int l, int t, int size) {
    const int r = l + size - 1, b = t + size - 1;
    Box(c, l, t, r, b, pg::clNavy, pg::clBlack);
    Fill(c, l + 3, t + 1, r - 3, t + size / 2, pg::clWhite);
    Line(c, l + 4, t + 3, r - 4, t + 3, pg::clSilver);
    Fill(c, l + 4, b - 3, r - 3, b - 1, pg::clSilver);
    Fill(c, l + 5, b - 3, l + 6, b - 2, pg::clNavy);
}

void Folder(TCanvas& c) {
    Shape(c, {{0, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 13}, {0, 13}}, pg::clOlive, pg::clBlack);
    Shape(c, {{3, 7}, {15, 7}, {12, 13}, {0, 13}}, pg::clYellow, pg::clBlack);
}

// Piano keys: white keys three pixels wide, black keys on the boundaries where a scale has them.
void Keys(TCanvas& c, int l, int t, int r, int b) {
    Box(c, l, t, r, b, pg::clWhite, pg::clBlack);
    const int blackBottom = t + (b - t) * 3 / 5;
    for (int key = 1; l + 3 * key < r; ++key) {
        const int x = l + 3 * key;
        Line(c, x, t, x, b, pg::clBlack);
        if (key % 7 != 3 && key % 7 != 0) Fill(c, x - 1, t, x + 1, blackBottom, pg::clBlack);
    }
}

void Arrow(TCanvas& c, int x, int top, int bottom, bool down, TColor color) {
    Fill(c, x - 1, down ? top : top + 3, x + 1, down ? bottom - 3 : bottom, color);
    const int tip = down ? bottom : top, base = down ? bottom - 3 : top + 3;
    Shape(c, {{x - 4, base}, {x + 4, base}, {x, tip}}, color, color);
}

// A small window with a navy title bar.
void Window(TCanvas& c, int l, int t, int r, int b) {
    Box(c, l, t, r, b, pg::clWhite, pg::clNavy);
    Fill(c, l, t, r, t + 2, pg::clNavy);
}

void RoundBadge(TCanvas& c, TColor fill) {
    Oval(c, 0, 0, 15, 15, fill, pg::clNavy);
}

void MenuImage(TCanvas& c, TMenuImage image) {
    switch (image) {
    case TMenuImage::New:
        Sheet(c, 3, 1, 13, 14);
        Pixels(c, 0, 0, {"..y", "yyyyy", "..y"});
        break;
    case TMenuImage::Open:
        Folder(c);
        break;
    case TMenuImage::ImportFromSynth:
        Keys(c, 0, 0, 15, 6);
        Arrow(c, 8, 7, 15, true, pg::clGreen);
        break;
    case TMenuImage::Close:
        Sheet(c, 1, 1, 11, 14);
        TextLines(c, 3, 6, 8, 4, pg::clGray);
        Pixels(
            c, 8, 8,
            {"rr....rr", ".rr..rr.", "..rrrr..", "...rr...", "..rrrr..", ".rr..rr.", "rr....rr"});
        break;
    case TMenuImage::Save:
        Floppy(c, 0, 0, 15);
        break;
    case TMenuImage::SaveAs:
        Floppy(c, 0, 0, 13);
        Shape(c, {{14, 6}, {15, 7}, {9, 13}, {7, 14}, {8, 12}}, pg::clYellow, pg::clMaroon);
        break;
    case TMenuImage::ExportToSynth:
        Arrow(c, 8, 0, 8, true, pg::clRed);
        Keys(c, 0, 9, 15, 14);
        break;
    case TMenuImage::SaveAll:
        Floppy(c, 5, 0, 11);
        Floppy(c, 0, 4, 11);
        break;
    case TMenuImage::Print:
        Box(c, 4, 0, 11, 6, pg::clWhite, pg::clBlack);
        Box(c, 0, 5, 15, 12, pg::clSilver, pg::clBlack);
        Line(c, 1, 11, 14, 11, pg::clGray);
        c.SetPixel(12, 7, pg::clLime);
        Box(c, 4, 10, 11, 15, pg::clWhite, pg::clBlack);
        Line(c, 6, 12, 9, 12, pg::clGray);
        break;
    case TMenuImage::Exit:
        Box(c, 1, 0, 9, 15, pg::clSilver, pg::clBlack);
        Shape(c, {{2, 1}, {7, 3}, {7, 15}, {2, 14}}, pg::clMaroon, pg::clBlack);
        c.SetPixel(6, 8, pg::clYellow);
        Fill(c, 9, 7, 12, 8, pg::clGreen);
        Shape(c, {{12, 4}, {15, 7}, {15, 8}, {12, 11}}, pg::clGreen, pg::clGreen);
        break;
    case TMenuImage::Midi:
        Oval(c, 0, 0, 15, 15, pg::clGray, pg::clBlack);
        Oval(c, 2, 2, 13, 13, pg::clSilver, pg::clGray);
        Fill(c, 7, 1, 8, 2, pg::clBlack);
        for (const pg::TPoint pin : {pg::TPoint{3, 7}, {4, 10}, {7, 11}, {10, 10}, {11, 7}})
            Fill(c, pin.X, pin.Y, pin.X + 1, pin.Y + 1, pg::clBlack);
        break;
    case TMenuImage::Preview:
        Box(c, 1, 5, 4, 10, pg::clGray, pg::clBlack);
        Shape(c, {{4, 5}, {8, 1}, {8, 14}, {4, 10}}, pg::clSilver, pg::clBlack);
        Pixels(
            c, 10, 3,
            {".n", "..n", "n..n", ".n.n", ".n..n", ".n..n", ".n..n", ".n.n", "n..n", "..n", ".n"});
        break;
    case TMenuImage::Expansion:
        Box(c, 0, 2, 15, 11, pg::clGreen, pg::clBlack);
        Box(c, 3, 4, 8, 8, pg::clBlack, pg::clBlack);
        Fill(c, 10, 4, 13, 5, pg::clSilver);
        for (int x = 1; x <= 14; x += 2)
            Fill(c, x, 12, x, 14, pg::clOlive);
        break;
    case TMenuImage::Names:
        Box(c, 2, 0, 13, 15, pg::clWhite, pg::clBlack);
        Fill(c, 3, 1, 12, 3, pg::clTeal);
        TextLines(c, 4, 6, 11, 4, pg::clNavy);
        break;
    case TMenuImage::Keyboard:
        Keys(c, 0, 3, 15, 12);
        break;
    case TMenuImage::Monitor:
        Box(c, 0, 0, 15, 11, pg::clSilver, pg::clBlack);
        Fill(c, 2, 2, 13, 9, pg::clBlack);
        Pixels(c, 3, 3, {"ll.ll.l", "", "l.lll.ll", "", "lll.l"});
        Fill(c, 6, 12, 9, 13, pg::clGray);
        Fill(c, 3, 14, 12, 15, pg::clGray);
        break;
    case TMenuImage::Cascade:
        Window(c, 0, 0, 9, 8);
        Window(c, 3, 3, 12, 11);
        Window(c, 6, 6, 15, 15);
        break;
    case TMenuImage::Tile:
        Window(c, 0, 0, 7, 14);
        Window(c, 8, 0, 15, 14);
        break;
    case TMenuImage::Arrange:
        Box(c, 0, 0, 15, 14, pg::clSilver, pg::clGray);
        Fill(c, 1, 11, 4, 13, pg::clNavy);
        Fill(c, 6, 11, 9, 13, pg::clNavy);
        Fill(c, 11, 11, 14, 13, pg::clNavy);
        break;
    case TMenuImage::MinimizeAll:
        Window(c, 2, 0, 15, 9);
        Window(c, 0, 2, 13, 11);
        Fill(c, 3, 14, 10, 15, pg::clBlack);
        break;
    case TMenuImage::HelpIndex:
        RoundBadge(c, pg::clBlue);
        Pixels(c, 5, 3, {".www.", "ww.ww", "...ww", "..ww.", "..w..", "..w..", "", "..w.."});
        break;
    case TMenuImage::About:
        RoundBadge(c, pg::clTeal);
        Pixels(c, 6, 3, {".ww", "", "www", ".ww", ".ww", ".ww", ".ww", "wwww"});
        break;
    }
}

// The icons of the four single kinds, drawn at (x, 0).
void PatchIcon(TCanvas& c, int x) {
    Box(c, x + 1, 1, x + 14, 14, pg::clTeal, pg::clNavy);
    std::vector<pg::TPoint> wave;
    for (int i = 0; i <= 10; ++i)
        wave.push_back({x + 3 + i, 8 - static_cast<int>(std::lround(
                                           3.4 * std::sin(i * 2 * std::numbers::pi / 10)))});
    UsePen(c, pg::clWhite);
    c.Polyline(wave);
}

void PerformanceIcon(TCanvas& c, int x) {
    Box(c, x + 1, 1, x + 14, 14, pg::clWhite, pg::clNavy);
    Fill(c, x + 3, 3, x + 12, 4, pg::clRed);
    Fill(c, x + 3, 6, x + 9, 7, pg::clGreen);
    Fill(c, x + 6, 9, x + 12, 10, pg::clBlue);
    Fill(c, x + 3, 12, x + 7, 12, pg::clPurple);
}

void RhythmIcon(TCanvas& c, int x) {
    Fill(c, x + 2, 1, x + 14, 1, ImageBackground);
    Box(c, x + 2, 4, x + 13, 12, pg::clRed, pg::clMaroon);
    Oval(c, x + 2, 10, x + 13, 14, pg::clRed, pg::clMaroon);
    Fill(c, x + 3, 10, x + 12, 11, pg::clRed);
    Oval(c, x + 2, 2, x + 13, 6, pg::clSilver, pg::clGray);
    Line(c, x + 4, 8, x + 6, 11, pg::clWhite);
    Line(c, x + 9, 8, x + 11, 11, pg::clWhite);
    Line(c, x + 0, 0, x + 7, 4, pg::clOlive);
    Line(c, x + 15, 0, x + 9, 4, pg::clOlive);
}

void SystemIcon(TCanvas& c, int x) {
    Box(c, x + 0, 3, x + 15, 12, pg::clSilver, pg::clBlack);
    Oval(c, x + 2, 5, x + 6, 9, pg::clBlack, pg::clBlack);
    Oval(c, x + 8, 5, x + 12, 9, pg::clBlack, pg::clBlack);
    c.SetPixel(x + 4, 5, pg::clWhite);
    c.SetPixel(x + 11, 6, pg::clWhite);
    Fill(c, x + 2, 10, x + 10, 10, pg::clGray);
    Fill(c, x + 13, 5, x + 13, 5, pg::clRed);
}

void GlobeIcon(TCanvas& c, int x) {
    Oval(c, x + 0, 0, x + 15, 15, pg::clAqua, pg::clNavy);
    Shape(c, {{x + 3, 4}, {x + 7, 3}, {x + 8, 7}, {x + 5, 9}, {x + 3, 7}}, pg::clGreen,
          pg::clGreen);
    Shape(c, {{x + 9, 9}, {x + 12, 8}, {x + 12, 12}, {x + 10, 13}}, pg::clGreen, pg::clGreen);
    UsePen(c, pg::clNavy);
    UseBrush(c, pg::clAqua);
    c.Brush().SetStyle(pg::TBrushStyle::bsClear);
    c.Ellipse(x + 4, 0, x + 12, 16);
    Line(c, x + 1, 7, x + 14, 7, pg::clNavy);
}

using TIcon = void (*)(TCanvas&, int);

// A bank: three of its element's icons fanned out, the front one on the left.
void Bank(TCanvas& c, TIcon icon) {
    for (int x = 16; x >= 0; x -= 8)
        icon(c, x);
}

// A horizontal arrow along row y, pointing right or left.
void SideArrow(TCanvas& c, int y, bool right, TColor color) {
    Fill(c, right ? 1 : 5, y - 1, right ? 10 : 14, y + 1, color);
    const int tip = right ? 14 : 1, base = right ? 10 : 5;
    Shape(c, {{base, y - 4}, {base, y + 4}, {tip, y}}, color, color);
}

void LibraryGlyph(TCanvas& c, TLibraryGlyph glyph) {
    switch (glyph) {
    case TLibraryGlyph::New:
        MenuImage(c, TMenuImage::New);
        break;
    case TLibraryGlyph::Comment:
        Sheet(c, 1, 1, 11, 14);
        TextLines(c, 3, 6, 8, 4, pg::clNavy);
        Shape(c, {{14, 6}, {15, 7}, {9, 13}, {7, 14}, {8, 12}}, pg::clYellow, pg::clMaroon);
        break;
    case TLibraryGlyph::Print:
        MenuImage(c, TMenuImage::Print);
        break;
    case TLibraryGlyph::Delete:
        for (int d = 0; d < 2; ++d) {
            Line(c, 2 + d, 2, 12 + d, 12, pg::clRed);
            Line(c, 12 + d, 2, 2 + d, 12, pg::clRed);
        }
        break;
    case TLibraryGlyph::Send:
        SideArrow(c, 7, true, pg::clGreen);
        break;
    case TLibraryGlyph::Receive:
        SideArrow(c, 7, false, pg::clBlue);
        break;
    case TLibraryGlyph::Search:
        Oval(c, 0, 0, 9, 9, pg::clAqua, pg::clNavy);
        c.SetPixel(3, 3, pg::clWhite);
        Line(c, 8, 8, 14, 14, pg::clBlack);
        Line(c, 9, 8, 15, 14, pg::clBlack);
        break;
    case TLibraryGlyph::Duplicate:
        Sheet(c, 0, 0, 9, 11);
        Sheet(c, 5, 4, 14, 15);
        TextLines(c, 7, 9, 12, 3, pg::clGray);
        break;
    case TLibraryGlyph::Morph:
        Box(c, 0, 0, 6, 6, pg::clTeal, pg::clNavy);
        Box(c, 9, 9, 15, 15, pg::clRed, pg::clMaroon);
        Pixels(c, 5, 7, {"kk", ".kk", "..kk"});
        break;
    case TLibraryGlyph::Random:
        Box(c, 1, 1, 14, 14, pg::clWhite, pg::clBlack);
        for (const pg::TPoint pip : {pg::TPoint{3, 3}, {7, 7}, {11, 11}, {11, 3}, {3, 11}})
            Fill(c, pip.X, pip.Y, pip.X + 1, pip.Y + 1, pg::clBlack);
        break;
    case TLibraryGlyph::Help:
        MenuImage(c, TMenuImage::HelpIndex);
        break;
    }
}

// The cursors, one character a pixel: '#' black, '.' white, ' ' clear; with their hot spots.
struct TCursorArt {
    const char* rows;
    int hotX;
    int hotY;
};

const TCursorArt& CursorArt(TAppCursor cursor) {
    static const TCursorArt preview{"    ######      "
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
                                    1, 10};
    static const TCursorArt drag{"#               "
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
                                 0, 0};
    return cursor == TAppCursor::Preview ? preview : drag;
}

} // namespace

void DrawMenuImage(forms::TBitmap& Into, TMenuImage Image) {
    Start(Into, 16, 16);
    MenuImage(Into.Canvas(), Image);
}

void FillMenuImages(forms::TImageList& List) {
    List.SetSize(16, 16);
    forms::TBitmap image;
    for (int i = 0; i < MenuImageCount; ++i) {
        DrawMenuImage(image, static_cast<TMenuImage>(i));
        List.AddMasked(image, ImageBackground);
    }
}

int MenuImageIndex(TMenuImage Image) {
    return static_cast<int>(Image);
}

void DrawElemIcon(forms::TBitmap& Into, std::int16_t Type) {
    const bool wide = Type == model::etPatchBank || Type == model::etPerformanceBank ||
                      Type == model::etRhythmBank || Type == model::etGlobal;
    Start(Into, wide ? 32 : 16, 16);
    TCanvas& c = Into.Canvas();
    switch (Type) {
    case model::etPatch:
        PatchIcon(c, 0);
        break;
    case model::etPerformance:
        PerformanceIcon(c, 0);
        break;
    case model::etRhythm:
        RhythmIcon(c, 0);
        break;
    case model::etSystem:
        SystemIcon(c, 0);
        break;
    case model::etPatchBank:
        Bank(c, PatchIcon);
        break;
    case model::etPerformanceBank:
        Bank(c, PerformanceIcon);
        break;
    case model::etRhythmBank:
        Bank(c, RhythmIcon);
        break;
    case model::etGlobal:
        SystemIcon(c, 16);
        GlobeIcon(c, 0);
        break;
    default:
        break;
    }
}

void DrawBin(forms::TBitmap& Into, bool Full) {
    Start(Into, BinSize, BinSize);
    TCanvas& c = Into.Canvas();
    // The body: a tapering can with ribs.
    Shape(c, {{7, 9}, {24, 9}, {22, 30}, {9, 30}}, pg::clSilver, pg::clBlack);
    for (int x : {12, 16, 20})
        Line(c, x - (x - 16) / 8, 12, x - (x - 16) / 4, 27, pg::clGray);
    if (Full) {
        // Sheets and a sound or two spill out under the lifted lid.
        Shape(c, {{8, 9}, {10, 3}, {16, 6}, {14, 9}}, pg::clWhite, pg::clBlack);
        Shape(c, {{15, 9}, {19, 2}, {24, 5}, {23, 9}}, pg::clWhite, pg::clBlack);
        Box(c, 11, 5, 16, 9, pg::clTeal, pg::clNavy);
        Line(c, 12, 7, 15, 7, pg::clWhite);
        Box(c, 18, 6, 22, 9, pg::clRed, pg::clMaroon);
        Shape(c, {{21, 0}, {31, 6}, {30, 8}, {20, 2}}, pg::clGray, pg::clBlack);
        Line(c, 25, 2, 27, 1, pg::clBlack);
    } else {
        Box(c, 5, 6, 26, 9, pg::clGray, pg::clBlack);
        Box(c, 13, 3, 18, 6, pg::clGray, pg::clBlack);
        Fill(c, 14, 5, 17, 5, ImageBackground);
        Line(c, 6, 7, 25, 7, pg::clSilver);
    }
}

void DrawMorphGlyph(forms::TBitmap& Into, TMorphGlyph Glyph) {
    Start(Into, 16, 16);
    TCanvas& c = Into.Canvas();
    if (Glyph == TMorphGlyph::Play)
        Shape(c, {{4, 2}, {12, 8}, {4, 14}}, pg::clGreen, pg::clBlack);
    else
        Box(c, 3, 3, 12, 12, pg::clMaroon, pg::clBlack);
}

void DrawLibraryGlyph(forms::TBitmap& Into, TLibraryGlyph Glyph) {
    Start(Into, 16, 16);
    LibraryGlyph(Into.Canvas(), Glyph);
}

void DrawCursorImage(forms::TBitmap& Into, TAppCursor Cursor) {
    Start(Into, CursorSize, CursorSize);
    const char* rows = CursorArt(Cursor).rows;
    for (int i = 0; i < CursorSize * CursorSize; ++i)
        if (rows[i] == '#' || rows[i] == '.')
            Into.Canvas().SetPixel(i % CursorSize, i / CursorSize,
                                   rows[i] == '#' ? pg::clBlack : pg::clWhite);
}

platform::win::HCURSOR AppCursor(TAppCursor Cursor) {
    const auto make = [](TAppCursor cursor) {
        const TCursorArt& art = CursorArt(cursor);
        std::array<std::uint32_t, CursorSize * CursorSize> pixels{};
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = art.rows[i] == '#' ? 0xFF000000u : art.rows[i] == '.' ? 0xFFFFFFFFu : 0u;
        return platform::win::CreateCursorFromPixels(CursorSize, CursorSize, pixels.data(),
                                                     art.hotX, art.hotY);
    };
    static const platform::win::HCURSOR preview = make(TAppCursor::Preview);
    static const platform::win::HCURSOR drag = make(TAppCursor::Drag);
    return Cursor == TAppCursor::Preview ? preview : drag;
}

void DrawIntroPicture(forms::TBitmap& Into) {
    Into.SetSize(IntroWidth, IntroHeight);
    TCanvas& c = Into.Canvas();
    // A night-blue ground, lighter towards the bottom.
    for (int y = 0; y < IntroHeight; ++y) {
        const int shade = y * 96 / IntroHeight;
        Fill(c, 0, y, IntroWidth - 1, y, pg::RGB(0, shade / 3, 64 + shade));
    }
    // The waveform: a tone swelling and dying across the picture, in two strokes.
    std::vector<pg::TPoint> wave;
    for (int x = 16; x < IntroWidth - 16; ++x) {
        const double t = (x - 16.0) / (IntroWidth - 32);
        const double envelope = std::sin(std::numbers::pi * t) * std::exp(-1.5 * t);
        wave.push_back({x, 150 - static_cast<int>(std::lround(
                                     60 * envelope * std::sin(2 * std::numbers::pi * 14 * t)))});
    }
    c.Pen().SetStyle(pg::TPenStyle::psSolid);
    c.Pen().SetWidth(3);
    c.Pen().SetColor(pg::clTeal);
    c.Polyline(wave);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(pg::clAqua);
    c.Polyline(wave);
    // The program's name and what it is.
    c.Brush().SetStyle(pg::TBrushStyle::bsClear);
    c.Font().SetName("Arial");
    c.Font().SetStyle(pg::fsBold | pg::fsItalic);
    c.Font().SetHeight(-64);
    const std::string name = "Quintaron";
    const pg::TSize nameSize = c.TextExtent(name);
    const int nameX = (IntroWidth - nameSize.cx) / 2;
    c.Font().SetColor(pg::clBlack);
    c.TextOut(nameX + 3, 24 + 3, name);
    c.Font().SetColor(pg::clWhite);
    c.TextOut(nameX, 24, name);
    c.Font().SetStyle(0);
    c.Font().SetHeight(-16);
    c.Font().SetColor(pg::clSilver);
    const std::string line = "Sound editor and librarian";
    c.TextOut((IntroWidth - c.TextExtent(line).cx) / 2, 100, line);
    // Three octaves of keys along the bottom.
    const int top = 228, bottom = IntroHeight - 12, keyWidth = 23, keys = 21;
    const int left = (IntroWidth - keys * keyWidth) / 2;
    Box(c, left - 4, top - 4, left + keys * keyWidth + 3, bottom + 3, pg::clBlack, pg::clGray);
    for (int key = 0; key < keys; ++key) {
        const int x = left + key * keyWidth;
        Box(c, x, top, x + keyWidth - 1, bottom, pg::clWhite, pg::clBlack);
        Fill(c, x + 1, bottom - 4, x + keyWidth - 2, bottom - 1, pg::clSilver);
    }
    for (int key = 1; key < keys; ++key)
        if (key % 7 != 3 && key % 7 != 0) {
            const int x = left + key * keyWidth;
            Box(c, x - 7, top, x + 6, top + 50, pg::clBlack, pg::clBlack);
            Fill(c, x - 5, top + 44, x + 4, top + 47, pg::clGray);
        }
}

void DrawProgramIcon(forms::TBitmap& Into) {
    Start(Into, ProgramIconSize, ProgramIconSize);
    TCanvas& c = Into.Canvas();
    Box(c, 1, 1, 30, 30, pg::clNavy, pg::clBlack);
    // A tone swelling and dying, as on the intro picture.
    std::vector<pg::TPoint> wave;
    for (int x = 4; x <= 27; ++x) {
        const double t = (x - 4) / 23.0;
        const double envelope = std::sin(std::numbers::pi * t) * std::exp(-1.2 * t);
        wave.push_back({x, 10 - static_cast<int>(std::lround(
                                    7 * envelope * std::sin(2 * std::numbers::pi * 3 * t)))});
    }
    UsePen(c, pg::clAqua);
    c.Polyline(wave);
    // Five white keys and three black ones.
    for (int key = 0; key < 5; ++key)
        Box(c, 4 + key * 5, 19, 8 + key * 5, 28, pg::clWhite, pg::clBlack);
    for (int key : {1, 2, 4})
        Fill(c, 2 + key * 5, 19, 5 + key * 5, 24, pg::clBlack);
}

} // namespace app
