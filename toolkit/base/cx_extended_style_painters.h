#pragma once
// The named (skin) painters beside the four kinds, and the look-and-feels drawn with one of
// them, which hear when the named painters change. One registry per process, kept by the
// painters' unit; nothing registers a named painter in this program, so a look-and-feel that
// names one falls back to its kind.

#include "toolkit/base/look_and_feel_painter_lookup.h"
#include "toolkit/base/object_list.h"

#include <string>
#include <vector>

namespace toolkit::base {

class TcxExtendedStylePainter : public platform::core::TObject {
public:
    TcxExtendedStylePainter(std::string AName, TcxLookAndFeelPainterClass APainter)
        : Name(std::move(AName)), Painter(APainter) {}
    std::string Name;
    TcxLookAndFeelPainterClass Painter;
};

class TcxExtendedStylePainters : public TcxObjectList<TcxExtendedStylePainter> {
public:
    // Neither adds a duplicate nor minds a look-and-feel that is not listed.
    void AddListener(TcxLookAndFeel* AListener);
    void RemoveListener(TcxLookAndFeel* AListener);
    const std::vector<TcxLookAndFeel*>& Listeners() const { return FListeners; }

    void Register(const std::string& AName, TcxLookAndFeelPainterClass APainter);
    // The first entry whose name matches, case ignored.
    bool GetPainterByName(const std::string& AName, TcxLookAndFeelPainterClass& APainter) const;

private:
    std::vector<TcxLookAndFeel*> FListeners;
};

} // namespace toolkit::base
