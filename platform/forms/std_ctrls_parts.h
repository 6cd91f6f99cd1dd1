#pragma once
// What the files of the standard controls share: filling and framing their areas, the text
// colour of a control, measuring text and sending to their windows.

#include "platform/forms/graphics.h"
#include "platform/forms/std_ctrls.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/window.h"

#include <string>

namespace platform::forms::std_ctrls_parts {

inline void Fill(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush().SetStyle(gdi::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
}

inline TColor TextColor(const TControl& control) {
    return control.EnabledWithParents() ? control.Font().Color() : gdi::clGrayText;
}

// A sunken client edge around r; returns what lies inside.
inline TRect SunkenEdge(TCanvas& canvas, TRect r) {
    gdi::DrawEdge(canvas.Handle(), &r, gdi::EDGE_SUNKEN, gdi::BF_RECT | gdi::BF_ADJUST);
    return r;
}

inline int TextWidthIn(const TFont& font, const std::string& text) {
    return MeasureText(font, text).cx;
}

inline win::LRESULT Send(win::HWND wnd, win::UINT msg, win::WPARAM wParam = 0,
                         win::LPARAM lParam = 0) {
    return core::SendMessage(wnd, msg, wParam, lParam);
}

} // namespace platform::forms::std_ctrls_parts
