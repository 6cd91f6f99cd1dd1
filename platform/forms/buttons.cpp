#include "platform/forms/buttons.h"

#include "platform/forms/canvas_text.h"
#include "platform/forms/forms.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/frame_controls.h"

#include <algorithm>

namespace platform::forms {

using namespace win;

void DrawButtonFace(TCanvas& canvas, const TRect& r, const TBitmap& glyph, int numGlyphs,
                    int glyphIndex, const std::string& caption, TButtonLayout layout, int spacing,
                    TColor textColor) {
    const int count = std::max(1, numGlyphs);
    const int gw = glyph.Empty() ? 0 : glyph.Width() / count;
    const int gh = glyph.Empty() ? 0 : glyph.Height();
    std::string shown = caption;
    std::erase(shown, '&');
    const gdi::TSize text = shown.empty() ? gdi::TSize{} : MeasureText(canvas.Font(), shown);
    const int gap = gw > 0 && !shown.empty() ? spacing : 0;
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int totalW = horizontal ? gw + gap + text.cx : std::max(gw, text.cx);
    const int totalH = horizontal ? std::max(gh, text.cy) : gh + gap + text.cy;
    const int x0 = r.Left + (r.Width() - totalW) / 2;
    const int y0 = r.Top + (r.Height() - totalH) / 2;
    int gx = x0, gy = y0 + (totalH - gh) / 2, tx = x0 + gw + gap, ty = y0 + (totalH - text.cy) / 2;
    switch (layout) {
    case blGlyphRight:
        tx = x0;
        gx = x0 + text.cx + gap;
        break;
    case blGlyphTop:
        gx = x0 + (totalW - gw) / 2;
        gy = y0;
        tx = x0 + (totalW - text.cx) / 2;
        ty = y0 + gh + gap;
        break;
    case blGlyphBottom:
        tx = x0 + (totalW - text.cx) / 2;
        ty = y0;
        gx = x0 + (totalW - gw) / 2;
        gy = y0 + text.cy + gap;
        break;
    default:
        break;
    }
    if (gw > 0) {
        const int index = std::min(glyphIndex, count - 1);
        glyph.DrawPart(canvas.Handle(), gx, gy, {index * gw, 0, (index + 1) * gw, gh}, true);
    }
    if (!shown.empty())
        DrawTransparentText(canvas, caption, {tx, ty, tx + text.cx + 1, ty + text.cy},
                            gdi::DT_SINGLELINE, textColor);
}

// ---- TSpeedButton ----

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    width_ = 23;
    height_ = 22;
    controlStyle_ = csCaptureMouse | csDoubleClicks;
    glyph_.OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetGroupIndex(int value) {
    groupIndex_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    allowAllUp_ = value;
    if (!parent_ || groupIndex_ == 0) return;
    for (int i = 0; i < parent_->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TSpeedButton*>(parent_->Controls(i));
            other && other->groupIndex_ == groupIndex_)
            other->allowAllUp_ = value;
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    if (down_ && !value && !allowAllUp_) return;
    down_ = value;
    Invalidate();
    if (value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
    if (!parent_ || groupIndex_ == 0 || !down_) return;
    for (int i = 0; i < parent_->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TSpeedButton*>(parent_->Controls(i));
            other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->Invalidate();
        }
}

void TSpeedButton::Click() {
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && EnabledWithParents()) {
        if (!down_) {
            pressed_ = true;
            Invalidate();
        }
        dragging_ = true;
    }
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    const bool inside = gdi::PtInRect(ClientRect(), {x, y});
    if (!down_ && inside != pressed_) {
        pressed_ = inside;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_ || button != mbLeft) return;
    dragging_ = false;
    const bool inside = gdi::PtInRect(ClientRect(), {x, y});
    pressed_ = false;
    Invalidate();
    if (!inside) return;
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    Click();
}

void TSpeedButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
        mouseInside_ = true;
        if (Flat) Invalidate();
        return;
    case CM_MOUSELEAVE:
        mouseInside_ = false;
        if (Flat) Invalidate();
        return;
    default:
        break;
    }
    TGraphicControl::Dispatch(message);
}

void TSpeedButton::Paint() {
    TRect r = ClientRect();
    canvas_.Brush().SetColor(color_);
    canvas_.FillRect(r);
    const bool sunk = pressed_ || down_;
    if (!Flat) {
        gdi::DrawFrameControl(canvas_.Handle(), &r, gdi::DFC_BUTTON,
                              gdi::DFCS_BUTTONPUSH | (sunk ? UINT(gdi::DFCS_PUSHED) : 0u));
    } else if (sunk || mouseInside_) {
        TRect e = r;
        gdi::DrawEdge(canvas_.Handle(), &e, sunk ? gdi::BDR_SUNKENOUTER : gdi::BDR_RAISEDINNER,
                      gdi::BF_RECT);
    }
    TRect face = r;
    if (sunk) gdi::OffsetRect(face, 1, 1);
    int index = !EnabledWithParents() ? 1 : pressed_ ? 2 : down_ ? 3 : 0;
    if (index >= NumGlyphs) index = 0;
    DrawButtonFace(canvas_, face, glyph_, NumGlyphs, index, text_, Layout, Spacing,
                   EnabledWithParents() ? font_.Color() : gdi::clGrayText);
}

// ---- TBitBtn ----

namespace {

struct KindInfo {
    const char* caption;
    int result;
};

KindInfo KindOf(TBitBtnKind kind) {
    switch (kind) {
    case bkOK:
        return {"OK", mrOk};
    case bkCancel:
        return {"Cancel", mrCancel};
    case bkHelp:
        return {"&Help", mrNone};
    case bkYes:
        return {"&Yes", mrYes};
    case bkNo:
        return {"&No", mrNo};
    case bkClose:
        return {"&Close", mrNone};
    case bkAbort:
        return {"Abort", mrAbort};
    case bkRetry:
        return {"&Retry", mrRetry};
    case bkIgnore:
        return {"&Ignore", mrIgnore};
    case bkAll:
        return {"&All", mrAll};
    default:
        return {"", mrNone};
    }
}

} // namespace

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
    glyph_.OnChange = [this] { Invalidate(); };
}

void TBitBtn::SetKind(TBitBtnKind value) {
    kind_ = value;
    if (value == bkCustom) return;
    KindInfo info = KindOf(value);
    SetCaption(info.caption);
    ModalResult = info.result;
    Default = value == bkOK || value == bkYes;
    Cancel = value == bkCancel || value == bkNo;
}

void TBitBtn::Click() {
    if (kind_ == bkClose) {
        TCustomControl::Click();
        if (TCustomForm* form = ParentForm()) form->Close();
        return;
    }
    if (kind_ == bkHelp) {
        TCustomControl::Click();
        return;
    }
    TButton::Click();
}

void TBitBtn::Paint() {
    TRect r = ClientRect();
    DrawFace(r, pressed_);
    TRect face = r;
    if (pressed_) gdi::OffsetRect(face, 1, 1);
    DrawButtonFace(canvas_, face, glyph_, NumGlyphs, EnabledWithParents() ? 0 : 1, text_, Layout,
                   Spacing, EnabledWithParents() ? gdi::clBtnText : gdi::clGrayText);
    if (Focused()) {
        TRect f = r;
        gdi::InflateRect(f, -4, -4);
        canvas_.DrawFocusRect(f);
    }
}

} // namespace platform::forms
