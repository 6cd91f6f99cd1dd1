#pragma once
// The painters of the Customize dialog's commands list. Each row looks like the command it
// stands for: a 23-pixel glyph column, the caption, a 13-pixel arrow part for a drop-down
// button, and for edit and combo items the caption followed by their box. Like the item-control
// painters, each class has one immutable instance that callers reach through a class reference
// (a pointer to it); the dialog takes the one that matches its manager's item-control painter.

#include "platform/gdi/canvas.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/geometry.h"

#include <string>

namespace toolkit::bars {

class TdxBarItem;
class TdxBarManager;

class TdxBarCustomizingFormPainter {
public:
    using TCanvas = platform::gdi::TCanvas;
    using TColor = platform::gdi::TColor;
    using TRect = platform::gdi::TRect;

    static constexpr int GlyphColumnWidth = 23;
    static constexpr int ArrowPartWidth = 13;

    static const TdxBarCustomizingFormPainter& Instance();
    virtual ~TdxBarCustomizingFormPainter() = default;
    TdxBarCustomizingFormPainter(const TdxBarCustomizingFormPainter&) = delete;
    TdxBarCustomizingFormPainter& operator=(const TdxBarCustomizingFormPainter&) = delete;

    // The operations, in the order of the family's table.
    // A filled triangle pointing right, 4 wide and 7 high, its tip at (X + 3, Y + 3).
    virtual void DrawSubMenuArrow(TCanvas& Canvas, int X, bool Selected, int Y) const;
    virtual TColor GetRowColor(bool Selected, const TdxBarItem* Item) const;
    virtual void DrawCommandRow(TCanvas& Canvas, const TRect& R, bool Selected,
                                const std::string& Caption, TdxBarItem* Item) const;
    virtual void DrawEditRow(TCanvas& Canvas, const TRect& R, bool Selected,
                             const std::string& Caption, TdxBarItem* Item) const;
    virtual void DrawFocus(TCanvas& /*Canvas*/, const TRect& /*R*/,
                           const TdxBarItem* /*Item*/) const {}
    virtual TColor GetTextColor(bool Selected) const;

    // Whether the item shows a glyph: a bitmap, or an image of its manager's list.
    static bool HasGlyph(const TdxBarItem* Item);
    // Whether the list draws the item as an edit row (edit and combo items).
    static bool IsEditItem(const TdxBarItem* Item);

protected:
    TdxBarCustomizingFormPainter() = default;

    // How a row draws its raised and sunken parts: 3-D edges, or frames in the flat styles.
    enum TEdgeKind { ekEdges, ekFrames };
    // The command row of every style; the styles differ in the colours their operations give,
    // the edges and how the glyph column is filled (FillGlyphColumn).
    void DrawCommandRowAs(TCanvas& Canvas, const TRect& R, bool Selected,
                          const std::string& Caption, TdxBarItem* Item, TEdgeKind Edges) const;
    void DrawEditRowAs(TCanvas& Canvas, const TRect& R, bool Selected, const std::string& Caption,
                       TdxBarItem* Item, TEdgeKind Edges) const;
    // The glyph column before the glyph is drawn: filled with the row colour (selected only for
    // an item without a glyph) and closed by a line at its right.
    virtual void FillGlyphColumn(TCanvas& Canvas, const TRect& Column, bool Selected,
                                 TdxBarItem* Item) const;
    // The raised (selected) or plain border of a part.
    static void DrawRaised(TCanvas& Canvas, const TRect& R, TEdgeKind Edges);
    static void DrawTextIn(TCanvas& Canvas, TRect R, const std::string& Text, TColor Color);
};

class TdxBarCustomizingFormStandardPainter : public TdxBarCustomizingFormPainter {
public:
    static const TdxBarCustomizingFormPainter& Instance();
    // A focus rectangle inset by 2.
    void DrawFocus(TCanvas& Canvas, const TRect& R, const TdxBarItem* Item) const override;

protected:
    TdxBarCustomizingFormStandardPainter() = default;
};

class TdxBarCustomizingFormFlatPainter : public TdxBarCustomizingFormPainter {
public:
    static const TdxBarCustomizingFormPainter& Instance();
    // The window colour; selected, the manager's flat selected colour.
    TColor GetRowColor(bool Selected, const TdxBarItem* Item) const override;
    void DrawCommandRow(TCanvas& Canvas, const TRect& R, bool Selected, const std::string& Caption,
                        TdxBarItem* Item) const override;
    void DrawEditRow(TCanvas& Canvas, const TRect& R, bool Selected, const std::string& Caption,
                     TdxBarItem* Item) const override;
    // Button text; selected in high contrast, button face.
    TColor GetTextColor(bool Selected) const override;

protected:
    TdxBarCustomizingFormFlatPainter() = default;
};

class TdxBarCustomizingFormOffice11Painter : public TdxBarCustomizingFormFlatPainter {
public:
    static const TdxBarCustomizingFormPainter& Instance();
    // The scheme's menu colour; selected, its selection colour.
    TColor GetRowColor(bool Selected, const TdxBarItem* Item) const override;
    void DrawCommandRow(TCanvas& Canvas, const TRect& R, bool Selected, const std::string& Caption,
                        TdxBarItem* Item) const override;
    void DrawEditRow(TCanvas& Canvas, const TRect& R, bool Selected, const std::string& Caption,
                     TdxBarItem* Item) const override;
    TColor GetTextColor(bool Selected) const override;

protected:
    TdxBarCustomizingFormOffice11Painter() = default;
    // The column in the scheme's menu band gradient.
    void FillGlyphColumn(TCanvas& Canvas, const TRect& Column, bool Selected,
                         TdxBarItem* Item) const override;
};

class TdxBarCustomizingFormXPPainter : public TdxBarCustomizingFormPainter {
public:
    static const TdxBarCustomizingFormPainter& Instance();
    void DrawCommandRow(TCanvas& Canvas, const TRect& R, bool Selected, const std::string& Caption,
                        TdxBarItem* Item) const override;
    void DrawEditRow(TCanvas& Canvas, const TRect& R, bool Selected, const std::string& Caption,
                     TdxBarItem* Item) const override;
    // A focus rectangle that leaves the glyph column out, except for edit rows.
    void DrawFocus(TCanvas& Canvas, const TRect& R, const TdxBarItem* Item) const override;

protected:
    TdxBarCustomizingFormXPPainter() = default;
};

using TdxBarCustomizingFormPainterClass = const TdxBarCustomizingFormPainter*;

// The painter that matches the manager's item-control painter class: XP, Office 2003 and Flat
// their own, every other style the standard one.
TdxBarCustomizingFormPainterClass dxBarCustomizingFormPainter(const TdxBarManager& Manager);

} // namespace toolkit::bars
