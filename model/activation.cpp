#include "model/activation.h"

#include "model/patch.h"
#include "model/performance.h"
#include "model/program_state.h"
#include "model/rhythm.h"
#include "model/system.h"

namespace model {

namespace {

template <class Element> void Activate(Element* element, const Element* current) {
    if (element == nullptr || element == current || DragRunning) return;
    element->Transmit(true);
}

} // namespace

void ActivatePatch(TPatch* patch) {
    Activate(patch, CurrentPatch);
}

void ActivatePerformance(TPerformance* performance) {
    Activate(performance, CurrentPerformance);
}

void ActivateSystem(TSystem* system) {
    Activate(system, CurrentSystem);
}

void ActivateRhythm(TRhythm* rhythm) {
    Activate(rhythm, CurrentRhythm);
}

} // namespace model
