#pragma once
// The bytes of each page of a patch, as a page drag copies them from one patch (or tone) into
// another: straight into the target's images, with no message and no undo entry. The caller
// marks the target modified, refreshes its views and sends it whole.

#include "model/editing/page_kinds.h"
#include "model/elements/patch.h"

namespace editors {

// Copies the bytes of the page of kind from sourceTone of source into targetTone of target
// (COMMON: common 0-11 and 44-72; EFFECTS: common 12-43; the tone pages their own parameters;
// the tones are ignored for the common pages). Kinds that are no page of a patch copy nothing.
void CopyPageBytes(const model::TPatch& source, int sourceTone, model::TPatch& target,
                   int targetTone, model::TPageKind kind);
// One LFO into the other crosswise: from (LFO1 or LFO2) of sourceTone into the other LFO of
// targetTone, byte for byte in the order of their parameters.
void CopyLfoCrosswise(const model::TPatch& source, int sourceTone, model::TPatch& target,
                      int targetTone, model::TPageKind from);

} // namespace editors
