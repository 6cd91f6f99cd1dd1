#pragma once
// The class library's scroll box: a container whose children scroll under scroll bars that it
// draws in its own frame.

#include "platform/forms/frame_scroll_bar.h"
#include "platform/forms/std_ctrls.h"

namespace platform::forms {

class TScrollBox;

class TControlScrollBar {
public:
    int Position() const { return position_; }
    // Kept between 0 and Range less the visible size; the children move with it.
    void SetPosition(int value);
    // The size of what scrolls; 0 with AutoScroll: the children's extent.
    int Range() const { return range_; }
    void SetRange(int value);
    int Increment = 8;
    bool Visible = true;
    // The bar shows (the range exceeds the visible size).
    bool IsScrollBarVisible() const;

private:
    friend class TScrollBox;
    TControlScrollBar(TScrollBox& box, bool vertical) : box_(box), vertical_(vertical) {}
    TScrollBox& box_;
    bool vertical_;
    int position_ = 0;
    int range_ = 0;
};

class TScrollBox : public TCustomControl {
public:
    explicit TScrollBox(TComponent* owner);

    TControlScrollBar& VertScrollBar() { return vert_; }
    TControlScrollBar& HorzScrollBar() { return horz_; }
    bool AutoScroll = true;
    TFormBorderStyle BorderStyle = bsSingleBorder;
    // Scrolls so that the control shows.
    void ScrollInView(TControl* control);
    // Takes the children's extent again (AutoScroll).
    void UpdateScrollBars();

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    void CreateParams(TCreateParams& params) override;
    void Resize() override;

private:
    friend class TControlScrollBar;
    int Extent(bool vertical) const;
    int Visible(bool vertical) const;
    void ScrollBy(int dx, int dy);
    void PaintBars();
    // The bar beside the client area, in window coordinates.
    TFrameScrollBar Bar(bool vertical) const;
    TPoint WindowPoint(TPoint screen) const;
    TControlScrollBar vert_{*this, true};
    TControlScrollBar horz_{*this, false};
};

} // namespace platform::forms
