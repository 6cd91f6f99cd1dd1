#pragma once
// What a look-and-feel needs of the painters: the painter class of a kind, the native painter,
// and the named (skin) painters with their listeners. The painters' unit installs the lookup
// at its start-up; the look-and-feel depends on nothing else of them. Until it is installed a
// look-and-feel has no painter (nullptr) and asks again the next time its painter is wanted.

#include <functional>
#include <string>

namespace toolkit::base {

enum TcxLookAndFeelKind : int { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };

class TcxLookAndFeel;
// The class object of the painter family: painters are classes, never objects, and their
// operations are virtual class-level operations; a painter "class" is a pointer to it.
class TcxCustomLookAndFeelPainter;
using TcxLookAndFeelPainterClass = const TcxCustomLookAndFeelPainter*;

struct TcxLookAndFeelPainterLookup {
    // The four-entry table: flat, standard, ultra-flat, Office 2003.
    std::function<TcxLookAndFeelPainterClass(TcxLookAndFeelKind Kind)> PainterByKind;
    // The visual-style painter, chosen when the native style is asked and styles are available.
    std::function<TcxLookAndFeelPainterClass()> NativePainter;
    // The extended style painters: the first entry of that name (case ignored); false when none.
    std::function<bool(const std::string& Name, TcxLookAndFeelPainterClass& Painter)> PainterByName;
    // A look-and-feel drawn with a named painter listens for changes of those painters; it is
    // never listed twice, and removing one that is not listed changes nothing.
    std::function<void(TcxLookAndFeel* LookAndFeel)> AddSkinListener;
    std::function<void(TcxLookAndFeel* LookAndFeel)> RemoveSkinListener;
};

// Replaces the lookup (an empty member stands for "none"); a look-and-feel that has a painter
// already keeps it until its next change.
void cxSetLookAndFeelPainterLookup(TcxLookAndFeelPainterLookup Lookup);
const TcxLookAndFeelPainterLookup& cxLookAndFeelPainterLookup();

} // namespace toolkit::base
