#pragma once
// The envelope graph: five points, each a time (its distance from the previous point) and a
// level, drawn as a polyline with round handles in a bevelled area, with the time and level of
// points 2..5 in click value boxes under it. Points 2..5 are dragged with the mouse; point 1
// always sits at time 0 and level 0 (63, the centre, for a bipolar graph). A drag fires nothing
// until the release, which fires OnEndchange; a step in a box fires OnChange, and the box's
// release OnEndchange. Setting the envelope by program fires nothing.
//
// A graph area of 10 px or less in width or height has no scale: every point is drawn at the
// start of the area and a drag leaves the points as they are.

#include "controls/click_edit.h"
#include "platform/forms/ext_ctrls.h"

#include <array>

namespace controls {

enum TGraphType {
    LastLocked, // levels 0..127; point 5 always at level 0, its level box hidden
    Normal,     // levels 0..127
    FirstHalf   // levels 0..126 around 63, the boxes show level - 63, a dotted centre line
};

class TPanGraph : public forms::TPanel {
public:
    // Time 1, level 1, time 2, level 2, ... time 5, level 5.
    using TEnvelope = std::array<int, 10>;

    explicit TPanGraph(forms::TComponent* owner);

    // The points are copied in and the graph is drawn at once.
    void SetEnvelope(const TEnvelope& envelope);
    TEnvelope GetEnvelope() const;

    // The graph area; a change draws the graph at once.
    int GLeft() const { return gLeft_; }
    int GWidth() const { return gWidth_; }
    int GTop() const { return gTop_; }
    int GHeight() const { return gHeight_; }
    void SetGLeft(int value);
    void SetGWidth(int value);
    void SetGTop(int value);
    void SetGHeight(int value);
    // The boxes' layout: the first column's left, every box's size, the time row's top.
    int ELeft() const { return eLeft_; }
    int EWidth() const { return eWidth_; }
    int ETop() const { return eTop_; }
    int EHeight() const { return eHeight_; }
    void SetELeft(int value);
    void SetEWidth(int value);
    void SetETop(int value);
    void SetEHeight(int value);
    forms::TColor GraphBackGround() const { return graphBackGround_; }
    forms::TColor GraphColor() const { return graphColor_; }
    TGraphType GraphType() const { return graphType_; }
    void SetGraphBackGround(forms::TColor value);
    void SetGraphColor(forms::TColor value);
    void SetGraphType(TGraphType value);

    // After a step in a box changed a point; Sender is the graph.
    forms::TNotifyEvent OnChange;
    // On the release after a point was grabbed, and on every release over a box; Sender is the
    // graph.
    forms::TNotifyEvent OnEndchange;

    // The boxes of point k (2..5).
    TClickEdit& TimeBox(int k) { return *timeBoxes_.at(Slot(k)); }
    TClickEdit& LevelBox(int k) { return *levelBoxes_.at(Slot(k)); }
    // The centre of point k's handle (1..5) in the client area.
    forms::TPoint PointPixel(int k) const;

protected:
    void Paint() override;
    void MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;
    void MouseMove(forms::TShiftState shift, int x, int y) override;
    void MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;

private:
    struct TEnvPoint {
        int Time = 0;
        int Level = 0;
    };
    static std::size_t Slot(int k) { return static_cast<std::size_t>(k - 2); }
    TEnvPoint& Point(int k) { return points_.at(static_cast<std::size_t>(k - 1)); }
    const TEnvPoint& Point(int k) const { return points_.at(static_cast<std::size_t>(k - 1)); }

    void LayoutBoxes();
    void PaintNow();
    // Without a scale (an area of 10 px or less) nothing maps between pixels and points.
    bool HasScale() const { return gWidth_ > 10 && gHeight_ > 10; }
    double HorizontalScale() const;
    double VerticalScale() const;
    int Clamp(int value) const;
    // Point k's values for the pointer at (x, y).
    TEnvPoint PointAt(int k, int x, int y) const;
    void DrawEnvelope(bool erase);
    void ShowInBoxes(int k);
    void BoxChange(forms::TObject* sender);

    std::array<TEnvPoint, 5> points_{};
    std::array<TClickEdit*, 4> timeBoxes_{};
    std::array<TClickEdit*, 4> levelBoxes_{};
    int gLeft_ = 5, gTop_ = 55, gWidth_ = 147, gHeight_ = 77;
    int eLeft_ = 32, eWidth_ = 23, eTop_ = 15, eHeight_ = 15;
    forms::TColor graphBackGround_ = platform::gdi::clAqua;
    forms::TColor graphColor_ = platform::gdi::clBlack;
    int grabbed_ = 0;
    TGraphType graphType_ = LastLocked;
    bool grabbing_ = false;
};

} // namespace controls
