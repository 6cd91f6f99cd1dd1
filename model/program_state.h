#pragma once
// The program-wide state of the data model, shared with the windows that edit it.

namespace model {

class TPatch;
class TPerformance;
class TRhythm;
class TSystem;

// On only while the import and export commands run: element files take their shorter layout.
inline bool ImportExportMode = false;

// The element of each kind last sent to the instrument's edit buffer (none at start).
inline TPatch* CurrentPatch = nullptr;
inline TPerformance* CurrentPerformance = nullptr;
inline TRhythm* CurrentRhythm = nullptr;
inline TSystem* CurrentSystem = nullptr;

// Channel of the preview notes: 1, or 10 after a rhythm set went to the edit buffer.
inline int PreviewChannel = 1;

// A page or element drag is running; activating an editor window then sends nothing.
inline bool DragRunning = false;

} // namespace model
