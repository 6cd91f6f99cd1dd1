#include "controls/graph_panel.h"

#include <cstdlib>

namespace controls {

namespace gdi = platform::gdi;

TGraphPanel::TGraphPanel(forms::TComponent* owner, int eLeft, int eTop)
    : forms::TPanel(owner), eLeft_(eLeft), eTop_(eTop) {
    width_ = 160;
    height_ = 140;
    Font().SetName("Small Fonts");
    Font().SetSize(7);
}

void TGraphPanel::SetGLeft(int value) {
    SetAndPaint(gLeft_, value);
}
void TGraphPanel::SetGWidth(int value) {
    SetAndPaint(gWidth_, value);
}
void TGraphPanel::SetGTop(int value) {
    SetAndPaint(gTop_, value);
}
void TGraphPanel::SetGHeight(int value) {
    SetAndPaint(gHeight_, value);
}
void TGraphPanel::SetGraphBackGround(forms::TColor value) {
    SetAndPaint(graphBackGround_, value);
}
void TGraphPanel::SetGraphColor(forms::TColor value) {
    SetAndPaint(graphColor_, value);
}

namespace {

bool Change(int& field, int value) {
    if (field == value) return false;
    field = value;
    return true;
}

} // namespace

void TGraphPanel::SetELeft(int value) {
    if (Change(eLeft_, value)) BoxLayoutChanged();
}
void TGraphPanel::SetEWidth(int value) {
    if (Change(eWidth_, value)) BoxLayoutChanged();
}
void TGraphPanel::SetETop(int value) {
    if (Change(eTop_, value)) BoxLayoutChanged();
}
void TGraphPanel::SetEHeight(int value) {
    if (Change(eHeight_, value)) BoxLayoutChanged();
}

TClickEdit& TGraphPanel::AddBox(int tag) {
    auto& box = Own<TClickEdit>();
    box.Tag = tag;
    box.SetParent(this);
    box.SetParentFont(true);
    box.Onchange = [this](forms::TObject* sender) { BoxChanged(sender); };
    box.OnEndchange = [this](forms::TObject*) {
        if (OnEndchange) OnEndchange(this);
    };
    return box;
}

void TGraphPanel::PaintNow() {
    TDrawingNow drawing(*this);
    Paint();
}

void TGraphPanel::FillGraph(int left, int top, int right, int bottom) {
    auto& canvas = Canvas();
    canvas.Pen().SetColor(graphBackGround_);
    canvas.Brush().SetColor(graphBackGround_);
    canvas.Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

void TGraphPanel::DrawBevel() {
    const int l = gLeft_, t = gTop_, r = gLeft_ + gWidth_, b = gTop_ + gHeight_;
    auto& canvas = Canvas();
    canvas.Pen().SetColor(gdi::clGray);
    canvas.Polyline({{l, b}, {l, t}, {r, t}});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Polyline({{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}});
    canvas.Pen().SetColor(gdi::clWhite);
    canvas.Polyline({{l, b}, {r, b}, {r, t}});
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Polyline({{l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t}});
}

bool TGraphPanel::Within(forms::TPoint centre, int reach, int x, int y) {
    return std::abs(centre.X - x) <= reach && std::abs(centre.Y - y) <= reach;
}

void TGraphPanel::MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TPanel::MouseDown(button, shift, x, y);
    grabbing_ = false;
    if (const int handle = HandleAt(x, y)) {
        grabbed_ = handle;
        grabbing_ = true;
    }
}

void TGraphPanel::MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TPanel::MouseUp(button, shift, x, y);
    // Let go before the event, so that nothing its handler pumps drags the handle on.
    const bool grabbed = grabbing_;
    grabbing_ = false;
    if (grabbed && OnEndchange) OnEndchange(this);
}

} // namespace controls
