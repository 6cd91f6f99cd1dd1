#include "model/transfer/activation.h"

#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/rhythm.h"
#include "model/elements/system.h"
#include "model/program/quintaron.h"

namespace model {

namespace {

template <class Element> void Activate(Element* element, Element* TQuintaron::*current) {
    if (element == nullptr) return;
    const TQuintaron* app = AppState();
    if (app != nullptr && (app->*current == element || app->DragRunning)) return;
    element->Transmit(true);
}

} // namespace

void ActivatePatch(TPatch* patch) {
    Activate(patch, &TQuintaron::CurrentPatch);
}

void ActivatePerformance(TPerformance* performance) {
    Activate(performance, &TQuintaron::CurrentPerformance);
}

void ActivateSystem(TSystem* system) {
    Activate(system, &TQuintaron::CurrentSystem);
}

void ActivateRhythm(TRhythm* rhythm) {
    Activate(rhythm, &TQuintaron::CurrentRhythm);
}

} // namespace model
