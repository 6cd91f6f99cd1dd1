#pragma once
// The radio-button glyphs that every painter draws: 128 ready-made images, one for each
// combination of painter style, button state, checked, focused and highlight, cut from the shape
// of the platform's own radio glyph and coloured per combination. The list is made on first use
// and rebuilt in the current colours when the system colours change; the painters' unit frees it
// at its shut-down.

#include "toolkit/base/cx_image_list.h"
#include "toolkit/base/cx_lf_painter.h"
#include "toolkit/base/system_palette_notifier.h"

#include <functional>
#include <memory>
#include <vector>

namespace toolkit::base {

// The image style of a painter style: flat 0, standard 1, ultra-flat 2, Office 2003 3; the native
// style draws the standard images.
int cxRadioButtonStyleIndex(TcxLookAndFeelStyle AStyle);
// (state - 1) + 4 checked + 8 style + 32 highlight + 64 focused, the default state counting as
// normal; -1 for a state beyond disabled.
int cxRadioButtonCombinationIndex(TcxLookAndFeelStyle AStyle, TcxButtonState AState, bool AChecked,
                                  bool AFocused, bool AIsHighlighted);

// The bullet of the platform's checked radio glyph in its cell: scanned from the glyph's middle
// up and down its centre column and left and right along its centre row while IsBullet holds,
// never leaving the cell. When the middle pixel is not a bullet pixel, a centred bullet a third
// of the glyph's size.
TRect cxRadioButtonBulletBounds(const std::function<bool(int X, int Y)>& IsBullet,
                                const TSize& ACellSize, const TRect& AGlyph);

class TcxRadioButtonImageList {
public:
    // Measures the platform's glyph and builds every image.
    TcxRadioButtonImageList();
    ~TcxRadioButtonImageList();
    TcxRadioButtonImageList(const TcxRadioButtonImageList&) = delete;
    TcxRadioButtonImageList& operator=(const TcxRadioButtonImageList&) = delete;

    // The glyph's size; 0 x 0 when the platform drew no glyph.
    TSize Size() const { return {FWidth, FHeight}; }
    // Where the glyph and its bullet lie inside the platform's check-box cell.
    TPoint GlyphOffset() const { return {FLeft, FTop}; }
    TRect BulletBounds() const { return FBullet; }
    const TcxImageList& Images() const { return *FImages; }
    // The image of a combination; -1 when there is none.
    int ImageIndex(int ACombination) const;

    // With ABrushColor clDefault the glyph goes straight onto the canvas, its surroundings
    // untouched; otherwise on a square of that colour. A refused state draws nothing.
    void Draw(TcxCanvas& ACanvas, int X, int Y, TcxLookAndFeelStyle AStyle, TcxButtonState AState,
              bool AChecked, bool AFocused, TColor ABrushColor, bool AIsHighlighted) const;
    // All images again in the current colours; the measurements stay.
    void Rebuild();

private:
    void Measure();
    void BuildPixelClasses();
    void BuildImages();

    int FWidth = 0;
    int FHeight = 0;
    int FLeft = 0;
    int FTop = 0;
    TRect FBullet;
    std::vector<unsigned char> FPixelClasses; // FHeight rows of FWidth
    std::unique_ptr<TcxCustomBitmap> FMask;
    std::unique_ptr<TcxImageList> FImages;
    std::vector<int> FIndexes;
};

// The process's list, made (and built) on first use.
TcxRadioButtonImageList& cxRadioButtonImageList();
bool cxRadioButtonImageListExists();
void cxFreeRadioButtonImageList();

// Rebuilds the radio images, when they exist, after the system colours change. A primary
// notifier, so the images are new before any control repaints.
class TSystemPaletteChangedNotifier : public TcxSystemPaletteChangedNotifier {
public:
    TSystemPaletteChangedNotifier() : TcxSystemPaletteChangedNotifier(true) {}
    void DoChanged() override;
};

} // namespace toolkit::base
