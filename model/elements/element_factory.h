#pragma once
// Creates an element from its type code, as the library reader and the librarian windows need.

#include "model/elements/lib_elem.h"

#include <cstdint>
#include <memory>

namespace model {

// TPatch (0), TPatchBank (1), TPerformance (2), TPerformanceBank (3), TRhythm (4),
// TRhythmBank (5), TSystem (6) or TGlobal (7) under Owner; null for any other code.
std::unique_ptr<TLibElem> CreateElemByType(std::int16_t Type, TLibElem* Owner);

} // namespace model
