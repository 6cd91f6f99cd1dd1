#include "model/print/print_library.h"

#include "model/elements/library.h"
#include "model/print/print_routines.h"
#include "model/print/print_target.h"
#include "platform/core/date_time.h"

namespace model {

namespace pc = platform::core;

void PrintLibrary(TLibrary& library) {
    TPrintTarget* target = PrintTarget();
    if (target == nullptr) return;
    PrintBegin(&library);
    try {
        const int lineHeight = PrintLineHeight();
        int y = PrintPageTop;
        target->Rectangle(30, y, target->PageWidth() - 60, 3 * lineHeight);
        PrintCentered(y + lineHeight, "Library " + library.GetName() + "                Printed " +
                                          pc::DateToStr(pc::Date()) + "  " +
                                          pc::TimeToStr(pc::Time()));
        y = 4 * lineHeight + PrintPageTop;
        for (const auto& elem : library.Elems)
            elem->Print(y, false);
        PrintEnd();
    } catch (...) {
        // A job left open would refuse every later one.
        target->Abort();
        throw;
    }
}

} // namespace model
