#include "model/transfer/activation.h"

#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/rhythm.h"
#include "model/elements/system.h"
#include "model/program/program_state.h"

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
