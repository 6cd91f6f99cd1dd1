#pragma once
// The bytes of each page of a system, as a page drag copies them from one system into another:
// straight into the target's images, with no message and no undo entry. The caller marks the
// target modified, refreshes its views and sends it whole.

#include "model/editing/page_kinds.h"
#include "model/elements/system.h"

namespace editors {

// SYSSETUP: common 0-11 and 40-81; SYSMIDI: common 12-30; SYSPREVIEW: common 31-39;
// SYSSCALETUNE: parameters 0-11 of all 17 scale tunes. Other kinds copy nothing.
void CopySystemBytes(const model::TSystem& source, model::TSystem& target, model::TPageKind kind);

} // namespace editors
