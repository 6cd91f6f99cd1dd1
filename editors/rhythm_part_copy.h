#pragma once
// The bytes of each note page of a rhythm set, as a page drag copies them from one rhythm set
// into another: for every key 35..98, key n of the source into key n of the target, straight
// into the images, with no message and no undo entry. The caller marks the target modified,
// refreshes its views and sends it whole.

#include "model/editing/page_kinds.h"
#include "model/elements/rhythm.h"

namespace editors {

// RHYMAIN: note bytes 0-11 and 54-57; RHYPITCH: 12-25; RHYTVF: 26-40; RHYTVA: 41-53. Other
// kinds copy nothing.
void CopyRhythmPageBytes(const model::TRhythm& source, model::TRhythm& target,
                         model::TPageKind kind);

} // namespace editors
