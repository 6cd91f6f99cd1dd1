#pragma once
// The class library's gauge: a bar that fills with the progress, the percentage written on it.

#include "platform/forms/controls.h"

namespace platform::forms {

enum TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

class TGauge : public TGraphicControl {
public:
    explicit TGauge(TComponent* owner);

    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    int Progress() const { return progress_; }
    // Kept between MinValue and MaxValue.
    void SetProgress(int value);
    void AddProgress(int value) { SetProgress(progress_ + value); }
    int PercentDone() const;
    TGaugeKind Kind = gkHorizontalBar;
    TColor ForeColor = gdi::clBlack;
    TColor BackColor = gdi::clWhite;
    bool ShowText = true;

protected:
    void Paint() override;

private:
    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 0;
};

} // namespace platform::forms
