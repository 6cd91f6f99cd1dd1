#pragma once
// The program's MIDI connection: its only MIDI input and MIDI output components, the devices
// they can choose from, opening and closing them by the configured port numbers, whether they
// count as open, and the default input handler that passes short messages thru and feeds the
// monitor. The program state holds it; the model sends and receives through it, and the MIDI
// ports dialog edits it.

#include "midi/midi_event.h"
#include "midi/midi_input.h"
#include "midi/midi_output.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace model {

class TConfig;

// Told when ports chosen earlier cannot be opened now (a device gone, or taken by another
// program); the program goes on with them closed.
inline constexpr const char* PortsNotOpened =
    "The MIDI ports could not be opened. Choose them in the Midi settings.";
// Told when the ports in use are open but their MIDI system has gone and is not back.
inline constexpr const char* PortsGone =
    "The MIDI ports are no longer there: their MIDI system has stopped. Start it again, or "
    "choose the ports in the Midi settings.";
// Told when creating the ports found no MIDI system to open.
inline constexpr const char* NoMidiSystem = "No midi system installed";
// Told when the ports are open and their MIDI system is there, but the instrument's port at the
// other end of one of them has gone (the instrument's program stopped, its interface unplugged).
std::string PortGone(const std::string& port);

class TMidiConnection {
public:
    // The port numbers and thru are read from config as each is needed.
    explicit TMidiConnection(const TConfig& config);
    // Closes the ports when Online.
    ~TMidiConnection();
    TMidiConnection(const TMidiConnection&) = delete;
    TMidiConnection& operator=(const TMidiConnection&) = delete;

    // Lists the devices and opens the configured ports; Online is set only when both opened.
    // Otherwise NoMidiSystem is told and Online stays clear.
    void Create();

    // Lists the devices there are now (a sound server started or stopped since), leaving what is
    // open as it is. The ports dialog asks on each showing.
    void ListDevices();
    // Product names by device number, as last listed.
    const std::vector<std::string>& InputDevices() const { return inputDevices_; }
    const std::vector<std::string>& OutputDevices() const { return outputDevices_; }
    // The list positions of the ports in use: those open when they are listed, else those the
    // settings choose (the port of the stored name when it is listed, else the stored number).
    int InPortIndex() const;
    int OutPortIndex() const;

    // The ports dialog's Ok, after the configured ports were stored. When they are the ports open,
    // their connections are made again where they are missing (Reconnect), and nothing else
    // changes: the connections other programs made to them stay. Otherwise, or when that does not
    // bring them back, what is open closes and the configured ports open, each on a fresh
    // connection to the sound system; Online follows, and PortsNotOpened is told when they cannot
    // be opened.
    bool UsePorts();
    // Both ports are open, their sound system still carries them and they are connected to the
    // instrument's ports.
    bool Connected() const;
    // Why the ports open are not Connected: PortGone with the instrument's port that went, or
    // PortsGone when their system went; empty when they are connected.
    std::string Trouble() const;
    // When the ports in use are open but not connected: when only the instrument's ports went,
    // connects again to ports of their names that are there again; when their sound system has gone
    // (its server stopped, then perhaps started again), lists the devices again and opens the same
    // ports afresh. True when the ports are open and connected afterwards; tells nothing.
    bool Reconnect();

    // Opens and starts the input and opens the output on the listed devices the settings choose
    // (the ports of the stored names when a name is stored, else the stored numbers), and installs
    // DefaultMidiInput. When either cannot be opened (a named port that is not listed among them),
    // neither stays open, Online is cleared and PortsNotOpened is told with the reason. True when
    // both are open.
    bool OpenDevs();
    // When Online, closes the output and then the input; Online stays as it is, so that the
    // ports closed for a while (the MIDI-file preview) are opened again.
    void CloseDevs();

    // The ports count as open: every sender obeys it. The ports dialog and the settings set it.
    bool Online() const { return online_; }
    void SetOnline(bool online) { online_ = online; }

    // Puts the default handler back as the input's handler: DefaultHandler when the main
    // window gave one, else DefaultMidiInput.
    void InstallDefaultMidiInput();
    std::function<void()> DefaultHandler;
    // When Online: every waiting event is passed thru to the output when thru is on and it is
    // a short message, then shown by OnMonitor.
    void DefaultMidiInput();

    // Null until Create has made them.
    midi::TMidiInput* Input() { return input_.get(); }
    midi::TMidiOutput* Output() { return output_.get(); }

    // Each received event for the monitor, with whether thru is on.
    std::function<void(const midi::TMyMidiEvent& event, bool thru)> OnMonitor;
    // Told as CloseDevs (false) or OpenDevs (true) is asked for, before it acts.
    std::function<void(bool open)> OnDevs;

private:
    // Opens both where the settings choose; the reason when it could not.
    std::string OpenConfiguredPorts();
    // Opens both at the port numbers; the reason when it could not.
    std::string OpenPorts(int inPort, int outPort);
    // The same, by the ports' names.
    std::string OpenPortsNamed(const std::string& inName, const std::string& outName);
    void ClosePorts();

    const TConfig& config_;
    bool online_ = false;
    std::unique_ptr<midi::TMidiInput> input_;
    std::unique_ptr<midi::TMidiOutput> output_;
    std::vector<std::string> inputDevices_;
    std::vector<std::string> outputDevices_;
    // The ports last opened, by name: what Reconnect opens again.
    std::string inName_;
    std::string outName_;
};

} // namespace model
