#include "platform/forms/std_ctrls.h"

#include "platform/forms/canvas_text.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls_parts.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/gdi/text_out.h"
#include "platform/win/edit_class.h"
#include "platform/win/input_state.h"
#include "platform/win/list_box_class.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>
#include <cctype>

namespace platform::forms {

using namespace win;
using namespace std_ctrls_parts;

gdi::TSize MeasureText(const TFont& font, const std::string& text) {
    TFont copy;
    copy.Assign(font);
    gdi::HDC dc = gdi::CreateCompatibleDC(gdi::NullDC);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, copy.Handle());
    gdi::TSize size;
    gdi::GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (text.empty()) {
        gdi::TEXTMETRIC tm;
        gdi::GetTextMetrics(dc, &tm);
        size.cy = tm.tmHeight;
    }
    gdi::SelectObject(dc, old);
    gdi::DeleteDC(dc);
    return size;
}

// ---- TLabel ----

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    width_ = 65;
    height_ = 13;
    controlStyle_ |= csSetCaption;
}

void TLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetFocusControl(TWinControl* value) {
    if (focusControl_) RemoveFreeNotification(focusControl_);
    focusControl_ = value;
    if (value) FreeNotification(value);
}

void TLabel::Notification(TComponent* component, core::TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == core::opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || WordWrap) return;
    std::string shown = text_;
    if (ShowAccelChar) std::erase(shown, '&');
    gdi::TSize size = MeasureText(font_, shown.empty() ? " " : shown);
    if (shown.empty()) size.cx = 0;
    int left = left_;
    if (Alignment == taRightJustify) left = left_ + width_ - size.cx;
    if (Alignment == taCenter) left = left_ + (width_ - size.cx) / 2;
    SetBounds(left, top_, size.cx, size.cy);
}

void TLabel::Dispatch(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) {
        AdjustBounds();
        Invalidate();
        return;
    }
    TGraphicControl::Dispatch(message);
}

gdi::UINT TLabel::DrawFormat() const {
    gdi::UINT format = WordWrap ? gdi::DT_WORDBREAK : gdi::DT_SINGLELINE;
    if (!ShowAccelChar) format |= gdi::DT_NOPREFIX;
    if (Alignment == taCenter) format |= gdi::DT_CENTER;
    if (Alignment == taRightJustify) format |= gdi::DT_RIGHT;
    if (!WordWrap && Layout == tlCenter) format |= gdi::DT_VCENTER;
    if (!WordWrap && Layout == tlBottom) format |= gdi::DT_BOTTOM;
    return format;
}

TRect TLabel::TextRect() const {
    const TRect client = ClientRect();
    if (text_.empty()) return {client.Left, client.Top, client.Left, client.Top};
    TFont copy;
    copy.Assign(font_);
    gdi::HDC dc = gdi::CreateCompatibleDC(gdi::NullDC);
    gdi::HGDIOBJ old = gdi::SelectObject(dc, copy.Handle());
    const gdi::UINT format = DrawFormat();
    // The text's size, as DrawText lays it out within the client width.
    TRect r = client;
    gdi::DrawText(dc, text_.c_str(), static_cast<int>(text_.size()), &r, format | gdi::DT_CALCRECT);
    gdi::SelectObject(dc, old);
    gdi::DeleteDC(dc);
    const int width = r.Width(), height = r.Height();
    int left = client.Left, top = client.Top;
    if (format & gdi::DT_CENTER) left += (client.Width() - width) / 2;
    if (format & gdi::DT_RIGHT) left = client.Right - width;
    if (format & gdi::DT_VCENTER) top += (client.Height() - height) / 2;
    if (format & gdi::DT_BOTTOM) top = client.Bottom - height;
    return {left, top, left + width, top + height};
}

void TLabel::Paint() {
    TRect r = ClientRect();
    if (!transparent_) Fill(canvas_, r, color_);
    DrawTransparentText(canvas_, text_, r, DrawFormat(), TextColor(*this));
}

// ---- TGroupBox ----

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
    width_ = 185;
    height_ = 105;
    controlStyle_ |= csAcceptsControls | csSetCaption;
}

void TGroupBox::Paint() {
    TRect r = ClientRect();
    Fill(canvas_, r, color_);
    const int h = MeasureText(font_, "0").cy;
    TRect frame{r.Left, r.Top + h / 2, r.Right, r.Bottom};
    gdi::DrawEdge(canvas_.Handle(), &frame, gdi::EDGE_ETCHED, gdi::BF_RECT);
    if (!text_.empty()) {
        TRect t{8, 0, 8 + TextWidthIn(font_, text_) + 4, h};
        Fill(canvas_, t, color_);
        DrawTransparentText(canvas_, text_, {t.Left + 2, 0, t.Right, h}, gdi::DT_SINGLELINE,
                            TextColor(*this));
    }
}

} // namespace platform::forms
