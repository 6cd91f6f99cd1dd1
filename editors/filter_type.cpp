#include "editors/filter_type.h"

#include "platform/gdi/colors.h"

#include <array>
#include <vector>

namespace editors {

namespace {

namespace gdi = platform::gdi;
using platform::forms::TPoint;

// The curves as fractions of the image: x in eighths of the width, y in eighths of the height
// (0 at the top); the resonance hump of the filters sits where they begin to cut.
struct TFraction {
    int X;
    int Y;
};

std::vector<TFraction> Curve(int type) {
    switch (type) {
    case 1:
        return {{0, 3}, {4, 3}, {5, 2}, {6, 5}, {7, 7}};
    case 2:
        return {{0, 7}, {2, 6}, {3, 3}, {4, 1}, {5, 3}, {6, 6}, {8, 7}};
    case 3:
        return {{1, 7}, {2, 5}, {3, 2}, {4, 3}, {8, 3}};
    case 4:
        return {{0, 5}, {3, 5}, {4, 1}, {5, 5}, {8, 5}};
    default:
        return {};
    }
}

} // namespace

std::string FilterTypeName(int type) {
    static const std::array<const char*, 5> names = {"No Filter", "Low Pass", "Band Pass",
                                                     "High Pass", "Peaking"};
    return type >= 0 && type < static_cast<int>(names.size()) ? names[type] : "";
}

void DrawFilterType(platform::forms::TImage& image, platform::forms::TLabel& label, int type) {
    gdi::TCanvas& canvas = image.Canvas();
    const int width = image.Width();
    const int height = image.Height();
    canvas.Brush().SetColor(gdi::clAqua);
    canvas.Brush().SetStyle(gdi::TBrushStyle::bsSolid);
    canvas.FillRect({0, 0, width, height});
    canvas.Pen().SetColor(gdi::clBlack);
    if (type == 0) {
        canvas.Font().SetColor(gdi::clBlack);
        canvas.TextOut(20, 12, "OFF");
    } else {
        std::vector<TPoint> points;
        // Kept one pixel inside, so that the ends of the curve show.
        for (const TFraction& f : Curve(type))
            points.push_back({1 + f.X * (width - 3) / 8, 1 + f.Y * (height - 3) / 8});
        if (!points.empty()) canvas.Polyline(points);
    }
    label.SetCaption(FilterTypeName(type));
    image.Invalidate();
}

} // namespace editors
