#include "model/program/config.h"

#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/exception.h"
#include "platform/core/ini_file.h"

#include <algorithm>

namespace model {

namespace {

constexpr int DefaultPreviewNote = 40;
constexpr int DefaultPreviewVelocity = 70;
constexpr const char* DefaultMidiFile = "Noname.Mid";

} // namespace

void TConfig::Load() {
    try {
        const platform::core::TIniFile ini(SettingsFileName);
        DeviceID = ini.ReadInteger("Midi", "DeviceID", DefaultDeviceID);
        if (DeviceID < 1 || DeviceID > 128) DeviceID = DefaultDeviceID;
        Thrue = ini.ReadInteger("Midi", "Thrue", 0);
        InPort = ini.ReadInteger("MidiPort", "In", 0);
        OutPort = ini.ReadInteger("MidiPort", "Out", 0);
        InPortName = ini.ReadString("MidiPort", "InName", "");
        OutPortName = ini.ReadString("MidiPort", "OutName", "");
        ExpA = ini.ReadInteger("Expansion", "ExpA", 0);
        ExpB = ini.ReadInteger("Expansion", "ExpB", 0);
        ExpC = ini.ReadInteger("Expansion", "ExpC", 0);
        ExpD = ini.ReadInteger("Expansion", "ExpD", 0);
        PCMCard = ini.ReadInteger("Expansion", "PCMCard", 0);
        // An id past the tables would pick a name list that does not exist.
        for (std::int32_t* board : {&ExpA, &ExpB, &ExpC, &ExpD})
            if (*board < 0 || *board >= ExpansionBoardCount) *board = 0;
        if (PCMCard < 0 || PCMCard >= PcmCardCount) PCMCard = 0;
        DataCardInstalled = ini.ReadInteger("Data Card", "Installed", 0) == 1;
        SingleNote = ini.ReadInteger("Preview", "Single Note", 1) == 1;
        PreviewNote = std::clamp(ini.ReadInteger("Preview", "Note", DefaultPreviewNote), 0, 127);
        PreviewVelocity =
            std::clamp(ini.ReadInteger("Preview", "Velocity", DefaultPreviewVelocity), 0, 127);
        MidiFile = ini.ReadString("Preview", "Midifile", DefaultMidiFile);
    } catch (const platform::core::Exception&) {
        // A settings file that cannot be read leaves the settings read so far.
    }
    if (MidiOnline()) {
        AppState()->Midi.CloseDevs();
        AppState()->Midi.OpenDevs();
    }
}

bool TConfig::Save() const {
    try {
        platform::core::TIniFile ini(SettingsFileName);
        ini.WriteInteger("Midi", "DeviceID", DeviceID);
        ini.WriteInteger("Midi", "Thrue", Thrue);
        ini.WriteInteger("MidiPort", "In", InPort);
        ini.WriteInteger("MidiPort", "Out", OutPort);
        ini.WriteString("MidiPort", "InName", InPortName);
        ini.WriteString("MidiPort", "OutName", OutPortName);
        ini.WriteInteger("Expansion", "ExpA", ExpA);
        ini.WriteInteger("Expansion", "ExpB", ExpB);
        ini.WriteInteger("Expansion", "ExpC", ExpC);
        ini.WriteInteger("Expansion", "ExpD", ExpD);
        ini.WriteInteger("Expansion", "PCMCard", PCMCard);
        ini.WriteInteger("Data Card", "Installed", DataCardInstalled ? 1 : 0);
        ini.WriteInteger("Preview", "Single Note", SingleNote ? 1 : 0);
        ini.WriteInteger("Preview", "Note", PreviewNote & 0xFF);
        ini.WriteInteger("Preview", "Velocity", PreviewVelocity & 0xFF);
        ini.WriteString("Preview", "Midifile", MidiFile);
    } catch (const platform::core::Exception&) {
        return false;
    }
    return true;
}

std::int32_t TConfig::ExpansionSlotOf(std::int32_t board) const {
    if (ExpA == board) return 0;
    if (ExpB == board) return 1;
    if (ExpC == board) return 2;
    if (ExpD == board) return 3;
    return -2;
}

} // namespace model
