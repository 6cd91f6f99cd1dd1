#pragma once
// What the data model asks of the user interface. The application installs one implementation
// (its main window, MIDI ports dialog and monitor stand behind it); with none installed the
// model runs without a user interface, as in tests that need none.

#include <cstdint>
#include <span>

namespace midi {
class TMidiOutput;
}

namespace model {

class TUiServices {
public:
    virtual ~TUiServices() = default;

    // The output component held by the MIDI ports dialog; null while there is none.
    virtual midi::TMidiOutput* MidiOutput() = 0;
    // The MIDI ports dialog's CloseDevs and OpenDevs.
    virtual void CloseDevs() = 0;
    virtual void OpenDevs() = 0;
    // Lists one sent message in the MIDI monitor's output pane.
    virtual void MonitorAddMessage(std::span<const std::uint8_t> message) = 0;
    // The main window's EnableMenuItems.
    virtual void EnableMenuItems() = 0;
};

// The installed implementation, or null.
TUiServices* UiServices();
void SetUiServices(TUiServices* services);

} // namespace model
