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

#include "controls/graph_panel.h"

#include <array>

namespace controls {

enum TGraphType {
    LastLocked, // levels 0..127; point 5 always at level 0, its level box hidden
    Normal,     // levels 0..127
    FirstHalf   // levels 0..126 around 63, the boxes show level - 63, a dotted centre line
};

class TPanGraph : public TGraphPanel {
public:
    // Time 1, level 1, time 2, level 2, ... time 5, level 5.
    using TEnvelope = std::array<int, 10>;

    explicit TPanGraph(forms::TComponent* owner);

    // The points are copied in and the graph is drawn at once.
    void SetEnvelope(const TEnvelope& envelope);
    TEnvelope GetEnvelope() const;

    // The boxes start at ELeft 32, ETop 15; a change of their layout places them at once: the
    // time row at ETop, the level row under it, the columns EWidth + 7 apart. A change of the
    // graph area, the colours or the type draws the graph at once.
    TGraphType GraphType() const { return graphType_; }
    void SetGraphType(TGraphType value);

    // The boxes of point k (2..5).
    TClickEdit& TimeBox(int k) { return *timeBoxes_.at(Slot(k)); }
    TClickEdit& LevelBox(int k) { return *levelBoxes_.at(Slot(k)); }
    // The centre of point k's handle (1..5) in the client area.
    forms::TPoint PointPixel(int k) const;

protected:
    void Paint() override;
    void MouseMove(forms::TShiftState shift, int x, int y) override;
    // Without a window yet, only lays the boxes out.
    void PaintNow() override;
    void BoxLayoutChanged() override { LayoutBoxes(); }
    void BoxChanged(forms::TObject* sender) override;
    // Points 2..5.
    int HandleAt(int x, int y) const override;

private:
    struct TEnvPoint {
        int Time = 0;
        int Level = 0;
    };
    static std::size_t Slot(int k) { return static_cast<std::size_t>(k - 2); }
    TEnvPoint& Point(int k) { return points_.at(static_cast<std::size_t>(k - 1)); }
    const TEnvPoint& Point(int k) const { return points_.at(static_cast<std::size_t>(k - 1)); }

    void LayoutBoxes();
    // Without a scale (an area of 10 px or less) nothing maps between pixels and points.
    bool HasScale() const { return GWidth() > 10 && GHeight() > 10; }
    double HorizontalScale() const;
    double VerticalScale() const;
    int Clamp(int value) const;
    // Point k's values for the pointer at (x, y).
    TEnvPoint PointAt(int k, int x, int y) const;
    void DrawEnvelope(bool erase);
    void ShowInBoxes(int k);

    std::array<TEnvPoint, 5> points_{};
    std::array<TClickEdit*, 4> timeBoxes_{};
    std::array<TClickEdit*, 4> levelBoxes_{};
    TGraphType graphType_ = LastLocked;
};

} // namespace controls
