// A palette notifier owned by an object that lives until the process ends (as one held by a
// process-wide look-and-feel does) keeps the listener until static destruction. The holder is
// made before the listener and the palette state, so it is destroyed after them: the listener,
// still held, must release its colours while the palette state is there. Under
// AddressSanitizer a wrong order ends this program with an error instead of 0.

#include "toolkit/base/system_palette_notifier.h"

#include <memory>

namespace {

struct LongLived {
    std::unique_ptr<toolkit::base::TcxSystemPaletteChangedNotifier> Notifier;
};

LongLived& Holder() {
    static LongLived TheHolder;
    return TheHolder;
}

} // namespace

int main() {
    // The holder first: the right side of an assignment is evaluated before its left.
    LongLived& TheHolder = Holder();
    TheHolder.Notifier = std::make_unique<toolkit::base::TcxSystemPaletteChangedNotifier>(true);
    return 0;
}
