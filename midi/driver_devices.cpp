#include "midi/driver_devices.h"

namespace midi {

std::string DriverErrorText(DriverErrorTextCall call, platform::midi::MMRESULT code) {
    char text[128];
    if (call(code, text, sizeof text) != platform::midi::MMSYSERR_NOERROR)
        return "Specified error number is out of range";
    return text;
}

} // namespace midi
