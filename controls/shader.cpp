#include "controls/shader.h"

#include <cmath>

namespace controls {

namespace gdi = platform::gdi;

namespace {

// The gradient rounds halves to even: nearbyint under the default rounding mode.
int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

int Channel(forms::TColor color, int shift) {
    return (color >> shift) & 0xFF;
}

} // namespace

TShader::TShader(forms::TComponent* owner) : forms::TPanel(owner) {}

void TShader::SetFromColor(forms::TColor value) {
    fromColor_ = static_cast<forms::TColor>(gdi::ColorToRGB(value));
    Invalidate();
}

void TShader::SetToColor(forms::TColor value) {
    toColor_ = static_cast<forms::TColor>(gdi::ColorToRGB(value));
    Invalidate();
}

void TShader::SetSteps(std::uint16_t value) {
    steps_ = value;
    Invalidate();
}

void TShader::SetDirection(bool value) {
    direction_ = value;
    Invalidate();
}

std::uint32_t TShader::GetVersion() const {
    return 0x01010000;
}

std::string TShader::Version() const {
    const std::uint32_t version = GetVersion();
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty()) text += '.';
        text += std::to_string((version >> shift) & 0xFF);
    }
    return text;
}

void TShader::Paint() {
    // The bands cover the panel: no panel face, no bevel.
    if (steps_ == 0) steps_ = 1;
    double delta[3];
    for (int c = 0; c < 3; ++c)
        delta[c] =
            static_cast<double>(Channel(toColor_, 8 * c) - Channel(fromColor_, 8 * c)) / steps_;
    const int w = Width();
    const int h = Height();
    const double bandSize = static_cast<double>(direction_ ? w : h) / steps_;
    auto& canvas = Canvas();
    for (int i = 0; i < steps_; ++i) {
        forms::TColor color = 0;
        for (int c = 0; c < 3; ++c)
            color += (Channel(fromColor_, 8 * c) + Round(i * delta[c])) << (8 * c);
        canvas.Pen().SetColor(color);
        canvas.Brush().SetColor(color);
        // Each band reaches one pixel into the next, so rounding leaves no gap.
        const int start = static_cast<std::uint16_t>(Round(i * bandSize));
        const int end = start + Round(bandSize) + 1;
        if (direction_)
            canvas.Rectangle(start, 0, end, h);
        else
            canvas.Rectangle(0, start, w, end);
    }
}

} // namespace controls
