#pragma once
// What the parameter graphs share: a panel 160 x 140 in "Small Fonts" 7 with a bevelled graph
// area and a layout for the click value boxes under or above it, handles the user drags with the
// mouse, and the two events. A graph that derives from it says what its values are, where its
// boxes go and what a change fires.
//
// Setting the graph area or its colours to a new value draws the graph at once (PaintNow);
// setting the boxes' layout to a new value does what the graph's BoxLayoutChanged does. A value
// set again unchanged does nothing.

#include "controls/click_edit.h"
#include "platform/forms/ext_ctrls.h"

namespace controls {

class TGraphPanel : public forms::TPanel {
public:
    // The graph area, in client pixels.
    int GLeft() const { return gLeft_; }
    int GWidth() const { return gWidth_; }
    int GTop() const { return gTop_; }
    int GHeight() const { return gHeight_; }
    void SetGLeft(int value);
    void SetGWidth(int value);
    void SetGTop(int value);
    void SetGHeight(int value);
    // The boxes' layout: the first box's left and top, every box's size.
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
    void SetGraphBackGround(forms::TColor value);
    void SetGraphColor(forms::TColor value);

    // Sender is the graph; each graph says when it fires.
    forms::TNotifyEvent OnChange;
    // On the release after a handle was grabbed, and on every button release over a box; Sender
    // is the graph.
    forms::TNotifyEvent OnEndchange;

protected:
    // The boxes' default place differs from graph to graph; the rest of the layout does not.
    TGraphPanel(forms::TComponent* owner, int eLeft, int eTop);

    // A click value box on the graph, in its font, with this tag: its steps go to BoxChanged and
    // its releases fire OnEndchange.
    TClickEdit& AddBox(int tag);
    virtual void BoxChanged(forms::TObject* sender) = 0;
    // What a change of ELeft, EWidth, ETop or EHeight does.
    virtual void BoxLayoutChanged() = 0;
    // Draws the whole graph at once, outside a paint message.
    virtual void PaintNow();
    // Stores value and draws the graph at once, if it changes field.
    template <class T> void SetAndPaint(T& field, T value) {
        if (field == value) return;
        field = value;
        PaintNow();
    }

    // Fills the quadrilateral with these corners in GraphBackGround, its outline included.
    void FillGraph(int left, int top, int right, int bottom);
    // The sunken frame around the graph area: grey and black above and left, white and black
    // below and right.
    void DrawBevel();

    // The handle a press at (x, y) grabs, 0 for none.
    virtual int HandleAt(int x, int y) const = 0;
    // Whether (x, y) lies within reach pixels of centre, in x and in y.
    static bool Within(forms::TPoint centre, int reach, int x, int y);
    // Whether a handle is held, and which: the last one HandleAt gave.
    bool Grabbing() const { return grabbing_; }
    int Grabbed() const { return grabbed_; }

    void MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;
    void MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;

private:
    int gLeft_ = 5;
    int gTop_ = 55;
    int gWidth_ = 147;
    int gHeight_ = 77;
    int eLeft_;
    int eWidth_ = 23;
    int eTop_;
    int eHeight_ = 15;
    forms::TColor graphBackGround_ = platform::gdi::clAqua;
    forms::TColor graphColor_ = platform::gdi::clBlack;
    int grabbed_ = 0;
    bool grabbing_ = false;
};

} // namespace controls
