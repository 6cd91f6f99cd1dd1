#include "platform/forms/ext_ctrls.h"

#include "platform/forms/canvas_text.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/frame_controls.h"

#include <algorithm>

namespace platform::forms {

namespace {

void DrawBevel(gdi::HDC dc, TRect& r, TPanelBevel bevel, int width) {
    if (bevel == bvNone) return;
    for (int i = 0; i < width; ++i) {
        if (bevel != bvSpace)
            gdi::DrawEdge(dc, &r, bevel == bvLowered ? gdi::BDR_SUNKENOUTER : gdi::BDR_RAISEDINNER,
                          gdi::BF_RECT);
        gdi::InflateRect(r, -1, -1);
    }
}

} // namespace

// ---- TPanel ----

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    width_ = 185;
    height_ = 41;
    controlStyle_ |= csAcceptsControls | csSetCaption;
}

void TPanel::Paint() {
    TRect r = ClientRect();
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(r);
    if (BorderStyle == bsSingleBorder) {
        canvas_.Brush().SetColor(gdi::clWindowFrame);
        canvas_.FrameRect(r);
        gdi::InflateRect(r, -1, -1);
    }
    DrawBevel(canvas_.Handle(), r, BevelOuter, BevelWidth);
    gdi::InflateRect(r, -BorderWidth, -BorderWidth);
    DrawBevel(canvas_.Handle(), r, BevelInner, BevelWidth);
    if (text_.empty()) return;
    UINT format = gdi::DT_SINGLELINE | gdi::DT_VCENTER;
    if (Alignment == taCenter) format |= gdi::DT_CENTER;
    if (Alignment == taRightJustify) format |= gdi::DT_RIGHT;
    DrawTransparentText(canvas_, text_, r, format,
                        EnabledWithParents() ? font_.Color() : gdi::clGrayText);
}

// ---- TBevel ----

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    width_ = 50;
    height_ = 50;
}

void TBevel::Paint() {
    TRect r = ClientRect();
    const UINT line = Style == bsLowered ? gdi::EDGE_ETCHED : gdi::EDGE_BUMP;
    switch (Shape) {
    case bsBox:
        gdi::DrawEdge(canvas_.Handle(), &r,
                      Style == bsLowered ? gdi::BDR_SUNKENOUTER : gdi::BDR_RAISEDINNER,
                      gdi::BF_RECT);
        break;
    case bsFrame:
        gdi::DrawEdge(canvas_.Handle(), &r, line, gdi::BF_RECT);
        break;
    case bsTopLine:
        gdi::DrawEdge(canvas_.Handle(), &r, line, gdi::BF_TOP);
        break;
    case bsBottomLine: {
        TRect b{r.Left, r.Bottom - 2, r.Right, r.Bottom};
        gdi::DrawEdge(canvas_.Handle(), &b, line, gdi::BF_TOP);
        break;
    }
    case bsLeftLine:
        gdi::DrawEdge(canvas_.Handle(), &r, line, gdi::BF_LEFT);
        break;
    case bsRightLine: {
        TRect b{r.Right - 2, r.Top, r.Right, r.Bottom};
        gdi::DrawEdge(canvas_.Handle(), &b, line, gdi::BF_LEFT);
        break;
    }
    case bsSpacer:
        break;
    }
}

// ---- TShape ----

TShape::TShape(TComponent* owner) : TGraphicControl(owner) {
    width_ = 65;
    height_ = 65;
    pen_.OnChange = [this](TObject*) { Invalidate(); };
    brush_.OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::SetShape(TShapeType value) {
    shape_ = value;
    Invalidate();
}

void TShape::Paint() {
    canvas_.Pen().Assign(pen_);
    canvas_.Brush().Assign(brush_);
    const int pw = pen_.Width();
    int x = pw / 2, y = pw / 2;
    int w = width_ - pw + 1, h = height_ - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        const int s = std::min(w, h);
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    switch (shape_) {
    case stRectangle:
    case stSquare:
        canvas_.Rectangle(x, y, x + w, y + h);
        break;
    case stRoundRect:
    case stRoundSquare:
        canvas_.RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4);
        break;
    case stEllipse:
    case stCircle:
        canvas_.Ellipse(x, y, x + w, y + h);
        break;
    }
}

// ---- TImage ----

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    width_ = 105;
    height_ = 105;
    controlStyle_ |= csOpaque;
    picture_.Bitmap().OnChange = [this] {
        if (AutoSize && !picture_.Bitmap().Empty())
            SetBounds(left_, top_, picture_.Width(), picture_.Height());
        Invalidate();
    };
}

TCanvas& TImage::Canvas() {
    if (picture_.Bitmap().Empty()) picture_.Bitmap().SetSize(width_, height_);
    return picture_.Bitmap().Canvas();
}

void TImage::SetStretch(bool value) {
    stretch_ = value;
    Invalidate();
}

void TImage::Paint() {
    const TBitmap& bitmap = picture_.Bitmap();
    if (bitmap.Empty()) return;
    TRect dest{0, 0, bitmap.Width(), bitmap.Height()};
    if (stretch_) {
        dest = ClientRect();
    } else if (Center) {
        gdi::OffsetRect(dest, (width_ - bitmap.Width()) / 2, (height_ - bitmap.Height()) / 2);
    }
    if (Transparent && !stretch_)
        bitmap.DrawPart(canvas_.Handle(), dest.Left, dest.Top,
                        {0, 0, bitmap.Width(), bitmap.Height()}, true);
    else
        bitmap.Draw(canvas_.Handle(), dest);
}

} // namespace platform::forms
