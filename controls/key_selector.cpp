#include "controls/key_selector.h"

#include <vector>

namespace controls {

namespace gdi = platform::gdi;

namespace {

// Key shapes: the leftmost key whole; white keys with the notch a black key cuts on their
// right, on both sides or on their left; the black key; the last key (a D without the D# cut).
enum KeyShape { Whole, NotchRight, NotchBoth, NotchLeft, Black, Last };

// By semitone, C to B.
constexpr KeyShape SemitoneShape[12] = {NotchRight, Black,      NotchBoth, Black,
                                        NotchLeft,  NotchRight, Black,     NotchBoth,
                                        Black,      NotchBoth,  Black,     NotchLeft};
// The semitone of each white key of an octave, C to B.
constexpr int WhiteSemitone[7] = {0, 2, 4, 5, 7, 9, 11};

} // namespace

TKeySelector::TKeySelector(forms::TComponent* owner) : forms::TCustomControl(owner) {
    width_ = 500;
    height_ = 50;
}

void TKeySelector::SetKeySelected(int value) {
    if (value == keySelected_) return;
    keySelected_ = value;
    TDrawingNow drawing(*this);
    Paint();
}

void TKeySelector::SetKeyWidth(int value) {
    if (value == keyWidth_) return;
    keyWidth_ = value;
    TDrawingNow drawing(*this);
    Paint();
}

int TKeySelector::BlackKeyLength() const {
    return static_cast<int>(Height() / 5.0 * 3);
}

int TKeySelector::KeyX(int i) const {
    if (i == -1) return 0;
    const int w = keyWidth_;
    const int offsets[12] = {
        0,     w / 2 + 1,         w,     2 * w - w / 4, 2 * w, 3 * w, 3 * w + w / 2 + 1,
        4 * w, 4 * w + w / 2 + 2, 5 * w, 6 * w - w / 4, 6 * w};
    return offsets[i % 12] + i / 12 * 7 * w + w;
}

void TKeySelector::DrawKey(int i) {
    // A key set by program may lie off the keyboard: there is nothing to draw then.
    if (i < -1 || i >= keyCount_) return;
    const int w = keyWidth_;
    const int h = BlackKeyLength();
    const int bottom = Height() - 1;
    const int x = KeyX(i);
    const int right = x + w - 1;
    const int a = i % 12 == 9 ? 1 : 0;
    const KeyShape shape = i == keyCount_ - 1 ? Last : i == -1 ? Whole : SemitoneShape[i % 12];
    const bool selected = i == keySelected_;
    auto& canvas = Canvas();
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Brush().SetColor(selected ? gdi::clRed : shape == Black ? gdi::clBlack : gdi::clWhite);
    std::vector<forms::TPoint> points;
    switch (shape) {
    case Whole:
        points = {{x, 0}, {right, 0}, {right, bottom}, {x, bottom}};
        break;
    case NotchRight:
        points = {{x, 0},     {x + w / 2 + 1, 0}, {x + w / 2 + 1, h},
                  {right, h}, {right, bottom},    {x, bottom}};
        break;
    case NotchBoth:
        points = {{x + w / 4 + a, 0},
                  {x + w - w / 4, 0},
                  {x + w - w / 4, h},
                  {right, h},
                  {right, bottom},
                  {x, bottom},
                  {x, h},
                  {x + w / 4 + a, h}};
        break;
    case NotchLeft:
        points = {{x + w / 2 - 1, 0}, {right, 0}, {right, bottom},
                  {x, bottom},        {x, h},     {x + w / 2 - 1, h}};
        break;
    case Black: {
        const int blackRight = x + static_cast<int>(w / 4.0 * 3);
        points = {{x, 0}, {blackRight, 0}, {blackRight, h}, {x, h}};
        break;
    }
    case Last:
        points = {{x + w / 4 + a, 0}, {right, 0}, {right, bottom},
                  {x, bottom},        {x, h},     {x + w / 4 + a, h}};
        break;
    }
    canvas.Polygon(points);
}

void TKeySelector::Paint() {
    forms::TCustomControl::Paint();
    // In index order, so each black key lies over the white key to its left.
    for (int i = -1; i < keyCount_; ++i)
        DrawKey(i);
}

int TKeySelector::KeyAt(int x, int y) const {
    const int w = keyWidth_;
    const bool blackBand = y <= BlackKeyLength();
    const int last = keyCount_ - 1;
    if (x <= w) return -1;
    if (x > KeyX(last)) return blackBand && x <= KeyX(last - 1) + w / 4 ? last - 1 : last;
    const int r0 = x - w;
    const int octave = r0 / (7 * w);
    const int n = r0 % (7 * w) / w;
    const int r = r0 % (7 * w) % w;
    int semitone = WhiteSemitone[n];
    if (blackBand) {
        const bool leftCut = r <= w / 4;
        const bool rightCut = r >= w - w / 4;
        switch (n) {
        case 0: // C
        case 3: // F
            if (r > w / 2) ++semitone;
            break;
        case 1: // D
        case 4: // G
        case 5: // A
            if (leftCut)
                --semitone;
            else if (rightCut)
                ++semitone;
            break;
        case 2: // E
        case 6: // B
            if (r < w / 2) --semitone;
            break;
        }
    }
    const int index = semitone + 12 * octave;
    return index >= keyCount_ ? keySelected_ : index;
}

void TKeySelector::Select(int i) {
    TDrawingNow drawing(*this);
    const int old = keySelected_;
    keySelected_ = i;
    DrawKey(old);
    DrawKey(i);
}

void TKeySelector::MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TCustomControl::MouseDown(button, shift, x, y);
    if (button != forms::mbLeft) return;
    pressed_ = true;
    Select(KeyAt(x, y));
    if (OnEndchange) OnEndchange(this);
}

void TKeySelector::MouseMove(forms::TShiftState shift, int x, int y) {
    forms::TCustomControl::MouseMove(shift, x, y);
    if (!pressed_) return;
    const int key = KeyAt(x, y);
    if (key == keySelected_) return;
    Select(key);
    if (OnChange) OnChange(this);
}

void TKeySelector::MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) {
    forms::TCustomControl::MouseUp(button, shift, x, y);
    if (button != forms::mbLeft || !pressed_) return;
    if (OnEndchange) OnEndchange(this);
    pressed_ = false;
}

} // namespace controls
