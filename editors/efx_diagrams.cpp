#include "editors/efx_diagrams.h"

#include "platform/gdi/colors.h"

#include <array>
#include <string>

namespace editors {

namespace {

namespace gdi = platform::gdi;
using gdi::TCanvas;

constexpr gdi::TColor Ground = gdi::clAqua;

// Fills the area as one polygon in aqua with a black border.
void Ground_(TCanvas& canvas, int w, int h) {
    canvas.Brush().SetStyle(gdi::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Ground);
    canvas.Pen().SetColor(gdi::clBlack);
    canvas.Pen().SetStyle(gdi::TPenStyle::psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Polygon({{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
}

// The symbols of a diagram and the lines it is laid out on: the left channel above (yL), the
// right below (yR), mono stages on the middle line (ym).
class TDiagram {
public:
    TDiagram(TCanvas& canvas, int w, int h)
        : c_(canvas), W(w), H(h), yL(30), yR(h - 30), ym(h / 2), xout(w - 16), xpan(w - 50) {}

    void Line(int x1, int y1, int x2, int y2) {
        c_.MoveTo(x1, y1);
        c_.LineTo(x2, y2);
    }
    void Path(std::initializer_list<gdi::TPoint> points) { c_.Polyline(points); }
    void Text(int x, int y, const std::string& text) { c_.TextOut(x, y, text); }
    // Text starting at x, centred on the line y.
    void TextOnLine(int x, int y, const std::string& text) {
        c_.TextOut(x, y - c_.TextHeight(text) / 2, text);
    }

    void Block(int x, int y, int w, int h, const std::string& caption) {
        c_.Rectangle(x, y, x + w, y + h);
        c_.TextOut(x + (w - c_.TextWidth(caption)) / 2 - 1,
                   y + (h - c_.TextHeight(caption)) / 2 - 1, caption);
    }
    // A block of height 22 on the middle line.
    void MidBlock(int x, int w, const std::string& caption) { Block(x, ym - 10, w, 22, caption); }
    // A block of height h centred on the line y.
    void BlockOn(int x, int y, int w, int h, const std::string& caption) {
        Block(x, y - h / 2, w, h, caption);
    }

    void Mixer(int x, int y) {
        c_.Ellipse(x - 3, y - 3, x + 4, y + 4);
        Line(x, y - 3, x, y + 4);
        Line(x - 3, y, x + 4, y);
    }
    void Junction(int x, int y) {
        c_.Brush().SetColor(gdi::clBlack);
        c_.Ellipse(x - 2, y - 2, x + 3, y + 3);
        c_.Brush().SetColor(Ground);
    }
    void ArrowHead(int x, int y, bool right) {
        const int back = right ? x - 3 : x + 3;
        c_.Brush().SetColor(gdi::clBlack);
        c_.Polygon({{x, y}, {back, y - 3}, {back, y + 3}});
        c_.Brush().SetColor(Ground);
    }
    void LevelKnob(int x, int y) {
        c_.Ellipse(x - 2, y - 2, x + 3, y + 3);
        Line(x - 3, y + 5, x + 4, y - 7);
        Path({{x + 1, y - 7}, {x + 4, y - 7}, {x + 4, y - 4}});
    }
    // The pan stage: a half circle open to the left with its bar.
    void Bridge(int x, int y, int r) {
        c_.Arc(x - r, y - r, x + r + 1, y + r + 1, x, y + r, x, y - r);
        Line(x, y - r, x, y + r + 1);
    }

    // "L" and "R" before the inputs, arrow heads at the ends of the outputs.
    void Ends() {
        TextOnLine(10, yL, "L");
        TextOnLine(10, yR, "R");
        ArrowHead(xout, yL, true);
        ArrowHead(xout, yR, true);
    }
    // Both channels straight through.
    void Channels() {
        Line(20, yL, xout, yL);
        Line(20, yR, xout, yR);
    }
    // Both inputs into the merge point on the middle line.
    void Merge(int x) {
        Path({{20, yL}, {40, yL}, {x, ym}});
        Path({{20, yR}, {40, yR}, {x, ym}});
    }
    // The middle line at x out to both channels at xTo, where mixers take it.
    void Spread(int x, int xTo) {
        Line(x, ym, xTo, yL);
        Line(x, ym, xTo, yR);
        Mixer(xTo, yL);
        Mixer(xTo, yR);
    }
    void Junctions(int x) {
        Junction(x, yL);
        Junction(x, yR);
    }
    void Mixers(int x) {
        Mixer(x, yL);
        Mixer(x, yR);
    }
    void EqBlocks(int x, int h = 22) {
        BlockOn(x, yL, 30, h, "EQ");
        BlockOn(x, yR, 30, h, "EQ");
    }

    TCanvas& c_;
    const int W, H, yL, yR, ym, xout, xpan;
};

const char* DriveName(int number) {
    return number <= 28 ? "Overdrive" : "Distorsore";
}

// Which of chorus, flanger and delay a two-stage type ends in, counted from its first.
const char* SecondStage(int index) {
    static const std::array<const char*, 3> names = {"Chorus", "Flanger", "Delay"};
    return names[static_cast<std::size_t>(index % 3)];
}

void DrawEqualizer(TDiagram& d) {
    d.Text(16, 24, "L");
    d.Text(16, d.H - 36, "R");
    d.Line(30, d.yL, d.xout, d.yL);
    d.Line(30, d.yR, d.xout, d.yR);
    d.ArrowHead(d.xout, d.yL, true);
    d.ArrowHead(d.xout, d.yR, true);
    d.Block(d.W - 90, 20, 90, 22, "EQ");
    d.Block(d.W - 90, d.H - 40, 90, 22, "EQ");
}

// One mono chain from the merge point to the pan stage, spread to both outputs.
void DrawMono(TDiagram& d, int number) {
    const bool wah = number == 7 || number == 8;
    d.Merge(60);
    d.Line(60, d.ym, d.xpan, d.ym);
    const int dy = wah ? 0 : 11;
    const int from = wah ? d.xpan : d.xpan + 5;
    d.Path({{from, d.ym - dy}, {d.xout - 20, d.yL}, {d.xout, d.yL}});
    d.Path({{from, d.ym + dy}, {d.xout - 20, d.yR}, {d.xout, d.yR}});
    d.c_.TextOut(d.xpan + 15, d.ym - d.c_.TextHeight("XXX") / 2, "Pan");
    if (number == 5)
        d.Junction(60, d.ym);
    else
        d.Mixer(60, d.ym);
    if (wah)
        d.Junction(d.xpan, d.ym);
    else
        d.Bridge(d.xpan, d.ym, 12);
    switch (number) {
    case 2:
    case 3:
        d.MidBlock(70, 56, number == 2 ? "OverDrive" : "Distorsion");
        d.MidBlock(130, 50, "Amp Sim");
        d.MidBlock(184, 24, "EQ");
        break;
    case 9:
    case 10:
        d.MidBlock(80, 80, number == 9 ? "Compressor" : "Limiter");
        d.MidBlock(170, 30, "EQ");
        break;
    default: {
        static const std::array<const char*, 9> names = {
            "", "", "", "", "Phaser", "Spectrum", "", "Auto-Wah", "Rotary"};
        d.MidBlock(99, 80, names[static_cast<std::size_t>(number)]);
        break;
    }
    }
}

void DrawEnhancer(TDiagram& d) {
    d.Channels();
    for (const int y : {d.yL, d.yR}) {
        const int out = y == d.yL ? y - 20 : y + 20;
        d.Path({{40, y}, {40, out}, {180, out}, {180, y}});
        d.BlockOn(60, y, 100, 22, "Enhancer");
        d.BlockOn(200, y, 30, 22, "EQ");
        d.Junction(40, y);
        d.Junction(180, y);
    }
}

void DrawChorusMono(TDiagram& d, int number) {
    d.Merge(60);
    d.Line(60, d.ym, d.xpan, d.ym);
    d.Line(40, d.yL, d.xout, d.yL);
    d.Line(40, d.yR, d.xout, d.yR);
    d.Mixer(60, d.ym);
    d.Block(90, d.ym - 15, 110, 32, number == 11 ? "Hexa Chorus" : "Tremolo Chorus");
    d.Junctions(40);
    d.Junction(d.xpan, d.ym);
    d.Spread(d.xpan, d.xout - 20);
}

// Both channels branch at x 40 into the effect blocks, which return into mixers at xBack.
void DrawBranches(TDiagram& d, int blockEnd, int xBack) {
    d.Channels();
    d.Path({{40, d.yL}, {40, d.yL + 15}, {80, d.yL + 15}});
    d.Path({{40, d.yR}, {40, d.yR - 15}, {80, d.yR - 15}});
    d.Path({{blockEnd, d.yL + 15}, {xBack, d.yL + 15}, {xBack, d.yL}});
    d.Path({{blockEnd, d.yR - 15}, {xBack, d.yR - 15}, {xBack, d.yR}});
    d.Junctions(40);
}

void DrawSpaceD(TDiagram& d) {
    DrawBranches(d, 150, d.W - 76);
    d.Block(80, d.ym - 15, 70, 32, "Space D");
    d.Mixers(d.W - 76);
    d.EqBlocks(d.W - 66);
}

void DrawStereoPair(TDiagram& d, int number) {
    DrawBranches(d, 150, d.W - 76);
    const char* caption = number == 14 ? "Chorus" : "Flanger";
    d.Block(80, d.yL + 7, 70, 18, caption);
    d.Block(80, d.yR - 23, 70, 18, caption);
    d.Mixers(d.W - 76);
    d.EqBlocks(d.W - 66);
}

// The two delays with their feedback: back on each channel beside it (Normal), or across to the
// other channel's input (Cross), the crossing seen between the blocks.
void DrawStereoDelay(TDiagram& d, int feedbackMode) {
    const int xBack = d.W - 90;
    DrawBranches(d, 150, xBack);
    const int upper = d.yL + 15, lower = d.yR - 15;
    if (feedbackMode == 0) {
        d.Path({{160, upper}, {160, d.yL + 4}, {70, d.yL + 4}, {70, upper}});
        d.Path({{160, lower}, {160, d.yR - 4}, {70, d.yR - 4}, {70, lower}});
        d.ArrowHead(110, d.yL + 4, false);
        d.ArrowHead(110, d.yR - 4, false);
    } else {
        d.Line(160, upper, 70, lower);
        d.Line(160, lower, 70, upper);
    }
    d.Block(80, upper - 7, 70, 14, "Delay");
    d.Block(80, lower - 7, 70, 14, "Delay");
    if (feedbackMode != 0) {
        d.ArrowHead(154, upper + 1, false);
        d.ArrowHead(154, lower - 1, false);
    }
    d.Mixer(70, upper);
    d.Mixer(70, lower);
    d.Junction(160, upper);
    d.Junction(160, lower);
    d.Mixers(xBack);
    d.LevelKnob(d.W - 76, d.yL);
    d.LevelKnob(d.W - 76, d.yR);
    d.EqBlocks(d.W - 66, 20);
}

// The tap delays: the channels summed into one delay line whose taps run in rows between the
// channels, with the feedback taken from the first row back into the line's input.
void DrawTapDelay(TDiagram& d, int number) {
    d.Channels();
    const bool quad = number == 20;
    const int rows = quad ? 4 : 3;
    const int top = d.yL + 4;
    const int pitch = (d.yR - 8 - top) / rows;
    const int blockHeight = pitch - 1;
    // Rows from the bottom: the input line first; the feedback runs under them.
    const auto rowY = [&](int i) { return d.yR - 8 - pitch / 2 - i * pitch; };
    const int line = rowY(0);
    const int fb = d.yR - 4;
    // Four or three rows of captions between the channels take the small font.
    gdi::TFont panelFont;
    panelFont.Assign(d.c_.Font());
    d.c_.Font().SetName("Small Fonts");
    d.c_.Font().SetSize(6);
    d.Line(40, d.yL, 40, d.yR);
    d.Line(40, line, 180, line);
    for (int i = 1; i < rows; ++i)
        d.Path({{65, line}, {65, rowY(i)}, {180, rowY(i)}});
    d.Path({{160, line}, {160, fb}, {53, fb}, {53, line}});
    d.ArrowHead(110, fb, false);
    if (quad) {
        static const std::array<const char*, 4> names = {"Delay 1", "Delay 2", "Delay 3",
                                                         "Delay 4"};
        for (int i = 0; i < rows; ++i) {
            d.Line(180, rowY(i), d.xout - 20, d.yL);
            d.Line(180, rowY(i), d.xout - 20, d.yR);
        }
        for (int i = 0; i < rows; ++i) {
            d.Block(i == 0 ? 75 : 90, rowY(i) - blockHeight / 2, 70, blockHeight,
                    names[static_cast<std::size_t>(i)]);
            d.LevelKnob(180, rowY(i));
        }
    } else {
        // The centre tap goes to both outputs, the left and right taps to their own.
        const int left = rowY(2), right = rowY(1);
        d.Path({{180, line}, {200, line}, {d.xout - 20, d.yR}});
        d.Path({{190, line}, {190, left}});
        d.Path({{180, left}, {200, left}, {d.xout - 20, d.yL}});
        d.Line(180, right, 210, line);
        d.Block(75, line - blockHeight / 2, 70, blockHeight, "Center Tap");
        d.Block(90, left - blockHeight / 2, 70, blockHeight, "Left Tap");
        d.Block(90, right - blockHeight / 2, 70, blockHeight, "RightTap");
        d.Junction(190, line);
        d.Mixer(190, left);
        d.Mixer(210, line);
    }
    for (int i = 1; i < rows; ++i)
        d.Junction(65, rowY(i - 1));
    d.Junction(160, line);
    d.Mixer(40, line);
    d.Mixer(53, line);
    d.Junctions(40);
    d.Mixers(d.xout - 20);
    d.c_.Font().Assign(panelFont);
}

// One mono stage on the middle line between the channels' dry paths, then EQ on each channel.
void DrawMidStage(TDiagram& d, int number) {
    const int back = d.W - 76;
    d.Channels();
    d.Line(40, d.yL, 60, d.ym);
    d.Line(40, d.yR, 60, d.ym);
    d.Line(60, d.ym, 170, d.ym);
    d.Line(170, d.ym, back, d.yL);
    d.Line(170, d.ym, back, d.yR);
    if (number == 23) {
        d.Path({{157, d.ym}, {157, d.ym + 20}, {70, d.ym + 20}, {70, d.ym}});
        d.ArrowHead(110, d.ym + 20, false);
    }
    const char* caption = number == 23 ? "Pitch" : number == 25 ? "Gate Reverb" : "Delay";
    d.MidBlock(80, 70, caption);
    if (number == 23) {
        d.Mixer(70, d.ym);
        d.Junction(157, d.ym);
    } else if (number != 21) {
        d.Mixer(60, d.ym);
    }
    d.Junctions(40);
    d.Mixers(back);
    d.EqBlocks(d.W - 66);
}

void DrawPitchShifter(TDiagram& d) {
    d.Channels();
    const int a = d.ym - 14, b = d.ym + 16;
    d.Path({{40, d.yL}, {70, a}, {180, a}, {200, a}, {d.xout - 20, d.yL}});
    d.Path({{40, d.yR}, {70, b}, {180, b}, {200, b}, {d.xout - 20, d.yR}});
    d.Block(100, d.ym - 25, 80, 22, "Pitch 1");
    d.Block(100, d.ym + 5, 80, 22, "Pitch 2");
    d.Junctions(40);
    d.Mixers(d.xout - 20);
}

void DrawDriveInto(TDiagram& d, int number) {
    d.Merge(60);
    d.Line(60, d.ym, 150, d.ym);
    d.Path({{140, d.ym}, {140, d.yL}, {d.xout, d.yL}});
    d.Path({{140, d.ym}, {140, d.yR}, {d.xout, d.yR}});
    d.Line(210, d.ym - 5, d.xout - 20, d.yL);
    d.Line(210, d.ym + 6, d.xout - 20, d.yR);
    if (number <= 27)
        d.Junction(60, d.ym);
    else
        d.Mixer(60, d.ym);
    d.MidBlock(70, 60, DriveName(number));
    d.MidBlock(150, 60, SecondStage(number - 26));
    d.Junction(140, d.ym);
    d.Mixers(d.xout - 20);
}

void DrawEnhancerInto(TDiagram& d, int number) {
    d.Channels();
    d.Line(140, d.yL, 150, d.ym);
    d.Line(140, d.yR, 150, d.ym);
    d.Line(150, d.ym, 215, d.ym);
    d.Line(215, d.ym, d.xout - 20, d.yL);
    d.Line(215, d.ym, d.xout - 20, d.yR);
    d.BlockOn(40, d.yL, 70, 22, "Enhancer");
    d.BlockOn(40, d.yR, 70, 22, "Enhancer");
    d.MidBlock(160, 50, SecondStage(number - 32));
    d.Junctions(140);
    d.Mixer(150, d.ym);
    d.Mixers(d.xout - 20);
}

// Two stages in series, each taking both channels into a mono block and back into them.
void DrawSeries(TDiagram& d, int number) {
    static const std::array<const char*, 3> first = {"Chorus", "Flanger", "Chorus"};
    static const std::array<const char*, 3> second = {"Delay", "Delay", "Flanger"};
    const auto i = static_cast<std::size_t>(number - 35);
    d.Channels();
    const auto stage = [&](int in, const char* caption, int back) {
        d.Line(in, d.yL, in + 10, d.ym);
        d.Line(in, d.yR, in + 10, d.ym);
        d.Line(in + 10, d.ym, in + 75, d.ym);
        d.Line(in + 75, d.ym, back, d.yL);
        d.Line(in + 75, d.ym, back, d.yR);
        d.MidBlock(in + 20, 50, caption);
        d.Junctions(in);
        d.Mixer(in + 10, d.ym);
        d.Mixers(back);
    };
    stage(40, first[i], d.W - 136);
    stage(140, second[i], d.xout - 20);
}

// Two stages side by side, one on each channel's branch.
void DrawParallel(TDiagram& d, int number) {
    static const std::array<const char*, 3> first = {"Chorus", "Flanger", "Chorus"};
    static const std::array<const char*, 3> second = {"Delay", "Delay", "Flanger"};
    const auto i = static_cast<std::size_t>(number - 38);
    const int back = d.W - 66;
    d.Channels();
    d.Path({{50, d.yL}, {50, d.yL + 15}, {180, d.yL + 15}, {back, d.yL}});
    d.Path({{50, d.yR}, {50, d.yR - 15}, {180, d.yR - 15}, {back, d.yR}});
    d.Block(90, d.yL + 7, 70, 18, first[i]);
    d.Block(90, d.yR - 23, 70, 18, second[i]);
    d.Junctions(50);
    d.Mixers(back);
}

} // namespace

void DrawEfxDiagram(TCanvas& canvas, int width, int height, int number, int feedbackMode) {
    Ground_(canvas, width, height);
    if (number < 1 || number > 40) return;
    TDiagram d(canvas, width, height);
    if (number == 1) {
        DrawEqualizer(d);
        return;
    }
    if (number <= 5 || (number >= 7 && number <= 10))
        DrawMono(d, number);
    else if (number == 6)
        DrawEnhancer(d);
    else if (number <= 12)
        DrawChorusMono(d, number);
    else if (number == 13)
        DrawSpaceD(d);
    else if (number <= 16)
        DrawStereoPair(d, number);
    else if (number <= 18)
        DrawStereoDelay(d, feedbackMode);
    else if (number <= 20)
        DrawTapDelay(d, number);
    else if (number == 22)
        DrawPitchShifter(d);
    else if (number <= 25)
        DrawMidStage(d, number);
    else if (number <= 31)
        DrawDriveInto(d, number);
    else if (number <= 34)
        DrawEnhancerInto(d, number);
    else if (number <= 37)
        DrawSeries(d, number);
    else
        DrawParallel(d, number);
    d.Ends();
}

void DrawEFX(platform::forms::TImage& image, const gdi::TFont& font, int number, int feedbackMode) {
    gdi::TCanvas& canvas = image.Canvas();
    canvas.Font().Assign(font);
    DrawEfxDiagram(canvas, image.Width(), image.Height(), number, feedbackMode);
    image.Invalidate();
}

const char* HFDampText(int step) {
    static const std::array<const char*, 18> texts = {
        "200",  "250",  "315",  "400",  "500",  "630",  "800",  "1000", "1250",
        "1600", "2000", "2500", "3150", "4000", "5000", "6300", "8000", "ByPass"};
    if (step < 0 || step > HFDampBypass) return "";
    return texts[static_cast<std::size_t>(step)];
}

void DrawHFDampSketch(TCanvas& canvas, int w, int h, int step) {
    Ground_(canvas, w, h);
    TDiagram d(canvas, w, h);
    d.Line(4, h - 4, w - 4, h - 4);
    d.Line(w - 6, h - 5, w - 6, h - 2);
    d.Line(4, 4, 4, h - 4);
    d.Line(3, 5, 6, 5);
    canvas.Font().SetName("Small Fonts");
    canvas.Font().SetSize(7);
    canvas.Font().SetColor(gdi::clBlack);
    const std::string text = HFDampText(step);
    canvas.TextOut((w - canvas.TextWidth(text)) / 2, 4, text);
    if (step >= HFDampBypass || step < 0) {
        d.Line(4, 20, w - 4, 20);
        return;
    }
    const int x = 2 * step + 1;
    d.Line(4, 20, x + 9, 20);
    canvas.Arc(x, 20, x + 16, 36, x + 16, 26, x + 8, 20);
    d.Line(x + 15, 25, x + 20, h - 4);
}

void DrawHFDamp(platform::forms::TImage& image, int step) {
    DrawHFDampSketch(image.Canvas(), image.Width(), image.Height(), step);
    image.Invalidate();
}

} // namespace editors
