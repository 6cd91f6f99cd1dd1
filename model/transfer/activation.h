#pragma once
// Called as an editor window activates: the element it edits becomes the one the instrument
// plays, by going to the edit buffer, unless it is there already or a drag is running (the drag
// would be interrupted by the transfer).

namespace model {

class TPatch;
class TPerformance;
class TRhythm;
class TSystem;

// Each does nothing for null.
void ActivatePatch(TPatch* patch);
void ActivatePerformance(TPerformance* performance);
void ActivateSystem(TSystem* system);
void ActivateRhythm(TRhythm* rhythm);

} // namespace model
