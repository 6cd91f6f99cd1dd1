#include "platform/forms/gauges.h"

#include "platform/gdi/draw_text.h"

#include <algorithm>

namespace platform::forms {

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) {
    width_ = 100;
    height_ = 100;
}

void TGauge::SetMinValue(int value) {
    minValue_ = std::min(value, maxValue_);
    SetProgress(progress_);
    Invalidate();
}

void TGauge::SetMaxValue(int value) {
    maxValue_ = std::max(value, minValue_);
    SetProgress(progress_);
    Invalidate();
}

void TGauge::SetProgress(int value) {
    value = std::clamp(value, minValue_, maxValue_);
    if (value == progress_) return;
    progress_ = value;
    Invalidate();
}

int TGauge::PercentDone() const {
    if (maxValue_ == minValue_) return 0;
    return static_cast<int>(static_cast<long long>(progress_ - minValue_) * 100 /
                            (maxValue_ - minValue_));
}

void TGauge::Paint() {
    TRect r = ClientRect();
    canvas_.Brush().SetColor(gdi::clBlack);
    canvas_.FrameRect(r);
    gdi::InflateRect(r, -1, -1);
    canvas_.Brush().SetColor(BackColor);
    canvas_.FillRect(r);
    const int percent = PercentDone();
    TRect done = r;
    if (Kind == gkVerticalBar)
        done.Top = r.Bottom - r.Height() * percent / 100;
    else
        done.Right = r.Left + r.Width() * percent / 100;
    if (Kind != gkText && Kind != gkPie && Kind != gkNeedle) {
        canvas_.Brush().SetColor(ForeColor);
        canvas_.FillRect(done);
    }
    if (!ShowText) return;
    const std::string text = std::to_string(percent) + "%";
    gdi::HDC dc = canvas_.Handle();
    const int saved = gdi::SaveDC(dc);
    gdi::SelectObject(dc, canvas_.Font().Handle());
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    // The text reads in the back colour over the bar, in the fore colour beside it.
    gdi::SetTextColor(dc, gdi::ColorToRGB(ForeColor));
    TRect t = r;
    gdi::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &t,
                  gdi::DT_SINGLELINE | gdi::DT_CENTER | gdi::DT_VCENTER);
    if (Kind == gkHorizontalBar || Kind == gkVerticalBar) {
        gdi::IntersectClipRect(dc, done.Left, done.Top, done.Right, done.Bottom);
        gdi::SetTextColor(dc, gdi::ColorToRGB(BackColor));
        t = r;
        gdi::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &t,
                      gdi::DT_SINGLELINE | gdi::DT_CENTER | gdi::DT_VCENTER);
    }
    gdi::RestoreDC(dc, saved);
}

} // namespace platform::forms
