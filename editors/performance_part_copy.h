#pragma once
// The bytes each page of a performance carries when a page drag copies it into another
// performance: straight into the target's images, with no message and no undo entry. The
// caller marks the target modified, refreshes its views and sends it whole.

#include "model/editing/page_kinds.h"
#include "model/elements/performance.h"

namespace editors {

// Copies the bytes of the page of kind from source into target: PERCOM common 0-11 and 45-65
// (the name, tempo, reserves and modes; the reverb byte 44 belongs to the effects), PEREFF
// common 12-44, PERPARTS bytes 0-24 of every part, part n into part n. Other kinds copy nothing.
void CopyPerformancePageBytes(const model::TPerformance& source, model::TPerformance& target,
                              model::TPageKind kind);

} // namespace editors
