#pragma once
// The instrument's real memory map for the simulated instrument: every block of the patches,
// performances and rhythm sets of the edit buffer, user memory and card memory, and of the
// system settings, so that a data request is answered block by block as the instrument does
// (a whole-patch request by its common block and four tones).

#include "testsupport/sim_instrument.h"

#include <vector>

namespace testsupport {

// Every block, in address order.
const std::vector<SimBlock>& InstrumentBlocks();
// For SimInstrument::SetBlockTable: the blocks that start inside the request.
BlockTable InstrumentBlockTable();

// A memory whose every byte tells where it lies, so that a transfer that mixes up, drops or
// shifts blocks shows: the bytes of a block, its first twelve letters (an element's common block
// starts with its name).
Bytes PatternBytes(const SimBlock& block);
// Writes every block of the map with its pattern.
void FillWithPattern(SimInstrument& instrument);

} // namespace testsupport
