#include "testsupport/virtual_instrument.h"

namespace testsupport {

VirtualInstrument::VirtualInstrument(platform::core::ManualClock& clock, const std::string& name)
    : clock_(clock), midi_(clock), override_(midi_),
      pair_(midi_.AddPair(name, [this](Bytes message) { instrument_.Receive(message); })),
      instrument_([this](Bytes message, platform::core::Millis delay) {
          midi_.Deliver(pair_, std::move(message), clock_.Now() + delay);
      }) {}

void VirtualInstrument::SetWireTime(bool on) {
    midi_.SetWireTime(pair_, on ? 320 : 0);
}

} // namespace testsupport
