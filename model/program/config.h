#pragma once
// The program's settings: MIDI, expansion boards, data card and preview, kept in the settings
// file. The dialogs that change a setting save at once; start-up loads.

#include "platform/core/object.h"

#include <cstdint>
#include <string>

namespace model {

inline constexpr const char* SettingsFileName = "Quintaron95.ini";

// The instrument answers to device ids 17..32 by factory setting; 17 is its default.
inline constexpr int DefaultDeviceID = 17;

// How many expansion board ids and PCM card ids there are (0 is none): the expansion dialog's
// lists, and the name lists a board or card picks.
inline constexpr int ExpansionBoardCount = 18;
inline constexpr int PcmCardCount = 9;

class TConfig : public platform::core::TObject {
public:
    std::int32_t Thrue = 0;
    std::int32_t DeviceID = DefaultDeviceID;
    std::int32_t InPort = 0;
    std::int32_t OutPort = 0;
    // The names of the ports chosen, kept beside their numbers: a port of that name is opened
    // wherever it stands in the list, since another client may come first. Empty in settings
    // written before names were kept, where the numbers decide.
    std::string InPortName;
    std::string OutPortName;
    std::int32_t ExpA = 0;
    std::int32_t ExpB = 0;
    std::int32_t ExpC = 0;
    std::int32_t ExpD = 0;
    std::int32_t PCMCard = 0;
    bool DataCardInstalled = false;
    bool SingleNote = false;
    std::int32_t PreviewNote = 0;
    std::int32_t PreviewVelocity = 0;
    std::string MidiFile;

    // Reads the settings file (missing keys give their defaults; a device id outside 1..128 reads
    // as 17, a board or card id that does not exist as 0, preview note and velocity are kept to
    // 0..127), then reopens open MIDI ports so that changed port numbers take effect.
    void Load();
    // Writes every setting. False when the file could not be written; the settings written
    // before the failure stay written.
    bool Save() const;

    // Slot (0..3 for A..D) of the first slot holding board, else -2.
    std::int32_t ExpansionSlotOf(std::int32_t board) const;
};

} // namespace model
