#pragma once
// The painters' unit: what the painters share that outlives a call, and the look-and-feel's way
// to the painters. Its start-up makes, in order, the registry of named painters, the indicator
// images, the two halftone bitmaps, the primary palette notifier that rebuilds the radio images,
// and the size of the platform's check-box glyph; then it installs the look-and-feel's painter
// lookup (the four kinds, the native painter, the named painters) and hands the painters their
// images. Shut-down frees them in reverse, the radio images with them.
//
// The unit in force is the innermost one alive (tests make their own); with none alive, the
// process's own, made on first use. The program makes it at start-up, before a look-and-feel
// asks for its painter.

#include "toolkit/base/cx_extended_style_painters.h"
#include "toolkit/base/cx_lf_painter_images.h"
#include "toolkit/base/cx_radio_button_images.h"

#include "platform/forms/img_list.h"

#include <memory>

namespace toolkit::base {

class TcxLookAndFeelPaintersUnit {
public:
    TcxLookAndFeelPaintersUnit();
    // The lookup and images that were in force before this unit are again.
    ~TcxLookAndFeelPaintersUnit();
    TcxLookAndFeelPaintersUnit(const TcxLookAndFeelPaintersUnit&) = delete;
    TcxLookAndFeelPaintersUnit& operator=(const TcxLookAndFeelPaintersUnit&) = delete;

    TcxExtendedStylePainters& ExtendedStylePainters() { return *FExtendedStylePainters; }
    // Arrow, edit, insert, multi-dot, multi-arrow and filter, white transparent.
    const platform::forms::TImageList& IndicatorImages() const { return *FIndicatorImages; }
    // 8 x 8 checkers for scroll-bar tracks: 0 button face and highlight, 1 black and 3-D dark
    // shadow (the first colour where x and y have the same parity).
    HBITMAP HalftoneBitmap(int AIndex) const { return FHalftoneBitmaps[AIndex & 1]; }
    // After a change of the system colours or the visual style (the scroll bar asks for it).
    void RebuildHalftoneBitmaps();
    // A cell of the platform's check-box bitmap.
    TSize CheckButtonSize() const { return FCheckButtonSize; }

private:
    void FreeHalftoneBitmaps();

    TcxLookAndFeelPaintersUnit* FPrevious;
    TcxLookAndFeelPainterLookup FPreviousLookup;
    TcxLookAndFeelPainterImages FPreviousImages;
    std::unique_ptr<TcxExtendedStylePainters> FExtendedStylePainters;
    std::unique_ptr<platform::forms::TImageList> FIndicatorImages;
    HBITMAP FHalftoneBitmaps[2]{};
    std::unique_ptr<TSystemPaletteChangedNotifier> FPaletteNotifier;
    TSize FCheckButtonSize{13, 13};
};

TcxLookAndFeelPaintersUnit& cxLookAndFeelPaintersUnit();
// The unit in force, or null while none is alive: unlike cxLookAndFeelPaintersUnit it never
// makes the process's own.
TcxLookAndFeelPaintersUnit* cxLookAndFeelPaintersUnitAlive();
// A new bitmap as the unit's HalftoneBitmap(AIndex), of the system colours of the moment; the
// caller deletes it.
HBITMAP cxCreateHalftoneBitmap(int AIndex);

} // namespace toolkit::base
