#include "app/library_glyphs.h"

#include "app/form_library.h"
#include "app/form_quintaron.h"
#include "platform/gdi/colors.h"

namespace app {

namespace forms = platform::forms;
namespace gdi = platform::gdi;

namespace {

constexpr gdi::TColor Clear = 0xFF00FF;

gdi::TCanvas& Blank(forms::TBitmap& bitmap) {
    bitmap.SetSize(16, 16);
    gdi::TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(Clear);
    canvas.Pen().SetColor(Clear);
    canvas.FillRect({0, 0, 16, 16});
    canvas.Pen().SetColor(gdi::clBlack);
    return canvas;
}

void Box(gdi::TCanvas& canvas, int l, int t, int r, int b, gdi::TColor fill) {
    canvas.Brush().SetColor(fill);
    canvas.Rectangle(l, t, r, b);
}

void Line(gdi::TCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void Page(gdi::TCanvas& canvas, int x, int y) {
    canvas.Brush().SetColor(gdi::clWhite);
    canvas.Polygon({{x, y}, {x + 7, y}, {x + 10, y + 3}, {x + 10, y + 13}, {x, y + 13}});
}

void Arrow(gdi::TCanvas& canvas, bool right, gdi::TColor colour) {
    canvas.Brush().SetColor(colour);
    if (right)
        canvas.Polygon({{2, 6}, {8, 6}, {8, 2}, {14, 8}, {8, 14}, {8, 10}, {2, 10}});
    else
        canvas.Polygon({{14, 6}, {8, 6}, {8, 2}, {2, 8}, {8, 14}, {8, 10}, {14, 10}});
}

void DrawNew(forms::TBitmap& b) {
    Page(Blank(b), 3, 1);
}

void DrawComment(forms::TBitmap& b) {
    gdi::TCanvas& c = Blank(b);
    Page(c, 3, 1);
    for (int y = 5; y <= 11; y += 3)
        Line(c, 5, y, 11, y);
}

void DrawPrint(forms::TBitmap& b) {
    gdi::TCanvas& c = Blank(b);
    Box(c, 4, 1, 12, 7, gdi::clWhite);
    Box(c, 1, 6, 15, 12, gdi::clSilver);
    Box(c, 4, 10, 12, 15, gdi::clWhite);
}

void DrawDelete(forms::TBitmap& b) {
    gdi::TCanvas& c = Blank(b);
    c.Pen().SetColor(gdi::clRed);
    for (int d = 0; d < 2; ++d) {
        Line(c, 3 + d, 3, 13 + d, 13);
        Line(c, 13 + d, 3, 3 + d, 13);
    }
}

void DrawSend(forms::TBitmap& b) {
    Arrow(Blank(b), true, gdi::clGreen);
}

void DrawReceive(forms::TBitmap& b) {
    Arrow(Blank(b), false, gdi::clBlue);
}

void DrawSearch(forms::TBitmap& b) {
    gdi::TCanvas& c = Blank(b);
    c.Brush().SetColor(gdi::clAqua);
    c.Ellipse(1, 1, 10, 10);
    for (int d = 0; d < 2; ++d)
        Line(c, 8 + d, 9, 14 + d, 15);
}

void DrawDuplicate(forms::TBitmap& b) {
    gdi::TCanvas& c = Blank(b);
    Page(c, 1, 0);
    Page(c, 5, 2);
}

void DrawMorph(forms::TBitmap& b) {
    gdi::TCanvas& c = Blank(b);
    Box(c, 1, 1, 7, 7, gdi::clBlue);
    Box(c, 9, 9, 15, 15, gdi::clRed);
    Line(c, 6, 6, 10, 10);
}

void DrawRandom(forms::TBitmap& b) {
    gdi::TCanvas& c = Blank(b);
    Box(c, 1, 1, 15, 15, gdi::clWhite);
    c.Brush().SetColor(gdi::clBlack);
    for (auto [x, y] :
         {std::pair{4, 4}, std::pair{7, 7}, std::pair{10, 10}, std::pair{10, 4}, std::pair{4, 10}})
        c.FillRect({x, y, x + 2, y + 2});
}

void DrawHelp(forms::TBitmap& b) {
    gdi::TCanvas& c = Blank(b);
    c.Pen().SetColor(gdi::clNavy);
    for (int d = 0; d < 2; ++d) {
        Line(c, 5, 4 + d, 7, 2 + d);
        Line(c, 7, 2 + d, 10, 2 + d);
        Line(c, 10, 2 + d, 11, 4 + d);
        Line(c, 11, 4 + d, 8, 8 + d);
        Line(c, 8 + d, 8, 8 + d, 11);
    }
    c.Brush().SetColor(gdi::clNavy);
    c.FillRect({7, 13, 10, 16});
}

} // namespace

void DrawLibraryGlyphs(TFormLibrary& form) {
    DrawNew(form.SpeedNuovo.Glyph());
    DrawComment(form.Speedcomment.Glyph());
    DrawPrint(form.SpeedPrint.Glyph());
    DrawDelete(form.SpeedDelete.Glyph());
    DrawSend(form.speedtransmet.Glyph());
    DrawReceive(form.speedreceive.Glyph());
    DrawSearch(form.SpeedSearch.Glyph());
    DrawDuplicate(form.Speeddebug.Glyph());
    DrawMorph(form.speedMorph.Glyph());
    DrawRandom(form.RandomBtn.Glyph());
    DrawHelp(form.SpeedHelp.Glyph());
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return;
    forms::TBitBtn* const icons[] = {&main->Patch,           &main->PatchBank, &main->Performance,
                                     &main->PerformanceBank, &main->Rhythm,    &main->RhythmBank,
                                     &main->System,          &main->global};
    for (int type = 0; type < 8; ++type) {
        form.NewButton(type).Glyph().Assign(icons[type]->Glyph());
        form.MaskButton(type).Glyph().Assign(icons[type]->Glyph());
    }
}

} // namespace app
