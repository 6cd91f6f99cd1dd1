#include "platform/forms/canvas_text.h"

#include "platform/gdi/draw_text.h"

namespace platform::forms {

void DrawTransparentText(gdi::TCanvas& canvas, const std::string& text, gdi::TRect r,
                         gdi::UINT format, gdi::TColor color) {
    gdi::HDC dc = canvas.Handle();
    const int saved = gdi::SaveDC(dc);
    gdi::SelectObject(dc, canvas.Font().Handle());
    gdi::SetTextColor(dc, gdi::ColorToRGB(color));
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    gdi::RestoreDC(dc, saved);
}

} // namespace platform::forms
