#pragma once
// How the element lists (the library, bank and global windows) draw a row: 18 pixels high, aqua
// across the grid for a selected element and white otherwise, an element icon merged onto that
// colour, and texts at their columns one pixel below the row's top.

#include "platform/forms/graphics.h"
#include "platform/forms/grids.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

namespace model {
class TLibElem;
}

namespace app {

inline constexpr int ElemRowHeight = 18;

// Makes Grid an element list: one column without fixed cells, lines or options, rows of
// ElemRowHeight that the window draws itself.
void SetUpElemGrid(platform::forms::TDrawGrid& Grid);

// Fills the row at Top, Width wide, in Elem's colour (white without an element). A row of an
// element leaves the pen black for what is drawn over it. Gives whether there was an element.
bool FillElemRow(platform::gdi::TCanvas& Canvas, int Top, int Width, const model::TLibElem* Elem);

// A row's text at its column's left edge.
struct TRowText {
    int left;
    std::string text;
};
void DrawRowTexts(platform::gdi::TCanvas& Canvas, int Top, std::initializer_list<TRowText> Texts);

// The date and time of the element's last change as the lists show them.
std::string ModifiedText(const model::TLibElem& Elem);

// The element icons on white, made once per type when first drawn: merge-copy leaves white in
// the row's colour.
class TRowIcons {
public:
    // The icon of Type with its left edge at Left; nothing for a type without an icon.
    void Draw(platform::gdi::TCanvas& Canvas, std::int16_t Type, int Left, int Top);

private:
    std::array<std::unique_ptr<platform::forms::TBitmap>, 8> icons_;
};

} // namespace app
