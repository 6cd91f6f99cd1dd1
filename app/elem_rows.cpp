#include "app/elem_rows.h"

#include "app/app_images.h"
#include "model/elements/lib_elem.h"
#include "platform/core/date_time.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"

namespace app {

namespace gdi = platform::gdi;
namespace forms = platform::forms;

void SetUpElemGrid(forms::TDrawGrid& Grid) {
    Grid.SetColCount(1);
    Grid.SetFixedCols(0);
    Grid.SetFixedRows(0);
    Grid.SetGridLineWidth(0);
    Grid.SetOptions(0);
    Grid.SetDefaultRowHeight(ElemRowHeight);
    Grid.DefaultDrawing = false;
}

bool FillElemRow(gdi::TCanvas& Canvas, int Top, int Width, const model::TLibElem* Elem) {
    const gdi::TRect row{0, Top, Width, Top + ElemRowHeight};
    if (Elem == nullptr) {
        Canvas.Brush().SetColor(gdi::clWhite);
        Canvas.FillRect(row);
        return false;
    }
    if (Elem->Selected) {
        Canvas.Brush().SetColor(gdi::clAqua);
        Canvas.Pen().SetColor(gdi::clAqua);
    } else {
        Canvas.Brush().SetColor(gdi::clWhite);
    }
    Canvas.FillRect(row);
    Canvas.Pen().SetColor(gdi::clBlack);
    return true;
}

void DrawRowTexts(gdi::TCanvas& Canvas, int Top, std::initializer_list<TRowText> Texts) {
    for (const TRowText& text : Texts)
        Canvas.TextOut(text.left, Top + 1, text.text);
}

std::string ModifiedText(const model::TLibElem& Elem) {
    return platform::core::DateToStr(Elem.ModifiedDate) + "  " +
           platform::core::TimeToStr(Elem.ModifiedTime);
}

void TRowIcons::Draw(gdi::TCanvas& Canvas, std::int16_t Type, int Left, int Top) {
    if (Type < 0 || Type >= static_cast<int>(icons_.size())) return;
    std::unique_ptr<forms::TBitmap>& icon = icons_[static_cast<std::size_t>(Type)];
    if (icon == nullptr) {
        icon = std::make_unique<forms::TBitmap>();
        DrawElemIcon(*icon, Type);
        for (int y = 0; y < icon->Height(); ++y)
            for (int x = 0; x < icon->Width(); ++x)
                if (icon->Canvas().Pixel(x, y) == ImageBackground)
                    icon->Canvas().SetPixel(x, y, gdi::clWhite);
    }
    const gdi::TRect source{0, 0, icon->Width(), icon->Height()};
    const gdi::TRect dest{Left, Top, Left + icon->Width(), Top + icon->Height()};
    Canvas.SetCopyMode(gdi::MERGECOPY);
    Canvas.CopyRect(dest, icon->Canvas(), source);
    Canvas.SetCopyMode(gdi::SRCCOPY);
}

} // namespace app
